#include "platform/rtl/Character.h"
#include "platform/rtl/WinNls.h"

#include <gtest/gtest.h>

TEST(Character, NumberCategoriesComeFromTheCharacterDatabase) {
  struct Case { char32_t C; TUnicodeCategory Category; };
  const Case Cases[] = {
      {U'7', ucDecimalNumber},      {U'\u0663', ucDecimalNumber},   // Arabic-Indic three
      {U'\u216B', ucLetterNumber},  {U'\u00BD', ucOtherNumber},     // Roman twelve, one half
      {U'\u00B2', ucOtherNumber},   {U'\U0001D7CE', ucDecimalNumber},   // superscript two, bold zero
      {U'a', ucLowercaseLetter},    {U'A', ucUppercaseLetter},      {U' ', ucSpaceSeparator},
      {U'-', ucDashPunctuation},    {U'\u20AC', ucCurrencySymbol},  {U'\u0301', ucNonSpacingMark},
      {char32_t(0xD800), ucSurrogate},     {U'\uE000', ucPrivateUse},      {U'\u0378', ucUnassigned},
      {U'\x0D', ucControl},         {char32_t(0x110000), ucUnassigned},
  };
  for (const Case& c : Cases) {
    EXPECT_EQ(GetUnicodeCategory(c.C), c.Category) << std::hex << static_cast<unsigned>(c.C);
    const bool number = c.Category == ucDecimalNumber || c.Category == ucLetterNumber || c.Category == ucOtherNumber;
    EXPECT_EQ(IsNumber(c.C), number) << std::hex << static_cast<unsigned>(c.C);
  }
}

TEST(Character, FoldStringCompositeDecomposesAccentedLetters) {
  const String source = u"Ça été \u212B x\u00BDy";   // the Ångström sign decomposes through Å
  Char buffer[64];
  const int needed = FoldStringW(MAP_COMPOSITE, source.c_str(), static_cast<int>(source.size()), nullptr, 0);
  const int written = FoldStringW(MAP_COMPOSITE, source.c_str(), static_cast<int>(source.size()), buffer, 64);
  EXPECT_EQ(String(buffer, static_cast<std::size_t>(written)), u"C\u0327a e\u0301te\u0301 A\u030A x\u00BDy");
  EXPECT_EQ(needed, written);

  // -1 folds the terminating zero too; a buffer one unit short fails.
  EXPECT_EQ(FoldStringW(MAP_COMPOSITE, u"é", -1, buffer, 64), 3);
  EXPECT_EQ(String(buffer, 3), String(u"e\u0301\0", 3));
  EXPECT_EQ(FoldStringW(MAP_COMPOSITE, u"é", -1, buffer, 2), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));

  // Unpaired surrogates and embedded zeros pass through unchanged.
  const String odd{u'a', Char(0xDC00), u'\0', u'b', Char(0xD800)};
  ASSERT_EQ(FoldStringW(MAP_COMPOSITE, odd.data(), 5, buffer, 64), 5);
  EXPECT_EQ(String(buffer, 5), odd);

  EXPECT_EQ(FoldStringW(0x80, u"1", 1, buffer, 64), 0);   // other mappings are not offered
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_FLAGS));
  EXPECT_EQ(FoldStringW(MAP_COMPOSITE, u"a", 0, buffer, 64), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}
