#pragma once
// Internals of the window manager shared by its implementation files: window and class objects,
// per-thread message queues, the input state and the global lock. Not for use outside platform/win.
#include "platform/win/GdiInternal.h"
#include "platform/win/Surface.h"
#include "platform/win/WinBase.h"
#include "platform/win/WinUser.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace wincore {

class TBackend;
using gdi::TRgnSet;

struct TWindowClass {
  String Name;
  ATOM Atom = 0;
  UINT Style = 0;
  WNDPROC Proc = nullptr;
  int WndExtra = 0;
  HINSTANCE Instance = nullptr;
  HICON Icon = nullptr;
  HICON IconSm = nullptr;
  HCURSOR Cursor = nullptr;
  HBRUSH Background = nullptr;
  std::vector<std::uint8_t> ClassExtra;
  int Windows = 0;   // live windows of the class: it cannot be unregistered while any exist
};

// One window scroll bar (SB_HORZ or SB_VERT). Shown when the style has WS_HSCROLL / WS_VSCROLL.
struct TScrollState {
  int Min = 0;
  int Max = 0;
  UINT Page = 0;
  int Pos = 0;
  int TrackPos = 0;
  UINT Disabled = 0;           // ESB_DISABLE_* arrows
  bool AutoDisabled = false;   // disabled by SIF_DISABLENOSCROLL for want of a range
  int FlatStyle = 0;           // FSB_*_MODE
};

struct TWindow {
  HWND Handle = nullptr;
  TWindowClass* Class = nullptr;
  DWORD ThreadId = 0;
  TWindow* Parent = nullptr;   // the desktop for top-level windows
  TWindow* Owner = nullptr;
  std::vector<TWindow*> Children;   // z-order, the top one first
  DWORD Style = 0;
  DWORD ExStyle = 0;
  WNDPROC Proc = nullptr;
  LONG_PTR UserData = 0;
  LONG_PTR Id = 0;
  HINSTANCE Instance = nullptr;
  std::vector<std::uint8_t> Extra;
  String Text;
  std::map<String, HANDLE> Props;

  RECT Rect{};        // window rectangle in the parent's client coordinates (screen for top-level)
  RECT Client{};      // client rectangle relative to the window rectangle's top-left corner
  HRGN Region = nullptr;   // window region (window coordinates), owned

  // Painting state. The update region is in client coordinates.
  TRgnSet Update;
  bool Erase = false;         // WM_ERASEBKGND still due
  bool FramePending = false;  // WM_NCPAINT still due
  bool InternalPaint = false;
  bool Redraw = true;         // WM_SETREDRAW
  bool Painting = false;      // inside BeginPaint/EndPaint
  bool ActiveCaption = false; // as the last WM_NCACTIVATE left it
  bool PaintedInDispatch = false;

  TScrollState Scroll[2];     // SB_HORZ, SB_VERT
  bool FlatScrollBars = false;   // InitializeFlatSB

  bool Destroying = false;
  bool Maximized = false;
  RECT RestoreRect{};         // the rectangle before maximising
  bool Minimized = false;
  bool TrackLeave = false;    // TrackMouseEvent(TME_LEAVE)
  bool TrackHover = false;
  DWORD HoverTime = 0;

  std::unique_ptr<TSurface> Surface;   // top-level windows: backing store of the whole window
  RECT Dirty{};                        // surface area painted since it was last presented
  void* Native = nullptr;              // the back end's data for a top-level window

  // Layered top-level windows (WS_EX_LAYERED). Either SetLayeredWindowAttributes set a constant
  // alpha and/or a colour key for the painted surface (LayeredFlags LWA_*), or UpdateLayeredWindow
  // gave a premultiplied picture shown instead of it (LayeredPicture, LayeredFlags ULW_*).
  BYTE LayeredAlpha = 255;
  COLORREF LayeredKey = 0;
  DWORD LayeredFlags = 0;
  std::unique_ptr<TSurface> LayeredPicture;
  // SetLayeredWindowAttributes was called: UpdateLayeredWindow fails until WS_EX_LAYERED is cleared.
  bool LayeredByAttributes = false;
  // What the screen shows of the window: the layered picture while there is one, else the surface.
  const TSurface* ShownSurface() const;

  bool IsChild() const { return (Style & WS_CHILD) != 0; }
  bool IsTopLevel() const;
};

