// The grid's keyboard, headless through the platform's message queue: the key-down handler's
// special navigation and commands (one fixture per option group), the override of the platform
// navigation (wrap-around, skipping), typed characters and key release.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

// Scripts the answers of later folders and records the actions the keyboard asks of them.
class TKeyProbe : public TNeoStringGrid {
public:
  explicit TKeyProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  bool FloatingFooterVisible() override { return FooterVisible; }
  // The sorted column's search: the first row whose column-1 text starts with S.
  Integer Search(const String& S) override {
    Searched.push_back(S);
    for (Integer r = GetFixedRows(); r < GetRowCount(); ++r)
      if (AnsiUpperCase(GetCells(1, r)).rfind(S, 0) == 0) return r;
    return -1;
  }
  void InsertRows(Integer RowIndex, Integer RCount) override { Log.push_back("insert " + Pair(RowIndex, RCount)); }
  void DeleteRowRange(Integer RowIndex, Integer RCount) override { Log.push_back("delete " + Pair(RowIndex, RCount)); }
  void ClearRows(Integer RowIndex, Integer RCount) override {
    Log.push_back("clear " + Pair(RowIndex, RCount));
    TNeoStringGrid::ClearRows(RowIndex, RCount);
  }
  void CopySelectionToClipboard() override { Log.push_back("copy"); }
  void CutSelectionToClipboard() override { Log.push_back("cut"); }
  void PasteSelectionFromClipboard() override { Log.push_back("paste"); }
  bool AdvanceAfterEdit(bool Backward) override {
    Log.push_back(Backward ? "advance back" : "advance");
    return TNeoStringGrid::AdvanceAfterEdit(Backward);
  }
  static std::string Pair(Integer A, Integer B) { return std::to_string(A) + "," + std::to_string(B); }
  using TNeoStringGrid::FocusCell;
  bool FooterVisible = false;
  std::vector<String> Searched;
  std::vector<std::string> Log;
};

class NeoStringGridKeys : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    G = Add<TKeyProbe>(Form, 0, 0, 400, 200);
    G->SetColCount(6);
    G->SetRowCount(30);
    G->SetDefaultColWidth(60);
    G->SetDefaultRowHeight(20);
    Form->Show();
    Pump();
    G->SetFocus();
    Pump();
  }
  void Options(std::initializer_list<TGridOption> Add) {
    TGridOptions o = G->GetOptions();
    for (TGridOption x : Add) o.Include(x);
    G->SetOptions(o);
  }
  void Goto(Integer ACol, Integer ARow) {
    G->GotoCell(ACol, ARow);
    Pump();
  }
  TGridCoord Cell() const { return TGridCoord{G->GetCol(), G->GetRow()}; }
  static void ShiftChord(UINT Modifier, UINT Vk) {
    Headless::KeyDown(Modifier);
    Headless::KeyPress(Vk);
    Pump();
    Headless::KeyUp(Modifier);
    Pump();
  }
  TNavigation* Nav() { return G->GetNavigation(); }
  TForm* Form = nullptr;
  TKeyProbe* G = nullptr;
};

// ---------------------------------------------------------------------------------------------
// MoveScrollOnly
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridKeys, MoveScrollOnlyKeysScrollAndTheCellStays) {
  Nav()->SetMoveScrollOnly(true);
  Goto(2, 3);
  const Integer rows = G->GetVisibleRowCount();
  struct Step {
    UINT Key;
    Integer Top;
  } steps[] = {
      {VK_DOWN, 2}, {VK_DOWN, 3}, {VK_UP, 2}, {VK_NEXT, 2 + rows}, {VK_PRIOR, 2},
      {VK_END, 30 - rows}, {VK_HOME, 1}, {VK_UP, 1},
  };
  for (const Step& s : steps) {
    Press(s.Key);
    EXPECT_EQ(G->GetTopRow(), s.Top) << s.Key;
    EXPECT_EQ(Cell(), (TGridCoord{2, 3})) << s.Key;
  }
  // Left and Right move as always.
  Press(VK_RIGHT);
  EXPECT_EQ(Cell(), (TGridCoord{3, 3}));
}

