// The grid's dimensions and simple properties, hidden columns with the real/display maps, the
// current and top row, the parked selection, and the relays that ask about cell buttons, hints
// and expanders. A probe scripts the answers of later folders and records their actions.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "lib/grid/core/NeoArrowWindow.h"
#include "lib/grid/core/NeoGridLookSettings.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/render/NeoHTMLMarkup.h"
#include "lib/render/PictureContainer.h"

namespace {

class TDimsProbe : public TNeoStringGrid {
public:
  explicit TDimsProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  bool FloatingFooterVisible() override { return FooterVisible; }
  bool DropDownAlwaysVisible() override { return ButtonsAlways; }
  bool SpinButtonsAlwaysVisible() override { return ButtonsAlways; }
  void CalcFooter(Integer ACol) override { Calls.emplace_back(u"CalcFooter", ACol); }
  void AutoSizeColumns(bool DoFixedCols, Integer Padding) override {
    Calls.emplace_back(DoFixedCols ? u"AutoSizeColumns fixed" : u"AutoSizeColumns", Padding);
  }
  void ApplyOfficeTheme() override { Calls.emplace_back(u"ApplyOfficeTheme", 0); }
  Integer GetExpandHeight(Integer ACol, Integer ARow, bool Expanded) override {
    Calls.emplace_back(Expanded ? u"GetExpandHeight+" : u"GetExpandHeight-", ACol * 100 + ARow);
    return Expanded ? 60 : 22;
  }
  void UpdateFooter() override { Calls.emplace_back(u"UpdateFooter", 0); }
  void UpdateProportionalVertScroll() override { Calls.emplace_back(u"UpdateProportionalVertScroll", 0); }
  void UpdateProportionalHorzScroll() override { Calls.emplace_back(u"UpdateProportionalHorzScroll", 0); }
  void UpdateSearchPanel() override { Calls.emplace_back(u"UpdateSearchPanel", 0); }
  void BeginLoading() { FComponentState.Include(csLoading); }
  void EndLoading() { FComponentState.Exclude(csLoading); }
  bool ShowSelFlag() const { return FShowSel; }

  bool FooterVisible = false;
  bool ButtonsAlways = false;
  std::vector<std::pair<String, Integer>> Calls;
};

class NeoStringGridDims : public ::testing::Test {
protected:
  TDimsProbe G{nullptr};
  void Fill(Integer Cols, Integer Rows) {
    G.SetColCount(Cols);
    G.SetRowCount(Rows);
    for (Integer r = 0; r < Rows; ++r)
      for (Integer c = 0; c < Cols; ++c) G.SetCells(c, r, IntToStr(c) + u":" + IntToStr(r));
  }
};

// ---------------------------------------------------------------------------------------------
// Counts and fixed areas
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridDims, FixedRowsComeBackWhenTheGridGrowsAgain) {
  G.SetFixedRowAlways(true);
  G.SetRowCount(2);
  G.SetFixedRows(3);
  EXPECT_EQ(G.GetFixedRows(), 1);
  EXPECT_EQ(G.GetFixedRowsMin(), 3);
  G.SetRowCount(5);
  EXPECT_EQ(G.GetFixedRows(), 3);

  // 0 with FixedRowAlways reads 1; without it 0.
  G.SetFixedRows(0);
  EXPECT_EQ(G.GetFixedRows(), 1);
  G.SetFixedRowAlways(false);
  EXPECT_EQ(G.GetFixedRows(), 0);

  // Columns likewise.
  G.SetFixedColAlways(true);
  G.SetColCount(2);
  G.SetFixedCols(2);
  EXPECT_EQ(G.GetFixedCols(), 1);
  G.SetColCount(4);
  EXPECT_EQ(G.GetFixedCols(), 2);

  // While loading the requested count is not recorded.
  G.BeginLoading();
  G.SetFixedCols(1);
  G.EndLoading();
  EXPECT_EQ(G.GetFixedColsMin(), 2);
}

