#pragma once
// Picture codecs of the graphics classes: PNG, JPEG, BMP and ICO to and from plain pixel buffers.
// Internal to platform/ui; the graphic classes (TBitmap, TPngImage, TJPEGImage, TIcon) build on it.
// Every decoder checks its input and raises EInvalidGraphic for truncated or corrupt data.
#include <cstddef>
#include <utility>
#include <vector>

#include "platform/rtl/System.h"

class TStream;

namespace ImageCodecs {

// The bytes from the stream's position to its end; the stream is left at its end.
std::vector<Byte> ReadToEnd(TStream* Stream);
// Whether the Count (at most 16) bytes at the stream's position pass Test; the position is left
// where it was.
bool PeekSignature(TStream* Stream, std::size_t Count, bool (*Test)(const Byte*, std::size_t));

// Top-down rows of B, G, R, A bytes with straight (not premultiplied) alpha, 4 bytes a pixel.
struct TRawImage {
  Integer Width = 0;
  Integer Height = 0;
  std::vector<Byte> Pixels;
  bool HasAlpha = false;   // the source carried transparency (alpha channel, tRNS, icon mask)

  void SetSize(Integer AWidth, Integer AHeight);   // opaque black
  Byte* Row(Integer y) { return Pixels.data() + static_cast<std::size_t>(y) * Width * 4; }
  const Byte* Row(Integer y) const { return Pixels.data() + static_cast<std::size_t>(y) * Width * 4; }
};

// A device-independent bitmap in its own format: top-down rows padded to 4 bytes. BitCount is 1,
// 4, 8 (with Palette), 16 (5-5-5 or 5-6-5 by Is565), 24 (B, G, R) or 32 (B, G, R, A).
struct TDibImage {
  Integer Width = 0;
  Integer Height = 0;
  Integer BitCount = 24;
  bool Is565 = false;
  bool HasAlpha = false;           // 32 bits: the fourth byte is alpha (as a file declared it)
  std::vector<Cardinal> Palette;   // 0x00RRGGBB entries
  std::vector<Byte> Bits;

  static std::size_t StrideFor(Integer AWidth, Integer ABitCount) {
    return ((static_cast<std::size_t>(AWidth) * ABitCount + 31) / 32) * 4;
  }
  std::size_t Stride() const { return StrideFor(Width, BitCount); }
  Byte* Row(Integer y) { return Bits.data() + static_cast<std::size_t>(y) * Stride(); }
  const Byte* Row(Integer y) const { return Bits.data() + static_cast<std::size_t>(y) * Stride(); }
};

// Largest width or height any decoder accepts; larger headers are treated as corrupt.
constexpr Integer MaxDimension = 1 << 15;
// Largest pixel count any decoder accepts (a small file must not claim gigabytes).
constexpr Int64 MaxPixels = Int64(1) << 26;

// PNG (libpng). Palette, grey and 16-bit images come out as 8-bit BGRA.
bool IsPng(const Byte* Data, std::size_t Size);
TRawImage DecodePng(const Byte* Data, std::size_t Size);
std::vector<Byte> EncodePng(const TRawImage& Image, bool WithAlpha);

// JPEG (libjpeg 6b API). Grey images come out with equal channels; Grey is set for them.
bool IsJpeg(const Byte* Data, std::size_t Size);
TRawImage DecodeJpeg(const Byte* Data, std::size_t Size, bool* Grey = nullptr);
std::vector<Byte> EncodeJpeg(const TRawImage& Image, Integer Quality, bool Grey);

// BMP files: 1, 4, 8, 16, 24 and 32 bits per pixel (uncompressed or bit fields), bottom-up or
// top-down, with core, info and V4/V5 headers. Written as 24 or 32 bits with an info header
// (other depths as they are, with their palette).
bool IsBmp(const Byte* Data, std::size_t Size);
TDibImage DecodeBmp(const Byte* Data, std::size_t Size);
// A bitmap resource: a DIB without the file header (info header, palette, bits).
TDibImage DecodeDib(const Byte* Data, std::size_t Size);
std::vector<Byte> EncodeBmp(const TDibImage& Image);

// ICO files: the entry closest to the wanted size (largest, then deepest, on a tie); BMP entries
// with their AND mask and PNG entries.
bool IsIco(const Byte* Data, std::size_t Size);
TRawImage DecodeIco(const Byte* Data, std::size_t Size, Integer WantedSize = 32);

// Alpha premultiplication of a row of BGRA pixels, in place.
void PremultiplyRow(Byte* Row, Integer Width);
void UnpremultiplyRow(Byte* Row, Integer Width);

// Conversions between a DIB's own format and straight BGRA, a row at a time. Without UseAlpha a
// 32-bit row comes out opaque. Indexed formats take the nearest palette entry.
void DibRowToBgra(const TDibImage& Dib, Integer y, Byte* Out, bool UseAlpha);
class TPaletteMatcher {
public:
  explicit TPaletteMatcher(const std::vector<Cardinal>& Palette) : FPalette(Palette) {}
  Byte Nearest(Byte B, Byte G, Byte R);
private:
  const std::vector<Cardinal>& FPalette;
  Cardinal FLastColor = 0xFFFFFFFF;
  Byte FLastIndex = 0;
  std::vector<std::pair<Cardinal, Byte>> FCache;   // open addressing, colour+1 as the key
};
void BgraRowToDib(const Byte* In, TDibImage& Dib, Integer y, TPaletteMatcher& Matcher);

void DibToRaw(const TDibImage& Dib, TRawImage& Raw, bool UseAlpha);
void RawToDib(const TRawImage& Raw, TDibImage& Dib);   // keeps Dib's BitCount and palette
// The standard palettes of fresh 1-, 4- and 8-bit bitmaps (black and white; the 16 VGA colours;
// a 6x6x6 colour cube, grey ramp and the VGA colours).
std::vector<Cardinal> DefaultPalette(Integer BitCount);

}  // namespace ImageCodecs
