// Scrolling the grid: the cost of one step, measured at 1,000, 100,000 and 1,000,000 rows in the
// same run, so that a step that walks the rows shows as a cost growing with the count.
//
//   LineScroll: a proportional grid scrolled line by line through its scroll messages (the grid's
//     scroll handler, the base grid's scroll, the top-left reactions).
//   Step/<kind>/<region>/<rows>: one wheel notch with waScroll, one with waMoveSelection, or one
//     PageDown, each followed by a repaint of the whole visible area, over 500 steps from the first
//     row (region 0), from the middle (1) and up to the end (2); and Ctrl+End / Ctrl+Home (kind 3)
//     from one end to the other. The grid's texts are computed when shown (OnGetDisplText).
//   DemoPageDown/<region>: PageDown steps as above at 1,000,000 rows on a grid dressed as the demo's
//     (Windows 7 selection, hover and active row, the focus glow, a header merged across three
//     columns and a 2 x 2 block, the demo's column widths), compared with QtStep/2/<region>/1000000.
//   QtStep/<kind>/<region>/<rows>: the same steps on a QTableView over a model of the same texts:
//     wheel and key events sent to the view (the selection move as setCurrentIndex and scrollTo),
//     the viewport repainted synchronously. Built only where Qt 5 is found.
//
// Flat means Step at 1,000,000 rows within 1.25 x Step at 1,000 rows; the Qt ratio is ours / Qt.
//
//   QT_QPA_PLATFORM=offscreen build/wheel-rel/bench/bench_neogrid_scroll_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"
#include "platform/win/WinUser.h"

#ifdef ZELK_BENCH_QT
#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>
#include <QWheelEvent>
#endif

namespace {

constexpr int Cols = 12;
constexpr int ViewWidth = 760, ViewHeight = 520, RowHeight = 22, ColWidth = 90;
constexpr int StepsPerRegion = 500;
enum TStepKind { skWheelScroll, skWheelMove, skPageDown, skCtrlEnd };
const int RowCounts[] = {1000, 100000, 1000000};

String Text(int Row, int Col) { return u"R" + IntToStr(Row) + u"C" + IntToStr(Col); }

// Scrolls down 200 lines and back up again, a step per iteration, on a shown grid of Arg rows.
void LineScroll(benchmark::State& State, bool Proportional, TScrollType Type) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBounds(0, 0, 640, 480);
  auto* grid = new TNeoStringGrid(form.get());
  grid->SetParent(form.get());
  grid->SetBounds(0, 0, 600, 400);
  grid->SetColCount(8);
  grid->SetRowCount(static_cast<Integer>(State.range(0)));
  grid->SetScrollProportional(Proportional);
  grid->SetScrollType(Type);
  form->Show();
  Application->ProcessMessages();
  HWND h = grid->GetHandle();
  Integer step = 0;
  for (auto _ : State) {
    SendMessage(h, WM_VSCROLL, step < 200 ? SB_LINEDOWN : SB_LINEUP, 0);
    step = (step + 1) % 400;
  }
  benchmark::DoNotOptimize(grid->GetTopRow());
  State.SetItemsProcessed(State.iterations());
}

void BM_LineScroll_ProportionalFlat(benchmark::State& State) { LineScroll(State, true, ssFlat); }
// The same steps on plain window bars: what the grid's own work adds to the base grid's scroll.
void BM_LineScroll_Plain(benchmark::State& State) { LineScroll(State, false, ssNormal); }

// The row a region's 500 steps start from: the first row, the middle, or as far before the end
// as 500 steps of Size rows go (never above the first row).
int RegionStart(int Region, int Rows, int Size) {
  switch (Region) {
    case 0: return 1;
    case 1: return Rows / 2;
    default: return std::max(1, Rows - 1 - StepsPerRegion * Size);
  }
}

