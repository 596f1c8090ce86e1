// The grid's event relays: the handler sees the grid's default, its change comes back, no event
// without a handler; the parameter order of each event; the relays with logic of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "lib/grid/core/NeoGridLookSettings.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

// Scripts the node rows of the data folder and records the row operations the relays call.
class TRelayProbe : public TNeoStringGrid {
public:
  explicit TRelayProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  void DeleteRowRange(Integer RowIndex, Integer RCount) override { Calls.push_back({u"DeleteRowRange", RowIndex, RCount}); }
  void ClearRows(Integer RowIndex, Integer RCount) override {
    Calls.push_back({u"ClearRows", RowIndex, RCount});
    TNeoStringGrid::ClearRows(RowIndex, RCount);
  }
  void InsertRows(Integer RowIndex, Integer RCount) override { Calls.push_back({u"InsertRows", RowIndex, RCount}); }
  bool HasNodes() override { return !NodeRows.empty(); }
  bool IsNode(Integer ARow) override { return std::find(NodeRows.begin(), NodeRows.end(), ARow) != NodeRows.end(); }
  bool IsSummary(Integer ARow) override { return std::find(SummaryRows.begin(), SummaryRows.end(), ARow) != SummaryRows.end(); }
  // A node row is its own parent; rows below it belong to it.
  Integer GetParentRow(Integer ARow) override {
    Calls.push_back({u"GetParentRow", ARow, 0});
    Integer parent = -1;
    for (Integer n : NodeRows)
      if (n <= ARow) parent = n;
    return parent;
  }
  void InsertNormalRow(Integer ARow) override { Calls.push_back({u"InsertNormalRow", ARow, 0}); }
  void InsertChildRow(Integer ARow, Integer InsertAt) override { Calls.push_back({u"InsertChildRow", ARow, InsertAt}); }
  void RemoveNormalRow(Integer ARow) override { Calls.push_back({u"RemoveNormalRow", ARow, 0}); }
  void RemoveChildRow(Integer ARow) override { Calls.push_back({u"RemoveChildRow", ARow, 0}); }
  struct Call {
    String Name;
    Integer Index, Count;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> Calls;
  std::vector<Integer> NodeRows;
  std::vector<Integer> SummaryRows;
};

class NeoStringGridRelays : public ::testing::Test {
protected:
  TRelayProbe G{nullptr};
};

TEST_F(NeoStringGridRelays, HandlerSeesTheDefaultAndItsChangeReturns) {
  // Check texts.
  String v;
  G.DoGetCheckTrue(2, 3, v);
  EXPECT_EQ(v, u"Y");
  std::pair<Integer, Integer> at;
  G.OnGetCheckTrue = [&](TObject* Sender, Integer ACol, Integer ARow, String& Value) {
    EXPECT_EQ(Sender, &G);
    at = {ACol, ARow};
    EXPECT_EQ(Value, u"Y");
    Value = u"ja";
  };
  G.DoGetCheckTrue(2, 3, v);
  EXPECT_EQ(v, u"ja");
  EXPECT_EQ(at, std::make_pair(2, 3));
  G.DoGetCheckFalse(2, 3, v);
  EXPECT_EQ(v, u"N");

  // Alignment: (ARow, ACol) in the event; column 0 centred with HotmailRowSelect.
  TAlignment h = taLeftJustify;
  TVAlignment va = vtaTop;
  G.GetMouseActions()->SetHotmailRowSelect(true);
  G.DoGetAlignment(0, 5, h, va);
  EXPECT_EQ(h, taCenter);
  G.OnGetAlignment = [&](TObject*, Integer ARow, Integer ACol, TAlignment& HAlign, TVAlignment& VAlign) {
    at = {ARow, ACol};
    EXPECT_EQ(HAlign, taCenter);
    VAlign = vtaBottom;
  };
  G.DoGetAlignment(0, 5, h, va);
  EXPECT_EQ(at, std::make_pair(5, 0));
  EXPECT_EQ(va, vtaBottom);

  // Before edit: True by default, (ARow, ACol).
  EXPECT_TRUE(G.DoBeforeEdit(1, 2));
  G.OnBeforeEdit = [&](TObject*, Integer ARow, Integer ACol, bool& Allow) {
    at = {ARow, ACol};
    EXPECT_TRUE(Allow);
    Allow = false;
  };
  EXPECT_FALSE(G.DoBeforeEdit(1, 2));
  EXPECT_EQ(at, std::make_pair(2, 1));

  // Search text and ellipsis: a copy goes to the handler, the result comes back.
  EXPECT_EQ(G.DoSearchFooterSearch(u"abc"), u"abc");
  G.OnSearchFooterSearch = [](TObject*, String& Value) { Value += u"*"; };
  EXPECT_EQ(G.DoSearchFooterSearch(u"abc"), u"abc*");
  EXPECT_EQ(G.DoEllipsClick(u"x"), u"x");
  G.OnEllipsClick = [](TObject*, Integer, Integer, String& Value) { Value = u"picked"; };
  EXPECT_EQ(G.DoEllipsClick(u"x"), u"picked");

  // Loading a cell: the handler's change is what is stored.
  G.DoLoadCell(1, 1, u"raw");
  EXPECT_EQ(G.GetCells(1, 1), u"raw");
  G.OnLoadCell = [](TObject*, Integer, Integer, String& Value) { Value = u"[" + Value + u"]"; };
  G.DoLoadCell(1, 1, u"raw");
  EXPECT_EQ(G.GetCells(1, 1), u"[raw]");

  // Editor kind on show: False without a handler; with one it starts at edNormal.
  TEditorType kind = edSpinEdit;
  EXPECT_FALSE(G.DoGetEditorTypeOnShow(1, 1, kind));
  EXPECT_EQ(kind, edSpinEdit);
  G.OnGetEditorType = [](TObject*, Integer, Integer, TEditorType& AEditor) {
    EXPECT_EQ(AEditor, edNormal);
    AEditor = edNone;
  };
  EXPECT_TRUE(G.DoGetEditorTypeOnShow(1, 1, kind));
}

TEST_F(NeoStringGridRelays, FixedEditReturnsTheKindTheHandlerChose) {
  TStringList values;
  EXPECT_EQ(G.DoFixedEdit(1, 0, fceEdit, &values), fceEdit);
  G.OnFixedEdit = [](TObject*, Integer, Integer, TGridFixedCellEditor& AEditor, TStrings* Values) {
    AEditor = fceComboList;
    Values->Add(u"a");
  };
  EXPECT_EQ(G.DoFixedEdit(1, 0, fceEdit, &values), fceComboList);
  EXPECT_EQ(values.GetCount(), 1);
}

TEST_F(NeoStringGridRelays, IsFixedCellRules) {
  G.SetColCount(5);
  G.SetRowCount(5);
  int fired = 0;
  G.OnIsFixedCell = [&](TObject*, Integer ARow, Integer ACol, bool& IsFixed) {
    ++fired;
    IsFixed = ARow == 3 && ACol == 3;
  };
  struct Case {
    Integer Col, Row;
    bool Fixed;
    int Fired;
  };
  const Case cases[] = {{0, 2, true, 0}, {2, 0, true, 0}, {2, 2, false, 1}, {3, 3, true, 1}};
  for (const Case& c : cases) {
    fired = 0;
    bool f = false;
    G.DoIsFixedCell(c.Col, c.Row, f);
    EXPECT_EQ(f, c.Fixed) << c.Col << "," << c.Row;
    EXPECT_EQ(fired, c.Fired) << c.Col << "," << c.Row;
  }
  // FixedRowAlways with the requested minimum of 1 on a grid of one row: rows 0 and 1 are fixed.
  G.OnIsFixedCell = nullptr;
  TRelayProbe one(nullptr);
  one.SetFixedRowAlways(true);
  one.SetFixedCols(0);
  one.SetRowCount(1);
  one.SetFixedRows(1);   // kept at 0 below the single row; 1 is remembered
  EXPECT_EQ(one.TCustomGrid::GetFixedRows(), 0);
  EXPECT_EQ(one.GetFixedRowsMin(), 1);
  for (Integer row : {0, 1}) {
    bool f = false;
    one.DoIsFixedCell(2, row, f);
    EXPECT_TRUE(f) << row;
  }
  one.SetRowCount(2);
  bool f = false;
  one.DoIsFixedCell(2, 1, f);
  EXPECT_FALSE(f);
}

TEST_F(NeoStringGridRelays, CanEditCellAsksAboutTheBaseCellAndLeavesOutsideCellsAlone) {
  G.SetColCount(5);
  G.SetRowCount(5);
  G.SetOptions(G.GetOptions() + goEditing);
  G.MergeCells(1, 1, 2, 2);
  std::vector<std::pair<Integer, Integer>> asked;
  G.OnCanEditCell = [&](TObject*, Integer ARow, Integer ACol, bool& CanEdit) {
    asked.push_back({ARow, ACol});
    (void)CanEdit;
  };
  bool can = true;
  G.CanEditCell(2, 2, can);   // inside the block: the base cell (1, 1) is asked
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], std::make_pair(1, 1));
  EXPECT_TRUE(can);
  G.GetCellProperties(3, 3)->SetReadOnly(true);
  G.CanEditCell(3, 3, can);
  EXPECT_FALSE(can);
  can = true;
  G.SetOptions(G.GetOptions() - goEditing);
  G.CanEditCell(1, 1, can);   // not editing: a cell with properties refuses
  EXPECT_FALSE(can);
  asked.clear();
  for (bool entry : {false, true}) {   // outside the grid: unchanged, no event
    can = entry;
    G.CanEditCell(7, 1, can);
    EXPECT_EQ(can, entry);
  }
  EXPECT_TRUE(asked.empty());
}

