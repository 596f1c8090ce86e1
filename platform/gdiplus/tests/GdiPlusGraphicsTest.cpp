// Graphics over the platform's device contexts: GDI+ lands at the DC's pixels, within its clip,
// in order with GDI drawing; save numbers; bad DCs.
#include <functional>
#include <memory>

#include "platform/gdiplus/tests/GdiPlusTestSupport.h"
#include "platform/win/Headless.h"
#include "platform/win/Windows.h"

namespace {

// A DC of one of the kinds a graphics is made over, with what it draws into.
struct TDCCase {
  const char* Name;
  std::function<HDC()> Make;
  std::function<void(HDC)> Free;
};

// A memory DC over a 32-bit top-down DIB section, transparent.
struct TDibDC {
  HBITMAP Bitmap = nullptr;
  HGDIOBJ Old = nullptr;
  HDC DC = nullptr;
  TDibDC(int W, int H) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = W;
    info.bmiHeader.biHeight = -H;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    Bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    DC = CreateCompatibleDC(nullptr);
    Old = SelectObject(DC, Bitmap);
  }
  ~TDibDC() {
    SelectObject(DC, Old);
    DeleteDC(DC);
    DeleteObject(Bitmap);
  }
};

LRESULT PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

class GdiPlusDCTest : public GdiPlusTest {
protected:
  void SetUp() override {
    Headless::Use();
    WNDCLASSEX wc;
    wc.lpfnWndProc = PlainProc;
    wc.lpszClassName = u"GdiPlusPlain";
    RegisterClassEx(&wc);
    GdiPlusTest::SetUp();
  }
  void TearDown() override {
    GdiPlusTest::TearDown();
    Headless::Reset();
  }

  // The cases: direct (memory DC, child window) and through a scratch buffer (a two-rectangle
  // clip region, a negative origin, a clip box away from the origin).
  std::vector<TDCCase> Cases() {
    static std::unique_ptr<TDibDC> dib;
    static TSurface surface(120, 80);
    return {
        {"memory DC over a DIB section",
         [] {
           dib = std::make_unique<TDibDC>(120, 80);
           return dib->DC;
         },
         [](HDC) { dib.reset(); }},
        {"child window",
         [] {
           HWND top = CreateWindowEx(0, u"GdiPlusPlain", u"", WS_POPUP | WS_VISIBLE, 0, 0, 160, 110, nullptr, nullptr,
                                     nullptr, nullptr);
           HWND child = CreateWindowEx(0, u"GdiPlusPlain", u"", WS_CHILD | WS_VISIBLE, 17, 9, 120, 80, top, nullptr,
                                       nullptr, nullptr);
           Headless::RunUntilIdle();
           return GetDC(child);
         },
         [](HDC dc) { ReleaseDC(nullptr, dc); }},
        {"two-rectangle clip region",
         [] {
           dib = std::make_unique<TDibDC>(120, 80);
           HRGN a = CreateRectRgn(0, 0, 62, 80), b = CreateRectRgn(70, 5, 120, 75);
           CombineRgn(a, a, b, RGN_OR);
           SelectClipRgn(dib->DC, a);
           DeleteObject(a);
           DeleteObject(b);
           return dib->DC;
         },
         [](HDC) { dib.reset(); }},
        {"negative origin",
         [] {
           surface.Clear(0);
           return CreateSurfaceDC(surface, POINT{-6, -4}, nullptr);
         },
         [](HDC dc) { DeleteDC(dc); }},
        {"clip box away from the origin",
         [] {
           surface.Clear(0);
           RECT limit{8, 3, 110, 78};
           return CreateSurfaceDC(surface, POINT{0, 0}, &limit);
         },
         [](HDC dc) { DeleteDC(dc); }},
    };
  }
};

// Reads the DC's pixels at device coordinates.
struct TView {
  HDC DC;
  std::uint32_t At(int X, int Y) const {
    POINT o = GetDCOrigin(DC);
    return GetDCSurface(DC)->Pixel(X + o.x, Y + o.y);
  }
  bool InClip(int X, int Y) const {
    POINT o = GetDCOrigin(DC);
    for (const RECT& r : GetDCSurfaceClipRects(DC))
      if (X + o.x >= r.left && X + o.x < r.right && Y + o.y >= r.top && Y + o.y < r.bottom) return true;
    return false;
  }
};

}  // namespace

