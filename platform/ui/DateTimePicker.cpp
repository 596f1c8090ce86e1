// TDateTimePicker: the fields, the check box, the drop button or spin part, the DTM_* messages
// and the DTN_* notifications (sent to the parent, handled again as CN_NOTIFY).
#include "platform/ui/DateTimePicker.h"

#include <algorithm>

#include "platform/rtl/Modules.h"
#include "platform/ui/CommonControlsInternal.h"
#include "platform/ui/EditBalloonInternal.h"
#include "platform/ui/MonthCalendar.h"
#include "platform/win/UxTheme.h"

namespace {

constexpr Integer kCheckSize = 13;
constexpr Integer kCheckLeft = 3;
constexpr Integer kFieldsLeft = 2;

bool IsDigitKey(UINT Key) { return (Key >= u'0' && Key <= u'9') || (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9); }
bool IsModifierKey(UINT Key) {
  return Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU || Key == VK_LSHIFT || Key == VK_RSHIFT ||
         Key == VK_LCONTROL || Key == VK_RCONTROL || Key == VK_LMENU || Key == VK_RMENU || Key == VK_CAPITAL;
}

// A TDateTime's date as the editor's bound.
TDateTimeParts DateBound(TDateTime Value) { return TDateTimeParts::FromDateTime(Value); }

}  // namespace

// The visual-styles library for the scope of one paint: loaded by name, its drawing functions
// bound; without the library, or with styles off, Active is false and the classic look is drawn.
class TThemePainter {
public:
  TThemePainter() {
    RegisterThemeLibrary();
    FModule = LoadLibraryW(u"UXTHEME.DLL");
    if (!FModule) return;
    FOpen = reinterpret_cast<TOpenThemeDataProc>(GetProcAddress(FModule, "OpenThemeData"));
    FClose = reinterpret_cast<TCloseThemeDataProc>(GetProcAddress(FModule, "CloseThemeData"));
    FDraw = reinterpret_cast<TDrawThemeBackgroundProc>(GetProcAddress(FModule, "DrawThemeBackground"));
    FIsActive = reinterpret_cast<TIsThemeActiveProc>(GetProcAddress(FModule, "IsThemeActive"));
  }
  ~TThemePainter() {
    if (FModule) FreeLibrary(FModule);
  }
  TThemePainter(const TThemePainter&) = delete;
  TThemePainter& operator=(const TThemePainter&) = delete;

  bool Active() const { return FOpen && FClose && FDraw && FIsActive && FIsActive(); }
  // Draws a part of a theme class; false (nothing drawn) when the theme lacks it.
  bool Draw(HWND Wnd, const Char* Class, HDC DC, int Part, int State, const RECT& R) const {
    if (!Active()) return false;
    HTHEME theme = FOpen(Wnd, Class);
    if (!theme) return false;
    bool ok = FDraw(theme, DC, Part, State, &R, nullptr) >= 0;
    FClose(theme);
    return ok;
  }

private:
  HMODULE FModule = nullptr;
  TOpenThemeDataProc FOpen = nullptr;
  TCloseThemeDataProc FClose = nullptr;
  TDrawThemeBackgroundProc FDraw = nullptr;
  TIsThemeActiveProc FIsActive = nullptr;
};

// The drop-down: a borderless top-most popup that takes neither the focus nor activation, with the
// month calendar as its child. While it is down it holds the mouse: a press on the calendar goes
// to the calendar, a press anywhere else closes it. The calendar's notifications go to the picker.
class TCalendarDropDown : public TCustomControl {
  ZELK_CLASS(TCalendarDropDown, TCustomControl)
public:
  explicit TCalendarDropDown(TDateTimePicker* APicker) : TCustomControl(APicker), FPicker(APicker) {
    FVisible = false;
    FTabStop = false;
    FCalendar = new TMonthCalendar(this);
    FCalendar->SetTabStop(false);
    FCalendar->SetParent(this);
  }
  TMonthCalendar* Calendar() const { return FCalendar; }

protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
  }
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_NOTIFY) {
      auto* h = reinterpret_cast<NMHDR*>(Message.LParam);
      if (h && FCalendar->HandleAllocated() && h->hwndFrom == FCalendar->GetHandle() &&
          (h->code == MCN_SELECT || h->code == MCN_SELCHANGE))
        FPicker->CalendarNotify(h->code, *reinterpret_cast<NMSELCHANGE*>(h));
      Message.Result = 0;
      return;
    }
    inherited::Dispatch(Message);
  }
  void DefaultHandler(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
      case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: {
        TPoint p = MessagePos(Message);
        TRect cal = FCalendar->GetBoundsRect();
        if (PtInRect(&cal, p)) FCalendar->CalendarMouseDown(TPoint{p.x - cal.left, p.y - cal.top});
        else FPicker->CloseCalendar();
        return;
      }
      case WM_CAPTURECHANGED: return;
      default: break;
    }
    inherited::DefaultHandler(Message);
  }

