// TDateTime: encoding, the clock, FormatDateTime, date and time parsing, and the DateUtils helpers.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/RtlInternal.h"

#include <atomic>
#include <cmath>
#include <ctime>
#include <limits>

namespace {

constexpr Word MonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                   {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// A date plus a time of day; dates before 1899-12-30 carry the time as a subtracted fraction.
TDateTime CombineDateTime(TDateTime DatePart, TDateTime TimePart) {
  return DatePart < 0 ? DatePart - TimePart : DatePart + TimePart;
}

// Milliseconds since 0001-01-01 00:00: an exact, monotonic scale for arithmetic on moments.
Int64 DateTimeToMSecs(TDateTime Value) {
  const TTimeStamp TS = DateTimeToTimeStamp(Value);
  return static_cast<Int64>(TS.Date) * MSecsPerDay + TS.Time;
}

TDateTime MSecsToDateTime(Int64 MSecs) {
  Int64 Days = MSecs / MSecsPerDay, Rest = MSecs % MSecsPerDay;
  if (Rest < 0) {
    Rest += MSecsPerDay;
    --Days;
  }
  return TimeStampToDateTime({static_cast<Integer>(Rest), static_cast<Integer>(Days)});
}

TDateTime SystemNow() {
  timespec TS{};
  clock_gettime(CLOCK_REALTIME, &TS);
  std::tm Local{};
  const time_t Seconds = TS.tv_sec;
  localtime_r(&Seconds, &Local);
  const TDateTime D = EncodeDate(static_cast<Word>(Local.tm_year + 1900), static_cast<Word>(Local.tm_mon + 1),
                                 static_cast<Word>(Local.tm_mday));
  const TDateTime T = EncodeTime(static_cast<Word>(Local.tm_hour), static_cast<Word>(Local.tm_min),
                                 static_cast<Word>(std::min(Local.tm_sec, 59)),
                                 static_cast<Word>(TS.tv_nsec / 1000000));
  return D + T;
}

std::atomic<TNowFunc> NowSource{&SystemNow};

}  // namespace

// ---------------------------------------------------------------------------------------------------
// Encoding and decoding

bool IsLeapYear(Word Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

Word DaysInAMonth(Word Year, Word Month) {
  if (Month < 1 || Month > 12) return 0;
  return MonthDays[IsLeapYear(Year)][Month - 1];
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month))
    return false;
  Integer Days = Day;
  for (Word M = 1; M < Month; ++M) Days += DaysInAMonth(Year, M);
  const Integer Y = Year - 1;
  Days += Y * 365 + Y / 4 - Y / 100 + Y / 400;
  Date = Days - DateDelta;
  return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
  TDateTime D;
  if (!TryEncodeDate(Year, Month, Day, D)) throw EConvertError(String(u"Invalid argument to date encode"));
  return D;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time) {
  if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) return false;
  Time = (((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / static_cast<double>(MSecsPerDay);
  return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
  TDateTime T;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, T)) throw EConvertError(String(u"Invalid argument to time encode"));
  return T;
}

TTimeStamp DateTimeToTimeStamp(TDateTime DateTime) {
  const Int64 MS = std::llround(std::fabs(DateTime) * MSecsPerDay);
  const Int64 Days = MS / MSecsPerDay;
  return {static_cast<Integer>(MS % MSecsPerDay),
          static_cast<Integer>((DateTime < 0 ? -Days : Days) + DateDelta)};
}

TDateTime TimeStampToDateTime(const TTimeStamp& TimeStamp) {
  return CombineDateTime(TimeStamp.Date - DateDelta, TimeStamp.Time / static_cast<double>(MSecsPerDay));
}

