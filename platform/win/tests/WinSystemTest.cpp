// System values (metrics per DPI, parameters, colours, monitors, beeps) and the clipboard with its
// global memory handles.
#include "WinTestSupport.h"

#include "platform/win/WinBase.h"

#include "platform/rtl/Shell.h"

#include <cstring>

TEST_F(WinTest, SystemMetricsAtTheDefaultAndAConfiguredDpi) {
  struct {
    int Index;
    int Value;
  } table[] = {{SM_CXVSCROLL, 17}, {SM_CYHSCROLL, 17}, {SM_CXBORDER, 1},   {SM_CXEDGE, 2},
               {SM_CXDOUBLECLK, 4}, {SM_CYCAPTION, 23}, {SM_CXDRAG, 4},    {SM_CXDLGFRAME, 3},
               {SM_CXSCREEN, 1920}, {SM_CYSCREEN, 1080}, {SM_CMONITORS, 1}, {SM_MOUSEWHEELPRESENT, 1}};
  for (auto& t : table) EXPECT_EQ(GetSystemMetrics(t.Index), t.Value) << t.Index;
  EXPECT_EQ(GetSystemMetricsForDpi(SM_CXVSCROLL, 144), 26);   // 17 * 1.5 = 25.5, halves away from zero
  EXPECT_EQ(GetSystemMetricsForDpi(SM_CXSCREEN, 144), 1920);
  Headless::SetDpi(120);
  EXPECT_EQ(GetDpiForSystem(), 120u);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 21);
  Headless::SetScreenSize(1024, 768);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
}

TEST_F(WinTest, ParametersMonitorsColoursAndBeeps) {
  RECT work;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, (RECT{0, 0, 1920, 1040}));
  UINT lines = 0;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  EXPECT_EQ(lines, 3u);
  HIGHCONTRAST hc;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0));
  EXPECT_EQ(hc.dwFlags & HCF_HIGHCONTRASTON, 0u);
  Headless::SetHighContrast(true);
  SystemParametersInfo(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0);
  EXPECT_EQ(hc.dwFlags & HCF_HIGHCONTRASTON, HCF_HIGHCONTRASTON);

  HMONITOR m = MonitorFromPoint(POINT{100, 100}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(MonitorFromPoint(POINT{-5000, 0}, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromPoint(POINT{-5000, 0}, MONITOR_DEFAULTTONEAREST), m);
  MONITORINFO mi;
  ASSERT_TRUE(GetMonitorInfo(m, &mi));
  EXPECT_EQ(mi.rcMonitor, (RECT{0, 0, 1920, 1080}));
  EXPECT_EQ(mi.rcWork, work);
  EXPECT_EQ(mi.dwFlags, MONITORINFOF_PRIMARY);

  struct {
    int Index;
    COLORREF Color;
  } colours[] = {{COLOR_BTNFACE, RGB(240, 240, 240)}, {COLOR_WINDOW, RGB(255, 255, 255)},
                 {COLOR_WINDOWTEXT, RGB(0, 0, 0)},     {COLOR_HIGHLIGHT, RGB(0, 120, 215)},
                 {COLOR_BTNSHADOW, RGB(160, 160, 160)}, {COLOR_GRAYTEXT, RGB(109, 109, 109)},
                 {COLOR_INFOBK, RGB(255, 255, 225)},   {COLOR_MENUBAR, RGB(240, 240, 240)}};
  for (auto& c : colours) EXPECT_EQ(GetSysColor(c.Index), c.Color) << c.Index;
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
  DeleteObject(face);   // shared: deleting it does nothing
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
  LOGBRUSH lb;
  ASSERT_EQ(GetObject(face, sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbColor, RGB(240, 240, 240));

  MessageBeep(MB_ICONERROR);
  MessageBeep(MB_OK);
  EXPECT_EQ(Headless::Beeps(), (std::vector<UINT>{MB_ICONERROR, MB_OK}));
  EXPECT_TRUE(ShellOpen(u"https://example.org/ä b"));
  EXPECT_EQ(Headless::ShellRequests(),
            (std::vector<std::vector<std::string>>{{"xdg-open", "https://example.org/\xC3\xA4 b"}}));
}

namespace {

HGLOBAL TextHandle(const String& s) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (s.size() + 1) * sizeof(Char));
  std::memcpy(GlobalLock(h), s.c_str(), (s.size() + 1) * sizeof(Char));
  GlobalUnlock(h);
  return h;
}

String TextOf(HANDLE h) {
  auto* p = static_cast<const Char*>(GlobalLock(h));
  String s = p ? String(p) : String();
  GlobalUnlock(h);
  return s;
}

}  // namespace

