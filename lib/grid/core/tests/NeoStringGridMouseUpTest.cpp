// The grid's button up, double click and right click, headless through the message queue and the
// virtual clock: the sorting table (the probe records each sort call with the settings it saw),
// touch flicks and taps, click events, fixed sizing, the end of an enhanced column move, the
// selection resize, the filter glyph menu, and event-order traces of whole press-release pairs.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "lib/grid/core/NeoSortSettings.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/grid/core/testsupport/ControlMouse.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/WinUser.h"

namespace {

using TCell = std::pair<Integer, Integer>;

// Records the sort, fill and auto-size calls and scripts the cell kinds (by real column, row).
class TUpProbe : public TNeoStringGrid {
public:
  explicit TUpProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}

  void QSort() override { Sorted(u"QSort"); }
  void QSortIndexed() override { Sorted(u"QSortIndexed"); }
  void QSortGroup() override { Sorted(u"QSortGroup"); }
  void QSortGroupIndexed() override { Sorted(u"QSortGroupIndexed"); }
  void QUnSort() override { Sorted(u"QUnSort"); }
  void AutoSizeCol(Integer ACol, Integer Padding) override {
    Trace.push_back(u"AutoSizeCol " + IntToStr(ACol) + u" " + IntToStr(Padding));
  }
  void SmartFillSelection(const TGridRect& Source, const TGridRect& Target) override {
    Fills.push_back({Source, Target});
  }
  TCellType GetCellType(Integer ACol, Integer ARow) override {
    auto it = Types.find({ACol, ARow});
    return it == Types.end() ? TNeoStringGrid::GetCellType(ACol, ARow) : it->second;
  }
  bool CellHasCheckBox(Integer ACol, Integer ARow) override { return GetCellType(ACol, ARow) == ctCheckBox; }
  bool ToggleCellCheck(Integer ACol, Integer ARow, bool) override {
    Trace.push_back(u"Toggle " + IntToStr(ACol) + u"," + IntToStr(ARow));
    Checked[{ACol, ARow}] = !Checked[{ACol, ARow}];
    return true;
  }
  bool GetCheckBoxState(Integer ACol, Integer ARow, bool& State) override {
    if (GetCellType(ACol, ARow) != ctCheckBox) return false;
    State = Checked[{ACol, ARow}];
    return true;
  }
  bool FixedDropDownButton() override { return DropDownButtons; }
  bool DoHasFilterEdit(Integer, Integer ARow) override { return FilterEdit && ARow == 1; }
  TStrings* FilterTypeNames() override { return &TypeNames; }

  TGridState GridState() const { return FGridState; }

  std::vector<String> Trace;
  std::vector<std::pair<TGridRect, TGridRect>> Fills;
  std::map<TCell, TCellType> Types;
  std::map<TCell, bool> Checked;
  TStringList TypeNames;
  bool DropDownButtons = false;
  bool FilterEdit = false;

private:
  void Sorted(const String& Name) {
    TSortSettings* s = GetSortSettings();
    Trace.push_back(Name + u" col=" + IntToStr(s->GetColumn()) + (s->GetDirection() == sdAscending ? u" asc" : u" desc") +
                    u" list=" + GetSortIndexes()->SaveToString());
  }
};

