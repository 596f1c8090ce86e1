// TNeoStringGrid: what a release completes after a press (touch scrolling, fixed-cell sizing,
// pressed buttons, disjunct selections, column and row moves, the selection resize, cell
// mouse-up events and sorting by a click on the sort row), the class library's MouseUp override
// (filter glyph menu, filter drop-down, disjunct cells), double clicks (node toggling, auto-sizing
// from a header border, editing) and the right button.
//
// The release runs in a fixed order; the parts below keep that order and each answers whether the
// handler ends with it. Sorting reads SortSettings and the sort list; the sorting routines
// themselves belong to the data folder and are called through the QSort family.
#include <algorithm>
#include <cmath>

#include "lib/grid/core/NeoSortSettings.h"
#include "lib/grid/core/NeoArrowWindow.h"
#include "lib/grid/core/NeoGridCompanions.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysInfo.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

namespace {

constexpr UINT_PTR BaseMoveTimerId = 1;
constexpr Cardinal FlickTimeMs = 500;
constexpr Integer SortBorderReach = 4;   // a release this close to a header border does not sort
constexpr Integer AutoSizeReach = 3;     // a double click this close to a header border sizes
constexpr Integer DropButtonWidth = 16;
constexpr Integer FilterButtonInset = 3;
constexpr Integer FilterButtonHeight = 19;
constexpr Integer MaxFilterTypes = 9;

// Within Reach pixels of the left or the right border of R.
bool NearVertBorder(const TRect& R, Integer X, Integer Reach) {
  return X - R.left < Reach || R.right - 1 - X < Reach;
}

bool InRect(const TRect& R, Integer X, Integer Y) { return X >= R.left && X < R.right && Y >= R.top && Y < R.bottom; }

bool IsCheckBoxKind(TCellType Kind) {
  return Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctVirtCheckBox || Kind == ctRowCheckBox ||
         Kind == ctTriStateCheckBox;
}

bool IsButtonKind(TCellType Kind) { return Kind == ctButton || Kind == ctBitButton || Kind == ctVirtButton; }

TShiftState ShiftOf(const TMessage& M) { return KeysToShiftState(static_cast<WORD>(M.WParam)); }

}  // namespace

// What the release handler works with: the point, the keys, the cell under the point.
struct TNeoStringGrid::TRelease {
  Integer X = 0;
  Integer Y = 0;
  TShiftState Shift;
  Integer ACol = -1;
  Integer ARow = -1;
  bool OnSizingBorder = false;
  bool Deselected = false;
  bool Valid() const { return ACol >= 0 && ARow >= 0; }
};

// ---------------------------------------------------------------------------------------------
// Sort settings, small relays
// ---------------------------------------------------------------------------------------------
TSortSettings* TNeoStringGrid::GetSortSettings() {
  if (!FSortSettings) FSortSettings = std::make_shared<TSortSettings>(this);
  return FSortSettings.get();
}

void TNeoStringGrid::SetSortSettings(TSortSettings* Value) { GetSortSettings()->Assign(Value); }

void TNeoStringGrid::SetFilterDropDownRow(Integer Value) {
  if (Value >= GetFixedRows() || Value == FFilterDropDownRow) return;
  FFilterDropDownRow = Value;
  Invalidate();
}

void TNeoStringGrid::InitSortXRef() {
  FUnSortRowXRef->Clear();
  for (Integer r = 0; r < GetRowCount(); ++r) FUnSortRowXRef->Add(r);
}

bool TNeoStringGrid::BuildFilterList(Integer ACol, bool StopAtFirst, bool IncludeHidden) {
  (void)ACol;
  (void)StopAtFirst;
  (void)IncludeHidden;
  return false;
}

void TNeoStringGrid::DoClickSort(Integer ACol) {
  if (OnClickSort) OnClickSort(this, ACol);
}

void TNeoStringGrid::DoEndBlockFocus() {
  if (OnEndBlockFocus) OnEndBlockFocus(this);
}

template <class F>
void TNeoStringGrid::KeepingLeftCol(F Action) {
  if (!(FNavigation->GetKeepHorizScroll() && GetOptions().Contains(goRowSelect))) {
    Action();
    return;
  }
  BeginUpdate();
  Integer left = GetLeftCol();
  auto restore = ScopeExit([&] {
    SetLeftCol(left);
    EndUpdate();
  });
  Action();
}

