#pragma once
// Runtime utilities: exceptions, the process-wide format settings, string routines, number and date
// conversion, Format, and text encodings. Strings are UTF-16; positions are 1-based where the routine
// says so (Pos, Copy, Delete, Insert, Val).
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/System.h"

// ---------------------------------------------------------------------------------------------------
// Arguments of Format: a small variant built from an initializer list, Format(u"%d %s", {42, u"x"}).

enum TVarType { vtInteger, vtBoolean, vtChar, vtExtended, vtString, vtPointer, vtInt64, vtUInt64 };

struct TVarRec {
  TVarType VType;
  union {
    Int64 VInt64;
    UInt64 VUInt64;
    Double VExtended;
    bool VBoolean;
    Char VChar;
    const void* VPointer;
  };
  StringView VString;   // for vtString: a view, so a TVarRec must not outlive the text it names

  TVarRec(int V) : VType(vtInteger), VInt64(V) {}
  TVarRec(unsigned V) : VType(vtInt64), VInt64(V) {}
  TVarRec(long V) : VType(vtInt64), VInt64(V) {}
  TVarRec(long long V) : VType(vtInt64), VInt64(V) {}
  TVarRec(unsigned long V) : VType(vtUInt64), VUInt64(V) {}
  TVarRec(unsigned long long V) : VType(vtUInt64), VUInt64(V) {}
  TVarRec(double V) : VType(vtExtended), VExtended(V) {}
  TVarRec(long double V) : VType(vtExtended), VExtended(static_cast<double>(V)) {}
  TVarRec(bool V) : VType(vtBoolean), VBoolean(V) {}
  TVarRec(Char V) : VType(vtChar), VChar(V) {}
  TVarRec(const Char* V) : VType(vtString), VInt64(0), VString(V ? StringView(V) : StringView()) {}
  TVarRec(const String& V) : VType(vtString), VInt64(0), VString(V) {}
  TVarRec(StringView V) : VType(vtString), VInt64(0), VString(V) {}
  TVarRec(const void* V) : VType(vtPointer), VPointer(V) {}
  TVarRec(std::nullptr_t) : VType(vtPointer), VPointer(nullptr) {}
  TVarRec(const char*) = delete;   // narrow text: convert to String first
  TVarRec(char) = delete;
};

using TVarRecs = std::initializer_list<TVarRec>;

// ---------------------------------------------------------------------------------------------------
// Exceptions. Thrown by value, caught by reference (`catch (Exception& E)`).

class Exception : public TObject, public std::exception {
  ZELK_CLASS(Exception, TObject)

public:
  // The text shown to the user. Public like the field callers read and change in handlers.
  String Message;

  Exception() = default;
  explicit Exception(const String& Msg) : Message(Msg) {}
  explicit Exception(const Char* Msg) : Message(Msg) {}
  // Message built with Format (Fmt, Args).
  Exception(StringView Fmt, std::initializer_list<TVarRec> Args);

  const String& GetMessage() const { return Message; }
  void SetMessage(const String& Value) { Message = Value; }

  // UTF-8 form of Message, for diagnostics (test output, stderr).
  const char* what() const noexcept override;

private:
  mutable std::string FWhat;
};

#define ZELK_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {               \
    ZELK_CLASS(Name, Base)                 \
                                           \
  public:                                  \
    using Base::Base;                      \
    Name() = default;                      \
  };

