// The published properties of the colour picker and its colour items, with the defaults a form
// description leaves out.
#include <mutex>

#include "lib/dropdown/NeoColorPickerDropDown.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/GraphicsRtti.h"

ZELK_ENUM_INFO(TColorSelectionStyle, csList, csDiscrete, csColorCube, csSpectrum)
ZELK_ENUM_INFO(TColorValueText, cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML)

void RegisterNeoColorPickerDropDownRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterNeoItemSelectorRtti();
    using I = TColorItem;
    Publish<I>()
        .Property(u"Caption", &I::GetCaption, &I::SetCaption)
        .Property(u"Color", &I::GetColor, &I::SetColor).Type(u"TColor").Default(clNone)
        .Property(u"Hint", &I::GetHint, &I::SetHint);
    using D = TNeoColorPickerDropDown;
    Publish<D>()
        .Property(u"Columns", &D::GetColumns, &D::SetColumns).Default(1)
        .Property(u"Colors", &D::GetColors, &D::SetColors)
        .Property(u"ItemIndex", &D::GetItemIndex, &D::SetItemIndex).Default(-1)
        .Property(u"ColorBoxHeight", &D::GetColorBoxHeight, &D::SetColorBoxHeight).Default(14)
        .Property(u"ColorBoxWidth", &D::GetColorBoxWidth, &D::SetColorBoxWidth).Default(14)
        .Property(u"ColorBoxBorderColor", &D::GetColorBoxBorderColor, &D::SetColorBoxBorderColor).Type(u"TColor").Default(clBlack)
        .Property(u"Layout", &D::GetLayout, &D::SetLayout).Default(ilCaptionRight)
        .Property(u"ItemAppearance", &D::GetItemAppearance, &D::SetItemAppearance)
        .Property(u"ColorValueText", &D::GetColorValueText, &D::SetColorValueText).Default(cvtNone)
        .Property(u"ColorSelectionStyle", &D::GetColorSelectionStyle, &D::SetColorSelectionStyle).Default(csList)
        .Property(u"ShowText", &D::GetShowText, &D::SetShowText).Default(true);
  });
}
