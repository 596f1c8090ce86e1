// The time picker drop-down under the time separators ':' and '.': a key-script table (stepping
// with wrap, the part under the caret, typed text with blanks as zeros, impossible times, the
// seconds switch), leaving the edit, the popup (clock options, opening from a partly typed or
// empty text, cancel, the clock and the time picker following each other), the keys it forwards,
// the style table, streaming and golden pictures of the open popup at 100 % and 150 %.
#include "lib/dropdown/NeoTimePickerDropDown.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoWatch.h"
#include "lib/graphics/NeoGDIP.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/Units.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Filer.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

// A time picker that logs the keys and characters its edit window receives, and writes its text
// as the control itself does (internal call).
class TProbeTimePicker : public TNeoTimePickerDropDown {
public:
  using TNeoTimePickerDropDown::TNeoTimePickerDropDown;
  using TNeoTimePickerDropDown::ControlKeyDown;
  using TNeoTimePickerDropDown::ControlKeyPress;
  using TNeoTimePickerDropDown::ControlKeyUp;
  using TNeoTimePickerDropDown::DropDownFormKeyDown;
  using TNeoTimePickerDropDown::DropDownFormKeyUp;
  std::vector<std::string> Received;

  void InternalText(const String& Value, bool Raw) {
    FInternalCall = true;
    if (Raw) SetEditText(Value);
    else SetText(Value);
    FInternalCall = false;
  }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_KEYDOWN) Received.push_back("down " + std::to_string(Message.WParam));
    if (Message.Msg == WM_KEYUP) Received.push_back("up " + std::to_string(Message.WParam));
    if (Message.Msg == WM_CHAR) Received.push_back("char " + std::to_string(Message.WParam));
    TNeoTimePickerDropDown::WndProc(Message);
  }
};

TDateTime FixedNow() { return EncodeDateTime(2025, 6, 15, 14, 30, 5, 0); }

std::string Hms(TDateTime T) {
  Word h, m, s, ms;
  DecodeTime(T, h, m, s, ms);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", unsigned(h), unsigned(m), unsigned(s));
  return buf;
}

}  // namespace

