// The graphics facade's markup engine through TNeoGraphics on both contexts (the canvas one and
// GDI+ on libgdiplus), next to the canvas engine on the same corpus: line counts, widths, hit tests,
// measuring against drawing, the dialect's differences, bad markup, highlighting and pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lib/graphics/NeoGDIPlusApi.h"
#include "lib/graphics/NeoGraphics.h"
#include "lib/render/NeoHTMLControls.h"
#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/NeoHTMLGraphics.h"
#include "lib/render/testsupport/PixelCount.h"
#include "platform/rtl/Units.h"
#include "platform/ui/ImgList.h"
#include "platform/win/Surface.h"

namespace {

constexpr TColor White = 0xFFFFFF;

// Sixteen-pixel pictures: a red square with a blue cross.
void PaintPicture(TBitmap& ABitmap) {
  ABitmap.SetPixelFormat(pf24bit);
  ABitmap.SetSize(16, 16);
  TCanvas* c = ABitmap.GetCanvas();
  c->GetBrush()->SetColor(clRed);
  c->FillRect(TRect{0, 0, 16, 16});
  c->GetBrush()->SetColor(clBlue);
  c->FillRect(TRect{7, 0, 9, 16});
  c->FillRect(TRect{0, 7, 16, 9});
}

TImageList& PictureList() {
  static TImageList* list = [] {
    auto* l = new TImageList(nullptr);
    TBitmap b;
    PaintPicture(b);
    l->Add(&b, nullptr);
    return l;
  }();
  return *list;
}

// Named pictures for the facade's container seam: "FLAG" is a 16 x 16 picture.
TPictureContainer* const Container = reinterpret_cast<TPictureContainer*>(&PictureList);
TPicture* FindTestPicture(TPictureContainer* AContainer, const String& AName) {
  static TPicture* flag = [] {
    auto* p = new TPicture;
    TBitmap b;
    PaintPicture(b);
    p->SetBitmap(&b);
    return p;
  }();
  return AContainer == Container && AName == u"FLAG" ? flag : nullptr;
}

class NeoHTMLGraphicsTest : public ::testing::TestWithParam<bool> {
protected:
  static void SetUpTestSuite() {
    Units().Clear();
    RegisterNeoGDIPlusApiUnits();
    RegisterNeoHTMLGraphicsUnit();
    InitializeUnits();
    NeoGraphicsRegistry::RegisterFindContainerPicture(&FindTestPicture);
  }
  static void TearDownTestSuite() {
    NeoGraphicsRegistry::RegisterFindContainerPicture(nullptr);
    FinalizeUnits();
    Units().Clear();
  }

  // A white bitmap of the context the parameter names (true: GDI+), DejaVu Sans 10 pt black.
  void New(Integer W, Integer H) {
    G = TNeoGraphics::CreateBitmapCanvas(W, H, GetParam());
    G->SetFillKind(gfkSolid);
    G->SetFillColor(White);
    G->SetStrokeKind(gskNone);
    G->DrawRectangle(0, 0, W, H);
    G->SetFontName(u"DejaVu Sans");
    G->SetFontSize(10);
    G->SetFontColor(clBlack);
    G->SetImageList(&PictureList());
    G->SetPictureContainer(Container);
  }

  TGraphicsHtmlDrawParams Params(StringView AText, TRectF ARect, bool AWrap) {
    TGraphicsHtmlDrawParams p;
    p.AGraphics = G.get();
    p.AText = String(AText);
    p.ARect = ARect;
    p.AWordWrap = AWrap;
    p.AImages = &PictureList();
    p.APictureContainer = Container;
    p.AHighlightColor = 0x00FFFF;
    p.AHighlightTextColor = clBlack;
    return p;
  }

  // The colour (BGR) of a pixel of the bitmap's surface.
  TColor Pixel(Integer X, Integer Y) {
    const std::uint32_t argb = GetDCSurface(G->GetBitmap()->GetCanvas()->GetHandle())->Pixel(X, Y);
    return TColor(((argb & 0xFF) << 16) | (argb & 0xFF00) | ((argb >> 16) & 0xFF));
  }

