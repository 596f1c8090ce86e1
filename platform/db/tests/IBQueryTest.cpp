// Queries: statements, cursors, fields of every column type, names, sizes and Locate.
#include <cmath>

#include "platform/db/testsupport/DbTestSupport.h"
#include "platform/rtl/StrUtils.h"
#include "platform/db/IBClient.h"

using namespace DbTest;

namespace {

TField* F(TIBQuery* Q, const Char* Name) { return Q->FieldByName(Name); }

// A UTF8 database with one table of every column type: a row of values (ID 1) and a row of
// NULLs (ID 2). Text in the NONE, WIN1252 and ISO8859_2 columns is written through connections
// whose character set makes the bytes right.
String TypesDatabase() {
  const String path = NewDatabase("DEFAULT CHARACTER SET UTF8");
  TConnection c(path);
  c.DB->GetParams()->Add(u"lc_ctype=UTF8");
  c.ExecCommit({u"CREATE TABLE ALLTYPES (ID INTEGER NOT NULL PRIMARY KEY,",
                u" C_SMALL SMALLINT, C_INT INTEGER, C_BIG BIGINT,",
                u" C_NUM NUMERIC(9,2), C_DEC DECIMAL(18,4), C_NUMS NUMERIC(4,1),",
                u" C_FLOAT FLOAT, C_DOUBLE DOUBLE PRECISION,",
                u" C_CHAR CHAR(6), C_VARCHAR VARCHAR(20), C_NONE VARCHAR(20) CHARACTER SET NONE,",
                u" C_1252 VARCHAR(20) CHARACTER SET WIN1252, C_LATIN2 VARCHAR(10) CHARACTER SET ISO8859_2,",
                u" C_DATE DATE, C_TIME TIME, C_TS TIMESTAMP, C_OLD TIMESTAMP,",
                u" C_MEMO BLOB SUB_TYPE TEXT, C_BIN BLOB SUB_TYPE BINARY, C_BOOL BOOLEAN)"});
  c.ExecCommit({u"INSERT INTO ALLTYPES (ID, C_SMALL, C_INT, C_BIG, C_NUM, C_DEC, C_NUMS, C_FLOAT, C_DOUBLE,",
                u" C_CHAR, C_VARCHAR, C_1252, C_LATIN2, C_DATE, C_TIME, C_TS, C_OLD, C_MEMO, C_BIN, C_BOOL)",
                u"VALUES (1, -12345, 2147483647, 9007199254740993, 12345.67, -0.0500, 999.9, 0.1, 0.1,",
                u" 'ab', 'Grüße ✓', 'Café €', 'Łódź', '2021-05-06', '13:45:30.1234', '2021-05-06 23:59:59.5',",
                u" '1899-12-29 06:00:00', 'Ein längerer Text', x'00FF41', TRUE)"});
  c.ExecCommit({u"INSERT INTO ALLTYPES (ID) VALUES (2)"});
  c.DB->SetConnected(false);
  // Charset NONE stores the connection's bytes: Windows-1252 through a NONE connection.
  c.DB->GetParams()->Clear();
  c.DB->GetParams()->Add(u"user_name=SYSDBA");
  c.ExecCommit({u"UPDATE ALLTYPES SET C_NONE = 'Müller' WHERE ID = 1"});
  return path;
}

}  // namespace

