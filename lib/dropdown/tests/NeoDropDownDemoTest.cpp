// The dropdown demo as a program: headless, its script saves a screen picture of each open
// dropdown; under Xvfb it is clicked and typed at with xdotool, and its X screen captures match the
// headless pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/rtl/testsupport/Command.h"
#include "platform/win/Surface.h"

namespace {

const std::string kDemoOut = std::string(ZELK_TEST_OUTPUT) + "/dropdown-demo";

bool Has(const std::vector<std::string>& Lines, const std::string& Line) {
  for (const std::string& l : Lines)
    if (l == Line) return true;
  return false;
}

// Pixels whose channels differ by more than Tolerance.
long Differing(const TSurface& A, const TSurface& B, int Tolerance) {
  long off = 0;
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x) {
      std::uint32_t a = A.Row(y)[x], b = B.Row(y)[x];
      for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > Tolerance) {
          ++off;
          break;
        }
    }
  return off;
}

void Load(TSurface& S, const std::string& File) { EXPECT_TRUE(S.LoadFromPng(File)) << File; }

// Saves the open drop-downs under Out/headless and the closed form as Out/closed.png. Each test
// has its own Out: ctest may run them at the same time.
void RunHeadlessScript(const std::string& Out) {
  Shell("mkdir -p " + Out + "/headless");
  ASSERT_EQ(Shell("ZELK_BACKEND=headless " + std::string(ZELK_DROPDOWN_DEMO) + " --script " + Out + "/headless"), 0);
  ASSERT_EQ(Shell("ZELK_BACKEND=headless " + std::string(ZELK_DROPDOWN_DEMO) + " --screenshot " + Out + "/closed.png"), 0);
}

}  // namespace

TEST(DropDownDemo, ScriptSavesTheScreenOfEachOpenDropDown) {
  const std::string out = kDemoOut + "/script";
  RunHeadlessScript(out);
  TSurface closed(1, 1);
  Load(closed, out + "/closed.png");
  for (const char* name : {"dropdown-1.png", "dropdown-2.png"}) {
    SCOPED_TRACE(name);
    TSurface open(1, 1);
    Load(open, out + "/headless/" + name);
    ASSERT_EQ(open.Width(), closed.Width());
    // The popup is what differs from the closed form: its border, header and content.
    EXPECT_GT(Differing(open, closed, 0), 4000);
  }
  // One screen per style, each with the colour picker open; the styles change what the dropdowns
  // and the popup look like.
  TSurface custom(1, 1), black(1, 1), white(1, 1);
  Load(custom, out + "/headless/style-09-tsCustom.png");
  Load(black, out + "/headless/style-27-tsOffice2019Black.png");
  Load(white, out + "/headless/style-25-tsOffice2019White.png");
  ASSERT_EQ(black.Width(), custom.Width());
  ASSERT_EQ(white.Width(), custom.Width());
  EXPECT_GT(Differing(black, custom, 0), 20000);
  EXPECT_GT(Differing(black, white, 0), 20000);
}

TEST(DropDownDemo, UnderXvfbThePopupNeverTakesTheFocusAndClosesFromOutside) {
  if (!HaveCommands("Xvfb xdotool xwininfo xmessage"))
    GTEST_SKIP() << "Xvfb, xdotool, xwininfo or xmessage is not installed";
  RunHeadlessScript(kDemoOut);
  Shell("rm -rf " + kDemoOut + "/x11 " + kDemoOut + "/log.txt " + kDemoOut + "/probe.txt");
  const std::string script = std::string(ZELK_TEST_DATA) + "/../dropdown_x11.sh";
  ASSERT_EQ(Shell(OnXvfb("-screen 0 1920x1080x24 -br") + "sh " + script + " " + ZELK_DROPDOWN_DEMO + " " + kDemoOut), 0);
  const auto log = FileLines(kDemoOut + "/log.txt");
  const auto probe = FileLines(kDemoOut + "/probe.txt");
  std::ostringstream all;
  for (const auto& l : log) all << l << "\n";
  for (const auto& l : probe) all << l << "\n";
  SCOPED_TRACE(all.str());
  // The X focus stays on the demo's form while the popup is open.
  std::string before, open;
  for (const auto& l : probe) {
    if (l.rfind("focus before ", 0) == 0) before = l.substr(13);
    if (l.rfind("focus open ", 0) == 0) open = l.substr(11);
  }
  EXPECT_FALSE(before.empty());
  EXPECT_EQ(open, before);
  // The button maps one override-redirect window below the edit; every way of closing unmaps it.
  int buttonY = 0;
  for (const auto& l : log)
    if (l.rfind("button 1 ", 0) == 0) buttonY = std::atoi(l.substr(l.rfind(' ') + 1).c_str());
  int opened = 0, popupY = 0;
  for (const auto& l : probe)
    if (l.rfind("popup open ", 0) == 0) {
      ++opened;
      popupY = std::atoi(l.substr(l.rfind(' ') + 1).c_str());
    }
  EXPECT_EQ(opened, 1);
  EXPECT_GT(popupY, buttonY);
  EXPECT_LT(popupY, buttonY + 20);
  for (const char* state : {"after-escape", "after-form-click", "after-other-click"})
    for (const auto& l : probe) EXPECT_NE(l.rfind(std::string("popup ") + state, 0), 0u) << l;
  int reopened = 0;
  for (const auto& l : probe) reopened += l.rfind("popup reopened ", 0) == 0;
  EXPECT_EQ(reopened, 1);
  // The keys reached the list (Down chose the next fruit), Escape restored the text, and the
  // two outside clicks closed with cancel.
  EXPECT_TRUE(Has(log, "text 1 Banana"));
  EXPECT_TRUE(Has(log, "text 1 Apple"));
  int cancels = 0;
  for (const auto& l : log) cancels += l == "close 1 cancelled";
  EXPECT_EQ(cancels, 4);
  // The footer's grip sizes the borderless popup by the drag, its top left corner staying put.
  std::vector<int> gripBefore, gripAfter;
  for (const auto& l : probe) {
    std::istringstream in(l);
    std::string word, name;
    in >> word >> name;
    if (word != "geometry") continue;
    std::vector<int>& to = name == "grip-before" ? gripBefore : gripAfter;
    int v;
    while (in >> v) to.push_back(v);
  }
  ASSERT_EQ(gripBefore.size(), 4u);
  ASSERT_EQ(gripAfter.size(), 4u);
  EXPECT_EQ(gripAfter[0], gripBefore[0]);
  EXPECT_EQ(gripAfter[1], gripBefore[1]);
  EXPECT_EQ(gripAfter[2], gripBefore[2] + 60);
  EXPECT_EQ(gripAfter[3], gripBefore[3] + 40);
  // What X shows is what the headless screen shows.
  for (const char* name : {"dropdown-1.png", "dropdown-2.png"}) {
    SCOPED_TRACE(name);
    TSurface x(1, 1), h(1, 1);
    Load(x, kDemoOut + "/x11/" + name);
    Load(h, kDemoOut + "/headless/" + name);
    ASSERT_EQ(x.Width(), h.Width());
    ASSERT_EQ(x.Height(), h.Height());
    EXPECT_LE(Differing(x, h, 2), static_cast<long>(x.Width()) * x.Height() / 200);
  }
}
