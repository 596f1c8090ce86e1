// Published properties of the graphics layer's value classes.
#include <mutex>

#include "lib/base/NeoUtils.h"
#include "lib/graphics/NeoGraphicsTypes.h"
#include "platform/ui/GraphicsRtti.h"

ZELK_ENUM_INFO(TNeoGraphicsFillKind, gfkNone, gfkSolid, gfkGradient, gfkTexture)
ZELK_ENUM_INFO(TNeoGraphicsFillOrientation, gfoHorizontal, gfoVertical, gfoCustom)
ZELK_ENUM_INFO(TNeoGraphicsFillGradientMode, gfgmDefault, gfgmCollection)
ZELK_ENUM_INFO(TNeoGraphicsFillGradientType, gfgtLinear, gfgtRadial)
ZELK_ENUM_INFO(TNeoGraphicsTextureMode, gtmOriginal, gtmFit, gtmStretch, gtmCenter, gtmTile)
ZELK_ENUM_INFO(TNeoGraphicsStrokeKind, gskNone, gskSolid, gskDash, gskDot, gskDashDot, gskDashDotDot)
ZELK_ENUM_INFO(TNeoGraphicsTextAlign, gtaCenter, gtaLeading, gtaTrailing)
ZELK_ENUM_INFO(TNeoGraphicsTextTrimming, gttNone, gttCharacter, gttWord)
ZELK_ENUM_INFO(TNeoGraphicsSide, gsLeft, gsTop, gsRight, gsBottom)
ZELK_ENUM_INFO(TNeoGraphicsTextQuality, gtqDefault, gtqAntiAliasing, gtqClearType)
ZELK_ENUM_INFO(TNeoGraphicsCorner, gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight)
ZELK_ENUM_INFO(TNeoGraphicsModifyRectMode, gcrmNone, gcrmExpandAll, gcrmShrinkAll, gcrmShiftRightAndExpandHeight,
               gcrmShiftDownAndExpandWidth, gcrmShiftRightAndShrinkHeight, gcrmShiftRightDown, gcrmShiftRightUp,
               gcrmShiftLeftUp, gcrmShiftLeftDown, gcrmShiftUpAndExpandWidth, gcrmShiftLeftAndExpandHeight)

namespace {

bool Excluded(const String& APropertyName) {
  return TNeoUtils::IndexOfTextInArray(APropertyName, TNeoPersistence::ExcludeProperties) >= 0;
}

// An ordinal property holding its published default.
bool HoldsDefault(TObject* AObject, PPropInfo AProp) {
  switch (AProp->Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
    case tkInt64:
      return AProp->HasDefault && AProp->GetOrd && GetOrdProp(AObject, AProp) == AProp->Default;
    default:
      return false;
  }
}

}  // namespace

bool TNeoStoredPropertiesFilter::CanWriteProperty(TObject* AObject, const String& APropertyName,
                                                  TTypeKind APropertyKind) {
  (void)APropertyKind;
  PPropInfo prop = GetPropInfo(AObject, APropertyName);
  if (!prop || Excluded(APropertyName)) return false;
  return IsStoredProp(AObject, prop) && !HoldsDefault(AObject, prop);
}

bool TNeoStoredPropertiesFilter::CanReadProperty(TObject* AObject, const String& APropertyName,
                                                 TTypeKind APropertyKind) {
  (void)AObject;
  (void)APropertyKind;
  return !Excluded(APropertyName);
}

namespace {

void PublishFill() {
  using F = TNeoGraphicsFill;
  Publish<F>()
      .Property(u"Kind", &F::GetKind, &F::SetKind).Default(gfkSolid)
      .Property(u"Orientation", &F::GetOrientation, &F::SetOrientation).Default(gfoVertical)
      .Property(u"GradientOrientation", &F::GetGradientOrientation, &F::SetGradientOrientation).Default(gfoVertical)
      .Property(u"Color", &F::GetColor, &F::SetColor).Type(u"TColor").Default(0xFFFFFF)
      .Property(u"ColorTo", &F::GetColorTo, &F::SetColorTo).Type(u"TColor").Default(0x808080)
      .Property(u"ColorMirror", &F::GetColorMirror, &F::SetColorMirror).Type(u"TColor").Default(gcNull)
      .Property(u"ColorMirrorTo", &F::GetColorMirrorTo, &F::SetColorMirrorTo).Type(u"TColor").Default(gcNull)
      .Property(u"TextureMode", &F::GetTextureMode, &F::SetTextureMode).Default(gtmStretch)
      .Property(u"Texture", &F::GetTexture, &F::SetTexture)
      .Property(u"Opacity", &F::GetOpacity, &F::SetOpacity).Stored([](F* f) { return f->GetOpacity() != 1; })
      .Property(u"GradientMatrix", &F::GetGradientMatrix, &F::SetGradientMatrix)
      .Property(u"GradientAngle", &F::GetGradientAngle, &F::SetGradientAngle)
      .Stored([](F* f) { return f->GetGradientAngle() != 0; })
      .Property(u"GradientType", &F::GetGradientType, &F::SetGradientType).Default(gfgtLinear)
      .Property(u"GradientMode", &F::GetGradientMode, &F::SetGradientMode).Default(gfgmDefault)
      .Property(u"GradientItems", &F::GetGradientItems, &F::SetGradientItems)
      .Property(u"GradientCenterPoint", &F::GetGradientCenterPoint, &F::SetGradientCenterPoint)
      .Property(u"GradientCenterColor", &F::GetGradientCenterColor, &F::SetGradientCenterColor)
      .Type(u"TColor")
      .Default(gcNull)
      .Property(u"OnChanged", &F::OnChanged);
}

void PublishStroke() {
  using S = TNeoGraphicsStroke;
  Publish<S>()
      .Property(u"Kind", &S::GetKind, &S::SetKind).Default(gskSolid)
      .Property(u"Color", &S::GetColor, &S::SetColor).Type(u"TColor").Default(0xC0C0C0)
      .Property(u"Width", &S::GetWidth, &S::SetWidth).Stored([](S* s) { return s->GetWidth() != 1; })
      .Property(u"Opacity", &S::GetOpacity, &S::SetOpacity).Stored([](S* s) { return s->GetOpacity() != 1; })
      .Property(u"OnChanged", &S::OnChanged);
}

void PublishGradientItem() {
  using I = TNeoGraphicsFillGradientItem;
  Publish<I>()
      .Property(u"Color", &I::GetColor, &I::SetColor).Type(u"TColor").Default(0xFFFFFF)
      .Property(u"Position", &I::GetPosition, &I::SetPosition).Stored([](I* i) { return i->GetPosition() != 0; })
      .Property(u"Opacity", &I::GetOpacity, &I::SetOpacity).Stored([](I* i) { return i->GetOpacity() != 1; });
}

}  // namespace

void RegisterNeoGraphicsTypesRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterGraphicsRtti();
    PublishFill();
    PublishStroke();
    PublishGradientItem();
    Publish<TNeoGraphicsFont>().Property(u"OnChanged", &TNeoGraphicsFont::OnChanged);
    RegisterClasses({TNeoBitmap::StaticClass(), TNeoGraphicsFill::StaticClass(), TNeoGraphicsStroke::StaticClass(),
                     TNeoGraphicsFont::StaticClass(), TNeoGraphicsFillGradientItem::StaticClass(),
                     TNeoGraphicsPath::StaticClass(), TNeoGraphicsSaveState::StaticClass()});
  });
}
