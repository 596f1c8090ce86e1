#include "platform/rtl/Character.h"

#include <unicode/uchar.h>

TUnicodeCategory GetUnicodeCategory(char32_t C) {
  if (C > 0x10FFFF) return ucUnassigned;
  switch (u_charType(static_cast<UChar32>(C))) {
    case U_UPPERCASE_LETTER: return ucUppercaseLetter;
    case U_LOWERCASE_LETTER: return ucLowercaseLetter;
    case U_TITLECASE_LETTER: return ucTitlecaseLetter;
    case U_MODIFIER_LETTER: return ucModifierLetter;
    case U_OTHER_LETTER: return ucOtherLetter;
    case U_NON_SPACING_MARK: return ucNonSpacingMark;
    case U_ENCLOSING_MARK: return ucEnclosingMark;
    case U_COMBINING_SPACING_MARK: return ucCombiningMark;
    case U_DECIMAL_DIGIT_NUMBER: return ucDecimalNumber;
    case U_LETTER_NUMBER: return ucLetterNumber;
    case U_OTHER_NUMBER: return ucOtherNumber;
    case U_SPACE_SEPARATOR: return ucSpaceSeparator;
    case U_LINE_SEPARATOR: return ucLineSeparator;
    case U_PARAGRAPH_SEPARATOR: return ucParagraphSeparator;
    case U_CONTROL_CHAR: return ucControl;
    case U_FORMAT_CHAR: return ucFormat;
    case U_PRIVATE_USE_CHAR: return ucPrivateUse;
    case U_SURROGATE: return ucSurrogate;
    case U_DASH_PUNCTUATION: return ucDashPunctuation;
    case U_START_PUNCTUATION: return ucOpenPunctuation;
    case U_END_PUNCTUATION: return ucClosePunctuation;
    case U_CONNECTOR_PUNCTUATION: return ucConnectPunctuation;
    case U_OTHER_PUNCTUATION: return ucOtherPunctuation;
    case U_MATH_SYMBOL: return ucMathSymbol;
    case U_CURRENCY_SYMBOL: return ucCurrencySymbol;
    case U_MODIFIER_SYMBOL: return ucModifierSymbol;
    case U_OTHER_SYMBOL: return ucOtherSymbol;
    case U_INITIAL_PUNCTUATION: return ucInitialPunctuation;
    case U_FINAL_PUNCTUATION: return ucFinalPunctuation;
    default: return ucUnassigned;
  }
}

bool IsNumber(char32_t C) {
  if (C > 0x10FFFF) return false;
  const std::int8_t type = u_charType(static_cast<UChar32>(C));
  return type == U_DECIMAL_DIGIT_NUMBER || type == U_LETTER_NUMBER || type == U_OTHER_NUMBER;
}
