#include "lib/graphics/NeoTypes.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "lib/base/NeoUtils.h"
#include "lib/graphics/NeoGraphicsInternal.h"
#include "platform/rtl/Units.h"

using NeoGraphicsInternal::NearestInt;

// ---------------------------------------------------------------------------------------------
// Stepped gradient
// ---------------------------------------------------------------------------------------------
namespace {

// Restores the canvas's pen and brush colour and style on every exit.
class TPenBrushScope {
public:
  explicit TPenBrushScope(TCanvas* ACanvas)
      : FCanvas(ACanvas),
        FBrushColor(ACanvas->GetBrush()->GetColor()),
        FBrushStyle(ACanvas->GetBrush()->GetStyle()),
        FPenColor(ACanvas->GetPen()->GetColor()),
        FPenStyle(ACanvas->GetPen()->GetStyle()) {}
  ~TPenBrushScope() {
    FCanvas->GetBrush()->SetColor(FBrushColor);
    FCanvas->GetBrush()->SetStyle(FBrushStyle);
    FCanvas->GetPen()->SetColor(FPenColor);
    FCanvas->GetPen()->SetStyle(FPenStyle);
  }
  TPenBrushScope(const TPenBrushScope&) = delete;
  TPenBrushScope& operator=(const TPenBrushScope&) = delete;

private:
  TCanvas* FCanvas;
  TColor FBrushColor;
  TBrushStyle FBrushStyle;
  TColor FPenColor;
  TPenStyle FPenStyle;
};

Integer Channel(COLORREF C, int Index) { return static_cast<Integer>((C >> (8 * Index)) & 0xFF); }

// How far a stripe Distance pixels from a rounded edge moves in: Radius - sqrt(Radius^2 -
// (Radius - Distance)^2), to the nearest integer.
Integer CornerInset(Integer Radius, Integer Distance) {
  const Double r = Radius;
  const Double k = r - Distance;
  return NearestInt(r - std::sqrt(std::max(r * r - k * k, 0.0)));
}

}  // namespace

void FillGradientRect(TCanvas* ACanvas, TColor ColorFrom, TColor ColorTo, bool Horizontal,
                      TNeoGraphicsCorners Corners, Integer Radius, const TRect& Rect) {
  if (!ACanvas) return;
  const Int64 extent = Horizontal ? Int64(Rect.right) - Rect.left : Int64(Rect.bottom) - Rect.top;
  const Integer n = extent == 0 ? 1 : static_cast<Integer>(std::clamp<Int64>(extent, -1, INT32_MAX));
  const COLORREF from = ColorToRGB(ColorFrom);
  const COLORREF to = ColorToRGB(ColorTo);
  TPenBrushScope saved(ACanvas);
  ACanvas->GetBrush()->SetStyle(bsSolid);
  // The ends of a stripe: the top and bottom corners of a vertical stripe (horizontal gradient),
  // the left and right corners of a horizontal one.
  const TNeoGraphicsCorner nearStart = gcTopLeft;
  const TNeoGraphicsCorner nearEnd = Horizontal ? gcBottomLeft : gcTopRight;
  const TNeoGraphicsCorner farStart = Horizontal ? gcTopRight : gcBottomLeft;
  const TNeoGraphicsCorner farEnd = gcBottomRight;
  const bool rounded = Radius > 0;
  // Neighbouring stripes of one colour and one extent are painted as one rectangle.
  TRect pending{};
  TColor pendingColor = 0;
  bool hasPending = false;
  auto flush = [&] {
    if (!hasPending) return;
    ACanvas->GetBrush()->SetColor(pendingColor);
    ACanvas->FillRect(pending);
    hasPending = false;
  };
  // Only the stripes inside the canvas's clip box can show: the others are skipped.
  const TRect visible = ACanvas->GetClipRect();
  const Int64 start = Horizontal ? Rect.left : Rect.top;
  const Int64 first = std::max<Int64>(0, (Horizontal ? visible.left : visible.top) - start);
  const Int64 last = std::min<Int64>(n, (Horizontal ? visible.right : visible.bottom) - start);
  for (Integer i = static_cast<Integer>(first); i < last; ++i) {
    Byte c[3];
    for (int k = 0; k < 3; ++k) {
      const Integer a = Channel(from, k);
      c[k] = static_cast<Byte>(a + NearestInt(static_cast<Double>(i) * (Channel(to, k) - a) / n));
    }
    const TColor color = RGBToGraphicsColor(c[0], c[1], c[2]);
    Integer insetStart = 0, insetEnd = 0;
    if (rounded && i <= Radius) {
      const Integer d = CornerInset(Radius, i);
      if (Corners.Contains(nearStart)) insetStart = std::max(insetStart, d);
      if (Corners.Contains(nearEnd)) insetEnd = std::max(insetEnd, d);
    }
    if (rounded && i >= n - Radius) {
      const Integer d = CornerInset(Radius, n - i);
      if (Corners.Contains(farStart)) insetStart = std::max(insetStart, d);
      if (Corners.Contains(farEnd)) insetEnd = std::max(insetEnd, d);
    }
    TRect stripe;
    if (Horizontal) stripe = {Rect.left + i, Rect.top + insetStart, Rect.left + i + 1, Rect.bottom - insetEnd};
    else stripe = {Rect.left + insetStart, Rect.top + i, Rect.right - insetEnd, Rect.top + i + 1};
    // Clipped to the rectangle.
    stripe.left = std::max(stripe.left, Rect.left);
    stripe.top = std::max(stripe.top, Rect.top);
    stripe.right = std::min(stripe.right, Rect.right);
    stripe.bottom = std::min(stripe.bottom, Rect.bottom);
    if (stripe.right <= stripe.left || stripe.bottom <= stripe.top) continue;
    const bool joins = hasPending && color == pendingColor &&
                       (Horizontal ? pending.right == stripe.left && pending.top == stripe.top && pending.bottom == stripe.bottom
                                   : pending.bottom == stripe.top && pending.left == stripe.left && pending.right == stripe.right);
    if (joins) {
      (Horizontal ? pending.right : pending.bottom) = Horizontal ? stripe.right : stripe.bottom;
      continue;
    }
    flush();
    pending = stripe;
    pendingColor = color;
    hasPending = true;
  }
  flush();
}

