// The progress bar of cells by exact pixels, and the button parts in their four modes and four
// states against golden pictures (themed and with the theme switched off).
#include <gtest/gtest.h>

#include <string>

#include "lib/base/NeoXPVS.h"
#include "lib/gridutil/NeoGridUtilPaint.h"
#include "lib/gridutil/testsupport/GridUtilGolden.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Headless.h"
#include "platform/win/UxTheme.h"

namespace {

class GridUtilParts : public ::testing::Test {
protected:
  void SetUp() override {
    Headless::Use();
    RegisterThemeLibrary();
    NeoXPVS::LoadThemeApi();
    Blank(100, 20);
  }
  void TearDown() override { SetThemeActive(true); }
  void Blank(Integer W, Integer H) {
    Bmp.SetPixelFormat(pf24bit);
    Bmp.SetSize(W, H);
    C()->GetBrush()->SetStyle(bsSolid);
    C()->GetBrush()->SetColor(clWhite);
    C()->FillRect(TRect{0, 0, W, H});
  }
  TCanvas* C() { return Bmp.GetCanvas(); }
  TColor At(Integer X, Integer Y) { return C()->GetPixels(X, Y); }
  // The columns of row Y whose pixel has colour Color.
  Integer CountInRow(Integer Y, TColor Color) {
    Integer n = 0;
    for (Integer x = 0; x < Bmp.GetWidth(); ++x) n += At(x, Y) == Color;
    return n;
  }
  // Saves the bitmap under the test output and compares it with the golden picture (2 per channel).
  void ExpectGolden(const char* Name) { gridutil_test::ExpectGolden(Bmp, Name, 2); }
  // Rows of the three routines, each in the four states of one mode.
  void ButtonSheet() {
    Blank(4 * 70, 4 * 3 * 26);
    TButtonLook look;
    const TColor brushes[4] = {0xF0E0D0, 0xFFD0A0, 0xD09060, 0xE0E0E0};
    for (Integer s = 0; s < 4; ++s) look.States[s] = TButtonLookColors{brushes[s], s == 3 ? clGray : clNavy};
    for (Integer mode = 0; mode < 4; ++mode)
      for (Integer state = 0; state < 4; ++state) {
        Integer x = state * 70, y = mode * 78;
        PaintComboButtonPart(C(), nullptr, TRect{x + 2, y + 2, x + 60, y + 24}, 1.0F, look, state, mode);
        PaintThemedButton(C(), nullptr, TRect{x + 2, y + 28, x + 66, y + 52}, u"&Ok", true, look, state, mode);
        PaintSpinButtonPart(C(), nullptr, TRect{x + 2, y + 54, x + 60, y + 76}, 1.5F, look, state, mode);
      }
  }

