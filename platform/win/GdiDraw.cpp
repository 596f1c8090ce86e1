// Lines, shapes, region painting, pixels, flood fill and paths with GDI's pixel rules.
#include "platform/win/GdiInternal.h"
#include "platform/win/WinUser.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace gdi {

namespace {

// A drawing target that, while the DC records a path, records instead of painting.
struct TCtx : TDrawTarget {
  bool Open(HDC ADC) {
    HDC__* d = DCOf(ADC);
    if (d && d->PathOpen) {   // recording: nothing is painted
      D = d;
      return true;
    }
    return TDrawTarget::Open(ADC);
  }
  bool Painting() const { return S && !D->PathOpen; }
  POINT BrushOrigin() const { return POINT{D->S.BrushOrg.x + D->Origin.x, D->S.BrushOrg.y + D->Origin.y}; }
};

TPointD DevPoint(HDC__* D, int X, int Y) {
  TMapping m = MappingOf(D);
  return TPointD{std::floor(m.ToDevX(X) + 0.5), std::floor(m.ToDevY(Y) + 0.5)};
}

std::vector<TPointD> ToSurface(HDC__* D, const std::vector<TPointD>& P) {
  std::vector<TPointD> out(P);
  for (auto& p : out) { p.first += D->Origin.x; p.second += D->Origin.y; }
  return out;
}

// Records or draws figures given in device pixel coordinates: the brush fills the pixels whose
// centres lie inside, the pen outlines them.
void Figures(TCtx& C, const std::vector<std::vector<TPointD>>& AFigures, const std::vector<bool>& AClosed,
             bool AFill, bool AStroke) {
  HDC__* D = C.D;
  if (D->PathOpen) {
    for (std::size_t i = 0; i < AFigures.size(); ++i) {
      if (AFigures[i].empty()) continue;
      D->Path.push_back(TPathFigure{AFigures[i], i < AClosed.size() && AClosed[i]});
    }
    return;
  }
  if (!C.Painting()) return;
  std::vector<std::vector<TPointD>> surf;
  for (auto& f : AFigures) surf.push_back(ToSurface(D, f));
  TPenInfo pen = PenInfoOf(D);
  // Only the clip's rows can change: outlines far beyond them are not rasterised there.
  const RECT band = C.Clip.Box();
  TPenPixels pix;
  if (AStroke) pix = StrokePixels(pen, surf, AClosed, &band);
  if (AFill) {
    TPaint paint = BrushPaint(D, D->S.Brush, C.BrushOrigin());
    if (!paint.None) {
      TRgnSet fill = FillPolygons(surf, D->S.PolyFillMode, &band);
      if (!pix.Fore.Empty()) fill = TRgnSet::Combine(fill, pix.Fore, RGN_DIFF);
      PaintSet(*C.S, TRgnSet::Combine(fill, C.Clip, RGN_AND), paint);
    }
  }
  if (AStroke) PaintPen(D, *C.S, pix, pen, C.Clip);
}

// Device bounding box of a logical rectangle, as pixel coordinates of the outline (right and
// bottom edge left out), shrunk for an inside-frame pen.
struct TBox {
  double L, T, R, B;
  bool Empty() const { return R < L || B < T; }
};

TBox ShapeBox(HDC__* D, int ALeft, int ATop, int ARight, int ABottom) {
  RECT r = LogRectToDev(D, RECT{ALeft, ATop, ARight, ABottom});
  TBox b{double(r.left), double(r.top), double(r.right - 1), double(r.bottom - 1)};
  TPenInfo pen = PenInfoOf(D);
  if (pen.InsideFrame && pen.Wide) {
    b.L += pen.Width / 2;
    b.T += pen.Width / 2;
    b.R -= (pen.Width - 1) / 2;
    b.B -= (pen.Width - 1) / 2;
  }
  return b;
}

double AngleOf(double CX, double CY, double RX, double RY, TPointD P) {
  double dx = P.first - CX, dy = CY - P.second;
  if (RX > 0 && RY > 0) { dx /= RX; dy /= RY; }
  return std::atan2(dy, dx);
}

// The arc of the ellipse in the box from the start radial to the end radial in the DC's direction.
std::vector<TPointD> ArcPoints(HDC__* D, const TBox& B, TPointD AStart, TPointD AEnd) {
  double cx = (B.L + B.R) / 2, cy = (B.T + B.B) / 2, rx = (B.R - B.L) / 2, ry = (B.B - B.T) / 2;
  double a0 = AngleOf(cx, cy, rx, ry, AStart), a1 = AngleOf(cx, cy, rx, ry, AEnd);
  double sweep = a1 - a0;
  if (D->S.ArcDirection == AD_COUNTERCLOCKWISE) {
    while (sweep <= 1e-12) sweep += 2 * M_PI;
  } else {
    while (sweep >= -1e-12) sweep -= 2 * M_PI;
  }
  std::vector<TPointD> pts;
  EllipsePoints(cx, cy, rx, ry, a0, sweep, true, pts);
  return pts;
}

std::vector<TPointD> EllipseFigure(const TBox& B) {
  // Callers often fill an ellipse and then outline the same one: the last figure is kept.
  thread_local TBox lastBox{0, 0, -1, -1};
  thread_local std::vector<TPointD> last;
  if (!(B.L == lastBox.L && B.T == lastBox.T && B.R == lastBox.R && B.B == lastBox.B)) {
    last.clear();
    EllipsePoints((B.L + B.R) / 2, (B.T + B.B) / 2, (B.R - B.L) / 2, (B.B - B.T) / 2, 0, 2 * M_PI, false, last);
    lastBox = B;
  }
  return last;
}

std::vector<TPointD> RectFigure(const TBox& B) { return {{B.L, B.T}, {B.R, B.T}, {B.R, B.B}, {B.L, B.B}}; }

void SetCurrent(HDC__* D, int X, int Y) { D->S.CurPos = POINT{X, Y}; }

// The open figure a path is extending, started at the current position when there is none.
TPathFigure& OpenFigure(HDC__* D) {
  if (D->Path.empty() || D->Path.back().Closed) {
    TPointD p = DevPoint(D, D->S.CurPos.x, D->S.CurPos.y);
    D->Path.push_back(TPathFigure{{p}, false});
  }
  return D->Path.back();
}

// Lines from the current position through the points; the current position moves along.
BOOL LinesFromCurrent(HDC ADC, const POINT* APoints, std::size_t ACount) {
  TCtx c;
  if (!c.Open(ADC) || (!APoints && ACount)) return FALSE;
  if (!ACount) return TRUE;
  HDC__* D = c.D;
  if (D->PathOpen) {
    TPathFigure& f = OpenFigure(D);
    for (std::size_t i = 0; i < ACount; ++i) f.Points.push_back(DevPoint(D, APoints[i].x, APoints[i].y));
  } else {
    std::vector<TPointD> fig{DevPoint(D, D->S.CurPos.x, D->S.CurPos.y)};
    for (std::size_t i = 0; i < ACount; ++i) fig.push_back(DevPoint(D, APoints[i].x, APoints[i].y));
    Figures(c, {fig}, {false}, false, true);
  }
  SetCurrent(D, APoints[ACount - 1].x, APoints[ACount - 1].y);
  return TRUE;
}

// Strokes a figure in device pixels that starts at the current position; an open path takes the
// points after the first into its open figure instead.
void ContinueFigure(TCtx& C, const std::vector<TPointD>& APoints) {
  if (C.D->PathOpen) {
    TPathFigure& f = OpenFigure(C.D);
    f.Points.insert(f.Points.end(), APoints.begin() + 1, APoints.end());
  } else {
    Figures(C, {APoints}, {false}, false, true);
  }
}

// Moves the current position to a point given in device pixels.
void SetCurrentToDev(HDC__* D, const TPointD& P) {
  TMapping m = MappingOf(D);
  SetCurrent(D, static_cast<int>(std::lround(m.ToLogX(P.first))), static_cast<int>(std::lround(m.ToLogY(P.second))));
}

RECT RegionRectToSurf(HDC__* D, const RECT& R) { return LogRectToSurf(D, R); }

// A region given in logical units, in surface coordinates.
TRgnSet LogRegionToSurf(HDC__* D, const TRgnSet& ARgn) {
  if (MappingOf(D).Identity()) {
    TRgnSet r = ARgn;
    POINT o = LogToSurf(D, 0, 0);
    r.Offset(o.x, o.y);
    return r;
  }
  std::vector<std::pair<int, std::pair<int, int>>> spans;
  TRgnSet out;
  for (const RECT& r : ARgn.Rects()) out = TRgnSet::Combine(out, TRgnSet(RegionRectToSurf(D, r)), RGN_OR);
  return out;
}

HBRUSH ResolveBrush(HBRUSH ABrush) {
  auto v = reinterpret_cast<std::uintptr_t>(ABrush);
  if (v > 0 && v <= 31) return GetSysColorBrush(static_cast<int>(v - 1));
  return ABrush;
}

BOOL PaintRegion(HDC ADC, const TRgnSet* ALogical, const RECT* ALogRect, HBRUSH ABrush, bool AInvert) {
  TCtx c;
  if (!c.Open(ADC)) return FALSE;
  if (!c.Painting()) return TRUE;
  TRgnSet set = ALogical ? LogRegionToSurf(c.D, *ALogical) : TRgnSet(LogRectToSurf(c.D, *ALogRect));
  set = TRgnSet::Combine(set, c.Clip, RGN_AND);
  if (AInvert) {
    PaintSet(*c.S, set, SolidPaint(0xFFFFFFFF, R2_XORPEN));
    return TRUE;
  }
  TPaint p = BrushPaint(c.D, ResolveBrush(ABrush), c.BrushOrigin());
  p.Rop2 = R2_COPYPEN;
  PaintSet(*c.S, set, p);
  return TRUE;
}

}  // namespace

}  // namespace gdi

