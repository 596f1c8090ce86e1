// TJPEGImage: the compressed data as loaded, and the pixels decoded from it.
#include "platform/ui/Jpeg.h"

#include <algorithm>

#include "platform/ui/ImageCodecs.h"

using ImageCodecs::TRawImage;

namespace {

void ToGrey(TRawImage& Image) {
  for (std::size_t i = 0; i < Image.Pixels.size(); i += 4) {
    Byte* p = &Image.Pixels[i];
    const Byte v = static_cast<Byte>((p[2] * 19595 + p[1] * 38470 + p[0] * 7471 + 32768) >> 16);
    p[0] = p[1] = p[2] = v;
  }
}

}  // namespace

TJPEGImage::TJPEGImage() : FImage(std::make_unique<TRawImage>()) {}

TJPEGImage::~TJPEGImage() = default;

bool TJPEGImage::GetEmpty() { return FImage->Width <= 0 || FImage->Height <= 0; }
Integer TJPEGImage::GetWidth() { return FImage->Width; }
Integer TJPEGImage::GetHeight() { return FImage->Height; }

void TJPEGImage::Changed(TObject* Sender) {
  FDrawCache.reset();
  inherited::Changed(Sender);
}

void TJPEGImage::SetCompressionQuality(TJPEGQualityRange Value) { FQuality = std::clamp(Value, 1, 100); }

void TJPEGImage::SetGrayscale(bool Value) {
  if (Value == FGrayscale) return;
  FGrayscale = Value;
  Changed(this);
}

TBitmap& TJPEGImage::DrawCache() {
  if (!FDrawCache) {
    FDrawCache = std::make_unique<TBitmap>();
    if (FGrayscale) {
      TRawImage grey = *FImage;
      ToGrey(grey);
      FDrawCache->LoadFromRaw(grey, false);
    } else {
      FDrawCache->LoadFromRaw(*FImage, false);
    }
  }
  return *FDrawCache;
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!GetEmpty()) DrawCache().Draw(ACanvas, Rect);
}

void TJPEGImage::Compress() {
  if (GetEmpty()) return;
  FData = ImageCodecs::EncodeJpeg(*FImage, FQuality, FGrayscale);
}

void TJPEGImage::JPEGNeeded() {
  if (FData.empty()) Compress();
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (!Source) {
    *FImage = TRawImage();
    FData.clear();
    Changed(this);
  } else if (auto* jpeg = dynamic_cast<TJPEGImage*>(Source)) {
    if (jpeg != this) {
      *FImage = *jpeg->FImage;
      FData = jpeg->FData;
      FQuality = jpeg->FQuality;
      FGrayscale = jpeg->FGrayscale;
    }
    Changed(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    bitmap->SaveToRaw(*FImage);
    FImage->HasAlpha = false;
    FData.clear();
    Changed(this);
  } else if (dynamic_cast<TGraphic*>(Source)) {
    TBitmap bitmap;
    bitmap.Assign(Source);
    Assign(&bitmap);
  } else {
    inherited::Assign(Source);
  }
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) bitmap->Assign(&DrawCache());
  else inherited::AssignTo(Dest);
}

bool TJPEGImage::CanLoadFromStream(TStream* Stream) { return ImageCodecs::PeekSignature(Stream, 3, ImageCodecs::IsJpeg); }

void TJPEGImage::LoadFromStream(TStream* Stream) {
  std::vector<Byte> data = ImageCodecs::ReadToEnd(Stream);
  bool grey = false;
  *FImage = ImageCodecs::DecodeJpeg(data.data(), data.size(), &grey);
  FData = std::move(data);
  FGrayscale = grey;
  Changed(this);
}

void TJPEGImage::SaveToStream(TStream* Stream) {
  JPEGNeeded();
  if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<Int64>(FData.size()));
}
