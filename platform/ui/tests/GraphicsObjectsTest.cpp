// Colours, fonts, pens and brushes.
#include <gtest/gtest.h>

#include "platform/ui/Graphics.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

TEST(GraphicsColors, ColorToRgbMapsSystemColoursAndPassesTheRest) {
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(ColorToRGB(clMenuBar), GetSysColor(COLOR_MENUBAR));
  // Only the low byte of a negative colour counts; an index without a system colour gives 0.
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0x8000000F)), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0xFF0000C8)), 0u);
  EXPECT_EQ(ColorToRGB(clNone), 0x1FFFFFFFu);
  EXPECT_EQ(ColorToRGB(clDefault), 0x20000000u);
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0x123456)), 0x123456u);
  EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
  EXPECT_LT(clScrollBar, 0);
}

TEST(GraphicsColors, NamesAndNumbers) {
  struct Case {
    TColor Color;
    const Char* Text;
  } cases[] = {{clRed, u"clRed"}, {clBtnFace, u"clBtnFace"}, {clNone, u"clNone"}, {clSilver, u"clSilver"},
               {clMoneyGreen, u"clMoneyGreen"}, {static_cast<TColor>(0x123456), u"$00123456"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ColorToString(c.Color), c.Text);
    EXPECT_EQ(StringToColor(c.Text), c.Color);
  }
  EXPECT_EQ(StringToColor(u"CLWINDOW"), clWindow);
  EXPECT_EQ(StringToColor(u"clLtGray"), clSilver);
  EXPECT_EQ(StringToColor(u"255"), clRed);
  EXPECT_THROW(StringToColor(u"clNoSuchColour"), EConvertError);
}

TEST(GraphicsFont, SizeConvertsThroughTheFontsOwnResolution) {
  TFont font;
  EXPECT_EQ(font.GetPixelsPerInch(), 96);
  EXPECT_EQ(font.GetSize(), 8);
  EXPECT_EQ(font.GetHeight(), -11);
  struct Case {
    Integer Ppi, Size, Height;
  } cases[] = {{96, 12, -16}, {96, 8, -11}, {96, 9, -12}, {96, 10, -13}, {120, 12, -20}, {120, 8, -13}, {120, 9, -15}};
  for (const auto& c : cases) {
    font.SetPixelsPerInch(c.Ppi);
    font.SetSize(c.Size);
    EXPECT_EQ(font.GetHeight(), c.Height) << c.Ppi << " dpi, " << c.Size << " pt";
    EXPECT_EQ(font.GetSize(), c.Size) << c.Ppi << " dpi, " << c.Size << " pt";
  }
  // The resolution changes the reading of the height, not the height.
  font.SetPixelsPerInch(96);
  font.SetHeight(-20);
  font.SetPixelsPerInch(120);
  EXPECT_EQ(font.GetHeight(), -20);
  EXPECT_EQ(font.GetSize(), 12);
  // A positive height (cell height) gives a negative size.
  font.SetHeight(16);
  EXPECT_LT(font.GetSize(), 0);
}

