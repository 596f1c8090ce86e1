// The string grid against Qt and FLTK in the same run.
//
//   SetGet: 1,000,000 x 10 distinct texts of 9 characters written, then all read back, in
//           TStringGrid; QTableWidget (an item per cell); a lean QAbstractTableModel holding
//           QVector<QString>; and a std::vector<std::string> as an Fl_Table program keeps it.
//           Counters: heap bytes in use after the fill ("heap") and the growth of the resident
//           set ("rss", with freed memory given back to the system before each run).
//   Paint:  one full repaint of a 1000 x 700 view of 10 columns (TStringGrid in the headless
//           window system, QTableView on Qt's offscreen platform, Fl_Table on the X display).
//   Scroll: 20,000 rows from top to bottom a page at a time, painting each page.
//   TopRow: the view moved between the ends of a million rows of mixed heights (ours alone).
//   Step:   one step on a million rows with the repaint it causes: a wheel notch, Page Down or
//           Page Up, the thumb dragged between two places (QTableView over a model that makes
//           its texts on demand). A step that should feel immediate stays well under 16 ms.
//
// Run under a display for FLTK, for example:
//   QT_QPA_PLATFORM=offscreen xvfb-run -a build/release/bench/bench_grid_bench
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QVector>
#include <QWheelEvent>


#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Forms.h"
#include "platform/ui/Grids.h"
#include "platform/win/Headless.h"

#include "GridBenchFltk.h"

namespace {

constexpr int FillRows = 1000000, Cols = 10, ScrollRows = 20000;
constexpr int ViewWidth = 1000, ViewHeight = 700, RowHeight = 22, ColWidth = 96;

// The text of a cell: 9 characters, distinct for every cell.
void CellText(int Row, int Col, char16_t* Out) {
  unsigned v = static_cast<unsigned>(Row) * Cols + static_cast<unsigned>(Col);
  Out[0] = u'C';
  for (int i = 8; i >= 1; --i) {
    Out[i] = static_cast<char16_t>(u'0' + v % 10);
    v /= 10;
  }
}

long long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4096;
}

// Bytes handed out by malloc, large blocks (mapped on their own) included.
long long HeapBytes() {
  struct mallinfo2 m = mallinfo2();
  return static_cast<long long>(m.uordblks + m.hblkhd);
}

// Runs Fill (which builds the container), then Read; reports memory after the fill.
template <class TFill, class TRead, class TFree>
void MeasureSetGet(benchmark::State& State, TFill Fill, TRead Read, TFree Free) {
  for (auto _ : State) {
    malloc_trim(0);
    long long rss0 = ResidentBytes(), heap0 = HeapBytes();
    Fill();
    long long rss1 = ResidentBytes(), heap1 = HeapBytes();
    benchmark::DoNotOptimize(Read());
    State.PauseTiming();
    Free();
    malloc_trim(0);
    State.ResumeTiming();
    State.counters["rss"] = static_cast<double>(rss1 - rss0);
    State.counters["heap"] = static_cast<double>(heap1 - heap0);
  }
}

// ---------------------------------------------------------------------------------------------
// TStringGrid

void BM_SetGet_TStringGrid(benchmark::State& State) {
  std::unique_ptr<TStringGrid> grid;
  MeasureSetGet(
      State,
      [&] {
        grid = std::make_unique<TStringGrid>(nullptr);
        grid->SetColCount(Cols);
        grid->SetRowCount(FillRows);
        char16_t buf[9];
        for (int r = 0; r < FillRows; ++r)
          for (int c = 0; c < Cols; ++c) {
            CellText(r, c, buf);
            grid->SetCells(c, r, String(buf, 9));
          }
      },
      [&] {
        std::size_t n = 0;
        for (int r = 0; r < FillRows; ++r)
          for (int c = 0; c < Cols; ++c) n += grid->GetCells(c, r).size();
        return n;
      },
      [&] { grid.reset(); });
}