class TimePicker : public UiTest, public testing::WithParamInterface<Char> {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Units().Clear();
    RegisterGdiplusModule();
    RegisterNeoGDIPUnit();
    InitializeUnits();
    Saved = FormatSettings;
    FormatSettings = TFormatSettings::German();
    FormatSettings.TimeSeparator = GetParam();
    Form = NewForm(320, 240);
    Other = Add<TEdit>(Form, 10, 200, 100, 22);
    Form->Show();
    Pump();
    NewPicker();
  }
  void TearDown() override {
    SetNowSource(nullptr);
    Headless::SetDpi(96);
    FormatSettings = Saved;
    UiTest::TearDown();
    FinalizeUnits();
    Units().Clear();
  }
  void NewPicker() {
    delete Picker;
    Changes = 0;
    Picker = new TProbeTimePicker(Form);
    Picker->SetParent(Form);
    Picker->SetBounds(10, 10, 150, 21);
    Picker->OnTimeChange = [this](TObject*) { ++Changes; };
    Pump();
    Picker->SetFocus();
    Pump();
  }
  // ':' in an expected text stands for the time separator.
  static String Local(const char* Text) {
    String s = UTF8ToString(Text);
    for (Char& c : s)
      if (c == u':') c = FormatSettings.TimeSeparator;
    return s;
  }
  // A script of space-separated steps: E (editor enabled), s0 / s1 (ShowSeconds), tHH:MM:SS
  // (SetTime), cN (caret at N), xN,L (selection), U / D / R (Up / Down / Return), kTEXT (typed).
  void Run(const char* Script) {
    std::istringstream in(Script);
    std::string step;
    while (in >> step) {
      const std::string arg = step.substr(1);
      switch (step[0]) {
        case 'E': Picker->SetEditorEnabled(true); break;
        case 's': Picker->SetShowSeconds(arg == "1"); break;
        case 't':
          Picker->SetTime(EncodeTime(static_cast<Word>(std::stoi(arg.substr(0, 2))), static_cast<Word>(std::stoi(arg.substr(3, 2))),
                                     static_cast<Word>(std::stoi(arg.substr(6, 2))), 0));
          break;
        case 'c':
          Picker->SetSelStart(std::stoi(arg));
          Picker->SetSelLength(0);
          break;
        case 'x':
          Picker->SetSelStart(std::stoi(arg));
          Picker->SetSelLength(std::stoi(arg.substr(arg.find(',') + 1)));
          break;
        case 'U': Press(VK_UP); break;
        case 'D': Press(VK_DOWN); break;
        case 'R': Press(VK_RETURN); break;
        case 'k': Type(UTF8ToString(arg)); break;
        default: FAIL() << "unknown step " << step;
      }
    }
  }
  bool IsOpen() { return Picker->GetDropDownForm() && Picker->GetDropDownForm()->GetVisible(); }
  // A click on the open clock at the hour H, halfway between the centre and the rim.
  void ClickClockAt(Integer H) {
    TNeoWatch* clock = Picker->GetWatch();
    const TPoint c = clock->GetCenter();
    const double r = clock->GetRadius() * 0.5, a = H * 3.14159265358979 / 6;
    ClickAt(clock, c.x + static_cast<Integer>(std::lround(r * std::sin(a))),
            c.y - static_cast<Integer>(std::lround(r * std::cos(a))));
    // The pointer glides there on the animation timer; the clock reports the change at the end.
    for (int i = 0; i < 10000 && clock->IsAnimating(); ++i) {
      Headless::AdvanceClock(1);
      Pump();
    }
  }

  TFormatSettings Saved;
  TForm* Form = nullptr;
  TEdit* Other = nullptr;
  TProbeTimePicker* Picker = nullptr;
  int Changes = 0;
};

INSTANTIATE_TEST_SUITE_P(Separators, TimePicker, testing::Values(u':', u'.'),
                         [](const testing::TestParamInfo<Char>& I) { return I.param == u':' ? "colon" : "point"; });

