// The date-time picker: fields under three locales driven by keys through the message queue, the
// commit-before-a-posted-message contract, the check box, free text, the DTM_* messages, bad input
// and the look (golden pictures, themed and classic).
#include "platform/rtl/testsupport/Command.h"
#include "platform/ui/testsupport/DateTimePickerSupport.h"
#include "platform/ui/testsupport/UiTestSupport.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "platform/ui/DateTimePicker.h"
#include "platform/ui/MonthCalendar.h"
#include "platform/win/UxTheme.h"

namespace {

// Records the notifications the class library receives as CN_NOTIFY; a user-string answer can be
// set in place of the library's own parsing.
class TLoggingPicker : public TDateTimePicker {
  ZELK_CLASS(TLoggingPicker, TDateTimePicker)
public:
  using TDateTimePicker::TDateTimePicker;
  struct TEntry {
    UINT Code;
    DWORD Flags;
    String Text;
  };
  std::vector<TEntry> Log;
  bool AnswerUserString = false;
  DWORD Answer = 0;
  SYSTEMTIME AnswerTime{};

  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CN_NOTIFY) {
      auto* h = reinterpret_cast<NMHDR*>(Message.LParam);
      if (h->code == DTN_DATETIMECHANGE) {
        Log.push_back({h->code, reinterpret_cast<NMDATETIMECHANGE*>(h)->dwFlags, GetText()});
      } else if (h->code == DTN_USERSTRINGW) {
        auto* n = reinterpret_cast<NMDATETIMESTRINGW*>(h);
        Log.push_back({h->code, 0, n->pszUserString});
        if (AnswerUserString) {
          n->dwFlags = Answer;
          n->st = AnswerTime;
          return;
        }
      } else {
        Log.push_back({h->code, 0, String()});
      }
    }
    TDateTimePicker::Dispatch(Message);
  }
};

SYSTEMTIME MakeTime(Word Y, Word M, Word D, Word H = 0, Word N = 0, Word S = 0) {
  SYSTEMTIME st{};
  st.wYear = Y;
  st.wMonth = M;
  st.wDay = D;
  st.wHour = H;
  st.wMinute = N;
  st.wSecond = S;
  return st;
}

}  // namespace

class DateTimePickerTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Saved = FormatSettings;
    FormatSettings = TFormatSettings::German();
    Form = NewForm(300, 200);
    Picker = Add<TLoggingPicker>(Form, 10, 10, 180, 23);
    Other = Add<TEdit>(Form, 10, 100, 100, 22);
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
  // Keys of a script: L R H E U D PU PD (arrows, Home, End, Up, Down, PgUp, PgDn), T (Tab away
  // and back), or characters typed.
  void Key(const String& Token) {
    static const struct {
      const Char* Name;
      UINT Vk;
    } keys[] = {{u"L", VK_LEFT}, {u"R", VK_RIGHT}, {u"H", VK_HOME}, {u"E", VK_END}, {u"U", VK_UP},
                {u"D", VK_DOWN}, {u"PU", VK_PRIOR}, {u"PD", VK_NEXT}};
    for (const auto& k : keys)
      if (Token == k.Name) {
        Press(k.Vk);
        return;
      }
    Type(Token);
  }
  TFormatSettings Saved;
  TForm* Form = nullptr;
  TLoggingPicker* Picker = nullptr;
  TEdit* Other = nullptr;
};

