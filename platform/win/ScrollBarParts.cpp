// The parts of one scroll bar: drawing, hit-testing and the mouse.
#include "platform/win/ScrollBarParts.h"

#include <algorithm>

#include "platform/rtl/Math.h"
#include "platform/win/Windows.h"

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
  return MulDiv(std::clamp(TrackPosition(), Min, MaxPosition()) - Min, span, range);
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
  UINT inactive = (active ? 0 : DFCS_INACTIVE) | (Flat ? DFCS_FLAT : 0);
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
    if (Flat)
      FrameRect(DC, &thumb, GetSysColorBrush(COLOR_BTNSHADOW));
    else
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
  SetTimer(Owner, RepeatTimerId, kFirstRepeat, TimerProc);
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
    SetTimer(FOwner, RepeatTimerId, kRepeat, TimerProc);
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

