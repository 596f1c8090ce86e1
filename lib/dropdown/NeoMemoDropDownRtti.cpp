// The published properties of the memo dropdown.
#include <mutex>

#include "lib/dropdown/NeoDropDownPublish.h"
#include "lib/dropdown/NeoMemoDropDown.h"
#include "platform/ui/Menus.h"

ZELK_ENUM_INFO(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)

void RegisterNeoMemoDropDownRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using M = TNeoMemoDropDown;
    using D = TNeoCustomDropDown;
    auto p = Publish<M>();
    p.Property(u"AutoDrop", &M::GetAutoDrop, &M::SetAutoDrop).Default(false)
        .Property(u"MemoText", &M::GetMemoText, &M::SetMemoText)
        .Property(u"MemoPopup", &M::GetMemoPopup, &M::SetMemoPopup)
        .Property(u"MemoScrollBars", &M::GetMemoScrollBars, &M::SetMemoScrollBars).Default(ssNone)
        .Property(u"MemoReadOnly", &M::GetMemoReadOnly, &M::SetMemoReadOnly).Default(false)
        .Property(u"ReturnIsTab", &D::GetReturnIsTab, &D::SetReturnIsTab).Default(false);
    PublishDropDownProperties(p, {{u"DropDownColor", u"DropDownColorTo", u"DropDownEnabled", u"EmptyTextStyle"}, true});
  });
}
