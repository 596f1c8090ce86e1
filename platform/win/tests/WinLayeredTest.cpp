// Layered windows and what the screen shows: regions cut windows, layered ones blend over what
// lies beneath, and "user32.dll" exports the layered-window calls.
#include "WinTestSupport.h"

#include "platform/rtl/Modules.h"
#include "platform/win/WinGdi.h"

namespace {

class WinLayered : public WinTest {
protected:
  // A visible popup painted in one colour.
  static HWND Painted(int x, int y, int cx, int cy, COLORREF color, DWORD ex = 0, HWND owner = nullptr) {
    HWND h = CreateWindowEx(ex, u"Recorder", u"", WS_POPUP | WS_VISIBLE, x, y, cx, cy, owner, nullptr, nullptr, nullptr);
    Headless::RunUntilIdle();   // the first paint done, so the colour stays
    HDC dc = GetWindowDC(h);
    HBRUSH b = CreateSolidBrush(color);
    RECT r{0, 0, cx, cy};
    FillRect(dc, &r, b);
    DeleteObject(b);
    ReleaseDC(h, dc);
    return h;
  }
  static COLORREF ScreenAt(int x, int y) {
    TSurface screen;
    Headless::ScreenPixels(screen);
    std::uint32_t p = screen.Pixel(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

TEST_F(WinLayered, ScreenShowsEachWindowCutToItsRegion) {
  Painted(0, 0, 40, 40, RGB(255, 0, 0));
  HWND owner = Painted(100, 100, 10, 10, RGB(0, 0, 0));
  HWND popup = Painted(10, 10, 20, 20, RGB(0, 0, 255), 0, owner);   // an owned popup above the red one
  EXPECT_EQ(ScreenAt(15, 15), RGB(0, 0, 255));
  // The region (window coordinates) keeps a 5 x 5 square at (5, 5); the rest shows the red beneath.
  ASSERT_EQ(SetWindowRgn(popup, CreateRectRgn(5, 5, 10, 10), TRUE), 1);
  EXPECT_EQ(ScreenAt(15, 15), RGB(0, 0, 255));
  EXPECT_EQ(ScreenAt(19, 19), RGB(0, 0, 255));
  EXPECT_EQ(ScreenAt(14, 14), RGB(255, 0, 0));
  EXPECT_EQ(ScreenAt(20, 20), RGB(255, 0, 0));
  EXPECT_EQ(ScreenAt(25, 25), RGB(255, 0, 0));
}

TEST_F(WinLayered, ConstantAlphaAndColourKey) {
  Painted(0, 0, 40, 40, RGB(200, 0, 0));
  HWND top = Painted(0, 0, 20, 20, RGB(0, 0, 100), WS_EX_LAYERED);
  // Layered without attributes yet: shown as painted.
  EXPECT_EQ(ScreenAt(5, 5), RGB(0, 0, 100));
  ASSERT_TRUE(SetLayeredWindowAttributes(top, 0, 64, LWA_ALPHA));
  // 64/255 of the blue over 191/255 of the red.
  EXPECT_EQ(ScreenAt(5, 5), RGB(150, 0, 25));
  EXPECT_EQ(ScreenAt(25, 25), RGB(200, 0, 0));
  COLORREF key = 1;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(top, &key, &alpha, &flags));
  EXPECT_EQ(alpha, 64);
  EXPECT_EQ(flags, LWA_ALPHA);
  // The key colour lets the window beneath through; other pixels stay opaque.
  ASSERT_TRUE(SetLayeredWindowAttributes(top, RGB(0, 0, 100), 0, LWA_COLORKEY));
  EXPECT_EQ(ScreenAt(5, 5), RGB(200, 0, 0));
}

TEST_F(WinLayered, UpdateShowsAPremultipliedPictureTimesTheConstantAlpha) {
  Painted(0, 0, 60, 60, RGB(0, 200, 0));
  HWND top = Painted(0, 0, 10, 10, RGB(255, 255, 255), WS_EX_LAYERED);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = 4;
  bi.bmiHeader.biHeight = -2;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  auto* p = static_cast<std::uint32_t*>(bits);
  // Row 0: opaque red, half-covering premultiplied red, transparent, opaque red; row 1: transparent.
  const std::uint32_t row[4] = {0xFFFF0000u, 0x80800000u, 0, 0xFFFF0000u};
  for (int i = 0; i < 4; ++i) p[i] = row[i], p[4 + i] = 0;
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, dib);
  POINT pos{20, 30};
  SIZE size{3, 2};
  POINT src{1, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ASSERT_TRUE(UpdateLayeredWindow(top, nullptr, &pos, &size, mem, &src, 0, &blend, ULW_ALPHA));
  RECT wr;
  GetWindowRect(top, &wr);
  EXPECT_EQ(wr.left, 20);
  EXPECT_EQ(wr.bottom, 32);
  EXPECT_EQ(ScreenAt(20, 30), RGB(128, 100, 0));   // half red over green
  EXPECT_EQ(ScreenAt(21, 30), RGB(0, 200, 0));     // transparent
  EXPECT_EQ(ScreenAt(22, 30), RGB(255, 0, 0));
  EXPECT_EQ(ScreenAt(22, 31), RGB(0, 200, 0));
  // The constant alpha multiplies the per-pixel one; painting the window changes nothing shown.
  blend.SourceConstantAlpha = 128;
  ASSERT_TRUE(UpdateLayeredWindow(top, nullptr, nullptr, nullptr, mem, &src, 0, &blend, ULW_ALPHA));
  EXPECT_EQ(ScreenAt(22, 30), RGB(128, 100, 0));
  EXPECT_EQ(ScreenAt(20, 30), RGB(64, 150, 0));
  InvalidateRect(top, nullptr, TRUE);
  Headless::RunUntilIdle();
  EXPECT_EQ(ScreenAt(22, 30), RGB(128, 100, 0));
  // The attributes call drops the picture: the painted surface shows again.
  ASSERT_TRUE(SetLayeredWindowAttributes(top, 0, 255, LWA_ALPHA));
  EXPECT_NE(ScreenAt(22, 30), RGB(128, 100, 0));
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(dib);
}

TEST_F(WinLayered, AttributesLockOutUpdatesUntilTheLayeredBitIsClearedAndSetAgain) {
  HWND top = Painted(0, 0, 10, 10, RGB(10, 20, 30), WS_EX_LAYERED);
  ASSERT_TRUE(SetLayeredWindowAttributes(top, 0, 255, LWA_ALPHA));
  POINT pos{40, 40};
  SIZE size{100, 100};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 200, 0};
  SetLastError(0);
  EXPECT_FALSE(UpdateLayeredWindow(top, nullptr, &pos, &size, nullptr, nullptr, 0, &blend, ULW_ALPHA));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  RECT wr;
  GetWindowRect(top, &wr);
  EXPECT_EQ(wr.left, 0);                          // neither moved nor sized
  EXPECT_EQ(wr.right, 10);
  EXPECT_EQ(ScreenAt(5, 5), RGB(10, 20, 30));     // the painted surface still shows
  LONG ex = GetWindowLong(top, GWL_EXSTYLE);
  SetWindowLong(top, GWL_EXSTYLE, ex & ~static_cast<LONG>(WS_EX_LAYERED));
  SetWindowLong(top, GWL_EXSTYLE, ex);
  EXPECT_TRUE(UpdateLayeredWindow(top, nullptr, &pos, &size, nullptr, nullptr, 0, &blend, ULW_ALPHA));
  GetWindowRect(top, &wr);
  EXPECT_EQ(wr.left, 40);
}

TEST_F(WinLayered, OnlyLayeredTopLevelWindowsTakeTheCalls) {
  HWND plain = Painted(0, 0, 10, 10, RGB(1, 2, 3));
  SetLastError(0);
  EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 10, LWA_ALPHA));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  EXPECT_FALSE(UpdateLayeredWindow(plain, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA));
  HWND layered = Painted(0, 0, 10, 10, RGB(1, 2, 3), WS_EX_LAYERED);
  EXPECT_FALSE(UpdateLayeredWindow(layered, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, ULW_ALPHA));
  HWND child = Child(plain, 0, 0, 5, 5);
  EXPECT_FALSE(SetLayeredWindowAttributes(child, 0, 10, LWA_ALPHA));
  EXPECT_FALSE(SetLayeredWindowAttributes(nullptr, 0, 10, LWA_ALPHA));
  EXPECT_EQ(ScreenAt(5, 5), RGB(1, 2, 3));
}

