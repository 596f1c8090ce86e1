// The free painting routines against golden pictures: shapes and lines exactly, text and curved
// figures within 2 per channel. Each sheet lays the cases out in a grid of cells.
#include <gtest/gtest.h>

#include "lib/gridutil/NeoGridUtilPaint.h"
#include "lib/gridutil/testsupport/GridUtilGolden.h"
#include "platform/win/Headless.h"

namespace {

using gridutil_test::ExpectGolden;

class GridUtilGolden : public ::testing::Test {
protected:
  void SetUp() override { Headless::Use(); }
  void Sheet(Integer W, Integer H) {
    Bmp.SetPixelFormat(pf24bit);
    Bmp.SetSize(W, H);
    FillRectColor(C(), TRect{0, 0, W, H}, clWhite);
    C()->GetFont()->SetName(u"DejaVu Sans");
    C()->GetFont()->SetSize(8);
    C()->GetFont()->SetColor(clBlack);
  }
  TCanvas* C() { return Bmp.GetCanvas(); }
  TBitmap Bmp;
};

// The selection colours of the three styles, focused, and the grey of an unfocused grid.
struct TTabColors {
  TColor From, To, MirrorFrom, MirrorTo, Border, InnerUpper, InnerLower, Corner;
};
constexpr TTabColors kTabStyles[] = {
    {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB},    // Vista
    {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE},    // Windows 7
    {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF}, // Office 2007
    {0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xD9D9D9, 0xFBFAFA, 0xF0F0F0, 0xEFEFEF},    // not focused
};

TEST_F(GridUtilGolden, TabShapesInEveryKindAndSelectionStyle) {
  // Rows: the styles; columns: kinds 0..3, then a plain fill (no second colour) of each style.
  Sheet(5 * 50, 4 * 30);
  for (Integer row = 0; row < 4; ++row) {
    const TTabColors& s = kTabStyles[row];
    for (Integer kind = 0; kind < 5; ++kind) {
      TRect r{kind * 50 + 4, row * 30 + 4, kind * 50 + 48, row * 30 + 30};
      PaintTabShape(C(), s.From, kind < 4 ? s.To : clNone, kind % 4, r, s.InnerLower, s.Corner, clGray, s.InnerUpper,
                    s.Border, s.MirrorTo, s.MirrorFrom);
    }
  }
  ExpectGolden(Bmp, "golden-tabshapes.png", 0);
}

TEST_F(GridUtilGolden, GradientsBySteps) {
  // Rows: horizontal, vertical, vertical with top and bottom swapped; columns: 1, 16 and 64 steps,
  // then 64 steps over a rect narrower than that.
  Sheet(4 * 74, 3 * 44);
  const Integer steps[] = {1, 16, 64, 64};
  for (Integer row = 0; row < 3; ++row)
    for (Integer col = 0; col < 4; ++col) {
      Integer x = col * 74 + 2, y = row * 44 + 2, w = col < 3 ? 70 : 30;
      TRect r = row == 2 ? TRect{x, y + 40, x + w, y} : TRect{x, y, x + w, y + 40};
      PaintGradientRect(C(), 0xA03000, 0x00A0FF, row == 0, r, steps[col]);
    }
  ExpectGolden(Bmp, "golden-gradients.png", 0);
}

TEST_F(GridUtilGolden, FacedRects) {
  // Plain, 128-step gradient both ways, mirrored halves, side lines only, border only, no border.
  Sheet(7 * 54, 44);
  struct TFace {
    bool Fill, SidesOnly, Horizontal;
    TColor Color, ColorTo, MirrorFrom, MirrorTo, Border;
  };
  const TFace faces[] = {
      {true, false, false, 0xE0C090, clNone, clNone, clNone, clNavy},
      {true, false, false, 0xFFF0E0, 0xC07030, clNone, clNone, clNavy},
      {true, false, true, 0xFFF0E0, 0xC07030, clNone, clNone, clNavy},
      {true, false, false, 0xF0FFFF, 0x80E0FF, 0x40C0F0, 0xC0F0FF, 0x3070A0},
      {true, true, false, 0xFFF0E0, 0xC07030, clNone, clNone, clMaroon},
      {false, false, false, 0xFFF0E0, 0xC07030, clNone, clNone, clMaroon},
      {true, false, false, 0xFFF0E0, 0xC07030, clNone, clNone, clNone},
  };
  for (Integer i = 0; i < 7; ++i) {
    const TFace& f = faces[i];
    PaintFacedRect(C(), TRect{i * 54 + 2, 2, i * 54 + 52, 42}, f.Color, f.Fill, f.SidesOnly, f.Border, f.Horizontal,
                   f.MirrorFrom, f.MirrorTo, f.ColorTo);
  }
  ExpectGolden(Bmp, "golden-facedrects.png", 0);
}

TEST_F(GridUtilGolden, ProgressWithClippedTexts) {
  // 0, 37 and 100 %, the text white over the bar and dark blue over the rest; then a formatted value.
  Sheet(4 * 104, 24);
  const Double values[] = {0, 37, 100};
  for (Integer i = 0; i < 3; ++i)
    PaintProgressCell(C(), TRect{i * 104, 0, i * 104 + 100, 24}, 0xC06020, false, clBlack, u"", 1, 0, 100, values[i],
                      2, 2, clWhite, clNavy, 0xF0F0F0);
  PaintProgressCell(C(), TRect{312, 0, 412, 24}, 0x40A040, false, clNone, u"%.1f kg", 10, 0, 1000, 555, 2, 2,
                    clWhite, clBlack, clWhite);
  ExpectGolden(Bmp, "golden-progress.png", 2);
}

TEST_F(GridUtilGolden, BalanceBarsBothWays) {
  // Values 6, -6, 10, -15 (limited to -10) and 0 of a maximum of 10, with their texts.
  Sheet(5 * 64, 22);
  const Integer values[] = {6, -6, 10, -15, 0};
  for (Integer i = 0; i < 5; ++i)
    PaintBalanceBar(C(), TRect{i * 64, 0, i * 64 + 60, 22}, values[i], 0x40B040, 0x4040D0, true, 10);
  ExpectGolden(Bmp, "golden-balance.png", 2);
}

TEST_F(GridUtilGolden, PiesFilledBothWays) {
  // 0, 25 and 99 % clockwise, then the same anticlockwise.
  Sheet(6 * 36, 36);
  const Integer percents[] = {0, 25, 99};
  for (Integer i = 0; i < 6; ++i)
    PaintPieChart(C(), TRect{i * 36 + 2, 2, i * 36 + 35, 35}, 0xD07020, i < 3, percents[i % 3]);
  ExpectGolden(Bmp, "golden-pies.png", 2);
}

TEST_F(GridUtilGolden, EveryCellShape) {
  // Each figure 28 x 18 with pen and brush, then 28 x 18 outlined only (no brush).
  constexpr Integer kShapes = csHalfStar + 1;
  Sheet(kShapes * 34, 2 * 26);
  for (Integer i = 0; i < kShapes; ++i) {
    auto shape = static_cast<TCellShape>(i);
    PaintCellShape(C(), TRect{i * 34, 0, i * 34 + 34, 26}, clNavy, 0x40C0F0, shape, 28, 18);
    PaintCellShape(C(), TRect{i * 34, 26, i * 34 + 34, 52}, clMaroon, clNone, shape, 28, 18);
  }
  ExpectGolden(Bmp, "golden-cellshapes.png", 2);
}

}  // namespace
