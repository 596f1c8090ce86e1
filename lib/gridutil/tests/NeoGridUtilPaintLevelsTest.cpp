// The level progress bar, the spell-error wave and the bitmap routines, checked by their pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "lib/gridutil/NeoGridUtilPaint.h"
#include "lib/gridutil/testsupport/GridUtilGolden.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

constexpr TColor kWhite = 0xFFFFFF;

class GridUtilPaintLevels : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Blank(120, 30);
  }
  void Blank(Integer W, Integer H) {
    Bmp.SetPixelFormat(pf24bit);
    Bmp.SetSize(W, H);
    FillRectColor(C(), TRect{0, 0, W, H}, kWhite);
  }
  TCanvas* C() { return Bmp.GetCanvas(); }
  TColor At(Integer X, Integer Y) { return C()->GetPixels(X, Y); }
  // The columns (or rows) holding a pixel of Color.
  std::vector<Integer> ColumnsOf(TColor Color) {
    std::vector<Integer> xs;
    for (Integer x = 0; x < Bmp.GetWidth(); ++x)
      for (Integer y = 0; y < Bmp.GetHeight(); ++y)
        if (At(x, y) == Color) {
          xs.push_back(x);
          break;
        }
    return xs;
  }
  std::vector<Integer> RowsOf(TColor Color) {
    std::vector<Integer> ys;
    for (Integer y = 0; y < Bmp.GetHeight(); ++y)
      for (Integer x = 0; x < Bmp.GetWidth(); ++x)
        if (At(x, y) == Color) {
          ys.push_back(y);
          break;
        }
    return ys;
  }

  TBitmap Bmp;
};

TLevelProgressSettings Flat() {
  TLevelProgressSettings s;
  s.ShowGradient = false;
  s.ShowPercentage = false;
  s.UnCompleteColor = kWhite;
  return s;
}

// The bar over a 100-pixel rect: which colour the filled part takes at each value, and where it ends.
TEST_F(GridUtilPaintLevels, LevelBarColourFollowsTheLevels) {
  struct Case {
    Integer Percent;
    bool Stacked;
    std::vector<std::pair<Integer, TColor>> Pixels;  // x -> colour on the middle row
  };
  const TLevelProgressSettings s = Flat();
  const std::vector<Case> cases = {
      {50, false, {{10, s.Level0Color}, {49, s.Level0Color}, {50, kWhite}, {99, kWhite}}},
      {70, false, {{10, s.Level1Color}, {69, s.Level1Color}, {70, kWhite}}},
      {95, false, {{0, s.Level2Color}, {94, s.Level2Color}, {95, kWhite}}},
      {100, false, {{0, s.Level3Color}, {99, s.Level3Color}}},
      {150, false, {{99, s.Level3Color}}},
      {-5, false, {{0, kWhite}, {50, kWhite}}},
      {95, true, {{10, s.Level0Color}, {69, s.Level0Color}, {70, s.Level1Color}, {89, s.Level1Color},
                  {90, s.Level2Color}, {94, s.Level2Color}, {95, kWhite}}},
      {100, true, {{10, s.Level0Color}, {80, s.Level1Color}, {99, s.Level3Color}}},
  };
  for (const Case& c : cases) {
    TLevelProgressSettings settings = s;
    settings.Stacked = c.Stacked;
    Blank(120, 30);
    PaintLevelProgressBar(C(), TRect{0, 0, 100, 20}, c.Percent, settings);
    for (auto [x, color] : c.Pixels)
      EXPECT_EQ(At(x, 10), color) << c.Percent << (c.Stacked ? " stacked" : "") << " at " << x;
    EXPECT_EQ(At(105, 10), kWhite) << "nothing outside the rect";
  }
}

