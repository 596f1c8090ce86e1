#pragma once
// Handle, message and geometry types of the window system, with the platform's sizes and layouts.
#include "platform/rtl/System.h"

using BOOL = std::int32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using ATOM = std::uint16_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HRESULT = std::int32_t;
using COLORREF = std::uint32_t;   // 0x00BBGGRR
using LPCWSTR = const Char*;
using LPWSTR = Char*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// Handles are opaque pointers to objects of the window system.
struct HWND__; using HWND = HWND__*;
struct HDC__; using HDC = HDC__*;
struct HGDIOBJ__; using HGDIOBJ = HGDIOBJ__*;
using HPEN = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HFONT = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HRGN = HGDIOBJ;
using HPALETTE = HGDIOBJ;
struct HICON__; using HICON = HICON__*;
using HCURSOR = HICON;
struct HMENU__; using HMENU = HMENU__*;
struct HHOOK__; using HHOOK = HHOOK__*;
struct HMONITOR__; using HMONITOR = HMONITOR__*;
using HANDLE = void*;
using HGLOBAL = HANDLE;
using HINSTANCE = void*;

struct POINT { LONG x = 0; LONG y = 0; };
struct SIZE { LONG cx = 0; LONG cy = 0; };
struct RECT { LONG left = 0; LONG top = 0; LONG right = 0; LONG bottom = 0; };
using TPoint = POINT;
using TSize = SIZE;
using TRect = RECT;

inline bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
inline bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
inline WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline SHORT GET_X_LPARAM(LPARAM lp) { return static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lp))); }
inline SHORT GET_Y_LPARAM(LPARAM lp) { return static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(lp))); }
inline LPARAM MAKELPARAM(WORD lo, WORD hi) {
  return static_cast<LPARAM>(static_cast<std::uint32_t>(lo) | (static_cast<std::uint32_t>(hi) << 16));
}
inline WPARAM MAKEWPARAM(WORD lo, WORD hi) {
  return static_cast<WPARAM>(static_cast<std::uint32_t>(lo) | (static_cast<std::uint32_t>(hi) << 16));
}
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }
