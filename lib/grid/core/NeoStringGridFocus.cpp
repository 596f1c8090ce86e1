// TNeoStringGrid: gaining and losing the focus (the editor opened at once with AlwaysEdit, the
// cell's value remembered, a pending range copied into the disjunct rows), clicks, the hover
// highlight of fixed cells and layered windows.
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/gridutil/NeoGridUtilPaint.h"
#include "platform/win/WinUser.h"

namespace {

bool IsTextEditorKind(TEditorType Kind) {
  return Kind == edNormal || Kind == edCapital || Kind == edMixedCase || Kind == edLowerCase ||
         Kind == edUpperCase || Kind == edValidChars;
}

}  // namespace

void TNeoStringGrid::Click() {
  TBaseGrid::Click();
  FEntered = false;
  StoreOldCellValue(GetCol(), GetRow());
}

bool TNeoStringGrid::CurrentCellInView() {
  Integer c = GetCol(), r = GetRow();
  return c >= GetLeftCol() && c < GetLeftCol() + GetVisibleColCount() && r >= GetTopRow() &&
         r < GetTopRow() + GetVisibleRowCount();
}

void TNeoStringGrid::WMSetFocus(TMessage& Message) {
  if (FInvokedFocusChange) return;
  TBaseGrid::Dispatch(Message);
  Integer col = GetCol(), row = GetRow(), realCol = RealColIndex(col);
  if (CellHasCheckBox(realCol, row)) return;
  bool can = true;
  TInplaceEdit* editor = GetInplaceEditor();
  if (editor) {
    HWND from = reinterpret_cast<HWND>(Message.WParam);
    bool moving = FGridState == gsRowMoving || FGridState == gsColMoving;
    bool fromEditor = editor->HandleAllocated() && from == editor->GetHandle();
    if (!fromEditor && !moving && FNavigation->GetAlwaysEdit() && IsTextEditorKind(FEditControl)) {
      CanEditCell(realCol, row, can);
      if (CurrentCellInView() && can) {
        ShowInplaceEdit();
        Message.Result = 0;
        return;
      }
    }
  } else if (FNavigation->GetAlwaysEdit()) {
    CanEditCell(realCol, row, can);
    if (CurrentCellInView() && can && !FMouseActions->GetDirectEdit() && !DropDownAlwaysVisible() &&
        DoHasComboBox(col, row, edNone))
      ShowInplaceEdit();
  }
  TPoint span = CellSpan(realCol, row);
  if (span.x > 0 || span.y > 0) RepaintRect(TRect{col, row, col + span.x, row + span.y});
}

void TNeoStringGrid::WMKillFocus(TMessage& Message) {
  // Refusing the focus loss: the window system moves the focus anyway, the grid only answers 1
  // and does nothing of its own.
  if (FBlockKill) {
    Message.Result = 1;
    return;
  }
  TBaseGrid::Dispatch(Message);
  if (IsMergedCell(RealColIndex(GetCol()), GetRow())) RepaintCell(GetCol(), GetRow());
}

void TNeoStringGrid::DoEnter() {
  if (FBlockFocus) return;
  auto inside = [this] {
    return GetCol() >= 0 && GetCol() < GetColCount() && GetRow() >= 0 && GetRow() < GetRowCount();
  };
  // The snapshot of the cell is taken even when entering raised; the exception goes on.
  try {
    TBaseGrid::DoEnter();
    if ((GetOptions().Contains(goEditing) || FMouseActions->GetRangeSelectAndEdit()) && inside())
      SelectCell(GetCol(), GetRow());
  } catch (...) {
    if (inside()) StoreOldCellValue(GetCol(), GetRow());
    throw;
  }
  if (inside()) StoreOldCellValue(GetCol(), GetRow());
  if (FMouseActions->GetHotmailRowSelect() && GetCol() == GetColCount()) FocusCell(GetLeftCol(), GetTopRow());
}

void TNeoStringGrid::DoExit() {
  if (FBlockKill) return;
  if (FSelChange && FMouseActions->GetDisjunctRowSelect()) SelectionToRowSelect(false);
  FSelChange = false;
  TBaseGrid::DoExit();
}

