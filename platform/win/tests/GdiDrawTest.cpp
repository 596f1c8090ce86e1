// Lines, shapes, pens, raster operations, paths, mapping and DC state, checked pixel by pixel.
#include "platform/win/tests/GdiTestUtil.h"

TEST(GdiDraw, LineLeavesOutItsEndPixel) {
  TGdiCanvas c(40, 40);
  struct TCase { POINT A, B; } cases[] = {{{5, 5}, {15, 5}}, {{5, 8}, {5, 20}}, {{20, 20}, {30, 30}}, {{30, 10}, {20, 12}}};
  for (const TCase& k : cases) {
    c.Surface.Clear(0xFFFFFFFF);
    MoveToEx(c.DC, k.A.x, k.A.y, nullptr);
    LineTo(c.DC, k.B.x, k.B.y);
    EXPECT_TRUE(c.Dark(k.A.x, k.A.y));
    EXPECT_FALSE(c.Dark(k.B.x, k.B.y));
    POINT cp;
    GetCurrentPositionEx(c.DC, &cp);
    EXPECT_EQ(cp, k.B);
  }
  // the pixels of a horizontal line: exactly start .. end-1
  c.Surface.Clear(0xFFFFFFFF);
  MoveToEx(c.DC, 5, 5, nullptr);
  LineTo(c.DC, 15, 5);
  EXPECT_EQ(c.Ink(), (RECT{5, 5, 15, 6}));
}

TEST(GdiDraw, ShapesExcludeRightAndBottomEdges) {
  TGdiCanvas c(60, 60);
  struct TCase {
    const char* Name;
    std::function<void(HDC)> Draw;
    RECT Ink;
  } cases[] = {
      {"Rectangle", [](HDC dc) { Rectangle(dc, 10, 10, 20, 20); }, {10, 10, 20, 20}},
      {"Ellipse", [](HDC dc) { Ellipse(dc, 10, 10, 40, 30); }, {10, 10, 40, 30}},
      {"RoundRect", [](HDC dc) { RoundRect(dc, 10, 10, 40, 30, 8, 8); }, {10, 10, 40, 30}},
      {"FillRect",
       [](HDC dc) {
         RECT r{10, 10, 20, 20};
         FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
       },
       {10, 10, 20, 20}},
      {"FrameRect",
       [](HDC dc) {
         RECT r{10, 10, 20, 20};
         FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
       },
       {10, 10, 20, 20}},
      {"Polygon",
       [](HDC dc) {
         POINT p[4] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
         Polygon(dc, p, 4);
       },
       {10, 10, 21, 21}},
  };
  for (const TCase& k : cases) {
    c.Surface.Clear(0xFFFFFFFF);
    k.Draw(c.DC);
    EXPECT_EQ(c.Ink(), k.Ink) << k.Name;
  }
  // the frame's inside stays untouched; the rectangle's inside is the brush (white here)
  c.Surface.Clear(0xFFFFFFFF);
  RECT r{10, 10, 20, 20};
  FrameRect(c.DC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_TRUE(c.Dark(19, 15));
  EXPECT_FALSE(c.Dark(18, 15));
  // a null pen makes filled shapes one pixel smaller
  c.Surface.Clear(0xFFFFFFFF);
  SelectObject(c.DC, GetStockObject(NULL_PEN));
  SelectObject(c.DC, GetStockObject(BLACK_BRUSH));
  Rectangle(c.DC, 10, 10, 20, 20);
  EXPECT_EQ(c.Ink(), (RECT{10, 10, 19, 19}));
}

TEST(GdiDraw, PenStylesWidthsAndInsideFrame) {
  TGdiCanvas c(120, 60);
  {
    TSelected pen(c.DC, CreatePen(PS_SOLID, 5, RGB(0, 0, 0)));
    MoveToEx(c.DC, 20, 20, nullptr);
    LineTo(c.DC, 80, 20);
    RECT ink = c.Ink();
    EXPECT_EQ(ink.bottom - ink.top, 5);
    EXPECT_EQ(ink.top, 18);
  }
  c.Surface.Clear(0xFFFFFFFF);
  {
    TSelected pen(c.DC, CreatePen(PS_INSIDEFRAME, 6, RGB(0, 0, 0)));
    Rectangle(c.DC, 10, 10, 50, 40);
    EXPECT_EQ(c.Ink(), (RECT{10, 10, 50, 40}));
    EXPECT_TRUE(c.Dark(15, 25));
    EXPECT_FALSE(c.Dark(16, 25));
  }
  // dotted pens: gaps take the background colour when opaque, stay when transparent
  for (int mode : {OPAQUE, TRANSPARENT}) {
    c.Surface.Clear(0xFFFFFFFF);
    SetBkMode(c.DC, mode);
    SetBkColor(c.DC, RGB(0, 0, 255));
    TSelected pen(c.DC, CreatePen(PS_DOT, 1, RGB(255, 0, 0)));
    MoveToEx(c.DC, 0, 5, nullptr);
    LineTo(c.DC, 100, 5);
    int red = 0, blue = 0, white = 0;
    for (int x = 0; x < 100; ++x) {
      COLORREF p = c.At(x, 5);
      red += p == RGB(255, 0, 0);
      blue += p == RGB(0, 0, 255);
      white += p == RGB(255, 255, 255);
    }
    EXPECT_GT(red, 30);
    if (mode == OPAQUE) {
      EXPECT_EQ(red + blue, 100);
    } else {
      EXPECT_EQ(blue, 0);
      EXPECT_EQ(red + white, 100);
    }
  }
  // a cosmetic alternate pen sets every other pixel
  c.Surface.Clear(0xFFFFFFFF);
  SetBkMode(c.DC, TRANSPARENT);
  LOGBRUSH lb{BS_SOLID, RGB(0, 0, 0), 0};
  {
    TSelected pen(c.DC, ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr));
    MoveToEx(c.DC, 0, 7, nullptr);
    LineTo(c.DC, 10, 7);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(c.Dark(x, 7), x % 2 == 0) << x;
  }
  EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_ALTERNATE, 1, &lb, 0, nullptr), nullptr);
}

