// Regions: algebra against a pixel model, shapes, queries and clipping of DCs.
#include "platform/win/tests/GdiTestUtil.h"

#include <random>
#include <vector>

namespace {

std::vector<RECT> RectsOf(HRGN R) {
  DWORD size = GetRegionData(R, 0, nullptr);
  std::vector<char> buf(size);
  auto* data = reinterpret_cast<RGNDATA*>(buf.data());
  EXPECT_EQ(GetRegionData(R, size, data), size);
  std::vector<RECT> rects(data->rdh.nCount);
  if (!rects.empty()) std::memcpy(rects.data(), data->Buffer, rects.size() * sizeof(RECT));
  return rects;
}

long Area(HRGN R) {
  long a = 0;
  for (const RECT& r : RectsOf(R)) a += (r.right - r.left) * (r.bottom - r.top);
  return a;
}

}  // namespace

TEST(GdiRegion, CombineModesTable) {
  struct TCase {
    int Mode;
    int Result;
    long Area;
    bool At2, At7, At12, Off;   // (2,2), (7,7), (12,12), (12,2)
  } cases[] = {
      {RGN_AND, SIMPLEREGION, 25, false, true, false, false},
      {RGN_OR, COMPLEXREGION, 175, true, true, true, false},
      {RGN_XOR, COMPLEXREGION, 150, true, false, true, false},
      {RGN_DIFF, COMPLEXREGION, 75, true, false, false, false},
      {RGN_COPY, SIMPLEREGION, 100, true, true, false, false},
  };
  HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15);
  for (const TCase& c : cases) {
    HRGN d = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(d, a, b, c.Mode), c.Result) << c.Mode;
    EXPECT_EQ(Area(d), c.Area) << c.Mode;
    EXPECT_EQ(bool(PtInRegion(d, 2, 2)), c.At2) << c.Mode;
    EXPECT_EQ(bool(PtInRegion(d, 7, 7)), c.At7) << c.Mode;
    EXPECT_EQ(bool(PtInRegion(d, 12, 12)), c.At12) << c.Mode;
    EXPECT_EQ(bool(PtInRegion(d, 12, 2)), c.Off) << c.Mode;
    DeleteObject(d);
  }
  RECT box;
  HRGN d = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(d, a, b, RGN_AND);
  EXPECT_EQ(GetRgnBox(d, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{5, 5, 10, 10}));
  EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_AND), ERROR);
  DeleteObject(a);
  DeleteObject(b);
  DeleteObject(d);
}

TEST(GdiRegion, RandomAlgebraMatchesPixelModelAndKeepsBands) {
  std::mt19937 rng(7);
  const int N = 40;
  using TGrid = std::vector<char>;
  auto gridOf = [&](HRGN R) {
    TGrid g(N * N);
    for (int y = 0; y < N; ++y)
      for (int x = 0; x < N; ++x) g[y * N + x] = PtInRegion(R, x, y) ? 1 : 0;
    return g;
  };
  for (int round = 0; round < 60; ++round) {
    HRGN acc = CreateRectRgn(0, 0, 0, 0);
    TGrid model(N * N, 0);
    for (int k = 0; k < 8; ++k) {
      int l = rng() % N, t = rng() % N, r = l + rng() % 15, b = t + rng() % 15;
      int mode = 1 + rng() % 4;
      HRGN rect = CreateRectRgn(l, t, r, b);
      CombineRgn(acc, acc, rect, mode);
      DeleteObject(rect);
      for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
          bool in = x >= l && x < r && y >= t && y < b;
          char& m = model[y * N + x];
          m = mode == RGN_AND ? (m && in) : mode == RGN_OR ? (m || in) : mode == RGN_XOR ? (bool(m) != in) : (m && !in);
        }
    }
    ASSERT_EQ(gridOf(acc), model) << "round " << round;
    // bands: sorted, equal tops share bottoms, no overlap or touching within a band
    std::vector<RECT> rects = RectsOf(acc);
    for (std::size_t i = 1; i < rects.size(); ++i) {
      const RECT &p = rects[i - 1], &q = rects[i];
      if (p.top == q.top) {
        EXPECT_EQ(p.bottom, q.bottom);
        EXPECT_LT(p.right, q.left);
      } else {
        EXPECT_LE(p.bottom, q.top);
      }
    }
    // the data round-trips
    DWORD size = GetRegionData(acc, 0, nullptr);
    std::vector<char> buf(size);
    GetRegionData(acc, size, reinterpret_cast<RGNDATA*>(buf.data()));
    HRGN copy = ExtCreateRegion(nullptr, size, reinterpret_cast<RGNDATA*>(buf.data()));
    EXPECT_TRUE(EqualRgn(copy, acc));
    DeleteObject(copy);
    DeleteObject(acc);
  }
}

