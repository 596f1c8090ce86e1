// The grid's mouse wheel, IntelliPan and zoom, headless through the message queue: wheel notches
// arrive as the pointer device sends them (screen coordinates, Ctrl from the key state), the pan
// timer runs on the virtual clock and the cursors and anchor pictures come from the program's
// resources.
#include <vector>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/WinUser.h"

namespace {

class TWheelProbe : public TNeoStringGrid {
public:
  explicit TWheelProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  void DoWheelScrolled(Integer RowDelta, bool& Handled) override {
    Deltas.push_back(RowDelta);
    TNeoStringGrid::DoWheelScrolled(RowDelta, Handled);
  }
  std::vector<Integer> Deltas;
};

class NeoStringGridWheel : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    G = Add<TWheelProbe>(Form, 0, 0, 400, 240);
    G->SetColCount(8);
    G->SetRowCount(100);
    G->SetDefaultColWidth(60);
    G->SetDefaultRowHeight(20);
    Form->Show();
    Pump();
    G->SetFocus();
    Pump();
  }
  // Notches at a client point of the grid (positive: away from the user).
  void WheelAt(Integer Notches, Integer X = 100, Integer Y = 100) {
    TPoint p = ScreenPoint(G, X, Y);
    Headless::Wheel(p.x, p.y, Notches);
    Pump();
  }
  void Notches(Integer N, bool Up = false) {
    for (Integer i = 0; i < N; ++i) WheelAt(Up ? 1 : -1);
  }
  void CtrlWheel(Integer Notches) {
    Headless::KeyDown(VK_CONTROL);
    for (Integer i = 0; i < (Notches < 0 ? -Notches : Notches); ++i) WheelAt(Notches < 0 ? -1 : 1);
    Headless::KeyUp(VK_CONTROL);
    Pump();
  }
  void Scroll() { G->GetMouseActions()->SetWheelAction(waScroll); }
  TForm* Form = nullptr;
  TWheelProbe* G = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Zoom
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridWheel, CtrlWheelZoomsByTheWheelLinesUpToTwenty) {
  Integer zooms = 0;
  G->OnIntelliZoom = [&](TObject*) { ++zooms; };
  G->SetColWidths(2, 0);   // hidden by size: stays hidden
  CtrlWheel(1);
  EXPECT_EQ(G->GetZoomFactor(), 3);
  EXPECT_EQ(G->GetColWidths(1), 63);
  EXPECT_EQ(G->GetColWidths(2), 0);
  EXPECT_EQ(G->GetRowHeights(50), 23);
  EXPECT_EQ(G->GetRow(), 1);   // nothing scrolled or moved
  CtrlWheel(5);
  EXPECT_EQ(G->GetZoomFactor(), 18);
  EXPECT_EQ(G->GetColWidths(1), 78);
  CtrlWheel(1);   // 21 would pass the limit: nothing at all
  EXPECT_EQ(G->GetZoomFactor(), 18);
  EXPECT_EQ(G->GetColWidths(1), 78);
  EXPECT_EQ(zooms, 7);
  CtrlWheel(-2);
  EXPECT_EQ(G->GetZoomFactor(), 12);
  EXPECT_EQ(G->GetRowHeights(0), 32);
  G->ZoomReset();
  EXPECT_EQ(G->GetZoomFactor(), 0);
  EXPECT_EQ(G->GetColWidths(1), 60);
  EXPECT_EQ(G->GetRowHeights(99), 20);
}

TEST_F(NeoStringGridWheel, ZoomSkipsSizesThatWouldNotStayPositive) {
  G->SetColWidths(3, 4);
  G->SetRowHeights(5, 0);
  G->Zoom(-5);
  EXPECT_EQ(G->GetZoomFactor(), -5);
  EXPECT_EQ(G->GetColWidths(3), 4);
  EXPECT_EQ(G->GetColWidths(4), 55);
  EXPECT_EQ(G->GetRowHeights(5), 0);
  EXPECT_EQ(G->GetRowHeights(6), 15);
  G->ZoomReset();   // the 4-pixel column was never shrunk, so it grows by 5
  EXPECT_EQ(G->GetColWidths(3), 9);
  EXPECT_EQ(G->GetColWidths(4), 60);
  G->Zoom(-21);
  EXPECT_EQ(G->GetZoomFactor(), 0);
  EXPECT_EQ(G->GetColWidths(4), 60);
  EXPECT_FALSE(G->GetScrollLock());
  EXPECT_EQ(G->GetUpdateCount(), 0);
}

TEST_F(NeoStringGridWheel, WithoutIntelliZoomCtrlWheelMovesTheRow) {
  G->SetIntelliZoom(false);
  CtrlWheel(-1);
  EXPECT_EQ(G->GetZoomFactor(), 0);
  EXPECT_EQ(G->GetRow(), 4);
}

