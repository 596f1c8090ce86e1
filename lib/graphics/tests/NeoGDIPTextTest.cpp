// The NeoGDIP drawing surface: text, fonts from class-library fonts, shapes, transforms and clipping.
#include <gtest/gtest.h>

#include <memory>

#include "lib/graphics/tests/NeoGDIPTestSupport.h"
#include "lib/graphics/tests/TestColors.h"
#include "platform/ui/Graphics.h"

namespace NeoGDIP {
namespace {

// A white bitmap and a surface over it.
class NeoGDIPSurfaceTest : public NeoGDIPTest {
protected:
  void SetUp() override {
    NeoGDIPTest::SetUp();
    Bitmap.reset(new TGPBitmap(160, 60));
    Surface.reset(TGPGraphics::FromImage(Bitmap.get()));
    ASSERT_EQ(Surface->Clear(White), Ok);
    Font.SetName(u"DejaVu Sans");
    Font.SetSize(12);
    Font.SetColor(clBlack);
  }
  void TearDown() override {
    Surface.reset();
    Bitmap.reset();
    NeoGDIPTest::TearDown();
  }
  ARGB Pixel(Integer X, Integer Y) {
    Surface->Flush();
    ARGB color = 0;
    Bitmap->GetPixel(X, Y, color);
    return color;
  }
  TRect Ink() {
    Surface->Flush();
    return InkBox(*Bitmap, White);
  }
  // The bounding box GDI+ measures for the first ALength characters in Font.
  TGPRectF Measured(const String& AText, Integer ALength) {
    std::unique_ptr<TGPFont> font(Surface->MakeFont(&Font));
    TGPRectF box{};
    EXPECT_EQ(Surface->MeasureString(AText, ALength, font.get(), TGPRectF{0, 0, 10000, 10000}, box), Ok);
    return box;
  }

