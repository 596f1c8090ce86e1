// TNeoStringGrid: the window procedure's order of work (the registered messages through which
// editors report back, the combo editor's notifications, the live copy of edited text, theme
// changes, the border, reflection to child controls, a synchronised row) and the two timers: the
// base grid's selection auto-scroll and the grid's own 500 ms timer (incremental search reset,
// hover selection, blinking text).
#include <algorithm>

#include "lib/base/NeoThemeNotifier.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysInfo.h"
#include "platform/win/WinUser.h"

namespace {

constexpr UINT_PTR GridTimerId = 111;
constexpr UINT_PTR BaseMoveTimerId = 1;
constexpr UINT OfficeThemeMessage = 2993;

}  // namespace

// ---------------------------------------------------------------------------------------------
// The window procedure
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::WndProc(TMessage& Message) {
  if (Message.Msg == WM_DESTROY) {
    if (!IsLibrary && !FDesignTime && FAutoThemeAdapt) ThemeNotifierInstance(this)->UnRegisterWindow(GetHandle());
    KillTimer(GetHandle(), GridTimerId);
    if (FFocusHelper->GetEnabled()) HideFocusWindow();
  }
  if (GetComponentState().Contains(csDestroying)) {
    TBaseGrid::WndProc(Message);
    return;
  }
  Integer oldRow = GetRow();
  if (HandleRegisteredMessage(Message)) return;
  // Before the switch: a press or key that stops panning goes on to its own case.
  if (WheelWndProc(Message)) {
    if (GetRow() != oldRow) SyncPartner(false);
    return;
  }
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(Message); return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_STYLECHANGED: CMStyleChanged(Message); return;
    case CM_HINTSHOW: CMHintShow(Message); return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case CM_CURSORCHANGED: CMCursorChanged(Message); return;
    case WM_CANCELMODE:
      if ((FGridState == gsRowMoving || FGridState == gsColMoving) && FEnhRowColMove) {
        Screen->SetCursor(crDefault);
        KillTimer(GetHandle(), BaseMoveTimerId);
        FGridState = gsNormal;
      }
      break;
    case WM_SIZE:
    case WM_LBUTTONUP:
    case CM_UIACTIVATE:
      if (!FDesignTime) {
        UpdateProportionalVertScroll();
        UpdateProportionalHorzScroll();
      }
      if (Message.Msg == WM_LBUTTONUP) {
        WMLButtonUp(Message);
        return;
      }
      break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); return;
    case WM_RBUTTONUP: WMRButtonUp(Message); return;
    case WM_THEMECHANGED:
    case OfficeThemeMessage:
      if (FAutoThemeAdapt) ApplyOfficeTheme();
      break;
    case WM_NCPAINT:
      TBaseGrid::WndProc(Message);
      if (!IsUpdating()) {
        PaintBorder();
        Message.Result = 0;
      }
      return;
    case WM_COMMAND:
      if (HandleEditChange(Message)) return;
      break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case WM_KEYDOWN: WMKeyDown(Message); return;
    case WM_KEYUP: WMKeyUp(Message); return;
    default:
      break;
  }
  // Notifications and scroll messages of child controls go back to them too.
  bool fromChild = Message.LParam != 0 && reinterpret_cast<HWND>(Message.LParam) != GetHandle();
  if (fromChild && (Message.Msg == WM_COMMAND || Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL))
    SendMessage(reinterpret_cast<HWND>(Message.LParam), Message.Msg, Message.WParam, Message.LParam);
  if (Message.Msg == WM_COMMAND) HandleComboNotification(Message);
  TBaseGrid::WndProc(Message);
  if (GetRow() != oldRow) SyncPartner(false);
}

