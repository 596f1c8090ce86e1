// TCustomGrid keyboard and wheel: each key computes the new current cell and view from Col, Row,
// LeftCol and TopRow as they are when the handler runs, then moves the view and the current cell.
#include <algorithm>

#include "platform/ui/Grids.h"

Integer TCustomGrid::PageRows() { return std::max(1, GetVisibleRowCount()); }

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  bool rowSelect = FOptions.Contains(goRowSelect);
  TGridCoord current = FCurrent, topLeft = FTopLeft;
  Integer page = PageRows();
  Integer pageCols = std::max(1, GetVisibleColCount());
  Integer lastCol = GetColCount() - 1, lastRow = GetRowCount() - 1;
  bool handled = true;
  if (Shift.Contains(ssCtrl)) {
    switch (Key) {
      case VK_UP: --topLeft.Y; break;
      case VK_DOWN: ++topLeft.Y; break;
      case VK_LEFT:
        if (!rowSelect) current.X -= pageCols;
        topLeft.X -= pageCols;
        break;
      case VK_RIGHT:
        if (!rowSelect) current.X += pageCols;
        topLeft.X += pageCols;
        break;
      case VK_PRIOR: current.Y = FTopLeft.Y; break;
      case VK_NEXT: current.Y = FTopLeft.Y + page - 1; break;
      case VK_HOME:
        current = TGridCoord{FFixedCols, FFixedRows};
        break;
      case VK_END:
        current = TGridCoord{lastCol, lastRow};
        break;
      default: handled = false; break;
    }
  } else {
    switch (Key) {
      case VK_UP: --current.Y; break;
      case VK_DOWN: ++current.Y; break;
      case VK_LEFT:
        if (rowSelect)
          --topLeft.X;
        else
          --current.X;
        break;
      case VK_RIGHT:
        if (rowSelect)
          ++topLeft.X;
        else
          ++current.X;
        break;
      case VK_NEXT:
        current.Y += page;
        topLeft.Y += page;
        break;
      case VK_PRIOR:
        current.Y -= page;
        topLeft.Y -= page;
        break;
      case VK_HOME:
        if (rowSelect)
          current.Y = FFixedRows;
        else
          current.X = FFixedCols;
        break;
      case VK_END:
        if (rowSelect)
          current.Y = lastRow;
        else
          current.X = lastCol;
        break;
      case VK_F2:
        if (FOptions.Contains(goEditing)) ShowEditor();
        return;
      case VK_TAB:
        if (!FOptions.Contains(goTabs) || Shift.Contains(ssAlt)) {
          handled = false;
          break;
        }
        // Tab runs along the row and wraps to the next one, past the last cell to the first.
        if (Shift.Contains(ssShift)) {
          if (--current.X < FFixedCols) {
            current.X = lastCol;
            if (--current.Y < FFixedRows) current.Y = lastRow;
          }
          Shift.Exclude(ssShift);
        } else if (++current.X > lastCol) {
          current.X = FFixedCols;
          if (++current.Y > lastRow) current.Y = FFixedRows;
        }
        break;
      default: handled = false; break;
    }
  }
  if (!handled) return;
  Integer maxLeft = std::max(MaxLeftCol(), FFixedCols), maxTop = std::max(MaxTopRow(), FFixedRows);
  topLeft.X = std::clamp(topLeft.X, FFixedCols, maxLeft);
  topLeft.Y = std::clamp(topLeft.Y, FFixedRows, maxTop);
  current.X = std::clamp(current.X, FFixedCols, lastCol);
  current.Y = std::clamp(current.Y, FFixedRows, lastRow);
  if (!(current == FCurrent)) ValidateEditor();   // before the view moves the editor out of sight
  if (!(topLeft == FTopLeft)) MoveTopLeft(topLeft.X, topLeft.Y);
  if (!(current == FCurrent)) FocusCell(current.X, current.Y, !Shift.Contains(ssShift));
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  if (FCurrent.Y < GetRowCount() - 1) SetRow(FCurrent.Y + 1);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  if (FCurrent.Y > FFixedRows) SetRow(FCurrent.Y - 1);
  return true;
}
