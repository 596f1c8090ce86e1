// TPngImage: straight-alpha BGRA pixels, drawn through a premultiplied bitmap.
#include "platform/ui/PngImage.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/ImageCodecs.h"

using ImageCodecs::TRawImage;

namespace {

}  // namespace

TPngImage::TPngImage() : FImage(std::make_unique<TRawImage>()) {}

TPngImage::~TPngImage() = default;

bool TPngImage::GetEmpty() { return FImage->Width <= 0 || FImage->Height <= 0; }
Integer TPngImage::GetWidth() { return FImage->Width; }
Integer TPngImage::GetHeight() { return FImage->Height; }
bool TPngImage::GetTransparent() const { return FImage->HasAlpha; }

void TPngImage::Changed(TObject* Sender) {
  FDrawCache.reset();
  inherited::Changed(Sender);
}

void TPngImage::SetSize(Integer AWidth, Integer AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == FImage->Width && AHeight == FImage->Height) return;
  TRawImage sized;
  sized.SetSize(AWidth, AHeight);
  std::fill(sized.Pixels.begin(), sized.Pixels.end(), Byte(0));
  const Integer w = std::min(AWidth, FImage->Width), h = std::min(AHeight, FImage->Height);
  for (Integer y = 0; y < h; ++y) std::memcpy(sized.Row(y), FImage->Row(y), static_cast<std::size_t>(w) * 4);
  sized.HasAlpha = FImage->HasAlpha || AWidth > FImage->Width || AHeight > FImage->Height;
  *FImage = std::move(sized);
  Changed(this);
}

TColor TPngImage::GetPixels(Integer X, Integer Y) const {
  if (X < 0 || Y < 0 || X >= FImage->Width || Y >= FImage->Height) return clNone;
  const Byte* p = FImage->Row(Y) + X * 4;
  return static_cast<TColor>(RGB(p[2], p[1], p[0]));
}

void TPngImage::SetPixels(Integer X, Integer Y, TColor Value) {
  if (X < 0 || Y < 0 || X >= FImage->Width || Y >= FImage->Height) return;
  const COLORREF c = ColorToRGB(Value);
  Byte* p = FImage->Row(Y) + X * 4;
  p[0] = GetBValue(c);
  p[1] = GetGValue(c);
  p[2] = GetRValue(c);
  p[3] = 0xFF;
  Changed(this);
}

Byte TPngImage::GetAlpha(Integer X, Integer Y) const {
  if (X < 0 || Y < 0 || X >= FImage->Width || Y >= FImage->Height) return 0;
  return FImage->Row(Y)[X * 4 + 3];
}

void TPngImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (GetEmpty()) return;
  if (!FDrawCache) {
    FDrawCache = std::make_unique<TBitmap>();
    FDrawCache->LoadFromRaw(*FImage, FImage->HasAlpha);
  }
  FDrawCache->Draw(ACanvas, Rect);
}

void TPngImage::Assign(TPersistent* Source) {
  if (!Source) {
    *FImage = TRawImage();
    Changed(this);
  } else if (auto* png = dynamic_cast<TPngImage*>(Source)) {
    if (png != this) *FImage = *png->FImage;
    Changed(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    bitmap->SaveToRaw(*FImage);
    Changed(this);
  } else if (dynamic_cast<TGraphic*>(Source)) {
    TBitmap bitmap;
    bitmap.Assign(Source);
    bitmap.SaveToRaw(*FImage);
    Changed(this);
  } else {
    inherited::Assign(Source);
  }
}

void TPngImage::AssignTo(TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) bitmap->LoadFromRaw(*FImage, FImage->HasAlpha);
  else inherited::AssignTo(Dest);
}

bool TPngImage::CanLoadFromStream(TStream* Stream) { return ImageCodecs::PeekSignature(Stream, 8, ImageCodecs::IsPng); }

void TPngImage::LoadFromStream(TStream* Stream) {
  const std::vector<Byte> data = ImageCodecs::ReadToEnd(Stream);
  *FImage = ImageCodecs::DecodePng(data.data(), data.size());
  Changed(this);
}

void TPngImage::SaveToStream(TStream* Stream) {
  if (GetEmpty()) return;
  const std::vector<Byte> data = ImageCodecs::EncodePng(*FImage, FImage->HasAlpha);
  Stream->WriteBuffer(data.data(), static_cast<Int64>(data.size()));
}

void TPngImage::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  TResourceStream res(Instance, ResName, RT_RCDATA);
  LoadFromStream(&res);
}
