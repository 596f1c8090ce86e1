#pragma once
// Unicode simple case mapping and base letters, by code point, without the C locale. Covers Latin
// (Basic, Latin-1, Extended-A, the regular parts of Extended-B and Extended Additional), Greek,
// Cyrillic, Armenian, Glagolitic, Roman numerals, circled and full-width letters and Deseret.
#include "platform/rtl/System.h"

char32_t UnicodeToUpper(char32_t C);
char32_t UnicodeToLower(char32_t C);
// The letter without its diacritic, lower case (for Latin-1 and Latin Extended-A), else the
// lower-case form of C: the primary key of the runtime's collation.
char32_t UnicodeBaseLetter(char32_t C);

// Reads the code point at S[I] (a surrogate pair counts once; a lone surrogate stands for itself)
// and advances I past it.
inline char32_t NextCodePoint(StringView S, std::size_t& I) {
  char32_t C = S[I++];
  if (C >= 0xD800 && C <= 0xDBFF && I < S.size() && S[I] >= 0xDC00 && S[I] <= 0xDFFF)
    C = 0x10000 + ((C - 0xD800) << 10) + (S[I++] - 0xDC00);
  return C;
}

inline void AppendCodePoint(String& S, char32_t C) {
  if (C >= 0x10000) {
    C -= 0x10000;
    S += static_cast<Char>(0xD800 + (C >> 10));
    S += static_cast<Char>(0xDC00 + (C & 0x3FF));
  } else {
    S += static_cast<Char>(C);
  }
}
