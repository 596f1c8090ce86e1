// Focus, activation, capture, the key state tables, mouse tracking and cursors, and the turning
// of device input into keyboard and mouse messages.
#include "platform/win/Backend.h"
#include "platform/win/WinCore.h"
#include "platform/win/WinIcon.h"

#include "platform/rtl/Streams.h"
#include "platform/rtl/Threads.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <span>

using namespace wincore;

namespace {

// Tells the back end which top-level window holds the mouse now.
void CapturePointer(HWND h) {
  if (BackendStarted()) Backend().PointerCaptured(h ? FromHandle(GetAncestor(h, GA_ROOT)) : nullptr);
}

struct TInputState {
  HWND Focus = nullptr;
  HWND Active = nullptr;
  HWND Capture = nullptr;
  BYTE Sync[256] = {};    // as of the messages retrieved
  BYTE Async[256] = {};   // the device now
  POINT Cursor{};
  HCURSOR CurrentCursor = nullptr;
  UINT DoubleClickTime = 500;
  // The last button press, for double clicks.
  HWND ClickWnd = nullptr;
  int ClickButton = 0;
  DWORD ClickTime = 0;
  POINT ClickPt{};
  bool ClickWasDouble = false;
  // Mouse tracking
  HWND Tracked = nullptr;       // TME_LEAVE
  HWND HoverWnd = nullptr;      // TME_HOVER
  std::uint64_t HoverStart = 0;
  DWORD HoverTime = 400;
  POINT HoverPt{};
};

TInputState& S() {
  static TInputState s;
  return s;
}

bool Down(BYTE s) { return (s & 0x80) != 0; }

void SetKey(BYTE* table, UINT vk, bool down) {
  if (down) {
    if (!Down(table[vk])) table[vk] ^= 0x01;   // the toggle flips on each press
    table[vk] |= 0x80;
  } else {
    table[vk] &= static_cast<BYTE>(~0x80);
  }
}

// The left/right key behind a generic one.
UINT SideKey(UINT vk, UINT scan, bool extended) {
  switch (vk) {
    case VK_SHIFT: return scan == 0x36 ? VK_RSHIFT : VK_LSHIFT;
    case VK_CONTROL: return extended ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU: return extended ? VK_RMENU : VK_LMENU;
    default: return 0;
  }
}

UINT GenericKey(UINT vk) {
  switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return vk;
  }
}

void UpdateKeyTable(BYTE* table, UINT vk, UINT scan, bool extended, bool down) {
  SetKey(table, vk, down);
  if (UINT side = SideKey(vk, scan, extended)) {
    SetKey(table, side, down);
    // The generic key is down while either side is.
    UINT l = side == VK_RSHIFT || side == VK_LSHIFT ? VK_LSHIFT : side == VK_RCONTROL || side == VK_LCONTROL ? VK_LCONTROL : VK_LMENU;
    if (Down(table[l]) || Down(table[l + 1])) table[vk] |= 0x80;
  }
}

WPARAM MouseKeys(const BYTE* t) {
  WPARAM mk = 0;
  if (Down(t[VK_LBUTTON])) mk |= MK_LBUTTON;
  if (Down(t[VK_RBUTTON])) mk |= MK_RBUTTON;
  if (Down(t[VK_MBUTTON])) mk |= MK_MBUTTON;
  if (Down(t[VK_XBUTTON1])) mk |= MK_XBUTTON1;
  if (Down(t[VK_XBUTTON2])) mk |= MK_XBUTTON2;
  if (Down(t[VK_SHIFT])) mk |= MK_SHIFT;
  if (Down(t[VK_CONTROL])) mk |= MK_CONTROL;
  return mk;
}

