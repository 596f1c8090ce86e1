// The matrix and the vector path: products, inverse, building, bounds and flattening.
#include <cmath>
#include <limits>

#include "GraphicsTestSupport.h"

namespace {

void ExpectPoint(TPointF Actual, TPointF Expected, Single Tolerance = 1e-4f) {
  EXPECT_NEAR(Actual.X, Expected.X, Tolerance);
  EXPECT_NEAR(Actual.Y, Expected.Y, Tolerance);
}

std::vector<TNeoGraphicsPathPointKind> Kinds(const TNeoGraphicsPath& Path) {
  std::vector<TNeoGraphicsPathPointKind> kinds;
  for (const TNeoGraphicsPathPoint& p : *Path.GetPathData()) kinds.push_back(p.Kind);
  return kinds;
}

}  // namespace

TEST(NeoGraphicsMatrix, ProductsFollowTheRowVectorConvention) {
  const TNeoGraphicsMatrix s = MatrixCreateScaling(2, 3);
  const TNeoGraphicsMatrix t = MatrixCreateTranslation(10, 20);
  // Scale first, then translate.
  ExpectPoint(PointF(1, 1) * (s * t), PointF(12, 23));
  ExpectPoint(PointF(1, 1) * (t * s), PointF(22, 63));
  ExpectPoint(MatrixMultiplyPoint(PointF(1, 0), MatrixCreateRotation(static_cast<Single>(M_PI / 2))), PointF(0, 1));
  EXPECT_EQ(MatrixMultiply(s, MatrixIdentity()), s);
  EXPECT_FLOAT_EQ((s * t).Determinant(), 6);
  EXPECT_TRUE(IsMatrixEmpty(MatrixEmpty()));
  EXPECT_FALSE(IsMatrixEmpty(MatrixIdentity()));
  TNeoGraphicsMatrix nan = MatrixEmpty();
  nan.m22 = std::numeric_limits<Single>::quiet_NaN();
  EXPECT_FALSE(IsMatrixEmpty(nan));
}

TEST(NeoGraphicsMatrix, InverseIsTheAdjugateOverTheDeterminantOrTheIdentity) {
  EXPECT_EQ(MatrixCreateScaling(2, 4).Inverse(), MatrixCreateScaling(0.5f, 0.25f));
  EXPECT_EQ(MatrixEmpty().Inverse(), MatrixIdentity());
  TNeoGraphicsMatrix tiny = MatrixCreateScaling(1e-20f, 1e-21f);   // determinant 1e-41
  EXPECT_EQ(tiny.Inverse(), MatrixIdentity());
  TNeoGraphicsMatrix nan = MatrixIdentity();
  nan.m11 = std::numeric_limits<Single>::quiet_NaN();
  EXPECT_EQ(nan.Inverse(), MatrixIdentity());

  const TNeoGraphicsMatrix m = MatrixCreateRotation(0.3f) * MatrixCreateScaling(2, 0.5f) * MatrixCreateTranslation(7, -3);
  const TNeoGraphicsMatrix back = m * m.Inverse();
  const TNeoGraphicsMatrixArray a = back.M(), id = MatrixIdentity().M();
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(a[i], id[i], 1e-5f) << i;
}

