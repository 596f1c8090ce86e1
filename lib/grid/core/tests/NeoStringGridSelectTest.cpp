// The grid's selection models: disjunct row, column and cell flags beside the range selection,
// their errors and vetoes, the counts in every mode, copying the range into the row flags, the
// modified and disabled rows, listeners and change notifiers. One 5 x 10 grid on a headless form.
#include <functional>
#include <string>
#include <vector>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

class NeoStringGridSelect : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    G = Add<TNeoStringGrid>(Form, 0, 0, 400, 280);
    G->SetColCount(5);
    G->SetRowCount(10);
    Form->Show();
    Pump();
    G->OnRowDisjunctSelected = [this](TObject*, Integer ARow) { RowEvents.push_back(ARow); };
    G->OnColDisjunctSelected = [this](TObject*, Integer ACol) { ColEvents.push_back(ACol); };
  }
  bool Pending() {
    RECT r{};
    return GetUpdateRect(G->GetHandle(), &r, FALSE) != 0;
  }
  std::vector<Integer> SelectedRows() {
    std::vector<Integer> rows;
    for (Integer i = 0; i < G->GetSelectedRowListCount(); ++i) rows.push_back(G->GetSelectedRowListItem(i));
    return rows;
  }
  TForm* Form = nullptr;
  TNeoStringGrid* G = nullptr;
  std::vector<Integer> RowEvents, ColEvents;
};

// Runs Action and returns the message of the ENeoGridError it raises ("" when none).
String GridError(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const ENeoGridError& e) {
    return e.Message;
  }
  return u"";
}