// Every column type reads right, through a NONE connection and through a UTF8 one.
TEST(IBQuery, ReadsEveryColumnType) {
  const String path = TypesDatabase();
  for (const Char* charset : {u"", u"UTF8"}) {
    SCOPED_TRACE(UTF8Encode(charset));
    TConnection c(path);
    if (*charset) c.DB->GetParams()->Add(String(u"lc_ctype=") + charset);
    c.Open(c.Q1, {u"SELECT * FROM ALLTYPES ORDER BY ID"});
    TIBQuery* q = c.Q1;

    EXPECT_EQ(F(q, u"C_SMALL")->GetAsInteger(), -12345);
    EXPECT_EQ(F(q, u"C_INT")->GetAsInteger(), 2147483647);
    EXPECT_EQ(F(q, u"C_BIG")->GetAsInt64(), 9007199254740993LL);
    EXPECT_EQ(F(q, u"C_BIG")->GetAsString(), u"9007199254740993");
    EXPECT_THROW(F(q, u"C_BIG")->GetAsInteger(), ERangeError);
    EXPECT_EQ(F(q, u"C_NUM")->GetAsString(), u"12345.67");
    EXPECT_DOUBLE_EQ(F(q, u"C_NUM")->GetAsFloat(), 12345.67);
    EXPECT_EQ(F(q, u"C_NUM")->GetAsInteger(), 12346);
    EXPECT_EQ(F(q, u"C_DEC")->GetAsString(), u"-0.05");
    EXPECT_DOUBLE_EQ(F(q, u"C_DEC")->GetAsFloat(), -0.05);
    EXPECT_EQ(F(q, u"C_NUMS")->GetAsString(), u"999.9");
    EXPECT_EQ(F(q, u"C_FLOAT")->GetAsString(), u"0.1");
    EXPECT_FLOAT_EQ(static_cast<float>(F(q, u"C_FLOAT")->GetAsFloat()), 0.1f);
    EXPECT_EQ(F(q, u"C_DOUBLE")->GetAsString(), u"0.1");
    EXPECT_EQ(F(q, u"C_DOUBLE")->GetAsFloat(), 0.1);
    EXPECT_EQ(F(q, u"C_CHAR")->GetAsString(), u"ab    ");   // CHAR keeps its trailing blanks
    EXPECT_EQ(F(q, u"C_VARCHAR")->GetAsString(), u"Grüße ✓");
    EXPECT_EQ(F(q, u"C_NONE")->GetAsString(), u"Müller");
    EXPECT_EQ(F(q, u"C_1252")->GetAsString(), u"Café €");
    EXPECT_EQ(F(q, u"C_LATIN2")->GetAsString(), u"Łódź");
    EXPECT_EQ(F(q, u"C_DATE")->GetAsDateTime(), EncodeDate(2021, 5, 6));
    EXPECT_EQ(F(q, u"C_DATE")->GetAsString(), DateToStr(EncodeDate(2021, 5, 6)));
    EXPECT_NEAR(F(q, u"C_TIME")->GetAsDateTime(), (13 * 3600 + 45 * 60 + 30.1234) / 86400.0, 1e-12);
    EXPECT_EQ(F(q, u"C_TIME")->GetAsString(), TimeToStr(EncodeTime(13, 45, 30, 123)));
    EXPECT_NEAR(F(q, u"C_TS")->GetAsDateTime(), EncodeDate(2021, 5, 6) + (86399.5 / 86400.0), 1e-10);
    EXPECT_EQ(F(q, u"C_OLD")->GetAsDateTime(), -1.25);   // the day before 1899-12-30, 6 o'clock
    EXPECT_EQ(F(q, u"C_MEMO")->GetAsString(), u"Ein längerer Text");
    EXPECT_EQ(F(q, u"C_BIN")->GetAsString(), String(u"\u0000\u00FFA", 3));
    EXPECT_TRUE(F(q, u"C_BOOL")->GetAsBoolean());
    EXPECT_EQ(F(q, u"C_BOOL")->GetAsString(), u"True");
    EXPECT_THROW(F(q, u"C_DATE")->GetAsInteger(), EDatabaseError);
    for (Integer i = 0; i < q->GetFieldCount(); ++i) EXPECT_FALSE(q->GetFields()->GetFields(i)->GetIsNull());

    q->Next();   // the row of NULLs
    for (Integer i = 1; i < q->GetFieldCount(); ++i) {
      const TField* f = q->GetFields()->GetFields(i);
      SCOPED_TRACE(UTF8Encode(f->GetFieldName()));
      EXPECT_TRUE(f->GetIsNull());
      EXPECT_EQ(f->GetAsInteger(), 0);
      EXPECT_EQ(f->GetAsString(), u"");
      EXPECT_EQ(f->GetAsFloat(), 0.0);
    }
  }
}

