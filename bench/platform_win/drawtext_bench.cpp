// DrawText against Pango itself: 2,000 short clipped text cells per iteration, drawn into the same
// kind of surface with the same font, the direct way a Pango program would (one layout reused).
#include "platform/win/Surface.h"
#include "platform/win/WinGdi.h"

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <string>
#include <vector>

namespace {

constexpr int Columns = 20, Rows = 100, CellW = 80, CellH = 18, Cells = Columns * Rows;
// Three sets of different texts: drawn in turn they defeat any cache of shaped text.
constexpr int Sets = 3;

struct TCells {
  std::vector<String> Wide;
  std::vector<std::string> Narrow;
  TCells() {
    for (int i = 0; i < Cells * Sets; ++i) {
      std::string s = "Item " + std::to_string(i * 37 % 10007) + (i % 3 ? " ok" : " Größe");
      Narrow.push_back(s);
      Wide.push_back(UTF8ToString(s));
    }
  }
};

const TCells& Texts() {
  static TCells c;
  return c;
}

RECT CellRect(int I) {
  int x = (I % Columns) * CellW, y = (I / Columns) * CellH;
  return RECT{x, y, x + CellW, y + CellH};
}

void BM_DrawText(benchmark::State& state) {
  TSurface surface(Columns * CellW, Rows * CellH);
  surface.Clear(0xFFFFFFFF);
  HDC dc = CreateSurfaceDC(surface, POINT{0, 0}, nullptr);
  LOGFONTW lf;
  lf.lfHeight = -12;
  const std::u16string face = u"DejaVu Sans";
  std::copy(face.begin(), face.end(), lf.lfFaceName);
  HFONT font = CreateFontIndirect(&lf);
  SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  const UINT flags = static_cast<UINT>(state.range(0));
  const TCells& cells = Texts();
  const int sets = static_cast<int>(state.range(1));
  int round = 0;
  for (auto _ : state) {
    const std::size_t base = static_cast<std::size_t>(round++ % sets) * Cells;
    for (int i = 0; i < Cells; ++i) {
      RECT r = CellRect(i);
      DrawText(dc, cells.Wide[base + static_cast<std::size_t>(i)].c_str(), -1, &r, flags);
    }
  }
  state.SetItemsProcessed(state.iterations() * Cells);
  DeleteDC(dc);
  DeleteObject(font);
}

void BM_PangoDirect(benchmark::State& state) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Columns * CellW, Rows * CellH);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* desc = pango_font_description_from_string("DejaVu Sans");
  pango_font_description_set_absolute_size(desc, 12 * PANGO_SCALE);
  pango_layout_set_font_description(layout, desc);
  const bool ellipsize = state.range(0) & DT_END_ELLIPSIS;
  if (ellipsize) {
    pango_layout_set_width(layout, CellW * PANGO_SCALE);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
  }
  const TCells& cells = Texts();
  const int sets = static_cast<int>(state.range(1));
  int round = 0;
  for (auto _ : state) {
    const std::size_t base = static_cast<std::size_t>(round++ % sets) * Cells;
    for (int i = 0; i < Cells; ++i) {
      RECT r = CellRect(i);
      cairo_save(cr);
      cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
      cairo_clip(cr);
      pango_layout_set_text(layout, cells.Narrow[base + static_cast<std::size_t>(i)].c_str(), -1);
      int w, h;
      pango_layout_get_pixel_size(layout, &w, &h);
      cairo_set_source_rgb(cr, 0, 0, 0);
      cairo_move_to(cr, r.left, r.top + (CellH - h) / 2);
      pango_cairo_show_layout(cr, layout);
      cairo_restore(cr);
    }
  }
  state.SetItemsProcessed(state.iterations() * Cells);
  pango_font_description_free(desc);
  g_object_unref(layout);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

// Arguments: DrawText flags; 1 text set (repeated each iteration) or 3 (every text new to a cache).
void Args(benchmark::internal::Benchmark* B) {
  for (int sets : {1, Sets})
    for (long flags : {DT_SINGLELINE | DT_VCENTER, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS}) B->Args({flags, sets});
  B->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_DrawText)->Apply(Args);
BENCHMARK(BM_PangoDirect)->Apply(Args);
BENCHMARK_MAIN();