using namespace gdi;

BOOL MoveToEx(HDC ADC, int X, int Y, POINT* AOld) {
  TCtx c;
  if (!c.Open(ADC)) return FALSE;
  if (AOld) *AOld = c.D->S.CurPos;
  SetCurrent(c.D, X, Y);
  if (c.D->PathOpen) c.D->Path.push_back(TPathFigure{{DevPoint(c.D, X, Y)}, false});
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC ADC, POINT* APoint) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !APoint) return FALSE;
  *APoint = d->S.CurPos;
  return TRUE;
}

BOOL LineTo(HDC ADC, int X, int Y) {
  POINT p{X, Y};
  return LinesFromCurrent(ADC, &p, 1);
}

BOOL PolylineTo(HDC ADC, const POINT* APoints, DWORD ACount) { return LinesFromCurrent(ADC, APoints, ACount); }

namespace {

// Figures in device pixels from consecutive runs of logical points, ACounts[i] points each; none
// when a run has fewer than two points.
template <typename TCount>
std::optional<std::vector<std::vector<TPointD>>> DevFigures(HDC__* D, const POINT* APoints, const TCount* ACounts,
                                                            TCount AFigures) {
  std::vector<std::vector<TPointD>> figs;
  const POINT* p = APoints;
  for (TCount i = 0; i < AFigures; ++i) {
    if (ACounts[i] < 2) return std::nullopt;
    std::vector<TPointD> f;
    f.reserve(static_cast<std::size_t>(ACounts[i]));
    for (TCount k = 0; k < ACounts[i]; ++k) f.push_back(DevPoint(D, p[k].x, p[k].y));
    p += ACounts[i];
    figs.push_back(std::move(f));
  }
  return figs;
}

}  // namespace

