// Paths, regions and matrices against libgdiplus: the protocol on failing objects, and argument
// orders proved by real geometry.
#include <algorithm>
#include <memory>

#include "lib/graphics/tests/GDIPlusClassesTestSupport.h"

namespace {

using GeometryTest = GDIPlusClassesTest;

void ExpectRect(const TGPRectF& R, Single X, Single Y, Single W, Single H) {
  EXPECT_NEAR(R.X, X, 0.01f);
  EXPECT_NEAR(R.Y, Y, 0.01f);
  EXPECT_NEAR(R.Width, W, 0.01f);
  EXPECT_NEAR(R.Height, H, 0.01f);
}

}  // namespace

TEST_F(GeometryTest, MatrixProtocolOnANilHandle) {
  TGPMatrix failing(static_cast<gdip::GpMatrix*>(nullptr));
  TGPMatrix other;
  ASSERT_EQ(other.GetLastStatus(), Ok);
  RunProtocolRows<TGPMatrix>(
      failing,
      {{"OffsetX answers 0 and records", [](TGPMatrix& M) { return M.OffsetX() == 0.0f ? M.lastResult : Ok; },
        InvalidParameter},
       {"OffsetY answers 0 and records", [](TGPMatrix& M) { return M.OffsetY() == 0.0f ? M.lastResult : Ok; },
        InvalidParameter},
       {"GetElements", [](TGPMatrix& M) { TMatrixArray m{}; return M.GetElements(m); }, InvalidParameter},
       {"Translate", [](TGPMatrix& M) { return M.Translate(1, 2); }, InvalidParameter},
       {"RotateAt", [](TGPMatrix& M) { return M.RotateAt(90, TGPPointF{1, 1}); }, InvalidParameter},
       {"Multiply", [&](TGPMatrix& M) { return M.Multiply(&other); }, InvalidParameter},
       {"IsIdentity false", [](TGPMatrix& M) { return M.IsIdentity() ? Ok : M.lastResult; }, InvalidParameter},
       {"IsInvertible false", [](TGPMatrix& M) { return M.IsInvertible() ? Ok : M.lastResult; }, InvalidParameter},
       {"IsEqual false", [&](TGPMatrix& M) { return M.IsEqual(&other) ? Ok : M.lastResult; }, InvalidParameter}});
}

TEST_F(GeometryTest, MatrixRotateAtResetAndTransforms) {
  struct TCase {
    MatrixOrder Order;
    TGPPointF From, To;
  };
  for (const TCase& c : {TCase{MatrixOrderPrepend, {10, 0}, {20, 10}}, TCase{MatrixOrderAppend, {10, 0}, {20, 10}},
                         TCase{MatrixOrderPrepend, {10, 10}, {10, 10}}}) {
    SCOPED_TRACE(c.Order);
    TGPMatrix m;
    EXPECT_EQ(m.RotateAt(90, TGPPointF{10, 10}, c.Order), Ok);
    TGPPointF p = c.From;
    EXPECT_EQ(m.TransformPoints(&p), Ok);
    EXPECT_NEAR(p.X, c.To.X, 1e-4f);
    EXPECT_NEAR(p.Y, c.To.Y, 1e-4f);
  }
  // After an offset, prepend and append orders differ: scaling before or after the translation.
  TGPMatrix prepend(1, 0, 0, 1, 5, 7), append(1, 0, 0, 1, 5, 7);
  prepend.Scale(2, 3, MatrixOrderPrepend);
  append.Scale(2, 3, MatrixOrderAppend);
  EXPECT_EQ(prepend.OffsetX(), 5.0f);
  EXPECT_EQ(append.OffsetX(), 10.0f);
  EXPECT_EQ(append.OffsetY(), 21.0f);
  TGPPoint v{1, 1};
  EXPECT_EQ(append.TransformVectors(&v), Ok);   // vectors ignore the offset
  EXPECT_EQ(v.X, 2);
  EXPECT_EQ(v.Y, 3);

  append.Shear(1, 0);
  append.Rotate(30);
  EXPECT_FALSE(append.IsIdentity());
  EXPECT_EQ(append.Reset(), Ok);
  EXPECT_TRUE(append.IsIdentity());
  TMatrixArray e{};
  EXPECT_EQ(append.GetElements(e), Ok);
  EXPECT_EQ(e[0] + e[3], 2.0f);

  // A destination parallelogram: the rectangle's corners land on the three points.
  TGPPointF plg[3] = {{10, 20}, {30, 20}, {10, 60}};
  TGPMatrix mapped(TGPRectF{0, 0, 2, 4}, plg);
  ASSERT_EQ(mapped.GetLastStatus(), Ok);
  TGPPointF corner{2, 4};
  mapped.TransformPoints(&corner);
  EXPECT_NEAR(corner.X, 30, 1e-4f);
  EXPECT_NEAR(corner.Y, 60, 1e-4f);
  EXPECT_TRUE(mapped.IsInvertible());
  EXPECT_EQ(mapped.Invert(), Ok);
  mapped.TransformPoints(&corner);
  EXPECT_NEAR(corner.X, 2, 1e-4f);
}

