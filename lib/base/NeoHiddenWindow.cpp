#include "lib/base/NeoHiddenWindow.h"

#include "platform/ui/Forms.h"

namespace {

// Whether a control can have a window now: its topmost parent is a form or sits in a window.
bool CanHaveWindow(TWinControl* AControl) {
  while (AControl->GetParent()) AControl = AControl->GetParent();
  return dynamic_cast<TCustomForm*>(AControl) || AControl->GetParentWindow();
}

}  // namespace

TNeoHiddenWindow::TNeoHiddenWindow(TComponent* AOwner) : TWinControl(AOwner) { SetVisible(false); }

void TNeoHiddenWindow::PlaceIn(TWinControl* AParent) {
  if (AParent && CanHaveWindow(AParent)) SetParent(AParent);
}

void TNeoHiddenWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  if (!GetParent() && !GetParentWindow()) {   // no window to live in: a hidden top-level one
    Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
  }
}
