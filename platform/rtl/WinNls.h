#pragma once
// kernel32's string folding, on ICU's normalisation.
#include "platform/rtl/SysInfo.h"

constexpr DWORD MAP_COMPOSITE = 0x00000040;   // precomposed characters become base + combining marks

// Folds SrcStr (cchSrc units, or up to and including its terminating zero when cchSrc is -1) into
// DestStr. Only MAP_COMPOSITE is supported: the canonical decomposition (NFD), so "é" becomes
// "e" U+0301. Returns the units written, or with cchDest 0 the units needed; 0 and a last error
// (ERROR_INVALID_FLAGS, ERROR_INVALID_PARAMETER, ERROR_INSUFFICIENT_BUFFER) otherwise.
int FoldStringW(DWORD dwMapFlags, LPCWSTR lpSrcStr, int cchSrc, LPWSTR lpDestStr, int cchDest);
