// TNeoStringGrid: the keyboard. The dialog code; typed characters (editing started, keys of
// form-control cells and clipboard keys swallowed, the keypad's decimal key, the incremental goto
// search); key release (the editor reopened, selection notifications, the disjunct cell
// selection); the key-down handler's commands and special navigation around the platform grid's
// own; the grid's override of the platform navigation; appending rows.
//
// Shift states: the key-down handler reads Ctrl, Shift and the left Alt key from the keyboard
// itself, as the events it fires report them; the overrides take the state they are given.
#include <algorithm>
#include <vector>

#include "lib/grid/core/NeoFlagScopeInternal.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/gridutil/NeoGridUtilText.h"
#include "lib/render/NeoHTMLControls.h"
#include "lib/render/NeoHTMLEngine.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/WinUser.h"

namespace {

bool KeyHeld(int Vk) { return GetKeyState(Vk) < 0; }

TShiftState KeyboardShift() {
  TShiftState s;
  if (KeyHeld(VK_SHIFT)) s.Include(ssShift);
  if (KeyHeld(VK_CONTROL)) s.Include(ssCtrl);
  if (KeyHeld(VK_LMENU)) s.Include(ssAlt);
  return s;
}

TGridRect Normalised(const TGridRect& R) {
  return TGridRect{std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
                   std::max(R.Top, R.Bottom)};
}

bool IsArrowKey(Word Key) { return Key >= VK_LEFT && Key <= VK_DOWN; }

// PageUp, PageDown, End, Home and the arrows.
bool IsNavigationKey(Word Key) { return Key >= VK_PRIOR && Key <= VK_DOWN; }

bool HasControlTags(const String& Text) { return AnsiUpperCase(Text).find(u"<CONTROL") != String::npos; }

bool IsButtonCell(TCellType Kind) { return Kind == ctButton || Kind == ctBitButton || Kind == ctVirtButton; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Seams of later folders
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::DoCanInsertRow(Integer ARow, bool& CanInsert) {
  if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert);
}

void TNeoStringGrid::RestoreCellFromCache() {
  Integer rc = DisplToRealCol(GetCol()), row = GetRow();
  SetCellEx(rc, row, FCellCache);
  SetCellEx(rc, row, GetCells(GetCol(), row));
}

Integer TNeoStringGrid::Search(const String& S) {
  (void)S;
  return -1;
}

bool TNeoStringGrid::AdvanceAfterEdit(bool Backward) {
  Word key = VK_TAB;
  TShiftState shift;
  if (Backward) shift.Include(ssShift);
  TBaseGrid::KeyDown(key, shift);
  return true;
}

void TNeoStringGrid::MoveRows(Integer FromIndex, Integer ToIndex, Integer Count) {
  if (Count <= 0 || FromIndex == ToIndex) return;
  for (Integer k = 0; k < Count; ++k) {
    if (ToIndex > FromIndex)
      MoveRow(FromIndex, ToIndex + Count - 1);
    else
      MoveRow(FromIndex + k, ToIndex + k);
  }
}

bool TNeoStringGrid::CycleRadioGroup(Integer ACol, Integer ARow, bool FromUser) {
  (void)ACol;
  (void)ARow;
  (void)FromUser;
  return false;
}

bool TNeoStringGrid::HasRadioButtonGroup(Integer ACol, Integer ARow, TRadioButtonGroup Group) {
  (void)ACol;
  (void)ARow;
  (void)Group;
  return false;
}

void TNeoStringGrid::SetRadioButtonRowIndex(Integer ARow, Integer Index) {
  (void)ARow;
  (void)Index;
}

void TNeoStringGrid::SetRadioButtonColumnIndex(Integer ACol, Integer Index) {
  (void)ACol;
  (void)Index;
}

bool TNeoStringGrid::MustSkip(Integer ACol, Integer ARow) {
  if (FNavigation->GetSkipFixedCells() && IsFixed(ACol, ARow)) return true;
  if (!FNavigation->GetSkipReadOnly()) return false;
  bool can = true;
  CanEditCell(ACol, ARow, can);
  return !can;
}

// ---------------------------------------------------------------------------------------------
// Rows appended by the keyboard and the editors
// ---------------------------------------------------------------------------------------------
bool TNeoStringGrid::IsLastDataRow() {
  return GetRow() == GetRowCount() - FFixedFooters - 1 || (FloatingFooterVisible() && GetRowCount() == GetRow() + 2);
}

void TNeoStringGrid::AutoAppendRow() {
  bool can = true;
  DoCanAddRow(can);
  if (!can) return;
  Integer cols = TotalColCount();
  auto emptyRow = [&](Integer ARow) {
    for (Integer c = 0; c < cols; ++c) {
      SetGridCell(c, ARow, String());
      SetGridObject(c, ARow, nullptr);
    }
  };
  bool footer = FloatingFooterVisible();
  if (footer) {
    // The footer stays the last row: its texts move down into the new row.
    Integer last = GetRowCount() - 1;
    std::vector<String> kept;
    kept.reserve(static_cast<std::size_t>(cols));
    for (Integer c = 0; c < cols; ++c) kept.push_back(GetGridCell(c, last));
    GrowRowCount();
    emptyRow(last);
    for (Integer c = 0; c < cols; ++c) SetGridCell(c, last + 1, kept[static_cast<std::size_t>(c)]);
  } else {
    GrowRowCount();
    emptyRow(GetRowCount() - 1);
  }
  if (footer || FFixedFooters > 0) SetRowEx(GetRow() + 1);
  if (footer) CalcFooter(-1);
  if (OnAutoAddRow) OnAutoAddRow(this, GetRowCount() - FFixedFooters - 1);
}

// ---------------------------------------------------------------------------------------------
// Dialog code and characters
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::WMGetDlgCode(TMessage& Message) {
  TBaseGrid::WndProc(Message);
  TGridOptions opts = GetOptions();
  if (FNavigation->GetAutoGotoWhenSorted() || !opts.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
  if (opts.Contains(goTabs) && KeyHeld(VK_CONTROL)) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
}

void TNeoStringGrid::WMChar(TMessage& Message) {
  auto c = static_cast<Char>(Message.WParam);
  Integer row = GetRow(), rc = DisplToRealCol(GetCol());
  String text = GetCells(rc, row);
  // The keys of a cell with form controls belong to its controls.
  if (FEnableHTML && DetectCellTextKind(text, true) == ctkHtml && HasControlTags(text)) {
    Message.Result = 1;
    return;
  }
  if (FMouseActions->GetEditOnDblClickOnly()) {
    bool can = true;
    CanEditCell(GetCol(), row, can);
    if (can) SetOptions(GetOptions() + goEditing);
  }
  bool ctrl = KeyHeld(VK_CONTROL);
  // The key-down handler did the clipboard work.
  if (FNavigation->GetAllowClipboardShortCuts() && ctrl && (c == 3 || c == 22 || c == 24)) {
    Message.WParam = 0;
    return;
  }
  if (FMouseActions->GetRangeSelectAndEdit() && !IsControlCell(rc, row) && IsEditable(rc, row) && c != 9 && c != 27 &&
      !ctrl) {
    if (OnKeyPress) {
      Char k = c;
      OnKeyPress(this, k);
    }
    FStartEditChar = c;
    SetOptions(GetOptions() + goEditing);
    Integer col = GetCol();
    if (col < GetLeftCol() || col > GetLeftCol() + GetVisibleColCount() || row < GetTopRow() ||
        row > GetTopRow() + GetVisibleRowCount())
      ScrollInView(col, row, spMiddle);
    if (c != 13) {
      TRect r = CellRect(GetCol(), GetRow());
      MouseDown(mbLeft, TShiftState{}, r.left + 2, r.top + 2);
    }
    TBaseGrid::WndProc(Message);
    return;
  }
  // The numeric keypad's decimal key carries scan code $53, whose bit $40 is bit 22 of the key data.
  if (c == u'.' && FExcelStyleDecimalSeparator && (Message.LParam & (LPARAM{1} << 22)) != 0) {
    c = FormatSettings.DecimalSeparator;
    Message.WParam = c;
  }
  bool handled = false;
  if (IsControlCell(rc, row) && c == 13 && FNavigation->GetAdvanceOnEnter()) {
    handled = true;
    TBaseGrid::WndProc(Message);
  }
  if (GetOptions().Contains(goEditing) && c != 9 && (c == 8 || (c >= 32 && c < 256))) {
    Char k = c;
    if (OnKeyPress) {
      OnKeyPress(this, k);
      c = k;
    }
    FStartEditChar = c;
    if (IsControlCell(rc, row)) return;
    SetEditorMode(true);
    TInplaceEdit* editor = GetInplaceEditor();
    if (c != 0 && GetEditorMode() && editor && editor->HandleAllocated())
      PostMessage(editor->GetHandle(), WM_CHAR, c, Message.LParam);
  } else if (!handled && HandleAllocated() && GetFocus() == GetHandle()) {
    TBaseGrid::WndProc(Message);
  }
}

void TNeoStringGrid::KeyPress(Char& Key) {
  auto fire = [&] {
    if (OnKeyPress) OnKeyPress(this, Key);
  };
  TGridOptions opts = GetOptions();
  if (Key == 27) {
    if (opts.Contains(goEditing) && FEditing) RestoreCellFromCache();
    fire();
    return;
  }
  if (Key == 13 && EnterKeyPress(Key)) return;
  if (!opts.Contains(goEditing) && FNavigation->GetAutoGotoWhenSorted()) IncrementalSearch(Key);
  TBaseGrid::KeyPress(Key);
}

bool TNeoStringGrid::EnterKeyPress(Char& Key) {
  auto fire = [&] {
    if (OnKeyPress) OnKeyPress(this, Key);
  };
  Integer rc = DisplToRealCol(GetCol());
  bool advance = FNavigation->GetAdvanceOnEnter();
  if (!EditorOpen() && !advance && !IsEditable(rc, GetRow())) {
    fire();
    Key = 0;
    return true;
  }
  // A grid of fixed rows only.
  if (GetRowCount() == FFixedRowsMin && advance) {
    fire();
    if (FNavigation->GetAdvanceInsert()) {
      SetRowCount(GetRowCount() + 1);
      ClearRows(GetRowCount() - 1, 1);
    }
    return true;
  }
  bool otherFocus = !HandleAllocated() || GetFocus() != GetHandle();
  if (!otherFocus && !IsControlCell(rc, GetRow())) return false;
  if (otherFocus && CanFocus()) SetFocus();
  Integer oldCol = GetCol();
  bool wasOpen = EditorOpen();
  AdvanceOnEnterKey(GetCol(), GetRow(), false, false, !KeyHeld(VK_SHIFT), false, wasOpen);
  if (advance && !FNavigation->GetAdvanceAutoEdit() && (FNavigation->GetAdvanceOnEnterLoop() || GetCol() != oldCol)) {
    fire();
    Key = 0;
    return true;
  }
  if (IsControlCell(rc, GetRow())) {
    fire();
    if (advance) ShowInplaceEdit();
    return true;
  }
  return false;
}

void TNeoStringGrid::IncrementalSearch(Char Key) {
  if (FNavigation->GetAutoGotoIncremental()) {
    if (Key == 8) {
      if (!FSearchInc.empty()) FSearchInc.pop_back();
    } else {
      FSearchInc += Key;
    }
    FSearchTics = 0;
  } else {
    FSearchInc = String(1, Key);
  }
  Integer r = Search(AnsiUpperCase(FSearchInc));
  if (r == -1)
    FSearchInc.clear();
  else
    SetRowEx(r);
}

// ---------------------------------------------------------------------------------------------
// Key release
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::KeyUp(Word& Key, TShiftState Shift) {
  Word key = Key;
  if ((key >= VK_PRIOR && key <= VK_END) || IsArrowKey(key) || key == VK_INSERT || key == VK_DELETE) FSearchInc.clear();
  TGridRect old = Normalised(GetSelection());
  TBaseGrid::KeyUp(Key, Shift);
  bool editing = GetOptions().Contains(goEditing);
  bool tab = key == VK_TAB;
  Integer row = GetRow(), rc = DisplToRealCol(GetCol());
  if (FNavigation->GetAlwaysEdit()) {
    bool can = true;
    CanEditCell(rc, row, can);
    if ((IsArrowKey(key) || (tab && GetOptions().Contains(goTabs))) && !IsControlCell(rc, row) && can)
      ShowInplaceEdit();
  }
  TGridRect sel = GetSelection();
  if (!(sel == FMoveSelection) && (tab || IsArrowKey(key))) SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
  if (!FMouseActions->GetDisjunctCellSelect() || editing) return;
  if (Shift.Contains(ssShift)) {
    // The keyboard extended the selection: the disjunct cells follow the new rectangle. The
    // selection has moved before the key comes up, so the rectangle from before the key goes too.
    for (const TGridRect& r : {old, Normalised(FKeyDownSelection)})
      for (Integer c = r.Left; c <= r.Right; ++c)
        for (Integer row = r.Top; row <= r.Bottom; ++row) SetSelectedCells(c, row, false);
    AddSelectionToCells(TGridCoord{GetCol(), GetRow()});
  }
  if (key == VK_SPACE) ToggleDisjunctCell(Shift.Contains(ssCtrl));
}

// Every cell of the normalised selection except Skip joins the disjunct cells.
void TNeoStringGrid::AddSelectionToCells(TGridCoord Skip) {
  TGridRect s = Normalised(GetSelection());
  for (Integer c = s.Left; c <= s.Right; ++c)
    for (Integer r = s.Top; r <= s.Bottom; ++r)
      if (!(TGridCoord{c, r} == Skip)) SetSelectedCells(c, r, true);
}

void TNeoStringGrid::ToggleDisjunctCell(bool Ctrl) {
  TPoint base = BaseCell(DisplToRealCol(GetCol()), GetRow());
  Integer bc = RealToDisplCol(base.x), br = base.y;
  if (IsFixed(bc, br)) return;
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, bc, br, can);
  if (!can) return;
  if (Ctrl) {
    SetSelectedCells(bc, br, !FSelectedCells.Has(bc, br));
  } else {
    for (Integer i = 0; i < FSelectedCells.Count(); ++i) RepaintCell(FSelectedCells.Item(i).X, FSelectedCells.Item(i).Y);
    FSelectedCells.Clear();
    SetSelectedCells(bc, br, true);
  }
  TGridRect s = Normalised(GetSelection());
  if (s.Left != s.Right || s.Top != s.Bottom) {
    AddSelectionToCells(TGridCoord{bc, br});
    for (Integer i = 0; i < FSelectedCells.Count(); ++i) RepaintCell(FSelectedCells.Item(i).X, FSelectedCells.Item(i).Y);
  }
  RepaintCell(GetCol(), GetRow());
}

void TNeoStringGrid::WMKeyUp(TMessage& Message) {
  auto key = static_cast<Word>(Message.WParam);
  TBaseGrid::WndProc(Message);
  if (!FMouseActions->GetRangeSelectAndEdit() || GetOptions().Contains(goEditing)) return;
  if ((key == VK_RETURN || key == VK_F2) && IsEditable(DisplToRealCol(GetCol()), GetRow())) {
    SetOptions(GetOptions() + goEditing);
    ShowInplaceEdit();
  }
}

// ---------------------------------------------------------------------------------------------
// Key down: the window procedure's handler
// ---------------------------------------------------------------------------------------------
// The state of one key-down message while its steps run.
struct TNeoStringGrid::TKeyDownState {
  TMessage& Message;
  Word Key;
  TShiftState Shift;
  Integer OldCol;
  Integer OldRow;
  Integer OldRealCol;
  Integer OldLeft;
  bool KeepLeft;
  // Tab advanced as after an edit: the platform does not move again.
  bool Advanced = false;
  // Fires OnKeyDown, then the key becomes 0 and the message's result 1.
  void Handled(TNeoStringGrid* Grid) {
    Grid->FireKeyDown(Key, Shift);
    Key = 0;
    Message.WParam = 0;
    Message.Result = 1;
  }
};

void TNeoStringGrid::FireKeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TNeoStringGrid::NotifyKeySelection() {
  TGridRect s = GetSelection();
  if (s == FMoveSelection) return;
  if (!FMouseActions->GetDisjunctRowSelect()) SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
  FMoveSelection = s;
}

void TNeoStringGrid::WMKeyDown(TMessage& Message) {
  TGridOptions opts = GetOptions();
  TKeyDownState k{Message, static_cast<Word>(Message.WParam), KeyboardShift(), GetCol(), GetRow(),
                  DisplToRealCol(GetCol()), GetLeftCol(), false, false};
  FMoveSelection = GetSelection();
  FKeyDownSelection = FMoveSelection;
  bool verticalKey = k.Key == VK_PRIOR || k.Key == VK_NEXT || k.Key == VK_UP || k.Key == VK_DOWN;
  k.KeepLeft = verticalKey && opts.Contains(goRowSelect) && GetLeftCol() != FirstNormalCol() &&
               FNavigation->GetKeepHorizScroll();
  if (FNavigation->GetMoveScrollOnly() && ScrollOnlyKey(k.Key)) {
    Message.Result = 1;
    return;
  }
  if (EnterOrF2Rules(k)) return;
  ControlCellKey(k);
  if (HomeEndMove(k)) return;
  if (NodeRowKey(k) || RowSelectScrollKey(k)) return;
  TabOrSkipKey(k);
  if (k.Key == VK_DOWN && FNavigation->GetAppendOnArrowDown() && IsLastDataRow()) AutoAppendRow();
  if (FSelectionRectangle) {
    TGridRect s = GetSelection();
    if (!(s == FMoveSelection)) {
      RepaintRect(TRect{FMoveSelection.Left, FMoveSelection.Top, FMoveSelection.Right, FMoveSelection.Bottom});
      RepaintRect(TRect{s.Left, s.Top, s.Right, s.Bottom});
      FMoveSelection = s;
    }
  }
  if (!PassKeyDownOn(k)) return;
  KeyCommands(k);
  NotifyKeySelection();
}

// MoveScrollOnly: the view moves, the current cell stays.
bool TNeoStringGrid::ScrollOnlyKey(Word Key) {
  Integer top = GetTopRow(), rows = GetVisibleRowCount(), fixed = GetFixedRows(), count = GetRowCount();
  switch (Key) {
    case VK_PRIOR: SetTopRow(top > rows + fixed ? top - rows : fixed); break;
    case VK_NEXT:
      if (top + rows < count) SetTopRow(std::min(top + rows, std::max(fixed, count - rows)));
      break;
    case VK_END: SetTopRow(std::max(fixed, count - rows)); break;
    case VK_HOME: SetTopRow(fixed); break;
    case VK_UP:
      if (top > fixed) SetTopRow(top - 1);
      break;
    case VK_DOWN:
      if (top + rows < count) SetTopRow(top + 1);
      break;
    default: return false;
  }
  return true;
}

// Steps of Enter and F2 before any move; true ends the handler.
bool TNeoStringGrid::EnterOrF2Rules(TKeyDownState& K) {
  bool enterOrF2 = K.Key == VK_RETURN || K.Key == VK_F2;
  Integer row = K.OldRow, rc = K.OldRealCol;
  if (enterOrF2 && FMouseActions->GetEditOnDblClickOnly() && !GetOptions().Contains(goEditing)) {
    // Judged as with RangeSelectAndEdit on.
    bool range = FMouseActions->GetRangeSelectAndEdit();
    FMouseActions->SetRangeSelectAndEdit(true);
    bool editable = IsEditable(rc, row);
    FMouseActions->SetRangeSelectAndEdit(range);
    if (editable) SetOptions(GetOptions() + goEditing);
  }
  bool editing = GetOptions().Contains(goEditing);
  if (enterOrF2 && FMouseActions->GetRangeSelectAndEdit() && !editing && !IsEditable(rc, row)) {
    K.Handled(this);
    return true;
  }
  if (K.Key == 'F' && K.Shift.Contains(ssCtrl) && FSearchFooter->GetVisible()) FocusSearchEdit();
  if (enterOrF2 && editing) {
    if (!IsEditable(rc, row)) {
      K.Handled(this);
      return true;
    }
    if (HasControlTags(GetCells(rc, row))) {
      K.Message.Result = 1;
      return true;
    }
  }
  if (K.Key == VK_RETURN && !IsEditable(rc, row)) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->GetKeyPreview())
      TBaseGrid::WndProc(K.Message);
    else
      K.Handled(this);
    return true;
  }
  return false;
}

