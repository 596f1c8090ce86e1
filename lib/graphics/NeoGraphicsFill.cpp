// Fills with their gradient stops, strokes, fonts and the saved drawing state.
#include "lib/graphics/NeoGraphicsTypes.h"

namespace {

// clNone means no colour; clDefault the button face.
TColor TranslateColor(TColor Value) {
  if (Value == clNone) return gcNull;
  if (Value == clDefault) return clBtnFace;
  return Value;
}

// Stores Value when it differs from Field (exactly: a NaN always differs); true when it did.
template <class T>
bool Store(T& Field, const T& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

// Runs ABody inside BeginUpdate/EndUpdate, so that the object notifies once, at the end (also
// when ABody raises).
template <class TObj, class F>
void Batched(TObj& AObject, F&& ABody) {
  AObject.BeginUpdate();
  try {
    ABody();
  } catch (...) {
    AObject.EndUpdate();
    throw;
  }
  AObject.EndUpdate();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Gradient items
// ---------------------------------------------------------------------------------------------
TNeoGraphicsFillGradientItem::TNeoGraphicsFillGradientItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

void TNeoGraphicsFillGradientItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TNeoGraphicsFillGradientItem*>(Source)) {
    FColor = item->FColor;
    FOpacity = item->FOpacity;
    FPosition = item->FPosition;
    return;
  }
  TCollectionItem::Assign(Source);
}

void TNeoGraphicsFillGradientItem::SetColor(TColor Value) {
  if (Store(FColor, Value)) Changed(false);
}

void TNeoGraphicsFillGradientItem::SetPosition(Single Value) {
  if (Store(FPosition, Value)) Changed(false);
}

void TNeoGraphicsFillGradientItem::SetOpacity(Single Value) {
  if (Store(FOpacity, Value)) Changed(false);
}

TNeoGraphicsFillGradientItems::TNeoGraphicsFillGradientItems(TNeoCustomGraphicsFill* AOwner)
    : TNeoOwnedCollection(AOwner, TNeoGraphicsFillGradientItem::StaticClass()), FOwner(AOwner) {}

void TNeoGraphicsFillGradientItems::Update(TCollectionItem* Item) {
  (void)Item;
  if (FOwner) FOwner->Changed();
}

// ---------------------------------------------------------------------------------------------
// Fill
// ---------------------------------------------------------------------------------------------
TNeoCustomGraphicsFill::TNeoCustomGraphicsFill(TNeoGraphicsFillKind AKind, TColor AColor)
    : FKind(AKind),
      FColor(AColor),
      FTexture(std::make_unique<TNeoBitmap>()),
      FGradientItems(std::make_unique<TNeoGraphicsFillGradientItems>(this)) {
  FTexture->OnChange = [this](TObject*) { Changed(); };
}

TNeoCustomGraphicsFill::~TNeoCustomGraphicsFill() {
  // The members go without telling anyone.
  ++FUpdateCount;
  FTexture->OnChange = nullptr;
  FGradientItems.reset();
}

void TNeoCustomGraphicsFill::Changed() {
  if (FUpdateCount == 0 && OnChanged) OnChanged(this);
}

void TNeoCustomGraphicsFill::EndUpdate() {
  --FUpdateCount;
  Changed();
}

void TNeoCustomGraphicsFill::Assign(TPersistent* Source) {
  Batched(*this, [&] { CopyFrom(Source); });
}

void TNeoCustomGraphicsFill::CopyFrom(TPersistent* Source) {
  if (auto* fill = dynamic_cast<TNeoCustomGraphicsFill*>(Source)) {
    if (fill == this) return;
    FColor = fill->FColor;
    FColorTo = fill->FColorTo;
    FColorMirror = fill->FColorMirror;
    FColorMirrorTo = fill->FColorMirrorTo;
    FKind = fill->FKind;
    FOrientation = fill->FOrientation;
    FOpacity = fill->FOpacity;
    FTexture->Assign(fill->FTexture.get());
    FTextureMode = fill->FTextureMode;
    FGradientMode = fill->FGradientMode;
    FGradientAngle = fill->FGradientAngle;
    FGradientCenterPoint = fill->FGradientCenterPoint;
    FGradientItems->Assign(fill->FGradientItems.get());
    FGradientType = fill->FGradientType;
    FGradientCenterColor = fill->FGradientCenterColor;
    // The brush transform a context takes from its own copy of the fill.
    FGradientMatrix = fill->FGradientMatrix;
  } else if (auto* stroke = dynamic_cast<TNeoCustomGraphicsStroke*>(Source)) {
    FColor = stroke->GetColor();
    FColorTo = FColorMirror = FColorMirrorTo = gcNull;
    FKind = gfkSolid;
    FOrientation = gfoVertical;
    FOpacity = 1;
  }
}

void TNeoCustomGraphicsFill::ClearGradientItems() { FGradientItems->Clear(); }

TNeoGraphicsFillGradientItem* TNeoCustomGraphicsFill::AddGradientItem(TColor AColor, Single APosition,
                                                                      Single AOpacity) {
  TNeoGraphicsFillGradientItem* item = FGradientItems->Add();
  item->SetColor(AColor);
  item->SetPosition(APosition);
  item->SetOpacity(AOpacity);
  return item;
}

void TNeoCustomGraphicsFill::SetColorField(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = TranslateColor(Value);
  Changed();
}

void TNeoCustomGraphicsFill::SetKind(TNeoGraphicsFillKind Value) {
  if (Store(FKind, Value)) Changed();
}

void TNeoCustomGraphicsFill::SetOrientation(TNeoGraphicsFillOrientation Value) {
  if (Store(FOrientation, Value)) Changed();
}

void TNeoCustomGraphicsFill::SetColor(TColor Value) { SetColorField(FColor, Value); }
void TNeoCustomGraphicsFill::SetColorTo(TColor Value) { SetColorField(FColorTo, Value); }
void TNeoCustomGraphicsFill::SetColorMirror(TColor Value) { SetColorField(FColorMirror, Value); }
void TNeoCustomGraphicsFill::SetColorMirrorTo(TColor Value) { SetColorField(FColorMirrorTo, Value); }

void TNeoCustomGraphicsFill::SetOpacity(Single Value) {
  if (Store(FOpacity, Value)) Changed();
}

void TNeoCustomGraphicsFill::SetTexture(TNeoBitmap* Value) {
  if (Value == FTexture.get()) return;
  Batched(*this, [&] { FTexture->Assign(Value); });
}

void TNeoCustomGraphicsFill::SetTextureMode(TNeoGraphicsTextureMode Value) {
  if (Store(FTextureMode, Value)) Changed();
}

void TNeoCustomGraphicsFill::SetGradientMode(TNeoGraphicsFillGradientMode Value) {
  if (Store(FGradientMode, Value)) Changed();
}

void TNeoCustomGraphicsFill::SetGradientItems(TNeoGraphicsFillGradientItems* Value) {
  if (Value != FGradientItems.get()) FGradientItems->Assign(Value);
}

void TNeoCustomGraphicsFill::SetGradientType(TNeoGraphicsFillGradientType Value) {
  if (Store(FGradientType, Value)) Changed();
}

void TNeoCustomGraphicsFill::SetGradientAngle(Single Value) {
  if (Store(FGradientAngle, Value)) Changed();
}

void TNeoCustomGraphicsFill::SetGradientCenterPoint(TPointF Value) {
  FGradientCenterPoint = Value;
  Changed();
}

void TNeoCustomGraphicsFill::SetGradientCenterColor(TColor Value) {
  if (Store(FGradientCenterColor, Value)) Changed();
}

void TNeoCustomGraphicsFill::SetGradientMatrix(const TNeoGraphicsMatrix& Value) {
  if (Store(FGradientMatrix, Value)) Changed();
}

// ---------------------------------------------------------------------------------------------
// Stroke
// ---------------------------------------------------------------------------------------------
TNeoCustomGraphicsStroke::TNeoCustomGraphicsStroke(TNeoGraphicsStrokeKind AKind, TColor AColor)
    : FKind(AKind), FColor(AColor) {}

void TNeoCustomGraphicsStroke::Changed() {
  if (FUpdateCount == 0 && OnChanged) OnChanged(this);
}

void TNeoCustomGraphicsStroke::EndUpdate() {
  --FUpdateCount;
  Changed();
}

void TNeoCustomGraphicsStroke::Assign(TPersistent* Source) {
  if (auto* stroke = dynamic_cast<TNeoCustomGraphicsStroke*>(Source)) {
    FColor = stroke->FColor;
    FKind = stroke->FKind;
    FOpacity = stroke->FOpacity;
    FWidth = stroke->FWidth;
  } else if (auto* fill = dynamic_cast<TNeoCustomGraphicsFill*>(Source)) {
    FColor = fill->GetColor();
    FKind = gskSolid;
    FOpacity = 1;
    FWidth = 1;
  }
  Changed();
}

void TNeoCustomGraphicsStroke::SetKind(TNeoGraphicsStrokeKind Value) {
  if (Store(FKind, Value)) Changed();
}

void TNeoCustomGraphicsStroke::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = TranslateColor(Value);
  Changed();
}

