// The second visual-styles table: its 45 entries and their binding.
#include "lib/base/ATXPVS.h"

#include "platform/rtl/Units.h"

namespace ATXPVS {

bool ThemeLibraryLoaded = false;
HMODULE ThemeLibraryModule = nullptr;

const TThemeFunction ThemeFunctions[ThemeFunctionCount] = {
    ZELK_THEME_FUNCTION(OpenThemeData),
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
    ZELK_THEME_FUNCTION(EnableThemeDialogTexture),
    ZELK_THEME_FUNCTION(IsThemeDialogTextureEnabled),
    ZELK_THEME_FUNCTION(GetThemeAppProperties),
    ZELK_THEME_FUNCTION(SetThemeAppProperties),
    ZELK_THEME_FUNCTION(GetCurrentThemeName),
    ZELK_THEME_FUNCTION(GetThemeDocumentationProperty),
    ZELK_THEME_FUNCTION(DrawThemeParentBackground),
    ZELK_THEME_FUNCTION(EnableTheming),
};

void LoadThemeFunctions() {
  if (ThemeLibraryLoaded) return;
  ThemeLibraryModule = NeoXPVS::BindThemeFunctions(ThemeFunctions, ThemeFunctionCount);
  ThemeLibraryLoaded = ThemeLibraryModule != nullptr;
}

void FreeThemeLibrary() {
  if (!ThemeLibraryLoaded) return;
  FreeLibrary(ThemeLibraryModule);
  ThemeLibraryModule = nullptr;
  ThemeLibraryLoaded = false;
  NeoXPVS::ClearThemeFunctions(ThemeFunctions, ThemeFunctionCount);
}

}  // namespace ATXPVS

void RegisterATXPVSUnit() {
  RegisterThemeLibrary();
  RegisterUnit(u"ATXPVS", ATXPVS::LoadThemeFunctions, ATXPVS::FreeThemeLibrary);
}
