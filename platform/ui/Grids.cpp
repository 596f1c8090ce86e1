// TCustomGrid: sizes, the view (TopRow / LeftCol), the current cell and the selection, cells on
// screen, and the window scroll bars.
#include <algorithm>

#include "platform/rtl/Math.h"
#include "platform/ui/Grids.h"
#include "platform/win/WinScroll.h"

using grids::TGridAxis;

namespace {
constexpr Integer ScrollMax = 127;   // the window scroll bars run 0 .. ScrollMax whatever the counts
}

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
  FWidth = 320;
  FHeight = 120;
  FTabStop = true;
  FColor = clWindow;
  FBrush->SetColor(FColor);
  FOptions = TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  FCols.SetDefaultSize(64);
  FRows.SetDefaultSize(24);
  FCols.SetCount(5);
  FRows.SetCount(5);
  UpdateLines();
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_TABSTOP;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollRange();
}

// ---------------------------------------------------------------------------------------------
// Sizes

void TCustomGrid::UpdateLines() {
  FCols.SetLines(FFixedCols, FOptions.Contains(goFixedVertLine) ? FGridLineWidth : 0,
                 FOptions.Contains(goVertLine) ? FGridLineWidth : 0);
  FRows.SetLines(FFixedRows, FOptions.Contains(goFixedHorzLine) ? FGridLineWidth : 0,
                 FOptions.Contains(goHorzLine) ? FGridLineWidth : 0);
}

void TCustomGrid::SizeAxis(bool Columns, Integer NewCount) {
  Integer oldCols = GetColCount(), oldRows = GetRowCount();
  TGridCoord oldTopLeft = FTopLeft;
  (Columns ? FCols : FRows).SetCount(NewCount);
  auto clampCoord = [this](TGridCoord& C, Integer MinX, Integer MinY) {
    C.X = std::clamp(C.X, MinX, GetColCount() - 1);
    C.Y = std::clamp(C.Y, MinY, GetRowCount() - 1);
  };
  clampCoord(FCurrent, 0, 0);
  clampCoord(FAnchor, 0, 0);
  clampCoord(FTopLeft, FFixedCols, FFixedRows);
  SizeChanged(oldCols, oldRows);
  UpdateScrollRange();
  Invalidate();
  if (!(FTopLeft == oldTopLeft)) TopLeftChanged();
}

void TCustomGrid::SetColCount(Integer Value) {
  Value = std::max(Value, 1);
  if (Value == GetColCount()) return;
  if (Value <= FFixedCols) {
    FFixedCols = Value - 1;
    UpdateLines();
  }
  SizeAxis(true, Value);
}

void TCustomGrid::SetRowCount(Integer Value) {
  Value = std::max(Value, 1);
  if (Value == GetRowCount()) return;
  if (Value <= FFixedRows) {
    FFixedRows = Value - 1;
    UpdateLines();
  }
  SizeAxis(false, Value);
}

void TCustomGrid::SetFixedCols(Integer Value) {
  if (Value < 0) throw EInvalidGridOperation(u"Grid index out of range");
  if (Value >= GetColCount()) throw EInvalidGridOperation(u"Fixed column count must be less than column count");
  if (Value == FFixedCols) return;
  FFixedCols = Value;
  UpdateLines();
  // The view and the current cell start again at the first scrolling cell.
  TGridCoord oldTopLeft = FTopLeft;
  FTopLeft = TGridCoord{FFixedCols, FFixedRows};
  FCurrent = FTopLeft;
  FAnchor = FCurrent;
  UpdateScrollRange();
  Invalidate();
  if (!(FTopLeft == oldTopLeft)) TopLeftChanged();
}

void TCustomGrid::SetFixedRows(Integer Value) {
  if (Value < 0) throw EInvalidGridOperation(u"Grid index out of range");
  if (Value >= GetRowCount()) throw EInvalidGridOperation(u"Fixed row count must be less than row count");
  if (Value == FFixedRows) return;
  FFixedRows = Value;
  UpdateLines();
  TGridCoord oldTopLeft = FTopLeft;
  FTopLeft = TGridCoord{FFixedCols, FFixedRows};
  FCurrent = FTopLeft;
  FAnchor = FCurrent;
  UpdateScrollRange();
  Invalidate();
  if (!(FTopLeft == oldTopLeft)) TopLeftChanged();
}

