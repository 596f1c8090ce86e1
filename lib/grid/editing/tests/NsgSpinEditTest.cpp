// The spin edit: text forms and clamping, stepping by the field under the caret, the key filter,
// keys, clipboard and focus rules, layout, and loading.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lib/grid/editing/NsgSpin.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/testsupport/Utf8.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

class NsgSpinEditTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Saved = FormatSettings;
    FormatSettings = TFormatSettings::German();
    Form = NewForm(240, 120);
    Spin = Add<TNsgSpinEdit>(Form, 10, 10, 120, 24);
    Other = Add<TEdit>(Form, 10, 60, 120, 24);
    Form->Show();
    Pump();
    Spin->SetFocus();
    Pump();
  }
  void TearDown() override {
    FormatSettings = Saved;
    UiTest::TearDown();
  }
  // The caret at Pos, nothing selected.
  void Caret(Integer Pos) {
    Spin->SetSelStart(Pos);
    Spin->SetSelLength(0);
  }

  TFormatSettings Saved;
  TForm* Form = nullptr;
  TNsgSpinEdit* Spin = nullptr;
  TEdit* Other = nullptr;
};

TEST_F(NsgSpinEditTest, IntegerDefaultsStepsAndLimits) {
  EXPECT_EQ(Spin->GetText(), u"0");
  EXPECT_EQ(Spin->GetButton()->GetParent(), Spin);
  EXPECT_EQ(Spin->GetButton()->GetFocusControl(), Spin);
  int keyDowns = 0;
  Spin->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++keyDowns; };
  Press(VK_UP);
  EXPECT_EQ(Spin->GetText(), u"1");
  Press(VK_PRIOR);   // the page step is for floats only
  EXPECT_EQ(Spin->GetText(), u"2");
  Press(VK_NEXT);
  Press(VK_DOWN);
  EXPECT_EQ(Spin->GetText(), u"0");
  EXPECT_EQ(keyDowns, 0);   // the four stepping keys never reach the key-down event
  Press(VK_LEFT);
  EXPECT_EQ(keyDowns, 1);
  Press(VK_DOWN);   // the floor
  EXPECT_EQ(Spin->GetText(), u"0");
  Spin->SetValue(99);
  Press(VK_UP);
  Press(VK_UP);
  EXPECT_EQ(Spin->GetText(), u"100");
  Spin->SetValue(250);
  EXPECT_EQ(Spin->GetText(), u"100");
  Spin->SetMinValue(5);
  Spin->SetMaxValue(5);   // equal bounds: no limit
  Spin->SetValue(250);
  EXPECT_EQ(Spin->GetText(), u"250");
  Spin->SetValue(-7);
  EXPECT_EQ(Spin->GetValue(), -7);
  // Reading: blanks trimmed, empty is 0, anything else that is no number the minimum.
  struct TRead {
    const Char* Text;
    Integer Value;
  };
  for (const TRead& r : {TRead{u" 42 ", 42}, TRead{u"", 0}, TRead{u"zwölf", 5}, TRead{u"1,5", 5}}) {
    Spin->SetText(r.Text);
    EXPECT_EQ(Spin->GetValue(), r.Value) << U8(r.Text);
  }
  // The button steps as well; a read-only edit beeps and stays.
  Spin->SetMinValue(0);
  Spin->SetMaxValue(100);
  Spin->SetValue(10);
  Spin->GetButton()->GetUpButton()->Click();
  EXPECT_EQ(Spin->GetText(), u"11");
  Spin->SetReadOnly(true);
  Headless::ClearBeeps();
  Spin->GetButton()->GetDownButton()->Click();
  Press(VK_UP);
  EXPECT_EQ(Spin->GetText(), u"11");
  EXPECT_EQ(Headless::Beeps().size(), 2u);
}

