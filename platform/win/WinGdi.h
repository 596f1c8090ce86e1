#pragma once
// GDI: device contexts, drawing objects, regions, bitmaps, lines, shapes, text and blits, with the
// platform's names, constants and structure layouts. Also the user-level drawing helpers that sit
// on GDI (DrawText, DrawEdge, DrawFrameControl, DrawFocusRect, FillRect, FrameRect, InvertRect).
// Text parameters are UTF-16.
#include "platform/win/WinTypes.h"

#include <cstdint>

// ---- Object and mapping constants ----
constexpr int OBJ_PEN = 1, OBJ_BRUSH = 2, OBJ_DC = 3, OBJ_PAL = 5, OBJ_FONT = 6, OBJ_BITMAP = 7,
              OBJ_REGION = 8, OBJ_MEMDC = 10, OBJ_EXTPEN = 11;

constexpr int WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4,
              NULL_BRUSH = 5, HOLLOW_BRUSH = NULL_BRUSH, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8,
              OEM_FIXED_FONT = 10, ANSI_FIXED_FONT = 11, ANSI_VAR_FONT = 12, SYSTEM_FONT = 13,
              DEVICE_DEFAULT_FONT = 14, DEFAULT_PALETTE = 15, SYSTEM_FIXED_FONT = 16, DEFAULT_GUI_FONT = 17,
              DC_BRUSH = 18, DC_PEN = 19;

constexpr int MM_TEXT = 1, MM_LOMETRIC = 2;

// GetDeviceCaps
constexpr int DRIVERVERSION = 0, TECHNOLOGY = 2, HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10,
              BITSPIXEL = 12, PLANES = 14, NUMCOLORS = 24, RASTERCAPS = 38, LOGPIXELSX = 88,
              LOGPIXELSY = 90, SIZEPALETTE = 104, PHYSICALWIDTH = 110, PHYSICALHEIGHT = 111,
              PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113, VREFRESH = 116, DESKTOPVERTRES = 117,
              DESKTOPHORZRES = 118, SHADEBLENDCAPS = 120;
constexpr int DT_PLOTTER = 0, DT_RASDISPLAY = 1, DT_RASPRINTER = 2;
constexpr int RC_BITBLT = 1, RC_BITMAP64 = 8, RC_DI_BITMAP = 0x80, RC_DIBTODEV = 0x200,
              RC_STRETCHBLT = 0x800, RC_STRETCHDIB = 0x2000;

// Background modes, polygon fill modes, stretch modes, arc directions
constexpr int TRANSPARENT = 1, OPAQUE = 2;
constexpr int ALTERNATE = 1, WINDING = 2;
constexpr int BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4;
constexpr int STRETCH_ANDSCANS = 1, STRETCH_ORSCANS = 2, STRETCH_DELETESCANS = 3, STRETCH_HALFTONE = 4;

// Binary raster operations (SetROP2)
constexpr int R2_BLACK = 1, R2_NOTMERGEPEN = 2, R2_MASKNOTPEN = 3, R2_NOTCOPYPEN = 4, R2_MASKPENNOT = 5,
              R2_NOT = 6, R2_XORPEN = 7, R2_NOTMASKPEN = 8, R2_MASKPEN = 9, R2_NOTXORPEN = 10, R2_NOP = 11,
              R2_MERGENOTPEN = 12, R2_COPYPEN = 13, R2_MERGEPENNOT = 14, R2_MERGEPEN = 15, R2_WHITE = 16;

// Ternary raster operations (BitBlt, PatBlt)
constexpr DWORD SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
                SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6,
                MERGECOPY = 0x00C000CA, MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021, PATPAINT = 0x00FB0A09,
                PATINVERT = 0x005A0049, DSTINVERT = 0x00550009, BLACKNESS = 0x00000042,
                WHITENESS = 0x00FF0062;

// Regions
constexpr int ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3, RGN_ERROR = ERROR;
constexpr int RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5;
constexpr int RDH_RECTANGLES = 1;

// Pens
constexpr UINT PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5,
               PS_INSIDEFRAME = 6, PS_USERSTYLE = 7, PS_ALTERNATE = 8, PS_STYLE_MASK = 0x0F;
