// Floating-point text: FloatToStr, FloatToStrF, FormatFloat, StrToFloat and Val for Double.
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/RtlInternal.h"

namespace {

// A finite value as decimal digits: value = 0.Digits x 10^Exponent (Digits has no leading or
// trailing zeros; empty for zero).
struct TDecimal {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;
};

void StripTrailingZeros(TDecimal& D) {
  while (!D.Digits.empty() && D.Digits.back() == '0') D.Digits.pop_back();
  if (D.Digits.empty()) D.Exponent = 0;
}

// From std::to_chars scientific text "d.ddde+XX".
TDecimal DecimalFromScientific(const char* First, const char* Last, bool Negative) {
  TDecimal D;
  D.Negative = Negative;
  const char* P = First;
  for (; P != Last && *P != 'e'; ++P)
    if (*P != '.') D.Digits += *P;
  int Exp = 0;
  if (P != Last) std::from_chars(P + (P[1] == '+' ? 2 : 1), Last, Exp);
  D.Exponent = Exp + 1;
  StripTrailingZeros(D);
  if (D.Digits == "0") D.Digits.clear();
  return D;
}

// Value correctly rounded to Significant digits (1..17).
TDecimal PreciseDecimal(double Value, int Significant) {
  char Buf[64];
  const auto R = std::to_chars(Buf, Buf + sizeof Buf, std::fabs(Value), std::chars_format::scientific,
                               Significant - 1);
  return DecimalFromScientific(Buf, R.ptr, std::signbit(Value));
}

// Rounds the decimal digits to Decimals places after the point, halves away from zero.
void RoundToDecimals(TDecimal& D, int Decimals) {
  const int Keep = D.Exponent + Decimals;
  if (Keep >= static_cast<int>(D.Digits.size())) return;
  if (Keep < 0) {
    D.Digits.clear();
    D.Exponent = 0;
    return;
  }
  const bool Up = D.Digits[static_cast<std::size_t>(Keep)] >= '5';
  D.Digits.resize(static_cast<std::size_t>(Keep));
  if (Up) {
    int I = Keep - 1;
    while (I >= 0 && D.Digits[static_cast<std::size_t>(I)] == '9') D.Digits[static_cast<std::size_t>(I--)] = '0';
    if (I >= 0) {
      ++D.Digits[static_cast<std::size_t>(I)];
    } else {
      D.Digits.insert(D.Digits.begin(), '1');
      ++D.Exponent;
    }
  }
  StripTrailingZeros(D);
}

// Digit I of the number (0 = first significant), '0' past the end.
char DigitAt(const TDecimal& D, int I) {
  return (I >= 0 && I < static_cast<int>(D.Digits.size())) ? D.Digits[static_cast<std::size_t>(I)] : '0';
}

void AppendAscii(String& S, const std::string& A) {
  for (char C : A) S += static_cast<Char>(C);
}

void AppendExponent(String& S, int Exp, bool AlwaysSign, int MinDigits) {
  if (Exp < 0) S += u'-';
  else if (AlwaysSign) S += u'+';
  std::string E = std::to_string(Exp < 0 ? -Exp : Exp);
  if (static_cast<int>(E.size()) < MinDigits) E.insert(0, static_cast<std::size_t>(MinDigits) - E.size(), '0');
  AppendAscii(S, E);
}

String SpecialText(double Value) {
  if (std::isnan(Value)) return u"NAN";
  return Value < 0 ? u"-INF" : u"INF";
}

// d[.ddd]E[-]x: the exponent form of the general format.
String GeneralScientific(const TDecimal& D, int ExpDigits, const TFormatSettings& FS) {
  String S;
  if (D.Negative) S += u'-';
  S += static_cast<Char>(DigitAt(D, 0));
  if (D.Digits.size() > 1) {
    S += FS.DecimalSeparator;
    for (std::size_t I = 1; I < D.Digits.size(); ++I) S += static_cast<Char>(D.Digits[I]);
  }
  S += u'E';
  AppendExponent(S, D.Exponent - 1, false, ExpDigits);
  return S;
}

// Integer digits ("0" for none) and the fraction's digits of a decimal.
void SplitFixed(const TDecimal& D, int Decimals, std::string& Int, std::string& Frac) {
  Int.clear();
  Frac.clear();
  for (int I = 0; I < D.Exponent; ++I) Int += DigitAt(D, I);
  if (Int.empty()) Int.push_back('0');
  for (int I = 0; I < Decimals; ++I) Frac += DigitAt(D, D.Exponent + I);
}

String GroupThousands(const std::string& Int, Char Separator) {
  String S;
  for (std::size_t I = 0; I < Int.size(); ++I) {
    if (I > 0 && (Int.size() - I) % 3 == 0) S += Separator;
    S += static_cast<Char>(Int[I]);
  }
  return S;
}

String FormatGeneral(const TDecimal& D, int Precision, int ExpDigits, const TFormatSettings& FS) {
  if (D.Digits.empty()) return u"0";
  if (D.Exponent > Precision || D.Exponent < -3) return GeneralScientific(D, ExpDigits, FS);
  std::string Int, Frac;
  const int Decimals = std::max(0, static_cast<int>(D.Digits.size()) - D.Exponent);
  SplitFixed(D, Decimals, Int, Frac);
  String S;
  if (D.Negative) S += u'-';
  AppendAscii(S, Int);
  if (!Frac.empty()) {
    S += FS.DecimalSeparator;
    AppendAscii(S, Frac);
  }
  return S;
}

String FormatExponent(const TDecimal& D, int Precision, int ExpDigits, const TFormatSettings& FS) {
  String S;
  if (D.Negative && !D.Digits.empty()) S += u'-';
  S += static_cast<Char>(DigitAt(D, 0));
  if (Precision > 1) {
    S += FS.DecimalSeparator;
    for (int I = 1; I < Precision; ++I) S += static_cast<Char>(DigitAt(D, I));
  }
  S += u'E';
  AppendExponent(S, D.Digits.empty() ? 0 : D.Exponent - 1, true, ExpDigits);
  return S;
}

String ApplyCurrency(const String& Number, bool Negative, const TFormatSettings& FS) {
  static const char16_t* const Positive[4] = {u"$1", u"1$", u"$ 1", u"1 $"};
  static const char16_t* const NegativeForms[16] = {u"($1)", u"-$1",  u"$-1",  u"$1-",  u"(1$)",  u"-1$",
                                                     u"1-$",  u"1$-",  u"-1 $", u"-$ 1", u"1 $-",  u"$ 1-",
                                                     u"$ -1", u"1- $", u"($ 1)", u"(1 $)"};
  const char16_t* Pattern = Negative ? NegativeForms[FS.NegCurrFormat % 16] : Positive[FS.CurrencyFormat % 4];
  String S;
  for (const char16_t* P = Pattern; *P; ++P) {
    if (*P == u'$') S += FS.CurrencyString;
    else if (*P == u'1') S += Number;
    else S += *P;
  }
  return S;
}

// The fixed family (ffFixed, ffNumber, ffCurrency). Values with more than IntLimit integer digits
// fall back to the exponent form of the general format.
String FormatFixedFamily(double Value, TFloatFormat Fmt, int Significant, int IntLimit, int Decimals,
                         const TFormatSettings& FS) {
  TDecimal D = PreciseDecimal(Value, std::clamp(Significant, 1, 15));
  if (D.Exponent > IntLimit) return GeneralScientific(D, 0, FS);
  Decimals = std::clamp(Decimals, 0, 18);
  RoundToDecimals(D, Decimals);
  std::string Int, Frac;
  SplitFixed(D, Decimals, Int, Frac);
  const bool Negative = D.Negative && !D.Digits.empty();   // no "-0.00"
  String Number = Fmt == ffFixed ? String(Int.begin(), Int.end()) : GroupThousands(Int, FS.ThousandSeparator);
  if (!Frac.empty()) {
    Number += FS.DecimalSeparator;
    AppendAscii(Number, Frac);
  }
  if (Fmt == ffCurrency) return ApplyCurrency(Number, Negative, FS);
  return Negative ? u"-" + Number : Number;
}

String FloatToStrFImpl(double Value, TFloatFormat Fmt, int Precision, int Digits, int IntLimit,
                       const TFormatSettings& FS) {
  if (!std::isfinite(Value)) return SpecialText(Value);
  const int P = std::clamp(Precision, 1, 17);
  switch (Fmt) {
    case ffGeneral: {
      TDecimal D = PreciseDecimal(Value, P);
      return FormatGeneral(D, P, std::clamp(Digits, 0, 4), FS);
    }
    case ffExponent: return FormatExponent(PreciseDecimal(Value, P), P, std::clamp(Digits, 0, 4), FS);
    case ffFixed:
    case ffNumber:
    case ffCurrency: return FormatFixedFamily(Value, Fmt, P, IntLimit, Digits, FS);
  }
  return String();
}

}  // namespace

