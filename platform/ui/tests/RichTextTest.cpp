// The rich document and the Rich Text Format: reading hand-written RTF, round trips, editing
// runs, and input that is broken on purpose.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/ui/RichText.h"

namespace {

TRichFormat Base() {
  TRichFormat f;
  f.Name = u"Tahoma";
  f.Height = 160;
  return f;
}

// The runs of a paragraph as "text|attributes" pieces, for compact comparisons.
std::vector<std::string> Runs(const TRichDocument& D, Integer Para) {
  std::vector<std::string> out;
  const TRichParagraph& p = D.Paragraph(Para);
  for (std::size_t r = 0; r < p.Runs.size(); ++r) {
    const TRichFormat& f = D.Format(p.Runs[r].Format);
    std::string s = UTF8Encode(p.Text.substr(static_cast<std::size_t>(p.Runs[r].Start),
                                             static_cast<std::size_t>(p.RunEnd(r) - p.Runs[r].Start)));
    s += "|" + UTF8Encode(f.Name) + "," + std::to_string(f.Height / 10);
    if (f.Bold) s += ",b";
    if (f.Italic) s += ",i";
    if (f.Underline) s += ",u";
    if (f.StrikeOut) s += ",s";
    if (!f.AutoColor) s += ",c" + std::to_string(f.Color);
    if (f.Offset) s += ",o" + std::to_string(f.Offset);
    if (f.Script == rsSubscript) s += ",sub";
    if (f.Script == rsSuperscript) s += ",super";
    out.push_back(s);
  }
  return out;
}

using V = std::vector<std::string>;

}  // namespace

TEST(RichText, HandWrittenRtfReadsWithItsRuns) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman Times New Roman;}"
      "{\\f2\\fnil\\fcharset238 Tahoma;}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
      "{\\*\\generator Hand 1.0;}{\\info{\\title ignored}}\\viewkind4\\uc1\r\n"
      "\\pard\\qc\\f0\\fs20 Plain \\b bold\\b0  \\i italic\\i0  \\ul under\\ulnone  \\strike gone\\strike0\\par\r\n"
      "\\pard\\qr\\f1\\fs28\\cf1 red {\\cf2 navy} back\\cf0  auto\\par\r\n"
      "\\pard\\qj x\\super 2\\nosupersub  H\\sub 2\\nosupersub O \\up6 up\\up0  \\dn4 dn\\dn0\\par\r\n"
      "\\pard\\f0\\fs20 caf\\'e9 \\f2\\'b9 \\u8364?\\u-3972? tab\\tab line\\line end\\unknownword99 \\{x\\}\\\\\\par\r\n"
      "\\pard\\ql{\\fs40 big}\\par\r\n"
      "last}";
  TRichDocument d = TRichDocument::FromRtf(rtf, Base());
  ASSERT_EQ(d.ParagraphCount(), 6);
  EXPECT_EQ(Runs(d, 0), (V{"Plain |Arial,20", "bold|Arial,20,b", " |Arial,20", "italic|Arial,20,i", " |Arial,20",
                           "under|Arial,20,u", " |Arial,20", "gone|Arial,20,s"}));
  EXPECT_EQ(d.Paragraph(0).Align, taCenter);
  EXPECT_EQ(Runs(d, 1), (V{"red |Times New Roman,28,c255", "navy|Times New Roman,28,c8388608",
                           " back|Times New Roman,28,c255", " auto|Times New Roman,28"}));
  EXPECT_EQ(d.Paragraph(1).Align, taRightJustify);
  EXPECT_EQ(Runs(d, 2), (V{"x|Times New Roman,28", "2|Times New Roman,28,super", " H|Times New Roman,28",
                           "2|Times New Roman,28,sub", "O |Times New Roman,28", "up|Times New Roman,28,o60",
                           " |Times New Roman,28", "dn|Times New Roman,28,o-40"}));
  EXPECT_TRUE(d.Paragraph(2).Justify);
  // Code pages: the document's (1252) and the font's (charset 238: 1250, where B9 is a-ogonek).
  EXPECT_EQ(d.Paragraph(3).Text, u"café \u0105 \u20AC\uF07C tab\tline\u000Bend{x}\\");
  EXPECT_EQ(Runs(d, 3).size(), 2u);
  EXPECT_EQ(d.Format(d.Paragraph(3).Runs[1].Format).Name, u"Tahoma");
  // \pard resets the paragraph, not the characters: the font stays.
  EXPECT_EQ(Runs(d, 4), (V{"big|Tahoma,40"}));
  EXPECT_EQ(d.Paragraph(4).Align, taLeftJustify);
  EXPECT_EQ(Runs(d, 5), (V{"last|Tahoma,20"}));
  EXPECT_EQ(d.Text(u"\n").substr(0, 5), u"Plain");
}

