// The date-time picker control: kinds and the inner time picker, values and limits, the null
// date, date auto tab, the check box coupling, the label's fifteen places, the inner picker's
// layout by platform state, the validation balloon and bad input.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lib/base/NeoXPVS.h"
#include "lib/graphics/NeoGDIP.h"
#include "lib/grid/editing/NeoDateTimePicker.h"
#include "lib/grid/editing/NeoToolTip.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/Units.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/UxTheme.h"

namespace NeoDateTimePicker {
namespace {

const TDateTime March15 = EncodeDate(2024, 3, 15);

// Loading as the streaming system does it: csLoading while the properties are set, then Loaded.
class TLoadingPicker : public TNeoDateTimePicker {
public:
  using TNeoDateTimePicker::TNeoDateTimePicker;
  void BeginLoading() { FComponentState.Include(csLoading); }
  void EndLoading() {
    Loaded();
    FComponentState.Exclude(csLoading);
  }
};

class NeoDateTimePickerTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    // The validation balloon paints through GDI+.
    Units().Clear();
    RegisterGdiplusModule();
    RegisterNeoGDIPUnit();
    InitializeUnits();
    RegisterThemeLibrary();
    NeoXPVS::LoadThemeApi();
    Saved = FormatSettings;
    FormatSettings = TFormatSettings::German();
    Form = NewForm(360, 240);
  }
  void TearDown() override {
    SetExportMissing(u"kernel32", "GetLocaleInfoEx", false);
    ResetFileVersionFacts();
    SetThemeActive(true);
    NeoXPVS::FreeThemeApi();
    Headless::SetDpi(96);
    FormatSettings = Saved;
    UiTest::TearDown();
    FinalizeUnits();
    Units().Clear();
  }
  TNeoDateTimePicker* Picker(TNeoDateTimeKind Kind, Integer X = 80, Integer Y = 10, Integer W = 200) {
    auto* p = Add<TNeoDateTimePicker>(Form, X, Y, W, 23);
    p->SetKind(Kind);
    return p;
  }
  void ShowForm() {
    Form->Show();
    Headless::Activate(Form->GetHandle());
    Pump();
  }
  static String Shown(TNeoDateTimePicker* P) { return P->GetText(); }
  TFormatSettings Saved;
  TForm* Form = nullptr;
};

TEST_F(NeoDateTimePickerTest, DefaultsAndKinds) {
  auto* p = Add<TNeoDateTimePicker>(Form, 80, 10, 200, 23);
  EXPECT_EQ(p->GetKind(), dkDateTime);
  EXPECT_EQ(p->GetBorderStyle(), bsSingle);
  EXPECT_TRUE(p->GetCtl3D());
  EXPECT_EQ(p->GetBorderColor(), clBlack);
  EXPECT_EQ(p->GetLabelMargin(), 4);
  EXPECT_EQ(p->GetLabelPosition(), lpLeftTop);
  EXPECT_EQ(p->GetPickerLabel(), nullptr);
  EXPECT_FALSE(p->IsInnerPicker());
  EXPECT_EQ(p->GetVersion(), u"1.3.6.0");
  EXPECT_EQ(TNeoDateTimePicker::GetVersionNr(), 16975360u);
  p->SetVersion(u"0.0.0.1");
  EXPECT_EQ(p->GetVersion(), u"1.3.6.0");
  ShowForm();
  // Both: the window's creation applied the kind and made the inner picker.
  TCustomDateTimePicker* inner = p->GetTimePicker();
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->GetName(), u"TimePicker1");
  EXPECT_EQ(inner->GetParent(), p);
  EXPECT_TRUE(inner->GetIsTimePicker());
  EXPECT_TRUE(inner->IsInnerPicker());
  EXPECT_TRUE(inner->GetVisible());
  EXPECT_EQ(inner->TDateTimePicker::GetKind(), dtkTime);
  EXPECT_EQ(p->TDateTimePicker::GetKind(), dtkDate);

  p->SetDateTime(March15 + EncodeTime(14, 5, 0, 0));
  EXPECT_EQ(p->GetDateTime(), March15 + EncodeTime(14, 5, 0, 0));
  EXPECT_EQ(p->GetTime(), EncodeTime(14, 5, 0, 0));
  EXPECT_EQ(inner->TDateTimePicker::GetTime(), EncodeTime(14, 5, 0, 0));
  // The inner picker's time is the value's time.
  inner->TDateTimePicker::SetTime(EncodeTime(16, 45, 0, 0));
  EXPECT_EQ(p->GetDateTime(), March15 + EncodeTime(16, 45, 0, 0));

  // Date only: no inner picker; the native control answers alone.
  p->SetKind(dkDate);
  EXPECT_EQ(p->GetTimePicker(), nullptr);
  EXPECT_EQ(p->GetDateTime(), March15 + EncodeTime(16, 45, 0, 0));
  p->SetTime(EncodeTime(7, 0, 0, 0));
  EXPECT_EQ(p->GetTime(), EncodeTime(7, 0, 0, 0));
  p->SetKind(dkTime);
  EXPECT_EQ(p->GetTimePicker(), nullptr);
  EXPECT_EQ(p->TDateTimePicker::GetKind(), dtkTime);
  // Back to both: the value written back, the inner picker made again.
  p->SetKind(dkDateTime);
  ASSERT_NE(p->GetTimePicker(), nullptr);
  EXPECT_EQ(p->GetDateTime(), March15 + EncodeTime(7, 0, 0, 0));
}

