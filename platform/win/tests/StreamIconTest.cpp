// Streams over global memory, and icons.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/win/ObjIdl.h"
#include "platform/win/Surface.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinIcon.h"

TEST(StreamOnHGlobal, ReadsWritesSeeksAndGrows) {
  IStream* s = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &s), S_OK);
  ULONG n = 0;
  ASSERT_EQ(s->Write("hello world", 11, &n), S_OK);
  EXPECT_EQ(n, 11u);
  STATSTG stat;
  s->Stat(&stat, STATFLAG_NONAME);
  EXPECT_EQ(stat.cbSize, 11u);
  ULARGE_INTEGER pos = 0;
  EXPECT_EQ(s->Seek(-5, STREAM_SEEK_END, &pos), S_OK);
  EXPECT_EQ(pos, 6u);
  char buffer[16] = {};
  EXPECT_EQ(s->Read(buffer, sizeof(buffer), &n), S_OK);
  EXPECT_EQ(n, 5u);
  EXPECT_STREQ(buffer, "world");
  EXPECT_EQ(s->Read(buffer, 4, &n), S_OK);   // at the end: nothing, still S_OK
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(s->Seek(-1, STREAM_SEEK_SET, &pos), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(s->Seek(0, 7, &pos), STG_E_INVALIDFUNCTION);
  // Writing past the end grows the stream; the gap reads as zeros.
  s->Seek(20, STREAM_SEEK_SET, nullptr);
  s->Write("!", 1, nullptr);
  s->Stat(&stat, STATFLAG_NONAME);
  EXPECT_EQ(stat.cbSize, 21u);
  s->Seek(15, STREAM_SEEK_SET, nullptr);
  s->Read(buffer, 6, &n);
  EXPECT_EQ(std::memcmp(buffer, "\0\0\0\0\0!", 6), 0);
  EXPECT_EQ(s->SetSize(5), S_OK);
  s->Stat(&stat, STATFLAG_NONAME);
  EXPECT_EQ(stat.cbSize, 5u);
  HGLOBAL global = nullptr;
  EXPECT_EQ(GetHGlobalFromStream(s, &global), S_OK);
  EXPECT_EQ(GlobalSize(global), 5u);
  void* unknown = nullptr;
  EXPECT_EQ(s->QueryInterface(IID_IStream, &unknown), S_OK);
  EXPECT_EQ(s->Release(), 1u);
  EXPECT_EQ(s->Release(), 0u);
}

TEST(StreamOnHGlobal, TheCallersBlockStaysWhenNotDeletedOnRelease) {
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, 4);
  std::memcpy(GlobalLock(global), "abcd", 4);
  GlobalUnlock(global);
  IStream* s = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(global, FALSE, &s), S_OK);
  char buffer[4];
  ULONG n = 0;
  s->Read(buffer, 4, &n);
  EXPECT_EQ(std::memcmp(buffer, "abcd", 4), 0);
  s->Release();
  EXPECT_EQ(GlobalSize(global), 4u);
  EXPECT_EQ(GlobalFree(global), nullptr);
  EXPECT_EQ(CreateStreamOnHGlobal(global, FALSE, &s), E_INVALIDARG);   // freed: no longer a block
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, FALSE, nullptr), E_INVALIDARG);
}

namespace {

HBITMAP Dib32(int W, int H, const std::vector<std::uint32_t>& APixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = W;
  info.bmiHeader.biHeight = -H;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::memcpy(bits, APixels.data(), APixels.size() * 4);
  return b;
}

}  // namespace

TEST(Icons, MaskOrAlphaDecideWhatShows) {
  // Colour without alpha: the mask makes the left column transparent.
  std::vector<std::uint32_t> colour(4 * 2, 0x00FF0000u);
  std::vector<std::uint8_t> maskBits = {0x80, 0, 0x80, 0};   // 1 bit a pixel, rows of 16 bits
  ICONINFO ii;
  ii.xHotspot = 1;
  ii.hbmColor = Dib32(4, 2, colour);
  ii.hbmMask = CreateBitmap(4, 2, 1, 1, maskBits.data());
  HICON icon = CreateIconIndirect(&ii);
  ASSERT_NE(icon, nullptr);
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);

  TSurface surface(6, 4);
  surface.Clear(0xFFFFFFFF);
  HDC dc = CreateSurfaceDC(surface, POINT{0, 0}, nullptr);
  EXPECT_TRUE(DrawIconEx(dc, 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(surface.Pixel(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(surface.Pixel(2, 1), 0xFFFF0000u);
  EXPECT_EQ(surface.Pixel(4, 2), 0xFFFF0000u);
  EXPECT_EQ(surface.Pixel(5, 2), 0xFFFFFFFFu);

  ICONINFO back;
  ASSERT_TRUE(GetIconInfo(icon, &back));
  EXPECT_EQ(back.xHotspot, 1u);
  BITMAP bm;
  GetObject(back.hbmColor, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, 4);
  DeleteObject(back.hbmColor);
  DeleteObject(back.hbmMask);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
  EXPECT_FALSE(DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  DeleteDC(dc);

  ICONINFO none;
  EXPECT_EQ(CreateIconIndirect(&none), nullptr);
}
