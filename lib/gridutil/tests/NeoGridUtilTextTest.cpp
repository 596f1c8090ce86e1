#include "lib/gridutil/NeoGridUtilText.h"

#include <gtest/gtest.h>

#include "lib/gridutil/tests/LocaleFixture.h"
#include "platform/ui/Graphics.h"
#include "platform/win/Headless.h"

namespace {

// The number after Key in an "HTML Format" header.
Integer HeaderValue(const String& Html, StringView Key) {
  const std::size_t at = Html.find(Key);
  return at == String::npos ? -1 : StrToInt(Html.substr(at + Key.size(), 8));
}

TEST(GridTextKinds, DetectCellTextKind) {
  struct Case { String Text; bool HtmlAware; Integer Kind; };
  const Case cases[] = {
      {u"", true, ctkPlain},
      {u"a", true, ctkPlain},
      {u"plain text", true, ctkPlain},
      {u"=A1+B1", true, ctkFormula},
      {u"=<b>x</b>", true, ctkHtml},          // a closing tag makes it markup ...
      {u"=<b>x</b>", false, ctkPlain},        // ... or nothing without markup
      {u"{\\rtf1 text}", true, ctkRichText},
      {u"see http://example.org", true, ctkLink},
      {u"mailto:someone@example.org", false, ctkLink},
      {u"<b>bold</b>", true, ctkHtml},
      {u"<b>bold</b>", false, ctkPlain},
      {u"line<br>break", true, ctkHtml},
      {u"<IMG src=\"a\">", true, ctkHtml},
      {u"<Co", true, ctkHtml},
      {u"a<b", true, ctkPlain},              // '<' with no listed tag after it
      {u"<p>", true, ctkPlain},
      {u"x<", true, ctkPlain},
      {u"<b>http://x.org</b>", false, ctkLink},
      {EncodePairEncodedText(u"\u03A9"), true, ctkPairEncoded},
      {EncodePairEncodedText(u"="), true, ctkPairEncoded},
      {EncodePairEncodedText(u"=1+2"), true, ctkFormula},   // a pair-encoded formula
      {u"|\\", true, ctkPairEncoded},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DetectCellTextKind(c.Text, c.HtmlAware), c.Kind) << U8(c.Text) << " html " << c.HtmlAware;
}

TEST(GridTextKinds, PairEncodingRoundTripsEveryCodeUnit) {
  String all;
  for (unsigned c = 0; c <= 0xFFFF; ++c) all += static_cast<Char>(c);   // U+0000 and lone surrogates too
  const String encoded = EncodePairEncodedText(all);
  ASSERT_EQ(encoded.size(), 2 + 2 * all.size());
  EXPECT_EQ(encoded.substr(0, 2), u"|\\");
  for (Char c : encoded.substr(2)) ASSERT_LT(c, 256);
  EXPECT_EQ(DecodePairEncodedText(encoded), all);
  EXPECT_EQ(DecodePairEncodedText(EncodePairEncodedText(u"")), u"");

  EXPECT_EQ(EncodePairEncodedText(u"A\u20AC"), String(u"|\\\0A\x20\xAC", 6));
  // An odd last character is ignored; a text without the prefix is left as it is.
  EXPECT_EQ(DecodePairEncodedText(String(u"|\\\0A\x20", 5)), u"A");
  EXPECT_EQ(DecodePairEncodedText(u"|\\x"), u"");
  EXPECT_EQ(DecodePairEncodedText(u"plain |\\"), u"plain |\\");
}

TEST(GridTextKinds, UrlSchemesEntitiesAndLinks) {
  EXPECT_TRUE(HasUrlScheme(u"ftp://host"));
  EXPECT_TRUE(HasUrlScheme(u"write mailto:me"));
  EXPECT_FALSE(HasUrlScheme(u"MAILTO:me"));
  String url = u"see https://a.org/x://y";
  StripUrlScheme(url);
  EXPECT_EQ(url, u"a.org/x://y");
  url = u"mailto:me@x.org";
  StripUrlScheme(url);
  EXPECT_EQ(url, u"me@x.org");

  EXPECT_EQ(WideCharsToEntities(u"a\u00E9\u20AC\U0001F600"), u"a\u00E9&#8364;&#128512;");

  String html = u"unchanged";
  EXPECT_FALSE(HtmlEscapeAndLink(u"no link here", u"HTTP://", html));
  EXPECT_EQ(html, u"unchanged");
  ASSERT_TRUE(HtmlEscapeAndLink(u"a<b see Http://x.org/p?q=1&r=2 now", u"HTTP://", html));
  EXPECT_EQ(html, u"a&lt;b see <a href=\"Http://x.org/p?q=1&r=2\">Http://x.org/p?q=1&r=2</a> now");
  // A link in angle brackets ends at the bracket, which is escaped outside the anchor.
  ASSERT_TRUE(HtmlEscapeAndLink(u"<http://x.org>", u"HTTP://", html));
  EXPECT_EQ(html, u"&lt;<a href=\"http://x.org\">http://x.org</a>&gt;");
}

TEST(GridTextLines, LineBreakConversions) {
  EXPECT_EQ(TextLineCount(u"a\r\nb", true), 2);
  EXPECT_EQ(TextLineCount(u"a\r\n", true), 1);
  EXPECT_EQ(TextLineCount(u"a\r\nb\r\nc", true), 3);
  EXPECT_EQ(TextLineCount(u"a\r\nb", false), 1);
  EXPECT_EQ(TextLineCount(u"", true), 1);

  String text = u"one\r\ntwo\rthree";
  String line;
  TakeFirstLine(text, true, line);
  EXPECT_EQ(line, u"one");
  EXPECT_EQ(text, u"two\rthree");
  TakeFirstLine(text, true, line);
  EXPECT_EQ(line, u"two");
  EXPECT_EQ(text, u"three");
  TakeFirstLine(text, true, line);
  EXPECT_EQ(line, u"three");
  EXPECT_EQ(text, u"");
  text = u"a\r\nb";
  TakeFirstLine(text, false, line);
  EXPECT_EQ(line, u"a");
  EXPECT_EQ(text, u"");

  const String raw(u"a\r\nb\0c\td", 8);
  const String packed = PackLineBreaks(raw);
  EXPECT_EQ(packed, String(u"a\x09\x08" u"b\x01" u"c\x09" u"d", 8));   // a tab of the text would come back as CR
  EXPECT_EQ(PackLineBreaks(u"no\nCR"), u"no\nCR");
  EXPECT_EQ(UnpackLineBreaks(PackLineBreaks(String(u"a\r\nb\0c", 6)), true), String(u"a\r\nb\0c", 6));
  EXPECT_EQ(UnpackLineBreaks(PackLineBreaks(u"a\r\nb"), false), u"a");
  EXPECT_EQ(UnpackLineBreaks(u"x\x09y", true), u"x\x09y");   // no character 8: nothing to unpack

  EXPECT_EQ(LineBreaksToHtml(u"a\r\nb"), u"a<br>\nb");
  EXPECT_EQ(RemoveCR(u"a\r\nb\r"), u"a\nb");
  EXPECT_EQ(CRToLF(u"a\r\nb"), u"a\n\nb");
  EXPECT_EQ(CRLFToLF(u"a\r\nb\rc"), u"a\nb\rc");
  EXPECT_EQ(BackslashNToCR(u"a\\nb\\"), u"a\rb\\");
  EXPECT_EQ(CRToBackslashN(u"a\r\nb"), u"a\\nb");
}

TEST(GridTextLines, WidestLineMeasuresOnTheCanvas) {
  Headless::Use();
  TBitmap bitmap(10, 10);
  TCanvas* canvas = bitmap.GetCanvas();
  EXPECT_EQ(WidestLine(canvas, u"ab\r\nabcd\r\nWWWW\r\nx"), u"WWWW");
  EXPECT_EQ(WidestLine(canvas, u"same\r\nsame"), u"same");
  EXPECT_EQ(WidestLine(canvas, u""), u"");
}

TEST(GridTextCsv, QuotingAndFileConversions) {
  String text = u"a \"b\"\r\nc";
  QuoteMultiLineText(text);
  EXPECT_EQ(text, u"\"a \"b\"\x0B" u"c\"");
  VTToCRLF(text);
  EXPECT_EQ(text, u"\"a \"b\"\r\nc\"");
  text = u"one\r\ntwo\rthree";
  CRToTilde(text);
  EXPECT_EQ(text, u"one~two~three");
  TildeToCRLF(text);
  EXPECT_EQ(text, u"one\r\ntwo\r\nthree");
  text = u"^";
  TildeToCRLF(text);
  EXPECT_EQ(text, u"");
  text = u"^^";
  TildeToCRLF(text);
  EXPECT_EQ(text, u"^^");
  text = u"as is";
  AnsiToOemText(text);
  OemToAnsiText(text);
  EXPECT_EQ(text, u"as is");

  EXPECT_EQ(DoubleQuoteChars(u"say \"hi\""), u"say \"\"hi\"\"");
  EXPECT_EQ(UndoubleChar(u'"', u"say \"\"hi\"\" \"\"\""), u"say \"hi\" \"\"");
  EXPECT_EQ(UndoubleChar(u'"', u"none"), u"none");
  EXPECT_EQ(StripEnclosingQuotes(u"\"x\""), u"x");
  EXPECT_EQ(StripEnclosingQuotes(u"\"\""), u"\"\"");
  EXPECT_EQ(StripEnclosingQuotes(u"\"x"), u"\"x");

  TStringList list;
  SplitQuotedToList(u';', u"a;b c;;d e", &list);
  ASSERT_EQ(list.GetCount(), 4);
  EXPECT_EQ(list[0], u"a");
  EXPECT_EQ(list[1], u"\"b c\"");
  EXPECT_EQ(list[2], u"");
  EXPECT_EQ(list[3], u"\"d e\"");
  EXPECT_EQ(ConcatStrings(&list), u"a\"b c\"\"d e\"");

  String source = u"12,34,rest";
  EXPECT_EQ(CutToken(source, u","), u"12");
  EXPECT_EQ(CutToken(source, u","), u"34");
  EXPECT_EQ(CutToken(source, u","), u"");
  EXPECT_EQ(source, u"rest");
  EXPECT_EQ(CutToken(source, u""), u"");
}

TEST(GridTextSearch, QuotesOccurrencesAndPositions) {
  EXPECT_EQ(CountCharOutsideQuotes(u',', u"a,\"b,c\",d"), 2);
  EXPECT_EQ(CountCharOutsideQuotes(u',', u"a,'b,\"c',d"), 2);   // '"' does not close a '\'' part
  EXPECT_EQ(CountCharOutsideQuotes(u',', u"a,\"b,c\",d,\"e,f"), 4);   // the open part counts
  EXPECT_EQ(CountCharOutsideQuotes(u',', u""), 0);

  Integer pos = -1;
  EXPECT_EQ(FindClosingQuote(u'"', u"ab\"\"c\"d", pos), 6);
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(FindClosingQuote(u'"', u"x\"\"\"", pos), 4);
  EXPECT_EQ(FindClosingQuote(u'"', u"\"\"\"\"", pos), 0);
  EXPECT_EQ(pos, 0);

  EXPECT_EQ(FindSubText(u"lo", u"hello", pos), 4);
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(FindSubText(u"", u"hello", pos), 0);
  EXPECT_EQ(FindSubTextUpper(u"\u00C9T\u00C9", u"un \u00E9t\u00E9"), 4);
  EXPECT_EQ(FindWideSubText(u"\u20AC", u"5 \u20AC"), 3);
  EXPECT_EQ(FindCharPosEx(u'c', u"abc", pos), 3);
  EXPECT_EQ(FindCharPos(u'z', u"abc"), 0);
  EXPECT_EQ(CharOccurrences(u'a', u"banana"), 3);
  EXPECT_EQ(CharOccurrencesInLine(u'a', u';', u"banana"), 3);

  String text = u"secret";
  OverwriteChars(text, u'*');
  EXPECT_EQ(text, u"******");
}

TEST(GridTextWords, ProperCaseFoldingAndCellReferences) {
  EXPECT_EQ(ProperCaseNames(u"JOHN mcdonald-smith o'neil, henry ii"), u"John McDonald-Smith O'Neil, Henry II");
  EXPECT_EQ(ProperCaseNames(u"i am mc"), u"I Am Mc");
  EXPECT_EQ(ProperCaseNames(u"iiwy"), u"Iiwy");

  EXPECT_EQ(FoldToLatin1(u"\u00C7a \u00E9t\u00E9 \u00C6r\u00F8 \u015D \u4E2D"), u"Ca ete \u00C6r\u00F8 s ");
  EXPECT_EQ(FoldToLatin1(u""), u"");
  // At most the first 2,047 folded characters, however long the text: "é" folds to two.
  EXPECT_EQ(FoldToLatin1(String(5000, u'\u00E9')), String(1024, u'e'));
  EXPECT_EQ(FoldToLatin1(String(3000, u'a')), String(2047, u'a'));

  struct Case { const Char* Text; bool Ok; Integer Col, Row; };
  const Case cases[] = {{u"R12C3", true, 3, 12}, {u"r1c1", true, 1, 1},  {u"R1C", false, 0, 0},
                        {u"RC1", false, 0, 0},   {u"X1C1", false, 0, 0}, {u"R1C1x", false, 0, 0},
                        {u"R 1C1", false, 0, 0}, {u"R$1C1", false, 0, 0}};
  for (const Case& c : cases) {
    TPoint point{-7, -7};
    EXPECT_EQ(ParseRowColRef(c.Text, point), c.Ok) << U8(c.Text);
    if (c.Ok) {
      EXPECT_EQ(point.x, c.Col);
      EXPECT_EQ(point.y, c.Row);
    }
  }
}

TEST(GridClipboard, HtmlFormatHeaderOfAsciiFragment) {
  String html = u"<b>12</b";   // eight characters
  PutHtmlOnClipboard(html);
  const String expectedStart =
      u"Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000314\r\nStartFragment:00000274\r\n"
      u"EndFragment:00000282\r\n<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
  EXPECT_EQ(html.substr(0, expectedStart.size()), expectedStart);
  EXPECT_EQ(html.size(), 314u);
  EXPECT_EQ(html.substr(274, 8), u"<b>12</b");
  EXPECT_EQ(html.substr(282), u"<!--EndFragment--></body></html>");
  EXPECT_EQ(html.substr(254, 20), u"<!--StartFragment-->");
}

TEST(GridClipboard, HtmlFormatOffsetsCountUtf8Bytes) {
  for (const String& fragment : {String(u"\u20ACuro"), String(u"\u4E2D\u6587 \u00E9 \U0001F600!"), String()}) {
    String html = fragment;
    PutHtmlOnClipboard(html);
    const std::string bytes = UTF8Encode(html);
    EXPECT_EQ(HeaderValue(html, u"StartHTML:"), static_cast<Integer>(bytes.find("<!DOCTYPE")));
    EXPECT_EQ(HeaderValue(html, u"StartFragment:"),
              static_cast<Integer>(bytes.find("<!--StartFragment-->") + 20));
    EXPECT_EQ(HeaderValue(html, u"EndFragment:"), static_cast<Integer>(bytes.find("<!--EndFragment-->")));
    EXPECT_EQ(HeaderValue(html, u"EndHTML:"), static_cast<Integer>(bytes.size()));
  }
}

}  // namespace
