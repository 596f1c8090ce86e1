#include "platform/db/IBDatabase.h"

#include <algorithm>
#include <mutex>

#include "platform/db/IBClient.h"
#include "platform/db/IBQuery.h"
#include "platform/rtl/ScopeGuard.h"

namespace {

// "name=value" lines as pairs; a line without '=' is a name with an empty value.
std::vector<std::pair<String, String>> ParamPairs(const TStrings& Params) {
  std::vector<std::pair<String, String>> pairs;
  for (Integer i = 0; i < Params.GetCount(); ++i) {
    const String line = Params.GetStrings(i);
    if (Trim(line).empty()) continue;
    const auto eq = line.find(u'=');
    if (eq == String::npos)
      pairs.emplace_back(line, String());
    else
      pairs.emplace_back(line.substr(0, eq), line.substr(eq + 1));
  }
  return pairs;
}

template <class T> void AddOnce(std::vector<T*>& List, T* Item) {
  if (std::find(List.begin(), List.end(), Item) == List.end()) List.push_back(Item);
}

template <class T> void RemoveAll(std::vector<T*>& List, T* Item) {
  List.erase(std::remove(List.begin(), List.end(), Item), List.end());
}

// Closes every query of a list that changes while it is walked.
void CloseAll(const std::vector<TIBQuery*>& DataSets) noexcept {
  const std::vector<TIBQuery*> copy = DataSets;
  for (TIBQuery* q : copy) q->Close();
}

// Every connection component alive, for the finalisation that closes those still open.
struct TConnections {
  std::mutex Lock;
  std::vector<TIBDatabase*> List;
};
TConnections& Connections() {
  static TConnections connections;
  return connections;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TIBDatabase
// ---------------------------------------------------------------------------------------------

TIBDatabase::TIBDatabase(TComponent* AOwner) : TComponent(AOwner), FParams(std::make_unique<TStringList>()) {
  auto& c = Connections();
  std::lock_guard<std::mutex> guard(c.Lock);
  c.List.push_back(this);
}

TIBDatabase::~TIBDatabase() {
  {
    auto& c = Connections();
    std::lock_guard<std::mutex> guard(c.Lock);
    RemoveAll(c.List, this);
  }
  Release();
  // The transactions asked for free notification: they forget this connection when it goes.
}

void TIBDatabase::Release() noexcept {
  try {
    Disconnect();
  } catch (...) {
    ForceDisconnect();
  }
  CloseAll(FDataSets);
}

void CloseAllConnections() noexcept {
  std::vector<TIBDatabase*> open;
  {
    auto& c = Connections();
    std::lock_guard<std::mutex> guard(c.Lock);
    open = c.List;
  }
  for (TIBDatabase* db : open)
    if (db->GetConnected()) db->Release();
}

void TIBDatabase::SetDefaultTransaction(TIBTransaction* Value) {
  FDefaultTransaction = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  if (!Value->GetDefaultDatabase() && !Value->GetActive()) Value->SetDefaultDatabase(this);
}

void TIBDatabase::SetServerType(const String& Value) {
  if (!SameText(Value, u"IBServer"))
    throw EIBClientError(u"Server type '" + Value + u"' is not supported (only \"IBServer\")");
  FServerType = Value;
  IBClient::LoadClientLibrary();
}

void TIBDatabase::SetConnected(bool Value) {
  if (Value == GetConnected()) return;
  if (Value)
    Connect();
  else
    Disconnect();
}

void TIBDatabase::CheckActive() const {
  if (!GetConnected()) throw EIBClientError(u"Database not open: " + FDatabaseName);
}

void TIBDatabase::Connect() {
  IBClient::LoadClientLibrary();
  const IBClient::TPathKind kind = IBClient::ClassifyPath(FDatabaseName);
  if (kind == IBClient::pkDrivePath)
    throw EIBClientError(u"Unable to open database \"" + FDatabaseName +
                         u"\": a path with a drive letter names no file on this system");
  const IBClient::TAttachParams params = IBClient::BuildDPB(ParamPairs(*FParams), kind == IBClient::pkLocal);
  unsigned int handle = IBClient::AttachDatabase(UTF8Encode(FDatabaseName), params.DPB);
  try {
    FDialect = IBClient::DatabaseSQLDialect(handle);
  } catch (...) {
    try {
      IBClient::DetachDatabase(handle);
    } catch (...) {
    }
    throw;
  }
  FCharSetId = params.CharSetId;
  FHandle = handle;
}

void TIBDatabase::Disconnect() {
  if (!FHandle) return;
  CloseAll(FDataSets);
  for (TIBTransaction* t : std::vector<TIBTransaction*>(FTransactions)) {
    if (!t->GetActive()) continue;
    // The retaining actions would leave the transaction alive on a connection about to go.
    const TTransactionAction action = t->GetDefaultAction();
    t->EndTransaction(action == TACommitRetaining ? TACommit : action == TARollbackRetaining ? TARollback : action);
  }
  IBClient::DetachDatabase(FHandle);
}

void TIBDatabase::ForceDisconnect() noexcept {
  CloseAll(FDataSets);
  for (TIBTransaction* t : std::vector<TIBTransaction*>(FTransactions)) {
    try {
      if (t->GetActive()) t->Rollback();
    } catch (...) {
    }
  }
  try {
    if (FHandle) IBClient::DetachDatabase(FHandle);
  } catch (...) {
  }
  FHandle = 0;
}

void TIBDatabase::GetTableNames(TStrings* List, bool SystemTables) {
  List->BeginUpdate();
  const auto endUpdate = ScopeExit([List] { List->EndUpdate(); });
  List->Clear();
  CheckActive();

  String sql = u"SELECT RDB$RELATION_NAME FROM RDB$RELATIONS WHERE RDB$VIEW_BLR IS NULL";
  if (!SystemTables) sql += u" AND (RDB$SYSTEM_FLAG IS NULL OR RDB$SYSTEM_FLAG = 0)";
  sql += u" ORDER BY RDB$RELATION_NAME";

  static const std::vector<std::pair<String, String>> readOnly = {
      {u"read", u""}, {u"read_committed", u""}, {u"rec_version", u""}, {u"nowait", u""}};
  unsigned int transaction = IBClient::StartTransaction(FHandle, IBClient::BuildTPB(readOnly));
  // The commit clears the handle; on any other way out the transaction is rolled back.
  const auto rollback = ScopeExit([&transaction] {
    if (!transaction) return;
    try {
      IBClient::RollbackTransaction(transaction);
    } catch (...) {
    }
  });
  std::vector<String> names;
  {
    IBClient::TIBStatement statement(&FHandle, &transaction, FCharSetId, FDialect);
    statement.Prepare(sql);
    statement.Execute();
    while (statement.Fetch()) names.push_back(TrimRight(statement.GetText(0)));
    statement.Free();
  }
  IBClient::CommitTransaction(transaction);
  for (const String& name : names) List->Add(name);
}

void TIBDatabase::AddTransaction(TIBTransaction* Transaction) { AddOnce(FTransactions, Transaction); }
void TIBDatabase::RemoveTransaction(TIBTransaction* Transaction) { RemoveAll(FTransactions, Transaction); }
void TIBDatabase::AddDataSet(TIBQuery* DataSet) { AddOnce(FDataSets, DataSet); }
void TIBDatabase::RemoveDataSet(TIBQuery* DataSet) { RemoveAll(FDataSets, DataSet); }

void TIBDatabase::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FDefaultTransaction) FDefaultTransaction = nullptr;
}

