#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/rtl/testsupport/FormatSettingsFixture.h"

// ---------------------------------------------------------------------------------------------------
// Positions and parts

TEST(Strings, PosCopyDeleteInsertUseOneBasedPositions) {
  struct PosCase { String Sub, S; Integer Offset, Expected; };
  const PosCase PosCases[] = {
      {u"b", u"abcb", 1, 2}, {u"b", u"abcb", 3, 4}, {u"b", u"abcb", 5, 0}, {u"", u"abc", 1, 0},
      {u"x", u"", 1, 0},     {u"abc", u"ab", 1, 0}, {u"b", u"abc", 0, 0},  {u"cb", u"abcb", 1, 3},
  };
  for (const auto& C : PosCases) EXPECT_EQ(Pos(C.Sub, C.S, C.Offset), C.Expected) << UTF8Encode(C.Sub);
  EXPECT_EQ(Pos(u'c', u"abc"), 3);

  struct CopyCase { Integer Index, Count; String Expected; };
  const CopyCase CopyCases[] = {
      {1, 2, u"ab"}, {2, 100, u"bcde"}, {0, 2, u"ab"}, {-5, 3, u"abc"}, {6, 1, u""},
      {5, 1, u"e"},  {3, 0, u""},       {3, -1, u""}, {1, 0x7FFFFFFF, u"abcde"},
  };
  for (const auto& C : CopyCases) EXPECT_EQ(Copy(u"abcde", C.Index, C.Count), C.Expected) << C.Index << "," << C.Count;
  EXPECT_EQ(Copy(u"abcde", 3), u"cde");

  struct DeleteCase { Integer Index, Count; String Expected; };
  const DeleteCase DeleteCases[] = {
      {2, 2, u"ade"}, {4, 99, u"abc"}, {0, 2, u"abcde"}, {6, 1, u"abcde"}, {1, 0, u"abcde"}, {1, 5, u""},
  };
  for (const auto& C : DeleteCases) {
    String S = u"abcde";
    Delete(S, C.Index, C.Count);
    EXPECT_EQ(S, C.Expected) << C.Index << "," << C.Count;
  }

  struct InsertCase { Integer Index; String Expected; };
  const InsertCase InsertCases[] = {{1, u"XYabc"}, {2, u"aXYbc"}, {4, u"abcXY"}, {99, u"abcXY"}, {-3, u"XYabc"}};
  for (const auto& C : InsertCases) {
    String S = u"abc";
    Insert(u"XY", S, C.Index);
    EXPECT_EQ(S, C.Expected) << C.Index;
  }
}

TEST(Strings, TrimRemovesControlCharactersAndBlanks) {
  EXPECT_EQ(Trim(u" \t\r\n a b \x01"), u"a b");
  EXPECT_EQ(TrimLeft(u"  a "), u"a ");
  EXPECT_EQ(TrimRight(u"  a \n"), u"  a");
  EXPECT_EQ(Trim(u"   "), u"");
  EXPECT_EQ(Trim(u"\u00A0x\u00A0"), u"\u00A0x\u00A0");   // no-break space is above ' '
}

// ---------------------------------------------------------------------------------------------------
// Case

TEST(Strings, UpperAndLowerCaseTouchAsciiOnly) {
  EXPECT_EQ(UpperCase(u"abc äöü xyz"), u"ABC äöü XYZ");
  EXPECT_EQ(LowerCase(u"ABC ÄÖÜ"), u"abc ÄÖÜ");
}