TEST_F(NeoDateTimePickerTest, ValuesKeepTheTimeOfDayAndLimitsTheDay) {
  auto* p = Picker(dkDateTime);
  ShowForm();
  p->SetDateTime(March15 + EncodeTime(10, 20, 30, 0));
  // SetDate keeps the hour, minute and second of the present value, milliseconds dropped.
  p->SetDate(EncodeDate(2024, 5, 1) + EncodeTime(23, 0, 0, 0));
  EXPECT_EQ(p->GetDateTime(), EncodeDate(2024, 5, 1) + EncodeTime(10, 20, 30, 0));
  // A day before MinDate becomes MinDate's day; the requested time of day stays.
  p->SetMinDate(EncodeDate(2024, 4, 1) + EncodeTime(6, 0, 0, 0));
  p->SetDateTime(EncodeDate(2024, 2, 10) + EncodeTime(18, 15, 0, 0));
  EXPECT_EQ(p->GetDateTime(), EncodeDate(2024, 4, 1) + EncodeTime(18, 15, 0, 0));
  p->SetMaxDate(EncodeDate(2024, 6, 30));
  p->SetDateTime(EncodeDate(2025, 1, 1) + EncodeTime(9, 0, 0, 0));
  EXPECT_EQ(p->GetDateTime(), EncodeDate(2024, 6, 30) + EncodeTime(9, 0, 0, 0));

  // A time-only value (day 0, NullDateIsToday off) takes every later time of day.
  auto* t = Picker(dkTime, 80, 60);
  t->SetDateTime(EncodeTime(8, 0, 0, 0));
  EXPECT_EQ(t->GetDateTime(), EncodeTime(8, 0, 0, 0));
  t->SetTime(EncodeTime(11, 30, 0, 0));
  EXPECT_EQ(t->GetDateTime(), EncodeTime(11, 30, 0, 0));
  EXPECT_EQ(t->GetTime(), EncodeTime(11, 30, 0, 0));
  // NullDateIsToday: day 0 becomes today.
  t->SetNullDateIsToday(true);
  t->SetDateTime(EncodeTime(12, 0, 0, 0));
  EXPECT_EQ(t->GetDateTime(), Date() + EncodeTime(12, 0, 0, 0));
}