private:
  TDateTimePicker* FPicker;
  TMonthCalendar* FCalendar;
};

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csOpaque, csFixedHeight, csDoubleClicks};
  FWidth = 186;
  FHeight = 21;
  FTabStop = true;
  FColor = clWindow;
  FBrush->SetColor(FColor);
  FParentColor = false;
  ApplyFormat();
  FEditor.SetValue(Now());
}

void TDateTimePicker::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WinClassName = DATETIMEPICK_CLASSW;
  if (FKind == dtkTime) Params.Style |= DTS_TIMEFORMAT;
  else if (FDateMode == dmUpDown) Params.Style |= DTS_UPDOWN;
  if (FShowCheckbox) Params.Style |= DTS_SHOWNONE;
  if (FParseInput) Params.Style |= DTS_APPCANPARSE;
  if (FCalAlignment == dtaRight) Params.Style |= DTS_RIGHTALIGN;
  if (FBorderStyle == bsSingle) {
    if (FCtl3D) Params.ExStyle |= WS_EX_CLIENTEDGE;
    else Params.Style |= WS_BORDER;
  }
}

// ---------------------------------------------------------------------------------------------
// Properties

void TDateTimePicker::SetKind(TDateTimeKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  ApplyFormat();
  RecreateWnd();
  Invalidate();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value) {
  if (FDateMode == Value) return;
  FDateMode = Value;
  RecreateWnd();
  Invalidate();
}

void TDateTimePicker::SetFormat(const String& Value) {
  FFormat = Value;
  ApplyFormat();
  Invalidate();
}

void TDateTimePicker::ApplyFormat() {
  String format = FFormat;
  if (format.empty())
    format = PickerFormatFromLocale(FKind == dtkDate ? FormatSettings.ShortDateFormat : FormatSettings.LongTimeFormat,
                                    FormatSettings);
  if (FHasAppliedFormat && format == FAppliedFormat) return;
  FAppliedFormat = format;
  FHasAppliedFormat = true;
  FEditor.SetFormat(format);
}

void TDateTimePicker::CommitTyping(bool EndEntry) {
  if (!FEditor.Typing()) return;
  if (FEditor.Commit(EndEntry)) UserChanged();
  else Invalidate();
}

TDateTime TDateTimePicker::GetDateTime() {
  CommitTyping(false);
  return FEditor.Value();
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
  FEditor.SetValue(Value);
  Invalidate();
}

TDateTime TDateTimePicker::GetDate() {
  CommitTyping(false);
  const TDateTimeParts& p = FEditor.Parts();
  return EncodeDate(p.Year, p.Month, p.Day);
}

void TDateTimePicker::SetDate(TDateTime Value) {
  TDateTimeParts p = FEditor.Parts(), d = TDateTimeParts::FromDateTime(Value);
  p.Year = d.Year;
  p.Month = d.Month;
  p.Day = d.Day;
  FEditor.SetParts(p);
  Invalidate();
}

TDateTime TDateTimePicker::GetTime() {
  CommitTyping(false);
  const TDateTimeParts& p = FEditor.Parts();
  return EncodeTime(p.Hour, p.Minute, p.Second, p.MSec);
}

void TDateTimePicker::SetTime(TDateTime Value) {
  TDateTimeParts p = FEditor.Parts(), t = TDateTimeParts::FromDateTime(Value);
  p.Hour = t.Hour;
  p.Minute = t.Minute;
  p.Second = t.Second;
  p.MSec = t.MSec;
  FEditor.SetParts(p);
  Invalidate();
}

void TDateTimePicker::SetShowCheckbox(bool Value) {
  if (FShowCheckbox == Value) return;
  FShowCheckbox = Value;
  if (!Value) FChecked = true;
  RecreateWnd();
  Invalidate();
}

void TDateTimePicker::SetChecked(bool Value) {
  if (FChecked == Value) return;
  CommitTyping(true);
  FChecked = Value;
  Invalidate();
}

void TDateTimePicker::SetMinDate(TDateTime Value) {
  FMinDate = Value;
  FEditor.SetMin(Value != 0, DateBound(Value));
  if (Value != 0 && FMaxDate != 0 && TDateTimeParts::CompareDates(DateBound(Value), DateBound(FMaxDate)) > 0)
    FMaxDate = Value;
  Invalidate();
}

