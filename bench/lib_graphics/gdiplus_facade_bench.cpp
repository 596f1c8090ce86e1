// The graphics facade on the GDI+ back end against its peers in the same run: 2,000 anti-aliased
// ellipses, round rectangles, gradient rectangles and polylines (each filled and outlined)
//   - through the facade on the GDI+ context over a bitmap's canvas,
//   - through the GDI+ flat calls directly on the same kind of canvas, with the shape calls and
//     with paths filled as the GDI+ context fills them,
//   - through Cairo directly on an image surface of the same size.
// Every peer starts its drawing object afresh in each round, as a paint does. The argument picks
// the shapes: 0 ellipses, 1 round rectangles, 2 gradient rectangles, 3 polylines, 4 all four in turn.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <numbers>

#include "lib/graphics/NeoGDIPlusApi.h"
#include "lib/graphics/NeoGraphics.h"
#include "platform/gdiplus/GdiPlusBridge.h"

namespace {

using namespace gdip;
using NeoGDIPlusApi::GdiplusProcs;

constexpr int Width = 800, Height = 600, Shapes = 2000, Kinds = 4;
constexpr TColor Outline = 0x202020;

struct TBox {
  float Left, Top, Right, Bottom;
  float Width() const { return Right - Left; }
  float Height() const { return Bottom - Top; }
};

// The kind of shape i in a run with the argument AKinds.
int KindOf(int I, int AKinds) { return AKinds < Kinds ? AKinds : I % Kinds; }

// Shape i: a box of 10..40 pixels somewhere on the surface, the same for every peer.
TBox ShapeBox(int I) {
  const int x = (I * 97) % (Width - 50), y = (I * 61) % (Height - 50);
  const int w = 10 + (I * 7) % 31, h = 10 + (I * 13) % 31;
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + w), static_cast<float>(y + h)};
}

TColor ShapeColor(int I) { return static_cast<TColor>((I * 2654435761u) & 0xFFFFFF); }
TColor ShapeColorTo(int I) { return ShapeColor(I + 1); }

ARGB Argb(TColor C) { return 0xFF000000u | ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF); }

constexpr float Rounding = 6;

// ---- The facade ----

void BM_FacadeGdiPlusShapes(benchmark::State& state) {
  TBitmap bitmap(Width, Height);
  for (auto _ : state) {
    TNeoGraphics g(bitmap.GetCanvas(), true);
    g.GetContext()->SetAntiAliasing(true);
    g.SetStrokeColor(Outline);
    g.BeginScene();
    for (int i = 0; i < Shapes; ++i) {
      const TBox b = ShapeBox(i);
      TNeoGraphicsFill* fill = g.GetFill();
      fill->BeginUpdate();
      const int kind = KindOf(i, static_cast<int>(state.range(0)));
      fill->SetKind(kind == 2 ? gfkGradient : gfkSolid);
      fill->SetColor(ShapeColor(i));
      fill->SetColorTo(ShapeColorTo(i));
      fill->EndUpdate();
      switch (kind) {
        case 0: g.DrawEllipse(TRectF{b.Left, b.Top, b.Right, b.Bottom}); break;
        case 1: g.DrawRoundRectangle(TRectF{b.Left, b.Top, b.Right, b.Bottom}, Rounding); break;
        case 2: g.DrawRectangle(TRectF{b.Left, b.Top, b.Right, b.Bottom}); break;
        default: g.DrawPolyline({{b.Left, b.Bottom}, {(b.Left + b.Right) / 2, b.Top}, {b.Right, b.Bottom}});
      }
    }
    g.EndScene();
  }
  state.SetItemsProcessed(state.iterations() * Shapes);
}

// ---- The flat calls ----

void FlatRoundRect(GpPath* APath, const TBox& B) {
  const float d = 2 * Rounding;
  GdiplusProcs.GdipResetPath(APath);
  GdiplusProcs.GdipAddPathArc(APath, B.Left, B.Top, d, d, 180, 90);
  GdiplusProcs.GdipAddPathArc(APath, B.Right - d, B.Top, d, d, 270, 90);
  GdiplusProcs.GdipAddPathArc(APath, B.Right - d, B.Bottom - d, d, d, 0, 90);
  GdiplusProcs.GdipAddPathArc(APath, B.Left, B.Bottom - d, d, d, 90, 90);
  GdiplusProcs.GdipClosePathFigure(APath);
}