  // Pixels in the box within 60 per channel of the colour.
  Integer CountNear(TRect ABox, TColor AColor) {
    return CountPixelsNear([this](Integer X, Integer Y) { return Pixel(X, Y); }, ABox, AColor);
  }
  // Pixels that are not white.
  Integer CountInk(TRect ABox) {
    Integer n = 0;
    for (Integer y = ABox.top; y < ABox.bottom; ++y)
      for (Integer x = ABox.left; x < ABox.right; ++x) n += Pixel(x, y) != White;
    return n;
  }
  // The box of the pixels that are not white; empty when there are none.
  TRect Ink(TRect ABox) {
    TRect r{ABox.right, ABox.bottom, ABox.left, ABox.top};
    for (Integer y = ABox.top; y < ABox.bottom; ++y)
      for (Integer x = ABox.left; x < ABox.right; ++x)
        if (Pixel(x, y) != White) {
          r.left = std::min(r.left, x);
          r.top = std::min(r.top, y);
          r.right = std::max(r.right, x + 1);
          r.bottom = std::max(r.bottom, y + 1);
        }
    return r.left < r.right ? r : TRect{};
  }

  std::unique_ptr<TNeoGraphics> G;
};

INSTANTIATE_TEST_SUITE_P(Contexts, NeoHTMLGraphicsTest, ::testing::Values(false, true),
                         [](const auto& AInfo) { return AInfo.param ? std::string("GdiPlus") : std::string("Canvas"); });

// The canvas engine on a bitmap with the same font.
struct TCanvasRun {
  TBitmap Bitmap;
  THtmlDrawParams P;
  TCanvasRun(StringView AText, TRect ARect, bool AWrap) {
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(ARect.right + 10, ARect.bottom + 10);
    TCanvas* c = Bitmap.GetCanvas();
    c->GetFont()->SetName(u"DejaVu Sans");
    c->GetFont()->SetSize(10);
    P.ACanvas = c;
    P.AText = String(AText);
    P.ARect = ARect;
    P.AWordWrap = AWrap;
    P.AImages = &PictureList();
    P.ACheckHeight = true;
    DrawHtmlText(P);
  }
};

struct TCorpusCase {
  const char* Name;
  const char16_t* Text;
  Integer Width;
  bool Wrap;
  Integer Lines;       // lines the facade's engine lays out
  bool Same;           // line count and widest line agree with the canvas engine's (2 pixels)
};

const TCorpusCase Corpus[] = {
    {"runs", u"plain <B>bold</B> <I>italic</I> <U>under</U> <S>struck</S>", 400, false, 1, true},
    {"fonts", u"<FONT FACE=\"DejaVu Serif\" SIZE=\"4\">serif</FONT> <FONT COLOR=\"#FF0000\">red</FONT>", 400, false, 1, true},
    {"anchors", u"see <A HREF=\"x\">the link</A> and <a href=\"y\">another</a>", 400, false, 1, true},
    {"breaks", u"one<BR>two<BR>three", 400, false, 3, true},
    {"paragraphs", u"<P ALIGN=\"RIGHT\">right</P><P>left</P>", 400, false, 2, true},
    {"ordered", u"<OL><LI>first<LI>second</OL>", 400, false, 2, true},
    {"picture by index", u"a <IMG SRC=\"IDX:0\"> b", 400, false, 1, true},
    {"picture by name", u"a <IMG SRC=\"FLAG\"> b", 400, false, 1, false},   // the canvas engine has no container here
    {"highlight", u"a <HI>marked</HI> word", 400, false, 1, true},
    {"body colour", u"<BODY BGCOLOR=\"clYellow\">on yellow</BODY>", 400, false, 1, true},
    // Trailing blanks measured in each of the fonts the runs switch between.
    {"blanks between fonts", u"<B>bold   </B>plain   <FONT SIZE=\"5\">big   </FONT><B>again   </B>x", 400, false, 1, true},
    {"wrapped", u"the quick brown fox jumps over the lazy dog again and again", 90, true, 6, true},
    {"narrow word", u"unbreakable", 20, true, 1, true},
    // The differences: UL always ends its line (one empty line more), and controls without WIDTH
    // (other than CHECK and RADIO) are ignored.
    {"lists three levels", u"<UL><LI>one<UL><LI>two<UL><LI>three</UL></UL></UL>", 400, false, 4, false},
    {"controls", u"<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\"> <CONTROL TYPE=\"RADIO\" ID=\"r\"> "
                 u"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"60\">",
     400, false, 1, false},
};

TEST_P(NeoHTMLGraphicsTest, CorpusAgreesWithTheCanvasEngine) {
  for (const TCorpusCase& c : Corpus) {
    New(c.Width + 20, 200);
    TGraphicsHtmlDrawParams p = Params(c.Text, TRectF{0, 0, Single(c.Width), 200}, c.Wrap);
    p.ACheckHeight = true;
    DrawGraphicsHtmlText(p);
    EXPECT_EQ(p.ALineCount, c.Lines) << c.Name;
    if (c.Same) {
      const TCanvasRun canvas(c.Text, TRect{0, 0, c.Width, 200}, c.Wrap);
      const TCanvasRun line(u"x", TRect{0, 0, c.Width, 200}, false);
      // The canvas engine's lines are as high as one line of text here, pictures aside.
      EXPECT_EQ(std::max(1, canvas.P.AYSize / line.P.AYSize), c.Lines) << c.Name;
      // GDI+ on libgdiplus measures its runs a little wider than the canvas does.
      EXPECT_NEAR(p.AXSize, canvas.P.AXSize, GetParam() ? 2.0 + canvas.P.AXSize * 0.03 : 2.0) << c.Name;
    }
  }
}

TEST_P(NeoHTMLGraphicsTest, TheDialectsDiffer) {
  New(400, 100);
  // Three-level lists: the canvas engine starts no line for a list with nothing before it.
  const String lists = u"<UL><LI>one<UL><LI>two</UL></UL>";
  TGraphicsHtmlDrawParams p = Params(lists, TRectF{0, 0, 400, 100}, false);
  p.ACheckHeight = true;
  DrawGraphicsHtmlText(p);
  const TCanvasRun canvas(lists, TRect{0, 0, 400, 100}, false);
  EXPECT_EQ(p.ALineCount, 3);
  EXPECT_GT(p.AYSize, Single(canvas.P.AYSize));
  // A control without WIDTH takes no space; CHECK is 16 + 2 square.
  p = Params(u"<CONTROL TYPE=\"EDIT\" ID=\"e\">", TRectF{0, 0, 400, 100}, false);
  p.ACheckHeight = true;
  DrawGraphicsHtmlText(p);
  EXPECT_EQ(p.AXSize, 0);
  p = Params(u"<CONTROL TYPE=\"CHECK\" ID=\"c\">", TRectF{0, 0, 400, 100}, false);
  p.ACheckHeight = true;
  DrawGraphicsHtmlText(p);
  EXPECT_EQ(p.AXSize, 18);
  // STRIKE and SPAN are not tags of the dialect; S is.
  const String struck = u"<STRIKE>a</STRIKE><SPAN STYLE=\"background-color:#FF0000\">b</SPAN><S>c</S>";
  New(100, 40);
  G->DrawText(TRectF{0, 0, 100, 40}, struck, false, gtaLeading, gtaLeading);
  EXPECT_EQ(CountNear(TRect{0, 0, 100, 40}, clRed), 0);
  // No emoji tag: the two characters after "<J " vanish with the tag.
  p = Params(u"a<J xx >b", TRectF{0, 0, 400, 100}, false);
  p.ACheckHeight = true;
  DrawGraphicsHtmlText(p);
  EXPECT_EQ(p.AStripped, u"ab");
}

TEST_P(NeoHTMLGraphicsTest, AnchorsTakeTheFirstQuotedValueAndUnderlineByParameter) {
  New(300, 40);
  const String text = u"go <A CLASS=\"c\" HREF=\"h\">there</A>";
  TGraphicsHtmlDrawParams p = Params(text, TRectF{0, 0, 300, 40}, false);
  p.ACheckHeight = true;
  DrawGraphicsHtmlText(p);
  const Single before = p.AXSize;
  EXPECT_EQ(p.AHyperLinks, 1);
  // Hit the middle of "there": the link is "c", the first quoted value.
  TCanvasRun canvas(u"go ", TRect{0, 0, 300, 40}, false);
  p = Params(text, TRectF{0, 0, 300, 40}, false);
  p.ACheckHotSpot = true;
  p.AX = canvas.P.AXSize + 15;
  p.AY = 8;
  EXPECT_TRUE(DrawGraphicsHtmlText(p));
  EXPECT_EQ(p.AAnchor, u"c");
  EXPECT_EQ(p.AMouseLink, 1);
  EXPECT_GT(p.AHoverRect.Width(), 20);
  EXPECT_NEAR(p.AHoverRect.Right, before + 1, 1.5);
  const Integer linkLeft = Integer(p.AHoverRect.Left) + 1, linkRight = Integer(p.AHoverRect.Right) - 2;
  // Drawn: underlined in the URL colour; without the URL underline no underline row.
  auto underlineRows = [&](bool AUnderline) {
    New(300, 40);
    p = Params(text, TRectF{0, 0, 300, 40}, false);
    p.AURLColor = clRed;
    p.AURLUnderline = AUnderline;
    DrawGraphicsHtmlText(p);
    Integer rows = 0;
    for (Integer y = 0; y < 40; ++y)
      if (CountInk(TRect{linkLeft, y, linkRight, y + 1}) >= (linkRight - linkLeft) * 9 / 10)
        ++rows;
    return rows;
  };
  // libgdiplus draws no underline for an underlined font: the rows are looked for on the canvas.
  if (!GetParam()) {
    EXPECT_GE(underlineRows(true), 1);
  }
  EXPECT_EQ(underlineRows(false), 0);
}

// A table of points over one text: anchor, control ID, value and type, the same on both contexts.
TEST_P(NeoHTMLGraphicsTest, HitTestsFindAnchorsAndControls) {
  const String text = u"<A HREF=\"first\">first</A> <CONTROL TYPE=\"BUTTON\" ID=\"btn\" VALUE=\"Go\" WIDTH=\"50\">"
                      u"<CONTROL TYPE=\"CHECK\" ID=\"chk\" VALUE=\"TRUE\">";
  New(300, 60);
  TGraphicsHtmlDrawParams m = Params(text, TRectF{0, 0, 300, 60}, false);
  m.ACheckHeight = true;
  DrawGraphicsHtmlText(m);
  const Single w = m.AXSize;   // "first " + 50 + 18
  struct TPoint2 {
    Single X, Y;
    const char16_t* Anchor;
    const char16_t* ID;
    const char16_t* Type;
  } points[] = {
      {5, 10, u"first", u"", u""},
      {w - 18 - 25, 10, u"ctrl", u"btn", u"BUTTON"},
      {w - 9, 10, u"ctrl", u"chk", u"CHECK"},
      {w + 20, 10, u"", u"", u""},
  };
  for (const TPoint2& pt : points) {
    String id, value, type;
    const String anchor = G->DrawText(TRectF{0, 0, 300, 60}, text, id, value, type, false, gtaLeading, gtaLeading,
                                      gttNone, 0, -1, -1, true, true, pt.X, pt.Y);
    EXPECT_EQ(anchor, String(pt.Anchor)) << pt.X;
    EXPECT_EQ(id, String(pt.ID)) << pt.X;
    EXPECT_EQ(type, String(pt.Type)) << pt.X;
    if (type == u"CHECK") {
      EXPECT_EQ(value, u"TRUE");
    }
  }
  // A hit-test call with a control ID finds that control wherever the point is.
  TGraphicsHtmlDrawParams p = Params(text, TRectF{0, 0, 300, 60}, false);
  p.ACheckHotSpot = true;
  p.AControlID = u"chk";
  EXPECT_TRUE(DrawGraphicsHtmlText(p));
  EXPECT_NEAR(p.AControlRect.Left, w - 18 + 1, 1.01);
  EXPECT_EQ(p.AControlRect.Width(), 18);
}

TEST_P(NeoHTMLGraphicsTest, MeasuringGivesTheSizesOfDrawing) {
  const String text = u"<B>Bold</B> and <A HREF=\"x\">link</A><BR><OL><LI>item<LI>more</OL>wrapped words here";
  New(200, 200);
  const TRectF rect{10, 10, 130, 190};
  TGraphicsHtmlDrawParams m = Params(text, rect, true);
  m.ACheckHeight = true;
  DrawGraphicsHtmlText(m);
  TGraphicsHtmlDrawParams d = Params(text, rect, true);
  DrawGraphicsHtmlText(d);
  EXPECT_EQ(m.AXSize, d.AXSize);
  EXPECT_EQ(m.AYSize, d.AYSize);
  EXPECT_EQ(m.ALineCount, d.ALineCount);
  // The ink stays inside the measured box (a pixel of anti-aliasing aside).
  const TRect ink = Ink(TRect{0, 0, 200, 200});
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, Integer(10 + m.AXSize + 2));
  EXPECT_LE(ink.bottom, Integer(10 + m.AYSize + 2));
  // The facade measures the same way.
  const TRectF measured = G->CalculateText(text, rect, true);
  EXPECT_EQ(measured.Width(), m.AXSize);
  EXPECT_EQ(measured.Height(), m.AYSize + 1);
}

