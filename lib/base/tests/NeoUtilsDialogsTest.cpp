// TNeoUtils file dialogs and message boxes, answered through the message queue while their modal
// loops run on the headless window system.
#include <filesystem>
#include <fstream>

#include "lib/base/NeoUtils.h"
#include "platform/rtl/testsupport/ScopedEnv.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace fs = std::filesystem;

namespace {

class NeoUtilsDialogs : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    // ctest runs these tests side by side: each gets a folder of its own.
    Dir = fs::weakly_canonical(fs::path(ZELK_TEST_OUTPUT) / "neoutils-dialogs" /
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Dir);
    fs::create_directories(Dir / "docs");
    std::ofstream(Dir / "notiz.txt") << "x";
    Env.Set("XDG_DOCUMENTS_DIR", (Dir / "docs").string());
  }
  void TearDown() override {
    UiTest::TearDown();
    fs::remove_all(Dir);
  }
  String D(const std::string& Rel = "") { return UTF8ToString((Rel.empty() ? Dir : Dir / Rel).string()); }

  // Answers the next modal form with Answer; what the dialog showed is kept.
  void Answer(std::function<void(TCustomForm*)> Action) {
    SetDialogObserver([this, Action](TCustomForm* F) {
      SetDialogObserver(nullptr);
      if (auto* path = static_cast<TEdit*>(F->FindComponent(u"PathEdit"))) ShownFolder = path->GetText();
      if (auto* name = static_cast<TEdit*>(F->FindComponent(u"NameEdit"))) ShownName = name->GetText();
      if (auto* message = dynamic_cast<TControl*>(F->FindComponent(u"Message"))) ShownMessage = message->GetText();
      Action(F);
    });
  }
  static void TypeName(TCustomForm* F, StringView Name) {
    auto* edit = static_cast<TEdit*>(F->FindComponent(u"NameEdit"));
    edit->SetFocus();
    edit->SelectAll();
    Headless::TypeText(Name);
  }

  fs::path Dir;
  TScopedEnv Env;
  String ShownFolder, ShownName, ShownMessage;
  std::vector<std::pair<String, bool>> Calls;
  TNeoUtilsFileCallBackEvent Callback = [this](const String& FileName, bool Success) {
    Calls.emplace_back(FileName, Success);
  };
};

TEST_F(NeoUtilsDialogs, SaveFileStartsInTheFileFolderAndKeepsTheFormerExtension) {
  String fileName = D("report.csv");
  Answer([](TCustomForm* F) {
    TypeName(F, u"neu");
    Headless::KeyPress(VK_RETURN);
  });
  EXPECT_TRUE(TNeoUtils::SaveFile(fileName, u"CSV|*.csv", Callback));
  EXPECT_EQ(ShownFolder, D());
  EXPECT_EQ(ShownName, u"report.csv");
  EXPECT_EQ(fileName, D("neu.csv"));
  EXPECT_EQ(Calls, (std::vector<std::pair<String, bool>>{{D("neu.csv"), true}}));
}

TEST_F(NeoUtilsDialogs, SaveFileWithoutFolderStartsInTheDocumentsFolder) {
  String fileName = u"export.xlsx";
  Answer([](TCustomForm* F) {
    TypeName(F, u"table.ods");
    Headless::KeyPress(VK_RETURN);
  });
  EXPECT_TRUE(TNeoUtils::SaveFile(fileName, u"All|*.*"));
  EXPECT_EQ(ShownFolder, D("docs"));
  EXPECT_EQ(ShownName, u"export.xlsx");
  EXPECT_EQ(fileName, D("docs/table.ods"));   // a typed extension stays
}

TEST_F(NeoUtilsDialogs, CancelledDialogsReportFalse) {
  String fileName = D("report.csv");
  Answer([](TCustomForm*) { Headless::KeyPress(VK_ESCAPE); });
  EXPECT_FALSE(TNeoUtils::SaveFile(fileName, u"CSV|*.csv", Callback));
  EXPECT_EQ(fileName, D("report.csv"));
  Answer([](TCustomForm*) { Headless::KeyPress(VK_ESCAPE); });
  EXPECT_FALSE(TNeoUtils::SelectFile(fileName, D(), Callback));
  EXPECT_EQ(Calls, (std::vector<std::pair<String, bool>>{{D("report.csv"), false}, {D("report.csv"), false}}));
}

TEST_F(NeoUtilsDialogs, SelectFileOpensAnExistingFile) {
  String fileName;
  Answer([](TCustomForm* F) {
    TypeName(F, u"notiz.txt");
    Headless::KeyPress(VK_RETURN);
  });
  EXPECT_TRUE(TNeoUtils::SelectFile(fileName, D(), Callback, u"Text|*.txt"));
  EXPECT_EQ(ShownFolder, D());
  EXPECT_EQ(fileName, D("notiz.txt"));
  // Without a folder it starts in the documents folder.
  Answer([](TCustomForm*) { Headless::KeyPress(VK_ESCAPE); });
  EXPECT_FALSE(TNeoUtils::SelectFile(fileName));
  EXPECT_EQ(ShownFolder, D("docs"));
}

TEST_F(NeoUtilsDialogs, MessageBoxes) {
  Answer([](TCustomForm*) { Headless::KeyPress(VK_RETURN); });
  TNeoUtils::Message(u"Saved.");
  EXPECT_EQ(ShownMessage, u"Saved.");
  Answer([](TCustomForm*) { Headless::KeyPress(VK_ESCAPE); });
  EXPECT_EQ(TNeoUtils::Message(u"Overwrite?", mtConfirmation, 0, mbYesNo), mrNo);
  EXPECT_EQ(ShownMessage, u"Overwrite?");
}

}  // namespace
