// Images through the platform's streams.
#include <cstring>

#include "platform/gdiplus/tests/GdiPlusTestSupport.h"
#include "platform/rtl/SysUtils.h"

namespace {

// A stream over a copy of the bytes (freed with the stream).
IStream* StreamOf(const std::vector<std::uint8_t>& ABytes) {
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, ABytes.size());
  std::memcpy(GlobalLock(global), ABytes.data(), ABytes.size());
  GlobalUnlock(global);
  IStream* stream = nullptr;
  EXPECT_EQ(CreateStreamOnHGlobal(global, TRUE, &stream), S_OK);
  return stream;
}

class GdiPlusStreamTest : public GdiPlusTest {
protected:
  std::vector<ARGB> Pixels(GpImage* AImage) {
    UINT w = 0, h = 0;
    G.GdipGetImageWidth(AImage, &w);
    G.GdipGetImageHeight(AImage, &h);
    std::vector<ARGB> pixels;
    for (UINT y = 0; y < h; ++y)
      for (UINT x = 0; x < w; ++x) {
        ARGB c = 0;
        G.GdipBitmapGetPixel(static_cast<GpBitmap*>(AImage), static_cast<INT>(x), static_cast<INT>(y), &c);
        pixels.push_back(c);
      }
    return pixels;
  }
  CLSID PngEncoder() {
    UINT count = 0, size = 0;
    G.GdipGetImageEncodersSize(&count, &size);
    std::vector<std::uint8_t> buffer(size);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    G.GdipGetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i)
      if (String(codecs[i].MimeType) == u"image/png") return codecs[i].Clsid;
    ADD_FAILURE() << "no PNG encoder";
    return CLSID{};
  }
};

}  // namespace

TEST_F(GdiPlusStreamTest, PngFromAStreamEqualsTheFileAndOutlivesTheStream) {
  GpImage* fromFile = nullptr;
  String path = UTF8ToString(TestData("alpha.png"));
  ASSERT_EQ(G.GdipLoadImageFromFile(path.c_str(), &fromFile), Ok);
  IStream* stream = StreamOf(ReadFileBytes(TestData("alpha.png")));
  GpImage* fromStream = nullptr;
  ASSERT_EQ(G.GdipLoadImageFromStream(stream, &fromStream), Ok);
  stream->Release();
  std::vector<ARGB> expected = Pixels(fromFile);
  ASSERT_EQ(expected.size(), 16u * 12u);
  EXPECT_EQ(expected[0], 0xFFFF0000u);
  EXPECT_EQ(expected[8], 0x8000C800u);
  EXPECT_EQ(expected[11 * 16], 0u);
  EXPECT_EQ(Pixels(fromStream), expected);

  // Drawn after the stream is gone.
  TSurface surface(16, 12);
  HDC dc = CreateSurfaceDC(surface, POINT{0, 0}, nullptr);
  GpGraphics* g = nullptr;
  ASSERT_EQ(G.GdipCreateFromHDC(dc, &g), Ok);
  EXPECT_EQ(G.GdipDrawImageRectI(g, fromStream, 0, 0, 16, 12), Ok);
  G.GdipDeleteGraphics(g);
  DeleteDC(dc);
  EXPECT_EQ(surface.Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(Alpha(surface.Pixel(12, 5)), 128);
  G.GdipDisposeImage(fromFile);
  G.GdipDisposeImage(fromStream);

  GpBitmap* bitmap = nullptr;
  stream = StreamOf(ReadFileBytes(TestData("alpha.png")));
  EXPECT_EQ(G.GdipCreateBitmapFromStream(stream, &bitmap), Ok);
  stream->Release();
  EXPECT_EQ(Pixels(bitmap), expected);
  G.GdipDisposeImage(bitmap);
}

TEST_F(GdiPlusStreamTest, SavedToAStreamReadsBack) {
  GpImage* image = nullptr;
  String path = UTF8ToString(TestData("alpha.png"));
  ASSERT_EQ(G.GdipLoadImageFromFile(path.c_str(), &image), Ok);
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  CLSID png = PngEncoder();
  ASSERT_EQ(G.GdipSaveImageToStream(image, stream, &png, nullptr), Ok);
  STATSTG stat;
  stream->Stat(&stat, STATFLAG_NONAME);
  EXPECT_GT(stat.cbSize, 8u);
  ASSERT_EQ(stream->Seek(0, STREAM_SEEK_SET, nullptr), S_OK);
  std::uint8_t signature[8] = {};
  stream->Read(signature, 8, nullptr);
  EXPECT_EQ(std::memcmp(signature, "\x89PNG\r\n\x1a\n", 8), 0);
  stream->Seek(0, STREAM_SEEK_SET, nullptr);
  GpImage* back = nullptr;
  ASSERT_EQ(G.GdipLoadImageFromStream(stream, &back), Ok);
  EXPECT_EQ(Pixels(back), Pixels(image));
  stream->Release();
  G.GdipDisposeImage(back);
  G.GdipDisposeImage(image);
}

TEST_F(GdiPlusStreamTest, BadStreamsGetAStatus) {
  GpImage* image = reinterpret_cast<GpImage*>(1);
  EXPECT_EQ(G.GdipLoadImageFromStream(nullptr, &image), InvalidParameter);
  EXPECT_EQ(image, nullptr);
  IStream* stream = StreamOf(ReadFileBytes(TestData("truncated.png")));
  EXPECT_NE(G.GdipLoadImageFromStream(stream, &image), Ok);
  EXPECT_EQ(image, nullptr);
  stream->Seek(0, STREAM_SEEK_SET, nullptr);
  GpBitmap* bitmap = nullptr;
  EXPECT_NE(G.GdipCreateBitmapFromStream(stream, &bitmap), Ok);
  EXPECT_EQ(bitmap, nullptr);
  stream->Release();
  IStream* empty = nullptr;
  CreateStreamOnHGlobal(nullptr, TRUE, &empty);
  EXPECT_NE(G.GdipLoadImageFromStream(empty, &image), Ok);
  CLSID png = PngEncoder();
  EXPECT_EQ(G.GdipSaveImageToStream(nullptr, empty, &png, nullptr), InvalidParameter);
  empty->Release();
}