// A drawing run handed the extents its measuring run learnt lays out and paints the same pixels.
TEST_P(NeoHTMLGraphicsTest, ExtentsOfTheMeasuringRunDrawTheSame) {
  const String text = u"<B>Bold</B> <FONT COLOR=\"#FF0000\" SIZE=\"12\">big red</FONT> and <I>slanted</I> text";
  const TRectF rect{4, 4, 196, 60};
  const auto paint = [&](bool AHanded) {
    New(200, 64);
    TGraphicsHtmlDrawParams m = Params(text, rect, true);
    m.ACheckHeight = true;
    DrawGraphicsHtmlText(m);
    TGraphicsHtmlDrawParams d = Params(text, rect, true);
    if (AHanded) d.AExtents = m.AExtents;
    DrawGraphicsHtmlText(d);
    std::vector<TColor> pixels;
    for (Integer y = 0; y < 64; ++y)
      for (Integer x = 0; x < 200; ++x) pixels.push_back(Pixel(x, y));
    return std::make_pair(pixels, d.AXSize);
  };
  const auto fresh = paint(false), handed = paint(true);
  EXPECT_EQ(fresh.second, handed.second);
  EXPECT_TRUE(fresh.first == handed.first);
  EXPECT_GT(CountInk(TRect{0, 0, 200, 64}), 0);
}

