// The dropdown unit's free routines: numbers and hexadecimal text under both separator
// conventions, colour mixing, the stepped gradient by pixel, text fitting, the DPI scale and the
// version tests.
#include "lib/dropdown/NeoDropDownUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/rtl/Modules.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"
#include "platform/win/Headless.h"
#include "lib/dropdown/testsupport/DropDownGolden.h"

namespace {

class DropDownUtils : public ::testing::Test {
protected:
  void SetUp() override {
    Headless::Use();
    Saved = FormatSettings;
  }
  void TearDown() override {
    FormatSettings = Saved;
    ResetVersionFacts();
    Headless::SetDpi(96);
    Headless::Reset();
  }
  static void Separators(Char Decimal, Char Thousand) {
    FormatSettings.DecimalSeparator = Decimal;
    FormatSettings.ThousandSeparator = Thousand;
  }
  TFormatSettings Saved;
};

// A bitmap to draw on, white to start with.
struct TSheet {
  TBitmap Bitmap;
  TSheet(Integer W, Integer H) {
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(W, H);
    Bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
    Bitmap.GetCanvas()->FillRect(TRect{0, 0, W, H});
  }
  TCanvas* Canvas() { return Bitmap.GetCanvas(); }
  TColor At(Integer X, Integer Y) { return Bitmap.GetCanvas()->GetPixels(X, Y); }
};

}  // namespace

TEST_F(DropDownUtils, NumberTextKindUnderBothSeparatorConventions) {
  struct TCase { Char Decimal, Thousand; const Char* Text; Byte Kind; };
  const TCase cases[] = {
      {u',', u'.', u"123", 0},      {u',', u'.', u"-1.234,5", 1}, {u',', u'.', u"1.2.3", 2},
      {u',', u'.', u"FF", 5},       {u',', u'.', u"--1", 2},      {u',', u'.', u"", 2},
      {u',', u'.', u"1,5,5", 2},    {u',', u'.', u".5", 2},       {u',', u'.', u"-ff", 5},
      {u',', u'.', u"1.234.567", 1}, {u',', u'.', u"abc", 5},     {u',', u'.', u"12 3", 2},
      // A minus sign inside the text makes it plain text.
      {u',', u'.', u"5-3", 2},      {u',', u'.', u"1-", 2},       {u',', u'.', u"A-F", 2},
      {u'.', u',', u"1,234.5", 1},  {u'.', u',', u"1.5", 1},      {u'.', u',', u"1,2,3", 2},
      {u'.', u',', u"-7", 0},       {u'.', u',', u"1.2.3", 2},    {u'.', u',', u",5", 2},
  };
  for (const TCase& c : cases) {
    Separators(c.Decimal, c.Thousand);
    EXPECT_EQ(NumberTextKind(c.Text), c.Kind) << UTF8Encode(c.Text) << " DS " << char(c.Decimal);
  }
  Separators(u',', u'.');
  EXPECT_EQ(StripThousandSeparators(u"1.234.567,8"), u"1234567,8");
  EXPECT_EQ(LocaleDecimalSeparator(), u',');
  EXPECT_EQ(LocaleThousandSeparator(), u'.');
  for (Char c : {u',', u'-', u';'}) EXPECT_TRUE(IsRangeSeparator(c));
  for (Char c : {u'.', u' ', u':'}) EXPECT_FALSE(IsRangeSeparator(c));
  EXPECT_EQ(CaseFold(u"Größe", true), u"Größe");
  EXPECT_EQ(CaseFold(u"Größe", false), AnsiUpperCase(u"Größe"));
}

TEST_F(DropDownUtils, HexadecimalText) {
  struct TCase { const Char* Text; Integer Value; };
  const TCase cases[] = {
      {u"ff", 255},          {u"FF", 255},          {u"-FF", -255},        {u"FFFFFFFFF", 0},
      {u"", 0},              {u"-", 0},             {u"7FFFFFFF", 2147483647}, {u"-80000000", INT32_MIN},
      {u"80000000", 0},      {u"00000000000001", 1}, {u"1g", 16},
  };
  for (const TCase& c : cases) EXPECT_EQ(HexTextToInt(c.Text), c.Value) << UTF8Encode(c.Text);
  EXPECT_EQ(HexDigitValue(u'9'), 9);
  EXPECT_EQ(HexDigitValue(u'a'), 10);
  EXPECT_EQ(HexDigitValue(u'F'), 15);
  EXPECT_EQ(HexDigitValue(u'G'), 0);
}

