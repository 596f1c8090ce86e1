// TControl: bounds, parent, font, colour, text, mouse handling and the message entry.
#include "platform/ui/Controls.h"

#include <algorithm>

#include "platform/rtl/Math.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"

namespace {

TControl* gCaptureControl = nullptr;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Shift states

TShiftState KeysToShiftState(WORD Keys) {
  TShiftState s;
  if (Keys & MK_SHIFT) s.Include(ssShift);
  if (Keys & MK_CONTROL) s.Include(ssCtrl);
  if (Keys & MK_LBUTTON) s.Include(ssLeft);
  if (Keys & MK_RBUTTON) s.Include(ssRight);
  if (Keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (KeyData & (LPARAM{1} << 29)) s.Include(ssAlt);
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  if (GetKeyState(VK_LBUTTON) < 0) s.Include(ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0) s.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0) s.Include(ssMiddle);
  return s;
}

// ---------------------------------------------------------------------------------------------
// Utilities

TCustomForm* GetParentForm(TControl* Control) {
  if (!Control) return nullptr;
  while (Control->GetParent()) Control = Control->GetParent();
  return dynamic_cast<TCustomForm*>(Control);
}

TCustomForm* ValidParentForm(TControl* Control) {
  TCustomForm* f = GetParentForm(Control);
  if (!f) throw EInvalidOperation(u"Control '%s' has no parent window", {Control ? Control->GetName() : String()});
  return f;
}

TControl* GetCaptureControl() {
  if (gCaptureControl) {
    TWinControl* p = gCaptureControl->GetParent();
    if (!p || !p->HandleAllocated() || GetCapture() != p->GetHandle()) gCaptureControl = nullptr;
  }
  if (gCaptureControl) return gCaptureControl;
  return FindControl(GetCapture());
}

void SetCaptureControl(TControl* Control) {
  ReleaseCapture();
  gCaptureControl = nullptr;
  if (!Control) return;
  if (auto* w = dynamic_cast<TWinControl*>(Control)) {
    SetCapture(w->GetHandle());
    return;
  }
  if (Control->GetParent()) {
    SetCapture(Control->GetParent()->GetHandle());
    gCaptureControl = Control;
  }
}

TControl* FindDragTarget(TPoint Pos, bool AllowDisabled) {
  HWND h = WindowFromPoint(Pos);
  TWinControl* w = FindControl(h);
  if (!w) return nullptr;
  TControl* c = w->ControlAtPos(w->ScreenToClient(Pos), AllowDisabled);
  return c ? c : w;
}

String GetShortHint(const String& Hint) {
  Integer i = Pos(u'|', Hint);
  return i == 0 ? Hint : Copy(Hint, 1, i - 1);
}

String GetLongHint(const String& Hint) {
  Integer i = Pos(u'|', Hint);
  return i == 0 ? Hint : Copy(Hint, i + 1);
}

bool IsAccel(Word VK, const String& Str) {
  for (std::size_t i = 0; i + 1 < Str.size(); ++i) {
    if (Str[i] != u'&') continue;
    if (Str[i + 1] == u'&') {
      ++i;
      continue;
    }
    return CharUpper(Str[i + 1]) == CharUpper(static_cast<Char>(VK));
  }
  return false;
}

namespace ControlPaint {

TSelectFont::TSelectFont(HDC DC, TFont* Font) : FDC(DC), FOld(SelectObject(DC, Font->GetHandle())) {}
TSelectFont::~TSelectFont() { SelectObject(FDC, FOld); }

void FillColor(HDC DC, const TRect& Rect, TColor Color) {
  HBRUSH b = CreateSolidBrush(ColorToRGB(Color));
  FillRect(DC, &Rect, b);
  DeleteObject(b);
}

void DrawDisabledText(HDC DC, const String& Text, TRect& Rect, UINT Flags) {
  int oldMode = SetBkMode(DC, TRANSPARENT);
  COLORREF old = SetTextColor(DC, GetSysColor(COLOR_BTNHIGHLIGHT));
  TRect r = Rect;
  OffsetRect(&r, 1, 1);
  DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &r, Flags);
  SetTextColor(DC, GetSysColor(COLOR_GRAYTEXT));
  DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &Rect, Flags);
  SetTextColor(DC, old);
  SetBkMode(DC, oldMode);
}