TEST(Strings, AnsiCaseMapsUnicodeLetters) {
  struct Case { String Lower, Upper; };
  const Case Cases[] = {
      {u"straße äöüéçñåøþ", u"STRAßE ÄÖÜÉÇÑÅØÞ"},          // ß has no single upper-case letter
      {u"ÿ", u"Ÿ"},
      {u"łódź žluťoučký ğ", u"ŁÓDŹ ŽLUŤOUČKÝ Ğ"},           // Latin Extended-A, both parities
      {u"αβγ άέήίόύώ ω", u"ΑΒΓ ΆΈΉΊΌΎΏ Ω"},
      {u"привет ёж ђ", u"ПРИВЕТ ЁЖ Ђ"},
      {u"ǆ ǎ ș", u"Ǆ Ǎ Ș"},
      {u"ạ ỹ", u"Ạ Ỹ"},
      {u"\U00010428x", u"\U00010400X"},                      // Deseret: a surrogate pair
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(AnsiUpperCase(C.Lower), C.Upper) << UTF8Encode(C.Lower);
    if (C.Lower != u"straße äöüéçñåøþ") {
      EXPECT_EQ(AnsiLowerCase(C.Upper), C.Lower) << UTF8Encode(C.Upper);
    }
  }
  EXPECT_EQ(AnsiUpperCase(u"ı"), u"I");
  EXPECT_EQ(AnsiLowerCase(u"İ"), u"i");
  EXPECT_EQ(AnsiLowerCase(u"Σ"), u"σ");
  EXPECT_EQ(AnsiUpperCase(u"ς"), u"Σ");
  EXPECT_EQ(AnsiUpperCase(u"\xD801"), u"\xD801");        // a lone surrogate passes unchanged
  EXPECT_EQ(AnsiUpperCase(u"\xD801x"), u"\xD801X");
  EXPECT_EQ(CharUpper(u'é'), u'É');
  EXPECT_EQ(CharLower(u'Ж'), u'ж');
}

TEST(Strings, ComparisonsOrderAndFoldAsDocumented) {
  EXPECT_EQ(CompareStr(u"abc", u"abc"), 0);
  EXPECT_LT(CompareStr(u"ABC", u"abc"), 0);
  EXPECT_LT(CompareStr(u"ab", u"abc"), 0);
  EXPECT_EQ(CompareText(u"HeLLo", u"hello"), 0);
  EXPECT_GT(CompareText(u"b", u"A"), 0);
  EXPECT_GT(CompareText(u"a_", u"aa"), 0);   // folded to upper case: '_' sorts after letters
  EXPECT_NE(CompareText(u"Ä", u"ä"), 0);     // ASCII folding only
  EXPECT_TRUE(SameText(u"GWK_Farbe", u"gwk_farbe"));
  EXPECT_FALSE(SameText(u"abc", u"abcd"));

  EXPECT_TRUE(AnsiSameText(u"ÄÖÜ straße", u"äöü STRAßE"));
  EXPECT_FALSE(AnsiSameText(u"a", u"ä"));
  // Collation: accents and case come after the letters themselves.
  const String Ordered[] = {u"apfel", u"Apfel", u"Äpfel", u"Birne", u"zebra", u"Zürich"};
  for (std::size_t I = 0; I + 1 < std::size(Ordered); ++I) {
    EXPECT_LT(AnsiCompareStr(Ordered[I], Ordered[I + 1]), 0) << UTF8Encode(Ordered[I]);
    EXPECT_LE(AnsiCompareText(Ordered[I], Ordered[I + 1]), 0) << UTF8Encode(Ordered[I]);
  }
  EXPECT_EQ(AnsiCompareText(u"apfel", u"APFEL"), 0);
  EXPECT_LT(AnsiCompareText(u"Apfel", u"Äpfel"), 0);
  EXPECT_LT(AnsiCompareText(u"Äpfel", u"apfelsine"), 0);
}

TEST(Strings, StringReplaceHonoursFlags) {
  struct Case { String S, Old, New; TReplaceFlags Flags; String Expected; };
  const Case Cases[] = {
      {u"aXbxc", u"x", u"-", {}, u"aXb-c"},
      {u"aXbxc", u"x", u"-", {rfIgnoreCase}, u"a-bxc"},
      {u"aXbxc", u"x", u"-", {rfReplaceAll}, u"aXb-c"},
      {u"aXbxc", u"x", u"-", {rfReplaceAll, rfIgnoreCase}, u"a-b-c"},
      {u"aaa", u"aa", u"b", {rfReplaceAll}, u"ba"},
      {u"abc", u"", u"x", {rfReplaceAll}, u"abc"},
      {u"ÄäÖ", u"ä", u"ae", {rfReplaceAll, rfIgnoreCase}, u"aeaeÖ"},
      {u"abab", u"ab", u"abab", {rfReplaceAll}, u"abababab"},   // no re-scan of inserted text
  };
  for (const auto& C : Cases) EXPECT_EQ(StringReplace(C.S, C.Old, C.New, C.Flags), C.Expected) << UTF8Encode(C.S);
}

