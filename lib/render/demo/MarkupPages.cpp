// The markup page of render-demo: samples of the markup language, each in a framed cell with its
// caption, drawn by DrawHtmlText. The boxes name what a test looks for: coloured text, the
// underline of an anchor, list bullets, control faces, a paragraph band, an emoji, an error wave.
#include <functional>

#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/demo/RenderDemo.h"

namespace {

constexpr Integer CellWidth = 300, CellHeight = 96, Columns = 2, Rows = 5;

using TSetup = std::function<void(THtmlDrawParams&)>;

THtmlDrawParams Params(TCanvas* ACanvas, const TRect& ARect, StringView AText) {
  THtmlDrawParams p;
  p.ACanvas = ACanvas;
  p.ARect = ARect;
  p.AText = String(AText);
  return p;
}

// Cell ACell (row by row): a frame, the caption above, the markup below it. Returns the markup's
// rectangle.
TRect Cell(TCanvas* ACanvas, Integer ACell, StringView ACaption, StringView AText, const TSetup& ASetup = nullptr) {
  const Integer left = 10 + (ACell % Columns) * (CellWidth + 10), top = 10 + (ACell / Columns) * (CellHeight + 10);
  TPen* pen = ACanvas->GetPen();
  pen->SetColor(0xD0D0D0);
  ACanvas->GetBrush()->SetStyle(bsClear);
  ACanvas->Rectangle(TRect{left, top, left + CellWidth, top + CellHeight});
  TFont* font = ACanvas->GetFont();
  font->SetName(u"DejaVu Sans");
  font->SetSize(7);
  font->SetColor(0x808080);
  ACanvas->TextOut(left + 4, top + 2, String(ACaption));
  font->SetSize(10);
  font->SetColor(clBlack);
  const TRect area{left + 4, top + 16, left + CellWidth - 4, top + CellHeight - 4};
  THtmlDrawParams p = Params(ACanvas, area, AText);
  if (ASetup) ASetup(p);
  DrawHtmlText(p);
  return area;
}

// The box of the anchor under (AX, AY), or of the control with the ID, as a hit test finds it.
TRect HitBox(TCanvas* ACanvas, const TRect& AArea, StringView AText, Integer AX, Integer AY, StringView AControlID = {}) {
  THtmlDrawParams p = Params(ACanvas, AArea, AText);
  p.AX = AX;
  p.AY = AY;
  p.ACheckHotSpot = true;
  p.AControlID = String(AControlID);
  DrawHtmlText(p);
  return AControlID.empty() ? p.AHoverRect : p.AControlRect;
}

const char16_t* const Colours =
    u"<FONT COLOR=\"clRed\">red by name</FONT> <FONT COLOR=\"#0000FF\">blue by hex</FONT> "
    u"<FONT BGCOLOR=\"#FFFF00\">on yellow</FONT> <B>bold</B> <I>italic</I> <U>underlined</U> <S>struck</S>";
const char16_t* const Links = u"Go <A HREF=\"home\" TITLE=\"Home\">to the home page</A> or <A HREF=\"next\">next</A>";
const char16_t* const Lists = u"<UL><LI>bullet<UL><LI>nested</UL><LI TYPE=\"SQUARE\" COLOR=\"clGreen\">square</UL>";
const char16_t* const Ordered = u"<OL><LI>first<LI>second<LI>third</OL>";
const char16_t* const Controls =
    u"<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"text\" WIDTH=\"70\"> <CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"TRUE\"> "
    u"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Push\" WIDTH=\"64\"><BR><CONTROL TYPE=\"COMBO\" ID=\"c\" "
    u"VALUE=\"choice\" WIDTH=\"90\"> <CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"TRUE\">";
const char16_t* const Paragraphs =
    u"<P ALIGN=\"CENTER\" BGCOLOR=\"#E0E0FF\">centred on a band</P><P ALIGN=\"RIGHT\">right</P>"
    u"<P INDENT=\"30\">indented</P>";
const char16_t* const Effects =
    u"H<SUB>2</SUB>O, E=mc<SUP>2</SUP>, <SHAD>shadow</SHAD>, <HI>highlight</HI>, <E>errror</E><HR COLOR=\"#808080\">"
    u"&amp;&amp; and &x";
const char16_t* const Emoji = u"faces &#128512; &#128578; and <FONT SIZE=\"5\" FACE=\"Liberation Serif\">serif</FONT>";
const char16_t* const Rotated = u"<R \"90\">rotated</R>";
const char16_t* const Entities = u"&euro; 5 &copy; &lt;tag&gt; &#65;&#x42; caf&eacute; <#123>";

void DrawMarkupPage(TCanvas* ACanvas, std::vector<TDemoBox>& ABoxes) {
  TRect area = Cell(ACanvas, 0, u"fonts and colours", Colours);
  // The first line: "red by name" starts the line in red.
  ABoxes.push_back({"red-text", TRect{area.left, area.top, area.left + 80, area.top + 18}});
  area = Cell(ACanvas, 1, u"anchors (all underlined)", Links);
  ABoxes.push_back({"link", HitBox(ACanvas, area, Links, area.left + 60, area.top + 8)});
  area = Cell(ACanvas, 2, u"unordered list", Lists);
  ABoxes.push_back({"bullet", TRect{area.left + 1, area.top, area.left + 13, area.top + 18}});
  // The third item's square: 8 x 8 at the line's left, 2 below its top.
  ABoxes.push_back({"square", TRect{area.left + 1, area.top + 28, area.left + 14, area.top + 56}});
  Cell(ACanvas, 3, u"ordered list", Ordered);
  area = Cell(ACanvas, 4, u"form controls", Controls);
  ABoxes.push_back({"check", HitBox(ACanvas, area, Controls, -1, -1, u"k")});
  ABoxes.push_back({"button", HitBox(ACanvas, area, Controls, -1, -1, u"b")});
  area = Cell(ACanvas, 5, u"paragraphs", Paragraphs);
  ABoxes.push_back({"band", TRect{area.left, area.top, area.right, area.top + 4}});
  area = Cell(ACanvas, 6, u"sub, sup, shadow, highlight, error, rule, ampersands", Effects);
  ABoxes.push_back({"effects", area});
  area = Cell(ACanvas, 7, u"emoji and faces", Emoji);
  ABoxes.push_back({"emoji", TRect{area.left, area.top, area.left + 120, area.top + 24}});
  Cell(ACanvas, 8, u"rotated text", Rotated);
  Cell(ACanvas, 9, u"entities", Entities);
}

}  // namespace

void AddMarkupPages(std::vector<TDemoPage>& APages) {
  APages.push_back({"markup", 10 + Columns * (CellWidth + 10), 10 + Rows * (CellHeight + 10), DrawMarkupPage});
}