TEST_F(GeometryTest, MatrixCloneAfterAnUnreadFailureIsNilAndKeepsNoCopy) {
  TGPMatrix m(1, 2, 3, 4, 5, 6);
  std::unique_ptr<TGPMatrix> copy(m.Clone());
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(copy->IsEqual(&m));
  EXPECT_EQ(copy->GetLastStatus(), Ok);

  // An unread failure: the copy GDI+ makes is deleted and nil returned.
  TGPMatrix singular(0, 0, 0, 0, 0, 0);
  EXPECT_NE(singular.Invert(), Ok);
  {
    TDeleteSpy<gdip::GpMatrix> deletes(GdiplusProcs.GdipDeleteMatrix);
    EXPECT_EQ(singular.Clone(), nullptr);
    EXPECT_EQ(deletes.Count(), 1u);
  }
  EXPECT_NE(singular.GetLastStatus(), Ok);
  std::unique_ptr<TGPMatrix> later(singular.Clone());
  EXPECT_NE(later, nullptr);
}

TEST_F(GeometryTest, PathProtocolOnANilHandleAndMissingExports) {
  TGPGraphicsPath failing;
  gdip::GpPath* own = failing.nativePath;
  failing.nativePath = nullptr;
  TGPMatrix matrix;
  TGPPen pen(0xFF000000, 3);
  RunProtocolRows<TGPGraphicsPath>(
      failing,
      {{"AddLine", [](TGPGraphicsPath& P) { return P.AddLine(0, 0, 1, 1); }, InvalidParameter},
       {"GetFillMode pre-set",
        [](TGPGraphicsPath& P) { return P.GetFillMode() == FillModeAlternate ? P.lastResult : Ok; }, InvalidParameter},
       {"GetPointCount 0", [](TGPGraphicsPath& P) { return P.GetPointCount() == 0 ? P.lastResult : Ok; },
        InvalidParameter},
       {"Transform(nil) makes no call", [](TGPGraphicsPath& P) { return P.Transform(nullptr); }, Ok, false},
       {"Transform", [&](TGPGraphicsPath& P) { return P.Transform(&matrix); }, InvalidParameter},
       {"Widen", [&](TGPGraphicsPath& P) { return P.Widen(&pen); }, InvalidParameter},
       {"IsVisible false", [](TGPGraphicsPath& P) { return P.IsVisible(1.0f, 1.0f) ? Ok : P.lastResult; },
        InvalidParameter},
       {"IsOutlineVisible false",
        [&](TGPGraphicsPath& P) { return P.IsOutlineVisible(1, 1, &pen) ? Ok : P.lastResult; }, InvalidParameter}});
  failing.nativePath = own;

  // libgdiplus has no winding-mode outline: a clear status through the protocol.
  TGPGraphicsPath path;
  path.AddRectangle(TGPRectF{0, 0, 10, 10});
  RunProtocolRows<TGPGraphicsPath>(path, {{"Outline", [](TGPGraphicsPath& P) { return P.Outline(); }, NotImplemented}});

  // A hidden export answers NotImplemented, recorded.
  RebindWithout("GdipReversePath");
  TGPGraphicsPath rebound;
  RunProtocolRows<TGPGraphicsPath>(rebound, {{"Reverse", [](TGPGraphicsPath& P) { return P.Reverse(); }, NotImplemented}});
}

