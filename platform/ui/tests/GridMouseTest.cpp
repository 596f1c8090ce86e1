// The grid and the mouse: sizing by a border, moving a column by its header, selecting with
// auto-scroll, refused cells, the order of the events, and the moves of rows and columns.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <string>
#include <vector>

#include "platform/ui/Grids.h"

namespace {

// Logs the virtuals the grid calls.
class TLogGrid : public TStringGrid {
public:
  using TStringGrid::TStringGrid;
  std::vector<std::string> Log;
  int WidthChanges = 0;
  int HeightChanges = 0;

protected:
  void ColWidthsChanged() override {
    ++WidthChanges;
    TStringGrid::ColWidthsChanged();
  }
  void RowHeightsChanged() override {
    ++HeightChanges;
    TStringGrid::RowHeightsChanged();
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TGridRect s = GetSelection();
    Log.push_back("down at " + std::to_string(s.Top));
    TStringGrid::MouseDown(Button, Shift, X, Y);
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    Log.push_back("up");
    TStringGrid::MouseUp(Button, Shift, X, Y);
  }
  void Click() override {
    Log.push_back("click at " + std::to_string(GetSelection().Bottom));
    TStringGrid::Click();
  }
};

class GridMouseTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(500, 400);
    Grid = new TLogGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 400, 300);
    Grid->SetBorderStyle(bsNone);
    Grid->SetScrollBars(ssNone);
    Grid->SetColCount(10);
    Grid->SetRowCount(50);
    for (Integer r = 0; r < 50; ++r)
      for (Integer c = 0; c < 10; ++c) Grid->SetCells(c, r, IntToStr(c) + u":" + IntToStr(r));
    Form->Show();
    Pump();
  }
  TPoint At(Integer X, Integer Y) { return ScreenPoint(Grid, X, Y); }
  void Down(Integer X, Integer Y) {
    TPoint p = At(X, Y);
    Headless::ButtonDown(1, p.x, p.y);
    Pump();
  }
  void Move(Integer X, Integer Y) {
    TPoint p = At(X, Y);
    Headless::MouseMove(p.x, p.y);
    Pump();
  }
  void Up(Integer X, Integer Y) {
    TPoint p = At(X, Y);
    Headless::ButtonUp(1, p.x, p.y);
    Pump();
  }
  std::vector<COLORREF> Pixels() {
    std::vector<COLORREF> out;
    for (Integer y = 0; y < 300; y += 3)
      for (Integer x = 0; x < 400; x += 3) out.push_back(Headless::ClientPixel(Grid->GetHandle(), x, y));
    return out;
  }
  TForm* Form = nullptr;
  TLogGrid* Grid = nullptr;
};

TEST_F(GridMouseTest, SizingAColumnByItsBorder) {
  Grid->SetOptions(Grid->GetOptions() + goColSizing);
  COLORREF before = Headless::ClientPixel(Grid->GetHandle(), 160, 100);
  Down(129, 10);   // the line after column 1, in the fixed row
  EXPECT_EQ(Grid->GetGridState(), gsColSizing);
  Move(160, 12);
  COLORREF during = Headless::ClientPixel(Grid->GetHandle(), 160, 100);
  COLORREF during2 = Headless::ClientPixel(Grid->GetHandle(), 160, 101);
  EXPECT_TRUE(during != before || during2 != Headless::ClientPixel(Grid->GetHandle(), 161, 101));   // the line shows
  Up(160, 12);
  EXPECT_EQ(Grid->GetGridState(), gsNormal);
  EXPECT_EQ(Grid->GetColWidths(1), 64 + 31);
  EXPECT_EQ(Grid->WidthChanges, 1);
  // No trace of the line: the picture is the one a full repaint gives.
  std::vector<COLORREF> after = Pixels();
  Grid->Invalidate();
  Pump();
  EXPECT_EQ(Pixels(), after);
  EXPECT_EQ(Grid->GetRow(), 1);   // sizing selects nothing
}

TEST_F(GridMouseTest, CancelModeEndsSizingWithoutApplying) {
  Grid->SetOptions(Grid->GetOptions() + goColSizing);
  std::vector<COLORREF> before = Pixels();
  Down(129, 10);
  Move(170, 10);
  Grid->Perform(WM_CANCELMODE, 0, 0);
  EXPECT_EQ(Grid->GetGridState(), gsNormal);
  Up(170, 10);
  EXPECT_EQ(Grid->GetColWidths(1), 64);
  EXPECT_EQ(Pixels(), before);   // the line is gone
  // Another window taking the mouse while the button is held ends moving the same way.
  Grid->SetOptions(Grid->GetOptions() + goColMoving);
  TRect from = Grid->CellRect(3, 0);
  Down(from.left + 10, 10);
  ASSERT_EQ(Grid->GetGridState(), gsColMoving);
  Move(from.left + 150, 10);
  SetCapture(Form->GetHandle());
  EXPECT_EQ(Grid->GetGridState(), gsNormal);
  ReleaseCapture();
  Up(from.left + 150, 10);
  EXPECT_EQ(Grid->GetCells(3, 1), u"3:1");
  EXPECT_EQ(Pixels(), before);
}