bool DecodeDateFully(TDateTime Date, Word& Year, Word& Month, Word& Day, Word& DOW) {
  constexpr Integer D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
  Integer T = DateTimeToTimeStamp(Date).Date;
  if (T <= 0) {
    Year = Month = Day = DOW = 0;
    return false;
  }
  DOW = static_cast<Word>(T % 7 + 1);
  --T;
  Integer Y = 1;
  Y += (T / D400) * 400;
  T %= D400;
  Integer I = T / D100, D = T % D100;
  if (I == 4) {
    --I;
    D += D100;
  }
  Y += I * 100;
  I = D / D4;
  D %= D4;
  Y += I * 4;
  I = D / D1;
  D %= D1;
  if (I == 4) {
    --I;
    D += D1;
  }
  Y += I;
  Year = static_cast<Word>(Y);
  const bool Leap = IsLeapYear(Year);
  Word M = 0;
  while (D >= MonthDays[Leap][M]) D -= MonthDays[Leap][M++];
  Month = static_cast<Word>(M + 1);
  Day = static_cast<Word>(D + 1);
  return Leap;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day) {
  Word DOW;
  DecodeDateFully(Date, Year, Month, Day, DOW);
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
  Integer MS = DateTimeToTimeStamp(Time).Time;
  MSec = static_cast<Word>(MS % 1000);
  MS /= 1000;
  Sec = static_cast<Word>(MS % 60);
  MS /= 60;
  Min = static_cast<Word>(MS % 60);
  Hour = static_cast<Word>(MS / 60);
}

Word DayOfWeek(TDateTime Date) { return static_cast<Word>(DateTimeToTimeStamp(Date).Date % 7 + 1); }

// ---------------------------------------------------------------------------------------------------
// The clock

void SetNowSource(TNowFunc Source) { NowSource.store(Source ? Source : &SystemNow); }
TDateTime Now() { return NowSource.load()(); }
TDateTime Date() { return DateOf(Now()); }
TDateTime Time() { return TimeOf(Now()); }
TDateTime GetTime() { return Time(); }

// ---------------------------------------------------------------------------------------------------
// Month arithmetic

void IncAMonth(Word& Year, Word& Month, Word& Day, Integer NumberOfMonths) {
  Int64 Total = static_cast<Int64>(Year) * 12 + (Month - 1) + NumberOfMonths;
  if (Total < 12) Total = 12;                       // not before year 1
  if (Total > 9999LL * 12 + 11) Total = 9999LL * 12 + 11;
  Year = static_cast<Word>(Total / 12);
  Month = static_cast<Word>(Total % 12 + 1);
  Day = std::min(Day, DaysInAMonth(Year, Month));
}

TDateTime IncMonth(TDateTime Date, Integer NumberOfMonths) {
  Word Y, M, D;
  DecodeDate(Date, Y, M, D);
  IncAMonth(Y, M, D, NumberOfMonths);
  const TDateTime TimePart = std::fabs(Date - std::trunc(Date));
  return CombineDateTime(EncodeDate(Y, M, D), TimePart);
}

void ReplaceTime(TDateTime& DateTime, TDateTime NewTime) {
  DateTime = CombineDateTime(std::trunc(DateTime), std::fabs(NewTime - std::trunc(NewTime)));
}

void ReplaceDate(TDateTime& DateTime, TDateTime NewDate) {
  DateTime = CombineDateTime(std::trunc(NewDate), std::fabs(DateTime - std::trunc(DateTime)));
}

// ---------------------------------------------------------------------------------------------------
// FormatDateTime

namespace {

Char Lower(Char C) { return (C >= u'A' && C <= u'Z') ? static_cast<Char>(C + 32) : C; }

bool MatchesAt(StringView S, std::size_t I, StringView Token) {
  if (I + Token.size() > S.size()) return false;
  for (std::size_t K = 0; K < Token.size(); ++K)
    if (Lower(S[I + K]) != Token[K]) return false;
  return true;
}

bool HasAmPm(StringView F) {
  for (std::size_t I = 0; I < F.size();) {
    if (F[I] == u'\'' || F[I] == u'"') {
      I = SkipQuoted(F, I);
    } else {
      if (MatchesAt(F, I, u"am/pm") || MatchesAt(F, I, u"a/p") || MatchesAt(F, I, u"ampm")) return true;
      ++I;
    }
  }
  return false;
}

class TDateFormatter {
public:
  TDateFormatter(TDateTime DT, const TFormatSettings& FS) : FDateTime(DT), FSettings(FS) {
    DecodeDateFully(DT, FYear, FMonth, FDay, FDOW);
    DecodeTime(DT, FHour, FMin, FSec, FMSec);
  }

