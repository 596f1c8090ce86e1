// render-demo run as a program: its markup page is written without a display, and the boxes it
// names show what they should (coloured text, an anchor's underline, bullets, control faces, a
// paragraph band, a colour emoji, an error wave); its SVG pages show the corpus beside librsvg's
// pictures with their difference.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "platform/rtl/testsupport/Command.h"
#include "platform/ui/Graphics.h"
#include "platform/win/Surface.h"

#ifdef ZELK_TEST_RSVG
#include "lib/render/demo/SVGComparison.h"
#endif

namespace {

class RenderDemoTest : public ::testing::Test {
protected:
  void SetUp() override {
    const std::filesystem::path dir = std::filesystem::path(ZELK_TEST_OUTPUT) / "render_demo";
    std::filesystem::create_directories(dir);
    Folder = dir.string();
    std::filesystem::remove(Folder + "/markup.png");
  }

  // Runs the demo; the leak checker's suppressions travel with it.
  int Run(const std::string& AArguments) {
    const std::string cmd = "ZELK_BACKEND=headless " + LeakSuppressions() + "'" + ZELK_RENDER_DEMO + "' " + AArguments;
    return std::system(cmd.c_str());
  }

  void Load(const std::string& APage) {
    ASSERT_TRUE(Picture.LoadFromPng(Folder + "/" + APage + ".png"));
    std::ifstream in(Folder + "/" + APage + ".boxes");
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream fields(line);
      std::string name;
      TRect r{};
      fields >> name >> r.left >> r.top >> r.right >> r.bottom;
      Boxes[name] = r;
    }
  }

  TColor At(Integer X, Integer Y) const {
    const std::uint32_t p = Picture.Pixel(X, Y);
    return TColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
  }

  static bool Close(TColor A, TColor B) {
    auto d = [&](int s) { return std::abs(int((A >> s) & 0xFF) - int((B >> s) & 0xFF)); };
    return d(0) < 60 && d(8) < 60 && d(16) < 60;
  }

  // Pixels of the named box within 60 per channel of the colour.
  Integer Near(const std::string& ABox, TColor AColor) const {
    const TRect r = Boxes.at(ABox);
    Integer n = 0;
    for (Integer y = r.top; y < r.bottom; ++y)
      for (Integer x = r.left; x < r.right; ++x) n += Close(At(x, y), AColor) ? 1 : 0;
    return n;
  }

  std::string Folder;
  TSurface Picture{1, 1};
  std::map<std::string, TRect> Boxes;
};

TEST_F(RenderDemoTest, MarkupPageShowsItsSamples) {
  ASSERT_EQ(Run("--out '" + Folder + "' markup"), 0);
  Load("markup");
  for (const char* name : {"red-text", "link", "bullet", "square", "check", "button", "band", "effects", "emoji"})
    ASSERT_TRUE(Boxes.count(name)) << name;
  EXPECT_GT(Near("red-text", clRed), 30);
  EXPECT_EQ(Near("red-text", clBlue), 0);
  // The anchor's underline: near the bottom of its box, blue under most of its width.
  const TRect link = Boxes["link"];
  ASSERT_GT(link.right - link.left, 40);
  Integer underlined = 0;
  for (Integer x = link.left; x < link.right; ++x) {
    bool blue = false;
    for (Integer y = link.bottom - 6; y < link.bottom; ++y) {
      const TColor c = At(x, y);
      blue = blue || (int((c >> 16) & 0xFF) > int(c & 0xFF) + 80 && int((c >> 16) & 0xFF) > int((c >> 8) & 0xFF) + 80);
    }
    underlined += blue ? 1 : 0;
  }
  EXPECT_GT(underlined, (link.right - link.left) * 8 / 10);
  EXPECT_GT(Near("bullet", clBlack), 3);
  EXPECT_EQ(Near("square", clGreen), 64);
  // The checked box shows its mark; the button its face.
  EXPECT_GT(Near("check", clBlack), 5);
  const TRect button = Boxes["button"];
  const Integer area = (button.right - button.left) * (button.bottom - button.top);
  EXPECT_GT(area, 0);
  Integer paper = 0;
  for (Integer y = button.top; y < button.bottom; ++y)
    for (Integer x = button.left; x < button.right; ++x) paper += At(x, y) == clWhite ? 1 : 0;
  EXPECT_LT(paper, area / 2);   // a face, not paper
  EXPECT_GT(Near("band", 0xFFE0E0), 400);
  EXPECT_GT(Near("effects", clRed), 10);   // the error wave
  Integer coloured = 0;
  const TRect e = Boxes["emoji"];
  for (Integer y = e.top; y < e.bottom; ++y)
    for (Integer x = e.left; x < e.right; ++x) {
      const TColor c = At(x, y);
      const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
      coloured += std::max({r, g, b}) - std::min({r, g, b}) > 60 ? 1 : 0;
    }
  EXPECT_GT(coloured, 30);
}

