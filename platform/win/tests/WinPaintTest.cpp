// Painting: update regions and WM_PAINT coalescing, erasing with the class brush, WM_SETREDRAW,
// UpdateWindow, children painting into their top-level window's surface, frames, PNG output.
#include "WinTestSupport.h"

#include <filesystem>

using ::testing::ElementsAre;

namespace {

// A window procedure that paints its client area in one colour (given in GWLP_USERDATA).
LRESULT SolidProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_PAINT) {
    WinTest::Log().push_back(TLogged{h, msg, w, l});
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtr(h, GWLP_USERDATA)));
    RECT r;
    GetClientRect(h, &r);
    FillRect(dc, &r, b);
    DeleteObject(b);
    EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProc(h, msg, w, l);
}

HWND Solid(HWND parent, int x, int y, int cx, int cy, COLORREF color, DWORD style) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEX wc;
    wc.lpfnWndProc = SolidProc;
    wc.lpszClassName = u"Solid";
    RegisterClassEx(&wc);
    registered = true;
  }
  HWND h = CreateWindowEx(0, u"Solid", u"", style, x, y, cx, cy, parent, nullptr, nullptr, nullptr);
  SetWindowLongPtr(h, GWLP_USERDATA, static_cast<LONG_PTR>(color));
  return h;
}

}  // namespace

TEST_F(WinTest, InvalidationsCoalesceIntoOneLowPriorityPaint) {
  HWND w = TopLevel(0, 0, 200, 100);
  Headless::RunUntilIdle();
  RECT seen{};
  Handlers()[{w, WM_PAINT}] = [&](HWND h, UINT, WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    BeginPaint(h, &ps);
    seen = ps.rcPaint;
    EndPaint(h, &ps);
    return LRESULT{0};
  };
  Log().clear();
  RECT a{10, 10, 20, 20}, b{50, 40, 60, 45};
  InvalidateRect(w, &a, FALSE);
  InvalidateRect(w, &b, FALSE);
  RECT u;
  EXPECT_TRUE(GetUpdateRect(w, &u, FALSE));
  EXPECT_EQ(u, (RECT{10, 10, 60, 45}));
  PostMessage(w, WM_USER, 0, 0);
  Headless::RunUntilIdle();
  EXPECT_THAT(Numbers(Only({WM_PAINT, WM_USER})), ElementsAre(WM_USER, WM_PAINT));
  EXPECT_EQ(seen, (RECT{10, 10, 60, 45}));
  EXPECT_FALSE(GetUpdateRect(w, &u, FALSE));

  // ValidateRect takes part of the region away; a window procedure that does not paint is not
  // asked again.
  InvalidateRect(w, nullptr, FALSE);
  ValidateRect(w, &a);
  EXPECT_TRUE(GetUpdateRect(w, &u, FALSE));
  EXPECT_EQ(u, (RECT{0, 0, 200, 100}));
  Handlers()[{w, WM_PAINT}] = [](HWND, UINT, WPARAM, LPARAM) { return LRESULT{0}; };
  Log().clear();
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_PAINT), 1);
  DestroyWindow(w);
}

TEST_F(WinTest, EraseFlagSendsEraseBackgroundWithTheClassBrush) {
  HWND w = TopLevel(0, 0, 50, 50);
  Headless::RunUntilIdle();
  // Paint it black first, then erase: the class brush is COLOR_WINDOW.
  HDC dc = GetDC(w);
  RECT all{0, 0, 50, 50};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(w, dc);
  EXPECT_EQ(Headless::ClientPixel(w, 5, 5), RGB(0, 0, 0));
  Log().clear();
  InvalidateRect(w, nullptr, TRUE);
  Headless::RunUntilIdle();
  EXPECT_THAT(Numbers(Only({WM_PAINT, WM_ERASEBKGND})), ElementsAre(WM_PAINT, WM_ERASEBKGND));
  EXPECT_EQ(Headless::ClientPixel(w, 5, 5), GetSysColor(COLOR_WINDOW));
  // Without the erase flag nothing is erased.
  dc = GetDC(w);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(w, dc);
  Log().clear();
  InvalidateRect(w, nullptr, FALSE);
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_ERASEBKGND), 0);
  EXPECT_EQ(Headless::ClientPixel(w, 5, 5), RGB(0, 0, 0));
  DestroyWindow(w);
}

