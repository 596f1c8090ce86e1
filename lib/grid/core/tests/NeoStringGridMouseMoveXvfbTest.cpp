// The grid's hover windows on a real X server: the test program runs again on Xvfb with
// ZELK_BACKEND=x11 and the display test alone. There xdotool moves the pointer over a markup cell
// of a focused grid; the hover-button strip and the markup hint window then show on the screen
// (the server's pixels change under the strip and carry the hint colour), both are
// override-redirect windows as xwininfo reads them, the X input focus stays with the grid's form
// and the grid hears no WM_KILLFOCUS.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "lib/grid/core/NeoHTMLHintWindow.h"
#include "lib/grid/core/NeoHoverButtons.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/testsupport/Command.h"
#include "platform/ui/Forms.h"
#include "platform/win/Surface.h"
#include "platform/win/WinSystem.h"
#include "platform/win/WinUser.h"

namespace {

// A grid that logs the focus messages it receives.
class TFocusLoggedGrid : public TNeoStringGrid {
public:
  using TNeoStringGrid::TNeoStringGrid;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_SETFOCUS || Message.Msg == WM_KILLFOCUS) Log.push_back(Message.Msg);
    TNeoStringGrid::WndProc(Message);
  }
  std::vector<UINT> Log;
};

// The X window among the root's children whose absolute geometry is R (screen coordinates), as
// `xwininfo -root -children` lists them ("0x400007 (has no name): ()  70x22+310+120  +310+120").
std::optional<unsigned long> XWindowAt(const RECT& R) {
  std::istringstream list(RunCommand("xwininfo -root -children").Output);
  for (std::string l; std::getline(list, l);) {
    std::istringstream words(l);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.size() < 3 || !w[0].starts_with("0x")) continue;
    long width = 0, height = 0, x = 0, y = 0, ax = 0, ay = 0;
    if (std::sscanf(w[w.size() - 2].c_str(), "%ldx%ld%ld%ld", &width, &height, &x, &y) != 4 ||
        std::sscanf(w.back().c_str(), "%ld%ld", &ax, &ay) != 2)
      continue;
    if (width == R.right - R.left && height == R.bottom - R.top && ax == R.left && ay == R.top)
      return std::stoul(w[0], nullptr, 16);
  }
  return std::nullopt;
}

// What xwininfo says of one window ("Override Redirect State", "Map State" ...).
std::string WindowInfo(unsigned long Xid, const std::string& Key) {
  std::istringstream info(RunCommand("xwininfo -id " + std::to_string(Xid)).Output);
  for (std::string l; std::getline(info, l);) {
    auto at = l.find(Key + ": ");
    if (at != std::string::npos) return l.substr(at + Key.size() + 2);
  }
  return {};
}

RECT WindowRectOf(TWinControl* C) {
  RECT r{};
  GetWindowRect(C->GetHandle(), &r);
  return r;
}

// Handles messages until Done holds; the deadline only ends a run that went wrong.
bool PumpUntil(const std::function<bool()>& Done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!Done() && std::chrono::steady_clock::now() < deadline) Application->ProcessMessages();
  return Done();
}

bool Shown(TWinControl* C) { return C && C->HandleAllocated() && IsWindowVisible(C->GetHandle()); }

constexpr TColor HintGreen = 0x00C8FFC8;   // RGB(200, 255, 200)

}  // namespace

