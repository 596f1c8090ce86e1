// The whole schema update of a database with 10,000 GWKDATEN rows: through the update script on
// the window's data components, and, as the reference, the very statements that run sends (with
// its commits, reconnects and table lists) replayed directly against the client library's isc_*
// calls, fetching every row the script reads. Each iteration updates a fresh copy of one old
// database.
#include <benchmark/benchmark.h>
#include <ibase.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/testsupport/OldSchema.h"
#include "app/UpdateScript.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/StringLists.h"

namespace {

constexpr Integer DeviceRows = 10000;

template <class T> T Entry(const char* Name) {
  static HMODULE client = LoadLibraryW(u"gds32.dll");
  if (!client) {
    std::fprintf(stderr, "the client library cannot be loaded\n");
    std::exit(1);
  }
  return reinterpret_cast<T>(GetProcAddress(client, Name));
}

void Check(const ISC_STATUS* Status, const char* What) {
  if (Status[0] == 1 && Status[1]) {
    std::fprintf(stderr, "%s failed (%ld)\n", What, static_cast<long>(Status[1]));
    std::exit(1);
  }
}

// The window's data components on one database file.
struct TComponents {
  TComponent Owner{nullptr};
  TIBDatabase* DB = new TIBDatabase(&Owner);
  TIBTransaction* TR = new TIBTransaction(&Owner);
  TIBQuery* Q[4] = {new TIBQuery(&Owner), new TIBQuery(&Owner), new TIBQuery(&Owner), new TIBQuery(&Owner)};
  TStringList Tables;

  explicit TComponents(const std::string& Path) {
    ApplyStoredSettings(*DB, *TR, *Q[0], *Q[1], *Q[2], *Q[3]);
    DB->SetDatabaseName(UTF8ToString(Path));
  }
  // Runs the script; OnStep sees each step.
  void Update(std::function<void(const TScriptStep&)> OnStep) {
    TUpdateComponents c{*DB, *TR, *Q[0], *Q[1], *Q[2], *Q[3], Tables, std::move(OnStep)};
    RunUpdateScript(c);
    DB->SetConnected(false);
  }
};

// The old database (made once, in a private folder with the engine's lock files) and the steps
// the script takes on it.
struct TFixture {
  std::string Folder;
  std::string Template;
  std::string Work;
  std::vector<TScriptStep> Steps;

  TFixture() {
    char pattern[] = "/tmp/zelk-update-bench-XXXXXX";
    Folder = mkdtemp(pattern);
    setenv("FIREBIRD_LOCK", Folder.c_str(), 1);
    setenv("FIREBIRD_TMP", Folder.c_str(), 1);
    Template = Folder + "/old.fdb";
    Work = Folder + "/work.fdb";
    ISC_STATUS_ARRAY st{};
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    const std::string create = "CREATE DATABASE '" + Template + "' USER 'SYSDBA' PAGE_SIZE 8192";
    Entry<decltype(&isc_dsql_execute_immediate)>("isc_dsql_execute_immediate")(st, &db, &tr, 0, create.c_str(), 3, nullptr);
    Check(st, "CREATE DATABASE");
    Entry<decltype(&isc_detach_database)>("isc_detach_database")(st, &db);
    // Writes without waiting for the disk, so that both sides measure their own work, not the
    // disk's flushes of the 20,000 commits.
    const char dpb[] = {isc_dpb_version1, isc_dpb_user_name, 6, 'S', 'Y', 'S', 'D', 'B', 'A', isc_dpb_force_write, 1, 0};
    Entry<decltype(&isc_attach_database)>("isc_attach_database")(st, 0, Template.c_str(), &db, sizeof dpb, dpb);
    Check(st, "switching to asynchronous writes");
    Entry<decltype(&isc_detach_database)>("isc_detach_database")(st, &db);
    UpdateTest::TOldSchema schema;
    schema.DeviceRows = DeviceRows;
    UpdateTest::BuildOldSchema(UTF8ToString(Template), schema);
    FreshCopy();
    TComponents(Work).Update([this](const TScriptStep& Step) { Steps.push_back(Step); });
  }
  ~TFixture() {
    std::error_code ignore;
    std::filesystem::remove_all(Folder, ignore);
  }
  void FreshCopy() const {
    std::filesystem::copy_file(Template, Work, std::filesystem::copy_options::overwrite_existing);
  }
};

TFixture& Fixture() {
  static TFixture fixture;
  return fixture;
}

// A prepared statement with output buffers for every column.
class TStatement {
public:
  TStatement(isc_db_handle* DB, isc_tr_handle* TR, const std::string& SQL) : FTR(TR) {
    ISC_STATUS_ARRAY st{};
    Entry<decltype(&isc_dsql_allocate_statement)>("isc_dsql_allocate_statement")(st, DB, &FHandle);
    Check(st, "allocate");
    FOut = Allocate(20);
    Entry<decltype(&isc_dsql_prepare)>("isc_dsql_prepare")(st, TR, &FHandle, 0, SQL.c_str(), 3, FOut);
    Check(st, "prepare");
    if (FOut->sqld > FOut->sqln) {
      FOut = Allocate(FOut->sqld);
      Entry<decltype(&isc_dsql_describe)>("isc_dsql_describe")(st, &FHandle, 1, FOut);
      Check(st, "describe");
    }
    FNulls.resize(static_cast<std::size_t>(FOut->sqld));
    for (short i = 0; i < FOut->sqld; ++i) {
      XSQLVAR& v = FOut->sqlvar[i];
      FBuffers.emplace_back(v.sqllen + 2);
      v.sqldata = FBuffers.back().data();
      v.sqlind = &FNulls[static_cast<std::size_t>(i)];
    }
  }
  ~TStatement() {
    ISC_STATUS_ARRAY st{};
    Entry<decltype(&isc_dsql_free_statement)>("isc_dsql_free_statement")(st, &FHandle, DSQL_drop);
    std::free(FOut);
  }
  void Execute() {
    ISC_STATUS_ARRAY st{};
    Entry<decltype(&isc_dsql_execute)>("isc_dsql_execute")(st, FTR, &FHandle, 1, nullptr);
    Check(st, "execute");
  }
  bool Fetch() {
    ISC_STATUS_ARRAY st{};
    return Entry<decltype(&isc_dsql_fetch)>("isc_dsql_fetch")(st, &FHandle, 1, FOut) == 0;
  }

private:
  static XSQLDA* Allocate(short Columns) {
    auto* da = static_cast<XSQLDA*>(std::calloc(1, XSQLDA_LENGTH(Columns)));
    da->version = SQLDA_VERSION1;
    da->sqln = Columns;
    return da;
  }
  isc_stmt_handle FHandle = 0;
  isc_tr_handle* FTR;
  XSQLDA* FOut = nullptr;
  std::vector<std::vector<char>> FBuffers;
  std::vector<short> FNulls;
};

// The recorded steps sent straight to the client library.
class TReplay {
public:
  explicit TReplay(const std::string& Path) : FPath(Path) {}
  ~TReplay() { Detach(); }

