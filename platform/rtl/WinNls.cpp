#include "platform/rtl/WinNls.h"

#include <unicode/unorm2.h>

#include <string>

static_assert(sizeof(UChar) == sizeof(Char));

int FoldStringW(DWORD dwMapFlags, LPCWSTR lpSrcStr, int cchSrc, LPWSTR lpDestStr, int cchDest) {
  if (dwMapFlags != MAP_COMPOSITE) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  if (!lpSrcStr || cchSrc == 0 || cchSrc < -1 || cchDest < 0 || (cchDest > 0 && !lpDestStr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // With -1 the terminating zero is folded too (to itself), so it counts in the result.
  const int length = cchSrc == -1 ? static_cast<int>(std::char_traits<Char>::length(lpSrcStr)) + 1 : cchSrc;
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfd = unorm2_getNFDInstance(&status);
  if (U_FAILURE(status)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const auto* source = reinterpret_cast<const UChar*>(lpSrcStr);
  auto* target = reinterpret_cast<UChar*>(lpDestStr);
  const int32_t needed = unorm2_normalize(nfd, source, length, cchDest > 0 ? target : nullptr, cchDest, &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    if (cchDest == 0) return needed;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (U_FAILURE(status)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return needed;
}
