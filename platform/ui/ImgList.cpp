// Image lists: images kept as 32-bit pictures with alpha, their grey forms made when first drawn.
#include "platform/ui/ImgList.h"

#include <algorithm>

#include "platform/ui/ImageCodecs.h"

struct TCustomImageList::TImage {
  ImageCodecs::TRawImage Raw;        // straight-alpha BGRA, the list's size
  std::unique_ptr<TBitmap> Normal;   // Raw as a 32-bit picture with alpha
  std::unique_ptr<TBitmap> Grey;     // made at the first disabled drawing
};

namespace {

std::unique_ptr<TBitmap> BitmapOf(const ImageCodecs::TRawImage& ARaw) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->LoadFromRaw(ARaw, true);
  return bitmap;
}

// The image's grey form: each colour by its luminance, alpha kept.
ImageCodecs::TRawImage GreyOf(const ImageCodecs::TRawImage& ARaw) {
  ImageCodecs::TRawImage grey = ARaw;
  for (std::size_t i = 0; i + 3 < grey.Pixels.size(); i += 4) {
    Byte* p = &grey.Pixels[i];
    const Integer luminance = (p[2] * 299 + p[1] * 587 + p[0] * 114 + 500) / 1000;
    // Lightened halfway to white, as disabled images look.
    const Byte value = static_cast<Byte>((luminance + 255) / 2);
    p[0] = p[1] = p[2] = value;
  }
  return grey;
}

}  // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}
TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Change() {
  if (OnChange) OnChange(this);
}

void TCustomImageList::SetSize(Integer AWidth, Integer AHeight) {
  AWidth = std::max(1, AWidth);
  AHeight = std::max(1, AHeight);
  if (AWidth == FWidth && AHeight == FHeight) return;
  FWidth = AWidth;
  FHeight = AHeight;
  FImages.clear();
  Change();
}

template <class F> Integer TCustomImageList::AddImages(TBitmap* Image, F&& AMasked) {
  if (!Image || Image->GetEmpty()) return -1;
  ImageCodecs::TRawImage source;
  Image->SaveToRaw(source);
  const Integer count = std::max(1, source.Width / FWidth);
  const Integer first = GetCount();
  for (Integer n = 0; n < count; ++n) {
    auto image = std::make_unique<TImage>();
    image->Raw.SetSize(FWidth, FHeight);
    for (Integer y = 0; y < FHeight; ++y) {
      Byte* to = image->Raw.Row(y);
      for (Integer x = 0; x < FWidth; ++x, to += 4) {
        const Integer sx = n * FWidth + x;
        if (sx >= source.Width || y >= source.Height) {
          to[0] = to[1] = to[2] = to[3] = 0;   // beyond the picture: transparent
          continue;
        }
        const Byte* from = source.Row(y) + static_cast<std::size_t>(sx) * 4;
        std::copy(from, from + 4, to);
        if (AMasked(sx, y, from)) to[3] = 0;
      }
    }
    image->Raw.HasAlpha = true;
    image->Normal = BitmapOf(image->Raw);
    FImages.push_back(std::move(image));
  }
  Change();
  return first;
}

Integer TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  ImageCodecs::TRawImage mask;
  if (Mask && !Mask->GetEmpty()) Mask->SaveToRaw(mask);
  return AddImages(Image, [&](Integer X, Integer Y, const Byte*) {
    if (mask.Pixels.empty() || X >= mask.Width || Y >= mask.Height) return false;
    const Byte* m = mask.Row(Y) + static_cast<std::size_t>(X) * 4;
    return (m[0] | m[1] | m[2]) != 0;
  });
}

Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image || Image->GetEmpty()) return -1;
  COLORREF key = ColorToRGB(MaskColor) & 0xFFFFFF;
  if (MaskColor == clDefault) key = static_cast<COLORREF>(Image->GetCanvas()->GetPixels(0, Image->GetHeight() - 1)) & 0xFFFFFF;
  return AddImages(Image, [&](Integer, Integer, const Byte* P) {
    const COLORREF rgb = static_cast<COLORREF>(P[2]) | (static_cast<COLORREF>(P[1]) << 8) |
                         (static_cast<COLORREF>(P[0]) << 16);
    return rgb == key;
  });
}

void TCustomImageList::Delete(Integer Index) {
  if (Index < 0 || Index >= GetCount()) return;
  FImages.erase(FImages.begin() + Index);
  Change();
}

void TCustomImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Change();
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) {
  if (!Canvas || Index < 0 || Index >= GetCount()) return;
  TImage& image = *FImages[static_cast<std::size_t>(Index)];
  if (!Enabled && !image.Grey) image.Grey = BitmapOf(GreyOf(image.Raw));
  Canvas->Draw(X, Y, Enabled ? image.Normal.get() : image.Grey.get());
}

bool TCustomImageList::GetBitmap(Integer Index, TBitmap* Image) {
  if (!Image || Index < 0 || Index >= GetCount()) return false;
  Image->Assign(FImages[static_cast<std::size_t>(Index)]->Normal.get());
  return true;
}
