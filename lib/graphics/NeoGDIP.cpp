// The imported GDI+ wrapper set: imports, start-up and shutdown, allocation base, conversions.
#include "lib/graphics/NeoGDIP.h"

#include <cstring>
#include <new>

#include "lib/graphics/NeoGDIPInternal.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Units.h"

namespace NeoGDIP {

TGdipImports Imports;
gdip::GdiplusStartupInput StartupInput;
gdip::GdiplusStartupOutput StartupOutput;
gdip::ULONG_PTR GdiplusToken = 0;
gdip::ULONG_PTR NotificationHookToken = 0;

namespace {

bool gImported = false;

// Resolves one import; a missing one stops the program's start.
template <class F>
void Import(HMODULE AModule, const char* AName, F& AEntry) {
  AEntry = reinterpret_cast<F>(GetProcAddress(AModule, AName));
  if (!AEntry)
    throw Exception(u"The procedure entry point " + UTF8ToString(AName) +
                    u" could not be located in the library gdiplus.dll.");
}

void ImportAll() {
  HMODULE module = LoadLibraryW(u"gdiplus.dll");
  if (!module) throw Exception(u"The library gdiplus.dll could not be loaded: " + GetModuleLoadError());
  TGdipImports imports;
#define ZELK_NEOGDIP_IMPORT(Name) Import(module, #Name, imports.Name);
  ZELK_NEOGDIP_IMPORTS(ZELK_NEOGDIP_IMPORT)
#undef ZELK_NEOGDIP_IMPORT
  Imports = imports;
  // Imports stay bound for the life of the process: the module reference is never given back.
  gImported = true;
}

Status Startup() { return Imports.GdiplusStartup(&GdiplusToken, &StartupInput, &StartupOutput); }

void Initialize() {
  StartupInput = gdip::GdiplusStartupInput{};
  StartupInput.GdiplusVersion = 1;
  StartupInput.DebugEventCallback = nullptr;
  StartupInput.SuppressBackgroundThread = 1;
  StartupInput.SuppressExternalCodecs = 0;
  StartupOutput = gdip::GdiplusStartupOutput{};
  // Without the hooks (a failed start-up) there is nothing to install.
  if (Startup() == Ok && !IsWindows6OrLater() && StartupOutput.NotificationHook)
    StartupOutput.NotificationHook(&NotificationHookToken);
}

void Finalize() {
  if (IsLibrary) return;
  FreeGenericFontFamilies();
  if (!IsWindows6OrLater() && StartupOutput.NotificationUnhook) StartupOutput.NotificationUnhook(NotificationHookToken);
  Imports.GdiplusShutdown(GdiplusToken);
}

// Storage of a wrapper: a header that says where it came from, then the instance.
struct alignas(std::max_align_t) TStorageHeader {
  bool FromGdiplus;
};

}  // namespace

bool TImportBinding::Loaded() { return gImported; }

bool IsWindows6OrLater() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  return GetVersionExW(&info) && info.dwMajorVersion >= 6;
}

void* TGdiplusBase::operator new(std::size_t ASize) {
  const std::size_t total = sizeof(TStorageHeader) + ASize;
  // Before the imports are bound (the unit not started) the heap serves, and the wrapper's calls
  // answer GdiplusNotInitialized.
  void* storage = TImportBinding::Loaded() ? Imports.GdipAlloc(total) : nullptr;
  if (!storage && TImportBinding::Loaded()) {
    Startup();
    storage = Imports.GdipAlloc(total);
  }
  const bool fromGdiplus = storage != nullptr;
  if (!storage) storage = ::operator new(total);
  std::memset(storage, 0, total);
  static_cast<TStorageHeader*>(storage)->FromGdiplus = fromGdiplus;
  return static_cast<TStorageHeader*>(storage) + 1;
}

void TGdiplusBase::operator delete(void* AStorage) {
  if (!AStorage) return;
  auto* header = static_cast<TStorageHeader*>(AStorage) - 1;
  if (header->FromGdiplus) Imports.GdipFree(header);
  else ::operator delete(header);
}

// ---- Conversions ----

ARGB ColorToARGB(Byte AAlpha, TColor AColor) {
  const COLORREF rgb = ColorToRGB(AColor);
  return PackARGB(AAlpha, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

ARGB ColorToOpaqueARGB(TColor AColor) { return ColorToARGB(255, AColor); }

}  // namespace NeoGDIP

void RegisterNeoGDIPUnit() {
  NeoGDIP::ImportAll();
  RegisterUnit(u"NeoGDIP", &NeoGDIP::Initialize, &NeoGDIP::Finalize);
}