TEST_F(NeoStringGridDims, RowCountReportsItsChangeAndKeepsTheLargestCount) {
  std::vector<std::pair<Integer, Integer>> changes;
  G.OnRowCountChange = [&](TObject* Sender, Integer From, Integer To) {
    EXPECT_EQ(Sender, &G);
    changes.emplace_back(From, To);
  };
  G.SetRowCount(30);
  G.SetRowCount(30);
  G.SetRowCount(4);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0], std::make_pair(10, 30));
  EXPECT_EQ(changes[1], std::make_pair(30, 4));
  EXPECT_EQ(G.GetMaxRowCount(), 30);
  EXPECT_EQ(G.FNormalRowCount, 4);
}

TEST_F(NeoStringGridDims, CountsUpdateFooterPanelAndScrollBars) {
  using C = std::pair<String, Integer>;
  G.Calls.clear();
  G.SetRowCount(20);
  EXPECT_EQ(G.Calls, (std::vector<C>{{u"UpdateFooter", 0}, {u"UpdateProportionalVertScroll", 0},
                                     {u"UpdateProportionalHorzScroll", 0}}));
  G.Calls.clear();
  G.SetColCount(7);
  EXPECT_EQ(G.Calls, (std::vector<C>{{u"UpdateFooter", 0}, {u"UpdateSearchPanel", 0},
                                     {u"UpdateProportionalHorzScroll", 0}, {u"UpdateProportionalVertScroll", 0}}));
}

TEST_F(NeoStringGridDims, AFloatingFootersRowMovesToTheNewLastRow) {
  Fill(3, 10);
  G.FooterVisible = true;
  G.SetRowCount(12);
  EXPECT_EQ(G.GetCells(1, 11), u"1:9");
  EXPECT_EQ(G.GetCells(1, 9), u"");
  EXPECT_EQ(G.GetCells(1, 8), u"1:8");
  ASSERT_FALSE(G.Calls.empty());
  EXPECT_EQ(G.Calls.back(), std::make_pair(String(u"CalcFooter"), -1));

  // Shrinking copies the footer before its row is cut: it lands on the new last row.
  G.SetRowCount(8);
  EXPECT_EQ(G.GetCells(0, 7), u"0:9");
  EXPECT_EQ(G.GetCells(2, 7), u"2:9");

  // The footer row's cell objects move with it and are freed once (by the destructor: ASan).
  G.GetCellProperties(1, 7)->SetFontColor(clRed);
  G.SetRowCount(9);
  ASSERT_TRUE(G.HasCellProperties(1, 8));
  EXPECT_EQ(G.GetCellProperties(1, 8)->GetFontColor(), clRed);
  EXPECT_FALSE(G.HasCellProperties(1, 7));
}

// The footer's own settings decide: Visible moves the footer row along, and with the last-row
// style no row may be moved onto it.
TEST_F(NeoStringGridDims, TheFloatingFooterGroupDrivesTheFooterRow) {
  TNeoStringGrid g(nullptr);
  g.SetColCount(3);
  g.SetRowCount(10);
  for (Integer r = 0; r < 10; ++r) g.SetCells(1, r, IntToStr(r));
  g.SetRowCount(11);   // no footer shown: nothing moves
  EXPECT_EQ(g.GetCells(1, 9), u"9");
  g.GetFloatingFooter()->SetVisible(true);
  g.SetRowCount(12);
  EXPECT_EQ(g.GetCells(1, 11), u"");   // the old last row (10) was empty
  g.SetCells(1, 11, u"sum");
  g.SetRowCount(13);
  EXPECT_EQ(g.GetCells(1, 12), u"sum");
  EXPECT_EQ(g.GetCells(1, 11), u"");
  g.MoveRow(2, 12);   // onto the footer row: refused
  EXPECT_EQ(g.GetCells(1, 12), u"sum");
  g.GetFloatingFooter()->SetFooterStyle(fsColumnPreview);
  g.MoveRow(2, 12);
  EXPECT_EQ(g.GetCells(1, 12), u"2");
}

