#pragma once
// TIBQuery: one SQL statement on a connection and transaction, with a forward cursor over its rows.
#include <memory>

#include "platform/db/DB.h"
#include "platform/db/IBDatabase.h"
#include "platform/rtl/Classes.h"

namespace IBClient {
class TIBStatement;
}

class TIBQuery : public TComponent {
  ZELK_CLASS(TIBQuery, TComponent)
public:
  explicit TIBQuery(TComponent* AOwner);
  ~TIBQuery() override;   // closes the query

  // Without a Database, the Transaction's DefaultDatabase is used; without a Transaction, the
  // Database's DefaultTransaction. Changing either closes an open query.
  TIBDatabase* GetDatabase() const { return FDatabase; }
  void SetDatabase(TIBDatabase* Value);
  TIBTransaction* GetTransaction() const { return FTransaction; }
  void SetTransaction(TIBTransaction* Value);

  // The statement: the lines joined by line breaks. Any change closes the query and frees its
  // statement.
  TStrings* GetSQL() const { return FSQL.get(); }
  void SetSQL(TStrings* Value) { FSQL->Assign(Value); }
  // The text always goes to the server unchanged: ":NAME" (in procedure bodies, say) is never
  // read as a parameter, whatever ParamCheck says; the components take no parameters.
  bool GetParamCheck() const { return FParamCheck; }
  void SetParamCheck(bool Value) { FParamCheck = Value; }
  // Kept for the form description; rows are fetched one by one from the server's cursor.
  Integer GetBufferChunks() const { return FBufferChunks; }
  void SetBufferChunks(Integer Value) { FBufferChunks = Value; }
  bool GetCachedUpdates() const { return FCachedUpdates; }
  void SetCachedUpdates(bool Value) { FCachedUpdates = Value; }
  bool GetForcedRefresh() const { return FForcedRefresh; }
  void SetForcedRefresh(bool Value) { FForcedRefresh = Value; }
  bool GetAutoCalcFields() const { return FAutoCalcFields; }
  void SetAutoCalcFields(bool Value) { FAutoCalcFields = Value; }

  // Attaches the database and starts the transaction when needed, prepares the statement anew,
  // runs it and positions on the first row (EOF when there is none). A statement that returns no
  // rows raises EIBClientError; every error leaves the query closed with its statement freed.
  void Open();
  // Closes the result and frees the statement (so that DDL on its tables may follow). Nothing
  // happens when closed.
  void Close();
  // Attaches and starts the transaction when needed, prepares and runs the statement and frees it;
  // the transaction stays open.
  void ExecSQL();
  bool GetActive() const { return FActive; }
  void SetActive(bool Value) { Value ? Open() : Close(); }

  // After the last row (or on an empty or closed query). The fields keep the last row's values.
  bool GetEOF() const { return FEOF; }
  bool Eof() const { return FEOF; }
  void Next();
  // Rows moved over so far, counting the current one (0 for an empty result).
  Integer GetRecNo() const { return FRecNo; }

  TFields* GetFields() const { return FFields.get(); }
  Integer GetFieldCount() const { return FFields->GetCount(); }
  TFieldDefs* GetFieldDefs() const { return FFieldDefs.get(); }
  TFieldList* GetFieldList() const { return FFieldList.get(); }
  // By alias name, without regard to case: nullptr (FindField) or EDatabaseError naming the field
  // (FieldByName) when the result has no such column.
  TField* FindField(StringView FieldName) const;
  TField* FieldByName(StringView FieldName) const;

  // Searches from the first row for the first whose KeyField's AsString equals KeyValue (exactly
  // and case-sensitive with no options; loCaseInsensitive and loPartialKey relax it). True and
  // positioned there when found; otherwise the position is unchanged.
  bool Locate(StringView KeyField, StringView KeyValue, TLocateOptions Options);

  // Raises EDatabaseError unless open.
  void CheckActive() const;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TField;
  bool HasRow() const { return FRecNo > 0; }
  const IBClient::TIBStatement& Statement() const { return *FStatement; }

  // The connection and transaction to run on, attached and started.
  void EnsureRunning(TIBDatabase*& Database, TIBTransaction*& Transaction);
  std::unique_ptr<IBClient::TIBStatement> NewStatement(TIBDatabase* Database, TIBTransaction* Transaction);
  void BindFields();
  // Runs the statement again and moves to row Row (1-based); EOF when the result is shorter.
  void Restart(Integer Row);
  bool Matches(const TField* Field, StringView KeyValue, TLocateOptions Options) const;
  void ResetFields();

  TIBDatabase* FDatabase = nullptr;
  TIBTransaction* FTransaction = nullptr;
  TIBTransaction* FOpenTransaction = nullptr;   // the transaction the open result belongs to
  TIBDatabase* FOpenDatabase = nullptr;
  std::unique_ptr<TStringList> FSQL;
  bool FParamCheck = true;
  Integer FBufferChunks = 1000;
  bool FCachedUpdates = false;
  bool FForcedRefresh = false;
  bool FAutoCalcFields = true;

  std::unique_ptr<IBClient::TIBStatement> FStatement;
  std::unique_ptr<TFieldDefs> FFieldDefs;
  std::unique_ptr<TFields> FFields;
  std::unique_ptr<TFieldList> FFieldList;
  bool FActive = false;
  bool FEOF = true;
  Integer FRecNo = 0;
};