// WM_xBUTTONDOWN for a button; UP is +1, DBLCLK +2; the non-client ones are at WM_NC... likewise.
UINT ButtonMessage(int button, bool client) {
  switch (button) {
    case 1: return client ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN;
    case 2: return client ? WM_MBUTTONDOWN : WM_NCMBUTTONDOWN;
    case 3: return client ? WM_RBUTTONDOWN : WM_NCRBUTTONDOWN;
    default: return client ? WM_XBUTTONDOWN : WM_NCXBUTTONDOWN;
  }
}

LPARAM PointParam(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

MSG Make(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, const TRawInput& in) {
  MSG m;
  m.hwnd = h;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = in.Time;
  m.pt = in.Kind == TRawInput::riKey ? S().Cursor : in.Pt;
  return m;
}

// The window that gets mouse input at the cursor, and the hit-test code.
TWindow* MouseTarget(POINT pt, LRESULT* hit) {
  if (TWindow* c = FromHandle(S().Capture)) {
    *hit = HTCLIENT;
    return c;
  }
  return WindowAt(pt, true, hit);
}

void UpdateLeaveTracking(TWindow* target, LRESULT hit) {
  TInputState& s = S();
  if (!s.Tracked) return;
  if (target && target->Handle == s.Tracked && hit == HTCLIENT) return;
  HWND gone = s.Tracked;
  s.Tracked = nullptr;
  if (TWindow* w = FromHandle(gone)) w->TrackLeave = false;
  PostMessage(gone, WM_MOUSELEAVE, 0, 0);
}

void KeyMessage(TThreadQueue& q, const TRawInput& in, std::vector<MSG>& out) {
  TInputState& s = S();
  UINT vk = GenericKey(in.Vk);
  bool altBefore = Down(s.Sync[VK_MENU]);
  bool wasDown = Down(s.Sync[vk]);
  UpdateKeyTable(s.Sync, vk, in.Scan, in.Extended, in.Down);
  if (vk != in.Vk) UpdateKeyTable(s.Sync, in.Vk, in.Scan, in.Extended, in.Down);
  bool alt = Down(s.Sync[VK_MENU]);
  bool ctrl = Down(s.Sync[VK_CONTROL]);
  TWindow* target = FromHandle(s.Focus);
  bool sys;
  if (in.Down)
    sys = (alt && !ctrl) || vk == VK_F10;
  else
    sys = (altBefore && !ctrl) || vk == VK_F10;
  bool context = sys && alt;
  if (!target) {
    target = FromHandle(s.Active);
    sys = true;
    context = alt;
  }
  if (!target) return;
  LPARAM lp = 1 | (static_cast<LPARAM>(in.Scan & 0xFF) << 16);
  if (in.Extended) lp |= LPARAM{1} << 24;
  if (context) lp |= LPARAM{1} << 29;
  if (wasDown || !in.Down) lp |= LPARAM{1} << 30;
  if (!in.Down) lp |= LPARAM{1} << 31;
  lp = static_cast<LPARAM>(static_cast<std::uint32_t>(lp));
  UINT msg = sys ? (in.Down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (in.Down ? WM_KEYDOWN : WM_KEYUP);
  out.push_back(Make(target->Handle, msg, vk, lp, in));
  if (in.Down) {
    q.LastKey.Valid = true;
    q.LastKey.Hwnd = target->Handle;
    q.LastKey.Message = msg;
    q.LastKey.WParam = vk;
    q.LastKey.LParam = lp;
    q.LastKey.Text = in.HasText ? in.Text : CharsForKey(vk, s.Sync);
  }
}

void MouseMoveMessage(const TRawInput& in, std::vector<MSG>& out) {
  TInputState& s = S();
  LRESULT hit = HTNOWHERE;
  TWindow* target = MouseTarget(in.Pt, &hit);
  UpdateLeaveTracking(target, hit);
  if (s.HoverWnd && (std::abs(in.Pt.x - s.HoverPt.x) > 2 || std::abs(in.Pt.y - s.HoverPt.y) > 2)) {
    s.HoverPt = in.Pt;
    s.HoverStart = ClockMs();
  }
  if (!target || hit == HTERROR) return;
  HWND h = target->Handle;
  if (!s.Capture) {
    SendTo(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(WM_MOUSEMOVE)));
    if (!(target = FromHandle(h))) return;
  }
  if (hit == HTCLIENT) {
    POINT o = ClientOriginOnScreen(target);
    out.push_back(Make(h, WM_MOUSEMOVE, MouseKeys(s.Sync), PointParam(POINT{in.Pt.x - o.x, in.Pt.y - o.y}), in));
  } else {
    out.push_back(Make(h, WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), PointParam(in.Pt), in));
  }
}

