// DrawHtmlText on a real bitmap canvas: colours, underlines, backgrounds, state restored, and a
// sheet of samples saved as PNG for a person to look at.
#include <gtest/gtest.h>

#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/testsupport/HtmlCanvasFixture.h"
#include "lib/render/testsupport/PixelCount.h"
#include "platform/win/Surface.h"

namespace {

class HtmlCanvasTest : public HtmlCanvasFixture {
protected:
  HtmlCanvasTest() : HtmlCanvasFixture(TRect{0, 0, 300, 60}) {}
  void SetUp() override { Fresh(300, 60); }

  // Pixels in the box within 60 per channel of the colour.
  Integer CountNear(TRect ABox, TColor AColor) {
    return CountPixelsNear([this](Integer X, Integer Y) { return Pixel(X, Y); }, ABox, AColor);
  }
};

TEST_F(HtmlCanvasTest, FontColourByHexAndByNameDrawRed) {
  Draw(u"<FONT COLOR=\"#FF0000\">RRRR</FONT> <FONT COLOR=\"red\">RRRR</FONT>");
  const Integer half = P.AXSize / 2;
  EXPECT_GT(CountNear(TRect{0, 0, half, 30}, 0x0000FF), 10);
  EXPECT_GT(CountNear(TRect{half, 0, P.AXSize + 2, 30}, 0x0000FF), 10);
  EXPECT_EQ(CountNear(TRect{0, 0, 300, 60}, clBlack), 0);
}

TEST_F(HtmlCanvasTest, BodyBackgroundNeedsAClPrefixOrHash) {
  Draw(u"<BODY BGCOLOR=\"red\">x");
  EXPECT_EQ(Pixel(250, 50), clWhite);
  Draw(u"<BODY BGCOLOR=\"clRed\">x");
  EXPECT_EQ(Pixel(250, 50), TColor(0x0000FF));
}

TEST_F(HtmlCanvasTest, CanvasStateIsRestored) {
  TCanvas* c = Bitmap->GetCanvas();
  c->GetPen()->SetColor(clGreen);
  c->GetPen()->SetWidth(3);
  c->GetBrush()->SetColor(clYellow);
  Draw(u"<B><I><FONT FACE=\"Mono\" SIZE=\"5\" COLOR=\"blue\">x<HR COLOR=\"red\"><P BGCOLOR=\"#00FF00\">y<R \"90\">z");
  EXPECT_EQ(c->GetPen()->GetColor(), clGreen);
  EXPECT_EQ(c->GetPen()->GetWidth(), 3);
  EXPECT_EQ(c->GetBrush()->GetColor(), clYellow);
  EXPECT_EQ(c->GetFont()->GetName(), u"DejaVu Sans");
  EXPECT_EQ(c->GetFont()->GetSize(), 10);
  EXPECT_TRUE(c->GetFont()->GetStyle().Empty());
}

TEST_F(HtmlCanvasTest, HoveredAnchorIsUnderlinedInItsColours) {
  P.AHoverLink = 1;
  P.AHoverOnly = true;
  P.AHoverColor = clYellow;
  P.AHoverFontColor = clRed;
  Draw(u"<A HREF=\"a\">WWWW</A> <A HREF=\"b\">WWWW</A>");
  const Integer half = P.AXSize / 2;
  EXPECT_GT(CountNear(TRect{0, 0, half, 30}, clYellow), 20);
  EXPECT_GT(CountNear(TRect{0, 0, half, 30}, clRed), 10);
  EXPECT_EQ(CountNear(TRect{half + 4, 0, 300, 30}, clYellow), 0);
  EXPECT_GT(CountNear(TRect{half + 4, 0, 300, 30}, clBlue), 10);
}

TEST_F(HtmlCanvasTest, MeasuringDrawsNothing) {
  P.ACheckHeight = true;
  Draw(u"<B>some text</B> wrapping across <FONT SIZE=\"5\">lines</FONT> of a narrow box", TRect{0, 0, 80, 60});
  EXPECT_EQ(CountNear(TRect{0, 0, 300, 60}, clBlack), 0);
  EXPECT_GT(P.AYSize, 40);
  EXPECT_LE(P.AXSize, 80);
}

TEST_F(HtmlCanvasTest, SampleSheet) {
  Fresh(420, 330);
  const String sheet =
      u"<B>Bold</B>, <I>italic</I>, <U>underline</U>, <S>strike</S>, <FONT COLOR=\"clRed\">red</FONT>, "
      u"<FONT BGCOLOR=\"#FFFF00\">on yellow</FONT>, H<SUB>2</SUB>O, E=mc<SUP>2</SUP><BR>"
      u"<A HREF=\"one\">first link</A> and <A HREF=\"two\">hovered link</A>, <SHAD>shadow</SHAD>, "
      u"<E>errror</E>, <HI>highlight</HI>, &amp;&amp; and &x<BR>"
      u"<P ALIGN=\"CENTER\" BGCOLOR=\"#E0E0FF\">a centred paragraph on blue</P>"
      u"<UL><LI>unordered<UL><LI>nested</UL><LI TYPE=\"SQUARE\" COLOR=\"clGreen\">square</UL>"
      u"<OL><LI>ordered<LI>second</OL>"
      u"<HR COLOR=\"#808080\">"
      u"<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"edit\" WIDTH=\"80\"> "
      u"<CONTROL TYPE=\"COMBO\" ID=\"c\" VALUE=\"combo\" WIDTH=\"90\"> "
      u"<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"TRUE\"> "
      u"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Button\" WIDTH=\"70\"><BR>"
      u"emoji &#128512; and <FONT SIZE=\"5\" FACE=\"Liberation Serif\">serif 16</FONT>";
  P.AHoverLink = 2;
  P.AHoverOnly = true;
  P.AHoverColor = 0xFFE0C0;
  Draw(sheet, TRect{4, 4, 416, 326});
  const std::string out = std::string(ZELK_TEST_OUTPUT) + "/markup_sheet.png";
  ASSERT_TRUE(GetDCSurface(Bitmap->GetCanvas()->GetHandle())->SaveToPng(out));
  EXPECT_GT(P.AYSize, 150);
  EXPECT_EQ(P.AHyperLinks, 2);
  // The paragraph band is filled from edge to edge of the rectangle.
  EXPECT_GT(CountNear(TRect{4, 40, 416, 120}, 0xFFE0E0), 400);
}

}  // namespace
