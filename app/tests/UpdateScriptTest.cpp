// The migration script on database files with an old schema, checked through the system tables.
#include <gmock/gmock.h>

#include "UpdateFixture.h"

using namespace UpdateTest;
using DbTest::TConnection;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

bool AnyStartsWith(const std::vector<std::string>& Lines, const std::string& Prefix) {
  for (const std::string& l : Lines)
    if (l.rfind(Prefix, 0) == 0) return true;
  return false;
}

}  // namespace

TEST(UpdateScript, BringsAnOldDatabaseUpToDate) {
  const String db = MakeOldDatabase();
  TUpdateData run(db);
  run.Run();
  const std::vector<std::string> d = Describe(db);

  const char* expected[] = {
      // tables made, with their columns and sizes
      "column KASDATEN.KAS_ID INTEGER NOT NULL", "column KASDATEN.KAS_KOPID INTEGER",
      "column KASDATEN.KAS_KATID INTEGER", "column IDODATEN.IDO_ID INTEGER NOT NULL",
      "column IDODATEN.IDO_POS INTEGER", "column IDODATEN.IDO_MDIID INTEGER",
      "column BLDDATEN.BLD_ID INTEGER NOT NULL", "column BLDDATEN.BLD_BILD BLOB",
      "column NKADATEN.NKA_ID INTEGER NOT NULL", "column NKADATEN.NKA_BEZEICHNUNG VARCHAR(60)",
      "column NOTDATEN.NOT_ID INTEGER NOT NULL", "column NOTDATEN.NOT_DATUM DATE", "column NOTDATEN.NOT_NKAID INTEGER",
      "column NOTDATEN.NOT_TITEL VARCHAR(60)", "column NOTDATEN.NOT_TEXT VARCHAR(2500)",
      "column NOTDATEN.NOT_DATNAME VARCHAR(255)", "column NOTDATEN.NOT_DATEI BLOB",
      // columns added
      "column TSTDATEN.TST_ENDZEIT TIMESTAMP", "column GWKDATEN.GWK_COLID INTEGER", "column AUSDATEN.AUS_TYP INTEGER",
      "column MDIDATEN.MDI_PASSIV INTEGER", "column OBJDATEN.OBJ_FFELD1 VARCHAR(60)",
      "column OBJDATEN.OBJ_FFELD2 VARCHAR(100)", "column OBJDATEN.OBJ_COLID INTEGER",
      // keys
      "primary key KASDATEN(KAS_ID)", "primary key IDODATEN(IDO_ID)", "primary key BLDDATEN(BLD_ID)",
      "primary key NKADATEN(NKA_ID)", "primary key NOTDATEN(NOT_ID)",
      "foreign key KASDATEN(KAS_KOPID) -> KOPDATEN(KOP_ID) on update CASCADE on delete CASCADE",
      "foreign key KASDATEN(KAS_KATID) -> KATDATEN(KAT_ID) on update CASCADE on delete CASCADE",
      "foreign key IDODATEN(IDO_MDIID) -> MDIDATEN(MDI_ID) on update CASCADE on delete CASCADE",
      "foreign key NOTDATEN(NOT_NKAID) -> NKADATEN(NKA_ID) on update CASCADE on delete CASCADE",
      "foreign key GWKDATEN(GWK_COLID) -> COLDATEN(COL_ID) on update NO ACTION on delete NO ACTION",
      "foreign key OBJDATEN(OBJ_COLID) -> COLDATEN(COL_ID) on update NO ACTION on delete NO ACTION",
      // the view, built anew with the columns added since the old one
      "view AUFOBJ: SELECT * FROM AUFDATEN,OBJDATEN WHERE AUF_OBJID=OBJ_ID", "column AUFOBJ.OBJ_COLID INTEGER",
      "row AUFOBJ: 1|1|Auftrag 1|1|Objekt 1|<null>|<null>|<null>",
      "row AUFOBJ: 2|2|Auftrag 2|2|Objekt 2|<null>|<null>|<null>",
      // seed rows and names
      "row MATDATEN: 1|Name|Name|OBJ_NAME", "row MATDATEN: 17|Feld 1|Obj. Feld 1|OBJ_FFELD1",
      "row MATDATEN: 18|Feld 2|Obj. Feld 2|OBJ_FFELD2", "row PRIDATEN: 1|Intern", "row PRIDATEN: 2|Extern",
      "row PRIDATEN: 3|Sonder",
      // colours: the old rows kept, new ones numbered from MAX + 1 in row order; the row -1 names no
      // colour, so rows 2 and 3 (its pair) share a new row of their own
      "row COLDATEN: -1|255|16777215|Leihschluessel", "row COLDATEN: 4|65280|0|Gruen",
      "row COLDATEN: 5|16777215|16711680|Farbe 5", "row COLDATEN: 6|255|16777215|Farbe 6",
      "row COLDATEN: 7|16777215|16777215|Farbe 7", "row COLDATEN: 8|255|0|Farbe 8",
      "row GWKDATEN: 1|Geraet 1|5", "row GWKDATEN: 2|Geraet 2|6", "row GWKDATEN: 3|Geraet 3|6",
      "row GWKDATEN: 4|Geraet 4|7", "row GWKDATEN: 5|Geraet 5|4", "row GWKDATEN: 6|Geraet 6|8",
      "row GWKDATEN: 7|Geraet 7|5", "row GWKDATEN: 8|Geraet 8|8"};
  for (const char* line : expected) EXPECT_THAT(d, Contains(line));
  EXPECT_THAT(d, Not(Contains(HasSubstr("GWK_FARBE"))));
  EXPECT_THAT(d, Not(Contains(HasSubstr("GWK_TFARBE"))));
  EXPECT_FALSE(AnyStartsWith(d, "row KASDATEN:"));   // the old rows go with the old table
  EXPECT_FALSE(AnyStartsWith(d, "row COLDATEN: 9|"));
  EXPECT_THAT(d, Contains(StartsWith("procedure KAT_TXT: DECLARE VARIABLE T_TXT VARCHAR(30);")));

  EXPECT_THAT(run.Commits,
              ElementsAreArray<std::string>(
                  {"1.1 KASDATEN emptied", "1.2 KAT_TXT dropped", "1.4 KASDATEN dropped", "1.6 KASDATEN created",
                   "2 IDODATEN created", "3 TST_ENDZEIT added", "4 KAT_TXT created", "6 AUS_TYP added",
                   "7 MDI_PASSIV added", "8 BLDDATEN created", "9 NKADATEN created", "10 NOTDATEN created",
                   "11 NOT_TEXT widened", "13.1 GWK_COLID added", "13.2 GWK_COLID key added",
                   "13.5 colour row inserted", "13.5 colour key set", "13.5 colour row inserted", "13.5 colour key set",
                   "13.5 colour key set", "13.5 colour row inserted", "13.5 colour key set", "13.5 colour key set",
                   "13.5 colour row inserted", "13.5 colour key set", "13.5 colour key set", "13.5 colour key set",
                   "14 GWK_TFARBE dropped", "14 GWK_FARBE dropped", "15.1 OBJ_FFELD1 added", "15.2 OBJ_FFELD2 added",
                   "15.3 OBJ_COLID added", "15.3 OBJ_COLID key added", "16 MATDATEN OBJ_FFELD1 row added",
                   "17 MATDATEN OBJ_FFELD2 row added", "18 PRIDATEN 1 named", "18 PRIDATEN 2 named",
                   "19 AUFOBJ dropped", "20 AUFOBJ created", "21 COL_DEL_TST created"}));
}

