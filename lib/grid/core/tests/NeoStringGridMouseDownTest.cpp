// The grid's left press, headless through the message queue: one row per press path (a refused
// click, disjunct rows with Ctrl and Ctrl+Shift, fixed sizing, header sizing by the base grid,
// ratings, CELL:// jumps, CHECK controls, partial rows, check boxes with PreciseCheckBoxCheck),
// the order of events for a check-box, an anchor and a header press, which anchors reach the
// desktop's handler, and the selection-resize handle that keeps its source rectangle.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/WinUser.h"

namespace {

// Scripts the cell graphics the press asks about, by real column and row.
class TPressProbe : public TNeoStringGrid {
public:
  explicit TPressProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  TCellType GetCellType(Integer ACol, Integer ARow) override {
    auto it = Types.find({ACol, ARow});
    return it == Types.end() ? TNeoStringGrid::GetCellType(ACol, ARow) : it->second;
  }
  bool CellHasCheckBox(Integer ACol, Integer ARow) override { return GetCellType(ACol, ARow) == ctCheckBox; }
  bool ToggleCellCheck(Integer ACol, Integer ARow, bool) override {
    Toggles.push_back({ACol, ARow});
    Checked[{ACol, ARow}] = !Checked[{ACol, ARow}];
    return true;
  }
  bool GetCheckBoxState(Integer ACol, Integer ARow, bool& State) override {
    State = Checked[{ACol, ARow}];
    return true;
  }
  void SetRating(Integer ACol, Integer ARow, Double Value) override { Ratings[{ACol, ARow}] = Value; }
  bool ShowModifiedEnabled() override { return ShowModified; }
  void ColWidthsChanged() override {
    ++WidthChanges;
    TNeoStringGrid::ColWidthsChanged();
  }
  TGridState GridState() const { return FGridState; }

  std::map<std::pair<Integer, Integer>, TCellType> Types;
  std::map<std::pair<Integer, Integer>, bool> Checked;
  std::map<std::pair<Integer, Integer>, Double> Ratings;
  std::vector<std::pair<Integer, Integer>> Toggles;
  bool ShowModified = false;
  Integer WidthChanges = 0;
};

class NeoStringGridMouseDown : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    Other = Add<TEdit>(Form, 0, 272, 100, 22);
    G = Add<TPressProbe>(Form, 0, 0, 400, 264);
    G->SetColCount(5);
    G->SetRowCount(30);
    G->SetDefaultColWidth(64);
    G->SetDefaultRowHeight(24);
    Form->Show();
    Pump();
    Headless::ClearShellRequests();
  }
  void Options(std::initializer_list<TGridOption> On) {
    TGridOptions o = G->GetOptions();
    for (TGridOption x : On) o.Include(x);
    G->SetOptions(o);
  }
  // A press (and release) at client point (X, Y) with modifier keys held.
  void PressAt(Integer X, Integer Y, std::initializer_list<UINT> Keys = {}, bool Release = true) {
    Headless::AdvanceClock(1000);   // never a double click
    for (UINT k : Keys) Headless::KeyDown(k);
    TPoint p = ScreenPoint(G, X, Y);
    Headless::ButtonDown(1, p.x, p.y);
    Pump();
    if (Release) {
      Headless::ButtonUp(1, p.x, p.y);
      Pump();
    }
    for (UINT k : Keys) Headless::KeyUp(k);
    Pump();
  }
  TPoint CellPoint(Integer ACol, Integer ARow, Integer DX = 20, Integer DY = 10) {
    TRect r = G->CellRect(ACol, ARow);
    return TPoint{r.left + DX, r.top + DY};
  }
  void PressCell(Integer ACol, Integer ARow, std::initializer_list<UINT> Keys = {}) {
    TPoint p = CellPoint(ACol, ARow);
    PressAt(p.x, p.y, Keys);
  }
  TForm* Form = nullptr;
  TEdit* Other = nullptr;
  TPressProbe* G = nullptr;
};

