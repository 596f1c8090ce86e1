// The SVG corpus, twenty times over, drawn into 256 x 256 bitmaps: loaded and drawn, and drawn
// only (documents loaded once), by the renderer (TNeoSVGBitmap's Draw) and by librsvg into Cairo
// image surfaces; GenerateBitmap beside them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "lib/render/NeoGraphicsSVGEngine.h"
#include "platform/rtl/Units.h"

// After the platform's headers: GLib defines TRUE and FALSE as macros.
#ifdef ZELK_BENCH_RSVG
#include <librsvg/rsvg.h>
#endif

namespace {

constexpr int Repeats = 20;
constexpr int Size = 256;

// Every SVG file of the test corpus, in name order.
const std::vector<std::string>& Corpus() {
  static const std::vector<std::string> files = [] {
    std::vector<std::filesystem::path> names;
    for (const auto& entry : std::filesystem::directory_iterator(ZELK_SVG_CORPUS))
      if (entry.path().extension() == ".svg") names.push_back(entry.path());
    std::sort(names.begin(), names.end());
    std::vector<std::string> out;
    for (const std::filesystem::path& name : names) {
      std::ifstream in(name, std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      out.push_back(text.str());
    }
    return out;
  }();
  return files;
}

struct TUnits {
  TUnits() {
    RegisterNeoSVGUnit();
    Scope = std::make_unique<TUnitsScope>();
  }
  std::unique_ptr<TUnitsScope> Scope;
};

void EnsureUnits() { static TUnits units; }

std::unique_ptr<TBitmap> NewBitmap() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(Size, Size);
  return bitmap;
}

void DrawOurs(TNeoGraphicsSVGImport& ASvg, TBitmap& ABitmap) {
  ASvg.Draw(ABitmap.GetCanvas(), TRectF{0, 0, Size, Size}, true);
}

void BM_OursLoadAndDraw(benchmark::State& state) {
  EnsureUnits();
  std::unique_ptr<TBitmap> bitmap = NewBitmap();
  for (auto _ : state)
    for (int r = 0; r < Repeats; ++r)
      for (const std::string& file : Corpus()) {
        TNeoGraphicsSVGImport svg;
        svg.LoadFromText(UTF8ToString(file));
        DrawOurs(svg, *bitmap);
      }
}
BENCHMARK(BM_OursLoadAndDraw)->Unit(benchmark::kMillisecond);

void BM_OursDrawOnly(benchmark::State& state) {
  EnsureUnits();
  std::vector<std::unique_ptr<TNeoGraphicsSVGImport>> documents;
  for (const std::string& file : Corpus()) {
    documents.push_back(std::make_unique<TNeoGraphicsSVGImport>());
    documents.back()->LoadFromText(UTF8ToString(file));
  }
  std::unique_ptr<TBitmap> bitmap = NewBitmap();
  for (auto _ : state)
    for (int r = 0; r < Repeats; ++r)
      for (auto& svg : documents) DrawOurs(*svg, *bitmap);
}
BENCHMARK(BM_OursDrawOnly)->Unit(benchmark::kMillisecond);

void BM_OursGenerateBitmap(benchmark::State& state) {
  EnsureUnits();
  std::vector<std::unique_ptr<TNeoGraphicsSVGImport>> documents;
  for (const std::string& file : Corpus()) {
    documents.push_back(std::make_unique<TNeoGraphicsSVGImport>());
    documents.back()->LoadFromText(UTF8ToString(file));
  }
  for (auto _ : state)
    for (int r = 0; r < Repeats; ++r)
      for (auto& svg : documents) benchmark::DoNotOptimize(svg->GenerateBitmap(Size, Size));
}
BENCHMARK(BM_OursGenerateBitmap)->Unit(benchmark::kMillisecond);

#ifdef ZELK_BENCH_RSVG
void DrawRsvg(RsvgHandle* AHandle, cairo_t* ACairo) {
  const RsvgRectangle viewport{0, 0, Size, Size};
  rsvg_handle_render_document(AHandle, ACairo, &viewport, nullptr);
}

RsvgHandle* LoadRsvg(const std::string& AFile) {
  return rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(AFile.data()), AFile.size(), nullptr);
}

void BM_RsvgLoadAndDraw(benchmark::State& state) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Size, Size);
  for (auto _ : state)
    for (int r = 0; r < Repeats; ++r)
      for (const std::string& file : Corpus()) {
        RsvgHandle* handle = LoadRsvg(file);
        if (!handle) continue;
        cairo_t* cr = cairo_create(surface);
        DrawRsvg(handle, cr);
        cairo_destroy(cr);
        g_object_unref(handle);
      }
  cairo_surface_destroy(surface);
}
BENCHMARK(BM_RsvgLoadAndDraw)->Unit(benchmark::kMillisecond);

void BM_RsvgDrawOnly(benchmark::State& state) {
  std::vector<RsvgHandle*> handles;
  for (const std::string& file : Corpus())
    if (RsvgHandle* handle = LoadRsvg(file)) handles.push_back(handle);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Size, Size);
  for (auto _ : state)
    for (int r = 0; r < Repeats; ++r)
      for (RsvgHandle* handle : handles) {
        cairo_t* cr = cairo_create(surface);
        DrawRsvg(handle, cr);
        cairo_destroy(cr);
      }
  cairo_surface_destroy(surface);
  for (RsvgHandle* handle : handles) g_object_unref(handle);
}
BENCHMARK(BM_RsvgDrawOnly)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_MAIN();
