#pragma once
// The hidden window through which a non-visual component hears window messages (theme changes).
// It lives in a parent that can have a window; without one (no parent, or a parent not placed on
// any form) it is a hidden top-level window of its own, so it always gets a handle.
#include "platform/ui/Controls.h"

class TNeoHiddenWindow : public TWinControl {
  ZELK_CLASS(TNeoHiddenWindow, TWinControl)
public:
  explicit TNeoHiddenWindow(TComponent* AOwner);

  // Parents the window to AParent when AParent can have a window now; otherwise leaves it
  // without a parent.
  void PlaceIn(TWinControl* AParent);

protected:
  void CreateParams(TCreateParams& Params) override;
};
