// The published properties of the time picker drop-down, with the defaults a form description
// leaves out.
#include <mutex>

#include "lib/dropdown/NeoDropDownPublish.h"
#include "lib/dropdown/NeoTimePickerDropDown.h"

void RegisterNeoTimePickerDropDownRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterNeoWatchAppearanceRtti();
    using T = TNeoTimePickerDropDown;
    auto p = Publish<T>();
    p.Property(u"Animation", &T::GetAnimation, &T::SetAnimation).Default(true)
        .Property(u"AnimationFactor", &T::GetAnimationFactor, &T::SetAnimationFactor).Default(10)
        .Property(u"WatchSettings", &T::GetWatchSettings, &T::SetWatchSettings)
        .Property(u"Time", &T::GetTime, &T::SetTime).Type(u"TDateTime").Default(0.0)
        .Property(u"ShowWatchAMPM", &T::GetShowWatchAMPM, &T::SetShowWatchAMPM).Default(true)
        .Property(u"ShowWatchNumbers", &T::GetShowWatchNumbers, &T::SetShowWatchNumbers).Default(true)
        .Property(u"ShowTimePicker", &T::GetShowTimePicker, &T::SetShowTimePicker).Default(false)
        .Property(u"WatchAppearance", &T::GetWatchAppearance, &T::SetWatchAppearance)
        .Property(u"ShowSeconds", &T::GetShowSeconds, &T::SetShowSeconds).Default(true)
        .Property(u"Resolution", &T::GetResolution, &T::SetResolution).Default(1);
    // The rest (UIStyle among them) are the dropdown edit's, with the pick-only edit's default.
    PublishDropDownProperties(p, {{}, false});
  });
}
