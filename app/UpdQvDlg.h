#pragma once
// The update window: pick a database file, open it, run the schema update, quit.
#include "app/UpdateScript.h"
#include "platform/db/IBDatabase.h"
#include "platform/db/IBQuery.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

// Status line texts.
extern const Char* const StatusIdle;
extern const Char* const StatusConnected;
extern const Char* const StatusNotConnected;   // followed by the server's reason
extern const Char* const StatusUpdating;
extern const Char* const StatusUpdated;

class TUpdQvDlg : public TForm {
  ZELK_CLASS(TUpdQvDlg, TForm)
public:
  // Builds the window from its form description (UpdQvDlgForm.cpp). Setting the connection's
  // server type loads the client library: without it, construction raises EIBClientError.
  explicit TUpdQvDlg(TComponent* AOwner);

  // Components, owned by the window, in the order of the form description.
  TIBDatabase* DBZelk = nullptr;
  TIBTransaction* IB1 = nullptr;
  TIBQuery* IBQ1 = nullptr;
  TIBQuery* IBQ2 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TLabel* Label1 = nullptr;
  TEdit* Edit1 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TButton* Button1 = nullptr;
  TButton* Button2 = nullptr;
  TButton* Button3 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TListBox* LB0 = nullptr;
  TIBQuery* IBQ3 = nullptr;
  TIBQuery* IBQ4 = nullptr;

  // Event handlers.
  void SpeedButton1Click(TObject* Sender);   // the file dialog
  void FormCreate(TObject* Sender);
  void Button1Click(TObject* Sender);        // "Datenbank öffnen"
  void Button2Click(TObject* Sender);        // "Beenden"
  void Button3Click(TObject* Sender);        // "Update durchführen"

private:
  void ReadFormDescription();
  // The folder picture of SpeedButton1.
  void DrawOpenGlyph();
};

extern TUpdQvDlg* UpdQvDlg;