ZELK_DECLARE_EXCEPTION(EAbort, Exception)
ZELK_DECLARE_EXCEPTION(EConvertError, Exception)
ZELK_DECLARE_EXCEPTION(EListError, Exception)
ZELK_DECLARE_EXCEPTION(EStringListError, Exception)
ZELK_DECLARE_EXCEPTION(EInvalidOperation, Exception)
ZELK_DECLARE_EXCEPTION(EInvalidCast, Exception)
ZELK_DECLARE_EXCEPTION(EStreamError, Exception)
ZELK_DECLARE_EXCEPTION(EFilerError, EStreamError)
ZELK_DECLARE_EXCEPTION(EReadError, EFilerError)
ZELK_DECLARE_EXCEPTION(EWriteError, EFilerError)
ZELK_DECLARE_EXCEPTION(EFileStreamError, EStreamError)
ZELK_DECLARE_EXCEPTION(EFOpenError, EFileStreamError)
ZELK_DECLARE_EXCEPTION(EFCreateError, EFileStreamError)
ZELK_DECLARE_EXCEPTION(EAbstractError, Exception)
ZELK_DECLARE_EXCEPTION(EArgumentException, Exception)
ZELK_DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException)
ZELK_DECLARE_EXCEPTION(ENotSupportedException, Exception)
ZELK_DECLARE_EXCEPTION(EOutOfMemory, Exception)
ZELK_DECLARE_EXCEPTION(EInvalidPointer, Exception)
ZELK_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
ZELK_DECLARE_EXCEPTION(EExternal, Exception)
ZELK_DECLARE_EXCEPTION(EIntError, EExternal)
ZELK_DECLARE_EXCEPTION(EIntOverflow, EIntError)
ZELK_DECLARE_EXCEPTION(ERangeError, EIntError)
ZELK_DECLARE_EXCEPTION(EDivByZero, EIntError)
ZELK_DECLARE_EXCEPTION(EMathError, EExternal)
ZELK_DECLARE_EXCEPTION(EZeroDivide, EMathError)
ZELK_DECLARE_EXCEPTION(EOverflow, EMathError)
ZELK_DECLARE_EXCEPTION(EInvalidOp, EMathError)

// An assertion that failed, with the source position it names.
class EAssertionFailed : public Exception {
  ZELK_CLASS(EAssertionFailed, Exception)

public:
  using Exception::Exception;
  EAssertionFailed() = default;
  EAssertionFailed(const String& Msg, const String& AUnitName, Integer ALineNumber);
  String UnitName;
  Integer LineNumber = 0;
};

// An operating-system call failed; ErrorCode is the errno (or Windows-style code) reported.
class EOSError : public Exception {
  ZELK_CLASS(EOSError, Exception)

public:
  using Exception::Exception;
  EOSError() = default;
  EOSError(const String& Msg, Cardinal AErrorCode) : Exception(Msg), ErrorCode(AErrorCode) {}
  Cardinal ErrorCode = 0;
};

// File input/output failed (text files); ErrorCode as the runtime's I/O result.
class EInOutError : public Exception {
  ZELK_CLASS(EInOutError, Exception)

public:
  using Exception::Exception;
  EInOutError() = default;
  EInOutError(const String& Msg, Integer AErrorCode) : Exception(Msg), ErrorCode(AErrorCode) {}
  Integer ErrorCode = 0;
};

// Throws EAbort with an empty message: the "silent" exception.
[[noreturn]] void Abort();

// ---------------------------------------------------------------------------------------------------
// Format settings: one mutable process-wide object, read at each call. Never the C locale.

struct TFormatSettings {
  Char DecimalSeparator = u'.';
  Char ThousandSeparator = u',';
  Char DateSeparator = u'/';
  Char TimeSeparator = u':';
  Char ListSeparator = u',';
  String ShortDateFormat;
  String LongDateFormat;
  String ShortTimeFormat;
  String LongTimeFormat;
  String TimeAMString;
  String TimePMString;
  String CurrencyString;
  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  Byte CurrencyFormat = 0;
  // 0 "($1)" 1 "-$1" 2 "$-1" 3 "$1-" 4 "(1$)" 5 "-1$" 6 "1-$" 7 "1$-" 8 "-1 $" 9 "-$ 1" 10 "1 $-"
  // 11 "$ 1-" 12 "$ -1" 13 "1- $" 14 "($ 1)" 15 "(1 $)"
  Byte NegCurrFormat = 0;
  Byte CurrencyDecimals = 2;
  // Index 0 is January / Sunday.
  String ShortMonthNames[12];
  String LongMonthNames[12];
  String ShortDayNames[7];
  String LongDayNames[7];
  // A two-digit year is placed within the 100 years ending this many years after the current year
  // (0: always the current century).
  Word TwoDigitYearCenturyWindow = 50;
  // The first day of a calendar week: 0 Monday .. 6 Sunday.
  Byte FirstDayOfWeek = 6;

  static TFormatSettings USEnglish();
  static TFormatSettings German();
};

extern TFormatSettings FormatSettings;   // starts as TFormatSettings::USEnglish()