void BM_FlatGdiPlusShapes(benchmark::State& state) {
  TBitmap bitmap(Width, Height);
  HDC dc = bitmap.GetCanvas()->GetHandle();
  for (auto _ : state) {
    GpGraphics* g = nullptr;
    GdiplusProcs.GdipCreateFromHDC(dc, &g);
    GdiplusProcs.GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
    GpSolidFill* brush = nullptr;
    GdiplusProcs.GdipCreateSolidFill(0xFF000000u, &brush);
    GpPen* pen = nullptr;
    GdiplusProcs.GdipCreatePen1(Argb(Outline), 1, UnitPixel, &pen);
    GpPath* path = nullptr;
    GdiplusProcs.GdipCreatePath(FillModeAlternate, &path);
    for (int i = 0; i < Shapes; ++i) {
      const TBox b = ShapeBox(i);
      GdiplusProcs.GdipSetSolidFillColor(brush, Argb(ShapeColor(i)));
      switch (KindOf(i, static_cast<int>(state.range(0)))) {
        case 0:
          GdiplusProcs.GdipFillEllipse(g, brush, b.Left, b.Top, b.Width(), b.Height());
          GdiplusProcs.GdipDrawEllipse(g, pen, b.Left, b.Top, b.Width() - 1, b.Height() - 1);
          break;
        case 1:
          FlatRoundRect(path, b);
          GdiplusProcs.GdipFillPath(g, brush, path);
          GdiplusProcs.GdipDrawPath(g, pen, path);
          break;
        case 2: {
          const GpRectF bounds{b.Left - 1, b.Top - 1, b.Width() + 2, b.Height() + 2};
          GpLineGradient* gradient = nullptr;
          GdiplusProcs.GdipCreateLineBrushFromRect(&bounds, Argb(ShapeColor(i)), Argb(ShapeColorTo(i)),
                                                   LinearGradientModeVertical, WrapModeTile, &gradient);
          GdiplusProcs.GdipFillRectangle(g, gradient, b.Left, b.Top, b.Width(), b.Height());
          GdiplusProcs.GdipDeleteBrush(gradient);
          GdiplusProcs.GdipDrawRectangle(g, pen, b.Left, b.Top, b.Width() - 1, b.Height() - 1);
          break;
        }
        default: {
          const GpPointF points[] = {{b.Left, b.Bottom}, {(b.Left + b.Right) / 2, b.Top}, {b.Right, b.Bottom}};
          GdiplusProcs.GdipFillPolygon(g, brush, points, 3, FillModeAlternate);
          GdiplusProcs.GdipDrawLines(g, pen, points, 3);
        }
      }
    }
    GdiplusProcs.GdipDeletePath(path);
    GdiplusProcs.GdipDeletePen(pen);
    GdiplusProcs.GdipDeleteBrush(brush);
    GdiplusProcs.GdipDeleteGraphics(g);
  }
  state.SetItemsProcessed(state.iterations() * Shapes);
}

// The flat calls filling a path of each shape, as the GDI+ context fills every shape (libgdiplus
// fills a path at a higher price than the shape calls above).
void BM_FlatGdiPlusPaths(benchmark::State& state) {
  TBitmap bitmap(Width, Height);
  HDC dc = bitmap.GetCanvas()->GetHandle();
  for (auto _ : state) {
    GpGraphics* g = nullptr;
    GdiplusProcs.GdipCreateFromHDC(dc, &g);
    GdiplusProcs.GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
    GpSolidFill* brush = nullptr;
    GdiplusProcs.GdipCreateSolidFill(0xFF000000u, &brush);
    GpPen* pen = nullptr;
    GdiplusProcs.GdipCreatePen1(Argb(Outline), 1, UnitPixel, &pen);
    GpPath* path = nullptr;
    GdiplusProcs.GdipCreatePath(FillModeAlternate, &path);
    for (int i = 0; i < Shapes; ++i) {
      const TBox b = ShapeBox(i);
      GdiplusProcs.GdipSetSolidFillColor(brush, Argb(ShapeColor(i)));
      GdiplusProcs.GdipResetPath(path);
      switch (KindOf(i, static_cast<int>(state.range(0)))) {
        case 0:
          GdiplusProcs.GdipAddPathEllipse(path, b.Left, b.Top, b.Width(), b.Height());
          GdiplusProcs.GdipFillPath(g, brush, path);
          GdiplusProcs.GdipDrawEllipse(g, pen, b.Left, b.Top, b.Width() - 1, b.Height() - 1);
          break;
        case 1:
          FlatRoundRect(path, b);
          GdiplusProcs.GdipFillPath(g, brush, path);
          GdiplusProcs.GdipDrawPath(g, pen, path);
          break;
        case 2: {
          const GpRectF bounds{b.Left - 1, b.Top - 1, b.Width() + 2, b.Height() + 2};
          GpLineGradient* gradient = nullptr;
          GdiplusProcs.GdipCreateLineBrushFromRect(&bounds, Argb(ShapeColor(i)), Argb(ShapeColorTo(i)),
                                                   LinearGradientModeVertical, WrapModeTile, &gradient);
          GdiplusProcs.GdipAddPathRectangle(path, b.Left, b.Top, b.Width(), b.Height());
          GdiplusProcs.GdipFillPath(g, gradient, path);
          GdiplusProcs.GdipDeleteBrush(gradient);
          GdiplusProcs.GdipDrawRectangle(g, pen, b.Left, b.Top, b.Width() - 1, b.Height() - 1);
          break;
        }
        default: {
          const GpPointF points[] = {{b.Left, b.Bottom}, {(b.Left + b.Right) / 2, b.Top}, {b.Right, b.Bottom}};
          GdiplusProcs.GdipAddPathPolygon(path, points, 3);
          GdiplusProcs.GdipFillPath(g, brush, path);
          GdiplusProcs.GdipDrawLines(g, pen, points, 3);
        }
      }
    }
    GdiplusProcs.GdipDeletePath(path);
    GdiplusProcs.GdipDeletePen(pen);
    GdiplusProcs.GdipDeleteBrush(brush);
    GdiplusProcs.GdipDeleteGraphics(g);
  }
  state.SetItemsProcessed(state.iterations() * Shapes);
}