void TNeoStringGrid::FocusSearchEdit() {
  if (!FSearchPanel) return;
  for (Integer i = 0; i < FSearchPanel->GetControlCount(); ++i) {
    auto* edit = dynamic_cast<TCustomEdit*>(FSearchPanel->GetControls(i));
    if (edit && edit->CanFocus()) {
      edit->SetFocus();
      return;
    }
  }
}

// Moves the current cell as a key does (the cell-selection query asked, the cell scrolled into
// view); nothing for a cell outside the grid.
void TNeoStringGrid::MoveByKey(Integer ACol, Integer ARow) {
  if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount()) return;
  TCustomGrid::FocusCell(ACol, ARow, true);
}

// Enter or Space on a check box, radio group, radio button or button cell.
void TNeoStringGrid::ControlCellKey(TKeyDownState& K) {
  Integer row = GetRow(), rc = DisplToRealCol(GetCol());
  if ((K.Key != VK_RETURN && K.Key != VK_SPACE) || !IsControlCell(rc, row)) return;
  bool can = GetOptions().Contains(goEditing) || FMouseActions->GetRangeSelectAndEdit();
  CanEditCell(rc, row, can);
  bool space = K.Key == VK_SPACE;
  Integer realRow = DisplToRealRow(row);
  if (space && CellHasCheckBox(rc, row) && (can || CheckAlwaysActive())) {
    ToggleCellCheck(rc, row, true);
    if (ShowModifiedEnabled()) {
      SetRowModified(realRow, true);
      RepaintCell(0, row);
    }
    bool state = false;
    GetCheckBoxState(rc, realRow, state);
    DoCheckBoxClick(rc, row, state);
  } else if (space && IsRadio(rc, row) && (can || RadioAlwaysActive())) {
    CycleRadioGroup(rc, row, true);
    TStrings* items = nullptr;
    bool horizontal = false;
    Integer* index = nullptr;
    Integer idx = GetRadioGroup(rc, row, items, horizontal, index) && index ? *index : -1;
    if (OnRadioClick) OnRadioClick(this, rc, row, idx);
  } else if (space && GetCellType(rc, row) == ctRadioButton && (can || RadioAlwaysActive())) {
    if (HasRadioButtonGroup(rc, row, rgRow))
      SetRadioButtonRowIndex(row, rc);
    else
      SetRadioButtonColumnIndex(rc, row);
    if (OnRadioButtonClick) OnRadioButtonClick(this, rc, row);
  } else if (IsButtonCell(GetCellType(rc, row)) && can) {
    DoButtonClick(rc, row);
  }
  RepaintCell(GetCol(), row);
}