TEST_F(NeoStringGridRelays, AutoDeleteRowRemovesOrClearsTheLastDataRow) {
  G.SetColCount(3);
  G.SetRowCount(3);
  std::vector<Integer> deleted;
  G.OnAutoDeleteRow = [&](TObject*, Integer ARow) { deleted.push_back(ARow); };
  G.DoAutoDeleteRow(1);
  ASSERT_EQ(G.Calls.size(), 1u);
  EXPECT_EQ(G.Calls[0].Name, u"DeleteRowRange");
  EXPECT_EQ(G.Calls[0].Index, 1);
  EXPECT_EQ(G.Calls[0].Count, 1);
  G.Calls.clear();
  G.SetRowCount(2);   // one data row left: it is only cleared
  G.SetCells(1, 1, u"keep?");
  G.DoAutoDeleteRow(1);
  ASSERT_EQ(G.Calls.size(), 1u);
  EXPECT_EQ(G.Calls[0].Name, u"ClearRows");
  EXPECT_EQ(G.GetCells(1, 1), u"");
  EXPECT_EQ(G.GetRowCount(), 2);
  EXPECT_EQ(deleted, (std::vector<Integer>{1, 1}));
  // A footer row does not count as data: with one, the grid of 3 rows has one data row left.
  G.Calls.clear();
  G.SetRowCount(3);
  G.SetFixedFooters(1);
  G.DoAutoDeleteRow(1);
  ASSERT_EQ(G.Calls.size(), 1u);
  EXPECT_EQ(G.Calls[0].Name, u"ClearRows");
  G.Calls.clear();
  G.DoAutoInsertRow(1);
  ASSERT_EQ(G.Calls.size(), 1u);
  EXPECT_EQ(G.Calls[0].Name, u"InsertRows");
}

