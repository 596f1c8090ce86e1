// The Firebird client library, loaded by name, and everything that needs its header: parameter
// blocks, status vectors, XSQLDA buffers and the decoding of column values.
#include "platform/db/IBClient.h"

#include <ibase.h>
#include <iconv.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <mutex>

#include "platform/db/IB.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/SysUtils.h"

namespace IBClient {

namespace {

// ---------------------------------------------------------------------------------------------
// Entry points
// ---------------------------------------------------------------------------------------------

constexpr const Char* ClientLibraryName = u"gds32.dll";

#define IB_ENTRY_POINTS(X)                                                                       \
  X(isc_attach_database) X(isc_detach_database) X(isc_database_info)                           \
  X(isc_start_transaction) X(isc_start_multiple) X(isc_commit_transaction)                     \
  X(isc_commit_retaining) X(isc_rollback_transaction) X(isc_rollback_retaining)                \
  X(isc_dsql_allocate_statement) X(isc_dsql_prepare) X(isc_dsql_describe)                      \
  X(isc_dsql_sql_info) X(isc_dsql_execute) X(isc_dsql_execute2) X(isc_dsql_fetch)              \
  X(isc_dsql_free_statement) X(isc_open_blob2) X(isc_get_segment) X(isc_close_blob)            \
  X(fb_interpret) X(isc_sqlcode) X(fb_shutdown)

struct TEntryPoints {
#define IB_DECLARE(Name) decltype(&::Name) Name = nullptr;
  IB_ENTRY_POINTS(IB_DECLARE)
#undef IB_DECLARE
};

std::mutex LoadLock;
// The reference kept for the life of the process; set once Api is complete, read without the lock.
std::atomic<HMODULE> LibraryHandle{nullptr};
TEntryPoints Api;
bool LibraryShutDown = false;   // guarded by LoadLock

const TEntryPoints& Client() {
  if (!LibraryHandle.load(std::memory_order_acquire)) LoadClientLibrary();
  return Api;
}

// ---------------------------------------------------------------------------------------------
// Status vectors
// ---------------------------------------------------------------------------------------------

bool IsValidUTF8(std::string_view S) {
  for (std::size_t i = 0; i < S.size();) {
    const auto c = static_cast<unsigned char>(S[i]);
    std::size_t n = 0;
    if (c < 0x80) n = 0;
    else if ((c & 0xE0) == 0xC0) n = 1;
    else if ((c & 0xF0) == 0xE0) n = 2;
    else if ((c & 0xF8) == 0xF0) n = 3;
    else return false;
    if (S.size() - i - 1 < n) return false;
    for (std::size_t k = 1; k <= n; ++k)
      if ((static_cast<unsigned char>(S[i + k]) & 0xC0) != 0x80) return false;
    i += n + 1;
  }
  return true;
}

// The server's text: UTF-8 when it is valid UTF-8, else Windows-1252 bytes.
String MessageText(std::string_view S) { return IsValidUTF8(S) ? UTF8ToString(S) : AnsiToString(S); }

[[noreturn]] void RaiseStatus(const ISC_STATUS* Status) {
  const TEntryPoints& api = Client();
  String text;
  char line[1024];
  const ISC_STATUS* cursor = Status;
  while (api.fb_interpret(line, sizeof line, &cursor) > 0) {
    if (!text.empty()) text += u"\r\n";
    text += MessageText(line);
  }
  const auto sqlCode = static_cast<Integer>(api.isc_sqlcode(Status));
  throw EIBInterBaseError(sqlCode, static_cast<Integer>(Status[1]), text);
}

// An error status (warnings alone are success).
bool Failed(const ISC_STATUS* Status) { return Status[0] == isc_arg_gds && Status[1] != 0; }

void Check(const ISC_STATUS* Status) {
  if (Failed(Status)) RaiseStatus(Status);
}

// ---------------------------------------------------------------------------------------------
// Character sets
// ---------------------------------------------------------------------------------------------

struct TCharSetRow {
  TCharSetInfo Info;
  const char* IconvName;   // nullptr: Windows-1252 (NONE, OCTETS, ASCII, WIN1252) or UTF-8
};

constexpr Integer CS_NONE = 0, CS_OCTETS = 1, CS_ASCII = 2, CS_UNICODE_FSS = 3, CS_UTF8 = 4,
                  CS_WIN1252 = 53;

const TCharSetRow CharSets[] = {
    {{0, "NONE", 1}, nullptr},           {{1, "OCTETS", 1}, nullptr},
    {{2, "ASCII", 1}, nullptr},          {{3, "UNICODE_FSS", 3}, nullptr},
    {{4, "UTF8", 4}, nullptr},           {{5, "SJIS_0208", 2}, "SHIFT_JIS"},
    {{6, "EUCJ_0208", 2}, "EUC-JP"},     {{9, "DOS737", 1}, "CP737"},
    {{10, "DOS437", 1}, "CP437"},        {{11, "DOS850", 1}, "CP850"},
    {{12, "DOS865", 1}, "CP865"},        {{13, "DOS860", 1}, "CP860"},
    {{14, "DOS863", 1}, "CP863"},        {{15, "DOS775", 1}, "CP775"},
    {{16, "DOS858", 1}, "CP858"},        {{17, "DOS862", 1}, "CP862"},
    {{18, "DOS864", 1}, "CP864"},        {{19, "NEXT", 1}, "NEXTSTEP"},
    {{21, "ISO8859_1", 1}, "ISO-8859-1"}, {{22, "ISO8859_2", 1}, "ISO-8859-2"},
    {{23, "ISO8859_3", 1}, "ISO-8859-3"}, {{34, "ISO8859_4", 1}, "ISO-8859-4"},
    {{35, "ISO8859_5", 1}, "ISO-8859-5"}, {{36, "ISO8859_6", 1}, "ISO-8859-6"},
    {{37, "ISO8859_7", 1}, "ISO-8859-7"}, {{38, "ISO8859_8", 1}, "ISO-8859-8"},
    {{39, "ISO8859_9", 1}, "ISO-8859-9"}, {{40, "ISO8859_13", 1}, "ISO-8859-13"},
    {{44, "KSC_5601", 2}, "EUC-KR"},     {{45, "DOS852", 1}, "CP852"},
    {{46, "DOS857", 1}, "CP857"},        {{47, "DOS861", 1}, "CP861"},
    {{48, "DOS866", 1}, "CP866"},        {{49, "DOS869", 1}, "CP869"},
    {{50, "CYRL", 1}, "CP1251"},         {{51, "WIN1250", 1}, "CP1250"},
    {{52, "WIN1251", 1}, "CP1251"},      {{53, "WIN1252", 1}, nullptr},
    {{54, "WIN1253", 1}, "CP1253"},      {{55, "WIN1254", 1}, "CP1254"},
    {{56, "BIG_5", 2}, "BIG5"},          {{57, "GB_2312", 2}, "GB2312"},
    {{58, "WIN1255", 1}, "CP1255"},      {{59, "WIN1256", 1}, "CP1256"},
    {{60, "WIN1257", 1}, "CP1257"},      {{63, "KOI8R", 1}, "KOI8-R"},
    {{64, "KOI8U", 1}, "KOI8-U"},        {{65, "WIN1258", 1}, "CP1258"},
    {{66, "TIS620", 1}, "TIS-620"},      {{67, "GBK", 2}, "GBK"},
    {{68, "CP943C", 2}, "CP943"},        {{69, "GB18030", 4}, "GB18030"},
};

const TCharSetRow* FindCharSetRow(Integer Id) {
  for (const auto& row : CharSets)
    if (row.Info.Id == Id) return &row;
  return nullptr;
}

bool IsUTF8CharSet(Integer Id) { return Id == CS_UNICODE_FSS || Id == CS_UTF8; }

// A character set handled through iconv: a table for single-byte sets, a converter otherwise.
struct TIconvCharSet {
  bool SingleByte = false;
  std::array<Char, 256> Table{};
  const char* Name = nullptr;
};

class TIconv {
public:
  TIconv(const char* To, const char* From) : FHandle(iconv_open(To, From)) {}
  ~TIconv() {
    if (Valid()) iconv_close(FHandle);
  }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;
  bool Valid() const { return FHandle != reinterpret_cast<iconv_t>(-1); }
  // Converts as much as it can; returns false on an unconvertible or incomplete sequence, with In
  // and Out advanced to it.
  bool Convert(const char*& In, std::size_t& InLeft, char*& Out, std::size_t& OutLeft) {
    auto** in = const_cast<char**>(&In);
    return iconv(FHandle, in, &InLeft, &Out, &OutLeft) != static_cast<std::size_t>(-1);
  }

private:
  iconv_t FHandle;
};

// Windows-1252 bytes as the runtime reads them, one table for the hot path.
const std::array<Char, 256>& AnsiTable() {
  static const std::array<Char, 256> table = [] {
    std::array<Char, 256> t{};
    for (int b = 0; b < 256; ++b) {
      const char c = static_cast<char>(b);
      const String s = AnsiToString(std::string_view(&c, 1));
      t[b] = s.empty() ? u'\xFFFD' : s[0];
    }
    return t;
  }();
  return table;
}

const TIconvCharSet* IconvCharSet(const TCharSetRow& Row) {
  static std::mutex lock;
  static std::array<std::unique_ptr<TIconvCharSet>, 256> cache;
  std::lock_guard<std::mutex> guard(lock);
  auto& entry = cache[static_cast<std::size_t>(Row.Info.Id) & 0xFF];
  if (!entry) {
    entry = std::make_unique<TIconvCharSet>();
    entry->Name = Row.IconvName;
    entry->SingleByte = Row.Info.BytesPerChar == 1;
    if (entry->SingleByte) {
      TIconv conv("UTF-16LE", Row.IconvName);
      for (int b = 0; b < 256; ++b) {
        entry->Table[b] = u'\xFFFD';
        if (!conv.Valid()) continue;
        const char in[1] = {static_cast<char>(b)};
        const char* ip = in;
        std::size_t il = 1;
        char out[8];
        char* op = out;
        std::size_t ol = sizeof out;
        if (conv.Convert(ip, il, op, ol) && ol == sizeof out - 2)
          entry->Table[b] = static_cast<Char>(static_cast<unsigned char>(out[0]) |
                                              (static_cast<unsigned char>(out[1]) << 8));
      }
    }
  }
  return entry.get();
}

String DecodeByTable(const char* Data, std::size_t Length, const std::array<Char, 256>& Table) {
  String s(Length, u'\0');
  for (std::size_t i = 0; i < Length; ++i) s[i] = Table[static_cast<unsigned char>(Data[i])];
  return s;
}

String DecodeByIconv(const char* Data, std::size_t Length, const char* Name) {
  TIconv conv("UTF-16LE", Name);
  if (!conv.Valid()) return DecodeByTable(Data, Length, AnsiTable());
  std::string out(Length * 4 + 8, '\0');
  String s;
  const auto flush = [&](const char* End) {
    for (const char* p = out.data(); p + 1 < End; p += 2)
      s += static_cast<Char>(static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8));
  };
  const char* ip = Data;
  std::size_t il = Length;
  while (il > 0) {
    char* op = out.data();
    std::size_t ol = out.size();
    const bool complete = conv.Convert(ip, il, op, ol);
    flush(op);
    if (!complete) {
      // An invalid or incomplete sequence: one replacement character per bad byte.
      s += u'\xFFFD';
      ++ip;
      --il;
    }
  }
  return s;
}

std::string EncodeByIconv(StringView S, const char* Name) {
  TIconv conv(Name, "UTF-16LE");
  if (!conv.Valid()) return StringToAnsi(S);
  std::string result;
  char out[16];
  for (std::size_t i = 0; i < S.size(); ++i) {
    // One character (a surrogate pair together) at a time, '?' for what the set lacks.
    const std::size_t units = (S[i] >= 0xD800 && S[i] < 0xDC00 && i + 1 < S.size()) ? 2 : 1;
    char in[4];
    for (std::size_t k = 0; k < units; ++k) {
      in[2 * k] = static_cast<char>(S[i + k] & 0xFF);
      in[2 * k + 1] = static_cast<char>(S[i + k] >> 8);
    }
    const char* ip = in;
    std::size_t il = units * 2;
    char* op = out;
    std::size_t ol = sizeof out;
    if (conv.Convert(ip, il, op, ol))
      result.append(out, sizeof out - ol);
    else
      result += '?';
    i += units - 1;
  }
  return result;
}

// Number of Unicode characters (code points) in S.
std::size_t CodePoints(const String& S) {
  std::size_t n = S.size();
  for (Char c : S)
    if (c >= 0xDC00 && c < 0xE000) --n;
  return n;
}

// ---------------------------------------------------------------------------------------------
// Parameter blocks
// ---------------------------------------------------------------------------------------------

// The name of a "name=value" line in lower case without its optional prefix.
String ParamName(const String& Name, StringView Prefix) {
  String n = LowerCase(Trim(Name));
  if (n.size() > Prefix.size() && StringView(n).substr(0, Prefix.size()) == Prefix) n.erase(0, Prefix.size());
  return n;
}

void AppendString(std::string& Block, char Tag, const String& ParamNameText, const std::string& Value) {
  if (Value.size() > 255) throw EIBClientError(u"Parameter '" + ParamNameText + u"' is too long");
  Block += Tag;
  Block += static_cast<char>(Value.size());
  Block += Value;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------------------------

void LoadClientLibrary() {
  std::lock_guard<std::mutex> guard(LoadLock);
  HMODULE module = LoadLibraryW(ClientLibraryName);
  if (!module)
    throw EIBClientError(String(u"Unable to load the client library \"") + ClientLibraryName +
                         u"\": it is not installed or cannot be found");
  if (LibraryHandle.load(std::memory_order_relaxed)) {
    // Resolved before; this call only confirmed that the module is there.
    FreeLibrary(module);
    return;
  }
  TEntryPoints api;
#define IB_RESOLVE(Name)                                                                         \
  api.Name = reinterpret_cast<decltype(api.Name)>(GetProcAddress(module, #Name));               \
  if (!api.Name) {                                                                               \
    FreeLibrary(module);                                                                         \
    throw EIBClientError(String(u"The client library \"") + ClientLibraryName +                  \
                         u"\" lacks the entry point \"" + UTF8ToString(#Name) + u"\"");          \
  }
  IB_ENTRY_POINTS(IB_RESOLVE)
#undef IB_RESOLVE
  Api = api;
  LibraryHandle.store(module, std::memory_order_release);
}

void ShutdownClientLibrary() {
  if (!LibraryHandle.load(std::memory_order_acquire)) {
    // Another user of the library in this process (not these components) may have started it.
    if (!GetModuleHandleW(ClientLibraryName)) return;
    LoadClientLibrary();
  }
  std::lock_guard<std::mutex> guard(LoadLock);
  if (LibraryShutDown) return;
  LibraryShutDown = true;
  if (Api.fb_shutdown(0, fb_shutrsn_app_stopped) != 0)
    throw EIBClientError(String(u"The client library \"") + ClientLibraryName +
                         u"\" could not close every attachment while shutting down");
}

// ---------------------------------------------------------------------------------------------
// Character sets and text
// ---------------------------------------------------------------------------------------------

const TCharSetInfo* FindCharSet(Integer Id) {
  const TCharSetRow* row = FindCharSetRow(Id);
  return row ? &row->Info : nullptr;
}

const TCharSetInfo* FindCharSet(StringView Name) {
  const String upper = UpperCase(Trim(Name));
  for (const auto& row : CharSets)
    if (upper == UTF8ToString(row.Info.Name)) return &row.Info;
  return nullptr;
}

std::string EncodeText(StringView S, Integer CharSetId) {
  if (IsUTF8CharSet(CharSetId)) return UTF8Encode(S);
  const TCharSetRow* row = FindCharSetRow(CharSetId);
  if (!row || !row->IconvName) return StringToAnsi(S);
  return EncodeByIconv(S, row->IconvName);
}

String DecodeText(const char* Data, std::size_t Length, Integer CharSetId) {
  if (IsUTF8CharSet(CharSetId)) return UTF8ToString(std::string_view(Data, Length));
  const TCharSetRow* row = FindCharSetRow(CharSetId);
  if (!row || !row->IconvName) return DecodeByTable(Data, Length, AnsiTable());
  const TIconvCharSet* cs = IconvCharSet(*row);
  if (cs->SingleByte) return DecodeByTable(Data, Length, cs->Table);
  return DecodeByIconv(Data, Length, cs->Name);
}

// ---------------------------------------------------------------------------------------------
// Parameter blocks and paths
// ---------------------------------------------------------------------------------------------

TAttachParams BuildDPB(const std::vector<std::pair<String, String>>& Params, bool LocalPath) {
  TAttachParams result;
  std::string& dpb = result.DPB;
  dpb += static_cast<char>(isc_dpb_version1);
  for (const auto& [name, value] : Params) {
    const String key = ParamName(name, u"isc_dpb_");
    if (key.empty()) continue;
    if (key == u"user_name") {
      AppendString(dpb, isc_dpb_user_name, key, EncodeText(value, CS_NONE));
    } else if (key == u"password") {
      AppendString(dpb, isc_dpb_password, key, EncodeText(value, CS_NONE));
    } else if (key == u"sql_role_name" || key == u"role") {
      AppendString(dpb, isc_dpb_sql_role_name, key, EncodeText(value, CS_NONE));
    } else if (key == u"lc_ctype") {
      const TCharSetInfo* cs = FindCharSet(value);
      if (!cs) throw EIBClientError(u"Character set '" + Trim(value) + u"' is unknown");
      result.CharSetId = cs->Id;
      AppendString(dpb, isc_dpb_lc_ctype, key, cs->Name);
    } else {
      throw EIBClientError(u"Database parameter '" + Trim(name) + u"' is unknown");
    }
  }
  // A local file goes to the embedded engine only: no remote provider parses it as "host:path"
  // and no loopback connection is tried.
  if (LocalPath) AppendString(dpb, isc_dpb_config, u"config", "Providers=Engine12");
  return result;
}

std::string BuildTPB(const std::vector<std::pair<String, String>>& Params) {
  struct TFlag {
    const Char* Name;
    char Tag;
  };
  static const TFlag flags[] = {
      {u"consistency", isc_tpb_consistency},   {u"concurrency", isc_tpb_concurrency},
      {u"shared", isc_tpb_shared},             {u"protected", isc_tpb_protected},
      {u"exclusive", isc_tpb_exclusive},       {u"wait", isc_tpb_wait},
      {u"nowait", isc_tpb_nowait},             {u"read", isc_tpb_read},
      {u"write", isc_tpb_write},               {u"verb_time", isc_tpb_verb_time},
      {u"commit_time", isc_tpb_commit_time},   {u"ignore_limbo", isc_tpb_ignore_limbo},
      {u"read_committed", isc_tpb_read_committed}, {u"autocommit", isc_tpb_autocommit},
      {u"rec_version", isc_tpb_rec_version},   {u"no_rec_version", isc_tpb_no_rec_version},
      {u"restart_requests", isc_tpb_restart_requests}, {u"no_auto_undo", isc_tpb_no_auto_undo},
  };
  std::string tpb;
  if (Params.empty()) return tpb;   // the server's default: concurrency, wait, write
  tpb += static_cast<char>(isc_tpb_version3);
  for (const auto& [name, value] : Params) {
    const String key = ParamName(name, u"isc_tpb_");
    if (key.empty()) continue;
    bool known = false;
    for (const auto& f : flags)
      if (key == f.Name) {
        tpb += f.Tag;
        known = true;
        break;
      }
    if (known) continue;
    if (key == u"lock_read" || key == u"lock_write") {
      AppendString(tpb, key == u"lock_read" ? isc_tpb_lock_read : isc_tpb_lock_write, key,
                   UTF8Encode(Trim(value)));
    } else if (key == u"lock_timeout") {
      Integer seconds = 0;
      if (!TryStrToInt(Trim(value), seconds) || seconds < 0)
        throw EIBClientError(u"Transaction parameter 'lock_timeout' needs a number of seconds");
      tpb += static_cast<char>(isc_tpb_lock_timeout);
      tpb += static_cast<char>(4);
      for (int k = 0; k < 4; ++k) tpb += static_cast<char>((static_cast<Cardinal>(seconds) >> (8 * k)) & 0xFF);
    } else {
      throw EIBClientError(u"Transaction parameter '" + Trim(name) + u"' is unknown");
    }
  }
  return tpb;
}

TPathKind ClassifyPath(StringView DatabaseName) {
  const auto colon = DatabaseName.find(u':');
  if (colon == StringView::npos) return pkLocal;
  const auto isLetter = [](Char c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); };
  if (colon == 1 && isLetter(DatabaseName[0]) &&
      (DatabaseName.size() == 2 || DatabaseName[2] == u'\\' || DatabaseName[2] == u'/'))
    return pkDrivePath;
  return pkRemote;
}

// ---------------------------------------------------------------------------------------------
// Attachments and transactions
// ---------------------------------------------------------------------------------------------

TISCHandle AttachDatabase(const std::string& Path, const std::string& DPB) {
  const TEntryPoints& api = Client();
  ISC_STATUS_ARRAY st{};
  TISCHandle db = 0;
  api.isc_attach_database(st, static_cast<short>(0), Path.c_str(), &db, static_cast<short>(DPB.size()),
                          DPB.data());
  if (Failed(st)) {
    if (db) {
      ISC_STATUS_ARRAY ignore{};
      api.isc_detach_database(ignore, &db);
    }
    RaiseStatus(st);
  }
  return db;
}

void DetachDatabase(TISCHandle& DB) {
  ISC_STATUS_ARRAY st{};
  Client().isc_detach_database(st, &DB);
  Check(st);
  DB = 0;
}

Integer DatabaseSQLDialect(TISCHandle& DB) {
  ISC_STATUS_ARRAY st{};
  const char items[] = {isc_info_db_sql_dialect, isc_info_end};
  char buffer[32] = {};
  Client().isc_database_info(st, &DB, sizeof items, items, sizeof buffer, buffer);
  Check(st);
  // Answer: item, two-byte length, little-endian value. Databases older than dialects answer
  // nothing and are dialect 1.
  if (static_cast<unsigned char>(buffer[0]) != isc_info_db_sql_dialect) return 1;
  const int length = static_cast<unsigned char>(buffer[1]) | (static_cast<unsigned char>(buffer[2]) << 8);
  Integer value = 0;
  for (int k = 0; k < length && k < 4; ++k) value |= static_cast<unsigned char>(buffer[3 + k]) << (8 * k);
  return value >= 3 ? 3 : 1;
}

TISCHandle StartTransaction(TISCHandle& DB, const std::string& TPB) {
  ISC_STATUS_ARRAY st{};
  TISCHandle tr = 0;
  Client().isc_start_transaction(st, &tr, 1, &DB, static_cast<unsigned short>(TPB.size()),
                                 TPB.empty() ? nullptr : TPB.data());
  Check(st);
  return tr;
}

void CommitTransaction(TISCHandle& TR) {
  ISC_STATUS_ARRAY st{};
  Client().isc_commit_transaction(st, &TR);
  Check(st);
  TR = 0;
}

void CommitRetaining(TISCHandle& TR) {
  ISC_STATUS_ARRAY st{};
  Client().isc_commit_retaining(st, &TR);
  Check(st);
}

void RollbackTransaction(TISCHandle& TR) {
  ISC_STATUS_ARRAY st{};
  Client().isc_rollback_transaction(st, &TR);
  Check(st);
  TR = 0;
}

void RollbackRetaining(TISCHandle& TR) {
  ISC_STATUS_ARRAY st{};
  Client().isc_rollback_retaining(st, &TR);
  Check(st);
}

// ---------------------------------------------------------------------------------------------
// Statements
// ---------------------------------------------------------------------------------------------

struct TIBStatement::TImpl {
  TISCHandle* DB;
  TISCHandle* TR;
  Integer CharSetId;
  Integer Dialect;
  isc_stmt_handle Handle = 0;
  bool IsPrepared = false;
  Integer StatementType = 0;
  bool CursorOpen = false;
  bool RowPending = false;   // the one row of an executed procedure, not yet fetched

  std::vector<char> SqldaMemory;
  std::vector<char> Data;   // every column's value and NULL indicator, 8-byte aligned
  std::vector<TIBColumn> Columns;

  XSQLDA* Sqlda() { return reinterpret_cast<XSQLDA*>(SqldaMemory.data()); }
  const XSQLVAR& Var(Integer Index) const {
    return reinterpret_cast<const XSQLDA*>(SqldaMemory.data())->sqlvar[Index];
  }
  bool HasResultSet() const {
    return StatementType == isc_info_sql_stmt_select || StatementType == isc_info_sql_stmt_select_for_upd ||
           (StatementType == isc_info_sql_stmt_exec_procedure && !Columns.empty());
  }

  void AllocateSqlda(Integer Count) {
    const Integer n = Count < 1 ? 1 : Count;
    SqldaMemory.assign(XSQLDA_LENGTH(n), '\0');
    XSQLDA* da = Sqlda();
    da->version = SQLDA_VERSION1;
    da->sqln = static_cast<ISC_SHORT>(n);
  }

  Integer ReadStatementType() {
    ISC_STATUS_ARRAY st{};
    const char items[] = {isc_info_sql_stmt_type};
    char buffer[16] = {};
    Client().isc_dsql_sql_info(st, &Handle, sizeof items, items, sizeof buffer, buffer);
    Check(st);
    if (buffer[0] != isc_info_sql_stmt_type) return 0;
    const int length = static_cast<unsigned char>(buffer[1]) | (static_cast<unsigned char>(buffer[2]) << 8);
    Integer value = 0;
    for (int k = 0; k < length && k < 4; ++k) value |= static_cast<unsigned char>(buffer[3 + k]) << (8 * k);
    return value;
  }

  // Buffers for every output column, and the columns' descriptions.
  void BindColumns() {
    XSQLDA* da = Sqlda();
    std::size_t size = 0;
    std::vector<std::size_t> offsets(da->sqld);
    for (Integer i = 0; i < da->sqld; ++i) {
      const XSQLVAR& v = da->sqlvar[i];
      std::size_t length = static_cast<unsigned short>(v.sqllen);
      if ((v.sqltype & ~1) == SQL_VARYING) length += 2;
      offsets[i] = size;
      size += (length + 7) & ~std::size_t(7);
      size += 8;   // the NULL indicator
    }
    Data.assign(size, '\0');
    Columns.clear();
    Columns.reserve(da->sqld);
    for (Integer i = 0; i < da->sqld; ++i) {
      XSQLVAR& v = da->sqlvar[i];
      std::size_t length = static_cast<unsigned short>(v.sqllen);
      if ((v.sqltype & ~1) == SQL_VARYING) length += 2;
      v.sqldata = Data.data() + offsets[i];
      v.sqlind = reinterpret_cast<ISC_SHORT*>(Data.data() + offsets[i] + ((length + 7) & ~std::size_t(7)));
      Columns.push_back(Describe(v));
    }
  }

  static TIBColumn Describe(const XSQLVAR& v) {
    TIBColumn c;
    c.Name = UTF8ToString(std::string_view(v.aliasname, static_cast<std::size_t>(v.aliasname_length)));
    const bool scaled = v.sqlscale < 0;
    switch (v.sqltype & ~1) {
      case SQL_TEXT:
      case SQL_VARYING: {
        c.DataType = (v.sqltype & ~1) == SQL_TEXT ? ftFixedChar : ftString;
        c.CharSetId = v.sqlsubtype & 0xFF;
        const TCharSetInfo* cs = FindCharSet(c.CharSetId);
        const Integer perChar = cs ? cs->BytesPerChar : 1;
        c.Size = static_cast<unsigned short>(v.sqllen) / perChar;
        break;
      }
      case SQL_SHORT:
        c.DataType = scaled ? ftBCD : ftSmallint;
        c.Precision = 4;
        break;
      case SQL_LONG:
        c.DataType = scaled ? ftBCD : ftInteger;
        c.Precision = 9;
        break;
      case SQL_INT64:
        c.DataType = scaled ? ftBCD : ftLargeint;
        c.Precision = 18;
        break;
      case SQL_FLOAT:
        c.DataType = ftFloat;
        c.Precision = 7;
        break;
      case SQL_DOUBLE:
      case SQL_D_FLOAT:
        c.DataType = ftFloat;
        c.Precision = 15;
        break;
      case SQL_TYPE_DATE: c.DataType = ftDate; break;
      case SQL_TYPE_TIME: c.DataType = ftTime; break;
      case SQL_TIMESTAMP: c.DataType = ftDateTime; break;
      case SQL_BLOB:
        c.DataType = v.sqlsubtype == isc_blob_text ? ftMemo : ftBlob;
        // A text blob's character set travels in the scale.
        c.CharSetId = v.sqlsubtype == isc_blob_text ? (v.sqlscale & 0xFF) : CS_OCTETS;
        break;
      case SQL_ARRAY: c.DataType = ftArray; break;
      case SQL_BOOLEAN: c.DataType = ftBoolean; break;
      default: c.DataType = ftUnknown; break;
    }
    if (scaled && (c.DataType == ftBCD)) c.Scale = -v.sqlscale;
    return c;
  }

  void Drop() {
    CursorOpen = false;
    RowPending = false;
    IsPrepared = false;
    if (!Handle) return;
    ISC_STATUS_ARRAY st{};
    Client().isc_dsql_free_statement(st, &Handle, DSQL_drop);
    Handle = 0;   // a handle the library refused to free is gone with its attachment anyway
    Check(st);
  }
};

TIBStatement::TIBStatement(TISCHandle* DB, TISCHandle* TR, Integer CharSetId, Integer Dialect)
    : F(std::make_unique<TImpl>()) {
  F->DB = DB;
  F->TR = TR;
  F->CharSetId = CharSetId;
  F->Dialect = Dialect;
}

TIBStatement::~TIBStatement() {
  try {
    F->Drop();
  } catch (...) {
  }
}

void TIBStatement::Prepare(StringView SQL) {
  const TEntryPoints& api = Client();
  if (F->CursorOpen) CloseCursor();
  F->IsPrepared = false;
  F->Columns.clear();
  ISC_STATUS_ARRAY st{};
  if (!F->Handle) {
    api.isc_dsql_allocate_statement(st, F->DB, &F->Handle);
    Check(st);
  }
  const std::string text = EncodeText(SQL, F->CharSetId);
  F->AllocateSqlda(16);
  // Statements longer than a length word can say are passed NUL-terminated, with length 0.
  api.isc_dsql_prepare(st, F->TR, &F->Handle, text.size() > 0xFFFF ? 0 : static_cast<unsigned short>(text.size()),
                       text.c_str(), static_cast<unsigned short>(F->Dialect), F->Sqlda());
  Check(st);
  if (F->Sqlda()->sqld > F->Sqlda()->sqln) {
    F->AllocateSqlda(F->Sqlda()->sqld);
    api.isc_dsql_describe(st, &F->Handle, SQLDA_VERSION1, F->Sqlda());
    Check(st);
  }
  F->StatementType = F->ReadStatementType();
  F->BindColumns();
  F->IsPrepared = true;
}

bool TIBStatement::Prepared() const { return F->IsPrepared; }
bool TIBStatement::HasResultSet() const { return F->HasResultSet(); }
bool TIBStatement::ReturnsOneRow() const {
  return F->StatementType == isc_info_sql_stmt_exec_procedure && !F->Columns.empty();
}

void TIBStatement::Execute() {
  const TEntryPoints& api = Client();
  if (F->CursorOpen) CloseCursor();
  F->RowPending = false;
  ISC_STATUS_ARRAY st{};
  if (F->StatementType == isc_info_sql_stmt_exec_procedure && !F->Columns.empty()) {
    api.isc_dsql_execute2(st, F->TR, &F->Handle, SQLDA_VERSION1, nullptr, F->Sqlda());
    Check(st);
    F->RowPending = true;
    return;
  }
  api.isc_dsql_execute(st, F->TR, &F->Handle, SQLDA_VERSION1, nullptr);
  Check(st);
  F->CursorOpen = F->HasResultSet();
}

bool TIBStatement::Fetch() {
  if (F->RowPending) {
    F->RowPending = false;
    return true;
  }
  if (!F->CursorOpen) return false;
  ISC_STATUS_ARRAY st{};
  const ISC_STATUS rc = Client().isc_dsql_fetch(st, &F->Handle, SQLDA_VERSION1, F->Sqlda());
  if (rc == 100) return false;
  Check(st);
  return true;
}

void TIBStatement::CloseCursor() {
  F->RowPending = false;
  if (!F->CursorOpen) return;
  F->CursorOpen = false;
  ISC_STATUS_ARRAY st{};
  Client().isc_dsql_free_statement(st, &F->Handle, DSQL_close);
  Check(st);
}

void TIBStatement::Free() { F->Drop(); }

Integer TIBStatement::ColumnCount() const { return static_cast<Integer>(F->Columns.size()); }
const TIBColumn& TIBStatement::Column(Integer Index) const { return F->Columns[static_cast<std::size_t>(Index)]; }

bool TIBStatement::IsNull(Integer Index) const {
  const XSQLVAR& v = F->Var(Index);
  return (v.sqltype & 1) && *v.sqlind < 0;
}

Int64 TIBStatement::GetInt64(Integer Index) const {
  const XSQLVAR& v = F->Var(Index);
  switch (v.sqltype & ~1) {
    case SQL_SHORT: {
      ISC_SHORT x;
      std::memcpy(&x, v.sqldata, sizeof x);
      return x;
    }
    case SQL_LONG: {
      ISC_LONG x;
      std::memcpy(&x, v.sqldata, sizeof x);
      return x;
    }
    case SQL_INT64: {
      ISC_INT64 x;
      std::memcpy(&x, v.sqldata, sizeof x);
      return x;
    }
    case SQL_BOOLEAN: return *reinterpret_cast<const unsigned char*>(v.sqldata) != 0;
    default: {
      const double d = GetDouble(Index);
      return static_cast<Int64>(std::nearbyint(d));   // the FPU rounds halves to even
    }
  }
}

Double TIBStatement::GetDouble(Integer Index) const {
  const XSQLVAR& v = F->Var(Index);
  switch (v.sqltype & ~1) {
    case SQL_FLOAT: {
      float x;
      std::memcpy(&x, v.sqldata, sizeof x);
      return x;
    }
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
      double x;
      std::memcpy(&x, v.sqldata, sizeof x);
      return x;
    }
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
    case SQL_BOOLEAN: {
      const Int64 raw = GetInt64(Index);
      if (v.sqlscale >= 0) return static_cast<double>(raw);
      // Divide by an exact power of ten so that 1.10 reads as the double nearest 1.1.
      return static_cast<double>(raw) / std::pow(10.0, -v.sqlscale);
    }
    default: throw EDatabaseError(u"The column is not numeric");
  }
}

String TIBStatement::GetText(Integer Index) const {
  const XSQLVAR& v = F->Var(Index);
  const TIBColumn& c = F->Columns[static_cast<std::size_t>(Index)];
  if ((v.sqltype & ~1) == SQL_VARYING) {
    ISC_USHORT length;
    std::memcpy(&length, v.sqldata, sizeof length);
    return DecodeText(v.sqldata + 2, length, c.CharSetId);
  }
  String s = DecodeText(v.sqldata, static_cast<unsigned short>(v.sqllen), c.CharSetId);
  // A multi-byte CHAR is padded with blanks to its byte length: keep the declared characters.
  if (c.Size > 0) {
    std::size_t n = CodePoints(s);
    while (n > static_cast<std::size_t>(c.Size) && !s.empty() && s.back() == u' ') {
      s.pop_back();
      --n;
    }
  }
  return s;
}

TDateTime TIBStatement::GetDateTime(Integer Index) const {
  // Firebird counts days from 1858-11-17, TDateTime from 1899-12-30; times in 1/10000 s.
  constexpr Integer DaysBefore1899 = 15018;
  constexpr double TimeUnitsPerDay = 864000000.0;
  const XSQLVAR& v = F->Var(Index);
  const auto combine = [](Integer Days, ISC_TIME Time) -> TDateTime {
    const double day = Days - DaysBefore1899;
    const double fraction = Time / TimeUnitsPerDay;
    // Before 1899-12-30 the time of day counts away from zero, as TDateTime keeps it.
    return day < 0 ? day - fraction : day + fraction;
  };
  switch (v.sqltype & ~1) {
    case SQL_TYPE_DATE: {
      ISC_DATE d;
      std::memcpy(&d, v.sqldata, sizeof d);
      return combine(d, 0);
    }
    case SQL_TYPE_TIME: {
      ISC_TIME t;
      std::memcpy(&t, v.sqldata, sizeof t);
      return t / TimeUnitsPerDay;
    }
    case SQL_TIMESTAMP: {
      ISC_TIMESTAMP ts;
      std::memcpy(&ts, v.sqldata, sizeof ts);
      return combine(ts.timestamp_date, ts.timestamp_time);
    }
    default: throw EDatabaseError(u"The column is not a date or time");
  }
}

std::string TIBStatement::GetBlob(Integer Index) const {
  const TEntryPoints& api = Client();
  const XSQLVAR& v = F->Var(Index);
  ISC_QUAD id;
  std::memcpy(&id, v.sqldata, sizeof id);
  ISC_STATUS_ARRAY st{};
  isc_blob_handle blob = 0;
  api.isc_open_blob2(st, F->DB, F->TR, &blob, &id, 0, nullptr);
  Check(st);
  struct TBlobCloser {
    const TEntryPoints& Api;
    isc_blob_handle& Blob;
    ~TBlobCloser() {
      if (Blob) {
        ISC_STATUS_ARRAY ignore{};
        Api.isc_close_blob(ignore, &Blob);
      }
    }
  } closer{api, blob};
  std::string bytes;
  char segment[16384];
  for (;;) {
    unsigned short got = 0;
    const ISC_STATUS rc = api.isc_get_segment(st, &blob, &got, sizeof segment, segment);
    if (rc == isc_segstr_eof) break;
    if (rc != 0 && rc != isc_segment) Check(st);
    bytes.append(segment, got);
  }
  api.isc_close_blob(st, &blob);
  Check(st);
  return bytes;
}

}  // namespace IBClient
