#include "platform/db/DataAccessUnits.h"

#include "platform/db/IBClient.h"
#include "platform/db/IBDatabase.h"
#include "platform/rtl/Units.h"

void RegisterDataAccessUnits() { RegisterUnit(u"IBDatabase", nullptr, &FinalizeDataAccess); }

void FinalizeDataAccess() {
  CloseAllConnections();
  IBClient::ShutdownClientLibrary();
}