TEST(RichText, WhatIsWrittenReadsBackUnchanged) {
  TRichDocument d;
  d.Clear(Base());
  d.Insert(0, u"Erste Zeile mit Ümlaut und {Klammern} \\ und €\rzweite\tZeile\u000Bweiter\r\rletzte", 0);
  TRichFormat f = Base();
  f.Bold = true;
  d.ApplyFormat(0, 5, rfBold, f);
  f.Color = RGB(0, 128, 0);
  f.AutoColor = false;
  d.ApplyFormat(6, 11, rfColor, f);
  f.Script = rsSuperscript;
  d.ApplyFormat(12, 15, rfScript, f);
  f.Offset = -40;
  d.ApplyFormat(16, 22, rfOffset, f);
  f.Name = u"Courier New";
  f.Height = 300;
  f.Italic = f.Underline = f.StrikeOut = true;
  d.ApplyFormat(50, 56, rfFace | rfSize | rfItalic | rfUnderline | rfStrikeOut, f);
  d.SetAlignment(50, 50, taCenter);
  d.SetAlignment(66, 66, taRightJustify);
  d.SetAlignment(0, 0, taLeftJustify, true);
  std::string rtf = d.ToRtf();
  TRichDocument back = TRichDocument::FromRtf(rtf, Base());
  ASSERT_EQ(back.ParagraphCount(), d.ParagraphCount());
  for (Integer p = 0; p < d.ParagraphCount(); ++p) {
    SCOPED_TRACE(p);
    EXPECT_EQ(Runs(back, p), Runs(d, p));
    EXPECT_EQ(back.Paragraph(p).Align, d.Paragraph(p).Align);
    EXPECT_EQ(back.Paragraph(p).Justify, d.Paragraph(p).Justify);
  }
  EXPECT_EQ(back.ToRtf(), rtf);
}

TEST(RichText, TextWithoutRtfHeaderLoadsAsPlainText) {
  const struct {
    std::string In;
    String Text;
  } cases[] = {
      {"zwei\r\nZeilen", u"zwei\nZeilen"},
      {"\xEF\xBB\xBF{\\rtf1 utf8 bom}", u"{\\rtf1 utf8 bom}"},
      {"caf\xE9", u"café"},
      {"  {\\rtf1 Text}", u"Text"},
      {"{\\rtf", u""},
  };
  for (const auto& c : cases) {
    TRichDocument d = TRichDocument::FromRtf(c.In, Base());
    EXPECT_EQ(d.Text(u"\n"), c.Text) << c.In;
  }
  // Plain text takes the default format.
  TRichDocument d = TRichDocument::FromRtf("plain", Base());
  EXPECT_EQ(Runs(d, 0), (V{"plain|Tahoma,16"}));
}

TEST(RichText, BrokenInputLoadsWhatItCan) {
  std::string deep = "{\\rtf1 start";
  for (int i = 0; i < 10000; ++i) deep += "{\\b ";
  deep += "deep";
  const struct {
    std::string In;
    String Text;
  } cases[] = {
      {"{\\rtf1 abc {\\b bold", u"abc bold"},                                      // truncated
      {"{\\rtf1 a}}}} b {", u"a"},                                                // unbalanced
      {deep, u"startdeep"},                                                       // 10,000 groups deep
      {"{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f7 x\\cf9 y\\fs-5 z}", u"xyz"},             // unknown font and colour
      {"{\\rtf1 \\'4", u"4"},                                                      // cut hex
      {"{\\rtf1 \\'zz ok}", u"zz ok"},                                             // bad hex
      {"{\\rtf1 \\u \\u99999999999 a\\uc5\\u65 bcdefg}", u"aAg"},                    // odd \u
      {"{\\rtf1\\ansicpg99999 \\'e9}", u"é"},                                     // unknown code page
      {"{\\rtf1\\ansicpg932 \\'82\\'a0 \\'82}", u"\u3042 ?"},                     // DBCS, cut pair
      {"{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop1 x}", u"x"},          // overlong word
      {std::string("{\\rtf1 a\0b}", 11), std::u16string(u"a\0b", 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.In.substr(0, 60));
    TRichDocument d = TRichDocument::FromRtf(c.In, Base());
    EXPECT_EQ(d.Text(u"\n"), c.Text);
  }
  TRichDocument d = TRichDocument::FromRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f7 x\\cf9 y}", Base());
  EXPECT_EQ(Runs(d, 0), (V{"xy|Tahoma,24"}));
}

