// The picker base with auto tab: its frame, auto tab for times through the message queue, Tab for
// the grid, and the resolution routines.
#include <gtest/gtest.h>

#include <string>

#include "lib/base/NeoXPVS.h"
#include "lib/grid/editing/NeoDateTimePicker.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/SysInfo.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/UxTheme.h"

namespace NeoDateTimePicker {
namespace {

constexpr COLORREF Black = RGB(0, 0, 0), Red = RGB(255, 0, 0), Disabled = RGB(127, 157, 185);

class TTestCustomPicker : public TCustomDateTimePicker {
public:
  using TCustomDateTimePicker::TCustomDateTimePicker;
  void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
  void SetDisabledBorder(bool Value) { FDisabledBorder = Value; }
  // The colour changed without repainting the picker itself.
  void SetBorderColorQuietly(TColor Value) { FBorderColor = Value; }
};

class CustomDateTimePickerTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    RegisterThemeLibrary();
    NeoXPVS::LoadThemeApi();
    Saved = FormatSettings;
    FormatSettings = TFormatSettings::German();
    Form = NewForm(340, 220);
  }
  void TearDown() override {
    SetExportMissing(u"kernel32", "GetLocaleInfoEx", false);
    ResetFileVersionFacts();
    SetThemeActive(true);
    NeoXPVS::FreeThemeApi();
    Headless::SetDpi(96);
    FormatSettings = Saved;
    UiTest::TearDown();
  }
  TTestCustomPicker* Picker(Integer X, Integer Y, TDateTimeKind Kind = dtkDate, Integer W = 150) {
    auto* p = Add<TTestCustomPicker>(Form, X, Y, W, 23);
    p->SetKind(Kind);
    p->SetDateTime(EncodeDate(2024, 3, 15) + EncodeTime(8, 30, 0, 0));
    return p;
  }
  void ShowForm() {
    Form->Show();
    Headless::Activate(Form->GetHandle());
    Pump();
  }
  COLORREF WindowPixel(TControl* C, Integer X, Integer Y) {
    Pump();
    return Headless::ClientPixel(Form->GetHandle(), C->GetLeft() + X, C->GetTop() + Y);
  }
  static Integer FocusedField(TDateTimePicker* P) { return P->Fields().Focused(); }
  TFormatSettings Saved;
  TForm* Form = nullptr;
};

TEST_F(CustomDateTimePickerTest, DefaultsAndTheBlackFrameOfEveryPicker) {
  auto* p = Picker(10, 10);
  EXPECT_EQ(p->GetBorderColor(), clBlack);
  EXPECT_FALSE(p->GetCtl3D());
  EXPECT_EQ(p->GetBorderStyle(), bsNone);
  EXPECT_TRUE(p->GetDoubleBuffered());
  EXPECT_FALSE(p->GetAutoTab());
  EXPECT_TRUE(p->GetAutoTabToNext());
  EXPECT_FALSE(p->GetMetroStyle());
  EXPECT_FALSE(p->IsInnerPicker());
  auto* time = Picker(10, 50, dtkTime);
  auto* classic = Picker(10, 90);
  ShowForm();
  for (TControl* c : {static_cast<TControl*>(p), static_cast<TControl*>(time)}) {
    const Integer w = c->GetWidth(), h = c->GetHeight();
    for (TPoint q : {TPoint{0, 0}, TPoint{w - 1, 0}, TPoint{0, h - 1}, TPoint{w - 1, h - 1}, TPoint{w / 2, h - 1}})
      EXPECT_EQ(WindowPixel(c, q.x, q.y), Black) << q.x << "," << q.y;
  }
  // After any later non-client paint as well, and with the styles off.
  SetThemeActive(false);
  RedrawWindow(classic->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  EXPECT_EQ(WindowPixel(classic, 0, 0), Black);
  EXPECT_EQ(WindowPixel(classic, classic->GetWidth() - 1, 10), Black);

  // No border colour, no focus colour: the flat frame in the parent's colour and the face.
  classic->SetBorderColor(clNone);
  RedrawWindow(classic->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  EXPECT_EQ(WindowPixel(classic, 0, 0), ColorToRGB(Form->GetColor()));
}

TEST_F(CustomDateTimePickerTest, LooksThemedAndClassic) {
  Picker(10, 10);                                         // default: black frame
  Picker(170, 10, dtkTime)->SetBorderColor(clRed);
  auto* metro = Picker(10, 45);                           // Metro, coloured button
  metro->SetMetroStyle(true);
  metro->SetButtonColor(clNavy);
  metro->SetButtonTextColor(clWhite);
  auto* metroThemed = Picker(170, 45);                    // Metro, themed or classic button
  metroThemed->SetMetroStyle(true);
  auto* disabled = Picker(10, 80);                        // disabled: $B99D7F whatever the colour
  disabled->SetBorderColor(clRed);
  disabled->SetEnabled(false);
  auto* metroTime = Picker(170, 80, dtkTime);             // Metro time: no own button
  metroTime->SetMetroStyle(true);
  auto* focus = Picker(10, 115);                          // focus colour, focused
  focus->SetFocusBorderColor(clLime);
  auto* ctl3d = Picker(170, 115);                         // 3-D look, Metro off: native painting only
  ctl3d->SetCtl3D(true);
  auto* disabledKept = Picker(10, 150);
  disabledKept->SetDisabledBorder(true);
  disabledKept->SetEnabled(false);
  ShowForm();
  focus->SetFocus();
  Pump();
  EXPECT_EQ(WindowPixel(disabled, 0, 0), Disabled);
  EXPECT_EQ(WindowPixel(disabledKept, 0, 0), Black);
  EXPECT_EQ(WindowPixel(focus, 0, 0), RGB(0, 255, 0));
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/customdatetimepicker-themed.png",
                            "customdatetimepicker-themed.png");
  SetThemeActive(false);
  for (int i = 0; i < Form->GetControlCount(); ++i)
    RedrawWindow(static_cast<TWinControl*>(Form->GetControls(i))->GetHandle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE);
  Pump();
  EXPECT_EQ(WindowPixel(disabled, 0, 0), Disabled);
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/customdatetimepicker-classic.png",
                            "customdatetimepicker-classic.png");
}

