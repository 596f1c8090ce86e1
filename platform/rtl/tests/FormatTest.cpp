// Float text, FormatFloat and Format under the US and German settings.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/testsupport/FormatSettingsFixture.h"

using FloatText = FormatSettingsTest;
using FormatText = FormatSettingsTest;

TEST_F(FloatText, FloatToStrIsShortestGeneralText) {
  struct Case { double Value; String US, German; };
  const Case Cases[] = {
      {0, u"0", u"0"},
      {1.5, u"1.5", u"1,5"},
      {-2.25, u"-2.25", u"-2,25"},
      {0.1, u"0.1", u"0,1"},
      {0.1 + 0.2, u"0.30000000000000004", u"0,30000000000000004"},   // reads back exactly
      {100, u"100", u"100"},
      {1234567.125, u"1234567.125", u"1234567,125"},
      {1e15, u"1E15", u"1E15"},
      {123456789012345.0, u"123456789012345", u"123456789012345"},
      {1e20, u"1E20", u"1E20"},
      {-1.5e-7, u"-1.5E-7", u"-1,5E-7"},
      {0.0001, u"0.0001", u"0,0001"},
      {0.00001, u"1E-5", u"1E-5"},
      {1.7976931348623157e308, u"1.7976931348623157E308", u"1,7976931348623157E308"},
      {-0.0, u"0", u"0"},
  };
  for (const auto& C : Cases) {
    UseUS();
    EXPECT_EQ(FloatToStr(C.Value), C.US) << C.Value;
    UseGerman();
    EXPECT_EQ(FloatToStr(C.Value), C.German) << C.Value;
  }
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), u"INF");
  EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), u"-INF");
  EXPECT_EQ(FloatToStr(std::nan("")), u"NAN");
}

TEST_F(FloatText, FloatToStrRoundTripsRandomValues) {
  std::mt19937_64 Rng(12345);
  for (const auto& Settings : {TFormatSettings::USEnglish(), TFormatSettings::German()}) {
    FormatSettings = Settings;
    for (int I = 0; I < 2000; ++I) {
      const UInt64 Bits = Rng();
      double V;
      std::memcpy(&V, &Bits, sizeof V);
      if (!std::isfinite(V)) continue;
      const String Text = FloatToStr(V);
      double Back = 0;
      ASSERT_TRUE(TryStrToFloat(Text, Back)) << UTF8Encode(Text);
      EXPECT_EQ(Back, V) << UTF8Encode(Text);
    }
  }
}

TEST_F(FloatText, FloatToStrFFormats) {
  struct Case { double Value; TFloatFormat Format; int Precision, Digits; String US, German; };
  const Case Cases[] = {
      {1234.5678, ffGeneral, 15, 0, u"1234.5678", u"1234,5678"},
      {1234.5678, ffGeneral, 3, 0, u"1.23E3", u"1,23E3"},
      {1234.5678, ffExponent, 4, 2, u"1.235E+03", u"1,235E+03"},
      {-0.000123, ffExponent, 3, 0, u"-1.23E-4", u"-1,23E-4"},
      {1234.5678, ffFixed, 15, 2, u"1234.57", u"1234,57"},
      {2.675, ffFixed, 15, 2, u"2.68", u"2,68"},            // decimal halves away from zero
      {0.125, ffFixed, 15, 2, u"0.13", u"0,13"},
      {-0.001, ffFixed, 15, 2, u"0.00", u"0,00"},           // no negative zero
      {1234567.891, ffNumber, 15, 2, u"1,234,567.89", u"1.234.567,89"},
      {999.999, ffNumber, 15, 2, u"1,000.00", u"1.000,00"},
      {-1234.5, ffNumber, 15, 0, u"-1,235", u"-1.235"},
      {1234.5, ffCurrency, 15, 2, u"$1,234.50", u"1.234,50 \u20AC"},
      {-1234.5, ffCurrency, 15, 2, u"($1,234.50)", u"-1.234,50 \u20AC"},
      {1e20, ffFixed, 15, 2, u"1E20", u"1E20"},
  };
  for (const auto& C : Cases) {
    UseUS();
    EXPECT_EQ(FloatToStrF(C.Value, C.Format, C.Precision, C.Digits), C.US) << C.Value << " " << C.Format;
    UseGerman();
    EXPECT_EQ(FloatToStrF(C.Value, C.Format, C.Precision, C.Digits), C.German) << C.Value << " " << C.Format;
  }
}