// Statements go out exactly as written, on the query each step names; composed ones with their
// numbers in decimal, quoted.
TEST(UpdateScript, SendsTheStatementsAsWritten) {
  const String db = MakeOldDatabase();
  TUpdateData run(db);
  run.Run();
  std::vector<std::string> sent;
  for (const TScriptStep& s : run.Steps)
    if (s.Action == saExec || s.Action == saOpen)
      sent.push_back((s.Action == saExec ? "exec " : "open ") + std::to_string(s.Query) + ": " + UTF8Encode(s.SQL));
  const char* expected[] = {
      "open 2: SELECT * FROM KASDATEN \r\n",
      "open 4: Select RDB$PROCEDURE_NAME from RDB$PROCEDURES\r\n",
      "exec 2: DROP PROCEDURE KAT_TXT\r\n",
      "exec 1: Create Table KASDATEN \r\n (KAS_ID INTEGER NOT NULL PRIMARY KEY,\r\n  KAS_KOPID INTEGER,\r\n"
      "  KAS_KATID INTEGER,\r\n  FOREIGN KEY (KAS_KOPID)\r\n  REFERENCES KOPDATEN (KOP_ID)\r\n  ON UPDATE CASCADE\r\n"
      "  ON DELETE CASCADE,\r\n  FOREIGN KEY (KAS_KATID)\r\n  REFERENCES KATDATEN (KAT_ID)\r\n  ON UPDATE CASCADE\r\n"
      "  ON DELETE CASCADE)\r\n",
      "exec 1: ALTER TABLE NOTDATEN ALTER COLUMN NOT_TEXT TYPE VARCHAR (2500)\r\n",
      "exec 2: ALTER TABLE GWKDATEN ADD GWK_COLID INTEGER\r\n",
      "exec 2:  ALTER TABLE GWKDATEN ADD \r\n  FOREIGN KEY (GWK_COLID)\r\n  REFERENCES COLDATEN (COL_ID)\r\n"
      "  ON UPDATE NO ACTION\r\n  ON DELETE NO ACTION\r\n",
      "open 2:  SELECT MAX(COL_ID) FROM COLDATEN\r\n",
      "open 1: SELECT * FROM GWKDATEN \r\n",
      "open 2:  SELECT * FROM COLDATEN WHERE COL_HINTERGRUND='16777215' AND COL_TEXT='16711680'\r\n",
      "exec 3: INSERT INTO COLDATEN \r\n (COL_ID,COL_HINTERGRUND, COL_TEXT, COL_BEZEICHNUNG)\r\n"
      "  VALUES('5','16777215','16711680','Farbe 5')\r\n",
      "exec 3: UPDATE GWKDATEN SET GWK_COLID='5' WHERE GWK_ID='1'\r\n",
      "open 2:  SELECT * FROM COLDATEN WHERE COL_HINTERGRUND='255' AND COL_TEXT='0'\r\n",
      "exec 3: UPDATE GWKDATEN SET GWK_COLID='8' WHERE GWK_ID='8'\r\n",
      "exec 2:  ALTER TABLE OBJDATEN ADD \r\n  FOREIGN KEY (OBJ_COLID)\r\n  REFERENCES COLDATEN (COL_ID)\r\n"
      "  ON UPDATE NO ACTION\r\n  ON DELETE NO ACTION\r\n",
      "open 1: SELECT * FROM MATDATEN WHERE MAT_OBSBEZEICHNUNG='OBJ_FFELD2'\r\n",
      "exec 3: INSERT INTO MATDATEN \r\n (MAT_ID,MAT_KBEZEICHNUNG, MAT_BEZEICHNUNG, MAT_OBSBEZEICHNUNG)\r\n"
      "  VALUES('18','Feld 2','Obj. Feld 2','OBJ_FFELD2')\r\n",
      "exec 1: UPDATE PRIDATEN SET PRI_BEZEICHNUNG='Intern' WHERE PRI_ID='1'\r\n",
      "exec 1: Drop View AUFOBJ\r\n",
      "exec 1: Create View AUFOBJ as \r\n SELECT * FROM AUFDATEN,OBJDATEN WHERE AUF_OBJID=OBJ_ID \r\n",
      "open 2: Select RDB$PROCEDURE_NAME from RDB$PROCEDURES\r\n",
      "exec 1: Create PROCEDURE COL_DEL_TST (ID INTEGER) RETURNS (OK INTEGER)\r\nAS\r\nBEGIN\r\n  OK=1;\r\n"
      "  Update COLDATEN set COL_Id = -1 where COL_Id = :Id;\r\n  Update COLDATEN set COL_Id = :Id where COL_Id = -1;\r\n"
      "  when any do\r\n  begin\r\n    OK=0;\r\n  end\r\nEND \r\n"};
  for (const char* statement : expected) EXPECT_THAT(sent, Contains(statement));
  // KAT_TXT in its nineteen lines, on IBQ2.
  const auto katTxt = std::find_if(sent.begin(), sent.end(), [](const std::string& s) {
    return s.rfind("exec 2: Create PROCEDURE KAT_TXT RETURNS (KOPID INTEGER, KATNR VARCHAR(255), KATEGORIE VARCHAR(255))\r\nAS\r\n", 0) == 0;
  });
  ASSERT_NE(katTxt, sent.end());
  std::size_t lines = 0;
  for (std::size_t at = katTxt->find("\r\n"); at != std::string::npos; at = katTxt->find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 19u);
  EXPECT_THAT(*katTxt, HasSubstr("\r\n    END \r\n  END \r\n"));
}

