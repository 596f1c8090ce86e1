// Pictures in markup text drawn by DrawHtmlText on a bitmap canvas: container pictures by name,
// cache pictures by file and resource URL, sizes from WIDTH or HEIGHT alone, the animated frame
// after a step, the ALT picture under the point, an SVG picture; a sheet saved as PNG.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/PictureContainer.h"
#include "lib/render/testsupport/HtmlCanvasFixture.h"
#include "lib/render/testsupport/PixelCount.h"
#include "platform/rtl/Units.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/testsupport/GifEncoder.h"
#include "platform/win/Surface.h"

namespace GifFixture {
namespace {

// 16 x 16: the left half red, the right half green, the bottom four rows blue; as PNG bytes.
std::vector<Byte> SamplePng() {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(16, 16);
  TCanvas* c = bitmap.GetCanvas();
  c->GetBrush()->SetColor(Red);
  c->FillRect(TRect{0, 0, 8, 12});
  c->GetBrush()->SetColor(Green);
  c->FillRect(TRect{8, 0, 16, 12});
  c->GetBrush()->SetColor(Blue);
  c->FillRect(TRect{0, 12, 16, 16});
  TPngImage png;
  png.Assign(&bitmap);
  TMemoryStream s;
  png.SaveToStream(&s);
  const auto* p = static_cast<const Byte*>(s.GetMemory());
  return std::vector<Byte>(p, p + s.GetSize());
}

// 8 x 8: red (20), then a green 4 x 4 at (2, 2) (50), then blue 4 x 2 at (4, 0) (10).
std::vector<Byte> AnimatedGif() {
  return EncodeGif(8, 8,
                   {{0, 0, 8, 8, 20, DISPOSE_DO_NOT, -1, [](int, int) -> GifPixelType { return 0; }},
                    {2, 2, 4, 4, 50, DISPOSE_BACKGROUND, -1, [](int, int) -> GifPixelType { return 1; }},
                    {4, 0, 4, 2, 10, DISPOSE_DO_NOT, -1, [](int, int) -> GifPixelType { return 2; }}});
}

const std::string Svg =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 12 12\"><circle cx=\"6\" cy=\"6\" r=\"6\" fill=\"#0000ff\"/></svg>";

void Load(TGraphic* APicture, const std::vector<Byte>& ABytes) {
  TMemoryStream s;
  s.WriteBuffer(ABytes.data(), static_cast<Int64>(ABytes.size()));
  s.SetPosition(0);
  APicture->LoadFromStream(&s);
}

class PictureMarkupTest : public HtmlCanvasFixture {
protected:
  PictureMarkupTest() : HtmlCanvasFixture(TRect{0, 0, 200, 60}) {}
  void SetUp() override {
    Units().Clear();
    RegisterPictureContainerUnit();
    InitializeUnits();
    Container = std::make_unique<TPictureContainer>(nullptr);
    Add(u"logo", SamplePng());
    Add(u"anim", AnimatedGif());
    Add(u"ball", std::vector<Byte>(Svg.begin(), Svg.end()));
    Fresh(200, 60);
    P.APictureContainer = Container.get();
    P.APictureCache = &Cache;
  }
  void TearDown() override {
    Container.reset();
    Cache.ClearPictures();
    FinalizeUnits();
    Units().Clear();
  }

  void Add(const String& AName, const std::vector<Byte>& ABytes) {
    TPictureItem* item = Container->GetItems()->Add();
    item->SetName(AName);
    Load(item->GetPicture(), ABytes);
  }

