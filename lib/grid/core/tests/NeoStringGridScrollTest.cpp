// The grid's scrolling, headless through the message queue and the virtual clock: proportional
// thumbs (range, page and position of the window bars), the scroll messages with their hints,
// the flat bars' thumb mapping and their missing-library path, the in-cell scroll bar,
// ScrollInView with and without the search panel, the reactions to a changed top-left cell, and
// the flick scroll.
#include <vector>

#include "lib/grid/core/NeoGridCompanions.h"
#include "lib/grid/core/NeoGridEditors.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/Modules.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/WinScroll.h"
#include "platform/win/WinUser.h"

namespace {

class TScrollProbe : public TNeoStringGrid {
public:
  explicit TScrollProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  // What the ctScrollbar cell does when it shows its bar.
  void ShowCellScrollBar(Integer ACol, Integer ARow) {
    FScrollCol = ACol;
    FScrollRow = ARow;
    GetScrollBarControl()->SetVisible(true);
  }
  void SetScrollPosition(Integer ACol, Integer ARow, Integer Pos) override { Positions.push_back({ACol, ARow, Pos}); }
  Integer GetSearchFooterHeight() override { return SearchHeight; }
  struct TPos {
    Integer Col, Row, Pos;
    bool operator==(const TPos&) const = default;
  };
  std::vector<TPos> Positions;
  Integer SearchHeight = 0;
};

SCROLLINFO InfoOf(HWND Handle, int Bar) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  GetScrollInfo(Handle, Bar, &si);
  return si;
}

class NeoStringGridScroll : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(10200, 600);
    G = Add<TScrollProbe>(Form, 0, 0, 400, 250);
    G->SetDefaultColWidth(64);
    Form->Show();
    Pump();
  }
  void TearDown() override {
    SetExportMissing(u"comctl32.dll", "InitializeFlatSB", false);
    UiTest::TearDown();
  }
  void Scroll(UINT Msg, WORD Code, WORD Pos, LPARAM From = 0) {
    SendMessage(G->GetHandle(), Msg, MAKEWPARAM(Code, Pos), From);
    Pump();
  }
  TForm* Form = nullptr;
  TScrollProbe* G = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Proportional thumbs
// ---------------------------------------------------------------------------------------------
// Horizontal: e = (W - B) / C over control width W, fixed part B and normal part C (each column
// with its line), nMax = Trunc((e + 127) / (1 - e)), nPage = nMax - 126, nPos from the part left
// of the left column, never past 127.
TEST_F(NeoStringGridScroll, ProportionalHorizontalTable) {
  struct TCase {
    const char* Name;
    Integer Rows, Line, Left, GridWidth;
    Integer Max, Page, Pos;
  };
  const TCase cases[] = {
      {"rows fit", 5, 1, 1, 400, 296, 170, 0},
      {"no grid lines", 5, 0, 1, 400, 306, 180, 0},
      {"rows overflow: less the vertical bar", 100, 1, 1, 400, 277, 151, 0},
      {"scrolled to column 3", 5, 1, 3, 400, 296, 170, 90},
      {"scrolled to the end: 179.6 held at 127", 5, 1, 5, 400, 296, 170, 127},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    G->SetScrollProportional(false);
    G->SetColCount(10);
    G->SetRowCount(c.Rows);
    G->SetGridLineWidth(c.Line);
    G->SetWidth(c.GridWidth);
    G->SetLeftCol(c.Left);
    ASSERT_EQ(G->GetLeftCol(), c.Left);
    G->SetScrollProportional(true);
    SCROLLINFO si = InfoOf(G->GetHandle(), SB_HORZ);
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, c.Max);
    EXPECT_EQ(static_cast<Integer>(si.nPage), c.Page);
    EXPECT_EQ(si.nPos, c.Pos);
    EXPECT_EQ(si.nMax - static_cast<Integer>(si.nPage) + 1, 127);
  }
}