TEST(IBQuery, FieldTypesAndDeclaredSizes) {
  const String path = TypesDatabase();
  TConnection c(path);
  c.Open(c.Q1, {u"SELECT * FROM ALLTYPES"});
  struct TExpect {
    const Char* Name;
    TFieldType Type;
    Integer Size;
  };
  const TExpect expected[] = {
      {u"C_SMALL", ftSmallint, 0}, {u"C_INT", ftInteger, 0},   {u"C_BIG", ftLargeint, 0},
      {u"C_NUM", ftBCD, 2},        {u"C_DEC", ftBCD, 4},       {u"C_NUMS", ftBCD, 1},
      {u"C_FLOAT", ftFloat, 0},    {u"C_DOUBLE", ftFloat, 0},  {u"C_CHAR", ftFixedChar, 6},
      {u"C_VARCHAR", ftString, 20}, {u"C_NONE", ftString, 20}, {u"C_1252", ftString, 20},
      {u"C_LATIN2", ftString, 10}, {u"C_DATE", ftDate, 0},     {u"C_TIME", ftTime, 0},
      {u"C_TS", ftDateTime, 0},    {u"C_MEMO", ftMemo, 0},     {u"C_BIN", ftBlob, 0},
      {u"C_BOOL", ftBoolean, 0},
  };
  for (const TExpect& e : expected) {
    SCOPED_TRACE(UTF8Encode(e.Name));
    const Integer i = c.Q1->GetFieldList()->IndexOf(e.Name);
    ASSERT_GE(i, 0);
    EXPECT_EQ(c.Q1->GetFieldDefs()->GetItems(i)->GetDataType(), e.Type);
    EXPECT_EQ((*c.Q1->GetFieldDefs())[i]->GetSize(), e.Size);
  }
}

// The width probe of the update script: the declared character count of VARCHAR columns in a
// UTF8 database (four bytes a character), whatever the connection's character set.
TEST(IBQuery, DeclaredSizeOfWideColumnsInAUTF8Database) {
  const String path = NewDatabase("DEFAULT CHARACTER SET UTF8");
  for (const Char* charset : {u"", u"UTF8", u"WIN1252"}) {
    SCOPED_TRACE(UTF8Encode(charset));
    TConnection c(path);
    if (*charset) c.DB->GetParams()->Add(String(u"lc_ctype=") + charset);
    c.DB->SetConnected(true);
    TStringList names;
    c.DB->GetTableNames(&names, false);
    if (names.IndexOf(u"NOTDATEN") < 0)
      c.ExecCommit({u"CREATE TABLE NOTDATEN (NOT_ID INTEGER NOT NULL PRIMARY KEY, NOT_TEXT VARCHAR(1000),",
                    u" NOT_WIDE VARCHAR(1999), NOT_FSS VARCHAR(50) CHARACTER SET UNICODE_FSS)"});
    c.Open(c.Q1, {u"SELECT * FROM NOTDATEN "});
    const auto size = [&](const Char* Name) {
      return c.Q1->GetFieldDefs()->GetItems(c.Q1->GetFieldList()->IndexOf(Name))->GetSize();
    };
    EXPECT_EQ(size(u"NOT_TEXT"), 1000);
    EXPECT_EQ(size(u"NOT_WIDE"), 1999);
    EXPECT_EQ(size(u"NOT_FSS"), 50);
  }
}

