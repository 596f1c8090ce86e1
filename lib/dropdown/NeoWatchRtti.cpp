// The published properties of the analog clock, with the defaults a form description leaves out.
#include <mutex>

#include "lib/dropdown/NeoWatch.h"
#include "platform/rtl/TypInfo.h"

ZELK_ENUM_INFO(TWatchStyle, wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite,
               wsGray, wsSuperNova, wsSports, wsSmooth, wsCustom)

void RegisterNeoWatchRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterNeoWatchAppearanceRtti();
    using W = TNeoWatch;
    Publish<W>()
        .Property(u"Animation", &W::GetAnimation, &W::SetAnimation).Default(true)
        .Property(u"AnimationFactor", &W::GetAnimationFactor, &W::SetAnimationFactor).Default(10)
        .Property(u"Appearance", &W::GetAppearance, &W::SetAppearance)
        .Property(u"ReadOnly", &W::GetReadOnly, &W::SetReadOnly).Default(false)
        .Property(u"Resolution", &W::GetResolution, &W::SetResolution).Default(1)
        .Property(u"Settings", &W::GetSettings, &W::SetSettings)
        .Property(u"Time", &W::GetTime, &W::SetTime).Type(u"TDateTime").Default(0.0)
        .Property(u"ShowAMPM", &W::GetShowAMPM, &W::SetShowAMPM).Default(true)
        .Property(u"ShowNumbers", &W::GetShowNumbers, &W::SetShowNumbers).Default(true)
        .Property(u"Style", &W::GetStyle, &W::SetStyle).Default(wsClassic)
        .Property(u"Version", &W::GetVersion, &W::SetVersion);
  });
}
