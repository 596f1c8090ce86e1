#pragma once
// The rich edit control's messages, notifications and structures.
#include <cstddef>
#include <cstdint>

#include "platform/win/Messages.h"
#include "platform/win/WinTypes.h"

// WM_NOTIFY's header.
struct NMHDR {
  HWND hwndFrom = nullptr;
  std::uintptr_t idFrom = 0;
  UINT code = 0;
};

constexpr UINT EM_EXGETSEL = WM_USER + 52, EM_EXLIMITTEXT = WM_USER + 53, EM_EXLINEFROMCHAR = WM_USER + 54,
               EM_EXSETSEL = WM_USER + 55, EM_FORMATRANGE = WM_USER + 57, EM_GETCHARFORMAT = WM_USER + 58,
               EM_GETEVENTMASK = WM_USER + 59, EM_GETPARAFORMAT = WM_USER + 61, EM_GETSELTEXT = WM_USER + 62,
               EM_HIDESELECTION = WM_USER + 63, EM_REQUESTRESIZE = WM_USER + 65, EM_SETBKGNDCOLOR = WM_USER + 67,
               EM_SETCHARFORMAT = WM_USER + 68, EM_SETEVENTMASK = WM_USER + 69, EM_SETPARAFORMAT = WM_USER + 71;

// Notifications (WM_NOTIFY codes) and the event mask bits that enable them.
constexpr UINT EN_REQUESTRESIZE = 0x0701, EN_SELCHANGE = 0x0702;
constexpr DWORD ENM_NONE = 0, ENM_CHANGE = 0x00000001, ENM_UPDATE = 0x00000002, ENM_REQUESTRESIZE = 0x00040000,
                ENM_SELCHANGE = 0x00080000;

// Character formats: which members count (dwMask), the effects, and what a set applies to.
constexpr DWORD CFM_BOLD = 0x00000001, CFM_ITALIC = 0x00000002, CFM_UNDERLINE = 0x00000004,
                CFM_STRIKEOUT = 0x00000008, CFM_PROTECTED = 0x00000010, CFM_SUBSCRIPT = 0x00030000,
                CFM_SUPERSCRIPT = 0x00030000, CFM_CHARSET = 0x08000000, CFM_OFFSET = 0x10000000,
                CFM_FACE = 0x20000000, CFM_COLOR = 0x40000000, CFM_SIZE = 0x80000000;
constexpr DWORD CFE_BOLD = 0x0001, CFE_ITALIC = 0x0002, CFE_UNDERLINE = 0x0004, CFE_STRIKEOUT = 0x0008,
                CFE_SUBSCRIPT = 0x00010000, CFE_SUPERSCRIPT = 0x00020000, CFE_AUTOCOLOR = 0x40000000;
constexpr WPARAM SCF_DEFAULT = 0x0000, SCF_SELECTION = 0x0001, SCF_WORD = 0x0002, SCF_ALL = 0x0004;

// The character format: the first 92 bytes (up to the face name) are what older senders pass; the
// rest is read when cbSize covers it.
struct CHARFORMAT2W {
  UINT cbSize = sizeof(CHARFORMAT2W);
  DWORD dwMask = 0;
  DWORD dwEffects = 0;
  LONG yHeight = 0;    // twips
  LONG yOffset = 0;    // twips above the baseline
  COLORREF crTextColor = 0;
  BYTE bCharSet = 0;
  BYTE bPitchAndFamily = 0;
  char16_t szFaceName[32] = {};
  WORD wWeight = 0;
  SHORT sSpacing = 0;
  COLORREF crBackColor = 0;
  DWORD lcid = 0;
  DWORD dwReserved = 0;
  SHORT sStyle = 0;
  WORD wKerning = 0;
  BYTE bUnderlineType = 0;
  BYTE bAnimation = 0;
  BYTE bRevAuthor = 0;
  BYTE bReserved1 = 0;
};
using CHARFORMAT2 = CHARFORMAT2W;
constexpr UINT CHARFORMATW_SIZE = 92;
static_assert(offsetof(CHARFORMAT2W, crBackColor) == 96 && sizeof(CHARFORMAT2W) == 116);

struct CHARRANGE {
  LONG cpMin = 0;
  LONG cpMax = 0;
};

// EM_FORMATRANGE: rc and rcPage in twips of hdc; hdcTarget the device measured for.
struct FORMATRANGE {
  HDC hdc = nullptr;
  HDC hdcTarget = nullptr;
  RECT rc;
  RECT rcPage;
  CHARRANGE chrg;
};

// EN_REQUESTRESIZE: the rectangle the content needs.
struct REQRESIZE {
  NMHDR nmhdr;
  RECT rc;
};

struct SELCHANGE {
  NMHDR nmhdr;
  CHARRANGE chrg;
  WORD seltyp = 0;
};
