// The vector path of the graphics layer: building, bounds, transformation and flattening.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "lib/graphics/NeoGraphicsInternal.h"
#include "lib/graphics/NeoGraphicsTypes.h"

using NeoGraphicsInternal::NearestInt;

namespace {

constexpr Double Pi = std::numbers::pi;
// Kappa: the control distance of a quarter ellipse as a share of its radius.
constexpr Single EllipseKappa = 0.5522848f;
// An arc's segment is the last one once the sweep left is within this of a quarter turn.
constexpr Double ArcSegmentTolerance = 0.01;
// Polygon points within this of the previous one are dropped.
constexpr Single PolygonPointTolerance = 0.001f;
// A flat bounding box is widened to this.
constexpr Single MinBoundsExtent = 0.001f;

bool SamePoint(TPointF A, TPointF B) { return A.X == B.X && A.Y == B.Y; }

// Appends P unless the polygon's last point lies within the tolerance in both coordinates.
void AppendPolygonPoint(TNeoGraphicsPathPolygon& Polygon, TPointF P) {
  if (!Polygon.empty()) {
    const TPointF& last = Polygon.back();
    if (std::fabs(last.X - P.X) <= PolygonPointTolerance && std::fabs(last.Y - P.Y) <= PolygonPointTolerance) return;
  }
  Polygon.push_back(P);
}

}  // namespace

TNeoGraphicsPath::TNeoGraphicsPath() : FPoints(std::make_unique<TNeoGraphicsPathPoints>()) {}

TNeoGraphicsPath::~TNeoGraphicsPath() = default;

void TNeoGraphicsPath::Assign(TPersistent* Source) {
  if (auto* path = dynamic_cast<TNeoGraphicsPath*>(Source)) {
    if (path == this) return;
    FPoints->Clear();
    FPoints->AddRange(*path->FPoints);
    return;
  }
  TPersistent::Assign(Source);
}

void TNeoGraphicsPath::Clear() { FPoints->Clear(); }

TPointF TNeoGraphicsPath::LastPoint() const {
  return FPoints->GetCount() == 0 ? TPointF() : FPoints->Last().Point;
}

void TNeoGraphicsPath::MoveTo(TPointF P) {
  Append(gppMoveTo, P);
  FStartPoint = P;
}

void TNeoGraphicsPath::LineTo(TPointF P) {
  Append(gppLineTo, P);
  if (SamePoint(P, FStartPoint)) FClippable = true;
}

void TNeoGraphicsPath::CurveTo(TPointF ControlPoint1, TPointF ControlPoint2, TPointF EndPoint) {
  Append(gppCurveTo, ControlPoint1);
  Append(gppCurveTo, ControlPoint2);
  Append(gppCurveTo, EndPoint);
}

void TNeoGraphicsPath::QuadCurveTo(TPointF ControlPoint, TPointF EndPoint) {
  const TPointF last = LastPoint();
  const TPointF c1{last.X / 3 + 2 * ControlPoint.X / 3, last.Y / 3 + 2 * ControlPoint.Y / 3};
  const TPointF c2{2 * ControlPoint.X / 3 + EndPoint.X / 3, 2 * ControlPoint.Y / 3 + EndPoint.Y / 3};
  CurveTo(c1, c2, EndPoint);
}

void TNeoGraphicsPath::SmoothCurveTo(TPointF ControlPoint2, TPointF EndPoint) {
  TPointF c1 = ControlPoint2;
  const Integer n = FPoints->GetCount();
  if (n >= 3) {
    const TPointF last = FPoints->GetItem(n - 1).Point;
    const TPointF before = FPoints->GetItem(n - 2).Point;
    c1 = last + (last - before);
  }
  CurveTo(c1, ControlPoint2, EndPoint);
}

void TNeoGraphicsPath::ClosePath() {
  Append(gppClose, FStartPoint);
  FClippable = true;
}

