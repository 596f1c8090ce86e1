// DrawHtmlText on bitmaps against committed golden pictures (lib/render/tests/data/markup), compared
// per pixel with a small tolerance, each with a check of what the picture must show. A run saves
// every picture under the test output; a missing golden picture fails and names that file.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <memory>
#include <string>

#include "lib/base/NeoXPVS.h"
#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/testsupport/PixelCount.h"
#include "platform/ui/ImgList.h"
#include "platform/win/Surface.h"
#include "platform/win/UxTheme.h"

namespace {

constexpr int Tolerance = 8;

// The bitmap a case draws on: white, DejaVu Sans 10 pt black.
struct TSheet {
  TBitmap Bitmap;
  THtmlDrawParams P;
  TSheet(Integer W, Integer H) {
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(W, H);
    TCanvas* c = Bitmap.GetCanvas();
    c->GetBrush()->SetColor(clWhite);
    c->FillRect(TRect{0, 0, W, H});
    c->GetFont()->SetName(u"DejaVu Sans");
    c->GetFont()->SetSize(10);
    c->GetFont()->SetColor(clBlack);
    P.ACanvas = c;
    P.ARect = TRect{2, 2, W - 2, H - 2};
  }
  bool Draw(StringView AText) {
    P.AText = String(AText);
    return DrawHtmlText(P);
  }
  TColor Pixel(Integer X, Integer Y) { return Bitmap.GetCanvas()->GetPixels(X, Y) & 0xFFFFFF; }
  // Pixels in the box within 60 per channel of the colour.
  Integer CountNear(TRect ABox, TColor AColor) {
    return CountPixelsNear([this](Integer X, Integer Y) { return Pixel(X, Y); }, ABox, AColor);
  }
  // Pixels whose channels differ by more than 60 (coloured, not grey).
  Integer CountColoured(TRect ABox) {
    Integer n = 0;
    for (Integer y = ABox.top; y < ABox.bottom; ++y)
      for (Integer x = ABox.left; x < ABox.right; ++x) {
        const TColor c = Pixel(x, y);
        const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
        if (std::max({r, g, b}) - std::min({r, g, b}) > 60) ++n;
      }
    return n;
  }
};

void ExpectMatchesGolden(TSheet& ASheet, const std::string& AName) {
  TSurface* got = GetDCSurface(ASheet.Bitmap.GetCanvas()->GetHandle());
  const std::string out = std::string(ZELK_TEST_OUTPUT) + "/markup-" + AName + ".png";
  ASSERT_TRUE(got->SaveToPng(out));
  const std::string golden = std::string(ZELK_TEST_DATA) + "/markup/" + AName + ".png";
  TSurface want(1, 1);
  ASSERT_TRUE(want.LoadFromPng(golden)) << "no golden picture " << golden << "; this run's is " << out;
  ASSERT_EQ(want.Width(), got->Width()) << AName;
  ASSERT_EQ(want.Height(), got->Height()) << AName;
  int off = 0;
  for (int y = 0; y < got->Height(); ++y)
    for (int x = 0; x < got->Width(); ++x) {
      const std::uint32_t a = got->Pixel(x, y), b = want.Pixel(x, y);
      for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > Tolerance) {
          ++off;
          break;
        }
    }
  EXPECT_EQ(off, 0) << AName << ": pixels differ from " << golden << "; see " << out;
}

struct TGoldenCase {
  const char* Name;
  Integer W, H;
  const char16_t* Text;
  std::function<void(THtmlDrawParams&)> Setup;
  std::function<void(TSheet&)> Check;   // what the picture must show besides matching its golden
};