// Home and End by Navigation.HomeEndKey; true when the key was dealt with.
bool TNeoStringGrid::HomeEndMove(TKeyDownState& K) {
  if (K.Key != VK_HOME && K.Key != VK_END) return false;
  THomeEndAction how = FNavigation->GetHomeEndKey();
  bool ctrl = K.Shift.Contains(ssCtrl), shift = K.Shift.Contains(ssShift);
  bool rowSelect = GetOptions().Contains(goRowSelect);
  Integer col = GetCol(), row = GetRow();
  // With FixedRowAlways and a single row the platform moves the row.
  auto rowMove = [&](Integer ARow) {
    if (FFixedRowAlways && GetRowCount() == 1) {
      TBaseGrid::WndProc(K.Message);
      return;
    }
    RowChangeByKey(K, ARow);
  };
  if (K.Key == VK_HOME) {
    if (how == heFirstLastCell && !ctrl) {
      MoveByKey(GetFixedCols(), GetFixedRows());
    } else if (how == heFirstLastRow && !ctrl) {
      rowMove(GetFixedRows());
    } else if (how == heFirstLastColumn && ctrl) {
      Integer r = GetFixedRows();
      MoveByKey(std::max(FirstCellInRow(r), GetFixedCols()), r);
      SetLeftCol(FirstNormalCol());
    } else if (how == heFirstLastColumn && !rowSelect) {
      if (shift) {
        SetSelection(TGridRect{FirstNormalCol(), row, col, row});
      } else {
        MoveByKey(std::max(FirstCellInRow(row), GetFixedCols()), row);
        SetLeftCol(FirstNormalCol());
      }
    } else {
      return false;
    }
  } else {
    if (how == heFirstLastCell && !ctrl && !shift) {
      MoveByKey(GetColCount() - 1, GetRowCount() - 1);
    } else if ((how == heFirstLastRow || rowSelect || FMouseActions->GetDisjunctRowSelect()) && !ctrl) {
      rowMove(GotoLastVisibleRow());
      if ((FFixedFooters > 0 && !FloatingFooterVisible()) || FloatingFooterVisible())
        SetTopRow(GetRowCount() - GetVisibleRowCount());
    } else if (how == heFirstLastColumn && !ctrl && !rowSelect) {
      if (shift) {
        SetSelection(TGridRect{col, row, GetColCount() - FFixedRightCols - 1, row});
      } else {
        MoveByKey(GotoLastVisibleCol(), row);
        SetLeftCol(GetColCount() - GetVisibleColCount());
      }
    } else {
      return false;
    }
  }
  MoveToBaseCell();
  FireKeyDown(K.Key, K.Shift);
  K.Message.Result = 0;
  if (K.KeepLeft) SetLeftCol(K.OldLeft);
  NotifyKeySelection();
  return true;
}

