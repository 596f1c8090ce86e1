// Markup pictures (raster data of every format, SVG, animated GIF frames), their URLs and form data,
// the URL cache, the picture container and the facade's lookup of container pictures.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

#include "lib/graphics/NeoGraphics.h"
#include "lib/render/PictureContainer.h"
#include "platform/rtl/Units.h"
#include "platform/ui/Filer.h"
#include "platform/ui/Jpeg.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/testsupport/GifEncoder.h"

namespace GifFixture {
namespace {

using TByteVector = std::vector<Byte>;

class PictureContainerTest : public ::testing::Test {
protected:
  void SetUp() override {
    Units().Clear();
    RegisterPictureContainerUnit();
    InitializeUnits();
  }
  void TearDown() override {
    FinalizeUnits();
    Units().Clear();
  }
};

// 16 x 16: the left half red, the right half green, the bottom four rows blue.
std::unique_ptr<TBitmap> Sample() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(16, 16);
  TCanvas* c = bitmap->GetCanvas();
  c->GetBrush()->SetColor(Red);
  c->FillRect(TRect{0, 0, 8, 12});
  c->GetBrush()->SetColor(Green);
  c->FillRect(TRect{8, 0, 16, 12});
  c->GetBrush()->SetColor(Blue);
  c->FillRect(TRect{0, 12, 16, 16});
  return bitmap;
}

TByteVector BytesOf(TStream& AStream) {
  TByteVector out(static_cast<std::size_t>(AStream.GetSize()));
  AStream.SetPosition(0);
  if (!out.empty()) AStream.ReadBuffer(out.data(), static_cast<Int64>(out.size()));
  return out;
}

TByteVector Saved(TGraphic& AGraphic) {
  TMemoryStream s;
  AGraphic.SaveToStream(&s);
  return BytesOf(s);
}

TByteVector SampleAs(const char* AFormat) {
  auto bitmap = Sample();
  const std::string format = AFormat;
  if (format == "bmp") return Saved(*bitmap);
  if (format == "png") {
    TPngImage png;
    png.Assign(bitmap.get());
    return Saved(png);
  }
  if (format == "jpeg") {
    TJPEGImage jpeg;
    jpeg.SetCompressionQuality(100);
    jpeg.Assign(bitmap.get());
    return Saved(jpeg);
  }
  // GIF: one frame in the fixture palette (0 red, 1 green, 2 blue).
  return EncodeGif(16, 16, {{0, 0, 16, 16, 0, DISPOSE_DO_NOT, -1, [](int X, int Y) -> GifPixelType {
                               return Y >= 12 ? 2 : (X < 8 ? 0 : 1);
                             }}});
}

std::unique_ptr<TMemoryStream> StreamOf(const TByteVector& ABytes) {
  auto s = std::make_unique<TMemoryStream>();
  if (!ABytes.empty()) s->WriteBuffer(ABytes.data(), static_cast<Int64>(ABytes.size()));
  s->SetPosition(0);
  return s;
}

TByteVector TextBytes(const std::string& AText) { return TByteVector(AText.begin(), AText.end()); }

std::string TempPath(const std::string& AName) {
  return (std::filesystem::temp_directory_path() / ("zelk-pictures-" + std::to_string(::getpid()) + "-" + AName)).string();
}

String WriteTemp(const std::string& AName, const TByteVector& ABytes) {
  const std::string path = TempPath(AName);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(ABytes.data()), static_cast<std::streamsize>(ABytes.size()));
  return UTF8ToString(path);
}

// A white pf24bit canvas of the size with the picture drawn into Rect.
std::unique_ptr<TBitmap> DrawnOnWhite(TGraphic& APicture, Integer AWidth, Integer AHeight, const TRect& ARect) {
  auto target = std::make_unique<TBitmap>();
  target->SetPixelFormat(pf24bit);
  target->SetSize(AWidth, AHeight);
  target->GetCanvas()->GetBrush()->SetColor(clWhite);
  target->GetCanvas()->FillRect(TRect{0, 0, AWidth, AHeight});
  APicture.Draw(target->GetCanvas(), ARect);
  return target;
}

bool Near(TColor AActual, TColor AExpected, int ATolerance) {
  for (int shift : {0, 8, 16}) {
    const int a = static_cast<int>((AActual >> shift) & 0xFF), e = static_cast<int>((AExpected >> shift) & 0xFF);
    if (std::abs(a - e) > ATolerance) return false;
  }
  return true;
}