void ButtonMessages(const TRawInput& in, std::vector<MSG>& out) {
  TInputState& s = S();
  UINT vk = ButtonVk(in.Button);
  if (!vk) return;
  SetKey(s.Sync, vk, in.Down);
  LRESULT hit = HTNOWHERE;
  TWindow* target = MouseTarget(in.Pt, &hit);
  if (!target) {
    // A press outside every window of ours takes the activation from a popup, as a click on
    // another program would: the popup learns it lost the activation to no window of ours.
    TWindow* active = FromHandle(s.Active);
    if (in.Down && active && IsCaptionlessPopup(active)) SetActive(nullptr, WA_INACTIVE);
    return;
  }
  HWND h = target->Handle;
  bool client = hit == HTCLIENT;
  UINT downMsg = ButtonMessage(in.Button, client);
  if (hit == HTERROR) {
    if (in.Down) {
      SendTo(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(static_cast<WORD>(HTERROR), static_cast<WORD>(downMsg)));
      MessageBeep(MB_OK);
    }
    return;
  }
  if (in.Down && !s.Capture) {
    TWindow* top = TopLevelOf(target);
    bool eat = false;
    if (top && top->Handle != s.Active) {
      LRESULT r = SendTo(h, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->Handle),
                         MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(downMsg)));
      eat = r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
      if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) && (top = TopLevelOf(FromHandle(h))) &&
          !(top->ExStyle & WS_EX_NOACTIVATE))
        SetActive(top, WA_CLICKACTIVE);
    }
    if (!(target = FromHandle(h))) return;
    SendTo(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(downMsg)));
    if (eat || !(target = FromHandle(h))) return;
  }
  UINT msg = downMsg + (in.Down ? 0 : 1);
  if (in.Down) {
    // A second press of the same button on the same window, soon enough and near enough.
    bool dbl = (target->Class->Style & CS_DBLCLKS) && s.ClickWnd == h && s.ClickButton == in.Button &&
               !s.ClickWasDouble && in.Time - s.ClickTime <= s.DoubleClickTime &&
               std::abs(in.Pt.x - s.ClickPt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
               std::abs(in.Pt.y - s.ClickPt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (dbl) msg = downMsg + 2;
    s.ClickWnd = h;
    s.ClickButton = in.Button;
    s.ClickTime = in.Time;
    s.ClickPt = in.Pt;
    s.ClickWasDouble = dbl;
  }
  WPARAM wParam;
  LPARAM lParam;
  if (client) {
    POINT o = ClientOriginOnScreen(target);
    wParam = MouseKeys(s.Sync);
    lParam = PointParam(POINT{in.Pt.x - o.x, in.Pt.y - o.y});
  } else {
    wParam = static_cast<WPARAM>(hit);
    lParam = PointParam(in.Pt);
  }
  if (in.Button >= 8) {
    WORD which = in.Button == 8 ? XBUTTON1 : XBUTTON2;
    wParam = client ? MAKEWPARAM(static_cast<WORD>(wParam), which) : MAKEWPARAM(static_cast<WORD>(hit), which);
  }
  out.push_back(Make(h, msg, wParam, lParam, in));
}

void WheelMessage(const TRawInput& in, std::vector<MSG>& out) {
  TInputState& s = S();
  TWindow* target = FromHandle(s.Capture);
  if (!target) {
    LRESULT hit;
    target = WindowAt(in.Pt, false, &hit);
    if (target && (target->Style & WS_DISABLED)) target = nullptr;
  }
  if (!target) target = FromHandle(s.Focus);
  if (!target) return;
  WPARAM wParam = MAKEWPARAM(static_cast<WORD>(MouseKeys(s.Sync)), static_cast<WORD>(static_cast<SHORT>(in.Delta)));
  out.push_back(Make(target->Handle, in.Horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL, wParam, PointParam(in.Pt), in));
}

}  // namespace

