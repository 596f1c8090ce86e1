#include "lib/gridutil/NeoGridUtilPaint.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>
#include <vector>
#include <utility>

#include "lib/gridutil/NeoGridUtilInternal.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"

namespace {

struct TRgb {
  Integer R, G, B;
};

TRgb RgbOf(TColor Color) {
  COLORREF c = ColorToRGB(Color);
  return TRgb{static_cast<Integer>(c & 0xFF), static_cast<Integer>((c >> 8) & 0xFF),
              static_cast<Integer>((c >> 16) & 0xFF)};
}

TColor ColorOf(Integer R, Integer G, Integer B) {
  auto clip = [](Integer v) { return static_cast<TColor>(std::clamp(v, 0, 255)); };
  return clip(R) | (clip(G) << 8) | (clip(B) << 16);
}

void Fill(TCanvas* Canvas, const TRect& Rect, TColor Color) {
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->GetBrush()->SetColor(Color);
  Canvas->FillRect(Rect);
}

void HLine(TCanvas* Canvas, Integer X1, Integer X2, Integer Y, TColor Color) {
  if (X2 > X1) Fill(Canvas, TRect{X1, Y, X2, Y + 1}, Color);
}

void VLine(TCanvas* Canvas, Integer X, Integer Y1, Integer Y2, TColor Color) {
  if (Y2 > Y1) Fill(Canvas, TRect{X, Y1, X + 1, Y2}, Color);
}


}  // namespace

void PaintGradientRect(TCanvas* Canvas, TColor ColorFrom, TColor ColorTo, bool Horizontal, TRect Rect, Integer Steps) {
  if (!Canvas || Rect.bottom == Rect.top || Rect.right <= Rect.left) return;
  if (Rect.bottom < Rect.top) std::swap(Rect.top, Rect.bottom);
  if (ColorFrom == clNone || ColorTo == clNone) {
    TColor c = ColorFrom == clNone ? ColorTo : ColorFrom;
    if (c != clNone) Fill(Canvas, Rect, c);
    return;
  }
  TRgb from = RgbOf(ColorFrom), to = RgbOf(ColorTo);
  // Offsets in 64 bits: a rect may span nearly the whole integer range.
  const Int64 first = Horizontal ? Rect.left : Rect.top, end = Horizontal ? Rect.right : Rect.bottom;
  const Int64 size = end - first - 1;
  const Int64 steps = std::max<Int64>(1, std::min<Int64>(Steps, size));
  const auto length = static_cast<Int64>(static_cast<Double>(size) / static_cast<Double>(steps) + 1);
  for (Int64 i = 0; i <= steps; ++i) {
    auto blend = [&](Integer a, Integer b) {
      return a + static_cast<Integer>(Round(Double(i) * (b - a) / Double(steps)));
    };
    TColor c = ColorOf(blend(from.R, to.R), blend(from.G, to.G), blend(from.B, to.B));
    const Int64 start = first + i * size / steps, stop = std::min(end, start + length);
    if (stop <= start) continue;
    const auto a = static_cast<Integer>(start), z = static_cast<Integer>(stop);
    Fill(Canvas, Horizontal ? TRect{a, Rect.top, z, Rect.bottom} : TRect{Rect.left, a, Rect.right, z}, c);
  }
}

void PaintFacedRect(TCanvas* Canvas, TRect Rect, TColor Color, bool AFill, bool VerticalLinesOnly, TColor BorderColor,
                    bool Horizontal, TColor MirrorFrom, TColor MirrorTo, TColor ColorTo) {
  if (!Canvas || Rect.bottom == Rect.top || Rect.right <= Rect.left) return;
  if (Rect.bottom < Rect.top) std::swap(Rect.top, Rect.bottom);
  if (AFill && Color != clNone) {
    if (MirrorFrom != clNone) {
      TRect upper = Rect, lower = Rect;
      upper.bottom = lower.top = GridUtilInternal::Middle(Rect.top, Rect.bottom);
      PaintGradientRect(Canvas, Color, ColorTo, Horizontal, upper, 128);
      PaintGradientRect(Canvas, MirrorFrom, MirrorTo, Horizontal, lower, 128);
    } else {
      PaintGradientRect(Canvas, Color, ColorTo, Horizontal, Rect, 128);
    }
  }
  if (BorderColor == clNone) return;
  VLine(Canvas, Rect.left, Rect.top, Rect.bottom, BorderColor);
  VLine(Canvas, Rect.right - 1, Rect.top, Rect.bottom, BorderColor);
  if (VerticalLinesOnly) return;
  HLine(Canvas, Rect.left, Rect.right, Rect.top, BorderColor);
  HLine(Canvas, Rect.left, Rect.right, Rect.bottom - 1, BorderColor);
}

