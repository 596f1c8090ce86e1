// Window scroll bars: their state, showing and hiding with the range, the SB_* codes a press on
// arrows, track and thumb sends, mute disabled bars, the flat style, and ScrollWindowEx.
#include "WinTestSupport.h"

#include <utility>
#include <vector>

namespace {

class WinScrollTest : public WinTest {
protected:
  void SetUp() override {
    WinTest::SetUp();
    Wnd = TopLevel(100, 100, 200, 150);
    Pump();
  }
  static void Pump() { Headless::RunUntilIdle(); }
  // (code, position) of every WM_VSCROLL / WM_HSCROLL, all with lParam 0.
  std::vector<std::pair<WORD, WORD>> Scrolls(UINT Msg = WM_VSCROLL) {
    std::vector<std::pair<WORD, WORD>> out;
    for (const TLogged& m : Only({Msg}, Wnd)) {
      EXPECT_EQ(m.LParam, 0);
      out.emplace_back(LOWORD(m.WParam), HIWORD(m.WParam));
    }
    return out;
  }
  void SetRange(int Bar, int Min, int Max, UINT Page, int Pos, UINT Extra = 0) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | Extra;
    si.nMin = Min;
    si.nMax = Max;
    si.nPage = Page;
    si.nPos = Pos;
    SetScrollInfo(Wnd, Bar, &si, TRUE);
  }
  // A screen point of the vertical bar, Y pixels from its top.
  POINT BarPoint(int Y) {
    RECT c;
    GetClientRect(Wnd, &c);
    POINT p{c.right + GetSystemMetrics(SM_CXVSCROLL) / 2, Y};
    ClientToScreen(Wnd, &p);
    return p;
  }
  HWND Wnd = nullptr;
};

