// update-zelk: brings the schema of one database file up to date through the update window.
#include "app/UpdQvDlg.h"
#include "lib/grid/core/NeoGridUnits.h"
#include "platform/db/DataAccessUnits.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/Units.h"

int main(int argc, char** argv) {
  SetCommandLine(argc, argv);
  RegisterDataAccessUnits();   // finalised last: connections closed, then the client library
  RegisterNeoGridUnits();   // the library's units start with the program, in link order
  TUnitsScope units;   // the units' start-up now, their finalisation in reverse at exit
  Application->Initialize();
  Application->SetTitle(u"Update Zelk");
  Application->CreateForm(UpdQvDlg);
  Application->Run();
  return 0;
}
