#pragma once
// The published properties of the dropdown edit for a variant that publishes them itself (a
// variant derives from TNeoCustomDropDown, not from TNeoDropDown, and leaves some out). Each
// property is registered on the variant's own class, so that its accessors are called on it.
#include <algorithm>
#include <initializer_list>

#include "lib/dropdown/NeoDropDown.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/GraphicsRtti.h"
#include "platform/ui/ImgList.h"

// Their information is defined with the dropdown edit's published properties.
ZELK_DECLARE_ENUM_INFO(TDropPosition)
ZELK_DECLARE_ENUM_INFO(TLabelPosition)
ZELK_DECLARE_ENUM_INFO(TBevelKind)

// The names a variant leaves out, and the default of EditorEnabled (off for pick-only variants).
struct TDropDownPublishing {
  std::initializer_list<const char16_t*> Except;
  bool EditorEnabled = true;
};

template <class T>
void PublishDropDownProperties(TPublisher<T>& P, const TDropDownPublishing& How) {
  RegisterNeoDropDownRtti();
  using D = TNeoCustomDropDown;
  auto wanted = [&How](const char16_t* Name) {
    return std::none_of(How.Except.begin(), How.Except.end(), [Name](const char16_t* E) { return String(E) == Name; });
  };
  if (wanted(u"BorderColor"))
    P.Property(u"BorderColor", &D::GetBorderColor, &D::SetBorderColor).Type(u"TColor").Default(clNone);
  if (wanted(u"FocusBorderColor"))
    P.Property(u"FocusBorderColor", &D::GetFocusBorderColor, &D::SetFocusBorderColor).Type(u"TColor").Default(clNone);
  if (wanted(u"EmptyText")) P.Property(u"EmptyText", &D::GetEmptyText, &D::SetEmptyText);
  if (wanted(u"EmptyTextFocused"))
    P.Property(u"EmptyTextFocused", &D::GetEmptyTextFocused, &D::SetEmptyTextFocused).Default(false);
  if (wanted(u"EmptyTextStyle"))
    P.Property(u"EmptyTextStyle", &D::GetEmptyTextStyle, &D::SetEmptyTextStyle).Default(TFontStyles{});
  if (wanted(u"DropDownColor"))
    P.Property(u"DropDownColor", &D::GetDropDownColor, &D::SetDropDownColor).Type(u"TColor")
        .Default(static_cast<TColor>(0xFFFFFF));
  if (wanted(u"DropDownColorTo"))
    P.Property(u"DropDownColorTo", &D::GetDropDownColorTo, &D::SetDropDownColorTo).Type(u"TColor").Default(clNone);
  if (wanted(u"DropDownBorderColor"))
    P.Property(u"DropDownBorderColor", &D::GetDropDownBorderColor, &D::SetDropDownBorderColor).Type(u"TColor")
        .Default(clBlack);
  if (wanted(u"DropDownBorderWidth"))
    P.Property(u"DropDownBorderWidth", &D::GetDropDownBorderWidth, &D::SetDropDownBorderWidth).Default(1);
  if (wanted(u"DropDownShadow"))
    P.Property(u"DropDownShadow", &D::GetDropDownShadow, &D::SetDropDownShadow).Default(true);
  if (wanted(u"DropDownWidth")) P.Property(u"DropDownWidth", &D::GetDropDownWidth, &D::SetDropDownWidth).Default(0);
  if (wanted(u"DropDownHeight"))
    P.Property(u"DropDownHeight", &D::GetDropDownHeight, &D::SetDropDownHeight).Default(0);
  if (wanted(u"DropDownEnabled"))
    P.Property(u"DropDownEnabled", &D::GetDropDownEnabled, &D::SetDropDownEnabled).Default(true);
  if (wanted(u"DropPosition")) P.Property(u"DropPosition", &D::GetDropPosition, &D::SetDropPosition).Default(dpAuto);
  if (wanted(u"DropDownButtonWidth"))
    P.Property(u"DropDownButtonWidth", &D::GetDropDownButtonWidth, &D::SetDropDownButtonWidth).Default(17);
  if (wanted(u"DropDownButtonHint"))
    P.Property(u"DropDownButtonHint", &D::GetDropDownButtonHint, &D::SetDropDownButtonHint);
  if (wanted(u"DropDownButtonGlyph"))
    P.Property(u"DropDownButtonGlyph", &D::GetDropDownButtonGlyph, &D::SetDropDownButtonGlyph);
  if (wanted(u"DropDownSizeable"))
    P.Property(u"DropDownSizeable", &D::GetDropDownSizeable, &D::SetDropDownSizeable).Default(true);
  if (wanted(u"EditorEnabled"))
    P.Property(u"EditorEnabled", &D::GetEditorEnabled, &D::SetEditorEnabled).Default(How.EditorEnabled);
  if (wanted(u"Images")) P.Property(u"Images", &D::GetImages, &D::SetImages);
  if (wanted(u"LabelCaption")) P.Property(u"LabelCaption", &D::GetLabelCaption, &D::SetLabelCaption);
  if (wanted(u"LabelPosition"))
    P.Property(u"LabelPosition", &D::GetLabelPosition, &D::SetLabelPosition).Default(lpLeftTop);
  if (wanted(u"LabelMargin")) P.Property(u"LabelMargin", &D::GetLabelMargin, &D::SetLabelMargin).Default(4);
  if (wanted(u"LabelTransparent"))
    P.Property(u"LabelTransparent", &D::GetLabelTransparent, &D::SetLabelTransparent).Default(false);
  if (wanted(u"LabelAlwaysEnabled"))
    P.Property(u"LabelAlwaysEnabled", &D::GetLabelAlwaysEnabled, &D::SetLabelAlwaysEnabled).Default(false);
  if (wanted(u"LabelFont")) P.Property(u"LabelFont", &D::GetLabelFont, &D::SetLabelFont);
  if (wanted(u"Version")) P.Property(u"Version", &D::GetVersion, &D::SetVersion).Stored(false);
  if (wanted(u"ButtonAppearance"))
    P.Property(u"ButtonAppearance", &D::GetButtonAppearance, &D::SetButtonAppearance);
  if (wanted(u"Ctl3D")) P.Property(u"Ctl3D", &D::GetCtl3D, &D::SetCtl3D).Default(true);
  if (wanted(u"BevelKind")) P.Property(u"BevelKind", &D::GetBevelKind, &D::SetBevelKind).Default(bkNone);
  P.Property(u"UIStyle", &D::GetUIStyle, &D::SetUIStyle).Default(tsCustom);
  P.Property(u"DisabledBorder", &D::GetDisabledBorder, &D::SetDisabledBorder).Default(true);
}
