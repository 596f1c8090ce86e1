#include "lib/grid/core/NeoGridAlphaMask.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/rtl/SysUtils.h"
#include "platform/ui/PngImage.h"
#include "platform/win/Headless.h"

namespace {

class GridAlphaMask : public ::testing::Test {
protected:
  void SetUp() override { Headless::Use(); }
};

Byte* Px(TBitmap& Bitmap, Integer X, Integer Y, Integer Size = 3) {
  return static_cast<Byte*>(Bitmap.GetScanLine(Y)) + Size * X;
}

// A pf24bit bitmap whose pixel (x, y) holds the bytes F(x, y) in all three channels.
template <class F> void Fill24(TBitmap& Bitmap, Integer W, Integer H, F&& Value) {
  Bitmap.SetPixelFormat(pf24bit);
  Bitmap.SetSize(W, H);
  for (Integer y = 0; y < H; ++y)
    for (Integer x = 0; x < W; ++x) std::memset(Px(Bitmap, x, y), Value(x, y), 3);
}

TEST_F(GridAlphaMask, KernelRadiusAndWeights) {
  struct Case {
    Double Sigma;
    Integer Radius;
    float Centre;
  };
  // Centre weights: 1 / sum over the kept offsets of exp(-(k / sigma)^2 / 2).
  for (const Case& c : {Case{1.0, 2, 0.4026199f}, Case{3.0, 8, 0.1335712f}, Case{5.0, 9, 0.0846129f},
                        Case{10.0, 9, 0.0606213f}}) {
    TBlurKernel k = MakeBlurKernel(c.Sigma);
    EXPECT_EQ(k.Radius, c.Radius) << c.Sigma;
    EXPECT_NEAR(k.Weights[10], c.Centre, 2e-6) << c.Sigma;
    double sum = 0;
    for (Integer i = 0; i < 21; ++i) {
      sum += k.Weights[i];
      if (std::abs(i - 10) > c.Radius) {
        EXPECT_EQ(k.Weights[i], 0.0f) << c.Sigma << " " << i;
      }
      EXPECT_EQ(k.Weights[i], k.Weights[20 - i]);
    }
    EXPECT_NEAR(sum, 1.0, 1e-6) << c.Sigma;
  }
}

TEST_F(GridAlphaMask, ChannelSumsClampThenTruncate) {
  EXPECT_EQ(BlurChannelByte(255.0), 255);
  EXPECT_EQ(BlurChannelByte(255.4), 255);
  EXPECT_EQ(BlurChannelByte(-0.2), 0);
  EXPECT_EQ(BlurChannelByte(127.9), 127);
}

TEST_F(GridAlphaMask, BlurKeepsFlatAreasAndSpreadsAnEdge) {
  TBitmap b;
  Fill24(b, 10, 5, [](Integer x, Integer) { return x < 5 ? 0 : 200; });
  BlurBitmap24(&b, 1.0);
  EXPECT_EQ(*Px(b, 0, 2), 0);
  EXPECT_EQ(*Px(b, 9, 2), 200);
  EXPECT_GT(*Px(b, 4, 2), 0);
  EXPECT_LT(*Px(b, 5, 2), 200);
  EXPECT_LT(*Px(b, 4, 2), *Px(b, 5, 2));
  EXPECT_EQ(*Px(b, 4, 0), *Px(b, 4, 4));  // the vertical pass leaves uniform columns alone
}

TEST_F(GridAlphaMask, MiddleRowsAreCopiedFromRowFifteenFromFortyTwoRows) {
  // A horizontal step near the bottom: in 41 rows every row is blurred, in 42 the middle row 21
  // takes row 15 before the columns are blurred.
  for (Integer h : {41, 42}) {
    TBitmap b, plain;
    auto value = [h](Integer x, Integer y) { return y == 21 ? (x % 2 ? 255 : 0) : 100; };
    Fill24(b, 8, h, value);
    BlurBitmap24(&b, 1.0);
    Fill24(plain, 8, h, [](Integer, Integer) { return 100; });
    BlurBitmap24(&plain, 1.0);
    bool sameAsFlat = std::memcmp(b.GetScanLine(21), plain.GetScanLine(21), 8 * 3) == 0;
    EXPECT_EQ(sameAsFlat, h == 42) << h;
  }
}

TEST_F(GridAlphaMask, BlurRefusesOtherFormatsAndLeavesThemAlone) {
  TBitmap b;
  b.SetPixelFormat(pf32bit);
  b.SetSize(4, 4);
  std::memset(b.GetScanLine(0), 0x5A, 16);
  try {
    BlurBitmap24(&b, 3.0);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, u"Blur only works for 24-bit bitmaps");
  }
  EXPECT_EQ(b.GetPixelFormat(), pf32bit);
  EXPECT_EQ(*static_cast<Byte*>(b.GetScanLine(0)), 0x5A);
  BlurBitmap24(nullptr, 3.0);
}

