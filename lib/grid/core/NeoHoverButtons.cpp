// THoverButtons, its collection and its items.
#include "lib/grid/core/NeoHoverButtons.h"

THoverButtonsCollectionItem::THoverButtonsCollectionItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FPicture(std::make_unique<TPicture>()) {}

THoverButtonsCollectionItem::~THoverButtonsCollectionItem() = default;

void THoverButtonsCollectionItem::SetPicture(TPicture* Value) {
  FPicture->Assign(Value);
  Changed(false);
}

void THoverButtonsCollectionItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<THoverButtonsCollectionItem*>(Source);
  if (!s) return;
  FTag = s->FTag;
  FFlat = s->FFlat;
  FEnabled = s->FEnabled;
  FCaption = s->FCaption;
  FHint = s->FHint;
  FPicture->Assign(s->FPicture.get());
  FWidth = s->FWidth;
}

void THoverButtonsCollection::Update(TCollectionItem* Item) {
  TOwnedCollection::Update(Item);
  FUpdated = true;
}

THoverButtons::THoverButtons(TPersistent* AOwner)
    : FOwner(AOwner), FButtons(std::make_unique<THoverButtonsCollection>(this)) {}

THoverButtons::~THoverButtons() = default;

void THoverButtons::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<THoverButtons*>(Source);
  if (!s) return;
  FEnabled = s->FEnabled;
  FButtons->Assign(s->FButtons.get());
  FColumn = s->FColumn;
  FPosition = s->FPosition;
  FRows = s->FRows;
  FMoveActiveRow = s->FMoveActiveRow;
}
