// Times written and read with the time separator of the global format settings: TimeToStr puts
// it where the format says ':', StrToTime takes it (and no other) between the parts, and
// EncodeTime refuses parts out of range whatever the separator.
#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/testsupport/FormatSettingsFixture.h"

using TimeSeparator = FormatSettingsTest;

TEST_F(TimeSeparator, WrittenAndReadWithTheSeparatorOfTheSettings) {
  struct TCase {
    Char Separator;
    const char16_t* Text;
    bool Ok;
    Word H, M, S;
  };
  const TCase cases[] = {
      {u':', u"09:05:07", true, 9, 5, 7},   {u':', u"9:5", true, 9, 5, 0},      {u':', u"23:59:59", true, 23, 59, 59},
      {u':', u"09.05.07", false, 0, 0, 0},  {u':', u"24:00:00", false, 0, 0, 0}, {u':', u"12:60:00", false, 0, 0, 0},
      {u':', u"12:30:60", false, 0, 0, 0},  {u'.', u"09.05.07", true, 9, 5, 7},  {u'.', u"00.00", true, 0, 0, 0},
      {u'.', u"09:05:07", false, 0, 0, 0},  {u'.', u"25.00.00", false, 0, 0, 0}, {u'.', u"12.75.00", false, 0, 0, 0},
      {u'.', u"12.3 . ", false, 0, 0, 0},   {u'.', u"", false, 0, 0, 0},
  };
  for (const TCase& c : cases) {
    UseGerman();
    FormatSettings.TimeSeparator = c.Separator;
    SCOPED_TRACE(UTF8Encode(c.Text));
    TDateTime value = -1;
    ASSERT_EQ(TryStrToTime(c.Text, value), c.Ok);
    if (!c.Ok) {
      EXPECT_THROW(StrToTime(c.Text), EConvertError);
      continue;
    }
    EXPECT_DOUBLE_EQ(value, EncodeTime(c.H, c.M, c.S, 0));
    EXPECT_DOUBLE_EQ(StrToTime(c.Text), value);
    // What TimeToStr writes reads back the same.
    const String written = TimeToStr(value);
    EXPECT_EQ(written.find(c.Separator == u':' ? u'.' : u':'), String::npos) << UTF8Encode(written);
    EXPECT_DOUBLE_EQ(StrToTime(written), value);
  }
  UseGerman();
  FormatSettings.TimeSeparator = u'.';
  EXPECT_EQ(TimeToStr(EncodeTime(9, 5, 7, 0)), u"09.05.07");
}

TEST_F(TimeSeparator, EncodeTimeRefusesPartsOutOfRange) {
  const Word parts[][3] = {{24, 0, 0}, {25, 0, 0}, {12, 60, 0}, {12, 75, 0}, {12, 0, 60}};
  for (const auto& p : parts) {
    TDateTime v = 0;
    EXPECT_FALSE(TryEncodeTime(p[0], p[1], p[2], 0, v));
    EXPECT_THROW(EncodeTime(p[0], p[1], p[2], 0), EConvertError);
  }
}
