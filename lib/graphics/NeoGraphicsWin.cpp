// The GDI+ drawing back end: the context operations as NeoGDIPlusClasses calls.
#include "lib/graphics/NeoGraphicsWin.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "lib/base/NeoUtils.h"
#include "lib/graphics/NeoGraphicsInternal.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/win/ObjIdl.h"
#include "platform/win/WinBase.h"

using namespace NeoGDIPlusClasses;
using NeoGraphicsInternal::NearestInt;

namespace {

TGPRectF GPRect(const TRectF& R) { return {R.Left, R.Top, R.Width(), R.Height()}; }
TGPPointF GPPoint(TPointF P) { return {P.X, P.Y}; }

// A point closer than this (in pixels) to the straight line between the points kept around it
// changes no pixel of the anti-aliased outline or fill by more than a couple of levels.
constexpr Single StraightTolerance = 0.02f;
// At most this many points are passed over at once, so that a long straight run stays linear.
constexpr std::size_t MaxPassedOver = 16;

// Whether every point strictly between A[AFrom] and A[ATo] lies within the tolerance of the line
// through them.
bool StraightBetween(const TNeoGraphicsPathPolygon& A, std::size_t AFrom, std::size_t ATo) {
  const TPointF a = A[AFrom], b = A[ATo];
  const Single dx = b.X - a.X, dy = b.Y - a.Y, length = std::hypot(dx, dy);
  if (!(length > 0)) return false;
  for (std::size_t i = AFrom + 1; i < ATo; ++i) {
    const Single distance = std::fabs((A[i].X - a.X) * dy - (A[i].Y - a.Y) * dx) / length;
    // The point must also lie between the ends, not beyond them on the same line.
    const Single along = ((A[i].X - a.X) * dx + (A[i].Y - a.Y) * dy) / length;
    if (!(distance <= StraightTolerance) || along < 0 || along > length) return false;
  }
  return true;
}

// The points as GDI+ points. A flattened curve has a point every quarter pixel; the library pays
// for each point it strokes or fills, so points on a straight stretch between their neighbours
// are left out. The first and last points stay.
std::vector<TGPPointF> GPPoints(const TNeoGraphicsPathPolygon& APolygon) {
  std::vector<TGPPointF> points;
  points.reserve(APolygon.size());
  std::size_t anchor = 0;
  for (std::size_t i = 0; i < APolygon.size(); ++i) {
    const bool last = i + 1 == APolygon.size();
    if (i > anchor && !last && i - anchor <= MaxPassedOver && StraightBetween(APolygon, anchor, i + 1)) continue;
    points.push_back(GPPoint(APolygon[i]));
    anchor = i;
  }
  return points;
}

// The outline as one GDI+ path made in one call: lines as they are and curves kept as Bézier
// curves (the library strokes a curve without a join at each of its flattened pieces, and
// flattens it itself for fills and clips); a figure starts at each move, or at the current point
// when a line or curve follows a close, and is closed at each close.
std::unique_ptr<TGPGraphicsPath> ToGPPath(const TNeoGraphicsPath& APath) {
  const Integer count = APath.GetCount();
  std::vector<TGPPointF> points;
  std::vector<Byte> types;
  points.reserve(static_cast<size_t>(std::max(0, count)) + 1);
  types.reserve(points.capacity());
  bool inFigure = false;   // a start point is placed
  bool drawn = false;      // and a line or curve follows it
  TPointF current{};
  const auto dropLoneStart = [&] {
    if (inFigure && !drawn) {   // a figure of one point draws nothing
      points.pop_back();
      types.pop_back();
    }
    inFigure = drawn = false;
  };
  const auto add = [&](TPointF APoint, Byte AType) {
    if (!inFigure) {
      points.push_back(GPPoint(current));
      types.push_back(gdip::PathPointTypeStart);
      inFigure = true;
    }
    points.push_back(GPPoint(APoint));
    types.push_back(AType);
    drawn = true;
  };
  for (Integer i = 0; i < count; ++i) {
    const TNeoGraphicsPathPoint& p = APath.GetPoint(i);
    switch (p.Kind) {
      case gppMoveTo:
        dropLoneStart();
        current = p.Point;
        points.push_back(GPPoint(current));
        types.push_back(gdip::PathPointTypeStart);
        inFigure = true;
        break;
      case gppLineTo:
        add(p.Point, gdip::PathPointTypeLine);
        current = p.Point;
        break;
      case gppCurveTo: {
        const TNeoGraphicsPathCubicBezier curve = APath.CurveAt(current, i);
        for (size_t k = 1; k < 4; ++k) add(curve[k], gdip::PathPointTypeBezier);
        current = curve[3];
        i += 2;
        break;
      }
      case gppClose:
        // A line or curve after it starts a new figure at the current point.
        if (drawn) types.back() |= gdip::PathPointTypeCloseSubpath;
        dropLoneStart();
        break;
    }
  }
  dropLoneStart();
  if (points.empty()) return std::make_unique<TGPGraphicsPath>(FillModeAlternate);
  return std::make_unique<TGPGraphicsPath>(points.data(), types.data(), static_cast<Integer>(points.size()),
                                           FillModeAlternate);
}

// The figures of a flattened path as one polygon with the same inside: every figure ends back at
// its first point, and after the last one the polygon returns through the figures' first points
// in reverse, so that every connecting edge runs once each way and cancels under either fill mode.
std::vector<TGPPointF> FiguresAsOnePolygon(TGPGraphicsPath& AFlatPath) {
  const Integer count = AFlatPath.GetPointCount();
  std::vector<TGPPointF> points(static_cast<size_t>(std::max(0, count)));
  std::vector<Byte> types(points.size());
  std::vector<TGPPointF> polygon;
  if (count <= 0 || AFlatPath.GetPathPoints(points.data(), count) != Ok ||
      AFlatPath.GetPathTypes(types.data(), count) != Ok)
    return polygon;
  std::vector<size_t> starts{0};
  for (size_t i = 1; i < points.size(); ++i)
    if ((types[i] & gdip::PathPointTypePathTypeMask) == gdip::PathPointTypeStart) starts.push_back(i);
  polygon.reserve(points.size() + 2 * starts.size());
  for (size_t f = 0; f < starts.size(); ++f) {
    const size_t end = f + 1 < starts.size() ? starts[f + 1] : points.size();
    polygon.insert(polygon.end(), points.begin() + static_cast<std::ptrdiff_t>(starts[f]),
                   points.begin() + static_cast<std::ptrdiff_t>(end));
    polygon.push_back(points[starts[f]]);
  }
  for (size_t f = starts.size() - 1; f-- > 0;) polygon.push_back(points[starts[f]]);
  return polygon;
}

StringAlignment ToGPAlignment(TNeoGraphicsTextAlign AAlign) {
  switch (AAlign) {
    case gtaLeading: return gdip::StringAlignmentNear;
    case gtaTrailing: return gdip::StringAlignmentFar;
    case gtaCenter: break;
  }
  return gdip::StringAlignmentCenter;
}

// The rounded rectangle of the facade's corner construction: from the bottom-left, corners
// bottom-left, top-left, top-right, bottom-right, each a quarter arc when listed.
void AddRoundRect(TNeoGraphicsPath& APath, const TRectF& R, Single ARounding, TNeoGraphicsCorners ACorners) {
  struct TCornerArc {
    TNeoGraphicsCorner Corner;
    TPointF Point;    // the corner itself
    TPointF Centre;   // the arc's centre
    Single Start;
  };
  const Single r = ARounding;
  const TCornerArc corners[] = {
      {gcBottomLeft, {R.Left, R.Bottom}, {R.Left + r, R.Bottom - r}, 90},
      {gcTopLeft, {R.Left, R.Top}, {R.Left + r, R.Top + r}, 180},
      {gcTopRight, {R.Right, R.Top}, {R.Right - r, R.Top + r}, 270},
      {gcBottomRight, {R.Right, R.Bottom}, {R.Right - r, R.Bottom - r}, 0},
  };
  for (const TCornerArc& c : corners) {
    if (ACorners.Contains(c.Corner) && r > 0) APath.AddArc(c.Centre, {r, r}, c.Start, 90);
    else if (APath.GetCount() == 0) APath.MoveTo(c.Point);
    else APath.LineTo(c.Point);
  }
  APath.ClosePath();
}

TGPGraphicsPath* AsPath(Pointer APath) { return static_cast<TGPGraphicsPath*>(APath); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Converters
// ---------------------------------------------------------------------------------------------

ARGB ToGPColor(TColor AColor, Single AOpacity) {
  const COLORREF rgb = ColorToRGB(AColor);
  const Integer alpha = std::clamp(NearestInt(static_cast<Double>(AOpacity) * 255), 0, 255);
  return (static_cast<ARGB>(alpha) << 24) | (static_cast<ARGB>(GetRValue(rgb)) << 16) |
         (static_cast<ARGB>(GetGValue(rgb)) << 8) | GetBValue(rgb);
}

std::unique_ptr<TGPBrush> ToGPTextBrush(TNeoGraphicsFont* AFont) {
  return std::make_unique<TGPSolidBrush>(ToGPColor(AFont->GetColor(), 1));
}

std::unique_ptr<TGPFont> ToGPFont(TNeoGraphicsFont* AFont) {
  String name = AFont->GetName();
  if (name.empty() || SameText(name, u"DEFAULT")) name = u"Arial";
  const Integer size = AFont->GetSize();
  const TFontStyles styles = AFont->GetStyle();
  Integer style = gdip::FontStyleRegular;
  if (styles.Contains(fsBold)) style |= gdip::FontStyleBold;
  if (styles.Contains(fsItalic)) style |= gdip::FontStyleItalic;
  if (styles.Contains(fsUnderline)) style |= gdip::FontStyleUnderline;
  if (styles.Contains(fsStrikeOut)) style |= gdip::FontStyleStrikeout;
  return std::make_unique<TGPFont>(name, static_cast<Single>(size == 0 ? 8 : size), style, UnitPoint);
}

std::unique_ptr<TGPPen> ToGPPen(TNeoGraphicsStroke* AStroke) {
  auto pen = std::make_unique<TGPPen>(ToGPColor(AStroke->GetColor(), AStroke->GetOpacity()), AStroke->GetWidth());
  switch (AStroke->GetKind()) {
    case gskSolid: pen->SetDashStyle(DashStyleSolid); break;
    case gskDash: pen->SetDashStyle(DashStyleDash); break;
    case gskDot: pen->SetDashStyle(DashStyleDot); break;
    case gskDashDot: pen->SetDashStyle(DashStyleDashDot); break;
    case gskDashDotDot: pen->SetDashStyle(DashStyleDashDotDot); break;
    case gskNone: break;
  }
  return pen;
}

std::unique_ptr<TGPStringFormat> ToGPStringFormat(TNeoGraphicsTextAlign AHorizontalAlign,
                                                  TNeoGraphicsTextAlign AVerticalAlign, bool AWordWrapping,
                                                  bool AShowAcceleratorChar, TNeoGraphicsTextTrimming ATrimming) {
  auto format = std::make_unique<TGPStringFormat>();
  format->SetAlignment(ToGPAlignment(AHorizontalAlign));
  format->SetLineAlignment(ToGPAlignment(AVerticalAlign));
  format->SetFormatFlags(AWordWrapping ? 0x4000 : 0x5000);
  switch (ATrimming) {
    case gttCharacter: format->SetTrimming(StringTrimmingCharacter); break;
    case gttWord: format->SetTrimming(StringTrimmingWord); break;
    case gttNone: break;
  }
  format->SetHotkeyPrefix(AShowAcceleratorChar ? HotkeyPrefixShow : HotkeyPrefixNone);
  return format;
}

TGPGradientStops GradientStops(TNeoGraphicsFill* AFill) {
  TGPGradientStops stops;
  const Single opacity = AFill->GetOpacity();
  auto add = [&stops](ARGB AColor, Single APosition) {
    stops.Colors.push_back(AColor);
    stops.Positions.push_back(APosition);
  };
  TNeoGraphicsFillGradientItems* items = AFill->GetGradientItems();
  if (AFill->GetGradientMode() == gfgmCollection && items && items->GetCount() > 0) {
    const Integer count = items->GetCount();
    TNeoGraphicsFillGradientItem* first = items->GetItem(0);
    TNeoGraphicsFillGradientItem* last = items->GetItem(count - 1);
    bool atZero = false, atOne = false;
    for (Integer i = 0; i < count; ++i) {
      atZero = atZero || items->GetItem(i)->GetPosition() == 0;
      atOne = atOne || items->GetItem(i)->GetPosition() == 1;
    }
    if (!atZero) add(ToGPColor(first->GetColor(), first->GetOpacity()), 0);
    for (Integer i = 0; i < count; ++i) {
      TNeoGraphicsFillGradientItem* item = items->GetItem(i);
      add(ToGPColor(item->GetColor(), item->GetOpacity()), item->GetPosition());
    }
    if (!atOne) add(ToGPColor(last->GetColor(), last->GetOpacity()), 1);
    return stops;
  }
  // The default stops, also for a collection without items (nothing to read a colour from).
  if (AFill->GetColorMirror() == gcNull || AFill->GetColorMirrorTo() == gcNull) {
    add(ToGPColor(AFill->GetColor(), opacity), 0);
    add(ToGPColor(AFill->GetColorTo(), opacity), 1);
  } else {
    add(ToGPColor(AFill->GetColor(), opacity), 0);
    add(ToGPColor(AFill->GetColorTo(), opacity), 0.5f);
    add(ToGPColor(AFill->GetColorMirror(), opacity), 0.5f);
    add(ToGPColor(AFill->GetColorMirrorTo(), opacity), 1);
  }
  return stops;
}

namespace {

std::unique_ptr<TGPBrush> GradientBrush(TNeoGraphicsFill* AFill, TGPGraphicsPath* APath, TGPRectF ABounds) {
  ABounds = {ABounds.X - 1, ABounds.Y - 1, ABounds.Width + 2, ABounds.Height + 2};
  TGPGradientStops stops = GradientStops(AFill);
  const TNeoGraphicsMatrix& m = AFill->GetGradientMatrix();
  TGPMatrix transform(m.m11, m.m12, m.m21, m.m22, m.m31, m.m32);
  const Integer count = static_cast<Integer>(stops.Colors.size());
  if (AFill->GetGradientType() == gfgtRadial && APath) {
    auto brush = std::make_unique<TGPPathGradientBrush>(APath);
    if (AFill->GetGradientCenterColor() != gcNull)
      brush->SetCenterColor(ToGPColor(AFill->GetGradientCenterColor(), AFill->GetOpacity()));
    brush->SetCenterPoint(GPPoint(AFill->GetGradientCenterPoint()));
    // GDI+ counts a path gradient from the boundary to the centre.
    std::reverse(stops.Colors.begin(), stops.Colors.end());
    std::reverse(stops.Positions.begin(), stops.Positions.end());
    for (Single& p : stops.Positions) p = 1 - p;
    brush->SetInterpolationColors(stops.Colors.data(), stops.Positions.data(), count);
    brush->SetTransform(&transform);
    return brush;
  }
  std::unique_ptr<TGPLinearGradientBrush> brush;
  switch (AFill->GetGradientOrientation()) {
    case gfoHorizontal:
      brush = std::make_unique<TGPLinearGradientBrush>(ABounds, stops.Colors.front(), stops.Colors.back(),
                                                       LinearGradientModeHorizontal);
      break;
    case gfoVertical:
      brush = std::make_unique<TGPLinearGradientBrush>(ABounds, stops.Colors.front(), stops.Colors.back(),
                                                       LinearGradientModeVertical);
      break;
    case gfoCustom:
      brush = std::make_unique<TGPLinearGradientBrush>(ABounds, stops.Colors.front(), stops.Colors.back(),
                                                       AFill->GetGradientAngle());
      break;
  }
  brush->SetInterpolationColors(stops.Colors.data(), stops.Positions.data(), count);
  brush->SetTransform(&transform);
  return brush;
}

}  // namespace

std::unique_ptr<TGPBrush> ToGPBrush(TNeoGraphicsFill* AFill, TGPGraphicsPath* APath) {
  TGPRectF bounds;
  if (APath) APath->GetBounds(bounds);
  switch (AFill->GetKind()) {
    case gfkSolid: return std::make_unique<TGPSolidBrush>(ToGPColor(AFill->GetColor(), AFill->GetOpacity()));
    case gfkGradient: return GradientBrush(AFill, APath, bounds);
    case gfkNone:
    case gfkTexture: break;
  }
  return std::make_unique<TGPSolidBrush>(ToGPColor(-1, 0));
}

TNeoGraphicsContextClass GetNativeContextClass() { return TNeoGraphicsContextWin::StaticClass(); }

// ---------------------------------------------------------------------------------------------
// TNeoGraphicsContextWin
// ---------------------------------------------------------------------------------------------

// Dashed outlines are drawn without anti-aliasing: the smoothing mode is default for the call.
class TNeoGraphicsContextWin::TSmoothingSuspension {
public:
  explicit TSmoothingSuspension(TNeoGraphicsContextWin& AContext) : FContext(AContext) {
    FActive = FContext.FGPPen && FContext.FGPPen->GetDashStyle() != DashStyleSolid;
    if (!FActive) return;
    FContext.FSmoothingMode = FContext.FGPGraphics->GetSmoothingMode();
    FContext.FGPGraphics->SetSmoothingMode(gdip::SmoothingModeDefault);
  }
  ~TSmoothingSuspension() {
    if (FActive) FContext.FGPGraphics->SetSmoothingMode(FContext.FSmoothingMode);
  }
  TSmoothingSuspension(const TSmoothingSuspension&) = delete;
  TSmoothingSuspension& operator=(const TSmoothingSuspension&) = delete;

private:
  TNeoGraphicsContextWin& FContext;
  bool FActive = false;
};

TNeoGraphicsContextWin::TNeoGraphicsContextWin(TNeoGraphics* AGraphics)
    : TNeoGraphicsContext(AGraphics), FScale(TNeoUtils::GetDPIScale()) {
  FFont = std::make_unique<TNeoGraphicsFont>();
  FFont->OnChanged = [this](TObject*) { UpdateFont(); };
  FStroke = std::make_unique<TNeoGraphicsStroke>(gskSolid, 0xC0C0C0);
  FStroke->OnChanged = [this](TObject*) { UpdatePen(); };
  FFill = std::make_unique<TNeoGraphicsFill>(gfkSolid, 0xFFFFFF);
  FFill->OnChanged = [this](TObject*) { FillChanged(); };
  UpdateFont();
  UpdatePen();
  FillChanged();
}

TNeoGraphicsContextWin::~TNeoGraphicsContextWin() {
  Render();
  ReleaseGraphics();
}

// The GDI+ font is made again only when what it is made of changed: restoring a saved state assigns
// the font each time, mostly unchanged.
void TNeoGraphicsContextWin::UpdateFont() {
  const TGPFontKey key{FFont->GetName(), FFont->GetSize(), FFont->GetStyle()};
  if (FGPFont && key == FGPFontKey) return;
  FGPFont = ToGPFont(FFont.get());
  FGPFontKey = key;
}
void TNeoGraphicsContextWin::UpdatePen() { FGPPen = ToGPPen(FStroke.get()); }

void TNeoGraphicsContextWin::FillChanged() {
  TGPGraphicsPath path(FillModeAlternate);
  path.AddRectangle(TGPRectF{0, 0, FContextSize.cx, FContextSize.cy});
  FGPBrush = ToGPBrush(FFill.get(), &path);
}

void TNeoGraphicsContextWin::SetSize(Single AWidth, Single AHeight) {
  FContextSize = {AWidth, AHeight};
  ReleaseGraphics();
  TCanvas* canvas = GetCanvas();
  if (!canvas) return;
  FGPGraphics.reset(TGPGraphics::FromHDC(canvas->GetHandle()));
  FSaveGP = FGPGraphics->Save();
}

void TNeoGraphicsContextWin::ReleaseGraphics() {
  FGPBitmap.reset();
  if (FGPGraphics) {
    FGPGraphics->Restore(FSaveGP);
    FGPGraphics->Flush();
  }
  FGPGraphics.reset();
}

void TNeoGraphicsContextWin::Render() {
  if (!FNeedsRendering) return;
  FNeedsRendering = false;
  ReleaseGraphics();
}

void TNeoGraphicsContextWin::EndScene() {
  if (FGPGraphics) Render();
}

void TNeoGraphicsContextWin::RenewBaseState() { FSaveGP = FGPGraphics->Save(); }

void TNeoGraphicsContextWin::SetTextQuality(TNeoGraphicsTextQuality ATextQuality) {
  if (!FGPGraphics) return;
  FGPGraphics->Restore(FSaveGP);
  switch (ATextQuality) {
    case gtqDefault: FGPGraphics->SetTextRenderingHint(TextRenderingHintSystemDefault); break;
    case gtqAntiAliasing: FGPGraphics->SetTextRenderingHint(TextRenderingHintAntiAlias); break;
    case gtqClearType: FGPGraphics->SetTextRenderingHint(TextRenderingHintClearTypeGridFit); break;
  }
  RenewBaseState();
}

void TNeoGraphicsContextWin::SetAntiAliasing(bool AAntiAliasing) {
  if (!FGPGraphics) return;
  FGPGraphics->Restore(FSaveGP);
  FGPGraphics->SetSmoothingMode(AAntiAliasing ? gdip::SmoothingModeAntiAlias : gdip::SmoothingModeDefault);
  RenewBaseState();
}

void TNeoGraphicsContextWin::ResetTransform() {
  if (!FGPGraphics) return;
  FGPGraphics->Restore(FSaveGP);
  RenewBaseState();
}

void TNeoGraphicsContextWin::ScaleTransform(Single AX, Single AY) {
  if (FGPGraphics) FGPGraphics->ScaleTransform(AX, AY);
}
void TNeoGraphicsContextWin::RotateTransform(Single AAngle) {
  if (FGPGraphics) FGPGraphics->RotateTransform(AAngle);
}
void TNeoGraphicsContextWin::TranslateTransform(Single AX, Single AY) {
  if (FGPGraphics) FGPGraphics->TranslateTransform(AX, AY);
}

TNeoGraphicsMatrix TNeoGraphicsContextWin::GetMatrix() {
  TNeoGraphicsMatrix result = TNeoGraphicsMatrix::Identity();
  if (!FGPGraphics) return result;
  TGPMatrix m;
  FGPGraphics->GetTransform(&m);
  TMatrixArray e{};
  m.GetElements(e);
  result.m11 = e[0];
  result.m12 = e[1];
  result.m21 = e[2];
  result.m22 = e[3];
  result.m31 = e[4];
  result.m32 = e[5];
  return result;
}

void TNeoGraphicsContextWin::SetMatrix(const TNeoGraphicsMatrix& AMatrix) {
  if (!FGPGraphics) return;
  TGPMatrix m(AMatrix.m11, AMatrix.m12, AMatrix.m21, AMatrix.m22, AMatrix.m31, AMatrix.m32);
  FGPGraphics->SetTransform(&m);
}

void TNeoGraphicsContextWin::SaveState(TNeoGraphicsSaveState* AState) {
  if (FGPGraphics && AState) AState->SetCustomSaveDC(static_cast<Integer>(FGPGraphics->Save()));
}

void TNeoGraphicsContextWin::RestoreState(TNeoGraphicsSaveState* AState) {
  if (FGPGraphics && AState) FGPGraphics->Restore(static_cast<gdip::GraphicsState>(AState->GetCustomSaveDC()));
}

TColor TNeoGraphicsContextWin::GetFillColor() {
  TNeoGraphics* graphics = GetGraphics();
  return graphics && graphics->GetFill() ? graphics->GetFill()->GetColor() : FFill->GetColor();
}

// ---- State setters: the own copies rebuild the GDI+ objects through their change events ----

void TNeoGraphicsContextWin::SetFont(TNeoGraphicsFont* AFont) {
  if (AFont) FFont->Assign(AFont);
}
void TNeoGraphicsContextWin::SetFontSize(Integer ASize) { FFont->SetSize(ASize); }
void TNeoGraphicsContextWin::SetFontColor(TColor AColor) { FFont->SetColor(AColor); }
void TNeoGraphicsContextWin::SetFontName(const String& AName) { FFont->SetName(AName); }
void TNeoGraphicsContextWin::SetFontStyles(TFontStyles AStyle) { FFont->SetStyle(AStyle); }
void TNeoGraphicsContextWin::SetFill(TNeoGraphicsFill* AFill) {
  if (AFill) FFill->Assign(AFill);
}
void TNeoGraphicsContextWin::SetFillKind(TNeoGraphicsFillKind AKind) { FFill->SetKind(AKind); }
void TNeoGraphicsContextWin::SetFillColor(TColor AColor) { FFill->SetColor(AColor); }
void TNeoGraphicsContextWin::SetStroke(TNeoGraphicsStroke* AStroke) {
  if (AStroke) FStroke->Assign(AStroke);
}
void TNeoGraphicsContextWin::SetStrokeKind(TNeoGraphicsStrokeKind AKind) { FStroke->SetKind(AKind); }
void TNeoGraphicsContextWin::SetStrokeColor(TColor AColor) { FStroke->SetColor(AColor); }
void TNeoGraphicsContextWin::SetStrokeWidth(Single AWidth) { FStroke->SetWidth(AWidth); }

// ---- Paths ----

Pointer TNeoGraphicsContextWin::CreatePath() { return new TGPGraphicsPath(FillModeAlternate); }
void TNeoGraphicsContextWin::PathOpen(Pointer APath) { AsPath(APath)->StartFigure(); }
void TNeoGraphicsContextWin::PathMoveTo(Pointer, TPointF APoint) { FMovePoint = APoint; }
void TNeoGraphicsContextWin::PathLineTo(Pointer APath, TPointF APoint) {
  AsPath(APath)->AddLine(GPPoint(FMovePoint), GPPoint(APoint));
  FMovePoint = APoint;
}
void TNeoGraphicsContextWin::PathClose(Pointer APath) { AsPath(APath)->CloseFigure(); }

// ---- Clip ----

void TNeoGraphicsContextWin::ClipRect(const TRectF& ARect) {
  if (FGPGraphics) FGPGraphics->SetClip(GPRect(ARect), CombineModeReplace);
}

void TNeoGraphicsContextWin::ClipPath(TNeoGraphicsPath* APath) {
  if (!FGPGraphics || !APath) return;
  FGPGraphics->SetClip(ToGPPath(*APath).get(), CombineModeReplace);
}

void TNeoGraphicsContextWin::ResetClip() {
  if (FGPGraphics) FGPGraphics->ResetClip();
}

// ---- Outlines ----

void TNeoGraphicsContextWin::StrokeGPPath(TGPGraphicsPath& APath) {
  TSmoothingSuspension smoothing(*this);
  FGPGraphics->DrawPath(FGPPen.get(), &APath);
}

void TNeoGraphicsContextWin::DrawLine(TNeoGraphicsStroke*, TPointF AFromPoint, TPointF AToPoint,
                                      TNeoGraphicsModifyPointMode, TNeoGraphicsModifyPointMode) {
  if (!FGPGraphics) return;
  TSmoothingSuspension smoothing(*this);
  FGPGraphics->DrawLine(FGPPen.get(), GPPoint(AFromPoint), GPPoint(AToPoint));
}

void TNeoGraphicsContextWin::DrawPolygon(TNeoGraphicsStroke*, const TNeoGraphicsPathPolygon& APolygon) {
  if (!FGPGraphics || APolygon.empty()) return;
  const std::vector<TGPPointF> points = GPPoints(APolygon);
  TSmoothingSuspension smoothing(*this);
  FGPGraphics->DrawPolygon(FGPPen.get(), points.data(), static_cast<Integer>(points.size()));
}

void TNeoGraphicsContextWin::DrawPolyline(TNeoGraphicsStroke*, const TNeoGraphicsPathPolygon& APolyline) {
  if (!FGPGraphics || APolyline.empty()) return;
  const std::vector<TGPPointF> points = GPPoints(APolyline);
  TSmoothingSuspension smoothing(*this);
  FGPGraphics->DrawLines(FGPPen.get(), points.data(), static_cast<Integer>(points.size()));
}

void TNeoGraphicsContextWin::DrawArc(TNeoGraphicsStroke*, TPointF ACenter, TPointF ARadius, Single AStartAngle,
                                     Single ASweepAngle) {
  if (!FGPGraphics) return;
  TSmoothingSuspension smoothing(*this);
  FGPGraphics->DrawArc(FGPPen.get(), ACenter.X - ARadius.X, ACenter.Y - ARadius.Y, 2 * ARadius.X, 2 * ARadius.Y,
                       AStartAngle, ASweepAngle);
}

void TNeoGraphicsContextWin::DrawEllipse(TNeoGraphicsStroke*, const TRectF& ARect, TNeoGraphicsModifyRectMode) {
  if (!FGPGraphics) return;
  TSmoothingSuspension smoothing(*this);
  FGPGraphics->DrawEllipse(FGPPen.get(), ARect.Left, ARect.Top, ARect.Right - 1 - ARect.Left,
                           ARect.Bottom - 1 - ARect.Top);
}

void TNeoGraphicsContextWin::DrawRect(TNeoGraphicsStroke*, const TRectF& ARect, TNeoGraphicsSides ASides,
                                      TNeoGraphicsModifyRectMode) {
  if (!FGPGraphics) return;
  const Single l = ARect.Left, t = ARect.Top, r = ARect.Right - 1, b = ARect.Bottom - 1;
  TSmoothingSuspension smoothing(*this);
  TGPPen* pen = FGPPen.get();
  if (ASides.Contains(gsTop)) FGPGraphics->DrawLine(pen, l, t, r, t);
  if (ASides.Contains(gsLeft)) FGPGraphics->DrawLine(pen, l, t, l, b);
  if (ASides.Contains(gsBottom)) FGPGraphics->DrawLine(pen, l, b, r, b);
  if (ASides.Contains(gsRight)) FGPGraphics->DrawLine(pen, r, t, r, b);
}

void TNeoGraphicsContextWin::DrawRoundRect(TNeoGraphicsStroke*, const TRectF& ARect, Single ARounding,
                                           TNeoGraphicsCorners ACorners, TNeoGraphicsModifyRectMode) {
  if (!FGPGraphics) return;
  TNeoGraphicsPath path;
  AddRoundRect(path, {ARect.Left, ARect.Top, ARect.Right - 1, ARect.Bottom - 1}, ARounding, ACorners);
  DrawPath(FStroke.get(), &path, pdmPolygon);
}

void TNeoGraphicsContextWin::DrawPath(TNeoGraphicsStroke* AStroke, TNeoGraphicsPath* APath,
                                      TNeoGraphicsPathDrawMode APathMode) {
  if (!FGPGraphics || !APath) return;
  if (APathMode == pdmPath) {
    StrokeGPPath(*ToGPPath(*APath));
    return;
  }
  TNeoGraphicsPathPolygon polygon;
  APath->FlattenToPolygon(polygon, TNeoGraphicsPath::HitTestFlatness);
  if (APathMode == pdmPolygon) DrawPolygon(AStroke, polygon);
  else DrawPolyline(AStroke, polygon);
}

void TNeoGraphicsContextWin::DrawFocusRectangle(TNeoGraphicsStroke* AStroke, const TRectF& ARect, TColor AColor,
                                                TNeoGraphicsModifyRectMode AModifyRectMode) {
  if (!FGPGraphics) return;
  const Integer smoothing = FGPGraphics->GetSmoothingMode();
  const DashStyle dash = FGPPen->GetDashStyle();
  const Single width = FGPPen->GetWidth();
  ARGB color = 0;
  FGPPen->GetColor(color);
  FGPGraphics->SetSmoothingMode(gdip::SmoothingModeDefault);
  FGPPen->SetDashStyle(DashStyleDot);
  FGPPen->SetWidth(1);
  FGPPen->SetColor(ToGPColor(AColor, 1));
  if (ARect.Width() >= 0) DrawRect(AStroke, ARect, TNeoGraphics::AllSides(), AModifyRectMode);
  FGPPen->SetColor(color);
  FGPPen->SetWidth(width);
  FGPPen->SetDashStyle(dash);
  FGPGraphics->SetSmoothingMode(smoothing);
}

void TNeoGraphicsContextWin::DrawFocusPath(TNeoGraphicsStroke* AStroke, TNeoGraphicsPath* APath, TColor AColor) {
  if (!FGPGraphics || !APath) return;
  const Integer smoothing = FGPGraphics->GetSmoothingMode();
  const DashStyle dash = FGPPen->GetDashStyle();
  const Single width = FGPPen->GetWidth();
  ARGB color = 0;
  FGPPen->GetColor(color);
  FGPGraphics->SetSmoothingMode(gdip::SmoothingModeDefault);
  FGPPen->SetDashStyle(DashStyleDot);
  FGPPen->SetWidth(1);
  FGPPen->SetColor(ToGPColor(AColor, 1));
  DrawPath(AStroke, APath, pdmPolygon);
  FGPPen->SetColor(color);
  FGPPen->SetWidth(width);
  FGPPen->SetDashStyle(dash);
  FGPGraphics->SetSmoothingMode(smoothing);
}

// ---- Fills ----

void TNeoGraphicsContextWin::FillGPPath(TGPGraphicsPath& APath) {
  FGPBrush = ToGPBrush(FFill.get(), &APath);
  // Filled as a polygon: a path fill of the GDI+ library also strokes the path's outline, which
  // costs about as much again and covers one pixel beyond the shape's right and bottom edges.
  APath.Flatten(nullptr, 0.25f);
  const std::vector<TGPPointF> polygon = FiguresAsOnePolygon(APath);
  if (polygon.size() < 3) return;
  FGPGraphics->FillPolygon(FGPBrush.get(), polygon.data(), static_cast<Integer>(polygon.size()), APath.GetFillMode());
}

void TNeoGraphicsContextWin::FillRect(TNeoGraphicsFill*, const TRectF& ARect, TNeoGraphicsModifyRectMode) {
  if (!FGPGraphics) return;
  TGPGraphicsPath path(FillModeAlternate);
  path.AddRectangle(GPRect(ARect));
  FillGPPath(path);
}

void TNeoGraphicsContextWin::FillEllipse(TNeoGraphicsFill*, const TRectF& ARect, TNeoGraphicsModifyRectMode) {
  if (!FGPGraphics) return;
  TGPGraphicsPath path(FillModeAlternate);
  path.AddEllipse(GPRect(ARect));
  FillGPPath(path);
}

void TNeoGraphicsContextWin::FillArc(TNeoGraphicsFill*, TPointF ACenter, TPointF ARadius, Single AStartAngle,
                                     Single ASweepAngle) {
  if (!FGPGraphics) return;
  TGPGraphicsPath path(FillModeAlternate);
  path.AddArc(ACenter.X - ARadius.X, ACenter.Y - ARadius.Y, 2 * ARadius.X, 2 * ARadius.Y, AStartAngle, ASweepAngle);
  FillGPPath(path);
}

void TNeoGraphicsContextWin::FillPolygon(TNeoGraphicsFill*, const TNeoGraphicsPathPolygon& APolygon) {
  if (!FGPGraphics || APolygon.empty()) return;
  const std::vector<TGPPointF> points = GPPoints(APolygon);
  TGPGraphicsPath path(FillModeAlternate);
  path.AddPolygon(points.data(), static_cast<Integer>(points.size()));
  FillGPPath(path);
}

void TNeoGraphicsContextWin::FillPolyline(TNeoGraphicsFill* AFill, const TNeoGraphicsPathPolygon& APolyline) {
  FillPolygon(AFill, APolyline);
}

void TNeoGraphicsContextWin::FillRoundRect(TNeoGraphicsFill*, const TRectF& ARect, Single ARounding,
                                           TNeoGraphicsCorners ACorners, TNeoGraphicsModifyRectMode) {
  if (!FGPGraphics) return;
  TNeoGraphicsPath path;
  AddRoundRect(path, ARect, ARounding, ACorners);
  FillPath(FFill.get(), &path, pdmPolygon);
}

void TNeoGraphicsContextWin::FillPath(TNeoGraphicsFill* AFill, TNeoGraphicsPath* APath,
                                      TNeoGraphicsPathDrawMode APathMode) {
  if (!FGPGraphics || !APath) return;
  if (APathMode == pdmPath) {
    FillGPPath(*ToGPPath(*APath));
    return;
  }
  TNeoGraphicsPathPolygon polygon;
  APath->FlattenToPolygon(polygon, TNeoGraphicsPath::HitTestFlatness);
  if (APathMode == pdmPolygon) FillPolygon(AFill, polygon);
  else FillPolyline(AFill, polygon);
}

// ---- Text ----

TRectF TNeoGraphicsContextWin::CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping) {
  if (!FGPGraphics) return {};
  auto format = ToGPStringFormat(gtaLeading, gtaLeading, AWordWrapping, FShowAcceleratorChar, gttNone);
  TGPRectF box;
  FGPGraphics->MeasureString(AText.data(), static_cast<Integer>(AText.size()), FGPFont.get(), GPRect(ARect),
                             format.get(), box);
  return {box.X, box.Y, box.X + box.Width, box.Y + box.Height};
}

void TNeoGraphicsContextWin::DrawText(const String& AText, const TRectF& ARect, bool AWordWrapping,
                                      TNeoGraphicsTextAlign AHorizontalAlign, TNeoGraphicsTextAlign AVerticalAlign,
                                      TNeoGraphicsTextTrimming ATrimming, Single) {
  if (!FGPGraphics) return;
  auto format = ToGPStringFormat(AHorizontalAlign, AVerticalAlign, AWordWrapping, FShowAcceleratorChar, ATrimming);
  auto brush = ToGPTextBrush(FFont.get());
  FGPGraphics->DrawString(AText, FGPFont.get(), GPRect(ARect), format.get(), brush.get());
}

TRectF TNeoGraphicsContextWin::SetTextAngle(const TRectF& ARect, Single AAngle) {
  if (AAngle == 0 || !FGPGraphics) return ARect;
  FTextMatrix = std::make_unique<TGPMatrix>();
  FGPGraphics->GetTransform(FTextMatrix.get());
  TGPMatrix turn;
  turn.Translate(ARect.Left + ARect.Width() / 2, ARect.Top + ARect.Height() / 2);
  turn.Rotate(AAngle);
  FGPGraphics->MultiplyTransform(&turn);
  Single w = ARect.Width(), h = ARect.Height();
  if (h > w) std::swap(w, h);
  return {-w / 2, -h / 2, w / 2, h / 2};
}

void TNeoGraphicsContextWin::ResetTextAngle(Single AAngle) {
  if (AAngle == 0 || !FTextMatrix) return;
  if (FGPGraphics) FGPGraphics->SetTransform(FTextMatrix.get());
  FTextMatrix.reset();
}

// ---- Pictures ----

namespace {

// An IStream reference released with its holder.
struct TStreamRelease {
  void operator()(IStream* AStream) const { AStream->Release(); }
};

}  // namespace

std::unique_ptr<TGPImage> TNeoGraphicsContextWin::CreateGPImage(TGraphic* AGraphic) {
  TMemoryStream bytes;
  AGraphic->SaveToStream(&bytes);
  const Int64 size = bytes.GetSize();
  if (size <= 0) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<std::size_t>(size));
  if (!block) throw EOutOfMemory(u"Could not allocate memory for image");
  void* target = GlobalLock(block);
  std::memcpy(target, bytes.GetMemory(), static_cast<std::size_t>(size));
  GlobalUnlock(block);
  IStream* raw = nullptr;
  if (CreateStreamOnHGlobal(block, TRUE, &raw) != S_OK || !raw) {
    GlobalFree(block);
    return nullptr;
  }
  std::unique_ptr<IStream, TStreamRelease> stream(raw);
  auto image = std::make_unique<TGPImage>(stream.get());
  if (!image->nativeImage) return nullptr;
  if (image->GetType() != ImageTypeBitmap) return image;
  const Integer width = static_cast<Integer>(image->GetWidth());
  const Integer height = static_cast<Integer>(image->GetHeight());
  auto bitmap = std::make_unique<TGPBitmap>(width, height, gdip::PixelFormat32bppARGB);
  {
    TGPGraphics target(bitmap.get());
    target.DrawImage(image.get(), 0, 0, width, height);
  }
  // A bitmap's file has no room for its transparent colour: clear those pixels here, as the
  // canvas draws them.
  if (auto* source = dynamic_cast<TBitmap*>(AGraphic); source && source->GetTransparent())
    ClearTransparentColor(bitmap.get(), source->GetTransparentColor());
  return bitmap;
}

