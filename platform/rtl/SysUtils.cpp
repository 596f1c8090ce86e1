#include "platform/rtl/SysUtils.h"
#include "platform/rtl/RtlInternal.h"

#include <algorithm>
#include <limits>
#include <type_traits>

#include "platform/rtl/UnicodeCase.h"

// ---------------------------------------------------------------------------------------------------
// Exceptions

Exception::Exception(StringView Fmt, std::initializer_list<TVarRec> Args) : Message(Format(Fmt, Args)) {}

const char* Exception::what() const noexcept {
  try {
    FWhat = UTF8Encode(Message);
  } catch (...) {
    return "Exception";
  }
  return FWhat.c_str();
}

EAssertionFailed::EAssertionFailed(const String& Msg, const String& AUnitName, Integer ALineNumber)
    : Exception(Format(u"%s (%s, line %d)", {Msg, AUnitName, ALineNumber})),
      UnitName(AUnitName),
      LineNumber(ALineNumber) {}

void Abort() { throw EAbort(String()); }

// ---------------------------------------------------------------------------------------------------
// Format settings

namespace {

void SetNames(TFormatSettings& S, const Char* const (&ShortMonths)[12], const Char* const (&LongMonths)[12],
              const Char* const (&ShortDays)[7], const Char* const (&LongDays)[7]) {
  for (int I = 0; I < 12; ++I) {
    S.ShortMonthNames[I] = ShortMonths[I];
    S.LongMonthNames[I] = LongMonths[I];
  }
  for (int I = 0; I < 7; ++I) {
    S.ShortDayNames[I] = ShortDays[I];
    S.LongDayNames[I] = LongDays[I];
  }
}

}  // namespace

TFormatSettings TFormatSettings::USEnglish() {
  TFormatSettings S;
  S.DecimalSeparator = u'.';
  S.ThousandSeparator = u',';
  S.DateSeparator = u'/';
  S.TimeSeparator = u':';
  S.ListSeparator = u',';
  S.ShortDateFormat = u"M/d/yyyy";
  S.LongDateFormat = u"dddd, MMMM d, yyyy";
  S.ShortTimeFormat = u"h:mm AMPM";
  S.LongTimeFormat = u"h:mm:ss AMPM";
  S.TimeAMString = u"AM";
  S.TimePMString = u"PM";
  S.CurrencyString = u"$";
  S.CurrencyFormat = 0;
  S.NegCurrFormat = 0;
  S.CurrencyDecimals = 2;
  const Char* Short[12] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                           u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  const Char* Long[12] = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                          u"July",    u"August",   u"September", u"October", u"November", u"December"};
  const Char* ShortDays[7] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  const Char* LongDays[7] = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
  SetNames(S, Short, Long, ShortDays, LongDays);
  S.TwoDigitYearCenturyWindow = 50;
  S.FirstDayOfWeek = 6;
  return S;
}

TFormatSettings TFormatSettings::German() {
  TFormatSettings S;
  S.DecimalSeparator = u',';
  S.ThousandSeparator = u'.';
  S.DateSeparator = u'.';
  S.TimeSeparator = u':';
  S.ListSeparator = u';';
  S.ShortDateFormat = u"dd.MM.yyyy";
  S.LongDateFormat = u"dddd, d. MMMM yyyy";
  S.ShortTimeFormat = u"hh:mm";
  S.LongTimeFormat = u"hh:mm:ss";
  S.TimeAMString = u"";
  S.TimePMString = u"";
  S.CurrencyString = u"\u20AC";
  S.CurrencyFormat = 3;
  S.NegCurrFormat = 8;
  S.CurrencyDecimals = 2;
  const Char* Short[12] = {u"Jan", u"Feb", u"M\u00E4r", u"Apr", u"Mai", u"Jun",
                           u"Jul", u"Aug", u"Sep",      u"Okt", u"Nov", u"Dez"};
  const Char* Long[12] = {u"Januar", u"Februar", u"M\u00E4rz",  u"April",   u"Mai",      u"Juni",
                          u"Juli",   u"August",  u"September", u"Oktober", u"November", u"Dezember"};
  const Char* ShortDays[7] = {u"So", u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa"};
  const Char* LongDays[7] = {u"Sonntag",    u"Montag",  u"Dienstag", u"Mittwoch",
                             u"Donnerstag", u"Freitag", u"Samstag"};
  SetNames(S, Short, Long, ShortDays, LongDays);
  S.TwoDigitYearCenturyWindow = 50;
  S.FirstDayOfWeek = 0;
  return S;
}

TFormatSettings FormatSettings = TFormatSettings::USEnglish();
TSysLocale SysLocale;

// ---------------------------------------------------------------------------------------------------
// Strings

namespace {

constexpr Char AsciiUpper(Char C) { return (C >= u'a' && C <= u'z') ? static_cast<Char>(C - 32) : C; }

// Converts a 1-based Index and a Count to a clamped [Start, Start + Len) range of S. An Index
// before the first character starts at the first character, Count unchanged.
void ClampRange(std::size_t Size, Integer Index, Integer Count, std::size_t& Start, std::size_t& Len) {
  Start = Index < 1 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(Index) - 1, Size);
  Len = Count <= 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(Count), Size - Start);
}

