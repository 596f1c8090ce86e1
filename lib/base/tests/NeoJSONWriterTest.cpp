#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "lib/base/NeoJSONReader.h"
#include "lib/base/NeoJSONWriter.h"

namespace {

using W = TNeoJSONWriter;

std::string Contents(TMemoryStream& AStream) {
  return std::string(static_cast<const char*>(AStream.Memory()), static_cast<std::size_t>(AStream.GetSize()));
}

// The bytes a writer hands to its target when it is flushed.
std::string Written(const std::function<void(W&)>& ABuild, Integer AIndent = 0) {
  TMemoryStream target;
  W w(&target);
  w.SetIndentLength(AIndent);
  ABuild(w);
  w.Flush();
  return Contents(target);
}

TEST(NeoJSONWriter, CompactAndIndentedOutputByteForByte) {
  auto example = [](W& w) {
    w.WriteBeginObject().WriteName(u"a").WriteInteger(1).WriteName(u"b").WriteBeginArray();
    w.WriteBoolean(true).WriteNull().WriteEndArray().WriteEndObject();
    w.Close();
  };
  EXPECT_EQ(Written(example), R"({"a":1,"b":[true,null]})");
  EXPECT_EQ(Written(example, 2),
            "{\r\n  \"a\": 1,\r\n  \"b\": [\r\n    true,\r\n    null\r\n  ]\r\n}");
  EXPECT_EQ(Written(example, 0), Written(example, -3));

  auto empties = [](W& w) {
    w.WriteBeginArray().WriteBeginArray().WriteEndArray().WriteBeginObject().WriteEndObject();
    w.WriteBeginObject().WriteName(u"x").WriteBeginObject().WriteEndObject().WriteEndObject();
    w.WriteEndArray();
  };
  EXPECT_EQ(Written(empties), R"([[],{},{"x":{}}])");
  EXPECT_EQ(Written(empties, 1), "[\r\n [],\r\n {},\r\n {\r\n  \"x\": {}\r\n }\r\n]");
}

TEST(NeoJSONWriter, IndentLengthProperty) {
  TMemoryStream target;
  W w(&target);
  EXPECT_EQ(w.GetIndentLength(), 0);
  w.SetIndentLength(4);
  EXPECT_EQ(w.GetIndentLength(), 4);
  w.SetIndentLength(-1);
  EXPECT_EQ(w.GetIndentLength(), 0);
}

TEST(NeoJSONWriter, ValuesAndEscapes) {
  EXPECT_EQ(Written([](W& w) {
              w.WriteBeginArray();
              w.WriteString(u"caf\u00E9").WriteString(u"a\"b\\c/d").WriteString(u"\b\f\n\r\t\x01");
              w.WriteString(u"\U0001F600").WriteString(u"").WriteRawString(u"r\u00E9\"\u4E2D");
              w.WriteInteger(std::numeric_limits<Int64>::min()).WriteInteger(std::numeric_limits<Int64>::max());
              w.WriteDouble(1.5).WriteDouble(-0.25).WriteDouble(1e20).WriteBoolean(false).WriteNull();
              w.WriteEndArray();
            }),
            "[\"caf\\u00E9\",\"a\\u0022b\\u005Cc/d\",\"\\u0008\\u000C\\u000A\\u000D\\u0009\x01\","
            "\"\\uD83D\\uDE00\",\"\",\"r\xE9\"?\","
            "-9223372036854775808,9223372036854775807,"
            "1.5,-0.25,1E20,false,null]");
  EXPECT_EQ(Written([](W& w) { w.WriteBeginObject().WriteName(u"\u00E9\"").WriteInteger(0).WriteEndObject(); }),
            R"({"\u00E9\u0022":0})");
}

TEST(NeoJSONWriter, DoublesAlwaysUseAPointAndRefuseNaNAndInfinities) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings = TFormatSettings::German();
  const std::string text = Written([](W& w) { w.WriteBeginArray().WriteDouble(1.5).WriteDouble(-1234.5).WriteEndArray(); });
  FormatSettings = saved;
  EXPECT_EQ(text, "[1.5,-1234.5]");