constexpr UINT PS_ENDCAP_ROUND = 0x000, PS_ENDCAP_SQUARE = 0x100, PS_ENDCAP_FLAT = 0x200,
               PS_ENDCAP_MASK = 0xF00;
constexpr UINT PS_JOIN_ROUND = 0x0000, PS_JOIN_BEVEL = 0x1000, PS_JOIN_MITER = 0x2000, PS_JOIN_MASK = 0xF000;
constexpr UINT PS_COSMETIC = 0x00000, PS_GEOMETRIC = 0x10000, PS_TYPE_MASK = 0xF0000;

// Brushes
constexpr UINT BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = BS_NULL, BS_HATCHED = 2, BS_PATTERN = 3,
               BS_DIBPATTERN = 5;
constexpr int HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4,
              HS_DIAGCROSS = 5;

// Fonts
constexpr int LF_FACESIZE = 32;
constexpr LONG FW_DONTCARE = 0, FW_THIN = 100, FW_EXTRALIGHT = 200, FW_LIGHT = 300, FW_NORMAL = 400,
               FW_MEDIUM = 500, FW_SEMIBOLD = 600, FW_BOLD = 700, FW_EXTRABOLD = 800, FW_HEAVY = 900;
constexpr BYTE ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, OEM_CHARSET = 255;
constexpr BYTE OUT_DEFAULT_PRECIS = 0, OUT_TT_PRECIS = 4, OUT_TT_ONLY_PRECIS = 7;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0, DRAFT_QUALITY = 1, PROOF_QUALITY = 2, NONANTIALIASED_QUALITY = 3,
               ANTIALIASED_QUALITY = 4, CLEARTYPE_QUALITY = 5;
constexpr BYTE DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00, FF_ROMAN = 0x10, FF_SWISS = 0x20, FF_MODERN = 0x30, FF_SCRIPT = 0x40,
               FF_DECORATIVE = 0x50;
constexpr BYTE TMPF_FIXED_PITCH = 0x01, TMPF_VECTOR = 0x02, TMPF_TRUETYPE = 0x04;
constexpr DWORD TRUETYPE_FONTTYPE = 4;

// Text alignment
constexpr UINT TA_NOUPDATECP = 0, TA_UPDATECP = 1, TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_TOP = 0,
               TA_BOTTOM = 8, TA_BASELINE = 24, TA_RTLREADING = 256;
constexpr UINT GDI_ERROR = 0xFFFFFFFF;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// ExtTextOut
constexpr UINT ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004, ETO_RTLREADING = 0x0080, ETO_IGNORELANGUAGE = 0x1000;

// DrawText
constexpr UINT DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
               DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
               DT_TABSTOP = 0x80, DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400,
               DT_NOPREFIX = 0x800, DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000,
               DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000,
               DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000, DT_NOFULLWIDTHCHARBREAK = 0x80000,
               DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000;

// DrawEdge
constexpr UINT BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8,
               BDR_OUTER = 0x3, BDR_INNER = 0xC, BDR_RAISED = 0x5, BDR_SUNKEN = 0xA;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
               EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_TOPLEFT = 0x3,
               BF_TOPRIGHT = 0x6, BF_BOTTOMLEFT = 0x9, BF_BOTTOMRIGHT = 0xC, BF_RECT = 0xF, BF_DIAGONAL = 0x10,
               BF_MIDDLE = 0x800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000;

// DrawFrameControl
constexpr UINT DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4;
constexpr UINT DFCS_BUTTONCHECK = 0x0000, DFCS_BUTTONRADIOIMAGE = 0x0001, DFCS_BUTTONRADIOMASK = 0x0002,
               DFCS_BUTTONRADIO = 0x0004, DFCS_BUTTON3STATE = 0x0008, DFCS_BUTTONPUSH = 0x0010;
constexpr UINT DFCS_SCROLLUP = 0x0000, DFCS_SCROLLDOWN = 0x0001, DFCS_SCROLLLEFT = 0x0002,
               DFCS_SCROLLRIGHT = 0x0003, DFCS_SCROLLCOMBOBOX = 0x0005, DFCS_SCROLLSIZEGRIP = 0x0008,
               DFCS_SCROLLSIZEGRIPRIGHT = 0x0010;