TEST(GdiDraw, XorLineAndInvertTwiceRestorePixels) {
  TGdiCanvas c(80, 80);
  c.Pattern();
  auto before = c.Snapshot();
  SetROP2(c.DC, R2_XORPEN);
  TSelected pen(c.DC, CreatePen(PS_SOLID, 1, RGB(0x5A, 0xA5, 0x3C)));
  for (int i = 0; i < 2; ++i) {
    MoveToEx(c.DC, 3, 70, nullptr);
    LineTo(c.DC, 75, 4);
    Rectangle(c.DC, 10, 10, 40, 40);
    if (i == 0) {
      EXPECT_NE(c.Snapshot(), before);
    }
  }
  EXPECT_EQ(c.Snapshot(), before);
  // a dotted XOR pen with opaque gaps also restores
  TSelected dotted(c.DC, CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
  SetBkMode(c.DC, OPAQUE);
  for (int i = 0; i < 2; ++i) {
    MoveToEx(c.DC, 0, 50, nullptr);
    LineTo(c.DC, 79, 50);
    if (i == 0) {
      EXPECT_NE(c.Snapshot(), before);
    }
  }
  EXPECT_EQ(c.Snapshot(), before);
  RECT r{5, 5, 60, 30};
  InvertRect(c.DC, &r);
  EXPECT_EQ(c.At(5, 5), RGB(255, 255, 255) ^ PixelToColorRef(before[5 * 80 + 5]));
  InvertRect(c.DC, &r);
  EXPECT_EQ(c.Snapshot(), before);
  // other binary operations
  SetROP2(c.DC, R2_BLACK);
  MoveToEx(c.DC, 0, 0, nullptr);
  LineTo(c.DC, 5, 0);
  EXPECT_EQ(c.At(2, 0), RGB(0, 0, 0));
  SetROP2(c.DC, R2_NOT);
  COLORREF old = c.At(2, 60);
  MoveToEx(c.DC, 0, 60, nullptr);
  LineTo(c.DC, 5, 60);
  EXPECT_EQ(c.At(2, 60), old ^ 0xFFFFFF);
}

TEST(GdiDraw, ArcsRunCounterClockwise) {
  TGdiCanvas c(60, 60);
  // from the right (3 o'clock) to the top (12 o'clock): the upper right quarter only
  Arc(c.DC, 0, 0, 41, 41, 40, 20, 20, 0);
  EXPECT_TRUE(c.Dark(34, 6) || c.Dark(34, 5) || c.Dark(35, 6));
  RECT ink = c.Ink();
  EXPECT_GE(ink.left, 19);
  EXPECT_LE(ink.bottom, 22);
  // the other way round draws the remaining three quarters
  c.Surface.Clear(0xFFFFFFFF);
  Arc(c.DC, 0, 0, 41, 41, 20, 0, 40, 20);
  ink = c.Ink();
  EXPECT_EQ(ink.left, 0);
  EXPECT_EQ(ink.bottom, 41);
  // a pie is filled with the brush
  c.Surface.Clear(0xFFFFFFFF);
  SelectObject(c.DC, GetStockObject(BLACK_BRUSH));
  Pie(c.DC, 0, 0, 41, 41, 40, 20, 20, 0);
  EXPECT_TRUE(c.Dark(28, 12));
  EXPECT_FALSE(c.Dark(12, 28));
}

TEST(GdiDraw, BrushesHatchAndPattern) {
  TGdiCanvas c(40, 40);
  RECT r{0, 0, 16, 16};
  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(255, 0, 0));
  SetBkColor(c.DC, RGB(0, 255, 0));
  SetBkMode(c.DC, OPAQUE);
  FillRect(c.DC, &r, hatch);
  int red = 0, green = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      red += c.At(x, y) == RGB(255, 0, 0);
      green += c.At(x, y) == RGB(0, 255, 0);
    }
  EXPECT_EQ(red, 15);
  EXPECT_EQ(green, 49);
  DeleteObject(hatch);

  // a monochrome pattern paints black bits in the text colour and white ones in the background
  const std::uint8_t bits[] = {0xAA, 0, 0x55, 0};   // two rows of 8 pixels, rows padded to 16 bits
  HBITMAP mono = CreateBitmap(8, 2, 1, 1, bits);
  HBRUSH pattern = CreatePatternBrush(mono);
  SetTextColor(c.DC, RGB(0, 0, 255));
  SetBkColor(c.DC, RGB(255, 255, 0));
  RECT p{20, 20, 28, 22};
  FillRect(c.DC, &p, pattern);
  EXPECT_EQ(c.At(20, 20), RGB(255, 255, 0));
  EXPECT_EQ(c.At(21, 20), RGB(0, 0, 255));
  EXPECT_EQ(c.At(20, 21), RGB(0, 0, 255));
  DeleteObject(pattern);
  DeleteObject(mono);
}

