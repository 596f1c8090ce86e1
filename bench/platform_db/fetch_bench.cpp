// Reading 100,000 rows of four columns: through TIBQuery (Open, Next, FieldByName) and, as the
// reference, the same fetch written directly against the client library's isc_* calls. Both read
// every value into the same C++ types (Integer, Integer, String, Double).
#include <benchmark/benchmark.h>
#include <ibase.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/IBDatabase.h"
#include "platform/db/IBQuery.h"
#include "platform/rtl/Modules.h"

namespace {

constexpr int Rows = 100000;
const char* const SelectSQL = "SELECT ID, CODE, NAME, AMOUNT FROM ITEMS";

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

// A database of Rows rows in a private folder (with the engine's lock files), made once.
struct TFixture {
  std::string Folder;
  std::string Path;

  TFixture() {
    char pattern[] = "/tmp/zelk-db-bench-XXXXXX";
    Folder = mkdtemp(pattern);
    setenv("FIREBIRD_LOCK", Folder.c_str(), 1);
    setenv("FIREBIRD_TMP", Folder.c_str(), 1);
    Path = Folder + "/bench.fdb";
    ISC_STATUS_ARRAY st{};
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    const std::string create = "CREATE DATABASE '" + Path + "' USER 'SYSDBA' PAGE_SIZE 8192 DEFAULT CHARACTER SET UTF8";
    Entry<decltype(&isc_dsql_execute_immediate)>("isc_dsql_execute_immediate")(st, &db, &tr, 0, create.c_str(), 3, nullptr);
    Check(st, "CREATE DATABASE");
    Entry<decltype(&isc_detach_database)>("isc_detach_database")(st, &db);

    TComponent owner(nullptr);
    auto* database = new TIBDatabase(&owner);
    auto* transaction = new TIBTransaction(&owner);
    auto* query = new TIBQuery(&owner);
    database->SetDatabaseName(UTF8ToString(Path));
    database->GetParams()->Add(u"user_name=SYSDBA");
    database->SetDefaultTransaction(transaction);
    query->SetDatabase(database);
    query->GetSQL()->Add(u"CREATE TABLE ITEMS (ID INTEGER NOT NULL PRIMARY KEY, CODE INTEGER, NAME VARCHAR(30), AMOUNT DOUBLE PRECISION)");
    query->ExecSQL();
    transaction->Commit();
    query->GetSQL()->SetText(u"EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= " + IntToStr(Rows) +
                             u") DO BEGIN INSERT INTO ITEMS VALUES (:I, MOD(:I, 97), 'Artikel Nummer ' || :I, :I * 0.25); I = I + 1; END END");
    query->ExecSQL();
    transaction->Commit();
  }
  ~TFixture() {
    std::error_code ignore;
    std::filesystem::remove_all(Folder, ignore);
  }
};

TFixture& Fixture() {
  static TFixture fixture;
  return fixture;
}

struct TSums {
  Int64 Ids = 0;
  Int64 Codes = 0;
  std::size_t NameLength = 0;
  Double Amounts = 0;
};

void BM_TIBQuery(benchmark::State& State) {
  TComponent owner(nullptr);
  auto* database = new TIBDatabase(&owner);
  auto* transaction = new TIBTransaction(&owner);
  auto* query = new TIBQuery(&owner);
  database->SetDatabaseName(UTF8ToString(Fixture().Path));
  database->GetParams()->Add(u"user_name=SYSDBA");
  database->SetDefaultTransaction(transaction);
  database->SetServerType(u"IBServer");
  transaction->GetParams()->SetText(u"read_committed\nrec_version\nnowait");
  query->SetDatabase(database);
  query->SetParamCheck(false);
  query->GetSQL()->Add(UTF8ToString(SelectSQL));
  database->Open();
  for (auto _ : State) {
    TSums sums;
    query->Open();
    while (!query->GetEOF()) {
      sums.Ids += query->FieldByName(u"ID")->GetAsInteger();
      sums.Codes += query->FieldByName(u"CODE")->GetAsInteger();
      const String name = query->FieldByName(u"NAME")->GetAsString();
      sums.NameLength += name.size();
      sums.Amounts += query->FieldByName(u"AMOUNT")->GetAsFloat();
      query->Next();
    }
    query->Close();
    benchmark::DoNotOptimize(sums);
  }
  transaction->Commit();
  State.SetItemsProcessed(State.iterations() * Rows);
}

void BM_DirectISC(benchmark::State& State) {
  static const auto attach = Entry<decltype(&isc_attach_database)>("isc_attach_database");
  static const auto detach = Entry<decltype(&isc_detach_database)>("isc_detach_database");
  static const auto start = Entry<decltype(&isc_start_transaction)>("isc_start_transaction");
  static const auto commit = Entry<decltype(&isc_commit_transaction)>("isc_commit_transaction");
  static const auto allocate = Entry<decltype(&isc_dsql_allocate_statement)>("isc_dsql_allocate_statement");
  static const auto prepare = Entry<decltype(&isc_dsql_prepare)>("isc_dsql_prepare");
  static const auto execute = Entry<decltype(&isc_dsql_execute)>("isc_dsql_execute");
  static const auto fetch = Entry<decltype(&isc_dsql_fetch)>("isc_dsql_fetch");
  static const auto release = Entry<decltype(&isc_dsql_free_statement)>("isc_dsql_free_statement");

  ISC_STATUS_ARRAY st{};
  isc_db_handle db = 0;
  const char dpb[] = {isc_dpb_version1, isc_dpb_user_name, 6, 'S', 'Y', 'S', 'D', 'B', 'A'};
  attach(st, 0, Fixture().Path.c_str(), &db, sizeof dpb, dpb);
  Check(st, "attach");
  isc_tr_handle tr = 0;
  const char tpb[] = {isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait};
  start(st, &tr, 1, &db, sizeof tpb, tpb);
  Check(st, "start");

  std::vector<char> sqldaMemory(XSQLDA_LENGTH(4));
  auto* da = reinterpret_cast<XSQLDA*>(sqldaMemory.data());
  da->version = SQLDA_VERSION1;
  da->sqln = 4;
  ISC_LONG id = 0, code = 0;
  char name[2 + 30 * 4];
  double amount = 0;
  short nulls[4] = {};

  for (auto _ : State) {
    TSums sums;
    isc_stmt_handle stmt = 0;
    allocate(st, &db, &stmt);
    prepare(st, &tr, &stmt, 0, SelectSQL, 3, da);
    Check(st, "prepare");
    da->sqlvar[0].sqldata = reinterpret_cast<char*>(&id);
    da->sqlvar[1].sqldata = reinterpret_cast<char*>(&code);
    da->sqlvar[2].sqldata = name;
    da->sqlvar[3].sqldata = reinterpret_cast<char*>(&amount);
    for (int i = 0; i < 4; ++i) da->sqlvar[i].sqlind = &nulls[i];
    execute(st, &tr, &stmt, SQLDA_VERSION1, nullptr);
    Check(st, "execute");
    while (fetch(st, &stmt, SQLDA_VERSION1, da) == 0) {
      sums.Ids += nulls[0] < 0 ? 0 : id;
      sums.Codes += nulls[1] < 0 ? 0 : code;
      unsigned short length = 0;
      std::memcpy(&length, name, sizeof length);
      const String text = nulls[2] < 0 ? String() : UTF8ToString(std::string_view(name + 2, length));
      sums.NameLength += text.size();
      sums.Amounts += nulls[3] < 0 ? 0 : amount;
    }
    release(st, &stmt, DSQL_drop);
    benchmark::DoNotOptimize(sums);
  }
  commit(st, &tr);
  detach(st, &db);
  State.SetItemsProcessed(State.iterations() * Rows);
}

}  // namespace

BENCHMARK(BM_DirectISC)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TIBQuery)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  Fixture();   // the rows exist before either benchmark is timed
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
