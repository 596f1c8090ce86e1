// The grid class's life cycle: constructor defaults, destruction releasing every cell object,
// window creation, loading, assignment, integral height, the wheel lines, column stretching and
// the unit's window hook that keeps the focus window over the current cell.
#include <cmath>
#include <utility>
#include <vector>

#include "lib/grid/core/NeoGridLookSettings.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

// Records the calls into members of later folders and opens the protected life cycle.
class TProbeGrid : public TNeoStringGrid {
public:
  explicit TProbeGrid(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  void ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2) override {
    Cleared.push_back(TRect{ACol1, ARow1, ACol2, ARow2});
    TNeoStringGrid::ClearRect(ACol1, ARow1, ACol2, ARow2);
  }
  void SaveToStream(TStream* Stream) override { Calls.emplace_back(u"save", Stream); }
  void LoadFromStream(TStream* Stream) override {
    Calls.emplace_back(u"load", Stream);
    LoadPosition = Stream->GetPosition();
  }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_TIMER) Timers.push_back(static_cast<Integer>(Message.WParam));
    TNeoStringGrid::WndProc(Message);
  }
  void BeginLoading() { FComponentState.Include(csLoading); }
  void EndLoading() {
    Loaded();
    FComponentState.Exclude(csLoading);
  }

  std::vector<TRect> Cleared;
  std::vector<std::pair<String, TStream*>> Calls;
  Int64 LoadPosition = -1;
  std::vector<Integer> Timers;
};

class NeoStringGridTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(500, 400);
  }
  TProbeGrid* NewGrid(Integer X = 10, Integer Y = 10) {
    auto* g = new TProbeGrid(Form);
    g->SetParent(Form);
    g->SetLeft(X);
    g->SetTop(Y);
    return g;
  }
  TForm* Form = nullptr;
};

