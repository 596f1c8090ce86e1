// The rich edit against Pango itself: a 1 MB RTF document is read, laid out at a page width and its
// first page drawn; the reference lays out the same paragraphs with the same attributes directly
// with Pango (one layout per paragraph, as a Pango program would) and draws the same page.
#include "platform/ui/RichLayout.h"
#include "platform/ui/RichText.h"
#include "platform/win/Surface.h"
#include "platform/win/WinGdi.h"

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <string>
#include <vector>

namespace {

constexpr int PageWidth = 600, PageHeight = 800;

// About 1 MB of RTF: paragraphs of words in changing fonts, sizes, styles, colours and offsets.
std::string MakeRtf() {
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}{\\f2 Courier New;}}"
      "{\\colortbl ;\\red200\\green0\\blue0;\\red0\\green90\\blue0;\\red0\\green0\\blue160;}\r\n";
  static const char* const words[] = {"Tabelle", "Zelle", "grid", "value", "Gr\\'f6\\'dfe", "Spalte", "row",
                                      "Text", "\\u8364?", "Summe", "format", "Daten"};
  static const char* const looks[] = {"\\plain\\f0\\fs20 ", "\\b ", "\\b0\\i ", "\\i0\\cf1 ", "\\cf0\\ul ",
                                      "\\ulnone\\f1\\fs24 ", "\\super ", "\\nosupersub\\cf2 ", "\\cf0\\sub ",
                                      "\\nosupersub\\f2\\fs18 ", "\\strike ", "\\strike0\\cf3\\up4 ", "\\up0\\cf0 "};
  unsigned seed = 1;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  int para = 0;
  while (rtf.size() < 1000000) {
    rtf += para % 7 == 3 ? "\\pard\\qc " : para % 11 == 5 ? "\\pard\\qr " : para % 5 == 1 ? "\\pard\\qj " : "\\pard ";
    int n = 12 + static_cast<int>(next() % 30);
    for (int w = 0; w < n; ++w) {
      if (next() % 4 == 0) rtf += looks[next() % (sizeof(looks) / sizeof(*looks))];
      rtf += words[next() % (sizeof(words) / sizeof(*words))];
      rtf += ' ';
    }
    rtf += "\\par\r\n";
    ++para;
  }
  rtf += "}";
  return rtf;
}

const std::string& Rtf() {
  static const std::string rtf = MakeRtf();
  return rtf;
}

TRichFormat Base() {
  TRichFormat f;
  f.Name = u"Arial";
  f.Height = 200;
  return f;
}

// ---- the rich edit's way

void BM_RichTextLoadLayoutDraw(benchmark::State& state) {
  TSurface surface(PageWidth, PageHeight);
  HDC dc = CreateSurfaceDC(surface, POINT{0, 0}, nullptr);
  for (auto _ : state) {
    TRichDocument doc = TRichDocument::FromRtf(Rtf(), Base());
    TRichLayout layout(doc);
    layout.SetParams(96, PageWidth, true);
    benchmark::DoNotOptimize(layout.Height());
    surface.Clear(0xFFFFFFFF);
    TRichLayout::TDrawParams p;
    p.MaxHeight = PageHeight;
    benchmark::DoNotOptimize(layout.Draw(dc, p));
  }
  DeleteDC(dc);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Rtf().size()));
}
BENCHMARK(BM_RichTextLoadLayoutDraw)->Unit(benchmark::kMillisecond);

// ---- Pango directly: the same paragraphs and attributes, prepared outside the timing

struct TPangoPara {
  std::string Text;
  std::vector<std::pair<std::pair<int, int>, TRichFormat>> Runs;   // byte range, format
  PangoAlignment Align;
  bool Justify;
};

