// The X11 back end's input path on a real X server: the test runs itself again on Xvfb with
// ZELK_BACKEND=x11, sends X key and button events to its own window and checks the messages.
#include "platform/win/Windows.h"
#include "platform/rtl/testsupport/Command.h"

// From platform/win/WinSystem.h, whose runtime header declares Time(), which Xlib's Time type hides.
void InitWindowSystem();
const char* WindowSystemBackendName();

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/extensions/shape.h>

#include <chrono>
#include <memory>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

std::vector<MSG>& Seen() {
  static std::vector<MSG> seen;
  return seen;
}

LRESULT Record(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_KEYDOWN || msg == WM_CHAR || msg == WM_LBUTTONDOWN || msg == WM_MOUSEWHEEL) {
    MSG m;
    m.hwnd = h;
    m.message = msg;
    m.wParam = w;
    m.lParam = l;
    Seen().push_back(m);
  }
  return DefWindowProc(h, msg, w, l);
}

void PumpFor(int ms) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < until) {
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void SendKey(Display* d, ::Window w, KeySym sym, unsigned state) {
  XEvent e{};
  e.xkey.display = d;
  e.xkey.window = w;
  e.xkey.root = DefaultRootWindow(d);
  e.xkey.time = CurrentTime;
  e.xkey.same_screen = 1;
  e.xkey.state = state;
  e.xkey.keycode = XKeysymToKeycode(d, sym);
  e.type = KeyPress;
  XSendEvent(d, w, 1, KeyPressMask, &e);
  e.type = KeyRelease;
  XSendEvent(d, w, 1, KeyReleaseMask, &e);
}

void RegisterProbeClass() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSEX wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = Record;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_WINDOW + 1));
  wc.lpszClassName = u"X11Probe";
  RegisterClassEx(&wc);
}

}  // namespace

// Runs in the child process only: the x11 back end, driven by events sent through a second
// connection to the same server.
TEST(WinX11Child, KeysAndButtons) {
  if (!std::getenv("ZELK_X11_CHILD")) GTEST_SKIP() << "runs inside WinX11.KeyAndButtonEventsBecomeWindowsMessages";
  InitWindowSystem();
  ASSERT_STREQ(WindowSystemBackendName(), "x11");
  RegisterProbeClass();
  HWND h = CreateWindowEx(0, u"X11Probe", u"probe", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 20, 30, 200, 120,
                          nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  SetFocus(h);
  PumpFor(100);
  std::unique_ptr<Display, int (*)(Display*)> conn(XOpenDisplay(nullptr), XCloseDisplay);
  Display* d = conn.get();
  ASSERT_NE(d, nullptr);
  ::Window focus = 0;
  int revert;
  XGetInputFocus(d, &focus, &revert);
  ASSERT_GT(focus, 1u);   // our window took the focus

  SendKey(d, focus, XK_KP_Decimal, Mod2Mask);   // NumLock on
  SendKey(d, focus, XK_period, 0);
  SendKey(d, focus, XK_a, ShiftMask);
  SendKey(d, focus, XK_Delete, 0);
  POINT client{0, 0};
  ClientToScreen(h, &client);
  XEvent b{};
  b.type = ButtonPress;
  b.xbutton.display = d;
  b.xbutton.window = focus;
  b.xbutton.root = DefaultRootWindow(d);
  b.xbutton.button = Button1;
  b.xbutton.same_screen = 1;
  b.xbutton.x_root = client.x + 7;
  b.xbutton.y_root = client.y + 9;
  XSendEvent(d, focus, 1, ButtonPressMask, &b);
  b.xbutton.button = Button5;
  XSendEvent(d, focus, 1, ButtonPressMask, &b);
  XFlush(d);
  for (int i = 0; i < 100 && Seen().size() < 9; ++i) PumpFor(20);

  std::vector<MSG> keys, chars, other;
  for (const MSG& m : Seen())
    (m.message == WM_KEYDOWN ? keys : m.message == WM_CHAR ? chars : other).push_back(m);
  ASSERT_EQ(keys.size(), 4u);
  auto scan = [](const MSG& m) { return (static_cast<std::uint32_t>(m.lParam) >> 16) & 0x1FF; };   // with the extended bit
  EXPECT_EQ(keys[0].wParam, VK_DECIMAL);
  EXPECT_EQ(scan(keys[0]), 0x53u);
  EXPECT_EQ(keys[1].wParam, VK_OEM_PERIOD);
  EXPECT_EQ(scan(keys[1]), 0x34u);
  EXPECT_EQ(keys[2].wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(scan(keys[2]), 0x1Eu);
  EXPECT_EQ(keys[3].wParam, VK_DELETE);
  EXPECT_EQ(scan(keys[3]), 0x153u);
  ASSERT_EQ(chars.size(), 3u);
  EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('.'));
  EXPECT_EQ(chars[1].wParam, static_cast<WPARAM>('.'));
  EXPECT_EQ(chars[2].wParam, static_cast<WPARAM>('A'));
  ASSERT_EQ(other.size(), 2u);
  EXPECT_EQ(other[0].message, WM_LBUTTONDOWN);
  EXPECT_EQ(other[0].lParam, MAKELPARAM(7, 9));
  EXPECT_EQ(other[1].message, WM_MOUSEWHEEL);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(other[1].wParam), -WHEEL_DELTA);
  DestroyWindow(h);
}