TEST_F(DateTimePickerTest, FieldsFollowTheKeysUnderThreeLocales) {
  struct TStep {
    const Char* Key;
    const Char* Shown;   // focused field in brackets
  };
  struct TCase {
    const char* Name;
    TFormatSettings Settings;
    TDateTimeKind Kind;
    const Char* Format;
    TDateTime Start;
    std::vector<TStep> Steps;
    TDateTime End;
  };
  TFormatSettings de = TFormatSettings::German(), us = TFormatSettings::USEnglish();
  const TCase cases[] = {
      {"day wraps without carry", de, dtkDate, u"", EncodeDate(2023, 1, 31),
       {{u"U", u"[01].01.2023"}, {u"D", u"[31].01.2023"}, {u"PU", u"[01].01.2023"}, {u"PD", u"[31].01.2023"}},
       EncodeDate(2023, 1, 31)},
      {"month limits the day", de, dtkDate, u"", EncodeDate(2023, 1, 31),
       {{u"R", u"31.[01].2023"}, {u"U", u"28.[02].2023"}, {u"D", u"28.[01].2023"}, {u"D", u"28.[12].2023"},
        {u"U", u"28.[01].2023"}},
       EncodeDate(2023, 1, 28)},
      {"two digits commit, nothing moves", de, dtkDate, u"", EncodeDate(2023, 1, 31),
       {{u"1", u"[1].01.2023"}, {u"5", u"[15].01.2023"}, {u"7", u"[07].01.2023"}},
       EncodeDate(2023, 1, 7)},
      {"a month digit that ends the field", de, dtkDate, u"", EncodeDate(2023, 1, 31),
       {{u"R", u"31.[01].2023"}, {u"4", u"30.[04].2023"}, {u"1", u"30.[1].2023"}, {u"2", u"30.[12].2023"}},
       EncodeDate(2023, 12, 30)},
      {"moving between fields", de, dtkDate, u"", EncodeDate(2023, 1, 31),
       {{u"L", u"[31].01.2023"}, {u"E", u"31.01.[2023]"}, {u"R", u"31.01.[2023]"}, {u"H", u"[31].01.2023"},
        {u"R", u"31.[01].2023"}, {u"R", u"31.01.[2023]"}},
       EncodeDate(2023, 1, 31)},
      {"year digits and a short year", de, dtkDate, u"", EncodeDate(2023, 1, 31),
       {{u"E", u"31.01.[2023]"}, {u"2", u"31.01.[2]"}, {u"0", u"31.01.[20]"}, {u"2", u"31.01.[202]"},
        {u"4", u"31.01.[2024]"}, {u"9", u"31.01.[9]"}, {u"9", u"31.01.[99]"}, {u"L", u"31.[01].1999"}},
       EncodeDate(1999, 1, 31)},
      {"a leap day and the year", de, dtkDate, u"", EncodeDate(2024, 2, 29),
       {{u"E", u"29.02.[2024]"}, {u"U", u"28.02.[2025]"}},
       EncodeDate(2025, 2, 28)},
      {"German time", de, dtkTime, u"", EncodeDateTime(2023, 5, 6, 9, 30, 0, 0),
       {{u"2", u"[2]:30:00"}, {u"L", u"[02]:30:00"}, {u"D", u"[01]:30:00"}, {u"D", u"[00]:30:00"},
        {u"D", u"[23]:30:00"}, {u"R", u"23:[30]:00"}, {u"7", u"23:[07]:00"}, {u"E", u"23:07:[00]"},
        {u"D", u"23:07:[59]"}},
       EncodeDateTime(2023, 5, 6, 23, 7, 59, 0)},
      {"US date", us, dtkDate, u"", EncodeDate(2023, 1, 31),
       {{u"R", u"1/[31]/2023"}, {u"U", u"1/[1]/2023"}, {u"L", u"[1]/1/2023"}, {u"1", u"[1]/1/2023"},
        {u"2", u"[12]/1/2023"}},
       EncodeDate(2023, 12, 1)},
      {"US time with AM and PM", us, dtkTime, u"", EncodeDateTime(2023, 5, 6, 13, 5, 9, 0),
       {{u"U", u"[2]:05:09 PM"}, {u"D", u"[1]:05:09 PM"}, {u"D", u"[12]:05:09 PM"}, {u"D", u"[11]:05:09 PM"},
        {u"E", u"11:05:09 [PM]"}, {u"U", u"11:05:09 [AM]"}, {u"p", u"11:05:09 [PM]"}, {u"H", u"[11]:05:09 PM"},
        {u"0", u"[0]:05:09 PM"}, {u"3", u"[3]:05:09 PM"}},
       EncodeDateTime(2023, 5, 6, 15, 5, 9, 0)},
      {"custom date and time", de, dtkDate, u"yyyy-MM-dd HH:mm", EncodeDateTime(2023, 1, 31, 8, 15, 0, 0),
       {{u"H", u"[2023]-01-31 08:15"}, {u"R", u"2023-[01]-31 08:15"}, {u"R", u"2023-01-[31] 08:15"},
        {u"R", u"2023-01-31 [08]:15"}, {u"2", u"2023-01-31 [2]:15"}, {u"3", u"2023-01-31 [23]:15"},
        {u"R", u"2023-01-31 23:[15]"}, {u"U", u"2023-01-31 23:[16]"}},
       EncodeDateTime(2023, 1, 31, 23, 16, 0, 0)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FormatSettings = c.Settings;
    Picker->SetKind(c.Kind);
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
    EXPECT_DOUBLE_EQ(Picker->GetDateTime(), c.End);
    // The window text is the shown value (typed digits applied).
    Char buf[64];
    GetWindowText(Picker->GetHandle(), buf, 64);
    String marked = Marked(), plain;
    for (Char ch : marked)
      if (ch != u'[' && ch != u']') plain += ch;
    EXPECT_EQ(UTF8Encode(buf), UTF8Encode(plain));
  }
}

TEST_F(DateTimePickerTest, ADigitIsVisibleToAMessagePostedAfterIt) {
  UINT shift = RegisterWindowMessage(u"DTPShiftFocus");
  Picker->SetDateTime(EncodeDate(2023, 1, 15));
  std::vector<TDateTime> seen;
  auto inherited = Picker->WindowProc;
  Picker->WindowProc = [&](TMessage& M) {
    if (M.Msg == shift) seen.push_back(Picker->GetDate());
    inherited(M);
  };
  Picker->OnKeyPress = [&](TObject*, Char& Key) {
    if (Key >= u'0' && Key <= u'9') PostMessage(Picker->GetHandle(), shift, 0, 0);
  };
  Type(u"3");   // "3" could still become 30 or 31: an incomplete entry
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_DOUBLE_EQ(seen[0], EncodeDate(2023, 1, 3));
  // The entry goes on after the read: "1" makes it 31.
  Type(u"1");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_DOUBLE_EQ(seen[1], EncodeDate(2023, 1, 31));
  // A posted VK_RIGHT moves one field, as the grid's editors post it.
  PostMessage(Picker->GetHandle(), WM_KEYDOWN, VK_RIGHT, 0);
  Pump();
  EXPECT_EQ(UTF8Encode(Marked()), "31.[01].2023");
  Picker->WindowProc = inherited;
  // Each applied change was notified, in order.
  std::vector<String> changes;
  for (auto& e : Picker->Log)
    if (e.Code == DTN_DATETIMECHANGE) changes.push_back(e.Text);
  EXPECT_EQ(changes, (std::vector<String>{u"03.01.2023", u"31.01.2023"}));
}

TEST_F(DateTimePickerTest, CheckBoxSaysWhetherThereIsADate) {
  Picker->SetShowCheckbox(true);
  Picker->SetDateTime(EncodeDate(2023, 3, 4));
  Picker->SetFocus();
  Pump();
  HWND h = Picker->GetHandle();
  EXPECT_TRUE(GetWindowLong(h, GWL_STYLE) & DTS_SHOWNONE);
  SYSTEMTIME st{};
  EXPECT_EQ(SendMessage(h, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_VALID);
  EXPECT_EQ(st.wDay, 4);
  Press(VK_SPACE);
  EXPECT_FALSE(Picker->GetChecked());
  EXPECT_EQ(SendMessage(h, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_NONE);
  ASSERT_FALSE(Picker->Log.empty());
  EXPECT_EQ(Picker->Log.back().Code, DTN_DATETIMECHANGE);
  EXPECT_EQ(Picker->Log.back().Flags, static_cast<DWORD>(GDT_NONE));
  // Unchecked, field keys change nothing.
  Press(VK_UP);
  Type(u"9");
  EXPECT_DOUBLE_EQ(Picker->GetDate(), EncodeDate(2023, 3, 4));
  // A click on the box checks it again.
  TRect box = Picker->CheckRect();
  ClickAt(Picker, box.left + 5, box.top + 5);
  EXPECT_TRUE(Picker->GetChecked());
  EXPECT_EQ(Picker->Log.back().Flags, static_cast<DWORD>(GDT_VALID));
  EXPECT_EQ(GetCapture(), nullptr);
  ClickAt(Picker, box.left + 5, box.top + 5);
  EXPECT_FALSE(Picker->GetChecked());
  Press(VK_SPACE);
  EXPECT_TRUE(Picker->GetChecked());
  // DTM_SETSYSTEMTIME: GDT_NONE unchecks, a value checks.
  EXPECT_EQ(SendMessage(h, DTM_SETSYSTEMTIME, GDT_NONE, 0), TRUE);
  EXPECT_FALSE(Picker->GetChecked());
  SYSTEMTIME set = MakeTime(2022, 12, 24);
  EXPECT_EQ(SendMessage(h, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&set)), TRUE);
  EXPECT_TRUE(Picker->GetChecked());
  EXPECT_EQ(Picker->GetText(), u"24.12.2022");
  // Without the box, GDT_NONE is refused.
  Picker->SetShowCheckbox(false);
  EXPECT_EQ(SendMessage(Picker->GetHandle(), DTM_SETSYSTEMTIME, GDT_NONE, 0), FALSE);
  EXPECT_TRUE(Picker->GetChecked());
}

TEST_F(DateTimePickerTest, OnChangeFiresForUserChangesOnly) {
  int changes = 0;
  Picker->OnChange = [&](TObject*) { ++changes; };
  Picker->SetDateTime(EncodeDate(2023, 3, 4));
  Picker->SetDate(EncodeDate(2023, 3, 5));
  EXPECT_EQ(changes, 0);
  Press(VK_UP);
  EXPECT_EQ(changes, 1);
  Press(VK_RIGHT);   // moving changes nothing
  EXPECT_EQ(changes, 1);
  Type(u"1");        // incomplete: applied when the focus leaves
  EXPECT_EQ(changes, 1);
  Other->SetFocus();
  Pump();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(Picker->GetText(), u"06.01.2023");
}

TEST_F(DateTimePickerTest, FreeTextGoesToTheOwnerAsUserString) {
  Picker->SetParseInput(true);
  Picker->SetDateTime(EncodeDate(2023, 3, 4));
  Picker->SetFocus();
  Pump();
  EXPECT_TRUE(GetWindowLong(Picker->GetHandle(), GWL_STYLE) & DTS_APPCANPARSE);
  struct TCase {
    const char* Name;
    DWORD Answer;
    TDateTime Expected;
  };
  const TCase cases[] = {
      {"valid takes the answer", static_cast<DWORD>(GDT_VALID), EncodeDateTime(2020, 2, 29, 0, 0, 0, 0)},
      {"none keeps the value", static_cast<DWORD>(GDT_NONE), EncodeDate(2023, 3, 4)},
      {"error keeps the value", static_cast<DWORD>(GDT_ERROR), EncodeDate(2023, 3, 4)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Picker->SetDateTime(EncodeDate(2023, 3, 4));
    Picker->Log.clear();
    Picker->AnswerUserString = true;
    Picker->Answer = c.Answer;
    Picker->AnswerTime = MakeTime(2020, 2, 29);
    Press(VK_F2);
    EXPECT_TRUE(Picker->GetTypingUserString());
    Type(u"morgen");   // replaces the selected text
    EXPECT_EQ(Picker->GetText(), u"morgen");
    Press(VK_BACK);
    Press(VK_RETURN);
    EXPECT_FALSE(Picker->GetTypingUserString());
    ASSERT_FALSE(Picker->Log.empty());
    EXPECT_EQ(Picker->Log[0].Code, DTN_USERSTRINGW);
    EXPECT_EQ(Picker->Log[0].Text, u"morge");
    EXPECT_DOUBLE_EQ(Picker->GetDateTime(), c.Expected);
    bool changed = Picker->Log.size() > 1 && Picker->Log[1].Code == DTN_DATETIMECHANGE;
    EXPECT_EQ(changed, c.Answer == static_cast<DWORD>(GDT_VALID));
  }
  // The class library parses with the locale; OnUserInput may refuse. A key no field takes starts
  // the text; Esc drops it.
  Picker->AnswerUserString = false;
  Picker->SetDateTime(EncodeDate(2023, 3, 4));
  Type(u"x");
  EXPECT_EQ(Picker->GetText(), u"x");
  Press(VK_ESCAPE);
  EXPECT_EQ(Picker->GetText(), u"04.03.2023");
  Press(VK_F2);
  Type(u"24.12.2021");
  Press(VK_RETURN);
  EXPECT_DOUBLE_EQ(Picker->GetDate(), EncodeDate(2021, 12, 24));
  std::vector<String> inputs;
  Picker->OnUserInput = [&](TObject*, const String& Text, TDateTime& Value, bool& Allow) {
    inputs.push_back(Text);
    Allow = Text != u"01.01.2000";
    if (Text == u"bald") {
      Value = EncodeDate(2030, 6, 1);
      Allow = true;
    }
  };
  Press(VK_F2);
  Type(u"01.01.2000");
  Press(VK_RETURN);
  EXPECT_DOUBLE_EQ(Picker->GetDate(), EncodeDate(2021, 12, 24));
  Press(VK_F2);
  Type(u"bald");
  Other->SetFocus();   // leaving ends the text like Enter
  Pump();
  EXPECT_DOUBLE_EQ(Picker->GetDate(), EncodeDate(2030, 6, 1));
  EXPECT_EQ(inputs, (std::vector<String>{u"01.01.2000", u"bald"}));
  // The ANSI notification is answered the same way.
  Picker->OnUserInput = nullptr;
  NMDATETIMESTRINGA a;
  a.nmhdr.code = DTN_USERSTRINGA;
  a.pszUserString = "24.12.2021";
  Picker->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&a));
  EXPECT_EQ(a.dwFlags, static_cast<DWORD>(GDT_VALID));
  EXPECT_EQ(a.st.wYear, 2021);
  EXPECT_EQ(a.st.wDay, 24);
  a.pszUserString = "Unsinn";
  Picker->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&a));
  EXPECT_EQ(a.dwFlags, static_cast<DWORD>(GDT_ERROR));
}

