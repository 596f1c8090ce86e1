// The tag reader: which tag a "<" opens, where it ends, and attribute values.
#include <gtest/gtest.h>

#include "lib/render/NeoHTMLTags.h"
#include "platform/rtl/testsupport/Utf8.h"

namespace {

struct TTagRow {
  const Char* Rest;
  THtmlTagKind Kind;
  bool Closing;
  const Char* Text;
};

TEST(HtmlTagReader, FirstLetterAndNextCharacterChooseTheTag) {
  const TTagRow rows[] = {
      {u"<A HREF=\"x\">link</A>", htAnchor, false, u"<A HREF=\"x\">"},
      {u"<ABBR title=\"t\">", htAnchor, false, u"<ABBR title=\"t\">"},
      {u"<b>bold", htBold, false, u"<b>"},
      {u"<B >", htBold, false, u"<B >"},
      {u"<br>", htLineBreak, false, u"<br>"},
      {u"<BR/>", htLineBreak, false, u"<BR/>"},
      {u"<BLINK>", htBlink, false, u"<BLINK>"},
      {u"<body bgcolor=\"clred\">", htBody, false, u"<body bgcolor=\"clred\">"},
      {u"<BX>", htUnknown, false, u"<BX>"},
      {u"<COLGROUP>", htControl, false, u"<COLGROUP>"},
      {u"<control type=\"edit\">", htControl, false, u"<control type=\"edit\">"},
      {u"<EM>", htError, false, u"<EM>"},
      {u"<FONT color=\"red\">", htFont, false, u"<FONT color=\"red\">"},
      {u"<hi>", htHighlight, false, u"<hi>"},
      {u"<HR color=\"red\">", htRule, false, u"<HR color=\"red\">"},
      {u"<H1>", htUnknown, false, u"<H1>"},
      {u"<i>", htItalic, false, u"<i>"},
      {u"<IND x=\"20\">", htIndent, false, u"<IND x=\"20\">"},
      {u"<img src=\"idx:1\">", htImage, false, u"<img src=\"idx:1\">"},
      {u"<IX>", htUnknown, false, u"<IX>"},
      {u"<J \U0001F600 >", htEmoji, false, u"<J \U0001F600 >"},
      {u"<LI>", htListItem, false, u"<LI>"},
      {u"<ol>", htOrderedList, false, u"<ol>"},
      {u"<OX>", htUnknown, false, u"<OX>"},
      {u"<P align=\"right\">", htParagraph, false, u"<P align=\"right\">"},
      {u"<R a=\"90\">", htRotate, false, u"<R a=\"90\">"},
      {u"<S>", htStrike, false, u"<S>"},
      {u"<strike>", htStrike, false, u"<strike>"},
      {u"<SPAN style=\"x\">", htSpan, false, u"<SPAN style=\"x\">"},
      {u"<SHAD>", htShadow, false, u"<SHAD>"},
      {u"<sub>", htSubscript, false, u"<sub>"},
      {u"<SuP>", htSuperscript, false, u"<SuP>"},
      {u"<SUB x>", htUnknown, false, u"<SUB x>"},
      {u"<SU>", htUnknown, false, u"<SU>"},
      {u"<SX>", htUnknown, false, u"<SX>"},
      {u"<u>", htUnderline, false, u"<u>"},
      {u"<UL>", htUnorderedList, false, u"<UL>"},
      {u"<UX>", htUnknown, false, u"<UX>"},
      {u"<Z>", htHidden, false, u"<Z>"},
      {u"<Q>", htUnknown, false, u"<Q>"},
      {u"<1>", htUnknown, false, u"<1>"},
      {u"<>x", htUnknown, false, u"<>"},
      // closing tags
      {u"</A>", htAnchor, true, u"</A>"},
      {u"</b>", htBold, true, u"</b>"},
      {u"</BLINK>", htBlink, true, u"</BLINK>"},
      {u"</BODY>", htBody, true, u"</BODY>"},
      {u"</e>", htError, true, u"</e>"},
      {u"</FONT>", htFont, true, u"</FONT>"},
      {u"</H1>", htHighlight, true, u"</H1>"},
      {u"</IMG>", htItalic, true, u"</IMG>"},
      {u"</LI>", htListItem, true, u"</LI>"},
      {u"</OL>", htOrderedList, true, u"</OL>"},
      {u"</O>", htUnknown, true, u"</O>"},
      {u"</P>", htParagraph, true, u"</P>"},
      {u"</R>", htRotate, true, u"</R>"},
      {u"</STRIKE>", htStrike, true, u"</STRIKE>"},
      {u"</S>", htStrike, true, u"</S>"},
      {u"</SX>", htStrike, true, u"</SX>"},
      {u"</SUP>", htSubscript, true, u"</SUP>"},
      {u"</SPAN>", htSpan, true, u"</SPAN>"},
      {u"</SHAD>", htShadow, true, u"</SHAD>"},
      {u"</U>", htUnderline, true, u"</U>"},
      {u"</ul>", htUnorderedList, true, u"</ul>"},
      {u"</Z>", htHidden, true, u"</Z>"},
      {u"</C>", htUnknown, true, u"</C>"},
      // "</>" is not longer than three characters: an opening tag named "/"
      {u"</>", htUnknown, false, u"</>"},
      // quotes do not protect ">"
      {u"<A HREF=\"a>b\">", htAnchor, false, u"<A HREF=\"a>"},
  };
  for (const TTagRow& r : rows) {
    SCOPED_TRACE(U8(r.Rest));
    THtmlTag tag;
    ASSERT_TRUE(ReadHtmlTag(r.Rest, tag));
    EXPECT_EQ(tag.Kind, r.Kind);
    EXPECT_EQ(tag.Closing, r.Closing);
    EXPECT_EQ(tag.Text, r.Text);
  }
}

TEST(HtmlTagReader, ShortOrUnclosedTagsEndTheText) {
  for (const Char* rest : {u"<", u"<a", u"</", u"<ab", u"<B and no end", u"</B", u"<<<<"}) {
    THtmlTag tag;
    EXPECT_FALSE(ReadHtmlTag(rest, tag)) << U8(rest);
  }
}

TEST(HtmlTagReader, AttributesFollowTheName) {
  THtmlTag tag;
  ASSERT_TRUE(ReadHtmlTag(u"<IMG SRC=\"a.png\">", tag));
  EXPECT_EQ(tag.Attributes(), u" SRC=\"a.png\"");
  ASSERT_TRUE(ReadHtmlTag(u"</FONT>", tag));
  EXPECT_EQ(tag.Attributes(), u"");
  ASSERT_TRUE(ReadHtmlTag(u"<J xy >", tag));
  EXPECT_EQ(tag.Attributes(), u" xy ");
}

TEST(HtmlAttributes, ValuesComeFromTheUpperCasedTextOrAsWritten) {
  const THtmlAttributes a(u" href=\"http://x.org/Page?q=1\" title=\"Hello there\" target=\"_top\"");
  EXPECT_EQ(a.Value(u"HREF"), u"HTTP://X.ORG/PAGE?Q=1");
  EXPECT_EQ(a.ValueAsWritten(u"HREF"), u"http://x.org/Page?q=1");
  EXPECT_EQ(a.ValueAsWritten(u"title"), u"Hello there");
  EXPECT_TRUE(a.Has(u"TARGET"));
  EXPECT_FALSE(a.Has(u"ALT"));
  EXPECT_EQ(a.Value(u"ALT"), u"");
  EXPECT_EQ(a.FirstQuoted(true), u"http://x.org/Page?q=1");
  EXPECT_EQ(a.After(u"TARGET"), u"=\"_TOP\"");
  EXPECT_EQ(a.After(u"TARGET", true), u"=\"_top\"");
  EXPECT_EQ(a.After(u"ALT"), u"");
}

TEST(HtmlAttributes, QuirksOfTheSubstringSearch) {
  const struct {
    const Char* Text;
    const Char* Name;
    const Char* Value;
  } rows[] = {
      // a value without quotes reads the next quoted value, or nothing
      {u" WIDTH=20 HEIGHT=\"30\"", u"WIDTH", u"30"},
      {u" WIDTH=20", u"WIDTH", u""},
      // a name inside another value is found there
      {u" TITLE=\"HREF\" HREF=\"u\"", u"HREF", u" HREF="},
      // an unterminated quote gives nothing
      {u" FACE=\"Arial", u"FACE", u""},
      // names are found in any case; non-ASCII letters upper-case too
      {u" x=\"20\"", u"X", u"20"},
      {u" A=\"90\"", u"a", u"90"},
      {u" src=\"caf\u00E9.png\"", u"SRC", u"CAF\u00C9.PNG"},
      // FONT's " COLOR" with its blank does not find BGCOLOR
      {u" BGCOLOR=\"red\" COLOR=\"blue\"", u" COLOR", u"BLUE"},
      {u" BGCOLOR=\"red\"", u" COLOR", u""},
  };
  for (const auto& r : rows) EXPECT_EQ(THtmlAttributes(r.Text).Value(r.Name), r.Value) << U8(r.Text);
}

}  // namespace