void DrawCaption(HDC DC, TFont* Font, const String& Text, TRect& Rect, UINT Flags, bool Enabled) {
  TSelectFont sel(DC, Font);
  if (!Enabled && !(Flags & DT_CALCRECT)) {
    DrawDisabledText(DC, Text, Rect, Flags);
    return;
  }
  int oldMode = SetBkMode(DC, TRANSPARENT);
  COLORREF old = SetTextColor(DC, ColorToRGB(Font->GetColor()));
  DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &Rect, Flags);
  SetTextColor(DC, old);
  SetBkMode(DC, oldMode);
}

}  // namespace ControlPaint

// ---------------------------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& M) { WndProc(M); };
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
}

TControl::~TControl() {
  if (gCaptureControl == this) {
    gCaptureControl = nullptr;
    ReleaseCapture();
  }
  if (Application) {
    if (Application->FMouseControl == this) Application->FMouseControl = nullptr;
    if (Application->FHintControl == this) {
      Application->FHintControl = nullptr;
      Application->CancelHint();
    }
  }
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation(u"A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) {
    AParent->InsertControl(this);
    UpdateAnchorRules();
  }
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool resized = AWidth != FWidth || AHeight != FHeight;
  InvalidateControl(FVisible, false);
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  InvalidateControl(FVisible, false);
  UpdateAnchorRules();
  RequestAlign();
  if (resized) Resize();
}

TRect TControl::GetClientRect() { return TRect{0, 0, FWidth, FHeight}; }

TPoint TControl::GetClientOrigin() {
  if (!FParent) throw EInvalidOperation(u"Control '%s' has no parent window", {GetName()});
  TPoint p = FParent->GetClientOrigin();
  return TPoint{p.x + FLeft, p.y + FTop};
}

TPoint TControl::ClientToScreen(TPoint P) {
  TPoint o = GetClientOrigin();
  return TPoint{P.x + o.x, P.y + o.y};
}

TPoint TControl::ScreenToClient(TPoint P) {
  TPoint o = GetClientOrigin();
  return TPoint{P.x - o.x, P.y - o.y};
}

TPoint TControl::ClientToParent(TPoint P, TWinControl* AParent) {
  if (!AParent) AParent = FParent;
  TControl* c = this;
  while (c && c != AParent) {
    P.x += c->FLeft;
    P.y += c->FTop;
    c = c->FParent;
  }
  if (!c) throw EInvalidOperation(u"Control '%s' is not a child of the given parent", {GetName()});
  return P;
}

void TControl::SetClientSize(Integer AWidth, Integer AHeight) {
  TRect r = GetClientRect();
  SetBounds(FLeft, FTop, FWidth - r.right + AWidth, FHeight - r.bottom + AHeight);
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  TAlign old = FAlign;
  FAlign = Value;
  // An aligned side keeps its natural anchors.
  switch (Value) {
    case alTop: FAnchors = TAnchors{akLeft, akTop, akRight}; break;
    case alBottom: FAnchors = TAnchors{akLeft, akRight, akBottom}; break;
    case alLeft: FAnchors = TAnchors{akLeft, akTop, akBottom}; break;
    case alRight: FAnchors = TAnchors{akRight, akTop, akBottom}; break;
    case alClient: FAnchors = TAnchors{akLeft, akTop, akRight, akBottom}; break;
    default:
      if (old != alNone) FAnchors = TAnchors{akLeft, akTop};
      break;
  }
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
  if (FAnchors == Value) return;
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (!FParent || (FParent->FControlState.Contains(csAligning))) return;
  TRect r = FParent->GetClientRect();
  FParent->AdjustClientRect(r);
  FOriginalParentSize = TPoint{r.right - r.left, r.bottom - r.top};
  FAnchorOrigin = TPoint{FLeft, FTop};
  FExplicit = TRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
}