namespace wincore {

UINT ButtonVk(int button) {
  switch (button) {
    case 1: return VK_LBUTTON;
    case 2: return VK_MBUTTON;
    case 3: return VK_RBUTTON;
    case 8: return VK_XBUTTON1;
    case 9: return VK_XBUTTON2;
    default: return 0;
  }
}

void PushInput(TRawInput in) {
  in.Time = static_cast<DWORD>(ClockMs());
  std::lock_guard<std::mutex> lock(Lock());
  TThreadQueue* q = QueueOf(BackendThread());
  if (!q) return;
  if (in.Kind == TRawInput::riMouseMove && !q->Input.empty() && q->Input.back().Kind == TRawInput::riMouseMove)
    q->Input.back() = in;
  else
    q->Input.push_back(in);
  Wake(*q);
}

void ProcessRawInput(TThreadQueue& q, const TRawInput& in, std::vector<MSG>& out) {
  if (ScrollBarTrackInput(in)) return;   // a held scroll bar takes the mouse
  if (FrameDragInput(in)) return;         // so does a window being moved or sized
  switch (in.Kind) {
    case TRawInput::riKey: KeyMessage(q, in, out); break;
    case TRawInput::riMouseMove: MouseMoveMessage(in, out); break;
    case TRawInput::riMouseButton: ButtonMessages(in, out); break;
    case TRawInput::riWheel: WheelMessage(in, out); break;
  }
}

void RecordAsyncKey(UINT vk, bool down) {
  SetKey(S().Async, vk, down);
  UINT g = GenericKey(vk);
  if (g != vk) SetKey(S().Async, g, down || Down(S().Async[vk == VK_LSHIFT || vk == VK_LCONTROL || vk == VK_LMENU ? vk + 1 : vk - 1]));
}

POINT CursorPos() { return S().Cursor; }

void SetCursorPosInternal(POINT p) { S().Cursor = p; }

void ResetInputState() {
  TInputState& s = S();
  POINT cursor = s.Cursor;
  s = TInputState();
  s.Cursor = cursor;
}

void SetActive(TWindow* w, WORD how) {
  TInputState& s = S();
  HWND newH = w ? w->Handle : nullptr;
  HWND old = s.Active;
  if (old == newH) return;
  if (FromHandle(old)) {
    SendTo(old, WM_NCACTIVATE, FALSE, 0);
    SendTo(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), reinterpret_cast<LPARAM>(newH));
  } else {
    old = nullptr;
  }
  if (!old && newH) {
    for (TWindow* t : std::vector<TWindow*>(Desktop()->Children))
      if (t->ThreadId == w->ThreadId) SendTo(t->Handle, WM_ACTIVATEAPP, TRUE, 0);
  } else if (old && !newH) {
    for (TWindow* t : std::vector<TWindow*>(Desktop()->Children))
      if (t->ThreadId == GetCurrentThreadId()) SendTo(t->Handle, WM_ACTIVATEAPP, FALSE, 0);
  }
  s.Active = newH;
  if (BackendStarted()) Backend().ActiveChanged(FromHandle(newH));
  if (!(w = FromHandle(newH))) {
    s.Active = nullptr;
    if (HWND f = s.Focus) {
      s.Focus = nullptr;
      SendTo(f, WM_KILLFOCUS, 0, 0);
    }
    return;
  }
  SetWindowPos(newH, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!(w = FromHandle(newH))) return;
  Backend().Activate(w);
  SendTo(newH, WM_NCACTIVATE, TRUE, 0);
  SendTo(newH, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(newH) ? 1 : 0), reinterpret_cast<LPARAM>(old));
  // The focus never stays in a window that is no longer active.
  TWindow* focus = FromHandle(s.Focus);
  if (focus && s.Active == newH && !IsAncestor(FromHandle(newH), focus)) {
    s.Focus = nullptr;
    SendTo(focus->Handle, WM_KILLFOCUS, 0, 0);
  }
}