// ---------------------------------------------------------------------------------------------
// Hover highlight of fixed cells
// ---------------------------------------------------------------------------------------------
bool TNeoStringGrid::IsFixedHoverCell(Integer ACol, Integer ARow) {
  if (FHoverFixedCells == hfNone) return false;
  bool result = (ACol < GetFixedCols() && (FHoverFixedCells == hfAll || FHoverFixedCells == hfFixedColumns)) ||
                (ARow < GetFixedRows() && (FHoverFixedCells == hfAll || FHoverFixedCells == hfFixedRows));
  if (OnIsFixedHoverCell) OnIsFixedHoverCell(this, ARow, ACol, result);
  return result;
}

void TNeoStringGrid::ResetFixedCellHighlight() {
  FSizeFixed = false;
  FSizeFixedR = false;
  FNoMouseLeave = false;
  if (FHoverFixedCells == hfNone || FHoverFixedX < 0 || FHoverFixedY < 0) return;
  Integer x = FHoverFixedX, y = FHoverFixedY;
  FHoverFixedX = FHoverFixedY = -1;
  RepaintCell(x, y);
}

// ---------------------------------------------------------------------------------------------
// Layered windows
// ---------------------------------------------------------------------------------------------
void SetLayeredAlpha(HWND Window, TColor ColorKey, Byte Alpha, TRect Rect) {
  SetWindowLong(Window, GWL_EXSTYLE, GetWindowLong(Window, GWL_EXSTYLE) | static_cast<LONG>(WS_EX_LAYERED));
  DynSetLayeredWindowAttributes(Window, static_cast<COLORREF>(ColorKey), Alpha, LWA_ALPHA);
  POINT at{Rect.left, Rect.top};
  SIZE size{Rect.right - Rect.left, Rect.bottom - Rect.top};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, Alpha, 0};
  DynUpdateLayeredWindow(Window, nullptr, &at, &size, nullptr, nullptr, static_cast<COLORREF>(ColorKey), &blend,
                         ULW_ALPHA);
}

// ---------------------------------------------------------------------------------------------
// Cursor and cell hints
// ---------------------------------------------------------------------------------------------
namespace {

// The program's cursors of the pending selection modes and of the cell selector.
constexpr WORD RowSelectCursor = 8010, ColumnSelectCursor = 8011, AllSelectCursor = 8012, CellSelectorCursor = 8014;

void SetProgramCursor(WORD Id) { ::SetCursor(LoadCursor(nullptr, MAKEINTRESOURCE(Id))); }

}  // namespace

void TNeoStringGrid::WMSetCursor(TMessage& Message) {
  POINT p{};
  GetCursorPos(&p);
  TPoint client = ScreenToClient(TPoint{p.x, p.y});
  bool sizing = FGridState == gsRowSizing || FGridState == gsColSizing;
  if (FMouseSelectMode != msNormal && !sizing) {
    switch (FMouseSelectMode) {
      case msColumn: SetProgramCursor(ColumnSelectCursor); break;
      case msRow: SetProgramCursor(RowSelectCursor); break;
      case msAll:
      case msResize: SetProgramCursor(AllSelectCursor); break;
      default: break;
    }
    Message.Result = 1;
  } else if (FCellSelectorMode) {
    SetProgramCursor(CellSelectorCursor);
    Message.Result = 1;
  } else {
    TBaseGrid::WndProc(Message);
    Integer ACol = -1, ARow = -1;
    MouseToCell(client.x, client.y, ACol, ARow);
    if (ACol >= 0 && ARow >= 0) DoGetCellCursor(ACol, ARow, client.x, client.y);
  }
  if (FSizeFixed || FSizingFixed) {
    ::SetCursor(Screen->GetCursors(crHSplit));
    Message.Result = 1;
  }
  if (FSizeFixedR || FSizingFixedR) {
    ::SetCursor(Screen->GetCursors(crVSplit));
    Message.Result = 1;
  }
}

void TNeoStringGrid::CMCursorChanged(TMessage& Message) {
  TBaseGrid::WndProc(Message);
  if (!Invokedchange) FMouseSelectMode = msNormal;
  Invokedchange = false;
}

void TNeoStringGrid::CMHintShow(TMessage& Message) {
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  if (info) FillCellHint(info->HintStr, *info);
  Message.Result = 0;
}
