// dropdown_demo: a form with the library's dropdowns, each with a label: a dropdown edit whose
// popup hosts a list box (header caption, OK and Cancel in the footer, size grip), and a control
// dropdown hosting a panel of platform controls (a group box of check boxes and a button), and a
// time picker whose popup holds an analog clock.
// Choosing an item of the list writes it into the edit. A track-bar dropdown, a memo dropdown and a
// multi-column dropdown of --items N generated names (1,000 unless given) follow, then a detail
// dropdown, an image picker and a colour picker. A style chooser at the right applies each of the
// library's styles to every dropdown on the form.
//
// --script DIR opens each dropdown in turn, saves what the screen shows as DIR/dropdown-N.png
// (N from 1) and closes it again, then applies each style and saves the form with the colour
// picker open as DIR/style-NN-NAME.png (NN from 01), then exits; --screenshot FILE saves the
// closed form. --log
// writes to standard output where the drop buttons and an empty spot of the form are on the screen
// ("button N X Y", "empty X Y", then "ready") and what happens ("open N", "close N cancelled" or
// "close N kept", "text N TEXT", "color N NAME"), for a script that drives the demo from outside.
// Without a display it says so and exits with 2.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lib/dropdown/NeoColorPickerDropDown.h"
#include "lib/dropdown/NeoControlDropDown.h"
#include "lib/dropdown/NeoDetailDropDown.h"
#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoImagePickerDropDown.h"
#include "lib/dropdown/NeoMemoDropDown.h"
#include "lib/dropdown/NeoMultiColumnDropDown.h"
#include "lib/dropdown/NeoTrackBarDropDown.h"
#include "lib/dropdown/NeoTimePickerDropDown.h"
#include "lib/graphics/NeoGDIP.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Units.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"
#include "platform/win/WinSystem.h"

namespace {

bool Log = false;
int ItemCount = 1000;

String StyleName(TNeoStyle Style) { return GetEnumName(EnumTypeInfo<TNeoStyle>(), Style); }

void Say(const std::string& Line) {
  if (!Log) return;
  std::printf("%s\n", Line.c_str());
  std::fflush(stdout);
}

// Reports the life of dropdown N (from 1) on the log.
void Watch(TNeoCustomDropDown* D, std::size_t N) {
  const std::string n = std::to_string(N);
  D->OnAfterDropDown = [n](TObject*) { Say("open " + n); };
  D->OnDropUp = [n](TObject*, bool Cancelled) { Say("close " + n + (Cancelled ? " cancelled" : " kept")); };
  D->OnChange = [n, D](TObject*) { Say("text " + n + " " + UTF8Encode(D->GetText())); };
}

class TDemoForm : public TForm {
  ZELK_CLASS(TDemoForm, TForm)
public:
  explicit TDemoForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Dropdowns");
    SetBounds(40, 40, 10, 10);
    SetClientWidth(580);
    SetClientHeight(380);
    AddStyleChooser();
    AddListDropDown();
    AddControlDropDown();
    AddTimePicker();
    AddTrackBarAndMemo();
    AddMultiColumn();
    AddPickers();
    for (std::size_t i = 0; i < DropDowns.size(); ++i) Watch(DropDowns[i], i + 1);
    SetActiveControl(Fruit);
  }

  void SayLayout() {
    for (std::size_t i = 0; i < DropDowns.size(); ++i) {
      TControl* b = DropDowns[i]->GetButton();
      TPoint p = b->ClientToScreen(TPoint{b->GetWidth() / 2, b->GetHeight() / 2});
      Say("button " + std::to_string(i + 1) + " " + std::to_string(p.x) + " " + std::to_string(p.y));
    }
    TPoint e = ClientToScreen(TPoint{GetClientWidth() - 20, GetClientHeight() - 20});
    Say("empty " + std::to_string(e.x) + " " + std::to_string(e.y));
    Say("ready");
  }

  // Every dropdown of the form takes on Style.
  void ApplyStyle(TNeoStyle Style) {
    for (TNeoCustomDropDown* d : DropDowns) d->SetComponentStyle(Style);
  }
  // What a user's choice of Style in the chooser does.
  void ChooseStyle(TNeoStyle Style) {
    Styles->SetItemIndex(Style);
    ApplyStyle(Style);
  }

