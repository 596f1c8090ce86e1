#pragma once
// Helpers shared by the grid utility routines' own files; not for other layers.
#include "platform/rtl/System.h"

namespace GridUtilInternal {

// A whole decimal integer: an optional sign and 1 to 9 digits '0'..'9', nothing else (no blanks,
// no hexadecimal), so that every accepted text fits an Integer.
inline bool TryWholeDecimal(StringView Text, std::int32_t& Value) {
  std::size_t i = 0;
  const bool negative = !Text.empty() && Text[0] == u'-';
  if (!Text.empty() && (Text[0] == u'-' || Text[0] == u'+')) ++i;
  const std::size_t digits = Text.size() - i;
  if (digits == 0 || digits > 9) return false;
  std::int32_t v = 0;
  for (; i < Text.size(); ++i) {
    if (Text[i] < u'0' || Text[i] > u'9') return false;
    v = v * 10 + (Text[i] - u'0');
  }
  Value = negative ? -v : v;
  return true;
}

}  // namespace GridUtilInternal
