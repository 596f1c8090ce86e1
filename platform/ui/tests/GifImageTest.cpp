// GIF pictures: animations written with giflib's encoder, frames composed with their disposal
// and transparency, drawing, the format registry, and damaged or oversized data.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "platform/ui/GifImage.h"
#include "platform/ui/testsupport/GifEncoder.h"
#include "platform/ui/tests/GraphicsTestUtil.h"

namespace {

using namespace GifFixture;

GifPixelType AllRed(int, int) { return 0; }
GifPixelType AllBlue(int, int) { return 2; }
GifPixelType AllYellow(int, int) { return 3; }
// Green with its top-left pixel in the transparent colour (index 3).
GifPixelType GreenWithHole(int X, int Y) { return X == 0 && Y == 0 ? 3 : 1; }
// Row y in colour y % 3: red, green, blue.
GifPixelType RowStripes(int, int Y) { return static_cast<GifPixelType>(Y % 3); }
// A pattern that compresses poorly, so that its image data spans many bytes.
GifPixelType Noise(int X, int Y) { return static_cast<GifPixelType>((X * 7 + Y * 13 + X * Y) % 4); }

// 8 x 8 screen: a red frame shown 20, kept; a green 4 x 4 at (2, 2) with a transparent pixel
// shown 50, cleared to the background; a blue 4 x 2 at (4, 0) shown 10.
std::vector<Byte> ThreeFrames() {
  return EncodeGif(8, 8,
                   {{0, 0, 8, 8, 20, DISPOSE_DO_NOT, -1, AllRed},
                    {2, 2, 4, 4, 50, DISPOSE_BACKGROUND, 3, GreenWithHole},
                    {4, 0, 4, 2, 10, DISPOSE_DO_NOT, -1, AllBlue}});
}

std::unique_ptr<TMemoryStream> StreamOf(const std::vector<Byte>& Data, std::size_t Count) {
  auto s = std::make_unique<TMemoryStream>();
  if (Count) s->WriteBuffer(Data.data(), static_cast<Int64>(Count));
  s->SetPosition(0);
  return s;
}

void Load(TGIFImage& Image, const std::vector<Byte>& Data) { Image.LoadFromStream(StreamOf(Data, Data.size()).get()); }

// Loading gives EInvalidGraphic whose message holds Part, and leaves the picture empty.
void ExpectRejected(const std::vector<Byte>& Data, std::size_t Count, const char* Part) {
  TGIFImage image;
  Load(image, ThreeFrames());
  try {
    image.LoadFromStream(StreamOf(Data, Count).get());
    ADD_FAILURE() << "loaded: " << Part;
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(UTF8Encode(e.Message).find(Part), std::string::npos) << UTF8Encode(e.Message);
  }
  EXPECT_TRUE(image.GetEmpty());
  EXPECT_EQ(image.GetFrameCount(), 0);
}

struct TProbe {
  int X, Y;
  TColor Color;
  Byte Alpha;
};

void ExpectPixels(const TGIFImage& Image, const std::vector<TProbe>& Probes) {
  for (const TProbe& p : Probes) {
    EXPECT_EQ(Image.GetAlpha(p.X, p.Y), p.Alpha) << "frame " << Image.GetFrameIndex() << " at " << p.X << "," << p.Y;
    if (p.Alpha) {
      EXPECT_EQ(Image.GetPixels(p.X, p.Y), p.Color) << "frame " << Image.GetFrameIndex() << " at " << p.X << "," << p.Y;
    }
  }
}

TEST(GifImage, FramesCarryDelayDisposalTransparencyAndPosition) {
  TGIFImage image;
  Load(image, ThreeFrames());
  EXPECT_FALSE(image.GetEmpty());
  EXPECT_EQ(image.GetWidth(), 8);
  EXPECT_EQ(image.GetHeight(), 8);
  ASSERT_EQ(image.GetFrameCount(), 3);
  struct {
    TRect Bounds;
    Integer Delay;
    TGIFDisposal Disposal;
    Integer Transparent;
  } const expected[] = {{{0, 0, 8, 8}, 20, gdKeep, -1}, {{2, 2, 6, 6}, 50, gdBackground, 3}, {{4, 0, 8, 2}, 10, gdKeep, -1}};
  for (Integer i = 0; i < 3; ++i) {
    const TGIFFrameInfo& info = image.GetFrameInfo(i);
    EXPECT_EQ(info.Bounds, expected[i].Bounds) << i;
    EXPECT_EQ(info.Delay, expected[i].Delay) << i;
    EXPECT_EQ(info.Disposal, expected[i].Disposal) << i;
    EXPECT_EQ(info.TransparentIndex, expected[i].Transparent) << i;
  }
  EXPECT_THROW(image.GetFrameInfo(3), EInvalidGraphic);
  EXPECT_THROW(image.GetFrameInfo(-1), EInvalidGraphic);
}

TEST(GifImage, FramesAreComposedWithDisposalAndTransparency) {
  TGIFImage image;
  Load(image, ThreeFrames());
  EXPECT_EQ(image.GetFrameIndex(), 0);
  ExpectPixels(image, {{0, 0, Red, 255}, {3, 3, Red, 255}, {7, 7, Red, 255}});
  EXPECT_FALSE(image.GetTransparent());

  image.SetFrameIndex(1);   // green over red, the transparent pixel shows the red below
  ExpectPixels(image, {{2, 2, Red, 255}, {3, 3, Green, 255}, {5, 5, Green, 255}, {6, 6, Red, 255}, {5, 0, Red, 255}});

  image.SetFrameIndex(2);   // the green square cleared to the background, blue on top
  ExpectPixels(image, {{3, 3, Red, 0}, {2, 2, Red, 0}, {5, 5, Red, 0}, {6, 6, Red, 255}, {5, 1, Blue, 255}, {4, 0, Blue, 255}, {3, 0, Red, 255}});
  EXPECT_TRUE(image.GetTransparent());

  image.SetFrameIndex(0);   // going back composes from the start
  ExpectPixels(image, {{3, 3, Red, 255}, {5, 1, Red, 255}});
  image.SetFrameIndex(3);
  image.SetFrameIndex(-1);
  EXPECT_EQ(image.GetFrameIndex(), 0);
}

TEST(GifImage, DisposalToPreviousRestoresTheScreenBeforeTheFrame) {
  TGIFImage image;
  Load(image, EncodeGif(4, 4,
                        {{0, 0, 4, 4, 10, DISPOSE_DO_NOT, -1, AllRed},
                         {0, 0, 2, 2, 10, DISPOSE_PREVIOUS, -1, AllYellow},
                         {2, 2, 2, 2, 10, DISPOSE_PREVIOUS, -1, AllBlue},
                         {3, 0, 1, 1, 10, DISPOSE_DO_NOT, -1, AllBlue}}));
  image.SetFrameIndex(1);
  ExpectPixels(image, {{0, 0, Yellow, 255}, {3, 3, Red, 255}});
  image.SetFrameIndex(2);
  ExpectPixels(image, {{0, 0, Red, 255}, {3, 3, Blue, 255}});
  image.SetFrameIndex(3);
  ExpectPixels(image, {{0, 0, Red, 255}, {3, 3, Red, 255}, {3, 0, Blue, 255}});
}

TEST(GifImage, InterlacedAndOffScreenFramesLandOnTheirRows) {
  TGIFImage image;
  // An interlaced 2 x 11 frame, and a frame hanging off the screen's right and bottom edges.
  Load(image, EncodeGif(4, 11,
                        {{0, 0, 2, 11, 0, DISPOSE_DO_NOT, -1, RowStripes, true},
                         {3, 9, 4, 4, 0, DISPOSE_DO_NOT, -1, AllYellow}}));
  const TColor stripe[] = {Red, Green, Blue};
  for (int y = 0; y < 11; ++y) ExpectPixels(image, {{1, y, stripe[y % 3], 255}, {2, y, Red, 0}});
  EXPECT_EQ(image.GetFrameInfo(1).Bounds, (TRect{3, 9, 4, 11}));
  image.SetFrameIndex(1);
  ExpectPixels(image, {{3, 10, Yellow, 255}, {3, 8, Red, 0}, {1, 10, Green, 255}});
}

TEST(GifImage, DrawsTheSelectedFrameAndStretches) {
  TGIFImage image;
  Load(image, ThreeFrames());
  TBitmap target;
  WhiteBitmap(target, 20, 20);
  image.SetFrameIndex(1);
  target.GetCanvas()->Draw(0, 0, &image);
  EXPECT_EQ(PixelOf(target, 3, 3), Green);
  EXPECT_EQ(PixelOf(target, 2, 2), Red);
  EXPECT_EQ(PixelOf(target, 10, 10), clWhite);

  image.SetFrameIndex(2);   // the cleared square lets the white canvas show
  WhiteBitmap(target, 20, 20);
  target.GetCanvas()->StretchDraw(TRect{0, 0, 16, 16}, &image);
  EXPECT_EQ(PixelOf(target, 7, 7), clWhite);
  EXPECT_EQ(PixelOf(target, 11, 1), Blue);
  EXPECT_EQ(PixelOf(target, 13, 13), Red);
  EXPECT_EQ(PixelOf(target, 17, 17), clWhite);

  TBitmap copy;
  copy.Assign(&image);   // the composed frame with its alpha
  EXPECT_EQ(copy.GetWidth(), 8);
  EXPECT_EQ(copy.GetPixelFormat(), pf32bit);
}

TEST(GifImage, SavesTheLoadedBytesAndCopiesByAssign) {
  const std::vector<Byte> data = ThreeFrames();
  TGIFImage image;
  Load(image, data);
  image.SetFrameIndex(2);
  TMemoryStream saved;
  image.SaveToStream(&saved);
  ASSERT_EQ(saved.GetSize(), static_cast<Int64>(data.size()));
  EXPECT_EQ(std::memcmp(saved.GetMemory(), data.data(), data.size()), 0);

  TGIFImage copy;
  copy.Assign(&image);
  EXPECT_EQ(copy.GetFrameCount(), 3);
  EXPECT_EQ(copy.GetFrameIndex(), 2);
  EXPECT_EQ(copy.GetPixels(5, 1), Blue);
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.GetEmpty());
}

