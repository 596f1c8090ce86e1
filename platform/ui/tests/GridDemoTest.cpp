// The grid demo on a real X server (Xvfb): paged down three times and a column dragged, through the
// X11 back end; the PNG stays under the build folder for a person to look at.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/rtl/testsupport/Command.h"
#include "platform/win/Surface.h"
#include "platform/win/WinUser.h"

TEST(GridDemo, WithoutADisplayItSaysWhyAndFails) {
  const TCommandRun said = RunCommand("env -u DISPLAY -u ZELK_BACKEND ASAN_OPTIONS=detect_leaks=0 '" +
                                      std::string(ZELK_GRID_DEMO) + "' --rows 10 2>&1");
  EXPECT_NE(said.Status, 0);
  EXPECT_NE(said.Output.find("cannot open display"), std::string::npos) << said.Output;
}

TEST(GridDemo, XvfbScreenshotShowsHeadersAndCells) {
  if (!HaveCommands("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  std::filesystem::path out = std::filesystem::path(ZELK_TEST_OUTPUT) / "GridDemoScreenshot.png";
  std::filesystem::remove(out);
  // Fewer rows than the demo's million keep the sanitizer build quick; the view is the same.
  std::string cmd = LeakSuppressions() + OnXvfb("-screen 0 800x600x24") + "'" + std::string(ZELK_GRID_DEMO) +
                    "' --rows 20000 --screenshot '" + out.string() + "'";
  const TCommandRun said = RunCommand(cmd);
  ASSERT_EQ(said.Status, 0) << cmd << "\n" << said.Output;
  // Three pages of 19 whole rows down from row 1, the current row with them; column 2 dragged to 5.
  EXPECT_EQ(said.Output, "top row 58, row 58, column 5 \"Spalte 2\"\n");
  TSurface shot;
  ASSERT_TRUE(shot.LoadFromPng(out.string()));
  ASSERT_EQ(shot.Width(), 800);
  // The grid fills the form's client area at (20, 20) below its frame and caption, inside a
  // sunken edge.
  int x0 = 20 + GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXEDGE);
  int y0 = 20 + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYEDGE);
  auto at = [&](int x, int y) { return PixelToColorRef(shot.Pixel(x0 + x, y0 + y)); };
  auto count = [&](int l, int t, int r, int b, auto&& pred) {
    int n = 0;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) n += pred(at(x, y)) ? 1 : 0;
    return n;
  };
  auto dark = [](COLORREF c) { return GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80; };
  COLORREF face = GetSysColor(COLOR_BTNFACE), window = GetSysColor(COLOR_WINDOW);
  // The header row: the fixed colour with dark text in it, above white cells with dark text.
  EXPECT_GT(count(90, 2, 160, 22, [&](COLORREF c) { return c == face; }), 600);
  EXPECT_GT(count(90, 2, 160, 22, dark), 20);
  EXPECT_GT(count(90, 52, 160, 72, [&](COLORREF c) { return c == window; }), 600);
  EXPECT_GT(count(90, 52, 160, 72, dark), 20);
  // The fixed column of row headers down the left.
  EXPECT_GT(count(2, 100, 70, 120, [&](COLORREF c) { return c == face; }), 600);
}
