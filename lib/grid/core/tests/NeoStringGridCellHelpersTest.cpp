// The grid's cell services: the rectangle of used cells, the save range of exports, points to
// cells, the sizing-edge test, and the swap, date, distinct-values and list-drag helpers.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "lib/grid/core/NeoGridCompanions.h"
#include "lib/grid/core/NeoGridLookSettings.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

class NeoStringGridCellHelpers : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(500, 300);
    G = Add<TNeoStringGrid>(Form, 0, 0, 400, 250);
    Form->Show();
    Pump();
  }
  TForm* Form = nullptr;
  TNeoStringGrid* G = nullptr;
};

TEST_F(NeoStringGridCellHelpers, UsedCellsIsTheBoxOfTheCellsWithText) {
  EXPECT_EQ(G->UsedCells(), (TRect{0, 0, 0, 0}));
  G->SetCells(3, 5, u"x");
  EXPECT_EQ(G->UsedCells(), (TRect{3, 5, 3, 5}));
  G->SetCells(1, 7, u"y");
  G->SetCells(4, 2, u"z");
  EXPECT_EQ(G->UsedCells(), (TRect{1, 2, 4, 7}));
  G->SetCells(0, 0, u"header");   // fixed cells count too
  EXPECT_EQ(G->UsedCells(), (TRect{0, 0, 4, 7}));
}

// One fixed row, one fixed column, one footer row and one fixed right column on 10 rows by 5
// columns.
TEST_F(NeoStringGridCellHelpers, SaveRangeTable) {
  struct TCase {
    const char* Name;
    bool Cells, Rows, Cols;
    Integer StartRow, EndRow, RowCount, StartCol, EndCol, ColCount;
  };
  const TCase cases[] = {
      {"no save flags", false, false, false, 1, 8, 8, 1, 3, 3},
      {"SaveFixedCells", true, false, false, 0, 9, 10, 0, 4, 5},
      {"SaveFixedRows", false, true, false, 0, 9, 10, 1, 3, 3},
      {"SaveFixedCols", false, false, true, 1, 8, 8, 0, 4, 5},
  };
  G->SetColCount(5);
  G->SetRowCount(10);
  G->SetFixedFooters(1);
  G->SetFixedRightCols(1);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    G->SetSaveFixedCells(c.Cells);
    G->SetSaveFixedRows(c.Rows);
    G->SetSaveFixedCols(c.Cols);
    EXPECT_EQ(G->SaveStartRow(), c.StartRow);
    EXPECT_EQ(G->SaveEndRow(), c.EndRow);
    EXPECT_EQ(G->SaveRowCount(), c.RowCount);
    EXPECT_EQ(G->SaveStartCol(), c.StartCol);
    EXPECT_EQ(G->SaveEndCol(), c.EndCol);
    EXPECT_EQ(G->SaveColCount(), c.ColCount);
  }
}

// Cells of 64 x 24 from (0, 0) (the grid lines are drawn inside the cells).
TEST_F(NeoStringGridCellHelpers, NearSizingEdgeTable) {
  G->SetOptions(G->GetOptions() + goColSizing + goRowSizing);
  struct TCase {
    const char* Name;
    Integer X, Y;
    bool Near;
  };
  const TCase cases[] = {
      {"fixed corner, 2 from its left, 10 from top and bottom", 2, 10, true},
      {"fixed row, column past FixedCols, 2 from the left", 64 * 2 + 2, 10, true},
      {"fixed row, middle of the cell", 64 * 2 + 30, 10, false},
      {"fixed column, 2 above a row border", 30, 24 * 3 - 2, true},
      {"normal cell far in: no fixed row or column test applies", 64 * 3 + 2, 24 * 4 + 12, false},
      {"outside the cells", 399, 249, false},
  };
  G->SetColCount(5);
  G->SetRowCount(8);
  G->SetDefaultRowHeight(24);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(G->IsNearSizingEdge(c.X, c.Y), c.Near);
  }
  G->SetOptions(G->GetOptions() - goColSizing - goRowSizing);
  EXPECT_FALSE(G->IsNearSizingEdge(2, 10));
}

