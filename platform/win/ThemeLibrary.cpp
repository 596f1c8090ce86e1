// The visual-styles library "UXTHEME.DLL": its export table, theme handles, the theme switch and
// the functions that answer without painting. The parts themselves are painted in
// ThemeLibraryParts.cpp.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "platform/rtl/Modules.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Threads.h"
#include "platform/win/ThemeLibraryInternal.h"

namespace uxtheme {

namespace {

// Live theme handles: a handle is the address of its TTheme.
struct THandles {
  std::mutex Lock;
  std::set<TTheme*> Live;
};
THandles& Handles() {
  static THandles h;
  return h;
}

// The switch: on unless ZELK_THEME says "classic" at the first question.
std::atomic<int> GActive{-1};

bool ActiveNow() {
  int v = GActive.load();
  if (v < 0) {
    const char* env = std::getenv("ZELK_THEME");
    int initial = env && SameText(UTF8ToString(env), u"classic") ? 0 : 1;
    GActive.compare_exchange_strong(v, initial);
    v = GActive.load();
  }
  return v != 0;
}

constexpr DWORD DefaultAppProperties = STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT;
std::atomic<DWORD> GAppProperties{DefaultAppProperties};

std::optional<TThemeClass> ClassByName(StringView AName) {
  struct TName { StringView Name; TThemeClass Class; };
  static constexpr TName names[] = {{u"button", tcButton}, {u"combobox", tcComboBox}, {u"spin", tcSpin},
                                    {u"header", tcHeader}, {u"progress", tcProgress},
                                    {u"trackbar", tcTrackBar}};
  for (const TName& n : names)
    if (SameText(String(AName), String(n.Name))) return n.Class;
  return std::nullopt;
}

// The first class of a ";"-separated list that the library knows (blanks around names ignored).
std::optional<TThemeClass> ClassFromList(LPCWSTR AList) {
  if (!AList) return std::nullopt;
  StringView rest(AList);
  while (true) {
    std::size_t sep = rest.find(u';');
    String name = Trim(String(rest.substr(0, sep)));
    if (auto c = ClassByName(name)) return c;
    if (sep == StringView::npos) return std::nullopt;
    rest.remove_prefix(sep + 1);
  }
}

HTHEME Open(HWND AWnd, LPCWSTR AClassList, UINT ADpi) {
  if (!ActiveNow()) {
    SetLastError(static_cast<DWORD>(E_PROP_ID_UNSUPPORTED));
    return nullptr;
  }
  std::optional<TThemeClass> cls = ClassFromList(AClassList);
  if (!cls) {
    SetLastError(static_cast<DWORD>(E_PROP_ID_UNSUPPORTED));
    return nullptr;
  }
  auto theme = std::make_unique<TTheme>();
  theme->Class = *cls;
  theme->Dpi = ADpi ? ADpi : (AWnd && IsWindow(AWnd) ? GetDpiForWindow(AWnd) : GetDpiForSystem());
  THandles& h = Handles();
  std::lock_guard<std::mutex> guard(h.Lock);
  TTheme* t = theme.release();
  h.Live.insert(t);
  return reinterpret_cast<HTHEME>(t);
}

// Copies text with its terminating zero into a buffer of ASize characters (nothing for a null one).
HRESULT CopyOut(StringView AText, LPWSTR ABuffer, int ASize) {
  if (!ABuffer) return S_OK;
  if (ASize <= static_cast<int>(AText.size())) {
    if (ASize > 0) ABuffer[0] = 0;
    return E_INVALIDARG;
  }
  std::copy(AText.begin(), AText.end(), ABuffer);
  ABuffer[AText.size()] = 0;
  return S_OK;
}

// ---- The exports, named as the library names them ----

namespace exports {

HTHEME OpenThemeData(HWND hwnd, LPCWSTR pszClassList) { return Open(hwnd, pszClassList, 0); }

HTHEME OpenThemeDataForDpi(HWND hwnd, LPCWSTR pszClassList, UINT dpi) {
  return Open(hwnd, pszClassList, dpi ? dpi : 96);
}

HRESULT CloseThemeData(HTHEME hTheme) {
  THandles& h = Handles();
  std::lock_guard<std::mutex> guard(h.Lock);
  auto it = h.Live.find(reinterpret_cast<TTheme*>(hTheme));
  if (it == h.Live.end()) return E_HANDLE;
  delete *it;
  h.Live.erase(it);
  return S_OK;
}

HRESULT DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                   const RECT* pClipRect) {
  TTheme* t = ThemeOf(hTheme);
  if (!t) return E_HANDLE;
  if (!hdc || !pRect) return E_INVALIDARG;
  return PaintPart(*t, hdc, iPartId, iStateId, *pRect, pClipRect);
}

HRESULT DrawThemeText(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText, int cchText,
                             DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect) {
  TTheme* t = ThemeOf(hTheme);
  if (!t) return E_HANDLE;
  if (!hdc || !pRect || !pszText) return E_INVALIDARG;
  std::optional<TPartLook> look = LookOf(t->Class, iPartId, iStateId);
  if (!look) return E_INVALIDARG;
  COLORREF color = look->Text;
  if (dwTextFlags2 & DTT_GRAYED) color = GetSysColor(COLOR_GRAYTEXT);
  RECT r = *pRect;
  int saved = SaveDC(hdc);
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, color);
  DrawTextW(hdc, pszText, cchText, &r, dwTextFlags);
  RestoreDC(hdc, saved);
  return S_OK;
}

HRESULT GetThemeBackgroundContentRect(HTHEME, HDC, int, int, const RECT*, RECT*) { return E_NOTIMPL; }
HRESULT GetThemeBackgroundExtent(HTHEME, HDC, int, int, const RECT*, RECT*) { return E_NOTIMPL; }
HRESULT GetThemeTextExtent(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const RECT*, RECT*) {
  return E_NOTIMPL;
}
HRESULT GetThemeTextMetrics(HTHEME, HDC, int, int, TEXTMETRICW*) { return E_NOTIMPL; }
HRESULT GetThemeBackgroundRegion(HTHEME, HDC, int, int, const RECT*, HRGN*) { return E_NOTIMPL; }
HRESULT HitTestThemeBackground(HTHEME, HDC, int, int, DWORD, const RECT*, HRGN, POINT, WORD*) {
  return E_NOTIMPL;
}
HRESULT DrawThemeEdge(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*) { return E_NOTIMPL; }
HRESULT DrawThemeIcon(HTHEME, HDC, int, int, const RECT*, HIMAGELIST, int) { return E_NOTIMPL; }
BOOL IsThemePartDefined(HTHEME, int, int) { return FALSE; }
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME, int, int) { return FALSE; }