TEST_F(WinTest, ClipboardRoundTripWithSynthesisedTextAndOwnership) {
  HWND w = TopLevel(0, 0, 10, 10);
  HGLOBAL refused = TextHandle(u"x");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, refused), nullptr);   // not open: refused, still ours
  EXPECT_EQ(GlobalFree(refused), nullptr);
  ASSERT_TRUE(OpenClipboard(w));
  EXPECT_FALSE(OpenClipboard(w));
  ASSERT_TRUE(EmptyClipboard());
  HGLOBAL h = TextHandle(u"Grüße\tTab");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, h), h);
  UINT custom = RegisterClipboardFormat(u"Zelk Grid Cells");
  EXPECT_GE(custom, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat(u"zelk grid cells"), custom);
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, 3);
  std::memcpy(GlobalLock(data), "abc", 3);
  GlobalUnlock(data);
  SetClipboardData(custom, data);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(GetClipboardOwner(), w);

  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(custom));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);   // only while open
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(TextOf(GetClipboardData(CF_UNICODETEXT)), u"Grüße\tTab");
  // The ANSI text is made from the Unicode text, in Windows-1252.
  auto* ansi = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
  ASSERT_NE(ansi, nullptr);
  EXPECT_STREQ(ansi, "Gr\xFC\xDF" "e\tTab");
  GlobalUnlock(GetClipboardData(CF_TEXT));
  EXPECT_EQ(GlobalSize(GetClipboardData(custom)), 3u);
  EXPECT_EQ(EnumClipboardFormats(0), CF_UNICODETEXT);
  EXPECT_EQ(EnumClipboardFormats(CF_UNICODETEXT), custom);
  Char name[64];
  EXPECT_EQ(GetClipboardFormatName(custom, name, 64), 15);
  EXPECT_EQ(String(name), u"Zelk Grid Cells");

  // Emptying frees what the clipboard owned and tells the previous owner.
  HWND other = TopLevel(0, 0, 10, 10);
  CloseClipboard();
  OpenClipboard(other);
  Log().clear();
  EmptyClipboard();
  EXPECT_EQ(Count(WM_DESTROYCLIPBOARD, w), 1);
  EXPECT_EQ(GlobalSize(h), 0u);      // freed: the handle is stale now
  EXPECT_EQ(GlobalSize(data), 0u);
  CloseClipboard();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  DestroyWindow(w);
  DestroyWindow(other);
}

TEST(WinGlobalMemory, AllocLockSizeFree) {
  HGLOBAL h = GlobalAlloc(GHND, 16);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), 16u);
  auto* p = static_cast<unsigned char*>(GlobalLock(h));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[15], 0);   // zero-initialised
  EXPECT_TRUE(GlobalLock(h));
  EXPECT_TRUE(GlobalUnlock(h));    // still locked once
  EXPECT_FALSE(GlobalUnlock(h));
  HGLOBAL bigger = GlobalReAlloc(h, 64, GMEM_ZEROINIT);
  ASSERT_NE(bigger, nullptr);
  EXPECT_EQ(GlobalSize(bigger), 64u);
  EXPECT_EQ(GlobalFree(bigger), nullptr);
  EXPECT_EQ(GlobalLock(bigger), nullptr);
  EXPECT_EQ(GlobalFree(bigger), bigger);   // a stale handle is reported back
}