// Only in the X11 run (ZELK_GRID_MOVE_X11_OUT names its folder).
TEST(NeoStringGridMouseMoveXvfb, OnDisplay) {
  const char* out = std::getenv("ZELK_GRID_MOVE_X11_OUT");
  if (!out) GTEST_SKIP() << "run under Xvfb by NeoStringGridMouseMoveXvfb.StripAndMarkupHintShowAndTheGridKeepsTheFocus";
  const std::filesystem::path dir(out);
  auto* form = new TForm(Application);
  form->SetBorderStyle(bsSingle);
  form->SetCaption(u"Grid hover");
  form->SetBounds(40, 40, 10, 10);
  form->SetClientWidth(420);
  form->SetClientHeight(240);
  auto* grid = new TFocusLoggedGrid(form);
  grid->SetParent(form);
  grid->SetBounds(10, 10, 400, 220);
  grid->SetColCount(5);
  grid->SetRowCount(8);
  grid->SetDefaultColWidth(70);
  grid->SetDefaultRowHeight(22);
  grid->SetColWidths(1, 150);
  for (Integer r = 1; r < 8; ++r) grid->SetCells(3, r, u"row " + IntToStr(r));
  grid->SetCells(1, 3, u"<b>Bold</b> hint");
  grid->SetHintShowCells(true);
  grid->SetHTMLHint(true);
  grid->SetHintColor(HintGreen);
  grid->SetHint(u"grid");
  grid->SetShowHint(true);
  THoverButtons* hb = grid->GetHoverButtons();
  hb->SetEnabled(true);
  hb->SetColumn(3);
  hb->SetPosition(hbRightFromColumnRight);
  for (const char16_t* caption : {u"Edit", u"Drop"}) {
    THoverButtonsCollectionItem* item = hb->GetButtons()->Add();
    item->SetCaption(caption);
    item->SetWidth(48);
  }
  Application->SetHintPause(50);
  Application->SetHintHidePause(60000);
  form->Show();
  grid->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == grid->GetHandle(); }));
  const std::optional<unsigned long> formXid = XWindowAt(WindowRectOf(form));
  ASSERT_TRUE(formXid.has_value()) << RunCommand("xwininfo -root -children").Output;
  ASSERT_TRUE(
      PumpUntil([&] { return std::stoul("0" + RunCommand("xdotool getwindowfocus").Output) == *formXid; }))
      << "the form never had the X input focus";
  grid->Log.clear();
  TSurface before;
  ASSERT_TRUE(SaveScreenshot((dir / "before.png").string()));
  ASSERT_TRUE(before.LoadFromPng((dir / "before.png").string()));

  // The pointer goes to the markup cell the way a mouse would take it there.
  const TRect cell = grid->CellRect(1, 3);
  const TPoint at = grid->ClientToScreen(TPoint{cell.left + 20, cell.top + 11});
  ASSERT_EQ(std::system(("xdotool mousemove " + std::to_string(at.x) + " " + std::to_string(at.y)).c_str()), 0);
  TForm* strip = grid->GetHoverButtonForm();
  ASSERT_TRUE(PumpUntil([&] { return Shown(strip); })) << "no hover strip";
  ASSERT_TRUE(PumpUntil([&] { return Shown(Application->GetHintWindow()); })) << "no hint";
  THintWindow* hint = Application->GetHintWindow();
  EXPECT_NE(dynamic_cast<THTMLHintWindow*>(hint), nullptr);
  EXPECT_EQ(hint->GetCaption(), u"<b>Bold</b> hint");
  for (int i = 0; i < 200; ++i) Application->ProcessMessages();   // paints reach the server
  ASSERT_TRUE(SaveScreenshot((dir / "hover.png").string()));
  TSurface shot;
  ASSERT_TRUE(shot.LoadFromPng((dir / "hover.png").string()));

  // The strip: beside column 3 of the hovered row, two buttons, its pixels on the screen.
  const RECT stripRect = WindowRectOf(strip);
  EXPECT_EQ(stripRect.left, grid->ClientToScreen(TPoint{grid->CellRect(3, 3).right, 0}).x);
  EXPECT_EQ(stripRect.top, grid->ClientToScreen(TPoint{0, cell.top}).y);
  EXPECT_EQ(strip->GetControlCount(), 2);
  int changed = 0;
  for (LONG y = stripRect.top; y < stripRect.bottom; ++y)
    for (LONG x = stripRect.left; x < stripRect.right; ++x) changed += shot.Pixel(x, y) != before.Pixel(x, y) ? 1 : 0;
  EXPECT_GT(changed, (stripRect.right - stripRect.left) * (stripRect.bottom - stripRect.top) / 4)
      << "the strip did not reach the screen";
  // The hint: at the cell's top, its inside in the hint colour.
  const RECT hintRect = WindowRectOf(hint);
  EXPECT_EQ(hintRect.top, at.y - 11);
  EXPECT_EQ(PixelToColorRef(shot.Pixel(hintRect.left + 2, hintRect.top + 2)), static_cast<COLORREF>(HintGreen));

  // Both are override-redirect windows the server shows; the focus stayed where it was.
  for (const RECT& r : {stripRect, hintRect}) {
    const std::optional<unsigned long> xid = XWindowAt(r);
    ASSERT_TRUE(xid.has_value()) << RunCommand("xwininfo -root -children").Output;
    EXPECT_EQ(WindowInfo(*xid, "Override Redirect State"), "yes");
    EXPECT_EQ(WindowInfo(*xid, "Map State"), "IsViewable");
  }
  EXPECT_EQ(std::stoul("0" + RunCommand("xdotool getwindowfocus").Output), *formXid);
  EXPECT_EQ(GetFocus(), grid->GetHandle());
  EXPECT_TRUE(grid->Log.empty()) << "the grid received focus messages";
  delete form;
}

TEST(NeoStringGridMouseMoveXvfb, StripAndMarkupHintShowAndTheGridKeepsTheFocus) {
  if (!HaveCommands("Xvfb xdotool xwininfo")) GTEST_SKIP() << "Xvfb, xdotool or xwininfo is not installed";
  const std::filesystem::path dir = std::filesystem::path(ZELK_TEST_OUTPUT) / "grid-hover-x11";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string cmd = LeakSuppressions() + "ZELK_BACKEND=x11 ZELK_GRID_MOVE_X11_OUT='" + dir.string() +
                          "' timeout 120 " + OnXvfb("-screen 0 640x480x24") + "'" + self +
                          "' --gtest_filter=NeoStringGridMouseMoveXvfb.OnDisplay > '" + (dir / "run.log").string() +
                          "' 2>&1";
  EXPECT_EQ(std::system(cmd.c_str()), 0) << "see " << (dir / "run.log");
}
