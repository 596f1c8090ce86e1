// The line loop on a recording target with fixed metrics: each character is 6 units wide (7 in
// bold), a line of text is 2 x the point size high. Run with Integer and Single coordinates.
#include <cmath>
#include <gtest/gtest.h>
#include <map>

#include "lib/render/NeoHTMLLayout.h"

namespace {

template <class TCoord>
class TRecordingTarget {
public:
  using Coord = TCoord;

  struct TRun {
    String Text;
    Coord L, T, R, B;
    THtmlFont Font;
    TColor Brush;
  };
  struct TCall {
    std::string Kind;
    Coord A, B, C, D;
    TColor Color;
  };

  static Coord Scaled(Double AValue) {
    if constexpr (std::is_integral_v<Coord>) return static_cast<Coord>(std::lround(AValue));
    else return static_cast<Coord>(AValue);
  }
  static Coord Half(Coord AValue) { return AValue / 2; }
  TColor NoColor() const { return clNone; }

  void MeasureRun(const THtmlFont& AFont, StringView AText, UINT, Coord& W, Coord& H) {
    W = Coord(static_cast<Integer>(AText.size()) * (AFont.Style.Contains(fsBold) ? 7 : 6));
    H = Coord(AFont.Size * 2);
  }
  void DrawRun(const THtmlFont& AFont, TColor ABrush, StringView AText, Coord L, Coord T, Coord R, Coord B, UINT) {
    Runs.push_back({String(AText), L, T, R, B, AFont, ABrush});
  }
  void FillRect(Coord L, Coord T, Coord R, Coord B, TColor AColor) { Calls.push_back({"fill", L, T, R, B, AColor}); }
  void Line(Coord X1, Coord Y1, Coord X2, Coord Y2, TColor AColor) { Calls.push_back({"line", X1, Y1, X2, Y2, AColor}); }
  void Ellipse(Coord L, Coord T, Coord R, Coord B, TColor AColor) { Calls.push_back({"ellipse", L, T, R, B, AColor}); }
  void FocusRect(Coord L, Coord T, Coord R, Coord B) { Calls.push_back({"focus", L, T, R, B, clNone}); }
  Coord Emoji(Coord X, Coord Y, bool AMeasureOnly, StringView, Integer) {
    if (!AMeasureOnly) Calls.push_back({"emoji", X, Y, X, Y, clNone});
    return Coord(20);
  }
  // An image list of Images pictures of 16 x 12.
  bool ImageSize(Integer AIndex, Coord& W, Coord& H) {
    if (AIndex < 0 || AIndex >= Images) return false;
    W = Coord(16);
    H = Coord(12);
    return true;
  }
  void DrawImage(Integer AIndex, Coord L, Coord T, Coord R, Coord B, bool APrint) {
    Calls.push_back({APrint ? "print" : "image", L, T, R, B, TColor(AIndex)});
  }
  bool PictureSize(StringView, Coord&, Coord&) { return false; }
  void DrawPicture(StringView, Coord, Coord, Coord, Coord) {}
  Integer Images = 0;
  void DrawControl(const THtmlControlFace& AFace) {
    Calls.push_back({"control", Coord(AFace.Box.left), Coord(AFace.Box.top), Coord(AFace.Box.right),
                     Coord(AFace.Box.bottom), AFace.FrameColor});
  }

  std::vector<TRun> Runs;
  std::vector<TCall> Calls;

  Integer Count(const std::string& AKind) const {
    return static_cast<Integer>(std::count_if(Calls.begin(), Calls.end(), [&](const TCall& c) { return c.Kind == AKind; }));
  }
};

template <class TCoord>
class HtmlLayoutTest : public ::testing::Test {
protected:
  using Target = TRecordingTarget<TCoord>;

