// Preprocessing and search highlighting of generated marked-up texts of 100 KB and 1 MB: the time
// must grow in proportion to the size. A plain copy-and-scan of the same text runs beside them as
// the linear reference.
//
// Each routine builds a few strings of the text's size. Above glibc's thresholds every such string
// would be mapped fresh and the heap trimmed after it, so the run would measure the kernel's page
// faults (which cost far more in a virtual machine) instead of the routines: main keeps freed
// memory in the heap. Run with --no_malloc_retention to see the allocator's default behaviour.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "lib/render/NeoHTMLMarkup.h"
#include "lib/render/NeoHTMLText.h"

namespace {

// A cell-like text: words in bold, italic, coloured and linked runs, entities of every kind, line
// breaks and hash texts, until it holds ASize characters.
String MarkedUpText(std::size_t ASize) {
  static const Char* const Words[] = {u"lorem", u"ipsum", u"caf&eacute;", u"na&iuml;ve", u"R&amp;D",
                                      u"&#233;t&#233;", u"&quot;quoted&quot;", u"&lt;tag&gt;", u"&#128512;",
                                      u"dolor", u"sit", u"amet", u"\u00FCber", u"<#42>", u"price&nbsp;5&euro;"};
  static const Char* const Open[] = {u"<B>", u"<I>", u"<FONT COLOR=\"#FF0000\">", u"<A HREF=\"http://x.org/a\">",
                                     u"<U>", u"<FONT FACE=\"Arial\" SIZE=\"3\">"};
  static const Char* const Close[] = {u"</B>", u"</I>", u"</FONT>", u"</A>", u"</U>", u"</FONT>"};
  std::mt19937 rng(42);
  String text;
  text.reserve(ASize + 64);
  while (text.size() < ASize) {
    const std::size_t tag = rng() % std::size(Open);
    text += Open[tag];
    for (int n = 1 + static_cast<int>(rng() % 6); n > 0; --n) {
      text += Words[rng() % std::size(Words)];
      text += u' ';
    }
    text += Close[tag];
    text += rng() % 8 == 0 ? u"\r\n" : u" ";
  }
  return text;
}

const String& Text(std::int64_t ASize) {
  static const String small = MarkedUpText(100 * 1024);
  static const String large = MarkedUpText(1024 * 1024);
  return ASize == 100 * 1024 ? small : large;
}

void BM_CopyAndScan(benchmark::State& state) {
  const String& text = Text(state.range(0));
  for (auto _ : state) {
    String copy = text;
    benchmark::DoNotOptimize(std::count(copy.begin(), copy.end(), u'<'));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * sizeof(Char)));
}

void BM_PrepareHtmlText(benchmark::State& state) {
  const String& text = Text(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(PrepareHtmlText(text));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * sizeof(Char)));
}

void BM_HighlightHtmlText(benchmark::State& state) {
  const String& text = Text(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(HighlightHtmlText(text, u"IPSUM", u"hi", false, false));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * sizeof(Char)));
}

void BM_HighlightPlainText(benchmark::State& state) {
  const String plain = StripHtmlTags(Text(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(HighlightHtmlText(plain, u"ipsum", u"hi", true, false));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(plain.size() * sizeof(Char)));
}

}  // namespace

BENCHMARK(BM_CopyAndScan)->Arg(100 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrepareHtmlText)->Arg(100 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HighlightHtmlText)->Arg(100 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HighlightPlainText)->Arg(100 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  bool retain = true;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--no_malloc_retention") == 0) retain = false;
    else argv[kept++] = argv[i];
  }
  argc = kept;
  if (retain) {
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