void TCustomGrid::SetDefaultColWidth(Integer Value) {
  if (Value == FCols.DefaultSize() && !FCols.HasCustomSizes()) return;
  FCols.SetDefaultSize(Value);
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(Integer Value) {
  if (Value == FRows.DefaultSize() && !FRows.HasCustomSizes()) return;
  FRows.SetDefaultSize(Value);
  RowHeightsChanged();
}

Integer TCustomGrid::GetColWidths(Integer Index) const { return FCols.Size(Index); }
Integer TCustomGrid::GetRowHeights(Integer Index) const { return FRows.Size(Index); }

void TCustomGrid::SetColWidths(Integer Index, Integer Value) {
  if (Index < 0 || Index >= GetColCount() || FCols.Size(Index) == Value) return;
  FCols.SetSize(Index, Value);
  ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(Integer Index, Integer Value) {
  if (Index < 0 || Index >= GetRowCount() || FRows.Size(Index) == Value) return;
  FRows.SetSize(Index, Value);
  RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(Integer Value) {
  Value = std::max(Value, 0);
  if (Value == FGridLineWidth) return;
  FGridLineWidth = Value;
  UpdateLines();
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::ColWidthsChanged() {
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::RowHeightsChanged() {
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SizeChanged(Integer, Integer) {}

void TCustomGrid::ChangeScale(Integer M, Integer D) {
  TCustomControl::ChangeScale(M, D);
  if (M == D) return;
  auto scale = [M, D](TGridAxis& Axis) {
    std::vector<Integer> sizes;
    if (Axis.HasCustomSizes())
      for (Integer i = 0; i < Axis.Count(); ++i) sizes.push_back(Axis.Size(i));
    Axis.SetDefaultSize(MulDiv(Axis.DefaultSize(), M, D));
    for (std::size_t i = 0; i < sizes.size(); ++i) Axis.SetSize(static_cast<Integer>(i), MulDiv(sizes[i], M, D));
  };
  scale(FCols);
  scale(FRows);
  ColWidthsChanged();
  RowHeightsChanged();
}

// ---------------------------------------------------------------------------------------------
// Options and looks

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  UpdateLines();
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  UpdateScrollRange();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (Value == FFixedColor) return;
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  if (Value == FDefaultDrawing) return;
  FDefaultDrawing = Value;
  Invalidate();
}

void TCustomGrid::SetCtl3D(bool Value) {
  if (Value == FCtl3D) return;
  FCtl3D = Value;
  Invalidate();
}

void TCustomGrid::SetUpdating(bool Value) {
  if (Value == FUpdating) return;
  FUpdating = Value;
  if (FUpdating) return;
  UpdateScrollRange();
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// The view

TCustomGrid::TAxisView TCustomGrid::AxisView(const TGridAxis& Axis, Integer Fixed, Integer First, Int64 Extent) const {
  TAxisView v;
  v.FixedBoundary = Axis.Offset(Fixed);
  v.Extent = Extent;
  v.First = First;
  Int64 firstOffset = Axis.Offset(First);
  Int64 end = v.FixedBoundary + Axis.Offset(Axis.Count()) - firstOffset;
  v.GridBoundary = std::min(Extent, end);
  if (Extent <= v.FixedBoundary || First >= Axis.Count()) {
    v.LastPartial = v.LastFull = First - 1;
    return v;
  }
  Integer last = Axis.CellAt(firstOffset + (Extent - 1 - v.FixedBoundary));
  v.LastPartial = std::min(last, Axis.Count() - 1);
  v.LastFull = v.LastPartial;
  if (v.LastFull >= First) {
    Int64 lastEnd = v.FixedBoundary + Axis.Offset(v.LastFull) - firstOffset + std::max(Axis.Size(v.LastFull), 0);
    if (lastEnd > Extent) --v.LastFull;
  }
  return v;
}

TCustomGrid::TAxisView TCustomGrid::HorzView() {
  TRect r = GetClientRect();
  return AxisView(FCols, FFixedCols, FTopLeft.X, r.right - r.left);
}

TCustomGrid::TAxisView TCustomGrid::VertView() {
  TRect r = GetClientRect();
  return AxisView(FRows, FFixedRows, FTopLeft.Y, r.bottom - r.top);
}

Integer TCustomGrid::GetVisibleColCount() {
  TAxisView v = HorzView();
  return std::max(0, v.LastFull - v.First + 1);
}

Integer TCustomGrid::GetVisibleRowCount() {
  TAxisView v = VertView();
  return std::max(0, v.LastFull - v.First + 1);
}

Integer TCustomGrid::MaxLeftCol() {
  TAxisView v = HorzView();
  return FCols.FirstToShow(GetColCount() - 1, v.Extent - v.FixedBoundary, FFixedCols);
}

Integer TCustomGrid::MaxTopRow() {
  TAxisView v = VertView();
  return FRows.FirstToShow(GetRowCount() - 1, v.Extent - v.FixedBoundary, FFixedRows);
}

void TCustomGrid::SetLeftCol(Integer Value) {
  Value = std::clamp(Value, FFixedCols, GetColCount() - 1);
  if (Value != FTopLeft.X) MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(Integer Value) {
  Value = std::clamp(Value, FFixedRows, GetRowCount() - 1);
  if (Value != FTopLeft.Y) MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::MoveTopLeft(Integer ALeft, Integer ATop) {
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  TAxisView h = HorzView(), v = VertView();
  TGridCoord old = FTopLeft;
  FTopLeft = TGridCoord{ALeft, ATop};
  ScrollBy(FCols.Offset(ALeft) - FCols.Offset(old.X), FRows.Offset(ATop) - FRows.Offset(old.Y), h, v);
  UpdateScrollPos();
  UpdateEdit();
  TopLeftChanged();
}

// Moves what is painted by the change of the view (DX, DY in pixels of the cells), so that only
// the cells coming into view are painted; a step as large as the view repaints it.
void TCustomGrid::ScrollBy(Int64 DX, Int64 DY, const TAxisView& H, const TAxisView& V) {
  if (!HandleAllocated()) return;
  HWND h = GetHandle();
  if (FUpdating || !IsWindowVisible(h)) {
    Invalidate();
    return;
  }
  auto width = static_cast<Integer>(H.Extent), height = static_cast<Integer>(V.Extent);
  bool rtl = UseRightToLeftAlignment();
  if (DY != 0) {
    // The scrolling rows of every column (fixed columns scroll with their rows).
    RECT area{0, static_cast<Integer>(std::min(V.FixedBoundary, V.Extent)), width, height};
    if (DY < area.bottom - area.top && -DY < area.bottom - area.top)
      ScrollWindowEx(h, 0, static_cast<Integer>(-DY), &area, &area, nullptr, nullptr, SW_INVALIDATE);
    else
      InvalidateRect(h, &area, FALSE);
  }
  if (DX != 0) {
    RECT area{static_cast<Integer>(std::min(H.FixedBoundary, H.Extent)), 0, width, height};
    area = Mirror(area);
    Integer dx = static_cast<Integer>(rtl ? DX : -DX);
    if (DX < area.right - area.left && -DX < area.right - area.left)
      ScrollWindowEx(h, dx, 0, &area, &area, nullptr, nullptr, SW_INVALIDATE);
    else
      InvalidateRect(h, &area, FALSE);
  }
}

void TCustomGrid::ClampInView(const TGridCoord& Coord) {
  if (!HandleAllocated()) {
    // No window yet: only make sure the cell is not above or left of the view.
    TGridCoord tl = FTopLeft;
    if (Coord.X >= FFixedCols && Coord.X < tl.X) tl.X = Coord.X;
    if (Coord.Y >= FFixedRows && Coord.Y < tl.Y) tl.Y = Coord.Y;
    MoveTopLeft(tl.X, tl.Y);
    return;
  }
  TAxisView h = HorzView(), v = VertView();
  TGridCoord tl = FTopLeft;
  if (Coord.X >= FFixedCols) {
    if (Coord.X < tl.X)
      tl.X = Coord.X;
    else if (Coord.X > h.LastFull)
      tl.X = std::max(tl.X, FCols.FirstToShow(Coord.X, h.Extent - h.FixedBoundary, FFixedCols));
  }
  if (Coord.Y >= FFixedRows) {
    if (Coord.Y < tl.Y)
      tl.Y = Coord.Y;
    else if (Coord.Y > v.LastFull)
      tl.Y = std::max(tl.Y, FRows.FirstToShow(Coord.Y, v.Extent - v.FixedBoundary, FFixedRows));
  }
  MoveTopLeft(tl.X, tl.Y);
}

void TCustomGrid::TopLeftChanged() {}

// ---------------------------------------------------------------------------------------------
// Current cell and selection

TGridRect TCustomGrid::GetSelection() const {
  TGridRect r{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y), std::max(FAnchor.X, FCurrent.X),
              std::max(FAnchor.Y, FCurrent.Y)};
  if (FOptions.Contains(goRowSelect)) {
    r.Left = FFixedCols;
    r.Right = GetColCount() - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  // A corner one past the last column and row parks the selection outside the cells: no cell
  // shows as selected or focused until a move brings it back. Corners further out stop there.
  auto inside = [this](TGridCoord C) {
    return TGridCoord{std::clamp(C.X, 0, GetColCount()), std::clamp(C.Y, 0, GetRowCount())};
  };
  TGridCoord current = inside(Value.BottomRight());
  if (!(current == FCurrent)) ValidateEditor();
  PlaceCurrent(current, inside(Value.TopLeft()), false);
}

bool TCustomGrid::SelectCell(Integer, Integer) { return true; }

void TCustomGrid::MoveColRow(Integer ACol, Integer ARow, bool MoveAnchor, bool Show) {
  if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount())
    throw EInvalidGridOperation(u"Grid index out of range");
  TGridCoord to{ACol, ARow};
  if (!(to == FCurrent)) ValidateEditor();
  if (!SelectCell(ACol, ARow)) return;
  PlaceCurrent(to, MoveAnchor || !FOptions.Contains(goRangeSelect) ? to : FAnchor, Show);
}

// The current cell and the anchor at their new places: the editor closes, or, always shown, moves
// along; the view follows with Show; the cells whose look changes are painted again.
void TCustomGrid::PlaceCurrent(TGridCoord Current, TGridCoord Anchor, bool Show) {
  TGridRect old = GetSelection();
  TGridCoord oldCurrent = FCurrent;
  bool moved = !(oldCurrent == Current);
  bool always = FOptions.Contains(goAlwaysShowEditor);
  if (moved && !always) HideEditor();
  FCurrent = Current;
  FAnchor = Anchor;
  if (Show) ClampInView(FCurrent);
  // An editor that is always shown moves to the new cell, whether the grid or the editor has the focus.
  if (moved && always && (Focused() || FEditorMode)) ShowEditor();
  InvalidateSelection(old, GetSelection());
  InvalidateCell(oldCurrent.X, oldCurrent.Y);
  InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::FocusCell(Integer ACol, Integer ARow, bool MoveAnchor) {
  MoveColRow(ACol, ARow, MoveAnchor, true);
  Click();
}

void TCustomGrid::SetCol(Integer Value) {
  if (Value != FCurrent.X) FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(Integer Value) {
  if (Value != FCurrent.Y) FocusCell(FCurrent.X, Value, true);
}

bool TCustomGrid::IsActiveControl() { return HandleAllocated() && GetFocus() == FHandle; }

// ---------------------------------------------------------------------------------------------
// Cells on screen

bool TCustomGrid::CellSpan(const TGridAxis& Axis, const TAxisView& View, Integer Fixed, Integer Index, Int64& From,
                           Int64& To) const {
  if (Index < 0 || Index >= Axis.Count()) return false;
  if (Index < Fixed)
    From = Axis.Offset(Index);
  else if (Index < View.First || Index > View.LastPartial)
    return false;
  else
    From = View.FixedBoundary + Axis.Offset(Index) - Axis.Offset(View.First);
  if (From >= View.Extent) return false;
  To = From + std::max(Axis.Size(Index), 0);
  return true;
}

Integer TCustomGrid::CellAtPixel(const TGridAxis& Axis, const TAxisView& View, Integer Fixed, Int64 Pixel) const {
  if (Pixel < 0 || Pixel >= View.GridBoundary) return -1;
  if (Pixel < View.FixedBoundary) {
    Integer c = Axis.CellAt(Pixel);
    return c < Fixed ? c : -1;
  }
  Integer c = Axis.CellAt(Axis.Offset(View.First) + Pixel - View.FixedBoundary);
  return c < Axis.Count() ? c : -1;
}

TRect TCustomGrid::Mirror(TRect R) {
  if (!UseRightToLeftAlignment()) return R;
  Integer w = GetClientRect().right;
  return TRect{w - R.right, R.top, w - R.left, R.bottom};
}

TRect TCustomGrid::CellRect(Integer ACol, Integer ARow) {
  TAxisView h = HorzView(), v = VertView();
  Int64 x0, x1, y0, y1;
  if (!CellSpan(FCols, h, FFixedCols, ACol, x0, x1) || !CellSpan(FRows, v, FFixedRows, ARow, y0, y1)) return TRect{};
  return Mirror(TRect{static_cast<Integer>(x0), static_cast<Integer>(y0), static_cast<Integer>(x1), static_cast<Integer>(y1)});
}

void TCustomGrid::MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) {
  TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

TGridCoord TCustomGrid::MouseCoord(Integer X, Integer Y) {
  TAxisView h = HorzView(), v = VertView();
  if (UseRightToLeftAlignment()) X = static_cast<Integer>(h.Extent) - 1 - X;
  TGridCoord c{CellAtPixel(FCols, h, FFixedCols, X), CellAtPixel(FRows, v, FFixedRows, Y)};
  if (c.X < 0 || c.Y < 0) return TGridCoord{-1, -1};
  return c;
}

// Invalidates the part in view of the block of cells (their grid lines included).
void TCustomGrid::InvalidateBox(Integer Left, Integer Top, Integer Right, Integer Bottom) {
  if (!HandleAllocated() || FUpdating) return;
  auto span = [](const TGridAxis& Axis, const TAxisView& View, Integer Fixed, Integer From, Integer To, Int64& A,
                 Int64& B) {
    From = std::max(From, 0);
    To = std::min(To, Axis.Count() - 1);
    A = View.Extent;
    B = 0;
    if (From > To) return;
    if (From < Fixed) {
      A = Axis.Offset(From);
      B = Axis.Offset(std::min(To, Fixed - 1) + 1);
    }
    Integer a = std::max(From, View.First), b = std::min(To, View.LastPartial);
    if (a <= b) {
      Int64 base = View.FixedBoundary - Axis.Offset(View.First);
      A = std::min(A, base + Axis.Offset(a));
      B = std::max(B, base + Axis.Offset(b + 1));
    }
    B = std::min(B, View.Extent);
  };
  TAxisView h = HorzView(), v = VertView();
  Int64 x0, x1, y0, y1;
  span(FCols, h, FFixedCols, Left, Right, x0, x1);
  if (x0 >= x1) return;
  span(FRows, v, FFixedRows, Top, Bottom, y0, y1);
  if (y0 >= y1) return;
  RECT r = Mirror(TRect{static_cast<Integer>(x0), static_cast<Integer>(y0), static_cast<Integer>(x1), static_cast<Integer>(y1)});
  InvalidateRect(FHandle, &r, FALSE);
}

void TCustomGrid::InvalidateCell(Integer ACol, Integer ARow) { InvalidateBox(ACol, ARow, ACol, ARow); }
void TCustomGrid::InvalidateCol(Integer ACol) { InvalidateBox(ACol, 0, ACol, GetRowCount() - 1); }
void TCustomGrid::InvalidateRow(Integer ARow) { InvalidateBox(0, ARow, GetColCount() - 1, ARow); }

void TCustomGrid::InvalidateSelection(const TGridRect& Old, const TGridRect& New) {
  if (Old == New) return;
  InvalidateBox(Old.Left, Old.Top, Old.Right, Old.Bottom);
  InvalidateBox(New.Left, New.Top, New.Right, New.Bottom);
}

// ---------------------------------------------------------------------------------------------
// Window scroll bars

void TCustomGrid::UpdateScrollRange() {
  if (!HandleAllocated() || FUpdating || FInScrollUpdate) return;
  FInScrollUpdate = true;
  HWND h = GetHandle();
  // Showing one bar narrows the view and may call for the other: settle in two rounds.
  for (int round = 0; round < 2; ++round) {
    bool vert = (FScrollBars == ssVertical || FScrollBars == ssBoth) && MaxTopRow() > FFixedRows;
    bool horz = (FScrollBars == ssHorizontal || FScrollBars == ssBoth) && MaxLeftCol() > FFixedCols;
    for (auto [bar, need] : {std::pair{SB_VERT, vert}, std::pair{SB_HORZ, horz}}) {
      if (need) {
        SCROLLINFO si;
        si.fMask = SIF_RANGE;
        si.nMin = 0;
        si.nMax = ScrollMax;
        SetScrollInfo(h, bar, &si, TRUE);
      } else {
        ShowScrollBar(h, bar, FALSE);
      }
    }
  }
  FInScrollUpdate = false;
  // The view may now leave room at the end: keep it filled.
  Integer maxTop = MaxTopRow(), maxLeft = MaxLeftCol();
  if (FTopLeft.Y > maxTop || FTopLeft.X > maxLeft)
    MoveTopLeft(std::min(FTopLeft.X, std::max(maxLeft, FFixedCols)), std::min(FTopLeft.Y, std::max(maxTop, FFixedRows)));
  UpdateScrollPos();
}

void TCustomGrid::UpdateScrollPos() {
  if (!HandleAllocated() || FUpdating) return;
  HWND h = GetHandle();
  auto pos = [](Integer Current, Integer Fixed, Integer Max) {
    return Max > Fixed ? MulDiv(std::min(Current, Max) - Fixed, ScrollMax, Max - Fixed) : 0;
  };
  LONG style = GetWindowLong(h, GWL_STYLE);
  if (style & WS_VSCROLL) SetScrollPos(h, SB_VERT, pos(FTopLeft.Y, FFixedRows, MaxTopRow()), TRUE);
  if (style & WS_HSCROLL) SetScrollPos(h, SB_HORZ, pos(FTopLeft.X, FFixedCols, MaxLeftCol()), TRUE);
}

void TCustomGrid::ModifyScrollBar(int Bar, WORD Code, Integer Pos) {
  bool vertical = Bar == SB_VERT;
  Integer fixed = vertical ? FFixedRows : FFixedCols;
  Integer current = vertical ? FTopLeft.Y : FTopLeft.X;
  Integer max = std::max(vertical ? MaxTopRow() : MaxLeftCol(), fixed);
  Integer page = std::max(1, vertical ? GetVisibleRowCount() : GetVisibleColCount());
  Integer next = current;
  switch (Code) {
    case SB_LINEUP: next = current - 1; break;
    case SB_LINEDOWN: next = current + 1; break;
    case SB_PAGEUP: next = current - page; break;
    case SB_PAGEDOWN: next = current + page; break;
    case SB_THUMBTRACK:
      if (!FOptions.Contains(goThumbTracking)) return;
      next = fixed + MulDiv(std::clamp(Pos, 0, ScrollMax), max - fixed, ScrollMax);
      break;
    case SB_THUMBPOSITION: next = fixed + MulDiv(std::clamp(Pos, 0, ScrollMax), max - fixed, ScrollMax); break;
    case SB_TOP: next = fixed; break;
    case SB_BOTTOM: next = max; break;
    case SB_ENDSCROLL: UpdateScrollPos(); return;
    default: return;
  }
  next = std::clamp(next, fixed, max);
  if (vertical)
    MoveTopLeft(FTopLeft.X, next);
  else
    MoveTopLeft(next, FTopLeft.Y);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomGrid::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS;
      if (FOptions.Contains(goTabs) && !FOptions.Contains(goRowSelect)) Message.Result |= DLGC_WANTTAB;
      if (FOptions.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
      return;
    case WM_ERASEBKGND:
      Message.Result = 1;   // Paint covers every pixel
      return;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (Message.LParam == 0) {
        ModifyScrollBar(Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(Message.WParam),
                        static_cast<SmallInt>(HIWORD(Message.WParam)));
        return;
      }
      break;
    case WM_SIZE:
      inherited::Dispatch(Message);
      UpdateScrollRange();
      UpdateEdit();
      if (UseRightToLeftAlignment()) Invalidate();
      return;
    case WM_CHAR: {
      // A character typed on a cell opens the editor and goes on to it.
      auto ch = static_cast<Char>(Message.WParam);
      if (FOptions.Contains(goEditing) && !FEditorMode && (ch == 8 || ch >= 32)) {
        ShowEditor();
        if (FEditorMode && FInplaceEdit && FInplaceEdit->HandleAllocated() && FInplaceEdit->GetVisible()) {
          PostMessage(FInplaceEdit->GetHandle(), WM_CHAR, Message.WParam, 0);
          return;
        }
      }
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      inherited::Dispatch(Message);
      TGridRect sel = GetSelection();
      InvalidateBox(sel.Left, sel.Top, sel.Right, sel.Bottom);
      InvalidateCell(FCurrent.X, FCurrent.Y);
      return;
    }
    case WM_TIMER:
      if (Message.WParam == 1 && FGridState != gsNormal) {
        SelectingTick();
        return;
      }
      break;
    case WM_CANCELMODE:
      EndMouseState();
      break;
    case WM_CAPTURECHANGED:
      // Lost while the button is still held: another window took the mouse.
      if (FGridState != gsNormal && GetKeyState(VK_LBUTTON) < 0) EndMouseState();
      break;
    case CM_BIDIMODECHANGED:
      Invalidate();
      break;
  }
  inherited::Dispatch(Message);
}
