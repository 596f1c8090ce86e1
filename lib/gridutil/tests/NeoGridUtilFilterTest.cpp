#include "lib/gridutil/NeoGridUtilFilter.h"

#include "lib/gridutil/tests/LocaleFixture.h"

namespace {

using GridFilter = LocaleTest;

struct TFilterCase {
  const Char* Expression;
  const Char* Text;
  bool Matches;
};

void ExpectFilter(const TFilterCase& Case, bool CaseSensitive = false) {
  EXPECT_EQ(EvalFilterExpression(Case.Expression, Case.Text, CaseSensitive), Case.Matches)
      << U8(Case.Expression) << " on \"" << U8(Case.Text) << "\"";
}

TEST_F(GridFilter, ExpressionsCombineOperandsAndGroups) {
  Use(tlEnglish);
  const TFilterCase cases[] = {
      {u">10&<20", u"15", true},      {u">10&<20", u"25", false},    {u">10 & <20", u"10", false},
      {u">=10&<=20", u"10", true},    {u">=10&<=20", u"20", true},   {u">1,000", u"999.5", false},
      {u"A*|B*", u"B2", true},        {u"A*|B*", u"C2", false},      {u"A*;B*", u"apple", true},
      {u"A*^B*", u"b", true},         {u"=A*", u"Apple", true},      {u"  a*  ", u"Apple", true},
      {u"(A*|B*)&*2", u"B2", true},   {u"(A*|B*)&*2", u"B3", false}, {u"(A*|B*)&*2", u"C2", false},
      {u"(A*|B*)", u"B3", true},      {u"(A*|B*)", u"C3", false},    {u"*2&(A*|B*)", u"A2", true},
      {u"*2&(A*|B*)", u"C2", false},  {u"((A*))", u"Ax", true},      {u"(A*|(B*&*9))", u"B9", true},
      {u"(A*|(B*&*9))", u"B8", false}, {u"(A*)|C*", u"Cx", true},     {u"C*|(A*)", u"Ax", true},
      {u"\"\"", u"", true},            {u"\"\"", u"x", false},        {u"A*|\"\"", u"", true},
      {u"", u"", true},                {u"", u"x", false},
      {u"!A*", u"Apple", false},       {u"!A*", u"Pear", true},
      {u"\"a*b\"", u"a*b", true},      {u"\"a*b\"", u"axxb", false},  {u"\"!x\"", u"!x", true},
      {u"\"!x\"", u"x", false},        {u"\"a|b\"", u"a|b", true},     {u"\"a b\"", u"a b", true},
      {u"x\"\"y", u"x\"y", true},      {u"?b*", u"ab", true},         {u"?b*", u"b", false},
      {u"**a**", u"bab", true},        {u"*a*b*c*", u"xaybzc", true}, {u"*a*b*c*", u"xaybz", false},
  };
  for (const TFilterCase& c : cases) ExpectFilter(c);
  ExpectFilter({u"a*", u"Apple", false}, true);
  ExpectFilter({u"A*", u"Apple", true}, true);
}

TEST_F(GridFilter, BadExpressionsEvaluateWithoutFailing) {
  Use(tlEnglish);
  // Unbalanced parentheses and quotes, empty operands: each is read as far as it goes.
  const TFilterCase cases[] = {
      {u"(A*|B*", u"A", false},   {u"A*|B*)", u"B*)", true},   {u")(", u")(", true},
      {u"\"abc", u"abc", true},   {u"A*|", u"Apple", true},   {u"&A*", u"Apple", false},
      {u"|", u"", true},          {u"(", u"(", true},         {u"()", u"", true},
      {u">", u"a", true},         {u"<", u"a", false},        {u"!", u"!", true},
  };
  for (const TFilterCase& c : cases) ExpectFilter(c);
  // Nesting deeper than groups go is matched as text, not by recursion.
  const String deep = String(5000, u'(') + u"A*" + String(5000, u')');
  EXPECT_FALSE(EvalFilterExpression(deep, u"Apple", false));
  EXPECT_TRUE(EvalFilterExpression(String(40, u'(') + u"A*" + String(40, u')'), u"Apple", false));
}

TEST_F(GridFilter, ComparisonsAreNumericDateOrTextual) {
  struct Case { TTestLocale Locale; const Char* Pattern; const Char* Text; bool Matches; };
  const Case cases[] = {
      {tlEnglish, u">9", u"10", true},   // numbers by value ...
      {tlEnglish, u">b", u"c", true},    // ... texts by character
      {tlEnglish, u">9", u"x", true},
      {tlEnglish, u">1,000.5", u"1,200", true},
      {tlGerman, u">1.000,5", u"1.200", true},
      {tlGerman, u"<1,5", u"1,25", true},
      {tlEnglish, u">\"a b\"", u"a c", true},
      {tlEnglish, u">=12/31/2020", u"12/31/2020", true},
      {tlEnglish, u">1/1/2020&<12/31/2020", u"6/15/2020", true},
      {tlEnglish, u">1/1/2020&<12/31/2020", u"1/15/2021", false},
      {tlEnglish, u">1/1/2020&<12/31/2020", u"12/31/2020", false},
      {tlGerman, u">1.1.2020&<31.12.2020", u"15.6.2020", true},
      {tlGerman, u">1.1.2020&<31.12.2020", u"15.6.2021", false},
      {tlGerman, u">\"1.1.2020 08:00\"&<\"1.1.2020 12:00\"", u"1.1.2020 09:30", true},
      {tlGerman, u">\"1.1.2020 08:00\"&<\"1.1.2020 12:00\"", u"1.1.2020 12:30", false},
      {tlGerman, u"<1.1.2020 12:00", u"1.1.2020 09:30", false},   // a blank ends an unquoted value
      {tlEnglish, u"<5^>10", u"12", true},   // either-or
      {tlEnglish, u"<5^>10", u"7", false},
      {tlEnglish, u">5&<10", u"7", true},    // a range in one pattern
      {tlEnglish, u">5&<10", u"12", false},
      {tlEnglish, u"\">5\"", u">5", true},   // quoted: a literal, not a comparison
  };
  for (const Case& c : cases) {
    Use(c.Locale);
    EXPECT_EQ(MatchFilterPattern(c.Pattern, c.Text), c.Matches)
        << LocaleName(c.Locale) << " " << U8(c.Pattern) << " on " << U8(c.Text);
  }
  // The same ranges through whole expressions under both locales.
  Use(tlGerman);
  ExpectFilter({u">=1.1.2020 & <=31.12.2020", u"31.12.2020", true});
  ExpectFilter({u">=1.1.2020 & <=31.12.2020", u"1.1.2021", false});
  Use(tlEnglish);
  ExpectFilter({u">=1/1/2020 & <=12/31/2020", u"12/31/2020", true});
  ExpectFilter({u">=1/1/2020 & <=12/31/2020", u"1/1/2021", false});
}

TEST(GridFilterParts, OperatorsParenthesesAndQuotes) {
  Integer pos = 0;
  EXPECT_EQ(FindFilterOperator(u"&|", u"a&b", pos), u'&');
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(FindFilterOperator(u"&|", u"\"a&b\"|c", pos), u'|');
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(FindFilterOperator(u"&|", u"(a&b)|c", pos), u'|');
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(FindFilterOperator(u"(&", u"((a", pos), u'(');   // depth two is even
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(FindFilterOperator(u"&", u"(a&b", pos), Char(0));
  EXPECT_EQ(pos, -1);

  EXPECT_EQ(MatchingParenPos(u"(a(b)c)d"), 7);
  EXPECT_EQ(MatchingParenPos(u"(a(b)c"), 0);
  EXPECT_EQ(MatchingParenPos(u"a)"), 0);
  EXPECT_EQ(FindCharOutsideQuotes(u"\"a>b\">c", u'>'), 6);
  EXPECT_EQ(FindCharOutsideQuotes(u"\"a>b", u'>'), 0);
  EXPECT_EQ(StripBlanksOutsideQuotes(u" a & \"b c\" | d "), u"a&\"b c\"|d");
  EXPECT_TRUE(EvalFilterOperand(u"\"\"", u"", true));
  EXPECT_FALSE(EvalFilterOperand(u"\"\"", u" ", true));
  EXPECT_TRUE(EvalFilterOperand(u"\u00E4*", u"\u00C4pfel", false));
}

}  // namespace