// ---------------------------------------------------------------------------------------------
// Home and End by HomeEndKey
// ---------------------------------------------------------------------------------------------
struct THomeEndCase {
  THomeEndAction How;
  UINT Modifier;   // 0, VK_CONTROL or VK_SHIFT
  UINT Key;
  TGridCoord Expected;
  TGridRect Selection;
};

TEST_F(NeoStringGridKeys, HomeAndEndFollowHomeEndKey) {
  Options({goRangeSelect});
  G->SetColCount(12);
  G->SetColWidths(11, 0);   // the last column is hidden by size
  G->OnSelectCell = [](TObject*, Integer ACol, Integer ARow, bool& CanSelect) {
    if (ACol == 1 && ARow == 5) CanSelect = false;   // navigation may not stop at (1, 5)
  };
  const THomeEndCase cases[] = {
      {heFirstLastColumn, 0, VK_HOME, {2, 5}, {2, 5, 2, 5}},
      {heFirstLastColumn, 0, VK_END, {10, 5}, {10, 5, 10, 5}},
      {heFirstLastColumn, VK_CONTROL, VK_HOME, {1, 1}, {1, 1, 1, 1}},
      {heFirstLastColumn, VK_SHIFT, VK_HOME, {4, 5}, {1, 5, 4, 5}},
      {heFirstLastColumn, VK_SHIFT, VK_END, {11, 5}, {4, 5, 11, 5}},
      // Ctrl+End is the platform's: the last cell.
      {heFirstLastColumn, VK_CONTROL, VK_END, {11, 29}, {11, 29, 11, 29}},
      {heFirstLastRow, 0, VK_HOME, {4, 1}, {4, 1, 4, 1}},
      {heFirstLastRow, 0, VK_END, {4, 29}, {4, 29, 4, 29}},
      {heFirstLastRow, VK_SHIFT, VK_END, {11, 29}, {0, 5, 11, 29}},
      {heFirstLastCell, 0, VK_HOME, {1, 1}, {1, 1, 1, 1}},
      {heFirstLastCell, 0, VK_END, {11, 29}, {11, 29, 11, 29}},
      // Ctrl+Home with heFirstLastCell falls back to the platform.
      {heFirstLastCell, VK_CONTROL, VK_HOME, {1, 1}, {1, 1, 1, 1}},
      // The platform's Home asks for (1, 5), which is refused.
      {heDefault, 0, VK_HOME, {4, 5}, {4, 5, 4, 5}},
  };
  for (const THomeEndCase& c : cases) {
    Nav()->SetHomeEndKey(c.How);
    G->SetCol(4);   // never through (1, 5)
    G->SetRowEx(5);
    Pump();
    Integer keyDowns = 0;
    G->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { keyDowns += Key == c.Key; };
    if (c.Modifier)
      ShiftChord(c.Modifier, c.Key);
    else
      Press(c.Key);
    G->OnKeyDown = nullptr;
    std::string what = std::to_string(c.How) + "/" + std::to_string(c.Modifier) + "/" + std::to_string(c.Key);
    EXPECT_EQ(Cell(), c.Expected) << what;
    EXPECT_EQ(G->GetSelection(), c.Selection) << what;
    EXPECT_EQ(keyDowns, 1) << what;
  }
}

TEST_F(NeoStringGridKeys, HomeWithFirstLastColumnShowsTheFirstColumnAgain) {
  G->SetColCount(20);
  Goto(15, 4);
  ASSERT_GT(G->GetLeftCol(), 1);
  Press(VK_HOME);
  EXPECT_EQ(G->GetLeftCol(), 1);
  EXPECT_EQ(Cell(), (TGridCoord{1, 4}));
  Press(VK_END);
  EXPECT_EQ(Cell(), (TGridCoord{19, 4}));
  EXPECT_EQ(G->GetLeftCol(), 20 - G->GetVisibleColCount());
}