void TNeoGraphicsPath::AddPath(const TNeoGraphicsPath* APath) {
  if (!APath) return;
  // A copy first: the path may be this one.
  const std::vector<TNeoGraphicsPathPoint> points = APath->FPoints->ToArray();
  FPoints->AddRange(points);
}

void TNeoGraphicsPath::AddPolygon(const TNeoGraphicsPathPolygon& APolygon) {
  for (const TPointF& p : APolygon) LineTo(p);
}

void TNeoGraphicsPath::AddLine(TPointF StartPoint, TPointF EndPoint) {
  if (GetCount() > 0) LineTo(StartPoint);
  else MoveTo(StartPoint);
  LineTo(EndPoint);
}

void TNeoGraphicsPath::AddRectangle(const TRectF& ARect, Single ARoundingX, Single ARoundingY) {
  const Single l = ARect.Left, t = ARect.Top, r = ARect.Right, b = ARect.Bottom;
  if (ARoundingX == 0 && ARoundingY == 0) {
    MoveTo({l, t});
    LineTo({r, t});
    LineTo({r, b});
    LineTo({l, b});
  } else {
    const Single rx = ARoundingX, ry = ARoundingY;
    const TPointF radius{rx, ry};
    MoveTo({l + rx, b});
    AddArc({l + rx, b - ry}, radius, -270, 90);
    LineTo({l, b - ry});
    LineTo({l, t + ry});
    AddArc({l + rx, t + ry}, radius, -180, 90);
    LineTo({l + rx, t});
    LineTo({r - rx, t});
    AddArc({r - rx, t + ry}, radius, -90, 90);
    LineTo({r, t + ry});
    LineTo({r, b - ry});
    AddArc({r - rx, b - ry}, radius, 0, 90);
    LineTo({r - rx, b});
    LineTo({l + rx, b});
  }
  ClosePath();
  FClippable = true;
}

void TNeoGraphicsPath::AddEllipse(const TRectF& ARect) {
  const Single l = ARect.Left, t = ARect.Top, r = ARect.Right, b = ARect.Bottom;
  const Single cx = (l + r) / 2, cy = (t + b) / 2;
  const Single kx = (r - l) / 2 * EllipseKappa;
  const Single ky = (b - t) / 2 * EllipseKappa;
  MoveTo({l, cy});
  CurveTo({l, cy - ky}, {cx - kx, t}, {cx, t});
  CurveTo({cx + kx, t}, {r, cy - ky}, {r, cy});
  CurveTo({r, cy + ky}, {cx + kx, b}, {cx, b});
  CurveTo({cx - kx, b}, {l, cy + ky}, {l, cy});
  FClippable = true;
}

void TNeoGraphicsPath::AddArc(TPointF Center, TPointF Radius, Single StartAngle, Single SweepAngle) {
  Double s = StartAngle * Pi / 180;
  s -= 2 * Pi * std::trunc(s / (2 * Pi));
  const Double w = std::clamp(SweepAngle * Pi / 180, -2 * Pi, 2 * Pi);
  if (!(std::fabs(w) >= 1E-10)) return;   // also for a NaN sweep
  const Double direction = w < 0 ? -1 : 1;
  // Each segment's unit-circle cubic, symmetric about the x axis, turned into place.
  auto point = [&](Double x, Double y, Double angle) {
    const Double c = std::cos(angle), sn = std::sin(angle);
    return TPointF{static_cast<Single>(Center.X + Radius.X * (x * c - y * sn)),
                   static_cast<Single>(Center.Y + Radius.Y * (x * sn + y * c))};
  };
  Double swept = 0;
  bool first = true;
  for (bool last = false; !last;) {
    const Double before = swept;
    swept += direction * Pi / 2;
    Double g;
    if (direction * (w - swept) > ArcSegmentTolerance) {
      g = direction * Pi / 2;
    } else {
      g = w - before;
      last = true;
    }
    const Double t = g / 2;
    const Double cosT = std::cos(t), sinT = std::sin(t);
    const Double y1 = (1 - cosT) * (3 - cosT) / (3 * sinT);
    const Double x1 = (4 - cosT) / 3;
    const Double turn = s + t;
    if (first) {
      const TPointF p0 = point(cosT, -sinT, turn);
      if (GetCount() > 0) LineTo(p0);
      else MoveTo(p0);
      first = false;
    }
    CurveTo(point(x1, -y1, turn), point(x1, y1, turn), point(cosT, sinT, turn));
    s += g;
  }
}