TEST_F(NeoStringGridCellHelpers, ScreenToCellAndDates) {
  G->SetDefaultRowHeight(24);
  Integer col = -1, row = -1;
  G->ScreenToCell(G->ClientToScreen(TPoint{64 * 2 + 5, 24 * 3 + 5}), col, row);
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 3);
  G->ScreenToCell(G->ClientToScreen(TPoint{-5, 5}), col, row);
  EXPECT_EQ(col, -1);

  G->SetCells(1, 1, DateTimeToStr(EncodeDate(2026, 12, 11) + EncodeTime(6, 30, 0, 0)));
  G->SetCells(1, 2, u"not a date");
  EXPECT_DOUBLE_EQ(G->GetDateTimes(1, 1), EncodeDate(2026, 12, 11) + EncodeTime(6, 30, 0, 0));
  EXPECT_EQ(G->GetDateTimes(1, 2), 0);
  EXPECT_EQ(G->GetDateTimes(1, 3), 0);
}

TEST_F(NeoStringGridCellHelpers, SwapCellsMovesTextAndObject) {
  G->SetCells(1, 1, u"left");
  G->GetCellProperties(1, 1)->SetBrushColor(0x00FF00);
  TObject* props = G->GetObjects(1, 1);
  ASSERT_NE(props, nullptr);
  G->SetCells(3, 4, u"right");
  G->SwapCells(TGridCoord{1, 1}, TGridCoord{3, 4});
  EXPECT_EQ(G->GetCells(1, 1), u"right");
  EXPECT_EQ(G->GetObjects(1, 1), nullptr);
  EXPECT_EQ(G->GetCells(3, 4), u"left");
  EXPECT_EQ(G->GetObjects(3, 4), props);
}

TEST_F(NeoStringGridCellHelpers, DistinctValuesFollowTheCaseRule) {
  G->SetRowCount(6);
  G->SetFixedFooters(1);
  const Char* texts[] = {u"a", u"A", u"b", u"a"};
  for (Integer i = 0; i < 4; ++i) G->SetCells(1, i + 1, texts[i]);
  G->SetCells(1, 5, u"footer");
  auto ignoring = G->DistinctValues(1, false);
  ASSERT_EQ(ignoring->GetCount(), 2);
  EXPECT_EQ(ignoring->GetStrings(0), u"a");
  EXPECT_EQ(ignoring->GetStrings(1), u"b");
  auto sensitive = G->DistinctValues(1, true);
  EXPECT_EQ(sensitive->GetCount(), 3);
  EXPECT_NE(sensitive->IndexOf(u"A"), -1);

  auto* list = Add<TListBox>(Form, 410, 0, 80, 100);
  G->OleColumnDragStart(2, 1, list);
  EXPECT_EQ(G->GetOleDragCol(), 2);
  EXPECT_EQ(G->GetOleDragIndex(), 1);
  EXPECT_EQ(G->GetOleDragList(), list);
}

// A grid whose column calculations and hidden rows the test scripts: each aggregate answers a
// value of its own and records the rows it was asked over.
class TFooterProbe : public TNeoStringGrid {
public:
  using TNeoStringGrid::TNeoStringGrid;
  Integer Hidden = 0;
  std::vector<String> Calls;
  Integer NumHiddenRows() override { return Hidden; }
  Double ColumnSum(Integer C, Integer F, Integer T) override { return Record(u"sum", C, F, T, 10.5); }
  Double ColumnAvg(Integer C, Integer F, Integer T) override { return Record(u"avg", C, F, T, 2.25); }
  Double ColumnMin(Integer C, Integer F, Integer T) override { return Record(u"min", C, F, T, -1); }
  Double ColumnMax(Integer C, Integer F, Integer T) override { return Record(u"max", C, F, T, 7); }
  Integer ColumnDistinct(Integer C, Integer F, Integer T) override { return static_cast<Integer>(Record(u"distinct", C, F, T, 3)); }
  Double ColumnStdDev(Integer C, Integer F, Integer T) override { return Record(u"stddev", C, F, T, 0.5); }

private:
  Double Record(const String& Name, Integer C, Integer F, Integer T, Double Result) {
    Calls.push_back(Name + u" " + IntToStr(C) + u" " + IntToStr(F) + u".." + IntToStr(T));
    return Result;
  }
};