TEST_F(FloatText, FormatFloatSectionsPlaceholdersAndLiterals) {
  struct Case { String Format; double Value; String US, German; };
  const Case Cases[] = {
      {u"0.00", 3.14159, u"3.14", u"3,14"},
      {u"0.00", -0.004, u"0.00", u"0,00"},
      {u"#.##", 0.5, u".5", u",5"},
      {u"0.##", 1, u"1", u"1"},
      {u"0.0#", 1.25, u"1.25", u"1,25"},
      {u"#,##0.00", 1234567.891, u"1,234,567.89", u"1.234.567,89"},
      {u"#,##0", 999, u"999", u"999"},
      {u"000", 7, u"007", u"007"},
      {u"00-00", 1234, u"12-34", u"12-34"},
      {u"#", 0, u"", u""},
      {u"0", 2.5, u"3", u"3"},
      {u"0.00E+00", 1234.5, u"1.23E+03", u"1,23E+03"},
      {u"0.0E-0", 0.000123, u"1.2E-4", u"1,2E-4"},
      {u"0.0E-0", 1230, u"1.2E3", u"1,2E3"},
      {u"0.00;(0.00)", -5.5, u"(5.50)", u"(5,50)"},
      {u"0.00;(0.00);'zero'", 0, u"zero", u"zero"},
      {u"0.00;(0.00);'zero'", -0.001, u"zero", u"zero"},
      {u"0.00;;'zero'", -2, u"-2.00", u"-2,00"},
      {u"'Sum: '0.0\" kg\"", 12.34, u"Sum: 12.3 kg", u"Sum: 12,3 kg"},
      {u"0.0 'a;b'", 1, u"1.0 a;b", u"1,0 a;b"},
      {u"", 1.5, u"1.5", u"1,5"},
      {u"0", 1e20, u"100000000000000000000", u"100000000000000000000"},
      // Placeholders after the exponent are not digits of the number; the literals stay.
      {u"0E+ 00000", 1234.5, u"1E+3 ", u"1E+3 "},
      {u"0E+ 0000000000000000", 0, u"0E+0 ", u"0E+0 "},
      {u"0E+0 #x0E-0", 5, u"5E+0 xE-", u"5E+0 xE-"},
  };
  for (const auto& C : Cases) {
    UseUS();
    EXPECT_EQ(FormatFloat(C.Format, C.Value), C.US) << UTF8Encode(C.Format) << " " << C.Value;
    UseGerman();
    EXPECT_EQ(FormatFloat(C.Format, C.Value), C.German) << UTF8Encode(C.Format) << " " << C.Value;
  }
}

TEST_F(FloatText, StrToFloatUsesTheDecimalSeparatorOfTheSettings) {
  struct Case { String Text; bool UsOk; double UsValue; bool GermanOk; double GermanValue; };
  const Case Cases[] = {
      {u"1.5", true, 1.5, false, 0},      {u"1,5", false, 0, true, 1.5},
      {u"  -2.5e3  ", true, -2500, false, 0},   {u"-2,5E-3", false, 0, true, -0.0025},
      {u".5", true, 0.5, false, 0},       {u"5.", true, 5, false, 0},
      {u"12", true, 12, true, 12},        {u"+7", true, 7, true, 7},
      {u"1e400", false, 0, false, 0},     {u"1e-400", true, 0, true, 0},
      {u"", false, 0, false, 0},          {u".", false, 0, false, 0},
      {u"1e", false, 0, false, 0},        {u"1,000.5", false, 0, false, 0},
      {u"INF", false, 0, false, 0},       {u"NAN", false, 0, false, 0},
      {u"1 2", false, 0, false, 0},
  };
  for (const auto& C : Cases) {
    double V = -1;
    UseUS();
    EXPECT_EQ(TryStrToFloat(C.Text, V), C.UsOk) << UTF8Encode(C.Text);
    if (C.UsOk) {
      EXPECT_EQ(V, C.UsValue) << UTF8Encode(C.Text);
    }
    UseGerman();
    EXPECT_EQ(TryStrToFloat(C.Text, V), C.GermanOk) << UTF8Encode(C.Text);
    if (C.GermanOk) {
      EXPECT_EQ(V, C.GermanValue) << UTF8Encode(C.Text);
    }
  }
  UseGerman();
  try {
    StrToFloat(u"1.5x");
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message, u"'1.5x' is not a valid floating point value");
  }
  EXPECT_EQ(StrToFloatDef(u"x", 2.5), 2.5);
  EXPECT_EQ(StrToFloat(u"1.5", TFormatSettings::USEnglish()), 1.5);
  Single S = 0;
  EXPECT_FALSE(TryStrToFloat(u"1e39", S));
}

TEST(FloatVal, ValReadsWithAPointAndReportsThePosition) {
  struct Case { String Text; double Value; Integer Code; };
  const Case Cases[] = {
      {u"1.5", 1.5, 0}, {u" 2.5e2", 250, 0}, {u"1.5x", 1.5, 4}, {u"1,5", 1, 2},
      {u"", 0, 1},      {u"abc", 0, 1},      {u"1.5e", 1.5, 5}, {u"-", 0, 2},
  };
  for (const auto& C : Cases) {
    double V = -1;
    Integer Code = -1;
    Val(C.Text, V, Code);
    EXPECT_EQ(V, C.Value) << UTF8Encode(C.Text);
    EXPECT_EQ(Code, C.Code) << UTF8Encode(C.Text);
  }
}