TEST_F(GeometryTest, PathFiguresBoundsWarpAndClones) {
  TGPGraphicsPath path;
  EXPECT_EQ(path.SetFillMode(FillModeWinding), Ok);
  EXPECT_EQ(path.GetFillMode(), FillModeWinding);
  path.AddLine(TGPPointF{10, 10}, TGPPointF{50, 10});
  path.AddBezier(50, 10, 60, 20, 60, 30, 50, 40);
  path.AddArc(TGPRect{10, 20, 40, 40}, 0, 90);
  path.CloseFigure();
  TGPRectF bounds{};
  EXPECT_EQ(path.GetBounds(bounds), Ok);
  EXPECT_NEAR(bounds.X, 10, 0.5f);
  EXPECT_NEAR(bounds.Y, 10, 0.5f);
  EXPECT_GT(bounds.Width, 45);
  TGPPointF last{};
  EXPECT_EQ(path.GetLastPoint(last), Ok);

  // A nil matrix changes nothing; a translation moves the bounds.
  EXPECT_EQ(path.Transform(nullptr), Ok);
  TGPRectF same{};
  path.GetBounds(same);
  ExpectRect(same, bounds.X, bounds.Y, bounds.Width, bounds.Height);
  TGPMatrix shift(1, 0, 0, 1, 100, 0);
  EXPECT_EQ(path.Transform(&shift), Ok);
  path.GetBounds(same);
  EXPECT_NEAR(same.X, bounds.X + 100, 0.01f);
  // Bounds through a matrix and with a pen: the pen widens them.
  TGPRect shifted{};
  EXPECT_EQ(path.GetBounds(shifted, &shift), Ok);
  EXPECT_NEAR(shifted.X, bounds.X + 200, 1);
  TGPPen wide(0xFF000000, 10);
  TGPRectF withPen{};
  path.GetBounds(withPen, nullptr, &wide);
  EXPECT_LT(withPen.X, same.X - 2);

  // libgdiplus accepts a warp without warping (the argument order is proved with a recording
  // module in the graphics tests).
  TGPGraphicsPath square;
  square.AddRectangle(TGPRect{0, 0, 10, 10});
  TGPPointF dest[4] = {{100, 100}, {140, 100}, {100, 120}, {140, 120}};
  EXPECT_EQ(square.Warp(dest, 4, TGPRectF{0, 0, 10, 10}, nullptr, WarpModeBilinear), Ok);

  // Clone, the copy constructor and Reset.
  std::unique_ptr<TGPGraphicsPath> clone(square.Clone());
  TGPGraphicsPath copy(&square);
  EXPECT_EQ(copy.GetLastStatus(), Ok);
  EXPECT_EQ(clone->GetPointCount(), square.GetPointCount());
  EXPECT_EQ(copy.GetPointCount(), square.GetPointCount());
  EXPECT_EQ(square.Reset(), Ok);
  EXPECT_EQ(square.GetPointCount(), 0);
  EXPECT_GT(clone->GetPointCount(), 0);

  // Visibility of a point inside and on the outline.
  TGPGraphicsPath box;
  box.AddRectangle(TGPRectF{0, 0, 20, 20});
  EXPECT_TRUE(box.IsVisible(TGPPoint{10, 10}));
  EXPECT_FALSE(box.IsVisible(30.0f, 10.0f));
  EXPECT_TRUE(box.IsOutlineVisible(TGPPointF{20, 10}, &wide));
  EXPECT_FALSE(box.IsOutlineVisible(10, 10, &wide));
  EXPECT_EQ(box.Widen(&wide), Ok);   // libgdiplus leaves the path as it is
}

