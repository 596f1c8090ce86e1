// Scrolling a proportional grid line by line through its scroll messages: every step runs the
// grid's scroll handler, the base grid's scroll and the top-left reactions (flat bars, footer,
// cell controls, synchronised grid). The cost per step on 1,000,000 rows against 1,000 rows in the
// same run: no step walks the rows, so the two should match.
//
//   build/release/bench/bench_neogrid_scroll_bench
#include <benchmark/benchmark.h>

#include <memory>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"
#include "platform/win/WinUser.h"

namespace {

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

}  // namespace

BENCHMARK(BM_LineScroll_ProportionalFlat)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LineScroll_Plain)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  Headless::Use();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
