#pragma once
// GIF fixtures written by giflib's encoder: a logical screen with a four-colour map (red, green,
// blue, yellow) and frames with their graphic control blocks. Shared by the tests, the demo and
// the benchmarks, so it reports a failing encoder step by std::runtime_error, not by gtest.
#include <gif_lib.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/Graphics.h"

namespace GifFixture {

// Palette of every fixture: red, green, blue, yellow.
inline constexpr GifColorType Colors[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
inline constexpr TColor Red = static_cast<TColor>(0x0000FF), Green = static_cast<TColor>(0x00FF00),
                 Blue = static_cast<TColor>(0xFF0000), Yellow = static_cast<TColor>(0x00FFFF);

struct TFrameSpec {
  int Left, Top, Width, Height;
  int Delay, Disposal, Transparent;   // Transparent: -1 for none
  // Colour index of a pixel of the frame (frame coordinates).
  GifPixelType (*Pixel)(int X, int Y);
  bool Interlaced = false;
  bool WithControl = true;
};

inline void CheckGif(bool AOk, const char* AStep) {
  if (!AOk) throw std::runtime_error(std::string("giflib failed: ") + AStep);
}

inline int CollectBytes(GifFileType* Gif, const GifByteType* Data, int Length) {
  auto* out = static_cast<std::vector<Byte>*>(Gif->UserData);
  out->insert(out->end(), Data, Data + Length);
  return Length;
}

// A GIF89a written by giflib: the logical screen, then each frame with its control block.
inline std::vector<Byte> EncodeGif(int ScreenWidth, int ScreenHeight, const std::vector<TFrameSpec>& Frames) {
  std::vector<Byte> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, CollectBytes, &error);
  CheckGif(gif != nullptr, "EGifOpen");
  EGifSetGifVersion(gif, true);
  ColorMapObject* map = GifMakeMapObject(4, Colors);
  CheckGif(EGifPutScreenDesc(gif, ScreenWidth, ScreenHeight, 8, 0, map) == GIF_OK, "EGifPutScreenDesc");
  for (const TFrameSpec& f : Frames) {
    if (f.WithControl) {
      GraphicsControlBlock control{f.Disposal, false, f.Delay, f.Transparent};
      GifByteType ext[4];
      const auto length = EGifGCBToExtension(&control, ext);
      CheckGif(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), ext) == GIF_OK, "EGifPutExtension");
    }
    CheckGif(EGifPutImageDesc(gif, f.Left, f.Top, f.Width, f.Height, f.Interlaced, nullptr) == GIF_OK, "EGifPutImageDesc");
    std::vector<int> rows;
    if (f.Interlaced) {
      for (int start : {0, 4, 2, 1})
        for (int y = start; y < f.Height; y += start == 0 ? 8 : start * 2) rows.push_back(y);
    } else {
      for (int y = 0; y < f.Height; ++y) rows.push_back(y);
    }
    std::vector<GifPixelType> line(static_cast<std::size_t>(f.Width));
    for (int y : rows) {
      for (int x = 0; x < f.Width; ++x) line[static_cast<std::size_t>(x)] = f.Pixel(x, y);
      CheckGif(EGifPutLine(gif, line.data(), f.Width) == GIF_OK, "EGifPutLine");
    }
  }
  CheckGif(EGifCloseFile(gif, &error) == GIF_OK, "EGifCloseFile");
  GifFreeMapObject(map);
  return out;
}

}  // namespace GifFixture
