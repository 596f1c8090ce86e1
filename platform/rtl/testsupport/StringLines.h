#pragma once
// A string list's lines as a vector, to compare the whole list in one expectation.
#include <vector>

#include "platform/rtl/StringLists.h"

inline std::vector<String> Lines(TStrings& List) {
  std::vector<String> lines;
  for (const String& s : List) lines.push_back(s);
  return lines;
}