bool TNeoStringGrid::HandleRegisteredMessage(TMessage& Message) {
  const TNeoGridShared& shared = NeoGridShared();
  if (Message.Msg == 0) return false;
  auto col = static_cast<Integer>(Message.WParam), row = static_cast<Integer>(Message.LParam);
  if (Message.Msg == shared.EditShow) {
    ShowInplaceEdit();
  } else if (Message.Msg == shared.EditDone) {
    if (OnEditCellDone) OnEditCellDone(this, col, row);
    if (FMouseActions->GetEditOnDblClickOnly()) {
      HideInplaceEdit();
      FEditMode = false;
      TGridOptions o = GetOptions();
      o.Exclude(goEditing);
      SetOptions(o);
    }
    if (!EditorOpen() && FFocusHelper->GetEnabled()) HideFocusWindow();
  } else if (Message.Msg == shared.EditInvalid) {
    // Back to the cell whose entry was refused, with the refused text selected in the editor.
    FocusCell(col, row);
    SetCells(DisplToRealCol(col), row, FInvalidCache);
    ShowInplaceEdit();
    ValidateCell(FInvalidCache);
    if (TInplaceEdit* editor = GetInplaceEditor()) {
      editor->SetText(FInvalidCache);
      editor->SelectAll();
    }
    FInvalidSel = false;
  } else if (Message.Msg == shared.FilterEditUpdate) {
    // The filter row applies its pending filter here once filtering exists.
  } else {
    return false;
  }
  return true;
}

bool TNeoStringGrid::EditorOpen() const { return FEditMode || GetEditorMode(); }

// EN_CHANGE of a child edit: the edit hears of it again; with ShowEditProcess the edited text
// shows in the cell at once and the message ends here.
bool TNeoStringGrid::HandleEditChange(TMessage& Message) {
  if (HIWORD(Message.WParam) != EN_CHANGE || Message.LParam == 0) return false;
  SendMessage(reinterpret_cast<HWND>(Message.LParam), WM_COMMAND, Message.WParam, Message.LParam);
  if (!FShowEditProcess) return false;
  TInplaceEdit* editor = GetInplaceEditor();
  if (editor && editor->HandleAllocated()) SendMessage(editor->GetHandle(), WM_SETREDRAW, 0, 0);
  if (!FEditStart && EditorOpen() && editor) SetEditText(GetCol(), GetRow(), editor->GetText());
  if (editor && editor->HandleAllocated()) SendMessage(editor->GetHandle(), WM_SETREDRAW, 1, 0);
  return true;
}

void TNeoStringGrid::HandleComboNotification(TMessage& Message) {
  TCustomComboBox* combo = GetEditCombo();
  WORD code = HIWORD(Message.WParam);
  bool fromCombo = combo && combo->HandleAllocated() && reinterpret_cast<HWND>(Message.LParam) == combo->GetHandle();
  bool reported = false;
  Integer realCol = RealColIndex(GetCol());
  auto report = [&](Integer Index) {
    String text = Index == -1 ? combo->GetText() : combo->GetItems()->GetStrings(Index);
    if (OnComboChange) {
      reported = true;
      OnComboChange(this, realCol, GetRow(), Index, text);
    }
    if (OnComboObjectChange)
      OnComboObjectChange(this, realCol, GetRow(), Index, text,
                          Index == -1 ? nullptr : combo->GetItems()->GetObjects(Index));
  };
  if (fromCombo && EditorOpen()) {
    switch (code) {
      case CBN_SELCHANGE:
      case CBN_EDITCHANGE:
        report(combo->GetItemIndex());
        break;
      case CBN_CLOSEUP:
        if (FMouseActions->GetDirectComboClose()) {
          Integer index = combo->GetItemIndex();
          if (index >= 0) combo->SetText(combo->GetItems()->GetStrings(index));
          if (combo->GetText() != FCellCache) report(index);
          FEditMode = true;
          bool directEdit = FMouseActions->GetDirectEdit();
          FMouseActions->SetDirectEdit(false);
          HideInplaceEdit();
          FMouseActions->SetDirectEdit(directEdit);
          if (CanFocus()) SetFocus();
        }
        DoComboCloseUp(GetRow(), realCol);
        break;
      case CBN_DROPDOWN:
        DoComboDropDown(GetRow(), realCol);
        break;
      default:
        break;
    }
  }
  if (code == CBN_EDITCHANGE && !reported && OnComboChange && combo)
    OnComboChange(this, GetCol(), GetRow(), -1, combo->GetText());
}

void TNeoStringGrid::SyncPartner(bool ByColumn) {
  TNeoStringGrid* partner = FSyncGrid->GetGrid();
  if (!partner || !(ByColumn ? FSyncGrid->GetSelectionColumn() : FSyncGrid->GetSelectionRow())) return;
  // The partner's click handler must not run for a move it did not make.
  TNotifyEvent click = partner->OnClick;
  partner->OnClick = nullptr;
  TScopeGuard restore([&] { partner->OnClick = click; });
  if (ByColumn)
    partner->SetCol(GetCol());
  else
    partner->SetRowEx(GetRow());
}