// Cases where the horizontal information stays as the base grid left it: everything fits
// (e >= 0.99999), no normal width at all (nothing to divide by), and a page of 10000 or more.
TEST_F(NeoStringGridScroll, ProportionalHorizontalLeavesTheBarAlone) {
  struct TCase {
    const char* Name;
    Integer Cols, Fixed, Line, GridWidth;
    std::vector<Integer> Widths;
  };
  const TCase cases[] = {
      {"all columns fit", 5, 1, 1, 400, {64, 64, 64, 64, 64}},
      {"normal columns of width 0 without lines", 4, 1, 0, 400, {500, 0, 0, 0}},
      {"e = 0.9999: page over 10000", 2, 0, 0, 10100, {5000, 5101}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    G->SetScrollProportional(false);
    G->SetColCount(c.Cols);
    G->SetFixedCols(c.Fixed);
    G->SetGridLineWidth(c.Line);
    G->SetWidth(c.GridWidth);
    for (Integer i = 0; i < c.Cols; ++i) G->SetColWidths(i, c.Widths[static_cast<std::size_t>(i)]);
    G->SetRowCount(5);
    SCROLLINFO before = InfoOf(G->GetHandle(), SB_HORZ);
    G->SetScrollProportional(true);
    SCROLLINFO after = InfoOf(G->GetHandle(), SB_HORZ);
    EXPECT_EQ(after.nMax, before.nMax);
    EXPECT_EQ(after.nPage, before.nPage);
    EXPECT_EQ(after.nPos, before.nPos);
  }
}

// Vertical, with the row sums from the base grid's offset index: a million rows cost no walk.
TEST_F(NeoStringGridScroll, ProportionalVerticalTable) {
  struct TCase {
    const char* Name;
    Integer Rows, Top;
    Integer Max, Page, Pos;
  };
  const TCase cases[] = {
      {"100 rows at the top", 100, 1, 141, 15, 0},
      {"100 rows from row 50", 100, 50, 141, 15, 71},
      {"a million rows: the smallest page", 1000000, 1, 127, 1, 0},
  };
  G->SetDefaultRowHeight(22);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    G->SetScrollProportional(false);
    G->SetRowCount(c.Rows);
    G->SetTopRow(c.Top);
    G->SetScrollProportional(true);
    SCROLLINFO si = InfoOf(G->GetHandle(), SB_VERT);
    EXPECT_EQ(si.nMax, c.Max);
    EXPECT_EQ(static_cast<Integer>(si.nPage), c.Page);
    EXPECT_EQ(si.nPos, c.Pos);
  }
  // A row count change recomputes; the thumb then moves with the base grid's positions only.
  G->SetRowCount(100);
  G->SetTopRow(1);
  G->UpdateProportionalVertScroll();
  EXPECT_EQ(InfoOf(G->GetHandle(), SB_VERT).nPage, 15u);
  G->SetScrollProportional(false);
  EXPECT_EQ(InfoOf(G->GetHandle(), SB_VERT).nPage, 0u);
}

// What a person sees: the thumb of a 100-row grid is as long as the visible fraction of the bar.
TEST_F(NeoStringGridScroll, ProportionalThumbLengthOnScreen) {
  G->SetDefaultRowHeight(22);
  G->SetRowCount(100);
  G->SetScrollProportional(true);
  Pump();
  std::string path = OutputPath("neogrid_proportional_thumb.png");
  ASSERT_TRUE(Headless::SaveWindowPng(G->GetHandle(), path));
  TSurface shot(1, 1);
  ASSERT_TRUE(shot.LoadFromPng(path));
  // The bar's column: count the pixels down it that differ from the track's colour.
  RECT client{};
  GetClientRect(G->GetHandle(), &client);
  Integer barX = shot.Width() - 2 - 8;   // the middle of the 17-pixel bar inside the border
  Integer arrow = GetSystemMetrics(SM_CYVSCROLL);
  Integer trackTop = 2 + arrow, trackBottom = 2 + client.bottom - arrow;
  std::uint32_t track = shot.Pixel(barX, trackBottom - 1);
  Integer thumb = 0;
  for (Integer y = trackTop; y < trackBottom; ++y)
    if (shot.Pixel(barX, y) != track) ++thumb;
  SCROLLINFO si = InfoOf(G->GetHandle(), SB_VERT);
  Integer expected = MulDiv(trackBottom - trackTop, static_cast<Integer>(si.nPage), si.nMax + 1);
  EXPECT_NEAR(thumb, expected, 1) << path;
}

