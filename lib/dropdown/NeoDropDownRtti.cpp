// The published properties of the dropdown edit, with the defaults a form description leaves out.
#include <mutex>

#include "lib/dropdown/NeoDropDown.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/GraphicsRtti.h"
#include "platform/ui/ImgList.h"

ZELK_ENUM_INFO(TDropPosition, dpAuto, dpDown, dpUp)
ZELK_ENUM_INFO(TLabelPosition, lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft,
               lpLeftCenterLeft, lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter,
               lpRighBottom, lpTopRight, lpBottomRight)
ZELK_ENUM_INFO(TBevelKind, bkNone, bkTile, bkSoft, bkFlat)

void RegisterNeoDropDownRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterNeoButtonAppearanceRtti();
    using D = TNeoCustomDropDown;
    Publish<TNeoDropDown>()
        .Property(u"BorderColor", &D::GetBorderColor, &D::SetBorderColor).Type(u"TColor").Default(clNone)
        .Property(u"FocusBorderColor", &D::GetFocusBorderColor, &D::SetFocusBorderColor).Type(u"TColor").Default(clNone)
        .Property(u"EmptyText", &D::GetEmptyText, &D::SetEmptyText)
        .Property(u"EmptyTextFocused", &D::GetEmptyTextFocused, &D::SetEmptyTextFocused).Default(false)
        .Property(u"EmptyTextStyle", &D::GetEmptyTextStyle, &D::SetEmptyTextStyle).Default(TFontStyles{})
        .Property(u"DropDownColor", &D::GetDropDownColor, &D::SetDropDownColor).Type(u"TColor").Default(static_cast<TColor>(0xFFFFFF))
        .Property(u"DropDownColorTo", &D::GetDropDownColorTo, &D::SetDropDownColorTo).Type(u"TColor").Default(clNone)
        .Property(u"DropDownBorderColor", &D::GetDropDownBorderColor, &D::SetDropDownBorderColor).Type(u"TColor").Default(clBlack)
        .Property(u"DropDownBorderWidth", &D::GetDropDownBorderWidth, &D::SetDropDownBorderWidth).Default(1)
        .Property(u"DropDownShadow", &D::GetDropDownShadow, &D::SetDropDownShadow).Default(true)
        .Property(u"DropDownWidth", &D::GetDropDownWidth, &D::SetDropDownWidth).Default(0)
        .Property(u"DropDownHeight", &D::GetDropDownHeight, &D::SetDropDownHeight).Default(0)
        .Property(u"DropDownEnabled", &D::GetDropDownEnabled, &D::SetDropDownEnabled).Default(true)
        .Property(u"DropPosition", &D::GetDropPosition, &D::SetDropPosition).Default(dpAuto)
        .Property(u"DropDownButtonWidth", &D::GetDropDownButtonWidth, &D::SetDropDownButtonWidth).Default(17)
        .Property(u"DropDownButtonHint", &D::GetDropDownButtonHint, &D::SetDropDownButtonHint)
        .Property(u"DropDownButtonGlyph", &D::GetDropDownButtonGlyph, &D::SetDropDownButtonGlyph)
        .Property(u"DropDownSizeable", &D::GetDropDownSizeable, &D::SetDropDownSizeable).Default(true)
        .Property(u"EditorEnabled", &D::GetEditorEnabled, &D::SetEditorEnabled).Default(true)
        .Property(u"Images", &D::GetImages, &D::SetImages)
        .Property(u"LabelCaption", &D::GetLabelCaption, &D::SetLabelCaption)
        .Property(u"LabelPosition", &D::GetLabelPosition, &D::SetLabelPosition).Default(lpLeftTop)
        .Property(u"LabelMargin", &D::GetLabelMargin, &D::SetLabelMargin).Default(4)
        .Property(u"LabelTransparent", &D::GetLabelTransparent, &D::SetLabelTransparent).Default(false)
        .Property(u"LabelAlwaysEnabled", &D::GetLabelAlwaysEnabled, &D::SetLabelAlwaysEnabled).Default(false)
        .Property(u"LabelFont", &D::GetLabelFont, &D::SetLabelFont)
        .Property(u"Version", &D::GetVersion, &D::SetVersion).Stored(false)
        .Property(u"ButtonAppearance", &D::GetButtonAppearance, &D::SetButtonAppearance)
        .Property(u"Ctl3D", &D::GetCtl3D, &D::SetCtl3D).Default(true)
        .Property(u"BevelKind", &D::GetBevelKind, &D::SetBevelKind).Default(bkNone);
  });
}
