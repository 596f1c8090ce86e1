#include "UpdateFixture.h"

#include <algorithm>

namespace UpdateTest {

using namespace DbTest;

String MakeOldDatabase(const TOldSchema& Schema, const std::string& Suffix) {
  const String path = NewDatabase("", Suffix);
  BuildOldSchema(path, Schema);
  return path;
}

TUpdateData::TUpdateData(const String& DatabaseName) : Owner(std::make_unique<TComponent>(nullptr)) {
  DBZelk = new TIBDatabase(Owner.get());
  IB1 = new TIBTransaction(Owner.get());
  IBQ1 = new TIBQuery(Owner.get());
  IBQ2 = new TIBQuery(Owner.get());
  IBQ3 = new TIBQuery(Owner.get());
  IBQ4 = new TIBQuery(Owner.get());
  ApplyStoredSettings(*DBZelk, *IB1, *IBQ1, *IBQ2, *IBQ3, *IBQ4);
  DBZelk->SetDatabaseName(DatabaseName);
}

TUpdateComponents TUpdateData::Components() {
  return {*DBZelk, *IB1, *IBQ1, *IBQ2, *IBQ3, *IBQ4, Tables, [this](const TScriptStep& Step) {
            Steps.push_back(Step);
            if (Step.Action == saCommit || Step.Action == saCommitRetaining) Commits.push_back(Step.Moment);
          }};
}

void TUpdateData::Run() {
  TUpdateComponents c = Components();
  RunUpdateScript(c);
  DBZelk->SetConnected(false);
}

void RunScript(const String& DatabaseName) { TUpdateData(DatabaseName).Run(); }

namespace {

std::string Text(TField* F) { return F->IsNull() ? "<null>" : UTF8Encode(TrimRight(F->GetAsString())); }

std::vector<std::string> Query(TConnection& C, const String& Select) {
  std::vector<std::string> out;
  C.Open(C.Q2, {Select});
  for (; !C.Q2->GetEOF(); C.Q2->Next()) {
    std::string line;
    for (Integer i = 0; i < C.Q2->GetFieldCount(); ++i) line += (i ? "|" : "") + Text(C.Q2->GetFields()->GetFields(i));
    out.push_back(line);
  }
  C.Q2->Close();
  return out;
}

// The columns of a line made by Query.
std::vector<std::string> Split(const std::string& Line) {
  std::vector<std::string> f;
  for (std::size_t from = 0;;) {
    const std::size_t bar = Line.find('|', from);
    f.push_back(Line.substr(from, bar - from));
    if (bar == std::string::npos) return f;
    from = bar + 1;
  }
}

std::string TypeName(Integer Type, Integer Length) {
  switch (Type) {
    case 7: return "SMALLINT";
    case 8: return "INTEGER";
    case 10: return "FLOAT";
    case 12: return "DATE";
    case 13: return "TIME";
    case 14: return "CHAR(" + std::to_string(Length) + ")";
    case 16: return "BIGINT";
    case 27: return "DOUBLE PRECISION";
    case 35: return "TIMESTAMP";
    case 37: return "VARCHAR(" + std::to_string(Length) + ")";
    case 261: return "BLOB";
    default: return "TYPE" + std::to_string(Type);
  }
}

// The columns of a constraint's index, joined by ",".
std::string IndexColumns(TConnection& C, const std::string& Index) {
  std::string cols;
  for (const std::string& c : Query(C, u"SELECT RDB$FIELD_NAME FROM RDB$INDEX_SEGMENTS WHERE RDB$INDEX_NAME = '" +
                                             UTF8ToString(Index) + u"' ORDER BY RDB$FIELD_POSITION"))
    cols += (cols.empty() ? "" : ",") + c;
  return cols;
}

}  // namespace

std::vector<std::string> Describe(const String& DatabaseName) {
  TConnection c(DatabaseName);
  std::vector<std::string> out;
  const auto relations = Query(c, u"SELECT RDB$RELATION_NAME, RDB$VIEW_SOURCE FROM RDB$RELATIONS"
                                  u" WHERE RDB$SYSTEM_FLAG = 0 ORDER BY RDB$RELATION_NAME");
  for (const std::string& r : relations) {
    const std::vector<std::string> f = Split(r);
    const std::string& name = f[0];
    out.push_back(f[1] == "<null>" ? "table " + name : "view " + name + ": " + f[1]);
    for (const std::string& col : Query(c, u"SELECT RF.RDB$FIELD_NAME, F.RDB$FIELD_TYPE, F.RDB$CHARACTER_LENGTH,"
                                           u" RF.RDB$NULL_FLAG FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F"
                                           u" ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE WHERE RF.RDB$RELATION_NAME = '" +
                                           UTF8ToString(name) + u"' ORDER BY RF.RDB$FIELD_POSITION")) {
      const std::vector<std::string> g = Split(col);
      const Integer length = g[2] == "<null>" ? 0 : std::stoi(g[2]);
      out.push_back("column " + name + "." + g[0] + " " + TypeName(std::stoi(g[1]), length) +
                    (g[3] == "1" ? " NOT NULL" : ""));
    }
  }
  for (const std::string& k : Query(c, u"SELECT RDB$RELATION_NAME, RDB$INDEX_NAME FROM RDB$RELATION_CONSTRAINTS"
                                       u" WHERE RDB$CONSTRAINT_TYPE = 'PRIMARY KEY' AND RDB$RELATION_NAME NOT STARTING 'RDB$'"
                                       u" AND RDB$RELATION_NAME NOT STARTING 'MON$' ORDER BY 1")) {
    const std::size_t bar = k.find('|');
    out.push_back("primary key " + k.substr(0, bar) + "(" + IndexColumns(c, k.substr(bar + 1)) + ")");
  }
  std::vector<std::string> keys;
  for (const std::string& k : Query(c, u"SELECT RC.RDB$RELATION_NAME, RC.RDB$INDEX_NAME, PK.RDB$RELATION_NAME,"
                                       u" PK.RDB$INDEX_NAME, REF.RDB$UPDATE_RULE, REF.RDB$DELETE_RULE"
                                       u" FROM RDB$RELATION_CONSTRAINTS RC"
                                       u" JOIN RDB$REF_CONSTRAINTS REF ON REF.RDB$CONSTRAINT_NAME = RC.RDB$CONSTRAINT_NAME"
                                       u" JOIN RDB$RELATION_CONSTRAINTS PK ON PK.RDB$CONSTRAINT_NAME = REF.RDB$CONST_NAME_UQ"
                                       u" WHERE RC.RDB$CONSTRAINT_TYPE = 'FOREIGN KEY'")) {
    const std::vector<std::string> f = Split(k);
    keys.push_back("foreign key " + f[0] + "(" + IndexColumns(c, f[1]) + ") -> " + f[2] + "(" + IndexColumns(c, f[3]) +
                   ") on update " + f[4] + " on delete " + f[5]);
  }
  std::sort(keys.begin(), keys.end());
  out.insert(out.end(), keys.begin(), keys.end());
  for (const std::string& p : Query(c, u"SELECT RDB$PROCEDURE_NAME, RDB$PROCEDURE_SOURCE FROM RDB$PROCEDURES"
                                       u" WHERE RDB$SYSTEM_FLAG = 0 ORDER BY 1"))
    out.push_back("procedure " + p.substr(0, p.find('|')) + ": " + p.substr(p.find('|') + 1));
  for (const std::string& r : relations) {
    const std::string name = Split(r)[0];
    for (const std::string& row : Query(c, u"SELECT * FROM " + UTF8ToString(name) + u" ORDER BY 1"))
      out.push_back("row " + name + ": " + row);
  }
  return out;
}

std::vector<std::string> Rows(const String& DatabaseName, const String& Select) {
  TConnection c(DatabaseName);
  return Query(c, Select);
}

Integer FormatVersion(const String& DatabaseName, const String& Table) {
  return std::stoi(Rows(DatabaseName, u"SELECT RDB$FORMAT FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = '" + Table + u"'")
                       .at(0));
}

}  // namespace UpdateTest
