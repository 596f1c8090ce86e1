// TNeoStringGrid: the update bracket, the paint and erase messages, and the repaint helpers.
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/win/WinUser.h"

// ---------------------------------------------------------------------------------------------
// The update bracket
// ---------------------------------------------------------------------------------------------
// A grid hidden inside a bracket must still count its levels: skipping the calls while invisible
// would leave the count raised for good once the grid is hidden between the two, and it would
// never paint again. Only the redraw message needs a window.
void TNeoStringGrid::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdating(true);
  ++FUpdateCount;
  if (HandleAllocated()) SendMessage(GetHandle(), WM_SETREDRAW, 0, 0);
}

void TNeoStringGrid::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (GetComponentState().Contains(csDestroying) || FGridDestroying) return;
  if (FUpdateCount != 0) return;
  SetUpdating(false);
  FSelChange = false;
  if (!HandleAllocated()) return;
  HWND h = GetHandle();
  SendMessage(h, WM_SETREDRAW, 1, 0);
  InvalidateRect(h, nullptr, FALSE);
  RepaintBorder();
  if (FSearchFooter->GetVisible() && FSearchPanel && FSearchPanel->HandleAllocated() &&
      !FSearchPanel->ContainsControl(Screen->GetActiveControl())) {
    FSearchFooter->SetVisible(true);
    FSearchPanel->SetTop(FSearchPanel->GetTop() + 1);
    UpdateSearchPanel();
  }
  if (FControlList->GetCount() > 0) CellControlsUpdate();
}

void TNeoStringGrid::SetLockUpdate(bool Value) {
  if (Value)
    BeginUpdate();
  else
    EndUpdate();
}

void TNeoStringGrid::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (FUpdateCount >= 1) {
        Message.Result = 0;   // nothing painted, nothing validated
        return;
      }
      TBaseGrid::Dispatch(Message);
      if (!GetTabStop() && FPaintCount == 0) {
        FPaintCount = 1;
        UpdateProportionalVertScroll();
      }
      return;
    case WM_ERASEBKGND:
      Message.Result = 0;   // the cells cover the whole client area
      return;
    case WM_TIMER: WMTimer(Message); return;
    case WM_HSCROLL: WMHScroll(Message); return;
    case WM_VSCROLL: WMVScroll(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case CM_ENABLEDCHANGED:
      TBaseGrid::Dispatch(Message);
      Invalidate();
      return;
    case CM_COLORCHANGED:
      TBaseGrid::Dispatch(Message);
      if (FloatingFooterVisible()) UpdateFooter();
      return;
    default:
      TBaseGrid::Dispatch(Message);
  }
}

// ---------------------------------------------------------------------------------------------
// Repaint helpers
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::RepaintCell(Integer ACol, Integer ARow) {
  if (!HandleAllocated()) return;
  Integer top = GetTopRowEx();
  if (ARow < top && ARow >= GetFixedRows()) return;
  if (ARow > top + GetVisibleRowCount()) return;
  if (ACol < GetLeftCol() && ACol >= GetFixedCols()) return;
  if (ACol > GetVisibleColCount() + GetLeftCol()) return;
  TRect r = CellRect(ACol, ARow);
  InvalidateRect(GetHandle(), &r, TRUE);
}

void TNeoStringGrid::RepaintRow(Integer ARow) {
  if (!HandleAllocated()) return;
  TRect r = CellRect(GetVisibleColCount() + GetLeftCol(), ARow);
  r.left = CellRect(0, ARow).left;
  InvalidateRect(GetHandle(), &r, FALSE);
}

void TNeoStringGrid::RepaintCol(Integer ACol) {
  if (!HandleAllocated()) return;
  Integer top = GetTopRowEx();
  TRect r = CellRect(ACol, top + GetVisibleRowCount());
  r.top = CellRect(ACol, top).top;
  InvalidateRect(GetHandle(), &r, FALSE);
}

void TNeoStringGrid::RepaintRect(TRect R) {
  if (R.left < 0 || R.right < 0 || R.top < 0 || R.bottom < 0) return;
  // Whether a corner is on screen: the platform grid's rectangle, empty out of view.
  auto onScreen = [this](Integer ACol, Integer ARow, TRect& Out) {
    TRect view = TCustomGrid::CellRect(ACol, ARow);
    Out = CellRect(ACol, ARow);
    return view.right > view.left && view.bottom > view.top;
  };
  TRect a, b;
  bool aOn = onScreen(R.left, R.top, a);
  bool bOn = onScreen(std::min(GetVisibleColCount() + GetFixedCols(), static_cast<Integer>(R.right)), R.bottom, b);
  if (!aOn || !bOn) {
    Repaint();
    return;
  }
  TRect u{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
  if (HandleAllocated()) InvalidateRect(GetHandle(), &u, TRUE);
}