// ---------------------------------------------------------------------------------------------
// Left button up
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::WMLButtonUp(TMessage& Message) {
  TRelease r;
  r.X = MessageXPos(Message);
  r.Y = MessageYPos(Message);
  r.Shift = ShiftOf(Message);
  ColMoveFlg = false;
  FColSizeFlg = false;
  FMouseDown = false;
  FMouseKeepDown = false;
  FMouseSelectMode = msNormal;
  if (FAnchorClick) {
    FAnchorClick = false;
    Message.Result = 1;
    return;
  }
  if (FScrollStart) ReleaseTouchScroll(r);
  if (FCtrlDown) {
    FCtrlDown = false;
    RepaintCell(FCtrlXY.x, FCtrlXY.y);
  }
  FMouseDownMove = false;
  if (FLook == glListView) {
    RepaintRow(0);
    if (GetFixedCols() > 0) RepaintCol(0);
  }
  FMouseSelectStart = -1;
  if (!FDesignTime)
    for (TArrowWindow* arrow : Arrows)
      if (arrow) arrow->Hide();
  ReleaseFixedSizing(r);
  if (FFixedCellPushed) {
    HDC dc = GetDC(GetHandle());
    RECT pushed = FPushedFixedCell;
    DrawEdge(dc, &pushed, BDR_RAISEDINNER, BF_RECT);
    ReleaseDC(GetHandle(), dc);
    FFixedCellPushed = false;
  }
  MouseToCell(r.X, r.Y, r.ACol, r.ARow);
  ReleaseCellButton(r);
  if ((FDesignTime || FHintShowSizing) && FScrollHintShow) HideScrollHint();

  bool movingDone = (Screen->GetCursor() == crDrag || Screen->GetCursor() == crNoDrop) &&
                    (FGridState == gsRowMoving || FGridState == gsColMoving) && FEnhRowColMove;
  if (r.Valid() && !movingDone && OnButtonOrGlyph(r.ACol, r.ARow, r.X, r.Y)) return;
  r.OnSizingBorder = r.ARow >= 0 && r.ARow < GetFixedRows() && GetOptions().Contains(goColSizing) &&
                     GetCursor() == crHSplit;
  bool inFixedArea = r.Valid() && (r.ARow < GetFixedRows() || r.ACol < GetFixedCols());
  if (OnClick && FDoOnClick && !r.OnSizingBorder && inFixedArea) OnClick(this);
  FDoOnClick = false;
  if (FGridState == gsSelecting) {
    SetGridState(gsNormal);
    Click();
  }
  if (ReleaseSelectionClick(r)) return;
  ReleaseDisjunctRows(r);
  ReleaseGroupSelect(r);
  ReleaseDisjunctCols(r);
  if (movingDone) ReleaseMoving(r);

  TBaseGrid::WndProc(Message);

  if (inFixedArea && !r.OnSizingBorder && OnFixedCellClick) OnFixedCellClick(this, r.ACol, r.ARow);
  if (r.Deselected) FSelChange = false;
  if (FGridState == gsSelecting) SetGridState(gsNormal);
  if (FMouseResize) ReleaseSelectionResize();
  if (ColMoveFlg || FColSizeFlg || !r.Valid()) return;
  ReleaseCellEvents(r);
}

// Touch scrolling ends: a fast swipe that scrolled starts the flick, a tap acts on the cell.
bool TNeoStringGrid::ReleaseTouchScroll(TRelease& R) {
  FScrollStart = false;
  Integer dx = R.X - ptdown.x, dy = R.Y - ptdown.y;
  bool quick = GetTickCount() - FTimeStart < FlickTimeMs;
  Integer acol = -1, arow = -1;
  MouseToCell(R.X, R.Y, acol, arow);
  bool valid = acol >= 0 && arow >= 0;
  if (std::abs(dy) >= std::abs(dx)) {
    Integer delta = R.Y > ptdown.y ? -1 : 1;
    if (quick && GetTopRow() != FTopDown) {
      StartFlickScroll(true, delta);
    } else if (GetTopRow() == FTopDown) {
      if (valid && !GetOptions().Contains(goRowSelect)) {
        FocusCell(acol, arow);
        SelectCell(acol, arow);
      }
      SetTopRow(FTopDown);
      if (valid) TouchTap(R, acol, arow);
    }
    FScrollDelta = delta;
    ptdown.y = -1;
  } else {
    Integer delta = R.X > ptdown.x ? -1 : 1;
    if (quick && GetLeftCol() != FLeftRight) {
      StartFlickScroll(false, delta);
    } else if (GetLeftCol() == FLeftRight) {
      if (valid) {
        FocusCell(acol, arow);
        SelectCell(acol, arow);
      }
      SetLeftCol(std::max(GetFixedCols(), FLeftRight));
      if (valid) TouchTap(R, acol, arow);
    }
    FScrollDelta = delta;
  }
  ptdown = TPoint{-1, -1};
  SetMouseCapture(false);
  ReleaseCapture();
  if (CanFocus()) SetFocus();
  if (GetActiveRowShow()) Invalidate();
  return false;
}

// A tap toggles a check box or fires the button of an editable cell.
void TNeoStringGrid::TouchTap(TRelease& R, Integer ACol, Integer ARow) {
  (void)R;
  bool canEdit = true;
  Integer rcol = DisplToRealCol(ACol);
  CanEditCell(rcol, ARow, canEdit);
  if (!canEdit) return;
  TCellType kind = GetCellType(rcol, ARow);
  if (IsCheckBoxKind(kind)) {
    ToggleCheckBox(rcol, ARow);
    bool state = false;
    GetCheckBoxState(rcol, ARow, state);
    DoCheckBoxClick(ACol, ARow, state);
  } else if (IsButtonKind(kind)) {
    DoButtonClick(ACol, ARow);
  }
}

