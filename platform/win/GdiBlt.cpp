// Bitmaps, DIB sections and bit transfers with ternary raster operations, alpha and colour keys.
#include "platform/win/GdiInternal.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace gdi {

namespace {

constexpr long long MaxPixels = 1LL << 28;

bool SizeOk(long long W, long long H) { return W > 0 && H > 0 && W * H <= MaxPixels; }

int DibStride(int AWidth, int ABits) { return ((AWidth * ABits + 31) / 32) * 4; }

HBITMAP NewBitmap(int AWidth, int AHeight, int ABitsPixel, std::uint32_t AFill) {
  if (!SizeOk(AWidth, AHeight)) return nullptr;
  auto* b = new TBitmapObj();
  b->Surface = std::make_unique<TSurface>(AWidth, AHeight);
  if (AFill) b->Surface->Clear(AFill);
  b->BitsPixel = ABitsPixel;
  Register(b);
  return b;
}

// Pixel of a DIB scan line in any of the formats read here (1, 4, 8, 24, 32 bits).
struct TDibFormat {
  int Width = 0, Height = 0, Bits = 0, Stride = 0;
  bool TopDown = false;
  const RGBQUAD* Colors = nullptr;
  int ColorCount = 0;
  bool Valid() const { return Width > 0 && Height > 0 && (Bits == 1 || Bits == 4 || Bits == 8 || Bits == 24 || Bits == 32); }
  std::size_t Size() const { return static_cast<std::size_t>(Stride) * static_cast<std::size_t>(Height); }
};

TDibFormat FormatOf(const BITMAPINFO* AInfo) {
  TDibFormat f;
  if (!AInfo) return f;
  const BITMAPINFOHEADER& h = AInfo->bmiHeader;
  if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && h.biBitCount == 32)) return f;
  f.Width = h.biWidth;
  f.Height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  f.TopDown = h.biHeight < 0;
  f.Bits = h.biBitCount;
  if (!SizeOk(f.Width, f.Height)) return TDibFormat();
  f.Stride = DibStride(f.Width, f.Bits);
  if (f.Bits <= 8) {
    f.Colors = AInfo->bmiColors;
    f.ColorCount = h.biClrUsed ? static_cast<int>(std::min<DWORD>(h.biClrUsed, 1u << f.Bits)) : 1 << f.Bits;
  }
  return f;
}

