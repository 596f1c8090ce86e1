// The grid's inplace editor: opened by typing, F2, Enter or a click on the current cell; its text
// goes back through SetEditText; Esc restores; it follows the view.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <vector>

#include "platform/ui/Grids.h"

namespace {

class TMyEditor : public TInplaceEdit {
public:
  using TInplaceEdit::TInplaceEdit;
};

class TEditGrid : public TStringGrid {
public:
  using TStringGrid::TStringGrid;
  std::vector<String> Sets;
  Integer Limit = 0;
  bool OwnEditor = false;
  String Mask;
  bool Modify = true;
  String Refused;   // characters CanEditAcceptKey turns away

protected:
  void SetEditText(Integer ACol, Integer ARow, const String& Value) override {
    Sets.push_back(Value);
    TStringGrid::SetEditText(ACol, ARow, Value);
  }
  Integer GetEditLimit() override { return Limit; }
  String GetEditMask(Integer, Integer) override { return Mask; }
  bool CanEditModify() override { return Modify; }
  bool CanEditAcceptKey(Char Key) override { return Refused.find(Key) == String::npos; }
  TInplaceEdit* CreateEditor() override { return OwnEditor ? new TMyEditor(this) : TStringGrid::CreateEditor(); }
};

class GridEditorTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(500, 400);
    Grid = new TEditGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 400, 300);
    Grid->SetBorderStyle(bsNone);
    Grid->SetScrollBars(ssNone);
    Grid->SetColCount(6);
    Grid->SetRowCount(30);
    Grid->SetOptions(Grid->GetOptions() + goEditing);
    Grid->SetCells(1, 1, u"old");
    Form->Show();
    Grid->SetFocus();
    Pump();
  }
  String EditorText() { return Grid->GetInplaceEditor()->GetText(); }
  TForm* Form = nullptr;
  TEditGrid* Grid = nullptr;
};

TEST_F(GridEditorTest, TypingOpensTheEditorWithTheCharacter) {
  Grid->SetCol(2);
  Type(u"x");
  ASSERT_TRUE(Grid->GetEditorMode());
  EXPECT_EQ(EditorText(), u"x");
  EXPECT_EQ(Grid->GetCells(2, 1), u"x");
  EXPECT_TRUE(Grid->GetInplaceEditor()->Focused());
  EXPECT_EQ(Grid->GetInplaceEditor()->GetBoundsRect(), Grid->CellRect(2, 1));
  Type(u"yz");
  EXPECT_EQ(Grid->GetCells(2, 1), u"xyz");
  EXPECT_EQ(Grid->Sets, (std::vector<String>{u"x", u"xy", u"xyz"}));   // every change
}

TEST_F(GridEditorTest, EscRestoresAndEnterCloses) {
  Press(VK_F2);
  ASSERT_TRUE(Grid->GetEditorMode());
  EXPECT_EQ(EditorText(), u"old");
  Type(u"new");   // the text was selected: replaced
  EXPECT_EQ(Grid->GetCells(1, 1), u"new");
  Press(VK_ESCAPE);
  EXPECT_FALSE(Grid->GetEditorMode());
  EXPECT_EQ(Grid->GetCells(1, 1), u"old");
  EXPECT_TRUE(Grid->Focused());

  Press(VK_RETURN);   // Enter opens
  ASSERT_TRUE(Grid->GetEditorMode());
  Press(VK_END);
  Type(u"er");
  Grid->Sets.clear();
  Press(VK_RETURN);   // and closes, keeping the text
  EXPECT_FALSE(Grid->GetEditorMode());
  EXPECT_EQ(Grid->GetCells(1, 1), u"older");
  EXPECT_TRUE(Grid->Sets.empty());
  EXPECT_FALSE(Grid->GetInplaceEditor()->GetVisible());
}

TEST_F(GridEditorTest, OwnEditorAndLimit) {
  Grid->OwnEditor = true;
  Grid->Limit = 3;
  Grid->SetCol(3);
  Type(u"abcd");
  ASSERT_NE(dynamic_cast<TMyEditor*>(Grid->GetInplaceEditor()), nullptr);
  EXPECT_EQ(Grid->GetCells(3, 1), u"abc");
}

TEST_F(GridEditorTest, TheEditorFollowsTheViewAndLeavesAtTheEdge) {
  Grid->SetRow(2);
  Type(u"ab");
  ASSERT_TRUE(Grid->GetEditorMode());
  Grid->SetTopRow(2);
  EXPECT_EQ(Grid->GetInplaceEditor()->GetBoundsRect(), Grid->CellRect(1, 2));
  EXPECT_EQ(Grid->CellRect(1, 2).top, 25);
  Grid->SetTopRow(3);   // its cell out of view: hidden
  EXPECT_FALSE(Grid->GetInplaceEditor()->GetVisible());
  Grid->SetTopRow(1);
  EXPECT_TRUE(Grid->GetInplaceEditor()->GetVisible());
  Grid->GetInplaceEditor()->SetFocus();
  Press(VK_LEFT);   // inside the text: the caret moves
  EXPECT_EQ(Grid->GetCol(), 1);
  Press(VK_END);
  Press(VK_RIGHT);   // at the end: the grid moves on and the editor closes
  EXPECT_EQ(Grid->GetCol(), 2);
  EXPECT_FALSE(Grid->GetEditorMode());
  EXPECT_EQ(Grid->GetCells(1, 2), u"ab");
  // A click on the current cell opens the editor again.
  TRect r = Grid->CellRect(2, 2);
  Headless::AdvanceClock(1000);
  ClickAt(Grid, r.left + 5, r.top + 5);
  EXPECT_TRUE(Grid->GetEditorMode());
}