TEST_P(TimePicker, KeyScripts) {
  struct TCase {
    const char* Name;
    const char* Script;
    const char* Text;   // ':' is the separator
    const char* Time;
    int Events;         // OnTimeChange
  };
  const TCase cases[] = {
      {"a new drop-down", "", "00:00:00", "00:00:00", 0},
      {"without seconds", "s0", "00:00", "00:00:00", 0},
      {"Up at hour 0 wraps to 23", "c0 U", "23:00:00", "23:00:00", 1},
      {"Down at hour 23 wraps to 0", "t23:00:00 c2 D", "00:00:00", "00:00:00", 1},
      {"Up at minute 0 wraps to 59", "c3 U", "00:59:00", "00:59:00", 1},
      {"Down at second 59 wraps to 0", "t08:15:59 c8 D", "08:15:00", "08:15:00", 1},
      {"the caret before the second separator steps the minute", "t12:30:45 c5 D", "12:31:45", "12:31:45", 1},
      {"the caret after it steps the second", "t12:30:45 c6 U", "12:30:44", "12:30:44", 1},
      {"without seconds the caret at the end steps the minute", "s0 t12:30:00 c5 D", "12:31", "12:31:00", 1},
      {"steps keep the caret where it was", "t10:00:00 c1 U U D U", "08:00:00", "08:00:00", 4},
      {"a typed minute digit stays as typed, blanks read as zeros", "E t12:00:00 x3,5 k3", "12:3 :  ", "12:30:00", 0},
      {"a typed zero minute completes the text", "E t12:34:00 x3,5 k0", "12:00:00", "12:00:00", 0},
      {"an hour above 23 keeps the time", "E t20:00:00 c0 k25", "25:00:00", "20:00:00", 0},
      {"a minute above 59 keeps the time", "E t12:00:00 c3 k75", "12:75:00", "12:00:00", 0},
      {"a second above 59 keeps the time", "E t12:00:00 c6 k9", "12:00:90", "12:00:00", 0},
      {"ShowSeconds twice restores the text", "t12:34:56 s0 s1", "12:34:56", "12:34:56", 0},
      {"ShowSeconds off keeps the time", "t12:34:56 s0", "12:34", "12:34:56", 0},
      {"Return in the closed edit keeps the typed time", "E t12:00:00 c3 k3 R", "12:30:00", "12:30:00", 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    NewPicker();
    Run(c.Script);
    EXPECT_EQ(UTF8Encode(Picker->GetText()), UTF8Encode(Local(c.Text)));
    EXPECT_EQ(Hms(Picker->GetTime()), c.Time);
    EXPECT_EQ(Changes, c.Events);
    EXPECT_FALSE(IsOpen());
  }
}

TEST_P(TimePicker, MaskAndUnitRoutines) {
  const String sep(1, GetParam());
  EXPECT_EQ(Picker->GetEditMask(), u"!90" + sep + u"00" + sep + u"00;1; ");
  Picker->SetShowSeconds(false);
  EXPECT_EQ(Picker->GetEditMask(), u"!90" + sep + u"00;1; ");
  EXPECT_EQ(TimeSeparatorChar(), GetParam());
  EXPECT_EQ(TwoDigits(7), u"07");
  EXPECT_EQ(TwoDigits(42), u"42");
  EXPECT_EQ(SpacesToZeros(u"1 : 3"), u"10:03");
  for (const char16_t* yes : {u"", u"7", u"12", u"123"}) EXPECT_TRUE(IsNumericPart(yes)) << UTF8Encode(yes);
  for (const char16_t* no : {u"x", u"1x", u" 1"}) EXPECT_FALSE(IsNumericPart(no)) << UTF8Encode(no);
  // Alt+Down opens the popup and steps nothing.
  Picker->SetShowSeconds(true);
  Picker->SetTime(EncodeTime(12, 0, 0, 0));
  Picker->SetSelStart(0);
  Chord(VK_MENU, VK_DOWN);
  EXPECT_TRUE(IsOpen());
  EXPECT_EQ(Hms(Picker->GetTime()), "12:00:00");
  EXPECT_EQ(Changes, 0);
}

// Leaving the edit: a text that is no time becomes the current time; a partly typed one is read
// with blanks as zeros; the grid's direct DoExit never raises.
TEST_P(TimePicker, LeavingTheEdit) {
  SetNowSource(&FixedNow);
  Run("E t20:00:00 c0 k25");
  Other->SetFocus();
  Pump();
  EXPECT_EQ(UTF8Encode(Picker->GetText()), UTF8Encode(Local("14:30:05")));
  EXPECT_EQ(Hms(Picker->GetTime()), "14:30:05");
  NewPicker();
  Run("E t12:00:00 x3,5 k3");
  Other->SetFocus();
  Pump();
  EXPECT_EQ(Hms(Picker->GetTime()), "12:30:00");
  NewPicker();
  Run("E t12:00:00 c3 k75");
  EXPECT_NO_THROW(Picker->DoExit());
  EXPECT_EQ(Hms(Picker->GetTime()), "12:00:00");
  // An empty text (the mask cleared by the control) is midnight.
  Picker->SetTime(EncodeTime(9, 0, 0, 0));
  Picker->InternalText(String(), false);
  EXPECT_EQ(Picker->GetText(), u"");
  Picker->DoExit();
  EXPECT_EQ(Picker->GetTime(), 0);
}

TEST_P(TimePicker, OpeningCopiesTheClockOptions) {
  TNeoWatch* clock = Picker->GetWatch();
  ASSERT_NE(clock, nullptr);
  EXPECT_EQ(Picker->GetControl(), Picker->GetPanel());
  EXPECT_EQ(clock->GetParent(), Picker->GetPanel());
  EXPECT_FALSE(Picker->GetDropDownHeader()->GetVisible());
  EXPECT_FALSE(Picker->GetDropDownFooter()->GetVisible());
  EXPECT_FALSE(Picker->GetEditorEnabled());
  Picker->GetWatchAppearance()->SetBackgroundColor(clYellow);
  Picker->SetShowWatchAMPM(false);
  Picker->SetShowWatchNumbers(false);
  Picker->SetAnimation(false);
  Picker->SetAnimationFactor(4);
  Picker->SetResolution(31);   // ignored
  Picker->SetResolution(5);
  Picker->SetDropDownColor(clAqua);
  Picker->SetTime(EncodeTime(9, 41, 0, 0));
  Picker->ShowDropDown();
  Pump();
  ASSERT_TRUE(IsOpen());
  EXPECT_EQ(clock->GetAppearance()->GetBackgroundColor(), clYellow);
  EXPECT_FALSE(clock->GetShowAMPM());
  EXPECT_FALSE(clock->GetShowNumbers());
  EXPECT_FALSE(clock->GetAnimation());
  EXPECT_EQ(clock->GetAnimationFactor(), 4);
  EXPECT_EQ(clock->GetResolution(), 5);
  EXPECT_EQ(Picker->GetPanel()->GetColor(), clAqua);
  EXPECT_FALSE(Picker->GetDropDownForm()->GetCancelOnDeActivate());
  EXPECT_EQ(Hms(clock->GetTime()), "09:41:00");
  EXPECT_EQ(GetFocus(), clock->GetHandle());
  EXPECT_EQ(Picker->GetTimePicker(), nullptr);
  // Changes to the clock while open do not survive the next opening, except its time.
  clock->SetShowNumbers(true);
  Picker->HideDropDown(false);
  Picker->ShowDropDown();
  EXPECT_FALSE(clock->GetShowNumbers());
}

// The popup opens from a partly typed text ("1 :  :  ", "12:3 :  ") at the time read so far,
// and from an empty text at midnight.
TEST_P(TimePicker, OpeningFromAPartlyTypedOrEmptyText) {
  struct TCase {
    const char* Text;
    bool Raw;   // written as the edit shows it, not parsed
    const char* Clock;
  };
  const TCase cases[] = {{"1 :  :  ", true, "07:15:00"}, {"12:3 :  ", false, "12:30:00"}, {"", false, "00:00:00"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    NewPicker();
    Picker->SetTime(EncodeTime(7, 15, 0, 0));
    Picker->SetEditorEnabled(true);
    Picker->InternalText(Local(c.Text), c.Raw);
    EXPECT_EQ(UTF8Encode(Picker->GetText()), UTF8Encode(Local(c.Text)));
    EXPECT_NO_THROW(Picker->ShowDropDown());
    Pump();
    ASSERT_TRUE(IsOpen());
    EXPECT_EQ(Hms(Picker->GetWatch()->GetTime()), c.Clock);
    Picker->HideDropDown(true);
  }
}

// A click on the clock moves the text at once and fires OnTimeChange; Esc brings back the time
// of the moment the popup opened and resets the clock; Enter keeps the new one.
TEST_P(TimePicker, ClockClicksCancelAndEnter) {
  Picker->SetTime(EncodeTime(10, 15, 0, 0));
  for (UINT key : {VK_ESCAPE, VK_RETURN}) {
    Changes = 0;
    Picker->ShowDropDown();
    Pump();
    ASSERT_TRUE(IsOpen());
    ClickClockAt(6);
    EXPECT_EQ(Hms(Picker->GetTime()), "06:15:00");
    EXPECT_EQ(UTF8Encode(Picker->GetText()), UTF8Encode(Local("06:15:00")));
    EXPECT_EQ(Changes, 1);
    Press(key);
    EXPECT_FALSE(IsOpen());
    const char* want = key == VK_ESCAPE ? "10:15:00" : "06:15:00";
    EXPECT_EQ(Hms(Picker->GetTime()), want);
    EXPECT_EQ(Hms(Picker->GetWatch()->GetTime()), want);
    EXPECT_EQ(UTF8Encode(Picker->GetText()), UTF8Encode(Local(want)));
    EXPECT_EQ(GetFocus(), Picker->GetHandle());
  }
}

// With ShowTimePicker the platform time picker sits below the clock: stepping it moves the clock
// and the text, a click on the clock moves it (each fires OnTimeChange once), Esc restores
// everything.
TEST_P(TimePicker, ClockAndTimePickerFollowEachOther) {
  Picker->SetShowTimePicker(true);
  Picker->SetTime(EncodeTime(10, 15, 30, 0));
  Picker->ShowDropDown();
  Pump();
  TDateTimePicker* native = Picker->GetTimePicker();
  ASSERT_NE(native, nullptr);
  EXPECT_TRUE(native->GetVisible());
  EXPECT_EQ(native->GetKind(), dtkTime);
  EXPECT_EQ(native->GetFormat(), u"HH:mm:ss");
  EXPECT_EQ(native->GetAlign(), alBottom);
  EXPECT_GE(native->GetTop(), Picker->GetWatch()->GetTop() + Picker->GetWatch()->GetHeight());
  EXPECT_EQ(Hms(native->GetTime()), "10:15:30");
  native->SetFocus();
  Pump();
  Press(VK_HOME);
  Press(VK_UP);   // the hour field
  EXPECT_TRUE(IsOpen()) << "Up is not forwarded to the edit";
  EXPECT_EQ(Hms(Picker->GetWatch()->GetTime()), "11:15:30");
  EXPECT_EQ(UTF8Encode(Picker->GetText()), UTF8Encode(Local("11:15:30")));
  EXPECT_EQ(Hms(Picker->GetTime()), "11:15:30");
  EXPECT_EQ(Changes, 1) << "a change through the picker is a change of the time";
  ClickClockAt(6);
  EXPECT_EQ(Hms(native->GetTime()), "06:15:30");
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(UTF8Encode(Picker->GetText()), UTF8Encode(Local("06:15:30")));
  Press(VK_ESCAPE);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Hms(Picker->GetTime()), "10:15:30");
  EXPECT_EQ(Hms(Picker->GetWatch()->GetTime()), "10:15:30");
  // Without seconds the picker shows hours and minutes; without ShowTimePicker it is hidden.
  Picker->SetShowSeconds(false);
  Picker->ShowDropDown();
  EXPECT_EQ(native->GetFormat(), u"HH:mm");
  Picker->HideDropDown(false);
  Picker->SetShowTimePicker(false);
  Picker->ShowDropDown();
  EXPECT_FALSE(native->GetVisible());
}

// Up, Down, PgUp and PgDn stay in the popup unless Alt is held; the clock gets every key of the
// popup; "!", '"', "&" and "(" typed in the content stay there unless Alt is held.
TEST_P(TimePicker, KeysOfTheOpenPopup) {
  Picker->SetAnimation(false);
  Picker->SetTime(EncodeTime(10, 0, 0, 0));
  Picker->ShowDropDown();
  Pump();
  struct TCase {
    const char* Via;
    Word Key;
    bool Alt;
    bool Forwarded;
  };
  const TCase cases[] = {
      {"form down", VK_UP, false, false},   {"form down", VK_NEXT, false, false}, {"form down", VK_LEFT, false, true},
      {"form up", VK_DOWN, false, false},   {"form up", VK_DOWN, true, true},     {"control down", VK_PRIOR, false, false},
      {"control down", VK_TAB, false, true}, {"control up", VK_UP, false, false}, {"control up", VK_RIGHT, false, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Via) + " " + std::to_string(c.Key) + (c.Alt ? " alt" : ""));
    Picker->Received.clear();
    Word key = c.Key;
    TShiftState shift = c.Alt ? TShiftState{ssAlt} : TShiftState{};
    const std::string via = c.Via;
    if (via == "form down") Picker->DropDownFormKeyDown(key, shift);
    else if (via == "form up") Picker->DropDownFormKeyUp(key, shift);
    else if (via == "control down") Picker->ControlKeyDown(key, shift);
    else Picker->ControlKeyUp(key, shift);
    EXPECT_EQ(!Picker->Received.empty(), c.Forwarded);
  }
  // Every key of the popup also went to the clock: PgDn lowered the hour, Left the minute; PgUp
  // raises the hour.
  EXPECT_EQ(Hms(Picker->GetWatch()->GetTime()), "08:59:00");
  Word pgUp = VK_PRIOR;
  Picker->DropDownFormKeyDown(pgUp, TShiftState{});
  EXPECT_EQ(Hms(Picker->GetWatch()->GetTime()), "09:59:00");
  for (Char ch : String(u"!\"&(a")) {
    Picker->Received.clear();
    Char k = ch;
    Picker->ControlKeyPress(k);
    EXPECT_EQ(Picker->Received.empty(), ch != u'a') << char(ch);
  }
  Headless::KeyDown(VK_MENU);
  Pump();
  Picker->Received.clear();
  Char amp = u'&';
  Picker->ControlKeyPress(amp);
  Headless::KeyUp(VK_MENU);
  EXPECT_EQ(Picker->Received, (std::vector<std::string>{"char 38"}));
}