class NeoStringGridMouseUp : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    G = Add<TUpProbe>(Form, 0, 0, 400, 264);
    G->SetColCount(6);
    G->SetRowCount(30);
    G->SetDefaultColWidth(60);
    G->SetDefaultRowHeight(24);
    G->GetSortSettings()->SetShow(true);
    Form->Show();
    Pump();
  }
  void Options(std::initializer_list<TGridOption> On, std::initializer_list<TGridOption> Off = {}) {
    TGridOptions o = G->GetOptions();
    for (TGridOption x : On) o.Include(x);
    for (TGridOption x : Off) o.Exclude(x);
    G->SetOptions(o);
  }
  TPoint Center(Integer ACol, Integer ARow) {
    TRect r = G->CellRect(ACol, ARow);
    return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // Input at client points; each first press comes a second after the last input, so that two
  // clicks never make a double click unless DoubleClick asks for one.
  void Down(Integer X, Integer Y) { ControlMouse::Down(G, X, Y); }
  void Up(Integer X, Integer Y) { ControlMouse::Up(G, X, Y); }
  void MoveTo(Integer X, Integer Y) { ControlMouse::MoveTo(G, X, Y); }
  void Click(Integer X, Integer Y, std::initializer_list<UINT> Keys = {}) {
    Headless::AdvanceClock(1000);
    Pump();
    for (UINT k : Keys) Headless::KeyDown(k);
    Down(X, Y);
    Up(X, Y);
    for (UINT k : Keys) Headless::KeyUp(k);
    Pump();
  }
  void ClickCell(Integer ACol, Integer ARow, std::initializer_list<UINT> Keys = {}) {
    TPoint p = Center(ACol, ARow);
    Click(p.x, p.y, Keys);
  }
  void DoubleClick(Integer X, Integer Y) {
    Headless::AdvanceClock(1000);
    Pump();
    TPoint p = ScreenPoint(G, X, Y);
    Headless::Click(p.x, p.y);
    Headless::Click(p.x, p.y);
    Pump();
  }
  // A press on header ACol with column moving on; the drag set the screen cursor.
  void StartColumnDrag(Integer ACol, TCursor Cursor) {
    Options({goColMoving});
    Headless::AdvanceClock(1000);
    Pump();
    TPoint p = Center(ACol, 0);
    Down(p.x, p.y);
    ASSERT_EQ(G->GridState(), gsColMoving);
    Screen->SetCursor(Cursor);
  }
  std::vector<String> TakeTrace() {
    std::vector<String> t = std::move(G->Trace);
    G->Trace.clear();
    return t;
  }
  TForm* Form = nullptr;
  TUpProbe* G = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Sorting by the sort row
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseUp, ThreeClicksCycleAscendingDescendingAndUnsortedWithUndoSort) {
  struct TCase {
    bool UndoSort;
    std::vector<String> Calls;
  } cases[] = {
      {true, {u"QSort col=2 asc list=", u"QSort col=2 desc list=", u"QUnSort col=2 asc list="}},
      {false, {u"QSort col=2 asc list=", u"QSort col=2 desc list=", u"QSort col=2 asc list="}},
  };
  for (const TCase& c : cases) {
    G->GetSortSettings()->SetColumn(-1);
    G->GetSortSettings()->SetUndoSort(c.UndoSort);
    G->Trace.clear();
    std::vector<Integer> columns;
    for (Integer i = 0; i < 3; ++i) {
      ClickCell(2, 0);
      columns.push_back(G->GetSortSettings()->GetColumn());
    }
    EXPECT_EQ(TakeTrace(), c.Calls) << "UndoSort " << c.UndoSort;
    EXPECT_EQ(columns, (std::vector<Integer>{2, 2, c.UndoSort ? -1 : 2}));
  }
  // Another column starts in the initial direction again.
  G->GetSortSettings()->SetInitSortDirection(sdDescending);
  ClickCell(4, 0);
  EXPECT_EQ(TakeTrace(), (std::vector<String>{u"QSort col=4 desc list="}));
}