// Fixed column (row) sizing ends at the release: the new size runs from the column's start to X
// (never below 0), then OnEndColumnSize and OnUpdateColumnSize, which may change it.
void TNeoStringGrid::ReleaseFixedSizing(TRelease& R) {
  if (FSizingFixed) {
    FSizeFixed = false;
    FSizingFixed = false;
    if (FSizingFixedCol >= 0) {
      Integer start = 0;
      for (Integer c = 0; c < FSizingFixedCol; ++c) start += GetColWidths(c);
      Integer width = std::max(0, R.X - start);
      SetColWidths(FSizingFixedCol, width);
      if (OnEndColumnSize) OnEndColumnSize(this, FSizingFixedCol);
      Integer updated = width;
      DoUpdateColumnSize(FSizingFixedCol, updated);
      if (updated != width) SetColWidths(FSizingFixedCol, updated);
    }
  }
  if (FSizingFixedR) {
    FSizeFixedR = false;
    FSizingFixedR = false;
    if (FSizingFixedRow >= 0) {
      Integer start = 0;
      for (Integer r = 0; r < FSizingFixedRow; ++r) start += GetRowHeights(r);
      SetRowHeights(FSizingFixedRow, std::max(0, R.Y - start));
      if (OnEndRowSize) OnEndRowSize(this, FSizingFixedRow);
    }
  }
}

// The point lies on the button of a cell, or on the glyph of an expandable cell.
bool TNeoStringGrid::OnButtonOrGlyph(Integer ACol, Integer ARow, Integer X, Integer Y) {
  TPoint base = BaseCell(ACol, ARow);
  Integer rcol = DisplToRealCol(base.x);
  if (InRect(GetCellButtonRect(rcol, base.y), X, Y)) return true;
  return GetCellType(rcol, base.y) == ctExpand && InRect(GetExpandGlyphRect(rcol, base.y), X, Y);
}

// A pressed cell button comes up: OnButtonClick when released on it, and an expandable cell
// toggles its state.
void TNeoStringGrid::ReleaseCellButton(TRelease& R) {
  if (FPushedCellButton.x < 0 || FPushedCellButton.y < 0) return;
  const TPoint pushed = FPushedCellButton;
  bool enabled = GetOptions().Contains(goEditing);
  TPoint base{-1, -1};
  bool expand = false;
  if (R.Valid()) {
    base = BaseCell(R.ACol, R.ARow);
    if (!NoDisabledButtonLook()) enabled = IsCellEditable(DisplToRealCol(R.ACol), R.ARow);
    expand = GetCellType(DisplToRealCol(base.x), base.y) == ctExpand;
  }
  bool pushedFixed = pushed.x < GetFixedCols() || pushed.y < GetFixedRows();
  if (enabled || FFixedAsButtons || NoDisabledButtonLook() || expand || pushedFixed) {
    if (!IsNode(pushed.y)) PushButton(pushed.x, pushed.y, false);
    if (R.Valid()) {
      Integer rcol = DisplToRealCol(base.x);
      if (InRect(GetCellButtonRect(rcol, base.y), R.X, R.Y) || FFixedAsButtons || pushedFixed)
        DoButtonClick(pushed.x, pushed.y);
      bool onGlyph = InRect(GetExpandGlyphRect(rcol, base.y), R.X, R.Y) || pushed.y < GetFixedRows() ||
                     (FFixedAsButtons && pushed.x < GetFixedCols());
      if (expand && onGlyph) DoExpandClick(pushed.x, pushed.y, ToggleExpand(pushed.x, pushed.y));
    }
  }
  FPushedCellButton = TPoint{-1, -1};
  SetMouseCapture(false);
}

// A release after a press on a selected cell (from which a drag could have started).
bool TNeoStringGrid::ReleaseSelectionClick(TRelease& R) {
  if (!FSelectionClick) return false;
  FSelectionClick = false;
  if (!R.Valid() || IsFixed(R.ACol, R.ARow)) return false;
  bool ctrl = R.Shift.Contains(ssCtrl);
  bool dragRows = FMouseActions->GetDisjunctRowSelect() && MoveDragSettings().OleDropSource;
  if (dragRows && !ctrl) ClearRowSelect();
  if (dragRows && (ctrl || FMouseActions->GetDisjunctRowSelectNoCtrl())) {
    SetRowSelect(R.ARow, !GetRowSelect(R.ARow));
    if (OnMouseUp) OnMouseUp(this, mbLeft, TShiftState{ssCtrl}, R.ACol, R.ARow);
    return true;
  }
  bool indicator = !FRowIndicator->GetEmpty() && GetFixedCols() > 0;
  if (indicator) RepaintCell(0, GetRow());
  if (GetOptions().Contains(goRowSelect))
    SetSelection(GridRectOf(GetFixedCols(), R.ARow, GetColCount() - 1, R.ARow));
  else
    SetSelection(GridRectOf(R.ACol, R.ARow, R.ACol, R.ARow));
  if (indicator) RepaintCell(0, GetRow());
  return false;
}

