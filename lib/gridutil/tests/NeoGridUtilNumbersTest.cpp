#include "lib/gridutil/NeoGridUtilNumbers.h"

#include "lib/gridutil/tests/LocaleFixture.h"

namespace {

using GridNumbers = LocaleTest;

TEST(GridIntegers, LimitsClampAndCellRectangles) {
  struct Case { Integer Value, Min, Max, Expected; };
  const Case cases[] = {{5, 10, 10, 5}, {5, 10, 0, 10}, {50, 0, 20, 20}, {50, -3, 0, 50},
                        {9, 10, 8, 8}, {5, 10, 8, 10},  {15, 10, 20, 15}, {-5, 0, 20, -5}, {7, 3, -1, 7}};
  for (const Case& c : cases)
    EXPECT_EQ(ApplyLimits(c.Value, c.Min, c.Max), c.Expected) << c.Value << " " << c.Min << " " << c.Max;
  EXPECT_EQ(ClampInt(12, 0, 10), 10);
  EXPECT_EQ(ClampInt(-1, 0, 10), 0);
  EXPECT_EQ(ClampInt(5, 10, 0), 0);   // high is tested first
  EXPECT_EQ(IntMax(-2, 3), 3);
  EXPECT_EQ(IntMin(-2, 3), -2);
  struct { Integer Left, Top, Right, Bottom; } r{1, 2, 3, 4};   // the shape of a grid rectangle
  EXPECT_TRUE(CellInGridRect(r, 1, 2));
  EXPECT_TRUE(CellInGridRect(r, 3, 4));
  EXPECT_FALSE(CellInGridRect(r, 0, 3));
  EXPECT_FALSE(CellInGridRect(r, 2, 5));
}

TEST_F(GridNumbers, CharacterTestsFollowTheLocaleSeparators) {
  for (TTestLocale locale : {tlEnglish, tlGerman}) {
    Use(locale);
    const Char decimal = LocaleDecimalSeparator();
    const Char thousand = LocaleThousandSeparator();
    EXPECT_TRUE(IsNumberTextChar(decimal));
    EXPECT_TRUE(IsNumberTextChar(thousand));
    EXPECT_TRUE(IsNumericEditKey(decimal));
    EXPECT_TRUE(IsNumericEditKey(thousand));
  }
  Use(tlGerman);
  EXPECT_EQ(LocaleShortDateFormat(), u"dd.MM.yyyy");
  EXPECT_EQ(LocaleCurrencyString(), u"\u20AC");
  EXPECT_EQ(LocaleLongTimeFormat(), u"hh:mm:ss");
  EXPECT_FALSE(IsNumberTextChar(u'/'));

  // Numbers by Unicode category above 127, exactly the ASCII digits below.
  for (Char c : {u'0', u'9', u'\u00B2', u'\u00BD', u'\u0663', u'\u2167', u'\uFF15'}) EXPECT_TRUE(IsNumberChar(c)) << int(c);
  for (Char c : {u'a', u'/', u':', u'\u00AA', Char(0xD835), u'\u20AC'}) EXPECT_FALSE(IsNumberChar(c)) << int(c);
  EXPECT_TRUE(IsNumberCharCode(0x1D7CE));   // a digit beyond the basic plane
  EXPECT_FALSE(IsNumberCharCode(-1));
  EXPECT_FALSE(IsNumberCharCode(0x110000));
  EXPECT_TRUE(IsSignedDigit(u'-'));
  EXPECT_FALSE(IsNumberTextChar(u'-'));
  EXPECT_TRUE(IsNumberTextOrSignChar(u'+'));
  EXPECT_TRUE(IsFloatChar(u'.'));
  EXPECT_FALSE(IsFloatChar(u','));
  for (Char key : {Char(8), Char(9), Char(13), Char(27), u'-'}) EXPECT_TRUE(IsNumericEditKey(key));
  EXPECT_FALSE(IsNumericEditKey(u'+'));
  for (Char c : {u' ', u'\'', u',', u'-', u'.'}) EXPECT_TRUE(IsWordBreakChar(c));
  EXPECT_FALSE(IsWordBreakChar(u'_'));
}

struct TClassifyCase {
  const Char* English;   // with '.' decimals, ',' thousands, '/' dates
  const Char* German;    // the same number with ',' decimals, '.' thousands, '.' dates
  Integer Kind;
};

const TClassifyCase ClassifyCases[] = {
    {u"123", u"123", ntInteger},
    {u"-123", u"-123", ntInteger},
    {u"-1,234.5", u"-1.234,5", ntDecimal},
    {u"1,234,567.25", u"1.234.567,25", ntDecimal},
    {u"1,23", u"1.23", ntNotNumber},          // thousands too close to the end
    {u"1,23,456.5", u"1.23.456,5", ntNotNumber},   // ... and to each other
    {u"1.234,5", u"1,234.5", ntNotNumber},    // thousands after the decimals
    {u"1.5e-3", u"1,5e-3", ntExponent},
    {u"-2E+10", u"-2E+10", ntExponent},
    {u"1e", u"1e", ntNotNumber},
    {u"e5", u"e5", ntNotNumber},
    {u"1e5e", u"1e5e", ntNotNumber},
    {u"12:30", u"12:30", ntTime},
    {u"12:30:15", u"12:30:15", ntTime},
    {u"12::30", u"12::30", ntNotNumber},
    {u"1:2:3:4", u"1:2:3:4", ntNotNumber},
    {u"12/31/2020", u"31.12.2020", ntDate},
    {u"1/2/3", u"1.2.3", ntDate},
    {u"1//2", u"1..2", ntNotNumber},
    {u"1--2", u"1--2", ntNotNumber},
    {u"1.2.3", u"1,2,3", ntNotNumber},        // more than one decimal separator
    {u"12a", u"12a", ntNotNumber},
    {u"", u"", ntNotNumber},
    {u"-", u"-", ntNotNumber},                // signs and separators alone are no number
    {u".", u",", ntNotNumber},
};

TEST_F(GridNumbers, ClassifyNumberTextUnderBothLocales) {
  for (const TClassifyCase& c : ClassifyCases) {
    Use(tlEnglish);
    EXPECT_EQ(ClassifyNumberText(c.English), c.Kind) << U8(c.English);
    Use(tlGerman);
    EXPECT_EQ(ClassifyNumberText(c.German), c.Kind) << U8(c.German);
    // The explicit separators override the locale's (not its date and time separators).
    EXPECT_EQ(ClassifyNumberTextEx(c.German, u',', u'.'), c.Kind) << U8(c.German);
  }
  Use(tlGerman);
  EXPECT_EQ(ClassifyNumberTextEx(u"-1,234.5", u'.', u','), ntDecimal);
}

TEST_F(GridNumbers, NormalizeNumberTextForConversion) {
  struct Case { TTestLocale Locale; const Char* Text; const Char* Expected; };
  const Case cases[] = {
      {tlEnglish, u"(1,234.50)", u"-1234.50"}, {tlEnglish, u"abc12", u"12"},     {tlEnglish, u"12x3", u"12"},
      {tlEnglish, u"-5", u"-5"},               {tlEnglish, u"$ -7.5", u"-7.5"},  {tlEnglish, u"", u""},
      {tlEnglish, u"x", u""},                  {tlEnglish, u"1.5E+3 kg", u"1.5E+3"},
      {tlGerman, u"(1.234,50)", u"-1234.50"},  {tlGerman, u"\u20AC 3,5", u"3.5"},   {tlGerman, u"-1.000", u"-1000"},
  };
  for (const Case& c : cases) {
    Use(c.Locale);
    EXPECT_EQ(NormalizeNumberText(c.Text), c.Expected) << LocaleName(c.Locale) << " " << U8(c.Text);
  }
}

TEST_F(GridNumbers, InvariantAndLocaleNumberTexts) {
  struct Case { TTestLocale Locale; const Char* Text; const Char* Invariant; const Char* Local; const Char* Dotted; };
  const Case cases[] = {
      {tlEnglish, u"1,234.5", u"1234.5", u"1,234.5", u"1234.5"},
      {tlEnglish, u"12:30", u"12:30", u"12:30", u"12:30"},
      {tlEnglish, u"1.5e3", u"1.5e3", u"1.5e3", u"1.5e3"},
      {tlGerman, u"1.234,5", u"1234.5", u"1.234,5", u"1234.5"},
      {tlGerman, u"1234.5", u"1234.5", u"1234,5", u"12345"},
      {tlGerman, u"-7", u"-7", u"-7", u"-7"},
      {tlGerman, u"31.12.2020", u"31.12.2020", u"31.12.2020", u"31122020"},
      {tlGerman, u"abc", u"abc", u"abc", u"abc"},
  };
  for (const Case& c : cases) {
    Use(c.Locale);
    EXPECT_EQ(ToInvariantNumberText(c.Text), c.Invariant) << LocaleName(c.Locale) << " " << U8(c.Text);
    EXPECT_EQ(ToLocaleNumberText(c.Text), c.Local) << LocaleName(c.Locale) << " " << U8(c.Text);
    EXPECT_EQ(DotDecimalText(c.Text), c.Dotted) << LocaleName(c.Locale) << " " << U8(c.Text);
  }
}

TEST(GridColors, HexTripletTakesRedFromTheLowByte) {
  EXPECT_EQ(ColorToHexTriplet(0x00332211), u"112233");
  EXPECT_EQ(ColorToHexTriplet(0x000000FF), u"FF0000");
  EXPECT_EQ(ColorToHexTriplet(0x00FF0000), u"0000FF");
  EXPECT_EQ(ColorToHexTriplet(0x7FABCDEF), u"EFCDAB");   // the top byte is no colour
}

}  // namespace
