#include "platform/rtl/Modules.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <unordered_map>

#include "platform/rtl/StrUtils.h"
#include "platform/rtl/SysUtils.h"

namespace {

using TExportTable = std::unordered_map<std::string, void*>;

struct TBuiltin {
  std::shared_ptr<const TExportTable> Exports;
  bool Preloaded = false;
  TModuleLoader Loader;   // set: the table is made at each first load
};

struct TAlias {
  std::string SoName;
  int Flags = RTLD_NOW | RTLD_LOCAL;
};

// One loaded module: either a built-in table or a dlopen handle.
struct TLoadedModule {
  String Key;
  std::shared_ptr<const TExportTable> Exports;
  void* Library = nullptr;
  int References = 0;
  bool Preloaded = false;
};

struct TModuleTable {
  std::mutex Lock;
  std::map<String, TBuiltin> Builtins;
  std::map<String, TAlias> Aliases;
  std::set<String> Missing;
  std::set<std::pair<String, std::string>> MissingExports;
  std::map<std::uintptr_t, TLoadedModule> Loaded;
  std::map<String, std::uintptr_t> LoadedByKey;
  std::uintptr_t NextHandle = 0x10000;
};

thread_local String gLoadError;

std::vector<String> SplitList(const String& text) {
  std::vector<String> items;
  String item;
  auto flush = [&] {
    String t = Trim(item);
    if (!t.empty()) items.push_back(t);
    item.clear();
  };
  for (Char c : text) {
    if (c == u';' || c == u',') flush();
    else item += c;
  }
  flush();
  return items;
}

bool EnvModuleMissing(const String& key) {
  for (const auto& name : SplitList(GetEnvironmentVariable(u"ZELK_MISSING_MODULES")))
    if (ModuleKeyName(name) == key) return true;
  return false;
}

bool EnvExportMissing(const String& key, const std::string& exportName) {
  for (const auto& entry : SplitList(GetEnvironmentVariable(u"ZELK_MISSING_EXPORTS"))) {
    auto colon = entry.find(u':');
    if (colon == String::npos) continue;
    if (ModuleKeyName(Trim(entry.substr(0, colon))) == key && UTF8Encode(Trim(entry.substr(colon + 1))) == exportName)
      return true;
  }
  return false;
}

bool EnvAlias(const String& key, std::string& soName) {
  for (const auto& entry : SplitList(GetEnvironmentVariable(u"ZELK_MODULE_ALIAS"))) {
    auto eq = entry.find(u'=');
    if (eq == String::npos) continue;
    if (ModuleKeyName(Trim(entry.substr(0, eq))) == key) {
      soName = UTF8Encode(Trim(entry.substr(eq + 1)));
      return true;
    }
  }
  return false;
}

std::shared_ptr<const TExportTable> MakeTable(const std::vector<TModuleExport>& exports) {
  auto table = std::make_shared<TExportTable>();
  for (const auto& e : exports)
    if (e.Name) (*table)[e.Name] = e.Address;
  return table;
}

// Call with the lock held.
std::uintptr_t AddLoaded(TModuleTable& t, TLoadedModule module) {
  t.NextHandle += 0x1000;
  t.LoadedByKey[module.Key] = t.NextHandle;
  t.Loaded.emplace(t.NextHandle, std::move(module));
  return t.NextHandle;
}

// Call with the lock held.
void SetBuiltin(TModuleTable& t, const String& key, std::shared_ptr<const TExportTable> exports, bool preloaded) {
  t.Builtins[key] = TBuiltin{exports, preloaded, nullptr};
  auto it = t.LoadedByKey.find(key);
  if (it != t.LoadedByKey.end()) {
    auto& loaded = t.Loaded.at(it->second);
    if (!loaded.Library) loaded.Exports = exports;   // a loaded built-in sees its new table
    if (preloaded && !loaded.Preloaded) {
      loaded.Preloaded = true;
      ++loaded.References;
    }
  } else if (preloaded) {
    AddLoaded(t, TLoadedModule{key, exports, nullptr, 1, true});
  }
}

// Call with the lock held.
void RegisterRuntimeModules(TModuleTable& t) {
  t.Aliases[u"gds32"] = TAlias{"libfbclient.so.2", RTLD_NOW | RTLD_LOCAL};
  SetBuiltin(t, u"ntdll", MakeTable({{"RtlGetVersion", reinterpret_cast<void*>(&RtlGetVersion)}}), true);
  SetBuiltin(t, u"kernel32", MakeTable({{"GetLocaleInfoEx", reinterpret_cast<void*>(&GetLocaleInfoEx)}}), true);
  using TStrCmpLogicalW = int (*)(const Char*, const Char*);
  SetBuiltin(t, u"shlwapi",
             MakeTable({{"StrCmpLogicalW", reinterpret_cast<void*>(static_cast<TStrCmpLogicalW>(&StrCmpLogicalW))}}), true);
}

TModuleTable& Modules() {
  static TModuleTable* table = [] {
    auto* t = new TModuleTable();
    RegisterRuntimeModules(*t);
    return t;
  }();
  return *table;
}

// Call with the lock held.
bool IsMissing(TModuleTable& t, const String& key) { return t.Missing.count(key) || EnvModuleMissing(key); }

}  // namespace

