// System values: metrics (scaled per DPI), parameters, the system colour table and its brushes,
// the monitor, DPI, beeps, and the rectangle helpers.
#include "platform/win/Backend.h"
#include "platform/win/Headless.h"
#include "platform/win/WinCore.h"
#include "platform/win/WinGdi.h"

#include "platform/rtl/Math.h"

#include <algorithm>
#include <array>

using namespace wincore;

namespace {

// The platform's default colours (Windows 10), COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30).
constexpr std::array<COLORREF, 31> kDefaultColors = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(0, 0, 0),        // COLOR_BACKGROUND
    RGB(153, 180, 209),  // COLOR_ACTIVECAPTION
    RGB(191, 205, 219),  // COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(100, 100, 100),  // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(0, 0, 0),        // COLOR_CAPTIONTEXT
    RGB(180, 180, 180),  // COLOR_ACTIVEBORDER
    RGB(244, 247, 252),  // COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // COLOR_APPWORKSPACE
    RGB(0, 120, 215),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // COLOR_BTNFACE
    RGB(160, 160, 160),  // COLOR_BTNSHADOW
    RGB(109, 109, 109),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(0, 0, 0),        // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105),  // COLOR_3DDKSHADOW
    RGB(227, 227, 227),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(0, 0, 0),        // 25, unused
    RGB(0, 102, 204),    // COLOR_HOTLIGHT
    RGB(185, 209, 234),  // COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 120, 215),    // COLOR_MENUHILIGHT
    RGB(240, 240, 240),  // COLOR_MENUBAR
};

struct TSystemValues {
  std::array<COLORREF, 31> Colors = kDefaultColors;
  std::array<HBRUSH, 31> Brushes{};
  int Dpi = 96;
  bool HighContrast = false;
  // Headless screen; the X11 back end reports its own.
  SIZE Screen{1920, 1080};
  RECT Work{0, 0, 1920, 1040};
  // Headless monitors; empty: one monitor, the screen with its work area.
  std::vector<Headless::TMonitorArea> Monitors;
  std::vector<UINT> Beeps;
  UINT WheelScrollLines = 3;
};

TSystemValues& V() {
  static TSystemValues v;
  return v;
}

SIZE ScreenSize() { return BackendStarted() ? Backend().ScreenSize() : V().Screen; }
RECT WorkArea() { return BackendStarted() ? Backend().WorkArea() : V().Work; }

// The monitors, the primary one first: the headless list when one is set, else the screen.
std::vector<Headless::TMonitorArea> Monitors() {
  bool headless = !BackendStarted() || Backend().IsHeadless();
  if (headless && !V().Monitors.empty()) return V().Monitors;
  SIZE s = ScreenSize();
  return {Headless::TMonitorArea{RECT{0, 0, s.cx, s.cy}, WorkArea()}};
}

// Monitor handles are their index above a base, so that none is null.
constexpr std::uintptr_t kMonitorBase = 0x1000;
HMONITOR MonitorHandle(std::size_t index) { return reinterpret_cast<HMONITOR>(kMonitorBase + index); }

RECT VirtualScreen() {
  RECT all{};
  for (const auto& m : Monitors()) all = Empty(all) ? m.Monitor : Union(all, m.Monitor);
  return all;
}

// Squared distance from a point to the nearest point of a rectangle (0 inside).
long long Distance2(POINT p, const RECT& r) {
  long long dx = p.x < r.left ? r.left - p.x : p.x >= r.right ? p.x - r.right + 1 : 0;
  long long dy = p.y < r.top ? r.top - p.y : p.y >= r.bottom ? p.y - r.bottom + 1 : 0;
  return dx * dx + dy * dy;
}

// The monitor for `flags` when none holds the point or rectangle: nearest to `near`, primary or none.
HMONITOR Fallback(POINT near, DWORD flags) {
  if (flags == MONITOR_DEFAULTTONULL) return nullptr;
  if (flags == MONITOR_DEFAULTTOPRIMARY) return MonitorHandle(0);
  auto monitors = Monitors();
  std::size_t best = 0;
  for (std::size_t i = 1; i < monitors.size(); ++i)
    if (Distance2(near, monitors[i].Monitor) < Distance2(near, monitors[best].Monitor)) best = i;
  return MonitorHandle(best);
}

