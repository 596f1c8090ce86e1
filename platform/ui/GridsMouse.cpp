// TCustomGrid and the mouse: selecting cells (with an auto-scroll timer while the pointer is past
// the cells), sizing columns and rows at the borders of fixed cells (a dotted XOR line follows the
// pointer), moving columns and rows by their fixed cells, and clicks on fixed cells. Also the moves
// of columns and rows themselves.
#include <algorithm>

#include "platform/ui/Grids.h"

namespace {
constexpr UINT_PTR ScrollTimerId = 1;   // auto-scroll while selecting or moving
constexpr UINT ScrollTimerMs = 60;
constexpr Integer SizingReach = 7;      // pixels around a border that start sizing

// Where an index between From and To lands when From moves to To.
Integer Moved(Integer Index, Integer From, Integer To) {
  if (Index == From) return To;
  if (From < To && Index > From && Index <= To) return Index - 1;
  if (To < From && Index >= To && Index < From) return Index + 1;
  return Index;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Moves

void TCustomGrid::MoveColumn(Integer FromIndex, Integer ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= GetColCount() || ToIndex >= GetColCount())
    throw EInvalidGridOperation(u"Grid index out of range");
  if (FromIndex == ToIndex) return;
  FCols.Move(FromIndex, ToIndex);
  FCurrent.X = Moved(FCurrent.X, FromIndex, ToIndex);
  FAnchor.X = Moved(FAnchor.X, FromIndex, ToIndex);
  // Only the columns between the two places change; those beyond keep their offsets.
  InvalidateBox(std::min(FromIndex, ToIndex), 0, std::max(FromIndex, ToIndex), GetRowCount() - 1);
  ColumnMoved(FromIndex, ToIndex);
  UpdateEdit();
}

void TCustomGrid::MoveRow(Integer FromIndex, Integer ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= GetRowCount() || ToIndex >= GetRowCount())
    throw EInvalidGridOperation(u"Grid index out of range");
  if (FromIndex == ToIndex) return;
  FRows.Move(FromIndex, ToIndex);
  FCurrent.Y = Moved(FCurrent.Y, FromIndex, ToIndex);
  FAnchor.Y = Moved(FAnchor.Y, FromIndex, ToIndex);
  InvalidateBox(0, std::min(FromIndex, ToIndex), GetColCount() - 1, std::max(FromIndex, ToIndex));
  RowMoved(FromIndex, ToIndex);
  UpdateEdit();
}

void TCustomGrid::DeleteColumn(Integer ACol) {
  MoveColumn(ACol, GetColCount() - 1);
  SetColCount(GetColCount() - 1);
}

void TCustomGrid::DeleteRow(Integer ARow) {
  MoveRow(ARow, GetRowCount() - 1);
  SetRowCount(GetRowCount() - 1);
}

void TCustomGrid::ColumnMoved(Integer, Integer) {}
void TCustomGrid::RowMoved(Integer, Integer) {}
void TCustomGrid::FixedCellClick(Integer, Integer) {}

// ---------------------------------------------------------------------------------------------
// Sizing

void TCustomGrid::CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                                  Integer& SizingOfs) {
  State = gsNormal;
  Index = -1;
  TAxisView h = HorzView(), v = VertView();
  if (UseRightToLeftAlignment()) X = static_cast<Integer>(h.Extent) - 1 - X;
  // The border nearest to Pos among the cells in view, within reach.
  auto border = [](const grids::TGridAxis& Axis, const TAxisView& View, Integer Fixed, Integer Line, Integer Pos,
                   Integer& AIndex, Integer& APos) {
    Integer back = (std::max(SizingReach, Line) - Line) / 2;
    auto test = [&](Integer I) {
      Int64 start = I < Fixed ? Axis.Offset(I) : View.FixedBoundary + Axis.Offset(I) - Axis.Offset(View.First);
      Int64 end = start + std::max(Axis.Size(I), 0);
      if (end > View.GridBoundary) return false;
      if (Pos >= end - back && Pos <= end - back + std::max(SizingReach, Line)) {
        AIndex = I;
        APos = static_cast<Integer>(end);
        return true;
      }
      return false;
    };
    for (Integer i = 0; i < Fixed; ++i)
      if (test(i)) return true;
    for (Integer i = View.First; i <= View.LastPartial; ++i)
      if (test(i)) return true;
    return false;
  };
  Integer pos = 0;
  if (FOptions.Contains(goColSizing) && Y < v.FixedBoundary &&
      border(FCols, h, FFixedCols, FOptions.Contains(goVertLine) ? FGridLineWidth : 0, X, Index, pos)) {
    State = gsColSizing;
    SizingPos = pos;
    SizingOfs = pos - X;
  } else if (FOptions.Contains(goRowSizing) && X < h.FixedBoundary &&
             border(FRows, v, FFixedRows, FOptions.Contains(goHorzLine) ? FGridLineWidth : 0, Y, Index, pos)) {
    State = gsRowSizing;
    SizingPos = pos;
    SizingOfs = pos - Y;
  }
}

