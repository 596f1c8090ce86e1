#pragma once
// The "gdiplus.dll" module loaded and started for a test, its flat functions by name, and pixel
// helpers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/gdiplus/GdiPlusFlat.h"
#include "platform/rtl/Modules.h"
#include "platform/win/Surface.h"

using namespace gdip;

// Every flat function of the loaded module, looked up by GetProcAddress.
struct TFlat {
#define ZELK_TEST_FIELD(Result, Name, Params) T##Name Name = nullptr;
  ZELK_GDIPLUS_FLAT(ZELK_TEST_FIELD)
#undef ZELK_TEST_FIELD
  void Bind(HMODULE AModule) {
#define ZELK_TEST_BIND(Result, Name, Params) Name = reinterpret_cast<T##Name>(GetProcAddress(AModule, #Name));
    ZELK_GDIPLUS_FLAT(ZELK_TEST_BIND)
#undef ZELK_TEST_BIND
  }
};

// Loads the module and starts GDI+ for the test; shuts down and frees it afterwards.
class GdiPlusTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterGdiplusModule();
    Module = LoadLibraryW(u"gdiplus.dll");
    ASSERT_NE(Module, nullptr) << UTF8Encode(GetModuleLoadError());
    G.Bind(Module);
    GdiplusStartupInput input;
    ASSERT_EQ(G.GdiplusStartup(&Token, &input, nullptr), Ok);
  }
  void TearDown() override {
    if (Token) G.GdiplusShutdown(Token);
    if (Module) FreeLibrary(Module);
  }

  HMODULE Module = nullptr;
  ULONG_PTR Token = 0;
  TFlat G;
};

inline std::string TestData(const std::string& AName) { return std::string(ZELK_TEST_DATA) + "/" + AName; }

inline std::vector<std::uint8_t> ReadFileBytes(const std::string& APath) {
  std::ifstream in(APath, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void SavePng(const TSurface& ASurface, const std::string& AName) {
  const char* dir = std::getenv("ZELK_TEST_OUTPUT");
  std::string path = std::string(dir ? dir : ZELK_TEST_OUTPUT) + "/" + AName;
  EXPECT_TRUE(ASurface.SaveToPng(path)) << path;
}

inline int Alpha(std::uint32_t APixel) { return static_cast<int>(APixel >> 24); }