// A message sent from one thread to a window of another, waiting to be handled.
struct TSentMessage {
  HWND Hwnd = nullptr;
  UINT Message = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
  bool Done = false;
  struct TThreadQueue* Sender = nullptr;
};

// Input from the device (the back end or a test), turned into messages when retrieved.
struct TRawInput {
  enum TKind { riKey, riMouseMove, riMouseButton, riWheel } Kind = riKey;
  DWORD Time = 0;
  // keys
  UINT Vk = 0;
  UINT Scan = 0;
  bool Extended = false;
  bool Down = false;
  bool Repeat = false;
  String Text;          // what the key types as the back end translated it (when HasText)
  bool HasText = false; // false: the characters come from the keyboard layout
  // mouse
  POINT Pt{};           // screen
  int Button = 0;       // 1 left, 2 middle, 3 right, 8/9 X buttons
  int Delta = 0;        // wheel: +-120 per notch
  bool Horizontal = false;
};

struct THook {
  HHOOK Handle = nullptr;
  int Kind = 0;
  HOOKPROC Proc = nullptr;
  DWORD ThreadId = 0;   // 0: every thread
  bool Removed = false;
};

struct TTimer {
  HWND Hwnd = nullptr;
  UINT_PTR Id = 0;
  UINT Interval = 0;
  TIMERPROC Proc = nullptr;
  std::uint64_t Due = 0;   // clock milliseconds
  bool Ready = false;      // expired, WM_TIMER pending
};

// What TranslateMessage needs of the last key turned into a message.
struct TKeyTranslation {
  HWND Hwnd = nullptr;
  UINT Message = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  String Text;
  bool Valid = false;
};

struct TThreadQueue {
  DWORD ThreadId = 0;
  std::condition_variable Signal;
  std::deque<MSG> Posted;
  std::deque<TRawInput> Input;
  std::deque<MSG> Cooked;   // input turned into messages, not yet retrieved
  std::deque<TSentMessage*> Incoming;
  bool QuitPosted = false;
  int QuitCode = 0;
  int SendDepth = 0;   // inside a message sent from another thread
  // Only touched by the queue's own thread:
  std::vector<TTimer> Timers;
  TKeyTranslation LastKey;
  DWORD LastTime = 0;
  POINT LastPos{};
};

// ---------------------------------------------------------------------------------------------
// Global state. Lock() guards the handle table, the queues and the registries; window objects are
// touched only by their own thread (other threads reach them through sent and posted messages).
// It is one of two locks: GDI's gdi::Lock() (GdiInternal.h) guards GDI objects and DCs. The only
// order allowed is this lock, then GDI's: code holding Lock() may call GDI, while GDI never calls
// back into the window system. Neither is held across a call into a window procedure.

std::mutex& Lock();
TBackend& Backend();
bool BackendStarted();
DWORD BackendThread();   // the thread that started the back end: it reads the device

TWindow* Desktop();
void SelectHeadless();
HWND RegisterWindow(std::unique_ptr<TWindow> w);   // assigns the handle
void UnregisterWindow(HWND h);                      // frees the object
std::vector<HWND> AllWindowsOfThread(DWORD threadId);   // 0: every thread
std::vector<TThreadQueue*> AllQueues();                 // with Lock() held
TWindow* FromHandle(HWND h);   // nullptr for stale or null handles
TWindow* FromHandleLocked(HWND h);   // with Lock() held
TThreadQueue& CurrentQueue();
TThreadQueue* QueueOf(DWORD threadId);   // with Lock() held; nullptr when the thread has none
void Wake(TThreadQueue& q);               // with Lock() held