// ---------------------------------------------------------------------------------------------
// TIBTransaction
// ---------------------------------------------------------------------------------------------

TIBTransaction::TIBTransaction(TComponent* AOwner) : TComponent(AOwner), FParams(std::make_unique<TStringList>()) {}

TIBTransaction::~TIBTransaction() {
  CloseDataSets();
  if (FHandle) {
    try {
      EndTransaction(FDefaultAction == TACommit || FDefaultAction == TACommitRetaining ? TACommit : TARollback);
    } catch (...) {
      try {
        IBClient::RollbackTransaction(FHandle);
      } catch (...) {
      }
    }
  }
  if (FDefaultDatabase) FDefaultDatabase->RemoveTransaction(this);
}

void TIBTransaction::SetDefaultDatabase(TIBDatabase* Value) {
  if (Value == FDefaultDatabase) return;
  if (FHandle) throw EIBClientError(u"Cannot change the database of an active transaction");
  if (FDefaultDatabase) FDefaultDatabase->RemoveTransaction(this);
  FDefaultDatabase = Value;
  if (Value) {
    Value->AddTransaction(this);
    Value->FreeNotification(this);
  }
}

void TIBTransaction::SetActive(bool Value) {
  if (Value && !FHandle)
    StartTransaction();
  else if (!Value && FHandle)
    Rollback();
}

void TIBTransaction::CheckInTransaction() const {
  if (!FHandle) throw EIBClientError(u"Transaction is not active");
}

void TIBTransaction::StartTransaction() {
  if (FHandle) throw EIBClientError(u"Transaction is active");
  if (!FDefaultDatabase) throw EIBClientError(u"Transaction has no database");
  FDefaultDatabase->CheckActive();
  FHandle = IBClient::StartTransaction(FDefaultDatabase->Handle(), IBClient::BuildTPB(ParamPairs(*FParams)));
}

void TIBTransaction::Commit() {
  CheckInTransaction();
  CloseDataSets();
  IBClient::CommitTransaction(FHandle);
}

void TIBTransaction::CommitRetaining() {
  CheckInTransaction();
  IBClient::CommitRetaining(FHandle);
}

void TIBTransaction::Rollback() {
  CheckInTransaction();
  CloseDataSets();
  IBClient::RollbackTransaction(FHandle);
}

void TIBTransaction::RollbackRetaining() {
  CheckInTransaction();
  IBClient::RollbackRetaining(FHandle);
}

void TIBTransaction::EndTransaction(TTransactionAction Action) {
  switch (Action) {
    case TACommit: Commit(); break;
    case TARollback: Rollback(); break;
    case TACommitRetaining: CommitRetaining(); break;
    case TARollbackRetaining: RollbackRetaining(); break;
  }
}

void TIBTransaction::AddDataSet(TIBQuery* DataSet) { AddOnce(FDataSets, DataSet); }
void TIBTransaction::RemoveDataSet(TIBQuery* DataSet) { RemoveAll(FDataSets, DataSet); }

void TIBTransaction::CloseDataSets() noexcept { CloseAll(FDataSets); }

void TIBTransaction::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDefaultDatabase) FDefaultDatabase = nullptr;
}
