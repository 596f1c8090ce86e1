// Runs the update script alone on a database file, with the window's data components and their
// stored settings, and prints each commit the script makes ("commit <n>: <moment>") as it happens.
//
//   update-script-driver <database> [<n>]
//
// With n, the process kills itself (SIGKILL) right after the script's n-th commit, as a power cut
// or a killed program would stop it: nothing after that moment runs. Exit 0 when the script ends,
// 1 with the error on stderr when it fails, 2 for a wrong command line.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/UpdateScript.h"
#include "platform/db/DataAccessUnits.h"
#include "platform/rtl/StringLists.h"
#include "platform/rtl/Units.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fputs("usage: update-script-driver <database> [<stop after commit n>]\n", stderr);
    return 2;
  }
  const long stopAt = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 0;
  RegisterDataAccessUnits();
  TUnitsScope units;
  try {
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* db = new TIBDatabase(owner.get());
    auto* tr = new TIBTransaction(owner.get());
    TIBQuery* q[4];
    for (TIBQuery*& each : q) each = new TIBQuery(owner.get());
    ApplyStoredSettings(*db, *tr, *q[0], *q[1], *q[2], *q[3]);
    db->SetDatabaseName(UTF8ToString(argv[1]));
    TStringList tables;
    long commits = 0;
    TUpdateComponents c{*db, *tr, *q[0], *q[1], *q[2], *q[3], tables, [&](const TScriptStep& Step) {
                          if (Step.Action != saCommit && Step.Action != saCommitRetaining) return;
                          std::printf("commit %ld: %s\n", ++commits, Step.Moment.c_str());
                          std::fflush(stdout);
                          if (commits == stopAt) std::raise(SIGKILL);
                        }};
    RunUpdateScript(c);
    db->SetConnected(false);
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", UTF8Encode(e.Message).c_str());
    return 1;
  }
  return 0;
}