HRESULT GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor) {
  TTheme* t = ThemeOf(hTheme);
  if (!t) return E_HANDLE;
  if (!pColor) return E_POINTER;
  std::optional<TPartLook> look = LookOf(t->Class, iPartId, iStateId);
  if (!look) return E_PROP_ID_UNSUPPORTED;
  std::optional<COLORREF> c;
  switch (iPropId) {
    case TMT_FILLCOLOR: c = look->Fill; break;
    case TMT_BORDERCOLOR: c = look->Border; break;
    case TMT_TEXTCOLOR: c = look->Text; break;
    default: break;
  }
  if (!c) return E_PROP_ID_UNSUPPORTED;
  *pColor = *c;
  return S_OK;
}

HRESULT GetThemeMetric(HTHEME, HDC, int, int, int, int*) { return E_NOTIMPL; }
HRESULT GetThemeString(HTHEME, int, int, int, LPWSTR, int) { return E_NOTIMPL; }
HRESULT GetThemeBool(HTHEME, int, int, int, BOOL*) { return E_NOTIMPL; }
HRESULT GetThemeInt(HTHEME, int, int, int, int*) { return E_NOTIMPL; }
HRESULT GetThemeEnumValue(HTHEME, int, int, int, int*) { return E_NOTIMPL; }
HRESULT GetThemePosition(HTHEME, int, int, int, POINT*) { return E_NOTIMPL; }
HRESULT GetThemeFont(HTHEME, HDC, int, int, int, LOGFONTW*) { return E_NOTIMPL; }
HRESULT GetThemeRect(HTHEME, int, int, int, RECT*) { return E_NOTIMPL; }
HRESULT GetThemeMargins(HTHEME, HDC, int, int, int, const RECT*, MARGINS*) { return E_NOTIMPL; }
HRESULT GetThemeIntList(HTHEME, int, int, int, INTLIST*) { return E_NOTIMPL; }
HRESULT SetWindowTheme(HWND, LPCWSTR, LPCWSTR) { return E_NOTIMPL; }
HRESULT GetThemeFilename(HTHEME, int, int, int, LPWSTR, int) { return E_NOTIMPL; }
COLORREF GetThemeSysColor(HTHEME, int) { return 0; }
HBRUSH GetThemeSysColorBrush(HTHEME, int) { return nullptr; }
BOOL GetThemeSysBool(HTHEME, int) { return FALSE; }
int GetThemeSysSize(HTHEME, int) { return 0; }
HRESULT GetThemeSysFont(HTHEME, int, LOGFONTW*) { return E_NOTIMPL; }
HRESULT GetThemeSysString(HTHEME, int, LPWSTR, int) { return E_NOTIMPL; }
HRESULT GetThemeSysInt(HTHEME, int, int*) { return E_NOTIMPL; }

