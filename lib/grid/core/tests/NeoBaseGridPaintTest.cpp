// What the base grid paints (against golden pictures: exact off the text, 2 per channel for
// anti-aliased text) and how keys and wheel move over merged blocks.
#include <cstdlib>

#include "BaseGridTestSupport.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/Surface.h"

namespace {

class BaseGridView : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(400, 260);
    Grid = Add<TTestGrid>(Form, 0, 0, 340, 200);
    Grid->SetScrollBars(ssNone);
    Grid->SetColCount(6);
    Grid->SetRowCount(8);
    for (Integer r = 0; r < 8; ++r)
      for (Integer c = 0; c < 6; ++c) Grid->SetCells(c, r, IntToStr(r * 10 + c));
    Form->Show();
    Pump();
  }

  std::uint32_t Pixel(Integer X, Integer Y) {
    COLORREF c = Headless::ClientPixel(Grid->GetHandle(), X, Y);
    return static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
  }
  static std::uint32_t Rgb(TColor C) {
    COLORREF c = static_cast<COLORREF>(ColorToRGB(C));
    return static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
  }

  void ExpectGolden(const std::string& Name) {
    ExpectWindowMatchesGolden(Grid->GetHandle(), std::string(ZELK_TEST_DATA) + "/grid/" + Name, Name.c_str());
  }

  TForm* Form = nullptr;
  TTestGrid* Grid = nullptr;
};

TEST_F(BaseGridView, AMergedBlockIsDrawnOncePerPassAsOneRectangle) {
  Grid->MergeCells(2, 2, 3, 1);
  Grid->SetCellEx(2, 2, u"block");
  for (int pass = 0; pass < 2; ++pass) {
    Grid->Drawn.clear();
    Grid->Invalidate();
    Pump();
    EXPECT_EQ(Grid->DrawnAt(3, 2).size() + Grid->DrawnAt(4, 2).size(), 0u);
    ASSERT_EQ(Grid->DrawnAt(2, 2).size(), 1u) << "pass " << pass;
    TRect block = Grid->CellRect(2, 2);
    EXPECT_EQ(block.right - block.left, 3 * Grid->GetDefaultColWidth());
    InflateRect(&block, -1, -1);
    EXPECT_EQ(Grid->DrawnAt(2, 2)[0], block);
  }
  // Only the block's last cell in the area to paint: the whole block is drawn, from its base.
  Grid->Drawn.clear();
  TRect last = Grid->TCustomGrid::CellRect(4, 2);
  InvalidateRect(Grid->GetHandle(), &last, TRUE);
  Pump();
  ASSERT_EQ(Grid->Drawn.size(), 1u);
  EXPECT_EQ(Grid->Drawn.begin()->first, (std::pair<Integer, Integer>{2, 2}));
}

TEST_F(BaseGridView, WithAHiddenColumnTheBlockIsDrawnAtItsDisplayColumn) {
  Grid->Hidden = {1};   // data column 1 hidden: display column 2 shows data column 3
  Grid->SetColCount(10);
  Grid->MergeCells(3, 2, 3, 1);
  Grid->SetCellEx(3, 2, u"shown");
  Grid->SetLeftCol(3);   // the base cell's display column scrolled out
  Grid->Drawn.clear();
  Grid->Invalidate();
  Pump();
  ASSERT_EQ(Grid->DrawnAt(2, 2).size(), 1u);
  EXPECT_TRUE(Grid->DrawnAt(3, 2).empty() && Grid->DrawnAt(4, 2).empty());
  TRect block = Grid->CellRect(2, 2);
  EXPECT_EQ(block.right - block.left, 3 * Grid->GetDefaultColWidth());
  InflateRect(&block, -1, -1);
  EXPECT_EQ(Grid->DrawnAt(2, 2)[0], block);
}

TEST_F(BaseGridView, ABlockHalfUnderTheFixedColumnIsClippedAtItsEdge) {
  Grid->SetColCount(12);
  Grid->MergeCells(2, 2, 2, 2);
  Grid->SetCellEx(2, 2, u"half");
  Grid->Fill[std::pair{2, 2}] = clAqua;
  Grid->SetLeftCol(3);
  Pump();
  TRect block = Grid->CellRect(3, 2);
  EXPECT_LT(block.left, Grid->FixedColsWidth());
  Integer y = block.top + 5;
  EXPECT_EQ(Pixel(Grid->FixedColsWidth() + 3, y), Rgb(clAqua));
  EXPECT_NE(Pixel(Grid->FixedColsWidth() - 5, y), Rgb(clAqua));
  ExpectGolden("basegrid-merged-clip.png");
}

