#include "platform/db/IBQuery.h"

#include "platform/db/IBClient.h"

TIBQuery::TIBQuery(TComponent* AOwner)
    : TComponent(AOwner),
      FSQL(std::make_unique<TStringList>()),
      FFieldDefs(std::make_unique<TFieldDefs>()),
      FFields(std::make_unique<TFields>()),
      FFieldList(std::make_unique<TFieldList>(FFields.get())) {
  FSQL->OnChange = [this](TObject*) { Close(); };
}

TIBQuery::~TIBQuery() {
  FSQL->OnChange = nullptr;
  Close();
}

void TIBQuery::SetDatabase(TIBDatabase* Value) {
  if (Value == FDatabase) return;
  Close();
  FDatabase = Value;
  if (Value) Value->FreeNotification(this);
}

void TIBQuery::SetTransaction(TIBTransaction* Value) {
  if (Value == FTransaction) return;
  Close();
  FTransaction = Value;
  if (Value) Value->FreeNotification(this);
}

void TIBQuery::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FDatabase) FDatabase = nullptr;
  if (AComponent == FTransaction) FTransaction = nullptr;
}

void TIBQuery::EnsureRunning(TIBDatabase*& Database, TIBTransaction*& Transaction) {
  Database = FDatabase;
  Transaction = FTransaction;
  if (!Transaction && Database) Transaction = Database->GetDefaultTransaction();
  if (!Database && Transaction) Database = Transaction->GetDefaultDatabase();
  if (!Database) throw EIBClientError(GetName() + u": Database not assigned");
  if (!Transaction) throw EIBClientError(GetName() + u": Transaction not assigned");
  if (Transaction->GetDefaultDatabase() != Database)
    throw EIBClientError(GetName() + u": the transaction does not belong to the query's database");
  if (!Database->GetConnected()) Database->Open();
  if (!Transaction->GetActive()) Transaction->StartTransaction();
}

std::unique_ptr<IBClient::TIBStatement> TIBQuery::NewStatement(TIBDatabase* Database, TIBTransaction* Transaction) {
  auto statement = std::make_unique<IBClient::TIBStatement>(&Database->Handle(), &Transaction->Handle(),
                                                            Database->CharSetId(), Database->GetSQLDialect());
  statement->Prepare(FSQL->GetText());
  return statement;
}

void TIBQuery::Open() {
  Close();
  TIBDatabase* database = nullptr;
  TIBTransaction* transaction = nullptr;
  EnsureRunning(database, transaction);
  std::unique_ptr<IBClient::TIBStatement> statement = NewStatement(database, transaction);
  if (!statement->HasResultSet()) throw EIBClientError(GetName() + u": the statement returns no rows; use ExecSQL");
  statement->Execute();
  FStatement = std::move(statement);
  try {
    BindFields();
    FRecNo = FStatement->Fetch() ? 1 : 0;
  } catch (...) {
    ResetFields();
    FStatement.reset();
    throw;
  }
  FEOF = FRecNo == 0;
  FActive = true;
  FOpenDatabase = database;
  FOpenTransaction = transaction;
  database->AddDataSet(this);
  transaction->AddDataSet(this);
}

void TIBQuery::BindFields() {
  ResetFields();
  for (Integer i = 0; i < FStatement->ColumnCount(); ++i) {
    const IBClient::TIBColumn& c = FStatement->Column(i);
    FFieldDefs->Add(std::make_unique<TFieldDef>(c.Name, c.DataType, c.DataType == ftBCD ? c.Scale : c.Size, c.Precision));
  }
  for (Integer i = 0; i < FFieldDefs->GetCount(); ++i)
    FFields->Add(std::make_unique<TField>(this, FFieldDefs->GetItems(i), i));
}

void TIBQuery::ResetFields() {
  FFields->Clear();
  FFieldDefs->Clear();
}

void TIBQuery::Close() {
  if (!FActive) return;
  FActive = false;
  FEOF = true;
  FRecNo = 0;
  ResetFields();
  try {
    FStatement->Free();
  } catch (...) {
    // The handle is gone either way; closing never fails.
  }
  FStatement.reset();
  if (FOpenDatabase) FOpenDatabase->RemoveDataSet(this);
  if (FOpenTransaction) FOpenTransaction->RemoveDataSet(this);
  FOpenDatabase = nullptr;
  FOpenTransaction = nullptr;
}

void TIBQuery::ExecSQL() {
  Close();
  TIBDatabase* database = nullptr;
  TIBTransaction* transaction = nullptr;
  EnsureRunning(database, transaction);
  std::unique_ptr<IBClient::TIBStatement> statement = NewStatement(database, transaction);
  statement->Execute();
  statement->CloseCursor();
  statement->Free();
}

void TIBQuery::CheckActive() const {
  if (!FActive) throw EDatabaseError(GetName() + u": Cannot perform this operation on a closed dataset");
}

void TIBQuery::Next() {
  CheckActive();
  if (FEOF) return;
  if (FStatement->Fetch())
    ++FRecNo;
  else
    FEOF = true;
}

TField* TIBQuery::FindField(StringView FieldName) const {
  const Integer index = FFieldList->IndexOf(FieldName);
  return index < 0 ? nullptr : FFields->GetFields(index);
}

TField* TIBQuery::FieldByName(StringView FieldName) const {
  TField* field = FindField(FieldName);
  if (!field) {
    const String prefix = GetName().empty() ? String() : GetName() + u": ";
    throw EDatabaseError(prefix + u"Field '" + String(FieldName) + u"' not found");
  }
  return field;
}

void TIBQuery::Restart(Integer Row) {
  FStatement->CloseCursor();
  FStatement->Execute();
  FRecNo = 0;
  FEOF = false;
  while (FRecNo < Row) {
    if (!FStatement->Fetch()) {
      FEOF = true;
      return;
    }
    ++FRecNo;
  }
}

bool TIBQuery::Matches(const TField* Field, StringView KeyValue, TLocateOptions Options) const {
  const String value = Field->GetAsString();
  StringView v = value;
  if (Options.Contains(loPartialKey) && v.size() > KeyValue.size()) v = v.substr(0, KeyValue.size());
  return Options.Contains(loCaseInsensitive) ? AnsiSameText(v, KeyValue) : v == KeyValue;
}

bool TIBQuery::Locate(StringView KeyField, StringView KeyValue, TLocateOptions Options) {
  CheckActive();
  const TField* field = FieldByName(KeyField);
  if (FRecNo == 0) return false;   // no rows at all
  if (FStatement->ReturnsOneRow()) {
    // A procedure's one row is the whole result (and running it again could change data).
    if (!Matches(field, KeyValue, Options)) return false;
    FEOF = false;
    return true;
  }
  const Integer startRow = FRecNo;
  const bool startEOF = FEOF;
  // The cursor is run again to search from its first row.
  if (startRow != 1 || startEOF) Restart(1);
  while (!FEOF) {
    if (Matches(field, KeyValue, Options)) return true;
    Next();
  }
  // Not found: back to where the search began.
  Restart(startRow);
  if (startEOF) Next();
  return false;
}