TEST_F(DateTimePickerTest, MessagesAndParts) {
  HWND h = Picker->GetHandle();
  Char cls[64];
  GetClassName(h, cls, 64);
  EXPECT_EQ(String(cls), u"SysDateTimePick32");
  EXPECT_EQ(SendMessage(h, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
  EXPECT_EQ(SendMessage(h, DTM_GETMONTHCAL, 0, 0), 0);
  // DTM_SETFORMAT, wide and ANSI; nullptr goes back to the locale's.
  Picker->SetDateTime(EncodeDateTime(2023, 3, 4, 5, 6, 7, 0));
  SendMessage(h, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(u"'Tag' d. MMMM yyyy, dddd"));
  EXPECT_EQ(Picker->GetText(), u"Tag 4. März 2023, Samstag");
  SendMessage(h, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("HH:mm"));
  EXPECT_EQ(Picker->GetText(), u"05:06");
  SendMessage(h, DTM_SETFORMATW, 0, 0);
  EXPECT_EQ(Picker->GetText(), u"04.03.2023");
  // The window text sets the value through the locale's parsing.
  Picker->SetText(u"01.02.2003");
  EXPECT_DOUBLE_EQ(Picker->GetDateTime(), EncodeDateTime(2003, 2, 1, 0, 0, 0, 0));
  EXPECT_EQ(SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"kein Datum")), FALSE);
  EXPECT_EQ(Picker->GetText(), u"01.02.2003");
  // Range.
  SYSTEMTIME range[2] = {MakeTime(2020, 1, 1), MakeTime(2020, 12, 31)};
  EXPECT_EQ(SendMessage(h, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range)), TRUE);
  EXPECT_EQ(Picker->GetText(), u"01.01.2020");
  SYSTEMTIME got[2];
  EXPECT_EQ(SendMessage(h, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(got)), static_cast<LRESULT>(GDTR_MIN | GDTR_MAX));
  EXPECT_EQ(got[0].wYear, 2020);
  EXPECT_EQ(got[1].wMonth, 12);
  EXPECT_DOUBLE_EQ(Picker->GetMinDate(), EncodeDate(2020, 1, 1));
  EXPECT_EQ(SendMessage(h, DTM_SETRANGE, 0, 0), TRUE);
  EXPECT_EQ(SendMessage(h, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(got)), 0);
  // The parts, for cbSize 56 and for the record's own size; any other size is refused.
  Picker->SetShowCheckbox(true);
  h = Picker->GetHandle();
  DATETIMEPICKERINFO info;
  info.cbSize = 56;
  EXPECT_EQ(SendMessage(h, DTM_GETDATETIMEPICKERINFO, 0, reinterpret_cast<LPARAM>(&info)), TRUE);
  EXPECT_EQ(info.hwndEdit, h);
  EXPECT_EQ(info.stateCheck, STATE_SYSTEM_CHECKED);
  EXPECT_EQ(info.rcCheck, Picker->CheckRect());
  EXPECT_EQ(info.rcButton, Picker->ButtonRect());
  EXPECT_EQ(info.stateButton, 0u);
  EXPECT_EQ(info.hwndDropDown, nullptr);
  // The mouse over the drop button makes it hot.
  TRect button = Picker->ButtonRect();
  TPoint over = ScreenPoint(Picker, button.left + 3, button.top + 3), away = ScreenPoint(Picker, 30, 5);
  Headless::MouseMove(over.x, over.y);
  Pump();
  SendMessage(h, DTM_GETDATETIMEPICKERINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.stateButton, STATE_SYSTEM_HOTTRACKED);
  Headless::MouseMove(away.x, away.y);
  Pump();
  SendMessage(h, DTM_GETDATETIMEPICKERINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.stateButton, 0u);
  DATETIMEPICKERINFO bad;
  bad.cbSize = 12;
  EXPECT_EQ(SendMessage(h, DTM_GETDATETIMEPICKERINFO, 0, reinterpret_cast<LPARAM>(&bad)), FALSE);
  EXPECT_EQ(bad.hwndEdit, nullptr);
  Picker->SetDateMode(dmUpDown);
  info.cbSize = sizeof info;
  SendMessage(Picker->GetHandle(), DTM_GETDATETIMEPICKERINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.stateButton, STATE_SYSTEM_INVISIBLE);
}