TEST_F(WinTest, SetRedrawOffDropsInvalidationAndOnRepaintsNothing) {
  HWND w = TopLevel(0, 0, 100, 100);
  HWND c = Child(w, 0, 0, 10, 10);
  Headless::RunUntilIdle();
  SendMessage(w, WM_SETREDRAW, FALSE, 0);
  InvalidateRect(w, nullptr, TRUE);
  InvalidateRect(c, nullptr, TRUE);
  RECT u;
  EXPECT_FALSE(GetUpdateRect(w, &u, FALSE));
  EXPECT_FALSE(GetUpdateRect(c, &u, FALSE));
  SendMessage(w, WM_SETREDRAW, TRUE, 0);
  Log().clear();
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_PAINT), 0);
  InvalidateRect(w, nullptr, TRUE);
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_PAINT, w), 1);
  DestroyWindow(w);
}

TEST_F(WinTest, UpdateWindowPaintsAtOnceParentsFirst) {
  HWND w = TopLevel(0, 0, 100, 100);
  HWND c = Child(w, 0, 0, 10, 10);
  Headless::RunUntilIdle();
  Log().clear();
  InvalidateRect(w, nullptr, FALSE);   // without WS_CLIPCHILDREN the child is invalidated too
  UpdateWindow(w);
  auto paints = Only({WM_PAINT});
  ASSERT_EQ(paints.size(), 2u);
  EXPECT_EQ(paints[0].Hwnd, w);
  EXPECT_EQ(paints[1].Hwnd, c);
  Log().clear();
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_PAINT), 0);
  // WS_CLIPCHILDREN keeps the children out of the parent's invalidation.
  SetWindowLong(w, GWL_STYLE, GetWindowLong(w, GWL_STYLE) | WS_CLIPCHILDREN);
  InvalidateRect(w, nullptr, FALSE);
  UpdateWindow(w);
  EXPECT_EQ(Count(WM_PAINT, c), 0);
  DestroyWindow(w);
}

TEST_F(WinTest, ChildrenPaintIntoTheTopLevelSurfaceClippedToTheirArea) {
  HWND w = Solid(nullptr, 10, 10, 100, 80, RGB(255, 255, 255), WS_POPUP | WS_VISIBLE);
  HWND red = Solid(w, 10, 10, 40, 30, RGB(255, 0, 0), WS_CHILD | WS_VISIBLE);
  HWND blue = Solid(red, 30, 20, 40, 40, RGB(0, 0, 255), WS_CHILD | WS_VISIBLE);   // mostly outside red
  Headless::RunUntilIdle();
  EXPECT_EQ(Headless::ClientPixel(w, 5, 5), RGB(255, 255, 255));
  EXPECT_EQ(Headless::ClientPixel(w, 15, 15), RGB(255, 0, 0));
  EXPECT_EQ(Headless::ClientPixel(w, 45, 35), RGB(0, 0, 255));
  EXPECT_EQ(Headless::ClientPixel(w, 60, 35), RGB(255, 255, 255));   // blue is clipped by red
  EXPECT_EQ(Headless::ClientPixel(blue, 1, 1), RGB(0, 0, 255));

  // Moving a child repaints what it uncovered and itself at the new place.
  SetWindowPos(red, nullptr, 50, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Headless::RunUntilIdle();
  EXPECT_EQ(Headless::ClientPixel(w, 15, 15), RGB(255, 255, 255));
  EXPECT_EQ(Headless::ClientPixel(w, 55, 45), RGB(255, 0, 0));
  // Hiding it shows the parent again.
  ShowWindow(red, SW_HIDE);
  Headless::RunUntilIdle();
  EXPECT_EQ(Headless::ClientPixel(w, 55, 45), RGB(255, 255, 255));

  std::filesystem::path out = std::filesystem::path(ZELK_TEST_OUTPUT) / "WinPaintChildren.png";
  EXPECT_TRUE(Headless::SaveWindowPng(w, out.string()));
  EXPECT_GT(std::filesystem::file_size(out), 0u);
  DestroyWindow(w);
}

TEST_F(WinTest, PaintWithADcInWParamIsTheWindowProceduresOwnBusiness) {
  HWND w = TopLevel(0, 0, 40, 40);
  Headless::RunUntilIdle();
  InvalidateRect(w, nullptr, FALSE);
  HDC dc = GetDC(w);
  // DefWindowProc neither paints into the given DC nor validates the window.
  EXPECT_EQ(DefWindowProc(w, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0), 0);
  ReleaseDC(w, dc);
  RECT u;
  EXPECT_TRUE(GetUpdateRect(w, &u, FALSE));
  DestroyWindow(w);
}

TEST_F(WinTest, CaptionFramesPaintActiveAndInactive) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  HWND w = TopLevel(0, 0, 200, 100, style | WS_VISIBLE);
  SetWindowText(w, u"Update R29 6.05.2021");
  Headless::RunUntilIdle();
  TSurface* s = Headless::WindowSurface(w);
  ASSERT_NE(s, nullptr);
  int frame = GetSystemMetrics(SM_CXDLGFRAME);
  // A caption pixel right of the text and left of the close box.
  auto caption = [&] { return PixelToColorRef(s->Pixel(120, frame + 3)); };
  EXPECT_EQ(caption(), GetSysColor(COLOR_ACTIVECAPTION));
  HWND other = TopLevel(300, 0, 50, 50);
  Headless::RunUntilIdle();
  EXPECT_EQ(caption(), GetSysColor(COLOR_INACTIVECAPTION));
  // The caption holds dark text pixels near its left end.
  int dark = 0;
  for (int x = frame; x < 100; ++x)
    for (int y = frame; y < frame + GetSystemMetrics(SM_CYCAPTION); ++y)
      if (GetRValue(PixelToColorRef(s->Pixel(x, y))) < 80) ++dark;
  EXPECT_GT(dark, 20);
  // Clicking the close box closes the window.
  RECT r;
  GetWindowRect(w, &r);
  Headless::Click(r.right - frame - 8, r.top + frame + 10);
  Headless::RunUntilIdle();
  EXPECT_FALSE(IsWindow(w));
  std::filesystem::path out = std::filesystem::path(ZELK_TEST_OUTPUT) / "WinCaption.png";
  DestroyWindow(other);
}

