// Moving the grid's current cell: the cell-selection query asked once per move by keys, setters
// and program moves, its vetoes and the per-cell switching of goEditing, the advance after Enter
// in its four directions, a synchronised partner, and the searches for cells where navigation
// may stop. Headless, through the platform's message queue.
#include <cctype>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

// Counts the cell-selection queries and scripts the answers of later folders.
class TNavProbe : public TNeoStringGrid {
public:
  explicit TNavProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  bool FloatingFooterVisible() override { return FooterVisible; }
  bool SelectCell(Integer ACol, Integer ARow) override {
    ++Queries;
    return TNeoStringGrid::SelectCell(ACol, ARow);
  }
  bool FooterVisible = false;
  Integer Queries = 0;
};

class NeoStringGridNavigate : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    G = MakeGrid(0);
    Form->Show();
    Pump();
  }
  TNavProbe* MakeGrid(Integer Left) {
    auto* g = Add<TNavProbe>(Form, Left, 0, 200, 280);
    g->SetColCount(5);
    g->SetRowCount(30);
    g->SetDefaultColWidth(36);
    return g;
  }
  TGridCoord Cell() const { return TGridCoord{G->GetCol(), G->GetRow()}; }
  TForm* Form = nullptr;
  TNavProbe* G = nullptr;
};

TEST_F(NeoStringGridNavigate, EveryMoveAsksTheCellSelectionQueryOnce) {
  G->SetFocus();
  Pump();
  const Integer page = G->GetVisibleRowCount();
  struct Step {
    const char* What;
    std::function<void()> Move;
    TGridCoord Expected;
    Integer Queries;
  } steps[] = {
      {"Down", [] { Press(VK_DOWN); }, {1, 2}, 1},
      {"Right", [] { Press(VK_RIGHT); }, {2, 2}, 1},
      {"PageDown", [] { Press(VK_NEXT); }, {2, 2 + page}, 1},
      {"End", [] { Press(VK_END); }, {4, 2 + page}, 1},
      {"Home", [] { Press(VK_HOME); }, {1, 2 + page}, 1},
      {"Col", [&] { G->SetCol(3); }, {3, 2 + page}, 1},
      {"Row", [&] { G->SetRowEx(5); }, {3, 5}, 1},
      {"GotoCell", [&] { G->GotoCell(2, 7); }, {2, 7}, 2},
  };
  for (const Step& s : steps) {
    G->Queries = 0;
    s.Move();
    EXPECT_EQ(G->Queries, s.Queries) << s.What;
    EXPECT_EQ(Cell(), s.Expected) << s.What;
  }
}

TEST_F(NeoStringGridNavigate, VetoesKeepTheCell) {
  bool selectOk = false;
  G->OnSelectCell = [&](TObject*, Integer, Integer, bool& CanSelect) { CanSelect = selectOk; };
  G->GotoCell(3, 4);
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));

  selectOk = true;
  std::vector<std::string> log;
  bool allow = false;
  G->OnCellChanging = [&](TObject*, Integer OR, Integer OC, Integer NR, Integer NC, bool& Allow) {
    log.push_back(std::to_string(OC) + "," + std::to_string(OR) + ">" + std::to_string(NC) + "," + std::to_string(NR));
    Allow = allow;
  };
  G->OnRowChanging = [&](TObject*, Integer, Integer, bool&) { log.push_back("row"); };
  G->SetRowEx(4);
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));
  EXPECT_EQ(log, (std::vector<std::string>{"row", "1,1>1,4"}));
  allow = true;
  G->SetRowEx(4);
  EXPECT_EQ(Cell(), (TGridCoord{1, 4}));

  // Blocked cell changes fire nothing; the current cell itself changes nothing.
  log.clear();
  bool a = true;
  G->DoCellChanging(1, 4, a);
  G->SetBlockCellChanging(true);
  G->DoCellChanging(2, 5, a);
  G->SetBlockCellChanging(false);
  EXPECT_TRUE(log.empty());

  // OnRowUpdate fires once per row change and reports the previous row.
  std::vector<std::pair<Integer, Integer>> updates;
  G->OnRowUpdate = [&](TObject*, Integer OldRow, Integer NewRow) { updates.emplace_back(OldRow, NewRow); };
  G->SetRowEx(6);
  G->SetCol(2);
  G->SetRowEx(8);
  ASSERT_EQ(updates.size(), 2u);
  EXPECT_EQ(updates[1], (std::pair<Integer, Integer>{6, 8}));
}