// The picker's edit window (itself) shows a balloon tip under the focused field; the picker keeps
// the focus, and a key, EM_HIDEBALLOONTIP or the focus leaving hides it.
TEST_F(DateTimePickerTest, BalloonTipUnderTheFocusedField) {
  Picker->SetDateTime(EncodeDate(2023, 3, 4));
  Press(VK_HOME);
  Press(VK_RIGHT);
  DATETIMEPICKERINFO info;
  info.cbSize = 56;
  SendMessage(Picker->GetHandle(), DTM_GETDATETIMEPICKERINFO, 0, reinterpret_cast<LPARAM>(&info));
  HWND edit = info.hwndEdit;
  EDITBALLOONTIP tip;
  tip.cbStruct = 16;
  tip.pszTitle = u"Ungültig";
  tip.pszText = u"Der Monat liegt außerhalb des Bereichs.";
  tip.ttiIcon = TTI_ERROR;
  EXPECT_EQ(SendMessage(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)), TRUE);
  Pump();
  HWND balloon = Picker->BalloonWindow();
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(Picker->BalloonText(), tip.pszText);
  EXPECT_EQ(GetFocus(), Picker->GetHandle());
  RECT r;
  GetWindowRect(balloon, &r);
  TPoint month = Picker->ClientToScreen(TPoint{Picker->FieldRect(2).left, Picker->GetClientRect().bottom});
  EXPECT_EQ(r.left, month.x);
  EXPECT_EQ(r.top, month.y);
  EXPECT_GT(r.right - r.left, 100);
  ASSERT_TRUE(Headless::SaveWindowPng(balloon, OutputPath("datetimepicker-balloon.png")));
  int red = 0;   // the error icon: a red disc at (8, 8)
  for (int x = 8; x < 24; ++x)
    for (int y = 8; y < 24; ++y) red += Headless::ClientPixel(balloon, x, y) == RGB(255, 0, 0);
  EXPECT_GT(red, 80);
  int ink = 0;
  for (int x = 32; x < r.right - r.left - 8; ++x)
    for (int y = 8; y < r.bottom - r.top - 8; ++y) ink += Headless::ClientPixel(balloon, x, y) == RGB(0, 0, 0);
  EXPECT_GT(ink, 50);   // title and text
  // A key hides it (and still does its work).
  Press(VK_UP);
  EXPECT_EQ(Picker->BalloonWindow(), nullptr);
  EXPECT_EQ(Picker->GetText(), u"04.04.2023");
  EXPECT_EQ(SendMessage(edit, EM_HIDEBALLOONTIP, 0, 0), FALSE);
  // Shown again without title and icon; EM_HIDEBALLOONTIP hides it; so does leaving.
  tip.pszTitle = nullptr;
  tip.ttiIcon = TTI_NONE;
  EXPECT_EQ(SendMessage(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)), TRUE);
  EXPECT_NE(Picker->BalloonWindow(), nullptr);
  EXPECT_EQ(SendMessage(edit, EM_HIDEBALLOONTIP, 0, 0), TRUE);
  EXPECT_EQ(Picker->BalloonWindow(), nullptr);
  SendMessage(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
  Other->SetFocus();
  Pump();
  EXPECT_EQ(Picker->BalloonWindow(), nullptr);
  // Records of another size, or none, are refused.
  tip.cbStruct = 12;
  EXPECT_EQ(SendMessage(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)), FALSE);
  EXPECT_EQ(SendMessage(edit, EM_SHOWBALLOONTIP, 0, 0), FALSE);
  EXPECT_EQ(Picker->BalloonWindow(), nullptr);
}

