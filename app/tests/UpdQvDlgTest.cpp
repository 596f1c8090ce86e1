// The update window driven headless through the message queue, on real database files.
#include <gmock/gmock.h>

#include "platform/ui/testsupport/UiTestSupport.h"
#include "UpdateFixture.h"
#include "app/UpdQvDlg.h"

using namespace UpdateTest;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

constexpr UINT WM_PROBE = WM_USER + 77;

String Text(TLabel* L) { return L->GetCaption(); }

}  // namespace

class UpdQvDlgTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Application->SetTitle(u"Update Zelk");
    // Not the main form: closing it hides it and leaves the application running for the next test.
    W = new TUpdQvDlg(Application);
    W->AfterConstruction();
    W->Show();
    Pump();
  }

  // Chooses File in the file dialog (Cancel when File is empty).
  void ChooseFile(const String& File) {
    SetDialogObserver([File](TCustomForm* Dialog) {
      if (File.empty()) {
        TPoint p = static_cast<TControl*>(Dialog->FindComponent(u"CancelButton"))->ClientToScreen(TPoint{5, 5});
        Headless::Click(p.x, p.y);
        return;
      }
      static_cast<TEdit*>(Dialog->FindComponent(u"NameEdit"))->SetText(File);
      TPoint p = static_cast<TControl*>(Dialog->FindComponent(u"OkButton"))->ClientToScreen(TPoint{5, 5});
      Headless::Click(p.x, p.y);
    });
    ClickAt(W->SpeedButton1, 10, 10);
    SetDialogObserver(nullptr);
  }
  // Opens Path as a user does: the file dialog, then "Datenbank öffnen".
  void Open(const String& Path) {
    ChooseFile(Path);
    ClickAt(W->Button1, 20, 10);
  }
  // Clicks a button that shows the error box; answers it and returns its message ("" when none).
  String ClickExpectingError(TControl* Button) {
    String message;
    SetDialogObserver([&](TCustomForm* Box) {
      message = static_cast<TLabel*>(Box->FindComponent(u"Message"))->GetCaption();
      Headless::KeyPress(VK_RETURN);
    });
    ClickAt(Button, 20, 10);
    SetDialogObserver(nullptr);
    return message;
  }
  void ForbidDialogs() {
    SetDialogObserver([](TCustomForm* Box) {
      ADD_FAILURE() << "a box was shown: " << UTF8Encode(Box->GetCaption());
      Headless::KeyPress(VK_RETURN);
    });
  }

  TUpdQvDlg* W = nullptr;
};