TEST_F(GridEditorTest, DoubleClickOpensTheEditorAndTellsTheGrid) {
  int doubles = 0;
  Grid->OnDblClick = [&](TObject*) { ++doubles; };
  TRect r = Grid->CellRect(3, 4);
  DoubleClickAt(Grid, r.left + 5, r.top + 5);
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(Grid->GetCol(), 3);
  EXPECT_EQ(Grid->GetRow(), 4);
  EXPECT_TRUE(Grid->GetEditorMode());
}

TEST_F(GridEditorTest, AlwaysShowEditorStaysOpenWhileMovingAndTabsMoveOn) {
  Grid->SetOptions(Grid->GetOptions() + goAlwaysShowEditor + goTabs);
  Grid->SetCells(2, 1, u"next");
  Press(VK_F2);
  ASSERT_TRUE(Grid->GetEditorMode());
  Press(VK_TAB);   // from inside the editor: the next cell, still editing, its text in the editor
  EXPECT_EQ(Grid->GetCol(), 2);
  EXPECT_TRUE(Grid->GetEditorMode());
  EXPECT_EQ(EditorText(), u"next");
  EXPECT_EQ(Grid->GetInplaceEditor()->GetBoundsRect(), Grid->CellRect(2, 1));
  Press(VK_DOWN);
  EXPECT_EQ(Grid->GetRow(), 2);
  EXPECT_TRUE(Grid->GetEditorMode());
  EXPECT_EQ(Grid->GetInplaceEditor()->GetBoundsRect(), Grid->CellRect(2, 2));
  Chord(VK_SHIFT, VK_TAB);   // back
  EXPECT_EQ(Grid->GetCol(), 1);
  EXPECT_TRUE(Grid->GetEditorMode());
}

TEST_F(GridEditorTest, AMaskedCellKeepsItsEditorUntilTheTextIsComplete) {
  std::vector<String> errors;
  Application->OnException = [&](TObject*, Exception& E) { errors.push_back(E.Message); };
  Grid->Mask = u"00:00;1;_";
  Grid->SetCol(2);
  Type(u"1");
  ASSERT_TRUE(Grid->GetEditorMode());
  auto stays = [&](const char* How) {
    SCOPED_TRACE(How);
    EXPECT_EQ(Grid->GetCol(), 2);
    EXPECT_EQ(Grid->GetRow(), 1);
    EXPECT_TRUE(Grid->GetEditorMode());
    EXPECT_TRUE(Grid->GetInplaceEditor()->GetVisible());
    EXPECT_TRUE(Grid->GetInplaceEditor()->Focused());
    EXPECT_EQ(Grid->GetInplaceEditor()->GetSelStart(), 1);   // the caret waits at what is missing
  };
  for (UINT key : {VK_DOWN, VK_NEXT, VK_RETURN}) {
    Press(key);
    stays("key");
  }
  EXPECT_EQ(errors.size(), 3u);
  TRect other = Grid->CellRect(3, 4);
  ClickAt(Grid, other.left + 5, other.top + 5);
  stays("click");
  EXPECT_EQ(errors.size(), 4u);
  EXPECT_THROW(Grid->SetRow(5), EDBEditError);
  EXPECT_THROW(Grid->SetSelection(TGridRect{4, 4, 4, 4}), EDBEditError);
  stays("program");
  Type(u"234");
  Press(VK_DOWN);   // complete: the grid moves on
  EXPECT_EQ(Grid->GetRow(), 2);
  EXPECT_FALSE(Grid->GetEditorMode());
  EXPECT_EQ(Grid->GetCells(2, 1), u"12:34");
  EXPECT_EQ(errors.size(), 4u);
  // Esc gives back what the cell held, unvalidated.
  Type(u"5");
  Press(VK_ESCAPE);
  EXPECT_FALSE(Grid->GetEditorMode());
  EXPECT_EQ(Grid->GetCells(2, 2), u"");
  EXPECT_EQ(errors.size(), 4u);
}

TEST_F(GridEditorTest, KeysAndEditsTheGridRefusesLeaveTheCellAlone) {
  Grid->Refused = u"0123456789";
  Press(VK_F2);
  Press(VK_END);
  Type(u"a1b");
  EXPECT_EQ(Grid->GetCells(1, 1), u"oldab");
  Grid->Modify = false;
  Type(u"c");
  Press(VK_BACK);
  Press(VK_HOME);
  Press(VK_DELETE);
  Chord(VK_CONTROL, 'A');
  Chord(VK_CONTROL, 'C');   // copying changes nothing and stays allowed
  Chord(VK_CONTROL, 'X');
  Chord(VK_SHIFT, VK_DELETE);
  Chord(VK_CONTROL, 'V');
  Grid->GetInplaceEditor()->Perform(WM_CLEAR, 0, 0);
  EXPECT_EQ(EditorText(), u"oldab");
  EXPECT_EQ(Grid->GetCells(1, 1), u"oldab");
  Grid->Modify = true;
  Press(VK_END);
  Chord(VK_CONTROL, 'V');
  EXPECT_EQ(Grid->GetCells(1, 1), u"oldaboldab");
}

}  // namespace