TEST(GifImage, RegisteredWithPictures) {
  EXPECT_EQ(TPicture::FindGraphicClass(u"GIF"), GraphicClassOf<TGIFImage>());
  const std::vector<Byte> data = ThreeFrames();
  auto stream = StreamOf(data, data.size());
  EXPECT_TRUE(TGIFImage::CanLoadFromStream(stream.get()));
  EXPECT_EQ(stream->GetPosition(), 0);
  EXPECT_EQ(TPicture::FindGraphicClassForStream(stream.get()), GraphicClassOf<TGIFImage>());

  std::vector<Byte> gif87 = data;
  std::memcpy(gif87.data(), "GIF87a", 6);
  EXPECT_TRUE(TGIFImage::CanLoadFromStream(StreamOf(gif87, gif87.size()).get()));
  std::vector<Byte> other = data;
  std::memcpy(other.data(), "GIF88a", 6);
  EXPECT_FALSE(TGIFImage::CanLoadFromStream(StreamOf(other, other.size()).get()));

  const String file = TestOutput("gif-three-frames.gif");
  {
    std::ofstream out(UTF8Encode(file), std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  }
  TPicture picture;
  picture.LoadFromFile(file);
  ASSERT_TRUE(Is<TGIFImage>(picture.GetGraphic()));
  EXPECT_EQ(static_cast<TGIFImage*>(picture.GetGraphic())->GetFrameCount(), 3);
  EXPECT_EQ(picture.GetWidth(), 8);
}

TEST(GifImage, DamagedOrOversizedDataIsRejected) {
  const std::vector<Byte> data = ThreeFrames();
  ExpectRejected(data, 6, "GIF image is not valid");     // the signature only
  ExpectRejected(data, 13 + 12, "GIF image is not valid");   // header, screen and colour table
  const std::vector<Byte> noisy = EncodeGif(64, 64, {{0, 0, 64, 64, 0, DISPOSE_DO_NOT, -1, Noise}});
  ASSERT_GT(noisy.size(), 200u);
  ExpectRejected(noisy, noisy.size() / 2, "GIF image is not valid");   // inside the frame's data
  ExpectRejected(data, data.size() - 1, "GIF image is not valid");    // without its trailer

  const char text[] = "These bytes are no picture at all.";
  const std::vector<Byte> noPicture(text, text + sizeof text);
  ExpectRejected(noPicture, noPicture.size(), "missing GIF signature");
  EXPECT_FALSE(TGIFImage::CanLoadFromStream(StreamOf(noPicture, noPicture.size()).get()));
  ExpectRejected({}, 0, "missing GIF signature");

  const std::vector<Byte> huge = EncodeGif(65535, 65535, {{0, 0, 1, 1, 0, DISPOSE_DO_NOT, -1, AllRed}});
  ExpectRejected(huge, huge.size(), "logical screen of 65535 x 65535");

  // An 8 x 8 screen whose frame claims 5000 x 5000 pixels, with no data behind it.
  const Byte bigFrame[] = {'G', 'I', 'F', '8', '9', 'a', 8, 0, 8, 0, 0, 0, 0,
                           0x2C, 0, 0, 0, 0, 0x88, 0x13, 0x88, 0x13, 0, 2, 0, 0x3B};
  ExpectRejected(std::vector<Byte>(std::begin(bigFrame), std::end(bigFrame)), sizeof bigFrame, "frame of 5000 x 5000");

  // A control extension with no image after it.
  const Byte controlOnly[] = {'G', 'I', 'F', '8', '9', 'a', 8, 0, 8, 0, 0, 0, 0,
                              0x21, 0xF9, 4, 0, 10, 0, 0, 0, 0x3B};
  ExpectRejected(std::vector<Byte>(std::begin(controlOnly), std::end(controlOnly)), sizeof controlOnly, "holds no image");
}

TEST(GifImage, ControlBlockAppliesOnlyToTheImageAfterIt) {
  TGIFImage image;
  Load(image, EncodeGif(2, 2,
                        {{0, 0, 2, 2, 30, DISPOSE_BACKGROUND, 1, AllRed},
                         {0, 0, 1, 1, 0, 0, -1, AllBlue, false, false}}));
  ASSERT_EQ(image.GetFrameCount(), 2);
  EXPECT_EQ(image.GetFrameInfo(1).Delay, 0);
  EXPECT_EQ(image.GetFrameInfo(1).Disposal, gdUnspecified);
  EXPECT_EQ(image.GetFrameInfo(1).TransparentIndex, -1);
  image.SetFrameIndex(1);
  ExpectPixels(image, {{0, 0, Blue, 255}, {1, 1, Red, 0}});
}

}  // namespace
