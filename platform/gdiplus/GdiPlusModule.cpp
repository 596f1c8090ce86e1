// The "gdiplus.dll" module: libgdiplus opened by name, its flat functions exported by name, with
// the bridge's replacements in front.
#include <dlfcn.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <type_traits>
#include <string>
#include <unordered_map>

#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/gdiplus/GdiPlusInternal.h"
#include "platform/rtl/Modules.h"

namespace gdip::bridge {

namespace {

TLibrary gLibrary;
// What each export calls: the bridge's replacement or the library's own function.
TLibrary gTargets;
std::atomic<bool> gStarted{false};

template <class F>
struct TResultOf;
template <class R, class... A>
struct TResultOf<R (*)(A...)> {
  using Type = R;
};

// An export that answers GdiplusNotInitialized while GDI+ is not started, else calls its target.
template <auto Member>
struct TGuard;
template <class... A, Status (*TLibrary::*Member)(A...)>
struct TGuard<Member> {
  static Status Call(A... AArgs) {
    if (!gStarted.load(std::memory_order_acquire)) return GdiplusNotInitialized;
    return (gTargets.*Member)(AArgs...);
  }
};

template <auto Member>
void* ExportOf(bool AGuarded) {
  using TPointer = std::remove_reference_t<decltype(gTargets.*Member)>;
  if (!(gTargets.*Member)) return nullptr;
  if constexpr (std::is_same_v<typename TResultOf<TPointer>::Type, Status>) {
    if (AGuarded) return reinterpret_cast<void*>(&TGuard<Member>::Call);
  }
  return reinterpret_cast<void*>(gTargets.*Member);
}

// The libraries opened so far stay open for the life of the process: libgdiplus keeps state
// (fonts, codecs, threads of its dependencies) that does not survive unloading.
void* OpenLibrary(const std::string& AName) {
  static std::mutex lock;
  static std::unordered_map<std::string, void*> opened;
  std::lock_guard guard(lock);
  if (auto it = opened.find(AName); it != opened.end()) return it->second;
  void* handle = dlopen(AName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle) opened.emplace(AName, handle);
  return handle;
}

template <class F>
void Resolve(void* AHandle, const char* AName, F& AField) {
  AField = reinterpret_cast<F>(dlsym(AHandle, AName));
}

void FillLibrary(void* AHandle) {
#define ZELK_GDIPLUS_RESOLVE(Result, Name, Params) Resolve(AHandle, #Name, gLibrary.Name);
  ZELK_GDIPLUS_FLAT(ZELK_GDIPLUS_RESOLVE)
#undef ZELK_GDIPLUS_RESOLVE
  Resolve(AHandle, "GdipLoadImageFromDelegate_linux", gLibrary.LoadImageFromDelegate);
  Resolve(AHandle, "GdipSaveImageToDelegate_linux", gLibrary.SaveImageToDelegate);
}

template <class F>
void SetTarget(F& ATarget, void* AOverride) {
  if (AOverride) ATarget = reinterpret_cast<F>(AOverride);
}

std::unordered_map<std::string_view, void*> Overrides() {
  std::unordered_map<std::string_view, void*> table;
  for (auto list : {StartupOverrides(), GraphicsOverrides(), StreamOverrides(), HandleOverrides(), EmulatedOverrides()})
    for (const TOverride& o : list) table[o.Name] = o.Address;
  return table;
}

bool BuildExports(const std::string& ALibrary, std::vector<TModuleExport>& AExports) {
  void* handle = OpenLibrary(ALibrary);
  if (!handle) return false;
  FillLibrary(handle);
  static const std::unordered_map<std::string_view, void*> overrides = Overrides();
  auto overrideOf = [](const char* AName) {
    auto o = overrides.find(AName);
    return o == overrides.end() ? nullptr : o->second;
  };
  gTargets = gLibrary;
#define ZELK_GDIPLUS_TARGET(Result, Name, Params) SetTarget(gTargets.Name, overrideOf(#Name));
  ZELK_GDIPLUS_FLAT(ZELK_GDIPLUS_TARGET)
#undef ZELK_GDIPLUS_TARGET
  // Start-up and shutdown work whether GDI+ is started or not.
  auto guarded = [](const char* AName) {
    return std::strcmp(AName, "GdiplusStartup") != 0 && std::strcmp(AName, "GdiplusShutdown") != 0;
  };
#define ZELK_GDIPLUS_EXPORT(Result, Name, Params)                                   \
  if (void* address = ExportOf<&TLibrary::Name>(guarded(#Name)))                   \
    AExports.push_back(TModuleExport{#Name, address});
  ZELK_GDIPLUS_FLAT(ZELK_GDIPLUS_EXPORT)
#undef ZELK_GDIPLUS_EXPORT
  return true;
}

}  // namespace

const TLibrary& Lib() { return gLibrary; }

void SetStarted(bool AStarted) { gStarted.store(AStarted, std::memory_order_release); }

}  // namespace gdip::bridge

void RegisterGdiplusModule(const std::string& ALibrary) {
  RegisterBuiltinModuleLoader(u"gdiplus.dll", [ALibrary](std::vector<TModuleExport>& AExports) {
    return gdip::bridge::BuildExports(ALibrary, AExports);
  });
}
