// The X11 back end: one X window per top-level window showing its backing store, X input turned
// into device input with Windows key codes, the CLIPBOARD selection for text, XShape for window
// regions. Xlib's headers stay in this file: their macros collide with the system's names.
#include "platform/win/Backend.h"
#include "platform/win/WinCore.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinIcon.h"

#include "platform/rtl/SysInfo.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/shape.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

using namespace wincore;

namespace {

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

struct TNative {
  ::Window Xid = 0;
  bool Mapped = false;
  bool OverrideRedirect = false;
};

class TX11Backend : public TBackend {
public:
  explicit TX11Backend(Display* d) : FDisplay(d) {
    XSetErrorHandler(IgnoreXError);
    FScreen = DefaultScreen(d);
    FRoot = RootWindow(d, FScreen);
    FVisual = DefaultVisual(d, FScreen);
    FDepth = DefaultDepth(d, FScreen);
    GdiSetScreenSize(DisplayWidth(d, FScreen), DisplayHeight(d, FScreen));
    FDirectPixels = FDepth >= 24 && FVisual->red_mask == 0xFF0000 && FVisual->green_mask == 0xFF00 &&
                    FVisual->blue_mask == 0xFF;
    Bool detectable = 0;
    XkbSetDetectableAutoRepeat(d, 1, &detectable);
    FWmDelete = XInternAtom(d, "WM_DELETE_WINDOW", 0);
    FWmProtocols = XInternAtom(d, "WM_PROTOCOLS", 0);
    FMotifHints = XInternAtom(d, "_MOTIF_WM_HINTS", 0);
    FNetWmName = XInternAtom(d, "_NET_WM_NAME", 0);
    FUtf8 = XInternAtom(d, "UTF8_STRING", 0);
    FClipboard = XInternAtom(d, "CLIPBOARD", 0);
    FTargets = XInternAtom(d, "TARGETS", 0);
    FTransfer = XInternAtom(d, "ZELK_SELECTION", 0);
    FWorkArea = XInternAtom(d, "_NET_WORKAREA", 0);
    FNetActive = XInternAtom(d, "_NET_ACTIVE_WINDOW", 0);
    FWindowType = XInternAtom(d, "_NET_WM_WINDOW_TYPE", 0);
    FTypeUtility = XInternAtom(d, "_NET_WM_WINDOW_TYPE_UTILITY", 0);
    FNetSupported = XInternAtom(d, "_NET_SUPPORTED", 0);
    FNetMoveResize = XInternAtom(d, "_NET_WM_MOVERESIZE", 0);
    // A hidden window owns the selection and receives its replies.
    XSetWindowAttributes a;
    a.event_mask = PropertyChangeMask;
    FHelper = XCreateWindow(d, FRoot, -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent, CWEventMask, &a);
    if (pipe(FWakePipe) == 0) {
      fcntl(FWakePipe[0], F_SETFL, O_NONBLOCK);
      fcntl(FWakePipe[1], F_SETFL, O_NONBLOCK);
    }
    XFlush(d);
  }

  ~TX11Backend() override {
    for (auto& [shape, c] : FCursors) XFreeCursor(FDisplay, c);
    for (auto& [icon, c] : FIconCursors) XFreeCursor(FDisplay, c);
    XDestroyWindow(FDisplay, FHelper);
    XCloseDisplay(FDisplay);
    close(FWakePipe[0]);
    close(FWakePipe[1]);
  }

  const char* Name() const override { return "x11"; }
  bool IsHeadless() const override { return false; }
  std::uint64_t NowMs() override { return GetTickCount64(); }

  void Wait(std::unique_lock<std::mutex>& lock, TThreadQueue&, std::optional<std::uint64_t> deadline) override {
    lock.unlock();
    XFlush(FDisplay);
    if (XPending(FDisplay) == 0) {
      int timeout = -1;
      if (deadline) {
        std::uint64_t now = NowMs();
        timeout = *deadline <= now ? 0 : static_cast<int>(std::min<std::uint64_t>(*deadline - now, 1 << 30));
      }
      pollfd fds[2] = {{ConnectionNumber(FDisplay), POLLIN, 0}, {FWakePipe[0], POLLIN, 0}};
      poll(fds, 2, timeout);
      char buf[64];
      while (read(FWakePipe[0], buf, sizeof buf) > 0) {
      }
    }
    lock.lock();
  }

