// TNeoUtils text routines: positions, JSON strings, markup, URL, Base64, hexadecimal, sets.
#include <gtest/gtest.h>

#include "lib/base/NeoUtils.h"
#include "platform/rtl/StringLists.h"
#include "platform/rtl/testsupport/Utf8.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Positions

TEST(NeoUtilsPositions, CharInStrIsOneBased) {
  EXPECT_EQ(TNeoUtils::CharInStr(u"abc", 1), u'a');
  EXPECT_EQ(TNeoUtils::CharInStr(u"abc", 3), u'c');
  EXPECT_EQ(TNeoUtils::CharInStr(u"abc", 0), 0);
  EXPECT_EQ(TNeoUtils::CharInStr(u"abc", 4), 0);
  EXPECT_EQ(TNeoUtils::CharInStr(u"", 1), 0);
}

TEST(NeoUtilsPositions, PositionsAreOneBasedAndZeroWhenAbsent) {
  struct Row {
    const Char* Sub;
    const Char* S;
    Integer CaseSensitive;
    Integer NoCase;
  };
  const Row rows[] = {
      {u"b", u"abc", 2, 2},      {u"B", u"abc", 0, 2},       {u"ab", u"xxAB", 0, 3}, {u"abc", u"abc", 1, 1},
      {u"", u"abc", 0, 0},       {u"abcd", u"abc", 0, 0},    {u"x", u"", 0, 0},
      // only ASCII letters fold
      {u"\u00E9", u"\u00C9", 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(U8(r.Sub) + " in " + U8(r.S));
    Integer result = -7;
    EXPECT_EQ(TNeoUtils::VarPos(r.Sub, r.S, result), r.CaseSensitive);
    EXPECT_EQ(result, r.CaseSensitive);
    EXPECT_EQ(TNeoUtils::VarPosNoCase(r.Sub, r.S, result), r.NoCase);
    EXPECT_EQ(result, r.NoCase);
    EXPECT_EQ(TNeoUtils::IPos(r.Sub, r.S), r.NoCase);
  }
}

TEST(NeoUtilsPositions, TagReplaceStringReplacesOnlyTheFirstMatchIgnoringCase) {
  String s = u"a &NBSP; b &nbsp; c";
  EXPECT_TRUE(TNeoUtils::TagReplaceString(u"&nbsp;", u" ", s));
  EXPECT_EQ(s, u"a   b &nbsp; c");
  EXPECT_FALSE(TNeoUtils::TagReplaceString(u"&lt;", u"<", s));
  EXPECT_EQ(s, u"a   b &nbsp; c");
}

TEST(NeoUtilsPositions, IndexOfTextInArrayIgnoresCaseExceptForAccentNames) {
  const std::vector<String> names{u"Width", u"Eacute", u"eacute", u"Color", u"color"};
  EXPECT_EQ(TNeoUtils::IndexOfTextInArray(u"width", names), 0);
  // The first entry equal ignoring case, even where a later one is equal in case too.
  EXPECT_EQ(TNeoUtils::IndexOfTextInArray(u"COLOR", names), 3);
  EXPECT_EQ(TNeoUtils::IndexOfTextInArray(u"color", names), 3);
  EXPECT_EQ(TNeoUtils::IndexOfTextInArray(u"eacute", names), 2);
  EXPECT_EQ(TNeoUtils::IndexOfTextInArray(u"Eacute", names), 1);
  EXPECT_EQ(TNeoUtils::IndexOfTextInArray(u"Height", names), -1);
  EXPECT_EQ(TNeoUtils::IndexOfTextInArray(u"x", {}), -1);
}

// ---------------------------------------------------------------------------------------------
// JSON strings

TEST(NeoUtilsJson, EscapeString) {
  struct Row {
    const Char* In;
    const Char* Out;
  };
  const Row rows[] = {
      {u"plain ASCII letters / slash", u"plain ASCII letters / slash"},
      {u"\u00E9", u"\\u00E9"},
      {u"\t", u"\\u0009"},
      {u"\"\\\b\f\n\r", u"\\u0022\\u005C\\u0008\\u000C\\u000A\\u000D"},
      // every control character, so the result is always a valid JSON string
      {u"\x01\x1F", u"\\u0001\\u001F"},
      {u"\x7F", u"\x7F"},
      {u"\u20AC", u"\\u20AC"},
      {u"\U0001F600", u"\\uD83D\\uDE00"},
  };
  for (const Row& r : rows) EXPECT_EQ(TNeoUtils::EscapeString(r.In), r.Out) << U8(r.In);
}

TEST(NeoUtilsJson, UnescapeStringAcceptsEveryJsonEscape) {
  struct Row {
    const Char* In;
    const Char* Out;
  };
  const Row rows[] = {
      {u"\\\"quoted\\\"", u"\"quoted\""}, {u"\\\\", u"\\"},          {u"\\/", u"/"},
      {u"a\\bb\\f\\n\\r\\t", u"a\bb\f\n\r\t"},                      {u"\\u00e9\\u00E9", u"\u00E9\u00E9"},
      {u"\\uD83D\\uDE00", u"\U0001F600"}, {u"no escapes", u"no escapes"}, {u"", u""},
  };
  for (const Row& r : rows) EXPECT_EQ(TNeoUtils::UnescapeString(r.In), r.Out) << U8(r.In);
  // Round trip through both directions.
  const String text = u"Tab\there \"q\" \\ / \u00FC \U0001F600 \x01";
  EXPECT_EQ(TNeoUtils::UnescapeString(TNeoUtils::EscapeString(text)), text);
}

TEST(NeoUtilsJson, UnescapeStringErrors) {
  struct Row {
    const Char* In;
    const Char* Message;
  };
  const Row rows[] = {
      {u"abc\\", u"Unexpected end of string"},
      {u"\\x", u"Invalid code at position 1"},
      {u"ab\\q", u"Invalid code at position 3"},
      {u"\\u12", u"Invalid code at position 1"},
      {u"x\\u12G4", u"Invalid code at position 2"},
  };
  for (const Row& r : rows) {
    try {
      TNeoUtils::UnescapeString(r.In);
      ADD_FAILURE() << "no exception for " << U8(r.In);
    } catch (Exception& E) {
      EXPECT_EQ(E.Message, r.Message) << U8(r.In);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Markup

struct EntityRow {
  const Char* Character;
  const Char* Entity;
};

// The two tables, row by row.
const EntityRow EntityRows[86] = {
    {u"&", u"amp;"},         {u"<", u"lt;"},          {u">", u"gt;"},          {u"\"", u"quot;"},
    {u" ", u"&nbsp;"},       {u"é", u"&eacute;"},     {u"è", u"&egrave;"},     {u"ë", u"&euml;"},
    {u"ê", u"&ecirc;"},      {u"ó", u"&oacute;"},     {u"ò", u"&ograve;"},     {u"ö", u"&ouml;"},
    {u"ô", u"&ocirc;"},      {u"í", u"&iacute;"},     {u"ì", u"&igrave;"},     {u"ï", u"&iuml;"},
    {u"î", u"&icirc;"},      {u"ú", u"&uacute;"},     {u"ù", u"&ugrave;"},     {u"ü", u"&uuml;"},
    {u"û", u"&ucirc;"},      {u"á", u"&aacute;"},     {u"à", u"&agrave;"},     {u"ä", u"&auml;"},
    {u"â", u"&acirc;"},      {u"É", u"&Eacute;"},     {u"È", u"&Egrave;"},     {u"Ë", u"&Euml;"},
    {u"Ê", u"&Ecirc;"},      {u"Ó", u"&Oacute;"},     {u"Ò", u"&Ograve;"},     {u"Ö", u"&Ouml;"},
    {u"Ô", u"&Ocirc;"},      {u"Í", u"&Iacute;"},     {u"Ì", u"&Igrave;"},     {u"Ï", u"&Iuml;"},
    {u"Î", u"&Icirc;"},      {u"Ú", u"&Uacute;"},     {u"Ù", u"&Ugrave;"},     {u"Ü", u"&Uuml;"},
    {u"Û", u"&Ucirc;"},      {u"Á", u"&Aacute;"},     {u"À", u"&Agrave;"},     {u"Ä", u"&Auml;"},
    {u"Â", u"&Acirc;"},      {u"ç", u"&ccedil;"},     {u"Ç", u"&Ccedil;"},     {u"ø", u"&oslash;"},
    {u"Ø", u"&Oslash;"},     {u"å", u"&aring;"},      {u"Å", u"&Aring;"},      {u"©", u"&copy;"},
    {u"®", u"&reg;"},        {u"€", u"&euro;"},       {u"«", u"&laquo;"},      {u"»", u"&raquo;"},
    {u"ã", u"&atilde;"},     {u"Ã", u"&Atilde;"},     {u"õ", u"&otilde;"},     {u"Õ", u"&Otilde;"},
    {u"™", u"&trade;"},      {u"§", u"&sect;"},       {u"¶", u"&para;"},       {u"ß", u"&szlig;"},
    {u"£", u"&pound;"},      {u"$", u"&#36;"},        {u"§", u"&sect;"},       {u"‰", u"&permil;"},
    {u"¶", u"&para;"},       {u"'", u"&#39;"},        {u"¥", u"&yen;"},        {u"¤", u"&curren;"},
    {u"¢", u"&cent;"},       {u"±", u"&plusmn;"},     {u"¡", u"&iexcl;"},      {u"°", u"&deg;"},
    {u"ý", u"&#x00FD;"},     {u"Ý", u"&#221;"},       {u"¼", u"&frac14;"},     {u"½", u"&frac12;"},
    {u"¾", u"&frac34;"},     {u"Æ", u"&AElig;"},      {u"æ", u"&aelig;"},      {u"Ñ", u"&Ntilde;"},
    {u"ñ", u"&ntilde;"},     {u"Ð", u"&ETH;"},
};

// Row (1-based) where a character first appears: "§" and "¶" appear twice.
Integer FirstRowOf(const String& Character) {
  for (Integer k = 1; k <= 86; ++k)
    if (Character == EntityRows[k - 1].Character) return k;
  return 0;
}

TEST(NeoUtilsMarkup, EveryEntityRow) {
  ASSERT_EQ(TNeoUtils::MarkupCount(), 86);
  for (Integer k = 1; k <= 86; ++k) {
    const EntityRow& row = EntityRows[k - 1];
    SCOPED_TRACE("row " + std::to_string(k) + " " + U8(row.Entity));
    EXPECT_EQ(TNeoUtils::GetSpecialChar(k), row.Character);
    EXPECT_EQ(TNeoUtils::GetMarkupEntity(k), row.Entity);
    // The first row whose entity equals ignoring case: "&Oslash;" finds "&oslash;" and "&aelig;"
    // finds "&AElig;"; accented letters ("&Eacute;") need their exact case.
    const Integer caseless = k == 49 ? 48 : k == 83 ? 82 : FirstRowOf(row.Character);
    EXPECT_EQ(TNeoUtils::GetMarkupIndex(row.Entity), caseless - 1);
    if (k <= 4) continue;   // the first four carry no "&"; their escapes are tested below
    const Integer first = FirstRowOf(row.Character);
    EXPECT_EQ(TNeoUtils::FixMarkup(row.Character, true), EntityRows[first - 1].Entity);
    EXPECT_EQ(TNeoUtils::UnFixMarkup(row.Entity, true), row.Character);
    // Without SpecialChars neither direction touches them.
    EXPECT_EQ(TNeoUtils::FixMarkup(row.Character, false), row.Character);
    EXPECT_EQ(TNeoUtils::UnFixMarkup(row.Entity, false), row.Entity);
  }
  EXPECT_EQ(TNeoUtils::GetSpecialChar(0), u"");
  EXPECT_EQ(TNeoUtils::GetSpecialChar(87), u"");
}

TEST(NeoUtilsMarkup, GetMarkupIndexTellsAccentedCasesApart) {
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&eacute;"), 5);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&Eacute;"), 25);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&COPY;"), 51);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&EACUTE;"), 5);   // upper-case: no accent name in it
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&eAcute;"), -1);
  // No accent name in "oslash" and "aelig": the first row equal ignoring case answers.
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&Oslash;"), 47);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&oslash;"), 47);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&OSLASH;"), 47);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&AElig;"), 81);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&aelig;"), 81);
  // "&Otilde" as peers write it, without its semicolon, finds the row written "&Otilde;".
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&Otilde;"), 59);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&Otilde"), 59);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&otilde"), -1);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&OTILDE"), -1);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"AMP;"), 0);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&amp;"), -1);
  EXPECT_EQ(TNeoUtils::GetMarkupIndex(u"&nothing;"), -1);
}