TEST_F(DateTimePickerTest, PostedClicksFocusTheFirstFieldAndLeaveNothingPressed) {
  Picker->SetDateTime(EncodeDate(2023, 3, 4));
  for (bool box : {false, true}) {
    SCOPED_TRACE(box ? "check box" : "no check box");
    Picker->SetShowCheckbox(box);
    Picker->SetFocus();
    Pump();
    Press(VK_END);
    PostMessage(Picker->GetHandle(), WM_LBUTTONDOWN, 0, MAKELPARAM(box ? 24 : 2, 2));
    Pump();
    EXPECT_EQ(UTF8Encode(Marked()), "[04].03.2023");
    EXPECT_TRUE(Picker->GetChecked());   // (24, 2) is past the box
    EXPECT_EQ(GetCapture(), nullptr);
    // A real click on a field focuses it.
    TRect r = Picker->FieldRect(4);   // day, ".", month, ".", year
    ClickAt(Picker, r.left + 2, r.top + 2);
    EXPECT_EQ(UTF8Encode(Marked()), "04.03.[2023]");
    EXPECT_EQ(GetCapture(), nullptr);
  }
  // The spin part steps the focused field while pressed, and lets go on release.
  Picker->SetDateMode(dmUpDown);
  Picker->SetShowCheckbox(false);
  Picker->SetFocus();
  Pump();
  TRect b = Picker->ButtonRect();
  TPoint up = ScreenPoint(Picker, b.left + 3, b.top + 2);
  Headless::ButtonDown(1, up.x, up.y);
  Pump();
  EXPECT_EQ(GetCapture(), Picker->GetHandle());
  EXPECT_EQ(Picker->GetText(), u"04.03.2024");
  Headless::ButtonUp(1, up.x, up.y);
  Pump();
  EXPECT_EQ(GetCapture(), nullptr);
  ClickAt(Picker, b.left + 3, b.bottom - 3);
  ClickAt(Picker, b.left + 3, b.bottom - 3);
  EXPECT_EQ(Picker->GetText(), u"04.03.2022");
}