void PaintTabShape(TCanvas* Canvas, TColor Color, TColor ColorTo, Integer Kind, TRect Rect, TColor InnerLowerColor,
                   TColor CornerColor, TColor OuterColor, TColor InnerUpperColor, TColor BorderColor, TColor MirrorTo,
                   TColor MirrorFrom) {
  if (!Canvas || Int64(Rect.right) - 1 - Rect.left < 4 || Int64(Rect.bottom) - 2 - Rect.top < 4) return;
  bool left = Kind == 0 || Kind == 1, right = Kind == 0 || Kind == 2;
  Rect.bottom -= 2;
  Rect.right -= 1;
  Integer l = Rect.left, t = Rect.top, r = Rect.right, b = Rect.bottom;
  Integer mid = GridUtilInternal::Middle(t, b);
  // Inner lines.
  HLine(Canvas, l, r, t + 1, InnerUpperColor);
  VLine(Canvas, l + 1, t + 1, mid, InnerUpperColor);
  VLine(Canvas, r - 2, t + 1, mid, InnerUpperColor);
  HLine(Canvas, l, r, b - 1, InnerLowerColor);
  VLine(Canvas, l + 1, mid, b, InnerLowerColor);
  VLine(Canvas, r - 2, mid, b, InnerLowerColor);
  // The outline, shortened at the curved sides.
  Integer x1 = l + (left ? 2 : 0), x2 = r - (right ? 2 : 0);
  HLine(Canvas, x1, x2, t, BorderColor);
  HLine(Canvas, x1, x2, b, BorderColor);
  VLine(Canvas, l, t + 2, b, BorderColor);
  VLine(Canvas, r - 1, t + 2, b, BorderColor);
  auto corners = [&](Integer X, Integer Inward) {
    Canvas->SetPixels(X + Inward, t, CornerColor);
    Canvas->SetPixels(X, t + 1, CornerColor);
    Canvas->SetPixels(X + Inward, t + 1, CornerColor);
    Canvas->SetPixels(X, t, OuterColor);
    Canvas->SetPixels(X + Inward, b, CornerColor);
    Canvas->SetPixels(X, b - 1, CornerColor);
    Canvas->SetPixels(X + Inward, b - 1, CornerColor);
    Canvas->SetPixels(X, b, OuterColor);
  };
  if (left) corners(l, 1);
  if (right) corners(r - 1, -1);
  // The inside.
  TRect inside{l + 2, t + 2, r - 2, b - 1};
  if (inside.right <= inside.left || inside.bottom <= inside.top) return;
  if (ColorTo == clNone) {
    Fill(Canvas, inside, Color);
  } else if (MirrorFrom == clNone && MirrorTo == clNone) {
    PaintGradientRect(Canvas, Color, ColorTo, false, inside, 16);
  } else {
    TRect upper = inside, lower = inside;
    upper.bottom = lower.top = GridUtilInternal::Middle(inside.top, inside.bottom);
    PaintGradientRect(Canvas, Color, ColorTo, false, upper, 16);
    PaintGradientRect(Canvas, MirrorFrom, MirrorTo, false, lower, 16);
  }
}

TColor BlendStepColor(TColor ColorFrom, TColor ColorTo, Integer First, Integer Value, Integer Last) {
  if (ColorTo == clNone || Last == First) return ColorFrom;
  TRgb from = RgbOf(ColorFrom), to = RgbOf(ColorTo);
  auto blend = [&](Integer a, Integer b) {
    return a + static_cast<Integer>(Round(Double(b - a) / (Last - First) * Value));
  };
  return ColorOf(blend(from.R, to.R), blend(from.G, to.G), blend(from.B, to.B));
}

TColor HalveColor(TColor Color) {
  TRgb c = RgbOf(Color);
  return ColorOf(c.R / 2, c.G / 2, c.B / 2);
}

TColor ShiftColorPercent(TColor Color, Integer Percent) {
  TRgb c = RgbOf(Color);
  auto shift = [&](Integer v) { return static_cast<Integer>(Round(Double(v) * Percent / 100 + v)); };
  return ColorOf(shift(c.R), shift(c.G), shift(c.B));
}