TEST(NeoUtilsMarkup, FixMarkup) {
  struct Row {
    const Char* In;
    bool Special;
    const Char* Out;
  };
  const Row rows[] = {
      {u"a<b>&\"c\"", false, u"a&lt;b&gt;&amp;&quot;c&quot;"},
      {u"a < b", true, u"a&nbsp;&lt;&nbsp;b"},
      {u"a < b", false, u"a &lt; b"},
      // one pass: a literal "*amp;" stays as it is
      {u"*amp; & *amp;", false, u"*amp; &amp; *amp;"},
      {u"&amp;", false, u"&amp;amp;"},
      // code units above 256 become references, 256 itself and the Latin-1 range stay
      {u"\u0100\u0101\u00FF", true, u"\u0100&#257;\u00FF"},
      {u"\u20AC\u4E2D", true, u"&euro;&#20013;"},
      // one reference per code unit, each half of a surrogate pair too
      {u"\U0001F600", true, u"&#55357;&#56832;"},
  };
  for (const Row& r : rows) EXPECT_EQ(TNeoUtils::FixMarkup(r.In, r.Special), r.Out) << U8(r.In);
}

// Many '&' without a ';' cost one pass, not one pass per '&'.
TEST(NeoUtilsMarkup, UnFixMarkupStaysLinear) {
  const String ampersands(200000, u'&');
  EXPECT_EQ(TNeoUtils::UnFixMarkup(ampersands, true), ampersands);
  const String tail = ampersands + u"&lt;";
  EXPECT_EQ(TNeoUtils::UnFixMarkup(tail, false), ampersands + u"<");
}

