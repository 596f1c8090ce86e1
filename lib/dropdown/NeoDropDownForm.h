#pragma once
// The popup of every dropdown edit: a borderless top-most form owned by the edit, holding an
// optional header, the content control and an optional footer. It closes itself when another
// window takes the activation, unless that window descends from the popup (a menu of the content).
//
// Life cycle (the edit drives it, see TNeoCustomDropDown): hidden -> opening (the edit's
// FDoShowBusy) -> open (visible, top-most, active) -> hidden by a key, a button, HideDropDown or
// deactivation. IsDeactivating is set from a deactivation until the popup hides or is activated
// again; while it is set the edit does not open the popup. DeActivateTime (GetTickCount) keeps a
// click on the drop button right after a deactivation from reopening it.
#include "platform/ui/Forms.h"

class TNeoCustomDropDown;
class TNeoHeader;
class TNeoFooter;
class TScrollBox;

class TDropDownForm : public TForm {
  ZELK_CLASS(TDropDownForm, TForm)
public:
  // CreateNew: no stored description; Shadow and CancelOnDeActivate on.
  explicit TDropDownForm(TComponent* AOwner);

  bool GetIsDeactivating() const { return FIsDeactivating; }
  void SetIsDeactivating(bool Value) { FIsDeactivating = Value; }
  bool GetBlockActivate() const { return FBlockActivate; }
  void SetBlockActivate(bool Value) { FBlockActivate = Value; }
  bool GetSizeable() const { return FSizeable; }
  void SetSizeable(bool Value) { FSizeable = Value; }
  bool GetShadow() const { return FShadow; }
  void SetShadow(bool Value) { FShadow = Value; }
  bool GetCancelOnDeActivate() const { return FCancelOnDeActivate; }
  void SetCancelOnDeActivate(bool Value) { FCancelOnDeActivate = Value; }
  Cardinal GetDeActivateTime() const { return FDeActivate; }
  TScrollBox* GetScrollBox() const { return FScrollBox; }
  TNeoHeader* GetHeader() const { return FHeader; }
  TNeoFooter* GetFooter() const { return FFooter; }
  TNeoCustomDropDown* GetNeoDropDown() const { return FNeoDropDown; }
  void SetNeoDropDown(TNeoCustomDropDown* Value) { FNeoDropDown = Value; }

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  // The popup's smallest size (the form's constraints): kept by SetBounds, by moves of its window
  // and by the user's sizing.
  void SetMinTrackSize(Integer AWidth, Integer AHeight) {
    FMinWidth = AWidth;
    FMinHeight = AHeight;
  }

  // Creates the header and footer the edit's appearances ask for, or refreshes the existing ones.
  void InitializeAndUpdate();
  virtual void UpdateSize() {}

  TNotifyEvent OnSize;
  TNotifyEvent OnSizing;

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void AdjustClientRect(TRect& Rect) override;
  void PaintWindow(HDC DC) override;
  void DoHide() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The background: gradient or fill inside the border, then the border.
  void DrawBackground(TCanvas* Canvas);

private:
  void WMActivate(TMessage& Message);
  void WMNCHitTest(TMessage& Message);
  void InitializeHeader();
  void InitializeFooter();

  Cardinal FDeActivate = 0;
  bool FShadow = true;
  TNeoFooter* FFooter = nullptr;
  TNeoHeader* FHeader = nullptr;
  TNeoCustomDropDown* FNeoDropDown = nullptr;
  TScrollBox* FScrollBox = nullptr;
  bool FSizeable = false;
  bool FCancelOnDeActivate = true;
  bool FBlockActivate = false;
  bool FIsDeactivating = false;
  Integer FMinWidth = 0;
  Integer FMinHeight = 0;
};
