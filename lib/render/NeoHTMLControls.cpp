// CONTROL tags: reading them and rewriting their values, in one walk over the text.
#include "lib/render/NeoHTMLControls.h"
#include "lib/base/NeoUtils.h"
#include "lib/render/NeoHTMLInternal.h"
#include "lib/render/NeoHTMLMarkup.h"
#include "lib/render/NeoHTMLTags.h"

namespace {

constexpr StringView ControlStart = u"<CONTROL ";

// Where one CONTROL tag stands in the text.
struct TControlTagPlace {
  std::size_t Begin = 0;        // the "<"
  StringView Attributes;        // after "<CONTROL " up to the first ">"
  std::size_t End = 0;          // after the ">", or the end of the text
};

// Walks the CONTROL tags of a text in order.
class TControlTagWalker {
public:
  explicit TControlTagWalker(StringView AText) : FText(AText), FUpper(NeoHTMLInternal::UpperText(AText)) {}

  bool Next(TControlTagPlace& APlace) {
    const std::size_t begin = FUpper.find(ControlStart, FPos);
    if (begin == String::npos) return false;
    const std::size_t attributes = begin + ControlStart.size();
    const std::size_t greater = FText.find(u'>', attributes);
    const std::size_t attributesEnd = greater == StringView::npos ? FText.size() : greater;
    APlace = {begin, FText.substr(attributes, attributesEnd - attributes),
              greater == StringView::npos ? FText.size() : greater + 1};
    FPos = APlace.End;
    return true;
  }

private:
  StringView FText;
  String FUpper;
  std::size_t FPos = 0;
};

// The first tag with that ID; false when there is none.
bool FindControl(StringView AText, StringView AID, TControlTagPlace& APlace, THtmlControlTag& ATag) {
  TControlTagWalker walker(AText);
  while (walker.Next(APlace)) {
    ATag = ParseHtmlControlTag(APlace.Attributes);
    if (ATag.ID == AID) return true;
  }
  return false;
}

bool IsEditable(const THtmlControlTag& ATag) {
  return ATag.Type != u"BUTTON" && ATag.Type != u"CHECK" && ATag.Type != u"RADIO";
}

void AppendAttribute(String& AOut, StringView AName, StringView AValue) {
  AOut += u' ';
  AOut += AName;
  AOut += u"=\"";
  AOut += AValue;
  AOut += u'"';
}

// The rewritten form of a tag with a new value (already encoded).
void AppendControlTag(String& AOut, const THtmlControlTag& ATag, StringView AEncodedValue) {
  AOut += u"<CONTROL";
  AppendAttribute(AOut, u"ID", ATag.ID);
  AppendAttribute(AOut, u"VALUE", AEncodedValue);
  AppendAttribute(AOut, u"WIDTH", ATag.Width);
  AppendAttribute(AOut, u"TYPE", ATag.Type);
  if (!ATag.Height.empty()) AppendAttribute(AOut, u"HEIGHT", ATag.Height);
  if (!ATag.Prop.empty()) AppendAttribute(AOut, u"PROP", EncodeHtmlEntities(ATag.Prop, true));
  if (!ATag.MaxLen.empty()) AppendAttribute(AOut, u"MAXLEN", ATag.MaxLen);
  AOut += u'>';
}

}  // namespace

namespace {

// The attributes with VALUE and PROP decoded by ADecode.
THtmlControlTag ParseControlTag(StringView AAttributes, String (*ADecode)(StringView)) {
  const THtmlAttributes attributes(AAttributes);
  THtmlControlTag tag;
  tag.Type = attributes.Value(u"TYPE=");
  tag.Width = attributes.ValueAsWritten(u"WIDTH=");
  tag.Height = attributes.ValueAsWritten(u"HEIGHT=");
  tag.ID = attributes.ValueAsWritten(u"ID=");
  tag.Value = ADecode(attributes.ValueAsWritten(u"VALUE="));
  tag.Prop = ADecode(attributes.ValueAsWritten(u"PROP="));
  tag.MaxLen = attributes.ValueAsWritten(u"MAXLEN=");
  return tag;
}

void SplitControlTag(THtmlControlTag&& ATag, String& AType, String& AID, String& AValue, String& AWidth,
                     String& AHeight, String& AProp, String& AMaxLen) {
  AType = std::move(ATag.Type);
  AID = std::move(ATag.ID);
  AValue = std::move(ATag.Value);
  AWidth = std::move(ATag.Width);
  AHeight = std::move(ATag.Height);
  AProp = std::move(ATag.Prop);
  AMaxLen = std::move(ATag.MaxLen);
}

}  // namespace

