// The grid's update bracket, its paint and erase messages and the repaint helpers, through the
// headless window system: the redraw switches the window receives, what is invalidated, what is
// painted.
#include <algorithm>
#include <string>
#include <vector>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/Surface.h"

namespace {

class TPaintProbe : public TNeoStringGrid {
public:
  explicit TPaintProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_SETREDRAW) Redraws.push_back(static_cast<int>(Message.WParam));
    TNeoStringGrid::WndProc(Message);
  }
  std::vector<int> Redraws;
  int Paints = 0;

protected:
  void Paint() override {
    ++Paints;
    TNeoStringGrid::Paint();
  }
};

class NeoStringGridUpdate : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    Grid = Add<TPaintProbe>(Form, 0, 0, 400, 250);
    Grid->SetColCount(20);
    Grid->SetRowCount(50);
    Grid->SetDefaultColWidth(60);
    for (Integer r = 0; r < 50; ++r)
      for (Integer c = 0; c < 20; ++c) Grid->SetCells(c, r, IntToStr(r) + u":" + IntToStr(c));
    Form->Show();
    Pump();
    Grid->Redraws.clear();
    Grid->Paints = 0;
  }
  // The bounding box of what waits to be painted; empty when nothing does.
  TRect Pending() {
    RECT r{};
    if (!GetUpdateRect(Grid->GetHandle(), &r, FALSE)) return TRect{};
    return r;
  }
  // The cell's rectangle within the client area (what an invalidation of it leaves pending).
  TRect Visible(TRect R) {
    TRect c = Client();
    return TRect{std::max(R.left, c.left), std::max(R.top, c.top), std::min(R.right, c.right), std::min(R.bottom, c.bottom)};
  }
  TRect Client() {
    RECT r{};
    ::GetClientRect(Grid->GetHandle(), &r);
    return r;
  }
  TForm* Form = nullptr;
  TPaintProbe* Grid = nullptr;
};

TEST_F(NeoStringGridUpdate, NestedBracketsSwitchRedrawOffAtEveryLevelAndOnOnceAtTheEnd) {
  Grid->BeginUpdate();
  Grid->BeginUpdate();
  EXPECT_EQ(Grid->GetUpdateCount(), 2);
  EXPECT_TRUE(Grid->GetUpdating());
  EXPECT_TRUE(Grid->GetLockUpdate());
  for (Integer c = 0; c < 10; ++c) Grid->SetColWidths(c, 40 + c);
  Grid->EndUpdate();
  EXPECT_EQ(Grid->GetUpdateCount(), 1);
  EXPECT_EQ(Grid->Redraws, (std::vector<int>{0, 0}));
  Pump();
  EXPECT_EQ(Grid->Paints, 0);
  Grid->EndUpdate();
  EXPECT_EQ(Grid->Redraws, (std::vector<int>{0, 0, 1}));
  EXPECT_FALSE(Grid->GetUpdating());
  EXPECT_EQ(Pending(), Client());
  Pump();
  EXPECT_EQ(Grid->Paints, 1);
  Grid->EndUpdate();   // a surplus close stays at 0 and repaints again
  EXPECT_EQ(Grid->GetUpdateCount(), 0);
  EXPECT_EQ(Grid->Redraws, (std::vector<int>{0, 0, 1, 1}));
  Pump();
  EXPECT_EQ(Grid->Paints, 2);
}

TEST_F(NeoStringGridUpdate, BracketsCountWhetherTheGridIsVisibleOrNot) {
  struct Case {
    bool VisibleAtBegin;
    bool VisibleAtEnd;
  };
  for (Case c : {Case{true, false}, Case{false, true}, Case{false, false}}) {
    Grid->SetVisible(c.VisibleAtBegin);
    Grid->BeginUpdate();
    EXPECT_EQ(Grid->GetUpdateCount(), 1);
    Grid->SetVisible(c.VisibleAtEnd);
    Grid->EndUpdate();
    EXPECT_EQ(Grid->GetUpdateCount(), 0) << c.VisibleAtBegin << c.VisibleAtEnd;
    EXPECT_FALSE(Grid->GetUpdating());
  }
  Grid->SetVisible(true);
  Pump();
  Grid->Paints = 0;
  Grid->Invalidate();
  Pump();
  EXPECT_EQ(Grid->Paints, 1);   // it paints again
}

TEST_F(NeoStringGridUpdate, LockUpdateAndTheLightVariants) {
  Grid->SetLockUpdate(true);
  EXPECT_EQ(Grid->GetUpdateCount(), 1);
  Grid->SetLockUpdate(false);
  EXPECT_EQ(Grid->GetUpdateCount(), 0);
  EXPECT_EQ(Grid->Redraws, (std::vector<int>{0, 1}));
  Grid->StartUpdate();
  Grid->StartUpdate();
  EXPECT_TRUE(Grid->IsUpdating());
  EXPECT_FALSE(Grid->GetUpdating());   // the base grid's flag is left alone
  Grid->ResetUpdate();
  EXPECT_FALSE(Grid->IsUpdating());
  EXPECT_EQ(Grid->Redraws.size(), 2u);
}