TEST_F(NeoStringGridMouseDown, RefusedClickLeavesSelectionEditorAndFocus) {
  Options({goEditing});
  G->SetSelection(GridRectOf(1, 2, 1, 2));
  Other->SetFocus();
  Pump();
  std::vector<std::pair<Integer, Integer>> asked;
  G->OnCanClickCell = [&](TObject*, Integer ARow, Integer ACol, bool& Allow) {
    asked.push_back({ARow, ACol});
    Allow = false;
  };
  bool clicked = false;
  G->OnClickCell = [&](TObject*, Integer, Integer) { clicked = true; };
  PressCell(3, 5);
  EXPECT_EQ(asked, (std::vector<std::pair<Integer, Integer>>{{5, 3}}));
  EXPECT_EQ(G->GetSelection(), GridRectOf(1, 2, 1, 2));
  EXPECT_FALSE(G->GetEditorMode());
  EXPECT_TRUE(Other->Focused());
  EXPECT_FALSE(clicked);
}

TEST_F(NeoStringGridMouseDown, DisjunctRowsCtrlMarksAndCtrlShiftActsAsShift) {
  G->GetMouseActions()->SetDisjunctRowSelect(true);
  G->SetSelection(GridRectOf(1, 2, 1, 2));
  G->SetRowSelect(2, true);
  G->SetRowSelect(6, true);
  // Ctrl on a selected row only marks it for removal on release.
  TPoint p = CellPoint(2, 6);
  PressAt(p.x, p.y, {VK_CONTROL}, false);
  EXPECT_TRUE(G->GetDeselectState());
  EXPECT_FALSE(G->GetMouseDownState());
  EXPECT_TRUE(G->GetRowSelect(6));
  PressAt(p.x, p.y);   // the release of the held press, and a plain press that resets the rows
  // Ctrl+Shift is a Shift press: the range from the clicked cell to the old selection's corner.
  G->SetSelection(GridRectOf(1, 2, 1, 2));
  G->SetRowSelect(2, true);
  PressCell(3, 5, {VK_CONTROL, VK_SHIFT});
  EXPECT_EQ(G->GetSelection(), GridRectOf(1, 2, 3, 5));
  EXPECT_TRUE(G->GetOrigSelection() == GridRectOf(1, 2, 1, 2));
  // A plain press starts a new disjunct selection and clears the old rows.
  TPoint q = CellPoint(2, 9);
  PressAt(q.x, q.y, {}, false);
  EXPECT_TRUE(G->GetMouseDownState());
  EXPECT_FALSE(G->GetRowSelect(2));
  TPoint s = ScreenPoint(G, q.x, q.y);
  Headless::ButtonUp(1, s.x, s.y);
  Pump();
}

TEST_F(NeoStringGridMouseDown, ArmedFixedSizingWithin3PixelsStartsSizingOnly) {
  G->SetFixedCols(2);
  bool clicked = false;
  G->OnClickCell = [&](TObject*, Integer, Integer) { clicked = true; };
  TGridRect before = G->GetSelection();
  // Fixed column borders lie at the running sum of widths plus one pixel per column.
  Integer b0 = G->GetColWidths(0) + 1, b1 = b0 + G->GetColWidths(1) + 1;
  struct Case {
    Integer X;
    Integer Col;
  } cases[] = {{b0, 0}, {b0 + 3, 0}, {b0 - 3, 0}, {b1 - 2, 1}, {b0 + 10, -1}};
  // The press message itself, without the pointer moving there first (a move arms or disarms).
  for (const Case& c : cases) {
    // The release of each press sizes the column: the widths start afresh.
    G->SetColWidths(0, b0 - 1);
    G->SetColWidths(1, b1 - b0 - 1);
    G->SetSizeFixed(true);
    SendMessage(G->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.X, 40));
    EXPECT_TRUE(G->GetSizingFixed()) << c.X;
    EXPECT_EQ(G->GetSizingFixedCol(), c.Col) << c.X;
    EXPECT_FALSE(clicked);
    SendMessage(G->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(c.X, 40));
    clicked = false;
  }
  G->SetSizeFixed(false);
  EXPECT_EQ(G->GetSelection(), before);
}

TEST_F(NeoStringGridMouseDown, HeaderBorderDragReachesTheBaseGridAndSizesTheColumn) {
  Options({goColSizing});
  Pump();
  G->WidthChanges = 0;
  TRect r = G->CellRect(2, 0);
  TPoint down = ScreenPoint(G, r.right, 10);
  Headless::ButtonDown(1, down.x, down.y);
  Pump();
  EXPECT_EQ(G->GridState(), gsColSizing);
  Headless::MouseMove(down.x + 30, down.y);
  Headless::ButtonUp(1, down.x + 30, down.y);
  Pump();
  EXPECT_EQ(G->GetColWidths(2), 64 + 30);
  EXPECT_EQ(G->WidthChanges, 1);
}