TEST_F(NsgSpinEditTest, FloatsWithPrecisionAndTheirKeyFilter) {
  Spin->SetSpinType(sptFloat);
  EXPECT_EQ(Spin->GetText(), u"0");
  Spin->SetPrecision(2);
  Spin->SetFloatValue(1.5);
  EXPECT_EQ(Spin->GetText(), u"1,50");
  Press(VK_UP);
  EXPECT_EQ(Spin->GetText(), u"1,60");
  Press(VK_PRIOR);
  EXPECT_EQ(Spin->GetText(), u"2,60");
  Spin->SetFloatValue(1000);
  EXPECT_EQ(Spin->GetText(), u"100,00");
  // A text that is no number reads as the integer minimum.
  Spin->SetMinValue(3);
  Spin->SetText(u"abc");
  EXPECT_DOUBLE_EQ(Spin->GetFloatValue(), 3.0);
  Spin->SetMinValue(0);

  Spin->SetFloatValue(1.5);
  Headless::ClearBeeps();
  Caret(4);
  Type(u"7");   // a third decimal
  EXPECT_EQ(Spin->GetText(), u"1,50");
  Caret(0);
  Type(u"2");   // before the separator any number of digits
  EXPECT_EQ(Spin->GetText(), u"21,50");
  Caret(5);
  Type(u",");   // a second separator
  EXPECT_EQ(Spin->GetText(), u"21,50");
  EXPECT_EQ(Headless::Beeps().size(), 2u);
  Spin->SetSelStart(1);
  Spin->SetSelLength(2);   // "1," selected: the separator may replace it
  Type(u",");
  EXPECT_EQ(Spin->GetText(), u"2,50");

  // The separator is the locale's.
  FormatSettings = TFormatSettings::USEnglish();
  Spin->SetText(u"2.5");
  Spin->SetPrecision(2);
  EXPECT_EQ(Spin->GetText(), u"2.50");
  FormatSettings = TFormatSettings::German();
  Spin->SetText(u"2,5");
  Spin->SetPrecision(1);

  // General format without trailing zeros.
  Spin->SetPrecision(0);
  EXPECT_EQ(Spin->GetText(), u"2,5");
  Spin->SetFloatValue(1.0 / 3.0);
  EXPECT_EQ(Spin->GetText(), u"0,333333333333333");
  Spin->SetFloatValue(20);
  EXPECT_EQ(Spin->GetText(), u"20");
}