// ---------------------------------------------------------------------------------------------
// Scroll messages
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridScroll, ThumbTrackShowsTheRowHintAndEndHidesIt) {
  G->SetRowCount(100);
  G->SetScrollHints(shVertical);
  ASSERT_NE(G->GetScrollHintWindow(), nullptr);
  ASSERT_EQ(G->GetVisibleRowCount(), 10);
  Scroll(WM_VSCROLL, SB_THUMBTRACK, 64);
  EXPECT_TRUE(G->GetScrollHintShow());
  EXPECT_TRUE(G->GetScrollHintWindow()->IsHintShown());
  EXPECT_EQ(G->GetScrollHintWindow()->GetCaption(), u"Row : 46");   // MulDiv(64, 89, 127) + 1
  EXPECT_EQ(G->GetTopRow(), 1);                                      // no ScrollSynch: not yet
  Scroll(WM_VSCROLL, SB_ENDSCROLL, 0);
  EXPECT_FALSE(G->GetScrollHintShow());
  EXPECT_FALSE(G->GetScrollHintWindow()->IsHintShown());
  // The handler may rewrite the text; horizontal hints stay off with shVertical.
  G->OnScrollHint = [](TObject*, Integer ARow, String& Hint) { Hint = u"to " + IntToStr(ARow); };
  Scroll(WM_VSCROLL, SB_THUMBTRACK, 127);
  EXPECT_EQ(G->GetScrollHintWindow()->GetCaption(), u"to 90");
  Scroll(WM_VSCROLL, SB_ENDSCROLL, 0);
  G->SetColCount(20);
  Scroll(WM_HSCROLL, SB_THUMBTRACK, 64);
  EXPECT_FALSE(G->GetScrollHintShow());
}

TEST_F(NeoStringGridScroll, ScrollSynchScrollsDuringTheTrack) {
  G->SetRowCount(100);
  Scroll(WM_VSCROLL, SB_THUMBTRACK, 64);
  EXPECT_EQ(G->GetTopRow(), 1);
  Scroll(WM_VSCROLL, SB_THUMBPOSITION, 64);
  EXPECT_EQ(G->GetTopRow(), 46);
  G->SetTopRow(1);
  G->SetScrollSynch(true);
  Scroll(WM_VSCROLL, SB_THUMBTRACK, 64);
  EXPECT_EQ(G->GetTopRow(), 46);
  EXPECT_EQ(G->GetLastScrollCode(), SB_THUMBTRACK);
}

// The flat bar's thumb runs over 128 - R positions (R the visible share): its position is mapped
// back onto 0 .. 127 before the grid scrolls. Without the common controls' function the bars stay
// normal and nothing is mapped.
TEST_F(NeoStringGridScroll, FlatThumbPositionIsMappedBack) {
  G->SetColCount(10);
  ASSERT_EQ(G->GetVisibleColCount(), 5);   // R = Round(5 * 128 / 10) = 64
  G->SetScrollType(ssFlat);
  EXPECT_TRUE(G->GetIsFlat());
  Scroll(WM_HSCROLL, SB_THUMBPOSITION, 32);   // Round(32 * 127 / 64) = 64 -> 1 + MulDiv(64, 4, 127)
  EXPECT_EQ(G->GetLeftCol(), 3);
  G->SetScrollType(ssNormal);
  EXPECT_FALSE(G->GetIsFlat());
  G->SetLeftCol(1);
  Scroll(WM_HSCROLL, SB_THUMBPOSITION, 32);   // 1 + MulDiv(32, 4, 127)
  EXPECT_EQ(G->GetLeftCol(), 2);

  SetExportMissing(u"comctl32.dll", "InitializeFlatSB", true);
  G->SetScrollType(ssEncarta);
  EXPECT_FALSE(G->GetIsFlat());
  G->SetLeftCol(1);
  Scroll(WM_HSCROLL, SB_THUMBPOSITION, 32);
  EXPECT_EQ(G->GetLeftCol(), 2);
}