// ---------------------------------------------------------------------------------------------
// Tab and skipping
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridKeys, TabWrapsAtTheFixedRightColumns) {
  Options({goTabs});
  G->SetFixedRightCols(1);   // column 5 is fixed: 4 is the last normal column
  G->SetFixedFooters(1);     // row 29 is a footer: 28 is the last data row
  struct Step {
    TGridCoord From;
    UINT Modifier;
    TGridCoord To;
  } steps[] = {
      {{2, 3}, 0, {3, 3}},
      {{4, 3}, 0, {1, 4}},
      {{4, 28}, 0, {1, 1}},
      {{3, 3}, VK_SHIFT, {2, 3}},
      {{4, 3}, VK_SHIFT, {3, 3}},
  };
  for (const Step& s : steps) {
    Goto(s.From.X, s.From.Y);
    G->Log.clear();
    if (s.Modifier)
      ShiftChord(s.Modifier, VK_TAB);
    else
      Press(VK_TAB);
    EXPECT_EQ(Cell(), s.To) << s.From.X << "," << s.From.Y << " " << s.Modifier;
    EXPECT_EQ(G->Log, std::vector<std::string>{s.Modifier ? "advance back" : "advance"});
  }
  // Ctrl+Tab is not the grid's: the dialog code gives it away.
  Headless::KeyDown(VK_CONTROL);
  Pump();
  EXPECT_EQ(SendMessage(G->GetHandle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB, 0);
  Headless::KeyUp(VK_CONTROL);
  Pump();
  EXPECT_NE(SendMessage(G->GetHandle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB, 0);
}

TEST_F(NeoStringGridKeys, ArrowsSkipFixedAndReadOnlyCells) {
  G->OnIsFixedCell = [](TObject*, Integer ARow, Integer ACol, bool& IsFixed) {
    if (ACol == 4 || ARow == 6) IsFixed = true;
  };
  G->OnCanEditCell = [](TObject*, Integer ARow, Integer ACol, bool& CanEdit) {
    if (ACol == 2 || ARow == 4) CanEdit = false;
  };
  struct Case {
    bool SkipFixed;
    bool SkipReadOnly;
    TGridCoord From;
    UINT Key;
    TGridCoord To;
  } cases[] = {
      {true, false, {3, 3}, VK_RIGHT, {5, 3}},   // over the fixed column
      {true, false, {5, 3}, VK_LEFT, {3, 3}},
      {true, false, {1, 5}, VK_DOWN, {1, 7}},    // over the fixed row
      {true, false, {1, 3}, VK_RIGHT, {2, 3}},   // read-only is not skipped
      {false, true, {1, 3}, VK_RIGHT, {3, 3}},   // over the read-only column
      {false, true, {3, 2}, VK_LEFT, {1, 2}},
      {false, true, {1, 3}, VK_DOWN, {1, 5}},    // over the read-only row
      {false, false, {1, 3}, VK_DOWN, {1, 4}},
  };
  for (const Case& c : cases) {
    Nav()->SetSkipFixedCells(c.SkipFixed);
    Nav()->SetSkipReadOnly(c.SkipReadOnly);
    G->FocusCell(c.From.X, c.From.Y);
    Press(c.Key);
    EXPECT_EQ(Cell(), c.To) << c.SkipFixed << c.SkipReadOnly << " " << c.From.X << "," << c.From.Y << " " << c.Key;
  }
  // A handler that changes the key keeps the cell.
  Nav()->SetSkipFixedCells(true);
  Nav()->SetSkipReadOnly(false);
  G->FocusCell(3, 3);
  G->OnKeyDown = [](TObject*, Word& Key, TShiftState) { Key = 0; };
  Press(VK_RIGHT);
  EXPECT_EQ(Cell(), (TGridCoord{3, 3}));
}

// ---------------------------------------------------------------------------------------------
// CursorAdvance
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridKeys, SnakeAndLoopGoOnFromEachEdge) {
  G->SetRowCount(8);
  struct Case {
    TCursorAdvance Mode;
    TGridCoord From;
    UINT Key;
    TGridCoord To;
  } cases[] = {
      {caSnake, {5, 3}, VK_RIGHT, {1, 4}}, {caSnake, {1, 3}, VK_LEFT, {5, 2}},   {caSnake, {2, 7}, VK_DOWN, {3, 1}},
      {caSnake, {2, 1}, VK_UP, {1, 7}},    {caSnake, {5, 7}, VK_RIGHT, {1, 7}},  {caSnake, {1, 1}, VK_LEFT, {5, 1}},
      {caSnake, {5, 7}, VK_DOWN, {5, 1}},  {caSnake, {1, 1}, VK_UP, {1, 7}},     {caLoop, {5, 3}, VK_RIGHT, {1, 3}},
      {caLoop, {1, 3}, VK_LEFT, {5, 3}},   {caLoop, {2, 7}, VK_DOWN, {2, 1}},    {caLoop, {2, 1}, VK_UP, {2, 7}},
      {caLoop, {3, 4}, VK_RIGHT, {4, 4}},  {caDefault, {5, 3}, VK_RIGHT, {5, 3}}, {caDefault, {2, 7}, VK_DOWN, {2, 7}},
  };
  for (const Case& c : cases) {
    Nav()->SetCursorAdvance(c.Mode);
    Goto(c.From.X, c.From.Y);
    Press(c.Key);
    EXPECT_EQ(Cell(), c.To) << c.Mode << " " << c.From.X << "," << c.From.Y << " " << c.Key;
  }
}

TEST_F(NeoStringGridKeys, CtrlArrowsMoveTheSelectedRowsWithCursorMoveRows) {
  Nav()->SetCursorMoveRows(true);
  for (Integer r = 1; r < 6; ++r) G->SetCells(1, r, String(1, static_cast<Char>(u'a' + r - 1)));
  Goto(1, 2);
  Chord(VK_CONTROL, VK_DOWN);
  EXPECT_EQ(G->GetRow(), 3);
  EXPECT_EQ(G->GetCells(1, 2), u"c");
  EXPECT_EQ(G->GetCells(1, 3), u"b");
  Chord(VK_CONTROL, VK_UP);
  Chord(VK_CONTROL, VK_UP);
  EXPECT_EQ(G->GetRow(), 1);
  EXPECT_EQ(G->GetCells(1, 1), u"b");
  Chord(VK_CONTROL, VK_UP);   // not above the first normal row
  EXPECT_EQ(G->GetRow(), 1);
  EXPECT_EQ(G->GetCells(1, 1), u"b");
}

TEST_F(NeoStringGridKeys, ArrowsStepOverDisabledRows) {
  G->SetRowEnabled(4, false);
  G->SetRowEnabled(5, false);
  Goto(2, 3);
  Press(VK_DOWN);
  EXPECT_EQ(Cell(), (TGridCoord{2, 6}));
  Press(VK_UP);
  EXPECT_EQ(Cell(), (TGridCoord{2, 3}));
}

// ---------------------------------------------------------------------------------------------
// Appending and inserting rows
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridKeys, ArrowDownOnTheLastRowAppendsARow) {
  Nav()->SetAppendOnArrowDown(true);
  G->SetRowCount(5);
  G->SetCells(2, 4, u"last");
  std::vector<Integer> added;
  G->OnAutoAddRow = [&](TObject*, Integer ARow) { added.push_back(ARow); };
  Goto(2, 3);
  Press(VK_DOWN);
  EXPECT_EQ(G->GetRowCount(), 5);   // not on the last row yet
  Press(VK_DOWN);
  EXPECT_EQ(G->GetRowCount(), 6);
  EXPECT_EQ(Cell(), (TGridCoord{2, 5}));
  EXPECT_EQ(G->GetCells(2, 4), u"last");
  EXPECT_EQ(G->GetCells(2, 5), u"");
  EXPECT_EQ(added, std::vector<Integer>{5});
  // OnCanAddRow may refuse.
  G->OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = false; };
  Press(VK_DOWN);
  EXPECT_EQ(G->GetRowCount(), 6);
  Nav()->SetAppendOnArrowDown(false);
  G->OnCanAddRow = nullptr;
  Press(VK_DOWN);
  EXPECT_EQ(G->GetRowCount(), 6);
}