  void Append(String& Out, StringView F, int Depth) {
    if (Depth > 2) return;   // a format naming itself through ddddd or t stops here
    const bool Hour12 = HasAmPm(F);
    bool AfterHour = false;
    for (std::size_t I = 0; I < F.size();) {
      const Char C = F[I];
      if (C == u'\'' || C == u'"') {
        I = AppendQuoted(Out, F, I);
        continue;
      }
      const Char L = Lower(C);
      std::size_t Count = 1;
      while (I + Count < F.size() && Lower(F[I + Count]) == L) ++Count;
      bool Hour = false;
      switch (L) {
        case u'y':
          Number(Out, Count <= 2 ? FYear % 100 : FYear, Count <= 2 ? 2 : 4);
          break;
        case u'm':
          if (AfterHour && Count <= 2) Number(Out, FMin, static_cast<int>(Count));
          else if (Count <= 2) Number(Out, FMonth, static_cast<int>(Count));
          else if (FMonth >= 1) Out += (Count == 3 ? FSettings.ShortMonthNames : FSettings.LongMonthNames)[FMonth - 1];
          break;
        case u'd':
          if (Count <= 2) Number(Out, FDay, static_cast<int>(Count));
          else if (Count <= 4) {
            if (FDOW >= 1) Out += (Count == 3 ? FSettings.ShortDayNames : FSettings.LongDayNames)[FDOW - 1];
          } else {
            Append(Out, Count == 5 ? FSettings.ShortDateFormat : FSettings.LongDateFormat, Depth + 1);
          }
          break;
        case u'h': {
          Count = std::min<std::size_t>(Count, 2);
          Word H = FHour;
          if (Hour12) H = H % 12 == 0 ? 12 : H % 12;
          Number(Out, H, static_cast<int>(Count));
          Hour = true;
          break;
        }
        case u'n':
          Count = std::min<std::size_t>(Count, 2);
          Number(Out, FMin, static_cast<int>(Count));
          break;
        case u's':
          Count = std::min<std::size_t>(Count, 2);
          Number(Out, FSec, static_cast<int>(Count));
          break;
        case u'z':
          Count = std::min<std::size_t>(Count, 3);
          Number(Out, FMSec, Count == 1 ? 1 : 3);
          break;
        case u't':
          Count = std::min<std::size_t>(Count, 2);
          Append(Out, Count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, Depth + 1);
          break;
        case u'c':
          Count = 1;
          Append(Out, FSettings.ShortDateFormat, Depth + 1);
          if (DateTimeToTimeStamp(FDateTime).Time != 0) {
            Out += u' ';
            Append(Out, FSettings.LongTimeFormat, Depth + 1);
          }
          break;
        case u'a':
          Count = AmPm(Out, F, I);
          break;
        case u'/':
          Count = 1;
          Out += FSettings.DateSeparator;
          break;
        case u':':
          Count = 1;
          Out += FSettings.TimeSeparator;
          break;
        default:
          Out.append(F.substr(I, Count));
          break;
      }
      // A letter token other than h ends the "minutes follow the hour" context; separators keep it.
      if (Hour) AfterHour = true;
      else if ((L >= u'a' && L <= u'z')) AfterHour = false;
      I += Count;
    }
  }

private:
  TDateTime FDateTime;
  const TFormatSettings& FSettings;
  Word FYear, FMonth, FDay, FDOW, FHour, FMin, FSec, FMSec;

  static void Number(String& Out, unsigned Value, int Digits) {
    String S = IntToStr(static_cast<Integer>(Value));
    if (static_cast<int>(S.size()) < Digits) S.insert(0, static_cast<std::size_t>(Digits) - S.size(), u'0');
    Out += S;
  }

  // am/pm, a/p (written in the case the format uses) or ampm (the settings' strings); else a
  // literal 'a'. Returns the characters consumed.
  std::size_t AmPm(String& Out, StringView F, std::size_t I) const {
    const bool PM = FHour >= 12;
    if (MatchesAt(F, I, u"am/pm")) {
      Out.append(F.substr(PM ? I + 3 : I, 2));
      return 5;
    }
    if (MatchesAt(F, I, u"a/p")) {
      Out += F[PM ? I + 2 : I];
      return 3;
    }
    if (MatchesAt(F, I, u"ampm")) {
      Out += PM ? FSettings.TimePMString : FSettings.TimeAMString;
      return 4;
    }
    Out += F[I];
    return 1;
  }
};

}  // namespace

