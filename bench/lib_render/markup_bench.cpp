// Preprocessing and search highlighting of generated marked-up texts of 100 KB and 1 MB: the time
// must grow in proportion to the size. A plain copy-and-scan of the same text runs beside them as
// the linear reference.
//
// Layout and drawing: a paragraph of 3,000 characters with bold, italic, underlined, coloured,
// sized and named-face runs and anchors, wrapped at 600 pixels, laid out and drawn by DrawHtmlText
// into a bitmap and, as the same Pango markup, by pango_layout_set_markup and
// pango_cairo_show_layout into a Cairo image surface; measured only, by DrawHtmlText with
// ACheckHeight and by pango_layout_get_pixel_extents.
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

#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/NeoHTMLMarkup.h"
#include "lib/render/NeoHTMLText.h"

#include <cairo.h>
#include <pango/pangocairo.h>

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

// The paragraph in both markups, built from one sequence of words and tags.
struct TParagraph {
  String Ours;
  std::string Pango;
  TParagraph() {
    static const char* const Words[] = {"lorem", "ipsum", "dolor", "sit", "amet", "consectetur", "adipiscing",
                                        "elit", "sed", "do", "eiusmod", "tempor", "incididunt", "labore"};
    struct TPair {
      const char* OursOpen;
      const char* OursClose;
      const char* PangoOpen;
      const char* PangoClose;
    };
    static const TPair Tags[] = {
        {"<B>", "</B>", "<b>", "</b>"},
        {"<I>", "</I>", "<i>", "</i>"},
        {"<U>", "</U>", "<u>", "</u>"},
        {"<FONT COLOR=\"#FF0000\">", "</FONT>", "<span foreground=\"#FF0000\">", "</span>"},
        {"<FONT SIZE=\"4\">", "</FONT>", "<span size=\"14pt\">", "</span>"},
        {"<FONT FACE=\"Liberation Serif\">", "</FONT>", "<span font_family=\"Liberation Serif\">", "</span>"},
        {"<A HREF=\"http://example.org/\">", "</A>", "<span foreground=\"#0000FF\" underline=\"single\">", "</span>"},
        {"", "", "", ""},
    };
    std::mt19937 rng(7);
    std::string ours;
    std::size_t plain = 0;
    while (plain < 3000) {
      const TPair& t = Tags[rng() % std::size(Tags)];
      ours += t.OursOpen;
      Pango += t.PangoOpen;
      for (int n = 1 + static_cast<int>(rng() % 4); n > 0; --n) {
        const std::string w = std::string(Words[rng() % std::size(Words)]) + " ";
        ours += w;
        Pango += w;
        plain += w.size();
      }
      ours += t.OursClose;
      Pango += t.PangoClose;
    }
    Ours = UTF8ToString(ours);
  }
};

const TParagraph& Paragraph() {
  static const TParagraph p;
  return p;
}

constexpr Integer LayoutWidth = 600, LayoutHeight = 1200;

void HtmlLayout(benchmark::State& state, bool AMeasureOnly) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(LayoutWidth, LayoutHeight);
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->GetFont()->SetName(u"DejaVu Sans");
  canvas->GetFont()->SetSize(10);
  THtmlDrawParams p;
  p.ACanvas = canvas;
  p.AText = Paragraph().Ours;
  p.ARect = TRect{0, 0, LayoutWidth, LayoutHeight};
  p.ACheckHeight = AMeasureOnly;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DrawHtmlText(p));
    benchmark::DoNotOptimize(p.AYSize);
  }
  state.counters["height"] = p.AYSize;
}

void PangoMarkup(benchmark::State& state, bool AMeasureOnly) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, LayoutWidth, LayoutHeight);
  cairo_t* cr = cairo_create(surface);
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans 10");
  pango_cairo_context_set_resolution(pango_layout_get_context(layout), 96);
  pango_layout_context_changed(layout);
  pango_layout_set_font_description(layout, font);
  pango_layout_set_width(layout, LayoutWidth * PANGO_SCALE);
  pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
  const std::string& markup = Paragraph().Pango;
  int height = 0;
  for (auto _ : state) {
    pango_layout_set_markup(layout, markup.data(), static_cast<int>(markup.size()));
    if (AMeasureOnly) {
      PangoRectangle logical;
      pango_layout_get_pixel_extents(layout, nullptr, &logical);
      height = logical.height;
    } else {
      cairo_move_to(cr, 0, 0);
      pango_cairo_show_layout(cr, layout);
    }
    benchmark::DoNotOptimize(height);
  }
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  state.counters["height"] = logical.height;
  pango_font_description_free(font);
  g_object_unref(layout);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

void BM_DrawHtmlText(benchmark::State& state) { HtmlLayout(state, false); }
void BM_PangoShowLayout(benchmark::State& state) { PangoMarkup(state, false); }
void BM_DrawHtmlTextMeasure(benchmark::State& state) { HtmlLayout(state, true); }
void BM_PangoPixelExtents(benchmark::State& state) { PangoMarkup(state, true); }

}  // namespace

BENCHMARK(BM_DrawHtmlText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PangoShowLayout)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawHtmlTextMeasure)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PangoPixelExtents)->Unit(benchmark::kMicrosecond);
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
