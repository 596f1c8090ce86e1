#pragma once
// The tooltip control (window class "Tooltips_Class32"): a top-level popup that shows a tip for the
// tools registered with it. A tool is a window (TTF_IDISHWND) or a rectangle of one; with
// TTF_SUBCLASS the control watches the tool window's mouse itself. When the pointer rests over a
// tool for the initial delay the control asks for the text (callback text: WM_NOTIFY with
// TTN_NEEDTEXTW to the tool's window), shows the tip at the pointer, topmost and without taking
// the focus, and hides it after the auto-pop delay, on a button press, when the pointer leaves the
// tool, or on TTM_POP. TTS_BALLOON draws a balloon with a stem and an optional title with an icon.
#include "platform/win/Messages.h"
#include "platform/win/RichEdit.h"
#include "platform/win/WinTypes.h"
#include "platform/win/WinUser.h"

constexpr const Char* TOOLTIPS_CLASSW = u"Tooltips_Class32";

// Styles
constexpr DWORD TTS_ALWAYSTIP = 0x01;   // tips also while the tool's window is inactive
constexpr DWORD TTS_NOPREFIX = 0x02;    // "&" is shown as it is
constexpr DWORD TTS_BALLOON = 0x40;

// Tool flags
constexpr UINT TTF_IDISHWND = 0x0001;   // uId is the tool's window; the tool is its client area
constexpr UINT TTF_CENTERTIP = 0x0002;
constexpr UINT TTF_SUBCLASS = 0x0010;   // the control watches the tool window's mouse messages

// Messages
constexpr UINT TTM_ACTIVATE = WM_USER + 1;
constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;       // wParam TTDT_*, LOWORD(lParam) milliseconds (-1: default)
constexpr UINT TTM_RELAYEVENT = WM_USER + 7;         // lParam MSG* of the tool's window
constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
constexpr UINT TTM_SETTIPBKCOLOR = WM_USER + 19;     // wParam COLORREF
constexpr UINT TTM_SETTIPTEXTCOLOR = WM_USER + 20;   // wParam COLORREF
constexpr UINT TTM_GETDELAYTIME = WM_USER + 21;      // wParam TTDT_*
constexpr UINT TTM_GETTIPBKCOLOR = WM_USER + 22;
constexpr UINT TTM_GETTIPTEXTCOLOR = WM_USER + 23;
constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;    // lParam pixels (-1: none); answers the old width
constexpr UINT TTM_GETMAXTIPWIDTH = WM_USER + 25;
constexpr UINT TTM_POP = WM_USER + 28;
constexpr UINT TTM_SETTITLEW = WM_USER + 33;         // wParam icon TTI_* , lParam const Char*
constexpr UINT TTM_ADDTOOLW = WM_USER + 50;          // lParam TOOLINFOW*
constexpr UINT TTM_DELTOOLW = WM_USER + 51;          // lParam TOOLINFOW* (hwnd and uId)

// Delays
constexpr WPARAM TTDT_AUTOMATIC = 0;   // sets the other three from one value
constexpr WPARAM TTDT_RESHOW = 1;
constexpr WPARAM TTDT_AUTOPOP = 2;
constexpr WPARAM TTDT_INITIAL = 3;

// Title icons: TTI_NONE, TTI_INFO, TTI_WARNING, TTI_ERROR (Messages.h).

// Notifications (NMHDR codes) sent to the tool's window
constexpr UINT TTN_FIRST = static_cast<UINT>(-520);
constexpr UINT TTN_GETDISPINFOW = TTN_FIRST - 10;   // -530
constexpr UINT TTN_NEEDTEXTW = TTN_GETDISPINFOW;
constexpr UINT TTN_SHOW = TTN_FIRST - 1;            // -521
constexpr UINT TTN_POP = TTN_FIRST - 2;             // -522

// Text that the control asks for each time it shows the tip.
inline Char* const LPSTR_TEXTCALLBACKW = reinterpret_cast<Char*>(static_cast<std::intptr_t>(-1));

struct TOOLINFOW {
  UINT cbSize = sizeof(TOOLINFOW);
  UINT uFlags = 0;
  HWND hwnd = nullptr;       // the window that gets the notifications (and holds rectangle tools)
  UINT_PTR uId = 0;          // the tool's window with TTF_IDISHWND, else an id of the caller
  RECT rect{};               // client coordinates of hwnd; ignored with TTF_IDISHWND
  HINSTANCE hinst = nullptr;
  Char* lpszText = nullptr;  // the text, or LPSTR_TEXTCALLBACKW
  LPARAM lParam = 0;
};
using TTOOLINFOW = TOOLINFOW;

// TTN_NEEDTEXTW: the receiver points lpszText at the text (valid until it returns to its message
// loop) or copies up to 79 characters into szText.
struct NMTTDISPINFOW {
  NMHDR hdr;
  Char* lpszText = nullptr;
  Char szText[80] = {};
  HINSTANCE hinst = nullptr;
  UINT uFlags = 0;
  LPARAM lParam = 0;
};

// Registers the window class (once; CreateWindowEx does it on its first use of the class name).
void RegisterToolTipClass();