TEST_F(CustomDateTimePickerTest, InnerPickerFramesItsParent) {
  auto* outer = Picker(10, 10, dtkDate, 200);
  outer->SetBorderColor(clRed);
  auto* inner = new TTestCustomPicker(outer);
  inner->SetParent(outer);
  inner->SetIsTimePicker(true);
  inner->SetKind(dtkTime);
  inner->SetBounds(100, 1, 90, 19);
  EXPECT_TRUE(inner->IsInnerPicker());
  ShowForm();
  // The inner picker's painting draws the parent's frame in the parent's colour.
  outer->SetBorderColorQuietly(clBlue);
  RedrawWindow(inner->GetHandle(), nullptr, nullptr, RDW_INVALIDATE);
  Pump();
  EXPECT_EQ(WindowPixel(outer, 0, 0), RGB(0, 0, 255));
  // Disabled, the inner picker draws nothing of the parent's.
  inner->SetEnabled(false);
  Pump();
  outer->SetBorderColorQuietly(clLime);
  RedrawWindow(inner->GetHandle(), nullptr, nullptr, RDW_INVALIDATE);
  Pump();
  EXPECT_EQ(WindowPixel(outer, 0, 0), RGB(0, 0, 255));
}

// Auto tab in the time kind, digits typed through the message queue.
class CustomAutoTabTest : public CustomDateTimePickerTest {
protected:
  void Build(const String& Format, bool AutoTab, bool ToNext) {
    P = Picker(10, 10, dtkTime);
    P->SetFormat(Format);
    P->SetAutoTab(AutoTab);
    P->SetAutoTabToNext(ToNext);
    Next = Add<TEdit>(Form, 10, 60, 100, 22);
    Start = Add<TEdit>(Form, 10, 100, 100, 22);
    Start->SetTabOrder(0);
    ShowForm();
    Start->SetFocus();
    Pump();
  }
  // The focus arrives by Tab; with auto tab the posted click puts the caret into the first field.
  void Enter() {
    Press(VK_TAB);
    ASSERT_TRUE(P->Focused());
  }
  TTestCustomPicker* P = nullptr;
  TEdit* Next = nullptr;
  TEdit* Start = nullptr;
};

