// TCustomGrid painting: the cells in the area to paint (fixed cells first), the grid lines, the
// focus rectangle and the area past the last cell. Positions are worked out left to right and
// mirrored at the end for right-to-left.
#include <algorithm>

#include "platform/ui/Grids.h"

using grids::TGridAxis;

namespace {
constexpr TColor FixedLineColor = clBlack;
constexpr TColor LineColor = clSilver;
}  // namespace

TGridDrawState TCustomGrid::CellState(Integer ACol, Integer ARow, bool Fixed, bool Focused, const TGridRect& Sel) const {
  TGridDrawState s;
  if (Fixed) return TGridDrawState{gdFixed};
  if (Sel.Contains(ACol, ARow)) s.Include(gdSelected);
  if (Focused && ACol == FCurrent.X && ARow == FCurrent.Y) s.Include(gdFocused);
  return s;
}

// Draws the cells ColFrom..ColTo x RowFrom..RowTo that lie in view, each through DrawCell.
void TCustomGrid::DrawCells(TCanvas* C, const TAxisView& H, const TAxisView& V, Integer ColFrom, Integer ColTo,
                            Integer RowFrom, Integer RowTo, bool Fixed) {
  bool focused = IsActiveControl();
  TGridRect sel = GetSelection();
  bool highlightFocused = FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect);
  // The raised edge of fixed cells, on the sides where fixed lines part them.
  UINT edges = (FOptions.Contains(goFixedVertLine) ? BF_LEFT | BF_RIGHT : 0u) |
               (FOptions.Contains(goFixedHorzLine) ? BF_TOP | BF_BOTTOM : 0u);
  bool raised = FDefaultDrawing && FCtl3D && edges != 0;
  for (Integer r = RowFrom; r <= RowTo; ++r) {
    Int64 y0, y1;
    if (!CellSpan(FRows, V, FFixedRows, r, y0, y1)) continue;
    for (Integer c = ColFrom; c <= ColTo; ++c) {
      Int64 x0, x1;
      if (!CellSpan(FCols, H, FFixedCols, c, x0, x1)) continue;
      bool fixed = Fixed || c < FFixedCols || r < FFixedRows;
      TRect where = Mirror(TRect{static_cast<Integer>(x0), static_cast<Integer>(y0), static_cast<Integer>(x1),
                                 static_cast<Integer>(y1)});
      TGridDrawState state = CellState(c, r, fixed, focused, sel);
      bool highlight = state.Contains(gdSelected) && (!state.Contains(gdFocused) || highlightFocused);
      C->GetFont()->SetColor(highlight ? clHighlightText : GetFont()->GetColor());
      C->GetBrush()->SetColor(fixed ? FFixedColor : highlight ? clHighlight : GetColor());
      if (FDefaultDrawing) C->FillRect(where);
      DrawCell(c, r, where, state);
      if (raised && fixed) {
        RECT edge = where;
        DrawEdge(C->GetHandle(), &edge, BDR_RAISEDINNER, edges);
      }
      if (FDefaultDrawing && state.Contains(gdFocused) && !FOptions.Contains(goRowSelect)) {
        C->DrawFocusRect(where);
      }
    }
  }
}

