// TNeoStringGrid: controls embedded in cells, kept over their cells as the grid scrolls, sizes
// and hides, and the in-cell scroll bar at the current cell's right edge.
//
// The list keeps each control's real column and real row: a display column would point at
// another cell as soon as a column to its left is hidden or shown again. Placement maps them to
// display indexes at every call.
#include <algorithm>

#include "lib/grid/core/NeoStringGrid.h"

TControl* TNeoStringGrid::GetCellControls(Integer ACol, Integer ARow) {
  if (!HasCellProperties(ACol, ARow)) return nullptr;
  return GetCellProperties(ACol, ARow)->GetControl();
}

void TNeoStringGrid::SetCellControls(Integer ACol, Integer ARow, TControl* AControl) {
  TCellProperties* props = GetCellProperties(ACol, ARow);
  Integer realRow = DisplToRealRow(ARow);
  auto removeEntry = [&] {
    Integer i = FControlList->ControlIndex(ACol, realRow);
    if (i >= 0) FControlList->RemoveControl(i);
  };
  if (!AControl) {
    if (props->GetControl()) {
      removeEntry();
      --FNumCellControls;
    }
    props->SetControl(nullptr);
    return;
  }
  removeEntry();
  if (!props->GetControl()) ++FNumCellControls;
  FControlList->AddControl(ACol, realRow, AControl);
  props->SetControl(AControl);
  AControl->SetParent(this);
  TRect r = TBaseGrid::CellRect(RealToDisplCol(ACol), ARow);
  AControl->SetBounds(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
}

bool TNeoStringGrid::CellInView(Integer ACol, Integer ARow) {
  return ACol >= GetLeftCol() && ACol <= GetLeftCol() + GetVisibleColCount() && ARow >= GetTopRow() &&
         ARow <= GetTopRow() + GetVisibleRowCount();
}

void TNeoStringGrid::PlaceCellScrollBar() {
  if (!FScrollBar || !FScrollBar->GetVisible()) return;
  Integer row = GetRow(), col = GetCol();
  bool outOfView = row < GetTopRow() || row >= GetTopRow() + GetVisibleRowCount() || col < GetLeftCol() ||
                   col >= GetLeftCol() + GetVisibleColCount();
  if (outOfView) {
    FScrollBar->SetHeight(0);
    return;
  }
  TRect r = CellRect(col, row);
  FScrollBar->SetBounds(r.right - FScrollBar->GetWidth(), r.top, FScrollBar->GetWidth(), r.bottom - r.top);
}

// A cell out of view has an empty rectangle: its control is hidden rather than given no size.
void TNeoStringGrid::PlaceCellControl(TControlItem* Item) {
  TControl* control = Item->GetControl();
  TRect r = CellRect(RealToDisplCol(Item->GetX()), RealToDisplRow(Item->GetY()));
  if (r.right <= r.left || r.bottom <= r.top) {
    control->SetVisible(false);
    return;
  }
  control->SetBounds(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
  control->SetVisible(true);
}

void TNeoStringGrid::CellControlsUpdate(bool RebuildList) {
  if (!HandleAllocated() || !FCcuCall) return;
  if (RebuildList) {
    // Every cell is visited: only the operations that move cells ask for this.
    FControlList->ClearControls();
    for (Integer c = 0; c < TotalColCount(); ++c)
      for (Integer r = 0; r < GetRowCount(); ++r)
        if (TControl* control = GetCellControls(c, r)) FControlList->AddControl(c, DisplToRealRow(r), control);
  }
  PlaceCellScrollBar();
  if (FNumCellControls == 0) return;
  for (Integer i = 0; i < FControlList->GetCount(); ++i) {
    TControlItem* item = FControlList->GetControl(i);
    TControl* control = item->GetControl();
    if (IsHiddenRow(item->GetY()) || IsHiddenColumn(item->GetX())) {
      control->SetVisible(false);
      continue;
    }
    Integer c = RealToDisplCol(item->GetX()), r = RealToDisplRow(item->GetY());
    bool fixedArea = r < GetFixedRows() || c < GetFixedCols();
    if (CellInView(c, r) || fixedArea)
      PlaceCellControl(item);
    else
      control->SetVisible(false);
  }
  // A control that moved lays itself out and repaints at its new place.
  for (Integer i = 0; i < FControlList->GetCount(); ++i) {
    TControlItem* item = FControlList->GetControl(i);
    TControl* control = item->GetControl();
    if (IsHiddenColumn(item->GetX())) continue;
    Integer c = RealToDisplCol(item->GetX()), r = RealToDisplRow(item->GetY());
    if (!CellInView(c, r) || r < GetFixedRows() || c < GetFixedCols() || !control->GetVisible()) continue;
    control->Invalidate();
    control->SetWidth(control->GetWidth() + 1);
    control->SetWidth(control->GetWidth() - 1);
  }
}
