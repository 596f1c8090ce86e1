#pragma once
// The form and application stylers. A form styler, placed on a form or frame, pushes one style
// (or one set of colour tones) into every component of its form that takes it, descending into
// frames; the application styler drives every form styler registered with it. Both can follow
// the user's Office or Windows theme.
#include <functional>
#include <memory>
#include <vector>

#include "lib/base/NeoHiddenWindow.h"
#include "lib/base/NeoObjectJSON.h"
#include "lib/base/NeoStyleIF.h"
#include "platform/rtl/StringLists.h"
#include "platform/ui/Controls.h"

class TCustomComboBox;
class TCustomForm;
class TFrame;
class TNeoAppStyler;

// Event holders that remember a published method they are bound to, so that persistence and form
// descriptions can name it.
using TApplyStyleEvent = TMethodEvent<void(TObject* Sender, TComponent* AComponent, bool& Allow)>;
using TAppliedStyleEvent = TMethodEvent<void(TObject* Sender, TComponent* AComponent)>;
using TStylerNotifyEvent = TMethodEvent<void(TObject* Sender)>;

namespace NeoAppStyler {

// A hidden window that raises OnThemeChange for WM_THEMECHANGED.
class TThemeNotifierWindow : public TNeoHiddenWindow {
  ZELK_CLASS(TThemeNotifierWindow, TNeoHiddenWindow)
public:
  explicit TThemeNotifierWindow(TComponent* AOwner) : TNeoHiddenWindow(AOwner) {}
  void WndProc(TMessage& Message) override;

  TNotifyEvent OnThemeChange;
};

}  // namespace NeoAppStyler

// "2.4.0.1" for both stylers.
constexpr Integer NeoStylerVersionNr = 0x02040001;
String NeoStylerVersionText();

// Publishes the stylers' properties with the runtime's RTTI and registers both classes (done by
// their constructors; safe to call again).
void RegisterNeoAppStylerRtti();

class TNeoFormStyler : public TComponent, public TNeoJSONMethods<TNeoFormStyler> {
  ZELK_CLASS(TNeoFormStyler, TComponent)
public:
  explicit TNeoFormStyler(TComponent* AOwner);
  ~TNeoFormStyler() override;

  void Assign(TPersistent* Source) override;

  TNeoStyle GetStyle() const { return FStyle; }
  void SetStyle(TNeoStyle Value);
  TColor GetAppColor() const { return FAppColor; }
  void SetAppColor(TColor Value);
  TNeoAppStyler* GetAppStyle() const { return FAppStyle; }
  void SetAppStyle(TNeoAppStyler* Value);
  bool GetAutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetMetro() const { return FMetro; }
  void SetMetro(bool Value);
  TColor GetMetroColor() const { return FMetroColor; }
  void SetMetroColor(TColor Value);
  TMetroStyle GetMetroStyle() const { return FMetroStyle; }
  void SetMetroStyle(TMetroStyle Value);
  TColor GetMetroTextColor() const { return FMetroTextColor; }
  void SetMetroTextColor(TColor Value);
  TCustomComboBox* GetComboBox() const { return FComboBox; }
  void SetComboBox(TCustomComboBox* Value);
  const TColorTones& GetTones() const { return FTones; }
  String GetVersion() const { return NeoStylerVersionText(); }
  void SetVersion(const String&) {}
  Integer GetVersionNr() const { return NeoStylerVersionNr; }

  // With AutoThemeAdapt: the style of the detected Office or Windows theme.
  void ThemeChanged();
  void ApplyStyle();
  void SetColorTones(TColorTones ATones);
  // The offered styles with their ordinals as objects; the caller frees the list.
  static TStringList* GetStyles();
  void HandleStyleSelect(TObject* Sender);
  NeoAppStyler::TThemeNotifierWindow* GetNotifier() const { return FNotifier; }

  TApplyStyleEvent OnApplyStyle;
  TAppliedStyleEvent OnAppliedStyle;
  TApplyStyleEvent OnApplyColorTones;
  TAppliedStyleEvent OnAppliedColorTones;
  TStylerNotifyEvent OnChange;

