// TNeoStringGrid: column and row sizing beyond the base grid: stretching columns to the client
// width, scaling the other columns (rows) after a mouse resize, widths that follow the grid's
// width, the count- and size-change notifications, the size message, and the search panel at
// the bottom of the client area.
#include <algorithm>
#include <cmath>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ui/Forms.h"
#include "platform/win/WinScroll.h"
#include "platform/win/WinUser.h"

namespace {

bool HasVertBar(TScrollStyle S) { return S == ssVertical || S == ssBoth; }
bool HasHorzBar(TScrollStyle S) { return S == ssHorizontal || S == ssBoth; }
bool Terminating() { return Application && Application->GetTerminated(); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Stretching
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::StretchColumns() {
  FColumnSize->SetStretchAll(true);
  FColumnSize->SetStretch(true);
  DoStretchColumn(-1, -1);
}

void TNeoStringGrid::DoStretchColumn(Integer Index, Integer Width) {
  TComponentState state = GetComponentState();
  if (state.Contains(csLoading) || state.Contains(csDestroying) || FGridDestroying || Terminating()) return;
  if (Index < -1 || Index >= GetColCount()) return;
  TRect client = GetClientRect();
  if (Width == -1) Width = client.right - client.left;
  if (Index == -1) Index = GetColCount() - 1;
  if (GetColCount() == 0 || !FColumnSize->GetStretch() || FIsColChanging) return;
  FIsColChanging = true;
  FColchgFlg = false;
  TScopeGuard done([this] {
    FColchgFlg = true;
    FIsColChanging = false;
  });
  if (GetColCount() == 1) {
    SetColWidths(0, client.right);
    return;
  }
  Integer last = GetColCount() - FFixedRightCols - 1;
  if (FColumnSize->GetStretchAll()) {
    Integer n = GetColCount() - GetFixedCols() - FFixedRightCols;
    if (n <= 0) return;
    Integer avail = Width - FixedColumnsWidth();
    for (Integer c = GetFixedCols(); c <= last; ++c)
      SetColWidths(c, avail / n + (c - GetFixedCols() < avail % n ? 1 : 0));
    return;
  }
  Integer others = 0;
  for (Integer c = 0; c < GetColCount(); ++c)
    if (c != Index) others += GetColWidths(c);
  if (client.right < others) {
    // The other columns alone overflow: only a grid scrolled fully left gives it the default.
    if (GetLeftCol() == GetFixedCols()) SetColWidths(Index, GetDefaultColWidth());
  } else {
    SetColWidths(Index, Width - others);
  }
}

Integer TNeoStringGrid::FixedColumnsWidth() {
  Integer sum = 0;
  for (Integer c = 0; c < GetFixedCols(); ++c) sum += GetColWidths(c);
  for (Integer c = std::max(GetFixedCols(), GetColCount() - FFixedRightCols); c < GetColCount(); ++c)
    sum += GetColWidths(c);
  return sum;
}

// ---------------------------------------------------------------------------------------------
// Notifications of the base grid
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::SizeChanged(Integer OldColCount, Integer OldRowCount) {
  TComponentState state = GetComponentState();
  if (!GetParent() || state.Contains(csLoading) || state.Contains(csReading) || Terminating()) {
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    return;
  }
  if (HandleAllocated() && FColumnSize->GetStretch()) DoStretchColumn(FColumnSize->GetStretchColumn(), -1);
  TBaseGrid::SizeChanged(OldColCount, OldRowCount);
  if (!HandleAllocated()) return;
  bool rows = GetVisibleRowCount() + GetFixedRows() < GetRowCount();
  FlatShowScrollBar(SB_VERT, rows);
  SyncFlatVertScrollInfo();
  bool cols = GetVisibleColCount() + GetFixedCols() < GetColCount();
  FlatShowScrollBar(SB_HORZ, cols);
  SyncFlatHorzScrollInfo();
}

void TNeoStringGrid::SetColumnSizing(Integer ACol, Integer StartWidth) {
  FColclicked = ACol;
  FColclickedsize = StartWidth;
}

void TNeoStringGrid::SetRowSizing(Integer ARow, Integer StartHeight) {
  FRowclicked = ARow;
  FRowclickedsize = StartHeight;
}

void TNeoStringGrid::ColWidthsChanged() {
  if (FColchgFlg && HandleAllocated()) DoStretchColumn(FColumnSize->GetStretchColumn(), -1);
  if (GetComponentState().Contains(csDesigning)) HideScrollHint();
  TBaseGrid::ColWidthsChanged();
  FColSizeFlg = true;
  if (FColSized && FMouseActions->GetAllColumnSize() && FColclickedsize > 0) {
    FColSized = false;
    Double f = static_cast<Double>(GetColWidths(FColclicked)) / FColclickedsize;
    for (Integer c = GetFixedCols(); c < GetColCount(); ++c)
      if (c != FColclicked) SetColWidths(c, Round(GetColWidths(c) * f));
    FColSized = true;
  }
  if (FColSized) {
    if (OnEndColumnSize) OnEndColumnSize(this, FColclicked);
    Integer w = GetColWidths(FColclicked);
    DoColumnSized(FColclicked, w);
    if (w != GetColWidths(FColclicked)) {
      FColSized = false;
      SetColWidths(FColclicked, w);
    }
    if (FColSized) {
      FColclicked = -1;
      FRowclicked = -1;
    }
  }
  if (EditorOpen()) UpdateEdit();
  FColSized = false;
  if (CellHasCheckBox(GetCol(), GetRow())) HideEditor();
  UpdateFooter();
  CellControlsUpdate(false);
  if (FColumnSize->GetStretch() && FScrollProportional && FScrollType != ssMetro) UpdateProportionalVertScroll();
}

// Every normal row but the sized one is scaled, and then the sized height of the first normal row
// becomes the default height, which the base grid gives every normal row: the result is that
// height everywhere, so it is computed once instead of per row (a million rows stay cheap).
void TNeoStringGrid::RowHeightsChanged() {
  if (GetComponentState().Contains(csDesigning)) HideScrollHint();
  TBaseGrid::RowHeightsChanged();
  // A sizing that started at height 0 has no factor to scale by.
  if (FRowSized && FMouseActions->GetAllRowSize() && FRowclickedsize > 0 && GetFixedRows() < GetRowCount()) {
    FRowSized = false;
    Integer row = GetRow();
    BeginUpdate();
    Double f = static_cast<Double>(GetRowHeights(FRowclicked)) / FRowclickedsize;
    std::vector<Integer> fixed;
    for (Integer r = 0; r < GetFixedRows(); ++r) fixed.push_back(GetRowHeights(r));
    Integer first = GetFixedRows();
    Integer height = FRowclicked == first ? GetRowHeights(first) : Round(GetRowHeights(first) * f);
    SetDefaultRowHeight(height);
    for (Integer r = 0; r < static_cast<Integer>(fixed.size()); ++r) SetRowHeights(r, fixed[static_cast<std::size_t>(r)]);
    if (GetRow() != row) SetRow(row);
    EndUpdate();
    FRowSized = true;
  }
  if (FRowSized) {
    if (OnEndRowSize) OnEndRowSize(this, FRowclicked);
    FColclicked = -1;
    FRowclicked = -1;
  }
  FRowSized = false;
  if (CellHasCheckBox(GetCol(), GetRow())) HideEditor();
  CellControlsUpdate(false);
}

// ---------------------------------------------------------------------------------------------
// Widths that follow the grid's width
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::InitOrigColSizes() {
  FOrigColSizes->Clear();
  for (Integer c = 0; c < GetColCount(); ++c) FOrigColSizes->Add(GetColWidths(c));
  FOldSize = GetBorderStyle() == bsSingle ? GetWidth() : GetWidth() + 2;
  if (FColumnSize->GetSynchNormalCellsOnly()) FOldSize -= FixedColumnsWidth();
  if (GetOptions().Contains(goVertLine)) FOldSize += 1 - GetColCount();
}

// The widths are truncated; what truncation loses goes to the last column of the run, so the run
// keeps filling the width.
void TNeoStringGrid::SynchColumnWidths(Integer AWidth) {
  bool normalOnly = FColumnSize->GetSynchNormalCellsOnly();
  Integer a = normalOnly ? FixedColumnsWidth() : 0;
  Integer b = GetOptions().Contains(goVertLine) ? GetColCount() - 1 - GetFixedCols() : 0;
  HideInplaceEdit();
  Double f = static_cast<Double>(AWidth - a - b - (GetBorderStyle() == bsSingle ? 2 : 4)) / FOldSize;
  Integer from = normalOnly ? GetFixedCols() : 0;
  Integer to = normalOnly ? GetColCount() - FFixedRightCols - 1 : GetColCount() - 1;
  Double lost = 0;
  Integer lastSet = -1;
  for (Integer c = from; c <= to && c < FOrigColSizes->GetCount(); ++c) {
    Double scaled = FOrigColSizes->GetInteger(c) * f;
    auto w = static_cast<Integer>(std::trunc(scaled));
    lost += scaled - w;
    SetColWidths(c, w);
    lastSet = c;
  }
  if (lastSet >= 0) SetColWidths(lastSet, GetColWidths(lastSet) + static_cast<Integer>(std::trunc(lost)));
}

// ---------------------------------------------------------------------------------------------
// The size message
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::WMSize(TMessage& Message) {
  if (FInWMSize) {
    Message.Result = 1;
    return;
  }
  UpdateSearchPanel();
  auto width = static_cast<Integer>(LOWORD(static_cast<std::uintptr_t>(Message.LParam)));
  if (FOldSize > 0 && FColumnSize->GetSynchWithGrid()) SynchColumnWidths(width);
  bool proportional = FScrollProportional && FScrollType != ssMetro;
  if (!FColumnSize->GetStretch() || FScrollBarAlways == saHorz || FScrollBarAlways == saBoth) {
    TBaseGrid::Dispatch(Message);
    if (proportional) {
      UpdateProportionalHorzScroll();
      UpdateProportionalVertScroll();
    }
    if (!FDisableSize) {
      FDisableSize = true;
      TScopeGuard reset([this] { FDisableSize = false; });
      ShowWindowBarsAfterSize();
    }
    return;
  }
  FInWMSize = true;
  Integer index = FColumnSize->GetStretchColumn() == -1 ? GetColCount() - 1 : FColumnSize->GetStretchColumn();
  Integer others = 0;
  for (Integer c = 0; c < GetColCount(); ++c)
    if (c != index) others += GetColWidths(c);
  bool stretched = false;
  if (others < width) {
    DoStretchColumn(FColumnSize->GetStretchColumn(), width);
    stretched = true;
  }
  FInWMSize = false;
  if (HandleAllocated()) {
    HWND h = GetHandle();
    if (HasHorzBar(FScrollBarsCopy) && FScrollBarAlways == saNone)
      ShowScrollBar(h, SB_HORZ, width < others + GetColWidths(index));
    if (HasVertBar(FScrollBarsCopy)) {
      if (FScrollBarAlways == saNone)
        ShowScrollBar(h, SB_VERT, GetVisibleRowCount() < GetRowCount() - GetFixedRows());
      else if (FScrollBarAlways == saVert)
        ShowScrollBar(h, SB_VERT, TRUE);
    }
  }
  if (proportional) {
    UpdateProportionalHorzScroll();
    UpdateProportionalVertScroll();
  }
  if (stretched && FScrollBarAlways == saNone && OnGridResize) OnGridResize(this);
  if (FloatingFooterVisible()) {
    TBaseGrid::Dispatch(Message);
    return;
  }
  // The base grid does not see the message; the control still takes its new size.
  UpdateBounds();
  Message.Result = 1;
}

void TNeoStringGrid::ShowWindowBarsAfterSize() {
  SyncFlatVertScrollInfo();
  SyncFlatHorzScrollInfo();
  FlatShowScrollBar(SB_HORZ, GetVisibleColCount() + GetFixedCols() < GetColCount());
  FlatShowScrollBar(SB_VERT, GetVisibleRowCount() + GetFixedRows() < GetRowCount());
  if (!HandleAllocated()) return;
  if (!HasHorzBar(FScrollBarsCopy)) ShowScrollBar(GetHandle(), SB_HORZ, FALSE);
  if (!HasVertBar(FScrollBarsCopy)) ShowScrollBar(GetHandle(), SB_VERT, FALSE);
}

// ---------------------------------------------------------------------------------------------
// The search panel
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::UpdateSearchPanel() {
  if (!HandleAllocated() || !FSearchPanel || !FSearchPanel->GetVisible()) return;
  TRect client = TBaseGrid::GetClientRect();
  Int64 total = ColOffset(GetColCount());
  // A grid dropdown's list keeps the panel above the bar only when its columns size with it;
  // grids are not hosted in grid dropdowns yet.
  bool sizeWithDropDown = false;
  Integer height = GetSearchFooterHeight();
  Integer clientWidth = client.right - client.left;
  bool barBelow = (clientWidth < total && !sizeWithDropDown) || FScrollBarAlways == saHorz || FScrollBarAlways == saBoth;
  Integer top = GetHeight() - height - (barBelow ? GetSystemMetrics(SM_CYHSCROLL) : 0);
  FSearchPanel->SetBounds(client.left, top, clientWidth, FSearchPanel->GetHeight());
}

TRect TNeoStringGrid::GetClientRect() {
  TRect r = TBaseGrid::GetClientRect();
  if (FSearchFooter && FSearchFooter->GetVisible() && FSearchPanel && FSearchPanel->GetVisible() &&
      FSearchPanel->GetParent() == this)
    r.bottom = std::min(r.bottom, FSearchPanel->GetTop());
  return r;
}