// 10 rows: one fixed row, eight data rows and the footer row; one column per calculation type.
TEST_F(NeoStringGridCellHelpers, FooterCalculationTable) {
  auto* g = Add<TFooterProbe>(Form, 0, 0, 400, 250);
  g->SetRowCount(10);
  const TColumnCalcType types[] = {acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV};
  g->SetColCount(11);
  for (Integer c = 0; c < 10; ++c) {
    g->CreateCellProperties(c, 9);
    g->GetCellProperties(c, 9)->SetCalcType(types[c]);
    g->SetCells(c, 9, u"old");
  }
  g->CalcFooter(-1);   // the footer is not shown: nothing
  EXPECT_EQ(g->GetCells(1, 9), u"old");
  g->GetFloatingFooter()->SetVisible(true);
  g->Hidden = 2;
  g->CalcFooter(-1);
  const Char* expected[] = {u"old", u"10.50", u"2.25", u"10", u"-1.00", u"7.00", u"old", u"", u"3.00", u"0.50"};
  for (Integer c = 0; c < 10; ++c) EXPECT_EQ(g->GetCells(c, 9), expected[c]) << c;
  EXPECT_EQ(g->Calls, (std::vector<String>{u"sum 1 1..10", u"avg 2 1..10", u"min 4 1..10", u"max 5 1..10",
                                            u"distinct 8 1..10", u"stddev 9 1..10"}));
  // Without CalculateHiddenRows the hidden rows count for nothing.
  g->GetFloatingFooter()->SetCalculateHiddenRows(false);
  g->Calls.clear();
  g->CalcFooter(3);
  g->CalcFooter(1);
  EXPECT_EQ(g->GetCells(3, 9), u"8");
  EXPECT_EQ(g->Calls, (std::vector<String>{u"sum 1 1..8"}));
  // acCUSTOM: the grid's own handler first, else the footer's.
  std::vector<Integer> rows;
  g->GetFloatingFooter()->OnCalcFooter = [&](TObject*, Integer, Integer ARow, String& Value) {
    rows.push_back(ARow);
    Value = u"footer";
  };
  g->CalcFooter(7);
  EXPECT_EQ(g->GetCells(7, 9), u"footer");
  g->FOnCalcFooter = [&](TObject* Sender, Integer ACol, Integer, String& Value) {
    EXPECT_EQ(Sender, g);
    Value = u"grid " + IntToStr(ACol);
  };
  g->CalcFooter(7);
  EXPECT_EQ(g->GetCells(7, 9), u"grid 7");
  EXPECT_EQ(rows, (std::vector<Integer>{9}));
  // Another footer style or calculation switched off: nothing.
  g->SetCells(3, 9, u"kept");
  g->GetFloatingFooter()->SetEnableCalculation(false);
  g->CalcFooter(3);
  g->GetFloatingFooter()->SetEnableCalculation(true);
  g->GetFloatingFooter()->SetFooterStyle(fsColumnPreview);
  g->CalcFooter(3);
  EXPECT_EQ(g->GetCells(3, 9), u"kept");
}

TEST_F(NeoStringGridCellHelpers, IntsAndFloatsAsText) {
  G->SetInts(1, 1, -42);
  EXPECT_EQ(G->GetCells(1, 1), u"-42");
  G->SetFloatFormat(u"%.3f");
  G->SetFloats(2, 1, 1.5);
  EXPECT_EQ(G->GetCells(2, 1), u"1.500");
}

