#pragma once
// The month calendar: a standard control of window class "SysMonthCal32", drawn by the class
// library. One month view: a title (long month name and year, arrows to page), the day-name
// initials from the locale's first day of the week, six rows of seven days (the neighbour months'
// days greyed), the selected day filled, today circled (unless MCS_NOTODAYCIRCLE), a "Today: "
// line (unless MCS_NOTODAY) and ISO 8601 week numbers with MCS_WEEKNUMBERS. The styles are read
// from GWL_STYLE whenever the control lays itself out. A click on the title's month or year shows
// the months of the year or the years around it to choose from.
//
// Keys: arrows move by a day or a week, PgUp/PgDn by a month, Ctrl+PgUp/PgDn by a year, Home/End
// to the month's first and last day, Enter chooses the selection. Days outside the range
// (MCM_SETRANGE) are greyed and never selected. The parent hears MCN_SELCHANGE when the selection
// moves and MCN_SELECT when a day is chosen.
#include "platform/ui/Controls.h"
#include "platform/ui/DateTimeFields.h"
#include "platform/win/DateTimeCtrl.h"

class TMonthCalendar : public TWinControl {
  ZELK_CLASS(TMonthCalendar, TWinControl)
public:
  explicit TMonthCalendar(TComponent* AOwner);

  // The selected day.
  TDateTime GetDate() const { return FSel.ToDateTime(); }
  void SetDate(TDateTime Value);
  // Limits by date, 0: none. A MinDate above MaxDate moves MaxDate to it (and the other way
  // round): the bound set last wins.
  TDateTime GetMinDate() const { return FHasMin ? FMin.ToDateTime() : 0; }
  void SetMinDate(TDateTime Value);
  TDateTime GetMaxDate() const { return FHasMax ? FMax.ToDateTime() : 0; }
  void SetMaxDate(TDateTime Value);
  // The styles (GWL_STYLE once the window exists).
  bool GetWeekNumbers() { return (CalendarStyle() & MCS_WEEKNUMBERS) != 0; }
  void SetWeekNumbers(bool Value) { SetStyleBit(MCS_WEEKNUMBERS, Value); }
  bool GetShowToday() { return (CalendarStyle() & MCS_NOTODAY) == 0; }
  void SetShowToday(bool Value) { SetStyleBit(MCS_NOTODAY, !Value); }
  bool GetShowTodayCircle() { return (CalendarStyle() & MCS_NOTODAYCIRCLE) == 0; }
  void SetShowTodayCircle(bool Value) { SetStyleBit(MCS_NOTODAYCIRCLE, !Value); }

  // Layout, in client coordinates: the size one month view needs, the 42 day cells (the first
  // one's date is FirstCellDate), and the parts of the title and the today line.
  TRect MinReqRect();
  TRect CellRect(Integer Index);
  TDateTime CellDate(Integer Index) const;
  // The ISO 8601 week shown for a row (0 .. 5), 0 for a row past the supported years.
  Integer RowWeekNumber(Integer Row) const;
  TRect PrevButtonRect();
  TRect NextButtonRect();
  TRect TodayRect();
  // 0 the days, 1 the months of the year, 2 the years around it.
  Integer GetViewLevel() const { return FLevel; }
  // The month shown.
  Word GetViewYear() const { return FViewYear; }
  Word GetViewMonth() const { return FViewMonth; }

  // Calendar behaviour for a host that relays input (the date-time picker's drop-down): a key, and
  // a press at a client point (a press never takes the focus this way).
  void CalendarKeyDown(UINT Key);
  void CalendarMouseDown(TPoint P);

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void PaintWindow(HDC DC) override;

  struct TLayout {
    Integer CellW, CellH, Margin, WeekW;
    TRect Title, TitleMonth, TitleYear, Prev, Next, DayNames, Days, Today;
  };
  TLayout Layout();
  DWORD CalendarStyle();
  void SetStyleBit(DWORD Bit, bool On);
  TDateTimeParts TodayParts() const;
  bool InRange(const TDateTimeParts& P) const;
  TDateTimeParts Clamped(TDateTimeParts P) const;
  // Moves the selection (clamped into the range, the view following it); MCN_SELCHANGE when it
  // moved and Notify.
  void Select(const TDateTimeParts& P, bool Notify);
  void Choose();   // MCN_SELECT for the selection
  void Notify(UINT Code);
  void Page(Integer Months);
  UINT HitTest(TPoint P, SYSTEMTIME* Date);
  // The level cells: 12 of them (months, or years from the decade's start - 1).
  TRect LevelCellRect(Integer Index);
  Integer LevelCellValue(Integer Index) const;

  void DrawTitle(HDC DC, const TLayout& L);
  void DrawDays(HDC DC, const TLayout& L);
  void DrawLevel(HDC DC, const TLayout& L);
  void DrawToday(HDC DC, const TLayout& L);

  TDateTimeParts FSel;
  Word FViewYear = 2000, FViewMonth = 1;
  bool FHasMin = false, FHasMax = false;
  TDateTimeParts FMin, FMax;
  bool FTodayPinned = false;
  TDateTimeParts FToday;
  Integer FLevel = 0;
  DWORD FStyle = 0;   // MCS_* before the window exists
};
