// Moving columns and rows: cells, widths and heights, the column order, hidden columns, suppression
// records, the current column, a synchronised partner grid and the floating footer's row.
#include <vector>

#include "lib/grid/core/NeoSortSettings.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

// A grid whose floating footer shows as the fixed last row when the test says so.
class TFooterGrid : public TNeoStringGrid {
public:
  using TNeoStringGrid::TNeoStringGrid;
  bool Footer = false;

protected:
  bool FloatingFooterVisible() override { return Footer; }
};

class NeoStringGridMoved : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(600, 300);
    G = NewGrid(0);
    Form->Show();
    Pump();
  }
  // Columns A .. E (header row 0) with widths 30, 31, .. 34.
  TFooterGrid* NewGrid(Integer Top) {
    auto* g = Add<TFooterGrid>(Form, 0, Top, 500, 140);
    g->SetColCount(5);
    g->SetRowCount(4);
    for (Integer c = 0; c < 5; ++c) {
      g->SetCells(c, 0, String(1, static_cast<Char>(u'A' + c)));
      g->SetColWidths(c, 30 + c);
    }
    return g;
  }
  static String Headers(TNeoStringGrid* g) {
    String s;
    for (Integer c = 0; c < g->GetColCount() + g->NumHiddenColumns(); ++c) s += g->GetCells(c, 0);
    return s;
  }
  static std::vector<Integer> Widths(TNeoStringGrid* g) {
    std::vector<Integer> w;
    for (Integer c = 0; c < g->GetColCount(); ++c) w.push_back(g->GetColWidths(c));
    return w;
  }
  static std::vector<Integer> Order(TNeoStringGrid* g) {
    std::vector<Integer> o;
    for (Integer i = 0; i < g->GetColumnOrder()->GetCount(); ++i) o.push_back(g->GetColumnOrder()->GetInteger(i));
    return o;
  }
  TForm* Form = nullptr;
  TFooterGrid* G = nullptr;
};

TEST_F(NeoStringGridMoved, MoveColumnTakesCellsWidthsOrderAndCurrentColumnAlong) {
  G->FocusCell(2, 1);
  G->MoveColumn(1, 3);
  EXPECT_EQ(Headers(G), u"ACDBE");
  EXPECT_EQ(Widths(G), (std::vector<Integer>{30, 32, 33, 31, 34}));
  EXPECT_EQ(Order(G), (std::vector<Integer>{0, 2, 3, 1, 4}));
  EXPECT_EQ(G->GetCol(), 1);   // column C moved one to the left
  G->MoveColumn(1, 3);         // the current column itself goes along
  EXPECT_EQ(Headers(G), u"ADBCE");
  EXPECT_EQ(G->GetCol(), 3);
  EXPECT_TRUE(G->GetColMoveFlg());
  EXPECT_THROW(G->MoveColumn(0, 5), EInvalidGridOperation);
  EXPECT_THROW(G->MoveColumn(-1, 2), EInvalidGridOperation);
  EXPECT_EQ(Headers(G), u"ADBCE");
}

// A move the platform grid makes itself has already moved the widths and the current cell: the
// hook moves them no second time.
TEST_F(NeoStringGridMoved, PlatformMoveIsNotMovedTwice) {
  G->FocusCell(1, 1);
  G->SetColumnOrder();
  static_cast<TCustomGrid*>(G)->MoveColumn(1, 3);
  EXPECT_EQ(Headers(G), u"ACDBE");
  EXPECT_EQ(Widths(G), (std::vector<Integer>{30, 32, 33, 31, 34}));
  EXPECT_EQ(Order(G), (std::vector<Integer>{0, 2, 3, 1, 4}));
  EXPECT_EQ(G->GetCol(), 3);
}

TEST_F(NeoStringGridMoved, HiddenColumnsMoveByRealIndex) {
  G->SetColumnOrder();
  G->HideColumn(2);   // C hidden: the display shows A B D E
  G->MoveColumn(1, 3);   // B to the place of E (real 1 to real 4)
  EXPECT_EQ(G->GetColCount(), 4);
  EXPECT_EQ(Headers(G), u"ACDEB");
  EXPECT_EQ(Order(G), (std::vector<Integer>{0, 2, 3, 4, 1}));
  EXPECT_TRUE(G->IsHiddenColumn(1));   // C, now real column 1, stays hidden
  EXPECT_EQ(G->GetAllColWidths(1), 32);
  EXPECT_EQ(Widths(G), (std::vector<Integer>{30, 33, 34, 31}));
  G->ResetColumnOrder();
  EXPECT_EQ(G->NumHiddenColumns(), 0);
  EXPECT_EQ(Headers(G), u"ABCDE");
  EXPECT_EQ(Widths(G), (std::vector<Integer>{30, 31, 32, 33, 34}));
  EXPECT_EQ(Order(G), (std::vector<Integer>{0, 1, 2, 3, 4}));
}

TEST_F(NeoStringGridMoved, ResetColumnOrderAfterSeveralMoves) {
  G->MoveColumn(4, 0);
  G->MoveColumn(1, 3);
  G->MoveColumn(2, 4);
  ASSERT_NE(Headers(G), u"ABCDE");
  G->ResetColumnOrder();
  EXPECT_EQ(Headers(G), u"ABCDE");
  EXPECT_EQ(Widths(G), (std::vector<Integer>{30, 31, 32, 33, 34}));
  // An order list that is no permutation ends the passes instead of moving for ever.
  G->GetColumnOrder()->SetInteger(1, 0);
  G->ResetColumnOrder();
  EXPECT_EQ(G->GetColCount(), 5);
}

