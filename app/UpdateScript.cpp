#include "app/UpdateScript.h"

#include <initializer_list>
#include <string>
#include <utility>

#include "platform/rtl/SysUtils.h"

const Char* const DefaultDatabaseName = u"C:\\Daten\\Datenbanken\\Brunnholt\\KALDERN.GDB";

void ApplyStoredSettings(TIBDatabase& DBZelk, TIBTransaction& IB1, TIBQuery& IBQ1, TIBQuery& IBQ2,
                         TIBQuery& IBQ3, TIBQuery& IBQ4) {
  DBZelk.SetDatabaseName(DefaultDatabaseName);
  DBZelk.GetParams()->Clear();
  DBZelk.GetParams()->Add(u"user_name=SYSDBA");
  DBZelk.GetParams()->Add(u"password=plumcrest");
  DBZelk.SetLoginPrompt(false);
  DBZelk.SetDefaultTransaction(&IB1);
  DBZelk.SetServerType(u"IBServer");

  IB1.SetDefaultDatabase(&DBZelk);
  IB1.GetParams()->Clear();
  IB1.GetParams()->Add(u"read_committed");
  IB1.GetParams()->Add(u"rec_version");
  IB1.GetParams()->Add(u"nowait");

  for (TIBQuery* q : {&IBQ1, &IBQ2, &IBQ3, &IBQ4}) {
    q->SetDatabase(&DBZelk);
    q->SetTransaction(&IB1);
    q->SetBufferChunks(1000);
    q->SetParamCheck(false);
    q->SetCachedUpdates(false);
    q->SetAutoCalcFields(false);
  }
  IBQ3.SetForcedRefresh(true);
  for (TIBQuery* q : {&IBQ3, &IBQ4}) {
    q->GetSQL()->Clear();
    q->GetSQL()->Add(u"Select * from bendaten");
  }
}