// ---------------------------------------------------------------------------------------------
// The notch: waScroll and waMoveSelection
// ---------------------------------------------------------------------------------------------
TEST_F(NeoStringGridWheel, ScrollNotchesMoveTheViewByTheWheelLines) {
  Scroll();
  Notches(2);
  EXPECT_EQ(G->GetTopRow(), 7);
  EXPECT_EQ(G->GetRow(), 1);   // the current row stays
  G->SetTopRow(2);
  Notches(1, true);   // only one row above: min(3, top - FixedRows)
  EXPECT_EQ(G->GetTopRow(), 1);
  Notches(1, true);
  EXPECT_EQ(G->GetTopRow(), 1);
  // At the end the last page stays full.
  G->SetTopRow(G->GetRowCount() - G->GetVisibleRowCount() - 1);
  Notches(3);
  EXPECT_EQ(G->GetTopRow(), G->GetRowCount() - G->GetVisibleRowCount());
  G->GetMouseActions()->SetWheelIncrement(5);
  G->SetTopRow(10);
  Notches(1);
  EXPECT_EQ(G->GetTopRow(), 15);
  EXPECT_EQ(G->Deltas.back(), 0);
}

TEST_F(NeoStringGridWheel, MoveSelectionNotchesMoveTheRowAndReportTheSelection) {
  std::vector<Integer> tops;
  G->OnSelectionChanged = [&](TObject*, Integer, Integer ATop, Integer, Integer) { tops.push_back(ATop); };
  Notches(2);
  EXPECT_EQ(G->GetRow(), 7);
  EXPECT_EQ(tops, (std::vector<Integer>{4, 7}));
  EXPECT_EQ(G->Deltas, (std::vector<Integer>{3, 3}));
  Notches(3, true);
  EXPECT_EQ(G->GetRow(), 1);   // cut at the first normal row
  G->SetFixedFooters(2);
  G->SetRow(96);
  Notches(1);
  EXPECT_EQ(G->GetRow(), 97);   // the last row above the fixed footers
}

TEST_F(NeoStringGridWheel, PageScrollLinesMoveAVisiblePagePerNotch) {
  SystemParametersInfo(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0);
  G->InitWheelScrollLines(false);
  EXPECT_EQ(G->GetWheelScrollLines(), G->GetVisibleRowCount());
  Notches(1);
  EXPECT_EQ(G->GetRow(), 1 + G->GetVisibleRowCount());
  SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 1, nullptr, 0);
  G->InitWheelScrollLines(false);
  Notches(1);
  EXPECT_EQ(G->GetRow(), 2 + G->GetVisibleRowCount());
}

TEST_F(NeoStringGridWheel, NotchPassesZeroHeightRows) {
  for (Integer r : {4, 5}) G->SetRowHeights(r, 0);
  Notches(1);   // 1 + 3 = 4, then on over 4 and 5
  EXPECT_EQ(G->GetRow(), 6);
  G->SetRow(10);
  G->SetRowHeights(7, 0);
  Notches(1, true);   // 10 - 3 = 7, then back over 7
  EXPECT_EQ(G->GetRow(), 6);
}

TEST_F(NeoStringGridWheel, NotchOntoADisabledRowMovesOnInStepsOfTheSameSize) {
  G->GetNavigation()->SetSkipDisabledRows(true);
  G->SetRowEnabled(4, false);
  Notches(1);   // 4 refuses: 7
  EXPECT_EQ(G->GetRow(), 7);
  G->SetRowEnabled(10, false);
  G->SetRowEnabled(13, false);
  Notches(1);   // 10 and 13 refuse: 16
  EXPECT_EQ(G->GetRow(), 16);
  // Nothing takes it before the end: the row halfway, and the view one row down.
  for (Integer r = 92; r < 100; ++r) G->SetRowEnabled(r, false);
  G->SetRow(91);
  Integer top = G->GetTopRow();
  Notches(1);   // 94 and 97 refuse, 100 is outside: halfway is 91 + Round(4.5) = 95, refusing too
  EXPECT_EQ(G->GetRow(), 91);
  EXPECT_EQ(G->GetTopRow(), top + 1);
  G->SetRowEnabled(95, true);
  Notches(1);
  EXPECT_EQ(G->GetRow(), 95);
}

TEST_F(NeoStringGridWheel, MouseOverWheelIgnoresAPointerOutsideTheGrid) {
  G->GetMouseActions()->SetWheelActive(waMouseOver);
  TPoint outside = ScreenPoint(G, 200, 270);   // on the form below the grid
  SendMessage(G->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
              MAKELPARAM(outside.x, outside.y));
  Pump();
  EXPECT_EQ(G->GetRow(), 1);
  EXPECT_TRUE(G->Deltas.empty());
  WheelAt(-1);
  EXPECT_EQ(G->GetRow(), 4);
}