// The row change of Home and End, with the disjunct row selection following.
void TNeoStringGrid::RowChangeByKey(TKeyDownState& K, Integer ARow) {
  MoveByKey(GetCol(), ARow);
  MoveToBaseCell();
  bool disjunct = FMouseActions->GetDisjunctRowSelect();
  if (K.Shift.Contains(ssShift))
    SetSelection(TGridRect{0, std::min(K.OldRow, GetRow()), GetColCount() - 1, std::max(K.OldRow, GetRow())});
  else if (disjunct)
    ResetRowSelect();
  if (!disjunct) return;
  FDisSelection.Top = -1;   // copy even when the top row did not change
  SelectionToRowSelect(false);
}

// Right expands, Left contracts a node row spanning all normal columns.
bool TNeoStringGrid::NodeRowKey(TKeyDownState& K) {
  if (K.Key != VK_LEFT && K.Key != VK_RIGHT) return false;
  Integer row = GetRow(), rc = DisplToRealCol(GetCol());
  if (!IsNode(row) || CellSpan(rc, row).x + 1 < GetColCount() - FirstNormalCol()) return false;
  if (K.Key == VK_RIGHT) {
    FireKeyDown(K.Key, K.Shift);
    ExpandNode(DisplToRealRow(row));
  } else {
    ContractNode(DisplToRealRow(row));
  }
  K.Message.Result = 0;
  return true;
}

