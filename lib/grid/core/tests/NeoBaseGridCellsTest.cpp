// Cell storage, properties objects and merged cells of the base grid.
#include <gtest/gtest.h>

#include "BaseGridTestSupport.h"
#include "lib/gridutil/NeoGridUtilText.h"
#include "platform/rtl/TypInfo.h"

namespace {

// Graphic objects: the grid owns only those whose class is exactly TCellGraphic.
struct TGraphicProbe {
  int Freed = 0;
};
class TCellGraphic : public TObject {
  ZELK_CLASS(TCellGraphic, TObject)
public:
  explicit TCellGraphic(TGraphicProbe* AProbe) : FProbe(AProbe) {}
  ~TCellGraphic() override { ++FProbe->Freed; }

private:
  TGraphicProbe* FProbe;
};
class TSharedGraphic : public TCellGraphic {
  ZELK_CLASS(TSharedGraphic, TCellGraphic)
public:
  using TCellGraphic::TCellGraphic;
};

class BaseGridCells : public ::testing::Test {
protected:
  void SetUp() override {
    Grid.SetColCount(8);
    Grid.SetRowCount(8);
  }
  TTestGrid Grid{nullptr};
};

TEST_F(BaseGridCells, PropertiesAreMadeOnFirstAskWithTheGridsDefaults) {
  Grid.GetFont()->SetHeight(-11);
  Grid.SetColor(clYellow);
  Grid.SetWordWrap(false);
  Grid.Scale = 1.5;
  EXPECT_FALSE(Grid.HasCellProperties(2, 2));
  EXPECT_FALSE(Grid.FHasCellProps);
  TCellProperties* p = Grid.GetCellProperties(2, 2);
  EXPECT_TRUE(Grid.HasCellProperties(2, 2));
  EXPECT_TRUE(Grid.FHasCellProps);
  EXPECT_EQ(Grid.GetCellProperties(2, 2), p);
  EXPECT_EQ(p->GetCellSpanX(), -1);
  EXPECT_EQ(p->GetCellSpanY(), -1);
  EXPECT_TRUE(p->GetIsBaseCell());
  EXPECT_EQ(p->GetBrushColor(), clYellow);
  EXPECT_EQ(p->GetBrushColorTo(), clNone);
  EXPECT_FALSE(p->GetWordWrap());
  EXPECT_EQ(p->GetFontSize(), -16);   // -16.5 to the even neighbour
  EXPECT_EQ(p->GetFontName(), Grid.GetFont()->GetName());
  EXPECT_EQ(p->GetOwnerCol(), 2);
  EXPECT_EQ(p->GetOwnerRow(), 2);

  // The graphic object's path takes the font height unscaled, and leaves the text empty.
  TGraphicProbe probe;
  Grid.SetGraphicObjectEx(3, 3, new TCellGraphic(&probe));
  EXPECT_EQ(Grid.GetCellProperties(3, 3)->GetFontSize(), -11);
  EXPECT_EQ(Grid.GetGridCell(3, 3), u"");
  EXPECT_NE(Grid.GetGraphicObjectEx(3, 3), nullptr);
  EXPECT_EQ(Grid.GetGraphicObjectEx(4, 4), nullptr);
  EXPECT_FALSE(Grid.HasCellProperties(4, 4));

  // The cell object likewise.
  Grid.SetObjectEx(5, 1, 42);
  EXPECT_EQ(Grid.GetObjectEx(5, 1), 42u);
  EXPECT_EQ(Grid.GetGridCell(5, 1), u"");
  EXPECT_EQ(Grid.GetObjectEx(6, 1), 0u);

  // Only columns within TotalColCount and rows >= 0 count.
  EXPECT_FALSE(Grid.HasCellProperties(-1, 2));
  EXPECT_FALSE(Grid.HasCellProperties(2, -1));
  Grid.Hidden = {1};
  EXPECT_FALSE(Grid.HasCellProperties(9, 0));
  Grid.GetCellProperties(8, 0);   // a hidden column's data lies past ColCount
  EXPECT_TRUE(Grid.HasCellProperties(8, 0));
  Grid.FreeCellProperties(8, 0);
  EXPECT_FALSE(Grid.HasCellProperties(8, 0));
}

TEST_F(BaseGridCells, AssignCopiesTheCellsSettingsNotItsOwnerOrGraphic) {
  TCellProperties* a = Grid.GetCellProperties(1, 1);
  a->SetBrushColor(clRed);
  a->SetBrushColorTo(clBlue);
  a->SetCellSpanX(2);
  a->SetCellSpanY(3);
  a->SetMergeCollaps(true);
  a->SetFontName(u"Serif");
  a->SetReadOnly(true);
  a->SetEditor(edCheckBox);
  a->SetCalcType(acSUM);
  a->SetGradientDirection(GradientHorizontal);
  TCellProperties* b = Grid.GetCellProperties(4, 4);
  b->Assign(a);
  EXPECT_EQ(b->GetOwnerGrid(), &Grid);
  EXPECT_EQ(b->GetBrushColor(), clRed);
  EXPECT_EQ(b->GetBrushColorTo(), clNone);
  EXPECT_EQ(b->GetCellSpanX(), 2);
  EXPECT_TRUE(b->GetMergeCollaps());
  b->SetMergeCollaps(false);
  EXPECT_EQ(b->GetCellSpanY(), 0);   // copied as read: collapsed
  EXPECT_EQ(b->GetFontName(), u"Serif");
  EXPECT_TRUE(b->GetReadOnly());
  EXPECT_EQ(b->GetEditor(), edCheckBox);
  EXPECT_EQ(b->GetCalcType(), acNONE);
  EXPECT_EQ(b->GetGradientDirection(), GradientVertical);
  EXPECT_EQ(b->GetOwnerCol(), 1);
  b->Assign(nullptr);   // a foreign source changes nothing
  EXPECT_EQ(b->GetBrushColor(), clRed);
}

TEST_F(BaseGridCells, StoringTheSlotsOwnObjectAgainKeepsIt) {
  TCellProperties* p = Grid.GetCellProperties(2, 2);
  p->SetNodeLevel(3);
  Grid.SetCellProperties(2, 2, p);
  EXPECT_EQ(Grid.GetCellProperties(2, 2)->GetNodeLevel(), 3);
  // Another object replaces (and frees) the old one.
  Grid.SetCellProperties(2, 2, new TCellProperties(&Grid, 2, 2));
  EXPECT_EQ(Grid.GetCellProperties(2, 2)->GetNodeLevel(), 0);
}

TEST_F(BaseGridCells, FreeingOwnsOnlyTCellGraphicAndResetDropsWithoutFreeing) {
  TGraphicProbe probe;
  Grid.SetGraphicObjectEx(1, 1, new TCellGraphic(&probe));
  TSharedGraphic shared(&probe);
  Grid.SetGraphicObjectEx(2, 1, &shared);
  Grid.SetGraphicObjectEx(3, 1, &shared);
  Grid.MergeCells(4, 4, 2, 2);
  Grid.FreeAllCellProperties();
  EXPECT_EQ(probe.Freed, 1);
  EXPECT_FALSE(Grid.HasCellProperties(2, 1));

  // ResetCell empties the text and forgets the object, which lives on elsewhere.
  TCellProperties* moved = Grid.GetCellProperties(6, 6);
  Grid.SetCellEx(6, 6, u"t");
  Grid.ResetCell(6, 6);
  EXPECT_FALSE(Grid.HasCellProperties(6, 6));
  EXPECT_EQ(Grid.GetGridCell(6, 6), u"");
  Grid.SetCellProperties(6, 7, moved);
  EXPECT_EQ(Grid.GetCellProperties(6, 7), moved);
}

TEST(BaseGridLife, DestroyingAGridFreesWhatItOwnsOnly) {
  TGraphicProbe probe;
  TSharedGraphic shared(&probe);
  {
    TTestGrid grid(nullptr);
    grid.SetColCount(6);
    grid.SetRowCount(6);
    grid.MergeCells(1, 1, 3, 2);
    grid.SetCellEx(2, 2, u"merged");
    grid.SetGraphicObjectEx(4, 4, new TCellGraphic(&probe));
    grid.SetGraphicObjectEx(5, 5, &shared);
    grid.SetGraphicObjectEx(5, 4, &shared);
  }
  EXPECT_EQ(probe.Freed, 1);
}

TEST_F(BaseGridCells, TheMergeTable) {
  Grid.MergeCells(2, 3, 3, 2);
  EXPECT_EQ(Grid.FMergeCount, 1);
  struct Row {
    Integer Col, Row;
    TPoint Ext;
  };
  const Row cells[] = {{2, 3, {2, 1}}, {3, 3, {1, 1}}, {4, 3, {0, 1}}, {2, 4, {2, 0}}, {3, 4, {1, 0}}, {4, 4, {0, 0}}};
  for (const Row& c : cells) {
    SCOPED_TRACE(testing::Message() << c.Col << "," << c.Row);
    TCellProperties* p = Grid.GetCellProperties(c.Col, c.Row);
    bool base = c.Col == 2 && c.Row == 3;
    EXPECT_EQ(p->GetIsBaseCell(), base);
    EXPECT_EQ(p->GetCellSpanX(), base ? 2 : c.Col - 2);
    EXPECT_EQ(p->GetCellSpanY(), base ? 1 : c.Row - 3);
    EXPECT_EQ(Grid.BaseCell(c.Col, c.Row), (TPoint{2, 3}));
    EXPECT_EQ(Grid.CellSpan(c.Col, c.Row), (TPoint{2, 1}));
    EXPECT_EQ(Grid.CellExt(c.Col, c.Row), c.Ext);
    EXPECT_EQ(Grid.FullCell(c.Col, c.Row), (TRect{2, 3, 4, 4}));
    EXPECT_TRUE(Grid.IsMergedCell(c.Col, c.Row));
    EXPECT_EQ(Grid.IsMergedNonBaseCell(c.Col, c.Row), !base);
    EXPECT_TRUE(Grid.IsXMergedCell(c.Col, c.Row));
    EXPECT_TRUE(Grid.IsYMergedCell(c.Col, c.Row));
    Integer bc = -1, br = -1;
    EXPECT_EQ(Grid.ResolveBaseCell(c.Col, c.Row, bc, br), base);
    EXPECT_EQ(bc, 2);
    EXPECT_EQ(br, 3);
  }
  // Outside the block: the cell itself, no span.
  EXPECT_EQ(Grid.BaseCell(5, 3), (TPoint{5, 3}));
  EXPECT_EQ(Grid.CellSpan(5, 3), (TPoint{0, 0}));
  EXPECT_FALSE(Grid.IsMergedCell(5, 3));
  EXPECT_TRUE(Grid.IsBaseCell(5, 3));

  Grid.SetCellEx(4, 4, u"x");
  EXPECT_EQ(Grid.GetGridCell(2, 3), u"x");
  EXPECT_EQ(Grid.GetGridCell(4, 4), u"");
  EXPECT_EQ(Grid.GetCellEx(3, 3), u"x");
}

TEST_F(BaseGridCells, SplittingFromAnyCellOfTheBlockRestoresEverySingleCell) {
  for (Integer col = 2; col <= 4; ++col)
    for (Integer row = 3; row <= 4; ++row) {
      Grid.MergeCells(2, 3, 3, 2);
      Grid.SplitCells(col, row);
      EXPECT_EQ(Grid.FMergeCount, 0);
      for (Integer c = 2; c <= 4; ++c)
        for (Integer r = 3; r <= 4; ++r) {
          TCellProperties* p = Grid.GetCellProperties(c, r);
          EXPECT_TRUE(p->GetIsBaseCell() && p->GetCellSpanX() == -1 && p->GetCellSpanY() == -1)
              << "split at " << col << "," << row << ": cell " << c << "," << r;
        }
    }
}

TEST_F(BaseGridCells, OneByOneMergeAndCollapsedBlocks) {
  Grid.MergeCells(5, 5, 1, 1);
  EXPECT_FALSE(Grid.IsMergedCell(5, 5));
  EXPECT_EQ(Grid.CellSpan(5, 5), (TPoint{0, 0}));
  EXPECT_TRUE(Grid.GetCellProperties(5, 5)->InMerge());
  EXPECT_EQ(Grid.CellRect(5, 5), Grid.VirtualCellRect(5, 5));

  // A span below 1 touches no cell but counts.
  Grid.MergeCells(6, 6, 0, 2);
  EXPECT_FALSE(Grid.HasCellProperties(6, 6));
  EXPECT_EQ(Grid.FMergeCount, 2);

  Grid.MergeCells(1, 1, 2, 3);
  TRect full = Grid.CellRect(1, 1);
  EXPECT_EQ(full.bottom - full.top, 3 * Grid.GetDefaultRowHeight());
  Grid.GetCellProperties(1, 1)->SetMergeCollaps(true);
  EXPECT_EQ(Grid.GetCellProperties(1, 1)->GetCellSpanY(), 0);
  EXPECT_EQ(Grid.CellSpan(1, 1), (TPoint{1, 0}));
  TRect collapsed = Grid.CellRect(1, 1);
  EXPECT_EQ(collapsed.bottom - collapsed.top, Grid.GetDefaultRowHeight());
  EXPECT_EQ(collapsed.right - collapsed.left, 2 * Grid.GetDefaultColWidth());
}

TEST_F(BaseGridCells, AnOverlappingMergeSplitsTheOldBlocksAndKeepsEveryText) {
  Grid.MergeCells(1, 1, 2, 2);
  Grid.SetCellEx(2, 2, u"A");
  Grid.MergeCells(4, 3, 2, 1);
  Grid.SetCellEx(5, 3, u"C");
  // Overlaps the first block at (2, 2) only, and holds the second whole.
  Grid.MergeCells(2, 2, 4, 3);
  EXPECT_EQ(Grid.FMergeCount, 3);
  EXPECT_EQ(Grid.GetCellEx(1, 1), u"A");
  for (auto [c, r] : {std::pair{1, 1}, {2, 1}, {1, 2}}) {
    EXPECT_EQ(Grid.BaseCell(c, r), (TPoint{c, r})) << c << "," << r;
    EXPECT_FALSE(Grid.IsMergedCell(c, r)) << c << "," << r;
  }
  EXPECT_EQ(Grid.BaseCell(5, 4), (TPoint{2, 2}));
  EXPECT_EQ(Grid.BaseCell(5, 3), (TPoint{2, 2}));
  EXPECT_EQ(Grid.CellSpan(3, 3), (TPoint{3, 2}));
  // The held block's text moves to the new base cell, which had none.
  EXPECT_EQ(Grid.GetCellEx(3, 3), u"C");
  Grid.SplitCells(4, 4);
  EXPECT_EQ(Grid.FMergeCount, 2);
  EXPECT_EQ(Grid.GetCellEx(2, 2), u"C");
  EXPECT_EQ(Grid.GetCellEx(4, 3), u"");
  EXPECT_EQ(Grid.GetCellEx(1, 1), u"A");
}

TEST_F(BaseGridCells, RowAndColumnSpanQueries) {
  Grid.MergeCells(1, 1, 1, 3);   // column 1, rows 1..3
  Grid.MergeCells(2, 1, 1, 2);   // column 2, rows 1..2
  Grid.MergeCells(4, 1, 2, 1);   // columns 4..5, row 1
  Grid.MergeCells(1, 4, 1, 2);   // column 1, rows 4..5
  EXPECT_EQ(Grid.MinRowSpan(1), 1);
  EXPECT_EQ(Grid.MaxRowSpan(1), 2);
  EXPECT_EQ(Grid.MinRowSpan(6), 8);
  EXPECT_EQ(Grid.MaxRowSpan(6), 0);
  EXPECT_TRUE(Grid.RowSpanIdentical(1, 2));
  EXPECT_TRUE(Grid.RowSpanIdentical(2, 3));
  EXPECT_FALSE(Grid.RowSpanIdentical(3, 4));   // column 1: two blocks
  EXPECT_FALSE(Grid.RowSpanIdentical(6, 7));   // nothing merged
  EXPECT_TRUE(Grid.ColSpanIdentical(4, 5));
  EXPECT_FALSE(Grid.ColSpanIdentical(3, 4));
  EXPECT_FALSE(Grid.ColSpanIdentical(6, 7));
}

TEST_F(BaseGridCells, DisplayTextEventsSeeTheBaseCellBelowTheNormalRows) {
  Grid.MergeCells(1, 1, 2, 2);
  Grid.SetCellEx(1, 1, u"base");
  Grid.SetGridCell(5, 7, u"scratch");
  Grid.FNormalRowCount = 7;
  std::vector<TPoint> asked;
  Grid.OnGetDisplText = [&](TObject*, Integer C, Integer R, String& V) {
    asked.push_back(TPoint{C, R});
    V += u"!";
  };
  EXPECT_EQ(Grid.GetCellEx(2, 2), u"base!");
  EXPECT_EQ(Grid.GetCellEx(5, 7), u"scratch");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], (TPoint{1, 1}));

  // The wide event works on the decoded text; the answer comes back encoded.
  Grid.OnGetDisplText = nullptr;
  Grid.SetCellEx(3, 3, EncodePairEncodedText(u"\u0416x"));
  Grid.OnGetDisplWideText = [](TObject*, Integer, Integer, String& V) {
    EXPECT_EQ(V, u"\u0416x");
    V += u"\u0436";
  };
  EXPECT_EQ(Grid.GetCellEx(3, 3), EncodePairEncodedText(u"\u0416x\u0436"));
}