TEST_F(NeoStringGridNavigate, ReadOnlyTargetSwitchesEditingOffAndAnEditableOneOn) {
  TGridOptions o = G->GetOptions();
  o.Include(goEditing);
  G->SetOptions(o);
  G->GetCellProperties(2, 3)->SetReadOnly(true);
  G->GotoCell(2, 3);
  EXPECT_EQ(Cell(), (TGridCoord{2, 3}));
  EXPECT_FALSE(G->GetOptions().Contains(goEditing));
  EXPECT_TRUE(G->GetEditDisable());
  EXPECT_FALSE(G->IsEditable(2, 3));
  EXPECT_TRUE(G->IsEditable(3, 3));
  G->SetCol(3);
  EXPECT_TRUE(G->GetOptions().Contains(goEditing));
  EXPECT_FALSE(G->GetEditDisable());
}

TEST_F(NeoStringGridNavigate, MergedCellsFooterRowAndNodeColumnAreRefused) {
  G->MergeCells(1, 2, 3, 2);
  G->GotoCell(2, 3);
  EXPECT_EQ(Cell(), (TGridCoord{1, 2}));   // the block's base cell instead
  G->FooterVisible = true;
  G->SetRowEx(29);
  EXPECT_EQ(G->GetRow(), 2);
  G->FooterVisible = false;
  G->SetRowEx(29);
  EXPECT_EQ(G->GetRow(), 29);
  // A negative cell and a pending invalid entry are refused outright.
  EXPECT_FALSE(G->SelectCell(-1, 3));
}

TEST_F(NeoStringGridNavigate, ColumnMovesASynchronisedPartnerWithoutItsClick) {
  TNavProbe* partner = MakeGrid(210);
  Pump();
  Integer clicks = 0;
  partner->OnClick = [&](TObject*) { ++clicks; };
  G->GetSyncGrid()->SetGrid(partner);
  G->GetSyncGrid()->SetSelectionColumn(true);
  G->SetCol(3);
  EXPECT_EQ(partner->GetCol(), 3);
  EXPECT_EQ(clicks, 0);
  ASSERT_TRUE(static_cast<bool>(partner->OnClick));
  partner->SetCol(2);
  EXPECT_EQ(clicks, 1);
  // Setting the column ends an advance sequence.
  G->GetNavigation()->SetAdvanceOnEnter(true);
  G->GetNavigation()->SetAdvanceSkipReadOnlyCells(false);
  G->OnCanEditCell = [](TObject*, Integer, Integer, bool& Can) { Can = false; };
  G->AdvanceOnEnterKey(3, 1, false, false, true, false, false);
  EXPECT_EQ(G->GetAECol(), -1);
}

TEST_F(NeoStringGridNavigate, StopCellsAndVisibleRowsAndColumns) {
  // Editing off: every normal cell is a stop; OnSelectCell has the last word.
  G->OnSelectCell = [](TObject*, Integer, Integer ARow, bool& Can) { Can = Can && ARow != 5; };
  EXPECT_EQ(G->FirstCellInRow(4), 1);
  EXPECT_EQ(G->LastCellInRow(4), 4);
  EXPECT_EQ(G->FirstCellInRow(5), -1);
  EXPECT_EQ(G->LastCellInRow(5), -1);
  G->OnSelectCell = nullptr;

  G->SetFixedRightCols(1);
  G->HideColumn(4);
  EXPECT_EQ(G->VisibleFixedRightCols(), 0);
  G->UnHideColumn(4);
  EXPECT_EQ(G->VisibleFixedRightCols(), 1);
  G->SetFixedRightCols(0);
  EXPECT_EQ(G->FirstNormalCol(), 1);

  G->SetRowHeights(1, 0);
  G->SetRowHeights(2, 0);
  EXPECT_EQ(G->GotoFirstVisibleRow(), 3);
  G->SetRowHeights(29, 0);
  EXPECT_EQ(G->GotoLastVisibleRow(), 28);
  G->SetColWidths(1, 0);
  EXPECT_EQ(G->GotoFirstVisibleCol(), 2);
  G->SetColWidths(4, 0);
  EXPECT_EQ(G->GotoLastVisibleCol(), 3);

  // The next stop after the last data cell: none.
  TPoint cell;
  G->FindNextStopCell(4, 29, cell);
  EXPECT_EQ(cell.x, -1);
  G->FindNextStopCell(4, 10, cell);
  EXPECT_EQ(cell.x, 1);
  EXPECT_EQ(cell.y, 11);
}

