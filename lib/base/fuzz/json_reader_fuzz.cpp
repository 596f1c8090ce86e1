// libFuzzer target: runs TNeoJSONReader over arbitrary bytes (see README.md beside this file).
//
// Every document is walked token by token; the reader may refuse it only with an exception. A
// document read whole is written again with TNeoJSONWriter and read back, and the second reading
// must give the same values. The input's length picks the variant: typed number reads, SkipValue
// on every other value, PeekName before names, and indented output.
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "lib/base/NeoJSONReader.h"
#include "lib/base/NeoJSONWriter.h"

namespace {

struct TEvent {
  TNeoJSONToken Token;
  String Text;        // name, string, or number text
  bool Flag = false;  // Boolean value
  bool operator==(const TEvent&) const = default;
};

struct TVariant {
  bool TypedNumbers;
  bool Skip;
  bool PeekNames;
  bool Indent;
};

// Reads the whole document; false when the reader refused it.
bool Walk(TStream& AStream, const TVariant& AVariant, std::vector<TEvent>& AEvents) {
  AStream.SetPosition(0);
  try {
    TNeoJSONReader r(&AStream);
    std::size_t count = 0;
    for (;;) {
      const TNeoJSONToken token = r.Peek();
      if (AVariant.Skip && token != jstoEndArray && token != jstoEndObject && token != jstoEOF &&
          ++count % 2 == 0) {
        r.SkipValue();
        continue;
      }
      TEvent e{token, {}, false};
      switch (token) {
        case jstoBeginObject: r.ReadBeginObject(); break;
        case jstoEndObject: r.ReadEndObject(); break;
        case jstoBeginArray: r.ReadBeginArray(); break;
        case jstoEndArray: r.ReadEndArray(); break;
        case jstoName:
          if (AVariant.PeekNames) {
            const String peeked = r.PeekName();
            e.Text = r.ReadName();
            if (peeked != e.Text) std::abort();
          } else {
            e.Text = r.ReadName();
          }
          break;
        case jstoBoolean: e.Flag = r.ReadBoolean(); break;
        case jstoNull: r.ReadNull(); break;
        case jstoText: e.Text = r.ReadString(); break;
        case jstoNumber:
          if (AVariant.TypedNumbers) {
            switch (count % 3) {
              case 0: e.Text = IntToStr(r.ReadInt64()); break;
              case 1: e.Text = IntToStr(r.ReadInteger()); break;
              default: e.Text = FloatToStr(r.ReadDouble()); break;
            }
          } else {
            e.Text = r.ReadString();
          }
          break;
        case jstoEOF: AEvents.push_back(e); return true;
      }
      AEvents.push_back(std::move(e));
    }
  } catch (Exception&) {
    return false;
  }
}

// Writes the events again; false when a value cannot be written (a float out of range, an
// empty name).
bool Rewrite(const std::vector<TEvent>& AEvents, bool AIndent, TMemoryStream& ATarget) {
  TNeoJSONWriter w(&ATarget);
  w.SetIndentLength(AIndent ? 2 : 0);
  try {
    for (const TEvent& e : AEvents) {
      switch (e.Token) {
        case jstoBeginObject: w.WriteBeginObject(); break;
        case jstoEndObject: w.WriteEndObject(); break;
        case jstoBeginArray: w.WriteBeginArray(); break;
        case jstoEndArray: w.WriteEndArray(); break;
        case jstoName: w.WriteName(e.Text); break;
        case jstoBoolean: w.WriteBoolean(e.Flag); break;
        case jstoNull: w.WriteNull(); break;
        case jstoText: w.WriteString(e.Text); break;
        case jstoNumber: {
          Int64 i;
          if (TryStrToInt64(e.Text, i) && e.Text.find_first_of(u".eE") == String::npos)
            w.WriteInteger(i);
          else
            w.WriteDouble(StrToFloat(e.Text));
          break;
        }
        case jstoEOF: w.Close(); break;
      }
    }
  } catch (TNeoJSONWriter::EInvalidNumber&) {
    return false;
  } catch (EConvertError&) {
    return false;   // a number text beyond the float range
  } catch (TNeoJSONWriter::EEmptyName&) {
    return false;   // "" is a valid name in JSON but not for the writer
  }
  w.Flush();
  return true;
}

// Number texts stand for the same value when both read as the same integer or float.
bool SameNumber(const String& A, const String& B) {
  Int64 i, j;
  if (TryStrToInt64(A, i) && TryStrToInt64(B, j)) return i == j;
  return StrToFloat(A) == StrToFloat(B);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const TVariant variant{Size % 2 == 1, Size % 5 == 1, Size % 3 == 1, Size % 7 < 3};
  TMemoryStream source;
  source.WriteBuffer(Data, static_cast<Int64>(Size));
  std::vector<TEvent> events;
  if (!Walk(source, variant, events) || variant.Skip) return 0;

  TMemoryStream again;
  if (!Rewrite(events, variant.Indent, again)) return 0;
  std::vector<TEvent> reread;
  const TVariant plain{false, false, false, false};
  if (!Walk(again, plain, reread)) {
    std::fprintf(stderr, "writer output refused by the reader\n");
    std::abort();
  }
  if (reread.size() != events.size()) std::abort();
  for (std::size_t i = 0; i < events.size(); ++i) {
    const TEvent& a = events[i];
    const TEvent& b = reread[i];
    if (a.Token != b.Token || a.Flag != b.Flag) std::abort();
    if (a.Token == jstoNumber ? !SameNumber(a.Text, b.Text) : a.Text != b.Text) {
      std::fprintf(stderr, "value changed in the round trip: %s -> %s\n", UTF8Encode(a.Text).c_str(),
                   UTF8Encode(b.Text).c_str());
      std::abort();
    }
  }
  return 0;
}