// Whatever the markup draws, the graphics is left with the fill, stroke and font it had, the
// font's pixel height included (a size in points need not give it back).
TEST_P(NeoHTMLGraphicsTest, TheGraphicsIsLeftAsFound) {
  static const char16_t* const texts[] = {
      u"<B>bold</B> <I>slanted</I> <FONT COLOR=\"#FF0000\" FACE=\"DejaVu Serif\">red</FONT>",
      u"<FONT SIZE=\"14\">bigger</FONT> text",
      u"<FONT BGCOLOR=\"#00FF00\">on green</FONT>",
      u"<BODY BGCOLOR=\"#FFFF00\">a body</BODY>",
      u"<UL><LI TYPE=\"SQUARE\">item</UL> <CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\">",
      u"<A HREF=\"x\">link</A><HR>after the rule"};
  for (const char16_t* text : texts) {
    const String markup(text);
    SCOPED_TRACE(std::string(markup.begin(), markup.end()));
    New(240, 80);
    G->GetFont()->SetHeight(-14);   // 10.5 pt at 96 dpi
    G->SetFontStyles(TFontStyles{fsUnderline});
    G->SetFontColor(0x123456);
    G->SetFillKind(gfkSolid);
    G->SetFillColor(0x654321);
    G->SetStrokeKind(gskSolid);
    G->SetStrokeColor(0x0000AA);
    G->SetStrokeWidth(3);
    G->DrawText(TRectF{0, 0, 240, 80}, text, true);
    TNeoGraphicsFont* font = G->GetFont();
    EXPECT_EQ(font->GetName(), u"DejaVu Sans");
    EXPECT_EQ(font->GetHeight(), -14);
    EXPECT_EQ(font->GetStyle(), TFontStyles{fsUnderline});
    EXPECT_EQ(font->GetColor(), TColor(0x123456));
    EXPECT_EQ(G->GetFill()->GetKind(), gfkSolid);
    EXPECT_EQ(G->GetFill()->GetColor(), TColor(0x654321));
    EXPECT_EQ(G->GetStroke()->GetKind(), gskSolid);
    EXPECT_EQ(G->GetStroke()->GetColor(), TColor(0x0000AA));
    EXPECT_EQ(G->GetStroke()->GetWidth(), 3.0f);
    // What is drawn next is drawn in that font.
    const TRectF after = G->CalculateText(u"plain", TRectF{0, 0, 240, 80}, false, false);
    New(240, 80);
    G->GetFont()->SetHeight(-14);
    G->SetFontStyles(TFontStyles{fsUnderline});
    EXPECT_EQ(G->CalculateText(u"plain", TRectF{0, 0, 240, 80}, false, false).Width(), after.Width());
  }
}

