// The markup language: tables, colours, entity routines and the preprocessing of a text.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "lib/render/NeoHTMLMarkup.h"
#include "platform/rtl/testsupport/Utf8.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Colours

TEST(HtmlColorTable, HoldsTheCssAndSystemNamesSortedForBinarySearch) {
  const auto table = HtmlColorTable();
  ASSERT_EQ(table.size(), 172u);
  EXPECT_TRUE(std::is_sorted(table.begin(), table.end(),
                             [](const THtmlNamedColor& A, const THtmlNamedColor& B) { return A.Name < B.Name; }));
  EXPECT_EQ(std::adjacent_find(table.begin(), table.end(),
                               [](const THtmlNamedColor& A, const THtmlNamedColor& B) { return A.Name == B.Name; }),
            table.end());
  EXPECT_EQ(table.front().Name, u"3ddkshadow");
  EXPECT_EQ(table.front().Color, SysColor(21));
  EXPECT_EQ(table.back().Name, u"yellowgreen");
  EXPECT_EQ(table.back().Color, 0x32CD9A);
  const auto system = std::count_if(table.begin(), table.end(),
                                    [](const THtmlNamedColor& R) { return (R.Color & 0xFF000000) == 0xFF000000; });
  EXPECT_EQ(system, 24);
  // Every row is found by its own name.
  for (const THtmlNamedColor& row : table) EXPECT_EQ(HtmlColorByName(row.Name), row.Color) << U8(row.Name);
}

TEST(HtmlColorByName, SystemColoursAreTheIndexAboveTheSystemBit) {
  const std::pair<const Char*, int> rows[] = {
      {u"3ddkshadow", 21}, {u"3dlight", 22},       {u"activeborder", 10},       {u"activecaption", 2},
      {u"appworkspace", 12}, {u"background", 1},   {u"btnface", 15},            {u"btnhighlight", 20},
      {u"btnshadow", 16},  {u"btntext", 18},       {u"captiontext", 9},         {u"graytext", 17},
      {u"highlight", 13},  {u"highlighttext", 14}, {u"inactiveborder", 11},     {u"inactivecaption", 3},
      {u"inactivecaptiontext", 19}, {u"infobk", 24}, {u"infotext", 23},         {u"menu", 4},
      {u"menutext", 7},    {u"window", 5},         {u"windowframe", 6},         {u"windowtext", 8},
  };
  for (const auto& [name, index] : rows) {
    EXPECT_EQ(HtmlColorByName(name), static_cast<TColor>(0xFF000000u + index)) << U8(name);
    EXPECT_EQ(HtmlColorByName(String(u"cl") + name), static_cast<TColor>(0xFF000000u + index)) << U8(name);
  }
}

TEST(HtmlColorByName, NamesAndHexTexts) {
  const std::pair<const Char*, TColor> rows[] = {
      {u"red", 0x0000FF},        {u"clred", 0x0000FF},     {u"aliceblue", 0xFFF8F0}, {u"orange", 0x00A5FF},
      {u"rebeccapurple", 0x993366}, {u"grey", 0x808080},   {u"gray", 0x808080},
      // case-sensitive lookup: callers lower-case first
      {u"clRed", 0},             {u"Red", 0},              {u"RED", 0},
      // unknown names are black
      {u"nosuchcolour", 0},      {u"", 0},                 {u"cl", 0},               {u"clclred", 0},
      // "#RRGGBB", either case; a missing or bad pair counts 0
      {u"#FF0000", 0x0000FF},    {u"#ff8000", 0x0080FF},   {u"#0A0b0C", 0x0C0B0A},   {u"#GG8000", 0x008000},
      {u"#12", 0x000012},        {u"#1", 0},               {u"#", 0},                {u"#12345Z", 0x003412},
      {u"#FFFFFFFF", 0xFFFFFF},
  };
  for (const auto& [text, color] : rows) EXPECT_EQ(HtmlColorByName(text), color) << U8(text);
  EXPECT_EQ(HtmlHexColor(u"#00FF00"), 0x00FF00);
  EXPECT_EQ(HtmlHexColor(u"#0000fF"), 0xFF0000);
}

TEST(HtmlHighlightColors, StartAsTheSystemHighlightAndAreReplacedTogether) {
  EXPECT_EQ(HtmlHighlightColor(), static_cast<TColor>(0xFF00000D));
  EXPECT_EQ(HtmlHighlightTextColor(), static_cast<TColor>(0xFF00000E));
  SetHtmlHighlightColors(clYellow, clNavy);
  EXPECT_EQ(HtmlHighlightColor(), clYellow);
  EXPECT_EQ(HtmlHighlightTextColor(), clNavy);
  SetHtmlHighlightColors(clHighlight, clHighlightText);
}

// ---------------------------------------------------------------------------------------------
// The named-entity table and the entity routines