// The range selection goes into the disjunct row selection; a row marked by the press for
// removal leaves it.
void TNeoStringGrid::ReleaseDisjunctRows(TRelease& R) {
  if (!FMouseActions->GetDisjunctRowSelect() || !R.Valid()) return;
  if (R.ACol == 0 && IsNode(R.ARow)) return;
  const TGridRect none = GridRectOf(-1, -1, -1, -1);
  bool allow = true;
  if (OnSelectCell) OnSelectCell(this, R.ACol, R.ARow, allow);
  if (R.Shift.Contains(ssCtrl) || R.Shift.Contains(ssShift)) FDisSelection = none;
  bool hotmail = FMouseActions->GetHotmailRowSelect();
  bool bothFixed = IsFixed(R.ACol, R.ARow) && IsFixed(FMouseDownPt.x, FMouseDownPt.y);
  if ((R.ACol != 0 || FMouseDownPt.x != 0 || !hotmail) && allow && !bothFixed) {
    FDisSelection = none;
    {
      FBlockCellChanging = true;
      auto unblock = ScopeExit([this] { FBlockCellChanging = false; });
      SelectionToRowSelect(false);
    }
    if (OnCheckBoxChange) OnCheckBoxChange(this, R.ACol, R.ARow, true);
  }
  if (FMouseActions->GetRowSelect()) FDisSelection = none;
  if (R.ARow >= GetFixedRows() && R.ARow <= GetRowCount() - FFixedFooters - 1 && FDeselectState) {
    Integer row = FMouseActions->GetRowSelectPersistent() ? DisplToRealRow(R.ARow) : R.ARow;
    SetRowSelect(row, false);
    R.Deselected = true;
    if (hotmail) RepaintCell(0, 0);
  }
  FDeselectState = false;
}

// An expanded node row selects its child rows with Grouping.AutoSelectGroup.
void TNeoStringGrid::ReleaseGroupSelect(TRelease& R) {
  if (!R.Valid() || R.ACol <= 0 || !IsNode(R.ARow) || GetNodeState(R.ARow) || !AutoSelectGroup()) return;
  Integer span = GetNodeSpan(R.ARow);
  if (FMouseActions->GetDisjunctRowSelect()) {
    for (Integer r = R.ARow + 1; r < R.ARow + span && r < GetRowCount(); ++r) SetRowSelect(DisplToRealRow(r), true);
  } else {
    SetSelection(GridRectOf(GetFixedCols(), R.ARow, GetColCount() - 1, std::min(R.ARow + span - 1, GetRowCount() - 1)));
  }
}

void TNeoStringGrid::ReleaseDisjunctCols(TRelease& R) {
  if (!FMouseActions->GetDisjunctColSelect()) return;
  SelectionToColSelect(false);
  if (R.ACol >= GetFixedCols() && R.ACol < GetColCount() - FFixedRightCols && FDeselectState)
    SetColSelect(R.ACol, false);
  FDeselectState = false;
}

// An enhanced column or row move ends: dropped on another normal column (row), it moves there.
void TNeoStringGrid::ReleaseMoving(TRelease& R) {
  if (MoveButton) {
    MoveButton->SetEnabled(false);
    MoveButton->Hide();
  }
  delete MoveForm;
  MoveForm = nullptr;
  DoEndBlockFocus();
  bool dropped = Screen->GetCursor() != crNoDrop;
  Screen->SetCursor(crDefault);
  TGridState state = FGridState;
  SetGridState(gsNormal);
  if (HandleAllocated()) KillTimer(GetHandle(), BaseMoveTimerId);
  if (dropped) {
    if (state == gsColMoving && Movecell >= 0 && R.ACol >= GetFixedCols() &&
        R.ACol < GetColCount() - FFixedRightCols && R.ACol != Movecell)
      MoveColumn(Movecell, R.ACol);
    if (state == gsRowMoving && Movecell >= 0 && R.ARow >= GetFixedRows() &&
        R.ARow < GetRowCount() - FFixedFooters && R.ARow != Movecell)
      MoveRow(Movecell, R.ARow);
  } else if (state == gsColMoving) {
    RepaintRow(0);
  } else {
    RepaintCol(0);
  }
  MovedNow = true;
}

// The selection grown by its handle is filled from the grabbed cells.
void TNeoStringGrid::ReleaseSelectionResize() {
  TGridRect grown = GetSelection();
  if (OnSelectionResize) OnSelectionResize(this, FDropSelection, grown);
  if (FNavigation->GetAllowSmartClipboard()) {
    bool old = FEditDisable;
    FEditDisable = true;
    auto restore = ScopeExit([&] { FEditDisable = old; });
    SmartFillSelection(FDropSelection, grown);
  }
  FMouseResize = false;
  if (OnSelectionResized) OnSelectionResized(this, FDropSelection, grown);
}

