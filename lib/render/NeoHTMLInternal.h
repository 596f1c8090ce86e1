#pragma once
// Internal to lib/render: the entity matcher behind every entity routine, and the walk over markup
// that tells tags, entities and characters apart.
#include <vector>

#include "platform/rtl/SysUtils.h"

namespace NeoHTMLInternal {

// Which entities a decoder recognises.
struct TEntityRules {
  bool Quot = false;      // "&quot;"
  bool Amp = false;       // "&amp;"
  bool LtGt = false;      // "&lt;" and "&gt;"
  bool Nbsp = false;      // "&nbsp;" (also a row of the named table)
  bool Named = false;     // the named table
  bool Numeric = false;   // "&#n;" and "&#xh;" naming a valid character
};

enum TEntityKind { ekNone, ekQuot, ekAmp, ekLt, ekGt, ekNbsp, ekNamed, ekNumeric };

struct TEntityMatch {
  TEntityKind Kind = ekNone;
  std::size_t Length = 0;   // from "&" to ";" inclusive
  char32_t Code = 0;        // the character it stands for
};

// The entity that starts at AText[APos] (an "&") under ARules; Kind ekNone when there is none.
TEntityMatch MatchEntity(StringView AText, std::size_t APos, const TEntityRules& ARules);

// Decodes every entity ARules recognise, left to right, each once. AAmpersand is what "&amp;"
// becomes. With ASkipEscapedAmpersands an "&&" is copied whole and never starts an entity.
String DecodeEntities(StringView AText, const TEntityRules& ARules, StringView AAmpersand = u"&",
                      bool ASkipEscapedAmpersands = false);

// Appends EncodeHtmlEntities (AText, ANamed).
void AppendEncodedEntities(String& AOut, StringView AText, bool ANamed);

// One piece of markup: a tag ("<" to the first ">" after it), an entity, or one character (a
// surrogate pair counts as one). A "<" with no ">" anywhere after it is a character, and so is a
// ">" outside a tag.
struct TMarkupPiece {
  enum TKind { mpChar, mpTag, mpEntity } Kind = mpChar;
  std::size_t Begin = 0;
  std::size_t End = 0;   // one past the last code unit
  char32_t Code = 0;     // the character (mpChar, mpEntity)
};

// Walks markup piece by piece. With ADecodeEntities, entities of DecodeHtmlEntities with the named
// table are pieces of their own; without, "&" is a plain character.
class TMarkupWalker {
public:
  TMarkupWalker(StringView AText, bool ADecodeEntities);
  bool Next(TMarkupPiece& APiece);

private:
  StringView FText;
  std::size_t FPos = 0;
  std::size_t FLastGreater;   // position of the last ">", npos when none
  bool FDecodeEntities;
};

// Finds a pattern in texts in time linear in their length (Knuth-Morris-Pratt).
class TTextSearcher {
public:
  explicit TTextSearcher(StringView APattern);
  // Position of the first match at or after AFrom; npos when none (always npos for an empty pattern).
  std::size_t Find(StringView AText, std::size_t AFrom = 0) const;

private:
  StringView FPattern;
  std::vector<std::size_t> FFailure;   // length of the longest proper border of each prefix
};

// AnsiUpperCase (simple case mapping by code point) with one code unit out for each code unit in,
// so that positions in the result are positions in the text.
String UpperText(StringView AText);

}  // namespace NeoHTMLInternal
