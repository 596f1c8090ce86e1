// The dropdown edit's popup: creating it, opening it below or above the edit inside the nearest
// monitor's work area, sizing it in 96-dpi units, closing it (remembering the size the user left
// it at, restoring the text on cancel) and forwarding its keys and wheel to the edit.
#include "lib/dropdown/NeoDropDown.h"

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "lib/dropdown/NeoHeader.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"

namespace {

Integer Scaled(Integer Value, Single Scale) { return static_cast<Integer>(Round(Value * static_cast<Double>(Scale))); }
Integer Unscaled(Integer Value, Single Scale) { return static_cast<Integer>(Round(Value / static_cast<Double>(Scale))); }

// The work area of the monitor nearest to P, else the desktop's.
TRect WorkAreaNear(TPoint P) {
  if (Screen)
    if (TMonitor* m = Screen->MonitorFromPoint(P, mdNearest)) return m->GetWorkareaRect();
  RECT r{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

}  // namespace

void TNeoCustomDropDown::CreateDropDownForm() {
  if (FDropDownForm) return;
  FDropDownForm = new TDropDownForm(this);
  FDropDownForm->SetNeoDropDown(this);
  FDropDownForm->SetBorderStyle(bsNone);
  FDropDownForm->SetVisible(false);
  FDropDownForm->SetWidth(FDropDownWidth);
  FDropDownForm->SetHeight(FDropDownHeight);
  BindDropDownForm();
  FDropDownForm->SetScaled(true);
  FDropDownForm->SetDoubleBuffered(true);
}

void TNeoCustomDropDown::BindDropDownForm() {
  TDropDownForm* f = FDropDownForm;
  f->OnClose = [](TObject*, TCloseAction&) {};
  f->OnHide = [this](TObject*) { DropDownFormHide(); };
  f->OnKeyPress = [this](TObject*, Char& Key) { DropDownFormKeyPress(Key); };
  f->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { DropDownFormKeyDown(Key, Shift); };
  f->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { DropDownFormKeyUp(Key, Shift); };
  f->OnMouseWheelDown = [this](TObject*, TShiftState, TPoint, bool&) { DropDownFormMouseWheelDown(); };
  f->OnMouseWheelUp = [this](TObject*, TShiftState, TPoint, bool&) { DropDownFormMouseWheelUp(); };
  f->OnDestroy = [this](TObject*) { DropDownFormDestroy(); };
  f->OnSizing = [this](TObject*) { DropDownFormResize(); };
  f->OnSize = [this](TObject*) { DropDownFormResize(); };
}

void TNeoCustomDropDown::ShowDropDown() { DoShowDropDown(); }

void TNeoCustomDropDown::HideDropDown(bool CancelChanges) {
  DoHideDropDown(CancelChanges);
  if (FDropDownForm) FDropDownForm->SetIsDeactivating(false);
}

void TNeoCustomDropDown::DoShowDropDown() {
  TDropDownForm* f = FDropDownForm;
  if (FDesignTime || !f || f->GetVisible() || !GetEnabled() || GetReadOnly() || f->GetIsDeactivating() || FDoShowBusy)
    return;
  // 1-3: the content control on the popup, header and footer built.
  FDoShowBusy = true;
  DoBeforeDropDown();
  f->SetShadow(FDropDownShadow);
  if (FControl) {
    FControl->SetParent(f);
    PlaceDropDownControl();
  }
  f->InitializeAndUpdate();
  // 4: the shadow is a class style of the popup's window.
  HWND fh = f->GetHandle();
  auto style = static_cast<UINT>(GetClassLongPtr(fh, GCL_STYLE));
  style = f->GetShadow() ? (style | CS_DROPSHADOW) : (style & ~CS_DROPSHADOW);
  SetClassLongPtr(fh, GCL_STYLE, static_cast<LONG_PTR>(style));
  // 5-6: sized for its content, never smaller than 80 x 50.
  f->SetBounds(GetLeft(), GetTop(), f->GetWidth(), f->GetHeight());
  UpdateDropDownSize();
  PlaceDropDownControl();
  f->SetMinTrackSize(80, 50);
  if (auto* control = dynamic_cast<TWinControl*>(FControl)) {
    control->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
    control->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
    control->OnKeyPress = [this](TObject*, Char& Key) { ControlKeyPress(Key); };
  }
  // 7-9: below the edit, or above it when the monitor's work area ends too soon.
  const TPoint p = GetParent() ? GetParent()->ClientToScreen(TPoint{GetLeft(), GetTop()}) : ClientToScreen(TPoint{0, 0});
  if (FUserDropDownHeight != -1) f->SetHeight(Scaled(FUserDropDownHeight, FDPIScale));
  Integer w = f->GetWidth(), h = f->GetHeight();
  const TRect work = WorkAreaNear(p);
  const Integer a = GetBorderStyle() == bsNone ? 2 : 0;
  const bool below = FDropPosition == dpDown || (FDropPosition == dpAuto && work.bottom > h + p.y);
  f->SetBounds(p.x - a, below ? p.y + GetHeight() - 1 + a : p.y - h + a, w, h);
  // 10-11: the handler may refuse.
  FOldText = GetText();
  bool accept = true;
  if (OnDropDown) OnDropDown(this, accept);
  if (!accept) {
    FDoShowBusy = false;
    return;
  }
  // 12-13: kept inside the work area's right edge, unless it would start beyond it.
  if (FUserDropDownWidth != -1) f->SetWidth(Scaled(FUserDropDownWidth, FDPIScale));
  if (work.right > work.left && f->GetLeft() + f->GetWidth() > work.right && f->GetLeft() < work.right)
    f->SetLeft(work.right - f->GetWidth());
  TPoint pos{f->GetLeft(), f->GetTop()};
  if (OnGetDropDownPos) {
    OnGetDropDownPos(this, pos);
    f->SetBounds(pos.x, pos.y, f->GetWidth(), f->GetHeight());
  }
  // 14-17: shown top-most at its place, the content focused.
  w = f->GetWidth();
  h = f->GetHeight();
  if (FDropDownShadow && FForceShadow) {
    f->Hide();
    f->SetBounds(f->GetLeft(), f->GetTop(), 1, 1);
    f->Show();
  }
  ConstrainDropDownHeight(h);
  FDroppedDown = true;
  SetWindowPos(fh, HWND_TOPMOST, pos.x, pos.y, w, h, SWP_SHOWWINDOW);
  if (auto* control = dynamic_cast<TWinControl*>(FControl); control && control->GetVisible())
    ::SetFocus(control->GetHandle());
  DoAfterDropDown();
  f->SetVisible(true);
  FDoShowBusy = false;
}

void TNeoCustomDropDown::UpdateDropDownSize() {
  TDropDownForm* f = FDropDownForm;
  if (!f) return;
  const bool control = FControl && FControl->GetVisible();
  Integer w;
  if (FDropDownWidth > 0) w = Scaled(FDropDownWidth, FDPIScale);
  else if (control) w = Scaled(FOrigCtrlW, FDPIScale);
  else w = GetWidth();
  Integer h;
  if (FDropDownHeight > 0) {
    h = Scaled(FDropDownHeight, FDPIScale);
  } else {
    h = 2 * FDropDownBorderWidth;
    if (FDropDownHeader->GetVisible()) h += FDropDownHeader->GetHeight();
    if (FDropDownFooter->GetVisible()) h += FDropDownFooter->GetHeight();
    if (control) h += Scaled(FOrigCtrlH, FDPIScale);
  }
  f->SetBounds(f->GetLeft(), f->GetTop(), w, h);
}

void TNeoCustomDropDown::PlaceDropDownControl() {
  if (!FDropDownForm || !FControl) return;
  FControl->SetParent(FDropDownForm);
  FControl->SetTop(FDropDownHeader->GetVisible() ? FDropDownHeader->GetHeight() + 2 : FDropDownBorderWidth);
  FControl->SetAlign(alClient);
  FControl->SetVisible(true);
}

void TNeoCustomDropDown::DoAfterDropDown() {
  if (FFocusControl && FFocusControl->GetTabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  if (OnAfterDropDown) OnAfterDropDown(this);
}

void TNeoCustomDropDown::DoHideDropDown(bool Cancel) {
  TDropDownForm* f = FDropDownForm;
  if (FDesignTime || !f || !f->GetVisible()) return;
  if (OnBeforeDropUp) OnBeforeDropUp(this);
  FUserDropDownWidth = Unscaled(f->GetWidth(), FDPIScale);
  FUserDropDownHeight = Unscaled(f->GetHeight(), FDPIScale);
  f->Hide();
  if (Application) Application->CancelHint();
  if (Cancel) SetText(FOldText);
  if (OnDropUp) OnDropUp(this, Cancel);
  if (FButton) FButton->Invalidate();
}

void TNeoCustomDropDown::DropDownFormHide() {
  FDroppedDown = false;
  if (GetTabStop() && CanFocus() && !Focused() && !GetComponentState().Contains(csDestroying)) SetFocus();
}

void TNeoCustomDropDown::ButtonClick(TObject*) { DropButtonClick(); }

void TNeoCustomDropDown::DropButtonClick() {
  if (FDesignTime || !FDropDownForm || FDropDownForm->GetVisible()) return;
  if (GetTickCount() - FDropDownForm->GetDeActivateTime() > 250) DoShowDropDown();
}

void TNeoCustomDropDown::PopupKey(Word Key) {
  switch (Key) {
    case VK_RETURN: DoHideDropDown(false); break;
    case VK_ESCAPE: DoHideDropDown(true); break;
    case VK_F4:
      if (FDropDownForm && FDropDownForm->GetVisible()) DoHideDropDown(false);
      else DoShowDropDown();
      break;
    default: break;
  }
}

// Alt+Up and Alt+Down open or close the popup, as WM_KEYDOWN and as WM_SYSKEYDOWN; handled here
// only, so that a key forwarded from the popup toggles once.
void TNeoCustomDropDown::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if ((Key == VK_UP || Key == VK_DOWN) && (Shift.Contains(ssAlt) || AltDown())) {
    if (FDroppedDown) DoHideDropDown(false);
    else DoShowDropDown();
  }
}

// ---------------------------------------------------------------------------------------------
// Forwarding: the popup's and the content control's keys reach the edit's window.

void TNeoCustomDropDown::DropDownFormMouseWheelDown() { DoDropDownWheelDown(); }
void TNeoCustomDropDown::DropDownFormMouseWheelUp() { DoDropDownWheelUp(); }
void TNeoCustomDropDown::DropDownFormKeyPress(Char& Key) { SendMessage(GetHandle(), WM_CHAR, Key, 0); }
void TNeoCustomDropDown::DropDownFormKeyDown(Word& Key, TShiftState) { SendMessage(GetHandle(), WM_KEYDOWN, Key, 0); }
void TNeoCustomDropDown::DropDownFormKeyUp(Word& Key, TShiftState) { SendMessage(GetHandle(), WM_KEYUP, Key, 0); }
void TNeoCustomDropDown::ControlKeyDown(Word& Key, TShiftState) { SendMessage(GetHandle(), WM_KEYDOWN, Key, 0); }
void TNeoCustomDropDown::ControlKeyUp(Word& Key, TShiftState) { SendMessage(GetHandle(), WM_KEYUP, Key, 0); }
void TNeoCustomDropDown::ControlKeyPress(Char& Key) { SendMessage(GetHandle(), WM_CHAR, Key, 0); }

void TNeoCustomDropDown::HeaderChanged(TObject*) {
  if (!FDropDownForm || !FDroppedDown) return;
  FDropDownForm->InitializeAndUpdate();
  if (TNeoHeader* header = FDropDownForm->GetHeader()) header->Invalidate();
}

void TNeoCustomDropDown::FooterChanged(TObject*) {
  if (!FDropDownForm || !FDroppedDown) return;
  FDropDownForm->InitializeAndUpdate();
  if (TNeoFooter* footer = FDropDownForm->GetFooter()) footer->Invalidate();
}