// Check-box and radio mouse-up events, then sorting by the sort row.
void TNeoStringGrid::ReleaseCellEvents(TRelease& R) {
  Integer rcol = DisplToRealCol(R.ACol);
  TCellType kind = GetCellType(rcol, R.ARow);
  bool state = false;
  if (IsCheckBoxKind(kind)) {
    GetCheckBoxState(rcol, R.ARow, state);
    if (OnCheckBoxMouseUp) OnCheckBoxMouseUp(this, rcol, R.ARow, state);
  } else if (kind == ctRadio) {
    TStrings* items = nullptr;
    bool horizontal = false;
    Integer* index = nullptr;
    if (GetRadioGroup(rcol, R.ARow, items, horizontal, index) && OnRadioMouseUp)
      OnRadioMouseUp(this, rcol, R.ARow, index ? *index : -1);
  }
  if (R.ACol < GetFixedCols() && R.ARow < GetFixedRows() && !GetSortSettings()->GetFixedCols()) return;
  ReleaseSort(R);
}

// ---------------------------------------------------------------------------------------------
// Sorting by a click on the sort row
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::ReleaseSort(TRelease& R) {
  if (FDblClk) {
    FDblClk = false;
    return;
  }
  TSortSettings* settings = GetSortSettings();
  TRect cell = CellRect(R.ACol, R.ARow);
  Integer rcol = DisplToRealCol(R.ACol);
  if (R.ARow < GetFixedRows() && GetOptions().Contains(goColSizing) && NearVertBorder(cell, R.X, SortBorderReach))
    return;
  if (R.X >= cell.right - DropButtonWidth &&
      ((FixedDropDownButton() && DoCanShowFixedDropDown(R.ACol)) || BuildFilterList(rcol, true, false)))
    return;
  if (!SortAllowed(R)) {
    RepaintCell(R.ACol, settings->GetRow());
    return;
  }
  HideInplaceEdit();
  if (FUnSortRowXRef->GetCount() != GetRowCount()) InitSortXRef();
  if (settings->GetAutoColumnMerge()) SplitAllColumnCells();
  KeepingLeftCol([&] {
    Cardinal start = GetTickCount();
    if (settings->GetIndexShow())
      SortByIndex(rcol, R.Shift);
    else
      SortByColumn(rcol);
    FSortTime = GetTickCount() - start;
  });
  if (settings->GetAutoColumnMerge()) ApplyMergedColumns();
  if (FNumCellControls > 0) CellControlsUpdate();
  DoClickSort(settings->GetColumn());
}

// Press and release both in the sort row, sorting shown, more than a header and a row, nothing
// moved; IgnoreColumns and OnCanSort have the last word.
bool TNeoStringGrid::SortAllowed(TRelease& R) {
  TSortSettings* settings = GetSortSettings();
  Integer sortRow = settings->GetRow();
  bool inSortRow = R.ARow == sortRow && FMouseDownPt.y == sortRow;
  if (R.ARow == FMouseDownPt.y && IsMergedCell(R.ACol, R.ARow)) {
    TPoint base = BaseCell(R.ACol, R.ARow);
    TPoint span = CellSpan(base.x, base.y);
    inSortRow = sortRow >= base.y && sortRow <= base.y + std::max(span.y, 0);
  }
  bool onCheckBox = CellHasCheckBox(R.ACol, R.ARow) && IsInCheckBox(DisplToRealCol(R.ACol), R.ARow, R.X, R.Y);
  if (!inSortRow || GetFixedRows() <= 0 || onCheckBox || !settings->GetShow() || MovedNow || GetRowCount() <= 2)
    return false;
  Integer rcol = DisplToRealCol(R.ACol);
  bool doSort = !FIgnoreColumns->HasValue(rcol);
  DoCanSort(rcol, doSort);
  return doSort;
}

// The multi-column list: with the index key the column joins (or flips its direction); without
// it the list becomes this column alone, or flips it when it already is.
void TNeoStringGrid::SortByIndex(Integer ACol, TShiftState Shift) {
  TSortSettings* settings = GetSortSettings();
  bool key = Shift.Contains(settings->GetIndexSortKey() == ikShift ? ssShift : ssCtrl);
  bool ascending = settings->GetInitSortDirection() == sdAscending;
  TSortIndexList* list = FSortIndexes.get();
  if (key) {
    if (list->FindIndex(ACol) < 0)
      list->AddIndex(ACol, ascending);
    else
      list->ToggleIndex(ACol);
  } else if (list->GetCount() == 1 && list->GetSortColumns(0) == ACol) {
    list->ToggleIndex(ACol);
  } else {
    list->Clear();
    list->AddIndex(ACol, ascending);
  }
  if (HasNodes())
    QSortGroupIndexed();
  else
    QSortIndexed();
  settings->SetColumn(list->GetCount() > 0 ? (list->GetInteger(0) & 0xFFFF) : -1);
}