struct TProbe {
  Integer X, Y;
  TColor Color;
};

void ExpectProbes(TBitmap& ABitmap, const std::vector<TProbe>& AProbes, int ATolerance, const std::string& AWhat) {
  for (const TProbe& p : AProbes) {
    const TColor got = ABitmap.GetCanvas()->GetPixels(p.X, p.Y);
    EXPECT_TRUE(Near(got, p.Color, ATolerance))
        << AWhat << " at " << p.X << "," << p.Y << ": " << std::hex << got << " expected " << p.Color;
  }
}

// The sample drawn into 16 x 16: a bitmap-format picture leaves out its bottom-left colour
// (automatic transparency), so its blue rows show the white below.
void ExpectSample(THTMLPicture& APicture, bool ABitmapFormat, int ATolerance, const std::string& AWhat) {
  ASSERT_FALSE(APicture.GetEmpty()) << AWhat;
  EXPECT_EQ(APicture.GetWidth(), 16) << AWhat;
  EXPECT_EQ(APicture.GetHeight(), 16) << AWhat;
  auto drawn = DrawnOnWhite(APicture, 16, 16, TRect{0, 0, 16, 16});
  ExpectProbes(*drawn, {{3, 3, Red}, {12, 3, Green}, {3, 14, ABitmapFormat ? clWhite : Blue}, {12, 14, ABitmapFormat ? clWhite : Blue}},
               ATolerance, AWhat);
}

struct TFormatCase {
  const char* Name;
  bool BitmapFormat;
  int Tolerance;
};

constexpr TFormatCase Formats[] = {{"png", false, 0}, {"jpeg", false, 12}, {"bmp", true, 0}, {"gif", false, 0}};

// Resource bytes must outlive the registration.
std::vector<std::unique_ptr<TByteVector>>& ResourceStore() {
  static std::vector<std::unique_ptr<TByteVector>> store;
  return store;
}

void RegisterBytes(const String& AName, const TByteVector& ABytes) {
  ResourceStore().push_back(std::make_unique<TByteVector>(ABytes));
  RegisterResource(AName, RT_RCDATA, std::span<const Byte>(*ResourceStore().back()));
}

const std::string SvgSource =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\"><rect width=\"10\" height=\"10\" fill=\"#ff0000\"/></svg>";

// 8 x 8 screen: red kept (20), green 4 x 4 at (2, 2) with a transparent pixel cleared to the
// background (50), blue 4 x 2 at (4, 0) (10).
TByteVector ThreeFrames() {
  return EncodeGif(8, 8,
                   {{0, 0, 8, 8, 20, DISPOSE_DO_NOT, -1, [](int, int) -> GifPixelType { return 0; }},
                    {2, 2, 4, 4, 50, DISPOSE_BACKGROUND, 3, [](int X, int Y) -> GifPixelType { return X == 0 && Y == 0 ? 3 : 1; }},
                    {4, 0, 4, 2, 10, DISPOSE_DO_NOT, -1, [](int, int) -> GifPixelType { return 2; }}});
}

void LoadBytes(THTMLPicture& APicture, const TByteVector& ABytes) { APicture.LoadFromStream(StreamOf(ABytes).get()); }

}  // namespace

TEST_F(PictureContainerTest, RasterFormatsDrawTheirColoursFromEverySource) {
  for (const TFormatCase& f : Formats) {
    const TByteVector bytes = SampleAs(f.Name);
    const std::string name = f.Name;
    {
      THTMLPicture picture;
      LoadBytes(picture, bytes);
      ExpectSample(picture, f.BitmapFormat, f.Tolerance, name + " stream");
      EXPECT_EQ(Saved(picture), bytes) << name;
    }
    {
      THTMLPicture picture;
      const String path = WriteTemp("sample." + name, bytes);
      picture.LoadFromFile(path);
      ExpectSample(picture, f.BitmapFormat, f.Tolerance, name + " file");
      std::remove(UTF8Encode(path).c_str());
    }
    {
      THTMLPicture picture;
      RegisterBytes(u"SAMPLE_" + UTF8ToString(name), bytes);
      picture.LoadFromResourceName(nullptr, u"sample_" + UTF8ToString(name));
      ExpectSample(picture, f.BitmapFormat, f.Tolerance, name + " resource");
    }
    {
      // Raster form data is the bytes themselves.
      THTMLPicture source, copy;
      LoadBytes(source, bytes);
      TMemoryStream data;
      source.WriteData(&data);
      EXPECT_EQ(BytesOf(data), bytes) << name;
      data.SetPosition(0);
      copy.ReadData(&data);
      ExpectSample(copy, f.BitmapFormat, f.Tolerance, name + " form data");
    }
  }
}

