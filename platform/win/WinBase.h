#pragma once
// Movable global memory, as the clipboard and data transfer pass it around.
#include "platform/win/WinTypes.h"

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GMEM_SHARE = GMEM_DDESHARE;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

HGLOBAL GlobalAlloc(UINT uFlags, std::size_t dwBytes);   // nullptr when out of memory
HGLOBAL GlobalReAlloc(HGLOBAL hMem, std::size_t dwBytes, UINT uFlags);
void* GlobalLock(HGLOBAL hMem);         // nullptr for an invalid handle
BOOL GlobalUnlock(HGLOBAL hMem);        // TRUE while still locked
HGLOBAL GlobalFree(HGLOBAL hMem);       // nullptr on success, the handle for an invalid one
std::size_t GlobalSize(HGLOBAL hMem);   // 0 for an invalid handle
