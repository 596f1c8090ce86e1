// The month calendar: the month's layout by the locale's first day of the week, ISO weeks, hit
// testing of every cell, the size for its styles, keys across a year end and a leap day within a
// range, bad input, and the look (golden pictures, German and US).
#include "platform/ui/testsupport/UiTestSupport.h"

#include <functional>
#include <vector>

#include "platform/ui/MonthCalendar.h"

namespace {

// Records the notifications the calendar's parent reflects back to it.
class TLoggingCalendar : public TMonthCalendar {
  ZELK_CLASS(TLoggingCalendar, TMonthCalendar)
public:
  using TMonthCalendar::TMonthCalendar;
  std::vector<std::pair<UINT, TDateTime>> Log;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CN_NOTIFY) {
      auto* n = reinterpret_cast<NMSELCHANGE*>(Message.LParam);
      Log.emplace_back(n->nmhdr.code, SystemTimeToDateTime(n->stSelStart));
    }
    TMonthCalendar::Dispatch(Message);
  }
};

SYSTEMTIME Day(Word Y, Word M, Word D) {
  SYSTEMTIME st{};
  DateTimeToSystemTime(EncodeDate(Y, M, D), st);
  return st;
}

}  // namespace

class MonthCalendarTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Saved = FormatSettings;
    FormatSettings = TFormatSettings::German();
    Form = NewForm(400, 300);
    Cal = Add<TLoggingCalendar>(Form, 10, 10, 10, 10);
    Form->Show();
    Pump();
    TRect r = Cal->MinReqRect();
    Cal->SetBounds(10, 10, r.right, r.bottom);
    Cal->SetFocus();
    Pump();
    SYSTEMTIME today = Day(2024, 1, 17);
    SendMessage(Cal->GetHandle(), MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(&today));
  }
  void TearDown() override {
    FormatSettings = Saved;
    UiTest::TearDown();
  }
  void Show(Word Y, Word M, Word D) { Cal->SetDate(EncodeDate(Y, M, D)); }
  TFormatSettings Saved;
  TForm* Form = nullptr;
  TLoggingCalendar* Cal = nullptr;
};

TEST_F(MonthCalendarTest, MonthLayoutFollowsTheFirstDayOfTheWeek) {
  struct TCase {
    const char* Name;
    Byte FirstDay;   // 0 Monday .. 6 Sunday
    Word Y, M;
    TDateTime FirstCell;
    Integer FirstRowWeek;
  };
  const TCase cases[] = {
      {"January 2024, Monday first", 0, 2024, 1, EncodeDate(2023, 12, 25), 52},
      {"January 2024, Sunday first", 6, 2024, 1, EncodeDate(2023, 12, 31), 1},
      {"December 2020 holds week 53", 0, 2020, 12, EncodeDate(2020, 11, 30), 49},
      {"January 2021 starts in week 53", 0, 2021, 1, EncodeDate(2020, 12, 28), 53},
      {"February 2021 starts on a Monday", 0, 2021, 2, EncodeDate(2021, 1, 25), 4},
      {"February 2026 starts on a Sunday", 6, 2026, 2, EncodeDate(2026, 1, 25), 5},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    FormatSettings.FirstDayOfWeek = c.FirstDay;
    Show(c.Y, c.M, 15);
    EXPECT_DOUBLE_EQ(Cal->CellDate(0), c.FirstCell);
    EXPECT_DOUBLE_EQ(Cal->CellDate(41), c.FirstCell + 41);
    EXPECT_EQ(Cal->RowWeekNumber(0), c.FirstRowWeek);
    // Every cell answers its own date, flagged when it belongs to a neighbour month.
    for (Integer i = 0; i < 42; ++i) {
      TRect r = Cal->CellRect(i);
      MCHITTESTINFO info;
      info.pt = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      LRESULT hit = SendMessage(Cal->GetHandle(), MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
      TDateTime want = Cal->CellDate(i);
      ASSERT_DOUBLE_EQ(SystemTimeToDateTime(info.st), want) << "cell " << i;
      Word y, m, d;
      DecodeDate(want, y, m, d);
      UINT flag = y * 12 + m < c.Y * 12 + c.M ? MCHT_CALENDARDATEPREV
                  : y * 12 + m > c.Y * 12 + c.M ? MCHT_CALENDARDATENEXT
                                                : MCHT_CALENDARDATE;
      ASSERT_EQ(static_cast<UINT>(hit), flag) << "cell " << i;
    }
  }
  // The other parts.
  MCHITTESTINFO info;
  TRect prev = Cal->PrevButtonRect(), next = Cal->NextButtonRect(), today = Cal->TodayRect();
  info.pt = POINT{prev.left + 2, prev.top + 2};
  EXPECT_EQ(SendMessage(Cal->GetHandle(), MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), MCHT_TITLEBTNPREV);
  info.pt = POINT{next.right - 2, next.top + 2};
  EXPECT_EQ(SendMessage(Cal->GetHandle(), MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), MCHT_TITLEBTNNEXT);
  info.pt = POINT{today.left + 30, today.top + 3};
  EXPECT_EQ(SendMessage(Cal->GetHandle(), MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), MCHT_TODAYLINK);
  info.cbSize = 4;
  EXPECT_EQ(SendMessage(Cal->GetHandle(), MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), -1);
}

TEST_F(MonthCalendarTest, MinimumSizeFollowsTheStyles) {
  HWND h = Cal->GetHandle();
  RECT plain, weeks, bare;
  SendMessage(h, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&plain));
  LONG style = GetWindowLong(h, GWL_STYLE);
  SetWindowLong(h, GWL_STYLE, style | static_cast<LONG>(MCS_WEEKNUMBERS));
  SendMessage(h, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&weeks));
  SetWindowLong(h, GWL_STYLE, style | static_cast<LONG>(MCS_NOTODAY));
  SendMessage(h, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&bare));
  TRect cell = Cal->CellRect(0);
  EXPECT_EQ(weeks.right - plain.right, cell.right - cell.left);   // one more column
  EXPECT_EQ(weeks.bottom, plain.bottom);
  EXPECT_LT(bare.bottom, plain.bottom);                           // no today line
  EXPECT_EQ(bare.right, plain.right);
  EXPECT_FALSE(Cal->GetShowToday());
  Cal->SetShowToday(true);
  Cal->SetWeekNumbers(true);
  EXPECT_TRUE(GetWindowLong(h, GWL_STYLE) & MCS_WEEKNUMBERS);
  EXPECT_EQ(Cal->MinReqRect(), TRect(weeks));
}

TEST_F(MonthCalendarTest, KeysMoveTheSelectionWithinTheRange) {
  struct TStep {
    UINT Key;
    bool Ctrl;
    TDateTime Selected;
  };
  Show(2024, 1, 31);
  const TStep steps[] = {
      {VK_NEXT, false, EncodeDate(2024, 2, 29)},  {VK_RIGHT, false, EncodeDate(2024, 3, 1)},
      {VK_LEFT, false, EncodeDate(2024, 2, 29)},  {VK_NEXT, true, EncodeDate(2025, 2, 28)},
      {VK_PRIOR, true, EncodeDate(2024, 2, 28)},  {VK_END, false, EncodeDate(2024, 2, 29)},
      {VK_HOME, false, EncodeDate(2024, 2, 1)},   {VK_UP, false, EncodeDate(2024, 1, 25)},
      {VK_DOWN, false, EncodeDate(2024, 2, 1)},   {VK_PRIOR, false, EncodeDate(2024, 1, 1)},
      {VK_LEFT, false, EncodeDate(2023, 12, 31)}, {VK_DOWN, false, EncodeDate(2024, 1, 7)},
  };
  for (const TStep& s : steps) {
    SCOPED_TRACE(s.Key);
    if (s.Ctrl) Chord(VK_CONTROL, s.Key);
    else Press(s.Key);
    EXPECT_DOUBLE_EQ(Cal->GetDate(), s.Selected);
    EXPECT_EQ(Cal->GetViewMonth(), MonthOf(s.Selected));
  }
  for (int i = 0; i < 13; ++i) Press(VK_NEXT);
  EXPECT_DOUBLE_EQ(Cal->GetDate(), EncodeDate(2025, 2, 7));
  Cal->Log.clear();
  Press(VK_RETURN);
  ASSERT_EQ(Cal->Log.size(), 1u);
  EXPECT_EQ(Cal->Log[0].first, MCN_SELECT);
  EXPECT_DOUBLE_EQ(Cal->Log[0].second, EncodeDate(2025, 2, 7));
  // Inside a range the keys stop at its ends; the selection moved into it first.
  SYSTEMTIME range[2] = {Day(2024, 1, 10), Day(2024, 3, 15)};
  EXPECT_EQ(SendMessage(Cal->GetHandle(), MCM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range)), TRUE);
  EXPECT_DOUBLE_EQ(Cal->GetDate(), EncodeDate(2024, 3, 15));
  Cal->Log.clear();
  Press(VK_NEXT);
  EXPECT_DOUBLE_EQ(Cal->GetDate(), EncodeDate(2024, 3, 15));
  EXPECT_TRUE(Cal->Log.empty());   // nothing moved, nothing said
  Chord(VK_CONTROL, VK_PRIOR);
  EXPECT_DOUBLE_EQ(Cal->GetDate(), EncodeDate(2024, 1, 10));
  ASSERT_EQ(Cal->Log.size(), 1u);
  EXPECT_EQ(Cal->Log[0].first, MCN_SELCHANGE);
  // A click on a day outside the range selects nothing; inside it selects and chooses.
  TRect before = Cal->CellRect(7);   // a day before the 10th
  ClickAt(Cal, before.left + 3, before.top + 3);
  EXPECT_DOUBLE_EQ(Cal->GetDate(), EncodeDate(2024, 1, 10));
  for (Integer i = 0; i < 42; ++i)
    if (Cal->CellDate(i) == EncodeDate(2024, 1, 20)) {
      TRect r = Cal->CellRect(i);
      ClickAt(Cal, r.left + 3, r.top + 3);
    }
  EXPECT_DOUBLE_EQ(Cal->GetDate(), EncodeDate(2024, 1, 20));
  EXPECT_EQ(Cal->Log.back().first, MCN_SELECT);
}

