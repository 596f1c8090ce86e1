// Column and row sizing and the controls embedded in cells, headless: stretching to the client
// width, scaling after a mouse resize, widths that follow the grid's width, the size message, and
// cell controls kept over their cells while the grid scrolls, sizes and hides columns.
#include <vector>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/WinUser.h"

namespace {

class TSizingProbe : public TNeoStringGrid {
public:
  explicit TSizingProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  // A size message arriving while a stretch sets widths (as a bar appearing would send one).
  void ColWidthsChanged() override {
    if (SendNested) {
      SendNested = false;
      NestedResult = SendMessage(GetHandle(), WM_SIZE, 0, MAKELPARAM(300, 200));
    }
    TNeoStringGrid::ColWidthsChanged();
  }
  bool SendNested = false;
  LRESULT NestedResult = -1;
};

class NeoStringGridSizing : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(900, 600);
    G = Add<TSizingProbe>(Form, 0, 0, 400, 250);
    G->SetRowCount(5);
    Form->Show();
    Pump();
  }
  // A client area of exactly Width pixels (no bar: the rows fit).
  void ClientWidth(Integer Width) { G->SetWidth(Width + G->GetWidth() - G->GetClientWidth()); }
  std::vector<Integer> Widths() {
    std::vector<Integer> w;
    for (Integer c = 0; c < G->GetColCount(); ++c) w.push_back(G->GetColWidths(c));
    return w;
  }
  TForm* Form = nullptr;
  TSizingProbe* G = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Stretching
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridSizing, StretchColumnsSharesTheClientWidth) {
  struct TCase {
    const char* Name;
    Integer FixedRight;
    std::vector<Integer> Expected;
  };
  const TCase cases[] = {
      {"365 over three normal columns: the first gets the spare pixel", 0, {64, 101, 100, 100}},
      {"a fixed right column keeps its width", 1, {64, 126, 125, 50}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    G->GetColumnSize()->SetStretch(false);
    G->GetColumnSize()->SetStretchAll(false);
    G->SetColCount(4);
    for (Integer i = 0; i < 4; ++i) G->SetColWidths(i, i == 3 ? 50 : 64);
    G->SetFixedRightCols(c.FixedRight);
    ClientWidth(365);
    ASSERT_EQ(G->GetClientWidth(), 365);
    G->StretchColumns();
    EXPECT_EQ(Widths(), c.Expected);
  }
}

// Stretching the last column when the others alone overflow: only a grid scrolled fully left
// gives it the default width.
TEST_F(NeoStringGridSizing, StretchLastColumnWhenTheOthersOverflow) {
  G->SetColCount(6);
  ClientWidth(365);
  for (Integer i = 0; i < 5; ++i) G->SetColWidths(i, 100);
  G->SetColWidths(5, 150);
  G->SetLeftCol(2);
  G->GetColumnSize()->SetStretch(true);
  EXPECT_EQ(G->GetColWidths(5), 150);
  G->SetLeftCol(1);
  G->StretchRightColumn();
  EXPECT_EQ(G->GetColWidths(5), G->GetDefaultColWidth());
  // With room left the last column takes it.
  G->SetColCount(3);
  G->SetColWidths(0, 64);
  G->SetColWidths(1, 100);
  G->StretchRightColumn();
  EXPECT_EQ(G->GetColWidths(2), 365 - 164);
}

// ---------------------------------------------------------------------------------------------
// Sizing with the mouse: every other column (row) follows
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridSizing, AllColumnSizeScalesTheOtherNormalColumns) {
  G->SetColCount(6);
  const Integer start[] = {64, 25, 50, 33, 41, 35};
  for (Integer i = 0; i < 6; ++i) G->SetColWidths(i, start[i]);
  G->GetMouseActions()->SetAllColumnSize(true);
  std::vector<Integer> ended;
  G->OnEndColumnSize = [&](TObject*, Integer ACol) { ended.push_back(ACol); };
  G->SetColumnSizing(2, 50);
  G->SetColSized(true);
  G->SetColWidths(2, 75);   // factor 1.5; halves go to the even neighbour
  EXPECT_EQ(Widths(), (std::vector<Integer>{64, 38, 75, 50, 62, 52}));
  EXPECT_EQ(ended, std::vector<Integer>{2});
  EXPECT_FALSE(G->GetColSized());
  // The width handler has the last word on the sized column.
  G->OnUpdateColumnSize = [](TObject*, Integer, Integer& AWidth) { AWidth = 80; };
  G->SetColumnSizing(1, 38);
  G->SetColSized(true);
  G->SetColWidths(1, 76);
  EXPECT_EQ(G->GetColWidths(1), 80);
  EXPECT_EQ(G->GetColWidths(2), 150);
  EXPECT_EQ(G->GetColWidths(0), 64);
}