// ---------------------------------------------------------------------------------------------
// Resources
// ---------------------------------------------------------------------------------------------
void LoadBitmapFromResource(TPicture* ABitmap, const String& Name, HINSTANCE Instance) {
  if (!ABitmap) return;
  if (std::unique_ptr<TResourceStream> stream = TNeoUtils::GetResourceStream(Name, Instance))
    ABitmap->LoadFromStream(stream.get());
}

std::unique_ptr<TNeoBitmap> BitmapFromResource(const String& Name) {
  return BitmapFromResource(Name, TNeoUtils::GetHInstance());
}

std::unique_ptr<TNeoBitmap> BitmapFromResource(const String& Name, HINSTANCE Instance) {
  auto bitmap = std::make_unique<TNeoBitmap>();
  LoadBitmapFromResource(bitmap.get(), Name, Instance);
  return bitmap;
}

// ---------------------------------------------------------------------------------------------
// TNeoScaledBitmap
// ---------------------------------------------------------------------------------------------
TNeoScaledBitmap::TNeoScaledBitmap(TCollection* ACollection)
    : TCollectionItem(ACollection), FBitmap(std::make_unique<TNeoBitmap>()) {
  FBitmap->OnChange = [this](TObject*) { Changed(false); };
}

TNeoScaledBitmap::~TNeoScaledBitmap() { FBitmap->OnChange = nullptr; }

void TNeoScaledBitmap::AssignPictureQuietly(TPersistent* Source) {
  struct TRestore {
    TNeoBitmap* Bitmap;
    TNotifyEvent Handler;
    ~TRestore() { Bitmap->OnChange = std::move(Handler); }
  } restore{FBitmap.get(), std::move(FBitmap->OnChange)};
  FBitmap->OnChange = nullptr;
  FBitmap->Assign(Source);
}

void TNeoScaledBitmap::Assign(TPersistent* Source) {
  auto* item = dynamic_cast<TNeoScaledBitmap*>(Source);
  if (!item || item == this) return;
  AssignPictureQuietly(item->FBitmap.get());
  FBitmapName = item->FBitmapName;
  FScale = item->FScale;
}

void TNeoScaledBitmap::SetBitmap(TPicture* Value) {
  if (Value == FBitmap.get()) return;
  AssignPictureQuietly(Value);
  Changed(false);
}

void TNeoScaledBitmap::SetScale(Single Value) {
  if (FScale == Value) return;
  FScale = Value;
  Changed(false);
}

void TNeoScaledBitmap::SetBitmapName(const String& Value) {
  if (FBitmapName == Value) return;
  FBitmapName = Value;
  Changed(false);
}

