// TNeoStringGrid: hidden columns and the real/display index maps, the current and top row in
// display rows, and the selection helpers (parking the selection, focusing one cell).
//
// A hidden column keeps its cells where they are in the store (addressed by real column) and
// takes one column off ColCount. FVisibleCol says which real columns are shown and always holds
// ColCount + FNumHidden entries; FAllColWidths keeps the width a hidden column had.
#include <algorithm>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/ScopeGuard.h"

// ---------------------------------------------------------------------------------------------
// Index maps
// ---------------------------------------------------------------------------------------------
Integer TNeoStringGrid::DisplToRealCol(Integer ACol) {
  Integer all = TotalColCount();
  if (ACol >= all || FNumHidden == 0) return ACol;
  for (Integer i = 0, shown = 0; i < all; ++i) {
    if (!FVisibleCol[static_cast<std::size_t>(i)]) continue;
    if (shown == ACol) return i;
    ++shown;
  }
  return ACol;
}

Integer TNeoStringGrid::RealToDisplCol(Integer ACol) {
  if (ACol >= TotalColCount() || FNumHidden == 0) return ACol;
  Integer hidden = 0;
  for (Integer i = 0; i < ACol; ++i)
    if (!FVisibleCol[static_cast<std::size_t>(i)]) ++hidden;
  return ACol - hidden;
}

bool TNeoStringGrid::IsHiddenColumn(Integer ColIndex) const {
  if (ColIndex < 0 || ColIndex >= static_cast<Integer>(FVisibleCol.size())) return false;
  return !FVisibleCol[static_cast<std::size_t>(ColIndex)];
}

bool TNeoStringGrid::GetVisibleCol(Integer Pos) const { return !IsHiddenColumn(Pos); }

void TNeoStringGrid::SetVisibleCol(Integer Pos, bool Value) {
  if (Pos < 0 || Pos >= static_cast<Integer>(FVisibleCol.size())) return;
  FVisibleCol[static_cast<std::size_t>(Pos)] = Value;
}

Integer TNeoStringGrid::GetAllColWidths(Integer Index) {
  if (IsHiddenColumn(Index)) return FAllColWidths[static_cast<std::size_t>(Index)];
  return GetColWidths(RealToDisplCol(Index));
}

void TNeoStringGrid::SetAllColWidths(Integer Index, Integer Value) {
  if (Index >= 0 && Index < static_cast<Integer>(FAllColWidths.size()))
    FAllColWidths[static_cast<std::size_t>(Index)] = Value;
  if (!IsHiddenColumn(Index)) SetColWidths(RealToDisplCol(Index), Value);
}

// ---------------------------------------------------------------------------------------------
// Hiding and showing columns
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::HideInplaceEdit() { HideEditor(); }

void TNeoStringGrid::HideColumns(Integer FromCol, Integer ToCol) {
  HideInplaceEdit();
  for (Integer c = FromCol; c <= ToCol; ++c) {
    if (c < 0 || IsHiddenColumn(c) || c >= GetColCount() + FNumHidden || GetColCount() <= 1) continue;
    Integer d = RealToDisplCol(c);
    FAllColWidths[static_cast<std::size_t>(c)] = GetColWidths(d);
    for (Integer k = d; k <= GetColCount() - 2; ++k) SetColWidths(k, GetColWidths(k + 1));
    // Counted first, so that the map keeps its length when ColCount drops below.
    ++FNumHidden;
    FVisibleCol[static_cast<std::size_t>(c)] = false;
    if (GetCol() == GetColCount() - 1) SetCol(GetCol() - 1);
    bool parked = IsSelectionHidden();
    if (parked) UnHideSelection();
    SetColCount(GetColCount() - 1);
    if (parked) HideSelection();
  }
  Invalidate();
}

