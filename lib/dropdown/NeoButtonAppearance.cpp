#include "lib/dropdown/NeoButtonAppearance.h"

#include <mutex>

#include "lib/dropdown/NeoDropDownUtils.h"
#include "platform/rtl/TypInfo.h"

ZELK_ENUM_INFO(TGradientDirection, gdHorizontal, gdVertical)

namespace {
constexpr TColor kHot = static_cast<TColor>(0xF5F0E1), kHotTo = static_cast<TColor>(0xF9D2B2);
}  // namespace

TNeoButtonAppearance::TNeoButtonAppearance()
    : FBorderColor(clNone),
      FBorderColorHot(static_cast<TColor>(0x808080)),
      FBorderColorDown(static_cast<TColor>(0x800000)),
      FBorderColorDisabled(static_cast<TColor>(0x808080)),
      FBorderColorChecked(static_cast<TColor>(0xFF0000)),
      FColor(clNone),
      FColorTo(clNone),
      FColorDown(static_cast<TColor>(0xF5D8CA)),
      FColorDownTo(static_cast<TColor>(0xF9BDA0)),
      FColorHot(kHot),
      FColorHotTo(kHotTo),
      // The checked faces are the hot ones with red and green at 90 per cent.
      FColorCheckedTo(ShadeColorChannels(kHotTo, -10, -10, 0)),
      FColorDisabled(static_cast<TColor>(0xF2F2F2)),
      FColorDisabledTo(clNone),
      FColorChecked(ShadeColorChannels(kHot, -10, -10, 0)),
      FFont(std::make_unique<TFont>()) {
  FFont->SetName(u"Tahoma");
  RegisterNeoButtonAppearanceRtti();
}

TNeoButtonAppearance::~TNeoButtonAppearance() = default;

void TNeoButtonAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TNeoButtonAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TNeoButtonAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  SetColor(s->FColor);
  SetColorTo(s->FColorTo);
  SetColorHot(s->FColorHot);
  SetColorHotTo(s->FColorHotTo);
  SetColorDown(s->FColorDown);
  SetColorDownTo(s->FColorDownTo);
  SetColorChecked(s->FColorChecked);
  SetColorCheckedTo(s->FColorCheckedTo);
  SetColorDisabled(s->FColorDisabled);
  SetColorDisabledTo(s->FColorDisabledTo);
  SetBorderColor(s->FBorderColor);
  SetBorderColorHot(s->FBorderColorHot);
  SetBorderColorDown(s->FBorderColorDown);
  SetBorderColorChecked(s->FBorderColorChecked);
  SetBorderColorDisabled(s->FBorderColorDisabled);
  SetGradient(s->FGradient);
}

void RegisterNeoButtonAppearanceRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using A = TNeoButtonAppearance;
    Publish<A>()
        .Property(u"BorderColor", &A::GetBorderColor, &A::SetBorderColor).Type(u"TColor").Default(clNone)
        .Property(u"BorderColorHot", &A::GetBorderColorHot, &A::SetBorderColorHot).Type(u"TColor").Default(static_cast<TColor>(0x808080))
        .Property(u"BorderColorDown", &A::GetBorderColorDown, &A::SetBorderColorDown).Type(u"TColor").Default(static_cast<TColor>(0x800000))
        .Property(u"BorderColorDisabled", &A::GetBorderColorDisabled, &A::SetBorderColorDisabled).Type(u"TColor").Default(static_cast<TColor>(0x808080))
        .Property(u"Color", &A::GetColor, &A::SetColor).Type(u"TColor").Default(clNone)
        .Property(u"ColorTo", &A::GetColorTo, &A::SetColorTo).Type(u"TColor").Default(clNone)
        .Property(u"ColorHot", &A::GetColorHot, &A::SetColorHot).Type(u"TColor").Default(kHot)
        .Property(u"ColorHotTo", &A::GetColorHotTo, &A::SetColorHotTo).Type(u"TColor").Default(kHotTo)
        .Property(u"ColorDown", &A::GetColorDown, &A::SetColorDown).Type(u"TColor").Default(static_cast<TColor>(0xF5D8CA))
        .Property(u"ColorDownTo", &A::GetColorDownTo, &A::SetColorDownTo).Type(u"TColor").Default(static_cast<TColor>(0xF9BDA0))
        .Property(u"ColorDisabled", &A::GetColorDisabled, &A::SetColorDisabled).Type(u"TColor").Default(static_cast<TColor>(0xF2F2F2))
        .Property(u"ColorDisabledTo", &A::GetColorDisabledTo, &A::SetColorDisabledTo).Type(u"TColor").Default(clNone)
        .Property(u"Gradient", &A::GetGradient, &A::SetGradient).Default(gdVertical)
        .Property(u"Font", &A::GetFont, &A::SetFont);
  });
}
