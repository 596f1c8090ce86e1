// Moving a top-level window by its caption and sizing it by its frame, without a window manager:
// the messages the window hears, in order, and where it ends up.
#include "platform/win/tests/WinTestSupport.h"

namespace {

constexpr DWORD Sizeable = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

RECT RectOf(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  return r;
}

// Presses the left button at `from`, moves the pointer to `to` in two steps and lets go there.
void DragWith(POINT from, POINT to) {
  Headless::ButtonDown(1, from.x, from.y);
  Headless::RunUntilIdle();
  Headless::MouseMove((from.x + to.x) / 2, (from.y + to.y) / 2);
  Headless::RunUntilIdle();
  Headless::MouseMove(to.x, to.y);
  Headless::RunUntilIdle();
  Headless::ButtonUp(1, to.x, to.y);
  Headless::RunUntilIdle();
}

POINT CaptionPoint(const RECT& r) {
  return POINT{(r.left + r.right) / 2, r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
}

}  // namespace

TEST_F(WinTest, DraggingTheCaptionMovesTheWindowTellingItEveryStep) {
  HWND w = TopLevel(100, 100, 300, 200, Sizeable);
  POINT at = CaptionPoint(RectOf(w));
  ASSERT_EQ(SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)), HTCAPTION);
  Log().clear();
  DragWith(at, POINT{at.x + 50, at.y + 30});

  EXPECT_EQ(RectOf(w), (RECT{150, 130, 450, 330}));
  auto drag = Only({WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_MOVING, WM_SIZING, WM_MOVE, WM_SIZE, WM_EXITSIZEMOVE}, w);
  EXPECT_THAT(Numbers(drag), ::testing::ElementsAre(WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_MOVING, WM_MOVE, WM_MOVING,
                                                    WM_MOVE, WM_EXITSIZEMOVE));
  EXPECT_EQ(drag[0].WParam, SC_MOVE | static_cast<WPARAM>(HTCAPTION));
  EXPECT_EQ(GetCapture(), nullptr);
  // The window gets its clicks again once the drag is over.
  Headless::Click(200, 250);
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_LBUTTONDOWN, w), 1);
  DestroyWindow(w);
}

TEST_F(WinTest, TheRectangleWmMovingHandsBackIsWhereTheWindowGoes) {
  HWND w = TopLevel(100, 100, 300, 200, Sizeable);
  // Snap to a grid of 25 pixels.
  Handlers()[{w, WM_MOVING}] = [](HWND, UINT, WPARAM, LPARAM l) {
    auto* r = reinterpret_cast<RECT*>(l);
    LONG x = r->left / 25 * 25, y = r->top / 25 * 25;
    *r = RECT{x, y, x + r->right - r->left, y + r->bottom - r->top};
    return LRESULT(TRUE);
  };
  POINT at = CaptionPoint(RectOf(w));
  DragWith(at, POINT{at.x + 37, at.y + 61});
  EXPECT_EQ(RectOf(w), (RECT{125, 150, 425, 350}));
  DestroyWindow(w);
}

TEST_F(WinTest, DraggingTheFrameSizesByThatEdgeWithinTheTrackingLimits) {
  struct TCase {
    POINT From;   // on the frame of the window at (100, 100, 400, 300)
    LRESULT Hit;
    POINT Delta;
    RECT Expected;
  };
  const int minW = GetSystemMetrics(SM_CXMINTRACK), minH = GetSystemMetrics(SM_CYMINTRACK);
  const TCase cases[] = {
      {{399, 299}, HTBOTTOMRIGHT, {40, 20}, {100, 100, 440, 320}},
      {{100, 100}, HTTOPLEFT, {-30, -10}, {70, 90, 400, 300}},
      {{100, 200}, HTLEFT, {25, 40}, {125, 100, 400, 300}},
      {{250, 299}, HTBOTTOM, {90, -50}, {100, 100, 400, 250}},
      // Shrinking past the minimum keeps the opposite edges and stops at the minimum size.
      {{100, 100}, HTTOPLEFT, {500, 500}, {400 - minW, 300 - minH, 400, 300}},
  };
  for (const TCase& c : cases) {
    HWND w = TopLevel(100, 100, 300, 200, Sizeable);
    ASSERT_EQ(SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(c.From.x, c.From.y)), c.Hit);
    Log().clear();
    DragWith(c.From, POINT{c.From.x + c.Delta.x, c.From.y + c.Delta.y});
    EXPECT_EQ(RectOf(w), c.Expected) << "hit " << c.Hit;
    auto sizing = Only({WM_SYSCOMMAND, WM_SIZING}, w);
    ASSERT_GE(sizing.size(), 2u);
    EXPECT_EQ(sizing[0].WParam, SC_SIZE | static_cast<WPARAM>(c.Hit - 9));
    EXPECT_EQ(sizing[1].WParam, static_cast<WPARAM>(c.Hit - 9));   // the WMSZ_* edge
    EXPECT_EQ(Count(WM_EXITSIZEMOVE, w), 1);
    DestroyWindow(w);
  }
}

