#pragma once
// The visual-styles library: the module "UXTHEME.DLL" of the window system, which draws the themed
// parts of buttons, check boxes, radio buttons, combo boxes, spin buttons, header items and progress
// bars and track bars on our device contexts. Programs reach it only by name: LoadLibraryW("UXTHEME.DLL") and
// GetProcAddress of its exports, with the signatures below (the T...Proc types). Its exports are
// the platform's visual-styles functions; those the program never calls answer E_NOTIMPL (or
// FALSE, 0, nothing) but exist, so that binders that require every name find them.
//
// Switches: the module can be missing (ZELK_MISSING_MODULES=uxtheme.dll or SetModuleMissing) and so
// can a single export (ZELK_MISSING_EXPORTS=uxtheme.dll:OpenThemeDataForDpi or SetExportMissing),
// see platform/rtl/Modules.h. Themes themselves are on by default; ZELK_THEME=classic starts without
// them and SetThemeActive switches at run time, sending WM_THEMECHANGED to every window.
#include "platform/win/WinError.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

// ---------------------------------------------------------------------------------------------
// Types and results

struct HTHEME__;
using HTHEME = HTHEME__*;
struct HIMAGELIST__;
using HIMAGELIST = HIMAGELIST__*;

// HRESULT_FROM_WIN32(ERROR_NOT_FOUND): a property or part the theme does not have.
constexpr HRESULT E_PROP_ID_UNSUPPORTED = static_cast<HRESULT>(0x80070490);

struct MARGINS {
  int cxLeftWidth = 0;
  int cxRightWidth = 0;
  int cyTopHeight = 0;
  int cyBottomHeight = 0;
};

constexpr int MAX_INTLIST_COUNT = 402;
struct INTLIST {
  int iValueCount = 0;
  int iValues[MAX_INTLIST_COUNT] = {};
};

enum THEMESIZE { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };

// DrawThemeText dwTextFlags2
constexpr DWORD DTT_GRAYED = 0x00000001;

// Application properties (Get/SetThemeAppProperties)
constexpr DWORD STAP_ALLOW_NONCLIENT = 0x00000001;
constexpr DWORD STAP_ALLOW_CONTROLS = 0x00000002;
constexpr DWORD STAP_ALLOW_WEBCONTENT = 0x00000004;

// EnableThemeDialogTexture
constexpr DWORD ETDT_DISABLE = 0x00000001;
constexpr DWORD ETDT_ENABLE = 0x00000002;
constexpr DWORD ETDT_USETABTEXTURE = 0x00000004;
constexpr DWORD ETDT_ENABLETAB = ETDT_ENABLE | ETDT_USETABTEXTURE;

// ---------------------------------------------------------------------------------------------
// Parts and states

// "button"
constexpr int BP_PUSHBUTTON = 1;
constexpr int BP_RADIOBUTTON = 2;
constexpr int BP_CHECKBOX = 3;
constexpr int BP_GROUPBOX = 4;
constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
constexpr int RBS_UNCHECKEDNORMAL = 1, RBS_UNCHECKEDHOT = 2, RBS_UNCHECKEDPRESSED = 3, RBS_UNCHECKEDDISABLED = 4,
              RBS_CHECKEDNORMAL = 5, RBS_CHECKEDHOT = 6, RBS_CHECKEDPRESSED = 7, RBS_CHECKEDDISABLED = 8;
constexpr int CBS_UNCHECKEDNORMAL = 1, CBS_UNCHECKEDHOT = 2, CBS_UNCHECKEDPRESSED = 3, CBS_UNCHECKEDDISABLED = 4,
              CBS_CHECKEDNORMAL = 5, CBS_CHECKEDHOT = 6, CBS_CHECKEDPRESSED = 7, CBS_CHECKEDDISABLED = 8,
              CBS_MIXEDNORMAL = 9, CBS_MIXEDHOT = 10, CBS_MIXEDPRESSED = 11, CBS_MIXEDDISABLED = 12;

