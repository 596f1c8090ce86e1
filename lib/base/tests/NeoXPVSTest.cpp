// The visual-styles binding: the 47 names resolved in order, the library absent, a library without
// OpenThemeDataForDpi or without another function, and themed parts drawn through the table.
#include <string>
#include <vector>

#include "lib/base/NeoXPVS.h"
#include "lib/base/tests/StyleTestSupport.h"
#include "platform/rtl/Units.h"
#include "platform/win/Surface.h"

using namespace styletest;

namespace {

class NeoXPVSBinding : public StyleTest {
protected:
  void SetUp() override {
    StyleTest::SetUp();
    RegisterThemeLibrary();
    NeoXPVS::FreeThemeApi();
  }
  void TearDown() override {
    NeoXPVS::FreeThemeApi();
    SetModuleMissing(u"UXTHEME.DLL", false);
    SetExportMissing(u"UXTHEME.DLL", "OpenThemeDataForDpi", false);
    SetExportMissing(u"UXTHEME.DLL", "GetThemeColor", false);
    StyleTest::TearDown();
  }
  static int SetPointers() {
    int n = 0;
    for (const NeoXPVS::TThemeFunction& f : NeoXPVS::ThemeFunctions) n += f.Get() != nullptr;
    return n;
  }
};

}  // namespace

TEST_F(NeoXPVSBinding, ResolvesTheFortySevenNamesInOrder) {
  const std::vector<std::string> order = {
      "OpenThemeData", "OpenThemeDataForDpi", "CloseThemeData", "DrawThemeBackground", "DrawThemeText",
      "GetThemeBackgroundContentRect", "GetThemeBackgroundExtent", "GetThemeTextExtent", "GetThemeTextMetrics",
      "GetThemeBackgroundRegion", "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
      "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString", "GetThemeBool",
      "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins",
      "GetThemeIntList", "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor", "GetThemeSysColorBrush",
      "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString", "GetThemeSysInt",
      "IsThemeActive", "IsAppThemed", "GetWindowTheme", "GetThemePartSize", "EnableThemeDialogTexture",
      "IsThemeDialogTextureEnabled", "GetThemeAppProperties", "SetThemeAppProperties", "GetCurrentThemeName",
      "GetThemeDocumentationProperty", "DrawThemeParentBackground", "EnableTheming"};
  ASSERT_EQ(order.size(), std::size_t(NeoXPVS::ThemeFunctionCount));
  EXPECT_EQ(SetPointers(), 0);
  NeoXPVS::LoadThemeApi();
  ASSERT_TRUE(NeoXPVS::ThemeLibraryLoaded);
  HMODULE lib = GetModuleHandleW(u"uxtheme.dll");
  ASSERT_EQ(lib, NeoXPVS::ThemeLibraryModule);
  for (int i = 0; i < NeoXPVS::ThemeFunctionCount; ++i) {
    EXPECT_EQ(NeoXPVS::ThemeFunctions[i].Name, order[i]);
    EXPECT_EQ(NeoXPVS::ThemeFunctions[i].Get(), GetProcAddress(lib, order[i].c_str())) << order[i];
  }
  EXPECT_EQ(reinterpret_cast<void*>(NeoXPVS::IsThemeActive), GetProcAddress(lib, "IsThemeActive"));
  EXPECT_TRUE(NeoXPVS::IsThemeActive());

  NeoXPVS::LoadThemeApi();   // once only: no second reference
  NeoXPVS::FreeThemeApi();
  EXPECT_FALSE(NeoXPVS::ThemeLibraryLoaded);
  EXPECT_EQ(GetModuleHandleW(u"uxtheme.dll"), nullptr);   // the one reference is gone
  EXPECT_EQ(SetPointers(), 0);
}