TRectF TNeoGraphicsPath::GetBounds() const {
  bool seeded = false;
  TRectF r;
  for (const TNeoGraphicsPathPoint& p : *FPoints) {
    if (p.Kind == gppClose) continue;
    if (!seeded) {
      r = RectF(p.Point.X, p.Point.Y, p.Point.X, p.Point.Y);
      seeded = true;
      continue;
    }
    r.Left = std::min(r.Left, p.Point.X);
    r.Top = std::min(r.Top, p.Point.Y);
    r.Right = std::max(r.Right, p.Point.X);
    r.Bottom = std::max(r.Bottom, p.Point.Y);
  }
  if (!seeded) return TRectF();
  if (std::fabs(r.Width()) <= MinBoundsExtent) r.Right = r.Left + MinBoundsExtent;
  if (std::fabs(r.Height()) <= MinBoundsExtent) r.Bottom = r.Top + MinBoundsExtent;
  return r;
}

void TNeoGraphicsPath::ApplyMatrix(const TNeoGraphicsMatrix& AMatrix) {
  std::vector<TNeoGraphicsPathPoint> points = FPoints->ToArray();
  for (TNeoGraphicsPathPoint& p : points)
    if (p.Kind != gppClose) p.Point = p.Point * AMatrix;
  FPoints->Clear();
  FPoints->AddRange(points);
}

TNeoGraphicsPathCubicBezier TNeoGraphicsPath::CurveAt(TPointF Current, Integer AIndex) const {
  // A curve cut short at the end of the list ends at its last point present.
  auto at = [&](Integer i) { return FPoints->GetItem(std::min(i, GetCount() - 1)).Point; };
  return {Current, at(AIndex), at(AIndex + 1), at(AIndex + 2)};
}

void TNeoGraphicsPath::Flatten(Single Flatness) {
  TNeoGraphicsPath source;
  source.Assign(this);
  Clear();
  TPointF current;
  const Integer count = source.GetCount();
  for (Integer i = 0; i < count; ++i) {
    const TNeoGraphicsPathPoint& p = source.GetPoint(i);
    switch (p.Kind) {
      case gppMoveTo:
        MoveTo(p.Point);
        current = p.Point;
        break;
      case gppLineTo:
        LineTo(p.Point);
        current = p.Point;
        break;
      case gppCurveTo: {
        const TNeoGraphicsPathCubicBezier curve = source.CurveAt(current, i);
        const Integer n = CurveSampleCount(curve, Flatness);
        if (n > 1) {
          for (const TPointF& q : CreateBezier(curve, n)) LineTo(q);
        } else {
          LineTo(curve[3]);
        }
        current = curve[3];
        i += 2;
        break;
      }
      case gppClose:
        ClosePath();
        break;
    }
  }
}

void TNeoGraphicsPath::FlattenToPolygon(TNeoGraphicsPathPolygon& Polygon, Single Flatness) const {
  Polygon.clear();
  TPointF current, figureStart;
  const Integer count = GetCount();
  for (Integer i = 0; i < count; ++i) {
    const TNeoGraphicsPathPoint& p = FPoints->GetItem(i);
    switch (p.Kind) {
      case gppMoveTo:
        AppendPolygonPoint(Polygon, p.Point);
        current = figureStart = p.Point;
        break;
      case gppLineTo:
        AppendPolygonPoint(Polygon, p.Point);
        current = p.Point;
        break;
      case gppCurveTo: {
        const TNeoGraphicsPathCubicBezier curve = CurveAt(current, i);
        const Integer n = CurveSampleCount(curve, Flatness);
        if (n > 1) {
          for (const TPointF& q : CreateBezier(curve, n)) AppendPolygonPoint(Polygon, q);
        } else {
          AppendPolygonPoint(Polygon, current);
          AppendPolygonPoint(Polygon, curve[3]);
        }
        current = curve[3];
        i += 2;
        break;
      }
      case gppClose:
        AppendPolygonPoint(Polygon, figureStart);
        break;
    }
  }
}