TEST(NeoUtilsMarkup, UnFixMarkupDecodesOnce) {
  struct Row {
    const Char* In;
    bool Special;
    const Char* Out;
  };
  const Row rows[] = {
      {u"&lt;b&gt; &amp; &quot;", false, u"<b> & \""},
      // an escaped entity decodes once, to the entity text
      {u"&amp;eacute;", true, u"&eacute;"},
      {u"&amp;lt;", false, u"&lt;"},
      {u"&Otilde;&otilde;", true, u"\u00D5\u00F5"},
      // "&Otilde" without its semicolon, as peers write it, decodes too
      {u"&Otilde &Otilde;&Otilde", true, u"\u00D5 \u00D5\u00D5"},
      {u"&Otilde", false, u"&Otilde"},
      // letter case must match exactly
      {u"&LT; &Amp;", true, u"&LT; &Amp;"},
      // a bare "quot;" is no entity
      {u"quot; nbsp;", true, u"quot; nbsp;"},
      {u"&nbsp;&nbsp;", true, u"  "},
      {u"& &; &unknown; &", true, u"& &; &unknown; &"},
      {u"&#36;&#39;&#x00FD;&#221;", true, u"$'\u00FD\u00DD"},
  };
  for (const Row& r : rows) EXPECT_EQ(TNeoUtils::UnFixMarkup(r.In, r.Special), r.Out) << U8(r.In);
}

