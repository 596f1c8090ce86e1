// The date-time picker demo on a real X server (Xvfb): the three kinds with their labels, each in
// the family's one-pixel black frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/rtl/testsupport/Command.h"
#include "platform/win/Surface.h"
#include "platform/win/WinUser.h"

namespace {

TEST(NeoDateTimePickerDemo, XvfbScreenshotShowsTheThreeKinds) {
  if (!HaveCommands("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  const std::filesystem::path out = std::filesystem::path(ZELK_TEST_OUTPUT) / "NeoDateTimePickerXvfb.png";
  std::filesystem::remove(out);
  const std::string cmd = LeakSuppressions() + OnXvfb("-screen 0 800x600x24") + "'" + ZELK_DATETIMEPICKER_DEMO +
                          "' --screenshot '" + out.string() + "'";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  TSurface shot(1, 1);
  ASSERT_TRUE(shot.LoadFromPng(out.string()));
  // The form's client area starts inside its frame and caption.
  const int x0 = 20 + GetSystemMetrics(SM_CXFRAME), y0 = 20 + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
  auto black = [&](int X, int Y) { return PixelToColorRef(shot.Pixel(x0 + X, y0 + Y)) == RGB(0, 0, 0); };
  // Some frame pixels of each picker, searched near the expected place (the window manager may
  // draw the frame a pixel or two differently).
  struct TPicker {
    int Top, Width;
  };
  for (TPicker p : {TPicker{10, 150}, TPicker{50, 150}, TPicker{90, 220}}) {
    int found = 0;
    for (int dy = -4; dy <= 4; ++dy)
      for (int dx = -4; dx <= 4; ++dx) {
        int run = 0;
        for (int x = 100; x < 90 + p.Width - 10; ++x) run += black(x + dx, p.Top + dy) ? 1 : 0;
        found = std::max(found, run);
      }
    EXPECT_GT(found, p.Width - 40) << "no black top edge for the picker at " << p.Top << "; see " << out;
  }
}

}  // namespace
