// Transactions: hard and retaining commits, rollbacks, parameters and lock conflicts.
#include "platform/db/testsupport/DbTestSupport.h"
#include "platform/rtl/StrUtils.h"

using namespace DbTest;

namespace {

// A table T with the IDs 1..Rows, committed.
void MakeRows(TConnection& C, Integer Rows) {
  C.ExecCommit({u"CREATE TABLE T (ID INTEGER NOT NULL PRIMARY KEY, V INTEGER)"});
  C.Exec({u"EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= " + IntToStr(Rows) +
          u") DO BEGIN INSERT INTO T (ID) VALUES (:I); I = I + 1; END END"});
  C.TR->Commit();
}

}  // namespace

// The colour migration's pattern: a cursor stays open and fetching while the loop writes and
// commits retaining after every row.
TEST(IBTransaction, CursorSurvivesRetainingCommitsAndIsFetchedToTheEnd) {
  TConnection c(NewDatabase());
  MakeRows(c, 250);
  TIBQuery* writer = c.NewQuery();
  c.Open(c.Q1, {u"SELECT ID FROM T ORDER BY ID"});
  Integer seen = 0;
  while (!c.Q1->GetEOF()) {
    const Integer id = c.Q1->FieldByName(u"id")->GetAsInteger();
    EXPECT_EQ(id, seen + 1);
    c.Exec(writer, {u"UPDATE T SET V = " + IntToStr(id * 2) + u" WHERE ID = " + IntToStr(id)});
    c.TR->CommitRetaining();
    EXPECT_TRUE(c.Q1->GetActive());
    EXPECT_TRUE(c.TR->GetActive());
    ++seen;
    c.Q1->Next();
  }
  EXPECT_EQ(seen, 250);
  c.TR->Commit();

  TConnection other(c.DB->GetDatabaseName());
  other.Open(other.Q1, {u"SELECT COUNT(*) FROM T WHERE V = 2 * ID"});
  EXPECT_EQ(other.Q1->GetFields()->GetFields(0)->GetAsInteger(), 250);
}

TEST(IBTransaction, HardCommitClosesTheTransactionsOpenQueries) {
  TConnection c(NewDatabase());
  MakeRows(c, 3);
  c.Open(c.Q1, {u"SELECT ID FROM T"});
  c.Open(c.Q2, {u"SELECT ID FROM T"});
  c.Q2->Next();
  c.TR->Commit();
  EXPECT_FALSE(c.TR->GetActive());
  EXPECT_FALSE(c.Q1->GetActive());
  EXPECT_FALSE(c.Q2->GetActive());
  EXPECT_THROW(c.Q1->Next(), EDatabaseError);
  c.Q1->Close();   // closing twice does nothing
  c.Open(c.Q1, {u"SELECT ID FROM T ORDER BY ID"});   // and the query opens again
  EXPECT_EQ(c.Q1->FieldByName(u"ID")->GetAsInteger(), 1);
}

// Dropping a table: the engine checks at commit that no statement still uses it. A query left
// open keeps its statement, and the commit fails with "in use"; once the query is closed its
// statement is freed and the drop commits.
TEST(IBTransaction, TableDropsAfterTheQueryOnItWasClosed) {
  TConnection c(NewDatabase());
  MakeRows(c, 2);
  c.Open(c.Q1, {u"SELECT * FROM T"});
  c.Exec(c.Q2, {u"DROP TABLE T"});
  const EIBInterBaseError inUse = Raised<EIBInterBaseError>([&] { c.TR->CommitRetaining(); });
  EXPECT_TRUE(ContainsStr(inUse.Message, u"in use")) << inUse.what();
  EXPECT_TRUE(c.TR->GetActive());

  c.Q1->Close();
  EXPECT_NO_THROW(c.TR->CommitRetaining());
  TStringList names;
  c.DB->GetTableNames(&names, false);
  EXPECT_EQ(names.GetCount(), 0);
}

// A hard commit closes the open queries before it commits: the same drop as above goes through
// although a query on the table is still open.
TEST(IBTransaction, CommitClosesQueriesBeforeCommitting) {
  TConnection c(NewDatabase());
  MakeRows(c, 2);
  c.Open(c.Q1, {u"SELECT * FROM T"});
  c.Exec(c.Q2, {u"DROP TABLE T"});
  EXPECT_NO_THROW(c.TR->Commit());
  EXPECT_FALSE(c.Q1->GetActive());
}

