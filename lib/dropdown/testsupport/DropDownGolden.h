#pragma once
// Golden pictures of the dropdown tests: a bitmap, or a sheet of window pictures, saved as PNG under
// the test output and compared with the picture of the same name in the tests' data folder,
// channel by channel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/Graphics.h"
#include "platform/ui/PngImage.h"
#include "platform/win/Headless.h"
#include "platform/win/Surface.h"

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

// ---------------------------------------------------------------------------------------------
// A sheet of window pictures in rows on a grey ground, compared at once with a golden picture.

// Pixels of two surfaces of one size that differ by more than Tolerance in any channel.
inline long DifferingPixels(const TSurface& A, const TSurface& B, int Tolerance) {
  long off = 0;
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x) {
      const std::uint32_t a = A.Pixel(x, y), b = B.Pixel(x, y);
      for (int shift : {0, 8, 16, 24})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > Tolerance) {
          ++off;
          break;
        }
    }
  return off;
}

class TGoldenSheet {
public:
  static constexpr int Gap = 4;
  static constexpr std::uint32_t Ground = 0xFFB4B4B4;

  // AWindow as it is now (frame included), right of the row's last picture.
  void Add(HWND AWindow) {
    const std::string path = std::string(ZELK_TEST_OUTPUT) + "/sheet-cell.png";
    ASSERT_TRUE(Headless::SaveWindowPng(AWindow, path));
    auto picture = std::make_unique<TSurface>(1, 1);
    ASSERT_TRUE(picture->LoadFromPng(path));
    if (FRows.empty()) FRows.emplace_back();
    FRows.back().push_back(std::move(picture));
  }
  void NewRow() { FRows.emplace_back(); }
  // The picture added last (the sheet must not be empty).
  const TSurface& Last() const {
    for (auto row = FRows.rbegin(); row != FRows.rend(); ++row)
      if (!row->empty()) return *row->back();
    throw std::logic_error("empty golden sheet");
  }

  // Saves the sheet under the test output and expects the golden picture of that name in the
  // tests' data folder to equal it within Tolerance per channel.
  void ExpectMatches(const char* Name, int Tolerance = 0) const {
    int width = Gap, height = Gap;
    for (const auto& row : FRows) {
      int w = Gap, h = 0;
      for (const auto& p : row) {
        w += p->Width() + Gap;
        h = std::max(h, p->Height());
      }
      width = std::max(width, w);
      height += h + Gap;
    }
    TSurface sheet(width, height);
    sheet.Clear(Ground);
    int y = Gap;
    for (const auto& row : FRows) {
      int x = Gap, h = 0;
      for (const auto& p : row) {
        sheet.CopyFrom(*p, RECT{0, 0, p->Width(), p->Height()}, POINT{x, y});
        x += p->Width() + Gap;
        h = std::max(h, p->Height());
      }
      y += h + Gap;
    }
    const std::string out = std::string(ZELK_TEST_OUTPUT) + "/" + Name;
    ASSERT_TRUE(sheet.SaveToPng(out));
    TSurface want(1, 1);
    ASSERT_TRUE(want.LoadFromPng(std::string(ZELK_TEST_DATA) + "/" + Name))
        << "no golden picture " << Name << "; this run's is " << out;
    ASSERT_EQ(want.Width(), sheet.Width()) << Name;
    ASSERT_EQ(want.Height(), sheet.Height()) << Name;
    EXPECT_EQ(DifferingPixels(sheet, want, Tolerance), 0) << Name << " differs from its golden picture; see " << out;
  }

private:
  std::vector<std::vector<std::unique_ptr<TSurface>>> FRows;
};
