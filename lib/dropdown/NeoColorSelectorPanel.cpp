// The base of the colour selector panels: layout at the display scale.
#include "lib/base/NeoStyleIF.h"
#include "lib/dropdown/NeoColorSelector.h"
#include "platform/rtl/Math.h"

void TNeoCustomColorSelectorPanel::TakeDisplayScale() { FPanelScale = ControlScaleFactor(this, nullptr); }

Integer TNeoCustomColorSelectorPanel::Scaled(Integer Value) const {
  return static_cast<Integer>(Round(Value * static_cast<Double>(FPanelScale)));
}

void TNeoCustomColorSelectorPanel::ChangeScale(Integer M, Integer D) {
  if (M == D) return;
  SetBounds(MulDiv(GetLeft(), M, D), MulDiv(GetTop(), M, D), GetWidth(), GetHeight());
  LayoutAtDisplayScale();
}