TEST_F(NsgSpinEditTest, DatesStepTheFieldUnderTheCaret) {
  struct TCase {
    const char* Name;
    bool Us;
    TDateTime Start;
    Integer Caret;
    bool Up;
    TDateTime Expected;
  };
  const TCase cases[] = {
      {"day field", false, EncodeDate(2023, 1, 31), 0, true, EncodeDate(2023, 2, 1)},
      {"day field down", false, EncodeDate(2023, 3, 1), 2, false, EncodeDate(2023, 2, 28)},
      {"month field limits the day", false, EncodeDate(2023, 1, 31), 3, true, EncodeDate(2023, 2, 28)},
      {"month field in a leap year", false, EncodeDate(2024, 1, 31), 5, true, EncodeDate(2024, 2, 29)},
      {"month field down", false, EncodeDate(2024, 1, 15), 4, false, EncodeDate(2023, 12, 15)},
      {"year field", false, EncodeDate(2023, 1, 31), 6, true, EncodeDate(2024, 1, 31)},
      {"leap day a year on", false, EncodeDate(2024, 2, 29), 10, true, EncodeDate(2025, 2, 28)},
      {"leap day a year back", false, EncodeDate(2024, 2, 29), 8, false, EncodeDate(2023, 2, 28)},
      {"month first", true, EncodeDate(2023, 1, 31), 0, true, EncodeDate(2023, 2, 28)},
      {"then the day", true, EncodeDate(2023, 1, 31), 2, true, EncodeDate(2023, 2, 1)},
      {"then the year", true, EncodeDate(2023, 1, 31), 5, false, EncodeDate(2022, 1, 31)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FormatSettings = c.Us ? TFormatSettings::USEnglish() : TFormatSettings::German();
    Spin->SetSpinType(sptDate);
    Spin->SetDateValue(c.Start);
    Caret(c.Caret);
    Press(c.Up ? VK_UP : VK_DOWN);
    EXPECT_EQ(U8(Spin->GetText()), U8(DateToStr(c.Expected)));
    EXPECT_EQ(Spin->GetUsDates(), c.Us);
    EXPECT_EQ(Spin->GetSelStart(), c.Caret);   // the caret stays in its field
  }
  // "0" and an empty text read as today; a fresh integer edit switched to dates shows today.
  FormatSettings = TFormatSettings::German();
  auto* fresh = Add<TNsgSpinEdit>(Form, 140, 10, 90, 24);
  fresh->SetSpinType(sptDate);
  EXPECT_EQ(fresh->GetText(), DateToStr(Date()));
  // Nonsense reads as the minimum date; the range clamps, equal bounds do not.
  Spin->SetMinDateValue(EncodeDate(2020, 1, 1));
  Spin->SetMaxDateValue(EncodeDate(2020, 12, 31));
  Spin->SetText(u"gestern");
  EXPECT_DOUBLE_EQ(Spin->GetDateValue(), EncodeDate(2020, 1, 1));
  Spin->SetDateValue(EncodeDate(2021, 6, 1));
  EXPECT_EQ(Spin->GetText(), u"31.12.2020");
  Caret(0);
  Press(VK_UP);
  EXPECT_EQ(Spin->GetText(), u"31.12.2020");
}

TEST_F(NsgSpinEditTest, TimesStepByFieldAndWrapAtMidnight) {
  Spin->SetSpinType(sptTime);
  EXPECT_EQ(Spin->GetText(), u"00:00:00");
  struct TCase {
    const char* Name;
    TDateTime Start;
    Integer Caret;
    Integer Hours, Minutes, Seconds;
    bool Up;
    const Char* Expected;
  };
  const TCase cases[] = {
      {"hours over midnight", EncodeTime(23, 30, 0, 0), 0, 1, 1, 1, true, u"00:30:00"},
      {"minutes below midnight", EncodeTime(0, 10, 0, 0), 3, 1, 20, 1, false, u"23:50:00"},
      {"seconds", EncodeTime(10, 0, 59, 0), 6, 1, 1, 1, true, u"10:01:00"},
      {"seconds down", EncodeTime(10, 0, 0, 0), 8, 1, 1, 15, false, u"09:59:45"},
      {"hours down", EncodeTime(5, 0, 0, 0), 1, 6, 1, 1, false, u"23:00:00"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Spin->SetIncrementHours(c.Hours);
    Spin->SetIncrementMinutes(c.Minutes);
    Spin->SetIncrementSeconds(c.Seconds);
    Spin->SetTimeValue(c.Start);
    Caret(c.Caret);
    Press(c.Up ? VK_UP : VK_DOWN);
    EXPECT_EQ(U8(Spin->GetText()), U8(c.Expected));
  }
  // Without seconds: "h:nn", and the field after the first separator is the minutes.
  Spin->SetShowSeconds(false);
  Spin->SetIncrementMinutes(1);
  Spin->SetTimeValue(EncodeTime(7, 5, 30, 0));
  EXPECT_EQ(Spin->GetText(), u"7:05");
  Caret(4);
  Spin->SpinUp(false);
  EXPECT_EQ(Spin->GetText(), u"7:06");
  // An increment of a whole day is no time of day: the conversion error, the value stays.
  Spin->SetIncrementHours(24);
  Caret(0);
  EXPECT_THROW(Spin->SpinUp(false), EConvertError);
  EXPECT_EQ(Spin->GetText(), u"7:06");
  Spin->SetText(u"spät");
  EXPECT_DOUBLE_EQ(Spin->GetTimeValue(), 0.0);
}

// Each rule of the key filter, with separators that collide: "." as date and decimal separator,
// "-" as date separator.
TEST_F(NsgSpinEditTest, KeyFilterRulesInOrder) {
  TFormatSettings dotDates = TFormatSettings::German();
  dotDates.DecimalSeparator = u'.';
  dotDates.ThousandSeparator = u' ';
  TFormatSettings dashDates = TFormatSettings::German();
  dashDates.DateSeparator = u'-';
  TFormatSettings de = TFormatSettings::German();
  struct TCase {
    const char* Name;
    const TFormatSettings* Settings;
    TNsgSpinType Type;
    const Char* Text;
    Integer SelStart, SelLength;
    Char Key;
    bool Valid;
  };
  const TCase cases[] = {
      {"backspace", &de, sptNormal, u"12", 2, 0, 8, true},
      {"digit", &de, sptNormal, u"12", 2, 0, u'3', true},
      {"letter", &de, sptFloat, u"12", 2, 0, u'a', false},
      {"enter", &de, sptFloat, u"12", 2, 0, 13, false},
      {"escape in a float", &de, sptFloat, u"12", 2, 0, 27, true},
      {"escape in an integer", &de, sptNormal, u"12", 2, 0, 27, false},
      {"arabic-indic digit", &de, sptNormal, u"1", 1, 0, 0x0663, true},
      {"time separator in a date", &de, sptDate, u"1", 1, 0, u':', false},
      {"time separator in a float", &de, sptFloat, u"1", 1, 0, u':', false},
      {"time separator in a time", &de, sptTime, u"1", 1, 0, u':', true},
      {"date separator in a date", &de, sptDate, u"1", 1, 0, u'.', true},
      {"date separator in a time", &de, sptTime, u"1", 1, 0, u'.', false},
      {"German thousand separator in a float", &de, sptFloat, u"1", 1, 0, u'.', false},
      {"dot is date and decimal: float keeps it", &dotDates, sptFloat, u"1", 1, 0, u'.', true},
      {"dot is date and decimal: time refuses it", &dotDates, sptTime, u"1", 1, 0, u'.', false},
      {"dot is date and decimal: date takes it", &dotDates, sptDate, u"1", 1, 0, u'.', true},
      {"dash date separator in a float at the start", &dashDates, sptFloat, u"1", 0, 0, u'-', true},
      {"dash date separator in a date after digits", &dashDates, sptDate, u"1", 1, 0, u'-', false},
      {"dash in a time after digits", &dashDates, sptTime, u"1", 1, 0, u'-', false},
      {"minus at the start", &de, sptNormal, u"12", 0, 0, u'-', true},
      {"minus after a digit", &de, sptNormal, u"12", 1, 0, u'-', false},
      {"second minus", &de, sptNormal, u"-12", 0, 0, u'-', false},
      {"minus over the selected minus", &de, sptNormal, u"-12", 0, 2, u'-', true},
      {"thousand separator in an integer", &de, sptNormal, u"1", 1, 0, u'.', false},
      {"decimal separator once", &de, sptFloat, u"1", 1, 0, u',', true},
      {"decimal separator twice", &de, sptFloat, u"1,5", 3, 0, u',', false},
      {"decimal separator over the selected one", &de, sptFloat, u"1,5", 1, 1, u',', true},
      {"third time separator", &de, sptTime, u"10:20:30", 8, 0, u':', false},
      {"second time separator", &de, sptTime, u"10:20", 5, 0, u':', true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FormatSettings = *c.Settings;
    Spin->SetSpinType(c.Type);
    Spin->SetText(c.Text);
    Spin->SetSelStart(c.SelStart);
    Spin->SetSelLength(c.SelLength);
    Char key = c.Key;
    EXPECT_EQ(Spin->IsValidChar(key), c.Valid);
  }
  // Precision: the 1-based separator position against the 0-based caret.
  FormatSettings = de;
  Spin->SetSpinType(sptFloat);
  Spin->SetPrecision(2);
  struct TPrecision {
    const Char* Text;
    Integer Caret;
    bool Valid;
  };
  for (const TPrecision& p : {TPrecision{u"1,5", 3, true}, TPrecision{u"1,55", 4, false}, TPrecision{u"1,55", 2, false},
                              TPrecision{u"1,55", 1, true}, TPrecision{u"12,5", 2, true}}) {
    SCOPED_TRACE(U8(p.Text) + " caret " + std::to_string(p.Caret));
    Spin->SetText(p.Text);
    Caret(p.Caret);
    Char key = u'7';
    EXPECT_EQ(Spin->IsValidChar(key), p.Valid);
  }
  // With the editor off only control characters pass, and backspace not even that.
  Spin->SetEditorEnabled(false);
  for (Char k : {Char(u'7'), Char(u','), Char(8)}) {
    Char key = k;
    EXPECT_FALSE(Spin->IsValidChar(key)) << int(k);
  }
  Char escape = 27;
  EXPECT_TRUE(Spin->IsValidChar(escape));
}

TEST_F(NsgSpinEditTest, EditorDisabledOnlySteps) {
  Spin->SetEditorEnabled(false);
  Spin->SetValue(42);
  EXPECT_EQ(Spin->GetSelLength(), 2);   // written values are selected
  Headless::ClearBeeps();
  Caret(2);
  Type(u"5");
  EXPECT_EQ(Spin->GetText(), u"42");
  EXPECT_EQ(Headless::Beeps().size(), 1u);
  Caret(0);
  Press(VK_DELETE);
  EXPECT_EQ(Spin->GetText(), u"42");
  Other->SetText(u"77");
  Other->SelectAll();
  Other->CopyToClipboard();
  Spin->SelectAll();
  Spin->PasteFromClipboard();
  Spin->CutToClipboard();
  EXPECT_EQ(Spin->GetText(), u"42");
  Press(VK_UP);
  EXPECT_EQ(Spin->GetText(), u"43");
  EXPECT_EQ(Spin->GetSelLength(), 2);
  // Entered from the keyboard, the text is selected.
  Other->SetFocus();
  Pump();
  Caret(0);
  Chord(VK_SHIFT, VK_TAB);
  EXPECT_TRUE(Spin->Focused());
  EXPECT_EQ(Spin->GetSelLength(), 2);
  // With the editor on, paste works.
  Spin->SetEditorEnabled(true);
  Spin->SelectAll();
  Spin->PasteFromClipboard();
  EXPECT_EQ(Spin->GetText(), u"77");
}

TEST_F(NsgSpinEditTest, KeypadDecimalAndReturnIsTab) {
  Spin->SetSpinType(sptFloat);
  Spin->SetExcelStyleDecimalSeparator(true);
  Spin->SetText(u"3");
  Caret(1);
  Headless::ClearBeeps();
  Press(VK_OEM_PERIOD);   // the main full stop is the German thousand separator: refused
  EXPECT_EQ(Spin->GetText(), u"3");
  EXPECT_EQ(Headless::Beeps().size(), 1u);
  Press(VK_DECIMAL);   // the keypad's key types the locale's separator
  EXPECT_EQ(Spin->GetText(), u"3,");
  Spin->SetExcelStyleDecimalSeparator(false);
  Spin->SetText(u"3");
  Caret(1);
  Press(VK_DECIMAL);
  EXPECT_EQ(Spin->GetText(), u"3");

  // Enter: refused by the filter; with ReturnIsTab a Tab that moves on.
  Headless::ClearBeeps();
  Press(VK_RETURN);
  EXPECT_TRUE(Spin->Focused());
  EXPECT_FALSE(Headless::Beeps().empty());
  std::vector<WPARAM> keys;
  auto inherited = Spin->WindowProc;
  Spin->WindowProc = [&](TMessage& M) {
    if (M.Msg == WM_KEYDOWN) keys.push_back(M.WParam);
    inherited(M);
  };
  Spin->SetReturnIsTab(true);
  Press(VK_RETURN);
  // The posted Tab is a dialog key: the form takes it and moves the focus on.
  EXPECT_EQ(keys, (std::vector<WPARAM>{VK_RETURN}));
  EXPECT_TRUE(Other->Focused());
  Spin->WindowProc = inherited;
}

TEST_F(NsgSpinEditTest, LeavingClampsTheValue) {
  Spin->SetText(u"250");
  Other->SetFocus();
  Pump();
  EXPECT_EQ(Spin->GetText(), u"100");
  Spin->SetSpinType(sptFloat);
  Spin->SetText(u"-3,5");
  Spin->SetFocus();
  Other->SetFocus();
  Pump();
  EXPECT_EQ(Spin->GetText(), u"0");
  Spin->SetText(u"12,25");   // inside: the text stays as typed
  Spin->SetFocus();
  Other->SetFocus();
  Pump();
  EXPECT_EQ(Spin->GetText(), u"12,25");
}

TEST_F(NsgSpinEditTest, LayoutMinimumHeightAndButtonPlace) {
  struct TCase {
    const char* Name;
    const Char* FontName;
    Integer FontSize;
    TBorderStyle Border;
  };
  const TCase cases[] = {
      {"small with border", u"DejaVu Sans", 8, bsSingle},
      {"small without border", u"DejaVu Sans", 8, bsNone},
      {"large with border", u"DejaVu Serif", 20, bsSingle},
      {"large without border", u"DejaVu Serif", 20, bsNone},
  };
  HDC dc = GetDC(nullptr);
  TEXTMETRICW system{};
  GetTextMetrics(dc, &system);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Spin->GetFont()->SetName(c.FontName);
    Spin->GetFont()->SetSize(c.FontSize);
    Spin->SetBorderStyle(c.Border);
    TEXTMETRICW tm{};
    HGDIOBJ old = SelectObject(dc, Spin->GetFont()->GetHandle());
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    const Integer s = std::min(tm.tmHeight, system.tmHeight);
    const Integer expected = tm.tmHeight + s / 4 + 2 + (c.Border == bsSingle ? 4 * GetSystemMetrics(SM_CYBORDER) : 0);
    EXPECT_EQ(Spin->GetMinHeight(), expected);
    Spin->SetHeight(4);   // raised to the minimum
    EXPECT_EQ(Spin->GetHeight(), expected);
    const Integer height = std::max(40, expected);
    Spin->SetBounds(10, 10, 120, height);
    const Integer m = c.Border == bsSingle ? 5 : 1;
    EXPECT_EQ(Spin->GetButton()->GetBoundsRect(), (TRect{120 - 15 - m, 0, 120 - m, height - m}));
    RECT r{};
    Spin->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    const Integer edge = c.Border == bsNone ? 3 : 0;
    const TRect client = Spin->GetClientRect();
    EXPECT_EQ(TRect(r), (TRect{edge, edge, client.right - 15 - 2 - edge, client.bottom + 1}));
  }
  ReleaseDC(nullptr, dc);
  EXPECT_TRUE(GetWindowLong(Spin->GetHandle(), GWL_STYLE) & ES_MULTILINE);
  EXPECT_TRUE(GetWindowLong(Spin->GetHandle(), GWL_STYLE) & WS_CLIPCHILDREN);
  // A multi-line style only for the rectangle: Enter adds no line and the text stays one line.
  Spin->SetText(u"12");
  Caret(2);
  Press(VK_RETURN);
  EXPECT_EQ(Spin->GetText(), u"12");
  Spin->SetEditAlign(eaRight);
  EXPECT_TRUE(GetWindowLong(Spin->GetHandle(), GWL_STYLE) & ES_RIGHT);
  EXPECT_EQ(Spin->GetAlignment(), taRightJustify);
  // Direction: the button turns horizontal and is placed again at the right edge.
  Spin->SetBorderStyle(bsSingle);
  Spin->SetDirection(spHorizontal);
  EXPECT_EQ(Spin->GetButton()->GetDirection(), spHorizontal);
  EXPECT_EQ(Spin->GetButton()->GetWidth(), 20);
  EXPECT_EQ(Spin->GetButton()->GetLeft(), Spin->GetWidth() - 20 - 5);
  Spin->SetSpinFlat(true);
  EXPECT_TRUE(Spin->GetButton()->GetUpButton()->GetFlat());
  EXPECT_TRUE(Spin->GetButton()->GetDownButton()->GetFlat());
  Spin->SetIsWinXP(true);
  EXPECT_TRUE(Spin->GetButton()->GetIsWinXP());
}

// A descendant's click handlers receive the button's clicks.
class TCountingSpinEdit : public TNsgSpinEdit {
public:
  using TNsgSpinEdit::TNsgSpinEdit;
  void UpClick(TObject* Sender) override {
    ++Ups;
    TNsgSpinEdit::UpClick(Sender);
  }
  void DownClick(TObject*) override { ++Downs; }
  void BeginLoading() { FComponentState.Include(csLoading); }
  void EndLoading() {
    Loaded();
    FComponentState.Exclude(csLoading);
  }
  int Ups = 0, Downs = 0;
};

TEST_F(NsgSpinEditTest, DescendantsGetEveryButtonClick) {
  auto* e = Add<TCountingSpinEdit>(Form, 140, 10, 90, 24);
  e->GetButton()->GetUpButton()->Click();
  e->GetButton()->GetDownButton()->Click();
  e->GetButton()->GetDownButton()->Click();
  EXPECT_EQ(e->Ups, 1);
  EXPECT_EQ(e->Downs, 2);
  EXPECT_EQ(e->GetText(), u"1");   // the override of DownClick does not step
}

// The stored properties applied by name while loading, as a form description would.
TEST_F(NsgSpinEditTest, LoadingRestoresDateAndTimeValuesAndTypes) {
  struct TCase {
    const char* Name;
    const Char* SpinType;
    const Char* ValueProperty;
    TDateTime Value;
    const Char* Expected;
  };
  const TCase cases[] = {
      {"date", u"sptDate", u"DateValue", EncodeDate(2024, 2, 29), u"29.02.2024"},
      {"time", u"sptTime", u"TimeValue", EncodeTime(13, 45, 10, 0), u"13:45:10"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto* e = new TCountingSpinEdit(Form);
    e->BeginLoading();
    e->SetParent(Form);
    SetEnumProp(e, u"SpinType", c.SpinType);
    SetFloatProp(e, c.ValueProperty, c.Value);
    SetOrdProp(e, u"MaxValue", 50);
    EXPECT_EQ(e->GetText(), u"0");   // date and time setters only store while loading
    e->EndLoading();
    EXPECT_EQ(GetEnumProp(e, u"SpinType"), c.SpinType);
    EXPECT_EQ(U8(e->GetText()), U8(c.Expected));
    EXPECT_DOUBLE_EQ(GetFloatProp(e, c.ValueProperty), c.Value);
    EXPECT_EQ(e->GetMaxValue(), 50);
  }
  // Integer and float setters write the text at once, also while loading.
  auto* e = new TCountingSpinEdit(Form);
  e->BeginLoading();
  SetOrdProp(e, u"Value", 7);
  EXPECT_EQ(e->GetText(), u"7");
  e->EndLoading();
  EXPECT_EQ(e->GetText(), u"7");
}

// Spin edits as a person sees them: integer with the vertical button, float with the horizontal
// one, a date without border, a themed time, and a disabled edit.
TEST_F(NsgSpinEditTest, LooksMatchTheGolden) {
  auto* form = NewForm(280, 110);
  auto make = [&](Integer X, Integer Y) {
    auto* e = Add<TNsgSpinEdit>(form, X, Y, 130, 24);
    e->GetFont()->SetName(u"DejaVu Sans");
    e->GetFont()->SetSize(9);
    return e;
  };
  make(5, 5)->SetValue(42);
  TNsgSpinEdit* horizontal = make(145, 5);
  horizontal->SetSpinType(sptFloat);
  horizontal->SetPrecision(2);
  horizontal->SetFloatValue(3.25);
  horizontal->SetDirection(spHorizontal);
  TNsgSpinEdit* date = make(5, 40);
  date->SetBorderStyle(bsNone);
  date->SetSpinType(sptDate);
  date->SetDateValue(EncodeDate(2024, 2, 29));
  TNsgSpinEdit* time = make(145, 40);
  time->SetSpinType(sptTime);
  time->SetTimeValue(EncodeTime(13, 45, 10, 0));
  time->SetIsWinXP(true);
  TNsgSpinEdit* disabled = make(5, 75);
  disabled->SetValue(7);
  disabled->SetEnabled(false);
  form->Show();
  Pump();
  ExpectWindowMatchesGolden(form->GetHandle(), std::string(ZELK_TEST_DATA) + "/nsgspinedit-looks.png",
                            "nsgspinedit-looks.png");
}

}  // namespace
