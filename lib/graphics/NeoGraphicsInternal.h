#pragma once
// Helpers shared by the graphics layer's own sources.
#include <cmath>
#include <limits>

#include "platform/rtl/System.h"

namespace NeoGraphicsInternal {

// The nearest integer (halves to even), clamped to the Integer range; 0 for NaN.
inline Integer NearestInt(Double X) {
  if (std::isnan(X)) return 0;
  const Double r = std::nearbyint(X);
  if (r >= static_cast<Double>(std::numeric_limits<Integer>::max())) return std::numeric_limits<Integer>::max();
  if (r <= static_cast<Double>(std::numeric_limits<Integer>::min())) return std::numeric_limits<Integer>::min();
  return static_cast<Integer>(r);
}

}  // namespace NeoGraphicsInternal
