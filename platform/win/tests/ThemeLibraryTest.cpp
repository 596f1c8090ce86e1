// The visual-styles library reached by name: its exports, theme handles, the themed parts drawn on
// real surfaces (saved as PNG and checked by pixel), sizes, colours, text, the parent background
// and the theme switch.
#include "platform/rtl/Modules.h"
#include "platform/win/Surface.h"
#include "platform/win/UxTheme.h"
#include "platform/win/tests/WinTestSupport.h"

#include <string>

namespace {

// The library loaded by name, with the functions the tests call.
struct TUxTheme {
  HMODULE Module = nullptr;
  TOpenThemeDataProc OpenThemeData = nullptr;
  TOpenThemeDataForDpiProc OpenThemeDataForDpi = nullptr;
  TCloseThemeDataProc CloseThemeData = nullptr;
  TDrawThemeBackgroundProc DrawThemeBackground = nullptr;
  TDrawThemeTextProc DrawThemeText = nullptr;
  TGetThemePartSizeProc GetThemePartSize = nullptr;
  TGetThemeColorProc GetThemeColor = nullptr;
  TIsThemeActiveProc IsThemeActive = nullptr;
  TIsAppThemedProc IsAppThemed = nullptr;
  TGetCurrentThemeNameProc GetCurrentThemeName = nullptr;
  TDrawThemeParentBackgroundProc DrawThemeParentBackground = nullptr;

  template <class F> void Bind(F& AProc, const char* AName) {
    AProc = reinterpret_cast<F>(GetProcAddress(Module, AName));
    ASSERT_NE(AProc, nullptr) << AName;
  }
  TUxTheme() {
    RegisterThemeLibrary();
    Module = LoadLibraryW(u"UXTHEME.DLL");
    EXPECT_NE(Module, nullptr);
    if (!Module) return;
    Bind(OpenThemeData, "OpenThemeData");
    Bind(OpenThemeDataForDpi, "OpenThemeDataForDpi");
    Bind(CloseThemeData, "CloseThemeData");
    Bind(DrawThemeBackground, "DrawThemeBackground");
    Bind(DrawThemeText, "DrawThemeText");
    Bind(GetThemePartSize, "GetThemePartSize");
    Bind(GetThemeColor, "GetThemeColor");
    Bind(IsThemeActive, "IsThemeActive");
    Bind(IsAppThemed, "IsAppThemed");
    Bind(GetCurrentThemeName, "GetCurrentThemeName");
    Bind(DrawThemeParentBackground, "DrawThemeParentBackground");
  }
  ~TUxTheme() {
    if (Module) FreeLibrary(Module);
  }
};

// A white surface with a DC over it.
struct TCanvasSurface {
  TSurface Surface;
  HDC DC;
  TCanvasSurface(int W, int H) : Surface(W, H) {
    Surface.Clear(0xFFFFFFFF);
    DC = CreateSurfaceDC(Surface, POINT{0, 0}, nullptr);
  }
  ~TCanvasSurface() { DeleteDC(DC); }
  COLORREF At(int X, int Y) {
    GdiFlush();
    Surface.Pixels();
    return PixelToColorRef(Surface.Pixel(X, Y));
  }
  void Save(const std::string& AName) {
    GdiFlush();
    EXPECT_TRUE(Surface.SaveToPng(std::string(ZELK_TEST_OUTPUT) + "/" + AName));
  }
};

class ThemeLibrary : public WinTest {
protected:
  void SetUp() override {
    WinTest::SetUp();
    SetThemeActive(true);
  }
  void TearDown() override {
    SetThemeActive(true);
    WinTest::TearDown();
  }
  TUxTheme Ux;
};

}  // namespace

