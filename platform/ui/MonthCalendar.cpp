// TMonthCalendar: layout from the font and the styles, the day, month and year views, keys,
// clicks, the MCM_* messages and the MCN_* notifications.
#include "platform/ui/MonthCalendar.h"

#include <algorithm>

#include "platform/ui/CommonControlsInternal.h"

namespace {

const TDateTime kFirstDay = EncodeDate(MinPickerYear, 1, 1);
const TDateTime kLastDay = EncodeDate(MaxPickerYear, 12, 31);

TDateTimeParts DateParts(TDateTime Value) {
  TDateTimeParts p = TDateTimeParts::FromDateTime(Value);
  p.Hour = p.Minute = p.Second = p.MSec = 0;
  return p;
}

// The same day Months months on (the day limited to the month's length), within the supported
// years.
TDateTimeParts AddMonths(TDateTimeParts P, Integer Months) {
  Integer total = std::clamp<Integer>(P.Year * 12 + P.Month - 1 + Months, MinPickerYear * 12, MaxPickerYear * 12 + 11);
  P.Year = static_cast<Word>(total / 12);
  P.Month = static_cast<Word>(total % 12 + 1);
  P.Day = std::min(P.Day, DaysInAMonth(P.Year, P.Month));
  return P;
}

// 0 Monday .. 6 Sunday.
Integer IsoDay(TDateTime Date) { return (DayOfWeek(Date) + 5) % 7; }

// A filled triangle pointing left or right inside R.
void DrawArrow(HDC DC, const TRect& R, bool Left, COLORREF Color) {
  Integer cx = (R.left + R.right) / 2, cy = (R.top + R.bottom) / 2;
  Integer s = std::max<Integer>(2, (R.bottom - R.top) / 5);
  POINT pts[3];
  if (Left) pts[0] = {cx - s / 2 - 1, cy}, pts[1] = {cx + s / 2, cy - s}, pts[2] = {cx + s / 2, cy + s};
  else pts[0] = {cx + s / 2 + 1, cy}, pts[1] = {cx - s / 2, cy - s}, pts[2] = {cx - s / 2, cy + s};
  HGDIOBJ pen = CreatePen(PS_SOLID, 1, Color), brush = CreateSolidBrush(Color);
  HGDIOBJ oldPen = SelectObject(DC, pen), oldBrush = SelectObject(DC, brush);
  Polygon(DC, pts, 3);
  SelectObject(DC, oldPen);
  SelectObject(DC, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

// A hollow ellipse around R.
void DrawCircle(HDC DC, const TRect& R, COLORREF Color) {
  HGDIOBJ pen = CreatePen(PS_SOLID, 1, Color);
  HGDIOBJ oldPen = SelectObject(DC, pen), oldBrush = SelectObject(DC, GetStockObject(NULL_BRUSH));
  Ellipse(DC, R.left, R.top, R.right, R.bottom);
  SelectObject(DC, oldPen);
  SelectObject(DC, oldBrush);
  DeleteObject(pen);
}

void DrawCentred(HDC DC, const String& S, TRect R) {
  DrawText(DC, S.c_str(), static_cast<int>(S.size()), &R, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

constexpr COLORREF kTodayColor = RGB(192, 0, 0);

}  // namespace

TMonthCalendar::TMonthCalendar(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csOpaque, csDoubleClicks};
  FTabStop = true;
  FColor = clWindow;
  FBrush->SetColor(FColor);
  FSel = DateParts(Date());
  FViewYear = FSel.Year;
  FViewMonth = FSel.Month;
  TRect r = MinReqRect();
  FWidth = r.right;
  FHeight = r.bottom;
}

void TMonthCalendar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = MONTHCAL_CLASSW;
  Params.Style |= FStyle;
}

DWORD TMonthCalendar::CalendarStyle() {
  return FHandle ? static_cast<DWORD>(GetWindowLong(FHandle, GWL_STYLE)) : FStyle;
}

void TMonthCalendar::SetStyleBit(DWORD Bit, bool On) {
  FStyle = On ? FStyle | Bit : FStyle & ~Bit;
  if (FHandle) {
    DWORD s = static_cast<DWORD>(GetWindowLong(FHandle, GWL_STYLE));
    SetWindowLong(FHandle, GWL_STYLE, static_cast<LONG>(On ? s | Bit : s & ~Bit));
  }
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Value and range

TDateTimeParts TMonthCalendar::TodayParts() const { return FTodayPinned ? FToday : DateParts(Date()); }

bool TMonthCalendar::InRange(const TDateTimeParts& P) const {
  return !(FHasMin && TDateTimeParts::CompareDates(P, FMin) < 0) &&
         !(FHasMax && TDateTimeParts::CompareDates(P, FMax) > 0);
}

TDateTimeParts TMonthCalendar::Clamped(TDateTimeParts P) const {
  if (FHasMin && TDateTimeParts::CompareDates(P, FMin) < 0) P = FMin;
  if (FHasMax && TDateTimeParts::CompareDates(P, FMax) > 0) P = FMax;
  return P;
}

void TMonthCalendar::SetDate(TDateTime Value) { Select(DateParts(Value), false); }

void TMonthCalendar::SetMinDate(TDateTime Value) {
  FHasMin = Value != 0;
  FMin = DateParts(Value);
  if (FHasMin && FHasMax && TDateTimeParts::CompareDates(FMin, FMax) > 0) FMax = FMin;
  Select(FSel, false);
}

void TMonthCalendar::SetMaxDate(TDateTime Value) {
  FHasMax = Value != 0;
  FMax = DateParts(Value);
  if (FHasMin && FHasMax && TDateTimeParts::CompareDates(FMin, FMax) > 0) FMin = FMax;
  Select(FSel, false);
}

void TMonthCalendar::Select(const TDateTimeParts& P, bool Notify) {
  TDateTimeParts n = Clamped(P);
  n.Hour = n.Minute = n.Second = n.MSec = 0;
  bool moved = TDateTimeParts::CompareDates(n, FSel) != 0;
  FSel = n;
  FViewYear = n.Year;
  FViewMonth = n.Month;
  FLevel = 0;
  Invalidate();
  if (moved && Notify) this->Notify(MCN_SELCHANGE);
}

void TMonthCalendar::Notify(UINT Code) {
  NMSELCHANGE n;
  n.stSelStart = n.stSelEnd = FSel.ToSystemTime();
  NotifyParent(this, n.nmhdr, Code);
}

void TMonthCalendar::Choose() { Notify(MCN_SELECT); }

void TMonthCalendar::Page(Integer Months) {
  if (FLevel == 0) {
    Select(AddMonths(FSel, Months), true);
    return;
  }
  Integer step = FLevel == 1 ? Months : Months * 10;
  FViewYear = static_cast<Word>(std::clamp<Integer>(FViewYear + step, MinPickerYear, MaxPickerYear));
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Layout

TMonthCalendar::TLayout TMonthCalendar::Layout() {
  TMeasureDC dc(GetFont());
  HDC h = dc.Handle();
  Integer lh = LineHeightOf(h);
  Integer cw = TextWidthOf(h, u"00");
  for (const String& name : FormatSettings.ShortDayNames) cw = std::max(cw, TextWidthOf(h, name.substr(0, 1)));
  TLayout L;
  L.CellW = cw + 10;
  L.CellH = lh + 3;
  L.Margin = 4;
  L.WeekW = (CalendarStyle() & MCS_WEEKNUMBERS) ? L.CellW : 0;
  Integer width = L.WeekW + 7 * L.CellW;
  Integer titleH = lh + 8;
  L.Title = TRect{L.Margin, L.Margin, L.Margin + width, L.Margin + titleH};
  L.Prev = TRect{L.Title.left, L.Title.top, L.Title.left + titleH, L.Title.bottom};
  L.Next = TRect{L.Title.right - titleH, L.Title.top, L.Title.right, L.Title.bottom};
  L.DayNames = TRect{L.Margin + L.WeekW, L.Title.bottom + 2, L.Title.right, L.Title.bottom + 2 + L.CellH};
  L.Days = TRect{L.DayNames.left, L.DayNames.bottom + 2, L.Title.right, L.DayNames.bottom + 2 + 6 * L.CellH};
  L.Today = (CalendarStyle() & MCS_NOTODAY) ? TRect{} : TRect{L.Title.left, L.Days.bottom + 2, L.Title.right,
                                                             L.Days.bottom + 2 + L.CellH};
  // The title's month and year, centred as one text.
  String month, year;
  if (FLevel == 0) month = FormatSettings.LongMonthNames[FViewMonth - 1];
  year = FLevel == 2 ? IntToStr(FViewYear / 10 * 10) + u"-" + IntToStr(FViewYear / 10 * 10 + 9) : IntToStr(FViewYear);
  Integer mw = month.empty() ? 0 : TextWidthOf(h, month + u" ");
  Integer yw = TextWidthOf(h, year);
  Integer x = (L.Title.left + L.Title.right - mw - yw) / 2;
  L.TitleMonth = TRect{x, L.Title.top, x + mw, L.Title.bottom};
  L.TitleYear = TRect{x + mw, L.Title.top, x + mw + yw, L.Title.bottom};
  return L;
}

TRect TMonthCalendar::MinReqRect() {
  TLayout L = Layout();
  Integer bottom = (L.Today.bottom > 0 ? L.Today.bottom : L.Days.bottom) + L.Margin;
  return TRect{0, 0, L.Title.right + L.Margin, bottom};
}

TRect TMonthCalendar::CellRect(Integer Index) {
  TLayout L = Layout();
  Integer col = Index % 7, row = Index / 7;
  return TRect{L.Days.left + col * L.CellW, L.Days.top + row * L.CellH, L.Days.left + (col + 1) * L.CellW,
               L.Days.top + (row + 1) * L.CellH};
}

TDateTime TMonthCalendar::CellDate(Integer Index) const {
  TDateTime first = EncodeDate(FViewYear, FViewMonth, 1);
  Integer lead = (IsoDay(first) - FormatSettings.FirstDayOfWeek % 7 + 7) % 7;
  if (lead == 0) lead = 7;   // a month starting on the first day of the week shows a week before it
  return first - lead + Index;
}

Integer TMonthCalendar::RowWeekNumber(Integer Row) const {
  TDateTime mid = CellDate(Row * 7 + 3);   // the row's middle day lies in the ISO week of most of it
  return mid < kFirstDay || mid > kLastDay ? 0 : WeekOfTheYear(mid);
}

TRect TMonthCalendar::PrevButtonRect() { return Layout().Prev; }
TRect TMonthCalendar::NextButtonRect() { return Layout().Next; }
TRect TMonthCalendar::TodayRect() { return Layout().Today; }

TRect TMonthCalendar::LevelCellRect(Integer Index) {
  TLayout L = Layout();
  TRect area{L.DayNames.left, L.DayNames.top, L.Days.right, L.Days.bottom};
  Integer w = (area.right - area.left) / 4, h = (area.bottom - area.top) / 3;
  Integer col = Index % 4, row = Index / 4;
  return TRect{area.left + col * w, area.top + row * h, area.left + (col + 1) * w, area.top + (row + 1) * h};
}

Integer TMonthCalendar::LevelCellValue(Integer Index) const {
  return FLevel == 1 ? Index + 1 : FViewYear / 10 * 10 - 1 + Index;
}

UINT TMonthCalendar::HitTest(TPoint P, SYSTEMTIME* Date) {
  TLayout L = Layout();
  auto in = [&](const TRect& R) { return PtInRect(&R, P) != 0; };
  if (in(L.Prev)) return MCHT_TITLEBTNPREV;
  if (in(L.Next)) return MCHT_TITLEBTNNEXT;
  if (in(L.TitleMonth)) return MCHT_TITLEMONTH;
  if (in(L.TitleYear)) return MCHT_TITLEYEAR;
  if (in(L.Title)) return MCHT_TITLEBK;
  if (in(L.Today)) return MCHT_TODAYLINK;
  if (FLevel != 0) return in(TRect{L.Margin, L.DayNames.top, L.Days.right, L.Days.bottom}) ? MCHT_CALENDARBK : MCHT_NOWHERE;
  if (in(L.DayNames)) return MCHT_CALENDARDAY;
  bool rows = P.y >= L.Days.top && P.y < L.Days.bottom;
  if (rows && P.x >= L.Margin && P.x < L.Days.left) {
    if (Date) *Date = DateParts(CellDate((P.y - L.Days.top) / L.CellH * 7)).ToSystemTime();
    return MCHT_CALENDARWEEKNUM;
  }
  if (!in(L.Days)) return P.x >= 0 && P.y >= 0 && P.x < L.Title.right + L.Margin ? MCHT_CALENDARBK : MCHT_NOWHERE;
  Integer index = (P.y - L.Days.top) / L.CellH * 7 + (P.x - L.Days.left) / L.CellW;
  TDateTime d = CellDate(index);
  if (d < kFirstDay || d > kLastDay) return MCHT_CALENDARBK;
  TDateTimeParts p = DateParts(d);
  if (Date) *Date = p.ToSystemTime();
  if (p.Year * 12 + p.Month < FViewYear * 12 + FViewMonth) return MCHT_CALENDARDATEPREV;
  if (p.Year * 12 + p.Month > FViewYear * 12 + FViewMonth) return MCHT_CALENDARDATENEXT;
  return MCHT_CALENDARDATE;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TMonthCalendar::PaintWindow(HDC DC) {
  TLayout L = Layout();
  ControlPaint::FillColor(DC, GetClientRect(), GetColor());
  ControlPaint::TSelectFont sel(DC, GetFont());
  SetBkMode(DC, TRANSPARENT);
  DrawTitle(DC, L);
  if (FLevel == 0) DrawDays(DC, L);
  else DrawLevel(DC, L);
  DrawToday(DC, L);
}

void TMonthCalendar::DrawTitle(HDC DC, const TLayout& L) {
  ControlPaint::FillColor(DC, L.Title, clActiveCaption);
  COLORREF text = GetEnabled() ? ColorToRGB(clCaptionText) : GetSysColor(COLOR_GRAYTEXT);
  SetTextColor(DC, text);
  String s;
  if (L.TitleMonth.right > L.TitleMonth.left) s = FormatSettings.LongMonthNames[FViewMonth - 1] + u" ";
  s += FLevel == 2 ? IntToStr(FViewYear / 10 * 10) + u"-" + IntToStr(FViewYear / 10 * 10 + 9) : IntToStr(FViewYear);
  DrawCentred(DC, s, TRect{L.TitleMonth.left, L.Title.top, L.TitleYear.right, L.Title.bottom});
  DrawArrow(DC, L.Prev, true, text);
  DrawArrow(DC, L.Next, false, text);
}

void TMonthCalendar::DrawDays(HDC DC, const TLayout& L) {
  bool enabled = GetEnabled();
  COLORREF normal = enabled ? ColorToRGB(GetFont()->GetColor()) : GetSysColor(COLOR_GRAYTEXT);
  COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  // Day-name initials from the first day of the week, and the line under them.
  SetTextColor(DC, normal);
  for (Integer k = 0; k < 7; ++k) {
    Integer iso = (FormatSettings.FirstDayOfWeek + k) % 7;
    String name = FormatSettings.ShortDayNames[(iso + 1) % 7].substr(0, 1);
    DrawCentred(DC, name, TRect{L.DayNames.left + k * L.CellW, L.DayNames.top, L.DayNames.left + (k + 1) * L.CellW,
                                L.DayNames.bottom});
  }
  ControlPaint::FillColor(DC, TRect{L.DayNames.left, L.DayNames.bottom, L.DayNames.right, L.DayNames.bottom + 1},
                          clBtnShadow);
  TDateTimeParts today = TodayParts();
  bool circle = !(CalendarStyle() & MCS_NOTODAYCIRCLE);
  for (Integer i = 0; i < 42; ++i) {
    TDateTime d = CellDate(i);
    TRect r{L.Days.left + i % 7 * L.CellW, L.Days.top + i / 7 * L.CellH, L.Days.left + (i % 7 + 1) * L.CellW,
            L.Days.top + (i / 7 + 1) * L.CellH};
    if (d < kFirstDay || d > kLastDay) continue;
    TDateTimeParts p = DateParts(d);
    bool inMonth = p.Month == FViewMonth;
    bool selectable = InRange(p);
    bool selected = TDateTimeParts::CompareDates(p, FSel) == 0;
    if (!selectable) ControlPaint::FillColor(DC, r, clBtnFace);
    if (selected) ControlPaint::FillColor(DC, r, enabled ? clHighlight : clBtnShadow);
    SetTextColor(DC, selected ? ColorToRGB(clHighlightText) : inMonth && selectable ? normal : grey);
    DrawCentred(DC, IntToStr(p.Day), r);
    if (circle && TDateTimeParts::CompareDates(p, today) == 0) DrawCircle(DC, r, kTodayColor);
    if (selected && Focused()) DrawFocusRect(DC, &r);
  }
  if (L.WeekW > 0) {
    SetTextColor(DC, grey);
    for (Integer row = 0; row < 6; ++row) {
      Integer week = RowWeekNumber(row);
      if (week == 0) continue;
      DrawCentred(DC, IntToStr(week),
                  TRect{L.Margin, L.Days.top + row * L.CellH, L.Days.left - 2, L.Days.top + (row + 1) * L.CellH});
    }
    ControlPaint::FillColor(DC, TRect{L.Days.left - 2, L.Days.top, L.Days.left - 1, L.Days.bottom}, clBtnShadow);
  }
}

void TMonthCalendar::DrawLevel(HDC DC, const TLayout&) {
  COLORREF normal = GetEnabled() ? ColorToRGB(GetFont()->GetColor()) : GetSysColor(COLOR_GRAYTEXT);
  for (Integer i = 0; i < 12; ++i) {
    TRect r = LevelCellRect(i);
    Integer v = LevelCellValue(i);
    bool current = FLevel == 1 ? v == FSel.Month && FViewYear == FSel.Year : v == FSel.Year;
    if (current) ControlPaint::FillColor(DC, r, clHighlight);
    SetTextColor(DC, current ? ColorToRGB(clHighlightText) : normal);
    DrawCentred(DC, FLevel == 1 ? FormatSettings.ShortMonthNames[i] : IntToStr(v), r);
  }
}

void TMonthCalendar::DrawToday(HDC DC, const TLayout& L) {
  if (L.Today.bottom <= L.Today.top) return;
  TRect r = L.Today;
  if (!(CalendarStyle() & MCS_NOTODAYCIRCLE)) {
    TRect c{r.left + 2, r.top + 1, r.left + 2 + L.CellW - 4, r.bottom - 1};
    DrawCircle(DC, c, kTodayColor);
    r.left = c.right + 4;
  }
  SetTextColor(DC, GetEnabled() ? ColorToRGB(GetFont()->GetColor()) : GetSysColor(COLOR_GRAYTEXT));
  String s = u"Today: " + DateToStr(TodayParts().ToDateTime());
  DrawText(DC, s.c_str(), static_cast<int>(s.size()), &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// ---------------------------------------------------------------------------------------------
// Input

void TMonthCalendar::CalendarKeyDown(UINT Key) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  TDateTime d = FSel.ToDateTime();
  switch (Key) {
    case VK_LEFT: d -= 1; break;
    case VK_RIGHT: d += 1; break;
    case VK_UP: d -= 7; break;
    case VK_DOWN: d += 7; break;
    case VK_PRIOR: d = AddMonths(FSel, ctrl ? -12 : -1).ToDateTime(); break;
    case VK_NEXT: d = AddMonths(FSel, ctrl ? 12 : 1).ToDateTime(); break;
    case VK_HOME: d = EncodeDate(FSel.Year, FSel.Month, 1); break;
    case VK_END: d = EncodeDate(FSel.Year, FSel.Month, DaysInAMonth(FSel.Year, FSel.Month)); break;
    case VK_RETURN: Choose(); return;
    default: return;
  }
  Select(DateParts(std::clamp(d, kFirstDay, kLastDay)), true);
}

void TMonthCalendar::CalendarMouseDown(TPoint P) {
  if (FLevel != 0) {
    for (Integer i = 0; i < 12; ++i) {
      TRect r = LevelCellRect(i);
      if (!PtInRect(&r, P)) continue;
      Integer v = LevelCellValue(i);
      if (FLevel == 2) {
        FViewYear = static_cast<Word>(std::clamp<Integer>(v, MinPickerYear, MaxPickerYear));
        FLevel = 1;
        Invalidate();
        return;
      }
      TDateTimeParts p = FSel;
      p.Year = FViewYear;
      p.Month = static_cast<Word>(v);
      p.Day = std::min(p.Day, DaysInAMonth(p.Year, p.Month));
      Select(p, true);
      return;
    }
  }
  SYSTEMTIME st{};
  UINT hit = HitTest(P, &st);
  switch (hit) {
    case MCHT_TITLEBTNPREV: Page(-1); return;
    case MCHT_TITLEBTNNEXT: Page(1); return;
    case MCHT_TITLEMONTH: FLevel = 1; Invalidate(); return;
    case MCHT_TITLEYEAR: FLevel = 2; Invalidate(); return;
    case MCHT_TODAYLINK:
      Select(TodayParts(), true);
      Choose();
      return;
    case MCHT_CALENDARDATE: case MCHT_CALENDARDATEPREV: case MCHT_CALENDARDATENEXT: {
      TDateTimeParts p;
      if (!TDateTimeParts::FromSystemTime(st, p) || !InRange(p)) return;
      Select(p, true);
      Choose();
      return;
    }
    default: return;
  }
}

// ---------------------------------------------------------------------------------------------
// Messages

void TMonthCalendar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_FONTCHANGED: case CM_COLORCHANGED:
      inherited::Dispatch(Message);
      Invalidate();
      return;
    default: inherited::Dispatch(Message); return;
  }
}

void TMonthCalendar::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case WM_KEYDOWN: CalendarKeyDown(static_cast<UINT>(Message.WParam)); return;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
      if (CanFocus() && !Focused()) SetFocus();
      CalendarMouseDown(MessagePos(Message));
      return;
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE: case WM_THEMECHANGED: Invalidate(); return;
    case MCM_GETCURSEL:
      if (auto* st = reinterpret_cast<SYSTEMTIME*>(Message.LParam)) *st = FSel.ToSystemTime();
      Message.Result = Message.LParam ? TRUE : FALSE;
      return;
    case MCM_SETCURSEL: {
      TDateTimeParts p;
      auto* st = reinterpret_cast<const SYSTEMTIME*>(Message.LParam);
      bool ok = st && TDateTimeParts::FromSystemTime(*st, p) && InRange(p);
      if (ok) Select(p, false);
      Message.Result = ok ? TRUE : FALSE;
      return;
    }
    case MCM_GETMINREQRECT:
      if (auto* r = reinterpret_cast<RECT*>(Message.LParam)) *r = MinReqRect();
      Message.Result = Message.LParam ? TRUE : FALSE;
      return;
    case MCM_SETTODAY: {
      TDateTimeParts p;
      auto* st = reinterpret_cast<const SYSTEMTIME*>(Message.LParam);
      FTodayPinned = st && TDateTimeParts::FromSystemTime(*st, p);
      if (FTodayPinned) FToday = DateParts(p.ToDateTime());
      Invalidate();
      Message.Result = 0;
      return;
    }
    case MCM_GETTODAY:
      if (auto* st = reinterpret_cast<SYSTEMTIME*>(Message.LParam)) *st = TodayParts().ToSystemTime();
      Message.Result = Message.LParam ? TRUE : FALSE;
      return;
    case MCM_HITTEST: {
      auto* info = reinterpret_cast<MCHITTESTINFO*>(Message.LParam);
      if (!info || info->cbSize < sizeof(MCHITTESTINFO)) {
        Message.Result = static_cast<LRESULT>(-1);
        return;
      }
      info->st = SYSTEMTIME{};
      info->uHit = HitTest(info->pt, &info->st);
      Message.Result = static_cast<LRESULT>(info->uHit);
      return;
    }
    case MCM_GETRANGE: {
      auto* range = reinterpret_cast<SYSTEMTIME*>(Message.LParam);
      LRESULT flags = (FHasMin ? GDTR_MIN : 0) | (FHasMax ? GDTR_MAX : 0);
      if (range) {
        range[0] = FHasMin ? FMin.ToSystemTime() : SYSTEMTIME{};
        range[1] = FHasMax ? FMax.ToSystemTime() : SYSTEMTIME{};
      }
      Message.Result = flags;
      return;
    }
    case MCM_SETRANGE: {
      auto* range = reinterpret_cast<const SYSTEMTIME*>(Message.LParam);
      bool hasLow = (Message.WParam & GDTR_MIN) != 0, hasHigh = (Message.WParam & GDTR_MAX) != 0;
      TDateTimeParts low, high;
      bool ok = (!(hasLow || hasHigh) || range) && (!hasLow || TDateTimeParts::FromSystemTime(range[0], low)) &&
                (!hasHigh || TDateTimeParts::FromSystemTime(range[1], high)) &&
                !(hasLow && hasHigh && TDateTimeParts::CompareDates(low, high) > 0);
      if (ok) {
        FHasMin = hasLow;
        FMin = DateParts(low.ToDateTime());
        FHasMax = hasHigh;
        FMax = DateParts(high.ToDateTime());
        Select(FSel, false);
      }
      Message.Result = ok ? TRUE : FALSE;
      return;
    }
    default: break;
  }
  inherited::DefaultHandler(Message);
}