std::vector<TPangoPara> PangoParas() {
  TRichDocument doc = TRichDocument::FromRtf(Rtf(), Base());
  std::vector<TPangoPara> out;
  for (Integer i = 0; i < doc.ParagraphCount(); ++i) {
    const TRichParagraph& p = doc.Paragraph(i);
    TPangoPara pp;
    for (std::size_t r = 0; r < p.Runs.size(); ++r) {
      int a = static_cast<int>(pp.Text.size());
      pp.Text += UTF8Encode(p.Text.substr(static_cast<std::size_t>(p.Runs[r].Start), static_cast<std::size_t>(p.RunEnd(r) - p.Runs[r].Start)));
      TRichFormat f = doc.Format(p.Runs[r].Format);
      f.Name = GdiResolveFontFamily(f.Name);
      pp.Runs.push_back({{a, static_cast<int>(pp.Text.size())}, f});
    }
    pp.Align = p.Align == taCenter ? PANGO_ALIGN_CENTER : p.Align == taRightJustify ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT;
    pp.Justify = p.Justify;
    out.push_back(std::move(pp));
  }
  return out;
}

void Add(PangoAttrList* L, PangoAttribute* A, int S, int E) {
  A->start_index = static_cast<guint>(S);
  A->end_index = static_cast<guint>(E);
  pango_attr_list_insert(L, A);
}

void BM_PangoLayoutDraw(benchmark::State& state) {
  static const std::vector<TPangoPara> paras = PangoParas();
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, PageWidth, PageHeight);
  PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
  for (auto _ : state) {
    std::vector<PangoLayout*> layouts;
    layouts.reserve(paras.size());
    int height = 0;
    for (const TPangoPara& p : paras) {
      PangoLayout* layout = pango_layout_new(context);
      pango_layout_set_text(layout, p.Text.data(), static_cast<int>(p.Text.size()));
      PangoAttrList* attrs = pango_attr_list_new();
      for (const auto& [range, f] : p.Runs) {
        PangoFontDescription* d = pango_font_description_new();
        pango_font_description_set_family(d, UTF8Encode(f.Name).c_str());
        pango_font_description_set_weight(d, f.Bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        pango_font_description_set_style(d, f.Italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
        double scale = f.Script == rsNone ? 1.0 : 2.0 / 3.0;
        pango_font_description_set_absolute_size(d, f.Height * 96 / 1440.0 * scale * PANGO_SCALE);
        Add(attrs, pango_attr_font_desc_new(d), range.first, range.second);
        pango_font_description_free(d);
        if (f.Underline) Add(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), range.first, range.second);
        if (f.StrikeOut) Add(attrs, pango_attr_strikethrough_new(TRUE), range.first, range.second);
        if (!f.AutoColor)
          Add(attrs, pango_attr_foreground_new(static_cast<guint16>(GetRValue(f.Color) * 257), static_cast<guint16>(GetGValue(f.Color) * 257),
                                              static_cast<guint16>(GetBValue(f.Color) * 257)), range.first, range.second);
        if (f.Offset || f.Script != rsNone) Add(attrs, pango_attr_rise_new(f.Offset * 96 / 1440 * PANGO_SCALE), range.first, range.second);
      }
      pango_layout_set_attributes(layout, attrs);
      pango_attr_list_unref(attrs);
      pango_layout_set_width(layout, PageWidth * PANGO_SCALE);
      pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
      pango_layout_set_alignment(layout, p.Align);
      pango_layout_set_justify(layout, p.Justify);
      int w, h;
      pango_layout_get_pixel_size(layout, &w, &h);
      height += h;
      layouts.push_back(layout);
    }
    benchmark::DoNotOptimize(height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    int y = 0;
    for (PangoLayout* l : layouts) {
      if (y > PageHeight) break;
      cairo_move_to(cr, 0, y);
      pango_cairo_show_layout(cr, l);
      int w, h;
      pango_layout_get_pixel_size(l, &w, &h);
      y += h;
    }
    cairo_destroy(cr);
    for (PangoLayout* l : layouts) g_object_unref(l);
  }
  g_object_unref(context);
  cairo_surface_destroy(surface);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Rtf().size()));
}
BENCHMARK(BM_PangoLayoutDraw)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
