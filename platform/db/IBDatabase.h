#pragma once
// The connection and transaction components over the Firebird client library ("gds32.dll"). A local
// file is opened by the embedded engine, so no server is needed; "host:path" names go through the
// library's remote provider.
#include <memory>
#include <vector>

#include "platform/db/IB.h"
#include "platform/rtl/Classes.h"

class TIBTransaction;
class TIBQuery;

enum TTransactionAction { TARollback, TACommit, TARollbackRetaining, TACommitRetaining };

// ---------------------------------------------------------------------------------------------
// TIBDatabase: one attachment.
// ---------------------------------------------------------------------------------------------
class TIBDatabase : public TComponent {
  ZELK_CLASS(TIBDatabase, TComponent)
public:
  explicit TIBDatabase(TComponent* AOwner);
  // Disconnects as Connected := False does; when that fails, rolls back and detaches regardless.
  ~TIBDatabase() override;

  // The file attached at the next connect. A one-letter prefix followed by ":\" (a drive path of
  // another system) names no file here: connecting raises at once, without any network lookup.
  const String& GetDatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const String& Value) { FDatabaseName = Value; }
  // "name=value" lines: user_name, password, lc_ctype, sql_role_name (or role); names without
  // regard to case. Other names raise when connecting. The password never appears in a message.
  TStrings* GetParams() const { return FParams.get(); }
  void SetParams(TStrings* Value) { FParams->Assign(Value); }
  // Kept for the form description; no login dialog is shown, the user comes from Params.
  bool GetLoginPrompt() const { return FLoginPrompt; }
  void SetLoginPrompt(bool Value) { FLoginPrompt = Value; }
  TIBTransaction* GetDefaultTransaction() const { return FDefaultTransaction; }
  void SetDefaultTransaction(TIBTransaction* Value);
  // "IBServer": setting it loads the client library "gds32.dll" at once (also while the form is
  // read) and raises EIBClientError when the library cannot be loaded. Other names raise too.
  const String& GetServerType() const { return FServerType; }
  void SetServerType(const String& Value);

  bool GetConnected() const { return FHandle != 0; }
  // True attaches (raising on failure, staying disconnected). False closes every query of the
  // connection (freeing its statement), ends every active transaction of it by its DefaultAction
  // and detaches; when ending a transaction fails, that error is raised and the connection stays.
  void SetConnected(bool Value);
  void Open() { SetConnected(true); }
  void Close() { SetConnected(false); }
  // Raises EIBClientError unless connected.
  void CheckActive() const;

  // Clears List, then adds the names of the tables (views never; system tables when SystemTables),
  // trailing blanks removed, ordered by name. Runs in an internal read-only transaction of its own
  // that it commits; the default transaction is not touched.
  void GetTableNames(TStrings* List, bool SystemTables = false);

  // The SQL dialect of the attached database (1 or 3), the one statements are prepared in.
  Integer GetSQLDialect() const { return FDialect; }

  // ---- used by the transactions and queries of this connection
  unsigned int& Handle() { return FHandle; }
  Integer CharSetId() const { return FCharSetId; }
  // Transactions whose DefaultDatabase this is, and the queries open on this connection.
  void AddTransaction(TIBTransaction* Transaction);
  void RemoveTransaction(TIBTransaction* Transaction);
  void AddDataSet(TIBQuery* DataSet);
  void RemoveDataSet(TIBQuery* DataSet);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend void CloseAllConnections() noexcept;
  void Connect();
  void Disconnect();
  void ForceDisconnect() noexcept;
  // Disconnects, or rolls back and detaches regardless when that fails; closes the queries.
  void Release() noexcept;

  String FDatabaseName;
  std::unique_ptr<TStringList> FParams;
  bool FLoginPrompt = true;
  TIBTransaction* FDefaultTransaction = nullptr;
  String FServerType;
  unsigned int FHandle = 0;
  Integer FCharSetId = 0;
  Integer FDialect = 3;
  std::vector<TIBTransaction*> FTransactions;
  std::vector<TIBQuery*> FDataSets;
};

// Closes every connection still open as destroying it would (queries closed, transactions ended
// by their DefaultAction, detached). The components stay usable objects, disconnected.
void CloseAllConnections() noexcept;

// ---------------------------------------------------------------------------------------------
// TIBTransaction: a transaction on its DefaultDatabase.
// ---------------------------------------------------------------------------------------------
class TIBTransaction : public TComponent {
  ZELK_CLASS(TIBTransaction, TComponent)
public:
  explicit TIBTransaction(TComponent* AOwner);
  // Closes its queries and ends an active transaction by DefaultAction (rolling back when that
  // fails), errors swallowed.
  ~TIBTransaction() override;

  TIBDatabase* GetDefaultDatabase() const { return FDefaultDatabase; }
  void SetDefaultDatabase(TIBDatabase* Value);
  // One parameter per line: read_committed, rec_version, no_rec_version, nowait, wait,
  // concurrency, consistency, read, write, autocommit, no_auto_undo, lock_timeout=<seconds>,
  // lock_read=<table>, lock_write=<table> (and the other isc_tpb_ names). Empty: the server's
  // default (concurrency, wait, write). Unknown names raise when starting.
  TStrings* GetParams() const { return FParams.get(); }
  void SetParams(TStrings* Value) { FParams->Assign(Value); }
  // How Connected := False and the destructor end an active transaction (commit by default; the
  // retaining actions end it hard there).
  TTransactionAction GetDefaultAction() const { return FDefaultAction; }
  void SetDefaultAction(TTransactionAction Value) { FDefaultAction = Value; }

  bool GetActive() const { return FHandle != 0; }
  bool GetInTransaction() const { return FHandle != 0; }
  // True starts the transaction; False rolls it back.
  void SetActive(bool Value);

  // Raises EIBClientError when active, when there is no DefaultDatabase or it is not connected.
  void StartTransaction();
  // Closes the transaction's open queries, then commits. The commit's status is checked (the
  // engine finishes DDL at commit): on failure it raises and the transaction stays active.
  void Commit();
  // Commits and keeps the transaction and every open cursor; fetching goes on.
  void CommitRetaining();
  // Closes the transaction's open queries, then rolls back.
  void Rollback();
  void RollbackRetaining();
  // Ends the transaction by Action (the retaining actions keep it, as their calls do).
  void EndTransaction(TTransactionAction Action);
  void CheckInTransaction() const;

  // ---- used by the queries of this transaction (those open in it)
  unsigned int& Handle() { return FHandle; }
  void AddDataSet(TIBQuery* DataSet);
  void RemoveDataSet(TIBQuery* DataSet);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void CloseDataSets() noexcept;

  TIBDatabase* FDefaultDatabase = nullptr;
  std::unique_ptr<TStringList> FParams;
  TTransactionAction FDefaultAction = TACommit;
  unsigned int FHandle = 0;
  std::vector<TIBQuery*> FDataSets;
};