// The grid lines: after each cell in view, as wide as the axis says, vertical ones first.
void TCustomGrid::PaintLines(TCanvas* C, const TAxisView& H, const TAxisView& V) {
  if (FGridLineWidth <= 0) return;
  auto lines = [&](bool Vertical) {
    const TGridAxis& axis = Vertical ? FCols : FRows;
    const TAxisView& along = Vertical ? H : V;    // across which the lines stand
    const TAxisView& other = Vertical ? V : H;    // along which they run
    Integer fixed = Vertical ? FFixedCols : FFixedRows;
    bool fixedOn = FOptions.Contains(Vertical ? goFixedVertLine : goFixedHorzLine);
    bool normalOn = FOptions.Contains(Vertical ? goVertLine : goHorzLine);
    auto draw = [&](Int64 At, Int64 From, Int64 To, TColor Color) {
      if (From >= To) return;
      TRect r = Vertical ? TRect{static_cast<Integer>(At), static_cast<Integer>(From),
                                 static_cast<Integer>(At + FGridLineWidth), static_cast<Integer>(To)}
                         : TRect{static_cast<Integer>(From), static_cast<Integer>(At), static_cast<Integer>(To),
                                 static_cast<Integer>(At + FGridLineWidth)};
      C->GetBrush()->SetColor(Color);
      C->FillRect(Mirror(r));
    };
    Int64 fixedEnd = std::min(other.FixedBoundary, other.GridBoundary);
    auto each = [&](Integer Index) {
      Int64 from, to;
      if (!CellSpan(axis, along, fixed, Index, from, to)) return;
      if (Index < fixed) {
        // A line of a fixed cell runs along its whole line of cells.
        if (fixedOn) draw(to, 0, other.GridBoundary, FixedLineColor);
        return;
      }
      // Scrolling cells have room for a line only with the normal lines on; across the fixed
      // cells that room shows the fixed line, or the fixed colour when those lines are off.
      if (!normalOn) return;
      draw(to, 0, fixedEnd, fixedOn ? FixedLineColor : FFixedColor);
      draw(to, fixedEnd, other.GridBoundary, LineColor);
    };
    for (Integer i = 0; i < fixed; ++i) each(i);
    for (Integer i = along.First; i <= along.LastPartial; ++i) each(i);
  };
  lines(true);
  lines(false);
}

void TCustomGrid::Paint() {
  if (FUpdating) return;
  TCanvas* c = GetCanvas();
  TAxisView h = HorzView(), v = VertView();
  c->GetFont()->Assign(GetFont());
  c->GetBrush()->SetStyle(bsSolid);

  // Only the cells meeting the area to paint.
  TRect clip = c->GetClipRect();
  if (UseRightToLeftAlignment()) clip = Mirror(clip);
  // The fixed cells and the scrolling cells of an axis that meet the pixels Lo .. Hi-1.
  auto range = [&](const TGridAxis& Axis, const TAxisView& View, Integer Fixed, Integer Lo, Integer Hi, Integer& FixedTo,
                   Integer& From, Integer& To) {
    FixedTo = Lo < View.FixedBoundary ? std::min(Fixed - 1, Axis.CellAt(std::min<Int64>(Hi, View.FixedBoundary) - 1)) : -1;
    From = View.First;
    To = View.LastPartial;
    if (Lo >= View.FixedBoundary) {
      Integer a = Axis.CellAt(Axis.Offset(View.First) + Lo - View.FixedBoundary);
      From = std::max(From, a);
    }
    if (Hi - 1 >= View.FixedBoundary) {
      Integer b = Axis.CellAt(Axis.Offset(View.First) + Hi - 1 - View.FixedBoundary);
      To = std::min(To, b);
    } else {
      To = From - 1;
    }
  };
  Integer cf, c0, c1, rf, r0, r1;
  range(FCols, h, FFixedCols, clip.left, clip.right, cf, c0, c1);
  range(FRows, v, FFixedRows, clip.top, clip.bottom, rf, r0, r1);

  DrawCells(c, h, v, 0, cf, 0, rf, true);
  DrawCells(c, h, v, c0, c1, 0, rf, true);
  DrawCells(c, h, v, 0, cf, r0, r1, true);
  DrawCells(c, h, v, c0, c1, r0, r1, false);
  PaintLines(c, h, v);

  // Past the last cell: the grid's colour.
  c->GetBrush()->SetColor(GetColor());
  auto width = static_cast<Integer>(h.Extent), height = static_cast<Integer>(v.Extent);
  auto gridRight = static_cast<Integer>(h.GridBoundary), gridBottom = static_cast<Integer>(v.GridBoundary);
  if (gridRight < width) c->FillRect(Mirror(TRect{gridRight, 0, width, height}));
  if (gridBottom < height) c->FillRect(Mirror(TRect{0, gridBottom, gridRight, height}));
}