// Metrics in pixels at 96 dpi; sizes scale with the DPI, counts and flags do not.
int BaseMetric(int index, bool* scales) {
  *scales = true;
  switch (index) {
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL:
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 17;
    case SM_CYCAPTION: case SM_CYSMCAPTION: return 23;
    case SM_CXBORDER: case SM_CYBORDER: case SM_CXFOCUSBORDER: case SM_CYFOCUSBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYMENU: return 20;
    case SM_CXSIZE: return 36;
    case SM_CYSIZE: return 22;
    case SM_CXSMSIZE: case SM_CYSMSIZE: return 22;
    case SM_CXMENUSIZE: case SM_CYMENUSIZE: return 19;
    case SM_CXMIN: case SM_CXMINTRACK: return 136;
    case SM_CYMIN: case SM_CYMINTRACK: return 39;
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 28;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return 75;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 15;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: case SM_CXDRAG: case SM_CYDRAG: return 4;
    default: break;
  }
  *scales = false;
  switch (index) {
    case SM_CXSCREEN: return ScreenSize().cx;
    case SM_CYSCREEN: return ScreenSize().cy;
    case SM_XVIRTUALSCREEN: return VirtualScreen().left;
    case SM_YVIRTUALSCREEN: return VirtualScreen().top;
    case SM_CXVIRTUALSCREEN: { RECT r = VirtualScreen(); return r.right - r.left; }
    case SM_CYVIRTUALSCREEN: { RECT r = VirtualScreen(); return r.bottom - r.top; }
    case SM_CMONITORS: return static_cast<int>(Monitors().size());
    case SM_CXFULLSCREEN: { RECT w = WorkArea(); return w.right - w.left; }
    case SM_CYFULLSCREEN: { RECT w = WorkArea(); return w.bottom - w.top - GetSystemMetrics(SM_CYCAPTION); }
    case SM_CXMAXIMIZED: case SM_CXMAXTRACK: { RECT w = WorkArea(); return w.right - w.left + 2 * GetSystemMetrics(SM_CXFRAME); }
    case SM_CYMAXIMIZED: case SM_CYMAXTRACK: { RECT w = WorkArea(); return w.bottom - w.top + 2 * GetSystemMetrics(SM_CYFRAME); }
    case SM_MOUSEPRESENT: case SM_MOUSEWHEELPRESENT: case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_CMOUSEBUTTONS: return 5;
    default: return 0;
  }
}

}  // namespace

namespace wincore {

int DpiValue() { return V().Dpi; }

void ResetSystemValues() {
  TSystemValues& v = V();
  v.Colors = kDefaultColors;
  for (int i = 0; i < 31; ++i) {
    if (!v.Brushes[static_cast<std::size_t>(i)]) continue;
    auto* b = static_cast<gdi::TBrush*>(v.Brushes[static_cast<std::size_t>(i)]);
    b->Color = kDefaultColors[static_cast<std::size_t>(i)];
  }
  v.Dpi = 96;
  GdiSetScreenDpi(96);
  v.HighContrast = false;
  v.Screen = SIZE{1920, 1080};
  v.Work = RECT{0, 0, 1920, 1040};
  v.Monitors.clear();
  GdiSetScreenSize(1920, 1080);
  v.Beeps.clear();
  v.WheelScrollLines = 3;
}

SIZE HeadlessScreenSize() { return V().Screen; }
RECT HeadlessWorkArea() { return V().Work; }
void RecordBeep(UINT type) { V().Beeps.push_back(type); }

}  // namespace wincore

int GetSystemMetricsForDpi(int index, UINT dpi) {
  bool scales;
  int v = BaseMetric(index, &scales);
  return scales && dpi != 96 ? MulDiv(v, static_cast<Integer>(dpi), 96) : v;
}

int GetSystemMetrics(int index) { return GetSystemMetricsForDpi(index, static_cast<UINT>(V().Dpi)); }

