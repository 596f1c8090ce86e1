#include "lib/gridutil/NeoGridUtilPaint.h"

#include <algorithm>
#include <utility>

#include "platform/rtl/Math.h"

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
  if (Rect.bottom == Rect.top) return;
  if (Rect.bottom < Rect.top) std::swap(Rect.top, Rect.bottom);
  if (ColorFrom == clNone || ColorTo == clNone) {
    TColor c = ColorFrom == clNone ? ColorTo : ColorFrom;
    if (c != clNone) Fill(Canvas, Rect, c);
    return;
  }
  TRgb from = RgbOf(ColorFrom), to = RgbOf(ColorTo);
  Integer size = Horizontal ? Rect.right - Rect.left - 1 : Rect.bottom - Rect.top - 1;
  Integer steps = std::max(1, std::min(Steps, size));
  Integer end = Horizontal ? Rect.right : Rect.bottom;
  Integer length = static_cast<Integer>(static_cast<Double>(size) / steps + 1);
  for (Integer i = 0; i <= steps; ++i) {
    auto blend = [&](Integer a, Integer b) { return a + static_cast<Integer>(Round(Double(i) * (b - a) / steps)); };
    TColor c = ColorOf(blend(from.R, to.R), blend(from.G, to.G), blend(from.B, to.B));
    Integer start = (Horizontal ? Rect.left : Rect.top) + static_cast<Integer>(Int64(i) * size / steps);
    Integer stop = std::min(end, start + length);
    if (stop <= start) continue;
    Fill(Canvas, Horizontal ? TRect{start, Rect.top, stop, Rect.bottom} : TRect{Rect.left, start, Rect.right, stop}, c);
  }
}

void PaintFacedRect(TCanvas* Canvas, TRect Rect, TColor Color, bool AFill, bool VerticalLinesOnly, TColor BorderColor,
                    bool Horizontal, TColor MirrorFrom, TColor MirrorTo, TColor ColorTo) {
  if (AFill && Color != clNone) {
    if (MirrorFrom != clNone) {
      TRect upper = Rect, lower = Rect;
      upper.bottom = lower.top = Rect.top + (Rect.bottom - Rect.top) / 2;
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
  bool left = Kind == 0 || Kind == 1, right = Kind == 0 || Kind == 2;
  Rect.bottom -= 2;
  Rect.right -= 1;
  Integer l = Rect.left, t = Rect.top, r = Rect.right, b = Rect.bottom;
  if (r - l < 4 || b - t < 4) return;
  Integer mid = t + (b - t) / 2;
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
    upper.bottom = lower.top = inside.top + (inside.bottom - inside.top) / 2;
    PaintGradientRect(Canvas, Color, ColorTo, false, upper, 16);
    PaintGradientRect(Canvas, MirrorFrom, MirrorTo, false, lower, 16);
  }
}
