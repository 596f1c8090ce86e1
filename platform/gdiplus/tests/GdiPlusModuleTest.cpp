// The "gdiplus.dll" module: which names it exports, the loader's switches, counted start-up.
#include <dlfcn.h>

#include <set>

#include "platform/gdiplus/tests/GdiPlusTestSupport.h"
#include "platform/win/WinGdi.h"

namespace {

std::set<std::string> UnboundNames(HMODULE AModule) {
  const char* names[] = {
#define ZELK_TEST_NAME(Result, Name, Params) #Name,
      ZELK_GDIPLUS_FLAT(ZELK_TEST_NAME)
#undef ZELK_TEST_NAME
  };
  std::set<std::string> unbound;
  for (const char* name : names)
    if (!GetProcAddress(AModule, name)) unbound.insert(name);
  return unbound;
}

}  // namespace

TEST(GdiPlusModule, ExportsEveryFlatNameThatLibraryOrBridgeProvides) {
  RegisterGdiplusModule();
  HMODULE module = LoadLibraryW(u"gdiplus.dll");
  ASSERT_NE(module, nullptr);
  // libgdiplus lacks twelve names; the bridge provides the six a caller of the table uses.
  EXPECT_EQ(UnboundNames(module),
            (std::set<std::string>{"GdipCreateMetafileFromWmfFile", "GdipCreateStreamOnFile", "GdipEmfToWmfBits",
                                   "GdipFontCollectionEnumerable", "GdipFontCollectionEnumerate",
                                   "GdipPathIterIsValid"}));
  // No flat name becomes a symbol of the program, where it would stand in for libgdiplus's own.
  EXPECT_EQ(dlsym(RTLD_DEFAULT, "GdiplusStartup"), nullptr);
  EXPECT_EQ(dlsym(RTLD_DEFAULT, "GdipCreateFromHDC"), nullptr);
  EXPECT_EQ(dlsym(RTLD_DEFAULT, "BitBlt"), nullptr);
  EXPECT_TRUE(FreeLibrary(module));
}

TEST(GdiPlusModule, LoaderSwitchesAndAMissingLibrary) {
  RegisterGdiplusModule();
  SetModuleMissing(u"gdiplus.dll", true);
  EXPECT_EQ(LoadLibraryW(u"gdiplus.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  SetModuleMissing(u"gdiplus.dll", false);

  SetExportMissing(u"gdiplus.dll", "GdipCreatePen1", true);
  HMODULE module = LoadLibraryW(u"GDIPLUS.DLL");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(GetProcAddress(module, "GdipCreatePen1"), nullptr);
  EXPECT_NE(GetProcAddress(module, "GdipCreatePen2"), nullptr);
  SetExportMissing(u"gdiplus.dll", "GdipCreatePen1", false);
  FreeLibrary(module);

  RegisterGdiplusModule("libzelk-no-such-gdiplus.so.0");
  EXPECT_EQ(LoadLibraryW(u"gdiplus.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  RegisterGdiplusModule();
  module = LoadLibraryW(u"gdiplus.dll");
  EXPECT_NE(module, nullptr);
  FreeLibrary(module);
}

TEST(GdiPlusModule, StartUpIsCountedAndEndsWithTheLastHolder) {
  RegisterGdiplusModule();
  HMODULE module = LoadLibraryW(u"gdiplus.dll");
  ASSERT_NE(module, nullptr);
  TFlat g;
  g.Bind(module);
  for (bool firstEndsFirst : {true, false}) {
    SCOPED_TRACE(firstEndsFirst ? "first holder ends first" : "second holder ends first");
    GdiplusStartupInput plain;
    GdiplusStartupInput quiet;
    quiet.SuppressBackgroundThread = 1;
    GdiplusStartupOutput output;
    ULONG_PTR first = 0, second = 0;
    ASSERT_EQ(g.GdiplusStartup(&first, &plain, nullptr), Ok);
    // Without the background thread the hooks must have somewhere to go.
    EXPECT_EQ(g.GdiplusStartup(&second, &quiet, nullptr), InvalidParameter);
    ASSERT_EQ(g.GdiplusStartup(&second, &quiet, &output), Ok);
    EXPECT_NE(first, second);
    ASSERT_NE(output.NotificationHook, nullptr);
    ULONG_PTR hook = 0;
    EXPECT_EQ(output.NotificationHook(&hook), Ok);
    output.NotificationUnhook(hook);

    g.GdiplusShutdown(firstEndsFirst ? first : second);
    void* memory = g.GdipAlloc(64);
    EXPECT_NE(memory, nullptr);
    g.GdipFree(memory);
    GpFontFamily* family = nullptr;
    EXPECT_EQ(g.GdipGetGenericFontFamilySansSerif(&family), Ok);
    EXPECT_EQ(g.GdipDeleteFontFamily(family), Ok);
    GpPen* pen = nullptr;
    ASSERT_EQ(g.GdipCreatePen1(0xFF000000, 1, UnitPixel, &pen), Ok);
    EXPECT_EQ(g.GdipDeletePen(pen), Ok);

    g.GdiplusShutdown(firstEndsFirst ? second : first);
    EXPECT_EQ(g.GdipCreatePen1(0xFF000000, 1, UnitPixel, &pen), GdiplusNotInitialized);
    // A token that is no longer held ends nothing twice.
    g.GdiplusShutdown(first);
    // The platform's text drawing still has its fonts.
    EXPECT_EQ(GdiResolveFontFamily(u"Arial"), u"Liberation Sans");
  }
  FreeLibrary(module);
}