// ---------------------------------------------------------------------------------------------
// The grid
// ---------------------------------------------------------------------------------------------
class TGridBench {
public:
  explicit TGridBench(int Rows, bool DemoLook = false) : FForm(new TForm(Application)) {
    FForm->SetBorderStyle(bsNone);
    FForm->SetBounds(0, 0, ViewWidth, ViewHeight);
    Grid = new TNeoStringGrid(FForm);
    Grid->SetParent(FForm);
    Grid->SetBounds(0, 0, ViewWidth, ViewHeight);
    Grid->SetColCount(Cols);
    Grid->SetRowCount(Rows + 1);
    Grid->SetDefaultRowHeight(RowHeight);
    Grid->SetDefaultColWidth(ColWidth);
    Grid->OnGetDisplText = [](TObject*, Integer ACol, Integer ARow, String& Value) {
      if (Value.empty()) Value = Text(ARow, ACol);
    };
    if (DemoLook) DressAsDemo();
    FForm->Show();
    Headless::RunUntilIdle();
    Grid->SetFocus();
    Headless::RunUntilIdle();
    H = Grid->GetHandle();
    TPoint centre = Grid->ClientToScreen(TPoint{ViewWidth / 2, ViewHeight / 2});
    FWheelPoint = MAKELPARAM(centre.x, centre.y);
  }
  ~TGridBench() { delete FForm; }

  void GoTo(int Row) {
    Grid->SetTopRow(Row);
    Grid->SetRow(Row);
  }
  void Wheel() { SendMessage(H, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), FWheelPoint); }
  void Key(UINT Vk) { SendMessage(H, WM_KEYDOWN, Vk, 0); }
  void Repaint() {
    InvalidateRect(H, nullptr, FALSE);
    UpdateWindow(H);
  }

  TNeoStringGrid* Grid;
  HWND H;

private:
  void DressAsDemo() {
    constexpr Integer widths[Cols] = {50, 50, 120, 80, 90, 90, 100, 80, 90, 110, 80, 140};
    for (Integer c = 0; c < Cols; ++c) Grid->SetColWidths(c, widths[c]);
    Grid->SetOptions(Grid->GetOptions() + goEditing + goColSizing + goColMoving + goRangeSelect + goThumbTracking);
    Grid->SetSelectionStyle(ssWin7);
    Grid->SetHoverRow(true);
    Grid->SetActiveRowShow(true);
    Grid->GetFocusHelper()->SetEnabled(true);
    Grid->GetMouseActions()->SetDisjunctRowSelect(true);
    Grid->SetCells(2, 0, u"Person");
    Grid->MergeCells(2, 0, 3, 1);
    Grid->SetCells(5, 3, u"Block 2 x 2");
    Grid->MergeCells(5, 3, 2, 2);
  }

  TForm* FForm;
  LPARAM FWheelPoint;
};

// Steps of one kind over a region of a grid of Rows rows, each followed by a full repaint.
void Steps(benchmark::State& State, TStepKind Kind, int Region, int Rows, bool DemoLook);

void BM_Step(benchmark::State& State) {
  Steps(State, static_cast<TStepKind>(State.range(0)), static_cast<int>(State.range(1)),
        static_cast<int>(State.range(2)), false);
}

void BM_DemoPageDown(benchmark::State& State) {
  Steps(State, skPageDown, static_cast<int>(State.range(0)), 1000000, true);
}

void Steps(benchmark::State& State, TStepKind kind, int region, int rows, bool DemoLook) {
  TGridBench b(rows, DemoLook);
  b.Grid->GetMouseActions()->SetWheelAction(kind == skWheelScroll ? waScroll : waMoveSelection);
  if (kind == skCtrlEnd) {
    Headless::KeyDown(VK_CONTROL);
    Headless::RunUntilIdle();
    bool end = true;
    for (auto _ : State) {
      b.Key(end ? VK_END : VK_HOME);
      b.Repaint();
      end = !end;
    }
    Headless::KeyUp(VK_CONTROL);
    Headless::RunUntilIdle();
    State.counters["row"] = b.Grid->GetRow();
    return;
  }
  int size = kind == skPageDown ? b.Grid->GetVisibleRowCount() : b.Grid->GetWheelScrollLines();
  int start = RegionStart(region, rows, size);
  b.GoTo(start);
  int steps = 0;
  for (auto _ : State) {
    if (steps == StepsPerRegion || b.Grid->GetRow() >= rows - size || b.Grid->GetTopRow() >= rows - b.Grid->GetVisibleRowCount()) {
      State.PauseTiming();
      b.GoTo(start);
      steps = 0;
      State.ResumeTiming();
    }
    if (kind == skPageDown)
      b.Key(VK_NEXT);
    else
      b.Wheel();
    b.Repaint();
    ++steps;
  }
  State.counters["top"] = b.Grid->GetTopRow();
}

