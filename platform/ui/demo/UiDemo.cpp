// A form with every standard control of the class library, German texts included. With
// --screenshot FILE it shows the form, saves what the screen shows as PNG and exits; otherwise it
// runs until the form is closed.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/rtl/SysInfo.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Memo.h"
#include "platform/ui/ScrollBox.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/TrackBar.h"
#include "platform/win/WinSystem.h"

namespace {

template <class T> T* Place(TWinControl* Parent, Integer X, Integer Y, Integer W, Integer H) {
  auto* c = new T(Parent);
  c->SetParent(Parent);
  c->SetBounds(X, Y, W, H);
  return c;
}

// A folder glyph on a fuchsia background (the bottom-left pixel makes it transparent).
void DrawFolder(TBitmap* B) {
  B->SetPixelFormat(pf24bit);
  B->SetSize(16, 16);
  TCanvas* c = B->GetCanvas();
  c->GetBrush()->SetColor(clFuchsia);
  c->FillRect(TRect{0, 0, 16, 16});
  c->GetPen()->SetColor(clOlive);
  c->GetBrush()->SetColor(clYellow);
  c->Rectangle(1, 4, 15, 14);
  c->Rectangle(1, 2, 7, 5);
}

class TDemoForm : public TForm {
  ZELK_CLASS(TDemoForm, TForm)
public:
  explicit TDemoForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Steuerelemente – Übersicht");
    SetBorderStyle(bsSingle);
    SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
    GetFont()->SetName(u"Tahoma");
    GetFont()->SetHeight(-12);
    SetBounds(20, 20, 100, 100);
    SetClientWidth(640);
    SetClientHeight(550);

    auto* group = Place<TGroupBox>(this, 10, 8, 620, 110);
    group->SetCaption(u"Datenbank");
    auto* label = Place<TLabel>(group, 16, 30, 80, 15);
    label->SetCaption(u"&Datenbank:");
    auto* edit = Place<TEdit>(group, 100, 26, 440, 22);
    edit->SetText(u"/daten/Größe/KALDERN.GDB");
    label->SetFocusControl(edit);
    auto* speed = Place<TSpeedButton>(group, 550, 24, 28, 27);
    TBitmap glyph;
    DrawFolder(&glyph);
    speed->SetGlyph(&glyph);
    auto* open = Place<TButton>(group, 16, 66, 160, 28);
    open->SetCaption(u"Datenbank &öffnen");
    open->SetDefault(true);
    auto* apply = Place<TButton>(group, 190, 66, 120, 28);
    apply->SetCaption(u"Ü&bernehmen");
    auto* quit = Place<TButton>(group, 324, 66, 100, 28);
    quit->SetCaption(u"Beenden");
    quit->SetCancel(true);
    quit->OnClick = [this](TObject*) { Close(); };
    auto* disabled = Place<TButton>(group, 438, 66, 140, 28);
    disabled->SetCaption(u"Gesperrt");
    disabled->SetEnabled(false);

    auto* check = Place<TCheckBox>(this, 16, 130, 180, 20);
    check->SetCaption(u"Größe anpassen");
    check->SetChecked(true);
    auto* grayed = Place<TCheckBox>(this, 16, 154, 180, 20);
    grayed->SetAllowGrayed(true);
    grayed->SetCaption(u"Teilweise übernommen");
    grayed->SetState(cbGrayed);
    auto* radio1 = Place<TRadioButton>(this, 210, 130, 150, 20);
    radio1->SetCaption(u"Schnell");
    auto* radio2 = Place<TRadioButton>(this, 210, 154, 150, 20);
    radio2->SetCaption(u"Gründlich");
    radio2->SetChecked(true);

    auto* list = Place<TListBox>(this, 16, 184, 180, 120);
    list->GetItems()->AddStrings({u"BENDATEN", u"COLDATEN", u"GWKDATEN", u"KASDATEN", u"KAT_TXT", u"Maßeinheiten",
                                  u"Öffnungszeiten", u"Übersicht", u"ZELLEN", u"ZUSÄTZE"});
    list->SetItemIndex(1);
    auto* combo = Place<TComboBox>(this, 210, 184, 160, 22);
    combo->SetStyle(csDropDownList);
    combo->GetItems()->AddStrings({u"Firebird", u"Interbase", u"Größte Datei"});
    combo->SetItemIndex(2);
    auto* combo2 = Place<TComboBox>(this, 210, 214, 160, 22);
    combo2->GetItems()->AddStrings({u"Leerlauf", u"Läuft"});
    combo2->SetText(u"Leerlauf");
    auto* bar = Place<TScrollBar>(this, 210, 250, 160, 17);
    bar->SetMax(100);
    bar->SetPageSize(20);
    bar->SetPosition(40);
    auto* vbar = new TScrollBar(this);
    vbar->SetParent(this);
    vbar->SetKind(sbVertical);
    vbar->SetBounds(380, 184, 17, 120);
    vbar->SetPosition(70);

