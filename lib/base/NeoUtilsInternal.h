#pragma once
// Helpers shared by the TNeoUtils source files; not part of the library's interface.
#include "platform/rtl/System.h"

namespace NeoUtilsInternal {

// The value of a hexadecimal digit (either case); -1 for any other character.
constexpr int HexValue(Char C) {
  if (C >= u'0' && C <= u'9') return C - u'0';
  if (C >= u'a' && C <= u'f') return C - u'a' + 10;
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  return -1;
}

constexpr Char UpperHexDigit(unsigned Value) { return static_cast<Char>(Value < 10 ? u'0' + Value : u'A' + Value - 10); }

// 1-based position of the ")" at which the count of ")" first equals the count of "(" seen from
// the start (both at least one); 0 when none. With OutsideQuotes, parentheses between double
// quotes do not count.
inline Integer BalancingParenthesis(StringView S, bool OutsideQuotes) {
  Integer opened = 0;
  Integer closed = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < S.size(); ++i) {
    const Char c = S[i];
    if (OutsideQuotes && c == u'"') quoted = !quoted;
    if (quoted) continue;
    if (c == u'(') {
      ++opened;
    } else if (c == u')') {
      ++closed;
      if (opened > 0 && closed == opened) return static_cast<Integer>(i + 1);
    }
  }
  return 0;
}

}  // namespace NeoUtilsInternal