TEST_F(WinTest, WindowRegionsShapeHitTestingAndPainting) {
  HWND w = Solid(nullptr, 0, 0, 100, 100, RGB(255, 255, 255), WS_POPUP | WS_VISIBLE);
  HWND c = Solid(w, 10, 10, 40, 40, RGB(0, 128, 0), WS_CHILD | WS_VISIBLE);
  // A child shaped as its left half.
  EXPECT_TRUE(SetWindowRgn(c, CreateRectRgn(0, 0, 20, 40), TRUE));
  Headless::RunUntilIdle();
  EXPECT_EQ(WindowFromPoint(POINT{15, 15}), c);
  EXPECT_EQ(WindowFromPoint(POINT{40, 15}), w);
  EXPECT_EQ(Headless::ClientPixel(w, 15, 15), RGB(0, 128, 0));
  EXPECT_EQ(Headless::ClientPixel(w, 40, 15), RGB(255, 255, 255));
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(c, copy), SIMPLEREGION);
  RECT box;
  GetRgnBox(copy, &box);
  EXPECT_EQ(box, (RECT{0, 0, 20, 40}));
  DeleteObject(copy);
  // RedrawWindow with RDW_UPDATENOW paints before returning.
  Log().clear();
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(Count(WM_PAINT, w), 1);
  EXPECT_EQ(Count(WM_PAINT, c), 1);
  DestroyWindow(w);
}

TEST_F(WinTest, CaretBlinksOnTheClockAndStaysOutOfPainting) {
  HWND w = Solid(nullptr, 0, 0, 50, 50, RGB(255, 255, 255), WS_POPUP | WS_VISIBLE);
  Headless::RunUntilIdle();
  ASSERT_TRUE(CreateCaret(w, nullptr, 2, 10));
  SetCaretPos(5, 5);
  EXPECT_EQ(Headless::ClientPixel(w, 5, 5), RGB(255, 255, 255));   // created hidden
  ShowCaret(w);
  EXPECT_EQ(Headless::ClientPixel(w, 6, 14), RGB(0, 0, 0));
  EXPECT_EQ(Headless::ClientPixel(w, 7, 5), RGB(255, 255, 255));
  Headless::AdvanceClock(GetCaretBlinkTime());
  Headless::RunUntilIdle();
  EXPECT_EQ(Headless::ClientPixel(w, 5, 5), RGB(255, 255, 255));
  Headless::AdvanceClock(GetCaretBlinkTime());
  Headless::RunUntilIdle();
  EXPECT_EQ(Headless::ClientPixel(w, 5, 5), RGB(0, 0, 0));
  // Painting over it neither leaves a stale caret nor loses it.
  InvalidateRect(w, nullptr, TRUE);
  Headless::RunUntilIdle();
  EXPECT_EQ(Headless::ClientPixel(w, 5, 5), RGB(0, 0, 0));
  HideCaret(w);
  EXPECT_EQ(Headless::ClientPixel(w, 5, 5), RGB(255, 255, 255));
  ShowCaret(w);
  SetCaretPos(20, 20);
  EXPECT_EQ(Headless::ClientPixel(w, 5, 5), RGB(255, 255, 255));
  EXPECT_EQ(Headless::ClientPixel(w, 20, 20), RGB(0, 0, 0));
  EXPECT_TRUE(DestroyCaret());
  EXPECT_EQ(Headless::ClientPixel(w, 20, 20), RGB(255, 255, 255));
  DestroyWindow(w);
}