TEST(GdiDraw, PathsFillStrokeAndRegion) {
  TGdiCanvas c(50, 50);
  BeginPath(c.DC);
  MoveToEx(c.DC, 10, 10, nullptr);
  LineTo(c.DC, 30, 10);
  LineTo(c.DC, 30, 30);
  LineTo(c.DC, 10, 30);
  CloseFigure(c.DC);
  EndPath(c.DC);
  EXPECT_EQ(c.Ink(), RECT{});   // recording paints nothing
  SelectObject(c.DC, GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(FillPath(c.DC));
  EXPECT_EQ(c.Ink(), (RECT{10, 10, 30, 30}));
  EXPECT_FALSE(FillPath(c.DC));   // the path is used up

  c.Surface.Clear(0xFFFFFFFF);
  BeginPath(c.DC);
  Rectangle(c.DC, 5, 5, 15, 15);
  EndPath(c.DC);
  StrokePath(c.DC);
  EXPECT_EQ(c.Ink(), (RECT{5, 5, 15, 15}));
  EXPECT_FALSE(c.Dark(10, 10));

  BeginPath(c.DC);
  Ellipse(c.DC, 0, 0, 20, 20);
  EndPath(c.DC);
  HRGN r = PathToRegion(c.DC);
  ASSERT_NE(r, nullptr);
  EXPECT_TRUE(PtInRegion(r, 10, 10));
  EXPECT_FALSE(PtInRegion(r, 0, 0));
  DeleteObject(r);
}

TEST(GdiDraw, FloodFillAndPixels) {
  TGdiCanvas c(40, 40);
  Rectangle(c.DC, 5, 5, 25, 25);
  SelectObject(c.DC, GetStockObject(GRAY_BRUSH));
  EXPECT_TRUE(FloodFill(c.DC, 10, 10, RGB(0, 0, 0)));
  EXPECT_EQ(c.At(10, 10), RGB(128, 128, 128));
  EXPECT_EQ(c.At(23, 23), RGB(128, 128, 128));
  EXPECT_EQ(c.At(30, 30), RGB(255, 255, 255));
  EXPECT_EQ(c.At(5, 5), RGB(0, 0, 0));
  EXPECT_TRUE(ExtFloodFill(c.DC, 30, 30, RGB(255, 255, 255), FLOODFILLSURFACE));
  EXPECT_EQ(c.At(39, 0), RGB(128, 128, 128));
  EXPECT_EQ(c.At(6, 6), RGB(128, 128, 128));

  EXPECT_EQ(SetPixel(c.DC, 3, 4, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(c.DC, 3, 4), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(c.DC, 100, 4), CLR_INVALID);
  EXPECT_EQ(SetPixel(c.DC, -1, 4, 0), CLR_INVALID);
}

TEST(GdiDraw, LoMetricFlipsYAndKeepsClipBoxLogical) {
  TGdiCanvas c(200, 200);
  SetDCResolution(c.DC, 254, 254);   // one logical unit per pixel
  EXPECT_EQ(SetMapMode(c.DC, MM_LOMETRIC), MM_TEXT);
  POINT p[2] = {{10, -20}, {0, 0}};
  LPtoDP(c.DC, p, 2);
  EXPECT_EQ(p[0], (POINT{10, 20}));
  DPtoLP(c.DC, p, 1);
  EXPECT_EQ(p[0], (POINT{10, -20}));
  RECT box;
  GetClipBox(c.DC, &box);
  EXPECT_EQ(box, (RECT{0, 0, 200, -200}));
  RECT r{10, -10, 30, -40};
  FillRect(c.DC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(c.Ink(), (RECT{10, 10, 30, 40}));
  // at screen resolution 254 logical units are 96 pixels
  SetDCResolution(c.DC, 96, 96);
  POINT q{254, -254};
  LPtoDP(c.DC, &q, 1);
  EXPECT_EQ(q, (POINT{96, 96}));
}

TEST(GdiDraw, SaveRestoreAndOrigins) {
  TGdiCanvas c(50, 50);
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  int level = SaveDC(c.DC);
  EXPECT_EQ(level, 1);
  SelectObject(c.DC, red);
  SetTextColor(c.DC, RGB(1, 2, 3));
  SetViewportOrgEx(c.DC, 10, 10, nullptr);
  IntersectClipRect(c.DC, 0, 0, 5, 5);
  EXPECT_EQ(SaveDC(c.DC), 2);
  SetTextColor(c.DC, RGB(4, 5, 6));
  EXPECT_TRUE(RestoreDC(c.DC, -1));
  EXPECT_EQ(GetTextColor(c.DC), RGB(1, 2, 3));
  EXPECT_EQ(GetCurrentObject(c.DC, OBJ_PEN), red);
  // the pen is selected: deleting it is deferred until it leaves the DC
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_EQ(GetObjectType(red), OBJ_PEN);
  EXPECT_TRUE(RestoreDC(c.DC, level));
  EXPECT_EQ(GetObjectType(red), 0);
  EXPECT_EQ(GetCurrentObject(c.DC, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_FALSE(RestoreDC(c.DC, 1));
  POINT org;
  GetViewportOrgEx(c.DC, &org);
  EXPECT_EQ(org, (POINT{0, 0}));
  RECT box;
  GetClipBox(c.DC, &box);
  EXPECT_EQ(box, (RECT{0, 0, 50, 50}));

  SetWindowOrgEx(c.DC, -5, -5, nullptr);
  OffsetWindowOrgEx(c.DC, 1, 0, &org);
  EXPECT_EQ(org, (POINT{-5, -5}));
  SetPixel(c.DC, 0, 0, RGB(0, 0, 0));
  EXPECT_TRUE(c.Dark(4, 5));
}

TEST(GdiDraw, ObjectsAndBitmapsInMemoryDCs) {
  HDC screen = CreateScreenDC();
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 20, 10);
  BITMAP bm;
  ASSERT_EQ(GetObject(bmp, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
  EXPECT_EQ(bm.bmWidth, 20);
  EXPECT_EQ(bm.bmHeight, 10);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  HGDIOBJ old = SelectObject(mem, bmp);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(GetCurrentObject(mem, OBJ_BITMAP), bmp);
  // a bitmap can be in one DC only, and cannot be deleted while selected
  HDC other = CreateCompatibleDC(screen);
  EXPECT_EQ(SelectObject(other, bmp), nullptr);
  EXPECT_FALSE(DeleteObject(bmp));
  RECT r{0, 0, 20, 10};
  FillRect(mem, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(GetPixel(mem, 19, 9), RGB(255, 255, 255));
  // a compatible bitmap of a memory DC holding its default bitmap is monochrome
  HBITMAP monoBmp = CreateCompatibleBitmap(other, 4, 4);
  GetObject(monoBmp, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  DeleteObject(monoBmp);
  SelectObject(mem, old);
  EXPECT_TRUE(DeleteObject(bmp));
  EXPECT_EQ(GetObjectType(bmp), 0);
  DeleteDC(other);
  DeleteDC(mem);
  DeleteDC(screen);

  LOGPEN lp;
  HPEN pen = CreatePen(PS_DASH, 3, RGB(1, 2, 3));
  EXPECT_EQ(GetObject(pen, sizeof(lp), &lp), static_cast<int>(sizeof(lp)));
  EXPECT_EQ(lp.lopnStyle, PS_DASH);
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  DeleteObject(pen);
  LOGBRUSH lb;
  HBRUSH br = CreateHatchBrush(HS_BDIAGONAL, RGB(9, 9, 9));
  GetObject(br, sizeof(lb), &lb);
  EXPECT_EQ(lb.lbStyle, BS_HATCHED);
  EXPECT_EQ(lb.lbHatch, static_cast<std::uintptr_t>(HS_BDIAGONAL));
  DeleteObject(br);
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));   // stock objects stay
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), OBJ_BRUSH);
  EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(std::uintptr_t(0x1234))));
}

TEST(GdiDraw, PolyFiguresDrawEachRunAndRejectShortOnes) {
  TGdiCanvas c(60, 40);
  POINT pts[] = {{5, 5}, {15, 5}, {30, 10}, {30, 20}, {40, 20}};
  DWORD lineCounts[] = {2, 3};
  EXPECT_TRUE(PolyPolyline(c.DC, pts, lineCounts, 2));
  EXPECT_TRUE(c.Dark(5, 5));
  EXPECT_TRUE(c.Dark(30, 15));
  EXPECT_FALSE(c.Dark(20, 8));   // the runs are not joined
  DWORD shortRun[] = {2, 1};
  EXPECT_FALSE(PolyPolyline(c.DC, pts, shortRun, 2));

  c.Surface.Clear(0xFFFFFFFF);
  SelectObject(c.DC, GetStockObject(BLACK_BRUSH));
  POINT squares[] = {{2, 2}, {10, 2}, {10, 10}, {2, 10}, {20, 20}, {30, 20}, {30, 30}, {20, 30}};
  int polyCounts[] = {4, 4};
  EXPECT_TRUE(PolyPolygon(c.DC, squares, polyCounts, 2));
  EXPECT_TRUE(c.Dark(6, 6));
  EXPECT_TRUE(c.Dark(25, 25));
  EXPECT_FALSE(c.Dark(15, 15));
  int badCounts[] = {4, 1};
  EXPECT_FALSE(PolyPolygon(c.DC, squares, badCounts, 2));
  EXPECT_FALSE(PolyPolygon(c.DC, squares, polyCounts, 0));
}

TEST(GdiDraw, DCColorsAnswerTheirFormerValue) {
  TGdiCanvas c;
  EXPECT_EQ(SetDCPenColor(c.DC, RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(SetDCPenColor(c.DC, 0xFF102030), RGB(1, 2, 3));
  EXPECT_EQ(SetDCPenColor(c.DC, 0), 0x102030u);   // the top byte is dropped
  EXPECT_EQ(SetDCBrushColor(c.DC, RGB(4, 5, 6)), RGB(255, 255, 255));
  EXPECT_EQ(SetDCBrushColor(c.DC, 0), RGB(4, 5, 6));
  EXPECT_EQ(SetDCPenColor(nullptr, 0), CLR_INVALID);
}

// Outlines reaching a billion pixels beyond the surface are rasterised only where they can show:
// the visible part is drawn as for a short outline, in bounded time.
TEST(GdiDraw, FarReachingOutlinesDrawTheirVisiblePart) {
  TGdiCanvas c(40, 40);
  const int far = 1000000000;
  // A thin line and a dashed one across the surface, each one path figure.
  BeginPath(c.DC);
  MoveToEx(c.DC, -far, 10, nullptr);
  LineTo(c.DC, far, 10);
  EndPath(c.DC);
  EXPECT_TRUE(StrokePath(c.DC));
  EXPECT_EQ(c.Ink(), (RECT{0, 10, 40, 11}));
  HPEN dash = CreatePen(PS_DASH, 1, RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(c.DC, dash);
  BeginPath(c.DC);
  MoveToEx(c.DC, -far, 20, nullptr);
  LineTo(c.DC, far, 20);
  EndPath(c.DC);
  EXPECT_TRUE(StrokePath(c.DC));
  int dark = 0;
  for (int x = 0; x < 40; ++x) dark += c.Dark(x, 20) ? 1 : 0;
  EXPECT_GT(dark, 0);
  EXPECT_LT(dark, 40);
  SelectObject(c.DC, old);
  DeleteObject(dash);
  // A wide pen and a filled square of that size.
  HPEN wide = CreatePen(PS_SOLID, 5, RGB(0, 0, 0));
  old = SelectObject(c.DC, wide);
  c.Surface.Clear(0xFFFFFFFF);
  BeginPath(c.DC);
  MoveToEx(c.DC, 20, -far, nullptr);
  LineTo(c.DC, 20, far);
  EndPath(c.DC);
  EXPECT_TRUE(StrokePath(c.DC));
  EXPECT_EQ(c.Ink(), (RECT{18, 0, 23, 40}));
  SelectObject(c.DC, old);
  DeleteObject(wide);
  c.Surface.Clear(0xFFFFFFFF);
  SelectObject(c.DC, GetStockObject(BLACK_BRUSH));
  SelectObject(c.DC, GetStockObject(NULL_PEN));
  BeginPath(c.DC);
  MoveToEx(c.DC, -far, -far, nullptr);
  LineTo(c.DC, far, -far);
  LineTo(c.DC, far, far);
  LineTo(c.DC, -far, far);
  CloseFigure(c.DC);
  EndPath(c.DC);
  EXPECT_TRUE(FillPath(c.DC));
  EXPECT_TRUE(c.Dark(0, 0));
  EXPECT_TRUE(c.Dark(39, 39));
}
