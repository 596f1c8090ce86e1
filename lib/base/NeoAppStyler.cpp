// The form and application stylers.
#include "lib/base/NeoAppStyler.h"

#include <algorithm>
#include <mutex>

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

// ---------------------------------------------------------------------------------------------
// The hidden window

namespace NeoAppStyler {

void TThemeNotifierWindow::WndProc(TMessage& Message) {
  if (Message.Msg == WM_THEMECHANGED && OnThemeChange) OnThemeChange(this);
  inherited::WndProc(Message);
}

}  // namespace NeoAppStyler

namespace {

using NeoAppStyler::TThemeNotifierWindow;

// The hidden window of a styler, made at once so that theme changes reach it from the start. A
// parent that cannot have a window yet (a frame not placed anywhere) is not taken.
TThemeNotifierWindow* MakeNotifier(TComponent* AStyler, TWinControl* AParent, std::function<void()> AThemeChanged) {
  auto* w = new TThemeNotifierWindow(AStyler);
  w->PlaceIn(AParent);
  w->OnThemeChange = [AThemeChanged](TObject*) { AThemeChanged(); };
  w->HandleNeeded();
  return w;
}

// The nearest windowed component in the owner chain.
TWinControl* WindowedOwner(TComponent* AComponent) {
  for (TComponent* o = AComponent; o; o = o->GetOwner())
    if (auto* w = dynamic_cast<TWinControl*>(o)) return w;
  return nullptr;
}

TColor FormColorOf(TNeoStyle AStyle) {
  switch (AStyle) {
    case tsOffice2013White:
    case tsOffice2016White:
    case tsOffice2019White: return 0xFFFFFF;
    case tsOffice2013LightGray: return 0xC0C0C0;
    case tsOffice2013Gray:
    case tsOffice2016Gray: return 0x808080;
    case tsOffice2019Gray: return 0x666666;
    case tsOffice2016Black:
    case tsOffice2019Black: return 0;
    default: return clBtnFace;
  }
}

}  // namespace

String NeoStylerVersionText() {
  auto byte = [](Integer Shift) { return IntToStr((NeoStylerVersionNr >> Shift) & 0xFF); };
  return byte(24) + u"." + byte(16) + u"." + byte(8) + u"." + byte(0);
}

TNeoStyle FormStylerStyle(TComponent* Component, TNeoStyle Default) {
  TComponent* form = nullptr;
  if (dynamic_cast<TCustomForm*>(Component)) {
    form = Component;
  } else if (auto* control = dynamic_cast<TControl*>(Component)) {
    while (control->GetParent()) control = control->GetParent();
    form = dynamic_cast<TCustomForm*>(control);
  }
  if (!form) return Default;
  for (Integer i = 0; i < form->GetComponentCount(); ++i)
    if (auto* s = dynamic_cast<TNeoFormStyler*>(form->GetComponents(i)); s && s->GetEnabled() && s->GetStyle() != tsCustom)
      return s->GetStyle();
  return Default;
}

// ---------------------------------------------------------------------------------------------
// TNeoFormStyler

void RegisterNeoAppStylerRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    Publish<TNeoFormStyler>()
        .Property(u"AppColor", &TNeoFormStyler::GetAppColor, &TNeoFormStyler::SetAppColor).Type(u"TColor").Default(0)
        .Property(u"AppStyle", &TNeoFormStyler::GetAppStyle, &TNeoFormStyler::SetAppStyle)
        .Property(u"AutoThemeAdapt", &TNeoFormStyler::GetAutoThemeAdapt, &TNeoFormStyler::SetAutoThemeAdapt).Default(false)
        .Property(u"ComboBox", &TNeoFormStyler::GetComboBox, &TNeoFormStyler::SetComboBox)
        .Property(u"Enabled", &TNeoFormStyler::GetEnabled, &TNeoFormStyler::SetEnabled).Default(true)
        .Property(u"Metro", &TNeoFormStyler::GetMetro, &TNeoFormStyler::SetMetro).Default(false)
        .Property(u"MetroColor", &TNeoFormStyler::GetMetroColor, &TNeoFormStyler::SetMetroColor)
        .Type(u"TColor").Default(clHighlight)
        .Property(u"MetroStyle", &TNeoFormStyler::GetMetroStyle, &TNeoFormStyler::SetMetroStyle).Default(msLight)
        .Property(u"MetroTextColor", &TNeoFormStyler::GetMetroTextColor, &TNeoFormStyler::SetMetroTextColor)
        .Type(u"TColor").Default(0)
        .Property(u"Style", &TNeoFormStyler::GetStyle, &TNeoFormStyler::SetStyle).Default(tsCustom)
        .Property(u"Version", &TNeoFormStyler::GetVersion, &TNeoFormStyler::SetVersion).Stored(false)
        .Property(u"OnApplyColorTones", &TNeoFormStyler::OnApplyColorTones)
        .Property(u"OnAppliedColorTones", &TNeoFormStyler::OnAppliedColorTones)
        .Property(u"OnAppliedStyle", &TNeoFormStyler::OnAppliedStyle)
        .Property(u"OnApplyStyle", &TNeoFormStyler::OnApplyStyle)
        .Property(u"OnChange", &TNeoFormStyler::OnChange);
    Publish<TNeoAppStyler>()
        .Property(u"AppColor", &TNeoAppStyler::GetAppColor, &TNeoAppStyler::SetAppColor).Type(u"TColor").Default(clNone)
        .Property(u"AutoThemeAdapt", &TNeoAppStyler::GetAutoThemeAdapt, &TNeoAppStyler::SetAutoThemeAdapt).Default(false)
        .Property(u"Enabled", &TNeoAppStyler::GetEnabled, &TNeoAppStyler::SetEnabled).Default(true)
        .Property(u"Metro", &TNeoAppStyler::GetMetro, &TNeoAppStyler::SetMetro).Default(false)
        .Property(u"MetroColor", &TNeoAppStyler::GetMetroColor, &TNeoAppStyler::SetMetroColor)
        .Type(u"TColor").Default(clHighlight)
        .Property(u"MetroStyle", &TNeoAppStyler::GetMetroStyle, &TNeoAppStyler::SetMetroStyle).Default(msLight)
        .Property(u"MetroTextColor", &TNeoAppStyler::GetMetroTextColor, &TNeoAppStyler::SetMetroTextColor)
        .Type(u"TColor").Default(0)
        .Property(u"Style", &TNeoAppStyler::GetStyle, &TNeoAppStyler::SetStyle).Default(tsCustom)
        .Property(u"Version", &TNeoAppStyler::GetVersion, &TNeoAppStyler::SetVersion).Stored(false)
        .Property(u"OnChange", &TNeoAppStyler::OnChange);
    RegisterClasses({TNeoFormStyler::StaticClass(), TNeoAppStyler::StaticClass()});
  });
}

TNeoFormStyler::TNeoFormStyler(TComponent* AOwner) : TComponent(AOwner) {
  RegisterNeoAppStylerRtti();
  FStyle = tsCustom;
  FTones = DefaultColorTones();
  FMetroColor = FTones.Selected.BrushColor;
  FMetroTextColor = 0;
  FMetroStyle = msLight;
  if (Designing() && !Loading()) FAppColor = 0xE29E00;
  if (!Designing()) FNotifier = MakeNotifier(this, WindowedOwner(AOwner), [this] { ThemeChanged(); });
  FEnabled = true;
}

TNeoFormStyler::~TNeoFormStyler() {
  if (!Designing() && FAppStyle) FAppStyle->UnRegisterFormStyler(this);
}

void TNeoFormStyler::ThemeChanged() {
  if (FAutoThemeAdapt) SetStyle(DetectOfficeTheme(false));
}

void TNeoFormStyler::SetStyle(TNeoStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  if (Value == tsCustom || Loading()) return;
  ApplyStyle();
}

void TNeoFormStyler::SetAppColor(TColor Value) {
  if (FAppColor == Value) return;
  FAppColor = Value;
  if (FStyle == tsCustom || Loading()) return;
  ApplyStyle();
}

void TNeoFormStyler::SetAppStyle(TNeoAppStyler* Value) {
  if (FAppStyle && FAppStyle != Value && !Designing()) FAppStyle->UnRegisterFormStyler(this);
  FAppStyle = Value;
  if (Value) Value->FreeNotification(this);
  if (!Loading() && Value) SetStyle(Value->GetStyle());
  if (!Designing() && Value) Value->RegisterFormStyler(this);
}

void TNeoFormStyler::SetAutoThemeAdapt(bool Value) {
  FAutoThemeAdapt = Value;
  ThemeChanged();
}

void TNeoFormStyler::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  if (Value) ApplyStyle();
}

void TNeoFormStyler::SetMetro(bool Value) {
  if (FMetro == Value) return;
  FMetro = Value;
  if (Value) UpdateMetroTones();
}

