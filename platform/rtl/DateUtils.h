#pragma once
// Date and time helpers beyond SysUtils: combined encode/decode, parts, increments, Unix time and
// the SYSTEMTIME record.
#include "platform/rtl/SysUtils.h"

bool TryEncodeDateTime(Word Year, Word Month, Word Day, Word Hour, Word Minute, Word Second, Word MilliSecond,
                       TDateTime& Value);
TDateTime EncodeDateTime(Word Year, Word Month, Word Day, Word Hour, Word Minute, Word Second, Word MilliSecond);
void DecodeDateTime(TDateTime Value, Word& Year, Word& Month, Word& Day, Word& Hour, Word& Minute, Word& Second,
                    Word& MilliSecond);

Word DaysInMonth(TDateTime Value);
Word DaysInYear(TDateTime Value);
Word YearOf(TDateTime Value);
Word MonthOf(TDateTime Value);
Word DayOf(TDateTime Value);
Word HourOf(TDateTime Value);
Word MinuteOf(TDateTime Value);
Word SecondOf(TDateTime Value);
Word MilliSecondOf(TDateTime Value);
TDateTime DateOf(TDateTime Value);
TDateTime TimeOf(TDateTime Value);
TDateTime Today();
// The ISO 8601 week (1 .. 53): weeks start on Monday; week 1 holds the year's first Thursday.
Word WeekOfTheYear(TDateTime Value);
bool IsSameDay(TDateTime Value, TDateTime Basis);

// Increments keep the time of day; IncYear and IncMonth clamp the day to the month's length.
TDateTime IncYear(TDateTime Value, Integer NumberOfYears = 1);
TDateTime IncWeek(TDateTime Value, Integer NumberOfWeeks = 1);
TDateTime IncDay(TDateTime Value, Integer NumberOfDays = 1);
TDateTime IncHour(TDateTime Value, Int64 NumberOfHours = 1);
TDateTime IncMinute(TDateTime Value, Int64 NumberOfMinutes = 1);
TDateTime IncSecond(TDateTime Value, Int64 NumberOfSeconds = 1);
TDateTime IncMilliSecond(TDateTime Value, Int64 NumberOfMilliSeconds = 1);

// Whole units between two moments (the absolute difference, rounded down).
Integer DaysBetween(TDateTime Now, TDateTime Then);
Int64 SecondsBetween(TDateTime Now, TDateTime Then);
Int64 MilliSecondsBetween(TDateTime Now, TDateTime Then);

// Seconds since 1970-01-01 00:00 (no time zone conversion).
TDateTime UnixToDateTime(Int64 AValue);
Int64 DateTimeToUnix(TDateTime AValue);

struct SYSTEMTIME {
  Word wYear;
  Word wMonth;
  Word wDayOfWeek;   // 0 = Sunday
  Word wDay;
  Word wHour;
  Word wMinute;
  Word wSecond;
  Word wMilliseconds;
};
using TSystemTime = SYSTEMTIME;

void DateTimeToSystemTime(TDateTime DateTime, SYSTEMTIME& SystemTime);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& SystemTime);   // EConvertError if invalid
