#include "platform/db/testsupport/DbTestSupport.h"

#include <ibase.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/db/DataAccessUnits.h"
#include "platform/rtl/Modules.h"

namespace DbTest {

namespace {

// Removes the work folder when the test process ends.
struct TFolder {
  std::string Path;
  TFolder() {
    char pattern[] = "/tmp/zelk-db-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) std::abort();
    Path = made;
    std::filesystem::create_directories(Path + "/lock");
    setenv("FIREBIRD_LOCK", (Path + "/lock").c_str(), 1);
    setenv("FIREBIRD_TMP", (Path + "/lock").c_str(), 1);
  }
  ~TFolder() {
    std::error_code ignore;
    std::filesystem::remove_all(Path, ignore);
  }
};

// Set up before any test runs, so that the engine never sees the default lock folder.
const TFolder& Folder() {
  static TFolder folder;
  return folder;
}
[[maybe_unused]] const bool FolderReady = (Folder(), true);

// Finalises the data-access unit when the tests are done, as a program does before main returns.
class TDataAccessEnvironment : public ::testing::Environment {
public:
  void TearDown() override { FinalizeDataAccess(); }
};
[[maybe_unused]] const auto* const Environment = ::testing::AddGlobalTestEnvironment(new TDataAccessEnvironment);

}  // namespace

const std::string& WorkFolder() { return Folder().Path; }

void CreateDatabase(const std::string& Path, const std::string& Extra, int Dialect) {
  HMODULE client = LoadLibraryW(u"gds32.dll");
  ASSERT_NE(client, nullptr);
  auto execute = reinterpret_cast<decltype(&isc_dsql_execute_immediate)>(GetProcAddress(client, "isc_dsql_execute_immediate"));
  auto detach = reinterpret_cast<decltype(&isc_detach_database)>(GetProcAddress(client, "isc_detach_database"));
  auto attach = reinterpret_cast<decltype(&isc_attach_database)>(GetProcAddress(client, "isc_attach_database"));
  ASSERT_TRUE(execute && detach && attach);
  ISC_STATUS_ARRAY status{};
  isc_db_handle db = 0;
  isc_tr_handle tr = 0;
  const std::string sql = "CREATE DATABASE '" + Path + "' USER 'SYSDBA' PAGE_SIZE 8192 " + Extra;
  execute(status, &db, &tr, 0, sql.c_str(), static_cast<unsigned short>(Dialect), nullptr);
  EXPECT_EQ(status[1], 0) << "creating " << Path;
  if (db) detach(status, &db);
  // Writes without waiting for the disk: the tests commit often and need no durability.
  const char dpb[] = {isc_dpb_version1, isc_dpb_user_name, 6, 'S', 'Y', 'S', 'D', 'B', 'A', isc_dpb_force_write, 1, 0};
  attach(status, 0, Path.c_str(), &db, sizeof dpb, dpb);
  EXPECT_EQ(status[1], 0) << "switching " << Path << " to asynchronous writes";
  if (db) detach(status, &db);
  FreeLibrary(client);
}

String NewDatabase(const std::string& Extra, const std::string& Suffix, int Dialect) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "_" + info->name() : "db";
  for (char& c : name)
    if (c == '/') c = '_';
  const std::string path = WorkFolder() + "/" + name + Suffix + ".fdb";
  std::filesystem::remove(path);
  CreateDatabase(path, Extra, Dialect);
  return UTF8ToString(path);
}

TConnection::TConnection(const String& DatabaseName, const String& Password)
    : Owner(std::make_unique<TComponent>(nullptr)) {
  DB = new TIBDatabase(Owner.get());
  TR = new TIBTransaction(Owner.get());
  DB->SetDatabaseName(DatabaseName);
  DB->GetParams()->Add(u"user_name=SYSDBA");
  DB->GetParams()->Add(u"password=" + Password);
  DB->SetLoginPrompt(false);
  DB->SetDefaultTransaction(TR);
  DB->SetServerType(u"IBServer");
  TR->SetDefaultDatabase(DB);
  TR->GetParams()->Add(u"read_committed");
  TR->GetParams()->Add(u"rec_version");
  TR->GetParams()->Add(u"nowait");
  Q1 = NewQuery();
  Q2 = NewQuery();
}

TIBQuery* TConnection::NewQuery() {
  auto* q = new TIBQuery(Owner.get());
  q->SetDatabase(DB);
  q->SetTransaction(TR);
  q->SetParamCheck(false);
  q->SetBufferChunks(1000);
  return q;
}

void TConnection::Exec(TIBQuery* Q, std::initializer_list<String> Lines) {
  Q->Close();
  Q->GetSQL()->Clear();
  for (const String& line : Lines) Q->GetSQL()->Add(line);
  Q->ExecSQL();
}

void TConnection::Open(TIBQuery* Q, std::initializer_list<String> Lines) {
  Q->Close();
  Q->GetSQL()->Clear();
  for (const String& line : Lines) Q->GetSQL()->Add(line);
  Q->Open();
}

void TConnection::ExecCommit(std::initializer_list<String> Lines) {
  Exec(Q1, Lines);
  TR->Commit();
}

}  // namespace DbTest