constexpr UINT DFCS_INACTIVE = 0x0100, DFCS_PUSHED = 0x0200, DFCS_CHECKED = 0x0400, DFCS_TRANSPARENT = 0x0800,
               DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000, DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000;

// Bitmaps
constexpr DWORD BI_RGB = 0, BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0, DIB_PAL_COLORS = 1;
constexpr BYTE AC_SRC_OVER = 0x00, AC_SRC_ALPHA = 0x01;

// Flood fill
constexpr UINT FLOODFILLBORDER = 0, FLOODFILLSURFACE = 1;

// Arc direction
constexpr int AD_COUNTERCLOCKWISE = 1, AD_CLOCKWISE = 2;

// ---- Structures (platform layouts) ----
struct LOGPEN {
  UINT lopnStyle = 0;
  POINT lopnWidth;
  COLORREF lopnColor = 0;
};
struct LOGBRUSH {
  UINT lbStyle = 0;
  COLORREF lbColor = 0;
  std::uintptr_t lbHatch = 0;
};
struct EXTLOGPEN {
  DWORD elpPenStyle = 0;
  DWORD elpWidth = 0;
  UINT elpBrushStyle = 0;
  COLORREF elpColor = 0;
  std::uintptr_t elpHatch = 0;
  DWORD elpNumEntries = 0;
  DWORD elpStyleEntry[1] = {0};
};
struct LOGFONTW {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  Char lfFaceName[LF_FACESIZE] = {};
};
struct LOGFONTA {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  char lfFaceName[LF_FACESIZE] = {};
};
using LOGFONT = LOGFONTW;
static_assert(sizeof(LOGFONTA) == 60 && sizeof(LOGFONTW) == 92);

struct TEXTMETRICW {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  LONG tmDigitizedAspectX = 0;
  LONG tmDigitizedAspectY = 0;
  Char tmFirstChar = 0;
  Char tmLastChar = 0;
  Char tmDefaultChar = 0;
  Char tmBreakChar = 0;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;
  BYTE tmCharSet = 0;
};
using TEXTMETRIC = TEXTMETRICW;

struct BITMAP {
  LONG bmType = 0;
  LONG bmWidth = 0;
  LONG bmHeight = 0;
  LONG bmWidthBytes = 0;
  WORD bmPlanes = 0;
  WORD bmBitsPixel = 0;
  void* bmBits = nullptr;
};
#pragma pack(push, 2)
struct BITMAPFILEHEADER {
  WORD bfType = 0;
  DWORD bfSize = 0;
  WORD bfReserved1 = 0;
  WORD bfReserved2 = 0;
  DWORD bfOffBits = 0;
};
#pragma pack(pop)
struct BITMAPINFOHEADER {
  DWORD biSize = 0;
  LONG biWidth = 0;
  LONG biHeight = 0;
  WORD biPlanes = 0;
  WORD biBitCount = 0;
  DWORD biCompression = 0;
  DWORD biSizeImage = 0;
  LONG biXPelsPerMeter = 0;
  LONG biYPelsPerMeter = 0;
  DWORD biClrUsed = 0;
  DWORD biClrImportant = 0;
};
struct RGBQUAD {
  BYTE rgbBlue = 0;
  BYTE rgbGreen = 0;
  BYTE rgbRed = 0;
  BYTE rgbReserved = 0;
};
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};
struct DIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3] = {0, 0, 0};
  HANDLE dshSection = nullptr;
  DWORD dsOffset = 0;
};

struct RGNDATAHEADER {
  DWORD dwSize = 0;
  DWORD iType = 0;
  DWORD nCount = 0;
  DWORD nRgnSize = 0;
  RECT rcBound;
};
struct RGNDATA {
  RGNDATAHEADER rdh;
  char Buffer[1];
};

struct BLENDFUNCTION {
  BYTE BlendOp = AC_SRC_OVER;
  BYTE BlendFlags = 0;
  BYTE SourceConstantAlpha = 255;
  BYTE AlphaFormat = 0;
};

struct DRAWTEXTPARAMS {
  UINT cbSize = sizeof(DRAWTEXTPARAMS);
  int iTabLength = 0;
  int iLeftMargin = 0;
  int iRightMargin = 0;
  UINT uiLengthDrawn = 0;
};

