// TBitmap: a DIB in its own pixel format with a canvas over a 32-bit DIB section.
#include <algorithm>
#include <cstring>

#include "platform/ui/Graphics.h"
#include "platform/ui/ImageCodecs.h"
#include "platform/win/WinGdi.h"

using ImageCodecs::TDibImage;
using ImageCodecs::TRawImage;

namespace {

int BitCountOf(TPixelFormat Format) {
  switch (Format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32;
  }
}

TPixelFormat FormatOf(const TDibImage& Dib) {
  switch (Dib.BitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return Dib.Is565 ? pf16bit : pf15bit;
    case 24: return pf24bit;
    default: return pf32bit;
  }
}

}  // namespace

// The canvas of a bitmap: draws into the bitmap's DIB section, which it brings up to date first.
class TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}

protected:
  void CreateHandle() override { SetHandle(FBitmap->DCNeeded(true)); }
  void Accessing() override { FBitmap->SurfaceNeeded(false); }
  void Changing() override {
    FBitmap->SurfaceNeeded(true);
    TCanvas::Changing();
  }
  void Changed() override {
    TCanvas::Changed();
    FBitmap->Changed(FBitmap);
  }

private:
  TBitmap* FBitmap;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(Integer AWidth, Integer AHeight) { NewImage(AWidth, AHeight, FPixelFormat, false); }

TBitmap::~TBitmap() {
  FCanvas.reset();
  FreeSurface();
}

// ---- Storage ----

void TBitmap::AllocateSurface() {
  if (FHandle || !HasPixels()) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = FWidth;
  info.bmiHeader.biHeight = -FHeight;   // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  FHandle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!FHandle || !bits) {
    FHandle = nullptr;
    throw EOutOfMemory(u"Out of system resources: cannot create a bitmap of " + IntToStr(FWidth) + u" x " +
                          IntToStr(FHeight) + u" pixels");
  }
  FSurfaceBits = static_cast<Byte*>(bits);
}

void TBitmap::ReleaseDC() {
  if (FCanvas) FCanvas->SetHandle(nullptr);
  if (FDC && FOldBitmap) {
    SelectObject(FDC, FOldBitmap);
    FOldBitmap = nullptr;
  }
}

void TBitmap::FreeSurface() {
  ReleaseDC();
  if (FDC) DeleteDC(FDC);
  FDC = nullptr;
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
  FSurfaceBits = nullptr;
  FSync = syInSync;
}

HDC TBitmap::DCNeeded(bool Writing) {
  SurfaceNeeded(Writing);
  if (!FDC) FDC = CreateCompatibleDC(nullptr);
  if (FHandle && !FOldBitmap) FOldBitmap = SelectObject(FDC, FHandle);
  return FDC;
}

void TBitmap::SurfaceNeeded(bool Writing) {
  if (!HasPixels()) return;
  if (!FHandle) {
    AllocateSurface();
    if (!Direct()) FSync = syBitsNewer;
  }
  if (Direct()) return;
  if (FSync == syBitsNewer) {
    for (Integer y = 0; y < FHeight; ++y) ImageCodecs::DibRowToBgra(*FDib, y, SurfaceRow(y), false);
    FSync = syInSync;
  }
  if (Writing) FSync = sySurfaceNewer;
}

void TBitmap::BitsNeeded(bool Writing) {
  if (!HasPixels()) return;
  GdiFlush();
  if (Direct()) return;
  if (FSync == sySurfaceNewer) {
    ImageCodecs::TPaletteMatcher matcher(FDib->Palette);
    for (Integer y = 0; y < FHeight; ++y) ImageCodecs::BgraRowToDib(SurfaceRow(y), *FDib, y, matcher);
    FSync = syInSync;
  }
  if (Writing && FHandle) FSync = syBitsNewer;
}

void TBitmap::ReadRow(Integer Y, Byte* Bgra) {
  if (Direct()) std::memcpy(Bgra, SurfaceRow(Y), static_cast<std::size_t>(FWidth) * 4);
  else ImageCodecs::DibRowToBgra(*FDib, Y, Bgra, true);
}