TEST_F(NeoStringGridMouseUp, IndexShowBuildsTheMultiColumnList) {
  G->GetSortSettings()->SetIndexShow(true);
  ClickCell(1, 0);
  ClickCell(3, 0, {VK_SHIFT});   // Shift appends
  ClickCell(1, 0, {VK_SHIFT});   // a listed column flips
  // The sort sees the new list; Column follows it afterwards (the first entry's column).
  EXPECT_EQ(TakeTrace(), (std::vector<String>{u"QSortIndexed col=-1 asc list=u1", u"QSortIndexed col=1 asc list=u1;u3",
                                              u"QSortIndexed col=1 asc list=d1;u3"}));
  EXPECT_EQ(G->GetSortSettings()->GetColumn(), 1);
  ClickCell(3, 0);   // a plain click on another column replaces the list
  ClickCell(3, 0);   // and on the only entry flips it
  EXPECT_EQ(TakeTrace(),
            (std::vector<String>{u"QSortIndexed col=1 asc list=u3", u"QSortIndexed col=3 asc list=d3"}));
  // The entry keeps the column in the low 16 bits and the direction in the top bit.
  EXPECT_EQ(static_cast<std::uint32_t>(G->GetSortIndexes()->GetInteger(0)), 0x80000003u);
  EXPECT_EQ(G->GetSortSettings()->GetColumn(), 3);
  // Ctrl is the key with ikCtrl; Shift then replaces.
  G->GetSortSettings()->SetIndexSortKey(ikCtrl);
  ClickCell(5, 0, {VK_CONTROL});
  ClickCell(2, 0, {VK_SHIFT});
  EXPECT_EQ(TakeTrace(), (std::vector<String>{u"QSortIndexed col=3 asc list=d3;u5", u"QSortIndexed col=3 asc list=u2"}));
  EXPECT_EQ(G->GetSortSettings()->GetColumn(), 2);
}

TEST_F(NeoStringGridMouseUp, ReleasesThatDoNotSort) {
  Options({goColSizing});
  G->SetFixedRows(2);
  auto header = [&](Integer ACol) { return G->CellRect(ACol, 0); };
  struct TCase {
    const char* Name;
    std::function<void()> Act;
  } cases[] = {
      {"3 px right of the left border", [&] { Click(header(2).left + 3, header(2).top + 5); }},
      {"3 px left of the right border", [&] { Click(header(2).right - 4, header(2).top + 5); }},
      {"on the drop-down button area",
       [&] {
         G->DropDownButtons = true;
         Click(header(2).right - 10, header(2).top + 5);
         G->DropDownButtons = false;
       }},
      {"in the second fixed row", [&] { ClickCell(2, 1); }},
      {"pressed on the sort row, released below it",
       [&] {
         Headless::AdvanceClock(1000);
         TPoint a = Center(2, 0), b = Center(2, 1);
         Down(a.x, a.y);
         Up(b.x, b.y);
       }},
      {"pressed below the sort row, released on it",
       [&] {
         Headless::AdvanceClock(1000);
         TPoint a = Center(2, 1), b = Center(2, 0);
         Down(a.x, a.y);
         Up(b.x, b.y);
       }},
      {"in an ignored column",
       [&] {
         G->GetIgnoreColumns()->Add(3);
         ClickCell(3, 0);
       }},
      {"refused by OnCanSort",
       [&] {
         G->OnCanSort = [](TObject*, Integer, bool& DoSort) { DoSort = false; };
         ClickCell(4, 0);
         G->OnCanSort = nullptr;
       }},
      {"with Show off",
       [&] {
         G->GetSortSettings()->SetShow(false);
         ClickCell(2, 0);
         G->GetSortSettings()->SetShow(true);
       }},
  };
  for (const TCase& c : cases) {
    c.Act();
    EXPECT_TRUE(TakeTrace().empty()) << c.Name;
  }
  // 4 px from the border sorts.
  Click(header(2).left + 4, header(2).top + 5);
  EXPECT_EQ(TakeTrace().size(), 1u);
  // A header and one row are too few.
  G->SetFixedRows(1);
  G->SetRowCount(2);
  ClickCell(1, 0);
  EXPECT_TRUE(TakeTrace().empty());
  G->SetRowCount(3);
  ClickCell(1, 0);
  EXPECT_EQ(TakeTrace().size(), 1u);
}

