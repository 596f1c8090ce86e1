// The canvas drawing back end: the context operations as TCanvas and GDI calls.
#include "lib/graphics/NeoGraphicsGeneral.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "lib/graphics/NeoGraphicsInternal.h"
#include "lib/graphics/NeoGraphicsWin.h"
#include "lib/graphics/NeoTypes.h"
#include "platform/rtl/ScopeGuard.h"

using NeoGraphicsInternal::NearestInt;

namespace {

TPoint RoundPoint(TPointF P) { return {NearestInt(P.X), NearestInt(P.Y)}; }

std::vector<TPoint> RoundPoints(const TNeoGraphicsPathPolygon& APolygon) {
  std::vector<TPoint> points;
  points.reserve(APolygon.size());
  for (const TPointF& p : APolygon) points.push_back(RoundPoint(p));
  return points;
}

// For the length of one call a stock object takes the place of the canvas's pen or brush in its
// DC: an outline call paints with a clear brush, a fill call with a clear pen. The canvas's own
// objects stay as they are (no handle is made again) and return at the end.
class TStockObjectScope {
public:
  TStockObjectScope(TCanvas* ACanvas, int AStockObject)
      : FDC(ACanvas->GetHandle()), FOld(::SelectObject(FDC, ::GetStockObject(AStockObject))) {}
  ~TStockObjectScope() { ::SelectObject(FDC, FOld); }
  TStockObjectScope(const TStockObjectScope&) = delete;
  TStockObjectScope& operator=(const TStockObjectScope&) = delete;

private:
  HDC FDC;
  HGDIOBJ FOld;
};

// For the length of one call text and broken lines leave their background alone. Text never
// paints with the brush, so this is all a text call needs.
class TTransparentScope {
public:
  explicit TTransparentScope(TCanvas* ACanvas) : FDC(ACanvas->GetHandle()), FOldMode(::SetBkMode(FDC, TRANSPARENT)) {}
  ~TTransparentScope() { ::SetBkMode(FDC, FOldMode); }
  TTransparentScope(const TTransparentScope&) = delete;
  TTransparentScope& operator=(const TTransparentScope&) = delete;

private:
  HDC FDC;
  int FOldMode;
};

// A clear brush also leaves the background of text and of broken lines alone.
class TClearBrushScope : public TStockObjectScope {
public:
  explicit TClearBrushScope(TCanvas* ACanvas) : TStockObjectScope(ACanvas, NULL_BRUSH), FTransparent(ACanvas) {}

private:
  TTransparentScope FTransparent;
};

class TClearPenScope : public TStockObjectScope {
public:
  explicit TClearPenScope(TCanvas* ACanvas) : TStockObjectScope(ACanvas, NULL_PEN) {}
};

TBrushStyle FillKindBrushStyle(TNeoGraphicsFillKind AKind, TBrushStyle ACurrent) {
  switch (AKind) {
    case gfkNone: return bsClear;
    case gfkSolid:
    case gfkGradient: return bsSolid;
    case gfkTexture: break;
  }
  return ACurrent;
}

TPenStyle StrokeKindPenStyle(TNeoGraphicsStrokeKind AKind) {
  switch (AKind) {
    case gskNone: return psClear;
    case gskSolid: return psSolid;
    case gskDash: return psDash;
    case gskDot: return psDot;
    case gskDashDot: return psDashDot;
    case gskDashDotDot: return psDashDotDot;
  }
  return psSolid;
}

// The point at angle ADegrees of the ellipse as GDI measures it: counter-clockwise from the right.
TPoint EllipsePoint(TPointF ACenter, TPointF ARadius, Double ADegrees) {
  const Double a = ADegrees * std::numbers::pi / 180.0;
  return {NearestInt(ACenter.X + ARadius.X * std::cos(a)), NearestInt(ACenter.Y - ARadius.Y * std::sin(a))};
}

bool HasMirror(const TNeoGraphicsFill* AFill) {
  return AFill->GetColorMirror() != gcNull && AFill->GetColorMirrorTo() != gcNull;
}

using NeoGDIPlusClasses::ARGB;

ARGB LerpColor(ARGB A, ARGB B, Single T) {
  ARGB result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const Single a = (A >> shift) & 0xFF, b = (B >> shift) & 0xFF;
    result |= static_cast<ARGB>(std::lround(a + (b - a) * T)) << shift;
  }
  return result;
}

// The pixel of a DIB section with alpha: every colour byte multiplied by the alpha.
std::uint32_t Premultiplied(ARGB AColor) {
  const std::uint32_t a = AColor >> 24;
  auto channel = [a](std::uint32_t C) { return (C * a + 127) / 255; };
  return a << 24 | channel((AColor >> 16) & 0xFF) << 16 | channel((AColor >> 8) & 0xFF) << 8 | channel(AColor & 0xFF);
}

