#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "lib/base/NeoJSONReader.h"

namespace {

using R = TNeoJSONReader;

std::unique_ptr<TNeoJSONReader> ReaderOf(const std::string& ABytes) {
  TMemoryStream source;
  source.WriteBuffer(ABytes.data(), static_cast<Int64>(ABytes.size()));
  source.SetPosition(0);
  return std::make_unique<TNeoJSONReader>(&source);
}

// The class of a reader exception, by name.
template <class E> bool IsA(const Exception& AError) { return dynamic_cast<const E*>(&AError); }
std::string ClassOf(const Exception& AError) {
  if (IsA<R::EInvalidStateException>(AError)) return "EInvalidStateException";
  if (IsA<R::EUnterminatedArray>(AError)) return "EUnterminatedArray";
  if (IsA<R::EUnterminatedObject>(AError)) return "EUnterminatedObject";
  if (IsA<R::ENameExpected>(AError)) return "ENameExpected";
  if (IsA<R::EColonExpected>(AError)) return "EColonExpected";
  if (IsA<R::EMultipleRootNotAllowed>(AError)) return "EMultipleRootNotAllowed";
  if (IsA<R::EExpectedValue>(AError)) return "EExpectedValue";
  if (IsA<R::EObjectOrArrayExpected>(AError)) return "EObjectOrArrayExpected";
  if (IsA<R::ETooManyDepthLevels>(AError)) return "ETooManyDepthLevels";
  if (IsA<TNeoJSONStreamReader::EEndOfInputReached>(AError)) return "EEndOfInputReached";
  if (IsA<EConvertError>(AError)) return "EConvertError";
  return "Exception";
}

// Walks a whole document token by token: "{ n:a i:1 ... EOF", or the trace so far followed by
// "!" and the class of the error. Numbers are read with ReadString, which shows how the reader
// classified them: an Int64 comes back as its normalised decimal text.
std::string Trace(const std::string& AJson) {
  std::string out;
  auto add = [&out](const std::string& s) { out += (out.empty() ? "" : " ") + s; };
  try {
    auto r = ReaderOf(AJson);
    for (;;) {
      switch (r->Peek()) {
        case jstoBeginObject: r->ReadBeginObject(); add("{"); break;
        case jstoEndObject: r->ReadEndObject(); add("}"); break;
        case jstoBeginArray: r->ReadBeginArray(); add("["); break;
        case jstoEndArray: r->ReadEndArray(); add("]"); break;
        case jstoName: add("n:" + UTF8Encode(r->ReadName())); break;
        case jstoBoolean: add(r->ReadBoolean() ? "true" : "false"); break;
        case jstoNull: r->ReadNull(); add("null"); break;
        case jstoText: add("s:" + UTF8Encode(r->ReadString())); break;
        case jstoNumber: add("#" + UTF8Encode(r->ReadString())); break;
        case jstoEOF: add("EOF"); return out;
      }
    }
  } catch (Exception& e) {
    add("!" + ClassOf(e));
  }
  return out;
}

struct TraceCase {
  const char* Json;
  const char* Expected;
};
void PrintTo(const TraceCase& ACase, std::ostream* AOut) { *AOut << ACase.Json; }

class ReaderTokens : public testing::TestWithParam<TraceCase> {};

TEST_P(ReaderTokens, TraceMatches) { EXPECT_EQ(Trace(GetParam().Json), GetParam().Expected); }

INSTANTIATE_TEST_SUITE_P(Valid, ReaderTokens, testing::Values(
  TraceCase{R"({"a":1,"b":[true,null]})", "{ n:a #1 n:b [ true null ] } EOF"},
  TraceCase{" \t\r\n\f[ ] \r\n", "[ ] EOF"},
  TraceCase{"{}", "{ } EOF"},
  TraceCase{R"([[],{},[[]],{"x":{}}])", "[ [ ] { } [ [ ] ] { n:x { } } ] EOF"},
  TraceCase{"[TRUE,False,nUlL,true/]", "[ true false null true !EUnterminatedArray"},
  TraceCase{"[0,0.5,-0,1e5,1E+5,1e-5,-1.5E-3,12]", "[ #0 #0.5 #0 #1e5 #1E+5 #1e-5 #-1.5E-3 #12 ] EOF"},
  TraceCase{"[1 ,2\t]", "[ #1 #2 ] EOF"},
  TraceCase{R"([" a b ","",""])", "[ s: a b  s: s: ] EOF"},
  TraceCase{R"({"a":"x\"y","b\"c":"\\","\u00e9":"\u00E9\/\b\f\n\r\t"})",
            "{ n:a s:x\"y n:b\"c s:\\ n:\xC3\xA9 s:\xC3\xA9/\b\f\n\r\t } EOF"},
  TraceCase{R"(["{}[],:"])", "[ s:{}[],: ] EOF"}));

