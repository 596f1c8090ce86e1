// The grid's current cell from keys, wheel and code, asking SelectCell before every move.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <vector>

#include "platform/ui/Grids.h"

namespace {

class GridKeysTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(500, 400);
    Grid = Add<TStringGrid>(Form, 0, 0, 400, 300);
    Grid->SetBorderStyle(bsNone);
    Grid->SetScrollBars(ssNone);
    Grid->SetColCount(10);
    Grid->SetRowCount(100);
    Grid->OnSelectCell = [this](TObject*, Integer ACol, Integer ARow, bool& CanSelect) {
      Asked.push_back(TGridCoord{ACol, ARow});
      CanSelect = !(ACol == Refuse.X && ARow == Refuse.Y);
    };
    Form->Show();
    Grid->SetFocus();
    Pump();
  }
  TGridCoord Cell() const { return TGridCoord{Grid->GetCol(), Grid->GetRow()}; }
  TForm* Form = nullptr;
  TStringGrid* Grid = nullptr;
  std::vector<TGridCoord> Asked;
  TGridCoord Refuse{-1, -1};
};

TEST_F(GridKeysTest, KeyScriptMovesTheCurrentCellAskingOncePerMove) {
  Grid->SetOptions(Grid->GetOptions() + goTabs);
  // 300 pixels: 11 whole rows under the fixed row.
  ASSERT_EQ(Grid->GetVisibleRowCount(), 11);
  struct Step {
    UINT Modifier;   // 0: none
    UINT Key;
    TGridCoord Cell;
    Integer TopRow;
  };
  const Step steps[] = {
      {0, VK_DOWN, {1, 2}, 1},          {0, VK_NEXT, {1, 13}, 12},         {0, VK_END, {9, 13}, 12},
      {VK_CONTROL, VK_HOME, {1, 1}, 1}, {0, VK_TAB, {2, 1}, 1},            {0, VK_PRIOR, {2, 1}, 1},
      {VK_CONTROL, VK_END, {9, 99}, 89}, {0, VK_TAB, {1, 1}, 1},           // past the last cell: the first
      {VK_SHIFT, VK_TAB, {9, 99}, 89},   {0, VK_RIGHT, {9, 99}, 89},        // at the edge: no move
  };
  for (const Step& s : steps) {
    Asked.clear();
    TGridCoord before = Cell();
    if (s.Modifier)
      Chord(s.Modifier, s.Key);
    else
      Press(s.Key);
    EXPECT_EQ(Cell(), s.Cell) << "key " << s.Key;
    EXPECT_EQ(Grid->GetTopRow(), s.TopRow) << "key " << s.Key;
    std::vector<TGridCoord> once{s.Cell};
    EXPECT_EQ(Asked, before == s.Cell ? std::vector<TGridCoord>{} : once) << "key " << s.Key;
  }
}

TEST_F(GridKeysTest, RefusedCellsKeepTheCurrentCell) {
  Refuse = TGridCoord{1, 2};
  Press(VK_DOWN);
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));
  Grid->SetRow(2);   // code asks too
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));
  Grid->SetCol(3);
  EXPECT_EQ(Cell(), (TGridCoord{3, 1}));
  EXPECT_EQ(Grid->GetSelection(), (TGridRect{3, 1, 3, 1}));
  EXPECT_THROW(Grid->SetCol(10), EInvalidGridOperation);
  EXPECT_EQ(Cell(), (TGridCoord{3, 1}));
}

