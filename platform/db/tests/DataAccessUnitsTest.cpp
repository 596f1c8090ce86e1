// The data-access unit's finalisation: open connections closed first, then the engine stopped.
#include <link.h>

#include <cstdlib>
#include <cstring>

#include "platform/db/testsupport/DbTestSupport.h"
#include "platform/db/DataAccessUnits.h"

using namespace DbTest;

namespace {

// Whether the embedded engine (the client library's "Engine12" provider module) is loaded. The
// library unloads it once the engine has stopped its threads.
bool EngineLoaded() {
  return dl_iterate_phdr([](dl_phdr_info* Info, std::size_t, void*) {
           return Info->dlpi_name && std::strstr(Info->dlpi_name, "libEngine12") ? 1 : 0;
         }, nullptr) != 0;
}

// Exit codes of the process that finalises, one per broken promise.
enum { kDone = 0, kNoEngine = 2, kStillConnected = 3, kEngineLeft = 4, kAttachedAfterShutdown = 5 };

int FinaliseWithAnOpenConnection() {
  TConnection c(NewDatabase());
  c.ExecCommit({u"CREATE TABLE T (ID INTEGER)"});
  c.Exec({u"INSERT INTO T VALUES (1)"});
  c.Open(c.Q2, {u"SELECT ID FROM T"});
  if (!EngineLoaded()) return kNoEngine;
  FinalizeDataAccess();
  if (c.DB->GetConnected() || c.TR->GetActive() || c.Q2->GetActive()) return kStillConnected;
  if (EngineLoaded()) return kEngineLeft;
  try {
    c.DB->SetConnected(true);
    return kAttachedAfterShutdown;
  } catch (const EIBError&) {
  }
  FinalizeDataAccess();   // a second finalisation finds nothing to do
  return kDone;
}

}  // namespace

// The library can be shut down once per process, so the finalisation runs in a process of its own.
TEST(DataAccessUnit, FinalisationClosesConnectionsThenStopsTheEngine) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(FinaliseWithAnOpenConnection()), ::testing::ExitedWithCode(kDone), "");
}