// The colour of a fill at every point of the device: a solid colour with the fill's opacity, or
// the gradient as the GDI+ back end builds its brush (the same stops, the linear gradient over
// the path's bounds enlarged by one pixel at the angle of its orientation, the radial one from
// the centre point out to the path's outline, the gradient matrix as the brush transform).
// Outside its stops a gradient keeps its end colours.
class TFillShader {
public:
  TFillShader(TNeoGraphicsFill* AFill, const TNeoGraphicsPath& APath)
      : FKind(AFill->GetKind()), FSolid(ToGPColor(AFill->GetColor(), AFill->GetOpacity())) {
    if (FKind != gfkGradient) return;
    FStops = GradientStops(AFill);
    FToBrush = AFill->GetGradientMatrix().Inverse();
    FRadial = AFill->GetGradientType() == gfgtRadial;
    if (FRadial) {
      FCenter = AFill->GetGradientCenterPoint();
      APath.FlattenToPolygon(FOutline, TNeoGraphicsPath::HitTestFlatness);
      MeasureReach();
      return;
    }
    Single degrees = AFill->GetGradientAngle();
    if (AFill->GetGradientOrientation() == gfoHorizontal) degrees = 0;
    else if (AFill->GetGradientOrientation() == gfoVertical) degrees = 90;
    const Double radians = degrees * std::numbers::pi / 180.0;
    FDirection = {static_cast<Single>(std::cos(radians)), static_cast<Single>(std::sin(radians))};
    const TRectF b = APath.GetBounds();
    const TPointF corners[] = {{b.Left - 1, b.Top - 1}, {b.Right + 1, b.Top - 1},
                               {b.Left - 1, b.Bottom + 1}, {b.Right + 1, b.Bottom + 1}};
    Single low = Along(corners[0]), high = low;
    for (TPointF c : corners) {
      low = std::min(low, Along(c));
      high = std::max(high, Along(c));
    }
    FStart = low;
    FLength = high - low;
  }

  ARGB At(TPointF APoint) const {
    if (FKind != gfkGradient) return FSolid;
    const TPointF p = APoint * FToBrush;
    return StopColor(FRadial ? RadialPosition(p) : LinearPosition(p));
  }

private:
  Single Along(TPointF APoint) const { return APoint.X * FDirection.X + APoint.Y * FDirection.Y; }

  Single LinearPosition(TPointF APoint) const {
    return FLength > 0 ? (Along(APoint) - FStart) / FLength : 0;
  }

  // The point's distance from the centre as a share of the distance from the centre to the
  // outline in its direction.
  Single RadialPosition(TPointF APoint) const {
    const Double dx = APoint.X - FCenter.X, dy = APoint.Y - FCenter.Y;
    if (dx == 0 && dy == 0) return 0;
    const Single reach = FReach[DirectionBin(std::atan2(dy, dx))];
    return reach > 0 ? static_cast<Single>(std::min(1.0, std::hypot(dx, dy) / reach)) : 1;
  }

  static constexpr Integer DirectionBins = 4096;
  static constexpr Double BinAngle = 2 * std::numbers::pi / DirectionBins;

  static Integer DirectionBin(Double ARadians) {
    const Integer bin = static_cast<Integer>(std::floor((ARadians + std::numbers::pi) / BinAngle));
    return ((bin % DirectionBins) + DirectionBins) % DirectionBins;
  }

  // The distance from the centre to the outline for every direction (the farthest crossing for an
  // outline that is not convex): each edge is met by the directions it spans as seen from the
  // centre, so the table costs about one pass over the directions per turn of the outline.
  void MeasureReach() {
    FReach.assign(DirectionBins, 0);
    const size_t n = FOutline.size();
    for (size_t i = 0; i < n; ++i) {
      const TPointF a = FOutline[i], b = FOutline[(i + 1) % n];
      const Double ax = a.X - FCenter.X, ay = a.Y - FCenter.Y, ex = b.X - a.X, ey = b.Y - a.Y;
      const Double from = std::atan2(ay, ax);
      Double sweep = std::atan2(b.Y - FCenter.Y, b.X - FCenter.X) - from;
      if (sweep > std::numbers::pi) sweep -= 2 * std::numbers::pi;
      if (sweep < -std::numbers::pi) sweep += 2 * std::numbers::pi;
      const Integer first = DirectionBin(from), steps = static_cast<Integer>(std::ceil(std::fabs(sweep) / BinAngle)) + 1;
      const Integer step = sweep >= 0 ? 1 : -1;
      for (Integer k = -1; k <= steps; ++k) {
        const Integer bin = ((first + step * k) % DirectionBins + DirectionBins) % DirectionBins;
        const Double angle = -std::numbers::pi + (bin + 0.5) * BinAngle;
        const Double dx = std::cos(angle), dy = std::sin(angle);
        // The ray centre + s·d meets the edge a + u·e.
        const Double denominator = dx * ey - dy * ex;
        if (std::fabs(denominator) < 1e-12) continue;
        const Double s = (ax * ey - ay * ex) / denominator, u = (ax * dy - ay * dx) / denominator;
        if (u >= 0 && u <= 1 && s > FReach[bin]) FReach[bin] = static_cast<Single>(s);
      }
    }
  }

  ARGB StopColor(Single T) const {
    const std::vector<ARGB>& colors = FStops.Colors;
    const std::vector<Single>& positions = FStops.Positions;
    if (colors.empty()) return 0;
    if (!(T > positions.front())) return colors.front();
    for (size_t i = 1; i < colors.size(); ++i) {
      if (T > positions[i]) continue;
      const Single span = positions[i] - positions[i - 1];
      return span > 0 ? LerpColor(colors[i - 1], colors[i], (T - positions[i - 1]) / span) : colors[i];
    }
    return colors.back();
  }