void TNeoCustomGraphicsStroke::SetWidth(Single Value) {
  if (Store(FWidth, Value)) Changed();
}

void TNeoCustomGraphicsStroke::SetOpacity(Single Value) {
  if (Store(FOpacity, Value)) Changed();
}

// ---------------------------------------------------------------------------------------------
// Font
// ---------------------------------------------------------------------------------------------
TNeoGraphicsFont::TNeoGraphicsFont() {
  OnChange = [this](TObject*) { NotifyChanged(); };
}

void TNeoGraphicsFont::NotifyChanged() {
  if (FUpdateCount == 0 && OnChanged) OnChanged(this);
}

void TNeoGraphicsFont::EndUpdate() {
  --FUpdateCount;
  NotifyChanged();
}

void TNeoGraphicsFont::Assign(TPersistent* Source) {
  Batched(*this, [&] { TFont::Assign(Source); });
}

// ---------------------------------------------------------------------------------------------
// Saved state
// ---------------------------------------------------------------------------------------------
TNeoGraphicsSaveState::TNeoGraphicsSaveState()
    : FFont(std::make_unique<TNeoGraphicsFont>()),
      FStroke(std::make_unique<TNeoGraphicsStroke>(gskSolid, 0xC0C0C0)),
      FFill(std::make_unique<TNeoGraphicsFill>(gfkSolid, 0xFFFFFF)) {}

TNeoGraphicsSaveState::~TNeoGraphicsSaveState() = default;
