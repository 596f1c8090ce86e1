// The imported GDI+ wrapper set: imports and start-up, images and their formats, the drawing
// surface over bitmaps and a canvas.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "lib/graphics/NeoGDIP.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Units.h"
#include "platform/ui/Graphics.h"
#include "platform/win/Headless.h"
#include "platform/win/ObjIdl.h"
#include "platform/win/WinBase.h"

namespace {

struct TStreamRelease {
  void operator()(IStream* AStream) const { AStream->Release(); }
};
using TStreamPtr = std::unique_ptr<IStream, TStreamRelease>;

// A stream over a copy of the bytes (its memory freed with the stream).
TStreamPtr StreamOf(const std::vector<std::uint8_t>& ABytes) {
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, ABytes.size());
  std::memcpy(GlobalLock(global), ABytes.data(), ABytes.size());
  GlobalUnlock(global);
  IStream* stream = nullptr;
  EXPECT_EQ(CreateStreamOnHGlobal(global, TRUE, &stream), S_OK);
  return TStreamPtr(stream);
}

std::vector<std::uint8_t> FileBytes(const char* AName) {
  std::ifstream file(std::string(ZELK_TEST_DATA) + "/" + AName, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void PutLE(std::vector<std::uint8_t>& ABytes, std::uint32_t AValue, int ASize) {
  for (int i = 0; i < ASize; ++i) ABytes.push_back(static_cast<std::uint8_t>(AValue >> (8 * i)));
}

// A 2 x 1 BMP of 24 bits: a red pixel, then a blue one.
std::vector<std::uint8_t> SmallBmp() {
  std::vector<std::uint8_t> b{'B', 'M'};
  PutLE(b, 62, 4), PutLE(b, 0, 4), PutLE(b, 54, 4);
  PutLE(b, 40, 4), PutLE(b, 2, 4), PutLE(b, 1, 4), PutLE(b, 1, 2), PutLE(b, 24, 2);
  PutLE(b, 0, 4), PutLE(b, 8, 4), PutLE(b, 2835, 4), PutLE(b, 2835, 4), PutLE(b, 0, 4), PutLE(b, 0, 4);
  for (std::uint8_t v : {0, 0, 255, 255, 0, 0, 0, 0}) b.push_back(v);
  return b;
}

// The unit registered and initialised as a program does it.
class NeoGDIPTest : public ::testing::Test {
protected:
  void SetUp() override {
    Units().Clear();
    RegisterGdiplusModule();
    RegisterNeoGDIPUnit();
    InitializeUnits();
  }
  void TearDown() override {
    FinalizeUnits();
    Units().Clear();
  }
};

using namespace NeoGDIP;

TEST_F(NeoGDIPTest, FormatOfImagesFromStreamsAndMemory) {
  struct TCase {
    const char* Name;
    std::vector<std::uint8_t> Bytes;
    TGPImageFormat Format;
    UINT Width;
  };
  const TCase cases[] = {{"png", FileBytes("quad.png"), ifPNG, 8}, {"bmp", SmallBmp(), ifBMP, 2}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TStreamPtr stream = StreamOf(c.Bytes);
    std::unique_ptr<TGPImage> image(new TGPImage(stream.get()));
    ASSERT_EQ(image->lastResult, Ok);
    EXPECT_EQ(image->GetFormat(), c.Format);
    EXPECT_GT(image->GetWidth(), 0u);
    TStreamPtr again = StreamOf(c.Bytes);
    std::unique_ptr<TGPBitmap> bitmap(TGPBitmap::FromStream(again.get()));
    EXPECT_EQ(bitmap->GetFormat(), c.Format);
  }
  std::unique_ptr<TGPBitmap> memory(new TGPBitmap(5, 3));
  EXPECT_EQ(memory->GetFormat(), ifMemoryBMP);
  EXPECT_EQ(memory->GetWidth(), 5u);
  EXPECT_EQ(memory->GetHeight(), 3u);
  EXPECT_EQ(memory->GetPixelDepth(), 32u);
  EXPECT_TRUE(memory->HasAlphaChannel());
  EXPECT_FALSE(memory->HasPalette());

  // Bytes that are no picture: no image, and every getter answers its failure value.
  TStreamPtr junk = StreamOf({1, 2, 3, 4, 5, 6, 7, 8});
  std::unique_ptr<TGPImage> none(new TGPImage(junk.get()));
  EXPECT_NE(none->lastResult, Ok);
  EXPECT_EQ(none->nativeImage, nullptr);
  EXPECT_EQ(none->GetFormat(), ifUndefined);
  EXPECT_EQ(none->GetWidth(), 0u);
  EXPECT_EQ(none->GetHeight(), 0u);
}

TEST_F(NeoGDIPTest, BmpPixelsAndSaveAddWithoutImage) {
  TStreamPtr stream = StreamOf(SmallBmp());
  std::unique_ptr<TGPBitmap> bitmap(new TGPBitmap(stream.get()));
  ARGB color = 0;
  ASSERT_EQ(bitmap->GetPixel(0, 0, color), Ok);
  EXPECT_EQ(color, RGBToOpaqueARGB(255, 0, 0));
  ASSERT_EQ(bitmap->GetPixel(1, 0, color), Ok);
  EXPECT_EQ(color, RGBToOpaqueARGB(0, 0, 255));
  EXPECT_NE(bitmap->GetPixel(7, 7, color), Ok);

  EXPECT_EQ(bitmap->SaveAdd(nullptr, nullptr), InvalidParameter);
  EXPECT_EQ(bitmap->lastResult, InvalidParameter);
}

TEST_F(NeoGDIPTest, DrawImageRectRoundsHalvesToEven) {
  std::unique_ptr<TGPBitmap> source(new TGPBitmap(10, 20));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 10; ++x) source->SetPixel(x, y, RGBToOpaqueARGB(255, 0, 0));
  std::unique_ptr<TGPBitmap> target(new TGPBitmap(30, 30));
  std::unique_ptr<TGPGraphics> g(TGPGraphics::FromImage(target.get()));
  ASSERT_EQ(g->lastResult, Ok);
  ASSERT_EQ(g->Clear(RGBToOpaqueARGB(255, 255, 255)), Ok);
  ASSERT_EQ(g->DrawImageRect(source.get(), TGPRectF{0.5f, 1.5f, 10.5f, 20.5f}), Ok);
  g.reset();
  const struct {
    Integer X, Y;
    bool Red;
  } probes[] = {{0, 2, true}, {9, 21, true}, {5, 10, true}, {0, 1, false}, {10, 10, false}, {5, 22, false}};
  for (const auto& p : probes) {
    ARGB color = 0;
    target->GetPixel(p.X, p.Y, color);
    EXPECT_EQ(color == RGBToOpaqueARGB(255, 0, 0), p.Red) << p.X << "," << p.Y << " " << std::hex << color;
  }
}

TEST_F(NeoGDIPTest, SurfaceWithoutImageAndItsStatus) {
  std::unique_ptr<TGPGraphics> g(new TGPGraphics(static_cast<TGPImage*>(nullptr)));
  EXPECT_EQ(g->nativeGraphics, nullptr);
  EXPECT_EQ(g->lastResult, Ok);
  EXPECT_EQ(g->GetSmoothingMode(), gdip::SmoothingModeInvalid);
  EXPECT_EQ(g->GetLastStatus(), InvalidParameter);
  EXPECT_EQ(g->GetLastStatus(), Ok);
}

TEST_F(NeoGDIPTest, SurfaceOverBitmapCanvas) {
  Headless::Use();
  {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(20, 10);
    std::unique_ptr<TGPGraphics> g(new TGPGraphics(bitmap.GetCanvas()->GetHandle()));
    ASSERT_EQ(g->lastResult, Ok);
    EXPECT_EQ(g->SetSmoothingMode(gdip::SmoothingModeAntiAlias), Ok);
    EXPECT_EQ(g->GetSmoothingMode(), gdip::SmoothingModeAntiAlias);
    EXPECT_EQ(g->Clear(ColorToOpaqueARGB(clBtnFace)), Ok);
    std::unique_ptr<TGPBitmap> dot(new TGPBitmap(2, 2));
    for (int i = 0; i < 4; ++i) dot->SetPixel(i % 2, i / 2, ColorToARGB(255, clRed));
    EXPECT_EQ(g->DrawImage(dot.get(), 6, 4), Ok);
    g.reset();
    EXPECT_EQ(bitmap.GetCanvas()->GetPixels(0, 0), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_EQ(bitmap.GetCanvas()->GetPixels(7, 5), clRed);
  }
  Headless::Reset();
}

TEST(NeoGDIPConversions, ColoursAndSystemColours) {
  EXPECT_EQ(ColorToOpaqueARGB(static_cast<TColor>(RGB(1, 2, 3))), 0xFF010203u);
  EXPECT_EQ(ColorToARGB(0x80, clBlue), 0x800000FFu);
  const COLORREF face = ColorToRGB(clBtnFace);
  EXPECT_EQ(ColorToOpaqueARGB(clBtnFace), PackARGB(255, GetRValue(face), GetGValue(face), GetBValue(face)));
  EXPECT_EQ(ARGBRed(0x11223344u), 0x22);
  EXPECT_EQ(ARGBGreen(0x11223344u), 0x33);
  EXPECT_EQ(ARGBBlue(0x11223344u), 0x44);
}

// A program whose library is missing does not start: the registration raises with the library's
// name, and the program's start reports it and exits with a failure code.
TEST(NeoGDIPImportsDeathTest, MissingLibraryStopsTheStart) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        RegisterGdiplusModule("libzelk-no-such-gdiplus.so.0");
        try {
          RegisterNeoGDIPUnit();
        } catch (const Exception& e) {
          std::fprintf(stderr, "%s\n", e.what());
          std::exit(1);
        }
        std::exit(0);
      },
      testing::ExitedWithCode(1), "gdiplus.dll could not be loaded");
}

}  // namespace