void TBitmap::NewImage(Integer AWidth, Integer AHeight, TPixelFormat Format, bool Keep) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  // The old pixels as BGRA rows, for the part that stays.
  TRawImage old;
  if (Keep && HasPixels()) {
    BitsNeeded(false);
    old.SetSize(FWidth, FHeight);
    for (Integer y = 0; y < FHeight; ++y) ReadRow(y, old.Row(y));
  }
  std::vector<Cardinal> palette = FDib ? FDib->Palette : std::vector<Cardinal>();
  const int oldBits = FDib ? FDib->BitCount : BitCountOf(FPixelFormat);
  FreeSurface();
  FDib.reset();
  FWidth = AWidth;
  FHeight = AHeight;
  FPixelFormat = Format;
  if (!HasPixels()) return;

  const int bits = BitCountOf(Format);
  if (!Direct()) {
    FDib = std::make_unique<TDibImage>();
    FDib->Width = AWidth;
    FDib->Height = AHeight;
    FDib->BitCount = bits;
    FDib->Is565 = Format == pf16bit;
    if (bits <= 8) FDib->Palette = bits == oldBits && !palette.empty() ? palette : ImageCodecs::DefaultPalette(bits);
    FDib->Bits.assign(FDib->Stride() * AHeight, 0);
  } else {
    AllocateSurface();
  }
  // New pixels are white, or transparent in a bitmap that uses its alpha.
  const bool clear = Direct() && FAlphaFormat != afIgnored;
  std::vector<Byte> row(static_cast<std::size_t>(AWidth) * 4);
  ImageCodecs::TPaletteMatcher matcher(FDib ? FDib->Palette : palette);
  const Integer keepW = std::min(AWidth, old.Width), keepH = std::min(AHeight, old.Height);
  for (Integer y = 0; y < AHeight; ++y) {
    std::fill(row.begin(), row.end(), clear ? Byte(0) : Byte(0xFF));
    if (y < keepH) std::memcpy(row.data(), old.Row(y), static_cast<std::size_t>(keepW) * 4);
    if (Direct()) std::memcpy(SurfaceRow(y), row.data(), row.size());
    else ImageCodecs::BgraRowToDib(row.data(), *FDib, y, matcher);
  }
  FSync = syInSync;
}

void TBitmap::SetSize(Integer AWidth, Integer AHeight) {
  if (AWidth == FWidth && AHeight == FHeight) return;
  NewImage(AWidth, AHeight, FPixelFormat, true);
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == pfCustom) throw EInvalidGraphic(u"Invalid pixel format");
  if (Value == FPixelFormat) return;
  NewImage(FWidth, FHeight, Value, true);
  Changed(this);
}

void TBitmap::SetAlphaFormat(TAlphaFormat Value) {
  if (Value == FAlphaFormat) return;
  if (Direct() && HasPixels()) {
    BitsNeeded(true);
    if (FAlphaFormat == afIgnored && Value == afDefined)
      for (Integer y = 0; y < FHeight; ++y) ImageCodecs::PremultiplyRow(SurfaceRow(y), FWidth);
    else if (FAlphaFormat == afDefined && Value == afIgnored)
      for (Integer y = 0; y < FHeight; ++y) ImageCodecs::UnpremultiplyRow(SurfaceRow(y), FWidth);
  }
  FAlphaFormat = Value;
  Changed(this);
}

void* TBitmap::GetScanLine(Integer Row) {
  if (Row < 0 || Row >= FHeight || !HasPixels()) throw EInvalidGraphic(u"Scan line index out of range");
  BitsNeeded(true);
  return Direct() ? static_cast<void*>(SurfaceRow(Row)) : static_cast<void*>(FDib->Row(Row));
}

std::vector<Cardinal> TBitmap::GetPalette() const { return FDib ? FDib->Palette : std::vector<Cardinal>(); }

void TBitmap::SetPalette(const std::vector<Cardinal>& Value) {
  if (!FDib || FDib->BitCount > 8) return;
  BitsNeeded(true);
  FDib->Palette = Value;
  FDib->Palette.resize(std::size_t(1) << FDib->BitCount, 0);
  Changed(this);
}

// ---- Handles and canvas ----

TCanvas* TBitmap::GetCanvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(this);
  return FCanvas.get();
}

HBITMAP TBitmap::GetHandle() {
  // The handle goes out to be selected elsewhere: the canvas lets go of it.
  SurfaceNeeded(true);
  ReleaseDC();
  return FHandle;
}

void TBitmap::SetHandle(HBITMAP Value) {
  BITMAP info;
  if (!Value || GetObject(Value, sizeof info, &info) != static_cast<int>(sizeof info)) {
    NewImage(0, 0, pf32bit, false);
    if (Value) DeleteObject(Value);
    Changed(this);
    return;
  }
  const TAlphaFormat alpha = FAlphaFormat;
  FAlphaFormat = afPremultiplied;   // no fill: every pixel is copied
  NewImage(info.bmWidth, std::abs(info.bmHeight), pf32bit, false);
  FAlphaFormat = alpha;
  if (HasPixels()) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = FWidth;
    bi.bmiHeader.biHeight = -FHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, Value, 0, static_cast<UINT>(FHeight), FSurfaceBits, &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
  }
  DeleteObject(Value);
  Changed(this);
}

