#include "lib/gridutil/NeoGridUtilNumbers.h"

#include "platform/rtl/Character.h"

// ---------------------------------------------------------------------------------------------
// Integers

Integer IntMax(Integer A, Integer B) { return A > B ? A : B; }
Integer IntMin(Integer A, Integer B) { return A < B ? A : B; }

Integer ClampInt(Integer Value, Integer Low, Integer High) {
  if (Value > High) return High;
  if (Value < Low) return Low;
  return Value;
}

Integer ApplyLimits(Integer Value, Integer Min, Integer Max) {
  if (Min == Max) return Value;
  Integer result = Value;
  if (Min > 0 && result < Min) result = Min;
  if (Max > 0 && Value > Max) result = Max;
  return result;
}

// ---------------------------------------------------------------------------------------------
// Locale readers

Char LocaleTimeSeparator() { return FormatSettings.TimeSeparator; }
Char LocaleDateSeparator() { return FormatSettings.DateSeparator; }
Char LocaleThousandSeparator() { return FormatSettings.ThousandSeparator; }
Char LocaleDecimalSeparator() { return FormatSettings.DecimalSeparator; }
String LocaleShortDateFormat() { return FormatSettings.ShortDateFormat; }
String LocaleShortTimeFormat() { return FormatSettings.ShortTimeFormat; }
String LocaleLongTimeFormat() { return FormatSettings.LongTimeFormat; }
String LocaleCurrencyString() { return FormatSettings.CurrencyString; }

// ---------------------------------------------------------------------------------------------
// Character tests

bool IsNumberCharCode(Integer Code) {
  if (Code < 0) return false;
  if (Code < 128) return Code >= '0' && Code <= '9';
  return IsNumber(static_cast<char32_t>(Code));
}

bool IsNumberChar(Char C) { return IsNumberCharCode(C); }
bool IsSignedDigit(Char C) { return IsNumberChar(C) || C == u'-'; }

bool IsNumberTextChar(Char C) {
  return IsNumberChar(C) || C == LocaleThousandSeparator() || C == LocaleDecimalSeparator() || C == u'e' ||
         C == u'E';
}

bool IsNumberTextOrSignChar(Char C) { return IsNumberTextChar(C) || C == u'+' || C == u'-'; }

bool IsFloatChar(Char C) {
  return IsNumberChar(C) || C == u'+' || C == u'-' || C == u'.' || C == u'E' || C == u'e';
}

bool IsNumericEditKey(Char Key) {
  return IsNumberChar(Key) || Key == LocaleThousandSeparator() || Key == LocaleDecimalSeparator() || Key == 8 ||
         Key == 9 || Key == 13 || Key == 27 || Key == u'-';
}

bool IsWordBreakChar(Char C) { return C == u' ' || C == u'\'' || C == u',' || C == u'-' || C == u'.'; }

// ---------------------------------------------------------------------------------------------
// Number text

