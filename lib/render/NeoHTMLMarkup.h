#pragma once
// The markup language of the canvas markup engine: its named-entity and colour-name tables, colour
// values, the engine-wide highlight colours and line-break flag, the entity routines, and the
// preprocessing that a text goes through before it is laid out.
//
// Every routine here runs in one pass over its input (each character is looked at a bounded number
// of times), so texts of any length cost time in proportion to their length.
#include <span>

#include "platform/rtl/SysUtils.h"
#include "platform/ui/Graphics.h"

// ---------------------------------------------------------------------------------------------
// Tables

// One row of the named-entity table: the character and its entity text ("&eacute;").
struct THtmlEntity {
  Char Character;
  StringView Text;
};

// The 83 rows in table order. "&nbsp;" stands for the plain blank U+0020; "&sect;" and "&para;"
// stand twice (the later rows never match anything the earlier ones left).
std::span<const THtmlEntity> HtmlEntityTable();

// One row of the colour-name table.
struct THtmlNamedColor {
  StringView Name;
  TColor Color;
};

// The 172 rows sorted by name in ordinal order: the CSS named colours stored BGR and the system
// colours (0xFF000000 + index) under their short names ("btnface", "3ddkshadow").
std::span<const THtmlNamedColor> HtmlColorTable();

// ---------------------------------------------------------------------------------------------
// Colours

// "#RRGGBB": red, green and blue from the hexadecimal pairs at positions 2, 4 and 6 (either case);
// a pair that is missing or not hexadecimal counts 0. Red ends up in the low byte.
TColor HtmlHexColor(StringView AText);

// A "#RRGGBB" text as HtmlHexColor; any other text is a name: a leading "cl" is removed and the
// rest is looked up case-sensitively (callers lower-case first). An unknown name gives 0 (black).
TColor HtmlColorByName(StringView AText);

// The two colours of highlighted (HI) text, engine-wide; initially the system highlight colour
// (background) and highlight-text colour (text).
void SetHtmlHighlightColors(TColor AColor, TColor ATextColor);
TColor HtmlHighlightColor();
TColor HtmlHighlightTextColor();

// Engine-wide: whether line breaks of a markup text are kept when it is prepared for drawing
// (a carriage return becomes "<BR>"); when false, carriage returns and line feeds are dropped.
// The grid's HTMLKeepLineBreak setter writes it. Default true.
extern bool HtmlKeepLineBreaks;

// ---------------------------------------------------------------------------------------------
// Entities. Each entity of the input is recognised once, left to right: the text an entity
// decodes to is never read again as the start of another entity.

// "&" becomes "&amp;", the double quote "&quot;", "<" "&lt;" and ">" "&gt;". With ANamed, each
// character of the named table becomes the entity text of its first row (a blank "&nbsp;"), and
// every other character above U+0100 becomes "&#" + its decimal code point + ";" (a surrogate pair
// is one code point).
String EncodeHtmlEntities(StringView AText, bool ANamed);

// "&quot;", "&amp;", "&gt;" and "&lt;" become their characters. With ANamed also the entity texts
// of the named table, and the numeric references "&#n;" and "&#xh;" that EncodeHtmlEntities writes
// (a reference to no valid character stays as it is).
String DecodeHtmlEntities(StringView AText, bool ANamed);

// As DecodeHtmlEntities without "&gt;" and "&lt;", and without numeric references other than the
// three that are rows of the named table.
String DecodeQuotAmpEntities(StringView AText, bool ANamed);

// The entities of one text run of a prepared text: "&nbsp;" a blank, "&lt;" "<", "&gt;" ">",
// and the named table. An escaped ampersand "&&" is passed on whole (it is never the start of an
// entity).
String DecodeHtmlRunEntities(StringView AText);

// ---------------------------------------------------------------------------------------------
// Preprocessing, in the order PrepareHtmlText applies the steps

// Step 1: every "&amp;" becomes the escaped ampersand "&&"; "&quot;" and the named table decode
// to their characters (DecodeQuotAmpEntities with the named table). An "&&" already in the text is
// passed on whole.
String DecodeHtmlTextEntities(StringView AText);

// Step 2: every "<#" loses its "<", and the first ">" after it is dropped, so "<#12>" reads "#12".
String DropHashTagBrackets(StringView AText);

// Step 3: numeric character references "&#n;" and "&#xh;" (1 to 6 digits) become their characters;
// code points from 126980 (U+1F004) up become the emoji pseudo-tag "<J " + surrogate pair + " >".
// A reference ends at the first ";" within its first seven characters, else at the character after
// its digits, which goes with it; "&#" with no ";" anywhere after it stays and the scan goes on.
// An "&#" right after "&" (the escaped ampersand "&&#") ends the expansion: the rest stays as it
// is. References that are not numbers stay as text. Markup characters cannot be injected: a
// reference to "<" or ">" becomes "&lt;" or "&gt;", one to "&" the escaped ampersand "&&"; one to 0,
// to a surrogate or beyond U+10FFFF becomes U+FFFD.
String ExpandNumericEntities(StringView AText);

// Step 4: with AKeepLineBreaks every line feed is dropped and every carriage return becomes "<BR>";
// without, both are dropped.
String NormalizeHtmlLineBreaks(StringView AText, bool AKeepLineBreaks = true);

// The four steps in order, the last one under HtmlKeepLineBreaks (step 1 only when the text holds
// "&").
String PrepareHtmlText(StringView AText);