TEST_F(DateTimePickerTest, BadInputKeepsAValidValue) {
  HWND h = Picker->GetHandle();
  Picker->SetDateTime(EncodeDate(2023, 3, 4));
  // Records the picker refuses.
  SYSTEMTIME bad[] = {MakeTime(2023, 13, 1), MakeTime(0, 1, 1), MakeTime(10000, 1, 1), MakeTime(2023, 2, 30),
                      MakeTime(2023, 1, 1, 24)};
  for (SYSTEMTIME& st : bad) {
    EXPECT_EQ(SendMessage(h, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)), FALSE);
    EXPECT_EQ(Picker->GetText(), u"04.03.2023");
  }
  EXPECT_EQ(SendMessage(h, DTM_SETSYSTEMTIME, GDT_VALID, 0), FALSE);
  EXPECT_EQ(SendMessage(h, DTM_SETSYSTEMTIME, 7, reinterpret_cast<LPARAM>(&bad[0])), FALSE);
  SYSTEMTIME reversed[2] = {MakeTime(2024, 1, 1), MakeTime(2020, 1, 1)};
  EXPECT_EQ(SendMessage(h, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(reversed)), FALSE);
  EXPECT_EQ(SendMessage(h, DTM_SETRANGE, GDTR_MIN, 0), FALSE);
  // Years outside the supported ones are clamped; so is anything that is not a number.
  Picker->SetDateTime(EncodeDate(1, 1, 1));
  EXPECT_EQ(Picker->GetText(), u"01.01.1601");
  Picker->SetDateTime(1e9);
  EXPECT_EQ(Picker->GetText(), u"31.12.9999");
  Picker->SetDateTime(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(Picker->GetText(), u"30.12.1899");
  // Year typing stops at the last year; Up on it stays.
  Picker->SetDateTime(EncodeDate(9999, 12, 31));
  Press(VK_END);
  Press(VK_UP);
  EXPECT_EQ(Picker->GetText(), u"31.12.9999");
  Type(u"0000");
  EXPECT_EQ(Picker->GetText(), u"31.12.1601");
  // Limits: inclusive clamping; MinDate above MaxDate moves MaxDate.
  Picker->SetDateTime(EncodeDate(2023, 3, 4));
  Picker->SetMinDate(EncodeDate(2023, 1, 10));
  Picker->SetMaxDate(EncodeDate(2023, 1, 20));
  EXPECT_EQ(Picker->GetText(), u"20.01.2023");
  Picker->SetDateTime(EncodeDateTime(2023, 1, 10, 8, 0, 0, 0));
  EXPECT_DOUBLE_EQ(Picker->GetDateTime(), EncodeDateTime(2023, 1, 10, 8, 0, 0, 0));
  Press(VK_HOME);
  Press(VK_DOWN);   // 9th: below the range
  EXPECT_EQ(Picker->GetText(), u"10.01.2023");
  Picker->SetMinDate(EncodeDate(2023, 2, 1));
  EXPECT_DOUBLE_EQ(Picker->GetMaxDate(), EncodeDate(2023, 2, 1));
  EXPECT_EQ(Picker->GetText(), u"01.02.2023");
  Picker->SetMaxDate(0);
  Picker->SetMinDate(0);
  // Twenty digits into the day, then the year.
  Picker->SetDateTime(EncodeDate(2023, 3, 4));
  Press(VK_HOME);
  Type(u"12345678901234567890");
  Press(VK_END);
  Type(u"98765432109876543210");
  Press(VK_LEFT);
  TDateTime v = Picker->GetDateTime();
  EXPECT_GE(v, EncodeDate(1601, 1, 1));
  EXPECT_LE(v, EncodeDate(9999, 12, 31));
  // Formats without fields, unterminated quotes, names only: keys do nothing harmful.
  for (const Char* f : {u"xyz", u"'unterminated", u"dddd", u"''", u"ddddddd MMMMMM yyyyyyy"}) {
    SCOPED_TRACE(UTF8Encode(f));
    Picker->SetFormat(f);
    for (UINT k : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END}) Press(k);
    Type(u"42");
    EXPECT_EQ(SendMessage(h, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(bad)), GDT_VALID);
  }
  Picker->SetFormat(u"'unterminated");
  EXPECT_EQ(Picker->GetText(), u"unterminated");
}

// The look: date combo, time up-down, the check box checked and unchecked, a focused field and a
// disabled picker; themed and classic.
TEST_F(DateTimePickerTest, LooksMatchTheGoldenPictures) {
  delete Form;
  Form = NewForm(220, 190);
  auto add = [&](Integer Y) {
    auto* p = Add<TDateTimePicker>(Form, 10, Y, 200, 23);
    p->SetDateTime(EncodeDateTime(2024, 2, 29, 14, 5, 0, 0));
    return p;
  };
  TDateTimePicker* focused = add(10);
  add(40)->SetKind(dtkTime);
  TDateTimePicker* checked = add(70);
  checked->SetShowCheckbox(true);
  TDateTimePicker* unchecked = add(100);
  unchecked->SetShowCheckbox(true);
  unchecked->SetChecked(false);
  add(130)->SetEnabled(false);
  TDateTimePicker* up = add(160);
  up->SetDateMode(dmUpDown);
  up->SetCtl3D(false);
  Form->Show();
  Pump();
  focused->SetFocus();
  Pump();
  Press(VK_RIGHT);
  for (bool themed : {true, false}) {
    SetThemeActive(themed);
    Form->Invalidate();
    const char* name = themed ? "datetimepicker-themed.png" : "datetimepicker-classic.png";
    ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/" + name, name);
  }
}