THtmlControlTag ParseHtmlControlTag(StringView AAttributes) {
  return ParseControlTag(AAttributes, [](StringView AText) { return DecodeHtmlEntities(AText, true); });
}

void ParseHtmlControlTag(StringView AAttributes, String& AType, String& AID, String& AValue, String& AWidth,
                         String& AHeight, String& AProp, String& AMaxLen) {
  SplitControlTag(ParseHtmlControlTag(AAttributes), AType, AID, AValue, AWidth, AHeight, AProp, AMaxLen);
}

THtmlControlTag ParseGraphicsHtmlControlTag(StringView AAttributes) {
  return ParseControlTag(AAttributes, [](StringView AText) { return TNeoUtils::UnFixMarkup(AText, true); });
}

void ParseGraphicsHtmlControlTag(StringView AAttributes, String& AType, String& AID, String& AValue, String& AWidth,
                                 String& AHeight, String& AProp, String& AMaxLen) {
  SplitControlTag(ParseGraphicsHtmlControlTag(AAttributes), AType, AID, AValue, AWidth, AHeight, AProp, AMaxLen);
}

bool HasHtmlControls(StringView AText) {
  return NeoHTMLInternal::UpperText(AText).find(u"<CONTROL") != String::npos;
}

bool GetHtmlControlValue(StringView AText, StringView AID, String& AValue) {
  TControlTagPlace place;
  THtmlControlTag tag;
  const bool found = FindControl(AText, AID, place, tag);
  AValue = found ? std::move(tag.Value) : String();
  return found;
}

void GetHtmlControlProp(StringView AText, StringView AID, String& AProp) {
  TControlTagPlace place;
  THtmlControlTag tag;
  AProp = FindControl(AText, AID, place, tag) ? std::move(tag.Prop) : String();
}

Integer GetHtmlControlMaxLen(StringView AText, StringView AID) {
  TControlTagPlace place;
  THtmlControlTag tag;
  return FindControl(AText, AID, place, tag) ? StrToIntDef(tag.MaxLen, 0) : 0;
}

void NextHtmlEditControlId(StringView AText, StringView AID, String& ANextID) {
  ANextID.clear();
  TControlTagWalker walker(AText);
  TControlTagPlace place;
  bool passed = AID.empty();
  while (walker.Next(place)) {
    THtmlControlTag tag = ParseHtmlControlTag(place.Attributes);
    if (passed && IsEditable(tag)) {
      ANextID = std::move(tag.ID);
      return;
    }
    passed = passed || tag.ID == AID;
  }
}

bool SetHtmlControlValue(String& AText, StringView AID, StringView AValue) {
  TControlTagPlace place;
  THtmlControlTag tag;
  if (!FindControl(AText, AID, place, tag)) return false;
  String out(StringView(AText).substr(0, place.Begin));
  AppendControlTag(out, tag, EncodeHtmlEntities(AValue, true));
  out.append(StringView(AText).substr(place.End));
  AText = std::move(out);
  return true;
}

String ClearHtmlRadioControls(StringView AText) {
  String out;
  out.reserve(AText.size());
  TControlTagWalker walker(AText);
  TControlTagPlace place;
  std::size_t copied = 0;
  while (walker.Next(place)) {
    const THtmlControlTag tag = ParseHtmlControlTag(place.Attributes);
    if (tag.Type != u"RADIO") continue;
    out.append(AText.substr(copied, place.Begin - copied));
    AppendControlTag(out, tag, u"FALSE");
    copied = place.End;
  }
  out.append(AText.substr(copied));
  return out;
}