void TNeoFormStyler::SetMetroColor(TColor Value) {
  if (FMetroColor == Value) return;
  FMetroColor = Value;
  UpdateMetroTones();
}

void TNeoFormStyler::SetMetroStyle(TMetroStyle Value) {
  if (FMetroStyle == Value) return;
  FMetroStyle = Value;
  UpdateMetroTones();
}

void TNeoFormStyler::SetMetroTextColor(TColor Value) {
  if (FMetroTextColor == Value) return;
  FMetroTextColor = Value;
  UpdateMetroTones();
}

void TNeoFormStyler::UpdateMetroTones() {
  if (!FEnabled) return;
  FTones = MetroColorTones(FMetroStyle == msLight, FMetroColor);
  if (FStyle == tsCustom && FMetro) SetColorTones(FTones);
}

void TNeoFormStyler::Changed() {
  if (OnChange) OnChange(this);
}

void TNeoFormStyler::ApplyStyle() {
  if (!FEnabled) return;
  if (auto* form = dynamic_cast<TCustomForm*>(GetOwner())) ApplyStyleToForm(form, FStyle);
  else if (auto* frame = dynamic_cast<TFrame*>(GetOwner())) ApplyStyleToFrame(frame, FStyle);
  Changed();
}

void TNeoFormStyler::SetColorTones(TColorTones ATones) {
  FMetro = true;
  FStyle = tsCustom;
  if (auto* form = dynamic_cast<TForm*>(GetOwner())) ApplyColorTonesToForm(form, ATones);
  else if (auto* frame = dynamic_cast<TFrame*>(GetOwner())) ApplyColorTonesToFrame(frame, ATones);
}

void TNeoFormStyler::StyleComponent(TComponent* AComponent, TNeoStyle AStyle) {
  auto apply = [&](auto&& ASet) {
    bool allow = true;
    if (OnApplyStyle) OnApplyStyle(this, AComponent, allow);
    if (!allow) return;
    ASet();
    if (OnAppliedStyle) OnAppliedStyle(this, AComponent);
  };
  if (auto* ex = dynamic_cast<INeoStyleEx*>(AComponent))
    apply([&] { ex->SetComponentStyleAndAppColor(AStyle, FAppColor); });
  else if (auto* plain = dynamic_cast<INeoStyle*>(AComponent))
    apply([&] { plain->SetComponentStyle(AStyle); });
}

void TNeoFormStyler::TonesComponent(TComponent* AComponent, const TColorTones& ATones) {
  auto* tones = dynamic_cast<INeoTones*>(AComponent);
  if (!tones) return;
  bool allow = true;
  if (OnApplyColorTones) OnApplyColorTones(this, AComponent, allow);
  if (!allow) return;
  tones->SetColorTones(ATones);
  if (OnAppliedColorTones) OnAppliedColorTones(this, AComponent);
}

void TNeoFormStyler::ApplyStyleToForm(TCustomForm* Form, TNeoStyle AStyle) {
  Form->SetColor(FormColorOf(AStyle));
  StyleComponent(Form, AStyle);
  for (Integer i = 0; i < Form->GetComponentCount(); ++i) {
    TComponent* c = Form->GetComponents(i);
    if (auto* frame = dynamic_cast<TFrame*>(c)) ApplyStyleToFrame(frame, AStyle);
    StyleComponent(c, AStyle);
  }
}

void TNeoFormStyler::ApplyStyleToFrame(TFrame* Frame, TNeoStyle AStyle) {
  for (Integer i = 0; i < Frame->GetComponentCount(); ++i) {
    TComponent* c = Frame->GetComponents(i);
    StyleComponent(c, AStyle);
    if (auto* frame = dynamic_cast<TFrame*>(c)) ApplyStyleToFrame(frame, AStyle);
  }
}

void TNeoFormStyler::ApplyColorTonesToForm(TCustomForm* Form, const TColorTones& ATones) {
  TonesComponent(Form, ATones);
  for (Integer i = 0; i < Form->GetComponentCount(); ++i) {
    TComponent* c = Form->GetComponents(i);
    if (auto* frame = dynamic_cast<TFrame*>(c)) ApplyColorTonesToFrame(frame, ATones);
    TonesComponent(c, ATones);
  }
}

void TNeoFormStyler::ApplyColorTonesToFrame(TFrame* Frame, const TColorTones& ATones) {
  for (Integer i = 0; i < Frame->GetComponentCount(); ++i) {
    TComponent* c = Frame->GetComponents(i);
    TonesComponent(c, ATones);
    if (auto* frame = dynamic_cast<TFrame*>(c)) ApplyColorTonesToFrame(frame, ATones);
  }
}