TEST_F(NeoStringGridTest, ConstructorDefaults) {
  TProbeGrid* g = NewGrid();
  // sizes
  EXPECT_EQ(g->GetRowCount(), 10);
  EXPECT_EQ(g->FNormalRowCount, 10);
  EXPECT_EQ(g->GetWidth(), 400);
  EXPECT_EQ(g->GetHeight(), 250);
  EXPECT_EQ(g->GetDefaultRowHeight(), 22);
  EXPECT_EQ(g->GetFixedRowHeight(), 22);
  EXPECT_EQ(g->GetDPIScale(), 1.0);
  EXPECT_EQ(g->GetScrollWidth(), GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(g->GetXYOffset().x, 2);
  EXPECT_EQ(g->GetXYOffset().y, 2);
  // look and colours
  EXPECT_EQ(g->GetLook(), glXP);
  EXPECT_EQ(g->GetBorderColor(), TColor(0xB99D7F));   // the platform reports Windows 10
  EXPECT_EQ(g->GetSelectionColor(), TColor(0xEACAB6));
  EXPECT_EQ(g->GetSelectionTextColor(), TColor(0));
  EXPECT_EQ(g->GetActiveCellColor(), TColor(0x808080));
  EXPECT_EQ(g->GetActiveCellColorTo(), clNone);
  EXPECT_EQ(g->GetHintColor(), clInfoBk);
  EXPECT_EQ(g->GetHighlightColor(), clHighlight);
  EXPECT_EQ(g->GetHighlightTextColor(), clHighlightText);
  // text and formats
  EXPECT_EQ(g->GetFloatFormat(), u"%.2f");
  EXPECT_EQ(g->GetCheckTrue(), u"Y");
  EXPECT_EQ(g->GetCheckFalse(), u"N");
  // fonts
  EXPECT_EQ(g->GetFixedFont()->GetName(), u"Tahoma");
  EXPECT_TRUE(g->GetFixedFont()->GetStyle().Contains(fsBold));
  EXPECT_TRUE(g->GetActiveCellFont()->GetStyle().Contains(fsBold));
  // state and platform facts
  EXPECT_FALSE(g->GetDesignTime());
  EXPECT_FALSE(g->GetIsLoaded());
  EXPECT_TRUE(g->GetIsWinXP());
  EXPECT_TRUE(g->GetIsWin7());
  EXPECT_EQ(g->GetIsComCtl6(), ComCtlV6Available());
  EXPECT_EQ(g->GetIsWinVista(), HasLocaleInfoEx());
  // owned groups with their own defaults, wired to the grid
  EXPECT_EQ(g->GetColumnSize()->GetOwnerGrid(), g);
  EXPECT_EQ(g->GetSyncGrid()->GetOwnerGrid(), g);
  EXPECT_EQ(g->GetSearchFooter()->GetFindNextCaption(), u"");   // run time: no captions
  EXPECT_FALSE(g->GetFloatingFooter()->GetVisible());
  // the filter glyphs from the resource table, white as the mask
  ASSERT_EQ(g->GetFilterImages()->GetCount(), 9);
  EXPECT_EQ(g->GetFilterImages()->GetWidth(), 16);
  {
    TBitmap glyph;
    ASSERT_TRUE(g->GetFilterImages()->GetBitmap(4, &glyph));   // "=" in the middle, clear around it
    int ink = 0, clear = 0;
    for (Integer y = 0; y < 16; ++y) {
      const auto* row = static_cast<const Byte*>(glyph.GetScanLine(y));   // 32-bit BGRA
      for (Integer x = 0; x < 16; ++x) (row[x * 4 + 3] == 0 ? clear : ink) += 1;
    }
    EXPECT_GT(ink, 4);
    EXPECT_GT(clear, 150);
  }
  // run-time controls
  ASSERT_NE(g->GetFocusWindow(), nullptr);
  ASSERT_NE(g->GetButtonForm(), nullptr);
  EXPECT_EQ(g->GetButtonForm()->GetWidth(), 200);
  EXPECT_EQ(g->GetButtonForm()->GetHeight(), 22);
  EXPECT_EQ(g->GetButtonForm()->GetBorderStyle(), bsNone);
  EXPECT_FALSE(g->GetButtonForm()->GetVisible());
  EXPECT_NE(GetWindowLong(g->GetButtonForm()->GetHandle(), GWL_EXSTYLE) & WS_EX_NOACTIVATE, 0);
}

TEST_F(NeoStringGridTest, WindowCreationMakesChildrenTimerAndWheelLines) {
  TProbeGrid* g = NewGrid();
  Form->Show();
  Pump();
  for (TScrollBar* bar : {g->GetScrollBarControl(), g->GetPaintScrollBar()}) {
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetParent(), g);
    EXPECT_FALSE(bar->GetVisible());
    EXPECT_EQ(bar->GetWidth(), 17);
    EXPECT_EQ(bar->GetKind(), sbVertical);
  }
  EXPECT_EQ(g->GetFooterPanel()->GetParent(), g);
  EXPECT_EQ(g->GetSearchPanel()->GetParent(), g);
  EXPECT_FALSE(g->GetSearchPanel()->GetVisible());
  EXPECT_EQ(g->GetSearchPanel()->GetHeight(), 0);
  EXPECT_EQ(g->GetWheelMsg(), UINT(WM_MOUSEWHEEL));
  UINT lines = 0;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(g->GetWheelScrollLines(), static_cast<Integer>(lines));

  Headless::AdvanceClock(499);
  Pump();
  EXPECT_TRUE(g->Timers.empty());
  Headless::AdvanceClock(1);
  Pump();
  ASSERT_EQ(g->Timers.size(), 1u);
  EXPECT_EQ(g->Timers[0], 111);

  g->GetSearchFooter()->SetVisible(true);   // the footer's change reaches the panel
  EXPECT_TRUE(g->GetSearchPanel()->GetVisible());
}

// Counts its live instances: the objects an owning grid frees.
struct TCounted : TObject {
  static inline int Live = 0;
  TCounted() { ++Live; }
  ~TCounted() override { --Live; }
};

TEST_F(NeoStringGridTest, DestroyRegrowsToTheLargestCountsAndReleasesEveryCellObject) {
  TProbeGrid* g = NewGrid();
  g->SetOwnsObjects(true);
  g->SetColCount(10);
  g->SetRowCount(1000);
  for (Integer r = 0; r < 1000; ++r)
    for (Integer c = 0; c < 10; ++c) {
      g->SetCellEx(c, r, IntToStr(r * 10 + c));
      g->GetCellProperties(c, r)->SetBrushColor(static_cast<TColor>(r));
    }
  for (Integer r : {3, 500, 999}) g->SetObjectEx(9, r, reinterpret_cast<NativeUInt>(new TCounted));
  g->MergeCells(1, 1, 3, 2);
  g->MergeCells(2, 900, 2, 2);
  g->SetRowCount(5);
  g->SetColCount(4);
  EXPECT_EQ(g->GetMaxRowCount(), 1000);
  EXPECT_EQ(g->GetMaxColCount(), 10);
  EXPECT_EQ(g->FNormalRowCount, 5);
  ASSERT_EQ(TCounted::Live, 3);
  delete g;   // and LeakSanitizer fails the run when a properties object of a cut row is left
  EXPECT_EQ(TCounted::Live, 0);
}