TEST_F(NeoStringGridKeys, ArrowDownAppendsAboveAVisibleFloatingFooter) {
  Nav()->SetAppendOnArrowDown(true);
  G->SetRowCount(5);
  G->FooterVisible = true;
  for (Integer c = 0; c < 6; ++c) G->SetCells(c, 4, u"sum" + String(1, static_cast<Char>(u'0' + c)));
  G->SetCells(1, 3, u"data");
  std::vector<Integer> added;
  G->OnAutoAddRow = [&](TObject*, Integer ARow) { added.push_back(ARow); };
  Goto(1, 3);
  ASSERT_TRUE(G->IsLastDataRow());
  Press(VK_DOWN);
  EXPECT_EQ(G->GetRowCount(), 6);
  EXPECT_EQ(Cell(), (TGridCoord{1, 4}));
  EXPECT_EQ(G->GetCells(1, 3), u"data");
  for (Integer c = 0; c < 6; ++c) {
    EXPECT_EQ(G->GetCells(c, 4), u"") << c;
    EXPECT_EQ(G->GetCells(c, 5), u"sum" + String(1, static_cast<Char>(u'0' + c))) << c;
  }
  EXPECT_EQ(added, std::vector<Integer>{5});
  EXPECT_TRUE(G->IsLastDataRow());
}