TEST(NeoGraphicsPath, BuildingOperations) {
  TNeoGraphicsPath path;
  EXPECT_EQ(path.GetCount(), 0);
  ExpectPoint(path.LastPoint(), PointF(0, 0));
  path.MoveTo(PointF(1, 1));
  path.LineTo(PointF(5, 1));
  EXPECT_FALSE(path.IsClippable());
  path.LineTo(PointF(1, 1));   // back to the figure's start
  EXPECT_TRUE(path.IsClippable());
  EXPECT_EQ(path.GetCount(), 3);

  // A quadratic curve becomes the cubic with controls 1/3 and 2/3 of the way to the control.
  path.QuadCurveTo(PointF(4, 4), PointF(7, 1));
  ExpectPoint(path.GetPoint(3).Point, PointF(3, 3));
  ExpectPoint(path.GetPoint(4).Point, PointF(5, 3));
  // The smooth curve mirrors the last control point.
  path.SmoothCurveTo(PointF(12, 0), PointF(13, 1));
  ExpectPoint(path.GetPoint(6).Point, PointF(9, -1));
  path.ClosePath();
  EXPECT_EQ(path.GetPoint(9).Kind, gppClose);
  ExpectPoint(path.GetPoint(9).Point, PointF(1, 1));
  EXPECT_THROW(path.GetPoint(10), EArgumentOutOfRangeException);

  TNeoGraphicsPath other;
  other.AddLine(PointF(0, 0), PointF(1, 1));
  other.AddLine(PointF(2, 2), PointF(3, 3));
  EXPECT_EQ(Kinds(other), (std::vector<TNeoGraphicsPathPointKind>{gppMoveTo, gppLineTo, gppLineTo, gppLineTo}));
  other.AddPath(&other);
  EXPECT_EQ(other.GetCount(), 8);
  TNeoGraphicsPath copy;
  copy.Assign(&path);
  EXPECT_EQ(copy.GetCount(), path.GetCount());
  ExpectPoint(copy.GetPoint(6).Point, PointF(9, -1));

  TNeoGraphicsPath smooth;
  smooth.SmoothCurveTo(PointF(4, 4), PointF(5, 5));   // fewer than 3 points: control 1 = control 2
  ExpectPoint(smooth.GetPoint(0).Point, PointF(4, 4));
}

TEST(NeoGraphicsPath, ArcsSplitIntoQuarterTurns) {
  struct Case {
    Single Sweep;
    Integer Curves;
  };
  const Case cases[] = {{360, 4}, {0, 0}, {100, 2}, {90, 1}, {-180, 2}, {720, 4}};
  for (const Case& c : cases) {
    TNeoGraphicsPath path;
    path.AddArc(PointF(50, 50), PointF(10, 10), 0, c.Sweep);
    SCOPED_TRACE(c.Sweep);
    if (c.Curves == 0) {
      EXPECT_EQ(path.GetCount(), 0);
      continue;
    }
    EXPECT_EQ(path.GetCount(), 1 + 3 * c.Curves);
    EXPECT_EQ(path.GetPoint(0).Kind, gppMoveTo);
    ExpectPoint(path.GetPoint(0).Point, PointF(60, 50));
  }
  // A quarter turn clockwise on screen from 0 degrees ends straight below the centre; a sweep
  // of 100 degrees ends 10 degrees further.
  TNeoGraphicsPath quarter;
  quarter.AddArc(PointF(50, 50), PointF(10, 20), 0, 90);
  ExpectPoint(quarter.LastPoint(), PointF(50, 70));
  TNeoGraphicsPath hundred;
  hundred.AddArc(PointF(0, 0), PointF(10, 10), 0, 100);
  const Single a = static_cast<Single>(100 * M_PI / 180);
  ExpectPoint(hundred.LastPoint(), PointF(10 * std::cos(a), 10 * std::sin(a)));
  ExpectPoint(hundred.GetPoint(3).Point, PointF(0, 10));
  // The start angle is reduced by whole turns; an arc on a path with points joins it by a line.
  TNeoGraphicsPath joined;
  joined.MoveTo(PointF(0, 0));
  joined.AddArc(PointF(0, 0), PointF(10, 10), 450, 90);
  EXPECT_EQ(joined.GetPoint(1).Kind, gppLineTo);
  ExpectPoint(joined.GetPoint(1).Point, PointF(0, 10));
  ExpectPoint(joined.LastPoint(), PointF(-10, 0));
}

