#pragma once
// Unicode general categories of characters, from ICU's character database.
#include "platform/rtl/System.h"

enum TUnicodeCategory {
  ucControl, ucFormat, ucUnassigned, ucPrivateUse, ucSurrogate, ucLowercaseLetter, ucModifierLetter,
  ucOtherLetter, ucTitlecaseLetter, ucUppercaseLetter, ucCombiningMark, ucEnclosingMark, ucNonSpacingMark,
  ucDecimalNumber, ucLetterNumber, ucOtherNumber, ucConnectPunctuation, ucDashPunctuation, ucClosePunctuation,
  ucFinalPunctuation, ucInitialPunctuation, ucOtherPunctuation, ucOpenPunctuation, ucCurrencySymbol,
  ucModifierSymbol, ucMathSymbol, ucOtherSymbol, ucLineSeparator, ucParagraphSeparator, ucSpaceSeparator
};

// The category of a code point; a single UTF-16 surrogate unit is ucSurrogate, a value beyond
// U+10FFFF ucUnassigned.
TUnicodeCategory GetUnicodeCategory(char32_t C);
// Decimal digit, letter number or other number (Nd, Nl, No): '0'..'9', 'Ⅻ', '½', '²', '٣' ...
bool IsNumber(char32_t C);