void FillRectColor(TCanvas* Canvas, TRect Rect, TColor Color) {
  if (!Canvas || Color == clNone || Rect.right <= Rect.left || Rect.bottom <= Rect.top) return;
  Fill(Canvas, Rect, Color);
}

void PaintDropTriangle(TCanvas* Canvas, Integer X, Integer Y, TColor Color) {
  if (!Canvas) return;
  for (Integer row = 0; row < 3; ++row) HLine(Canvas, X + row, X + 6 - row, Y + row, Color);
}

void PaintBalanceBar(TCanvas* Canvas, TRect Rect, Integer Value, TColor PositiveColor, TColor NegativeColor,
                     bool ShowText, Integer Maximum) {
  if (!Canvas || Maximum <= 0) return;
  if (!GridUtilInternal::Shrink(Rect, 2)) return;
  Value = std::clamp(Value, -Maximum, Maximum);
  Integer half = static_cast<Integer>((Int64(Rect.right) - Rect.left) / 2), centre = Rect.left + half;
  Integer width = static_cast<Integer>(Round(Double(half) * Value / Maximum));
  if (width > 0) FillRectColor(Canvas, TRect{centre, Rect.top, centre + width, Rect.bottom}, PositiveColor);
  if (width < 0) FillRectColor(Canvas, TRect{centre + width, Rect.top, centre, Rect.bottom}, NegativeColor);
  if (!ShowText) return;
  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->TextRect(Rect, IntToStr(Value), TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine});
  Canvas->GetBrush()->SetStyle(bsSolid);
}

void PaintPieChart(TCanvas* Canvas, TRect Rect, TColor Color, bool FloodUp, Integer Percentage) {
  if (!Canvas || Int64(Rect.right) - Rect.left < 3 || Int64(Rect.bottom) - Rect.top < 3) return;
  const TColor grey = 0x808080;
  Canvas->GetPen()->SetColor(grey);
  Canvas->GetPen()->SetWidth(1);
  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->Ellipse(Rect);
  Integer cx = GridUtilInternal::Middle(Rect.left, Rect.right), cy = GridUtilInternal::Middle(Rect.top, Rect.bottom);
  Double rx = (Double(Rect.right) - Rect.left) / 2.0, ry = (Double(Rect.bottom) - Rect.top) / 2.0;
  Canvas->MoveTo(cx, cy);
  Canvas->LineTo(cx, Rect.top);
  Percentage = std::clamp(Percentage, 0, 100);
  Double sign = FloodUp ? 1.0 : -1.0;
  auto at = [&](Double Angle, Double Part) {
    return TPoint{cx + static_cast<Integer>(Round(sign * std::sin(Angle) * rx * Part)),
                  cy - static_cast<Integer>(Round(std::cos(Angle) * ry * Part))};
  };
  Double angle = Percentage * 2 * std::numbers::pi / 100;
  TPoint end = at(angle, 1.0);
  Canvas->MoveTo(cx, cy);
  Canvas->LineTo(end.x, end.y);
  Canvas->GetBrush()->SetStyle(bsSolid);
  if (Percentage == 0) return;
  TPoint seed = at(angle / 2, 0.5);
  if (Canvas->GetPixels(seed.x, seed.y) == grey) return;  // sector too thin to hold a seed
  Canvas->GetBrush()->SetColor(Color);
  Canvas->FloodFill(seed.x, seed.y, grey, fsBorder);
}

namespace {

// The ten points of a star inside Box, the first straight up, stepping clockwise by pi / 5.
std::vector<TPoint> StarPoints(const TRect& Box) {
  Double cx = (Double(Box.left) + Box.right - 1) / 2.0, cy = (Double(Box.top) + Box.bottom - 1) / 2.0;
  Double rx = (Double(Box.right) - Box.left - 1) / 2.0, ry = (Double(Box.bottom) - Box.top - 1) / 2.0;
  std::vector<TPoint> points;
  for (Integer k = 0; k < 10; ++k) {
    Double part = k % 2 == 0 ? 1.0 : 0.4, angle = k * std::numbers::pi / 5;
    points.push_back(TPoint{static_cast<Integer>(Round(cx + std::sin(angle) * rx * part)),
                            static_cast<Integer>(Round(cy - std::cos(angle) * ry * part))});
  }
  return points;
}

// An arrow filling Box pointing up, turned by Turn quarter turns clockwise.
std::vector<TPoint> ArrowPoints(const TRect& Box, Integer Turn) {
  // Unit outline (x, y in 0..6, pointing up): head over the upper half, shaft a third wide.
  static const Integer unit[7][2] = {{3, 0}, {6, 3}, {4, 3}, {4, 6}, {2, 6}, {2, 3}, {0, 3}};
  const Int64 w = Int64(Box.right) - Box.left - 1, h = Int64(Box.bottom) - Box.top - 1;
  std::vector<TPoint> points;
  for (const auto& p : unit) {
    Integer x = p[0], y = p[1];
    for (Integer i = 0; i < Turn; ++i) std::tie(x, y) = std::pair{6 - y, x};
    points.push_back(TPoint{static_cast<Integer>(Box.left + x * w / 6), static_cast<Integer>(Box.top + y * h / 6)});
  }
  return points;
}

}  // namespace

