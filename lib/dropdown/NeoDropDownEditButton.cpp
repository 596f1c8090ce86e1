#include "lib/dropdown/NeoDropDownEditButton.h"

#include "lib/base/NeoStyleIF.h"

// ---------------------------------------------------------------------------------------------
// TNeoDropDownSpeedButton

TNeoDropDownSpeedButton::TNeoDropDownSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {
  FIsWinXP = ComCtlV6Available();
}

void TNeoDropDownSpeedButton::SetButtonStyle(TButtonStyle Value) {
  FButtonStyle = Value;
  Invalidate();
}

void TNeoDropDownSpeedButton::SetEtched(bool Value) {
  if (FEtched == Value) return;
  FEtched = Value;
  Invalidate();
}

void TNeoDropDownSpeedButton::SetFocused(bool Value) {
  if (FFocused == Value) return;
  FFocused = Value;
  Invalidate();
}

void TNeoDropDownSpeedButton::Dispatch(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
    FHot = Message.Msg == CM_MOUSEENTER;
    Invalidate();
  }
}

// ---------------------------------------------------------------------------------------------
// TDropDownEditButton

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TWinControl(AOwner) {
  TControlStyle style = GetControlStyle();
  style.Exclude(csAcceptsControls);
  style.Exclude(csSetCaption);
  style.Include(csOpaque);
  SetControlStyle(style);
  CreateButton();
  FButton->SetButtonStyle(bsDropDown);
  FFocusControl = dynamic_cast<TWinControl*>(AOwner);
  SetBounds(GetLeft(), GetTop(), 16, 25);
}

void TDropDownEditButton::CreateButton() {
  FButton = new TNeoDropDownSpeedButton(this);
  FButton->OnClick = [](TObject*) {};
  FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    ButtonMouseUp(Sender, Button, Shift, X, Y);
  };
  FButton->SetVisible(true);
  FButton->SetEnabled(GetEnabled());
  FButton->SetParent(this);
  FButton->SetCaption(String());
}

void TDropDownEditButton::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

TBitmap* TDropDownEditButton::GetGlyph() const { return FButton->GetGlyph(); }
void TDropDownEditButton::SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
TNumGlyphs TDropDownEditButton::GetNumGlyphs() const { return FButton->GetNumGlyphs(); }
void TDropDownEditButton::SetNumGlyphs(TNumGlyphs Value) { FButton->SetNumGlyphs(Value); }
String TDropDownEditButton::GetButtonCaption() const { return FButton->GetCaption(); }
void TDropDownEditButton::SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }

void TDropDownEditButton::AdjustWinSize(Integer& W, Integer& H) {
  if (!FButton) return;
  if (GetComponentState().Contains(csLoading) && !GetComponentState().Contains(csDesigning)) return;
  W = FBWidth;
  FButton->SetBounds(0, 0, W, H);
}

void TDropDownEditButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  Integer w = AWidth, h = AHeight;
  AdjustWinSize(w, h);
  inherited::SetBounds(ALeft, ATop, w, h);
}

void TDropDownEditButton::Loaded() {
  inherited::Loaded();
  Integer w = GetWidth(), h = GetHeight();
  AdjustWinSize(w, h);
  if (w != GetWidth() || h != GetHeight()) inherited::SetBounds(GetLeft(), GetTop(), w, h);
}

void TDropDownEditButton::ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState, Integer, Integer) {
  if (Button != mbLeft) return;
  if (FFocusControl && FFocusControl->GetTabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (GetTabStop() && !Focused() && CanFocus())
    SetFocus();
  if (Sender == FButton && OnClick) OnClick(this);
}

void TDropDownEditButton::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TDropDownEditButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE: {
      Integer w = GetWidth(), h = GetHeight();
      AdjustWinSize(w, h);
      if (w != GetWidth() || h != GetHeight()) inherited::SetBounds(GetLeft(), GetTop(), w, h);
      Message.Result = 0;
      return;
    }
    case CM_ENABLEDCHANGED:
      inherited::Dispatch(Message);
      if (FButton && !GetComponentState().Contains(csDesigning)) FButton->SetEnabled(GetEnabled());
      return;
    default: inherited::Dispatch(Message);
  }
}