TEST_F(MonthCalendarTest, TitleArrowsTodayAndTheMonthAndYearLists) {
  Show(2024, 5, 31);
  TRect next = Cal->NextButtonRect();
  ClickAt(Cal, next.left + 3, next.top + 3);
  EXPECT_DOUBLE_EQ(Cal->GetDate(), EncodeDate(2024, 6, 30));
  // The title's month opens the months, the year the years.
  MCHITTESTINFO info;
  TRect title = Cal->PrevButtonRect();
  for (LONG x = title.right; x < next.left; ++x) {
    info.pt = POINT{x, title.top + 3};
    if (SendMessage(Cal->GetHandle(), MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)) == MCHT_TITLEYEAR) break;
  }
  ASSERT_EQ(info.uHit, MCHT_TITLEYEAR);
  ClickAt(Cal, info.pt.x, info.pt.y);
  EXPECT_EQ(Cal->GetViewLevel(), 2);
  Pump();
  ClickAt(Cal, next.left + 3, next.top + 3);   // the next decade
  EXPECT_EQ(Cal->GetViewYear(), 2034);
  TRect prev = Cal->PrevButtonRect();
  ClickAt(Cal, prev.left + 3, prev.top + 3);
  EXPECT_EQ(Cal->GetViewYear(), 2024);
  // The twelve choices cover the day names and the days, four to a row; the years start one before
  // the decade: the fourth is 2022, and then the third month is March.
  TRect days = Cal->CellRect(0), last = Cal->CellRect(41);
  TRect area{days.left, days.top - (days.bottom - days.top) - 2, last.right, last.bottom};
  Integer w = (area.right - area.left) / 4;
  ClickAt(Cal, area.left + 3 * w + w / 2, area.top + 5);
  EXPECT_EQ(Cal->GetViewLevel(), 1);
  EXPECT_EQ(Cal->GetViewYear(), 2022);
  Integer rowH = (area.bottom - area.top) / 3;
  ClickAt(Cal, area.left + 2 * w + w / 2, area.top + rowH / 2);   // March
  EXPECT_EQ(Cal->GetViewLevel(), 0);
  EXPECT_DOUBLE_EQ(Cal->GetDate(), EncodeDate(2022, 3, 30));
  // "Today" selects the pinned day.
  TRect today = Cal->TodayRect();
  ClickAt(Cal, today.left + 40, today.top + 3);
  EXPECT_DOUBLE_EQ(Cal->GetDate(), EncodeDate(2024, 1, 17));
  SYSTEMTIME got{};
  SendMessage(Cal->GetHandle(), MCM_GETTODAY, 0, reinterpret_cast<LPARAM>(&got));
  EXPECT_EQ(got.wDay, 17);
}