void PaintCellShape(TCanvas* Canvas, TRect Rect, TColor PenColor, TColor BrushColor, TCellShape Shape, Integer Width,
                    Integer Height) {
  if (!Canvas || Width <= 0 || Height <= 0 || Rect.right <= Rect.left || Rect.bottom <= Rect.top) return;
  if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare) Width = Height = std::min(Width, Height);
  // A figure larger than its cell is cut at the cell's edges.
  Width = static_cast<Integer>(std::min<Int64>(Width, Int64(Rect.right) - Rect.left));
  Height = static_cast<Integer>(std::min<Int64>(Height, Int64(Rect.bottom) - Rect.top));
  GridUtilInternal::TClipTo clip(Canvas, Rect);
  Integer left = static_cast<Integer>(Rect.left + (Int64(Rect.right) - Rect.left - Width) / 2);
  Integer top = static_cast<Integer>(Rect.top + (Int64(Rect.bottom) - Rect.top - Height) / 2);
  TRect box{left, top, left + Width, top + Height};
  Integer r = box.right - 1, b = box.bottom - 1, cx = left + (Width - 1) / 2, cy = top + (Height - 1) / 2;
  Canvas->GetPen()->SetColor(PenColor == clNone ? BrushColor : PenColor);
  Canvas->GetPen()->SetWidth(1);
  Canvas->GetBrush()->SetStyle(BrushColor == clNone ? bsClear : bsSolid);
  if (BrushColor != clNone) Canvas->GetBrush()->SetColor(BrushColor);
  Integer corner = std::max(2, std::min(Width, Height) / 3);
  switch (Shape) {
    case csRectangle:
    case csSquare: Canvas->Rectangle(box); break;
    case csCircle:
    case csEllips: Canvas->Ellipse(box); break;
    case csRoundRect:
    case csRoundSquare: Canvas->RoundRect(box, corner, corner); break;
    case csTriangleLeft: Canvas->Polygon({{r, box.top}, {r, b}, {box.left, cy}}); break;
    case csTriangleRight: Canvas->Polygon({{box.left, box.top}, {box.left, b}, {r, cy}}); break;
    case csTriangleUp: Canvas->Polygon({{box.left, b}, {r, b}, {cx, box.top}}); break;
    case csTriangleDown: Canvas->Polygon({{box.left, box.top}, {r, box.top}, {cx, b}}); break;
    case csDiamond: Canvas->Polygon({{cx, box.top}, {r, cy}, {cx, b}, {box.left, cy}}); break;
    case csLineVert:
      Canvas->MoveTo(cx, box.top);
      Canvas->LineTo(cx, box.bottom);
      break;
    case csLineHorz:
      Canvas->MoveTo(box.left, cy);
      Canvas->LineTo(box.right, cy);
      break;
    case csStar: Canvas->Polygon(StarPoints(box)); break;
    case csHalfStar: {
      // The left half: from the inner point straight down round to the top point.
      std::vector<TPoint> star = StarPoints(box);
      Canvas->Polygon({star[5], star[6], star[7], star[8], star[9], star[0]});
      break;
    }
    case csArrowUp: Canvas->Polygon(ArrowPoints(box, 0)); break;
    case csArrowRight: Canvas->Polygon(ArrowPoints(box, 1)); break;
    case csArrowDown: Canvas->Polygon(ArrowPoints(box, 2)); break;
    case csArrowLeft: Canvas->Polygon(ArrowPoints(box, 3)); break;
  }
  Canvas->GetBrush()->SetStyle(bsSolid);
}

Single ControlDpiScale(TControl* Control) {
  TCustomForm* form = Control ? GetParentForm(Control) : nullptr;
  if (!form || !form->GetScaled()) return 1;
  TMonitor* monitor = form->GetMonitor();
  return monitor ? static_cast<Single>(monitor->GetPixelsPerInch()) / 96 : 1;
}