TEST_F(NeoDateTimePickerTest, TimeLimitsApplyOnTheChangeNotification) {
  auto* p = Picker(dkTime);
  p->SetTimeFormat(u"HH:mm");   // a time picker shows its time format
  p->SetMinTime(EncodeTime(8, 0, 0, 0));
  p->SetMaxTime(EncodeTime(17, 0, 0, 0));
  p->SetDateTime(EncodeTime(16, 0, 0, 0));
  Integer changes = 0;
  p->OnChange = [&](TObject*) { ++changes; };
  ShowForm();
  p->SetFocus();
  Pump();
  Type(u"18");   // the hour field: 18:00, notified, then limited
  Press(VK_RIGHT);
  EXPECT_EQ(p->GetDateTime(), EncodeTime(17, 0, 0, 0));
  EXPECT_GE(changes, 1);
  Press(VK_LEFT);
  Type(u"07");
  Press(VK_RIGHT);
  EXPECT_EQ(p->GetDateTime(), EncodeTime(8, 0, 0, 0));

  // The inner picker's changes are limited the same way and fire OnTimeChange.
  auto* both = Picker(dkDateTime, 80, 60);
  both->SetMinTime(EncodeTime(8, 0, 0, 0));
  both->SetMaxTime(EncodeTime(17, 0, 0, 0));
  both->SetDateTime(March15 + EncodeTime(12, 0, 0, 0));
  Integer timeChanges = 0;
  both->OnTimeChange = [&](TObject*) { ++timeChanges; };
  Pump();
  TCustomDateTimePicker* inner = both->GetTimePicker();
  ASSERT_NE(inner, nullptr);
  inner->SetFormat(u"HH:mm");
  inner->SetFocus();
  Pump();
  Type(u"20");
  Press(VK_RIGHT);
  EXPECT_EQ(both->GetTime(), EncodeTime(17, 0, 0, 0));
  EXPECT_GE(timeChanges, 1);
  EXPECT_EQ(both->GetDateTime(), March15 + EncodeTime(17, 0, 0, 0));
}

TEST_F(NeoDateTimePickerTest, CheckBoxCouplesTheInnerPicker) {
  auto* p = Picker(dkDateTime);
  p->SetShowCheckbox(true);
  p->SetDateTime(March15 + EncodeTime(9, 0, 0, 0));
  Integer clicks = 0;
  p->OnCheckClick = [&](TObject*) { ++clicks; };
  ShowForm();
  // Unticked by the user (Space on the check box): the time part goes grey.
  p->SetFocus();
  Pump();
  Press(VK_SPACE);
  EXPECT_FALSE(p->GetChecked());
  ASSERT_NE(p->GetTimePicker(), nullptr);
  EXPECT_FALSE(p->GetTimePicker()->GetEnabled());
  EXPECT_EQ(clicks, 1);
  // Ticking it enables the inner picker and fires OnCheckClick once.
  ClickAt(p, p->CheckRect().left + 3, p->CheckRect().top + 3);
  EXPECT_TRUE(p->GetChecked());
  EXPECT_TRUE(p->GetTimePicker()->GetEnabled());
  EXPECT_EQ(clicks, 2);
  // DTM_SETSYSTEMTIME clearing the date: unchecked, inner picker disabled.
  SendMessage(p->GetHandle(), DTM_SETSYSTEMTIME, static_cast<WPARAM>(GDT_NONE), 0);
  EXPECT_FALSE(p->GetChecked());
  EXPECT_FALSE(p->GetTimePicker()->GetEnabled());
  // A control made unchecked in code keeps its inner picker disabled through the updates.
  auto* q = Picker(dkDateTime, 80, 60);
  q->SetShowCheckbox(true);
  q->SetChecked(false);
  q->SetDateTime(March15);
  Pump();
  ASSERT_NE(q->GetTimePicker(), nullptr);
  EXPECT_FALSE(q->GetTimePicker()->GetEnabled());
}

TEST_F(NeoDateTimePickerTest, NullDateCycleAndCtrlDelete) {
  auto* other = Add<TEdit>(Form, 80, 100, 80, 22);   // first in tab order: focused on showing
  auto* p = Picker(dkDate);
  p->SetFormat(u"dd.MM.yyyy");
  p->SetNullDateFormat(u"'(no date)'");
  p->SetDateTime(0);
  ShowForm();
  EXPECT_EQ(p->GetFormat(), u"'(no date)'");
  EXPECT_EQ(Shown(p), u"(no date)");
  // Entering shows today with the normal format; leaving unchanged restores the null date.
  p->SetFocus();
  Pump();
  EXPECT_EQ(p->GetDate(), Date());
  EXPECT_EQ(p->GetFormat(), u"dd.MM.yyyy");
  other->SetFocus();
  Pump();
  EXPECT_EQ(p->GetDateTime(), 0.0);
  EXPECT_EQ(Shown(p), u"(no date)");
  // A change while inside keeps the new value.
  p->SetFocus();
  Pump();
  Press(VK_UP);
  other->SetFocus();
  Pump();
  EXPECT_EQ(p->GetDate(), Date() + 1);
  EXPECT_EQ(p->GetFormat(), u"dd.MM.yyyy");
  // Ctrl+Delete returns any value to 0.
  p->SetFocus();
  Pump();
  Chord(VK_CONTROL, VK_DELETE);
  EXPECT_EQ(p->GetDateTime(), 0.0);
  // Without a null format Ctrl+Delete does nothing.
  p->SetNullDateFormat(u"");
  p->SetDateTime(March15);
  Chord(VK_CONTROL, VK_DELETE);
  EXPECT_EQ(p->GetDateTime(), March15);
}

