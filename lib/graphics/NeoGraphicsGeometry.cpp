// Rectangle, point, polygon and colour routines of the graphics layer.
#include <algorithm>
#include <cmath>

#include "lib/base/NeoUtils.h"
#include "lib/graphics/NeoGraphicsInternal.h"
#include "lib/graphics/NeoGraphicsTypes.h"

using NeoGraphicsInternal::NearestInt;

Single RectFWidth(const TRectF& R) { return R.Width(); }
Single RectFHeight(const TRectF& R) { return R.Height(); }

TRectF RectFOffset(const TRectF& R, Single DX, Single DY) {
  TRectF r = R;
  return r.Offset(DX, DY);
}

TRectF RectFInflate(const TRectF& R, Single DX, Single DY) {
  TRectF r = R;
  return r.Inflate(DX, DY);
}

bool RectFContainsPoint(const TRectF& R, TPointF P) { return R.Contains(P); }
bool RectFEqual(const TRectF& A, const TRectF& B) { return A == B; }
bool RectFIsEmpty(const TRectF& R) { return R.IsEmpty(); }
TRectF RectFIntersect(const TRectF& R, const TRectF& Clip) { return TRectF::Intersect(R, Clip); }

void RectFCenterIn(TRectF& R, const TRectF& Bounds) {
  const Single dx = std::nearbyint((Bounds.Width() - R.Width()) / 2);
  const Single dy = std::nearbyint((Bounds.Height() - R.Height()) / 2);
  R.Offset(-R.Left, -R.Top);
  R.Offset(dx, dy);
  R.Offset(Bounds.Left, Bounds.Top);
}

TRectF RectFCentered(const TRectF& R, const TRectF& Bounds) {
  TRectF r = R;
  RectFCenterIn(r, Bounds);
  return r;
}

TRectF RectFFitInto(const TRectF& R, const TRectF& Bounds, Single& Ratio) {
  if (!(Bounds.Width() > 0 && Bounds.Height() > 0)) {
    Ratio = 1;
    return R;
  }
  Ratio = std::max(R.Height() / Bounds.Height(), R.Width() / Bounds.Width());
  return RectFCentered(RectF(0, 0, R.Width() / Ratio, R.Height() / Ratio), Bounds);
}

TRectF RectFFitInto(const TRectF& R, const TRectF& Bounds) {
  Single ratio;
  return RectFFitInto(R, Bounds, ratio);
}

TRectF RectFSnapToPixels(const TRectF& R, bool AHalf, Single Scale) {
  const Single s = Scale > 0 ? Scale : 1;   // NaN fails the test too
  TRectF r;
  r.Left = std::trunc(R.Left * s) / s;
  r.Top = std::trunc(R.Top * s) / s;
  r.Right = r.Left + std::nearbyint(s * (R.Right - R.Left)) / s;
  r.Bottom = r.Top + std::nearbyint(s * (R.Bottom - R.Top)) / s;
  if (AHalf) r.Offset(1 / (2 * s), 1 / (2 * s));
  return r;
}

TRect RectFToRect(const TRectF& R) {
  return TRect{NearestInt(R.Left), NearestInt(R.Top), NearestInt(R.Right), NearestInt(R.Bottom)};
}

TRectF RectToRectF(const TRect& R) {
  return RectF(static_cast<Single>(R.left), static_cast<Single>(R.top), static_cast<Single>(R.right),
               static_cast<Single>(R.bottom));
}

TPointF PointToPointF(const TPoint& P) { return PointF(static_cast<Single>(P.x), static_cast<Single>(P.y)); }
TSize SizeFToSize(const TSizeF& S) { return TSize{NearestInt(S.cx), NearestInt(S.cy)}; }
TRect RectCopy(const TRect& R) { return R; }
Single VectorLength(TPointF V) { return std::sqrt(V.X * V.X + V.Y * V.Y); }

TRectF ModifyRectF(const TRectF& R, TNeoGraphicsModifyRectMode Mode) {
  (void)Mode;
  return R;
}

TGraphic* GetPictureGraphic(TPicture* Picture) { return Picture ? Picture->GetGraphic() : nullptr; }

bool PolygonPointInRect(const TNeoGraphicsPathPolygon& Polygon, const TRectF& R) {
  return std::any_of(Polygon.begin(), Polygon.end(), [&](TPointF p) { return R.Contains(p); });
}

bool PointInPolygon(TPointF P, const TNeoGraphicsPathPolygon& Polygon) {
  if (Polygon.empty()) return false;
  Single minX = Polygon[0].X, maxX = minX, minY = Polygon[0].Y, maxY = minY;
  for (const TPointF& q : Polygon) {
    minX = std::min(minX, q.X);
    maxX = std::max(maxX, q.X);
    minY = std::min(minY, q.Y);
    maxY = std::max(maxY, q.Y);
  }
  if (P.X < minX || P.X > maxX || P.Y < minY || P.Y > maxY) return false;
  bool inside = false;
  std::size_t j = Polygon.size() - 1;
  for (std::size_t i = 0; i < Polygon.size(); j = i++) {
    const TPointF& pi = Polygon[i];
    const TPointF& pj = Polygon[j];
    if ((pi.Y <= P.Y) != (pj.Y <= P.Y) && pj.Y != pi.Y) {
      const Single x = pi.X + (P.Y - pi.Y) * (pj.X - pi.X) / (pj.Y - pi.Y);
      if (P.X < x) inside = !inside;
    }
  }
  return inside;
}

TColor RGBToGraphicsColor(Byte R, Byte G, Byte B) {
  return static_cast<TColor>(R | (static_cast<Cardinal>(G) << 8) | (static_cast<Cardinal>(B) << 16));
}

TColor LightenColor(TColor Color, Integer Percent) {
  const COLORREF rgb = ColorToRGB(Color);
  Byte channels[3];
  for (int i = 0; i < 3; ++i) {
    const Integer c = static_cast<Integer>((rgb >> (8 * i)) & 0xFF);
    const Integer increment = std::min(TNeoUtils::MulDivInt(255 - c, Percent, 100), 255);
    channels[i] = static_cast<Byte>(c + increment);
  }
  return RGBToGraphicsColor(channels[0], channels[1], channels[2]);
}