void TControl::RequestAlign() {
  if (FParent) FParent->AlignChildren();
}

bool TControl::GetShowing() const { return FVisible && FParent && FParent->GetShowing(); }

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  RequestAlign();
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*) {
  if (FUpdatingFont) return;
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
  if (FAutoSize) AdjustSize();
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (Value && FParent) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
  if (FColor == Value) {
    FParentColor = false;
    return;
  }
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (Value && FParent) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

String TControl::GetText() {
  LRESULT len = Perform(WM_GETTEXTLENGTH, 0, 0);
  if (len <= 0) return String();
  String s(static_cast<std::size_t>(len) + 1, u'\0');
  LRESULT got = Perform(WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<std::size_t>(std::clamp<LRESULT>(got, 0, len)));
  return s;
}

void TControl::SetText(const String& Value) {
  if (GetText() == Value) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
  if (FShowHint == Value && !FParentShowHint) return;
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (Value && FParent) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (Operation == opRemove && FActionLink && AComponent == FActionLink->GetAction()) FActionLink.reset();
}

TBasicAction* TControl::GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }

void TControl::SetAction(TBasicAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) {
    std::unique_ptr<TControlActionLink> link(CreateActionLink());
    link->AssignClient(this);
    FActionLink = std::move(link);
  }
  FActionLink->SetAction(Value);
  Value->FreeNotification(this);
  ActionChange(Value, GetComponentState().Contains(csLoading));
}

TControlActionLink* TControl::CreateActionLink() { return new TControlActionLink(); }

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || GetCaption().empty() || GetCaption() == GetName()) SetCaption(action->GetCaption());
  if (!CheckDefaults || GetEnabled()) SetEnabled(action->GetEnabled());
}

bool TControl::GetMouseCapture() { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (GetMouseCapture() == Value) return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
  TRect r = GetBoundsRect();
  InvalidateRect(FParent->GetHandle(), &r, IsOpaque ? FALSE : TRUE);
}

void TControl::Invalidate() { InvalidateControl(FVisible, FControlStyle.Contains(csOpaque)); }

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& v = FParent->FControls;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& v = FParent->FControls;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.insert(v.begin(), this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->GetHandle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  if (WindowProc) WindowProc(m);
  else WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
    if (!FControlStyle.Contains(csDoubleClicks)) {
      switch (Message.Msg) {
        case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
          Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
          break;
      }
    }
    switch (Message.Msg) {
      case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: FControlState.Include(csLButtonDown); break;
      case WM_LBUTTONUP: FControlState.Exclude(csLButtonDown); break;
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); return;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return;
    case WM_LBUTTONUP: WMLButtonUp(Message); return;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: WMRButtonDown(Message); return;
    case WM_RBUTTONUP: WMRButtonUp(Message); return;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: WMMButtonDown(Message); return;
    case WM_MBUTTONUP: WMMButtonUp(Message); return;
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case CM_MOUSEWHEEL: CMMouseWheel(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
    case CM_FONTCHANGED: CMFontChanged(Message); return;
    case CM_COLORCHANGED: CMColorChanged(Message); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); return;
    case CM_TEXTCHANGED: CMTextChanged(Message); return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_HINTSHOW: CMHintShow(Message); return;
    default: DefaultHandler(Message); return;
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<Char*>(Message.LParam);
      std::size_t max = Message.WParam;
      if (!buf || max == 0) {
        Message.Result = 0;
        return;
      }
      std::size_t n = std::min(FText.size(), max - 1);
      std::copy_n(FText.data(), n, buf);
      buf[n] = 0;
      Message.Result = static_cast<LRESULT>(n);
      return;
    }
    case WM_GETTEXTLENGTH: Message.Result = static_cast<LRESULT>(FText.size()); return;
    case WM_SETTEXT: {
      auto* s = reinterpret_cast<const Char*>(Message.LParam);
      FText = s ? String(s) : String();
      Message.Result = 1;
      return;
    }
    default: return;
  }
}