TEST_F(FormatText, ConversionsWidthPrecisionAndIndexes) {
  struct Case { String Format; std::vector<TVarRec> Args; String US, German; };
  int Dummy = 0;
  const Case Cases[] = {
      {u"%d", {42}, u"42", u"42"},
      {u"%5d|%-5d|", {42, -42}, u"   42|-42  |", u"   42|-42  |"},
      {u"%.5d", {-42}, u"-00042", u"-00042"},
      {u"%*d", {6, 42}, u"    42", u"    42"},
      {u"%-*d|", {4, 7}, u"7   |", u"7   |"},
      {u"%d", {Int64(-9000000000)}, u"-9000000000", u"-9000000000"},
      {u"%u", {-1}, u"4294967295", u"4294967295"},
      {u"%x %X %.4x", {255, 255, 10}, u"FF FF 000A", u"FF FF 000A"},
      {u"%x", {Int64(-1)}, u"FFFFFFFFFFFFFFFF", u"FFFFFFFFFFFFFFFF"},
      {u"%s and %s", {u"this", StringView(u"that")}, u"this and that", u"this and that"},
      {u"%.3s|%6s|%-6s|", {u"abcdef", u"ab", u"cd"}, u"abc|    ab|cd    |", u"abc|    ab|cd    |"},
      {u"%s", {u'c'}, u"c", u"c"},
      {u"%1:s %0:s %s", {u"a", u"b"}, u"b a b", u"b a b"},
      {u"%f", {1.0 / 3}, u"0.33", u"0,33"},
      {u"%.3f", {2.0005}, u"2.001", u"2,001"},
      {u"%.0f", {2.5}, u"3", u"3"},
      {u"%8.2f|", {-3.14159}, u"   -3.14|", u"   -3,14|"},
      {u"%.*f", {1, 2.25}, u"2.3", u"2,3"},
      {u"%e", {1234.5}, u"1.23450000000000E+003", u"1,23450000000000E+003"},
      {u"%.3e", {-0.00012345}, u"-1.23E-004", u"-1,23E-004"},
      {u"%g", {0.5}, u"0.5", u"0,5"},
      {u"%g", {1234567.0}, u"1234567", u"1234567"},
      {u"%.3g", {1234567.0}, u"1.23E006", u"1,23E006"},
      {u"%n", {1234567.891}, u"1,234,567.89", u"1.234.567,89"},
      {u"%.0n", {1234.5}, u"1,235", u"1.235"},
      {u"%m", {-1234.5}, u"($1,234.50)", u"-1.234,50 \u20AC"},
      {u"100%% %d%%", {5}, u"100% 5%", u"100% 5%"},
      {u"%p", {static_cast<const void*>(nullptr)}, u"0000000000000000", u"0000000000000000"},
      {u"%d", {Dummy}, u"0", u"0"},
  };
  for (const auto& C : Cases) {
    UseUS();
    EXPECT_EQ(Format(C.Format, C.Args.data(), C.Args.size(), FormatSettings), C.US) << UTF8Encode(C.Format);
    UseGerman();
    EXPECT_EQ(Format(C.Format, C.Args.data(), C.Args.size(), FormatSettings), C.German) << UTF8Encode(C.Format);
  }
  EXPECT_EQ(Format(u"%s=%d", {u"x", 3}), u"x=3");
}

TEST_F(FormatText, WrongOrMissingArgumentsRaiseEConvertError) {
  struct Case { String Format; std::vector<TVarRec> Args; };
  const Case Cases[] = {
      {u"%d", {1.5}},   {u"%d", {u"12"}},     {u"%f", {1}},        {u"%s", {42}},
      {u"%x", {2.0}},   {u"%d", {true}},      {u"%p", {1}},        {u"%*d", {u"w", 1}},
      {u"%k", {1}},     {u"%", {1}},          {u"%5", {1}},        {u"%d %d", {1}},
      {u"%d", {}},      {u"%3:d", {1}},
      // Widths and precisions a program cannot mean: refused, never allocated.
      {u"%2147483647d", {1}},  {u"%.2147483647d", {1}},  {u"%*d", {0x7FFFFFFF, 1}},
      {u"%-*d", {std::numeric_limits<Int64>::min(), 1}},  {u"%*d", {std::numeric_limits<Int64>::max(), 1}},
  };
  for (const auto& C : Cases)
    EXPECT_THROW(Format(C.Format, C.Args.data(), C.Args.size(), FormatSettings), EConvertError) << UTF8Encode(C.Format);
  try {
    Format(u"%d items", {u"many"});
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message, u"Format '%d items' invalid or incompatible with argument");
  }
  try {
    Format(u"%d %d", {1});
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message, u"No argument for format '%d %d'");
  }
}
