// update-zelk: brings the schema of one database file up to date through the update window.
#include "app/UpdQvDlg.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/Units.h"

int main(int argc, char** argv) {
  SetCommandLine(argc, argv);
  TUnitsScope units;   // the units' start-up now, their finalisation in reverse at exit
  Application->Initialize();
  Application->SetTitle(u"Update Zelk");
  Application->CreateForm(UpdQvDlg);
  Application->Run();
  return 0;
}