// One column: a new column sorts in the initial direction, the sorted one flips; with UndoSort
// the click that would return to the initial direction restores the unsorted order instead.
void TNeoStringGrid::SortByColumn(Integer ACol) {
  TSortSettings* settings = GetSortSettings();
  bool undo = false;
  if (ACol == settings->GetColumn()) {
    undo = settings->GetDirection() != settings->GetInitSortDirection() && settings->GetUndoSort();
    settings->ToggleDirection();
  } else {
    settings->SetDirection(settings->GetInitSortDirection());
    settings->SetColumn(ACol);
  }
  if (HasNodes()) {
    QSortGroup();
  } else if (undo) {
    QUnSort();
    settings->SetColumn(-1);
  } else {
    QSort();
  }
}

// ---------------------------------------------------------------------------------------------
// The class library's button up
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (FDesignTime) {
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    DesignHelperClick(X, Y);
    return;
  }
  Integer acol = -1, arow = -1;
  MouseToCell(X, Y, acol, arow);
  bool valid = acol >= 0 && arow >= 0;
  bool changed = false;
  TGridRect oldSel = GetSelection();
  if (!(oldSel == FOrigSelection))
    changed = Button == mbLeft ||
              (Button == mbRight && FMouseActions->GetSelectOnRightClick() && valid && !IsFixed(acol, arow));
  bool sizingCols = FGridState == gsColSizing;
  if (valid && !sizingCols && FilterGlyphUp(acol, arow, X, Y)) return;
  FilterDropDownUp(acol, arow, X, Y, sizingCols);
  FDropDownDown = false;
  if ((FGridState == gsColSizing && X > GetClientWidth()) || (FGridState == gsRowSizing && Y > GetClientHeight())) {
    SetGridState(gsNormal);
    return;
  }
  if (FMouseActions->GetDisjunctCellSelect() && Button == mbLeft && valid) {
    if (!DisjunctCellUp(acol, arow, Shift)) return;
    changed = true;
  }
  if (changed && !FBlockSelChange) SelectionChanged(oldSel.Left, oldSel.Top, oldSel.Right, oldSel.Bottom);
  if (FGridState == gsColMoving && Button == mbRight) return;
  TBaseGrid::MouseUp(Button, Shift, X, Y);
  if (valid && arow == GetFixedRows() - 1 && IsFixedHoverCell(acol, arow) && FixedGradientDownTo() != clNone)
    RepaintCell(acol, arow);
  TGridRect sel = GetSelection();
  if (!(sel == oldSel)) SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

// A release on the filter glyph of the cell whose glyph was pressed opens the menu of filter
// types (at most nine; OnShowFilterEdit hides single items) under the cell.
bool TNeoStringGrid::FilterGlyphUp(Integer ACol, Integer ARow, Integer X, Integer Y) {
  if (!DoHasFilterEdit(ACol, ARow) || FFltrPopPressCol != ACol) return false;
  TRect cell = CellRect(ACol, ARow);
  Integer glyph = static_cast<Integer>(std::lround(16 * FDPIScale));
  if (!(X > cell.left && Y < cell.top + glyph && X < cell.left + glyph)) return false;
  ShowFilterPopup(ACol, cell);
  FGridState = gsNormal;
  return true;
}

void TNeoStringGrid::ShowFilterPopup(Integer ACol, const TRect& CellR) {
  TStrings* names = FilterTypeNames();
  Integer count = names ? std::min(names->GetCount(), MaxFilterTypes) : 0;
  if (!FFltrPopup) {
    TComponent* owner = GetParentForm(this);
    FFltrPopup = new TPopupMenu(owner ? owner : this);
    for (Integer i = 0; i < count; ++i) {
      auto* item = new TMenuItem(FFltrPopup);
      item->SetCaption((*names)[i]);
      item->SetImageIndex(i);
      item->SetTag(i);
      item->OnClick = [this](TObject* Sender) { FilterPopupClick(Sender); };
      FFltrPopup->GetItems()->Add(item);
    }
  }
  Integer rcol = DisplToRealCol(ACol);
  FFltrPopup->SetTag(rcol);
  TMenuItem* items = FFltrPopup->GetItems();
  for (Integer i = 0; i < items->GetCount() && i < count; ++i) {
    TMenuItem* item = items->GetItems(i);
    item->SetCaption((*names)[i]);
    item->SetImageIndex(i);
    bool show = true;
    if (OnShowFilterEdit) OnShowFilterEdit(this, ACol, i, show);
    item->SetVisible(show);
  }
  TPoint p = ClientToScreen(TPoint{CellR.left, CellR.bottom});
  FFltrPopup->Popup(p.x, p.y);
}