  std::vector<TNeoCustomDropDown*> DropDowns;
  TComboBox* Styles = nullptr;
  TNeoDropDown* Fruit = nullptr;

private:
  // A list of the style names; choosing one applies it.
  void AddStyleChooser() {
    auto* label = new TLabel(this);
    label->SetParent(this);
    label->SetBounds(330, 4, 200, 15);
    label->SetCaption(u"Style:");
    Styles = new TComboBox(this);
    Styles->SetParent(this);
    Styles->SetStyle(csDropDownList);
    Styles->SetBounds(330, 20, 230, 21);
    for (Integer i = 0; i <= tsOffice2019Black; ++i) Styles->GetItems()->Add(StyleName(static_cast<TNeoStyle>(i)));
    Styles->SetItemIndex(tsCustom);
    Styles->OnChange = [this](TObject*) {
      if (Styles->GetItemIndex() < 0) return;
      ApplyStyle(static_cast<TNeoStyle>(Styles->GetItemIndex()));
      Say("style " + UTF8Encode(Styles->GetText()));
    };
  }

  void AddListDropDown() {
    Fruit = new TNeoDropDown(this);
    Fruit->SetParent(this);
    Fruit->SetBounds(110, 20, 180, 21);
    Fruit->SetLabelCaption(u"Fruit:");
    Fruit->SetText(u"Apple");
    THeaderAppearance* header = Fruit->GetDropDownHeader();
    header->SetCaption(u"<b>Pick a fruit</b>");
    TFooterAppearance* footer = Fruit->GetDropDownFooter();
    footer->SetSizeGrip(true);
    TFooterButton* ok = footer->GetButtons()->Add();
    ok->SetCaption(u"OK");
    ok->SetModalResult(mrOk);
    TFooterButton* cancel = footer->GetButtons()->Add();
    cancel->SetCaption(u"Cancel");
    cancel->SetModalResult(mrCancel);
    auto* list = new TListBox(this);
    list->SetBounds(0, 0, 200, 120);
    for (const Char* item : {u"Apple", u"Banana", u"Cherry", u"Date", u"Elderberry", u"Fig", u"Grape", u"Kiwi"})
      list->GetItems()->Add(item);
    list->SetItemIndex(0);
    list->OnClick = [this, list](TObject*) {
      if (list->GetItemIndex() >= 0) Fruit->SetText(list->GetItems()->GetStrings(list->GetItemIndex()));
    };
    Fruit->SetControl(list);
    DropDowns.push_back(Fruit);
  }

  void AddControlDropDown() {
    auto* options = new TNeoControlDropDown(this);
    options->SetParent(this);
    options->SetBounds(110, 60, 180, 21);
    options->SetLabelCaption(u"Options:");
    options->SetText(u"Bold");
    options->GetDropDownHeader()->SetCaption(u"Text options");
    options->GetDropDownFooter()->SetVisible(false);
    auto* panel = new TPanel(this);
    panel->SetBounds(0, 0, 200, 130);
    auto* group = new TGroupBox(this);
    group->SetParent(panel);
    group->SetBounds(8, 4, 184, 86);
    group->SetCaption(u"Style");
    std::vector<TCheckBox*> boxes;
    Integer top = 20;
    for (const Char* name : {u"Bold", u"Italic", u"Underline"}) {
      auto* box = new TCheckBox(this);
      box->SetParent(group);
      box->SetBounds(10, top, 160, 18);
      box->SetCaption(name);
      box->SetChecked(top == 20);
      boxes.push_back(box);
      top += 20;
    }
    auto* apply = new TButton(this);
    apply->SetParent(panel);
    apply->SetBounds(112, 96, 80, 26);
    apply->SetCaption(u"Apply");
    apply->OnClick = [options, boxes](TObject*) {
      String text;
      for (TCheckBox* box : boxes)
        if (box->GetChecked()) text += (text.empty() ? u"" : u", ") + box->GetCaption();
      options->SetText(text);
      options->HideDropDown(false);
    };
    options->SetControl(panel);
    DropDowns.push_back(options);
  }