HMODULE LoadLibraryW(const String& LibFileName) {
  auto& t = Modules();
  const String key = ModuleKeyName(LibFileName);
  std::lock_guard guard(t.Lock);
  gLoadError.clear();
  if (key.empty() || IsMissing(t, key)) {
    gLoadError = LibFileName + u": module not found";
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  if (auto it = t.LoadedByKey.find(key); it != t.LoadedByKey.end()) {
    ++t.Loaded.at(it->second).References;
    return reinterpret_cast<HMODULE>(it->second);
  }
  std::string soName;
  int flags = RTLD_NOW | RTLD_LOCAL;
  if (!EnvAlias(key, soName)) {
    if (auto b = t.Builtins.find(key); b != t.Builtins.end()) {
      std::shared_ptr<const TExportTable> exports = b->second.Exports;
      if (b->second.Loader) {
        std::vector<TModuleExport> made;
        if (!b->second.Loader(made)) {
          gLoadError = LibFileName + u": cannot be loaded";
          SetLastError(ERROR_MOD_NOT_FOUND);
          return nullptr;
        }
        exports = MakeTable(made);
      }
      return reinterpret_cast<HMODULE>(AddLoaded(t, TLoadedModule{key, exports, nullptr, 1, false}));
    }
    if (auto a = t.Aliases.find(key); a != t.Aliases.end()) {
      soName = a->second.SoName;
      flags = a->second.Flags;
    } else {
      soName = UTF8Encode(LibFileName);
    }
  }
  void* library = dlopen(soName.c_str(), flags);
  if (!library) {
    const char* error = dlerror();
    gLoadError = error ? UTF8ToString(error) : LibFileName + u": cannot be loaded";
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HMODULE>(AddLoaded(t, TLoadedModule{key, nullptr, library, 1, false}));
}

HMODULE GetModuleHandleW(const String& ModuleName) {
  auto& t = Modules();
  const String key = ModuleKeyName(ModuleName);
  std::lock_guard guard(t.Lock);
  auto it = t.LoadedByKey.find(key);
  if (it == t.LoadedByKey.end() || IsMissing(t, key)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HMODULE>(it->second);
}

FARPROC GetProcAddress(HMODULE Module, const char* ProcName) {
  auto& t = Modules();
  std::lock_guard guard(t.Lock);
  auto it = t.Loaded.find(reinterpret_cast<std::uintptr_t>(Module));
  if (it == t.Loaded.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const TLoadedModule& m = it->second;
  if (!ProcName || t.MissingExports.count({m.Key, ProcName}) || EnvExportMissing(m.Key, ProcName)) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  void* address = nullptr;
  if (m.Library) {
    address = dlsym(m.Library, ProcName);
  } else if (auto e = m.Exports->find(ProcName); e != m.Exports->end()) {
    address = e->second;
  }
  if (!address) SetLastError(ERROR_PROC_NOT_FOUND);
  return address;
}

BOOL FreeLibrary(HMODULE LibModule) {
  auto& t = Modules();
  void* library = nullptr;
  {
    std::lock_guard guard(t.Lock);
    auto it = t.Loaded.find(reinterpret_cast<std::uintptr_t>(LibModule));
    if (it == t.Loaded.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return 0;
    }
    TLoadedModule& m = it->second;
    if (m.References > (m.Preloaded ? 1 : 0)) --m.References;
    if (m.References > 0) return 1;
    library = m.Library;
    t.LoadedByKey.erase(m.Key);
    t.Loaded.erase(it);
  }
  if (library) dlclose(library);
  return 1;
}

String GetModuleLoadError() { return gLoadError; }

void RegisterBuiltinModule(const String& Name, std::initializer_list<TModuleExport> Exports, bool Preloaded) {
  RegisterBuiltinModule(Name, std::vector<TModuleExport>(Exports), Preloaded);
}

void RegisterBuiltinModule(const String& Name, const std::vector<TModuleExport>& Exports, bool Preloaded) {
  auto& t = Modules();
  std::lock_guard guard(t.Lock);
  SetBuiltin(t, ModuleKeyName(Name), MakeTable(Exports), Preloaded);
}

void UnregisterBuiltinModule(const String& Name) {
  auto& t = Modules();
  const String key = ModuleKeyName(Name);
  std::lock_guard guard(t.Lock);
  t.Builtins.erase(key);
  auto it = t.LoadedByKey.find(key);
  if (it == t.LoadedByKey.end()) return;
  auto& loaded = t.Loaded.at(it->second);
  if (loaded.Preloaded && !loaded.Library) {
    loaded.Preloaded = false;
    if (--loaded.References == 0) {
      t.Loaded.erase(it->second);
      t.LoadedByKey.erase(it);
    }
  }
}

void RegisterBuiltinModuleLoader(const String& Name, TModuleLoader Load) {
  auto& t = Modules();
  std::lock_guard guard(t.Lock);
  TBuiltin& b = t.Builtins[ModuleKeyName(Name)];
  b.Exports = MakeTable({});
  b.Preloaded = false;
  b.Loader = std::move(Load);
}

void RegisterModuleAlias(const String& Name, const std::string& SoName, int DlopenFlags) {
  auto& t = Modules();
  std::lock_guard guard(t.Lock);
  t.Aliases[ModuleKeyName(Name)] = TAlias{SoName, DlopenFlags};
}

void SetModuleMissing(const String& Name, bool Missing) {
  auto& t = Modules();
  std::lock_guard guard(t.Lock);
  if (Missing) t.Missing.insert(ModuleKeyName(Name));
  else t.Missing.erase(ModuleKeyName(Name));
}

void SetExportMissing(const String& ModuleName, const std::string& ExportName, bool Missing) {
  auto& t = Modules();
  std::lock_guard guard(t.Lock);
  auto entry = std::make_pair(ModuleKeyName(ModuleName), ExportName);
  if (Missing) t.MissingExports.insert(entry);
  else t.MissingExports.erase(entry);
}
