// The shell's file information: icons of the system image lists chosen by a name's kind, real
// files and folders against names queried by attributes alone, and the icons drawn with their
// transparency.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "platform/win/ShellApi.h"
#include "platform/win/WinIcon.h"
#include "platform/win/tests/GdiTestUtil.h"

namespace {

HIMAGELIST ListOf(const Char* APath, UINT AFlags, int& AIndex, DWORD AAttributes = 0) {
  SHFILEINFOW info;
  const auto result = SHGetFileInfo(APath, AAttributes, &info, sizeof(info), SHGFI_SYSICONINDEX | AFlags);
  AIndex = info.iIcon;
  return reinterpret_cast<HIMAGELIST>(result);
}

}  // namespace

TEST(ShellIcons, KindsFollowTheExtensionInAnyCase) {
  const struct {
    const Char* Name;
    int Kind;
  } cases[] = {{u"notes.txt", sikText},       {u"PHOTO.JPG", sikPicture},     {u"a.b/report.pdf", sikDocument},
               {u"sheet.ods", sikSpreadsheet}, {u"backup.tar.GZ", sikArchive}, {u"run.sh", sikProgram},
               {u"README", sikFile},           {u"dir.d/noext", sikFile},      {u"x.unknownext", sikFile}};
  for (const auto& c : cases) {
    int index = -1;
    HIMAGELIST small = ListOf(c.Name, SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON, index, FILE_ATTRIBUTE_NORMAL);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(index, c.Kind) << UTF8Encode(c.Name);
  }
  int index = -1;
  EXPECT_NE(ListOf(u"folder.txt", SHGFI_USEFILEATTRIBUTES, index, FILE_ATTRIBUTE_DIRECTORY), nullptr);
  EXPECT_EQ(index, sikFolder);
}

TEST(ShellIcons, SmallAndLargeListsAndTheirSizes) {
  int index = 0;
  HIMAGELIST small = ListOf(u"a.png", SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON, index);
  HIMAGELIST large = ListOf(u"a.png", SHGFI_USEFILEATTRIBUTES | SHGFI_LARGEICON, index);
  ASSERT_NE(small, large);
  int w = 0, h = 0;
  ASSERT_TRUE(ImageList_GetIconSize(small, &w, &h));
  EXPECT_EQ(w, 16);
  EXPECT_EQ(h, 16);
  ASSERT_TRUE(ImageList_GetIconSize(large, &w, &h));
  EXPECT_EQ(w, 32);
  EXPECT_EQ(ImageList_GetImageCount(large), ShellIconCount);
  EXPECT_EQ(ListOf(u"b.txt", SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON, index), small);   // one list
  EXPECT_FALSE(ImageList_GetIconSize(nullptr, &w, &h));
}

TEST(ShellIcons, RealPathsMustExistUnlessAttributesAlone) {
  const auto folder = std::filesystem::temp_directory_path() / ("zelk-shell-" + std::to_string(::getpid()) + ".png");
  std::filesystem::create_directories(folder);
  const String path = UTF8ToString(folder.string());
  int index = -1;
  // A folder named like a picture is a folder; asked by attributes alone its name decides.
  EXPECT_NE(ListOf(path.c_str(), SHGFI_SMALLICON, index), nullptr);
  EXPECT_EQ(index, sikFolder);
  EXPECT_NE(ListOf(path.c_str(), SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES, index, FILE_ATTRIBUTE_NORMAL), nullptr);
  EXPECT_EQ(index, sikPicture);
  std::filesystem::remove(folder);
  EXPECT_EQ(ListOf(path.c_str(), SHGFI_SMALLICON, index), nullptr);
  SHFILEINFOW info;
  EXPECT_EQ(SHGetFileInfo(u"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES), 0u);
  EXPECT_EQ(SHGetFileInfo(u"a.txt", 0, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES), 0u);
  EXPECT_EQ(SHGetFileInfo(nullptr, 0, &info, sizeof(info), SHGFI_SYSICONINDEX), 0u);
}

TEST(ShellIcons, IconsDrawTransparentAtTheirSize) {
  int index = -1;
  HIMAGELIST small = ListOf(u"x.txt", SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON, index);
  TGdiCanvas canvas(40, 40);
  ASSERT_TRUE(ImageList_Draw(small, index, canvas.DC, 4, 4, ILD_TRANSPARENT));
  // The page covers x 2..13 of its 16 pixels, the folded corner is left out.
  const RECT ink = canvas.Ink();
  EXPECT_EQ(ink.left, 6);
  EXPECT_EQ(ink.top, 4);
  EXPECT_EQ(ink.right, 18);
  EXPECT_EQ(ink.bottom, 20);
  EXPECT_EQ(canvas.At(16, 5), RGB(255, 255, 255));   // the corner shows the white below
  EXPECT_EQ(canvas.At(6, 10), RGB(0x70, 0x70, 0x70));   // the page's border
  EXPECT_FALSE(ImageList_Draw(small, ShellIconCount, canvas.DC, 0, 0, ILD_TRANSPARENT));
  EXPECT_FALSE(ImageList_Draw(nullptr, 0, canvas.DC, 0, 0, ILD_TRANSPARENT));

  // The icon handed out is a copy, the caller's to destroy.
  SHFILEINFOW info;
  ASSERT_NE(SHGetFileInfo(u"x.zip", 0, &info, sizeof(info), SHGFI_ICON | SHGFI_LARGEICON | SHGFI_USEFILEATTRIBUTES), 0u);
  ASSERT_NE(info.hIcon, nullptr);
  TGdiCanvas big(40, 40);
  EXPECT_TRUE(DrawIconEx(big.DC, 0, 0, info.hIcon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(big.Ink().right, 28);
  EXPECT_TRUE(DestroyIcon(info.hIcon));
}
