// TNeoStringGrid: moving columns and rows, and what follows a moved column or row: the column
// order, widths and heights, suppression records, the hidden-column maps, the sort column and sort
// list, the current column, cell controls and a synchronised partner grid.
//
// Two kinds of move reach the hooks ColumnMoved / RowMoved. The platform grid's own moves (by the
// mouse without enhanced moving) have already moved widths or heights and the current cell when
// they call the hook. The grid's MoveColumn / MoveRow call the hook directly with FOwnMove set;
// only then does the hook move widths, heights and the current column itself.
#include <algorithm>
#include <utility>

#include "lib/grid/core/NeoSortSettings.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/ScopeGuard.h"

namespace {

// Where an index lands when the entry at From is taken out and put back at To.
Integer MovedIndex(Integer Index, Integer From, Integer To) {
  if (Index == From) return To;
  if (From < To && Index > From && Index <= To) return Index - 1;
  if (To < From && Index >= To && Index < From) return Index + 1;
  return Index;
}

template <class T>
void MoveEntry(std::vector<T>& List, Integer From, Integer To) {
  Integer n = static_cast<Integer>(List.size());
  if (From < 0 || To < 0 || From >= n || To >= n || From == To) return;
  T entry = List[static_cast<std::size_t>(From)];
  List.erase(List.begin() + From);
  List.insert(List.begin() + To, entry);
}

void MoveEntry(TList* List, Integer From, Integer To) {
  Integer n = List->GetCount();
  if (From < 0 || To < 0 || From >= n || To >= n || From == To) return;
  List->Move(From, To);
}

// Moves a run of sizes read and written through Get / Set: the size at From goes to To.
template <class G, class S>
void MoveSize(Integer From, Integer To, G Get, S Set) {
  if (From == To) return;
  Integer moved = Get(From);
  Integer step = From < To ? 1 : -1;
  for (Integer i = From; i != To; i += step) Set(i, Get(i + step));
  Set(To, moved);
}

class TFlagSet {
public:
  TFlagSet(bool& Flag, bool Value) : FFlag(Flag), FOld(Flag) { Flag = Value; }
  ~TFlagSet() { FFlag = FOld; }
  TFlagSet(const TFlagSet&) = delete;
  TFlagSet& operator=(const TFlagSet&) = delete;

private:
  bool& FFlag;
  bool FOld;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// The grid's own moves
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::MoveColumn(Integer FromIndex, Integer ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= GetColCount() || ToIndex >= GetColCount())
    throw EInvalidGridOperation(u"Grid index out of range");
  TFlagSet enhanced(FEnhRowColMove, true);
  if (FColumnOrder->GetCount() == 0) SetColumnOrder();
  if (FromIndex == ToIndex) return;
  // Grouped rows and filters on moved columns come with grouping and filtering: none exist yet.
  {
    TFlagSet own(FOwnMove, true);
    ColumnMoved(FromIndex, ToIndex);
  }
  MoveCellControls(true, FromIndex, ToIndex);
}

void TNeoStringGrid::MoveRow(Integer FromIndex, Integer ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= GetRowCount() || ToIndex >= GetRowCount())
    throw EInvalidGridOperation(u"Grid index out of range");
  if (FromIndex == ToIndex) return;
  if (FloatingFooterVisible() && FloatingFooterStyle() == fsFixedLastRow && ToIndex == GetRowCount() - 1) return;
  {
    TFlagSet own(FOwnMove, true);
    RowMoved(FromIndex, ToIndex);
  }
  MoveCellControls(false, FromIndex, ToIndex);
}

void TNeoStringGrid::MoveCellControls(bool Columns, Integer FromIndex, Integer ToIndex) {
  if (FControlList->GetCount() == 0) return;
  for (Integer i = 0; i < FControlList->GetCount(); ++i) {
    TControlItem* item = FControlList->GetControl(i);
    if (Columns)
      item->SetX(MovedIndex(item->GetX(), FromIndex, ToIndex));
    else
      item->SetY(MovedIndex(item->GetY(), FromIndex, ToIndex));
  }
  CellControlsUpdate(false);
}

void TNeoStringGrid::SetColumnOrder() {
  FColumnOrder->Clear();
  FSuppressColSizes->Clear();
  for (Integer c = 0; c < GetColCount(); ++c) {
    FColumnOrder->Add(c);
    FSuppressColSizes->Add(GetColWidths(c));
  }
}