TEST(NeoUtilsMarkup, FixAndUnFixRoundTrip) {
  const String text = u"Tom & Jerry <b>\"Caf\u00E9\"</b> \u20AC 5 *amp; &amp;";
  EXPECT_EQ(TNeoUtils::UnFixMarkup(TNeoUtils::FixMarkup(text, false), false), text);
  EXPECT_EQ(TNeoUtils::UnFixMarkup(TNeoUtils::FixMarkup(text, true), true), text);
}

TEST(NeoUtilsMarkup, HTMLStrip) {
  struct Row {
    const Char* In;
    const Char* Out;
  };
  const Row rows[] = {
      {u"a <b>bold</b> text", u"a bold text"},
      {u"line<BR>next<br>last<hr>", u"line\r\nnext\r\nlast\r\n"},
      {u"1 < 2 and more", u"1 < 2 and more"},
      {u"x<b>y</b> <i", u"xy <i"},
      {u"no tags", u"no tags"},
      {u"<a href=\"x\">link</a>", u"link"},
      {u"", u""},
  };
  for (const Row& r : rows) EXPECT_EQ(TNeoUtils::HTMLStrip(r.In), r.Out) << U8(r.In);
}

TEST(NeoUtilsMarkup, IsHTML) {
  const std::pair<const Char*, bool> rows[] = {
      {u"<b>x</b>", true}, {u"<br/>", true},   {u"a<br>b", true}, {u"a<BR>b", true},
      {u"<b>x", false},    {u"1 < 2", false},  {u"", false},
  };
  for (const auto& [text, expected] : rows) {
    EXPECT_EQ(TNeoUtils::IsHTML(text), expected) << U8(text);
    EXPECT_EQ(TNeoUtils::IsHTMLUnicode(text), expected) << U8(text);
  }
}