TEST_F(NeoStringGridScroll, FlatBarsTakeTheStyleOfTheScrollType) {
  G->SetColCount(10);
  G->SetRowCount(100);
  struct TCase {
    TScrollType Type;
    int Style;
  };
  for (TCase c : {TCase{ssFlat, FSB_FLAT_MODE}, TCase{ssEncarta, FSB_ENCARTA_MODE}}) {
    G->SetScrollType(c.Type);
    int v = -1, h = -1;
    ASSERT_TRUE(FlatSB_GetScrollProp(G->GetHandle(), WSB_PROP_VSTYLE, &v));
    ASSERT_TRUE(FlatSB_GetScrollProp(G->GetHandle(), WSB_PROP_HSTYLE, &h));
    EXPECT_EQ(v, c.Style);
    EXPECT_EQ(h, c.Style);
  }
}

// The metro kind lays a thin control over each edge in place of the window bars.
TEST_F(NeoStringGridScroll, MetroScrollTypeReplacesTheWindowBars) {
  G->SetColCount(20);
  G->SetRowCount(100);
  G->SetScrollType(ssMetro);
  TScrollControl* vertical = G->GetVertScrollControl();
  TScrollControl* horizontal = G->GetHorzScrollControl();
  ASSERT_NE(vertical, nullptr);
  ASSERT_NE(horizontal, nullptr);
  EXPECT_EQ(G->GetScrollBars(), ssNone);
  EXPECT_EQ(vertical->GetParent(), G);
  EXPECT_EQ(vertical->GetWidth(), 6);
  EXPECT_EQ(horizontal->GetHeight(), 6);
  EXPECT_EQ(vertical->GetLeft() + 6, G->GetClientWidth());
  EXPECT_FALSE(GetWindowLong(G->GetHandle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
  G->CreateScrollControls();
  EXPECT_EQ(G->GetVertScrollControl(), vertical);
  G->SetScrollType(ssNormal);
  EXPECT_EQ(G->GetVertScrollControl(), nullptr);
  EXPECT_EQ(G->GetHorzScrollControl(), nullptr);
  EXPECT_EQ(G->GetScrollBars(), ssBoth);
}

// The in-cell scroll bar's messages move that bar by 10 a line and 100 a page within its range;
// the cell hears of each change once and the grid does not scroll.
TEST_F(NeoStringGridScroll, InCellScrollBarMovesByLinesAndPages) {
  G->SetRowCount(100);
  G->ShowCellScrollBar(2, 3);
  TScrollBar* bar = G->GetScrollBarControl();
  ASSERT_TRUE(bar->HandleAllocated());
  std::vector<Integer> reported;
  G->OnScrollCell = [&](TObject*, Integer ACol, Integer ARow, Integer Pos, Integer Min, Integer Max) {
    EXPECT_EQ(ACol, 2);
    EXPECT_EQ(ARow, 3);
    EXPECT_EQ(Min, 0);
    EXPECT_EQ(Max, 100);
    reported.push_back(Pos);
  };
  auto send = [&](WORD Code) {
    return SendMessage(G->GetHandle(), WM_VSCROLL, MAKEWPARAM(Code, 0), reinterpret_cast<LPARAM>(bar->GetHandle()));
  };
  EXPECT_EQ(send(SB_LINEDOWN), 1);
  EXPECT_EQ(send(SB_PAGEDOWN), 1);
  EXPECT_EQ(send(SB_PAGEDOWN), 0);   // already at Max: no change, nothing reported
  EXPECT_EQ(send(SB_LINEUP), 1);
  EXPECT_EQ(send(SB_PAGEUP), 1);
  EXPECT_EQ(reported, (std::vector<Integer>{10, 100, 90, 0}));
  using P = TScrollProbe::TPos;
  EXPECT_EQ(G->Positions, (std::vector<P>{{2, 3, 10}, {2, 3, 100}, {2, 3, 90}, {2, 3, 0}}));
  EXPECT_EQ(G->GetTopRow(), 1);
}

// ---------------------------------------------------------------------------------------------
// ScrollInView
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridScroll, ScrollInViewTable) {
  struct TCase {
    const char* Name;
    Integer Rows, Col, Row;
    TScrollPosition Position;
    Integer Top, Left, CurrentRow;
  };
  const TCase cases[] = {
      {"visible cell: nothing moves", 1000, 2, 5, spMiddle, 1, 1, 1},
      {"far row, middle", 1000, 1, 500, spMiddle, 496, 1, 500},
      {"far row, trailing: the last full row", 1000, 1, 500, spTrailing, 492, 1, 500},
      {"far row, leading", 1000, 1, 500, spLeading, 500, 1, 500},
      {"near the end, leading: 992 held where the view stays filled", 1000, 1, 995, spLeading, 991, 1, 995},
      {"far column, leading: 9 held where the view stays filled", 1000, 11, 1, spLeading, 1, 8, 1},
      {"all rows fit", 10, 1, 9, spLeading, 1, 1, 1},
  };
  G->SetColCount(12);
  G->SetDefaultRowHeight(22);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    G->SetRowCount(c.Rows);
    G->FocusCell(1, 1);
    G->SetTopRow(1);
    G->SetLeftCol(1);
    ASSERT_EQ(G->GetVisibleRowCount(), 9);   // both bars shown: 229 - 22 pixels of rows
    ASSERT_EQ(G->GetVisibleColCount(), c.Rows > 10 ? 4 : 5);
    G->ScrollInView(c.Col, c.Row, c.Position);
    EXPECT_EQ(G->GetTopRow(), c.Top);
    EXPECT_EQ(G->GetLeftCol(), c.Left);
    EXPECT_EQ(G->GetRow(), c.CurrentRow);
  }
}