String FormatDateTime(StringView Format, TDateTime DateTime) {
  return FormatDateTime(Format, DateTime, FormatSettings);
}

String FormatDateTime(StringView Format, TDateTime DateTime, const TFormatSettings& Settings) {
  String Out;
  TDateFormatter(DateTime, Settings).Append(Out, Format.empty() ? StringView(u"c") : Format, 0);
  return Out;
}

String DateToStr(TDateTime Date) { return FormatDateTime(u"ddddd", Date); }
String TimeToStr(TDateTime Time) { return FormatDateTime(u"tt", Time); }
String DateTimeToStr(TDateTime DateTime) { return FormatDateTime(u"c", DateTime); }
String DateToStr(TDateTime Date, const TFormatSettings& Settings) { return FormatDateTime(u"ddddd", Date, Settings); }
String TimeToStr(TDateTime Time, const TFormatSettings& Settings) { return FormatDateTime(u"tt", Time, Settings); }
String DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings) {
  return FormatDateTime(u"c", DateTime, Settings);
}

// ---------------------------------------------------------------------------------------------------
// Parsing

namespace {

enum TDateOrder { doMDY, doDMY, doYMD };

TDateOrder DateOrder(StringView ShortDateFormat) {
  for (std::size_t I = 0; I < ShortDateFormat.size();) {
    const Char C = ShortDateFormat[I];
    if (C == u'\'' || C == u'"') {
      I = SkipQuoted(ShortDateFormat, I);
      continue;
    }
    switch (Lower(C)) {
      case u'd': return doDMY;
      case u'm': return doMDY;
      case u'y': return doYMD;
      default: ++I;
    }
  }
  return doMDY;
}

class TDateScanner {
public:
  TDateScanner(StringView S, const TFormatSettings& FS) : FText(S), FSettings(FS) {}

  void SkipBlanks() {
    while (FPos < FText.size() && FText[FPos] == u' ') ++FPos;
  }
  bool AtEnd() const { return FPos >= FText.size(); }

  // Up to MaxDigits digits; Digits receives how many were read.
  bool Number(Word& Value, int& Digits, int MaxDigits = 4) {
    SkipBlanks();
    Digits = 0;
    unsigned V = 0;
    while (FPos < FText.size() && FText[FPos] >= u'0' && FText[FPos] <= u'9') {
      if (++Digits > MaxDigits) return false;
      V = V * 10 + (FText[FPos++] - u'0');
    }
    Value = static_cast<Word>(V);
    return Digits > 0;
  }

  bool Separator(Char Sep) {
    SkipBlanks();
    if (FPos < FText.size() && FText[FPos] == Sep) {
      ++FPos;
      return true;
    }
    return false;
  }

  bool Date(TDateTime& Value) {
    Word N1, N2, N3 = 0;
    int L1, L2, L3 = 0;
    const Char Sep = FSettings.DateSeparator;
    if (!Number(N1, L1) || !Separator(Sep) || !Number(N2, L2)) return false;
    bool Three = false;
    const std::size_t Mark = FPos;
    if (Separator(Sep)) {
      const std::size_t AfterSep = FPos;
      if (Number(N3, L3)) Three = true;
      else FPos = AfterSep;   // "24.12." : a trailing separator closes a date without a year
    } else {
      FPos = Mark;
    }
    Word Y, M, D;
    int YearDigits = 4;
    const Word CurrentYear = YearOf(Now());
    switch (DateOrder(FSettings.ShortDateFormat)) {
      case doMDY:
        M = N1, D = N2, Y = Three ? N3 : CurrentYear;
        YearDigits = Three ? L3 : 4;
        break;
      case doDMY:
        D = N1, M = N2, Y = Three ? N3 : CurrentYear;
        YearDigits = Three ? L3 : 4;
        break;
      default:
        if (Three) Y = N1, M = N2, D = N3, YearDigits = L1;
        else Y = CurrentYear, M = N1, D = N2;
        break;
    }
    if (YearDigits <= 2) Y = ExpandTwoDigitYear(Y, CurrentYear);
    return TryEncodeDate(Y, M, D, Value);
  }

