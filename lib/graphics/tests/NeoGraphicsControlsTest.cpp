// The facade's control drawings on both back ends (canvas and GDI+), read back by the pixels of
// the facade's own bitmap.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>

#include "GDIPlusClassesTestSupport.h"
#include "GraphicsTestSupport.h"
#include "lib/graphics/NeoGraphics.h"
#include "platform/win/Surface.h"

namespace {

class NeoGraphicsControls : public GdiplusUnitsSuite, public testing::WithParamInterface<bool> {
protected:
  // Every test starts with the default colours as the program starts with them.
  void SetUp() override {
    for (TColor* c : {&TNeoGraphics::DefaultGlyphColor, &TNeoGraphics::DefaultButtonStrokeColor,
                      &TNeoGraphics::DefaultButtonFillColor, &TNeoGraphics::DefaultButtonFocusedStrokeColor,
                      &TNeoGraphics::DefaultButtonFocusedFillColor, &TNeoGraphics::DefaultButtonDisabledStrokeColor,
                      &TNeoGraphics::DefaultButtonDisabledFillColor})
      *c = 0;
  }

  // A facade of the parameter's back end over its own white bitmap.
  std::unique_ptr<TNeoGraphics> Scene(int AWidth, int AHeight) {
    auto g = TNeoGraphics::CreateBitmapCanvas(AWidth, AHeight, GetParam());
    g->BeginScene();
    g->GetStroke()->SetKind(gskNone);
    g->SetFillColor(0xFFFFFF);
    g->DrawRectangle(0, 0, AWidth, AHeight);
    return g;
  }
};

// The pixel as a BGR colour, after the back end has finished drawing.
TColor PixelAt(TNeoGraphics& G, int AX, int AY) {
  G.EndScene();
  TSurface* surface = GetDCSurface(G.GetCanvas()->GetHandle());
  surface->Pixels();
  const std::uint32_t p = surface->Pixel(AX, AY);
  return static_cast<TColor>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

bool Near(TColor A, TColor B, int ATolerance = 8) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((A >> shift) & 0xFF) - static_cast<int>((B >> shift) & 0xFF)) > ATolerance)
      return false;
  return true;
}

// Pixels of the colour (within 24 per channel) inside the rectangle.
int CountNear(TNeoGraphics& G, const TRect& R, TColor AColor) {
  int n = 0;
  for (int y = R.top; y < R.bottom; ++y)
    for (int x = R.left; x < R.right; ++x)
      if (Near(PixelAt(G, x, y), AColor, 24)) ++n;
  return n;
}

constexpr TColor Face = 0xF8F8F8;   // the light grey lightened by 85 %
constexpr TColor DisabledFace = 0xD3D3D3;

struct CheckCase {
  bool Checked, Focused, Enabled;
  TColor Line, Face;
};

const CheckCase CheckCases[] = {
    {false, false, true, 0x000000, Face},       {true, false, true, 0x000000, Face},
    {false, true, true, 0xB48246, Face},        {true, true, true, 0xB48246, Face},
    {false, false, false, 0xA9A9A9, DisabledFace}, {true, false, false, 0xA9A9A9, DisabledFace},
    {false, true, false, 0xA9A9A9, DisabledFace},  {true, true, false, 0xA9A9A9, DisabledFace},
};

TEST_P(NeoGraphicsControls, CheckBoxAndRadioButtonInEveryState) {
  for (const CheckCase& c : CheckCases) {
    SCOPED_TRACE(testing::Message() << "checked " << c.Checked << " focused " << c.Focused << " enabled "
                                    << c.Enabled);
    auto g = Scene(60, 30);
    g->DrawCheckBox(TRect{0, 0, 30, 30}, c.Checked, c.Focused, c.Enabled);
    g->DrawRadioButton(TRectF{30, 0, 60, 30}, c.Checked, c.Focused, c.Enabled);
    // The frame one pixel in, the face inside it, the mark in the middle only when checked.
    for (int left : {0, 30}) {
      EXPECT_TRUE(Near(PixelAt(*g, left + 1, 15), c.Line, 48)) << std::hex << PixelAt(*g, left + 1, 15);
      EXPECT_TRUE(Near(PixelAt(*g, left + 3, 15), c.Face)) << std::hex << PixelAt(*g, left + 3, 15);
      EXPECT_TRUE(Near(PixelAt(*g, left + 15, 15), c.Checked ? c.Line : c.Face, 48))
          << std::hex << PixelAt(*g, left + 15, 15);
    }
    // The radio button's corners stay outside its circle.
    EXPECT_EQ(PixelAt(*g, 31, 1), 0xFFFFFF);
    // The mark's stroke and the facade's state are left as the drawing set them.
    EXPECT_EQ(g->GetStroke()->GetWidth(), 2);
    EXPECT_EQ(g->GetStroke()->GetColor(), c.Line);
    EXPECT_EQ(g->GetFill()->GetColor(), c.Line);
  }
}