namespace {

using TLines = std::initializer_list<String>;

const TLines KasdatenTable = {
    u"Create Table KASDATEN ",
    u" (KAS_ID INTEGER NOT NULL PRIMARY KEY,",
    u"  KAS_KOPID INTEGER,",
    u"  KAS_KATID INTEGER,",
    u"  FOREIGN KEY (KAS_KOPID)",
    u"  REFERENCES KOPDATEN (KOP_ID)",
    u"  ON UPDATE CASCADE",
    u"  ON DELETE CASCADE,",
    u"  FOREIGN KEY (KAS_KATID)",
    u"  REFERENCES KATDATEN (KAT_ID)",
    u"  ON UPDATE CASCADE",
    u"  ON DELETE CASCADE)",
};

const TLines IdodatenTable = {
    u"Create Table IDODATEN ",
    u" (IDO_ID INTEGER NOT NULL PRIMARY KEY,",
    u"  IDO_POS INTEGER,",
    u"  IDO_MDIID INTEGER,",
    u"  FOREIGN KEY (IDO_MDIID)",
    u"  REFERENCES MDIDATEN (MDI_ID)",
    u"  ON UPDATE CASCADE",
    u"  ON DELETE CASCADE)",
};

const TLines KatTxtProcedure = {
    u"Create PROCEDURE KAT_TXT RETURNS (KOPID INTEGER, KATNR VARCHAR(255), KATEGORIE VARCHAR(255))",
    u"AS",
    u"  DECLARE VARIABLE T_TXT VARCHAR(30);",
    u"  DECLARE VARIABLE T_NR  VARCHAR(30);",
    u"  BEGIN",
    u"    FOR SELECT KOP_ID FROM KOPDATEN INTO :KOPID DO",
    u"    BEGIN",
    u"      KATNR = '';",
    u"      KATEGORIE = '';",
    u"      FOR SELECT KAS_KATID, KAT_NAME FROM KASDATEN, KATDATEN WHERE KAS_KATID=KAT_ID AND KAS_KOPID = :KOPID INTO :T_NR, T_TXT DO",
    u"      BEGIN",
    u"        KATNR = KATNR ||'-'|| T_NR;",
    u"        IF (KATEGORIE ='') THEN KATEGORIE = T_TXT; ELSE KATEGORIE = KATEGORIE ||'; '|| T_TXT;",
    u"      END",
    u"      KATNR = KATNR ||'-';",
    u"      IF (KATNR ='-') THEN KATNR = '-0-';",
    u"      SUSPEND;",
    u"    END ",
    u"  END ",
};

const TLines BlddatenTable = {
    u"CREATE TABLE BLDDATEN ",
    u" (BLD_ID INTEGER NOT NULL PRIMARY KEY,",
    u"  BLD_BILD BLOB)",
};

const TLines NkadatenTable = {
    u"CREATE TABLE NKADATEN ",
    u" (NKA_ID INTEGER NOT NULL PRIMARY KEY,",
    u"  NKA_BEZEICHNUNG VARCHAR(60))",
};

const TLines NotdatenTable = {
    u"CREATE TABLE NOTDATEN ",
    u" (NOT_ID INTEGER NOT NULL PRIMARY KEY,",
    u"  NOT_DATUM DATE,",
    u"  NOT_NKAID INTEGER,",
    u"  NOT_TITEL VARCHAR(60),",
    u"  NOT_TEXT VARCHAR(1000),",
    u"  NOT_DATNAME VARCHAR(255),",
    u"  NOT_DATEI BLOB,",
    u"  FOREIGN KEY (NOT_NKAID)",
    u"  REFERENCES NKADATEN (NKA_ID)",
    u"  ON UPDATE CASCADE",
    u"  ON DELETE CASCADE)",
};

const TLines ColdatenTable = {
    u"CREATE TABLE COLDATEN ",
    u" (COL_ID INTEGER NOT NULL PRIMARY KEY,",
    u"  COL_HINTERGRUND INTEGER,",
    u"  COL_TEXT INTEGER,",
    u"  COL_BEZEICHNUNG VARCHAR(60))",
};

const TLines GwkColourKey = {
    u" ALTER TABLE GWKDATEN ADD ",
    u"  FOREIGN KEY (GWK_COLID)",
    u"  REFERENCES COLDATEN (COL_ID)",
    u"  ON UPDATE NO ACTION",
    u"  ON DELETE NO ACTION",
};

const TLines ObjColourKey = {
    u" ALTER TABLE OBJDATEN ADD ",
    u"  FOREIGN KEY (OBJ_COLID)",
    u"  REFERENCES COLDATEN (COL_ID)",
    u"  ON UPDATE NO ACTION",
    u"  ON DELETE NO ACTION",
};

const TLines AufobjView = {
    u"Create View AUFOBJ as ",
    u" SELECT * FROM AUFDATEN,OBJDATEN WHERE AUF_OBJID=OBJ_ID ",
};

const TLines ColDelTstBody = {
    u"AS",
    u"BEGIN",
    u"  OK=1;",
    u"  Update COLDATEN set COL_Id = -1 where COL_Id = :Id;",
    u"  Update COLDATEN set COL_Id = :Id where COL_Id = -1;",
    u"  when any do",
    u"  begin",
    u"    OK=0;",
    u"  end",
    u"END ",
};

const String MatdatenInsertHead[] = {
    u"INSERT INTO MATDATEN ",
    u" (MAT_ID,MAT_KBEZEICHNUNG, MAT_BEZEICHNUNG, MAT_OBSBEZEICHNUNG)",
};

// Colours of a row whose values are missing: white background, the text colour of "unset".
constexpr Integer DefaultBackground = 16777215;
constexpr Integer DefaultText = 16711680;
constexpr Integer WhiteText = 16777215;
constexpr Integer BlackText = 0;

// A colour key that names no row.
constexpr Integer NoColour = -1;

class TUpdateScript {
public:
  explicit TUpdateScript(TUpdateComponents& C) : C(C) {}
  void Run();

private:
  // ---- building blocks, each reported to the observer once done
  void SetLines(TIBQuery& Q, TLines Lines) {
    Q.Close();
    Q.GetSQL()->Clear();
    for (const String& line : Lines) Q.GetSQL()->Add(line);
  }
  void Exec(TIBQuery& Q, TLines Lines) {
    SetLines(Q, Lines);
    ExecSQL(Q);
  }
  void ExecSQL(TIBQuery& Q) {
    Q.ExecSQL();
    Report(saExec, &Q);
  }
  void Open(TIBQuery& Q, TLines Lines) {
    SetLines(Q, Lines);
    Reopen(Q);
  }
  // Closes Q and opens its statement again.
  void Reopen(TIBQuery& Q) {
    Q.Close();
    Q.Open();
    Report(saOpen, &Q);
  }
  void Next(TIBQuery& Q) {
    Q.Next();
    Report(saNext, &Q);
  }
  void HardCommit(const std::string& Moment) {
    C.IB1.Commit();
    Report(saCommit, nullptr, Moment);
  }
  void RetainingCommit(const std::string& Moment) {
    C.IB1.CommitRetaining();
    Report(saCommitRetaining, nullptr, Moment);
  }
  void Reconnect() {
    C.DBZelk.SetConnected(false);
    C.DBZelk.SetConnected(true);
    Report(saReconnect);
  }
  void Relist() {
    C.DBZelk.GetTableNames(&C.TableNames, true);
    Report(saRelist);
  }
  void ReconnectAndRelist() {
    Reconnect();
    Relist();
  }
  // The observer's view of a step: the query's number and, for statements, their text.
  void Report(TScriptAction Action, const TIBQuery* Q = nullptr, const std::string& Moment = std::string()) {
    if (!C.OnStep) return;
    TScriptStep step{Action, 0, String(), Moment};
    if (Q) {
      step.Query = Q == &C.IBQ1 ? 1 : Q == &C.IBQ2 ? 2 : Q == &C.IBQ3 ? 3 : 4;
      if (Action != saNext) step.SQL = Q->GetSQL()->GetText();
    }
    C.OnStep(step);
  }
  bool HasTable(const String& Name) const { return C.TableNames.IndexOf(Name) >= 0; }
  static bool HasColumn(const TIBQuery& Probe, StringView Name) {
    return Probe.GetFieldList()->IndexOf(Name) >= 0;
  }
  // Probe on Q, then the column test.
  bool ProbeHasColumn(TIBQuery& Q, const String& Probe, StringView Column) {
    Open(Q, {Probe});
    return HasColumn(Q, Column);
  }
  // The probe "Select * from <Table>" on IBQ1 when the table test succeeds; false when it fails.
  bool ProbeListedTable(const String& Table) {
    if (!HasTable(Table)) return false;
    Open(C.IBQ1, {u"Select * from " + Table});
    return true;
  }
  bool ProcedureExists(TIBQuery& Q, StringView Name);
  bool ForeignKeyExists(TIBQuery& Q, StringView Table, StringView Column);

