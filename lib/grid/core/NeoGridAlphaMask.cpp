#include "lib/grid/core/NeoGridAlphaMask.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/rtl/Math.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/WinGdi.h"

TBlurKernel MakeBlurKernel(Double Sigma) {
  TBlurKernel kernel;
  if (!(Sigma > 0)) {
    kernel.Weights[10] = 1.0f;
    return kernel;
  }
  auto normalise = [&](Integer Radius) {
    Double sum = 0;
    for (Integer k = -Radius; k <= Radius; ++k) sum += kernel.Weights[k + 10];
    for (Integer k = -Radius; k <= Radius; ++k) kernel.Weights[k + 10] = static_cast<float>(kernel.Weights[k + 10] / sum);
  };
  for (Integer k = -10; k <= 10; ++k) kernel.Weights[k + 10] = static_cast<float>(std::exp(-(k / Sigma) * (k / Sigma) / 2));
  normalise(10);
  const Double threshold = 1.0 / 510;
  Integer r = 10;
  Double dropped = 0;
  while (dropped < threshold && r > 1) {
    dropped += 2.0 * kernel.Weights[r + 10];
    --r;
  }
  for (Integer k = r + 1; k <= 10; ++k) kernel.Weights[10 + k] = kernel.Weights[10 - k] = 0.0f;
  kernel.Radius = static_cast<Byte>(r);
  normalise(r);
  return kernel;
}

Byte BlurChannelByte(Double Sum) { return static_cast<Byte>(std::clamp(Sum, 0.0, 255.0)); }

void BlurLine(const TBlurKernel& Kernel, Byte* Pixels, Integer Count, Byte* Scratch) {
  const Integer r = Kernel.Radius;
  for (Integer p = 0; p < Count; ++p) {
    Double sum[3] = {0, 0, 0};
    for (Integer k = -r; k <= r; ++k) {
      const Byte* src = Pixels + 3 * std::clamp(p - k, 0, Count - 1);
      const Double w = Kernel.Weights[k + 10];
      for (Integer c = 0; c < 3; ++c) sum[c] += w * src[c];
    }
    for (Integer c = 0; c < 3; ++c) Scratch[3 * p + c] = BlurChannelByte(sum[c]);
  }
  std::memcpy(Pixels, Scratch, static_cast<size_t>(Count) * 3);
}

namespace {

// Whether row or column Index of a side of Size pixels is copied from index 15 instead of blurred.
bool CopiedFromFifteen(Integer Index, Integer Size) { return Index > 20 && Index < Size - 20; }

}  // namespace

void BlurBitmap24(TBitmap* Bitmap, Double Radius) {
  if (!Bitmap) return;
  if (Bitmap->GetHandleType() != bmDIB || Bitmap->GetPixelFormat() != pf24bit)
    throw Exception(u"Blur only works for 24-bit bitmaps");
  const Integer w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
  if (w <= 0 || h <= 0) return;
  const TBlurKernel kernel = MakeBlurKernel(Radius);
  std::vector<Byte*> rows(h);
  for (Integer y = 0; y < h; ++y) rows[y] = static_cast<Byte*>(Bitmap->GetScanLine(y));
  std::vector<Byte> column(static_cast<size_t>(h) * 3), scratch(static_cast<size_t>(std::max(w, h)) * 3);
  for (Integer y = 0; y < h; ++y) {
    if (CopiedFromFifteen(y, h))
      std::memcpy(rows[y], rows[15], static_cast<size_t>(w) * 3);
    else
      BlurLine(kernel, rows[y], w, scratch.data());
  }
  for (Integer x = 0; x < w; ++x) {
    if (CopiedFromFifteen(x, w)) {
      for (Integer y = 0; y < h; ++y) std::memcpy(rows[y] + 3 * x, rows[y] + 3 * 15, 3);
      continue;
    }
    for (Integer y = 0; y < h; ++y) std::memcpy(&column[3 * y], rows[y] + 3 * x, 3);
    BlurLine(kernel, column.data(), h, scratch.data());
    for (Integer y = 0; y < h; ++y) std::memcpy(rows[y] + 3 * x, &column[3 * y], 3);
  }
}

void MakeRoundRectMask(TBitmap* Bitmap, Integer Width, Integer Height, Integer PenWidth, Integer Corner,
                       Double BlurRadius) {
  if (!Bitmap) return;
  Bitmap->SetPixelFormat(pf24bit);
  Bitmap->SetSize(std::max(Width, 0), std::max(Height, 0));
  if (Width <= 0 || Height <= 0) return;
  HDC dc = Bitmap->GetCanvas()->GetHandle();
  RECT all{0, 0, Width, Height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HPEN pen = PenWidth > 0 ? CreatePen(PS_SOLID, PenWidth, 0xFFFFFF) : static_cast<HPEN>(GetStockObject(WHITE_PEN));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(PenWidth > 0 ? BLACK_BRUSH : WHITE_BRUSH));
  const Integer h = PenWidth / 2;
  RoundRect(dc, 2 + h, 2 + h, Width - 2 - h, Height - 2 - h, Corner, Corner);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  if (PenWidth > 0) DeleteObject(pen);
  if (BlurRadius > 0) BlurBitmap24(Bitmap, BlurRadius);
}

TGridAlphaMask::TGridAlphaMask() { SetPixelFormat(pf32bit); }

void TGridAlphaMask::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TGridAlphaMask*>(Source)) {
    FOpacity = other->FOpacity;
    SetPixelFormat(pf32bit);
    const Integer rows = std::min(GetHeight(), other->GetHeight());
    const size_t bytes = static_cast<size_t>(std::min(GetWidth(), other->GetWidth())) * 4;
    if (other->GetPixelFormat() == pf32bit)
      for (Integer y = 0; y < rows; ++y) std::memcpy(GetScanLine(y), other->GetScanLine(y), bytes);
  } else {
    TBitmap::Assign(Source);
  }
  SetPixelFormat(pf32bit);
}

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor /*Color*/) {
  if (!Mask || !Bitmap || Bitmap->GetPixelFormat() != pf24bit || Mask->GetPixelFormat() != pf24bit) return;
  const Integer w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
  if (Mask->GetWidth() < w || Mask->GetHeight() < h) return;
  SetPixelFormat(pf32bit);
  SetSize(w, h);
  for (Integer y = 0; y < h; ++y) {
    const Byte* mask = static_cast<const Byte*>(Mask->GetScanLine(y));
    const Byte* src = static_cast<const Byte*>(Bitmap->GetScanLine(y));
    Byte* dst = static_cast<Byte*>(GetScanLine(y));
    for (Integer x = 0; x < w; ++x) {
      const Byte a = mask[3 * x + 2];
      for (Integer c = 0; c < 3; ++c) dst[4 * x + c] = static_cast<Byte>(Round(a / 255.0 * src[3 * x + c]));
      dst[4 * x + 3] = a;
    }
  }
}