// Date auto tab with digits through the message queue.
TEST_F(NeoDateTimePickerTest, DateAutoTab) {
  struct TCase {
    TNeoDateTimeKind Kind;
    const char16_t* Format;
    Integer StartField;
    Word Day;
    const char16_t* Digits;
    const char* Expect;   // "inner", "next", or a field index as text
    const char* What;
  };
  const TCase cases[] = {
      {dkDateTime, u"dd.MM.yyyy", 4, 15, u"2025", "inner", "custom format ending in the year: the time part"},
      {dkDate, u"dd.MM.yyyy", 0, 15, u"2", "2", "custom format, day changed: the caret moves right"},
      {dkDate, u"", 0, 5, u"05", "2", "locale format, the current day retyped: the caret moves right"},
      {dkDate, u"", 0, 15, u"3", "2", "locale format, day changed: right"},
      {dkDate, u"", 4, 15, u"2025", "next", "locale format, dkDate, year changed: the next control"},
      {dkDateTime, u"", 4, 15, u"2025", "inner", "locale format, both, year changed: the time part"},
  };
  for (const TCase& k : cases) {
    SCOPED_TRACE(k.What);
    auto* p = Picker(k.Kind);
    p->SetFormat(k.Format);
    p->SetDateTime(EncodeDate(2024, 3, k.Day) + EncodeTime(9, 0, 0, 0));
    p->SetAutoTab(true);
    auto* next = Add<TEdit>(Form, 80, 100, 80, 22);
    ShowForm();
    p->SetFocus();
    Pump();
    ASSERT_EQ(p->Fields().Focused(), 0);
    for (Integer i = 0; i < k.StartField; i += 2) Press(VK_RIGHT);
    Type(k.Digits);
    const std::string expect = k.Expect;
    if (expect == "inner") {
      ASSERT_NE(p->GetTimePicker(), nullptr);
      EXPECT_TRUE(p->GetTimePicker()->Focused());
    } else if (expect == "next") {
      EXPECT_TRUE(next->Focused());
    } else {
      EXPECT_TRUE(p->Focused());
      EXPECT_EQ(p->Fields().Focused(), std::stoi(expect));
    }
    delete Form;
    Form = NewForm(360, 240);
  }
}

TEST_F(NeoDateTimePickerTest, UserStringThatDoesNotParseLeavesTheValue) {
  auto* p = Picker(dkDate);
  p->SetParseInput(true);
  p->SetDateTime(March15);
  ShowForm();
  p->SetFocus();
  Pump();
  Press(VK_F2);
  Type(u"not a date");
  Press(VK_RETURN);
  EXPECT_EQ(p->GetDate(), March15);
  Press(VK_F2);
  Type(u"24.12.2024");
  Press(VK_RETURN);
  EXPECT_EQ(p->GetDate(), EncodeDate(2024, 12, 24));
  // A handler decides: its flag and value are taken.
  p->OnUserInput = [](TObject*, const String& Text, TDateTime& Value, bool& Ok) {
    Ok = Text == u"heute";
    if (Ok) Value = EncodeDate(2000, 1, 1);
  };
  Press(VK_F2);
  Type(u"heute");
  Press(VK_RETURN);
  EXPECT_EQ(p->GetDate(), EncodeDate(2000, 1, 1));
}