TEST_F(ThemeLibrary, ExportsEveryNameBothBindingsResolve) {
  const char* names[] = {
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
  for (const char* n : names) EXPECT_NE(GetProcAddress(Ux.Module, n), nullptr) << n;
  EXPECT_EQ(GetProcAddress(Ux.Module, "DrawThemeBackgroundEx"), nullptr);

  // Functions no caller needs answer "not implemented".
  auto metric = reinterpret_cast<TGetThemeMetricProc>(GetProcAddress(Ux.Module, "GetThemeMetric"));
  int v = 0;
  EXPECT_EQ(metric(nullptr, nullptr, 1, 1, 0, &v), E_NOTIMPL);

  // The switches of the module table: the library absent, one export absent.
  SetModuleMissing(u"uxtheme.dll", true);
  EXPECT_EQ(LoadLibraryW(u"UXTHEME.DLL"), nullptr);
  SetModuleMissing(u"uxtheme.dll", false);
  SetExportMissing(u"uxtheme.dll", "OpenThemeDataForDpi", true);
  EXPECT_EQ(GetProcAddress(Ux.Module, "OpenThemeDataForDpi"), nullptr);
  EXPECT_NE(GetProcAddress(Ux.Module, "OpenThemeData"), nullptr);
  SetExportMissing(u"uxtheme.dll", "OpenThemeDataForDpi", false);
}

TEST_F(ThemeLibrary, OpensClassesByNameWithoutRegardToCase) {
  struct TCase { const Char* Classes; bool Opens; } cases[] = {
      {u"button", true},  {u"BUTTON", true},   {u"combobox", true}, {u"ComboBox", true},  {u"spin", true},
      {u"header", true},  {u"Progress", true}, {u"PROGRESS", true}, {u"Edit;Button", true}, {u"Edit", false},
      {u"", false},
  };
  for (const TCase& c : cases) {
    HTHEME t = Ux.OpenThemeData(nullptr, c.Classes);
    EXPECT_EQ(t != nullptr, c.Opens) << UTF8Encode(c.Classes);
    if (t) {
      EXPECT_EQ(Ux.CloseThemeData(t), S_OK);
    }
  }
  EXPECT_EQ(Ux.OpenThemeData(nullptr, nullptr), nullptr);
  HTHEME t = Ux.OpenThemeData(nullptr, u"button");
  ASSERT_EQ(Ux.CloseThemeData(t), S_OK);
  EXPECT_EQ(Ux.CloseThemeData(t), E_HANDLE);   // a closed handle is no longer one
  RECT r{0, 0, 10, 10};
  TCanvasSurface c(10, 10);
  EXPECT_EQ(Ux.DrawThemeBackground(t, c.DC, BP_PUSHBUTTON, PBS_NORMAL, &r, nullptr), E_HANDLE);
}

TEST_F(ThemeLibrary, PushButtonStatesByPixel) {
  // Border and face of each state, one button per state side by side.
  struct TCase { int State; COLORREF Border, Face; } cases[] = {
      {PBS_NORMAL, RGB(173, 173, 173), RGB(225, 225, 225)}, {PBS_HOT, RGB(0, 120, 215), RGB(229, 241, 251)},
      {PBS_PRESSED, RGB(0, 84, 153), RGB(204, 228, 247)},   {PBS_DISABLED, RGB(191, 191, 191), RGB(204, 204, 204)},
      {PBS_DEFAULTED, RGB(0, 120, 215), RGB(225, 225, 225)},
  };
  TCanvasSurface c(5 * 50, 30);
  HTHEME t = Ux.OpenThemeData(nullptr, u"button");
  ASSERT_NE(t, nullptr);
  for (int i = 0; i < 5; ++i) {
    RECT r{i * 50 + 2, 2, i * 50 + 48, 28};
    EXPECT_EQ(Ux.DrawThemeBackground(t, c.DC, BP_PUSHBUTTON, cases[i].State, &r, nullptr), S_OK);
  }
  c.Save("theme_pushbuttons.png");
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(cases[i].State);
    int x = i * 50;
    EXPECT_EQ(c.At(x + 1, 15), RGB(255, 255, 255));   // outside the rectangle: untouched
    EXPECT_EQ(c.At(x + 2, 15), cases[i].Border);
    EXPECT_EQ(c.At(x + 47, 27), cases[i].Border);     // right and bottom edges are inside
    EXPECT_EQ(c.At(x + 48, 15), RGB(255, 255, 255));
    EXPECT_EQ(c.At(x + 25, 15), cases[i].Face);
  }
  EXPECT_EQ(c.At(50 * 4 + 3, 15), RGB(0, 120, 215));   // the default button's second ring
  EXPECT_EQ(Ux.DrawThemeBackground(t, c.DC, BP_PUSHBUTTON, 9, nullptr, nullptr), E_INVALIDARG);
  Ux.CloseThemeData(t);
}