TEST_F(NeoStringGridWheel, UnfocusedGridOffersTheNotchToItsParentFirst) {
  TEdit* edit = Add<TEdit>(Form, 0, 250, 100, 22);
  edit->SetFocus();
  Pump();
  bool parentTakes = true;
  Form->OnMouseWheel = [&](TObject*, TShiftState, Integer, TPoint, bool& Handled) { Handled = parentTakes; };
  WheelAt(-1);
  EXPECT_EQ(G->GetRow(), 1);
  parentTakes = false;
  WheelAt(-1);
  EXPECT_EQ(G->GetRow(), 4);
}

TEST_F(NeoStringGridWheel, HandledWheelEventEndsTheNotch) {
  Integer downs = 0;
  G->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint MousePos, bool& Handled) {
    ++downs;
    EXPECT_EQ(MousePos.x, 100);
    EXPECT_EQ(MousePos.y, 50);
    Handled = true;
  };
  WheelAt(-1, 100, 50);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(G->GetRow(), 1);
  WheelAt(1, 100, 50);   // up has its own event
  G->SetRow(5);
  WheelAt(1);
  EXPECT_EQ(G->GetRow(), 2);
}

TEST_F(NeoStringGridWheel, FixedRowAlwaysWithOneRowSwallowsTheNotch) {
  G->SetFixedRowAlways(true);
  G->SetRowCount(1);
  WheelAt(-1);
  EXPECT_TRUE(G->Deltas.empty());
}

TEST_F(NeoStringGridWheel, WithoutEnableWheelOnlyTheWheelEventsFire) {
  G->SetEnableWheel(false);
  Integer downs = 0, ups = 0;
  G->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { ++downs; };
  G->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool&) { ++ups; };
  Notches(2);
  Notches(1, true);
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(G->GetRow(), 1);
  EXPECT_EQ(G->GetTopRow(), 1);
  EXPECT_TRUE(G->Deltas.empty());
}

TEST_F(NeoStringGridWheel, RowSelectWithKeepHorizScrollKeepsTheLeftColumn) {
  G->SetOptions(G->GetOptions() + goRowSelect);
  G->GetNavigation()->SetKeepHorizScroll(true);
  G->SetLeftCol(3);
  Notches(4);
  EXPECT_EQ(G->GetRow(), 13);
  EXPECT_EQ(G->GetLeftCol(), 3);
  EXPECT_EQ(G->GetUpdateCount(), 0);
}

TEST_F(NeoStringGridWheel, DisjunctRowSelectIsClearedByAMove) {
  G->GetMouseActions()->SetDisjunctRowSelect(true);
  G->SetRowSelect(3, true);
  G->SetRowSelect(8, true);
  Notches(1);
  EXPECT_EQ(G->GetRowSelectCount(), 0);
}

// ---------------------------------------------------------------------------------------------
// IntelliPan
// ---------------------------------------------------------------------------------------------
class NeoStringGridPan : public NeoStringGridWheel {
protected:
  void MiddleAt(Integer X, Integer Y) {
    TPoint p = ScreenPoint(G, X, Y);
    Headless::ButtonDown(2, p.x, p.y);
    Headless::ButtonUp(2, p.x, p.y);
    Pump();
  }
  void PointerAt(Integer X, Integer Y) {
    TPoint p = ScreenPoint(G, X, Y);
    Headless::MouseMove(p.x, p.y);
    Pump();
  }
  void Ticks(Integer N) {
    for (Integer i = 0; i < N; ++i) {
      Headless::AdvanceClock(10);
      Pump();
    }
  }
  static HCURSOR PanCursor(WORD Id) { return LoadCursor(nullptr, MAKEINTRESOURCE(Id)); }
};

TEST_F(NeoStringGridPan, MiddlePressStartsPanningOnlyWithNormalRows) {
  G->SetFixedRowAlways(true);
  G->SetRowCount(1);   // the fixed row only
  ASSERT_EQ(G->GetFixedRows(), 1);
  MiddleAt(100, 100);
  EXPECT_FALSE(G->GetWheelPan());
  G->SetFixedRowAlways(false);
  G->SetRowCount(100);
  G->SetFixedRows(1);
  G->SetIntelliPan(ipNone);
  MiddleAt(100, 100);
  EXPECT_FALSE(G->GetWheelPan());
  G->SetIntelliPan(ipVertical);
  MiddleAt(120, 90);
  EXPECT_TRUE(G->GetWheelPan());
  EXPECT_EQ(G->GetWheelPanPos(), (TPoint{120, 90}));
  EXPECT_EQ(GetCapture(), G->GetHandle());
  EXPECT_FALSE(G->GetShowHint());
  EXPECT_EQ(GetCursor(), PanCursor(8000));
  // The next key stops it, and is handled as a key.
  Press(VK_DOWN);
  EXPECT_FALSE(G->GetWheelPan());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(G->GetShowHint());
  EXPECT_NE(GetCursor(), PanCursor(8000));
  EXPECT_EQ(G->GetRow(), 2);
  Ticks(5);
  EXPECT_EQ(G->GetTopRow(), 1);
}

