#pragma once
// TCustomImageList: a list of pictures of one size, drawn by index. Each image keeps its own
// transparency (from a 32-bit picture's alpha, a mask or a mask colour); a disabled drawing shows
// the image in grey.
#include <memory>
#include <vector>

#include "platform/ui/Graphics.h"

class TCustomImageList : public TComponent {
  ZELK_CLASS(TCustomImageList, TComponent)
public:
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;

  Integer GetWidth() const { return FWidth; }
  Integer GetHeight() const { return FHeight; }
  // A new size (at least 1 x 1) empties the list.
  void SetWidth(Integer Value) { SetSize(Value, FHeight); }
  void SetHeight(Integer Value) { SetSize(FWidth, Value); }
  void SetSize(Integer AWidth, Integer AHeight);
  Integer GetCount() const { return static_cast<Integer>(FImages.size()); }

  // Adds Image cut into Width-wide images from its left (as many as fit, at least one when the
  // picture is not empty); pixels of Mask that are not black are transparent, and without a mask
  // the picture's own alpha counts. The index of the first image added; -1 when nothing was.
  Integer Add(TBitmap* Image, TBitmap* Mask);
  // As Add, with the pixels of MaskColor transparent (clDefault: the colour of the bottom-left
  // pixel).
  Integer AddMasked(TBitmap* Image, TColor MaskColor);
  void Delete(Integer Index);
  void Clear();
  // Image Index at (X, Y) at its own size; grey when not Enabled. Nothing for an index outside
  // the list or a nil canvas.
  void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
  // Image Index (transparent pixels as alpha) into Image, a 32-bit picture of the list's size;
  // false for an index outside the list.
  bool GetBitmap(Integer Index, TBitmap* Image);

  TNotifyEvent OnChange;

protected:
  virtual void Change();

private:
  struct TImage;
  // Cuts the picture into images; AMasked(x, y, bgra) tells whether a source pixel is transparent.
  template <class F> Integer AddImages(TBitmap* Image, F&& AMasked);

  Integer FWidth = 16;
  Integer FHeight = 16;
  std::vector<std::unique_ptr<TImage>> FImages;
};

class TImageList : public TCustomImageList {
  ZELK_CLASS(TImageList, TCustomImageList)
public:
  using TCustomImageList::TCustomImageList;
};
