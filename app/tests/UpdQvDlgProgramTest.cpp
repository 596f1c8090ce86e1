// The program update-zelk as a user starts it: on an X server (Xvfb), without a display, and
// without the client library.
#include <gmock/gmock.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/rtl/testsupport/Command.h"
#include "platform/win/Surface.h"
#include "platform/win/WinUser.h"

namespace {

// The program's standard output and error together.
TCommandRun RunProgram(const std::string& Command) { return RunCommand(Command + " 2>&1"); }

}  // namespace

TEST(UpdateZelkProgram, OnAnXServerTheWindowShowsWithItsControls) {
  if (!HaveCommands("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  const std::string png = std::string(ZELK_TEST_OUTPUT) + "/UpdateZelkScreenshot.png";
  std::filesystem::remove(png);
  const TCommandRun r = RunProgram(LeakSuppressions() + OnXvfb("-screen 0 1024x768x24") + "'" +
                                   ZELK_UPDATE_ZELK_SHOT + "' '" + png + "'");
  ASSERT_EQ(r.Status, 0) << r.Output;
  int left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(std::sscanf(r.Output.substr(r.Output.find("client ")).c_str(), "client %d %d %d %d", &left, &top, &width,
                        &height),
            4)
      << r.Output;
  EXPECT_EQ(width, 722);
  EXPECT_EQ(height, 240);
  // Centred on the screen.
  EXPECT_NEAR(left + width / 2, 512, 12);
  EXPECT_NEAR(top + height / 2, 384, 24);

  TSurface shot;
  ASSERT_TRUE(shot.LoadFromPng(png));
  auto at = [&](int x, int y) { return PixelToColorRef(shot.Pixel(left + x, top + y)); };
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(at(5, 5), face);                     // the form's background, outside the group box
  EXPECT_EQ(at(715, 235), face);
  EXPECT_NE(at(10, 120), face);                  // the group box's frame at its left edge
  EXPECT_EQ(at(10 + 108 + 200, 10 + 25 + 11), RGB(255, 255, 255));   // inside the path field
  // Dark text pixels in the captions of Label1, Label3 and Button3, none where nothing stands.
  auto darkIn = [&](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (GetRValue(at(x, y)) < 90) ++n;
    return n;
  };
  EXPECT_GT(darkIn(10 + 30, 10 + 30, 10 + 93, 10 + 44), 20);     // "Datenbank:"
  EXPECT_GT(darkIn(10 + 108, 10 + 98, 10 + 151, 10 + 112), 20);   // "Leerlauf"
  EXPECT_GT(darkIn(10 + 330, 10 + 175, 10 + 440, 10 + 190), 20);  // "Update durchführen"
  EXPECT_EQ(darkIn(10 + 30, 10 + 120, 10 + 380, 10 + 160), 0);     // between the status and the buttons
}

TEST(UpdateZelkProgram, WithoutADisplayItSaysSoAndFails) {
  const TCommandRun r = RunProgram(LeakSuppressions() + "env -u DISPLAY -u ZELK_BACKEND '" + ZELK_UPDATE_ZELK + "'");
  EXPECT_TRUE(r.Failed()) << r.Output;
  EXPECT_THAT(r.Output, ::testing::HasSubstr("display"));
}

TEST(UpdateZelkProgram, WithoutTheClientLibraryItReportsAndFails) {
  const TCommandRun r = RunProgram(LeakSuppressions() + "ZELK_BACKEND=headless ZELK_MISSING_MODULES=gds32.dll '" +
                                   ZELK_UPDATE_ZELK + "'");
  EXPECT_TRUE(r.Failed()) << r.Output;
  EXPECT_THAT(r.Output, ::testing::HasSubstr("gds32.dll"));
}
