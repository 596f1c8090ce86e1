// The item selector against QListView in the same run: layout and first paint of 100,000 text
// items in a 240 x 400 view.
//
//   Ours: the items added beforehand and laid out once; timed are UpdateSelectorPanel (every
//         caption's size, the rectangles laid out, the panel sized) and the first paint of the
//         view. The panel keeps the sizes of captions without markup per font, so this relayout
//         measures nothing again.
//         LayoutOnly times UpdateSelectorPanel alone, to tell the two apart.
//         FirstLayoutAndPaint times the first layout instead (EndUpdate after the items were
//         added: every caption measured through the markup engine) and the paint.
//   Qt:   a QStringListModel with the same texts set beforehand; timed are the first show of a
//         QListView over it (every item's size from its delegate, the layout) and its paint, on
//         Qt's offscreen platform.
//
//   QT_QPA_PLATFORM=offscreen build/<release>/bench/bench_item_selector_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <QStringList>
#include <QStringListModel>

#include <cstdlib>
#include <memory>

#include "lib/dropdown/NeoItemSelector.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"
#include "platform/win/WinUser.h"

namespace {

constexpr int ItemCount = 100000, ViewWidth = 240, ViewHeight = 400;

String Caption(int Index) { return u"Item " + IntToStr(Index); }

// Paint: whether the first paint or the layout takes the time. First: the first layout is timed
// rather than a second one.
template <bool Paint, bool First = false>
void LayoutAndPaint(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    auto* form = new TForm(Application);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, ViewWidth, ViewHeight);
    auto* selector = new TNeoCustomItemSelector(form);
    selector->SetParent(form);
    selector->SetBounds(0, 0, ViewWidth, ViewHeight);
    TSelectorItems* items = selector->GetItems();
    items->BeginUpdate();
    for (int i = 0; i < ItemCount; ++i) items->Add()->SetCaption(Caption(i));
    form->Show();
    Headless::RunUntilIdle();
    if (First) State.ResumeTiming();
    items->EndUpdate();   // the first layout
    Headless::RunUntilIdle();
    if (!First) {
      State.ResumeTiming();
      selector->UpdateSelectorPanel();
    }
    if (Paint) {
      selector->GetItemSelectorPanel()->Invalidate();
      UpdateWindow(selector->GetItemSelectorPanel()->GetHandle());
      Headless::RunUntilIdle();
    }
    State.PauseTiming();
    benchmark::DoNotOptimize(selector->GetPanelSize());
    delete form;
    State.ResumeTiming();
  }
}

void BM_LayoutAndPaint_ItemSelector(benchmark::State& State) { LayoutAndPaint<true>(State); }
void BM_LayoutOnly_ItemSelector(benchmark::State& State) { LayoutAndPaint<false>(State); }
void BM_FirstLayoutAndPaint_ItemSelector(benchmark::State& State) { LayoutAndPaint<true, true>(State); }

void BM_LayoutAndPaint_QListView(benchmark::State& State) {
  QStringList texts;
  texts.reserve(ItemCount);
  for (int i = 0; i < ItemCount; ++i) texts << QStringLiteral("Item %1").arg(i);
  for (auto _ : State) {
    State.PauseTiming();
    QStringListModel model(texts);
    auto view = std::make_unique<QListView>();
    view->setModel(&model);
    view->resize(ViewWidth, ViewHeight);
    State.ResumeTiming();
    view->show();
    QApplication::processEvents();
    view->viewport()->repaint();
    State.PauseTiming();
    view.reset();
    State.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(BM_LayoutAndPaint_ItemSelector)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LayoutOnly_ItemSelector)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FirstLayoutAndPaint_ItemSelector)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LayoutAndPaint_QListView)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  Headless::Use();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
