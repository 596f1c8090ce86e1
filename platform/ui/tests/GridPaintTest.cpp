// What the string grid paints, against golden pictures (grid lines exact, text within 2 per
// channel), and how little it paints when it scrolls by a row.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <algorithm>
#include <cstdlib>

#include "platform/rtl/Math.h"
#include "platform/ui/Grids.h"
#include "platform/win/WinScroll.h"

namespace {

class GridPaintTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(460, 330);
    Grid = Add<TStringGrid>(Form, 10, 10, 440, 310);
    Grid->SetColCount(20);
    Grid->SetRowCount(50);
    for (Integer r = 0; r < 50; ++r)
      for (Integer c = 0; c < 20; ++c)
        Grid->SetCells(c, r, r == 0 ? u"Col " + IntToStr(c) : c == 0 ? u"Row " + IntToStr(r) : IntToStr(r * 100 + c));
    Form->Show();
    Pump();
  }

  // The pixel of the grid's client area, as 0xRRGGBB.
  std::uint32_t Pixel(Integer X, Integer Y) {
    COLORREF c = Headless::ClientPixel(Grid->GetHandle(), X, Y);
    return static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
  }
  static std::uint32_t Rgb(TColor C) {
    COLORREF c = static_cast<COLORREF>(ColorToRGB(C));
    return static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
  }

  // Saves the grid's window (bars and border included) and compares it with the golden picture.
  void ExpectGolden(const char* Name) {
    ExpectWindowMatchesGolden(Grid->GetHandle(), std::string(ZELK_TEST_DATA) + "/grid/" + Name, Name);
  }

  TForm* Form = nullptr;
  TStringGrid* Grid = nullptr;
};

TEST_F(GridPaintTest, LinesSelectionAndFocus) {
  Grid->SetFocus();
  Grid->SetSelection(TGridRect{2, 2, 4, 3});   // anchor (2, 2), current cell (4, 3)
  ExpectGolden("grid-lines-selection.png");
  // Lines exactly: a fixed line after column 0 in black, a normal one after column 1 in silver.
  EXPECT_EQ(Pixel(64, 10), Rgb(clBlack));
  EXPECT_EQ(Pixel(64, 40), Rgb(clBlack));
  EXPECT_EQ(Pixel(129, 40), Rgb(clSilver));
  EXPECT_EQ(Pixel(129, 10), Rgb(clBlack));   // the same line across the fixed row
  EXPECT_EQ(Pixel(70, 24), Rgb(clBlack));     // the line under the fixed row
  EXPECT_EQ(Pixel(70, 49), Rgb(clSilver));
  EXPECT_EQ(Pixel(185, 70), Rgb(clHighlight));   // selected, not focused
  EXPECT_EQ(Pixel(130, 26), Rgb(clWindow));      // not selected
  EXPECT_EQ(Pixel(1, 1), Rgb(clBtnFace));        // fixed
  // Fixed cells stand out: a light edge at their top and left, a dark one at their bottom and right.
  TRect head = Grid->CellRect(2, 0);
  EXPECT_EQ(Pixel(head.left, head.top + 5), Rgb(clBtnHighlight));
  EXPECT_EQ(Pixel(head.left + 5, head.top), Rgb(clBtnHighlight));
  EXPECT_EQ(Pixel(head.right - 1, head.top + 5), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(head.left + 5, head.bottom - 1), Rgb(clBtnShadow));
  Grid->SetCtl3D(false);   // flat
  Pump();
  EXPECT_EQ(Pixel(head.left, head.top + 5), Rgb(clBtnFace));
  EXPECT_EQ(Pixel(head.right - 1, head.top + 5), Rgb(clBtnFace));
}

TEST_F(GridPaintTest, NoLinesNoFocusWidthThree) {
  Grid->SetOptions(TGridOptions{goRangeSelect});
  Grid->SetSelection(TGridRect{1, 1, 1, 1});
  ::SetFocus(Form->GetHandle());   // the focus elsewhere
  ExpectGolden("grid-nolines.png");
  EXPECT_EQ(Pixel(64, 10), Rgb(clBtnFace));   // no line: the next fixed cell begins there
  EXPECT_EQ(Pixel(128, 40), Rgb(clWindow));
  EXPECT_EQ(Pixel(120, 45), Rgb(clHighlight));   // current cell of an unfocused grid: selected
  Grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine});
  Grid->SetGridLineWidth(3);
  Pump();
  for (Integer x : {64, 65, 66}) EXPECT_EQ(Pixel(x, 40), Rgb(clBlack));
  for (Integer x : {131, 132, 133}) EXPECT_EQ(Pixel(x, 40), Rgb(clSilver));
  EXPECT_NE(Pixel(134, 40), Rgb(clSilver));
}

