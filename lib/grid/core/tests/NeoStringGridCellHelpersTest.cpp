// The grid's cell services: the rectangle of used cells, the save range of exports, points to
// cells, the sizing-edge test, and the swap, date, distinct-values and list-drag helpers.
#include <vector>

#include "lib/grid/core/NeoGridLookSettings.h"
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

// A grid whose column calculations and hidden rows the test scripts: each aggregate answers a
// value of its own and records the rows it was asked over.
class TFooterProbe : public TNeoStringGrid {
public:
  using TNeoStringGrid::TNeoStringGrid;
  Integer Hidden = 0;
  std::vector<String> Calls;
  Integer NumHiddenRows() override { return Hidden; }
  Double ColumnSum(Integer C, Integer F, Integer T) override { return Record(u"sum", C, F, T, 10.5); }
  Double ColumnAvg(Integer C, Integer F, Integer T) override { return Record(u"avg", C, F, T, 2.25); }
  Double ColumnMin(Integer C, Integer F, Integer T) override { return Record(u"min", C, F, T, -1); }
  Double ColumnMax(Integer C, Integer F, Integer T) override { return Record(u"max", C, F, T, 7); }
  Integer ColumnDistinct(Integer C, Integer F, Integer T) override { return static_cast<Integer>(Record(u"distinct", C, F, T, 3)); }
  Double ColumnStdDev(Integer C, Integer F, Integer T) override { return Record(u"stddev", C, F, T, 0.5); }

private:
  Double Record(const String& Name, Integer C, Integer F, Integer T, Double Result) {
    Calls.push_back(Name + u" " + IntToStr(C) + u" " + IntToStr(F) + u".." + IntToStr(T));
    return Result;
  }
};

// 10 rows: one fixed row, eight data rows and the footer row; one column per calculation type.
TEST_F(NeoStringGridCellHelpers, FooterCalculationTable) {
  auto* g = Add<TFooterProbe>(Form, 0, 0, 400, 250);
  g->SetRowCount(10);
  const TColumnCalcType types[] = {acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV};
  g->SetColCount(11);
  for (Integer c = 0; c < 10; ++c) {
    g->CreateCellProperties(c, 9);
    g->GetCellProperties(c, 9)->SetCalcType(types[c]);
    g->SetCells(c, 9, u"old");
  }
  g->CalcFooter(-1);   // the footer is not shown: nothing
  EXPECT_EQ(g->GetCells(1, 9), u"old");
  g->GetFloatingFooter()->SetVisible(true);
  g->Hidden = 2;
  g->CalcFooter(-1);
  const Char* expected[] = {u"old", u"10.50", u"2.25", u"10", u"-1.00", u"7.00", u"old", u"", u"3.00", u"0.50"};
  for (Integer c = 0; c < 10; ++c) EXPECT_EQ(g->GetCells(c, 9), expected[c]) << c;
  EXPECT_EQ(g->Calls, (std::vector<String>{u"sum 1 1..10", u"avg 2 1..10", u"min 4 1..10", u"max 5 1..10",
                                            u"distinct 8 1..10", u"stddev 9 1..10"}));
  // Without CalculateHiddenRows the hidden rows count for nothing.
  g->GetFloatingFooter()->SetCalculateHiddenRows(false);
  g->Calls.clear();
  g->CalcFooter(3);
  g->CalcFooter(1);
  EXPECT_EQ(g->GetCells(3, 9), u"8");
  EXPECT_EQ(g->Calls, (std::vector<String>{u"sum 1 1..8"}));
  // acCUSTOM: the grid's own handler first, else the footer's.
  std::vector<Integer> rows;
  g->GetFloatingFooter()->OnCalcFooter = [&](TObject*, Integer, Integer ARow, String& Value) {
    rows.push_back(ARow);
    Value = u"footer";
  };
  g->CalcFooter(7);
  EXPECT_EQ(g->GetCells(7, 9), u"footer");
  g->FOnCalcFooter = [&](TObject* Sender, Integer ACol, Integer, String& Value) {
    EXPECT_EQ(Sender, g);
    Value = u"grid " + IntToStr(ACol);
  };
  g->CalcFooter(7);
  EXPECT_EQ(g->GetCells(7, 9), u"grid 7");
  EXPECT_EQ(rows, (std::vector<Integer>{9}));
  // Another footer style or calculation switched off: nothing.
  g->SetCells(3, 9, u"kept");
  g->GetFloatingFooter()->SetEnableCalculation(false);
  g->CalcFooter(3);
  g->GetFloatingFooter()->SetEnableCalculation(true);
  g->GetFloatingFooter()->SetFooterStyle(fsColumnPreview);
  g->CalcFooter(3);
  EXPECT_EQ(g->GetCells(3, 9), u"kept");
}

TEST_F(NeoStringGridCellHelpers, IntsAndFloatsAsText) {
  G->SetInts(1, 1, -42);
  EXPECT_EQ(G->GetCells(1, 1), u"-42");
  G->SetFloatFormat(u"%.3f");
  G->SetFloats(2, 1, 1.5);
  EXPECT_EQ(G->GetCells(2, 1), u"1.500");
}

}  // namespace