TEST(IBTransaction, RollbackUndoesAndRollbackRetainingKeepsTheCursor) {
  TConnection c(NewDatabase());
  MakeRows(c, 3);
  c.Exec({u"DELETE FROM T"});
  c.TR->Rollback();
  EXPECT_FALSE(c.TR->GetActive());

  c.Open(c.Q2, {u"SELECT ID FROM T ORDER BY ID"});
  c.Exec({u"DELETE FROM T WHERE ID = 3"});
  c.TR->RollbackRetaining();
  EXPECT_TRUE(c.Q2->GetActive());
  Integer rows = 0;
  for (; !c.Q2->GetEOF(); c.Q2->Next()) ++rows;
  EXPECT_EQ(rows, 3);
  c.Open(c.Q1, {u"SELECT COUNT(*) FROM T"});
  EXPECT_EQ(c.Q1->GetFields()->GetFields(0)->GetAsInteger(), 3);
}

TEST(IBTransaction, StateErrorsAndUnknownParameters) {
  TConnection c(NewDatabase());
  EXPECT_THROW(c.TR->Commit(), EIBClientError);                // not active
  EXPECT_THROW(c.TR->StartTransaction(), EIBClientError);      // database not open
  c.DB->SetConnected(true);
  c.TR->StartTransaction();
  EXPECT_THROW(c.TR->StartTransaction(), EIBClientError);      // already active
  EXPECT_THROW(c.TR->SetDefaultDatabase(nullptr), EIBClientError);
  c.TR->SetActive(false);                                      // rolls back
  EXPECT_FALSE(c.TR->GetActive());

  c.TR->GetParams()->Add(u"no_such_thing");
  const EIBClientError e = Raised<EIBClientError>([&] { c.TR->StartTransaction(); });
  EXPECT_TRUE(ContainsStr(e.Message, u"no_such_thing")) << e.what();
  EXPECT_FALSE(c.TR->GetActive());
}

// The transaction parameters reach the engine: isolation, access mode and lock timeout as
// MON$TRANSACTIONS reports them.
TEST(IBTransaction, ParametersBecomeTheTransactionsMode) {
  struct TCase {
    std::vector<String> Params;
    Integer Isolation;   // 0 consistency, 1 concurrency, 2 read committed record version, 3 no record version
    Integer ReadOnly;
    Integer LockTimeout;   // -1 wait, 0 nowait
  };
  const TCase cases[] = {
      {{u"read_committed", u"rec_version", u"nowait"}, 2, 0, 0},
      {{u"isc_tpb_concurrency", u"WAIT"}, 1, 0, -1},
      {{u"consistency", u"read"}, 0, 1, -1},
      {{u"read_committed", u"no_rec_version", u"lock_timeout=7", u"wait"}, 3, 0, 7},
      {{}, 1, 0, -1},
  };
  TConnection c(NewDatabase());
  for (const TCase& t : cases) {
    c.TR->GetParams()->Clear();
    for (const String& p : t.Params) c.TR->GetParams()->Add(p);
    c.Open(c.Q1, {u"SELECT MON$ISOLATION_MODE, MON$READ_ONLY, MON$LOCK_TIMEOUT FROM MON$TRANSACTIONS",
                  u"WHERE MON$TRANSACTION_ID = CURRENT_TRANSACTION"});
    SCOPED_TRACE(UTF8Encode(c.TR->GetParams()->GetCommaText()));
    EXPECT_EQ(c.Q1->GetFields()->GetFields(0)->GetAsInteger(), t.Isolation);
    EXPECT_EQ(c.Q1->GetFields()->GetFields(1)->GetAsInteger(), t.ReadOnly);
    EXPECT_EQ(c.Q1->GetFields()->GetFields(2)->GetAsInteger(), t.LockTimeout);
    c.TR->Commit();
  }
}

// Two attachments update the same row; the second (nowait) gets the server's lock conflict text,
// all of its lines, with the SQL and GDS codes.
TEST(IBTransaction, LockConflictWithASecondAttachmentIsReported) {
  const String path = NewDatabase();
  TConnection a(path);
  TConnection b(path);
  MakeRows(a, 1);
  a.Exec({u"UPDATE T SET V = 1 WHERE ID = 1"});
  const EIBInterBaseError e = Raised<EIBInterBaseError>([&] { b.Exec({u"UPDATE T SET V = 2 WHERE ID = 1"}); });
  EXPECT_TRUE(ContainsStr(e.Message, u"deadlock\r\nupdate conflicts with concurrent update\r\n"
                                   u"concurrent transaction number is "))
      << e.what();
  EXPECT_EQ(e.SQLCode, -913);
  EXPECT_EQ(e.IBErrorCode, 335544336);   // isc_deadlock
  EXPECT_FALSE(b.Q1->GetActive());
  EXPECT_TRUE(b.TR->GetActive());   // the failed statement leaves the transaction open
  a.TR->Commit();
  b.TR->Rollback();
  EXPECT_NO_THROW(b.Exec({u"UPDATE T SET V = 2 WHERE ID = 1"}));
}