TEST_F(NeoStringGridMouseDown, RatingStoresHalfStarsOf9Pixels) {
  Options({goEditing});
  G->Types[{2, 3}] = ctRating;
  std::vector<Double> asked;
  G->OnRatingChange = [&](TObject*, Integer, Integer, Double& NewRate, bool&) { asked.push_back(NewRate); };
  TRect r = G->CellRect(2, 3);
  PressAt(r.left + 40, r.top + 5);
  EXPECT_EQ(G->Ratings[std::make_pair(2, 3)], 2.0);
  PressAt(r.left + 53, r.top + 5);
  EXPECT_EQ(G->Ratings[std::make_pair(2, 3)], 2.5);
  EXPECT_EQ(asked, (std::vector<Double>{2.0, 2.5}));
  // A refused change stores nothing.
  G->OnRatingChange = [&](TObject*, Integer, Integer, Double&, bool& Allow) { Allow = false; };
  PressAt(r.left + 10, r.top + 5);
  EXPECT_EQ(G->Ratings[std::make_pair(2, 3)], 2.5);
}

TEST_F(NeoStringGridMouseDown, CellAnchorJumpsAndCentresAnUnparsableOneDoesNothing) {
  G->SetRowCount(200);
  G->SetCells(1, 2, u"<a href=\"CELL://R120C3\">jump</a>");
  G->SetCells(1, 3, u"<a href=\"CELL://xyz\">nowhere</a>");
  PressCell(1, 2, {});
  EXPECT_EQ(G->GetRow(), 120);
  EXPECT_EQ(G->GetCol(), 3);
  Integer rows = G->GetVisibleRowCount();
  EXPECT_EQ(G->GetTopRow(), 120 - rows / 2);
  // Back to the top, then the unparsable reference.
  G->SetTopRow(1);
  G->FocusCell(1, 1);
  Pump();
  PressCell(1, 3);
  EXPECT_EQ(G->GetRow(), 1);
  EXPECT_EQ(G->GetCol(), 1);
  EXPECT_TRUE(Headless::ShellRequests().empty());
}

TEST_F(NeoStringGridMouseDown, CheckControlValueComparisonIsExact) {
  Options({goEditing});
  G->SetCells(2, 4, u"<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"true\">");
  std::vector<String> clicks;
  G->OnControlClick = [&](TObject*, Integer ARow, Integer ACol, const String& ID, const String& Type,
                          const String& Value) {
    clicks.push_back(IntToStr(ARow) + u"," + IntToStr(ACol) + u"," + ID + u"," + Type + u"," + Value);
  };
  PressAt(G->CellRect(2, 4).left + 9, G->CellRect(2, 4).top + 10);
  EXPECT_NE(G->GetCells(2, 4).find(u"VALUE=\"TRUE\""), String::npos) << UTF8Encode(G->GetCells(2, 4));
  PressAt(G->CellRect(2, 4).left + 9, G->CellRect(2, 4).top + 10);
  EXPECT_NE(G->GetCells(2, 4).find(u"VALUE=\"FALSE\""), String::npos) << UTF8Encode(G->GetCells(2, 4));
  EXPECT_EQ(clicks, (std::vector<String>{u"4,2,c1,CHECK,TRUE", u"4,2,c1,CHECK,FALSE"}));
  // Without editing the control does not change: it is an anchor click.
  TGridOptions o = G->GetOptions();
  o.Exclude(goEditing);
  G->SetOptions(o);
  bool anchor = false;
  G->OnAnchorClick = [&](TObject*, Integer, Integer, const String&, bool&) { anchor = true; };
  PressAt(G->CellRect(2, 4).left + 9, G->CellRect(2, 4).top + 10);
  EXPECT_NE(G->GetCells(2, 4).find(u"VALUE=\"FALSE\""), String::npos);
  EXPECT_TRUE(anchor);
}

TEST_F(NeoStringGridMouseDown, PartialLastRowKeepsTheTopRowWithDeltaZero) {
  // 264 pixels hold 10 whole rows of 25 (24 + line) and part of the 11th.
  Integer partial = G->GetTopRow() + G->GetVisibleRowCount();
  TRect r = G->CellRect(2, partial);
  ASSERT_FALSE(r.bottom <= r.top);
  G->GetMouseActions()->SetNoScrollOnPartialRow(true);
  G->GetMouseActions()->SetPartialScrollDelta(0);
  PressAt(r.left + 20, r.top + 5);
  EXPECT_EQ(G->GetTopRow(), 1);
  EXPECT_EQ(G->GetRow(), partial);
  EXPECT_EQ(G->GridState(), gsNormal);
}