TEST_F(UpdQvDlgTest, TheWindowIsBuiltFromItsDescription) {
  EXPECT_EQ(W->GetCaption(), u"Update R29 6.05.2021");
  EXPECT_EQ(W->GetBorderStyle(), bsToolWindow);
  EXPECT_TRUE(W->GetBorderIcons().Empty());
  EXPECT_EQ(W->GetPosition(), poScreenCenter);
  EXPECT_EQ(W->GetClientWidth(), 722);
  EXPECT_EQ(W->GetClientHeight(), 240);
  EXPECT_EQ(W->GetColor(), clBtnFace);
  EXPECT_EQ(W->GetFont()->GetName(), u"Tahoma");
  EXPECT_EQ(W->GetFont()->GetHeight(), -12);
  EXPECT_EQ(W->GetFont()->GetCharset(), 0);
  EXPECT_EQ(W->GetFont()->GetColor(), clWindowText);

  // Components in declaration order.
  const Char* names[] = {u"DBZelk", u"IB1",     u"IBQ1",   u"IBQ2",   u"GroupBox1", u"Label1",
                         u"Edit1",  u"SpeedButton1", u"OpenDialog1", u"Button1", u"Button2", u"Button3",
                         u"Label2", u"Label3",  u"LB0",    u"IBQ3",   u"IBQ4"};
  ASSERT_EQ(W->GetComponentCount(), 17);
  for (Integer i = 0; i < 17; ++i) EXPECT_EQ(W->GetComponents(i)->GetName(), names[i]);

  EXPECT_EQ(W->GroupBox1->GetParent(), W);
  EXPECT_EQ(W->GroupBox1->GetBoundsRect(), (TRect{10, 10, 710, 228}));
  EXPECT_EQ(W->GroupBox1->GetCaption(), u"");
  struct {
    TControl* Control;
    TRect Bounds;
    const Char* Text;
  } controls[] = {
      {W->Label1, {30, 30, 93, 44}, u"Datenbank:"},       {W->Edit1, {108, 25, 622, 47}, u""},
      {W->SpeedButton1, {630, 23, 658, 50}, u""},         {W->Label2, {30, 98, 69, 112}, u"Status:"},
      {W->Label3, {108, 98, 151, 112}, u"Leerlauf"},      {W->Button1, {30, 167, 218, 198}, u"Datenbank öffnen"},
      {W->Button3, {315, 167, 454, 198}, u"Update durchführen"}, {W->Button2, {591, 167, 683, 198}, u"Beenden"},
      {W->LB0, {404, 20, 553, 139}, u""}};
  for (const auto& c : controls) {
    SCOPED_TRACE(UTF8Encode(c.Control->GetName()));
    EXPECT_EQ(c.Control->GetParent(), W->GroupBox1);
    EXPECT_EQ(c.Control->GetLeft(), c.Bounds.left);
    EXPECT_EQ(c.Control->GetTop(), c.Bounds.top);
    if (!Is<TLabel>(c.Control)) {   // labels fit their text
      EXPECT_EQ(c.Control->GetBoundsRect(), c.Bounds);
    }
    EXPECT_EQ(c.Control->GetCaption(), c.Text);
  }
  EXPECT_FALSE(W->Button1->GetEnabled());
  EXPECT_TRUE(W->Button3->GetEnabled());
  EXPECT_FALSE(W->LB0->GetVisible());
  EXPECT_EQ(W->LB0->GetItemHeight(), 14);
  EXPECT_FALSE(W->SpeedButton1->GetGlyph()->GetEmpty());
  std::vector<TWinControl*> tabs;
  W->GroupBox1->GetTabOrderList(tabs);
  EXPECT_EQ(tabs, (std::vector<TWinControl*>{W->Edit1, W->Button1, W->Button2, W->Button3, W->LB0}));

  EXPECT_EQ(W->DBZelk->GetDatabaseName(), u"C:\\Daten\\Datenbanken\\Brunnholt\\KALDERN.GDB");
  EXPECT_EQ(W->DBZelk->GetParams()->GetText(), u"user_name=SYSDBA\r\npassword=plumcrest\r\n");
  EXPECT_FALSE(W->DBZelk->GetLoginPrompt());
  EXPECT_EQ(W->DBZelk->GetDefaultTransaction(), W->IB1);
  EXPECT_EQ(W->DBZelk->GetServerType(), u"IBServer");
  EXPECT_FALSE(W->DBZelk->GetConnected());
  EXPECT_EQ(W->IB1->GetDefaultDatabase(), W->DBZelk);
  EXPECT_EQ(W->IB1->GetParams()->GetText(), u"read_committed\r\nrec_version\r\nnowait\r\n");
  EXPECT_EQ(W->IB1->GetDefaultAction(), TACommit);
  for (TIBQuery* q : {W->IBQ1, W->IBQ2, W->IBQ3, W->IBQ4}) {
    EXPECT_EQ(q->GetDatabase(), W->DBZelk);
    EXPECT_EQ(q->GetTransaction(), W->IB1);
    EXPECT_EQ(q->GetBufferChunks(), 1000);
    EXPECT_FALSE(q->GetParamCheck());
    EXPECT_FALSE(q->GetCachedUpdates());
    EXPECT_FALSE(q->GetAutoCalcFields());
    EXPECT_EQ(q->GetForcedRefresh(), q == W->IBQ3);
  }
  EXPECT_EQ(W->IBQ3->GetSQL()->GetText(), u"Select * from bendaten\r\n");
  EXPECT_EQ(W->IBQ4->GetSQL()->GetText(), u"Select * from bendaten\r\n");
  EXPECT_EQ(W->OpenDialog1->GetDefaultExt(), u".ib");
  EXPECT_EQ(W->OpenDialog1->GetFilter(), u" Interbase|*.ib| Firebird|*.gdb");

  EXPECT_TRUE(Headless::SaveWindowPng(W->GetHandle(), OutputPath("UpdQvDlgHeadless.png")));
}

