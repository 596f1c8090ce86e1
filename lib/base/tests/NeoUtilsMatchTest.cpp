// TNeoUtils filter conditions and date parsing.
#include <gtest/gtest.h>

#include "lib/base/NeoUtils.h"
#include "lib/base/tests/MatchCases.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/testsupport/FormatSettingsFixture.h"
#include "platform/rtl/testsupport/Utf8.h"

namespace {

class NeoUtilsMatch : public FormatSettingsTest {};

TEST_F(NeoUtilsMatch, EveryCaseOfTheGrammar) {
  UseUS();
  for (const TMatchCase& c : MatchCases) {
    const bool got = c.Level == mlPattern ? TNeoUtils::MatchStr(c.Condition, c.Text, c.CaseSensitive)
                                          : TNeoUtils::MatchStrEx(c.Condition, c.Text, c.CaseSensitive);
    EXPECT_EQ(got, c.Expected) << (c.Level == mlPattern ? "condition " : "expression ") << U8(c.Condition)
                               << " on \"" << U8(c.Text) << "\"" << (c.CaseSensitive ? " (case-sensitive)" : "");
  }
}

TEST_F(NeoUtilsMatch, MatchesIsCaseSensitive) {
  EXPECT_TRUE(TNeoUtils::Matches(u"Ab*", u"Abc"));
  EXPECT_FALSE(TNeoUtils::Matches(u"ab*", u"Abc"));
}

TEST_F(NeoUtilsMatch, ComparisonsFollowTheDecimalSeparator) {
  UseGerman();
  EXPECT_TRUE(TNeoUtils::MatchStrEx(u">1,5&<2", u"1,75", false));
  EXPECT_FALSE(TNeoUtils::MatchStrEx(u">1,5&<2", u"2,5", false));
  // German dates: 2.1.2020 is later than 31.12.2019, though it sorts earlier as text
  EXPECT_TRUE(TNeoUtils::MatchStr(u">31.12.2019", u"2.1.2020", false));
}

TEST_F(NeoUtilsMatch, LongTextsStayLinear) {
  // A pattern of many stars against a long text that almost matches.
  const String text(20000, u'a');
  EXPECT_FALSE(TNeoUtils::Matches(u"*a*a*a*a*a*a*a*a*b", text));
  EXPECT_TRUE(TNeoUtils::Matches(u"*a*a*a*a*a*a*a*a*", text));
}

// Nested groups: a deep but sane nesting evaluates; thousands of levels raise a clear error
// instead of overflowing the stack.
TEST_F(NeoUtilsMatch, GroupNestingIsBounded) {
  const auto nested = [](int depth, StringView inner) {
    return String(static_cast<std::size_t>(depth), u'(') + String(inner) + String(static_cast<std::size_t>(depth), u')');
  };
  EXPECT_TRUE(TNeoUtils::MatchStrEx(nested(50, u"A*|B*"), u"Apple", false));
  EXPECT_FALSE(TNeoUtils::MatchStrEx(nested(50, u"A*|B*"), u"Pear", false));
  try {
    TNeoUtils::MatchStrEx(nested(5000, u"A*"), u"Apple", false);
    ADD_FAILURE() << "no error for 5000 levels";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, u"Filter expression nested too deeply");
  }
  EXPECT_THROW(TNeoUtils::MatchStrEx(nested(20000, u"A*"), u"Apple", false), Exception);
}

// ---------------------------------------------------------------------------------------------
// Dates

struct DateRow {
  const Char* Text;
  bool Valid;
  Word Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

void CheckDates(const std::vector<DateRow>& Rows) {
  for (const DateRow& r : Rows) {
    SCOPED_TRACE(U8(r.Text));
    TDateTime value = -1;
    ASSERT_EQ(TNeoUtils::IsDate(r.Text, value), r.Valid);
    if (r.Valid) {
      EXPECT_DOUBLE_EQ(value, EncodeDateTime(r.Year, r.Month, r.Day, r.Hour, r.Minute, r.Second, 0));
    }
  }
}

TEST_F(NeoUtilsMatch, IsDateGerman) {
  UseGerman();
  CheckDates({
      {u"31.12.2020", true, 2020, 12, 31, 0, 0, 0},
      {u"31.12.2020 12:30", true, 2020, 12, 31, 12, 30, 0},
      {u" 1.2.2003 7:05:09 ", true, 2003, 2, 1, 7, 5, 9},
      {u"29.02.2020", true, 2020, 2, 29, 0, 0, 0},
      {u"29.02.2021", false},
      {u"32.12.2020", false},
      {u"31.13.2020", false},
      {u"31.12.2020 24:00", false},
      {u"31.12.2020 12:60", false},
      {u"31.12.2020 12:30:60", false},
      {u"31.12.2020 1230", false},
      {u"12/31/2020", false},
      {u"31.12", false},
      {u"a.b.c", false},
      {u"-1.12.2020", false},
      {u"", false},
  });
}

TEST_F(NeoUtilsMatch, IsDateUS) {
  UseUS();
  CheckDates({
      {u"12/31/2020", true, 2020, 12, 31, 0, 0, 0},
      {u"2/29/2020 23:59:59", true, 2020, 2, 29, 23, 59, 59},
      {u"31/12/2020", false},
      {u"31.12.2020", false},
  });
}

TEST_F(NeoUtilsMatch, IsDateFollowsTheFormatOrder) {
  FormatSettings = TFormatSettings::USEnglish();
  FormatSettings.ShortDateFormat = u"yyyy-MM-dd";
  FormatSettings.DateSeparator = u'-';
  CheckDates({{u"2021-03-04", true, 2021, 3, 4, 0, 0, 0}, {u"04-03-2021", false}});
}

TEST_F(NeoUtilsMatch, EpochToDateTime) {
  EXPECT_DOUBLE_EQ(TNeoUtils::EpochToDateTime(u"0"), EncodeDate(1970, 1, 1));
  EXPECT_DOUBLE_EQ(TNeoUtils::EpochToDateTime(u"86400"), EncodeDate(1970, 1, 2));
  EXPECT_DOUBLE_EQ(TNeoUtils::EpochToDateTime(u"1600000000"), EncodeDateTime(2020, 9, 13, 12, 26, 40, 0));
  EXPECT_DOUBLE_EQ(TNeoUtils::EpochToDateTime(u"-86400"), EncodeDate(1969, 12, 31));
  EXPECT_DOUBLE_EQ(TNeoUtils::EpochToDateTime(u"12x"), 0);
}

}  // namespace
