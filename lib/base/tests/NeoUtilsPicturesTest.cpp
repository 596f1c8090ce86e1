// TNeoUtils pictures: signature detection, picture classes, hexadecimal text, JPEG conversion.
#include <gtest/gtest.h>

#include <cstdlib>

#include "lib/base/NeoUtils.h"
#include "platform/rtl/SysInfo.h"
#include "platform/ui/GifImage.h"
#include "platform/ui/Jpeg.h"
#include "platform/ui/PngImage.h"

namespace {

// The picture fixtures of the class library's own tests, and ours.
String UiFixture(const char* Name) {
  return UTF8ToString(std::string(ZELK_TEST_DATA) + "/../../../../platform/ui/tests/data/" + Name);
}
String Fixture(const char* Name) { return UTF8ToString(std::string(ZELK_TEST_DATA) + "/" + Name); }

TBytes FileBytes(const String& FileName) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(FileName, bytes)) << UTF8Encode(FileName);
  return TBytes(bytes.begin(), bytes.end());
}

struct PictureFile {
  String Path;
  const Char* ImageType;
  TGraphicClass Class;
};

std::vector<PictureFile> PictureFiles() {
  return {
      {UiFixture("quad.png"), u".png", GraphicClassOf<TPngImage>()},
      {UiFixture("quad.jpg"), u".jpg", GraphicClassOf<TJPEGImage>()},
      {UiFixture("quad24.bmp"), u".bmp", GraphicClassOf<TBitmap>()},
      {UiFixture("alpha-icon.ico"), u".unknown", GraphicClassOf<TIcon>()},
      {UiFixture("png-entry.ico"), u".unknown", GraphicClassOf<TIcon>()},
      {Fixture("tiny.gif"), u".gif", GraphicClassOf<TGIFImage>()},
  };
}

TEST(NeoUtilsPictures, GetImageTypeOfRealFiles) {
  for (const PictureFile& f : PictureFiles()) {
    SCOPED_TRACE(UTF8Encode(f.Path));
    TMemoryStream stream;
    stream.LoadFromFile(f.Path);
    stream.SetPosition(5);
    EXPECT_EQ(TNeoUtils::GetImageType(&stream, true), f.ImageType);
    EXPECT_EQ(stream.GetPosition(), 5);   // restored
  }
}

TEST(NeoUtilsPictures, GetImageTypeOfHeaders) {
  struct Row {
    TBytes Head;
    const Char* Type;
  };
  const Row rows[] = {
      {{0x49, 0x49, 0x2A, 0x00}, u".tiff"},
      {{0x4D, 0x4D, 0x00, 0x2A}, u".tiff"},   // big-endian: the word 42 is 00 2A
      {{0x4D, 0x4D, 0x2A, 0x00}, u""},
      {{0xFF, 0xD8, 0xFF, 0xE1}, u".jpg"},
      {{0xFF, 0xD8, 0xFF, 0xDB}, u".jpg"},
      {{0xFF, 0xD8, 0xFF, 0xE2}, u""},
      {{0x00, 0x00, 0x00, 0x00}, u".empty"},
      {{0x89, 0x50, 0x4E}, u""},   // fewer than 4 bytes
      {{}, u""},
  };
  for (const Row& r : rows) {
    TBytesStream stream(r.Head);
    EXPECT_EQ(TNeoUtils::GetImageType(&stream, true), r.Type);
  }
  // Without ResetPosition the bytes at the current position count.
  TBytesStream stream({0x00, 0x47, 0x49, 0x46, 0x38});
  stream.SetPosition(1);
  EXPECT_EQ(TNeoUtils::GetImageType(&stream, false), u".gif");
  EXPECT_EQ(TNeoUtils::GetImageType(&stream, true), u"");
  EXPECT_EQ(stream.GetPosition(), 1);
}