template <typename F>
String MapCodePoints(StringView S, F Map) {
  String R;
  R.reserve(S.size());
  for (std::size_t I = 0; I < S.size();) AppendCodePoint(R, Map(NextCodePoint(S, I)));
  return R;
}

// Collation: primary key the base letter (case and accents ignored), then the lower-case letter
// (accents count), then for case-sensitive comparison the case (lower before upper), then ordinal.
Integer Collate(StringView A, StringView B, bool CaseSensitive) {
  int Secondary = 0, Tertiary = 0;
  std::size_t I = 0, J = 0;
  while (I < A.size() && J < B.size()) {
    const char32_t CA = NextCodePoint(A, I), CB = NextCodePoint(B, J);
    if (CA == CB) continue;
    if (const int Primary = CompareLetters(CA, CB, Secondary)) return Primary;
    if (Tertiary == 0) {
      const char32_t LA = UnicodeToLower(CA);
      if (LA == UnicodeToLower(CB)) Tertiary = (CA == LA) ? -1 : 1;   // lower case first
    }
  }
  if (I < A.size()) return 1;
  if (J < B.size()) return -1;
  if (Secondary != 0) return Secondary;
  if (CaseSensitive) return Tertiary;
  return 0;
}

}  // namespace

int CompareLetters(char32_t CA, char32_t CB, int& Secondary) {
  const char32_t PA = UnicodeBaseLetter(CA), PB = UnicodeBaseLetter(CB);
  if (PA != PB) return PA < PB ? -1 : 1;
  const char32_t LA = UnicodeToLower(CA), LB = UnicodeToLower(CB);
  if (Secondary == 0 && LA != LB) Secondary = LA < LB ? -1 : 1;
  return 0;
}

Integer Pos(StringView SubStr, StringView S, Integer Offset) {
  if (SubStr.empty() || Offset < 1 || static_cast<std::size_t>(Offset) > S.size()) return 0;
  const auto P = S.find(SubStr, static_cast<std::size_t>(Offset - 1));
  return P == StringView::npos ? 0 : static_cast<Integer>(P + 1);
}

Integer Pos(Char C, StringView S, Integer Offset) { return Pos(StringView(&C, 1), S, Offset); }

String Copy(StringView S, Integer Index, Integer Count) {
  std::size_t Start, Len;
  ClampRange(S.size(), Index, Count, Start, Len);
  return String(S.substr(Start, Len));
}

void Delete(String& S, Integer Index, Integer Count) {
  if (Index < 1) return;   // nothing is deleted from before the first character
  std::size_t Start, Len;
  ClampRange(S.size(), Index, Count, Start, Len);
  S.erase(Start, Len);
}

void Insert(StringView Source, String& S, Integer Index) {
  const std::size_t At = Index < 1 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(Index - 1), S.size());
  S.insert(At, Source);
}

String TrimLeft(StringView S) {
  std::size_t I = 0;
  while (I < S.size() && S[I] <= u' ') ++I;
  return String(S.substr(I));
}

String TrimRight(StringView S) {
  std::size_t N = S.size();
  while (N > 0 && S[N - 1] <= u' ') --N;
  return String(S.substr(0, N));
}

String Trim(StringView S) {
  std::size_t I = 0, N = S.size();
  while (I < N && S[I] <= u' ') ++I;
  while (N > I && S[N - 1] <= u' ') --N;
  return String(S.substr(I, N - I));
}

String UpperCase(StringView S) {
  String R(S);
  for (auto& C : R) C = AsciiUpper(C);
  return R;
}

String LowerCase(StringView S) {
  String R(S);
  for (auto& C : R)
    if (C >= u'A' && C <= u'Z') C = static_cast<Char>(C + 32);
  return R;
}