// F4 sends DTN_DROPDOWN with the calendar already there to be styled and sized, shows it under the
// picker without taking the focus, and every close sends DTN_CLOSEUP; a chosen day keeps the time.
TEST_F(DateTimePickerTest, TheCalendarDropsDownAndChoosesADay) {
  HWND h = Picker->GetHandle();
  Picker->SetDateTime(EncodeDateTime(2024, 1, 17, 9, 30, 0, 0));
  std::vector<String> log;
  HWND seen = nullptr;
  RECT wanted{};
  SYSTEMTIME today{};
  DateTimeToSystemTime(EncodeDate(2024, 1, 17), today);
  Picker->OnDropDown = [&](TObject*) {
    seen = reinterpret_cast<HWND>(SendMessage(h, DTM_GETMONTHCAL, 0, 0));
    log.push_back(u"dropdown");
    if (!seen) return;
    SetWindowLong(seen, GWL_STYLE, GetWindowLong(seen, GWL_STYLE) | static_cast<LONG>(MCS_WEEKNUMBERS));
    SendMessage(seen, MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(&today));
    SendMessage(seen, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&wanted));
    SetWindowPos(seen, nullptr, 0, 0, wanted.right + 2, wanted.bottom + 2, SWP_NOZORDER);
  };
  Picker->OnCloseUp = [&](TObject*) { log.push_back(u"closeup"); };
  Picker->OnChange = [&](TObject*) { log.push_back(u"change " + Picker->GetText()); };
  EXPECT_EQ(SendMessage(h, DTM_GETMONTHCAL, 0, 0), 0);
  Press(VK_F4);
  ASSERT_TRUE(Picker->GetDroppedDown());
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(h, DTM_GETMONTHCAL, 0, 0)), seen);
  DATETIMEPICKERINFO info;
  info.cbSize = 56;
  SendMessage(h, DTM_GETDATETIMEPICKERINFO, 0, reinterpret_cast<LPARAM>(&info));
  HWND popup = info.hwndDropDown;
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(IsWindowVisible(popup));
  EXPECT_EQ(info.stateButton, STATE_SYSTEM_PRESSED);
  EXPECT_TRUE(GetWindowLong(seen, GWL_STYLE) & MCS_WEEKNUMBERS);
  RECT pr, br;
  GetWindowRect(popup, &pr);
  GetWindowRect(h, &br);
  EXPECT_EQ(pr.right - pr.left, wanted.right + 2);   // the handler's size, not the default one
  EXPECT_EQ(pr.bottom - pr.top, wanted.bottom + 2);
  EXPECT_EQ(pr.left, br.left);
  EXPECT_EQ(pr.top, br.bottom);
  EXPECT_EQ(GetFocus(), h);
  EXPECT_EQ(GetActiveWindow(), Form->GetHandle());
  Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_FALSE(Picker->GetDroppedDown());
  EXPECT_FALSE(IsWindowVisible(popup));
  EXPECT_EQ(SendMessage(h, DTM_GETMONTHCAL, 0, 0), 0);
  EXPECT_EQ(GetFocus(), h);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_DOUBLE_EQ(Picker->GetDateTime(), EncodeDateTime(2024, 1, 24, 9, 30, 0, 0));
  EXPECT_EQ(log, (std::vector<String>{u"dropdown", u"change 24.01.2024", u"closeup"}));
  // Esc closes without a change; so does a press outside the calendar.
  log.clear();
  Press(VK_F4);
  Press(VK_DOWN);
  Press(VK_ESCAPE);
  Chord(VK_MENU, VK_DOWN);
  EXPECT_TRUE(Picker->GetDroppedDown());
  ClickAt(Form, 250, 150);
  EXPECT_FALSE(Picker->GetDroppedDown());
  EXPECT_EQ(GetFocus(), h);
  EXPECT_DOUBLE_EQ(Picker->GetDateTime(), EncodeDateTime(2024, 1, 24, 9, 30, 0, 0));
  EXPECT_EQ(log, (std::vector<String>{u"dropdown", u"closeup", u"dropdown", u"closeup"}));
  // The drop button opens it; a click on a day chooses that day.
  TRect b = Picker->ButtonRect();
  ClickAt(Picker, b.left + 3, b.top + 3);
  ASSERT_TRUE(Picker->GetDroppedDown());
  TMonthCalendar* cal = Picker->GetCalendar();
  for (Integer i = 0; i < 42; ++i)
    if (cal->CellDate(i) == EncodeDate(2024, 1, 10)) {
      TRect r = cal->CellRect(i);
      ClickAt(cal, r.left + 3, r.top + 3);
      break;
    }
  EXPECT_FALSE(Picker->GetDroppedDown());
  EXPECT_DOUBLE_EQ(Picker->GetDateTime(), EncodeDateTime(2024, 1, 10, 9, 30, 0, 0));
  EXPECT_EQ(GetFocus(), h);
  // Leaving the picker closes it; up-down pickers have no calendar.
  Press(VK_F4);
  Other->SetFocus();
  Pump();
  EXPECT_FALSE(Picker->GetDroppedDown());
  Picker->SetDateMode(dmUpDown);
  Picker->SetFocus();
  Pump();
  Press(VK_F4);
  EXPECT_FALSE(Picker->GetDroppedDown());
}

