// The demo form on a real X server (Xvfb): every standard control drawn through the X11 back end,
// saved as a PNG a person can look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/rtl/testsupport/Command.h"
#include "platform/win/Surface.h"
#include "platform/win/WinUser.h"

TEST(UiDemo, XvfbScreenshotShowsTheForm) {
  if (!HaveCommands("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  std::filesystem::path out = std::filesystem::path(ZELK_TEST_OUTPUT) / "UiDemoScreenshot.png";
  std::filesystem::remove(out);
  std::string cmd = LeakSuppressions() + OnXvfb("-screen 0 720x640x24") + "'" + std::string(ZELK_UI_DEMO) +
                    "' --screenshot '" + out.string() + "'";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  TSurface shot;
  ASSERT_TRUE(shot.LoadFromPng(out.string()));
  ASSERT_EQ(shot.Width(), 720);
  // The form's client area starts below its caption at (20, 20) plus the frame.
  int x0 = 20 + GetSystemMetrics(SM_CXDLGFRAME), y0 = 20 + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
  auto at = [&](int x, int y) { return PixelToColorRef(shot.Pixel(x0 + x, y0 + y)); };
  EXPECT_EQ(at(5, 400), GetSysColor(COLOR_BTNFACE));          // the form's face
  EXPECT_EQ(at(450, 45), GetSysColor(COLOR_WINDOW));          // inside the edit, right of its text
  EXPECT_EQ(at(150, 190), GetSysColor(COLOR_WINDOW));         // the list box, right of an item
  EXPECT_EQ(at(100, 207), GetSysColor(COLOR_HIGHLIGHT));      // its selected second item
  // Dark text in the status line and on the default button.
  auto dark = [&](int l, int t, int r, int b) {
    int n = 0;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x)
        if (GetRValue(at(x, y)) < 80 && GetGValue(at(x, y)) < 80) ++n;
    return n;
  };
  EXPECT_GT(dark(80, 320, 300, 335), 60);
  EXPECT_GT(dark(40, 80, 170, 96), 60);
  // The memo, the track bar and the scroll box in the last row.
  EXPECT_EQ(at(150, 520), GetSysColor(COLOR_WINDOW));         // inside the memo, below its text
  EXPECT_GT(dark(20, 424, 190, 470), 60);                     // the memo's text
  EXPECT_GT(dark(230, 420, 330, 435), 30);                    // the track bar's caption
  int marks = 0;                                              // channel, thumb and ticks
  for (int y = 440; y < 485; ++y)
    for (int x = 226; x < 406; ++x) marks += at(x, y) != GetSysColor(COLOR_BTNFACE);
  EXPECT_GT(marks, 300);
  EXPECT_EQ(at(560, 432), GetSysColor(COLOR_WINDOW));         // an edit in the scroll box
  EXPECT_GT(dark(611, 422, 628, 438), 3);                     // the arrow of the scroll box's bar
}