TEST_F(WinScrollTest, InfoRoundTripsAndShowsTheBar) {
  RECT before;
  GetClientRect(Wnd, &before);
  SetRange(SB_VERT, 0, 99, 10, 200);   // the position stops at the last page
  EXPECT_TRUE(GetWindowLong(Wnd, GWL_STYLE) & WS_VSCROLL);
  RECT after;
  GetClientRect(Wnd, &after);
  EXPECT_EQ(after.right, before.right - GetSystemMetrics(SM_CXVSCROLL));
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Wnd, SB_VERT, &si));
  EXPECT_EQ(si.nMin, 0);
  EXPECT_EQ(si.nMax, 99);
  EXPECT_EQ(si.nPage, 10u);
  EXPECT_EQ(si.nPos, 90);
  EXPECT_EQ(si.nTrackPos, 90);
  EXPECT_EQ(SetScrollPos(Wnd, SB_VERT, 5, TRUE), 90);
  EXPECT_EQ(GetScrollPos(Wnd, SB_VERT), 5);
  int lo = -1, hi = -1;
  EXPECT_TRUE(SetScrollRange(Wnd, SB_VERT, 10, 20, TRUE));
  EXPECT_TRUE(GetScrollRange(Wnd, SB_VERT, &lo, &hi));
  EXPECT_EQ(std::pair(lo, hi), std::pair(10, 20));
  EXPECT_EQ(GetScrollPos(Wnd, SB_VERT), 10);

  // Nothing to scroll: hidden, or kept and disabled with SIF_DISABLENOSCROLL.
  SetRange(SB_VERT, 0, 9, 10, 0);
  EXPECT_FALSE(GetWindowLong(Wnd, GWL_STYLE) & WS_VSCROLL);
  SetRange(SB_VERT, 0, 9, 10, 0, SIF_DISABLENOSCROLL);
  EXPECT_TRUE(GetWindowLong(Wnd, GWL_STYLE) & WS_VSCROLL);
  EXPECT_TRUE(ShowScrollBar(Wnd, SB_BOTH, FALSE));
  EXPECT_FALSE(GetWindowLong(Wnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
  si.fMask = 0;
  EXPECT_FALSE(GetScrollInfo(Wnd, SB_VERT, &si));
  EXPECT_FALSE(GetScrollInfo(Wnd, 7, &si));
}

TEST_F(WinScrollTest, PressesSendScrollCodes) {
  SetRange(SB_VERT, 0, 127, 0, 60);
  Pump();
  RECT c;
  GetClientRect(Wnd, &c);
  int arrow = GetSystemMetrics(SM_CXVSCROLL);
  POINT up = BarPoint(arrow / 2), down = BarPoint(c.bottom - arrow / 2);
  POINT track = BarPoint(arrow + 3), below = BarPoint(c.bottom - arrow - 3);
  Log().clear();
  for (POINT p : {up, down, track, below}) Headless::Click(p.x, p.y);
  Pump();
  using S = std::pair<WORD, WORD>;
  EXPECT_EQ(Scrolls(), (std::vector<S>{{SB_LINEUP, 60}, {SB_ENDSCROLL, 60}, {SB_LINEDOWN, 60}, {SB_ENDSCROLL, 60},
                                       {SB_PAGEUP, 60}, {SB_ENDSCROLL, 60}, {SB_PAGEDOWN, 60}, {SB_ENDSCROLL, 60}}));
  EXPECT_TRUE(Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE}, Wnd).empty());   // the bar took the mouse

  // A held arrow repeats on the clock.
  Log().clear();
  Headless::ButtonDown(1, down.x, down.y);
  Pump();
  Headless::AdvanceClock(400);
  Pump();
  Headless::AdvanceClock(50);
  Pump();
  Headless::ButtonUp(1, down.x, down.y);
  Pump();
  EXPECT_EQ(Scrolls(), (std::vector<S>{{SB_LINEDOWN, 60}, {SB_LINEDOWN, 60}, {SB_LINEDOWN, 60}, {SB_ENDSCROLL, 60}}));

  // The thumb (square, in the middle of the track at 60 of 127) dragged to the bottom.
  Log().clear();
  int trackLength = c.bottom - 2 * arrow;
  int thumbTop = arrow + (60 * (trackLength - arrow) + 63) / 127;
  POINT thumb = BarPoint(thumbTop + 2);
  Headless::ButtonDown(1, thumb.x, thumb.y);
  POINT away = BarPoint(c.bottom + 50);
  Headless::MouseMove(away.x, away.y);
  Pump();
  SCROLLINFO si;
  si.fMask = SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(Wnd, SB_VERT, &si);
  EXPECT_EQ(si.nTrackPos, 127);
  EXPECT_EQ(si.nPos, 60);   // the window did not move it
  Headless::ButtonUp(1, away.x, away.y);
  Pump();
  EXPECT_EQ(Scrolls(), (std::vector<S>{{SB_THUMBTRACK, 127}, {SB_THUMBPOSITION, 127}, {SB_ENDSCROLL, 60}}));
}

TEST_F(WinScrollTest, DisabledBarsAreMute) {
  SetRange(SB_VERT, 0, 127, 0, 60);
  Pump();
  RECT c;
  GetClientRect(Wnd, &c);
  int arrow = GetSystemMetrics(SM_CXVSCROLL);
  POINT up = BarPoint(arrow / 2), down = BarPoint(c.bottom - arrow / 2);
  EXPECT_TRUE(EnableScrollBar(Wnd, SB_VERT, ESB_DISABLE_UP));
  Log().clear();
  Headless::Click(up.x, up.y);
  Headless::Click(down.x, down.y);
  Pump();
  using S = std::pair<WORD, WORD>;
  EXPECT_EQ(Scrolls(), (std::vector<S>{{SB_LINEDOWN, 60}, {SB_ENDSCROLL, 60}}));
  EXPECT_TRUE(EnableScrollBar(Wnd, SB_VERT, ESB_DISABLE_BOTH));
  Log().clear();
  Headless::Click(down.x, down.y);
  Headless::Click(down.x, c.bottom / 2);
  Pump();
  EXPECT_TRUE(Scrolls().empty());
}