// The drag picture of a 3 x 2 range: the cells as the grid shows them, one pixel in from each
// cell's top left, on a borderless top-most form owned by the grid that the screen shows blended
// at 192 of 255 over what lies beneath.
TEST_F(NeoStringGridCellHelpers, SelectionToFormShowsTheRangeHalfTransparent) {
  for (Integer c = 1; c <= 3; ++c)
    for (Integer r = 1; r <= 2; ++r) G->SetCells(c, r, IntToStr(c * 10 + r));
  G->SetColWidths(2, 90);
  Pump();
  TForm* form = G->SelectionToForm(TGridRect{1, 1, 3, 2});
  ASSERT_NE(dynamic_cast<TNoActiveForm*>(form), nullptr);
  EXPECT_EQ(form->GetOwner(), G);
  EXPECT_EQ(form->GetBorderStyle(), bsNone);
  EXPECT_EQ(form->GetFormStyle(), fsStayOnTop);
  EXPECT_TRUE(form->GetAlphaBlend());
  EXPECT_EQ(form->GetAlphaBlendValue(), 192);
  TImage* image = nullptr;
  for (Integer i = 0; i < form->GetComponentCount(); ++i)
    if (auto* found = dynamic_cast<TImage*>(form->GetComponents(i))) image = found;
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->GetAlign(), alClient);
  TBitmap* picture = image->GetPicture()->GetBitmap();
  // Columns of 64, 90 and 64 pixels and rows of 22 (grid lines inside), plus one pixel.
  const TRect first = G->CellRect(1, 1);
  ASSERT_EQ(first.left, 64);
  EXPECT_EQ(picture->GetWidth(), 64 + 90 + 64 + 1);
  EXPECT_EQ(picture->GetHeight(), 22 + 22 + 1);
  Integer differing = 0;
  for (Integer y = 0; y < picture->GetHeight(); ++y)
    for (Integer x = 0; x < picture->GetWidth(); ++x)
      if (picture->GetCanvas()->GetPixels(x, y) != static_cast<TColor>(Headless::ClientPixel(G->GetHandle(), first.left + 1 + x, first.top + 1 + y)))
        ++differing;
  EXPECT_EQ(differing, 0);

  // Shown away from the test form, the picture (inside the form's one-pixel border) is blended
  // over the desktop.
  TSurface before(1, 1), after(1, 1);
  Headless::ScreenPixels(before);
  form->SetBounds(900, 600, picture->GetWidth(), picture->GetHeight());
  form->Show();
  Pump();
  Headless::ScreenPixels(after);
  TSurface shown(picture->GetWidth() + 40, picture->GetHeight() + 40);
  shown.Pixels();
  for (Integer y = 0; y < shown.Height(); ++y)
    for (Integer x = 0; x < shown.Width(); ++x) shown.SetPixel(x, y, after.Pixel(880 + x, 580 + y));
  EXPECT_TRUE(shown.SaveToPng(OutputPath("neogrid_selection_to_form.png")));
  const TPoint origin = form->ClientToScreen(TPoint{0, 0});
  Integer blended = 0, checked = 0;
  for (Integer y = 0; y < form->GetClientHeight(); y += 3)
    for (Integer x = 0; x < form->GetClientWidth(); x += 3) {
      TColor top = picture->GetCanvas()->GetPixels(x, y);
      std::uint32_t below = before.Pixel(origin.x + x, origin.y + y), seen = after.Pixel(origin.x + x, origin.y + y);
      bool close = true;
      for (int channel = 0; channel < 3; ++channel) {
        // TColor holds red in its low byte, the surface holds blue there.
        int t = (top >> (8 * channel)) & 0xFF;
        int b = (below >> (8 * (2 - channel))) & 0xFF;
        int v = (seen >> (8 * (2 - channel))) & 0xFF;
        if (std::abs(v - (t * 192 + b * 63) / 255) > 2) close = false;
      }
      ++checked;
      if (close) ++blended;
    }
  EXPECT_GT(checked, 1000);
  EXPECT_EQ(blended, checked);
}

}  // namespace
