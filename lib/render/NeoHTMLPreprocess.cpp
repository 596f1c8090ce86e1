// Preparing a markup text for layout: entities, hash texts in brackets, numeric references and
// line breaks, each in one pass.
#include "lib/render/NeoHTMLInternal.h"
#include "lib/render/NeoHTMLMarkup.h"
#include "platform/rtl/UnicodeCase.h"

bool HtmlKeepLineBreaks = true;

namespace {

// The first code point drawn as a colour emoji rather than as a character (U+1F004).
constexpr char32_t FirstEmoji = 126980;
constexpr std::size_t MaxReferenceDigits = 6;
// A ";" ends a reference only within its first seven characters ("&#" included).
constexpr std::size_t TerminatorWindow = 7;

bool IsDigitOf(Char C, bool AHex) {
  return (C >= u'0' && C <= u'9') || (AHex && ((C >= u'a' && C <= u'f') || (C >= u'A' && C <= u'F')));
}

// The digits of a reference as a code point; false when there are none, more than six, or a
// character that is no digit of the base.
bool ReadReferenceDigits(StringView ADigits, bool AHex, char32_t& ACode) {
  if (ADigits.empty() || ADigits.size() > MaxReferenceDigits) return false;
  ACode = 0;
  for (const Char c : ADigits) {
    if (!IsDigitOf(c, AHex)) return false;
    const unsigned digit = c <= u'9' ? c - u'0' : (c | 0x20) - u'a' + 10;
    ACode = ACode * (AHex ? 16 : 10) + digit;
  }
  return true;
}

// What a reference to ACode becomes in a prepared text. Markup characters stay escaped so that a
// reference never opens a tag; code points that name no character become U+FFFD.
void AppendReference(String& AOut, char32_t ACode) {
  switch (ACode) {
    case u'<': AOut += u"&lt;"; return;
    case u'>': AOut += u"&gt;"; return;
    case u'&': AOut += u"&&"; return;
    default: break;
  }
  if (ACode == 0 || (ACode >= 0xD800 && ACode <= 0xDFFF) || ACode > 0x10FFFF) {
    AOut += u'\uFFFD';
  } else if (ACode < FirstEmoji) {
    AppendCodePoint(AOut, ACode);
  } else {
    AOut += u"<J ";
    AppendCodePoint(AOut, ACode);
    AOut += u" >";
  }
}

}  // namespace

String DecodeHtmlTextEntities(StringView AText) {
  NeoHTMLInternal::TEntityRules rules;
  rules.Quot = rules.Amp = rules.Named = true;
  return NeoHTMLInternal::DecodeEntities(AText, rules, u"&&", true);
}

String DropHashTagBrackets(StringView AText) {
  String out;
  out.reserve(AText.size());
  std::size_t pending = 0;   // "<#" seen whose ">" is still to be dropped
  std::size_t copied = 0;
  for (std::size_t i = 0; i < AText.size(); ++i) {
    const bool hashOpen = AText[i] == u'<' && i + 1 < AText.size() && AText[i + 1] == u'#';
    if (!hashOpen && (AText[i] != u'>' || pending == 0)) continue;
    out.append(AText.substr(copied, i - copied));
    copied = i + 1;
    if (hashOpen) ++pending;
    else --pending;
  }
  out.append(AText.substr(copied));
  return out;
}

String ExpandNumericEntities(StringView AText) {
  const std::size_t lastSemicolon = AText.rfind(u';');
  String out;
  out.reserve(AText.size());
  std::size_t copied = 0;
  std::size_t i = AText.find(u"&#");
  while (i != StringView::npos) {
    if (i > 0 && AText[i - 1] == u'&') break;   // "&&#": an escaped ampersand ends the expansion
    if (lastSemicolon == StringView::npos || lastSemicolon < i + 2) {   // no ";" after it at all
      i = AText.find(u"&#", i + 2);
      continue;
    }
    const bool hex = i + 2 < AText.size() && AText[i + 2] == u'x';
    const std::size_t digits = i + (hex ? 3 : 2);
    const std::size_t window = std::min(AText.size(), i + TerminatorWindow);
    std::size_t end = i + 2;
    while (end < window && AText[end] != u';') ++end;
    std::size_t digitsEnd = end;
    if (end == window) {   // no ";" close by: the digits end it, and the character after them goes too
      digitsEnd = digits;
      while (digitsEnd < AText.size() && IsDigitOf(AText[digitsEnd], hex)) ++digitsEnd;
      end = digitsEnd;   // a ";" follows somewhere, so a character follows the digits
    }
    ++end;
    char32_t code;
    if (ReadReferenceDigits(AText.substr(digits, digitsEnd - digits), hex, code)) {
      out.append(AText.substr(copied, i - copied));
      AppendReference(out, code);
      copied = end;
    }
    i = AText.find(u"&#", end);
  }
  out.append(AText.substr(copied));
  return out;
}

String NormalizeHtmlLineBreaks(StringView AText, bool AKeepLineBreaks) {
  String out;
  out.reserve(AText.size());
  std::size_t copied = 0;
  for (std::size_t i = AText.find_first_of(u"\r\n"); i != StringView::npos; i = AText.find_first_of(u"\r\n", i + 1)) {
    out.append(AText.substr(copied, i - copied));
    if (AText[i] == u'\r' && AKeepLineBreaks) out += u"<BR>";
    copied = i + 1;
  }
  out.append(AText.substr(copied));
  return out;
}

String PrepareHtmlText(StringView AText) {
  // A step with nothing to do is skipped: most texts hold no references and no line breaks.
  String text = AText.find(u'&') != StringView::npos ? DecodeHtmlTextEntities(AText) : String(AText);
  if (text.find(u"<#") != String::npos) text = DropHashTagBrackets(text);
  if (text.find(u"&#") != String::npos) text = ExpandNumericEntities(text);
  if (text.find_first_of(u"\r\n") != String::npos) text = NormalizeHtmlLineBreaks(text, HtmlKeepLineBreaks);
  return text;
}
