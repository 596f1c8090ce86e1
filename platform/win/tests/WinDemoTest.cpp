// The demo program on a real X server (Xvfb): it opens a window with a caption, shapes and text,
// takes a screenshot through the X11 back end, and the pixels show what a person would see.
#include "platform/rtl/testsupport/Command.h"
#include "platform/win/Surface.h"
#include "platform/win/WinUser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// The demo's window: outer rectangle at (50, 40); a caption and a dialog frame around the client.
constexpr int kLeft = 50, kTop = 40;

}  // namespace

TEST(WinDemo, XvfbScreenshotShowsTheWindow) {
  if (!HaveCommands("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  std::filesystem::path out = std::filesystem::path(ZELK_TEST_OUTPUT) / "WinDemoScreenshot.png";
  std::filesystem::remove(out);
  std::string cmd = LeakSuppressions() + OnXvfb("-screen 0 640x480x24") + "'" + std::string(ZELK_WIN_DEMO) +
                    "' --screenshot '" + out.string() + "'";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  TSurface shot;
  ASSERT_TRUE(shot.LoadFromPng(out.string()));
  ASSERT_EQ(shot.Width(), 640);
  ASSERT_EQ(shot.Height(), 480);

  int frame = GetSystemMetrics(SM_CXDLGFRAME);
  int clientX = kLeft + frame, clientY = kTop + frame + GetSystemMetrics(SM_CYCAPTION);
  auto at = [&](int x, int y) { return PixelToColorRef(shot.Pixel(x, y)); };
  EXPECT_EQ(at(clientX + 70, clientY + 60), RGB(220, 30, 30));     // the red square
  EXPECT_EQ(at(clientX + 190, clientY + 60), RGB(30, 60, 220));    // the blue ellipse's middle
  EXPECT_EQ(at(clientX + 140, clientY + 21), RGB(255, 255, 255));  // outside the ellipse's bounding corner
  EXPECT_EQ(at(clientX + 390, clientY + 170), RGB(255, 255, 255)); // window background
  EXPECT_EQ(at(kLeft + 200, kTop + frame + 5), RGB(153, 180, 209));   // the active caption
  EXPECT_EQ(at(5, 5), RGB(0, 0, 0));                                  // the bare root window
  // The green line runs from (260, 20) to (360, 100) of the client area.
  COLORREF mid = at(clientX + 310, clientY + 60);
  EXPECT_GT(GetGValue(mid), 120);
  EXPECT_LT(GetRValue(mid), 80);
  // The text line holds dark glyph pixels.
  int dark = 0;
  for (int y = clientY + 120; y < clientY + 160; ++y)
    for (int x = clientX + 20; x < clientX + 300; ++x)
      if (GetRValue(at(x, y)) < 60 && GetBValue(at(x, y)) < 60) ++dark;
  EXPECT_GT(dark, 300);
}

TEST(WinDemo, WithoutADisplayTheProgramSaysSoAndFails) {
  std::string cmd = std::string("env -u DISPLAY ZELK_BACKEND=x11 '") + ZELK_WIN_DEMO + "' 2>&1 | grep -q 'cannot open display'";
  EXPECT_EQ(std::system(cmd.c_str()), 0);
  std::string rc = std::string("env -u DISPLAY ZELK_BACKEND=x11 '") + ZELK_WIN_DEMO + "' >/dev/null 2>&1";
  EXPECT_NE(std::system(rc.c_str()), 0);
}

TEST(WinDemo, ClipboardTextTravelsBetweenProgramsThroughTheX11Selection) {
  if (!HaveCommands("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  std::string demo = std::string("'") + ZELK_WIN_DEMO + "'";
  // One program copies and serves until another takes the clipboard; the other pastes, then takes it.
  std::string cmd =
      LeakSuppressions() + OnXvfb() + "sh -c \"" + demo + " --copy 'Grüße, Zelk' & " + demo + " --paste; wait\"";
  const TCommandRun pasted = RunCommand(cmd);
  EXPECT_EQ(pasted.Status, 0);
  EXPECT_EQ(pasted.Output, "Grüße, Zelk\n");
}