TEST_F(GeometryTest, PathDataFreesOnEmptyAndReusesLargeBuffers) {
  TGPGraphicsPath empty;
  TPathData data;
  data.Count = 3;
  data.Points = static_cast<PGPPointF>(std::malloc(3 * sizeof(TGPPointF)));
  data.Types = static_cast<Byte*>(std::malloc(3));
  EXPECT_EQ(empty.GetPathData(&data), Ok);
  EXPECT_EQ(data.Count, 0);
  EXPECT_EQ(data.Points, nullptr);
  EXPECT_EQ(data.Types, nullptr);

  // Large enough buffers are reused; smaller ones are replaced.
  TGPGraphicsPath line;
  line.AddLines(std::vector<TGPPoint>{{1, 2}, {3, 4}, {5, 6}}.data(), 3);
  TPathData big;
  big.Count = 8;
  big.Points = static_cast<PGPPointF>(std::malloc(8 * sizeof(TGPPointF)));
  big.Types = static_cast<Byte*>(std::malloc(8));
  PGPPointF points = big.Points;
  EXPECT_EQ(line.GetPathData(&big), Ok);
  EXPECT_EQ(big.Points, points);
  EXPECT_EQ(big.Points[2].X, 5.0f);
  EXPECT_EQ(big.Types[0], gdip::PathPointTypeStart);
  TPathData fresh;
  EXPECT_EQ(line.GetPathData(&fresh), Ok);
  EXPECT_EQ(fresh.Count, 3);
  EXPECT_EQ(fresh.Points[1].Y, 4.0f);

  // Without points it answers its status field: here the failure of counting them.
  gdip::GpPath* own = empty.nativePath;
  empty.nativePath = nullptr;
  EXPECT_EQ(empty.GetPathData(&data), InvalidParameter);
  EXPECT_EQ(empty.GetLastStatus(), InvalidParameter);
  empty.nativePath = own;
}