TEST_F(PictureContainerTest, DrawingStretchesIntoTheRectangle) {
  THTMLPicture picture;
  LoadBytes(picture, SampleAs("png"));
  auto drawn = DrawnOnWhite(picture, 40, 40, TRect{4, 4, 36, 36});
  ExpectProbes(*drawn, {{2, 2, clWhite}, {8, 8, Red}, {30, 8, Green}, {8, 33, Blue}, {38, 38, clWhite}}, 0, "stretched png");
}

TEST_F(PictureContainerTest, SvgPictureDrawsAndKeepsItsFormData) {
  THTMLPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  LoadBytes(picture, TextBytes(SvgSource));
  EXPECT_EQ(changes, 1);
  ASSERT_TRUE(picture.HasSVG());
  EXPECT_FALSE(picture.GetEmpty());
  EXPECT_EQ(picture.GetDataStream()->GetSize(), 0);
  EXPECT_GT(picture.GetWidth(), 0);
  auto drawn = DrawnOnWhite(picture, 20, 20, TRect{0, 0, 20, 20});
  ExpectProbes(*drawn, {{10, 10, Red}, {2, 17, Red}}, 0, "svg");

  TBitmap native;
  native.SetPixelFormat(pf24bit);
  native.SetSize(20, 20);
  native.GetCanvas()->GetBrush()->SetColor(clWhite);
  native.GetCanvas()->FillRect(TRect{0, 0, 20, 20});
  picture.DrawSVG(native.GetCanvas(), 10, 10, 10, 10);
  ExpectProbes(native, {{5, 5, clWhite}, {15, 15, Red}}, 0, "DrawSVG");

  // SVG form data carries the length first; read back it is SVG again.
  TMemoryStream data;
  picture.WriteData(&data);
  const TByteVector bytes = BytesOf(data);
  ASSERT_EQ(bytes.size(), SvgSource.size() + 4);
  EXPECT_EQ(bytes[0] | (bytes[1] << 8), static_cast<int>(SvgSource.size()));
  THTMLPicture copy;
  data.SetPosition(0);
  copy.ReadData(&data);
  EXPECT_TRUE(copy.HasSVG());
  EXPECT_EQ(Saved(copy), TextBytes(SvgSource));
}

TEST_F(PictureContainerTest, SvgFormDataWhoseLengthLooksLikeABitmapSignatureStaysSvg) {
  // 0x4D42 bytes: the length prefix begins "BM".
  std::string source = SvgSource;
  source.insert(source.size() - 6, std::string(0x4D42 - source.size(), ' '));
  ASSERT_EQ(source.size(), 0x4D42u);
  TMemoryStream data;
  const Integer count = static_cast<Integer>(source.size());
  data.WriteBuffer(&count, 4);
  data.WriteBuffer(source.data(), count);
  data.SetPosition(0);
  THTMLPicture picture;
  picture.ReadData(&data);
  EXPECT_TRUE(picture.HasSVG());
  EXPECT_EQ(picture.GetDataStream()->GetSize(), 0);
}