std::uint32_t ReadDib(const TDibFormat& F, const std::uint8_t* ARow, int X) {
  switch (F.Bits) {
    case 32: {
      std::uint32_t v;
      std::memcpy(&v, ARow + X * 4, 4);
      return v;
    }
    case 24: {
      const std::uint8_t* p = ARow + X * 3;
      return 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
    }
    default: {
      int index = 0;
      if (F.Bits == 8) index = ARow[X];
      else if (F.Bits == 4) index = (ARow[X / 2] >> ((X & 1) ? 0 : 4)) & 0xF;
      else index = (ARow[X / 8] >> (7 - (X & 7))) & 1;
      if (index >= F.ColorCount) return 0xFF000000u;
      const RGBQUAD& q = F.Colors[index];
      return 0xFF000000u | (std::uint32_t(q.rgbRed) << 16) | (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
    }
  }
}

void WriteDib(const TDibFormat& F, std::uint8_t* ARow, int X, std::uint32_t APixel) {
  if (F.Bits == 32) {
    std::memcpy(ARow + X * 4, &APixel, 4);
  } else if (F.Bits == 24) {
    std::uint8_t* p = ARow + X * 3;
    p[0] = APixel & 0xFF;
    p[1] = (APixel >> 8) & 0xFF;
    p[2] = (APixel >> 16) & 0xFF;
  }
}

// Row of a DIB by top-down index.
const std::uint8_t* DibRow(const TDibFormat& F, const void* ABits, int Y) {
  int r = F.TopDown ? Y : F.Height - 1 - Y;
  return static_cast<const std::uint8_t*>(ABits) + static_cast<std::size_t>(r) * F.Stride;
}

// A DIB as a temporary surface.
std::unique_ptr<TSurface> SurfaceFromDib(const TDibFormat& F, const void* ABits) {
  auto s = std::make_unique<TSurface>(F.Width, F.Height);
  for (int y = 0; y < F.Height; ++y) {
    const std::uint8_t* row = DibRow(F, ABits, y);
    std::uint32_t* out = s->Row(y);
    for (int x = 0; x < F.Width; ++x) out[x] = ReadDib(F, row, x);
  }
  return s;
}

bool UsesSource(DWORD ARop) { return (((ARop >> 18) ^ (ARop >> 16)) & 0x33) != 0; }
bool UsesPattern(DWORD ARop) { return (((ARop >> 20) ^ (ARop >> 16)) & 0x0F) != 0; }

struct TBlitSource {
  const TSurface* Surface = nullptr;
  bool Mono = false;
  double X = 0, Y = 0, W = 0, H = 0;   // source rectangle (W, H signed for mirroring)
};

// Transfers onto the destination rectangle (surface coordinates, W/H signed) within AClip. APixel
// receives the destination pixel reference and the source pixel (if any) for each pixel.
template <class F>
void Transfer(TSurface& ADest, const TRgnSet& AClip, int DX, int DY, int DW, int DH, const TBlitSource* ASrc, F APixel) {
  if (DW == 0 || DH == 0) return;
  RECT dr{std::min(DX, DX + DW), std::min(DY, DY + DH), std::max(DX, DX + DW), std::max(DY, DY + DH)};
  TRgnSet area = AClip.Intersect(dr);
  if (area.Empty()) return;
  ADest.Pixels();
  for (const RECT& r : area.Rects()) {
    for (int y = r.top; y < r.bottom; ++y) {
      std::uint32_t* row = ADest.Row(y);
      int sy = 0;
      if (ASrc) {
        double fy = (y + 0.5 - DY) / DH;   // 0..1 along the destination
        sy = static_cast<int>(std::floor(ASrc->Y + fy * ASrc->H));
        if (sy < 0 || sy >= ASrc->Surface->Height()) continue;
      }
      const std::uint32_t* srow = ASrc ? ASrc->Surface->Row(sy) : nullptr;
      for (int x = r.left; x < r.right; ++x) {
        if (ASrc) {
          double fx = (x + 0.5 - DX) / DW;
          int sx = static_cast<int>(std::floor(ASrc->X + fx * ASrc->W));
          if (sx < 0 || sx >= ASrc->Surface->Width()) continue;
          APixel(row[x], srow[sx], x, y);
        } else {
          APixel(row[x], 0u, x, y);
        }
      }
    }
  }
  ADest.MarkDirty();
}

// Source rectangle of a source DC in surface coordinates (signed sizes).
TBlitSource SourceOf(HDC__* D, TSurface* S, int X, int Y, int W, int H) {
  TMapping m = MappingOf(D);
  TBlitSource s;
  s.Surface = S;
  s.X = m.ToDevX(X) + D->Origin.x;
  s.Y = m.ToDevY(Y) + D->Origin.y;
  s.W = W * m.SX;
  s.H = H * m.SY;
  TBitmapObj* b = SelectedBitmap(D);
  s.Mono = b && b->BitsPixel == 1;
  return s;
}

void DestOf(HDC__* D, int X, int Y, int W, int H, int& DX, int& DY, int& DW, int& DH) {
  POINT a = LogToSurf(D, X, Y), b = LogToSurf(D, X + W, Y + H);
  DX = a.x;
  DY = a.y;
  DW = b.x - a.x;
  DH = b.y - a.y;
}

BOOL RopBlt(HDC ADest, int X, int Y, int W, int H, HDC ASrc, int XS, int YS, int WS, int HS, DWORD ARop, bool AStretch) {
  TDrawTarget d;
  if (!d.Open(ADest)) return FALSE;
  if (!d.S) return TRUE;
  int dx, dy, dw, dh;
  DestOf(d.D, X, Y, W, H, dx, dy, dw, dh);
  std::uint8_t rop = static_cast<std::uint8_t>((ARop >> 16) & 0xFF);
  TPaint pat = BrushPaint(d.D, d.D->S.Brush, POINT{d.D->S.BrushOrg.x + d.D->Origin.x, d.D->S.BrushOrg.y + d.D->Origin.y});
  TBitmapObj* destBmp = SelectedBitmap(d.D);
  bool destMono = destBmp && destBmp->BitsPixel == 1;
  std::uint32_t textPix = ColorRefToPixel(d.D->S.TextColor), bkPix = ColorRefToPixel(d.D->S.BkColor);

  std::optional<TBlitSource> src;
  std::optional<TDrawScope> srcScope;
  std::unique_ptr<TSurface> copy;
  if (UsesSource(ARop)) {
    HDC__* s = DCOf(ASrc);
    if (!s) return FALSE;
    if (s != d.D) srcScope.emplace(s, false);
    TSurface* ss = TargetSurface(s);
    if (!ss) return FALSE;
    src = SourceOf(s, ss, XS, YS, AStretch ? WS : W, AStretch ? HS : H);
    if (ss == d.S) {   // overlapping copies read from a snapshot
      copy = std::make_unique<TSurface>(ss->Width(), ss->Height());
      copy->CopyFrom(*ss, RECT{0, 0, ss->Width(), ss->Height()}, POINT{0, 0});
      src->Surface = copy.get();
    }
  }
  const bool usesPat = UsesPattern(ARop);
  const bool copyOnly = rop == 0xCC;
  Transfer(*d.S, d.Clip, dx, dy, dw, dh, src ? &*src : nullptr,
           [&](std::uint32_t& ADst, std::uint32_t ASrcPix, int AX, int AY) {
             std::uint32_t s = ASrcPix;
             if (src) {
               if (src->Mono && !destMono) s = (s & 0xFFFFFF) ? bkPix : textPix;
               else if (!src->Mono && destMono) s = PixelToColorRef(s) == d.D->S.BkColor ? 0xFFFFFFFFu : 0xFF000000u;
             }
             if (copyOnly) {
               ADst = s;
               return;
             }
             std::uint32_t p = 0;
             if (usesPat && !pat.None && !PaintSourceAt(pat, AX, AY, p)) p = ADst;
             ADst = Rop3Pixel(ADst, s, p, rop);
           });
  return TRUE;
}

// The layout of a DIB section's own bits: the size of its surface, its depth, stride and row order.
TDibFormat SectionFormat(const TBitmapObj& B) {
  TDibFormat f;
  f.Width = B.Surface->Width();
  f.Height = B.Surface->Height();
  f.Bits = B.DibBits;
  f.Stride = B.DibStride;
  f.TopDown = B.DibHeight < 0;
  return f;
}

}  // namespace