  // Lays out AText in a rectangle 0..AWidth wide, 0..200 high; font size 10, so "gh" is 20 high.
  bool Layout(StringView AText, Integer AWidth = 100, UINT AExtraFlags = 0) {
    P.AText = String(AText);
    P.ARect = TRect{0, 0, AWidth, 200};
    const Integer images = T.Images;
    T = Target{};
    T.Images = images;
    THtmlLayoutInput in;
    in.Flags = DT_BOTTOM | DT_SINGLELINE | AExtraFlags;
    THtmlFont base{u"Sans", 10, {}, clBlack, 0};
    THtmlLayout<Target> layout(T, P, in, base);
    return layout.Run(PrepareHtmlText(P.AText));
  }

  THtmlDrawParams P;
  Target T;
};

using Coords = ::testing::Types<Integer, Single>;
TYPED_TEST_SUITE(HtmlLayoutTest, Coords);

TYPED_TEST(HtmlLayoutTest, EmptyTextIsOneGhHighAndNothingWide) {
  this->Layout(u"");
  EXPECT_EQ(this->P.AYSize, 20);
  EXPECT_EQ(this->P.AXSize, 0);
  EXPECT_TRUE(this->T.Runs.empty());
}

TYPED_TEST(HtmlLayoutTest, WordWrapBreaksAtBlanksAndDropsTrailingBlankWidth) {
  // "aaaa " is 30 wide; three words fit 100 only as 30 + 30 + 24 = 84; the fourth goes down.
  this->Layout(u"aaaa bbbb cccc dddd", 100);
  ASSERT_EQ(this->T.Runs.size(), 4u);
  EXPECT_EQ(this->T.Runs[0].L, 1);
  EXPECT_EQ(this->T.Runs[1].L, 31);
  EXPECT_EQ(this->T.Runs[2].L, 61);
  EXPECT_EQ(this->T.Runs[3].L, 1);
  EXPECT_EQ(this->T.Runs[3].T, 20);
  EXPECT_EQ(this->P.AYSize, 40);
  EXPECT_EQ(this->P.AXSize, 84);   // 90 less the trailing blank
  EXPECT_EQ(this->P.AStripped, u"aaaa bbbb cccc dddd");
}

TYPED_TEST(HtmlLayoutTest, LongWordStaysOnItsLine) {
  this->Layout(u"ab abcdefghijklmnopqrstuvwxyz cd", 60);
  ASSERT_EQ(this->T.Runs.size(), 3u);
  EXPECT_EQ(this->T.Runs[1].T, 20);
  EXPECT_EQ(this->T.Runs[1].L, 1);
  EXPECT_EQ(this->T.Runs[2].T, 40);
  EXPECT_EQ(this->P.AXSize, 27 * 6 - 6);
}

TYPED_TEST(HtmlLayoutTest, WithoutWrapATooWideRunEndsTheText) {
  this->P.AWordWrap = false;
  this->Layout(u"abcdefghijklmnopqrstuvwxyz<BR>next", 60);
  ASSERT_EQ(this->T.Runs.size(), 1u);
  EXPECT_EQ(this->P.AYSize, 20);
  EXPECT_EQ(this->P.AXSize, 26 * 6);
}

TYPED_TEST(HtmlLayoutTest, RightAlignmentIgnoresTheTrailingBlank) {
  this->Layout(u"<P ALIGN=\"RIGHT\">abc </P>", 100);
  ASSERT_EQ(this->T.Runs.size(), 1u);
  EXPECT_EQ(this->T.Runs[0].L, 100 - 18);
}

TYPED_TEST(HtmlLayoutTest, CentreAndLastAlignMatchWins) {
  this->Layout(u"<P ALIGN=\"CENTER\">abcd</P><P ALIGN=\"RIGHT LEFT\">ab</P>", 101);
  ASSERT_EQ(this->T.Runs.size(), 2u);
  EXPECT_EQ(this->T.Runs[0].L, 1 + (100 - 24) / 2);
  EXPECT_EQ(this->T.Runs[1].L, 1);
}

TYPED_TEST(HtmlLayoutTest, BreaksParagraphsAndListItemsEndLines) {
  this->Layout(u"a<BR>b<P>c</P>d<UL><LI>e<LI>f</UL>");
  std::vector<TypeParam> tops;
  for (const auto& r : this->T.Runs) tops.push_back(r.T);
  // Each item draws its bullet in the Symbol face at the line start, its text 12 further on.
  ASSERT_EQ(this->T.Runs.size(), 8u);
  EXPECT_EQ(tops, (std::vector<TypeParam>{0, 20, 20, 40, 60, 60, 80, 80}));
  EXPECT_EQ(this->P.AStripped, u"a\rbcdef");
  EXPECT_EQ(this->T.Runs[4].Font.Name, u"Symbol");
  EXPECT_EQ(this->T.Runs[4].L, 1);
  EXPECT_EQ(this->T.Runs[5].L, 1 + 12);
}

TYPED_TEST(HtmlLayoutTest, AnchorUnderThePoint) {
  this->P.AX = 40;
  this->P.AY = 10;
  const bool hit = this->Layout(u"see <A HREF=\"Go\" TITLE=\"Tip\">here</A> now");
  EXPECT_TRUE(hit);
  EXPECT_EQ(this->P.AAnchor, u"Go");
  EXPECT_EQ(this->P.ATitle, u"Tip");
  EXPECT_EQ(this->P.AHyperLinks, 1);
  EXPECT_EQ(this->P.AMouseLink, 1);
  EXPECT_EQ(this->P.AHoverRect, (TRect{25, 0, 49, 20}));
  // Anchors take the URL colour and, while drawing, the underline.
  EXPECT_EQ(this->T.Runs[1].Font.Color, clBlue);
  EXPECT_TRUE(this->T.Runs[1].Font.Style.Contains(fsUnderline));
  EXPECT_FALSE(this->T.Runs[2].Font.Style.Contains(fsUnderline));
  EXPECT_EQ(this->T.Runs[2].Font.Color, clBlack);
}

TYPED_TEST(HtmlLayoutTest, PointBesideAnchorMissesIt) {
  this->P.AX = 5;
  this->P.AY = 10;
  EXPECT_FALSE(this->Layout(u"see <A HREF=\"Go\">here</A>"));
  EXPECT_EQ(this->P.AMouseLink, -1);
  EXPECT_TRUE(this->P.AAnchor.empty());
}

TYPED_TEST(HtmlLayoutTest, FocusedAnchorGetsItsRectangle) {
  this->P.AFocusLink = 1;
  this->Layout(u"<A HREF=\"one\">a</A> <A HREF=\"two\">bc</A>");
  EXPECT_EQ(this->P.AFocusAnchor, u"two");
  ASSERT_EQ(this->T.Count("focus"), 1);
  EXPECT_EQ(this->P.AHyperLinks, 2);
}

TYPED_TEST(HtmlLayoutTest, FindsAControlByIdWhereverThePointIs) {
  this->P.ACheckHotSpot = true;
  this->P.AControlID = u"c2";
  this->P.AX = 500;
  this->P.AY = 500;
  const bool hit = this->Layout(
      u"x<CONTROL TYPE=\"EDIT\" ID=\"c1\" WIDTH=\"30\"><CONTROL TYPE=\"BUTTON\" ID=\"c2\" VALUE=\"Go\">", 200);
  EXPECT_TRUE(hit);
  EXPECT_EQ(this->P.AAnchor, u"ctrl");
  EXPECT_EQ(this->P.AControlType, u"BUTTON");
  EXPECT_EQ(this->P.AControlValue, u"Go");
  // The button keeps the edit's width (30) and is 25 high.
  EXPECT_EQ(this->P.AControlRect, (TRect{37, 0, 67, 25}));
  EXPECT_EQ(this->T.Count("control"), 0);   // hit-test-only calls draw nothing
}

TYPED_TEST(HtmlLayoutTest, ControlUnderThePoint) {
  this->P.AX = 10;
  this->P.AY = 8;
  this->P.AControlID = u"stale";
  EXPECT_TRUE(this->Layout(u"<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"TRUE\">"));
  EXPECT_EQ(this->P.AControlID, u"k");
  EXPECT_EQ(this->P.AControlRect, (TRect{1, 0, 17, 16}));
  this->P.AX = 17;
  EXPECT_FALSE(this->Layout(u"<CONTROL TYPE=\"CHECK\" ID=\"k\">"));
  EXPECT_EQ(this->T.Calls.back().Color, TColor(0x808080));
}

TYPED_TEST(HtmlLayoutTest, EmojiTakesItsAdvanceOnTheLine) {
  this->Layout(u"ab&#128512;cd");
  EXPECT_EQ(this->P.AXSize, 24 + 20);
  ASSERT_EQ(this->T.Runs.size(), 2u);
  EXPECT_EQ(this->T.Runs[1].L, 1 + 12 + 20);
}

TYPED_TEST(HtmlLayoutTest, FontTagsChangeTheRunFont) {
  this->Layout(u"<B>a</B><FONT SIZE=\"3\" COLOR=\"red\" FACE=\"Mono\">b</FONT><FONT COLOR=\"#00FF00\">c</FONT>d");
  ASSERT_EQ(this->T.Runs.size(), 4u);
  EXPECT_TRUE(this->T.Runs[0].Font.Style.Contains(fsBold));
  EXPECT_EQ(this->T.Runs[1].Font.Size, 12);
  EXPECT_EQ(this->T.Runs[1].Font.Color, TColor(0x0000FF));
  EXPECT_EQ(this->T.Runs[1].Font.Name, u"MONO");
  EXPECT_EQ(this->T.Runs[2].Font.Color, TColor(0x00FF00));
  EXPECT_EQ(this->T.Runs[3].Font, (THtmlFont{u"Sans", 10, {}, clBlack, 0}));
  EXPECT_EQ(this->P.AYSize, 24);
}

TYPED_TEST(HtmlLayoutTest, SubscriptAddsRoomBelowTheLine) {
  this->Layout(u"H<SUB>2</SUB>O");
  EXPECT_EQ(this->P.AYSize, 25);
  ASSERT_EQ(this->T.Runs.size(), 3u);
  EXPECT_EQ(this->T.Runs[0].B, 20);
  EXPECT_EQ(this->T.Runs[1].B, 25);
}

TYPED_TEST(HtmlLayoutTest, BadMarkupIsSkipped) {
  // Unknown and unclosed tags, /A without A, closing lists at level 0, bad numbers, incomplete
  // controls: all consumed without effect, every line consuming text.
  this->Layout(u"<Q>a</A></OL></UL><R \"x\"><FONT SIZE=\"abc\">b<CONTROL ID=\"x\"><CONTROL TYPE=\"EDIT\">"
               u"<IMG SRC=\"IDX:99\">c<B", 100);
  ASSERT_EQ(this->T.Runs.size(), 3u);
  EXPECT_EQ(this->T.Runs[1].Font.Size, 10);
  EXPECT_EQ(this->P.AStripped, u"abc");
  EXPECT_EQ(this->P.AYSize, 20);
}

TYPED_TEST(HtmlLayoutTest, RuleAndParagraphBackgroundDrawBands) {
  this->Layout(u"<P BGCOLOR=\"#FF0000\">a</P><HR COLOR=\"red\">b");
  ASSERT_GE(this->T.Count("fill"), 1);
  EXPECT_EQ(this->T.Calls[0].Color, TColor(0x0000FF));
  EXPECT_EQ(this->T.Count("line"), 1);
}

TYPED_TEST(HtmlLayoutTest, ImageListPicturesAtTheirSizeOrStretchedForPrint) {
  this->T.Images = 3;
  // 16 x 12 pictures; the pen moves by the width + 2; the line grows to the picture's height only
  // when that exceeds "gh".
  this->Layout(u"a<IMG SRC=\"IDX:2\">b<IMG SRC=\"idx:0\" WIDTH=\"32\">c<IMG SRC=\"IDX:3\">d");
  ASSERT_EQ(this->T.Count("image"), 2);
  EXPECT_EQ(this->T.Calls[0].A, 7);
  EXPECT_EQ(this->T.Calls[0].C, 23);
  EXPECT_EQ(this->T.Calls[0].D, 12);
  EXPECT_EQ(this->T.Calls[0].Color, TColor(2));
  // WIDTH alone keeps the proportions: 32 x 24.
  EXPECT_EQ(this->T.Calls[1].A, 31);
  EXPECT_EQ(this->T.Calls[1].C, 63);
  EXPECT_EQ(this->T.Calls[1].D, 24);
  EXPECT_EQ(this->P.AXSize, 6 + 18 + 6 + 34 + 6 + 6);   // index 3 is past the list: no space
  EXPECT_EQ(this->P.AYSize, 24);

  this->P.APrint = true;
  this->P.AResFactor = 2.0;
  this->P.AXSize = 0;
  this->Layout(u"a<IMG SRC=\"IDX:1\">b");
  ASSERT_EQ(this->T.Count("print"), 1);
  EXPECT_EQ(this->T.Calls[0].A, 7);
  EXPECT_EQ(this->T.Calls[0].C, 7 + 32);
  EXPECT_EQ(this->T.Calls[0].D, 24);
  EXPECT_EQ(this->T.Runs[1].L, 7 + 34);
  EXPECT_EQ(this->P.AXSize, 6 + 34 + 6);
}

TYPED_TEST(HtmlLayoutTest, PictureInAnAnchorIsHitStrictlyInside) {
  this->T.Images = 1;
  this->P.AX = 10;
  this->P.AY = 5;
  EXPECT_TRUE(this->Layout(u"<A HREF=\"pic\" TITLE=\"t\"><IMG SRC=\"IDX:0\"></A>"));
  EXPECT_EQ(this->P.AAnchor, u"pic");
  EXPECT_EQ(this->P.ATitle, u"t");
  this->P.AX = 1;   // on the picture's left edge
  this->P.AAnchor.clear();
  EXPECT_FALSE(this->Layout(u"<A HREF=\"pic\"><IMG SRC=\"IDX:0\"></A>"));
  this->P.AX = 10;   // outside an anchor a picture is no hit
  EXPECT_FALSE(this->Layout(u"<IMG SRC=\"IDX:0\">"));
}

TYPED_TEST(HtmlLayoutTest, PictureThatDoesNotFitStartsTheNextLine) {
  this->T.Images = 1;
  this->Layout(u"abcdefghij<IMG SRC=\"IDX:0\">", 70);
  ASSERT_EQ(this->T.Count("image"), 1);
  EXPECT_EQ(this->T.Calls[0].A, 1);
  EXPECT_EQ(this->T.Calls[0].B, 20);
  EXPECT_EQ(this->P.AYSize, 40);
}

// A picture floated left narrows the lines beside it until they pass its bottom; the paragraph
// float brings the next line back to the float's top.
TYPED_TEST(HtmlLayoutTest, LeftFloatNarrowsTheLinesBesideIt) {
  this->T.Images = 1;
  this->Layout(u"<P FLOAT=\"LEFT\"><IMG SRC=\"IDX:0\" WIDTH=\"16\" HEIGHT=\"40\" FLOAT=\"LEFT\"><BR>aa<BR>bb<BR>cc");
  ASSERT_EQ(this->T.Count("image"), 1);
  EXPECT_EQ(this->T.Calls[0].A, 1);
  EXPECT_EQ(this->T.Calls[0].B, 0);
  ASSERT_EQ(this->T.Runs.size(), 3u);
  EXPECT_EQ(this->T.Runs[0].L, 19);   // beside the picture: 16 + 2 in
  EXPECT_EQ(this->T.Runs[0].T, 0);
  EXPECT_EQ(this->T.Runs[1].L, 19);
  EXPECT_EQ(this->T.Runs[1].T, 20);
  EXPECT_EQ(this->T.Runs[2].L, 1);    // past the picture's bottom
  EXPECT_EQ(this->T.Runs[2].T, 40);
  EXPECT_EQ(this->P.AYSize, 60);
}

TYPED_TEST(HtmlLayoutTest, RightFloatSitsAtTheRightEdgeAndEndsItsLine) {
  this->T.Images = 1;
  this->Layout(u"<P ALIGN=\"RIGHT\" FLOAT=\"RIGHT\"><IMG SRC=\"IDX:0\" WIDTH=\"16\" HEIGHT=\"40\" FLOAT=\"RIGHT\">aa<BR>bb");
  ASSERT_EQ(this->T.Count("image"), 1);
  EXPECT_EQ(this->T.Calls[0].A, 84);   // 100 - 16
  ASSERT_EQ(this->T.Runs.size(), 2u);
  EXPECT_EQ(this->T.Runs[0].T, 0);
  EXPECT_EQ(this->T.Runs[0].L, 82 - 12);   // right-aligned against the float
  EXPECT_EQ(this->T.Runs[1].L, 82 - 12);
  EXPECT_EQ(this->P.AXSize, 99);           // the float's line fills the line
  // Without a paragraph float the picture only takes its line.
  this->Layout(u"<IMG SRC=\"IDX:0\" WIDTH=\"16\" HEIGHT=\"40\" FLOAT=\"RIGHT\">aa");
  ASSERT_EQ(this->T.Runs.size(), 1u);
  EXPECT_EQ(this->T.Runs[0].T, 40);
  EXPECT_EQ(this->T.Runs[0].L, 1);
}

// Right-to-left reading mirrors bullets, pictures, controls and the focus rectangle about the
// line's middle, as it does text runs; hit tests mirror the point back.
TYPED_TEST(HtmlLayoutTest, RightToLeftMirrorsEveryItem) {
  this->T.Images = 1;
  this->P.AFocusLink = 0;
  this->Layout(u"<UL><LI TYPE=\"SQUARE\">x</UL><BR><IMG SRC=\"IDX:0\"><BR><CONTROL TYPE=\"CHECK\" ID=\"c\"><BR><A HREF=\"h\">ab</A>",
               100, DT_RTLREADING);
  std::map<std::string, typename TestFixture::Target::TCall> calls;
  for (const auto& c : this->T.Calls) calls.emplace(c.Kind, c);
  ASSERT_EQ(calls.count("fill"), 1u);
  EXPECT_EQ(calls["fill"].A, 1 + 100 - 1 - 8);      // the square, 8 wide, from the line's right
  EXPECT_EQ(calls["image"].A, 100 - 16);
  EXPECT_EQ(calls["image"].C, 100);
  EXPECT_EQ(calls["control"].C, 100 - 2);            // the check box's right edge
  EXPECT_EQ(calls["focus"].A, 101 - 14);             // 0..14 mirrored
  EXPECT_EQ(calls["focus"].C, 101);
  // A hit test at the mirrored place of the check box finds it.
  this->P.ACheckHotSpot = true;
  this->P.AX = 92;
  this->P.AY = 45;
  EXPECT_TRUE(this->Layout(u"<IMG SRC=\"IDX:0\"><BR><BR><CONTROL TYPE=\"CHECK\" ID=\"c\">", 100, DT_RTLREADING));
  EXPECT_EQ(this->P.AControlID, u"c");
  EXPECT_EQ(this->P.AControlRect.right, 101 - 1);
}

}  // namespace