TEST_F(PictureContainerTest, UrlsLoadResourcesAndFilesAndRecordOthers) {
  const TByteVector png = SampleAs("png");
  RegisterBytes(u"URLPNG", png);
  for (const String url : {u"res://URLPNG", u"RES://urlpng", u"Res://UrlPng"}) {
    THTMLPicture picture;
    picture.LoadFromURL(url);
    EXPECT_EQ(picture.GetID(), url);
    ExpectSample(picture, false, 0, UTF8Encode(url));
  }
  const String path = WriteTemp("url.png", png);
  for (const String prefix : {u"file://", u"FILE://"}) {
    THTMLPicture picture;
    picture.LoadFromURL(prefix + path);
    EXPECT_EQ(picture.GetID(), prefix + path);
    ExpectSample(picture, false, 0, UTF8Encode(prefix));
  }
  std::remove(UTF8Encode(path).c_str());

  THTMLPicture web;
  web.SetAsynch(false);
  web.LoadFromURL(u"http://example.com/a.png");
  EXPECT_EQ(web.GetURL(), u"http://example.com/a.png");
  EXPECT_EQ(web.GetID(), u"http://example.com/a.png");
  EXPECT_TRUE(web.GetEmpty());
  EXPECT_FALSE(web.GetBusy());

  // A prefix with nothing after it, a missing resource and a missing file load nothing.
  for (const String url : {u"res://", u"res://NO_SUCH_PICTURE", u"file://", u"file:///no/such/picture.png"}) {
    THTMLPicture picture;
    picture.LoadFromURL(url);
    EXPECT_TRUE(picture.GetEmpty()) << UTF8Encode(url);
    EXPECT_EQ(picture.GetID(), url);
  }
  THTMLPicture byNumber;
  EXPECT_THROW(byNumber.LoadFromResourceID(nullptr, 4711), EResNotFound);
  EXPECT_TRUE(byNumber.GetEmpty());
}

TEST_F(PictureContainerTest, AsynchronousUrlEndsNotBusyAndCanBeAskedAgain) {
  THTMLPicture picture;
  picture.LoadFromURL(u"http://example.com/a.png");
  EXPECT_EQ(picture.GetURL(), u"http://example.com/a.png");
  EXPECT_TRUE(picture.GetID().empty());
  // Asked again while the first thread may still run: ignored, or started anew once it ended.
  picture.LoadFromURL(u"http://example.com/b.png");
  while (picture.GetBusy()) std::this_thread::yield();
  EXPECT_TRUE(picture.GetEmpty());
  picture.LoadFromURL(u"http://example.com/c.png");
  EXPECT_EQ(picture.GetURL(), u"http://example.com/c.png");
  while (picture.GetBusy()) std::this_thread::yield();
  EXPECT_TRUE(picture.GetEmpty());
  // A picture freed while its thread runs is never touched by it.
  auto gone = std::make_unique<THTMLPicture>();
  gone->LoadFromURL(u"https://example.com/d.png");
  gone.reset();
}

TEST_F(PictureContainerTest, AnimatedGifFramesAreCountedTimedAndDrawnComposed) {
  THTMLPicture picture;
  LoadBytes(picture, ThreeFrames());
  EXPECT_TRUE(picture.IsGIF());
  ASSERT_EQ(picture.GetFrameCount(), 3);
  EXPECT_EQ(picture.GetWidth(), 8);
  EXPECT_EQ(picture.GetAnimMaxX(), 8);
  EXPECT_EQ(picture.GetAnimMaxY(), 8);
  EXPECT_EQ(picture.GetFrameTime(1), 20);
  EXPECT_EQ(picture.GetFrameTime(3), 10);
  EXPECT_EQ(picture.GetFrameTime(2), 50);
  EXPECT_TRUE(picture.GetFrameTransp());
  EXPECT_EQ(picture.GetFrameDisposal(), 2);
  EXPECT_EQ(picture.GetFrameTime(4), -1);
  EXPECT_EQ(picture.GetFrameTime(0), -1);

  int frameChanges = 0;
  picture.OnFrameChange = [&](TObject*) { ++frameChanges; };
  const TRect all{0, 0, 8, 8};
  auto frame1 = DrawnOnWhite(picture, 8, 8, all);
  ExpectProbes(*frame1, {{0, 0, Red}, {3, 3, Red}, {7, 7, Red}}, 0, "frame 1");

  picture.SetFrame(2);
  EXPECT_EQ(picture.GetFrameXPos(), 2);
  EXPECT_EQ(picture.GetFrameYPos(), 2);
  EXPECT_EQ(picture.GetFrameXSize(), 4);
  EXPECT_EQ(picture.GetFrameYSize(), 4);
  auto frame2 = DrawnOnWhite(picture, 8, 8, all);
  ExpectProbes(*frame2, {{2, 2, Red}, {3, 3, Green}, {5, 5, Green}, {6, 6, Red}, {5, 0, Red}}, 0, "frame 2");

  picture.FrameNext();
  EXPECT_EQ(picture.GetFrame(), 3);
  EXPECT_EQ(picture.GetFrameXPos(), 4);
  auto frame3 = DrawnOnWhite(picture, 8, 8, all);
  // Frame 2's rectangle went back to the (transparent) background.
  ExpectProbes(*frame3, {{3, 3, clWhite}, {5, 5, clWhite}, {0, 0, Red}, {5, 0, Blue}, {7, 1, Blue}, {7, 7, Red}}, 0, "frame 3");

  picture.FrameNext();
  EXPECT_EQ(picture.GetFrame(), 1);
  picture.FramePrev();
  EXPECT_EQ(picture.GetFrame(), 3);
  picture.FramePrev();
  EXPECT_EQ(picture.GetFrame(), 2);
  EXPECT_EQ(frameChanges, 5);
}

