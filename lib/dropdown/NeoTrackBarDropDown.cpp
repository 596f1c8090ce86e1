#include "lib/dropdown/NeoTrackBarDropDown.h"

#include <algorithm>

#include "lib/dropdown/NeoDropDownForm.h"
#include "platform/rtl/SysUtils.h"

TNeoTrackBarDropDown::TNeoTrackBarDropDown(TComponent* AOwner) : TNeoCustomDropDown(AOwner) {
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  SetEditType(etNumeric);
  GetDropDownHeader()->SetVisible(false);
  GetDropDownFooter()->SetVisible(false);
  SetForceShadow(true);
  // The base constructor built the popup before this class existed: add the track bar now.
  if (!GetComponentState().Contains(csDesigning)) CreateDropDownForm();
  RegisterNeoTrackBarDropDownRtti();
}

void TNeoTrackBarDropDown::CreateDropDownForm() {
  inherited::CreateDropDownForm();
  if (!GetDropDownForm()) return;
  if (!FTrackBar) {
    FTrackBar = new TTrackBar(this);
    FTrackBar->SetParent(GetDropDownForm());
    FTrackBar->SetBounds(0, 0, FTrackBar->GetWidth(), 40);
    ApplyRange();
  }
  FTrackBar->OnChange = [this](TObject* Sender) { TrackBarChange(Sender); };
}

// ---------------------------------------------------------------------------------------------
// The range

void TNeoTrackBarDropDown::ApplyRange() {
  if (!FTrackBar) return;
  // The track bar refuses a Min above its Max (and a Max below its Min): widen first.
  if (FMin > FTrackBar->GetMax()) {
    FTrackBar->SetMax(FMax);
    FTrackBar->SetMin(FMin);
  } else {
    FTrackBar->SetMin(FMin);
    FTrackBar->SetMax(FMax);
  }
  FTrackBar->SetPosition(FPosition);
  FMin = FTrackBar->GetMin();
  FMax = FTrackBar->GetMax();
  FPosition = FTrackBar->GetPosition();
}

void TNeoTrackBarDropDown::SetMin(Integer Value) {
  FMin = Value;
  if (!FTrackBar) return;
  FTrackBar->SetMin(Value);
  FMin = FTrackBar->GetMin();
  FPosition = FTrackBar->GetPosition();
}

void TNeoTrackBarDropDown::SetMax(Integer Value) {
  FMax = Value;
  if (!FTrackBar) return;
  FTrackBar->SetMax(Value);
  FMax = FTrackBar->GetMax();
  FPosition = FTrackBar->GetPosition();
}

void TNeoTrackBarDropDown::SetPosition(Integer Value) {
  FPosition = Value;
  if (!FTrackBar) return;
  FTrackBar->SetPosition(Value);
  FPosition = FTrackBar->GetPosition();
}

void TNeoTrackBarDropDown::SetFrequency(Integer Value) {
  FFrequency = Value;
  if (FTrackBar) FTrackBar->SetFrequency(Value);
}

void TNeoTrackBarDropDown::SetPageSize(Integer Value) {
  FPageSize = Value;
  if (FTrackBar) FTrackBar->SetPageSize(Value);
}

// ---------------------------------------------------------------------------------------------
// The popup

void TNeoTrackBarDropDown::DoBeforeDropDown() {
  inherited::DoBeforeDropDown();
  GetDropDownForm()->SetCancelOnDeActivate(false);
  if (!FTrackBar) return;
  ApplyRange();
  FTrackBar->SetPageSize(FPageSize);
  FTrackBar->SetFrequency(FFrequency);
  FTrackBar->SetWidth(GetWidth());
  SetControl(FTrackBar);
}

void TNeoTrackBarDropDown::TrackBarChange(TObject*) {
  FPosition = FTrackBar->GetPosition();
  SetEditText(IntToStr(FPosition));
  if (OnTrackChange) OnTrackChange(this);
}

// The text moves the position: an integer goes through the track bar, an empty text gives Min,
// anything else (a lone sign, letters, a number beyond 32 bits) leaves the position alone.
void TNeoTrackBarDropDown::Change() {
  inherited::Change();
  const String text = GetText();
  Integer value = 0;
  if (text.empty()) SetPosition(FMin);
  else if (TryStrToInt(text, value)) SetPosition(value);
}

// ---------------------------------------------------------------------------------------------
// Keys and mouse over the closed edit

void TNeoTrackBarDropDown::Dispatch(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Msg != WM_KEYDOWN || GetEditorEnabled() || GetKeyState(VK_MENU) < 0) return;
  switch (Message.WParam) {
    case VK_UP:
      if (FPosition - FFrequency >= FMin) SetPosition(FPosition - FFrequency);
      break;
    case VK_DOWN:
      if (FPosition + FFrequency <= FMax) SetPosition(FPosition + FFrequency);
      break;
    default: break;
  }
}

void TNeoTrackBarDropDown::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (GetDropDownEnabled() && !GetEditorEnabled()) {
    FMouseX = X;
    FMouseDraging = true;
  }
}

// Whole pages of the drag move the position; the pixels left over count towards the next move.
void TNeoTrackBarDropDown::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!FMouseDraging) return;
  const Integer page = std::max(FPageSize, 1);
  const Integer steps = (X - FMouseX) / page;
  if (steps == 0) return;
  FMouseX += steps * page;
  SetPosition(FPosition + steps);
}

void TNeoTrackBarDropDown::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  FMouseDraging = false;
}