TEST(HtmlEntityTable, RowsAreWidenedFromWindows1252) {
  const auto table = HtmlEntityTable();
  ASSERT_EQ(table.size(), 83u);
  EXPECT_EQ(table[0].Text, u"&quot;");
  EXPECT_EQ(table[0].Character, u'"');
  EXPECT_EQ(table[1].Text, u"&nbsp;");
  EXPECT_EQ(table[1].Character, u' ');
  EXPECT_EQ(table.back().Text, u"&ETH;");
  EXPECT_EQ(table.back().Character, u'\u00D0');
  const std::pair<const Char*, Char> telling[] = {
      {u"&euro;", u'\u20AC'}, {u"&trade;", u'\u2122'}, {u"&permil;", u'\u2030'}, {u"&#39;", u'\''},
      {u"&#x00FD;", u'\u00FD'}, {u"&#221;", u'\u00DD'}, {u"&dollar;", u'$'},    {u"&eacute;", u'\u00E9'},
      {u"&Eacute;", u'\u00C9'}, {u"&szlig;", u'\u00DF'},
  };
  for (const auto& [text, character] : telling) {
    const auto it = std::find_if(table.begin(), table.end(), [text = text](const THtmlEntity& E) { return E.Text == text; });
    ASSERT_NE(it, table.end()) << U8(text);
    EXPECT_EQ(it->Character, character) << U8(text);
  }
  // "&sect;" and "&para;" stand twice.
  EXPECT_EQ(std::count_if(table.begin(), table.end(), [](const THtmlEntity& E) { return E.Text == u"&sect;"; }), 2);
  EXPECT_EQ(std::count_if(table.begin(), table.end(), [](const THtmlEntity& E) { return E.Text == u"&para;"; }), 2);
}

TEST(HtmlEntities, EncodeEscapesMarkupAndWithTheTableNamedAndWideCharacters) {
  const struct {
    const Char* Text;
    bool Named;
    const Char* Encoded;
  } rows[] = {
      {u"a&b\"c<d>e", false, u"a&amp;b&quot;c&lt;d&gt;e"},
      {u"caf\u00E9 \u0101", false, u"caf\u00E9 \u0101"},
      // one pass: a literal "*amp;" is the user's text and stays
      {u"*amp; & *amp;", false, u"*amp; &amp; *amp;"},
      {u"\u00E9", true, u"&eacute;"},
      {u"a b", true, u"a&nbsp;b"},
      {u"\u0101", true, u"&#257;"},
      {u"\u0100", true, u"\u0100"},
      {u"\u00FF", true, u"\u00FF"},
      {u"\u20AC5 $ '", true, u"&euro;5&nbsp;&dollar;&nbsp;&#39;"},
      {u"\u00A7\u00B6", true, u"&sect;&para;"},
      {u"\U0001F600", true, u"&#128512;"},
      {u"<\u00E9>", true, u"&lt;&eacute;&gt;"},
      {u"", true, u""},
  };
  for (const auto& r : rows) EXPECT_EQ(EncodeHtmlEntities(r.Text, r.Named), r.Encoded) << U8(r.Text);
}

TEST(HtmlEntities, DecodeReadsEachEntityOnce) {
  const struct {
    const Char* Text;
    bool Named;
    const Char* Decoded;
  } rows[] = {
      {u"&quot;&amp;&gt;&lt;", false, u"\"&><"},
      {u"&eacute;&nbsp;&#257;", false, u"&eacute;&nbsp;&#257;"},
      {u"&eacute;&nbsp;&#257;&#x101;&#39;", true, u"\u00E9 \u0101\u0101'"},
      // an entity's result never starts another entity
      {u"&amp;lt;", false, u"&lt;"},
      {u"&amp;eacute;", true, u"&eacute;"},
      {u"&amp;amp;", true, u"&amp;"},
      // references to no character and unknown names stay
      {u"&#xD800;&#0;&#1114112;&#;&bogus;&", true, u"&#xD800;&#0;&#1114112;&#;&bogus;&"},
      {u"&EACUTE; &Eacute;", true, u"&EACUTE; \u00C9"},
  };
  for (const auto& r : rows) EXPECT_EQ(DecodeHtmlEntities(r.Text, r.Named), r.Decoded) << U8(r.Text);
  EXPECT_EQ(DecodeQuotAmpEntities(u"&lt;&quot;&amp;&gt;&eacute;", false), u"&lt;\"&&gt;&eacute;");
  EXPECT_EQ(DecodeQuotAmpEntities(u"&lt;&quot;&amp;&gt;&eacute;&#257;&#39;", true), u"&lt;\"&&gt;\u00E9&#257;'");
}

TEST(HtmlEntities, EncodeThenDecodeWithTheTableGivesBackEveryCharacter) {
  String all = u"&\"<> plain *amp; \u0100\u0101\u4E2D\U0001F600";
  for (const THtmlEntity& row : HtmlEntityTable()) all += row.Character;
  for (const bool named : {false, true}) {
    const String encoded = EncodeHtmlEntities(all, named);
    EXPECT_EQ(DecodeHtmlEntities(encoded, named), all) << named;
  }
  const String encoded = EncodeHtmlEntities(all, true);
  for (const THtmlEntity& row : HtmlEntityTable()) EXPECT_EQ(encoded.find(row.Character), String::npos) << U8(row.Text);
}