TEST_F(DateTimePickerTest, TheCalendarOpensRightAlignedOrAbove) {
  Picker->SetCalAlignment(dtaRight);
  EXPECT_TRUE(GetWindowLong(Picker->GetHandle(), GWL_STYLE) & DTS_RIGHTALIGN);
  Picker->SetFocus();
  Pump();
  Press(VK_F4);
  ASSERT_TRUE(Picker->GetDroppedDown());
  RECT pr, br;
  GetWindowRect(GetParent(Picker->GetCalendar()->GetHandle()), &pr);
  GetWindowRect(Picker->GetHandle(), &br);
  EXPECT_EQ(pr.right, br.right);
  EXPECT_EQ(pr.top, br.bottom);
  Press(VK_ESCAPE);
  // Too close to the bottom of the work area: above the picker.
  Form->SetTop(960);
  Pump();
  Press(VK_F4);
  ASSERT_TRUE(Picker->GetDroppedDown());
  GetWindowRect(GetParent(Picker->GetCalendar()->GetHandle()), &pr);
  GetWindowRect(Picker->GetHandle(), &br);
  EXPECT_EQ(pr.bottom, br.top);
  Press(VK_ESCAPE);
}

#ifdef ZELK_PICKER_DEMO
namespace {

struct TXWindow {
  unsigned long Id = 0;
  std::string Geometry;   // WxH+X+Y
  bool OverrideRedirect = false;
};

// The blocks of "xwininfo -id ... -all".
std::vector<TXWindow> ReadXWindows(const std::string& FileName) {
  std::ifstream in(FileName);
  std::vector<TXWindow> out;
  std::string line;
  long x = 0, y = 0, w = 0, h = 0;
  auto finish = [&] {
    if (out.empty()) return;
    out.back().Geometry = std::to_string(w) + "x" + std::to_string(h) + "+" + std::to_string(x) + "+" + std::to_string(y);
  };
  while (std::getline(in, line)) {
    auto value = [&](const char* Key) { return std::stol(line.substr(line.find(Key) + std::strlen(Key))); };
    if (line.find("xwininfo: Window id:") != std::string::npos) {
      finish();
      out.emplace_back();
      out.back().Id = std::stoul(line.substr(line.find("0x")), nullptr, 16);
    } else if (line.find("Absolute upper-left X:") != std::string::npos) {
      x = value("X:");
    } else if (line.find("Absolute upper-left Y:") != std::string::npos) {
      y = value("Y:");
    } else if (line.find("  Width:") != std::string::npos) {
      w = value("Width:");
    } else if (line.find("  Height:") != std::string::npos) {
      h = value("Height:");
    } else if (line.find("Override Redirect State:") != std::string::npos && !out.empty()) {
      out.back().OverrideRedirect = line.find("yes") != std::string::npos;
    }
  }
  finish();
  return out;
}

}  // namespace

// On a real X server: the calendar pops up as an override-redirect window under the picker, the
// form keeps the X input focus, and a real press outside (xdotool) closes the calendar.
TEST(DateTimePickerX11, TheDroppedCalendarIsAnOverrideRedirectPopupAndTheFormStaysActive) {
  if (!HaveCommands("Xvfb xwininfo xdotool")) GTEST_SKIP() << "Xvfb, xwininfo or xdotool is not installed";
  std::filesystem::path dir = std::filesystem::path(ZELK_TEST_OUTPUT) / "picker-x11";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::filesystem::path probe = dir / "probe.sh", shot = dir / "PickerDemoScreenshot.png";
  {
    std::ofstream s(probe);
    s << "#!/bin/sh\n"
         "out='" << dir.string() << "'\n"
         "echo \"$1 $2\" > \"$out/rects.txt\"\n"
         "xwininfo -root -children > \"$out/tree.txt\" || exit 1\n"
         "for id in $(awk '$1 ~ /^0x/ {print $1}' \"$out/tree.txt\"); do xwininfo -id \"$id\" -all; done "
         "> \"$out/windows.txt\" 2>/dev/null\n"
         "xdotool getwindowfocus > \"$out/focus.txt\" || exit 1\n"
         "xdotool mousemove 600 450 click 1 || exit 1\n";
  }
  std::filesystem::permissions(probe, std::filesystem::perms::owner_all);
  std::string cmd = LeakSuppressions() + OnXvfb("-screen 0 640x480x24") + "'" + std::string(ZELK_PICKER_DEMO) +
                    "' --screenshot '" + shot.string() + "' --probe '" + probe.string() + "'";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  std::string popupGeometry, formGeometry;
  std::ifstream(dir / "rects.txt") >> popupGeometry >> formGeometry;
  unsigned long focus = 0;
  std::ifstream(dir / "focus.txt") >> focus;
  const TXWindow* popup = nullptr;
  const TXWindow* form = nullptr;
  std::vector<TXWindow> windows = ReadXWindows((dir / "windows.txt").string());
  for (const TXWindow& w : windows) {
    if (w.Geometry == popupGeometry) popup = &w;
    if (w.Geometry == formGeometry) form = &w;
  }
  ASSERT_NE(popup, nullptr) << popupGeometry;
  ASSERT_NE(form, nullptr) << formGeometry;
  EXPECT_TRUE(popup->OverrideRedirect);
  EXPECT_FALSE(form->OverrideRedirect);
  EXPECT_EQ(focus, form->Id);
  // The screenshot shows the calendar's title band at the popup's place.
  TSurface pic;
  ASSERT_TRUE(pic.LoadFromPng(shot.string()));
  long w, h, x, y;
  ASSERT_EQ(std::sscanf(popupGeometry.c_str(), "%ldx%ld+%ld+%ld", &w, &h, &x, &y), 4);
  EXPECT_EQ(PixelToColorRef(pic.Pixel(static_cast<int>(x + 28), static_cast<int>(y + 6))), GetSysColor(COLOR_ACTIVECAPTION));
}
#endif