// A form with a grid of Rows x 10 filled cells, in the headless window system.
struct TOurView {
  TForm* Form;
  TStringGrid* Grid;
  explicit TOurView(int Rows) {
    Form = new TForm(Application);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(0, 0, ViewWidth, ViewHeight);
    Grid = new TStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBorderStyle(bsNone);
    Grid->SetBounds(0, 0, ViewWidth, ViewHeight);
    Grid->SetColCount(Cols);
    Grid->SetRowCount(Rows);
    Grid->SetFixedCols(0);
    Grid->SetFixedRows(0);
    Grid->SetDefaultRowHeight(RowHeight);
    Grid->SetDefaultColWidth(ColWidth);
    char16_t buf[9];
    for (int r = 0; r < Rows; ++r)
      for (int c = 0; c < Cols; ++c) {
        CellText(r, c, buf);
        Grid->SetCells(c, r, String(buf, 9));
      }
    Form->Show();
    Headless::RunUntilIdle();
  }
  ~TOurView() { delete Form; }
};

void BM_Paint_TStringGrid(benchmark::State& State) {
  TOurView v(ScrollRows);
  HWND h = v.Grid->GetHandle();
  long long cells = 0;
  v.Grid->OnDrawCell = [&](TObject*, Integer, Integer, TRect, TGridDrawState) { ++cells; };
  for (auto _ : State) {
    InvalidateRect(h, nullptr, FALSE);
    UpdateWindow(h);
  }
  State.counters["cells"] = benchmark::Counter(static_cast<double>(cells), benchmark::Counter::kAvgIterations);
}

void BM_Scroll_TStringGrid(benchmark::State& State) {
  TOurView v(ScrollRows);
  HWND h = v.Grid->GetHandle();
  int pages = 0;
  for (auto _ : State) {
    v.Grid->SetTopRow(0);
    UpdateWindow(h);
    while (true) {
      Integer top = v.Grid->GetTopRow();
      v.Grid->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
      UpdateWindow(h);
      if (v.Grid->GetTopRow() == top) break;
      ++pages;
    }
  }
  State.counters["pages"] = benchmark::Counter(pages, benchmark::Counter::kAvgIterations);
}

enum TStepKind { skWheel, skKeys, skThumb };

void BM_Step_TStringGrid(benchmark::State& State) {
  TOurView v(FillRows);
  v.Grid->SetOptions(v.Grid->GetOptions() + goThumbTracking);
  HWND h = v.Grid->GetHandle();
  // The current row at the bottom of the view: from there each notch down scrolls a row.
  v.Grid->SetRow(v.Grid->GetVisibleRowCount() - 1);
  UpdateWindow(h);
  RECT r;
  GetWindowRect(h, &r);
  LPARAM at = MAKELPARAM(r.left + 50, r.top + 50);
  auto kind = static_cast<TStepKind>(State.range(0));
  int i = 0, moved = 0;
  for (auto _ : State) {
    Integer top = v.Grid->GetTopRow();
    switch (kind) {
      case skWheel: SendMessage(h, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at); break;
      case skKeys: SendMessage(h, WM_KEYDOWN, (i & 1) ? VK_PRIOR : VK_NEXT, 0); break;
      case skThumb: SendMessage(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, (i & 1) ? 30 : 100), 0); break;
    }
    UpdateWindow(h);
    moved += v.Grid->GetTopRow() != top;
    ++i;
  }
  // Every step is meant to scroll the view: anything less measures no work.
  State.counters["scrolled"] = benchmark::Counter(moved, benchmark::Counter::kAvgIterations);
  if (moved < i) State.SkipWithError("a step left the view where it was");
}

// TopRow near the end of a million rows of mixed heights, and the cell rectangle there: prefix
// sums, not a walk over the heights.
void BM_TopRowMillionMixedHeights(benchmark::State& State) {
  TOurView v(100);
  v.Grid->SetRowCount(FillRows);
  for (int r = 0; r < FillRows; r += 7) v.Grid->SetRowHeights(r, RowHeight + r % 5);
  Integer tops[2] = {FillRows - 10, 1};
  int i = 0;
  for (auto _ : State) {
    v.Grid->SetTopRow(tops[i++ & 1]);
    benchmark::DoNotOptimize(v.Grid->CellRect(1, v.Grid->GetTopRow()));
  }
}

// ---------------------------------------------------------------------------------------------
// Qt