TEST_F(NeoStringGridRelays, AutoInsertAndDeleteBesideNodesAskForTheParentNode) {
  G.SetColCount(3);
  G.SetRowCount(8);
  G.NodeRows = {4};
  std::vector<Integer> deleted;
  G.OnAutoDeleteRow = [&](TObject*, Integer ARow) { deleted.push_back(ARow); };
  using C = TRelayProbe::Call;
  G.DoAutoInsertRow(2);   // above the node: a normal row
  G.DoAutoInsertRow(6);   // inside the node's block: a child row
  G.DoAutoDeleteRow(3);
  G.DoAutoDeleteRow(5);
  EXPECT_EQ(G.Calls, (std::vector<C>{{u"GetParentRow", 2, 0}, {u"InsertNormalRow", 2, 0}, {u"GetParentRow", 6, 0},
                                     {u"InsertChildRow", 6, 0}, {u"GetParentRow", 3, 0}, {u"RemoveNormalRow", 3, 0},
                                     {u"GetParentRow", 5, 0}, {u"RemoveChildRow", 5, 0}}));
  EXPECT_EQ(deleted, (std::vector<Integer>{3, 5}));
}

TEST_F(NeoStringGridRelays, CellBorderUnderlinesGroupHeadersAndOverlinesSummaries) {
  G.SetColCount(4);
  G.SetRowCount(8);
  G.NodeRows = {2, 5};
  G.SummaryRows = {4, 5};
  TGrouping* grouping = G.GetGrouping();
  grouping->SetHeaderLineColor(0x112233);
  grouping->SetHeaderLineWidth(3);
  grouping->SetSummaryLineColor(0x445566);
  grouping->SetSummaryLineWidth(4);
  struct Case {
    bool Underline, SummaryLine;
    Integer Col, Row;
    TCellBorders Borders;
    TColor Color;
    Integer Width;
  };
  const TCellBorders start{cbLeft};
  const Case cases[] = {
      {false, false, 1, 2, start, 0, 1},                // lines off: untouched
      {true, true, 0, 2, start, 0, 1},                  // never the first column
      {true, false, 1, 2, TCellBorders{cbBottom}, 0x112233, 3},
      {true, false, 1, 3, start, 0, 1},                 // a plain row
      {false, true, 2, 4, TCellBorders{cbTop}, 0x445566, 4},
      {true, false, 2, 4, start, 0, 1},                 // a summary row is no header
      {true, true, 3, 5, TCellBorders{cbTop}, 0x445566, 4},   // both: the summary line wins
  };
  for (const Case& c : cases) {
    grouping->SetHeaderUnderline(c.Underline);
    grouping->SetSummaryLine(c.SummaryLine);
    TPen pen;
    pen.SetColor(0);
    pen.SetWidth(1);
    TCellBorders borders = start;
    G.DoGetCellBorder(c.Col, c.Row, &pen, borders);
    EXPECT_EQ(borders, c.Borders) << c.Col << "," << c.Row;
    EXPECT_EQ(pen.GetColor(), c.Color) << c.Col << "," << c.Row;
    EXPECT_EQ(pen.GetWidth(), c.Width) << c.Col << "," << c.Row;
  }
  // The event sees the grouping's line, (ARow, ACol), and has the last word.
  std::pair<Integer, Integer> at;
  G.OnGetCellBorder = [&](TObject*, Integer ARow, Integer ACol, TPen* APen, TCellBorders& Borders) {
    at = {ARow, ACol};
    EXPECT_EQ(Borders, TCellBorders{cbTop});
    EXPECT_EQ(APen->GetWidth(), 4);
    Borders = TCellBorders{cbRight};
  };
  TPen pen;
  TCellBorders borders;
  G.DoGetCellBorder(1, 4, &pen, borders);
  EXPECT_EQ(at, std::make_pair(4, 1));
  EXPECT_EQ(borders, TCellBorders{cbRight});
}

