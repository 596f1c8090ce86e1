#pragma once
// Shared pieces of the libFuzzer targets: reading the input as text, cutting it into fields, and
// reporting a finding (a broken promise aborts, so libFuzzer keeps the input that caused it).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/System.h"

namespace fuzz {

// Prints what went wrong, with up to two texts involved, and aborts.
[[noreturn]] inline void Finding(const char* AWhat, StringView AFirst = {}, StringView ASecond = {}) {
  std::fprintf(stderr, "finding: %s\n", AWhat);
  if (!AFirst.empty()) std::fprintf(stderr, "  \"%s\"\n", UTF8Encode(AFirst).c_str());
  if (!ASecond.empty()) std::fprintf(stderr, "  \"%s\"\n", UTF8Encode(ASecond).c_str());
  std::abort();
}

// The bytes as little-endian UTF-16 code units (an odd last byte is dropped), so U+0000 and lone
// surrogates occur.
inline String Utf16(const std::uint8_t* AData, std::size_t ASize) {
  String text;
  text.reserve(ASize / 2);
  for (std::size_t i = 0; i + 1 < ASize; i += 2) text += static_cast<Char>(AData[i] | (AData[i + 1] << 8));
  return text;
}

// The bytes read as UTF-8 (bytes that are no UTF-8 become U+FFFD).
inline String Utf8(const std::uint8_t* AData, std::size_t ASize) {
  return UTF8ToString(std::string_view(reinterpret_cast<const char*>(AData), ASize));
}

// The text cut at its first ACount - 1 occurrences of ASeparator into ACount fields (missing
// fields are empty; the last one keeps any further separators).
inline std::vector<String> Fields(StringView AText, Char ASeparator, std::size_t ACount) {
  std::vector<String> fields(1);
  for (Char c : AText) {
    if (c == ASeparator && fields.size() < ACount) fields.emplace_back();
    else fields.back() += c;
  }
  fields.resize(ACount);
  return fields;
}

// A file of this process for the targets that need one: in /dev/shm when it is there (files are
// written with fsync, which costs nothing in memory), else in /tmp.
inline String ScratchFile(const char* AName) {
  static const String folder = access("/dev/shm", W_OK) == 0 ? u"/dev/shm/" : u"/tmp/";
  return folder + u"zelk-" + UTF8ToString(AName) + u"-" + UTF8ToString(std::to_string(getpid()));
}

}  // namespace fuzz