TEST_F(NeoStringGridMouseDown, PreciseCheckBoxBesideTheGlyphMarksTheRowWithoutToggling) {
  Options({goEditing});
  G->Types[{2, 3}] = ctCheckBox;
  G->ShowModified = true;
  G->GetMouseActions()->SetPreciseCheckBoxCheck(true);
  std::vector<bool> clicks;
  G->OnCheckBoxClick = [&](TObject*, Integer, Integer, bool State) { clicks.push_back(State); };
  PressCell(2, 3);
  EXPECT_TRUE(G->Toggles.empty());
  EXPECT_TRUE(G->GetRowModified(3));
  EXPECT_EQ(G->GetCol(), 2);
  EXPECT_EQ(G->GetRow(), 3);
  EXPECT_TRUE(clicks.empty());
  // Without PreciseCheckBoxCheck the whole cell toggles.
  G->GetMouseActions()->SetPreciseCheckBoxCheck(false);
  PressCell(2, 3);
  EXPECT_EQ(G->Toggles, (std::vector<std::pair<Integer, Integer>>{{2, 3}}));
  EXPECT_EQ(clicks, std::vector<bool>{true});
}

// The events of one press, in order, with their arguments.
TEST_F(NeoStringGridMouseDown, EventOrderForCheckBoxAnchorAndHeaderPresses) {
  std::vector<std::string> log;
  auto add = [&](std::string S) { log.push_back(std::move(S)); };
  auto n = [](Integer V) { return std::to_string(V); };
  G->OnCanClickCell = [&](TObject*, Integer ARow, Integer ACol, bool&) { add("CanClickCell " + n(ARow) + "," + n(ACol)); };
  G->OnClickCell = [&](TObject*, Integer ARow, Integer ACol) { add("ClickCell " + n(ARow) + "," + n(ACol)); };
  G->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer X, Integer Y) {
    add("MouseDown " + n(X) + "," + n(Y));
  };
  G->OnCheckBoxClick = [&](TObject*, Integer ACol, Integer ARow, bool State) {
    add("CheckBoxClick " + n(ACol) + "," + n(ARow) + "," + n(State));
  };
  G->OnAnchorClick = [&](TObject*, Integer ARow, Integer ACol, const String& Anchor, bool&) {
    add("AnchorClick " + n(ARow) + "," + n(ACol) + "," + UTF8Encode(Anchor));
  };
  G->OnClick = [&](TObject*) { add("Click"); };
  G->OnSelectCell = [&](TObject*, Integer ACol, Integer ARow, bool&) { add("SelectCell " + n(ACol) + "," + n(ARow)); };
  Options({goEditing});
  G->Types[{2, 3}] = ctCheckBox;
  G->SetCells(1, 5, u"<a href=\"http://example.com/\">site</a>");
  // Taking the focus asks the cell-selection query about the current cell (1, 1) first.
  TPoint c = CellPoint(2, 3);
  PressAt(c.x, c.y);
  EXPECT_EQ(log, (std::vector<std::string>{"CanClickCell 3,2", "SelectCell 1,1", "CheckBoxClick 2,3,1",
                                           "MouseDown " + n(c.x) + "," + n(c.y), "Click"}));
  log.clear();
  TPoint a = CellPoint(1, 5, 6, 8);
  PressAt(a.x, a.y);
  EXPECT_EQ(log, (std::vector<std::string>{"CanClickCell 5,1", "AnchorClick 5,1,http://example.com/"}));
  log.clear();
  TPoint h = CellPoint(3, 0);
  PressAt(h.x, h.y);
  EXPECT_EQ(log, (std::vector<std::string>{"CanClickCell 0,3", "MouseDown " + n(h.x) + "," + n(h.y),
                                           "ClickCell 0,3", "Click"}));
}

