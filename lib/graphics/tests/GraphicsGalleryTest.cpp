// The graphics gallery demo: its scene through the canvas context, the GDI+ context on a bitmap,
// the GDI+ context on a child control of a headless form and in a real X11 window (Xvfb), each
// compared with its golden picture.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "GraphicsTestSupport.h"
#include "platform/rtl/testsupport/Command.h"
#include "platform/win/WinUser.h"

namespace {

constexpr int GalleryWidth = 520, GalleryHeight = 400;
// The text row of the scene: alignments, wrapping, trimming and rotation.
constexpr TRect TextBand{0, 65, GalleryWidth, 155};

std::string OutputFolder() {
  const std::filesystem::path dir = std::filesystem::path(ZELK_TEST_OUTPUT) / "graphics_gallery";
  std::filesystem::create_directories(dir);
  return dir.string();
}

// Runs the gallery with the arguments; the leak checker's suppressions travel with it.
int RunGallery(const std::string& AEnvironment, const std::string& AArguments) {
  const std::string cmd = LeakSuppressions() + AEnvironment + " " + AArguments;
  return std::system(cmd.c_str());
}

bool Dark(std::uint32_t APixel) {
  return ((APixel >> 16) & 0xFF) < 100 && ((APixel >> 8) & 0xFF) < 100 && (APixel & 0xFF) < 100;
}

// The picture against its golden: text by its ink's box within 2 pixels, everything at most 0.5%
// of the pixels beyond 8 per channel.
void ExpectMatchesGolden(const TSurface& AGot, const std::string& AGolden, const std::string& AOut) {
  TSurface want(1, 1);
  const std::string golden = std::string(ZELK_TEST_DATA) + "/" + AGolden;
  ASSERT_TRUE(want.LoadFromPng(golden)) << "no golden picture " << golden << "; this run's is " << AOut;
  ASSERT_EQ(AGot.Width(), want.Width());
  ASSERT_EQ(AGot.Height(), want.Height());
  const TRect got = InkBox(AGot, TextBand, Dark), expected = InkBox(want, TextBand, Dark);
  EXPECT_NE(expected, TRect{});
  for (auto [g, w] : {std::pair{got.left, expected.left}, {got.top, expected.top}, {got.right, expected.right},
                      {got.bottom, expected.bottom}})
    EXPECT_LE(std::abs(g - w), 2) << "text ink of " << AOut;
  EXPECT_LE(DifferingPixels(AGot, want), AGot.Width() * AGot.Height() / 200) << "see " << AOut;
}

TEST(GraphicsGallery, BothContextsMatchTheirGoldenPictures) {
  const std::string dir = OutputFolder();
  for (const char* name : {"canvas.png", "gdiplus.png", "child.png"}) std::filesystem::remove(dir + "/" + name);
  ASSERT_EQ(RunGallery("ZELK_BACKEND=headless", std::string("'") + ZELK_GRAPHICS_GALLERY + "' --out '" + dir + "'"), 0);
  TSurface canvas(1, 1), gdiplus(1, 1), child(1, 1);
  ASSERT_TRUE(canvas.LoadFromPng(dir + "/canvas.png"));
  ASSERT_TRUE(gdiplus.LoadFromPng(dir + "/gdiplus.png"));
  ASSERT_TRUE(child.LoadFromPng(dir + "/child.png"));
  ExpectMatchesGolden(canvas, "gallery-canvas.png", dir + "/canvas.png");
  ExpectMatchesGolden(gdiplus, "gallery-gdiplus.png", dir + "/gdiplus.png");
  ExpectMatchesGolden(child, "gallery-child.png", dir + "/child.png");
  // The control's origin is the scene's: the child draws what the bitmap context draws.
  EXPECT_LE(DifferingPixels(child, gdiplus), GalleryWidth * GalleryHeight / 200);
  // Both contexts put the solid rectangle, frame and fill, on the same pixels.
  const TRect solid{0, 0, 66, 66};
  EXPECT_EQ(InkBox(canvas, solid, [](std::uint32_t p) { return (p & 0xFFFFFF) != 0xFFFFFF; }),
            (TRect{10, 10, 60, 60}));
  // libgdiplus fills a rectangle without anti-aliasing one pixel beyond its right and bottom
  // edges, where GDI+ stops; the outline and everything inside it agree.
  EXPECT_EQ(DifferingPixels(canvas, gdiplus, TRect{0, 0, 60, 60}), 0);
}

TEST(GraphicsGallery, XvfbScreenshotShowsTheScene) {
  if (!HaveCommands("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  const std::string out = OutputFolder() + "/x11-screenshot.png";
  std::filesystem::remove(out);
  ASSERT_EQ(RunGallery("", std::string(OnXvfb("-screen 0 640x480x24") + "'") + ZELK_GRAPHICS_GALLERY +
                               "' --screenshot '" + out + "'"),
            0);
  TSurface shot(1, 1);
  ASSERT_TRUE(shot.LoadFromPng(out));
  // The form's client area starts below its caption at (20, 20) plus the frame; the view lies
  // 12 pixels in.
  const int x0 = 20 + GetSystemMetrics(SM_CXDLGFRAME) + 12;
  const int y0 = 20 + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) + 12;
  ASSERT_GE(shot.Width(), x0 + GalleryWidth);
  ASSERT_GE(shot.Height(), y0 + GalleryHeight);
  TSurface view(GalleryWidth, GalleryHeight);
  for (int y = 0; y < GalleryHeight; ++y)
    for (int x = 0; x < GalleryWidth; ++x) view.SetPixel(x, y, shot.Pixel(x0 + x, y0 + y));
  const std::string viewOut = OutputFolder() + "/x11-view.png";
  ASSERT_TRUE(view.SaveToPng(viewOut));
  ExpectMatchesGolden(view, "gallery-x11.png", viewOut);
}

}  // namespace
