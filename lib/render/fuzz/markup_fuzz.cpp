// libFuzzer target: runs the markup preprocessing, the tag reader and every markup text routine on
// arbitrary UTF-16 (see README.md beside this file).
//
// The input's bytes are read as little-endian UTF-16 code units. Besides finding crashes, leaks,
// hangs and undefined behaviour, it checks what the routines promise: preparing a text gives the
// result of its four steps, decoding undoes encoding, a control value written is read back, and
// removing highlight tags undoes highlighting.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "lib/render/NeoHTMLControls.h"
#include "lib/render/NeoHTMLMarkup.h"
#include "lib/render/NeoHTMLTags.h"
#include "lib/render/NeoHTMLText.h"

namespace {

void Fail(const char* AWhat, const String& AText) {
  std::fprintf(stderr, "%s: %s\n", AWhat, UTF8Encode(AText).c_str());
  std::abort();
}

bool WellFormed(StringView AText) {
  for (std::size_t i = 0; i < AText.size(); ++i) {
    const Char c = AText[i];
    if (c >= 0xDC00 && c <= 0xDFFF) return false;
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= AText.size() || AText[i + 1] < 0xDC00 || AText[i + 1] > 0xDFFF) return false;
      ++i;
    }
  }
  return true;
}

bool IsAlphanumeric(StringView AText) {
  if (AText.empty()) return false;
  for (const Char c : AText)
    if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) return false;
  return true;
}

void ReadEveryTag(StringView AText) {
  for (std::size_t at = AText.find(u'<'); at != StringView::npos; at = AText.find(u'<', at + 1)) {
    THtmlTag tag;
    if (!ReadHtmlTag(AText.substr(at), tag)) break;
    const THtmlAttributes attributes(tag.Attributes());
    (void)attributes.Value(u"HREF");
    (void)attributes.ValueAsWritten(u"x");
    (void)attributes.After(u" COLOR");
    (void)attributes.FirstQuoted(true);
    (void)HtmlColorByName(AnsiLowerCase(attributes.Value(u"COLOR")));
  }
}

void CheckEntities(const String& AText) {
  if (DecodeHtmlEntities(EncodeHtmlEntities(AText, false), false) != AText) Fail("basic entity round trip", AText);
  if (WellFormed(AText) && DecodeHtmlEntities(EncodeHtmlEntities(AText, true), true) != AText)
    Fail("named entity round trip", AText);
  (void)DecodeQuotAmpEntities(AText, true);
  (void)DecodeHtmlRunEntities(AText);
  (void)SpacesToNbsp(AText);
  (void)HtmlHexColor(AText);
}

void CheckControls(const String& AText, const String& AValue) {
  (void)HasHtmlControls(AText);
  (void)ClearHtmlRadioControls(AText);
  String id;
  NextHtmlEditControlId(AText, u"", id);
  String next;
  NextHtmlEditControlId(AText, id, next);
  String prop;
  GetHtmlControlProp(AText, id, prop);
  (void)GetHtmlControlMaxLen(AText, id);
  String changed = AText;
  if (!SetHtmlControlValue(changed, id, AValue)) {
    if (changed != AText) Fail("text changed by a failed set", AText);
    return;
  }
  String value;
  if (!GetHtmlControlValue(changed, id, value)) Fail("control lost by set", AText);
  if (IsAlphanumeric(id) && WellFormed(AValue) && value != AValue) Fail("control value round trip", AText);
}

void CheckHighlight(const String& AText, const String& ASearch, bool ACaseSensitive, bool AWholeText) {
  const String highlighted = HighlightHtmlText(AText, ASearch, u"hi", ACaseSensitive, AWholeText);
  const bool hasHighlightTags = HighlightHtmlText(AText, u"", u"hi", false, false) != AText;
  if (!AWholeText && !hasHighlightTags && UnhighlightHtmlText(highlighted, u"hi") != AText)
    Fail("unhighlight does not undo highlight", AText);
  (void)HighlightHtmlText(AText, ASearch, u"font", !ACaseSensitive, !AWholeText);
  (void)StripHtmlTags(AText);
  (void)HtmlToPlainText(AText);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  String text;
  text.reserve(Size / 2);
  for (std::size_t i = 0; i + 1 < Size; i += 2) text += static_cast<Char>(Data[i] | (Data[i + 1] << 8));

  // Preparing skips the steps that have nothing to do: the result must be that of all four.
  const String prepared = PrepareHtmlText(text);
  if (prepared != NormalizeHtmlLineBreaks(ExpandNumericEntities(DropHashTagBrackets(DecodeHtmlTextEntities(text)))))
    Fail("preparation differs from its steps", text);
  ReadEveryTag(prepared);
  (void)NormalizeHtmlLineBreaks(text, false);

  CheckEntities(text);
  const std::size_t half = text.size() / 2;
  const String slice = text.substr(half, 1 + Size % 4);
  CheckControls(text, slice);
  CheckHighlight(text, slice, Size % 2 == 0, Size % 5 == 0);
  return 0;
}