TEST_F(NeoStringGridRelays, UnitChangeReportsTheCurrentCell) {
  G.SetColCount(5);
  G.SetRowCount(5);
  G.DoUnitChanged(nullptr, u"kg");   // no handler: nothing
  G.FocusCell(3, 2);
  std::vector<String> seen;
  G.OnUnitChanged = [&](TObject* Sender, Integer ACol, Integer ARow, const String& NewUnit) {
    EXPECT_EQ(Sender, &G);
    seen.push_back(IntToStr(ACol) + u"," + IntToStr(ARow) + u" " + NewUnit);
  };
  TButton button(nullptr);
  G.DoUnitChanged(&button, u"mm");
  EXPECT_EQ(seen, (std::vector<String>{u"3,2 mm"}));
}

TEST_F(NeoStringGridRelays, CellColorTakesPropertiesAndActiveHeaders) {
  G.SetColCount(5);
  G.SetRowCount(5);
  TBrush brush;
  TFont font;
  brush.SetColor(clWindow);
  TCellProperties* p = G.GetCellProperties(2, 2);
  p->SetBrushColor(0x00FF00);
  p->SetFontColor(0x0000FF);
  p->SetFontName(u"Arial");
  G.DoGetCellColor(2, 2, TGridDrawState{}, &brush, &font);
  EXPECT_EQ(brush.GetColor(), TColor(0x00FF00));
  EXPECT_EQ(font.GetColor(), TColor(0x0000FF));
  EXPECT_EQ(font.GetName(), u"Arial");

  // The last fixed column of the current row gets the active-cell look.
  G.SetActiveCellShow(true);
  G.SetRow(3);
  TBrush b2;
  TFont f2;
  G.DoGetCellColor(0, 3, TGridDrawState{}, &b2, &f2);
  EXPECT_EQ(b2.GetColor(), TColor(0x808080));
  EXPECT_TRUE(f2.GetStyle().Contains(fsBold));
  std::pair<Integer, Integer> at;
  G.OnGetCellColor = [&](TObject*, Integer ARow, Integer ACol, TGridDrawState, TBrush* ABrush, TFont*) {
    at = {ARow, ACol};
    ABrush->SetColor(0x123456);
  };
  G.DoGetCellColor(4, 1, TGridDrawState{}, &b2, &f2);
  EXPECT_EQ(at, std::make_pair(1, 4));
  EXPECT_EQ(b2.GetColor(), TColor(0x123456));
}