void TControl::SendCancelMode(TControl* Sender) {
  // A mouse press ends what other controls are in the middle of (a dropped list, a drag).
  TWinControl* top = FParent;
  while (top && top->GetParent()) top = top->GetParent();
  if (!top) top = dynamic_cast<TWinControl*>(this);
  if (top && top->HandleAllocated()) {
    HWND focus = GetFocus();
    TWinControl* f = FindControl(focus);
    if (f && f != Sender && f->HandleAllocated()) f->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(Sender));
  }
}

bool TControl::IsParentOf(const TControl* AControl) const {
  while (AControl) {
    AControl = AControl->GetParent();
    if (AControl == this) return true;
  }
  return false;
}

namespace {

TShiftState MouseShift(const TMessage& M) { return KeysToShiftState(static_cast<WORD>(M.WParam)); }

}  // namespace

void TControl::WMLButtonDown(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
  MouseDown(mbLeft, MouseShift(Message), MessageXPos(Message), MessageYPos(Message));
}

void TControl::WMLButtonDblClk(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents)) DblClick();
  MouseDown(mbLeft, MouseShift(Message) + ssDouble, MessageXPos(Message), MessageYPos(Message));
}

void TControl::WMLButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    TRect r = GetClientRect();
    if (PtInRect(&r, MessagePos(Message))) Click();
  }
  MouseUp(mbLeft, MouseShift(Message), MessageXPos(Message), MessageYPos(Message));
}

// The right and middle buttons: no capture and no click, just the mouse virtuals.
void TControl::OtherButtonDown(TMessage& Message, TMouseButton Button) {
  SendCancelMode(this);
  DefaultHandler(Message);
  MouseDown(Button, MouseShift(Message), MessageXPos(Message), MessageYPos(Message));
}

void TControl::OtherButtonUp(TMessage& Message, TMouseButton Button) {
  DefaultHandler(Message);
  MouseUp(Button, MouseShift(Message), MessageXPos(Message), MessageYPos(Message));
}

void TControl::WMRButtonDown(TMessage& Message) { OtherButtonDown(Message, mbRight); }
void TControl::WMRButtonUp(TMessage& Message) { OtherButtonUp(Message, mbRight); }
void TControl::WMMButtonDown(TMessage& Message) { OtherButtonDown(Message, mbMiddle); }
void TControl::WMMButtonUp(TMessage& Message) { OtherButtonUp(Message, mbMiddle); }

void TControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  MouseMove(MouseShift(Message), MessageXPos(Message), MessageYPos(Message));
}

void TControl::CMMouseWheel(TMessage& Message) {
  TShiftState shift = KeysToShiftState(LOWORD(Message.WParam));
  auto delta = static_cast<SHORT>(HIWORD(Message.WParam));
  TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  Message.Result = DoMouseWheel(shift, delta, p) ? 1 : 0;
}

bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (handled) return true;
  if ((FWheelAccumulator < 0) != (WheelDelta < 0)) FWheelAccumulator = 0;
  FWheelAccumulator += WheelDelta;
  while (FWheelAccumulator <= -WHEEL_DELTA || FWheelAccumulator >= WHEEL_DELTA) {
    bool down = FWheelAccumulator < 0;
    FWheelAccumulator += down ? WHEEL_DELTA : -WHEEL_DELTA;
    handled = (down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos)) || handled;
  }
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  Perform(CM_BIDIMODECHANGED, 0, 0);
  Invalidate();
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage& Message) { InvalidateControl(true, Message.WParam && FControlStyle.Contains(csOpaque)); }

void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage&) {
  if (!FParentFont || !FParent) return;
  ++FUpdatingFont;
  FFont->Assign(FParent->GetFont());
  --FUpdatingFont;
  Perform(CM_FONTCHANGED, 0, 0);
  if (FAutoSize) AdjustSize();
}

