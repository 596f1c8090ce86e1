#pragma once
// Shared helpers of the NeoGDIP tests: streams over bytes, the unit started as a program starts
// it, and the ink of a bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "lib/graphics/NeoGDIP.h"
#include "lib/graphics/NeoGDIPInternal.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/Units.h"
#include "platform/win/ObjIdl.h"
#include "platform/win/WinBase.h"

struct TStreamRelease {
  void operator()(IStream* AStream) const { AStream->Release(); }
};
using TStreamPtr = std::unique_ptr<IStream, TStreamRelease>;

// A stream over a copy of the bytes (its memory freed with the stream).
inline TStreamPtr StreamOf(const std::vector<std::uint8_t>& ABytes) {
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, ABytes.size());
  std::memcpy(GlobalLock(global), ABytes.data(), ABytes.size());
  GlobalUnlock(global);
  IStream* stream = nullptr;
  EXPECT_EQ(CreateStreamOnHGlobal(global, TRUE, &stream), S_OK);
  return TStreamPtr(stream);
}

// An empty stream that grows as it is written.
inline TStreamPtr NewStream() {
  IStream* stream = nullptr;
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  return TStreamPtr(stream);
}

inline void Rewind(IStream* AStream) { AStream->Seek(0, STREAM_SEEK_SET, nullptr); }

inline std::vector<std::uint8_t> FileBytes(const char* AName) {
  std::ifstream file(std::string(ZELK_TEST_DATA) + "/" + AName, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The unit registered and initialised as a program does it.
class NeoGDIPTest : public ::testing::Test {
protected:
  void SetUp() override {
    Units().Clear();
    RegisterGdiplusModule();
    RegisterNeoGDIPUnit();
    InitializeUnits();
  }
  void TearDown() override {
    FinalizeUnits();
    Units().Clear();
  }
};

// The smallest rectangle (right and bottom exclusive) holding every pixel of ABitmap that differs
// from ABackground; empty (all 0) when there is none.
inline TRect InkBox(NeoGDIP::TGPBitmap& ABitmap, NeoGDIP::ARGB ABackground) {
  TRect box{};
  bool any = false;
  const auto width = static_cast<Integer>(ABitmap.GetWidth()), height = static_cast<Integer>(ABitmap.GetHeight());
  for (Integer y = 0; y < height; ++y)
    for (Integer x = 0; x < width; ++x) {
      NeoGDIP::ARGB color = 0;
      ABitmap.GetPixel(x, y, color);
      if (color == ABackground) continue;
      if (!any) box = TRect{x, y, x + 1, y + 1};
      any = true;
      box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  return box;
}

// A flat function of the loaded "gdiplus.dll" that the unit does not import (for checks).
template <class F>
F FlatFunction(const char* AName) {
  HMODULE module = LoadLibraryW(u"gdiplus.dll");
  auto entry = reinterpret_cast<F>(GetProcAddress(module, AName));
  FreeLibrary(module);   // the unit keeps its own reference
  EXPECT_NE(entry, nullptr) << AName;
  return entry;
}

// The family name, size and style of a GDI+ font.
struct TFontFacts {
  String Family;
  Single Size = 0;
  Integer Style = -1;
};
inline TFontFacts FactsOf(NeoGDIP::TGPFont* AFont) {
  TFontFacts facts;
  gdip::GpFontFamily* family = nullptr;
  FlatFunction<gdip::TGdipGetFamily>("GdipGetFamily")(AFont->nativeFont, &family);
  gdip::WCHAR name[32] = {};
  FlatFunction<gdip::TGdipGetFamilyName>("GdipGetFamilyName")(family, name, 0);
  FlatFunction<gdip::TGdipDeleteFontFamily>("GdipDeleteFontFamily")(family);
  facts.Family = name;
  FlatFunction<gdip::TGdipGetFontSize>("GdipGetFontSize")(AFont->nativeFont, &facts.Size);
  FlatFunction<gdip::TGdipGetFontStyle>("GdipGetFontStyle")(AFont->nativeFont, &facts.Style);
  return facts;
}