// A picture class for TIFF files, registered only where a test says so.
class TTestTiffImage : public TBitmap {
  ZELK_CLASS(TTestTiffImage, TBitmap)
public:
  TTestTiffImage() = default;
};

TEST(NeoUtilsPictures, FindGraphicClassOfRealFiles) {
  for (const PictureFile& f : PictureFiles()) {
    SCOPED_TRACE(UTF8Encode(f.Path));
    const TBytes bytes = FileBytes(f.Path);
    TGraphicClass cls = GraphicClassOf<TTestTiffImage>();   // overwritten in every case
    EXPECT_EQ(TNeoUtils::FindGraphicClass(bytes.data(), static_cast<Int64>(bytes.size()), cls),
              static_cast<bool>(f.Class));
    EXPECT_TRUE(cls == f.Class) << UTF8Encode(cls.ClassName());
  }
  TGraphicClass cls;
  EXPECT_FALSE(TNeoUtils::FindGraphicClass(nullptr, 0, cls));
  const Byte text[] = "plain text";
  EXPECT_FALSE(TNeoUtils::FindGraphicClass(text, sizeof text - 1, cls));
  EXPECT_FALSE(cls);
}

TEST(NeoUtilsPictures, FindGraphicClassUsesTheFormatRegistry) {
  // No TIFF class is registered by default: the header is known, the class is not.
  const Byte tiff[] = {0x49, 0x49, 0x2A, 0x00, 8, 0, 0, 0};
  TGraphicClass cls;
  ASSERT_FALSE(TNeoUtils::FindGraphicClass(tiff, sizeof tiff, cls));
  TPicture::RegisterFileFormat(u"tif", u"TIFF Image", GraphicClassOf<TTestTiffImage>());
  EXPECT_TRUE(TNeoUtils::FindGraphicClass(tiff, sizeof tiff, cls));
  EXPECT_TRUE(cls == GraphicClassOf<TTestTiffImage>());
  TPicture::UnregisterGraphicClass(GraphicClassOf<TTestTiffImage>());
  EXPECT_FALSE(TNeoUtils::FindGraphicClass(tiff, sizeof tiff, cls));

  // A metafile header names a class that is not registered here.
  const Byte wmf[] = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0};
  EXPECT_FALSE(TNeoUtils::FindGraphicClass(wmf, sizeof wmf, cls));
  // A block shorter than its header is not read past its end.
  const Byte shortBmp[] = {'B'};
  EXPECT_FALSE(TNeoUtils::FindGraphicClass(shortBmp, 1, cls));
}

TEST(NeoUtilsPictures, StreamHexRoundTrip) {
  TBytesStream source({0x00, 0x1F, 0xA0, 0xFF});
  source.SetPosition(3);
  EXPECT_EQ(TNeoUtils::SaveStreamToHexStr(&source), u"001FA0FF");
  EXPECT_EQ(source.GetPosition(), 3);

  TBytesStream target({0xEE});
  target.SetPosition(1);
  TNeoUtils::LoadStreamFromHexStr(u"001fA0ff", &target);
  EXPECT_EQ(target.GetBytes(), (TBytes{0xEE, 0x00, 0x1F, 0xA0, 0xFF}));
  EXPECT_THROW(TNeoUtils::LoadStreamFromHexStr(u"zz", &target), EConvertError);
}

TEST(NeoUtilsPictures, PictureHexRoundTripKeepsClassAndPixels) {
  for (const char* name : {"quad.png", "quad24.bmp", "quad.jpg", "alpha-icon.ico"}) {
    SCOPED_TRACE(name);
    TPicture source;
    source.LoadFromFile(UiFixture(name));
    const String hex = TNeoUtils::SaveBitmapToHexStr(&source);
    ASSERT_FALSE(hex.empty());
    TPicture copy;
    TNeoUtils::LoadBitmapFromHexStr(hex, &copy);
    ASSERT_NE(copy.GetGraphic(), nullptr);
    EXPECT_EQ(copy.GetGraphic()->ClassName(), source.GetGraphic()->ClassName());
    EXPECT_EQ(copy.GetWidth(), source.GetWidth());
    EXPECT_EQ(copy.GetHeight(), source.GetHeight());
    EXPECT_EQ(TNeoUtils::SaveBitmapToHexStr(&copy), hex);
  }
}

