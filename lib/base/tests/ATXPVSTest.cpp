// The second visual-styles table: the 45 names bound in order, the library absent or lacking a
// function, the release, and the unit beside the first table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/base/ATXPVS.h"
#include "platform/rtl/Units.h"

namespace {

class ATXPVSBinding : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterThemeLibrary();
    ATXPVS::FreeThemeLibrary();
  }
  void TearDown() override {
    ATXPVS::FreeThemeLibrary();
    NeoXPVS::FreeThemeApi();
    SetModuleMissing(u"UXTHEME.DLL", false);
    SetExportMissing(u"UXTHEME.DLL", "GetThemeDocumentationProperty", false);
    SetExportMissing(u"UXTHEME.DLL", "OpenThemeDataForDpi", false);
  }
  static int SetEntries() {
    int n = 0;
    for (const NeoXPVS::TThemeFunction& f : ATXPVS::ThemeFunctions) n += f.Get() != nullptr;
    return n;
  }
};

TEST_F(ATXPVSBinding, BindsTheFortyFiveNamesInOrder) {
  const std::vector<std::string> order = {
      "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText", "GetThemeBackgroundContentRect",
      "GetThemeBackgroundExtent", "GetThemeTextExtent", "GetThemeTextMetrics", "GetThemeBackgroundRegion",
      "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
      "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString", "GetThemeBool",
      "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins",
      "GetThemeIntList", "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor", "GetThemeSysColorBrush",
      "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString", "GetThemeSysInt",
      "IsThemeActive", "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture", "IsThemeDialogTextureEnabled",
      "GetThemeAppProperties", "SetThemeAppProperties", "GetCurrentThemeName", "GetThemeDocumentationProperty",
      "DrawThemeParentBackground", "EnableTheming"};
  ASSERT_EQ(order.size(), std::size_t(ATXPVS::ThemeFunctionCount));
  EXPECT_EQ(SetEntries(), 0);
  ATXPVS::LoadThemeFunctions();
  ASSERT_TRUE(ATXPVS::ThemeLibraryLoaded);
  HMODULE lib = GetModuleHandleW(u"uxtheme.dll");
  ASSERT_EQ(lib, ATXPVS::ThemeLibraryModule);
  for (int i = 0; i < ATXPVS::ThemeFunctionCount; ++i) {
    EXPECT_EQ(ATXPVS::ThemeFunctions[i].Name, order[i]);
    const void* entry = ATXPVS::ThemeFunctions[i].Get();
    EXPECT_NE(entry, nullptr) << order[i];
    EXPECT_EQ(entry, GetProcAddress(lib, order[i].c_str())) << order[i];
  }
  EXPECT_EQ(reinterpret_cast<void*>(ATXPVS::DrawThemeBackground), GetProcAddress(lib, "DrawThemeBackground"));
  EXPECT_TRUE(ATXPVS::IsThemeActive());

  ATXPVS::LoadThemeFunctions();   // once only: no second reference
  ATXPVS::FreeThemeLibrary();
  EXPECT_FALSE(ATXPVS::ThemeLibraryLoaded);
  EXPECT_EQ(GetModuleHandleW(u"uxtheme.dll"), nullptr);
  EXPECT_EQ(SetEntries(), 0);
  ATXPVS::FreeThemeLibrary();   // again: nothing
  EXPECT_EQ(GetModuleHandleW(u"uxtheme.dll"), nullptr);
}

// Without the library, or with one that lacks any of the 45 functions, the table stays empty and
// the library unloaded; the start-up goes on (no assertion). A function only the other table
// binds does not matter.
TEST_F(ATXPVSBinding, LibraryAbsentOrIncomplete) {
  struct TCase {
    const char* Name;
    const char* MissingExport;   // nullptr: the whole library is missing
    bool Loaded;
  } cases[] = {
      {"library absent", nullptr, false},
      {"without GetThemeDocumentationProperty", "GetThemeDocumentationProperty", false},
      {"without OpenThemeDataForDpi", "OpenThemeDataForDpi", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    if (c.MissingExport) SetExportMissing(u"UXTHEME.DLL", c.MissingExport, true);
    else SetModuleMissing(u"UXTHEME.DLL", true);
    ATXPVS::LoadThemeFunctions();
    EXPECT_EQ(ATXPVS::ThemeLibraryLoaded, c.Loaded);
    EXPECT_EQ(SetEntries(), c.Loaded ? ATXPVS::ThemeFunctionCount : 0);
    EXPECT_EQ(GetModuleHandleW(u"uxtheme.dll") != nullptr, c.Loaded);
    ATXPVS::FreeThemeLibrary();
    SetModuleMissing(u"UXTHEME.DLL", false);
    if (c.MissingExport) SetExportMissing(u"UXTHEME.DLL", c.MissingExport, false);
  }
}

// Each table holds its own reference: ending one leaves the other's entries callable.
TEST_F(ATXPVSBinding, StartsAsAUnitBesideTheFirstTable) {
  TUnitRegistry& units = Units();
  if (units.Initialized()) GTEST_SKIP() << "the program's units already run";
  units.Clear();
  RegisterNeoXPVSUnit();
  RegisterATXPVSUnit();
  ASSERT_EQ(units.Count(), 2);
  EXPECT_EQ(units.Names(1), u"ATXPVS");
  units.Initialize();
  EXPECT_TRUE(ATXPVS::ThemeLibraryLoaded);
  EXPECT_TRUE(NeoXPVS::ThemeLibraryLoaded);
  NeoXPVS::FreeThemeApi();
  EXPECT_NE(GetModuleHandleW(u"uxtheme.dll"), nullptr);
  EXPECT_TRUE(ATXPVS::IsThemeActive());
  units.Finalize();
  EXPECT_FALSE(ATXPVS::ThemeLibraryLoaded);
  EXPECT_EQ(ATXPVS::OpenThemeData, nullptr);
  EXPECT_EQ(GetModuleHandleW(u"uxtheme.dll"), nullptr);
  units.Clear();
}

}  // namespace