TEST_F(NeoStringGridKeys, InsertAndDeleteCallTheirSeamsWithRealRows) {
  Nav()->SetAllowInsertRow(true);
  Nav()->SetAllowDeleteRow(true);
  std::vector<std::string> events;
  G->OnAutoInsertRow = [&](TObject*, Integer ARow) { events.push_back("inserted " + std::to_string(ARow)); };
  G->OnAutoDeleteRow = [&](TObject*, Integer ARow) { events.push_back("deleted " + std::to_string(ARow)); };
  bool refuse = false;
  G->OnCanInsertRow = [&](TObject*, Integer ARow, bool& CanInsert) {
    events.push_back("can insert " + std::to_string(ARow));
    CanInsert = !refuse;
  };
  G->OnCanDeleteRow = [&](TObject*, Integer ARow, bool& CanDelete) {
    events.push_back("can delete " + std::to_string(ARow));
    CanDelete = !refuse;
  };
  G->SetCells(2, 7, u"gone");
  struct Case {
    TInsertPosition Position;
    UINT Key;
    bool Refuse;
    std::vector<std::string> Log;
    std::vector<std::string> Events;
    Integer Row;
  } cases[] = {
      {pInsertBefore, VK_INSERT, false, {"insert 7,1"}, {"can insert 7", "inserted 7"}, 7},
      {pInsertAfter, VK_INSERT, false, {"insert 8,1"}, {"can insert 7", "inserted 8"}, 8},
      {pInsertBefore, VK_INSERT, true, {}, {"can insert 7"}, 7},
      {pInsertBefore, VK_DELETE, false, {"clear 7,1", "delete 7,1"}, {"can delete 7", "deleted 7"}, 7},
      {pInsertBefore, VK_DELETE, true, {}, {"can delete 7"}, 7},
  };
  for (const Case& c : cases) {
    Nav()->SetInsertPosition(c.Position);
    refuse = c.Refuse;
    Goto(2, 7);
    G->Log.clear();
    events.clear();
    Press(c.Key);
    EXPECT_EQ(G->Log, c.Log) << c.Position << " " << c.Key << " " << c.Refuse;
    EXPECT_EQ(events, c.Events) << c.Position << " " << c.Key << " " << c.Refuse;
    EXPECT_EQ(G->GetRow(), c.Row);
  }
  EXPECT_EQ(G->GetCells(2, 7), u"");   // cleared before it was removed
  // A grid of fixed rows and footers only has no row to delete.
  G->SetRowCount(3);
  G->SetFixedFooters(2);
  G->Log.clear();
  events.clear();
  Press(VK_DELETE);
  EXPECT_TRUE(G->Log.empty());
  EXPECT_TRUE(events.empty());
}