// ---- Device contexts ----
HDC CreateCompatibleDC(HDC ADC);
BOOL DeleteDC(HDC ADC);
int SaveDC(HDC ADC);
BOOL RestoreDC(HDC ADC, int ASavedDC);
int GetDeviceCaps(HDC ADC, int AIndex);
BOOL GdiFlush();
int GetObjectType(HGDIOBJ AObject);
BOOL GetDCOrgEx(HDC ADC, POINT* APoint);

// Mapping
int SetMapMode(HDC ADC, int AMode);
int GetMapMode(HDC ADC);
BOOL SetWindowOrgEx(HDC ADC, int X, int Y, POINT* AOld);
BOOL GetWindowOrgEx(HDC ADC, POINT* APoint);
BOOL OffsetWindowOrgEx(HDC ADC, int DX, int DY, POINT* AOld);
BOOL SetViewportOrgEx(HDC ADC, int X, int Y, POINT* AOld);
BOOL GetViewportOrgEx(HDC ADC, POINT* APoint);
BOOL OffsetViewportOrgEx(HDC ADC, int DX, int DY, POINT* AOld);
BOOL GetWindowExtEx(HDC ADC, SIZE* ASize);
BOOL GetViewportExtEx(HDC ADC, SIZE* ASize);
BOOL LPtoDP(HDC ADC, POINT* APoints, int ACount);
BOOL DPtoLP(HDC ADC, POINT* APoints, int ACount);

// Attributes
int SetBkMode(HDC ADC, int AMode);
int GetBkMode(HDC ADC);
COLORREF SetBkColor(HDC ADC, COLORREF AColor);
COLORREF GetBkColor(HDC ADC);
COLORREF SetTextColor(HDC ADC, COLORREF AColor);
COLORREF GetTextColor(HDC ADC);
UINT SetTextAlign(HDC ADC, UINT AAlign);
UINT GetTextAlign(HDC ADC);
int SetROP2(HDC ADC, int ARop);
int GetROP2(HDC ADC);
int SetStretchBltMode(HDC ADC, int AMode);
int GetStretchBltMode(HDC ADC);
int SetPolyFillMode(HDC ADC, int AMode);
int GetPolyFillMode(HDC ADC);
int SetArcDirection(HDC ADC, int ADirection);
int GetArcDirection(HDC ADC);
BOOL SetBrushOrgEx(HDC ADC, int X, int Y, POINT* AOld);
BOOL GetBrushOrgEx(HDC ADC, POINT* APoint);
COLORREF SetDCBrushColor(HDC ADC, COLORREF AColor);
COLORREF SetDCPenColor(HDC ADC, COLORREF AColor);

// ---- Objects ----
HGDIOBJ GetStockObject(int AIndex);
HGDIOBJ SelectObject(HDC ADC, HGDIOBJ AObject);
BOOL DeleteObject(HGDIOBJ AObject);
HGDIOBJ GetCurrentObject(HDC ADC, UINT AType);
int GetObject(HGDIOBJ AObject, int ASize, void* ABuffer);
inline int GetObjectW(HGDIOBJ AObject, int ASize, void* ABuffer) { return GetObject(AObject, ASize, ABuffer); }

HPEN CreatePen(int AStyle, int AWidth, COLORREF AColor);
HPEN CreatePenIndirect(const LOGPEN* APen);
HPEN ExtCreatePen(DWORD AStyle, DWORD AWidth, const LOGBRUSH* ABrush, DWORD AStyleCount, const DWORD* AStyles);
HBRUSH CreateSolidBrush(COLORREF AColor);
HBRUSH CreateHatchBrush(int AHatch, COLORREF AColor);
HBRUSH CreatePatternBrush(HBITMAP ABitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* ABrush);
HFONT CreateFontIndirect(const LOGFONTW* AFont);
inline HFONT CreateFontIndirectW(const LOGFONTW* AFont) { return CreateFontIndirect(AFont); }
HFONT CreateFontIndirectA(const LOGFONTA* AFont);
HFONT CreateFont(int AHeight, int AWidth, int AEscapement, int AOrientation, int AWeight, DWORD AItalic,
                 DWORD AUnderline, DWORD AStrikeOut, DWORD ACharSet, DWORD AOutPrecision, DWORD AClipPrecision,
                 DWORD AQuality, DWORD APitchAndFamily, LPCWSTR AFaceName);