TEST_F(WinScrollTest, FlatBarsAreAStyleOfTheSameBar) {
  EXPECT_FALSE(FlatSB_SetScrollProp(Wnd, WSB_PROP_VSTYLE, FSB_FLAT_MODE, TRUE));   // not initialised
  ASSERT_TRUE(InitializeFlatSB(Wnd));
  EXPECT_TRUE(FlatSB_SetScrollProp(Wnd, WSB_PROP_VSTYLE, FSB_FLAT_MODE, TRUE));
  int style = -1;
  EXPECT_TRUE(FlatSB_GetScrollProp(Wnd, WSB_PROP_VSTYLE, &style));
  EXPECT_EQ(style, FSB_FLAT_MODE);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_POS;
  si.nMax = 127;
  si.nPos = 0;
  FlatSB_SetScrollInfo(Wnd, SB_VERT, &si, TRUE);
  Pump();
  EXPECT_TRUE(GetWindowLong(Wnd, GWL_STYLE) & WS_VSCROLL);
  // Flat: the thumb has a one-pixel frame in the shadow colour instead of a raised edge.
  RECT c;
  GetClientRect(Wnd, &c);
  int arrow = GetSystemMetrics(SM_CXVSCROLL);
  TSurface* s = Headless::WindowSurface(Wnd);
  s->Pixels();
  auto pixel = [&](int X, int Y) { return s->Pixel(X, Y) & 0xFFFFFF; };
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  std::uint32_t shadowArgb = (GetRValue(shadow) << 16) | (GetGValue(shadow) << 8) | GetBValue(shadow);
  EXPECT_EQ(pixel(c.right, arrow), shadowArgb);
  EXPECT_EQ(pixel(c.right + 1, arrow + 1), (GetRValue(GetSysColor(COLOR_BTNFACE)) << 16 |
                                            GetGValue(GetSysColor(COLOR_BTNFACE)) << 8 |
                                            GetBValue(GetSysColor(COLOR_BTNFACE))));
  Log().clear();
  POINT down = BarPoint(c.bottom - arrow / 2);
  Headless::Click(down.x, down.y);
  Pump();
  EXPECT_EQ(Scrolls().size(), 2u);
}

TEST_F(WinScrollTest, ScrollWindowMovesPixelsAndInvalidatesTheRest) {
  Handlers()[{Wnd, WM_PAINT}] = [](HWND h, UINT, WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    // Horizontal stripes, 10 pixels each, in distinct greys.
    for (int y = ps.rcPaint.top; y < ps.rcPaint.bottom; ++y) {
      RECT line{ps.rcPaint.left, y, ps.rcPaint.right, y + 1};
      HBRUSH b = CreateSolidBrush(RGB(y / 10 * 10, 0, 0));
      FillRect(dc, &line, b);
      DeleteObject(b);
    }
    EndPaint(h, &ps);
    return LRESULT{0};
  };
  InvalidateRect(Wnd, nullptr, FALSE);
  Pump();
  RECT area{0, 20, 200, 150};
  RECT update;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  int kind = ScrollWindowEx(Wnd, 0, -10, &area, &area, rgn, &update, 0);
  EXPECT_EQ(kind, SIMPLEREGION);
  EXPECT_EQ(update, (RECT{0, 140, 200, 150}));
  RECT box;
  GetRgnBox(rgn, &box);
  EXPECT_EQ(box, update);
  DeleteObject(rgn);
  EXPECT_EQ(GetRValue(Headless::ClientPixel(Wnd, 5, 25)), 30);   // the stripe from y 35 moved up
  EXPECT_EQ(GetRValue(Headless::ClientPixel(Wnd, 5, 15)), 10);   // outside the area: unmoved
  RECT pending;
  EXPECT_FALSE(GetUpdateRect(Wnd, &pending, FALSE));   // no SW_INVALIDATE: nothing to paint
  ScrollWindowEx(Wnd, 0, 10, &area, &area, nullptr, nullptr, SW_INVALIDATE);
  EXPECT_TRUE(GetUpdateRect(Wnd, &pending, FALSE));
  EXPECT_EQ(pending, (RECT{0, 20, 200, 30}));
}

}  // namespace