TEST_F(NeoStringGridKeys, ClipboardKeysOnlyWithAllowClipboardShortCuts) {
  std::vector<std::string> events;
  G->OnClipboardCopy = [&](TObject*, const String&, bool&) { events.push_back("copy?"); };
  G->OnClipboardCopyDone = [&](TObject*, TGridRect) { events.push_back("copied"); };
  G->OnClipboardCut = [&](TObject*, const String&, bool& Allow) {
    events.push_back("cut?");
    Allow = false;
  };
  G->OnClipboardPaste = [&](TObject*, const String&, bool&) { events.push_back("paste?"); };
  auto run = [&] {
    G->Log.clear();
    events.clear();
    Chord(VK_CONTROL, VK_INSERT);
    Chord(VK_SHIFT, VK_INSERT);
    Chord(VK_CONTROL, 'X');
  };
  run();
  EXPECT_TRUE(G->Log.empty());
  EXPECT_TRUE(events.empty());
  Nav()->SetAllowClipboardShortCuts(true);
  run();
  EXPECT_EQ(G->Log, (std::vector<std::string>{"copy", "paste"}));   // the cut was refused
  EXPECT_EQ(events, (std::vector<std::string>{"copy?", "copied", "paste?", "cut?"}));
}

// ---------------------------------------------------------------------------------------------
// Ctrl+A and the disjunct selections
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridKeys, CtrlASelectsAllNormalCellsInEachMode) {
  G->SetRowCount(8);
  G->SetFixedRightCols(1);
  G->SetFixedFooters(1);
  const TGridRect all{1, 1, 4, 6};
  std::vector<TGridRect> changes;
  G->OnSelectionChanged = [&](TObject*, Integer L, Integer T, Integer R, Integer B) {
    changes.push_back(TGridRect{L, T, R, B});
  };
  // Neither range nor row selection: Ctrl+A is nothing.
  TGridOptions plain = G->GetOptions();
  plain.Exclude(goRangeSelect);
  G->SetOptions(plain);
  Goto(2, 2);
  changes.clear();
  Chord(VK_CONTROL, 'A');
  EXPECT_EQ(G->GetSelection(), (TGridRect{2, 2, 2, 2}));
  EXPECT_TRUE(changes.empty());

  Options({goRangeSelect});
  changes.clear();
  Chord(VK_CONTROL, 'A');
  EXPECT_EQ(G->GetSelection(), all);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back(), all);
  EXPECT_EQ(Cell(), (TGridCoord{4, 6}));

  G->GetMouseActions()->SetDisjunctRowSelect(true);
  Goto(2, 2);
  Chord(VK_CONTROL, 'A');
  for (Integer r = 0; r < 8; ++r) EXPECT_EQ(G->GetRowSelect(r), r >= 1 && r <= 6) << r;
  G->GetMouseActions()->SetDisjunctRowSelect(false);

  G->GetMouseActions()->SetDisjunctCellSelect(true);
  Chord(VK_CONTROL, 'A');
  EXPECT_EQ(G->GetSelectedCellsCount(), 4 * 6);
  EXPECT_TRUE(G->GetSelectedCells(1, 1));
  EXPECT_TRUE(G->GetSelectedCells(4, 6));
  EXPECT_FALSE(G->GetSelectedCells(5, 6));
  G->GetMouseActions()->SetDisjunctCellSelect(false);

  TGridOptions o = G->GetOptions();
  o.Exclude(goRangeSelect);
  o.Include(goRowSelect);
  G->SetOptions(o);
  Goto(2, 2);
  changes.clear();
  Chord(VK_CONTROL, 'A');
  EXPECT_EQ(G->GetSelection().Top, 1);
  EXPECT_EQ(G->GetSelection().Bottom, 6);
  EXPECT_EQ(G->GetRow(), 6);
  ASSERT_FALSE(changes.empty());
}

TEST_F(NeoStringGridKeys, ShiftArrowsLeaveTheNewRectangleLessTheCurrentCell) {
  Options({goRangeSelect});
  G->GetMouseActions()->SetDisjunctCellSelect(true);
  Goto(1, 1);
  auto cells = [&] {
    std::vector<std::pair<Integer, Integer>> out;
    for (Integer i = 0; i < G->GetSelectedCellsCount(); ++i) out.emplace_back(G->GetSelectedCell(i).X, G->GetSelectedCell(i).Y);
    std::sort(out.begin(), out.end());
    return out;
  };
  using V = std::vector<std::pair<Integer, Integer>>;
  ShiftChord(VK_SHIFT, VK_RIGHT);
  EXPECT_EQ(cells(), (V{{1, 1}}));
  ShiftChord(VK_SHIFT, VK_DOWN);
  EXPECT_EQ(cells(), (V{{1, 1}, {1, 2}, {2, 1}}));
  ShiftChord(VK_SHIFT, VK_LEFT);
  EXPECT_EQ(cells(), (V{{1, 1}}));
  // Ctrl+Space toggles the current cell; Space alone starts a new list with it.
  Chord(VK_CONTROL, VK_SPACE);
  EXPECT_EQ(cells(), (V{{1, 1}, {1, 2}}));
  Chord(VK_CONTROL, VK_SPACE);
  EXPECT_EQ(cells(), (V{{1, 1}}));
  Goto(3, 4);
  Press(VK_SPACE);
  EXPECT_EQ(cells(), (V{{3, 4}}));
}

