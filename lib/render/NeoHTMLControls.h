#pragma once
// Form controls embedded in markup: reading and rewriting CONTROL tags.
//
// A CONTROL tag is "<CONTROL" followed by a blank and attributes written NAME="value": TYPE (EDIT,
// PASSWORD, MASK, COMBO, CHECK, RADIO or BUTTON), ID, VALUE (entity-encoded; "TRUE" checks a CHECK
// or RADIO; a BUTTON's caption), WIDTH and HEIGHT in pixels before device scaling, PROP (free text
// for the grid, entity-encoded) and MAXLEN. The routines walk the tags that "<CONTROL " starts (in
// any case); a tag's attribute text runs to the first ">", or to the end of the text. IDs compare
// case-sensitively. Malformed markup never raises: a missing attribute reads as empty.
#include "platform/rtl/SysUtils.h"

// The attributes of one CONTROL tag, as ParseHtmlControlTag reads them.
struct THtmlControlTag {
  String Type;     // upper-cased
  String ID;
  String Value;    // decoded
  String Width;
  String Height;
  String Prop;     // decoded
  String MaxLen;
};

// Reads the attributes from a tag's attribute text: each is found by searching "TYPE=", "WIDTH=",
// "HEIGHT=", "ID=", "VALUE=", "PROP=", "MAXLEN=" in the upper-cased text, and its value is the text
// between the first pair of double quotes after it, as written. VALUE and PROP are decoded with
// DecodeHtmlEntities and the named table.
THtmlControlTag ParseHtmlControlTag(StringView AAttributes);
void ParseHtmlControlTag(StringView AAttributes, String& AType, String& AID, String& AValue, String& AWidth,
                         String& AHeight, String& AProp, String& AMaxLen);

// As ParseHtmlControlTag, with VALUE and PROP decoded by TNeoUtils::UnFixMarkup with its named
// table (the graphics facade's markup).
THtmlControlTag ParseGraphicsHtmlControlTag(StringView AAttributes);
void ParseGraphicsHtmlControlTag(StringView AAttributes, String& AType, String& AID, String& AValue, String& AWidth,
                                 String& AHeight, String& AProp, String& AMaxLen);

// True when the text holds "<CONTROL" in any case.
bool HasHtmlControls(StringView AText);

// The decoded VALUE of the first tag with that ID; false when there is none.
bool GetHtmlControlValue(StringView AText, StringView AID, String& AValue);

// The decoded PROP of the first tag with that ID; empty when there is none.
void GetHtmlControlProp(StringView AText, StringView AID, String& AProp);

// The MAXLEN of the first tag with that ID; 0 when there is no such tag or no number.
Integer GetHtmlControlMaxLen(StringView AText, StringView AID);

// The ID of the first editable tag (TYPE other than BUTTON, CHECK and RADIO) after the first tag
// with ID AID, or of the first editable tag when AID is empty; empty when there is none. The walk
// never wraps around to the start.
void NextHtmlEditControlId(StringView AText, StringView AID, String& ANextID);

// Rewrites the first tag with that ID as
//   <CONTROL ID="id" VALUE="value" WIDTH="w" TYPE="t" HEIGHT="h" PROP="p" MAXLEN="m">
// with AValue encoded with EncodeHtmlEntities and the named table (so it holds no blank), and
// HEIGHT, PROP (encoded again) and MAXLEN only when the old tag had them. Everything else of the
// text stays. False, with the text unchanged, when no tag has that ID.
bool SetHtmlControlValue(String& AText, StringView AID, StringView AValue);

// The text with the VALUE of every RADIO tag set to "FALSE", each tag rewritten as by
// SetHtmlControlValue.
String ClearHtmlRadioControls(StringView AText);
