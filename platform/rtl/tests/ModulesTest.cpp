#include "platform/rtl/Modules.h"

#include <gtest/gtest.h>

#include "platform/rtl/testsupport/ScopedEnv.h"

namespace {

using TCos = double (*)(double);

int ThemeActive() { return 1; }
int ThemeName() { return 2; }

// Registers the test's own names and removes them again.
struct Modules : testing::Test {
  void SetUp() override { RegisterModuleAlias(u"mathlib.dll", "libm.so.6"); }
  void TearDown() override {
    SetModuleMissing(u"mathlib", false);
    SetExportMissing(u"mathlib", "cos", false);
    UnregisterBuiltinModule(u"TESTTHEME.DLL");
  }
};

}  // namespace

TEST_F(Modules, AliasLoadsASharedLibraryAndCountsReferences) {
  EXPECT_EQ(GetModuleHandleW(u"mathlib.dll"), nullptr) << "not loaded yet";
  HMODULE first = LoadLibraryW(u"MATHLIB.DLL");
  ASSERT_NE(first, nullptr) << UTF8Encode(GetModuleLoadError());
  HMODULE second = LoadLibraryW(u"mathlib");
  EXPECT_EQ(first, second);
  EXPECT_EQ(GetModuleHandleW(u"C:\\Windows\\mathlib.dll"), first);
  auto cosine = reinterpret_cast<TCos>(GetProcAddress(first, "cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(GetProcAddress(first, "no_such_function"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));

  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(GetModuleHandleW(u"mathlib.dll"), first) << "one reference left";
  EXPECT_TRUE(FreeLibrary(second));
  EXPECT_EQ(GetModuleHandleW(u"mathlib.dll"), nullptr);
  EXPECT_FALSE(FreeLibrary(first)) << "a released handle is invalid";
  EXPECT_EQ(GetProcAddress(first, "cos"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(Modules, MissingLibraries) {
  EXPECT_EQ(LoadLibraryW(u"zelk-no-such-library.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_FALSE(GetModuleLoadError().empty());

  SetModuleMissing(u"MathLib.dll", true);
  EXPECT_EQ(LoadLibraryW(u"mathlib.dll"), nullptr);
  SetModuleMissing(u"MathLib.dll", false);
  {
    TScopedEnv env;
    env.Set("ZELK_MISSING_MODULES", "other.dll; mathlib.dll");
    EXPECT_EQ(LoadLibraryW(u"mathlib.dll"), nullptr);
  }
  HMODULE h = LoadLibraryW(u"mathlib.dll");
  ASSERT_NE(h, nullptr);
  {
    TScopedEnv env;
    env.Set("ZELK_MISSING_MODULES", "mathlib");
    EXPECT_EQ(GetModuleHandleW(u"mathlib.dll"), nullptr) << "a missing module is not loaded either";
  }
  FreeLibrary(h);
}

TEST_F(Modules, HiddenExports) {
  HMODULE h = LoadLibraryW(u"mathlib.dll");
  ASSERT_NE(h, nullptr);
  {
    TScopedEnv env;
    env.Set("ZELK_MISSING_EXPORTS", "uxtheme.dll:OpenThemeDataForDpi;MATHLIB.DLL:cos");
    EXPECT_EQ(GetProcAddress(h, "cos"), nullptr);
    EXPECT_NE(GetProcAddress(h, "sin"), nullptr);
  }
  EXPECT_NE(GetProcAddress(h, "cos"), nullptr);
  SetExportMissing(u"mathlib.dll", "cos", true);
  EXPECT_EQ(GetProcAddress(h, "cos"), nullptr);
  FreeLibrary(h);
}

TEST_F(Modules, EnvironmentRenamesALibrary) {
  TScopedEnv env;
  env.Set("ZELK_MODULE_ALIAS", "gds32.dll=libm.so.6");
  HMODULE h = LoadLibraryW(u"GDS32.DLL");
  ASSERT_NE(h, nullptr);
  EXPECT_NE(GetProcAddress(h, "cos"), nullptr);
  FreeLibrary(h);
}

TEST_F(Modules, DatabaseClientLoadsByItsPlatformName) {
  HMODULE h = LoadLibraryW(u"gds32.dll");
  ASSERT_NE(h, nullptr) << UTF8Encode(GetModuleLoadError());
  EXPECT_NE(GetProcAddress(h, "isc_attach_database"), nullptr);
  FreeLibrary(h);
}

TEST_F(Modules, BuiltinModules) {
  RegisterBuiltinModule(u"TESTTHEME.DLL", {{"IsThemeActive", reinterpret_cast<void*>(&ThemeActive)}});
  EXPECT_EQ(GetModuleHandleW(u"testtheme.dll"), nullptr) << "loaded only on request";
  HMODULE h = LoadLibraryW(u"testtheme.dll");
  ASSERT_NE(h, nullptr);
  auto active = reinterpret_cast<int (*)()>(GetProcAddress(h, "IsThemeActive"));
  ASSERT_NE(active, nullptr);
  EXPECT_EQ(active(), 1);
  EXPECT_EQ(GetProcAddress(h, "isthemeactive"), nullptr) << "export names are case-sensitive";
  RegisterBuiltinModule(u"testtheme", {{"IsThemeActive", reinterpret_cast<void*>(&ThemeActive)},
                                       {"GetCurrentThemeName", reinterpret_cast<void*>(&ThemeName)}});
  EXPECT_NE(GetProcAddress(h, "GetCurrentThemeName"), nullptr);
  {
    TScopedEnv env;
    env.Set("ZELK_MISSING_EXPORTS", "testtheme.dll:GetCurrentThemeName");
    EXPECT_EQ(GetProcAddress(h, "GetCurrentThemeName"), nullptr);
    env.Set("ZELK_MISSING_MODULES", "testtheme.dll");
    EXPECT_EQ(LoadLibraryW(u"testtheme.dll"), nullptr);
  }
  EXPECT_TRUE(FreeLibrary(h));
  EXPECT_EQ(GetModuleHandleW(u"testtheme.dll"), nullptr);
}

TEST_F(Modules, PlatformModulesAreLoadedFromTheStart) {
  HMODULE ntdll = GetModuleHandleW(u"ntdll.dll");
  ASSERT_NE(ntdll, nullptr);
  auto rtlGetVersion = reinterpret_cast<NTSTATUS (*)(OSVERSIONINFOW*)>(GetProcAddress(ntdll, "RtlGetVersion"));
  ASSERT_NE(rtlGetVersion, nullptr);
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  EXPECT_EQ(rtlGetVersion(reinterpret_cast<OSVERSIONINFOW*>(&info)), STATUS_SUCCESS);
  EXPECT_EQ(info.dwMajorVersion, 10u);

  HMODULE shlwapi = GetModuleHandleW(u"SHLWAPI.DLL");
  ASSERT_NE(shlwapi, nullptr);
  auto compare = reinterpret_cast<int (*)(const Char*, const Char*)>(GetProcAddress(shlwapi, "StrCmpLogicalW"));
  ASSERT_NE(compare, nullptr);
  EXPECT_LT(compare(u"file2", u"File10"), 0);

  HMODULE kernel32 = GetModuleHandleW(u"kernel32");
  ASSERT_NE(kernel32, nullptr);
  EXPECT_NE(GetProcAddress(kernel32, "GetLocaleInfoEx"), nullptr);
  EXPECT_TRUE(FreeLibrary(kernel32));
  EXPECT_EQ(GetModuleHandleW(u"kernel32"), kernel32) << "the platform's modules never unload";
}