  std::unique_ptr<TPictureContainer> Container;
  THTMLPictureCache Cache;
};

std::string TempPng() {
  const auto path = std::filesystem::temp_directory_path() / ("zelk-markup-" + std::to_string(::getpid()) + ".png");
  const std::vector<Byte> bytes = SamplePng();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

}  // namespace

TEST_F(PictureMarkupTest, ContainerPictureByNameAtItsSize) {
  Draw(u"<IMG SRC=\"LOGO\">");
  EXPECT_EQ(Pixel(3, 3), Red);
  EXPECT_EQ(Pixel(12, 3), Green);
  EXPECT_EQ(Pixel(3, 14), Blue);
  EXPECT_EQ(Pixel(20, 3), clWhite);
  EXPECT_EQ(P.AXSize, 18);   // width and the gap of 2
  EXPECT_GE(P.AYSize, 16);
  // No container, or no such name: nothing drawn, no room taken.
  Fresh(200, 60);
  Draw(u"<IMG SRC=\"missing\">");
  EXPECT_EQ(Pixel(3, 3), clWhite);
  EXPECT_EQ(P.AXSize, 0);
}

TEST_F(PictureMarkupTest, UrlPicturesLoadOnceIntoTheCache) {
  static const std::vector<Byte> resource = SamplePng();
  RegisterResource(u"MARKUP_LOGO", RT_RCDATA, std::span<const Byte>(resource));
  Draw(u"<IMG SRC=\"res://markup_logo\">");
  Draw(u"<IMG SRC=\"res://markup_logo\"> <IMG SRC=\"http://example.com/x.png\">");
  // One entry per URL; the web address is recorded, empty and not busy.
  ASSERT_EQ(Cache.GetCount(), 2);
  EXPECT_EQ(Pixel(3, 3), Red);
  EXPECT_EQ(Pixel(12, 3), Green);
  THTMLPicture* web = Cache.GetItems(1);
  EXPECT_TRUE(web->GetEmpty());
  EXPECT_FALSE(web->GetBusy());

  // A file URL through the same lookup the engine's target uses.
  const std::string path = TempPng();
  const String url = u"file://" + UTF8ToString(path);
  TGraphic* picture = FindMarkupPicture(url, Container.get(), &Cache);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(FindMarkupPicture(url, Container.get(), &Cache), picture);
  EXPECT_EQ(Cache.GetCount(), 3);
  EXPECT_EQ(picture->GetWidth(), 16);
  std::filesystem::remove(path);
  // Without ":" the container's picture; with ":" but no "://", or without a cache, nothing.
  EXPECT_EQ(FindMarkupPicture(u"LOGO", Container.get(), &Cache), Container->FindPicture(u"logo"));
  EXPECT_EQ(FindMarkupPicture(u"c:logo", Container.get(), &Cache), nullptr);
  EXPECT_EQ(FindMarkupPicture(url, Container.get(), nullptr), nullptr);
  EXPECT_EQ(FindMarkupPicture(u"logo", nullptr, &Cache), nullptr);
}

TEST_F(PictureMarkupTest, FileUrlsKeepTheirCase) {
  // The path is lower case; an upper-cased copy names no file here.
  const std::string path = TempPng();
  const String url = u"file://" + UTF8ToString(path);
  Draw(u"<IMG SRC=\"" + url + u"\">");
  EXPECT_EQ(Pixel(3, 3), Red);
  EXPECT_EQ(Pixel(12, 3), Green);
  EXPECT_EQ(P.AXSize, 18);
  ASSERT_EQ(Cache.GetCount(), 1);
  EXPECT_EQ(Cache.GetItems(0)->GetID(), url);
  // The ALT source as well, on the drawing pass of a call that found the picture under the point.
  Fresh(200, 60);
  P.AX = 5;
  P.AY = 5;
  EXPECT_TRUE(Draw(u"<A HREF=\"go\"><IMG SRC=\"anim\" ALT=\"" + url + u"\"></A>"));
  EXPECT_EQ(Pixel(12, 3), Green);
  std::filesystem::remove(path);
}

TEST_F(PictureMarkupTest, WidthOrHeightAloneScalesTheOtherSide) {
  Fresh(200, 80);
  Draw(u"<IMG SRC=\"logo\" WIDTH=\"32\">", TRect{0, 0, 200, 80});
  EXPECT_GE(P.AYSize, 32);
  EXPECT_EQ(Pixel(6, 6), Red);
  EXPECT_EQ(Pixel(26, 6), Green);
  EXPECT_EQ(Pixel(6, 29), Blue);
  EXPECT_EQ(Pixel(34, 6), clWhite);
  Fresh(200, 80);
  Draw(u"<IMG SRC=\"logo\" HEIGHT=\"8\">", TRect{0, 0, 200, 80});
  EXPECT_EQ(Pixel(1, 1), Red);
  EXPECT_EQ(Pixel(6, 1), Green);
  EXPECT_EQ(Pixel(10, 1), clWhite);
}

TEST_F(PictureMarkupTest, TextBesideATallPictureFollowsAlignAndWrap) {
  // The rows of the text's ink right of a 48-pixel picture: bottom by default, top with TOP,
  // between with MIDDLE; WRAP keeps the line to the text's height.
  const auto textRows = [&](StringView AText, Integer& AFirst, Integer& ALast) {
    Fresh(200, 80);
    Draw(AText, TRect{0, 0, 200, 80});
    AFirst = 80, ALast = -1;
    for (Integer y = 0; y < 80; ++y)
      for (Integer x = 52; x < 120; ++x)
        if (Pixel(x, y) == clBlack) {
          AFirst = std::min(AFirst, y);
          ALast = std::max(ALast, y);
        }
  };
  Integer top = 0, bottom = 0, first = 0, last = 0;
  textRows(u"<IMG SRC=\"logo\" HEIGHT=\"48\">Text", first, last);
  EXPECT_GT(first, 30);
  EXPECT_LT(last, 48);
  EXPECT_GE(P.AYSize, 48);
  textRows(u"<IMG SRC=\"logo\" HEIGHT=\"48\" ALIGN=\"TOP\">Text", top, bottom);
  EXPECT_LT(top, 8);
  textRows(u"<IMG SRC=\"logo\" HEIGHT=\"48\" ALIGN=\"MIDDLE\">Text", first, last);
  EXPECT_GT(first, top + 8);
  EXPECT_LT(last, bottom + 32);
  EXPECT_LT(first, 30);
  textRows(u"<IMG SRC=\"logo\" HEIGHT=\"48\" WRAP>Text", first, last);
  EXPECT_LT(P.AYSize, 48);
}

TEST_F(PictureMarkupTest, AnimatedPictureShowsItsCurrentFrame) {
  Draw(u"<IMG SRC=\"anim\">");
  EXPECT_EQ(Pixel(3, 3), Red);
  for (int tick = 0; tick < 4; ++tick) Container->GetItems()->Animate();
  EXPECT_EQ(static_cast<THTMLPicture*>(Container->FindPicture(u"anim"))->GetFrame(), 2);
  Fresh(200, 60);
  Draw(u"<IMG SRC=\"anim\">");
  // The line starts one pixel in: screen point (x, y) lies at (x + 1, y).
  EXPECT_EQ(Pixel(1, 0), Red);
  EXPECT_EQ(Pixel(4, 4), Green);
  EXPECT_EQ(Pixel(8, 7), Red);
}

TEST_F(PictureMarkupTest, AltPictureShowsUnderThePoint) {
  const String text = u"<A HREF=\"go\"><IMG SRC=\"logo\" ALT=\"anim\"></A>";
  P.AX = 5;
  P.AY = 5;
  EXPECT_TRUE(Draw(text));
  EXPECT_EQ(P.AAnchor, u"go");
  // Drawn on the same call as the point was found: the ALT picture (red all over).
  EXPECT_EQ(Pixel(6, 1), Red);
  Fresh(200, 60);
  P.AX = 150;
  EXPECT_FALSE(Draw(text));
  EXPECT_EQ(Pixel(12, 3), Green);
}

TEST_F(PictureMarkupTest, SvgPictureInAnImage) {
  Draw(u"<IMG SRC=\"ball\" WIDTH=\"24\" HEIGHT=\"24\">");
  EXPECT_EQ(Pixel(12, 12), Blue);
  EXPECT_EQ(Pixel(1, 1), clWhite);
}

TEST_F(PictureMarkupTest, ShellIconsBySmallAndLargeListByNameOrIndex) {
  constexpr TColor PageBorder = 0x707070, FolderBorder = 0x2080B0;
  Draw(u"<IMG SRC=\"SSYS:notes.txt\">");
  EXPECT_EQ(P.AXSize, 18);
  EXPECT_EQ(Pixel(3, 8), PageBorder);    // the page's left edge at x 2 of the icon
  EXPECT_EQ(Pixel(14, 8), PageBorder);   // and its right edge at x 13
  Fresh(200, 60);
  Draw(u"<IMG SRC=\"LSYS:notes.txt\">");
  EXPECT_EQ(P.AXSize, 34);
  EXPECT_EQ(Pixel(27, 16), PageBorder);
  Fresh(200, 60);
  Draw(u"<IMG SRC=\"ssys:0\">");   // index 0: the folder; the prefix in any case
  EXPECT_EQ(Pixel(1, 8), FolderBorder);
  Fresh(200, 60);
  Draw(u"<IMG SRC=\"SSYS:99\">x");
  EXPECT_LT(P.AXSize, 16);   // no such icon: only the text
}

TEST_F(PictureMarkupTest, ShellIconsPrintedAreStretchedByTheResolutionFactor) {
  P.APrint = true;
  P.AResFactor = 2;
  Draw(u"<IMG SRC=\"SSYS:notes.txt\">");
  EXPECT_EQ(P.AXSize, 34);   // laid out as drawn: twice the list's 16 pixels, and the gap
  // Drawn from (1, 0) twice its size: the page's right edge at x 13 lies at 27 and 28.
  EXPECT_EQ(Pixel(28, 20), TColor(0x707070));
  EXPECT_EQ(Pixel(5, 20), TColor(0x707070));
  EXPECT_EQ(Pixel(31, 2), clWhite);   // the folded corner
}

TEST_F(PictureMarkupTest, ListItemWithAContainerPicture) {
  // Level 1: the picture at the line start (1) and two pixels down; the text after its 16 pixels.
  const String text = u"<UL><LI TYPE=\"IMAGE\" NAME=\"logo\">Item</UL>";
  Draw(text);
  EXPECT_EQ(Pixel(4, 5), Red);
  EXPECT_EQ(Pixel(13, 5), Green);
  EXPECT_EQ(Pixel(4, 16), Blue);
  EXPECT_EQ(Pixel(4, 1), clWhite);
  // The text starts the picture's 16 pixels on, 4 further than after a 12-pixel bullet.
  const auto inkStart = [&] {
    Integer ink = 200;
    for (Integer y = 0; y < 30; ++y)
      for (Integer x = 10; x < 200; ++x)
        if (CountPixelsNear([&](Integer X, Integer Y) { return Pixel(X, Y); }, TRect{x, y, x + 1, y + 1}, clBlack) > 0)
          ink = std::min(ink, x);
    return ink;
  };
  const Integer afterPicture = inkStart();
  const Integer drawnWidth = P.AXSize;
  Fresh(200, 60);
  Draw(u"<UL><LI TYPE=\"SQUARE\">Item</UL>");
  EXPECT_EQ(afterPicture, inkStart() + 4);
  EXPECT_EQ(drawnWidth, P.AXSize + 4);
  P.ACheckHeight = true;
  Draw(text);
  EXPECT_EQ(P.AXSize, drawnWidth);
  // Hidden, or no such picture: nothing drawn.
  P.ACheckHeight = false;
  for (const StringView hidden : {u"<UL><Z><LI TYPE=\"IMAGE\" NAME=\"logo\"></Z></UL>",
                                  u"<UL><LI TYPE=\"IMAGE\" NAME=\"missing\"></UL>"}) {
    Fresh(200, 60);
    Draw(hidden);
    EXPECT_EQ(Pixel(4, 5), clWhite) << UTF8Encode(String(hidden));
  }
}

TEST_F(PictureMarkupTest, BodyBackgroundIsTiledAndClipped) {
  // 16-pixel tiles from (10, 10): columns at 10, 26, 42 and rows at 10, 26, cut at (50, 40).
  Fresh(80, 60);
  Draw(u"<BODY BACKGROUND=\"logo\">", TRect{10, 10, 50, 40});
  struct Probe {
    Integer X, Y;
    TColor Color;
  };
  for (const Probe& p : {Probe{13, 13, Red}, Probe{22, 13, Green}, Probe{29, 13, Red}, Probe{45, 29, Red},
                         Probe{45, 38, Blue}, Probe{13, 23, Blue}, Probe{45, 40, clWhite}, Probe{50, 13, clWhite},
                         Probe{9, 13, clWhite}, Probe{13, 9, clWhite}})
    EXPECT_EQ(Pixel(p.X, p.Y), p.Color) << p.X << "," << p.Y;
  // The colour goes first, so the round picture's corners show it; a file URL as written.
  const std::string path = TempPng();
  Fresh(80, 60);
  Draw(u"<BODY BGCOLOR=\"clYellow\" BACKGROUND=\"ball\">", TRect{10, 10, 50, 40});
  EXPECT_EQ(Pixel(10, 10), clYellow);
  EXPECT_EQ(Pixel(16, 16), Blue);
  EXPECT_EQ(Pixel(28, 16), Blue);
  ASSERT_TRUE(GetDCSurface(Bitmap->GetCanvas()->GetHandle())->SaveToPng(std::string(ZELK_TEST_OUTPUT) + "/markup_body_background.png"));
  Fresh(80, 60);
  Draw(u"<BODY BACKGROUND=\"file://" + UTF8ToString(path) + u"\">", TRect{10, 10, 50, 40});
  EXPECT_EQ(Pixel(29, 13), Red);
  std::filesystem::remove(path);
  // Measuring draws nothing.
  Fresh(80, 60);
  P.ACheckHeight = true;
  Draw(u"<BODY BACKGROUND=\"logo\">", TRect{10, 10, 50, 40});
  EXPECT_EQ(Pixel(13, 13), clWhite);
}

TEST_F(PictureMarkupTest, PictureSheet) {
  Fresh(320, 100);
  static const std::vector<Byte> resource = SamplePng();
  RegisterResource(u"SHEET_LOGO", RT_RCDATA, std::span<const Byte>(resource));
  Draw(u"Logo <IMG SRC=\"logo\"> wide <IMG SRC=\"logo\" WIDTH=\"48\"> gif <IMG SRC=\"anim\" HEIGHT=\"24\"> "
       u"svg <IMG SRC=\"ball\" WIDTH=\"24\" HEIGHT=\"24\"> resource <IMG SRC=\"res://sheet_logo\"> shell <IMG SRC=\"SSYS:a.txt\"> <IMG SRC=\"LSYS:b.zip\">",
       TRect{4, 4, 316, 96});
  ASSERT_TRUE(GetDCSurface(Bitmap->GetCanvas()->GetHandle())->SaveToPng(std::string(ZELK_TEST_OUTPUT) + "/markup_pictures.png"));
  EXPECT_GT(P.AXSize, 150);
}

}  // namespace GifFixture