TEST_F(ThemeLibrary, CheckBoxAndRadioMarksByPixel) {
  // Check box states 1-12 and radio states 1-8 in a row of 20-pixel cells; the box is 13 x 13 in
  // the middle of each cell.
  TCanvasSurface c(12 * 20, 2 * 20);
  HTHEME t = Ux.OpenThemeData(nullptr, u"Button");
  ASSERT_NE(t, nullptr);
  for (int s = 1; s <= 12; ++s) {
    RECT r{(s - 1) * 20, 0, s * 20, 20};
    EXPECT_EQ(Ux.DrawThemeBackground(t, c.DC, BP_CHECKBOX, s, &r, nullptr), S_OK);
    if (s <= 8) {
      RECT rr{(s - 1) * 20, 20, s * 20, 40};
      EXPECT_EQ(Ux.DrawThemeBackground(t, c.DC, BP_RADIOBUTTON, s, &rr, nullptr), S_OK);
    }
  }
  c.Save("theme_checks_radios.png");
  const COLORREF border[] = {RGB(51, 51, 51), RGB(0, 120, 215), RGB(0, 84, 153), RGB(204, 204, 204)};
  for (int s = 1; s <= 12; ++s) {
    SCOPED_TRACE(s);
    int x0 = (s - 1) * 20, kind = (s - 1) % 4, mark = (s - 1) / 4;
    EXPECT_EQ(c.At(x0 + 3, 10), border[kind]);       // left border of the box (x 3..15)
    EXPECT_EQ(c.At(x0 + 2, 10), RGB(255, 255, 255)); // outside the box
    COLORREF centre = c.At(x0 + 10, 10);
    if (mark == 2) {  // mixed: a filled square
      EXPECT_EQ(centre, border[kind]);
    }
    COLORREF empty = kind == 2 ? RGB(204, 228, 247) : RGB(255, 255, 255);
    if (mark == 0) {
      EXPECT_EQ(centre, empty);
    }
    if (mark == 1) {                                 // checked: the tick passes near (8.5, 12.4)
      EXPECT_NE(c.At(x0 + 8, 12), empty);
      EXPECT_EQ(c.At(x0 + 5, 5), empty);
    }
  }
  for (int s = 1; s <= 8; ++s) {
    SCOPED_TRACE(s);
    int x0 = (s - 1) * 20, kind = (s - 1) % 4;
    COLORREF empty = kind == 2 ? RGB(204, 228, 247) : RGB(255, 255, 255);
    EXPECT_EQ(c.At(x0 + 10, 30), s > 4 ? border[kind] : empty);   // the bullet
    EXPECT_EQ(c.At(x0 + 3, 21), RGB(255, 255, 255));               // round: the corner stays
  }
  Ux.CloseThemeData(t);
}

