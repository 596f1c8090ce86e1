// The TScrollBar control.
#include <algorithm>

#include "platform/rtl/Math.h"
#include "platform/ui/StdCtrls.h"

// ---------------------------------------------------------------------------------------------
// TScrollBar

TScrollBar::TScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csFramed, csDoubleClicks, csOpaque};
  FWidth = 121;
  FHeight = GetSystemMetrics(SM_CYHSCROLL);
  FTabStop = true;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
  FParts.Vertical = false;
  FParts.OnScroll = [this](WORD Code, int Pos) {
    // The bar's own scroll messages go to the parent window, which reflects them back.
    if (FHandle && FParent && FParent->HandleAllocated())
      SendMessage(FParent->GetHandle(), FKind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL,
                  MAKEWPARAM(Code, static_cast<WORD>(Pos)), reinterpret_cast<LPARAM>(FHandle));
  };
  SyncParts();
}

void TScrollBar::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= FKind == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::SyncParts() {
  FParts.Vertical = FKind == sbVertical;
  FParts.Bounds = TRect{0, 0, FWidth, FHeight};
  FParts.Min = FMin;
  FParts.Max = FMax;
  FParts.Page = FPageSize;
  FParts.Position = FPosition;
  FParts.Enabled = GetEnabled();
}

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  SetBounds(FLeft, FTop, FHeight, FWidth);
  SyncParts();
  Invalidate();
}

void TScrollBar::SetPageSize(Integer Value) {
  if (FPageSize == Value) return;
  FPageSize = std::max(0, Value);
  SetParams(FPosition, FMin, FMax);
  Invalidate();
}

void TScrollBar::SetParams(Integer APosition, Integer AMin, Integer AMax) {
  if (AMax < AMin) throw EInvalidOperation(u"Scroll bar property out of range");
  bool rangeChanged = AMin != FMin || AMax != FMax;
  FMin = AMin;
  FMax = AMax;
  Integer top = FPageSize > 0 ? std::max(FMin, FMax - FPageSize + 1) : FMax;
  APosition = std::clamp(APosition, FMin, top);
  bool moved = APosition != FPosition;
  FPosition = APosition;
  SyncParts();
  if (moved || rangeChanged) Invalidate();
  if (moved) Change();
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, Integer& ScrollPos) {
  if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::DoScroll(TMessage& Message) {
  WORD code = LOWORD(Message.WParam);
  Integer pos = FPosition;
  TScrollCode sc = scEndScroll;
  Integer top = FPageSize > 0 ? std::max(FMin, FMax - FPageSize + 1) : FMax;
  switch (code) {
    case SB_LINEUP: sc = scLineUp; pos -= FSmallChange; break;
    case SB_LINEDOWN: sc = scLineDown; pos += FSmallChange; break;
    case SB_PAGEUP: sc = scPageUp; pos -= FLargeChange; break;
    case SB_PAGEDOWN: sc = scPageDown; pos += FLargeChange; break;
    case SB_THUMBPOSITION: sc = scPosition; pos = static_cast<SmallInt>(HIWORD(Message.WParam)); break;
    case SB_THUMBTRACK: sc = scTrack; pos = static_cast<SmallInt>(HIWORD(Message.WParam)); break;
    case SB_TOP: sc = scTop; pos = FMin; break;
    case SB_BOTTOM: sc = scBottom; pos = top; break;
    case SB_ENDSCROLL: sc = scEndScroll; break;
  }
  pos = std::clamp(pos, FMin, top);
  Scroll(sc, pos);
  SetPosition(pos);
}

void TScrollBar::Paint() {
  SyncParts();
  FParts.Paint(GetCanvas()->GetHandle());
  if (Focused()) {
    RECT thumb = FParts.PartRect(spThumb);
    InflateRect(&thumb, -2, -2);
    if (thumb.right > thumb.left && thumb.bottom > thumb.top) DrawFocusRect(GetCanvas()->GetHandle(), &thumb);
  }
}

void TScrollBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_HSCROLL: case CN_VSCROLL: DoScroll(Message); return;
    case CM_ENABLEDCHANGED:
      SyncParts();
      inherited::Dispatch(Message);
      return;
    default: inherited::Dispatch(Message); return;
  }
}

void TScrollBar::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case WM_SIZE: SyncParts(); break;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
      SyncParts();
      if (CanFocus() && FHandle && GetFocus() != FHandle) SetFocus();
      FParts.MouseDown(FHandle, MessagePos(Message));
      Invalidate();
      return;
    case WM_MOUSEMOVE:
      if (FParts.Tracking()) {
        FParts.MouseMove(MessagePos(Message));
        Invalidate();
      }
      return;
    case WM_LBUTTONUP:
      FParts.MouseUp(MessagePos(Message));
      Invalidate();
      return;
    case WM_TIMER:
      if (Message.WParam == TScrollBarParts::RepeatTimerId) {
        SyncParts();
        FParts.TimerTick();
        Invalidate();
        return;
      }
      break;
    case WM_SETFOCUS: case WM_KILLFOCUS: Invalidate(); break;
    case WM_KEYDOWN: {
      WORD code = 0xFFFF;
      bool vertical = FKind == sbVertical;
      switch (Message.WParam) {
        case VK_UP: if (vertical) code = SB_LINEUP; break;
        case VK_LEFT: if (!vertical) code = SB_LINEUP; break;
        case VK_DOWN: if (vertical) code = SB_LINEDOWN; break;
        case VK_RIGHT: if (!vertical) code = SB_LINEDOWN; break;
        case VK_PRIOR: code = SB_PAGEUP; break;
        case VK_NEXT: code = SB_PAGEDOWN; break;
        case VK_HOME: code = SB_TOP; break;
        case VK_END: code = SB_BOTTOM; break;
      }
      if (code != 0xFFFF && FParts.OnScroll) {
        FParts.OnScroll(code, FPosition);
        FParts.OnScroll(SB_ENDSCROLL, FPosition);
      }
      return;
    }
  }
  inherited::DefaultHandler(Message);
}