TEST_F(GdiPlusDCTest, DrawingLandsAtTheDCsPixelsWithinItsClip) {
  const std::vector<TDCCase> cases = Cases();
  for (std::size_t index = 0; index < cases.size(); ++index) {
    const TDCCase& c = cases[index];
    SCOPED_TRACE(c.Name);
    HDC dc = c.Make();
    ASSERT_NE(dc, nullptr);
    TSurface& s = *GetDCSurface(dc);
    std::vector<std::uint32_t> before;
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x) before.push_back(s.Pixel(x, y));
    TView v{dc};

    GpGraphics* g = nullptr;
    ASSERT_EQ(G.GdipCreateFromHDC(dc, &g), Ok);
    G.GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
    GpSolidFill* red = nullptr;
    G.GdipCreateSolidFill(0xFFFF0000, &red);
    EXPECT_EQ(G.GdipFillEllipse(g, red, 10, 10, 40, 30), Ok);
    GpLineGradient* gradient = nullptr;
    RectF band{72, 20, 40, 20};
    G.GdipCreateLineBrushFromRect(&band, 0xFF0000FF, 0xFF00FF00, LinearGradientModeHorizontal, WrapModeTile, &gradient);
    EXPECT_EQ(G.GdipFillRectangle(g, gradient, 72, 20, 40, 20), Ok);
    EXPECT_EQ(G.GdipFlush(g, FlushIntentionSync), Ok);

    EXPECT_EQ(v.At(30, 25), 0xFFFF0000u);
    // The ellipse's rim is partly covered: partial alpha on a transparent surface.
    int edgeAlpha = Alpha(v.At(10, 25)) + Alpha(v.At(49, 25));
    EXPECT_GT(edgeAlpha, 0);
    EXPECT_LT(edgeAlpha, 2 * 255);
    std::uint32_t left = v.At(74, 30), right = v.At(109, 30);
    EXPECT_GT(left & 0xFF, (left >> 8) & 0xFF) << std::hex << left;   // more blue than green
    EXPECT_GT((right >> 8) & 0xFF, right & 0xFF) << std::hex << right;

    // GDI between GDI+ calls, through the graphics' own DC: the line shows, then GDI+ covers part.
    HDC gdi = nullptr;
    ASSERT_EQ(G.GdipGetDC(g, &gdi), Ok);
    EXPECT_EQ(gdi, dc);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(gdi, pen);
    MoveToEx(gdi, 20, 60, nullptr);
    LineTo(gdi, 50, 60);
    SelectObject(gdi, oldPen);
    DeleteObject(pen);
    EXPECT_EQ(G.GdipReleaseDC(g, gdi), Ok);
    EXPECT_EQ(G.GdipFillRectangleI(g, red, 40, 55, 20, 10), Ok);
    EXPECT_EQ(G.GdipDeleteGraphics(g), Ok);
    EXPECT_EQ(v.At(25, 60), 0xFF000000u);
    EXPECT_EQ(v.At(45, 60), 0xFFFF0000u);
    SavePng(s, std::string("gdiplus-dc-") + std::to_string(index) + ".png");

    // A full fill after resetting the GDI+ clip stays inside the DC's clip.
    ASSERT_EQ(G.GdipCreateFromHDC(dc, &g), Ok);
    EXPECT_EQ(G.GdipResetClip(g), Ok);
    EXPECT_EQ(G.GdipFillRectangleI(g, red, -1000, -1000, 3000, 3000), Ok);
    EXPECT_EQ(G.GdipDeleteGraphics(g), Ok);
    POINT o = GetDCOrigin(dc);
    int outside = 0, changedOutside = 0, inside = 0, notFilled = 0;
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x) {
        bool in = v.InClip(x - o.x, y - o.y);
        std::uint32_t now = s.Pixel(x, y);
        if (in) {
          ++inside;
          notFilled += now != 0xFFFF0000u;
        } else {
          ++outside;
          changedOutside += now != before[static_cast<std::size_t>(y) * s.Width() + x];
        }
      }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(notFilled, 0);
    EXPECT_EQ(changedOutside, 0) << "of " << outside;
    G.GdipDeleteBrush(red);
    G.GdipDeleteBrush(gradient);
    c.Free(dc);
  }
}

