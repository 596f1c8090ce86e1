// BMP and ICO files, and the conversions between a DIB's own format and BGRA rows.
#include <algorithm>
#include <bit>
#include <cstdlib>
#include <string>
#include <cstring>

#include "platform/rtl/SysUtils.h"
#include "platform/ui/ImageCodecs.h"

namespace ImageCodecs {

namespace {

constexpr Cardinal BI_RGB = 0, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;

// Bounds-checked little-endian reads over a byte block.
class TReader {
public:
  TReader(const Byte* Data, std::size_t Size, const char16_t* What) : FData(Data), FSize(Size), FWhat(What) {}
  bool Has(std::size_t Pos, std::size_t Count) const { return Pos <= FSize && Count <= FSize - Pos; }
  void Need(std::size_t Pos, std::size_t Count) const {
    if (!Has(Pos, Count)) Fail(u"the data ends early (truncated file)");
  }
  Word U16(std::size_t Pos) const {
    Need(Pos, 2);
    return static_cast<Word>(FData[Pos] | (FData[Pos + 1] << 8));
  }
  Cardinal U32(std::size_t Pos) const {
    Need(Pos, 4);
    return FData[Pos] | (FData[Pos + 1] << 8) | (FData[Pos + 2] << 16) | (static_cast<Cardinal>(FData[Pos + 3]) << 24);
  }
  Integer I32(std::size_t Pos) const { return static_cast<Integer>(U32(Pos)); }
  const Byte* At(std::size_t Pos) const { return FData + Pos; }
  std::size_t Size() const { return FSize; }
  [[noreturn]] void Fail(const String& Why) const { throw EInvalidGraphic(String(FWhat) + u" is not valid: " + Why); }

private:
  const Byte* FData;
  std::size_t FSize;
  const char16_t* FWhat;
};

void Put16(std::vector<Byte>& Out, Word v) {
  Out.push_back(static_cast<Byte>(v));
  Out.push_back(static_cast<Byte>(v >> 8));
}
void Put32(std::vector<Byte>& Out, Cardinal v) {
  for (int i = 0; i < 4; ++i) Out.push_back(static_cast<Byte>(v >> (8 * i)));
}

int MaskShift(Cardinal Mask) { return Mask ? std::countr_zero(Mask) : 0; }
int MaskBits(Cardinal Mask) { return Mask ? std::popcount(Mask >> MaskShift(Mask)) : 0; }
Byte MaskValue(Cardinal Pixel, Cardinal Mask) {
  if (!Mask) return 0;
  const Cardinal v = (Pixel & Mask) >> MaskShift(Mask);
  const int bits = MaskBits(Mask);
  if (bits >= 8) return static_cast<Byte>(v >> (bits - 8));
  const Cardinal max = (1u << bits) - 1;
  return static_cast<Byte>((v * 255 + max / 2) / max);
}

// The pixel part of a DIB: header at HeaderPos, bits at BitsPos (0: right after the palette).
// Icons pass their doubled height and take the AND mask from where the colour bits end.
struct TDibInfo {
  TDibImage Dib;
  std::size_t BitsEnd = 0;   // first byte after the colour bits
};

TDibInfo ReadDib(const TReader& R, std::size_t HeaderPos, std::size_t BitsPos, bool Icon) {
  const Cardinal headerSize = R.U32(HeaderPos);
  Integer width, height;
  Word planes, bitCount;
  Cardinal compression = BI_RGB, clrUsed = 0;
  std::size_t paletteEntry = 4;
  if (headerSize == 12) {
    width = R.U16(HeaderPos + 4);
    height = static_cast<SmallInt>(R.U16(HeaderPos + 6));
    planes = R.U16(HeaderPos + 8);
    bitCount = R.U16(HeaderPos + 10);
    paletteEntry = 3;
  } else if (headerSize >= 40 && headerSize <= 124) {
    R.Need(HeaderPos, headerSize);
    width = R.I32(HeaderPos + 4);
    height = R.I32(HeaderPos + 8);
    planes = R.U16(HeaderPos + 12);
    bitCount = R.U16(HeaderPos + 14);
    compression = R.U32(HeaderPos + 16);
    clrUsed = R.U32(HeaderPos + 32);
  } else {
    R.Fail(u"unknown header size " + UTF8ToString(std::to_string(headerSize)));
  }
  const bool topDown = height < 0;
  Int64 rows = topDown ? -static_cast<Int64>(height) : height;   // INT_MIN has no negation in 32 bits
  if (Icon) rows /= 2;
  if (width <= 0 || rows <= 0 || width > MaxDimension || rows > MaxDimension ||
      static_cast<Int64>(width) * rows > MaxPixels)
    R.Fail(u"bad image size");
  height = static_cast<Integer>(rows);
  if (planes != 1) R.Fail(u"bad plane count");
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    R.Fail(u"unsupported bit count " + UTF8ToString(std::to_string(bitCount)));
  if (compression != BI_RGB && !((compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS) &&
                                 (bitCount == 16 || bitCount == 32)))
    R.Fail(u"unsupported compression " + UTF8ToString(std::to_string(compression)));

  // Colour masks: in the header from V2 on, else right after a 40-byte header.
  Cardinal rMask = 0, gMask = 0, bMask = 0, aMask = 0;
  std::size_t pos = HeaderPos + headerSize;
  if (compression != BI_RGB) {
    std::size_t maskPos = headerSize >= 52 ? HeaderPos + 40 : pos;
    rMask = R.U32(maskPos);
    gMask = R.U32(maskPos + 4);
    bMask = R.U32(maskPos + 8);
    if (headerSize >= 56) aMask = R.U32(HeaderPos + 52);
    else if (compression == BI_ALPHABITFIELDS) aMask = R.U32(maskPos + 12);
    if (headerSize == 40) pos += compression == BI_ALPHABITFIELDS ? 16 : 12;
  } else if (bitCount == 16) {
    rMask = 0x7C00; gMask = 0x03E0; bMask = 0x001F;
  } else if (bitCount == 32) {
    rMask = 0x00FF0000; gMask = 0x0000FF00; bMask = 0x000000FF;
    if (headerSize >= 56) aMask = R.U32(HeaderPos + 52);   // V4/V5 declare alpha even for BI_RGB
  }

  TDibInfo out;
  TDibImage& dib = out.Dib;
  dib.Width = width;
  dib.Height = height;
  if (bitCount <= 8) {
    const Cardinal maxColors = 1u << bitCount;
    const Cardinal count = clrUsed == 0 || clrUsed > maxColors ? maxColors : clrUsed;
    R.Need(pos, count * paletteEntry);
    dib.Palette.resize(maxColors, 0);
    for (Cardinal i = 0; i < count; ++i) {
      const Byte* p = R.At(pos + i * paletteEntry);
      dib.Palette[i] = p[0] | (p[1] << 8) | (p[2] << 16);
    }
    pos += count * paletteEntry;
  }
  if (BitsPos == 0) BitsPos = pos;
  const std::size_t srcStride = TDibImage::StrideFor(width, bitCount);
  R.Need(BitsPos, srcStride * height);
  out.BitsEnd = BitsPos + srcStride * height;

  // Canonical layouts are kept as they are; other bit fields are spread to 32 bits.
  const bool std555 = rMask == 0x7C00 && gMask == 0x03E0 && bMask == 0x001F;
  const bool std565 = rMask == 0xF800 && gMask == 0x07E0 && bMask == 0x001F;
  const bool std32 = rMask == 0x00FF0000 && gMask == 0x0000FF00 && bMask == 0x000000FF &&
                     (aMask == 0 || aMask == 0xFF000000);
  const bool convert = (bitCount == 16 && !std555 && !std565) || (bitCount == 32 && !std32);
  dib.BitCount = convert ? 32 : bitCount;
  dib.Is565 = bitCount == 16 && std565;
  dib.HasAlpha = bitCount == 32 && aMask != 0;
  dib.Bits.resize(dib.Stride() * height);
  for (Integer y = 0; y < height; ++y) {
    const Byte* src = R.At(BitsPos + srcStride * (topDown ? y : height - 1 - y));
    Byte* dst = dib.Row(y);
    if (!convert) {
      std::memcpy(dst, src, std::min(srcStride, dib.Stride()));
      continue;
    }
    for (Integer x = 0; x < width; ++x) {
      const Cardinal px = bitCount == 16 ? static_cast<Cardinal>(src[x * 2] | (src[x * 2 + 1] << 8))
                                         : src[x * 4] | (src[x * 4 + 1] << 8) | (src[x * 4 + 2] << 16) |
                                               (static_cast<Cardinal>(src[x * 4 + 3]) << 24);
      dst[x * 4] = MaskValue(px, bMask);
      dst[x * 4 + 1] = MaskValue(px, gMask);
      dst[x * 4 + 2] = MaskValue(px, rMask);
      dst[x * 4 + 3] = aMask ? MaskValue(px, aMask) : 0xFF;
    }
  }
  return out;
}

Byte Expand5(Cardinal v) { return static_cast<Byte>((v << 3) | (v >> 2)); }
Byte Expand6(Cardinal v) { return static_cast<Byte>((v << 2) | (v >> 4)); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Row conversions
// ---------------------------------------------------------------------------------------------

void DibRowToBgra(const TDibImage& Dib, Integer y, Byte* Out, bool UseAlpha) {
  const Byte* src = Dib.Row(y);
  const Integer w = Dib.Width;
  auto putColor = [&](Integer x, Cardinal c) {
    Out[x * 4] = static_cast<Byte>(c);
    Out[x * 4 + 1] = static_cast<Byte>(c >> 8);
    Out[x * 4 + 2] = static_cast<Byte>(c >> 16);
    Out[x * 4 + 3] = 0xFF;
  };
  auto palette = [&](Cardinal i) { return i < Dib.Palette.size() ? Dib.Palette[i] : 0u; };
  switch (Dib.BitCount) {
    case 1:
      for (Integer x = 0; x < w; ++x) putColor(x, palette((src[x >> 3] >> (7 - (x & 7))) & 1));
      break;
    case 4:
      for (Integer x = 0; x < w; ++x) putColor(x, palette((src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF));
      break;
    case 8:
      for (Integer x = 0; x < w; ++x) putColor(x, palette(src[x]));
      break;
    case 16:
      for (Integer x = 0; x < w; ++x) {
        const Cardinal v = src[x * 2] | (src[x * 2 + 1] << 8);
        Byte* o = Out + x * 4;
        o[0] = Expand5(v & 0x1F);
        if (Dib.Is565) {
          o[1] = Expand6((v >> 5) & 0x3F);
          o[2] = Expand5((v >> 11) & 0x1F);
        } else {
          o[1] = Expand5((v >> 5) & 0x1F);
          o[2] = Expand5((v >> 10) & 0x1F);
        }
        o[3] = 0xFF;
      }
      break;
    case 24:
      for (Integer x = 0; x < w; ++x) {
        std::memcpy(Out + x * 4, src + x * 3, 3);
        Out[x * 4 + 3] = 0xFF;
      }
      break;
    default:
      std::memcpy(Out, src, static_cast<std::size_t>(w) * 4);
      if (!UseAlpha)
        for (Integer x = 0; x < w; ++x) Out[x * 4 + 3] = 0xFF;
      break;
  }
}

Byte TPaletteMatcher::Nearest(Byte B, Byte G, Byte R) {
  const Cardinal color = B | (G << 8) | (R << 16);
  if (color == FLastColor) return FLastIndex;
  if (FCache.empty()) FCache.assign(4096, {0u, Byte(0)});
  const std::size_t mask = FCache.size() - 1;
  const std::size_t start = ((color * 2654435761u) >> 20) & mask;
  std::size_t slot = start;
  while (FCache[slot].first != 0 && FCache[slot].first != color + 1) {
    slot = (slot + 1) & mask;
    if (slot == start) {   // a full table starts over
      FCache.assign(FCache.size(), {0u, Byte(0)});
      break;
    }
  }
  auto& e = FCache[slot];
  if (e.first != color + 1) {
    int best = 0, bestDist = 1 << 30;
    for (std::size_t i = 0; i < FPalette.size(); ++i) {
      const Cardinal p = FPalette[i];
      const int db = int(p & 0xFF) - B, dg = int((p >> 8) & 0xFF) - G, dr = int((p >> 16) & 0xFF) - R;
      const int d = db * db + dg * dg + dr * dr;
      if (d < bestDist) {
        bestDist = d;
        best = static_cast<int>(i);
      }
    }
    e = {color + 1, static_cast<Byte>(best)};
  }
  FLastColor = color;
  FLastIndex = e.second;
  return FLastIndex;
}

void BgraRowToDib(const Byte* In, TDibImage& Dib, Integer y, TPaletteMatcher& Matcher) {
  Byte* dst = Dib.Row(y);
  const Integer w = Dib.Width;
  switch (Dib.BitCount) {
    case 1:
    case 4:
    case 8: {
      if (Dib.BitCount < 8) std::memset(dst, 0, Dib.Stride());
      const int bits = Dib.BitCount;
      for (Integer x = 0; x < w; ++x) {
        const Byte* p = In + x * 4;
        const Byte i = Matcher.Nearest(p[0], p[1], p[2]);
        if (bits == 8) dst[x] = i;
        else if (bits == 4) dst[x >> 1] |= static_cast<Byte>((i & 0xF) << ((x & 1) ? 0 : 4));
        else dst[x >> 3] |= static_cast<Byte>((i & 1) << (7 - (x & 7)));
      }
      break;
    }
    case 16:
      for (Integer x = 0; x < w; ++x) {
        const Byte* p = In + x * 4;
        const Cardinal v = Dib.Is565 ? ((p[2] >> 3) << 11) | ((p[1] >> 2) << 5) | (p[0] >> 3)
                                     : ((p[2] >> 3) << 10) | ((p[1] >> 3) << 5) | (p[0] >> 3);
        dst[x * 2] = static_cast<Byte>(v);
        dst[x * 2 + 1] = static_cast<Byte>(v >> 8);
      }
      break;
    case 24:
      for (Integer x = 0; x < w; ++x) std::memcpy(dst + x * 3, In + x * 4, 3);
      break;
    default:
      std::memcpy(dst, In, static_cast<std::size_t>(w) * 4);
      break;
  }
}

void PremultiplyRow(Byte* Row, Integer Width) {
  for (Integer x = 0; x < Width; ++x) {
    Byte* p = Row + x * 4;
    const unsigned a = p[3];
    if (a == 255) continue;
    for (int i = 0; i < 3; ++i) p[i] = static_cast<Byte>((p[i] * a + 127) / 255);
  }
}

void UnpremultiplyRow(Byte* Row, Integer Width) {
  for (Integer x = 0; x < Width; ++x) {
    Byte* p = Row + x * 4;
    const unsigned a = p[3];
    if (a == 255 || a == 0) continue;
    for (int i = 0; i < 3; ++i) p[i] = static_cast<Byte>(std::min(255u, (p[i] * 255u + a / 2) / a));
  }
}

void DibToRaw(const TDibImage& Dib, TRawImage& Raw, bool UseAlpha) {
  Raw.SetSize(Dib.Width, Dib.Height);
  Raw.HasAlpha = UseAlpha && Dib.BitCount == 32;
  for (Integer y = 0; y < Dib.Height; ++y) DibRowToBgra(Dib, y, Raw.Row(y), UseAlpha);
}

void RawToDib(const TRawImage& Raw, TDibImage& Dib) {
  Dib.Width = Raw.Width;
  Dib.Height = Raw.Height;
  Dib.Bits.assign(Dib.Stride() * Raw.Height, 0);
  TPaletteMatcher matcher(Dib.Palette);
  for (Integer y = 0; y < Raw.Height; ++y) BgraRowToDib(Raw.Row(y), Dib, y, matcher);
}

std::vector<Cardinal> DefaultPalette(Integer BitCount) {
  static const Cardinal vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                   0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                   0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};   // 0x00RRGGBB
  std::vector<Cardinal> pal;
  if (BitCount == 1) return {0x000000, 0xFFFFFF};
  pal.assign(vga, vga + 16);
  if (BitCount == 4) return pal;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) pal.push_back((r * 51u << 16) | (g * 51u << 8) | b * 51u);
  while (pal.size() < 256) {
    const Cardinal v = static_cast<Cardinal>((pal.size() - 232) * 255 / 23);
    pal.push_back(v << 16 | v << 8 | v);
  }
  return pal;
}

// ---------------------------------------------------------------------------------------------
// BMP files
// ---------------------------------------------------------------------------------------------

bool IsBmp(const Byte* Data, std::size_t Size) { return Size >= 2 && Data[0] == 'B' && Data[1] == 'M'; }

TDibImage DecodeBmp(const Byte* Data, std::size_t Size) {
  TReader r(Data, Size, u"Bitmap image");
  if (!IsBmp(Data, Size)) r.Fail(u"missing \"BM\" signature");
  r.Need(0, 18);
  const Cardinal offBits = r.U32(10);
  return ReadDib(r, 14, offBits >= 26 ? offBits : 0, false).Dib;
}

TDibImage DecodeDib(const Byte* Data, std::size_t Size) {
  TReader r(Data, Size, u"Bitmap image");
  return ReadDib(r, 0, 0, false).Dib;
}

std::vector<Byte> EncodeBmp(const TDibImage& Image) {
  if (Image.Width <= 0 || Image.Height <= 0) throw EInvalidGraphic(u"Cannot save an empty bitmap");
  const bool alpha = Image.BitCount == 32 && Image.HasAlpha;
  const bool fields = alpha || (Image.BitCount == 16 && Image.Is565);
  const Cardinal headerSize = alpha ? 108 : 40;
  const Cardinal maskBytes = fields && !alpha ? 12 : 0;
  const Cardinal paletteBytes = Image.BitCount <= 8 ? static_cast<Cardinal>(4u << Image.BitCount) : 0;
  const Cardinal offBits = 14 + headerSize + maskBytes + paletteBytes;
  const Cardinal imageBytes = static_cast<Cardinal>(Image.Stride() * Image.Height);
  std::vector<Byte> out;
  out.reserve(offBits + imageBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offBits + imageBytes);
  Put32(out, 0);
  Put32(out, offBits);
  Put32(out, headerSize);
  Put32(out, static_cast<Cardinal>(Image.Width));
  Put32(out, static_cast<Cardinal>(Image.Height));   // bottom-up
  Put16(out, 1);
  Put16(out, static_cast<Word>(Image.BitCount));
  Put32(out, fields ? BI_BITFIELDS : BI_RGB);
  Put32(out, imageBytes);
  Put32(out, 3780);   // 96 dpi in pixels per metre
  Put32(out, 3780);
  Put32(out, Image.BitCount <= 8 ? 1u << Image.BitCount : 0);
  Put32(out, 0);
  if (alpha) {
    Put32(out, 0x00FF0000);
    Put32(out, 0x0000FF00);
    Put32(out, 0x000000FF);
    Put32(out, 0xFF000000);
    Put32(out, 0x73524742);   // 'sRGB'
    out.resize(out.size() + 36 + 12, 0);   // end points and gamma, unused with sRGB
  } else if (maskBytes) {
    Put32(out, 0xF800);
    Put32(out, 0x07E0);
    Put32(out, 0x001F);
  }
  if (paletteBytes) {
    for (std::size_t i = 0; i < (std::size_t(1) << Image.BitCount); ++i)
      Put32(out, i < Image.Palette.size() ? Image.Palette[i] & 0xFFFFFF : 0);
  }
  for (Integer y = Image.Height - 1; y >= 0; --y) out.insert(out.end(), Image.Row(y), Image.Row(y) + Image.Stride());
  return out;
}

// ---------------------------------------------------------------------------------------------
// ICO files
// ---------------------------------------------------------------------------------------------

bool IsIco(const Byte* Data, std::size_t Size) {
  return Size >= 6 && Data[0] == 0 && Data[1] == 0 && Data[2] == 1 && Data[3] == 0 && (Data[4] | Data[5]) != 0;
}

TRawImage DecodeIco(const Byte* Data, std::size_t Size, Integer WantedSize) {
  TReader r(Data, Size, u"Icon image");
  if (!IsIco(Data, Size)) r.Fail(u"missing icon header");
  const Word count = r.U16(4);
  r.Need(6, std::size_t(count) * 16);
  int best = -1, bestDist = 0, bestWidth = 0, bestBits = 0;
  for (int i = 0; i < count; ++i) {
    const std::size_t e = 6 + std::size_t(i) * 16;
    const int w = Data[e] ? Data[e] : 256;
    const int bits = r.U16(e + 6);
    const int dist = std::abs(w - WantedSize);
    if (best < 0 || dist < bestDist || (dist == bestDist && (w > bestWidth || (w == bestWidth && bits > bestBits)))) {
      best = i;
      bestDist = dist;
      bestWidth = w;
      bestBits = bits;
    }
  }
  const std::size_t e = 6 + std::size_t(best) * 16;
  const Cardinal bytes = r.U32(e + 8), offset = r.U32(e + 12);
  r.Need(offset, bytes);
  if (IsPng(Data + offset, bytes)) {
    TRawImage png = DecodePng(Data + offset, bytes);
    png.HasAlpha = true;
    return png;
  }
  TReader entry(Data + offset, bytes, u"Icon image");
  TDibInfo info = ReadDib(entry, 0, 0, true);
  TRawImage image;
  const bool useAlpha = info.Dib.BitCount == 32 &&
                        [&] {
                          for (Integer y = 0; y < info.Dib.Height; ++y)
                            for (Integer x = 0; x < info.Dib.Width; ++x)
                              if (info.Dib.Row(y)[x * 4 + 3]) return true;
                          return false;
                        }();
  DibToRaw(info.Dib, image, useAlpha);
  image.HasAlpha = true;
  if (!useAlpha) {
    // The AND mask: a set bit is a transparent pixel. Rows are bottom-up like the colour bits.
    const std::size_t stride = TDibImage::StrideFor(image.Width, 1);
    entry.Need(info.BitsEnd, stride * image.Height);
    for (Integer y = 0; y < image.Height; ++y) {
      const Byte* mask = entry.At(info.BitsEnd + stride * (image.Height - 1 - y));
      Byte* row = image.Row(y);
      for (Integer x = 0; x < image.Width; ++x)
        if ((mask[x >> 3] >> (7 - (x & 7))) & 1) row[x * 4 + 3] = 0;
    }
  }
  return image;
}

}  // namespace ImageCodecs