TEST_F(NeoStringGridNavigate, SimulatedClickMovesWithoutTheMouseEvents) {
  Integer downs = 0;
  G->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++downs; };
  G->OnSelectCell = [](TObject*, Integer, Integer, bool& Can) { Can = false; };
  G->SimulateCellClick(3, 4, true);
  EXPECT_EQ(Cell(), (TGridCoord{3, 4}));   // the query agreed to everything meanwhile
  EXPECT_EQ(downs, 0);
  EXPECT_FALSE(G->GetForceSel());
  ASSERT_TRUE(static_cast<bool>(G->OnMouseDown));
}

// ---------------------------------------------------------------------------------------------
// Advancing after Enter: a 5 x 6 grid, data cells (1..4, 1..5), editing on.
// ---------------------------------------------------------------------------------------------
struct TAdvanceCase {
  const char* What;
  TAdvanceDirection Direction;
  TGridCoord From;
  bool Forward = true;
  bool Loop = true;
  bool Insert = false;
  bool RefuseAdd = false;
  bool SkipReadOnly = true;
  std::vector<TGridCoord> ReadOnly = {};
  bool AllReadOnly = false;
  bool MergeRow2 = false;
  bool Redirect = false;
  TGridCoord Expected = {};
  Integer Rows = 6;
  Integer Cols = 5;
  std::vector<Integer> Added = {};
};

class NeoStringGridAdvance : public NeoStringGridNavigate, public ::testing::WithParamInterface<TAdvanceCase> {};