// Bitmaps
HBITMAP CreateCompatibleBitmap(HDC ADC, int AWidth, int AHeight);
HBITMAP CreateBitmap(int AWidth, int AHeight, UINT APlanes, UINT ABitsPerPixel, const void* ABits);
HBITMAP CreateDIBSection(HDC ADC, const BITMAPINFO* AInfo, UINT AUsage, void** ABits, HANDLE ASection,
                         DWORD AOffset);
HBITMAP CreateDIBitmap(HDC ADC, const BITMAPINFOHEADER* AHeader, DWORD AInit, const void* ABits,
                       const BITMAPINFO* AInfo, UINT AUsage);
constexpr DWORD CBM_INIT = 4;
int GetDIBits(HDC ADC, HBITMAP ABitmap, UINT AStart, UINT ALines, void* ABits, BITMAPINFO* AInfo, UINT AUsage);
int SetDIBits(HDC ADC, HBITMAP ABitmap, UINT AStart, UINT ALines, const void* ABits, const BITMAPINFO* AInfo,
              UINT AUsage);
LONG GetBitmapBits(HBITMAP ABitmap, LONG ACount, void* ABits);
BOOL GetBitmapDimensionEx(HBITMAP ABitmap, SIZE* ASize);

// ---- Regions and clipping ----
HRGN CreateRectRgn(int ALeft, int ATop, int ARight, int ABottom);
HRGN CreateRectRgnIndirect(const RECT* ARect);
HRGN CreateRoundRectRgn(int ALeft, int ATop, int ARight, int ABottom, int AWidth, int AHeight);
HRGN CreateEllipticRgn(int ALeft, int ATop, int ARight, int ABottom);
HRGN CreateEllipticRgnIndirect(const RECT* ARect);
HRGN CreatePolygonRgn(const POINT* APoints, int ACount, int AFillMode);
HRGN CreatePolyPolygonRgn(const POINT* APoints, const int* ACounts, int APolygons, int AFillMode);
HRGN ExtCreateRegion(const void* AXform, DWORD ACount, const RGNDATA* AData);
int CombineRgn(HRGN ADest, HRGN ASrc1, HRGN ASrc2, int AMode);
int OffsetRgn(HRGN ARgn, int DX, int DY);
BOOL PtInRegion(HRGN ARgn, int X, int Y);
BOOL RectInRegion(HRGN ARgn, const RECT* ARect);
BOOL EqualRgn(HRGN A, HRGN B);
int GetRgnBox(HRGN ARgn, RECT* ARect);
DWORD GetRegionData(HRGN ARgn, DWORD ACount, RGNDATA* AData);
BOOL SetRectRgn(HRGN ARgn, int ALeft, int ATop, int ARight, int ABottom);

int SelectClipRgn(HDC ADC, HRGN ARgn);
int ExtSelectClipRgn(HDC ADC, HRGN ARgn, int AMode);
int IntersectClipRect(HDC ADC, int ALeft, int ATop, int ARight, int ABottom);
int ExcludeClipRect(HDC ADC, int ALeft, int ATop, int ARight, int ABottom);
int OffsetClipRgn(HDC ADC, int DX, int DY);
int GetClipBox(HDC ADC, RECT* ARect);
int GetClipRgn(HDC ADC, HRGN ARgn);   // 1 with a clip region (copied into ARgn), 0 without, -1 on error
BOOL PtVisible(HDC ADC, int X, int Y);
BOOL RectVisible(HDC ADC, const RECT* ARect);
int SelectClipPath(HDC ADC, int AMode);

