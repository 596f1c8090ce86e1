// Classic three-dimensional edges, frame controls (buttons, check boxes, radio buttons, scroll
// arrows, size grip) and focus rectangles, drawn in device pixels at the surface's own resolution.
#include "platform/win/GdiInternal.h"
#include "platform/win/WinUser.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace gdi {

namespace {

// Drawing in surface pixels with the DC's clip.
struct TPixelPen : TDrawTarget {
  void Fill(const RECT& R, COLORREF AColor) {
    if (S && R.left < R.right && R.top < R.bottom)
      PaintSet(*S, Clip.Intersect(R), SolidPaint(ColorRefToPixel(AColor), R2_COPYPEN));
  }
  void Pixel(int X, int Y, COLORREF AColor) { Fill(RECT{X, Y, X + 1, Y + 1}, AColor); }
  void Set(const TRgnSet& ASet, COLORREF AColor) {
    if (S) PaintSet(*S, TRgnSet::Combine(ASet, Clip, RGN_AND), SolidPaint(ColorRefToPixel(AColor), R2_COPYPEN));
  }
  void Invert(const TRgnSet& ASet) {
    if (S) PaintSet(*S, TRgnSet::Combine(ASet, Clip, RGN_AND), SolidPaint(0xFFFFFFFF, R2_XORPEN));
  }
  // A logical rectangle in surface pixels.
  RECT ToSurf(const RECT& R) const { return LogRectToSurf(D, R); }
  // And back, for rectangles handed back to the caller.
  RECT ToLog(const RECT& R) const {
    TMapping m = MappingOf(D);
    auto lx = [&](int X) { return static_cast<LONG>(std::lround(m.ToLogX(X - D->Origin.x))); };
    auto ly = [&](int Y) { return static_cast<LONG>(std::lround(m.ToLogY(Y - D->Origin.y))); };
    return RECT{lx(R.left), ly(R.top), lx(R.right), ly(R.bottom)};
  }
};

COLORREF Sys(int AIndex) { return GetSysColor(AIndex) & 0xFFFFFF; }

// Draws the edge in surface pixels; returns the rectangle inside it.
RECT Edge(TPixelPen& P, RECT R, UINT AEdge, UINT AFlags) {
  struct TPair { COLORREF TopLeft, BottomRight; };
  bool soft = AFlags & BF_SOFT, flat = AFlags & BF_FLAT, mono = AFlags & BF_MONO;
  auto outer = [&]() -> std::optional<TPair> {
    if (!(AEdge & BDR_OUTER)) return std::nullopt;
    if (mono) return TPair{Sys(COLOR_WINDOWFRAME), Sys(COLOR_WINDOWFRAME)};
    if (flat) return TPair{Sys(COLOR_3DSHADOW), Sys(COLOR_3DSHADOW)};
    if (AEdge & BDR_RAISEDOUTER)
      return TPair{Sys(soft ? COLOR_3DHIGHLIGHT : COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW)};
    return TPair{Sys(soft ? COLOR_3DDKSHADOW : COLOR_3DSHADOW), Sys(COLOR_3DHIGHLIGHT)};
  }();
  auto inner = [&]() -> std::optional<TPair> {
    if (!(AEdge & BDR_INNER)) return std::nullopt;
    if (mono) return TPair{Sys(COLOR_WINDOW), Sys(COLOR_WINDOW)};
    if (flat) return TPair{Sys(COLOR_3DFACE), Sys(COLOR_3DFACE)};
    if (AEdge & BDR_RAISEDINNER)
      return TPair{Sys(soft ? COLOR_3DLIGHT : COLOR_3DHIGHLIGHT), Sys(COLOR_3DSHADOW)};
    return TPair{Sys(soft ? COLOR_3DSHADOW : COLOR_3DDKSHADOW), Sys(COLOR_3DLIGHT)};
  }();
  for (const auto& pair : {outer, inner}) {
    if (!pair) continue;
    if (R.right <= R.left || R.bottom <= R.top) break;
    // bottom and right lines run the full length, top and left stop short of them
    if (AFlags & BF_BOTTOM) P.Fill(RECT{R.left, R.bottom - 1, R.right, R.bottom}, pair->BottomRight);
    if (AFlags & BF_RIGHT) P.Fill(RECT{R.right - 1, R.top, R.right, R.bottom}, pair->BottomRight);
    if (AFlags & BF_TOP) P.Fill(RECT{R.left, R.top, R.right - ((AFlags & BF_RIGHT) ? 1 : 0), R.top + 1}, pair->TopLeft);
    if (AFlags & BF_LEFT) P.Fill(RECT{R.left, R.top, R.left + 1, R.bottom - ((AFlags & BF_BOTTOM) ? 1 : 0)}, pair->TopLeft);
    if (AFlags & BF_LEFT) ++R.left;
    if (AFlags & BF_TOP) ++R.top;
    if (AFlags & BF_RIGHT) --R.right;
    if (AFlags & BF_BOTTOM) --R.bottom;
  }
  if ((AFlags & BF_MIDDLE) && R.right > R.left && R.bottom > R.top)
    P.Fill(R, mono ? Sys(COLOR_WINDOW) : Sys(COLOR_3DFACE));
  return R;
}

// A square of side ASide centred vertically at the left of R (classic check and radio boxes).
RECT MarkBox(const RECT& R) {
  int side = std::max<int>(0, std::min(R.right - R.left, R.bottom - R.top));
  int x = R.left + ((R.right - R.left) - side) / 2, y = R.top + ((R.bottom - R.top) - side) / 2;
  return RECT{x, y, x + side, y + side};
}

void CheckMark(TPixelPen& P, const RECT& ABox, COLORREF AColor) {
  // the classic mark of a 13-pixel box: seven columns three pixels tall, scaled to the box
  static const int tops[7] = {5, 6, 7, 6, 5, 4, 3};
  double s = (ABox.right - ABox.left) / 13.0;
  for (int i = 0; i < 7; ++i) {
    int x0 = ABox.left + static_cast<int>(std::lround((3 + i) * s));
    int x1 = ABox.left + static_cast<int>(std::lround((4 + i) * s));
    int y0 = ABox.top + static_cast<int>(std::lround(tops[i] * s));
    int y1 = ABox.top + static_cast<int>(std::lround((tops[i] + 3) * s));
    P.Fill(RECT{x0, y0, std::max(x1, x0 + 1), std::max(y1, y0 + 1)}, AColor);
  }
}

void CheckBox(TPixelPen& P, const RECT& R, UINT AState) {
  RECT box = MarkBox(R);
  if (box.right - box.left < 4) return;
  bool flat = AState & DFCS_FLAT, mono = AState & DFCS_MONO;
  bool grey = (AState & (DFCS_INACTIVE | DFCS_PUSHED)) || ((AState & DFCS_BUTTON3STATE) && (AState & DFCS_CHECKED));
  RECT inner;
  if (flat || mono) {
    inner = Edge(P, box, BDR_SUNKENOUTER, BF_RECT | (mono ? BF_MONO : BF_FLAT));
  } else {
    inner = Edge(P, box, EDGE_SUNKEN, BF_RECT);
  }
  if (!(AState & DFCS_TRANSPARENT)) P.Fill(inner, grey ? Sys(COLOR_3DFACE) : Sys(COLOR_WINDOW));
  if (AState & DFCS_CHECKED) {
    COLORREF mark = (AState & DFCS_INACTIVE) || (AState & DFCS_BUTTON3STATE) ? Sys(COLOR_3DSHADOW) : Sys(COLOR_WINDOWTEXT);
    CheckMark(P, box, mark);
  }
}

// Pixels of a filled circle in a square box, by pixel centres.
bool InCircle(const RECT& B, double AInset, int X, int Y) {
  double r = (B.right - B.left) / 2.0 - AInset;
  double cx = (B.left + B.right) / 2.0, cy = (B.top + B.bottom) / 2.0;
  double dx = X + 0.5 - cx, dy = Y + 0.5 - cy;
  return r > 0 && dx * dx + dy * dy <= r * r;
}

void RadioButton(TPixelPen& P, const RECT& R, UINT AState) {
  RECT box = MarkBox(R);
  int side = box.right - box.left;
  if (side < 4) return;
  bool flat = AState & (DFCS_FLAT | DFCS_MONO);
  bool grey = AState & (DFCS_INACTIVE | DFCS_PUSHED);
  double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
  double dot = std::max(1.0, side / 6.0);
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      if (!InCircle(box, 0, x, y)) continue;
      bool topLeft = (x + 0.5 - cx) + (y + 0.5 - cy) < 0;
      COLORREF c;
      if (!InCircle(box, 1, x, y)) {
        c = flat ? Sys((AState & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_3DSHADOW)
                 : Sys(topLeft ? COLOR_3DSHADOW : COLOR_3DHIGHLIGHT);
      } else if (!flat && !InCircle(box, 2, x, y)) {
        c = Sys(topLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT);
      } else if ((AState & DFCS_CHECKED) && InCircle(box, side / 2.0 - dot, x, y)) {
        c = Sys((AState & DFCS_INACTIVE) ? COLOR_3DSHADOW : COLOR_WINDOWTEXT);
      } else {
        if (AState & DFCS_TRANSPARENT) continue;
        c = Sys(grey ? COLOR_3DFACE : COLOR_WINDOW);
      }
      P.Pixel(x, y, c);
    }
  }
}

