// The grid and the moving mouse, headless through the message queue: touch scrolling, the drag
// start threshold, fixed-border sizing arms, the pending selection modes and their cursors, the
// hover-button strip, the pop-up tool bar, anchors, the sizing hint, the moving feedback windows,
// mouse enter and leave, and the hint of a cell.
#include <string>
#include <vector>

#include "lib/grid/core/NeoArrowWindow.h"
#include "lib/grid/core/NeoGridCompanions.h"
#include "lib/grid/core/NeoHTMLHintWindow.h"
#include "lib/grid/core/NeoHoverButtons.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/grid/core/testsupport/ControlMouse.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/ObjIdl.h"
#include "platform/win/WinUser.h"

namespace {

// Scripts the seams of later folders: the drag-and-drop settings and drags, comments and text
// measuring.
class TMoveProbe : public TNeoStringGrid {
public:
  explicit TMoveProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  bool OleDropSource() override { return DropSource; }
  TMoveDragSettings MoveDragSettings() override {
    TMoveDragSettings s = Drag;
    s.OleDropSource = DropSource;
    return s;
  }
  Integer DragCellText(const String& Text, const String& RichText, TStream*, DWORD Effects) override {
    DraggedTexts.push_back(Text);
    DraggedRich.push_back(RichText);
    (void)Effects;
    return DragResult;
  }
  Integer DragGridColumn(DWORD) override {
    ++ColumnDrags;
    return DragResult;
  }
  Integer DragLastEffect() override { return LastEffect; }
  bool IsComment(Integer ACol, Integer ARow, String& Comment) override {
    Comment = u"note";
    return ACol == CommentCell.X && ARow == CommentCell.Y;
  }
  void MeasureCellText(Integer, Integer, Integer, bool, bool, bool, TPoint& Size) override { Size = Measured; }
  TGridState State() const { return FGridState; }
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override {
    Painted.push_back(TGridCoord{ACol, ARow});
    TNeoStringGrid::DrawCell(ACol, ARow, ARect, AState);
  }
  bool WasPainted(Integer ACol, Integer ARow) const {
    for (const TGridCoord& c : Painted)
      if (c.X == ACol && c.Y == ARow) return true;
    return false;
  }
  std::vector<TGridCoord> Painted;

  bool DropSource = false;
  TMoveDragSettings Drag;
  HRESULT DragResult = DRAGDROP_S_CANCEL;
  Integer LastEffect = DROPEFFECT_NONE;
  std::vector<String> DraggedTexts;
  std::vector<String> DraggedRich;
  Integer ColumnDrags = 0;
  TGridCoord CommentCell{-1, -1};
  TPoint Measured{0, 0};
};

// Columns 60 wide and rows 22 high, their lines drawn inside: column c starts at 60 c, row r at 22 r.
constexpr Integer ColStep = 60, RowStep = 22;

class NeoStringGridMouseMove : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    Edit = Add<TEdit>(Form, 0, 270, 100, 22);
    G = Add<TMoveProbe>(Form, 0, 0, 400, 260);
    G->SetColCount(6);
    G->SetRowCount(40);
    G->SetDefaultColWidth(60);
    G->SetDefaultRowHeight(22);
    Form->Show();
    Pump();
  }
  // Client point of a cell's centre.
  static TPoint Centre(Integer ACol, Integer ARow) { return TPoint{ACol * ColStep + 30, ARow * RowStep + 11}; }
  void MoveTo(Integer X, Integer Y) { ControlMouse::MoveTo(G, X, Y); }
  void Down(Integer X, Integer Y) { ControlMouse::Down(G, X, Y); }
  void Up(Integer X, Integer Y) { ControlMouse::Up(G, X, Y); }
  void SetOption(TGridOption Option, bool On) {
    TGridOptions o = G->GetOptions();
    if (On)
      o.Include(Option);
    else
      o.Exclude(Option);
    G->SetOptions(o);
  }
  bool Shown(TWinControl* C) { return C && C->HandleAllocated() && IsWindowVisible(C->GetHandle()); }
  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TMoveProbe* G = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Touch scrolling and drag starts
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseMove, TouchDragScrollsWholeRowsTruncatingTowardZero) {
  G->SetRowCount(100);
  G->GetMouseActions()->SetTouchScroll(true);
  struct Case {
    Integer Dy;       // mouse movement after the press (negative: upwards)
    Integer TopDelta;
  };
  for (Case c : {Case{-50, 2}, Case{50, -2}, Case{-21, 0}, Case{-44, 2}, Case{20, 0}}) {
    SCOPED_TRACE(c.Dy);
    Headless::AdvanceClock(1000);   // no double click, no flick after the release
    G->FocusCell(1, 1);
    G->SetTopRow(20);
    TPoint p = Centre(2, 6);
    Down(p.x, p.y);
    ASSERT_TRUE(G->GetScrollStart());
    MoveTo(p.x, p.y + c.Dy);
    EXPECT_EQ(G->GetTopRow(), 20 + c.TopDelta);
    Headless::AdvanceClock(1000);
    Up(p.x, p.y + c.Dy);
  }
}