TEST_F(NeoDateTimePickerTest, LabelOriginTable) {
  // A control at (100, 50) of 120 x 23; a label of 40 x 13 whose caption measures 38; margin 4.
  const TRect c{100, 50, 220, 73};
  struct TCase {
    TLabelPosition Position;
    Integer Left, TopNoBorder, TopSingle;
  };
  const TCase cases[] = {
      {lpLeftTop, 58, 50, 50},        {lpLeftCenter, 58, 55, 54},    {lpLeftBottom, 58, 60, 60},
      {lpTopLeft, 100, 33, 33},       {lpBottomLeft, 100, 77, 77},   {lpLeftTopLeft, 96, 50, 50},
      {lpLeftCenterLeft, 96, 55, 54}, {lpLeftBottomLeft, 96, 60, 60}, {lpTopCenter, 140, 33, 33},
      {lpBottomCenter, 140, 77, 77},  {lpRightTop, 224, 50, 50},     {lpRightCenter, 224, 55, 54},
      {lpRighBottom, 224, 60, 60},    {lpTopRight, 180, 33, 33},     {lpBottomRight, 180, 77, 77},
  };
  for (const TCase& k : cases) {
    EXPECT_EQ(LabelOrigin(k.Position, c, 40, 13, 38, 4, 0), (TPoint{k.Left, k.TopNoBorder})) << k.Position;
    EXPECT_EQ(LabelOrigin(k.Position, c, 40, 13, 38, 4, 2), (TPoint{k.Left, k.TopSingle})) << k.Position;
  }
  // A label taller than the control: centred above, truncating toward zero.
  EXPECT_EQ(LabelOrigin(lpLeftCenter, TRect{0, 50, 100, 60}, 40, 15, 38, 4, 0).y, 48);   // 50 - 5 div 2
  EXPECT_EQ(LabelOrigin(lpLeftCenter, TRect{0, 50, 100, 60}, 40, 15, 38, 4, 2).y, 47);   // 50 - 7 div 2
}

TEST_F(NeoDateTimePickerTest, LiveLabelFollowsTheControl) {
  auto* p = Picker(dkDate, 120, 40, 150);
  p->SetLabelCaption(u"Date:");
  TLabel* label = p->GetPickerLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetParent(), Form);
  EXPECT_EQ(label->GetFocusControl(), p);
  ShowForm();
  p->SetLabelPosition(lpTopLeft);
  EXPECT_EQ(label->GetLeft(), 120);
  EXPECT_EQ(label->GetTop(), 40 - label->GetHeight() - 4);
  p->SetLabelPosition(lpRightTop);
  EXPECT_EQ(label->GetLeft(), 120 + 150 + 4);
  p->SetBounds(100, 60, 150, 23);
  EXPECT_EQ(label->GetLeft(), 100 + 150 + 4);
  EXPECT_EQ(label->GetTop(), 60);
  // DPI scaled margin: 144 PPI makes about 6 of 4.
  Headless::SetDpi(144);
  p->SetLabelMargin(4);
  EXPECT_EQ(label->GetLeft(), 100 + 150 + static_cast<Integer>(Round(p->GetDpiScale() * 4)));
  Headless::SetDpi(96);
  // Visibility and enabled state follow; LabelAlwaysEnabled keeps it enabled.
  p->SetVisible(false);
  EXPECT_FALSE(label->GetVisible());
  p->SetVisible(true);
  EXPECT_TRUE(label->GetVisible());
  p->SetEnabled(false);
  EXPECT_FALSE(label->GetEnabled());
  p->SetLabelAlwaysEnabled(true);
  EXPECT_TRUE(label->GetEnabled());
  p->SetEnabled(true);
  // FocusLabel: bold while focused; clicks reach OnLabelClick.
  Integer clicks = 0;
  p->OnLabelClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, p);
    ++clicks;
  };
  p->SetFocusLabel(true);
  p->SetFocus();
  Pump();
  EXPECT_TRUE(label->GetFont()->GetStyle().Contains(fsBold));
  auto* other = Add<TEdit>(Form, 10, 150, 80, 22);
  other->SetFocus();
  Pump();
  EXPECT_FALSE(label->GetFont()->GetStyle().Contains(fsBold));
  ClickAt(label, 2, 2);
  EXPECT_EQ(clicks, 1);
  // An aligned control leaves room for a label on its left.
  p->SetLabelPosition(lpLeftTop);
  p->SetAlign(alTop);
  EXPECT_EQ(p->GetLeft(), label->GetWidth() + 4);
}

