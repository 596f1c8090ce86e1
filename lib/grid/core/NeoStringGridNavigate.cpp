// TNeoStringGrid: moving the current cell under program control. The grid's cell-selection query
// (asked by the platform grid before every move), the current column with a synchronised grid,
// going to and editing cells, the searches for the cells where navigation may stop, and the
// advance after Enter in its four directions.
#include <algorithm>

#include "lib/grid/core/NeoFlagScopeInternal.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/win/WinUser.h"

namespace {

bool IsPlainTextEditor(TEditorType Kind) {
  switch (Kind) {
    case edNormal: case edNumeric: case edPositiveNumeric: case edFloat: case edCapital: case edMixedCase:
    case edPassword: case edLowerCase: case edUpperCase: case edValidChars: case edPositiveFloat:
      return true;
    default:
      return false;
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The cell-selection query
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::DoCellChanging(Integer ACol, Integer ARow, bool& Allow) {
  if (FBlockCellChanging) return;
  Integer oldCol = GetCol(), oldRow = GetRow();
  if (ACol != oldCol && OnColChanging) OnColChanging(this, oldCol, ACol, Allow);
  if (ARow != oldRow && OnRowChanging) OnRowChanging(this, oldRow, ARow, Allow);
  if ((ACol != oldCol || ARow != oldRow) && !FDisableChange && OnCellChanging)
    OnCellChanging(this, oldRow, oldCol, ARow, ACol, Allow);
}

void TNeoStringGrid::RepaintActiveHeaders(Integer OldCol, Integer OldRow, Integer NewRow, Integer NewCol) {
  for (Integer r = 0; r < GetFixedRows(); ++r) {
    RepaintCell(OldCol, r);
    RepaintCell(NewCol, r);
  }
  for (Integer c = 0; c < GetFixedCols(); ++c) {
    RepaintCell(c, OldRow);
    RepaintCell(c, NewRow);
  }
}

bool TNeoStringGrid::SelectCell(Integer ACol, Integer ARow) {
  TGridRect oldSel = GetSelection();
  if (ACol < 0 || ARow < 0) return false;
  bool indicator = !FRowIndicator->GetEmpty() && GetFixedCols() > 0;
  auto repaintIndicator = [&] {
    if (!indicator) return;
    RepaintCell(0, GetRow());
    RepaintCell(0, ARow);
  };
  if (FForceSel) {
    repaintIndicator();
    return true;
  }
  if (FInvalidSel) return false;
  if (!GetParent()) return true;

  bool allow = true;
  FEditText = GetCells(ACol, ARow);

  // A floating footer: the last row of the fixed-last-row style is never current, and rows
  // under the footer scroll up into view.
  if (FloatingFooterVisible()) {
    bool lastRowStyle = FloatingFooterStyle() == fsFixedLastRow;
    Integer footerHeight = lastRowStyle ? GetRowHeights(GetRowCount() - 1) : (FFooterPanel ? FFooterPanel->GetHeight() : 0);
    auto underFooter = [&] {
      TRect r = CellRect(ACol, ARow);
      return r.bottom > r.top && r.bottom > GetClientHeight() - footerHeight + 2;
    };
    if (!lastRowStyle) {
      if (FFooterPanel) FFooterPanel->Invalidate();
      if (underFooter() && ARow < GetRowCount()) SetTopRow(GetTopRow() + 1);
    } else {
      if (!KeepTopRow()) {
        if (ARow >= GetTopRow() + GetVisibleRowCount())
          SetTopRow(std::max(GetFixedRows(), ARow + GetFixedRows() - GetVisibleRowCount()));
        if (underFooter() && ARow < GetRowCount() - 1) SetTopRow(GetTopRow() + 1);
      }
      if (ARow == GetRowCount() - 1) return false;
    }
  }

  // A cell inside a merged block: the block's base cell becomes current instead.
  Integer rc = DisplToRealCol(ACol);
  TPoint base = BaseCell(rc, ARow);
  if (base.x != rc || base.y != ARow) {
    Integer baseCol = RealToDisplCol(base.x);
    MoveColRow(baseCol, base.y, true, true);
    RepaintCell(baseCol, base.y);
    if (FMouseActions->GetDirectEdit() || (DropDownAlwaysVisible() && DoHasComboBox(base.x, base.y, edNone)))
      ShowEditor();
    return false;
  }
  if (ACol == 0 && HasNodes() && !GetOptions().Contains(goRowSelect)) return false;
  if (FUseEnabledRows && FNavigation->GetSkipDisabledRows() && !GetRowEnabled(ARow)) return false;

  Integer oldCol = GetCol(), oldRow = GetRow();
  String newText = GetCells(rc, ARow);

  // goEditing follows the cell being entered.
  TGridOptions opts = GetOptions();
  if (IsControlCell(rc, ARow)) {
    bool can = true;
    CanEditCell(rc, ARow, can);
    if (!FEditDisable)
      FEditDisable = !can && (opts.Contains(goEditing) || FMouseActions->GetRangeSelectAndEdit());
    if (!opts.Contains(goEditing) && !opts.Contains(goRowSelect) && can) {
      FEditChange = true;
      opts.Include(goEditing);
      SetOptions(opts);
    }
  } else {
    bool can = opts.Contains(goEditing) || FEditDisable;
    CanEditCell(rc, ARow, can);
    if (can && FMouseActions->GetDirectEdit()) {
      TEditorType kind = FDefaultEditor;
      if (DoGetEditorTypeOnShow(rc, ARow, kind)) can = false;
    }
    if (FMouseActions->GetEditOnDblClickOnly()) can = false;
    if (can) {
      FEditDisable = false;
      if (!opts.Contains(goEditing)) {
        FEditChange = true;
        if (!FEditing) StoreOldCellValue(ACol, ARow);
        if (opts.Contains(goRowSelect) && FMouseActions->GetRangeSelectAndEdit()) opts.Exclude(goRowSelect);
        opts.Include(goEditing);
        SetOptions(opts);
      }
      if (FEditing) {
        HideInplaceEdit();
        newText = GetCells(rc, ARow);
      }
    } else {
      if (FEditing) {
        HideInplaceEdit();
        newText = GetCells(rc, ARow);
      }
      if (opts.Contains(goEditing)) {
        FEditMode = false;
        FEditDisable = true;
        FEditChange = true;
        opts.Exclude(goEditing);
        SetOptions(opts);
        SetEditorMode(false);
      }
    }
  }

  // Leaving the cell. An edit in progress is validated here unless the default editor has the
  // focus (it validates on its own keys).
  TInplaceEdit* editor = GetInplaceEditor();
  bool editorFocused = editor && editor->HandleAllocated() && editor->Focused();
  bool dbControl = FIsDBVersion && IsControlCell(DisplToRealCol(GetCol()), GetRow());
  bool answer;
  if (!FEditing || editorFocused || dbControl) {
    if (FEditMode && (FNavigation->GetAlwaysEdit() || OnCellChanging)) HideInplaceEdit();
    DoCellChanging(ACol, ARow, allow);
    if (IsFixed(ACol, ARow) || !allow)
      answer = (allow && GetOptions().Contains(goRowSelect)) || (FFixedRowAlways && GetRowCount() == GetFixedRows());
    else
      answer = TBaseGrid::SelectCell(ACol, ARow);
  } else {
    String current = GetCells(DisplToRealCol(GetCol()), GetRow());
    bool valid = ValidateCell(current);
    allow = valid;
    DoCellChanging(ACol, ARow, allow);
    answer = valid && allow;
    if (answer) {
      answer = TBaseGrid::SelectCell(ACol, ARow);
    } else {
      if (!FInvalidEntryTitle.empty()) {
        // The refused text goes back into the cell it was typed in, not into the cell asked for.
        FInvalidCache = current;
        FInvalidSel = true;
        PostMessage(GetHandle(), NeoGridShared().EditInvalid, static_cast<WPARAM>(GetCol()),
                    static_cast<LPARAM>(GetRow()));
      }
      newText = FCellCache;
    }
  }

  repaintIndicator();
  if (FISelect) FISelect->SelectionChange(GetCol(), ARow);
  if (FActiveCellShow) {
    RepaintActiveHeaders(oldCol, oldRow, ARow, ACol);
    if (oldSel.Left != oldCol && oldSel.Top != oldRow) RepaintActiveHeaders(oldSel.Left, oldSel.Top, ARow, ACol);
  }
  if (GetActiveRowShow()) {
    RepaintRow(ARow);
    RepaintRow(oldSel.Top);
  }
  if (FSelectionRectangle) RepaintRect(TRect{oldSel.Left, oldSel.Top, oldSel.Right, oldSel.Bottom});
  if (MaxRowSpan(oldSel.Top) > 0 || MaxRowSpan(ARow) > 0) Invalidate();
  // Only a move that happens is a row change to report.
  if (answer && !GetComponentState().Contains(csLoading) && ARow != FOldRowSel && OnRowUpdate) {
    OnRowUpdate(this, FOldRowSel, ARow);
    FOldRowSel = ARow;
  }
  if (OnGetCellBorder)
    RepaintRect(TRect{GetFixedCols(), oldSel.Top, GetFixedCols() + GetVisibleColCount(), oldSel.Bottom});
  FCellCache = newText;
  return answer;
}

// ---------------------------------------------------------------------------------------------
// The current cell
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::SetCol(Integer Value) {
  Integer oldCol = GetCol();
  TBaseGrid::SetCol(Value);
  FDisSelection = GetSelection();
  FAECol = -1;
  FAERow = -1;
  if (GetCol() != oldCol) SyncPartner(true);
}

void TNeoStringGrid::GotoCell(Integer ACol, Integer ARow) {
  SetRowEx(ARow);
  SetCol(ACol);
}

void TNeoStringGrid::EditCell(Integer ACol, Integer ARow) {
  if (CanFocus()) SetFocus();
  GotoCell(ACol, ARow);
  ShowInplaceEdit();
}

void TNeoStringGrid::MoveToCell(Integer ACol, Integer ARow) { MoveColRow(ACol, ARow, true, true); }

void TNeoStringGrid::SimulateCellClick(Integer ACol, Integer ARow, bool Release) {
  TFlagScope force(FForceSel, true);
  TMouseEvent down = OnMouseDown, up = OnMouseUp;
  OnMouseDown = nullptr;
  OnMouseUp = nullptr;
  TScopeGuard restore([&] {
    OnMouseDown = down;
    OnMouseUp = up;
  });
  TRect r = CellRect(ACol, ARow);
  TBaseGrid::MouseDown(mbLeft, TShiftState{}, r.left + 2, r.top + 2);
  if (Release) TBaseGrid::MouseUp(mbLeft, TShiftState{}, r.left + 2, r.top + 2);
}

// ---------------------------------------------------------------------------------------------
// Where navigation may stop
// ---------------------------------------------------------------------------------------------
Integer TNeoStringGrid::FirstNormalCol() { return GetFixedCols() == 0 && HasNodes() ? 1 : GetFixedCols(); }

Integer TNeoStringGrid::VisibleFixedRightCols() {
  if (FNumHidden == 0) return FFixedRightCols;
  Integer last = GetColCount() + FNumHidden - 1, shown = 0;
  for (Integer k = 0; k < FFixedRightCols; ++k)
    if (!IsHiddenColumn(last - k)) ++shown;
  return shown;
}

bool TNeoStringGrid::IsCellEditable(Integer ACol, Integer ARow) {
  Integer bc = ACol, br = ARow;
  ResolveBaseCell(ACol, ARow, bc, br);
  bool can = true;
  CanEditCell(bc, br, can);
  bool fixed = false;
  DoIsFixedCell(RealToDisplCol(bc), br, fixed);
  return can && !fixed;
}

bool TNeoStringGrid::IsEditable(Integer ACol, Integer ARow) {
  bool enabled =
      GetOptions().Contains(goEditing) || FMouseActions->GetRangeSelectAndEdit() || FEditDisable;
  return enabled && IsCellEditable(ACol, ARow);
}

bool TNeoStringGrid::CanGotoCell(Integer ACol, Integer ARow) {
  bool result = GetOptions().Contains(goEditing) || FEditDisable ? IsEditable(DisplToRealCol(ACol), ARow)
                                                                  : !IsFixed(ACol, ARow);
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, result);
  return result;
}

Integer TNeoStringGrid::FirstCellInRow(Integer ARow) {
  for (Integer c = 0; c < GetColCount(); ++c)
    if (CanGotoCell(c, ARow)) return c;
  return -1;
}

Integer TNeoStringGrid::LastCellInRow(Integer ARow) {
  for (Integer c = GetColCount() - 1; c >= 0; --c)
    if (CanGotoCell(c, ARow)) return c;
  return -1;
}

Integer TNeoStringGrid::NextVisibleRow(Integer ARow) {
  ARow = std::clamp(ARow, GetFixedRows(), GetRowCount() - 1);
  Integer rc = DisplToRealCol(GetCol());
  if (GetRow() < ARow) {
    Integer end = GetRowCount() - FFixedFooters;
    Integer r = ARow + std::max<Integer>(0, CellSpan(rc, ARow).y);
    while (r < end && GetRowHeights(r) == 0) ++r;
    return r >= end ? ARow : r;
  }
  // Upwards from the first row of a merged block.
  Integer r = std::min<Integer>(ARow, BaseCell(rc, ARow).y);
  while (r >= GetFixedRows() && GetRowHeights(r) == 0) --r;
  if (r < GetFixedRows()) return GetRowHeights(ARow) != 0 ? ARow : -1;
  return r;
}

Integer TNeoStringGrid::SkipHiddenCol(Integer ACol, bool Forward) {
  ACol = std::clamp(ACol, GetFixedCols(), GetColCount() - 1);
  Integer span = std::max<Integer>(0, CellSpan(DisplToRealCol(ACol), GetRow()).x);
  if (Forward) {
    Integer end = GetColCount() - FFixedRightCols;
    Integer c = ACol + span;
    while (c < end && GetColWidths(c) == 0) ++c;
    return c >= end ? ACol : c;
  }
  Integer c = ACol - span;
  while (c >= GetFixedCols() && GetColWidths(c) == 0) --c;
  return c < GetFixedCols() ? ACol : c;
}

Integer TNeoStringGrid::NextVisibleCol(Integer ACol) {
  ACol = std::clamp(ACol, GetFixedCols(), GetColCount() - 1);
  return SkipHiddenCol(ACol, GetCol() < ACol);
}

Integer TNeoStringGrid::GotoFirstVisibleRow() {
  Integer r = GetFixedRows();
  if (GetRowHeights(r) > 0) return r;
  SetRowEx(r);
  return NextVisibleRow(r + 1);
}

Integer TNeoStringGrid::GotoFirstVisibleCol() {
  Integer c = GetFixedCols();
  if (GetColWidths(c) > 0) return c;
  SetCol(c);
  return SkipHiddenCol(c + 1, true);
}

Integer TNeoStringGrid::GotoLastVisibleRow() {
  Integer r = GetRowCount() - FFixedFooters - 1;
  if (GetRowHeights(r) > 0) return r;
  SetRowEx(r);
  return NextVisibleRow(r - 1);
}

Integer TNeoStringGrid::GotoLastVisibleCol() {
  Integer c = GetColCount() - FFixedRightCols - 1;
  if (GetColWidths(c) > 0) return c;
  SetCol(c);
  return NextVisibleCol(c - 1);
}

void TNeoStringGrid::FindNextStopCell(Integer ACol, Integer ARow, TPoint& Cell) {
  Cell = TPoint{-1, -1};
  TAdvanceDirection dir = FNavigation->GetAdvanceDirection();
  bool down = dir == adTopBottom || dir == adTopBottomInCol;
  Integer lastCol = GetColCount() - VisibleFixedRightCols() - 1;
  Integer lastRow = GetRowCount() - FFixedFooters - 1;
  Integer c = ACol, r = ARow;
  while (!(c >= lastCol && r >= lastRow)) {
    if (down && ++r > lastRow) {
      if (dir == adTopBottomInCol) return;
      r = GetFixedRows();
      c = c + 1 > lastCol ? GetFixedCols() : c + 1;
    } else if (!down && ++c > lastCol) {
      if (dir == adLeftRightInRow) return;
      c = GetFixedCols();
      r = r + 1 > lastRow ? GetFixedRows() : r + 1;
    }
    if (CanGotoCell(c, r)) {
      Cell = TPoint{c, r};
      return;
    }
  }
}

void TNeoStringGrid::DoCanAddRow(bool& CanAdd) {
  if (OnCanAddRow) OnCanAddRow(this, CanAdd);
}

void TNeoStringGrid::DoCanAddCol(bool& CanAdd) {
  if (OnCanAddCol) OnCanAddCol(this, CanAdd);
}

// ---------------------------------------------------------------------------------------------
// Advancing after Enter
// ---------------------------------------------------------------------------------------------
bool TNeoStringGrid::RowHasEditableCell(Integer ARow) {
  for (Integer c = GetFixedCols(); c < GetColCount(); ++c)
    if (IsEditable(c, ARow)) return true;
  return false;
}

bool TNeoStringGrid::ColHasEditableCell(Integer ACol) {
  Integer rc = DisplToRealCol(ACol);
  for (Integer r = GetFixedRows(); r < GetRowCount(); ++r)
    if (IsEditable(rc, r)) return true;
  return false;
}

// One step from (ACol, ARow) in the advance direction; False when the advance stops here.
bool TNeoStringGrid::AdvanceStep(Integer& ACol, Integer& ARow, bool Forward) {
  TAdvanceDirection dir = FNavigation->GetAdvanceDirection();
  bool loop = FNavigation->GetAdvanceOnEnterLoop();
  bool insert = FNavigation->GetAdvanceInsert();
  Integer spanX = std::max<Integer>(0, CellSpan(DisplToRealCol(ACol), ARow).x);
  Integer lastDataRow = GetRowCount() - FFixedFooters - 1;
  // Appends a row and tells so; False when the new row has nothing to edit.
  auto appendRow = [&] {
    AddRow();
    ARow += 1;
    if (OnAutoAddRow) OnAutoAddRow(this, GetRowCount() - FFixedFooters - 1);
    return RowHasEditableCell(ARow);
  };
  if (!Forward) {
    if (dir == adLeftRight) {
      if (ACol > FirstNormalCol()) {
        ACol -= 1;
      } else {
        ARow = ARow > GetFixedRows() ? ARow - 1 : lastDataRow;
        ACol = GetColCount() - FFixedRightCols - 1;
      }
    } else if (dir == adTopBottom) {
      if (ARow > GetFixedRows()) {
        ARow -= 1;
      } else {
        ACol = ACol > FirstNormalCol() ? ACol - 1 : GetColCount() - FFixedRightCols - 1;
        ARow = lastDataRow;
      }
    }
    return true;
  }
  if (dir == adLeftRight || dir == adLeftRightInRow) {
    if (ACol + spanX < GetColCount() - VisibleFixedRightCols() - 1) {
      ACol += spanX + 1;
    } else if (dir == adLeftRightInRow) {
      if (!loop) return false;
      ACol = FirstNormalCol();
    } else if (ARow + 1 == GetRowCount() - FFixedFooters) {
      if (insert) {
        bool canAdd = true;
        DoCanAddRow(canAdd);
        ACol = FirstNormalCol();
        if (canAdd && !appendRow()) return false;
      } else {
        if (!loop) return false;
        ARow = GetFixedRows();
        ACol = FirstNormalCol();
      }
    } else {
      ARow += 1;
      ACol = FirstNormalCol();
    }
    return true;
  }
  if (ARow + 1 < GetRowCount() - FFixedFooters) {
    ARow += 1;
  } else if (dir == adTopBottomInCol) {
    if (insert) {
      bool canAdd = true;
      DoCanAddRow(canAdd);
      if (canAdd && !appendRow()) return false;
    } else {
      if (!loop) return false;
      ARow = GetFixedRows();
    }
  } else {
    if (ACol + 1 == GetColCount() - FFixedRightCols) {
      if (insert) {
        bool canAdd = true;
        DoCanAddCol(canAdd);
        if (canAdd) {
          SetColCount(GetColCount() + 1);
          ACol += spanX + 1;
          ARow = GetFixedRows();
          if (OnAutoInsertCol) OnAutoInsertCol(this, GetColCount() - FFixedRightCols - 1);
          // A new column with nothing to edit would be followed by another one, without end.
          if (!ColHasEditableCell(ACol)) return false;
        }
      } else {
        if (!loop) return false;
        ARow = GetFixedRows();
        ACol = FirstNormalCol();
      }
    } else {
      ARow = GetFixedRows();
      ACol += 1;
      if (ACol >= GetColCount()) ACol = FirstNormalCol();
    }
    Invalidate();
  }
  return true;
}

void TNeoStringGrid::AdvanceOnEnterKey(Integer ACol, Integer ARow, bool Force, bool FromEditor, bool Forward,
                                       bool Continue, bool ShowEditor) {
  TPoint origin{ACol, ARow};
  Integer rc = DisplToRealCol(ACol);
  // The repetition over read-only cells ends at the origin; a pass over every cell ends it too.
  Int64 steps = 0;
  for (;;) {
    if (!FNavigation->GetAdvanceOnEnter() && !Force) return;
    if (FMouseActions->GetRangeSelectAndEdit() && !GetOptions().Contains(goEditing)) {
      TGridOptions opts = GetOptions();
      opts.Include(goEditing);
      SetOptions(opts);
    }
    if (!Continue) {
      FAECol = ACol;
      FAERow = ARow;
    } else if (ACol == FAECol && ARow == FAERow) {
      return;
    } else if (++steps > static_cast<Int64>(GetRowCount()) * GetColCount()) {
      return;
    }
    origin = TPoint{ACol, ARow};
    FStartEditChar = 0;
    if (!AdvanceStep(ACol, ARow, Forward)) return;
    if (Forward) ACol = SkipHiddenCol(ACol, FNavigation->GetAdvanceDirection() == adLeftRight);

    rc = DisplToRealCol(ACol);
    bool canEdit = !IsFixed(ACol, ARow);
    CanEditCell(rc, ARow, canEdit);
    if (canEdit) {
      bool allow = true;
      if (OnAutoAdvance) OnAutoAdvance(this, FAERow, FAECol, ARow, ACol, allow);
      if (allow && OnCellChanging) OnCellChanging(this, FAERow, FAECol, ARow, ACol, allow);
      TFlagScope disable(FDisableChange, true);
      if (allow) {
        SetCol(ACol);
        SetRowEx(ARow);
      } else {
        SelectCell(origin.x, origin.y);
      }
      rc = DisplToRealCol(ACol);
      break;
    }
    if (!FNavigation->GetAdvanceOnEnterLoop()) {
      TPoint cell;
      FindNextStopCell(ACol, ARow, cell);
      if (cell.x == -1) return;
      bool take = !IsFixed(cell.x, cell.y);
      if (take) CanEditCell(DisplToRealCol(cell.x), cell.y, take);
      if (take) {
        ACol = cell.x;
        ARow = cell.y;
        rc = DisplToRealCol(ACol);
        canEdit = true;
      }
    }
    if (!FNavigation->GetAdvanceSkipReadOnlyCells() || canEdit) {
      SetCol(ACol);
      SetRowEx(ARow);
      FocusCell(ACol, ARow);
      break;
    }
    Continue = true;
  }

  if (!ShowEditor) return;
  if (TControl* control = GetCellControls(rc, ARow)) {
    bool can = true;
    CanEditCell(rc, ARow, can);
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (can && windowed) {
      if (windowed->CanFocus()) windowed->SetFocus();
      GotoCell(origin.x, origin.y);
      return;
    }
  }
  bool controlCell = IsControlCell(rc, ARow);
  if ((FromEditor && FNavigation->GetAdvanceAutoEdit()) || controlCell) {
    if (!IsEditable(rc, ARow)) return;
    SetEditorMode(true);
    if (controlCell) {
      {
        TFlagScope disable(FDisableChange, true);
        GotoCell(origin.x, origin.y);
        GotoCell(ACol, ARow);
        if (!IsControlCell(DisplToRealCol(origin.x), origin.y)) {
          TRect r = CellRect(ACol, ARow);
          MouseDown(mbLeft, TShiftState{}, r.left + 2, r.top + 2);
          MouseUp(mbLeft, TShiftState{}, r.left + 2, r.top + 2);
          if (FNavigation->GetAdvanceDirection() != adLeftRight) SetEditorMode(false);
        }
      }
      bool allow = true;
      if (OnCellChanging) OnCellChanging(this, origin.y, origin.x, GetRow(), GetCol(), allow);
      TEditorType kind = FDefaultEditor;
      DoGetEditorType(DisplToRealCol(origin.x), origin.y, kind);
      if (!IsPlainTextEditor(kind)) SetEditorMode(false);
    }
  }
  if (FMouseActions->GetDisjunctRowSelect()) {
    ResetRowSelect();
    SetRowSelect(GetRow(), true);
  }
}
