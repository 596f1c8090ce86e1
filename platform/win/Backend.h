#pragma once
// The interface between the window manager and what presents windows and delivers input: the
// headless back end (memory only, a virtual clock) and the X11 one. Internal to platform/win.
#include "platform/win/WinCore.h"

#include <memory>
#include <optional>
#include <string>

namespace wincore {

class TBackend {
public:
  virtual ~TBackend() = default;
  virtual const char* Name() const = 0;
  virtual bool IsHeadless() const = 0;

  // Milliseconds of the clock that timers and message times run on.
  virtual std::uint64_t NowMs() = 0;

  // Waits on the back end's thread until input or a wake-up may have arrived, or until the clock
  // reaches deadlineMs. Called with Lock() held through `lock`; it may release it while waiting.
  virtual void Wait(std::unique_lock<std::mutex>& lock, TThreadQueue& q, std::optional<std::uint64_t> deadlineMs) = 0;
  // Interrupts Wait (any thread, Lock() held).
  virtual void Wake() = 0;
  // Reads the device's pending events into the current queue (back end thread, Lock() not held).
  virtual void Pump() = 0;

  // Top-level windows.
  virtual void CreateNative(TWindow* w) = 0;
  virtual void DestroyNative(TWindow* w) = 0;
  virtual void ShowNative(TWindow* w, bool show, bool activate) = 0;
  virtual void MoveNative(TWindow* w) = 0;        // the window rectangle changed (screen coordinates)
  virtual void RestackNative() = 0;               // the z-order of top-level windows changed
  virtual void SetTitle(TWindow* w) = 0;
  virtual void SetShape(TWindow* w) = 0;          // the window region changed
  virtual void SetLayered(TWindow* /*w*/) {}      // the layered attributes or picture changed
  virtual void Present(TWindow* w, const RECT& area) = 0;   // surface pixels of `area` changed
  virtual void Activate(TWindow* w) = 0;          // the window manager made w the active window
  // Hands a drag of the caption (edge 0) or of a frame edge (WMSZ_*) that began with the left
  // button at `screen` to a window manager; false where none takes it and the window moves itself.
  virtual bool BeginWindowManagerDrag(TWindow*, UINT /*edge*/, POINT /*screen*/) { return false; }
  // The mouse is captured by a window of the top-level window w (nullptr: released). Popups no
  // window manager looks after hold the pointer, so that a press outside every window of the
  // program still reaches the capture.
  virtual void PointerCaptured(TWindow* /*w*/) {}
  // The layer's active window changed (nullptr: none of ours). While a popup without caption is
  // the active window, a back end with other programs' windows holds the pointer for it, so that
  // a press outside every window of the program still arrives (and deactivates the popup).
  virtual void ActiveChanged(TWindow* /*w*/) {}
  virtual void SetCursorShape(HCURSOR c) = 0;
  virtual void WarpPointer(POINT screen) = 0;
  virtual void Beep(UINT type) = 0;

  // Screen
  virtual SIZE ScreenSize() = 0;
  virtual RECT WorkArea() = 0;

  // Clipboard: the window manager owns the clipboard's text now (or no longer), or asks for the
  // text another program owns. Back ends without a shared clipboard keep everything in process.
  virtual void ClipboardOwned(bool owned) = 0;
  virtual bool ForeignClipboard() = 0;                   // another program owns the clipboard
  virtual std::optional<String> ForeignClipboardText() = 0;

  // What the screen shows now, as a screen-sized surface.
  virtual bool Screenshot(TSurface& out) = 0;
};

// Raises EWindowSystem with a UTF-8 message (for code that cannot include the runtime's headers).
[[noreturn]] void ThrowWindowSystemError(const std::string& message);

// The top-level windows painted over one another in z-order onto a screen-sized surface, each
// clipped to its window region, layered ones blended by their alpha.
void ComposeScreen(TSurface& out);

// The back end selected by ZELK_BACKEND (or Headless::Use); created on first use.
std::unique_ptr<TBackend> CreateHeadlessBackend();
std::unique_ptr<TBackend> CreateX11Backend();   // throws EWindowSystem without a display

}  // namespace wincore
