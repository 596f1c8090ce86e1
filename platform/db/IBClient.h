#pragma once
// The Firebird client library behind the data-access components: loading it by name, the attach,
// transaction and DSQL calls, parameter blocks, error extraction, and prepared statements with the
// values of their output columns. Only IBClient.cpp sees the library's own header; handles are the
// library's 32-bit handle values, 0 when nothing is open.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/db/DB.h"
#include "platform/rtl/System.h"

namespace IBClient {

using TISCHandle = unsigned int;

// Loads the client library "gds32.dll" through the runtime's modules and resolves its entry
// points. Every call checks that the module can be loaded (the library stays loaded once it has
// been). Raises EIBClientError naming the library or the missing entry point.
void LoadClientLibrary();

// Stops the library for the rest of the process: the engine closes what is still attached (rolling
// back) and ends its threads before this returns. Afterwards every attach fails ("connection
// shutdown"). Nothing happens when no part of the process loaded the library or it is already shut
// down. Call it after the last detach, before main returns, as the data-access unit's
// finalisation does.
void ShutdownClientLibrary();

// A character set of the server: its id (the low byte of a text column's sub type), its name and
// the most bytes one character takes.
struct TCharSetInfo {
  Integer Id;
  const char* Name;
  Integer BytesPerChar;
};
// nullptr for an id or a name (compared without regard to case) the server does not define.
const TCharSetInfo* FindCharSet(Integer Id);
const TCharSetInfo* FindCharSet(StringView Name);

// Parameter blocks from "name=value" lines (names without regard to case, an optional "isc_dpb_"
// or "isc_tpb_" prefix). Unknown names raise EIBClientError naming them (never the value).
struct TAttachParams {
  std::string DPB;
  Integer CharSetId = 0;   // the connection's character set (lc_ctype), NONE when not given
};
TAttachParams BuildDPB(const std::vector<std::pair<String, String>>& Params, bool LocalPath);
std::string BuildTPB(const std::vector<std::pair<String, String>>& Params);

// How a database name is reached. A one-letter prefix followed by ":\" or ":/" is a drive path
// of another system (never "host:path"); a name without ':' is a file of the embedded engine.
enum TPathKind { pkLocal, pkDrivePath, pkRemote };
TPathKind ClassifyPath(StringView DatabaseName);

// Text of a connection: statements and names are sent in the connection's character set.
std::string EncodeText(StringView S, Integer CharSetId);
// Bytes of a column in character set Id as text (NONE, OCTETS and WIN1252 as Windows-1252).
String DecodeText(const char* Data, std::size_t Length, Integer CharSetId);

// The calls; each raises EIBInterBaseError with the server's text when the status says so.
TISCHandle AttachDatabase(const std::string& Path, const std::string& DPB);
void DetachDatabase(TISCHandle& DB);            // 0 afterwards
Integer DatabaseSQLDialect(TISCHandle& DB);     // 1 or 3
TISCHandle StartTransaction(TISCHandle& DB, const std::string& TPB);
void CommitTransaction(TISCHandle& TR);         // 0 afterwards
void CommitRetaining(TISCHandle& TR);
void RollbackTransaction(TISCHandle& TR);       // 0 afterwards
void RollbackRetaining(TISCHandle& TR);

// One output column of a prepared statement.
struct TIBColumn {
  String Name;            // the alias name (the column name unless the statement renames it)
  TFieldType DataType = ftUnknown;
  Integer Size = 0;       // declared characters of CHAR and VARCHAR, else 0
  Integer Scale = 0;      // digits after the decimal point of scaled NUMERIC and DECIMAL
  Integer Precision = 0;  // significant digits of numbers (FLOAT 7, DOUBLE 15, BIGINT 18 ...)
  Integer CharSetId = 0;  // text columns and text blobs
};

// A DSQL statement on one attachment and transaction (both handles are read at each call, so a
// transaction that is restarted is seen). The statement handle is freed by Free and by the
// destructor, on every path.
class TIBStatement {
public:
  TIBStatement(TISCHandle* DB, TISCHandle* TR, Integer CharSetId, Integer Dialect);
  ~TIBStatement();
  TIBStatement(const TIBStatement&) = delete;
  TIBStatement& operator=(const TIBStatement&) = delete;

  // Allocates the handle when needed, prepares SQL and describes the output columns.
  void Prepare(StringView SQL);
  bool Prepared() const;
  // True for a statement that returns rows through a cursor or one row from a procedure.
  bool HasResultSet() const;
  // True for a procedure call's one row (filled by Execute; running it again runs the procedure).
  bool ReturnsOneRow() const;

  // Runs the prepared statement; a SELECT opens its cursor, a procedure call fills its one row.
  void Execute();
  // Moves to the next row; false after the last one (the buffers keep the last row).
  bool Fetch();
  // Closes the cursor and keeps the statement prepared.
  void CloseCursor();
  // Drops the statement handle. Errors raise, but the handle is forgotten either way.
  void Free();

  Integer ColumnCount() const;
  const TIBColumn& Column(Integer Index) const;

  // The current row's values. Each getter reads the column's natural form:
  bool IsNull(Integer Index) const;
  Int64 GetInt64(Integer Index) const;          // integers, scaled integers unscaled, Boolean 0/1
  Double GetDouble(Integer Index) const;        // any number, scaled integers scaled
  String GetText(Integer Index) const;          // CHAR (padded to its size) and VARCHAR
  TDateTime GetDateTime(Integer Index) const;   // DATE, TIME, TIMESTAMP
  std::string GetBlob(Integer Index) const;     // the blob's bytes, read in the transaction

private:
  struct TImpl;
  std::unique_ptr<TImpl> F;
};

}  // namespace IBClient