void TNeoStringGrid::UnHideColumns(Integer FromCol, Integer ToCol) {
  HideInplaceEdit();
  if (FGridDestroying) return;
  for (Integer c = FromCol; c <= ToCol; ++c) {
    if (!IsHiddenColumn(c)) continue;
    --FNumHidden;
    FVisibleCol[static_cast<std::size_t>(c)] = true;
    SetColCount(GetColCount() + 1);
    for (Integer k = GetColCount() - 1; k >= RealToDisplCol(c + 1) && k > 0; --k) SetColWidths(k, GetColWidths(k - 1));
    SetColWidths(RealToDisplCol(c), FAllColWidths[static_cast<std::size_t>(c)]);
  }
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Current and top row
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::SetTopRowEx(Integer Value) {
  if (Value >= GetFixedRows() && Value <= GetRowCount() - 1) SetTopRow(Value);
}

void TNeoStringGrid::SetRowEx(Integer Value) {
  if (GetCol() >= GetColCount() || GetCol() < 0) {
    FocusCell(GetFixedCols(), Value);
    if (GetOptions().Contains(goRowSelect))
      SetSelection(TGridRect{GetFixedCols(), Value, GetColCount() - 1, Value});
  }
  Value = std::max(Value, GetFixedRows());
  Integer oldRow = GetRow();
  SetRow(Value);
  FAECol = -1;
  FAERow = -1;
  if (GetRow() != FOldRowSel && OnRowUpdate) {
    OnRowUpdate(this, FOldRowSel, GetRow());
    FOldRowSel = GetRow();
  }
  if (FMouseActions->GetDisjunctRowSelect()) {
    // The copy is no move of the user's: no cell-changing events.
    bool blocked = FBlockCellChanging;
    FBlockCellChanging = true;
    TScopeGuard unblock([&] { FBlockCellChanging = blocked; });
    SelectionToRowSelect(false);
  }
  if (GetRow() != oldRow) SyncPartner(false);
  FDisSelection = GetSelection();
}

// ---------------------------------------------------------------------------------------------
// Selection
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::RepaintSelectionMarks(const TGridRect& Value) {
  if (FActiveCellShow) {
    RepaintRow(0);
    RepaintCol(0);
  }
  if (GetActiveRowShow()) RepaintRow(Value.Bottom);
}

void TNeoStringGrid::SetSelection(const TGridRect& Value) {
  EndSelectionPark();
  TCustomGrid::SetSelection(Value);
  RepaintSelectionMarks(Value);
}

void TNeoStringGrid::FocusCell(Integer ACol, Integer ARow) {
  SetSelection(TGridRect{ACol, ARow, ACol, ARow});
  FDisSelection = GetSelection();
  FAECol = -1;
  FAERow = -1;
}

// The platform grid keeps its selection inside the cells, so a parked selection is kept here:
// the platform's stays where it was, unpainted, and Selection reads the cell just outside the
// grid.
void TNeoStringGrid::HideSelection() {
  if (FSelHidden) return;
  FOldSelection = GetSelection();
  FSelHidden = true;
  FShowSel = false;
  Invalidate();
}

void TNeoStringGrid::EndSelectionPark() {
  if (!FSelHidden) return;
  FSelHidden = false;
  FShowSel = FShowSelection;
  Invalidate();
}

void TNeoStringGrid::UnHideSelection() {
  EndSelectionPark();
  if (FOldSelection.Top < GetRowCount() && FOldSelection.Left < GetColCount()) {
    SetSelection(FOldSelection);
    return;
  }
  Integer r = FFixedRowAlways && GetFixedRows() == GetRowCount() ? 0 : GetFixedRows();
  Integer c = FFixedColAlways && GetFixedCols() == GetColCount() ? 0 : GetFixedCols();
  SetSelection(TGridRect{c, r, c, r});
}

TGridRect TNeoStringGrid::GetSelection() const {
  if (!FSelHidden) return TCustomGrid::GetSelection();
  Integer c = GetColCount(), r = GetRowCount();
  return TGridRect{c, r, c, r};
}

bool TNeoStringGrid::IsSelectionHidden() const {
  TGridRect s = GetSelection();
  Integer c = GetColCount(), r = GetRowCount();
  return s.Left == c && s.Top == r && s.Right == c && s.Bottom == r;
}
