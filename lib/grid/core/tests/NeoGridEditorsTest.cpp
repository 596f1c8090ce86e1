// The grid's small editors and option objects, headless through the message queue: hover-button
// change marking and Assign, drag-scroll options, the fixed-cell edit and combo (validation,
// balloons, filter row, merged cells, placement), the rich edit's offsets and row growth, and the
// grid unit's finalization.
#include <algorithm>
#include <utility>
#include <vector>

#include "lib/grid/core/NeoGridCompanions.h"
#include "lib/grid/core/NeoGridEditors.h"
#include "lib/grid/core/NeoHTMLHintWindow.h"
#include "lib/grid/core/NeoHoverButtons.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/RichEdit.h"
#include "platform/win/WinUser.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Hover buttons and drag-scroll options
// ---------------------------------------------------------------------------------------------
TEST(HoverButtons, OnlyRealChangesMarkTheStripForRebuilding) {
  THoverButtons hb(nullptr);
  THoverButtonsCollection* list = hb.GetButtons();
  THoverButtonsCollectionItem* item = list->Add();
  EXPECT_TRUE(list->GetUpdated()) << "adding a button marks the strip";
  item->SetCaption(u"Save");
  item->SetHint(u"Saves");
  item->SetImageIndex(3);
  struct Step {
    const char* Name;
    std::function<void()> Change;
    bool Marks;
  };
  const std::vector<Step> steps = {
      {"same caption", [&] { item->SetCaption(u"Save"); }, false},
      {"other caption", [&] { item->SetCaption(u"Load"); }, true},
      {"same hint", [&] { item->SetHint(u"Saves"); }, false},
      {"other hint", [&] { item->SetHint(u"Loads"); }, true},
      {"same enabled", [&] { item->SetEnabled(true); }, false},
      {"other enabled", [&] { item->SetEnabled(false); }, true},
      {"same flat", [&] { item->SetFlat(false); }, false},
      {"other flat", [&] { item->SetFlat(true); }, true},
      {"same image index", [&] { item->SetImageIndex(3); }, false},
      {"other image index", [&] { item->SetImageIndex(4); }, true},
      {"picture, always", [&] { item->SetPicture(item->GetPicture()); }, true},
      {"tag", [&] { item->SetTag(9); }, false},
      {"width", [&] { item->SetWidth(40); }, false},
      {"another button", [&] { list->Add(); }, true},
      {"a button removed", [&] { list->Delete(1); }, true},
  };
  for (const Step& s : steps) {
    list->SetUpdated(false);
    s.Change();
    EXPECT_EQ(list->GetUpdated(), s.Marks) << s.Name;
  }
  EXPECT_EQ(list->GetOwner(), &hb);
}

TEST(HoverButtons, AssignCopiesTheListButNotTheImageIndexes) {
  THoverButtons from(nullptr), to(nullptr);
  from.SetEnabled(true);
  from.SetColumn(2);
  from.SetPosition(hbRightFromColumnRight);
  from.SetRows(hrAll);
  from.SetMoveActiveRow(false);
  for (int i = 0; i < 3; ++i) {
    THoverButtonsCollectionItem* b = from.GetButtons()->Add();
    b->SetCaption(u"B" + IntToStr(i));
    b->SetHint(u"H" + IntToStr(i));
    b->SetImageIndex(i + 1);
    b->SetTag(10 + i);
    b->SetWidth(30 + i);
    b->SetFlat(i == 1);
    b->SetEnabled(i != 2);
  }
  to.Assign(&from);
  EXPECT_TRUE(to.GetEnabled());
  EXPECT_EQ(to.GetColumn(), 2);
  EXPECT_EQ(to.GetPosition(), hbRightFromColumnRight);
  EXPECT_EQ(to.GetRows(), hrAll);
  EXPECT_FALSE(to.GetMoveActiveRow());
  ASSERT_EQ(to.GetButtons()->GetCount(), 3);
  for (int i = 0; i < 3; ++i) {
    THoverButtonsCollectionItem* b = to.GetButtons()->GetItems(i);
    EXPECT_EQ(b->GetCaption(), u"B" + IntToStr(i));
    EXPECT_EQ(b->GetHint(), u"H" + IntToStr(i));
    EXPECT_EQ(b->GetTag(), 10 + i);
    EXPECT_EQ(b->GetWidth(), 30 + i);
    EXPECT_EQ(b->GetFlat(), i == 1);
    EXPECT_EQ(b->GetEnabled(), i != 2);
    EXPECT_EQ(b->GetImageIndex(), -1);
  }
  TDragScrollOptions other;
  to.Assign(&other);   // another class: nothing changes, nothing raised
  EXPECT_EQ(to.GetButtons()->GetCount(), 3);
}