void TNeoFormStyler::SetComboBox(TCustomComboBox* Value) {
  FComboBox = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  std::unique_ptr<TStringList> styles(GetStyles());
  Value->GetItems()->Assign(styles.get());
  Value->OnSelect = [this](TObject* Sender) { HandleStyleSelect(Sender); };
  Value->SetStyle(csDropDownList);
  TStrings* items = Value->GetItems();
  for (Integer i = 0; i < items->GetCount(); ++i)
    if (reinterpret_cast<std::uintptr_t>(items->GetObjects(i)) == FStyle) {
      Value->SetItemIndex(i);
      break;
    }
}

void TNeoFormStyler::HandleStyleSelect(TObject* Sender) {
  (void)Sender;
  if (!FComboBox) return;
  Integer index = FComboBox->GetItemIndex();
  if (index >= 0)
    SetStyle(static_cast<TNeoStyle>(reinterpret_cast<std::uintptr_t>(FComboBox->GetItems()->GetObjects(index))));
}

TStringList* TNeoFormStyler::GetStyles() {
  struct TEntry { const Char* Name; TNeoStyle Style; };
  static const TEntry entries[] = {
      {u"Office 2003 Blue", tsOffice2003Blue},      {u"Office 2003 Silver", tsOffice2003Silver},
      {u"Office 2003 Olive", tsOffice2003Olive},    {u"Office 2003 Classic", tsOffice2003Classic},
      {u"Office 2007 Blue", tsOffice2007Luna},      {u"Office 2007 Silver", tsOffice2007Silver},
      {u"Office 2007 Black", tsOffice2007Obsidian}, {u"Windows XP", tsWindowsXP},
      {u"Windows Vista", tsWindowsVista},           {u"Windows 7", tsWindows7},
      {u"Windows 8", tsWindows8},                   {u"Windows 10", tsWindows10},
      {u"Terminal", tsTerminal},                    {u"Office 2010 Blue", tsOffice2010Blue},
      {u"Office 2010 Silver", tsOffice2010Silver},  {u"Office 2010 Black", tsOffice2010Black},
      {u"Office 2013 White", tsOffice2013White},    {u"Office 2013 Light gray", tsOffice2013LightGray},
      {u"Office 2013 Gray", tsOffice2013Gray},      {u"Office 2016 White", tsOffice2016White},
      {u"Office 2016 Gray", tsOffice2016Gray},      {u"Office 2016 Black", tsOffice2016Black},
      {u"Office 2019 White", tsOffice2019White},    {u"Office 2019 Gray", tsOffice2019Gray},
      {u"Office 2019 Black", tsOffice2019Black},    {u"Custom", tsCustom},
  };
  auto* list = new TStringList();
  for (const TEntry& e : entries)
    list->AddObject(e.Name, reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(e.Style)));
  return list;
}

void TNeoFormStyler::Loaded() {
  inherited::Loaded();
  if (!Designing()) {
    if (FAppStyle) {
      SetStyle(FAppStyle->GetStyle());
      FTones = FAppStyle->GetTones();
      SetMetro(FAppStyle->GetMetro());
      SetMetroStyle(FAppStyle->GetMetroStyle());
      SetMetroTextColor(FAppStyle->GetMetroTextColor());
      SetMetroColor(FAppStyle->GetMetroColor());
    } else {
      TNeoStyle stored = FStyle;
      SetStyle(tsCustom);
      SetStyle(stored);
    }
  }
  if (FMetro) SetColorTones(FTones);
  ThemeChanged();
}

void TNeoFormStyler::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FAppStyle) FAppStyle = nullptr;
  if (AComponent == FComboBox) FComboBox = nullptr;
}

void TNeoFormStyler::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TNeoFormStyler*>(Source)) {
    SetAutoThemeAdapt(other->GetAutoThemeAdapt());
    SetStyle(other->GetStyle());
    return;
  }
  inherited::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// TNeoAppStyler

TNeoAppStyler::TNeoAppStyler(TComponent* AOwner) : TComponent(AOwner) {
  RegisterNeoAppStylerRtti();
  FStyle = tsCustom;
  FTones = DefaultColorTones();
  FMetroColor = clHighlight;
  FMetroTextColor = 0;
  FMetroStyle = msLight;
  FAppColor = clNone;
  // The main form may not exist yet (the styler is often created with it): the hidden window
  // lives in the main form's window when there is one, else on its own, so it always exists.
  if (!GetComponentState().Contains(csDesigning)) {
    TCustomForm* main = Application ? Application->GetMainForm() : nullptr;
    FNotifier = MakeNotifier(this, main && main->HandleAllocated() ? main : nullptr, [this] { ThemeChanged(); });
  }
  FEnabled = true;
}

