// The three colour selector panels on one form, as a person sees it: headless, and on a real X
// server (Xvfb), where a click on the cube's centre cell selects white. The X11 run is this test
// program started again under xvfb-run with the demo test alone and ZELK_BACKEND=x11; it writes
// its screenshot and where the centre cell lies on the screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "lib/dropdown/NeoColorSelector.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"
#include "platform/win/Surface.h"
#include "platform/win/WinSystem.h"

namespace {

constexpr TPoint CubeCentreCell{91, 80};

// The demo form: the cube, the spectrum and the colour boxes side by side.
struct TDemoForm {
  TForm* Form = nullptr;
  TNeoColorCubePanel* Cube = nullptr;
  TNeoColorSpectrumPanel* Spectrum = nullptr;
  TCustomColorSelector* Boxes = nullptr;
  int Selects = 0;

  TDemoForm() {
    Form = new TForm(Application);
    Form->SetBorderStyle(bsSingle);
    Form->SetCaption(u"Colour selectors");
    Form->SetBounds(40, 40, 10, 10);
    Form->SetClientWidth(540);
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
  }
  ~TDemoForm() { delete Form; }

  void ShowAndClickCentreCell() {
    Form->Show();
    Application->ProcessMessages();
    const LPARAM at = MAKELPARAM(CubeCentreCell.x, CubeCentreCell.y);
    SendMessage(Cube->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessage(Cube->GetHandle(), WM_LBUTTONUP, 0, at);
    Application->ProcessMessages();
  }
};

std::filesystem::path Output(const char* Name) { return std::filesystem::path(ZELK_TEST_OUTPUT) / Name; }

}  // namespace

// Without ZELK_COLOR_DEMO_OUT: the demo headless. With it (the X11 run): on the display it names,
// writing the screenshot and the centre cell's screen position into that folder.
TEST(ColorSelectorDemo, OnDisplay) {
  const char* xOut = std::getenv("ZELK_COLOR_DEMO_OUT");
  if (!xOut) Headless::Use();
  {
    TDemoForm demo;
    demo.ShowAndClickCentreCell();
    EXPECT_EQ(demo.Cube->GetSelectedColor(), static_cast<TColor>(0xFFFFFF));
    EXPECT_EQ(demo.Cube->GetSelectedIndex(), 64);
    EXPECT_EQ(demo.Selects, 1);
    const TPoint cell = demo.Cube->ClientToScreen(CubeCentreCell);
    const std::filesystem::path shot =
        xOut ? std::filesystem::path(xOut) / "color-demo-x11.png" : Output("color-demo-headless.png");
    ASSERT_TRUE(SaveScreenshot(shot.string()));
    if (xOut) {
      std::ofstream(std::filesystem::path(xOut) / "color-demo-x11.txt") << cell.x << ' ' << cell.y << '\n';
    } else {
      TSurface s;
      ASSERT_TRUE(s.LoadFromPng(shot.string()));
      EXPECT_EQ(PixelToColorRef(s.Pixel(cell.x, cell.y)), RGB(255, 255, 255));
      EXPECT_EQ(PixelToColorRef(s.Pixel(cell.x - 5, cell.y)), RGB(0, 0, 0)) << "the selected frame";
      const TPoint spectrum = demo.Spectrum->ClientToScreen(TPoint{11, 10 + 64});
      EXPECT_EQ(PixelToColorRef(s.Pixel(spectrum.x, spectrum.y)), RGB(255, 0, 0)) << "the spectrum's red edge";
      const TPoint box = demo.Boxes->ClientToScreen(TPoint{37, 21});
      EXPECT_EQ(PixelToColorRef(s.Pixel(box.x, box.y)), RGB(0xFF, 0xE2, 0x94)) << "the selected box's inner frame";
    }
  }
  if (!xOut) Headless::Reset();
}

TEST(ColorSelectorDemo, XvfbClickOnTheCentreCellSelectsWhite) {
  if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
  const std::filesystem::path dir = Output("color-demo-x11");
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::string env;
  if (!std::getenv("LSAN_OPTIONS"))
    env = std::string("LSAN_OPTIONS=suppressions=") + ZELK_TEST_DATA + "/../../../../scripts/lsan.supp ";
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string cmd = env + "ZELK_BACKEND=x11 ZELK_COLOR_DEMO_OUT='" + dir.string() +
                          "' xvfb-run -a -s '-screen 0 640x320x24' '" + self +
                          "' --gtest_filter=ColorSelectorDemo.OnDisplay > '" + (dir / "run.log").string() + "' 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd << "; see " << (dir / "run.log");
  int x = 0, y = 0;
  std::ifstream(dir / "color-demo-x11.txt") >> x >> y;
  TSurface shot;
  ASSERT_TRUE(shot.LoadFromPng((dir / "color-demo-x11.png").string()));
  ASSERT_GT(x, 5);
  ASSERT_LT(x, shot.Width());
  ASSERT_LT(y, shot.Height());
  EXPECT_EQ(PixelToColorRef(shot.Pixel(x, y)), RGB(255, 255, 255));
  EXPECT_EQ(PixelToColorRef(shot.Pixel(x - 5, y)), RGB(0, 0, 0)) << "the selected frame on the screen";
}
