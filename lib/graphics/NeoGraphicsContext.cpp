// The drawing back end interface: path conversion shared by every back end.
#include "lib/graphics/NeoGraphics.h"

Pointer TNeoGraphicsContext::ConvertToPath(const TNeoGraphicsPath* APath, Single Flatness) {
  Pointer path = CreatePath();
  if (!APath || APath->GetCount() == 0) return path;
  const Single flatness = TNeoGraphicsPath::EffectiveFlatness(Flatness);
  TPointF current;
  const Integer count = APath->GetCount();
  for (Integer i = 0; i < count; ++i) {
    const TNeoGraphicsPathPoint& p = APath->GetPoint(i);
    switch (p.Kind) {
      case gppMoveTo:
        PathOpen(path);
        PathMoveTo(path, p.Point);
        current = p.Point;
        break;
      case gppLineTo:
        PathLineTo(path, p.Point);
        current = p.Point;
        break;
      case gppCurveTo: {
        const TNeoGraphicsPathCubicBezier curve = APath->CurveAt(current, i);
        const Integer n = TNeoGraphicsPath::CurveSampleCount(curve, flatness);
        if (n >= 2) {
          for (const TPointF& q : TNeoGraphicsPath::CreateBezier(curve, n)) PathLineTo(path, q);
        } else {
          PathLineTo(path, curve[3]);
        }
        current = curve[3];
        i += 2;
        break;
      }
      case gppClose:
        PathClose(path);
        break;
    }
  }
  return path;
}
