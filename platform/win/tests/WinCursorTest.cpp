// Program cursors from the resource table (.cur files as RT_GROUP_CURSOR), icons from .ico bytes,
// and the wheel's scroll lines as a settable system parameter.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/rtl/Streams.h"
#include "platform/win/Headless.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinIcon.h"
#include "platform/win/WinUser.h"

namespace {

void Put16(std::vector<Byte>& B, unsigned V) {
  B.push_back(static_cast<Byte>(V & 0xFF));
  B.push_back(static_cast<Byte>((V >> 8) & 0xFF));
}
void Put32(std::vector<Byte>& B, std::uint32_t V) {
  Put16(B, V & 0xFFFF);
  Put16(B, V >> 16);
}

// A 32 x 32 file (Type 2: cursor, 1: icon) of one 1-bit entry: white in the left half, black in
// the right half, transparent in the top 8 rows.
std::vector<Byte> MonochromeFile(unsigned Type, unsigned HotX, unsigned HotY) {
  std::vector<Byte> b;
  Put16(b, 0);
  Put16(b, Type);
  Put16(b, 1);
  const std::uint32_t imageSize = 40 + 8 + 32 * 4 * 2;
  b.push_back(32);
  b.push_back(32);
  b.push_back(2);
  b.push_back(0);
  Put16(b, HotX);
  Put16(b, HotY);
  Put32(b, imageSize);
  Put32(b, 22);
  // BITMAPINFOHEADER of twice the height, 1 bit, two palette entries.
  Put32(b, 40);
  Put32(b, 32);
  Put32(b, 64);
  Put16(b, 1);
  Put16(b, 1);
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  Put32(b, 0x000000);   // index 0 black
  Put32(b, 0xFFFFFF);   // index 1 white
  // Colour rows bottom up: bit 1 (white) for x < 16.
  for (int y = 0; y < 32; ++y) {
    b.push_back(0xFF);
    b.push_back(0xFF);
    b.push_back(0x00);
    b.push_back(0x00);
  }
  // AND mask rows bottom up: the top 8 rows (the last 8 stored) transparent.
  for (int y = 0; y < 32; ++y)
    for (int i = 0; i < 4; ++i) b.push_back(y >= 24 ? 0xFF : 0x00);
  return b;
}

std::uint32_t PixelOf(HICON Icon, int X, int Y, DWORD* HotX = nullptr, DWORD* HotY = nullptr) {
  ICONINFO info;
  if (!GetIconInfo(Icon, &info)) return 0xDEADBEEF;
  int w = 0, h = 0;
  std::vector<std::uint32_t> px;
  ReadBitmapPixels(info.hbmColor, w, h, px);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  if (HotX) *HotX = info.xHotspot;
  if (HotY) *HotY = info.yHotspot;
  return px.at(static_cast<std::size_t>(Y) * w + X);
}

TEST(WinCursor, ProgramCursorsComeFromTheResourceTableOnceAndShared) {
  static const std::vector<Byte> file = MonochromeFile(2, 5, 7);
  RegisterResource(7301, RT_GROUP_CURSOR, file);
  HCURSOR c = LoadCursor(nullptr, MAKEINTRESOURCE(7301));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(7301)), c);
  DWORD hx = 0, hy = 0;
  EXPECT_EQ(PixelOf(c, 3, 20, &hx, &hy), 0xFFFFFFFFu);   // white, opaque
  EXPECT_EQ(hx, 5u);
  EXPECT_EQ(hy, 7u);
  EXPECT_EQ(PixelOf(c, 20, 20), 0xFF000000u);   // black, opaque
  EXPECT_EQ(PixelOf(c, 3, 3), 0u);              // transparent
  // By name too; the standard cursors keep their numbers; unknown ones are nothing.
  RegisterResource(u"PANCURSOR", RT_GROUP_CURSOR, file);
  EXPECT_NE(LoadCursor(nullptr, u"PANCURSOR"), nullptr);
  EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HCURSOR>(32512));
  EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(7302)), nullptr);
  // SetCursor takes it like a standard one.
  HCURSOR old = SetCursor(c);
  EXPECT_EQ(GetCursor(), c);
  SetCursor(old);
}

TEST(WinCursor, FileDataThatIsNoIconOrCursorGivesNothing) {
  std::vector<Byte> file = MonochromeFile(1, 0, 0);
  HICON icon = CreateIconFromFileData(file.data(), file.size());
  ASSERT_NE(icon, nullptr);
  DWORD hx = 9, hy = 9;
  EXPECT_EQ(PixelOf(icon, 0, 31, &hx, &hy), 0xFFFFFFFFu);
  EXPECT_EQ(hx, 0u);   // icons have no hot spot
  DestroyIcon(icon);
  struct Case {
    const char* Name;
    std::size_t Cut;      // bytes kept (0: all)
    std::size_t Offset;   // byte changed (0: none)
    Byte Value;
  };
  const Case cases[] = {
      {"empty", 1, 0, 0},         {"directory only", 22, 0, 0}, {"truncated rows", 200, 0, 0},
      {"wrong type", 0, 2, 3},    {"no entries", 0, 4, 0},      {"entry offset past the end", 0, 21, 0x7F},
      {"16 bits a pixel", 0, 36, 16}, {"compressed", 0, 38, 1},
  };
  for (const Case& c : cases) {
    std::vector<Byte> bad = MonochromeFile(2, 0, 0);
    if (c.Offset) bad[c.Offset] = c.Value;
    if (c.Cut) bad.resize(c.Cut);
    EXPECT_EQ(CreateIconFromFileData(bad.data(), bad.size()), nullptr) << c.Name;
  }
  EXPECT_EQ(CreateIconFromFileData(nullptr, 10), nullptr);
}

TEST(WinCursor, WheelScrollLinesAreThreeUntilSet) {
  Headless::Use();
  UINT lines = 0;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  EXPECT_EQ(lines, 3u);
  EXPECT_TRUE(SystemParametersInfo(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0));
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(lines, WHEEL_PAGESCROLL);
  SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 7, nullptr, 0);
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(lines, 7u);
  Headless::Reset();
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(lines, 3u);
}

}  // namespace
