#pragma once
// A control's canvas keeps the window DC it takes for drawing outside a paint; what is drawn there
// is presented when the DC is given back. Controls that draw at once (hot frames, pointers) give it
// back right after drawing so that the screen shows it now rather than at the next paint.
#include "platform/ui/Controls.h"

inline void ReleaseControlCanvasDC(TCanvas* Canvas, TControl* Control) {
  if (auto* canvas = dynamic_cast<TControlCanvas*>(Canvas)) {
    canvas->SetControl(nullptr);
    canvas->SetControl(Control);
  }
}
