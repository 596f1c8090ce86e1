// Colours from "#" texts and from names.
#include <gtest/gtest.h>

#include "lib/graphics/NeoTypes.h"
#include "platform/rtl/Units.h"

TEST(NeoGraphicsColorText, HtmlAndNames) {
  EXPECT_EQ(HTMLToColor(u"#1A2"), 0x22AA11);
  EXPECT_EQ(HTMLToColor(u"#fff"), 0xFFFFFF);
  EXPECT_EQ(HTMLToColor(u"#102030"), 0x302010);
  EXPECT_EQ(HTMLToColor(u"#10203040"), 0x302010);
  EXPECT_THROW(HTMLToColor(u"#zz0000"), EConvertError);
  EXPECT_THROW(HTMLToColor(u"#12"), EConvertError);
  Units().Clear();
  RegisterNeoTypesUnit();
  {
    TUnitsScope units;
    EXPECT_EQ(TextToColor(u"clRed"), 0x0000FF);
    EXPECT_EQ(TextToColor(u"BLUE"), 0xFF0000);
    EXPECT_EQ(TextToColor(u"gcLime"), 0x00FF00);
    EXPECT_EQ(TextToColor(u"nosuchcolour"), 0);
  }
  EXPECT_EQ(TextToColor(u"red"), 0);   // no table after shut-down
  Units().Clear();
}
