// The GDI+ bridge against itself: a graphics over a DC costs the same on a 3840 x 2160 surface as
// on a 64 x 64 one (the direct path copies no pixels), and a PNG loads through the stream bridge
// about as fast as straight from its file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/gdiplus/GdiPlusFlat.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/ObjIdl.h"
#include "platform/win/Surface.h"

using namespace gdip;

namespace {

struct TFlat {
#define ZELK_BENCH_FIELD(Result, Name, Params) T##Name Name = nullptr;
  ZELK_GDIPLUS_FLAT(ZELK_BENCH_FIELD)
#undef ZELK_BENCH_FIELD
  TFlat() {
    RegisterGdiplusModule();
    HMODULE module = LoadLibraryW(u"gdiplus.dll");
#define ZELK_BENCH_BIND(Result, Name, Params) Name = reinterpret_cast<T##Name>(GetProcAddress(module, #Name));
    ZELK_GDIPLUS_FLAT(ZELK_BENCH_BIND)
#undef ZELK_BENCH_BIND
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    GdiplusStartup(&token, &input, nullptr);
  }
};

TFlat& G() {
  static TFlat flat;
  return flat;
}

void GraphicsOverDC(benchmark::State& AState) {
  const int w = static_cast<int>(AState.range(0)), h = static_cast<int>(AState.range(1));
  TSurface surface(w, h);
  HDC dc = CreateSurfaceDC(surface, POINT{0, 0}, nullptr);
  GpSolidFill* brush = nullptr;
  G().GdipCreateSolidFill(0xFF3060C0, &brush);
  for (auto _ : AState) {
    GpGraphics* g = nullptr;
    G().GdipCreateFromHDC(dc, &g);
    G().GdipFillEllipse(g, brush, 10, 10, 40, 30);
    G().GdipDeleteGraphics(g);
  }
  G().GdipDeleteBrush(brush);
  DeleteDC(dc);
}
BENCHMARK(GraphicsOverDC)->Args({3840, 2160})->Args({64, 64});

// A 2-megapixel PNG (1600 x 1250, a colour ramp) written once to a temporary file.
struct TPicture {
  std::string Path;
  String WidePath;
  std::vector<std::uint8_t> Bytes;
  TPicture() {
    Path = UTF8Encode(GetTempPath()) + "zelk-gdiplus-bench.png";
    WidePath = UTF8ToString(Path);
    GpBitmap* bitmap = nullptr;
    G().GdipCreateBitmapFromScan0(1600, 1250, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    GpGraphics* g = nullptr;
    G().GdipGetImageGraphicsContext(bitmap, &g);
    RectF all{0, 0, 1600, 1250};
    GpLineGradient* ramp = nullptr;
    G().GdipCreateLineBrushFromRect(&all, 0xFF000000, 0x80FF8040, LinearGradientModeForwardDiagonal, WrapModeTile, &ramp);
    G().GdipFillRectangle(g, ramp, 0, 0, 1600, 1250);
    G().GdipDeleteBrush(ramp);
    G().GdipDeleteGraphics(g);
    UINT count = 0, size = 0;
    G().GdipGetImageEncodersSize(&count, &size);
    std::vector<std::uint8_t> buffer(size);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    G().GdipGetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i)
      if (String(codecs[i].MimeType) == u"image/png") G().GdipSaveImageToFile(bitmap, WidePath.c_str(), &codecs[i].Clsid, nullptr);
    G().GdipDisposeImage(bitmap);
    if (FILE* f = std::fopen(Path.c_str(), "rb")) {
      std::uint8_t chunk[65536];
      for (std::size_t n; (n = std::fread(chunk, 1, sizeof(chunk), f)) > 0;) Bytes.insert(Bytes.end(), chunk, chunk + n);
      std::fclose(f);
    }
  }
};

const TPicture& Picture() {
  static TPicture picture;
  return picture;
}

void LoadPngFromFile(benchmark::State& AState) {
  const TPicture& p = Picture();
  for (auto _ : AState) {
    GpImage* image = nullptr;
    G().GdipLoadImageFromFile(p.WidePath.c_str(), &image);
    UINT w = 0;
    G().GdipGetImageWidth(image, &w);
    benchmark::DoNotOptimize(w);
    G().GdipDisposeImage(image);
  }
}
BENCHMARK(LoadPngFromFile)->Unit(benchmark::kMillisecond);

void LoadPngFromStream(benchmark::State& AState) {
  const TPicture& p = Picture();
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, p.Bytes.size());
  std::memcpy(GlobalLock(global), p.Bytes.data(), p.Bytes.size());
  GlobalUnlock(global);
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(global, TRUE, &stream);
  for (auto _ : AState) {
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    GpImage* image = nullptr;
    G().GdipLoadImageFromStream(stream, &image);
    UINT w = 0;
    G().GdipGetImageWidth(image, &w);
    benchmark::DoNotOptimize(w);
    G().GdipDisposeImage(image);
  }
  stream->Release();
}
BENCHMARK(LoadPngFromStream)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