TEST(IBQuery, AliasNamesAndFieldLookup) {
  TConnection c(NewDatabase());
  c.ExecCommit({u"CREATE TABLE COLDATEN (COL_ID INTEGER NOT NULL PRIMARY KEY, COL_TEXT INTEGER)"});
  c.Open(c.Q2, {u" SELECT MAX(COL_ID) FROM COLDATEN"});
  EXPECT_EQ(c.Q2->GetFieldList()->IndexOf(u"MAX"), 0);
  EXPECT_TRUE(F(c.Q2, u"max")->GetIsNull());
  EXPECT_EQ(F(c.Q2, u"MAX")->GetAsInteger() + 1, 1);   // empty table: the first key is 1

  c.Exec({u"INSERT INTO COLDATEN VALUES (41, 0)"});
  c.Open(c.Q2, {u" SELECT MAX(COL_ID) FROM COLDATEN"});
  EXPECT_EQ(F(c.Q2, u"MAX")->GetAsInteger(), 41);

  c.Open(c.Q1, {u"SELECT COL_ID AS Key_Value, COL_TEXT AS \"MixedCase\", COL_ID FROM COLDATEN"});
  EXPECT_EQ(c.Q1->GetFields()->GetFields(0)->GetFieldName(), u"KEY_VALUE");
  EXPECT_EQ(c.Q1->GetFields()->GetFields(1)->GetFieldName(), u"MixedCase");
  EXPECT_EQ(c.Q1->GetFieldList()->IndexOf(u"key_value"), 0);
  EXPECT_EQ(c.Q1->GetFieldList()->IndexOf(u"MIXEDCASE"), 1);
  EXPECT_EQ(c.Q1->GetFieldList()->IndexOf(u"Col_Id"), 2);
  EXPECT_EQ(c.Q1->GetFieldList()->IndexOf(u"COL_TEXT"), -1);   // renamed by its alias
  EXPECT_EQ(c.Q1->FindField(u"nope"), nullptr);
  for (int pass = 0; pass < 2; ++pass) {   // lookups in any order give the same answers
    EXPECT_EQ(c.Q1->GetFieldList()->IndexOf(u"COL_ID"), 2);
    EXPECT_EQ(c.Q1->GetFieldList()->IndexOf(u"KEY_VALUE"), 0);
  }

  // A name given twice: the first column of that name.
  c.Open(c.Q1, {u"SELECT 1 AS A, 2 AS B, 3 AS A FROM RDB$DATABASE"});
  EXPECT_EQ(F(c.Q1, u"B")->GetAsInteger(), 2);
  EXPECT_EQ(F(c.Q1, u"a")->GetAsInteger(), 1);
  EXPECT_EQ(F(c.Q1, u"A")->GetAsInteger(), 1);
  const EDatabaseError e = Raised<EDatabaseError>([&] { c.Q1->FieldByName(u"GWK_Farbe"); });
  EXPECT_TRUE(ContainsStr(e.Message, u"'GWK_Farbe'")) << e.what();
}

TEST(IBQuery, CursorPositionsAndEOF) {
  TConnection c(NewDatabase());
  c.ExecCommit({u"CREATE TABLE T (ID INTEGER)"});
  c.Open(c.Q1, {u"SELECT ID FROM T"});
  EXPECT_TRUE(c.Q1->GetActive());
  EXPECT_TRUE(c.Q1->GetEOF());
  EXPECT_TRUE(F(c.Q1, u"ID")->GetIsNull());
  EXPECT_EQ(F(c.Q1, u"ID")->GetAsInteger(), 0);
  c.Q1->Next();   // stays at the end
  EXPECT_TRUE(c.Q1->GetEOF());

  c.Exec(c.Q2, {u"INSERT INTO T VALUES (1)"});
  c.Exec(c.Q2, {u"INSERT INTO T VALUES (2)"});
  c.Open(c.Q1, {u"SELECT ID FROM T ORDER BY ID"});
  EXPECT_FALSE(c.Q1->GetEOF());
  EXPECT_EQ(c.Q1->GetRecNo(), 1);
  c.Q1->Next();
  EXPECT_EQ(F(c.Q1, u"ID")->GetAsInteger(), 2);
  c.Q1->Next();
  EXPECT_TRUE(c.Q1->GetEOF());
  EXPECT_EQ(F(c.Q1, u"ID")->GetAsInteger(), 2);   // the last row stays current

  c.Q1->GetSQL()->Add(u"");   // any change of the text closes the query
  EXPECT_FALSE(c.Q1->GetActive());
  EXPECT_TRUE(c.Q1->GetEOF());
  EXPECT_THROW(c.Q1->Next(), EDatabaseError);
}

