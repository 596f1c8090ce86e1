#pragma once
// The shell's file information and its system image lists. A file or folder gets the icon of its
// kind, chosen by the name's extension (folders by their attribute), from two image lists of the
// system's own icons, 16 and 32 pixels square: folder, file, text, picture, document,
// spreadsheet, archive, program. The lists live as long as the process.
#include "platform/win/UxTheme.h"   // HIMAGELIST
#include "platform/win/WinTypes.h"

constexpr UINT SHGFI_LARGEICON = 0x0000, SHGFI_SMALLICON = 0x0001, SHGFI_USEFILEATTRIBUTES = 0x0010,
               SHGFI_ICON = 0x0100, SHGFI_SYSICONINDEX = 0x4000;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x0010, FILE_ATTRIBUTE_NORMAL = 0x0080;
constexpr UINT ILD_NORMAL = 0x0000, ILD_TRANSPARENT = 0x0001;

// Indexes of the system image lists.
enum TShellIconKind { sikFolder, sikFile, sikText, sikPicture, sikDocument, sikSpreadsheet, sikArchive, sikProgram };
constexpr int ShellIconCount = 8;

struct SHFILEINFOW {
  HICON hIcon = nullptr;   // SHGFI_ICON: a copy of the icon, the caller's to destroy
  int iIcon = 0;           // the index in the system image list
  DWORD dwAttributes = 0;
  Char szDisplayName[260] = {};
  Char szTypeName[80] = {};
};
using SHFILEINFO = SHFILEINFOW;

// With SHGFI_SYSICONINDEX: the system image list (small with SHGFI_SMALLICON, else large) as the
// result and the icon's index in AInfo. With SHGFI_USEFILEATTRIBUTES only APath's name and
// AFileAttributes decide and nothing is read from disk; otherwise the file or folder must exist.
// 0 when it does not, for an empty path, or without a result asked for (SHGFI_SYSICONINDEX or
// SHGFI_ICON).
std::uintptr_t SHGetFileInfoW(LPCWSTR APath, DWORD AFileAttributes, SHFILEINFOW* AInfo, UINT AInfoSize, UINT AFlags);
inline std::uintptr_t SHGetFileInfo(LPCWSTR APath, DWORD AFileAttributes, SHFILEINFOW* AInfo, UINT AInfoSize, UINT AFlags) {
  return SHGetFileInfoW(APath, AFileAttributes, AInfo, AInfoSize, AFlags);
}

// Draws icon AIndex at (X, Y) at its size, blended by its alpha (ILD_TRANSPARENT and ILD_NORMAL
// alike); false for no list or an index out of range.
BOOL ImageList_Draw(HIMAGELIST AList, int AIndex, HDC ADC, int X, int Y, UINT AStyle);
BOOL ImageList_GetIconSize(HIMAGELIST AList, int* AWidth, int* AHeight);
int ImageList_GetImageCount(HIMAGELIST AList);