// The system locale's traits. MiddleEast: a right-to-left (middle-east) locale; false here.
struct TSysLocale {
  bool MiddleEast = false;
};
extern TSysLocale SysLocale;

// ---------------------------------------------------------------------------------------------------
// Strings (UTF-16 code units; 1-based positions)

// Position of SubStr in S starting at Offset, 0 when absent. An empty SubStr matches nothing.
Integer Pos(StringView SubStr, StringView S, Integer Offset = 1);
Integer Pos(Char C, StringView S, Integer Offset = 1);
// Count characters from Index (1-based), clamped to the string; an Index below 1 starts at the
// first character.
String Copy(StringView S, Integer Index, Integer Count = 0x7FFFFFFF);
void Delete(String& S, Integer Index, Integer Count);
void Insert(StringView Source, String& S, Integer Index);

String Trim(StringView S);        // removes characters <= ' ' at both ends
String TrimLeft(StringView S);
String TrimRight(StringView S);

String UpperCase(StringView S);   // ASCII letters only
String LowerCase(StringView S);
String AnsiUpperCase(StringView S);   // Unicode simple case mapping
String AnsiLowerCase(StringView S);
Char CharUpper(Char C);               // one-unit forms of the Unicode mapping
Char CharLower(Char C);

Integer CompareStr(StringView S1, StringView S2);    // ordinal, by code unit
Integer CompareText(StringView S1, StringView S2);   // ordinal, ASCII letters folded
bool SameStr(StringView S1, StringView S2);
bool SameText(StringView S1, StringView S2);
Integer AnsiCompareStr(StringView S1, StringView S2);    // by code point, case sensitive
Integer AnsiCompareText(StringView S1, StringView S2);   // by code point, Unicode case folded
bool AnsiSameStr(StringView S1, StringView S2);
bool AnsiSameText(StringView S1, StringView S2);
Integer AnsiPos(StringView SubStr, StringView S);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;   // {rfReplaceAll, rfIgnoreCase}

String StringReplace(StringView S, StringView OldPattern, StringView NewPattern, TReplaceFlags Flags);
String StringOfChar(Char C, Integer Count);
String QuotedStr(StringView S);                     // 'it''s'
String AnsiQuotedStr(StringView S, Char Quote);
// Removes the quotes AnsiQuotedStr added (text up to the closing quote); S unchanged if not quoted.
String AnsiDequotedStr(StringView S, Char Quote);
String AdjustLineBreaks(StringView S);   // every CR, LF or CR LF becomes CR LF
bool IsDelimiter(StringView Delimiters, StringView S, Integer Index);
Integer LastDelimiter(StringView Delimiters, StringView S);

// ---------------------------------------------------------------------------------------------------
// Windows-1252 ("ANSI") text: bytes <-> String. Unmappable characters become '?'. The five bytes
// CP1252 leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) map to U+0081 .. so every byte round-trips.

AnsiString StringToAnsi(StringView S);
String AnsiToString(std::string_view S);

// ---------------------------------------------------------------------------------------------------
// Integers

String IntToStr(Integer Value);
String IntToStr(Int64 Value);
String IntToStr(Cardinal Value);
String IntToStr(UInt64 Value);
String UIntToStr(UInt64 Value);
// Upper-case hexadecimal, at least Digits digits. Negative values print as their two's complement
// of the argument's width.
String IntToHex(Integer Value, Integer Digits);
String IntToHex(Int64 Value, Integer Digits);
String IntToHex(Cardinal Value, Integer Digits);
String IntToHex(UInt64 Value, Integer Digits);

// Leading blanks, an optional sign, decimal digits or hexadecimal after "$", "0x" or "0X"; nothing
// may follow. Out-of-range values fail. Raising forms throw EConvertError naming the text.
bool TryStrToInt(StringView S, Integer& Value);
bool TryStrToInt(StringView S, Int64& Value);
bool TryStrToInt64(StringView S, Int64& Value);
Integer StrToInt(StringView S);
Int64 StrToInt64(StringView S);
Integer StrToIntDef(StringView S, Integer Default);
Int64 StrToInt64Def(StringView S, Int64 Default);
bool StrToBool(StringView S);
bool TryStrToBool(StringView S, bool& Value);
String BoolToStr(bool B, bool UseBoolStrs = false);   // "-1"/"0" or "True"/"False"