TEST_P(NeoHTMLGraphicsTest, BadMarkupDrawsAsTextAndEnds) {
  const char16_t* texts[] = {
      u"open <B unclosed",    u"a lone < here",       u"<FONT COLOR=\"#FF0000>text</FONT>",
      u"<IMG SRC=\"NOPE\">x", u"<IMG SRC=\"IDX:7\">x", u"<CONTROL TYPE=\"EDIT\" ID=\"e\">x",
      u"</UL></OL></A>x",     u"<",                   u"<<<>>>",
  };
  for (const char16_t* t : texts) {
    New(200, 60);
    TGraphicsHtmlDrawParams p = Params(t, TRectF{0, 0, 200, 60}, true);
    DrawGraphicsHtmlText(p);
    EXPECT_GE(p.ALineCount, 1) << std::u16string(t).size();
    EXPECT_LE(p.ALineCount, 3);
  }
  // A picture that does not exist takes no space: the layout is that of the text alone.
  TGraphicsHtmlDrawParams a = Params(u"x<IMG SRC=\"NOPE\">y", TRectF{0, 0, 200, 60}, false);
  TGraphicsHtmlDrawParams b = Params(u"xy", TRectF{0, 0, 200, 60}, false);
  a.ACheckHeight = b.ACheckHeight = true;
  DrawGraphicsHtmlText(a);
  DrawGraphicsHtmlText(b);
  EXPECT_EQ(a.AXSize, b.AXSize);
  // Fill, stroke and font come back as they were.
  New(100, 40);
  G->SetFillColor(0x123456);
  G->SetStrokeColor(0x654321);
  TGraphicsHtmlDrawParams c = Params(u"<BODY BGCOLOR=\"clRed\"><B><FONT SIZE=\"5\">big</FONT></B>", TRectF{0, 0, 100, 40}, false);
  DrawGraphicsHtmlText(c);
  EXPECT_EQ(G->GetFill()->GetColor(), 0x123456);
  EXPECT_EQ(G->GetStroke()->GetColor(), 0x654321);
  EXPECT_EQ(G->GetFont()->GetSize(), 10);
  EXPECT_FALSE(G->GetFont()->GetStyle().Contains(fsBold));
}

