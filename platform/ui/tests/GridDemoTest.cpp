// The grid demo on a real X server (Xvfb): paged down three times and a column dragged, through the
// X11 back end; the PNG stays under the build folder for a person to look at.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/win/Surface.h"
#include "platform/win/WinUser.h"

namespace {

int LastStatus = -1;

// Runs a shell command and gives back what it wrote on standard output.
std::string RunCommand(const std::string& Command) {
  std::string out;
  FILE* pipe = popen(Command.c_str(), "r");
  if (!pipe) return out;
  char buf[256];
  while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
  LastStatus = pclose(pipe);
  return out;
}

}  // namespace

TEST(GridDemo, WithoutADisplayItSaysWhyAndFails) {
  std::string said = RunCommand("env -u DISPLAY -u ZELK_BACKEND ASAN_OPTIONS=detect_leaks=0 '" + std::string(ZELK_GRID_DEMO) +
                         "' --rows 10 2>&1");
  EXPECT_NE(LastStatus, 0);
  EXPECT_NE(said.find("cannot open display"), std::string::npos) << said;
}

TEST(GridDemo, XvfbScreenshotShowsHeadersAndCells) {
  if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
  std::filesystem::path out = std::filesystem::path(ZELK_TEST_OUTPUT) / "GridDemoScreenshot.png";
  std::filesystem::remove(out);
  std::string env;
  if (!std::getenv("LSAN_OPTIONS"))
    env = std::string("LSAN_OPTIONS=suppressions=") + ZELK_TEST_DATA + "/../../../../scripts/lsan.supp ";
  // Fewer rows than the demo's million keep the sanitizer build quick; the view is the same.
  std::string cmd = env + "xvfb-run -a -s '-screen 0 800x600x24' '" + std::string(ZELK_GRID_DEMO) +
                    "' --rows 20000 --screenshot '" + out.string() + "'";
  std::string said = RunCommand(cmd);
  ASSERT_EQ(LastStatus, 0) << cmd << "\n" << said;
  // Three pages of 19 whole rows down from row 1, the current row with them; column 2 dragged to 5.
  EXPECT_EQ(said, "top row 58, row 58, column 5 \"Spalte 2\"\n");
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
