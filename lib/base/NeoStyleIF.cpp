// Theme detection, colour tones and the small style routines of the style vocabulary.
#include "lib/base/NeoStyleIF.h"

#include <algorithm>
#include <memory>

#include "lib/base/NeoThemeNotifier.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Units.h"
#include "platform/ui/Forms.h"
#include "platform/win/UxTheme.h"

ZELK_ENUM_INFO(TNeoStyle, tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic,
               tsOffice2007Luna, tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver,
               tsWindowsVista, tsWindows7, tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black,
               tsWindows8, tsOffice2013White, tsOffice2013LightGray, tsOffice2013Gray, tsWindows10,
               tsOffice2016White, tsOffice2016Gray, tsOffice2016Black, tsOffice2019White, tsOffice2019Gray,
               tsOffice2019Black)
ZELK_ENUM_INFO(TOfficeTheme, ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver,
               ot2007Black, ot2010Blue, ot2010Silver, ot2010Black, ot2013White, ot2013Silver, ot2013Gray,
               ot2016White, ot2016Gray, ot2016Black, ot2019White, ot2019Gray, ot2019Black, otUnknown)
ZELK_ENUM_INFO(TMetroStyle, msLight, msDark)

namespace {

const String OfficeKey = u"Software\\Microsoft\\Office\\";
const String PersonalizeKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// Opens Key read-only when it exists; false otherwise.
bool OpenExisting(TRegistry& Reg, const String& Key) {
  Reg.SetRootKey(HKEY_CURRENT_USER);
  return Reg.KeyExists(Key) && Reg.OpenKeyReadOnly(Key);
}

// The value read as text and converted; Absent when the value is missing, 0 when not a number.
Integer ReadTextNumber(const String& Key, const String& Name, Integer Absent) {
  TRegistry reg(KEY_READ);
  if (!OpenExisting(reg, Key)) return -1;
  if (!reg.ValueExists(Name)) return Absent;
  Integer value = 0;
  try {
    if (!TryStrToInt(reg.ReadString(Name), value)) value = 0;
  } catch (Exception&) {   // a binary value: not a number
    value = 0;
  }
  return value;
}

bool VersionAbove(DWORD Major, DWORD Minor, DWORD AMajor, DWORD AMinor) {
  return Major > AMajor || (Major == AMajor && Minor > AMinor);
}

}  // namespace

bool ComCtlV6Available() {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(u"COMCTL32.DLL", &handle);
  if (size == 0) return false;
  std::unique_ptr<Byte[]> data(new Byte[size]);
  if (!GetFileVersionInfoW(u"COMCTL32.DLL", handle, size, data.get())) return false;
  void* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueW(data.get(), u"\\", &info, &len) || !info) return false;
  return (static_cast<VS_FIXEDFILEINFO*>(info)->dwFileVersionMS >> 16) > 5;
}

bool HasLocaleInfoEx() {
  HMODULE kernel = GetModuleHandleW(u"kernel32");
  return kernel && GetProcAddress(kernel, "GetLocaleInfoEx");
}

bool IsWindowsXPOrNewer() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info)) return false;
  return VersionAbove(info.dwMajorVersion, info.dwMinorVersion, 5, 0);
}

Integer InstalledOfficeVersion() {
  static const Char* const versions[] = {u"16.0", u"15.0", u"14.0", u"12.0"};
  TRegistry reg(KEY_READ);
  reg.SetRootKey(HKEY_CURRENT_USER);
  for (Integer i = 0; i < 4; ++i)
    if (reg.KeyExists(OfficeKey + versions[i] + u"\\Common\\General")) return 4 - i;
  return 0;
}

Integer XPThemeColorScheme() {
  if (!IsWindowsXPOrNewer()) return 0;
  HMODULE lib = LoadLibraryW(u"uxtheme.dll");
  if (!lib) return 0;
  Integer result = 0;
  auto isThemeActive = reinterpret_cast<TIsThemeActiveProc>(GetProcAddress(lib, "IsThemeActive"));
  auto currentName = reinterpret_cast<TGetCurrentThemeNameProc>(GetProcAddress(lib, "GetCurrentThemeName"));
  if (isThemeActive && isThemeActive() && ComCtlV6Available() && currentName) {
    Char file[256] = {}, color[256] = {}, size[256] = {};
    currentName(file, 255, color, 255, size, 255);
    String c(color);
    if (c.find(u"NormalColor") != String::npos) result = 1;
    else if (c.find(u"HomeStead") != String::npos) result = 2;
    else if (c.find(u"Metallic") != String::npos) result = 3;
  }
  FreeLibrary(lib);
  return result;
}

