// Theme and Office detection from a seeded registry store and the platform's version facts, and
// the colour, font and scale routines of the style vocabulary.
#include <functional>

#include "lib/base/NeoStyleIF.h"
#include "lib/base/tests/StyleTestSupport.h"
#include "platform/rtl/Modules.h"
#include "platform/win/UxTheme.h"

using namespace styletest;

namespace {

class NeoStyleDetection : public StyleTest {
protected:
  void SetUp() override {
    StyleTest::SetUp();
    RegisterThemeLibrary();
    SetThemeActive(true);
  }
  void TearDown() override {
    SetThemeActive(true);
    SetModuleMissing(u"uxtheme.dll", false);
    SetExportMissing(u"kernel32", "GetLocaleInfoEx", false);
    ResetFileVersionFacts();
    StyleTest::TearDown();
  }
  static void Windows(DWORD Major, DWORD Minor, DWORD ReportedMajor, DWORD ReportedMinor) {
    TVersionFacts f;
    f.Actual = {Major, Minor, 1};
    f.Reported = {ReportedMajor, ReportedMinor, 1};
    SetVersionFacts(f);
  }
};

}  // namespace

// Every rule of the detection in its order: each case seeds a store and names the style that
// DetectOfficeTheme(False) and (True) answer.
TEST_F(NeoStyleDetection, OfficeThemeRulesInOrder) {
  using TSeed = std::function<void()>;
  const String o16 = OfficeRoot + u"16.0\\Common", o15 = OfficeRoot + u"15.0\\Common",
               o14 = OfficeRoot + u"14.0\\Common", o12 = OfficeRoot + u"12.0\\Common";
  struct TCase {
    const char* Name;
    TSeed Seed;
    TNeoStyle Plain, WithXP;
  } cases[] = {
      {"16.0 UI Theme 3 (DWORD)", [&] { WriteDword(o16, u"UI Theme", 3); }, tsOffice2019Gray, tsOffice2019Gray},
      {"16.0 UI Theme 4 as text", [&] { WriteText(o16, u"UI Theme", u"4"); }, tsOffice2019Black, tsOffice2019Black},
      {"16.0 UI Theme 0", [&] { WriteDword(o16, u"UI Theme", 0); }, tsOffice2019White, tsOffice2019White},
      {"16.0 UI Theme 6", [&] { WriteDword(o16, u"UI Theme", 6); }, tsOffice2019White, tsOffice2019White},
      {"16.0 key without value", [&] { CreateKey(o16); }, tsOffice2019White, tsOffice2019White},
      {"16.0 value not a number", [&] { WriteText(o16, u"UI Theme", u"dark"); }, tsOffice2019White,
       tsOffice2019White},
      {"16.0 wins over 15.0",
       [&] {
         WriteDword(o15, u"UI Theme", 2);
         WriteDword(o16, u"UI Theme", 3);
       },
       tsOffice2019Gray, tsOffice2019Gray},
      {"15.0 UI Theme 0", [&] { WriteDword(o15, u"UI Theme", 0); }, tsOffice2013White, tsOffice2013White},
      {"15.0 UI Theme 1", [&] { WriteDword(o15, u"UI Theme", 1); }, tsOffice2013LightGray, tsOffice2013LightGray},
      {"15.0 UI Theme 2 as text", [&] { WriteText(o15, u"UI Theme", u"2"); }, tsOffice2013Gray, tsOffice2013Gray},
      {"15.0 UI Theme 3", [&] { WriteDword(o15, u"UI Theme", 3); }, tsCustom, tsCustom},
      {"15.0 key without value", [&] { CreateKey(o15); }, tsOffice2013White, tsOffice2013White},
      {"15.0 value not a number", [&] { WriteText(o15, u"UI Theme", u"x"); }, tsOffice2013White, tsOffice2013White},
      {"14.0 Theme 1", [&] { WriteDword(o14, u"Theme", 1); }, tsOffice2010Blue, tsOffice2010Blue},
      {"14.0 Theme 2", [&] { WriteDword(o14, u"Theme", 2); }, tsOffice2010Silver, tsOffice2010Silver},
      {"14.0 Theme 3", [&] { WriteDword(o14, u"Theme", 3); }, tsOffice2010Black, tsOffice2010Black},
      {"14.0 Theme 0", [&] { WriteDword(o14, u"Theme", 0); }, tsCustom, tsCustom},
      {"14.0 wins over 12.0",
       [&] {
         WriteDword(o12, u"Theme", 3);
         WriteDword(o14, u"Theme", 1);
       },
       tsOffice2010Blue, tsOffice2010Blue},
      // A key without "Theme" reads -1: the next rule decides.
      {"14.0 key without value, 12.0 Theme 2",
       [&] {
         CreateKey(o14);
         WriteDword(o12, u"Theme", 2);
       },
       tsOffice2007Silver, tsOffice2007Silver},
      {"12.0 Theme 1", [&] { WriteDword(o12, u"Theme", 1); }, tsOffice2007Luna, tsOffice2007Luna},
      {"12.0 Theme 3", [&] { WriteDword(o12, u"Theme", 3); }, tsOffice2007Obsidian, tsOffice2007Obsidian},
      {"12.0 Theme 7", [&] { WriteDword(o12, u"Theme", 7); }, tsCustom, tsCustom},
      {"12.0 Theme stored as text", [&] { WriteText(o12, u"Theme", u"1"); }, tsWindows10, tsOffice2003Blue},
      // Without Office: the XP colour scheme (NormalColor, themed) or the Windows look (10, light).
      {"no Office", [] {}, tsWindows10, tsOffice2003Blue},
      {"no Office, dark apps", [&] { WriteDword(Personalize, u"AppsUseLightTheme", 0); }, tsOffice2019Black,
       tsOffice2003Blue},
      {"no Office, light apps", [&] { WriteDword(Personalize, u"AppsUseLightTheme", 1); }, tsWindows10,
       tsOffice2003Blue},
      {"no Office, apps value not a number", [&] { WriteText(Personalize, u"AppsUseLightTheme", u"no"); },
       tsOffice2019Black, tsOffice2003Blue},
      {"no Office, apps key without value", [&] { CreateKey(Personalize); }, tsWindows10, tsOffice2003Blue},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRegistry reg;
    reg.DeleteKey(u"Software");
    c.Seed();
    EXPECT_EQ(DetectOfficeTheme(false), c.Plain);
    EXPECT_EQ(DetectOfficeTheme(true), c.WithXP);
  }
}