BOOL PolyPolyline(HDC ADC, const POINT* APoints, const DWORD* ACounts, DWORD APolylines) {
  TCtx c;
  if (!c.Open(ADC) || !APoints || !ACounts) return FALSE;
  auto figs = DevFigures(c.D, APoints, ACounts, APolylines);
  if (!figs) return FALSE;
  Figures(c, *figs, std::vector<bool>(figs->size(), false), false, true);
  return TRUE;
}

BOOL Polyline(HDC ADC, const POINT* APoints, int ACount) {
  if (ACount < 2) return FALSE;
  DWORD n = static_cast<DWORD>(ACount);
  return PolyPolyline(ADC, APoints, &n, 1);
}

BOOL PolyPolygon(HDC ADC, const POINT* APoints, const int* ACounts, int APolygons) {
  TCtx c;
  if (!c.Open(ADC) || !APoints || !ACounts || APolygons <= 0) return FALSE;
  auto figs = DevFigures(c.D, APoints, ACounts, APolygons);
  if (!figs) return FALSE;
  Figures(c, *figs, std::vector<bool>(figs->size(), true), true, true);
  return TRUE;
}

BOOL Polygon(HDC ADC, const POINT* APoints, int ACount) { return PolyPolygon(ADC, APoints, &ACount, 1); }

