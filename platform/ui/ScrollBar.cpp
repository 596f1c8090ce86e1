// The scroll bar parts (drawing, hit-testing and mouse of one bar) and the TScrollBar control.
#include <algorithm>

#include "platform/rtl/Math.h"
#include "platform/ui/StdCtrls.h"

// ---------------------------------------------------------------------------------------------
// TScrollBarParts

namespace {

constexpr UINT kFirstRepeat = 400;
constexpr UINT kRepeat = 50;
constexpr int kMinThumb = 8;

}  // namespace

int TScrollBarParts::ArrowSize() const {
  int along = Vertical ? Bounds.bottom - Bounds.top : Bounds.right - Bounds.left;
  int across = Vertical ? Bounds.right - Bounds.left : Bounds.bottom - Bounds.top;
  return std::min(across, along / 2);
}

int TScrollBarParts::TrackLength() const {
  int along = Vertical ? Bounds.bottom - Bounds.top : Bounds.right - Bounds.left;
  return std::max(0, along - 2 * ArrowSize());
}

int TScrollBarParts::MaxPosition() const { return Page > 0 ? std::max(Min, Max - Page + 1) : Max; }

int TScrollBarParts::ThumbLength() const {
  int track = TrackLength();
  int range = Max - Min + 1;
  int len = Page > 0 && range > 0 ? MulDiv(track, std::min(Page, range), range) : ArrowSize();
  len = std::max(len, std::min(kMinThumb, track));
  return std::min(len, track);
}

int TScrollBarParts::ThumbOffset() const {
  int span = TrackLength() - ThumbLength();
  int range = MaxPosition() - Min;
  if (range <= 0 || span <= 0) return 0;
  return MulDiv(std::clamp(Position, Min, MaxPosition()) - Min, span, range);
}

int TScrollBarParts::PositionAt(int Offset) const {
  int span = TrackLength() - ThumbLength();
  int range = MaxPosition() - Min;
  if (span <= 0) return Min;
  return Min + MulDiv(std::clamp(Offset, 0, span), range, span);
}

RECT TScrollBarParts::PartRect(TScrollPart Part) const {
  int a = ArrowSize();
  int start = Vertical ? Bounds.top : Bounds.left;
  int end = Vertical ? Bounds.bottom : Bounds.right;
  int trackStart = start + a, trackEnd = end - a;
  int thumbStart = trackStart + ThumbOffset(), thumbEnd = thumbStart + ThumbLength();
  int from = 0, to = 0;
  switch (Part) {
    case spLineUp: from = start; to = trackStart; break;
    case spLineDown: from = trackEnd; to = end; break;
    case spPageUp: from = trackStart; to = thumbStart; break;
    case spPageDown: from = thumbEnd; to = trackEnd; break;
    case spThumb: from = thumbStart; to = thumbEnd; break;
    default: return RECT{};
  }
  return Vertical ? RECT{Bounds.left, from, Bounds.right, to} : RECT{from, Bounds.top, to, Bounds.bottom};
}

TScrollPart TScrollBarParts::HitTest(POINT P) const {
  if (!PtInRect(&Bounds, P)) return spNone;
  for (TScrollPart part : {spLineUp, spLineDown, spThumb, spPageUp, spPageDown}) {
    RECT r = PartRect(part);
    if (PtInRect(&r, P)) return part;
  }
  return spNone;
}

void TScrollBarParts::Paint(HDC DC) {
  bool active = Enabled && MaxPosition() > Min;
  UINT inactive = active ? 0 : DFCS_INACTIVE;
  RECT up = PartRect(spLineUp), down = PartRect(spLineDown);
  DrawFrameControl(DC, &up, DFC_SCROLL,
                   (Vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive | (Pressed() == spLineUp ? DFCS_PUSHED | DFCS_FLAT : 0));
  DrawFrameControl(DC, &down, DFC_SCROLL,
                   (Vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive |
                       (Pressed() == spLineDown ? DFCS_PUSHED | DFCS_FLAT : 0));
  RECT track = Vertical ? RECT{Bounds.left, up.bottom, Bounds.right, down.top}
                        : RECT{up.right, Bounds.top, down.left, Bounds.bottom};
  HBRUSH trackBrush = CreateSolidBrush(GetSysColor(COLOR_SCROLLBAR));
  FillRect(DC, &track, trackBrush);
  DeleteObject(trackBrush);
  for (TScrollPart page : {spPageUp, spPageDown})
    if (Pressed() == page) {
      RECT r = PartRect(page);
      HBRUSH b = CreateSolidBrush(GetSysColor(COLOR_3DDKSHADOW));
      FillRect(DC, &r, b);
      DeleteObject(b);
    }
  if (active) {
    RECT thumb = PartRect(spThumb);
    FillRect(DC, &thumb, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(DC, &thumb, EDGE_RAISED, BF_RECT);
  }
}

bool TScrollBarParts::MouseDown(HWND Owner, POINT P) {
  TScrollPart part = HitTest(P);
  if (part == spNone) return false;
  if (!Enabled || MaxPosition() <= Min) return true;
  FOwner = Owner;
  FPressed = part;
  FHot = true;
  SetCapture(Owner);
  if (part == spThumb) {
    RECT thumb = PartRect(spThumb);
    FDragOffset = Vertical ? P.y - thumb.top : P.x - thumb.left;
    FTrackPos = Position;
    return true;
  }
  FFirstRepeat = true;
  Step();
  SetTimer(Owner, RepeatTimerId, kFirstRepeat, nullptr);
  return true;
}

void TScrollBarParts::Step() {
  switch (FPressed) {
    case spLineUp: if (OnScroll) OnScroll(SB_LINEUP, Position); break;
    case spLineDown: if (OnScroll) OnScroll(SB_LINEDOWN, Position); break;
    case spPageUp: if (OnScroll) OnScroll(SB_PAGEUP, Position); break;
    case spPageDown: if (OnScroll) OnScroll(SB_PAGEDOWN, Position); break;
    default: break;
  }
}

void TScrollBarParts::TimerTick() {
  if (FPressed == spNone || FPressed == spThumb) return;
  if (FFirstRepeat) {
    FFirstRepeat = false;
    SetTimer(FOwner, RepeatTimerId, kRepeat, nullptr);
  }
  // A page press stops once the thumb has reached the pointer.
  if (FHot) Step();
}

void TScrollBarParts::MouseMove(POINT P) {
  if (FPressed == spNone) return;
  if (FPressed == spThumb) {
    int a = ArrowSize();
    int start = (Vertical ? Bounds.top : Bounds.left) + a;
    int offset = (Vertical ? P.y : P.x) - start - FDragOffset;
    int pos = PositionAt(offset);
    if (pos != FTrackPos) {
      FTrackPos = pos;
      if (OnScroll) OnScroll(SB_THUMBTRACK, pos);
    }
    return;
  }
  FHot = HitTest(P) == FPressed;
}

void TScrollBarParts::MouseUp(POINT) {
  if (FPressed == spNone) return;
  TScrollPart part = FPressed;
  FPressed = spNone;
  FHot = false;
  KillTimer(FOwner, RepeatTimerId);
  if (GetCapture() == FOwner) ReleaseCapture();
  if (part == spThumb && OnScroll) OnScroll(SB_THUMBPOSITION, FTrackPos);
  if (OnScroll) OnScroll(SB_ENDSCROLL, Position);
}

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