TEST_F(NeoStringGridSizing, AllRowSizeGivesEveryNormalRowTheScaledHeight) {
  G->SetRowCount(1000000);
  G->SetDefaultRowHeight(22);
  G->SetRowHeights(0, 30);
  G->FocusCell(1, 7);
  G->GetMouseActions()->SetAllRowSize(true);
  std::vector<Integer> ended;
  G->OnEndRowSize = [&](TObject*, Integer ARow) { ended.push_back(ARow); };
  G->SetRowSizing(4, 22);
  G->SetRowSized(true);
  G->SetRowHeights(4, 33);
  for (Integer r : {1, 4, 999999}) EXPECT_EQ(G->GetRowHeights(r), 33) << r;
  EXPECT_EQ(G->GetRowHeights(0), 30);
  EXPECT_EQ(G->GetRow(), 7);
  EXPECT_EQ(ended, std::vector<Integer>{4});
  EXPECT_EQ(G->GetUpdateCount(), 0);
  // A sizing that starts at height 0 has nothing to scale by.
  G->SetRowSizing(5, 0);
  G->SetRowSized(true);
  G->SetRowHeights(5, 40);
  EXPECT_EQ(G->GetRowHeights(6), 33);
}

// ---------------------------------------------------------------------------------------------
// Widths that follow the grid's width, the size message
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridSizing, SynchWithGridGivesTheTruncatedRemainderToTheLastColumn) {
  G->SetColCount(3);
  G->SetOptions(G->GetOptions() - goVertLine);
  G->SetColWidths(0, 60);
  G->SetColWidths(1, 70);
  G->SetColWidths(2, 90);
  G->GetColumnSize()->SetSynchWithGrid(true);
  G->InitOrigColSizes();   // base: the control's width, 400
  G->SetWidth(600);
  Pump();
  ASSERT_EQ(G->GetClientWidth(), 596);
  // F = (596 - 2) / 400 = 1.485: 89.1, 103.95, 133.65 truncated, and Trunc(1.7) more for the last.
  EXPECT_EQ(Widths(), (std::vector<Integer>{89, 103, 134}));
}

TEST_F(NeoStringGridSizing, SizeMessageDuringAStretchReturnsOne) {
  G->SetColCount(3);
  G->GetColumnSize()->SetStretch(true);
  std::vector<Integer> resized;
  G->OnGridResize = [&](TObject*) { resized.push_back(G->GetColWidths(2)); };
  G->SendNested = true;
  G->SetWidth(500);
  Pump();
  EXPECT_EQ(G->NestedResult, 1);
  EXPECT_EQ(G->GetColWidths(0) + G->GetColWidths(1) + G->GetColWidths(2), G->GetClientWidth());
  EXPECT_FALSE(resized.empty());
}

// ---------------------------------------------------------------------------------------------
// Controls in cells
// ---------------------------------------------------------------------------------------------
class NeoStringGridCellControls : public NeoStringGridSizing {
protected:
  void SetUp() override {
    NeoStringGridSizing::SetUp();
    G->SetColCount(12);
    G->SetRowCount(1000);
    Edit = new TEdit(Form);
    G->SetCellControls(2, 5, Edit);
  }
  // The control covers its cell less the grid line on the right and at the bottom.
  void ExpectOnCell(TControl* C, Integer ACol, Integer ARow) {
    TRect r = G->CellRect(ACol, ARow);
    ASSERT_GT(r.right, r.left);
    EXPECT_TRUE(C->GetVisible());
    EXPECT_EQ(C->GetParent(), G);
    EXPECT_EQ(C->GetBoundsRect(), (TRect{r.left, r.top, r.right - 1, r.bottom - 1}));
  }
  TEdit* Edit = nullptr;
};

TEST_F(NeoStringGridCellControls, ControlFollowsItsCellOutOfViewAndBack) {
  EXPECT_EQ(G->GetNumCellControls(), 1);
  EXPECT_EQ(G->GetCellControls(2, 5), Edit);
  ExpectOnCell(Edit, 2, 5);
  G->SetTopRow(100);
  EXPECT_FALSE(Edit->GetVisible());
  G->SetTopRow(3);
  ExpectOnCell(Edit, 2, 5);
  G->SetLeftCol(4);
  EXPECT_FALSE(Edit->GetVisible());
  G->SetLeftCol(1);
  ExpectOnCell(Edit, 2, 5);
}

TEST_F(NeoStringGridCellControls, ControlInAFixedRowStaysWhileScrolling) {
  auto* button = new TButton(Form);
  G->SetCellControls(3, 0, button);
  EXPECT_EQ(G->GetNumCellControls(), 2);
  G->SetTopRow(500);
  ExpectOnCell(button, 3, 0);
  EXPECT_FALSE(Edit->GetVisible());
}

TEST_F(NeoStringGridCellControls, ControlSitsOnItsCellAfterAnUpdateWithResizedColumns) {
  G->BeginUpdate();
  G->SetColWidths(0, 90);
  G->SetColWidths(1, 120);
  G->SetColWidths(2, 40);
  G->EndUpdate();
  ExpectOnCell(Edit, 2, 5);
}

// The list keeps the real column: hiding a column to its left moves the control with its cell.
TEST_F(NeoStringGridCellControls, HiddenColumnToTheLeftMovesTheControlWithItsCell) {
  G->HideColumn(1);
  G->CellControlsUpdate(false);
  ExpectOnCell(Edit, 1, 5);
  G->UnHideColumn(1);
  G->CellControlsUpdate(true);
  ExpectOnCell(Edit, 2, 5);
  G->SetCellControls(2, 5, nullptr);
  EXPECT_EQ(G->GetNumCellControls(), 0);
  EXPECT_EQ(G->GetCellControls(2, 5), nullptr);
  EXPECT_TRUE(Edit->GetVisible());   // taken out, neither hidden nor freed
}

}  // namespace