String AnsiUpperCase(StringView S) { return MapCodePoints(S, UnicodeToUpper); }
String AnsiLowerCase(StringView S) { return MapCodePoints(S, UnicodeToLower); }

Char CharUpper(Char C) {
  const char32_t U = UnicodeToUpper(C);
  return U < 0x10000 ? static_cast<Char>(U) : C;
}

Char CharLower(Char C) {
  const char32_t L = UnicodeToLower(C);
  return L < 0x10000 ? static_cast<Char>(L) : C;
}

Integer CompareStr(StringView S1, StringView S2) {
  const std::size_t N = std::min(S1.size(), S2.size());
  for (std::size_t I = 0; I < N; ++I)
    if (S1[I] != S2[I]) return static_cast<Integer>(S1[I]) - static_cast<Integer>(S2[I]);
  return static_cast<Integer>(S1.size()) - static_cast<Integer>(S2.size());
}

Integer CompareText(StringView S1, StringView S2) {
  const std::size_t N = std::min(S1.size(), S2.size());
  for (std::size_t I = 0; I < N; ++I) {
    const Char A = AsciiUpper(S1[I]), B = AsciiUpper(S2[I]);
    if (A != B) return static_cast<Integer>(A) - static_cast<Integer>(B);
  }
  return static_cast<Integer>(S1.size()) - static_cast<Integer>(S2.size());
}

bool SameStr(StringView S1, StringView S2) { return S1 == S2; }

bool SameText(StringView S1, StringView S2) {
  return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

Integer AnsiCompareStr(StringView S1, StringView S2) { return Collate(S1, S2, true); }
Integer AnsiCompareText(StringView S1, StringView S2) { return Collate(S1, S2, false); }
bool AnsiSameStr(StringView S1, StringView S2) { return S1 == S2; }

bool AnsiSameText(StringView S1, StringView S2) {
  std::size_t I = 0, J = 0;
  while (I < S1.size() && J < S2.size())
    if (UnicodeToLower(NextCodePoint(S1, I)) != UnicodeToLower(NextCodePoint(S2, J))) return false;
  return I == S1.size() && J == S2.size();
}

Integer AnsiPos(StringView SubStr, StringView S) { return Pos(SubStr, S); }

String StringReplace(StringView S, StringView OldPattern, StringView NewPattern, TReplaceFlags Flags) {
  if (OldPattern.empty()) return String(S);
  const bool All = Flags.Contains(rfReplaceAll);
  // Case-insensitive search runs on upper-cased copies; the simple mapping keeps every length in
  // UTF-16 units, so positions agree with the original.
  String SearchIn, Pattern;
  StringView Hay = S, Needle = OldPattern;
  if (Flags.Contains(rfIgnoreCase)) {
    SearchIn = AnsiUpperCase(S);
    Pattern = AnsiUpperCase(OldPattern);
    Hay = SearchIn;
    Needle = Pattern;
  }
  String R;
  R.reserve(S.size());
  std::size_t From = 0;
  while (From <= Hay.size()) {
    const auto P = Hay.find(Needle, From);
    if (P == StringView::npos) break;
    R.append(S.substr(From, P - From));
    R.append(NewPattern);
    From = P + Needle.size();
    if (!All) break;
  }
  R.append(S.substr(std::min(From, S.size())));
  return R;
}

String StringOfChar(Char C, Integer Count) { return Count > 0 ? String(static_cast<std::size_t>(Count), C) : String(); }

String QuotedStr(StringView S) { return AnsiQuotedStr(S, u'\''); }

String AnsiQuotedStr(StringView S, Char Quote) {
  String R;
  R.reserve(S.size() + 2);
  R += Quote;
  for (Char C : S) {
    R += C;
    if (C == Quote) R += Quote;
  }
  R += Quote;
  return R;
}

String AnsiDequotedStr(StringView S, Char Quote) {
  if (S.empty() || S[0] != Quote) return String(S);
  String R;
  std::size_t I = 1;
  while (I < S.size()) {
    if (S[I] == Quote) {
      if (I + 1 < S.size() && S[I + 1] == Quote) {
        R += Quote;
        I += 2;
        continue;
      }
      return R;   // closing quote
    }
    R += S[I++];
  }
  return String(S);   // no closing quote: not a quoted string
}

String AdjustLineBreaks(StringView S) {
  String R;
  R.reserve(S.size());
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S[I] == u'\r' || S[I] == u'\n') {
      if (S[I] == u'\r' && I + 1 < S.size() && S[I + 1] == u'\n') ++I;
      R += u"\r\n";
    } else {
      R += S[I];
    }
  }
  return R;
}