// Each pass moves every column whose recorded index lies left of it to that index; a recorded
// permutation is back in order after at most one pass per column. The passes are bounded so that
// an order list that is no permutation cannot keep the loop going.
void TNeoStringGrid::ResetColumnOrder() {
  UnHideColumnsAll();
  if (FColumnOrder->GetCount() == 0) {
    SetColumnOrder();
    return;
  }
  for (Integer pass = 0; pass <= GetColCount(); ++pass) {
    bool moved = false;
    for (Integer i = 0; i < GetColCount() && i < FColumnOrder->GetCount(); ++i) {
      Integer recorded = FColumnOrder->GetInteger(i);
      if (recorded < 0 || recorded >= i) continue;
      MoveColumn(i, recorded);
      moved = true;
    }
    if (!moved) break;
  }
}

void TNeoStringGrid::SuppressColumn(Integer Index) {
  if (Index < 0 || Index >= GetColCount() || GetColWidths(Index) <= 0) return;
  while (FSuppressColSizes->GetCount() <= Index) FSuppressColSizes->Add(0);
  FSuppressColSizes->SetInteger(Index, GetColWidths(Index));
  SetColWidths(Index, 0);
}

// ---------------------------------------------------------------------------------------------
// The move hooks
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
  Integer rFrom = DisplToRealCol(FromIndex), rTo = DisplToRealCol(ToIndex);
  if (rFrom < FColumnOrder->GetCount() && rTo < FColumnOrder->GetCount()) MoveEntry(FColumnOrder.get(), rFrom, rTo);
  if (FEnhRowColMove) {
    if (FOwnMove)
      MoveSize(FromIndex, ToIndex, [&](Integer i) { return GetColWidths(i); },
               [&](Integer i, Integer w) { SetColWidths(i, w); });
    if (FSuppressColSizes->GetCount() > 0) MoveEntry(FSuppressColSizes.get(), FromIndex, ToIndex);
    if (FNumHidden > 0) {
      MoveEntry(FVisibleCol, rFrom, rTo);
      MoveEntry(FAllColWidths, rFrom, rTo);
    }
    ColMoveFlg = true;
  }
  // Hidden columns keep their cells in the store by real column.
  if (FNumHidden > 0)
    TBaseGrid::ColumnMoved(rFrom, rTo);
  else
    TBaseGrid::ColumnMoved(FromIndex, ToIndex);
  // The cells of hidden rows come with hiding rows: no row is hidden yet.
  MoveSortState(rFrom, rTo);
  if (FOwnMove && !IsSelectionHidden()) {
    TGridRect sel = TCustomGrid::GetSelection();
    Integer left = MovedIndex(sel.Left, FromIndex, ToIndex), right = MovedIndex(sel.Right, FromIndex, ToIndex);
    if (left != sel.Left || right != sel.Right)
      TCustomGrid::SetSelection(TGridRect{std::min(left, right), sel.Top, std::max(left, right), sel.Bottom});
  }
  if (FloatingFooterVisible()) UpdateFooter();
  TNeoStringGrid* partner = FSyncGrid->GetGrid();
  if (partner && FSyncGrid->GetMoveColumn() && !FSyncedMove) {
    TFlagSet synced(partner->FSyncedMove, true);
    partner->MoveColumn(FromIndex, ToIndex);
  }
}

void TNeoStringGrid::MoveSortState(Integer RFrom, Integer RTo) {
  TSortSettings* sort = GetSortSettings();
  Integer column = MovedIndex(sort->GetColumn(), RFrom, RTo);
  if (column != sort->GetColumn()) sort->SetColumn(column);
  if (!sort->GetIndexShow()) return;
  for (Integer i = 0; i < FSortIndexes->GetCount(); ++i)
    FSortIndexes->SetSortColumns(i, MovedIndex(FSortIndexes->GetSortColumns(i), RFrom, RTo));
}

void TNeoStringGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
  if (FloatingFooterVisible() && FloatingFooterStyle() == fsFixedLastRow && ToIndex == GetRowCount() - 1) return;
  {
    TMovedEvent handler = std::exchange(OnRowMoved, nullptr);
    auto reattach = ScopeExit([&] { OnRowMoved = std::move(handler); });
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    if (FEnhRowColMove) {
      if (FOwnMove)
        MoveSize(FromIndex, ToIndex, [&](Integer i) { return GetRowHeights(i); },
                 [&](Integer i, Integer h) { SetRowHeights(i, h); });
      ColMoveFlg = true;
    }
  }
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
  TNeoStringGrid* partner = FSyncGrid->GetGrid();
  if (partner && FSyncGrid->GetMoveRow() && !FSyncedMove) {
    TFlagSet synced(partner->FSyncedMove, true);
    partner->MoveRow(FromIndex, ToIndex);
  }
}
