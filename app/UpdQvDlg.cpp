#include "app/UpdQvDlg.h"

const Char* const StatusIdle = u"Leerlauf";
const Char* const StatusConnected = u"Datenbank verbunden......";
const Char* const StatusNotConnected = u"Datenbank nicht verbunden: ";
const Char* const StatusUpdating = u"Update wird durchgeführt";
const Char* const StatusUpdated = u"Update ist abgeschlossen";

TUpdQvDlg* UpdQvDlg = nullptr;

namespace {

// A message of several lines on the one status line.
String OneLine(const String& Text) {
  String line;
  for (const Char c : Trim(Text)) {
    if (c == u'\r') continue;
    if (c == u'\n')
      line += u" ";
    else
      line += c;
  }
  return line;
}

}  // namespace

TUpdQvDlg::TUpdQvDlg(TComponent* AOwner) : TForm(AOwner) { ReadFormDescription(); }

void TUpdQvDlg::FormCreate(TObject*) {}

void TUpdQvDlg::SpeedButton1Click(TObject*) {
  if (!OpenDialog1->Execute()) return;
  Edit1->SetText(OpenDialog1->GetFileName());
  if (!Edit1->GetText().empty()) Button1->SetEnabled(true);
}

// Opening never shows an error box; when it fails, the status line says so with the reason.
void TUpdQvDlg::Button1Click(TObject*) {
  try {
    DBZelk->SetConnected(false);
    DBZelk->SetDatabaseName(Edit1->GetText());
    DBZelk->SetConnected(true);
    DBZelk->GetTableNames(LB0->GetItems(), true);
    Label3->SetCaption(StatusConnected);
  } catch (const Exception& E) {
    Label3->SetCaption(StatusNotConnected + OneLine(E.Message));
  }
}

// Disconnecting commits the open transaction. When that commit fails, the error is shown, the
// transaction rolled back and the connection closed, so that the window can still be quit.
void TUpdQvDlg::Button2Click(TObject*) {
  if (DBZelk->GetConnected()) {
    try {
      DBZelk->SetConnected(false);
    } catch (Exception& E) {
      Application->HandleException(this, E);
      try {
        if (IB1->GetActive()) IB1->Rollback();
        DBZelk->SetConnected(false);
      } catch (const Exception&) {
        // The connection is gone with the window (its destructor detaches regardless).
      }
    }
  }
  Close();
}

void TUpdQvDlg::Button3Click(TObject*) {
  Button3->SetEnabled(false);
  Label3->SetCaption(StatusUpdating);
  Application->ProcessMessages();
  TUpdateComponents components{*DBZelk, *IB1, *IBQ1, *IBQ2, *IBQ3, *IBQ4, *LB0->GetItems(), nullptr};
  RunUpdateScript(components);
  Label3->SetCaption(StatusUpdated);
}