TEST_F(NeoStringGridMouseUp, DoubleClickOnAHeaderBorderAutoSizesAndTheNextReleaseDoesNotSort) {
  Options({goColSizing});
  TRect h = G->CellRect(2, 0);
  std::vector<Integer> sized;
  G->OnEndColumnSize = [&](TObject*, Integer ACol) { sized.push_back(ACol); };
  DoubleClick(h.right - 2, h.top + 5);
  EXPECT_EQ(TakeTrace(), (std::vector<String>{u"AutoSizeCol 2 0"}));
  EXPECT_EQ(sized, (std::vector<Integer>{2}));
  EXPECT_FALSE(G->GetDblClk());   // the release after the double click used it up
  // The left border sizes the column before; OnColumnSize may refuse.
  G->OnColumnSize = [](TObject*, Integer, bool& Allow) { Allow = false; };
  DoubleClick(h.left + 1, h.top + 5);
  EXPECT_TRUE(TakeTrace().empty());
  G->OnColumnSize = nullptr;
  DoubleClick(h.left + 1, h.top + 5);
  EXPECT_EQ(TakeTrace(), (std::vector<String>{u"AutoSizeCol 1 0"}));
  // A click in the middle of the header sorts again.
  ClickCell(2, 0);
  EXPECT_EQ(TakeTrace(), (std::vector<String>{u"QSort col=2 asc list="}));
}

// ---------------------------------------------------------------------------------------------
// Touch scrolling
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseUp, TouchReleaseFlicksAfterAFastSwipeAndTapsOtherwise) {
  G->GetMouseActions()->SetTouchScroll(true);
  struct TCase {
    const char* Name;
    std::uint64_t Ms;
    Integer Col;
    bool Flick;
  } cases[] = {
      {"30-ms swipe", 30, 2, true},
      {"slow drag", 600, 3, false},
  };
  for (const TCase& c : cases) {
    G->SetTopRow(1);
    TPoint from = Center(c.Col, 8);
    Headless::AdvanceClock(1000);
    Pump();
    Down(from.x, from.y);
    ASSERT_TRUE(G->GetScrollStart()) << c.Name;
    Headless::AdvanceClock(c.Ms);
    // The drag upwards scrolled the rows (the move's work).
    G->SetTopRow(4);
    Up(from.x, from.y - 80);
    EXPECT_FALSE(G->GetScrollStart());
    Integer top = G->GetTopRow();
    EXPECT_EQ(G->GetFlickSteps(), c.Flick ? 10 : 0) << c.Name;
    std::vector<Integer> tops;
    for (Integer i = 0; i < 12; ++i) {
      Headless::AdvanceClock(10);
      Pump();
      tops.push_back(G->GetTopRow());
    }
    if (c.Flick) {
      std::vector<Integer> want;
      for (Integer i = 1; i <= 12; ++i) want.push_back(top + std::min(i, 10));
      EXPECT_EQ(tops, want) << c.Name;
    } else {
      EXPECT_EQ(tops, std::vector<Integer>(12, top)) << c.Name;
    }
  }
}

TEST_F(NeoStringGridMouseUp, TouchTapTogglesACheckBoxOrFiresTheButton) {
  G->GetMouseActions()->SetTouchScroll(true);
  G->Types[{2, 5}] = ctCheckBox;
  G->Types[{3, 6}] = ctButton;
  std::vector<String> events;
  G->OnCheckBoxClick = [&](TObject*, Integer ACol, Integer ARow, bool State) {
    events.push_back(u"CheckBoxClick " + IntToStr(ACol) + u"," + IntToStr(ARow) + (State ? u" on" : u" off"));
  };
  G->OnButtonClick = [&](TObject*, Integer ACol, Integer ARow) {
    events.push_back(u"ButtonClick " + IntToStr(ACol) + u"," + IntToStr(ARow));
  };
  Integer top = G->GetTopRow();
  ClickCell(2, 5);
  ClickCell(3, 6);
  EXPECT_EQ(events, (std::vector<String>{u"CheckBoxClick 2,5 on", u"ButtonClick 3,6"}));
  EXPECT_EQ(TakeTrace(), (std::vector<String>{u"Toggle 2,5"}));
  EXPECT_EQ(G->GetTopRow(), top);
  EXPECT_EQ(G->GetFlickSteps(), 0);
  // A cell that CanEditCell refuses does nothing on a tap.
  events.clear();
  G->OnCanEditCell = [](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = false; };
  ClickCell(2, 5);
  EXPECT_TRUE(events.empty());
}

