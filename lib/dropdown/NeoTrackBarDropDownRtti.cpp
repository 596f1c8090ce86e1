// The published properties of the track-bar dropdown.
#include <mutex>

#include "lib/dropdown/NeoDropDownPublish.h"
#include "lib/dropdown/NeoTrackBarDropDown.h"

void RegisterNeoTrackBarDropDownRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using T = TNeoTrackBarDropDown;
    auto p = Publish<T>();
    p.Property(u"Min", &T::GetMin, &T::SetMin).Default(0)
        .Property(u"Max", &T::GetMax, &T::SetMax).Default(10)
        .Property(u"Frequency", &T::GetFrequency, &T::SetFrequency).Default(1)
        .Property(u"Position", &T::GetPosition, &T::SetPosition).Default(0)
        .Property(u"PageSize", &T::GetPageSize, &T::SetPageSize).Default(2);
    PublishDropDownProperties(p, {{u"DropDownColor", u"DropDownColorTo", u"EmptyText", u"EmptyTextFocused",
                                   u"EmptyTextStyle"},
                                  false});
  });
}