TEST_F(DropDownUtils, BlendingAndShading) {
  EXPECT_EQ(BlendColor(clWhite, clBlack, 50), static_cast<TColor>(0x808080));   // 127.5 rounds to 128
  EXPECT_EQ(BlendColor(clRed, clBlue, 100), clRed);
  EXPECT_EQ(BlendColor(clRed, clBlue, 250), clRed);
  EXPECT_EQ(BlendColor(clRed, clBlue, 0), clBlue);
  EXPECT_EQ(BlendColor(clRed, clBlue, -3), clBlue);
  EXPECT_EQ(BlendColor(clBtnFace, clBlack, 50), BlendColor(static_cast<TColor>(ColorToRGB(clBtnFace)), clBlack, 50));
  EXPECT_EQ(BlendColor(static_cast<TColor>(0x0000C8), static_cast<TColor>(0x000064), 25), static_cast<TColor>(0x00007D));
  // The checked button colours: the hot ones with red and green at 90 per cent.
  EXPECT_EQ(ShadeColorChannels(static_cast<TColor>(0xF5F0E1), -10, -10, 0), static_cast<TColor>(0xF5D8CA));
  EXPECT_EQ(ShadeColorChannels(static_cast<TColor>(0xF9D2B2), -10, -10, 0), static_cast<TColor>(0xF9BDA0));
  // A zero channel takes a positive delta (as a byte); a non-zero one is not brightened.
  EXPECT_EQ(ShadeColorChannels(static_cast<TColor>(0x400000), 5, -5, 20), static_cast<TColor>(0x400005));
  EXPECT_EQ(ShadeColorChannels(clBlack, 300, 0, 0), static_cast<TColor>(44));
}

TEST_F(DropDownUtils, GradientStripsByPixel) {
  struct TCase { Integer Steps; bool Horizontal; };
  const TCase cases[] = {{0, true}, {1, true}, {7, true}, {80, true}, {0, false}, {1, false}, {7, false}, {80, false}};
  const TColor from = static_cast<TColor>(0x204060), to = static_cast<TColor>(0xE0C0A0);
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Steps) + (c.Horizontal ? " horizontal" : " vertical"));
    TSheet sheet(100, 100);
    TRect r{10, 10, 90, 90};
    PaintDropDownGradient(sheet.Canvas(), from, to, c.Horizontal, r, c.Steps);
    sheet.Bitmap.SaveToFile(UTF8ToString(std::string(ZELK_TEST_OUTPUT) + "/dropdown-gradient-" + std::to_string(c.Steps) +
                                         (c.Horizontal ? "h" : "v") + ".bmp"));
    Integer steps = std::max(1, c.Steps);
    double d = 79.0 / steps;
    // Each strip's colour over its first pixel; later strips paint over the overlap.
    for (Integer i = 0; i < steps; ++i) {
      auto mix = [&](Integer a, Integer b) { return a + static_cast<Integer>(std::nearbyint(double(i) * (b - a) / steps)); };
      TColor want = static_cast<TColor>(RGB(mix(0x60, 0xA0), mix(0x40, 0xC0), mix(0x20, 0xE0)));
      Integer at = 10 + static_cast<Integer>(std::nearbyint(i * d));
      Integer next = i + 1 < steps ? 10 + static_cast<Integer>(std::nearbyint((i + 1) * d)) : at + 1;
      if (next == at) continue;   // wholly covered by the next strip
      EXPECT_EQ(c.Horizontal ? sheet.At(at, 50) : sheet.At(50, at), want) << i;
    }
    // The strips stay within R across and reach Round(D) + 1 past the last start along.
    Integer end = 10 + static_cast<Integer>(std::nearbyint((steps - 1) * d)) + static_cast<Integer>(std::nearbyint(d)) + 1;
    EXPECT_NE(c.Horizontal ? sheet.At(end - 1, 50) : sheet.At(50, end - 1), clWhite);
    if (end < 100) {
      EXPECT_EQ(c.Horizontal ? sheet.At(end, 50) : sheet.At(50, end), clWhite);
    }
    EXPECT_EQ(c.Horizontal ? sheet.At(50, 9) : sheet.At(9, 50), clWhite);
    EXPECT_EQ(c.Horizontal ? sheet.At(50, 90) : sheet.At(90, 50), clWhite);
  }
  // Steps 0: one strip of the full size in From.
  TSheet one(100, 100);
  PaintDropDownGradient(one.Canvas(), from, to, true, TRect{10, 10, 90, 90}, 0);
  EXPECT_EQ(one.At(10, 10), from);
  EXPECT_EQ(one.At(89, 89), from);
  PaintDropDownGradient(nullptr, from, to, true, TRect{10, 10, 90, 90}, 5);   // no canvas: nothing
}

