// libFuzzer target: filter expressions and number classification over arbitrary text (see
// README.md beside this file).
//
// The first byte picks the variant: bit 0 reads the rest as raw UTF-16 (lone surrogates and
// U+0000 included) instead of UTF-8, bit 1 the German format settings instead of the English,
// bit 2 case-sensitive matching. The text up to the first U+0000 is the expression, the rest the
// cell text. The routines may answer anything but must not crash, hang or misbehave; the pair
// encoding must give every text back and the classification must stay within its six kinds.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "lib/gridutil/NeoGridUtilDates.h"
#include "lib/gridutil/NeoGridUtilFilter.h"
#include "lib/gridutil/NeoGridUtilNumbers.h"
#include "lib/gridutil/NeoGridUtilText.h"

namespace {

String DecodeInput(const std::uint8_t* Data, std::size_t Size, bool Utf16) {
  if (!Utf16) return UTF8ToString(std::string_view(reinterpret_cast<const char*>(Data), Size));
  String text(Size / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<Char>(Data[2 * i] | (Data[2 * i + 1] << 8));
  return text;
}

void CheckClassification(StringView Text) {
  for (const Char* separators : {u".,", u",.", u"::"}) {
    const Integer kind = ClassifyNumberTextEx(Text, separators[0], separators[1]);
    if (kind < 0 || kind > 5) std::abort();
  }
  const Integer kind = ClassifyNumberText(Text);
  if (kind < 0 || kind > 5) std::abort();
  (void)NormalizeNumberText(Text);
  (void)ToInvariantNumberText(Text);
  (void)ToLocaleNumberText(Text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  const std::uint8_t flags = Data[0];
  FormatSettings = (flags & 2) ? TFormatSettings::German() : TFormatSettings::USEnglish();
  const String input = DecodeInput(Data + 1, Size - 1, flags & 1);
  const std::size_t split = input.find(u'\0');
  const StringView expression = StringView(input).substr(0, split);
  const StringView text = split == String::npos ? StringView() : StringView(input).substr(split + 1);
  const bool caseSensitive = (flags & 4) != 0;

  (void)EvalFilterExpression(expression, text, caseSensitive);
  (void)EvalFilterOperand(expression, text, caseSensitive);
  Integer pos = 0;
  (void)FindFilterOperator(u"(;^&|", expression, pos);
  (void)MatchingParenPos(expression);

  CheckClassification(expression);
  CheckClassification(text);
  TDateTime value = 0;
  (void)ParseDateTimeText(text, value);
  (void)DetectCellTextKind(text, true);

  if (DecodePairEncodedText(EncodePairEncodedText(text)) != text) std::abort();
  return 0;
}