BOOL IsThemeActive() { return ActiveNow() ? TRUE : FALSE; }

BOOL IsAppThemed() {
  return ActiveNow() && (GAppProperties.load() & STAP_ALLOW_CONTROLS) ? TRUE : FALSE;
}

HTHEME GetWindowTheme(HWND) { return nullptr; }

HRESULT GetThemePartSize(HTHEME hTheme, HDC, int iPartId, int, const RECT* prc, THEMESIZE eSize, SIZE* psz) {
  TTheme* t = ThemeOf(hTheme);
  if (!t) return E_HANDLE;
  if (!psz) return E_POINTER;
  return PartSize(*t, iPartId, eSize, prc, *psz) ? S_OK : E_INVALIDARG;
}

HRESULT EnableThemeDialogTexture(HWND, DWORD) { return E_NOTIMPL; }
BOOL IsThemeDialogTextureEnabled(HWND) { return FALSE; }
DWORD GetThemeAppProperties() { return GAppProperties.load(); }
void SetThemeAppProperties(DWORD dwFlags) { GAppProperties.store(dwFlags); }

HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                   int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars) {
  if (!ActiveNow()) return E_FAIL;
  HRESULT results[] = {CopyOut(u"zelk.msstyles", pszThemeFileName, cchMaxNameChars),
                       CopyOut(u"NormalColor", pszColorBuff, cchMaxColorChars),
                       CopyOut(u"NormalSize", pszSizeBuff, cchMaxSizeChars)};
  for (HRESULT r : results)
    if (FAILED(r)) return r;
  return S_OK;
}

HRESULT GetThemeDocumentationProperty(LPCWSTR, LPCWSTR, LPWSTR, int) { return E_NOTIMPL; }

// Has the parent paint its background and client area into the child's DC, shifted so that the
// parent's pixels land under the child; prc (child coordinates) limits the painting.
HRESULT DrawThemeParentBackground(HWND hwnd, HDC hdc, const RECT* prc) {
  HWND parent = hwnd ? GetParent(hwnd) : nullptr;
  if (!parent || !hdc) return E_INVALIDARG;
  POINT offset{0, 0};
  MapWindowPoints(hwnd, parent, &offset, 1);
  int saved = SaveDC(hdc);
  if (prc) IntersectClipRect(hdc, prc->left, prc->top, prc->right, prc->bottom);
  POINT org;
  GetViewportOrgEx(hdc, &org);
  SetViewportOrgEx(hdc, org.x - offset.x, org.y - offset.y, nullptr);
  WPARAM dc = reinterpret_cast<WPARAM>(hdc);
  SendMessage(parent, WM_ERASEBKGND, dc, 0);
  SendMessage(parent, WM_PRINTCLIENT, dc, PRF_CLIENT);
  RestoreDC(hdc, saved);
  return S_OK;
}

HRESULT EnableTheming(BOOL fEnable) {
  SetThemeActive(fEnable != FALSE);
  return S_OK;
}

}  // namespace exports

template <class F>
void* Export(F* AFunction) {
  return reinterpret_cast<void*>(AFunction);
}

BOOL CollectWindow(HWND AWnd, LPARAM AList) {
  reinterpret_cast<std::vector<HWND>*>(AList)->push_back(AWnd);
  return TRUE;
}

}  // namespace