TEST(GdiRegion, ShapesExcludeRightAndBottom) {
  HRGN r = CreateRectRgn(0, 0, 10, 10);
  EXPECT_TRUE(PtInRegion(r, 9, 9));
  EXPECT_FALSE(PtInRegion(r, 10, 9));
  EXPECT_FALSE(PtInRegion(r, 9, 10));
  RECT probe{9, 9, 12, 12}, outside{10, 0, 20, 10};
  EXPECT_TRUE(RectInRegion(r, &probe));
  EXPECT_FALSE(RectInRegion(r, &outside));
  EXPECT_EQ(OffsetRgn(r, 5, 5), SIMPLEREGION);
  EXPECT_TRUE(PtInRegion(r, 14, 14));
  EXPECT_TRUE(SetRectRgn(r, 1, 1, 3, 3));
  EXPECT_EQ(Area(r), 4);
  DeleteObject(r);

  HRGN e = CreateEllipticRgn(0, 0, 20, 10);
  RECT box;
  GetRgnBox(e, &box);
  EXPECT_EQ(box, (RECT{0, 0, 20, 10}));
  EXPECT_TRUE(PtInRegion(e, 10, 5));
  EXPECT_FALSE(PtInRegion(e, 0, 0));
  EXPECT_FALSE(PtInRegion(e, 19, 9));
  // symmetric left-right and top-bottom
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) {
      EXPECT_EQ(PtInRegion(e, x, y), PtInRegion(e, 19 - x, y));
      EXPECT_EQ(PtInRegion(e, x, y), PtInRegion(e, x, 9 - y));
    }
  DeleteObject(e);

  HRGN rr = CreateRoundRectRgn(0, 0, 30, 30, 10, 10);
  EXPECT_FALSE(PtInRegion(rr, 0, 0));
  EXPECT_TRUE(PtInRegion(rr, 15, 0));
  EXPECT_TRUE(PtInRegion(rr, 0, 15));
  EXPECT_TRUE(PtInRegion(rr, 5, 5));
  DeleteObject(rr);
}

TEST(GdiRegion, PolygonFillModes) {
  // a pentagram: its centre is inside by winding, outside by alternation
  POINT star[5] = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
  HRGN alt = CreatePolygonRgn(star, 5, ALTERNATE), wind = CreatePolygonRgn(star, 5, WINDING);
  EXPECT_FALSE(PtInRegion(alt, 50, 50));
  EXPECT_TRUE(PtInRegion(wind, 50, 50));
  EXPECT_TRUE(PtInRegion(alt, 50, 10));
  EXPECT_TRUE(PtInRegion(wind, 50, 10));
  DeleteObject(alt);
  DeleteObject(wind);

  POINT square[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  HRGN sq = CreatePolygonRgn(square, 4, ALTERNATE), rect = CreateRectRgn(0, 0, 10, 10);
  EXPECT_TRUE(EqualRgn(sq, rect));
  DeleteObject(sq);
  DeleteObject(rect);
}

TEST(GdiRegion, ClipRegionIsCopiedAndAppliedInDeviceUnits) {
  TGdiCanvas c(60, 40);
  HRGN r = CreateRectRgn(10, 10, 20, 20);
  EXPECT_EQ(SelectClipRgn(c.DC, r), SIMPLEREGION);
  DeleteObject(r);   // the DC holds its own copy
  RECT all{0, 0, 60, 40};
  FillRect(c.DC, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_TRUE(c.Dark(10, 10));
  EXPECT_TRUE(c.Dark(19, 19));
  EXPECT_FALSE(c.Dark(20, 19));
  EXPECT_FALSE(c.Dark(9, 10));
  RECT box;
  EXPECT_EQ(GetClipBox(c.DC, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{10, 10, 20, 20}));
  // the clip stays in device units when the window origin moves
  SetWindowOrgEx(c.DC, 5, 5, nullptr);
  GetClipBox(c.DC, &box);
  EXPECT_EQ(box, (RECT{15, 15, 25, 25}));
  SetWindowOrgEx(c.DC, 0, 0, nullptr);

  HRGN got = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(c.DC, got), 1);
  EXPECT_EQ(SelectClipRgn(c.DC, nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(c.DC, got), 0);
  DeleteObject(got);

  c.Surface.Clear(0xFFFFFFFF);
  EXPECT_EQ(IntersectClipRect(c.DC, 0, 0, 30, 30), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(c.DC, 10, 10, 20, 20), COMPLEXREGION);
  FillRect(c.DC, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_TRUE(c.Dark(5, 5));
  EXPECT_FALSE(c.Dark(15, 15));
  EXPECT_TRUE(c.Dark(29, 29));
  EXPECT_FALSE(c.Dark(30, 29));
  EXPECT_TRUE(PtVisible(c.DC, 5, 5));
  EXPECT_FALSE(PtVisible(c.DC, 15, 15));
}

TEST(GdiRegion, SurfaceDCLimitAndOriginCombineWithClip) {
  TSurface s(100, 100);
  s.Clear(0xFFFFFFFF);
  RECT limit{20, 20, 60, 60};
  HDC dc = CreateSurfaceDC(s, POINT{20, 20}, &limit);
  EXPECT_EQ(GetDCOrigin(dc), (POINT{20, 20}));
  EXPECT_EQ(GetDCSurface(dc), &s);
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box, (RECT{0, 0, 40, 40}));
  IntersectClipRect(dc, 10, 10, 100, 100);
  std::vector<RECT> rects = GetDCSurfaceClipRects(dc);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], (RECT{30, 30, 60, 60}));
  RECT r{0, 0, 100, 100};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(s.Pixel(29, 30), 0xFFFFFFFFu);
  EXPECT_EQ(s.Pixel(30, 30), 0xFF000000u);
  EXPECT_EQ(s.Pixel(59, 59), 0xFF000000u);
  EXPECT_EQ(s.Pixel(60, 59), 0xFFFFFFFFu);
  DeleteDC(dc);
}
