#pragma once
// The binding of the visual-styles library "UXTHEME.DLL": loaded once at start-up, its functions
// resolved by name into a process-wide table of function pointers that the library's themed
// drawing reads. Without the library, or with a library that lacks one of the functions (other
// than OpenThemeDataForDpi, which older systems lack), the table stays empty and the library
// counts as not loaded: the program starts either way and draws its classic look.
#include "platform/rtl/Modules.h"
#include "platform/win/UxTheme.h"

namespace NeoXPVS {

// Whether the library is loaded (and every pointer but perhaps OpenThemeDataForDpi set).
extern bool ThemeLibraryLoaded;
extern HMODULE ThemeLibraryModule;

inline TOpenThemeDataProc OpenThemeData = nullptr;
inline TOpenThemeDataForDpiProc OpenThemeDataForDpi = nullptr;
inline TCloseThemeDataProc CloseThemeData = nullptr;
inline TDrawThemeBackgroundProc DrawThemeBackground = nullptr;
inline TDrawThemeTextProc DrawThemeText = nullptr;
inline TGetThemeBackgroundContentRectProc GetThemeBackgroundContentRect = nullptr;
inline TGetThemeBackgroundExtentProc GetThemeBackgroundExtent = nullptr;
inline TGetThemeTextExtentProc GetThemeTextExtent = nullptr;
inline TGetThemeTextMetricsProc GetThemeTextMetrics = nullptr;
inline TGetThemeBackgroundRegionProc GetThemeBackgroundRegion = nullptr;
inline THitTestThemeBackgroundProc HitTestThemeBackground = nullptr;
inline TDrawThemeEdgeProc DrawThemeEdge = nullptr;
inline TDrawThemeIconProc DrawThemeIcon = nullptr;
inline TIsThemePartDefinedProc IsThemePartDefined = nullptr;
inline TIsThemeBackgroundPartiallyTransparentProc IsThemeBackgroundPartiallyTransparent = nullptr;
inline TGetThemeColorProc GetThemeColor = nullptr;
inline TGetThemeMetricProc GetThemeMetric = nullptr;
inline TGetThemeStringProc GetThemeString = nullptr;
inline TGetThemeBoolProc GetThemeBool = nullptr;
inline TGetThemeIntProc GetThemeInt = nullptr;
inline TGetThemeEnumValueProc GetThemeEnumValue = nullptr;
inline TGetThemePositionProc GetThemePosition = nullptr;
inline TGetThemeFontProc GetThemeFont = nullptr;
inline TGetThemeRectProc GetThemeRect = nullptr;
inline TGetThemeMarginsProc GetThemeMargins = nullptr;
inline TGetThemeIntListProc GetThemeIntList = nullptr;
inline TSetWindowThemeProc SetWindowTheme = nullptr;
inline TGetThemeFilenameProc GetThemeFilename = nullptr;
inline TGetThemeSysColorProc GetThemeSysColor = nullptr;
inline TGetThemeSysColorBrushProc GetThemeSysColorBrush = nullptr;
inline TGetThemeSysBoolProc GetThemeSysBool = nullptr;
inline TGetThemeSysSizeProc GetThemeSysSize = nullptr;
inline TGetThemeSysFontProc GetThemeSysFont = nullptr;
inline TGetThemeSysStringProc GetThemeSysString = nullptr;
inline TGetThemeSysIntProc GetThemeSysInt = nullptr;
inline TIsThemeActiveProc IsThemeActive = nullptr;
inline TIsAppThemedProc IsAppThemed = nullptr;
inline TGetWindowThemeProc GetWindowTheme = nullptr;
inline TGetThemePartSizeProc GetThemePartSize = nullptr;
inline TEnableThemeDialogTextureProc EnableThemeDialogTexture = nullptr;
inline TIsThemeDialogTextureEnabledProc IsThemeDialogTextureEnabled = nullptr;
inline TGetThemeAppPropertiesProc GetThemeAppProperties = nullptr;
inline TSetThemeAppPropertiesProc SetThemeAppProperties = nullptr;
inline TGetCurrentThemeNameProc GetCurrentThemeName = nullptr;
inline TGetThemeDocumentationPropertyProc GetThemeDocumentationProperty = nullptr;
inline TDrawThemeParentBackgroundProc DrawThemeParentBackground = nullptr;
inline TEnableThemingProc EnableTheming = nullptr;

// One entry of a table of theme functions, in the order the names are resolved.
struct TThemeFunction {
  const char* Name;
  void* (*Get)();               // the pointer now
  void (*Set)(void* Address);   // stores a resolved address (nullptr clears)
};
// The entry of the function pointer variable Name (in scope where the macro is used).
#define ZELK_THEME_FUNCTION(Name)                                               \
  TThemeFunction {                                                              \
    #Name, [] { return reinterpret_cast<void*>(Name); },                        \
        [](void* Address) { Name = reinterpret_cast<decltype(Name)>(Address); } \
  }

// Loads "UXTHEME.DLL" and resolves the ACount entries in order through GetProcAddress: the
// library's module, or nullptr when it is missing (a handle below 32) or lacks a function other
// than OpenThemeDataForDpi; every entry is then empty and the library released again.
HMODULE BindThemeFunctions(const TThemeFunction* AFunctions, int ACount);
// Empties the ACount entries.
void ClearThemeFunctions(const TThemeFunction* AFunctions, int ACount);
constexpr int ThemeFunctionCount = 47;
extern const TThemeFunction ThemeFunctions[ThemeFunctionCount];

// Loads the library and resolves the table (nothing when loaded already). The names resolve in
// table order through GetProcAddress; a missing function other than OpenThemeDataForDpi ends the
// attempt: the library is released again and every pointer stays empty.
void LoadThemeApi();
// Releases the library when loaded and empties the table.
void FreeThemeApi();

}  // namespace NeoXPVS

// Registers the theme library module and adds the unit to the program's unit registry
// (initialisation LoadThemeApi, finalisation FreeThemeApi).
void RegisterNeoXPVSUnit();