// ---- Cairo ----

void CairoSetColor(cairo_t* Cr, TColor C) {
  cairo_set_source_rgb(Cr, (C & 0xFF) / 255.0, ((C >> 8) & 0xFF) / 255.0, ((C >> 16) & 0xFF) / 255.0);
}

void CairoRoundRect(cairo_t* Cr, const TBox& B) {
  const double r = Rounding;
  cairo_new_sub_path(Cr);
  cairo_arc(Cr, B.Right - r, B.Top + r, r, -std::numbers::pi / 2, 0);
  cairo_arc(Cr, B.Right - r, B.Bottom - r, r, 0, std::numbers::pi / 2);
  cairo_arc(Cr, B.Left + r, B.Bottom - r, r, std::numbers::pi / 2, std::numbers::pi);
  cairo_arc(Cr, B.Left + r, B.Top + r, r, std::numbers::pi, 3 * std::numbers::pi / 2);
  cairo_close_path(Cr);
}

void BM_CairoShapes(benchmark::State& state) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width, Height);
  for (auto _ : state) {
    cairo_t* cr = cairo_create(surface);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < Shapes; ++i) {
      const TBox b = ShapeBox(i);
      cairo_pattern_t* gradient = nullptr;
      switch (KindOf(i, static_cast<int>(state.range(0)))) {
        case 0:
          cairo_save(cr);
          cairo_translate(cr, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
          cairo_scale(cr, b.Width() / 2, b.Height() / 2);
          cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
          cairo_restore(cr);
          break;
        case 1: CairoRoundRect(cr, b); break;
        case 2: {
          cairo_rectangle(cr, b.Left, b.Top, b.Width(), b.Height());
          gradient = cairo_pattern_create_linear(0, b.Top - 1, 0, b.Bottom + 1);
          const TColor from = ShapeColor(i), to = ShapeColorTo(i);
          cairo_pattern_add_color_stop_rgb(gradient, 0, (from & 0xFF) / 255.0, ((from >> 8) & 0xFF) / 255.0,
                                           ((from >> 16) & 0xFF) / 255.0);
          cairo_pattern_add_color_stop_rgb(gradient, 1, (to & 0xFF) / 255.0, ((to >> 8) & 0xFF) / 255.0,
                                           ((to >> 16) & 0xFF) / 255.0);
          break;
        }
        default:
          cairo_move_to(cr, b.Left, b.Bottom);
          cairo_line_to(cr, (b.Left + b.Right) / 2, b.Top);
          cairo_line_to(cr, b.Right, b.Bottom);
      }
      if (gradient) {
        cairo_set_source(cr, gradient);
        cairo_pattern_destroy(gradient);
      } else {
        CairoSetColor(cr, ShapeColor(i));
      }
      cairo_fill_preserve(cr);
      CairoSetColor(cr, Outline);
      cairo_stroke(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
  }
  state.SetItemsProcessed(state.iterations() * Shapes);
  cairo_surface_destroy(surface);
}

// GDI+ runs for the whole program: bound and started before the first benchmark.
struct TGdiplusSession {
  TGdiplusSession() {
    RegisterGdiplusModule();
    NeoGDIPlusApi::BindGdiplus();
    NeoGDIPlusClasses::StartupGdiplus();
  }
  ~TGdiplusSession() {
    NeoGDIPlusClasses::FreeGenericSingletons();
    NeoGDIPlusClasses::ShutdownGdiplus();
    NeoGDIPlusApi::UnbindGdiplus();
  }
};

}  // namespace

BENCHMARK(BM_FacadeGdiPlusShapes)->DenseRange(0, Kinds)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlatGdiPlusShapes)->DenseRange(0, Kinds)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlatGdiPlusPaths)->DenseRange(0, Kinds)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CairoShapes)->DenseRange(0, Kinds)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  TGdiplusSession session;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