  for (Double bad : {std::numeric_limits<Double>::quiet_NaN(), std::numeric_limits<Double>::infinity(),
                     -std::numeric_limits<Double>::infinity()}) {
    EXPECT_EQ(Written([bad](W& w) {
                w.WriteBeginObject().WriteName(u"a");
                try {
                  w.WriteDouble(bad);
                  ADD_FAILURE() << "no exception";
                } catch (W::EInvalidNumber& e) {
                  EXPECT_FALSE(e.Message.empty());
                }
                w.WriteNull().WriteEndObject();   // the name still waits for its value
              }),
              R"({"a":null})");
  }
}

template <class E> bool IsWriterError(const Exception& AError) { return dynamic_cast<const E*>(&AError); }
std::string WriterErrorClass(const Exception& AError) {
  if (IsWriterError<W::ECannotWriteName>(AError)) return "ECannotWriteName";
  if (IsWriterError<W::EMultipleRootNotAllowed>(AError)) return "EMultipleRootNotAllowed";
  if (IsWriterError<W::EObjectOrArrayExpected>(AError)) return "EObjectOrArrayExpected";
  if (IsWriterError<W::EInvalidNesting>(AError)) return "EInvalidNesting";
  if (IsWriterError<W::EMissingValue>(AError)) return "EMissingValue";
  if (IsWriterError<W::ETooManyDepthLevels>(AError)) return "ETooManyDepthLevels";
  if (IsWriterError<W::EEmptyJson>(AError)) return "EEmptyJson";
  if (IsWriterError<W::EEmptyName>(AError)) return "EEmptyName";
  return "Exception";
}

// The fixed message of each class the writer raises.
std::string MessageOf(const std::string& AClass) {
  static const std::pair<const char*, const char*> Messages[] = {
      {"ECannotWriteName", "Cannot write name in current Json scope"},
      {"EMultipleRootNotAllowed", "Multiple root values not allowed"},
      {"EObjectOrArrayExpected", "Object or array expected as top-level value"},
      {"EInvalidNesting", "Invalid nesting. Not all arrays/objects were properly closed."},
      {"EMissingValue", "Json value missing"},
      {"ETooManyDepthLevels", "Maximum level of nested structured reached."},
      {"EEmptyName", "Cannot write empty name"}};
  for (const auto& [cls, message] : Messages)
    if (AClass == cls) return message;
  return "?";
}

// Each class is raised by a real misuse, with its message; the refused call writes nothing.
TEST(NeoJSONWriter, MisuseRaisesAndWritesNothing) {
  struct Case {
    const char* Name;
    std::function<void(W&)> Before;   // valid calls
    std::function<void(W&)> Misuse;   // the refused call
    const char* Error;
  } cases[] = {
    {"scalar as root", [](W&) {}, [](W& w) { w.WriteInteger(1); }, "EObjectOrArrayExpected"},
    {"string as root", [](W&) {}, [](W& w) { w.WriteString(u"x"); }, "EObjectOrArrayExpected"},
    {"second root", [](W& w) { w.WriteBeginArray().WriteEndArray(); }, [](W& w) { w.WriteBeginObject(); }, "EMultipleRootNotAllowed"},
    {"name twice", [](W& w) { w.WriteBeginObject().WriteName(u"a"); }, [](W& w) { w.WriteName(u"b"); }, "EMissingValue"},
    {"end after name", [](W& w) { w.WriteBeginObject().WriteName(u"a"); }, [](W& w) { w.WriteEndObject(); }, "EMissingValue"},
    {"name in array", [](W& w) { w.WriteBeginArray().WriteInteger(1).WriteName(u"a"); }, [](W& w) { w.WriteInteger(2); }, "ECannotWriteName"},
    {"name at root", [](W& w) { w.WriteName(u"a"); }, [](W& w) { w.WriteBeginObject(); }, "ECannotWriteName"},
    {"empty name", [](W& w) { w.WriteBeginObject(); }, [](W& w) { w.WriteName(u""); }, "EEmptyName"},
    {"value without name", [](W& w) { w.WriteBeginObject().WriteName(u"a").WriteInteger(1); }, [](W& w) { w.WriteInteger(2); }, "EInvalidNesting"},
    {"array end in object", [](W& w) { w.WriteBeginObject(); }, [](W& w) { w.WriteEndArray(); }, "EInvalidNesting"},
    {"object end in array", [](W& w) { w.WriteBeginArray(); }, [](W& w) { w.WriteEndObject(); }, "EInvalidNesting"},
    {"end at root", [](W&) {}, [](W& w) { w.WriteEndArray(); }, "EInvalidNesting"},
    {"close untouched", [](W&) {}, [](W& w) { w.Close(); }, "EInvalidNesting"},
    {"close open array", [](W& w) { w.WriteBeginArray(); }, [](W& w) { w.Close(); }, "EInvalidNesting"},
    {"too deep", [](W& w) { for (int i = 0; i < 255; ++i) w.WriteBeginArray(); }, [](W& w) { w.WriteBeginArray(); }, "ETooManyDepthLevels"},
    {"too deep, named", [](W& w) { for (int i = 0; i < 255; ++i) w.WriteBeginObject().WriteName(u"n"); }, [](W& w) { w.WriteBeginArray(); }, "ETooManyDepthLevels"},
  };
  for (const auto& c : cases) {
    for (Integer indent : {0, 2}) {
      const std::string before = Written(c.Before, indent);
      std::string error = "none";
      const std::string after = Written(
          [&](W& w) {
            c.Before(w);
            try {
              c.Misuse(w);
            } catch (Exception& e) {
              error = WriterErrorClass(e) + ": " + UTF8Encode(e.Message);
            }
          },
          indent);
      EXPECT_EQ(error, c.Error + std::string(": ") + MessageOf(c.Error)) << c.Name;
      EXPECT_EQ(after, before) << c.Name;
    }
  }
}