TEST_F(GridPaintTest, RightToLeft) {
  Grid->SetBiDiMode(bdRightToLeft);
  Grid->SetFocus();
  ExpectGolden("grid-rtl.png");
  Integer w = Grid->GetClientRect().right;
  EXPECT_EQ(Pixel(w - 65, 10), Rgb(clBlack));   // the fixed line left of column 0
  EXPECT_EQ(Pixel(w - 2, 2), Rgb(clBtnFace));
  EXPECT_EQ(Pixel(w - 1, 5), Rgb(clBtnShadow));   // the edge of the fixed cell at the right end
}

TEST_F(GridPaintTest, PageDownFromTheScrollBar) {
  Grid->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(Grid->GetTopRow(), 1 + Grid->GetVisibleRowCount());
  ExpectGolden("grid-pagedown.png");
}

TEST_F(GridPaintTest, ScrollingARowPaintsOnlyTheNewRow) {
  std::vector<TGridCoord> drawn;
  Grid->OnDrawCell = [&](TObject*, Integer C, Integer R, TRect, TGridDrawState) { drawn.push_back(TGridCoord{C, R}); };
  Grid->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  Pump();
  Integer last = Grid->GetTopRow() + Grid->GetVisibleRowCount();   // the row cut at the bottom
  ASSERT_FALSE(drawn.empty());
  for (const TGridCoord& c : drawn) EXPECT_TRUE(c.Y == last || c.Y == last - 1) << c.X << "," << c.Y;
  // What moved looks as a full paint would.
  std::vector<std::uint32_t> moved;
  for (Integer y = 0; y < 200; y += 7) moved.push_back(Pixel(100, y));
  Grid->Invalidate();
  Pump();
  for (Integer y = 0, i = 0; y < 200; y += 7, ++i) EXPECT_EQ(Pixel(100, y), moved[static_cast<std::size_t>(i)]) << y;
}

TEST_F(GridPaintTest, ScrollBarsFollowTheView) {
  HWND h = Grid->GetHandle();
  ASSERT_TRUE(GetWindowLong(h, GWL_STYLE) & WS_VSCROLL);
  ASSERT_TRUE(GetWindowLong(h, GWL_STYLE) & WS_HSCROLL);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_POS;
  GetScrollInfo(h, SB_VERT, &si);
  EXPECT_EQ(si.nMin, 0);
  EXPECT_EQ(si.nMax, 127);
  EXPECT_EQ(si.nPos, 0);
  Grid->SetTopRow(Grid->GetRowCount() - 1);   // past the last full page: the bar's end
  GetScrollInfo(h, SB_VERT, &si);
  EXPECT_EQ(si.nPos, 127);
  // The thumb at the middle of the bar puts the view halfway through, by MulDiv.
  Grid->SetTopRow(1);
  Integer maxTop = 0;
  Grid->Perform(WM_VSCROLL, SB_BOTTOM, 0);
  maxTop = Grid->GetTopRow();
  Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 64), 0);
  EXPECT_EQ(Grid->GetTopRow(), 1 + MulDiv(64, maxTop - 1, 127));
  // Tracking moves the view only with goThumbTracking.
  Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
  EXPECT_NE(Grid->GetTopRow(), 1);
  Grid->SetOptions(Grid->GetOptions() + goThumbTracking);
  Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
  EXPECT_EQ(Grid->GetTopRow(), 1);
  // A click on the bar's down arrow scrolls a row.
  RECT wr;
  GetWindowRect(h, &wr);
  Integer arrow = GetSystemMetrics(SM_CXVSCROLL);
  Headless::Click(wr.right - 2 - arrow / 2, wr.bottom - 2 - GetSystemMetrics(SM_CYHSCROLL) - arrow / 2);
  Pump();
  EXPECT_EQ(Grid->GetTopRow(), 2);
  // Enough room for every row: no bar.
  Grid->SetRowCount(5);
  EXPECT_FALSE(GetWindowLong(h, GWL_STYLE) & WS_VSCROLL);
}

}  // namespace