// ---- Lines and shapes ----
BOOL MoveToEx(HDC ADC, int X, int Y, POINT* AOld);
BOOL GetCurrentPositionEx(HDC ADC, POINT* APoint);
BOOL LineTo(HDC ADC, int X, int Y);
BOOL Polyline(HDC ADC, const POINT* APoints, int ACount);
BOOL PolylineTo(HDC ADC, const POINT* APoints, DWORD ACount);
BOOL PolyPolyline(HDC ADC, const POINT* APoints, const DWORD* ACounts, DWORD APolylines);
BOOL Polygon(HDC ADC, const POINT* APoints, int ACount);
BOOL PolyPolygon(HDC ADC, const POINT* APoints, const int* ACounts, int APolygons);
BOOL Rectangle(HDC ADC, int ALeft, int ATop, int ARight, int ABottom);
BOOL RoundRect(HDC ADC, int ALeft, int ATop, int ARight, int ABottom, int AWidth, int AHeight);
BOOL Ellipse(HDC ADC, int ALeft, int ATop, int ARight, int ABottom);
BOOL Arc(HDC ADC, int ALeft, int ATop, int ARight, int ABottom, int AXStart, int AYStart, int AXEnd, int AYEnd);
BOOL ArcTo(HDC ADC, int ALeft, int ATop, int ARight, int ABottom, int AXStart, int AYStart, int AXEnd, int AYEnd);
BOOL Chord(HDC ADC, int ALeft, int ATop, int ARight, int ABottom, int AXStart, int AYStart, int AXEnd, int AYEnd);
BOOL Pie(HDC ADC, int ALeft, int ATop, int ARight, int ABottom, int AXStart, int AYStart, int AXEnd, int AYEnd);
BOOL AngleArc(HDC ADC, int X, int Y, DWORD ARadius, float AStartAngle, float ASweepAngle);
BOOL PolyBezier(HDC ADC, const POINT* APoints, DWORD ACount);
BOOL PolyBezierTo(HDC ADC, const POINT* APoints, DWORD ACount);
int FillRect(HDC ADC, const RECT* ARect, HBRUSH ABrush);
int FrameRect(HDC ADC, const RECT* ARect, HBRUSH ABrush);
BOOL InvertRect(HDC ADC, const RECT* ARect);
BOOL FillRgn(HDC ADC, HRGN ARgn, HBRUSH ABrush);
BOOL FrameRgn(HDC ADC, HRGN ARgn, HBRUSH ABrush, int AWidth, int AHeight);
BOOL PaintRgn(HDC ADC, HRGN ARgn);
BOOL InvertRgn(HDC ADC, HRGN ARgn);
BOOL FloodFill(HDC ADC, int X, int Y, COLORREF AColor);
BOOL ExtFloodFill(HDC ADC, int X, int Y, COLORREF AColor, UINT AType);
COLORREF SetPixel(HDC ADC, int X, int Y, COLORREF AColor);
BOOL SetPixelV(HDC ADC, int X, int Y, COLORREF AColor);
COLORREF GetPixel(HDC ADC, int X, int Y);

// Paths
BOOL BeginPath(HDC ADC);
BOOL EndPath(HDC ADC);
BOOL AbortPath(HDC ADC);
BOOL CloseFigure(HDC ADC);
BOOL StrokePath(HDC ADC);
BOOL FillPath(HDC ADC);
BOOL StrokeAndFillPath(HDC ADC);
BOOL WidenPath(HDC ADC);
HRGN PathToRegion(HDC ADC);

// ---- Text ----
BOOL TextOut(HDC ADC, int X, int Y, LPCWSTR AText, int ACount);
BOOL ExtTextOut(HDC ADC, int X, int Y, UINT AOptions, const RECT* ARect, LPCWSTR AText, UINT ACount,
                const int* ADx);
inline BOOL TextOutW(HDC ADC, int X, int Y, LPCWSTR AText, int ACount) { return TextOut(ADC, X, Y, AText, ACount); }
inline BOOL ExtTextOutW(HDC ADC, int X, int Y, UINT AOptions, const RECT* ARect, LPCWSTR AText, UINT ACount,
                        const int* ADx) {
  return ExtTextOut(ADC, X, Y, AOptions, ARect, AText, ACount, ADx);
}
BOOL GetTextMetrics(HDC ADC, TEXTMETRICW* AMetrics);
inline BOOL GetTextMetricsW(HDC ADC, TEXTMETRICW* AMetrics) { return GetTextMetrics(ADC, AMetrics); }
BOOL GetTextExtentPoint32(HDC ADC, LPCWSTR AText, int ACount, SIZE* ASize);
inline BOOL GetTextExtentPoint32W(HDC ADC, LPCWSTR AText, int ACount, SIZE* ASize) {
  return GetTextExtentPoint32(ADC, AText, ACount, ASize);
}
BOOL GetTextExtentExPoint(HDC ADC, LPCWSTR AText, int ACount, int AMaxExtent, int* AFit, int* ADx, SIZE* ASize);
BOOL GetCharWidth32(HDC ADC, UINT AFirst, UINT ALast, int* AWidths);
int GetTextFace(HDC ADC, int ACount, LPWSTR AName);

