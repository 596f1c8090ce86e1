// The time picker of the dropdown demo on a real X server: xdotool opens it with its drop button,
// clicks the clock at 6 o'clock and presses Return; the edit then shows 06 as its hour and the
// popup closed keeping the time. Headless, the demo's script shows the open popup.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/rtl/testsupport/Command.h"
#include "platform/win/Surface.h"

namespace {

const std::string kTimePickerOut = std::string(ZELK_TEST_OUTPUT) + "/timepicker-demo";

}  // namespace

TEST(TimePickerDemo, UnderXvfbAClickOnTheClockAndReturnSetTheHour) {
  if (!HaveCommands("Xvfb xdotool xwininfo")) GTEST_SKIP() << "Xvfb, xdotool or xwininfo is not installed";
  Shell("rm -rf " + kTimePickerOut);
  const std::string script = std::string(ZELK_TEST_DATA) + "/../timepicker_x11.sh";
  ASSERT_EQ(Shell(OnXvfb("-screen 0 1280x800x24 -br") + "sh " + script + " " + ZELK_DROPDOWN_DEMO + " " + kTimePickerOut), 0);
  const auto log = FileLines(kTimePickerOut + "/log.txt");
  std::ostringstream all;
  for (const auto& l : log) all << l << "\n";
  for (const auto& l : FileLines(kTimePickerOut + "/probe.txt")) all << l << "\n";
  SCOPED_TRACE(all.str());
  std::string n;
  for (const auto& l : log)
    if (l.rfind("timepicker ", 0) == 0) n = l.substr(11);
  ASSERT_FALSE(n.empty());
  // The edit shows the hour the clock was clicked at, and Return closed the popup keeping it.
  std::string last;
  bool opened = false, kept = false, cancelled = false;
  for (const auto& l : log) {
    if (l.rfind("text " + n + " ", 0) == 0) last = l.substr(6 + n.size());
    opened |= l == "open " + n;
    kept |= l == "close " + n + " kept";
    cancelled |= l == "close " + n + " cancelled";
  }
  EXPECT_TRUE(opened);
  EXPECT_EQ(last, "06:00:00");
  EXPECT_TRUE(kept);
  EXPECT_FALSE(cancelled);
}

TEST(TimePickerDemo, HeadlessScriptShowsTheOpenClock) {
  // A folder of its own: the X server test beside it, which ctest may run at the same time, clears
  // kTimePickerOut.
  const std::string out = kTimePickerOut + "-headless";
  Shell("mkdir -p " + out + "/headless");
  ASSERT_EQ(Shell("ZELK_BACKEND=headless " + std::string(ZELK_DROPDOWN_DEMO) + " --log --script " + out +
                  "/headless > " + out + "/script.txt"),
            0);
  ASSERT_EQ(Shell("ZELK_BACKEND=headless " + std::string(ZELK_DROPDOWN_DEMO) + " --screenshot " + out + "/closed.png"), 0);
  std::string n;
  for (const auto& l : FileLines(out + "/script.txt"))
    if (l.rfind("timepicker ", 0) == 0) n = l.substr(11);
  ASSERT_FALSE(n.empty());
  TSurface open(1, 1), closed(1, 1);
  ASSERT_TRUE(closed.LoadFromPng(out + "/closed.png"));
  ASSERT_TRUE(open.LoadFromPng(out + "/headless/dropdown-" + n + ".png"));
  ASSERT_EQ(open.Width(), closed.Width());
  long differing = 0;
  for (int y = 0; y < open.Height(); ++y)
    for (int x = 0; x < open.Width(); ++x) differing += open.Row(y)[x] != closed.Row(y)[x];
  EXPECT_GT(differing, 10000) << "the popup with the clock face";
}