TTheme* ThemeOf(HTHEME AHandle) {
  THandles& h = Handles();
  std::lock_guard<std::mutex> guard(h.Lock);
  auto it = h.Live.find(reinterpret_cast<TTheme*>(AHandle));
  return it == h.Live.end() ? nullptr : *it;
}

}  // namespace uxtheme

using namespace uxtheme;

void RegisterThemeLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
#define ZELK_THEME_EXPORT(Name) TModuleExport{#Name, Export(&exports::Name)}
    RegisterBuiltinModule(
        u"UXTHEME.DLL",
        {ZELK_THEME_EXPORT(OpenThemeData), ZELK_THEME_EXPORT(OpenThemeDataForDpi),
         ZELK_THEME_EXPORT(CloseThemeData), ZELK_THEME_EXPORT(DrawThemeBackground),
         ZELK_THEME_EXPORT(DrawThemeText), ZELK_THEME_EXPORT(GetThemeBackgroundContentRect),
         ZELK_THEME_EXPORT(GetThemeBackgroundExtent), ZELK_THEME_EXPORT(GetThemeTextExtent),
         ZELK_THEME_EXPORT(GetThemeTextMetrics), ZELK_THEME_EXPORT(GetThemeBackgroundRegion),
         ZELK_THEME_EXPORT(HitTestThemeBackground), ZELK_THEME_EXPORT(DrawThemeEdge),
         ZELK_THEME_EXPORT(DrawThemeIcon), ZELK_THEME_EXPORT(IsThemePartDefined),
         ZELK_THEME_EXPORT(IsThemeBackgroundPartiallyTransparent), ZELK_THEME_EXPORT(GetThemeColor),
         ZELK_THEME_EXPORT(GetThemeMetric), ZELK_THEME_EXPORT(GetThemeString), ZELK_THEME_EXPORT(GetThemeBool),
         ZELK_THEME_EXPORT(GetThemeInt), ZELK_THEME_EXPORT(GetThemeEnumValue), ZELK_THEME_EXPORT(GetThemePosition),
         ZELK_THEME_EXPORT(GetThemeFont), ZELK_THEME_EXPORT(GetThemeRect), ZELK_THEME_EXPORT(GetThemeMargins),
         ZELK_THEME_EXPORT(GetThemeIntList), ZELK_THEME_EXPORT(SetWindowTheme), ZELK_THEME_EXPORT(GetThemeFilename),
         ZELK_THEME_EXPORT(GetThemeSysColor), ZELK_THEME_EXPORT(GetThemeSysColorBrush),
         ZELK_THEME_EXPORT(GetThemeSysBool), ZELK_THEME_EXPORT(GetThemeSysSize), ZELK_THEME_EXPORT(GetThemeSysFont),
         ZELK_THEME_EXPORT(GetThemeSysString), ZELK_THEME_EXPORT(GetThemeSysInt), ZELK_THEME_EXPORT(IsThemeActive),
         ZELK_THEME_EXPORT(IsAppThemed), ZELK_THEME_EXPORT(GetWindowTheme), ZELK_THEME_EXPORT(GetThemePartSize),
         ZELK_THEME_EXPORT(EnableThemeDialogTexture), ZELK_THEME_EXPORT(IsThemeDialogTextureEnabled),
         ZELK_THEME_EXPORT(GetThemeAppProperties), ZELK_THEME_EXPORT(SetThemeAppProperties),
         ZELK_THEME_EXPORT(GetCurrentThemeName), ZELK_THEME_EXPORT(GetThemeDocumentationProperty),
         ZELK_THEME_EXPORT(DrawThemeParentBackground), ZELK_THEME_EXPORT(EnableTheming)});
#undef ZELK_THEME_EXPORT
  });
}

bool ThemeActive() { return ActiveNow(); }

void SetThemeActive(bool AActive) {
  bool was = ActiveNow();
  GActive.store(AActive ? 1 : 0);
  if (was == AActive) return;
  std::vector<HWND> windows;
  EnumChildWindows(nullptr, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  DWORD self = GetCurrentThreadId();
  for (HWND w : windows) {
    if (GetWindowThreadProcessId(w, nullptr) == self)
      SendMessage(w, WM_THEMECHANGED, 0, 0);
    else
      PostMessage(w, WM_THEMECHANGED, 0, 0);
  }
}
