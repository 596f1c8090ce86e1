#pragma once
// Text routines over markup: blanks to "&nbsp;", markup to plain text, and search highlighting with
// tags wrapped around the matches.
#include "platform/rtl/SysUtils.h"

// Every blank becomes "&nbsp;".
String SpacesToNbsp(StringView AText);

// "<BR>" and "<HR>" (any case) become CR LF, then every tag from "<" to the next ">" is dropped; a
// "<" with no ">" after it keeps the rest of the text. A ">" outside a tag is text.
String HtmlToPlainText(StringView AText);

// Every tag from "<" to the next ">" dropped; from a "<" with no ">" after it the rest stays.
String StripHtmlTags(StringView AText);

// Wraps every match of ASearch in the plain text of AText in "<" + ATag + ">" and "</" + ATag + ">"
// (the tag name upper-cased), after removing the tags of that name already there.
//
// A text without "</" is plain text: it is compared as it stands and, when something matches,
// returned entity-encoded (EncodeHtmlEntities without the named table) with the matches wrapped.
// A text with "</" is markup: it is compared without its tags and with its entities decoded (each
// entity counts as the character it stands for); the markup is copied unchanged, tags and entities
// whole, with the tags inserted around each match, and every tag met inside a match other than a
// closing FONT tag is followed by a closing and a new opening tag.
// AWholeText wraps the whole text, and only when all of it matches (a plain text is then encoded
// with the named table). Without ACaseSensitive both sides are compared upper-cased. An empty
// search changes nothing beyond removing the old tags.
String HighlightHtmlText(StringView AText, StringView ASearch, StringView ATag, bool ACaseSensitive,
                         bool AWholeText);

// AText without any opening or closing tag of that name (in any case). When that leaves a text that
// held "</" without any, "&quot;", "&amp;", "&gt;" and "&lt;" are decoded: a plain text that
// HighlightHtmlText encoded comes back as it was.
String UnhighlightHtmlText(StringView AText, StringView ATag);