// Only web and mail addresses reach the desktop's handler, as one argument each; OnAnchorClick
// hears of every anchor.
TEST_F(NeoStringGridMouseDown, AnchorsOpenOnlyWebAndMailTargets) {
  struct Case {
    String Href;
    bool Opens;
  } cases[] = {
      {u"http://example.com/a;b", true},
      {u"https://example.com/?q=$(x)", true},
      {u"mailto:someone@example.com", true},
      {u"file:///etc/passwd", false},
      {u"madeup://run", false},
      {u"javascript:alert(1)", false},
  };
  std::vector<String> heard;
  G->OnAnchorClick = [&](TObject*, Integer, Integer, const String& Anchor, bool&) { heard.push_back(Anchor); };
  for (const Case& c : cases) {
    Headless::ClearShellRequests();
    G->SetCells(1, 5, u"<a href=\"" + c.Href + u"\">link</a>");
    TPoint p = CellPoint(1, 5, 6, 8);
    PressAt(p.x, p.y);
    auto requests = Headless::ShellRequests();
    if (c.Opens) {
      ASSERT_EQ(requests.size(), 1u) << UTF8Encode(c.Href);
      EXPECT_EQ(requests[0], (std::vector<std::string>{"xdg-open", UTF8Encode(c.Href)}));
    } else {
      EXPECT_TRUE(requests.empty()) << UTF8Encode(c.Href);
    }
  }
  ASSERT_EQ(heard.size(), std::size(cases));
  for (std::size_t i = 0; i < heard.size(); ++i) EXPECT_EQ(heard[i], cases[i].Href);
  // A handler that takes the anchor over keeps it from the desktop.
  Headless::ClearShellRequests();
  G->OnAnchorClick = [&](TObject*, Integer, Integer, const String&, bool& AutoHandle) { AutoHandle = false; };
  G->SetCells(1, 5, u"<a href=\"http://example.com/\">link</a>");
  TPoint p = CellPoint(1, 5, 6, 8);
  PressAt(p.x, p.y);
  EXPECT_TRUE(Headless::ShellRequests().empty());
}

TEST_F(NeoStringGridMouseDown, PlainUrlTextIsItsOwnAnchorWithUrlShow) {
  G->SetCells(2, 4, u"https://example.org/");
  PressCell(2, 4);
  EXPECT_TRUE(Headless::ShellRequests().empty());
  G->SetURLShow(true);
  PressCell(2, 4);
  ASSERT_EQ(Headless::ShellRequests().size(), 1u);
  EXPECT_EQ(Headless::ShellRequests()[0][1], "https://example.org/");
}

// Grabbing the resize handle keeps the selection and remembers it as the fill source; the user's
// clipboard is left alone.
TEST_F(NeoStringGridMouseDown, ResizeHandleKeepsTheSourceRectangleNotTheClipboard) {
  G->SetSelectionRectangle(true);
  G->SetSelectionResizer(true);
  Options({goRangeSelect});
  G->SetCells(1, 1, u"a");
  G->SetSelection(GridRectOf(1, 1, 2, 3));
  ASSERT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  TRect r = G->CellRect(2, 3);
  PressAt(r.right - 2, r.bottom - 2, {}, false);
  EXPECT_TRUE(G->GetMouseResize());
  EXPECT_EQ(G->GetDropSelection(), GridRectOf(1, 1, 2, 3));
  EXPECT_EQ(G->GetSelection(), GridRectOf(1, 1, 2, 3));
  EXPECT_EQ(G->GridState(), gsSelecting);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  TPoint p = ScreenPoint(G, r.right - 2, r.bottom - 2);
  Headless::ButtonUp(1, p.x, p.y);
  Pump();
}

TEST_F(NeoStringGridMouseDown, OutsideTheCellsPassesOnAndHidesTheEditor) {
  G->SetColCount(3);
  Options({goEditing});
  G->FocusCell(1, 1);
  G->ShowInplaceEdit();
  Pump();
  ASSERT_TRUE(G->GetEditorMode());
  Integer right = G->CellRect(2, 1).right;
  PressAt(right + 20, 30);
  EXPECT_FALSE(G->GetEditorMode());
  EXPECT_EQ(G->GetCol(), 1);
}

TEST_F(NeoStringGridMouseDown, HasCellBorderEventFollowsTheHandler) {
  EXPECT_FALSE(G->HasCellBorderEvent());
  G->OnGetCellBorder = [](TObject*, Integer, Integer, TPen*, TCellBorders&) {};
  EXPECT_TRUE(G->HasCellBorderEvent());
}

}  // namespace
