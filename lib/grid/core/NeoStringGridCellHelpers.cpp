// TNeoStringGrid: small services over the cells: the rectangle of used cells, the rows and
// columns exports write, points to cells, the sizing-edge test, and cell helpers (swap, date and
// time, distinct values, a column dragged to a list), the floating footer's calculation and the
// integer and float writers.
#include <algorithm>
#include <cstdlib>
#include <unordered_set>

#include "lib/grid/core/NeoGridLookSettings.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------------------
// Used cells and the save range
// ---------------------------------------------------------------------------------------------
TRect TNeoStringGrid::GetUsedCells() {
  TRect r{0, 0, 0, 0};
  bool any = false;
  for (Integer row = 0; row < GetRowCount(); ++row)
    for (Integer col = 0; col < GetColCount(); ++col) {
      if (GetCellEx(col, row).empty()) continue;
      if (!any) {
        r = TRect{col, row, col, row};
        any = true;
        continue;
      }
      r.left = std::min<Integer>(r.left, col);
      r.right = std::max<Integer>(r.right, col);
      r.bottom = row;
    }
  return r;
}

Integer TNeoStringGrid::SaveStartCol() { return FSaveFixedCells || FSaveFixedCols ? 0 : GetFixedCols(); }
Integer TNeoStringGrid::SaveStartRow() { return FSaveFixedCells || FSaveFixedRows ? 0 : GetFixedRows(); }

Integer TNeoStringGrid::SaveEndCol() {
  return FSaveFixedCells || FSaveFixedCols ? GetColCount() - 1 : GetColCount() - FFixedRightCols - 1;
}

Integer TNeoStringGrid::SaveEndRow() {
  return FSaveFixedCells || FSaveFixedRows ? GetRowCount() - 1 : GetRowCount() - FFixedFooters - 1;
}

Integer TNeoStringGrid::SaveColCount() {
  return FSaveFixedCells || FSaveFixedCols ? GetColCount() : GetColCount() - GetFixedCols() - FFixedRightCols;
}

Integer TNeoStringGrid::SaveRowCount() {
  return FSaveFixedCells || FSaveFixedRows ? GetRowCount() : GetRowCount() - GetFixedRows() - FFixedFooters;
}

// ---------------------------------------------------------------------------------------------
// Points
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::ScreenToCell(TPoint Point, Integer& ACol, Integer& ARow) {
  TPoint p = ScreenToClient(Point);
  MouseToCell(p.x, p.y, ACol, ARow);
}

// A point near a column border of a cell that is also near a row border counts for either: the
// row test does not take back what the column test found.
bool TNeoStringGrid::IsNearSizingEdge(Integer X, Integer Y) {
  Integer col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (col < 0 || row < 0) return false;
  TRect r = CellRect(col, row);
  auto near = [](Integer P, Integer A, Integer B) { return std::abs(P - A) < 4 || std::abs(B - P) < 4; };
  bool columnEdge = row <= GetFixedRows() && GetOptions().Contains(goColSizing) && near(X, r.left, r.right);
  bool rowEdge = col <= GetFixedCols() && GetOptions().Contains(goRowSizing) && near(Y, r.top, r.bottom);
  return columnEdge || rowEdge;
}

// ---------------------------------------------------------------------------------------------
// Cell helpers
// ---------------------------------------------------------------------------------------------
Double TNeoStringGrid::GetDateTimes(Integer ACol, Integer ARow) {
  String text = GetCellEx(ACol, ARow);
  TDateTime value = 0;
  if (text.empty() || !TryStrToDateTime(text, value)) return 0;
  return value;
}

void TNeoStringGrid::SwapCells(TGridCoord FromCell, TGridCoord ToCell) {
  String text = GetCells(FromCell.X, FromCell.Y);
  TObject* object = GetObjects(FromCell.X, FromCell.Y);
  SetCells(FromCell.X, FromCell.Y, GetCells(ToCell.X, ToCell.Y));
  SetObjects(FromCell.X, FromCell.Y, GetObjects(ToCell.X, ToCell.Y));
  SetCells(ToCell.X, ToCell.Y, text);
  SetObjects(ToCell.X, ToCell.Y, object);
}