// ---------------------------------------------------------------------------------------------
// URL, Base64, hexadecimal

TEST(NeoUtilsEncodings, URLEncode) {
  struct Row {
    const Char* In;
    const Char* Out;
  };
  const Row rows[] = {
      {u"a b", u"a%20b"},
      {u"~", u"%7E"},
      {u"AZaz09-._", u"AZaz09-._"},
      {u"a/b?c=d&e", u"a%2Fb%3Fc%3Dd%26e"},
      {u"Gr\u00FC\u00DFe", u"Gr%C3%BC%C3%9Fe"},
      {u"\u20AC", u"%E2%82%AC"},
      {u"\U0001F600", u"%F0%9F%98%80"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(TNeoUtils::URLEncode(r.In), r.Out) << U8(r.In);
    EXPECT_EQ(TNeoUtils::URLDecode(r.Out), r.In) << U8(r.Out);
  }
}

TEST(NeoUtilsEncodings, URLDecode) {
  struct Row {
    const Char* In;
    const Char* Out;
  };
  const Row rows[] = {
      {u"%41%62c", u"Abc"},
      {u"%c3%a9", u"\u00E9"},
      // characters that are not escapes keep their meaning, non-ASCII ones too
      {u"M\u00FCller %26 S\u00F6hne", u"M\u00FCller & S\u00F6hne"},
      {u"\u20AC%20\u4E2D", u"\u20AC \u4E2D"},
      // a bad escape is dropped with its two characters; a "%" at the end alone
      {u"a%zzb", u"ab"},
      {u"a%4", u"a4"},
      {u"a%", u"a"},
      // blanks and control characters at the ends go
      {u"%20%09x%0A", u"x"},
  };
  for (const Row& r : rows) EXPECT_EQ(TNeoUtils::URLDecode(r.In), r.Out) << U8(r.In);
}

TEST(NeoUtilsEncodings, Decode64ToBytes) {
  struct Row {
    const Char* In;
    bool URLSafe;
    TBytes Out;
  };
  const Row rows[] = {
      {u"", false, {}},
      {u"TWFu", false, {'M', 'a', 'n'}},
      {u"TWE=", false, {'M', 'a'}},
      {u"+/8=", false, {0xFB, 0xFF}},
      // URL-safe: "-" "_" and padding added (length 7: one "=", length 6: two)
      {u"-_8", true, {0xFB, 0xFF}},
      {u"AAECAwQ", true, {0, 1, 2, 3, 4}},
      {u"AAECAw", true, {0, 1, 2, 3}},
      {u"not base64!", false, {}},
  };
  for (const Row& r : rows) EXPECT_EQ(TNeoUtils::Decode64ToBytes(r.In, r.URLSafe), r.Out) << U8(r.In);
}

TEST(NeoUtilsEncodings, HexStrToBytes) {
  EXPECT_EQ(TNeoUtils::HexStrToBytes(u"00ff7Fa0"), (TBytes{0x00, 0xFF, 0x7F, 0xA0}));
  EXPECT_EQ(TNeoUtils::HexStrToBytes(u""), TBytes{});
  // the last digit of an odd-length text has no partner and is left out
  EXPECT_EQ(TNeoUtils::HexStrToBytes(u"ABC"), TBytes{0xAB});
  EXPECT_THROW(TNeoUtils::HexStrToBytes(u"0G"), EConvertError);
  EXPECT_THROW(TNeoUtils::HexStrToBytes(u"-1"), EConvertError);
  EXPECT_THROW(TNeoUtils::HexStrToBytes(u" 1"), EConvertError);
}

// ---------------------------------------------------------------------------------------------
// Small helpers and sets

TEST(NeoUtilsHelpers, StripAndParenthesis) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings = TFormatSettings::German();
  EXPECT_EQ(TNeoUtils::StripThousandSep(u"1.234.567,89"), u"1234567,89");
  FormatSettings = TFormatSettings::USEnglish();
  EXPECT_EQ(TNeoUtils::StripThousandSep(u"1,234,567.89"), u"1234567.89");
  FormatSettings = saved;

  EXPECT_EQ(TNeoUtils::StripLogicSpaces(u" a b \"c d\" e "), u"ab\"c d\"e");
  EXPECT_EQ(TNeoUtils::StripLogicSpaces(u"\"open quote  stays"), u"\"open quote  stays");

  EXPECT_EQ(TNeoUtils::ClosingParenthesis(u"(a(b)c)d"), 7);
  EXPECT_EQ(TNeoUtils::ClosingParenthesis(u"(a"), 0);
  EXPECT_EQ(TNeoUtils::ClosingParenthesis(u")("), 0);
  EXPECT_EQ(TNeoUtils::ClosingParenthesis(u"x()"), 3);
}