// ---- Transparency ----

TColor TBitmap::GetTransparentColor() {
  if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
  if (!HasPixels()) return clDefault;
  BitsNeeded(false);
  std::vector<Byte> row(static_cast<std::size_t>(FWidth) * 4);
  ReadRow(FHeight - 1, row.data());
  return static_cast<TColor>(RGB(row[2], row[1], row[0]));
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  FTransparentColor = Value;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto) SetTransparentColor(clDefault);
  else SetTransparentColor(GetTransparentColor());
}

// ---- Drawing ----

bool TBitmap::AllOpaque() {
  for (Integer y = 0; y < FHeight; ++y) {
    const Byte* row = SurfaceRow(y);
    for (Integer x = 0; x < FWidth; ++x)
      if (row[x * 4 + 3] != 0xFF) return false;
  }
  return true;
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (GetEmpty() || !ACanvas) return;
  if (Direct() && FAlphaFormat == afIgnored && (GdiFlush(), !AllOpaque())) {
    // The alpha bytes mean nothing here: draw an opaque copy.
    TBitmap opaque;
    opaque.NewImage(FWidth, FHeight, pf24bit, false);
    ImageCodecs::TPaletteMatcher none(opaque.FDib->Palette);
    for (Integer y = 0; y < FHeight; ++y) ImageCodecs::BgraRowToDib(SurfaceRow(y), *opaque.FDib, y, none);
    if (GetTransparent()) {
      opaque.FTransparentColor = GetTransparentColor();
      opaque.FTransparentMode = tmFixed;
      opaque.SetTransparent(true);
    }
    opaque.Draw(ACanvas, Rect);
    return;
  }
  HDC src = DCNeeded(false);
  HDC dest = ACanvas->GetHandle();
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (Direct() && FAlphaFormat != afIgnored) {
    BLENDFUNCTION blend;
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = 255;
    blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(dest, Rect.left, Rect.top, w, h, src, 0, 0, FWidth, FHeight, blend);
  } else if (GetTransparent()) {
    TransparentBlt(dest, Rect.left, Rect.top, w, h, src, 0, 0, FWidth, FHeight,
                   ColorToRGB(GetTransparentColor()) & 0xFFFFFF);
  } else {
    StretchBlt(dest, Rect.left, Rect.top, w, h, src, 0, 0, FWidth, FHeight, static_cast<DWORD>(ACanvas->GetCopyMode()));
  }
}

// ---- Assignment ----