// With the search panel at the bottom the client area ends at the panel: a row brought into view
// ends above it, and even a visible row first takes the view one row up.
TEST_F(NeoStringGridScroll, ScrollInViewEndsAboveTheSearchPanel) {
  G->SetColCount(12);
  G->SetDefaultRowHeight(22);
  G->SetRowCount(1000);
  G->SearchHeight = 44;
  G->GetSearchFooter()->SetVisible(true);
  Pump();
  TPanel* panel = G->GetSearchPanel();
  ASSERT_TRUE(panel->GetVisible());
  EXPECT_EQ(G->GetClientRect().bottom, panel->GetTop());
  EXPECT_EQ(panel->GetTop(), 250 - 44 - GetSystemMetrics(SM_CYHSCROLL));   // columns overflow
  G->ScrollInView(1, 500, spTrailing);
  EXPECT_LE(G->CellRect(1, 500).bottom, G->GetClientRect().bottom);
  EXPECT_GT(G->CellRect(1, 500).bottom + 22, G->GetClientRect().bottom);
  EXPECT_EQ(G->GetTopRow(), 494);   // seven full rows above the panel: 494 .. 500
  G->SetTopRow(10);
  G->ScrollInView(1, 12, spMiddle);
  EXPECT_EQ(G->GetTopRow(), 9);
}

// ---------------------------------------------------------------------------------------------
// Top-left changes and the flick scroll
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridScroll, TopLeftChangeMovesPartnerAndCurrentRow) {
  auto* partner = Add<TNeoStringGrid>(Form, 0, 300, 400, 250);
  partner->SetRowCount(100);
  partner->SetColCount(20);
  G->SetRowCount(100);
  G->SetColCount(20);
  G->GetSyncGrid()->SetGrid(partner);
  G->GetSyncGrid()->SetScrollVertical(true);
  G->SetTopRow(30);
  G->SetLeftCol(4);
  EXPECT_EQ(partner->GetTopRow(), 30);
  EXPECT_EQ(partner->GetLeftCol(), 1);   // horizontal sync off
  G->GetSyncGrid()->SetScrollHorizontal(true);
  G->SetLeftCol(5);
  EXPECT_EQ(partner->GetLeftCol(), 5);
  G->GetSyncGrid()->SetGrid(nullptr);

  G->GetNavigation()->SetMoveRowOnScroll(true);
  G->SetTopRow(1);
  G->FocusCell(1, 5);
  G->SetTopRow(3);   // scrolling down: the last fully visible row becomes current
  EXPECT_EQ(G->GetRow(), 3 + G->GetVisibleRowCount() - 1);
  G->SetTopRow(40);  // the current row is left above the view: the top row becomes current
  EXPECT_EQ(G->GetRow(), 40);
}