TEST(NeoJSONWriter, NestingToTheStackLimitAndClose) {
  // 255 open arrays fit beside the document scope.
  const std::string deep = Written([](W& w) {
    for (int i = 0; i < 255; ++i) w.WriteBeginArray();
    for (int i = 0; i < 255; ++i) w.WriteEndArray();
    w.Close();
  });
  EXPECT_EQ(deep, std::string(255, '[') + std::string(255, ']'));
}

TEST(NeoJSONStreamWriter, TextReachesTheTargetOnlyOnFlush) {
  TMemoryStream target;
  target.WriteBuffer("head:", 5);
  {
    W w(&target);
    w.WriteBeginArray().WriteString(std::u16string(3 * 1048576 / 2, u'x')).WriteEndArray();
    EXPECT_EQ(target.GetSize(), 5);
    w.Flush();
    w.Flush();   // the text went once
  }
  const std::string text = Contents(target);
  ASSERT_EQ(text.size(), 5 + 2 + 2 + 3 * 1048576 / 2);
  EXPECT_EQ(text.substr(0, 8), "head:[\"x");
  EXPECT_EQ(text.substr(text.size() - 3), "x\"]");

  TMemoryStream direct;
  {
    TNeoJSONStreamWriter s(&direct);
    s.Write(u"a\u00E9\u20AC\u4E2D");
    s.Flush();
  }
  EXPECT_EQ(Contents(direct), "a\xE9\x80?");

  // A writer destroyed without Flush (as when its document failed) leaves the target alone.
  TMemoryStream untouched;
  {
    W w(&untouched);
    w.WriteBeginArray().WriteNull();
  }
  EXPECT_EQ(untouched.GetSize(), 0);
}

TEST(NeoJSONStreamWriter, AFullDeviceRaisesEWriteErrorFromFlush) {
  TFileStream full(u"/dev/full", fmOpenWrite);
  W w(&full);
  w.WriteBeginArray().WriteString(u"x").WriteEndArray();
  EXPECT_THROW(w.Flush(), EWriteError);
}

// ---------------------------------------------------------------------------------------------
// Round trip: writer output read back through the reader gives the same values.

struct TValue {
  enum TKind { vkObject, vkArray, vkString, vkInteger, vkDouble, vkBoolean, vkNull };
  TValue(TKind AKind = vkNull) : Kind(AKind) {}
  TKind Kind;
  String Text;
  Int64 Integer = 0;
  Double Float = 0;
  std::vector<std::pair<String, TValue>> Items;   // names empty in arrays

  bool operator==(const TValue&) const = default;
};

