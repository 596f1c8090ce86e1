// Platform handles to and from GDI+ objects, and the functions the bridge answers itself.
#include <cstring>

#include "platform/gdiplus/tests/GdiPlusTestSupport.h"
#include "platform/rtl/Streams.h"
#include "platform/win/WinIcon.h"
#include "platform/win/Windows.h"

namespace {

// A 32-bit top-down DIB section holding the pixels.
HBITMAP DibOf(int W, int H, const std::vector<std::uint32_t>& APixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = W;
  info.bmiHeader.biHeight = -H;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::memcpy(bits, APixels.data(), APixels.size() * 4);
  return bitmap;
}

std::vector<std::uint32_t> PixelsOf(HBITMAP ABitmap, int W, int H) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = W;
  info.bmiHeader.biHeight = -H;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(W) * H);
  GetDIBits(nullptr, ABitmap, 0, static_cast<UINT>(H), pixels.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

std::vector<std::uint32_t> Opaque(int W, int H) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(x * 40) << 16 | y * 30u << 8 | 7u);
  return pixels;
}

}  // namespace

TEST_F(GdiPlusTest, BitmapsAndIconsConvertPixelExact) {
  const std::vector<std::uint32_t> opaque = Opaque(6, 5);
  HBITMAP source = DibOf(6, 5, opaque);
  GpBitmap* bitmap = nullptr;
  ASSERT_EQ(G.GdipCreateBitmapFromHBITMAP(source, nullptr, &bitmap), Ok);
  ARGB c = 0;
  G.GdipBitmapGetPixel(bitmap, 5, 4, &c);
  EXPECT_EQ(c, opaque[4 * 6 + 5]);
  HBITMAP back = nullptr;
  ASSERT_EQ(G.GdipCreateHBITMAPFromBitmap(bitmap, &back, 0xFFFFFFFF), Ok);
  EXPECT_EQ(PixelsOf(back, 6, 5), opaque);
  DeleteObject(back);
  G.GdipDisposeImage(bitmap);

  // The same bits as a DIB hand over.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 6;
  info.bmiHeader.biHeight = -5;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> bits = opaque;
  ASSERT_EQ(G.GdipCreateBitmapFromGdiDib(&info, bits.data(), &bitmap), Ok);
  G.GdipBitmapGetPixel(bitmap, 2, 3, &c);
  EXPECT_EQ(c, opaque[3 * 6 + 2]);
  G.GdipDisposeImage(bitmap);
  EXPECT_EQ(G.GdipCreateBitmapFromGdiDib(nullptr, bits.data(), &bitmap), InvalidParameter);
  EXPECT_EQ(G.GdipCreateBitmapFromHBITMAP(nullptr, nullptr, &bitmap), InvalidParameter);

  // An icon with opaque, transparent and half-covered (premultiplied) pixels.
  std::vector<std::uint32_t> iconPixels = opaque;
  iconPixels[0] = 0;
  iconPixels[1] = 0x80400020u;
  HBITMAP colour = DibOf(6, 5, iconPixels);
  ICONINFO ii;
  ii.hbmColor = colour;
  HICON icon = CreateIconIndirect(&ii);
  ASSERT_NE(icon, nullptr);
  ASSERT_EQ(G.GdipCreateBitmapFromHICON(icon, &bitmap), Ok);
  G.GdipBitmapGetPixel(bitmap, 1, 0, &c);
  EXPECT_EQ(c, 0x80800040u);   // straight alpha in GDI+
  HICON again = nullptr;
  ASSERT_EQ(G.GdipCreateHICONFromBitmap(bitmap, &again), Ok);
  ICONINFO out;
  ASSERT_TRUE(GetIconInfo(again, &out));
  EXPECT_EQ(PixelsOf(out.hbmColor, 6, 5), iconPixels);
  DeleteObject(out.hbmColor);
  DeleteObject(out.hbmMask);
  DestroyIcon(again);
  DestroyIcon(icon);
  G.GdipDisposeImage(bitmap);
  DeleteObject(colour);
  DeleteObject(source);
}

