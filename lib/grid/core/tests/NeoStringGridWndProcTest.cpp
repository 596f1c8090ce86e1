// The grid's window procedure, timers, focus handling and unit start-up, headless through the
// message queue and the virtual clock: the registered messages posted by editors and refused
// moves, the combo editor's notifications, a cancelled column drag, the 500 ms grid timer
// (search reset, hover, blinking cells), the focus table and the shared start-up state.
#include <algorithm>
#include <utility>
#include <vector>

#include "lib/grid/core/NeoArrowWindow.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/SysInfo.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/WinUser.h"

namespace {

class TWndProbe : public TNeoStringGrid {
public:
  explicit TWndProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  bool ValidateCell(const String& NewValue) override {
    Validated.push_back(NewValue);
    return Valid;
  }
  TCustomComboBox* GetEditCombo() override { return Combo; }
  void SetGridState(TGridState Value) { FGridState = Value; }
  TGridState GridState() const { return FGridState; }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_TIMER) Timers.push_back(static_cast<UINT_PTR>(Message.WParam));
    TNeoStringGrid::WndProc(Message);
  }
  bool Valid = true;
  TComboBox* Combo = nullptr;
  std::vector<String> Validated;
  std::vector<UINT_PTR> Timers;
};

class NeoStringGridWndProc : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    Edit = Add<TEdit>(Form, 0, 270, 100, 22);
    G = Add<TWndProbe>(Form, 0, 0, 400, 260);
    G->SetColCount(6);
    G->SetRowCount(40);
    G->SetDefaultColWidth(60);
    Form->Show();
    Pump();
  }
  void Tick(Integer Count) {
    for (Integer i = 0; i < Count; ++i) {
      Headless::AdvanceClock(500);
      Pump();
    }
  }
  void EditingOn() {
    TGridOptions o = G->GetOptions();
    o.Include(goEditing);
    G->SetOptions(o);
  }
  TRect Pending() {
    RECT r{};
    return GetUpdateRect(G->GetHandle(), &r, FALSE) ? TRect(r) : TRect{};
  }
  bool NothingPending() {
    RECT r{};
    return !GetUpdateRect(G->GetHandle(), &r, FALSE);
  }
  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TWndProbe* G = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Registered messages and notifications
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridWndProc, RefusedEntryReopensTheEditorWithTheTextSelected) {
  EditingOn();
  G->SetCells(1, 1, u"abc");
  G->SetInvalidEntryTitle(u"Invalid entry");
  G->SetEditing(true);
  G->Valid = false;
  G->SetRowEx(3);
  EXPECT_EQ(G->GetRow(), 1);
  EXPECT_TRUE(G->GetInvalidSel());
  // Every move is refused until the message is handled, and nothing is validated meanwhile.
  G->Validated.clear();
  G->SetCol(4);
  EXPECT_EQ(G->GetCol(), 1);
  EXPECT_TRUE(G->Validated.empty());

  Pump();
  EXPECT_FALSE(G->GetInvalidSel());
  EXPECT_EQ((TGridCoord{G->GetCol(), G->GetRow()}), (TGridCoord{1, 1}));
  ASSERT_TRUE(G->GetEditorMode());
  TInplaceEdit* editor = G->GetInplaceEditor();
  EXPECT_EQ(editor->GetText(), u"abc");
  EXPECT_EQ(editor->GetSelStart(), 0);
  EXPECT_EQ(editor->GetSelLength(), 3);
  EXPECT_EQ(G->GetCells(1, 1), u"abc");

  // A valid entry lets the grid move on.
  G->Valid = true;
  G->SetRowEx(3);
  EXPECT_EQ(G->GetRow(), 3);
}