TEST_F(BaseGridView, SelectionStylesFocusedAndNot) {
  Grid->SetOptions(Grid->GetOptions() + goRangeSelect);
  Grid->SetSelection(TGridRect{1, 1, 3, 2});
  const std::pair<TGridSelectionStyle, const char*> styles[] = {
      {ssDefault, "default"}, {ssVista, "vista"}, {ssWin7, "win7"}, {ssOffice2007, "office2007"}};
  for (auto [style, name] : styles) {
    Grid->SetSelectionStyle(style);
    Grid->SetFocus();
    ExpectGolden(std::string("basegrid-select-") + name + "-focused.png");
    ::SetFocus(Form->GetHandle());
    ExpectGolden(std::string("basegrid-select-") + name + "-unfocused.png");
  }
  // The unfocused shape is grey whatever the style; the focused Win7 one has its own fill.
  Grid->SetSelectionStyle(ssWin7);
  Pump();
  TRect mid = Grid->CellRect(2, 1);
  EXPECT_EQ(Pixel(mid.left + 5, mid.top + 2), 0xF8F8F8u);
  Grid->SetFocus();
  Pump();
  EXPECT_EQ(Pixel(mid.left + 5, mid.top + 2), Rgb(0xFCEBDC));
}

TEST_F(BaseGridView, HoverAndActiveRows) {
  Grid->SetHoverRow(true);
  Grid->FHoverRowIdx = 4;
  Grid->SetHoverRowColor(clLime);
  Grid->SetActiveRowShow(true);
  Grid->SetActiveRowColor(clYellow);
  Grid->SetFocus();
  Grid->SetCol(2);
  Grid->SetRow(2);
  Grid->Invalidate();
  Pump();
  TRect other = Grid->CellRect(4, 2), current = Grid->CellRect(2, 2), hovered = Grid->CellRect(3, 4);
  EXPECT_EQ(Pixel(other.left + 3, other.top + 3), Rgb(clYellow));
  EXPECT_NE(Pixel(current.left + 3, current.top + 3), Rgb(clYellow));
  EXPECT_EQ(Pixel(hovered.left + 3, hovered.top + 3), Rgb(clLime));
  // The active row wins over the hover on the same row.
  Grid->FHoverRowIdx = 2;
  Grid->Invalidate();
  ExpectGolden("basegrid-hover-active.png");
  EXPECT_EQ(Pixel(other.left + 3, other.top + 3), Rgb(clYellow));
  // With row select the whole row takes the active colours.
  Grid->SetOptions(Grid->GetOptions() + goRowSelect);
  Pump();
  EXPECT_EQ(Pixel(current.left + 3, current.top + 3), Rgb(clYellow));
}

TEST_F(BaseGridView, WideGridLinesAndTheirContentRectangle) {
  Grid->SetGridLineWidth(3);
  EXPECT_EQ(Grid->TCustomGrid::GetGridLineWidth(), 0);
  Grid->Drawn.clear();
  Pump();
  ExpectGolden("basegrid-linewidth3.png");
  TRect cell = Grid->CellRect(2, 3);
  Integer x = cell.left + 20;
  EXPECT_EQ(Pixel(x, cell.bottom - 2), 0xC0C0C0u);
  EXPECT_NE(Pixel(x, cell.bottom - 5), 0xC0C0C0u);
  TRect content = cell;
  InflateRect(&content, -3, -3);
  ASSERT_FALSE(Grid->DrawnAt(2, 3).empty());
  EXPECT_EQ(Grid->DrawnAt(2, 3).back(), content);
}

TEST_F(BaseGridView, AHiddenLastRowIsABlankAreaOutOfReach) {
  Grid->Drawn.clear();
  Grid->SetHideLastRow(true);
  Grid->SetFocus();
  Pump();
  ExpectGolden("basegrid-hidelastrow.png");
  TRect last = Grid->CellRect(2, 7);
  EXPECT_EQ(Pixel(last.left + 10, last.top + 10), Rgb(Grid->GetColor()));
  EXPECT_FALSE(Grid->DrawnAt(2, 6).empty());
  EXPECT_TRUE(Grid->DrawnAt(2, 7).empty());
  Press(VK_NEXT);
  EXPECT_EQ(Grid->GetRow(), 6);
  Press(VK_DOWN);
  EXPECT_EQ(Grid->GetRow(), 6);
  Chord(VK_CONTROL, VK_END);
  EXPECT_EQ(Grid->GetRow(), 6);
}

class BaseGridKeys : public BaseGridView, public ::testing::WithParamInterface<bool> {};

