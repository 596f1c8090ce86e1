// The column move arrows: owned pop-ups at screen positions, cut to their arrows (set again with
// every new window) and filled in their colour.
#include "lib/grid/core/NeoArrowWindow.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/WinGdi.h"

#include <string>
#include <vector>

namespace {

class NeoArrowWindowTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(200, 100);
    Form->Show();
    Pump();
  }
  // The window region as rows of '#' (inside) and '.' over 11 x 11 pixels.
  static std::vector<std::string> RegionPicture(HWND Window) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    std::vector<std::string> rows;
    if (GetWindowRgn(Window, rgn) != ERROR)
      for (int y = 0; y < 11; ++y) {
        std::string row;
        for (int x = 0; x < 11; ++x) row += PtInRegion(rgn, x, y) ? '#' : '.';
        rows.push_back(row);
      }
    DeleteObject(rgn);
    return rows;
  }
  static COLORREF ScreenAt(Integer X, Integer Y) {
    TSurface screen;
    Headless::ScreenPixels(screen);
    std::uint32_t p = screen.Pixel(X, Y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

  TForm* Form = nullptr;
};

// The polygon region's pixels: edges on the top and left inside, on the bottom and right outside.
TEST_F(NeoArrowWindowTest, RegionsOfTheFourArrows) {
  const std::vector<std::string> want[4] = {
      {"....#......", "...###.....", "..#####....", ".#######...", "#########..", "...####....", "...####....",
       "...####....", "...####....", "...........", "..........."},
      {"...####....", "...####....", "...####....", "...####....", ".#######...", "..#####....", "...###.....",
       "....#......", "...........", "...........", "..........."},
      {"...........", "....#......", "....##.....", "#######....", "########...", "########...", "#######....",
       "....##.....", "....#......", "...........", "..........."},
      {"...........", "...#.......", "..##.......", ".#######...", "########...", "########...", ".#######...",
       "..##.......", "...#.......", "...........", "..........."},
  };
  for (TArrowDirection dir : {arrUp, arrDown, arrLeft, arrRight}) {
    auto* arrow = new TArrowWindow(Form, dir);
    arrow->SetBounds(0, 0, 11, 11);
    arrow->HandleNeeded();
    EXPECT_EQ(RegionPicture(arrow->GetHandle()), want[dir]) << int(dir);
    const auto& points = arrow->GetArrow();
    EXPECT_EQ(points[0].x, TArrowWindow::ArrowPoints(dir)[0].x);
    EXPECT_EQ(points[6].y, TArrowWindow::ArrowPoints(dir)[6].y);
  }
}

TEST_F(NeoArrowWindowTest, HiddenOwnedPopupAtScreenCoordinates) {
  auto* arrow = new TArrowWindow(Form, arrDown);
  EXPECT_EQ(arrow->GetParent(), Form);
  EXPECT_EQ(arrow->GetColor(), clLime);
  EXPECT_FALSE(arrow->GetVisible());
  arrow->SetBounds(500, 400, 11, 11);
  HWND h = arrow->GetHandle();
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtr(h, GWL_STYLE)) & ~WS_CLIPSIBLINGS, WS_POPUP);
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(GetWindow(h, GW_OWNER), Form->GetHandle());
  arrow->SetVisible(true);
  Pump();
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 500);
  EXPECT_EQ(r.top, 400);
  // The screen shows the arrow in lime and, around it, what lies beneath.
  COLORREF beneath = ScreenAt(500, 400);
  EXPECT_NE(beneath, RGB(0, 255, 0));
  EXPECT_EQ(ScreenAt(503, 400), RGB(0, 255, 0));
  EXPECT_EQ(ScreenAt(504, 407), RGB(0, 255, 0));   // the tip
  EXPECT_EQ(ScreenAt(504, 408), beneath);
  arrow->SetColor(clRed);
  Pump();
  EXPECT_EQ(ScreenAt(503, 400), RGB(255, 0, 0));
  EXPECT_EQ(ScreenAt(502, 400), beneath);
}

TEST_F(NeoArrowWindowTest, ANewWindowGetsTheSameArrow) {
  auto* arrow = new TArrowWindow(Form, arrRight);
  arrow->SetBounds(0, 0, 11, 11);
  HWND first = arrow->GetHandle();
  std::vector<std::string> before = RegionPicture(first);
  ASSERT_FALSE(before.empty());
  arrow->RecreateWnd();
  HWND second = arrow->GetHandle();
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(RegionPicture(second), before);
  EXPECT_EQ(arrow->GetDir(), arrRight);
}

}  // namespace