Integer WindowsVersionClass() {
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info)) return 0;
  DWORD major = info.dwMajorVersion, minor = info.dwMinorVersion;
  if (major == 6 && minor == 2) {   // perhaps a program without a manifest on a later system
    using TRtlGetVersion = NTSTATUS (*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleW(u"ntdll");
    auto rtlGetVersion = ntdll ? reinterpret_cast<TRtlGetVersion>(GetProcAddress(ntdll, "RtlGetVersion")) : nullptr;
    if (rtlGetVersion) {
      OSVERSIONINFOEXW actual{};
      actual.dwOSVersionInfoSize = sizeof(actual);
      if (rtlGetVersion(reinterpret_cast<OSVERSIONINFOW*>(&actual)) == STATUS_SUCCESS) {
        major = actual.dwMajorVersion;
        minor = actual.dwMinorVersion;
      }
    }
  }
  if (major == 6 && minor == 1) return 1;
  if (major == 6 && (minor == 2 || minor == 3)) return 2;
  if ((major == 6 && minor == 4) || major == 10) return 3;
  return 0;
}

Integer ReadOfficeUITheme(const String& Key) { return ReadTextNumber(Key, u"UI Theme", 0); }

Integer ReadOfficeThemeIndex(const String& Key) {
  TRegistry reg(KEY_READ);
  if (!OpenExisting(reg, Key)) return -1;
  if (!reg.ValueExists(u"Theme")) return -1;
  try {
    return reg.ReadInteger(u"Theme");
  } catch (ERegistryException&) {   // stored as another type: no index
    return -1;
  }
}

Integer ReadAppsUseLightTheme(const String& Key) { return ReadTextNumber(Key, u"AppsUseLightTheme", -1); }

TNeoStyle WindowsAppsTheme() {
  return ReadAppsUseLightTheme(PersonalizeKey) == 0 ? tsOffice2019Black : tsWindows10;
}

TNeoStyle DetectOfficeTheme(bool UseXPFallback) {
  Integer v = ReadOfficeUITheme(OfficeKey + u"16.0\\Common");
  if (v != -1) return v == 3 ? tsOffice2019Gray : v == 4 ? tsOffice2019Black : tsOffice2019White;
  v = ReadOfficeUITheme(OfficeKey + u"15.0\\Common");
  if (v != -1) {
    static constexpr TNeoStyle styles[] = {tsOffice2013White, tsOffice2013LightGray, tsOffice2013Gray};
    return v >= 0 && v <= 2 ? styles[v] : tsCustom;
  }
  v = ReadOfficeThemeIndex(OfficeKey + u"14.0\\Common");
  if (v != -1) {
    static constexpr TNeoStyle styles[] = {tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black};
    return v >= 1 && v <= 3 ? styles[v - 1] : tsCustom;
  }
  v = ReadOfficeThemeIndex(OfficeKey + u"12.0\\Common");
  if (v != -1) {
    static constexpr TNeoStyle styles[] = {tsOffice2007Luna, tsOffice2007Silver, tsOffice2007Obsidian};
    return v >= 1 && v <= 3 ? styles[v - 1] : tsCustom;
  }
  if (UseXPFallback) {
    static constexpr TNeoStyle styles[] = {tsOffice2003Classic, tsOffice2003Blue, tsOffice2003Olive,
                                           tsOffice2003Silver};
    return styles[XPThemeColorScheme()];
  }
  switch (WindowsVersionClass()) {
    case 2: return tsWindows8;
    case 3: return WindowsAppsTheme();
    default: return tsWindows7;
  }
}

