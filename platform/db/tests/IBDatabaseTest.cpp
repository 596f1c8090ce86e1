// Connecting, disconnecting, the table list and the errors of the connection.
#include <chrono>

#include "platform/db/testsupport/DbTestSupport.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Modules.h"

using namespace DbTest;

namespace {

Integer CountRows(TConnection& C, const String& Table) {
  C.Open(C.Q2, {u"SELECT COUNT(*) FROM " + Table});
  const Integer n = C.Q2->GetFields()->GetFields(0)->GetAsInteger();
  C.Q2->Close();
  return n;
}

}  // namespace

TEST(IBDatabase, ConnectsToALocalFileThroughTheEmbeddedEngine) {
  TConnection c(NewDatabase());
  EXPECT_FALSE(c.DB->GetConnected());
  c.DB->SetConnected(true);
  EXPECT_TRUE(c.DB->GetConnected());
  EXPECT_EQ(c.DB->GetSQLDialect(), 3);
  EXPECT_FALSE(c.TR->GetActive());   // connecting starts no transaction
  c.DB->SetConnected(false);
  EXPECT_FALSE(c.DB->GetConnected());
  c.DB->SetConnected(false);   // nothing happens when disconnected
}

TEST(IBDatabase, OpeningAQueryAttachesAndStartsTheTransaction) {
  TConnection c(NewDatabase());
  c.Open(c.Q1, {u"SELECT 1 AS ONE FROM RDB$DATABASE"});
  EXPECT_TRUE(c.DB->GetConnected());
  EXPECT_TRUE(c.TR->GetActive());
  EXPECT_EQ(c.Q1->FieldByName(u"ONE")->GetAsInteger(), 1);
}

TEST(IBDatabase, DisconnectCommitsClosesQueriesAndEndsTheTransaction) {
  TConnection c(NewDatabase());
  c.ExecCommit({u"CREATE TABLE T (ID INTEGER)"});
  c.Exec({u"INSERT INTO T VALUES (1)"});
  c.Open(c.Q2, {u"SELECT ID FROM T"});
  c.DB->SetConnected(false);
  EXPECT_FALSE(c.Q2->GetActive());
  EXPECT_FALSE(c.TR->GetActive());
  c.DB->SetConnected(true);
  EXPECT_EQ(CountRows(c, u"T"), 1);   // the disconnect committed the insert
}

TEST(IBDatabase, DisconnectUsesTheDefaultActionRollback) {
  TConnection c(NewDatabase());
  c.ExecCommit({u"CREATE TABLE T (ID INTEGER)"});
  c.TR->SetDefaultAction(TARollback);
  c.Exec({u"INSERT INTO T VALUES (1)"});
  c.DB->SetConnected(false);
  c.DB->SetConnected(true);
  EXPECT_EQ(CountRows(c, u"T"), 0);
}

// The engine builds an index at commit: a unique index over duplicate values makes the commit of
// Connected := False fail. The error is raised and the connection stays attached with its
// transaction, so that a later disconnect (here by rollback) still ends cleanly.
TEST(IBDatabase, FailingCommitOnDisconnectRaisesAndStaysAttached) {
  TConnection c(NewDatabase());
  c.ExecCommit({u"CREATE TABLE T (ID INTEGER)"});
  c.ExecCommit({u"INSERT INTO T VALUES (1)"});
  c.ExecCommit({u"INSERT INTO T VALUES (1)"});
  c.Exec({u"CREATE UNIQUE INDEX UX_T ON T (ID)"});
  const EIBInterBaseError e = Raised<EIBInterBaseError>([&] { c.DB->SetConnected(false); });
  EXPECT_TRUE(ContainsStr(e.Message, u"duplicate")) << e.what();
  EXPECT_TRUE(c.DB->GetConnected());
  EXPECT_TRUE(c.TR->GetActive());
  c.TR->SetDefaultAction(TARollback);
  c.DB->SetConnected(false);
  EXPECT_FALSE(c.DB->GetConnected());
  EXPECT_FALSE(c.TR->GetActive());
}

