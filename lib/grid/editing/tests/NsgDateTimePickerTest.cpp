// The inplace date picker and the flat look it shares with the picker base: the environment tests
// and their switches, defaults, the painting cases on headless pictures, and hover.
#include <gtest/gtest.h>

#include <string>

#include "lib/base/NeoXPVS.h"
#include "lib/grid/editing/NeoDateTimePicker.h"
#include "lib/grid/editing/NsgDateTimePicker.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/UxTheme.h"

namespace NsgDateTimePicker {
namespace {

constexpr COLORREF Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255), Lime = RGB(0, 255, 0);
constexpr COLORREF Disabled = RGB(127, 157, 185);

// Descendants may set the fields the class keeps without a property.
template <class Base> class TTestPicker : public Base {
public:
  using Base::Base;
  void SetFocusBorderColor(TColor Value) { this->FFocusBorderColor = Value; }
  void SetFocusBorder(bool Value) { this->FFocusBorder = Value; }
  void SetDisabledBorder(bool Value) { this->FDisabledBorder = Value; }
};
using TNsgPicker = TTestPicker<TNsgDateTimePicker>;

// The environment switches the tests flip, put back after each test.
class PickerEnvironmentTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    RegisterThemeLibrary();
    NeoXPVS::LoadThemeApi();
    Saved = FormatSettings;
    FormatSettings = TFormatSettings::German();
  }
  void TearDown() override {
    SetExportMissing(u"kernel32", "GetLocaleInfoEx", false);
    ResetFileVersionFacts();
    SetThemeActive(true);
    NeoXPVS::FreeThemeApi();
    FormatSettings = Saved;
    UiTest::TearDown();
  }
  static void BeforeVista() { SetExportMissing(u"kernel32", "GetLocaleInfoEx", true); }
  static void ComCtl5() { SetFileVersionFact(u"comctl32.dll", 5, 82, 19041, 1); }
  // A pixel of a control's window (non-client band included), read on its form.
  static COLORREF WindowPixel(TForm* AForm, TControl* C, Integer X, Integer Y) {
    Application->ProcessMessages();
    return Headless::ClientPixel(AForm->GetHandle(), C->GetLeft() + X, C->GetTop() + Y);
  }
  static void RepaintAll(TForm* AForm) {
    for (int i = 0; i < AForm->GetControlCount(); ++i)
      if (auto* w = dynamic_cast<TWinControl*>(AForm->GetControls(i)); w && w->HandleAllocated())
        RedrawWindow(w->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    Application->ProcessMessages();
  }
  TFormatSettings Saved;
};

TEST_F(PickerEnvironmentTest, EnvironmentTestsFollowTheSwitches) {
  EXPECT_TRUE(IsVistaOrLater());
  EXPECT_TRUE(IsComCtl6());
  EXPECT_EQ(GetModuleFileVersion(u"COMCTL32.DLL"), (6 << 16) | 10);
  BeforeVista();
  EXPECT_FALSE(IsVistaOrLater());
  ComCtl5();
  EXPECT_FALSE(IsComCtl6());
  EXPECT_EQ(GetModuleFileVersion(u"comctl32"), (5 << 16) | 82);
  RemoveFileVersionFact(u"comctl32.dll");
  EXPECT_EQ(GetModuleFileVersion(u"COMCTL32.DLL"), -1);
  EXPECT_FALSE(IsComCtl6());
  EXPECT_EQ(GetModuleFileVersion(u"no-such-module.dll"), -1);

  EXPECT_FALSE(IsMouseButtonDown());
  Headless::ButtonDown(3, 5, 5);
  EXPECT_TRUE(IsMouseButtonDown());
  Headless::ButtonUp(3, 5, 5);
  EXPECT_FALSE(IsMouseButtonDown());
}

TEST_F(PickerEnvironmentTest, NsgDefaultsAndVersion) {
  TForm* form = NewForm();
  auto* p = Add<TNsgDateTimePicker>(form, 10, 10, 150, 23);
  EXPECT_EQ(p->GetBorderStyle(), bsNone);   // single set through the setter, then none stored
  EXPECT_EQ(p->GetBorderColor(), clNone);
  EXPECT_TRUE(p->GetCtl3D());
  EXPECT_TRUE(p->GetDoubleBuffered());
  EXPECT_FALSE(p->GetMetroStyle());
  EXPECT_TRUE(p->GetIsThemed());
  EXPECT_TRUE(p->GetIsWinXP());
  EXPECT_EQ(p->GetButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);
  for (TColor c : {p->GetButtonColor(), p->GetButtonColorHot(), p->GetButtonColorDown(), p->GetButtonTextColor(),
                   p->GetButtonTextColorHot(), p->GetButtonTextColorDown(), p->GetButtonBorderColor()})
    EXPECT_EQ(c, clNone);
  EXPECT_EQ(TNsgDateTimePicker::GetVersionNr(), 0x01000000u);
  EXPECT_EQ(p->GetVersion(), u"1.0.0.0");
  p->SetVersion(u"9.9.9.9");
  SetStrProp(p, u"Version", u"2.0.0.0");
  EXPECT_EQ(GetStrProp(p, u"Version"), u"1.0.0.0");

  ComCtl5();
  auto* old = Add<TNsgDateTimePicker>(form, 10, 40, 150, 23);
  EXPECT_FALSE(old->GetIsThemed());
}

