// Icons: premultiplied 32-bit pixel copies behind HICON handles.
#include "platform/win/WinIcon.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>


namespace {

struct TIcon {
  int Width = 0, Height = 0;
  bool IsIcon = true;
  DWORD HotX = 0, HotY = 0;
  std::vector<std::uint32_t> Pixels;   // premultiplied 0xAARRGGBB, top row first
};

std::mutex gIconLock;
std::unordered_set<TIcon*>& LiveIcons() {
  static auto* icons = new std::unordered_set<TIcon*>();
  return *icons;
}

TIcon* IconOf(HICON AIcon) {
  auto* icon = reinterpret_cast<TIcon*>(AIcon);
  std::lock_guard guard(gIconLock);
  return LiveIcons().count(icon) ? icon : nullptr;
}

BITMAPINFO TopDown32(int AWidth, int AHeight) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = AWidth;
  info.bmiHeader.biHeight = -AHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

bool ReadBitmapPixels(HBITMAP ABitmap, int& AWidth, int& AHeight, std::vector<std::uint32_t>& APixels) {
  BITMAP bm;
  if (!ABitmap || GetObject(ABitmap, sizeof(bm), &bm) != sizeof(bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    return false;
  AWidth = bm.bmWidth;
  AHeight = bm.bmHeight;
  BITMAPINFO info = TopDown32(AWidth, AHeight);
  APixels.assign(static_cast<std::size_t>(AWidth) * AHeight, 0);
  return GetDIBits(nullptr, ABitmap, 0, static_cast<UINT>(AHeight), APixels.data(), &info, DIB_RGB_COLORS) == AHeight;
}

HBITMAP CreateBitmapFromPixels(int AWidth, int AHeight, const std::uint32_t* APixels) {
  BITMAPINFO info = TopDown32(AWidth, AHeight);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap) std::memcpy(bits, APixels, static_cast<std::size_t>(AWidth) * AHeight * 4);
  return bitmap;
}

HICON CreateIconIndirect(const ICONINFO* AInfo) {
  if (!AInfo) return nullptr;
  auto icon = std::make_unique<TIcon>();
  if (!ReadBitmapPixels(AInfo->hbmColor, icon->Width, icon->Height, icon->Pixels)) return nullptr;
  bool hasAlpha = false;
  for (std::uint32_t p : icon->Pixels) hasAlpha = hasAlpha || (p >> 24) != 0;
  std::vector<std::uint32_t> mask;
  int mw = 0, mh = 0;
  bool masked = ReadBitmapPixels(AInfo->hbmMask, mw, mh, mask);
  if (masked && (mw != icon->Width || mh < icon->Height)) return nullptr;
  for (std::size_t i = 0; i < icon->Pixels.size(); ++i) {
    std::uint32_t& p = icon->Pixels[i];
    bool transparent = masked && (mask[i] & 0x00FFFFFF) != 0;
    if (transparent) p = 0;
    else if (!hasAlpha && masked) p |= 0xFF000000u;
  }
  icon->IsIcon = AInfo->fIcon != 0;
  icon->HotX = AInfo->xHotspot;
  icon->HotY = AInfo->yHotspot;
  std::lock_guard guard(gIconLock);
  LiveIcons().insert(icon.get());
  return reinterpret_cast<HICON>(icon.release());
}

BOOL GetIconInfo(HICON AIcon, ICONINFO* AInfo) {
  TIcon* icon = IconOf(AIcon);
  if (!icon || !AInfo) return FALSE;
  HBITMAP color = CreateBitmapFromPixels(icon->Width, icon->Height, icon->Pixels.data());
  if (!color) return FALSE;
  // The mask's rows are word aligned, one bit a pixel, 1 for transparent.
  int stride = ((icon->Width + 15) / 16) * 2;
  std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(stride) * icon->Height, 0);
  for (int y = 0; y < icon->Height; ++y)
    for (int x = 0; x < icon->Width; ++x)
      if ((icon->Pixels[static_cast<std::size_t>(y) * icon->Width + x] >> 24) == 0)
        maskBits[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
  HBITMAP mask = CreateBitmap(icon->Width, icon->Height, 1, 1, maskBits.data());
  if (!mask) {
    DeleteObject(color);
    return FALSE;
  }
  AInfo->fIcon = icon->IsIcon ? TRUE : FALSE;
  AInfo->xHotspot = icon->HotX;
  AInfo->yHotspot = icon->HotY;
  AInfo->hbmColor = color;
  AInfo->hbmMask = mask;
  return TRUE;
}

BOOL DestroyIcon(HICON AIcon) {
  auto* icon = reinterpret_cast<TIcon*>(AIcon);
  {
    std::lock_guard guard(gIconLock);
    if (!LiveIcons().erase(icon)) return FALSE;
  }
  delete icon;
  return TRUE;
}

BOOL DrawIconEx(HDC ADC, int X, int Y, HICON AIcon, int AWidth, int AHeight, UINT, HBRUSH, UINT AFlags) {
  TIcon* icon = IconOf(AIcon);
  if (!icon || !ADC) return FALSE;
  if (AWidth <= 0) AWidth = icon->Width;
  if (AHeight <= 0) AHeight = icon->Height;
  BITMAPINFO info = TopDown32(icon->Width, icon->Height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return FALSE;
  auto* out = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0; i < icon->Pixels.size(); ++i) {
    std::uint32_t p = icon->Pixels[i];
    // The mask alone: black where the icon shows.
    out[i] = (AFlags & DI_IMAGE) ? p : ((p >> 24) ? 0xFF000000u : 0);
  }
  HDC memory = CreateCompatibleDC(ADC);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BLENDFUNCTION blend;
  blend.AlphaFormat = AC_SRC_ALPHA;
  BOOL done = AlphaBlend(ADC, X, Y, AWidth, AHeight, memory, 0, 0, icon->Width, icon->Height, blend);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return done;
}
