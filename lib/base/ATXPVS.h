#pragma once
// ATXPVS: a second table of visual-styles functions over "UXTHEME.DLL", bound at start-up, that
// the dropdown buttons' painting reads (OpenThemeData, CloseThemeData, DrawThemeBackground,
// IsThemeActive). Every entry is nil while the library is not loaded: without the library, and
// with a library that lacks one of the 45 functions, the program starts without it.
#include "lib/base/NeoXPVS.h"

namespace ATXPVS {

extern bool ThemeLibraryLoaded;
extern HMODULE ThemeLibraryModule;

inline TOpenThemeDataProc OpenThemeData = nullptr;
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
inline TEnableThemeDialogTextureProc EnableThemeDialogTexture = nullptr;
inline TIsThemeDialogTextureEnabledProc IsThemeDialogTextureEnabled = nullptr;
inline TGetThemeAppPropertiesProc GetThemeAppProperties = nullptr;
inline TSetThemeAppPropertiesProc SetThemeAppProperties = nullptr;
inline TGetCurrentThemeNameProc GetCurrentThemeName = nullptr;
inline TGetThemeDocumentationPropertyProc GetThemeDocumentationProperty = nullptr;
inline TDrawThemeParentBackgroundProc DrawThemeParentBackground = nullptr;
inline TEnableThemingProc EnableTheming = nullptr;

using NeoXPVS::TThemeFunction;
constexpr int ThemeFunctionCount = 45;
extern const TThemeFunction ThemeFunctions[ThemeFunctionCount];

// Loads the library and binds the table in order (nothing when loaded already).
void LoadThemeFunctions();
// Releases the library when loaded and empties the table.
void FreeThemeLibrary();

}  // namespace ATXPVS

// Adds the unit ATXPVS (binding at start-up, release at exit) to the program's units.
void RegisterATXPVSUnit();