// Metro look on and off, date and time, the button looks, disabled, border and focus colours.
class NsgPickerLooksTest : public PickerEnvironmentTest {
protected:
  void SetUp() override {
    PickerEnvironmentTest::SetUp();
    Form = NewForm(340, 250);
  }
  TNsgPicker* Picker(Integer X, Integer Y, bool Metro, TDateTimeKind Kind = dtkDate) {
    auto* p = Add<TNsgPicker>(Form, X, Y, 150, 23);
    p->SetKind(Kind);
    p->SetDateTime(EncodeDate(2024, 3, 15) + EncodeTime(9, 45, 30, 0));
    p->SetMetroStyle(Metro);
    return p;
  }
  void ShowForm() {
    Form->Show();
    Headless::Activate(Form->GetHandle());
    Application->ProcessMessages();
  }
  TForm* Form = nullptr;
};

TEST_F(NsgPickerLooksTest, SheetThemedAndClassic) {
  Picker(10, 10, false);                                   // native
  Picker(170, 10, false, dtkTime);
  auto* colored = Picker(10, 45, true);                    // coloured button, red border
  colored->SetButtonColor(clNavy);
  colored->SetButtonTextColor(clWhite);
  colored->SetButtonBorderColor(clBlack);
  colored->SetBorderColor(clRed);
  Picker(170, 45, true)->SetBorderColor(clBlue);           // themed or classic button, blue border
  Picker(10, 80, true, dtkTime)->SetBorderColor(clGreen);  // time: native spin part, border only
  auto* disabled = Picker(170, 80, true);                  // disabled: $B99D7F over the red
  disabled->SetBorderColor(clRed);
  disabled->SetEnabled(false);
  auto* plainDisabled = Picker(10, 115, true);             // kept border painting when disabled
  plainDisabled->SetDisabledBorder(true);
  plainDisabled->SetBorderColor(clRed);
  plainDisabled->SetEnabled(false);
  auto* focus = Picker(170, 115, true);                    // focus colour, focused
  focus->SetFocusBorderColor(clLime);
  auto* flat = Picker(10, 150, true);                      // no colours: the flat two-brush frame
  flat->SetFocusBorderColor(clNone);
  flat->SetFocusBorder(true);
  flat->SetEnabled(false);
  flat->SetDisabledBorder(true);
  auto* disabledTime = Picker(170, 150, true, dtkTime);    // disabled time kind
  disabledTime->SetBorderColor(clBlue);
  disabledTime->SetEnabled(false);
  ShowForm();
  focus->SetFocus();
  Application->ProcessMessages();

  const Integer w = colored->GetWidth(), h = colored->GetHeight();
  for (TPoint p : {TPoint{0, 0}, TPoint{w - 1, 0}, TPoint{0, h - 1}, TPoint{w - 1, h - 1}})
    EXPECT_EQ(WindowPixel(Form, colored, p.x, p.y), Red) << p.x << "," << p.y;
  EXPECT_EQ(WindowPixel(Form, disabled, 0, 0), Disabled);
  EXPECT_EQ(WindowPixel(Form, disabled, w - 1, h / 2), Disabled);
  EXPECT_EQ(WindowPixel(Form, plainDisabled, 0, 0), Red);
  EXPECT_EQ(WindowPixel(Form, focus, 0, 0), Lime);
  // The coloured button's fill and its arrow.
  const Integer left = colored->GetClientWidth() - colored->GetButtonWidth() + 3;
  EXPECT_EQ(WindowPixel(Form, colored, left + 4, 4), RGB(0, 0, 128));
  EXPECT_EQ(WindowPixel(Form, colored, left + 7, 1 + 8), RGB(255, 255, 255));
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/nsgdatetimepicker-themed.png",
                            "nsgdatetimepicker-themed.png");

  SetThemeActive(false);
  RepaintAll(Form);
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/nsgdatetimepicker-classic.png",
                            "nsgdatetimepicker-classic.png");
  EXPECT_EQ(WindowPixel(Form, disabled, 0, 0), Disabled);   // common controls 6, styles or not
}