void TBitmapObj::PullDib() {
  if (!Dib || DibDirect || !Surface) return;
  const TDibFormat f = SectionFormat(*this);
  for (int y = 0; y < f.Height; ++y) {
    const std::uint8_t* row = DibRow(f, DibData, y);
    std::uint32_t* out = Surface->Row(y);
    for (int x = 0; x < f.Width; ++x) out[x] = ReadDib(f, row, x);
  }
  Surface->MarkDirty();
}

void TBitmapObj::PushDib() {
  if (!Dib || DibDirect || !Surface) return;
  const TDibFormat f = SectionFormat(*this);
  const TSurface& s = *Surface;
  for (int y = 0; y < f.Height; ++y) {
    auto* row = const_cast<std::uint8_t*>(DibRow(f, DibData, y));
    const std::uint32_t* in = s.Row(y);
    for (int x = 0; x < f.Width; ++x) WriteDib(f, row, x, in[x]);
  }
}

}  // namespace gdi

using namespace gdi;

HBITMAP CreateCompatibleBitmap(HDC ADC, int AWidth, int AHeight) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return nullptr;
  if (AWidth == 0 || AHeight == 0) return NewBitmap(1, 1, 1, 0xFF000000u);
  TBitmapObj* sel = SelectedBitmap(d);
  bool mono = d->Kind == dkMemory && sel && sel->BitsPixel == 1;
  return NewBitmap(AWidth, AHeight, mono ? 1 : 32, 0xFF000000u);
}