TEST_F(NeoStringGridMouseMove, DragStartsAfterMoreThanThreePixelsOnce) {
  G->DropSource = true;
  G->SetCells(2, 3, u"drag me");
  G->FocusCell(2, 3);
  TPoint p = Centre(2, 3);
  Down(p.x, p.y);
  ASSERT_TRUE(G->GetSelectionClick());
  MoveTo(p.x + 3, p.y - 3);
  EXPECT_TRUE(G->DraggedTexts.empty());
  MoveTo(p.x + 4, p.y);
  ASSERT_EQ(G->DraggedTexts.size(), 1u);
  EXPECT_EQ(G->DraggedTexts[0], u"drag me");
  EXPECT_EQ(G->DraggedRich[0], u"drag me");
  MoveTo(p.x + 10, p.y);
  EXPECT_EQ(G->DraggedTexts.size(), 1u);
  // The drag ended cancelled: no picture stays behind.
  EXPECT_EQ(G->GetMoveForm(), nullptr);
  Up(p.x + 10, p.y);
}

TEST_F(NeoStringGridMouseMove, RefusedDragTurnsThePressIntoARangeSelection) {
  struct Case {
    bool ColumnsOnly;
    bool Veto;
  };
  for (Case c : {Case{true, false}, Case{false, true}}) {
    SCOPED_TRACE(c.ColumnsOnly);
    Headless::AdvanceClock(1000);
    G->DropSource = true;
    G->Drag.OleColumnsOnly = c.ColumnsOnly;
    std::vector<String> asked;
    G->OnOleDrag = [&](TObject*, Integer, Integer, const String& Data, bool& Allow) {
      asked.push_back(Data);
      Allow = !c.Veto;
    };
    G->FocusCell(2, 3);
    TPoint p = Centre(2, 3);
    Down(p.x, p.y);
    MoveTo(p.x + 8, p.y);
    EXPECT_TRUE(G->DraggedTexts.empty());
    EXPECT_EQ(asked.size(), c.ColumnsOnly ? 0u : 1u);
    EXPECT_EQ(G->State(), gsSelecting);
    // The selection follows the mouse from here on.
    MoveTo(Centre(4, 5).x, Centre(4, 5).y);
    EXPECT_EQ(G->GetSelection(), GridRectOf(2, 3, 4, 5));
    Up(Centre(4, 5).x, Centre(4, 5).y);
  }
}

TEST_F(NeoStringGridMouseMove, MovedDragClearsTheSourceCellsAndReportsTheEffect) {
  G->DropSource = true;
  G->DragResult = DRAGDROP_S_DROP;
  G->LastEffect = DROPEFFECT_MOVE;
  G->SetCells(2, 3, u"moved");
  std::vector<Integer> stops;
  G->OnOleDragStop = [&](TObject*, Integer Effect) { stops.push_back(Effect); };
  G->FocusCell(2, 3);
  TPoint p = Centre(2, 3);
  Down(p.x, p.y);
  MoveTo(p.x + 5, p.y);
  EXPECT_EQ(G->GetDropSelection(), GridRectOf(2, 3, 2, 3));
  EXPECT_EQ(G->GetCells(2, 3), u"");
  EXPECT_EQ(stops, (std::vector<Integer>{DROPEFFECT_MOVE}));
  Up(p.x + 5, p.y);
}

// ---------------------------------------------------------------------------------------------
// Fixed sizing arm and the pending selection modes
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseMove, FixedColumnBorderArmsWithinTwoPixels) {
  G->SetFixedCols(2);
  G->SetColWidths(0, 64);
  G->SetColWidths(1, 50);
  G->GetMouseActions()->SetSizeFixedCol(true);
  SetOption(goColSizing, true);
  std::vector<Integer> asked;
  G->OnColumnSize = [&](TObject*, Integer ACol, bool& Allow) {
    asked.push_back(ACol);
    Allow = ACol != 1 || asked.size() < 100;
  };
  // Borders at 64 and 64 + 1 + 50 = 115.
  struct Case {
    Integer X;
    bool Armed;
    Integer Column;
  };
  for (Case c : {Case{62, true, 0}, Case{66, true, 0}, Case{61, false, -1}, Case{67, false, -1}, Case{113, true, 1},
                 Case{117, true, 1}, Case{118, false, -1}}) {
    SCOPED_TRACE(c.X);
    asked.clear();
    MoveTo(c.X, 5 * RowStep + 5);
    EXPECT_EQ(G->GetSizeFixed(), c.Armed);
    EXPECT_EQ(asked, c.Armed ? std::vector<Integer>{c.Column} : std::vector<Integer>{});
  }
  // A veto of OnColumnSize keeps the border unarmed; without goColSizing nothing is asked.
  G->OnColumnSize = [&](TObject*, Integer, bool& Allow) { Allow = false; };
  MoveTo(63, 5 * RowStep + 5);
  EXPECT_FALSE(G->GetSizeFixed());
  SetOption(goColSizing, false);
  G->OnColumnSize = [&](TObject*, Integer, bool&) { FAIL() << "asked without goColSizing"; };
  MoveTo(64, 5 * RowStep + 5);
  EXPECT_FALSE(G->GetSizeFixed());
  // Leaving the grid disarms.
  G->GetMouseActions()->SetSizeFixedRow(true);
  MoveTo(5, 21);
  EXPECT_TRUE(G->GetSizeFixedR());
  G->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(G->GetSizeFixedR());
}