class TLeanModel : public QAbstractTableModel {
public:
  TLeanModel(int Rows, int Columns) : FRows(Rows), FCols(Columns), FTexts(Rows * Columns) {}
  int rowCount(const QModelIndex& = QModelIndex()) const override { return FRows; }
  int columnCount(const QModelIndex& = QModelIndex()) const override { return FCols; }
  QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override {
    if (Role != Qt::DisplayRole && Role != Qt::EditRole) return QVariant();
    return FTexts[Index.row() * FCols + Index.column()];
  }
  bool setData(const QModelIndex& Index, const QVariant& Value, int Role = Qt::EditRole) override {
    if (Role != Qt::EditRole) return false;
    FTexts[Index.row() * FCols + Index.column()] = Value.toString();
    emit dataChanged(Index, Index);
    return true;
  }
  // The fast path a program holding its own data would use.
  void Set(int Row, int Col, QString Text) { FTexts[Row * FCols + Col] = std::move(Text); }
  const QString& Get(int Row, int Col) const { return FTexts[Row * FCols + Col]; }

private:
  int FRows, FCols;
  QVector<QString> FTexts;
};

QString QtText(int Row, int Col) {
  char16_t buf[9];
  CellText(Row, Col, buf);
  return QString(reinterpret_cast<const QChar*>(buf), 9);
}

void BM_SetGet_QTableWidget(benchmark::State& State) {
  std::unique_ptr<QTableWidget> table;
  MeasureSetGet(
      State,
      [&] {
        table = std::make_unique<QTableWidget>(FillRows, Cols);
        for (int r = 0; r < FillRows; ++r)
          for (int c = 0; c < Cols; ++c) table->setItem(r, c, new QTableWidgetItem(QtText(r, c)));
      },
      [&] {
        std::size_t n = 0;
        for (int r = 0; r < FillRows; ++r)
          for (int c = 0; c < Cols; ++c) n += static_cast<std::size_t>(table->item(r, c)->text().size());
        return n;
      },
      [&] { table.reset(); });
}

void BM_SetGet_QtLeanModel(benchmark::State& State) {
  std::unique_ptr<TLeanModel> model;
  MeasureSetGet(
      State,
      [&] {
        model = std::make_unique<TLeanModel>(FillRows, Cols);
        for (int r = 0; r < FillRows; ++r)
          for (int c = 0; c < Cols; ++c) model->setData(model->index(r, c), QtText(r, c));
      },
      [&] {
        std::size_t n = 0;
        for (int r = 0; r < FillRows; ++r)
          for (int c = 0; c < Cols; ++c) n += static_cast<std::size_t>(model->data(model->index(r, c)).toString().size());
        return n;
      },
      [&] { model.reset(); });
}

// A view laid out as ours: no headers, fixed row heights, ViewWidth x ViewHeight, shown.
void ShowQtView(QTableView& View, QAbstractItemModel* Model) {
  View.setModel(Model);
  View.horizontalHeader()->hide();
  View.verticalHeader()->hide();
  View.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  View.verticalHeader()->setDefaultSectionSize(RowHeight);
  View.horizontalHeader()->setDefaultSectionSize(ColWidth);
  View.resize(ViewWidth, ViewHeight);
  View.show();
  QApplication::processEvents();
}

struct TQtView {
  TLeanModel Model{ScrollRows, Cols};
  QTableView View;
  TQtView() {
    for (int r = 0; r < ScrollRows; ++r)
      for (int c = 0; c < Cols; ++c) Model.Set(r, c, QtText(r, c));
    ShowQtView(View, &Model);
  }
};

// Texts made when asked for: a million rows without holding them.
class TGeneratedModel : public QAbstractTableModel {
public:
  int rowCount(const QModelIndex& = QModelIndex()) const override { return FillRows; }
  int columnCount(const QModelIndex& = QModelIndex()) const override { return Cols; }
  QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override {
    if (Role != Qt::DisplayRole) return QVariant();
    return QtText(Index.row(), Index.column());
  }
};

