#pragma once
// The date-time picker control (window class "SysDateTimePick32"): its styles, messages,
// notifications and records. The picker notifies its parent with WM_NOTIFY; the value travels as
// a SYSTEMTIME.
#include <cstdint>

#include "platform/rtl/DateUtils.h"
#include "platform/win/Messages.h"
#include "platform/win/RichEdit.h"
#include "platform/win/WinTypes.h"

constexpr const Char* DATETIMEPICK_CLASSW = u"SysDateTimePick32";

// Styles
constexpr DWORD DTS_UPDOWN = 0x0001;           // a spin part instead of the drop button
constexpr DWORD DTS_SHOWNONE = 0x0002;         // a check box: unchecked means "no date"
constexpr DWORD DTS_SHORTDATEFORMAT = 0x0000;
constexpr DWORD DTS_LONGDATEFORMAT = 0x0004;
constexpr DWORD DTS_TIMEFORMAT = 0x0009;       // includes DTS_UPDOWN
constexpr DWORD DTS_APPCANPARSE = 0x0010;      // F2 or a non-field key starts free text (DTN_USERSTRING)
constexpr DWORD DTS_RIGHTALIGN = 0x0020;       // the calendar drops right-aligned

// Messages
constexpr UINT DTM_FIRST = 0x1000;
constexpr UINT DTM_GETSYSTEMTIME = DTM_FIRST + 1;    // lParam SYSTEMTIME*; answers GDT_VALID or GDT_NONE
constexpr UINT DTM_SETSYSTEMTIME = DTM_FIRST + 2;    // wParam GDT_VALID / GDT_NONE, lParam SYSTEMTIME*
constexpr UINT DTM_GETRANGE = DTM_FIRST + 3;         // lParam SYSTEMTIME[2]; answers GDTR_* flags
constexpr UINT DTM_SETRANGE = DTM_FIRST + 4;         // wParam GDTR_* flags, lParam SYSTEMTIME[2]
constexpr UINT DTM_SETFORMATA = DTM_FIRST + 5;       // lParam const char* (nullptr: the locale's format)
constexpr UINT DTM_GETMONTHCAL = DTM_FIRST + 8;      // the dropped calendar's window, or nullptr
constexpr UINT DTM_GETDATETIMEPICKERINFO = DTM_FIRST + 14;
constexpr UINT DTM_SETFORMATW = DTM_FIRST + 50;      // lParam const Char* (nullptr: the locale's format)

constexpr LRESULT GDT_ERROR = -1;
constexpr LRESULT GDT_VALID = 0;
constexpr LRESULT GDT_NONE = 1;
constexpr WPARAM GDTR_MIN = 0x0001;
constexpr WPARAM GDTR_MAX = 0x0002;

// Notifications (NMHDR codes)
constexpr UINT DTN_FIRST = static_cast<UINT>(-740);
constexpr UINT DTN_FIRST2 = static_cast<UINT>(-753);
constexpr UINT DTN_DATETIMECHANGE = DTN_FIRST2 - 6;   // -759, NMDATETIMECHANGE
constexpr UINT DTN_USERSTRINGA = DTN_FIRST2 - 5;      // -758, NMDATETIMESTRINGA
constexpr UINT DTN_USERSTRINGW = DTN_FIRST - 5;       // -745, NMDATETIMESTRINGW
constexpr UINT DTN_DROPDOWN = DTN_FIRST2 - 1;         // -754
constexpr UINT DTN_CLOSEUP = DTN_FIRST2;              // -753

struct NMDATETIMECHANGE {
  NMHDR nmhdr;
  DWORD dwFlags = 0;   // GDT_VALID or GDT_NONE
  SYSTEMTIME st{};
};

// Free text the user typed: the receiver parses pszUserString into st and answers in dwFlags
// (GDT_VALID takes st; GDT_NONE and GDT_ERROR keep the value).
struct NMDATETIMESTRINGW {
  NMHDR nmhdr;
  const Char* pszUserString = nullptr;
  SYSTEMTIME st{};
  DWORD dwFlags = static_cast<DWORD>(GDT_ERROR);
};

struct NMDATETIMESTRINGA {
  NMHDR nmhdr;
  const char* pszUserString = nullptr;
  SYSTEMTIME st{};
  DWORD dwFlags = static_cast<DWORD>(GDT_ERROR);
};

// Accessibility states of the picker's parts.
constexpr DWORD STATE_SYSTEM_PRESSED = 0x00000008;
constexpr DWORD STATE_SYSTEM_CHECKED = 0x00000010;
constexpr DWORD STATE_SYSTEM_HOTTRACKED = 0x00000080;
constexpr DWORD STATE_SYSTEM_INVISIBLE = 0x00008000;