TEST_F(DropDownUtils, GradientRectFillsOrShadesAndFrames) {
  TSheet sheet(60, 30);
  DrawGradientRect(sheet.Canvas(), TRect{0, 0, 30, 30}, clRed, true, 2, clBlue, clNone);
  EXPECT_EQ(sheet.At(15, 15), clRed);
  // A pen two pixels wide on the outline: one pixel of it lies inside at the left and top, two at
  // the right and bottom (GDI's rule for the outline of a wide pen).
  EXPECT_EQ(sheet.At(0, 15), clBlue);
  EXPECT_EQ(sheet.At(1, 15), clRed);
  EXPECT_EQ(sheet.At(15, 0), clBlue);
  EXPECT_EQ(sheet.At(27, 15), clRed);
  EXPECT_EQ(sheet.At(28, 15), clBlue);
  EXPECT_EQ(sheet.At(29, 15), clBlue);
  // Vertical: the colour runs top to bottom; no border colour, no frame.
  DrawGradientRect(sheet.Canvas(), TRect{30, 0, 60, 30}, clBlack, true, 1, clNone, clWhite);
  EXPECT_LT(GetRValue(ColorToRGB(sheet.At(45, 0))), 20);
  EXPECT_GT(GetRValue(ColorToRGB(sheet.At(45, 28))), 200);
  EXPECT_EQ(sheet.At(30, 28), sheet.At(45, 28));
  DrawGradientRect(nullptr, TRect{0, 0, 30, 30}, clRed, true, 2, clBlue, clNone);
}

TEST_F(DropDownUtils, GoldenPictures) {
  // The stepped gradient with 0, 1, 7 and 80 steps, left to right (top row) and top to bottom.
  const Integer steps[] = {0, 1, 7, 80};
  TSheet gradients(4 * 70, 2 * 50);
  for (Integer i = 0; i < 4; ++i) {
    PaintDropDownGradient(gradients.Canvas(), static_cast<TColor>(0x204060), static_cast<TColor>(0xE0C0A0), true,
                          TRect{i * 70 + 5, 5, i * 70 + 65, 45}, steps[i]);
    PaintDropDownGradient(gradients.Canvas(), static_cast<TColor>(0x2060C0), clWhite, false,
                          TRect{i * 70 + 5, 55, i * 70 + 65, 95}, steps[i]);
  }
  ExpectBitmapMatchesGolden(gradients.Bitmap, "dropdown-gradients.png", 0);
  // Gradient rectangles: a vertical and a horizontal gradient with borders, a plain fill.
  TSheet rects(3 * 70, 50);
  DrawGradientRect(rects.Canvas(), TRect{5, 5, 65, 45}, clYellow, true, 1, clNavy, clRed);
  DrawGradientRect(rects.Canvas(), TRect{75, 5, 135, 45}, clSilver, false, 3, clMaroon, clBlue);
  DrawGradientRect(rects.Canvas(), TRect{145, 5, 205, 45}, clAqua, true, 0, clNavy, clNone);
  ExpectBitmapMatchesGolden(rects.Bitmap, "dropdown-gradient-rects.png", 0);
  // Image and text, and the text alone (centred).
  TImageList images(nullptr);
  images.SetWidth(16);
  images.SetHeight(16);
  TBitmap square;
  square.SetPixelFormat(pf24bit);
  square.SetSize(16, 16);
  square.GetCanvas()->GetBrush()->SetColor(clGreen);
  square.GetCanvas()->FillRect(TRect{0, 0, 16, 16});
  square.GetCanvas()->GetBrush()->SetColor(clYellow);
  square.GetCanvas()->FillRect(TRect{4, 4, 12, 12});
  images.Add(&square, nullptr);
  TSheet texts(160, 60);
  texts.Canvas()->GetFont()->SetName(u"DejaVu Sans");
  texts.Canvas()->GetFont()->SetColor(clBlack);
  DrawImageText(texts.Canvas(), TRect{0, 0, 160, 30}, u"Auswahl", 0, &images);
  DrawImageText(texts.Canvas(), TRect{0, 30, 160, 60}, u"Auswahl", -1, &images);
  ExpectBitmapMatchesGolden(texts.Bitmap, "dropdown-image-text.png", 0);
}

