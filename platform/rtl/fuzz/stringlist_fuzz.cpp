// libFuzzer target: string lists over arbitrary input (see README.md beside this file).
//
// The first byte picks the route: LoadFromStream over the raw bytes (BOM or ANSI), Text,
// CommaText, or DelimitedText with a delimiter, quote character and strictness from the input;
// the rest, taken as UTF-16 code units, is the text. Only Exception descendants may leave a call,
// and the strings a list accepted must come back unchanged after writing them out (SaveToStream,
// Text, CommaText, DelimitedText) and reading that again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/rtl/StringLists.h"
#include "platform/rtl/fuzz/FuzzSupport.h"

namespace {

using fuzz::Utf16;

std::vector<String> Strings(const TStrings& AList) { return AList.ToStringArray(); }

[[noreturn]] void Changed(const char* ARoute, const std::vector<String>& ABefore, const std::vector<String>& AAfter) {
  std::fprintf(stderr, "%s: %zu strings came back as %zu\n", ARoute, ABefore.size(), AAfter.size());
  for (std::size_t i = 0; i < ABefore.size() && i < AAfter.size(); ++i)
    if (ABefore[i] != AAfter[i])
      std::fprintf(stderr, "first difference at %zu: \"%s\" -> \"%s\"\n", i, UTF8Encode(ABefore[i]).c_str(),
                   UTF8Encode(AAfter[i]).c_str());
  std::abort();
}

void ExpectSame(const char* ARoute, const TStrings& ABefore, const TStrings& AAfter) {
  const auto before = Strings(ABefore);
  const auto after = Strings(AAfter);
  if (before != after) Changed(ARoute, before, after);
}

void FromStream(const std::uint8_t* AData, std::size_t ASize) {
  TMemoryStream source;
  source.WriteBuffer(AData, static_cast<Int64>(ASize));
  source.SetPosition(0);
  TStringList list;
  list.LoadFromStream(&source);
  TMemoryStream saved;
  list.SaveToStream(&saved);
  saved.SetPosition(0);
  TStringList again;
  again.LoadFromStream(&saved);
  ExpectSame("SaveToStream", list, again);
}

void FromText(const String& AText) {
  TStringList list;
  list.SetText(AText);
  TStringList again;
  again.SetText(list.GetText());
  ExpectSame("Text", list, again);
}

void FromCommaText(const String& AText) {
  TStringList list;
  list.SetCommaText(AText);
  TStringList again;
  again.SetCommaText(list.GetCommaText());
  ExpectSame("CommaText", list, again);
}

// The options come from the text's first two code units: delimiter, then quote character (its low
// bit also picks strictness). A quote character equal to the delimiter, or one that separates
// entries itself (a blank or control character when not strict), has no round trip.
void FromDelimitedText(const String& AText) {
  if (AText.size() < 2 || AText[0] == AText[1] || ((AText[1] & 1) == 0 && AText[1] <= u' ')) return;
  auto setUp = [&](TStringList& AList) {
    AList.SetDelimiter(AText[0]);
    AList.SetQuoteChar(AText[1]);
    AList.SetStrictDelimiter((AText[1] & 1) != 0);
  };
  TStringList list;
  setUp(list);
  list.SetDelimitedText(StringView(AText).substr(2));
  TStringList again;
  setUp(again);
  again.SetDelimitedText(list.GetDelimitedText());
  ExpectSame("DelimitedText", list, again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  const std::uint8_t route = Data[0] % 4;
  try {
    switch (route) {
      case 0: FromStream(Data + 1, Size - 1); break;
      case 1: FromText(Utf16(Data + 1, Size - 1)); break;
      case 2: FromCommaText(Utf16(Data + 1, Size - 1)); break;
      default: FromDelimitedText(Utf16(Data + 1, Size - 1)); break;
    }
  } catch (Exception&) {
    // a refusal; anything else leaving a call is a finding
  }
  return 0;
}