TEST_P(NeoHTMLGraphicsTest, BodyColoursFillTheRectangle) {
  struct {
    const char16_t* Text;
    TColor Color;
  } cases[] = {
      {u"<BODY BGCOLOR=\"#F00\">x</BODY>", clRed},        // the three-digit form
      {u"<BODY BGCOLOR=\"red\">x</BODY>", clRed},         // a name
      {u"<BODY BGCOLOR=\"clLime\">x</BODY>", clLime},
  };
  for (const auto& c : cases) {
    New(60, 30);
    TGraphicsHtmlDrawParams p = Params(c.Text, TRectF{0, 0, 60, 30}, false);
    DrawGraphicsHtmlText(p);
    EXPECT_GT(CountNear(TRect{0, 0, 60, 30}, c.Color), 60 * 30 / 2);
  }
  // Suppressed colours draw no background.
  New(60, 30);
  TGraphicsHtmlDrawParams p = Params(u"<BODY BGCOLOR=\"red\">x</BODY>", TRectF{0, 0, 60, 30}, false);
  p.AFixedColors = true;
  DrawGraphicsHtmlText(p);
  EXPECT_EQ(CountNear(TRect{0, 0, 60, 30}, clRed), 0);
  // BGCOLORTO: a gradient from the top colour to the bottom one.
  New(60, 40);
  p = Params(u"<BODY BGCOLOR=\"clRed\" BGCOLORTO=\"clBlue\">x</BODY>", TRectF{0, 0, 60, 40}, false);
  DrawGraphicsHtmlText(p);
  auto redder = [&](Integer AX, Integer AY) {
    const TColor c = Pixel(AX, AY);
    return Integer(c & 0xFF) - Integer((c >> 16) & 0xFF);
  };
  if (!GetParam()) {
    EXPECT_GT(redder(40, 3), 100);
    EXPECT_LT(redder(40, 36), -100);
  } else {
    // libgdiplus runs a vertical linear gradient brush from left to right: both colours show.
    EXPECT_GT(std::max(redder(3, 3), redder(3, 36)), 100);
    EXPECT_LT(std::min(redder(56, 3), redder(56, 36)), -100);
  }
}