TEST_F(RenderDemoTest, PicturePagesShowContainerPicturesAndTheGifFrames) {
  ASSERT_EQ(Run("--out '" + Folder + "' pictures gif-frame-1 gif-frame-2 gif-frame-3"), 0);
  Load("pictures");
  const TRect png = Boxes.at("png"), svg = Boxes.at("svg"), gif = Boxes.at("gif");
  EXPECT_EQ(At(png.left + 24, png.top + 10), clRed);
  EXPECT_EQ(At(png.left + 24, png.top + 28), clLime);
  EXPECT_EQ(At(png.left + 24, png.top + 44), clBlue);
  EXPECT_EQ(At(svg.left + 24, svg.top + 24), clBlue);
  EXPECT_EQ(At(svg.left + 1, svg.top + 1), clWhite);
  EXPECT_EQ(At(gif.left + 24, gif.top + 24), clRed);
  EXPECT_GT(Near("text", clBlack), 20);
  // Frame n drawn 12 times its size: a point of the screen (x, y) lies at 12x + 6, 12y + 6.
  auto at = [&](Integer X, Integer Y) { return At(Boxes.at("frame").left + 12 * X + 6, Boxes.at("frame").top + 12 * Y + 6); };
  Load("gif-frame-1");
  EXPECT_EQ(at(0, 0), clRed);
  EXPECT_EQ(at(4, 4), clRed);
  Load("gif-frame-2");
  EXPECT_EQ(at(0, 0), clRed);
  EXPECT_EQ(at(3, 3), clLime);
  EXPECT_EQ(at(6, 6), clRed);
  Load("gif-frame-3");
  EXPECT_EQ(at(3, 3), clWhite);   // frame 2 went back to the background
  EXPECT_EQ(at(5, 0), clBlue);
  EXPECT_EQ(at(0, 0), clRed);
}

#ifdef ZELK_TEST_RSVG
// One page per corpus file: our picture, librsvg's and their difference, each 256 x 256. The
// difference panel is the difference of the other two; the files meant to match librsvg differ
// beyond 32 in at most 2 % of the pixels.
TEST_F(RenderDemoTest, SVGPagesShowTheCorpusBesideLibrsvg) {
  std::string names;
  for (const SVGComparison::TRsvgCase& c : SVGComparison::Corpus) names += std::string(" svg-") + c.Name;
  ASSERT_EQ(Run("--out '" + Folder + "'" + names), 0);
  for (const SVGComparison::TRsvgCase& c : SVGComparison::Corpus) {
    SCOPED_TRACE(c.Name);
    Boxes.clear();
    Load(std::string("svg-") + c.Name);
    const TRect ours = Boxes.at("ours"), theirs = Boxes.at("librsvg"), difference = Boxes.at("difference");
    for (const TRect& r : {ours, theirs, difference}) {
      ASSERT_EQ(r.right - r.left, 256);
      ASSERT_EQ(r.bottom - r.top, 256);
    }
    Integer far = 0, inked = 0, wrong = 0;
    for (Integer y = 0; y < 256; ++y)
      for (Integer x = 0; x < 256; ++x) {
        const std::uint32_t a = Picture.Pixel(ours.left + x, ours.top + y) | 0xFF000000;
        const std::uint32_t b = Picture.Pixel(theirs.left + x, theirs.top + y) | 0xFF000000;
        const std::uint32_t d = Picture.Pixel(difference.left + x, difference.top + y) | 0xFF000000;
        wrong += d != SVGComparison::DifferencePixel(a, b) ? 1 : 0;
        far += d == SVGComparison::DifferenceFar ? 1 : 0;
        inked += a != 0xFFFFFFFF || b != 0xFFFFFFFF ? 1 : 0;
      }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(inked, 0);   // a page of blanks would compare nothing
    if (c.Compare == SVGComparison::cmpPixels) {
      EXPECT_LE(far, 256 * 256 * 2 / 100);
    }
  }
}
#endif

TEST_F(RenderDemoTest, UnknownPageFailsAndSaysSo) {
  EXPECT_NE(Run("--out '" + Folder + "' nosuchpage 2>/dev/null"), 0);
  EXPECT_NE(Run("2>/dev/null"), 0);
}

}  // namespace