// ---------------------------------------------------------------------------------------------
// Timers
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::WMTimer(TMessage& Message) {
  if (Message.WParam == GridTimerId)
    GridTimerTick();
  else
    AutoScrollTick(Message);
}

// The base grid's selection auto-scroll, kept from growing past a partly shown last row and from
// scrolling sideways in row selection when asked.
void TNeoStringGrid::AutoScrollTick(TMessage& Message) {
  Integer top = GetTopRow(), row = GetRow();
  if (FMouseActions->GetNoAutoRangeScroll()) {
    POINT p{};
    GetCursorPos(&p);
    TPoint c = ScreenToClient(TPoint{p.x, p.y});
    Integer mc = -1, mr = -1;
    MouseToCell(c.x, c.y, mc, mr);
    if (mr >= 0 && mr >= top + GetVisibleRowCount() - 1 && CellRect(mc, mr).bottom > GetClientHeight())
      FGridState = gsNormal;
  }
  auto keepsLeft = [&] {
    return FGridState == gsSelecting && FNavigation->GetKeepHorizScroll() && GetOptions().Contains(goRowSelect) &&
           GetLeftCol() != FOldLeftCol;
  };
  bool began = keepsLeft();
  if (began) BeginUpdate();
  TBaseGrid::Dispatch(Message);
  if (FMouseActions->GetNoScrollOnPartialRow()) {
    if (GetTopRow() != top) SetTopRow(top);
    if (GetRow() != row && row < GetRowCount()) SetRow(row);
  }
  if (keepsLeft()) SetLeftCol(FOldLeftCol);
  if (began) EndUpdate();
}

void TNeoStringGrid::GridTimerTick() {
  ++FTimerTicks;
  if (FNavigation->GetAutoGotoIncremental() && FSearchTics++ == 3) {
    FSearchInc.clear();
    FSearchTics = 0;
  }
  if (FHovering && !FDesignTime) {
    POINT p{};
    GetCursorPos(&p);
    if (WindowFromPoint(p) == GetHandle()) {
      TPoint c = ScreenToClient(TPoint{p.x, p.y});
      Integer col = -1, row = -1;
      TRect client = GetClientRect();
      if (PtInRect(&client, POINT{c.x, c.y})) MouseToCell(c.x, c.y, col, row);
      if (col >= GetFixedCols() && row >= GetFixedRows() && col < GetColCount() && row < GetRowCount() &&
          !IsFixed(col, row)) {
        if (CanFocus()) SetFocus();
        SetRowEx(row);
        SetCol(col);
      }
    }
  }
  if (FEnableBlink) {
    FGridBlink = !FGridBlink;
    RepaintBlinkingCells();
  }
}

// Cells whose text holds a blink tag, over the visible area and the fixed rows and columns beside
// it. Columns are real indexes, repainted where they show.
void TNeoStringGrid::RepaintBlinkingCells() {
  auto blinks = [this](Integer RealCol, Integer Row) {
    return UpperCase(CellView(RealCol, Row)).find(u"<BLI") != String::npos;
  };
  Integer firstRow = GetTopRow(), lastRow = std::min(GetRowCount() - 1, firstRow + GetVisibleRowCount() - 1);
  Integer firstCol = GetLeftCol();
  Integer lastCol = std::min(TotalColCount() - 1, firstCol + GetVisibleColCount() + FNumHidden - 1);
  auto visit = [&](Integer RealCol, Integer Row) {
    if (blinks(RealCol, Row)) RepaintCell(RealToDisplCol(RealCol), Row);
  };
  for (Integer r = firstRow; r <= lastRow; ++r)
    for (Integer c = firstCol; c <= lastCol; ++c) visit(c, r);
  for (Integer r = 0; r < GetFixedRows(); ++r)
    for (Integer c = firstCol; c <= lastCol; ++c) visit(c, r);
  for (Integer c = 0; c < GetFixedCols(); ++c)
    for (Integer r = firstRow; r <= lastRow; ++r) visit(c, r);
}
