// Markup pictures: a 256 x 256 PNG drawn 1,000 times as a THTMLPicture (through GDI+, the image
// decoded once and kept) against the same bytes as the platform's TPngImage; and Animate over
// 200 animated GIF pictures in a container, timed per tick (one call steps every picture).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "lib/render/PictureContainer.h"
#include "platform/rtl/Units.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/testsupport/GifEncoder.h"

namespace {

constexpr int Size = 256;
constexpr int Draws = 1000;

struct TUnits {
  TUnits() {
    RegisterPictureContainerUnit();
    Scope = std::make_unique<TUnitsScope>();
  }
  std::unique_ptr<TUnitsScope> Scope;
};

void EnsureUnits() { static TUnits units; }

// A 256 x 256 gradient as PNG bytes.
TMemoryStream* PngBytes() {
  static TMemoryStream* bytes = [] {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(Size, Size);
    for (int y = 0; y < Size; ++y) {
      auto* row = static_cast<Byte*>(bitmap.GetScanLine(y));
      for (int x = 0; x < Size; ++x) {
        row[x * 3] = static_cast<Byte>(x);
        row[x * 3 + 1] = static_cast<Byte>(y);
        row[x * 3 + 2] = static_cast<Byte>(x ^ y);
      }
    }
    TPngImage png;
    png.Assign(&bitmap);
    auto* stream = new TMemoryStream();
    png.SaveToStream(stream);
    return stream;
  }();
  bytes->SetPosition(0);
  return bytes;
}

std::unique_ptr<TBitmap> Target() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(Size, Size);
  return bitmap;
}

void DrawMany(benchmark::State& state, TGraphic& APicture) {
  auto target = Target();
  TCanvas* canvas = target->GetCanvas();
  for (auto _ : state)
    for (int i = 0; i < Draws; ++i) APicture.Draw(canvas, TRect{0, 0, Size, Size});
  benchmark::DoNotOptimize(canvas->GetPixels(10, 10));
}

void BM_HTMLPictureDrawPng(benchmark::State& state) {
  EnsureUnits();
  THTMLPicture picture;
  picture.LoadFromStream(PngBytes());
  DrawMany(state, picture);
}
BENCHMARK(BM_HTMLPictureDrawPng)->Unit(benchmark::kMillisecond);

void BM_PngImageDraw(benchmark::State& state) {
  EnsureUnits();
  TPngImage png;
  png.LoadFromStream(PngBytes());
  DrawMany(state, png);
}
BENCHMARK(BM_PngImageDraw)->Unit(benchmark::kMillisecond);

// 32 x 32, four frames of one colour each, 10 hundredths apiece.
std::vector<Byte> AnimatedGif() {
  std::vector<GifFixture::TFrameSpec> frames;
  GifPixelType (*const fills[4])(int, int) = {[](int, int) -> GifPixelType { return 0; }, [](int, int) -> GifPixelType { return 1; },
                                             [](int, int) -> GifPixelType { return 2; }, [](int, int) -> GifPixelType { return 3; }};
  for (auto fill : fills) frames.push_back({0, 0, 32, 32, 10, DISPOSE_DO_NOT, -1, fill});
  return GifFixture::EncodeGif(32, 32, frames);
}

void BM_ContainerAnimate200(benchmark::State& state) {
  EnsureUnits();
  const std::vector<Byte> gif = AnimatedGif();
  TPictureContainer container(nullptr);
  for (int i = 0; i < 200; ++i) {
    TPictureItem* item = container.GetItems()->Add();
    item->SetName(u"anim" + IntToStr(i));
    TMemoryStream s;
    s.WriteBuffer(gif.data(), static_cast<Int64>(gif.size()));
    item->GetPicture()->LoadFromStream(&s);
  }
  Integer advanced = 0;
  for (auto _ : state)
    if (container.GetItems()->Animate()) ++advanced;
  state.counters["advancing ticks"] = advanced;
}
BENCHMARK(BM_ContainerAnimate200)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