TEST_P(TimePicker, StyleTable) {
  TWatchAppearance* a = Picker->GetWatchAppearance();
  Picker->SetComponentStyle(tsOffice2019Gray);
  EXPECT_EQ(Picker->GetUIStyle(), tsOffice2019Gray);
  EXPECT_EQ(Picker->GetColor(), static_cast<TColor>(0xD4D4D4));
  EXPECT_EQ(Picker->GetFont()->GetColor(), static_cast<TColor>(0x232425));
  EXPECT_EQ(a->GetBorderColor(), static_cast<TColor>(0x666666));
  EXPECT_EQ(a->GetHourColor(), static_cast<TColor>(0x86888A));
  EXPECT_EQ(a->GetHourPointerShadow(), clNone);
  EXPECT_EQ(a->GetSecondPointer(), static_cast<TColor>(0x939597));
  EXPECT_EQ(a->GetHourFont()->GetColor(), static_cast<TColor>(0x232425));
  EXPECT_EQ(a->GetCenterPointOuterBorderColor(), static_cast<TColor>(0x000000));
  Picker->SetComponentStyle(tsOffice2019White);
  EXPECT_EQ(Picker->GetColor(), clWindow);
  EXPECT_EQ(Picker->GetFont()->GetColor(), static_cast<TColor>(0x444648));
  EXPECT_EQ(a->GetMinutePointer(), static_cast<TColor>(0xF2E1D5));
  // The clock's own rows for the older styles; only the common part for the newer ones.
  Picker->SetComponentStyle(tsOffice2003Blue);
  EXPECT_EQ(a->GetBackgroundColor(), static_cast<TColor>(0xFFD2AF));
  EXPECT_EQ(a->GetHourFont()->GetColor(), static_cast<TColor>(0x000000));
  EXPECT_EQ(Picker->GetFont()->GetColor(), clWindowText);
  Picker->SetComponentStyle(tsWindows10);
  EXPECT_EQ(a->GetBackgroundColor(), static_cast<TColor>(0xFFD2AF));
  Picker->SetComponentStyle(tsCustom);
  EXPECT_EQ(Picker->GetUIStyle(), tsCustom);
  EXPECT_EQ(Picker->GetColor(), clWindow);
  // The colours reach the clock at the next opening.
  Picker->SetComponentStyle(tsOffice2019Black);
  Picker->ShowDropDown();
  EXPECT_EQ(Picker->GetWatch()->GetAppearance()->GetBackgroundColor(), static_cast<TColor>(0x303132));
}