RECT PushButton(TPixelPen& P, const RECT& R, UINT AState) {
  bool down = AState & (DFCS_PUSHED | DFCS_CHECKED);
  UINT flags = BF_RECT | BF_MIDDLE | BF_SOFT;
  if (AState & DFCS_MONO) flags |= BF_MONO;
  else if (AState & DFCS_FLAT) flags |= BF_FLAT;
  RECT inner = Edge(P, R, down ? EDGE_SUNKEN : EDGE_RAISED, flags);
  if (AState & DFCS_CHECKED && !(AState & DFCS_PUSHED)) {
    // a latched button shows a light checkerboard face
    std::vector<std::pair<int, std::pair<int, int>>> spans;
    for (int y = inner.top; y < inner.bottom; ++y)
      for (int x = inner.left + ((inner.left + y) & 1); x < inner.right; x += 2) spans.push_back({y, {x, x + 1}});
    P.Set(TRgnSet::FromSpans(spans), Sys(COLOR_3DHIGHLIGHT));
  }
  return inner;
}

// A filled triangle pointing in ADir (0 up, 1 down, 2 left, 3 right) centred in R.
void Arrow(TPixelPen& P, const RECT& R, int ADir, COLORREF AColor, int AShift) {
  int w = R.right - R.left, h = R.bottom - R.top;
  int size = std::max(1, (std::min(w, h) - 2) / 3 + 1);   // height of the triangle
  int cx = R.left + w / 2 + AShift, cy = R.top + h / 2 + AShift;
  for (int i = 0; i < size; ++i) {
    int half = i;   // each row one pixel wider on both sides
    RECT row;
    int offset = i - size / 2;
    switch (ADir) {
      case 0: row = RECT{cx - half, cy + offset, cx + half + 1, cy + offset + 1}; break;
      case 1: row = RECT{cx - half, cy - offset, cx + half + 1, cy - offset + 1}; break;
      case 2: row = RECT{cx + offset, cy - half, cx + offset + 1, cy + half + 1}; break;
      default: row = RECT{cx - offset, cy - half, cx - offset + 1, cy + half + 1}; break;
    }
    P.Fill(row, AColor);
  }
}

