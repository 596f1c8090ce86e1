// TBaseGrid painting (every cell painted by the grid itself: background, hover and active-row
// colours, selection styles, its own grid lines, the content through DrawGridCell), the current
// cell kept on base cells by keys and wheel, and a hidden last row kept out of reach.
#include <algorithm>
#include <optional>

#include "lib/grid/core/NeoBaseGrid.h"
#include "lib/gridutil/NeoGridUtilPaint.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

namespace {

// Colours of a selection style: fill from / to, lower half from / to, border, inner upper and
// lower lines, corner pixels.
struct TSelectionColors {
  TColor From, To, MirrorFrom, MirrorTo, Border, InnerUpper, InnerLower, Corner;
};

const TSelectionColors& SelectionColors(TGridSelectionStyle Style, bool Focused) {
  static const TSelectionColors vista{0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB};
  static const TSelectionColors win7{0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE};
  static const TSelectionColors office{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF};
  static const TSelectionColors grey{0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xD9D9D9, 0xFBFAFA, 0xF0F0F0, 0xEFEFEF};
  if (!Focused) return grey;
  switch (Style) {
    case ssWin7: return win7;
    case ssOffice2007: return office;
    default: return vista;
  }
}

// Restores the canvas's clipping on every exit.
class TClipScope {
public:
  TClipScope(TCanvas* Canvas, const TRect& Clip) : FDC(Canvas->GetHandle()), FSaved(SaveDC(FDC)) {
    IntersectClipRect(FDC, Clip.left, Clip.top, Clip.right, Clip.bottom);
  }
  ~TClipScope() { RestoreDC(FDC, FSaved); }
  TClipScope(const TClipScope&) = delete;
  TClipScope& operator=(const TClipScope&) = delete;

private:
  HDC FDC;
  int FSaved;
};

}  // namespace

void TBaseGrid::Paint() {
  TObjStringGrid::Paint();
  ++FPaintID;
}

void TBaseGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  PaintCellCore(GetCanvas(), ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCell(TCanvas* Canvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) {
  PaintCellCore(Canvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* Canvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) {
  PaintCellCore(Canvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::DrawGridCell(TCanvas* Canvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) {
  (void)AState;
  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->TextRect(ARect, GetCellEx(RealColIndex(ACol), ARow), TTextFormat{tfSingleLine, tfVerticalCenter, tfCenter});
}

void TBaseGrid::PaintCellCore(TCanvas* Canvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState,
                              bool WithContent) {
  // 1, 2: the hidden last row is a blank area; a row of height 0 paints nothing.
  if (ARow == GetRowCount() - 1 && FHideLastRow) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->GetPen()->SetColor(GetColor());
    Canvas->Rectangle(ARect);
    return;
  }
  if (GetRowHeights(ARow) == 0) return;

  // 3: a block is painted once per pass, as its base cell, by whichever of its cells comes first.
  if (TCellProperties* p = PropsOrNull(RealColIndex(ACol), ARow); p && p->InMerge()) {
    TPoint b = p->BaseOf(RealColIndex(ACol), ARow);
    TCellProperties* bp = GetCellProperties(b.x, b.y);
    if (bp->GetPaintID() == FPaintID) return;
    bp->SetPaintID(FPaintID);
    if (b.x != RealColIndex(ACol) || b.y != ARow) {
      ACol = DisplColIndex(b.x);
      ARow = b.y;
      WithContent = true;
    }
  }

  // 4, 5
  bool fixedCell = IsFixed(ACol, ARow);
  if (fixedCell && WithContent) {
    AState.Include(gdFixed);
    AState.Exclude(gdSelected);
  }
  TRect r = WithContent ? CellRect(ACol, ARow) : ARect;

  // 6: a block scrolled partly under the fixed cells stays off them.
  bool fixedCol = ACol < GetFixedCols(), fixedRow = ARow < GetFixedRows();
  Integer fx = fixedCol ? 0 : FixedColsWidth(), fy = fixedRow ? 0 : FixedRowsHeight();
  std::optional<TClipScope> clip;
  if ((!fixedCol && GetFixedCols() > 0 && r.left < fx) || (!fixedRow && GetFixedRows() > 0 && r.top < fy))
    clip.emplace(Canvas, TRect{fx, fy, GetWidth(), GetHeight()});

  // 7: visual properties.
  TPen* pen = Canvas->GetPen();
  TBrush* brush = Canvas->GetBrush();
  pen->SetWidth(1);
  Canvas->GetFont()->Assign(GetFont());
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment hAlign = GetDefaultAlignment();
  TVAlignment vAlign = vtaTop;
  bool wordWrap = FWordWrap;
  TCellGradientDirection direction = GradientVertical;
  GetVisualProperties(ACol, ARow, AState, false, true, true, brush, colorTo, mirror, mirrorTo, Canvas->GetFont(),
                      hAlign, vAlign, wordWrap, direction);
  pen->SetColor(brush->GetColor());

  // 8, 9: hover colours.
  bool excluded = (AState.Contains(gdSelected) && !FHoverRowCells.Contains(hcSelected)) ||
                  (AState.Contains(gdFixed) && !FHoverRowCells.Contains(hcFixed)) ||
                  (HasNodes() && ((IsNode(ARow) && !FHoverRowCells.Contains(hcGroupHeader)) ||
                                  (IsSummary(ARow) && !FHoverRowCells.Contains(hcGroupSummary))));
  if (ARow == FHoverRowIdx && FHoverRow && !excluded) {
    brush->SetColor(FHoverRowColor);
    colorTo = FHoverRowColorTo;
    mirror = mirrorTo = clNone;
    direction = GradientVertical;
  }
  // 10: active-row colours win over hover.
  bool activeRow = FActiveRowShow && ARow == GetRow() && !fixedCell && ACol >= GetFixedCols() &&
                   (ACol != GetCol() || !FShowSel || GetOptions().Contains(goRowSelect));
  if (activeRow || (!WithContent && AState.Contains(gdSelected))) {
    brush->SetColor(FActiveRowColor);
    colorTo = FActiveRowColorTo;
    mirror = FActiveRowMirrorColor;
    mirrorTo = FActiveRowMirrorColorTo;
  }
  pen->SetColor(brush->GetColor());

  // 11: background.
  bool selected = AState.Contains(gdSelected);
  if (selected && FSelectionStyle != ssDefault && FShowSel) {
    PaintSelectionShape(Canvas, ACol, r);
  } else if (!(UsesPlatformStyles() && (AState.Contains(gdFixed) || selected))) {
    if (mirrorTo != clNone)
      PaintFacedRect(Canvas, r, brush->GetColor(), true, false, clNone, false, mirror, mirrorTo, colorTo);
    else
      PaintGradientRect(Canvas, brush->GetColor(), colorTo, direction == GradientHorizontal, r, 64);
  }

  // 12: lines.
  PaintLinesOf(Canvas, r, AState.Contains(gdFixed));

  // 13: content.
  TRect content = r;
  if (AState.Contains(gdFixed)) {
    content.right -= 1;
    content.bottom -= 2;
  } else {
    InflateRect(&content, -FGridLineWidth, -FGridLineWidth);
  }
  if (WithContent) DrawGridCell(Canvas, ACol, ARow, content, AState);

  // 14
  clip.reset();
  brush->SetStyle(bsSolid);
  pen->SetStyle(psSolid);
}

void TBaseGrid::PaintSelectionShape(TCanvas* Canvas, Integer ACol, TRect R) {
  TGridOptions options = GetOptions();
  if (!options.Contains(goHorzLine)) R.bottom += 1;
  if (!options.Contains(goVertLine)) R.right += 1;
  if (UseRightToLeftAlignment()) {
    R.right += 1;
    R.bottom += 1;
  }
  TGridRect sel = GetSelection();
  Integer left = std::min(sel.Left, sel.Right), right = std::max(sel.Left, sel.Right);
  Integer kind = 0;
  if (left < right) kind = ACol == left ? 1 : ACol == right ? 2 : 3;
  bool focused = IsActiveControl() || options.Contains(goDrawFocusSelected);
  const TSelectionColors& c = SelectionColors(FSelectionStyle, focused);
  PaintTabShape(Canvas, c.From, c.To, kind, R, c.InnerLower, c.Corner, GetColor(), c.InnerUpper, c.Border, c.MirrorTo,
                c.MirrorFrom);
}

void TBaseGrid::PaintLinesOf(TCanvas* Canvas, const TRect& R, bool Fixed) {
  TPen* pen = Canvas->GetPen();
  Integer width = Fixed ? FGridFixedLineWidth : FGridLineWidth;
  if (width > 0) pen->SetColor(Fixed ? FGridFixedLineColor : FGridLineColor);
  pen->SetWidth(width);
  Integer d = (width + 1) / 2;
  TGridOptions options = GetOptions();
  if (options.Contains(Fixed ? goFixedHorzLine : goHorzLine)) {
    Canvas->MoveTo(R.left - d, R.bottom - d);
    Canvas->LineTo(R.right - d, R.bottom - d);
  }
  if (options.Contains(Fixed ? goFixedVertLine : goVertLine)) {
    Integer x = R.right - d + (UseRightToLeftAlignment() ? 1 : 0);
    Canvas->MoveTo(x, R.bottom - d);
    Canvas->LineTo(x, R.top - d);
  }
}

// ---------------------------------------------------------------------------------------------
// Current cell, view, keys and wheel

bool TBaseGrid::SelectCell(Integer ACol, Integer ARow) {
  if (UseRightToLeftAlignment()) {
    bool result = TObjStringGrid::SelectCell(ACol, ARow);
    Invalidate();
    return result;
  }
  RepaintCell(GetCol(), GetRow());
  bool result = TObjStringGrid::SelectCell(ACol, ARow);
  RepaintCell(ACol, ARow);
  return result;
}

void TBaseGrid::TopLeftChanged() {
  TObjStringGrid::TopLeftChanged();
  if (!HandleAllocated()) return;
  Integer lastRow = std::min(GetRowCount() - 1, GetTopRow() + GetVisibleRowCount());
  for (Integer c = 0; c < GetFixedCols(); ++c)
    for (Integer r = GetTopRow(); r <= lastRow; ++r)
      if (IsMergedCell(RealColIndex(c), r)) RepaintCell(c, r);
  Integer lastCol = std::min(GetColCount() - 1, GetLeftCol() + GetVisibleColCount());
  for (Integer r = 0; r < GetFixedRows(); ++r)
    for (Integer c = GetLeftCol(); c <= lastCol; ++c)
      if (IsMergedCell(RealColIndex(c), r)) RepaintCell(c, r);
}

void TBaseGrid::MoveToBaseCell() {
  Integer c = RealColIndex(GetCol()), r = GetRow();
  if (!HasCellProperties(c, r)) return;
  TPoint b = BaseCell(c, r);
  if (DisplColIndex(b.x) != GetCol()) SetCol(DisplColIndex(b.x));
  if (b.y != r) SetRow(b.y);
}

void TBaseGrid::KeepOffHiddenRow() {
  Integer last = GetRowCount() - 1;
  if (FHideLastRow && last > GetFixedRows() && GetRow() == last) SetRow(last - 1);
}

void TBaseGrid::StepToBlockEdge(Word Key) {
  Integer col = GetCol(), row = GetRow(), c = RealColIndex(col);
  if (!HasCellProperties(c, row)) return;
  // The current cell is put at the block's edge, so that the inherited step lands next to it.
  TPoint b = BaseCell(c, row);
  TCellProperties* bp = GetCellProperties(b.x, b.y);
  Integer bx = b.x, by = b.y, spanX = std::max(0, bp->GetCellSpanX()), spanY = std::max(0, bp->GetCellSpanY());
  switch (Key) {
    case VK_LEFT:
      if (c > bx && col > GetFixedCols() && bx > 0) SetCol(DisplColIndex(bx));
      break;
    case VK_UP:
      if (row > by && row > GetFixedRows() && by > 0) SetRow(by);
      break;
    case VK_RIGHT:
      if (bx + spanX >= c && col < GetColCount() - 1 && DisplColIndex(bx) < GetColCount() - 1 &&
          DisplColIndex(bx + spanX) < GetColCount())
        SetCol(DisplColIndex(bx + spanX));
      break;
    case VK_DOWN:
      if (by + spanY >= row && row < GetRowCount() - 1 && by < GetRowCount() - 1 && by + spanY + 1 < GetRowCount())
        SetRow(by + spanY);
      break;
    default: break;
  }
}

void TBaseGrid::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_NEXT && FHideLastRow && GetRowCount() > 1 &&
      GetRowCount() == GetVisibleRowCount() + GetTopRow() - GetFixedRows() + 1)
    SetRow(GetRowCount() - 2);
  if (!Shift.Contains(ssCtrl)) StepToBlockEdge(Key);
  TObjStringGrid::KeyDown(Key, Shift);
  KeepOffHiddenRow();
  MoveToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  // As the Down key: a notch leaves a block by the row below it.
  StepToBlockEdge(VK_DOWN);
  bool result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
  if (GetVisibleRowCount() < GetRow() - GetTopRow() && GetRow() < GetRowCount() - 1 && FHideLastRow)
    SetTopRow(GetTopRow() + 1);
  KeepOffHiddenRow();
  MoveToBaseCell();
  return result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
  MoveToBaseCell();
  return result;
}
