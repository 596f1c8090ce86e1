#include "app/testsupport/OldSchema.h"

#include <initializer_list>
#include <memory>

#include "platform/db/IBDatabase.h"
#include "platform/db/IBQuery.h"

namespace UpdateTest {

namespace {

// A connection that runs statements and commits each batch.
class TBuilder {
public:
  explicit TBuilder(const String& DatabaseName) : FOwner(std::make_unique<TComponent>(nullptr)) {
    FDB = new TIBDatabase(FOwner.get());
    FTR = new TIBTransaction(FOwner.get());
    FQ = new TIBQuery(FOwner.get());
    FDB->SetDatabaseName(DatabaseName);
    FDB->GetParams()->Add(u"user_name=SYSDBA");
    FDB->GetParams()->Add(u"password=plumcrest");
    FDB->SetLoginPrompt(false);
    FDB->SetDefaultTransaction(FTR);
    FDB->SetServerType(u"IBServer");
    FTR->SetDefaultDatabase(FDB);
    FQ->SetDatabase(FDB);
    FQ->SetTransaction(FTR);
    FQ->SetParamCheck(false);
  }
  ~TBuilder() { FDB->SetConnected(false); }

  void Exec(const String& Statement) {
    FQ->GetSQL()->SetText(Statement);
    FQ->ExecSQL();
  }
  void Commit() { FTR->Commit(); }
  // One statement, committed.
  void Run(const String& Statement) {
    Exec(Statement);
    FTR->Commit();
  }
  // Rows of Values, each inserted by "Insert VALUES (v)", then committed.
  void Rows(const String& Insert, std::initializer_list<String> Values) {
    for (const String& v : Values) Exec(Insert + u" VALUES (" + v + u")");
    FTR->Commit();
  }

private:
  std::unique_ptr<TComponent> FOwner;
  TIBDatabase* FDB;
  TIBTransaction* FTR;
  TIBQuery* FQ;
};

}  // namespace

void BuildOldSchema(const String& DatabaseName, const TOldSchema& S) {
  TBuilder b(DatabaseName);
  b.Run(u"CREATE TABLE KOPDATEN (KOP_ID INTEGER NOT NULL PRIMARY KEY, KOP_NAME VARCHAR(40))");
  b.Rows(u"INSERT INTO KOPDATEN", {u"1, 'Kopf 1'", u"2, 'Kopf 2'", u"3, 'Kopf 3'"});
  b.Run(u"CREATE TABLE KATDATEN (KAT_ID INTEGER NOT NULL PRIMARY KEY, KAT_NAME VARCHAR(30))");
  b.Rows(u"INSERT INTO KATDATEN", {u"10, 'Lager'", u"11, 'Wartung'", u"12, 'Pruefung'"});
  if (S.Kasdaten) {
    b.Run(u"CREATE TABLE KASDATEN (KAS_ID INTEGER NOT NULL PRIMARY KEY, KAS_KATID INTEGER)");
    b.Rows(u"INSERT INTO KASDATEN", {u"1, 10", u"2, 11"});
  }
  if (S.KatTxt)
    b.Run(String(u"CREATE PROCEDURE KAT_TXT RETURNS (KATNR VARCHAR(255)) AS BEGIN ") +
          (S.Kasdaten ? u"FOR SELECT KAS_KATID FROM KASDATEN INTO :KATNR DO SUSPEND;"
                      : u"FOR SELECT KAT_ID FROM KATDATEN INTO :KATNR DO SUSPEND;") +
          u" END");
  b.Run(u"CREATE TABLE MDIDATEN (MDI_ID INTEGER NOT NULL PRIMARY KEY, MDI_NAME VARCHAR(40))");
  b.Rows(u"INSERT INTO MDIDATEN", {u"1, 'Haupt'"});
  b.Run(u"CREATE TABLE TSTDATEN (TST_ID INTEGER NOT NULL PRIMARY KEY, TST_START TIMESTAMP)");
  b.Run(u"CREATE TABLE AUSDATEN (AUS_ID INTEGER NOT NULL PRIMARY KEY, AUS_NAME VARCHAR(20))");
  b.Rows(u"INSERT INTO AUSDATEN", {u"1, 'Ausgabe'"});

  String gwk = u"CREATE TABLE GWKDATEN (GWK_ID INTEGER NOT NULL PRIMARY KEY, GWK_NAME VARCHAR(40)";
  if (S.Colours) gwk += u", GWK_FARBE INTEGER";
  if (S.TextColour) gwk += u", GWK_TFARBE INTEGER";
  b.Run(gwk + u")");
  // Background and text colour of each row: NULL, 1 and other text values; rows 2 and 3, 1 and 7,
  // 6 and 8 share their pair once translated.
  const Char* colours[][2] = {{u"NULL", u"NULL"}, {u"255", u"1"}, {u"255", u"1"},   {u"NULL", u"1"},
                              {u"65280", u"7"},   {u"255", u"0"}, {u"16777215", u"NULL"}, {u"255", u"2"}};
  for (Integer i = 1; i <= S.DeviceRows && i <= 8; ++i) {
    String values = IntToStr(i) + u", 'Geraet " + IntToStr(i) + u"'";
    if (S.Colours) values += String(u", ") + colours[i - 1][0];
    if (S.TextColour) values += String(u", ") + colours[i - 1][1];
    b.Exec(u"INSERT INTO GWKDATEN VALUES (" + values + u")");
  }
  if (S.DeviceRows > 8)
    b.Exec(u"EXECUTE BLOCK AS DECLARE I INTEGER = 9; BEGIN WHILE (I <= " + IntToStr(S.DeviceRows) +
           u") DO BEGIN INSERT INTO GWKDATEN VALUES (:I, 'Geraet ' || :I, MOD(:I, 64) * 257, MOD(:I, 3));"
           u" I = I + 1; END END");
  b.Commit();
  b.Run(u"CREATE TABLE MATDATEN (MAT_ID INTEGER NOT NULL PRIMARY KEY, MAT_KBEZEICHNUNG VARCHAR(20),"
        u" MAT_BEZEICHNUNG VARCHAR(40), MAT_OBSBEZEICHNUNG VARCHAR(20))");
  b.Rows(u"INSERT INTO MATDATEN", {u"1, 'Name', 'Name', 'OBJ_NAME'"});
  b.Run(u"CREATE TABLE PRIDATEN (PRI_ID INTEGER NOT NULL PRIMARY KEY, PRI_BEZEICHNUNG VARCHAR(30))");
  b.Rows(u"INSERT INTO PRIDATEN", {u"1, 'Eigen'", u"2, 'Fremd'", u"3, 'Sonder'"});
  b.Run(u"CREATE TABLE AUFDATEN (AUF_ID INTEGER NOT NULL PRIMARY KEY, AUF_OBJID INTEGER, AUF_TEXT VARCHAR(40))");
  b.Rows(u"INSERT INTO AUFDATEN", {u"1, 1, 'Auftrag 1'", u"2, 2, 'Auftrag 2'", u"3, 9, 'ohne Objekt'"});
  if (S.Objdaten) {
    b.Run(u"CREATE TABLE OBJDATEN (OBJ_ID INTEGER NOT NULL PRIMARY KEY, OBJ_NAME VARCHAR(40))");
    b.Rows(u"INSERT INTO OBJDATEN", {u"1, 'Objekt 1'", u"2, 'Objekt 2'"});
    b.Run(u"CREATE VIEW AUFOBJ AS SELECT * FROM AUFDATEN, OBJDATEN WHERE AUF_OBJID = OBJ_ID");
  }
  if (S.Coldaten) {
    b.Run(u"CREATE TABLE COLDATEN (COL_ID INTEGER NOT NULL PRIMARY KEY, COL_HINTERGRUND INTEGER,"
          u" COL_TEXT INTEGER, COL_BEZEICHNUNG VARCHAR(60))");
    b.Rows(u"INSERT INTO COLDATEN", {u"-1, 255, 16777215, 'Leihschluessel'", u"4, 65280, 0, 'Gruen'"});
  }
  if (S.NoteTextSize > 0) {
    b.Run(u"CREATE TABLE NOTDATEN (NOT_ID INTEGER NOT NULL PRIMARY KEY, NOT_TEXT VARCHAR(" + IntToStr(S.NoteTextSize) +
          u"))");
    b.Rows(u"INSERT INTO NOTDATEN", {u"1, 'Notiz'"});
  }
}

}  // namespace UpdateTest