TEST_F(GridMouseTest, MovingAColumnByItsHeader) {
  Grid->SetOptions(Grid->GetOptions() + goColMoving);
  Grid->SetColWidths(2, 90);
  std::vector<TObject> objects(2);
  Grid->SetObjects(2, 4, &objects[0]);
  Grid->SetCells(2, 70, u"past the rows");   // beyond RowCount: moves with its column
  Grid->SetObjects(5, 4, &objects[1]);
  std::vector<std::pair<Integer, Integer>> moved;
  Grid->OnColumnMoved = [&](TObject*, Integer From, Integer To) { moved.emplace_back(From, To); };
  TRect from = Grid->CellRect(2, 0), to = Grid->CellRect(5, 0);
  Down(from.left + 10, 10);
  EXPECT_EQ(Grid->GetGridState(), gsColMoving);
  Move((from.left + to.left) / 2, 10);
  Move(to.left + 10, 10);
  Up(to.left + 10, 10);
  EXPECT_EQ(moved, (std::vector<std::pair<Integer, Integer>>{{2, 5}}));
  EXPECT_EQ(Grid->GetCells(5, 3), u"2:3");
  EXPECT_EQ(Grid->GetCells(2, 3), u"3:3");
  EXPECT_EQ(Grid->GetCells(4, 3), u"5:3");
  EXPECT_EQ(Grid->GetObjects(5, 4), &objects[0]);
  EXPECT_EQ(Grid->GetObjects(4, 4), &objects[1]);
  EXPECT_EQ(Grid->GetCells(5, 70), u"past the rows");
  EXPECT_EQ(Grid->GetColWidths(5), 90);
  EXPECT_EQ(Grid->GetColWidths(2), 64);
  std::vector<COLORREF> after = Pixels();   // the move line is gone
  Grid->Invalidate();
  Pump();
  EXPECT_EQ(Pixels(), after);
}

TEST_F(GridMouseTest, RowsSizeAndMoveByTheirFixedColumnAsColumnsDo) {
  Grid->SetOptions(Grid->GetOptions() + goRowSizing + goRowMoving);
  Integer border = Grid->CellRect(0, 1).bottom;
  Down(10, border);
  EXPECT_EQ(Grid->GetGridState(), gsRowSizing);
  Move(12, border + 20);
  Up(12, border + 20);
  EXPECT_EQ(Grid->GetRowHeights(1), Grid->GetDefaultRowHeight() + 20);
  EXPECT_EQ(Grid->HeightChanges, 1);
  EXPECT_EQ(Grid->GetRow(), 1);

  std::vector<std::pair<Integer, Integer>> moved;
  Grid->OnRowMoved = [&](TObject*, Integer From, Integer To) { moved.emplace_back(From, To); };
  TRect from = Grid->CellRect(0, 2), to = Grid->CellRect(0, 4);
  Down(10, from.top + 5);
  EXPECT_EQ(Grid->GetGridState(), gsRowMoving);
  Move(10, to.top + 5);
  Up(10, to.top + 5);
  EXPECT_EQ(moved, (std::vector<std::pair<Integer, Integer>>{{2, 4}}));
  EXPECT_EQ(Grid->GetCells(3, 4), u"3:2");
  EXPECT_EQ(Grid->GetCells(3, 2), u"3:3");
  EXPECT_EQ(Grid->GetRowHeights(1), Grid->GetDefaultRowHeight() + 20);   // row 1 stayed where it was
}

TEST_F(GridMouseTest, SelectingBelowTheCellsScrollsARowATick) {
  TRect cell = Grid->CellRect(2, 5);
  Down(cell.left + 5, cell.top + 5);
  EXPECT_EQ(Grid->GetSelection(), (TGridRect{2, 5, 2, 5}));
  Move(cell.left + 5, 320);   // below the grid
  Integer top = Grid->GetTopRow(), bottom = Grid->GetSelection().Bottom;
  for (int tick = 1; tick <= 3; ++tick) {
    Headless::AdvanceClock(60);
    Pump();
    EXPECT_EQ(Grid->GetTopRow(), top + tick);
    EXPECT_EQ(Grid->GetSelection().Bottom, bottom + tick);
    EXPECT_EQ(Grid->GetSelection().Top, 5);
  }
  Up(cell.left + 5, 320);
  Headless::AdvanceClock(600);
  Pump();
  EXPECT_EQ(Grid->GetTopRow(), top + 3);   // released: no more scrolling
}