  virtual void UpdateMetroTones();
  virtual void Changed();

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  void ApplyStyleToForm(TCustomForm* Form, TNeoStyle AStyle);
  void ApplyStyleToFrame(TFrame* Frame, TNeoStyle AStyle);
  void ApplyColorTonesToForm(TCustomForm* Form, const TColorTones& ATones);
  void ApplyColorTonesToFrame(TFrame* Frame, const TColorTones& ATones);

private:
  // The style into one component that takes it (INeoStyleEx before INeoStyle).
  void StyleComponent(TComponent* AComponent, TNeoStyle AStyle);
  void TonesComponent(TComponent* AComponent, const TColorTones& ATones);
  bool Loading() const { return GetComponentState().Contains(csLoading); }
  bool Designing() const { return GetComponentState().Contains(csDesigning); }

  TNeoStyle FStyle = tsCustom;
  TNeoAppStyler* FAppStyle = nullptr;
  bool FAutoThemeAdapt = false;
  NeoAppStyler::TThemeNotifierWindow* FNotifier = nullptr;   // owned as a component
  TMetroStyle FMetroStyle = msLight;
  bool FMetro = false;
  TColor FMetroTextColor = 0;
  TColor FMetroColor = clHighlight;
  TColorTones FTones;
  bool FEnabled = true;
  TCustomComboBox* FComboBox = nullptr;
  TColor FAppColor = 0;
};

class TNeoAppStyler : public TComponent, public TNeoJSONMethods<TNeoAppStyler> {
  ZELK_CLASS(TNeoAppStyler, TComponent)
public:
  explicit TNeoAppStyler(TComponent* AOwner);
  ~TNeoAppStyler() override;

  void Assign(TPersistent* Source) override;

  void RegisterFormStyler(TNeoFormStyler* Item);
  void UnRegisterFormStyler(TNeoFormStyler* Item);
  Integer GetFormStylerCount() const { return static_cast<Integer>(FForms.size()); }
  TNeoFormStyler* GetFormStylers(Integer Index) const { return FForms.at(static_cast<std::size_t>(Index)); }

  TNeoStyle GetStyle() const { return FStyle; }
  void SetStyle(TNeoStyle Value);
  TColor GetAppColor() const { return FAppColor; }
  void SetAppColor(TColor Value);
  bool GetAutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetMetro() const { return FMetro; }
  void SetMetro(bool Value);
  TColor GetMetroColor() const { return FMetroColor; }
  void SetMetroColor(TColor Value);
  TMetroStyle GetMetroStyle() const { return FMetroStyle; }
  void SetMetroStyle(TMetroStyle Value);
  TColor GetMetroTextColor() const { return FMetroTextColor; }
  void SetMetroTextColor(TColor Value);
  const TColorTones& GetTones() const { return FTones; }
  String GetVersion() const { return NeoStylerVersionText(); }
  void SetVersion(const String&) {}
  Integer GetVersionNr() const { return NeoStylerVersionNr; }

  void ThemeChanged();
  void ApplyStyle();
  void SetColorTones(TColorTones ATones);
  NeoAppStyler::TThemeNotifierWindow* GetNotifier() const { return FNotifier; }

  TStylerNotifyEvent OnChange;

  virtual void UpdateMetroTones();
  virtual void Changed();

protected:
  void Loaded() override;

private:
  bool Quiet() const {
    return GetComponentState().Contains(csLoading) || GetComponentState().Contains(csDesigning);
  }

  TColorTones FTones;
  std::vector<TNeoFormStyler*> FForms;   // registered, not owned
  TNeoStyle FStyle = tsCustom;
  bool FAutoThemeAdapt = false;
  NeoAppStyler::TThemeNotifierWindow* FNotifier = nullptr;   // owned as a component
  TMetroStyle FMetroStyle = msLight;
  bool FMetro = false;
  TColor FMetroTextColor = 0;
  TColor FMetroColor = clHighlight;
  bool FEnabled = true;
  TColor FAppColor = clNone;
};