String FloatToStr(Double Value) { return FloatToStr(Value, FormatSettings); }

String FloatToStr(Double Value, const TFormatSettings& Settings) {
  Char Buf[FloatToStrBufSize];
  return String(Buf, static_cast<std::size_t>(FloatToStrBuf(Buf, Value, Settings)));
}

// The general format of the shortest digits, built on the stack: this is the hot path of every
// writer of numbers, so it allocates nothing.
Integer FloatToStrBuf(Char* Buffer, Double Value, const TFormatSettings& Settings) {
  Char* Out = Buffer;
  const auto Put = [&Out](std::string_view Text) {
    for (const char C : Text) *Out++ = static_cast<Char>(C);
  };
  if (!std::isfinite(Value)) {
    Put(std::isnan(Value) ? "NAN" : Value < 0 ? "-INF" : "INF");
    return static_cast<Integer>(Out - Buffer);
  }
  char Buf[64];
  const auto R = std::to_chars(Buf, Buf + sizeof Buf, std::fabs(Value), std::chars_format::scientific);
  char Digits[24];
  int N = 0;
  const char* P = Buf;
  for (; P != R.ptr && *P != 'e'; ++P)
    if (*P != '.') Digits[N++] = *P;
  int Exp = 0;
  if (P != R.ptr) std::from_chars(P + (P[1] == '+' ? 2 : 1), R.ptr, Exp);
  while (N > 0 && Digits[N - 1] == '0') --N;
  if (N == 0) {
    *Out++ = u'0';
    return 1;
  }
  const int Point = Exp + 1;  // digits before the decimal point
  const auto Digit = [&](int I) -> Char { return (I >= 0 && I < N) ? static_cast<Char>(Digits[I]) : u'0'; };
  if (std::signbit(Value)) *Out++ = u'-';
  if (Point > 15 || Point < -3) {
    *Out++ = Digit(0);
    if (N > 1) {
      *Out++ = Settings.DecimalSeparator;
      for (int I = 1; I < N; ++I) *Out++ = Digit(I);
    }
    *Out++ = u'E';
    if (Exp < 0) *Out++ = u'-';
    char ExpText[8];
    const auto E = std::to_chars(ExpText, ExpText + sizeof ExpText, Exp < 0 ? -Exp : Exp);
    Put(std::string_view(ExpText, static_cast<std::size_t>(E.ptr - ExpText)));
    return static_cast<Integer>(Out - Buffer);
  }
  if (Point <= 0) *Out++ = u'0';
  for (int I = 0; I < Point; ++I) *Out++ = Digit(I);
  if (N > Point) {
    *Out++ = Settings.DecimalSeparator;
    for (int I = Point; I < N; ++I) *Out++ = Digit(I);
  }
  return static_cast<Integer>(Out - Buffer);
}