TEST(NeoGraphicsPath, RectanglesAndEllipses) {
  TNeoGraphicsPath rect;
  rect.AddRectangle(RectF(0, 0, 10, 20));
  EXPECT_EQ(Kinds(rect),
            (std::vector<TNeoGraphicsPathPointKind>{gppMoveTo, gppLineTo, gppLineTo, gppLineTo, gppClose}));
  EXPECT_TRUE(rect.IsClippable());

  TNeoGraphicsPath rounded;
  rounded.AddRectangle(RectF(0, 0, 40, 20), 4, 2);
  ExpectPoint(rounded.GetPoint(0).Point, PointF(4, 20));
  // The start, four quarter arcs (a joining line and 3 curve points each), eight lines, the close.
  EXPECT_EQ(rounded.GetCount(), 1 + 4 * (1 + 3) + 8 + 1);
  const TRectF b = rounded.GetBounds();
  EXPECT_NEAR(b.Left, 0, 1e-4);
  EXPECT_NEAR(b.Top, 0, 1e-4);
  EXPECT_NEAR(b.Right, 40, 1e-4);
  EXPECT_NEAR(b.Bottom, 20, 1e-4);

  TNeoGraphicsPath ellipse;
  ellipse.AddEllipse(RectF(0, 0, 20, 10));
  EXPECT_EQ(ellipse.GetCount(), 13);
  ExpectPoint(ellipse.GetPoint(1).Point, PointF(0, 5 - 5 * 0.5522848f));
  ExpectPoint(ellipse.GetPoint(3).Point, PointF(10, 0));
  EXPECT_TRUE(ellipse.IsClippable());
  EXPECT_TRUE(ellipse.IsPointVisible(PointF(10, 5)));
  EXPECT_FALSE(ellipse.IsPointVisible(PointF(1, 1)));
  EXPECT_TRUE(ellipse.IsRectVisible(RectF(19, 4, 21, 6)));
  EXPECT_FALSE(ellipse.IsRectVisible(RectF(0, 0, 2, 2)));
}

TEST(NeoGraphicsPath, BoundsSeedFromThePathItself) {
  TNeoGraphicsPath empty;
  EXPECT_EQ(empty.GetBounds(), TRectF());
  TNeoGraphicsPath one;
  one.MoveTo(PointF(5, 5));
  const TRectF b = one.GetBounds();
  EXPECT_FLOAT_EQ(b.Left, 5);
  EXPECT_FLOAT_EQ(b.Right, 5.001f);
  EXPECT_FLOAT_EQ(b.Bottom, 5.001f);
  // Far beyond 65535 the bounds are the path's own.
  TNeoGraphicsPath far;
  far.MoveTo(PointF(70000, 10));
  far.LineTo(PointF(70100, 30));
  EXPECT_EQ(far.GetBounds(), RectF(70000, 10, 70100, 30));
  TNeoGraphicsPath negative;
  negative.MoveTo(PointF(-80000, -90000));
  negative.LineTo(PointF(-70000, -85000));
  negative.ClosePath();
  EXPECT_EQ(negative.GetBounds(), RectF(-80000, -90000, -70000, -85000));
}

TEST(NeoGraphicsPath, ApplyMatrixKeepsCloseMarkers) {
  TNeoGraphicsPath path;
  path.AddRectangle(RectF(0, 0, 10, 10));
  path.ApplyMatrix(MatrixCreateTranslation(5, 7));
  ExpectPoint(path.GetPoint(0).Point, PointF(5, 7));
  ExpectPoint(path.GetPoint(2).Point, PointF(15, 17));
  ExpectPoint(path.GetPoint(4).Point, PointF(0, 0));   // the close marker
}