bool TNeoGraphicsPath::IsPointVisible(TPointF P) const {
  TNeoGraphicsPathPolygon polygon;
  FlattenToPolygon(polygon, HitTestFlatness);
  return PointInPolygon(P, polygon);
}

bool TNeoGraphicsPath::IsRectVisible(const TRectF& R) const {
  TNeoGraphicsPathPolygon polygon;
  FlattenToPolygon(polygon, HitTestFlatness);
  return PolygonPointInRect(polygon, R);
}

TNeoGraphicsBezierCoefficients TNeoGraphicsPath::BezierCoefficients(const TNeoGraphicsPathCubicBezier& Bezier) {
  const TPointF& p0 = Bezier[0];
  const TPointF& p1 = Bezier[1];
  const TPointF& p2 = Bezier[2];
  const TPointF& p3 = Bezier[3];
  TNeoGraphicsBezierCoefficients k;
  k.C = {3 * (p1.X - p0.X), 3 * (p1.Y - p0.Y)};
  k.B = {3 * (p2.X - p1.X) - k.C.X, 3 * (p2.Y - p1.Y) - k.C.Y};
  k.A = {p3.X - p0.X - k.C.X - k.B.X, p3.Y - p0.Y - k.C.Y - k.B.Y};
  return k;
}

TPointF TNeoGraphicsPath::PointOnBezier(TPointF StartPoint, const TNeoGraphicsBezierCoefficients& Coefficients,
                                        Single T) {
  const Single t2 = T * T;
  const Single t3 = t2 * T;
  return {Coefficients.A.X * t3 + Coefficients.B.X * t2 + Coefficients.C.X * T + StartPoint.X,
          Coefficients.A.Y * t3 + Coefficients.B.Y * t2 + Coefficients.C.Y * T + StartPoint.Y};
}

TNeoGraphicsPathPolygon TNeoGraphicsPath::CreateBezier(const TNeoGraphicsPathCubicBezier& Bezier,
                                                       Integer PointCount) {
  TNeoGraphicsPathPolygon points;
  if (PointCount <= 0) return points;
  points.reserve(static_cast<std::size_t>(PointCount));
  const TNeoGraphicsBezierCoefficients k = BezierCoefficients(Bezier);
  const Single step = PointCount > 1 ? 1.0f / static_cast<Single>(PointCount - 1) : 0.0f;
  Single t = 0;
  for (Integer i = 0; i < PointCount; ++i) {
    points.push_back(PointOnBezier(Bezier[0], k, t));
    t += step;
  }
  return points;
}

Single TNeoGraphicsPath::BezierLength(const TNeoGraphicsPathCubicBezier& Bezier) {
  const TNeoGraphicsPathPolygon samples = CreateBezier(Bezier, 6);
  Single length = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) length += VectorLength(samples[i] - samples[i - 1]);
  return length;
}

Single TNeoGraphicsPath::EffectiveFlatness(Single Flatness) {
  return Flatness > MinFlatness ? Flatness : MinFlatness;   // NaN fails the test too
}

Integer TNeoGraphicsPath::CurveSampleCount(const TNeoGraphicsPathCubicBezier& Bezier, Single Flatness) {
  const Integer n = NearestInt(BezierLength(Bezier) / EffectiveFlatness(Flatness));
  return std::min(n, MaxCurveSamples);
}
