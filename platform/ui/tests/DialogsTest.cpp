// The file dialogs on a real folder: filters, navigation, DefaultExt, confirm and cancel, all
// answered through the message queue while the modal loop runs.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

class DialogsTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    // ctest runs these tests side by side: each gets a folder of its own.
    Dir = fs::path(ZELK_TEST_OUTPUT) / "filedialog" /
          ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(Dir);
    fs::create_directories(Dir / "Unterordner");
    for (const char* name : {"alt.IB", "kaldern.gdb", "notiz.txt", "Unterordner/tief.ib"}) std::ofstream(Dir / name) << "x";
    Main = NewForm(200, 100);
    Main->Show();
    Pump();
  }
  String D(const std::string& Rel = "") { return UTF8ToString((Rel.empty() ? Dir : Dir / Rel).string()); }
  // Runs the dialog; Answer gets the dialog form once it is shown.
  bool Run(TOpenDialog& Dialog, std::function<void(TCustomForm*)> Answer) {
    SetDialogObserver([Answer](TCustomForm* F) {
      SetDialogObserver(nullptr);   // message boxes of the dialog are the test's own business
      Answer(F);
    });
    return Dialog.Execute();
  }
  static std::vector<String> Items(TCustomForm* F) {
    auto* list = static_cast<TListBox*>(F->FindComponent(u"FileList"));
    std::vector<String> r;
    for (Integer i = 0; i < list->GetCount(); ++i) r.push_back(list->GetItems()->GetStrings(i));
    return r;
  }
  static void TypeName(TCustomForm* F, StringView Name) {
    auto* edit = static_cast<TEdit*>(F->FindComponent(u"NameEdit"));
    edit->SetFocus();
    edit->SelectAll();
    Headless::TypeText(Name);
  }
  fs::path Dir;
  TForm* Main = nullptr;
};

TEST_F(DialogsTest, FilterMasksMatchWithoutRegardToCaseAndTheComboChoosesTheFilter) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter(u" Interbase|*.ib| Firebird|*.gdb|Beide|*.ib;*.GDB");
  dlg.SetDefaultExt(u".ib");
  dlg.SetInitialDir(D());
  std::vector<std::vector<String>> seen;
  bool ok = Run(dlg, [&](TCustomForm* F) {
    seen.push_back(Items(F));
    auto* combo = static_cast<TComboBox*>(F->FindComponent(u"TypeCombo"));
    combo->SetFocus();
    Application->ProcessMessages();
    Headless::KeyPress(VK_DOWN);
    Application->ProcessMessages();
    seen.push_back(Items(F));
    Headless::KeyPress(VK_DOWN);
    Application->ProcessMessages();
    seen.push_back(Items(F));
    Headless::KeyPress(VK_ESCAPE);
  });
  EXPECT_FALSE(ok);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], (std::vector<String>{u"Unterordner/", u"alt.IB"}));
  EXPECT_EQ(seen[1], (std::vector<String>{u"Unterordner/", u"kaldern.gdb"}));
  EXPECT_EQ(seen[2], (std::vector<String>{u"Unterordner/", u"alt.IB", u"kaldern.gdb"}));
  EXPECT_EQ(dlg.GetFileName(), u"");
}

TEST_F(DialogsTest, ConfirmingAFileGivesItsFullPathAndFilterIndex) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter(u" Interbase|*.ib| Firebird|*.gdb");
  dlg.SetFilterIndex(2);
  dlg.SetInitialDir(D());
  dlg.SetOptions(TOpenOptions{ofFileMustExist});
  bool ok = Run(dlg, [&](TCustomForm* F) {
    auto* list = static_cast<TListBox*>(F->FindComponent(u"FileList"));
    TRect r = list->ItemRect(1);
    TPoint p = list->ClientToScreen(TPoint{r.left + 5, r.top + 3});
    Headless::Click(p.x, p.y);   // fills in the name
    Headless::KeyPress(VK_RETURN);
  });
  ASSERT_TRUE(ok);
  EXPECT_EQ(dlg.GetFileName(), D("kaldern.gdb"));
  EXPECT_EQ(dlg.GetFilterIndex(), 2);
  ASSERT_EQ(dlg.GetFiles()->GetCount(), 1);
  EXPECT_EQ(dlg.GetFiles()->GetStrings(0), D("kaldern.gdb"));
}