TEST_F(UpdQvDlgTest, TheFileDialogFillsThePathAndEnablesOpening) {
  const String db = MakeOldDatabase();
  ChooseFile(u"");   // cancelled: nothing changes
  EXPECT_EQ(W->Edit1->GetText(), u"");
  EXPECT_FALSE(W->Button1->GetEnabled());
  ChooseFile(db);
  EXPECT_EQ(W->Edit1->GetText(), db);
  EXPECT_TRUE(W->Button1->GetEnabled());
  W->Edit1->SetText(u"von Hand");
  ChooseFile(u"");
  EXPECT_EQ(W->Edit1->GetText(), u"von Hand");
  EXPECT_TRUE(W->Button1->GetEnabled());   // never disabled again
}

TEST_F(UpdQvDlgTest, OpeningAGoodAMissingAndAnEmptyPath) {
  ForbidDialogs();   // opening never shows a box
  const String db = MakeOldDatabase();
  Open(db);
  EXPECT_EQ(Text(W->Label3), u"Datenbank verbunden......");
  EXPECT_TRUE(W->DBZelk->GetConnected());
  EXPECT_GE(W->LB0->GetItems()->IndexOf(u"GWKDATEN"), 0);
  EXPECT_GE(W->LB0->GetItems()->IndexOf(u"RDB$RELATIONS"), 0);   // system tables too
  EXPECT_LT(W->LB0->GetItems()->IndexOf(u"AUFOBJ"), 0);          // views never

  // Opening again reconnects; the disconnect commits the open transaction.
  W->IBQ1->GetSQL()->SetText(u"UPDATE PRIDATEN SET PRI_BEZEICHNUNG = 'offen' WHERE PRI_ID = 3");
  W->IBQ1->ExecSQL();
  ClickAt(W->Button1, 20, 10);
  EXPECT_TRUE(W->DBZelk->GetConnected());
  EXPECT_THAT(Rows(db, u"SELECT PRI_BEZEICHNUNG FROM PRIDATEN WHERE PRI_ID = 3"), Contains("offen"));

  struct {
    const char* Case;
    String Path;
  } failing[] = {{"missing file", UTF8ToString(DbTest::WorkFolder()) + u"/fehlt.fdb"},
                 {"empty path", u""}};
  for (const auto& f : failing) {
    SCOPED_TRACE(f.Case);
    W->Edit1->SetText(f.Path);
    ClickAt(W->Button1, 20, 10);
    EXPECT_FALSE(W->DBZelk->GetConnected());
    EXPECT_EQ(W->DBZelk->GetDatabaseName(), f.Path);
    EXPECT_THAT(UTF8Encode(Text(W->Label3)), StartsWith("Datenbank nicht verbunden: "));
    EXPECT_GT(Text(W->Label3).size(), String(u"Datenbank nicht verbunden: ").size());   // with the reason
  }
}

