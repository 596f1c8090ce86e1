// The three colour selector panels and a standalone clock on one form, as a person sees it:
// headless, and on a real X server (Xvfb), where a click on the cube's centre cell selects white
// and a click at 3 o'clock in the clock's margin sets the minute to 15. The X11 run is this test
// program started again on Xvfb with the demo test alone and ZELK_BACKEND=x11; it writes
// its screenshot and where the centre cell and the clock's centre lie on the screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "lib/dropdown/NeoColorSelector.h"
#include "lib/dropdown/NeoWatch.h"
#include "lib/graphics/NeoGDIP.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/Units.h"
#include "platform/rtl/testsupport/Command.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"
#include "platform/win/Surface.h"
#include "platform/win/WinSystem.h"

namespace {

constexpr TPoint CubeCentreCell{91, 80};
constexpr TPoint ClockThreeInMargin{176, 90};

// The demo form: the cube, the spectrum and the colour boxes side by side.
struct TDemoForm {
  TForm* Form = nullptr;
  TNeoColorCubePanel* Cube = nullptr;
  TNeoColorSpectrumPanel* Spectrum = nullptr;
  TCustomColorSelector* Boxes = nullptr;
  TNeoWatch* Clock = nullptr;
  int Selects = 0;

  TDemoForm() {
    Form = new TForm(Application);
    Form->SetBorderStyle(bsSingle);
    Form->SetCaption(u"Colour selectors and clock");
    Form->SetBounds(40, 40, 10, 10);
    Form->SetClientWidth(740);
    Form->SetClientHeight(200);
    Form->SetColor(clWhite);
    Cube = new TNeoColorCubePanel(Form);
    Cube->SetParent(Form);
    Cube->SetLeft(8);
    Cube->SetTop(8);
    Cube->ResetHot();
    Cube->OnSelect = [this](TObject*) { ++Selects; };
    Spectrum = new TNeoColorSpectrumPanel(Form);
    Spectrum->SetParent(Form);
    Spectrum->SetLeft(196);
    Spectrum->SetTop(8);
    Spectrum->LayoutPanel();
    Boxes = new TCustomColorSelector(Form);
    Boxes->SetParent(Form);
    Boxes->SetLeft(360);
    Boxes->SetTop(8);
    Boxes->InitDefaultColorBoxes();
    Boxes->ArrangeItems();
    Boxes->SetItemIndex(12);
    Clock = new TNeoWatch(Form);
    Clock->SetParent(Form);
    Clock->SetLeft(545);
    Clock->SetTop(10);
    Clock->SetAnimation(false);
    Clock->SetTime(EncodeTime(10, 0, 0, 0));
  }
  ~TDemoForm() { delete Form; }

