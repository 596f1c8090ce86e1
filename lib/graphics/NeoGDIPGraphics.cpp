// NeoGDIP drawing surface: state, transforms, clipping, shapes, pictures and text.
#include <memory>

#include "lib/graphics/NeoGDIPInternal.h"

namespace NeoGDIP {

namespace {

TGPRectF AtOrigin(const TGPPointF& AOrigin) { return TGPRectF{AOrigin.X, AOrigin.Y, 0, 0}; }

// A length GDI+ may read: one beyond the text is taken as the text's own.
Integer LengthWithin(const String& AString, Integer ALength) {
  const auto size = static_cast<Integer>(AString.size());
  return ALength > size ? size : ALength;
}

}  // namespace

TGPGraphics::TGPGraphics(HDC ADC) { TProtocol::Create(nativeGraphics, lastResult, Imports.GdipCreateFromHDC, ADC); }

TGPGraphics::TGPGraphics(TGPImage* AImage) {
  if (AImage) TProtocol::Create(nativeGraphics, lastResult, Imports.GdipGetImageGraphicsContext, AImage->nativeImage);
}

TGPGraphics* TGPGraphics::FromImage(TGPImage* AImage) { return new TGPGraphics(AImage); }

TGPGraphics::~TGPGraphics() { TProtocol::Call(Imports.GdipDeleteGraphics, nativeGraphics); }

// ---- State ----

void TGPGraphics::Flush(FlushIntention AIntention) { TProtocol::Call(Imports.GdipFlush, nativeGraphics, AIntention); }

Status TGPGraphics::Clear(ARGB AColor) { return TProtocol::Run(lastResult, Imports.GdipGraphicsClear, nativeGraphics, AColor); }

HDC TGPGraphics::GetHDC() { return TProtocol::Get<HDC>(lastResult, nullptr, Imports.GdipGetDC, nativeGraphics); }

Status TGPGraphics::ReleaseHDC(HDC ADC) { return TProtocol::Run(lastResult, Imports.GdipReleaseDC, nativeGraphics, ADC); }

Status TGPGraphics::SetTextRenderingHint(TextRenderingHint ANewMode) {
  return TProtocol::Run(lastResult, Imports.GdipSetTextRenderingHint, nativeGraphics, ANewMode);
}

TextRenderingHint TGPGraphics::GetTextRenderingHint() {
  return TProtocol::Get(lastResult, TextRenderingHintSystemDefault, Imports.GdipGetTextRenderingHint, nativeGraphics);
}

Status TGPGraphics::SetSmoothingMode(gdip::SmoothingMode ASmoothingMode) {
  return TProtocol::Run(lastResult, Imports.GdipSetSmoothingMode, nativeGraphics, ASmoothingMode);
}

gdip::SmoothingMode TGPGraphics::GetSmoothingMode() {
  return TProtocol::Get(lastResult, gdip::SmoothingModeInvalid, Imports.GdipGetSmoothingMode, nativeGraphics);
}

Status TGPGraphics::SetCompositingQuality(gdip::CompositingQuality ACompositingQuality) {
  return TProtocol::Run(lastResult, Imports.GdipSetCompositingQuality, nativeGraphics, ACompositingQuality);
}

gdip::CompositingQuality TGPGraphics::GetCompositingQuality() {
  return TProtocol::Get(lastResult, gdip::CompositingQualityInvalid, Imports.GdipGetCompositingQuality, nativeGraphics);
}

// ---- Transforms and clipping ----

Status TGPGraphics::SetTransform(TGPMatrix* AMatrix) {
  return TProtocol::Run(lastResult, Imports.GdipSetWorldTransform, nativeGraphics, NativeOf(AMatrix));
}

Status TGPGraphics::MultiplyTransform(TGPMatrix* AMatrix, MatrixOrder AOrder) {
  return TProtocol::Run(lastResult, Imports.GdipMultiplyWorldTransform, nativeGraphics, NativeOf(AMatrix), AOrder);
}

Status TGPGraphics::TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder) {
  return TProtocol::Run(lastResult, Imports.GdipTranslateWorldTransform, nativeGraphics, ADx, ADy, AOrder);
}

Status TGPGraphics::RotateTransform(Single AAngle, MatrixOrder AOrder) {
  return TProtocol::Run(lastResult, Imports.GdipRotateWorldTransform, nativeGraphics, AAngle, AOrder);
}

Status TGPGraphics::ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder) {
  return TProtocol::Run(lastResult, Imports.GdipScaleWorldTransform, nativeGraphics, ASx, ASy, AOrder);
}

Status TGPGraphics::ResetTransform() { return TProtocol::Run(lastResult, Imports.GdipResetWorldTransform, nativeGraphics); }