TEST_F(BaseGridCells, PublishedPropertiesOfCellsAndGrid) {
  RegisterBaseGridRtti();
  TCellProperties* p = Grid.GetCellProperties(1, 1);
  std::vector<String> names;
  for (PPropInfo info : GetPropList(p)) names.push_back(info->Name);
  const std::vector<String> want{u"IsBaseCell", u"CellSpanX", u"CellSpanY", u"OwnerCol", u"OwnerRow", u"Alignment",
                        u"BorderColor", u"BorderWidth", u"BrushColor", u"BrushColorTo", u"BrushStyle", u"CellObject",
                        u"FontColor", u"FontName", u"FontSize", u"FontStyle", u"Editor", u"GradientDirection",
                        u"ReadOnly", u"VAlignment", u"WordWrap", u"NodeLevel", u"Control"};
  EXPECT_EQ(names, want);
  EXPECT_FALSE(IsStoredProp(p, u"OwnerCol"));
  SetOrdProp(p, u"Editor", edDateEdit);
  EXPECT_EQ(p->GetEditor(), edDateEdit);
  EXPECT_EQ(GetEnumProp(p, u"VAlignment"), u"vtaTop");
  p->SetCellSpanY(4);
  p->SetMergeCollaps(true);
  EXPECT_EQ(GetOrdProp(p, u"CellSpanY"), 0);
  EXPECT_TRUE(IsPublishedProp(&Grid, u"HoverRowCells"));
  EXPECT_EQ(GetOrdProp(&Grid, u"GridLineWidth"), 1);
  SetOrdProp(&Grid, u"GridLineWidth", 2);
  EXPECT_EQ(Grid.GetGridLineWidth(), 2);
}

}  // namespace