TEST(DragScrollOptions, DefaultsAndAssign) {
  TDragScrollOptions a, b;
  EXPECT_FALSE(a.GetActive());
  EXPECT_EQ(a.GetDelays()->GetInitialDelay(), 1000);
  EXPECT_EQ(a.GetDelays()->GetRepeatDelay(), 250);
  for (Integer m : {a.GetMargins()->GetTopMargin(), a.GetMargins()->GetBottomMargin(), a.GetMargins()->GetLeftMargin(),
                    a.GetMargins()->GetRightMargin()})
    EXPECT_EQ(m, 50);
  b.SetActive(true);
  b.GetDelays()->SetInitialDelay(500);
  b.GetDelays()->SetRepeatDelay(100);
  b.GetMargins()->SetTopMargin(1);
  b.GetMargins()->SetBottomMargin(2);
  b.GetMargins()->SetLeftMargin(3);
  b.GetMargins()->SetRightMargin(4);
  a.Assign(&b);
  EXPECT_TRUE(a.GetActive());
  EXPECT_EQ(a.GetDelays()->GetInitialDelay(), 500);
  EXPECT_EQ(a.GetDelays()->GetRepeatDelay(), 100);
  EXPECT_EQ(a.GetMargins()->GetTopMargin(), 1);
  EXPECT_EQ(a.GetMargins()->GetBottomMargin(), 2);
  EXPECT_EQ(a.GetMargins()->GetLeftMargin(), 3);
  EXPECT_EQ(a.GetMargins()->GetRightMargin(), 4);
  TDragScrollMargins margins;
  a.Assign(&margins);   // another class is ignored
  EXPECT_TRUE(a.GetActive());
}

// ---------------------------------------------------------------------------------------------
// Fixed-cell editors
// ---------------------------------------------------------------------------------------------
class TEditorGrid : public TNeoStringGrid {
public:
  using TNeoStringGrid::TNeoStringGrid;
  void ApplyFilterEdit(Integer ACol) override {
    Filtered.push_back({ACol, GetCells(ACol, GetFixedRowEdit())});
  }
  std::vector<std::pair<Integer, String>> Filtered;
};

struct TBalloon {
  String Title, Text;
  int Icon;
};

// Records the balloons a control is asked to show.
void RecordBalloons(TControl* C, std::vector<TBalloon>& Log) {
  auto inner = C->WindowProc;
  C->WindowProc = [inner, &Log](TMessage& M) {
    if (M.Msg == EM_SHOWBALLOONTIP) {
      auto* tip = reinterpret_cast<const EDITBALLOONTIP*>(M.LParam);
      Log.push_back({tip->pszTitle, tip->pszText, tip->ttiIcon});
    }
    inner(M);
  };
}

class GridEditorsTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    G = Add<TEditorGrid>(Form, 0, 0, 400, 260);
    G->SetColCount(5);
    G->SetRowCount(10);
    G->SetFixedRows(2);
    G->SetCells(2, 0, u"Head");
    Form->Show();
    Pump();
  }
  TForm* Form = nullptr;
  TEditorGrid* G = nullptr;
};