void ScrollControl(TPixelPen& P, const RECT& R, UINT AState) {
  UINT kind = AState & 0xFF;
  if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
    if (!(AState & DFCS_TRANSPARENT)) P.Fill(R, Sys(COLOR_3DFACE));
    int side = std::min(R.right - R.left, R.bottom - R.top);
    // three diagonal ridges: highlight, then two shadow lines, towards the corner
    for (int d = 0; d < side; ++d) {
      int phase = d % 4;
      if (phase == 3) continue;
      COLORREF c = phase == 0 ? Sys(COLOR_3DHIGHLIGHT) : Sys(COLOR_3DSHADOW);
      int start = side - 1 - d;
      for (int k = 0; k <= d; ++k) P.Pixel(R.right - side + start + k, R.bottom - 1 - k, c);
    }
    return;
  }
  bool pushed = AState & DFCS_PUSHED;
  UINT flags = BF_RECT | BF_MIDDLE;
  if (AState & DFCS_MONO) flags |= BF_MONO;
  else if (AState & DFCS_FLAT || pushed) flags |= BF_FLAT;
  RECT inner = Edge(P, R, pushed ? BDR_SUNKENOUTER : EDGE_RAISED, pushed ? flags | BF_SOFT : flags | BF_SOFT);
  int dir = kind == DFCS_SCROLLUP ? 0 : kind == DFCS_SCROLLLEFT ? 2 : kind == DFCS_SCROLLRIGHT ? 3 : 1;
  int shift = pushed ? 1 : 0;
  if (AState & DFCS_INACTIVE) {
    Arrow(P, inner, dir, Sys(COLOR_3DHIGHLIGHT), shift + 1);
    Arrow(P, inner, dir, Sys(COLOR_3DSHADOW), shift);
  } else {
    Arrow(P, inner, dir, Sys(COLOR_BTNTEXT), shift);
  }
}

}  // namespace

}  // namespace gdi

