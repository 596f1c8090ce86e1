// The calculator on a real X server: xdotool clicks 2 + 3 = on the keypad and the edit shows
// 5.00. The X11 run is this test program started again on Xvfb with ZELK_BACKEND=x11 and
// the display test alone; it writes the screen capture and the edit's text into its folder. The
// keypad sits on the form below the edit here, as the popup window shows it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "lib/dropdown/NeoCalculatorDropDown.h"
#include "lib/graphics/NeoGDIP.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/Units.h"
#include "platform/rtl/testsupport/Command.h"
#include "platform/ui/Forms.h"
#include "platform/win/Surface.h"
#include "platform/win/WinSystem.h"

namespace {

// The screen centre of the keypad key named Name.
TPoint KeyCentre(TCustomButtonPanel* Keypad, const char16_t* Name) {
  for (Integer i = 0; i < Keypad->GetButtons()->GetCount(); ++i)
    if (Keypad->GetButtons()->GetItems(i)->GetName() == Name) {
      TRect r = Keypad->GetButtonRect(i);
      return Keypad->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
  return TPoint{-1, -1};
}

}  // namespace

// Only in the X11 run (ZELK_CALC_X11_OUT names its folder).
TEST(CalculatorXvfb, OnDisplay) {
  const char* out = std::getenv("ZELK_CALC_X11_OUT");
  if (!out) GTEST_SKIP() << "run under Xvfb by CalculatorXvfb.XdotoolClicksTwoPlusThree";
  Units().Clear();
  RegisterGdiplusModule();
  RegisterNeoGDIPUnit();
  InitializeUnits();
  {
    auto* form = new TForm(Application);
    form->SetBorderStyle(bsSingle);
    form->SetCaption(u"Calculator");
    form->SetBounds(40, 40, 10, 10);
    form->SetClientWidth(250);
    form->SetClientHeight(200);
    form->SetColor(clWhite);
    auto* calc = new TNeoCalculatorDropdown(form);
    calc->SetParent(form);
    calc->SetBounds(10, 10, 230, 21);
    TCustomButtonPanel* keypad = calc->GetButtonPanel();
    keypad->SetParent(form);
    keypad->SetBounds(10, 40, 230, 150);
    keypad->Show();
    Integer clicks = 0;
    keypad->OnButtonClick = [&](TObject* Sender, Integer Index) {
      ++clicks;
      calc->ButtonClick(Sender, Index);
    };
    form->Show();
    Application->ProcessMessages();
    for (const char16_t* key : {u"BTN_2", u"BTN_+", u"BTN_3", u"BTN_="}) {
      TPoint p = KeyCentre(keypad, key);
      const Integer before = clicks;
      const std::string cmd =
          "xdotool mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " click 1";
      ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
      // xdotool has returned once the server took the events: they are on their way to us.
      for (int i = 0; i < 100000 && clicks == before; ++i) Application->ProcessMessages();
      ASSERT_EQ(clicks, before + 1) << "no click on " << UTF8Encode(key);
    }
    Application->ProcessMessages();
    EXPECT_EQ(calc->GetText(), u"5.00");
    ASSERT_TRUE(SaveScreenshot((std::filesystem::path(out) / "calculator-x11.png").string()));
    std::ofstream(std::filesystem::path(out) / "calculator-x11.txt") << UTF8Encode(calc->GetText()) << '\n';
    delete form;
  }
  FinalizeUnits();
  Units().Clear();
}

TEST(CalculatorXvfb, XdotoolClicksTwoPlusThree) {
  if (!HaveCommands("Xvfb xdotool")) GTEST_SKIP() << "Xvfb or xdotool is not installed";
  const std::filesystem::path dir = std::filesystem::path(ZELK_TEST_OUTPUT) / "calculator-x11";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string cmd = LeakSuppressions() + "ZELK_BACKEND=x11 ZELK_CALC_X11_OUT='" + dir.string() +
                          "' " + OnXvfb("-screen 0 400x300x24") + "'" + self +
                          "' --gtest_filter=CalculatorXvfb.OnDisplay > '" + (dir / "run.log").string() + "' 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd << "; see " << (dir / "run.log");
  std::string text;
  std::ifstream(dir / "calculator-x11.txt") >> text;
  EXPECT_EQ(text, "5.00");
  TSurface shot;
  EXPECT_TRUE(shot.LoadFromPng((dir / "calculator-x11.png").string()));
}