TEST_F(ThemeLibrary, ComboSpinHeaderAndProgressPartsByPixel) {
  TCanvasSurface c(220, 40);
  HTHEME combo = Ux.OpenThemeData(nullptr, u"combobox");
  HTHEME spin = Ux.OpenThemeData(nullptr, u"spin");
  HTHEME header = Ux.OpenThemeData(nullptr, u"header");
  HTHEME progress = Ux.OpenThemeData(nullptr, u"Progress");
  ASSERT_TRUE(combo && spin && header && progress);
  RECT drop{0, 0, 17, 20}, dropRight{20, 0, 37, 20}, dropRightHot{40, 0, 57, 20};
  EXPECT_EQ(Ux.DrawThemeBackground(combo, c.DC, CP_DROPDOWNBUTTON, CBXS_NORMAL, &drop, nullptr), S_OK);
  EXPECT_EQ(Ux.DrawThemeBackground(combo, c.DC, CP_DROPDOWNBUTTONRIGHT, CBXS_NORMAL, &dropRight, nullptr), S_OK);
  EXPECT_EQ(Ux.DrawThemeBackground(combo, c.DC, CP_DROPDOWNBUTTONRIGHT, CBXS_HOT, &dropRightHot, nullptr), S_OK);
  RECT up{60, 0, 80, 20}, down{80, 0, 100, 20}, right{100, 0, 120, 20}, left{120, 0, 140, 20};
  EXPECT_EQ(Ux.DrawThemeBackground(spin, c.DC, SPNP_UP, UPS_NORMAL, &up, nullptr), S_OK);
  EXPECT_EQ(Ux.DrawThemeBackground(spin, c.DC, SPNP_DOWN, DNS_NORMAL, &down, nullptr), S_OK);
  EXPECT_EQ(Ux.DrawThemeBackground(spin, c.DC, SPNP_UPHORZ, UPHZS_NORMAL, &right, nullptr), S_OK);
  EXPECT_EQ(Ux.DrawThemeBackground(spin, c.DC, SPNP_DOWNHORZ, DNHZS_DISABLED, &left, nullptr), S_OK);
  RECT item{140, 0, 180, 20}, bar{0, 24, 200, 40}, chunk{2, 26, 80, 38};
  EXPECT_EQ(Ux.DrawThemeBackground(header, c.DC, HP_HEADERITEM, HIS_HOT, &item, nullptr), S_OK);
  EXPECT_EQ(Ux.DrawThemeBackground(progress, c.DC, PP_BAR, 1, &bar, nullptr), S_OK);
  EXPECT_EQ(Ux.DrawThemeBackground(progress, c.DC, PP_CHUNK, 1, &chunk, nullptr), S_OK);
  c.Save("theme_combo_spin_header_progress.png");

  const COLORREF white = RGB(255, 255, 255), face = RGB(225, 225, 225), arrow = RGB(96, 96, 96);
  EXPECT_EQ(c.At(0, 0), RGB(173, 173, 173));   // the standalone drop button has a frame
  EXPECT_EQ(c.At(8, 10), arrow);               // and a down arrow in the middle
  EXPECT_EQ(c.At(8, 6), face);
  EXPECT_EQ(c.At(20, 0), white);               // the right-hand button: no frame, no face at rest
  EXPECT_EQ(c.At(28, 10), arrow);
  EXPECT_EQ(c.At(40, 0), RGB(229, 241, 251));  // hot: a face, no frame
  // Spin arrows point their way: the wide end of the triangle lies opposite its tip.
  EXPECT_EQ(c.At(70, 11), arrow);
  EXPECT_EQ(c.At(70, 7), face);
  EXPECT_EQ(c.At(90, 8), arrow);
  EXPECT_EQ(c.At(90, 13), face);
  EXPECT_EQ(c.At(108, 10), arrow);
  EXPECT_EQ(c.At(113, 10), face);
  EXPECT_EQ(c.At(131, 10), RGB(191, 191, 191));   // disabled: a grey arrow on a grey face
  EXPECT_EQ(c.At(126, 10), RGB(204, 204, 204));
  EXPECT_EQ(c.At(150, 10), RGB(217, 235, 249));   // header item, hot
  EXPECT_EQ(c.At(179, 10), RGB(229, 229, 229));   // its divider
  EXPECT_EQ(c.At(100, 24), RGB(188, 188, 188));   // progress bar frame
  EXPECT_EQ(c.At(150, 32), RGB(230, 230, 230));   // empty track
  EXPECT_EQ(c.At(40, 32), RGB(6, 176, 37));       // chunk
  for (HTHEME t : {combo, spin, header, progress}) Ux.CloseThemeData(t);
}