// The two procedures work on the new schema.
TEST(UpdateScript, ProceduresWorkOnTheNewSchema) {
  const String db = MakeOldDatabase();
  RunScript(db);
  TConnection c(db);
  c.ExecCommit({u"INSERT INTO KASDATEN VALUES (1, 1, 10)"});
  c.ExecCommit({u"INSERT INTO KASDATEN VALUES (2, 1, 11)"});
  c.ExecCommit({u"INSERT INTO KASDATEN VALUES (3, 2, 12)"});
  c.ExecCommit({u"DELETE FROM COLDATEN WHERE COL_ID = -1"});
  c.ExecCommit({u"INSERT INTO COLDATEN VALUES (50, 1, 2, 'frei')"});
  c.DB->SetConnected(false);
  EXPECT_THAT(Rows(db, u"SELECT KOPID, KATNR, KATEGORIE FROM KAT_TXT ORDER BY KOPID"),
              ElementsAre("1|-10-11-|Lager; Wartung", "2|-12-|Pruefung", "3|-0-|"));
  // A key still referenced through a NO ACTION key cannot move; a free one can.
  EXPECT_THAT(Rows(db, u"EXECUTE PROCEDURE COL_DEL_TST(4)"), ElementsAre("0"));
  EXPECT_THAT(Rows(db, u"EXECUTE PROCEDURE COL_DEL_TST(50)"), ElementsAre("1"));
  EXPECT_THAT(Rows(db, u"SELECT COL_ID FROM COLDATEN WHERE COL_ID IN (4, 50) ORDER BY 1"), ElementsAre("4", "50"));
}

