#include "lib/gridutil/NeoGridUtilUnit.h"

#include <atomic>
#include <vector>

#include "lib/base/NeoBaseUnits.h"
#include "lib/base/NeoXPVS.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Units.h"

namespace {

std::atomic<TStrCmpLogicalWFunc> gStrCmpLogicalW{nullptr};

}  // namespace

TStrCmpLogicalWFunc GridUtilStrCmpLogicalW() { return gStrCmpLogicalW.load(); }

void InitializeGridUtilUnit() {
  TStrCmpLogicalWFunc found = nullptr;
  if (HMODULE shlwapi = GetModuleHandleW(u"shlwapi.dll"))
    found = reinterpret_cast<TStrCmpLogicalWFunc>(GetProcAddress(shlwapi, "StrCmpLogicalW"));
  gStrCmpLogicalW.store(found);
}

void FinalizeGridUtilUnit() { gStrCmpLogicalW.store(nullptr); }

void RegisterGridUtilUnits() {
  RegisterNeoXPVSUnit();
  RegisterUnit(u"NeoGridUtil", &InitializeGridUtilUnit, &FinalizeGridUtilUnit);
  RegisterNeoBaseUnits();
}

Integer CompareTextNatural(StringView A, StringView B) {
  const String a(A), b(B);   // zero-terminated for the platform call
  if (const TStrCmpLogicalWFunc bound = GridUtilStrCmpLogicalW()) return bound(a.c_str(), b.c_str());
  return StrCmpLogicalW(a.c_str(), b.c_str());
}

Integer GetFileVersion(StringView FileName) {
  Char name[260] = {};
  FileName.substr(0, 259).copy(name, 259);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(name, &handle);
  if (size == 0) return -1;
  std::vector<Byte> block(size);
  if (!GetFileVersionInfoW(name, handle, size, block.data())) return -1;
  void* buffer = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), u"\\", &buffer, &length) || !buffer || length < sizeof(VS_FIXEDFILEINFO))
    return -1;
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(buffer);
  if (info->dwSignature != VS_FFI_SIGNATURE) return -1;
  return static_cast<Integer>(info->dwFileVersionMS);
}
