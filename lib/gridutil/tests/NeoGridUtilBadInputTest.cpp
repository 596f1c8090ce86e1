// The free painting routines given bad input: empty, inverted, tiny, off-bitmap and huge
// rectangles, zero and negative sizes, extreme steps and percentages. None may crash or paint
// outside its rectangle; an empty rectangle gets nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "lib/gridutil/NeoGridUtilPaint.h"
#include "platform/win/Headless.h"

namespace {

constexpr Integer kSide = 64;
constexpr Integer kMax = std::numeric_limits<Integer>::max();
constexpr Integer kMin = std::numeric_limits<Integer>::min();

struct TRoutine {
  const char* Name;
  std::function<void(TCanvas*, const TRect&)> Paint;
};

TLevelProgressSettings LevelSettings(bool Smooth) {
  TLevelProgressSettings s;
  s.ShowBorder = true;
  s.CompletionSmooth = Smooth;
  return s;
}

// Every routine that paints into a rectangle, with an ordinary choice of its other arguments.
std::vector<TRoutine> Routines() {
  TButtonLook look;
  return {
      {"gradient", [](TCanvas* C, const TRect& R) { PaintGradientRect(C, clBlack, clRed, true, R, 16); }},
      {"gradient vertical", [](TCanvas* C, const TRect& R) { PaintGradientRect(C, clBlack, clRed, false, R, 64); }},
      {"faced", [](TCanvas* C, const TRect& R) {
         PaintFacedRect(C, R, clRed, true, false, clBlack, false, clBlue, clAqua, clYellow);
       }},
      {"tab", [](TCanvas* C, const TRect& R) {
         PaintTabShape(C, clRed, clYellow, 0, R, clGreen, clBlue, clGray, clAqua, clBlack, clLime, clOlive);
       }},
      {"fill", [](TCanvas* C, const TRect& R) { FillRectColor(C, R, clRed); }},
      {"balance", [](TCanvas* C, const TRect& R) { PaintBalanceBar(C, R, -3, clGreen, clRed, true, 10); }},
      {"pie", [](TCanvas* C, const TRect& R) { PaintPieChart(C, R, clRed, true, 60); }},
      {"shape", [](TCanvas* C, const TRect& R) {
         auto side = [](Integer A, Integer B, Integer Most) { return static_cast<Integer>(std::min<Int64>(Int64(B) - A, Most)); };
         PaintCellShape(C, R, clBlack, clRed, csStar, side(R.left, R.right, 20), side(R.top, R.bottom, 14));
       }},
      {"progress", [](TCanvas* C, const TRect& R) {
         PaintProgressCell(C, R, clRed, false, clBlack, u"", 1, 0, 100, 40, 2, 2, clWhite, clBlack, clYellow);
       }},
      {"level", [](TCanvas* C, const TRect& R) { PaintLevelProgressBar(C, R, 80, LevelSettings(true)); }},
      {"level steps", [](TCanvas* C, const TRect& R) { PaintLevelProgressBar(C, R, 80, LevelSettings(false)); }},
      {"combo button", [look](TCanvas* C, const TRect& R) { PaintComboButtonPart(C, nullptr, R, 1, look, 1, 3); }},
      {"push button", [look](TCanvas* C, const TRect& R) {
         PaintThemedButton(C, nullptr, R, u"&Go", true, look, 2, 1);
       }},
      {"spin button", [look](TCanvas* C, const TRect& R) { PaintSpinButtonPart(C, nullptr, R, 1, look, 0, 2); }},
  };
}

class GridUtilBadInput : public ::testing::Test {
protected:
  void SetUp() override {
    Headless::Use();
    Bmp.SetPixelFormat(pf24bit);
    Bmp.SetSize(kSide, kSide);
  }
  void Blank() { FillRectColor(Bmp.GetCanvas(), TRect{0, 0, kSide, kSide}, clWhite); }
  // The pixels not white outside Inside.
  Integer InkOutside(const TRect& Inside) {
    Integer n = 0;
    for (Integer y = 0; y < kSide; ++y)
      for (Integer x = 0; x < kSide; ++x)
        if (!(x >= Inside.left && x < Inside.right && y >= Inside.top && y < Inside.bottom))
          n += Bmp.GetCanvas()->GetPixels(x, y) != clWhite;
    return n;
  }
  TBitmap Bmp;
};

TEST_F(GridUtilBadInput, NoRoutinePaintsOutsideItsRectangle) {
  struct TCase {
    const char* Name;
    TRect Rect;
    bool Empty;
  };
  const TCase cases[] = {
      {"ordinary", {10, 10, 50, 34}, false},
      {"upside down", {10, 34, 50, 10}, false},
      {"narrower than a button", {20, 20, 27, 40}, false},
      {"one pixel", {30, 30, 31, 31}, false},
      {"three pixels", {30, 30, 33, 33}, false},
      {"half off the bitmap", {-12, -8, 20, 16}, false},
      {"zero width", {20, 10, 20, 40}, true},
      {"zero height", {10, 20, 50, 20}, true},
      {"inverted", {50, 40, 10, 10}, true},
      {"inverted width", {50, 10, 10, 40}, true},
      {"negative", {-40, -40, -10, -10}, true},
      {"beyond the bitmap", {70, 70, 90, 90}, true},
  };
  for (const TRoutine& r : Routines())
    for (const TCase& c : cases) {
      Blank();
      r.Paint(Bmp.GetCanvas(), c.Rect);
      // Upside down, the gradients swap top and bottom; the rest paint nothing.
      const TRect allowed{c.Rect.left, std::min(c.Rect.top, c.Rect.bottom), c.Rect.right,
                          std::max(c.Rect.top, c.Rect.bottom)};
      EXPECT_EQ(InkOutside(c.Empty ? TRect{} : allowed), 0) << r.Name << ", " << c.Name;
    }
}

TEST_F(GridUtilBadInput, HugeRectanglesAreHarmless) {
  // Up to widths of the whole integer range: no overflow (the sanitizers watch) and no endless
  // drawing; those lying wholly beyond the bitmap leave it blank.
  struct TCase {
    TRect Rect;
    bool OffTheBitmap;
  };
  const TCase huge[] = {{{-1000000, -1000000, 1000000, 1000000}, false},
                        {{-1000000000, -1000000000, 1000000000, 1000000000}, false},
                        {{kMin / 2, kMin / 2, kMax / 2, kMax / 2}, false},
                        {{kMin, kMin, kMax, kMax}, false},
                        {{kMax - 10, kMax - 10, kMax, kMax}, true},
                        {{kMin, kMin, kMin + 10, kMin + 10}, true}};
  for (const TRoutine& r : Routines())
    for (const TCase& c : huge) {
      Blank();
      r.Paint(Bmp.GetCanvas(), c.Rect);
      if (c.OffTheBitmap) {
        EXPECT_EQ(InkOutside(TRect{}), 0) << r.Name << " at " << c.Rect.left;
      }
    }
}

TEST_F(GridUtilBadInput, ExtremeStepsSizesAndPercentagesStayInside) {
  const TRect inside{8, 8, 56, 40};
  using TPaint = std::function<void(TCanvas*)>;
  const std::pair<const char*, TPaint> cases[] = {
      {"gradient steps 0", [&](TCanvas* C) { PaintGradientRect(C, clBlack, clRed, true, inside, 0); }},
      {"gradient steps negative", [&](TCanvas* C) { PaintGradientRect(C, clBlack, clRed, false, inside, -7); }},
      {"gradient steps huge", [&](TCanvas* C) { PaintGradientRect(C, clBlack, clRed, true, inside, kMax); }},
      {"tab kind 9", [&](TCanvas* C) {
         PaintTabShape(C, clRed, clNone, 9, inside, clGreen, clBlue, clGray, clAqua, clBlack, clNone, clNone);
       }},
      {"balance beyond the maximum", [&](TCanvas* C) { PaintBalanceBar(C, inside, kMax, clGreen, clRed, true, 3); }},
      {"balance below the minimum", [&](TCanvas* C) { PaintBalanceBar(C, inside, kMin, clGreen, clRed, true, kMax); }},
      {"balance negative maximum", [&](TCanvas* C) { PaintBalanceBar(C, inside, -5, clGreen, clRed, true, -10); }},
      {"pie -50 %", [&](TCanvas* C) { PaintPieChart(C, inside, clRed, true, -50); }},
      {"pie 150 %", [&](TCanvas* C) { PaintPieChart(C, inside, clRed, false, 150); }},
      {"pie min", [&](TCanvas* C) { PaintPieChart(C, inside, clRed, true, kMin); }},
      {"shape zero width", [&](TCanvas* C) { PaintCellShape(C, inside, clBlack, clRed, csCircle, 0, 10); }},
      {"shape negative height", [&](TCanvas* C) { PaintCellShape(C, inside, clBlack, clRed, csStar, 10, -4); }},
      {"shape larger than its rect", [&](TCanvas* C) {
         PaintCellShape(C, inside, clBlack, clRed, csArrowLeft, 500, 300);
       }},
      {"shape of no kind", [&](TCanvas* C) {
         PaintCellShape(C, inside, clBlack, clRed, static_cast<TCellShape>(77), 10, 10);
       }},
      {"progress far below", [&](TCanvas* C) {
         PaintProgressCell(C, inside, clRed, false, clBlack, u"", 1, 0, 100, -1e300, 0, 0, clBlack, clBlack, clYellow);
       }},
      {"progress far above", [&](TCanvas* C) {
         PaintProgressCell(C, inside, clRed, false, clBlack, u"", 1, 0, 100, 1e300, 0, 0, clBlack, clBlack, clYellow);
       }},
      {"progress infinite", [&](TCanvas* C) {
         PaintProgressCell(C, inside, clRed, false, clBlack, u"", 1, 0, HUGE_VAL, HUGE_VAL, 0, 0, clBlack, clBlack,
                           clYellow);
       }},
      {"progress not a number", [&](TCanvas* C) {
         PaintProgressCell(C, inside, clRed, false, clBlack, u"", 1, 0, 100, std::nan(""), 0, 0, clBlack, clBlack,
                           clYellow);
       }},
      {"progress inverted range", [&](TCanvas* C) {
         PaintProgressCell(C, inside, clRed, false, clBlack, u"", 1, 100, 0, 30, 0, 0, clBlack, clBlack, clYellow);
       }},
      {"progress margins wider than the rect", [&](TCanvas* C) {
         PaintProgressCell(C, inside, clRed, false, clBlack, u"", 1, 0, 100, 30, 40, 40, clBlack, clBlack, clYellow);
       }},
      {"level -50 %", [&](TCanvas* C) { PaintLevelProgressBar(C, inside, -50, LevelSettings(true)); }},
      {"level max %", [&](TCanvas* C) { PaintLevelProgressBar(C, inside, kMax, LevelSettings(false)); }},
      {"level steps above the width", [&](TCanvas* C) {
         TLevelProgressSettings s = LevelSettings(false);
         s.Steps = 1000;
         PaintLevelProgressBar(C, inside, 55, s);
       }},
      {"level stacked, levels out of order", [&](TCanvas* C) {
         TLevelProgressSettings s = LevelSettings(true);
         s.Stacked = true;
         s.Level1Perc = 150;
         s.Level2Perc = -20;
         PaintLevelProgressBar(C, inside, 100, s);
       }},
      {"button scale 0", [&](TCanvas* C) { PaintComboButtonPart(C, nullptr, inside, 0, TButtonLook{}, 0, 3); }},
      {"button scale huge", [&](TCanvas* C) { PaintSpinButtonPart(C, nullptr, inside, 1e9F, TButtonLook{}, 7, 9); }},
      {"button state and mode out of range", [&](TCanvas* C) {
         PaintThemedButton(C, nullptr, inside, u"x", false, TButtonLook{}, -1, 42);
       }},
  };
  for (const auto& [name, paint] : cases) {
    Blank();
    paint(Bmp.GetCanvas());
    EXPECT_EQ(InkOutside(inside), 0) << name;
  }
}

}  // namespace
