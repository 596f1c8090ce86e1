// Text routines: blanks, plain text, tag stripping, highlighting.
#include <gtest/gtest.h>

#include "lib/render/NeoHTMLText.h"
#include "platform/rtl/testsupport/Utf8.h"

namespace {

TEST(HtmlTextRoutines, SpacesAndPlainText) {
  EXPECT_EQ(SpacesToNbsp(u"a b  c"), u"a&nbsp;b&nbsp;&nbsp;c");
  const std::pair<const Char*, const Char*> plain[] = {
      {u"a<br>b<HR>c<B>d</B>", u"a\r\nb\r\ncd"},
      {u"a<b", u"a<b"},
      {u"x<b>y<z", u"xy<z"},
      {u"a>b<i>c", u"a>bc"},
      {u"<BR >", u""},
  };
  for (const auto& [text, expected] : plain) EXPECT_EQ(HtmlToPlainText(text), expected) << U8(text);
  const std::pair<const Char*, const Char*> stripped[] = {
      {u"a<br>b", u"ab"},        {u"<b>x</b> < y", u"x < y"}, {u"a<b", u"a<b"},
      {u"<<a>", u""},            {u"a>b", u"a>b"},            {u"&lt;<i>&amp;</i>", u"&lt;&amp;"},
  };
  for (const auto& [text, expected] : stripped) EXPECT_EQ(StripHtmlTags(text), expected) << U8(text);
}

struct THighlightRow {
  const Char* Text;
  const Char* Search;
  bool CaseSensitive;
  bool WholeText;
  const Char* Expected;
};

TEST(HtmlHighlight, PlainTexts) {
  const THighlightRow rows[] = {
      {u"Hello world, hello", u"hello", false, false, u"<HI>Hello</HI> world, <HI>hello</HI>"},
      {u"Hello world, hello", u"hello", true, false, u"Hello world, <HI>hello</HI>"},
      // matched plain text comes back encoded; without a match it stays as it was
      {u"a<b & a", u"a", true, false, u"<HI>a</HI>&lt;b &amp; <HI>a</HI>"},
      {u"a<b & \u00E9", u"z", false, false, u"a<b & \u00E9"},
      {u"aaaa", u"aa", false, false, u"<HI>aa</HI><HI>aa</HI>"},
      {u"caf\u00E9", u"\u00C9", false, false, u"caf<HI>\u00E9</HI>"},
      // whole-text mode: all or nothing, the plain text encoded with the named table
      {u"caf\u00E9", u"CAF\u00C9", false, true, u"<HI>caf&eacute;</HI>"},
      {u"caf\u00E9 au lait", u"caf\u00E9", false, true, u"caf\u00E9 au lait"},
      // old highlight tags go first
      {u"<hi>ab<HI> cd", u"cd", false, false, u"ab <HI>cd</HI>"},
      {u"<HI>ab", u"", false, false, u"ab"},
  };
  for (const THighlightRow& r : rows)
    EXPECT_EQ(HighlightHtmlText(r.Text, r.Search, u"hi", r.CaseSensitive, r.WholeText), r.Expected) << U8(r.Text);
}

TEST(HtmlHighlight, MarkupKeepsTagsAndEntitiesWhole) {
  const THighlightRow rows[] = {
      {u"<B>Hello</B> world", u"lo w", false, false, u"<B>Hel<HI>lo</B></HI><HI> w</HI>orld"},
      {u"<B>Hello</B> world", u"LO W", true, false, u"<B>Hello</B> world"},
      // a closing FONT inside a match is not followed by a re-opening
      {u"<FONT color=\"red\">ab</FONT>cd</B>", u"bc", false, false, u"<FONT color=\"red\">a<HI>b</FONT>c</HI>d</B>"},
      // each entity counts as the character it stands for
      {u"<B>x</B> caf&eacute; &amp; more", u"\u00E9 &", false, false,
       u"<B>x</B> caf<HI>&eacute; &amp;</HI> more"},
      {u"<I>&lt;&lt;ab</I>", u"ab", false, false, u"<I>&lt;&lt;<HI>ab</HI></I>"},
      {u"<I>&#x1F600;ab</I> \U0001F600ab", u"\U0001F600a", false, false,
       u"<I><HI>&#x1F600;a</HI>b</I> <HI>\U0001F600a</HI>b"},
      // tags at the edges of a match stay outside it
      {u"x<B>ab</B>y", u"ab", false, false, u"x<B><HI>ab</HI></B>y"},
      // whole-text mode wraps the markup as it is
      {u"<B>ab</B>", u"AB", false, true, u"<HI><B>ab</B></HI>"},
      {u"<B>ab</B>c", u"AB", false, true, u"<B>ab</B>c"},
  };
  for (const THighlightRow& r : rows)
    EXPECT_EQ(HighlightHtmlText(r.Text, r.Search, u"hi", r.CaseSensitive, r.WholeText), r.Expected) << U8(r.Text);
  EXPECT_EQ(HighlightHtmlText(u"<B>ab</B>", u"b", u"e", false, false), u"<B>a<E>b</E></B>");
}

TEST(HtmlHighlight, UnhighlightUndoesIt) {
  const struct {
    const Char* Text;
    const Char* Search;
    bool Matches;
  } cases[] = {
      {u"a<b & \"c\" b", u"b", true},
      {u"<B>Hello</B> world &amp; more", u"o", true},
      {u"<FONT color=\"red\">ab</FONT>cd</B>", u"bc", true},
      {u"nothing matches", u"zz", false},
  };
  for (const auto& c : cases) {
    const String highlighted = HighlightHtmlText(c.Text, c.Search, u"hi", false, false);
    EXPECT_EQ(highlighted != c.Text, c.Matches) << U8(c.Text);
    EXPECT_EQ(UnhighlightHtmlText(highlighted, u"HI"), c.Text) << U8(highlighted);
  }
  // tags of other names stay
  EXPECT_EQ(UnhighlightHtmlText(u"<hi>a</hi><HIX>b</HIX><e>c</e>", u"hi"), u"a<HIX>b</HIX><e>c</e>");
}

}  // namespace