Status TGPGraphics::SetClip(TGPRegion* ARegion, CombineMode ACombineMode) {
  return TProtocol::Run(lastResult, Imports.GdipSetClipRegion, nativeGraphics, NativeOf(ARegion), ACombineMode);
}

Status TGPGraphics::SetClip(TGPGraphicsPath* APath, CombineMode ACombineMode) {
  return TProtocol::Run(lastResult, Imports.GdipSetClipPath, nativeGraphics, NativeOf(APath), ACombineMode);
}

Status TGPGraphics::ResetClip() { return TProtocol::Run(lastResult, Imports.GdipResetClip, nativeGraphics); }

Status TGPGraphics::ExcludeClip(const TGPRectF& ARect) {
  return TProtocol::Run(lastResult, Imports.GdipSetClipRect, nativeGraphics, ARect.X, ARect.Y, ARect.Width,
                        ARect.Height, CombineModeExclude);
}

Status TGPGraphics::ExcludeClip(TGPRegion* ARegion) { return SetClip(ARegion, CombineModeExclude); }

// ---- Lines and shapes ----

Status TGPGraphics::DrawLine(TGPPen* APen, Single X1, Single Y1, Single X2, Single Y2) {
  return TProtocol::Run(lastResult, Imports.GdipDrawLine, nativeGraphics, NativeOf(APen), X1, Y1, X2, Y2);
}

