#pragma once
// Counting pixels of a colour in a box, for tests that read pixels from any kind of surface.
#include <cstdlib>

#include "platform/ui/Graphics.h"

// Pixels of ABox within 60 per channel of AColor, each read as PixelAt(X, Y).
template <class TPixelAt>
Integer CountPixelsNear(TPixelAt PixelAt, TRect ABox, TColor AColor) {
  Integer n = 0;
  for (Integer y = ABox.top; y < ABox.bottom; ++y)
    for (Integer x = ABox.left; x < ABox.right; ++x) {
      const TColor c = PixelAt(x, y);
      auto d = [&](int s) { return std::abs(int((c >> s) & 0xFF) - int((AColor >> s) & 0xFF)); };
      if (d(0) < 60 && d(8) < 60 && d(16) < 60) ++n;
    }
  return n;
}