TEST_F(GridAlphaMask, RoundRectMaskHardAndBlurred) {
  TBitmap hard, soft;
  MakeRoundRectMask(&hard, 40, 30, 4, 5, 0);
  EXPECT_EQ(hard.GetPixelFormat(), pf24bit);
  EXPECT_EQ(*Px(hard, 0, 15), 0);        // outside
  EXPECT_EQ(*Px(hard, 20, 15), 0);       // inside an outline
  EXPECT_EQ(*Px(hard, 4, 15), 255);      // on the 4-pixel outline round x = 4
  MakeRoundRectMask(&soft, 40, 30, 4, 5, 3.0);
  EXPECT_GT(*Px(soft, 0, 15), 0);        // the glow spreads outward
  EXPECT_LT(*Px(soft, 4, 15), 255);
  EXPECT_GT(*Px(soft, 4, 15), *Px(soft, 0, 15));
  TBitmap filled;
  MakeRoundRectMask(&filled, 40, 30, 0, 5, 0);
  EXPECT_EQ(*Px(filled, 20, 15), 255);
  EXPECT_EQ(*Px(filled, 1, 15), 0);
}

TEST_F(GridAlphaMask, MergeMaskPremultipliesByTheRedByte) {
  TBitmap mask, colour;
  Fill24(mask, 3, 1, [](Integer x, Integer) { return x == 0 ? 0 : x == 1 ? 128 : 255; });
  Fill24(colour, 3, 1, [](Integer, Integer) { return 0; });
  for (Integer x = 0; x < 3; ++x) {
    Byte* p = Px(colour, x, 0);
    p[0] = 0x97, p[1] = 0xD3, p[2] = 0xFD;
  }
  TGridAlphaMask m;
  EXPECT_EQ(m.GetOpacity(), 255);
  m.MergeMask(&mask, &colour, clRed);
  ASSERT_EQ(m.GetWidth(), 3);
  EXPECT_EQ(m.GetPixelFormat(), pf32bit);
  struct Case {
    Integer X;
    Byte B, G, R, A;
  };
  // 128 / 255 x 0x97 = 75.8 -> 76; x 0xD3 = 105.9 -> 106; x 0xFD = 127.0 -> 127.
  for (const Case& c : {Case{0, 0, 0, 0, 0}, Case{1, 76, 106, 127, 128}, Case{2, 0x97, 0xD3, 0xFD, 255}}) {
    Byte* p = Px(m, c.X, 0, 4);
    EXPECT_EQ(p[0], c.B) << c.X;
    EXPECT_EQ(p[1], c.G) << c.X;
    EXPECT_EQ(p[2], c.R) << c.X;
    EXPECT_EQ(p[3], c.A) << c.X;
  }
  // A 32-bit bitmap or a mask smaller than the bitmap leaves the mask as it is.
  TBitmap wide, small;
  Fill24(small, 2, 1, [](Integer, Integer) { return 255; });
  m.MergeMask(&small, &colour, clRed);
  wide.SetPixelFormat(pf32bit);
  wide.SetSize(9, 9);
  m.MergeMask(&mask, &wide, clRed);
  m.MergeMask(nullptr, nullptr, clRed);
  EXPECT_EQ(m.GetWidth(), 3);
  EXPECT_EQ(Px(m, 1, 0, 4)[3], 128);
}

TEST_F(GridAlphaMask, AssignCopiesOpacityAndRows) {
  TGridAlphaMask a, b;
  a.SetSize(2, 2);
  b.SetSize(2, 2);
  std::memset(a.GetScanLine(1), 0x33, 8);
  a.SetOpacity(230);
  b.Assign(&a);
  EXPECT_EQ(b.GetOpacity(), 230);
  EXPECT_EQ(Px(b, 1, 1, 4)[3], 0x33);
  TBitmap plain;
  plain.SetPixelFormat(pf24bit);
  plain.SetSize(5, 4);
  b.Assign(&plain);
  EXPECT_EQ(b.GetWidth(), 5);
  EXPECT_EQ(b.GetPixelFormat(), pf32bit);
}

}  // namespace