  void Run(const std::vector<TScriptStep>& Steps) {
    for (const TScriptStep& s : Steps) {
      switch (s.Action) {
        case saConnect: Attach(); break;
        case saReconnect: Detach(); Attach(); break;
        case saRelist: Relist(); break;
        case saExec: {
          Slot(s.Query).reset();
          TStatement statement(&FDB, Transaction(), UTF8Encode(s.SQL));
          statement.Execute();
          break;
        }
        case saOpen:
          Slot(s.Query).reset();
          Slot(s.Query) = std::make_unique<TStatement>(&FDB, Transaction(), UTF8Encode(s.SQL));
          Slot(s.Query)->Execute();
          Slot(s.Query)->Fetch();
          break;
        case saNext: Slot(s.Query)->Fetch(); break;
        case saCommit: Commit(); break;
        case saCommitRetaining: {
          ISC_STATUS_ARRAY st{};
          Entry<decltype(&isc_commit_retaining)>("isc_commit_retaining")(st, &FTR);
          Check(st, "commit retaining");
          break;
        }
      }
    }
    Detach();
  }

private:
  std::unique_ptr<TStatement>& Slot(Integer Query) { return FSlots[static_cast<std::size_t>(Query - 1)]; }
  void Attach() {
    if (FDB) return;
    ISC_STATUS_ARRAY st{};
    const char dpb[] = {isc_dpb_version1, isc_dpb_user_name, 6, 'S', 'Y', 'S', 'D', 'B', 'A',
                        isc_dpb_password, 9, 'p', 'l', 'u', 'm', 'c', 'r', 'e', 's', 't'};
    Entry<decltype(&isc_attach_database)>("isc_attach_database")(st, 0, FPath.c_str(), &FDB, sizeof dpb, dpb);
    Check(st, "attach");
  }
  isc_tr_handle* Transaction() {
    Attach();
    if (!FTR) {
      static const char tpb[] = {isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait};
      ISC_STATUS_ARRAY st{};
      Entry<decltype(&isc_start_transaction)>("isc_start_transaction")(st, &FTR, 1, &FDB, sizeof tpb, tpb);
      Check(st, "start transaction");
    }
    return &FTR;
  }
  void Commit() {
    for (auto& slot : FSlots) slot.reset();
    if (!FTR) return;
    ISC_STATUS_ARRAY st{};
    Entry<decltype(&isc_commit_transaction)>("isc_commit_transaction")(st, &FTR);
    Check(st, "commit");
  }
  void Detach() {
    if (!FDB) return;
    Commit();
    ISC_STATUS_ARRAY st{};
    Entry<decltype(&isc_detach_database)>("isc_detach_database")(st, &FDB);
    Check(st, "detach");
  }
  void Relist() {
    static const char tpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed, isc_tpb_rec_version,
                               isc_tpb_nowait};
    isc_tr_handle tr = 0;
    ISC_STATUS_ARRAY st{};
    Entry<decltype(&isc_start_transaction)>("isc_start_transaction")(st, &tr, 1, &FDB, sizeof tpb, tpb);
    Check(st, "start read transaction");
    {
      TStatement list(&FDB, &tr, "SELECT RDB$RELATION_NAME FROM RDB$RELATIONS WHERE RDB$VIEW_BLR IS NULL ORDER BY RDB$RELATION_NAME");
      list.Execute();
      while (list.Fetch()) {
      }
    }
    Entry<decltype(&isc_commit_transaction)>("isc_commit_transaction")(st, &tr);
    Check(st, "commit read transaction");
  }

  std::string FPath;
  isc_db_handle FDB = 0;
  isc_tr_handle FTR = 0;
  std::array<std::unique_ptr<TStatement>, 4> FSlots;
};

void BM_UpdateScript(benchmark::State& State) {
  TFixture& f = Fixture();
  for (auto _ : State) {
    State.PauseTiming();
    f.FreshCopy();
    State.ResumeTiming();
    TComponents(f.Work).Update(nullptr);
  }
  State.counters["steps"] = static_cast<double>(f.Steps.size());
}
BENCHMARK(BM_UpdateScript)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SameStatementsThroughClientApi(benchmark::State& State) {
  TFixture& f = Fixture();
  for (auto _ : State) {
    State.PauseTiming();
    f.FreshCopy();
    State.ResumeTiming();
    TReplay(f.Work).Run(f.Steps);
  }
}
BENCHMARK(BM_SameStatementsThroughClientApi)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