TEST(RichText, EditsKeepRunsAndParagraphs) {
  TRichDocument d;
  d.Clear(Base());
  d.Insert(0, u"Hallo Welt", 0);
  TRichFormat bold = Base();
  bold.Bold = true;
  d.ApplyFormat(6, 10, rfBold, bold);
  EXPECT_EQ(Runs(d, 0), (V{"Hallo |Tahoma,16", "Welt|Tahoma,16,b"}));
  // Typing at the end continues the last run; a paragraph break splits runs and paragraphs.
  d.Insert(10, u"!\r\nNeu", d.FormatIndexAt(10));
  ASSERT_EQ(d.ParagraphCount(), 2);
  EXPECT_EQ(Runs(d, 0), (V{"Hallo |Tahoma,16", "Welt!|Tahoma,16,b"}));
  EXPECT_EQ(Runs(d, 1), (V{"Neu|Tahoma,16,b"}));
  EXPECT_EQ(d.Length(), 15);
  // Deleting across the paragraph end joins the paragraphs.
  d.Delete(9, 13);
  EXPECT_EQ(d.ParagraphCount(), 1);
  EXPECT_EQ(Runs(d, 0), (V{"Hallo |Tahoma,16", "Weleu|Tahoma,16,b"}));
  // A copy carries formats; inserting it elsewhere brings them along.
  TRichDocument piece = d.Copy(4, 8);
  EXPECT_EQ(Runs(piece, 0), (V{"o |Tahoma,16", "We|Tahoma,16,b"}));
  d.InsertDocument(0, piece);
  EXPECT_EQ(Runs(d, 0), (V{"o |Tahoma,16", "We|Tahoma,16,b", "Hallo |Tahoma,16", "Weleu|Tahoma,16,b"}));
  DWORD same = 0;
  d.FormatOfRange(0, 4, same);
  EXPECT_EQ(same & rfBold, 0u);
  EXPECT_NE(same & rfFace, 0u);
  EXPECT_EQ(d.TextRange(2, 9), u"WeHallo");
}

TEST(RichText, WrittenRtfIsStableForAnyInput) {
  const std::string inputs[] = {"", "plain", "{\\rtf1}", "{\\rtf1{\\fonttbl{\\f0 A;B;}}\\f0 x}",
                                "{\\rtf1\\fs1 tiny\\fs99999 huge}", "{\\rtf1 a\\par\\par}",
                                // font names with characters beyond ASCII, a ';', blanks or nothing
                                "{\\rtf1{\\fonttbl{\\f0 Schrift \\u196?;}{\\f1 A\\'3bB  ;}{\\f2;}}\\f0 x\\f1 y\\f2 z}"};
  std::vector<std::string> all(std::begin(inputs), std::end(inputs));
  // The fuzz target's seeds (findings among them) as well.
  for (const auto& entry : std::filesystem::directory_iterator(std::string(ZELK_TEST_DATA) + "/../../fuzz/corpus")) {
    std::ifstream file(entry.path(), std::ios::binary);
    all.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  ASSERT_GT(all.size(), std::size(inputs));
  for (const std::string& in : all) {
    SCOPED_TRACE(in.substr(0, 80));
    TRichDocument d = TRichDocument::FromRtf(in, Base());
    std::string once = d.ToRtf();
    TRichDocument back = TRichDocument::FromRtf(once, Base());
    EXPECT_EQ(back.ToRtf(), once);
    EXPECT_EQ(back.Text(), d.Text());
  }
}