TEST(Strings, QuotingAndSmallHelpers) {
  EXPECT_EQ(QuotedStr(u"it's"), u"'it''s'");
  EXPECT_EQ(AnsiQuotedStr(u"say \"hi\"", u'"'), u"\"say \"\"hi\"\"\"");
  EXPECT_EQ(AnsiDequotedStr(u"'it''s' tail", u'\''), u"it's");
  EXPECT_EQ(AnsiDequotedStr(u"'open", u'\''), u"'open");
  EXPECT_EQ(StringOfChar(u'-', 3), u"---");
  EXPECT_EQ(StringOfChar(u'-', -1), u"");
  EXPECT_EQ(AdjustLineBreaks(u"a\nb\rc\r\nd"), u"a\r\nb\r\nc\r\nd");
  EXPECT_EQ(LastDelimiter(u"\\/", u"C:\\dir/file.txt"), 7);
  EXPECT_TRUE(IsDelimiter(u".,", u"a,b", 2));
  EXPECT_FALSE(IsDelimiter(u".,", u"a,b", 4));
}

// ---------------------------------------------------------------------------------------------------
// Windows-1252

TEST(Ansi, EveryByteRoundTrips) {
  std::string All;
  for (int B = 0; B < 256; ++B) All += static_cast<char>(B);
  const String Text = AnsiToString(All);
  ASSERT_EQ(Text.size(), 256u);
  EXPECT_EQ(StringToAnsi(Text), All);
  EXPECT_EQ(Text[0x80], u'\u20AC');
  EXPECT_EQ(Text[0x9F], u'\u0178');
  for (int B : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(Text[B], static_cast<Char>(B));
  EXPECT_EQ(Text[0xE4], u'ä');
}

TEST(Ansi, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(StringToAnsi(u"€ ä Ж \U0001F600 x"), "\x80 \xE4 ? ? x");   // one '?' per code point
}

// ---------------------------------------------------------------------------------------------------
// Integers

TEST(Integers, IntToStrAndIntToHexCoverTheBoundaries) {
  EXPECT_EQ(IntToStr(0), u"0");
  EXPECT_EQ(IntToStr(std::numeric_limits<Integer>::min()), u"-2147483648");
  EXPECT_EQ(IntToStr(std::numeric_limits<Int64>::min()), u"-9223372036854775808");
  EXPECT_EQ(IntToStr(std::numeric_limits<Int64>::max()), u"9223372036854775807");
  EXPECT_EQ(IntToStr(std::numeric_limits<UInt64>::max()), u"18446744073709551615");
  EXPECT_EQ(IntToStr(Cardinal(4000000000u)), u"4000000000");
  EXPECT_EQ(IntToHex(255, 4), u"00FF");
  EXPECT_EQ(IntToHex(255, 0), u"FF");
  EXPECT_EQ(IntToHex(-1, 2), u"FFFFFFFF");
  EXPECT_EQ(IntToHex(Int64(-1), 0), u"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(0, 0), u"0");
}

TEST(Integers, StrToIntAcceptsBlanksSignsAndHexOnly) {
  struct Case { String S; bool Ok; Integer Value; };
  const Case Cases[] = {
      {u"42", true, 42},          {u"  -42", true, -42},        {u"+7", true, 7},
      {u"$1F", true, 31},         {u"0x1f", true, 31},          {u"0X10", true, 16},
      {u"-$10", true, -16},       {u"$FFFFFFFF", true, -1},     {u"2147483647", true, 2147483647},
      {u"-2147483648", true, std::numeric_limits<Integer>::min()},
      {u"2147483648", false, 0},  {u"-2147483649", false, 0},   {u"$100000000", false, 0},
      {u"", false, 0},            {u"  ", false, 0},            {u"-", false, 0},
      {u"$", false, 0},           {u"0x", false, 0},            {u"12 ", false, 0},
      {u"12x", false, 0},         {u"1.5", false, 0},           {u"\t5", false, 0},
      {u"00012", true, 12},       {u"$g", false, 0},
  };
  for (const auto& C : Cases) {
    Integer V = -999;
    EXPECT_EQ(TryStrToInt(C.S, V), C.Ok) << UTF8Encode(C.S);
    if (C.Ok) {
      EXPECT_EQ(V, C.Value) << UTF8Encode(C.S);
      EXPECT_EQ(StrToInt(C.S), C.Value);
    } else {
      EXPECT_EQ(V, -999) << "a failed conversion leaves the variable alone";
      EXPECT_EQ(StrToIntDef(C.S, 5), 5);
    }
  }
}

TEST(Integers, Int64ConversionsReachTheFullRange) {
  Int64 V = 0;
  EXPECT_TRUE(TryStrToInt64(u"-9223372036854775808", V));
  EXPECT_EQ(V, std::numeric_limits<Int64>::min());
  EXPECT_TRUE(TryStrToInt64(u"9223372036854775807", V));
  EXPECT_EQ(V, std::numeric_limits<Int64>::max());
  EXPECT_FALSE(TryStrToInt64(u"9223372036854775808", V));
  EXPECT_TRUE(TryStrToInt64(u"$FFFFFFFFFFFFFFFF", V));
  EXPECT_EQ(V, -1);
  EXPECT_TRUE(TryStrToInt64(u"4294967296", V));
  EXPECT_EQ(V, 4294967296LL);
  EXPECT_EQ(StrToInt64Def(u"x", 3), 3);
}

TEST(Integers, BadTextRaisesEConvertErrorNamingTheValue) {
  try {
    StrToInt(u"12x");
    FAIL() << "no exception";
  } catch (EConvertError& E) {
    EXPECT_EQ(E.Message, u"'12x' is not a valid integer value");
  }
  EXPECT_THROW(StrToInt64(u"abc"), EConvertError);
  EXPECT_THROW(StrToInt(u"99999999999"), Exception);
}

TEST(Integers, ValReportsTheFirstBadPositionAndKeepsTheDigitsRead) {
  struct Case { String S; Integer Value, Code; };
  const Case Cases[] = {
      {u"123", 123, 0},   {u"12x4", 12, 3},  {u" 7,5", 7, 3},   {u"", 0, 1},
      {u"  ", 0, 3},      {u"-", 0, 2},      {u"$1Fz", 31, 4},  {u"0x", 0, 3},
      {u"cw12", 0, 1},    {u"-15,2", -15, 4}, {u"99999999999", 999999999, 10},
  };
  for (const auto& C : Cases) {
    Integer V = -1, Code = -1;
    Val(C.S, V, Code);
    EXPECT_EQ(V, C.Value) << UTF8Encode(C.S);
    EXPECT_EQ(Code, C.Code) << UTF8Encode(C.S);
  }
  Int64 V64 = 0;
  Integer Code = 0;
  Val(u"9223372036854775807", V64, Code);
  EXPECT_EQ(Code, 0);
  EXPECT_EQ(V64, std::numeric_limits<Int64>::max());
}

TEST(Integers, BooleanText) {
  EXPECT_TRUE(StrToBool(u"true"));
  EXPECT_FALSE(StrToBool(u" False "));
  EXPECT_TRUE(StrToBool(u"-1"));
  EXPECT_FALSE(StrToBool(u"0"));
  EXPECT_THROW(StrToBool(u"maybe"), EConvertError);
  EXPECT_EQ(BoolToStr(true), u"-1");
  EXPECT_EQ(BoolToStr(false, true), u"False");
}

// ---------------------------------------------------------------------------------------------------
// Exceptions

TEST(Exceptions, FamilyIsCaughtAsExceptionAndNamesItself) {
  try {
    throw EStringListError(u"List index out of bounds (5)");
  } catch (Exception& E) {
    EXPECT_EQ(E.Message, u"List index out of bounds (5)");
    EXPECT_EQ(E.GetMessage(), E.Message);
    EXPECT_STREQ(E.what(), "List index out of bounds (5)");
    EXPECT_EQ(E.ClassName(), u"EStringListError");
    EXPECT_TRUE(E.InheritsFrom(Exception::StaticClass()));
  }
  EXPECT_THROW(throw EFOpenError(u"x"), EStreamError);
  EXPECT_THROW(throw EReadError(u"x"), EFilerError);
  EXPECT_THROW(throw EArgumentOutOfRangeException(u"x"), EArgumentException);
  EXPECT_THROW(throw EZeroDivide(u"x"), EMathError);
  EXPECT_THROW(Abort(), EAbort);

  const EConvertError F(u"'%s' is not a valid integer value", {u"12x"});
  EXPECT_EQ(F.Message, u"'12x' is not a valid integer value");
  const EAssertionFailed A(u"Assertion failed", u"NeoUtils.pas", 42);
  EXPECT_EQ(A.LineNumber, 42);
  EXPECT_EQ(A.Message, u"Assertion failed (NeoUtils.pas, line 42)");
  EXPECT_STREQ(Exception(u"Grüße").what(), "Grüße");
}