TEST(IBDatabase, GetTableNamesListsTablesSortedTrimmedWithoutViews) {
  TConnection c(NewDatabase());
  c.DB->SetConnected(true);
  TStringList names;
  names.Add(u"stale entry");
  c.DB->GetTableNames(&names, false);
  EXPECT_EQ(names.GetCount(), 0);

  c.ExecCommit({u"CREATE TABLE ZETA (ID INTEGER)"});
  c.ExecCommit({u"CREATE TABLE ALPHA (ID INTEGER)"});
  c.ExecCommit({u"CREATE VIEW BETA_VIEW AS SELECT ID FROM ALPHA"});
  c.DB->GetTableNames(&names, false);
  EXPECT_EQ(names.GetText(), u"ALPHA\r\nZETA\r\n");

  c.DB->GetTableNames(&names, true);
  EXPECT_GE(names.IndexOf(u"RDB$RELATIONS"), 0);
  EXPECT_GE(names.IndexOf(u"Alpha"), 0);   // the list compares without regard to case
  EXPECT_EQ(names.IndexOf(u"BETA_VIEW"), -1);
  for (Integer i = 1; i < names.GetCount(); ++i) {
    EXPECT_LT(CompareStr(names.GetStrings(i - 1), names.GetStrings(i)), 0);
    EXPECT_EQ(names.GetStrings(i), TrimRight(names.GetStrings(i)));
  }
}

TEST(IBDatabase, GetTableNamesLeavesTheDefaultTransactionAlone) {
  TConnection c(NewDatabase());
  c.DB->SetConnected(true);
  TStringList names;
  c.DB->GetTableNames(&names, true);
  EXPECT_FALSE(c.TR->GetActive());

  // Tables created in the open default transaction are not yet visible to the internal one.
  c.Exec({u"CREATE TABLE PENDING (ID INTEGER)"});
  c.DB->GetTableNames(&names, false);
  EXPECT_TRUE(c.TR->GetActive());
  EXPECT_EQ(names.GetCount(), 0);
  c.TR->Commit();
  c.DB->GetTableNames(&names, false);
  EXPECT_EQ(names.GetText(), u"PENDING\r\n");
}

TEST(IBDatabase, GetTableNamesNeedsAConnection) {
  TConnection c(NewDatabase());
  TStringList names;
  names.Add(u"x");
  EXPECT_THROW(c.DB->GetTableNames(&names, true), EIBClientError);
  EXPECT_EQ(names.GetCount(), 0);   // cleared first
}

// Each failure to attach raises a clear error promptly and leaves the connection closed.
TEST(IBDatabase, AttachFailuresRaiseClearErrors) {
  struct TCase {
    const char* Label;
    String Name;
    const Char* Expected;
  };
  const String missing = UTF8ToString(WorkFolder()) + u"/missing.fdb";
  const TCase cases[] = {
      {"missing file", missing, u"/missing.fdb"},
      {"empty path", u"", u"I/O error"},
      {"drive path", u"C:\\Daten\\Datenbanken\\Brunnholt\\KALDERN.GDB", u"C:\\Daten\\Datenbanken\\Brunnholt\\KALDERN.GDB"},
      {"drive path with slash", u"d:/x.gdb", u"d:/x.gdb"},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.Label);
    TConnection c(t.Name);
    const auto started = std::chrono::steady_clock::now();
    const EIBError e = Raised<EIBError>([&] { c.DB->SetConnected(true); });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_LT(seconds, 2.0);
    EXPECT_TRUE(ContainsStr(e.Message, t.Expected)) << e.what();
    EXPECT_FALSE(ContainsStr(e.Message, u"plumcrest"));
    EXPECT_FALSE(c.DB->GetConnected());
  }
}

TEST(IBDatabase, ServerErrorsCarryAllLinesAndTheirCodes) {
  TConnection c(UTF8ToString(WorkFolder()) + u"/nowhere.fdb");
  const EIBInterBaseError e = Raised<EIBInterBaseError>([&] { c.DB->SetConnected(true); });
  EXPECT_EQ(e.SQLCode, -902);
  EXPECT_EQ(e.IBErrorCode, 335544344);   // isc_io_error
  EXPECT_TRUE(ContainsStr(e.Message, u"I/O error during \"open\" operation for file")) << e.what();
  EXPECT_TRUE(ContainsStr(e.Message, u"\r\nError while trying to open file")) << e.what();
}

TEST(IBDatabase, ParameterNamesIgnoreCaseAndUnknownOnesAreNamed) {
  const String path = NewDatabase();
  TConnection c(path);
  c.DB->GetParams()->Clear();
  c.DB->GetParams()->Add(u"USER_NAME=sysdba");
  c.DB->GetParams()->Add(u"Password=plumcrest");
  c.DB->GetParams()->Add(u"LC_CTYPE=win1252");
  c.DB->SetConnected(true);
  c.Open(c.Q1, {u"SELECT CURRENT_USER, RDB$CHARACTER_SET_NAME FROM MON$ATTACHMENTS A JOIN RDB$CHARACTER_SETS S ON S.RDB$CHARACTER_SET_ID = A.MON$CHARACTER_SET_ID WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION"});
  EXPECT_EQ(TrimRight(c.Q1->GetFields()->GetFields(0)->GetAsString()), u"SYSDBA");
  EXPECT_EQ(TrimRight(c.Q1->GetFields()->GetFields(1)->GetAsString()), u"WIN1252");
  c.DB->SetConnected(false);

  c.DB->GetParams()->Add(u"secret_option=plumcrest");
  const EIBClientError e = Raised<EIBClientError>([&] { c.DB->SetConnected(true); });
  EXPECT_TRUE(ContainsStr(e.Message, u"secret_option")) << e.what();
  EXPECT_FALSE(ContainsStr(e.Message, u"plumcrest"));
  EXPECT_FALSE(c.DB->GetConnected());
}

