// TNeoUtils numbers: integer scaling, byte sizes, the debug log.
#include <gtest/gtest.h>

#include <climits>

#include "lib/base/NeoUtils.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/testsupport/FormatSettingsFixture.h"

namespace {

TEST(NeoUtilsNumbers, MulDivIntTakesHalvesAwayFromZeroWhereRoundTakesThemToEven) {
  struct Row {
    Integer Number, Numerator, Denominator, Expected;
    Double Exact;     // the quotient before rounding
    Int64 RoundTo;    // what Round makes of it
  };
  const Row rows[] = {
      {7, 1, 2, 4, 3.5, 4},       {-7, 1, 2, -4, -3.5, -4},  {5, 1, 2, 3, 2.5, 2},     {-5, 1, 2, -3, -2.5, -2},
      {1, 1, 2, 1, 0.5, 0},       {-1, 1, 2, -1, -0.5, 0},   {10, 3, 4, 8, 7.5, 8},    {9, 1, 2, 5, 4.5, 4},
      {100, 144, 96, 150, 150, 150}, {7, 1, 3, 2, 7.0 / 3, 2}, {8, 1, 3, 3, 8.0 / 3, 3}, {5, -1, 2, -3, -2.5, -2},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.Number) + "*" + std::to_string(r.Numerator) + "/" + std::to_string(r.Denominator));
    EXPECT_EQ(TNeoUtils::MulDivInt(r.Number, r.Numerator, r.Denominator), r.Expected);
    EXPECT_EQ(Round(r.Exact), r.RoundTo);
  }
  // The product is taken on 64 bits.
  EXPECT_EQ(TNeoUtils::MulDivInt(2000000000, 3, 4), 1500000000);
  EXPECT_EQ(TNeoUtils::MulDivInt(7, 1, 0), -1);
}

TEST(NeoUtilsNumbers, MulDivSingleRoundsItsArgumentsToEvenFirst) {
  // 2.5 -> 2, 3.5 -> 4, 10 -> 10: 10 * 4 / 2
  EXPECT_EQ(TNeoUtils::MulDivSingle(2.5f, 3.5f, 10.0f), 20);
  // Denominator 0.4 rounds to 0
  EXPECT_EQ(TNeoUtils::MulDivSingle(0.4f, 1.0f, 1.0f), -1);
  // Number 7, Numerator 1, Denominator 2: halves away from zero at the end
  EXPECT_EQ(TNeoUtils::MulDivSingle(2.0f, 1.0f, 7.0f), 4);
}

class NeoUtilsBytes : public FormatSettingsTest {};

TEST_F(NeoUtilsBytes, FormatBytesAsStringUnderBothDecimalSeparators) {
  struct Row {
    Int64 Size;
    const Char* US;
    const Char* German;
  };
  const Row rows[] = {
      {-1, u"", u""},
      {-5000, u"", u""},
      {0, u"0 Bytes", u"0 Bytes"},
      {512, u"512 Bytes", u"512 Bytes"},
      {1023, u"1023 Bytes", u"1023 Bytes"},
      {1024, u"1.00 KB", u"1,00 KB"},
      {1536, u"1.50 KB", u"1,50 KB"},
      {5 * 1024 * 1024 + 1024 * 512, u"5.50 MB", u"5,50 MB"},
      {Int64(3) << 30, u"3.00 GB", u"3,00 GB"},
      {Int64(1) << 40, u"1.00 TB", u"1,00 TB"},
      // beyond the table the largest unit goes on
      {Int64(2048) << 40, u"2048.00 TB", u"2048,00 TB"},
      {INT64_MAX, u"8388608.00 TB", u"8388608,00 TB"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.Size));
    UseUS();
    EXPECT_EQ(TNeoUtils::FormatBytesAsString(r.Size), r.US);
    UseGerman();
    EXPECT_EQ(TNeoUtils::FormatBytesAsString(r.Size), r.German);
  }
}

TEST(NeoUtilsLog, LogGoesToTheDebugOutput) {
  std::vector<String> lines;
  const TDebugOutputHook previous = SetDebugOutputHook([&](const String& Text) { lines.push_back(Text); });
  TNeoUtils::Log(u"first \u00E9");
  TNeoUtils::Log(u"");
  SetDebugOutputHook(previous);
  EXPECT_EQ(lines, (std::vector<String>{u"first \u00E9", u""}));
}

}  // namespace