TEST_F(PictureContainerTest, MoreFramesScannedThanDecodedShowTheLastDecodedOne) {
  // A trailing control block and descriptor after the trailer: the scan counts it, giflib stops.
  TByteVector bytes = ThreeFrames();
  for (Byte b : {0x21, 0xF9, 0x04, 0x00, 0x05, 0x00, 0x00, 0x00, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0}) bytes.push_back(b);
  THTMLPicture picture;
  LoadBytes(picture, bytes);
  ASSERT_EQ(picture.GetFrameCount(), 4);
  picture.SetFrame(4);
  auto drawn = DrawnOnWhite(picture, 8, 8, TRect{0, 0, 8, 8});
  ExpectProbes(*drawn, {{5, 0, Blue}, {3, 3, clWhite}}, 0, "frame 4 as 3");
}

TEST_F(PictureContainerTest, StepAdvancesWhenTheDelayHasPassed) {
  THTMLPicture picture;
  LoadBytes(picture, ThreeFrames());
  EXPECT_FALSE(picture.Step());
  EXPECT_FALSE(picture.Step());
  EXPECT_FALSE(picture.Step());
  EXPECT_TRUE(picture.Step());
  EXPECT_EQ(picture.GetFrame(), 2);
  // Frame 2 stays 50 hundredths: four more quiet ticks, then frame 3.
  int quiet = 0;
  while (!picture.Step()) ++quiet;
  EXPECT_EQ(quiet, 4);
  EXPECT_EQ(picture.GetFrame(), 3);

  THTMLPicture still;
  LoadBytes(still, SampleAs("png"));
  EXPECT_FALSE(still.Step());
  THTMLPicture empty;
  EXPECT_FALSE(empty.Step());
  EXPECT_EQ(empty.GetFrameCount(), -1);
}

TEST_F(PictureContainerTest, AssignTakesPicturesGraphicsAndBitmaps) {
  THTMLPicture png;
  LoadBytes(png, SampleAs("png"));
  png.SetStretch(true);
  png.SetID(u"file://x.png");
  {
    THTMLPicture copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&png);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(copy.GetStretch());
    EXPECT_EQ(copy.GetID(), u"file://x.png");
    ExpectSample(copy, false, 0, "from THTMLPicture");
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.GetEmpty());
    EXPECT_EQ(copy.GetDataStream()->GetSize(), 0);
  }
  {
    THTMLPicture svg, copy;
    LoadBytes(svg, TextBytes(SvgSource));
    copy.Assign(&svg);
    EXPECT_TRUE(copy.HasSVG());
    ExpectProbes(*DrawnOnWhite(copy, 10, 10, TRect{0, 0, 10, 10}), {{5, 5, Red}}, 0, "from SVG");
  }
  {
    auto bitmap = Sample();
    THTMLPicture copy;
    copy.Assign(bitmap.get());
    ExpectSample(copy, true, 0, "from TBitmap");
  }
  {
    TPicture picture;
    picture.LoadFromStream(StreamOf(SampleAs("png")).get());
    THTMLPicture copy;
    copy.Assign(&picture);
    ExpectSample(copy, false, 0, "from TPicture");
  }
}