// ---------------------------------------------------------------------------------------------
// Click events
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseUp, OnClickOnlyForFixedAreaReleasesOffTheSizingBorder) {
  G->GetSortSettings()->SetShow(false);
  Integer clicks = 0;
  std::vector<TCell> fixedClicks;
  G->OnClick = [&](TObject*) { ++clicks; };
  G->OnFixedCellClick = [&](TObject*, Integer ACol, Integer ARow) { fixedClicks.push_back({ACol, ARow}); };
  ClickCell(3, 0);
  ClickCell(0, 4);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(fixedClicks, (std::vector<TCell>{{3, 0}, {0, 4}}));
  // A normal cell: the click of the selection, not the fixed-area OnClick and no fixed click.
  clicks = 0;
  fixedClicks.clear();
  ClickCell(3, 4);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(fixedClicks.empty());
  // On the sizing border (the move set the column-sizing cursor) neither fires.
  Options({goColSizing});
  clicks = 0;
  Headless::AdvanceClock(1000);
  TPoint p = Center(3, 0);
  Down(p.x, p.y);
  G->SetCursor(crHSplit);
  Up(p.x, p.y);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(fixedClicks.empty());
}

TEST_F(NeoStringGridMouseUp, RightClickOnASelectedCellWithNewSelectionOnlyChangesNothing) {
  TMouseActions* ma = G->GetMouseActions();
  ma->SetSelectOnRightClick(true);
  ma->SetSelectOnRightClickNewSelectionOnly(true);
  G->SetSelection(GridRectOf(1, 2, 3, 4));
  Pump();
  Integer events = 0;
  G->OnRightClickCell = [&](TObject*, Integer, Integer) { ++events; };
  G->OnSelectCell = [&](TObject*, Integer, Integer, bool&) { ++events; };
  G->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++events; };
  auto rightClick = [&](Integer ACol, Integer ARow) {
    TPoint p = ScreenPoint(G, Center(ACol, ARow).x, Center(ACol, ARow).y);
    Headless::Click(p.x, p.y, 3);
    Pump();
  };
  rightClick(2, 3);
  EXPECT_EQ(G->GetSelection(), GridRectOf(1, 2, 3, 4));
  EXPECT_EQ(events, 1);   // only the control's own OnMouseDown of the right press
  // A cell outside the selection is selected and reported.
  events = 0;
  G->OnMouseDown = nullptr;
  std::vector<TCell> right;
  G->OnRightClickCell = [&](TObject*, Integer ARow, Integer ACol) { right.push_back({ACol, ARow}); };
  rightClick(4, 6);
  EXPECT_EQ((TGridCoord{G->GetCol(), G->GetRow()}), (TGridCoord{4, 6}));
  EXPECT_EQ(right, (std::vector<TCell>{{4, 6}}));
}

