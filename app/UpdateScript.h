#pragma once
// The schema update of "Update durchführen": one fixed, ordered script of schema and data changes
// run through the update window's data components. Every step tests whether its change is still
// needed, so the script may run again on a database that is partly or wholly up to date, and it
// may be interrupted at any moment: the next run finishes the work.
#include <functional>
#include <string>

#include "platform/db/IBDatabase.h"
#include "platform/db/IBQuery.h"
#include "platform/rtl/Classes.h"

// One thing the script did, as its observer sees it after it is done.
enum TScriptAction {
  saConnect,          // attached the database (the script found it detached)
  saReconnect,        // Connected := False, then True
  saRelist,           // the table names read into the list
  saExec,             // a statement run (ExecSQL)
  saOpen,             // a SELECT opened and positioned on its first row
  saNext,             // an open SELECT moved to its next row
  saCommit,           // a hard commit
  saCommitRetaining   // a retaining commit
};

struct TScriptStep {
  TScriptAction Action;
  Integer Query = 0;    // 1 to 4 for IBQ1 to IBQ4 (saExec, saOpen, saNext), else 0
  String SQL;           // the statement text, lines joined (saExec, saOpen)
  std::string Moment;   // what a commit completes ("13.5 colour row inserted")
};

// The components the script works through: the connection, its one transaction, the four queries
// and the list of table names (the window's invisible list box).
struct TUpdateComponents {
  TIBDatabase& DBZelk;
  TIBTransaction& IB1;
  TIBQuery& IBQ1;
  TIBQuery& IBQ2;
  TIBQuery& IBQ3;
  TIBQuery& IBQ4;
  TStrings& TableNames;
  // Sees every step as it completes: lets a caller record the statements sent or stop the program
  // at a chosen commit. Empty in the program.
  std::function<void(const TScriptStep& Step)> OnStep;
};

// The default database of the window's connection, used until a file is chosen.
extern const Char* const DefaultDatabaseName;

// The stored settings of the window's data components, in the order the form applies them. Setting
// the server type loads the client library: raises EIBClientError when it cannot be loaded.
void ApplyStoredSettings(TIBDatabase& DBZelk, TIBTransaction& IB1, TIBQuery& IBQ1, TIBQuery& IBQ2,
                         TIBQuery& IBQ3, TIBQuery& IBQ4);

// Runs the script against the database of DBZelk (attaching it when needed). Errors propagate at
// once with the server's message; what was committed before stays committed.
void RunUpdateScript(TUpdateComponents& C);
