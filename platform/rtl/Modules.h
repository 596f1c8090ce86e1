#pragma once
// Loading libraries by their platform name. A name ("gds32.dll", "UXTHEME.DLL", "kernel32"; case
// and ".dll" do not matter) resolves, in this order, to:
//   1. missing, when ZELK_MISSING_MODULES ("gds32.dll;uxtheme.dll") or SetModuleMissing says so;
//   2. a shared library named by ZELK_MODULE_ALIAS ("gds32.dll=/opt/fb/libfbclient.so;...");
//   3. a built-in module: an export table the program registered (RegisterBuiltinModule);
//   4. a shared library from the alias table (RegisterModuleAlias; "gds32.dll" is
//      "libfbclient.so.2" from the start);
//   5. otherwise the name itself, handed to dlopen (a path or a shared-object name).
// Single exports can be hidden with ZELK_MISSING_EXPORTS ("uxtheme.dll:OpenThemeDataForDpi;...")
// or SetExportMissing. Modules are reference counted: each LoadLibraryW needs a FreeLibrary.
// The runtime registers "ntdll.dll" (RtlGetVersion), "kernel32.dll" (GetLocaleInfoEx) and
// "shlwapi.dll" (StrCmpLogicalW), all loaded from the start like the platform's own.
#include <dlfcn.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/rtl/SysInfo.h"

using HMODULE = void*;
using FARPROC = void*;

struct TModuleExport {
  const char* Name;
  void* Address;
};

// Loads (or counts another reference to) the module; nullptr with GetLastError
// ERROR_MOD_NOT_FOUND when it cannot be found.
HMODULE LoadLibraryW(const String& LibFileName);
// The handle of a module that is loaded already, without counting a reference; nullptr otherwise.
HMODULE GetModuleHandleW(const String& ModuleName);
// The export's address; nullptr with ERROR_PROC_NOT_FOUND (or ERROR_INVALID_HANDLE).
FARPROC GetProcAddress(HMODULE Module, const char* ProcName);
// Releases one reference; the module unloads with the last. FALSE for an unknown handle.
BOOL FreeLibrary(HMODULE LibModule);
// The dynamic loader's message for the last failed load on this thread (empty if none).
String GetModuleLoadError();

// Registers the export table of a module that the program provides itself. Preloaded modules
// (the platform's own, loaded in every process) answer GetModuleHandleW before any LoadLibraryW
// and never unload. Registering a name again replaces the table for later loads.
void RegisterBuiltinModule(const String& Name, std::initializer_list<TModuleExport> Exports,
                           bool Preloaded = false);
void RegisterBuiltinModule(const String& Name, const std::vector<TModuleExport>& Exports,
                           bool Preloaded = false);
void UnregisterBuiltinModule(const String& Name);
// A built-in module whose export table is made when the module is first loaded (or loaded again
// after its last FreeLibrary): Load fills the table, or returns false and the load fails with
// ERROR_MOD_NOT_FOUND. Load runs with the loader's lock held and must not call the loader.
using TModuleLoader = std::function<bool(std::vector<TModuleExport>& Exports)>;
void RegisterBuiltinModuleLoader(const String& Name, TModuleLoader Load);
// Maps a platform name onto a shared library opened with dlopen(SoName, Flags).
void RegisterModuleAlias(const String& Name, const std::string& SoName, int DlopenFlags = RTLD_NOW | RTLD_LOCAL);

// Process-wide switches beside the environment variables (for tests within one process).
void SetModuleMissing(const String& Name, bool Missing);
void SetExportMissing(const String& ModuleName, const std::string& ExportName, bool Missing);
