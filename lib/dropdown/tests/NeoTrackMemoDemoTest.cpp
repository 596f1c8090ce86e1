// The track-bar, memo and multi-column dropdowns in the dropdown demo under Xvfb: xdotool drags the
// track bar's thumb, types two lines into the memo and "ab" and Enter into the open popup of
// 100,000 names; the demo's log shows the values the edits took, and the screen captures of the
// open popups are saved.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/rtl/testsupport/Command.h"
#include "platform/win/Surface.h"

namespace {

const std::string kTrackMemoOut = std::string(ZELK_TEST_OUTPUT) + "/dropdown-trackmemo";

// The number after the word Word at the start of a log line ("trackbar 4" -> "4").
std::string Numbered(const std::vector<std::string>& Log, const std::string& Word) {
  for (const std::string& l : Log)
    if (l.rfind(Word + " ", 0) == 0) return l.substr(Word.size() + 1);
  return std::string();
}

}  // namespace

TEST(TrackMemoDemo, UnderXvfbTheThumbIsDraggedTheMemoAndTheNamesTypedInto) {
  if (!HaveCommands("Xvfb xdotool")) GTEST_SKIP() << "Xvfb or xdotool is not installed";
  Shell("rm -rf " + kTrackMemoOut + " && mkdir -p " + kTrackMemoOut);
  const std::string script = std::string(ZELK_TEST_DATA) + "/../dropdown_trackmemo_x11.sh";
  ASSERT_EQ(Shell(OnXvfb("-screen 0 1920x1080x24 -br") + "sh " + script + " " + ZELK_DROPDOWN_DEMO + " " + kTrackMemoOut), 0);
  const auto log = FileLines(kTrackMemoOut + "/log.txt");
  std::ostringstream all;
  for (const auto& l : log) all << l << "\n";
  SCOPED_TRACE(all.str());
  const std::string t = Numbered(log, "trackbar"), m = Numbered(log, "memo"), c = Numbered(log, "multicolumn");
  ASSERT_FALSE(t.empty());
  ASSERT_FALSE(m.empty());
  ASSERT_FALSE(c.empty());
  // The drag moved the thumb to the right: the position grew and the edit shows it.
  int last = -1;
  for (const auto& l : log)
    if (l.rfind("track " + t + " ", 0) == 0) last = std::atoi(l.substr(l.rfind(' ') + 1).c_str());
  EXPECT_GT(last, 5);
  bool shown = false;
  for (const auto& l : log) shown = shown || l == "text " + t + " " + std::to_string(last);
  EXPECT_TRUE(shown);
  bool closed = false;
  for (const auto& l : log) closed = closed || l == "close " + t + " kept";
  EXPECT_TRUE(closed);
  // The memo took the typed lines; the pick-only edit shows the first one with "...".
  bool typed = false, kept = false;
  for (const auto& l : log) {
    typed = typed || l == "text " + m + " hello...";
    kept = kept || l == "close " + m + " kept";
  }
  EXPECT_TRUE(typed);
  EXPECT_TRUE(kept);
  // "ab" went to the first name beginning with it ("Aba 26", after "Aaa 0" .. "Aaz 25"), Enter kept it.
  bool chosen = false, closedNames = false;
  for (const auto& l : log) {
    chosen = chosen || l == "text " + c + " Aba 26";
    closedNames = closedNames || l == "close " + c + " kept";
  }
  EXPECT_TRUE(chosen);
  EXPECT_TRUE(closedNames);
  // The captures of the open popups.
  for (const std::string& n : {t, m, c}) {
    TSurface open(1, 1);
    EXPECT_TRUE(open.LoadFromPng(kTrackMemoOut + "/x11/dropdown-" + n + ".png")) << n;
  }
}
