#pragma once
// Pointer moves and left-button input at client points of a control, as a mouse would deliver
// them through the headless back end, each followed by handling every pending message.
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"

namespace ControlMouse {

inline TPoint At(TControl* C, Integer X, Integer Y) { return C->ClientToScreen(TPoint{X, Y}); }

inline void MoveTo(TControl* C, Integer X, Integer Y) {
  TPoint p = At(C, X, Y);
  Headless::MouseMove(p.x, p.y);
  Application->ProcessMessages();
}

inline void Down(TControl* C, Integer X, Integer Y) {
  TPoint p = At(C, X, Y);
  Headless::ButtonDown(1, p.x, p.y);
  Application->ProcessMessages();
}

inline void Up(TControl* C, Integer X, Integer Y) {
  TPoint p = At(C, X, Y);
  Headless::ButtonUp(1, p.x, p.y);
  Application->ProcessMessages();
}

}  // namespace ControlMouse
