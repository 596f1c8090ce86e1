#pragma once
// A white surface with a DC over it, and pixel helpers for the GDI tests.
#include "platform/win/Surface.h"
#include "platform/win/WinGdi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

struct TGdiCanvas {
  TSurface Surface;
  HDC DC;
  TGdiCanvas(int AWidth = 200, int AHeight = 150) : Surface(AWidth, AHeight) {
    Surface.Clear(0xFFFFFFFF);
    DC = CreateSurfaceDC(Surface, POINT{0, 0}, nullptr);
  }
  ~TGdiCanvas() { DeleteDC(DC); }
  COLORREF At(int X, int Y) const { return PixelToColorRef(Surface.Pixel(X, Y)); }
  bool Dark(int X, int Y) const {
    COLORREF c = At(X, Y);
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128;
  }
  // Bounding box of the pixels that are not white (empty RECT when none).
  RECT Ink() const {
    RECT r{Surface.Width(), Surface.Height(), -1, -1};
    for (int y = 0; y < Surface.Height(); ++y)
      for (int x = 0; x < Surface.Width(); ++x)
        if (Surface.Pixel(x, y) != 0xFFFFFFFFu) {
          r.left = std::min<LONG>(r.left, x);
          r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1);
          r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r.right < 0 ? RECT{} : r;
  }
  std::vector<std::uint32_t> Snapshot() const {
    std::vector<std::uint32_t> v;
    for (int y = 0; y < Surface.Height(); ++y)
      for (int x = 0; x < Surface.Width(); ++x) v.push_back(Surface.Pixel(x, y));
    return v;
  }
  // Fills with a pattern of distinct colours, so bitwise operations show.
  void Pattern() {
    for (int y = 0; y < Surface.Height(); ++y)
      for (int x = 0; x < Surface.Width(); ++x)
        Surface.SetPixel(x, y, 0xFF000000u | static_cast<std::uint32_t>((x * 7) & 0xFF) << 16 |
                                   static_cast<std::uint32_t>((y * 5) & 0xFF) << 8 | ((x + y) & 0xFF));
  }
  void Save(const std::string& AName) const {
    const char* dir = std::getenv("ZELK_TEST_OUTPUT");
    std::string path = std::string(dir ? dir : ZELK_TEST_OUTPUT) + "/" + AName;
    EXPECT_TRUE(Surface.SaveToPng(path)) << path;
  }
};

// Selects an object for the lifetime of the guard and deletes it afterwards.
struct TSelected {
  HDC DC;
  HGDIOBJ Object, Old;
  TSelected(HDC ADC, HGDIOBJ AObject) : DC(ADC), Object(AObject), Old(SelectObject(ADC, AObject)) {}
  ~TSelected() {
    SelectObject(DC, Old);
    DeleteObject(Object);
  }
};