bool IsDelimiter(StringView Delimiters, StringView S, Integer Index) {
  if (Index < 1 || static_cast<std::size_t>(Index) > S.size()) return false;
  return Delimiters.find(S[static_cast<std::size_t>(Index - 1)]) != StringView::npos;
}

Integer LastDelimiter(StringView Delimiters, StringView S) {
  const auto P = S.find_last_of(Delimiters);
  return P == StringView::npos ? 0 : static_cast<Integer>(P + 1);
}

// ---------------------------------------------------------------------------------------------------
// Windows-1252

namespace {

// U+0080..U+009F as CP1252 shows bytes 0x80..0x9F; the five undefined bytes keep their C1 code.
constexpr Char Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char UnicodeToCp1252(char32_t C) {
  if (C < 0x80 || (C >= 0xA0 && C <= 0xFF)) return static_cast<char>(C);
  for (int I = 0; I < 32; ++I)
    if (Cp1252High[I] == C) return static_cast<char>(0x80 + I);
  return '?';
}

}  // namespace

AnsiString StringToAnsi(StringView S) {
  AnsiString R;
  R.reserve(S.size());
  for (std::size_t I = 0; I < S.size();) R += UnicodeToCp1252(NextCodePoint(S, I));
  return R;
}

String AnsiToString(std::string_view S) {
  String R;
  R.reserve(S.size());
  for (char Ch : S) {
    const auto B = static_cast<unsigned char>(Ch);
    R += (B >= 0x80 && B < 0xA0) ? Cp1252High[B - 0x80] : static_cast<Char>(B);
  }
  return R;
}

// ---------------------------------------------------------------------------------------------------
// Integers

namespace {

template <typename U>
String UnsignedToStr(U Value, bool Negative) {
  Char Buf[24];
  Char* P = Buf + 24;
  do {
    *--P = static_cast<Char>(u'0' + Value % 10);
    Value /= 10;
  } while (Value != 0);
  if (Negative) *--P = u'-';
  return String(P, Buf + 24);
}

String HexDigits(UInt64 Value, Integer Digits) {
  Char Buf[16];
  Char* P = Buf + 16;
  do {
    *--P = u"0123456789ABCDEF"[Value & 15];
    Value >>= 4;
  } while (Value != 0);
  String R(P, Buf + 16);
  if (Digits > static_cast<Integer>(R.size())) R.insert(0, static_cast<std::size_t>(Digits) - R.size(), u'0');
  return R;
}

// Integer reading shared by StrToInt, TryStrToInt and Val: leading blanks, sign, "$"/"0x" hex,
// digits. Stops at the first character that does not fit and reports its 0-based index (S.size()
// when all fits). Value keeps the digits read. Decimal values must fit within [-Limit-1, Limit];
// hexadecimal ones within the unsigned range of the width and wrap to negative, as hex literals do.
struct TIntScan {
  UInt64 Magnitude = 0;
  bool Negative = false;
  bool Hex = false;
  bool Overflow = false;
  std::size_t Stop = 0;   // index of the first bad character
  bool Ok = false;
};

TIntScan ScanInteger(StringView S, UInt64 SignedLimit, UInt64 HexLimit) {
  TIntScan R;
  std::size_t I = 0;
  while (I < S.size() && S[I] == u' ') ++I;
  if (I < S.size() && (S[I] == u'-' || S[I] == u'+')) R.Negative = S[I++] == u'-';
  if (I < S.size() && S[I] == u'$') {
    R.Hex = true;
    ++I;
  } else if (I + 1 < S.size() && S[I] == u'0' && (S[I + 1] == u'x' || S[I + 1] == u'X')) {
    R.Hex = true;
    I += 2;
  }
  const std::size_t FirstDigit = I;
  const UInt64 Limit = R.Hex ? HexLimit : SignedLimit + (R.Negative ? 1 : 0);
  for (; I < S.size(); ++I) {
    const Char C = S[I];
    unsigned D;
    if (C >= u'0' && C <= u'9') D = C - u'0';
    else if (R.Hex && C >= u'a' && C <= u'f') D = C - u'a' + 10;
    else if (R.Hex && C >= u'A' && C <= u'F') D = C - u'A' + 10;
    else break;
    const unsigned Base = R.Hex ? 16 : 10;
    if (R.Magnitude > (Limit - D) / Base) {
      R.Overflow = true;
      break;
    }
    R.Magnitude = R.Magnitude * Base + D;
  }
  R.Stop = I;
  R.Ok = I == S.size() && I > FirstDigit && !R.Overflow;
  return R;
}

template <typename T>
T ScanValue(const TIntScan& Scan) {
  using U = std::make_unsigned_t<T>;
  const U M = static_cast<U>(Scan.Magnitude);
  return static_cast<T>(Scan.Negative ? static_cast<U>(0) - M : M);
}

template <typename T>
bool TryStrToIntT(StringView S, T& Value) {
  using U = std::make_unsigned_t<T>;
  const TIntScan Scan = ScanInteger(S, static_cast<UInt64>(std::numeric_limits<T>::max()),
                                    static_cast<UInt64>(std::numeric_limits<U>::max()));
  if (!Scan.Ok) return false;
  Value = ScanValue<T>(Scan);
  return true;
}

[[noreturn]] void RaiseInvalidInteger(StringView S) {
  throw EConvertError(u"'" + String(S) + u"' is not a valid integer value");
}

template <typename T>
void ValT(StringView S, T& Value, Integer& Code) {
  using U = std::make_unsigned_t<T>;
  const TIntScan Scan = ScanInteger(S, static_cast<UInt64>(std::numeric_limits<T>::max()),
                                    static_cast<UInt64>(std::numeric_limits<U>::max()));
  Value = ScanValue<T>(Scan);
  Code = Scan.Ok ? 0 : static_cast<Integer>(Scan.Stop + 1);
}

}  // namespace