// "combobox"
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int CP_DROPDOWNBUTTONRIGHT = 6;
constexpr int CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4;

// "spin"
constexpr int SPNP_UP = 1;
constexpr int SPNP_DOWN = 2;
constexpr int SPNP_UPHORZ = 3;
constexpr int SPNP_DOWNHORZ = 4;
constexpr int UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4;
constexpr int DNS_NORMAL = 1, DNS_HOT = 2, DNS_PRESSED = 3, DNS_DISABLED = 4;
constexpr int UPHZS_NORMAL = 1, UPHZS_HOT = 2, UPHZS_PRESSED = 3, UPHZS_DISABLED = 4;
constexpr int DNHZS_NORMAL = 1, DNHZS_HOT = 2, DNHZS_PRESSED = 3, DNHZS_DISABLED = 4;

// "header"
constexpr int HP_HEADERITEM = 1;
constexpr int HP_HEADERITEMRIGHT = 2;
constexpr int HIS_NORMAL = 1, HIS_HOT = 2, HIS_PRESSED = 3;

// "Progress"
constexpr int PP_BAR = 1;
constexpr int PP_BARVERT = 2;
constexpr int PP_CHUNK = 3;
constexpr int PP_CHUNKVERT = 4;

// "trackbar"
constexpr int TKP_TRACK = 1;
constexpr int TKP_TRACKVERT = 2;
constexpr int TKP_THUMB = 3;
constexpr int TKP_THUMBBOTTOM = 4;
constexpr int TKP_THUMBTOP = 5;
constexpr int TKP_THUMBVERT = 6;
constexpr int TKP_THUMBLEFT = 7;
constexpr int TKP_THUMBRIGHT = 8;
constexpr int TKP_TICS = 9;
constexpr int TKP_TICSVERT = 10;
constexpr int TRS_NORMAL = 1;
constexpr int TUS_NORMAL = 1, TUS_HOT = 2, TUS_PRESSED = 3, TUS_FOCUSED = 4, TUS_DISABLED = 5;
constexpr int TSS_NORMAL = 1;

// Colour properties (GetThemeColor)
constexpr int TMT_BORDERCOLOR = 3801;
constexpr int TMT_FILLCOLOR = 3802;
constexpr int TMT_TEXTCOLOR = 3803;

// ---------------------------------------------------------------------------------------------
// The exports' signatures, in the order the bindings resolve them.

using TOpenThemeDataProc = HTHEME (*)(HWND hwnd, LPCWSTR pszClassList);
using TOpenThemeDataForDpiProc = HTHEME (*)(HWND hwnd, LPCWSTR pszClassList, UINT dpi);
using TCloseThemeDataProc = HRESULT (*)(HTHEME hTheme);
using TDrawThemeBackgroundProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                             const RECT* pClipRect);
using TDrawThemeTextProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText,
                                       int cchText, DWORD dwTextFlags, DWORD dwTextFlags2, const RECT* pRect);
using TGetThemeBackgroundContentRectProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                                       const RECT* pBoundingRect, RECT* pContentRect);
using TGetThemeBackgroundExtentProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                                  const RECT* pContentRect, RECT* pExtentRect);
using TGetThemeTextExtentProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText,
                                            int cchCharCount, DWORD dwTextFlags, const RECT* pBoundingRect,
                                            RECT* pExtentRect);
using TGetThemeTextMetricsProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, TEXTMETRICW* ptm);
using TGetThemeBackgroundRegionProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                                  const RECT* pRect, HRGN* pRegion);
using THitTestThemeBackgroundProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId,
                                                DWORD dwOptions, const RECT* pRect, HRGN hrgn, POINT ptTest,
                                                WORD* pwHitTestCode);
using TDrawThemeEdgeProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pDestRect,
                                       UINT uEdge, UINT uFlags, RECT* pContentRect);
using TDrawThemeIconProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                       HIMAGELIST himl, int iImageIndex);
using TIsThemePartDefinedProc = BOOL (*)(HTHEME hTheme, int iPartId, int iStateId);
using TIsThemeBackgroundPartiallyTransparentProc = BOOL (*)(HTHEME hTheme, int iPartId, int iStateId);
using TGetThemeColorProc = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor);
using TGetThemeMetricProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId, int* piVal);
using TGetThemeStringProc = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, LPWSTR pszBuff,
                                        int cchMaxBuffChars);
using TGetThemeBoolProc = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, BOOL* pfVal);
using TGetThemeIntProc = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, int* piVal);
using TGetThemeEnumValueProc = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, int* piVal);
using TGetThemePositionProc = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, POINT* pPoint);
using TGetThemeFontProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId,
                                      LOGFONTW* pFont);
using TGetThemeRectProc = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, RECT* pRect);
using TGetThemeMarginsProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId,
                                         const RECT* prc, MARGINS* pMargins);
using TGetThemeIntListProc = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId, INTLIST* pIntList);
using TSetWindowThemeProc = HRESULT (*)(HWND hwnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList);
using TGetThemeFilenameProc = HRESULT (*)(HTHEME hTheme, int iPartId, int iStateId, int iPropId,
                                          LPWSTR pszThemeFileName, int cchMaxBuffChars);
using TGetThemeSysColorProc = COLORREF (*)(HTHEME hTheme, int iColorId);
using TGetThemeSysColorBrushProc = HBRUSH (*)(HTHEME hTheme, int iColorId);
using TGetThemeSysBoolProc = BOOL (*)(HTHEME hTheme, int iBoolId);
using TGetThemeSysSizeProc = int (*)(HTHEME hTheme, int iSizeId);
using TGetThemeSysFontProc = HRESULT (*)(HTHEME hTheme, int iFontId, LOGFONTW* plf);
using TGetThemeSysStringProc = HRESULT (*)(HTHEME hTheme, int iStringId, LPWSTR pszStringBuff,
                                           int cchMaxStringChars);
using TGetThemeSysIntProc = HRESULT (*)(HTHEME hTheme, int iIntId, int* piValue);
using TIsThemeActiveProc = BOOL (*)();
using TIsAppThemedProc = BOOL (*)();
using TGetWindowThemeProc = HTHEME (*)(HWND hwnd);
using TGetThemePartSizeProc = HRESULT (*)(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* prc,
                                          THEMESIZE eSize, SIZE* psz);
using TEnableThemeDialogTextureProc = HRESULT (*)(HWND hwnd, DWORD dwFlags);
using TIsThemeDialogTextureEnabledProc = BOOL (*)(HWND hwnd);
using TGetThemeAppPropertiesProc = DWORD (*)();
using TSetThemeAppPropertiesProc = void (*)(DWORD dwFlags);
using TGetCurrentThemeNameProc = HRESULT (*)(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                             int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars);
using TGetThemeDocumentationPropertyProc = HRESULT (*)(LPCWSTR pszThemeName, LPCWSTR pszPropertyName,
                                                       LPWSTR pszValueBuff, int cchMaxValChars);
using TDrawThemeParentBackgroundProc = HRESULT (*)(HWND hwnd, HDC hdc, const RECT* prc);
using TEnableThemingProc = HRESULT (*)(BOOL fEnable);

// ---------------------------------------------------------------------------------------------
// The module in this process

// Registers the built-in module "UXTHEME.DLL" with its export table (again: nothing). The program's
// start-up calls it before any unit loads the library.
void RegisterThemeLibrary();

// Visual styles on (the default; ZELK_THEME=classic starts with them off) or off. A change sends
// WM_THEMECHANGED to every window of the process: synchronously to the calling thread's windows,
// posted to the windows of other threads. While off, IsThemeActive and IsAppThemed answer FALSE
// and OpenThemeData answers no theme.
void SetThemeActive(bool AActive);
bool ThemeActive();
