#include "lib/dropdown/NeoControlDropDown.h"

#include <mutex>

#include "platform/rtl/TypInfo.h"

TNeoControlDropDown::TNeoControlDropDown(TComponent* AOwner) : TNeoDropDown(AOwner) {
  RegisterNeoControlDropDownRtti();
}

void TNeoControlDropDown::Loaded() {
  inherited::Loaded();
  if (!GetComponentState().Contains(csDesigning)) PlaceDropDownControl();
}

void RegisterNeoControlDropDownRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using D = TNeoCustomDropDown;
    Publish<TNeoControlDropDown>()
        .Property(u"Control", &D::GetControl, &D::SetControl)
        .Property(u"ReturnIsTab", &D::GetReturnIsTab, &D::SetReturnIsTab).Default(false)
        .Property(u"UIStyle", &D::GetUIStyle, &D::SetUIStyle).Default(tsCustom);
  });
}