TEST_F(NeoStringGridMouseUp, FilterGlyphMenuListsAtMostNineTypes) {
  G->SetFixedRows(2);
  G->FilterEdit = true;
  for (Integer i = 0; i < 12; ++i) G->TypeNames.Add(u"type " + IntToStr(i));
  G->OnShowFilterEdit = [](TObject*, Integer, Integer AIndex, bool& DoShow) { DoShow = AIndex != 4; };
  TRect h = G->CellRect(3, 1);
  Click(h.left + 5, h.top + 5);
  TPopupMenu* menu = G->GetFilterPopup();
  ASSERT_NE(menu, nullptr);
  TMenuItem* items = menu->GetItems();
  ASSERT_EQ(items->GetCount(), 9);
  for (Integer i = 0; i < 9; ++i) {
    EXPECT_EQ(items->GetItems(i)->GetCaption(), u"type " + IntToStr(i));
    EXPECT_EQ(items->GetItems(i)->GetImageIndex(), i);
    EXPECT_EQ(items->GetItems(i)->GetVisible(), i != 4);
  }
  EXPECT_EQ(menu->GetTag(), 3);
  EXPECT_NE(menu->GetPopupWindow(), nullptr);
  menu->CloseMenu();
  // Released beside the glyph, or on another cell than the pressed one, no menu shows.
  Click(h.left + 30, h.top + 5);
  EXPECT_EQ(menu->GetPopupWindow(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Sizing
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseUp, ColumnSizingReleasedRightOfTheControlIsAbandoned) {
  Options({goColSizing});
  TRect h = G->CellRect(2, 0);
  Headless::AdvanceClock(1000);
  Down(h.right, h.top + 5);
  ASSERT_EQ(G->GridState(), gsColSizing);
  Up(G->GetClientWidth() + 30, h.top + 5);
  EXPECT_EQ(G->GridState(), gsNormal);
  EXPECT_EQ(G->GetColWidths(2), 60);
  // Released inside, the column takes the new width.
  Headless::AdvanceClock(1000);
  Down(h.right, h.top + 5);
  Up(h.right + 25, h.top + 5);
  EXPECT_EQ(G->GetColWidths(2), 85);
}

TEST_F(NeoStringGridMouseUp, FixedColumnSizingEndsAtTheReleaseAndNeverBelowZero) {
  G->SetFixedCols(2);
  Options({goColSizing});
  G->GetMouseActions()->SetSizeFixedCol(true);
  std::vector<Integer> ended;
  G->OnEndColumnSize = [&](TObject*, Integer ACol) { ended.push_back(ACol); };
  // The move armed fixed sizing; the press within 3 pixels of column 1's right border starts it.
  auto press = [&] {
    G->SetColWidths(1, 60);
    Headless::AdvanceClock(1000);
    MoveTo(G->CellRect(1, 3).right, G->CellRect(1, 3).top + 5);
    Down(G->CellRect(1, 3).right, G->CellRect(1, 3).top + 5);
    ASSERT_TRUE(G->GetSizingFixed());
    ASSERT_EQ(G->GetSizingFixedCol(), 1);
  };
  struct TCase {
    Integer X;
    Integer Width;
  } cases[] = {{100, 40}, {75, 15}, {30, 0}};
  for (const TCase& c : cases) {
    press();
    Up(c.X, 10);
    EXPECT_EQ(G->GetColWidths(1), c.Width) << c.X;
    EXPECT_FALSE(G->GetSizingFixed());
  }
  EXPECT_EQ(ended, (std::vector<Integer>{1, 1, 1}));
  // OnUpdateColumnSize may change the width.
  G->OnUpdateColumnSize = [](TObject*, Integer, Integer& AWidth) { AWidth = 33; };
  press();
  Up(100, 10);
  EXPECT_EQ(G->GetColWidths(1), 33);
}

// ---------------------------------------------------------------------------------------------
// The end of an enhanced column move
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseUp, ColumnDragFromHeaderTwoToFiveMovesEverythingAlong) {
  for (Integer c = 0; c < 6; ++c) G->SetCells(c, 3, u"c" + IntToStr(c));
  G->CreateCellProperties(2, 3);
  TCellProperties* props = G->GetCellProperties(2, 3);
  G->SetColWidths(2, 90);
  G->GetSortSettings()->SetColumn(2);
  StartColumnDrag(2, crDrag);
  TPoint to = Center(5, 0);
  Up(to.x, to.y);
  EXPECT_EQ(G->GridState(), gsNormal);
  EXPECT_TRUE(G->GetMovedNow());
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  std::vector<String> row;
  for (Integer c = 0; c < 6; ++c) row.push_back(G->GetCells(c, 3));
  EXPECT_EQ(row, (std::vector<String>{u"c0", u"c1", u"c3", u"c4", u"c5", u"c2"}));
  EXPECT_EQ(G->GetCellProperties(5, 3), props);
  EXPECT_FALSE(G->HasCellProperties(2, 3));
  EXPECT_EQ(G->GetColWidths(5), 90);
  EXPECT_EQ(G->GetColWidths(2), 60);
  EXPECT_EQ(G->GetSortSettings()->GetColumn(), 5);
  EXPECT_TRUE(TakeTrace().empty());   // the release that moved does not sort
}

TEST_F(NeoStringGridMouseUp, ColumnDragReleasedOnNoDropRepaintsTheHeaderAndMovesNothing) {
  for (Integer c = 0; c < 6; ++c) G->SetCells(c, 3, u"c" + IntToStr(c));
  Pump();
  StartColumnDrag(2, crNoDrop);
  // The release message itself: the pointer does not move again (a move would set the cursor).
  TPoint to = Center(5, 0);
  SendMessage(G->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  EXPECT_EQ(G->GetCells(2, 3), u"c2");
  EXPECT_EQ(G->GetCells(5, 3), u"c5");
  EXPECT_EQ(G->GridState(), gsNormal);
  RECT pending{};
  ASSERT_TRUE(GetUpdateRect(G->GetHandle(), &pending, FALSE));
  TRect header = G->CellRect(1, 0);
  EXPECT_LE(pending.top, header.top);
  EXPECT_GE(pending.bottom, header.bottom);
  EXPECT_LT(pending.bottom, G->CellRect(1, 2).top);
}

// ---------------------------------------------------------------------------------------------
// Selection resize
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseUp, SelectionResizeFillsTheGrownSelectionFromTheGrabbedCells) {
  G->SetSelectionRectangle(true);
  G->SetSelectionResizer(true);
  G->GetNavigation()->SetAllowSmartClipboard(true);
  G->SetSelection(GridRectOf(1, 2, 2, 3));
  Pump();
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  std::vector<String> events;
  G->OnSelectionResize = [&](TObject*, TGridRect, TGridRect) { events.push_back(u"Resize"); };
  G->OnSelectionResized = [&](TObject*, TGridRect, TGridRect) { events.push_back(u"Resized"); };
  TRect handle = G->CellRect(2, 3);
  Headless::AdvanceClock(1000);
  Down(handle.right - 2, handle.bottom - 2);
  ASSERT_TRUE(G->GetMouseResize());
  TPoint lower = Center(2, 5);
  MoveTo(lower.x, lower.y);
  Up(lower.x, lower.y);
  ASSERT_EQ(G->Fills.size(), 1u);
  EXPECT_EQ(G->Fills[0].first, GridRectOf(1, 2, 2, 3));
  EXPECT_EQ(G->Fills[0].second, GridRectOf(1, 2, 2, 5));
  EXPECT_EQ(events, (std::vector<String>{u"Resize", u"Resized"}));
  EXPECT_FALSE(G->GetMouseResize());
  EXPECT_EQ(CountClipboardFormats(), 0);
}

// ---------------------------------------------------------------------------------------------
// Event order of a press and its release
// ---------------------------------------------------------------------------------------------
class NeoStringGridMouseUpOrder : public NeoStringGridMouseUp {
protected:
  void SetUp() override {
    NeoStringGridMouseUp::SetUp();
    auto log = [this](const String& S) { G->Trace.push_back(S); };
    G->OnMouseDown = [log](TObject*, TMouseButton, TShiftState, Integer, Integer) { log(u"MouseDown"); };
    G->OnMouseUp = [log](TObject*, TMouseButton, TShiftState, Integer, Integer) { log(u"MouseUp"); };
    G->OnClick = [log](TObject*) { log(u"Click"); };
    G->OnClickCell = [log](TObject*, Integer ARow, Integer ACol) {
      log(u"ClickCell " + IntToStr(ACol) + u"," + IntToStr(ARow));
    };
    G->OnCheckBoxClick = [log](TObject*, Integer ACol, Integer ARow, bool State) {
      log(u"CheckBoxClick " + IntToStr(ACol) + u"," + IntToStr(ARow) + (State ? u" on" : u" off"));
    };
    G->OnCheckBoxMouseUp = [log](TObject*, Integer ACol, Integer ARow, bool State) {
      log(u"CheckBoxMouseUp " + IntToStr(ACol) + u"," + IntToStr(ARow) + (State ? u" on" : u" off"));
    };
    G->OnFixedCellClick = [log](TObject*, Integer ACol, Integer ARow) {
      log(u"FixedCellClick " + IntToStr(ACol) + u"," + IntToStr(ARow));
    };
    G->OnCanSort = [log](TObject*, Integer ACol, bool&) { log(u"CanSort " + IntToStr(ACol)); };
    G->OnClickSort = [log](TObject*, Integer ACol) { log(u"ClickSort " + IntToStr(ACol)); };
  }
};

TEST_F(NeoStringGridMouseUpOrder, CheckBoxCell) {
  Options({goEditing});
  G->Types[{2, 4}] = ctCheckBox;
  ClickCell(2, 4);
  // The press toggles and reports the box and ends with the control's click; the release reports
  // the mouse up and the box's state.
  EXPECT_EQ(TakeTrace(), (std::vector<String>{u"Toggle 2,4", u"CheckBoxClick 2,4 on", u"MouseDown", u"Click",
                                              u"MouseUp", u"CheckBoxMouseUp 2,4 on"}));
}

TEST_F(NeoStringGridMouseUpOrder, SortHeader) {
  ClickCell(3, 0);
  // The press reaches the base grid and reports the cell; the release fires the fixed-area click,
  // the mouse up of the base grid, the fixed-cell click and then sorts.
  EXPECT_EQ(TakeTrace(), (std::vector<String>{u"MouseDown", u"ClickCell 3,0", u"Click", u"MouseUp",
                                              u"FixedCellClick 3,0", u"CanSort 3", u"QSort col=3 asc list=",
                                              u"ClickSort 3"}));
}

}  // namespace

