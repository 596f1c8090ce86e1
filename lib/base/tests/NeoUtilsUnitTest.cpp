// Start-up of the utilities' unit: the clipboard formats, in the order of the program's units.
#include <gtest/gtest.h>

#include "lib/base/NeoUtils.h"
#include "lib/base/NeoUtilsUnit.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/Units.h"
#include "platform/win/Headless.h"

namespace {

String FormatName(UINT Format) {
  Char name[64] = {};
  const int n = GetClipboardFormatName(Format, name, 64);
  return String(name, static_cast<std::size_t>(n));
}

std::vector<UINT> Formats() { return {CF_RICHEDITORTEXT, CF_NEOSTREAM, CF_RTF, CF_HTML, CF_NEOBITMAP}; }

class NeoUtilsUnit : public ::testing::Test {
protected:
  void SetUp() override {
    Headless::Use();
    Units().Clear();
  }
  void TearDown() override {
    if (Units().Initialized()) FinalizeUnits();
    Units().Clear();
    IsConsole = false;
  }
};

TEST_F(NeoUtilsUnit, StartUpRegistersTheClipboardFormatsInLinkOrder) {
  std::vector<String> order;
  std::vector<UINT> seenBefore, seenAfter;
  RegisterUnit(u"Themes", [&] {
    order.push_back(u"Themes");
    seenBefore = Formats();
  });
  RegisterNeoUtilsUnit();
  RegisterUnit(u"Persistence", [&] {
    order.push_back(u"Persistence");
    seenAfter = Formats();
  });
  RegisterNeoUtilsUnit();   // a second registration keeps the first place
  ASSERT_EQ(Units().Count(), 3);
  EXPECT_EQ(Units().Names(1), u"NeoUtils");

  InitializeUnits();
  EXPECT_EQ(order, (std::vector<String>{u"Themes", u"Persistence"}));
  EXPECT_EQ(seenBefore, (std::vector<UINT>{0, 0, 0, 0, 0}));
  EXPECT_EQ(seenAfter, Formats());

  EXPECT_EQ(FormatName(CF_RICHEDITORTEXT), u"RichEditorText");
  EXPECT_EQ(FormatName(CF_NEOSTREAM), u"TNeoClipBoard.StreamFormat");
  EXPECT_EQ(FormatName(CF_RTF), u"Rich Text Format");
  EXPECT_EQ(FormatName(CF_HTML), u"HTML Format");
  EXPECT_EQ(CF_NEOBITMAP, CF_BITMAP);
  for (UINT f : {CF_RICHEDITORTEXT, CF_NEOSTREAM, CF_RTF, CF_HTML}) EXPECT_GE(f, 0xC000u);
  // Other code registering the same name gets the same identifier.
  EXPECT_EQ(RegisterClipboardFormat(u"HTML Format"), CF_HTML);
  EXPECT_EQ(RegisterClipboardFormat(u"rich text format"), CF_RTF);

  FinalizeUnits();
  EXPECT_EQ(Formats(), (std::vector<UINT>{0, 0, 0, 0, 0}));
}

TEST_F(NeoUtilsUnit, ConsoleProgramRegistersNothing) {
  IsConsole = true;
  RegisterNeoUtilsUnit();
  InitializeUnits();
  EXPECT_EQ(Formats(), (std::vector<UINT>{0, 0, 0, 0, 0}));
  EXPECT_EQ(CountClipboardFormats(), 0);
}

}  // namespace