// ---------------------------------------------------------------------------------------------
// TNeoScaledBitmaps
// ---------------------------------------------------------------------------------------------
TNeoScaledBitmaps::TNeoScaledBitmaps(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TNeoScaledBitmap::StaticClass()) {}

void TNeoScaledBitmaps::Update(TCollectionItem* Item) {
  TOwnedCollection::Update(Item);
  if (OnChange) OnChange(this);
}

TNeoScaledBitmap* TNeoScaledBitmaps::Add(Single Scale) {
  auto* item = static_cast<TNeoScaledBitmap*>(TCollection::Add());
  item->SetScale(Scale);
  return item;
}

TNeoScaledBitmap* TNeoScaledBitmaps::Insert(Integer Index) {
  return static_cast<TNeoScaledBitmap*>(TCollection::Insert(Index));
}

TNeoScaledBitmap* TNeoScaledBitmaps::Insert(Integer Index, Single Scale) {
  TNeoScaledBitmap* item = Insert(Index);
  item->SetScale(Scale);
  return item;
}

TNeoScaledBitmap* TNeoScaledBitmaps::AddBitmap(TPicture* Bitmap, Single Scale) {
  TNeoScaledBitmap* item = Add(Scale);
  item->SetBitmap(Bitmap);
  return item;
}

TNeoScaledBitmap* TNeoScaledBitmaps::AddDrawBitmap(TGraphic* Bitmap, Single Scale) {
  TNeoScaledBitmap* item = Add(Scale);
  TNeoBitmap picture;
  picture.SetGraphic(Bitmap);
  item->SetBitmap(&picture);
  return item;
}

TNeoScaledBitmap* TNeoScaledBitmaps::AddBitmapFromFile(const String& FileName, Single Scale) {
  TNeoBitmap picture;
  picture.LoadFromFile(FileName);
  return AddBitmap(&picture, Scale);
}

TNeoScaledBitmap* TNeoScaledBitmaps::AddBitmapFromResource(const String& ResourceName, Single Scale) {
  return AddBitmapFromResource(ResourceName, TNeoUtils::GetHInstance(), Scale);
}

TNeoScaledBitmap* TNeoScaledBitmaps::AddBitmapFromResource(const String& ResourceName, HINSTANCE AInstance,
                                                           Single Scale) {
  const std::unique_ptr<TNeoBitmap> picture = BitmapFromResource(ResourceName, AInstance);
  return AddBitmap(picture.get(), Scale);
}

TNeoScaledBitmap* TNeoScaledBitmaps::AddBitmapName(const String& BitmapName, Single Scale) {
  TNeoScaledBitmap* item = Add(Scale);
  item->SetBitmapName(BitmapName);
  return item;
}

TNeoScaledBitmap* TNeoScaledBitmaps::GetItemByScale(Single Scale) const {
  TNeoScaledBitmap* largest = nullptr;
  for (Integer i = 0; i < GetCount(); ++i) {
    TNeoScaledBitmap* item = GetItems(i);
    if (item->GetScale() == Scale) return item;
    if (item->GetScale() > 0 && (!largest || item->GetScale() > largest->GetScale())) largest = item;
  }
  return largest;
}

TNeoBitmap* TNeoScaledBitmaps::GetBitmapByScale(Single Scale) const {
  TNeoScaledBitmap* item = GetItemByScale(Scale);
  return item ? item->GetBitmap() : nullptr;
}

void TNeoScaledBitmaps::SetBitmap(Single Scale, TPicture* Value) {
  TNeoScaledBitmap* item = GetItemByScale(Scale);
  if (!item) item = Add(Scale);
  item->SetBitmap(Value);
}

void RegisterNeoTypesRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterNeoGraphicsTypesRtti();
    using I = TNeoScaledBitmap;
    Publish<I>()
        .Property(u"Bitmap", &I::GetBitmap, [](I* i, TNeoBitmap* v) { i->SetBitmap(v); })
        .Property(u"Scale", &I::GetScale, &I::SetScale).Stored([](I* i) { return i->GetScale() != 1; })
        .Property(u"BitmapName", &I::GetBitmapName, &I::SetBitmapName);
    Publish<TNeoScaledBitmaps>().Property(u"OnChange", &TNeoScaledBitmaps::OnChange);
    RegisterClasses({TNeoScaledBitmap::StaticClass(), TNeoScaledBitmaps::StaticClass()});
  });
}

void RegisterNeoTypesUnit() {
  RegisterNeoGraphicsTypesUnit();
  RegisterUnit(u"NeoTypes", [] { RegisterNeoTypesRtti(); });
}
