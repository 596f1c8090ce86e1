#pragma once
// The graphics facade's markup engine: the canvas engine's one line loop (NeoHTMLLayout.h) drawing,
// measuring and hit-testing through a TNeoGraphics with single-precision coordinates, in the
// facade's dialect of the markup language. Registered with the facade by RegisterNeoHTMLGraphicsUnit,
// it replaces the facade's plain-text fallback for markup.
#include "lib/graphics/NeoGraphics.h"

// Lays out AParams.AText in AParams.ARect on AParams.AGraphics: measures (ACheckHeight), draws, or
// hit-tests (ACheckHotSpot). Fill, stroke and font of the facade come back as they were. True when
// the point lies on a text run of an anchor, on a picture inside an anchor, or on a control.
bool DrawGraphicsHtmlText(TGraphicsHtmlDrawParams& AParams);

// The facade's preprocessing: with an "&" in the text, the entities are decoded by
// TNeoUtils::UnFixMarkup with its named table, except "&lt;" and "&gt;", which stay for the runs
// (so they never become tags); only the first "<#" loses its "<" and the next ">"; line feeds are
// dropped and carriage returns become "<BR>".
String PrepareGraphicsHtmlText(StringView AText);

// The entities of one text run: "&nbsp;" a blank, "&lt;" "<", "&gt;" ">" (in any case).
String DecodeGraphicsHtmlRunEntities(StringView ARun);

// Wraps every match of ASearch in the plain text of AText (TNeoUtils::HTMLStrip) in "<" + ATag +
// ">" and "</" + ATag + ">", inserted into the markup at the positions of the match's first
// character and just after its last (characters inside tags do not count). When the text holds the
// search text and its plain text holds "<" or ">", those are escaped as "&lt;" and "&gt;" in the
// plain text and the search, and the escaped plain text replaces the markup. Without
// ACaseSensitive both sides are compared upper-cased. An empty search leaves the text as it is.
void HighlightGraphicsHtmlText(const String& AText, const String& ASearch, const String& ATag, String& AResult,
                               bool ACaseSensitive);

// Registers DrawGraphicsHtmlText and HighlightGraphicsHtmlText with the graphics facade.
void RegisterNeoHTMLGraphicsUnit();
