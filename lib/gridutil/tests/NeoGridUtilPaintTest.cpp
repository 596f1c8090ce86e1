#include "lib/gridutil/NeoGridUtilPaint.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/StdCtrls.h"
#include "platform/win/Headless.h"

namespace {

constexpr TColor kBack = 0xFFFFFF;

TColor Rgb(Integer R, Integer G, Integer B) { return R | (G << 8) | (B << 16); }

class GridUtilPaint : public ::testing::Test {
protected:
  void SetUp() override {
    Headless::Use();
    Blank(80, 40);
  }
  void Blank(Integer W, Integer H) {
    Bmp.SetPixelFormat(pf24bit);
    Bmp.SetSize(W, H);
    C()->GetBrush()->SetStyle(bsSolid);
    C()->GetBrush()->SetColor(kBack);
    C()->FillRect(TRect{0, 0, W, H});
  }
  TCanvas* C() { return Bmp.GetCanvas(); }
  TColor At(Integer X, Integer Y) { return C()->GetPixels(X, Y); }
  // The smallest rectangle of pixels that differ from the background (empty when none).
  TRect Ink() {
    TRect box{Bmp.GetWidth(), Bmp.GetHeight(), 0, 0};
    for (Integer y = 0; y < Bmp.GetHeight(); ++y)
      for (Integer x = 0; x < Bmp.GetWidth(); ++x)
        if (At(x, y) != kBack) {
          box.left = std::min(box.left, x);
          box.top = std::min(box.top, y);
          box.right = std::max(box.right, x + 1);
          box.bottom = std::max(box.bottom, y + 1);
        }
    return box.right <= box.left ? TRect{} : box;
  }
  void Save(const char* Name) {
    TPngImage png;
    png.Assign(&Bmp);
    png.SaveToFile(UTF8ToString(std::string(ZELK_TEST_OUTPUT) + "/" + Name));
  }
  TBitmap Bmp;
};

TEST_F(GridUtilPaint, GradientBandsFollowTheTruncatedOffsets) {
  // Width 65: size 64. With 16 steps each band starts at 4 i and is 5 long, the next overwriting it.
  PaintGradientRect(C(), clBlack, clRed, true, TRect{0, 0, 65, 10}, 16);
  EXPECT_EQ(At(0, 5), Rgb(0, 0, 0));
  EXPECT_EQ(At(3, 5), Rgb(0, 0, 0));
  EXPECT_EQ(At(4, 5), Rgb(16, 0, 0));   // N(255 / 16)
  EXPECT_EQ(At(63, 5), Rgb(239, 0, 0)); // N(15 x 255 / 16)
  EXPECT_EQ(At(64, 5), Rgb(255, 0, 0));
  EXPECT_EQ(At(65, 5), kBack);
  // One step (steps 0 is raised to 1): colour from over the first 64 pixels, colour to on the last.
  Blank(80, 40);
  PaintGradientRect(C(), clBlack, clRed, true, TRect{0, 0, 65, 10}, 0);
  EXPECT_EQ(At(63, 5), Rgb(0, 0, 0));
  EXPECT_EQ(At(64, 5), Rgb(255, 0, 0));
  // Vertical, reversed rect, steps above the size (size 8 -> 8 steps, bands 2 long at i).
  Blank(80, 40);
  PaintGradientRect(C(), clBlack, clRed, false, TRect{0, 9, 10, 0}, 64);
  EXPECT_EQ(At(5, 0), Rgb(0, 0, 0));
  EXPECT_EQ(At(5, 4), Rgb(128, 0, 0));  // N(4 x 255 / 8) = N(127.5), halves to even
  EXPECT_EQ(At(5, 8), Rgb(255, 0, 0));
  EXPECT_EQ(At(5, 9), kBack);
  // Empty and clNone: nothing, or the other colour plainly.
  Blank(80, 40);
  PaintGradientRect(C(), clBlack, clRed, true, TRect{0, 5, 20, 5}, 4);
  PaintGradientRect(C(), clNone, clNone, true, TRect{0, 0, 20, 5}, 4);
  EXPECT_EQ(Ink(), TRect{});
  PaintGradientRect(C(), clNone, clBlue, true, TRect{0, 0, 20, 5}, 4);
  EXPECT_EQ(At(0, 0), clBlue);
  EXPECT_EQ(At(19, 4), clBlue);
}

TEST_F(GridUtilPaint, ColourArithmetic) {
  EXPECT_EQ(BlendStepColor(clBlack, clRed, 0, 5, 10), Rgb(128, 0, 0));
  EXPECT_EQ(BlendStepColor(Rgb(10, 200, 0), Rgb(20, 100, 0), 0, 10, 10), Rgb(20, 100, 0));
  EXPECT_EQ(BlendStepColor(Rgb(10, 20, 30), clNone, 0, 5, 10), Rgb(10, 20, 30));
  EXPECT_EQ(BlendStepColor(Rgb(10, 20, 30), clRed, 4, 5, 4), Rgb(10, 20, 30));  // no division by zero
  EXPECT_EQ(HalveColor(Rgb(201, 100, 1)), Rgb(100, 50, 0));
  struct Case {
    Integer Percent;
    TColor Expected;
  };
  for (const Case& c : {Case{-50, Rgb(100, 50, 0)}, Case{0, Rgb(200, 100, 0)}, Case{50, Rgb(255, 150, 0)},
                        Case{200, Rgb(255, 255, 0)}, Case{-300, Rgb(0, 0, 0)}})
    EXPECT_EQ(ShiftColorPercent(Rgb(200, 100, 0), c.Percent), c.Expected) << c.Percent;
}

TEST_F(GridUtilPaint, TabShapeCornersOutlineAndInside) {
  // Rect 20 x 12: right becomes 19, bottom 10.
  PaintTabShape(C(), clYellow, clNone, 0, TRect{0, 0, 20, 12}, clGreen, clRed, clBlue, clAqua, clBlack, clNone,
                clNone);
  EXPECT_EQ(At(0, 0), clBlue);   // outer
  EXPECT_EQ(At(1, 0), clRed);    // corner
  EXPECT_EQ(At(0, 1), clRed);
  EXPECT_EQ(At(1, 1), clRed);
  EXPECT_EQ(At(2, 0), clBlack);  // top edge after the curve
  EXPECT_EQ(At(16, 0), clBlack);
  EXPECT_EQ(At(18, 0), clBlue);  // right outer
  EXPECT_EQ(At(0, 5), clBlack);  // left edge
  EXPECT_EQ(At(18, 5), clBlack); // right edge at right - 1
  EXPECT_EQ(At(0, 10), clBlue);
  EXPECT_EQ(At(5, 10), clBlack); // bottom edge
  EXPECT_EQ(At(1, 3), clAqua);   // left inner line, upper half
  EXPECT_EQ(At(1, 8), clGreen);  // lower half
  EXPECT_EQ(At(5, 9), clGreen);  // line along bottom - 1
  EXPECT_EQ(At(2, 2), clYellow);
  EXPECT_EQ(At(16, 8), clYellow);
  EXPECT_EQ(At(19, 5), kBack);
  EXPECT_EQ(At(5, 11), kBack);
  // Kind 3 draws no curve: the top edge runs to the corners.
  Blank(80, 40);
  PaintTabShape(C(), clYellow, clNone, 3, TRect{0, 0, 20, 12}, clGreen, clRed, clBlue, clAqua, clBlack, clNone,
                clNone);
  EXPECT_EQ(At(0, 0), clBlack);
  EXPECT_EQ(At(18, 0), clBlack);
  // Kind 1: only the left side curves.
  Blank(80, 40);
  PaintTabShape(C(), clYellow, clNone, 1, TRect{0, 0, 20, 12}, clGreen, clRed, clBlue, clAqua, clBlack, clNone,
                clNone);
  EXPECT_EQ(At(0, 0), clBlue);
  EXPECT_EQ(At(18, 0), clBlack);
}

TEST_F(GridUtilPaint, DropTriangleAndFill) {
  PaintDropTriangle(C(), 10, 10, clBlack);
  const char* rows[] = {"######", ".####.", "..##.."};
  for (Integer y = 0; y < 3; ++y)
    for (Integer x = 0; x < 6; ++x)
      EXPECT_EQ(At(10 + x, 10 + y), rows[y][x] == '#' ? clBlack : kBack) << x << "," << y;
  EXPECT_EQ(Ink(), (TRect{10, 10, 16, 13}));
  FillRectColor(C(), TRect{30, 5, 25, 9}, clRed);  // inverted: nothing
  FillRectColor(C(), TRect{30, 5, 40, 9}, clNone);
  EXPECT_EQ(Ink(), (TRect{10, 10, 16, 13}));
  FillRectColor(C(), TRect{30, 5, 40, 9}, clRed);
  EXPECT_EQ(Ink(), (TRect{10, 5, 40, 13}));
}

TEST_F(GridUtilPaint, BalanceBarGrowsFromTheCentre) {
  // Inner rect 2..42 (width 40, half 20, centre 22).
  struct Case {
    Integer Value;
    TRect Bar;
    TColor Color;
  };
  for (const Case& c : {Case{5, {22, 2, 32, 12}, clGreen}, Case{-5, {12, 2, 22, 12}, clRed},
                        Case{50, {22, 2, 42, 12}, clGreen}, Case{-50, {2, 2, 22, 12}, clRed}}) {
    Blank(80, 40);
    PaintBalanceBar(C(), TRect{0, 0, 44, 14}, c.Value, clGreen, clRed, false, 10);
    EXPECT_EQ(Ink(), c.Bar) << c.Value;
    EXPECT_EQ(At(c.Bar.left, 5), c.Color) << c.Value;
  }
  // A zero maximum paints an empty bar, text included.
  Blank(80, 40);
  PaintBalanceBar(C(), TRect{0, 0, 44, 14}, 3, clGreen, clRed, true, 0);
  EXPECT_EQ(Ink(), TRect{});
  // The text sits centred over the bar.
  C()->GetFont()->SetName(u"DejaVu Sans");
  C()->GetFont()->SetColor(clBlack);
  PaintBalanceBar(C(), TRect{0, 0, 60, 24}, 0, clGreen, clRed, true, 10);
  TRect ink = Ink();
  EXPECT_GT(ink.right, ink.left);
  EXPECT_LE(std::abs((ink.left + ink.right) - 60), 3);
}

TEST_F(GridUtilPaint, PieSectorIsFloodFilled) {
  auto paint = [&](Integer Percent, bool Up) {
    Blank(80, 40);
    PaintPieChart(C(), TRect{0, 0, 31, 31}, clBlue, Up, Percent);
  };
  paint(0, true);
  EXPECT_EQ(At(15, 0), 0x808080);   // the circle
  EXPECT_EQ(At(15, 8), 0x808080);   // the radius up
  EXPECT_EQ(At(20, 10), kBack);
  paint(25, true);                   // upper right quadrant
  EXPECT_EQ(At(20, 10), clBlue);
  EXPECT_EQ(At(10, 10), kBack);
  EXPECT_EQ(At(20, 20), kBack);
  EXPECT_EQ(At(40, 10), kBack);      // nothing leaks outside
  paint(25, false);                  // the other way round
  EXPECT_EQ(At(10, 10), clBlue);
  EXPECT_EQ(At(20, 10), kBack);
  paint(99, true);
  EXPECT_EQ(At(10, 10), clBlue);
  EXPECT_EQ(At(20, 20), clBlue);
  EXPECT_EQ(At(20, 10), clBlue);
  EXPECT_EQ(At(40, 10), kBack);
  Save("gridutil-pie.png");
}

TEST_F(GridUtilPaint, CellShapesStayInTheirCentredBox) {
  struct Case {
    TCellShape Shape;
    TRect Box;
  };
  // Rect 0..40 x 0..30, figure 20 x 10: box 10..30 x 10..20; the round ones 10 x 10: 15..25.
  const Case cases[] = {
      {csRectangle, {10, 10, 30, 20}},   {csCircle, {15, 10, 25, 20}},      {csTriangleLeft, {10, 10, 30, 20}},
      {csTriangleRight, {10, 10, 30, 20}}, {csTriangleUp, {10, 10, 30, 20}}, {csTriangleDown, {10, 10, 30, 20}},
      {csDiamond, {10, 10, 30, 20}},     {csLineVert, {19, 10, 20, 20}},    {csLineHorz, {10, 14, 30, 15}},
      {csRoundRect, {10, 10, 30, 20}},   {csEllips, {10, 10, 30, 20}},      {csSquare, {15, 10, 25, 20}},
      {csRoundSquare, {15, 10, 25, 20}}, {csStar, {10, 10, 30, 20}},        {csArrowUp, {10, 10, 30, 20}},
      {csArrowDown, {10, 10, 30, 20}},   {csArrowLeft, {10, 10, 30, 20}},   {csArrowRight, {10, 10, 30, 20}},
      {csHalfStar, {10, 10, 21, 20}},
  };
  TBitmap sheet;
  sheet.SetPixelFormat(pf24bit);
  sheet.SetSize(40 * 19, 30);
  sheet.GetCanvas()->GetBrush()->SetColor(kBack);
  sheet.GetCanvas()->FillRect(TRect{0, 0, 40 * 19, 30});
  for (const Case& c : cases) {
    Blank(40, 30);
    PaintCellShape(C(), TRect{0, 0, 40, 30}, clBlack, clYellow, c.Shape, 20, 10);
    TRect ink = Ink();
    EXPECT_GE(ink.left, c.Box.left) << c.Shape;
    EXPECT_GE(ink.top, c.Box.top) << c.Shape;
    EXPECT_LE(ink.right, c.Box.right) << c.Shape;
    EXPECT_LE(ink.bottom, c.Box.bottom) << c.Shape;
    // Each figure reaches at least two opposite sides of its box.
    EXPECT_TRUE((ink.left == c.Box.left && ink.right == c.Box.right) ||
                (ink.top == c.Box.top && ink.bottom == c.Box.bottom))
        << c.Shape;
    sheet.GetCanvas()->CopyRect(TRect{40 * c.Shape, 0, 40 * c.Shape + 40, 30}, C(), TRect{0, 0, 40, 30});
  }
  // The filled figures show the brush inside and the pen on the outline.
  Blank(40, 30);
  PaintCellShape(C(), TRect{0, 0, 40, 30}, clBlack, clYellow, csRectangle, 20, 10);
  EXPECT_EQ(At(10, 10), clBlack);
  EXPECT_EQ(At(20, 15), clYellow);
  Blank(40, 30);
  PaintCellShape(C(), TRect{0, 0, 40, 30}, clBlack, clYellow, csTriangleUp, 20, 10);
  EXPECT_EQ(At(10, 10), kBack);
  EXPECT_EQ(At(19, 17), clYellow);
  TPngImage png;
  png.Assign(&sheet);
  png.SaveToFile(UTF8ToString(std::string(ZELK_TEST_OUTPUT) + "/gridutil-shapes.png"));
}

TEST_F(GridUtilPaint, NilCanvasAndDegenerateRectsAreHarmless) {
  PaintGradientRect(nullptr, clBlack, clRed, true, TRect{0, 0, 10, 10}, 4);
  PaintFacedRect(nullptr, TRect{0, 0, 10, 10}, clRed, true, false, clBlack, true, clNone, clNone, clBlue);
  PaintTabShape(nullptr, clRed, clNone, 0, TRect{0, 0, 10, 10}, clRed, clRed, clRed, clRed, clRed, clNone, clNone);
  FillRectColor(nullptr, TRect{0, 0, 10, 10}, clRed);
  PaintDropTriangle(nullptr, 0, 0, clRed);
  PaintBalanceBar(nullptr, TRect{0, 0, 10, 10}, 1, clRed, clRed, true, 5);
  PaintPieChart(nullptr, TRect{0, 0, 10, 10}, clRed, true, 50);
  PaintCellShape(nullptr, TRect{0, 0, 10, 10}, clRed, clRed, csStar, 5, 5);
  PaintBalanceBar(C(), TRect{10, 10, 12, 12}, 1, clRed, clRed, true, 5);
  PaintPieChart(C(), TRect{20, 20, 10, 10}, clRed, true, 50);
  PaintCellShape(C(), TRect{0, 0, 40, 30}, clBlack, clYellow, csStar, 0, 10);
  PaintGradientRect(C(), clBlack, clRed, true, TRect{30, 0, 20, 10}, 4);
  EXPECT_EQ(Ink(), TRect{});
}

TEST(GridUtilDpi, ControlDpiScaleFollowsTheScaledFormsMonitor) {
  Headless::Use();
  Headless::SetDpi(144);
  {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    auto* box = new TEdit(&form);
    box->SetParent(panel);
    EXPECT_FLOAT_EQ(ControlDpiScale(box), 1.5F);
    EXPECT_FLOAT_EQ(ControlDpiScale(&form), 1.5F);
    form.SetScaled(false);
    EXPECT_FLOAT_EQ(ControlDpiScale(box), 1.0F);
    TEdit loose(nullptr);
    EXPECT_FLOAT_EQ(ControlDpiScale(&loose), 1.0F);
    EXPECT_FLOAT_EQ(ControlDpiScale(nullptr), 1.0F);
  }
  Headless::Reset();
}

}  // namespace
