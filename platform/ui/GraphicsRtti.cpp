#include "platform/ui/GraphicsRtti.h"

#include <mutex>

ZELK_ENUM_INFO(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
ZELK_ENUM_INFO(TFontPitch, fpDefault, fpVariable, fpFixed)
ZELK_ENUM_INFO(TFontQuality, fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType,
               fqClearTypeNatural)
ZELK_ENUM_INFO(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle,
               psAlternate)
ZELK_ENUM_INFO(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
               pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor)
ZELK_ENUM_INFO(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
               bsDiagCross)

void RegisterGraphicsRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    Publish<TFont>()
        .Property(u"Charset", &TFont::GetCharset, &TFont::SetCharset).Type(u"TFontCharset")
        .Property(u"Color", &TFont::GetColor, &TFont::SetColor).Type(u"TColor")
        .Property(u"Height", &TFont::GetHeight, &TFont::SetHeight)
        .Property(u"Name", &TFont::GetName, &TFont::SetName).Type(u"TFontName")
        .Property(u"Orientation", &TFont::GetOrientation, &TFont::SetOrientation).Default(0)
        .Property(u"Pitch", &TFont::GetPitch, &TFont::SetPitch).Default(fpDefault)
        .Property(u"Size", &TFont::GetSize, &TFont::SetSize).Stored(false)
        .Property(u"Style", &TFont::GetStyle, &TFont::SetStyle).Type(u"TFontStyles")
        .Property(u"Quality", &TFont::GetQuality, &TFont::SetQuality).Default(fqDefault);
    Publish<TPen>()
        .Property(u"Color", &TPen::GetColor, &TPen::SetColor).Type(u"TColor").Default(clBlack)
        .Property(u"Mode", &TPen::GetMode, &TPen::SetMode).Default(pmCopy)
        .Property(u"Style", &TPen::GetStyle, &TPen::SetStyle).Default(psSolid)
        .Property(u"Width", &TPen::GetWidth, &TPen::SetWidth).Default(1);
    Publish<TBrush>()
        .Property(u"Color", &TBrush::GetColor, &TBrush::SetColor).Type(u"TColor").Default(clWhite)
        .Property(u"Style", &TBrush::GetStyle, &TBrush::SetStyle).Default(bsSolid);
    RegisterClasses({TFont::StaticClass(), TPen::StaticClass(), TBrush::StaticClass(), TPicture::StaticClass(),
                     TBitmap::StaticClass(), TIcon::StaticClass()});
  });
}
