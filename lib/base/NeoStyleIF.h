#pragma once
// The library's style vocabulary: the styles every styleable control accepts, the Office themes,
// colour tones, the interfaces through which stylers push a style or tones into a component, and
// the stateless routines that read the user's Office and Windows theme and answer small style
// questions. The theme change notifier of this unit lives in NeoThemeNotifier.h.
#include "platform/rtl/Classes.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/Graphics.h"

class TControl;

// ---------------------------------------------------------------------------------------------
// Types
// ---------------------------------------------------------------------------------------------
enum TNeoStyle : Byte {
  tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
  tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista, tsWindows7,
  tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black, tsWindows8, tsOffice2013White,
  tsOffice2013LightGray, tsOffice2013Gray, tsWindows10, tsOffice2016White, tsOffice2016Gray, tsOffice2016Black,
  tsOffice2019White, tsOffice2019Gray, tsOffice2019Black
};

enum TOfficeTheme {
  ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black, ot2010Blue,
  ot2010Silver, ot2010Black, ot2013White, ot2013Silver, ot2013Gray, ot2016White, ot2016Gray, ot2016Black,
  ot2019White, ot2019Gray, ot2019Black, otUnknown
};

enum TMetroStyle { msLight, msDark };

ZELK_DECLARE_ENUM_INFO(TNeoStyle)
ZELK_DECLARE_ENUM_INFO(TOfficeTheme)
ZELK_DECLARE_ENUM_INFO(TMetroStyle)

struct TColorTone {
  TColor BrushColor = 0;
  TColor BorderColor = 0;
  TColor TextColor = 0;
  bool operator==(const TColorTone&) const = default;
};

struct TColorTones {
  TColorTone Background;
  TColorTone Foreground;
  TColorTone Selected;
  TColorTone Hover;
  TColorTone Disabled;
  bool operator==(const TColorTones&) const = default;
};

// ---------------------------------------------------------------------------------------------
// Interfaces a component implements to take a style or tones; stylers ask for them with
// dynamic_cast. Components are not reference counted: the interfaces only carry the operations.
// ---------------------------------------------------------------------------------------------
class INeoStyle {
public:
  static constexpr const char* IID = "{11AC2DDC-C087-4298-AB6E-EA1B5017511B}";
  virtual ~INeoStyle() = default;
  virtual void SetComponentStyle(TNeoStyle AStyle) = 0;
};

// Also takes the application colour (clNone when the caller has none).
class INeoStyleEx : public INeoStyle {
public:
  static constexpr const char* IID = "{037BA87F-7CBD-4FDD-854E-2B3F0BCC06AE}";
  virtual void SetComponentStyleAndAppColor(TNeoStyle AStyle, TColor AppColor) = 0;
};

class INeoTones {
public:
  static constexpr const char* IID = "{1F492643-6699-4F25-8B34-3233FA735036}";
  virtual ~INeoTones() = default;
  virtual void SetColorTones(TColorTones ATones) = 0;
};

// ---------------------------------------------------------------------------------------------
// Platform and theme detection (read-only registry access under HKEY_CURRENT_USER)
// ---------------------------------------------------------------------------------------------
// The major file version of "COMCTL32.DLL" is above 5.
bool ComCtlV6Available();
// "kernel32" exports "GetLocaleInfoEx".
bool HasLocaleInfoEx();
// The reported Windows version is 5.1 or later.
bool IsWindowsXPOrNewer();
// 4, 3, 2 or 1 for the highest of Office 16.0, 15.0, 14.0, 12.0 whose "...\Common\General" key
// exists; 0 without Office.
Integer InstalledOfficeVersion();
// 1 "NormalColor", 2 "HomeStead", 3 "Metallic" from the visual-styles library; else 0.
Integer XPThemeColorScheme();
// 1 Windows 7, 2 Windows 8 or 8.1, 3 Windows 10; 0 other.
Integer WindowsVersionClass();
// tsOffice2019Black when apps use the dark theme, else tsWindows10.
TNeoStyle WindowsAppsTheme();

// Registry readers: -1 when the key is missing.
// "UI Theme" as text converted to an integer; 0 when absent or not a number.
Integer ReadOfficeUITheme(const String& Key);
// The integer "Theme"; -1 when absent (or not an integer).
Integer ReadOfficeThemeIndex(const String& Key);
// "AppsUseLightTheme" as text converted; -1 when absent, 0 when not a number.
Integer ReadAppsUseLightTheme(const String& Key);

// The style of the user's Office theme or, without Office, of the Windows look.
TNeoStyle DetectOfficeTheme(bool UseXPFallback);
TOfficeTheme CurrentOfficeTheme();

// ---------------------------------------------------------------------------------------------
// Colours, fonts, scaling
// ---------------------------------------------------------------------------------------------
// Each of red, green and blue scaled by (100 - Percent) / 100, halves to even, each byte kept
// within 0..255; system colours are resolved first. The result is an RGB colour.
TColor DarkenColorPercent(TColor Color, Integer Percent);
TColor DarkerColor(TColor Color, Integer Percent);
TColorTones MetroColorTones(bool Light, TColor Color);
TColorTones DefaultColorTones();
// "Segoe UI" where the locale API is new enough, else "Tahoma".
String DefaultUIFontName();
// The DPI scale of a control (its scaled form's monitor), else of the canvas, else of the screen.
Single ControlScaleFactor(TControl* Control, TCanvas* Canvas);

// ---------------------------------------------------------------------------------------------
// Style questions
// ---------------------------------------------------------------------------------------------
// The style of the first enabled form styler (other than tsCustom) owned by the component's form;
// Default otherwise. Defined with the stylers (NeoAppStyler.cpp).
TNeoStyle FormStylerStyle(TComponent* Component, TNeoStyle Default);
// False for tsOffice2016Black, tsOffice2019Gray and tsOffice2019Black.
bool StyleHasLightFace(TNeoStyle Style);

// Whether a class-library visual style other than the plain Windows one is active. TStyleServices
// is anything with GetEnabled() and GetName() (the class library's style services).
template <class TStyleServices>
bool IsCustomVclStyleActive(TStyleServices* StyleServices, bool Win10Check) {
  if (!StyleServices) return false;
  String name = StyleServices->GetName();
  if (Win10Check) return name != u"Windows10" && name != u"Mountain_Mist";
  return StyleServices->GetEnabled() && name != u"Windows";
}

// Adds the unit to the program's unit registry (platform/rtl/Units.h); its initialisation clears
// the notifier singleton.
void RegisterNeoStyleIFUnit();