TEST_F(NeoStyleDetection, RegistryReadersAnswerMinusOneWithoutTheKey) {
  const String key = OfficeRoot + u"16.0\\Common";
  EXPECT_EQ(ReadOfficeUITheme(key), -1);
  EXPECT_EQ(ReadOfficeThemeIndex(key), -1);
  EXPECT_EQ(ReadAppsUseLightTheme(Personalize), -1);
  CreateKey(key);
  CreateKey(Personalize);
  EXPECT_EQ(ReadOfficeUITheme(key), 0);         // absent value
  EXPECT_EQ(ReadOfficeThemeIndex(key), -1);     // absent value
  EXPECT_EQ(ReadAppsUseLightTheme(Personalize), -1);
  WriteText(key, u"UI Theme", u" 12");
  EXPECT_EQ(ReadOfficeUITheme(key), 12);
  WriteDword(key, u"Theme", 5);
  EXPECT_EQ(ReadOfficeThemeIndex(key), 5);
}

TEST_F(NeoStyleDetection, WindowsFallbackByVersion) {
  struct TCase { DWORD Major, Minor, RepMajor, RepMinor; Integer Class; TNeoStyle Style; } cases[] = {
      {6, 1, 6, 1, 1, tsWindows7},     {6, 2, 6, 2, 2, tsWindows8},   {6, 3, 6, 3, 2, tsWindows8},
      {10, 0, 10, 0, 3, tsWindows10},  {6, 4, 6, 4, 3, tsWindows10},  {6, 0, 6, 0, 0, tsWindows7},
      {5, 1, 5, 1, 0, tsWindows7},
      // A program without a compatibility manifest is told 6.2; the true version comes from ntdll.
      {10, 0, 6, 2, 3, tsWindows10},   {6, 3, 6, 2, 2, tsWindows8},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Major) + "." + std::to_string(c.Minor) + " told " + std::to_string(c.RepMajor) +
                 "." + std::to_string(c.RepMinor));
    Windows(c.Major, c.Minor, c.RepMajor, c.RepMinor);
    EXPECT_EQ(WindowsVersionClass(), c.Class);
    EXPECT_EQ(DetectOfficeTheme(false), c.Style);
  }
  // Without ntdll's function the reported version stands.
  Windows(10, 0, 6, 2);
  SetExportMissing(u"ntdll", "RtlGetVersion", true);
  EXPECT_EQ(WindowsVersionClass(), 2);
  SetExportMissing(u"ntdll", "RtlGetVersion", false);

  Windows(5, 0, 5, 0);
  EXPECT_FALSE(IsWindowsXPOrNewer());
  EXPECT_EQ(XPThemeColorScheme(), 0);
  EXPECT_EQ(DetectOfficeTheme(true), tsOffice2003Classic);
  Windows(5, 1, 5, 1);
  EXPECT_TRUE(IsWindowsXPOrNewer());
}