TOfficeTheme CurrentOfficeTheme() {
  switch (DetectOfficeTheme(true)) {
    case tsOffice2003Blue: return ot2003Blue;
    case tsOffice2003Silver: return ot2003Silver;
    case tsOffice2003Olive: return ot2003Olive;
    case tsOffice2003Classic: return ot2003Classic;
    case tsOffice2007Luna: return ot2007Blue;
    case tsOffice2007Silver: return ot2007Silver;
    case tsOffice2007Obsidian: return ot2007Black;
    case tsOffice2010Blue: return ot2010Blue;
    case tsOffice2010Silver: return ot2010Silver;
    case tsOffice2010Black: return ot2010Black;
    case tsOffice2013White: return ot2013White;
    case tsOffice2013LightGray: return ot2013Silver;
    case tsOffice2013Gray: return ot2013Gray;
    case tsOffice2016White: return ot2016White;
    case tsOffice2016Gray: return ot2016Gray;
    case tsOffice2016Black: return ot2016Black;
    case tsOffice2019White: return ot2019White;
    case tsOffice2019Gray: return ot2019Gray;
    case tsOffice2019Black:
    case tsCustom: return ot2019Black;
    default: return otUnknown;
  }
}

TColor DarkenColorPercent(TColor Color, Integer Percent) {
  COLORREF rgb = ColorToRGB(Color);
  auto scale = [&](Integer AByte) -> Integer {
    Int64 v = Round(static_cast<Int64>(AByte) * (100 - Percent) / 100.0);
    return static_cast<Integer>(std::clamp<Int64>(v, 0, 255));
  };
  Integer r = scale(GetRValue(rgb)), g = scale(GetGValue(rgb)), b = scale(GetBValue(rgb));
  return b << 16 | g << 8 | r;
}

TColor DarkerColor(TColor Color, Integer Percent) { return DarkenColorPercent(Color, Percent); }

TColorTones MetroColorTones(bool Light, TColor Color) {
  TColor hover = DarkenColorPercent(Color, 20);
  TColorTones t;
  t.Background = {Light ? 0xFFFFFF : 0, Color, Light ? 0 : 0xFFFFFF};
  t.Foreground = {0xC0C0C0, 0xC0C0C0, 0};
  t.Selected = {Color, Color, 0xFFFFFF};
  t.Hover = {hover, hover, 0xFFFFFF};
  t.Disabled = {0xC0C0C0, 0x808080, 0x808080};
  return t;
}

TColorTones DefaultColorTones() {
  TColorTones t;
  t.Background = {clWindow, clHighlight, clWindowText};
  t.Foreground = {0xC0C0C0, 0xC0C0C0, 0};
  t.Selected = {clHighlight, clHighlight, clHighlightText};
  t.Hover = {0x808080, 0x808080, 0xFFFFFF};
  t.Disabled = {clWindow, 0xC0C0C0, 0xC0C0C0};
  return t;
}

String DefaultUIFontName() { return HasLocaleInfoEx() ? u"Segoe UI" : u"Tahoma"; }

Single ControlScaleFactor(TControl* Control, TCanvas* Canvas) {
  Single result = 0;
  TControl* top = Control;
  while (top && top->GetParent()) top = top->GetParent();
  auto* form = dynamic_cast<TForm*>(top);
  if (form && form->GetScaled()) {
    TMonitor* monitor = form->GetMonitor();
    result = monitor ? static_cast<Single>(monitor->GetPixelsPerInch()) / 96 : 0;
  } else if (Canvas && Canvas->HandleAllocated()) {
    result = static_cast<Single>(GetDeviceCaps(Canvas->GetHandle(), LOGPIXELSY)) / 96;
  } else {
    HDC dc = GetDC(nullptr);
    result = static_cast<Single>(GetDeviceCaps(dc, LOGPIXELSX)) / 96;
    ReleaseDC(nullptr, dc);
  }
  return result == 0 ? 1 : result;
}

bool StyleHasLightFace(TNeoStyle Style) {
  return Style != tsOffice2016Black && Style != tsOffice2019Gray && Style != tsOffice2019Black;
}

void RegisterNeoStyleIFUnit() {
  RegisterUnit(u"NeoStyleIF", [] { ResetThemeNotifierInstance(); });
}