using namespace gdi;

BOOL DrawEdge(HDC ADC, RECT* ARect, UINT AEdge, UINT AFlags) {
  if (!ARect || (AFlags & BF_DIAGONAL)) return FALSE;
  TPixelPen p;
  if (!p.Open(ADC)) return FALSE;
  RECT inner = Edge(p, p.ToSurf(*ARect), AEdge, AFlags);
  if (AFlags & BF_ADJUST) *ARect = p.ToLog(inner);
  return TRUE;
}

BOOL DrawFrameControl(HDC ADC, RECT* ARect, UINT AType, UINT AState) {
  if (!ARect) return FALSE;
  TPixelPen p;
  if (!p.Open(ADC)) return FALSE;
  RECT r = p.ToSurf(*ARect);
  switch (AType) {
    case DFC_BUTTON: {
      UINT kind = AState & 0x1F;
      if (kind & DFCS_BUTTONPUSH) {
        RECT inner = PushButton(p, r, AState);
        if (AState & DFCS_ADJUSTRECT) *ARect = p.ToLog(inner);
      } else if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE)) {
        RadioButton(p, r, AState);
      } else {
        CheckBox(p, r, AState);
      }
      return TRUE;
    }
    case DFC_SCROLL:
      ScrollControl(p, r, AState);
      if (AState & DFCS_ADJUSTRECT) *ARect = p.ToLog(RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2});
      return TRUE;
    default: return FALSE;
  }
}

BOOL DrawFocusRect(HDC ADC, const RECT* ARect) {
  if (!ARect) return FALSE;
  TPixelPen p;
  if (!p.Open(ADC)) return FALSE;
  RECT r = p.ToSurf(*ARect);
  if (r.right <= r.left || r.bottom <= r.top) return TRUE;
  // every other pixel of the one-pixel border, inverted: drawing it again restores the pixels
  std::vector<std::pair<int, std::pair<int, int>>> spans;
  auto dot = [&](int X, int Y) {
    if (((X + Y) & 1) == 0) spans.push_back({Y, {X, X + 1}});
  };
  for (int x = r.left; x < r.right; ++x) {
    dot(x, r.top);
    if (r.bottom - 1 > r.top) dot(x, r.bottom - 1);
  }
  for (int y = r.top + 1; y < r.bottom - 1; ++y) {
    dot(r.left, y);
    if (r.right - 1 > r.left) dot(r.right - 1, y);
  }
  p.Invert(TRgnSet::FromSpans(spans));
  return TRUE;
}