// Left and Right in row-select mode scroll the columns.
bool TNeoStringGrid::RowSelectScrollKey(TKeyDownState& K) {
  if ((K.Key != VK_LEFT && K.Key != VK_RIGHT) || !GetOptions().Contains(goRowSelect) || IsNode(GetRow())) return false;
  if (GetVisibleColCount() >= GetColCount() - GetFixedCols()) return false;
  auto scroll = [&] {
    if (K.Key == VK_LEFT) {
      if (GetLeftCol() > GetFixedCols()) SetLeftCol(GetLeftCol() - 1);
    } else if (GetLeftCol() + GetVisibleColCount() < GetColCount()) {
      SetLeftCol(GetLeftCol() + 1);
    }
  };
  if (FNavigation->GetLeftRightRowSelect()) {
    if (K.Shift.Contains(ssCtrl)) scroll();
    return false;
  }
  scroll();
  FireKeyDown(K.Key, K.Shift);
  K.Message.Result = 0;
  return true;
}

// Tab with goTabs advances as after an edit; arrows step over the cells navigation skips.
void TNeoStringGrid::TabOrSkipKey(TKeyDownState& K) {
  if (K.Key == VK_TAB && !K.Shift.Contains(ssCtrl) && GetOptions().Contains(goTabs)) {
    TGridRect before = GetSelection();
    AdvanceAfterEdit(K.Shift.Contains(ssShift));
    TGridRect s = GetSelection();
    if (!(s == before)) SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    K.Advanced = true;
    return;
  }
  if (!(FNavigation->GetSkipFixedCells() || FNavigation->GetSkipReadOnly()) || !IsArrowKey(K.Key)) return;
  bool mirrored = UseRightToLeftAlignment();
  Integer dc = 0, dr = 0;
  switch (K.Key) {
    case VK_LEFT: dc = mirrored ? 1 : -1; break;
    case VK_RIGHT: dc = mirrored ? -1 : 1; break;
    case VK_UP: dr = -1; break;
    default: dr = 1; break;
  }
  Integer firstCol = GetFixedCols(), lastCol = GetColCount() - FFixedRightCols - 1;
  Integer firstRow = GetFixedRows(), lastRow = GetRowCount() - FFixedFooters - 1;
  auto inside = [&](Integer c, Integer r) { return c >= firstCol && c <= lastCol && r >= firstRow && r <= lastRow; };
  Integer c = GetCol() + dc, r = GetRow() + dr;
  if (!inside(c, r) || !MustSkip(c, r)) return;
  Word key = K.Key;
  FireKeyDown(key, K.Shift);
  if (key == K.Key) {
    while (inside(c, r) && MustSkip(c, r)) {
      c += dc;
      r += dr;
    }
    if (inside(c, r)) MoveByKey(c, r);
  }
  K.Key = 0;
  K.Message.WParam = 0;
}

