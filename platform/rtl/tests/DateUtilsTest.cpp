#include "platform/rtl/DateUtils.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/rtl/testsupport/FormatSettingsFixture.h"

namespace {

TDateTime FixedNow() { return EncodeDateTime(2025, 6, 15, 14, 30, 0, 0); }

}  // namespace

using Dates = FormatSettingsTest;

TEST(DateEncoding, KnownDaysAndRoundTrips) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2000, 3, 1), 36586);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
  for (TDateTime D = -693593; D <= 2958465; D += 97) {   // 0001-01-01 .. 9999-12-31
    Word Y, M, Day;
    DecodeDate(D, Y, M, Day);
    EXPECT_EQ(EncodeDate(Y, M, Day), D) << D;
  }
  Word Y, M, D, H, N, S, MS;
  DecodeDateTime(EncodeDateTime(2024, 2, 29, 23, 59, 59, 999), Y, M, D, H, N, S, MS);
  EXPECT_EQ((std::array<Word, 7>{Y, M, D, H, N, S, MS}), (std::array<Word, 7>{2024, 2, 29, 23, 59, 59, 999}));
  // Before 1899-12-30 the time is subtracted: -1.25 is 1899-12-29 06:00.
  DecodeDateTime(-1.25, Y, M, D, H, N, S, MS);
  EXPECT_EQ((std::array<Word, 4>{Y, M, D, H}), (std::array<Word, 4>{1899, 12, 29, 6}));
  EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
}

TEST(DateEncoding, InvalidPartsAreRejected) {
  TDateTime V = 7;
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, V));
  EXPECT_FALSE(TryEncodeDate(2023, 13, 1, V));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, V));
  EXPECT_FALSE(TryEncodeDate(2023, 4, 31, V));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, V));
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, V));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, V));
  EXPECT_EQ(V, 7);
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, V));
  EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);   // 1900 is no leap year
  EXPECT_THROW(EncodeTime(25, 0, 0, 0), EConvertError);
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(EncodeDate(2023, 2, 10)), 28);
}

TEST(DateEncoding, WeekdaysMonthsAndIncrements) {
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 7)), 1);    // Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 13)), 7);   // Saturday
  EXPECT_EQ(DayOfWeek(-1), 6);                        // 1899-12-29 was a Friday
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31), 1), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31), -13), EncodeDate(2023, 2, 28));
  EXPECT_EQ(IncMonth(EncodeDateTime(2024, 1, 15, 12, 0, 0, 0), 12), EncodeDateTime(2025, 1, 15, 12, 0, 0, 0));
  EXPECT_EQ(IncYear(EncodeDate(2024, 2, 29)), EncodeDate(2025, 2, 28));
  EXPECT_EQ(IncDay(EncodeDate(2024, 12, 31)), EncodeDate(2025, 1, 1));
  EXPECT_EQ(IncHour(EncodeDateTime(2024, 12, 31, 23, 0, 0, 0), 2), EncodeDateTime(2025, 1, 1, 1, 0, 0, 0));
  EXPECT_EQ(IncMinute(-1.25, 60), EncodeDateTime(1899, 12, 29, 7, 0, 0, 0));   // across the sign of TDateTime
  EXPECT_EQ(IncSecond(-0.0, -1), EncodeDateTime(1899, 12, 29, 23, 59, 59, 0));
  EXPECT_EQ(DaysBetween(EncodeDate(2024, 1, 1), EncodeDate(2024, 3, 1)), 60);
  EXPECT_EQ(SecondsBetween(EncodeTime(1, 0, 0, 0), EncodeTime(0, 59, 0, 0)), 60);
}

// ISO 8601 weeks: the week of the Thursday; the year's edges fall into the neighbour year's weeks.
TEST(DateEncoding, IsoWeeks) {
  const struct {
    Word Y, M, D, Week;
  } cases[] = {{2020, 12, 28, 53}, {2021, 1, 3, 53}, {2021, 1, 4, 1}, {2024, 1, 1, 1}, {2023, 1, 1, 52},
               {2024, 12, 30, 1}, {2026, 12, 31, 53}, {2024, 6, 15, 24}, {1601, 1, 1, 1}, {9999, 12, 31, 52}};
  for (const auto& c : cases)
    EXPECT_EQ(WeekOfTheYear(EncodeDate(c.Y, c.M, c.D) + 0.75), c.Week) << c.Y << "-" << c.M << "-" << c.D;
  EXPECT_EQ(WeekOfTheYear(EncodeDateTime(1899, 12, 29, 18, 0, 0, 0)), 52);   // a negative TDateTime with a time
}

