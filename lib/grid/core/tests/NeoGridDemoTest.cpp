// The grid demo as a person sees it, headless and on a real X server (Xvfb): at start, after two
// pages down and after a column resize. The PNGs stay under the build folder for a person to look
// at; the checks read pixels at the cells the demo lays out (its column widths and row height).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/win/Surface.h"
#include "platform/win/WinUser.h"

namespace {

// Column starts of the demo (widths 50, 50, 120, 80, 90, 90, 100, 80) and its rows of 22 pixels.
constexpr int ColX[] = {0, 50, 100, 220, 300, 390, 480, 580, 660};
constexpr int RowH = 22;

class DemoShot {
public:
  // Runs the demo with the actions and loads its screenshot; false when it failed.
  bool Run(const std::string& Name, const std::string& Actions, bool Xvfb) {
    std::filesystem::path out = std::filesystem::path(ZELK_TEST_OUTPUT) / Name;
    std::filesystem::remove(out);
    std::string env;
    if (!std::getenv("LSAN_OPTIONS"))
      env = std::string("LSAN_OPTIONS=suppressions=") + ZELK_TEST_DATA + "/../../../../../scripts/lsan.supp ";
    std::string run = "'" + std::string(ZELK_NEOGRID_DEMO) + "' --rows 2000 --screenshot '" + out.string() + "'" +
                      (Actions.empty() ? "" : " --actions " + Actions);
    std::string cmd = Xvfb ? env + "xvfb-run -a -s '-screen 0 1024x768x24' " + run
                           : env + "ZELK_BACKEND=headless " + run;
    Command = cmd;
    if (std::system(cmd.c_str()) != 0) return false;
    return Shot.LoadFromPng(out.string());
  }
  // A pixel of the grid's client area.
  COLORREF At(int X, int Y) const {
    static const int x0 = 20 + GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXEDGE);
    static const int y0 = 20 + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYEDGE);
    return PixelToColorRef(Shot.Pixel(x0 + X, y0 + Y));
  }
  int Count(int L, int T, int R, int B, const std::function<bool(COLORREF)>& Pred) const {
    int n = 0;
    for (int y = T; y < B; ++y)
      for (int x = L; x < R; ++x) n += Pred(At(x, y)) ? 1 : 0;
    return n;
  }
  // Dark pixels inside the frame of the check box in a visible row (Row 1 = the first data row):
  // the box's frame spans 67..79 of the column and 7..18 of the row.
  int CheckMarkPixels(int Row) const { return Count(ColX[1] + 19, Row * RowH + 9, ColX[1] + 28, Row * RowH + 17, Dark); }
  static bool Dark(COLORREF C) { return GetRValue(C) < 90 && GetGValue(C) < 90 && GetBValue(C) < 90; }

  TSurface Shot{1, 1};
  std::string Command;
};

const COLORREF Face = GetSysColor(COLOR_BTNFACE);
const COLORREF Window = GetSysColor(COLOR_WINDOW);

// Pixels in a 3-pixel band around a column boundary, over the height of a row, that are neither
// the cell's fill nor the text (any grid line shows here).
int BoundaryPixels(const DemoShot& S, int X, int Row, COLORREF Fill) {
  return S.Count(X - 2, Row * RowH + 3, X + 1, Row * RowH + RowH - 3, [&](COLORREF c) { return c != Fill; });
}

void ExpectStartPicture(const DemoShot& s) {
  // The header merged across "Person": one text, no line where its columns meet, unlike the
  // boundary before it.
  EXPECT_EQ(BoundaryPixels(s, ColX[3], 0, Face), 0);
  EXPECT_EQ(BoundaryPixels(s, ColX[4], 0, Face), 0);
  EXPECT_GT(BoundaryPixels(s, ColX[2], 0, Face), 10);
  EXPECT_GT(s.Count(ColX[2] + 100, 3, ColX[2] + 190, 19, DemoShot::Dark), 15);   // "Person" in the middle
  EXPECT_EQ(s.Count(ColX[2] + 5, 3, ColX[2] + 60, 19, DemoShot::Dark), 0);        // and nowhere else
  // The 2 x 2 block of rows 3 and 4, columns 5 and 6: neither line inside it.
  auto notWindow = [](COLORREF c) { return c != Window; };
  EXPECT_EQ(s.Count(ColX[6] - 2, 3 * RowH + 2, ColX[6] + 1, 3 * RowH + 14, notWindow), 0);   // above the text
  EXPECT_EQ(s.Count(ColX[6] - 2, 4 * RowH + 5, ColX[6] + 1, 5 * RowH - 3, notWindow), 0);    // below it
  EXPECT_EQ(s.Count(ColX[5] + 4, 4 * RowH - 2, ColX[5] + 25, 4 * RowH + 1, notWindow), 0);
  EXPECT_GT(BoundaryPixels(s, ColX[6], 5, Window), 10);   // below the block the line is back
  // Row 1 holds "Y": a checked box; row 2 "N": an empty one.
  EXPECT_GT(s.CheckMarkPixels(1), 5);
  EXPECT_EQ(s.CheckMarkPixels(2), 0);
  // A button face in column 7 of a row.
  EXPECT_GT(s.Count(ColX[7] + 4, 2 * RowH + 4, ColX[8] - 4, 3 * RowH - 4, [](COLORREF c) { return c == Face; }), 300);
}

TEST(NeoGridDemo, HeadlessStartPageDownAndColumnResize) {
  DemoShot start, paged, resized;
  ASSERT_TRUE(start.Run("NeoGridDemoStart.png", "", false)) << start.Command;
  ExpectStartPicture(start);

  ASSERT_TRUE(paged.Run("NeoGridDemoPageDown.png", "pagedown,pagedown", false)) << paged.Command;
  // Two pages on, the first visible row is 45 ("N"): its box is empty; the controls followed.
  EXPECT_EQ(paged.CheckMarkPixels(1), 0);
  EXPECT_GT(paged.CheckMarkPixels(2), 5);   // row 46 holds "Y"

  ASSERT_TRUE(resized.Run("NeoGridDemoResize.png", "resize,check", false)) << resized.Command;
  // The border of the merged header's last column moved 40 pixels right and the buttons with it.
  EXPECT_GT(resized.Count(ColX[8] + 5, 2 * RowH + 4, ColX[8] + 35, 3 * RowH - 4, [](COLORREF c) { return c == Face; }),
            150);
  EXPECT_EQ(resized.CheckMarkPixels(1), 0);   // "check" cleared the first row's box
}

TEST(NeoGridDemo, XvfbStartPicture) {
  if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
  DemoShot start;
  ASSERT_TRUE(start.Run("NeoGridDemoXvfb.png", "", true)) << start.Command;
  ExpectStartPicture(start);
}

TEST(NeoGridDemo, WithoutADisplayItSaysSoAndFails) {
  std::string cmd = "env -u DISPLAY ZELK_BACKEND=x11 '" + std::string(ZELK_NEOGRID_DEMO) + "' --screenshot /dev/null 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string text;
  char buf[256];
  while (fgets(buf, sizeof buf, p)) text += buf;
  int status = pclose(p);
  EXPECT_NE(status, 0);
  EXPECT_NE(text.find("no display"), std::string::npos) << text;
}

}  // namespace
