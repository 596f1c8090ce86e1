// Moving and sizing a top-level window with the mouse. A press on the caption or on the sizing
// frame reaches DefWindowProc as WM_NCLBUTTONDOWN, becomes WM_SYSCOMMAND SC_MOVE / SC_SIZE, and the
// drag starts: a window manager that can move windows takes it over; otherwise the window follows
// the pointer itself until the left button is released, telling its procedure WM_ENTERSIZEMOVE,
// WM_MOVING or WM_SIZING before every step and WM_EXITSIZEMOVE at the end. Esc puts it back.
#include "platform/win/Backend.h"
#include "platform/win/WinCore.h"

#include <algorithm>
#include <memory>

using namespace wincore;

namespace {

// WM_SIZING's edge codes (WMSZ_LEFT ... WMSZ_BOTTOMRIGHT) are the hit-test codes less 9.
constexpr UINT SizeHitToEdge = 9;

struct TFrameDrag {
  HWND Window = nullptr;
  UINT Edge = 0;         // 0 moves; WMSZ_* sizes by that edge or corner
  POINT Start{};
  POINT Last{};          // where the last step put the pointer
  RECT StartRect{};      // the window's rectangle when the drag began, in its parent's coordinates
  POINT MinTrack{};
  POINT MaxTrack{};
};

std::unique_ptr<TFrameDrag>& Drag() {
  static thread_local std::unique_ptr<TFrameDrag> d;
  return d;
}

bool MovesLeft(UINT edge) { return edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT; }
bool MovesRight(UINT edge) { return edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT; }
bool MovesTop(UINT edge) { return edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT; }
bool MovesBottom(UINT edge) { return edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT; }

// The rectangle the drag asks for with the pointer at `pt`: moved, or sized within the window's
// tracking limits with the opposite edges kept where they are.
RECT Proposed(const TFrameDrag& d, POINT pt) {
  int dx = pt.x - d.Start.x, dy = pt.y - d.Start.y;
  RECT r = d.StartRect;
  if (d.Edge == 0) return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  auto limit = [](int size, LONG lo, LONG hi) { return std::clamp<int>(size, lo, std::max(lo, hi)); };
  if (MovesLeft(d.Edge)) r.left = r.right - limit(r.right - r.left - dx, d.MinTrack.x, d.MaxTrack.x);
  if (MovesRight(d.Edge)) r.right = r.left + limit(r.right - r.left + dx, d.MinTrack.x, d.MaxTrack.x);
  if (MovesTop(d.Edge)) r.top = r.bottom - limit(r.bottom - r.top - dy, d.MinTrack.y, d.MaxTrack.y);
  if (MovesBottom(d.Edge)) r.bottom = r.top + limit(r.bottom - r.top + dy, d.MinTrack.y, d.MaxTrack.y);
  return r;
}

void Place(HWND h, const RECT& r, bool move) {
  SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE | (move ? SWP_NOSIZE : 0));
}

void EndDrag() {
  std::unique_ptr<TFrameDrag> d = std::move(Drag());
  if (!d) return;
  if (GetCapture() == d->Window) ReleaseCapture();
  if (IsWindow(d->Window)) SendMessage(d->Window, WM_EXITSIZEMOVE, 0, 0);
}

void Step(TFrameDrag& d, POINT pt) {
  HWND h = d.Window;
  d.Last = pt;
  RECT r = Proposed(d, pt);
  bool move = d.Edge == 0;
  SendMessage(h, move ? WM_MOVING : WM_SIZING, d.Edge, reinterpret_cast<LPARAM>(&r));
  if (IsWindow(h)) Place(h, r, move);
}

}  // namespace

namespace wincore {

bool FrameDragCommand(TWindow* w, WPARAM command) {
  WPARAM kind = command & 0xFFF0;
  if ((kind != SC_MOVE && kind != SC_SIZE) || !w->IsTopLevel() || w->Maximized || w->Minimized) return false;
  UINT edge = kind == SC_MOVE ? 0 : static_cast<UINT>(command & 0x000F);
  // The style does not matter: a window without a sizing frame that answers a sizing hit code (a size
  // grip of its own) is sized like any other.
  if (kind == SC_SIZE && (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT)) return false;
  POINT pt = CursorPos();
  if (Backend().BeginWindowManagerDrag(w, edge, pt)) return true;
  EndDrag();
  HWND h = w->Handle;
  auto d = std::make_unique<TFrameDrag>();
  d->Window = h;
  d->Edge = edge;
  d->Start = pt;
  d->Last = pt;
  d->StartRect = w->Rect;
  MINMAXINFO mm{};
  SendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm));
  d->MinTrack = mm.ptMinTrackSize;
  d->MaxTrack = mm.ptMaxTrackSize;
  if (!IsWindow(h)) return true;
  SendMessage(h, WM_ENTERSIZEMOVE, 0, 0);
  if (!IsWindow(h)) return true;
  Drag() = std::move(d);
  SetCapture(h);
  return true;
}

WPARAM FrameDragHitCommand(TWindow* w, LRESULT hit) {
  if (!w->IsTopLevel()) return 0;
  if (hit == HTCAPTION) return SC_MOVE | static_cast<WPARAM>(HTCAPTION);
  if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT)
    return SC_SIZE | (static_cast<UINT>(hit) - SizeHitToEdge);
  return 0;
}

bool FrameDragInput(const TRawInput& in) {
  TFrameDrag* d = Drag().get();
  if (!d) return false;
  if (!IsWindow(d->Window) || GetCapture() != d->Window) {
    // The window went away or something else took the mouse: the drag is over.
    EndDrag();
    return false;
  }
  switch (in.Kind) {
    case TRawInput::riMouseMove:
      SetCursorPosInternal(in.Pt);
      Step(*d, in.Pt);
      return true;
    case TRawInput::riMouseButton:
      RecordAsyncKey(ButtonVk(in.Button), in.Down);
      if (in.Button == 1 && !in.Down) {
        SetCursorPosInternal(in.Pt);
        if (in.Pt.x != d->Last.x || in.Pt.y != d->Last.y) Step(*d, in.Pt);
        if (Drag().get() == d) EndDrag();
      }
      return true;
    case TRawInput::riKey:
      RecordAsyncKey(in.Vk, in.Down);
      if (in.Vk == VK_ESCAPE && in.Down) {
        Place(d->Window, d->StartRect, false);
        EndDrag();
      }
      return true;
    case TRawInput::riWheel:
      return true;
  }
  return false;
}

}  // namespace wincore