// The filter button of a cell of the filter drop-down row opens the column's value list;
// anywhere else a shown list closes.
bool TNeoStringGrid::FilterDropDownUp(Integer ACol, Integer ARow, Integer X, Integer Y, bool SizingCols) {
  bool valid = ACol >= 0 && ARow >= 0;
  if (valid && ARow == FFilterDropDownRow && ARow < GetFixedRows() && ACol != FFilterCol && !SizingCols) {
    TRect cell = CellRect(ACol, ARow);
    Integer rcol = DisplToRealCol(ACol);
    if (X > cell.right - DropButtonWidth && X < cell.right - FilterButtonInset && Y < cell.top + FilterButtonHeight &&
        BuildFilterList(rcol, false, false)) {
      FFilterCol = rcol;
      FillFilterDropDown(ACol, ARow);
      return true;
    }
  }
  if (HideFilterList()) DoFilterClose(FFilterCol);
  FFilterCol = -1;
  return false;
}

// Disjunct cell selection at the release; False when OnSelectCell refused the cell.
bool TNeoStringGrid::DisjunctCellUp(Integer ACol, Integer ARow, TShiftState Shift) {
  TPoint base = BaseCell(ACol, ARow);
  if (IsFixed(base.x, base.y)) {
    if (!Shift.Contains(ssCtrl) && !IsFixed(ACol, ARow)) {
      FSelectedCells.Clear();
      Invalidate();
    }
    return true;
  }
  bool allow = true;
  if (OnSelectCell) OnSelectCell(this, base.x, base.y, allow);
  if (!allow) return false;
  if (Shift.Contains(ssShift)) {
    FSelectedCells.Add(ACol, ARow);
  } else if (Shift.Contains(ssCtrl)) {
    if (!FSelectedCells.Remove(base.x, base.y)) FSelectedCells.Add(base.x, base.y);
  } else {
    for (Integer i = 0; i < FSelectedCells.Count(); ++i) RepaintCell(FSelectedCells.Item(i).X, FSelectedCells.Item(i).Y);
    FSelectedCells.Clear();
    FSelectedCells.Add(base.x, base.y);
  }
  TGridRect sel = GetSelection();
  if (sel.Left != sel.Right || sel.Top != sel.Bottom) {
    for (Integer c = sel.Left; c <= sel.Right; ++c)
      for (Integer r = sel.Top; r <= sel.Bottom; ++r)
        if (!(c == base.x && r == base.y)) FSelectedCells.Add(c, r);
    for (Integer i = 0; i < FSelectedCells.Count(); ++i) RepaintCell(FSelectedCells.Item(i).X, FSelectedCells.Item(i).Y);
  }
  RepaintCell(ACol, ARow);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Double click
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::WMLButtonDblClk(TMessage& Message) {
  Integer x = MessageXPos(Message), y = MessageYPos(Message);
  Integer acol = -1, arow = -1;
  MouseToCell(x, y, acol, arow);
  if (FMouseActions->GetRangeSelectAndEdit() && acol >= 0 && arow >= 0 && !IsControlCell(acol, arow)) FForceSel = true;
  if (acol < 0 && arow >= 0 && x >= 0) {
    if (FFixedRowAlways) {
      TBaseGrid::WndProc(Message);
      return;
    }
    acol = GetColCount() - 1;
    arow = 0;
  }
  bool valid = acol >= 0 && arow >= 0;
  if (valid && FMouseActions->GetToggleNodeOnDblClick() && IsNode(arow) && acol >= GetFixedCols()) {
    Integer real = DisplToRealRow(arow);
    if (GetNodeState(arow))
      ExpandNode(real);
    else
      ContractNode(real);
    return;
  }
  if (valid && DblClickAutoSize(Message, acol, arow, x)) return;
  if (valid && OnButtonOrGlyph(acol, arow, x, y)) return;
  TBaseGrid::WndProc(Message);
  if (!valid) {
    FForceSel = false;
    return;
  }
  if (OnDblClickCell) OnDblClickCell(this, arow, acol);
  TCellType kind = GetCellType(DisplToRealCol(acol), arow);
  if (IsControlCell(acol, arow) && !IsButtonKind(kind)) return;
  DblClickEdit(acol, arow);
  FForceSel = false;
  if (arow < GetFixedRows() && FMouseActions->GetFixedRowsEdit() == fceDblClick)
    StartFixedCellEdit(acol, arow, false);
  else if (acol < GetFixedCols() && FMouseActions->GetFixedColsEdit() == fceDblClick)
    StartFixedCellEdit(acol, arow, false);
}

// A double click near a header border sizes the column left of it (or the column whose right
// border it is) to its content, and the release that follows does not sort.
bool TNeoStringGrid::DblClickAutoSize(TMessage& Message, Integer ACol, Integer ARow, Integer X) {
  if (ARow >= GetFixedRows() || !GetOptions().Contains(goColSizing) || !FMouseActions->GetAutoSizeColOnDblClick())
    return false;
  TRect cell = CellRect(ACol, ARow);
  Integer target = -1;
  if (X - cell.left < AutoSizeReach) {
    target = ACol - 1;
    if (target >= 0 && target < FSuppressColSizes->GetCount() && FSuppressColSizes->GetInteger(target) > 0 &&
        GetColWidths(target) == 0)
      --target;
  } else if (cell.right - 1 - X < AutoSizeReach && ACol >= GetFixedCols()) {
    target = ACol;
  } else {
    return false;
  }
  FDblClk = true;
  if (target >= GetFixedCols()) {
    bool allow = true;
    if (OnColumnSize) OnColumnSize(this, target, allow);
    if (allow) {
      AutoSizeCol(target, 0);
      if (OnEndColumnSize) OnEndColumnSize(this, target);
    }
  }
  FForceSel = false;
  TBaseGrid::WndProc(Message);
  return true;
}

// Editing on a double click: EditOnDblClickOnly opens the editor on an editable cell; with
// RangeSelectAndEdit a press is simulated inside the cell.
void TNeoStringGrid::DblClickEdit(Integer ACol, Integer ARow) {
  auto editingOn = [this] {
    TGridOptions o = GetOptions();
    o.Include(goEditing);
    SetOptions(o);
  };
  if (FMouseActions->GetEditOnDblClickOnly()) {
    bool old = FMouseActions->GetRangeSelectAndEdit();
    FMouseActions->SetRangeSelectAndEdit(true);
    auto restore = ScopeExit([&] { FMouseActions->SetRangeSelectAndEdit(old); });
    if (IsEditable(ACol, ARow)) {
      editingOn();
      FOldCol = GetCol();
      FOldRow = GetRow();
      ShowInplaceEdit();
    }
  } else if (FMouseActions->GetRangeSelectAndEdit() && IsEditable(ACol, ARow)) {
    editingOn();
    TPoint base = BaseCell(ACol, ARow);
    TRect r = CellRect(base.x, base.y);
    MouseDown(mbLeft, TShiftState{}, r.left + 4, r.top + 4);
  }
}

// ---------------------------------------------------------------------------------------------
// Right button
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::WMRButtonDown(TMessage& Message) {
  TBaseGrid::WndProc(Message);
  Integer x = MessageXPos(Message), y = MessageYPos(Message);
  Integer acol = -1, arow = -1;
  MouseToCell(x, y, acol, arow);
  TShiftState shift = ShiftOf(Message);
  if (FMouseActions->GetSelectOnRightClick() && RightClickSelect(acol, arow, x, y, shift)) return;
  if (OnRightClickCell) OnRightClickCell(this, arow, acol);
  if (FURLShow && FURLEdit && acol >= 0 && arow >= 0 && GetCells(acol, arow).find(u"://") != String::npos) {
    FocusCell(acol, arow);
    ShowEditor();
  }
}

// SelectOnRightClick: the right press selects like a left one. True when the handler ends.
bool TNeoStringGrid::RightClickSelect(Integer ACol, Integer ARow, Integer X, Integer Y, TShiftState Shift) {
  bool validRow = ARow >= GetFixedRows() && ARow < GetRowCount();
  if (ACol >= 0 && ACol < GetFixedCols() && validRow && FMouseActions->GetRowSelect()) {
    if (OnMouseDown) OnMouseDown(this, mbLeft, Shift, X, Y);
    SetRowEx(ARow);
    DoClickCell(ARow, GetFixedCols());
    return true;
  }
  if (ACol < 0 || ARow < 0 || IsFixed(ACol, ARow)) return false;
  bool selected = IsSelected(ACol, ARow);
  if (selected && FMouseActions->GetSelectOnRightClickNewSelectionOnly()) return true;
  if (FMouseActions->GetHotmailRowSelect() && Shift.Contains(ssShift)) {
    for (Integer r = std::min(GetRow(), ARow); r <= std::max(GetRow(), ARow); ++r) SetRowSelect(r, true);
    DoClickCell(ARow, GetFixedCols());
    if (OnCheckBoxChange) OnCheckBoxChange(this, GetFixedCols(), ARow, true);
    return true;
  }
  if (FMouseActions->GetDisjunctCellSelect() && selected) return false;
  if (!IsControlCell(ACol, ARow)) {
    if (OnRightClickCell) {
      FocusCell(ACol, ARow);
    } else {
      KeepingLeftCol([&] {
        MouseDown(mbLeft, TShiftState{}, X, Y);
        MouseUp(mbLeft, TShiftState{}, X, Y);
      });
    }
  }
  if (selected && !GetOptions().Contains(goRowSelect)) {
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
  } else {
    TPoint base = BaseCell(ACol, ARow);
    KeepingLeftCol([&] { FocusCell(base.x, base.y); });
  }
  if (FMouseActions->GetDisjunctRowSelect()) {
    if (Shift.Contains(ssCtrl) || FMouseActions->GetDisjunctRowSelectNoCtrl()) {
      SetRowSelect(ARow, !GetRowSelect(ARow));
    } else if (GetRowSelectCount() < 2 || !GetPopupMenu() || !GetRowSelect(ARow)) {
      ClearRowSelect();
      SetRowSelect(ARow, true);
    }
  }
  return false;
}

void TNeoStringGrid::WMRButtonUp(TMessage& Message) {
  if ((FGridState == gsColMoving || FGridState == gsRowMoving) && FEnhRowColMove) {
    Message.Result = 0;
    return;
  }
  TBaseGrid::WndProc(Message);
}