void PrintTo(const TGoldenCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

class HtmlGoldenTest : public ::testing::TestWithParam<TGoldenCase> {
protected:
  static void SetUpTestSuite() {
    RegisterThemeLibrary();
    NeoXPVS::LoadThemeApi();
  }
  void TearDown() override {
    SetThemeActive(true);
    SysLocale.MiddleEast = false;
  }
};

TEST_P(HtmlGoldenTest, MatchesGoldenPicture) {
  const TGoldenCase& c = GetParam();
  TSheet sheet(c.W, c.H);
  SetThemeActive(false);
  if (c.Setup) c.Setup(sheet.P);
  sheet.Draw(c.Text);
  ExpectMatchesGolden(sheet, c.Name);
  if (c.Check) c.Check(sheet);
}

// Sixteen-pixel pictures: a red square with a blue cross.
TImageList& Pictures() {
  static TImageList* list = [] {
    auto* l = new TImageList(nullptr);
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(16, 16);
    TCanvas* c = b.GetCanvas();
    c->GetBrush()->SetColor(clRed);
    c->FillRect(TRect{0, 0, 16, 16});
    c->GetBrush()->SetColor(clBlue);
    c->FillRect(TRect{7, 0, 9, 16});
    c->FillRect(TRect{0, 7, 16, 9});
    l->Add(&b, nullptr);
    return l;
  }();
  return *list;
}

const TGoldenCase Cases[] = {
    {"anchors", 260, 30, u"<A HREF=\"a\">hovered</A> and <A HREF=\"b\">focused</A> link",
     [](THtmlDrawParams& P) {
       P.AHoverOnly = true;
       P.AHoverLink = 1;
       P.AHoverColor = 0xC0FFFF;
       P.AHoverFontColor = clRed;
       P.AFocusLink = 1;
     },
     [](TSheet& S) {
       EXPECT_GT(S.CountNear(TRect{2, 2, 60, 28}, 0xC0FFFF), 100);   // hover background
       EXPECT_GT(S.CountNear(TRect{2, 2, 60, 28}, clRed), 20);
       EXPECT_GT(S.CountNear(TRect{100, 2, 200, 28}, clBlue), 20);  // the other anchor in the URL colour
     }},
    {"lists", 200, 130, u"<UL><LI>one<UL><LI>nested<LI>items</UL><LI>two</UL><OL><LI>first<OL><LI>inner</OL><LI>second</OL>",
     nullptr,
     [](TSheet& S) { EXPECT_GT(S.CountNear(TRect{2, 2, 12, 20}, clBlack), 3); }},   // the first bullet
    {"paragraphs", 220, 80,
     u"<P ALIGN=\"RIGHT\">right</P><P ALIGN=\"CENTER\" BGCOLOR=\"#E0E0FF\">centred on blue</P>"
     u"<P INDENT=\"40\">indented by 40</P>",
     nullptr,
     [](TSheet& S) {
       EXPECT_EQ(S.Pixel(5, 30), TColor(0xFFE0E0));   // the band runs from edge to edge
       EXPECT_EQ(S.CountNear(TRect{2, 2, 150, 18}, clBlack), 0);
     }},
    {"scripts", 220, 40, u"H<SUB>2</SUB>O E=mc<SUP>2</SUP> <SHAD>shadow</SHAD>",
     [](THtmlDrawParams& P) {
       P.AShadowColor = clSilver;
       P.AShadowOffset = 2;
     },
     nullptr},
    {"error", 160, 40, u"an <E>errror</E> here", nullptr,
     [](TSheet& S) { EXPECT_GT(S.CountNear(TRect{20, 2, 80, 38}, clRed), 15); }},
    {"rotated", 80, 80, u"<R \"90\">Up</R>", nullptr, nullptr},
    {"rule", 160, 50, u"above<HR COLOR=\"#0000FF\">below", nullptr,
     [](TSheet& S) { EXPECT_GT(S.CountNear(TRect{3, 2, 157, 48}, clBlue), 100); }},
    {"body-red", 80, 30, u"<BODY BGCOLOR=\"red\">x", nullptr,
     [](TSheet& S) { EXPECT_EQ(S.Pixel(60, 20), clWhite); }},
    {"body-clred", 80, 30, u"<BODY BGCOLOR=\"clRed\">x", nullptr,
     [](TSheet& S) { EXPECT_EQ(S.Pixel(60, 20), clRed); }},
    {"font", 240, 40,
     u"<FONT COLOR=\"#FF0000\">hex</FONT> <FONT COLOR=\"red\">name</FONT> <FONT SIZE=\"3\">twelve</FONT>", nullptr,
     nullptr},
    {"ampersands", 160, 30, u"a &amp;&amp; b &x", nullptr, nullptr},
    {"controls-classic", 320, 40,
     u"<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"edit\" WIDTH=\"60\"><CONTROL TYPE=\"COMBO\" ID=\"c\" VALUE=\"combo\" "
     u"WIDTH=\"70\"><CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"TRUE\"><CONTROL TYPE=\"RADIO\" ID=\"r\">"
     u"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Push\" WIDTH=\"60\">",
     nullptr,
     [](TSheet& S) { EXPECT_GT(S.CountNear(TRect{2, 2, 64, 38}, 0x808080), 40); }},   // classic frame
    {"controls-themed", 320, 40,
     u"<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"edit\" WIDTH=\"60\"><CONTROL TYPE=\"COMBO\" ID=\"c\" VALUE=\"combo\" "
     u"WIDTH=\"70\"><CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"TRUE\"><CONTROL TYPE=\"RADIO\" ID=\"r\">"
     u"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Push\" WIDTH=\"60\">",
     [](THtmlDrawParams&) { SetThemeActive(true); },
     [](TSheet& S) { EXPECT_GT(S.CountNear(TRect{2, 2, 64, 38}, 0xB99D7F), 40); }},   // themed frame
    {"emoji", 120, 40, u"smile &#128512;!", nullptr,
     [](TSheet& S) { EXPECT_GT(S.CountColoured(TRect{2, 2, 118, 38}), 30); }},
    {"rtl", 200, 30, u"abc <B>def</B> ghi",
     [](THtmlDrawParams& P) {
       SysLocale.MiddleEast = true;
       P.ARightToLeft = bdRightToLeft;
     },
     [](TSheet& S) {
       // The line is laid out from the right edge: the first run ends there, the left stays empty.
       EXPECT_GT(S.CountNear(TRect{175, 2, 198, 28}, clBlack), 10);
       EXPECT_EQ(S.CountNear(TRect{2, 2, 100, 28}, clBlack), 0);
     }},
    {"print", 120, 50, u"a<IMG SRC=\"IDX:0\">b",
     [](THtmlDrawParams& P) {
       P.AImages = &Pictures();
       P.APrint = true;
       P.AResFactor = 2.0;
     },
     [](TSheet& S) {
       // Stretched to 32 x 32: red quarters and a blue cross 4 pixels wide.
       EXPECT_GT(S.CountNear(TRect{0, 0, 120, 50}, clRed), 32 * 32 - 32 * 8);
       EXPECT_GT(S.CountNear(TRect{0, 0, 120, 50}, clBlue), 32 * 6);
     }},
    {"float", 160, 70,
     u"<P FLOAT=\"LEFT\"><IMG SRC=\"IDX:0\" WIDTH=\"32\" HEIGHT=\"32\" FLOAT=\"LEFT\"><BR>text beside the picture and below it",
     [](THtmlDrawParams& P) { P.AImages = &Pictures(); },
     [](TSheet& S) {
       // The picture at the top left; the first lines start right of it, the last one under it.
       EXPECT_GT(S.CountNear(TRect{3, 2, 35, 34}, clRed), 32 * 32 - 32 * 8);
       EXPECT_GT(S.CountNear(TRect{37, 2, 158, 34}, clBlack), 20);
       EXPECT_GT(S.CountNear(TRect{3, 36, 30, 68}, clBlack), 5);
     }},
    {"rtl-items", 160, 70,
     u"<UL><LI TYPE=\"SQUARE\" COLOR=\"#00FF00\">item</UL><BR><IMG SRC=\"IDX:0\"> <CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\">",
     [](THtmlDrawParams& P) {
       SysLocale.MiddleEast = true;
       P.ARightToLeft = bdRightToLeft;
       P.AImages = &Pictures();
     },
     [](TSheet& S) {
       // Bullet, picture and check box from the right edge; the left half stays empty.
       EXPECT_GT(S.CountNear(TRect{140, 2, 158, 20}, clLime), 30);
       EXPECT_GT(S.CountNear(TRect{130, 20, 158, 50}, clRed), 100);
       EXPECT_EQ(S.CountNear(TRect{2, 2, 80, 68}, clRed), 0);
       EXPECT_EQ(S.CountNear(TRect{2, 2, 80, 68}, clLime), 0);
     }},
};

INSTANTIATE_TEST_SUITE_P(Markup, HtmlGoldenTest, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<TGoldenCase>& AInfo) {
                           std::string name = AInfo.param.Name;
                           for (char& ch : name)
                             if (ch == '-') ch = '_';
                           return name;
                         });

}  // namespace