namespace {

// The facts ClassifyNumberTextEx decides on, gathered in one pass.
struct TNumberShape {
  bool Integer = true;    // digits, '-' only first
  bool Decimal = true;    // digits, '-' only first, thousand and decimal separators
  bool Exponent = true;   // number-text and sign characters other than the thousand separator
  bool Time = true;       // digits and at most two time separators, none adjacent
  bool Date = true;       // digits and exactly two date separators, none adjacent
  bool HasDigit = false;
  int Minus = 0;
  int Decimals = 0;
  int Exponents = 0;
  int TimeSeparators = 0;
  int DateSeparators = 0;
};

// Separators in a list of thousands must lie more than 3 positions apart from each other and from
// the decimal separator (or the end) that closes the integer part: "1,23" and "1,23,456" are no
// numbers. A thousand separator after the decimal separator is none either.
bool ThousandsWellSpaced(StringView Text, Char Decimal, Char Thousand) {
  Integer last = 0;
  for (std::size_t i = 0; i <= Text.size(); ++i) {
    const Integer position = static_cast<Integer>(i) + 1;
    const bool closes = i == Text.size() || Text[i] == Decimal;
    if (closes || Text[i] == Thousand) {
      if (last > 0 && position - last <= 3) return false;
      if (closes) return i == Text.size() || Text.find(Thousand, i) == StringView::npos;
      last = position;
    }
  }
  return true;
}

TNumberShape ShapeOf(StringView Text, Char Decimal, Char Thousand) {
  TNumberShape s;
  const Char timeSep = LocaleTimeSeparator();
  const Char dateSep = LocaleDateSeparator();
  Char previous = 0;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const Char c = Text[i];
    const bool digit = IsNumberChar(c);
    s.HasDigit = s.HasDigit || digit;
    if (c == u'-') ++s.Minus;
    if (c == Decimal) ++s.Decimals;
    if (c == u'e' || c == u'E') ++s.Exponents;
    if (!digit && !(c == u'-' && i == 0)) s.Integer = false;
    if (!digit && c != u'-' && c != Thousand && c != Decimal) s.Decimal = false;
    if (c == u'-' && i > 0) s.Decimal = false;
    if (!IsNumberTextOrSignChar(c) || c == Thousand) s.Exponent = false;
    if (c == timeSep) {
      ++s.TimeSeparators;
      if (previous == timeSep) s.Time = false;
    } else if (!digit) {
      s.Time = false;
    }
    if (c == dateSep) {
      ++s.DateSeparators;
      if (previous == dateSep) s.Date = false;
    } else if (!digit) {
      s.Date = false;
    }
    previous = c;
  }
  const Char first = Text.empty() ? 0 : Text.front();
  const Char last = Text.empty() ? 0 : Text.back();
  s.Exponent = s.Exponent && s.Exponents == 1 && first != u'e' && first != u'E' && last != u'+' && last != u'-' &&
               last != u'e' && last != u'E';
  s.Decimal = s.Decimal && ThousandsWellSpaced(Text, Decimal, Thousand);
  // A text of signs and separators alone is no number.
  s.Integer = s.Integer && s.HasDigit;
  s.Decimal = s.Decimal && s.HasDigit;
  s.Exponent = s.Exponent && s.HasDigit;
  s.Time = s.Time && s.TimeSeparators >= 1 && s.TimeSeparators <= 2 && IsNumberChar(first);
  s.Date = s.Date && s.DateSeparators == 2 && IsNumberChar(first);
  return s;
}

}  // namespace

Integer ClassifyNumberTextEx(StringView Text, Char Decimal, Char Thousand) {
  if (Text.empty()) return ntNotNumber;
  const TNumberShape s = ShapeOf(Text, Decimal, Thousand);
  if (s.Integer) return ntInteger;
  Integer result = s.Exponent ? ntExponent : (s.Decimal ? ntDecimal : ntNotNumber);
  if (s.Time) {
    result = ntTime;
  } else if (s.Date) {
    result = ntDate;
  } else if (s.Minus > (s.Exponent ? 2 : 1) || s.Decimals > 1) {
    result = ntNotNumber;
  }
  return result;
}

Integer ClassifyNumberText(StringView Text) {
  return ClassifyNumberTextEx(Text, LocaleDecimalSeparator(), LocaleThousandSeparator());
}

String NormalizeNumberText(StringView Text) {
  if (Text.empty()) return String();
  bool negative = Text.size() >= 2 && Text.front() == u'(' && Text.back() == u')';
  std::size_t start = 0;
  while (Text.size() - start >= 2 && !IsNumberTextChar(Text[start])) {
    if (Text[start] == u'-') negative = true;
    ++start;
  }
  const Char decimal = LocaleDecimalSeparator();
  const Char thousand = LocaleThousandSeparator();
  String result;
  if (negative) result += u'-';
  for (std::size_t i = start; i < Text.size(); ++i) {
    const Char c = Text[i];
    if (c == thousand) continue;
    if (c == decimal) {
      result += u'.';
    } else if (IsFloatChar(c)) {
      result += c;
    } else {
      break;
    }
  }
  return result;
}

String DotDecimalText(StringView Text) {
  const Char decimal = LocaleDecimalSeparator();
  const Char thousand = LocaleThousandSeparator();
  String result;
  result.reserve(Text.size());
  for (Char c : Text) {
    if (c == decimal) {
      result += u'.';
    } else if (c != thousand) {
      result += c;
    }
  }
  return result;
}

String ToInvariantNumberText(StringView Text) {
  const Integer kind = ClassifyNumberText(Text);
  if (kind != ntInteger && kind != ntDecimal) return String(Text);
  return DotDecimalText(Text);
}

String ToLocaleNumberText(StringView Text) {
  String result(Text);
  const Integer kind = ClassifyNumberTextEx(Text, u'.', u',');
  const Char decimal = LocaleDecimalSeparator();
  if ((kind == ntInteger || kind == ntDecimal) && decimal != u'.') {
    for (Char& c : result)
      if (c == u'.') c = decimal;
  }
  return result;
}

String ColorToHexTriplet(TColor Color) {
  const auto value = static_cast<Cardinal>(Color);
  const Cardinal rgb = ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
  return IntToHex(rgb, 6);
}
