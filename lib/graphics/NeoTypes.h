#pragma once
// Pictures per display scale (TNeoScaledBitmaps), pictures from program resources and the stepped
// gradient painter of the plain-canvas drawing.
#include <memory>

#include "lib/graphics/NeoGraphicsTypes.h"
#include "platform/ui/Graphics.h"

// Paints Rect with one-pixel stripes from ColorFrom to ColorTo, left to right (Horizontal) or top
// to bottom; the listed corners are rounded with Radius. The canvas's pen and brush are restored.
void FillGradientRect(TCanvas* ACanvas, TColor ColorFrom, TColor ColorTo, bool Horizontal,
                      TNeoGraphicsCorners Corners, Integer Radius, const TRect& Rect);

// Loads the raw-data resource Name of the module into the picture; without such a resource the
// picture keeps its content.
void LoadBitmapFromResource(TPicture* ABitmap, const String& Name, HINSTANCE Instance);
// A new picture from the resource (of the program's module when no instance is given); empty
// when there is no such resource.
std::unique_ptr<TNeoBitmap> BitmapFromResource(const String& Name);
std::unique_ptr<TNeoBitmap> BitmapFromResource(const String& Name, HINSTANCE Instance);

// One picture for one display scale: a picture of its own, or the name of a picture kept
// elsewhere (a picture container).
class TNeoScaledBitmap : public TCollectionItem {
  ZELK_CLASS(TNeoScaledBitmap, TCollectionItem)
public:
  explicit TNeoScaledBitmap(TCollection* ACollection);
  ~TNeoScaledBitmap() override;
  // From another item: picture, name and scale, without a change notice.
  void Assign(TPersistent* Source) override;

  TNeoBitmap* GetBitmap() const { return FBitmap.get(); }
  void SetBitmap(TPicture* Value);
  Single GetScale() const { return FScale; }
  void SetScale(Single Value);
  const String& GetBitmapName() const { return FBitmapName; }
  void SetBitmapName(const String& Value);

private:
  // Copies the picture without the bitmap's change event reaching the collection.
  void AssignPictureQuietly(TPersistent* Source);

  std::unique_ptr<TNeoBitmap> FBitmap;
  Single FScale = 1;
  String FBitmapName;
};

class TNeoScaledBitmaps : public TOwnedCollection {
  ZELK_CLASS(TNeoScaledBitmaps, TOwnedCollection)
public:
  explicit TNeoScaledBitmaps(TPersistent* AOwner);

  TNeoScaledBitmap* GetItems(Integer Index) const { return static_cast<TNeoScaledBitmap*>(GetItem(Index)); }
  void SetItems(Integer Index, TNeoScaledBitmap* Value) { SetItem(Index, Value); }

  TNeoScaledBitmap* Add(Single Scale = 1);
  TNeoScaledBitmap* Insert(Integer Index);
  TNeoScaledBitmap* Insert(Integer Index, Single Scale);
  TNeoScaledBitmap* AddBitmap(TPicture* Bitmap, Single Scale);
  TNeoScaledBitmap* AddDrawBitmap(TGraphic* Bitmap, Single Scale);
  // The file is loaded before the item is added: a file that cannot be read adds nothing.
  TNeoScaledBitmap* AddBitmapFromFile(const String& FileName, Single Scale);
  TNeoScaledBitmap* AddBitmapFromResource(const String& ResourceName, Single Scale);
  TNeoScaledBitmap* AddBitmapFromResource(const String& ResourceName, HINSTANCE AInstance, Single Scale);
  TNeoScaledBitmap* AddBitmapName(const String& BitmapName, Single Scale);

  // The first item of exactly that scale, else the one with the largest scale above 0 (the first
  // of equals); nullptr when there is none.
  TNeoScaledBitmap* GetItemByScale(Single Scale) const;
  TNeoBitmap* GetBitmapByScale(Single Scale) const;
  TNeoBitmap* GetBitmap(Single Scale) const { return GetBitmapByScale(Scale); }
  // Into the picture of GetItemByScale; into a new item of that scale when there is none.
  void SetBitmap(Single Scale, TPicture* Value);

  TNotifyEvent OnChange;

protected:
  void Update(TCollectionItem* Item) override;
};

// Publishes the properties of TNeoScaledBitmap(s) and registers the classes; later calls do
// nothing.
void RegisterNeoTypesRtti();
// Registers the graphics types' unit, then this unit, whose start-up publishes the properties.
void RegisterNeoTypesUnit();
