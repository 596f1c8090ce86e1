// The form description of the update window: its stored properties, set in the order of the
// description, the components created in declaration order and their stored settings applied.
#include "app/UpdQvDlg.h"

namespace {

constexpr TFontCharset AnsiCharset = 0;

template <class T> T* Make(TComponent* Owner, const Char* Name) {
  T* component = new T(Owner);
  component->SetName(Name);
  return component;
}

template <class T> T* Place(TComponent* Owner, TWinControl* Parent, const Char* Name, Integer Left, Integer Top,
                            Integer Width, Integer Height) {
  T* control = Make<T>(Owner, Name);
  control->SetParent(Parent);
  control->SetBounds(Left, Top, Width, Height);
  return control;
}

}  // namespace

void TUpdQvDlg::ReadFormDescription() {
  SetName(u"UpdQvDlg");
  SetBorderIcons({});
  SetBorderStyle(bsToolWindow);
  SetCaption(u"Update R29 6.05.2021");
  SetClientHeight(240);
  SetClientWidth(722);
  SetColor(clBtnFace);
  GetFont()->SetCharset(AnsiCharset);
  GetFont()->SetColor(clWindowText);
  GetFont()->SetHeight(-12);
  GetFont()->SetName(u"Tahoma");
  GetFont()->SetStyle({});
  SetPosition(poScreenCenter);
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  SetPixelsPerInch(96);

  DBZelk = Make<TIBDatabase>(this, u"DBZelk");
  IB1 = Make<TIBTransaction>(this, u"IB1");
  IBQ1 = Make<TIBQuery>(this, u"IBQ1");
  IBQ2 = Make<TIBQuery>(this, u"IBQ2");

  GroupBox1 = Place<TGroupBox>(this, this, u"GroupBox1", 10, 10, 700, 218);
  GroupBox1->SetCaption(String());
  Label1 = Place<TLabel>(this, GroupBox1, u"Label1", 30, 30, 63, 14);
  Label1->SetCaption(u"Datenbank:");
  Edit1 = Place<TEdit>(this, GroupBox1, u"Edit1", 108, 25, 514, 22);
  Edit1->SetText(String());
  SpeedButton1 = Place<TSpeedButton>(this, GroupBox1, u"SpeedButton1", 630, 23, 28, 27);
  DrawOpenGlyph();
  SpeedButton1->OnClick = [this](TObject* Sender) { SpeedButton1Click(Sender); };
  OpenDialog1 = Make<TOpenDialog>(this, u"OpenDialog1");
  OpenDialog1->SetDefaultExt(u".ib");
  OpenDialog1->SetFilter(u" Interbase|*.ib| Firebird|*.gdb");
  Button1 = Place<TButton>(this, GroupBox1, u"Button1", 30, 167, 188, 31);
  Button1->SetCaption(u"Datenbank öffnen");
  Button1->SetEnabled(false);
  Button1->OnClick = [this](TObject* Sender) { Button1Click(Sender); };
  Button2 = Place<TButton>(this, GroupBox1, u"Button2", 591, 167, 92, 31);
  Button2->SetCaption(u"Beenden");
  Button2->OnClick = [this](TObject* Sender) { Button2Click(Sender); };
  Button3 = Place<TButton>(this, GroupBox1, u"Button3", 315, 167, 139, 31);
  Button3->SetCaption(u"Update durchführen");
  Button3->OnClick = [this](TObject* Sender) { Button3Click(Sender); };
  Label2 = Place<TLabel>(this, GroupBox1, u"Label2", 30, 98, 39, 14);
  Label2->SetCaption(u"Status:");
  Label3 = Place<TLabel>(this, GroupBox1, u"Label3", 108, 98, 43, 14);
  Label3->SetCaption(StatusIdle);
  LB0 = Place<TListBox>(this, GroupBox1, u"LB0", 404, 20, 149, 119);
  LB0->SetItemHeight(14);
  LB0->SetVisible(false);
  IBQ3 = Make<TIBQuery>(this, u"IBQ3");
  IBQ4 = Make<TIBQuery>(this, u"IBQ4");

  Edit1->SetTabOrder(0);
  Button1->SetTabOrder(1);
  Button2->SetTabOrder(2);
  Button3->SetTabOrder(3);
  LB0->SetTabOrder(5);

  ApplyStoredSettings(*DBZelk, *IB1, *IBQ1, *IBQ2, *IBQ3, *IBQ4);
}

// An open folder in 16 x 16 pixels; the background colour (the bottom-left pixel) is transparent.
void TUpdQvDlg::DrawOpenGlyph() {
  constexpr TColor background = clFuchsia;
  constexpr TColor outline = 0x1E5A8C;   // brown
  constexpr TColor back = 0x30B4E6;      // the folder's back, dark yellow
  constexpr TColor front = 0x6EDCFF;     // the open flap, light yellow
  TBitmap glyph(16, 16);
  TCanvas* canvas = glyph.GetCanvas();
  canvas->GetBrush()->SetColor(background);
  canvas->FillRect(TRect{0, 0, 16, 16});
  canvas->GetPen()->SetColor(outline);
  canvas->GetBrush()->SetColor(back);
  canvas->Polygon({TPoint{1, 3}, TPoint{6, 3}, TPoint{7, 4}, TPoint{13, 4}, TPoint{13, 13}, TPoint{1, 13}});
  canvas->GetBrush()->SetColor(front);
  canvas->Polygon({TPoint{1, 13}, TPoint{4, 7}, TPoint{15, 7}, TPoint{12, 13}});
  SpeedButton1->SetGlyph(&glyph);
}