TEST_F(DropDownUtils, TextSizeAndEllipsis) {
  TSheet sheet(10, 10);
  TCanvas* c = sheet.Canvas();
  EXPECT_EQ(GetTextSize(c, u""), (TSize{0, 0}));
  TSize s = GetTextSize(c, u"Größe");
  EXPECT_EQ(s.cx, c->TextWidth(u"Größe"));
  EXPECT_EQ(s.cy, c->TextHeight(u"Größe"));
  String out;
  FitTextEllipsis(c, u"kurz", 500, out, true);
  EXPECT_EQ(out, u"kurz");
  const String text = u"Ein sehr langer Text für eine schmale Spalte";
  Integer max = c->TextWidth(text) / 2;
  FitTextEllipsis(c, text, max, out, true);
  ASSERT_GE(out.size(), 4u);
  EXPECT_EQ(out.substr(out.size() - 3), u"...");
  EXPECT_EQ(text.compare(0, out.size() - 3, out, 0, out.size() - 3), 0);
  EXPECT_LT(c->TextWidth(out), max);
  // The first candidate narrower than the room: one character more would not be.
  EXPECT_GE(c->TextWidth(text.substr(0, out.size() - 2) + u"..."), max);
  FitTextEllipsis(c, text, max, out, false);
  EXPECT_EQ(out.find(u"..."), String::npos);
  FitTextEllipsis(c, text, 1, out, true);   // nothing fits: the text itself
  EXPECT_EQ(out, text);
}

TEST_F(DropDownUtils, ImageTextAndTransparentBitmap) {
  TImageList images(nullptr);
  images.SetWidth(16);
  images.SetHeight(16);
  TBitmap square;
  square.SetPixelFormat(pf24bit);
  square.SetSize(16, 16);
  square.GetCanvas()->GetBrush()->SetColor(clLime);
  square.GetCanvas()->FillRect(TRect{0, 0, 16, 16});
  images.Add(&square, nullptr);
  // With an image: the image 4 pixels in, centred in the height, the text 8 pixels after the image's
  // width (so 4 after its right edge).
  TSheet with(200, 30);
  with.Canvas()->GetFont()->SetColor(clBlack);
  DrawImageText(with.Canvas(), TRect{0, 0, 200, 30}, u"Auswahl", 0, &images);
  EXPECT_EQ(with.At(4, 7), clLime);
  EXPECT_EQ(with.At(19, 22), clLime);
  EXPECT_EQ(with.At(3, 7), clWhite);
  EXPECT_EQ(with.At(4, 6), clWhite);
  auto inkFrom = [](TSheet& S, Integer From, Integer To) {
    Integer left = -1;
    for (Integer x = From; x < To && left < 0; ++x)
      for (Integer y = 0; y < 30; ++y)
        if (GetRValue(ColorToRGB(S.At(x, y))) < 100 && S.At(x, y) != clLime) {
          left = x;
          break;
        }
    return left;
  };
  Integer textLeft = inkFrom(with, 20, 200);
  EXPECT_GE(textLeft, 24);   // R's left moves by the image's width and 8
  EXPECT_LT(textLeft, 29);
  // Without one: the text centred.
  TSheet without(200, 30);
  DrawImageText(without.Canvas(), TRect{0, 0, 200, 30}, u"Auswahl", -1, &images);
  Integer width = without.Canvas()->TextWidth(u"Auswahl");
  EXPECT_NEAR(inkFrom(without, 0, 200), (200 - width) / 2, 2);
  DrawImageText(nullptr, TRect{0, 0, 10, 10}, u"x", 0, &images);

  // The top-left pixel's colour becomes the background colour.
  TBitmap glyph;
  glyph.SetPixelFormat(pf24bit);
  glyph.SetSize(8, 8);
  glyph.GetCanvas()->GetBrush()->SetColor(clFuchsia);
  glyph.GetCanvas()->FillRect(TRect{0, 0, 8, 8});
  glyph.GetCanvas()->GetBrush()->SetColor(clNavy);
  glyph.GetCanvas()->FillRect(TRect{2, 2, 6, 6});
  TSheet target(20, 20);
  DrawTransparentBitmap(target.Canvas(), &glyph, clYellow, TRect{10, 10, 16, 16});
  EXPECT_EQ(target.At(10, 10), clYellow);
  EXPECT_EQ(target.At(13, 13), clNavy);
  EXPECT_EQ(target.At(16, 16), clWhite);   // only R's size is copied
  EXPECT_EQ(target.At(9, 9), clWhite);
}