TEST_F(GridUtilPaintLevels, LevelBarStepsBorderGradientAndPercentage) {
  TLevelProgressSettings s = Flat();
  s.CompletionSmooth = false;
  s.Steps = 10;
  PaintLevelProgressBar(C(), TRect{0, 0, 100, 20}, 35, s);
  // Four whole blocks of ten, each ending in a gap of the empty colour.
  EXPECT_EQ(At(0, 10), s.Level0Color);
  EXPECT_EQ(At(8, 10), s.Level0Color);
  EXPECT_EQ(At(9, 10), kWhite);
  EXPECT_EQ(At(38, 10), s.Level0Color);
  EXPECT_EQ(At(39, 10), kWhite);
  EXPECT_EQ(At(40, 10), kWhite);

  Blank(120, 30);
  s = Flat();
  s.ShowBorder = true;
  s.BorderColor = 0x800000;
  s.ShowGradient = true;
  PaintLevelProgressBar(C(), TRect{0, 0, 100, 20}, 50, s);
  EXPECT_EQ(At(0, 0), 0x800000);
  EXPECT_EQ(At(99, 19), 0x800000);
  EXPECT_EQ(At(60, 10), kWhite);
  // Shaded from the light colour at the top to the level colour at the bottom.
  EXPECT_NE(At(20, 1), At(20, 18));
  EXPECT_EQ(At(20, 18), s.Level0Color);

  // The percentage changes only pixels in the middle, about as wide as "50%".
  Blank(120, 30);
  s = Flat();
  PaintLevelProgressBar(C(), TRect{0, 0, 100, 20}, 50, s);
  std::vector<TColor> bare;
  for (Integer y = 0; y < 20; ++y)
    for (Integer x = 0; x < 100; ++x) bare.push_back(At(x, y));
  s.ShowPercentage = true;
  s.CompleteFontColor = 0xFF0000;
  PaintLevelProgressBar(C(), TRect{0, 0, 100, 20}, 50, s);
  Integer left = 100, right = -1;
  for (Integer y = 0; y < 20; ++y)
    for (Integer x = 0; x < 100; ++x)
      if (At(x, y) != bare[static_cast<std::size_t>(y * 100 + x)]) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  ASSERT_GE(right, left) << "the percentage is written";
  EXPECT_GT(left, 30);
  EXPECT_LT(right, 70);
  EXPECT_GT(right - left + 1, C()->TextWidth(u"50%") / 2);
}

// The wave runs under the marked characters only, on the row the hidden edit puts them.
TEST_F(GridUtilPaintLevels, SpellErrorWaveUnderTheMarkedCharacters) {
  TForm* form = NewForm(300, 100);
  form->Show();
  Pump();
  Blank(300, 60);
  const String text = u"hello wide world";
  const Integer lineHeight = C()->TextHeight(u"Wg");
  PaintSpellErrorWave(form, C(), text, 4, 6, lineHeight, TRect{0, 0, 300, 60});
  const std::vector<Integer> xs = ColumnsOf(0x0000FF);
  ASSERT_FALSE(xs.empty());
  const Integer wordLeft = C()->TextWidth(u"hello ");
  const Integer wordRight = C()->TextWidth(u"hello wide");
  EXPECT_NEAR(xs.front(), wordLeft, 4);
  EXPECT_NEAR(xs.back(), wordRight, 4);
  const std::vector<Integer> ys = RowsOf(0x0000FF);
  EXPECT_LE(ys.back(), lineHeight + 4);
  EXPECT_GE(ys.front(), lineHeight - 6);

  // In a narrow rect "world" wraps to the second row: its wave lies a line lower.
  Blank(300, 60);
  const Integer narrow = C()->TextWidth(u"hello wide") + 8;
  PaintSpellErrorWave(form, C(), text, 5, 11, lineHeight, TRect{0, 0, narrow, 60});
  const std::vector<Integer> wrapped = RowsOf(0x0000FF);
  ASSERT_FALSE(wrapped.empty());
  EXPECT_GE(wrapped.front(), ys.front() + lineHeight - 1);
  EXPECT_LE(ColumnsOf(0x0000FF).back(), C()->TextWidth(u"world") + 4);

  // Nothing for marks outside the text or without an owner.
  Blank(300, 60);
  PaintSpellErrorWave(form, C(), text, 3, 40, lineHeight, TRect{0, 0, 300, 60});
  PaintSpellErrorWave(nullptr, C(), text, 4, 6, lineHeight, TRect{0, 0, 300, 60});
  EXPECT_TRUE(ColumnsOf(0x0000FF).empty());
}

TEST_F(GridUtilPaintLevels, SpellErrorWaveUnderCharactersThreeToSevenMatchesGolden) {
  // The text as a cell draws it, then the wave under characters 3..7 and, in a narrow rect where
  // the text wraps, under the wrapped word.
  TForm* form = NewForm(300, 100);
  form->Show();
  Pump();
  Blank(160, 44);
  C()->GetFont()->SetName(u"DejaVu Sans");
  C()->GetFont()->SetSize(9);
  C()->GetFont()->SetColor(clBlack);
  const String text = u"recieve wordz";
  const Integer lineHeight = C()->TextHeight(u"Wg");
  C()->GetBrush()->SetStyle(bsClear);
  C()->TextOut(2, 2, text);
  PaintSpellErrorWave(form, C(), text, 5, 3, lineHeight, TRect{2, 2, 158, 22});
  TRect narrow{90, 2, 90 + C()->TextWidth(u"recieve") + 6, 44};
  TRect textRect = narrow;
  C()->TextRect(textRect, text, TTextFormat{tfWordBreak});
  PaintSpellErrorWave(form, C(), text, 5, 8, lineHeight, narrow);
  gridutil_test::ExpectGolden(Bmp, "golden-spellwave.png", 2);
}

