// Bit transfers: raster operations, stretching, DIB sections, alpha blending and colour keys.
#include "platform/win/tests/GdiTestUtil.h"

namespace {

// A memory DC with a 32-bit bitmap of one colour.
struct TMemory {
  HDC DC;
  HBITMAP Bitmap;
  HGDIOBJ Old;
  TMemory(int W, int H, COLORREF AColor) {
    HDC screen = CreateScreenDC();
    DC = CreateCompatibleDC(screen);
    Bitmap = CreateCompatibleBitmap(screen, W, H);
    DeleteDC(screen);
    Old = SelectObject(DC, Bitmap);
    HBRUSH b = CreateSolidBrush(AColor);
    RECT r{0, 0, W, H};
    FillRect(DC, &r, b);
    DeleteObject(b);
  }
  ~TMemory() {
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
  }
};

BITMAPINFO Info(int W, int H, int ABits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = W;
  bi.bmiHeader.biHeight = H;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = static_cast<WORD>(ABits);
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

}  // namespace

TEST(GdiBlt, RasterOperationsTable) {
  const COLORREF dst = RGB(0x0F, 0xF0, 0x33), src = RGB(0x55, 0xAA, 0x0F), pat = RGB(0x3C, 0xC3, 0x99);
  struct TCase { const char* Name; DWORD Rop; COLORREF Expected; } cases[] = {
      {"SRCCOPY", SRCCOPY, src},
      {"SRCPAINT", SRCPAINT, src | dst},
      {"SRCAND", SRCAND, src & dst},
      {"SRCINVERT", SRCINVERT, src ^ dst},
      {"SRCERASE", SRCERASE, src & (~dst & 0xFFFFFF)},
      {"NOTSRCCOPY", NOTSRCCOPY, ~src & 0xFFFFFF},
      {"DSTINVERT", DSTINVERT, ~dst & 0xFFFFFF},
      {"PATCOPY", PATCOPY, pat},
      {"PATINVERT", PATINVERT, pat ^ dst},
      {"MERGECOPY", MERGECOPY, pat & src},
      {"BLACKNESS", BLACKNESS, 0},
      {"WHITENESS", WHITENESS, 0xFFFFFF},
  };
  TMemory source(4, 4, src);
  for (const TCase& k : cases) {
    TGdiCanvas c(10, 10);
    HBRUSH fill = CreateSolidBrush(dst);
    RECT all{0, 0, 10, 10};
    FillRect(c.DC, &all, fill);
    DeleteObject(fill);
    TSelected brush(c.DC, CreateSolidBrush(pat));
    EXPECT_TRUE(BitBlt(c.DC, 2, 2, 4, 4, source.DC, 0, 0, k.Rop)) << k.Name;
    EXPECT_EQ(c.At(3, 3), k.Expected) << k.Name;
    EXPECT_EQ(c.At(6, 6), dst) << k.Name;
  }
}

TEST(GdiBlt, InvertingOperationsTwiceRestore) {
  TGdiCanvas c(40, 40);
  c.Pattern();
  auto before = c.Snapshot();
  TMemory source(20, 20, RGB(0x12, 0x34, 0x56));
  TSelected brush(c.DC, CreateHatchBrush(HS_DIAGCROSS, RGB(200, 10, 90)));
  for (int i = 0; i < 2; ++i) {
    BitBlt(c.DC, 5, 5, 20, 20, source.DC, 0, 0, SRCINVERT);
    PatBlt(c.DC, 10, 0, 25, 30, PATINVERT);
    PatBlt(c.DC, 0, 10, 30, 25, DSTINVERT);
    if (i == 0) {
      EXPECT_NE(c.Snapshot(), before);
    }
  }
  EXPECT_EQ(c.Snapshot(), before);
}

TEST(GdiBlt, StretchAndOverlappingCopies) {
  TGdiCanvas c(40, 40);
  TMemory source(4, 4, RGB(255, 0, 0));
  SetPixel(source.DC, 0, 0, RGB(0, 0, 255));
  EXPECT_TRUE(StretchBlt(c.DC, 0, 0, 16, 16, source.DC, 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(c.At(3, 3), RGB(0, 0, 255));
  EXPECT_EQ(c.At(4, 3), RGB(255, 0, 0));
  EXPECT_EQ(c.At(15, 15), RGB(255, 0, 0));
  EXPECT_EQ(c.At(16, 15), RGB(255, 255, 255));
  // mirrored by a negative width
  StretchBlt(c.DC, 35, 20, -4, 4, source.DC, 0, 0, 4, 4, SRCCOPY);
  EXPECT_EQ(c.At(34, 20), RGB(0, 0, 255));
  EXPECT_EQ(c.At(31, 20), RGB(255, 0, 0));
  // scrolling within one surface reads the original pixels
  c.Surface.Clear(0xFFFFFFFF);
  for (int x = 0; x < 10; ++x) SetPixel(c.DC, x, 0, RGB(x * 20, 0, 0));
  BitBlt(c.DC, 2, 0, 10, 1, c.DC, 0, 0, SRCCOPY);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(c.At(x + 2, 0), RGB(x * 20, 0, 0));
}

TEST(GdiBlt, DibSectionsShareTheirBits) {
  for (int height : {-8, 8}) {
    for (int bits : {32, 24}) {
      BITMAPINFO bi = Info(6, height, bits);
      void* p = nullptr;
      HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
      ASSERT_NE(dib, nullptr);
      ASSERT_NE(p, nullptr);
      HDC mem = CreateCompatibleDC(nullptr);
      HGDIOBJ old = SelectObject(mem, dib);
      // GDI drawing on the top row lands in the bits at that row
      RECT top{0, 0, 6, 1};
      HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
      FillRect(mem, &top, red);
      DeleteObject(red);
      int stride = ((6 * bits + 31) / 32) * 4;
      int row = height < 0 ? 0 : 7;
      auto* bytes = static_cast<std::uint8_t*>(p) + row * stride;
      EXPECT_EQ(bytes[2], 255) << height << " " << bits;
      EXPECT_EQ(bytes[0], 0);
      // bits written directly show up in GDI
      int otherRow = height < 0 ? 7 : 0;
      static_cast<std::uint8_t*>(p)[otherRow * stride + 1] = 200;   // green of the bottom-left pixel
      EXPECT_EQ(GetGValue(GetPixel(mem, 0, 7)), 200) << height << " " << bits;
      DIBSECTION ds;
      EXPECT_EQ(GetObject(dib, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
      EXPECT_EQ(ds.dsBm.bmBits, p);
      EXPECT_EQ(ds.dsBmih.biHeight, height);
      SelectObject(mem, old);
      DeleteObject(dib);
      DeleteDC(mem);
    }
  }
}

TEST(GdiBlt, DIBitsRoundTripAndStretchDIBits) {
  HDC screen = CreateScreenDC();
  HBITMAP bmp = CreateCompatibleBitmap(screen, 3, 2);
  BITMAPINFO bi = Info(3, 2, 24);   // bottom-up, rows padded to 12 bytes
  std::uint8_t in[24] = {};
  in[0] = 10;         // bottom row, first pixel, blue
  in[12 + 2] = 30;    // top row, first pixel, red
  EXPECT_EQ(SetDIBits(screen, bmp, 0, 2, in, &bi, DIB_RGB_COLORS), 2);
  BITMAPINFO out32 = Info(3, -2, 32);
  std::uint32_t px[6] = {};
  EXPECT_EQ(GetDIBits(screen, bmp, 0, 2, px, &out32, DIB_RGB_COLORS), 2);
  EXPECT_EQ(px[0] & 0xFFFFFF, 0x1E0000u);   // top-down: the top row first
  EXPECT_EQ(px[3] & 0xFFFFFF, 0x00000Au);
  std::uint8_t back[24] = {};
  EXPECT_EQ(GetDIBits(screen, bmp, 0, 2, back, &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(std::memcmp(back, in, sizeof(in)), 0);
  BITMAPINFO query{};
  query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  EXPECT_NE(GetDIBits(screen, bmp, 0, 0, nullptr, &query, DIB_RGB_COLORS), 0);
  EXPECT_EQ(query.bmiHeader.biWidth, 3);
  DeleteObject(bmp);
  DeleteDC(screen);

  TGdiCanvas c(20, 20);
  EXPECT_EQ(StretchDIBits(c.DC, 0, 0, 6, 4, 0, 0, 3, 2, in, &bi, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(c.At(0, 0), RGB(30, 0, 0));
  EXPECT_EQ(c.At(1, 3), RGB(0, 0, 10));
}

TEST(GdiBlt, AlphaBlendAndTransparentBlt) {
  TGdiCanvas c(20, 20);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT all{0, 0, 20, 20};
  FillRect(c.DC, &all, blue);
  DeleteObject(blue);
  TMemory red(10, 10, RGB(255, 0, 0));
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 128, 0};
  EXPECT_TRUE(AlphaBlend(c.DC, 0, 0, 10, 10, red.DC, 0, 0, 10, 10, bf));
  COLORREF mixed = c.At(5, 5);
  EXPECT_NEAR(GetRValue(mixed), 128, 1);
  EXPECT_NEAR(GetBValue(mixed), 127, 1);
  EXPECT_EQ(c.At(10, 10), RGB(0, 0, 255));
  // per-pixel alpha from a premultiplied 32-bit DIB: half-transparent white
  BITMAPINFO bi = Info(2, -2, 32);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* p = static_cast<std::uint32_t*>(bits);
  for (int i = 0; i < 4; ++i) p[i] = 0x80808080u;
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, dib);
  BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  EXPECT_TRUE(AlphaBlend(c.DC, 12, 12, 2, 2, mem, 0, 0, 2, 2, perPixel));
  COLORREF over = c.At(12, 12);
  EXPECT_NEAR(GetRValue(over), 128, 1);
  EXPECT_NEAR(GetBValue(over), 255, 1);
  // a source rectangle outside the source fails
  EXPECT_FALSE(AlphaBlend(c.DC, 0, 0, 4, 4, mem, 0, 0, 4, 4, perPixel));
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);

  // the colour key is left out
  TMemory keyed(4, 1, RGB(255, 0, 255));
  SetPixel(keyed.DC, 1, 0, RGB(0, 255, 0));
  EXPECT_TRUE(TransparentBlt(c.DC, 0, 19, 4, 1, keyed.DC, 0, 0, 4, 1, RGB(255, 0, 255)));
  EXPECT_EQ(c.At(0, 19), RGB(0, 0, 255));
  EXPECT_EQ(c.At(1, 19), RGB(0, 255, 0));
}

TEST(GdiBlt, MonochromeBitmapsUseTextAndBackgroundColours) {
  const std::uint8_t bits[] = {0x80, 0};   // first pixel white (1), the rest black
  HBITMAP mono = CreateBitmap(8, 1, 1, 1, bits);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, mono);
  TGdiCanvas c(10, 2);
  SetTextColor(c.DC, RGB(255, 0, 0));
  SetBkColor(c.DC, RGB(0, 255, 0));
  BitBlt(c.DC, 0, 0, 8, 1, mem, 0, 0, SRCCOPY);
  EXPECT_EQ(c.At(0, 0), RGB(0, 255, 0));
  EXPECT_EQ(c.At(1, 0), RGB(255, 0, 0));
  SelectObject(mem, old);
  DeleteObject(mono);
  DeleteDC(mem);
}
