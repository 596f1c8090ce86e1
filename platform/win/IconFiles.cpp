// Icons and cursors from the bytes of .ico and .cur files: the directory, then one BMP entry (a
// BITMAPINFOHEADER of twice the height, a palette, the colour rows and the AND mask, both bottom
// up with rows padded to 32 bits).
#include "platform/win/WinIcon.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::uint16_t U16(const BYTE* P) { return static_cast<std::uint16_t>(P[0] | (P[1] << 8)); }
std::uint32_t U32(const BYTE* P) {
  return static_cast<std::uint32_t>(P[0]) | (static_cast<std::uint32_t>(P[1]) << 8) |
         (static_cast<std::uint32_t>(P[2]) << 16) | (static_cast<std::uint32_t>(P[3]) << 24);
}

struct TEntry {
  int Width = 0, Height = 0;
  DWORD HotX = 0, HotY = 0;
  std::uint32_t Size = 0, Offset = 0;
};

std::size_t RowBytes(int Width, int Bits) { return ((static_cast<std::size_t>(Width) * Bits + 31) / 32) * 4; }

// The colour of pixel X of a colour row, as 0xAARRGGBB with full alpha (32 bits keep theirs).
std::uint32_t RowPixel(const BYTE* Row, int X, int Bits, const BYTE* Palette, std::uint32_t PaletteSize) {
  auto fromPalette = [&](std::uint32_t Index) -> std::uint32_t {
    if (Index >= PaletteSize) return 0xFF000000u;
    const BYTE* q = Palette + Index * 4;
    return 0xFF000000u | (static_cast<std::uint32_t>(q[2]) << 16) | (static_cast<std::uint32_t>(q[1]) << 8) | q[0];
  };
  switch (Bits) {
    case 1: return fromPalette((Row[X / 8] >> (7 - X % 8)) & 1);
    case 4: return fromPalette((Row[X / 2] >> (X % 2 ? 0 : 4)) & 0xF);
    case 8: return fromPalette(Row[X]);
    case 24: {
      const BYTE* q = Row + X * 3;
      return 0xFF000000u | (static_cast<std::uint32_t>(q[2]) << 16) | (static_cast<std::uint32_t>(q[1]) << 8) | q[0];
    }
    default: return U32(Row + X * 4);
  }
}

// Straight 0xAARRGGBB pixels, top row first, of one BMP entry; false when it is not one.
bool DecodeEntry(const BYTE* Data, std::size_t Size, const TEntry& Entry, int& Width, int& Height,
                 std::vector<std::uint32_t>& Pixels) {
  if (Entry.Offset >= Size || Size - Entry.Offset < 40) return false;
  const BYTE* h = Data + Entry.Offset;
  std::size_t avail = Size - Entry.Offset;
  std::uint32_t headerSize = U32(h);
  auto w = static_cast<std::int32_t>(U32(h + 4)), h2 = static_cast<std::int32_t>(U32(h + 8));
  int bits = U16(h + 14);
  if (headerSize < 40 || headerSize > avail || U32(h + 16) != 0 || w <= 0 || w > 256 || h2 <= 0 || h2 > 512) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  Width = w;
  Height = h2 / 2;
  std::uint32_t paletteSize = bits <= 8 ? (U32(h + 32) ? U32(h + 32) : 1u << bits) : 0;
  if (paletteSize > 256) return false;
  std::size_t colorRow = RowBytes(Width, bits), maskRow = RowBytes(Width, 1);
  std::size_t need = headerSize + paletteSize * 4 + colorRow * Height + maskRow * Height;
  if (need > avail) return false;
  const BYTE* palette = h + headerSize;
  const BYTE* colors = palette + paletteSize * 4;
  const BYTE* mask = colors + colorRow * Height;
  Pixels.assign(static_cast<std::size_t>(Width) * Height, 0);
  bool anyAlpha = false;
  if (bits == 32)
    for (int i = 0; i < Width * Height; ++i) anyAlpha = anyAlpha || (U32(colors + static_cast<std::size_t>(i) * 4) >> 24) != 0;
  for (int y = 0; y < Height; ++y) {
    const BYTE* crow = colors + colorRow * (Height - 1 - y);
    const BYTE* mrow = mask + maskRow * (Height - 1 - y);
    for (int x = 0; x < Width; ++x) {
      std::uint32_t p = RowPixel(crow, x, bits, palette, paletteSize);
      bool transparent = (mrow[x / 8] >> (7 - x % 8)) & 1;
      if (bits == 32 && anyAlpha) transparent = (p >> 24) == 0;
      else p |= 0xFF000000u;
      Pixels[static_cast<std::size_t>(y) * Width + x] = transparent ? 0 : p;
    }
  }
  return true;
}

std::uint32_t Premultiply(std::uint32_t P) {
  std::uint32_t a = P >> 24;
  auto ch = [&](int Shift) { return ((((P >> Shift) & 0xFF) * a + 127) / 255) << Shift; };
  return (a << 24) | ch(16) | ch(8) | ch(0);
}

}  // namespace

HICON CreateIconFromFileData(const BYTE* AData, std::size_t ASize) {
  if (!AData || ASize < 6 || U16(AData) != 0) return nullptr;
  std::uint16_t type = U16(AData + 2), count = U16(AData + 4);
  if ((type != 1 && type != 2) || count == 0 || ASize < 6 + static_cast<std::size_t>(count) * 16) return nullptr;
  // The entry nearest to 32 x 32.
  TEntry best;
  int bestDistance = -1;
  for (int i = 0; i < count; ++i) {
    const BYTE* e = AData + 6 + i * 16;
    TEntry entry;
    entry.Width = e[0] ? e[0] : 256;
    entry.Height = e[1] ? e[1] : 256;
    entry.HotX = type == 2 ? U16(e + 4) : 0;
    entry.HotY = type == 2 ? U16(e + 6) : 0;
    entry.Size = U32(e + 8);
    entry.Offset = U32(e + 12);
    int distance = std::abs(entry.Width - 32) + std::abs(entry.Height - 32);
    if (bestDistance < 0 || distance < bestDistance) {
      best = entry;
      bestDistance = distance;
    }
  }
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  if (!DecodeEntry(AData, ASize, best, width, height, pixels)) return nullptr;
  for (std::uint32_t& p : pixels) p = Premultiply(p);
  HBITMAP color = CreateBitmapFromPixels(width, height, pixels.data());
  if (!color) return nullptr;
  ICONINFO info;
  info.fIcon = type == 1 ? TRUE : FALSE;
  info.xHotspot = best.HotX;
  info.yHotspot = best.HotY;
  info.hbmColor = color;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(color);
  return icon;
}