  void ShowAndClickCentreCell() {
    Form->Show();
    Application->ProcessMessages();
    const LPARAM at = MAKELPARAM(CubeCentreCell.x, CubeCentreCell.y);
    SendMessage(Cube->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessage(Cube->GetHandle(), WM_LBUTTONUP, 0, at);
    const LPARAM three = MAKELPARAM(ClockThreeInMargin.x, ClockThreeInMargin.y);
    SendMessage(Clock->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, three);
    SendMessage(Clock->GetHandle(), WM_LBUTTONUP, 0, three);
    Application->ProcessMessages();
  }
};

}  // namespace

// Dark: the clock's black minute pointer (anti-aliased).
bool Dark(COLORREF C) { return GetRValue(C) < 90 && GetGValue(C) < 90 && GetBValue(C) < 90; }

// Without ZELK_PANELS_DEMO_OUT: the demo headless. With it (the X11 run): on the display it names,
// writing the screenshot and the centre cell's and clock's screen positions into that folder.
TEST(PanelsDemo, OnDisplay) {
  const char* xOut = std::getenv("ZELK_PANELS_DEMO_OUT");
  if (!xOut) Headless::Use();
  Units().Clear();
  RegisterGdiplusModule();
  RegisterNeoGDIPUnit();
  InitializeUnits();
  {
    TDemoForm demo;
    demo.ShowAndClickCentreCell();
    EXPECT_EQ(demo.Cube->GetSelectedColor(), static_cast<TColor>(0xFFFFFF));
    EXPECT_EQ(demo.Cube->GetSelectedIndex(), 64);
    EXPECT_EQ(demo.Selects, 1);
    Word h = 0, m = 0, sec = 0, ms = 0;
    DecodeTime(demo.Clock->GetTime(), h, m, sec, ms);
    EXPECT_EQ(h, 10);
    EXPECT_EQ(m, 15);
    const TPoint cell = demo.Cube->ClientToScreen(CubeCentreCell);
    const TPoint clock = demo.Clock->ClientToScreen(demo.Clock->GetCenter());
    const std::filesystem::path shot =
        xOut ? std::filesystem::path(xOut) / "panels-demo-x11.png" : std::filesystem::path(ZELK_TEST_OUTPUT) / "panels-demo-headless.png";
    ASSERT_TRUE(SaveScreenshot(shot.string()));
    if (xOut) {
      std::ofstream(std::filesystem::path(xOut) / "panels-demo-x11.txt")
          << cell.x << ' ' << cell.y << ' ' << clock.x << ' ' << clock.y << '\n';
    } else {
      TSurface s;
      ASSERT_TRUE(s.LoadFromPng(shot.string()));
      EXPECT_EQ(PixelToColorRef(s.Pixel(cell.x, cell.y)), RGB(255, 255, 255));
      EXPECT_EQ(PixelToColorRef(s.Pixel(cell.x - 5, cell.y)), RGB(0, 0, 0)) << "the selected frame";
      const TPoint spectrum = demo.Spectrum->ClientToScreen(TPoint{11, 10 + 64});
      EXPECT_EQ(PixelToColorRef(s.Pixel(spectrum.x, spectrum.y)), RGB(255, 0, 0)) << "the spectrum's red edge";
      const TPoint box = demo.Boxes->ClientToScreen(TPoint{37, 21});
      EXPECT_EQ(PixelToColorRef(s.Pixel(box.x, box.y)), RGB(0xFF, 0xE2, 0x94)) << "the selected box's inner frame";
      EXPECT_TRUE(Dark(PixelToColorRef(s.Pixel(clock.x + 40, clock.y)))) << "the minute pointer at 3 o'clock";
      EXPECT_FALSE(Dark(PixelToColorRef(s.Pixel(clock.x, clock.y - 40)))) << "and no longer at 12";
    }
  }
  FinalizeUnits();
  Units().Clear();
  if (!xOut) Headless::Reset();
}

TEST(PanelsDemo, XvfbClickOnTheCentreCellSelectsWhite) {
  if (!HaveCommands("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  const std::filesystem::path dir = std::filesystem::path(ZELK_TEST_OUTPUT) / "panels-demo-x11";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string cmd = LeakSuppressions() + "ZELK_BACKEND=x11 ZELK_PANELS_DEMO_OUT='" + dir.string() +
                          "' " + OnXvfb("-screen 0 840x320x24") + "'" + self +
                          "' --gtest_filter=PanelsDemo.OnDisplay > '" + (dir / "run.log").string() + "' 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd << "; see " << (dir / "run.log");
  int x = 0, y = 0, cx = 0, cy = 0;
  std::ifstream(dir / "panels-demo-x11.txt") >> x >> y >> cx >> cy;
  TSurface shot;
  ASSERT_TRUE(shot.LoadFromPng((dir / "panels-demo-x11.png").string()));
  ASSERT_GT(x, 5);
  ASSERT_LT(x, shot.Width());
  ASSERT_LT(y, shot.Height());
  EXPECT_EQ(PixelToColorRef(shot.Pixel(x, y)), RGB(255, 255, 255));
  EXPECT_EQ(PixelToColorRef(shot.Pixel(x - 5, y)), RGB(0, 0, 0)) << "the selected frame on the screen";
  ASSERT_LT(cx + 40, shot.Width());
  EXPECT_TRUE(Dark(PixelToColorRef(shot.Pixel(cx + 40, cy)))) << "the minute pointer at 3 o'clock";
  EXPECT_FALSE(Dark(PixelToColorRef(shot.Pixel(cx, cy - 40)))) << "and no longer at 12";
}