TEST_P(NeoGraphicsControls, StrokeWidthTwoStaysAfterACheckBox) {
  auto g = Scene(20, 20);
  g->SetStrokeWidth(5);
  g->DrawCheckBox(TRectF{0, 0, 20, 20}, false, false, true);
  EXPECT_EQ(g->GetStroke()->GetWidth(), 2);
}

struct ProgressCase {
  const char* Name;
  Single Value, Max;
  bool ShowText;
  int BarPixelsMin, BarPixelsMax;   // pixels of the bar colour in the middle row
  bool Text;
};

TEST_P(NeoGraphicsControls, ProgressBarLimitsItsValueAndNeedsAMaximum) {
  constexpr TColor Bar = 0x00A000, Text = 0x0000FF, Frame = 0xA9A9A9, Empty = 0xF4F4F4;
  const ProgressCase cases[] = {
      {"no maximum", 50, 0, true, 0, 0, false},
      // A full bar reaches over the frame's right side.
      {"above the maximum", 150, 100, false, 99, 99, false},
      {"below zero", -5, 100, false, 0, 0, false},
      {"half", 50, 100, false, 49, 50, false},
      {"half with text", 50, 100, true, 30, 50, true},
  };
  for (const ProgressCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto g = Scene(100, 20);
    g->SetFontName(u"DejaVu Sans");
    g->SetFontSize(8);
    g->DrawProgressBar(TRect{0, 0, 100, 20}, c.Value, u"%.0f%%", c.Max, Bar, Text, c.ShowText, true);
    EXPECT_TRUE(Near(PixelAt(*g, 0, 10), Frame, 48)) << std::hex << PixelAt(*g, 0, 10);
    const int bar = CountNear(*g, TRect{0, 10, 100, 11}, Bar);
    EXPECT_GE(bar, c.BarPixelsMin);
    EXPECT_LE(bar, c.BarPixelsMax);
    if (c.Max == 0) {
      EXPECT_TRUE(Near(PixelAt(*g, 50, 10), Empty)) << std::hex << PixelAt(*g, 50, 10);
    }
    EXPECT_EQ(CountNear(*g, TRect{1, 1, 99, 19}, Text) > 0, c.Text);
  }
}

TEST_P(NeoGraphicsControls, ButtonColoursByState) {
  struct ButtonCase {
    bool Down, Focused, Enabled;
    TColor Frame, Face;
  };
  const ButtonCase cases[] = {
      {false, false, true, 0xA9A9A9, 0xE1E1E1},
      {false, true, true, 0xB17F3C, 0xFBF1E5},
      {false, false, false, 0xA9A9A9, 0xD3D3D3},
      // Pressed: the face takes the frame colour lightened by 40 %.
      {true, false, true, 0xA9A9A9, 0xCBCBCB},
      {true, true, true, 0xB17F3C, 0xC8B28A},
  };
  for (const ButtonCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "down " << c.Down << " focused " << c.Focused << " enabled " << c.Enabled);
    auto g = Scene(30, 20);
    g->DrawButton(TRect{0, 0, 30, 20}, c.Down, c.Focused, c.Enabled, false);
    EXPECT_TRUE(Near(PixelAt(*g, 0, 10), c.Frame, 48)) << std::hex << PixelAt(*g, 0, 10);
    EXPECT_TRUE(Near(PixelAt(*g, 15, 10), c.Face)) << std::hex << PixelAt(*g, 15, 10);
    EXPECT_EQ(g->GetStroke()->GetKind(), gskNone);
  }
}

TEST_P(NeoGraphicsControls, GlyphButtonsShowTheirPictureOnTheFace) {
  auto g = Scene(100, 20);
  g->DrawCloseButton(TRect{0, 0, 20, 20}, false, false, true, false);
  g->DrawExpanderButton(TRect{20, 0, 40, 20}, gesCollapsed, false, false, true, false);
  g->DrawCompactButton(TRect{40, 0, 60, 20}, gcsExpanded, false, false, true, false);
  g->DrawDropDownButton(TRect{60, 0, 100, 20}, false, false, true, false, false);
  // The glyphs are black on the face; the face around them is kept (the glyphs have alpha).
  EXPECT_GT(CountNear(*g, TRect{2, 2, 18, 18}, 0), 10);
  EXPECT_GT(CountNear(*g, TRect{22, 2, 38, 18}, 0), 5);
  EXPECT_GT(CountNear(*g, TRect{42, 2, 58, 18}, 0), 5);
  EXPECT_TRUE(Near(PixelAt(*g, 3, 10), 0xE1E1E1)) << std::hex << PixelAt(*g, 3, 10);
  EXPECT_TRUE(Near(PixelAt(*g, 30, 3), 0xE1E1E1)) << std::hex << PixelAt(*g, 30, 3);
  // The dropdown glyph goes to the right end: the last 7 + 10 pixels.
  EXPECT_EQ(CountNear(*g, TRect{62, 2, 83, 18}, 0), 0);
  EXPECT_GT(CountNear(*g, TRect{83, 2, 100, 18}, 0), 10);
}