UINT GetDpiForSystem() { return static_cast<UINT>(V().Dpi); }

UINT GetDpiForWindow(HWND h) { return FromHandle(h) ? static_cast<UINT>(V().Dpi) : 0; }

BOOL SystemParametersInfo(UINT action, UINT param, void* pv, UINT) {
  auto setUint = [&](UINT v) {
    if (!pv) return FALSE;
    *static_cast<UINT*>(pv) = v;
    return TRUE;
  };
  auto setBool = [&](bool v) {
    if (!pv) return FALSE;
    *static_cast<BOOL*>(pv) = v ? TRUE : FALSE;
    return TRUE;
  };
  switch (action) {
    case SPI_GETWORKAREA:
      if (!pv) return FALSE;
      *static_cast<RECT*>(pv) = WorkArea();
      return TRUE;
    case SPI_GETWHEELSCROLLLINES: return setUint(V().WheelScrollLines);
    case SPI_SETWHEELSCROLLLINES:
      V().WheelScrollLines = param;
      return TRUE;
    case SPI_GETWHEELSCROLLCHARS: return setUint(3);
    case SPI_GETHIGHCONTRAST: {
      auto* hc = static_cast<HIGHCONTRAST*>(pv);
      if (!hc || (param && param != sizeof(HIGHCONTRAST))) return FALSE;
      hc->dwFlags = V().HighContrast ? HCF_HIGHCONTRASTON : 0;
      hc->lpszDefaultScheme = nullptr;
      return TRUE;
    }
    case SPI_GETKEYBOARDDELAY: return setUint(1);
    case SPI_GETKEYBOARDSPEED: return setUint(31);
    case SPI_GETMENUSHOWDELAY: return setUint(400);
    case SPI_GETMOUSEHOVERTIME: return setUint(400);
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT: return setUint(4);
    case SPI_GETCARETWIDTH: return setUint(1);
    case SPI_GETBEEP:
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETFLATMENU: return setBool(true);
    case SPI_GETKEYBOARDCUES: return setBool(false);
    default: return FALSE;
  }
}

DWORD GetSysColor(int index) {
  if (index < 0 || index > 30) return 0;
  return V().Colors[static_cast<std::size_t>(index)];
}

HBRUSH GetSysColorBrush(int index) {
  if (index < 0 || index > 30) return nullptr;
  HBRUSH& b = V().Brushes[static_cast<std::size_t>(index)];
  if (!b) {
    b = CreateSolidBrush(V().Colors[static_cast<std::size_t>(index)]);
    if (b) b->Permanent = true;   // shared by everyone: DeleteObject leaves it alone
  }
  return b;
}

BOOL SetSysColors(int count, const int* indexes, const COLORREF* colors) {
  if (count < 0 || (count > 0 && (!indexes || !colors))) return FALSE;
  for (int i = 0; i < count; ++i) {
    int idx = indexes[i];
    if (idx < 0 || idx > 30) continue;
    V().Colors[static_cast<std::size_t>(idx)] = colors[i];
    if (HBRUSH b = V().Brushes[static_cast<std::size_t>(idx)]) static_cast<gdi::TBrush*>(b)->Color = colors[i];
  }
  std::vector<HWND> tops;
  for (TWindow* t : Desktop()->Children) tops.push_back(t->Handle);
  for (HWND t : tops) SendMessage(t, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
  auto monitors = Monitors();
  for (std::size_t i = 0; i < monitors.size(); ++i)
    if (Distance2(pt, monitors[i].Monitor) == 0) return MonitorHandle(i);
  return Fallback(pt, flags);
}

HMONITOR MonitorFromRect(const RECT* r, DWORD flags) {
  if (!r) return nullptr;
  auto monitors = Monitors();
  long long bestArea = 0;
  HMONITOR best = nullptr;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    RECT common = Intersect(*r, monitors[i].Monitor);
    long long area = Empty(common) ? 0 : static_cast<long long>(common.right - common.left) * (common.bottom - common.top);
    if (area > bestArea) {
      bestArea = area;
      best = MonitorHandle(i);
    }
  }
  return best ? best : Fallback(POINT{(r->left + r->right) / 2, (r->top + r->bottom) / 2}, flags);
}