TEST_F(NeoStringGridWndProc, EditDoneWithDoubleClickEditingSwitchesEditingOff) {
  EditingOn();
  std::vector<TGridCoord> done;
  G->OnEditCellDone = [&](TObject*, Integer ACol, Integer ARow) { done.push_back(TGridCoord{ACol, ARow}); };
  PostMessage(G->GetHandle(), NeoGridShared().EditDone, 2, 3);
  Pump();
  EXPECT_TRUE(G->GetOptions().Contains(goEditing));
  G->GetMouseActions()->SetEditOnDblClickOnly(true);
  PostMessage(G->GetHandle(), NeoGridShared().EditDone, 4, 5);
  Pump();
  EXPECT_FALSE(G->GetOptions().Contains(goEditing));
  EXPECT_EQ(done, (std::vector<TGridCoord>{{2, 3}, {4, 5}}));

  // "GridEditShow" opens the editor after the message that posted it.
  EditingOn();
  PostMessage(G->GetHandle(), NeoGridShared().EditShow, 0, 0);
  EXPECT_FALSE(G->GetEditorMode());
  Pump();
  EXPECT_TRUE(G->GetEditorMode());
}

TEST_F(NeoStringGridWndProc, ComboChangeFiresOncePerNotification) {
  G->Combo = Add<TComboBox>(G, 10, 10, 80, 22);
  G->Combo->GetItems()->Add(u"one");
  G->Combo->GetItems()->Add(u"two");
  Pump();
  G->SetEditMode(true);
  G->SetCol(2);
  std::vector<std::pair<Integer, String>> changes;
  G->OnComboChange = [&](TObject*, Integer ACol, Integer, Integer AIndex, const String& AText) {
    EXPECT_EQ(ACol, 2);
    changes.emplace_back(AIndex, AText);
  };
  HWND combo = G->Combo->GetHandle();
  auto notify = [&](WORD Code) {
    SendMessage(G->GetHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), Code), reinterpret_cast<LPARAM>(combo));
  };
  G->Combo->SetItemIndex(1);
  notify(CBN_SELCHANGE);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], (std::pair<Integer, String>{1, u"two"}));
  G->Combo->SetItemIndex(-1);
  G->Combo->SetText(u"typed");
  notify(CBN_EDITCHANGE);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[1], (std::pair<Integer, String>{-1, u"typed"}));

  Integer drops = 0, closes = 0;
  G->OnComboDropDown = [&](TObject*, Integer, Integer) { ++drops; };
  G->OnComboCloseUp = [&](TObject*, Integer, Integer) { ++closes; };
  notify(CBN_DROPDOWN);
  notify(CBN_CLOSEUP);
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(changes.size(), 2u);
}

TEST_F(NeoStringGridWndProc, CancelModeEndsAColumnDrag) {
  G->SetGridState(gsColMoving);
  SetTimer(G->GetHandle(), 1, 100, nullptr);
  SendMessage(G->GetHandle(), WM_CANCELMODE, 0, 0);
  EXPECT_EQ(G->GridState(), gsNormal);
  G->Timers.clear();
  Tick(2);
  EXPECT_EQ(std::count(G->Timers.begin(), G->Timers.end(), 1u), 0);
  EXPECT_EQ(std::count(G->Timers.begin(), G->Timers.end(), 111u), 2);
}

// ---------------------------------------------------------------------------------------------
// The grid timer
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridWndProc, IncrementalSearchTextLivesThreeTicks) {
  G->GetNavigation()->SetAutoGotoIncremental(true);
  Integer ticks = G->GetTimerTicks();
  G->SetSearchInc(u"ab");
  Tick(3);
  EXPECT_EQ(G->GetSearchInc(), u"ab");
  Tick(1);
  EXPECT_EQ(G->GetSearchInc(), u"");
  EXPECT_EQ(G->GetTimerTicks(), ticks + 4);
}

TEST_F(NeoStringGridWndProc, HoveringMakesTheCellUnderTheCursorCurrent) {
  TRect cell = G->CellRect(3, 4);
  TPoint p = ScreenPoint(G, cell.left + 5, cell.top + 5);
  Headless::MouseMove(p.x, p.y);
  Tick(1);
  EXPECT_EQ(G->GetRow(), 1);   // not while hovering is off
  G->SetHovering(true);
  Tick(1);
  EXPECT_EQ((TGridCoord{G->GetCol(), G->GetRow()}), (TGridCoord{3, 4}));
  // A fixed cell is never taken.
  cell = G->CellRect(0, 6);
  p = ScreenPoint(G, cell.left + 5, cell.top + 5);
  Headless::MouseMove(p.x, p.y);
  Tick(1);
  EXPECT_EQ(G->GetRow(), 4);
}