TEST_F(NeoStringGridMouseMove, PendingSelectionModeByPosition) {
  TMouseActions* ma = G->GetMouseActions();
  ma->SetAllSelect(true);
  ma->SetColSelect(true);
  ma->SetRowSelect(true);
  SetOption(goColSizing, true);
  SetOption(goRowSizing, true);
  struct Case {
    const char* Name;
    TPoint At;
    TNeoStringGrid::TMouseSelectMode Mode;
  };
  const Case cases[] = {
      {"corner", Centre(0, 0), TNeoStringGrid::msAll},
      {"header", Centre(2, 0), TNeoStringGrid::msColumn},
      {"header at a column border", TPoint{3 * ColStep - 2, 11}, TNeoStringGrid::msNormal},
      {"row header", Centre(0, 5), TNeoStringGrid::msRow},
      {"row header at a row border", TPoint{30, 6 * RowStep - 2}, TNeoStringGrid::msNormal},
      {"normal cell", Centre(3, 5), TNeoStringGrid::msNormal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    MoveTo(c.At.x, c.At.y);
    EXPECT_EQ(G->GetMouseSelectMode(), c.Mode);
  }
  // Without the mouse actions no mode is pending.
  ma->SetAllSelect(false);
  ma->SetColSelect(false);
  ma->SetRowSelect(false);
  for (const Case& c : cases) {
    MoveTo(c.At.x, c.At.y);
    EXPECT_EQ(G->GetMouseSelectMode(), TNeoStringGrid::msNormal) << c.Name;
  }
}

TEST_F(NeoStringGridMouseMove, RowHeaderDragSelectsWholeRows) {
  G->GetMouseActions()->SetRowSelect(true);
  SetOption(goRangeSelect, true);
  MoveTo(Centre(0, 3).x, Centre(0, 3).y);
  ASSERT_EQ(G->GetMouseSelectMode(), TNeoStringGrid::msRow);
  Down(Centre(0, 3).x, Centre(0, 3).y);
  ASSERT_EQ(G->GetMouseSelectStart(), 3);
  MoveTo(Centre(0, 6).x, Centre(0, 6).y);
  EXPECT_EQ(G->GetSelection(), GridRectOf(1, 3, 5, 6));
  MoveTo(Centre(0, 1).x, Centre(0, 1).y);
  EXPECT_EQ(G->GetSelection(), GridRectOf(1, 1, 5, 3));
  Up(Centre(0, 1).x, Centre(0, 1).y);
}

TEST_F(NeoStringGridMouseMove, CursorFollowsThePendingModeAndFixedSizing) {
  TMouseActions* ma = G->GetMouseActions();
  ma->SetAllSelect(true);
  ma->SetColSelect(true);
  ma->SetRowSelect(true);
  auto cursorAt = [&](TPoint P) {
    MoveTo(P.x, P.y);
    SendMessage(G->GetHandle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(G->GetHandle()),
                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  auto program = [](WORD Id) { return LoadCursor(nullptr, MAKEINTRESOURCE(Id)); };
  ASSERT_NE(program(8010), nullptr);
  EXPECT_EQ(cursorAt(Centre(0, 4)), program(8010));
  EXPECT_EQ(cursorAt(Centre(3, 0)), program(8011));
  EXPECT_EQ(cursorAt(Centre(0, 0)), program(8012));
  G->SetCellSelectorMode(true);
  EXPECT_EQ(cursorAt(Centre(3, 4)), program(8014));
  G->SetCellSelectorMode(false);
  EXPECT_NE(cursorAt(Centre(3, 4)), program(8014));
  // An armed fixed border shows the splitter.
  ma->SetSizeFixedCol(true);
  SetOption(goColSizing, true);
  EXPECT_EQ(cursorAt(TPoint{G->GetColWidths(0) + 1, Centre(0, 4).y}), Screen->GetCursors(crHSplit));
  ma->SetSizeFixedRow(true);
  EXPECT_EQ(cursorAt(TPoint{Centre(3, 0).x, G->GetRowHeights(0) - 1}), Screen->GetCursors(crVSplit));
}

TEST_F(NeoStringGridMouseMove, CursorChangesByOthersForgetThePendingMode) {
  G->GetMouseActions()->SetRowSelect(true);
  MoveTo(Centre(0, 4).x, Centre(0, 4).y);
  ASSERT_EQ(G->GetMouseSelectMode(), TNeoStringGrid::msRow);
  // The grid's own cursor change (an anchor's hand) keeps it; anyone else's clears it.
  G->Perform(CM_CURSORCHANGED, 0, 0);
  EXPECT_EQ(G->GetMouseSelectMode(), TNeoStringGrid::msRow);
  EXPECT_FALSE(G->GetInvokedchange());
  G->SetCursor(crCross);
  EXPECT_EQ(G->GetMouseSelectMode(), TNeoStringGrid::msNormal);
}

// ---------------------------------------------------------------------------------------------
// Hover buttons
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseMove, HoverButtonStripFollowsTheRowsItMayShowOver) {
  THoverButtons* hb = G->GetHoverButtons();
  hb->SetEnabled(true);
  hb->SetColumn(2);
  hb->SetPosition(hbRightFromColumnLeft);
  hb->SetMoveActiveRow(false);
  THoverButtonsCollectionItem* first = hb->GetButtons()->Add();
  first->SetCaption(u"A");
  first->SetWidth(30);
  THoverButtonsCollectionItem* second = hb->GetButtons()->Add();
  second->SetCaption(u"B");
  second->SetWidth(40);
  TForm* strip = G->GetHoverButtonForm();

  // hrNormal: not while the grid lacks the focus.
  Edit->SetFocus();
  MoveTo(Centre(3, 4).x, Centre(3, 4).y);
  EXPECT_FALSE(Shown(strip));
  G->SetFocus();
  Pump();
  MoveTo(Centre(3, 4).x, Centre(3, 4).y);
  ASSERT_TRUE(Shown(strip));
  EXPECT_EQ(G->GetHoverButtonRow(), 4);
  TPoint cellTopLeft = G->ClientToScreen(TPoint{2 * ColStep, 4 * RowStep});
  EXPECT_EQ(TPoint(strip->GetLeft(), strip->GetTop()), cellTopLeft);
  EXPECT_EQ(strip->GetWidth(), 70);
  EXPECT_EQ(strip->GetHeight(), 22);
  ASSERT_EQ(strip->GetControlCount(), 2);
  auto* b0 = dynamic_cast<TSpeedButton*>(strip->GetControls(0));
  auto* b1 = dynamic_cast<TSpeedButton*>(strip->GetControls(1));
  ASSERT_TRUE(b0 && b1);
  EXPECT_EQ(b0->GetCaption(), u"A");
  EXPECT_EQ(b1->GetCaption(), u"B");
  EXPECT_EQ((TRect{b1->GetLeft(), b1->GetTop(), b1->GetLeft() + b1->GetWidth(), b1->GetHeight()}),
            (TRect{30, 0, 70, 22}));
  EXPECT_EQ(b1->GetTag(), 1);
  // The strip never takes the activation or the focus.
  EXPECT_EQ(GetFocus(), G->GetHandle());
  EXPECT_NE(GetWindowLong(strip->GetHandle(), GWL_EXSTYLE) & static_cast<LONG>(WS_EX_TOPMOST), 0);

  // A click on a strip button reports the hovered row and its item; the focus stays.
  std::vector<std::pair<Integer, THoverButtonsCollectionItem*>> clicks;
  G->OnHoverButtonClick = [&](TObject*, Integer ARow, THoverButtonsCollectionItem* Item) {
    clicks.emplace_back(ARow, Item);
  };
  TPoint onB = strip->ClientToScreen(TPoint{50, 10});
  Headless::Click(onB.x, onB.y);
  Pump();
  EXPECT_EQ(clicks, (std::vector<std::pair<Integer, THoverButtonsCollectionItem*>>{{4, second}}));
  EXPECT_EQ(GetFocus(), G->GetHandle());

  // Fixed rows: only with hrAll.
  MoveTo(Centre(3, 0).x, Centre(3, 0).y);
  EXPECT_FALSE(Shown(strip));
  hb->SetRows(hrAll);
  Edit->SetFocus();
  MoveTo(Centre(3, 0).x, Centre(3, 0).y);
  EXPECT_TRUE(Shown(strip));

  // The event's veto hides it; the other positions subtract the strip's width or start at the right.
  G->OnHoverButtonsShow = [](TObject*, Integer, Integer, bool& Allow) { Allow = false; };
  MoveTo(Centre(3, 2).x, Centre(3, 2).y);
  EXPECT_FALSE(Shown(strip));
  G->OnHoverButtonsShow = nullptr;
  struct Place {
    THoverButtonPosition Position;
    Integer Left;
  };
  for (Place c : {Place{hbLeftFromColumnLeft, 2 * ColStep - 70}, Place{hbLeftFromColumnRight, 2 * ColStep + 60 - 70},
                  Place{hbRightFromColumnRight, 2 * ColStep + 60}}) {
    hb->SetPosition(c.Position);
    MoveTo(Centre(3, 2).x, Centre(3, 2).y);
    EXPECT_EQ(strip->GetLeft(), G->ClientToScreen(TPoint{c.Left, 0}).x) << c.Position;
  }
}

TEST_F(NeoStringGridMouseMove, HoverButtonsMoveTheActiveRowAndRebuildWhenTheEventChangesThem) {
  THoverButtons* hb = G->GetHoverButtons();
  hb->SetEnabled(true);
  hb->SetRows(hrAll);
  hb->GetButtons()->Add()->SetCaption(u"one");
  MoveTo(Centre(3, 7).x, Centre(3, 7).y);
  EXPECT_EQ((TGridCoord{G->GetCol(), G->GetRow()}), (TGridCoord{3, 7}));
  EXPECT_EQ(G->GetHoverButtonForm()->GetControlCount(), 1);
  G->OnHoverButtonsShow = [&](TObject*, Integer, Integer, bool&) {
    if (hb->GetButtons()->GetCount() == 1) hb->GetButtons()->Add()->SetCaption(u"two");
  };
  MoveTo(Centre(3, 8).x, Centre(3, 8).y);
  EXPECT_EQ(G->GetHoverButtonForm()->GetControlCount(), 2);
}

// ---------------------------------------------------------------------------------------------
// The pop-up tool bar
// ---------------------------------------------------------------------------------------------
// A tool bar that logs where the grid shows it (its cell, and its point in the grid's client
// coordinates) and when the grid hides it.
class TLoggedPopup : public TNeoGridPopup {
public:
  TLoggedPopup(TComponent* AOwner, TNeoStringGrid* AGrid) : TNeoGridPopup(AOwner), Grid(AGrid) {}
  void Show(TPoint PT) override {
    TNeoGridPopup::Show(PT);
    TPoint at = Grid->ScreenToClient(PT);
    Log.push_back("show " + std::to_string(GetGridCell().X) + "," + std::to_string(GetGridCell().Y) + " at " +
                  std::to_string(at.x) + "," + std::to_string(at.y));
  }
  void Hide() override {
    TNeoGridPopup::Hide();
    Log.push_back("hide");
  }
  bool MouseInPopup(TPoint PT) override {
    AskedAt.push_back(PT);
    return Inside;
  }
  // The last entry since the previous call ("" when nothing happened).
  std::string Take() {
    std::string last = Log.empty() ? "" : Log.back();
    Log.clear();
    return last;
  }
  TNeoStringGrid* Grid;
  std::vector<std::string> Log;
  std::vector<TPoint> AskedAt;
  bool Inside = false;
};

TEST_F(NeoStringGridMouseMove, PopupToolBarShowsAboveTheCellItsModePicks) {
  auto* bar = new TLoggedPopup(Form, G);
  G->SetPopupToolBar(bar);
  G->FocusCell(2, 3);
  using M = TNeoStringGrid::TPopupToolBarMode;
  struct Step {
    M Mode;
    TGridCoord Cell;   // (-1, -1): a point of the grid outside its cells
    const char* Expect;
  };
  const Step steps[] = {
      {TNeoStringGrid::tbNone, {2, 3}, ""},
      {TNeoStringGrid::tbActiveCell, {3, 4}, ""},
      {TNeoStringGrid::tbActiveCell, {2, 3}, "show 2,3 at 120,22"},   // 44 pixels above the cell's top
      {TNeoStringGrid::tbActiveCell, {2, 3}, ""},
      {TNeoStringGrid::tbActiveCell, {3, 4}, "hide"},
      {TNeoStringGrid::tbActiveCell, {2, 3}, "show 2,3 at 120,22"},
      {TNeoStringGrid::tbHoverCell, {2, 3}, ""},
      {TNeoStringGrid::tbHoverCell, {1, 0}, "hide"},                  // hides first ...
      {TNeoStringGrid::tbHoverCell, {1, 0}, "show 1,0 at 60,-44"},    // ... the next move shows it
      {TNeoStringGrid::tbHoverCell, {1, 0}, ""},
      {TNeoStringGrid::tbHoverNormalCell, {2, 2}, "hide"},
      {TNeoStringGrid::tbHoverNormalCell, {0, 2}, ""},                // fixed cells get none
      {TNeoStringGrid::tbHoverNormalCell, {3, 0}, ""},
      {TNeoStringGrid::tbHoverNormalCell, {2, 2}, "show 2,2 at 120,0"},
      {TNeoStringGrid::tbHoverNormalCell, {-1, -1}, "hide"},
      {TNeoStringGrid::tbHoverNormalCell, {-1, -1}, ""},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(std::to_string(s.Mode) + " at " + std::to_string(s.Cell.X) + "," + std::to_string(s.Cell.Y));
    G->SetPopupToolBarMode(s.Mode);
    TPoint p = s.Cell.X < 0 ? TPoint{370, 100} : Centre(s.Cell.X, s.Cell.Y);
    MoveTo(p.x, p.y);
    std::string got = bar->Take();
    EXPECT_EQ(got, s.Expect);
    if (got.starts_with("show")) {
      EXPECT_EQ(bar->GetGrid(), G);
    }
  }
  EXPECT_EQ(G->GetToolBarPopupCell(), (TGridCoord{2, 2}));
}

TEST_F(NeoStringGridMouseMove, PopupToolBarStaysOnLeaveOverItselfOrWhileEditingAndIsForgottenWhenFreed) {
  auto* bar = new TLoggedPopup(Form, G);
  G->SetPopupToolBar(bar);
  G->SetPopupToolBarMode(TNeoStringGrid::tbHoverCell);
  MoveTo(Centre(2, 2).x, Centre(2, 2).y);
  ASSERT_TRUE(bar->GetVisible());
  bar->Inside = true;
  G->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(bar->GetVisible());
  ASSERT_EQ(bar->AskedAt.size(), 1u);
  EXPECT_EQ(bar->AskedAt[0], G->ClientToScreen(Centre(2, 2)));   // the cursor, in screen coordinates
  bar->Inside = false;
  SetOption(goEditing, true);
  G->SetEditorMode(true);
  G->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(bar->GetVisible());
  G->SetEditorMode(false);
  G->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(bar->GetVisible());

  delete bar;
  EXPECT_EQ(G->GetPopupToolBar(), nullptr);
  MoveTo(Centre(3, 3).x, Centre(3, 3).y);   // nothing left to show
}

// ---------------------------------------------------------------------------------------------
// Anchors
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseMove, AnchorsEnterAndExitInOrderWithTheHandCursor) {
  G->SetColWidths(2, 200);
  G->SetCells(2, 3, u"<a href=\"http://x.org\">link</a> and more text");
  G->SetCells(3, 3, u"plain");
  std::vector<String> events;
  G->OnAnchorEnter = [&](TObject*, Integer ARow, Integer ACol, const String& Anchor) {
    EXPECT_EQ((TGridCoord{ACol, ARow}), (TGridCoord{2, 3}));
    events.push_back(u"enter " + Anchor);
  };
  G->OnAnchorExit = [&](TObject*, Integer, Integer, const String& Anchor) { events.push_back(u"exit [" + Anchor + u"]"); };
  TCursor own = G->GetCursor();
  Integer y = 3 * RowStep + 11;
  MoveTo(2 * ColStep + 8, y);
  EXPECT_EQ(G->GetCursor(), crHandPoint);
  EXPECT_EQ(G->GetAnchor(), u"http://x.org");
  MoveTo(2 * ColStep + 10, y);   // still on the anchor: nothing new
  MoveTo(2 * ColStep + 150, y);  // same cell, plain text
  EXPECT_EQ(G->GetCursor(), own);
  MoveTo(2 * ColStep + 8, y);
  MoveTo(Centre(4, 3).x, y);    // another cell
  EXPECT_EQ(events, (std::vector<String>{u"enter http://x.org", u"exit []", u"enter http://x.org", u"exit []"}));
  EXPECT_EQ(G->GetCursor(), own);
}

TEST_F(NeoStringGridMouseMove, UnderlineOnHoverRepaintsTheOldAndTheNewCell) {
  G->SetURLUnderlineOnHover(true);
  G->SetCells(2, 3, u"<a href=\"a\">one</a>");
  G->SetCells(2, 5, u"<a href=\"b\">two</a>");
  MoveTo(2 * ColStep + 6, 3 * RowStep + 11);
  EXPECT_EQ(G->GetHoverCell(), TPoint(2, 3));
  EXPECT_GE(G->GetHoverLink(), 0);
  Pump();
  G->Painted.clear();
  MoveTo(2 * ColStep + 6, 5 * RowStep + 11);
  EXPECT_EQ(G->GetHoverCell(), TPoint(2, 5));
  EXPECT_TRUE(G->WasPainted(2, 3));
  EXPECT_TRUE(G->WasPainted(2, 5));
  // A plain cell forgets the hovered link.
  MoveTo(Centre(4, 4).x, Centre(4, 4).y);
  EXPECT_EQ(G->GetHoverCell(), TPoint(-1, -1));
  EXPECT_EQ(G->GetHoverLink(), -1);
}

// ---------------------------------------------------------------------------------------------
// Sizing hint, moving feedback
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseMove, SizingHintShowsThePressWidthPlusTheDistanceMoved) {
  SetOption(goColSizing, true);
  G->SetScrollHints(shVertical);
  G->SetHintShowSizing(true);
  std::vector<std::pair<Integer, Integer>> sizes;
  G->OnColumnSizing = [&](TObject*, Integer ACol, Integer Size) { sizes.emplace_back(ACol, Size); };
  Integer border = 2 * ColStep + 60;   // right edge of column 2
  Down(border, 10);
  MoveTo(border + 15, 10);
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back(), std::make_pair(2, 75));
  ASSERT_TRUE(G->GetScrollHintShow());
  EXPECT_EQ(G->GetScrollHintWindow()->GetCaption(), u"cw=<b>75</b>");
  MoveTo(border - 20, 10);
  EXPECT_EQ(sizes.back(), std::make_pair(2, 40));
  EXPECT_EQ(G->GetScrollHintWindow()->GetCaption(), u"cw=<b>40</b>");
  Up(border - 20, 10);
}