TEST_F(NsgPickerLooksTest, ColouredButtonNormalHotAndDown) {
  auto* p = Picker(10, 10, true);
  p->SetButtonColor(clNavy);
  p->SetButtonColorHot(clBlue);
  p->SetButtonColorDown(clRed);
  p->SetButtonTextColor(clWhite);
  p->SetButtonTextColorDown(clYellow);
  p->SetBorderColor(clBlack);
  Add<TEdit>(Form, 10, 100, 80, 22);
  ShowForm();
  const Integer left = p->GetClientWidth() - p->GetButtonWidth() + 3;
  const Integer bx = left + 4, by = 4;
  EXPECT_FALSE(p->GetButtonHover());
  EXPECT_EQ(WindowPixel(Form, p, bx, by), RGB(0, 0, 128));

  TPoint at = p->ClientToScreen(TPoint{p->GetClientWidth() - 4, 6});
  Headless::MouseMove(at.x, at.y);
  Application->ProcessMessages();
  ASSERT_TRUE(p->GetButtonHover());
  EXPECT_EQ(WindowPixel(Form, p, bx, by), Blue);
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/nsgdatetimepicker-hot.png",
                            "nsgdatetimepicker-hot.png");
  // The right button held over it: the down colours (the calendar stays closed).
  Headless::ButtonDown(3, at.x, at.y);
  p->Invalidate();
  EXPECT_EQ(WindowPixel(Form, p, bx, by), Red);
  EXPECT_EQ(WindowPixel(Form, p, left + 7, 1 + 8), RGB(255, 255, 0));
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/nsgdatetimepicker-down.png",
                            "nsgdatetimepicker-down.png");
  Headless::ButtonUp(3, at.x, at.y);
  // Leaving the control clears the hover.
  Headless::MouseMove(5, 5);
  Application->ProcessMessages();
  EXPECT_FALSE(p->GetButtonHover());
  EXPECT_EQ(WindowPixel(Form, p, bx, by), RGB(0, 0, 128));
}

TEST_F(NsgPickerLooksTest, ThemedButtonStatesAndClassicInactive) {
  auto* p = Picker(10, 10, true);
  p->SetBorderColor(clBlack);
  auto* twin = Picker(10, 50, true);   // stays normal
  twin->SetBorderColor(clBlack);
  ShowForm();
  const Integer x = p->GetClientWidth() - 6, y = p->GetHeight() / 2;
  TPoint at = p->ClientToScreen(TPoint{p->GetClientWidth() - 4, 6});
  Headless::MouseMove(at.x, at.y);
  Application->ProcessMessages();
  ASSERT_TRUE(p->GetButtonHover());
  EXPECT_NE(WindowPixel(Form, p, x, y), WindowPixel(Form, twin, x, y));   // hot
  Headless::MouseMove(5, 5);
  Application->ProcessMessages();
  EXPECT_EQ(WindowPixel(Form, p, x, y), WindowPixel(Form, twin, x, y));

  // Classic: the combo-box arrow, inactive (greyed) when disabled.
  SetThemeActive(false);
  p->SetEnabled(false);
  p->SetDisabledBorder(true);
  RepaintAll(Form);
  EXPECT_NE(WindowPixel(Form, p, x, y), WindowPixel(Form, twin, x, y));
}

TEST_F(NsgPickerLooksTest, NothingPaintedOverTheNativeControlBeforeVista) {
  BeforeVista();
  auto* metro = Picker(10, 10, true);
  metro->SetButtonColor(clNavy);
  auto* native = Picker(10, 50, false);
  ShowForm();
  const Integer ch = metro->GetClientHeight();
  for (TPoint p : {TPoint{metro->GetClientWidth() - 6, 10}, TPoint{metro->GetClientWidth() - 2, 2}, TPoint{1, ch - 2}})
    EXPECT_EQ(Headless::ClientPixel(metro->GetHandle(), p.x, p.y), Headless::ClientPixel(native->GetHandle(), p.x, p.y))
        << p.x << "," << p.y;
}

TEST_F(NsgPickerLooksTest, FlatBorderWithoutCtl3D) {
  // Metro off: only the flat non-client frame, and only with a border colour.
  auto* single = Picker(10, 10, false);
  single->SetCtl3D(false);
  single->SetBorderColor(clRed);
  single->SetBorderStyle(bsSingle);
  auto* none = Picker(10, 50, false);
  none->SetCtl3D(false);
  none->SetBorderColor(clRed);
  auto* uncoloured = Picker(10, 90, false);
  uncoloured->SetCtl3D(false);
  ShowForm();
  // Single border with common controls 6: $B99D7F outside, the parent's colour on the inner line.
  EXPECT_EQ(WindowPixel(Form, single, 0, 5), Disabled);
  EXPECT_EQ(WindowPixel(Form, single, 5, 0), Disabled);
  // No border style with a parent: the frame vanishes into the parent.
  const COLORREF parent = ColorToRGB(Form->GetColor());
  EXPECT_EQ(WindowPixel(Form, none, 0, 5), parent);
  EXPECT_EQ(WindowPixel(Form, none, 5, 0), parent);
  // Without a border colour the platform's own one-pixel border stays.
  EXPECT_NE(WindowPixel(Form, uncoloured, 0, 5), parent);
}

}  // namespace

}  // namespace NsgDateTimePicker
