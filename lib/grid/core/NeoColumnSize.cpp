#include "lib/grid/core/NeoColumnSize.h"

#include "lib/grid/core/NeoStringGrid.h"

void TColumnSize::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TColumnSize*>(Source);
  if (!s) return;
  FRows = s->FRows;
  FSave = s->FSave;
  FKey = s->FKey;
  FSection = s->FSection;
  FStretch = s->FStretch;
  FStretchColumn = s->FStretchColumn;
  FSynchWithGrid = s->FSynchWithGrid;
  FSynchNormalCellsOnly = s->FSynchNormalCellsOnly;
  FLocation = s->FLocation;
}

void TColumnSize::SetStretch(bool Value) {
  FStretch = Value;
  if (FOwner && FOwner->GetParent()) FOwner->DoStretchColumn(FStretchColumn, -1);
}

void TColumnSize::SetStretchAll(bool Value) {
  if (FStretchAll == Value) return;
  if (Value) FStretchColumn = -1;
  FStretchAll = Value;
  if (FOwner) FOwner->DoStretchColumn(-1, -1);
}
