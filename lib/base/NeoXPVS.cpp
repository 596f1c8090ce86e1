// The visual-styles binding: the table of theme functions and its loading.
#include "lib/base/NeoXPVS.h"

#include <cstdint>
#include <cstring>

#include "platform/rtl/Modules.h"
#include "platform/rtl/Units.h"

namespace NeoXPVS {

bool ThemeLibraryLoaded = false;
HMODULE ThemeLibraryModule = nullptr;

const TThemeFunction ThemeFunctions[ThemeFunctionCount] = {
    ZELK_THEME_FUNCTION(OpenThemeData),
    ZELK_THEME_FUNCTION(OpenThemeDataForDpi),
    ZELK_THEME_FUNCTION(CloseThemeData),
    ZELK_THEME_FUNCTION(DrawThemeBackground),
    ZELK_THEME_FUNCTION(DrawThemeText),
    ZELK_THEME_FUNCTION(GetThemeBackgroundContentRect),
    ZELK_THEME_FUNCTION(GetThemeBackgroundExtent),
    ZELK_THEME_FUNCTION(GetThemeTextExtent),
    ZELK_THEME_FUNCTION(GetThemeTextMetrics),
    ZELK_THEME_FUNCTION(GetThemeBackgroundRegion),
    ZELK_THEME_FUNCTION(HitTestThemeBackground),
    ZELK_THEME_FUNCTION(DrawThemeEdge),
    ZELK_THEME_FUNCTION(DrawThemeIcon),
    ZELK_THEME_FUNCTION(IsThemePartDefined),
    ZELK_THEME_FUNCTION(IsThemeBackgroundPartiallyTransparent),
    ZELK_THEME_FUNCTION(GetThemeColor),
    ZELK_THEME_FUNCTION(GetThemeMetric),
    ZELK_THEME_FUNCTION(GetThemeString),
    ZELK_THEME_FUNCTION(GetThemeBool),
    ZELK_THEME_FUNCTION(GetThemeInt),
    ZELK_THEME_FUNCTION(GetThemeEnumValue),
    ZELK_THEME_FUNCTION(GetThemePosition),
    ZELK_THEME_FUNCTION(GetThemeFont),
    ZELK_THEME_FUNCTION(GetThemeRect),
    ZELK_THEME_FUNCTION(GetThemeMargins),
    ZELK_THEME_FUNCTION(GetThemeIntList),
    ZELK_THEME_FUNCTION(SetWindowTheme),
    ZELK_THEME_FUNCTION(GetThemeFilename),
    ZELK_THEME_FUNCTION(GetThemeSysColor),
    ZELK_THEME_FUNCTION(GetThemeSysColorBrush),
    ZELK_THEME_FUNCTION(GetThemeSysBool),
    ZELK_THEME_FUNCTION(GetThemeSysSize),
    ZELK_THEME_FUNCTION(GetThemeSysFont),
    ZELK_THEME_FUNCTION(GetThemeSysString),
    ZELK_THEME_FUNCTION(GetThemeSysInt),
    ZELK_THEME_FUNCTION(IsThemeActive),
    ZELK_THEME_FUNCTION(IsAppThemed),
    ZELK_THEME_FUNCTION(GetWindowTheme),
    ZELK_THEME_FUNCTION(GetThemePartSize),
    ZELK_THEME_FUNCTION(EnableThemeDialogTexture),
    ZELK_THEME_FUNCTION(IsThemeDialogTextureEnabled),
    ZELK_THEME_FUNCTION(GetThemeAppProperties),
    ZELK_THEME_FUNCTION(SetThemeAppProperties),
    ZELK_THEME_FUNCTION(GetCurrentThemeName),
    ZELK_THEME_FUNCTION(GetThemeDocumentationProperty),
    ZELK_THEME_FUNCTION(DrawThemeParentBackground),
    ZELK_THEME_FUNCTION(EnableTheming),
};

namespace {

bool Optional(const char* AName) { return std::strcmp(AName, "OpenThemeDataForDpi") == 0; }

}  // namespace

void ClearThemeFunctions(const TThemeFunction* AFunctions, int ACount) {
  for (int i = 0; i < ACount; ++i) AFunctions[i].Set(nullptr);
}

HMODULE BindThemeFunctions(const TThemeFunction* AFunctions, int ACount) {
  HMODULE module = LoadLibraryW(u"UXTHEME.DLL");
  // Handles below 32 are the platform's error codes.
  if (reinterpret_cast<std::uintptr_t>(module) < 32) return nullptr;
  for (int i = 0; i < ACount; ++i) {
    const TThemeFunction& f = AFunctions[i];
    void* address = GetProcAddress(module, f.Name);
    if (!address && !Optional(f.Name)) {
      // A library without one of the functions cannot serve the themed drawing: the program goes
      // on as on a system without it.
      OutputDebugString(u"UXTHEME.DLL lacks " + UTF8ToString(f.Name) + u": visual styles not used");
      ClearThemeFunctions(AFunctions, ACount);
      FreeLibrary(module);
      return nullptr;
    }
    f.Set(address);
  }
  return module;
}

void LoadThemeApi() {
  if (ThemeLibraryLoaded) return;
  ThemeLibraryModule = BindThemeFunctions(ThemeFunctions, ThemeFunctionCount);
  ThemeLibraryLoaded = ThemeLibraryModule != nullptr;
}

void FreeThemeApi() {
  if (!ThemeLibraryLoaded) return;
  FreeLibrary(ThemeLibraryModule);
  ThemeLibraryModule = nullptr;
  ThemeLibraryLoaded = false;
  ClearThemeFunctions(ThemeFunctions, ThemeFunctionCount);
}

}  // namespace NeoXPVS

void RegisterNeoXPVSUnit() {
  RegisterThemeLibrary();
  RegisterUnit(u"NeoXPVS", NeoXPVS::LoadThemeApi, NeoXPVS::FreeThemeApi);
}