TEST_F(NeoStyleDetection, XPColourSchemeFromTheVisualStylesLibrary) {
  EXPECT_EQ(XPThemeColorScheme(), 1);   // "NormalColor"
  EXPECT_EQ(CurrentOfficeTheme(), ot2003Blue);
  SetThemeActive(false);
  EXPECT_EQ(XPThemeColorScheme(), 0);
  EXPECT_EQ(CurrentOfficeTheme(), ot2003Classic);
  SetThemeActive(true);
  SetFileVersionFact(u"comctl32.dll", 5, 82, 0, 0);   // common controls 5: no themes
  EXPECT_FALSE(ComCtlV6Available());
  EXPECT_EQ(XPThemeColorScheme(), 0);
  RemoveFileVersionFact(u"comctl32.dll");
  EXPECT_FALSE(ComCtlV6Available());
  ResetFileVersionFacts();
  EXPECT_TRUE(ComCtlV6Available());
  SetModuleMissing(u"uxtheme.dll", true);
  EXPECT_EQ(XPThemeColorScheme(), 0);
}

TEST_F(NeoStyleDetection, CurrentOfficeThemeMapsEveryDetectedStyle) {
  const String o16 = OfficeRoot + u"16.0\\Common", o15 = OfficeRoot + u"15.0\\Common",
               o14 = OfficeRoot + u"14.0\\Common", o12 = OfficeRoot + u"12.0\\Common";
  struct TCase { String Key, Name; Integer Value; TOfficeTheme Theme; } cases[] = {
      {o16, u"UI Theme", 0, ot2019White},  {o16, u"UI Theme", 3, ot2019Gray},   {o16, u"UI Theme", 4, ot2019Black},
      {o15, u"UI Theme", 0, ot2013White},  {o15, u"UI Theme", 1, ot2013Silver}, {o15, u"UI Theme", 2, ot2013Gray},
      {o15, u"UI Theme", 3, ot2019Black},   // tsCustom reads as Office 2019 black, not unknown
      {o14, u"Theme", 1, ot2010Blue},      {o14, u"Theme", 2, ot2010Silver},    {o14, u"Theme", 3, ot2010Black},
      {o12, u"Theme", 1, ot2007Blue},      {o12, u"Theme", 2, ot2007Silver},    {o12, u"Theme", 3, ot2007Black},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Key) + " " + std::to_string(c.Value));
    TRegistry reg;
    reg.DeleteKey(u"Software");
    WriteDword(c.Key, c.Name, c.Value);
    EXPECT_EQ(CurrentOfficeTheme(), c.Theme);
  }
}

TEST_F(NeoStyleDetection, InstalledOfficeVersionTakesTheHighest) {
  EXPECT_EQ(InstalledOfficeVersion(), 0);
  CreateKey(OfficeRoot + u"16.0\\Common");   // the "General" key is what counts
  EXPECT_EQ(InstalledOfficeVersion(), 0);
  InstallOffice(u"12.0");
  EXPECT_EQ(InstalledOfficeVersion(), 1);
  InstallOffice(u"15.0");
  EXPECT_EQ(InstalledOfficeVersion(), 3);
  InstallOffice(u"14.0");
  EXPECT_EQ(InstalledOfficeVersion(), 3);
  InstallOffice(u"16.0");
  EXPECT_EQ(InstalledOfficeVersion(), 4);
}

TEST_F(NeoStyleDetection, DarkenColorPercentClampsEachByte) {
  struct TCase { TColor Color; Integer Percent; TColor Expected; } cases[] = {
      {0x336699, 0, 0x336699},
      {0x336699, 100, 0},
      {0x336699, 20, 0x29527A},    // 0x99*0.8 = 122.4, 0x66*0.8 = 81.6, 0x33*0.8 = 40.8
      {0x0A0A0A, 25, 0x080808},    // 7.5 rounds to the even 8
      {0x0E0E0E, 25, 0x0A0A0A},    // 10.5 rounds to the even 10
      {0x808080, -100, 0xFFFFFF},  // brighter than white stays white
      {0x405060, 150, 0},          // beyond 100: each byte stops at 0 instead of spilling over
      {0xFFFFFF, 250, 0},
      {clBtnFace, 0, static_cast<TColor>(ColorToRGB(clBtnFace))},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Color) + " " + std::to_string(c.Percent));
    EXPECT_EQ(DarkenColorPercent(c.Color, c.Percent), c.Expected);
    EXPECT_EQ(DarkerColor(c.Color, c.Percent), c.Expected);
  }
}