// The statement is the lines joined by line breaks, sent unchanged: ":NAME" inside a procedure
// body is the procedure's, never a parameter of ours.
TEST(IBQuery, ProcedureBodiesWithColonNamesAreSentVerbatim) {
  TConnection c(NewDatabase());
  c.ExecCommit({u"CREATE TABLE COLDATEN (COL_ID INTEGER NOT NULL PRIMARY KEY, COL_TEXT INTEGER)"});
  c.Exec({u"Create PROCEDURE COL_DEL_TST (ID INTEGER) RETURNS (OK INTEGER)", u"AS", u"BEGIN", u"  OK=1;",
          u"  Update COLDATEN set COL_Id = -1 where COL_Id = :Id;",
          u"  Update COLDATEN set COL_Id = :Id where COL_Id = -1;", u"  when any do", u"  begin",
          u"    OK=0;", u"  end", u"END "});
  c.TR->CommitRetaining();
  c.Exec({u"Create PROCEDURE TWICE RETURNS (N INTEGER)", u"AS", u"  DECLARE VARIABLE T_NR INTEGER;",
          u"  BEGIN", u"    FOR SELECT COL_ID FROM COLDATEN INTO :T_NR DO", u"    BEGIN",
          u"      N = :T_NR * 2;", u"      SUSPEND;", u"    END ", u"  END "});
  c.TR->Commit();
  c.Exec({u"INSERT INTO COLDATEN VALUES (5, 0)"});

  c.Open(c.Q1, {u"EXECUTE PROCEDURE COL_DEL_TST(5)"});
  EXPECT_FALSE(c.Q1->GetEOF());
  EXPECT_EQ(F(c.Q1, u"OK")->GetAsInteger(), 1);
  c.Q1->Next();
  EXPECT_TRUE(c.Q1->GetEOF());

  c.Open(c.Q1, {u"SELECT N FROM TWICE"});
  EXPECT_EQ(F(c.Q1, u"N")->GetAsInteger(), 10);

  c.Exec(c.Q2, {u"EXECUTE PROCEDURE COL_DEL_TST(5)"});   // ExecSQL runs it too
}

TEST(IBQuery, LocateIsExactCaseSensitiveAndKeepsThePositionWhenNotFound) {
  TConnection c(NewDatabase());
  c.ExecCommit({u"CREATE TABLE T (ID INTEGER, NAME VARCHAR(10), FIXED CHAR(5))"});
  c.Exec({u"INSERT INTO T VALUES (1, 'alpha', 'ab')"});
  c.Exec({u"INSERT INTO T VALUES (2, 'Beta', 'cd')"});
  c.Exec({u"INSERT INTO T VALUES (3, 'gamma', 'ef')"});
  c.Open(c.Q1, {u"SELECT * FROM T ORDER BY ID"});
  c.Q1->Next();
  c.Q1->Next();

  EXPECT_TRUE(c.Q1->Locate(u"NAME", u"alpha", {}));   // searches from the first row
  EXPECT_EQ(F(c.Q1, u"ID")->GetAsInteger(), 1);
  EXPECT_TRUE(c.Q1->Locate(u"name", u"Beta", {}));
  EXPECT_EQ(F(c.Q1, u"ID")->GetAsInteger(), 2);

  for (const Char* miss : {u"beta", u"Bet", u"alpha ", u""}) {
    EXPECT_FALSE(c.Q1->Locate(u"NAME", miss, {}));
    EXPECT_EQ(F(c.Q1, u"ID")->GetAsInteger(), 2);
    EXPECT_FALSE(c.Q1->GetEOF());
  }
  EXPECT_FALSE(c.Q1->Locate(u"FIXED", u"cd", {}));   // CHAR values carry their blanks
  EXPECT_TRUE(c.Q1->Locate(u"FIXED", u"cd   ", {}));
  EXPECT_TRUE(c.Q1->Locate(u"NAME", u"BET", TLocateOptions{loCaseInsensitive, loPartialKey}));

  c.Q1->Next();
  c.Q1->Next();
  ASSERT_TRUE(c.Q1->GetEOF());
  EXPECT_FALSE(c.Q1->Locate(u"NAME", u"delta", {}));
  EXPECT_TRUE(c.Q1->GetEOF());
  EXPECT_THROW(c.Q1->Locate(u"NOPE", u"x", {}), EDatabaseError);
}