  void Wake() override {
    char c = 1;
    [[maybe_unused]] ssize_t n = write(FWakePipe[1], &c, 1);
  }

  void Pump() override {
    bool focusLost = false;
    while (XPending(FDisplay)) {
      XEvent e;
      XNextEvent(FDisplay, &e);
      Handle(e, focusLost);
    }
    if (focusLost) {
      // Focus went elsewhere; if not to one of ours, another program is active now.
      ::Window f = 0;
      int revert;
      XGetInputFocus(FDisplay, &f, &revert);
      if (!FByXid.count(f) && GetActiveWindow()) SetActive(nullptr, WA_INACTIVE);
    }
  }

  void CreateNative(TWindow* w) override {
    auto* n = new TNative();
    w->Native = n;
    n->OverrideRedirect = IsCaptionlessPopup(w);
    XSetWindowAttributes a;
    a.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                   PointerMotionMask | StructureNotifyMask | FocusChangeMask | EnterWindowMask | LeaveWindowMask;
    a.override_redirect = n->OverrideRedirect ? 1 : 0;
    a.background_pixmap = 0;
    a.bit_gravity = NorthWestGravity;
    RECT r = w->Rect;
    n->Xid = XCreateWindow(FDisplay, FRoot, r.left, r.top, static_cast<unsigned>(std::max<LONG>(r.right - r.left, 1)),
                           static_cast<unsigned>(std::max<LONG>(r.bottom - r.top, 1)), 0, CopyFromParent, InputOutput,
                           CopyFromParent, CWEventMask | CWOverrideRedirect | CWBackPixmap | CWBitGravity, &a);
    FByXid[n->Xid] = w->Handle;
    XSetWMProtocols(FDisplay, n->Xid, &FWmDelete, 1);
    // We draw the frame ourselves: no decorations from the window manager.
    long hints[5] = {2, 0, 0, 0, 0};
    XChangeProperty(FDisplay, n->Xid, FMotifHints, FMotifHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
    if (w->ExStyle & WS_EX_TOOLWINDOW)
      XChangeProperty(FDisplay, n->Xid, FWindowType, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(&FTypeUtility), 1);
    XSizeHints size;
    std::memset(&size, 0, sizeof size);
    size.flags = PPosition | USPosition;
    size.x = r.left;
    size.y = r.top;
    XSetWMNormalHints(FDisplay, n->Xid, &size);
    XClassHint cls;
    cls.res_name = const_cast<char*>("zelk");
    cls.res_class = const_cast<char*>("Zelk");
    XSetClassHint(FDisplay, n->Xid, &cls);
    if (!FGc) FGc = XCreateGC(FDisplay, n->Xid, 0, nullptr);
    SetTitle(w);
    if (w->Region) SetShape(w);
  }

  void DestroyNative(TWindow* w) override {
    auto* n = static_cast<TNative*>(w->Native);
    if (!n) return;
    FByXid.erase(n->Xid);
    XDestroyWindow(FDisplay, n->Xid);
    XFlush(FDisplay);
    delete n;
    w->Native = nullptr;
  }

  void ShowNative(TWindow* w, bool show, bool activate) override {
    auto* n = static_cast<TNative*>(w->Native);
    if (!n) return;
    if (show) {
      MoveNative(w);
      XMapRaised(FDisplay, n->Xid);
      n->Mapped = true;
      // Wait until the server shows it, so that what follows (focus, pictures) finds it viewable.
      XEvent e;
      auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
      while (std::chrono::steady_clock::now() < until) {
        if (XCheckTypedWindowEvent(FDisplay, n->Xid, MapNotify, &e)) break;
        XFlush(FDisplay);
        pollfd fd{ConnectionNumber(FDisplay), POLLIN, 0};
        poll(&fd, 1, 20);
      }
      RECT all{0, 0, w->Surface->Width(), w->Surface->Height()};
      Present(w, all);
      if (activate && !n->OverrideRedirect) Activate(w);
    } else {
      XUnmapWindow(FDisplay, n->Xid);
      n->Mapped = false;
    }
    XFlush(FDisplay);
  }

  void MoveNative(TWindow* w) override {
    auto* n = static_cast<TNative*>(w->Native);
    if (!n) return;
    RECT r = w->Rect;
    XMoveResizeWindow(FDisplay, n->Xid, r.left, r.top, static_cast<unsigned>(std::max<LONG>(r.right - r.left, 1)),
                      static_cast<unsigned>(std::max<LONG>(r.bottom - r.top, 1)));
  }

  void RestackNative() override {
    std::vector<::Window> order;
    for (TWindow* t : Desktop()->Children)
      if (auto* n = static_cast<TNative*>(t->Native)) order.push_back(n->Xid);
    if (!order.empty()) XRestackWindows(FDisplay, order.data(), static_cast<int>(order.size()));
  }

  void SetTitle(TWindow* w) override {
    auto* n = static_cast<TNative*>(w->Native);
    if (!n) return;
    std::string utf8 = UTF8Encode(w->Text);
    XChangeProperty(FDisplay, n->Xid, FNetWmName, FUtf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
    XStoreName(FDisplay, n->Xid, utf8.c_str());
  }

  bool BeginWindowManagerDrag(TWindow* w, UINT edge, POINT screen) override {
    auto* n = static_cast<TNative*>(w->Native);
    if (!n || n->OverrideRedirect || !n->Mapped || !WindowManagerSupports(FNetMoveResize)) return false;
    // _NET_WM_MOVERESIZE directions, indexed by WMSZ_* (0: move).
    static constexpr long Direction[] = {8, 7, 3, 1, 0, 2, 5, 6, 4};
    XUngrabPointer(FDisplay, CurrentTime);   // the window manager grabs the pointer itself
    XEvent e;
    std::memset(&e, 0, sizeof e);
    e.xclient.type = ClientMessage;
    e.xclient.window = n->Xid;
    e.xclient.message_type = FNetMoveResize;
    e.xclient.format = 32;
    e.xclient.data.l[0] = screen.x;
    e.xclient.data.l[1] = screen.y;
    e.xclient.data.l[2] = Direction[edge <= WMSZ_BOTTOMRIGHT ? edge : 0];
    e.xclient.data.l[3] = Button1;
    e.xclient.data.l[4] = 1;   // asked for by a normal application
    XSendEvent(FDisplay, FRoot, 0, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(FDisplay);
    // The release goes to the window manager, not to us.
    RecordAsyncKey(VK_LBUTTON, false);
    return true;
  }

  void SetShape(TWindow* w) override {
    auto* n = static_cast<TNative*>(w->Native);
    if (!n) return;
    int ev, err;
    if (!XShapeQueryExtension(FDisplay, &ev, &err)) return;
    gdi::TRegionObj* rgn = w->Region ? gdi::RegionOf(w->Region) : nullptr;
    if (!rgn) {
      XShapeCombineMask(FDisplay, n->Xid, ShapeBounding, 0, 0, 0, ShapeSet);
      return;
    }
    std::vector<XRectangle> rects;
    for (const RECT& r : rgn->Set.Rects())
      rects.push_back(XRectangle{static_cast<short>(r.left), static_cast<short>(r.top),
                                 static_cast<unsigned short>(r.right - r.left), static_cast<unsigned short>(r.bottom - r.top)});
    XShapeCombineRectangles(FDisplay, n->Xid, ShapeBounding, 0, 0, rects.data(), static_cast<int>(rects.size()),
                            ShapeSet, Unsorted);
  }

  // Without a compositor a layered window shows its pixels opaque, faded as a whole by its constant
  // alpha through _NET_WM_WINDOW_OPACITY and cut to its window region by the shape extension.
  void SetLayered(TWindow* w) override {
    auto* n = static_cast<TNative*>(w->Native);
    if (!n) return;
    Atom opacity = XInternAtom(FDisplay, "_NET_WM_WINDOW_OPACITY", 0);
    bool faded = (w->ExStyle & WS_EX_LAYERED) && w->LayeredAlpha != 255 &&
                 (w->LayeredFlags & (w->LayeredPicture ? ULW_ALPHA : LWA_ALPHA));
    if (faded) {
      unsigned long value = static_cast<unsigned long>(w->LayeredAlpha) * 0x01010101ul;
      XChangeProperty(FDisplay, n->Xid, opacity, XA_CARDINAL, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(&value), 1);
    } else {
      XDeleteProperty(FDisplay, n->Xid, opacity);
    }
    XFlush(FDisplay);
  }

  void Present(TWindow* w, const RECT& area) override {
    auto* n = static_cast<TNative*>(w->Native);
    if (!n || !n->Mapped || !w->ShownSurface()) return;
    const TSurface& s = *w->ShownSurface();
    RECT r = Intersect(area, RECT{0, 0, s.Width(), s.Height()});
    if (Empty(r)) return;
    const std::uint32_t* pixels = s.Pixels();
    std::vector<std::uint32_t> converted;
    int stride = s.Stride();
    if (!FDirectPixels) {
      converted.resize(static_cast<std::size_t>(s.Width()) * static_cast<std::size_t>(s.Height()));
      for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
          converted[static_cast<std::size_t>(y * s.Width() + x)] = ToVisual(s.Row(y)[x]);
      pixels = converted.data();
      stride = s.Width() * 4;
    }
    XImage* img = XCreateImage(FDisplay, FVisual, static_cast<unsigned>(FDepth), ZPixmap, 0,
                               reinterpret_cast<char*>(const_cast<std::uint32_t*>(pixels)),
                               static_cast<unsigned>(s.Width()), static_cast<unsigned>(s.Height()), 32, stride);
    if (!img) return;
    XPutImage(FDisplay, n->Xid, FGc, img, r.left, r.top, r.left, r.top, static_cast<unsigned>(r.right - r.left),
              static_cast<unsigned>(r.bottom - r.top));
    img->data = nullptr;
    XDestroyImage(img);
    XFlush(FDisplay);
  }

  void Activate(TWindow* w) override {
    auto* n = static_cast<TNative*>(w->Native);
    if (!n || !n->Mapped || n->OverrideRedirect) return;
    XRaiseWindow(FDisplay, n->Xid);
    XSetInputFocus(FDisplay, n->Xid, RevertToParent, CurrentTime);
    XFlush(FDisplay);
  }

  void SetCursorShape(HCURSOR c) override {
    auto id = reinterpret_cast<std::uintptr_t>(c);
    if (id > 0xFFFF) {
      ::Cursor cursor = IconCursor(c);
      if (cursor && FPointerWindow) XDefineCursor(FDisplay, FPointerWindow, cursor);
      if (cursor) return;
    }
    unsigned shape = XC_left_ptr;
    switch (id) {
      case 32513: shape = XC_xterm; break;
      case 32514: case 32650: shape = XC_watch; break;
      case 32515: shape = XC_crosshair; break;
      case 32516: shape = XC_sb_up_arrow; break;
      case 32642: shape = XC_bottom_right_corner; break;
      case 32643: shape = XC_bottom_left_corner; break;
      case 32644: shape = XC_sb_h_double_arrow; break;
      case 32645: shape = XC_sb_v_double_arrow; break;
      case 32646: shape = XC_fleur; break;
      case 32648: shape = XC_X_cursor; break;
      case 32649: shape = XC_hand2; break;
      case 32651: shape = XC_question_arrow; break;
      default: break;
    }
    auto it = FCursors.find(shape);
    if (it == FCursors.end()) it = FCursors.emplace(shape, XCreateFontCursor(FDisplay, shape)).first;
    if (FPointerWindow) XDefineCursor(FDisplay, FPointerWindow, it->second);
  }

  // A program's cursor (an icon handle) in the two colours of the core protocol: black where the
  // picture is dark, white where it is light, nothing where it is transparent; made once.
  ::Cursor IconCursor(HCURSOR c) {
    auto it = FIconCursors.find(c);
    if (it != FIconCursors.end()) return it->second;
    ICONINFO info;
    if (!GetIconInfo(c, &info)) return 0;
    int w = 0, h = 0;
    std::vector<std::uint32_t> px;
    bool ok = ReadBitmapPixels(info.hbmColor, w, h, px);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    if (!ok) return 0;
    int stride = (w + 7) / 8;
    std::vector<char> dark(static_cast<std::size_t>(stride) * h, 0), shown(dark.size(), 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        std::uint32_t p = px[static_cast<std::size_t>(y) * w + x];
        std::uint32_t a = p >> 24;
        if (a < 128) continue;
        // Premultiplied channels: compare the luminance with half the alpha.
        std::uint32_t lum = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
        auto bit = static_cast<char>(1 << (x % 8));   // XBM rows: least significant bit first
        shown[static_cast<std::size_t>(y) * stride + x / 8] |= bit;
        if (lum * 2 < a) dark[static_cast<std::size_t>(y) * stride + x / 8] |= bit;
      }
    Pixmap source = XCreateBitmapFromData(FDisplay, FRoot, dark.data(), static_cast<unsigned>(w), static_cast<unsigned>(h));
    Pixmap mask = XCreateBitmapFromData(FDisplay, FRoot, shown.data(), static_cast<unsigned>(w), static_cast<unsigned>(h));
    XColor black{}, white{};
    white.red = white.green = white.blue = 0xFFFF;
    ::Cursor cursor = XCreatePixmapCursor(FDisplay, source, mask, &black, &white,
                                          std::min<unsigned>(info.xHotspot, static_cast<unsigned>(w - 1)),
                                          std::min<unsigned>(info.yHotspot, static_cast<unsigned>(h - 1)));
    XFreePixmap(FDisplay, source);
    XFreePixmap(FDisplay, mask);
    FIconCursors.emplace(c, cursor);
    return cursor;
  }

  void PointerCaptured(TWindow* w) override {
    auto* n = w ? static_cast<TNative*>(w->Native) : nullptr;
    if (n && n->Mapped && n->OverrideRedirect) {
      FCaptureGrab = Grab(n->Xid);
    } else if (FCaptureGrab) {
      FCaptureGrab = false;
      // Back to the active popup's hold, or none.
      if (!(FPopupGrab && Grab(FPopupGrab))) Ungrab();
    }
    XFlush(FDisplay);
  }

  void ActiveChanged(TWindow* w) override {
    auto* n = w ? static_cast<TNative*>(w->Native) : nullptr;
    if (n && n->Mapped && n->OverrideRedirect) {
      FPopupGrab = Grab(n->Xid) ? n->Xid : 0;
    } else if (FPopupGrab) {
      FPopupGrab = 0;
      if (!FCaptureGrab) Ungrab();
    }
    XFlush(FDisplay);
  }

  // Holds the pointer for one of our windows with owner events: presses on our other windows still
  // reach them, presses elsewhere come to this one.
  bool Grab(::Window xid) {
    constexpr unsigned masks = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
    return XGrabPointer(FDisplay, xid, 1, masks, GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime) == GrabSuccess;
  }
  void Ungrab() { XUngrabPointer(FDisplay, CurrentTime); }

  void WarpPointer(POINT p) override {
    XWarpPointer(FDisplay, 0, FRoot, 0, 0, 0, 0, p.x, p.y);
    XFlush(FDisplay);
  }

  void Beep(UINT) override {
    XBell(FDisplay, 0);
    XFlush(FDisplay);
  }

  SIZE ScreenSize() override { return SIZE{DisplayWidth(FDisplay, FScreen), DisplayHeight(FDisplay, FScreen)}; }

  RECT WorkArea() override {
    SIZE s = ScreenSize();
    RECT r{0, 0, s.cx, s.cy};
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(FDisplay, FRoot, FWorkArea, 0, 4, 0, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data && count >= 4 && format == 32) {
      long* v = reinterpret_cast<long*>(data);
      r = RECT{static_cast<LONG>(v[0]), static_cast<LONG>(v[1]), static_cast<LONG>(v[0] + v[2]), static_cast<LONG>(v[1] + v[3])};
    }
    if (data) XFree(data);
    return r;
  }

  void ClipboardOwned(bool owned) override {
    if (owned) {
      XSetSelectionOwner(FDisplay, FClipboard, FHelper, CurrentTime);
    } else if (XGetSelectionOwner(FDisplay, FClipboard) == FHelper) {
      XSetSelectionOwner(FDisplay, FClipboard, 0, CurrentTime);
    }
    XFlush(FDisplay);
  }

  bool ForeignClipboard() override {
    ::Window owner = XGetSelectionOwner(FDisplay, FClipboard);
    return owner != 0 && owner != FHelper;
  }

  std::optional<String> ForeignClipboardText() override {
    if (!ForeignClipboard()) return std::nullopt;
    for (Atom target : {FUtf8, static_cast<Atom>(XA_STRING)}) {
      XDeleteProperty(FDisplay, FHelper, FTransfer);
      XConvertSelection(FDisplay, FClipboard, target, FTransfer, FHelper, CurrentTime);
      XFlush(FDisplay);
      XEvent e;
      bool answered = false;
      auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
      while (std::chrono::steady_clock::now() < until) {
        if (XCheckTypedWindowEvent(FDisplay, FHelper, SelectionNotify, &e)) {
          answered = true;
          break;
        }
        pollfd fd{ConnectionNumber(FDisplay), POLLIN, 0};
        poll(&fd, 1, 20);
      }
      if (!answered || e.xselection.property == 0) continue;
      Atom type;
      int format;
      unsigned long count, after;
      unsigned char* data = nullptr;
      std::optional<String> text;
      if (XGetWindowProperty(FDisplay, FHelper, FTransfer, 0, 1 << 24, 1, AnyPropertyType, &type, &format, &count,
                             &after, &data) == Success &&
          data && format == 8) {
        std::string bytes(reinterpret_cast<char*>(data), count);
        if (target == FUtf8) {
          text = UTF8ToString(bytes);
        } else {
          String s;
          for (unsigned char c : bytes) s += static_cast<Char>(c);
          text = s;
        }
      }
      if (data) XFree(data);
      if (text) return text;
    }
    return std::nullopt;
  }

  bool Screenshot(TSurface& out) override {
    XSync(FDisplay, 0);
    SIZE s = ScreenSize();
    XImage* img = XGetImage(FDisplay, FRoot, 0, 0, static_cast<unsigned>(s.cx), static_cast<unsigned>(s.cy), AllPlanes, ZPixmap);
    if (!img) return false;
    out.Resize(s.cx, s.cy, false);
    for (int y = 0; y < s.cy; ++y) {
      std::uint32_t* row = out.Row(y);
      for (int x = 0; x < s.cx; ++x) {
        unsigned long p = XGetPixel(img, x, y);
        row[x] = 0xFF000000u | (Channel(p, img->red_mask) << 16) | (Channel(p, img->green_mask) << 8) |
                 Channel(p, img->blue_mask);
      }
    }
    out.MarkDirty();
    XDestroyImage(img);
    return true;
  }

private:
  static std::uint32_t Channel(unsigned long pixel, unsigned long mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    unsigned long max = mask >> shift;
    return static_cast<std::uint32_t>(((pixel & mask) >> shift) * 255 / max);
  }

  std::uint32_t ToVisual(std::uint32_t argb) const {
    auto place = [](std::uint32_t v, unsigned long mask) -> std::uint32_t {
      if (!mask) return 0;
      int shift = 0;
      while (!((mask >> shift) & 1)) ++shift;
      unsigned long max = mask >> shift;
      return static_cast<std::uint32_t>((v * max / 255) << shift);
    };
    return place((argb >> 16) & 0xFF, FVisual->red_mask) | place((argb >> 8) & 0xFF, FVisual->green_mask) |
           place(argb & 0xFF, FVisual->blue_mask);
  }

  // Whether a running window manager lists `what` in the root window's _NET_SUPPORTED.
  bool WindowManagerSupports(Atom what) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(FDisplay, FRoot, FNetSupported, 0, 4096, 0, XA_ATOM, &type, &format, &count, &after, &data) !=
            Success ||
        !data)
      return false;
    std::unique_ptr<unsigned char, int (*)(void*)> owned(data, XFree);
    if (type != XA_ATOM || format != 32) return false;
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    return std::find(atoms, atoms + count, what) != atoms + count;
  }

  TWindow* Find(::Window xid) {
    auto it = FByXid.find(xid);
    return it == FByXid.end() ? nullptr : FromHandle(it->second);
  }

  void Key(XKeyEvent& k, bool down) {
    char buf[32];
    KeySym sym = 0;
    int n = XLookupString(&k, buf, sizeof buf, &sym, nullptr);
    KeySym base = XLookupKeysym(&k, 0);
    // The keypad's keys are named by what NumLock makes of them; other keys by their plain keysym.
    bool keypad = sym >= 0xff80 && sym <= 0xffbf;
    TKeyInfo info = KeyFromKeysym(static_cast<std::uint32_t>(keypad ? sym : base), static_cast<int>(k.keycode) - 8);
    if (!info.Vk) info = KeyFromKeysym(static_cast<std::uint32_t>(sym), static_cast<int>(k.keycode) - 8);
    if (!info.Vk) return;
    TRawInput in;
    in.Kind = TRawInput::riKey;
    in.Vk = info.Vk;
    in.Scan = info.Scan;
    in.Extended = info.Extended;
    in.Down = down;
    in.Repeat = down && (GetAsyncKeyState(static_cast<int>(info.Vk)) & 0x8000);
    if (!info.Types) {
      // X types DEL for Delete and the like; Windows types nothing for these keys.
    } else if (n > 0) {
      for (int i = 0; i < n; ++i) in.Text += static_cast<Char>(static_cast<unsigned char>(buf[i]));
    } else if (down && sym > 0xff) {
      TKeyInfo typed = KeyFromKeysym(static_cast<std::uint32_t>(sym), -1);
      if (typed.Vk == VK_PACKET) in.Text = typed.Text;
    }
    in.HasText = true;
    RecordAsyncKey(info.Vk, down);
    PushInput(in);
  }

  void Handle(XEvent& e, bool& focusLost) {
    switch (e.type) {
      case Expose: {
        TWindow* w = Find(e.xexpose.window);
        if (w) Present(w, RECT{e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width, e.xexpose.y + e.xexpose.height});
        break;
      }
      case KeyPress: Key(e.xkey, true); break;
      case KeyRelease: Key(e.xkey, false); break;
      case ButtonPress:
      case ButtonRelease: {
        bool down = e.type == ButtonPress;
        int b = static_cast<int>(e.xbutton.button);
        TRawInput in;
        in.Pt = POINT{e.xbutton.x_root, e.xbutton.y_root};
        SetCursorPosInternal(in.Pt);
        if (b >= 4 && b <= 7) {
          if (!down) break;
          in.Kind = TRawInput::riWheel;
          in.Horizontal = b >= 6;
          in.Delta = (b == 4 || b == 7) ? WHEEL_DELTA : -WHEEL_DELTA;
        } else {
          in.Kind = TRawInput::riMouseButton;
          in.Button = b;
          in.Down = down;
          RecordAsyncKey(ButtonVk(b), down);
        }
        PushInput(in);
        break;
      }
      case MotionNotify: {
        FPointerWindow = e.xmotion.window;
        TRawInput in;
        in.Kind = TRawInput::riMouseMove;
        in.Pt = POINT{e.xmotion.x_root, e.xmotion.y_root};
        SetCursorPosInternal(in.Pt);
        PushInput(in);
        break;
      }
      case EnterNotify:
        FPointerWindow = e.xcrossing.window;
        break;
      case LeaveNotify: {
        // Leaving all our windows: a move to where the pointer is ends tracking and hover.
        TRawInput in;
        in.Kind = TRawInput::riMouseMove;
        in.Pt = POINT{e.xcrossing.x_root, e.xcrossing.y_root};
        SetCursorPosInternal(in.Pt);
        PushInput(in);
        break;
      }
      case ConfigureNotify: {
        TWindow* w = Find(e.xconfigure.window);
        // Only a window manager moves windows behind our back, and none manages an
        // override-redirect popup: its events only echo our own moves, some of them stale.
        if (!w || static_cast<TNative*>(w->Native)->OverrideRedirect) break;
        int x = e.xconfigure.x, y = e.xconfigure.y;
        if (!e.xconfigure.send_event) {
          ::Window child;
          XTranslateCoordinates(FDisplay, e.xconfigure.window, FRoot, 0, 0, &x, &y, &child);
        }
        int cx = e.xconfigure.width, cy = e.xconfigure.height;
        RECT r = w->Rect;
        if (x != r.left || y != r.top || cx != r.right - r.left || cy != r.bottom - r.top)
          SetWindowPos(w->Handle, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);   // moved by the window manager
        break;
      }
      case FocusIn: {
        if (e.xfocus.detail == NotifyPointer || e.xfocus.detail == NotifyInferior) break;
        TWindow* w = Find(e.xfocus.window);
        if (w && GetActiveWindow() != w->Handle && IsWindowVisible(w->Handle)) SetActive(w, WA_ACTIVE);
        focusLost = false;
        break;
      }
      case FocusOut:
        if (e.xfocus.detail != NotifyPointer && e.xfocus.detail != NotifyInferior && e.xfocus.mode == NotifyNormal)
          focusLost = true;
        break;
      case ClientMessage:
        if (e.xclient.message_type == FWmProtocols && static_cast<Atom>(e.xclient.data.l[0]) == FWmDelete) {
          if (TWindow* w = Find(e.xclient.window)) SendMessage(w->Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        break;
      case SelectionRequest: ServeSelection(e.xselectionrequest); break;
      case SelectionClear:
        if (e.xselectionclear.selection == FClipboard) OnClipboardForeignChange();
        break;
      default: break;
    }
  }

  void ServeSelection(XSelectionRequestEvent& r) {
    XEvent reply;
    std::memset(&reply, 0, sizeof reply);
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = r.display;
    reply.xselection.requestor = r.requestor;
    reply.xselection.selection = r.selection;
    reply.xselection.target = r.target;
    reply.xselection.time = r.time;
    reply.xselection.property = 0;
    Atom property = r.property ? r.property : r.target;
    std::optional<String> text = ClipboardText();
    if (r.selection == FClipboard && text) {
      if (r.target == FTargets) {
        Atom targets[] = {FTargets, FUtf8, XA_STRING};
        XChangeProperty(FDisplay, r.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(targets), 3);
        reply.xselection.property = property;
      } else if (r.target == FUtf8) {
        std::string utf8 = UTF8Encode(*text);
        XChangeProperty(FDisplay, r.requestor, property, FUtf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
        reply.xselection.property = property;
      } else if (r.target == XA_STRING) {
        std::string latin1;
        for (Char c : *text) latin1 += c < 0x100 ? static_cast<char>(c) : '?';
        XChangeProperty(FDisplay, r.requestor, property, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(latin1.data()), static_cast<int>(latin1.size()));
        reply.xselection.property = property;
      }
    }
    XSendEvent(FDisplay, r.requestor, 0, 0, &reply);
    XFlush(FDisplay);
  }

  Display* FDisplay;
  int FScreen = 0;
  ::Window FRoot = 0;
  ::Window FHelper = 0;
  ::Window FPointerWindow = 0;
  Visual* FVisual = nullptr;
  int FDepth = 24;
  bool FDirectPixels = true;
  GC FGc = nullptr;
  int FWakePipe[2] = {-1, -1};
  std::map<::Window, HWND> FByXid;
  bool FCaptureGrab = false;   // a captured popup holds the pointer (PointerCaptured)
  ::Window FPopupGrab = 0;     // the active popup holds it (ActiveChanged)
  std::map<unsigned, ::Cursor> FCursors;
  std::map<HCURSOR, ::Cursor> FIconCursors;
  Atom FWmDelete = 0, FWmProtocols = 0, FMotifHints = 0, FNetWmName = 0, FUtf8 = 0, FClipboard = 0, FTargets = 0,
       FTransfer = 0, FWorkArea = 0, FNetActive = 0, FWindowType = 0, FTypeUtility = 0, FNetSupported = 0,
       FNetMoveResize = 0;
};

}  // namespace

namespace wincore {

std::unique_ptr<TBackend> CreateX11Backend() {
  XInitThreads();
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    const char* name = std::getenv("DISPLAY");
    ThrowWindowSystemError(std::string("cannot open display \"") + (name ? name : "") + "\"");
  }
  return std::make_unique<TX11Backend>(d);
}

}  // namespace wincore