void TBitmap::CopyFrom(TBitmap& Source) {
  Source.BitsNeeded(false);
  FreeSurface();
  FDib.reset();
  FWidth = Source.FWidth;
  FHeight = Source.FHeight;
  FPixelFormat = Source.FPixelFormat;
  FAlphaFormat = Source.FAlphaFormat;
  FTransparentMode = Source.FTransparentMode;
  FTransparentColor = Source.FTransparentColor;
  SetTransparent(Source.GetTransparent());
  if (Source.FDib) FDib = std::make_unique<TDibImage>(*Source.FDib);
  if (Direct() && HasPixels()) {
    AllocateSurface();
    std::memcpy(FSurfaceBits, Source.FSurfaceBits, static_cast<std::size_t>(FWidth) * FHeight * 4);
  }
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    NewImage(0, 0, FPixelFormat, false);
    Changed(this);
    return;
  }
  if (auto* src = dynamic_cast<TBitmap*>(Source)) {
    if (src != this) CopyFrom(*src);
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TBitmap::LoadFromRaw(const TRawImage& Raw, bool UseAlpha) {
  FAlphaFormat = UseAlpha ? afDefined : afIgnored;
  NewImage(Raw.Width, Raw.Height, UseAlpha ? pf32bit : pf24bit, false);
  if (HasPixels()) {
    if (UseAlpha) {
      for (Integer y = 0; y < FHeight; ++y) {
        std::memcpy(SurfaceRow(y), Raw.Row(y), static_cast<std::size_t>(FWidth) * 4);
        ImageCodecs::PremultiplyRow(SurfaceRow(y), FWidth);
      }
    } else {
      ImageCodecs::TPaletteMatcher none(FDib->Palette);
      for (Integer y = 0; y < FHeight; ++y) ImageCodecs::BgraRowToDib(Raw.Row(y), *FDib, y, none);
    }
  }
  Changed(this);
}

void TBitmap::SaveToRaw(TRawImage& Raw) {
  Raw.SetSize(FWidth, FHeight);
  Raw.HasAlpha = Direct() && FAlphaFormat != afIgnored;
  if (!HasPixels()) return;
  BitsNeeded(false);
  for (Integer y = 0; y < FHeight; ++y) {
    Byte* row = Raw.Row(y);
    ReadRow(y, row);
    if (!Direct()) continue;
    if (Raw.HasAlpha) ImageCodecs::UnpremultiplyRow(row, FWidth);
    else
      for (Integer x = 0; x < FWidth; ++x) row[x * 4 + 3] = 0xFF;
  }
}

// ---- Files and streams ----

bool TBitmap::CanLoadFromStream(TStream* Stream) { return ImageCodecs::PeekSignature(Stream, 2, ImageCodecs::IsBmp); }

void TBitmap::AssignDib(TDibImage& Dib) {
  const TPixelFormat format = FormatOf(Dib);
  FAlphaFormat = format == pf32bit && Dib.HasAlpha ? afDefined : afIgnored;
  if (format == pf32bit) {
    const TAlphaFormat alpha = FAlphaFormat;
    FAlphaFormat = afPremultiplied;   // no fill: every pixel is copied
    NewImage(Dib.Width, Dib.Height, pf32bit, false);
    FAlphaFormat = alpha;
    for (Integer y = 0; y < FHeight; ++y) {
      std::memcpy(SurfaceRow(y), Dib.Row(y), static_cast<std::size_t>(FWidth) * 4);
      if (alpha == afDefined) ImageCodecs::PremultiplyRow(SurfaceRow(y), FWidth);
    }
  } else {
    FreeSurface();
    FWidth = Dib.Width;
    FHeight = Dib.Height;
    FPixelFormat = format;
    FDib = std::make_unique<TDibImage>(std::move(Dib));
    FSync = syInSync;
  }
  Changed(this);
}

void TBitmap::LoadFromStream(TStream* Stream) {
  const Int64 start = Stream->GetPosition();
  std::vector<Byte> data = ImageCodecs::ReadToEnd(Stream);
  TDibImage dib = ImageCodecs::DecodeBmp(data.data(), data.size());
  // Leave the stream after the file when its header says where that is.
  const Cardinal fileSize = data[2] | (data[3] << 8) | (data[4] << 16) | (static_cast<Cardinal>(data[5]) << 24);
  if (fileSize >= 14 && fileSize < data.size()) Stream->SetPosition(start + fileSize);
  AssignDib(dib);
}

void TBitmap::SaveToStream(TStream* Stream) {
  if (!HasPixels()) return;   // an empty bitmap has no file form
  BitsNeeded(false);
  std::vector<Byte> file;
  if (Direct()) {
    TDibImage dib;
    dib.Width = FWidth;
    dib.Height = FHeight;
    dib.BitCount = 32;
    dib.HasAlpha = FAlphaFormat != afIgnored;
    dib.Bits.resize(dib.Stride() * FHeight);
    for (Integer y = 0; y < FHeight; ++y) {
      std::memcpy(dib.Row(y), SurfaceRow(y), dib.Stride());
      if (dib.HasAlpha) ImageCodecs::UnpremultiplyRow(dib.Row(y), FWidth);
    }
    file = ImageCodecs::EncodeBmp(dib);
  } else {
    file = ImageCodecs::EncodeBmp(*FDib);
  }
  Stream->WriteBuffer(file.data(), static_cast<Int64>(file.size()));
}

void TBitmap::ReadData(TStream* Stream) {
  Integer size = 0;
  Stream->ReadBuffer(&size, 4);
  if (size <= 0) {
    NewImage(0, 0, FPixelFormat, false);
    Changed(this);
    return;
  }
  // The declared size is checked against what the stream holds before anything is allocated.
  if (size > Stream->GetSize() - Stream->GetPosition()) throw EReadError(String(u"Stream read error"));
  std::vector<Byte> data(static_cast<std::size_t>(size));
  Stream->ReadBuffer(data.data(), size);
  TDibImage dib = ImageCodecs::DecodeBmp(data.data(), data.size());
  AssignDib(dib);
}

void TBitmap::WriteData(TStream* Stream) {
  TMemoryStream file;
  SaveToStream(&file);
  const Integer size = static_cast<Integer>(file.GetSize());
  Stream->WriteBuffer(&size, 4);
  if (size > 0) Stream->WriteBuffer(file.Memory(), size);
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  TResourceStream res(Instance, ResName, RT_BITMAP);
  const auto* data = static_cast<const Byte*>(res.Memory());
  const std::size_t size = static_cast<std::size_t>(res.GetSize());
  TDibImage dib = ImageCodecs::IsBmp(data, size) ? ImageCodecs::DecodeBmp(data, size) : ImageCodecs::DecodeDib(data, size);
  AssignDib(dib);
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, Integer ResID) {
  LoadFromResourceName(Instance, ResourceIdName(ResID));
}