HMONITOR MonitorFromWindow(HWND h, DWORD flags) {
  TWindow* w = FromHandle(h);
  if (!w) return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorHandle(0);
  RECT r = WindowRectOnScreen(w);
  return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfo(HMONITOR m, MONITORINFO* info) {
  auto monitors = Monitors();
  auto index = reinterpret_cast<std::uintptr_t>(m) - kMonitorBase;
  if (!info || reinterpret_cast<std::uintptr_t>(m) < kMonitorBase || index >= monitors.size()) return FALSE;
  info->rcMonitor = monitors[index].Monitor;
  info->rcWork = monitors[index].Work;
  info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
  return TRUE;
}

BOOL MessageBeep(UINT type) {
  Backend().Beep(type);
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Headless configuration

namespace Headless {

std::vector<UINT> Beeps() { return V().Beeps; }
void ClearBeeps() { V().Beeps.clear(); }

void SetScreenSize(int w, int h) {
  V().Screen = SIZE{w, h};
  GdiSetScreenSize(w, h);
}

void SetWorkArea(const RECT& r) { V().Work = r; }

void SetMonitors(const std::vector<TMonitorArea>& AMonitors) { V().Monitors = AMonitors; }

void SetDpi(int dpi) {
  V().Dpi = dpi > 0 ? dpi : 96;
  GdiSetScreenDpi(V().Dpi);
}

void SetHighContrast(bool on) { V().HighContrast = on; }

}  // namespace Headless

// ---------------------------------------------------------------------------------------------
// Rectangles

BOOL SetRect(RECT* r, int l, int t, int rr, int b) {
  if (!r) return FALSE;
  *r = RECT{l, t, rr, b};
  return TRUE;
}

BOOL SetRectEmpty(RECT* r) {
  if (!r) return FALSE;
  *r = RECT{};
  return TRUE;
}

BOOL CopyRect(RECT* d, const RECT* s) {
  if (!d || !s) return FALSE;
  *d = *s;
  return TRUE;
}

BOOL InflateRect(RECT* r, int dx, int dy) {
  if (!r) return FALSE;
  r->left -= dx;
  r->top -= dy;
  r->right += dx;
  r->bottom += dy;
  return TRUE;
}

BOOL OffsetRect(RECT* r, int dx, int dy) {
  if (!r) return FALSE;
  *r = Offset(*r, dx, dy);
  return TRUE;
}

BOOL IntersectRect(RECT* d, const RECT* a, const RECT* b) {
  if (!d || !a || !b) return FALSE;
  *d = Intersect(*a, *b);
  return Empty(*d) ? FALSE : TRUE;
}

BOOL UnionRect(RECT* d, const RECT* a, const RECT* b) {
  if (!d || !a || !b) return FALSE;
  *d = Union(*a, *b);
  if (Empty(*d)) {
    *d = RECT{};
    return FALSE;
  }
  return TRUE;
}

BOOL SubtractRect(RECT* d, const RECT* a, const RECT* b) {
  if (!d || !a || !b) return FALSE;
  RECT r = *a;
  RECT i = Intersect(*a, *b);
  // Only a cut that removes a whole side leaves a rectangle.
  if (!Empty(i)) {
    if (i.top == r.top && i.bottom == r.bottom) {
      if (i.left == r.left) r.left = i.right;
      else if (i.right == r.right) r.right = i.left;
    } else if (i.left == r.left && i.right == r.right) {
      if (i.top == r.top) r.top = i.bottom;
      else if (i.bottom == r.bottom) r.bottom = i.top;
    }
  }
  if (Empty(r)) {
    *d = RECT{};
    return FALSE;
  }
  *d = r;
  return TRUE;
}

BOOL EqualRect(const RECT* a, const RECT* b) { return a && b && *a == *b ? TRUE : FALSE; }

BOOL IsRectEmpty(const RECT* r) { return !r || Empty(*r) ? TRUE : FALSE; }

BOOL PtInRect(const RECT* r, POINT p) { return r && Contains(*r, p) ? TRUE : FALSE; }