TEST_F(GridEditorsTest, EditorKindAndPlacementFollowTheCell) {
  G->GetMouseActions()->SetFixedRowsEditor(fceComboList);
  G->GetMouseActions()->SetFixedColsEditor(fceEdit);
  G->GetMouseActions()->GetFixedComboValues()->SetText(u"Alpha\r\nHead\r\nGamma");
  struct Case {
    Integer Col, Row;
    bool Filter;
    bool Combo;
  };
  for (const Case& c : {Case{0, 3, false, false}, Case{2, 0, false, true}, Case{2, 1, true, false}}) {
    SCOPED_TRACE(::testing::Message() << c.Col << "," << c.Row << (c.Filter ? " filter" : ""));
    G->StartFixedCellEdit(c.Col, c.Row, c.Filter);
    TRect r = G->CellRect(c.Col, c.Row);
    r.left += 1 + (c.Filter ? 19 : 0);
    r.top += 3;
    r.right -= 1;
    r.bottom -= 1;
    EXPECT_EQ(G->GetFixedColEdit(), c.Col);
    EXPECT_EQ(G->GetFixedRowEdit(), c.Row);
    if (c.Combo) {
      TGridTransCombo* combo = G->GetComboTrans();
      EXPECT_TRUE(combo->GetVisible());
      EXPECT_FALSE(G->GetEditTrans()->GetVisible());
      EXPECT_EQ(combo->GetLeft(), r.left - 1);
      EXPECT_EQ(combo->GetTop(), r.top - 1);
      EXPECT_EQ(combo->GetWidth(), r.right - r.left + 1);
      EXPECT_EQ(combo->GetStyle(), csDropDownList);
      EXPECT_EQ(combo->GetItemIndex(), 1) << "the cell's text is selected";
    } else {
      TGridTransEdit* edit = G->GetEditTrans();
      EXPECT_TRUE(edit->GetVisible());
      EXPECT_EQ(edit->GetBoundsRect(), r);
      EXPECT_EQ(edit->GetFilterEdit(), c.Filter);
      EXPECT_EQ(edit->GetText(), G->GetCells(c.Col, c.Row));
    }
    G->StopFixedCellEdit();
    EXPECT_FALSE(G->GetEditTrans()->GetVisible());
    EXPECT_FALSE(G->GetComboTrans()->GetVisible());
  }
  // OnCanEditCell refuses; with HotmailRowSelect column 0 gets no editor.
  G->OnCanEditCell = [](TObject*, Integer, Integer ACol, bool& CanEdit) { CanEdit = ACol != 3; };
  G->StartFixedCellEdit(3, 0, false);
  EXPECT_FALSE(G->GetComboTrans()->GetVisible());
  G->GetMouseActions()->SetHotmailRowSelect(true);
  G->StartFixedCellEdit(0, 4, false);
  EXPECT_FALSE(G->GetEditTrans()->GetVisible());
}

