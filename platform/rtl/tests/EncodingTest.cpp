#include <gtest/gtest.h>

#include "platform/rtl/NetEncoding.h"
#include "platform/rtl/SysUtils.h"

TEST(Encoding, StandardEncodingsConvertBothWays) {
  const String Text = u"Grüße € \U0001F600";
  struct Case { TEncoding* Encoding; TBytes Bytes; String Back; };
  const Case Cases[] = {
      {TEncoding::UTF8(), {'G', 'r', 0xC3, 0xBC, 0xC3, 0x9F, 'e', ' ', 0xE2, 0x82, 0xAC, ' ', 0xF0, 0x9F, 0x98, 0x80}, Text},
      {TEncoding::ANSI(), {'G', 'r', 0xFC, 0xDF, 'e', ' ', 0x80, ' ', '?'}, u"Grüße € ?"},
      {TEncoding::ASCII(), {'G', 'r', '?', '?', 'e', ' ', '?', ' ', '?'}, u"Gr??e ? ?"},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(C.Encoding->GetBytes(Text), C.Bytes) << C.Encoding->GetCodePage();
    EXPECT_EQ(C.Encoding->GetString(C.Bytes), C.Back) << C.Encoding->GetCodePage();
  }
  const TBytes LE = TEncoding::Unicode()->GetBytes(u"A\u20AC");
  EXPECT_EQ(LE, (TBytes{0x41, 0x00, 0xAC, 0x20}));
  EXPECT_EQ(TEncoding::BigEndianUnicode()->GetBytes(u"A\u20AC"), (TBytes{0x00, 0x41, 0x20, 0xAC}));
  EXPECT_EQ(TEncoding::Unicode()->GetString(LE), u"A\u20AC");
  EXPECT_EQ(TEncoding::Unicode()->GetString(TBytes{0x41, 0x00, 0x42}), u"A\uFFFD");
  EXPECT_EQ(TEncoding::ASCII()->GetString(TBytes{'a', 0xE4}), u"a?");
  EXPECT_EQ(TEncoding::Default(), TEncoding::ANSI());
  EXPECT_EQ(TEncoding::UTF8()->GetString(TBytes{'a', 'b', 'c', 'd'}, 1, 2), u"bc");
  EXPECT_THROW(TEncoding::UTF8()->GetString(TBytes{'a', 'b'}, 1, 2), EArgumentOutOfRangeException);
}

TEST(Encoding, BufferEncodingDetectsByteOrderMarks) {
  struct Case { TBytes Buffer; TEncoding* Expected; Integer Length; };
  const Case Cases[] = {
      {{0xEF, 0xBB, 0xBF, 'a'}, TEncoding::UTF8(), 3},
      {{0xFF, 0xFE, 'a', 0}, TEncoding::Unicode(), 2},
      {{0xFE, 0xFF, 0, 'a'}, TEncoding::BigEndianUnicode(), 2},
      {{'a', 'b'}, TEncoding::ANSI(), 0},
      {{0xEF, 0xBB}, TEncoding::ANSI(), 0},
      {{}, TEncoding::ANSI(), 0},
  };
  for (const auto& C : Cases) {
    TEncoding* E = nullptr;
    EXPECT_EQ(TEncoding::GetBufferEncoding(C.Buffer, E), C.Length);
    EXPECT_EQ(E, C.Expected);
  }
  TEncoding* Given = TEncoding::UTF8();
  EXPECT_EQ(TEncoding::GetBufferEncoding(TBytes{0xEF, 0xBB, 0xBF}, Given), 3);
  EXPECT_EQ(TEncoding::GetBufferEncoding(TBytes{0xFF, 0xFE}, Given), 0);
  EXPECT_EQ(Given, TEncoding::UTF8());
  TEncoding* Fallback = nullptr;
  TEncoding::GetBufferEncoding(TBytes{'x'}, Fallback, TEncoding::UTF8());
  EXPECT_EQ(Fallback, TEncoding::UTF8());
  EXPECT_EQ(TEncoding::UTF8()->GetPreamble(), (TBytes{0xEF, 0xBB, 0xBF}));
  EXPECT_TRUE(TEncoding::ASCII()->GetPreamble().empty());
}

TEST(Base64, RoundTripsAndKnownVectors) {
  struct Case { std::string Plain; String Encoded; };
  const Case Cases[] = {
      {"", u""}, {"f", u"Zg=="}, {"fo", u"Zm8="}, {"foo", u"Zm9v"}, {"foob", u"Zm9vYg=="}, {"fooba", u"Zm9vYmE="},
      {"foobar", u"Zm9vYmFy"}, {std::string("\xFF\xFE\x00", 3), u"//4A"},
  };
  for (const auto& C : Cases) {
    const TBytes Bytes(C.Plain.begin(), C.Plain.end());
    EXPECT_EQ(TNetEncoding::Base64String().EncodeBytesToString(Bytes), C.Encoded);
    EXPECT_EQ(TNetEncoding::Base64().DecodeStringToBytes(C.Encoded), Bytes);
  }
  TBytes All(256);
  for (int I = 0; I < 256; ++I) All[I] = static_cast<Byte>(I);
  const String Wrapped = TNetEncoding::Base64().EncodeBytesToString(All);
  EXPECT_EQ(Wrapped.find(u"\r\n"), 76u);
  EXPECT_EQ(TNetEncoding::Base64().DecodeStringToBytes(Wrapped), All);
  EXPECT_EQ(TNetEncoding::Base64String().Decode(TNetEncoding::Base64String().Encode(u"Grüße €")), u"Grüße €");
  EXPECT_EQ(TNetEncoding::Base64().DecodeStringToBytes(u" Zm9v\r\nYmE "), (TBytes{'f', 'o', 'o', 'b', 'a'}));
}

TEST(Base64, BadInputRaisesEConvertError) {
  for (const String& Bad : {String(u"Zm9v!"), String(u"Zg==Zg=="), String(u"Z"), String(u"Zm9vY"), String(u"Zg==="),
                            String(u"===="), String(u"Zm-v"), String(u"Zm9\u00E4")})
    EXPECT_THROW(TNetEncoding::Base64().DecodeStringToBytes(Bad), EConvertError) << UTF8Encode(Bad);
  try {
    TNetEncoding::Base64().DecodeStringToBytes(u"ab*c");
    FAIL();
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message, u"Invalid Base64 text: character '*' at position 3");
  }
}
