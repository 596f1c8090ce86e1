// The graphics facade on the canvas back end against its peers in the same run:
//   - 2,000 filled and outlined rectangles, ellipses, round rectangles and polylines through the
//     facade, next to the same primitives drawn with Cairo directly (no anti-aliasing) on an image
//     surface of the same size;
//   - 2,000 wrapped text cells through the facade, next to the platform's DrawText on the same
//     kind of surface with the same font.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "lib/graphics/NeoGraphics.h"
#include "platform/win/Surface.h"
#include "platform/win/WinGdi.h"

namespace {

constexpr int Width = 800, Height = 600, Shapes = 2000, Kinds = 4;
constexpr int Columns = 20, Rows = 100, CellW = 80, CellH = 36, Cells = Columns * Rows;

struct TBox {
  int Left, Top, Right, Bottom;
};

// Shape i: a box of 10..40 pixels somewhere on the surface, the same for every peer.
TBox ShapeBox(int I) {
  const int x = (I * 97) % (Width - 50), y = (I * 61) % (Height - 50);
  const int w = 10 + (I * 7) % 31, h = 10 + (I * 13) % 31;
  return {x, y, x + w, y + h};
}

TColor ShapeColor(int I) { return static_cast<TColor>((I * 2654435761u) & 0xFFFFFF); }

void BM_FacadeShapes(benchmark::State& state) {
  TBitmap bitmap(Width, Height);
  TNeoGraphics g(bitmap.GetCanvas());
  g.SetStrokeColor(0x202020);
  for (auto _ : state) {
    g.BeginScene();
    for (int i = 0; i < Shapes; ++i) {
      const TBox b = ShapeBox(i);
      g.SetFillColor(ShapeColor(i));
      switch (i % Kinds) {
        case 0: g.DrawRectangle(b.Left, b.Top, b.Right, b.Bottom); break;
        case 1: g.DrawEllipse(b.Left, b.Top, b.Right, b.Bottom); break;
        case 2: g.DrawRoundRectangle(b.Left, b.Top, b.Right, b.Bottom, 6); break;
        default:
          g.DrawPolyline({{static_cast<Single>(b.Left), static_cast<Single>(b.Bottom)},
                          {static_cast<Single>(b.Left + b.Right) / 2, static_cast<Single>(b.Top)},
                          {static_cast<Single>(b.Right), static_cast<Single>(b.Bottom)}});
      }
    }
    g.EndScene();
  }
  state.SetItemsProcessed(state.iterations() * Shapes);
}

// The same primitives through the platform canvas itself: what the facade adds is the difference.
void BM_CanvasShapes(benchmark::State& state) {
  TBitmap bitmap(Width, Height);
  TCanvas* c = bitmap.GetCanvas();
  c->GetPen()->SetColor(0x202020);
  for (auto _ : state) {
    for (int i = 0; i < Shapes; ++i) {
      const TBox b = ShapeBox(i);
      c->GetBrush()->SetColor(ShapeColor(i));
      switch (i % Kinds) {
        case 0: c->Rectangle(b.Left, b.Top, b.Right, b.Bottom); break;
        case 1: c->Ellipse(b.Left, b.Top, b.Right, b.Bottom); break;
        case 2: c->RoundRect(b.Left, b.Top, b.Right, b.Bottom, 12, 12); break;
        default: {
          const std::vector<TPoint> points{{b.Left, b.Bottom}, {(b.Left + b.Right) / 2, b.Top}, {b.Right, b.Bottom}};
          c->Polygon(points);
        }
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * Shapes);
}

void CairoSetColor(cairo_t* Cr, TColor C) {
  cairo_set_source_rgb(Cr, (C & 0xFF) / 255.0, ((C >> 8) & 0xFF) / 255.0, ((C >> 16) & 0xFF) / 255.0);
}

// Fills the current path with the shape's colour, then strokes it with a 1-pixel line.
void CairoFillStroke(cairo_t* Cr, TColor C) {
  CairoSetColor(Cr, C);
  cairo_fill_preserve(Cr);
  CairoSetColor(Cr, 0x202020);
  cairo_stroke(Cr);
}

void BM_CairoShapes(benchmark::State& state) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width, Height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr, 1);
  for (auto _ : state) {
    for (int i = 0; i < Shapes; ++i) {
      const TBox b = ShapeBox(i);
      const double l = b.Left + 0.5, t = b.Top + 0.5, w = b.Right - b.Left - 1, h = b.Bottom - b.Top - 1;
      switch (i % Kinds) {
        case 0: cairo_rectangle(cr, l, t, w, h); break;
        case 1:
          cairo_save(cr);
          cairo_translate(cr, l + w / 2, t + h / 2);
          cairo_scale(cr, w / 2, h / 2);
          cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
          cairo_restore(cr);
          break;
        case 2: {
          const double r = 6;
          cairo_new_sub_path(cr);
          cairo_arc(cr, l + w - r, t + r, r, -std::numbers::pi / 2, 0);
          cairo_arc(cr, l + w - r, t + h - r, r, 0, std::numbers::pi / 2);
          cairo_arc(cr, l + r, t + h - r, r, std::numbers::pi / 2, std::numbers::pi);
          cairo_arc(cr, l + r, t + r, r, std::numbers::pi, 3 * std::numbers::pi / 2);
          cairo_close_path(cr);
          break;
        }
        default:
          cairo_move_to(cr, l, t + h);
          cairo_line_to(cr, l + w / 2, t);
          cairo_line_to(cr, l + w, t + h);
      }
      CairoFillStroke(cr, ShapeColor(i));
    }
    cairo_surface_flush(surface);
  }
  state.SetItemsProcessed(state.iterations() * Shapes);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

// ---- Text ----

const std::vector<String>& CellTexts() {
  static const std::vector<String> texts = [] {
    std::vector<String> t;
    for (int i = 0; i < Cells; ++i)
      t.push_back(UTF8ToString("Item " + std::to_string(i * 37 % 10007) + (i % 3 ? " wraps over lines" : " Größe ok")));
    return t;
  }();
  return texts;
}

TRect CellRect(int I) {
  const int x = (I % Columns) * CellW, y = (I / Columns) * CellH;
  return TRect{x, y, x + CellW, y + CellH};
}

void SetCellFont(TFont* AFont) {
  AFont->SetName(u"DejaVu Sans");
  AFont->SetHeight(-12);
  AFont->SetColor(clBlack);
}

void BM_FacadeWrappedText(benchmark::State& state) {
  TBitmap bitmap(Columns * CellW, Rows * CellH);
  TNeoGraphics g(bitmap.GetCanvas());
  g.GetFont()->BeginUpdate();
  SetCellFont(g.GetFont());
  g.GetFont()->EndUpdate();
  const std::vector<String>& texts = CellTexts();
  for (auto _ : state) {
    for (int i = 0; i < Cells; ++i)
      g.DrawText(CellRect(i), texts[static_cast<std::size_t>(i)], true, gtaLeading, gtaLeading);
  }
  state.SetItemsProcessed(state.iterations() * Cells);
}

void BM_PlatformDrawText(benchmark::State& state) {
  TBitmap bitmap(Columns * CellW, Rows * CellH);
  TCanvas* canvas = bitmap.GetCanvas();
  SetCellFont(canvas->GetFont());
  HDC dc = canvas->GetHandle();
  SetBkMode(dc, TRANSPARENT);
  const std::vector<String>& texts = CellTexts();
  for (auto _ : state) {
    for (int i = 0; i < Cells; ++i) {
      RECT r = CellRect(i);
      DrawText(dc, texts[static_cast<std::size_t>(i)].c_str(), -1, &r, DT_WORDBREAK | DT_NOPREFIX | DT_LEFT | DT_TOP);
    }
  }
  state.SetItemsProcessed(state.iterations() * Cells);
}

}  // namespace

BENCHMARK(BM_FacadeShapes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CanvasShapes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CairoShapes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FacadeWrappedText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlatformDrawText)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