TEST_F(NeoStringGridWndProc, BlinkRepaintsOnlyBlinkingCellsTwiceASecond) {
  G->SetCells(2, 3, u"<bli>slow</bli>");
  G->SetCells(4, 5, u"x <BLINK>fast</BLINK>");
  G->SetCells(3, 3, u"<b>bold</b>");
  G->SetEnableBlink(true);
  Pump();
  // What the two cells alone leave to paint.
  G->RepaintCell(2, 3);
  G->RepaintCell(4, 5);
  TRect expected = Pending();
  ASSERT_FALSE(IsRectEmpty(&expected));
  ValidateRect(G->GetHandle(), nullptr);

  bool blink = G->GetGridBlink();
  SendMessage(G->GetHandle(), WM_TIMER, 111, 0);
  EXPECT_EQ(Pending(), expected);
  EXPECT_NE(G->GetGridBlink(), blink);
  ValidateRect(G->GetHandle(), nullptr);
  Integer ticks = G->GetTimerTicks();
  Tick(2);   // one second
  EXPECT_EQ(G->GetTimerTicks(), ticks + 2);
  EXPECT_NE(G->GetGridBlink(), blink);

  // Without blink cells nothing waits to be painted after a tick.
  G->SetCells(2, 3, u"");
  G->SetCells(4, 5, u"");
  Pump();
  SendMessage(G->GetHandle(), WM_TIMER, 111, 0);
  EXPECT_TRUE(NothingPending());
}

// ---------------------------------------------------------------------------------------------
// Focus
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridWndProc, TabIntoAnAlwaysEditGridOpensTheEditorOnAVisibleCell) {
  EditingOn();
  G->GetNavigation()->SetAlwaysEdit(true);
  Edit->SetTabOrder(0);
  G->ShowInplaceEdit();   // the default editor exists from here on
  G->HideInplaceEdit();
  struct Case {
    const char* What;
    Integer TopRow;
    bool Opens;
  } cases[] = {{"visible cell", 1, true}, {"scrolled away", 20, false}};
  for (const Case& c : cases) {
    Edit->SetFocus();
    Pump();
    G->HideInplaceEdit();   // while the editor has no focus: the grid takes none
    G->SetRowEx(2);
    G->SetTopRow(c.TopRow);
    ASSERT_FALSE(G->GetEditorMode()) << c.What;
    Press(VK_TAB);
    EXPECT_TRUE(G->Focused() || G->GetEditorMode()) << c.What;
    EXPECT_EQ(G->GetEditorMode(), c.Opens) << c.What;
  }
}

TEST_F(NeoStringGridWndProc, BlockedFocusLossAndInvokedFocusChange) {
  Integer exits = 0;
  G->OnExit = [&](TObject*) { ++exits; };
  G->SetFocus();
  Pump();
  G->SetBlockKill(true);
  EXPECT_EQ(SendMessage(G->GetHandle(), WM_KILLFOCUS, 0, 0), 1);
  Edit->SetFocus();
  Pump();
  EXPECT_EQ(exits, 0);
  G->SetBlockKill(false);
  G->SetFocus();
  Pump();
  Edit->SetFocus();
  Pump();
  EXPECT_EQ(exits, 1);

  // While the grid changes the focus itself, WM_SETFOCUS does nothing at all: not even the base
  // grid repaints the selection.
  ValidateRect(G->GetHandle(), nullptr);
  G->SetInvokedFocusChange(true);
  SendMessage(G->GetHandle(), WM_SETFOCUS, 0, 0);
  EXPECT_TRUE(NothingPending());
  G->SetInvokedFocusChange(false);
  SendMessage(G->GetHandle(), WM_SETFOCUS, 0, 0);
  EXPECT_FALSE(NothingPending());
}