TEST_F(NeoStringGridKeys, NavigationKeysExtendTheDisjunctRows) {
  Options({goRangeSelect});
  G->GetMouseActions()->SetDisjunctRowSelect(true);
  Goto(1, 3);
  Chord(VK_CONTROL, VK_DOWN);   // Ctrl: the current row joins
  EXPECT_TRUE(G->GetRowSelect(3));
  ShiftChord(VK_SHIFT, VK_DOWN);   // Shift: the selection's rows
  EXPECT_TRUE(G->GetRowSelect(3));
  EXPECT_TRUE(G->GetRowSelect(4));
  Press(VK_DOWN);   // plain: cleared
  EXPECT_EQ(G->GetRowSelectCount(), 0);
  Press(VK_SPACE);
  EXPECT_TRUE(G->GetRowSelect(5));
  Press(VK_SPACE);
  EXPECT_FALSE(G->GetRowSelect(5));
}

// ---------------------------------------------------------------------------------------------
// Characters
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridKeys, KeypadDecimalTypesTheLocaleSeparator) {
  TFormatSettings saved = FormatSettings;
  TScopeGuard restore([&] { FormatSettings = saved; });
  FormatSettings.DecimalSeparator = u',';
  Options({goEditing});
  struct Case {
    bool Excel;
    UINT Key;
    const char16_t* Typed;
  } cases[] = {
      {true, VK_DECIMAL, u","}, {true, VK_OEM_PERIOD, u"."}, {false, VK_DECIMAL, u"."}, {false, VK_OEM_PERIOD, u"."},
  };
  for (const Case& c : cases) {
    G->SetExcelStyleDecimalSeparator(c.Excel);
    G->SetEditorMode(false);
    G->SetCells(2, 2, u"");
    Goto(2, 2);
    G->SetFocus();
    Pump();
    Press(c.Key);
    ASSERT_NE(G->GetInplaceEditor(), nullptr);
    EXPECT_EQ(G->GetInplaceEditor()->GetText(), c.Typed) << c.Excel << " " << c.Key;
  }
}

TEST_F(NeoStringGridKeys, CtrlCNeverReachesTheEditorWithClipboardShortCuts) {
  Options({goEditing});
  std::vector<Char> pressed;
  G->OnKeyPress = [&](TObject*, Char& Key) { pressed.push_back(Key); };
  Chord(VK_CONTROL, 'C');
  EXPECT_EQ(pressed, std::vector<Char>{3});
  EXPECT_TRUE(G->Log.empty());
  pressed.clear();
  Nav()->SetAllowClipboardShortCuts(true);
  Chord(VK_CONTROL, 'C');
  EXPECT_TRUE(pressed.empty());
  EXPECT_FALSE(G->GetEditorMode());
  EXPECT_EQ(G->Log, std::vector<std::string>{"copy"});
}

TEST_F(NeoStringGridKeys, EscapeRestoresTheCellAndSkipsTheBaseKeyPress) {
  Options({goEditing});
  G->SetCells(3, 4, u"before");
  Goto(3, 4);
  G->SetCells(3, 4, u"typed");
  G->SetEditing(true);
  std::vector<Char> pressed;
  G->OnKeyPress = [&](TObject*, Char& Key) { pressed.push_back(Key); };
  Press(VK_ESCAPE);
  EXPECT_EQ(G->GetCells(3, 4), u"before");
  EXPECT_EQ(pressed, std::vector<Char>{27});   // once: the platform's KeyPress did not run
  // Not editing: nothing is restored.
  G->SetEditing(false);
  G->SetCells(3, 4, u"kept");
  Press(VK_ESCAPE);
  EXPECT_EQ(G->GetCells(3, 4), u"kept");
}