TEST_P(NeoStringGridAdvance, MovesToTheExpectedCell) {
  const TAdvanceCase& c = GetParam();
  G->SetRowCount(6);
  TGridOptions o = G->GetOptions();
  o.Include(goEditing);
  G->SetOptions(o);
  TNavigation* n = G->GetNavigation();
  n->SetAdvanceOnEnter(true);
  n->SetAdvanceDirection(c.Direction);
  n->SetAdvanceOnEnterLoop(c.Loop);
  n->SetAdvanceInsert(c.Insert);
  n->SetAdvanceSkipReadOnlyCells(c.SkipReadOnly);
  G->OnCanEditCell = [&](TObject*, Integer ARow, Integer ACol, bool& Can) {
    for (TGridCoord r : c.ReadOnly)
      if (r.X == ACol && r.Y == ARow) Can = false;
    if (c.AllReadOnly) Can = false;
  };
  if (c.MergeRow2) G->MergeCells(1, 2, 3, 1);
  std::vector<Integer> added;
  G->OnCanAddRow = [&](TObject*, bool& Can) { Can = !c.RefuseAdd; };
  G->OnCanAddCol = [&](TObject*, bool& Can) { Can = !c.RefuseAdd; };
  G->OnAutoAddRow = [&](TObject*, Integer ARow) { added.push_back(ARow); };
  G->OnAutoInsertCol = [&](TObject*, Integer ACol) { added.push_back(-ACol); };
  if (c.Redirect)
    G->OnAutoAdvance = [](TObject*, Integer, Integer, Integer& NewRow, Integer& NewCol, bool&) {
      NewRow = 4;
      NewCol = 3;
    };
  G->GotoCell(c.From.X, c.From.Y);
  G->AdvanceOnEnterKey(G->GetCol(), G->GetRow(), false, false, c.Forward, false, false);
  EXPECT_EQ(Cell(), c.Expected);
  EXPECT_EQ(G->GetRowCount(), c.Rows);
  EXPECT_EQ(G->GetColCount(), c.Cols);
  EXPECT_EQ(added, c.Added);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, NeoStringGridAdvance,
    ::testing::Values(
        TAdvanceCase{.What = "LeftRight next", .Direction = adLeftRight, .From = {2, 3}, .Expected = {3, 3}},
        TAdvanceCase{.What = "LeftRight end of row", .Direction = adLeftRight, .From = {4, 3}, .Expected = {1, 4}},
        TAdvanceCase{.What = "LeftRight last cell loops", .Direction = adLeftRight, .From = {4, 5}, .Expected = {1, 1}},
        TAdvanceCase{.What = "LeftRight last cell no loop", .Direction = adLeftRight, .From = {4, 5}, .Loop = false, .Expected = {4, 5}},
        TAdvanceCase{.What = "LeftRight last cell appends", .Direction = adLeftRight, .From = {4, 5}, .Insert = true, .Expected = {1, 6},
                     .Rows = 7, .Added = {6}},
        TAdvanceCase{.What = "LeftRight append refused", .Direction = adLeftRight, .From = {4, 5}, .Insert = true, .RefuseAdd = true,
                     .Expected = {1, 5}},
        TAdvanceCase{.What = "LeftRight skips read-only", .Direction = adLeftRight, .From = {1, 1}, .ReadOnly = {{2, 1}, {3, 1}},
                     .Expected = {4, 1}},
        TAdvanceCase{.What = "LeftRight stops on read-only", .Direction = adLeftRight, .From = {1, 1}, .SkipReadOnly = false,
                     .ReadOnly = {{2, 1}, {3, 1}}, .Expected = {2, 1}},
        TAdvanceCase{.What = "LeftRight merged block of three", .Direction = adLeftRight, .From = {1, 2}, .MergeRow2 = true, .Expected = {4, 2}},
        TAdvanceCase{.What = "LeftRight redirected", .Direction = adLeftRight, .From = {1, 1}, .Redirect = true, .Expected = {3, 4}},
        TAdvanceCase{.What = "LeftRight Shift+Enter row above", .Direction = adLeftRight, .From = {1, 3}, .Forward = false, .Expected = {4, 2}},
        TAdvanceCase{.What = "LeftRight Shift+Enter wraps", .Direction = adLeftRight, .From = {1, 1}, .Forward = false, .Expected = {4, 5}},
        TAdvanceCase{.What = "LeftRightInRow loops in row", .Direction = adLeftRightInRow, .From = {4, 3}, .Expected = {1, 3}},
        TAdvanceCase{.What = "LeftRightInRow no loop", .Direction = adLeftRightInRow, .From = {4, 3}, .Loop = false, .Expected = {4, 3}},
        TAdvanceCase{.What = "LeftRightInRow not backwards", .Direction = adLeftRightInRow, .From = {2, 3}, .Forward = false, .Expected = {2, 3}},
        TAdvanceCase{.What = "TopBottom next", .Direction = adTopBottom, .From = {2, 3}, .Expected = {2, 4}},
        TAdvanceCase{.What = "TopBottom next column", .Direction = adTopBottom, .From = {2, 5}, .Expected = {3, 1}},
        TAdvanceCase{.What = "TopBottom last cell loops", .Direction = adTopBottom, .From = {4, 5}, .Expected = {1, 1}},
        TAdvanceCase{.What = "TopBottom last cell no loop", .Direction = adTopBottom, .From = {4, 5}, .Loop = false, .Expected = {4, 5}},
        TAdvanceCase{.What = "TopBottom appends a column", .Direction = adTopBottom, .From = {4, 5}, .Insert = true, .Expected = {5, 1},
                     .Cols = 6, .Added = {-5}},
        TAdvanceCase{.What = "TopBottom column refused", .Direction = adTopBottom, .From = {4, 5}, .Insert = true, .RefuseAdd = true,
                     .Expected = {4, 5}},
        TAdvanceCase{.What = "TopBottom skips read-only", .Direction = adTopBottom, .From = {2, 1}, .ReadOnly = {{2, 2}}, .Expected = {2, 3}},
        TAdvanceCase{.What = "TopBottom Shift+Enter wraps", .Direction = adTopBottom, .From = {2, 1}, .Forward = false, .Expected = {1, 5}},
        TAdvanceCase{.What = "TopBottom Shift+Enter first cell", .Direction = adTopBottom, .From = {1, 1}, .Forward = false, .Expected = {4, 5}},
        TAdvanceCase{.What = "TopBottomInCol loops", .Direction = adTopBottomInCol, .From = {2, 5}, .Expected = {2, 1}},
        TAdvanceCase{.What = "TopBottomInCol no loop", .Direction = adTopBottomInCol, .From = {2, 5}, .Loop = false, .Expected = {2, 5}},
        TAdvanceCase{.What = "TopBottomInCol appends", .Direction = adTopBottomInCol, .From = {2, 5}, .Insert = true, .Expected = {2, 6},
                     .Rows = 7, .Added = {6}},
        TAdvanceCase{.What = "TopBottomInCol nothing editable appends once", .Direction = adTopBottomInCol, .From = {2, 5}, .Insert = true,
                     .AllReadOnly = true, .Expected = {2, 5}, .Rows = 7, .Added = {6}},
        TAdvanceCase{.What = "TopBottom nothing editable appends once", .Direction = adTopBottom, .From = {4, 5}, .Insert = true,
                     .AllReadOnly = true, .Expected = {4, 5}, .Cols = 6, .Added = {-5}},
        TAdvanceCase{.What = "LeftRight nothing editable comes round", .Direction = adLeftRight, .From = {2, 2}, .AllReadOnly = true,
                     .Expected = {2, 2}}),
    [](const ::testing::TestParamInfo<TAdvanceCase>& Info) {
      std::string name;
      for (const char* p = Info.param.What; *p; ++p)
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
      return name;
    });

}  // namespace