namespace {

// The window's name as the window manager reads it: WM_NAME and _NET_WM_NAME (UTF-8).
std::pair<std::string, std::string> TitleOf(Display* d, ::Window xid) {
  std::string legacy, utf8;
  char* name = nullptr;
  if (XFetchName(d, xid, &name) && name) {
    legacy = name;
    XFree(name);
  }
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(d, xid, XInternAtom(d, "_NET_WM_NAME", 0), 0, 1024, 0, XInternAtom(d, "UTF8_STRING", 0), &type,
                         &format, &count, &after, &data) == Success &&
      data) {
    utf8.assign(reinterpret_cast<const char*>(data), count);
    XFree(data);
  }
  return {legacy, utf8};
}

::Window TopWindowAt(Display* d, int x, int y) {
  ::Window root = DefaultRootWindow(d), child = 0;
  int cx, cy;
  XTranslateCoordinates(d, root, root, x, y, &cx, &cy, &child);
  return child;
}

}  // namespace

TEST(WinX11Child, TitlesReachTheWindowManagerAndTheCaptionDragsTheWindow) {
  if (!std::getenv("ZELK_X11_CHILD")) GTEST_SKIP() << "runs inside WinX11.KeyAndButtonEventsBecomeWindowsMessages";
  InitWindowSystem();
  ASSERT_STREQ(WindowSystemBackendName(), "x11");
  RegisterProbeClass();
  HWND h = CreateWindowEx(0, u"X11Probe", u"Update R29", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 50, 300, 200, nullptr,
                          nullptr, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  PumpFor(100);
  std::unique_ptr<Display, int (*)(Display*)> conn(XOpenDisplay(nullptr), XCloseDisplay);
  Display* d = conn.get();
  ASSERT_NE(d, nullptr);
  ::Window xid = TopWindowAt(d, 60, 60);
  ASSERT_NE(xid, 0u);
  EXPECT_EQ(TitleOf(d, xid), (std::pair<std::string, std::string>{"Update R29", "Update R29"}));
  SetWindowText(h, u"Grüße");
  PumpFor(50);
  EXPECT_EQ(TitleOf(d, xid).second, "Grüße");

  // Xvfb runs no window manager: the window follows a caption drag itself.
  RECT before;
  GetWindowRect(h, &before);
  int x = (before.left + before.right) / 2, y = before.top + GetSystemMetrics(SM_CYFRAME) + 5;
  ASSERT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(x, y)), HTCAPTION);
  // One pointer event at (px, py) as the server would send it to the window.
  auto send = [&](int type, long mask, int px, int py) {
    XEvent e{};
    e.type = type;
    e.xbutton.display = d;
    e.xbutton.window = xid;
    e.xbutton.root = DefaultRootWindow(d);
    e.xbutton.same_screen = 1;
    if (type != MotionNotify) e.xbutton.button = Button1;
    e.xbutton.x_root = px;
    e.xbutton.y_root = py;
    XSendEvent(d, xid, 1, mask, &e);
    XFlush(d);
    PumpFor(type == ButtonRelease ? 100 : 50);
  };
  send(ButtonPress, ButtonPressMask, x, y);
  send(MotionNotify, PointerMotionMask, x + 70, y + 40);
  send(ButtonRelease, ButtonReleaseMask, x + 70, y + 40);
  RECT after;
  GetWindowRect(h, &after);
  EXPECT_EQ(after.left - before.left, 70);
  EXPECT_EQ(after.top - before.top, 40);
  XSync(d, 0);
  EXPECT_EQ(TopWindowAt(d, after.left + 10, after.top + 10), xid);   // the X window moved with it
  EXPECT_NE(TopWindowAt(d, before.left + 10, before.top + 10), xid);
  DestroyWindow(h);
}