TEST_F(GridEditorsTest, RefusedValueKeepsTheEditorAndShowsABalloonOnlyWithTitleOrText) {
  std::vector<TBalloon> balloons;
  RecordBalloons(G->GetEditTrans(), balloons);
  bool accept = false;
  std::vector<std::pair<Integer, Integer>> done;
  G->OnCellValidate = [&](TObject*, Integer, Integer, String& Value, bool& Valid) {
    Valid = accept;
    Value += u"!";
  };
  G->OnEditCellDone = [&](TObject* Sender, Integer ACol, Integer ARow) {
    EXPECT_EQ(Sender, G->GetEditTrans());
    done.push_back({ACol, ARow});
  };
  G->StartFixedCellEdit(2, 0, false);
  G->GetEditTrans()->SetText(u"New");
  EXPECT_FALSE(G->GetEditTrans()->StopEdit());
  EXPECT_TRUE(G->GetEditTrans()->GetVisible());
  EXPECT_EQ(GetFocus(), G->GetEditTrans()->GetHandle());
  EXPECT_TRUE(balloons.empty());
  EXPECT_EQ(G->GetCells(2, 0), u"Head");

  struct Case {
    String Title, Text;
    TInvalidEntryIcon Icon;
  };
  for (const Case& c : {Case{u"Wrong", u"", ieError}, Case{u"", u"Digits only", ieInfo}}) {
    G->SetInvalidEntryTitle(c.Title);
    G->SetInvalidEntryText(c.Text);
    G->SetInvalidEntryIcon(c.Icon);
    balloons.clear();
    EXPECT_FALSE(G->GetEditTrans()->StopEdit());
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].Title, c.Title);
    EXPECT_EQ(balloons[0].Text, c.Text);
    EXPECT_EQ(balloons[0].Icon, static_cast<int>(c.Icon));
  }
  EXPECT_EQ(G->GetCol(), 2);
  EXPECT_TRUE(done.empty());
  // Enter with a valid value: the handler's value lands and OnEditCellDone fires.
  accept = true;
  G->GetEditTrans()->SetFocus();
  Press(VK_RETURN);
  EXPECT_FALSE(G->GetEditTrans()->GetVisible());
  EXPECT_EQ(G->GetCells(2, 0), u"New!");
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0], std::make_pair(2, 0));
}

TEST_F(GridEditorsTest, FilterRowEditFiltersAndFiresNoEditCellDone) {
  Integer doneCount = 0, editingDone = 0;
  G->OnEditCellDone = [&](TObject*, Integer, Integer) { ++doneCount; };
  G->OnEditingDone = [&](TObject*) { ++editingDone; };
  G->StartFixedCellEdit(3, 1, true);
  G->GetEditTrans()->SetText(u"abc");
  EXPECT_TRUE(G->GetEditTrans()->StopEdit());
  ASSERT_EQ(G->Filtered.size(), 1u);
  EXPECT_EQ(G->Filtered[0], std::make_pair(3, String(u"abc")));
  EXPECT_EQ(doneCount, 0);
  EXPECT_EQ(editingDone, 1);
  EXPECT_FALSE(G->GetEditTrans()->GetVisible());
}

TEST_F(GridEditorsTest, AcceptedTextLandsInTheMergedBlocksBaseCell) {
  G->MergeCells(1, 0, 3, 2);
  G->StartFixedCellEdit(2, 1, false);
  G->GetEditTrans()->SetText(u"Merged");
  EXPECT_TRUE(G->GetEditTrans()->StopEdit());
  EXPECT_EQ(G->GetCells(1, 0), u"Merged");
  EXPECT_EQ(G->GetCells(2, 1), u"");
}

TEST_F(GridEditorsTest, ComboBalloonRulesAndWriteBack) {
  G->GetMouseActions()->SetFixedRowsEditor(fceComboList);
  G->GetMouseActions()->GetFixedComboValues()->SetText(u"One\r\nTwo");
  std::vector<TBalloon> balloons;
  TGridTransCombo* combo = G->GetComboTrans();
  RecordBalloons(combo, balloons);
  bool accept = false;
  G->OnCellValidate = [&](TObject*, Integer, Integer, String&, bool& Valid) { Valid = accept; };
  Integer doneCount = 0;
  G->OnEditCellDone = [&](TObject*, Integer, Integer) { ++doneCount; };
  G->StartFixedCellEdit(3, 0, false);
  combo->SetItemIndex(1);
  struct Case {
    TComboBoxStyle Style;
    String Title, Text;
    bool Shown;
  };
  const std::vector<Case> cases = {
      {csDropDownList, u"", u"", false},
      {csDropDownList, u"Title", u"", false},
      {csDropDownList, u"", u"Text", true},
      {csDropDown, u"Title", u"", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.Style == csDropDown ? "drop-down " : "list ") << c.Title.size() << " "
                                      << c.Text.size());
    combo->SetStyle(c.Style);
    if (TCustomEdit* e = combo->GetEditControl()) RecordBalloons(e, balloons);
    G->SetInvalidEntryTitle(c.Title);
    G->SetInvalidEntryText(c.Text);
    balloons.clear();
    EXPECT_FALSE(combo->StopEdit());
    EXPECT_EQ(balloons.size(), c.Shown ? 1u : 0u);
    EXPECT_TRUE(combo->GetVisible());
  }
  accept = true;
  combo->SetStyle(csDropDownList);
  combo->SetItemIndex(1);
  EXPECT_TRUE(combo->StopEdit());
  EXPECT_FALSE(combo->GetVisible());
  EXPECT_EQ(G->GetCells(3, 0), u"Two");
  EXPECT_EQ(doneCount, 0);
}