TEST_P(NeoHTMLGraphicsTest, PicturesByIndexAndNameAreDrawn) {
  New(120, 40);
  G->DrawText(TRectF{0, 0, 120, 40}, u"<IMG SRC=\"IDX:0\"> <IMG SRC=\"FLAG\"><BR>", false, gtaLeading, gtaLeading);
  // Two red squares with a blue cross.
  EXPECT_GT(CountNear(TRect{0, 0, 120, 40}, clRed), 2 * 150);
  EXPECT_GT(CountNear(TRect{0, 0, 120, 40}, clBlue), 2 * 40);
}

TEST_P(NeoHTMLGraphicsTest, HighlightUsesTheColoursPassed) {
  New(200, 30);
  TGraphicsHtmlDrawParams p = Params(u"a <HI>marked</HI> b", TRectF{0, 0, 200, 30}, false);
  p.AHighlightColor = clLime;
  p.AHighlightTextColor = clRed;
  DrawGraphicsHtmlText(p);
  EXPECT_GT(CountNear(TRect{0, 0, 200, 30}, clLime), 100);
  EXPECT_GT(CountNear(TRect{0, 0, 200, 30}, clRed), 10);
  // The facade's ApplyHilight wraps the matches in its highlight tag.
  EXPECT_EQ(G->ApplyHilight(u"a <B>bo</B>ld", u"BOLD"), u"a <B><HI>bo</B>ld</HI>");
  EXPECT_EQ(G->ApplyHilight(u"a <B>bo</B>ld", u"BOLD", true), u"a <B>bo</B>ld");
}

TEST_P(NeoHTMLGraphicsTest, LineSpacingAndLineCountAccumulate) {
  New(200, 200);
  TGraphicsHtmlDrawParams a = Params(u"one<BR>two<BR>three", TRectF{0, 0, 200, 200}, false);
  a.ACheckHeight = true;
  DrawGraphicsHtmlText(a);
  TGraphicsHtmlDrawParams b = a;
  b.ALineSpacing = 4;
  b.ALineCount = 10;
  DrawGraphicsHtmlText(b);
  EXPECT_EQ(b.ALineCount, 13);
  EXPECT_EQ(b.AYSize, a.AYSize + 12);
}