TEST(NeoGraphicsPath, FlatteningToAPolygon) {
  TNeoGraphicsPath rect;
  rect.AddRectangle(RectF(0, 0, 10, 20));
  rect.LineTo(PointF(0.0005f, 0.0005f));   // within 0.001 of the last point: dropped
  TNeoGraphicsPathPolygon polygon{{99, 99}};
  rect.FlattenToPolygon(polygon, 0.25f);
  ASSERT_EQ(polygon.size(), 5u);
  ExpectPoint(polygon[0], PointF(0, 0));
  ExpectPoint(polygon[2], PointF(10, 20));
  ExpectPoint(polygon[4], PointF(0, 0));

  TNeoGraphicsPath empty;
  empty.FlattenToPolygon(polygon, 0.25f);
  EXPECT_TRUE(polygon.empty());

  // A curve of length about 1 over flatness 0.25 gives 4 samples, the first the current point.
  TNeoGraphicsPath curve;
  curve.MoveTo(PointF(0, 0));
  curve.CurveTo(PointF(0.3f, 0), PointF(0.7f, 0), PointF(1, 0));
  curve.FlattenToPolygon(polygon, 0.25f);
  ASSERT_EQ(polygon.size(), 4u);
  ExpectPoint(polygon[1], PointF(1.0f / 3, 0), 0.02f);
  ExpectPoint(polygon[3], PointF(1, 0));

  // Shorter than 1.5 times the flatness: the end point alone.
  TNeoGraphicsPath shortCurve;
  shortCurve.MoveTo(PointF(0, 0));
  shortCurve.CurveTo(PointF(0.1f, 0.1f), PointF(0.2f, 0.1f), PointF(0.3f, 0));
  shortCurve.FlattenToPolygon(polygon, 0.25f);
  ASSERT_EQ(polygon.size(), 2u);
  ExpectPoint(polygon[1], PointF(0.3f, 0));
  // A flatness at or below 0.05, or NaN, counts as 0.05.
  shortCurve.FlattenToPolygon(polygon, 0);
  const std::size_t atMin = polygon.size();
  shortCurve.FlattenToPolygon(polygon, std::numeric_limits<Single>::quiet_NaN());
  EXPECT_EQ(polygon.size(), atMin);
  EXPECT_GT(atMin, 2u);
}

TEST(NeoGraphicsPath, FlattenRewritesCurvesAsLines) {
  TNeoGraphicsPath path;
  path.AddEllipse(RectF(0, 0, 100, 100));
  path.ClosePath();
  const TRectF before = path.GetBounds();
  path.Flatten(0.5f);
  EXPECT_EQ(path.GetPoint(0).Kind, gppMoveTo);
  for (Integer i = 1; i < path.GetCount() - 1; ++i) EXPECT_EQ(path.GetPoint(i).Kind, gppLineTo) << i;
  EXPECT_EQ(path.GetPoint(path.GetCount() - 1).Kind, gppClose);
  EXPECT_GT(path.GetCount(), 40);
  const TRectF after = path.GetBounds();
  EXPECT_NEAR(after.Left, before.Left, 0.01);
  EXPECT_NEAR(after.Bottom, before.Bottom, 0.01);

  TNeoGraphicsPath shortCurve;
  shortCurve.MoveTo(PointF(0, 0));
  shortCurve.CurveTo(PointF(0.1f, 0), PointF(0.2f, 0), PointF(0.3f, 0));
  shortCurve.Flatten(1);
  ASSERT_EQ(shortCurve.GetCount(), 2);
  ExpectPoint(shortCurve.GetPoint(1).Point, PointF(0.3f, 0));
}

TEST(NeoGraphicsPath, BezierSampling) {
  const TNeoGraphicsPathCubicBezier b{PointF(0, 0), PointF(0, 10), PointF(10, 10), PointF(10, 0)};
  EXPECT_TRUE(TNeoGraphicsPath::CreateBezier(b, 0).empty());
  const TNeoGraphicsPathPolygon one = TNeoGraphicsPath::CreateBezier(b, 1);
  ASSERT_EQ(one.size(), 1u);
  ExpectPoint(one[0], PointF(0, 0));
  const TNeoGraphicsPathPolygon three = TNeoGraphicsPath::CreateBezier(b, 3);
  ASSERT_EQ(three.size(), 3u);
  ExpectPoint(three[1], PointF(5, 7.5f));
  ExpectPoint(three[2], PointF(10, 0));
  // A huge curve is capped instead of exhausting memory.
  const TNeoGraphicsPathCubicBezier huge{PointF(0, 0), PointF(1e30f, 0), PointF(1e30f, 0), PointF(0, 0)};
  EXPECT_EQ(TNeoGraphicsPath::CurveSampleCount(huge, 0.25f), TNeoGraphicsPath::MaxCurveSamples);
}