TEST_F(NeoStringGridSelect, FlagAccessOutsideTheGridRaisesWithItsText) {
  G->GetMouseActions()->SetDisjunctRowSelect(true);
  G->GetMouseActions()->SetDisjunctColSelect(true);
  struct Case {
    const char* What;
    std::function<void()> Action;
    String Message;
  } cases[] = {
      {"read row RowCount", [&] { G->GetRowSelect(10); }, u"Invalid row 10 accessed"},
      {"read row -1", [&] { G->GetRowSelect(-1); }, u"Invalid row -1 accessed"},
      {"write row RowCount", [&] { G->SetRowSelect(10, true); }, u"Invalid row accessed"},
      {"write row -1", [&] { G->SetRowSelect(-1, false); }, u"Invalid row accessed"},
      {"read column ColCount", [&] { G->GetColSelect(5); }, u"Invalid column accessed"},
      {"write column -1", [&] { G->SetColSelect(-1, true); }, u"Invalid column accessed"},
      {"write column ColCount", [&] { G->SetColSelect(5, true); }, u"Invalid column accessed"},
      {"read last row", [&] { G->GetRowSelect(9); }, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(GridError(c.Action), c.Message) << c.What;

  // Persistent row flags read False outside, a negative row too.
  G->GetMouseActions()->SetRowSelectPersistent(true);
  EXPECT_FALSE(G->GetRowSelect(10));
  EXPECT_FALSE(G->GetRowSelect(-1));

  // A hidden column may be read but not written.
  G->HideColumn(2);
  ASSERT_EQ(G->GetColCount(), 4);
  EXPECT_EQ(GridError([&] { EXPECT_FALSE(G->GetColSelect(4)); }), u"");
  EXPECT_EQ(GridError([&] { G->SetColSelect(4, true); }), u"Invalid column accessed");
  EXPECT_EQ(GridError([&] { G->GetColSelect(5); }), u"Invalid column accessed");
}

TEST_F(NeoStringGridSelect, VetoKeepsFlagsListsAndRepaintState) {
  G->GetMouseActions()->SetDisjunctRowSelect(true);
  G->SetShowFocusedSelectionColor(false);
  bool allowRow = false, allowCol = false;
  G->OnRowDisjunctSelect = [&](TObject*, Integer, bool, bool& Allow) { Allow = allowRow; };
  G->OnColDisjunctSelect = [&](TObject*, Integer, bool, bool& Allow) { Allow = allowCol; };
  Pump();
  ASSERT_FALSE(Pending());

  G->SetRowSelect(3, true);
  G->SetColSelect(2, true);
  EXPECT_FALSE(G->GetRowSelect(3));
  EXPECT_FALSE(G->GetColSelect(2));
  EXPECT_TRUE(SelectedRows().empty());
  EXPECT_TRUE(RowEvents.empty());
  EXPECT_TRUE(ColEvents.empty());
  EXPECT_FALSE(Pending());

  allowRow = allowCol = true;
  G->SetRowSelect(3, true);
  G->SetColSelect(2, true);
  EXPECT_TRUE(G->GetRowSelect(3));
  EXPECT_TRUE(G->GetColSelect(2));
  EXPECT_EQ(SelectedRows(), std::vector<Integer>{3});
  EXPECT_EQ(RowEvents, std::vector<Integer>{3});
  EXPECT_EQ(ColEvents, std::vector<Integer>{2});
  EXPECT_TRUE(Pending());
}

TEST_F(NeoStringGridSelect, SelectingPastTheFlagListIsAChange) {
  G->GetMouseActions()->SetDisjunctRowSelect(true);
  std::vector<Integer> asked;
  G->OnRowDisjunctSelect = [&](TObject*, Integer ARow, bool, bool&) { asked.push_back(ARow); };
  // The list is empty: row 0 is exactly at its length, row 6 past it.
  G->SetRowSelect(0, true);
  G->SetRowSelect(6, true);
  EXPECT_EQ(asked, (std::vector<Integer>{0, 6}));
  EXPECT_EQ(RowEvents, (std::vector<Integer>{0, 6}));
  // Fixed rows are flagged but not listed; rows are listed in the order selected.
  G->SetRowSelect(2, true);
  EXPECT_EQ(SelectedRows(), (std::vector<Integer>{6, 2}));
  // Clearing a flag that was never set is no change.
  G->SetRowSelect(8, false);
  EXPECT_EQ(asked.size(), 3u);
  G->SetRowSelect(6, false);
  EXPECT_EQ(SelectedRows(), std::vector<Integer>{2});
}

TEST_F(NeoStringGridSelect, RowAndColumnCountsInEveryMode) {
  TMouseActions* m = G->GetMouseActions();
  // Range selection without goRowSelect: no rows count.
  G->SetSelection(TGridRect{1, 3, 3, 5});
  EXPECT_EQ(G->GetRowSelectCount(), 0);
  EXPECT_EQ(G->GetColSelectCount(), 3);
  // With goRowSelect the selection's rows; a parked selection counts none.
  TGridOptions o = G->GetOptions();
  o.Include(goRowSelect);
  G->SetOptions(o);
  G->SetSelection(TGridRect{1, 3, 4, 5});
  EXPECT_EQ(G->GetRowSelectCount(), 3);
  G->HideSelection();
  EXPECT_EQ(G->GetRowSelectCount(), 0);
  G->UnHideSelection();
  // Disjunct modes count the set flags.
  m->SetDisjunctRowSelect(true);
  m->SetDisjunctColSelect(true);
  for (Integer r : {2, 4, 6}) G->SetRowSelect(r, true);
  G->SetRowSelect(4, false);
  G->SelectCols(1, 2);
  EXPECT_EQ(G->GetRowSelectCount(), 2);
  EXPECT_EQ(G->GetColSelectCount(), 2);
  G->UnSelectCols(2, 5);
  EXPECT_EQ(G->GetColSelectCount(), 1);
  G->ClearColSelect();
  EXPECT_EQ(G->GetColSelectCount(), 0);
  EXPECT_EQ(ColEvents, (std::vector<Integer>{1, 2, 2, 1}));
}

TEST_F(NeoStringGridSelect, RunsOfRowsAndColumnsInRangeMode) {
  G->SelectRows(7, 10);   // cut at the end
  EXPECT_EQ(G->GetSelection(), (TGridRect{1, 7, 4, 9}));
  G->SelectAll();
  EXPECT_EQ(G->GetSelection(), (TGridRect{1, 1, 4, 9}));
  G->SelectCols(2, 2);
  EXPECT_EQ(G->GetSelection(), (TGridRect{2, 1, 3, 9}));
  G->SelectRange(1, 3, 2, 4);
  EXPECT_EQ(G->GetSelection(), (TGridRect{1, 2, 3, 4}));
  EXPECT_EQ(G->GetCol(), 3);
  EXPECT_EQ(G->GetRow(), 4);
  // Unselecting rows in range mode leaves the selection alone.
  G->UnSelectRows(2, 2);
  EXPECT_EQ(G->GetSelection(), (TGridRect{1, 2, 3, 4}));
}

TEST_F(NeoStringGridSelect, CopyingTheRangeIntoRowFlags) {
  G->GetMouseActions()->SetDisjunctRowSelect(true);
  G->SetSelection(TGridRect{1, 2, 4, 4});
  EXPECT_TRUE(G->SelectionToRowSelect(false));
  EXPECT_EQ(SelectedRows(), (std::vector<Integer>{2, 3, 4}));
  // Nothing moved: the second copy changes nothing.
  RowEvents.clear();
  EXPECT_FALSE(G->SelectionToRowSelect(false));
  EXPECT_TRUE(RowEvents.empty());
  // All clears the rows outside a moved selection.
  G->SetSelection(TGridRect{1, 6, 4, 6});
  EXPECT_TRUE(G->SelectionToRowSelect(true));
  EXPECT_EQ(SelectedRows(), std::vector<Integer>{6});
  EXPECT_EQ(G->GetRowSelectCount(), 1);

  // Moving the current row copies it into the flags; clearing fires once per set flag.
  G->SetRowEx(8);
  EXPECT_TRUE(G->GetRowSelect(8));
  RowEvents.clear();
  G->ClearRowSelect();
  EXPECT_EQ(RowEvents, (std::vector<Integer>{6, 8}));
  EXPECT_TRUE(SelectedRows().empty());
  EXPECT_FALSE(G->IsSelectionHidden());
}

TEST_F(NeoStringGridSelect, DisjunctCellsOfAMillionRowGridDoNotCollide) {
  G->GetMouseActions()->SetDisjunctCellSelect(true);
  G->SetRowCount(100000);
  G->SetSelectedCells(1, 70000, true);
  // 70,000 and 4,464 share their low 16 bits.
  EXPECT_FALSE(G->GetSelectedCells(1, 4464));
  G->SetSelectedCells(1, 4464, true);
  G->SetSelectedCells(1, 4464, true);
  EXPECT_EQ(G->GetSelectedCellsCount(), 2);
  G->SetSelectedCells(1, 70000, false);
  EXPECT_TRUE(G->GetSelectedCells(1, 4464));
  EXPECT_FALSE(G->GetSelectedCells(1, 70000));
  EXPECT_EQ(G->GetSelectedCell(0), (TGridCoord{1, 4464}));
  G->ClearSelectedCells();
  EXPECT_EQ(G->GetSelectedCellsCount(), 0);

  // In range mode the count walks the selection column by column.
  G->GetMouseActions()->SetDisjunctCellSelect(false);
  G->SetSelection(TGridRect{1, 2, 2, 3});
  EXPECT_EQ(G->GetSelectedCellsCount(), 4);
  EXPECT_EQ(G->GetSelectedCell(1), (TGridCoord{1, 3}));
  EXPECT_TRUE(G->GetSelectedCells(2, 2));
}

TEST_F(NeoStringGridSelect, ModifiedAndDisabledRows) {
  G->SetRowModified(4, true);
  G->SetRowModified(7, true);
  G->SetRowModified(4, false);
  EXPECT_FALSE(G->GetRowModified(4));
  EXPECT_TRUE(G->GetRowModified(7));
  EXPECT_FALSE(G->GetRowModified(50));
  EXPECT_FALSE(G->GetRowModified(-1));
  EXPECT_EQ(G->ModifiedRowCount(), 1);

  // Disabling the current row moves to the first enabled normal row; enabling it does too.
  G->SetRowEnabled(1, false);
  G->SetRowEx(3);
  G->SetRowEnabled(3, false);
  EXPECT_EQ(G->GetRow(), 2);
  EXPECT_FALSE(G->GetRowEnabled(3));
  EXPECT_TRUE(G->GetRowEnabled(60));
  G->SetRowEnabled(2, true);
  EXPECT_EQ(G->GetRow(), 4);
  // A disabled row cannot become current while SkipDisabledRows is on.
  G->SetRowEx(3);
  EXPECT_EQ(G->GetRow(), 4);
  G->GetNavigation()->SetSkipDisabledRows(false);
  G->SetRowEx(3);
  EXPECT_EQ(G->GetRow(), 3);
}

class TCountingNotifier : public TGridChangeNotifier {
public:
  using TGridChangeNotifier::TGridChangeNotifier;
  void CellsChanged(TRect R) override { Seen.push_back(R); }
  std::vector<TRect> Seen;
};

class TSelListener : public ITNeoStringGridSelect {
public:
  void SelectionChange(Integer ACol, Integer ARow) override { Seen.push_back(TGridCoord{ACol, ARow}); }
  std::vector<TGridCoord> Seen;
};

TEST_F(NeoStringGridSelect, NotifiersAndTheSelectionListener) {
  TCountingNotifier n(nullptr);
  G->RegisterNotifier(&n);
  G->RegisterNotifier(&n);
  EXPECT_EQ(G->NotifierCount(), 1);
  G->ClearRect(1, 1, 2, 2);
  ASSERT_EQ(n.Seen.size(), 1u);
  EXPECT_EQ(n.Seen[0], (TRect{1, 1, 2, 2}));
  G->UnRegisterNotifier(&n);
  G->ClearRect(1, 1, 2, 2);
  EXPECT_EQ(n.Seen.size(), 1u);

  auto listener = std::make_shared<TSelListener>();
  G->RegisterSelListener(listener);
  G->SetRowEx(5);
  ASSERT_FALSE(listener->Seen.empty());
  EXPECT_EQ(listener->Seen.back().Y, 5);
  G->UnRegisterSelListener(nullptr);
  G->SetRowEx(6);
  EXPECT_EQ(listener->Seen.back().Y, 5);

  // The selection-change relay reports and takes the selection as the copy's base.
  std::vector<Integer> seen;
  G->OnSelectionChanged = [&](TObject*, Integer L, Integer T, Integer R, Integer B) { seen = {L, T, R, B}; };
  G->SelectionChanged(1, 2, 3, 4);
  EXPECT_EQ(seen, (std::vector<Integer>{1, 2, 3, 4}));
}

}  // namespace
