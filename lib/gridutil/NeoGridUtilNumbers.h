#pragma once
// The grid's stateless number routines: small integer helpers, the locale readers, character
// tests, and the classification and normalisation of number text against the locale separators.
// Every routine reads the process-wide FormatSettings at each call.
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Graphics.h"

// ---- integers

Integer IntMax(Integer A, Integer B);
Integer IntMin(Integer A, Integer B);
// High when Value > High, else Low when Value < Low, else Value.
Integer ClampInt(Integer Value, Integer Low, Integer High);
// Min = Max leaves Value unchanged; otherwise a bound applies only when it is above 0, and the
// upper bound wins when both apply.
Integer ApplyLimits(Integer Value, Integer Min, Integer Max);
// True when Left <= Col <= Right and Top <= Row <= Bottom (for any rectangle of cells).
template <class TCellRect>
bool CellInGridRect(const TCellRect& Rect, Integer Col, Integer Row) {
  return Col >= Rect.Left && Col <= Rect.Right && Row >= Rect.Top && Row <= Rect.Bottom;
}

// ---- locale readers

Char LocaleTimeSeparator();
Char LocaleDateSeparator();
Char LocaleThousandSeparator();
Char LocaleDecimalSeparator();
String LocaleShortDateFormat();
String LocaleShortTimeFormat();
String LocaleLongTimeFormat();
String LocaleCurrencyString();

// ---- character tests

// Unicode decimal digits, letter numbers and other numbers; below 128 exactly '0'..'9'.
bool IsNumberChar(Char C);
bool IsNumberCharCode(Integer Code);   // the same for a code point given as an integer
bool IsSignedDigit(Char C);            // IsNumberChar or '-'
bool IsNumberTextChar(Char C);         // IsNumberChar, the thousand and decimal separators, 'e', 'E'
bool IsNumberTextOrSignChar(Char C);   // IsNumberTextChar, '+', '-'
bool IsFloatChar(Char C);              // IsNumberChar, '+', '-', '.', 'E', 'e'
// IsNumberChar, the thousand and decimal separators, Backspace, Tab, Enter, Esc and '-'.
bool IsNumericEditKey(Char Key);
bool IsWordBreakChar(Char C);          // blank, apostrophe, ',', '-', '.'

// ---- number text

enum TNumberTextKind {
  ntInteger = 0, ntDecimal = 1, ntNotNumber = 2, ntDate = 3, ntTime = 4, ntExponent = 5
};

// 0 integer, 1 decimal number, 2 not a number, 3 date, 4 time, 5 number with exponent; the
// separators are the locale's.
Integer ClassifyNumberText(StringView Text);
// The same with the decimal and thousand separators given (the date and time separators stay the
// locale's).
Integer ClassifyNumberTextEx(StringView Text, Char Decimal, Char Thousand);

// A text for conversion: "(1,234.50)" gives "-1234.50", "abc12" gives "12", "12x3" gives "12".
String NormalizeNumberText(StringView Text);
// An integer or decimal number text with its thousand separators removed and '.' as decimal
// separator; other texts unchanged.
String ToInvariantNumberText(StringView Text);
// A number text written with '.' decimals in the locale's decimal separator; other texts unchanged.
String ToLocaleNumberText(StringView Text);
// The decimal separator made '.', thousand separators dropped, every other character kept.
String DotDecimalText(StringView Text);

// Six upper-case hexadecimal digits red, green, blue; red is the colour's lowest byte.
String ColorToHexTriplet(TColor Color);