// A one-pixel dotted line across the grid, drawn by XOR: drawing it twice leaves no trace.
void TCustomGrid::XorLine(Integer Pos, bool Vertical) {
  if (!HandleAllocated()) return;
  TRect client = GetClientRect();
  HDC dc = GetDC(FHandle);
  if (!dc) return;
  HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
  HGDIOBJ old = SelectObject(dc, pen);
  int rop = SetROP2(dc, R2_XORPEN);
  SetBkMode(dc, OPAQUE);
  COLORREF bk = SetBkColor(dc, RGB(255, 255, 255));
  if (Vertical) {
    Integer x = UseRightToLeftAlignment() ? client.right - 1 - Pos : Pos;
    MoveToEx(dc, x, client.top, nullptr);
    LineTo(dc, x, client.bottom);
  } else {
    MoveToEx(dc, client.left, Pos, nullptr);
    LineTo(dc, client.right, Pos);
  }
  SetBkColor(dc, bk);
  SetROP2(dc, rop);
  SelectObject(dc, old);
  DeleteObject(pen);
  ReleaseDC(FHandle, dc);
}

void TCustomGrid::ShowSizingLine(bool Show) {
  if (FLineShown == Show) return;
  FLineShown = Show;
  XorLine(FSizingPos, FGridState == gsColSizing);
}

// The move target: the border before the column (row) the moved one would land on.
Integer TCustomGrid::MoveLinePos() {
  bool cols = FGridState == gsColMoving;
  TAxisView view = cols ? HorzView() : VertView();
  const grids::TGridAxis& axis = cols ? FCols : FRows;
  Integer target = FMovePos > FMoveIndex ? FMovePos + 1 : FMovePos;
  target = std::clamp(target, view.First, view.LastPartial + 1);
  return static_cast<Integer>(view.FixedBoundary + axis.Offset(target) - axis.Offset(view.First));
}

void TCustomGrid::ShowMoveLine(bool Show) {
  if (FLineShown == Show) return;
  FLineShown = Show;
  if (Show) FShownLine = MoveLinePos();
  XorLine(FShownLine, FGridState == gsColMoving);
}