void WriteValue(W& w, const TValue& v) {
  switch (v.Kind) {
    case TValue::vkObject:
      w.WriteBeginObject();
      for (const auto& [name, item] : v.Items) {
        w.WriteName(name);
        WriteValue(w, item);
      }
      w.WriteEndObject();
      break;
    case TValue::vkArray:
      w.WriteBeginArray();
      for (const auto& item : v.Items) WriteValue(w, item.second);
      w.WriteEndArray();
      break;
    case TValue::vkString: w.WriteString(v.Text); break;
    case TValue::vkInteger: w.WriteInteger(v.Integer); break;
    case TValue::vkDouble: w.WriteDouble(v.Float); break;
    case TValue::vkBoolean: w.WriteBoolean(v.Integer != 0); break;
    case TValue::vkNull: w.WriteNull(); break;
  }
}

// Reads a value as the writer's caller would: integers where the text is an integer.
TValue ReadValue(TNeoJSONReader& r) {
  TValue v;
  switch (r.Peek()) {
    case jstoBeginObject:
      v.Kind = TValue::vkObject;
      r.ReadBeginObject();
      while (r.HasNext()) {
        String name = r.ReadName();
        v.Items.emplace_back(std::move(name), ReadValue(r));
      }
      r.ReadEndObject();
      break;
    case jstoBeginArray:
      v.Kind = TValue::vkArray;
      r.ReadBeginArray();
      while (r.HasNext()) v.Items.emplace_back(String(), ReadValue(r));
      r.ReadEndArray();
      break;
    case jstoText: v.Kind = TValue::vkString; v.Text = r.ReadString(); break;
    case jstoNumber: {
      const String text = r.ReadString();
      Int64 i;
      if (text.find_first_of(u".eE") == String::npos && TryStrToInt64(text, i)) {
        v.Kind = TValue::vkInteger;
        v.Integer = i;
      } else {
        v.Kind = TValue::vkDouble;
        v.Float = StrToFloat(text);
      }
      break;
    }
    case jstoBoolean: v.Kind = TValue::vkBoolean; v.Integer = r.ReadBoolean(); break;
    case jstoNull: v.Kind = TValue::vkNull; r.ReadNull(); break;
    default: ADD_FAILURE() << "unexpected token"; break;
  }
  return v;
}

TValue Str(const String& s) {
  TValue v(TValue::vkString);
  v.Text = s;
  return v;
}
TValue Int(Int64 i) {
  TValue v(TValue::vkInteger);
  v.Integer = i;
  return v;
}
TValue Dbl(Double d) {
  TValue v(TValue::vkDouble);
  v.Float = d;
  return v;
}
TValue Bool(bool b) {
  TValue v(TValue::vkBoolean);
  v.Integer = b;
  return v;
}

TEST(NeoJSONWriter, RoundTripThroughTheReader) {
  TValue inner(TValue::vkArray);
  for (const TValue& v : {Str(u""), Str(u" leading and trailing "), Str(u"x\"y\\z/"), Str(u"\b\f\n\r\t\x01\x1F"),
                          Str(u"caf\u00E9 \u20AC \u4E2D \U0001F600"), Str(String(1, Char(0xD800))),
                          Int(0), Int(-1), Int(std::numeric_limits<Int64>::max()),
                          Int(std::numeric_limits<Int64>::min()), Dbl(0.1), Dbl(-2.5e-7), Dbl(1e300),
                          Dbl(5e-324), Dbl(123456.789), Bool(true), Bool(false), TValue()})
    inner.Items.emplace_back(String(), v);
  TValue nested(TValue::vkArray);
  nested.Items.emplace_back(String(), TValue(TValue::vkArray));
  TValue doc(TValue::vkObject);
  doc.Items.emplace_back(u"values", inner);
  doc.Items.emplace_back(u"na\u00EFve \"name\"", TValue(TValue::vkObject));
  doc.Items.emplace_back(u"nested", nested);

  for (Integer indent : {0, 2}) {
    TMemoryStream stream;
    {
      W w(&stream);
      w.SetIndentLength(indent);
      WriteValue(w, doc);
      w.Close();
      w.Flush();
    }
    const std::string text = Contents(stream);
    for (unsigned char c : text) EXPECT_LT(c, 0x80) << "escaped output is ASCII";
    stream.SetPosition(0);
    TNeoJSONReader r(&stream);
    EXPECT_EQ(ReadValue(r), doc) << text;
    EXPECT_TRUE(r.Eof());
  }
}

}  // namespace