// The update script's procedure test: names in RDB$PROCEDURES are CHAR(31) padded with blanks.
TEST(IBQuery, LocateFindsProcedureNamesWithTheirPadding) {
  TConnection c(NewDatabase());
  c.ExecCommit({u"CREATE PROCEDURE KAT_TXT RETURNS (N INTEGER) AS BEGIN N = 1; SUSPEND; END"});
  c.Open(c.Q1, {u"Select RDB$PROCEDURE_NAME from RDB$PROCEDURES"});
  EXPECT_EQ(c.Q1->GetFieldDefs()->GetItems(0)->GetSize(), 31);
  const String padded = Copy(u"KAT_TXT" + StringOfChar(u' ', 65), 1, 31);
  EXPECT_TRUE(c.Q1->Locate(u"RDB$PROCEDURE_NAME", padded, {}));
  EXPECT_EQ(F(c.Q1, u"RDB$PROCEDURE_NAME")->GetAsString(), padded);
  EXPECT_FALSE(c.Q1->Locate(u"RDB$PROCEDURE_NAME", u"KAT_TXT", {}));
  EXPECT_FALSE(c.Q1->Locate(u"RDB$PROCEDURE_NAME", Copy(u"kat_txt" + StringOfChar(u' ', 65), 1, 31), {}));
}

TEST(IBQuery, OpenPreparesAnewAfterDDL) {
  TConnection c(NewDatabase());
  c.ExecCommit({u"CREATE TABLE GWKDATEN (GWK_ID INTEGER)"});
  c.Open(c.Q1, {u"Select * from GWKDATEN"});
  EXPECT_EQ(c.Q1->GetFieldList()->IndexOf(u"GWK_TFARBE"), -1);
  c.Exec(c.Q1, {u"ALTER TABLE GWKDATEN ADD GWK_TFARBE INTEGER"});
  c.TR->Commit();
  c.Open(c.Q1, {u"Select * from GWKDATEN"});
  EXPECT_EQ(c.Q1->GetFieldList()->IndexOf(u"GWK_TFarbe"), 1);
}

TEST(IBQuery, StatementErrorsLeaveTheQueryClosedAndUsable) {
  TConnection c(NewDatabase());
  const EIBInterBaseError unknown = Raised<EIBInterBaseError>([&] { c.Open(c.Q1, {u"SELECT * FROM KASDATEN "}); });
  EXPECT_EQ(unknown.SQLCode, -204);
  EXPECT_TRUE(ContainsStr(unknown.Message, u"Table unknown\r\nKASDATEN")) << unknown.what();
  EXPECT_FALSE(c.Q1->GetActive());

  const EIBInterBaseError syntax = Raised<EIBInterBaseError>([&] { c.Exec({u"CREATE TABLEX T (ID INTEGER)"}); });
  EXPECT_EQ(syntax.SQLCode, -104);
  EXPECT_TRUE(ContainsStr(syntax.Message, u"Token unknown")) << syntax.what();

  EXPECT_THROW(c.Open(c.Q1, {u"CREATE TABLE T (ID INTEGER)"}), EIBClientError);   // no rows to open
  EXPECT_FALSE(c.Q1->GetActive());
  c.TR->Commit();   // nothing of the refused Open was run
  TStringList names;
  c.DB->GetTableNames(&names, false);
  EXPECT_EQ(names.GetCount(), 0);

  c.Open(c.Q1, {u"SELECT 1 FROM RDB$DATABASE"});
  EXPECT_TRUE(c.Q1->GetActive());
}