TEST(HtmlEntities, RunDecoderKeepsTheEscapedAmpersand) {
  EXPECT_EQ(DecodeHtmlRunEntities(u"a&nbsp;&lt;b&gt;&eacute;&amp;&quot;"), u"a <b>\u00E9&amp;\"");
  EXPECT_EQ(DecodeHtmlRunEntities(u"&&lt; &&"), u"&&lt; &&");
  EXPECT_EQ(DecodeHtmlRunEntities(u"no entities"), u"no entities");
}

// ---------------------------------------------------------------------------------------------
// Preprocessing

TEST(HtmlPreprocessing, StepOneEscapesAmpersandsAndDecodesTheTable) {
  const std::pair<const Char*, const Char*> rows[] = {
      {u"Tom&amp;Jerry", u"Tom&&Jerry"},
      {u"&amp;a&amp;&amp;b&amp;", u"&&a&&&&b&&"},
      {u"&quot;x&quot; caf&eacute; &euro;5&nbsp;", u"\"x\" caf\u00E9 \u20AC5 "},
      {u"&amp;eacute; &&eacute;", u"&&eacute; &&eacute;"},
      {u"&lt;B&gt; &#65; & x", u"&lt;B&gt; &#65; & x"},
  };
  for (const auto& [text, prepared] : rows) EXPECT_EQ(DecodeHtmlTextEntities(text), prepared) << U8(text);
}

TEST(HtmlPreprocessing, HashTextsInBracketsLoseTheirBrackets) {
  const std::pair<const Char*, const Char*> rows[] = {
      {u"<#12>", u"#12"},          {u"<#12><#34>", u"#12#34"},    {u"a <#1> b <B>c</B>", u"a #1 b <B>c</B>"},
      {u"<#5", u"#5"},             {u"<#1<#2>>x>", u"#1#2x>"},   {u"<<##>>", u"<##>"},
  };
  for (const auto& [text, prepared] : rows) EXPECT_EQ(DropHashTagBrackets(text), prepared) << U8(text);
}

TEST(HtmlPreprocessing, NumericReferences) {
  const String grin = u"\U0001F600";
  const std::pair<String, String> rows[] = {
      {u"&#65;&#x41;", u"AA"},
      {u"&#233;t&#xE9;", u"\u00E9t\u00E9"},
      {u"&#128512;", u"<J " + grin + u" >"},
      {u"&#x1F600; x", u"<J " + grin + u" > x"},
      {u"&#126980;", u"<J \U0001F004 >"},
      {u"&#126979;", u"\U0001F003"},
      {u"&#65536;", u"\U00010000"},
      {u"a&#", u"a&#"},
      {u"&#65", u"&#65"},
      // no ";" within seven characters: the digits end the reference and the next character goes
      {u"&#65 and; &#66;", u"Aand; B"},
      {u"&#65 xxxxx;", u"Axxxxx;"},
      // a ";" within seven characters ends it, digits or not
      {u"&#6 5; &#66;", u"&#6 5; B"},
      {u"&#0065;", u"A"},
      // "&&#": an escaped ampersand stops the expansion
      {u"&#65;&&#66;&#67;", u"A&&#66;&#67;"},
      // open cases stay as text and the scan moves past them
      {u"&#;&#x;&#abc;&#6a;", u"&#;&#x;&#abc;&#6a;"},
      {u"&#1234567; &#66;", u"&#1234567; B"},
      {u"&#99999999;", u"&#99999999;"},
      {u"&#X41;", u"&#X41;"},
      // markup characters cannot be injected
      {u"&#60;B&#62;bold&#60;/B&#62;", u"&lt;B&gt;bold&lt;/B&gt;"},
      {u"&#x3C;&#38;", u"&lt;&&"},
      // references to no character
      {u"&#0;&#xD800;&#xDFFF;&#x110000;", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
  };
  for (const auto& [text, prepared] : rows) EXPECT_EQ(ExpandNumericEntities(text), prepared) << U8(text);
}

TEST(HtmlPreprocessing, LineBreaks) {
  EXPECT_EQ(NormalizeHtmlLineBreaks(u"a\r\nb\nc\rd"), u"a<BR>bc<BR>d");
  EXPECT_EQ(NormalizeHtmlLineBreaks(u"a\r\nb\nc\rd", false), u"abcd");
}

TEST(HtmlPreprocessing, PrepareRunsTheStepsInOrderUnderTheEngineWideFlag) {
  EXPECT_TRUE(HtmlKeepLineBreaks);
  const String text = u"R&amp;D <#7>&#13;caf&eacute;&#65;\r\n&amp;#66;";
  EXPECT_EQ(PrepareHtmlText(text), u"R&&D #7<BR>caf\u00E9A<BR>&&#66;");
  HtmlKeepLineBreaks = false;
  EXPECT_EQ(PrepareHtmlText(text), u"R&&D #7caf\u00E9A&&#66;");
  HtmlKeepLineBreaks = true;
  EXPECT_EQ(PrepareHtmlText(u""), u"");
  EXPECT_EQ(PrepareHtmlText(u"plain"), u"plain");
}

}  // namespace
