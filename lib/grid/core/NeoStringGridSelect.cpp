// TNeoStringGrid: the disjunct row, column and cell selections beside the platform grid's range
// selection, the row flags for modified and disabled rows, the selection-change relay and the
// registration of selection listeners and change notifiers.
//
// The flag lists only grow. Operations that copy a selection into the flags visit only the rows
// of the selection, so that a grid of a million rows moves its current row as fast as a small one.
#include <algorithm>
#include <cstdlib>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Grows a flag list with cleared flags to at least Size entries.
void GrowFlags(std::vector<Byte>& Flags, Integer Size) {
  if (Size > static_cast<Integer>(Flags.size())) Flags.resize(static_cast<std::size_t>(Size), 0);
}

bool FlagAt(const std::vector<Byte>& Flags, Integer Index) {
  return Index >= 0 && Index < static_cast<Integer>(Flags.size()) && Flags[static_cast<std::size_t>(Index)] != 0;
}

Integer CountFlags(const std::vector<Byte>& Flags, Integer Limit) {
  auto end = Flags.begin() + std::clamp<Integer>(Limit, 0, static_cast<Integer>(Flags.size()));
  return static_cast<Integer>(std::count_if(Flags.begin(), end, [](Byte B) { return B != 0; }));
}

// Grows an integer list with Fill entries to at least Size entries.
void GrowIntList(TIntList& List, Integer Size, Integer Fill) {
  while (List.GetCount() < Size) List.Add(Fill);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Row and column flags
// ---------------------------------------------------------------------------------------------
bool TNeoStringGrid::GetRowSelect(Integer ARow) {
  bool outside = ARow < 0 || ARow >= GetRowCount() + NumHiddenRows();
  if (outside && !FMouseActions->GetRowSelectPersistent())
    throw ENeoGridError(u"Invalid row " + IntToStr(ARow) + u" accessed");
  if (ARow < 0) return false;
  if (FMouseActions->GetDisjunctRowSelect()) {
    if (static_cast<Integer>(FRowSelect.size()) < ARow + 1) GrowFlags(FRowSelect, std::max(GetRowCount(), ARow + 1));
    return FlagAt(FRowSelect, ARow);
  }
  TGridRect s = GetSelection();
  return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TNeoStringGrid::SetRowSelect(Integer ARow, bool State) {
  FRowSelMod = false;
  if ((ARow >= GetRowCount() + NumHiddenRows() && GetFixedRows() < GetRowCount()) || ARow < 0)
    throw ENeoGridError(u"Invalid row accessed");
  bool was = FlagAt(FRowSelect, ARow);
  // A row past the list is not selected: selecting it is a change like any other.
  bool changed = was != State;
  if (changed && OnRowDisjunctSelect) {
    bool allow = true;
    OnRowDisjunctSelect(this, ARow, State, allow);
    if (!allow) return;
  }
  GrowFlags(FRowSelect, ARow + 1);
  if (was != State) RepaintRow(ARow);
  FRowSelMod = was != State;
  FRowSelect[static_cast<std::size_t>(ARow)] = State ? 1 : 0;
  if (State) {
    if (ARow >= GetFixedRows() && !FSelectedRows->HasValue(ARow)) FSelectedRows->Add(ARow);
  } else {
    FSelectedRows->DeleteValue(ARow);
  }
  if (ARow == GetRow() && FMouseActions->GetDisjunctRowSelect() && !FBlockCellChanging && OnSelectionChanged)
    OnSelectionChanged(this, 0, ARow, GetColCount() - 1, ARow);
  if (FShowFocusedSelectionColor) Invalidate();
  if (changed && OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

bool TNeoStringGrid::GetColSelect(Integer ACol) {
  if (ACol < 0 || ACol >= GetColCount() + NumHiddenColumns()) throw ENeoGridError(u"Invalid column accessed");
  GrowFlags(FColSelect, ACol + 1);
  return FlagAt(FColSelect, ACol);
}

void TNeoStringGrid::SetColSelect(Integer ACol, bool State) {
  if (ACol >= GetColCount() || ACol < 0) throw ENeoGridError(u"Invalid column accessed");
  bool was = FlagAt(FColSelect, ACol);
  bool changed = was != State;
  if (changed && OnColDisjunctSelect) {
    bool allow = true;
    OnColDisjunctSelect(this, ACol, State, allow);
    if (!allow) return;
  }
  GrowFlags(FColSelect, ACol + 1);
  if (changed) RepaintCol(ACol);
  FColSelect[static_cast<std::size_t>(ACol)] = State ? 1 : 0;
  if (changed && OnColDisjunctSelected) OnColDisjunctSelected(this, ACol);
}

// ---------------------------------------------------------------------------------------------
// Runs of rows and columns
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::SelectRows(Integer RowIndex, Integer RCount) {
  if (RowIndex + RCount > GetRowCount()) RCount = GetRowCount() - RowIndex;
  if (!FMouseActions->GetDisjunctRowSelect()) {
    if (FIsDBVersion) SelectCell(GetFixedCols(), RowIndex);
    SetSelection(TGridRect{GetFixedCols(), RowIndex, GetColCount() - 1, RowIndex + RCount - 1});
  } else {
    bool persistent = FMouseActions->GetRowSelectPersistent();
    for (Integer r = RowIndex; r < RowIndex + RCount; ++r) {
      Integer index = persistent ? DisplToRealRow(r) : r;
      if (index < GetRowCount()) SetRowSelect(index, true);
    }
  }
  if (!FRowIndicator->GetEmpty()) RepaintCol(0);
  FSelChange = false;
}

void TNeoStringGrid::UnSelectRows(Integer RowIndex, Integer RCount) {
  if (FMouseActions->GetDisjunctRowSelect()) {
    bool persistent = FMouseActions->GetRowSelectPersistent();
    for (Integer r = RowIndex; r < RowIndex + RCount; ++r) {
      Integer index = persistent ? DisplToRealRow(r) : r;
      if (index < GetRowCount()) SetRowSelect(index, false);
    }
  }
  FSelChange = false;
}

void TNeoStringGrid::SelectAll() { SelectRows(GetFixedRows(), GetRowCount() - GetFixedRows()); }

void TNeoStringGrid::SelectCols(Integer ColIndex, Integer CCount) {
  if (!FMouseActions->GetDisjunctColSelect()) {
    SetSelection(TGridRect{ColIndex, GetFixedRows(), ColIndex + CCount - 1, GetRowCount() - 1});
    return;
  }
  for (Integer c = ColIndex; c < ColIndex + CCount && c < GetColCount(); ++c) SetColSelect(c, true);
}

void TNeoStringGrid::UnSelectCols(Integer ColIndex, Integer CCount) {
  if (!FMouseActions->GetDisjunctColSelect()) return;
  for (Integer c = ColIndex; c < ColIndex + CCount && c < GetColCount(); ++c) SetColSelect(c, false);
}

void TNeoStringGrid::SelectRange(Integer FromCol, Integer ToCol, Integer FromRow, Integer ToRow) {
  SetRowEx(ToRow);
  SetCol(ToCol);
  SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

// ---------------------------------------------------------------------------------------------
// Clearing and copying the disjunct selections
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::ResetRowSelect() {
  for (Integer i = 0; i < static_cast<Integer>(FRowSelect.size()); ++i) {
    if (!FRowSelect[static_cast<std::size_t>(i)]) continue;
    RepaintRow(i);
    FRowSelect[static_cast<std::size_t>(i)] = 0;
    if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, i);
  }
  FSelectedRows->Clear();
}

void TNeoStringGrid::ClearRowSelect() {
  ResetRowSelect();
  if (!FMouseActions->GetDisjunctRowSelect()) HideSelection();
  Invalidate();
}

void TNeoStringGrid::ClearColSelect() {
  for (Integer i = 0; i < static_cast<Integer>(FColSelect.size()); ++i) {
    if (!FColSelect[static_cast<std::size_t>(i)]) continue;
    RepaintCol(i);
    FColSelect[static_cast<std::size_t>(i)] = 0;
    if (OnColDisjunctSelected) OnColDisjunctSelected(this, i);
  }
}

bool TNeoStringGrid::SelectionToRowSelect(bool All) {
  TGridRect s = GetSelection();
  if (s.Top == FDisSelection.Top) return false;
  Integer bottom = std::min(s.Bottom, GetRowCount() - FFixedFooters - 1);
  bool persistent = FMouseActions->GetRowSelectPersistent();
  bool result = false;
  auto copy = [&](Integer r) {
    SetRowSelect(persistent ? DisplToRealRow(r) : r, r >= s.Top && r <= bottom);
    result = result || FRowSelMod;
  };
  if (All) {
    for (Integer r = GetFixedRows(); r < GetRowCount(); ++r) copy(r);
  } else {
    // Only the rows inside the selection: the same result without walking the grid.
    for (Integer r = std::max(s.Top, GetFixedRows()); r <= std::min(bottom, GetRowCount() - 1); ++r) copy(r);
  }
  if (HasHiddenRows()) Invalidate();
  FDisSelection = s;
  return result;
}

void TNeoStringGrid::SelectionToColSelect(bool All) {
  TGridRect s = GetSelection();
  for (Integer c = GetFixedCols(); c < GetColCount(); ++c) {
    bool inside = c >= s.Left && c <= s.Right;
    if (inside || All) SetColSelect(c, inside);
  }
}

Integer TNeoStringGrid::GetRowSelectCount() {
  if (FMouseActions->GetDisjunctRowSelect()) return CountFlags(FRowSelect, GetRowCount() + NumHiddenRows());
  if (!GetOptions().Contains(goRowSelect)) return 0;
  TGridRect s = GetSelection();
  return s.Top < GetRowCount() ? std::abs(s.Bottom - s.Top) + 1 : 0;
}

Integer TNeoStringGrid::GetColSelectCount() {
  if (FMouseActions->GetDisjunctColSelect()) return CountFlags(FColSelect, static_cast<Integer>(FColSelect.size()));
  TGridRect s = GetSelection();
  return s.Right - s.Left + 1;
}

// ---------------------------------------------------------------------------------------------
// Modified and disabled rows
// ---------------------------------------------------------------------------------------------
bool TNeoStringGrid::GetRowModified(Integer ARow) const {
  return ARow >= 0 && ARow < FModifiedRows->GetCount() && FModifiedRows->GetInteger(ARow) == 1;
}

void TNeoStringGrid::SetRowModified(Integer ARow, bool Value) {
  if (ARow < 0) throw ENeoGridError(u"Invalid row accessed");
  GrowIntList(*FModifiedRows, ARow + 1, 0);
  FModifiedRows->SetInteger(ARow, Value ? 1 : 0);
  RepaintCell(0, RealToDisplRow(ARow));
}

Integer TNeoStringGrid::ModifiedRowCount() const {
  Integer n = 0;
  for (Integer i = 0; i < FModifiedRows->GetCount(); ++i)
    if (FModifiedRows->GetInteger(i) == 1) ++n;
  return n;
}

bool TNeoStringGrid::GetRowEnabled(Integer ARow) const {
  return ARow < 0 || ARow >= FEnabledRows->GetCount() || FEnabledRows->GetInteger(ARow) == 0;
}

void TNeoStringGrid::SetRowEnabled(Integer ARow, bool Value) {
  if (ARow < 0) throw ENeoGridError(u"Invalid row accessed");
  if (ARow == GetRow()) {
    for (Integer r = GetFixedRows(); r < GetRowCount(); ++r) {
      if (r == ARow || !GetRowEnabled(r)) continue;
      SetRowEx(r);
      break;
    }
  }
  FUseEnabledRows = true;
  GrowIntList(*FEnabledRows, ARow + 1, 0);
  FEnabledRows->SetInteger(ARow, Value ? 0 : 1);
  RepaintRow(ARow);
}

// ---------------------------------------------------------------------------------------------
// Disjunct cells
// ---------------------------------------------------------------------------------------------
bool TNeoStringGrid::GetSelectedCells(Integer ACol, Integer ARow) {
  if (FMouseActions->GetDisjunctCellSelect()) return FSelectedCells.Has(ACol, ARow);
  TGridRect s = GetSelection();
  return ACol >= std::min(s.Left, s.Right) && ACol <= std::max(s.Left, s.Right) &&
         ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TNeoStringGrid::SetSelectedCells(Integer ACol, Integer ARow, bool Value) {
  bool changed = Value ? FSelectedCells.Add(ACol, ARow) : FSelectedCells.Remove(ACol, ARow);
  if (changed) RepaintCell(ACol, ARow);
}

Integer TNeoStringGrid::GetSelectedCellsCount() {
  if (FMouseActions->GetDisjunctCellSelect()) return FSelectedCells.Count();
  FSelectedCells.Clear();
  TGridRect s = GetSelection();
  if (s.Left == s.Right && s.Top == s.Bottom) {
    FSelectedCells.Add(GetCol(), GetRow());
  } else {
    for (Integer c = s.Left; c <= s.Right; ++c)
      for (Integer r = s.Top; r <= s.Bottom; ++r) FSelectedCells.Add(c, r);
  }
  return FSelectedCells.Count();
}

void TNeoStringGrid::ClearSelectedCells() {
  SetSelection(TGridRect{GetFixedCols(), GetFixedRows(), GetFixedCols(), GetFixedRows()});
  FSelectedCells.Clear();
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// The selection-change relay, listeners and notifiers
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::SelectionChanged(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom) {
  if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007) RepaintRect(TRect{ALeft, ATop, ARight, ABottom});
  FSelChange = true;
  FDisSelection = GetSelection();
  if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TNeoStringGrid::RegisterNotifier(TGridChangeNotifier* Item) {
  if (Item && std::find(FNotifierList.begin(), FNotifierList.end(), Item) == FNotifierList.end())
    FNotifierList.push_back(Item);
}

void TNeoStringGrid::UnRegisterNotifier(TGridChangeNotifier* Item) {
  auto it = std::find(FNotifierList.begin(), FNotifierList.end(), Item);
  if (it != FNotifierList.end()) FNotifierList.erase(it);
}