void OnWindowHidden(TWindow* w) {
  TInputState& s = S();
  HWND h = w->Handle;
  TWindow* capture = FromHandle(s.Capture);
  if (capture && IsAncestor(w, capture)) ReleaseCapture();
  if (!(w = FromHandle(h))) return;
  TWindow* focus = FromHandle(s.Focus);
  if (focus && IsAncestor(w, focus)) {
    if (w->IsChild() && IsVisibleDeep(w->Parent))
      SetFocus(w->Parent->Handle);
    else
      SetFocus(nullptr);
    if (!(w = FromHandle(h))) return;
  }
  if (s.Active == h) {
    // Activation passes to the owner, or else to the next window in z-order that can take it.
    TWindow* next = nullptr;
    if (w->Owner && IsVisibleDeep(w->Owner) && !(w->Owner->Style & WS_DISABLED)) next = w->Owner;
    if (!next)
      for (TWindow* t : Desktop()->Children)
        if (t != w && (t->Style & WS_VISIBLE) && !(t->Style & WS_DISABLED) && !(t->ExStyle & WS_EX_NOACTIVATE) &&
            !((t->Style & WS_POPUP) && (t->ExStyle & WS_EX_TOOLWINDOW)) && t->ThreadId == w->ThreadId) {
          next = t;
          break;
        }
    SetActive(next, WA_ACTIVE);
  }
}

void OnWindowDestroyed(TWindow* w) {
  TInputState& s = S();
  HWND h = w->Handle;
  if (s.Focus == h) s.Focus = nullptr;
  if (s.Active == h) s.Active = nullptr;
  if (s.Capture == h) {
    s.Capture = nullptr;
    CapturePointer(nullptr);
  }
  if (s.Tracked == h) s.Tracked = nullptr;
  if (s.HoverWnd == h) s.HoverWnd = nullptr;
  if (s.ClickWnd == h) s.ClickWnd = nullptr;
  OnCaretWindowGone(h);
}

LRESULT DefaultSetCursor(TWindow* w, LPARAM lParam) {
  HWND h = w->Handle;
  if ((w->Style & WS_CHILD) && w->Parent && w->Parent != Desktop()) {
    if (SendMessage(w->Parent->Handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), lParam)) return TRUE;
    if (!(w = FromHandle(h))) return FALSE;
  }
  SHORT hit = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam)));
  LPCWSTR shape = IDC_ARROW;
  switch (hit) {
    case HTCLIENT:
      if (w->Class->Cursor) {
        SetCursor(w->Class->Cursor);
        return TRUE;
      }
      break;
    case HTLEFT: case HTRIGHT: shape = IDC_SIZEWE; break;
    case HTTOP: case HTBOTTOM: shape = IDC_SIZENS; break;
    case HTTOPLEFT: case HTBOTTOMRIGHT: shape = IDC_SIZENWSE; break;
    case HTTOPRIGHT: case HTBOTTOMLEFT: shape = IDC_SIZENESW; break;
    default: break;
  }
  SetCursor(LoadCursor(nullptr, shape));
  return FALSE;
}

LRESULT DefaultMouseActivate(TWindow* w, WPARAM wParam, LPARAM lParam) {
  // The parent decides first.
  if ((w->Style & WS_CHILD) && w->Parent && w->Parent != Desktop()) {
    LRESULT r = SendMessage(w->Parent->Handle, WM_MOUSEACTIVATE, wParam, lParam);
    if (r) return r;
  }
  return MA_ACTIVATE;
}