TEST_F(DialogsTest, FoldersAreEnteredByDoubleClickAndLeftWithTheUpButton) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter(u"Interbase|*.ib");
  dlg.SetInitialDir(D());
  std::vector<String> inside, back;
  bool ok = Run(dlg, [&](TCustomForm* F) {
    auto* list = static_cast<TListBox*>(F->FindComponent(u"FileList"));
    TRect r = list->ItemRect(0);
    TPoint p = list->ClientToScreen(TPoint{r.left + 5, r.top + 3});
    Headless::Click(p.x, p.y);
    Headless::Click(p.x, p.y);
    Application->ProcessMessages();
    inside = Items(F);
    auto* up = static_cast<TButton*>(F->FindComponent(u"UpButton"));
    TPoint u = up->ClientToScreen(TPoint{5, 5});
    Headless::AdvanceClock(1000);
    Headless::Click(u.x, u.y);
    Application->ProcessMessages();
    back = Items(F);
    TypeName(F, u"Unterordner/tief.ib");
    Headless::KeyPress(VK_RETURN);
  });
  EXPECT_EQ(inside, (std::vector<String>{u"tief.ib"}));
  EXPECT_EQ(back, (std::vector<String>{u"Unterordner/", u"alt.IB"}));
  ASSERT_TRUE(ok);
  EXPECT_EQ(dlg.GetFileName(), D("Unterordner/tief.ib"));
}

TEST_F(DialogsTest, SaveAppendsTheDefaultExtensionWithOrWithoutItsDot) {
  struct TCase {
    const Char* Ext;
    const Char* Typed;
    const char* Expected;
  };
  const TCase cases[] = {{u".ib", u"neu", "neu.ib"}, {u"ib", u"neu", "neu.ib"}, {u"ib", u"neu.gdb", "neu.gdb"},
                         {u"", u"neu", "neu"}};
  for (const TCase& c : cases) {
    TSaveDialog dlg(nullptr);
    dlg.SetDefaultExt(c.Ext);
    dlg.SetInitialDir(D());
    bool ok = Run(dlg, [&](TCustomForm* F) {
      TypeName(F, c.Typed);
      Headless::KeyPress(VK_RETURN);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(dlg.GetFileName(), D(c.Expected)) << UTF8Encode(c.Ext);
  }
}

TEST_F(DialogsTest, MissingFilesAndOverwritesAreAskedAbout) {
  TOpenDialog open(nullptr);
  open.SetInitialDir(D());
  open.SetOptions(TOpenOptions{ofFileMustExist});
  String warning;
  bool ok = Run(open, [&](TCustomForm* F) {
    TypeName(F, u"fehlt.ib");
    // The warning box comes up; it is answered, then the dialog is cancelled.
    SetDialogObserver([&](TCustomForm* Box) {
      warning = static_cast<TLabel*>(Box->FindComponent(u"Message"))->GetCaption();
      SetDialogObserver(nullptr);
      Headless::KeyPress(VK_RETURN);
      Headless::KeyPress(VK_ESCAPE);
    });
    Headless::KeyPress(VK_RETURN);
  });
  EXPECT_FALSE(ok);
  EXPECT_NE(warning.find(u"fehlt.ib"), String::npos);

  TSaveDialog save(nullptr);
  save.SetInitialDir(D());
  save.SetOptions(TOpenOptions{ofOverwritePrompt});
  ok = Run(save, [&](TCustomForm* F) {
    TypeName(F, u"notiz.txt");
    SetDialogObserver([](TCustomForm* Box) {
      SetDialogObserver(nullptr);
      EXPECT_NE(Box->FindComponent(u"Yes"), nullptr);
      Headless::KeyPress(VK_RETURN);   // Yes is the default
    });
    Headless::KeyPress(VK_RETURN);
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(save.GetFileName(), D("notiz.txt"));
}
