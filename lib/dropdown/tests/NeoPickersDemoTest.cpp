// The detail, image and colour pickers in the dropdown demo under Xvfb: the script run saves the
// screen of each open picker, xdotool opens and closes the detail and image pickers and chooses
// Blue in the colour list by typing "b" and Return; the demo's log shows each step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/rtl/testsupport/Command.h"
#include "platform/win/Surface.h"

namespace {

const std::string kPickersOut = std::string(ZELK_TEST_OUTPUT) + "/dropdown-pickers";

// The number after the word Word at the start of a log line ("detail 7" -> "7").
std::string Numbered(const std::vector<std::string>& Log, const std::string& Word) {
  for (const std::string& l : Log)
    if (l.rfind(Word + " ", 0) == 0) return l.substr(Word.size() + 1);
  return "";
}

bool Has(const std::vector<std::string>& Log, const std::string& Line) {
  return std::find(Log.begin(), Log.end(), Line) != Log.end();
}

}  // namespace

TEST(PickersDemo, UnderXvfbThePickersOpenAndBlueIsChosen) {
  if (!HaveCommands("Xvfb xdotool")) GTEST_SKIP() << "Xvfb or xdotool is not installed";
  Shell("rm -rf " + kPickersOut + " && mkdir -p " + kPickersOut);
  const std::string script = std::string(ZELK_TEST_DATA) + "/../dropdown_pickers_x11.sh";
  ASSERT_EQ(Shell("timeout 120 " + OnXvfb("-screen 0 1920x1080x24 -br") + "sh " + script + " " + ZELK_DROPDOWN_DEMO +
                  " " + kPickersOut),
            0);
  const std::vector<std::string> log = FileLines(kPickersOut + "/log.txt");
  const std::string d = Numbered(log, "detail"), i = Numbered(log, "imagepicker"), c = Numbered(log, "colorpicker");
  ASSERT_FALSE(d.empty());
  ASSERT_FALSE(i.empty());
  ASSERT_FALSE(c.empty());
  for (const std::string& n : {d, i}) {
    EXPECT_TRUE(Has(log, "open " + n)) << n;
    EXPECT_TRUE(Has(log, "close " + n + " cancelled")) << n;
  }
  EXPECT_TRUE(Has(log, "open " + c));
  EXPECT_TRUE(Has(log, "color " + c + " Blue"));
  EXPECT_TRUE(Has(log, "close " + c + " kept"));
  // The script run's screen of each open picker.
  for (const std::string& n : {d, i, c}) {
    TSurface shot;
    EXPECT_TRUE(shot.LoadFromPng(kPickersOut + "/x11/dropdown-" + n + ".png")) << n;
  }
}