BOOL Rectangle(HDC ADC, int ALeft, int ATop, int ARight, int ABottom) {
  TCtx c;
  if (!c.Open(ADC)) return FALSE;
  TBox b = ShapeBox(c.D, ALeft, ATop, ARight, ABottom);
  if (b.Empty()) return TRUE;
  Figures(c, {RectFigure(b)}, {true}, true, true);
  return TRUE;
}

BOOL RoundRect(HDC ADC, int ALeft, int ATop, int ARight, int ABottom, int AWidth, int AHeight) {
  TCtx c;
  if (!c.Open(ADC)) return FALSE;
  TBox b = ShapeBox(c.D, ALeft, ATop, ARight, ABottom);
  if (b.Empty()) return TRUE;
  int w = LogLengthToDevX(c.D, AWidth), h = LogLengthToDevY(c.D, AHeight);
  if (w <= 1 || h <= 1) return Rectangle(ADC, ALeft, ATop, ARight, ABottom);
  Figures(c, {RoundRectOutline(b.L, b.T, b.R, b.B, w - 1, h - 1)}, {true}, true, true);
  return TRUE;
}

BOOL Ellipse(HDC ADC, int ALeft, int ATop, int ARight, int ABottom) {
  TCtx c;
  if (!c.Open(ADC)) return FALSE;
  TBox b = ShapeBox(c.D, ALeft, ATop, ARight, ABottom);
  if (b.Empty()) return TRUE;
  Figures(c, {EllipseFigure(b)}, {true}, true, true);
  return TRUE;
}

namespace {
enum TArcKind { akArc, akArcTo, akChord, akPie };

BOOL ArcShape(HDC ADC, TArcKind AKind, int ALeft, int ATop, int ARight, int ABottom, int XS, int YS, int XE, int YE) {
  TCtx c;
  if (!c.Open(ADC)) return FALSE;
  HDC__* D = c.D;
  TBox b = ShapeBox(D, ALeft, ATop, ARight, ABottom);
  if (b.Empty()) return TRUE;
  std::vector<TPointD> pts = ArcPoints(D, b, DevPoint(D, XS, YS), DevPoint(D, XE, YE));
  switch (AKind) {
    case akArc: Figures(c, {pts}, {false}, false, true); break;
    case akArcTo: {
      pts.insert(pts.begin(), DevPoint(D, D->S.CurPos.x, D->S.CurPos.y));
      ContinueFigure(c, pts);
      SetCurrentToDev(D, pts.back());
      break;
    }
    case akChord: Figures(c, {pts}, {true}, true, true); break;
    case akPie:
      pts.insert(pts.begin(), TPointD{std::round((b.L + b.R) / 2), std::round((b.T + b.B) / 2)});
      Figures(c, {pts}, {true}, true, true);
      break;
  }
  return TRUE;
}
}  // namespace

BOOL Arc(HDC ADC, int L, int T, int R, int B, int XS, int YS, int XE, int YE) {
  return ArcShape(ADC, akArc, L, T, R, B, XS, YS, XE, YE);
}
BOOL ArcTo(HDC ADC, int L, int T, int R, int B, int XS, int YS, int XE, int YE) {
  return ArcShape(ADC, akArcTo, L, T, R, B, XS, YS, XE, YE);
}
BOOL Chord(HDC ADC, int L, int T, int R, int B, int XS, int YS, int XE, int YE) {
  return ArcShape(ADC, akChord, L, T, R, B, XS, YS, XE, YE);
}
BOOL Pie(HDC ADC, int L, int T, int R, int B, int XS, int YS, int XE, int YE) {
  return ArcShape(ADC, akPie, L, T, R, B, XS, YS, XE, YE);
}