  TNeoGraphicsFillKind FKind;
  ARGB FSolid;
  TGPGradientStops FStops;
  TNeoGraphicsMatrix FToBrush = TNeoGraphicsMatrix::Identity();
  bool FRadial = false;
  TPointF FCenter{};
  TNeoGraphicsPathPolygon FOutline;
  std::vector<Single> FReach;
  TPointF FDirection{1, 0};
  Single FStart = 0, FLength = 0;
};

// A fill the brush of the canvas cannot paint: a gradient, or a colour that lets the background
// show through.
bool NeedsShading(const TNeoGraphicsFill* AFill) {
  return AFill && (AFill->GetKind() == gfkGradient || (AFill->GetKind() == gfkSolid && AFill->GetOpacity() < 1));
}

// A 32-bit top-down DIB section with alpha, selected into its own memory device context.
class TShadeBitmap {
public:
  TShadeBitmap(HDC ADC, Integer AWidth, Integer AHeight) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = AWidth;
    info.bmiHeader.biHeight = -AHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    FBitmap = ::CreateDIBSection(ADC, &info, DIB_RGB_COLORS, &FBits, nullptr, 0);
    if (!FBitmap || !FBits) return;
    FDC = ::CreateCompatibleDC(ADC);
    if (FDC) FOld = ::SelectObject(FDC, FBitmap);
  }
  ~TShadeBitmap() {
    if (FDC) {
      ::SelectObject(FDC, FOld);
      ::DeleteDC(FDC);
    }
    if (FBitmap) ::DeleteObject(FBitmap);
  }
  TShadeBitmap(const TShadeBitmap&) = delete;
  TShadeBitmap& operator=(const TShadeBitmap&) = delete;

  bool Valid() const { return FDC && FBits; }
  std::uint32_t* Pixels() const { return static_cast<std::uint32_t*>(FBits); }
  HDC DC() const { return FDC; }

private:
  HBITMAP FBitmap = nullptr;
  void* FBits = nullptr;
  HDC FDC = nullptr;
  HGDIOBJ FOld = nullptr;
};

}  // namespace

TNeoGraphicsContextGeneral::~TNeoGraphicsContextGeneral() {
  if (FSpecialPen) DeleteObject(FSpecialPen);
}

TCanvas* TNeoGraphicsContextGeneral::Canvas() const {
  TCanvas* canvas = GetCanvas();
  if (!canvas) throw EInvalidOperation(u"Canvas does not allow drawing");
  return canvas;
}

// ---- State ----

TColor TNeoGraphicsContextGeneral::GetFillColor() { return Canvas()->GetBrush()->GetColor(); }

void TNeoGraphicsContextGeneral::SetFill(TNeoGraphicsFill* AFill) {
  if (!AFill) return;
  TBrush* brush = Canvas()->GetBrush();
  brush->SetColor(AFill->GetColor());
  brush->SetStyle(FillKindBrushStyle(AFill->GetKind(), brush->GetStyle()));
}

void TNeoGraphicsContextGeneral::SetFillKind(TNeoGraphicsFillKind AKind) {
  TBrush* brush = Canvas()->GetBrush();
  brush->SetStyle(FillKindBrushStyle(AKind, brush->GetStyle()));
}

void TNeoGraphicsContextGeneral::SetFillColor(TColor AColor) { Canvas()->GetBrush()->SetColor(AColor); }

void TNeoGraphicsContextGeneral::SetStroke(TNeoGraphicsStroke* AStroke) {
  if (!AStroke) return;
  TPen* pen = Canvas()->GetPen();
  pen->SetColor(AStroke->GetColor());
  pen->SetWidth(NearestInt(AStroke->GetWidth()));
  pen->SetStyle(StrokeKindPenStyle(AStroke->GetKind()));
}

void TNeoGraphicsContextGeneral::SetStrokeKind(TNeoGraphicsStrokeKind AKind) {
  Canvas()->GetPen()->SetStyle(StrokeKindPenStyle(AKind));
}

void TNeoGraphicsContextGeneral::SetStrokeColor(TColor AColor) { Canvas()->GetPen()->SetColor(AColor); }

void TNeoGraphicsContextGeneral::SetStrokeWidth(Single AWidth) { Canvas()->GetPen()->SetWidth(NearestInt(AWidth)); }

// An equal font is not assigned again: the canvas would let go of its font handle and make it anew.
void TNeoGraphicsContextGeneral::SetFont(TNeoGraphicsFont* AFont) {
  if (!AFont) return;
  TFont* font = Canvas()->GetFont();
  const bool sameHeight = font->GetPixelsPerInch() == AFont->GetPixelsPerInch()
                              ? font->GetHeight() == AFont->GetHeight()
                              : font->GetSize() == AFont->GetSize();
  if (font->GetName() == AFont->GetName() && sameHeight &&
      font->GetStyle() == AFont->GetStyle() && font->GetColor() == AFont->GetColor() &&
      font->GetCharset() == AFont->GetCharset() && font->GetOrientation() == AFont->GetOrientation() &&
      font->GetPitch() == AFont->GetPitch() && font->GetQuality() == AFont->GetQuality())
    return;
  font->Assign(AFont);
}