TEST_F(NeoStringGridPan, PanMovesTheSelectionAndTheCursorFollowsTheOffset) {
  G->SetIntelliPan(ipBoth);
  MiddleAt(150, 100);
  struct Case {
    Integer Dx, Dy;
    WORD Cursor;
  };
  const Case cases[] = {{0, 0, 8000}, {0, 20, 8001},  {-20, 0, 8002}, {20, 0, 8003},  {0, -20, 8004},
                        {20, -20, 8005}, {-20, -20, 8006}, {20, 20, 8007}, {-20, 20, 8008}, {4, -5, 8000}};
  for (const Case& c : cases) {
    PointerAt(150 + c.Dx, 100 + c.Dy);
    Ticks(1);
    EXPECT_EQ(GetCursor(), PanCursor(c.Cursor)) << c.Dx << "," << c.Dy;
    EXPECT_NE(PanCursor(c.Cursor), nullptr);
  }
  // Below and right of the anchor: a row and a column a tick.
  G->FocusCell(2, 10);
  PointerAt(180, 140);
  Ticks(3);
  EXPECT_EQ(G->GetRow(), 13);
  EXPECT_EQ(G->GetCol(), 5);
  ClickAt(G, 10, 10);   // any press stops panning
  EXPECT_FALSE(G->GetWheelPan());
}

TEST_F(NeoStringGridPan, AWheelNotchWhilePanningTakesTheBaseHandling) {
  MiddleAt(150, 100);
  ASSERT_TRUE(G->GetWheelPan());
  WheelAt(-1, 150, 100);
  EXPECT_EQ(G->GetRow(), 2);   // a row, not the wheel lines
  EXPECT_TRUE(G->Deltas.empty());
  Press(VK_ESCAPE);
}

TEST_F(NeoStringGridPan, HorizontalPanNeverScrollsRows) {
  Scroll();
  G->SetIntelliPan(ipHorizontal);
  MiddleAt(150, 100);
  PointerAt(150, 200);   // far below the anchor
  Ticks(5);
  EXPECT_EQ(G->GetTopRow(), 1);
  EXPECT_EQ(GetCursor(), PanCursor(8000));
  PointerAt(250, 200);
  Ticks(2);
  EXPECT_EQ(G->GetTopRow(), 1);
  EXPECT_EQ(G->GetLeftCol(), 3);
  EXPECT_EQ(GetCursor(), PanCursor(8003));
  PointerAt(50, 100);
  Ticks(1);
  EXPECT_EQ(G->GetLeftCol(), 2);
}

TEST_F(NeoStringGridPan, VerticalScrollPanMovesTheTopRowOnly) {
  Scroll();
  MiddleAt(150, 100);
  PointerAt(300, 40);
  Ticks(1);
  EXPECT_EQ(GetCursor(), PanCursor(8004));   // ipVertical: no sideways part
  PointerAt(150, 160);
  Ticks(4);
  EXPECT_EQ(G->GetTopRow(), 5);
  EXPECT_EQ(G->GetLeftCol(), 1);
  EXPECT_EQ(G->GetRow(), 1);
  PointerAt(150, 20);
  Ticks(10);
  EXPECT_EQ(G->GetTopRow(), 1);   // not above the fixed rows
}

TEST_F(NeoStringGridPan, TheAnchorPictureShowsWhereThePanStarted) {
  MiddleAt(150, 100);
  // The vertical anchor: a dark ring around a light disc, white where the picture is transparent.
  HWND h = G->GetHandle();
  EXPECT_EQ(Headless::ClientPixel(h, 150, 100), RGB(255, 255, 255));    // corner: the transparent colour
  EXPECT_EQ(Headless::ClientPixel(h, 166, 116), RGB(0, 0, 0));          // the centre dot
  EXPECT_EQ(Headless::ClientPixel(h, 158, 116), RGB(192, 192, 192));    // the disc
  G->SetIntelliPan(ipNone);
  G->DrawPanAnchor();   // nothing for ipNone
  Press(VK_ESCAPE);
  Pump();
  // Erased: the grid's own cells show there again.
  EXPECT_NE(Headless::ClientPixel(h, 166, 116), RGB(0, 0, 0));
}

}  // namespace
