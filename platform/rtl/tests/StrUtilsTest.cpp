#include "platform/rtl/StrUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(StrUtils, NaturalOrderComparesDigitRunsByValue) {
  struct Case { String A, B; int Sign; };
  const Case Cases[] = {
      {u"a2", u"a10", -1},           {u"a10", u"a2", 1},          {u"File", u"file", 0},
      {u"abc", u"ABD", -1},          {u"x9y", u"x10a", -1},       {u"2", u"10", -1},
      {u"a", u"a1", -1},             {u"a01", u"a1", -1},         {u"a1", u"a01", 1},
      {u"a01b", u"a1c", -1},         {u"99999999999999999999", u"100000000000000000000", -1},
      {u"Äpfel2", u"apfel10", -1},  {u"Äpfel", u"apfel", 1},    {u"apfel2", u"Äpfel10", -1}, {u"", u"", 0},
      {u"", u"a", -1},               {u"v1.10", u"v1.9", 1},
  };
  auto Sign = [](int V) { return V < 0 ? -1 : (V > 0 ? 1 : 0); };
  for (const auto& C : Cases) {
    EXPECT_EQ(Sign(StrCmpLogicalW(C.A, C.B)), C.Sign) << UTF8Encode(C.A) << " vs " << UTF8Encode(C.B);
    EXPECT_EQ(Sign(StrCmpLogicalW(C.B.c_str(), C.A.c_str())), -C.Sign) << UTF8Encode(C.B) << " vs " << UTF8Encode(C.A);
  }
  std::vector<String> Names = {u"img12.png", u"img10.png", u"IMG2.png", u"img1.png"};
  std::sort(Names.begin(), Names.end(), [](const String& A, const String& B) { return StrCmpLogicalW(A, B) < 0; });
  EXPECT_EQ(Names, (std::vector<String>{u"img1.png", u"IMG2.png", u"img10.png", u"img12.png"}));
}

TEST(StrUtils, SearchAndPartsHelpers) {
  EXPECT_EQ(PosEx(u"ab", u"abab", 2), 3);
  EXPECT_EQ(PosEx(u"ab", u"abab", 5), 0);
  EXPECT_EQ(PosEx(u"", u"abab", 1), 0);
  EXPECT_TRUE(StartsText(u"GRÜ", u"grüße"));
  EXPECT_FALSE(StartsStr(u"GRÜ", u"grüße"));
  EXPECT_TRUE(EndsText(u"SSE", u"Straße-sse"));
  EXPECT_FALSE(EndsText(u"long text", u"text"));
  EXPECT_TRUE(ContainsText(u"Hello World", u"o w"));
  EXPECT_TRUE(ContainsStr(u"abc", u""));
  EXPECT_EQ(LeftStr(u"abcdef", 2), u"ab");
  EXPECT_EQ(RightStr(u"abcdef", 2), u"ef");
  EXPECT_EQ(RightStr(u"ab", 5), u"ab");
  EXPECT_EQ(MidStr(u"abcdef", 2, 3), u"bcd");
  EXPECT_EQ(DupeString(u"ab", 3), u"ababab");
  EXPECT_EQ(ReverseString(u"ab\U0001F600c"), u"c\U0001F600ba");
  EXPECT_EQ(ReplaceText(u"aAa", u"a", u"b"), u"bbb");
  EXPECT_EQ(ReplaceStr(u"aAa", u"a", u"b"), u"bAb");
  EXPECT_EQ(IfThen(false, u"yes", u"no"), u"no");
}