TEST_F(GridKeysTest, SelectionSetterPlacesAnchorAndCurrentCellAndCanPark) {
  Refuse = TGridCoord{4, 6};   // the setter does not ask
  Grid->SetSelection(TGridRect{2, 3, 4, 6});
  EXPECT_TRUE(Asked.empty());
  EXPECT_EQ(Cell(), (TGridCoord{4, 6}));
  Chord(VK_SHIFT, VK_RIGHT);   // the anchor stayed at the top-left corner
  EXPECT_EQ(Grid->GetSelection(), (TGridRect{2, 3, 5, 6}));
  // One past the last cell: nothing shows as selected or focused.
  std::vector<TGridDrawState> states;
  Grid->OnDrawCell = [&](TObject*, Integer, Integer, TRect, TGridDrawState State) { states.push_back(State); };
  Grid->SetSelection(TGridRect{10, 100, 10, 100});
  EXPECT_EQ(Grid->GetSelection(), (TGridRect{10, 100, 10, 100}));
  Grid->Invalidate();
  Pump();
  ASSERT_FALSE(states.empty());
  for (TGridDrawState s : states) EXPECT_FALSE(s.Contains(gdSelected) || s.Contains(gdFocused));
  Grid->SetSelection(TGridRect{-5, -5, 500, 500});   // further out stops at the edges
  EXPECT_EQ(Grid->GetSelection(), (TGridRect{0, 0, 10, 100}));
  Press(VK_UP);   // a key brings the current cell back among the cells
  EXPECT_EQ(Cell(), (TGridCoord{9, 99}));
}

TEST_F(GridKeysTest, ShiftExtendsTheSelectionAndRowSelectTakesRows) {
  Chord(VK_SHIFT, VK_DOWN);
  Chord(VK_SHIFT, VK_RIGHT);
  EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 1, 2, 2}));
  Press(VK_DOWN);   // without Shift the anchor follows
  EXPECT_EQ(Grid->GetSelection(), (TGridRect{2, 3, 2, 3}));
  Grid->SetOptions(Grid->GetOptions() - goRangeSelect);
  Chord(VK_SHIFT, VK_DOWN);
  EXPECT_EQ(Grid->GetSelection(), (TGridRect{2, 4, 2, 4}));
  Grid->SetOptions(Grid->GetOptions() + goRowSelect);
  EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 4, 9, 4}));
  Press(VK_END);   // rows: to the last row
  EXPECT_EQ(Grid->GetRow(), 99);
}

TEST_F(GridKeysTest, WheelMovesTheRowByOneANotch) {
  TPoint p = ScreenPoint(Grid, 100, 100);
  Headless::MouseMove(p.x, p.y);
  Headless::Wheel(p.x, p.y, -3);
  Pump();
  EXPECT_EQ(Cell(), (TGridCoord{1, 4}));
  EXPECT_EQ(Asked.size(), 3u);
  Headless::Wheel(p.x, p.y, 5);
  Pump();
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));   // stops at the first scrolling row
  std::vector<std::pair<bool, TPoint>> seen;
  Grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint Pos, bool& Handled) {
    seen.emplace_back(true, Pos);
    Handled = true;
  };
  Headless::Wheel(p.x, p.y, -1);
  Pump();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].second, p);   // screen coordinates
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));
}

TEST_F(GridKeysTest, UpdatingHoldsPaintsAndScrollBars) {
  Grid->SetScrollBars(ssVertical);
  Pump();
  HWND h = Grid->GetHandle();
  EXPECT_TRUE(GetWindowLong(h, GWL_STYLE) & WS_VSCROLL);
  Grid->SetUpdating(true);
  Grid->SetRowCount(5);   // everything fits now, but the bar waits
  Pump();
  EXPECT_TRUE(GetWindowLong(h, GWL_STYLE) & WS_VSCROLL);
  int paints = 0;
  Grid->OnDrawCell = [&](TObject*, Integer, Integer, TRect, TGridDrawState) { ++paints; };
  InvalidateRect(h, nullptr, FALSE);
  Pump();
  EXPECT_EQ(paints, 0);
  Grid->SetUpdating(false);
  Pump();
  EXPECT_FALSE(GetWindowLong(h, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(paints, 7 * 5);   // one whole repaint: columns 0 .. 6 reach into the view
}

}  // namespace
