// The pickers on a real X server: xdotool clicks the drop buttons of a detail drop-down and an
// image picker (each popup's screen is saved), then opens the colour picker's list and clicks
// "Blue"; the swatch in the edit then shows blue. The X11 run is this test program started again
// on Xvfb with ZELK_BACKEND=x11 and the display test alone; it writes the captures and a
// report into its folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "lib/dropdown/NeoColorPickerDropDown.h"
#include "lib/dropdown/NeoDetailDropDown.h"
#include "lib/dropdown/NeoImagePickerDropDown.h"
#include "platform/rtl/testsupport/Command.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"
#include "platform/win/Surface.h"
#include "platform/win/WinSystem.h"

namespace {

bool Click(TPoint P) {
  const std::string cmd = "xdotool mousemove " + std::to_string(P.x) + " " + std::to_string(P.y) + " click 1";
  return std::system(cmd.c_str()) == 0;
}

// Handles messages until Done holds (xdotool has returned once the server took the events).
bool PumpUntil(const std::function<bool()>& Done) {
  for (int i = 0; i < 200000 && !Done(); ++i) Application->ProcessMessages();
  return Done();
}

TPoint ButtonCentre(TNeoCustomDropDown* D) {
  TControl* b = D->GetButton();
  return b->ClientToScreen(TPoint{b->GetWidth() / 2, b->GetHeight() / 2});
}

}  // namespace

// Only in the X11 run (ZELK_PICKERS_X11_OUT names its folder).
TEST(PickersXvfb, OnDisplay) {
  const char* out = std::getenv("ZELK_PICKERS_X11_OUT");
  if (!out) GTEST_SKIP() << "run under Xvfb by PickersXvfb.XdotoolOpensThePickersAndChoosesBlue";
  const std::filesystem::path dir(out);
  auto* form = new TForm(Application);
  form->SetBorderStyle(bsSingle);
  form->SetCaption(u"Pickers");
  form->SetBounds(40, 40, 10, 10);
  form->SetClientWidth(300);
  form->SetClientHeight(160);
  form->SetColor(clWhite);
  auto* images = new TImageList(form);
  images->SetSize(16, 16);
  TBitmap strip;
  strip.SetPixelFormat(pf24bit);
  strip.SetSize(48, 16);
  const TColor colours[] = {clRed, clGreen, clBlue};
  for (Integer i = 0; i < 3; ++i) {
    strip.GetCanvas()->GetBrush()->SetColor(colours[i]);
    strip.GetCanvas()->FillRect(TRect{16 * i, 0, 16 * i + 16, 16});
  }
  images->Add(&strip, nullptr);
  auto* detail = new TNeoDetailDropDown(form);
  detail->SetParent(form);
  detail->SetBounds(10, 10, 180, 21);
  detail->SetImages(images);
  for (const char16_t* c : {u"Strawberry", u"Lime", u"Blueberry"}) detail->GetItems()->Add()->SetCaption(c);
  for (Integer i = 0; i < 3; ++i) detail->GetItems()->GetItems(i)->SetImageIndex(i);
  auto* picker = new TNeoImagePickerDropDown(form);
  picker->SetParent(form);
  picker->SetBounds(10, 50, 180, 24);
  picker->SetImages(images);
  picker->SetColumns(3);
  picker->AddImagesFromImageList();
  auto* colour = new TNeoColorPickerDropDown(form);
  colour->SetParent(form);
  colour->SetBounds(10, 90, 180, 22);
  colour->SetDropDownHeight(420);
  colour->BeginUpdate();
  colour->AddDefaultColors();
  colour->EndUpdate();
  form->Show();
  Application->ProcessMessages();
  std::ofstream report(dir / "report.txt");
  // Each picker opens on its drop button; Esc closes it again.
  const std::pair<TNeoCustomDropDown*, const char*> opened[] = {{detail, "detail-x11.png"}, {picker, "image-picker-x11.png"}};
  for (const auto& [d, name] : opened) {
    ASSERT_TRUE(Click(ButtonCentre(d)));
    ASSERT_TRUE(PumpUntil([&] { return d->GetDroppedDown(); })) << name;
    ASSERT_TRUE(SaveScreenshot((dir / name).string()));
    ASSERT_EQ(std::system("xdotool key Escape"), 0);
    ASSERT_TRUE(PumpUntil([&] { return !d->GetDroppedDown(); })) << name;
    report << name << " opened\n";
  }
  // The colour list: a click on "Blue" chooses it and closes the popup.
  ASSERT_TRUE(Click(ButtonCentre(colour)));
  ASSERT_TRUE(PumpUntil([&] { return colour->GetDroppedDown(); }));
  TCustomItemSelector* panel = colour->GetItemSelector()->GetItemSelectorPanel();
  const TRect blue = panel->GetItemRect(12);
  ASSERT_TRUE(Click(panel->ClientToScreen(TPoint{(blue.left + blue.right) / 2, (blue.top + blue.bottom) / 2})));
  ASSERT_TRUE(PumpUntil([&] { return !colour->GetDroppedDown(); }));
  for (int i = 0; i < 1000; ++i) Application->ProcessMessages();
  const TPoint swatch = colour->ClientToScreen(TPoint{10, colour->GetHeight() / 2});
  ASSERT_TRUE(SaveScreenshot((dir / "color-picker-x11.png").string()));
  report << "text " << UTF8Encode(colour->GetSelectedColorText()) << "\n"
         << "swatch " << swatch.x << " " << swatch.y << "\n";
  delete form;
}

TEST(PickersXvfb, XdotoolOpensThePickersAndChoosesBlue) {
  if (!HaveCommands("Xvfb xdotool")) GTEST_SKIP() << "Xvfb or xdotool is not installed";
  const std::filesystem::path dir = std::filesystem::path(ZELK_TEST_OUTPUT) / "pickers-x11";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string cmd = LeakSuppressions() + "ZELK_BACKEND=x11 ZELK_PICKERS_X11_OUT='" + dir.string() +
                          "' timeout 120 " + OnXvfb("-screen 0 640x480x24") + "'" + self +
                          "' --gtest_filter=PickersXvfb.OnDisplay > '" + (dir / "run.log").string() + "' 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd << "; see " << (dir / "run.log");
  std::ifstream report(dir / "report.txt");
  std::string line, text;
  int opened = 0;
  TPoint swatch{-1, -1};
  while (std::getline(report, line)) {
    if (line.ends_with(" opened")) ++opened;
    if (line.starts_with("text ")) text = line.substr(5);
    if (line.starts_with("swatch ")) std::sscanf(line.c_str(), "swatch %d %d", &swatch.x, &swatch.y);
  }
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(text, "Blue");
  TSurface shot;
  ASSERT_TRUE(shot.LoadFromPng((dir / "color-picker-x11.png").string()));
  ASSERT_GE(swatch.x, 0);
  // The swatch in the capture is pure blue (0x00RRGGBB of the surface).
  EXPECT_EQ(shot.Pixel(swatch.x, swatch.y) & 0xFFFFFF, 0x0000FFu);
  TSurface detail, picker;
  EXPECT_TRUE(detail.LoadFromPng((dir / "detail-x11.png").string()));
  EXPECT_TRUE(picker.LoadFromPng((dir / "image-picker-x11.png").string()));
}