// Runs after the first find every object: only the two names are set again and the view is
// built anew. No procedure is created twice (the stored name is padded) and GWKDATEN is not
// altered again (each ALTER would use up one of its format versions).
TEST(UpdateScript, LaterRunsChangeNothingMore) {
  const String db = MakeOldDatabase();
  RunScript(db);
  const std::vector<std::string> first = Describe(db);
  const Integer format = FormatVersion(db, u"GWKDATEN");
  for (int run = 2; run <= 3; ++run) {
    TUpdateData again(db);
    again.Run();
    EXPECT_THAT(again.Commits, ElementsAre("18 PRIDATEN 1 named", "18 PRIDATEN 2 named", "19 AUFOBJ dropped",
                                           "20 AUFOBJ created"))
        << "run " << run;
    EXPECT_EQ(Describe(db), first) << "run " << run;
    EXPECT_EQ(FormatVersion(db, u"GWKDATEN"), format) << "run " << run;
  }
}

// The view is committed before the script ends, not left to the next disconnect.
TEST(UpdateScript, TheViewIsCommittedWhenTheScriptEnds) {
  const String db = MakeOldDatabase();
  RunScript(db);
  TUpdateData again(db);
  TUpdateComponents c = again.Components();
  RunUpdateScript(c);
  ASSERT_TRUE(again.DBZelk->GetConnected());
  EXPECT_THAT(Describe(db), Contains(StartsWith("view AUFOBJ: ")));
}