TEST_F(NeoStringGridUpdate, PaintWhileUpdatingReturnsZeroAndDrawsNothing) {
  Grid->BeginUpdate();
  EXPECT_EQ(SendMessage(Grid->GetHandle(), WM_PAINT, 0, 0), 0);
  EXPECT_EQ(Grid->Paints, 0);
  EXPECT_EQ(SendMessage(Grid->GetHandle(), WM_ERASEBKGND, 0, 0), 0);
  Grid->EndUpdate();
  Pump();
  EXPECT_EQ(Grid->Paints, 1);
}

TEST_F(NeoStringGridUpdate, RepaintCellBoundsAreInclusiveAndFixedCellsAlwaysCount) {
  Grid->SetTopRow(20);
  Grid->SetLeftCol(5);
  Pump();
  struct Case {
    Integer Col, Row;
    bool Repainted;
  };
  Integer lastRow = Grid->GetTopRow() + Grid->GetVisibleRowCount();
  Integer lastCol = Grid->GetLeftCol() + Grid->GetVisibleColCount();
  const Case cases[] = {
      {0, 0, true},              // fixed corner while scrolled
      {0, 25, true},             // fixed column
      {7, 0, true},              // fixed row
      {6, 10, false},            // above the top row
      {3, 25, false},            // left of the left column
      {6, lastRow, true},        // one past the last fully visible row
      {6, lastRow + 1, false},
      {lastCol, 25, true},       // one past the last fully visible column
      {lastCol + 1, 25, false},
  };
  for (const Case& c : cases) {
    Pump();
    Grid->RepaintCell(c.Col, c.Row);
    TRect got = Pending();
    if (c.Repainted)
      EXPECT_EQ(got, Visible(Grid->CellRect(c.Col, c.Row))) << c.Col << "," << c.Row;
    else
      EXPECT_TRUE(got.right <= got.left) << c.Col << "," << c.Row;
  }
}

TEST_F(NeoStringGridUpdate, RepaintRowColAndRect) {
  Pump();
  Grid->RepaintRow(3);
  TRect row = Pending();
  EXPECT_EQ(row.left, Grid->CellRect(0, 3).left);
  EXPECT_EQ(row.top, Grid->CellRect(0, 3).top);
  EXPECT_EQ(row.right, Visible(Grid->CellRect(Grid->GetVisibleColCount() + Grid->GetLeftCol(), 3)).right);
  Pump();
  Grid->RepaintCol(2);
  TRect col = Pending();
  EXPECT_EQ(col.top, Grid->CellRect(2, Grid->GetTopRow()).top);
  EXPECT_EQ(col.bottom, Visible(Grid->CellRect(2, Grid->GetTopRow() + Grid->GetVisibleRowCount())).bottom);
  Pump();
  Grid->RepaintRect(TRect{1, 2, 3, 4});
  TRect range = Pending();
  EXPECT_EQ(range.left, Grid->CellRect(1, 2).left);
  EXPECT_EQ(range.bottom, Grid->CellRect(3, 4).bottom);
  // The right column is clamped with the visible count + FixedCols, not LeftCol.
  Grid->SetLeftCol(4);
  Pump();
  Grid->RepaintRect(TRect{5, 2, 19, 4});
  Integer clamp = Grid->GetVisibleColCount() + Grid->GetFixedCols();
  EXPECT_EQ(Pending().right, Visible(Grid->CellRect(clamp, 4)).right);
  // A negative index: nothing; a corner out of view: the whole grid, painted at once.
  Pump();
  Grid->Paints = 0;
  Grid->RepaintRect(TRect{-1, 2, 3, 4});
  EXPECT_TRUE(Pending().right <= Pending().left);
  Grid->RepaintRect(TRect{5, 2, 6, 45});
  EXPECT_EQ(Grid->Paints, 1);
}

TEST_F(NeoStringGridUpdate, DoubleBufferedPaintEqualsDirectPaint) {
  Form->SetClientWidth(1300);
  Form->SetClientHeight(300);
  Grid->SetBounds(0, 0, 1260, 250);
  Grid->SetRowCount(10);
  Grid->SetScrollBars(ssNone);
  Grid->SetDoubleBuffered(true);
  Grid->Invalidate();
  Pump();
  std::string a = OutputPath("NeoGridDoubleBuffered.png"), b = OutputPath("NeoGridDirect.png");
  ASSERT_TRUE(Headless::SaveWindowPng(Grid->GetHandle(), a));
  Grid->SetDoubleBuffered(false);
  Grid->Invalidate();
  Pump();
  ASSERT_TRUE(Headless::SaveWindowPng(Grid->GetHandle(), b));
  TSurface sa(1, 1), sb(1, 1);
  ASSERT_TRUE(sa.LoadFromPng(a));
  ASSERT_TRUE(sb.LoadFromPng(b));
  ASSERT_EQ(sa.Width(), sb.Width());
  ASSERT_EQ(sa.Height(), sb.Height());
  int differ = 0;
  for (int y = 0; y < sa.Height(); ++y)
    for (int x = 0; x < sa.Width(); ++x) differ += sa.Pixel(x, y) != sb.Pixel(x, y) ? 1 : 0;
  EXPECT_EQ(differ, 0);
}

}  // namespace