INSTANTIATE_TEST_SUITE_P(Errors, ReaderTokens, testing::Values(
  TraceCase{"", "!EObjectOrArrayExpected"},
  TraceCase{"  ", "!EObjectOrArrayExpected"},
  TraceCase{R"("abc")", "!EObjectOrArrayExpected"},
  TraceCase{"12", "!EObjectOrArrayExpected"},
  TraceCase{"true", "!EObjectOrArrayExpected"},
  TraceCase{"]", "!EExpectedValue"},
  TraceCase{"[1,]", "[ #1 !EExpectedValue"},
  TraceCase{"[,1]", "[ !EExpectedValue"},
  TraceCase{"[", "[ !EExpectedValue"},
  TraceCase{"[1,", "[ #1 !EExpectedValue"},
  TraceCase{"[1 2]", "[ #1 !EUnterminatedArray"},
  TraceCase{"[1}", "[ #1 !EUnterminatedArray"},
  TraceCase{"[1", "[ !EEndOfInputReached"},
  TraceCase{R"({"a":1,})", "{ n:a #1 !ENameExpected"},
  TraceCase{"{1:2}", "{ !ENameExpected"},
  TraceCase{"{", "{ !ENameExpected"},
  TraceCase{R"({"a":1 "b":2})", "{ n:a #1 !EUnterminatedObject"},
  TraceCase{R"({"a":1 )", "{ n:a #1 !EUnterminatedObject"},
  TraceCase{R"({"a":1)", "{ n:a !EEndOfInputReached"},
  TraceCase{R"({"a" 1})", "{ n:a !EColonExpected"},
  TraceCase{R"({"a":})", "{ n:a !EExpectedValue"},
  TraceCase{"[] []", "[ ] !EMultipleRootNotAllowed"},
  TraceCase{"{}x", "{ } !EMultipleRootNotAllowed"},
  TraceCase{"[01]", "[ !EExpectedValue"},
  TraceCase{"[-01]", "[ !EExpectedValue"},
  TraceCase{"[-]", "[ !EExpectedValue"},
  TraceCase{"[--1]", "[ !EExpectedValue"},
  TraceCase{"[1.]", "[ !EExpectedValue"},
  TraceCase{"[.5]", "[ !EExpectedValue"},
  TraceCase{"[1.5.5]", "[ !EExpectedValue"},
  TraceCase{"[1e]", "[ !EExpectedValue"},
  TraceCase{"[1e+]", "[ !EExpectedValue"},
  TraceCase{"[1e5e5]", "[ !EExpectedValue"},
  TraceCase{"[+1]", "[ !EExpectedValue"},
  TraceCase{"[1\"]", "[ !EExpectedValue"},
  TraceCase{"[truex]", "[ !EExpectedValue"},
  TraceCase{"[nul]", "[ !EExpectedValue"},
  TraceCase{"[tru", "[ !EEndOfInputReached"},
  TraceCase{"[x]", "[ !EExpectedValue"}));

// The message of the exception a call raises ("" when none).
std::string ErrorOf(const std::function<void()>& ACall) {
  try {
    ACall();
  } catch (Exception& e) {
    return ClassOf(e) + ": " + UTF8Encode(e.Message);
  }
  return "";
}