String FloatToStrF(Double Value, TFloatFormat Format, Integer Precision, Integer Digits) {
  return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

String FloatToStrF(Double Value, TFloatFormat Format, Integer Precision, Integer Digits,
                   const TFormatSettings& Settings) {
  return FloatToStrFImpl(Value, Format, Precision, Digits, Precision, Settings);
}

String FormatFloatArg(Double Value, TFloatFormat Format, Integer Precision, Integer Digits,
                      const TFormatSettings& Settings) {
  const bool Fixed = Format == ffFixed || Format == ffNumber || Format == ffCurrency;
  return FloatToStrFImpl(Value, Format, Fixed ? 15 : Precision, Digits, Fixed ? 18 : Precision, Settings);
}

String CurrToStr(Currency Value) {
  TDecimal D = PreciseDecimal(Value, 17);
  RoundToDecimals(D, 4);
  return FormatGeneral(D, 19, 0, FormatSettings);
}

String CurrToStrF(Currency Value, TFloatFormat Format, Integer Digits) {
  return FormatFloatArg(Value, Format, 18, Digits, FormatSettings);
}

// ---------------------------------------------------------------------------------------------------
// FormatFloat

namespace {

// The layout of one section of a FormatFloat pattern.
struct TFloatSection {
  StringView Text;
  int IntPlaceholders = 0;   // '0' and '#' before the decimal point
  int IntForced = 0;         // placeholders from the first '0' before the point on
  int DecPlaceholders = 0;   // after the point
  int DecForced = 0;         // up to the last '0' after the point
  bool Thousands = false;
  bool Scientific = false;
  int ExpDigits = 0;
  bool HasDigits = false;
};

bool IsExponentAt(StringView S, std::size_t I) {
  return (S[I] == u'E' || S[I] == u'e') && I + 1 < S.size() && (S[I + 1] == u'+' || S[I + 1] == u'-');
}

std::vector<StringView> SplitSections(StringView F) {
  std::vector<StringView> Sections;
  std::size_t Start = 0, I = 0;
  while (I < F.size()) {
    if (F[I] == u'\'' || F[I] == u'"') {
      I = SkipQuoted(F, I);
    } else if (F[I] == u';') {
      Sections.push_back(F.substr(Start, I - Start));
      Start = ++I;
    } else {
      ++I;
    }
  }
  Sections.push_back(F.substr(Start));
  return Sections;
}

TFloatSection AnalyseSection(StringView S) {
  TFloatSection R;
  R.Text = S;
  bool AfterPoint = false;
  int FirstZero = -1;
  for (std::size_t I = 0; I < S.size();) {
    const Char C = S[I];
    if (C == u'\'' || C == u'"') {
      I = SkipQuoted(S, I);
      continue;
    }
    if (R.Scientific) {
      ++I;
      continue;
    }
    if (C == u'0' || C == u'#') {
      R.HasDigits = true;
      if (AfterPoint) {
        ++R.DecPlaceholders;
        if (C == u'0') R.DecForced = R.DecPlaceholders;
      } else {
        if (C == u'0' && FirstZero < 0) FirstZero = R.IntPlaceholders;
        ++R.IntPlaceholders;
      }
    } else if (C == u'.') {
      AfterPoint = true;
    } else if (C == u',') {
      R.Thousands = true;
    } else if (IsExponentAt(S, I) && R.HasDigits) {
      R.Scientific = true;
      std::size_t J = I + 2;
      while (J < S.size() && S[J] == u'0') {
        ++R.ExpDigits;
        ++J;
      }
      I = J;
      continue;
    }
    ++I;
  }
  R.IntForced = FirstZero < 0 ? 0 : R.IntPlaceholders - FirstZero;
  return R;
}

// Writes the section with the digits prepared: IntText (already padded), FracText, exponent.
String RenderSection(const TFloatSection& Sec, const std::string& IntText, const std::string& FracText,
                     bool Negative, int Exp, const TFormatSettings& FS) {
  String Out;
  if (Negative) Out += u'-';
  const StringView S = Sec.Text;
  const int IntLen = static_cast<int>(IntText.size());
  int IntSlot = 0, DecSlot = 0;
  bool AfterPoint = false, PointDone = false, ExponentDone = false;
  auto EmitIntDigit = [&](int From, int To) {   // digits [From, To) of IntText
    for (int P = std::max(From, 0); P < std::min(To, IntLen); ++P) {
      Out += static_cast<Char>(IntText[static_cast<std::size_t>(P)]);
      const int Remaining = IntLen - 1 - P;
      if (Sec.Thousands && !Sec.Scientific && Remaining > 0 && Remaining % 3 == 0) Out += FS.ThousandSeparator;
    }
  };
  for (std::size_t I = 0; I < S.size();) {
    const Char C = S[I];
    if (C == u'\'' || C == u'"') {
      I = AppendQuoted(Out, S, I);
      continue;
    }
    if ((C == u'0' || C == u'#') && ExponentDone) {
      ++I;   // the analyser counts no placeholder after the exponent, so neither does the output
      continue;
    }
    if (C == u'0' || C == u'#') {
      if (!AfterPoint) {
        // Placeholder IntSlot shows digit IntLen - IntPlaceholders + IntSlot; the first one also
        // takes every digit beyond the placeholders.
        const int Digit = IntLen - Sec.IntPlaceholders + IntSlot;
        if (IntSlot == 0 && Digit > 0) EmitIntDigit(0, Digit + 1);
        else if (Digit >= 0) EmitIntDigit(Digit, Digit + 1);
        ++IntSlot;
      } else {
        if (!PointDone && !FracText.empty()) {
          Out += FS.DecimalSeparator;
          PointDone = true;
        }
        if (DecSlot < static_cast<int>(FracText.size())) Out += static_cast<Char>(FracText[static_cast<std::size_t>(DecSlot)]);
        ++DecSlot;
      }
      ++I;
      continue;
    }
    if (C == u'.' && !AfterPoint) {
      if (Sec.IntPlaceholders == 0 && IntLen > 0) EmitIntDigit(0, IntLen);
      AfterPoint = true;
      ++I;
      continue;
    }
    if (C == u',' || C == u'.') {
      ++I;
      continue;
    }
    if (Sec.Scientific && !ExponentDone && IsExponentAt(S, I)) {
      Out += C;
      AppendExponent(Out, Exp, S[I + 1] == u'+', std::max(Sec.ExpDigits, 1));
      ExponentDone = true;
      I += 2;
      while (I < S.size() && S[I] == u'0') ++I;
      continue;
    }
    Out += C;
    ++I;
  }
  return Out;
}

// Formats the magnitude of Value with one section; Negative says whether to write a '-'. IsZero
// tells whether the value rounded to zero in this section.
String FormatWithSection(const TFloatSection& Sec, double Value, bool Negative, bool& IsZero,
                         const TFormatSettings& FS) {
  const double A = std::fabs(Value);
  std::string Int, Frac;
  int Exp = 0;
  if (Sec.Scientific) {
    const int Sig = std::clamp(Sec.IntPlaceholders + Sec.DecPlaceholders, 1, 15);
    TDecimal D = PreciseDecimal(A, Sig);
    const int IntDigits = std::max(Sec.IntPlaceholders, 0);
    Exp = D.Digits.empty() ? 0 : D.Exponent - IntDigits;
    for (int I = 0; I < IntDigits; ++I) Int += DigitAt(D, I);
    for (int I = 0; I < Sec.DecPlaceholders; ++I) Frac += DigitAt(D, IntDigits + I);
    IsZero = D.Digits.empty();
  } else {
    TDecimal D = PreciseDecimal(A, 15);
    RoundToDecimals(D, Sec.DecPlaceholders);
    IsZero = D.Digits.empty();
    for (int I = 0; I < D.Exponent; ++I) Int += DigitAt(D, I);
    for (int I = 0; I < Sec.DecPlaceholders; ++I) Frac += DigitAt(D, D.Exponent + I);
  }
  // Drop zeros the integer part does not force; pad to the forced width.
  std::size_t Lead = 0;
  while (Lead < Int.size() && Int[Lead] == '0') ++Lead;
  Int.erase(0, Lead);
  if (static_cast<int>(Int.size()) < Sec.IntForced) Int.insert(0, static_cast<std::size_t>(Sec.IntForced) - Int.size(), '0');
  // Trailing zeros beyond the forced decimals go.
  while (static_cast<int>(Frac.size()) > Sec.DecForced && Frac.back() == '0') Frac.pop_back();
  return RenderSection(Sec, Int, Frac, Negative && !IsZero, Exp, FS);
}

}  // namespace

String FormatFloat(StringView Format, Double Value) { return FormatFloat(Format, Value, FormatSettings); }

String FormatFloat(StringView Format, Double Value, const TFormatSettings& Settings) {
  if (!std::isfinite(Value)) return SpecialText(Value);
  if (Format.empty()) return FloatToStrFImpl(Value, ffGeneral, 15, 0, 15, Settings);
  const std::vector<StringView> Sections = SplitSections(Format);
  auto Section = [&](std::size_t I) -> const StringView* {
    return I < Sections.size() && !Sections[I].empty() ? &Sections[I] : nullptr;
  };
  bool IsZero = false;
  const StringView* Chosen = &Sections[0];
  bool WriteSign = Value < 0;
  if (Value < 0 && Section(1)) {
    Chosen = Section(1);
    WriteSign = false;
  }
  String Text = FormatWithSection(AnalyseSection(*Chosen), Value, WriteSign, IsZero, Settings);
  if (IsZero && Section(2)) Text = FormatWithSection(AnalyseSection(*Section(2)), 0.0, false, IsZero, Settings);
  else if (IsZero && Chosen != &Sections[0])
    Text = FormatWithSection(AnalyseSection(Sections[0]), 0.0, false, IsZero, Settings);
  return Text;
}

// ---------------------------------------------------------------------------------------------------
// Reading floats

namespace {

struct TFloatScan {
  std::size_t ValidEnd = 0;   // end of the longest prefix that is a number
  std::size_t Stop = 0;       // where the scan could not go on
  bool Any = false;           // a valid prefix exists
  double Value = 0;
  bool Overflow = false;
};

// Reads [sign] digits [Sep digits] [(E|e) [sign] digits] from S at I.
TFloatScan ScanFloat(StringView S, std::size_t I, Char Sep) {
  TFloatScan R;
  std::string Text;
  std::size_t P = I;
  if (P < S.size() && (S[P] == u'-' || S[P] == u'+')) Text += static_cast<char>(S[P++]);
  std::size_t Digits = 0;
  Int64 Magnitude = 0;   // decimal exponent of the first significant digit, roughly
  bool SeenNonZero = false;
  int IntDigits = 0, FracLeadingZeros = 0;
  for (; P < S.size() && S[P] >= u'0' && S[P] <= u'9'; ++P, ++Digits) {
    Text += static_cast<char>(S[P]);
    if (S[P] != u'0') SeenNonZero = true;
    if (SeenNonZero) ++IntDigits;
  }
  if (Digits > 0) R.ValidEnd = P;
  if (P < S.size() && S[P] == Sep) {
    ++P;
    Text += '.';
    std::size_t FracDigits = 0;
    for (; P < S.size() && S[P] >= u'0' && S[P] <= u'9'; ++P, ++FracDigits) {
      Text += static_cast<char>(S[P]);
      if (S[P] != u'0') SeenNonZero = true;
      else if (!SeenNonZero) ++FracLeadingZeros;
    }
    Digits += FracDigits;
    if (Digits > 0) R.ValidEnd = P;
  }
  R.Any = Digits > 0;
  if (R.Any && P < S.size() && (S[P] == u'E' || S[P] == u'e')) {
    std::size_t Q = P + 1;
    std::string ExpText = "e";
    if (Q < S.size() && (S[Q] == u'-' || S[Q] == u'+')) ExpText += static_cast<char>(S[Q++]);
    const std::size_t ExpStart = Q;
    Int64 ExpValue = 0;
    for (; Q < S.size() && S[Q] >= u'0' && S[Q] <= u'9'; ++Q) {
      ExpText += static_cast<char>(S[Q]);
      ExpValue = std::min<Int64>(ExpValue * 10 + (S[Q] - u'0'), 100000);
    }
    if (Q > ExpStart) {
      Text += ExpText;
      R.ValidEnd = Q;
      P = Q;
      Magnitude = ExpText[1] == '-' ? -ExpValue : ExpValue;
    } else {
      P = Q;   // "1e" or "1e+": the scan fails past the exponent sign
    }
  }
  R.Stop = R.Any ? P : (P == I ? I : P);
  if (!R.Any) return R;
  // Text of the valid prefix only.
  if (R.ValidEnd < P) {
    const std::size_t Cut = Text.find('e');
    if (Cut != std::string::npos) Text.erase(Cut);
    Magnitude = 0;
  }
  Magnitude += SeenNonZero ? (IntDigits > 0 ? IntDigits : -FracLeadingZeros) : 0;
  const char* B = Text.data();
  const char* E = B + Text.size();
  const bool Neg = *B == '-';
  if (*B == '-' || *B == '+') ++B;
  const auto Res = std::from_chars(B, E, R.Value, std::chars_format::general);
  if (Res.ec == std::errc::result_out_of_range) {
    if (Magnitude < 0) R.Value = 0;   // underflow: as close to zero as it gets
    else R.Overflow = true;
  }
  if (Neg) R.Value = -R.Value;
  return R;
}

bool TryTextToFloat(StringView S, double& Value, Char Sep) {
  std::size_t I = 0;
  while (I < S.size() && S[I] <= u' ') ++I;
  const TFloatScan Scan = ScanFloat(S, I, Sep);
  if (!Scan.Any || Scan.Overflow) return false;
  std::size_t J = Scan.ValidEnd;
  while (J < S.size() && S[J] <= u' ') ++J;
  if (J != S.size()) return false;
  Value = Scan.Value;
  return true;
}

}  // namespace

bool TryStrToFloat(StringView S, Double& Value) { return TryTextToFloat(S, Value, FormatSettings.DecimalSeparator); }

bool TryStrToFloat(StringView S, Double& Value, const TFormatSettings& Settings) {
  return TryTextToFloat(S, Value, Settings.DecimalSeparator);
}

bool TryStrToFloat(StringView S, Single& Value) {
  double D;
  if (!TryStrToFloat(S, D) || std::fabs(D) > std::numeric_limits<float>::max()) return false;
  Value = static_cast<float>(D);
  return true;
}

Double StrToFloat(StringView S) { return StrToFloat(S, FormatSettings); }

Double StrToFloat(StringView S, const TFormatSettings& Settings) {
  double V;
  if (!TryTextToFloat(S, V, Settings.DecimalSeparator))
    throw EConvertError(u"'" + String(S) + u"' is not a valid floating point value");
  return V;
}

Double StrToFloatDef(StringView S, Double Default) {
  double V;
  return TryStrToFloat(S, V) ? V : Default;
}

bool TryStrToCurr(StringView S, Currency& Value) {
  double V;
  if (!TryStrToFloat(S, V)) return false;
  Value = std::round(V * 10000.0) / 10000.0;   // currency keeps four decimals
  return true;
}

Currency StrToCurr(StringView S) {
  Currency V;
  if (!TryStrToCurr(S, V)) throw EConvertError(u"'" + String(S) + u"' is not a valid floating point value");
  return V;
}

void Val(StringView S, Double& Value, Integer& Code) {
  std::size_t I = 0;
  while (I < S.size() && S[I] == u' ') ++I;
  const TFloatScan Scan = ScanFloat(S, I, u'.');
  Value = Scan.Any && !Scan.Overflow ? Scan.Value : 0.0;
  const bool Ok = Scan.Any && !Scan.Overflow && Scan.ValidEnd == S.size();
  Code = Ok ? 0 : static_cast<Integer>((Scan.Any ? std::max(Scan.Stop, Scan.ValidEnd) : Scan.Stop) + 1);
}

std::size_t SkipQuoted(StringView S, std::size_t I) {
  const Char Q = S[I++];
  while (I < S.size() && S[I] != Q) ++I;
  return I < S.size() ? I + 1 : I;
}

std::size_t AppendQuoted(String& Out, StringView S, std::size_t I) {
  const std::size_t End = SkipQuoted(S, I);
  const std::size_t Close = (End > I + 1 && S[End - 1] == S[I]) ? End - 1 : End;
  Out.append(S.substr(I + 1, Close - I - 1));
  return End;
}
