// The date-time picker as a time picker (dtkTime): the fields of "HH:mm:ss" and "HH:mm" driven by
// keys and by the spin part, the key events, OnChange and DTN_DATETIMECHANGE at the parent, and
// the look with a focused field, themed and classic.
#include "platform/ui/testsupport/DateTimePickerSupport.h"
#include "platform/ui/testsupport/UiTestSupport.h"

#include <string>
#include <vector>

#include "platform/ui/DateTimePicker.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/win/UxTheme.h"

namespace {

// A parent that records the notification codes its children send it.
class TNotifyLog : public TPanel {
  ZELK_CLASS(TNotifyLog, TPanel)
public:
  using TPanel::TPanel;
  std::vector<UINT> Codes;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_NOTIFY) Codes.push_back(reinterpret_cast<NMHDR*>(Message.LParam)->code);
    TPanel::Dispatch(Message);
  }
};

}  // namespace

class TimePickerTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Saved = FormatSettings;
    FormatSettings = TFormatSettings::German();
    Form = NewForm(300, 200);
    Parent = Add<TNotifyLog>(Form, 0, 0, 300, 100);
    Picker = Add<TDateTimePicker>(Parent, 10, 10, 150, 23);
    Picker->SetKind(dtkTime);
    Other = Add<TEdit>(Form, 10, 150, 100, 22);
    Form->Show();
    Pump();
    Picker->SetFocus();
    Pump();
  }
  void TearDown() override {
    SetThemeActive(true);
    FormatSettings = Saved;
    UiTest::TearDown();
  }
  // The shown text with the focused field in brackets.
  String Marked() { return MarkedFields(*Picker); }
  // L R H E U D: Left, Right, Home, End, Up, Down; S+ and S-: a click on the upper or lower half
  // of the spin part; anything else is typed.
  void Key(const String& Token) {
    const TRect b = Picker->ButtonRect();
    if (Token == u"S+" || Token == u"S-") {
      ClickAt(Picker, (b.left + b.right) / 2, Token == u"S+" ? b.top + 3 : b.bottom - 3);
      return;
    }
    static const struct {
      const Char* Name;
      UINT Vk;
    } keys[] = {{u"L", VK_LEFT}, {u"R", VK_RIGHT}, {u"H", VK_HOME}, {u"E", VK_END}, {u"U", VK_UP}, {u"D", VK_DOWN}};
    for (const auto& k : keys)
      if (Token == k.Name) {
        Press(k.Vk);
        return;
      }
    Type(Token);
  }
  TFormatSettings Saved;
  TForm* Form = nullptr;
  TNotifyLog* Parent = nullptr;
  TDateTimePicker* Picker = nullptr;
  TEdit* Other = nullptr;
};

TEST_F(TimePickerTest, FieldsOfTheTimeFormats) {
  struct TStep {
    const Char* Key;
    const Char* Shown;
  };
  struct TCase {
    const char* Name;
    const Char* Format;
    TDateTime Start;
    std::vector<TStep> Steps;
    TDateTime End;
  };
  const TDateTime day = EncodeDate(2024, 3, 5);
  const TCase cases[] = {
      {"each field wraps without carry", u"HH:mm:ss", day + EncodeTime(23, 59, 0, 0),
       {{u"U", u"[00]:59:00"}, {u"R", u"00:[59]:00"}, {u"U", u"00:[00]:00"}, {u"R", u"00:00:[00]"},
        {u"D", u"00:00:[59]"}, {u"R", u"00:00:[59]"}, {u"H", u"[00]:00:59"}, {u"D", u"[23]:00:59"}},
       day + EncodeTime(23, 0, 59, 0)},
      {"digits, and moving commits them", u"HH:mm", day + EncodeTime(8, 15, 0, 0),
       {{u"1", u"[1]:15"}, {u"7", u"[17]:15"}, {u"R", u"17:[15]"}, {u"3", u"17:[3]"}, {u"L", u"[17]:03"},
        {u"E", u"17:[03]"}, {u"5", u"17:[5]"}, {u"9", u"17:[59]"}},
       day + EncodeTime(17, 59, 0, 0)},
      {"the spin part steps the focused field", u"HH:mm:ss", day + EncodeTime(0, 0, 0, 0),
       {{u"S-", u"[23]:00:00"}, {u"S+", u"[00]:00:00"}, {u"E", u"00:00:[00]"}, {u"S-", u"00:00:[59]"}},
       day + EncodeTime(0, 0, 59, 0)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Picker->SetFormat(c.Format);
    Picker->SetDateTime(c.Start);
    Picker->SetFocus();
    Pump();
    Press(VK_HOME);
    for (const TStep& s : c.Steps) {
      SCOPED_TRACE(UTF8Encode(s.Key));
      Key(s.Key);
      EXPECT_EQ(UTF8Encode(Marked()), UTF8Encode(s.Shown));
    }
    EXPECT_DOUBLE_EQ(Picker->GetDateTime(), c.End) << "the date stays";
    EXPECT_NEAR(Picker->GetTime(), c.End - day, 1e-9);
  }
}

// Keys reach OnKeyDown, OnKeyPress and OnKeyUp; a user's change fires OnChange and tells the
// parent with DTN_DATETIMECHANGE; moving between fields and setting the time from code do not.
TEST_F(TimePickerTest, EventsAndTheParentsNotification) {
  Picker->SetFormat(u"HH:mm");
  Picker->SetTime(EncodeTime(9, 30, 0, 0));
  std::vector<std::string> log;
  Picker->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { log.push_back("down " + std::to_string(Key)); };
  Picker->OnKeyUp = [&](TObject*, Word& Key, TShiftState) { log.push_back("up " + std::to_string(Key)); };
  Picker->OnKeyPress = [&](TObject*, Char& Key) { log.push_back("press " + std::to_string(Key)); };
  Picker->OnChange = [&](TObject*) { log.push_back("change " + UTF8Encode(Picker->GetText())); };
  Parent->Codes.clear();
  Press(VK_UP);
  Press(VK_RIGHT);
  Type(u"4");
  Type(u"5");
  Picker->SetTime(EncodeTime(1, 2, 0, 0));
  const std::vector<std::string> want = {"down 38",  "change 10:30", "up 38",       "down 39", "up 39",
                                         "down 52",  "press 52",     "up 52",       "down 53", "press 53",
                                         "change 10:45", "up 53"};
  EXPECT_EQ(log, want);
  EXPECT_EQ(Parent->Codes, (std::vector<UINT>{DTN_DATETIMECHANGE, DTN_DATETIMECHANGE}));
}

TEST_F(TimePickerTest, LooksMatchTheGoldenPictures) {
  delete Form;
  Form = NewForm(180, 70);
  auto add = [&](Integer Y, const Char* Format) {
    auto* p = Add<TDateTimePicker>(Form, 10, Y, 160, 23);
    p->SetKind(dtkTime);
    p->SetFormat(Format);
    p->SetTime(EncodeTime(14, 5, 9, 0));
    return p;
  };
  TDateTimePicker* seconds = add(10, u"HH:mm:ss");
  add(40, u"HH:mm");
  Form->Show();
  Pump();
  seconds->SetFocus();
  Pump();
  Press(VK_RIGHT);
  for (bool themed : {true, false}) {
    SetThemeActive(themed);
    Form->Invalidate();
    const char* name = themed ? "timepicker-themed.png" : "timepicker-classic.png";
    ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/" + name, name);
  }
}