TEST_F(ThemeLibrary, TrackBarPartsByPixel) {
  TCanvasSurface c(80, 30);
  HTHEME t = Ux.OpenThemeData(nullptr, u"TrackBar");
  ASSERT_NE(t, nullptr);
  RECT track{0, 0, 40, 4}, down{0, 6, 11, 27}, up{20, 6, 31, 27}, tic{40, 6, 41, 10}, right{50, 6, 71, 17};
  EXPECT_EQ(Ux.DrawThemeBackground(t, c.DC, TKP_TRACK, TRS_NORMAL, &track, nullptr), S_OK);
  EXPECT_EQ(Ux.DrawThemeBackground(t, c.DC, TKP_THUMBBOTTOM, TUS_NORMAL, &down, nullptr), S_OK);
  EXPECT_EQ(Ux.DrawThemeBackground(t, c.DC, TKP_THUMBTOP, TUS_PRESSED, &up, nullptr), S_OK);
  EXPECT_EQ(Ux.DrawThemeBackground(t, c.DC, TKP_TICS, TSS_NORMAL, &tic, nullptr), S_OK);
  EXPECT_EQ(Ux.DrawThemeBackground(t, c.DC, TKP_THUMBRIGHT, TUS_HOT, &right, nullptr), S_OK);
  EXPECT_EQ(Ux.DrawThemeBackground(t, c.DC, TKP_THUMB, 9, &down, nullptr), E_INVALIDARG);
  c.Save("theme_trackbar.png");
  EXPECT_EQ(c.At(0, 0), RGB(214, 214, 214));    // track frame
  EXPECT_EQ(c.At(20, 2), RGB(231, 234, 234));   // and its inside
  EXPECT_EQ(c.At(5, 10), RGB(0, 122, 215));     // the thumb's body
  EXPECT_EQ(c.At(1, 25), RGB(255, 255, 255));   // beside its point at the bottom
  EXPECT_EQ(c.At(5, 25), RGB(0, 122, 215));     // the point
  EXPECT_EQ(c.At(21, 8), RGB(255, 255, 255));   // the other thumb points up
  EXPECT_EQ(c.At(25, 20), RGB(204, 204, 204));
  EXPECT_EQ(c.At(40, 8), RGB(196, 196, 196));   // a tic
  EXPECT_EQ(c.At(55, 11), RGB(23, 23, 23));
  EXPECT_EQ(c.At(69, 7), RGB(255, 255, 255));
  SIZE s{};
  EXPECT_EQ(Ux.GetThemePartSize(t, nullptr, TKP_THUMBBOTTOM, TUS_NORMAL, nullptr, TS_TRUE, &s), S_OK);
  EXPECT_EQ(s.cx, 11);
  EXPECT_EQ(s.cy, 21);
  Ux.CloseThemeData(t);
}

TEST_F(ThemeLibrary, ClipRectangleAndDeviceOriginApply) {
  TCanvasSurface c(40, 20);
  HTHEME t = Ux.OpenThemeData(nullptr, u"Progress");
  RECT r{0, 0, 40, 20}, clip{10, 0, 20, 20};
  SetViewportOrgEx(c.DC, 5, 0, nullptr);
  EXPECT_EQ(Ux.DrawThemeBackground(t, c.DC, PP_CHUNK, 1, &r, &clip), S_OK);
  EXPECT_EQ(c.At(14, 10), RGB(255, 255, 255));
  EXPECT_EQ(c.At(15, 10), RGB(6, 176, 37));
  EXPECT_EQ(c.At(24, 10), RGB(6, 176, 37));
  EXPECT_EQ(c.At(25, 10), RGB(255, 255, 255));
  Ux.CloseThemeData(t);
}

