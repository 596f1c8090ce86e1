// libFuzzer target: the text utilities of TNeoUtils over arbitrary input (see README.md beside
// this file).
//
// The first byte picks the route; the rest, read as UTF-16 code units, is the text. Escapes:
// UnescapeString undoes EscapeString. Markup: UnFixMarkup undoes FixMarkup (escaping only the
// markup characters, or with the entity table for text up to U+0100), and escaped text has no tag
// for HTMLStrip to take. URL and hexadecimal: URLDecode undoes URLEncode for well-formed text (up
// to the blanks it trims), HexStrToBytes undoes SaveStreamToHexStr, and Base64 decoding takes
// anything. Matchers (pattern and text cut at the first U+0000): a quoted literal matches its
// text, "*" every text but the empty one, a leading "!" negates a plain pattern, the case of the
// text does not count without CaseSensitive, and a pattern means the same in parentheses. Every
// routine also runs on the raw input; only Exception descendants may leave a call.
#include <cstdint>

#include "lib/base/NeoUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/fuzz/FuzzSupport.h"

namespace {

using fuzz::Finding;

bool WellFormed(StringView AText) {
  for (std::size_t i = 0; i < AText.size(); ++i) {
    const Char c = AText[i];
    if (c >= 0xDC00 && c <= 0xDFFF) return false;
    if (c >= 0xD800 && c <= 0xDBFF && (++i == AText.size() || AText[i] < 0xDC00 || AText[i] > 0xDFFF)) return false;
  }
  return true;
}

void Escapes(const String& AText) {
  const String escaped = TNeoUtils::EscapeString(AText);
  if (TNeoUtils::UnescapeString(escaped) != AText) Finding("UnescapeString does not undo EscapeString", AText, escaped);
  try {
    const String read = TNeoUtils::UnescapeString(AText);
    if (TNeoUtils::UnescapeString(TNeoUtils::EscapeString(read)) != read) Finding("an unescaped text does not round trip", read);
  } catch (Exception&) {
    // a malformed escape
  }
}

void Markup(const String& AText) {
  const String plain = TNeoUtils::FixMarkup(AText, false);
  if (TNeoUtils::UnFixMarkup(plain, false) != AText) Finding("UnFixMarkup does not undo FixMarkup", AText, plain);
  if (TNeoUtils::HTMLStrip(plain) != plain) Finding("HTMLStrip changes escaped text", plain);
  bool narrow = true;
  for (Char c : AText) narrow = narrow && c <= 256;
  if (narrow) {
    const String special = TNeoUtils::FixMarkup(AText, true);
    if (TNeoUtils::UnFixMarkup(special, true) != AText)
      Finding("UnFixMarkup does not undo FixMarkup with the entity table", AText, special);
  }
  TNeoUtils::UnFixMarkup(AText, true);
  TNeoUtils::UnFixMarkup(AText, false);
  TNeoUtils::HTMLStrip(AText);
  TNeoUtils::IsHTML(AText);
  TNeoUtils::GetMarkupIndex(AText);
}

void Encodings(const String& AText) {
  if (WellFormed(AText)) {
    const String encoded = TNeoUtils::URLEncode(AText);
    if (TNeoUtils::URLDecode(encoded) != Trim(AText)) Finding("URLDecode does not undo URLEncode", AText, encoded);
  }
  TNeoUtils::URLDecode(AText);
  TNeoUtils::Decode64ToBytes(AText, false);
  TNeoUtils::Decode64ToBytes(AText, true);
  const std::string bytes = UTF8Encode(AText);
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  const String hex = TNeoUtils::SaveStreamToHexStr(&stream);
  const TBytes back = TNeoUtils::HexStrToBytes(hex);
  if (std::string(back.begin(), back.end()) != bytes) Finding("HexStrToBytes does not undo SaveStreamToHexStr", hex);
  try {
    TNeoUtils::HexStrToBytes(AText);
  } catch (EConvertError&) {
    // not hexadecimal
  }
}

String Quoted(StringView AText) { return u"\"" + ReplaceStr(AText, u"\"", u"\"\"") + u"\""; }

// No joining, comparison, quote, group or "!" character and no control character (the whole
// expression is trimmed of those, a group's content is not).
bool Plain(StringView APattern) {
  for (Char c : APattern)
    if (c < u' ') return false;
  const String trimmed = Trim(APattern);
  return !trimmed.empty() && trimmed.find_first_of(u"&^|;!\"()=<>") == String::npos;
}

void Matchers(const String& AText) {
  const auto fields = fuzz::Fields(AText, 0, 2);
  const String& pattern = fields[0];
  const String& text = fields[1];
  for (bool caseSensitive : {false, true}) {
    try {
      TNeoUtils::MatchStrEx(pattern, text, caseSensitive);
    } catch (Exception&) {
      // an expression nested too deeply
    }
    TNeoUtils::MatchStr(pattern, text, caseSensitive);
  }
  if (!text.empty()) {
    if (!TNeoUtils::Matches(Quoted(text), text)) Finding("a quoted literal does not match its text", text);
    if (!TNeoUtils::MatchStrEx(Quoted(text), text, true)) Finding("a quoted expression does not match its text", text);
  }
  if (TNeoUtils::Matches(u"*", text) == text.empty()) Finding("\"*\" and the text disagree", text);
  if (TNeoUtils::MatchStr(pattern, text, false) != TNeoUtils::MatchStr(pattern, AnsiUpperCase(text), false))
    Finding("the case of the text counts without CaseSensitive", pattern, text);
  if (Plain(pattern)) {
    if (TNeoUtils::Matches(u"!" + pattern, text) == TNeoUtils::Matches(pattern, text))
      Finding("a leading \"!\" does not negate", pattern, text);
    if (TNeoUtils::MatchStrEx(u"(" + pattern + u")", text, true) != TNeoUtils::MatchStrEx(pattern, text, true))
      Finding("a pattern in parentheses means something else", pattern, text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  const String text = fuzz::Utf16(Data + 1, Size - 1);
  try {
    switch (Data[0] % 4) {
      case 0: Escapes(text); break;
      case 1: Markup(text); break;
      case 2: Encodings(text); break;
      default: Matchers(text); break;
    }
  } catch (Exception&) {
    // a refusal; anything else leaving a call is a finding
  }
  return 0;
}
