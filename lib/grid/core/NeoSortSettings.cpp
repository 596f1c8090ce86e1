// TSortSettings: the setters that repaint the grid or check the sort row, and Assign.
#include "lib/grid/core/NeoSortSettings.h"

#include "lib/grid/core/NeoStringGrid.h"

void TSortSettings::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TSortSettings*>(Source);
  if (!other) return;
  FAutoColumnMerge = other->FAutoColumnMerge;
  FColumn = other->FColumn;
  FShow = other->FShow;
  FIndexShow = other->FIndexShow;
  FDirection = other->FDirection;
  FIndexSortKey = other->FIndexSortKey;
  FInitSortDirection = other->FInitSortDirection;
  FFixedCols = other->FFixedCols;
  FRow = other->FRow;
  FUndoSort = other->FUndoSort;
}

void TSortSettings::SetColumn(Integer Value) {
  if (FColumn == Value) return;
  FColumn = Value;
  if (FRow >= 0) FGrid->RepaintRow(FRow);
}

void TSortSettings::SetShow(bool Value) {
  if (FShow == Value) return;
  FShow = Value;
  FGrid->Invalidate();
}

void TSortSettings::SetRow(Integer Value) {
  if (Value > FGrid->GetFixedRows()) throw ENeoGridError(u"Sort row should be smaller than number of fixed rows");
  FRow = Value;
}