String IntToStr(Integer Value) { return IntToStr(static_cast<Int64>(Value)); }

String IntToStr(Int64 Value) {
  const UInt64 M = Value < 0 ? UInt64(0) - static_cast<UInt64>(Value) : static_cast<UInt64>(Value);
  return UnsignedToStr(M, Value < 0);
}

String IntToStr(Cardinal Value) { return UnsignedToStr(static_cast<UInt64>(Value), false); }
String IntToStr(UInt64 Value) { return UnsignedToStr(Value, false); }
String UIntToStr(UInt64 Value) { return UnsignedToStr(Value, false); }

String IntToHex(Integer Value, Integer Digits) { return HexDigits(static_cast<Cardinal>(Value), Digits); }
String IntToHex(Int64 Value, Integer Digits) { return HexDigits(static_cast<UInt64>(Value), Digits); }
String IntToHex(Cardinal Value, Integer Digits) { return HexDigits(Value, Digits); }
String IntToHex(UInt64 Value, Integer Digits) { return HexDigits(Value, Digits); }

bool TryStrToInt(StringView S, Integer& Value) { return TryStrToIntT(S, Value); }
bool TryStrToInt(StringView S, Int64& Value) { return TryStrToIntT(S, Value); }
bool TryStrToInt64(StringView S, Int64& Value) { return TryStrToIntT(S, Value); }

Integer StrToInt(StringView S) {
  Integer V;
  if (!TryStrToIntT(S, V)) RaiseInvalidInteger(S);
  return V;
}

Int64 StrToInt64(StringView S) {
  Int64 V;
  if (!TryStrToIntT(S, V)) RaiseInvalidInteger(S);
  return V;
}

Integer StrToIntDef(StringView S, Integer Default) {
  Integer V;
  return TryStrToIntT(S, V) ? V : Default;
}

Int64 StrToInt64Def(StringView S, Int64 Default) {
  Int64 V;
  return TryStrToIntT(S, V) ? V : Default;
}

void Val(StringView S, Integer& Value, Integer& Code) { ValT(S, Value, Code); }
void Val(StringView S, Int64& Value, Integer& Code) { ValT(S, Value, Code); }

bool TryStrToBool(StringView S, bool& Value) {
  const String T = Trim(S);
  if (SameText(T, u"True")) {
    Value = true;
    return true;
  }
  if (SameText(T, u"False")) {
    Value = false;
    return true;
  }
  Int64 N;
  if (TryStrToInt64(T, N)) {
    Value = N != 0;
    return true;
  }
  return false;
}

bool StrToBool(StringView S) {
  bool B;
  if (!TryStrToBool(S, B)) throw EConvertError(u"'" + String(S) + u"' is not a valid boolean value");
  return B;
}

String BoolToStr(bool B, bool UseBoolStrs) {
  if (UseBoolStrs) return B ? u"True" : u"False";
  return B ? u"-1" : u"0";
}
