// Shows the update window on the window system (an X server) as the program does, then saves a
// screenshot of the whole screen and prints where the window's client area lies:
//
//   update-zelk-shot <png file>      prints "client <left> <top> <width> <height>"
#include <cstdio>

#include "app/UpdQvDlg.h"
#include "platform/db/DataAccessUnits.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/Units.h"
#include "platform/win/WinSystem.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: update-zelk-shot <png file>\n", stderr);
    return 2;
  }
  SetCommandLine(argc, argv);
  RegisterDataAccessUnits();
  TUnitsScope units;
  Application->Initialize();
  Application->SetTitle(u"Update Zelk");
  Application->CreateForm(UpdQvDlg);
  UpdQvDlg->Show();
  // Let the window manager-less server map the window and the paints arrive.
  for (int i = 0; i < 20; ++i) {
    Application->ProcessMessages();
    Sleep(25);
  }
  const TPoint origin = UpdQvDlg->ClientToScreen(TPoint{0, 0});
  std::printf("client %d %d %d %d\n", static_cast<int>(origin.x), static_cast<int>(origin.y),
              static_cast<int>(UpdQvDlg->GetClientWidth()), static_cast<int>(UpdQvDlg->GetClientHeight()));
  return SaveScreenshot(argv[1]) ? 0 : 1;
}