// Blocks (display columns): A at columns 2..3, rows 2..3; B a 1 x 1 merge at column 5, row 2.
TEST_P(BaseGridKeys, KeysAndWheelStepOverMergedBlocks) {
  if (GetParam()) Grid->Hidden = {1};   // data column 1 hidden: display column d is data d + 1 from 1 on
  Grid->SetColCount(8);
  Grid->SetRowCount(12);
  Integer shift = GetParam() ? 1 : 0;
  Grid->MergeCells(2 + shift, 2, 2, 2);
  Grid->MergeCells(5 + shift, 2, 1, 1);
  Grid->SetFocus();
  Grid->SetCol(1);
  Grid->SetRow(2);
  struct Step {
    UINT Key;
    Integer Col, Row;
  };
  const Step steps[] = {
      {VK_RIGHT, 2, 2}, {VK_RIGHT, 4, 2}, {VK_RIGHT, 5, 2}, {VK_RIGHT, 6, 2}, {VK_LEFT, 5, 2}, {VK_LEFT, 4, 2},
      {VK_LEFT, 2, 2},  {VK_DOWN, 2, 4},  {VK_UP, 2, 2},    {VK_UP, 2, 1},    {VK_DOWN, 2, 2}, {VK_RIGHT, 4, 2},
      {VK_RIGHT, 5, 2}, {VK_DOWN, 5, 3},  {VK_UP, 5, 2},    {VK_LEFT, 4, 2},  {VK_DOWN, 4, 3}, {VK_LEFT, 2, 2},
  };
  for (const Step& s : steps) {
    Press(s.Key);
    EXPECT_EQ(Grid->GetCol(), s.Col) << "key " << s.Key << " to " << s.Col << "," << s.Row;
    EXPECT_EQ(Grid->GetRow(), s.Row) << "key " << s.Key << " to " << s.Col << "," << s.Row;
  }
  // A non-base cell made current in code: Up and Left step off the block from there.
  Grid->SetCol(3);
  Grid->SetRow(3);
  Press(VK_UP);
  EXPECT_EQ(Grid->GetRow(), 1);
  EXPECT_EQ(Grid->GetCol(), 3);
  Grid->SetCol(3);
  Grid->SetRow(3);
  Press(VK_LEFT);
  EXPECT_EQ(Grid->GetCol(), 1);
  EXPECT_EQ(Grid->GetRow(), 3);

  // The wheel: down into the block lands on its base, the next notch below it, up back to the base.
  Grid->SetCol(2);
  Grid->SetRow(1);
  TPoint p = ScreenPoint(Grid, 100, 100);
  const Integer rows[] = {2, 4, 5};
  for (Integer want : rows) {
    Headless::Wheel(p.x, p.y, -1);
    Pump();
    EXPECT_EQ(Grid->GetRow(), want);
  }
  Headless::Wheel(p.x, p.y, 2);
  Pump();
  EXPECT_EQ(Grid->GetRow(), 2);
  EXPECT_EQ(Grid->GetCol(), 2);
}

INSTANTIATE_TEST_SUITE_P(HiddenColumns, BaseGridKeys, ::testing::Bool());

TEST(BaseGridGeometry, CellRectsOfAMillionRowsComeFromTheOffsetIndex) {
  Headless::Use();
  TForm* form = new TForm(Application);
  form->SetBounds(0, 0, 500, 400);
  auto* grid = new TTestGrid(form);
  grid->SetParent(form);
  grid->SetBounds(0, 0, 400, 300);
  grid->SetRowCount(1000000);
  grid->SetColCount(5);
  grid->SetRowHeights(10, 40);
  grid->SetColWidths(1, 30);
  grid->SetTopRow(999990);
  grid->MergeCells(1, 999985, 2, 7);   // base row scrolled out above
  TRect block = grid->CellRect(2, 999991);   // the block's last cell
  TRect inView = grid->TCustomGrid::CellRect(1, 999991);
  EXPECT_EQ(block.left, inView.left);
  EXPECT_EQ(block.right, inView.left + 30 + grid->GetDefaultColWidth());
  EXPECT_EQ(block.bottom, inView.bottom);
  EXPECT_EQ(block.top, inView.bottom - 7 * grid->GetDefaultRowHeight());
  // A fixed row keeps its place; a scrolling cell is placed after the fixed cells.
  for (Integer c = 0; c < 5; ++c) {
    EXPECT_EQ(grid->VirtualCellRect(c, 0), grid->TCustomGrid::CellRect(c, 0)) << c;
    EXPECT_EQ(grid->VirtualCellRect(c, 999995), grid->TCustomGrid::CellRect(c, 999995)) << c;
  }
  EXPECT_EQ(grid->CellSize(1, 999985).y, 7 * grid->GetDefaultRowHeight());
  delete form;
  Headless::Reset();
}

}  // namespace
