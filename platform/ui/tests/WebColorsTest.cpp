#include "platform/ui/WebColors.h"

#include <gtest/gtest.h>

TEST(WebColors, NamesOfColours) {
  struct TCase {
    TColor Color;
    String Name;
  };
  const TCase cases[] = {
      {clRed, u"Red"},
      {clBlack, u"Black"},
      {clWhite, u"White"},
      {static_cast<TColor>(0xFFFF00), u"Aqua"},      // also Cyan: the first name wins
      {static_cast<TColor>(0xFF00FF), u"Fuchsia"},   // also Magenta
      {static_cast<TColor>(0xFFF8F0), u"AliceBlue"},
      {static_cast<TColor>(0x32CD9A), u"YellowGreen"},
      {static_cast<TColor>(0x123456), u"#563412"},   // no name: red, green, blue in hex
      {static_cast<TColor>(0x0A0B0C), u"#0C0B0A"},
      {clWindow, u"White"},                          // a system colour is resolved first
      {clWindowText, u"Black"},
  };
  for (const TCase& c : cases) EXPECT_EQ(ColorToWebColorName(c.Color), c.Name) << std::hex << c.Color;
  TColor color = clNone;
  ASSERT_TRUE(WebColorNameToColor(u"cornflowerblue", color));
  EXPECT_EQ(color, static_cast<TColor>(0xED9564));
  ASSERT_TRUE(WebColorNameToColor(u"Cyan", color));
  EXPECT_EQ(ColorToWebColorName(color), u"Aqua");
  EXPECT_FALSE(WebColorNameToColor(u"RebeccaPurple", color));
  EXPECT_FALSE(WebColorNameToColor(u"", color));
}
