// The base grid against its peers in the same run.
//
//   Cells: 1,000,000 x 10 texts of 9 characters written and read back through SetCellEx /
//          GetCellEx on cells without properties, against the platform string grid's own store
//          (SetCells / GetCells).
//   Paint: one full repaint of a 1000 x 700 view of 10 columns, every cell through PaintCellCore
//          (own lines, background, content), against the platform string grid and QTableView on
//          Qt's offscreen platform.
//
//   QT_QPA_PLATFORM=offscreen build/release/bench/bench_basegrid_bench
#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QVector>

#include <cstdlib>
#include <memory>

#include "lib/grid/core/NeoBaseGrid.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"
#include "platform/win/WinUser.h"

namespace {

constexpr int FillRows = 1000000, Cols = 10, ViewRows = 20000;
constexpr int ViewWidth = 1000, ViewHeight = 700, RowHeight = 22, ColWidth = 96;

void CellText(int Row, int Col, char16_t* Out) {
  unsigned v = static_cast<unsigned>(Row) * Cols + static_cast<unsigned>(Col);
  Out[0] = u'C';
  for (int i = 8; i >= 1; --i) {
    Out[i] = static_cast<char16_t>(u'0' + v % 10);
    v /= 10;
  }
}

class TBenchGrid : public TBaseGrid {
public:
  explicit TBenchGrid(TComponent* AOwner) : TBaseGrid(AOwner) {}
  bool IsNode(Integer) override { return false; }
  bool IsSummary(Integer) override { return false; }
  bool CellHasCheckBox(Integer, Integer) override { return false; }
  void SetCheckBoxFromText(Integer, Integer, const String&) override {}
};

// Writes every cell through Set, then reads every cell through Get.
template <class TGrid, class TSet, class TGet>
void SetGet(benchmark::State& State, TSet Set, TGet Get) {
  for (auto _ : State) {
    State.PauseTiming();
    auto grid = std::make_unique<TGrid>(nullptr);
    grid->SetColCount(Cols);
    grid->SetRowCount(FillRows);
    State.ResumeTiming();
    char16_t buf[9];
    for (int r = 0; r < FillRows; ++r)
      for (int c = 0; c < Cols; ++c) {
        CellText(r, c, buf);
        Set(*grid, c, r, String(buf, 9));
      }
    std::size_t n = 0;
    for (int r = 0; r < FillRows; ++r)
      for (int c = 0; c < Cols; ++c) n += Get(*grid, c, r).size();
    benchmark::DoNotOptimize(n);
    State.PauseTiming();
    grid.reset();
    State.ResumeTiming();
  }
}

void BM_Cells_TStringGrid(benchmark::State& State) {
  SetGet<TStringGrid>(
      State, [](TStringGrid& G, int C, int R, const String& V) { G.SetCells(C, R, V); },
      [](TStringGrid& G, int C, int R) { return G.GetCells(C, R); });
}

void BM_Cells_TBaseGrid(benchmark::State& State) {
  SetGet<TBenchGrid>(
      State, [](TBenchGrid& G, int C, int R, const String& V) { G.SetCellEx(C, R, V); },
      [](TBenchGrid& G, int C, int R) { return G.GetCellEx(C, R); });
}

template <class TGrid>
struct TOurView {
  TForm* Form;
  TGrid* Grid;
  TOurView() {
    Form = new TForm(Application);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(0, 0, ViewWidth, ViewHeight);
    Grid = new TGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBorderStyle(bsNone);
    Grid->SetBounds(0, 0, ViewWidth, ViewHeight);
    Grid->SetColCount(Cols);
    Grid->SetRowCount(ViewRows);
    Grid->SetFixedCols(0);
    Grid->SetFixedRows(0);
    Grid->SetDefaultRowHeight(RowHeight);
    Grid->SetDefaultColWidth(ColWidth);
    char16_t buf[9];
    for (int r = 0; r < ViewRows; ++r)
      for (int c = 0; c < Cols; ++c) {
        CellText(r, c, buf);
        Grid->SetCells(c, r, String(buf, 9));
      }
    Form->Show();
    Headless::RunUntilIdle();
  }
  ~TOurView() { delete Form; }
};

template <class TGrid>
void Paint(benchmark::State& State) {
  TOurView<TGrid> v;
  HWND h = v.Grid->GetHandle();
  for (auto _ : State) {
    InvalidateRect(h, nullptr, FALSE);
    UpdateWindow(h);
  }
}

void BM_Paint_TStringGrid(benchmark::State& State) {
  TOurView<TStringGrid> v;
  HWND h = v.Grid->GetHandle();
  // The text as the base grid draws it, so that both paint the same.
  v.Grid->OnDrawCell = [&](TObject*, Integer C, Integer R, TRect Rect, TGridDrawState) {
    TRect r = Rect;
    v.Grid->GetCanvas()->TextRect(r, v.Grid->GetCells(C, R), TTextFormat{tfSingleLine, tfVerticalCenter, tfCenter});
  };
  v.Grid->SetDefaultDrawing(false);
  for (auto _ : State) {
    InvalidateRect(h, nullptr, FALSE);
    UpdateWindow(h);
  }
}

void BM_Paint_TBaseGrid(benchmark::State& State) { Paint<TBenchGrid>(State); }

class TLeanModel : public QAbstractTableModel {
public:
  TLeanModel(int Rows, int Columns) : FRows(Rows), FCols(Columns), FTexts(Rows * Columns) {}
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

void BM_Paint_QTableView(benchmark::State& State) {
  TLeanModel model(ViewRows, Cols);
  char16_t buf[9];
  for (int r = 0; r < ViewRows; ++r)
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
  for (auto _ : State) view.viewport()->repaint();
}

}  // namespace

BENCHMARK(BM_Cells_TStringGrid)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Cells_TBaseGrid)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Paint_TStringGrid)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Paint_TBaseGrid)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Paint_QTableView)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  Headless::Use();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
