// 1,000 marked-up grid cells drawn through TNeoGraphics::DrawText on the canvas context (the
// graphics facade's markup engine: a measuring pass, then the drawing pass) next to the same cells
// drawn by the canvas engine's DrawHtmlText directly on the same kind of bitmap. The facade's run
// should stay within 1.3 times the canvas engine's.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "lib/graphics/NeoGraphics.h"
#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/NeoHTMLGraphics.h"
#include "platform/rtl/Units.h"

namespace {

constexpr Integer Cells = 1000, Columns = 10, CellWidth = 120, CellHeight = 20;

const std::vector<String>& CellTexts() {
  static const std::vector<String> texts = [] {
    std::vector<String> t;
    for (Integer i = 0; i < Cells; ++i)
      t.push_back(u"<B>Row " + IntToStr(i) + u"</B> <FONT COLOR=\"#FF0000\">" + IntToStr(i * 7) +
                  u"</FONT> <A HREF=\"r" + IntToStr(i) + u"\">open</A>");
    return t;
  }();
  return texts;
}

TRect CellRect(Integer AIndex) {
  const Integer x = (AIndex % Columns) * CellWidth, y = (AIndex / Columns % 20) * CellHeight;
  return TRect{x, y, x + CellWidth, y + CellHeight};
}

void SetUpUnits() {
  static const bool started = [] {
    RegisterNeoHTMLGraphicsUnit();
    InitializeUnits();
    return true;
  }();
  (void)started;
}

void BM_GraphicsDrawText(benchmark::State& AState) {
  SetUpUnits();
  auto g = TNeoGraphics::CreateBitmapCanvas(Columns * CellWidth, 20 * CellHeight);
  g->SetFontName(u"DejaVu Sans");
  g->SetFontSize(10);
  for (auto _ : AState) {
    for (Integer i = 0; i < Cells; ++i) {
      const TRect r = CellRect(i);
      g->DrawText(r, CellTexts()[static_cast<std::size_t>(i)], false, gtaLeading, gtaCenter);
    }
  }
  AState.SetItemsProcessed(AState.iterations() * Cells);
}
BENCHMARK(BM_GraphicsDrawText)->Unit(benchmark::kMillisecond);

void BM_CanvasDrawHtmlText(benchmark::State& AState) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(Columns * CellWidth, 20 * CellHeight);
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->GetFont()->SetName(u"DejaVu Sans");
  canvas->GetFont()->SetSize(10);
  THtmlDrawParams p;
  p.ACanvas = canvas;
  for (auto _ : AState) {
    for (Integer i = 0; i < Cells; ++i) {
      p.AText = CellTexts()[static_cast<std::size_t>(i)];
      p.ARect = CellRect(i);
      DrawHtmlText(p);
    }
  }
  AState.SetItemsProcessed(AState.iterations() * Cells);
}
BENCHMARK(BM_CanvasDrawHtmlText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