TEST_F(NeoStringGridMouseMove, ColumnMoveShowsThePictureAndArrowsAtTheirPoints) {
  SetOption(goColMoving, true);
  std::vector<Integer> moving;
  G->OnColumnMoving = [&](TObject*, Integer ACol, bool&) { moving.push_back(ACol); };
  TPoint press = Centre(2, 0);
  Down(press.x, press.y);
  ASSERT_EQ(G->State(), gsColMoving);
  MoveTo(Centre(4, 0).x, press.y + 2);
  TForm* picture = G->GetMoveForm();
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(Shown(picture));
  // The picture's top-left keeps the press offset inside the dragged header: (X - 30, Y - 11).
  TPoint at = G->ClientToScreen(TPoint{Centre(4, 0).x - 30, press.y + 2 - 11});
  EXPECT_EQ(TPoint(picture->GetLeft(), picture->GetTop()), at);
  EXPECT_EQ(picture->GetWidth(), 61);
  EXPECT_EQ(Screen->GetCursor(), crDrag);
  EXPECT_EQ(G->GetMoveButton()->GetCaption(), G->GetCells(2, 0));

  // The next move places the arrows at the previous target, column 4, right of it (4 > 2).
  MoveTo(Centre(3, 0).x, press.y);
  TArrowWindow* up = G->GetArrow(0);
  TArrowWindow* down = G->GetArrow(1);
  ASSERT_TRUE(up && down);
  EXPECT_TRUE(Shown(up));
  EXPECT_TRUE(Shown(down));
  TRect header = G->CellRect(4, 0);
  EXPECT_EQ(TPoint(up->GetLeft(), up->GetTop()), G->ClientToScreen(TPoint{header.right - 5, header.bottom}));
  EXPECT_EQ(TPoint(down->GetLeft(), down->GetTop()), G->ClientToScreen(TPoint{header.right - 5, header.top - 8}));
  EXPECT_EQ(moving, (std::vector<Integer>{4, 3}));
  // The focus never went to the picture.
  EXPECT_NE(GetFocus(), picture->GetHandle());

  // Refused moving shows the no-drop cursor.
  G->OnColumnMoving = [](TObject*, Integer, bool& Allow) { Allow = false; };
  MoveTo(Centre(5, 0).x, press.y);
  EXPECT_EQ(Screen->GetCursor(), crNoDrop);
  Up(Centre(5, 0).x, press.y);
  Screen->SetCursor(crDefault);
}