// The picker's parts in client coordinates. cbSize is 56 (the record's size on the platform the
// messages were defined for) or sizeof(DATETIMEPICKERINFO); the picker fills nothing otherwise.
struct DATETIMEPICKERINFO {
  DWORD cbSize = 0;
  RECT rcCheck{};
  DWORD stateCheck = 0;
  RECT rcButton{};
  DWORD stateButton = 0;
  HWND hwndEdit = nullptr;       // the window that takes the typing (the picker itself)
  HWND hwndUD = nullptr;         // no separate up-down window: the spin part is drawn by the picker
  HWND hwndDropDown = nullptr;   // the dropped calendar popup, nullptr while closed
};
constexpr DWORD DATETIMEPICKERINFO_LEGACY_SIZE = 56;

// ---------------------------------------------------------------------------------------------
// The month calendar (window class "SysMonthCal32")

constexpr const Char* MONTHCAL_CLASSW = u"SysMonthCal32";

// Styles, read at each paint and layout.
constexpr DWORD MCS_WEEKNUMBERS = 0x0004;     // a column of ISO 8601 week numbers
constexpr DWORD MCS_NOTODAYCIRCLE = 0x0008;   // today is not circled
constexpr DWORD MCS_NOTODAY = 0x0010;         // no "Today: " line at the bottom

constexpr UINT MCM_FIRST = 0x1000;
constexpr UINT MCM_GETCURSEL = MCM_FIRST + 1;       // lParam SYSTEMTIME*
constexpr UINT MCM_SETCURSEL = MCM_FIRST + 2;       // lParam const SYSTEMTIME*; FALSE when invalid
constexpr UINT MCM_GETMINREQRECT = MCM_FIRST + 9;   // lParam RECT*: one month view for the font and styles
constexpr UINT MCM_SETTODAY = MCM_FIRST + 10;       // lParam const SYSTEMTIME* (nullptr: the clock's)
constexpr UINT MCM_GETTODAY = MCM_FIRST + 11;       // lParam SYSTEMTIME*
constexpr UINT MCM_HITTEST = MCM_FIRST + 14;        // lParam MCHITTESTINFO*; answers uHit
constexpr UINT MCM_GETRANGE = MCM_FIRST + 17;       // lParam SYSTEMTIME[2]; answers GDTR_* flags
constexpr UINT MCM_SETRANGE = MCM_FIRST + 18;       // wParam GDTR_* flags, lParam SYSTEMTIME[2]

constexpr UINT MCN_FIRST = static_cast<UINT>(-746);
constexpr UINT MCN_SELECT = MCN_FIRST;              // -746: a day was chosen (click, Enter, "Today")
constexpr UINT MCN_SELCHANGE = MCN_FIRST - 3;       // -749: the selection moved

struct NMSELCHANGE {
  NMHDR nmhdr;
  SYSTEMTIME stSelStart{};
  SYSTEMTIME stSelEnd{};
};
using NMSELECT = NMSELCHANGE;

// Hit-test codes.
constexpr UINT MCHT_NOWHERE = 0x00000000;
constexpr UINT MCHT_TITLE = 0x00010000;
constexpr UINT MCHT_CALENDAR = 0x00020000;
constexpr UINT MCHT_TODAYLINK = 0x00030000;
constexpr UINT MCHT_NEXT = 0x01000000;
constexpr UINT MCHT_PREV = 0x02000000;
constexpr UINT MCHT_TITLEBK = MCHT_TITLE;
constexpr UINT MCHT_TITLEMONTH = MCHT_TITLE | 0x0001;
constexpr UINT MCHT_TITLEYEAR = MCHT_TITLE | 0x0002;
constexpr UINT MCHT_TITLEBTNNEXT = MCHT_TITLE | MCHT_NEXT | 0x0003;
constexpr UINT MCHT_TITLEBTNPREV = MCHT_TITLE | MCHT_PREV | 0x0003;
constexpr UINT MCHT_CALENDARBK = MCHT_CALENDAR;
constexpr UINT MCHT_CALENDARDATE = MCHT_CALENDAR | 0x0001;
constexpr UINT MCHT_CALENDARDATENEXT = MCHT_CALENDARDATE | MCHT_NEXT;
constexpr UINT MCHT_CALENDARDATEPREV = MCHT_CALENDARDATE | MCHT_PREV;
constexpr UINT MCHT_CALENDARDAY = MCHT_CALENDAR | 0x0002;
constexpr UINT MCHT_CALENDARWEEKNUM = MCHT_CALENDAR | 0x0003;

struct MCHITTESTINFO {
  UINT cbSize = sizeof(MCHITTESTINFO);
  POINT pt{};
  UINT uHit = 0;
  SYSTEMTIME st{};   // the date of a day cell (MCHT_CALENDARDATE...)
};