TEST_F(NeoStringGridDims, FixedSizes) {
  G.SetColCount(5);
  G.SetFixedCols(2);
  G.SetColWidths(0, 30);
  G.SetColWidths(1, 40);
  // Column 0 already has it: nothing.
  G.SetFixedColWidth(30);
  EXPECT_EQ(G.GetColWidths(1), 40);
  // The default width can be given (it is compared with column 0, not DefaultColWidth).
  G.SetFixedColWidth(G.GetDefaultColWidth());
  EXPECT_EQ(G.GetColWidths(0), G.GetDefaultColWidth());
  EXPECT_EQ(G.GetColWidths(1), G.GetDefaultColWidth());
  EXPECT_EQ(G.GetColWidths(2), G.GetDefaultColWidth());
  EXPECT_EQ(G.GetFixedColWidth(), G.GetDefaultColWidth());

  G.SetFixedRows(2);
  G.SetFixedRowHeight(30);
  EXPECT_EQ(G.GetRowHeights(0), 30);
  EXPECT_EQ(G.GetRowHeights(1), 30);
  EXPECT_EQ(G.GetRowHeights(2), 22);
  G.BeginLoading();
  G.SetFixedRowHeight(40);
  G.SetFixedColWidth(10);
  G.EndLoading();
  EXPECT_EQ(G.GetFixedRowHeight(), 40);
  EXPECT_EQ(G.GetRowHeights(0), 30);
  EXPECT_EQ(G.GetColWidths(0), G.GetDefaultColWidth());
}

// ---------------------------------------------------------------------------------------------
// Simple properties
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridDims, SimpleSettersAndTheirSideEffects) {
  struct Mixer {
    Integer In, Stored;
  };
  for (Mixer m : {Mixer{150, 100}, Mixer{-5, 0}, Mixer{37, 37}, Mixer{100, 100}}) {
    G.SetSelectionColorMixerFactor(m.In);
    EXPECT_EQ(G.GetSelectionColorMixerFactor(), m.Stored) << m.In;
  }

  struct VAlign {
    TVAlignment Value;
    UINT Flag;
  };
  for (VAlign v : {VAlign{vtaCenter, 4}, VAlign{vtaBottom, 8}, VAlign{vtaTop, 0}}) {
    G.SetVAlignment(v.Value);
    EXPECT_EQ(G.GetVAlign(), v.Flag);
  }

  G.SetWordWrap(false);
  EXPECT_FALSE(G.GetWordWrap());
  EXPECT_FALSE(G.TBaseGrid::GetWordWrap());

  G.SetShowSelection(false);
  EXPECT_FALSE(G.ShowSelFlag());
  G.SetShowSelection(true);
  EXPECT_TRUE(G.ShowSelFlag());

  // SizeWithForm: four anchors, and back to left and top.
  G.SetSizeWithForm(true);
  EXPECT_EQ(G.GetAnchors(), (TAnchors{akLeft, akTop, akRight, akBottom}));
  G.SetSizeWithForm(false);
  EXPECT_EQ(G.GetAnchors(), (TAnchors{akLeft, akTop}));

  // SpreadSheet: False only stores, True switches the behaviour on.
  G.SetSpreadSheet(false);
  EXPECT_FALSE(G.GetSelectionRectangle());
  EXPECT_FALSE(G.GetOptions().Contains(goEditing));
  G.SetSpreadSheet(true);
  EXPECT_TRUE(G.GetSelectionRectangle());
  EXPECT_TRUE(G.GetSelectionResizer());
  EXPECT_TRUE(G.GetNavigation()->GetAllowSmartClipboard());
  EXPECT_TRUE(G.GetOptions().Contains(goRangeSelect));
  EXPECT_TRUE(G.GetOptions().Contains(goEditing));
  EXPECT_TRUE(G.GetMouseActions()->GetRangeSelectAndEdit());

  // Markup engine settings shared by every grid.
  TColor keepHi = HtmlHighlightColor(), keepHiText = HtmlHighlightTextColor();
  bool keepBreaks = HtmlKeepLineBreaks;
  G.SetHighlightColor(0x00FF00);
  G.SetHighlightTextColor(0x0000FF);
  EXPECT_EQ(HtmlHighlightColor(), TColor(0x00FF00));
  EXPECT_EQ(HtmlHighlightTextColor(), TColor(0x0000FF));
  G.SetHTMLKeepLineBreak(false);
  EXPECT_FALSE(HtmlKeepLineBreaks);
  SetHtmlHighlightColors(keepHi, keepHiText);
  HtmlKeepLineBreaks = keepBreaks;

  // AutoSize sizes the normal columns with 10 pixels, not while loading; AutoThemeAdapt applies
  // the theme once when switched on.
  G.BeginLoading();
  G.SetAutoSize(true);
  G.EndLoading();
  EXPECT_TRUE(G.Calls.empty());
  G.SetAutoSize(true);
  G.SetAutoThemeAdapt(true);
  G.SetAutoThemeAdapt(true);
  G.SetAutoThemeAdapt(false);
  using C = std::pair<String, Integer>;
  EXPECT_EQ(G.Calls, (std::vector<C>{{u"AutoSizeColumns", 10}, {u"ApplyOfficeTheme", 0}}));

  // The version: four bytes and a date.
  auto v = static_cast<Cardinal>(G.GetVersionNr());
  String expected = IntToStr(Integer(v >> 24)) + u"." + IntToStr(Integer((v >> 16) & 255)) + u"." +
                    IntToStr(Integer((v >> 8) & 255)) + u"." + IntToStr(Integer(v & 255)) + u" ";
  EXPECT_EQ(G.GetVersionString().substr(0, expected.size()), expected);
  EXPECT_GT(G.GetVersionString().size(), expected.size());
}

