#pragma once
// Globally unique identifiers in the platform's 16-byte layout (class, interface and format ids).
#include <cstdint>
#include <cstring>

struct GUID {
  std::uint32_t Data1 = 0;
  std::uint16_t Data2 = 0;
  std::uint16_t Data3 = 0;
  std::uint8_t Data4[8] = {};
};
static_assert(sizeof(GUID) == 16);

using TGUID = GUID;
using CLSID = GUID;
using IID = GUID;

inline bool operator==(const GUID& A, const GUID& B) { return std::memcmp(&A, &B, sizeof(GUID)) == 0; }
inline bool IsEqualGUID(const GUID& A, const GUID& B) { return A == B; }