  // ---- steps
  void RebuildKasdaten();
  void AddColumnWhenMissing(const std::string& Step, const String& Table, const String& Column,
                            const String& Statement);
  void AddColumn(const std::string& Step, const String& Column, const String& Statement);
  void CreateTableWhenMissing(const std::string& Step, const String& Table, TLines Lines);
  void WidenNoteText();
  void MigrateColours();
  void AssignColours(Integer NextKey);
  Integer ColourKey(Integer Background, Integer Text);
  void DropOldColourColumns();
  void ExtendObjdaten();
  void SeedMaterial(const std::string& Step, const String& Column, const String& Values);
  void RecreateView();
  void CreateColDelTst();

  TUpdateComponents& C;
};

// The procedure test. The stored name is a CHAR column padded to its own length, so the name is
// compared with its trailing blanks ignored; otherwise exactly, letter case included.
bool TUpdateScript::ProcedureExists(TIBQuery& Q, StringView Name) {
  Open(Q, {u"Select RDB$PROCEDURE_NAME from RDB$PROCEDURES"});
  TField* name = Q.FieldByName(u"RDB$PROCEDURE_NAME");
  for (; !Q.GetEOF(); Next(Q))
    if (TrimRight(name->GetAsString()) == Name) return true;
  return false;
}

bool TUpdateScript::ForeignKeyExists(TIBQuery& Q, StringView Table, StringView Column) {
  Open(Q, {u"SELECT RC.RDB$CONSTRAINT_NAME FROM RDB$RELATION_CONSTRAINTS RC"
           u" JOIN RDB$INDEX_SEGMENTS SEG ON SEG.RDB$INDEX_NAME = RC.RDB$INDEX_NAME"
           u" WHERE RC.RDB$CONSTRAINT_TYPE = 'FOREIGN KEY' AND RC.RDB$RELATION_NAME = '" +
           String(Table) + u"' AND SEG.RDB$FIELD_NAME = '" + String(Column) + u"'"});
  const bool found = !Q.GetEOF();
  Q.Close();
  return found;
}

void TUpdateScript::Run() {
  RebuildKasdaten();

  ReconnectAndRelist();
  CreateTableWhenMissing("2", u"IDODATEN", IdodatenTable);

  AddColumnWhenMissing("3", u"TSTDATEN", u"TST_ENDZEIT", u"ALTER TABLE TSTDATEN ADD TST_ENDZEIT TIMESTAMP");

  ReconnectAndRelist();
  if (!ProcedureExists(C.IBQ4, u"KAT_TXT")) {
    Exec(C.IBQ2, KatTxtProcedure);
    HardCommit("4 KAT_TXT created");
  }

  // The text colour column is needed only by a colour migration still to come.
  ReconnectAndRelist();
  if (ProbeListedTable(u"GWKDATEN") && !HasColumn(C.IBQ1, u"GWK_TFARBE") && !HasColumn(C.IBQ1, u"GWK_COLID"))
    AddColumn("5", u"GWK_TFARBE", u"ALTER TABLE GWKDATEN ADD GWK_TFARBE INTEGER");

  ReconnectAndRelist();
  AddColumnWhenMissing("6", u"AUSDATEN", u"AUS_TYP", u"ALTER TABLE AUSDATEN ADD AUS_TYP INTEGER");
  ReconnectAndRelist();
  AddColumnWhenMissing("7", u"MDIDATEN", u"MDI_PASSIV", u"ALTER TABLE MDIDATEN ADD MDI_PASSIV INTEGER");
  ReconnectAndRelist();
  CreateTableWhenMissing("8", u"BLDDATEN", BlddatenTable);
  ReconnectAndRelist();
  CreateTableWhenMissing("9", u"NKADATEN", NkadatenTable);
  ReconnectAndRelist();
  CreateTableWhenMissing("10", u"NOTDATEN", NotdatenTable);
  ReconnectAndRelist();
  WidenNoteText();
  ReconnectAndRelist();
  CreateTableWhenMissing("12", u"COLDATEN", ColdatenTable);
  ReconnectAndRelist();
  MigrateColours();
  ReconnectAndRelist();
  DropOldColourColumns();
  ReconnectAndRelist();
  ExtendObjdaten();

  ReconnectAndRelist();
  SeedMaterial("16", u"OBJ_FFELD1", u"  VALUES('17','Feld 1','Obj. Feld 1','OBJ_FFELD1')");
  SeedMaterial("17", u"OBJ_FFELD2", u"  VALUES('18','Feld 2','Obj. Feld 2','OBJ_FFELD2')");

  ReconnectAndRelist();
  Exec(C.IBQ1, {u"UPDATE PRIDATEN SET PRI_BEZEICHNUNG='Intern' WHERE PRI_ID='1'"});
  RetainingCommit("18 PRIDATEN 1 named");
  Exec(C.IBQ1, {u"UPDATE PRIDATEN SET PRI_BEZEICHNUNG='Extern' WHERE PRI_ID='2'"});
  RetainingCommit("18 PRIDATEN 2 named");

  RecreateView();
  CreateColDelTst();
}

// KASDATEN without KAS_KOPID is emptied and built anew. The list of tables is read first: a run
// stopped after the old table was dropped finds none and only creates the new one.
void TUpdateScript::RebuildKasdaten() {
  if (!C.DBZelk.GetConnected()) {
    C.DBZelk.SetConnected(true);
    Report(saConnect);
  }
  Relist();
  if (!HasTable(u"KASDATEN")) {
    Exec(C.IBQ1, KasdatenTable);
    HardCommit("1.6 KASDATEN created");
    return;
  }
  if (ProbeHasColumn(C.IBQ2, u"SELECT * FROM KASDATEN ", u"KAS_KOPID")) return;
  Exec(C.IBQ2, {u"DELETE FROM KASDATEN"});
  HardCommit("1.1 KASDATEN emptied");
  if (ProcedureExists(C.IBQ4, u"KAT_TXT")) {
    Exec(C.IBQ2, {u"DROP PROCEDURE KAT_TXT"});
    HardCommit("1.2 KAT_TXT dropped");
  }
  Reconnect();
  Exec(C.IBQ2, {u"DROP TABLE KASDATEN"});
  HardCommit("1.4 KASDATEN dropped");
  ReconnectAndRelist();
  Exec(C.IBQ1, KasdatenTable);
  HardCommit("1.6 KASDATEN created");
}

// When the table is listed and its probe lacks the column: the statement, then a hard commit.
void TUpdateScript::AddColumnWhenMissing(const std::string& Step, const String& Table, const String& Column,
                                         const String& Statement) {
  if (ProbeListedTable(Table) && !HasColumn(C.IBQ1, Column)) AddColumn(Step, Column, Statement);
}

void TUpdateScript::AddColumn(const std::string& Step, const String& Column, const String& Statement) {
  Exec(C.IBQ1, {Statement});
  HardCommit(Step + " " + UTF8Encode(Column) + " added");
}

void TUpdateScript::CreateTableWhenMissing(const std::string& Step, const String& Table, TLines Lines) {
  if (HasTable(Table)) return;
  Exec(C.IBQ1, Lines);
  HardCommit(Step + " " + UTF8Encode(Table) + " created");
}

void TUpdateScript::WidenNoteText() {
  Open(C.IBQ1, {u"SELECT * FROM NOTDATEN "});
  const Integer i = C.IBQ1.GetFieldList()->IndexOf(u"NOT_TEXT");
  if (i < 0 || C.IBQ1.GetFieldDefs()->GetItems(i)->GetSize() >= 2000) return;
  Exec(C.IBQ1, {u"ALTER TABLE NOTDATEN ALTER COLUMN NOT_TEXT TYPE VARCHAR (2500)"});
  RetainingCommit("11 NOT_TEXT widened");
}

// Moves the per-row colours of GWKDATEN into COLDATEN. A migration that was stopped before its end
// (the key column there, the old colour columns still there) is completed: its foreign key is
// added when missing and the rows without a key get theirs.
void TUpdateScript::MigrateColours() {
  Open(C.IBQ1, {u"SELECT * FROM GWKDATEN "});
  if (!HasColumn(C.IBQ1, u"GWK_FARBE")) return;
  if (!HasColumn(C.IBQ1, u"GWK_COLID")) {
    Exec(C.IBQ2, {u"ALTER TABLE GWKDATEN ADD GWK_COLID INTEGER"});
    RetainingCommit("13.1 GWK_COLID added");
    Exec(C.IBQ2, GwkColourKey);
    RetainingCommit("13.2 GWK_COLID key added");
  } else if (!ForeignKeyExists(C.IBQ2, u"GWKDATEN", u"GWK_COLID")) {
    Exec(C.IBQ2, GwkColourKey);
    RetainingCommit("13.2 GWK_COLID key added");
  }
  Open(C.IBQ2, {u" SELECT MAX(COL_ID) FROM COLDATEN"});
  AssignColours(C.IBQ2.FieldByName(u"MAX")->GetAsInteger() + 1);
}

void TUpdateScript::AssignColours(Integer NextKey) {
  TIBQuery& rows = C.IBQ1;
  Reopen(rows);
  TField* colourKey = rows.FieldByName(u"GWK_COLID");
  TField* background = rows.FieldByName(u"GWK_Farbe");
  // An interrupted run may have dropped the text colour already, once every row had its key; a
  // row added since without a key has no text colour of its own and reads as NULL.
  TField* text = rows.FindField(u"GWK_TFarbe");
  TField* id = rows.FieldByName(u"GWK_ID");
  for (; !rows.GetEOF(); Next(rows)) {
    if (!colourKey->IsNull()) continue;   // done by an earlier, interrupted run
    const Integer back = background->IsNull() ? DefaultBackground : background->GetAsInteger();
    const Integer fore = !text || text->IsNull() ? DefaultText : text->GetAsInteger() == 1 ? WhiteText : BlackText;
    Integer key = ColourKey(back, fore);
    if (key == NoColour) {
      Exec(C.IBQ3, {u"INSERT INTO COLDATEN ", u" (COL_ID,COL_HINTERGRUND, COL_TEXT, COL_BEZEICHNUNG)",
                    u"  VALUES('" + IntToStr(NextKey) + u"'" + u"," + u"'" + IntToStr(back) + u"'" + u"," +
                        u"'" + IntToStr(fore) + u"'" + u"," + u"'" + u"Farbe " + IntToStr(NextKey) + u"'" + u")"});
      RetainingCommit("13.5 colour row inserted");
      key = NextKey++;
    }
    Exec(C.IBQ3, {u"UPDATE GWKDATEN SET GWK_COLID='" + IntToStr(key) + u"'" + u" WHERE GWK_ID=" + u"'" +
                  id->GetAsString() + u"'"});
    RetainingCommit("13.5 colour key set");
  }
}

// The key of the COLDATEN row with this colour pair; NoColour when there is none. The row keyed -1
// is no colour of its own (the key is borrowed while COL_DEL_TST runs), so a row of the pair with
// another key is taken in its place.
Integer TUpdateScript::ColourKey(Integer Background, Integer Text) {
  Open(C.IBQ2, {u" SELECT * FROM COLDATEN WHERE COL_HINTERGRUND='" + IntToStr(Background) + u"'" +
                u" AND COL_TEXT=" + u"'" + IntToStr(Text) + u"'"});
  TField* key = C.IBQ2.FieldByName(u"COL_ID");
  for (; !C.IBQ2.GetEOF(); Next(C.IBQ2))
    if (key->GetAsInteger() != NoColour) return key->GetAsInteger();
  return NoColour;
}

void TUpdateScript::DropOldColourColumns() {
  if (!HasTable(u"GWKDATEN")) return;
  if (ProbeHasColumn(C.IBQ1, u"Select * from GWKDATEN", u"GWK_TFARBE")) {
    Exec(C.IBQ1, {u"ALTER TABLE GWKDATEN DROP GWK_TFARBE"});
    HardCommit("14 GWK_TFARBE dropped");
  }
  if (ProbeHasColumn(C.IBQ1, u"Select * from GWKDATEN", u"GWK_FARBE")) {
    Exec(C.IBQ1, {u"ALTER TABLE GWKDATEN DROP GWK_FARBE"});
    HardCommit("14 GWK_FARBE dropped");
  }
}

// The colour key column of OBJDATEN and its foreign key are committed one after the other: a run
// stopped between them left the column without its key, which is added now.
void TUpdateScript::ExtendObjdaten() {
  if (!HasTable(u"OBJDATEN")) return;
  const String probe = u"Select * from OBJDATEN";
  if (!ProbeHasColumn(C.IBQ1, probe, u"OBJ_FFeld1")) {
    Exec(C.IBQ1, {u"ALTER TABLE OBJDATEN ADD OBJ_FFELD1 VARCHAR(60)"});
    HardCommit("15.1 OBJ_FFELD1 added");
  }
  if (!ProbeHasColumn(C.IBQ1, probe, u"OBJ_FFeld2")) {
    Exec(C.IBQ1, {u"ALTER TABLE OBJDATEN ADD OBJ_FFELD2 VARCHAR(100)"});
    HardCommit("15.2 OBJ_FFELD2 added");
  }
  if (!ProbeHasColumn(C.IBQ1, probe, u"OBJ_COLID")) {
    Exec(C.IBQ1, {u"ALTER TABLE OBJDATEN ADD OBJ_COLID INTEGER"});
    RetainingCommit("15.3 OBJ_COLID added");
  } else if (ForeignKeyExists(C.IBQ2, u"OBJDATEN", u"OBJ_COLID")) {
    return;
  }
  Exec(C.IBQ2, ObjColourKey);
  RetainingCommit("15.3 OBJ_COLID key added");
}

void TUpdateScript::SeedMaterial(const std::string& Step, const String& Column, const String& Values) {
  Open(C.IBQ1, {u"SELECT * FROM MATDATEN WHERE MAT_OBSBEZEICHNUNG='" + Column + u"'"});
  if (!C.IBQ1.GetEOF()) return;
  Exec(C.IBQ3, {MatdatenInsertHead[0], MatdatenInsertHead[1], Values});
  RetainingCommit(Step + " MATDATEN " + UTF8Encode(Column) + " row added");
}

// The view is dropped (when there is none, the error is of no interest) and made anew, so that it
// shows the columns added since; it is committed before the script reports its end.
void TUpdateScript::RecreateView() {
  try {
    Exec(C.IBQ1, {u"Drop View AUFOBJ"});
    RetainingCommit("19 AUFOBJ dropped");
  } catch (const Exception&) {
  }
  Exec(C.IBQ1, AufobjView);
  RetainingCommit("20 AUFOBJ created");
}

void TUpdateScript::CreateColDelTst() {
  const String name = u"COL_DEL_TST";
  if (ProcedureExists(C.IBQ2, name)) return;
  SetLines(C.IBQ1, {u"Create PROCEDURE " + name + u" (ID INTEGER) RETURNS (OK INTEGER)"});
  for (const String& line : ColDelTstBody) C.IBQ1.GetSQL()->Add(line);
  ExecSQL(C.IBQ1);
  RetainingCommit("21 COL_DEL_TST created");
}

}  // namespace

void RunUpdateScript(TUpdateComponents& C) { TUpdateScript(C).Run(); }