int DrawText(HDC ADC, LPCWSTR AText, int ACount, RECT* ARect, UINT AFormat);
int DrawTextEx(HDC ADC, LPWSTR AText, int ACount, RECT* ARect, UINT AFormat, DRAWTEXTPARAMS* AParams);
inline int DrawTextW(HDC ADC, LPCWSTR AText, int ACount, RECT* ARect, UINT AFormat) {
  return DrawText(ADC, AText, ACount, ARect, AFormat);
}
inline int DrawTextExW(HDC ADC, LPWSTR AText, int ACount, RECT* ARect, UINT AFormat, DRAWTEXTPARAMS* AParams) {
  return DrawTextEx(ADC, AText, ACount, ARect, AFormat, AParams);
}

// Font families. EnumFontFamilies calls AProc with each installed family's LOGFONTW (face name set)
// and a TEXTMETRICW until it returns 0; AFamily limits it to one family.
using FONTENUMPROCW = int (*)(const LOGFONTW* AFont, const TEXTMETRICW* AMetrics, DWORD AType, LPARAM AData);
int EnumFontFamilies(HDC ADC, LPCWSTR AFamily, FONTENUMPROCW AProc, LPARAM AData);
int EnumFontFamiliesEx(HDC ADC, const LOGFONTW* AFont, FONTENUMPROCW AProc, LPARAM AData, DWORD AFlags);
// Whether a family of that name is installed (no substitution), and the installed family a face
// name is drawn with (after substitution).
bool GdiFontFamilyExists(const String& AFamily);
String GdiResolveFontFamily(const String& AFace);
// The installed family that the platform's table of well-known faces draws AFace with ("Arial",
// "Tahoma" ...); empty for a face the table does not name.
String GdiFontSubstitute(const String& AFace);

// ---- Blits ----
BOOL BitBlt(HDC ADest, int X, int Y, int AWidth, int AHeight, HDC ASrc, int XSrc, int YSrc, DWORD ARop);
BOOL StretchBlt(HDC ADest, int X, int Y, int AWidth, int AHeight, HDC ASrc, int XSrc, int YSrc, int ASrcWidth,
                int ASrcHeight, DWORD ARop);
BOOL PatBlt(HDC ADC, int X, int Y, int AWidth, int AHeight, DWORD ARop);
int StretchDIBits(HDC ADC, int X, int Y, int AWidth, int AHeight, int XSrc, int YSrc, int ASrcWidth,
                  int ASrcHeight, const void* ABits, const BITMAPINFO* AInfo, UINT AUsage, DWORD ARop);
int SetDIBitsToDevice(HDC ADC, int X, int Y, DWORD AWidth, DWORD AHeight, int XSrc, int YSrc, UINT AStart,
                      UINT ALines, const void* ABits, const BITMAPINFO* AInfo, UINT AUsage);
BOOL AlphaBlend(HDC ADest, int X, int Y, int AWidth, int AHeight, HDC ASrc, int XSrc, int YSrc, int ASrcWidth,
                int ASrcHeight, BLENDFUNCTION ABlend);
BOOL TransparentBlt(HDC ADest, int X, int Y, int AWidth, int AHeight, HDC ASrc, int XSrc, int YSrc,
                    int ASrcWidth, int ASrcHeight, UINT ATransparent);

// ---- User-level drawing ----
BOOL DrawEdge(HDC ADC, RECT* ARect, UINT AEdge, UINT AFlags);
BOOL DrawFrameControl(HDC ADC, RECT* ARect, UINT AType, UINT AState);
BOOL DrawFocusRect(HDC ADC, const RECT* ARect);