TEST_F(WinLayered, User32ExportsTheCallsUnlessTakenAway) {
  Painted(0, 0, 10, 10, RGB(0, 0, 0), WS_EX_LAYERED);
  HMODULE user32 = LoadLibraryW(u"user32.dll");
  ASSERT_NE(user32, nullptr);
  auto update = reinterpret_cast<TUpdateLayeredWindowProc>(GetProcAddress(user32, "UpdateLayeredWindow"));
  auto attributes = reinterpret_cast<TSetLayeredWindowAttributesProc>(GetProcAddress(user32, "SetLayeredWindowAttributes"));
  ASSERT_NE(update, nullptr);
  ASSERT_NE(attributes, nullptr);
  EXPECT_FALSE(attributes(nullptr, 0, 0, LWA_ALPHA));
  SetExportMissing(u"user32.dll", "UpdateLayeredWindow", true);
  EXPECT_EQ(GetProcAddress(user32, "UpdateLayeredWindow"), nullptr);
  EXPECT_NE(GetProcAddress(user32, "SetLayeredWindowAttributes"), nullptr);
  SetExportMissing(u"user32.dll", "UpdateLayeredWindow", false);
  EXPECT_NE(GetProcAddress(user32, "UpdateLayeredWindow"), nullptr);
  FreeLibrary(user32);
}

}  // namespace
