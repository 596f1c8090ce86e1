#pragma once
// Databases with the old schema that the update expects, the script run on the window's data
// components, and a description of a database's schema and data for comparing results.
#include <memory>
#include <string>
#include <vector>

#include "platform/db/testsupport/DbTestSupport.h"
#include "app/testsupport/OldSchema.h"
#include "app/UpdateScript.h"
#include "platform/rtl/StringLists.h"

namespace UpdateTest {

// A new database file named after the running test (plus Suffix) holding Schema.
String MakeOldDatabase(const TOldSchema& Schema = {}, const std::string& Suffix = "");

// The window's data components set up from their stored settings, on DatabaseName.
struct TUpdateData {
  std::unique_ptr<TComponent> Owner;
  TIBDatabase* DBZelk;
  TIBTransaction* IB1;
  TIBQuery* IBQ1;
  TIBQuery* IBQ2;
  TIBQuery* IBQ3;
  TIBQuery* IBQ4;
  TStringList Tables;
  std::vector<TScriptStep> Steps;     // what the script did, in order
  std::vector<std::string> Commits;   // the moments of the commits made, in order

  explicit TUpdateData(const String& DatabaseName);
  // Runs the whole script, then disconnects (committing what is open).
  void Run();
  TUpdateComponents Components();
};

// Runs the script once on the file; raises what the script raises.
void RunScript(const String& DatabaseName);

// Schema and data of the database's own tables, views and procedures, one line each, in a fixed
// order: "table T", "column T.C TYPE[(n)][ NOT NULL]", "primary key T(C)", "foreign key T(C) ->
// R(K) on update RULE on delete RULE", "view V: source", "procedure P: source", "row T: v1|v2..".
// Generated names (of constraints and indexes) are left out, so two databases updated along
// different paths compare equal when their schema and data are.
std::vector<std::string> Describe(const String& DatabaseName);

// Rows of a query, each as its columns' text joined by "|".
std::vector<std::string> Rows(const String& DatabaseName, const String& Select);

// The format version of a table (each ALTER of its columns makes a new one).
Integer FormatVersion(const String& DatabaseName, const String& Table);

}  // namespace UpdateTest