// Increments the time stamp cannot hold raise instead of wrapping or overflowing.
TEST(DateEncoding, IncrementsBeyondTheRangeRaise) {
  const Int64 huge[] = {9300000000000000, -9300000000000000, std::numeric_limits<Int64>::max(),
                        std::numeric_limits<Int64>::min(), 200000000000000};
  for (Int64 n : huge) {
    SCOPED_TRACE(n);
    EXPECT_THROW(IncSecond(0, n), EConvertError);
    EXPECT_THROW(UnixToDateTime(n), EConvertError);
    EXPECT_THROW(IncHour(0, n), EConvertError);
  }
  EXPECT_THROW(IncMilliSecond(0, std::numeric_limits<Int64>::max()), EConvertError);
  EXPECT_EQ(IncSecond(0, 86400LL * 365 * 8000), IncDay(0, 365 * 8000));   // far, but representable
}

TEST(DateEncoding, UnixTimeAndSystemTime) {
  EXPECT_EQ(UnixToDateTime(0), EncodeDate(1970, 1, 1));
  EXPECT_EQ(UnixToDateTime(1700000000), EncodeDateTime(2023, 11, 14, 22, 13, 20, 0));
  EXPECT_EQ(DateTimeToUnix(EncodeDateTime(2023, 11, 14, 22, 13, 20, 0)), 1700000000);
  EXPECT_EQ(DateTimeToUnix(UnixToDateTime(-86401)), -86401);
  SYSTEMTIME ST{};
  DateTimeToSystemTime(EncodeDateTime(2024, 7, 4, 9, 8, 7, 6), ST);
  EXPECT_EQ(ST.wYear, 2024);
  EXPECT_EQ(ST.wMonth, 7);
  EXPECT_EQ(ST.wDay, 4);
  EXPECT_EQ(ST.wDayOfWeek, 4);   // Thursday, 0 = Sunday
  EXPECT_EQ(ST.wMilliseconds, 6);
  EXPECT_EQ(SystemTimeToDateTime(ST), EncodeDateTime(2024, 7, 4, 9, 8, 7, 6));
  SYSTEMTIME Zero{};
  EXPECT_THROW(SystemTimeToDateTime(Zero), EConvertError);
}

TEST_F(Dates, ClockSourceIsReplaceable) {
  SetNowSource(&FixedNow);
  EXPECT_EQ(Now(), FixedNow());
  EXPECT_EQ(Date(), EncodeDate(2025, 6, 15));
  EXPECT_DOUBLE_EQ(Time(), EncodeTime(14, 30, 0, 0));
  SetNowSource(nullptr);
  EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

TEST_F(Dates, FormatDateTimeTokens) {
  const TDateTime T = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
  struct Case { String Format, US, German; };
  const Case Cases[] = {
      {u"d dd ddd dddd", u"5 05 Tue Tuesday", u"5 05 Di Dienstag"},
      {u"m mm mmm mmmm", u"3 03 Mar March", u"3 03 M\u00E4r M\u00E4rz"},
      {u"yy yyyy", u"24 2024", u"24 2024"},
      {u"h hh n nn s ss z zzz", u"14 14 7 07 9 09 45 045", u"14 14 7 07 9 09 45 045"},
      {u"hh:mm:ss", u"14:07:09", u"14:07:09"},
      {u"h:mm am/pm", u"2:07 pm", u"2:07 pm"},
      {u"h:mm AM/PM", u"2:07 PM", u"2:07 PM"},
      {u"h:mm a/p", u"2:07 p", u"2:07 p"},
      {u"hh ampm", u"02 PM", u"02 "},
      {u"yyyy/mm/dd", u"2024/03/05", u"2024.03.05"},
      {u"ddddd", u"3/5/2024", u"05.03.2024"},
      {u"dddddd", u"Tuesday, March 5, 2024", u"Dienstag, 5. M\u00E4rz 2024"},
      {u"t", u"2:07 PM", u"14:07"},
      {u"tt", u"2:07:09 PM", u"14:07:09"},
      {u"c", u"3/5/2024 2:07:09 PM", u"05.03.2024 14:07:09"},
      {u"'day' d \"of\" mmmm", u"day 5 of March", u"day 5 of M\u00E4rz"},
      {u"mm-dd hh:mm", u"03-05 14:07", u"03-05 14:07"},
      {u"d 'of mmmm", u"5 of mmmm", u"5 of mmmm"},   // an unclosed literal runs to the end
  };
  for (const auto& C : Cases) {
    UseUS();
    EXPECT_EQ(FormatDateTime(C.Format, T), C.US) << UTF8Encode(C.Format);
    UseGerman();
    EXPECT_EQ(FormatDateTime(C.Format, T), C.German) << UTF8Encode(C.Format);
  }
  UseUS();
  EXPECT_EQ(FormatDateTime(u"h:nn am/pm", EncodeTime(0, 5, 0, 0)), u"12:05 am");
  EXPECT_EQ(FormatDateTime(u"h:nn am/pm", EncodeTime(12, 5, 0, 0)), u"12:05 pm");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), u"3/5/2024");   // no time at midnight
  EXPECT_EQ(DateToStr(T), u"3/5/2024");
  EXPECT_EQ(TimeToStr(T), u"2:07:09 PM");
  // A format that names itself does not recurse without end.
  FormatSettings.ShortDateFormat = u"ddddd";
  EXPECT_EQ(DateToStr(T), u"");
}