TEST_F(GridEditorsTest, DropDownWidthFitsTheItems) {
  TGridTransCombo* combo = G->GetComboTrans();
  combo->SetParent(G);
  combo->SetWidth(60);
  HDC dc = G->GetCanvas()->GetHandle();
  const String wide = u"A rather wide item text";
  SIZE size{};
  GetTextExtentPoint32(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  combo->GetItems()->SetText(u"a\r\n" + wide);
  combo->SizeDropDownWidth();
  EXPECT_EQ(combo->GetDropWidth(), size.cx + 8);
  combo->SetDropDownCount(1);   // the list scrolls now
  combo->SizeDropDownWidth();
  EXPECT_EQ(combo->GetDropWidth(), size.cx + 25);
  combo->GetItems()->SetText(u"a\r\nb");
  combo->SetDropWidth(0);
  combo->SizeDropDownWidth();
  EXPECT_EQ(combo->GetDropWidth(), 60) << "narrow items keep the control's width";
}

// ---------------------------------------------------------------------------------------------
// Form-control editors
// ---------------------------------------------------------------------------------------------
TEST_F(GridEditorsTest, FormControlEditorsHandEnterAndTabToTheGrid) {
  TControlEdit* edit = G->GetControlEdit();
  EXPECT_EQ(edit->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
  EXPECT_EQ(edit->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 1);
  TControlCombo* combo = G->GetControlCombo();
  EXPECT_EQ(combo->Perform(CM_WANTSPECIALKEY, VK_TAB, 0), 1);

  Integer exits = 0;
  edit->OnExit = [&](TObject*) { ++exits; };
  edit->SetBounds(10, 40, 80, 20);
  edit->SetVisible(true);
  edit->SetFocus();
  Pump();
  Press(VK_RETURN);
  EXPECT_GE(exits, 1) << "the exit handling hands the value over";
  EXPECT_EQ(GetFocus(), G->GetHandle());

  // Tab with AdvanceAuto moves the current cell on as after Enter.
  G->GetNavigation()->SetAdvanceAuto(true);
  G->GotoCell(1, 3);
  edit->SetFocus();
  Pump();
  const Integer before = G->GetCol();
  Press(VK_TAB);
  EXPECT_EQ(G->GetCol(), before + 1);
}

// ---------------------------------------------------------------------------------------------
// Rich edit
// ---------------------------------------------------------------------------------------------
TEST_F(GridEditorsTest, SubAndSuperscriptSurviveRtf) {
  TNeoRichEdit* re = G->GetRichEdit();
  EXPECT_EQ(G->GetRichEdit(), re) << "made once";
  re->SetRtf("{\\rtf1 H2O and x2}");
  re->SetSelStart(1);
  re->SetSelLength(1);
  re->SelSubscript();
  EXPECT_TRUE(re->IsSelSubscript());
  re->SetSelStart(9);
  re->SetSelLength(1);
  re->SelSuperscript();
  EXPECT_TRUE(re->IsSelSuperscript());
  const std::string rtf = re->GetRtf();
  TNeoRichEdit* other = G->GetInplaceRichEdit();
  other->SetParent(G);
  other->SetRtf(rtf);
  struct Case {
    Integer At;
    bool Normal, Sub, Super;
  };
  for (const Case& c : {Case{0, true, false, false}, Case{1, false, true, false}, Case{9, false, false, true}}) {
    other->SetSelStart(c.At);
    other->SetSelLength(1);
    EXPECT_EQ(other->IsSelNormal(), c.Normal) << c.At;
    EXPECT_EQ(other->IsSelSubscript(), c.Sub) << c.At;
    EXPECT_EQ(other->IsSelSuperscript(), c.Super) << c.At;
  }
  other->SelNormal();
  EXPECT_TRUE(other->IsSelNormal());
  EXPECT_NE(other->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB, 0);
}

TEST_F(GridEditorsTest, TypingLinesGrowsTheRowUpToTheGridsBottomUnlessLocked) {
  G->GetSizeWhileTyping()->SetHeight(true);
  G->SetRowCount(10);
  G->GotoCell(1, 6);
  std::vector<Integer> sized;
  G->OnEndRowSize = [&](TObject*, Integer ARow) { sized.push_back(ARow); };
  TNeoRichEdit* re = G->GetInplaceRichEdit();
  re->SetParent(G);
  re->SetBorderStyle(bsNone);
  re->SetWordWrap(true);
  re->SetBoundsRect(G->CellRect(1, 6));
  re->SetVisible(true);
  re->SetFocus();
  Pump();
  const Integer rowTop = G->CellRect(1, 6).top;
  Integer lastHeight = G->GetRowHeights(6);
  Integer grown = 0;
  for (int line = 0; line < 30; ++line) {
    Type(u"line");
    Press(VK_RETURN);
    const Integer h = G->GetRowHeights(6);
    if (h != lastHeight) {
      ++grown;
      EXPECT_EQ(re->GetHeight(), h - 1) << "editor h + 9, row h + 10";
      EXPECT_LE(rowTop + h - 5, G->GetHeight()) << "never past the grid's bottom";
      lastHeight = h;
    }
  }
  EXPECT_GE(grown, 2);
  EXPECT_EQ(static_cast<Integer>(sized.size()), grown);
  EXPECT_TRUE(std::all_of(sized.begin(), sized.end(), [](Integer r) { return r == 6; }));
  EXPECT_GT(rowTop + lastHeight + 20, G->GetHeight()) << "growth stopped near the bottom";

  // Locked: no growth.
  G->SetRowHeights(6, G->GetDefaultRowHeight());
  re->SetText(u"");
  re->Lock();
  const Integer locked = G->GetRowHeights(6);
  for (int line = 0; line < 4; ++line) {
    Type(u"line");
    Press(VK_RETURN);
  }
  EXPECT_EQ(G->GetRowHeights(6), locked);
  re->Unlock();
}

// ---------------------------------------------------------------------------------------------
// Unit finalization
// ---------------------------------------------------------------------------------------------
TEST_F(GridEditorsTest, FinalizationRunsOnceAfterStartUp) {
  const Integer before = NeoGridStartUpCount();
  if (before != 0) GTEST_SKIP() << "the unit is started by the program";
  HintFontName = u"Before start-up";
  NeoGridShutDown();
  EXPECT_EQ(HintFontName, u"Before start-up") << "nothing before the start-up ran";
  NeoGridStartUp();
  NeoGridShutDown();
  EXPECT_TRUE(HintFontName.empty());
  EXPECT_EQ(NeoGridStartUpCount(), 0);
  // The hook is gone: the focus window stays when the form moves.
  G->GotoCell(2, 3);
  G->ShowFocusWindow(G->CellRect(2, 3));
  RECT w1{}, w2{};
  GetWindowRect(G->GetFocusWindow()->GetHandle(), &w1);
  Form->SetBounds(Form->GetLeft() + 20, Form->GetTop() + 10, Form->GetWidth(), Form->GetHeight());
  Pump();
  GetWindowRect(G->GetFocusWindow()->GetHandle(), &w2);
  EXPECT_EQ(w2.left, w1.left);
  G->HideFocusWindow();
  HintFontName = u"Later";
  NeoGridShutDown();
  EXPECT_EQ(HintFontName, u"Later") << "a second run does nothing";
  HintFontName.clear();
}

}  // namespace

namespace {

TEST_F(GridEditorsTest, RichEditHandsTabAndArrowsToTheGridAndLeavesTheEditorOnItsFocusFlag) {
  TGridOptions o = G->GetOptions();
  o.Include(goEditing);
  o.Include(goTabs);
  G->SetOptions(o);
  G->SetWordWrap(false);
  G->GotoCell(1, 4);
  TNeoRichEdit* re = G->GetInplaceRichEdit();
  re->SetParent(G);
  re->SetBoundsRect(G->CellRect(1, 4));
  re->SetVisible(true);
  struct Case {
    UINT Key;
    Integer Col, Row;
  };
  // Tab moves on and reopens the editor; Up and Down move the current row.
  for (const Case& c : {Case{VK_DOWN, 1, 5}, Case{VK_UP, 1, 4}, Case{VK_TAB, 2, 4}}) {
    re->SetFocus();
    Pump();
    Press(c.Key);
    EXPECT_EQ(G->GetCol(), c.Col) << c.Key;
    EXPECT_EQ(G->GetRow(), c.Row) << c.Key;
  }
  EXPECT_TRUE(G->GetEditorMode()) << "Tab reopened the inplace editor";
  // With a word-wrapped grid the arrows stay in the editor.
  G->SetWordWrap(true);
  re->SetFocus();
  Pump();
  Press(VK_DOWN);
  EXPECT_EQ(GetFocus(), re->GetHandle());

  // Losing the focus to another window while the grid changes focus itself is ignored entirely.
  G->SetInvokedFocusChange(true);
  re->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(G->GetHandle()), 0);
  EXPECT_TRUE(G->GetEditorMode());
  G->SetInvokedFocusChange(false);
  re->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(G->GetHandle()), 0);
  EXPECT_FALSE(G->GetEditorMode()) << "focus going to the grid hides its inplace editor";
}