TEST_F(WinTest, ABorderlessPopupWithItsOwnSizeGripIsSizedByIt) {
  HWND w = TopLevel(100, 100, 300, 200, WS_POPUP | WS_VISIBLE);
  // A grip in the lower right 16 x 16 pixels, as a drop-down's footer answers it.
  Handlers()[{w, WM_NCHITTEST}] = [](HWND h, UINT, WPARAM, LPARAM l) {
    RECT r;
    GetWindowRect(h, &r);
    const int x = static_cast<short>(LOWORD(l)), y = static_cast<short>(HIWORD(l));
    return LRESULT(x >= r.right - 16 && y >= r.bottom - 16 ? HTBOTTOMRIGHT : HTCLIENT);
  };
  DragWith(POINT{395, 295}, POINT{435, 325});
  EXPECT_EQ(RectOf(w), (RECT{100, 100, 440, 330}));
  EXPECT_EQ(Count(WM_EXITSIZEMOVE, w), 1);
  // Elsewhere the popup gets its clicks and keeps its size.
  Log().clear();
  DragWith(POINT{200, 200}, POINT{240, 240});
  EXPECT_EQ(RectOf(w), (RECT{100, 100, 440, 330}));
  EXPECT_EQ(Count(WM_LBUTTONDOWN, w), 1);
  DestroyWindow(w);
}

TEST_F(WinTest, EscapePutsTheWindowBackAndFixedOrMaximizedWindowsStayPut) {
  HWND w = TopLevel(100, 100, 300, 200, Sizeable);
  POINT at = CaptionPoint(RectOf(w));
  Headless::ButtonDown(1, at.x, at.y);
  Headless::RunUntilIdle();
  Headless::MouseMove(at.x + 80, at.y + 80);
  Headless::RunUntilIdle();
  EXPECT_EQ(RectOf(w), (RECT{180, 180, 480, 380}));
  Headless::KeyPress(VK_ESCAPE);
  Headless::RunUntilIdle();
  EXPECT_EQ(RectOf(w), (RECT{100, 100, 400, 300}));
  EXPECT_EQ(Count(WM_EXITSIZEMOVE, w), 1);
  EXPECT_EQ(GetCapture(), nullptr);
  Headless::MouseMove(at.x + 10, at.y + 10);
  Headless::ButtonUp(1, at.x + 10, at.y + 10);
  Headless::RunUntilIdle();
  EXPECT_EQ(RectOf(w), (RECT{100, 100, 400, 300}));
  DestroyWindow(w);

  // No sizing frame: a press on the border sizes nothing. Maximized: the caption does not move it.
  HWND fixed = TopLevel(100, 100, 300, 200, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
  DragWith(POINT{100, 200}, POINT{60, 200});
  EXPECT_EQ(RectOf(fixed), (RECT{100, 100, 400, 300}));
  DestroyWindow(fixed);
  HWND big = TopLevel(100, 100, 300, 200, Sizeable);
  ShowWindow(big, SW_MAXIMIZE);
  Headless::RunUntilIdle();
  RECT max = RectOf(big);
  DragWith(CaptionPoint(max), POINT{CaptionPoint(max).x + 40, CaptionPoint(max).y + 40});
  EXPECT_EQ(RectOf(big), max);
  DestroyWindow(big);
}