// Something dragged into the top margin scrolls up one row after InitialDelay, then every
// RepeatDelay; each drag-over inside a margin starts the wait again; leaving the margins or the
// grid frees the timer; a veto skips a step and keeps the timer.
TEST_F(NeoStringGridScroll, DragNearAnEdgeScrollsOnTheDragTimer) {
  G->SetRowCount(100);
  G->SetColCount(20);
  G->SetTopRow(30);
  G->GetDragScrollOptions()->SetActive(true);
  auto wait = [](std::uint64_t Ms) {
    Headless::AdvanceClock(Ms);
    Pump();
  };
  bool accept = true;
  G->DragOver(nullptr, 100, 10, dsDragEnter, accept);
  ASSERT_NE(G->GetDragTimer(), nullptr);
  EXPECT_EQ(G->GetDragTimer()->GetOwner(), Form);
  EXPECT_EQ(G->GetDragScrollDirection(), TDragScrollDirections{dsdUp});
  wait(999);
  EXPECT_EQ(G->GetTopRow(), 30);
  wait(1);
  EXPECT_EQ(G->GetTopRow(), 29);
  wait(249);
  EXPECT_EQ(G->GetTopRow(), 29);
  wait(1);
  EXPECT_EQ(G->GetTopRow(), 28);
  G->DragOver(nullptr, 100, 12, dsDragMove, accept);
  EXPECT_EQ(G->GetDragTimer()->GetInterval(), 1000u);
  wait(250);
  EXPECT_EQ(G->GetTopRow(), 28);
  wait(750);
  EXPECT_EQ(G->GetTopRow(), 27);

  Integer asked = 0;
  G->OnDragScroll = [&](TObject*, Integer TopRow, Integer, TDragScrollDirections& Dir, bool& CanScroll) {
    ++asked;
    EXPECT_EQ(TopRow, 27);
    EXPECT_TRUE(Dir.Contains(dsdUp));
    CanScroll = false;
  };
  wait(250);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(G->GetTopRow(), 27);
  ASSERT_NE(G->GetDragTimer(), nullptr);
  // The handler may turn the step the other way.
  G->OnDragScroll = [](TObject*, Integer, Integer, TDragScrollDirections& Dir, bool&) { Dir = {dsdDown, dsdRight}; };
  wait(250);
  EXPECT_EQ(G->GetTopRow(), 28);
  EXPECT_EQ(G->GetLeftCol(), 2);
  G->OnDragScroll = nullptr;

  G->DragOver(nullptr, 200, 120, dsDragMove, accept);   // outside every margin
  EXPECT_EQ(G->GetDragTimer(), nullptr);
  G->DragOver(nullptr, 390, 240, dsDragMove, accept);   // bottom right corner: a new timer
  ASSERT_NE(G->GetDragTimer(), nullptr);
  EXPECT_EQ(G->GetDragScrollDirection(), (TDragScrollDirections{dsdDown, dsdRight}));
  G->DragOver(nullptr, 390, 240, dsDragLeave, accept);
  EXPECT_EQ(G->GetDragTimer(), nullptr);
  G->DragOver(nullptr, 10, 120, dsDragEnter, accept);
  ASSERT_NE(G->GetDragTimer(), nullptr);
  G->GetDragScrollOptions()->SetActive(false);
  wait(1000);   // the tick of a switched-off option frees the timer
  EXPECT_EQ(G->GetDragTimer(), nullptr);
  EXPECT_EQ(G->GetLeftCol(), 2);
}

TEST_F(NeoStringGridScroll, FlickScrollTakesTenStepsOfTenMilliseconds) {
  G->SetRowCount(100);
  G->StartFlickScroll(true, 2);
  for (Integer i = 1; i <= 10; ++i) {
    Headless::AdvanceClock(10);
    Pump();
    EXPECT_EQ(G->GetTopRow(), 1 + 2 * i);
  }
  EXPECT_EQ(G->GetFlickSteps(), 0);
  EXPECT_FALSE(G->GetFlickTimer()->GetEnabled());
  Headless::AdvanceClock(50);
  Pump();
  EXPECT_EQ(G->GetTopRow(), 21);
  // Sideways and backwards stops at the first normal column.
  G->SetColCount(30);
  G->SetLeftCol(5);
  G->StartFlickScroll(false, -1);
  for (Integer i = 0; i < 10; ++i) {
    Headless::AdvanceClock(10);
    Pump();
  }
  EXPECT_EQ(G->GetLeftCol(), 1);
}

}  // namespace
