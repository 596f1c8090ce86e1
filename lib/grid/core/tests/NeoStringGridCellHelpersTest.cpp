// The grid's cell services: the rectangle of used cells, the save range of exports, points to
// cells, the sizing-edge test, and the swap, date, distinct-values and list-drag helpers.
#include <vector>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

class NeoStringGridCellHelpers : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(500, 300);
    G = Add<TNeoStringGrid>(Form, 0, 0, 400, 250);
    Form->Show();
    Pump();
  }
  TForm* Form = nullptr;
  TNeoStringGrid* G = nullptr;
};

TEST_F(NeoStringGridCellHelpers, UsedCellsIsTheBoxOfTheCellsWithText) {
  EXPECT_EQ(G->UsedCells(), (TRect{0, 0, 0, 0}));
  G->SetCells(3, 5, u"x");
  EXPECT_EQ(G->UsedCells(), (TRect{3, 5, 3, 5}));
  G->SetCells(1, 7, u"y");
  G->SetCells(4, 2, u"z");
  EXPECT_EQ(G->UsedCells(), (TRect{1, 2, 4, 7}));
  G->SetCells(0, 0, u"header");   // fixed cells count too
  EXPECT_EQ(G->UsedCells(), (TRect{0, 0, 4, 7}));
}

// One fixed row, one fixed column, one footer row and one fixed right column on 10 rows by 5
// columns.
TEST_F(NeoStringGridCellHelpers, SaveRangeTable) {
  struct TCase {
    const char* Name;
    bool Cells, Rows, Cols;
    Integer StartRow, EndRow, RowCount, StartCol, EndCol, ColCount;
  };
  const TCase cases[] = {
      {"no save flags", false, false, false, 1, 8, 8, 1, 3, 3},
      {"SaveFixedCells", true, false, false, 0, 9, 10, 0, 4, 5},
      {"SaveFixedRows", false, true, false, 0, 9, 10, 1, 3, 3},
      {"SaveFixedCols", false, false, true, 1, 8, 8, 0, 4, 5},
  };
  G->SetColCount(5);
  G->SetRowCount(10);
  G->SetFixedFooters(1);
  G->SetFixedRightCols(1);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    G->SetSaveFixedCells(c.Cells);
    G->SetSaveFixedRows(c.Rows);
    G->SetSaveFixedCols(c.Cols);
    EXPECT_EQ(G->SaveStartRow(), c.StartRow);
    EXPECT_EQ(G->SaveEndRow(), c.EndRow);
    EXPECT_EQ(G->SaveRowCount(), c.RowCount);
    EXPECT_EQ(G->SaveStartCol(), c.StartCol);
    EXPECT_EQ(G->SaveEndCol(), c.EndCol);
    EXPECT_EQ(G->SaveColCount(), c.ColCount);
  }
}

// Cells of 64 x 24 from (0, 0) (the grid lines are drawn inside the cells).
TEST_F(NeoStringGridCellHelpers, NearSizingEdgeTable) {
  G->SetOptions(G->GetOptions() + goColSizing + goRowSizing);
  struct TCase {
    const char* Name;
    Integer X, Y;
    bool Near;
  };
  const TCase cases[] = {
      {"fixed corner, 2 from its left, 10 from top and bottom", 2, 10, true},
      {"fixed row, column past FixedCols, 2 from the left", 64 * 2 + 2, 10, true},
      {"fixed row, middle of the cell", 64 * 2 + 30, 10, false},
      {"fixed column, 2 above a row border", 30, 24 * 3 - 2, true},
      {"normal cell far in: no fixed row or column test applies", 64 * 3 + 2, 24 * 4 + 12, false},
      {"outside the cells", 399, 249, false},
  };
  G->SetColCount(5);
  G->SetRowCount(8);
  G->SetDefaultRowHeight(24);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(G->IsNearSizingEdge(c.X, c.Y), c.Near);
  }
  G->SetOptions(G->GetOptions() - goColSizing - goRowSizing);
  EXPECT_FALSE(G->IsNearSizingEdge(2, 10));
}

TEST_F(NeoStringGridCellHelpers, ScreenToCellAndDates) {
  G->SetDefaultRowHeight(24);
  Integer col = -1, row = -1;
  G->ScreenToCell(G->ClientToScreen(TPoint{64 * 2 + 5, 24 * 3 + 5}), col, row);
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 3);
  G->ScreenToCell(G->ClientToScreen(TPoint{-5, 5}), col, row);
  EXPECT_EQ(col, -1);

  G->SetCells(1, 1, DateTimeToStr(EncodeDate(2026, 12, 11) + EncodeTime(6, 30, 0, 0)));
  G->SetCells(1, 2, u"not a date");
  EXPECT_DOUBLE_EQ(G->GetDateTimes(1, 1), EncodeDate(2026, 12, 11) + EncodeTime(6, 30, 0, 0));
  EXPECT_EQ(G->GetDateTimes(1, 2), 0);
  EXPECT_EQ(G->GetDateTimes(1, 3), 0);
}

TEST_F(NeoStringGridCellHelpers, SwapCellsMovesTextAndObject) {
  G->SetCells(1, 1, u"left");
  G->GetCellProperties(1, 1)->SetBrushColor(0x00FF00);
  TObject* props = G->GetObjects(1, 1);
  ASSERT_NE(props, nullptr);
  G->SetCells(3, 4, u"right");
  G->SwapCells(TGridCoord{1, 1}, TGridCoord{3, 4});
  EXPECT_EQ(G->GetCells(1, 1), u"right");
  EXPECT_EQ(G->GetObjects(1, 1), nullptr);
  EXPECT_EQ(G->GetCells(3, 4), u"left");
  EXPECT_EQ(G->GetObjects(3, 4), props);
}

TEST_F(NeoStringGridCellHelpers, DistinctValuesFollowTheCaseRule) {
  G->SetRowCount(6);
  G->SetFixedFooters(1);
  const Char* texts[] = {u"a", u"A", u"b", u"a"};
  for (Integer i = 0; i < 4; ++i) G->SetCells(1, i + 1, texts[i]);
  G->SetCells(1, 5, u"footer");
  auto ignoring = G->DistinctValues(1, false);
  ASSERT_EQ(ignoring->GetCount(), 2);
  EXPECT_EQ(ignoring->GetStrings(0), u"a");
  EXPECT_EQ(ignoring->GetStrings(1), u"b");
  auto sensitive = G->DistinctValues(1, true);
  EXPECT_EQ(sensitive->GetCount(), 3);
  EXPECT_NE(sensitive->IndexOf(u"A"), -1);

  auto* list = Add<TListBox>(Form, 410, 0, 80, 100);
  G->OleColumnDragStart(2, 1, list);
  EXPECT_EQ(G->GetOleDragCol(), 2);
  EXPECT_EQ(G->GetOleDragIndex(), 1);
  EXPECT_EQ(G->GetOleDragList(), list);
}

}  // namespace