    auto* panel = Place<TPanel>(this, 410, 130, 220, 60);
    panel->SetCaption(u"Panel: Übersicht");
    panel->SetBevelInner(bvLowered);
    auto* image = Place<TImage>(this, 410, 200, 100, 100);
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(40, 40);
    TCanvas* pc = picture.GetCanvas();
    pc->GetBrush()->SetColor(clSkyBlue);
    pc->FillRect(TRect{0, 0, 40, 40});
    pc->GetBrush()->SetColor(clNavy);
    pc->Ellipse(6, 6, 34, 34);
    image->GetPicture()->SetGraphic(&picture);
    image->SetStretch(true);
    image->SetProportional(true);
    image->SetCenter(true);
    auto* flat = Place<TSpeedButton>(this, 520, 200, 110, 26);
    flat->SetCaption(u"Flach");
    flat->SetFlat(true);
    auto* down1 = Place<TSpeedButton>(this, 520, 232, 54, 26);
    down1->SetCaption(u"Ein");
    down1->SetGroupIndex(1);
    down1->SetDown(true);
    auto* down2 = Place<TSpeedButton>(this, 576, 232, 54, 26);
    down2->SetCaption(u"Aus");
    down2->SetGroupIndex(1);

    auto* statusCaption = Place<TLabel>(this, 16, 320, 60, 15);
    statusCaption->SetCaption(u"Status:");
    Status = Place<TLabel>(this, 80, 320, 300, 15);
    Status->SetCaption(u"Leerlauf – Größe prüfen");
    auto* wrap = Place<TLabel>(this, 16, 344, 360, 60);
    wrap->SetAutoSize(false);
    wrap->SetWordWrap(true);
    wrap->SetCaption(u"Ein mehrzeiliger Text, der am Rand umbricht: Änderungen werden übernommen, sobald "
                     u"„Übernehmen“ gedrückt ist.");
    auto* right = Place<TLabel>(this, 410, 320, 220, 15);
    right->SetAutoSize(false);
    right->SetAlignment(taRightJustify);
    right->SetCaption(u"Rechtsbündig");
    Ticks = Place<TLabel>(this, 410, 344, 220, 15);
    Ticks->SetCaption(u"Zeitgeber: 0");

    auto* memo = Place<TMemo>(this, 16, 420, 200, 116);
    memo->SetScrollBars(ssVertical);
    memo->GetLines()->SetText(u"Notizen zur Datenbank:\r\nDie Größe wird beim Öffnen geprüft, lange Zeilen "
                              u"brechen am Rand um.\r\n\tEingerückt\r\nLetzte Zeile");
    auto* trackCaption = Place<TLabel>(this, 230, 420, 170, 15);
    trackCaption->SetCaption(u"Stufe: 3");
    auto* track = Place<TTrackBar>(this, 226, 440, 180, 45);
    track->SetPosition(3);
    track->OnChange = [track, trackCaption](TObject*) { trackCaption->SetCaption(u"Stufe: " + IntToStr(track->GetPosition())); };
    auto* box = Place<TScrollBox>(this, 420, 420, 210, 116);
    box->GetVertScrollBar()->SetTracking(true);
    for (int i = 0; i < 8; ++i) {
      auto* row = Place<TLabel>(box, 6, 6 + i * 26, 70, 15);
      row->SetCaption(u"Feld " + IntToStr(i + 1) + u":");
      auto* field = Place<TEdit>(box, 80, 2 + i * 26, 100, 22);
      field->SetText(i % 2 ? u"Übersicht" : u"Größe");
    }

    auto* timer = new TTimer(this);
    timer->SetInterval(1000);
    timer->SetOnTimer([this](TObject*) { Ticks->SetCaption(u"Zeitgeber: " + IntToStr(++FTicks)); });
    open->OnClick = [this](TObject*) {
      TOpenDialog dlg(nullptr);
      dlg.SetFilter(u" Interbase|*.ib| Firebird|*.gdb");
      dlg.SetDefaultExt(u".ib");
      if (dlg.Execute()) Status->SetCaption(dlg.GetFileName());
    };
    SetActiveControl(edit);
  }
  TLabel* Status = nullptr;
  TLabel* Ticks = nullptr;
  Integer FTicks = 0;
};

}  // namespace

int main(int argc, char** argv) {
  SetCommandLine(argc, argv);
  std::string screenshot;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) screenshot = argv[++i];
  Application->SetTitle(u"Steuerelemente");
  Application->Initialize();
  TDemoForm* form = nullptr;
  Application->CreateForm(form);
  if (screenshot.empty()) {
    Application->Run();
    return 0;
  }
  form->Show();
  Application->ProcessMessages();
  bool ok = SaveScreenshot(screenshot);
  delete form;
  if (!ok) {
    std::fprintf(stderr, "ui-demo: cannot save the screenshot to %s\n", screenshot.c_str());
    return 1;
  }
  return 0;
}