TEST_F(NeoStringGridDims, ArrowColourIsTheUpArrowsAndGoesToAllFour) {
  EXPECT_EQ(G.GetArrowColor(), TColor(0x00FF00));
  G.SetArrowColor(0x123456);
  for (Integer i = 0; i < 4; ++i) EXPECT_EQ(G.GetArrow(i)->GetColor(), TColor(0x123456)) << i;
  G.GetArrow(0)->SetColor(0x0000FF);
  G.GetArrow(1)->SetColor(0x00FFFF);
  EXPECT_EQ(G.GetArrowColor(), TColor(0x0000FF));
  EXPECT_EQ(G.GetFooterCanvas(), G.GetFooterPanel()->GetCanvas());
  EXPECT_NE(G.GetFooterCanvas(), nullptr);
}

TEST_F(NeoStringGridDims, RemovedComponentsAreForgotten) {
  auto images = std::make_unique<TImageList>(nullptr);
  auto menu = std::make_unique<TPopupMenu>(nullptr);
  auto partner = std::make_unique<TNeoStringGrid>(nullptr);
  auto pictures = std::make_unique<TPictureContainer>(nullptr);
  G.SetGridImages(images.get());
  G.SetFixedDropDownMenu(menu.get());
  G.SetPictureContainer(pictures.get());
  EXPECT_EQ(G.GetPictureContainer(), pictures.get());
  pictures.reset();
  EXPECT_EQ(G.GetPictureContainer(), nullptr);
  G.GetSyncGrid()->SetGrid(partner.get());
  partner->FreeNotification(&G);
  images.reset();
  menu.reset();
  EXPECT_EQ(G.GetGridImages(), nullptr);
  EXPECT_EQ(G.GetFixedDropDownMenu(), nullptr);
  partner.reset();
  EXPECT_EQ(G.GetSyncGrid()->GetGrid(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Hidden columns and the maps
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridDims, HiddenColumnMapping) {
  Fill(5, 4);
  for (Integer i : {-1, 0, 2, 4, 7}) {
    EXPECT_EQ(G.DisplToRealCol(i), i);
    EXPECT_EQ(G.RealToDisplCol(i), i);
  }
  G.SetColWidths(2, 33);
  G.HideColumn(2);
  EXPECT_EQ(G.GetColCount(), 4);
  EXPECT_EQ(G.GetAllColCount(), 5);
  EXPECT_EQ(G.NumHiddenColumns(), 1);
  const Integer toReal[] = {0, 1, 3, 4, 4};
  const Integer toDispl[] = {0, 1, 2, 2, 3};
  for (Integer i = 0; i < 5; ++i) {
    EXPECT_EQ(G.DisplToRealCol(i), toReal[i]) << i;
    EXPECT_EQ(G.RealColIndex(i), toReal[i]) << i;
    EXPECT_EQ(G.RealToDisplCol(i), toDispl[i]) << i;
  }
  EXPECT_EQ(G.DisplToRealCol(-1), -1);
  EXPECT_TRUE(G.IsHiddenColumn(2));
  EXPECT_FALSE(G.IsHiddenColumn(3));
  EXPECT_FALSE(G.IsHiddenColumn(9));
  EXPECT_FALSE(G.GetVisibleCol(2));
  EXPECT_TRUE(G.GetVisibleCol(9));
  // No cell moved: display column 2 shows real column 3.
  EXPECT_EQ(G.GetCells(2, 1), u"2:1");
  EXPECT_EQ(G.GetCells(G.DisplToRealCol(2), 1), u"3:1");
  EXPECT_EQ(G.GetAllColWidths(2), 33);
  G.SetAllColWidths(2, 44);
  EXPECT_EQ(G.GetAllColWidths(2), 44);

  // The column comes back with its saved width at its own place.
  G.SetColWidths(2, 55);   // display column 2 is real column 3
  G.UnHideColumn(2);
  EXPECT_EQ(G.GetColCount(), 5);
  EXPECT_EQ(G.GetColWidths(2), 44);
  EXPECT_EQ(G.GetColWidths(3), 55);
  EXPECT_EQ(G.DisplToRealCol(3), 3);
}

TEST_F(NeoStringGridDims, HidingColumnsEdgeCases) {
  Fill(3, 4);
  G.SetFixedCols(0);
  // The current column as the last display column moves one to the left.
  G.SetCol(2);
  G.HideColumn(2);
  EXPECT_EQ(G.GetCol(), 1);
  // The last shown column is never hidden; a range skips what is hidden already.
  G.HideColumns(0, 2);
  EXPECT_EQ(G.GetColCount(), 1);
  EXPECT_EQ(G.NumHiddenColumns(), 2);
  EXPECT_EQ(G.DisplToRealCol(0), 1);
  // Nothing for an inverted range.
  G.UnHideColumns(2, 0);
  EXPECT_EQ(G.NumHiddenColumns(), 2);
  G.UnHideColumnsAll();
  EXPECT_EQ(G.GetColCount(), 3);
  EXPECT_EQ(G.NumHiddenColumns(), 0);

  // A hidden column stays hidden while columns are added; its cell objects are freed with the
  // grid (ASan).
  G.GetCellProperties(2, 1)->SetFontColor(clBlue);
  G.HideColumn(2);
  G.SetColCount(4);
  EXPECT_EQ(G.GetAllColCount(), 5);
  EXPECT_TRUE(G.IsHiddenColumn(2));
  EXPECT_TRUE(G.GetVisibleCol(4));
}

TEST_F(NeoStringGridDims, AssignFromAGridWithHiddenColumnsTakesTheShownColumns) {
  Fill(8, 6);
  for (Integer c = 0; c < 8; ++c) G.SetColWidths(c, 20 + c);
  G.HideColumn(1);
  G.HideColumn(4);
  G.HideColumn(6);
  TNeoStringGrid copy(nullptr);
  G.GetOfficeHint()->SetTitle(u"Hint");
  copy.Assign(&G);
  EXPECT_EQ(copy.GetOfficeHint()->GetTitle(), u"Hint");
  EXPECT_EQ(copy.GetColCount(), 5);
  EXPECT_EQ(copy.NumHiddenColumns(), 0);
  const Integer widths[] = {20, 22, 23, 25, 27};
  for (Integer c = 0; c < 5; ++c) EXPECT_EQ(copy.GetColWidths(c), widths[c]) << c;
}

TEST_F(NeoStringGridDims, TopAndCurrentRowInDisplayRows) {
  Fill(4, 20);
  G.SetFixedRows(1);
  G.SetTopRowEx(0);
  EXPECT_EQ(G.GetTopRowEx(), 1);
  G.SetTopRowEx(20);
  EXPECT_EQ(G.GetTopRowEx(), 1);
  G.SetTopRowEx(5);
  EXPECT_EQ(G.GetTopRowEx(), 5);

  std::vector<std::pair<Integer, Integer>> updates;
  G.OnRowUpdate = [&](TObject*, Integer OldRow, Integer NewRow) { updates.emplace_back(OldRow, NewRow); };
  G.SetRowEx(0);   // raised to the first normal row
  EXPECT_EQ(G.GetRowEx(), 1);
  G.SetRowEx(7);
  G.SetRowEx(7);
  EXPECT_EQ(G.GetRealRow(), 7);
  EXPECT_EQ(updates, (std::vector<std::pair<Integer, Integer>>{{-1, 1}, {1, 7}}));

  // A synchronised grid follows without its click handler.
  TNeoStringGrid partner(nullptr);
  partner.SetRowCount(20);
  int clicks = 0;
  partner.OnClick = [&](TObject*) { ++clicks; };
  G.GetSyncGrid()->SetGrid(&partner);
  G.GetSyncGrid()->SetSelectionRow(true);
  G.SetRowEx(9);
  EXPECT_EQ(partner.GetRowEx(), 9);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(static_cast<bool>(partner.OnClick));
  G.GetSyncGrid()->SetGrid(nullptr);
}

TEST_F(NeoStringGridDims, AParkedSelectionComesBackOrFallsToTheFirstNormalCell) {
  Fill(6, 10);
  G.SetSelection(TGridRect{2, 3, 4, 5});
  G.HideSelection();
  EXPECT_TRUE(G.IsSelectionHidden());
  EXPECT_EQ(G.GetSelection().Left, 6);
  EXPECT_EQ(G.GetSelection().Bottom, 10);
  G.UnHideSelection();
  EXPECT_FALSE(G.IsSelectionHidden());
  TGridRect s = G.GetSelection();
  EXPECT_EQ((std::vector<Integer>{s.Left, s.Top, s.Right, s.Bottom}), (std::vector<Integer>{2, 3, 4, 5}));

  // The grid shrank in between: the first normal cell.
  G.HideSelection();
  G.SetRowCount(3);
  G.UnHideSelection();
  s = G.GetSelection();
  EXPECT_EQ((std::vector<Integer>{s.Left, s.Top, s.Right, s.Bottom}), (std::vector<Integer>{1, 1, 1, 1}));

  // FocusCell ends a parked selection too.
  G.HideSelection();
  G.FocusCell(3, 2);
  EXPECT_FALSE(G.IsSelectionHidden());
  EXPECT_EQ(G.GetCol(), 3);
  EXPECT_EQ(G.GetRow(), 2);
}

// ---------------------------------------------------------------------------------------------
// Relays: cell buttons, hints, expanders, the old value, new cells' defaults
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridDims, CellButtonRelays) {
  Fill(5, 5);
  // No handler and no always-visible buttons: never.
  EXPECT_FALSE(G.DoHasComboBox(2, 2, edComboList));
  EXPECT_FALSE(G.DoHasEditBtn(2, 2, edEditBtn));
  EXPECT_FALSE(G.DoHasSpinEdit(2, 2, edSpinEdit));

  G.ButtonsAlways = true;
  struct Case {
    TEditorType Kind;
    bool Combo, Btn, Spin;
  };
  for (Case c : {Case{edComboList, true, false, false}, Case{edNeoGridDropDown, true, false, false},
                 Case{edEditBtn, false, true, false}, Case{edFloatSpinEdit, false, false, true},
                 Case{edNormal, false, false, false}}) {
    EXPECT_EQ(G.DoHasComboBox(2, 2, c.Kind), c.Combo) << c.Kind;
    EXPECT_EQ(G.DoHasEditBtn(2, 2, c.Kind), c.Btn) << c.Kind;
    EXPECT_EQ(G.DoHasSpinEdit(2, 2, c.Kind), c.Spin) << c.Kind;
  }
  // Fixed cells never show a spin button.
  EXPECT_FALSE(G.DoHasSpinEdit(0, 2, edSpinEdit));
  // edNone asks the editor-kind relay, starting from DefaultEditor.
  std::vector<TEditorType> seen;
  G.OnGetEditorType = [&](TObject*, Integer, Integer, TEditorType& AEditor) {
    seen.push_back(AEditor);
    AEditor = edDateSpinEdit;
  };
  EXPECT_TRUE(G.DoHasSpinEdit(2, 2, edNone));
  EXPECT_FALSE(G.DoHasComboBox(2, 2, edNone));
  EXPECT_EQ(seen, (std::vector<TEditorType>{edNormal, edNormal}));

  // A handler decides alone, (ACol, ARow).
  std::pair<Integer, Integer> at;
  G.OnHasComboBox = [&](TObject*, Integer ACol, Integer ARow, bool& Value) {
    at = {ACol, ARow};
    EXPECT_FALSE(Value);
    Value = true;
  };
  EXPECT_TRUE(G.DoHasComboBox(3, 4, edNormal));
  EXPECT_EQ(at, std::make_pair(3, 4));
  EXPECT_FALSE(G.DoHasFilterEdit(2, 0));
}

TEST_F(NeoStringGridDims, HintExpanderAndOldValueRelays) {
  Fill(5, 5);
  String hint = u"h", wide;
  G.DoGridHint(2, 3, hint, wide);
  EXPECT_EQ(hint, u"h");
  EXPECT_TRUE(G.GetOfficeHint()->IsEmpty());

  std::vector<String> order;
  G.OnGridHint = [&](TObject*, Integer ARow, Integer ACol, String& Value) {
    order.push_back(u"hint " + IntToStr(ARow) + u"," + IntToStr(ACol));
    Value = u"Notes";
  };
  G.OnGridWideHint = [&](TObject*, Integer, Integer, String& Value) {
    order.push_back(u"wide");
    Value = u"Breit";
  };
  G.OnOfficeHint = [&](TObject*, Integer ACol, Integer ARow, TNeoHintInfo* Info) {
    order.push_back(u"office " + IntToStr(ACol) + u"," + IntToStr(ARow) + u" " + Info->GetNotes()->GetText());
  };
  G.DoGridHint(2, 3, hint, wide);
  EXPECT_EQ(hint, u"Breit");
  ASSERT_EQ(order.size(), 3u);
  EXPECT_EQ(order[0], u"hint 3,2");
  EXPECT_EQ(order[1], u"wide");
  EXPECT_EQ(order[2].substr(0, 15), u"office 2,3 Note");

  // The expander: the event, then the row's height from the expand height.
  bool sawExpanded = false;
  G.OnExpandClick = [&](TObject*, Integer, Integer, bool Expanded) { sawExpanded = Expanded; };
  G.DoExpandClick(1, 2, true);
  EXPECT_TRUE(sawExpanded);
  EXPECT_EQ(G.GetRowHeights(2), 60);
  EXPECT_EQ(G.Calls.back(), std::make_pair(String(u"GetExpandHeight+"), 102));

  // The old value is read through the real column.
  G.HideColumn(1);
  G.StoreOldCellValue(1, 3);
  EXPECT_EQ(G.GetOldCellText(), u"2:3");
  EXPECT_EQ(G.GetOldCol(), 1);
  EXPECT_EQ(G.GetOldRow(), 3);

  // Button relays of the current cell.
  G.FocusCell(3, 4);
  std::vector<Integer> got;
  G.OnButtonClick = [&](TObject*, Integer ACol, Integer ARow) { got = {ACol, ARow}; };
  G.DoCurrentButtonClick();
  EXPECT_EQ(got, (std::vector<Integer>{3, 4}));
  G.OnDropDownFooterButtonClick = [&](TObject*, Integer ACol, Integer ARow, Integer Index) { got = {ACol, ARow, Index}; };
  G.DoDropDownFooterButtonClick(2);
  EXPECT_EQ(got, (std::vector<Integer>{3, 4, 2}));
}

TEST_F(NeoStringGridDims, NewFixedAndBandedCellsStoreNoColour) {
  Fill(4, 4);
  G.SetColor(0x123456);
  EXPECT_EQ(G.GetCellProperties(2, 2)->GetBrushColor(), TColor(0x123456));
  EXPECT_EQ(G.GetCellProperties(0, 2)->GetBrushColor(), clNone);
  G.GetBands()->SetActive(true);
  EXPECT_EQ(G.GetCellProperties(3, 3)->GetBrushColor(), clNone);
  G.GetBands()->SetActive(false);
  // A gradient background leaves new cells without a colour too (the current cell (1, 1) is left out).
  struct Case {
    TBackGroundDisplay Display;
    Integer Col, Row;
    TColor Color;
  };
  const Case cases[] = {{bdTile, 2, 1, 0x123456}, {bdGradientHorz, 3, 1, clNone}, {bdGradientVert, 1, 2, clNone},
                        {bdFixed, 3, 2, 0x123456}};
  for (const Case& c : cases) {
    G.GetBackGround()->SetDisplay(c.Display);
    EXPECT_EQ(G.GetCellProperties(c.Col, c.Row)->GetBrushColor(), c.Color) << c.Display;
  }
}

}  // namespace