BOOL AngleArc(HDC ADC, int X, int Y, DWORD ARadius, float AStartAngle, float ASweepAngle) {
  TCtx c;
  if (!c.Open(ADC)) return FALSE;
  HDC__* D = c.D;
  TPointD centre = DevPoint(D, X, Y);
  double r = LogLengthToDevX(D, static_cast<int>(std::min<DWORD>(ARadius, 1u << 24)));
  std::vector<TPointD> pts{DevPoint(D, D->S.CurPos.x, D->S.CurPos.y)};
  EllipsePoints(centre.first, centre.second, r, r, AStartAngle * M_PI / 180, ASweepAngle * M_PI / 180, true, pts);
  ContinueFigure(c, pts);
  SetCurrentToDev(D, pts.back());
  return TRUE;
}

namespace {
void BezierPoints(TPointD P0, TPointD P1, TPointD P2, TPointD P3, std::vector<TPointD>& AOut) {
  double len = std::hypot(P1.first - P0.first, P1.second - P0.second) +
               std::hypot(P2.first - P1.first, P2.second - P1.second) +
               std::hypot(P3.first - P2.first, P3.second - P2.second);
  int n = std::clamp(static_cast<int>(len / 2), 2, 4000);
  for (int i = 1; i <= n; ++i) {
    double t = double(i) / n, u = 1 - t;
    double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    AOut.emplace_back(a * P0.first + b * P1.first + c * P2.first + d * P3.first,
                      a * P0.second + b * P1.second + c * P2.second + d * P3.second);
  }
}

BOOL Bezier(HDC ADC, const POINT* APoints, DWORD ACount, bool AFromCurrent) {
  TCtx c;
  if (!c.Open(ADC) || !APoints) return FALSE;
  HDC__* D = c.D;
  std::vector<TPointD> in;
  if (AFromCurrent) in.push_back(DevPoint(D, D->S.CurPos.x, D->S.CurPos.y));
  for (DWORD i = 0; i < ACount; ++i) in.push_back(DevPoint(D, APoints[i].x, APoints[i].y));
  if (in.size() < 4 || (in.size() - 1) % 3 != 0) return FALSE;
  std::vector<TPointD> pts{in[0]};
  for (std::size_t i = 0; i + 3 < in.size(); i += 3) BezierPoints(in[i], in[i + 1], in[i + 2], in[i + 3], pts);
  if (AFromCurrent) ContinueFigure(c, pts);
  else Figures(c, {pts}, {false}, false, true);
  if (AFromCurrent) SetCurrent(D, APoints[ACount - 1].x, APoints[ACount - 1].y);
  return TRUE;
}
}  // namespace

BOOL PolyBezier(HDC ADC, const POINT* APoints, DWORD ACount) { return Bezier(ADC, APoints, ACount, false); }
BOOL PolyBezierTo(HDC ADC, const POINT* APoints, DWORD ACount) { return Bezier(ADC, APoints, ACount, true); }

int FillRect(HDC ADC, const RECT* ARect, HBRUSH ABrush) {
  if (!ARect) return FALSE;
  return PaintRegion(ADC, nullptr, ARect, ABrush, false);
}

int FrameRect(HDC ADC, const RECT* ARect, HBRUSH ABrush) {
  if (!ARect) return FALSE;
  TCtx c;
  if (!c.Open(ADC)) return FALSE;
  if (!c.Painting()) return TRUE;
  RECT r = LogRectToSurf(c.D, *ARect);
  if (r.right <= r.left || r.bottom <= r.top) return TRUE;
  int bx = std::max(1, LogLengthToDevX(c.D, 1)), by = std::max(1, LogLengthToDevY(c.D, 1));
  TRgnSet ring = TRgnSet::Combine(TRgnSet(r), TRgnSet(RECT{r.left + bx, r.top + by, r.right - bx, r.bottom - by}),
                                  RGN_DIFF);
  TPaint p = BrushPaint(c.D, ResolveBrush(ABrush), c.BrushOrigin());
  p.Rop2 = R2_COPYPEN;
  PaintSet(*c.S, TRgnSet::Combine(ring, c.Clip, RGN_AND), p);
  return TRUE;
}