TEST_F(GridEditorsTest, HeaderDragButtonShowsTheHeaderLookAndItsCaption) {
  auto* button = new THeaderDragButton(G);
  button->SetGrid(G);
  button->SetBounds(600, 400, 90, 24);
  button->SetCaption(u"Column");
  button->SetVisible(true);
  button->HandleNeeded();
  ShowWindow(button->GetHandle(), SW_SHOWNOACTIVATE);
  Pump();
  EXPECT_EQ(GetWindowLong(button->GetHandle(), GWL_STYLE) & (WS_POPUP | WS_BORDER), static_cast<LONG>(WS_POPUP | WS_BORDER));
  ASSERT_TRUE(Headless::SaveWindowPng(button->GetHandle(), OutputPath("header_drag_button.png")));
  // The header cell's background at its middle row, the caption's ink in the centre.
  HWND h = button->GetHandle();
  const TRect r = button->GetClientRect();
  const COLORREF back = Headless::ClientPixel(h, 3, r.bottom / 2);
  Integer ink = 0;
  for (Integer x = 0; x < r.right; ++x)
    for (Integer y = 0; y < r.bottom; ++y) ink += Headless::ClientPixel(h, x, y) != back && x > 10 && x < r.right - 10;
  EXPECT_GT(ink, 20);
  // A markup caption draws through the markup engine: bold is wider than plain.
  auto inkWidth = [&] {
    Integer left = r.right, right = 0;
    for (Integer x = 4; x < r.right - 4; ++x)
      for (Integer y = 4; y < r.bottom - 4; ++y)
        if (GetRValue(Headless::ClientPixel(h, x, y)) < 100) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
    return right - left;
  };
  const Integer plain = inkWidth();
  button->SetCaption(u"<b>Column</b>");
  Pump();
  EXPECT_GT(inkWidth(), plain);
  delete button;
}

}  // namespace
