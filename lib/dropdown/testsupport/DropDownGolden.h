#pragma once
// Golden pictures of the dropdown tests: a bitmap saved as PNG under the test output and compared
// with the picture of the same name in the tests' data folder, channel by channel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/ui/Graphics.h"
#include "platform/ui/PngImage.h"

inline void ExpectBitmapMatchesGolden(TBitmap& Bitmap, const char* Name, int Tolerance) {
  TPngImage png;
  png.Assign(&Bitmap);
  png.SaveToFile(UTF8ToString(std::string(ZELK_TEST_OUTPUT) + "/" + Name));
  TPngImage golden;
  ASSERT_NO_THROW(golden.LoadFromFile(UTF8ToString(std::string(ZELK_TEST_DATA) + "/" + Name)))
      << "no golden picture " << Name << "; this run's is under " << ZELK_TEST_OUTPUT;
  TBitmap want;
  want.Assign(&golden);
  ASSERT_EQ(want.GetWidth(), Bitmap.GetWidth());
  ASSERT_EQ(want.GetHeight(), Bitmap.GetHeight());
  int off = 0;
  for (Integer y = 0; y < Bitmap.GetHeight(); ++y)
    for (Integer x = 0; x < Bitmap.GetWidth(); ++x) {
      COLORREF a = ColorToRGB(Bitmap.GetCanvas()->GetPixels(x, y));
      COLORREF b = ColorToRGB(want.GetCanvas()->GetPixels(x, y));
      for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > Tolerance) {
          ++off;
          break;
        }
    }
  EXPECT_EQ(off, 0) << Name << " differs from its golden picture";
}