TEST_F(NeoStringGridWndProc, FixedHoverCells) {
  struct Case {
    THoverFixedCells Mode;
    bool Row, Col, Normal;
  } cases[] = {{hfNone, false, false, false},
               {hfAll, true, true, false},
               {hfFixedRows, true, false, false},
               {hfFixedColumns, false, true, false}};
  for (const Case& c : cases) {
    G->SetHoverFixedCells(c.Mode);
    EXPECT_EQ(G->IsFixedHoverCell(3, 0), c.Row) << c.Mode;
    EXPECT_EQ(G->IsFixedHoverCell(0, 3), c.Col) << c.Mode;
    EXPECT_EQ(G->IsFixedHoverCell(3, 3), c.Normal) << c.Mode;
  }
}

// ---------------------------------------------------------------------------------------------
// Start-up
// ---------------------------------------------------------------------------------------------
namespace fake {
class TArrowWindow : public TObject {
  ZELK_CLASS(TArrowWindow, TObject)
};
}  // namespace fake

TEST_F(NeoStringGridWndProc, StartUpIsSharedAndRunsOnce) {
  TWndProbe* other = Add<TWndProbe>(Form, 0, 0, 100, 100);
  (void)other;
  const TNeoGridShared& shared = NeoGridShared();
  EXPECT_EQ(shared.EditDone, RegisterWindowMessage(u"GridEditDone"));
  EXPECT_EQ(shared.FilterEditUpdate, RegisterWindowMessage(u"FilterEditUpdate"));
  EXPECT_EQ(shared.ClipboardFormat, RegisterClipboardFormat(u"TNeoStringGrid Cells"));
  EXPECT_GE(shared.EditDone, 0xC000u);
  EXPECT_LT(shared.EditDone, shared.EditShow);

  Integer before = NeoGridStartUpCount();
  NeoGridStartUp();
  NeoGridStartUp();
  EXPECT_EQ(NeoGridStartUpCount(), before + 2);
  EXPECT_EQ(NeoGridShared().EditDone, shared.EditDone);
  EXPECT_EQ(GetClass(u"TNeoStringGrid"), TNeoStringGrid::StaticClass());
  if (before == 0) {
    // The start-up's hook moves a shown focus window with its form.
    G->GotoCell(2, 3);
    G->ShowFocusWindow(G->CellRect(2, 3));
    RECT w1{};
    GetWindowRect(G->GetFocusWindow()->GetHandle(), &w1);
    Form->SetBounds(Form->GetLeft() + 20, Form->GetTop() + 10, Form->GetWidth(), Form->GetHeight());
    Pump();
    RECT w2{};
    GetWindowRect(G->GetFocusWindow()->GetHandle(), &w2);
    EXPECT_EQ(w2.left - w1.left, 20);
    EXPECT_EQ(w2.top - w1.top, 10);
    G->HideFocusWindow();
  }
  NeoGridShutDown();
  NeoGridShutDown();
  EXPECT_EQ(NeoGridStartUpCount(), before);

  // A registration that fails ends the list: the classes after it stay unregistered.
  UnRegisterClass(TArrowWindow::StaticClass());
  RegisterClass(fake::TArrowWindow::StaticClass());
  EXPECT_EQ(RegisterNeoGridClasses(), 1);
  EXPECT_EQ(GetClass(u"TArrowWindow"), fake::TArrowWindow::StaticClass());
  UnRegisterClass(fake::TArrowWindow::StaticClass());
  EXPECT_EQ(RegisterNeoGridClasses(), 3);

  // The common-controls flag reads the module's version: above 4.69.
  SetFileVersionFact(u"comctl32.dll", 4, 69, 0, 0);
  EXPECT_EQ(GetFileVersionNumber(u"comctl32.dll"), 0x00040045);
  RemoveFileVersionFact(u"comctl32.dll");
  EXPECT_EQ(GetFileVersionNumber(u"comctl32.dll"), -1);
  ResetFileVersionFacts();
}

}  // namespace
