// The published properties of the item selector, its items and its appearance.
#include <mutex>

#include "lib/dropdown/NeoItemSelector.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/GraphicsRtti.h"
#include "platform/ui/ImgList.h"

ZELK_ENUM_INFO(TSelectorType, stImage, stColor)
ZELK_ENUM_INFO(TItemLayout, ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom)

void RegisterNeoItemSelectorRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using I = TSelectorItem;
    Publish<I>()
        .Property(u"Caption", &I::GetCaption, &I::SetCaption)
        .Property(u"Color", &I::GetColor, &I::SetColor).Type(u"TColor").Default(clNone)
        .Property(u"ImageIndex", &I::GetImageIndex, &I::SetImageIndex).Default(-1)
        .Property(u"Image", &I::GetImage, &I::SetImage)
        .Property(u"Hint", &I::GetHint, &I::SetHint);
    using A = TItemAppearance;
    Publish<A>()
        .Property(u"BorderColor", &A::GetBorderColor, &A::SetBorderColor).Type(u"TColor")
        .Property(u"BorderColorTop", &A::GetBorderColorTop, &A::SetBorderColorTop).Type(u"TColor")
        .Property(u"BorderColorBottom", &A::GetBorderColorBottom, &A::SetBorderColorBottom).Type(u"TColor")
        .Property(u"BorderColorHot", &A::GetBorderColorHot, &A::SetBorderColorHot).Type(u"TColor").Default(clNone)
        .Property(u"BorderColorSelected", &A::GetBorderColorSelected, &A::SetBorderColorSelected).Type(u"TColor").Default(clNone)
        .Property(u"ColorHot", &A::GetColorHot, &A::SetColorHot).Type(u"TColor")
        .Property(u"ColorHotTo", &A::GetColorHotTo, &A::SetColorHotTo).Type(u"TColor")
        .Property(u"ColorHotText", &A::GetColorHotText, &A::SetColorHotText).Type(u"TColor")
        .Property(u"ColorMirrorHot", &A::GetColorMirrorHot, &A::SetColorMirrorHot).Type(u"TColor")
        .Property(u"ColorMirrorHotTo", &A::GetColorMirrorHotTo, &A::SetColorMirrorHotTo).Type(u"TColor")
        .Property(u"ColorSelected", &A::GetColorSelected, &A::SetColorSelected).Type(u"TColor")
        .Property(u"ColorSelectedTo", &A::GetColorSelectedTo, &A::SetColorSelectedTo).Type(u"TColor")
        .Property(u"ColorMirrorSelected", &A::GetColorMirrorSelected, &A::SetColorMirrorSelected).Type(u"TColor")
        .Property(u"ColorMirrorSelectedTo", &A::GetColorMirrorSelectedTo, &A::SetColorMirrorSelectedTo).Type(u"TColor")
        .Property(u"ColorSelectedText", &A::GetColorSelectedText, &A::SetColorSelectedText).Type(u"TColor")
        .Property(u"EdgeColor", &A::GetEdgeColor, &A::SetEdgeColor).Type(u"TColor")
        .Property(u"Font", &A::GetFont, &A::SetFont);
    using S = TNeoCustomItemSelector;
    Publish<S>()
        .Property(u"Columns", &S::GetColumns, &S::SetColumns).Default(1)
        .Property(u"Items", &S::GetItems, &S::SetItems)
        .Property(u"ItemIndex", &S::GetItemIndex, &S::SetItemIndex)
        .Property(u"SelectorType", &S::GetSelectorType, &S::SetSelectorType).Default(stImage)
        .Property(u"ItemLayout", &S::GetItemLayout, &S::SetItemLayout).Default(ilCaptionRight)
        .Property(u"Images", &S::GetImages, &S::SetImages)
        .Property(u"ItemAppearance", &S::GetItemAppearance, &S::SetItemAppearance)
        .Property(u"ColorBoxHeight", &S::GetColorBoxHeight, &S::SetColorBoxHeight).Default(14)
        .Property(u"ColorBoxWidth", &S::GetColorBoxWidth, &S::SetColorBoxWidth).Default(14);
  });
}
