// Moving the current row with disjunct row selection on: every move copies the selection into the
// row flags. The cost per move on a grid of 1,000,000 rows against the same moves on 1,000 rows
// in the same run: the copy visits the selection's rows only, so the two should match.
//
//   build/release/bench/bench_neogrid_select_bench
#include <benchmark/benchmark.h>

#include <memory>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"

namespace {

// Moves the current row round rows 100 .. 199 of a grid of Arg rows.
void BM_SetRowEx_DisjunctRowSelect(benchmark::State& State) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* grid = new TNeoStringGrid(form.get());
  grid->SetParent(form.get());
  grid->SetColCount(8);
  grid->SetRowCount(static_cast<Integer>(State.range(0)));
  grid->GetMouseActions()->SetDisjunctRowSelect(true);
  Integer row = 100;
  for (auto _ : State) {
    grid->SetRowEx(row);
    row = row == 199 ? 100 : row + 1;
  }
  benchmark::DoNotOptimize(grid->GetRowSelectCount());
  State.SetItemsProcessed(State.iterations());
}

}  // namespace

BENCHMARK(BM_SetRowEx_DisjunctRowSelect)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  Headless::Use();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