  TBitmap Bmp;
};

TEST_F(GridUtilParts, ProgressFillsItsShareAndSplitsTheText) {
  struct TCase {
    Double Value;
    Integer Filled;   // columns of a row in the bar colour (the texts drawn in the bar's own colours)
  };
  // The bar lies in 100 - 2 x 2 margins = 96 columns less the frame: 94 columns.
  for (TCase c : {TCase{0, 0}, TCase{37, 35}, TCase{100, 94}, TCase{150, 94}, TCase{-5, 0}}) {
    Blank(100, 20);
    PaintProgressCell(C(), TRect{0, 0, 100, 20}, clLime, false, clBlack, u"", 1, 0, 100, c.Value, 2, 2, clLime,
                      clYellow, clYellow);
    EXPECT_EQ(CountInRow(10, clLime), c.Filled) << c.Value;
    EXPECT_EQ(CountInRow(10, clYellow), 94 - c.Filled) << c.Value;
    EXPECT_EQ(At(2, 2), clBlack) << "frame";
    EXPECT_EQ(At(1, 1), clWhite) << "margin";
  }
  // 50 %: the text is drawn in red over the bar and in blue over the rest; both halves show ink.
  Blank(100, 20);
  PaintProgressCell(C(), TRect{0, 0, 100, 20}, clLime, false, clNone, u"", 1, 0, 100, 50, 0, 0, clRed, clBlue,
                    clYellow);
  Integer red = 0, blue = 0, redRight = 0, blueLeft = 0;
  for (Integer y = 0; y < 20; ++y)
    for (Integer x = 0; x < 100; ++x) {
      // Anti-aliased text: a pixel leaning to red or to blue.
      COLORREF p = ColorToRGB(At(x, y));
      Integer r = GetRValue(p), g = GetGValue(p), b = GetBValue(p);
      bool isRed = r > g + 60 && r > b + 60, isBlue = b > r + 60 && b > g + 60;
      red += isRed, blue += isBlue;
      redRight += isRed && x >= 50;
      blueLeft += isBlue && x < 50;
    }
  EXPECT_GT(red, 0);
  EXPECT_GT(blue, 0);
  EXPECT_EQ(redRight, 0);
  EXPECT_EQ(blueLeft, 0);
}

TEST_F(GridUtilParts, ProgressTextFormatsAndAnEmptyRange) {
  // The text itself is measured through the ink of a lone draw: a format's text is wider than "0%".
  auto inkWidth = [&](const String& Format, Double Divisor, Double Min, Double Max, Double Value) {
    Blank(100, 20);
    PaintProgressCell(C(), TRect{0, 0, 100, 20}, clWhite, false, clNone, Format, Divisor, Min, Max, Value, 0, 0,
                      clBlack, clBlack, clWhite);
    Integer left = 100, right = -1;
    for (Integer y = 0; y < 20; ++y)
      for (Integer x = 0; x < 100; ++x)
        if (At(x, y) != clWhite) left = std::min(left, x), right = std::max(right, x);
    return right - left + 1;
  };
  Integer percent = inkWidth(u"", 1, 0, 100, 0);
  EXPECT_GT(percent, 0);
  EXPECT_EQ(inkWidth(u"", 1, 5, 5, 7), percent) << "an empty range shows 0%";
  EXPECT_EQ(inkWidth(u"%d%%", 10, 0, 1000, 3), percent) << "3 / 10 as an integer is 0";
  EXPECT_GT(inkWidth(u"%.2f", 10, 0, 1000, 3), percent) << "0.30";
  EXPECT_EQ(inkWidth(u"%.2f", 0, 0, 1000, 3), inkWidth(u"%.2f", 1, 0, 1000, 3)) << "divisor 0 divides by 1";
}

TEST_F(GridUtilParts, ButtonPartsThemedMatchGolden) {
  ButtonSheet();
  ExpectGolden("buttonparts-themed.png");
}

TEST_F(GridUtilParts, ButtonPartsClassicMatchGolden) {
  SetThemeActive(false);
  ButtonSheet();
  ExpectGolden("buttonparts-classic.png");
}

TEST_F(GridUtilParts, ButtonPartsKeepToTheirWidths) {
  TButtonLook look;
  look.States[0] = TButtonLookColors{clRed, clRed};
  Blank(100, 20);
  PaintComboButtonPart(C(), nullptr, TRect{0, 0, 100, 20}, 1.5F, look, 0, bpmCustom);
  EXPECT_EQ(CountInRow(1, clRed), 24);
  EXPECT_EQ(At(75, 1), clWhite);
  Blank(100, 20);
  PaintSpinButtonPart(C(), nullptr, TRect{0, 0, 100, 20}, 1.0F, look, 0, bpmCustom);
  EXPECT_EQ(CountInRow(1, clRed), 15);
  EXPECT_EQ(At(90, 9), clRed) << "the up button's bottom edge at the middle - 1";
  EXPECT_EQ(At(90, 10), clRed) << "the down button's top edge at the middle";
  PaintComboButtonPart(nullptr, nullptr, TRect{0, 0, 10, 10}, 1, look, 0, 0);
  PaintThemedButton(nullptr, nullptr, TRect{0, 0, 10, 10}, u"x", false, look, 0, 0);
  PaintSpinButtonPart(nullptr, nullptr, TRect{0, 0, 10, 10}, 1, look, 0, 0);
  PaintProgressCell(nullptr, TRect{0, 0, 10, 10}, clRed, false, clNone, u"", 1, 0, 1, 1, 0, 0, clRed, clRed, clRed);
}

}  // namespace