TEST_F(NeoStyleDetection, ColourToneSets) {
  TColorTones light = MetroColorTones(true, 0x0000FF);
  EXPECT_EQ(light.Background, (TColorTone{0xFFFFFF, 0x0000FF, 0}));
  EXPECT_EQ(light.Foreground, (TColorTone{0xC0C0C0, 0xC0C0C0, 0}));
  EXPECT_EQ(light.Selected, (TColorTone{0x0000FF, 0x0000FF, 0xFFFFFF}));
  EXPECT_EQ(light.Hover, (TColorTone{0x0000CC, 0x0000CC, 0xFFFFFF}));
  EXPECT_EQ(light.Disabled, (TColorTone{0xC0C0C0, 0x808080, 0x808080}));
  TColorTones dark = MetroColorTones(false, 0x0000FF);
  EXPECT_EQ(dark.Background, (TColorTone{0, 0x0000FF, 0xFFFFFF}));

  TColorTones d = DefaultColorTones();
  EXPECT_EQ(d.Background, (TColorTone{clWindow, clHighlight, clWindowText}));
  EXPECT_EQ(d.Selected, (TColorTone{clHighlight, clHighlight, clHighlightText}));
  EXPECT_EQ(d.Hover, (TColorTone{0x808080, 0x808080, 0xFFFFFF}));
  EXPECT_EQ(d.Disabled, (TColorTone{clWindow, 0xC0C0C0, 0xC0C0C0}));
}

TEST_F(NeoStyleDetection, FontLightFacesAndCustomStyles) {
  EXPECT_TRUE(HasLocaleInfoEx());
  EXPECT_EQ(DefaultUIFontName(), u"Segoe UI");
  SetExportMissing(u"kernel32", "GetLocaleInfoEx", true);
  EXPECT_FALSE(HasLocaleInfoEx());
  EXPECT_EQ(DefaultUIFontName(), u"Tahoma");

  for (int s = tsOffice2003Blue; s <= tsOffice2019Black; ++s) {
    auto style = static_cast<TNeoStyle>(s);
    bool dark = style == tsOffice2016Black || style == tsOffice2019Gray || style == tsOffice2019Black;
    EXPECT_EQ(StyleHasLightFace(style), !dark) << s;
  }

  struct TServices {
    bool Enabled;
    String Name;
    bool GetEnabled() const { return Enabled; }
    String GetName() const { return Name; }
  };
  struct TCase { TServices Services; bool Win10Check, Active; } cases[] = {
      {{true, u"Windows"}, false, false},       {{true, u"Carbon"}, false, true},
      {{false, u"Carbon"}, false, false},       {{true, u"Windows10"}, true, false},
      {{false, u"Mountain_Mist"}, true, false}, {{false, u"Carbon"}, true, true},
      {{true, u"windows10"}, true, true},   // names compare exactly
  };
  for (TCase& c : cases) EXPECT_EQ(IsCustomVclStyleActive(&c.Services, c.Win10Check), c.Active) << UTF8Encode(c.Services.Name);
}

TEST_F(NeoStyleDetection, ControlScaleFactor) {
  Headless::SetDpi(144);
  TForm form(nullptr);
  form.SetScaled(true);
  TWinControl* panel = new TWinControl(&form);
  panel->SetParent(&form);
  EXPECT_FLOAT_EQ(ControlScaleFactor(panel, nullptr), 1.5f);   // the scaled form's monitor
  form.SetScaled(false);
  EXPECT_FLOAT_EQ(ControlScaleFactor(panel, nullptr), 1.5f);   // the screen
  TBitmap bitmap;
  bitmap.SetSize(4, 4);
  SetDCResolution(bitmap.GetCanvas()->GetHandle(), 192, 192);
  EXPECT_FLOAT_EQ(ControlScaleFactor(panel, bitmap.GetCanvas()), 2.0f);   // the canvas
  Headless::SetDpi(96);
  EXPECT_FLOAT_EQ(ControlScaleFactor(nullptr, nullptr), 1.0f);
}