TEST_F(GdiPlusTest, BitmapResources) {
  static const std::vector<std::uint8_t> file = [] {
    // A 2 x 2 24-bit bottom-up BMP: blue, green / red, white.
    std::vector<std::uint8_t> f(54 + 16, 0);
    BITMAPFILEHEADER h;
    h.bfType = 0x4D42;
    h.bfSize = static_cast<DWORD>(f.size());
    h.bfOffBits = 54;
    std::memcpy(f.data(), &h, sizeof(h));
    BITMAPINFOHEADER i;
    i.biSize = 40;
    i.biWidth = 2;
    i.biHeight = 2;
    i.biPlanes = 1;
    i.biBitCount = 24;
    std::memcpy(f.data() + 14, &i, sizeof(i));
    const std::uint8_t rows[16] = {0, 0, 255, 255, 255, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0};
    std::memcpy(f.data() + 54, rows, 16);
    return f;
  }();
  RegisterResource(StringView(u"GDIPTEST"), StringView(RT_BITMAP), std::span<const Byte>(file.data(), file.size()));
  // The same without its file header, as resource compilers store bitmaps.
  RegisterResource(4711, StringView(RT_BITMAP), std::span<const Byte>(file.data() + 14, file.size() - 14));
  for (const WCHAR* name : {u"GdipTest", reinterpret_cast<const WCHAR*>(std::uintptr_t{4711})}) {
    GpBitmap* bitmap = nullptr;
    ASSERT_EQ(G.GdipCreateBitmapFromResource(nullptr, name, &bitmap), Ok);
    ARGB topLeft = 0, bottomLeft = 0;
    G.GdipBitmapGetPixel(bitmap, 0, 0, &topLeft);
    G.GdipBitmapGetPixel(bitmap, 0, 1, &bottomLeft);
    EXPECT_EQ(topLeft, 0xFF0000FFu);
    EXPECT_EQ(bottomLeft, 0xFFFF0000u);
    G.GdipDisposeImage(bitmap);
  }
  GpBitmap* none = nullptr;
  EXPECT_EQ(G.GdipCreateBitmapFromResource(nullptr, u"NoSuchBitmap", &none), InvalidParameter);
}

TEST_F(GdiPlusTest, RegionsByRectangles) {
  // An L: a tall bar and a foot.
  HRGN l = CreateRectRgn(0, 0, 10, 30), foot = CreateRectRgn(10, 20, 30, 30);
  CombineRgn(l, l, foot, RGN_OR);
  GpRegion* region = nullptr;
  ASSERT_EQ(G.GdipCreateRegionHrgn(l, &region), Ok);
  struct TProbe { INT X, Y; BOOL Inside; } probes[] = {{5, 5, 1}, {25, 25, 1}, {25, 5, 0}, {9, 19, 1}, {10, 19, 0}, {30, 25, 0}};
  for (const TProbe& p : probes) {
    BOOL inside = -1;
    G.GdipIsVisibleRegionPointI(region, p.X, p.Y, nullptr, &inside);
    EXPECT_EQ(inside, p.Inside) << p.X << "," << p.Y;
  }
  HRGN back = nullptr;
  ASSERT_EQ(G.GdipGetRegionHRgn(region, nullptr, &back), Ok);
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(EqualRgn(back, l));
  DeleteObject(back);
  Rect bounds;
  TSurface surface(4, 4);
  HDC dc = CreateSurfaceDC(surface, POINT{0, 0}, nullptr);
  GpGraphics* g = nullptr;
  ASSERT_EQ(G.GdipCreateFromHDC(dc, &g), Ok);
  EXPECT_EQ(G.GdipGetRegionBoundsI(region, g, &bounds), Ok);
  EXPECT_EQ(bounds.X, 0);
  EXPECT_EQ(bounds.Width, 30);
  EXPECT_EQ(bounds.Height, 30);
  // The clip of a graphics from a handle.
  EXPECT_EQ(G.GdipSetClipHrgn(g, l, CombineModeReplace), Ok);
  BOOL visible = 0;
  G.GdipIsVisiblePointI(g, 2, 2, &visible);
  EXPECT_TRUE(visible);
  G.GdipDeleteRegion(region);

  // Float bounds widen to whole pixels.
  RectF f{1.5f, 2.25f, 3, 4};
  ASSERT_EQ(G.GdipCreateRegionRect(&f, &region), Ok);
  ASSERT_EQ(G.GdipGetRegionBoundsI(region, g, &bounds), Ok);
  EXPECT_EQ(bounds.X, 1);
  EXPECT_EQ(bounds.Y, 2);
  EXPECT_EQ(bounds.Width, 4);
  EXPECT_EQ(bounds.Height, 5);
  G.GdipSetInfinite(region);
  ASSERT_EQ(G.GdipGetRegionHRgn(region, g, &back), Ok);
  EXPECT_EQ(back, nullptr);   // an infinite region clips nothing
  G.GdipDeleteRegion(region);
  G.GdipDeleteGraphics(g);
  DeleteDC(dc);
  EXPECT_EQ(G.GdipCreateRegionHrgn(reinterpret_cast<HRGN>(0x10), &region), InvalidParameter);
  DeleteObject(l);
  DeleteObject(foot);
}