void TNeoGraphicsContextGeneral::SetFontSize(Integer ASize) { Canvas()->GetFont()->SetSize(ASize); }
void TNeoGraphicsContextGeneral::SetFontColor(TColor AColor) { Canvas()->GetFont()->SetColor(AColor); }
void TNeoGraphicsContextGeneral::SetFontName(const String& AName) { Canvas()->GetFont()->SetName(AName); }
void TNeoGraphicsContextGeneral::SetFontStyles(TFontStyles AStyle) { Canvas()->GetFont()->SetStyle(AStyle); }

// The DC is saved with the canvas's objects selected: a saved DC keeps the objects it holds alive
// (one the canvas lets go of meanwhile goes when the saved DC does), and the canvas goes on
// drawing with its objects as they are. A restored DC holds the objects of its save, which need
// not be the canvas's any more: the canvas lets go of them and selects its own at its next use.
void TNeoGraphicsContextGeneral::SaveState(TNeoGraphicsSaveState* AState) {
  if (!AState) return;
  AState->SetSaveDC(::SaveDC(Canvas()->GetHandle()));
}

void TNeoGraphicsContextGeneral::RestoreState(TNeoGraphicsSaveState* AState) {
  if (!AState) return;
  TCanvas* canvas = Canvas();
  const HDC dc = canvas->GetHandle();
  if (AState->GetSaveDC() != 0) ::RestoreDC(dc, AState->GetSaveDC());
  AState->SetSaveDC(0);
  canvas->Refresh();
}

void TNeoGraphicsContextGeneral::ClipRect(const TRectF& ARect) {
  const TRect r = RectFToRect(ARect);
  ::IntersectClipRect(Canvas()->GetHandle(), r.left, r.top, r.right, r.bottom);
}

void TNeoGraphicsContextGeneral::ClipPath(TNeoGraphicsPath* APath) {
  if (APath) ClipRect(APath->GetBounds());
}

void TNeoGraphicsContextGeneral::StartSpecialPen() {
  TCanvas* canvas = Canvas();
  // The canvas selects its current objects now, so that its next drawing keeps the special pen.
  HDC dc = canvas->GetHandle();
  LOGBRUSH brush{};
  brush.lbStyle = BS_SOLID;
  brush.lbColor = ColorToRGB(canvas->GetPen()->GetColor());
  HPEN pen = ::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr);
  if (!pen) return;
  HGDIOBJ old = ::SelectObject(dc, pen);
  if (FSpecialPen) {
    // A second start replaces the first special pen but keeps the pen to return to.
    ::DeleteObject(FSpecialPen);
  } else {
    FOldPenHandle = old;
  }
  FSpecialPen = pen;
}

void TNeoGraphicsContextGeneral::StopSpecialPen() {
  if (!FSpecialPen) return;
  TCanvas* canvas = Canvas();
  ::SelectObject(canvas->GetHandle(), FOldPenHandle);
  ::DeleteObject(FSpecialPen);
  FSpecialPen = nullptr;
  FOldPenHandle = nullptr;
}

// ---- Paths on the device context ----

void TNeoGraphicsContextGeneral::PathMoveTo(Pointer, TPointF APoint) {
  const TPoint p = RoundPoint(APoint);
  Canvas()->MoveTo(p.x, p.y);
}

void TNeoGraphicsContextGeneral::PathLineTo(Pointer, TPointF APoint) {
  const TPoint p = RoundPoint(APoint);
  Canvas()->LineTo(p.x, p.y);
}

void TNeoGraphicsContextGeneral::PathClose(Pointer) { ::CloseFigure(Canvas()->GetHandle()); }

// ---- Lines and polygons ----

void TNeoGraphicsContextGeneral::DrawLine(TNeoGraphicsStroke*, TPointF AFromPoint, TPointF AToPoint,
                                          TNeoGraphicsModifyPointMode, TNeoGraphicsModifyPointMode) {
  TCanvas* canvas = Canvas();
  TClearBrushScope clear(canvas);
  const TPoint from = RoundPoint(AFromPoint), to = RoundPoint(AToPoint);
  canvas->MoveTo(from.x, from.y);
  canvas->LineTo(to.x, to.y);
}

void TNeoGraphicsContextGeneral::DrawPolygon(TNeoGraphicsStroke*, const TNeoGraphicsPathPolygon& APolygon) {
  if (APolygon.empty()) return;
  TCanvas* canvas = Canvas();
  TClearBrushScope clear(canvas);
  canvas->Polygon(RoundPoints(APolygon));
}

void TNeoGraphicsContextGeneral::FillPolygon(TNeoGraphicsFill*, const TNeoGraphicsPathPolygon& APolygon) {
  if (APolygon.empty()) return;
  TCanvas* canvas = Canvas();
  TClearPenScope clear(canvas);
  canvas->Polygon(RoundPoints(APolygon));
}

void TNeoGraphicsContextGeneral::DrawPolyline(TNeoGraphicsStroke*, const TNeoGraphicsPathPolygon& APolyline) {
  if (APolyline.empty()) return;
  TCanvas* canvas = Canvas();
  TClearBrushScope clear(canvas);
  canvas->Polyline(RoundPoints(APolyline));
}