void BM_Step_QTableView(benchmark::State& State) {
  TGeneratedModel model;
  QTableView view;
  ShowQtView(view, &model);
  view.setCurrentIndex(model.index(view.viewport()->height() / RowHeight - 1, 0));
  QScrollBar* bar = view.verticalScrollBar();
  QPoint at(50, 50);
  auto kind = static_cast<TStepKind>(State.range(0));
  int i = 0, moved = 0;
  for (auto _ : State) {
    int top = bar->value();
    switch (kind) {
      case skWheel: {
        QWheelEvent wheel(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &wheel);
        break;
      }
      case skKeys: {
        QKeyEvent key(QEvent::KeyPress, (i & 1) ? Qt::Key_PageUp : Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(&view, &key);
        break;
      }
      case skThumb: bar->setValue(bar->maximum() / 127 * ((i & 1) ? 30 : 100)); break;
    }
    view.viewport()->repaint();
    moved += bar->value() != top;
    ++i;
  }
  State.counters["scrolled"] = benchmark::Counter(moved, benchmark::Counter::kAvgIterations);
  if (moved < i) State.SkipWithError("a step left the view where it was");
}

void BM_Paint_QTableView(benchmark::State& State) {
  TQtView v;
  for (auto _ : State) v.View.viewport()->repaint();
}

void BM_Scroll_QTableView(benchmark::State& State) {
  TQtView v;
  QScrollBar* bar = v.View.verticalScrollBar();
  int pages = 0;
  for (auto _ : State) {
    bar->setValue(0);
    v.View.viewport()->repaint();
    while (bar->value() < bar->maximum()) {
      bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
      v.View.viewport()->repaint();
      ++pages;
    }
  }
  State.counters["pages"] = benchmark::Counter(pages, benchmark::Counter::kAvgIterations);
}

// ---------------------------------------------------------------------------------------------
// FLTK

void BM_SetGet_FlTableVector(benchmark::State& State) {
  std::vector<std::string> texts;
  MeasureSetGet(
      State,
      [&] {
        texts.assign(static_cast<std::size_t>(FillRows) * Cols, std::string());
        char16_t buf[9];
        for (int r = 0; r < FillRows; ++r)
          for (int c = 0; c < Cols; ++c) {
            CellText(r, c, buf);
            texts[static_cast<std::size_t>(r * Cols + c)] = std::string(buf, buf + 9);
          }
      },
      [&] {
        std::size_t n = 0;
        for (int r = 0; r < FillRows; ++r)
          for (int c = 0; c < Cols; ++c) n += texts[static_cast<std::size_t>(r * Cols + c)].size();
        return n;
      },
      [&] { std::vector<std::string>().swap(texts); });
}

// The FLTK side lives in its own file: its headers bring Xlib's macros.
struct TFlView {
  std::vector<std::string> Texts;
  fltkpeer::TView* View = nullptr;
  TFlView() {
    char16_t buf[9];
    for (int r = 0; r < ScrollRows; ++r)
      for (int c = 0; c < Cols; ++c) {
        CellText(r, c, buf);
        Texts.emplace_back(buf, buf + 9);
      }
    View = fltkpeer::NewView(&Texts, ScrollRows, Cols, ViewWidth, ViewHeight, RowHeight, ColWidth);
  }
  ~TFlView() { fltkpeer::FreeView(View); }
};

void BM_Paint_FlTable(benchmark::State& State) {
  if (!fltkpeer::HasDisplay()) {
    State.SkipWithError("FLTK needs a display (run under xvfb-run)");
    return;
  }
  TFlView v;
  long long before = fltkpeer::CellsDrawn();
  for (auto _ : State) fltkpeer::Paint(v.View);
  State.counters["cells"] =
      benchmark::Counter(static_cast<double>(fltkpeer::CellsDrawn() - before), benchmark::Counter::kAvgIterations);
  if (fltkpeer::CellsDrawn() == before) State.SkipWithError("FLTK drew no cells: its time is no paint");
}

void BM_Scroll_FlTable(benchmark::State& State) {
  if (!fltkpeer::HasDisplay()) {
    State.SkipWithError("FLTK needs a display (run under xvfb-run)");
    return;
  }
  TFlView v;
  long long before = fltkpeer::CellsDrawn();
  int pages = 0;
  int page = ViewHeight / RowHeight;
  for (auto _ : State) {
    fltkpeer::ShowRow(v.View, 0);
    for (int top = page; top < ScrollRows; top += page) {
      fltkpeer::ShowRow(v.View, top);
      ++pages;
    }
  }
  State.counters["pages"] = benchmark::Counter(pages, benchmark::Counter::kAvgIterations);
  if (fltkpeer::CellsDrawn() == before) State.SkipWithError("FLTK drew no cells: its time is no paint");
}

}  // namespace

BENCHMARK(BM_TopRowMillionMixedHeights)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetGet_TStringGrid)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SetGet_QtLeanModel)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SetGet_QTableWidget)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SetGet_FlTableVector)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Paint_TStringGrid)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Paint_QTableView)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Paint_FlTable)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Scroll_TStringGrid)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Scroll_QTableView)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Scroll_FlTable)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Step_TStringGrid)->ArgName("wheel0_keys1_thumb2")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Step_QTableView)->ArgName("wheel0_keys1_thumb2")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  Headless::Use();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
