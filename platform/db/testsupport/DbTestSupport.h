#pragma once
// Shared set-up of the data-access tests: a private folder for the embedded engine's lock and
// temporary files, database files created through the client library, and components wired the
// way the update window wires them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/db/IBDatabase.h"
#include "platform/db/IBQuery.h"

namespace DbTest {

// The folder of this test process (created on first use, removed at exit). The engine's
// FIREBIRD_LOCK and FIREBIRD_TMP point into it before the client library is loaded.
const std::string& WorkFolder();

// Creates a database file through the client library (isc_dsql_execute_immediate "CREATE
// DATABASE"); Extra is appended to the statement ("DEFAULT CHARACTER SET UTF8"). Dialect 3
// unless given.
void CreateDatabase(const std::string& Path, const std::string& Extra = "", int Dialect = 3);
// A new database file in WorkFolder named after the running test plus Suffix.
String NewDatabase(const std::string& Extra = "", const std::string& Suffix = "", int Dialect = 3);

// An owner with a connection, a transaction (read_committed, rec_version, nowait; commit by
// default) and two queries, all set as the update window sets them.
struct TConnection {
  std::unique_ptr<TComponent> Owner;
  TIBDatabase* DB;
  TIBTransaction* TR;
  TIBQuery* Q1;
  TIBQuery* Q2;

  explicit TConnection(const String& DatabaseName, const String& Password = u"plumcrest");
  TIBQuery* NewQuery();
  // Statement on a query: close, clear, add the lines, ExecSQL.
  void Exec(TIBQuery* Q, std::initializer_list<String> Lines);
  void Exec(std::initializer_list<String> Lines) { Exec(Q1, Lines); }
  // Close, clear, add the lines, Open.
  void Open(TIBQuery* Q, std::initializer_list<String> Lines);
  // Exec followed by a hard commit.
  void ExecCommit(std::initializer_list<String> Lines);
};

// The message of what Call throws as E (failing the test when it throws nothing or else).
template <class E, class F> E Raised(F&& Call) {
  try {
    Call();
  } catch (E& e) {
    return e;
  }
  ADD_FAILURE() << "no exception of the expected type";
  return E(u"");
}

}  // namespace DbTest