void CheckHover(TThreadQueue&) {
  TInputState& s = S();
  if (!s.HoverWnd || ClockMs() < s.HoverStart + s.HoverTime) return;
  HWND h = s.HoverWnd;
  s.HoverWnd = nullptr;
  TWindow* w = FromHandle(h);
  if (!w) return;
  w->TrackHover = false;
  POINT o = ClientOriginOnScreen(w);
  PostMessage(h, WM_MOUSEHOVER, MouseKeys(s.Sync), PointParam(POINT{s.Cursor.x - o.x, s.Cursor.y - o.y}));
}

std::optional<std::uint64_t> HoverDue() {
  TInputState& s = S();
  if (!s.HoverWnd) return std::nullopt;
  return s.HoverStart + s.HoverTime;
}

}  // namespace wincore

// ---------------------------------------------------------------------------------------------
// Focus and activation

HWND SetFocus(HWND h) {
  TInputState& s = S();
  TWindow* w = nullptr;
  if (h) {
    w = FromHandle(h);
    if (!w || w == Desktop() || w->ThreadId != GetCurrentThreadId()) return nullptr;
    TWindow* top = TopLevelOf(w);
    if (top && top->Handle != s.Active) {
      SetActive(top, WA_ACTIVE);
      if (!(w = FromHandle(h))) return nullptr;
    }
  }
  HWND old = s.Focus;
  if (old == h) return old;
  if (FromHandle(old)) SendTo(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(h), 0);
  // The focus moves whatever WM_KILLFOCUS did, unless the new window is gone meanwhile.
  if (h && !FromHandle(h)) {
    if (s.Focus == old) s.Focus = nullptr;
    return old;
  }
  s.Focus = h;
  if (h) SendTo(h, WM_SETFOCUS, reinterpret_cast<WPARAM>(FromHandle(old) ? old : nullptr), 0);
  return old;
}

HWND GetFocus() {
  HWND f = S().Focus;
  return FromHandle(f) ? f : nullptr;
}

HWND GetActiveWindow() {
  HWND a = S().Active;
  return FromHandle(a) ? a : nullptr;
}