  // A time picker: a click on the clock in its popup sets the hour. The log names its number.
  void AddTimePicker() {
    auto* time = new TNeoTimePickerDropDown(this);
    time->SetParent(this);
    time->SetBounds(110, 100, 180, 21);
    time->SetLabelCaption(u"Time:");
    time->SetTime(EncodeTime(10, 0, 0, 0));
    DropDowns.push_back(time);
    Say("timepicker " + std::to_string(DropDowns.size()));
  }

  // A track bar (the log tells where its thumb is when it opens and each position it takes) and a
  // memo; the log names their numbers.
  void AddTrackBarAndMemo() {
    auto* level = new TNeoTrackBarDropDown(this);
    level->SetParent(this);
    level->SetBounds(110, 140, 180, 21);
    level->SetLabelCaption(u"Level:");
    level->SetMax(20);
    level->SetPosition(5);
    const std::string n = std::to_string(DropDowns.size() + 1);
    level->OnGetDropDownPos = [level, n](TObject*, TPoint& Pos) {
      TTrackBar* bar = level->GetTrackBar();
      TRect thumb = bar->ThumbRect();
      Say("thumb " + n + " " + std::to_string(Pos.x + bar->GetLeft() + (thumb.left + thumb.right) / 2) + " " +
          std::to_string(Pos.y + bar->GetTop() + (thumb.top + thumb.bottom) / 2));
    };
    level->OnTrackChange = [level, n](TObject*) { Say("track " + n + " " + std::to_string(level->GetPosition())); };
    DropDowns.push_back(level);
    Say("trackbar " + n);
    auto* notes = new TNeoMemoDropDown(this);
    notes->SetParent(this);
    notes->SetBounds(110, 180, 180, 21);
    notes->SetLabelCaption(u"Notes:");
    notes->SetEditorEnabled(false);
    TStringList lines;
    lines.SetText(u"Buy apples\r\nCall the bank");
    notes->SetMemoText(&lines);
    DropDowns.push_back(notes);
    Say("memo " + std::to_string(DropDowns.size()));
  }

  // A multi-column dropdown of generated names ("Aaa 0", "Aab 1", ...) with their numbers.
  void AddMultiColumn() {
    auto* names = new TNeoMultiColumnDropDown(this);
    names->SetParent(this);
    names->SetBounds(110, 220, 180, 21);
    names->SetLabelCaption(u"Name:");
    names->GetColumns()->Add()->SetHeader(u"Name");
    names->GetColumns()->Add()->SetHeader(u"Number");
    names->BeginUpdate();
    for (int i = 0; i < ItemCount; ++i) {
      const String name{Char(u'A' + i / 676 % 26), Char(u'a' + i / 26 % 26), Char(u'a' + i % 26)};
      NeoMultiColumnDropDown::TDropDownItem* item = names->GetItems()->Add();
      item->GetText()->Add(name + u" " + IntToStr(i));
      item->GetText()->Add(IntToStr(i));
    }
    names->EndUpdate();
    DropDowns.push_back(names);
    Say("multicolumn " + std::to_string(DropDowns.size()));
  }

  // A detail dropdown of fruits with notes, an image picker of coloured squares in three columns
  // and a colour picker of the 16 default colours; the log names their numbers.
  void AddPickers() {
    auto* images = new TImageList(this);
    TBitmap strip;
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(16 * 6, 16);
    const TColor colours[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua};
    for (Integer i = 0; i < 6; ++i) {
      strip.GetCanvas()->GetBrush()->SetColor(colours[i]);
      strip.GetCanvas()->FillRect(TRect{16 * i, 0, 16 * i + 16, 16});
    }
    images->Add(&strip, nullptr);
    auto* fruit = new TNeoDetailDropDown(this);
    fruit->SetParent(this);
    fruit->SetBounds(110, 260, 180, 21);
    fruit->SetLabelCaption(u"Detail:");
    fruit->SetImages(images);
    fruit->SetItemHeight(36);
    const char16_t* captions[] = {u"Strawberry", u"Lime", u"Blueberry"};
    const char16_t* notes[] = {u"Sweet and <i>red</i>", u"<b>Sour</b> citrus",
                               u"Small and <font color=\"clBlue\">blue</font>"};
    for (Integer i = 0; i < 3; ++i) {
      TDetailItem* item = fruit->GetItems()->Add();
      item->SetCaption(captions[i]);
      item->SetNotes(notes[i]);
      item->SetImageIndex(i);
    }
    DropDowns.push_back(fruit);
    Say("detail " + std::to_string(DropDowns.size()));
    auto* picture = new TNeoImagePickerDropDown(this);
    picture->SetParent(this);
    picture->SetBounds(110, 300, 180, 24);
    picture->SetLabelCaption(u"Image:");
    picture->SetImages(images);
    picture->SetColumns(3);
    picture->AddImagesFromImageList();
    picture->SetItemIndex(2);
    DropDowns.push_back(picture);
    Say("imagepicker " + std::to_string(DropDowns.size()));
    auto* colour = new TNeoColorPickerDropDown(this);
    colour->SetParent(this);
    colour->SetBounds(110, 340, 180, 22);
    colour->SetLabelCaption(u"Colour:");
    colour->BeginUpdate();
    colour->AddDefaultColors();
    colour->EndUpdate();
    colour->SetSelectedColor(clTeal);
    DropDowns.push_back(colour);
    const std::string n = std::to_string(DropDowns.size());
    colour->OnSelect = [colour, n](TObject*) { Say("color " + n + " " + UTF8Encode(colour->GetSelectedColorText())); };
    Say("colorpicker " + n);
  }
};

