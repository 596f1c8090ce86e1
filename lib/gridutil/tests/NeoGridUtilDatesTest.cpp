#include "lib/gridutil/NeoGridUtilDates.h"

#include "lib/gridutil/tests/LocaleFixture.h"

namespace {

using GridDates = LocaleTest;

TDateTime At(Word Year, Word Month, Word Day, Word Hour = 0, Word Minute = 0, Word Second = 0) {
  return EncodeDate(Year, Month, Day) + EncodeTime(Hour, Minute, Second, 0);
}

TEST_F(GridDates, ParseDateTimeTextInTheLocaleOrder) {
  struct Case { TTestLocale Locale; const Char* Text; bool Ok; TDateTime Value; };
  const Case cases[] = {
      {tlGerman, u"31.12.2020 12:30", true, At(2020, 12, 31, 12, 30)},
      {tlGerman, u"1.2.2021", true, At(2021, 2, 1)},
      {tlGerman, u"01.02.2021  07:05:09 ", true, At(2021, 2, 1, 7, 5, 9)},
      {tlGerman, u"1.2.21", true, At(21, 2, 1)},            // the year as written
      {tlGerman, u"32.1.2020", false, 0},
      {tlGerman, u"1.13.2020", false, 0},
      {tlGerman, u"29.2.2021", false, 0},                   // no such day
      {tlGerman, u"31.12.2020 24:00", false, 0},
      {tlGerman, u"31.12.2020 12:60", false, 0},
      {tlGerman, u"31.12.2020 12:30:60", false, 0},
      {tlGerman, u"31.12.2020 noon", false, At(2020, 12, 31)},   // the date alone, and false
      {tlGerman, u"31.12", false, 0},
      {tlGerman, u"a.b.c", false, 0},
      {tlGerman, u"12/31/2020", false, 0},
      {tlEnglish, u"12/31/2020 12:30", true, At(2020, 12, 31, 12, 30)},
      {tlEnglish, u"2/1/2021", true, At(2021, 2, 1)},
      {tlEnglish, u"31/12/2020", false, 0},
  };
  for (const Case& c : cases) {
    Use(c.Locale);
    TDateTime value = -1;
    EXPECT_EQ(ParseDateTimeText(c.Text, value), c.Ok) << LocaleName(c.Locale) << " " << U8(c.Text);
    EXPECT_DOUBLE_EQ(value, c.Value) << LocaleName(c.Locale) << " " << U8(c.Text);
  }
  // Year first, as a format of that order states it.
  Use(tlGerman);
  FormatSettings.ShortDateFormat = u"yyyy-MM-dd";
  FormatSettings.DateSeparator = u'-';
  TDateTime value = 0;
  EXPECT_TRUE(ParseDateTimeText(u"2020-12-31", value));
  EXPECT_DOUBLE_EQ(value, At(2020, 12, 31));
}

TEST_F(GridDates, ShortNumericDatesWithOneTwoAndFourDigitYears) {
  struct Case { const Char* Text; TDateTime MDY; TDateTime DMY; };
  const Case cases[] = {
      {u"1/2/3", At(2003, 1, 2), At(2003, 2, 1)},
      {u"1/2/30", At(1930, 1, 2), At(1930, 2, 1)},
      {u"1/2/25", At(2025, 1, 2), At(2025, 2, 1)},
      {u"1/2/26", At(1926, 1, 2), At(1926, 2, 1)},
      {u"1.2.2021", At(2021, 1, 2), At(2021, 2, 1)},   // four digits stand as written
      {u"12-31-1999", At(1999, 12, 31), 0},
      {u"31/12/99", 0, At(1999, 12, 31)},
      {u"1/2", 0, 0},
      {u"1/x/3", 0, 0},
      {u"2021", 0, 0},
      {u"1/2/-5", 0, 0},
      {u"1/2/3/4", 0, 0},
      {u"", 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ParseMDYDate(c.Text), c.MDY) << U8(c.Text);
    EXPECT_DOUBLE_EQ(ParseDMYDate(c.Text), c.DMY) << U8(c.Text);
  }
}

TEST_F(GridDates, LooksLikeDateNeedsTwoSeparatedSeparators) {
  Use(tlGerman);
  EXPECT_TRUE(LooksLikeDate(u"1.2.3"));
  EXPECT_TRUE(LooksLikeDate(u"31.12.2020"));
  EXPECT_FALSE(LooksLikeDate(u".1.2"));
  EXPECT_FALSE(LooksLikeDate(u"1..2"));
  EXPECT_FALSE(LooksLikeDate(u"1.2"));
  EXPECT_FALSE(LooksLikeDate(u"1/2/3"));
  Use(tlEnglish);
  EXPECT_TRUE(LooksLikeDate(u"1/2/3"));
}

TEST(GridDatePart, AddsOneCalendarPart) {
  const TDateTime dec15 = At(2020, 12, 15, 6, 30);
  struct Case { Integer Years, Months, Days; TDateTime Expected; };
  const Case cases[] = {
      {0, 0, 20, At(2021, 1, 4, 6, 30)},  {0, 0, -15, At(2020, 11, 30, 6, 30)},
      {1, 0, 0, At(2021, 12, 15, 6, 30)}, {-20, 0, 0, At(2000, 12, 15, 6, 30)},
      {0, 1, 0, At(2021, 1, 15, 6, 30)},  {0, -1, 0, At(2020, 11, 15, 6, 30)},
      {0, 13, 0, At(2022, 1, 15, 6, 30)}, {0, -13, 0, At(2019, 11, 15, 6, 30)},
      {0, 25, 0, At(2023, 1, 15, 6, 30)}, {0, -25, 0, At(2018, 11, 15, 6, 30)},
      {0, -12, 0, At(2019, 12, 15, 6, 30)},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(AddDatePart(c.Years, c.Months, c.Days, 0.5, dec15), c.Expected)
        << c.Years << " " << c.Months << " " << c.Days;
  // Two parts at once, or none: the offset.
  EXPECT_DOUBLE_EQ(AddDatePart(1, 1, 0, 0.5, dec15), dec15 + 0.5);
  EXPECT_DOUBLE_EQ(AddDatePart(0, 0, 0, 3, dec15), dec15 + 3);
  // A day the target month does not have, or a year beyond the calendar, is the date error.
  EXPECT_THROW(AddDatePart(0, 1, 0, 0, At(2021, 1, 31)), EConvertError);
  EXPECT_THROW(AddDatePart(1, 0, 0, 0, At(2020, 2, 29)), EConvertError);
  EXPECT_THROW(AddDatePart(9000, 0, 0, 0, dec15), EConvertError);
  EXPECT_THROW(AddDatePart(0, -24300, 0, 0, dec15), EConvertError);
}

}  // namespace