HBITMAP CreateBitmap(int AWidth, int AHeight, UINT APlanes, UINT ABitsPerPixel, const void* ABits) {
  if (APlanes != 1 || (ABitsPerPixel != 1 && ABitsPerPixel != 24 && ABitsPerPixel != 32)) return nullptr;
  HBITMAP h = NewBitmap(AWidth, AHeight, static_cast<int>(ABitsPerPixel), 0xFF000000u);
  if (!h || !ABits) return h;
  TBitmapObj* b = BitmapOf(h);
  int bpp = static_cast<int>(ABitsPerPixel);
  int stride = ((AWidth * bpp + 15) / 16) * 2;   // device bitmaps pad rows to 16 bits
  auto* src = static_cast<const std::uint8_t*>(ABits);
  for (int y = 0; y < AHeight; ++y) {
    const std::uint8_t* row = src + static_cast<std::size_t>(y) * stride;
    std::uint32_t* out = b->Surface->Row(y);
    for (int x = 0; x < AWidth; ++x) {
      if (bpp == 1) out[x] = ((row[x / 8] >> (7 - (x & 7))) & 1) ? 0xFFFFFFFFu : 0xFF000000u;
      else if (bpp == 24) out[x] = 0xFF000000u | (std::uint32_t(row[x * 3 + 2]) << 16) | (std::uint32_t(row[x * 3 + 1]) << 8) | row[x * 3];
      else std::memcpy(&out[x], row + x * 4, 4);
    }
  }
  return h;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* AInfo, UINT AUsage, void** ABits, HANDLE ASection, DWORD) {
  if (ABits) *ABits = nullptr;
  if (ASection || AUsage != DIB_RGB_COLORS) return nullptr;
  TDibFormat f = FormatOf(AInfo);
  if (!f.Valid() || (f.Bits != 24 && f.Bits != 32)) return nullptr;
  auto* b = new TBitmapObj();
  b->Dib = true;
  b->DibBits = f.Bits;
  b->DibHeight = AInfo->bmiHeader.biHeight;
  b->DibStride = f.Stride;
  b->DibStorage.assign(f.Size(), 0);
  b->DibData = b->DibStorage.data();
  b->BitsPixel = 32;
  b->DibDirect = f.Bits == 32 && f.TopDown;
  if (b->DibDirect)
    b->Surface = std::make_unique<TSurface>(reinterpret_cast<std::uint32_t*>(b->DibData), f.Width, f.Height, f.Stride);
  else
    b->Surface = std::make_unique<TSurface>(f.Width, f.Height);
  b->PullDib();
  Register(b);
  if (ABits) *ABits = b->DibData;
  return b;
}