TEST_F(NeoStringGridTest, ClearRectEmptiesTextsAndPropertiesAndReportsTheRange) {
  TProbeGrid* g = NewGrid();
  for (Integer r = 0; r < 4; ++r)
    for (Integer c = 0; c < 4; ++c) {
      g->SetCells(c, r, u"x");
      g->GetCellProperties(c, r)->SetBrushColor(0x00FF00);
    }
  std::vector<TRect> changed;
  g->OnCellsChanged = [&](TObject*, TRect R) { changed.push_back(R); };
  g->SetClearTextOnly(true);
  g->ClearRect(1, 1, 2, 2);
  EXPECT_EQ(g->GetCells(1, 1), u"");
  EXPECT_TRUE(g->HasCellProperties(1, 1));   // text only: the colour stays
  g->SetClearTextOnly(false);
  g->ClearRect(1, 1, 2, 2);
  EXPECT_FALSE(g->HasCellProperties(2, 2));
  EXPECT_TRUE(g->HasCellProperties(3, 3));
  EXPECT_EQ(g->GetCells(3, 3), u"x");
  g->ClearRect(2, 2, 1, 1);   // inverted: nothing cleared
  EXPECT_EQ(g->GetCells(0, 0), u"x");
  ASSERT_EQ(changed.size(), 3u);
  EXPECT_EQ(changed[1].left, 1);
  EXPECT_EQ(changed[1].bottom, 2);
  EXPECT_TRUE(g->FHasCellProps);
  g->ClearRect(0, 0, g->GetColCount() - 1, g->GetRowCount() - 1);
  EXPECT_FALSE(g->FHasCellProps);
}

TEST_F(NeoStringGridTest, LoadedRemembersMinimumAndLargestCounts) {
  TProbeGrid* g = NewGrid();
  g->BeginLoading();
  // What a stored description sets, property by property.
  g->SetColCount(7);
  g->SetRowCount(50);
  g->SetFixedRows(2);
  g->SetFixedCols(1);
  g->SetDefaultRowHeight(30);
  g->SetOptions(g->GetOptions() + goAlwaysShowEditor);
  g->GetColumnHeaders()->Add(u"Name");
  g->GetColumnHeaders()->Add(u"Wert");
  g->EndLoading();
  EXPECT_TRUE(g->GetIsLoaded());
  EXPECT_EQ(g->GetFixedRowsMin(), 2);
  EXPECT_EQ(g->GetFixedColsMin(), 1);
  EXPECT_EQ(g->GetMinRowHeight(), 30);
  EXPECT_EQ(g->GetMinColWidth(), 10);
  EXPECT_EQ(g->GetMaxRowCount(), 50);
  EXPECT_EQ(g->GetMaxColCount(), 7);
  EXPECT_TRUE(g->GetNavigation()->GetAlwaysEdit());
  EXPECT_FALSE(g->GetOptions().Contains(goAlwaysShowEditor));
  EXPECT_EQ(g->GetCells(0, 0), u"Name");
  EXPECT_EQ(g->GetCells(1, 0), u"Wert");
}

TEST_F(NeoStringGridTest, AssignCopiesGroupsSizesAndThenTheCellsThroughOneRewoundStream) {
  TProbeGrid* src = NewGrid();
  src->SetColCount(6);
  src->SetRowCount(20);
  src->SetColWidths(2, 90);
  src->SetRowHeights(7, 40);
  src->SetOptions(src->GetOptions() + goColSizing);
  src->GetNavigation()->SetAllowInsertRow(true);
  src->GetBands()->SetActive(true);
  src->GetColumnHeaders()->Add(u"A");
  src->SetSelectionColor(0x112233);
  TProbeGrid* dst = NewGrid(50, 50);
  dst->Assign(src);
  EXPECT_EQ(dst->GetColCount(), 6);
  EXPECT_EQ(dst->GetRowCount(), 20);
  EXPECT_EQ(dst->GetColWidths(2), 90);
  EXPECT_EQ(dst->GetRowHeights(7), 40);
  EXPECT_TRUE(dst->GetOptions().Contains(goColSizing));
  EXPECT_TRUE(dst->GetNavigation()->GetAllowInsertRow());
  EXPECT_TRUE(dst->GetBands()->GetActive());
  EXPECT_EQ(dst->GetColumnHeaders()->GetCount(), 1);
  EXPECT_EQ(dst->GetSelectionColor(), TColor(0x112233));
  // The source saved, this grid loaded, one stream, from its start.
  ASSERT_EQ(src->Calls.size(), 1u);
  ASSERT_EQ(dst->Calls.size(), 1u);
  EXPECT_EQ(src->Calls[0].first, u"save");
  EXPECT_EQ(dst->Calls[0].first, u"load");
  EXPECT_EQ(src->Calls[0].second, dst->Calls[0].second);
  EXPECT_EQ(dst->LoadPosition, 0);

  TBands notAGrid;
  dst->Assign(&notAGrid);
  EXPECT_EQ(dst->Calls.size(), 1u);
}