HWND SetActiveWindow(HWND h) {
  HWND old = GetActiveWindow();
  TWindow* w = FromHandle(h);
  if (!w) return old;
  w = TopLevelOf(w);
  if (!w || (w->Style & WS_DISABLED)) return old;
  SetActive(w, WA_ACTIVE);
  return old;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

BOOL SetForegroundWindow(HWND h) {
  TWindow* w = FromHandle(h);
  if (!w || !(w = TopLevelOf(w))) return FALSE;
  SetActive(w, WA_ACTIVE);
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Capture

HWND SetCapture(HWND h) {
  TInputState& s = S();
  HWND old = GetCapture();
  if (!FromHandle(h)) return old;
  s.Capture = h;
  CapturePointer(h);
  if (old && old != h) SendTo(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(h));
  return old;
}

BOOL ReleaseCapture() {
  TInputState& s = S();
  HWND old = GetCapture();
  s.Capture = nullptr;
  CapturePointer(nullptr);
  if (old) SendTo(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  HWND c = S().Capture;
  return FromHandle(c) ? c : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Key state

SHORT GetKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  BYTE b = S().Sync[vk];
  return static_cast<SHORT>((Down(b) ? 0xFF80 : 0) | (b & 1));
}

SHORT GetAsyncKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  return static_cast<SHORT>(Down(S().Async[vk]) ? 0x8000 : 0);
}

BOOL GetKeyboardState(BYTE* state) {
  if (!state) return FALSE;
  std::memcpy(state, S().Sync, 256);
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Mouse tracking and cursors

BOOL TrackMouseEvent(TRACKMOUSEEVENT* t) {
  if (!t) return FALSE;
  TInputState& s = S();
  if (t->dwFlags & TME_QUERY) {
    t->dwFlags = 0;
    if (s.Tracked) {
      t->dwFlags |= TME_LEAVE;
      t->hwndTrack = s.Tracked;
    }
    if (s.HoverWnd) {
      t->dwFlags |= TME_HOVER;
      t->hwndTrack = s.HoverWnd;
      t->dwHoverTime = s.HoverTime;
    }
    return TRUE;
  }
  TWindow* w = FromHandle(t->hwndTrack);
  if (!w) return FALSE;
  if (t->dwFlags & TME_CANCEL) {
    if ((t->dwFlags & TME_LEAVE) && s.Tracked == t->hwndTrack) { s.Tracked = nullptr; w->TrackLeave = false; }
    if ((t->dwFlags & TME_HOVER) && s.HoverWnd == t->hwndTrack) { s.HoverWnd = nullptr; w->TrackHover = false; }
    return TRUE;
  }
  if (t->dwFlags & TME_LEAVE) {
    // Leaving is reported at once when the pointer is not over the window's client area now.
    LRESULT hit = HTNOWHERE;
    TWindow* under = WindowAt(s.Cursor, false, &hit);
    if (under != w || hit != HTCLIENT) {
      PostMessage(t->hwndTrack, WM_MOUSELEAVE, 0, 0);
    } else {
      if (s.Tracked && s.Tracked != t->hwndTrack)
        if (TWindow* o = FromHandle(s.Tracked)) o->TrackLeave = false;
      s.Tracked = t->hwndTrack;
      w->TrackLeave = true;
    }
  }
  if (t->dwFlags & TME_HOVER) {
    s.HoverWnd = t->hwndTrack;
    s.HoverTime = t->dwHoverTime == HOVER_DEFAULT ? 400 : t->dwHoverTime;
    s.HoverStart = ClockMs();
    s.HoverPt = s.Cursor;
    w->TrackHover = true;
  }
  return TRUE;
}

BOOL GetCursorPos(POINT* p) {
  if (!p) return FALSE;
  *p = S().Cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  S().Cursor = POINT{x, y};
  Backend().WarpPointer(POINT{x, y});
  return TRUE;
}

HCURSOR LoadCursor(HINSTANCE, LPCWSTR name) {
  // Standard cursors are handles numbered as their resource ids; the back end draws them.
  auto id = reinterpret_cast<std::uintptr_t>(name);
  if (IS_INTRESOURCE(name) && id >= 32512 && id <= 32651) return reinterpret_cast<HCURSOR>(id);
  if (!name) return nullptr;
  // The program's cursors: made once from the resource table and shared for the program's life.
  String key = IS_INTRESOURCE(name) ? ResourceIdName(static_cast<Integer>(id)) : String(name);
  static std::mutex lock;
  static auto* loaded = new std::map<String, HCURSOR>();
  std::lock_guard guard(lock);
  auto it = loaded->find(key);
  if (it != loaded->end()) return it->second;
  std::span<const Byte> data;
  if (!FindResourceData(key, RT_GROUP_CURSOR, data)) return nullptr;
  HCURSOR cursor = CreateIconFromFileData(data.data(), data.size());
  if (cursor) loaded->emplace(key, cursor);
  return cursor;
}

HCURSOR SetCursor(HCURSOR c) {
  TInputState& s = S();
  HCURSOR old = s.CurrentCursor;
  if (c != old) {
    s.CurrentCursor = c;
    if (BackendStarted()) Backend().SetCursorShape(c);
  }
  return old;
}

HCURSOR GetCursor() { return S().CurrentCursor; }

UINT GetDoubleClickTime() { return S().DoubleClickTime; }

BOOL SetDoubleClickTime(UINT ms) {
  S().DoubleClickTime = ms ? ms : 500;
  return TRUE;
}

BOOL SwapMouseButton(BOOL) { return FALSE; }
