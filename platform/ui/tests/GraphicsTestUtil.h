#pragma once
// Helpers of the graphics tests: fixture paths and pixel probes.
#include <string>

#include "platform/ui/Graphics.h"

inline String TestData(const char* Name) { return UTF8ToString(std::string(ZELK_TEST_DATA) + "/" + Name); }
inline String TestOutput(const char* Name) { return UTF8ToString(std::string(ZELK_TEST_OUTPUT) + "/" + Name); }

// Colour of a bitmap pixel as RGB (alpha dropped, colours as stored).
inline TColor PixelOf(TBitmap& Bitmap, Integer X, Integer Y) { return Bitmap.GetCanvas()->GetPixels(X, Y); }

// The smallest rectangle holding every pixel that differs from Background (empty when none).
inline TRect InkBox(TBitmap& Bitmap, TColor Background) {
  TRect box{Bitmap.GetWidth(), Bitmap.GetHeight(), 0, 0};
  for (Integer y = 0; y < Bitmap.GetHeight(); ++y)
    for (Integer x = 0; x < Bitmap.GetWidth(); ++x)
      if (PixelOf(Bitmap, x, y) != Background) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
      }
  if (box.right <= box.left) box = TRect{};
  return box;
}

// A white bitmap of the size in pf24bit.
inline void WhiteBitmap(TBitmap& Bitmap, Integer W, Integer H) {
  Bitmap.SetPixelFormat(pf24bit);
  Bitmap.SetSize(W, H);
  Bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
  Bitmap.GetCanvas()->FillRect(TRect{0, 0, W, H});
}