// Variants of the old database: each row names the change and the lines the result must (and
// must not) describe.
struct TVariant {
  const char* Name;
  TOldSchema Schema;
  std::vector<String> Before;   // statements run on the old database first
  std::vector<std::string> Present;
  std::vector<std::string> Absent;
};

void PrintTo(const TVariant& V, std::ostream* Out) { *Out << V.Name; }

class UpdateScriptVariant : public ::testing::TestWithParam<TVariant> {};

TEST_P(UpdateScriptVariant, EndsWithTheExpectedSchema) {
  const TVariant& v = GetParam();
  const String db = MakeOldDatabase(v.Schema);
  if (!v.Before.empty()) {
    TConnection c(db);
    for (const String& s : v.Before) c.ExecCommit({s});
  }
  RunScript(db);
  const std::vector<std::string> d = Describe(db);
  for (const std::string& line : v.Present) EXPECT_THAT(d, Contains(line));
  for (const std::string& line : v.Absent) EXPECT_THAT(d, Not(Contains(line)));
}

INSTANTIATE_TEST_SUITE_P(
    UpdateScript, UpdateScriptVariant,
    ::testing::Values(
        TVariant{"NoteText1999IsWidened", {.NoteTextSize = 1999}, {},
                 {"column NOTDATEN.NOT_TEXT VARCHAR(2500)", "row NOTDATEN: 1|Notiz"}, {}},
        TVariant{"NoteText2000StaysAsItIs", {.NoteTextSize = 2000}, {}, {"column NOTDATEN.NOT_TEXT VARCHAR(2000)"}, {}},
        // An old KASDATEN without the procedure: nothing to drop, the table is rebuilt.
        TVariant{"OldKasdatenWithoutKatTxt", {.KatTxt = false},
                 {},
                 {"column KASDATEN.KAS_KOPID INTEGER",
                  "foreign key KASDATEN(KAS_KOPID) -> KOPDATEN(KOP_ID) on update CASCADE on delete CASCADE"},
                 {}},
        // No KASDATEN at all (as after a run stopped once the old one was dropped): it is created.
        TVariant{"NoKasdaten", {.KatTxt = false, .Kasdaten = false}, {},
                 {"column KASDATEN.KAS_KOPID INTEGER", "primary key KASDATEN(KAS_ID)"}, {}},
        // The procedure test is exact: a procedure named in lower case is another procedure.
        TVariant{"ProcedureNamesAreCaseSensitive",
                 {.KatTxt = false},
                 {u"CREATE PROCEDURE \"kat_txt\" RETURNS (X INTEGER) AS BEGIN X = 1; SUSPEND; END"},
                 {"procedure kat_txt: BEGIN X = 1; SUSPEND; END"},
                 {}},
        // Without the background column there is no colour migration: no key column, no rows.
        TVariant{"NoColourColumns", {.Colours = false}, {},
                 {"row COLDATEN: 4|65280|0|Gruen", "row GWKDATEN: 1|Geraet 1"},
                 {"column GWKDATEN.GWK_COLID INTEGER", "column GWKDATEN.GWK_TFARBE INTEGER",
                  "row COLDATEN: 5|16777215|16711680|Farbe 5"}},
        // GWK_TFARBE is added by the script, so every text colour is the one of NULL.
        TVariant{"NoTextColourColumn", {.TextColour = false}, {},
                 {"row COLDATEN: 5|16777215|16711680|Farbe 5", "row COLDATEN: 6|255|16711680|Farbe 6",
                  "row COLDATEN: 7|65280|16711680|Farbe 7", "row GWKDATEN: 4|Geraet 4|5",
                  "row GWKDATEN: 8|Geraet 8|6"},
                 {"row COLDATEN: 8|255|0|Farbe 8"}},
        // A new COLDATEN: keys from 1.
        TVariant{"NewColdaten", {.Coldaten = false}, {},
                 {"row COLDATEN: 1|16777215|16711680|Farbe 1", "row COLDATEN: 2|255|16777215|Farbe 2",
                  "row COLDATEN: 3|16777215|16777215|Farbe 3", "row COLDATEN: 4|65280|0|Farbe 4",
                  "row COLDATEN: 5|255|0|Farbe 5", "row GWKDATEN: 3|Geraet 3|2", "row GWKDATEN: 7|Geraet 7|1"},
                 {"row COLDATEN: 6|255|0|Farbe 6"}}),
    [](const ::testing::TestParamInfo<TVariant>& Info) { return std::string(Info.param.Name); });

