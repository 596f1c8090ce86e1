#include "platform/rtl/System.h"

#include <gtest/gtest.h>

TEST(System, Utf8RoundTripsEveryPlane) {
  const String text = u"Grüße \u20AC \U0001F600 end";
  EXPECT_EQ(UTF8ToString(UTF8Encode(text)), text);
  EXPECT_EQ(UTF8Encode(u"\u00E9"), "\xC3\xA9");
}

TEST(System, Utf8RejectsMalformedInput) {
  struct Case { std::string bytes; String expected; };
  const Case cases[] = {
      {"\xC3", u"\uFFFD"},                 // truncated sequence
      {"\xC0\xAF", u"\uFFFD\uFFFD"},       // overlong slash
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
      {"a\xFF" "b", u"a\uFFFDb"},
  };
  for (const auto& c : cases) EXPECT_EQ(UTF8ToString(c.bytes), c.expected) << c.bytes;
  EXPECT_EQ(UTF8Encode(u"\xD800x"), "\xEF\xBF\xBDx");  // lone surrogate
}