TEST_F(GeometryTest, RegionBoundsScansAndCombinations) {
  TGPBitmap bitmap(40, 40);
  TGPGraphics g(&bitmap);
  TGPRegion region(TGPRect{0, 0, 10, 10});
  EXPECT_EQ(region.Union(TGPRectF{20, 5, 10, 10}), Ok);
  TGPRect bounds{};
  EXPECT_EQ(region.GetBounds(bounds, &g), Ok);
  EXPECT_EQ(bounds.X, 0);
  EXPECT_EQ(bounds.Y, 0);
  EXPECT_EQ(bounds.Width, 30);
  EXPECT_EQ(bounds.Height, 15);
  TGPRectF boundsF{};
  EXPECT_EQ(region.GetBounds(boundsF, &g), Ok);
  ExpectRect(boundsF, 0, 0, 30, 15);

  // The scans come as the two rectangles; the matrix (passed last) scales them.
  TGPMatrix identity, stretch(2, 0, 0, 1, 0, 0);
  const UINT count = region.GetRegionScansCount(&identity);
  ASSERT_EQ(count, 2u);
  std::vector<TGPRect> scans(count);
  Integer filled = 0;
  EXPECT_EQ(region.GetRegionScans(&identity, scans.data(), filled), Ok);
  EXPECT_EQ(filled, 2);
  EXPECT_EQ(scans[1].X, 20);
  EXPECT_EQ(scans[1].Y, 5);
  // Through a matrix libgdiplus answers row scans; together they span the stretched region.
  std::vector<TGPRectF> scansF(region.GetRegionScansCount(&stretch));
  ASSERT_FALSE(scansF.empty());
  EXPECT_EQ(region.GetRegionScans(&stretch, scansF.data(), filled), Ok);
  ASSERT_EQ(filled, static_cast<Integer>(scansF.size()));
  Single left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
  for (const TGPRectF& r : scansF) {
    left = std::min(left, r.X);
    top = std::min(top, r.Y);
    right = std::max(right, r.X + r.Width);
    bottom = std::max(bottom, r.Y + r.Height);
  }
  ExpectRect(TGPRectF{left, top, right - left, bottom - top}, 0, 0, 60, 15);

  EXPECT_TRUE(region.IsVisible(5, 5));
  EXPECT_FALSE(region.IsVisible(TGPPointF{15, 5}));
  EXPECT_TRUE(region.IsVisible(TGPRect{8, 8, 4, 4}));
  EXPECT_FALSE(region.IsVisible(12.0f, 0.0f, 4.0f, 4.0f, &g));

  TGPGraphicsPath circle;
  circle.AddEllipse(0, 0, 10, 10);
  TGPRegion combined(&circle);
  EXPECT_EQ(combined.Exclude(TGPRect{0, 0, 5, 10}), Ok);
  EXPECT_FALSE(combined.IsVisible(2, 5));
  EXPECT_TRUE(combined.IsVisible(7, 5));
  EXPECT_EQ(combined.Xor_(&circle), Ok);
  EXPECT_TRUE(combined.IsVisible(2, 5));
  EXPECT_EQ(combined.Complement(TGPRectF{0, 0, 20, 20}), Ok);
  EXPECT_TRUE(combined.IsVisible(15, 15));
  EXPECT_EQ(combined.Intersect(&region), Ok);
  EXPECT_EQ(combined.Translate(100, 0), Ok);
  TGPMatrix back(1, 0, 0, 1, -100, 0);
  EXPECT_EQ(combined.Transform(&back), Ok);

  std::unique_ptr<TGPRegion> clone(region.Clone());
  EXPECT_TRUE(clone->IsEqual(&region, &g));
  clone->Translate(Integer{1}, Integer{0});
  EXPECT_FALSE(clone->IsEqual(&region, &g));
  EXPECT_EQ(clone->MakeEmpty(), Ok);
  EXPECT_TRUE(clone->IsEmpty(&g));
  EXPECT_EQ(clone->MakeInfinite(), Ok);
  EXPECT_TRUE(clone->IsInfinite(&g));

  // Region data round trip.
  const UINT size = region.GetDataSize();
  ASSERT_GT(size, 0u);
  std::vector<Byte> data(size);
  UINT filledBytes = 0;
  EXPECT_EQ(region.GetData(data.data(), size, &filledBytes), Ok);
  TGPRegion restored(data.data(), static_cast<Integer>(filledBytes));
  EXPECT_TRUE(restored.IsEqual(&region, &g));

  // A region handle and back.
  HRGN hrgn = region.GetHRGN(&g);
  ASSERT_NE(hrgn, nullptr);
  std::unique_ptr<TGPRegion> fromHandle(TGPRegion::FromHRGN(hrgn));
  ASSERT_NE(fromHandle, nullptr);
  TGPRegion viaCreate(hrgn, 0, 0);
  EXPECT_TRUE(fromHandle->IsEqual(&region, &g));
  EXPECT_TRUE(viaCreate.IsEqual(&region, &g));
  DeleteObject(hrgn);
  EXPECT_EQ(TGPRegion::FromHRGN(nullptr), nullptr);
}

TEST_F(GeometryTest, RegionProtocolOnANilHandle) {
  TGPBitmap bitmap(4, 4);
  TGPGraphics g(&bitmap);
  TGPMatrix identity;
  TGPRegion failing(static_cast<gdip::GpRegion*>(nullptr));
  TGPRegion other;
  RunProtocolRows<TGPRegion>(
      failing,
      {{"Union", [&](TGPRegion& R) { return R.Union(&other); }, InvalidParameter},
       {"GetDataSize 0", [](TGPRegion& R) { return R.GetDataSize() == 0 ? R.lastResult : Ok; }, InvalidParameter},
       {"GetHRGN nil", [&](TGPRegion& R) { return R.GetHRGN(&g) == nullptr ? R.lastResult : Ok; }, InvalidParameter},
       {"IsVisible false", [](TGPRegion& R) { return R.IsVisible(1, 1) ? Ok : R.lastResult; }, InvalidParameter},
       {"GetRegionScansCount 0",
        [&](TGPRegion& R) { return R.GetRegionScansCount(&identity) == 0 ? R.lastResult : Ok; }, InvalidParameter},
       {"GetBounds", [&](TGPRegion& R) { TGPRect r{}; return R.GetBounds(r, &g); }, InvalidParameter}});
  std::unique_ptr<TGPRegion> clone(failing.Clone());
  EXPECT_EQ(clone->nativeRegion, nullptr);
  EXPECT_EQ(clone->GetLastStatus(), Ok);
  EXPECT_EQ(failing.GetLastStatus(), InvalidParameter);
}