TEST_F(NeoStringGridMouseMove, ColumnMoveVetoReturnsToNormal) {
  SetOption(goColMoving, true);
  G->OnColumnMove = [](TObject*, Integer, bool& Allow) { Allow = false; };
  TPoint press = Centre(2, 0);
  Down(press.x, press.y);
  ASSERT_EQ(G->State(), gsColMoving);
  MoveTo(Centre(4, 0).x, press.y);
  EXPECT_EQ(G->State(), gsNormal);
  Up(Centre(4, 0).x, press.y);
  EXPECT_EQ(G->GetCells(2, 0), G->GetCells(2, 0));
}

// ---------------------------------------------------------------------------------------------
// Enter, leave
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseMove, LeaveClearsHoverStatesAndEnterFocusesWithAutoFocus) {
  G->SetHoverRow(true);
  G->SetHoverFixedCells(hfAll);
  MoveTo(Centre(2, 0).x, Centre(2, 0).y);
  EXPECT_EQ(G->GetHoverFixedX(), 2);
  EXPECT_EQ(G->GetHoverFixedY(), 0);
  EXPECT_EQ(G->FHoverRowIdx, 0);
  G->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(G->GetHoverFixedX(), -1);
  EXPECT_EQ(G->FHoverRowIdx, -1);
  EXPECT_EQ(G->GetMouseSelectMode(), TNeoStringGrid::msNormal);

  Edit->SetFocus();
  G->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(GetFocus(), Edit->GetHandle());
  G->GetMouseActions()->SetAutoFocus(true);
  G->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(GetFocus(), G->GetHandle());
}