// A 4 x 4 glyph: magenta (its transparent colour) around a 2 x 2 blue centre.
void Glyph(TBitmap& B) {
  B.SetPixelFormat(pf24bit);
  B.SetSize(4, 4);
  FillRectColor(B.GetCanvas(), TRect{0, 0, 4, 4}, 0xFF00FF);
  FillRectColor(B.GetCanvas(), TRect{1, 1, 3, 3}, 0xFF0000);
}

TEST_F(GridUtilPaintLevels, BitmapsScaledWithTheirCornerColourTransparent) {
  TBitmap glyph;
  Glyph(glyph);
  DrawBitmapScaled(C(), &glyph, 0x00FF00, 1.0f, TRect{10, 10, 20, 20});
  EXPECT_EQ(At(10, 10), kWhite) << "the corner colour is transparent at scale 1";
  EXPECT_EQ(At(11, 11), 0xFF0000);
  EXPECT_FALSE(glyph.GetTransparent()) << "the caller's bitmap is left as it was";

  DrawBitmapScaled(C(), &glyph, 0x00FF00, 2.0f, TRect{40, 10, 60, 30});
  EXPECT_EQ(At(40, 10), 0x00FF00) << "scaled, the corner colour becomes the background";
  EXPECT_EQ(At(47, 17), 0x00FF00);
  EXPECT_EQ(At(48, 17), kWhite);
  EXPECT_EQ(At(43, 13), 0xFF0000);
  EXPECT_EQ(At(44, 14), 0xFF0000);

  // From the program's resources, and nothing for a name that is not there.
  TMemoryStream file;
  glyph.SaveToStream(&file);
  static std::vector<Byte> bytes;
  bytes.assign(static_cast<const Byte*>(file.Memory()), static_cast<const Byte*>(file.Memory()) + file.GetSize());
  RegisterResource(u"GRIDUTILGLYPH", RT_BITMAP, std::span<const Byte>(bytes));
  DrawResourceBitmap(C(), 0x00FF00, TRect{80, 10, 90, 20}, 1.5f, u"GRIDUTILGLYPH");
  EXPECT_EQ(At(80, 10), 0x00FF00);
  EXPECT_EQ(At(83, 13), 0xFF0000);
  EXPECT_EQ(At(86, 10), kWhite) << "six pixels wide at 1.5";
  DrawResourceBitmap(C(), 0x00FF00, TRect{100, 10, 110, 20}, 1.0f, u"NOSUCHGLYPH");
  EXPECT_EQ(At(100, 10), kWhite);
}

TEST_F(GridUtilPaintLevels, AlphaBitmapsBlendByTheirAlpha) {
  TBitmap argb;
  argb.SetPixelFormat(pf32bit);
  argb.SetAlphaFormat(afPremultiplied);
  argb.SetSize(3, 1);
  // Premultiplied: half-covering red, fully covering blue, nothing.
  auto* row = static_cast<std::uint32_t*>(argb.GetScanLine(0));
  row[0] = 0x80800000;
  row[1] = 0xFF0000FF;
  row[2] = 0x00000000;
  DrawBitmapAlpha(C(), 5, 5, &argb);
  const TColor half = At(5, 5);
  EXPECT_EQ(half & 0xFF, 0xFF) << "red over white";
  EXPECT_NEAR((half >> 8) & 0xFF, 0x7F, 2);
  EXPECT_NEAR((half >> 16) & 0xFF, 0x7F, 2);
  EXPECT_EQ(At(6, 5), 0xFF0000);
  EXPECT_EQ(At(7, 5), kWhite);

  // Any other bitmap is copied as it is.
  TBitmap plain;
  Glyph(plain);
  DrawBitmapAlpha(C(), 20, 5, &plain);
  EXPECT_EQ(At(20, 5), 0xFF00FF);
  EXPECT_EQ(At(21, 6), 0xFF0000);
}

}  // namespace