void TControl::CMParentColorChanged(TMessage&) {
  if (!FParentColor || !FParent) return;
  SetColor(FParent->GetColor());
  FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (FParentShowHint && FParent) {
    FShowHint = FParent->GetShowHint();
  }
}

void TControl::CMTextChanged(TMessage&) {
  if (FAutoSize) AdjustSize();
  Invalidate();
}

void TControl::CMMouseEnter(TMessage&) {
  FMouseInControl = true;
  if (FParent) FParent->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&) {
  FMouseInControl = false;
  if (FParent) FParent->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMHintShow(TMessage& Message) {
  // The hint of the control under the pointer; an empty one shows nothing.
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  if (info && info->HintStr.empty()) Message.Result = 1;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
  else if (FActionLink) FActionLink->Execute(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

bool TControl::CanAutoSize(Integer&, Integer&) { return false; }

void TControl::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  if (Value) AdjustSize();
}

void TControl::AdjustSize() {
  if (!FAutoSize) return;
  Integer w = FWidth, h = FHeight;
  if (CanAutoSize(w, h) && (w != FWidth || h != FHeight)) SetBounds(FLeft, FTop, w, h);
}

void TControl::ScaleBy(Integer M, Integer D) { ChangeScale(M, D); }

void TControl::ChangeScale(Integer M, Integer D) {
  if (M == D) return;
  Integer l = MulDiv(FLeft, M, D), t = MulDiv(FTop, M, D);
  Integer r = MulDiv(FLeft + FWidth, M, D), b = MulDiv(FTop + FHeight, M, D);
  if (!FParentFont) {
    ++FUpdatingFont;
    FFont->SetHeight(MulDiv(FFont->GetHeight(), M, D));
    --FUpdatingFont;
    Perform(CM_FONTCHANGED, 0, 0);
  }
  SetBounds(l, t, r - l, b - t);
}

// ---------------------------------------------------------------------------------------------
// Canvas of a control

TControlCanvas::~TControlCanvas() { FreeDC(); }

void TControlCanvas::SetControl(TControl* AControl) {
  if (FControl == AControl) return;
  FreeDC();
  FControl = AControl;
}

void TControlCanvas::FreeDC() {
  if (!FOwnDC) return;
  HDC dc = FOwnDC;
  FOwnDC = nullptr;
  SetHandle(nullptr);
  ReleaseDC(FWindow, dc);
  FWindow = nullptr;
}

void TControlCanvas::CreateHandle() {
  if (!FControl) return;
  if (auto* w = dynamic_cast<TWinControl*>(FControl)) {
    FWindow = w->GetHandle();
    FOwnDC = GetDC(FWindow);
    SetHandle(FOwnDC);
    return;
  }
  TWinControl* p = FControl->GetParent();
  if (!p) return;
  FWindow = p->GetHandle();
  FOwnDC = GetDC(FWindow);
  // The control's own rectangle of its parent's DC.
  SetViewportOrgEx(FOwnDC, FControl->GetLeft(), FControl->GetTop(), nullptr);
  IntersectClipRect(FOwnDC, 0, 0, FControl->GetWidth(), FControl->GetHeight());
  SetHandle(FOwnDC);
}

// ---------------------------------------------------------------------------------------------
// TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    if (Message.WParam) {
      FCanvas->Lock();
      FCanvas->SetHandle(reinterpret_cast<HDC>(Message.WParam));
      FCanvas->GetFont()->Assign(GetFont());
      const auto undo = ScopeExit([&] {
        FCanvas->SetHandle(nullptr);
        FCanvas->Unlock();
      });
      Paint();
    }
    return;
  }
  inherited::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() { FCanvas->SetControl(nullptr); }

void TCustomControl::PaintWindow(HDC DC) {
  FCanvas->Lock();
  FCanvas->SetHandle(DC);
  FCanvas->GetFont()->Assign(GetFont());
  FCanvas->GetBrush()->SetColor(GetColor());
  const auto undo = ScopeExit([&] {
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
  });
  Paint();
}