// Applies each style in turn and saves the screen with the colour picker (the last dropdown)
// open, so that its popup shows the style's popup, header, footer and item colours as well.
bool SaveStyleScreens(TDemoForm* Form, const std::string& Dir) {
  bool ok = true;
  TNeoCustomDropDown* picker = Form->DropDowns.back();
  for (Integer i = 0; i <= tsOffice2019Black; ++i) {
    const auto style = static_cast<TNeoStyle>(i);
    Form->ChooseStyle(style);
    picker->SetFocus();
    picker->ShowDropDown();
    Application->ProcessMessages();
    char number[16];
    std::snprintf(number, sizeof number, "%02d", static_cast<int>(i + 1));
    ok = SaveScreenshot(Dir + "/style-" + number + "-" + UTF8Encode(StyleName(style)) + ".png") && ok;
    picker->HideDropDown(true);
    Application->ProcessMessages();
  }
  return ok;
}

// Opens each dropdown, saves the screen, closes it with Esc as a user would; then the styles.
bool RunScript(TDemoForm* Form, const std::string& Dir) {
  bool ok = true;
  for (std::size_t i = 0; i < Form->DropDowns.size(); ++i) {
    TNeoCustomDropDown* d = Form->DropDowns[i];
    d->SetFocus();
    Application->ProcessMessages();
    d->ShowDropDown();
    Application->ProcessMessages();
    ok = SaveScreenshot(Dir + "/dropdown-" + std::to_string(i + 1) + ".png") && ok;
    d->HideDropDown(true);
    Application->ProcessMessages();
  }
  return SaveStyleScreens(Form, Dir) && ok;
}

}  // namespace

int main(int argc, char** argv) {
  SetCommandLine(argc, argv);
  std::string script, screenshot;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc) script = argv[++i];
    else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) screenshot = argv[++i];
    else if (std::strcmp(argv[i], "--log") == 0) Log = true;
    else if (std::strcmp(argv[i], "--items") == 0 && i + 1 < argc) ItemCount = std::max(0, std::atoi(argv[++i]));
  }
  try {
    InitWindowSystem();
  } catch (const EWindowSystem& e) {
    std::fprintf(stderr, "dropdown_demo: no display to show the dropdowns on (%s)\n", UTF8Encode(e.Message).c_str());
    return 2;
  }
  // The clock of the time picker draws with GDI+.
  RegisterGdiplusModule();
  RegisterNeoGDIPUnit();
  TUnitsScope units;
  Application->SetTitle(u"Dropdowns");
  Application->Initialize();
  TDemoForm* form = nullptr;
  Application->CreateForm(form);
  if (script.empty() && screenshot.empty()) {
    form->Show();
    Application->ProcessMessages();
    form->SayLayout();
    Application->Run();
    return 0;
  }
  form->Show();
  Application->ProcessMessages();
  bool ok = script.empty() ? SaveScreenshot(screenshot) : RunScript(form, script);
  delete form;
  return ok ? 0 : 1;
}