TEST(IBQuery, NumbersFollowFormatSettings) {
  TConnection c(NewDatabase());
  c.Open(c.Q1, {u"SELECT CAST(-1234.50 AS NUMERIC(9,2)) AS N, CAST(2.5 AS DOUBLE PRECISION) AS D,",
                u" CAST(0.001 AS NUMERIC(18,3)) AS S, CAST(-0.001 AS NUMERIC(18,3)) AS M FROM RDB$DATABASE"});
  const Char saved = FormatSettings.DecimalSeparator;
  FormatSettings.DecimalSeparator = u',';
  EXPECT_EQ(F(c.Q1, u"N")->GetAsString(), u"-1234,5");
  EXPECT_EQ(F(c.Q1, u"D")->GetAsString(), u"2,5");
  EXPECT_EQ(F(c.Q1, u"S")->GetAsString(), u"0,001");
  EXPECT_EQ(F(c.Q1, u"M")->GetAsString(), u"-0,001");
  FormatSettings.DecimalSeparator = saved;
  EXPECT_EQ(F(c.Q1, u"N")->GetAsInteger(), -1234);   // halves go to even
  EXPECT_EQ(F(c.Q1, u"D")->GetAsInteger(), 2);
}

// An old dialect 1 database: statements are prepared in its dialect.
TEST(IBQuery, WorksOnADialectOneDatabase) {
  TConnection c(NewDatabase("", "", 1));
  c.DB->SetConnected(true);
  EXPECT_EQ(c.DB->GetSQLDialect(), 1);
  c.ExecCommit({u"CREATE TABLE D (X DATE, N NUMERIC(15,2))"});
  c.Exec({u"INSERT INTO D VALUES ('2021-05-06 12:00:00', 12.5)"});
  c.Open(c.Q1, {u"SELECT X, N, \"text\" AS T FROM D"});
  EXPECT_EQ(F(c.Q1, u"X")->GetAsDateTime(), EncodeDate(2021, 5, 6) + 0.5);
  EXPECT_EQ(F(c.Q1, u"N")->GetAsString(), u"12.5");
  EXPECT_EQ(F(c.Q1, u"T")->GetAsString(), u"text");
}

// Text in other character sets, both ways: statements encoded in the connection's set (WIN1250
// here) and multi-byte column data (Shift-JIS) read as its bytes through a NONE connection.
TEST(IBQuery, TextInOtherCharacterSets) {
  const String path = NewDatabase("DEFAULT CHARACTER SET UTF8");
  {
    TConnection c(path);
    c.DB->GetParams()->Add(u"lc_ctype=WIN1250");
    c.ExecCommit({u"CREATE TABLE T (U VARCHAR(10), J VARCHAR(10) CHARACTER SET SJIS_0208)"});
    c.ExecCommit({u"INSERT INTO T (U) VALUES ('Łódź')"});
    c.DB->SetConnected(false);
    c.DB->GetParams()->SetValues(u"lc_ctype", u"UTF8");
    c.ExecCommit({u"UPDATE T SET J = '日本語'"});
  }
  TConnection c(path);
  c.Open(c.Q1, {u"SELECT U, J FROM T"});
  EXPECT_EQ(F(c.Q1, u"U")->GetAsString(), u"Łódź");
  EXPECT_EQ(F(c.Q1, u"J")->GetAsString(), u"日本語");
  EXPECT_EQ(c.Q1->GetFieldDefs()->GetItems(1)->GetSize(), 10);
}

// The character-set table agrees with the server's own.
TEST(IBQuery, CharacterSetTableMatchesTheServer) {
  TConnection c(NewDatabase());
  c.Open(c.Q1, {u"SELECT RDB$CHARACTER_SET_ID, RDB$CHARACTER_SET_NAME, RDB$BYTES_PER_CHARACTER FROM RDB$CHARACTER_SETS"});
  Integer rows = 0;
  for (; !c.Q1->GetEOF(); c.Q1->Next(), ++rows) {
    const Integer id = c.Q1->GetFields()->GetFields(0)->GetAsInteger();
    const String name = TrimRight(c.Q1->GetFields()->GetFields(1)->GetAsString());
    SCOPED_TRACE(UTF8Encode(name));
    const IBClient::TCharSetInfo* cs = IBClient::FindCharSet(id);
    ASSERT_NE(cs, nullptr);
    EXPECT_EQ(UTF8ToString(cs->Name), name);
    EXPECT_EQ(cs->BytesPerChar, c.Q1->GetFields()->GetFields(2)->GetAsInteger());
    EXPECT_EQ(IBClient::FindCharSet(name), cs);
  }
  EXPECT_GT(rows, 40);
}