TEST(NeoUtilsHelpers, CharSets) {
  const TNeoUtilsCharSet digits = TNeoUtils::NumericCharSet();
  const TNeoUtilsCharSet letters = TNeoUtils::AlphaCharSet();
  EXPECT_EQ(String(digits.begin(), digits.end()), u"0123456789");
  ASSERT_EQ(letters.size(), 52u);
  EXPECT_EQ(letters.front(), u'a');
  EXPECT_EQ(letters[26], u'A');
  const TNeoUtilsCharSet both = TNeoUtils::AddCharSet(digits, letters);
  EXPECT_EQ(both.size(), 62u);
  const TNeoUtilsCharSet odd = TNeoUtils::SubCharSet(digits, TNeoUtils::CreateCharSet(u"02468"));
  EXPECT_EQ(String(odd.begin(), odd.end()), u"13579");
  EXPECT_TRUE(TNeoUtils::CharInSet(u'Z', both));
  EXPECT_FALSE(TNeoUtils::CharInSet(u'_', both));

  Integer pos = 0;
  const TNeoUtilsCharSet ops = TNeoUtils::CreateCharSet(u"&|");
  EXPECT_EQ(TNeoUtils::FirstChar(ops, u"\"a&b\"|c&d", pos), u'|');
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(TNeoUtils::FirstChar(ops, u"abc", pos), 0);
  EXPECT_EQ(pos, -1);
}

TEST(NeoUtilsHelpers, Split) {
  TStringList list;
  list.Add(u"old");
  TNeoUtils::Split(u';', u"a;b c;;\"d;e\";", false, &list);
  EXPECT_EQ(list.ToStringArray(), (std::vector<String>{u"a", u"b c", u"", u"d;e", u""}));
  TNeoUtils::Split(u';', u"a;b c;;\"d;e\";", true, &list);
  EXPECT_EQ(list.ToStringArray(), (std::vector<String>{u"a", u"b c", u"d;e"}));
  // the caller's list keeps its own delimiter settings
  EXPECT_EQ(list.GetDelimiter(), u',');
  EXPECT_FALSE(list.GetStrictDelimiter());
}

TEST(NeoUtilsHelpers, EnDeCryptIsItsOwnInverse) {
  const String text = u"Password 123 \u00E9\u00FF!";
  const String scrambled = TNeoUtils::EnDeCrypt(text);
  EXPECT_NE(scrambled, text);
  EXPECT_EQ(scrambled[0], static_cast<Char>((u'P' & 0xE0) + ((u'P' & 0x1F) ^ 5)));
  EXPECT_EQ(TNeoUtils::EnDeCrypt(scrambled), text);
  // the high byte is dropped
  EXPECT_EQ(TNeoUtils::EnDeCrypt(u"\u0141"), String(1, static_cast<Char>(0x44)));
}

TEST(NeoUtilsHelpers, PackingRoutines) {
  static_assert(HiWord(0x12345678u) == 0x1234);
  static_assert(LoWord(0x12345678u) == 0x5678);
  static_assert(MakeWord(0x34, 0x12) == 0x1234);
  static_assert(MakeLong(0x5678, 0x1234) == 0x12345678u);
}

}  // namespace
