// TIcon: an ICO file, shown through the entry that suits the requested size.
#include <algorithm>

#include "platform/ui/Graphics.h"
#include "platform/ui/ImageCodecs.h"

TIcon::TIcon() = default;

TIcon::~TIcon() = default;

Integer TIcon::GetWidth() { return FImage ? FImage->GetWidth() : 0; }

Integer TIcon::GetHeight() { return FImage ? FImage->GetHeight() : 0; }

namespace {

std::unique_ptr<TBitmap> DecodeIcon(const std::vector<Byte>& Data, Integer Size) {
  ImageCodecs::TRawImage raw = ImageCodecs::DecodeIco(Data.data(), Data.size(), Size);
  auto image = std::make_unique<TBitmap>();
  image->LoadFromRaw(raw, true);
  return image;
}

}  // namespace

void TIcon::Decode() {
  if (FData.empty()) FImage.reset();
  else FImage = DecodeIcon(FData, std::max(FRequestedWidth, FRequestedHeight));
}

void TIcon::SetSize(Integer AWidth, Integer AHeight) {
  if (AWidth == FRequestedWidth && AHeight == FRequestedHeight) return;
  FRequestedWidth = AWidth;
  FRequestedHeight = AHeight;
  Decode();
  Changed(this);
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (FImage) FImage->Draw(ACanvas, Rect);
}

void TIcon::Assign(TPersistent* Source) {
  if (!Source) {
    FData.clear();
    Decode();
    Changed(this);
  } else if (auto* icon = dynamic_cast<TIcon*>(Source)) {
    if (icon != this) {
      FData = icon->FData;
      FRequestedWidth = icon->FRequestedWidth;
      FRequestedHeight = icon->FRequestedHeight;
      Decode();
    }
    Changed(this);
  } else {
    inherited::Assign(Source);
  }
}

void TIcon::AssignTo(TPersistent* Dest) {
  auto* bitmap = dynamic_cast<TBitmap*>(Dest);
  if (!bitmap) {
    inherited::AssignTo(Dest);
    return;
  }
  if (FImage) bitmap->Assign(FImage.get());
  else bitmap->Assign(nullptr);
}

bool TIcon::CanLoadFromStream(TStream* Stream) { return ImageCodecs::PeekSignature(Stream, 6, ImageCodecs::IsIco); }

void TIcon::LoadFromStream(TStream* Stream) {
  std::vector<Byte> data = ImageCodecs::ReadToEnd(Stream);
  // Decoded first: a bad file leaves the icon as it was.
  FImage = DecodeIcon(data, std::max(FRequestedWidth, FRequestedHeight));
  FData = std::move(data);
  Changed(this);
}

void TIcon::SaveToStream(TStream* Stream) {
  if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<Int64>(FData.size()));
}

void TIcon::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  TResourceStream res(Instance, ResName, RT_GROUP_ICON);
  LoadFromStream(&res);
}
