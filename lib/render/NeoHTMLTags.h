#pragma once
// Reading the tags of the markup language: which tag a "<" opens, and the values of its
// attributes. What a tag does is the engine's business; how it is recognised is decided here, once
// for every engine that reads the language.
//
// Tags are never compared in full: the first letter after "<" (or "</"), and for some letters the
// character after it, choose the tag. So a tag named ABBR is an anchor, COLGROUP a control, "B"
// alone is bold while BL and BO are blink and body.
#include "platform/rtl/SysUtils.h"

enum THtmlTagKind {
  htUnknown,         // no meaning: consumed and ignored
  htAnchor,          // A
  htBold,            // B alone
  htLineBreak,       // BR
  htBlink,           // BL; closing: BL
  htBody,            // BO; closing: B followed by any other letter
  htControl,         // C
  htError,           // E
  htFont,            // F
  htHighlight,       // HI; closing: any H
  htRule,            // HR
  htItalic,          // I alone; closing: any I
  htIndent,          // IN
  htImage,           // IM
  htEmoji,           // J (the pseudo-tag "<J " + two characters + " >")
  htListItem,        // L
  htOrderedList,     // OL; closing: O followed by a letter
  htParagraph,       // P
  htRotate,          // R
  htStrike,          // S alone, ST; closing: any S tag other than SU, SP and SH
  htSpan,            // SP
  htShadow,          // SH
  htSubscript,       // a tag text starting "<SUB>"; closing: SU (ends subscript and superscript)
  htSuperscript,     // a tag text starting "<SUP>"
  htUnderline,       // U alone
  htUnorderedList,   // UL; closing: U followed by a letter
  htHidden,          // Z
};

struct THtmlTag {
  THtmlTagKind Kind = htUnknown;
  bool Closing = false;
  Char Letter = 0;    // the first character after "<" or "</", ASCII letters upper-cased
  Char Next = 0;      // the character after it, ASCII letters upper-cased
  StringView Text;    // the whole tag, "<" to ">"

  // The tag text after the name (the letters after "<" or "</"), without the final ">".
  StringView Attributes() const;
};

// Reads the tag that starts ARest (a "<"). False when the text ends there instead: fewer than three
// characters from the "<" on, or no ">" after it (quotes do not protect a ">"); the engine then
// drops the rest of the text. A tag is closing when its second character is "/" and it is longer
// than three characters.
bool ReadHtmlTag(StringView ARest, THtmlTag& ATag);

// Whether AText starts with AUpperPrefix (upper-case ASCII), ASCII letters compared without case.
bool StartsWithNoCase(StringView AText, StringView AUpperPrefix);

// Attribute values of a tag. An attribute is found by searching its name anywhere in the upper-cased
// attribute text (a name inside another value is found too); its value is the text between the
// first pair of double quotes after the name, read from the upper-cased text or as written. A value
// without quotes reads as the next quoted value, or empty.
class THtmlAttributes {
public:
  explicit THtmlAttributes(StringView AText);

  // Whether the name occurs (compared without case).
  bool Has(StringView AName) const;
  String Value(StringView AName) const;            // upper-cased
  String ValueAsWritten(StringView AName) const;   // as written
  // Everything after the first occurrence of the name; empty when it does not occur.
  StringView After(StringView AName, bool AAsWritten = false) const;
  // The value of the first pair of double quotes in the whole text.
  String FirstQuoted(bool AAsWritten = false) const;

  StringView Text() const { return FText; }
  StringView Upper() const { return FUpper; }

private:
  std::size_t EndOf(StringView AName) const;   // position after the name; npos when absent
  StringView Quoted(std::size_t AFrom, bool AAsWritten) const;

  StringView FText;
  String FUpper;   // same length as FText: upper-casing keeps every code unit count
};