TNeoAppStyler::~TNeoAppStyler() {
  std::vector<TNeoFormStyler*> forms;
  forms.swap(FForms);
  for (TNeoFormStyler* f : forms) f->SetAppStyle(nullptr);
}

void TNeoAppStyler::RegisterFormStyler(TNeoFormStyler* Item) {
  if (std::find(FForms.begin(), FForms.end(), Item) == FForms.end()) FForms.push_back(Item);
}

void TNeoAppStyler::UnRegisterFormStyler(TNeoFormStyler* Item) {
  auto it = std::find(FForms.begin(), FForms.end(), Item);
  if (it != FForms.end()) FForms.erase(it);
}

void TNeoAppStyler::SetStyle(TNeoStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  if (!Quiet()) ApplyStyle();
}

void TNeoAppStyler::ApplyStyle() {
  if (!FEnabled) return;
  for (TNeoFormStyler* f : std::vector<TNeoFormStyler*>(FForms)) {
    f->SetMetro(FMetro);
    f->SetMetroStyle(FMetroStyle);
    f->SetMetroColor(FMetroColor);
    f->SetMetroTextColor(FMetroTextColor);
    f->SetAppColor(FAppColor);
    f->SetStyle(FStyle);
    f->SetAppColor(FAppColor);
  }
  Changed();
}

void TNeoAppStyler::SetAppColor(TColor Value) {
  FAppColor = Value;
  if (!Quiet())
    for (TNeoFormStyler* f : std::vector<TNeoFormStyler*>(FForms)) {
      f->SetStyle(FStyle);
      f->SetAppColor(Value);
    }
  Changed();
}

void TNeoAppStyler::SetColorTones(TColorTones ATones) {
  FTones = ATones;
  FMetro = true;
  FStyle = tsCustom;
  FMetroColor = ATones.Selected.BrushColor;
  if (ATones.Background.BrushColor == 0xFFFFFF) FMetroStyle = msLight;
  else if (ATones.Background.BrushColor == 0) FMetroStyle = msDark;
  // The tones carry no text colour of the flat look: the selected text colour stands for it.
  FMetroTextColor = ATones.Selected.TextColor;
  if (!Quiet())
    for (TNeoFormStyler* f : std::vector<TNeoFormStyler*>(FForms)) f->SetColorTones(ATones);
  Changed();
}

void TNeoAppStyler::UpdateMetroTones() {
  TColorTones tones = MetroColorTones(FMetroStyle == msLight, FMetroColor);
  if (FStyle != tsCustom || !FMetro) return;
  if (!Quiet())
    for (TNeoFormStyler* f : std::vector<TNeoFormStyler*>(FForms)) f->SetColorTones(tones);
  Changed();
}

void TNeoAppStyler::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  if (Value) ApplyStyle();
}

void TNeoAppStyler::SetMetro(bool Value) {
  if (FMetro == Value) return;
  FMetro = Value;
  if (Value) UpdateMetroTones();
}

void TNeoAppStyler::SetMetroColor(TColor Value) {
  if (FMetroColor == Value) return;
  FMetroColor = Value;
  UpdateMetroTones();
}

void TNeoAppStyler::SetMetroStyle(TMetroStyle Value) {
  if (FMetroStyle == Value) return;
  FMetroStyle = Value;
  UpdateMetroTones();
}

void TNeoAppStyler::SetMetroTextColor(TColor Value) {
  if (FMetroTextColor == Value) return;
  FMetroTextColor = Value;
  UpdateMetroTones();
}

void TNeoAppStyler::SetAutoThemeAdapt(bool Value) {
  FAutoThemeAdapt = Value;
  ThemeChanged();
}

void TNeoAppStyler::ThemeChanged() {
  if (FAutoThemeAdapt) SetStyle(DetectOfficeTheme(false));
}

void TNeoAppStyler::Changed() {
  if (OnChange) OnChange(this);
}

void TNeoAppStyler::Loaded() {
  inherited::Loaded();
  if (FAutoThemeAdapt) ThemeChanged();
}

void TNeoAppStyler::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TNeoAppStyler*>(Source)) {
    SetStyle(other->GetStyle());
    SetAutoThemeAdapt(other->GetAutoThemeAdapt());
    return;
  }
  inherited::Assign(Source);
}