TEST_F(UpdQvDlgTest, UpdateShowsItsStatusBeforeAndAfterTheScript) {
  const String db = MakeOldDatabase();
  Open(db);
  // A message posted as the click starts is handled by the one pass over pending messages, before
  // the script: it sees the status line, the button and the painted window at that moment.
  String during;
  bool enabledDuring = true, scriptStarted = true;
  int darkInLabel = 0;
  auto original = W->WindowProc;
  W->WindowProc = [&](TMessage& M) {
    if (M.Msg != WM_PROBE) return original(M);
    during = Text(W->Label3);
    enabledDuring = W->Button3->GetEnabled();
    scriptStarted = W->LB0->GetItems()->IndexOf(u"IDODATEN") >= 0;
    // The status text, longer than "Leerlauf", is drawn: dark pixels right of where that ended.
    TPoint origin = W->Label3->ClientToParent(TPoint{0, 0}, W);
    for (int x = origin.x + 60; x < origin.x + 140; ++x)
      for (int y = origin.y; y < origin.y + 14; ++y)
        if (GetRValue(Headless::ClientPixel(W->GetHandle(), x, y)) < 100) ++darkInLabel;
  };
  W->Button3->OnClick = [&](TObject* Sender) {
    PostMessage(W->GetHandle(), WM_PROBE, 0, 0);
    W->Button3Click(Sender);
  };
  ForbidDialogs();
  ClickAt(W->Button3, 20, 10);
  W->WindowProc = original;

  EXPECT_EQ(during, u"Update wird durchgeführt");
  EXPECT_FALSE(enabledDuring);
  EXPECT_FALSE(scriptStarted);
  EXPECT_GT(darkInLabel, 20);
  EXPECT_EQ(Text(W->Label3), u"Update ist abgeschlossen");
  EXPECT_FALSE(W->Button3->GetEnabled());
  EXPECT_GE(W->LB0->GetItems()->IndexOf(u"IDODATEN"), 0);
  ClickAt(W->Button2, 20, 10);
  EXPECT_THAT(Describe(db), Contains("column GWKDATEN.GWK_COLID INTEGER"));
}

// A failing step ends the script in the error box with the server's message; the status keeps
// its text and the button stays disabled.
TEST_F(UpdQvDlgTest, ScriptErrorsReachTheErrorBox) {
  struct {
    const char* Case;
    bool OpenFirst;
    const char* Message;
  } cases[] = {{"no OBJDATEN", true, "OBJDATEN"},
               // Before any database is opened, the stored default path is used: it names no file
               // here, and the attach fails at once.
               {"default path", false, "KALDERN.GDB"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Case);
    delete W;
    W = new TUpdQvDlg(Application);
    W->AfterConstruction();
    W->Show();
    Pump();
    if (c.OpenFirst) Open(MakeOldDatabase({.Objdaten = false}));
    const String message = ClickExpectingError(W->Button3);
    EXPECT_THAT(UTF8Encode(message), HasSubstr(c.Message));
    EXPECT_EQ(Text(W->Label3), u"Update wird durchgeführt");
    EXPECT_FALSE(W->Button3->GetEnabled());
  }
}

TEST_F(UpdQvDlgTest, BeendenCommitsAndClosesTheWindow) {
  const String db = MakeOldDatabase();
  Open(db);
  W->IBQ1->GetSQL()->SetText(u"UPDATE PRIDATEN SET PRI_BEZEICHNUNG = 'beendet' WHERE PRI_ID = 3");
  W->IBQ1->ExecSQL();
  ForbidDialogs();
  ClickAt(W->Button2, 20, 10);
  EXPECT_FALSE(W->GetVisible());
  EXPECT_FALSE(W->DBZelk->GetConnected());
  EXPECT_THAT(Rows(db, u"SELECT PRI_BEZEICHNUNG FROM PRIDATEN WHERE PRI_ID = 3"), Contains("beendet"));
}

// A commit that fails when quitting (the engine builds a unique index over duplicates at commit):
// the error box shows it, the transaction is rolled back, and the window still closes.
TEST_F(UpdQvDlgTest, BeendenWithAFailingCommitShowsTheErrorAndStillCloses) {
  const String db = MakeOldDatabase();
  Open(db);
  W->IBQ1->GetSQL()->SetText(u"UPDATE PRIDATEN SET PRI_BEZEICHNUNG = 'doppelt'");
  W->IBQ1->ExecSQL();
  W->IB1->Commit();
  W->IBQ1->GetSQL()->SetText(u"CREATE UNIQUE INDEX UX_PRI ON PRIDATEN (PRI_BEZEICHNUNG)");
  W->IBQ1->ExecSQL();
  const String message = ClickExpectingError(W->Button2);
  EXPECT_THAT(UTF8Encode(message), HasSubstr("duplicate"));
  EXPECT_FALSE(W->GetVisible());
  EXPECT_FALSE(W->DBZelk->GetConnected());
  EXPECT_FALSE(W->IB1->GetActive());
  EXPECT_TRUE(Rows(db, u"SELECT RDB$INDEX_NAME FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'UX_PRI'").empty());
}