TEST_F(MonthCalendarTest, BadInputKeepsTheSelectionInside) {
  HWND h = Cal->GetHandle();
  SYSTEMTIME reversed[2] = {Day(2024, 5, 1), Day(2024, 1, 1)};
  EXPECT_EQ(SendMessage(h, MCM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(reversed)), FALSE);
  SYSTEMTIME range[2] = {Day(2024, 1, 1), Day(2024, 5, 1)};
  EXPECT_EQ(SendMessage(h, MCM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range)), TRUE);
  SYSTEMTIME got[2];
  EXPECT_EQ(SendMessage(h, MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(got)), static_cast<LRESULT>(GDTR_MIN | GDTR_MAX));
  SYSTEMTIME outside = Day(2025, 1, 1), month13 = Day(2024, 1, 1);
  month13.wMonth = 13;
  EXPECT_EQ(SendMessage(h, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&outside)), FALSE);
  EXPECT_EQ(SendMessage(h, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&month13)), FALSE);
  EXPECT_EQ(SendMessage(h, MCM_SETCURSEL, 0, 0), FALSE);
  SYSTEMTIME sel{};
  SendMessage(h, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&sel));
  EXPECT_GE(SystemTimeToDateTime(sel), EncodeDate(2024, 1, 1));
  EXPECT_LE(SystemTimeToDateTime(sel), EncodeDate(2024, 5, 1));
  // The setters: a minimum above the maximum moves the maximum.
  Cal->SetMinDate(EncodeDate(2024, 6, 1));
  EXPECT_DOUBLE_EQ(Cal->GetMaxDate(), EncodeDate(2024, 6, 1));
  EXPECT_DOUBLE_EQ(Cal->GetDate(), EncodeDate(2024, 6, 1));
  SendMessage(h, MCM_SETRANGE, 0, 0);
  // The first and the last supported months: paging stops, painting copes with the days beyond.
  for (TDateTime d : {EncodeDate(1601, 1, 3), EncodeDate(9999, 12, 30)}) {
    Cal->SetDate(d);
    for (UINT k : {VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN}) {
      Press(k);
      Chord(VK_CONTROL, k);
    }
    Cal->SetWeekNumbers(true);
    Cal->Repaint();
    Pump();
    EXPECT_GE(Cal->GetDate(), EncodeDate(1601, 1, 1));
    EXPECT_LE(Cal->GetDate(), EncodeDate(9999, 12, 31));
  }
  Cal->SetDate(EncodeDate(1601, 1, 1));
  Press(VK_LEFT);
  EXPECT_DOUBLE_EQ(Cal->GetDate(), EncodeDate(1601, 1, 1));
  Cal->SetDate(EncodeDate(9999, 12, 31));
  Press(VK_RIGHT);
  EXPECT_DOUBLE_EQ(Cal->GetDate(), EncodeDate(9999, 12, 31));
  MCHITTESTINFO info;
  TRect last = Cal->CellRect(41);
  info.pt = POINT{last.left + 2, last.top + 2};
  EXPECT_EQ(SendMessage(h, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), MCHT_CALENDARBK);   // 10000 is no day
  // A font of no size still lays out and paints.
  Cal->GetFont()->SetHeight(0);
  Cal->GetFont()->SetSize(0);
  TRect r = Cal->MinReqRect();
  EXPECT_GT(r.right, 0);
  EXPECT_GT(r.bottom, 0);
  Cal->Repaint();
  Pump();
}

// Pinned today 2024-01-17, selection 2024-01-23: plain with week numbers, no today line, no
// circle, days outside a range; then US with Sunday first.
TEST_F(MonthCalendarTest, LooksMatchTheGoldenPictures) {
  delete Form;
  for (bool german : {true, false}) {
    FormatSettings = german ? TFormatSettings::German() : TFormatSettings::USEnglish();
    Form = NewForm(german ? 420 : 210, german ? 380 : 190);
    SYSTEMTIME today = Day(2024, 1, 17);
    // Styled first, then sized to what the styles need.
    auto add = [&](Integer X, Integer Y, const std::function<void(TMonthCalendar*)>& Style) {
      auto* c = Add<TMonthCalendar>(Form, X, Y, 10, 10);
      Style(c);
      TRect r = c->MinReqRect();
      c->SetBounds(X, Y, r.right, r.bottom);
      SendMessage(c->GetHandle(), MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(&today));
      c->SetDate(EncodeDate(2024, 1, 23));
    };
    if (german) {
      add(0, 0, [](TMonthCalendar* c) { c->SetWeekNumbers(true); });
      add(210, 0, [](TMonthCalendar* c) { c->SetShowToday(false); });
      add(0, 190, [](TMonthCalendar* c) { c->SetShowTodayCircle(false); });
      add(210, 190, [](TMonthCalendar* c) {
        c->SetMinDate(EncodeDate(2024, 1, 8));
        c->SetMaxDate(EncodeDate(2024, 1, 26));
      });
    } else {
      add(0, 0, [](TMonthCalendar*) {});
    }
    Form->Show();
    Pump();
    const char* name = german ? "monthcalendar-de.png" : "monthcalendar-us.png";
    ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/" + name, name);
    delete Form;
  }
  Form = nullptr;
}