// SetColumnOrder records every width as its suppression record; a suppressed column keeps its
// record while it moves.
TEST_F(NeoStringGridMoved, SuppressedColumnKeepsItsWidthWhenMoved) {
  G->SetColumnOrder();
  G->SuppressColumn(1);
  EXPECT_EQ(G->GetColWidths(1), 0);
  G->SuppressColumn(1);   // already 0: the record stays
  G->MoveColumn(1, 4);
  EXPECT_EQ(G->GetColWidths(4), 0);
  EXPECT_EQ(Headers(G), u"ACDEB");
  G->SuppressColumn(9);   // outside: nothing
  EXPECT_EQ(Widths(G), (std::vector<Integer>{30, 32, 33, 34, 0}));
}

TEST_F(NeoStringGridMoved, PartnerGridMovesOnceEachWay) {
  TFooterGrid* other = NewGrid(150);
  G->GetSyncGrid()->SetGrid(other);
  G->GetSyncGrid()->SetMoveColumn(true);
  G->GetSyncGrid()->SetMoveRow(true);
  other->GetSyncGrid()->SetGrid(G);
  other->GetSyncGrid()->SetMoveColumn(true);
  other->GetSyncGrid()->SetMoveRow(true);
  Integer movedHere = 0, movedThere = 0;
  G->OnColumnMoved = [&](TObject*, Integer, Integer) { ++movedHere; };
  other->OnColumnMoved = [&](TObject*, Integer, Integer) { ++movedThere; };
  G->MoveColumn(0, 2);
  EXPECT_EQ(Headers(G), u"BCADE");
  EXPECT_EQ(Headers(other), u"BCADE");
  other->MoveColumn(4, 3);
  EXPECT_EQ(Headers(G), u"BCAED");
  EXPECT_EQ(Headers(other), u"BCAED");
  EXPECT_EQ(movedHere, 2);
  EXPECT_EQ(movedThere, 2);
  G->SetCells(0, 1, u"r1");
  other->SetCells(0, 1, u"r1");
  G->MoveRow(1, 2);
  EXPECT_EQ(G->GetCells(0, 2), u"r1");
  EXPECT_EQ(other->GetCells(0, 2), u"r1");
}

TEST_F(NeoStringGridMoved, MoveRowTakesTextsAndHeightAndFiresOnce) {
  G->SetCells(1, 1, u"one");
  G->SetRowHeights(1, 40);
  std::vector<std::pair<Integer, Integer>> fired;
  G->OnRowMoved = [&](TObject* Sender, Integer From, Integer To) {
    EXPECT_EQ(Sender, G);
    fired.emplace_back(From, To);
  };
  G->MoveRow(1, 2);
  EXPECT_EQ(G->GetCells(1, 2), u"one");
  EXPECT_EQ(G->GetCells(1, 1), u"");
  EXPECT_EQ(G->GetRowHeights(2), 40);
  EXPECT_EQ(G->GetRowHeights(1), G->GetDefaultRowHeight());
  EXPECT_EQ(fired, (std::vector<std::pair<Integer, Integer>>{{1, 2}}));
  EXPECT_THROW(G->MoveRow(1, 4), EInvalidGridOperation);
}

TEST_F(NeoStringGridMoved, RowMovedOntoTheFloatingFooterIsIgnored) {
  G->Footer = true;
  G->SetCells(1, 1, u"one");
  G->SetCells(1, 3, u"sum");
  Integer fired = 0;
  G->OnRowMoved = [&](TObject*, Integer, Integer) { ++fired; };
  G->MoveRow(1, 3);
  EXPECT_EQ(G->GetCells(1, 1), u"one");
  EXPECT_EQ(G->GetCells(1, 3), u"sum");
  EXPECT_EQ(fired, 0);
  G->MoveRow(1, 2);   // any other row moves
  EXPECT_EQ(G->GetCells(1, 2), u"one");
  EXPECT_EQ(fired, 1);
}

// The sort column and the multi-column sort list follow the moved columns, directions kept.
TEST_F(NeoStringGridMoved, SortColumnAndSortListFollowTheMove) {
  G->SetColCount(7);
  TSortSettings* sort = G->GetSortSettings();
  struct TCase {
    Integer From, To, Sorted, Expected;
  } cases[] = {{2, 5, 5, 4}, {5, 2, 2, 3}, {2, 5, 2, 5}, {1, 3, 6, 6}, {5, 2, -1, -1}};
  for (const TCase& c : cases) {
    sort->SetColumn(c.Sorted);
    G->MoveColumn(c.From, c.To);
    EXPECT_EQ(sort->GetColumn(), c.Expected) << c.From << " to " << c.To << " sorted on " << c.Sorted;
  }
  TSortIndexList* list = G->GetSortIndexes();
  list->AddIndex(2, true);
  list->AddIndex(5, false);
  sort->SetIndexShow(true);
  G->MoveColumn(2, 5);
  EXPECT_EQ(list->GetSortColumns(0), 5);
  EXPECT_EQ(list->GetSortColumns(1), 4);
  EXPECT_TRUE(list->GetSortDirections(0));
  EXPECT_FALSE(list->GetSortDirections(1));   // still descending
  sort->SetIndexShow(false);   // without the index display the list stays as it is
  G->MoveColumn(5, 0);
  EXPECT_EQ(list->GetSortColumns(0), 5);
}

}  // namespace