void TDateTimePicker::SetMaxDate(TDateTime Value) {
  FMaxDate = Value;
  FEditor.SetMax(Value != 0, DateBound(Value));
  if (Value != 0 && FMinDate != 0 && TDateTimeParts::CompareDates(DateBound(FMinDate), DateBound(Value)) > 0)
    FMinDate = Value;
  Invalidate();
}

void TDateTimePicker::SetParseInput(bool Value) {
  if (FParseInput == Value) return;
  FParseInput = Value;
  RecreateWnd();
}

void TDateTimePicker::SetCalAlignment(TDTCalAlignment Value) {
  if (FCalAlignment == Value) return;
  FCalAlignment = Value;
  RecreateWnd();
}

void TDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TDateTimePicker::SetCtl3D(bool Value) {
  if (FCtl3D == Value) return;
  FCtl3D = Value;
  RecreateWnd();
}

// ---------------------------------------------------------------------------------------------
// Layout

TRect TDateTimePicker::CheckRect() {
  if (!FShowCheckbox) return TRect{};
  Integer top = (GetClientHeight() - kCheckSize) / 2;
  return TRect{kCheckLeft, top, kCheckLeft + kCheckSize, top + kCheckSize};
}

TRect TDateTimePicker::ButtonRect() {
  TRect c = GetClientRect();
  Integer w = std::min<Integer>(GetSystemMetrics(SM_CXVSCROLL), c.right);
  return TRect{c.right - w, 0, c.right, c.bottom};
}

TRect TDateTimePicker::FieldsArea() {
  TRect c = GetClientRect();
  Integer left = FShowCheckbox ? kCheckLeft + kCheckSize + 4 : kFieldsLeft;
  return TRect{left, 0, std::max<LONG>(left, ButtonRect().left - 1), c.bottom};
}

TRect TDateTimePicker::FieldRect(Integer Index) {
  ApplyFormat();
  auto n = static_cast<Integer>(FEditor.Fields().size());
  if (Index < 0 || Index >= n || FUserStringActive) return TRect{};
  TMeasureDC dc(GetFont());
  TRect area = FieldsArea();
  Integer h = LineHeightOf(dc.Handle());
  Integer top = (area.bottom - h) / 2;
  Integer x = area.left;
  for (Integer i = 0; i < Index; ++i) x += TextWidthOf(dc.Handle(), FEditor.FieldDisplay(i));
  return TRect{x, top, x + TextWidthOf(dc.Handle(), FEditor.FieldDisplay(Index)), top + h};
}

String TDateTimePicker::ShownText() {
  ApplyFormat();
  return FUserStringActive ? FUserString : FEditor.Text();
}

// ---------------------------------------------------------------------------------------------
// Painting

void TDateTimePicker::PaintWindow(HDC DC) {
  ApplyFormat();
  ControlPaint::FillColor(DC, GetClientRect(), GetEnabled() ? GetColor() : clBtnFace);
  DrawFields(DC);
  TThemePainter theme;
  DrawCheck(DC, theme);
  DrawButton(DC, theme);
}

