// SHGetFileInfo over the system image lists of our own icons, and the image-list calls that draw
// them.
#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/win/ShellApi.h"
#include "platform/win/WinIcon.h"

struct HIMAGELIST__ {
  int Size = 0;
  std::array<HICON, ShellIconCount> Icons{};
};

namespace {

// Icon pixels, 0xAARRGGBB top-down rows, painted on a 16-unit grid scaled to the size.
class TIconPainter {
public:
  explicit TIconPainter(int ASize) : FSize(ASize), FUnit(ASize / 16), FPixels(static_cast<std::size_t>(ASize * ASize), 0) {}

  // Fills grid cells [L, R) x [T, B).
  void Fill(int L, int T, int R, int B, std::uint32_t AColor) {
    for (int y = T * FUnit; y < B * FUnit; ++y)
      for (int x = L * FUnit; x < R * FUnit; ++x) FPixels[static_cast<std::size_t>(y * FSize + x)] = AColor;
  }
  // A filled box with a one-cell border.
  void Box(int L, int T, int R, int B, std::uint32_t AFill, std::uint32_t ABorder) {
    Fill(L, T, R, B, ABorder);
    Fill(L + 1, T + 1, R - 1, B - 1, AFill);
  }
  HICON Icon() const {
    HBITMAP color = CreateBitmapFromPixels(FSize, FSize, FPixels.data());
    ICONINFO info;
    info.hbmColor = color;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(color);
    return icon;
  }

private:
  int FSize;
  int FUnit;
  std::vector<std::uint32_t> FPixels;
};

constexpr std::uint32_t White = 0xFFFFFFFF, Border = 0xFF707070, Line = 0xFF9A9A9A;

// A sheet of paper with a folded corner, the picture of every file kind.
void Page(TIconPainter& P) {
  P.Box(2, 0, 14, 16, White, Border);
  P.Fill(10, 0, 14, 4, 0);
  P.Fill(10, 0, 11, 4, Border);
  P.Fill(10, 3, 14, 4, Border);
}

void PaintKind(TIconPainter& P, TShellIconKind AKind) {
  if (AKind == sikFolder) {
    P.Box(0, 2, 7, 5, 0xFFF0C040, 0xFFB08020);
    P.Box(0, 4, 16, 15, 0xFFF8D060, 0xFFB08020);
    return;
  }
  if (AKind == sikProgram) {
    P.Box(0, 2, 16, 14, 0xFFE8E8E8, Border);
    P.Fill(1, 3, 15, 6, 0xFF2060C0);
    return;
  }
  Page(P);
  switch (AKind) {
    case sikText:
      for (int y : {5, 8, 11}) P.Fill(4, y, 12, y + 1, Line);
      break;
    case sikPicture:
      P.Fill(4, 5, 12, 9, 0xFF60A0F0);
      P.Fill(4, 9, 12, 13, 0xFF40A040);
      break;
    case sikDocument:
      P.Fill(4, 5, 12, 7, 0xFF2050B0);
      for (int y : {9, 11}) P.Fill(4, y, 12, y + 1, Line);
      break;
    case sikSpreadsheet:
      P.Box(4, 5, 12, 13, 0xFFD8F0D8, 0xFF208040);
      P.Fill(8, 5, 9, 13, 0xFF208040);
      P.Fill(4, 9, 12, 10, 0xFF208040);
      break;
    case sikArchive:
      P.Fill(7, 1, 9, 15, 0xFFC09030);
      P.Fill(7, 9, 9, 12, 0xFF604010);
      break;
    default:
      break;
  }
}

HIMAGELIST__* MakeList(int ASize) {
  auto* list = new HIMAGELIST__;
  list->Size = ASize;
  for (int i = 0; i < ShellIconCount; ++i) {
    TIconPainter painter(ASize);
    PaintKind(painter, static_cast<TShellIconKind>(i));
    list->Icons[static_cast<std::size_t>(i)] = painter.Icon();
  }
  return list;
}

// The two lists, made on first use and kept for the process.
HIMAGELIST SystemList(bool ASmall) {
  static HIMAGELIST__* const small = MakeList(16);
  static HIMAGELIST__* const large = MakeList(32);
  return ASmall ? small : large;
}

TShellIconKind KindOfName(const std::u16string& AName) {
  const std::size_t dot = AName.find_last_of(u'.');
  const std::size_t slash = AName.find_last_of(u"/\\");
  if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash)) return sikFile;
  std::u16string ext = AName.substr(dot + 1);
  for (Char& c : ext)
    if (c >= u'A' && c <= u'Z') c = static_cast<Char>(c - u'A' + u'a');
  struct TExtensions {
    TShellIconKind Kind;
    std::initializer_list<const Char*> Names;
  };
  static const TExtensions table[] = {
      {sikText, {u"txt", u"log", u"ini", u"md", u"cfg", u"conf", u"sql"}},
      {sikPicture, {u"png", u"jpg", u"jpeg", u"gif", u"bmp", u"svg", u"ico", u"tif", u"tiff", u"webp"}},
      {sikDocument, {u"doc", u"docx", u"odt", u"rtf", u"pdf", u"htm", u"html"}},
      {sikSpreadsheet, {u"xls", u"xlsx", u"ods", u"csv"}},
      {sikArchive, {u"zip", u"gz", u"tgz", u"tar", u"bz2", u"xz", u"7z", u"rar"}},
      {sikProgram, {u"exe", u"com", u"bat", u"cmd", u"sh", u"bin", u"appimage"}},
  };
  for (const TExtensions& e : table)
    for (const Char* name : e.Names)
      if (ext == name) return e.Kind;
  return sikFile;
}

}  // namespace

std::uintptr_t SHGetFileInfoW(LPCWSTR APath, DWORD AFileAttributes, SHFILEINFOW* AInfo, UINT AInfoSize, UINT AFlags) {
  if (!APath || !*APath || !AInfo || AInfoSize < sizeof(SHFILEINFOW)) return 0;
  if (!(AFlags & (SHGFI_SYSICONINDEX | SHGFI_ICON))) return 0;
  const std::u16string name(APath);
  bool folder = (AFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (!(AFlags & SHGFI_USEFILEATTRIBUTES)) {
    std::error_code error;
    const auto status = std::filesystem::status(UTF8Encode(name), error);
    if (error || !std::filesystem::exists(status)) return 0;
    folder = std::filesystem::is_directory(status);
  }
  const TShellIconKind kind = folder ? sikFolder : KindOfName(name);
  HIMAGELIST list = SystemList((AFlags & SHGFI_SMALLICON) != 0);
  AInfo->iIcon = kind;
  AInfo->dwAttributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  if (AFlags & SHGFI_ICON) {
    ICONINFO info;
    GetIconInfo(list->Icons[kind], &info);
    AInfo->hIcon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  return (AFlags & SHGFI_SYSICONINDEX) ? reinterpret_cast<std::uintptr_t>(list) : 1;
}

BOOL ImageList_Draw(HIMAGELIST AList, int AIndex, HDC ADC, int X, int Y, UINT) {
  if (!AList || AIndex < 0 || AIndex >= ShellIconCount) return FALSE;
  return DrawIconEx(ADC, X, Y, AList->Icons[static_cast<std::size_t>(AIndex)], 0, 0, 0, nullptr, DI_NORMAL);
}

BOOL ImageList_GetIconSize(HIMAGELIST AList, int* AWidth, int* AHeight) {
  if (!AList || !AWidth || !AHeight) return FALSE;
  *AWidth = *AHeight = AList->Size;
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST AList) { return AList ? ShellIconCount : 0; }