TEST_F(GdiPlusDCTest, RegionClipIsHonouredBeforeTheFullFill) {
  TDibDC dib(120, 80);
  HRGN a = CreateRectRgn(0, 0, 62, 80), b = CreateRectRgn(70, 5, 120, 75);
  CombineRgn(a, a, b, RGN_OR);
  SelectClipRgn(dib.DC, a);
  GpGraphics* g = nullptr;
  ASSERT_EQ(G.GdipCreateFromHDC(dib.DC, &g), Ok);
  GpSolidFill* blue = nullptr;
  G.GdipCreateSolidFill(0xFF0000FF, &blue);
  G.GdipFillRectangleI(g, blue, 0, 0, 120, 80);
  G.GdipDeleteGraphics(g);
  G.GdipDeleteBrush(blue);
  TSurface& s = *GetDCSurface(dib.DC);
  EXPECT_EQ(s.Pixel(61, 40), 0xFF0000FFu);
  EXPECT_EQ(s.Pixel(65, 40), 0u);    // the gap between the rectangles
  EXPECT_EQ(s.Pixel(90, 2), 0u);     // above the second rectangle
  EXPECT_EQ(s.Pixel(90, 40), 0xFF0000FFu);
  DeleteObject(a);
  DeleteObject(b);
}

TEST_F(GdiPlusDCTest, GraphicsOfAWindowAndBadDCs) {
  HWND top = CreateWindowEx(0, u"GdiPlusPlain", u"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 40, nullptr, nullptr, nullptr,
                            nullptr);
  GpGraphics* g = nullptr;
  ASSERT_EQ(G.GdipCreateFromHWND(top, &g), Ok);
  REAL dpi = 0;
  EXPECT_EQ(G.GdipGetDpiX(g, &dpi), Ok);
  EXPECT_EQ(dpi, 96.0f);
  EXPECT_EQ(G.GdipGraphicsClear(g, 0xFF102030), Ok);
  EXPECT_EQ(G.GdipDeleteGraphics(g), Ok);
  EXPECT_EQ(Headless::WindowSurface(top)->Pixel(10, 10), 0xFF102030u);

  g = reinterpret_cast<GpGraphics*>(1);
  EXPECT_EQ(G.GdipCreateFromHDC(reinterpret_cast<HDC>(0x1234), &g), InvalidParameter);
  EXPECT_EQ(g, nullptr);
  HDC gone = CreateCompatibleDC(nullptr);
  DeleteDC(gone);
  EXPECT_EQ(G.GdipCreateFromHDC(gone, &g), InvalidParameter);
  EXPECT_EQ(G.GdipCreateFromHDC(nullptr, &g), InvalidParameter);
}

TEST_F(GdiPlusDCTest, SaveNumbersAreNeverReusedAndStaleOnesDoNothing) {
  TDibDC dib(10, 10);
  GpGraphics* g = nullptr;
  ASSERT_EQ(G.GdipCreateFromHDC(dib.DC, &g), Ok);
  auto scale = [&] {
    REAL s = 0;
    G.GdipGetPageScale(g, &s);
    return s;
  };
  GraphicsState s1 = 0, s2 = 0, s3 = 0;
  G.GdipSetPageScale(g, 1);
  ASSERT_EQ(G.GdipSaveGraphics(g, &s1), Ok);
  G.GdipSetPageScale(g, 2);
  ASSERT_EQ(G.GdipSaveGraphics(g, &s2), Ok);
  G.GdipSetPageScale(g, 3);
  EXPECT_EQ(G.GdipRestoreGraphics(g, s1), Ok);
  EXPECT_EQ(scale(), 1.0f);
  ASSERT_EQ(G.GdipSaveGraphics(g, &s3), Ok);
  EXPECT_NE(s3, s1);
  EXPECT_NE(s3, s2);
  G.GdipSetPageScale(g, 4);
  // s2 went with the restore of s1: restoring it changes nothing.
  EXPECT_EQ(G.GdipRestoreGraphics(g, s2), Ok);
  EXPECT_EQ(scale(), 4.0f);
  EXPECT_EQ(G.GdipRestoreGraphics(g, s3), Ok);
  EXPECT_EQ(scale(), 1.0f);
  EXPECT_EQ(G.GdipDeleteGraphics(g), Ok);
}