TEST_F(PictureContainerTest, BadInputGivesAnEmptyPictureNotACrash) {
  const TByteVector gif = ThreeFrames();
  TByteVector huge = EncodeGif(2, 2, {{0, 0, 2, 2, 10, DISPOSE_DO_NOT, -1, [](int, int) -> GifPixelType { return 0; }}});
  huge[6] = huge[7] = huge[8] = huge[9] = 0xFF;   // a 65,535 x 65,535 screen
  TByteVector controlOnly(gif.begin(), gif.begin() + 13 + 12);   // header, colour map
  for (Byte b : {0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x3B}) controlOnly.push_back(b);
  TByteVector tailMatch(gif.begin(), gif.begin() + 25);
  for (Byte b : {0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x2C, 0x00}) tailMatch.push_back(b);
  const struct {
    const char* What;
    TByteVector Bytes;
    Integer FrameCount;
  } cases[] = {
      {"gif cut after the header", TByteVector(gif.begin(), gif.begin() + 13), 0},
      {"gif cut inside a frame", TByteVector(gif.begin(), gif.begin() + static_cast<std::ptrdiff_t>(gif.size()) - 20), 2},
      {"65535 x 65535 screen", huge, 1},
      {"control extension without an image", controlOnly, 0},
      {"descriptor running past the end", tailMatch, 0},
      {"no picture", TextBytes("these bytes are no picture at all"), -1},
      {"png signature only", TByteVector{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A}, -1},
      {"nothing", TByteVector{}, -1},
  };
  for (const auto& c : cases) {
    THTMLPicture picture;
    LoadBytes(picture, c.Bytes);
    EXPECT_TRUE(picture.GetEmpty()) << c.What;
    EXPECT_EQ(picture.GetWidth(), 0) << c.What;
    EXPECT_EQ(picture.GetFrameCount(), c.FrameCount) << c.What;
    picture.SetFrame(2);
    EXPECT_FALSE(picture.Step()) << c.What;
    ExpectProbes(*DrawnOnWhite(picture, 8, 8, TRect{0, 0, 8, 8}), {{0, 0, clWhite}, {4, 4, clWhite}}, 0, c.What);
    // Nothing is lost: the bytes are saved as they came.
    EXPECT_EQ(Saved(picture), c.Bytes) << c.What;
  }
  THTMLPicture missing;
  LoadBytes(missing, SampleAs("png"));
  missing.LoadFromFile(u"/no/such/folder/picture.png");
  EXPECT_TRUE(missing.GetEmpty());
  EXPECT_EQ(missing.GetDataStream()->GetSize(), 0);
  missing.LoadFromStream(nullptr);
  EXPECT_TRUE(missing.GetEmpty());
}

TEST_F(PictureContainerTest, CacheFindsByExactIdOwnsAndAnimatesItsPictures) {
  THTMLPictureCache cache;
  THTMLPicture* a = cache.AddPicture();
  a->SetID(u"file://a.gif");
  LoadBytes(*a, ThreeFrames());
  THTMLPicture* b = cache.AddPicture();
  b->SetID(u"file://b.png");
  LoadBytes(*b, SampleAs("png"));
  EXPECT_EQ(cache.GetCount(), 2);
  EXPECT_EQ(cache.FindPicture(u"file://a.gif"), a);
  EXPECT_EQ(cache.FindPicture(u"FILE://A.GIF"), nullptr);
  EXPECT_EQ(cache.FindPicture(u"file://c.png"), nullptr);
  int advanced = 0;
  for (int tick = 0; tick < 4; ++tick) advanced += cache.Animate() ? 1 : 0;
  EXPECT_EQ(advanced, 1);
  EXPECT_EQ(a->GetFrame(), 2);
  cache.SetItems(1, new THTMLPicture());   // the replaced picture is freed
  EXPECT_EQ(cache.FindPicture(u"file://b.png"), nullptr);
  cache.ClearPictures();
  EXPECT_EQ(cache.GetCount(), 0);
  cache.AddPicture();   // freed with the cache
}

namespace {

class TCountingControl : public TControl {
public:
  explicit TCountingControl(TComponent* AOwner) : TControl(AOwner) {}
  void Invalidate() override { ++Invalidated; }
  int Invalidated = 0;
};

}  // namespace