// Val: Code is 0 on success, else the 1-based position of the first bad character; Value keeps
// what was read up to there. Integers accept blanks, sign, "$"/"0x" hex; floats use '.' always.
void Val(StringView S, Integer& Value, Integer& Code);
void Val(StringView S, Int64& Value, Integer& Code);
void Val(StringView S, Double& Value, Integer& Code);

// ---------------------------------------------------------------------------------------------------
// Floating point (separators from FormatSettings unless an explicit settings object is passed)

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Shortest text that reads back to the same value; general format (exponent form "1E20" when the
// integer part has more than 15 digits or the magnitude is below 0.0001: "1E-5").
String FloatToStr(Double Value);
String FloatToStr(Double Value, const TFormatSettings& Settings);
// FloatToStr into Buffer (room for FloatToStrBufSize characters), allocating nothing; returns the
// number of characters written.
constexpr Integer FloatToStrBufSize = 32;
Integer FloatToStrBuf(Char* Buffer, Double Value, const TFormatSettings& Settings);
String FloatToStrF(Double Value, TFloatFormat Format, Integer Precision, Integer Digits);
String FloatToStrF(Double Value, TFloatFormat Format, Integer Precision, Integer Digits,
                   const TFormatSettings& Settings);
String CurrToStr(Currency Value);
String CurrToStrF(Currency Value, TFloatFormat Format, Integer Digits);
// Sections "pos;neg;zero", "0" "#" "." "," "E+" "E-" "e+" "e-", quoted literals '..' "..".
String FormatFloat(StringView Format, Double Value);
String FormatFloat(StringView Format, Double Value, const TFormatSettings& Settings);
// Blanks around, sign, digits with the decimal separator, optional exponent. "INF"/"NAN" fail.
bool TryStrToFloat(StringView S, Double& Value);
bool TryStrToFloat(StringView S, Double& Value, const TFormatSettings& Settings);
bool TryStrToFloat(StringView S, Single& Value);
Double StrToFloat(StringView S);
Double StrToFloat(StringView S, const TFormatSettings& Settings);
Double StrToFloatDef(StringView S, Double Default);
bool TryStrToCurr(StringView S, Currency& Value);
Currency StrToCurr(StringView S);


// ---------------------------------------------------------------------------------------------------
// Format: "%" [index ":"] ["-"] [width] ["." precision] type, type one of d u x e f g n m p s;
// width and precision may be "*" (taken from the arguments). "%%" is a percent sign. A missing or
// wrongly typed argument raises EConvertError.

String Format(StringView Fmt, std::initializer_list<TVarRec> Args);
String Format(StringView Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings);
String Format(StringView Fmt, const TVarRec* Args, std::size_t ArgCount, const TFormatSettings& Settings);

// ---------------------------------------------------------------------------------------------------
// Dates and times: TDateTime counts days since 1899-12-30; the fraction is the time of day.

constexpr Integer HoursPerDay = 24;
constexpr Integer MinsPerHour = 60;
constexpr Integer SecsPerMin = 60;
constexpr Integer MSecsPerSec = 1000;
constexpr Integer MinsPerDay = HoursPerDay * MinsPerHour;
constexpr Integer SecsPerDay = MinsPerDay * SecsPerMin;
constexpr Integer MSecsPerDay = SecsPerDay * MSecsPerSec;
constexpr Integer DateDelta = 693594;         // days from 0001-01-01 to 1899-12-31
constexpr Double UnixDateDelta = 25569;       // 1970-01-01 as TDateTime

struct TTimeStamp {
  Integer Time;   // milliseconds since midnight
  Integer Date;   // days since 0001-01-01 plus one
};

bool IsLeapYear(Word Year);
Word DaysInAMonth(Word Year, Word Month);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
TDateTime EncodeDate(Word Year, Word Month, Word Day);                 // EConvertError if invalid
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);        // EConvertError if invalid
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
bool DecodeDateFully(TDateTime Date, Word& Year, Word& Month, Word& Day, Word& DOW);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
Word DayOfWeek(TDateTime Date);   // 1 = Sunday .. 7 = Saturday
TTimeStamp DateTimeToTimeStamp(TDateTime DateTime);
TDateTime TimeStampToDateTime(const TTimeStamp& TimeStamp);