TEST_F(GridMouseTest, RefusedCellsStayUnselectedAndEventsComeInOrder) {
  Grid->OnSelectCell = [](TObject*, Integer, Integer ARow, bool& CanSelect) { CanSelect = ARow != 3; };
  TRect three = Grid->CellRect(1, 3), four = Grid->CellRect(1, 4);
  Down(three.left + 5, three.top + 5);
  Move(three.left + 6, three.top + 6);
  Up(three.left + 6, three.top + 6);
  EXPECT_EQ(Grid->GetRow(), 1);
  Grid->Log.clear();
  Down(four.left + 5, four.top + 5);
  Move(three.left + 5, three.top + 5);   // dragged onto the refused row
  Up(three.left + 5, three.top + 5);
  EXPECT_EQ(Grid->GetRow(), 4);
  EXPECT_EQ(Grid->Log, (std::vector<std::string>{"down at 1", "up", "click at 4"}));
  // A press left of and above the grid is no cell: nothing is selected, sized or moved.
  EXPECT_EQ(Grid->MouseCoord(-5, -5), (TGridCoord{-1, -1}));
  Grid->SetOptions(Grid->GetOptions() + goColSizing + goColMoving + goRowSizing + goRowMoving);
  Grid->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, -5));
  EXPECT_EQ(Grid->GetGridState(), gsNormal);
  Grid->Perform(WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
  EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 4, 1, 4}));
}

TEST_F(GridMouseTest, FixedCellClicks) {
  std::vector<TGridCoord> clicks;
  Grid->OnFixedCellClick = [&](TObject*, Integer C, Integer R) { clicks.push_back(TGridCoord{C, R}); };
  TRect header = Grid->CellRect(3, 0), rowHeader = Grid->CellRect(0, 2);
  ClickAt(Grid, header.left + 5, 5);
  EXPECT_TRUE(clicks.empty());   // off without the options
  Grid->SetOptions(Grid->GetOptions() + goFixedColClick + goFixedRowClick);
  Headless::AdvanceClock(1000);   // not a double click
  ClickAt(Grid, header.left + 5, 5);
  ClickAt(Grid, 5, rowHeader.top + 5);
  EXPECT_EQ(clicks, (std::vector<TGridCoord>{{3, 0}, {0, 2}}));
}

TEST_F(GridMouseTest, MovesAndDeletesKeepTheCellsPastTheCount) {
  Grid->SetRowCount(10);
  Grid->DeleteRow(3);
  EXPECT_EQ(Grid->GetRowCount(), 9);
  EXPECT_EQ(Grid->GetCells(1, 3), u"1:4");
  EXPECT_EQ(Grid->GetCells(1, 8), u"1:9");
  Grid->SetRowCount(10);
  EXPECT_EQ(Grid->GetCells(1, 9), u"1:3");   // the deleted row is back past the old end
  EXPECT_EQ(Grid->GetCells(1, 10), u"1:10");  // the rows beyond were not touched

  // A move repaints the lines between the two places only.
  Pump();
  TRect two = Grid->CellRect(2, 0), four = Grid->CellRect(4, 0);
  Grid->MoveColumn(4, 2);
  RECT dirty{};
  ASSERT_TRUE(GetUpdateRect(Grid->GetHandle(), &dirty, FALSE));
  EXPECT_EQ(dirty.left, two.left);
  EXPECT_GE(dirty.right, four.right);
  EXPECT_LE(dirty.right, four.right + Grid->GetGridLineWidth());
  EXPECT_EQ(Grid->GetCells(2, 1), u"4:1");
  Pump();
  Grid->MoveRow(6, 5);
  ASSERT_TRUE(GetUpdateRect(Grid->GetHandle(), &dirty, FALSE));
  EXPECT_EQ(dirty.top, Grid->CellRect(0, 5).top);
  EXPECT_LE(dirty.bottom, Grid->CellRect(0, 7).top);

  Grid->SetColWidths(-1, 30);
  EXPECT_EQ(Grid->GetColWidths(-1), 64);
  EXPECT_THROW(Grid->MoveColumn(1, 10), EInvalidGridOperation);
  EXPECT_THROW(Grid->MoveRow(-1, 2), EInvalidGridOperation);
  EXPECT_EQ(Grid->GetCells(1, 1), u"1:1");
  Grid->SetRow(2);
  Grid->MoveRow(2, 5);   // the current row moves along
  EXPECT_EQ(Grid->GetRow(), 5);
  EXPECT_EQ(Grid->GetCells(0, 5), u"0:2");
}

}  // namespace