int SetDIBits(HDC, HBITMAP ABitmap, UINT AStart, UINT ALines, const void* ABits, const BITMAPINFO* AInfo, UINT) {
  std::lock_guard lock(Lock());
  TBitmapObj* b = BitmapOf(ABitmap);
  TDibFormat f = FormatOf(AInfo);
  if (!b || !ABits || !f.Valid() || !b->Surface) return 0;
  b->PullDib();
  TSurface& s = *b->Surface;
  int copied = 0;
  // scan lines are counted from the bottom of a bottom-up DIB and from the top of a top-down one
  for (UINT i = 0; i < ALines; ++i) {
    long long line = static_cast<long long>(AStart) + i;
    if (line >= f.Height) break;
    int y = f.TopDown ? static_cast<int>(line) : f.Height - 1 - static_cast<int>(line);
    if (y >= s.Height()) continue;
    const std::uint8_t* row = static_cast<const std::uint8_t*>(ABits) + static_cast<std::size_t>(i) * f.Stride;
    std::uint32_t* out = s.Row(y);
    int w = std::min(f.Width, s.Width());
    for (int x = 0; x < w; ++x) out[x] = ReadDib(f, row, x);
    ++copied;
  }
  s.MarkDirty();
  b->PushDib();
  return copied;
}

HBITMAP CreateDIBitmap(HDC ADC, const BITMAPINFOHEADER* AHeader, DWORD AInit, const void* ABits,
                       const BITMAPINFO* AInfo, UINT AUsage) {
  if (!AHeader) return nullptr;
  int h = AHeader->biHeight < 0 ? -AHeader->biHeight : AHeader->biHeight;
  HBITMAP bmp = NewBitmap(AHeader->biWidth, h, 32, 0xFF000000u);
  (void)ADC;
  if (bmp && (AInit & CBM_INIT) && ABits && AInfo) {
    TDibFormat f = FormatOf(AInfo);
    SetDIBits(ADC, bmp, 0, static_cast<UINT>(f.Height), ABits, AInfo, AUsage);
  }
  return bmp;
}

int GetDIBits(HDC, HBITMAP ABitmap, UINT AStart, UINT ALines, void* ABits, BITMAPINFO* AInfo, UINT) {
  std::lock_guard lock(Lock());
  TBitmapObj* b = BitmapOf(ABitmap);
  if (!b || !AInfo || !b->Surface) return 0;
  BITMAPINFOHEADER& h = AInfo->bmiHeader;
  const TSurface& s = *b->Surface;
  if (!ABits && h.biBitCount == 0) {
    h.biWidth = s.Width();
    h.biHeight = s.Height();
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(s.Width()) * s.Height() * 4;
    return 1;
  }
  TDibFormat f = FormatOf(AInfo);
  if (!f.Valid() || (f.Bits != 24 && f.Bits != 32)) return 0;
  if (!ABits) {
    h.biSizeImage = static_cast<DWORD>(f.Size());
    return 1;
  }
  b->PullDib();
  int copied = 0;
  for (UINT i = 0; i < ALines; ++i) {
    long long line = static_cast<long long>(AStart) + i;
    if (line >= f.Height) break;
    int y = f.TopDown ? static_cast<int>(line) : f.Height - 1 - static_cast<int>(line);
    auto* row = static_cast<std::uint8_t*>(ABits) + static_cast<std::size_t>(i) * f.Stride;
    std::memset(row, 0, static_cast<std::size_t>(f.Stride));
    if (y < s.Height()) {
      const std::uint32_t* in = s.Row(y);
      int w = std::min(f.Width, s.Width());
      for (int x = 0; x < w; ++x) WriteDib(f, row, x, in[x]);
    }
    ++copied;
  }
  return copied;
}

LONG GetBitmapBits(HBITMAP ABitmap, LONG ACount, void* ABits) {
  std::lock_guard lock(Lock());
  TBitmapObj* b = BitmapOf(ABitmap);
  if (!b || !b->Surface || !ABits || ACount <= 0) return 0;
  b->PullDib();
  const TSurface& s = *b->Surface;
  LONG total = 0;
  for (int y = 0; y < s.Height() && total < ACount; ++y) {
    LONG n = std::min<LONG>(ACount - total, s.Width() * 4);
    std::memcpy(static_cast<std::uint8_t*>(ABits) + total, s.Row(y), static_cast<std::size_t>(n));
    total += n;
  }
  return total;
}

