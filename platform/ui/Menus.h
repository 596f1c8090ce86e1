#pragma once
// Menus: the pop-up menu a control names as its PopupMenu. Its items and showing come with the
// menu classes; controls only hold the reference.
#include "platform/rtl/Classes.h"

class TPopupMenu : public TComponent {
  ZELK_CLASS(TPopupMenu, TComponent)
public:
  explicit TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}
};