Status TGPGraphics::DrawRectangle(TGPPen* APen, const TGPRectF& ARect) {
  return DrawRectangle(APen, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::DrawRectangle(TGPPen* APen, Single X, Single Y, Single AWidth, Single AHeight) {
  return TProtocol::Run(lastResult, Imports.GdipDrawRectangle, nativeGraphics, NativeOf(APen), X, Y, AWidth, AHeight);
}

Status TGPGraphics::DrawEllipse(TGPPen* APen, const TGPRectF& ARect) {
  return DrawEllipse(APen, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::DrawEllipse(TGPPen* APen, Single X, Single Y, Single AWidth, Single AHeight) {
  return TProtocol::Run(lastResult, Imports.GdipDrawEllipse, nativeGraphics, NativeOf(APen), X, Y, AWidth, AHeight);
}

Status TGPGraphics::DrawEllipse(TGPPen* APen, const TGPRect& ARect) {
  return DrawEllipse(APen, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::DrawEllipse(TGPPen* APen, Integer X, Integer Y, Integer AWidth, Integer AHeight) {
  return TProtocol::Run(lastResult, Imports.GdipDrawEllipseI, nativeGraphics, NativeOf(APen), X, Y, AWidth, AHeight);
}

Status TGPGraphics::DrawArc(TGPPen* APen, const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle) {
  return DrawArc(APen, ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphics::DrawArc(TGPPen* APen, Single X, Single Y, Single AWidth, Single AHeight, Single AStartAngle,
                            Single ASweepAngle) {
  return TProtocol::Run(lastResult, Imports.GdipDrawArc, nativeGraphics, NativeOf(APen), X, Y, AWidth, AHeight,
                        AStartAngle, ASweepAngle);
}

Status TGPGraphics::DrawBezier(TGPPen* APen, const TGPPointF& APt1, const TGPPointF& APt2, const TGPPointF& APt3,
                               const TGPPointF& APt4) {
  return DrawBezier(APen, APt1.X, APt1.Y, APt2.X, APt2.Y, APt3.X, APt3.Y, APt4.X, APt4.Y);
}

Status TGPGraphics::DrawBezier(TGPPen* APen, Single X1, Single Y1, Single X2, Single Y2, Single X3, Single Y3,
                               Single X4, Single Y4) {
  return TProtocol::Run(lastResult, Imports.GdipDrawBezier, nativeGraphics, NativeOf(APen), X1, Y1, X2, Y2, X3, Y3,
                        X4, Y4);
}

Status TGPGraphics::DrawBeziers(TGPPen* APen, const TGPPointF* APoints, Integer ACount) {
  return TProtocol::Run(lastResult, Imports.GdipDrawBeziers, nativeGraphics, NativeOf(APen), APoints, ACount);
}

Status TGPGraphics::DrawPath(TGPPen* APen, TGPGraphicsPath* APath) {
  return TProtocol::Run(lastResult, Imports.GdipDrawPath, nativeGraphics, NativeOf(APen), NativeOf(APath));
}

Status TGPGraphics::FillRectangle(TGPBrush* ABrush, const TGPRectF& ARect) {
  return FillRectangle(ABrush, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::FillRectangle(TGPBrush* ABrush, Single X, Single Y, Single AWidth, Single AHeight) {
  return TProtocol::Run(lastResult, Imports.GdipFillRectangle, nativeGraphics, NativeOf(ABrush), X, Y, AWidth,
                        AHeight);
}

Status TGPGraphics::FillEllipse(TGPBrush* ABrush, const TGPRectF& ARect) {
  return FillEllipse(ABrush, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::FillEllipse(TGPBrush* ABrush, Single X, Single Y, Single AWidth, Single AHeight) {
  return TProtocol::Run(lastResult, Imports.GdipFillEllipse, nativeGraphics, NativeOf(ABrush), X, Y, AWidth, AHeight);
}

Status TGPGraphics::FillEllipse(TGPBrush* ABrush, const TGPRect& ARect) {
  return FillEllipse(ABrush, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::FillEllipse(TGPBrush* ABrush, Integer X, Integer Y, Integer AWidth, Integer AHeight) {
  return TProtocol::Run(lastResult, Imports.GdipFillEllipseI, nativeGraphics, NativeOf(ABrush), X, Y, AWidth,
                        AHeight);
}

Status TGPGraphics::FillPolygon(TGPBrush* ABrush, const TGPPointF* APoints, Integer ACount, FillMode AFillMode) {
  return TProtocol::Run(lastResult, Imports.GdipFillPolygon, nativeGraphics, NativeOf(ABrush), APoints, ACount,
                        AFillMode);
}

Status TGPGraphics::FillPolygon(TGPBrush* ABrush, const TGPPoint* APoints, Integer ACount, FillMode AFillMode) {
  return TProtocol::Run(lastResult, Imports.GdipFillPolygonI, nativeGraphics, NativeOf(ABrush), APoints, ACount,
                        AFillMode);
}

Status TGPGraphics::FillPath(TGPBrush* ABrush, TGPGraphicsPath* APath) {
  return TProtocol::Run(lastResult, Imports.GdipFillPath, nativeGraphics, NativeOf(ABrush), NativeOf(APath));
}

// ---- Pictures ----

Status TGPGraphics::DrawImage(TGPImage* AImage, Integer X, Integer Y) {
  return TProtocol::Run(lastResult, Imports.GdipDrawImageI, nativeGraphics, NativeOf(AImage), X, Y);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, const TGPRectF& ARect) {
  return DrawImage(AImage, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, Single X, Single Y, Single AWidth, Single AHeight) {
  return TProtocol::Run(lastResult, Imports.GdipDrawImageRect, nativeGraphics, NativeOf(AImage), X, Y, AWidth,
                        AHeight);
}

Status TGPGraphics::DrawImageRect(TGPImage* AImage, Integer X, Integer Y, Integer AWidth, Integer AHeight) {
  return DrawImage(AImage, static_cast<Single>(X), static_cast<Single>(Y), static_cast<Single>(AWidth),
                   static_cast<Single>(AHeight));
}

Status TGPGraphics::DrawImageRect(TGPImage* AImage, const TGPRectF& ARect) {
  return DrawImageRect(AImage, Nearest(ARect.X), Nearest(ARect.Y), Nearest(ARect.Width), Nearest(ARect.Height));
}

Status TGPGraphics::DrawImage(TGPImage* AImage, const TGPRectF& ADestRect, Single ASrcX, Single ASrcY,
                              Single ASrcWidth, Single ASrcHeight, gdip::Unit ASrcUnit,
                              TGPImageAttributes* AImageAttributes, ImageAbort ACallback, void* ACallbackData) {
  return TProtocol::Run(lastResult, Imports.GdipDrawImageRectRect, nativeGraphics, NativeOf(AImage), ADestRect.X,
                        ADestRect.Y, ADestRect.Width, ADestRect.Height, ASrcX, ASrcY, ASrcWidth, ASrcHeight, ASrcUnit,
                        NativeOf(AImageAttributes), ACallback, ACallbackData);
}

// ---- Text ----

Status TGPGraphics::MeasureString(const String& AString, Integer ALength, TGPFont* AFont, const TGPRectF& ALayoutRect,
                                  TGPStringFormat* AStringFormat, TGPRectF& ABoundingBox, Integer& ACodepointsFitted,
                                  Integer& ALinesFilled) {
  return TProtocol::Run(lastResult, Imports.GdipMeasureString, nativeGraphics, AString.c_str(),
                        LengthWithin(AString, ALength), NativeOf(AFont), &ALayoutRect, NativeOf(AStringFormat),
                        &ABoundingBox, &ACodepointsFitted, &ALinesFilled);
}

Status TGPGraphics::MeasureString(const String& AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin,
                                  TGPStringFormat* AStringFormat, TGPRectF& ABoundingBox) {
  const TGPRectF layout = AtOrigin(AOrigin);
  return TProtocol::Run(lastResult, Imports.GdipMeasureString, nativeGraphics, AString.c_str(),
                        LengthWithin(AString, ALength), NativeOf(AFont), &layout, NativeOf(AStringFormat),
                        &ABoundingBox, nullptr, nullptr);
}

Status TGPGraphics::MeasureString(const String& AString, Integer ALength, TGPFont* AFont, const TGPRectF& ALayoutRect,
                                  TGPRectF& ABoundingBox) {
  return TProtocol::Run(lastResult, Imports.GdipMeasureString, nativeGraphics, AString.c_str(),
                        LengthWithin(AString, ALength), NativeOf(AFont), &ALayoutRect, nullptr, &ABoundingBox,
                        nullptr, nullptr);
}

Status TGPGraphics::DrawString(const String& AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin,
                               TGPBrush* ABrush) {
  return DrawString(AString, ALength, AFont, AtOrigin(AOrigin), nullptr, ABrush);
}

Status TGPGraphics::DrawString(const String& AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin,
                               TGPStringFormat* AStringFormat, TGPBrush* ABrush) {
  return DrawString(AString, ALength, AFont, AtOrigin(AOrigin), AStringFormat, ABrush);
}

Status TGPGraphics::DrawString(const String& AString, Integer, TGPFont* AFont, const TGPRectF& ALayoutRect,
                               TGPStringFormat* AStringFormat, TGPBrush* ABrush) {
  return TProtocol::Run(lastResult, Imports.GdipDrawString, nativeGraphics, AString.c_str(),
                        static_cast<Integer>(AString.size()), NativeOf(AFont), &ALayoutRect, NativeOf(AStringFormat),
                        NativeOf(ABrush));
}

TGPFont* TGPGraphics::MakeFont(TFont* AFont) { return MakeFont(AFont, static_cast<Single>(AFont->GetSize())); }

TGPFont* TGPGraphics::MakeFont(TFont* AFont, Single ASize) {
  std::unique_ptr<TGPFontFamily> family(new TGPFontFamily(AFont->GetName()));
  if (family->lastResult == FontFamilyNotFound || family->lastResult == FontStyleNotFound)
    family.reset(new TGPFontFamily(u"Arial"));
  const auto style = static_cast<Integer>(AFont->GetStyle().ToBits() & 0xF);
  return new TGPFont(family.get(), ASize, style, UnitPoint);
}

namespace {

TGPRectF MeasureWhole(TGPGraphics& AGraphics, const String& AString, TFont* AFont) {
  std::unique_ptr<TGPFont> font(AGraphics.MakeFont(AFont));
  TGPRectF box{};
  AGraphics.MeasureString(AString, static_cast<Integer>(AString.size()), font.get(), TGPRectF{0, 0, 10000, 10000},
                          box);
  return box;
}

}  // namespace

Integer TGPGraphics::TextWidth(const String& AString, TFont* AFont) {
  return Nearest(MeasureWhole(*this, AString, AFont).Width);
}

Integer TGPGraphics::TextHeight(const String& AString, TFont* AFont) {
  return Nearest(MeasureWhole(*this, AString, AFont).Height);
}

Integer TGPGraphics::DrawText(const String& AString, Integer ALength, TRect& ARect, TFont* AFont, UINT AStyle,
                              TColor ABkColor) {
  std::unique_ptr<TGPFont> font(MakeFont(AFont));
  const bool measureOnly = (AStyle & DT_CALCRECT) != 0;
  const bool background = ABkColor != clNone;
  const auto left = static_cast<Single>(ARect.left);
  const auto top = static_cast<Single>(ARect.top);
  if (measureOnly || background) {
    String measured = AString;
    Integer pad = 2;
    if (AFont->GetSize() > 8) pad += Nearest((AFont->GetSize() - 8) / 1.5);
    // A trailing space has no ink of its own: measure a narrow letter in its place.
    if (measured.size() > 1 && measured.back() == u' ') measured.back() = u'i';
    TGPRectF box{};
    MeasureString(measured, ALength, font.get(),
                  TGPRectF{left, top, static_cast<Single>(ARect.right - ARect.left + 1000),
                           static_cast<Single>(ARect.bottom - ARect.top)},
                  box);
    ARect.right = ARect.left + Nearest(box.Width - pad);
    ARect.bottom = ARect.top + Nearest(box.Height);
    if (background) {
      TGPSolidBrush fill(ColorToOpaqueARGB(ABkColor));
      FillRectangle(&fill, TGPRectF{left + 1, top, box.Width - pad + 1, box.Height});
    }
  }
  if (!measureOnly) {
    // The characters measured are the ones drawn (all of them for a negative length).
    const String drawn = ALength < 0 ? AString : AString.substr(0, static_cast<std::size_t>(ALength));
    TGPSolidBrush ink(ColorToOpaqueARGB(AFont->GetColor()));
    DrawString(drawn, -1, font.get(), TGPPointF{left, top}, &ink);
  }
  return ARect.bottom - ARect.top;
}

}  // namespace NeoGDIP