TEST_F(NeoXPVSBinding, LibraryAbsentOrIncomplete) {
  struct TCase {
    const char* Name;
    const char* MissingExport;   // nullptr: the whole library is missing
    bool Loaded;
    int Pointers;
  } cases[] = {
      {"library absent", nullptr, false, 0},
      {"without OpenThemeDataForDpi", "OpenThemeDataForDpi", true, 46},
      // Any other function missing: not loaded (start-up goes on without themes).
      {"without GetThemeColor", "GetThemeColor", false, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    if (c.MissingExport) SetExportMissing(u"UXTHEME.DLL", c.MissingExport, true);
    else SetModuleMissing(u"UXTHEME.DLL", true);
    NeoXPVS::LoadThemeApi();
    EXPECT_EQ(NeoXPVS::ThemeLibraryLoaded, c.Loaded);
    EXPECT_EQ(SetPointers(), c.Pointers);
    if (c.Loaded) {
      EXPECT_EQ(NeoXPVS::OpenThemeDataForDpi, nullptr);
      EXPECT_NE(NeoXPVS::OpenThemeData, nullptr);
    }
    EXPECT_EQ(GetModuleHandleW(u"uxtheme.dll") != nullptr, c.Loaded);   // released again when refused
    NeoXPVS::FreeThemeApi();
    SetModuleMissing(u"UXTHEME.DLL", false);
    if (c.MissingExport) SetExportMissing(u"UXTHEME.DLL", c.MissingExport, false);
  }
}

TEST_F(NeoXPVSBinding, StartsAsAUnitInTheStatedOrder) {
  TUnitRegistry& units = Units();
  if (units.Initialized()) GTEST_SKIP() << "the program's units already run";
  units.Clear();
  RegisterNeoXPVSUnit();
  RegisterNeoXPVSUnit();   // a unit keeps its first place
  ASSERT_EQ(units.Count(), 1);
  EXPECT_EQ(units.Names(0), u"NeoXPVS");
  units.Initialize();
  EXPECT_TRUE(NeoXPVS::ThemeLibraryLoaded);
  units.Finalize();
  EXPECT_FALSE(NeoXPVS::ThemeLibraryLoaded);
  units.Clear();
}

TEST_F(NeoXPVSBinding, ThemedPartsDrawnThroughTheTable) {
  NeoXPVS::LoadThemeApi();
  ASSERT_TRUE(NeoXPVS::ThemeLibraryLoaded);
  HWND wnd = nullptr;   // no window: the screen's resolution
  TSurface surface(120, 24);
  surface.Clear(0xFFFFFFFF);
  HDC dc = CreateSurfaceDC(surface, POINT{0, 0}, nullptr);
  HTHEME button = NeoXPVS::OpenThemeData(wnd, u"button");
  HTHEME combo = NeoXPVS::OpenThemeData(wnd, u"combobox");
  HTHEME spin = NeoXPVS::OpenThemeDataForDpi(wnd, u"spin", 96);
  ASSERT_TRUE(button && combo && spin);
  RECT push{0, 0, 40, 24}, check{44, 0, 64, 24}, drop{68, 2, 85, 22}, up{90, 0, 110, 12}, down{90, 12, 110, 24};
  EXPECT_EQ(NeoXPVS::DrawThemeBackground(button, dc, BP_PUSHBUTTON, PBS_PRESSED, &push, nullptr), S_OK);
  EXPECT_EQ(NeoXPVS::DrawThemeBackground(button, dc, BP_CHECKBOX, CBS_MIXEDNORMAL, &check, nullptr), S_OK);
  EXPECT_EQ(NeoXPVS::DrawThemeBackground(combo, dc, CP_DROPDOWNBUTTON, CBXS_HOT, &drop, nullptr), S_OK);
  EXPECT_EQ(NeoXPVS::DrawThemeBackground(spin, dc, SPNP_UP, UPS_NORMAL, &up, nullptr), S_OK);
  EXPECT_EQ(NeoXPVS::DrawThemeBackground(spin, dc, SPNP_DOWN, DNS_DISABLED, &down, nullptr), S_OK);
  SIZE size{};
  EXPECT_EQ(NeoXPVS::GetThemePartSize(button, dc, BP_CHECKBOX, CBS_CHECKEDNORMAL, nullptr, TS_TRUE, &size), S_OK);
  EXPECT_EQ(size.cx, 13);
  for (HTHEME t : {button, combo, spin}) EXPECT_EQ(NeoXPVS::CloseThemeData(t), S_OK);
  GdiFlush();
  EXPECT_TRUE(surface.SaveToPng(std::string(ZELK_TEST_OUTPUT) + "/neoxpvs_parts.png"));
  surface.Pixels();
  auto at = [&](int X, int Y) { return PixelToColorRef(surface.Pixel(X, Y)); };
  EXPECT_EQ(at(0, 0), RGB(0, 84, 153));        // pressed button: frame
  EXPECT_EQ(at(20, 12), RGB(204, 228, 247));   // and face
  EXPECT_EQ(at(54, 12), RGB(51, 51, 51));      // mixed check box: a filled square in the middle
  EXPECT_EQ(at(47, 12), RGB(51, 51, 51));      // its frame
  EXPECT_EQ(at(48, 12), RGB(255, 255, 255));   // the white between
  EXPECT_EQ(at(68, 2), RGB(0, 120, 215));      // hot drop button frame
  EXPECT_EQ(at(76, 12), RGB(0, 0, 0));         // its arrow
  EXPECT_EQ(at(100, 7), RGB(96, 96, 96));      // up arrow
  EXPECT_EQ(at(100, 2), RGB(225, 225, 225));
  EXPECT_EQ(at(100, 17), RGB(191, 191, 191));  // disabled down arrow
  DeleteDC(dc);
}
