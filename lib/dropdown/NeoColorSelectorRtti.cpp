// The published properties of the colour box appearance, the colour boxes and the cube.
#include <mutex>

#include "lib/dropdown/NeoColorSelector.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/GraphicsRtti.h"

ZELK_ENUM_INFO(TItemPos, ipStandAlone, ipTop, ipMiddle, ipBottom)

void RegisterNeoColorSelectorRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using A = TColorBoxAppearance;
    // BorderColor starts at $C5C5C5 but its stored default is $C0C0C0: a $C0C0C0 border is left
    // out of a form description and reads back as $C5C5C5.
    Publish<A>()
        .Property(u"BorderColor", &A::GetBorderColor, &A::SetBorderColor).Type(u"TColor").Default(static_cast<TColor>(0xC0C0C0))
        .Property(u"OuterBorderColorHot", &A::GetOuterBorderColorHot, &A::SetOuterBorderColorHot).Type(u"TColor").Default(static_cast<TColor>(0x3694F2))
        .Property(u"InnerBorderColorHot", &A::GetInnerBorderColorHot, &A::SetInnerBorderColorHot).Type(u"TColor").Default(static_cast<TColor>(0x94E2FF))
        .Property(u"OuterBorderColorSelected", &A::GetOuterBorderColorSelected, &A::SetOuterBorderColorSelected).Type(u"TColor").Default(static_cast<TColor>(0x0000FF))
        .Property(u"InnerBorderColorSelected", &A::GetInnerBorderColorSelected, &A::SetInnerBorderColorSelected).Type(u"TColor").Default(static_cast<TColor>(0x94E2FF));
    using I = TColorBoxItem;
    Publish<I>()
        .Property(u"Color", &I::GetColor, &I::SetColor).Type(u"TColor").Default(clNone)
        .Property(u"ColorBoxPos", &I::GetColorBoxPos, &I::SetColorBoxPos).Default(ipStandAlone);
    using C = TNeoColorCubePanel;
    Publish<C>()
        .Property(u"SelectedColor", &C::GetSelectedColor, &C::SetSelectedColor).Type(u"TColor").Default(clNone)
        .Property(u"ShowRGBHint", &C::GetShowRGBHint, &C::SetShowRGBHint).Default(true);
    using S = TNeoColorSpectrumPanel;
    Publish<S>().Property(u"SelectedColor", &S::GetSelectedColor, &S::SetSelectedColor).Type(u"TColor").Default(static_cast<TColor>(0xFFFFFF));
  });
}