TEST_F(PictureContainerTest, ContainerFindsNamesInAnyCaseAndNotifiesItsControls) {
  TPictureContainer container(nullptr);
  EXPECT_EQ(container.GetVersion(), u"2.1.0.0");
  container.SetVersion(u"9.9");
  EXPECT_EQ(container.GetVersion(), u"2.1.0.0");

  int changes = 0;
  container.OnChange = [&](TObject*) { ++changes; };
  auto control = std::make_unique<TCountingControl>(nullptr);
  container.RegisterControl(control.get());
  container.RegisterControl(control.get());
  EXPECT_EQ(container.GetControlCount(), 2);

  TPictureItem* item = container.GetItems()->Add();
  item->SetName(u"Logo");
  EXPECT_GT(changes, 0);
  const int before = changes, invalidated = control->Invalidated;
  LoadBytes(*static_cast<THTMLPicture*>(item->GetPicture()), SampleAs("png"));
  EXPECT_EQ(changes, before + 1);
  EXPECT_EQ(control->Invalidated, invalidated + 2);   // once per registration

  ASSERT_EQ(container.FindPicture(u"logo"), item->GetPicture());
  EXPECT_EQ(container.FindPicture(u"LOGO"), item->GetPicture());
  EXPECT_EQ(container.FindPicture(u"other"), nullptr);

  TPicture* first = container.FindBitmap(u"logo");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(first->GetGraphic(), item->GetPicture());
  EXPECT_TRUE(dynamic_cast<THTMLPicture*>(first->GetGraphic()));
  EXPECT_EQ(first->GetWidth(), 16);
  TPicture* second = container.FindBitmap(u"Logo");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetHeight(), 16);
  EXPECT_EQ(container.FindBitmap(u"missing"), nullptr);

  // Freeing the control removes every one of its entries.
  control.reset();
  EXPECT_EQ(container.GetControlCount(), 0);
  item->SetName(u"Logo2");
  EXPECT_EQ(changes, before + 2);

  // The item's picture is set by assignment; Animate steps the items.
  TPictureItem* anim = container.GetItems()->Add();
  THTMLPicture gif;
  LoadBytes(gif, ThreeFrames());
  anim->SetPicture(&gif);
  EXPECT_NE(anim->GetPicture(), &gif);
  int advanced = 0;
  for (int tick = 0; tick < 4; ++tick) advanced += container.GetItems()->Animate() ? 1 : 0;
  EXPECT_EQ(advanced, 1);
  EXPECT_EQ(static_cast<THTMLPicture*>(anim->GetPicture())->GetFrame(), 2);
}

TEST_F(PictureContainerTest, FacadeFindsScaledContainerPicturesFirst) {
  TPictureContainer container(nullptr);
  TPictureItem* plain = container.GetItems()->Add();
  plain->SetName(u"icon");
  LoadBytes(*static_cast<THTMLPicture*>(plain->GetPicture()), SampleAs("png"));
  TPicture* found = TNeoGraphics::GetBitmapFromPictureContainer(&container, u"icon", true, 1.5f);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->GetWidth(), 16);

  TPictureItem* scaled = container.GetItems()->Add();
  scaled->SetName(u"ICON_1.5");
  LoadBytes(*static_cast<THTMLPicture*>(scaled->GetPicture()), ThreeFrames());
  found = TNeoGraphics::GetBitmapFromPictureContainer(&container, u"icon", true, 1.5f);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->GetWidth(), 8);
  found = TNeoGraphics::GetBitmapFromPictureContainer(&container, u"icon", false);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->GetWidth(), 16);
  EXPECT_EQ(TNeoGraphics::GetBitmapFromPictureContainer(&container, u"none", true, 1.5f), nullptr);
}

TEST_F(PictureContainerTest, PublishedPropertiesStreamAndReadBack) {
  THTMLPicture source;
  LoadBytes(source, ThreeFrames());
  source.SetStretch(true);
  source.SetFrame(3);
  TWriter writer;
  writer.WriteProperties(&source);
  THTMLPicture copy;
  LoadBytes(copy, ThreeFrames());
  TReader(writer.GetText()).ReadProperties(&copy);
  EXPECT_TRUE(copy.GetStretch());
  EXPECT_EQ(copy.GetFrame(), 3);

  TPictureContainer container(nullptr);
  EXPECT_EQ(GetStrProp(&container, u"Version"), u"2.1.0.0");
  EXPECT_EQ(GetObjectProp(&container, u"Items"), container.GetItems());
  TPictureItem* item = container.GetItems()->Add();
  SetStrProp(item, u"Name", u"Logo");
  SetOrdProp(item, u"Tag", 7);
  EXPECT_EQ(item->GetName(), u"Logo");
  EXPECT_EQ(item->GetTag(), 7);
  EXPECT_EQ(GetObjectProp(item, u"Picture"), item->GetPicture());
  EXPECT_TRUE(IsPublishedProp(&source, u"OnFrameChange"));
  EXPECT_TRUE(IsPublishedProp(&container, u"OnChange"));
}

}  // namespace GifFixture
