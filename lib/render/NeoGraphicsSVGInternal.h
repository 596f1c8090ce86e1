#pragma once
// Helpers shared by the SVG parser's sources.
#include <vector>

#include "lib/render/NeoGraphicsSVGEngine.h"
#include "platform/rtl/SysUtils.h"

// Publishes TNeoGraphicsSVGElement's properties (once; the unit's start-up calls it).
void RegisterNeoGraphicsSVGRtti();

namespace NeoSVG {

// The transforms of the enclosing containers and texts (nearest first, up to the first parent of
// another kind); all-zero matrices are skipped.
TNeoGraphicsMatrix ContainerMatrix(const TNeoGraphicsSVGElement& AElement);

// The value as a 32-bit float; 0 when that is not finite.
Single Finite(Double AValue);

inline std::vector<String> Split(StringView AText, Char ASeparator) {
  std::vector<String> items;
  std::size_t start = 0;
  for (;;) {
    const std::size_t p = AText.find(ASeparator, start);
    items.emplace_back(AText.substr(start, p == StringView::npos ? StringView::npos : p - start));
    if (p == StringView::npos) break;
    start = p + 1;
  }
  return items;
}

inline std::vector<String> SplitNonEmpty(StringView AText, Char ASeparator) {
  std::vector<String> items = Split(AText, ASeparator);
  std::erase_if(items, [](const String& s) { return s.empty(); });
  return items;
}

// The characters after the first AOpen up to the first AClose (Pos and Copy semantics: the
// text from the start when AOpen is missing, "" when AClose comes first or is missing).
inline String Between(const String& AText, StringView AOpen, StringView AClose) {
  const Integer open = Pos(AOpen, AText);
  const Integer start = open > 0 ? open + static_cast<Integer>(AOpen.size()) : 1;
  const Integer close = Pos(AClose, AText);
  return close > start ? Copy(AText, start, close - start) : String();
}

}  // namespace NeoSVG