void StepArgs(benchmark::internal::Benchmark* B) {
  for (int kind : {skWheelScroll, skWheelMove, skPageDown})
    for (int region : {0, 1, 2})
      for (int rows : RowCounts) B->Args({kind, region, rows});
  for (int rows : RowCounts) B->Args({skCtrlEnd, 0, rows});
}

// ---------------------------------------------------------------------------------------------
// The Qt peer
// ---------------------------------------------------------------------------------------------
#ifdef ZELK_BENCH_QT
class TTextModel : public QAbstractTableModel {
public:
  explicit TTextModel(int ARows) : FRows(ARows) {}
  int rowCount(const QModelIndex& = QModelIndex()) const override { return FRows; }
  int columnCount(const QModelIndex& = QModelIndex()) const override { return Cols; }
  QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override {
    if (Role != Qt::DisplayRole) return QVariant();
    String t = Text(Index.row() + 1, Index.column());
    return QString(reinterpret_cast<const QChar*>(t.data()), static_cast<int>(t.size()));
  }

private:
  int FRows;
};

class TQtBench {
public:
  explicit TQtBench(int Rows) : Model(Rows) {
    View.setModel(&Model);
    View.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    View.verticalHeader()->setDefaultSectionSize(RowHeight);
    View.horizontalHeader()->setDefaultSectionSize(ColWidth);
    View.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    View.resize(ViewWidth, ViewHeight);
    View.show();
    QApplication::processEvents();
  }
  void GoTo(int Row) {
    View.verticalScrollBar()->setValue(Row);
    View.setCurrentIndex(Model.index(Row, 1));
  }
  void Wheel() {
    QPoint centre(ViewWidth / 2, ViewHeight / 2);
    QWheelEvent e(centre, View.viewport()->mapToGlobal(centre), QPoint(), QPoint(0, -WHEEL_DELTA), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(View.viewport(), &e);
  }
  void Move(int Rows) {
    QModelIndex next = Model.index(std::min(View.currentIndex().row() + Rows, Model.rowCount() - 1), 1);
    View.setCurrentIndex(next);
    View.scrollTo(next);
  }
  void Key(int QtKey, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, QtKey, Modifiers);
    QApplication::sendEvent(&View, &e);
  }
  void Repaint() { View.viewport()->repaint(); }
  int Row() { return View.currentIndex().row(); }
  int Top() { return View.verticalScrollBar()->value(); }

  TTextModel Model;
  QTableView View;
};

void BM_QtStep(benchmark::State& State) {
  auto kind = static_cast<TStepKind>(State.range(0));
  int region = static_cast<int>(State.range(1)), rows = static_cast<int>(State.range(2));
  TQtBench b(rows);
  if (kind == skCtrlEnd) {
    bool end = true;
    for (auto _ : State) {
      b.Key(end ? Qt::Key_End : Qt::Key_Home, Qt::ControlModifier);
      b.Repaint();
      end = !end;
    }
    State.counters["row"] = b.Row();
    return;
  }
  int page = ViewHeight / RowHeight - 2;
  int size = kind == skPageDown ? page : 3;
  int start = RegionStart(region, rows, size) - 1;
  b.GoTo(start);
  int steps = 0;
  for (auto _ : State) {
    if (steps == StepsPerRegion || b.Row() >= rows - 1 - size || b.Top() >= rows - page - 1) {
      State.PauseTiming();
      b.GoTo(start);
      steps = 0;
      State.ResumeTiming();
    }
    switch (kind) {
      case skWheelScroll: b.Wheel(); break;
      case skWheelMove: b.Move(3); break;
      default: b.Key(Qt::Key_PageDown); break;
    }
    b.Repaint();
    ++steps;
  }
  State.counters["top"] = b.Top();
}
#endif

}  // namespace

BENCHMARK(BM_LineScroll_ProportionalFlat)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineScroll_Plain)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Step)->Apply(StepArgs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DemoPageDown)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
#ifdef ZELK_BENCH_QT
BENCHMARK(BM_QtStep)->Apply(StepArgs)->Unit(benchmark::kMicrosecond);
#endif

int main(int argc, char** argv) {
#ifdef ZELK_BENCH_QT
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
#endif
  Headless::Use();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