TEST_F(ThemeLibrary, PartSizesFollowTheResolution) {
  struct TCase { const Char* Class; int Part; UINT Dpi; THEMESIZE Size; LONG CX, CY; } cases[] = {
      {u"button", BP_CHECKBOX, 96, TS_TRUE, 13, 13},    {u"button", BP_CHECKBOX, 144, TS_TRUE, 20, 20},
      {u"button", BP_RADIOBUTTON, 96, TS_DRAW, 13, 13}, {u"button", BP_CHECKBOX, 192, TS_MIN, 26, 26},
      {u"combobox", CP_DROPDOWNBUTTON, 96, TS_TRUE, 17, 17}, {u"spin", SPNP_UP, 96, TS_TRUE, 15, 9},
      {u"spin", SPNP_UPHORZ, 96, TS_TRUE, 9, 15},       {u"button", BP_PUSHBUTTON, 96, TS_DRAW, 30, 10},
  };
  RECT given{0, 0, 30, 10};
  for (const TCase& k : cases) {
    SCOPED_TRACE(UTF8Encode(k.Class) + " " + std::to_string(k.Part) + " " + std::to_string(k.Dpi));
    HTHEME t = Ux.OpenThemeDataForDpi(nullptr, k.Class, k.Dpi);
    SIZE s{};
    EXPECT_EQ(Ux.GetThemePartSize(t, nullptr, k.Part, 1, &given, k.Size, &s), S_OK);
    EXPECT_EQ(s.cx, k.CX);
    EXPECT_EQ(s.cy, k.CY);
    Ux.CloseThemeData(t);
  }
  // OpenThemeData takes the screen's resolution.
  Headless::SetDpi(144);
  HTHEME t = Ux.OpenThemeData(nullptr, u"button");
  SIZE s{};
  Ux.GetThemePartSize(t, nullptr, BP_CHECKBOX, 1, nullptr, TS_TRUE, &s);
  EXPECT_EQ(s.cx, 20);
  Ux.CloseThemeData(t);
  Headless::SetDpi(96);
}

TEST_F(ThemeLibrary, ColoursTextAndThemeName) {
  HTHEME t = Ux.OpenThemeData(nullptr, u"button");
  struct TCase { int Part, State, Prop; HRESULT Result; COLORREF Color; } cases[] = {
      {BP_PUSHBUTTON, PBS_HOT, TMT_BORDERCOLOR, S_OK, RGB(0, 120, 215)},
      {BP_PUSHBUTTON, PBS_PRESSED, TMT_FILLCOLOR, S_OK, RGB(204, 228, 247)},
      {BP_PUSHBUTTON, PBS_DISABLED, TMT_TEXTCOLOR, S_OK, RGB(131, 131, 131)},
      {BP_CHECKBOX, CBS_CHECKEDNORMAL, TMT_TEXTCOLOR, S_OK, RGB(0, 0, 0)},
      {BP_PUSHBUTTON, PBS_NORMAL, 1234, E_PROP_ID_UNSUPPORTED, 0},
      {BP_CHECKBOX, 13, TMT_TEXTCOLOR, E_PROP_ID_UNSUPPORTED, 0},
  };
  for (const TCase& k : cases) {
    COLORREF c = 0;
    EXPECT_EQ(Ux.GetThemeColor(t, k.Part, k.State, k.Prop, &c), k.Result);
    if (k.Result == S_OK) {
      EXPECT_EQ(c, k.Color);
    }
  }

  // Text in the part's colour, transparent over what lies beneath; the DC's own colours stay.
  TCanvasSurface c(60, 20);
  SetTextColor(c.DC, RGB(255, 0, 0));
  RECT r{0, 0, 60, 20};
  EXPECT_EQ(Ux.DrawThemeText(t, c.DC, BP_PUSHBUTTON, PBS_DISABLED, u"MMMM", -1, DT_LEFT | DT_TOP | DT_SINGLELINE, 0,
                             &r),
            S_OK);
  EXPECT_EQ(GetTextColor(c.DC), RGB(255, 0, 0));
  bool grey = false, red = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      COLORREF p = c.At(x, y);
      grey |= p == RGB(131, 131, 131);
      red |= GetRValue(p) > GetGValue(p) + 20;
    }
  EXPECT_TRUE(grey);
  EXPECT_FALSE(red);
  Ux.CloseThemeData(t);

  Char file[255], color[255], size[255];
  ASSERT_EQ(Ux.GetCurrentThemeName(file, 255, color, 255, size, 255), S_OK);
  EXPECT_EQ(String(color), u"NormalColor");
  EXPECT_EQ(String(size), u"NormalSize");
  EXPECT_EQ(Ux.GetCurrentThemeName(file, 255, color, 5, size, 255), E_INVALIDARG);
}