TEST_F(GdiPlusTest, FontsFromTheDCAndFamiliesByName) {
  TSurface surface(4, 4);
  HDC dc = CreateSurfaceDC(surface, POINT{0, 0}, nullptr);
  HFONT font = CreateFont(-20, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, u"Arial");
  HGDIOBJ old = SelectObject(dc, font);
  GpFont* f = nullptr;
  ASSERT_EQ(G.GdipCreateFontFromDC(dc, &f), Ok);
  REAL size = 0;
  INT style = -1;
  G.GdipGetFontSize(f, &size);
  G.GdipGetFontStyle(f, &style);
  EXPECT_EQ(size, 20.0f);
  EXPECT_EQ(style, FontStyleBold | FontStyleItalic);
  G.GdipDeleteFont(f);
  SelectObject(dc, old);
  DeleteObject(font);
  EXPECT_EQ(G.GdipCreateFontFromDC(reinterpret_cast<HDC>(0x99), &f), InvalidParameter);
  DeleteDC(dc);

  GpFontFamily* family = reinterpret_cast<GpFontFamily*>(1);
  EXPECT_EQ(G.GdipCreateFontFamilyFromName(u"NoSuchFamily", nullptr, &family), FontFamilyNotFound);
  EXPECT_EQ(family, nullptr);
  for (const WCHAR* name : {u"Arial", u"Tahoma", u"DejaVu Sans"}) {
    ASSERT_EQ(G.GdipCreateFontFamilyFromName(name, nullptr, &family), Ok) << UTF8Encode(String(name));
    G.GdipDeleteFontFamily(family);
  }
}

TEST_F(GdiPlusTest, PointsBetweenSpacesCachedBitmapsAndComments) {
  TSurface surface(40, 40);
  surface.Clear(0);
  HDC dc = CreateSurfaceDC(surface, POINT{0, 0}, nullptr);
  GpGraphics* g = nullptr;
  ASSERT_EQ(G.GdipCreateFromHDC(dc, &g), Ok);
  G.GdipScaleWorldTransform(g, 2, 3, MatrixOrderPrepend);
  G.GdipTranslateWorldTransform(g, 10, 0, MatrixOrderAppend);
  PointF p[1] = {{1, 1}};
  ASSERT_EQ(G.GdipTransformPoints(g, CoordinateSpaceDevice, CoordinateSpaceWorld, p, 1), Ok);
  EXPECT_EQ(p[0].X, 12.0f);
  EXPECT_EQ(p[0].Y, 3.0f);
  ASSERT_EQ(G.GdipTransformPoints(g, CoordinateSpaceWorld, CoordinateSpaceDevice, p, 1), Ok);
  EXPECT_FLOAT_EQ(p[0].X, 1.0f);
  G.GdipSetPageUnit(g, UnitInch);
  G.GdipSetPageScale(g, 0.5f);
  Point q[1] = {{1, 2}};
  ASSERT_EQ(G.GdipTransformPointsI(g, CoordinateSpaceDevice, CoordinateSpacePage, q, 1), Ok);
  EXPECT_EQ(q[0].X, 48);
  EXPECT_EQ(q[0].Y, 96);
  EXPECT_EQ(G.GdipTransformPoints(g, CoordinateSpaceDevice, CoordinateSpaceWorld, nullptr, 1), InvalidParameter);
  G.GdipResetWorldTransform(g);
  G.GdipSetPageUnit(g, UnitPixel);
  G.GdipSetPageScale(g, 1);

  GpBitmap* bitmap = nullptr;
  std::vector<std::uint32_t> pixels(4 * 4, 0xFF00FF00u);
  G.GdipCreateBitmapFromScan0(4, 4, 16, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(pixels.data()), &bitmap);
  GpCachedBitmap* cached = nullptr;
  ASSERT_EQ(G.GdipCreateCachedBitmap(bitmap, g, &cached), Ok);
  G.GdipDisposeImage(bitmap);
  EXPECT_EQ(G.GdipDrawCachedBitmap(g, cached, 5, 6), Ok);
  EXPECT_EQ(G.GdipDeleteCachedBitmap(cached), Ok);
  EXPECT_EQ(G.GdipDeleteCachedBitmap(cached), InvalidParameter);
  EXPECT_EQ(G.GdipComment(g, 0, nullptr), NotImplemented);
  G.GdipDeleteGraphics(g);
  DeleteDC(dc);
  EXPECT_EQ(surface.Pixel(5, 6), 0xFF00FF00u);
  EXPECT_EQ(surface.Pixel(8, 9), 0xFF00FF00u);
  EXPECT_EQ(surface.Pixel(9, 10), 0u);
}
