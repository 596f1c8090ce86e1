// Window scroll bars: their state, drawing in the non-client area, the mouse while one is held, the
// flat style, and ScrollWindowEx.
//
// A press on a bar (WM_NCLBUTTONDOWN with HTVSCROLL / HTHSCROLL reaching DefWindowProc) starts a
// track: until the button is released the bar takes the device's mouse input itself, before it
// becomes messages, as the platform's modal scroll loop does, so the window sees no mouse messages
// meanwhile; its repeat timer runs through a timer procedure, not the window's WM_TIMER.
#include <algorithm>
#include <memory>

#include "platform/rtl/Threads.h"
#include "platform/win/ScrollBarParts.h"
#include "platform/win/WinCore.h"
#include "platform/win/WinError.h"
#include "platform/win/Windows.h"

using namespace wincore;

namespace {

bool ValidBar(int bar) { return bar == SB_HORZ || bar == SB_VERT; }
DWORD StyleBit(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

int TopPos(const TScrollState& s) {
  return s.Page > 0 ? std::max(s.Min, s.Max - static_cast<int>(s.Page) + 1) : s.Max;
}
// Something to scroll: the range is wider than a page.
bool Scrollable(const TScrollState& s) {
  return s.Page > 0 ? static_cast<long long>(s.Max) - s.Min + 1 > static_cast<long long>(s.Page) : s.Max > s.Min;
}

// The bar's rectangle in window coordinates (beside and below the client area).
RECT BarRect(const TWindow* w, int bar) {
  const RECT& c = w->Client;
  if (bar == SB_VERT) return RECT{c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom};
  return RECT{c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
}

// Marks the non-client area (where the bars are) for the next paint, not the client area.
void RedrawFrame(TWindow* w) {
  TRgnSet none;
  InvalidateWindow(w, &none, false, true, false);
}

// Shows or hides a bar; the client area follows.
void SetBarShown(TWindow* w, int bar, bool show) {
  DWORD bit = StyleBit(bar);
  if (((w->Style & bit) != 0) == show) return;
  if (show)
    w->Style |= bit;
  else
    w->Style &= ~bit;
  SetWindowPos(w->Handle, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The bar being held with the mouse (one at a time on the GUI thread).
struct TTrack {
  HWND Window = nullptr;
  int Bar = SB_VERT;
  TScrollBarParts Parts;
};
std::unique_ptr<TTrack>& Track() {
  static thread_local std::unique_ptr<TTrack> t;
  return t;
}

// Parts mirroring a bar's state, at its place in the window.
void SyncParts(TScrollBarParts& p, const TWindow* w, int bar) {
  const TScrollState& s = w->Scroll[bar];
  p.Vertical = bar == SB_VERT;
  p.Bounds = BarRect(w, bar);
  p.Min = s.Min;
  p.Max = s.Max;
  p.Page = static_cast<int>(s.Page);
  p.Position = s.Pos;
  p.Enabled = s.Disabled != ESB_DISABLE_BOTH;
  p.Flat = w->FlatScrollBars && s.FlatStyle != FSB_REGULAR_MODE;
}

POINT ToWindow(const TWindow* w, POINT screen) {
  RECT wr = WindowRectOnScreen(w);
  return POINT{screen.x - wr.left, screen.y - wr.top};
}

void EndTrack() {
  std::unique_ptr<TTrack> t = std::move(Track());
  if (!t) return;
  KillTimer(t->Window, TScrollBarParts::RepeatTimerId);
  if (GetCapture() == t->Window) ReleaseCapture();
  if (TWindow* w = FromHandle(t->Window)) {
    w->Scroll[t->Bar].TrackPos = w->Scroll[t->Bar].Pos;
    RedrawFrame(w);
  }
}

void RepeatTimer(HWND h, UINT, UINT_PTR, DWORD) {
  TTrack* t = Track().get();
  if (!t || t->Window != h) {
    KillTimer(h, TScrollBarParts::RepeatTimerId);
    return;
  }
  t->Parts.TimerTick();
}

TWindow* BarWindow(HWND h, int bar) {
  TWindow* w = FromHandle(h);
  return w && ValidBar(bar) && w->ThreadId == GetCurrentThreadId() ? w : nullptr;
}

}  // namespace

namespace wincore {

void PaintWindowScrollBars(TWindow* w, HDC dc) {
  TTrack* t = Track().get();
  for (int bar : {SB_VERT, SB_HORZ}) {
    if (!(w->Style & StyleBit(bar))) continue;
    if (t && t->Window == w->Handle && t->Bar == bar) {
      SyncParts(t->Parts, w, bar);
      t->Parts.Paint(dc);
    } else {
      TScrollBarParts p;
      SyncParts(p, w, bar);
      p.Paint(dc);
    }
  }
  if ((w->Style & WS_VSCROLL) && (w->Style & WS_HSCROLL)) {
    RECT box{w->Client.right, w->Client.bottom, w->Client.right + GetSystemMetrics(SM_CXVSCROLL),
             w->Client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  }
}

void ScrollBarPress(TWindow* w, int bar, POINT screen) {
  EndTrack();
  HWND h = w->Handle;
  auto t = std::make_unique<TTrack>();
  t->Window = h;
  t->Bar = bar;
  SyncParts(t->Parts, w, bar);
  POINT p = ToWindow(w, screen);
  // A disabled arrow is as mute as a disabled bar.
  TScrollPart part = t->Parts.HitTest(p);
  UINT disabled = w->Scroll[bar].Disabled;
  if ((part == spLineUp && (disabled & ESB_DISABLE_LTUP)) || (part == spLineDown && (disabled & ESB_DISABLE_RTDN))) return;
  t->Parts.TimerProc = RepeatTimer;
  t->Parts.OnScroll = [h, bar](WORD Code, int Pos) {
    UINT msg = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    if (TWindow* win = FromHandle(h); win && Code == SB_THUMBTRACK) win->Scroll[bar].TrackPos = Pos;
    SendMessage(h, msg, MAKEWPARAM(Code, static_cast<WORD>(Pos)), 0);
    // The window's answer may have moved the bar: the held parts follow it.
    TTrack* cur = Track().get();
    if (TWindow* win = FromHandle(h); win && cur && cur->Window == h) {
      SyncParts(cur->Parts, win, bar);
      RedrawFrame(win);
    }
  };
  TTrack* raw = t.get();
  Track() = std::move(t);
  raw->Parts.MouseDown(h, p);
  if (!Track() || Track().get() != raw) return;
  if (!raw->Parts.Tracking()) {
    Track().reset();
    if (GetCapture() == h) ReleaseCapture();
  }
  if (TWindow* win = FromHandle(h)) RedrawFrame(win);
}

bool ScrollBarTrackInput(const TRawInput& in) {
  TTrack* t = Track().get();
  if (!t) return false;
  TWindow* w = FromHandle(t->Window);
  if (!w) {
    Track().reset();
    return false;
  }
  switch (in.Kind) {
    case TRawInput::riMouseMove:
      SetCursorPosInternal(in.Pt);
      t->Parts.MouseMove(ToWindow(w, in.Pt));
      RedrawFrame(w);
      return true;
    case TRawInput::riMouseButton:
      RecordAsyncKey(ButtonVk(in.Button), in.Down);
      if (in.Button == 1 && !in.Down) {
        t->Parts.MouseUp(ToWindow(w, in.Pt));
        EndTrack();
      }
      return true;
    default:
      return false;
  }
}

}  // namespace wincore

// ---------------------------------------------------------------------------------------------
// The functions

int SetScrollInfo(HWND h, int nBar, LPCSCROLLINFO lpsi, BOOL redraw) {
  TWindow* w = BarWindow(h, nBar);
  if (!w || !lpsi) return 0;
  TScrollState& s = w->Scroll[nBar];
  if (lpsi->fMask & SIF_RANGE) {
    s.Min = lpsi->nMin;
    s.Max = std::max(lpsi->nMin, lpsi->nMax);
  }
  if (lpsi->fMask & SIF_PAGE) s.Page = lpsi->nPage;
  if (s.Page > 0 && static_cast<long long>(s.Page) > static_cast<long long>(s.Max) - s.Min + 1)
    s.Page = static_cast<UINT>(s.Max - s.Min + 1);
  if (lpsi->fMask & SIF_POS) s.Pos = lpsi->nPos;
  s.Pos = std::clamp(s.Pos, s.Min, TopPos(s));
  if (!Track() || Track()->Window != h || Track()->Bar != nBar) s.TrackPos = s.Pos;
  if (lpsi->fMask & (SIF_RANGE | SIF_PAGE)) {
    bool need = Scrollable(s);
    if (need) {
      if (s.AutoDisabled) {
        s.AutoDisabled = false;
        s.Disabled = ESB_ENABLE_BOTH;
      }
      SetBarShown(w, nBar, true);
    } else if (lpsi->fMask & SIF_DISABLENOSCROLL) {
      s.AutoDisabled = s.Disabled != ESB_DISABLE_BOTH || s.AutoDisabled;
      s.Disabled = ESB_DISABLE_BOTH;
      SetBarShown(w, nBar, true);
    } else {
      SetBarShown(w, nBar, false);
    }
    if (!(w = FromHandle(h))) return 0;
  }
  if (redraw) RedrawFrame(w);
  return w->Scroll[nBar].Pos;
}

BOOL GetScrollInfo(HWND h, int nBar, LPSCROLLINFO lpsi) {
  TWindow* w = BarWindow(h, nBar);
  if (!w || !lpsi || !(lpsi->fMask & SIF_ALL)) return FALSE;
  const TScrollState& s = w->Scroll[nBar];
  if (lpsi->fMask & SIF_RANGE) {
    lpsi->nMin = s.Min;
    lpsi->nMax = s.Max;
  }
  if (lpsi->fMask & SIF_PAGE) lpsi->nPage = s.Page;
  if (lpsi->fMask & SIF_POS) lpsi->nPos = s.Pos;
  if (lpsi->fMask & SIF_TRACKPOS) lpsi->nTrackPos = s.TrackPos;
  return TRUE;
}

int SetScrollPos(HWND h, int nBar, int nPos, BOOL redraw) {
  TWindow* w = BarWindow(h, nBar);
  if (!w) return 0;
  int old = w->Scroll[nBar].Pos;
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = nPos;
  SetScrollInfo(h, nBar, &si, redraw);
  return old;
}

int GetScrollPos(HWND h, int nBar) {
  TWindow* w = BarWindow(h, nBar);
  return w ? w->Scroll[nBar].Pos : 0;
}

BOOL SetScrollRange(HWND h, int nBar, int nMinPos, int nMaxPos, BOOL redraw) {
  if (!BarWindow(h, nBar)) return FALSE;
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = nMinPos;
  si.nMax = nMaxPos;
  SetScrollInfo(h, nBar, &si, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND h, int nBar, int* lpMinPos, int* lpMaxPos) {
  TWindow* w = BarWindow(h, nBar);
  if (!w || !lpMinPos || !lpMaxPos) return FALSE;
  *lpMinPos = w->Scroll[nBar].Min;
  *lpMaxPos = w->Scroll[nBar].Max;
  return TRUE;
}

BOOL ShowScrollBar(HWND h, int wBar, BOOL show) {
  if (wBar == SB_BOTH) return ShowScrollBar(h, SB_HORZ, show) && ShowScrollBar(h, SB_VERT, show);
  TWindow* w = BarWindow(h, wBar);
  if (!w) return FALSE;
  SetBarShown(w, wBar, show != FALSE);
  return TRUE;
}

BOOL EnableScrollBar(HWND h, UINT wSBflags, UINT wArrows) {
  int bar = static_cast<int>(wSBflags);
  if (bar == SB_BOTH) return EnableScrollBar(h, SB_HORZ, wArrows) && EnableScrollBar(h, SB_VERT, wArrows);
  TWindow* w = BarWindow(h, bar);
  if (!w) return FALSE;
  TScrollState& s = w->Scroll[bar];
  if (s.Disabled == (wArrows & ESB_DISABLE_BOTH) && !s.AutoDisabled) return FALSE;
  s.Disabled = wArrows & ESB_DISABLE_BOTH;
  s.AutoDisabled = false;
  if (s.Disabled == ESB_DISABLE_BOTH && Track() && Track()->Window == h && Track()->Bar == bar) EndTrack();
  RedrawFrame(w);
  return TRUE;
}

int ScrollWindowEx(HWND h, int dx, int dy, const RECT* prcScroll, const RECT* prcClip, HRGN hrgnUpdate,
                   RECT* prcUpdate, UINT flags) {
  TWindow* w = FromHandle(h);
  if (!w) return ERROR;
  RECT client{0, 0, w->Client.right - w->Client.left, w->Client.bottom - w->Client.top};
  RECT src = prcScroll ? Intersect(*prcScroll, client) : client;
  RECT clip = prcClip ? Intersect(*prcClip, client) : client;
  RECT area = Intersect(src, clip);
  RECT dest = Intersect(Offset(src, dx, dy), clip);
  if (IsVisibleDeep(w) && !Empty(dest)) {
    HDC dc = GetDC(h);
    if (dc) {
      BitBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, dc, dest.left - dx,
             dest.top - dy, SRCCOPY);
      ReleaseDC(h, dc);
    }
  }
  TRgnSet exposed = TRgnSet::Combine(TRgnSet(area), TRgnSet(dest), RGN_DIFF);
  // A part of the scrolled area still waiting to be painted moves with the pixels.
  if (!w->Update.Empty() && !Empty(src)) {
    TRgnSet moving = w->Update.Intersect(src);
    moving.Offset(dx, dy);
    moving = moving.Intersect(clip);
    w->Update = TRgnSet::Combine(TRgnSet::Combine(w->Update, TRgnSet(src), RGN_DIFF), moving, RGN_OR);
  }
  if (flags & SW_SCROLLCHILDREN) {
    for (TWindow* c : std::vector<TWindow*>(w->Children)) {
      if (!Empty(Intersect(c->Rect, src)))
        SetWindowPos(c->Handle, nullptr, c->Rect.left + dx, c->Rect.top + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!(w = FromHandle(h))) return ERROR;
  }
  if (flags & SW_INVALIDATE) InvalidateWindow(w, &exposed, (flags & SW_ERASE) != 0, false, false);
  if (hrgnUpdate) {
    if (gdi::TRegionObj* r = gdi::RegionOf(hrgnUpdate)) r->Set = exposed;
  }
  if (prcUpdate) *prcUpdate = exposed.Box();
  return exposed.Complexity();
}

BOOL ScrollWindow(HWND h, int dx, int dy, const RECT* lpRect, const RECT* lpClipRect) {
  return ScrollWindowEx(h, dx, dy, lpRect, lpClipRect, nullptr, nullptr, SW_INVALIDATE | SW_ERASE) != ERROR;
}

// ---------------------------------------------------------------------------------------------
// Flat scroll bars

BOOL InitializeFlatSB(HWND h) {
  TWindow* w = FromHandle(h);
  if (!w) return FALSE;
  w->FlatScrollBars = true;
  RedrawFrame(w);
  return TRUE;
}

HRESULT UninitializeFlatSB(HWND h) {
  TWindow* w = FromHandle(h);
  if (!w) return E_FAIL;
  w->FlatScrollBars = false;
  RedrawFrame(w);
  return S_OK;
}

BOOL FlatSB_SetScrollProp(HWND h, UINT index, LONG_PTR newValue, BOOL redraw) {
  TWindow* w = FromHandle(h);
  if (!w || !w->FlatScrollBars) return FALSE;
  int style = static_cast<int>(newValue);
  if (style < FSB_REGULAR_MODE || style > FSB_FLAT_MODE) style = FSB_REGULAR_MODE;
  if (index == WSB_PROP_VSTYLE)
    w->Scroll[SB_VERT].FlatStyle = style;
  else if (index == WSB_PROP_HSTYLE)
    w->Scroll[SB_HORZ].FlatStyle = style;
  else if (!(index & WSB_PROP_MASK))
    return FALSE;
  if (redraw) RedrawFrame(w);
  return TRUE;
}

BOOL FlatSB_GetScrollProp(HWND h, UINT index, int* pValue) {
  TWindow* w = FromHandle(h);
  if (!w || !pValue) return FALSE;
  switch (index) {
    case WSB_PROP_VSTYLE: *pValue = w->Scroll[SB_VERT].FlatStyle; return TRUE;
    case WSB_PROP_HSTYLE: *pValue = w->Scroll[SB_HORZ].FlatStyle; return TRUE;
    case WSB_PROP_CXVSCROLL: case WSB_PROP_CYVSCROLL: *pValue = GetSystemMetrics(SM_CXVSCROLL); return TRUE;
    case WSB_PROP_CXHSCROLL: case WSB_PROP_CYHSCROLL: *pValue = GetSystemMetrics(SM_CYHSCROLL); return TRUE;
    case WSB_PROP_WINSTYLE: *pValue = static_cast<int>(w->Style & (WS_HSCROLL | WS_VSCROLL)); return TRUE;
    default: return FALSE;
  }
}

int FlatSB_SetScrollInfo(HWND h, int nBar, LPCSCROLLINFO lpsi, BOOL redraw) { return SetScrollInfo(h, nBar, lpsi, redraw); }
BOOL FlatSB_GetScrollInfo(HWND h, int nBar, LPSCROLLINFO lpsi) { return GetScrollInfo(h, nBar, lpsi); }
int FlatSB_SetScrollPos(HWND h, int nBar, int nPos, BOOL redraw) { return SetScrollPos(h, nBar, nPos, redraw); }
int FlatSB_GetScrollPos(HWND h, int nBar) { return GetScrollPos(h, nBar); }
BOOL FlatSB_SetScrollRange(HWND h, int nBar, int nMinPos, int nMaxPos, BOOL redraw) {
  return SetScrollRange(h, nBar, nMinPos, nMaxPos, redraw);
}
BOOL FlatSB_ShowScrollBar(HWND h, int wBar, BOOL show) { return ShowScrollBar(h, wBar, show); }
BOOL FlatSB_EnableScrollBar(HWND h, UINT wSBflags, UINT wArrows) { return EnableScrollBar(h, wSBflags, wArrows); }