BOOL InvertRect(HDC ADC, const RECT* ARect) {
  if (!ARect) return FALSE;
  return PaintRegion(ADC, nullptr, ARect, nullptr, true);
}

BOOL FillRgn(HDC ADC, HRGN ARgn, HBRUSH ABrush) {
  std::lock_guard lock(Lock());
  TRegionObj* r = RegionOf(ARgn);
  if (!r) return FALSE;
  TRgnSet copy = r->Set;
  return PaintRegion(ADC, &copy, nullptr, ABrush, false);
}

BOOL PaintRgn(HDC ADC, HRGN ARgn) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  return d ? FillRgn(ADC, ARgn, d->S.Brush) : FALSE;
}

BOOL InvertRgn(HDC ADC, HRGN ARgn) {
  std::lock_guard lock(Lock());
  TRegionObj* r = RegionOf(ARgn);
  if (!r) return FALSE;
  TRgnSet copy = r->Set;
  return PaintRegion(ADC, &copy, nullptr, nullptr, true);
}

BOOL FrameRgn(HDC ADC, HRGN ARgn, HBRUSH ABrush, int AWidth, int AHeight) {
  std::lock_guard lock(Lock());
  TRegionObj* r = RegionOf(ARgn);
  if (!r || AWidth <= 0 || AHeight <= 0) return FALSE;
  const TRgnSet& s = r->Set;
  TRgnSet inner = s;
  for (auto [dx, dy] : {std::pair{AWidth, 0}, {-AWidth, 0}, {0, AHeight}, {0, -AHeight}}) {
    TRgnSet moved = s;
    moved.Offset(dx, dy);
    inner = TRgnSet::Combine(inner, moved, RGN_AND);
  }
  TRgnSet ring = TRgnSet::Combine(s, inner, RGN_DIFF);
  return PaintRegion(ADC, &ring, nullptr, ABrush, false);
}

COLORREF SetPixel(HDC ADC, int X, int Y, COLORREF AColor) {
  TCtx c;
  if (!c.Open(ADC) || !c.Painting()) return CLR_INVALID;
  POINT p = LogToSurf(c.D, X, Y);
  if (!c.Clip.Contains(p.x, p.y)) return CLR_INVALID;
  c.S->SetPixel(p.x, p.y, ColorRefToPixel(AColor));
  return AColor & 0xFFFFFF;
}

BOOL SetPixelV(HDC ADC, int X, int Y, COLORREF AColor) { return SetPixel(ADC, X, Y, AColor) != CLR_INVALID; }

COLORREF GetPixel(HDC ADC, int X, int Y) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return CLR_INVALID;
  TDrawScope scope(d, false);
  TSurface* s = scope.Surface();
  POINT p = LogToSurf(d, X, Y);
  if (!s || !EffectiveClip(d).Contains(p.x, p.y)) return CLR_INVALID;
  return PixelToColorRef(s->Pixel(p.x, p.y));
}

BOOL ExtFloodFill(HDC ADC, int X, int Y, COLORREF AColor, UINT AType) {
  TCtx c;
  if (!c.Open(ADC) || !c.Painting()) return FALSE;
  POINT start = LogToSurf(c.D, X, Y);
  if (!c.Clip.Contains(start.x, start.y)) return FALSE;
  TSurface& s = *c.S;
  COLORREF key = AColor & 0xFFFFFF;
  auto inside = [&](int x, int y) {
    if (!c.Clip.Contains(x, y)) return false;
    COLORREF col = PixelToColorRef(s.Pixel(x, y));
    return AType == FLOODFILLSURFACE ? col == key : col != key;
  };
  if (!inside(start.x, start.y)) return FALSE;
  // scanline fill into a visited mask over the clip box
  RECT box = c.Clip.Box();
  int w = box.right - box.left, h = box.bottom - box.top;
  std::vector<std::uint8_t> seen(static_cast<std::size_t>(w) * h, 0);
  auto mark = [&](int x, int y) -> std::uint8_t& { return seen[static_cast<std::size_t>(y - box.top) * w + (x - box.left)]; };
  std::vector<std::pair<int, std::pair<int, int>>> spans;
  std::vector<POINT> stack{start};
  while (!stack.empty()) {
    POINT p = stack.back();
    stack.pop_back();
    if (mark(p.x, p.y) || !inside(p.x, p.y)) continue;
    int x0 = p.x, x1 = p.x;
    while (x0 - 1 >= box.left && !mark(x0 - 1, p.y) && inside(x0 - 1, p.y)) --x0;
    while (x1 + 1 < box.right && !mark(x1 + 1, p.y) && inside(x1 + 1, p.y)) ++x1;
    for (int x = x0; x <= x1; ++x) mark(x, p.y) = 1;
    spans.push_back({p.y, {x0, x1 + 1}});
    for (int ny : {p.y - 1, p.y + 1}) {
      if (ny < box.top || ny >= box.bottom) continue;
      for (int x = x0; x <= x1; ++x)
        if (!mark(x, ny) && inside(x, ny)) {
          stack.push_back(POINT{x, ny});
          while (x + 1 <= x1 && inside(x + 1, ny)) ++x;
        }
    }
  }
  TPaint paint = BrushPaint(c.D, c.D->S.Brush, c.BrushOrigin());
  paint.Rop2 = R2_COPYPEN;
  PaintSet(s, TRgnSet::FromSpans(spans), paint);
  return TRUE;
}