// The clock. Now reads the current source (the system clock, local time, unless replaced: the
// headless window system installs its virtual clock). nullptr restores the system clock.
using TNowFunc = TDateTime (*)();
void SetNowSource(TNowFunc Source);
TDateTime Now();
TDateTime Date();
TDateTime Time();
TDateTime GetTime();

TDateTime IncMonth(TDateTime Date, Integer NumberOfMonths = 1);
void IncAMonth(Word& Year, Word& Month, Word& Day, Integer NumberOfMonths = 1);
void ReplaceTime(TDateTime& DateTime, TDateTime NewTime);
void ReplaceDate(TDateTime& DateTime, TDateTime NewDate);

// Tokens: c d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes right after h/hh), yy yyyy, h hh
// n nn s ss z zzz t tt am/pm a/p ampm (these make h 12-hour), / : and '..' ".." literals.
String FormatDateTime(StringView Format, TDateTime DateTime);
String FormatDateTime(StringView Format, TDateTime DateTime, const TFormatSettings& Settings);
String DateToStr(TDateTime Date);
String TimeToStr(TDateTime Time);
String DateTimeToStr(TDateTime DateTime);
String DateToStr(TDateTime Date, const TFormatSettings& Settings);
String TimeToStr(TDateTime Time, const TFormatSettings& Settings);
String DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings);

// Parsing in the order of ShortDateFormat with DateSeparator; a missing year is the current one;
// two-digit years follow TwoDigitYearCenturyWindow. Times h[:n[:s[.z]]] with optional AM/PM.
bool TryStrToDate(StringView S, TDateTime& Value);
bool TryStrToTime(StringView S, TDateTime& Value);
bool TryStrToDateTime(StringView S, TDateTime& Value);
bool TryStrToDate(StringView S, TDateTime& Value, const TFormatSettings& Settings);
bool TryStrToTime(StringView S, TDateTime& Value, const TFormatSettings& Settings);
bool TryStrToDateTime(StringView S, TDateTime& Value, const TFormatSettings& Settings);
TDateTime StrToDate(StringView S);
TDateTime StrToTime(StringView S);
TDateTime StrToDateTime(StringView S);
TDateTime StrToDateDef(StringView S, TDateTime Default);
TDateTime StrToTimeDef(StringView S, TDateTime Default);
TDateTime StrToDateTimeDef(StringView S, TDateTime Default);

// ---------------------------------------------------------------------------------------------------
// Text encodings

using TBytes = std::vector<Byte>;

class TEncoding : public TObject {
public:
  virtual TBytes GetBytes(StringView S) const = 0;
  virtual String GetString(const Byte* Bytes, std::size_t Count) const = 0;
  virtual TBytes GetPreamble() const = 0;
  virtual Cardinal GetCodePage() const = 0;
  String GetString(const TBytes& Bytes) const { return GetString(Bytes.data(), Bytes.size()); }
  String GetString(const TBytes& Bytes, Integer ByteIndex, Integer ByteCount) const;

  static TEncoding* UTF8();               // preamble EF BB BF
  static TEncoding* Unicode();            // UTF-16LE, preamble FF FE
  static TEncoding* BigEndianUnicode();   // UTF-16BE, preamble FE FF
  static TEncoding* ASCII();              // '?' for what it cannot represent
  static TEncoding* ANSI();               // Windows-1252
  static TEncoding* Default();            // ANSI
  static bool IsStandardEncoding(const TEncoding* AEncoding);

  // With AEncoding null: detects a BOM (UTF-8, UTF-16LE, UTF-16BE), sets AEncoding (Default when
  // there is none) and returns the BOM length. With AEncoding set: returns its preamble length when
  // Buffer starts with that preamble, else 0.
  static Integer GetBufferEncoding(const TBytes& Buffer, TEncoding*& AEncoding);
  static Integer GetBufferEncoding(const TBytes& Buffer, TEncoding*& AEncoding, TEncoding* ADefaultEncoding);
  static Integer GetBufferEncoding(const Byte* Buffer, std::size_t Count, TEncoding*& AEncoding,
                                   TEncoding* ADefaultEncoding);
};