TEST(NeoUtilsPictures, HexTextThatIsNoPictureLoadsNothing) {
  TPicture picture;
  picture.LoadFromFile(UiFixture("quad.png"));
  TMemoryStream dataUrl;
  const std::string text = "data:image/png;base64,iVBORw0KGgo=";
  dataUrl.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
  TNeoUtils::LoadBitmapFromHexStr(TNeoUtils::SaveStreamToHexStr(&dataUrl), &picture);
  TNeoUtils::LoadBitmapFromHexStr(u"00112233", &picture);
  ASSERT_NE(picture.GetGraphic(), nullptr);
  EXPECT_EQ(picture.GetGraphic()->ClassName(), u"TPngImage");   // unchanged

  TPicture empty;
  EXPECT_EQ(TNeoUtils::SaveBitmapToHexStr(&empty), u"");
}

bool Near(TColor Color, Byte R, Byte G, Byte B) {
  const int r = Color & 0xFF, g = (Color >> 8) & 0xFF, b = (Color >> 16) & 0xFF;
  return std::abs(r - R) < 24 && std::abs(g - G) < 24 && std::abs(b - B) < 24;
}

TEST(NeoUtilsPictures, ConvertBitmapToJPEGStreamDrawsOnTheBackground) {
  TPicture picture;
  picture.LoadFromFile(UiFixture("alpha.png"));
  std::unique_ptr<TMemoryStream> stream = TNeoUtils::ConvertBitmapToJPEGStream(&picture, clYellow, 0.9f);
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(TNeoUtils::GetImageType(stream.get(), true), u".jpg");
  stream->SetPosition(0);
  TJPEGImage jpeg;
  jpeg.LoadFromStream(stream.get());
  TBitmap pixels;
  pixels.Assign(&jpeg);
  ASSERT_EQ(pixels.GetWidth(), 16);
  ASSERT_EQ(pixels.GetHeight(), 12);
  TCanvas* canvas = pixels.GetCanvas();
  EXPECT_TRUE(Near(canvas->GetPixels(2, 2), 255, 0, 0));      // red stays red
  EXPECT_TRUE(Near(canvas->GetPixels(12, 2), 255, 255, 0));   // transparent shows the background
  EXPECT_TRUE(Near(canvas->GetPixels(2, 9), 0, 0, 255));
  EXPECT_TRUE(Near(canvas->GetPixels(12, 9), 255, 255, 128));   // half white over yellow

  // clNone means white.
  stream = TNeoUtils::ConvertBitmapToJPEGStream(&picture, clNone, 0.9f);
  ASSERT_NE(stream, nullptr);
  jpeg.LoadFromStream(stream.get());
  pixels.Assign(&jpeg);
  EXPECT_TRUE(Near(pixels.GetCanvas()->GetPixels(12, 2), 255, 255, 255));
}

TEST(NeoUtilsPictures, ConvertBitmapToJPEGStreamKeepsJpegBytes) {
  TPicture picture;
  picture.LoadFromFile(UiFixture("quad.jpg"));
  std::unique_ptr<TMemoryStream> stream = TNeoUtils::ConvertBitmapToJPEGStream(&picture, clWhite, 0.5f);
  ASSERT_NE(stream, nullptr);
  TBytesStream converted;
  converted.CopyFrom(stream.get(), 0);
  EXPECT_EQ(converted.GetBytes(), FileBytes(UiFixture("quad.jpg")));

  TPicture empty;
  EXPECT_EQ(TNeoUtils::ConvertBitmapToJPEGStream(&empty, clWhite, 0.5f), nullptr);
}

}  // namespace