  std::unique_ptr<TGPBitmap> Bitmap;
  std::unique_ptr<TGPGraphics> Surface;
  TFont Font;
};

TEST_F(NeoGDIPSurfaceTest, MakeFontTakesFamilyStyleAndSize) {
  Font.SetStyle(TFontStyles{fsBold, fsItalic});
  std::unique_ptr<TGPFont> font(Surface->MakeFont(&Font));
  ASSERT_EQ(font->lastResult, Ok);
  TFontFacts facts = FactsOf(font.get());
  EXPECT_EQ(facts.Family, u"DejaVu Sans");
  EXPECT_EQ(facts.Size, 12.0f);
  EXPECT_EQ(facts.Style, gdip::FontStyleBoldItalic);

  // A family that is not installed: "Arial" of the same size and style.
  TFont arial;
  arial.SetName(u"Arial");
  std::unique_ptr<TGPFont> reference(Surface->MakeFont(&arial));
  Font.SetName(u"Zelk No Such Family");
  Font.SetStyle(TFontStyles{fsUnderline, fsStrikeOut});
  std::unique_ptr<TGPFont> fallback(Surface->MakeFont(&Font, 9.5f));
  ASSERT_EQ(fallback->lastResult, Ok);
  facts = FactsOf(fallback.get());
  EXPECT_EQ(facts.Family, FactsOf(reference.get()).Family);
  EXPECT_EQ(facts.Size, 9.5f);
  EXPECT_EQ(facts.Style, gdip::FontStyleUnderline | gdip::FontStyleStrikeout);
}

TEST_F(NeoGDIPSurfaceTest, TextWidthAndHeightRoundTheMeasure) {
  const TGPRectF box = Measured(u"Wrapper", -1);
  EXPECT_EQ(Surface->TextWidth(u"Wrapper", &Font), Nearest(box.Width));
  EXPECT_EQ(Surface->TextHeight(u"Wrapper", &Font), Nearest(box.Height));
  EXPECT_GT(Surface->TextWidth(u"Wrapper", &Font), Surface->TextWidth(u"Wrap", &Font));
  EXPECT_EQ(Ink(), TRect{});
}

TEST_F(NeoGDIPSurfaceTest, MeasureTakesALengthBeyondTheTextAsTheText) {
  const TGPRectF whole = Measured(u"ab", -1);
  const TGPRectF beyond = Measured(u"ab", 4000);
  EXPECT_EQ(beyond.Width, whole.Width);
  EXPECT_GT(whole.Width, Measured(u"ab", 1).Width);
}

TEST_F(NeoGDIPSurfaceTest, DrawStringDrawsTheWholeText) {
  std::unique_ptr<TGPFont> font(Surface->MakeFont(&Font));
  TGPSolidBrush ink(0xFF000000u);
  ASSERT_EQ(Surface->DrawString(u"mmmm", 1, font.get(), TGPPointF{2, 2}, &ink), Ok);
  const TRect all = Ink();
  ASSERT_EQ(Surface->Clear(White), Ok);
  ASSERT_EQ(Surface->DrawString(u"m", 1, font.get(), TGPPointF{2, 2}, &ink), Ok);
  EXPECT_GT(all.right, Ink().right + 20);
}

// DrawText's pad for a 12-point font: 2 + round((12 - 8) / 1.5) = 5.
constexpr Integer Pad12 = 5;

TEST_F(NeoGDIPSurfaceTest, DrawTextMeasuresATrailingSpaceAsLetter) {
  const TGPRectF abi = Measured(u"abi", -1);
  TRect rect{10, 5, 60, 40};
  EXPECT_EQ(Surface->DrawText(u"ab ", -1, rect, &Font, DT_CALCRECT), Nearest(abi.Height));
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 5);
  EXPECT_EQ(rect.right, 10 + Nearest(abi.Width - Pad12));
  EXPECT_EQ(rect.bottom, 5 + Nearest(abi.Height));
  EXPECT_GT(rect.right, 10 + Nearest(Measured(u"ab", -1).Width - Pad12));
  EXPECT_EQ(Ink(), TRect{}) << "DT_CALCRECT draws nothing";
}

TEST_F(NeoGDIPSurfaceTest, DrawTextWithoutBackgroundKeepsTheRectangle) {
  TRect rect{10, 5, 150, 50};
  EXPECT_EQ(Surface->DrawText(u"ab ", -1, rect, &Font, 0, clNone), 45);
  EXPECT_EQ(rect, (TRect{10, 5, 150, 50}));
  // The ink lies in the measured box at the origin (libgdiplus measures without GDI+'s side
  // padding, so the box minus DrawText's pad is narrower than the ink).
  const TRect ink = Ink();
  const TGPRectF box = Measured(u"ab ", -1);
  EXPECT_GE(ink.left, 10);
  EXPECT_GE(ink.top, 5);
  EXPECT_LE(ink.right, 10 + Nearest(box.Width) + 1);
  EXPECT_LE(ink.bottom, 5 + Nearest(box.Height) + 1);
}

TEST_F(NeoGDIPSurfaceTest, DrawTextWithBackgroundFillsTheMeasuredText) {
  Font.SetColor(clBlue);
  TRect rect{10, 5, 150, 50};
  const Integer height = Surface->DrawText(u"ab", -1, rect, &Font, 0, clYellow);
  const TGPRectF ab = Measured(u"ab", -1);
  EXPECT_EQ(height, Nearest(ab.Height));
  EXPECT_EQ(rect.right, 10 + Nearest(ab.Width - Pad12));
  // The fill runs from one pixel right of the left edge to one pixel past the right edge.
  EXPECT_EQ(Pixel(10, 6), White);
  EXPECT_EQ(Pixel(11, 6), 0xFFFFFF00u);
  EXPECT_EQ(Pixel(rect.right, 6), 0xFFFFFF00u);
  EXPECT_EQ(Pixel(rect.right + 3, 6), White);
  EXPECT_EQ(Pixel(20, rect.bottom + 1), White);
  const TRect ink = Ink();
  EXPECT_EQ(ink.left, 11);
  EXPECT_EQ(ink.top, 5);
  EXPECT_EQ(ink.bottom, rect.bottom);
}

// Only the characters measured are drawn: the ink is that of the measured text alone and lies in
// its measured box.
TEST_F(NeoGDIPSurfaceTest, DrawTextDrawsTheLengthItMeasured) {
  TRect whole{10, 5, 150, 50};
  Surface->DrawText(u"ab", -1, whole, &Font, 0);
  const TRect alone = Ink();
  ASSERT_EQ(Surface->Clear(White), Ok);
  TRect measured{10, 5, 150, 50};
  Surface->DrawText(u"abcdefgh", 2, measured, &Font, DT_CALCRECT);
  EXPECT_EQ(measured.right, 10 + Nearest(Measured(u"ab", -1).Width - Pad12));
  TRect rect{10, 5, 150, 50};
  Surface->DrawText(u"abcdefgh", 2, rect, &Font, 0);
  EXPECT_EQ(Ink(), alone);
  EXPECT_LE(alone.right, measured.right + Pad12 + 1);
  EXPECT_LE(alone.bottom, measured.bottom + 1);
}

TEST_F(NeoGDIPSurfaceTest, ShapesTransformsAndClipping) {
  TGPSolidBrush red(0xFFFF0000u);
  ASSERT_EQ(Surface->ExcludeClip(TGPRectF{10, 10, 10, 10}), Ok);
  ASSERT_EQ(Surface->FillRectangle(&red, 0, 0, 40, 40), Ok);
  EXPECT_EQ(Pixel(5, 5), 0xFFFF0000u);
  EXPECT_EQ(Pixel(15, 15), White);
  ASSERT_EQ(Surface->ResetClip(), Ok);

  ASSERT_EQ(Surface->TranslateTransform(100, 0), Ok);
  TGPSolidBrush blue(0xFF0000FFu);
  ASSERT_EQ(Surface->FillEllipse(&blue, 0, 0, 20, 20), Ok);
  EXPECT_EQ(Pixel(110, 10), 0xFF0000FFu);
  ASSERT_EQ(Surface->ResetTransform(), Ok);
  const TGPPoint triangle[] = {{50, 50}, {60, 50}, {50, 59}};
  ASSERT_EQ(Surface->FillPolygon(&blue, triangle, 3), Ok);
  EXPECT_EQ(Pixel(52, 52), 0xFF0000FFu);

  TGPPen pen(0xFF00FF00u, 1);
  ASSERT_EQ(Surface->DrawLine(&pen, 60, 2.5f, 90, 2.5f), Ok);
  EXPECT_EQ(Pixel(75, 2), 0xFF00FF00u);
  EXPECT_EQ(Surface->DrawPath(&pen, nullptr), InvalidParameter);
  EXPECT_EQ(Surface->GetLastStatus(), InvalidParameter);
  EXPECT_EQ(Surface->GetLastStatus(), Ok);
  EXPECT_EQ(Surface->SetCompositingQuality(gdip::CompositingQualityHighQuality), Ok);
  EXPECT_EQ(Surface->GetCompositingQuality(), gdip::CompositingQualityHighQuality);
  EXPECT_EQ(Surface->SetTextRenderingHint(TextRenderingHintAntiAlias), Ok);
  EXPECT_EQ(Surface->GetTextRenderingHint(), TextRenderingHintAntiAlias);
}

TEST_F(NeoGDIPSurfaceTest, MatrixTransformsPathClipAndDeviceContext) {
  std::unique_ptr<TGPMatrix> twice(new TGPMatrix(2, 0, 0, 2, 0, 0));
  ASSERT_EQ(Surface->SetTransform(twice.get()), Ok);
  ASSERT_EQ(Surface->MultiplyTransform(twice.get()), Ok);   // four times
  TGPSolidBrush red(0xFFFF0000u);
  ASSERT_EQ(Surface->FillRectangle(&red, TGPRectF{0, 0, 5, 5}), Ok);
  EXPECT_EQ(Pixel(18, 18), 0xFFFF0000u);
  EXPECT_EQ(Pixel(21, 21), White);
  ASSERT_EQ(Surface->ResetTransform(), Ok);
  ASSERT_EQ(Surface->ScaleTransform(1, 1), Ok);
  ASSERT_EQ(Surface->RotateTransform(0), Ok);

  std::unique_ptr<TGPGraphicsPath> round(new TGPGraphicsPath);
  round->AddEllipse(100, 0, 40, 40);
  ASSERT_EQ(Surface->SetClip(round.get()), Ok);
  TGPSolidBrush blue(0xFF0000FFu);
  ASSERT_EQ(Surface->FillRectangle(&blue, 100, 0, 40, 40), Ok);
  EXPECT_EQ(Pixel(120, 20), 0xFF0000FFu);
  EXPECT_EQ(Pixel(101, 1), White);
  ASSERT_EQ(Surface->ResetClip(), Ok);
}

}  // namespace

}  // namespace NeoGDIP