// ---------------------------------------------------------------------------------------------
// Press, move, release

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FFixedPress = TGridCoord{-1, -1};
  if (CanFocus() && !Focused()) {
    bool editing = FInplaceEdit && FInplaceEdit->Focused();
    SetFocus();
    // The editor kept the focus (its text is not valid): the press ends here. A grid that cannot
    // take the focus at all (in a window that is never activated) goes on.
    if (editing && FInplaceEdit->Focused()) {
      SetMouseCapture(false);
      FControlState.Exclude(csClicked);
      return;
    }
  }
  if (Button == mbLeft && Shift.Contains(ssDouble)) {
    DblClick();
    if (FOptions.Contains(goEditing) && MouseCoord(X, Y) == FCurrent) ShowEditor();
  } else if (Button == mbLeft) {
    CalcSizingState(X, Y, FGridState, FSizingIndex, FSizingPos, FSizingOfs);
    if (FGridState != gsNormal) {
      FSizingStart = FSizingPos - (FGridState == gsColSizing ? GetColWidths(FSizingIndex) : GetRowHeights(FSizingIndex));
      Update();   // pending paints first: they would cut into the XOR line
      ShowSizingLine(true);
    } else {
      TGridCoord hit = MouseCoord(X, Y);
      if (hit.X >= FFixedCols && hit.Y >= FFixedRows && FOptions.Contains(goEditing)) {
        // An editing grid: a click on the current cell opens the editor, on another moves there.
        if (hit == FCurrent)
          ShowEditor();
        else
          MoveColRow(hit.X, hit.Y, true, true);
        Click();
      } else if (hit.X >= FFixedCols && hit.Y >= FFixedRows) {
        bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
        FGridState = gsSelecting;
        SetTimer(GetHandle(), ScrollTimerId, ScrollTimerMs, nullptr);
        MoveColRow(hit.X, hit.Y, !extend, true);
      } else if (hit.X >= 0 && hit.Y >= 0) {
        FFixedPress = hit;
        if (FOptions.Contains(goColMoving) && hit.Y < FFixedRows && hit.X >= FFixedCols) {
          FGridState = gsColMoving;
          FMoveIndex = FMovePos = hit.X;
        } else if (FOptions.Contains(goRowMoving) && hit.X < FFixedCols && hit.Y >= FFixedRows) {
          FGridState = gsRowMoving;
          FMoveIndex = FMovePos = hit.Y;
        }
        if (FGridState != gsNormal) {
          Update();
          ShowMoveLine(true);
          SetTimer(GetHandle(), ScrollTimerId, ScrollTimerMs, nullptr);
        }
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  switch (FGridState) {
    case gsSelecting: {
      TGridCoord hit = MouseCoord(X, Y);
      if (hit.X >= FFixedCols && hit.Y >= FFixedRows && !(hit == FCurrent)) MoveColRow(hit.X, hit.Y, false, false);
      break;
    }
    case gsColSizing:
    case gsRowSizing: {
      bool cols = FGridState == gsColSizing;
      Integer pos = cols ? (UseRightToLeftAlignment() ? GetClientRect().right - 1 - X : X) : Y;
      ShowSizingLine(false);
      FSizingPos = pos + FSizingOfs;
      ShowSizingLine(true);
      break;
    }
    case gsColMoving:
    case gsRowMoving: {
      TGridCoord hit = MouseCoord(X, Y);
      bool cols = FGridState == gsColMoving;
      Integer at = cols ? hit.X : hit.Y, fixed = cols ? FFixedCols : FFixedRows;
      if (at >= fixed && at != FMovePos) {
        ShowMoveLine(false);
        FMovePos = at;
        ShowMoveLine(true);
      }
      break;
    }
    default: break;
  }
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGridState state = FGridState;
  if (Button == mbLeft) {
    switch (state) {
      case gsSelecting:
        MouseMove(Shift, X, Y);
        EndMouseState();
        Click();
        break;
      case gsColSizing:
      case gsRowSizing: {
        EndMouseState();
        bool cols = state == gsColSizing;
        Integer pos = cols ? (UseRightToLeftAlignment() ? GetClientRect().right - 1 - X : X) : Y;
        Integer size = pos + FSizingOfs - FSizingStart;
        if (cols)
          SetColWidths(FSizingIndex, std::max(size, 0));
        else
          SetRowHeights(FSizingIndex, std::max(size, 0));
        break;
      }
      case gsColMoving:
      case gsRowMoving: {
        Integer from = FMoveIndex, to = FMovePos;
        EndMouseState();
        if (from != to) {
          if (state == gsColMoving)
            MoveColumn(from, to);
          else
            MoveRow(from, to);
        }
        break;
      }
      default: break;
    }
  }
  TGridCoord pressed = FFixedPress;
  FFixedPress = TGridCoord{-1, -1};
  TCustomControl::MouseUp(Button, Shift, X, Y);
  // A click on a fixed cell: pressed and released on it without moving anything.
  if (Button == mbLeft && pressed.X >= 0 && (state == gsNormal || FMoveIndex == FMovePos) && MouseCoord(X, Y) == pressed) {
    bool colClick = pressed.Y < FFixedRows && FOptions.Contains(goFixedColClick);
    bool rowClick = pressed.X < FFixedCols && FOptions.Contains(goFixedRowClick);
    if (colClick || rowClick) FixedCellClick(pressed.X, pressed.Y);
  }
}

void TCustomGrid::SetGridState(TGridState Value) {
  if (Value == gsNormal)
    EndMouseState();
  else
    FGridState = Value;
}

// Ends selecting, sizing or moving without applying anything (WM_CANCELMODE, lost capture).
void TCustomGrid::EndMouseState() {
  if (FGridState == gsColSizing || FGridState == gsRowSizing) ShowSizingLine(false);
  if (FGridState == gsColMoving || FGridState == gsRowMoving) ShowMoveLine(false);
  if (HandleAllocated()) KillTimer(FHandle, ScrollTimerId);
  FGridState = gsNormal;
}

// While selecting with the pointer past the cells: one row (column) a tick towards it, the
// selection following.
void TCustomGrid::SelectingTick() {
  POINT p;
  GetCursorPos(&p);
  ::ScreenToClient(FHandle, &p);
  TAxisView h = HorzView(), v = VertView();
  Integer x = UseRightToLeftAlignment() ? static_cast<Integer>(h.Extent) - 1 - p.x : p.x;
  auto direction = [](const TAxisView& View, Integer Pos) {
    if (Pos < View.FixedBoundary) return -1;
    Int64 full = View.LastFull >= View.First ? View.GridBoundary : View.Extent;
    return Pos >= std::min(full, View.Extent) ? 1 : 0;
  };
  Integer dx = direction(h, x), dy = direction(v, p.y);
  if (FGridState == gsColMoving) dy = 0;
  if (FGridState == gsRowMoving) dx = 0;
  if (dx == 0 && dy == 0) return;
  Integer maxLeft = std::max(MaxLeftCol(), FFixedCols), maxTop = std::max(MaxTopRow(), FFixedRows);
  TGridCoord tl{std::clamp(FTopLeft.X + dx, FFixedCols, maxLeft), std::clamp(FTopLeft.Y + dy, FFixedRows, maxTop)};
  if (FGridState == gsSelecting) {
    TGridCoord next{std::clamp(FCurrent.X + dx, FFixedCols, GetColCount() - 1),
                    std::clamp(FCurrent.Y + dy, FFixedRows, GetRowCount() - 1)};
    MoveTopLeft(tl.X, tl.Y);
    if (!(next == FCurrent)) MoveColRow(next.X, next.Y, false, true);
  } else {
    ShowMoveLine(false);
    MoveTopLeft(tl.X, tl.Y);
    Update();
    ShowMoveLine(true);
  }
}