BOOL FloodFill(HDC ADC, int X, int Y, COLORREF AColor) { return ExtFloodFill(ADC, X, Y, AColor, FLOODFILLBORDER); }

// ---- Paths ----

BOOL BeginPath(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return FALSE;
  d->Path.clear();
  d->PathOpen = true;
  d->PathReady = false;
  return TRUE;
}

BOOL EndPath(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !d->PathOpen) return FALSE;
  d->PathOpen = false;
  d->PathReady = true;
  return TRUE;
}

BOOL AbortPath(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return FALSE;
  d->Path.clear();
  d->PathOpen = d->PathReady = false;
  return TRUE;
}

BOOL CloseFigure(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !d->PathOpen || d->Path.empty()) return FALSE;
  d->Path.back().Closed = true;
  return TRUE;
}

namespace {
BOOL UsePath(HDC ADC, bool AFill, bool AStroke) {
  TCtx c;
  if (!c.Open(ADC) || !c.D->PathReady) return FALSE;
  std::vector<std::vector<TPointD>> figs;
  std::vector<bool> closed;
  for (auto& f : c.D->Path) {
    figs.push_back(f.Points);
    closed.push_back(f.Closed || AFill);
  }
  c.D->Path.clear();
  c.D->PathReady = false;
  Figures(c, figs, closed, AFill, AStroke);
  return TRUE;
}
}  // namespace

BOOL StrokePath(HDC ADC) { return UsePath(ADC, false, true); }
BOOL FillPath(HDC ADC) { return UsePath(ADC, true, false); }
BOOL StrokeAndFillPath(HDC ADC) { return UsePath(ADC, true, true); }

BOOL WidenPath(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !d->PathReady) return FALSE;
  // the widened outline as the pixel area the pen would cover, traced back into rectangle figures
  TPenInfo pen = PenInfoOf(d);
  std::vector<std::vector<TPointD>> figs;
  std::vector<bool> closed;
  for (auto& f : d->Path) {
    figs.push_back(f.Points);
    closed.push_back(f.Closed);
  }
  TRgnSet area = StrokePixels(pen, figs, closed).Fore;
  d->Path.clear();
  for (const RECT& r : area.Rects())
    d->Path.push_back(TPathFigure{{{double(r.left), double(r.top)}, {double(r.right), double(r.top)},
                                   {double(r.right), double(r.bottom)}, {double(r.left), double(r.bottom)}},
                                  true});
  return TRUE;
}

HRGN PathToRegion(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !d->PathReady) return nullptr;
  std::vector<std::vector<TPointD>> figs;
  for (auto& f : d->Path) figs.push_back(f.Points);
  d->Path.clear();
  d->PathReady = false;
  return NewRegion(FillPolygons(figs, d->S.PolyFillMode));
}

int SelectClipPath(HDC ADC, int AMode) {
  HRGN r = PathToRegion(ADC);
  if (!r) return FALSE;
  int result = ExtSelectClipRgn(ADC, r, AMode);
  DeleteObject(r);
  return result != ERROR;
}
