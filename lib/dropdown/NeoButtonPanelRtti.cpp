// The published properties of the calculator keypad's keys and appearance.
#include <mutex>

#include "lib/dropdown/NeoButtonPanel.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/GraphicsRtti.h"

void RegisterNeoButtonPanelRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using K = TCalcButtonItem;
    Publish<K>()
        .Property(u"Caption", &K::GetCaption, &K::SetCaption)
        .Property(u"CaptionColor", &K::GetCaptionColor, &K::SetCaptionColor).Type(u"TColor").Default(static_cast<TColor>(0xFFFFFF))
        .Property(u"ImageIndex", &K::GetImageIndex, &K::SetImageIndex).Default(-1)
        .Property(u"Image", &K::GetImage, &K::SetImage)
        .Property(u"Tag", &K::GetTag, &K::SetTag).Default(0);
    using A = TButtonAppearance;
    Publish<A>()
        .Property(u"BorderColor", &A::GetBorderColor, &A::SetBorderColor).Type(u"TColor").Default(static_cast<TColor>(0))
        .Property(u"BorderColorHot", &A::GetBorderColorHot, &A::SetBorderColorHot).Type(u"TColor").Default(static_cast<TColor>(0))
        .Property(u"BorderColorDown", &A::GetBorderColorDown, &A::SetBorderColorDown).Type(u"TColor").Default(static_cast<TColor>(0))
        .Property(u"Color", &A::GetColor, &A::SetColor).Type(u"TColor").Default(static_cast<TColor>(0x9A915F))
        .Property(u"ColorTo", &A::GetColorTo, &A::SetColorTo).Type(u"TColor").Default(static_cast<TColor>(0xB0A170))
        .Property(u"ColorDown", &A::GetColorDown, &A::SetColorDown).Type(u"TColor").Default(static_cast<TColor>(0x4B2F08))
        .Property(u"ColorDownTo", &A::GetColorDownTo, &A::SetColorDownTo).Type(u"TColor").Default(static_cast<TColor>(0xADB514))
        .Property(u"ColorHot", &A::GetColorHot, &A::SetColorHot).Type(u"TColor").Default(static_cast<TColor>(0x9F6F1C))
        .Property(u"ColorHotTo", &A::GetColorHotTo, &A::SetColorHotTo).Type(u"TColor").Default(static_cast<TColor>(0xD5C244))
        .Property(u"GlowColorHot", &A::GetGlowColorHot, &A::SetGlowColorHot).Type(u"TColor").Default(static_cast<TColor>(0xD5C244))
        .Property(u"GlowColorDown", &A::GetGlowColorDown, &A::SetGlowColorDown).Type(u"TColor").Default(static_cast<TColor>(0xD5C244))
        .Property(u"ShineColor", &A::GetShineColor, &A::SetShineColor).Type(u"TColor").Default(static_cast<TColor>(0xFFFFFF))
        .Property(u"Font", &A::GetFont, &A::SetFont)
        .Property(u"TextColor", &A::GetTextColor, &A::SetTextColor).Type(u"TColor").Default(static_cast<TColor>(0))
        .Property(u"SpecialTextColor", &A::GetSpecialTextColor, &A::SetSpecialTextColor).Type(u"TColor").Default(static_cast<TColor>(0x000080));
  });
}
