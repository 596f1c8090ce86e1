#pragma once
// Shared helpers of the graphics layer's tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lib/base/NeoPersistence.h"
#include "lib/graphics/NeoGraphicsTypes.h"
#include "lib/graphics/NeoGDIPlusApi.h"
#include "lib/graphics/NeoGDIPlusClasses.h"
#include "lib/graphics/NeoTypes.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/Units.h"
#include "platform/win/Surface.h"

inline String TestData(const char* Name) { return UTF8ToString(std::string(ZELK_TEST_DATA) + "/" + Name); }
inline String TestOutput(const char* Name) { return UTF8ToString(std::string(ZELK_TEST_OUTPUT) + "/" + Name); }

// Starts the graphics types, their persistence and the scaled bitmaps for the tests of a suite.
class GraphicsUnitsSuite : public testing::Test {
protected:
  static void SetUpTestSuite() {
    Units().Clear();
    RegisterNeoPersistenceUnit();
    RegisterNeoTypesUnit();
    InitializeUnits();
  }
  static void TearDownTestSuite() {
    FinalizeUnits();
    Units().Clear();
  }
};

// The graphics units with GDI+ bound to libgdiplus and started, for the suites that draw through
// the GDI+ context; the generic singletons are freed before the shutdown.
class GdiplusUnitsSuite : public GraphicsUnitsSuite {
protected:
  static void SetUpTestSuite() {
    GraphicsUnitsSuite::SetUpTestSuite();
    RegisterGdiplusModule();
    NeoGDIPlusApi::BindGdiplus();
    NeoGDIPlusClasses::StartupGdiplus();
  }
  static void TearDownTestSuite() {
    NeoGDIPlusClasses::FreeGenericSingletons();
    NeoGDIPlusClasses::ShutdownGdiplus();
    NeoGDIPlusApi::UnbindGdiplus();
    GraphicsUnitsSuite::TearDownTestSuite();
  }
};

// Counts the change notices an object sends.
struct ChangeCounter {
  int Count = 0;
  TObject* LastSender = nullptr;
  TNotifyEvent Handler() {
    return [this](TObject* Sender) {
      ++Count;
      LastSender = Sender;
    };
  }
};

// The pixels of the area whose channels (alpha included) differ by more than 8 between the two
// surfaces, which have the same size.
inline int DifferingPixels(const TSurface& A, const TSurface& B, const TRect& AArea) {
  int off = 0;
  for (int y = AArea.top; y < AArea.bottom; ++y)
    for (int x = AArea.left; x < AArea.right; ++x) {
      const std::uint32_t a = A.Pixel(x, y), b = B.Pixel(x, y);
      for (int shift : {0, 8, 16, 24})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 8) {
          ++off;
          break;
        }
    }
  return off;
}

inline int DifferingPixels(const TSurface& A, const TSurface& B) {
  return DifferingPixels(A, B, TRect{0, 0, A.Width(), A.Height()});
}

// The bounding box of the area's pixels that AIs accepts; an empty rectangle when there are none.
template <class F> TRect InkBox(const TSurface& ASurface, const TRect& AArea, F AIs) {
  TRect box{AArea.right, AArea.bottom, AArea.left, AArea.top};
  for (int y = AArea.top; y < AArea.bottom; ++y)
    for (int x = AArea.left; x < AArea.right; ++x)
      if (AIs(ASurface.Pixel(x, y))) {
        box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box.left < box.right ? box : TRect{};
}