// Without OBJDATEN the script skips its columns but cannot build the view: it stops there with
// the server's message, and what it committed before stays.
TEST(UpdateScript, MissingObjdatenStopsAtTheView) {
  const String db = MakeOldDatabase({.Objdaten = false});
  TUpdateData run(db);
  TUpdateComponents c = run.Components();
  try {
    RunUpdateScript(c);
    FAIL() << "the script ended";
  } catch (const EIBInterBaseError& e) {
    EXPECT_THAT(UTF8Encode(e.Message), HasSubstr("OBJDATEN"));
  }
  EXPECT_EQ(run.Commits.back(), "18 PRIDATEN 2 named");   // the guarded drop of the view failed
  run.DBZelk->SetConnected(false);
  const std::vector<std::string> d = Describe(db);
  EXPECT_THAT(d, Contains("row PRIDATEN: 2|Extern"));
  EXPECT_THAT(d, Contains("row MATDATEN: 18|Feld 2|Obj. Feld 2|OBJ_FFELD2"));
  EXPECT_FALSE(AnyStartsWith(d, "view AUFOBJ"));
  EXPECT_FALSE(AnyStartsWith(d, "procedure COL_DEL_TST"));
}

// A colour migration that stopped part way (the key column there without its foreign key, one
// row done, the old colour columns still there) is finished by the next run: the result is that
// of a run never stopped, and no colour is lost.
TEST(UpdateScript, CompletesAnInterruptedColourMigration) {
  const String reference = MakeOldDatabase({}, "_reference");
  RunScript(reference);

  const String db = MakeOldDatabase();
  {
    TConnection c(db);
    c.ExecCommit({u"ALTER TABLE GWKDATEN ADD GWK_COLID INTEGER"});
    c.ExecCommit({u"INSERT INTO COLDATEN VALUES (5, 16777215, 16711680, 'Farbe 5')"});
    c.ExecCommit({u"INSERT INTO COLDATEN VALUES (6, 255, 16777215, 'Farbe 6')"});
    c.ExecCommit({u"UPDATE GWKDATEN SET GWK_COLID = 5 WHERE GWK_ID = 1"});
  }
  TUpdateData run(db);
  run.Run();
  EXPECT_EQ(Describe(db), Describe(reference));
  EXPECT_THAT(run.Commits, Contains("13.2 GWK_COLID key added"));
  EXPECT_THAT(run.Commits, Not(Contains("13.1 GWK_COLID added")));
}