BOOL GetBitmapDimensionEx(HBITMAP ABitmap, SIZE* ASize) {
  if (!BitmapOf(ABitmap) || !ASize) return FALSE;
  *ASize = SIZE{};
  return TRUE;
}

BOOL BitBlt(HDC ADest, int X, int Y, int AWidth, int AHeight, HDC ASrc, int XSrc, int YSrc, DWORD ARop) {
  return RopBlt(ADest, X, Y, AWidth, AHeight, ASrc, XSrc, YSrc, AWidth, AHeight, ARop, false);
}

BOOL StretchBlt(HDC ADest, int X, int Y, int AWidth, int AHeight, HDC ASrc, int XSrc, int YSrc, int ASrcWidth,
                int ASrcHeight, DWORD ARop) {
  return RopBlt(ADest, X, Y, AWidth, AHeight, ASrc, XSrc, YSrc, ASrcWidth, ASrcHeight, ARop, true);
}

BOOL PatBlt(HDC ADC, int X, int Y, int AWidth, int AHeight, DWORD ARop) {
  if (UsesSource(ARop)) return FALSE;
  return RopBlt(ADC, X, Y, AWidth, AHeight, nullptr, 0, 0, 0, 0, ARop, false);
}

namespace {
// Draws a DIB through a temporary memory DC.
int DibToDevice(HDC ADC, int X, int Y, int W, int H, int XS, int YS, int WS, int HS, const void* ABits,
                const BITMAPINFO* AInfo, DWORD ARop, int ALines) {
  TDibFormat f = FormatOf(AInfo);
  if (!f.Valid() || !ABits || !DCOf(ADC)) return 0;
  auto* b = new TBitmapObj();
  b->Surface = SurfaceFromDib(f, ABits);
  Register(b);
  HDC mem = CreateCompatibleDC(ADC);
  HGDIOBJ old = SelectObject(mem, b);
  // DIB source coordinates count from the bottom for bottom-up DIBs
  int ys = f.TopDown ? YS : f.Height - YS - HS;
  BOOL ok = StretchBlt(ADC, X, Y, W, H, mem, XS, ys, WS, HS, ARop);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(b);
  return ok ? ALines : 0;
}
}  // namespace

int StretchDIBits(HDC ADC, int X, int Y, int AWidth, int AHeight, int XSrc, int YSrc, int ASrcWidth,
                  int ASrcHeight, const void* ABits, const BITMAPINFO* AInfo, UINT, DWORD ARop) {
  TDibFormat f = FormatOf(AInfo);
  return DibToDevice(ADC, X, Y, AWidth, AHeight, XSrc, YSrc, ASrcWidth, ASrcHeight, ABits, AInfo, ARop, f.Height);
}

int SetDIBitsToDevice(HDC ADC, int X, int Y, DWORD AWidth, DWORD AHeight, int XSrc, int YSrc, UINT AStart,
                      UINT ALines, const void* ABits, const BITMAPINFO* AInfo, UINT) {
  TDibFormat f = FormatOf(AInfo);
  if (!f.Valid() || AStart != 0 || static_cast<int>(ALines) < f.Height) return 0;
  int w = static_cast<int>(std::min<DWORD>(AWidth, 1u << 20)), h = static_cast<int>(std::min<DWORD>(AHeight, 1u << 20));
  return DibToDevice(ADC, X, Y, w, h, XSrc, YSrc, w, h, ABits, AInfo, SRCCOPY, static_cast<int>(ALines));
}