TEST_F(NeoStringGridKeys, IncrementalSearchFindsTheTypedStartAndForgetsAfterFourTicks) {
  Nav()->SetAutoGotoWhenSorted(true);
  Nav()->SetAutoGotoIncremental(true);
  const char16_t* texts[] = {u"apple", u"Banana", u"able", u"abc", u"Abacus", u"cherry"};
  for (Integer i = 0; i < 6; ++i) G->SetCells(1, 3 + i, texts[i]);
  Goto(2, 1);
  Type(u"a");
  EXPECT_EQ(G->GetRow(), 3);
  Type(u"b");
  EXPECT_EQ(G->GetRow(), 5);   // "able": the first row starting with "AB"
  EXPECT_EQ(G->Searched, (std::vector<String>{u"A", u"AB"}));
  EXPECT_EQ(G->GetSearchInc(), u"ab");
  for (Integer i = 0; i < 4; ++i) {
    Headless::AdvanceClock(500);
    Pump();
  }
  EXPECT_EQ(G->GetSearchInc(), u"");
  Type(u"c");
  EXPECT_EQ(G->GetRow(), 8);
  Press(VK_BACK);
  EXPECT_EQ(G->Searched.back(), u"");
  // A text that matches nothing is dropped and the row stays.
  Integer row = G->GetRow();
  Type(u"z");
  EXPECT_EQ(G->Searched.back(), u"Z");
  EXPECT_EQ(G->GetSearchInc(), u"");
  EXPECT_EQ(G->GetRow(), row);
}

TEST_F(NeoStringGridKeys, EnterOnAGridOfFixedRowsWithAdvanceInsertAppendsARow) {
  G->SetRowCount(1);
  G->SetFixedRowAlways(true);
  G->SetFixedRows(1);
  ASSERT_EQ(G->GetRowCount(), G->GetFixedRowsMin());
  Nav()->SetAdvanceOnEnter(true);
  Nav()->SetAdvanceInsert(true);
  Press(VK_RETURN);
  EXPECT_EQ(G->GetRowCount(), 2);
  EXPECT_EQ(G->Log, std::vector<std::string>{"clear 1,1"});
}

TEST_F(NeoStringGridKeys, DialogCodeWantsCharsForTheGotoSearch) {
  EXPECT_NE(SendMessage(G->GetHandle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS, 0);   // not editing
  Options({goEditing});
  EXPECT_NE(SendMessage(G->GetHandle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS, 0);   // editing
}

// ---------------------------------------------------------------------------------------------
// Key release
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridKeys, AlwaysEditReopensTheEditorAfterAnArrow) {
  Options({goEditing});
  Nav()->SetAlwaysEdit(true);
  Goto(2, 2);
  Press(VK_DOWN);
  EXPECT_EQ(Cell(), (TGridCoord{2, 3}));
  EXPECT_TRUE(G->GetEditorMode());
}

TEST_F(NeoStringGridKeys, KeyUpReportsTheKeyboardsSelectionChangeOnce) {
  Options({goRangeSelect});
  std::vector<TGridRect> changes;
  G->OnSelectionChanged = [&](TObject*, Integer L, Integer T, Integer R, Integer B) {
    changes.push_back(TGridRect{L, T, R, B});
  };
  Goto(2, 2);
  changes.clear();
  ShiftChord(VK_SHIFT, VK_RIGHT);
  EXPECT_EQ(changes, (std::vector<TGridRect>{{2, 2, 3, 2}}));
}

TEST_F(NeoStringGridKeys, RangeSelectAndEditOpensTheEditorOnEnterRelease) {
  G->GetMouseActions()->SetRangeSelectAndEdit(true);
  Goto(2, 2);
  Press(VK_F2);
  EXPECT_TRUE(G->GetOptions().Contains(goEditing));
  EXPECT_TRUE(G->GetEditorMode());
}

}  // namespace
