#pragma once
// Comparing a painted bitmap with a golden picture: the bitmap is saved under the test output, then
// every pixel is compared channel by channel with the golden PNG within a tolerance.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/ui/Graphics.h"
#include "platform/ui/PngImage.h"

namespace gridutil_test {

// Expects Bitmap to match the PNG Golden (a full path) within Tolerance per channel; this run's
// picture is saved as Output (a full path) either way.
inline void ExpectBitmapMatchesGolden(TBitmap& Bitmap, const std::string& Golden, const std::string& Output,
                                      Integer Tolerance) {
  TPngImage png;
  png.Assign(&Bitmap);
  png.SaveToFile(UTF8ToString(Output));
  TPngImage want;
  ASSERT_NO_THROW(want.LoadFromFile(UTF8ToString(Golden))) << "no golden picture " << Golden << "; see " << Output;
  TBitmap w;
  w.Assign(&want);
  ASSERT_EQ(w.GetWidth(), Bitmap.GetWidth()) << Golden;
  ASSERT_EQ(w.GetHeight(), Bitmap.GetHeight()) << Golden;
  Integer off = 0;
  for (Integer y = 0; y < Bitmap.GetHeight(); ++y)
    for (Integer x = 0; x < Bitmap.GetWidth(); ++x) {
      COLORREF a = ColorToRGB(Bitmap.GetCanvas()->GetPixels(x, y)), b = ColorToRGB(w.GetCanvas()->GetPixels(x, y));
      for (int s : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF)) > Tolerance) {
          ++off;
          break;
        }
    }
  EXPECT_EQ(off, 0) << "pixels differ from " << Golden << "; see " << Output;
}

// The golden picture Name in the test data folder; this run's picture goes to the test output.
inline void ExpectGolden(TBitmap& Bitmap, const std::string& Name, Integer Tolerance) {
  ExpectBitmapMatchesGolden(Bitmap, std::string(ZELK_TEST_DATA) + "/" + Name, std::string(ZELK_TEST_OUTPUT) + "/" + Name,
                            Tolerance);
}

}  // namespace gridutil_test
