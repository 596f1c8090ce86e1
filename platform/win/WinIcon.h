#pragma once
// Icons made from bitmaps: 32-bit premultiplied pixels with a hot spot, drawn with their alpha.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win/WinGdi.h"
#include "platform/win/WinTypes.h"

struct ICONINFO {
  BOOL fIcon = TRUE;
  DWORD xHotspot = 0;
  DWORD yHotspot = 0;
  HBITMAP hbmMask = nullptr;    // 1 where the icon is transparent (and its colour is ignored)
  HBITMAP hbmColor = nullptr;   // 32-bit colour; its alpha counts when any pixel has some or no mask is given
};

constexpr UINT DI_MASK = 0x0001, DI_IMAGE = 0x0002, DI_NORMAL = 0x0003, DI_COMPAT = 0x0004,
               DI_DEFAULTSIZE = 0x0008, DI_NOMIRROR = 0x0010;

// Copies the pixels of both bitmaps into a new icon; nullptr without a colour bitmap or with bitmaps
// of different sizes. The bitmaps stay the caller's.
// Bitmaps by pixel copy, as 32-bit top-down rows (0xAARRGGBB). ReadBitmapPixels answers false for no
// bitmap; CreateBitmapFromPixels makes a new DIB section of Width x Height holding APixels, or nil.
bool ReadBitmapPixels(HBITMAP ABitmap, int& AWidth, int& AHeight, std::vector<std::uint32_t>& APixels);
HBITMAP CreateBitmapFromPixels(int AWidth, int AHeight, const std::uint32_t* APixels);

HICON CreateIconIndirect(const ICONINFO* AInfo);
// An icon or cursor from the bytes of an .ico or .cur file: its entry nearest to 32 x 32 (BMP
// entries of 1, 4, 8, 24 or 32 bits with their AND mask) and, for a cursor, the entry's hot spot.
// nullptr for anything else. The caller destroys it.
HICON CreateIconFromFileData(const BYTE* AData, std::size_t ASize);
// Fills AInfo with new bitmaps the caller deletes: a 32-bit top-down DIB section of the icon's
// premultiplied pixels and a monochrome mask.
BOOL GetIconInfo(HICON AIcon, ICONINFO* AInfo);
BOOL DestroyIcon(HICON AIcon);
// Draws the icon at (X, Y) scaled to AWidth x AHeight (0: its own size), blended by its alpha.
BOOL DrawIconEx(HDC ADC, int X, int Y, HICON AIcon, int AWidth, int AHeight, UINT AStep, HBRUSH AFlickerFree,
                UINT AFlags);
inline BOOL DrawIcon(HDC ADC, int X, int Y, HICON AIcon) { return DrawIconEx(ADC, X, Y, AIcon, 0, 0, 0, nullptr, DI_NORMAL); }