  bool Time(TDateTime& Value) {
    Word H, N = 0, S = 0, MS = 0;
    int Digits;
    int Marker = AmPm();   // some locales write the marker first
    if (!Number(H, Digits, 2)) return false;
    bool HasMinutes = false;
    if (Separator(FSettings.TimeSeparator)) {
      if (!Number(N, Digits, 2)) return false;
      HasMinutes = true;
      if (Separator(FSettings.TimeSeparator)) {
        if (!Number(S, Digits, 2)) return false;
        if (FPos < FText.size() && (FText[FPos] == u'.' || FText[FPos] == FSettings.DecimalSeparator)) {
          ++FPos;
          if (!Fraction(MS)) return false;
        }
      }
    }
    if (!Marker) {
      const std::size_t Save = FPos;
      Marker = AmPm();
      if (!Marker) FPos = Save;
    }
    if (!HasMinutes && !Marker) return false;   // a bare number is no time
    if (Marker) {
      if (H > 12) return false;
      if (Marker == 1 && H == 12) H = 0;
      else if (Marker == 2 && H < 12) H = static_cast<Word>(H + 12);
    }
    return TryEncodeTime(H, N, S, MS, Value);
  }

private:
  StringView FText;
  const TFormatSettings& FSettings;
  std::size_t FPos = 0;

  Word ExpandTwoDigitYear(Word Y, Word CurrentYear) const {
    const int Window = FSettings.TwoDigitYearCenturyWindow;
    if (Window == 0) return static_cast<Word>(Y + CurrentYear / 100 * 100);
    const int Pivot = CurrentYear - Window;
    int Result = Y + Pivot / 100 * 100;
    if (Result < Pivot) Result += 100;
    return static_cast<Word>(Result);
  }

  // Digits after the decimal point of the seconds, as milliseconds.
  bool Fraction(Word& MS) {
    int Digits = 0;
    unsigned V = 0;
    while (FPos < FText.size() && FText[FPos] >= u'0' && FText[FPos] <= u'9') {
      if (Digits < 3) V = V * 10 + (FText[FPos] - u'0');
      ++Digits;
      ++FPos;
    }
    for (int K = Digits; K < 3; ++K) V *= 10;
    MS = static_cast<Word>(V);
    return Digits > 0;
  }

  // 0: no marker; 1: AM; 2: PM. Tries the settings' strings, then "AM"/"PM", then "A"/"P".
  int AmPm() {
    SkipBlanks();
    const StringView Candidates[6] = {FSettings.TimeAMString, FSettings.TimePMString, u"am", u"pm", u"a", u"p"};
    for (int K = 0; K < 6; ++K) {
      const StringView T = Candidates[K];
      if (T.empty() || FPos + T.size() > FText.size()) continue;
      bool Match = true;
      for (std::size_t J = 0; J < T.size() && Match; ++J) Match = Lower(FText[FPos + J]) == Lower(T[J]);
      if (!Match) continue;
      FPos += T.size();
      return K % 2 == 0 ? 1 : 2;
    }
    return 0;
  }
};

[[noreturn]] void RaiseDate(StringView S, const char16_t* What) {
  throw EConvertError(u"'" + String(S) + u"' is not a valid " + What);
}

}  // namespace

bool TryStrToDate(StringView S, TDateTime& Value, const TFormatSettings& Settings) {
  TDateScanner Scan(S, Settings);
  TDateTime D;
  if (!Scan.Date(D)) return false;
  Scan.SkipBlanks();
  if (!Scan.AtEnd()) return false;
  Value = D;
  return true;
}

bool TryStrToTime(StringView S, TDateTime& Value, const TFormatSettings& Settings) {
  TDateScanner Scan(S, Settings);
  TDateTime T;
  if (!Scan.Time(T)) return false;
  Scan.SkipBlanks();
  if (!Scan.AtEnd()) return false;
  Value = T;
  return true;
}

bool TryStrToDateTime(StringView S, TDateTime& Value, const TFormatSettings& Settings) {
  TDateScanner Scan(S, Settings);
  TDateTime D, T = 0;
  if (!Scan.Date(D)) return TryStrToTime(S, Value, Settings);
  Scan.SkipBlanks();
  if (!Scan.AtEnd()) {
    if (!Scan.Time(T)) return false;
    Scan.SkipBlanks();
    if (!Scan.AtEnd()) return false;
  }
  Value = CombineDateTime(D, T);
  return true;
}