TEST_P(NeoGraphicsControls, DropDownGlyphCentredOnRequestOrInANarrowButton) {
  for (const TRect& r : {TRect{0, 0, 60, 20}, TRect{0, 0, 16, 20}}) {
    auto g = Scene(60, 20);
    g->DrawDropDownButton(r, false, false, true, r.right == 60, false);
    const int mid = r.right / 2;
    EXPECT_GT(CountNear(*g, TRect{mid - 4, 2, mid + 4, 18}, 0), 10) << r.right;
    EXPECT_EQ(CountNear(*g, TRect{mid + 5, 2, r.right - 1, 18}, 0), 0) << r.right;
  }
}

TEST_P(NeoGraphicsControls, StyleAdaptedButtonsAreBlackBeforeTheDefaultColoursAreSet) {
  auto g = Scene(40, 20);
  g->DrawCloseButton(TRect{0, 0, 20, 20}, false, false, true, true);
  g->DrawExpanderButton(TRect{20, 0, 40, 20}, gesExpanded, false, true, true, true);
  // Frame, face and glyph: all black (the glyph's white ground is transparent).
  EXPECT_EQ(CountNear(*g, TRect{0, 0, 40, 20}, 0), 40 * 20);
}

TEST_P(NeoGraphicsControls, StyleAdaptedButtonsTakeTheDefaultColours) {
  TNeoGraphics::SetDefaultGraphicColors();
  EXPECT_EQ(TNeoGraphics::DefaultGlyphColor, 0);
  EXPECT_EQ(TNeoGraphics::DefaultButtonStrokeColor, 0xA9A9A9);
  EXPECT_EQ(TNeoGraphics::DefaultButtonFillColor, 0xE1E1E1);
  EXPECT_EQ(TNeoGraphics::DefaultButtonFocusedStrokeColor, 0xB17F3C);
  EXPECT_EQ(TNeoGraphics::DefaultButtonFocusedFillColor, 0xFBF1E5);
  EXPECT_EQ(TNeoGraphics::DefaultButtonDisabledStrokeColor, 0xA9A9A9);
  EXPECT_EQ(TNeoGraphics::DefaultButtonDisabledFillColor, 0xD3D3D3);
  TNeoGraphics::DefaultGlyphColor = 0x0000FF;
  TNeoGraphics::DefaultButtonFillColor = 0x00FF00;
  auto g = Scene(20, 20);
  g->DrawCloseButton(TRect{0, 0, 20, 20}, false, false, true, true);
  EXPECT_TRUE(Near(PixelAt(*g, 0, 10), 0xA9A9A9, 48)) << std::hex << PixelAt(*g, 0, 10);
  EXPECT_GT(CountNear(*g, TRect{2, 2, 18, 18}, 0x0000FF), 10);
  EXPECT_GT(CountNear(*g, TRect{2, 2, 18, 18}, 0x00FF00), 100);
}

TEST_P(NeoGraphicsControls, BadRectanglesDrawNothingAndRaiseNothing) {
  const Single nan = std::numeric_limits<Single>::quiet_NaN();
  auto g = Scene(20, 20);
  g->DrawCheckBox(TRectF{nan, 0, 20, 20}, true, false, true);
  g->DrawRadioButton(TRectF{0, 0, nan, 20}, true, false, true);
  g->DrawButton(TRectF{20, 20, 0, 0}, false, false, true, false);
  g->DrawProgressBar(TRectF{0, nan, 20, 20}, 5, u"%.0f", 10, 0, 0, false, true);
  EXPECT_EQ(CountNear(*g, TRect{0, 0, 20, 20}, 0xFFFFFF), 400);
  auto empty = TNeoGraphics::CreateBitmapCanvas(0, 0, GetParam());
  EXPECT_NO_THROW(empty->DrawCloseButton(TRect{0, 0, 20, 20}, true, true, true, true));
  EXPECT_NO_THROW(empty->DrawProgressBar(TRect{0, 0, 20, 20}, 5, u"%.0f", 10, 0, 0, true, true));
}

INSTANTIATE_TEST_SUITE_P(BothContexts, NeoGraphicsControls, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& AInfo) { return AInfo.param ? "GdiPlus" : "Canvas"; });

class NeoGraphicsSample : public GraphicsUnitsSuite {};

TEST_F(NeoGraphicsSample, GradientFramedInDarkBlueWithWhiteText) {
  TBitmap bitmap;
  bitmap.SetSize(200, 60);
  TNeoGraphics::DrawSample(bitmap.GetCanvas(), TRectF{0, 0, 200, 60});
  TNeoGraphics::DrawSample(nullptr, TRectF{0, 0, 200, 60});
  TSurface* surface = GetDCSurface(bitmap.GetCanvas()->GetHandle());
  auto bgr = [&](int x, int y) {
    const std::uint32_t p = surface->Pixel(x, y);
    return static_cast<TColor>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
  };
  EXPECT_EQ(bgr(0, 30), 0x8B0000);
  EXPECT_NE(bgr(100, 2), bgr(100, 57));   // a gradient from top to bottom
  int white = 0;
  for (int x = 40; x < 160; ++x) white += bgr(x, 30) == 0xFFFFFF;
  EXPECT_GT(white, 3);
}

}  // namespace