namespace {

TEST_F(NeoStringGridMouseUp, SortSettingsRowColumnShowAndAssign) {
  TSortSettings* s = G->GetSortSettings();
  G->SetFixedRows(2);
  s->SetRow(2);   // equal to FixedRows is accepted
  EXPECT_EQ(s->GetRow(), 2);
  EXPECT_THROW(s->SetRow(3), Exception);
  EXPECT_EQ(s->GetRow(), 2);
  s->SetRow(0);
  // Setting the column repaints the sort row, but only on a change.
  s->SetColumn(3);
  Pump();
  RECT pending{};
  s->SetColumn(3);
  EXPECT_FALSE(GetUpdateRect(G->GetHandle(), &pending, FALSE));
  s->SetColumn(4);
  ASSERT_TRUE(GetUpdateRect(G->GetHandle(), &pending, FALSE));
  EXPECT_EQ(pending.top, G->CellRect(1, 0).top);
  EXPECT_LE(pending.bottom, G->CellRect(1, 1).top);
  // Assign copies the settings; another class is ignored.
  TSortSettings other(G);
  other.SetDirection(sdDescending);
  other.SetUndoSort(true);
  other.SetIndexSortKey(ikCtrl);
  s->Assign(&other);
  EXPECT_EQ(s->GetColumn(), -1);
  EXPECT_EQ(s->GetDirection(), sdDescending);
  EXPECT_TRUE(s->GetUndoSort());
  EXPECT_EQ(s->GetIndexSortKey(), ikCtrl);
  s->Assign(G->GetNavigation());
  EXPECT_TRUE(s->GetUndoSort());
  s->ToggleDirection();
  EXPECT_EQ(s->GetDirection(), sdAscending);
}

}  // namespace
