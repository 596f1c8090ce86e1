// A sorted TStringList of a million entries: loading (Add unsorted, then Sorted := True), sorting
// and Find, beside std::vector<std::u16string> + std::sort + binary search as the baseline.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "platform/rtl/Classes.h"

namespace {

constexpr int N = 1000000;

// Mixed-case keys of 8 to 20 characters with a shared prefix, as identifiers in real lists look.
const std::vector<String>& Keys() {
  static const std::vector<String> keys = [] {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> len(4, 16), ch(0, 51);
    std::vector<String> out;
    out.reserve(N);
    for (int i = 0; i < N; ++i) {
      String s = u"Key_";
      for (int k = len(rng); k > 0; --k) {
        int c = ch(rng);
        s += static_cast<Char>(c < 26 ? u'a' + c : u'A' + c - 26);
      }
      out.push_back(std::move(s));
    }
    return out;
  }();
  return keys;
}

void FillUnsorted(TStringList& L) {
  for (const String& s : Keys()) L.Add(s);
}

// Add a million strings unsorted, then Sorted := True (the load path).
void BM_StringList_LoadSorted(benchmark::State& state) {
  for (auto _ : state) {
    TStringList l;
    l.SetDuplicates(dupAccept);
    FillUnsorted(l);
    l.SetSorted(true);
    benchmark::DoNotOptimize(l.GetCount());
  }
  state.SetItemsProcessed(state.iterations() * N);
}
BENCHMARK(BM_StringList_LoadSorted)->Unit(benchmark::kMillisecond);

// Sort alone (case-insensitive, the default).
void BM_StringList_Sort(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    TStringList l;
    FillUnsorted(l);
    state.ResumeTiming();
    l.Sort();
    benchmark::DoNotOptimize(l.GetCount());
    state.PauseTiming();
    l.Clear();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * N);
}
BENCHMARK(BM_StringList_Sort)->Unit(benchmark::kMillisecond);

// A million Find calls on the sorted list, in random order.
void BM_StringList_Find(benchmark::State& state) {
  TStringList l;
  l.SetDuplicates(dupAccept);
  FillUnsorted(l);
  l.SetSorted(true);
  for (auto _ : state) {
    int found = 0;
    Integer index;
    for (const String& s : Keys()) found += l.Find(s, index);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * N);
}
BENCHMARK(BM_StringList_Find)->Unit(benchmark::kMillisecond);

// Baseline: the same work on std::vector<std::u16string> with ordinal std::sort.
void BM_Vector_LoadSorted(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<std::u16string> v;
    for (const String& s : Keys()) v.push_back(s);
    std::sort(v.begin(), v.end());
    benchmark::DoNotOptimize(v.data());
  }
  state.SetItemsProcessed(state.iterations() * N);
}
BENCHMARK(BM_Vector_LoadSorted)->Unit(benchmark::kMillisecond);

void BM_Vector_Sort(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::u16string> v(Keys().begin(), Keys().end());
    state.ResumeTiming();
    std::sort(v.begin(), v.end());
    benchmark::DoNotOptimize(v.data());
    state.PauseTiming();
    v.clear();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * N);
}
BENCHMARK(BM_Vector_Sort)->Unit(benchmark::kMillisecond);

void BM_Vector_Find(benchmark::State& state) {
  std::vector<std::u16string> v(Keys().begin(), Keys().end());
  std::sort(v.begin(), v.end());
  for (auto _ : state) {
    int found = 0;
    for (const String& s : Keys()) found += std::binary_search(v.begin(), v.end(), s);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * N);
}
BENCHMARK(BM_Vector_Find)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