void TNeoGraphicsContextWin::ClearTransparentColor(TGPBitmap* ABitmap, TColor AColor) {
  const COLORREF rgb = ColorToRGB(AColor);
  const ARGB key = 0xFF000000u | ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
  const TGPRect all{0, 0, static_cast<Integer>(ABitmap->GetWidth()), static_cast<Integer>(ABitmap->GetHeight())};
  BitmapData data{};
  if (ABitmap->LockBits(all, gdip::ImageLockModeRead | gdip::ImageLockModeWrite, gdip::PixelFormat32bppARGB, data) != Ok) return;
  for (UINT y = 0; y < data.Height; ++y) {
    auto* row = reinterpret_cast<ARGB*>(static_cast<Byte*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride);
    for (UINT x = 0; x < data.Width; ++x)
      if (row[x] == key) row[x] = 0;
  }
  ABitmap->UnlockBits(data);
}

void TNeoGraphicsContextWin::DrawBitmap(TGraphic* ABitmap, const TRectF&, const TRectF& ADstRect, Single) {
  if (!FGPGraphics || !ABitmap || ABitmap->GetEmpty()) return;
  std::unique_ptr<TGPImage> image = CreateGPImage(ABitmap);
  if (image) FGPGraphics->DrawImage(image.get(), GPRect(ADstRect));
}