bool TryStrToDate(StringView S, TDateTime& Value) { return TryStrToDate(S, Value, FormatSettings); }
bool TryStrToTime(StringView S, TDateTime& Value) { return TryStrToTime(S, Value, FormatSettings); }
bool TryStrToDateTime(StringView S, TDateTime& Value) { return TryStrToDateTime(S, Value, FormatSettings); }

TDateTime StrToDate(StringView S) {
  TDateTime V;
  if (!TryStrToDate(S, V)) RaiseDate(S, u"date");
  return V;
}

TDateTime StrToTime(StringView S) {
  TDateTime V;
  if (!TryStrToTime(S, V)) RaiseDate(S, u"time");
  return V;
}

TDateTime StrToDateTime(StringView S) {
  TDateTime V;
  if (!TryStrToDateTime(S, V)) RaiseDate(S, u"date and time");
  return V;
}

TDateTime StrToDateDef(StringView S, TDateTime Default) {
  TDateTime V;
  return TryStrToDate(S, V) ? V : Default;
}

TDateTime StrToTimeDef(StringView S, TDateTime Default) {
  TDateTime V;
  return TryStrToTime(S, V) ? V : Default;
}

TDateTime StrToDateTimeDef(StringView S, TDateTime Default) {
  TDateTime V;
  return TryStrToDateTime(S, V) ? V : Default;
}

// ---------------------------------------------------------------------------------------------------
// DateUtils

bool TryEncodeDateTime(Word Year, Word Month, Word Day, Word Hour, Word Minute, Word Second, Word MilliSecond,
                       TDateTime& Value) {
  TDateTime D, T;
  if (!TryEncodeDate(Year, Month, Day, D) || !TryEncodeTime(Hour, Minute, Second, MilliSecond, T)) return false;
  Value = CombineDateTime(D, T);
  return true;
}

TDateTime EncodeDateTime(Word Year, Word Month, Word Day, Word Hour, Word Minute, Word Second, Word MilliSecond) {
  return CombineDateTime(EncodeDate(Year, Month, Day), EncodeTime(Hour, Minute, Second, MilliSecond));
}

void DecodeDateTime(TDateTime Value, Word& Year, Word& Month, Word& Day, Word& Hour, Word& Minute, Word& Second,
                    Word& MilliSecond) {
  DecodeDate(Value, Year, Month, Day);
  DecodeTime(Value, Hour, Minute, Second, MilliSecond);
}

Word WeekOfTheYear(TDateTime Value) {
  // The week's Thursday decides the year the week belongs to.
  const Integer IsoDay = (DayOfWeek(Value) + 5) % 7;   // 0 Monday .. 6 Sunday
  const TDateTime Thursday = DateOf(Value) - IsoDay + 3;
  const TDateTime YearStart = EncodeDate(YearOf(Thursday), 1, 1);
  return static_cast<Word>(std::lround(Thursday - YearStart) / 7 + 1);
}

Word DaysInMonth(TDateTime Value) {
  Word Y, M, D;
  DecodeDate(Value, Y, M, D);
  return DaysInAMonth(Y, M);
}

Word DaysInYear(TDateTime Value) { return IsLeapYear(YearOf(Value)) ? 366 : 365; }

Word YearOf(TDateTime Value) {
  Word Y, M, D;
  DecodeDate(Value, Y, M, D);
  return Y;
}

Word MonthOf(TDateTime Value) {
  Word Y, M, D;
  DecodeDate(Value, Y, M, D);
  return M;
}

Word DayOf(TDateTime Value) {
  Word Y, M, D;
  DecodeDate(Value, Y, M, D);
  return D;
}

Word HourOf(TDateTime Value) { return static_cast<Word>(DateTimeToTimeStamp(Value).Time / 3600000); }
Word MinuteOf(TDateTime Value) { return static_cast<Word>(DateTimeToTimeStamp(Value).Time / 60000 % 60); }
Word SecondOf(TDateTime Value) { return static_cast<Word>(DateTimeToTimeStamp(Value).Time / 1000 % 60); }
Word MilliSecondOf(TDateTime Value) { return static_cast<Word>(DateTimeToTimeStamp(Value).Time % 1000); }