TEST(GraphicsFont, AssignKeepsThePointSizeAcrossResolutions) {
  TFont source, dest;
  source.SetName(u"DejaVu Sans");
  source.SetSize(12);   // -16 at 96 dpi
  source.SetStyle({fsBold, fsItalic});
  source.SetColor(clRed);
  dest.SetPixelsPerInch(120);
  int changes = 0;
  dest.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &dest);
    ++changes;
  };
  dest.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dest.GetName(), u"DejaVu Sans");
  EXPECT_EQ(dest.GetHeight(), -20);
  EXPECT_EQ(dest.GetSize(), 12);
  EXPECT_TRUE(dest.GetStyle() == (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(dest.GetColor(), clRed);
  TPen pen;
  EXPECT_THROW(dest.Assign(&pen), EConvertError);
}

TEST(GraphicsFont, OnChangeFiresOncePerRealChangeAndTheHandleFollows) {
  TFont font;
  int changes = 0;
  font.OnChange = [&](TObject*) { ++changes; };
  font.SetName(u"Tahoma");   // unchanged: no event
  font.SetSize(8);
  EXPECT_EQ(changes, 0);
  LOGFONTW log;
  ASSERT_EQ(GetObject(font.GetHandle(), sizeof log, &log), static_cast<int>(sizeof log));
  EXPECT_EQ(log.lfHeight, -11);
  EXPECT_EQ(log.lfWeight, FW_NORMAL);

  font.SetStyle({fsBold, fsUnderline});
  font.SetSize(12);
  font.SetOrientation(900);
  font.SetColor(clBlue);
  font.SetCharset(SYMBOL_CHARSET);
  EXPECT_EQ(changes, 5);
  ASSERT_EQ(GetObject(font.GetHandle(), sizeof log, &log), static_cast<int>(sizeof log));
  EXPECT_EQ(log.lfHeight, -16);
  EXPECT_EQ(log.lfWeight, FW_BOLD);
  EXPECT_EQ(log.lfUnderline, 1);
  EXPECT_EQ(log.lfItalic, 0);
  EXPECT_EQ(log.lfEscapement, 900);
  EXPECT_EQ(log.lfCharSet, SYMBOL_CHARSET);
  EXPECT_EQ(String(log.lfFaceName), u"Tahoma");

  // A font handle taken over gives its properties back.
  LOGFONTW other{};
  other.lfHeight = -24;
  other.lfWeight = FW_BOLD;
  other.lfItalic = 1;
  std::u16string_view face = u"Liberation Serif";
  std::copy(face.begin(), face.end(), other.lfFaceName);
  font.SetHandle(CreateFontIndirect(&other));
  EXPECT_EQ(changes, 6);
  EXPECT_EQ(font.GetName(), u"Liberation Serif");
  EXPECT_EQ(font.GetHeight(), -24);
  EXPECT_TRUE(font.GetStyle() == (TFontStyles{fsBold, fsItalic}));
}

TEST(GraphicsPenBrush, PropertiesEventsAndHandles) {
  TPen pen;
  int penChanges = 0;
  pen.OnChange = [&](TObject*) { ++penChanges; };
  EXPECT_EQ(pen.GetColor(), clBlack);
  EXPECT_EQ(pen.GetWidth(), 1);
  EXPECT_EQ(pen.GetStyle(), psSolid);
  EXPECT_EQ(pen.GetMode(), pmCopy);
  pen.SetColor(clRed);
  pen.SetWidth(3);
  pen.SetStyle(psDash);
  pen.SetMode(pmXor);
  pen.SetWidth(3);
  EXPECT_EQ(penChanges, 4);
  LOGPEN lp;
  ASSERT_EQ(GetObject(pen.GetHandle(), sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnStyle & PS_STYLE_MASK, PS_DASH);
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnColor, 0x0000FFu);
  EXPECT_EQ(PenModeToRop2(pmXor), R2_XORPEN);
  EXPECT_EQ(PenModeToRop2(pmNotXor), R2_NOTXORPEN);
  EXPECT_EQ(PenModeToRop2(pmCopy), R2_COPYPEN);

  TPen copy;
  copy.Assign(&pen);
  EXPECT_EQ(copy.GetColor(), clRed);
  EXPECT_EQ(copy.GetMode(), pmXor);

  TBrush brush;
  int brushChanges = 0;
  brush.OnChange = [&](TObject*) { ++brushChanges; };
  EXPECT_EQ(brush.GetColor(), clWhite);
  brush.SetStyle(bsClear);
  LOGBRUSH lb;
  ASSERT_EQ(GetObject(brush.GetHandle(), sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbStyle, BS_NULL);
  // A colour makes a clear brush solid again, even the colour it had.
  brush.SetColor(clWhite);
  EXPECT_EQ(brush.GetStyle(), bsSolid);
  brush.SetStyle(bsDiagCross);
  brush.SetColor(clBtnFace);
  EXPECT_EQ(brushChanges, 4);
  ASSERT_EQ(GetObject(brush.GetHandle(), sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbStyle, BS_HATCHED);
  EXPECT_EQ(lb.lbHatch, static_cast<std::uintptr_t>(HS_DIAGCROSS));
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
}