TEST_F(NeoStringGridTest, IntegralHeightBounds) {
  TProbeGrid* g = NewGrid();
  g->SetColCount(3);
  g->SetIntegralHeight(true);
  Integer bar = GetSystemMetrics(SM_CYHSCROLL);
  struct Case {
    TBorderStyle Border;
    Integer Cols;
    Integer RowHeight;
    Integer Asked;
    Integer Expected;
  };
  const Case cases[] = {
      {bsSingle, 3, 22, 100, 92},  // 100 + 2 - (98 mod 22)
      {bsSingle, 3, 22, 112, 114}, // 112 + 2 - (110 mod 22 = 0)
      {bsSingle, 3, 22, 90, 92},   // 90 + 2 - (88 mod 22 = 0)
      {bsNone, 3, 22, 100, 88},    // 100 - (100 mod 22)
      {bsSingle, 40, 22, 200, 200 + 2 - ((200 - bar - 2) % 22)},
      {bsSingle, 3, 0, 137, 137},  // no row height: the height stays
  };
  for (const Case& c : cases) {
    g->SetBorderStyle(c.Border);
    g->SetColCount(c.Cols);
    g->SetDefaultRowHeight(c.RowHeight);
    g->SetBounds(0, 0, 300, c.Asked);
    EXPECT_EQ(g->GetHeight(), c.Expected) << "asked " << c.Asked << " border " << c.Border << " cols " << c.Cols;
  }
  g->SetIntegralHeight(false);
  g->SetDefaultRowHeight(22);
  g->SetBounds(0, 0, 300, 100);
  EXPECT_EQ(g->GetHeight(), 100);
}

TEST_F(NeoStringGridTest, StretchColumnFillsTheClientWidth) {
  TProbeGrid* g = NewGrid();
  g->SetColCount(4);
  g->SetFixedCols(1);
  g->SetScrollBars(ssNone);
  Form->Show();
  Pump();
  Integer client = g->GetClientWidth();
  g->GetColumnSize()->SetStretch(true);   // the last column takes what the others leave
  EXPECT_EQ(g->GetColWidths(3), client - 3 * g->GetDefaultColWidth());
  g->GetColumnSize()->SetStretchAll(true);
  Integer share = (client - g->GetColWidths(0)) / 3;
  Integer rest = (client - g->GetColWidths(0)) - 3 * share;
  EXPECT_EQ(g->GetColWidths(1), share + (rest > 0 ? 1 : 0));
  EXPECT_EQ(g->GetColWidths(3), share + (rest > 2 ? 1 : 0));
  EXPECT_EQ(g->GetColWidths(0) + g->GetColWidths(1) + g->GetColWidths(2) + g->GetColWidths(3), client);
}

TEST_F(NeoStringGridTest, WindowHookKeepsTheFocusWindowOverTheCurrentCell) {
  InstallNeoGridHook();
  TProbeGrid* g = NewGrid(20, 30);
  Form->Show();
  Pump();
  g->SetCol(2);
  g->SetRow(3);
  g->ShowFocusWindow(g->CellRect(2, 3));
  EXPECT_EQ(TNeoStringGrid::FocusWindowGrid(), g);
  auto expectOverCell = [&](const char* When) {
    TRect cell = g->CellRect(2, 3);
    TPoint p = g->ClientToScreen(TPoint{cell.left, cell.top});
    RECT w{};
    GetWindowRect(g->GetFocusWindow()->GetHandle(), &w);
    EXPECT_EQ(w.left, p.x - 4) << When;
    EXPECT_EQ(w.top, p.y - 4) << When;
    EXPECT_EQ(w.right - w.left, cell.right - cell.left + 9) << When;
    EXPECT_EQ(w.bottom - w.top, cell.bottom - cell.top + 9) << When;
  };
  expectOverCell("shown");
  Form->SetBounds(Form->GetLeft() + 37, Form->GetTop() + 11, Form->GetWidth(), Form->GetHeight());
  Pump();
  expectOverCell("form moved");
  g->HideFocusWindow();
  EXPECT_EQ(TNeoStringGrid::FocusWindowGrid(), nullptr);
  RemoveNeoGridHook();
}

}  // namespace