TEST_F(ThemeLibrary, ParentBackgroundPaintsUnderTheChild) {
  HWND parent = TopLevel(0, 0, 100, 60);
  HWND child = Child(parent, 30, 20, 40, 20);
  // The parent paints its background by position: red left of x 50, blue from there.
  Handlers()[{parent, WM_ERASEBKGND}] = [](HWND, UINT, WPARAM w, LPARAM) -> LRESULT {
    HDC dc = reinterpret_cast<HDC>(w);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    RECT l{0, 0, 50, 60}, rr{50, 0, 100, 60};
    FillRect(dc, &l, red);
    FillRect(dc, &rr, blue);
    DeleteObject(red);
    DeleteObject(blue);
    return 1;
  };
  Headless::RunUntilIdle();
  TCanvasSurface c(40, 20);
  EXPECT_EQ(Ux.DrawThemeParentBackground(child, c.DC, nullptr), S_OK);
  EXPECT_EQ(c.At(19, 10), RGB(255, 0, 0));   // parent x 49
  EXPECT_EQ(c.At(20, 10), RGB(0, 0, 255));   // parent x 50
  ASSERT_FALSE(Only({WM_PRINTCLIENT}, parent).empty());
  EXPECT_EQ(Ux.DrawThemeParentBackground(parent, c.DC, nullptr), E_INVALIDARG);   // no parent
}

TEST_F(ThemeLibrary, SwitchingThemesTellsEveryWindow) {
  HWND top = TopLevel(0, 0, 50, 50);
  HWND child = Child(top, 0, 0, 10, 10);
  EXPECT_TRUE(Ux.IsThemeActive());
  EXPECT_TRUE(Ux.IsAppThemed());
  SetThemeActive(false);
  EXPECT_FALSE(Ux.IsThemeActive());
  EXPECT_FALSE(Ux.IsAppThemed());
  EXPECT_EQ(Ux.OpenThemeData(nullptr, u"button"), nullptr);
  Char color[255];
  EXPECT_NE(Ux.GetCurrentThemeName(nullptr, 0, color, 255, nullptr, 0), S_OK);
  EXPECT_EQ(Only({WM_THEMECHANGED}, top).size(), 1u);
  EXPECT_EQ(Only({WM_THEMECHANGED}, child).size(), 1u);
  SetThemeActive(false);   // no change, no message
  EXPECT_EQ(Only({WM_THEMECHANGED}, top).size(), 1u);
  auto enable = reinterpret_cast<TEnableThemingProc>(GetProcAddress(Ux.Module, "EnableTheming"));
  EXPECT_EQ(enable(TRUE), S_OK);
  EXPECT_TRUE(Ux.IsThemeActive());
  EXPECT_EQ(Only({WM_THEMECHANGED}, top).size(), 2u);
}
