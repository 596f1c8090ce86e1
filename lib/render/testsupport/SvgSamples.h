#pragma once
// The sample SVG files beside the render tests: their folder, with a trailing slash.
#include <string>

#include "platform/rtl/System.h"

inline String SvgSamples() { return UTF8ToString(ZELK_TEST_DATA) + u"/svg/"; }
inline std::string SvgSamplesU8() { return std::string(ZELK_TEST_DATA) + "/svg/"; }