TEST(IBDatabase, MissingClientLibraryRaisesWhenServerTypeIsSet) {
  SetModuleMissing(u"gds32.dll", true);
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* db = new TIBDatabase(owner.get());
  const EIBClientError e = Raised<EIBClientError>([&] { db->SetServerType(u"IBServer"); });
  EXPECT_TRUE(ContainsStr(e.Message, u"gds32.dll")) << e.what();
  SetModuleMissing(u"gds32.dll", false);
  EXPECT_NO_THROW(db->SetServerType(u"IBServer"));
  EXPECT_THROW(db->SetServerType(u"IBEmbedded"), EIBClientError);
}

TEST(IBDatabase, DestroyingConnectedComponentsCommitsAndFreesEverything) {
  const String path = NewDatabase();
  {
    TConnection c(path);
    c.ExecCommit({u"CREATE TABLE T (ID INTEGER)"});
    c.Exec({u"INSERT INTO T VALUES (7)"});
    c.Open(c.Q2, {u"SELECT ID FROM T"});
  }
  TConnection c(path);
  EXPECT_EQ(CountRows(c, u"T"), 1);
}

// No statement, transaction or attachment outlives its component, on the paths that fail too:
// the engine's monitoring tables show what each attachment still holds.
TEST(IBDatabase, HandlesAreFreedOnEveryPath) {
  const String path = NewDatabase();
  TConnection monitor(path);
  const auto count = [&](const String& Sql) {
    monitor.Open(monitor.Q1, {Sql});
    const Integer n = monitor.Q1->GetFields()->GetFields(0)->GetAsInteger();
    monitor.TR->Commit();
    return n;
  };
  const String userAttachments = u"SELECT COUNT(*) FROM MON$ATTACHMENTS WHERE MON$SYSTEM_FLAG = 0";
  EXPECT_EQ(count(userAttachments), 1);
  {
    TConnection c(path);
    c.ExecCommit({u"CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY)"});
    c.Exec({u"INSERT INTO T VALUES (1)"});
    EXPECT_THROW(c.Exec({u"INSERT INTO T VALUES (1)"}), EIBInterBaseError);    // fails when run
    EXPECT_THROW(c.Open(c.Q1, {u"SELECT * FROM NOWHERE"}), EIBInterBaseError);  // fails when prepared
    EXPECT_THROW(c.Open(c.Q1, {u"DELETE FROM T"}), EIBClientError);           // refused after preparing
    c.Open(c.Q1, {u"SELECT ID FROM T"});
    c.Q1->Locate(u"ID", u"2", {});                                            // runs the cursor again
    c.Open(c.Q2, {u"SELECT ID FROM T"});
    c.Q2->Close();
    TStringList names;
    c.DB->GetTableNames(&names, true);
    c.Open(c.Q2, {u"SELECT COUNT(*) FROM MON$STATEMENTS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION"});
    EXPECT_EQ(c.Q2->GetFields()->GetFields(0)->GetAsInteger(), 2);   // Q1's and this one
    c.Open(c.Q2, {u"SELECT COUNT(*) FROM MON$TRANSACTIONS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION"});
    EXPECT_EQ(c.Q2->GetFields()->GetFields(0)->GetAsInteger(), 1);
    EXPECT_EQ(count(userAttachments), 2);
  }
  EXPECT_EQ(count(userAttachments), 1);
  {
    // A connection whose commit fails at destruction is rolled back and detached anyway.
    TConnection c(path);
    c.ExecCommit({u"INSERT INTO T VALUES (2)"});
    c.ExecCommit({u"CREATE TABLE U (ID INTEGER)"});
    c.ExecCommit({u"INSERT INTO U VALUES (1)"});
    c.ExecCommit({u"INSERT INTO U VALUES (1)"});
    c.Exec({u"CREATE UNIQUE INDEX UX_U ON U (ID)"});
  }
  EXPECT_EQ(count(userAttachments), 1);
  EXPECT_EQ(count(u"SELECT COUNT(*) FROM MON$TRANSACTIONS T JOIN MON$ATTACHMENTS A ON A.MON$ATTACHMENT_ID = "
                  u"T.MON$ATTACHMENT_ID WHERE A.MON$SYSTEM_FLAG = 0"),
            1);
}