void TNeoGraphicsContextGeneral::FillPolyline(TNeoGraphicsFill* AFill, const TNeoGraphicsPathPolygon& APolyline) {
  FillPolygon(AFill, APolyline);
}

// ---- Arcs ----

void TNeoGraphicsContextGeneral::CanvasArcShape(bool AChord, TPointF ACenter, TPointF ARadius, Single AStartAngle,
                                                Single ASweepAngle) {
  TCanvas* canvas = Canvas();
  const TRect r = RectFToRect(TRectF{ACenter.X - ARadius.X, ACenter.Y - ARadius.Y, ACenter.X + ARadius.X,
                                     ACenter.Y + ARadius.Y});
  // GDI turns counter-clockwise from the start point to the end point: starting at the far end of
  // the span gives the span clockwise on screen.
  const TPoint start = EllipsePoint(ACenter, ARadius, -static_cast<Double>(AStartAngle) - ASweepAngle);
  const TPoint end = EllipsePoint(ACenter, ARadius, -static_cast<Double>(AStartAngle));
  if (AChord) canvas->Chord(r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y);
  else canvas->Arc(r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y);
}

void TNeoGraphicsContextGeneral::DrawArc(TNeoGraphicsStroke*, TPointF ACenter, TPointF ARadius, Single AStartAngle,
                                         Single ASweepAngle) {
  TClearBrushScope clear(Canvas());
  CanvasArcShape(false, ACenter, ARadius, AStartAngle, ASweepAngle);
}

void TNeoGraphicsContextGeneral::FillArc(TNeoGraphicsFill*, TPointF ACenter, TPointF ARadius, Single AStartAngle,
                                         Single ASweepAngle) {
  TClearPenScope clear(Canvas());
  CanvasArcShape(true, ACenter, ARadius, AStartAngle, ASweepAngle);
}

void CanvasArc(TCanvas* ACanvas, TPoint ACenter, Integer ARadius, Integer AStartAngle) {
  if (!ACanvas) return;
  const TPointF center{static_cast<Single>(ACenter.x), static_cast<Single>(ACenter.y)};
  const TPointF radius{static_cast<Single>(ARadius), static_cast<Single>(ARadius)};
  const TPoint start = EllipsePoint(center, radius, -static_cast<Double>(AStartAngle) - 90);
  const TPoint end = EllipsePoint(center, radius, -static_cast<Double>(AStartAngle));
  ACanvas->Arc(ACenter.x - ARadius, ACenter.y - ARadius, ACenter.x + ARadius, ACenter.y + ARadius, start.x, start.y,
               end.x, end.y);
}

// ---- Rectangles and ellipses ----