// The platform's key handling (which calls KeyDown), inside the updates that keep the view of
// the search footer and KeepHorizScroll; false when the handler ends before it.
bool TNeoStringGrid::PassKeyDownOn(TKeyDownState& K) {
  bool search = FSearchFooter->GetVisible() && GetTopRow() >= GetRowCount() - GetVisibleRowCount();
  bool lastRow = GetRow() == GetRowCount() - 1;
  auto onLastRowKey = [](Word Key) {
    return Key == VK_NEXT || Key == VK_END || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DOWN;
  };
  bool update = false, restoreTop = false;
  Integer top = GetTopRow();
  if (search && lastRow) {
    if (K.Key == VK_DOWN || (K.Key == VK_RIGHT && GetCol() == GetColCount() - 1) ||
        (K.Key == VK_LEFT && GetCol() == FirstNormalCol())) {
      FireKeyDown(K.Key, K.Shift);
      K.Message.Result = 1;
      return false;
    }
    update = onLastRowKey(K.Key);
  }
  if (search && !update && !IsNavigationKey(K.Key) && K.Key != VK_SHIFT && K.Key != VK_MENU) {
    update = true;
    restoreTop = true;
  }
  if (update) BeginUpdate();
  if (K.KeepLeft) BeginUpdate();
  if (!K.Advanced) TBaseGrid::WndProc(K.Message);
  if (update) {
    if (restoreTop) SetTopRow(top);
    EndUpdate();
  }
  if (FSearchFooter->GetVisible() && GetRow() == GetRowCount() - 1 && onLastRowKey(K.Key)) {
    // Scroll until the current cell clears the search panel.
    Integer bottom = GetClientRect().bottom;
    for (;;) {
      TRect r = CellRect(GetCol(), GetRow());
      Integer before = GetTopRow();
      if (r.bottom <= bottom) break;
      SetTopRow(before + 1);
      if (GetTopRow() == before) break;
    }
  }
  if (K.KeepLeft) {
    SetLeftCol(K.OldLeft);
    EndUpdate();
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Key down: the commands
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::KeyCommands(TKeyDownState& K) {
  auto key = static_cast<Word>(K.Message.WParam);
  bool ctrl = K.Shift.Contains(ssCtrl), shift = K.Shift.Contains(ssShift), alt = K.Shift.Contains(ssAlt);
  TGridOptions opts = GetOptions();
  if (FNavigation->GetAllowClipboardShortCuts()) {
    if ((ctrl && key == 'X') || (shift && key == VK_DELETE)) ClipboardKey(OnClipboardCut, &TNeoStringGrid::CutSelectionToClipboard, &OnClipboardCutDone);
    if ((ctrl && key == 'V') || (shift && key == VK_INSERT)) ClipboardKey(OnClipboardPaste, &TNeoStringGrid::PasteSelectionFromClipboard, nullptr);
    if (ctrl && (key == 'C' || key == VK_INSERT)) ClipboardKey(OnClipboardCopy, &TNeoStringGrid::CopySelectionToClipboard, &OnClipboardCopyDone);
  }
  if (key == VK_INSERT && FNavigation->GetAllowInsertRow() && !ctrl && !shift && !alt) InsertRowByKey();
  if (ctrl && key == 'A' && (opts.Contains(goRowSelect) || opts.Contains(goRangeSelect))) SelectAllByKey();
  bool disjunctRows = FMouseActions->GetDisjunctRowSelect(), disjunctCols = FMouseActions->GetDisjunctColSelect();
  if (IsNavigationKey(key) && (disjunctRows || disjunctCols)) DisjunctNavigation(shift, ctrl);
  if (key == VK_SPACE) {
    if (disjunctRows) {
      Integer index = KeyRowIndex();
      SetRowSelect(index, !GetRowSelect(index));
    }
    if (disjunctCols) SetColSelect(GetCol(), !GetColSelect(GetCol()));
  }
  if (key == VK_DELETE && !alt && FNavigation->GetAllowDeleteCells()) {
    TGridRect s = Normalised(GetSelection());
    ClearRect(s.Left, s.Top, s.Right, s.Bottom);
  }
  if (key == VK_DELETE && !alt && FNavigation->GetAllowDeleteRow() && GetRowCount() > GetFixedRows() + FFixedFooters)
    DeleteRowByKey();
  if (key == VK_TAB && opts.Contains(goTabs) && FFixedRightCols > 0 && !shift) TabWrap(K);
  if (key == VK_RETURN || key == VK_F2) {
    StoreOldCellValue(GetCol(), GetRow());
    Integer rc = DisplToRealCol(GetCol());
    if (HasHtmlControls(GetCells(rc, GetRow()))) FocusNextFormControl(rc, GetRow(), String());
    if (key == VK_F2) EmptyFooterHook();
  }
}

Integer TNeoStringGrid::KeyRowIndex() {
  bool real = FMouseActions->GetDisjunctRowSelect() && FMouseActions->GetRowSelectPersistent();
  return real ? DisplToRealRow(GetRow()) : GetRow();
}

void TNeoStringGrid::ClipboardKey(const TClipboardEvent& Ask, void (TNeoStringGrid::*Action)(),
                                  const TCellRectEvent* Done) {
  bool allow = true;
  if (Ask) Ask(this, GetCells(DisplToRealCol(GetCol()), GetRow()), allow);
  if (!allow) return;
  (this->*Action)();
  if (Done && *Done) (*Done)(this, GetSelection());
}

void TNeoStringGrid::InsertRowByKey() {
  bool can = true;
  DoCanInsertRow(GetRow(), can);
  if (!can) return;
  // Rows hidden by filtering come back while the row goes in (no filter exists yet).
  Integer realRow = DisplToRealRow(GetRow());
  SetRowEx(realRow);
  Integer at = realRow, select = GetRow();
  if (FNavigation->GetInsertPosition() == pInsertAfter) {
    if (FFixedRowAlways && GetRowCount() == GetFixedRows()) {
      select = 1;
    } else {
      at = realRow + 1;
      if (select + 1 < GetRowCount()) ++select;
    }
  }
  DoAutoInsertRow(at);
  if (OnAutoInsertRow) OnAutoInsertRow(this, at);
  FModified = true;
  SetRowEx(std::min(select, GetRowCount() - 1));
  CalcFooter(-1);
}

void TNeoStringGrid::DeleteRowByKey() {
  Integer realRow = DisplToRealRow(GetRow());
  bool can = true;
  if (OnCanDeleteRow) OnCanDeleteRow(this, realRow, can);
  if (!can) return;
  ClearRows(realRow, 1);
  DoAutoDeleteRow(realRow);
  if (FloatingFooterVisible() && GetRow() == GetRowCount() - 1) SetRowEx(GetRowCount() - 2);
  StoreOldCellValue(GetCol(), GetRow());
  FModified = true;
  CalcFooter(-1);
}

void TNeoStringGrid::SelectAllByKey() {
  TGridRect r{FirstNormalCol(), GetFixedRows(), GetColCount() - FFixedRightCols - 1, GetRowCount() - FFixedFooters - 1};
  if (FMouseActions->GetDisjunctRowSelect()) {
    for (Integer row = r.Top; row <= r.Bottom; ++row) SetRowSelect(row, true);
  } else if (FMouseActions->GetDisjunctCellSelect()) {
    for (Integer c = r.Left; c <= r.Right; ++c)
      for (Integer row = r.Top; row <= r.Bottom; ++row) SetSelectedCells(c, row, true);
  } else {
    TFlagScope block(FBlockSelChange, true);
    SelectAllKeyHook(r);
    SetSelection(r);
    TCustomGrid::FocusCell(r.Right, r.Bottom, false);
    if (!FIsDBVersion) {
      SimulateCellClick(r.Right, r.Bottom, true);
      TCustomGrid::FocusCell(r.Right, r.Bottom, false);
      SetSelection(r);
    }
  }
  TGridRect s = GetSelection();
  SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
}

void TNeoStringGrid::DisjunctNavigation(bool Shift, bool Ctrl) {
  TGridRect s = Normalised(GetSelection());
  if (FMouseActions->GetDisjunctRowSelect()) {
    TFlagScope block(FBlockSelChange, true);
    bool persistent = FMouseActions->GetRowSelectPersistent();
    if (!Shift && !Ctrl) {
      ResetRowSelect();
    } else if (Shift) {
      ResetRowSelect();
      for (Integer r = s.Top; r <= s.Bottom; ++r) SetRowSelect(persistent ? DisplToRealRow(r) : r, true);
    } else {
      SetRowSelect(KeyRowIndex(), true);
    }
    if (OnSelectionChanged) OnSelectionChanged(this, s.Left, s.Top, s.Right, s.Bottom);
  }
  if (FMouseActions->GetDisjunctColSelect()) {
    if (!Shift && !Ctrl)
      ClearColSelect();
    else if (Shift)
      SelectionToColSelect(true);
    else
      SetColSelect(GetCol(), true);
  }
}

// Tab at the last column before the fixed right columns goes on at the first normal column of
// the next row (the first data row after the last).
void TNeoStringGrid::TabWrap(TKeyDownState& K) {
  if (K.OldRealCol != TotalColCount() - FFixedRightCols - 1) return;
  Integer lastData = GetRowCount() - FFixedFooters - 1;
  Integer row = K.OldRow == lastData ? GetFixedRows() : std::min(K.OldRow + 1, GetRowCount() - 1);
  MoveByKey(FirstNormalCol(), row);
}

// ---------------------------------------------------------------------------------------------
// The override of the platform's navigation
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::KeyDown(Word& Key, TShiftState Shift) {
  Word key = Key;
  bool plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  bool rowSelect = GetOptions().Contains(goRowSelect);
  THomeEndAction how = FNavigation->GetHomeEndKey();
  // The cell the key goes to where this grid decides it (-1: as the platform moves).
  Integer targetCol = -1, targetRow = -1;
  if (plain) {
    bool forward = !UseRightToLeftAlignment();
    switch (key) {
      case VK_END:
      case VK_HOME: {
        bool end = key == VK_END;
        if (how == heFirstLastRow) {
          targetRow = end ? GotoLastVisibleRow() : GotoFirstVisibleRow();
          targetCol = GetCol();
        } else if (how == heFirstLastColumn) {
          targetRow = GetRow();
          targetCol = end ? GotoLastVisibleCol() : GotoFirstVisibleCol();
        }
        break;
      }
      case VK_LEFT: targetCol = NextVisibleCol(GetCol() + (forward ? -1 : 1)); break;
      case VK_RIGHT: targetCol = NextVisibleCol(GetCol() + (forward ? 1 : -1)); break;
      case VK_UP:
      case VK_DOWN: {
        Integer r = NextVisibleRow(GetRow() + (key == VK_DOWN ? 1 : -1));
        targetRow = r < 0 ? GetRow() : r;
        break;
      }
      default: break;
    }
  }
  FLastKeyCell = TGridCoord{GetCol(), GetRow()};
  if (FSearchFooter->GetVisible() && GetRow() == GetRowCount() - 1 &&
      (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU)) {
    Key = 0;
    return;
  }
  TBaseGrid::KeyDown(Key, Shift);
  // Columns of zero width, rows of zero height and merged blocks are stepped over (in row-select
  // mode the current column stays, as the platform keeps it).
  if (plain && !rowSelect && targetCol >= 0 && targetCol != GetCol()) SetCol(targetCol);
  if (plain && targetRow >= 1 && targetRow != GetRow() && targetRow <= GetRowCount() - 2) SetRowEx(targetRow);
  if (FNavigation->GetCursorMoveRows() && Shift.Contains(ssCtrl)) MoveRowsByKey(key);
  if (plain && FNavigation->GetCursorAdvance() != caDefault) CursorAdvanceByKey(key);
  if (FNavigation->GetSkipDisabledRows() && FUseEnabledRows && (key == VK_UP || key == VK_DOWN) &&
      GetRow() == FLastKeyCell.Y)
    SkipDisabledRow(key == VK_DOWN);
  SyncPartner(true);
  SyncPartner(false);
}

// Ctrl+Down and Ctrl+Up move the selected row or block of rows by one.
void TNeoStringGrid::MoveRowsByKey(Word Key) {
  TGridRect s = Normalised(GetSelection());
  Integer count = s.Bottom - s.Top + 1;
  Integer step;
  if (Key == VK_DOWN && s.Bottom < GetRowCount() - 1)
    step = 1;
  else if (Key == VK_UP && s.Top > GetFixedRows())
    step = -1;
  else
    return;
  if (count == 1) {
    MoveRow(s.Top, s.Top + step);
    SetRowEx(s.Top + step);
  } else {
    MoveRows(s.Top, s.Top + step, count);
    SetSelection(TGridRect{GetFixedCols(), s.Top + step, GetColCount() - 1, s.Bottom + step});
  }
}

// caSnake and caLoop: an arrow at an edge of the normal cells goes on at the opposite edge.
void TNeoStringGrid::CursorAdvanceByKey(Word Key) {
  bool snake = FNavigation->GetCursorAdvance() == caSnake;
  Integer c = FLastKeyCell.X, r = FLastKeyCell.Y;
  Integer firstCol = GetFixedCols(), lastCol = GetColCount() - FFixedRightCols - 1;
  Integer firstRow = GetFixedRows(), lastRow = GetRowCount() - FFixedFooters - 1;
  switch (Key) {
    case VK_LEFT:
      if (c != firstCol) return;
      c = lastCol;
      if (snake) r = std::max(r - 1, firstRow);
      break;
    case VK_UP:
      if (r != firstRow) return;
      r = lastRow;
      if (snake) c = std::max(c - 1, firstCol);
      break;
    case VK_RIGHT:
      if (c != lastCol) return;
      c = firstCol;
      if (snake) r = std::min(r + 1, lastRow);
      break;
    case VK_DOWN:
      if (r != lastRow) return;
      r = firstRow;
      if (snake) c = std::min(c + 1, lastCol);
      break;
    default: return;
  }
  MoveByKey(c, r);
}

void TNeoStringGrid::SkipDisabledRow(bool Down) {
  if (Down) {
    for (Integer r = GetRow() + 1; r < GetRowCount(); ++r)
      if (GetRowEnabled(r)) {
        SetRowEx(r);
        return;
      }
  } else {
    for (Integer r = GetRow() - 1; r >= GetFixedRows(); --r)
      if (GetRowEnabled(r)) {
        SetRowEx(r);
        return;
      }
  }
}

// ---------------------------------------------------------------------------------------------
// Form controls of markup cells
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::FocusNextFormControl(Integer ACol, Integer ARow, const String& CurrentID) {
  String text = GetCells(ACol, ARow), next;
  NextHtmlEditControlId(text, CurrentID, next);
  if (next.empty()) {
    if (CanFocus()) SetFocus();
    return;
  }
  Integer col = RealToDisplCol(ACol);
  TRect r = CellRect(col, ARow);
  r.left += FXYOffset.x + 1;
  r.top += FXYOffset.y + 1;
  if (CellHasCheckBox(ACol, ARow)) r.left += static_cast<Integer>(Round(ControlCheckSize() * FDPIScale));
  // Laid out without drawing, the engine reports where control Next lies.
  TCanvas* canvas = GetCanvas();
  canvas->GetFont()->Assign(GetCellFont(ACol, ARow));
  THtmlDrawParams hp;
  hp.ACanvas = canvas;
  hp.AText = text;
  hp.ARect = r;
  hp.AImages = FGridImages;
  hp.ACheckHotSpot = true;
  hp.AControlID = next;
  hp.AResFactor = FDPIScale;
  hp.AURLColor = FURLColor;
  hp.AWinHandle = GetHandle();
  DrawHtmlText(hp);
  StartCellControlEdit(text, hp.AControlType, ARow, ACol, col, hp.AControlRect, hp.AControlValue, next);
}