TEST_F(NeoDateTimePickerTest, InnerPickerLayoutByPlatformState) {
  struct TCase {
    const char* State;
    Integer LeftCut;   // left = W - w - c - LeftCut
    Integer Top, HeightCut;
  };
  const TCase cases[] = {
      {"themed, Metro", 0, 1, 2},     {"themed", 13, 1, 2},        {"styles inactive", 0, 2, 4},
      {"common controls 5", 2, -2, 0}, {"before Vista", 0, -2, 0},
  };
  for (Integer ppi : {96, 144}) {
    const Integer c = ppi == 96 ? 21 : 32;   // 31.5 rounds to the even 32
    for (const TCase& k : cases) {
      SCOPED_TRACE(std::string(k.State) + " at " + std::to_string(ppi));
      Headless::SetDpi(ppi);
      const std::string state = k.State;
      if (state == "common controls 5") SetFileVersionFact(u"comctl32.dll", 5, 82, 0, 0);
      if (state == "before Vista") SetExportMissing(u"kernel32", "GetLocaleInfoEx", true);
      if (state == "styles inactive") SetThemeActive(false);
      auto* p = Picker(dkDateTime, 80, 10, 220);
      p->SetMetroStyle(state == "themed, Metro");
      p->SetDateTime(March15 + EncodeTime(10, 30, 0, 0));
      ShowForm();
      TCustomDateTimePicker* inner = p->GetTimePicker();
      ASSERT_NE(inner, nullptr);
      // The form scales its controls to the resolution: W and H are the control's size now.
      const Integer w = inner->MeasureText(inner->GetText(), p->GetFont()).cx + c + 10;
      EXPECT_EQ(inner->GetLeft(), p->GetWidth() - w - c - k.LeftCut);
      EXPECT_EQ(inner->GetTop(), k.Top);
      EXPECT_EQ(inner->GetWidth(), w);
      EXPECT_EQ(inner->GetHeight(), p->GetHeight() - k.HeightCut);
      SetExportMissing(u"kernel32", "GetLocaleInfoEx", false);
      ResetFileVersionFacts();
      SetThemeActive(true);
      delete Form;
      Form = NewForm(360, 240);
    }
  }
}

TEST_F(NeoDateTimePickerTest, ValidationBalloonIsReusedAndFreed) {
  auto* p = Picker(dkDate);
  p->SetDateTime(March15);
  ShowForm();
  p->HideValidation();   // none: nothing
  EXPECT_EQ(p->GetValidationWindow(), nullptr);
  p->ShowValidation(u"Too early");
  TNeoToolTipWindow* first = p->GetValidationWindow();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetOwner(), p);
  EXPECT_EQ(first->GetText(), u"Too early");
  EXPECT_TRUE(first->GetVisible());
  EXPECT_EQ(p->GetBorderColor(), static_cast<TColor>(0x0000FF));   // lent while shown
  p->ShowValidation(u"Still too early");
  EXPECT_EQ(p->GetValidationWindow(), first);
  EXPECT_EQ(first->GetText(), u"Still too early");
  p->HideValidation();
  EXPECT_EQ(p->GetValidationWindow(), nullptr);
  EXPECT_EQ(p->GetBorderColor(), clBlack);   // given back
  // A settings component: used while it lives, forgotten when freed.
  auto* settings = new TNeoToolTip(Form);
  settings->SetColor(clGreen);
  p->SetToolTip(settings);
  p->ShowValidation(u"x");
  EXPECT_EQ(p->GetValidationWindow()->GetToolTip(), settings);
  delete settings;
  EXPECT_EQ(p->GetToolTip(), nullptr);
  p->ShowValidation(u"y");
  Pump();
}