void TNeoGraphicsContextGeneral::DrawRect(TNeoGraphicsStroke*, const TRectF& ARect, TNeoGraphicsSides ASides,
                                          TNeoGraphicsModifyRectMode) {
  TCanvas* canvas = Canvas();
  TClearBrushScope clear(canvas);
  const TRect r = RectFToRect(ARect);
  auto line = [canvas](Integer X1, Integer Y1, Integer X2, Integer Y2) {
    canvas->MoveTo(X1, Y1);
    canvas->LineTo(X2, Y2);
  };
  if (ASides.Contains(gsTop)) line(r.left, r.top, r.right - 1, r.top);
  if (ASides.Contains(gsLeft)) line(r.left, r.top, r.left, r.bottom - 1);
  if (ASides.Contains(gsBottom)) line(r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
  if (ASides.Contains(gsRight)) line(r.right - 1, r.top, r.right - 1, r.bottom);
}

void TNeoGraphicsContextGeneral::FillGradient(TNeoGraphicsFill* AFill, const TRect& ARect, TNeoGraphicsCorners ACorners,
                                              Integer ARadius) {
  TCanvas* canvas = Canvas();
  const TColor from = AFill->GetColor(), to = AFill->GetColorTo();
  const TNeoGraphicsFillOrientation orientation = AFill->GetOrientation();
  if (!HasMirror(AFill)) {
    FillGradientRect(canvas, from, to, orientation == gfoHorizontal, ACorners, ARadius, ARect);
    return;
  }
  const TColor mirrorFrom = AFill->GetColorMirror(), mirrorTo = AFill->GetColorMirrorTo();
  if (orientation == gfoHorizontal) {
    const Integer middle = ARect.left + (ARect.right - ARect.left) / 2;
    FillGradientRect(canvas, from, to, true, ACorners * TNeoGraphicsCorners{gcTopLeft, gcBottomLeft}, ARadius,
                     TRect{ARect.left, ARect.top, middle, ARect.bottom});
    FillGradientRect(canvas, mirrorFrom, mirrorTo, true, ACorners * TNeoGraphicsCorners{gcTopRight, gcBottomRight},
                     ARadius, TRect{middle, ARect.top, ARect.right, ARect.bottom});
    return;
  }
  // Vertical halves; a custom orientation is painted as vertical, the nearest a stepped painter
  // can draw.
  const Integer middle = ARect.top + (ARect.bottom - ARect.top) / 2;
  FillGradientRect(canvas, from, to, false, ACorners * TNeoGraphicsCorners{gcTopLeft, gcTopRight}, ARadius,
                   TRect{ARect.left, ARect.top, ARect.right, middle});
  FillGradientRect(canvas, mirrorFrom, mirrorTo, false, ACorners * TNeoGraphicsCorners{gcBottomLeft, gcBottomRight},
                   ARadius, TRect{ARect.left, middle, ARect.right, ARect.bottom});
}

void TNeoGraphicsContextGeneral::FillRect(TNeoGraphicsFill* AFill, const TRectF& ARect, TNeoGraphicsModifyRectMode) {
  if (!AFill) return;
  const TRect r = RectFToRect(ARect);
  switch (AFill->GetKind()) {
    case gfkGradient:
      if (AFill->GetColor() != gcNull && AFill->GetColorTo() != gcNull) FillGradient(AFill, r, {}, 0);
      break;
    case gfkSolid:
      if (AFill->GetColor() != gcNull) {
        TCanvas* canvas = Canvas();
        TClearPenScope clear(canvas);
        canvas->Rectangle(r);
      }
      break;
    default: break;
  }
}

void TNeoGraphicsContextGeneral::FillRoundRect(TNeoGraphicsFill* AFill, const TRectF& ARect, Single ARounding,
                                               TNeoGraphicsCorners ACorners, TNeoGraphicsModifyRectMode) {
  if (!AFill) return;
  const TRect r = RectFToRect(ARect);
  const Integer radius = NearestInt(ARounding);
  switch (AFill->GetKind()) {
    case gfkSolid:
      if (AFill->GetColor() != gcNull)
        FillGradientRect(Canvas(), AFill->GetColor(), AFill->GetColor(), false, ACorners, radius, r);
      break;
    case gfkGradient:
      if (AFill->GetColor() != gcNull && AFill->GetColorTo() != gcNull)
        FillGradient(AFill, TRect{r.left, r.top, r.right - 1, r.bottom - 1}, ACorners, radius);
      break;
    default: break;
  }
}

void TNeoGraphicsContextGeneral::DrawRoundRect(TNeoGraphicsStroke*, const TRectF& ARect, Single ARounding,
                                               TNeoGraphicsCorners ACorners, TNeoGraphicsModifyRectMode) {
  TCanvas* canvas = Canvas();
  TClearBrushScope clear(canvas);
  const TRect r = RectFToRect(ARect);
  const Integer radius = NearestInt(ARounding);
  const TNeoGraphicsCorners all{gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight};
  if (ACorners == all) {
    canvas->RoundRect(r, 2 * radius, 2 * radius);
    return;
  }
  if (ACorners.Empty()) {
    canvas->Rectangle(r);
    return;
  }
  const Integer L = r.left, T = r.top, R = r.right - 1, B = r.bottom - 1;
  const Integer e = std::max(0, radius - 1);
  auto inset = [&](TNeoGraphicsCorner C) { return ACorners.Contains(C) ? e : 0; };
  auto line = [canvas](Integer X1, Integer Y1, Integer X2, Integer Y2) {
    canvas->MoveTo(X1, Y1);
    canvas->LineTo(X2, Y2);
  };
  if (ACorners.Contains(gcBottomLeft)) CanvasArc(canvas, {L + e, B - e}, e, 90);
  line(L, B - inset(gcBottomLeft), L, T + inset(gcTopLeft));
  if (ACorners.Contains(gcTopLeft)) CanvasArc(canvas, {L + e, T + e}, e, 180);
  line(L + inset(gcTopLeft), T, R - inset(gcTopRight), T);
  if (ACorners.Contains(gcTopRight)) CanvasArc(canvas, {R - e, T + e}, e, 270);
  line(R, T + inset(gcTopRight), R, B - inset(gcBottomRight));
  if (ACorners.Contains(gcBottomRight)) CanvasArc(canvas, {R - e, B - e}, e, 0);
  line(R - inset(gcBottomRight), B, L + inset(gcBottomLeft), B);
}

void TNeoGraphicsContextGeneral::FillEllipse(TNeoGraphicsFill*, const TRectF& ARect, TNeoGraphicsModifyRectMode) {
  TCanvas* canvas = Canvas();
  TClearPenScope clear(canvas);
  canvas->Ellipse(RectFToRect(ARect));
}

void TNeoGraphicsContextGeneral::DrawEllipse(TNeoGraphicsStroke*, const TRectF& ARect, TNeoGraphicsModifyRectMode) {
  TCanvas* canvas = Canvas();
  TClearBrushScope clear(canvas);
  canvas->Ellipse(RectFToRect(ARect));
}

void TNeoGraphicsContextGeneral::DrawFocusRectangle(TNeoGraphicsStroke*, const TRectF& ARect, TColor AColor,
                                                    TNeoGraphicsModifyRectMode) {
  TCanvas* canvas = Canvas();
  TClearBrushScope clear(canvas);
  // The pen colour carries the stroke: it returns after the dotted outline.
  TPen* pen = canvas->GetPen();
  const TColor penColor = pen->GetColor();
  pen->SetColor(AColor);
  StartSpecialPen();
  canvas->Rectangle(RectFToRect(ARect));
  StopSpecialPen();
  pen->SetColor(penColor);
}

void TNeoGraphicsContextGeneral::DrawFocusPath(TNeoGraphicsStroke* AStroke, TNeoGraphicsPath* APath, TColor AColor) {
  if (!APath) return;
  TCanvas* canvas = Canvas();
  TClearBrushScope clear(canvas);
  TPen* pen = canvas->GetPen();
  const TColor penColor = pen->GetColor();
  pen->SetColor(AColor);
  StartSpecialPen();
  DrawPath(AStroke, APath, pdmPolygon);
  StopSpecialPen();
  pen->SetColor(penColor);
}

// ---- Paths ----

void TNeoGraphicsContextGeneral::DrawPath(TNeoGraphicsStroke* AStroke, TNeoGraphicsPath* APath,
                                          TNeoGraphicsPathDrawMode APathMode) {
  if (!APath) return;
  if (APathMode != pdmPath) {
    TNeoGraphicsPathPolygon polygon;
    APath->FlattenToPolygon(polygon, TNeoGraphicsPath::HitTestFlatness);
    if (APathMode == pdmPolygon) DrawPolygon(AStroke, polygon);
    else DrawPolyline(AStroke, polygon);
    return;
  }
  TCanvas* canvas = Canvas();
  TClearBrushScope clear(canvas);
  HDC dc = canvas->GetHandle();
  ::BeginPath(dc);
  ConvertToPath(APath, TNeoGraphicsPath::HitTestFlatness);
  ::EndPath(dc);
  ::StrokePath(dc);
  ::AbortPath(dc);
}

void TNeoGraphicsContextGeneral::FillPath(TNeoGraphicsFill* AFill, TNeoGraphicsPath* APath,
                                          TNeoGraphicsPathDrawMode APathMode) {
  if (!APath) return;
  if (NeedsShading(AFill)) {
    FillShaded(AFill, APath, APathMode);
    return;
  }
  if (APathMode != pdmPath) {
    TNeoGraphicsPathPolygon polygon;
    APath->FlattenToPolygon(polygon, TNeoGraphicsPath::HitTestFlatness);
    if (APathMode == pdmPolygon) FillPolygon(AFill, polygon);
    else FillPolyline(AFill, polygon);
    return;
  }
  TCanvas* canvas = Canvas();
  TClearPenScope clear(canvas);
  HDC dc = canvas->GetHandle();
  ::BeginPath(dc);
  ConvertToPath(APath, TNeoGraphicsPath::HitTestFlatness);
  ::EndPath(dc);
  canvas->GetHandle();   // the brush as the fill set it
  ::FillPath(dc);
  ::AbortPath(dc);
}

void TNeoGraphicsContextGeneral::AddDCFigures(TNeoGraphicsPath* APath, TNeoGraphicsPathDrawMode APathMode) {
  if (APathMode == pdmPath) {
    ConvertToPath(APath, TNeoGraphicsPath::HitTestFlatness);
    return;
  }
  TNeoGraphicsPathPolygon polygon;
  APath->FlattenToPolygon(polygon, TNeoGraphicsPath::HitTestFlatness);
  if (polygon.empty()) return;
  PathMoveTo(nullptr, polygon.front());
  for (size_t i = 1; i < polygon.size(); ++i) PathLineTo(nullptr, polygon[i]);
  PathClose(nullptr);
}

void TNeoGraphicsContextGeneral::FillShaded(TNeoGraphicsFill* AFill, TNeoGraphicsPath* APath,
                                            TNeoGraphicsPathDrawMode APathMode) {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->GetHandle();
  // The pixels the path may cover, within what the clip lets through.
  const TRectF bounds = APath->GetBounds();
  if (!std::isfinite(bounds.Left) || !std::isfinite(bounds.Top) || !std::isfinite(bounds.Right) ||
      !std::isfinite(bounds.Bottom))
    return;
  RECT box{static_cast<int>(std::max(-1e7, std::floor(Double(bounds.Left)) - 1)),
           static_cast<int>(std::max(-1e7, std::floor(Double(bounds.Top)) - 1)),
           static_cast<int>(std::min(1e7, std::ceil(Double(bounds.Right)) + 1)),
           static_cast<int>(std::min(1e7, std::ceil(Double(bounds.Bottom)) + 1))};
  RECT clip{};
  if (::GetClipBox(dc, &clip) != ERROR) {
    box.left = std::max(box.left, clip.left);
    box.top = std::max(box.top, clip.top);
    box.right = std::min(box.right, clip.right);
    box.bottom = std::min(box.bottom, clip.bottom);
  }
  const Integer width = box.right - box.left, height = box.bottom - box.top;
  if (width <= 0 || height <= 0) return;
  TShadeBitmap shade(dc, width, height);
  if (!shade.Valid()) return;
  const TFillShader shader(AFill, *APath);
  std::uint32_t* pixel = shade.Pixels();
  for (Integer y = 0; y < height; ++y)
    for (Integer x = 0; x < width; ++x)
      *pixel++ = Premultiplied(shader.At(TPointF{box.left + x + 0.5f, box.top + y + 0.5f}));
  // The path narrows the clip for the one blend; the device context's own clip returns after.
  const int saved = ::SaveDC(dc);
  const auto restore = ScopeExit([&] { ::RestoreDC(dc, saved); });
  ::BeginPath(dc);
  AddDCFigures(APath, APathMode);
  ::EndPath(dc);
  if (!::SelectClipPath(dc, RGN_AND)) return;
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(dc, box.left, box.top, width, height, shade.DC(), 0, 0, width, height, blend);
}

// ---- Pictures ----

void TNeoGraphicsContextGeneral::DrawBitmap(TGraphic* ABitmap, const TRectF&, const TRectF& ADstRect, Single) {
  if (!ABitmap) return;
  Canvas()->StretchDraw(RectFToRect(ADstRect), ABitmap);
}

// ---- Text ----

TTextFormat TNeoGraphicsContextGeneral::BaseTextFormat(bool AWordWrapping) const {
  TTextFormat format{AWordWrapping ? tfWordBreak : tfSingleLine};
  if (!FShowAcceleratorChar) format.Include(tfNoPrefix);
  return format;
}

// Measuring changes no pixel: the text goes to the canvas's device context directly, with the
// canvas's font selected, and the canvas is not told of a change.
TRectF TNeoGraphicsContextGeneral::CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping) {
  TRect r = RectFToRect(ARect);
  UINT flags = DT_CALCRECT | (AWordWrapping ? DT_WORDBREAK : DT_SINGLELINE);
  if (!FShowAcceleratorChar) flags |= DT_NOPREFIX;
  ::DrawText(Canvas()->GetHandle(), AText.data(), static_cast<int>(AText.size()), &r, flags);
  return RectToRectF(r);
}