// The rows held aside by filtering come with the filter; none are held aside yet.
std::unique_ptr<TStringList> TNeoStringGrid::DistinctValues(Integer ACol, bool CaseSensitive) {
  auto list = std::make_unique<TStringList>();
  list->SetCaseSensitive(CaseSensitive);
  list->SetSorted(true);
  list->SetDuplicates(dupIgnore);
  std::unordered_set<String> seen;
  for (Integer row = GetFixedRows(); row < GetRowCount() - FFixedFooters; ++row) {
    String text = SaveCell(ACol, row);
    if (seen.insert(CaseSensitive ? text : AnsiUpperCase(text)).second) list->Add(text);
  }
  return list;
}

void TNeoStringGrid::OleColumnDragStart(Integer ACol, Integer AIndex, TCustomListBox* AList) {
  FOleDragCol = ACol;
  FOleDragIndex = AIndex;
  FOleDragList = AList;
}

void TNeoStringGrid::LastRowChanged() {
  TBaseGrid::LastRowChanged();
  UpdateFooter();
}

// ---------------------------------------------------------------------------------------------
// The floating footer's calculation
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::CalcFooter(Integer ACol) { DoCalcFooter(ACol); }

void TNeoStringGrid::DoCalcFooter(Integer ACol) {
  TFloatingFooter* footer = GetFloatingFooter();
  if (!footer->GetVisible() || footer->GetFooterStyle() != fsFixedLastRow || !footer->GetEnableCalculation()) return;
  Integer first = ACol == -1 ? 0 : ACol, last = ACol == -1 ? GetAllColCount() - 1 : ACol;
  Integer row = GetRowCount() - 1;
  for (Integer c = first; c <= last; ++c) {
    if (!HasCellProperties(c, row)) continue;
    TColumnCalcType type = GetCellProperties(c, row)->GetCalcType();
    if (type == acNONE || type == acSPREAD) continue;
    Integer hidden = footer->GetCalculateHiddenRows() ? NumHiddenRows() : 0;
    Integer lastRow = GetRowCount() - 2 + hidden;
    switch (type) {
      case acSUM: SetFloats(c, row, ColumnSum(c, GetFixedRows(), lastRow)); break;
      case acAVG: SetFloats(c, row, ColumnAvg(c, GetFixedRows(), lastRow)); break;
      case acMIN: SetFloats(c, row, ColumnMin(c, GetFixedRows(), lastRow)); break;
      case acMAX: SetFloats(c, row, ColumnMax(c, GetFixedRows(), lastRow)); break;
      case acDISTINCT: SetFloats(c, row, ColumnDistinct(c, GetFixedRows(), lastRow)); break;
      case acSTDDEV: SetFloats(c, row, ColumnStdDev(c, GetFixedRows(), lastRow)); break;
      case acCOUNT: SetInts(c, row, hidden + GetRowCount() - GetFixedRows() - 1); break;
      case acCUSTOM: {
        String value;
        if (FOnCalcFooter)
          FOnCalcFooter(this, c, row + hidden, value);
        else if (footer->OnCalcFooter)
          footer->OnCalcFooter(this, c, row + hidden, value);
        SetCells(c, row, value);
        break;
      }
      default: break;
    }
  }
}

void TNeoStringGrid::SetInts(Integer ACol, Integer ARow, Integer Value) {
  SetCells(ACol, ARow, IntToStr(Value));
  if (FNumHidden > 0) RepaintCell(RealToDisplCol(ACol), ARow);
}

void TNeoStringGrid::SetFloats(Integer ACol, Integer ARow, Double Value) {
  SetCells(ACol, ARow, Format(FFloatFormat, {Value}));
}

Double TNeoStringGrid::ColumnSum(Integer, Integer, Integer) { return 0; }
Double TNeoStringGrid::ColumnAvg(Integer, Integer, Integer) { return 0; }
Double TNeoStringGrid::ColumnMin(Integer, Integer, Integer) { return 0; }
Double TNeoStringGrid::ColumnMax(Integer, Integer, Integer) { return 0; }
Integer TNeoStringGrid::ColumnDistinct(Integer, Integer, Integer) { return 0; }
Double TNeoStringGrid::ColumnStdDev(Integer, Integer, Integer) { return 0; }