// Calls a window procedure with the hooks of WH_CALLWNDPROC(RET): the path of every sent message.
LRESULT SendToWindow(TWindow* w, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT SendTo(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);

// Geometry
RECT WindowRectOnScreen(const TWindow* w);
RECT ClientRectOnScreen(const TWindow* w);
POINT ClientOriginOnScreen(const TWindow* w);
TWindow* TopLevelOf(TWindow* w);
bool IsVisibleDeep(const TWindow* w);
bool IsAncestor(const TWindow* ancestor, const TWindow* w);   // true for w itself too
TWindow* WindowAt(POINT screen, bool sendHitTest, LRESULT* hit);   // the window mouse input at pt goes to
RECT ComputeClientRect(TWindow* w, const RECT& windowRect);      // WM_NCCALCSIZE
RECT FrameOf(DWORD style, DWORD exStyle);   // frame and caption thickness per side (no scroll bars)

// Painting
void InvalidateWindow(TWindow* w, const TRgnSet* clientArea, bool erase, bool frame, bool children);
void OnWindowMovedOrResized(TWindow* w, const RECT& oldOnScreen, bool resized);
void OnWindowShown(TWindow* w, bool shown);
TWindow* FindPaintWindow(DWORD threadId, HWND filter);
void FlushPresent();
void DefaultNcPaint(TWindow* w);
// Window scroll bars: painting into a DC of the whole window, a press on one (from
// WM_NCLBUTTONDOWN), and the device input the bar takes while it holds the mouse (true: taken).
void PaintWindowScrollBars(TWindow* w, HDC windowDC);
void ScrollBarPress(TWindow* w, int bar, POINT screen);
bool ScrollBarTrackInput(const TRawInput& in);
// Moving and sizing a top-level window by its caption and frame: the WM_SYSCOMMAND a non-client
// press on hit-test code `hit` stands for (0: none), starting the drag of SC_MOVE / SC_SIZE (false:
// not a drag command for this window), and the device input the drag takes while it runs.
WPARAM FrameDragHitCommand(TWindow* w, LRESULT hit);
bool FrameDragCommand(TWindow* w, WPARAM command);
bool FrameDragInput(const TRawInput& in);
void EraseWithClassBrush(TWindow* w, HDC dc);

// Input
void ProcessRawInput(TThreadQueue& q, const TRawInput& in, std::vector<MSG>& out);
void OnWindowDestroyed(TWindow* w);
void OnWindowHidden(TWindow* w);
void SetActive(TWindow* w, WORD how);
// A top-level WS_POPUP window without a caption: X11 maps it override-redirect, and it never
// takes the window manager's activation.
inline bool IsCaptionlessPopup(const TWindow* w) { return (w->Style & WS_POPUP) && (w->Style & WS_CAPTION) != WS_CAPTION; }
LRESULT DefaultSetCursor(TWindow* w, LPARAM lParam);
LRESULT DefaultMouseActivate(TWindow* w, WPARAM wParam, LPARAM lParam);
void RecordAsyncKey(UINT vk, bool down);
UINT ButtonVk(int button);   // X button number (1 left, 2 middle, 3 right, 8, 9) -> VK_xBUTTON
// Queues device input for the thread that reads the device; consecutive moves merge.
void PushInput(TRawInput in);
POINT CursorPos();
void SetCursorPosInternal(POINT screen);   // the device moved the pointer
void ResetInputState();

// Timers and the clock
std::uint64_t ClockMs();
bool TakeTimerMessage(TThreadQueue& q, HWND filter, UINT minMsg, UINT maxMsg, bool remove, MSG* out);
std::optional<std::uint64_t> NextTimerDue(TThreadQueue& q);
void RemoveWindowTimers(TWindow* w);
void CheckHover(TThreadQueue& q);
std::optional<std::uint64_t> HoverDue();
void CheckCaretBlink();
std::optional<std::uint64_t> CaretDue();
void OnCaretWindowGone(HWND h);

// Keyboard layout
struct TKeyInfo {
  UINT Vk = 0;
  UINT Scan = 0;
  bool Extended = false;
  String Text;
  bool Types = true;   // false for keys that never type a character (Delete, arrows, F keys ...)
};
TKeyInfo KeyFromKeysym(std::uint32_t keysym, int hardwareScan);
UINT ScanFromVk(UINT vk, bool* extended);
bool UsKeyForChar(Char c, UINT* vk, bool* shift);
String CharsForKey(UINT vk, const BYTE* keyState);   // US layout

// System
void ResetSystemValues();
SIZE HeadlessScreenSize();
RECT HeadlessWorkArea();
void RecordBeep(UINT type);
void ResetHooks();
int DpiValue();

// Clipboard
void ClipboardReset();
std::optional<String> ClipboardText();   // the text we offer other programs
void OnClipboardForeignChange();

// Rectangle helpers
inline bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline RECT Offset(RECT r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }
inline RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  return Empty(r) ? RECT{} : r;
}
inline RECT Union(const RECT& a, const RECT& b) {
  if (Empty(a)) return b;
  if (Empty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}
inline bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

String ToLower(StringView s);

}  // namespace wincore