void TNeoGraphicsContextGeneral::DrawText(const String& AText, const TRectF& ARect, bool AWordWrapping,
                                          TNeoGraphicsTextAlign AHorizontalAlign, TNeoGraphicsTextAlign AVerticalAlign,
                                          TNeoGraphicsTextTrimming ATrimming, Single AAngle) {
  TCanvas* canvas = Canvas();
  TTransparentScope transparent(canvas);
  TRect r = RectFToRect(ARect);
  if (AAngle != 0) {
    TextOutRotated(canvas, r, AHorizontalAlign, AVerticalAlign, AAngle, AText);
    return;
  }
  TTextFormat format = BaseTextFormat(AWordWrapping);
  switch (AHorizontalAlign) {
    case gtaCenter: format.Include(tfCenter); break;
    case gtaLeading: format.Include(tfLeft); break;
    case gtaTrailing: format.Include(tfRight); break;
  }
  switch (AVerticalAlign) {
    case gtaCenter: format.Include(tfVerticalCenter); break;
    case gtaLeading: format.Include(tfTop); break;
    case gtaTrailing: format.Include(tfBottom); break;
  }
  if (ATrimming == gttCharacter) format.Include(tfEndEllipsis);
  else if (ATrimming == gttWord) format.Include(tfWordEllipsis);
  if (AWordWrapping && AVerticalAlign != gtaLeading) {
    // The platform centres and bottom-aligns single lines only: wrapped text is placed here.
    const Integer h = NearestInt(RectFHeight(CalculateText(AText, ARect, true)));
    if (AVerticalAlign == gtaCenter) {
      r.top += std::max(0, (r.bottom - r.top - h) / 2);
      r.bottom = std::max(0, std::min(r.bottom, r.top + h));
    } else {
      r.top = r.bottom - h;
    }
  }
  canvas->TextRect(r, AText, format);
}

