// Grid geometry: cell rectangles, hit-testing, visible counts and offsets, with fixed cells, custom
// sizes, line widths, a shortened client rectangle and right to left.
#include "platform/ui/testsupport/UiTestSupport.h"

#include "platform/ui/Grids.h"

namespace {

// A grid whose client rectangle stops Cut pixels above the bottom, as a grid with a panel there.
class TShortGrid : public TStringGrid {
public:
  using TStringGrid::TStringGrid;
  Integer Cut = 0;
  TRect GetClientRect() override {
    TRect r = TStringGrid::GetClientRect();
    r.bottom = std::max(r.top, r.bottom - Cut);
    return r;
  }
};

class GridGeometryTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(500, 400);
    Grid = new TShortGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBorderStyle(bsNone);
    Grid->SetScrollBars(ssNone);
    Grid->SetBounds(0, 0, 400, 300);
    Grid->SetColCount(10);
    Grid->SetRowCount(20);
    Form->Show();
    Pump();
  }
  TForm* Form = nullptr;
  TShortGrid* Grid = nullptr;
};

TEST_F(GridGeometryTest, CellRectsAndHitsFollowSizesAndLines) {
  struct Case {
    Integer LineWidth;
    Integer Col, Row;
    TRect Rect;
  };
  // Default 64 x 24 cells; a line after each cell; column 2 is 100 wide, row 3 is 40 high.
  Grid->SetColWidths(2, 100);
  Grid->SetRowHeights(3, 40);
  const Case cases[] = {
      {1, 0, 0, {0, 0, 64, 24}},        {1, 1, 1, {65, 25, 129, 49}},    {1, 2, 3, {130, 75, 230, 115}},
      {1, 3, 4, {231, 116, 295, 140}},  {0, 1, 1, {64, 24, 128, 48}},    {0, 2, 3, {128, 72, 228, 112}},
      {3, 1, 1, {67, 27, 131, 51}},     {3, 3, 4, {237, 124, 301, 148}}, {1, 10, 0, {0, 0, 0, 0}},
      {1, 0, 20, {0, 0, 0, 0}},         {1, -1, 0, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    Grid->SetGridLineWidth(c.LineWidth);
    TRect r = Grid->CellRect(c.Col, c.Row);
    EXPECT_EQ(r, c.Rect) << "cell " << c.Col << "," << c.Row << " lines " << c.LineWidth;
    if (r.right > r.left) {
      // Every corner of the cell and the line after it hit the cell.
      Integer col, row;
      Grid->MouseToCell(r.left, r.top, col, row);
      EXPECT_EQ((TPoint{col, row}), (TPoint{c.Col, c.Row}));
      Grid->MouseToCell(r.right + c.LineWidth - 1, r.bottom + c.LineWidth - 1, col, row);
      EXPECT_EQ((TPoint{col, row}), (TPoint{c.Col, c.Row}));
    }
  }
  Grid->SetGridLineWidth(1);
  EXPECT_EQ(Grid->ColOffset(3), 64 + 1 + 64 + 1 + 100 + 1);
  EXPECT_EQ(Grid->RowOffset(4), 3 * 25 + 41);
  // Outside the cells: no cell.
  EXPECT_EQ(Grid->MouseCoord(-1, 10), (TGridCoord{-1, -1}));
  EXPECT_EQ(Grid->MouseCoord(10, -3), (TGridCoord{-1, -1}));
  Grid->SetColCount(3);   // the cells end at 231, the client goes on to 400
  EXPECT_EQ(Grid->MouseCoord(300, 10), (TGridCoord{-1, -1}));
}

TEST_F(GridGeometryTest, VisibleCountsAndScrolledCells) {
  // 300 pixels high: a fixed row of 25, then rows of 25: 11 whole rows, the 12th cut.
  EXPECT_EQ(Grid->GetVisibleRowCount(), 11);
  EXPECT_EQ(Grid->GetVisibleColCount(), 5);   // (400 - 65) / 65
  Grid->SetFixedRows(3);
  EXPECT_EQ(Grid->GetVisibleRowCount(), 9);
  Grid->Cut = 100;   // a panel over the lower 100 pixels
  EXPECT_EQ(Grid->GetVisibleRowCount(), 5);
  Grid->Cut = 0;
  Grid->SetFixedRows(1);

  Grid->SetTopRow(5);
  EXPECT_EQ(Grid->CellRect(1, 4), TRect());                          // scrolled out
  EXPECT_EQ(Grid->CellRect(1, 5), (TRect{65, 25, 129, 49}));         // just under the fixed row
  EXPECT_EQ(Grid->CellRect(0, 0), (TRect{0, 0, 64, 24}));            // fixed cells stay
  EXPECT_EQ(Grid->MouseCoord(70, 30), (TGridCoord{1, 5}));
  EXPECT_EQ(Grid->MouseCoord(70, 10), (TGridCoord{1, 0}));

  // Right to left: columns run from the right edge.
  Grid->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(Grid->CellRect(0, 0), (TRect{336, 0, 400, 24}));
  EXPECT_EQ(Grid->CellRect(1, 5), (TRect{271, 25, 335, 49}));
  EXPECT_EQ(Grid->MouseCoord(399, 0), (TGridCoord{0, 0}));
  EXPECT_EQ(Grid->MouseCoord(334, 30), (TGridCoord{1, 5}));
  EXPECT_EQ(Grid->MouseCoord(335, 30), (TGridCoord{0, 5}));   // the line left of column 0
}

TEST_F(GridGeometryTest, ScalingScalesDefaultAndCustomSizes) {
  Grid->SetColWidths(2, 100);
  Grid->ScaleBy(3, 2);
  EXPECT_EQ(Grid->GetDefaultColWidth(), 96);
  EXPECT_EQ(Grid->GetDefaultRowHeight(), 36);
  EXPECT_EQ(Grid->GetColWidths(2), 150);
  EXPECT_EQ(Grid->GetColWidths(3), 96);
}

TEST_F(GridGeometryTest, MillionRowsWithCustomHeights) {
  Grid->SetRowCount(1000000);
  for (Integer r = 1; r < 1000000; r += 1000) Grid->SetRowHeights(r, 10);   // every 1000th row is short
  Int64 expected = 25 + 999 * 25 + 11;   // rows 0 .. 1000: 999 default ones and row 1 at 10 + line
  EXPECT_EQ(Grid->RowOffset(1001), expected);
  std::vector<Integer> tops;
  Grid->OnTopLeftChanged = [&](TObject*) { tops.push_back(Grid->GetTopRow()); };
  Grid->SetTopRow(999990);
  EXPECT_EQ(tops, (std::vector<Integer>{999990}));
  EXPECT_EQ(Grid->CellRect(1, 999990), (TRect{65, 25, 129, 49}));
  EXPECT_EQ(Grid->MouseCoord(70, 60), (TGridCoord{1, 999991}));
  EXPECT_EQ(Grid->GetVisibleRowCount(), 10);   // the last ten rows, the view not full
  Grid->SetRow(999999);
  EXPECT_EQ(Grid->GetRow(), 999999);
  Grid->SetRowHeights(999001, 24);   // the short row near the end grows back
  EXPECT_EQ(Grid->RowOffset(1000000) - Grid->RowOffset(999000), 1000 * 25);
}

}  // namespace