// ---------------------------------------------------------------------------------------------
// Cell hints
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridMouseMove, CellHintTable) {
  G->SetColWidths(2, 120);
  G->SetCells(2, 2, u"plain text");
  G->SetCells(2, 3, u"<b>bold</b> text");
  G->SetCells(2, 4, u"<a href=\"go\" title=\"Go there\">go</a> rest");
  G->SetCells(2, 5, u"a long text");
  G->SetHintColor(0x00C0FFEE);
  struct Case {
    const char* Name;
    Integer Row;
    bool ShowCells, HTMLHint, AnchorHint, LargeText, Comment;
    TPoint Measured;
    const char16_t* Text;
    bool HTMLWindow;
    TPoint Pos;   // client coordinates
  };
  TPoint cursorIn{2 * ColStep + 40, 0};
  auto c2 = [&](Integer Row) { return G->CellRect(2, Row); };
  const Case cases[] = {
      {"plain, no options", 2, false, false, false, false, false, {0, 0}, u"control hint", false,
       {cursorIn.x, c2(2).bottom + 6}},
      {"plain, HintShowCells", 2, true, false, false, false, false, {0, 0}, u"plain text", false,
       {cursorIn.x, c2(2).top}},
      {"markup stripped", 3, true, false, false, false, false, {0, 0}, u"bold text", false, {cursorIn.x, c2(3).top}},
      {"markup kept with HTMLHint", 3, true, true, false, false, false, {0, 0}, u"<b>bold</b> text", true,
       {cursorIn.x, c2(3).top}},
      {"comment: top-right corner", 2, false, false, false, false, true, {0, 0}, u"control hint", false,
       {c2(2).right, c2(2).top}},
      {"large text at the cell", 5, false, false, false, true, false, {500, 10}, u"a long text", false,
       {c2(5).left, c2(5).top}},
      {"text that fits", 5, false, false, false, true, false, {20, 10}, u"control hint", false,
       {cursorIn.x, c2(5).bottom + 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    G->SetHintShowCells(c.ShowCells);
    G->SetHTMLHint(c.HTMLHint);
    G->SetAnchorHint(c.AnchorHint);
    G->SetHintShowLargeText(c.LargeText);
    G->CommentCell = c.Comment ? TGridCoord{2, c.Row} : TGridCoord{-1, -1};
    G->Measured = c.Measured;
    THintInfo info;
    info.CursorPos = TPoint{cursorIn.x, c.Row * RowStep + 11};
    info.HintPos = G->ClientToScreen(TPoint{info.CursorPos.x, info.CursorPos.y + 20});
    info.HintStr = u"control hint";
    G->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.HintStr, String(c.Text));
    EXPECT_EQ(info.HintPos, G->ClientToScreen(c.Pos));
    EXPECT_EQ(info.HintWindowClass == THTMLHintWindow::StaticClass(), c.HTMLWindow);
    EXPECT_EQ(info.HintColor, static_cast<TColor>(0x00C0FFEE));
    EXPECT_EQ(G->GetLastHintPos(), TPoint(2, c.Row));
  }

  // An anchor with AnchorHint: the anchor's title, beside the cursor; OnAnchorHint may change it.
  G->SetHintShowCells(false);
  G->SetAnchorHint(true);
  G->OnAnchorHint = [](TObject*, Integer, Integer, String& Text) { Text += u"!"; };
  THintInfo info;
  info.CursorPos = TPoint{2 * ColStep + 6, 4 * RowStep + 11};
  info.HintPos = G->ClientToScreen(info.CursorPos);
  G->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.HintStr, u"Go there!");
  EXPECT_EQ(info.HintPos, G->ClientToScreen(TPoint{info.CursorPos.x + 8, info.CursorPos.y - 16}));
  EXPECT_EQ(G->GetLastAnchorHint(), u"Go there!");

  // Moving to another cell forgets the cell of the hint.
  MoveTo(Centre(3, 7).x, Centre(3, 7).y);
  EXPECT_EQ(G->GetLastHintPos(), TPoint(-1, -1));
}

TEST_F(NeoStringGridMouseMove, OnGridHintHasTheLastWord) {
  G->SetHintShowCells(true);
  G->SetCells(3, 3, u"cell");
  G->OnGridHint = [](TObject*, Integer ARow, Integer ACol, String& Hint) {
    Hint = u"<i>" + Hint + u"</i> at " + IntToStr(ACol) + u"," + IntToStr(ARow);
  };
  THintInfo info;
  info.CursorPos = Centre(3, 3);
  info.HintPos = G->ClientToScreen(info.CursorPos);
  G->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.HintStr, u"<i>cell</i> at 3,3");
  // Markup from the event is shown by the markup hint window, with the grid as its data.
  EXPECT_EQ(info.HintWindowClass, THTMLHintWindow::StaticClass());
  EXPECT_EQ(info.HintData, static_cast<void*>(G));
  G->SetUseInternalHintClass(false);
  info.HintWindowClass = nullptr;
  G->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.HintWindowClass, nullptr);
}

}  // namespace