void TextOutRotated(TCanvas* ACanvas, const TRect& ARect, TNeoGraphicsTextAlign AHorizontalAlign,
                    TNeoGraphicsTextAlign AVerticalAlign, Single AAngle, const String& AText) {
  if (!ACanvas) return;
  TFont* font = ACanvas->GetFont();
  const Integer oldOrientation = font->GetOrientation();
  const Integer orientation = NearestInt(-10.0 * AAngle);
  font->SetOrientation(orientation);
  const auto restore = ScopeExit([&] { font->SetOrientation(oldOrientation); });
  const TSize extent = ACanvas->TextExtent(AText);
  const Double tw = extent.cx, th = extent.cy;
  Double x = ARect.left, y = ARect.top;
  const Double W = ARect.right - ARect.left, H = ARect.bottom - ARect.top;
  if (orientation < 0) {
    // Running downwards: along the text is y, the text's top faces +x.
    if (AHorizontalAlign == gtaCenter) y = ARect.top + (H - tw) / 2;
    else if (AHorizontalAlign == gtaTrailing) y = ARect.top + H - tw;
    if (AVerticalAlign == gtaCenter) x = ARect.left + W / 2 + th / 2;
    else if (AVerticalAlign == gtaLeading) x = ARect.left + W;
    else x = ARect.left + th;
  } else {
    // Running upwards: the text's top faces -x.
    if (AHorizontalAlign == gtaCenter) y = ARect.top + (H - tw) / 2 + tw;
    else if (AHorizontalAlign == gtaLeading) y = ARect.top + H;
    else y = ARect.top + tw;
    if (AVerticalAlign == gtaCenter) x = ARect.left + W / 2 - th / 2;
    else if (AVerticalAlign == gtaTrailing) x = ARect.left + W - th;
  }
  ACanvas->TextOut(NearestInt(x), NearestInt(y), AText);
}