TDateTime DateOf(TDateTime Value) { return DateTimeToTimeStamp(Value).Date - DateDelta; }

TDateTime TimeOf(TDateTime Value) { return DateTimeToTimeStamp(Value).Time / static_cast<double>(MSecsPerDay); }

TDateTime Today() { return Date(); }

bool IsSameDay(TDateTime Value, TDateTime Basis) { return DateOf(Value) == DateOf(Basis); }

TDateTime IncYear(TDateTime Value, Integer NumberOfYears) { return IncMonth(Value, NumberOfYears * 12); }
TDateTime IncWeek(TDateTime Value, Integer NumberOfWeeks) { return IncDay(Value, NumberOfWeeks * 7); }
TDateTime IncDay(TDateTime Value, Integer NumberOfDays) {
  return IncMilliSecond(Value, static_cast<Int64>(NumberOfDays) * MSecsPerDay);
}
namespace {
// Value moved by Count units of UnitMSecs milliseconds; a moment whose day number no longer fits
// the time stamp raises instead of wrapping.
TDateTime IncUnits(TDateTime Value, Int64 Count, Int64 UnitMSecs) {
  Int64 Delta = 0, MSecs = 0;
  if (__builtin_mul_overflow(Count, UnitMSecs, &Delta) ||
      __builtin_add_overflow(DateTimeToMSecs(Value), Delta, &MSecs) ||
      MSecs / MSecsPerDay > std::numeric_limits<Integer>::max() - 1 ||
      MSecs / MSecsPerDay < std::numeric_limits<Integer>::min() + 1)
    throw EConvertError(String(u"Date-time value out of range"));
  return MSecsToDateTime(MSecs);
}
}  // namespace

TDateTime IncHour(TDateTime Value, Int64 NumberOfHours) { return IncUnits(Value, NumberOfHours, 3600000); }
TDateTime IncMinute(TDateTime Value, Int64 NumberOfMinutes) { return IncUnits(Value, NumberOfMinutes, 60000); }
TDateTime IncSecond(TDateTime Value, Int64 NumberOfSeconds) { return IncUnits(Value, NumberOfSeconds, 1000); }
TDateTime IncMilliSecond(TDateTime Value, Int64 NumberOfMilliSeconds) { return IncUnits(Value, NumberOfMilliSeconds, 1); }

Int64 MilliSecondsBetween(TDateTime Now, TDateTime Then) {
  const Int64 D = DateTimeToMSecs(Now) - DateTimeToMSecs(Then);
  return D < 0 ? -D : D;
}
Int64 SecondsBetween(TDateTime Now, TDateTime Then) { return MilliSecondsBetween(Now, Then) / 1000; }
Integer DaysBetween(TDateTime Now, TDateTime Then) {
  return static_cast<Integer>(MilliSecondsBetween(Now, Then) / MSecsPerDay);
}

TDateTime UnixToDateTime(Int64 AValue) { return IncSecond(UnixDateDelta, AValue); }

Int64 DateTimeToUnix(TDateTime AValue) {
  const Int64 MS = DateTimeToMSecs(AValue) - DateTimeToMSecs(UnixDateDelta);
  return MS >= 0 ? MS / 1000 : -((-MS + 999) / 1000);   // whole seconds, rounded down
}

void DateTimeToSystemTime(TDateTime DateTime, SYSTEMTIME& SystemTime) {
  Word DOW;
  DecodeDateFully(DateTime, SystemTime.wYear, SystemTime.wMonth, SystemTime.wDay, DOW);
  SystemTime.wDayOfWeek = static_cast<Word>(DOW - 1);
  DecodeTime(DateTime, SystemTime.wHour, SystemTime.wMinute, SystemTime.wSecond, SystemTime.wMilliseconds);
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& SystemTime) {
  return EncodeDateTime(SystemTime.wYear, SystemTime.wMonth, SystemTime.wDay, SystemTime.wHour,
                        SystemTime.wMinute, SystemTime.wSecond, SystemTime.wMilliseconds);
}
