#pragma once
// A dropdown edit whose popup hosts any control the application names in Control (a tree, a
// list, a panel of its own). Choosing a value and writing the edit's text are left to the
// application's handlers of that control.
#include "lib/dropdown/NeoDropDown.h"

class TNeoControlDropDown : public TNeoDropDown {
  ZELK_CLASS(TNeoControlDropDown, TNeoDropDown)
public:
  explicit TNeoControlDropDown(TComponent* AOwner);

protected:
  // At run time a control named in the form description is on the popup once the form has loaded.
  void Loaded() override;
};

// Publishes Control, ReturnIsTab and UIStyle beside the properties of TNeoDropDown (once).
void RegisterNeoControlDropDownRtti();
