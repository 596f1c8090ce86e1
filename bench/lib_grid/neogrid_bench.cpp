// The grid class against QTableView in the same run.
//
//   Page:   a grid of 1,000,000 rows x 8 columns of texts in a 1000 x 700 view, paged from top to
//           bottom (wrapping round), one full repaint per page; QTableView over a model of the
//           same texts, scrolled and repainted the same way on Qt's offscreen platform.
//   Create: a grid made, given Arg rows and freed: time grows with the rows, not their square.
//
//   QT_QPA_PLATFORM=offscreen build/release/bench/bench_neogrid_bench
#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QVector>

#include <cstdlib>
#include <memory>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"
#include "platform/win/WinUser.h"

namespace {

constexpr int Rows = 1000000, Cols = 8;
constexpr int ViewWidth = 1000, ViewHeight = 700, RowHeight = 22, ColWidth = 110;

void CellText(int Row, int Col, char16_t* Out) {
  unsigned v = static_cast<unsigned>(Row) * Cols + static_cast<unsigned>(Col);
  Out[0] = u'C';
  for (int i = 8; i >= 1; --i) {
    Out[i] = static_cast<char16_t>(u'0' + v % 10);
    v /= 10;
  }
}

void BM_Page_TNeoStringGrid(benchmark::State& State) {
  auto* form = new TForm(Application);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, ViewWidth, ViewHeight);
  auto* grid = new TNeoStringGrid(form);
  grid->SetParent(form);
  grid->SetBorderStyle(bsNone);
  grid->SetBounds(0, 0, ViewWidth, ViewHeight);
  grid->SetColCount(Cols);
  grid->SetRowCount(Rows);
  grid->SetFixedCols(0);
  grid->SetFixedRows(0);
  grid->SetDefaultRowHeight(RowHeight);
  grid->SetDefaultColWidth(ColWidth);
  char16_t buf[9];
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) {
      CellText(r, c, buf);
      grid->SetCells(c, r, String(buf, 9));
    }
  form->Show();
  Headless::RunUntilIdle();
  HWND h = grid->GetHandle();
  Integer page = grid->GetVisibleRowCount(), top = 0;
  for (auto _ : State) {
    top = top + page >= Rows - page ? 0 : top + page;
    grid->SetTopRow(top);
    InvalidateRect(h, nullptr, FALSE);
    UpdateWindow(h);
  }
  delete form;
}

class TLeanModel : public QAbstractTableModel {
public:
  TLeanModel(int ARows, int Columns) : FRows(ARows), FCols(Columns), FTexts(ARows * Columns) {}
  int rowCount(const QModelIndex& = QModelIndex()) const override { return FRows; }
  int columnCount(const QModelIndex& = QModelIndex()) const override { return FCols; }
  QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override {
    if (Role != Qt::DisplayRole) return QVariant();
    return FTexts[Index.row() * FCols + Index.column()];
  }
  void Set(int Row, int Col, QString Text) { FTexts[Row * FCols + Col] = std::move(Text); }

private:
  int FRows, FCols;
  QVector<QString> FTexts;
};

void BM_Page_QTableView(benchmark::State& State) {
  TLeanModel model(Rows, Cols);
  char16_t buf[9];
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) {
      CellText(r, c, buf);
      model.Set(r, c, QString(reinterpret_cast<const QChar*>(buf), 9));
    }
  QTableView view;
  view.setModel(&model);
  view.horizontalHeader()->hide();
  view.verticalHeader()->hide();
  view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view.verticalHeader()->setDefaultSectionSize(RowHeight);
  view.horizontalHeader()->setDefaultSectionSize(ColWidth);
  view.resize(ViewWidth, ViewHeight);
  view.show();
  QApplication::processEvents();
  QScrollBar* bar = view.verticalScrollBar();
  int page = ViewHeight / RowHeight, top = 0;
  for (auto _ : State) {
    top = top + page >= Rows - page ? 0 : top + page;
    bar->setValue(top);
    view.viewport()->repaint();
  }
}

void BM_Create_TNeoStringGrid(benchmark::State& State) {
  for (auto _ : State) {
    auto grid = std::make_unique<TNeoStringGrid>(nullptr);
    grid->SetRowCount(static_cast<Integer>(State.range(0)));
    benchmark::DoNotOptimize(grid.get());
  }
}

}  // namespace

BENCHMARK(BM_Page_TNeoStringGrid)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Page_QTableView)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Create_TNeoStringGrid)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  Headless::Use();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