TEST_F(NeoDateTimePickerTest, BadInput) {
  auto* p = Picker(dkDateTime);
  // MinDate above MaxDate: the bound set last wins; values stay inside.
  p->SetMaxDate(EncodeDate(2024, 1, 31));
  p->SetMinDate(EncodeDate(2024, 3, 1));
  p->SetDateTime(EncodeDate(2023, 6, 1) + EncodeTime(5, 0, 0, 0));
  EXPECT_EQ(p->GetDateTime(), EncodeDate(2024, 3, 1) + EncodeTime(5, 0, 0, 0));
  // A null date outside the limits is clamped like any value, so it never shows as null.
  p->SetNullDateFormat(u"'-'");
  p->SetNullDateDate(EncodeDate(1999, 1, 1));
  p->SetDateTime(EncodeDate(1999, 1, 1));
  EXPECT_EQ(p->GetDate(), EncodeDate(2024, 3, 1));
  EXPECT_NE(p->GetFormat(), u"'-'");
  // A time format equal to the null format is not remembered as the normal one.
  p->SetTimeFormat(u"HH:mm");
  p->SetTimeFormat(u"'-'");
  EXPECT_EQ(p->GetTimeFormat(), u"'-'");
  p->SetDateTime(EncodeDate(2024, 3, 2));   // not null: the remembered formats come back
  EXPECT_EQ(p->GetTimeFormat(), u"HH:mm");
  // Destroyed with a shown balloon and a freed settings component.
  ShowForm();
  auto* settings = new TNeoToolTip(Form);
  p->SetToolTip(settings);
  p->ShowValidation(u"bad");
  delete settings;
  Pump();
  delete p;
  Pump();
  EXPECT_EQ(Form->GetControlCount(), 0);
}

TEST_F(NeoDateTimePickerTest, LoadedAppliesTheStoredState) {
  Headless::SetDpi(144);
  auto* p = new TLoadingPicker(Form);
  p->BeginLoading();
  p->SetParent(Form);
  p->SetBounds(80, 10, 220, 23);
  p->SetShowCheckbox(true);
  p->SetChecked(false);
  p->SetFormat(u"dd.MM.yy");
  p->SetTimeFormat(u"HH:mm");
  p->SetParentFont(false);
  p->GetLabelFont()->SetHeight(-11);
  p->SetLabelCaption(u"Loaded:");
  p->EndLoading();
  // The inner picker made, unchecked: disabled.
  ASSERT_NE(p->GetTimePicker(), nullptr);
  EXPECT_FALSE(p->GetTimePicker()->GetEnabled());
  EXPECT_FALSE(p->GetChecked());
  // The label font scaled from its designed height.
  const auto scaled = static_cast<Integer>(Round(p->GetDpiScale() * -11));
  EXPECT_LT(scaled, -11);
  EXPECT_EQ(p->GetLabelFont()->GetHeight(), scaled);
  ShowForm();
  EXPECT_EQ(p->GetLabelFont()->GetHeight(), scaled);   // the window's creation scales from the same height
  // The loaded formats are the ones the null date gives way to.
  p->SetNullDateFormat(u"'-'");
  p->SetNullDateDate(March15);
  p->SetDateTime(March15);
  EXPECT_EQ(p->GetFormat(), u"'-'");
  p->SetDateTime(March15 + 1);
  EXPECT_EQ(p->GetFormat(), u"dd.MM.yy");
  EXPECT_EQ(p->GetTimeFormat(), u"HH:mm");
}

// Golden pictures: the three kinds with labels, and a shown balloon.
TEST_F(NeoDateTimePickerTest, KindsWithLabelAndBalloonMatchTheGoldens) {
  Form->SetClientHeight(170);
  auto* date = Picker(dkDate, 90, 10, 150);
  date->SetLabelCaption(u"Date:");
  date->SetDateTime(March15);
  auto* time = Picker(dkTime, 90, 50, 150);
  time->SetLabelCaption(u"Time:");
  time->SetLabelPosition(lpLeftCenter);
  time->SetDateTime(EncodeTime(14, 30, 0, 0));
  auto* both = Picker(dkDateTime, 90, 90, 200);
  both->SetLabelCaption(u"Both:");
  both->SetDateTime(March15 + EncodeTime(9, 15, 0, 0));
  ShowForm();
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/neodatetimepicker-kinds.png",
                            "neodatetimepicker-kinds.png");
  date->ShowValidation(u"Required");
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/neodatetimepicker-balloon.png",
                            "neodatetimepicker-balloon.png");
}

}  // namespace

}  // namespace NeoDateTimePicker