TEST_F(Dates, StrToDateFollowsTheShortDateFormat) {
  SetNowSource(&FixedNow);   // current year 2025
  struct Case { String Text; bool UsOk; TDateTime Us; bool GermanOk; TDateTime German; };
  const Case Cases[] = {
      {u"3/5/2024", true, EncodeDate(2024, 3, 5), false, 0},
      {u"05.03.2024", false, 0, true, EncodeDate(2024, 3, 5)},
      {u" 5.3.24 ", false, 0, true, EncodeDate(2024, 3, 5)},
      {u"1.2.80", false, 0, true, EncodeDate(1980, 2, 1)},     // window of 50 years: 1975..2074
      {u"1.2.74", false, 0, true, EncodeDate(2074, 2, 1)},
      {u"1.2.0074", false, 0, true, EncodeDate(74, 2, 1)},     // four digits are taken as written
      {u"24.12.", false, 0, true, EncodeDate(2025, 12, 24)},   // year missing: the current one
      {u"12/24", true, EncodeDate(2025, 12, 24), false, 0},
      {u"31.02.2020", false, 0, false, 0},
      {u"2/30/2020", false, 0, false, 0},
      {u"", false, 0, false, 0},
      {u"3/5/2024x", false, 0, false, 0},
      {u"3-5-2024", false, 0, false, 0},
      {u"12345.1.1", false, 0, false, 0},
  };
  for (const auto& C : Cases) {
    TDateTime V = -1;
    UseUS();
    EXPECT_EQ(TryStrToDate(C.Text, V), C.UsOk) << UTF8Encode(C.Text);
    if (C.UsOk) {
      EXPECT_EQ(V, C.Us) << UTF8Encode(C.Text);
    }
    UseGerman();
    EXPECT_EQ(TryStrToDate(C.Text, V), C.GermanOk) << UTF8Encode(C.Text);
    if (C.GermanOk) {
      EXPECT_EQ(V, C.German) << UTF8Encode(C.Text);
    }
  }
  UseGerman();
  try {
    StrToDate(u"31.02.2020");
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message, u"'31.02.2020' is not a valid date");
  }
  FormatSettings.ShortDateFormat = u"yyyy-mm-dd";
  FormatSettings.DateSeparator = u'-';
  EXPECT_EQ(StrToDate(u"2024-03-05"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDateDef(u"x", 9), 9);
}

TEST_F(Dates, StrToTimeAndStrToDateTime) {
  struct Case { String Text; bool Ok; TDateTime Value; };
  UseUS();
  const Case UsCases[] = {
      {u"14:07", true, EncodeTime(14, 7, 0, 0)},
      {u"2:07:09 PM", true, EncodeTime(14, 7, 9, 0)},
      {u"12:00 am", true, 0},
      {u"12:30 PM", true, EncodeTime(12, 30, 0, 0)},
      {u"3 pm", true, EncodeTime(15, 0, 0, 0)},
      {u"10:20:30.5", true, EncodeTime(10, 20, 30, 500)},
      {u"13:00 PM", false, 0},
      {u"24:00", false, 0},
      {u"10:60", false, 0},
      {u"10", false, 0},
      {u"10:", false, 0},
  };
  for (const auto& C : UsCases) {
    TDateTime V = -1;
    EXPECT_EQ(TryStrToTime(C.Text, V), C.Ok) << UTF8Encode(C.Text);
    if (C.Ok) {
      EXPECT_DOUBLE_EQ(V, C.Value) << UTF8Encode(C.Text);
    }
  }
  EXPECT_EQ(StrToDateTime(u"3/5/2024 2:07:09 PM"), EncodeDateTime(2024, 3, 5, 14, 7, 9, 0));
  EXPECT_EQ(StrToDateTime(DateTimeToStr(EncodeDateTime(1800, 1, 2, 3, 4, 5, 0))),
            EncodeDateTime(1800, 1, 2, 3, 4, 5, 0));
  UseGerman();
  EXPECT_EQ(StrToDateTime(u"05.03.2024 14:07"), EncodeDateTime(2024, 3, 5, 14, 7, 0, 0));
  EXPECT_EQ(StrToDateTime(u"05.03.2024"), EncodeDate(2024, 3, 5));
  EXPECT_DOUBLE_EQ(StrToDateTime(u"14:07"), EncodeTime(14, 7, 0, 0));
  EXPECT_EQ(StrToTime(u"10:20:30,25"), EncodeTime(10, 20, 30, 250));
  EXPECT_THROW(StrToDateTime(u"05.03.2024 25:00"), EConvertError);
  try {
    StrToTime(u"x");
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message, u"'x' is not a valid time");
  }
}