// Golden pictures of the corpus on both contexts: per channel within 8, at most 0.5% of the pixels
// beyond; text compared by its ink box.
TEST_P(NeoHTMLGraphicsTest, GoldenPictures) {
  const String sheet =
      u"<B>Bold</B> <I>italic</I> <U>under</U> <FONT COLOR=\"#FF0000\">red</FONT> <A HREF=\"x\">link</A><BR>"
      u"<UL><LI>one<UL><LI>two</UL></UL><BR>"
      u"<P ALIGN=\"CENTER\">centred <HI>marked</HI></P>"
      u"<IMG SRC=\"IDX:0\"> <IMG SRC=\"FLAG\"> <CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\">"
      u"<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"TRUE\"><CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"50\">";
  New(240, 160);
  G->SetHighlightColor(0x00FFFF);
  G->SetHighlightTextColor(clBlack);
  G->DrawText(TRectF{4, 4, 236, 156}, sheet, true, gtaLeading, gtaLeading);
  const std::string name = std::string("markup-graphics-") + (GetParam() ? "gdiplus" : "canvas");
  TSurface* got = GetDCSurface(G->GetBitmap()->GetCanvas()->GetHandle());
  const std::string out = std::string(ZELK_TEST_OUTPUT) + "/" + name + ".png";
  ASSERT_TRUE(got->SaveToPng(out));
  const std::string golden = std::string(ZELK_TEST_DATA) + "/markup/" + name + ".png";
  TSurface want(1, 1);
  ASSERT_TRUE(want.LoadFromPng(golden)) << "no golden picture " << golden << "; this run's is " << out;
  ASSERT_EQ(want.Width(), got->Width());
  ASSERT_EQ(want.Height(), got->Height());
  int off = 0;
  for (int y = 0; y < got->Height(); ++y)
    for (int x = 0; x < got->Width(); ++x) {
      const std::uint32_t a = got->Pixel(x, y), b = want.Pixel(x, y);
      for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 8) {
          ++off;
          break;
        }
    }
  EXPECT_LE(off, got->Width() * got->Height() / 200) << "see " << out;
  // What the picture must show: red text, the pictures' blue crosses, a yellow highlight band.
  EXPECT_GT(CountNear(TRect{0, 0, 240, 30}, clRed), 10);
  EXPECT_GT(CountNear(TRect{0, 0, 240, 160}, clBlue), 40);
  EXPECT_GT(CountNear(TRect{0, 0, 240, 160}, 0x00FFFF), 100);
}

// ---- Routines without a device ----

TEST(GraphicsHtmlText, PreprocessingKeepsAnglesForTheRuns) {
  struct {
    const char16_t* In;
    const char16_t* Out;
  } cases[] = {
      {u"a &amp; b &eacute;", u"a & b \u00E9"},
      {u"&lt;B&gt;not bold", u"&lt;B&gt;not bold"},   // stays text: the run decodes it
      {u"<#1> and <#2>", u"#1 and <#2>"},               // only the first
      {u"one\r\ntwo", u"one<BR>two"},
      {u"&#65;", u"&#65;"},                             // no numeric references
  };
  for (const auto& c : cases) EXPECT_EQ(PrepareGraphicsHtmlText(c.In), String(c.Out)) << std::u16string(c.In).size();
  EXPECT_EQ(DecodeGraphicsHtmlRunEntities(u"a&NBSP;b&lt;c&gt;&amp;"), u"a b<c>&amp;");
}

TEST(GraphicsHtmlText, HighlightTable) {
  struct {
    const char16_t* Text;
    const char16_t* Search;
    bool CaseSensitive;
    const char16_t* Result;
  } cases[] = {
      {u"a <B>bo</B>ld word", u"bold", false, u"a <B><HI>bo</B>ld</HI> word"},          // across a tag
      {u"Hello hello", u"HELLO", false, u"<HI>Hello</HI> <HI>hello</HI>"},
      {u"Hello hello", u"hello", true, u"Hello <HI>hello</HI>"},
      {u"nothing here", u"xyz", false, u"nothing here"},
      {u"a < b", u"<", false, u"a <HI>&lt;</HI> b"},                                      // plain "<" escaped
      {u"x<BR>y", u"y", false, u"x<BR><HI>y</HI>"},
      {u"abc", u"", false, u"abc"},
  };
  for (const auto& c : cases) {
    String result;
    HighlightGraphicsHtmlText(c.Text, c.Search, u"HI", result, c.CaseSensitive);
    EXPECT_EQ(result, String(c.Result)) << std::u16string(c.Text).size();
  }
}

TEST(GraphicsHtmlText, ControlTagsDecodeByUnFixMarkup) {
  const THtmlControlTag tag =
      ParseGraphicsHtmlControlTag(u"TYPE=\"edit\" ID=\"n\" VALUE=\"a&amp;b&eacute;&lt;\" PROP=\"p&quot;q\" WIDTH=\"40\"");
  EXPECT_EQ(tag.Type, u"EDIT");
  EXPECT_EQ(tag.ID, u"n");
  EXPECT_EQ(tag.Value, u"a&b\u00E9<");
  EXPECT_EQ(tag.Prop, u"p\"q");
  EXPECT_EQ(tag.Width, u"40");
}

}  // namespace