// Every exception class, raised by the reader on a real input, with its class and message.
TEST(NeoJSONReader, EachErrorClassFromARealInput) {
  auto walk = [](R& r) {
    for (;;) {
      switch (r.Peek()) {
        case jstoBeginObject: r.ReadBeginObject(); break;
        case jstoEndObject: r.ReadEndObject(); break;
        case jstoBeginArray: r.ReadBeginArray(); break;
        case jstoEndArray: r.ReadEndArray(); break;
        case jstoName: r.ReadName(); break;
        case jstoBoolean: r.ReadBoolean(); break;
        case jstoNull: r.ReadNull(); break;
        case jstoText:
        case jstoNumber: r.ReadString(); break;
        case jstoEOF: return;
      }
    }
  };
  struct TCase {
    std::string Json;
    std::function<void(R&)> Read;
    const char* Expected;
  };
  const TCase cases[] = {
      {"[\"x\"]", [](R& r) { r.ReadBeginArray(); r.ReadBoolean(); },
       "EInvalidStateException: Invalid Json parser state. Expected state: 5"},
      {"[4294967296]", [](R& r) { r.ReadBeginArray(); r.ReadInteger(); },
       "EInvalidStateException: Invalid Json parser state. Expected state: 11"},
      {"[true]", [](R& r) { r.ReadBeginArray(); r.ReadDouble(); },
       "EInvalidStateException: Invalid Json parser state. Expected state: 12"},
      {"{}", [](R& r) { r.ReadBeginArray(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 3"},
      {"[1 2]", walk, "EUnterminatedArray: Unterminated array"},
      {"{\"a\":1 \"b\":2}", walk, "EUnterminatedObject: Unterminated object"},
      {"{1:2}", walk, "ENameExpected: Name expected"},
      {"{\"a\" 1}", walk, "EColonExpected: Colon expected"},
      {"{} []", walk, "EMultipleRootNotAllowed: Multiple root values not allowed"},
      {"[x]", walk, "EExpectedValue: Value expected but invalid character found"},
      {"\"text\"", walk, "EObjectOrArrayExpected: Object or array expected as top-level value"},
      {std::string(256, '['), walk, "ETooManyDepthLevels: Maximum level of nested structured reached."},
      {"[fals", walk, "EEndOfInputReached: End of JSON input reached."},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Json);
    auto r = ReaderOf(c.Json);
    EXPECT_EQ(ErrorOf([&] { c.Read(*r); }), c.Expected);
  }
  EXPECT_EQ(R::jstEOF, 13);
  EXPECT_EQ(R::jstDoubleQuotedName, 10);
}

TEST(NeoJSONReader, NestingToTheStackLimit) {
  // The document scope takes one of the 256 entries: 255 arrays or objects can be open at once.
  EXPECT_EQ(Trace(std::string(255, '[') + std::string(255, ']')).substr(0, 4), "[ [ ");
  EXPECT_EQ(Trace(std::string(255, '[') + std::string(255, ']')).substr(255 * 4), "EOF");
  EXPECT_EQ(ErrorOf([] {
              auto r = ReaderOf(std::string(256, '['));
              for (int i = 0; i < 256; ++i) r->ReadBeginArray();
            }),
            "ETooManyDepthLevels: Maximum level of nested structured reached.");
  std::string objects;
  for (int i = 0; i < 255; ++i) objects += "{\"a\":";
  objects += "1" + std::string(255, '}');
  auto r = ReaderOf(objects);
  r->SkipValue();
  EXPECT_TRUE(r->Eof());
  auto deep = ReaderOf(std::string(256, '[') + std::string(256, ']'));
  EXPECT_EQ(ErrorOf([&] { deep->SkipValue(); }),
            "ETooManyDepthLevels: Maximum level of nested structured reached.");
}

struct NumberCase {
  const char* Text;
  const char* AsString;   // ReadString: the normalised value for an Int64, else the text
  const char* AsInt64;    // ReadInt64, or "!" for EInvalidStateException with state 11
  const char* AsInteger;  // ReadInteger, the same way
  double AsDouble;
};
void PrintTo(const NumberCase& ACase, std::ostream* AOut) { *AOut << ACase.Text; }

class ReaderNumbers : public testing::TestWithParam<NumberCase> {};

TEST_P(ReaderNumbers, TypedReads) {
  const NumberCase& c = GetParam();
  const std::string doc = std::string("[") + c.Text + "]";
  auto read = [&](auto member) {
    auto r = ReaderOf(doc);
    r->ReadBeginArray();
    try {
      return std::to_string(((*r).*member)());
    } catch (R::EInvalidStateException& e) {
      EXPECT_EQ(e.Message, u"Invalid Json parser state. Expected state: 11");
      return std::string("!");
    }
  };
  auto r = ReaderOf(doc);
  r->ReadBeginArray();
  EXPECT_EQ(r->Peek(), jstoNumber);
  EXPECT_EQ(UTF8Encode(r->ReadString()), c.AsString);
  EXPECT_EQ(read(&R::ReadInt64), c.AsInt64);
  EXPECT_EQ(read(&R::ReadInteger), c.AsInteger);
  auto d = ReaderOf(doc);
  d->ReadBeginArray();
  EXPECT_EQ(d->ReadDouble(), c.AsDouble);
  d->ReadEndArray();
  EXPECT_TRUE(d->Eof());
}

INSTANTIATE_TEST_SUITE_P(Boundaries, ReaderNumbers, testing::Values(
  NumberCase{"9223372036854775807", "9223372036854775807", "9223372036854775807", "!", 0x1p63},
  NumberCase{"9223372036854775808", "9223372036854775808", "!", "!", 0x1p63},
  NumberCase{"-9223372036854775808", "-9223372036854775808", "-9223372036854775808", "!", -0x1p63},
  NumberCase{"-9223372036854775809", "-9223372036854775809", "!", "!", -0x1p63},
  NumberCase{"99999999999999999999", "99999999999999999999", "!", "!", 1e20},
  NumberCase{"2147483647", "2147483647", "2147483647", "2147483647", 2147483647.0},
  NumberCase{"2147483648", "2147483648", "2147483648", "!", 2147483648.0},
  NumberCase{"-2147483648", "-2147483648", "-2147483648", "-2147483648", -2147483648.0},
  NumberCase{"4294967296", "4294967296", "4294967296", "!", 4294967296.0},
  NumberCase{"-0", "0", "0", "0", 0.0},
  NumberCase{"0", "0", "0", "0", 0.0},
  NumberCase{"2.0", "2.0", "2", "2", 2.0},
  NumberCase{"1.5", "1.5", "!", "!", 1.5},
  NumberCase{"2.5", "2.5", "!", "!", 2.5},
  NumberCase{"1e5", "1e5", "100000", "100000", 1e5},
  NumberCase{"1E+5", "1E+5", "100000", "100000", 1e5},
  NumberCase{"-1e3", "-1e3", "-1000", "-1000", -1e3},
  NumberCase{"1e10", "1e10", "10000000000", "!", 1e10},
  NumberCase{"1e300", "1e300", "!", "!", 1e300},
  NumberCase{"1e-5", "1e-5", "!", "!", 1e-5}));

TEST(NeoJSONReader, NumberLength) {
  // At most 254 characters make a number.
  const std::string longest = "1" + std::string(253, '0');
  auto r = ReaderOf("[" + longest + "]");
  r->ReadBeginArray();
  EXPECT_EQ(UTF8Encode(r->ReadString()), longest);
  r->ReadEndArray();
  EXPECT_EQ(Trace("[" + longest + "0]"), "[ !EExpectedValue");
  EXPECT_EQ(Trace("[0." + std::string(252, '5') + "]").size(), std::string("[ #0. ] EOF").size() + 252);
  EXPECT_EQ(Trace("[0." + std::string(253, '5') + "]"), "[ !EExpectedValue");
}

TEST(NeoJSONReader, WrongStateRaisesWithTheExpectedOrdinal) {
  struct Case {
    const char* Json;
    std::function<void(TNeoJSONReader&)> Call;
    const char* Error;
  } cases[] = {
    {R"(["x"])", [](R& r) { r.ReadBoolean(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 5"},
    {"[1]", [](R& r) { r.ReadNull(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 7"},
    {"[true]", [](R& r) { r.ReadString(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 8"},
    {"[null]", [](R& r) { r.ReadInt64(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 11"},
    {"[[]]", [](R& r) { r.ReadInteger(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 11"},
    {"[false]", [](R& r) { r.ReadDouble(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 12"},
    {"[{}]", [](R& r) { r.ReadBeginArray(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 3"},
    {"[[]]", [](R& r) { r.ReadBeginObject(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 1"},
    {"[1]", [](R& r) { r.ReadEndArray(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 4"},
    {"[1]", [](R& r) { r.ReadEndObject(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 2"},
    {R"(["a"])", [](R& r) { r.ReadName(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 10"},
    {R"(["a"])", [](R& r) { r.PeekName(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 10"},
    {R"(["abc"])", [](R& r) { r.ReadInt64(); }, "EConvertError: "},
    {R"(["1.5"])", [](R& r) { r.ReadInt64(); }, "EInvalidStateException: Invalid Json parser state. Expected state: 11"},
  };
  for (const auto& c : cases) {
    auto r = ReaderOf(c.Json);
    r->ReadBeginArray();
    const std::string error = ErrorOf([&] { c.Call(*r); });
    EXPECT_EQ(error.substr(0, std::string(c.Error).size()), c.Error) << c.Json;
  }
}

TEST(NeoJSONReader, QuotedNumbersAndStringsOfNumbers) {
  auto r = ReaderOf(R"(["42", "-7", "2.5", " 12", "3.0"])");
  r->ReadBeginArray();
  EXPECT_EQ(r->ReadInt64(), 42);
  EXPECT_EQ(r->ReadInteger(), -7);
  EXPECT_EQ(r->ReadDouble(), 2.5);
  EXPECT_EQ(r->ReadInteger(), 12);
  EXPECT_EQ(r->ReadInt64(), 3);
  r->ReadEndArray();
  EXPECT_TRUE(r->Eof());
}

TEST(NeoJSONReader, FractionsFollowTheProcessDecimalSeparator) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings = TFormatSettings::German();
  auto r = ReaderOf("[1.5, 2]");
  r->ReadBeginArray();
  EXPECT_THROW(r->ReadDouble(), EConvertError);
  FormatSettings = saved;
  auto p = ReaderOf("[1.5, 2]");
  p->ReadBeginArray();
  EXPECT_EQ(p->ReadDouble(), 1.5);
  EXPECT_EQ(p->ReadDouble(), 2.0);
}

TEST(NeoJSONReader, SkipValueOverNestedValues) {
  auto r = ReaderOf(R"({"a":{"x":[1,{"y":"}]\"{"},[[]],null,-2.5e3]},"b":2,"c":"s","d":[],"e":true})");
  r->ReadBeginObject();
  EXPECT_EQ(r->ReadName(), u"a");
  r->SkipValue();
  EXPECT_EQ(r->PeekName(), u"b");
  EXPECT_EQ(r->Peek(), jstoName);
  EXPECT_EQ(r->ReadName(), u"b");
  EXPECT_EQ(r->ReadInteger(), 2);
  EXPECT_EQ(r->ReadName(), u"c");
  r->SkipValue();   // a string
  r->SkipValue();   // a pending name counts as one value: "d"
  r->SkipValue();   // its array
  EXPECT_EQ(r->ReadName(), u"e");
  r->SkipValue();
  EXPECT_FALSE(r->HasNext());
  r->ReadEndObject();
  EXPECT_TRUE(r->HasNext());   // also true at the end
  EXPECT_TRUE(r->Eof());
}

TEST(NeoJSONReader, PeekAndIsNull) {
  auto r = ReaderOf(R"([null, "n"])");
  EXPECT_EQ(r->Peek(), jstoBeginArray);
  EXPECT_FALSE(r->IsNull());
  r->ReadBeginArray();
  EXPECT_TRUE(r->IsNull());
  EXPECT_TRUE(r->HasNext());
  r->ReadNull();
  EXPECT_EQ(r->Peek(), jstoText);
  EXPECT_EQ(r->ReadString(), u"n");
  EXPECT_FALSE(r->HasNext());
  EXPECT_FALSE(r->Eof());
  r->ReadEndArray();
  EXPECT_TRUE(r->Eof());
}

TEST(NeoJSONReader, BadEscapesRaise) {
  // A backslash that ends the input, an escape JSON does not know, a short \u escape: the
  // unescaping routine refuses them.
  for (const char* json : {"[\"abc\\", R"(["a\x"])", R"(["a\u12G4"])", R"({"a\q":1})"}) {
    const std::string trace = Trace(json);
    EXPECT_EQ(trace.substr(trace.find('!')), "!Exception") << json;
  }
  auto r = ReaderOf("[\"abc\\");
  r->ReadBeginArray();
  EXPECT_EQ(ErrorOf([&] { r->ReadString(); }), "Exception: Unexpected end of string");
}

TEST(NeoJSONReader, DecodesUtf8AndFallsBackToWindows1252) {
  struct Case {
    std::string Bytes;
    std::u16string Text;
  } cases[] = {
    {"caf\xC3\xA9", u"caf\u00E9"},                        // UTF-8
    {"caf\xE9", u"caf\u00E9"},                            // a lone Windows-1252 byte
    {"\x80 \x9F \x81", u"\u20AC \u0178 \u0081"},          // the 0x80 .. 0x9F row
    {"\xE2\x82\xAC", u"\u20AC"},                          // three bytes
    {"\xF0\x9F\x98\x80", u"\U0001F600"},                  // four bytes: a surrogate pair
    {"\xC0\xAF", u"\u00C0\u00AF"},                        // overlong form
    {"\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},              // an encoded surrogate
    {"\xF4\x90\x80\x80", u"\u00F4\u0090\u20AC\u20AC"},    // beyond U+10FFFF
    {"\xE2\x82", u"\u00E2\u201A"},                        // cut short
    {"\xC3\xA9\xE9\xC3\xA9", u"\u00E9\u00E9\u00E9"},      // mixed
    {"abcdefghijklmnop\xC3\xA9qrstuvwx", u"abcdefghijklmnop\u00E9qrstuvwx"},
  };
  for (const auto& c : cases) {
    auto r = ReaderOf("{\"" + c.Bytes + "\":[\"" + c.Bytes + "\"]}");
    r->ReadBeginObject();
    EXPECT_EQ(r->ReadName(), c.Text);
    r->ReadBeginArray();
    EXPECT_EQ(r->ReadString(), c.Text);
  }
  auto bom = ReaderOf("\xEF\xBB\xBF[\"x\"]");
  bom->ReadBeginArray();
  EXPECT_EQ(bom->ReadString(), u"x");
}

TEST(NeoJSONStreamReader, CharacterSource) {
  TMemoryStream source;
  source.WriteBuffer("xyab", 4);
  source.SetPosition(2);   // copied from the current position
  TNeoJSONStreamReader s(&source);
  source.WriteBuffer("zz", 2);   // later changes are not seen
  EXPECT_EQ(s.PeekChar(), u'a');
  EXPECT_EQ(s.ReadChar(), u'a');
  s.Backup();
  EXPECT_EQ(s.NextChar(), u'a');
  EXPECT_EQ(s.NextChar(), u'b');
  EXPECT_TRUE(s.Eof());
  EXPECT_EQ(s.ReadChar(), 0);
  EXPECT_EQ(s.PeekChar(), 0);
  EXPECT_THROW(s.NextChar(), TNeoJSONStreamReader::EEndOfInputReached);
  s.Backup();
  s.Backup();
  s.MoveNext(1);
  EXPECT_EQ(s.ReadChar(), u'b');
  s.MoveNext(10);
  EXPECT_TRUE(s.Eof());
}

}  // namespace