// A popup without a caption is override-redirect: no window manager looks after it, so while it
// holds the capture it holds the pointer (another client cannot grab it); a captioned window does
// not.
TEST(WinX11Child, CaptureOnAPopupHoldsThePointer) {
  if (!std::getenv("ZELK_X11_CHILD")) GTEST_SKIP() << "runs inside WinX11.KeyAndButtonEventsBecomeWindowsMessages";
  InitWindowSystem();
  RegisterProbeClass();
  HWND popup = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, u"X11Probe", u"", WS_POPUP | WS_VISIBLE,
                              100, 100, 80, 60, nullptr, nullptr, nullptr, nullptr);
  HWND normal = CreateWindowEx(0, u"X11Probe", u"normal", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 300, 100, 120, 80,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(popup && normal);
  PumpFor(50);
  std::unique_ptr<Display, int (*)(Display*)> conn(XOpenDisplay(nullptr), XCloseDisplay);
  Display* d = conn.get();
  ASSERT_NE(d, nullptr);
  auto otherCanGrab = [&] {
    XSync(d, 0);
    int r = XGrabPointer(d, DefaultRootWindow(d), 0, ButtonPressMask, GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime);
    if (r == GrabSuccess) XUngrabPointer(d, CurrentTime);
    XSync(d, 0);
    return r == GrabSuccess;
  };
  SetCapture(popup);
  PumpFor(20);
  EXPECT_FALSE(otherCanGrab());
  ReleaseCapture();
  PumpFor(20);
  EXPECT_TRUE(otherCanGrab());
  SetCapture(normal);
  PumpFor(20);
  EXPECT_TRUE(otherCanGrab());
  SetCapture(popup);
  DestroyWindow(popup);   // the grab ends with the window
  PumpFor(20);
  EXPECT_TRUE(otherCanGrab());
  DestroyWindow(normal);
}

// A window region reaches the X server as the window's bounding shape: the server lists the same
// rectangles as the region (a seven-point arrow, as the grid's column move arrows are cut).
TEST(WinX11Child, AWindowRegionIsTheXWindowsShape) {
  if (!std::getenv("ZELK_X11_CHILD")) GTEST_SKIP() << "runs inside WinX11.KeyAndButtonEventsBecomeWindowsMessages";
  InitWindowSystem();
  RegisterProbeClass();
  HWND popup = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, u"X11Probe", u"", WS_POPUP, 200, 150, 21, 21, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(popup, nullptr);
  const POINT arrow[] = {{0, 10}, {10, 0}, {20, 10}, {14, 10}, {14, 20}, {6, 20}, {6, 10}};
  auto polygon = [&] { return CreatePolygonRgn(arrow, 7, WINDING); };
  SetWindowRgn(popup, polygon(), TRUE);   // the window owns this region now
  ShowWindow(popup, SW_SHOWNOACTIVATE);
  PumpFor(50);
  std::unique_ptr<Display, int (*)(Display*)> conn(XOpenDisplay(nullptr), XCloseDisplay);
  Display* d = conn.get();
  ASSERT_NE(d, nullptr);
  XSync(d, 0);
  ::Window xid = TopWindowAt(d, 210, 165);   // the arrow's shaft
  ASSERT_NE(xid, 0u);
  EXPECT_NE(TopWindowAt(d, 201, 151), xid);   // the corner left of the arrow's point is cut away

  HRGN expected = polygon();
  std::vector<char> buffer(GetRegionData(expected, 0, nullptr));
  ASSERT_GT(buffer.size(), sizeof(RGNDATAHEADER));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  ASSERT_NE(GetRegionData(expected, static_cast<DWORD>(buffer.size()), data), 0u);
  DeleteObject(expected);
  const RECT* want = reinterpret_cast<const RECT*>(data->Buffer);
  int count = 0, ordering = 0;
  XRectangle* got = XShapeGetRectangles(d, xid, ShapeBounding, &count, &ordering);
  ASSERT_NE(got, nullptr);
  std::vector<RECT> shape;
  for (int i = 0; i < count; ++i)
    shape.push_back(RECT{got[i].x, got[i].y, got[i].x + got[i].width, got[i].y + got[i].height});
  XFree(got);
  ASSERT_EQ(shape.size(), data->rdh.nCount);
  for (DWORD i = 0; i < data->rdh.nCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(shape[i].left, want[i].left);
    EXPECT_EQ(shape[i].top, want[i].top);
    EXPECT_EQ(shape[i].right, want[i].right);
    EXPECT_EQ(shape[i].bottom, want[i].bottom);
  }
  DestroyWindow(popup);
}

TEST(WinX11, KeyAndButtonEventsBecomeWindowsMessages) {
  if (!HaveCommands("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  const std::string env = "ZELK_X11_CHILD=1 ZELK_BACKEND=x11 " + LeakSuppressions();
  char self[4096];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  ASSERT_GT(n, 0);
  self[n] = 0;
  std::string cmd = "env " + env + OnXvfb("-screen 0 640x480x24") + "'" + self +
                    "' --gtest_filter=WinX11Child.* > /dev/null";
  EXPECT_EQ(std::system(cmd.c_str()), 0) << "the child's output: run " << cmd << " without the redirection";
}