void TDateTimePicker::DrawCheck(HDC DC, const TThemePainter& Theme) {
  if (!FShowCheckbox) return;
  TRect r = CheckRect();
  int state = FChecked ? (GetEnabled() ? CBS_CHECKEDNORMAL : CBS_CHECKEDDISABLED)
                       : (GetEnabled() ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDDISABLED);
  if (!Theme.Draw(FHandle, u"button", DC, BP_CHECKBOX, state, r))
    DrawFrameControl(DC, &r, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (FChecked ? DFCS_CHECKED : 0) | (GetEnabled() ? 0 : DFCS_INACTIVE));
  // Unchecked, the focus is on the check box: no field is selected.
  if (!FChecked && Focused()) {
    TRect f{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
    DrawFocusRect(DC, &f);
  }
}

void TDateTimePicker::DrawButton(HDC DC, const TThemePainter& Theme) {
  TRect b = ButtonRect();
  if (b.right <= b.left) return;
  bool enabled = GetEnabled();
  auto state = [&](Integer Part) {
    if (!enabled) return 4;                   // disabled
    if (FPressedPart == Part || (Part == 1 && FDropDown)) return 3;   // pressed, or dropped
    return FHotPart == Part ? 2 : 1;          // hot, normal
  };
  if (!UpDownMode()) {
    if (!Theme.Draw(FHandle, u"combobox", DC, CP_DROPDOWNBUTTON, state(1), b))
      DrawFrameControl(DC, &b, DFC_SCROLL,
                       DFCS_SCROLLCOMBOBOX | (FDropDown ? DFCS_PUSHED | DFCS_FLAT : 0) |
                           (enabled ? 0 : DFCS_INACTIVE));
    return;
  }
  Integer mid = (b.top + b.bottom) / 2;
  TRect up{b.left, b.top, b.right, mid}, down{b.left, mid, b.right, b.bottom};
  const struct {
    TRect R;
    int ThemePart;
    UINT Classic;
    Integer Part;
  } halves[] = {{up, SPNP_UP, DFCS_SCROLLUP, 1}, {down, SPNP_DOWN, DFCS_SCROLLDOWN, 2}};
  for (const auto& h : halves)
    if (!Theme.Draw(FHandle, u"spin", DC, h.ThemePart, state(h.Part), h.R)) {
      TRect r = h.R;
      DrawFrameControl(DC, &r, DFC_SCROLL,
                       h.Classic | (FPressedPart == h.Part ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
    }
}

void TDateTimePicker::DrawFields(HDC DC) {
  TRect area = FieldsArea();
  int saved = SaveDC(DC);
  IntersectClipRect(DC, area.left, area.top, area.right, area.bottom);
  ControlPaint::TSelectFont sel(DC, GetFont());
  SetBkMode(DC, TRANSPARENT);
  bool greyed = !GetEnabled() || (FShowCheckbox && !FChecked);
  COLORREF text = greyed ? GetSysColor(COLOR_GRAYTEXT) : ColorToRGB(GetFont()->GetColor());
  bool focused = Focused() && GetEnabled();
  Integer h = LineHeightOf(DC);
  Integer top = (area.bottom - h) / 2;
  if (FUserStringActive) {
    Integer w = TextWidthOf(DC, FUserString);
    if (FUserStringSelected && w > 0) ControlPaint::FillColor(DC, TRect{area.left, top, area.left + w, top + h}, clHighlight);
    SetTextColor(DC, FUserStringSelected ? ColorToRGB(clHighlightText) : text);
    TextOut(DC, area.left, top, FUserString.c_str(), static_cast<int>(FUserString.size()));
    if (focused) ControlPaint::FillColor(DC, TRect{area.left + w, top, area.left + w + 1, top + h}, GetFont()->GetColor());
    RestoreDC(DC, saved);
    return;
  }
  Integer x = area.left;
  auto n = static_cast<Integer>(FEditor.Fields().size());
  for (Integer i = 0; i < n; ++i) {
    String s = FEditor.FieldDisplay(i);
    Integer w = TextWidthOf(DC, s);
    bool selected = focused && !greyed && i == FEditor.Focused();
    if (selected) ControlPaint::FillColor(DC, TRect{x, top, x + w, top + h}, clHighlight);
    SetTextColor(DC, selected ? ColorToRGB(clHighlightText) : text);
    if (!s.empty()) TextOut(DC, x, top, s.c_str(), static_cast<int>(s.size()));
    x += w;
  }
  RestoreDC(DC, saved);
}

// ---------------------------------------------------------------------------------------------
// Notifications

void TDateTimePicker::SendNotifyCode(NMHDR& Header, UINT Code) { NotifyParent(this, Header, Code); }

void TDateTimePicker::UserChanged() {
  Invalidate();
  NMDATETIMECHANGE n;
  bool none = FShowCheckbox && !FChecked;
  n.dwFlags = static_cast<DWORD>(none ? GDT_NONE : GDT_VALID);
  if (!none) n.st = FEditor.Parts().ToSystemTime();
  SendNotifyCode(n.nmhdr, DTN_DATETIMECHANGE);
}

void TDateTimePicker::ToggleChecked() {
  CommitTyping(true);
  FChecked = !FChecked;
  UserChanged();
}

void TDateTimePicker::Change() {
  if (OnChange) OnChange(this);
}

void TDateTimePicker::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TDateTimePicker::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TDateTimePicker::UserString(TMessage& Message, const String& Text) {
  auto* n = reinterpret_cast<NMDATETIMESTRINGW*>(Message.LParam);
  TDateTime value = FEditor.Value();
  TDateTime parsed = 0;
  bool ok;
  if (FKind == dtkTime) {
    ok = TryStrToTime(Text, parsed);
    if (ok) value = EncodeDate(FEditor.Parts().Year, FEditor.Parts().Month, FEditor.Parts().Day) + parsed;
  } else {
    ok = TryStrToDateTime(Text, parsed);
    if (ok) value = parsed;
  }
  if (OnUserInput) OnUserInput(this, Text, value, ok);
  n->dwFlags = static_cast<DWORD>(ok ? GDT_VALID : GDT_ERROR);
  n->st = TDateTimeParts::FromDateTime(value).ToSystemTime();
}

void TDateTimePicker::CNNotify(TMessage& Message) {
  auto* h = reinterpret_cast<NMHDR*>(Message.LParam);
  if (!h) return;
  switch (h->code) {
    case DTN_DATETIMECHANGE: Change(); return;
    case DTN_USERSTRINGW: {
      auto* n = reinterpret_cast<NMDATETIMESTRINGW*>(Message.LParam);
      UserString(Message, n->pszUserString ? String(n->pszUserString) : String());
      return;
    }
    case DTN_USERSTRINGA: {
      // The ANSI record has the same layout after its string pointer.
      auto* a = reinterpret_cast<NMDATETIMESTRINGA*>(Message.LParam);
      NMDATETIMESTRINGW w;
      w.nmhdr = a->nmhdr;
      TMessage wide{Message.Msg, Message.WParam, reinterpret_cast<LPARAM>(&w), 0};
      UserString(wide, a->pszUserString ? AnsiToString(a->pszUserString) : String());
      a->st = w.st;
      a->dwFlags = w.dwFlags;
      return;
    }
    case DTN_DROPDOWN: DropDown(); return;
    case DTN_CLOSEUP: CloseUp(); return;
    default: return;
  }
}

// ---------------------------------------------------------------------------------------------
// Free text

void TDateTimePicker::BeginUserString(const String& Text, bool Selected) {
  FUserStringActive = true;
  FUserString = Text;
  FUserStringSelected = Selected;
  Invalidate();
}

void TDateTimePicker::EndUserString(bool Accept) {
  if (!FUserStringActive) return;
  FUserStringActive = false;
  Invalidate();
  if (!Accept) return;
  String text = FUserString;
  NMDATETIMESTRINGW n;
  n.pszUserString = text.c_str();
  n.st = FEditor.Parts().ToSystemTime();
  n.dwFlags = static_cast<DWORD>(GDT_ERROR);
  SendNotifyCode(n.nmhdr, DTN_USERSTRINGW);
  TDateTimeParts parts;
  if (static_cast<LRESULT>(n.dwFlags) != GDT_VALID || !TDateTimeParts::FromSystemTime(n.st, parts)) return;
  TDateTimeParts before = FEditor.Parts();
  bool wasChecked = FChecked;
  FEditor.SetParts(parts);
  FChecked = true;
  TDateTimeParts after = FEditor.Parts();
  if (!wasChecked || before.ToDateTime() != after.ToDateTime()) UserChanged();
}

// ---------------------------------------------------------------------------------------------
// The calendar drop-down

TMonthCalendar* TDateTimePicker::GetCalendar() const { return FDropDown ? FDropDown->Calendar() : nullptr; }

void TDateTimePicker::OpenCalendar() {
  if (FDropDown || UpDownMode() || !FHandle || !IsWindowVisible(FHandle)) return;
  EndUserString(true);
  CommitTyping(true);
  delete FOldDropDown;
  FOldDropDown = nullptr;
  auto* host = new TCalendarDropDown(this);
  TMonthCalendar* cal = host->Calendar();
  cal->GetFont()->Assign(GetFont());
  cal->SetMinDate(FMinDate);
  cal->SetMaxDate(FMaxDate);
  cal->SetDate(FEditor.Value());
  host->HandleNeeded();
  TRect req = cal->MinReqRect();
  cal->SetBounds(0, 0, req.right, req.bottom);
  FDropDown = host;
  NMHDR n;
  SendNotifyCode(n, DTN_DROPDOWN);
  if (FDropDown != host) return;   // the handler closed it again
  // The calendar's own size for its (perhaps changed) styles, unless the handler sized it.
  if (cal->GetWidth() == req.right && cal->GetHeight() == req.bottom) {
    TRect now = cal->MinReqRect();
    cal->SetBounds(0, 0, now.right, now.bottom);
  }
  Integer w = cal->GetWidth(), h = cal->GetHeight();
  TRect bounds;
  GetWindowRect(FHandle, &bounds);
  Integer left = FCalAlignment == dtaRight ? bounds.right - w : bounds.left;
  Integer top = bounds.bottom;
  RECT work{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  if (top + h > work.bottom && bounds.top - h >= work.top) top = bounds.top - h;
  host->SetBounds(left, top, w, h);
  SetWindowPos(host->GetHandle(), HWND_TOPMOST, left, top, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  host->SetVisible(true);
  SetCapture(host->GetHandle());
  Invalidate();
}

void TDateTimePicker::CloseCalendar() {
  if (!FDropDown) return;
  TCalendarDropDown* host = FDropDown;
  FDropDown = nullptr;
  if (host->HandleAllocated()) {
    if (GetCapture() == host->GetHandle()) ReleaseCapture();
    ShowWindow(host->GetHandle(), SW_HIDE);
  }
  host->SetVisible(false);
  // The calendar may be in the middle of the message that closes it: freed at the next drop.
  delete FOldDropDown;
  FOldDropDown = host;
  Invalidate();
  NMHDR n;
  SendNotifyCode(n, DTN_CLOSEUP);
}

void TDateTimePicker::CalendarNotify(UINT Code, const NMSELCHANGE& Selection) {
  if (Code != MCN_SELECT || !FDropDown) return;
  TDateTimeParts day, p = FEditor.Parts();
  if (TDateTimeParts::FromSystemTime(Selection.stSelStart, day)) {
    p.Year = day.Year;
    p.Month = day.Month;
    p.Day = day.Day;
    FEditor.SetParts(p);
    FChecked = true;
    UserChanged();
  }
  CloseCalendar();
}

// ---------------------------------------------------------------------------------------------
// Keys and mouse

void TDateTimePicker::PickerKeyDown(TMessage& Message) {
  auto key = static_cast<UINT>(Message.WParam);
  ApplyFormat();
  bool alt = Message.Msg == WM_SYSKEYDOWN;
  if (FDropDown) {
    // The open calendar takes the keys; Esc, F4 and Alt+Up/Down close it without a change.
    if (key == VK_ESCAPE || key == VK_F4 || (alt && (key == VK_UP || key == VK_DOWN))) CloseCalendar();
    else if (!alt) FDropDown->Calendar()->CalendarKeyDown(key);
    return;
  }
  if (!UpDownMode() && (key == VK_F4 || (alt && (key == VK_UP || key == VK_DOWN)))) {
    OpenCalendar();
    return;
  }
  if (alt) return;
  if (FUserStringActive) {
    if (key == VK_RETURN) EndUserString(true);
    else if (key == VK_ESCAPE) EndUserString(false);
    return;
  }
  if (key == VK_F2 && FParseInput) {
    CommitTyping(true);
    BeginUserString(ShownText(), true);
    return;
  }
  if (key == VK_SPACE) {
    if (FShowCheckbox) ToggleChecked();
    return;
  }
  if (IsDigitKey(key) || IsModifierKey(key)) return;   // the WM_CHAR of a digit follows
  if (FShowCheckbox && !FChecked) return;
  bool changed = FEditor.KeyDown(key);
  Invalidate();
  if (changed) UserChanged();
}

void TDateTimePicker::PickerChar(Char C) {
  ApplyFormat();
  if (FDropDown) return;
  if (FUserStringActive) {
    if (C == 0x08) {
      if (FUserStringSelected) FUserString.clear();
      else if (!FUserString.empty()) FUserString.pop_back();
    } else if (C >= u' ') {
      if (FUserStringSelected) FUserString.clear();
      FUserString += C;
    }
    FUserStringSelected = false;
    Invalidate();
    return;
  }
  if (C <= u' ' || (FShowCheckbox && !FChecked)) return;
  bool changed = false;
  if (FEditor.TypeChar(C, changed)) {
    Invalidate();
    if (changed) UserChanged();
    return;
  }
  // A key no field takes ends the entry, and with ParseInput starts free text.
  CommitTyping(true);
  if (FParseInput) BeginUserString(String(1, C), false);
}

void TDateTimePicker::PickerMouseDown(TPoint P) {
  ApplyFormat();
  if (CanFocus() && !Focused()) SetFocus();
  if (FUserStringActive) EndUserString(true);
  TRect check = CheckRect(), button = ButtonRect();
  if (FShowCheckbox && PtInRect(&check, P)) {
    ToggleChecked();
    return;
  }
  if (PtInRect(&button, P) && !UpDownMode()) {
    OpenCalendar();
    return;
  }
  if (PtInRect(&button, P)) {
    FPressedPart = P.y >= (button.top + button.bottom) / 2 ? 2 : 1;
    SetCapture(FHandle);
    Invalidate();
    if (!(FShowCheckbox && !FChecked)) {
      bool changed = FEditor.Commit(true);
      changed |= FEditor.Step(FPressedPart == 1 ? 1 : -1);
      if (changed) UserChanged();
    }
    return;
  }
  // A field: the one under the point, or the nearest; no capture, nothing pressed.
  auto n = static_cast<Integer>(FEditor.Fields().size());
  Integer hit = n - 1;
  for (Integer i = 0; i < n; ++i) {
    TRect r = FieldRect(i);
    if (P.x < r.right) {
      hit = i;
      break;
    }
  }
  TDateTimeParts before = FEditor.Parts();
  if (hit >= 0) FEditor.Focus(hit);
  Invalidate();
  if (before.ToDateTime() != FEditor.Parts().ToDateTime()) UserChanged();
}

void TDateTimePicker::PickerMouseUp() {
  if (!FPressedPart) return;
  FPressedPart = 0;
  if (GetCapture() == FHandle) ReleaseCapture();
  Invalidate();
}

void TDateTimePicker::PickerMouseMove(TPoint P) {
  TRect button = ButtonRect();
  Integer hot = 0;
  if (PtInRect(&button, P)) hot = UpDownMode() && P.y >= (button.top + button.bottom) / 2 ? 2 : 1;
  if (hot == FHotPart) return;
  FHotPart = hot;
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT TDateTimePicker::GetSystemTime(SYSTEMTIME* ST) {
  CommitTyping(false);
  if (FShowCheckbox && !FChecked) return GDT_NONE;
  if (ST) *ST = FEditor.Parts().ToSystemTime();
  return GDT_VALID;
}

LRESULT TDateTimePicker::SetSystemTime(WPARAM Flag, const SYSTEMTIME* ST) {
  if (static_cast<LRESULT>(Flag) == GDT_NONE) {
    if (!FShowCheckbox) return FALSE;
    CommitTyping(true);
    FChecked = false;
    Invalidate();
    return TRUE;
  }
  TDateTimeParts parts;
  if (static_cast<LRESULT>(Flag) != GDT_VALID || !ST || !TDateTimeParts::FromSystemTime(*ST, parts)) return FALSE;
  FEditor.SetParts(parts);
  FChecked = true;
  Invalidate();
  return TRUE;
}

LRESULT TDateTimePicker::GetRange(SYSTEMTIME* Range) {
  LRESULT flags = 0;
  if (Range) Range[0] = Range[1] = SYSTEMTIME{};
  if (FEditor.HasMin()) {
    flags |= GDTR_MIN;
    if (Range) Range[0] = FEditor.Min().ToSystemTime();
  }
  if (FEditor.HasMax()) {
    flags |= GDTR_MAX;
    if (Range) Range[1] = FEditor.Max().ToSystemTime();
  }
  return flags;
}

LRESULT TDateTimePicker::SetRange(WPARAM Flags, const SYSTEMTIME* Range) {
  TDateTimeParts low, high;
  bool hasLow = (Flags & GDTR_MIN) != 0, hasHigh = (Flags & GDTR_MAX) != 0;
  if ((hasLow || hasHigh) && !Range) return FALSE;
  if ((hasLow && !TDateTimeParts::FromSystemTime(Range[0], low)) ||
      (hasHigh && !TDateTimeParts::FromSystemTime(Range[1], high)))
    return FALSE;
  if (hasLow && hasHigh && TDateTimeParts::CompareDates(low, high) > 0) return FALSE;
  // Both bounds are replaced: a missing flag removes that bound.
  FEditor.SetMin(false, low);
  FEditor.SetMax(hasHigh, high);
  FEditor.SetMin(hasLow, low);
  FMinDate = hasLow ? low.ToDateTime() : 0;
  FMaxDate = hasHigh ? high.ToDateTime() : 0;
  Invalidate();
  return TRUE;
}

LRESULT TDateTimePicker::GetPickerInfo(DATETIMEPICKERINFO* Info) {
  if (!Info || (Info->cbSize != DATETIMEPICKERINFO_LEGACY_SIZE && Info->cbSize != sizeof(DATETIMEPICKERINFO)))
    return FALSE;
  Info->rcCheck = CheckRect();
  Info->stateCheck = !FShowCheckbox ? STATE_SYSTEM_INVISIBLE : FChecked ? STATE_SYSTEM_CHECKED : 0;
  Info->rcButton = ButtonRect();
  if (UpDownMode()) Info->stateButton = STATE_SYSTEM_INVISIBLE;
  else Info->stateButton = (FDropDown ? STATE_SYSTEM_PRESSED : 0) | (FHotPart == 1 ? STATE_SYSTEM_HOTTRACKED : 0);
  Info->hwndEdit = FHandle;
  Info->hwndUD = nullptr;
  Info->hwndDropDown = FDropDown ? FDropDown->GetHandle() : nullptr;
  return TRUE;
}

LRESULT TDateTimePicker::ShowBalloon(const EDITBALLOONTIP* Tip) {
  if (!FHandle) return FALSE;
  // Under the focused field (the first one when none has the focus), below the control.
  TRect field = FieldRect(std::max(FEditor.Focused(), 0));
  return ShowEditBalloon(FBalloon, this, Tip, ClientToScreen(TPoint{field.left, GetClientRect().bottom}));
}

bool TDateTimePicker::HideBalloon() { return HideEditBalloon(FBalloon); }

HWND TDateTimePicker::BalloonWindow() const { return EditBalloonWindow(FBalloon); }

String TDateTimePicker::BalloonText() const { return FBalloon ? FBalloon->Text() : String(); }

void TDateTimePicker::ParseText(const String& Text, TMessage& Message) {
  TDateTime v;
  bool ok = FKind == dtkTime ? TryStrToTime(Text, v) : TryStrToDateTime(Text, v);
  Message.Result = ok ? TRUE : FALSE;
  if (!ok) return;
  if (FKind == dtkTime) SetTime(v);
  else SetDateTime(v);
}

void TDateTimePicker::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); return;
    case CM_CANCELMODE: case WM_CANCELMODE:
      // A press in the drop-down is its own business; anywhere else it closes.
      if (auto* sender = reinterpret_cast<TControl*>(Message.LParam);
          Message.Msg == WM_CANCELMODE || (FDropDown && sender != this && sender != FDropDown &&
                                           sender != FDropDown->Calendar()))
        CloseCalendar();
      inherited::Dispatch(Message);
      return;
    case CM_MOUSELEAVE:
      if (FHotPart) {
        FHotPart = 0;
        Invalidate();
      }
      inherited::Dispatch(Message);
      return;
    case CM_FONTCHANGED: case CM_COLORCHANGED:
      inherited::Dispatch(Message);
      Invalidate();
      return;
    default: inherited::Dispatch(Message); return;
  }
}

void TDateTimePicker::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (FUserStringActive || FDropDown ? DLGC_WANTALLKEYS : 0);
      return;
    case WM_GETTEXT: case WM_GETTEXTLENGTH:
      CommitTyping(false);
      FText = ShownText();
      TControl::DefaultHandler(Message);
      return;
    case WM_SETTEXT: {
      auto* s = reinterpret_cast<const Char*>(Message.LParam);
      ParseText(s ? String(s) : String(), Message);
      return;
    }
    case WM_KEYDOWN:
      HideBalloon();
      PickerKeyDown(Message);
      return;
    case WM_SYSKEYDOWN:
      if (Message.WParam == VK_UP || Message.WParam == VK_DOWN) {
        PickerKeyDown(Message);
        return;
      }
      break;
    case WM_CHAR: PickerChar(static_cast<Char>(Message.WParam)); return;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: PickerMouseDown(MessagePos(Message)); return;
    case WM_LBUTTONUP: PickerMouseUp(); return;
    case WM_MOUSEMOVE: PickerMouseMove(MessagePos(Message)); return;
    case WM_CAPTURECHANGED:
      if (FPressedPart) {
        FPressedPart = 0;
        Invalidate();
      }
      return;
    case WM_SETFOCUS: Invalidate(); return;
    case WM_KILLFOCUS:
      HideBalloon();
      CloseCalendar();
      EndUserString(true);
      CommitTyping(true);
      Invalidate();
      return;
    case WM_ENABLE: case WM_THEMECHANGED: Invalidate(); return;
    case DTM_GETSYSTEMTIME: Message.Result = GetSystemTime(reinterpret_cast<SYSTEMTIME*>(Message.LParam)); return;
    case DTM_SETSYSTEMTIME:
      Message.Result = SetSystemTime(Message.WParam, reinterpret_cast<const SYSTEMTIME*>(Message.LParam));
      return;
    case DTM_GETRANGE: Message.Result = GetRange(reinterpret_cast<SYSTEMTIME*>(Message.LParam)); return;
    case DTM_SETRANGE:
      Message.Result = SetRange(Message.WParam, reinterpret_cast<const SYSTEMTIME*>(Message.LParam));
      return;
    case DTM_SETFORMATW: {
      auto* s = reinterpret_cast<const Char*>(Message.LParam);
      SetFormat(s ? String(s) : String());
      Message.Result = TRUE;
      return;
    }
    case DTM_SETFORMATA: {
      auto* s = reinterpret_cast<const char*>(Message.LParam);
      SetFormat(s ? AnsiToString(s) : String());
      Message.Result = TRUE;
      return;
    }
    case DTM_GETMONTHCAL:
      Message.Result = FDropDown ? reinterpret_cast<LRESULT>(FDropDown->Calendar()->GetHandle()) : 0;
      return;
    case DTM_GETDATETIMEPICKERINFO:
      Message.Result = GetPickerInfo(reinterpret_cast<DATETIMEPICKERINFO*>(Message.LParam));
      return;
    case EM_SHOWBALLOONTIP: Message.Result = ShowBalloon(reinterpret_cast<const EDITBALLOONTIP*>(Message.LParam)); return;
    case EM_HIDEBALLOONTIP: Message.Result = HideBalloon() ? TRUE : FALSE; return;
    default: break;
  }
  inherited::DefaultHandler(Message);
}