TEST_F(CustomAutoTabTest, DigitsMoveTheCaretOrTheFocus) {
  struct TCase {
    const char16_t* Format;
    bool ToNext;
    Integer StartField;   // index in the format's fields (separators count)
    const char16_t* Digit;
    Integer FieldAfter;   // -1: the focus went to the next control
    const char* What;
  };
  const TCase cases[] = {
      {u"HH:mm:ss", true, 0, u"1", 2, "hour changed: the caret moves to the minutes"},
      {u"HH:mm:ss", true, 0, u"8", 0, "hour typed as it was: nothing"},
      {u"HH:mm:ss", true, 4, u"5", -1, "only the seconds changed: the next control"},
      {u"ss:HH:mm", false, 0, u"5", 2, "only the seconds changed, AutoTabToNext off: the caret moves right"},
  };
  for (const TCase& k : cases) {
    SCOPED_TRACE(k.What);
    Build(k.Format, true, k.ToNext);
    Enter();
    EXPECT_EQ(FocusedField(P), 0);
    for (Integer i = 0; i < k.StartField; i += 2) Press(VK_RIGHT);
    ASSERT_EQ(FocusedField(P), k.StartField);
    Type(k.Digit);
    if (k.FieldAfter < 0) {
      EXPECT_TRUE(Next->Focused());
    } else {
      EXPECT_TRUE(P->Focused());
      EXPECT_EQ(FocusedField(P), k.FieldAfter);
    }
    EXPECT_EQ(P->GetLast2Keys(), String(k.Digit));
    delete Form;
    Form = NewForm(340, 220);
  }
}

TEST_F(CustomAutoTabTest, AutoTabOffPostsNothing) {
  Build(u"HH:mm:ss", false, true);
  P->SetFocus();
  Pump();
  Press(VK_RIGHT);
  ASSERT_EQ(FocusedField(P), 2);
  Start->SetFocus();
  Pump();
  // Focus without auto tab: no click, the caret stays in the minutes.
  P->SetFocus();
  Pump();
  EXPECT_EQ(FocusedField(P), 2);
  Type(u"4");
  EXPECT_EQ(FocusedField(P), 2);
  EXPECT_TRUE(P->GetLast2Keys().empty());
  MSG msg;
  EXPECT_FALSE(PeekMessage(&msg, P->GetHandle(), DTPShiftFocusMessage(), DTPShiftFocusMessage(), PM_NOREMOVE));
  // With auto tab the focus arrives with a click on the first field, which leaves no capture.
  Start->SetFocus();
  Pump();
  P->SetAutoTab(true);
  P->SetFocus();
  Pump();
  EXPECT_EQ(FocusedField(P), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CustomDateTimePickerTest, GetDlgCodeWantsTabByPartAndShift) {
  auto* outer = Picker(10, 10);
  auto* inner = Picker(10, 50, dtkTime);
  inner->SetIsTimePicker(true);
  ShowForm();
  struct TCase {
    bool Inner, Shift, Grid, WantsTab;
  };
  const TCase cases[] = {
      {false, false, true, false}, {false, true, true, true}, {true, false, true, true}, {true, true, true, false},
      {false, true, false, false}, {true, false, false, false},
  };
  for (const TCase& k : cases) {
    TTestCustomPicker* p = k.Inner ? inner : outer;
    p->SetGridTabhandling(k.Grid);
    if (k.Shift) Headless::KeyDown(VK_SHIFT);
    Pump();
    const LRESULT code = SendMessage(p->GetHandle(), WM_GETDLGCODE, 0, 0);
    if (k.Shift) Headless::KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ((code & DLGC_WANTTAB) != 0, k.WantsTab) << k.Inner << k.Shift << k.Grid;
    EXPECT_TRUE(code & DLGC_WANTARROWS);   // the platform picker's own answer stays
  }
}

TEST_F(CustomDateTimePickerTest, DpiScaleFollowsTheMonitorOfAScaledForm) {
  auto* p = Picker(10, 10);
  ShowForm();
  EXPECT_EQ(p->GetDpiScale(), 1.0);
  double last = 1.0;
  for (Integer ppi : {120, 144}) {
    Headless::SetDpi(ppi);
    const double scale = p->GetDpiScale();
    EXPECT_DOUBLE_EQ(scale, static_cast<double>(TextHeightAtPpi(ppi)) / TextHeightAtPpi(96)) << ppi;
    EXPECT_NEAR(scale, ppi / 96.0, 0.2) << ppi;
    EXPECT_GT(scale, last);
    last = scale;
  }
  // Measured text: one line, wider for longer text.
  const TSize one = p->MeasureText(u"00:00", p->GetFont()), two = p->MeasureText(u"00:00:00", p->GetFont());
  EXPECT_GT(two.cx, one.cx);
  EXPECT_EQ(two.cy, one.cy);
  EXPECT_EQ(TwoDigitText(7), u"07");
  EXPECT_EQ(TwoDigitText(12), u"12");
}

}  // namespace

}  // namespace NeoDateTimePicker