TEST_F(DropDownUtils, MarkupItemTextMeasuresThenPaints) {
  TSheet sheet(200, 40);
  auto ink = [&] {
    Integer n = 0;
    for (Integer y = 0; y < 40; ++y)
      for (Integer x = 0; x < 200; ++x) n += sheet.At(x, y) != clWhite;
    return n;
  };
  TPoint measured{-1, -1}, drawn{-1, -1};
  DrawHTMLItemText(sheet.Canvas(), u"<b>Fett</b> und <a href=\"x\">Verweis</a>", TRect{0, 0, 200, 40}, measured, nullptr,
                   false, nullptr);
  EXPECT_GT(measured.x, 20);
  EXPECT_GT(measured.y, 5);
  EXPECT_EQ(ink(), 0);   // measuring paints nothing
  DrawHTMLItemText(sheet.Canvas(), u"<b>Fett</b> und <a href=\"x\">Verweis</a>", TRect{0, 0, 200, 40}, drawn, nullptr,
                   true, nullptr);
  EXPECT_EQ(drawn.x, measured.x);
  EXPECT_EQ(drawn.y, measured.y);
  EXPECT_GT(ink(), 50);
  // The anchor is drawn in $FF0000 (blue), the rest in the font's black.
  Integer blue = 0;
  for (Integer y = 0; y < 40; ++y)
    for (Integer x = 0; x < 200; ++x) {
      COLORREF c = ColorToRGB(sheet.At(x, y));
      blue += GetBValue(c) > 180 && GetRValue(c) < 90 && GetGValue(c) < 90;
    }
  EXPECT_GT(blue, 10);
  DrawHTMLItemText(sheet.Canvas(), u"", TRect{0, 0, 200, 40}, drawn, nullptr, true, nullptr);
  EXPECT_EQ(drawn.x, 0);
  EXPECT_EQ(drawn.y, 0);
}

TEST_F(DropDownUtils, DpiScaleFollowsTheFontNotThePixelsPerInch) {
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  EXPECT_EQ(DropDownDPIScale(edit), 1.0F);
  edit->GetFont()->SetName(u"DejaVu Serif");
  edit->GetFont()->SetSize(20);
  EXPECT_EQ(DropDownDPIScale(edit), 1.0F);
  EXPECT_EQ(DropDownDPIScale(nullptr), 1.0F);
  Integer base = TextHeightAtDpi(96, 9);
  EXPECT_GT(base, 0);
  for (Integer dpi : {120, 144}) {
    Headless::SetDpi(dpi);
    Single want = static_cast<Single>(TextHeightAtDpi(dpi, 9)) / static_cast<Single>(base);
    EXPECT_FLOAT_EQ(DropDownDPIScale(edit), want) << dpi;
    EXPECT_FLOAT_EQ(DropDownDPIScale(nullptr), want) << dpi;   // no form: the screen's resolution
    EXPECT_GT(want, 1.0F);
  }
}

TEST_F(DropDownUtils, VersionTests) {
  Integer major = -1, minor = -1;
  GetWindowsVersion(major, minor);
  EXPECT_EQ(major, 10);
  EXPECT_EQ(minor, 0);
  EXPECT_TRUE(IsWindows10());
  EXPECT_FALSE(IsWindows6x());
  TVersionFacts facts;
  facts.Actual = TOSVersion{6, 1, 7601};
  facts.Reported = TOSVersion{6, 1, 7601};
  SetVersionFacts(facts);
  EXPECT_TRUE(IsWindows6x());
  EXPECT_FALSE(IsWindows10());
  SetExportMissing(u"ntdll.dll", "RtlGetVersion", true);
  GetWindowsVersion(major, minor);
  SetExportMissing(u"ntdll.dll", "RtlGetVersion", false);
  EXPECT_EQ(major, 0);
  EXPECT_EQ(minor, 0);
}

TEST_F(DropDownUtils, PaintCtrlsDrawsTheGraphicChildren) {
  TForm form(nullptr);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetBounds(2, 2, 80, 16);
  label->SetCaption(u"Beschriftung");
  TSheet sheet(100, 20);
  TWinCtrl::PaintCtrls(&form, sheet.Canvas()->GetHandle(), nullptr);
  Integer ink = 0;
  for (Integer y = 0; y < 20; ++y)
    for (Integer x = 0; x < 100; ++x) ink += GetRValue(ColorToRGB(sheet.At(x, y))) < 100;
  EXPECT_GT(ink, 30);
  TWinCtrl::PaintCtrls(nullptr, sheet.Canvas()->GetHandle(), nullptr);
}