TEST_F(NeoStringGridRelays, CellFontIsOneScratchFont) {
  G.SetColCount(5);
  G.SetRowCount(5);
  EXPECT_EQ(G.GetCellFont(1, 1), G.GetFont());
  G.GetCellProperties(1, 1)->SetFontName(u"Arial");
  G.GetCellProperties(2, 2)->SetFontName(u"Courier New");
  TFont* a = G.GetCellFont(1, 1);
  TFont* b = G.GetCellFont(2, 2);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a->GetName(), u"Courier New");
  TFont base;
  G.GetCellBaseFont(&base, true, false);
  EXPECT_EQ(base.GetName(), u"Tahoma");
  EXPECT_TRUE(base.GetStyle().Contains(fsBold));
}

// ---------------------------------------------------------------------------------------------
// Relays that reach the grid's editors
// ---------------------------------------------------------------------------------------------
// The combo editor the editing folder makes, here a plain combo box on the form.
class TComboProbe : public TNeoStringGrid {
public:
  explicit TComboProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  TCustomComboBox* GetEditCombo() override { return Combo; }
  TCustomComboBox* Combo = nullptr;
};

class NeoStringGridEditorRelays : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    Grid = Add<TComboProbe>(Form, 0, 0, 400, 250);
    Grid->SetColCount(5);
    Grid->SetRowCount(6);
    Form->Show();
    Pump();
  }
  TForm* Form = nullptr;
  TComboProbe* Grid = nullptr;
};

TEST_F(NeoStringGridEditorRelays, ComboDropDownFitsTheSelectionFieldToTheCell) {
  std::vector<std::pair<Integer, Integer>> at;
  std::vector<Integer> heights;   // the combo's height when the event fires
  Grid->OnComboDropDown = [&](TObject*, Integer ARow, Integer ACol) {
    at.push_back({ARow, ACol});
    heights.push_back(Grid->Combo ? Grid->Combo->GetHeight() : 0);
  };
  Grid->DoComboDropDown(2, 1);   // no combo editor yet: only the event
  auto* combo = Add<TComboBox>(Form, 10, 260, 100, 21);
  combo->HandleNeeded();
  Grid->Combo = combo;
  Grid->SetRowHeights(2, 40);
  Grid->DoComboDropDown(2, 3);
  EXPECT_EQ(SendMessage(combo->GetHandle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 34);
  // A merged cell gives the height of its whole block.
  Grid->MergeCells(1, 3, 1, 2);
  Grid->DoComboDropDown(3, 1);
  EXPECT_EQ(at, (std::vector<std::pair<Integer, Integer>>{{2, 1}, {2, 3}, {3, 1}}));
  EXPECT_EQ(heights, (std::vector<Integer>{0, 40, Grid->GetRowHeights(3) + Grid->GetRowHeights(4)}));
}

TEST_F(NeoStringGridEditorRelays, MaxEditLengthLimitsTheInplaceEditor) {
  Grid->SetOptions(Grid->GetOptions() + goEditing);
  Grid->SetMaxEditLength(5);   // no editor yet: only stored
  Grid->SetFocus();
  Grid->FocusCell(1, 1);
  Grid->ShowInplaceEdit();
  TInplaceEdit* editor = Grid->GetInplaceEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->GetMaxLength(), 5);
  Grid->SetMaxEditLength(3);   // the open editor follows
  EXPECT_EQ(editor->GetMaxLength(), 3);
  Grid->SetMaxEditLength(0);
  EXPECT_EQ(editor->GetMaxLength(), 0);
}

}  // namespace
