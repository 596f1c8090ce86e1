#pragma once
// Text as UTF-8, for test messages and comparisons with narrow literals.
#include <string>

#include "platform/rtl/System.h"

inline std::string U8(StringView S) { return UTF8Encode(S); }