// The open popup (clock and time picker) as a person sees it, at 96 and 144 dpi; the separator
// of the edit does not change it.
TEST_P(TimePicker, OpenPopupLooksLikeTheGoldenPictures) {
  for (int dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    Headless::SetDpi(dpi);
    NewPicker();
    Picker->SetAnimation(false);
    Picker->SetShowTimePicker(true);
    Picker->SetTime(EncodeTime(10, 8, 30, 0));
    Picker->ShowDropDown();
    Pump();
    ASSERT_TRUE(IsOpen());
    const char* name = dpi == 96 ? "timepicker-popup.png" : "timepicker-popup-150.png";
    ExpectWindowMatchesGolden(Picker->GetDropDownForm()->GetHandle(), std::string(ZELK_TEST_DATA) + "/" + name, name);
    Picker->HideDropDown(true);
  }
}

// The published properties: the clock options and the time, then the dropdown edit's with the
// pick-only default; a round trip through the form description keeps the time and its form.
TEST_P(TimePicker, StreamingRoundTrip) {
  PPropInfo editor = GetPropInfo(Picker, u"EditorEnabled");
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->Default, 0);
  for (const char16_t* name : {u"LabelCaption", u"DropDownColor", u"UIStyle", u"WatchAppearance", u"OnTimeChange"})
    EXPECT_EQ(IsPublishedProp(Picker, name), String(name) != u"OnTimeChange") << UTF8Encode(name);
  TWriter plain;
  plain.WriteProperties(Picker);
  const String defaults = plain.GetText();
  for (const char16_t* name : {u"ShowSeconds", u"Animation", u"EditorEnabled", u"ShowTimePicker"})
    EXPECT_EQ(defaults.find(String(name) + u" ="), String::npos) << UTF8Encode(name);
  // The field starts at 0 while the stored default is 1: a new drop-down writes it.
  EXPECT_NE(defaults.find(u"Resolution = 0\n"), String::npos);

  Picker->SetTime(EncodeTime(12, 34, 56, 0));
  Picker->SetShowSeconds(false);
  Picker->SetShowTimePicker(true);
  Picker->SetResolution(5);
  Picker->GetWatchAppearance()->SetBackgroundColor(clYellow);
  TWriter writer;
  writer.WriteProperties(Picker);
  TProbeTimePicker target(Form);
  target.SetParent(Form);
  TReader reader(writer.GetText());
  reader.ReadProperties(&target);
  EXPECT_EQ(Hms(target.GetTime()), "12:34:56");
  EXPECT_EQ(UTF8Encode(target.GetText()), UTF8Encode(Local("12:34")));
  EXPECT_TRUE(target.GetShowTimePicker());
  EXPECT_EQ(target.GetResolution(), 5);
  EXPECT_EQ(target.GetWatchAppearance()->GetBackgroundColor(), clYellow);
}

namespace {

// An owner in design mode, as a form designer holds one.
class TDesignOwner : public TComponent {
public:
  TDesignOwner() : TComponent(nullptr) { SetDesigning(true); }
};

}  // namespace

// In a designer the drop-down takes the form styler's style (Office 2019 White without one) and,
// that face being light, its parent's font; UIStyle is left at tsCustom and there is no popup.
TEST_P(TimePicker, DesignTimeTakesTheFormStylersStyle) {
  TDesignOwner owner;
  auto* designed = new TNeoTimePickerDropDown(&owner);
  EXPECT_EQ(designed->GetWatchAppearance()->GetBorderColor(), static_cast<TColor>(0xC4C6C8));
  EXPECT_EQ(designed->GetWatchAppearance()->GetHourColor(), static_cast<TColor>(0xB0784A));
  EXPECT_TRUE(designed->GetParentFont());
  EXPECT_EQ(designed->GetUIStyle(), tsCustom);
  EXPECT_EQ(designed->GetDropDownForm(), nullptr);
  EXPECT_EQ(designed->GetWatch(), nullptr);
  EXPECT_NE(Picker->GetWatchAppearance()->GetBorderColor(), static_cast<TColor>(0xC4C6C8)) << "not at run time";
}
