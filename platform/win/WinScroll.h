#pragma once
// Window scroll bars (the WS_VSCROLL / WS_HSCROLL bars of a window's non-client area), their flat
// style, and scrolling a window's pixels.
//
// A bar keeps a range, a page, a position and, while its thumb is dragged, a track position. Setting
// a range shows the bar when it has something to scroll and hides it when not, unless
// SIF_DISABLENOSCROLL asks to keep it shown and disabled. Pressing the bar sends WM_VSCROLL /
// WM_HSCROLL (lParam 0) with SB_LINE*, SB_PAGE* (repeated while held), SB_THUMBTRACK while the thumb
// is dragged, SB_THUMBPOSITION when it is let go, and SB_ENDSCROLL last. A disabled bar is mute.
#include "platform/win/WinUser.h"

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

constexpr UINT SIF_RANGE = 0x0001, SIF_PAGE = 0x0002, SIF_POS = 0x0004, SIF_DISABLENOSCROLL = 0x0008,
               SIF_TRACKPOS = 0x0010, SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// EnableScrollBar: which arrows are disabled.
constexpr UINT ESB_ENABLE_BOTH = 0x0000, ESB_DISABLE_BOTH = 0x0003, ESB_DISABLE_LEFT = 0x0001,
               ESB_DISABLE_RIGHT = 0x0002, ESB_DISABLE_UP = 0x0001, ESB_DISABLE_DOWN = 0x0002,
               ESB_DISABLE_LTUP = ESB_DISABLE_LEFT, ESB_DISABLE_RTDN = ESB_DISABLE_RIGHT;

// nBar is SB_HORZ or SB_VERT (SB_BOTH where a function takes both). SetScrollInfo answers the new
// position; SetScrollPos the previous one.
int SetScrollInfo(HWND hWnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw);
BOOL GetScrollInfo(HWND hWnd, int nBar, LPSCROLLINFO lpsi);
int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL redraw);
int GetScrollPos(HWND hWnd, int nBar);
BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL redraw);
BOOL GetScrollRange(HWND hWnd, int nBar, int* lpMinPos, int* lpMaxPos);
BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL show);
BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows);

// Moves the pixels of the client area (or of prcScroll) by (dx, dy) within prcClip; with
// SW_INVALIDATE the uncovered area joins the update region (erased with SW_ERASE). The uncovered
// area is also given back in hrgnUpdate and prcUpdate when they are not null. Answers the region
// type of the uncovered area.
constexpr UINT SW_SCROLLCHILDREN = 0x0001, SW_INVALIDATE = 0x0002, SW_ERASE = 0x0004;
int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* prcScroll, const RECT* prcClip, HRGN hrgnUpdate,
                   RECT* prcUpdate, UINT flags);
BOOL ScrollWindow(HWND hWnd, int dx, int dy, const RECT* lpRect, const RECT* lpClipRect);

// Flat scroll bars: the window's own bars drawn flat. Without InitializeFlatSB the FlatSB_*
// functions act on the bars as the plain ones do.
constexpr UINT WSB_PROP_CYVSCROLL = 0x0001, WSB_PROP_CXHSCROLL = 0x0002, WSB_PROP_CYHSCROLL = 0x0004,
               WSB_PROP_CXVSCROLL = 0x0008, WSB_PROP_CXHTHUMB = 0x0010, WSB_PROP_CYVTHUMB = 0x0020,
               WSB_PROP_VBKGCOLOR = 0x0040, WSB_PROP_HBKGCOLOR = 0x0080, WSB_PROP_VSTYLE = 0x0100,
               WSB_PROP_HSTYLE = 0x0200, WSB_PROP_WINSTYLE = 0x0400, WSB_PROP_PALETTE = 0x0800,
               WSB_PROP_MASK = 0x0FFF;
constexpr int FSB_REGULAR_MODE = 0, FSB_ENCARTA_MODE = 1, FSB_FLAT_MODE = 2;
BOOL InitializeFlatSB(HWND hWnd);
HRESULT UninitializeFlatSB(HWND hWnd);
BOOL FlatSB_SetScrollProp(HWND hWnd, UINT index, LONG_PTR newValue, BOOL redraw);
BOOL FlatSB_GetScrollProp(HWND hWnd, UINT index, int* pValue);
int FlatSB_SetScrollInfo(HWND hWnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw);
BOOL FlatSB_GetScrollInfo(HWND hWnd, int nBar, LPSCROLLINFO lpsi);
int FlatSB_SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL redraw);
int FlatSB_GetScrollPos(HWND hWnd, int nBar);
BOOL FlatSB_SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL redraw);
BOOL FlatSB_ShowScrollBar(HWND hWnd, int wBar, BOOL show);
BOOL FlatSB_EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows);