namespace {
std::uint32_t Scale(std::uint32_t APixel, std::uint32_t AAlpha) {
  if (AAlpha == 255) return APixel;
  std::uint32_t out = 0;
  for (int sh = 0; sh < 32; sh += 8) {
    std::uint32_t c = (APixel >> sh) & 0xFF;
    out |= ((c * AAlpha + 127) / 255) << sh;
  }
  return out;
}

std::uint32_t Over(std::uint32_t ASrc, std::uint32_t ADst) {
  std::uint32_t a = ASrc >> 24;
  if (a == 255) return ASrc;
  if (a == 0) return ADst;
  std::uint32_t out = 0;
  for (int sh = 0; sh < 32; sh += 8) {
    std::uint32_t s = (ASrc >> sh) & 0xFF, d = (ADst >> sh) & 0xFF;
    out |= std::min<std::uint32_t>(255, s + (d * (255 - a) + 127) / 255) << sh;
  }
  return out;
}

template <class F>
BOOL SourceBlt(HDC ADest, int X, int Y, int W, int H, HDC ASrc, int XS, int YS, int WS, int HS, F APixel) {
  if (W <= 0 || H <= 0 || WS <= 0 || HS <= 0) return FALSE;
  TDrawTarget d;
  if (!d.Open(ADest)) return FALSE;
  HDC__* s = DCOf(ASrc);
  if (!s) return FALSE;
  std::optional<TDrawScope> srcScope;
  if (s != d.D) srcScope.emplace(s, false);
  TSurface* ss = TargetSurface(s);
  if (!d.S || !ss) return FALSE;
  TBlitSource src = SourceOf(s, ss, XS, YS, WS, HS);
  // the source rectangle must lie within the source surface
  double sx0 = std::min(src.X, src.X + src.W), sx1 = std::max(src.X, src.X + src.W);
  double sy0 = std::min(src.Y, src.Y + src.H), sy1 = std::max(src.Y, src.Y + src.H);
  if (sx0 < -0.5 || sy0 < -0.5 || sx1 > ss->Width() + 0.5 || sy1 > ss->Height() + 0.5) return FALSE;
  std::unique_ptr<TSurface> copy;
  if (ss == d.S) {
    copy = std::make_unique<TSurface>(ss->Width(), ss->Height());
    copy->CopyFrom(*ss, RECT{0, 0, ss->Width(), ss->Height()}, POINT{0, 0});
    src.Surface = copy.get();
  }
  int dx, dy, dw, dh;
  DestOf(d.D, X, Y, W, H, dx, dy, dw, dh);
  Transfer(*d.S, d.Clip, dx, dy, dw, dh, &src,
           [&](std::uint32_t& ADst, std::uint32_t ASrcPix, int, int) { APixel(ADst, ASrcPix); });
  return TRUE;
}
}  // namespace

BOOL AlphaBlend(HDC ADest, int X, int Y, int AWidth, int AHeight, HDC ASrc, int XSrc, int YSrc, int ASrcWidth,
                int ASrcHeight, BLENDFUNCTION ABlend) {
  if (ABlend.BlendOp != AC_SRC_OVER) return FALSE;
  const std::uint32_t constant = ABlend.SourceConstantAlpha;
  const bool perPixel = (ABlend.AlphaFormat & AC_SRC_ALPHA) != 0;
  return SourceBlt(ADest, X, Y, AWidth, AHeight, ASrc, XSrc, YSrc, ASrcWidth, ASrcHeight,
                   [&](std::uint32_t& ADst, std::uint32_t ASrcPix) {
                     std::uint32_t s = perPixel ? ASrcPix : (ASrcPix | 0xFF000000u);
                     ADst = Over(Scale(s, constant), ADst);
                   });
}

BOOL TransparentBlt(HDC ADest, int X, int Y, int AWidth, int AHeight, HDC ASrc, int XSrc, int YSrc, int ASrcWidth,
                    int ASrcHeight, UINT ATransparent) {
  const COLORREF key = ATransparent & 0xFFFFFF;
  return SourceBlt(ADest, X, Y, AWidth, AHeight, ASrc, XSrc, YSrc, ASrcWidth, ASrcHeight,
                   [&](std::uint32_t& ADst, std::uint32_t ASrcPix) {
                     if (PixelToColorRef(ASrcPix) != key) ADst = ASrcPix | 0xFF000000u;
                   });
}
