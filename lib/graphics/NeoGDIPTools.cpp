// NeoGDIP drawing tools: matrix, string format, brushes and pen.
#include "lib/graphics/NeoGDIPInternal.h"

namespace NeoGDIP {

// ---- TGPMatrix ----

TGPMatrix::TGPMatrix() { TProtocol::Create(nativeMatrix, lastResult, Imports.GdipCreateMatrix); }

TGPMatrix::TGPMatrix(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy) {
  TProtocol::Create(nativeMatrix, lastResult, Imports.GdipCreateMatrix2, m11, m12, m21, m22, dx, dy);
}

TGPMatrix::TGPMatrix(const TGPRectF& ARect, const TGPPointF* ADstPlg) {
  TProtocol::Create(nativeMatrix, lastResult, Imports.GdipCreateMatrix3, &ARect, ADstPlg);
}

TGPMatrix::TGPMatrix(const TGPRect& ARect, const TGPPoint* ADstPlg) {
  TProtocol::Create(nativeMatrix, lastResult, Imports.GdipCreateMatrix3I, &ARect, ADstPlg);
}

TGPMatrix::TGPMatrix(gdip::GpMatrix* ANativeMatrix) : nativeMatrix(ANativeMatrix) {}

TGPMatrix::~TGPMatrix() { TProtocol::Call(Imports.GdipDeleteMatrix, nativeMatrix); }

TGPMatrix* TGPMatrix::Clone() {
  gdip::GpMatrix* copy = nullptr;
  TProtocol::Run(lastResult, Imports.GdipCloneMatrix, nativeMatrix, &copy);
  if (lastResult != Ok) {
    TProtocol::Call(Imports.GdipDeleteMatrix, copy);
    return nullptr;
  }
  return Wrap<TGPMatrix>(copy, Imports.GdipDeleteMatrix);
}

Status TGPMatrix::GetElements(TMatrixArray& AElements) {
  return TProtocol::Run(lastResult, Imports.GdipGetMatrixElements, nativeMatrix, AElements.data());
}

Status TGPMatrix::SetElements(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy) {
  return TProtocol::Run(lastResult, Imports.GdipSetMatrixElements, nativeMatrix, m11, m12, m21, m22, dx, dy);
}

Single TGPMatrix::Element(int AIndex) {
  TMatrixArray elements{};
  return GetElements(elements) == Ok ? elements[AIndex] : 0.0f;
}

Single TGPMatrix::OffsetX() { return Element(4); }

Single TGPMatrix::OffsetY() { return Element(5); }

Status TGPMatrix::Reset() { return SetElements(1, 0, 0, 1, 0, 0); }

Status TGPMatrix::Multiply(TGPMatrix* AMatrix, MatrixOrder AOrder) {
  return TProtocol::Run(lastResult, Imports.GdipMultiplyMatrix, nativeMatrix, NativeOf(AMatrix), AOrder);
}

Status TGPMatrix::Translate(Single AOffsetX, Single AOffsetY, MatrixOrder AOrder) {
  return TProtocol::Run(lastResult, Imports.GdipTranslateMatrix, nativeMatrix, AOffsetX, AOffsetY, AOrder);
}

Status TGPMatrix::Scale(Single AScaleX, Single AScaleY, MatrixOrder AOrder) {
  return TProtocol::Run(lastResult, Imports.GdipScaleMatrix, nativeMatrix, AScaleX, AScaleY, AOrder);
}

Status TGPMatrix::Rotate(Single AAngle, MatrixOrder AOrder) {
  return TProtocol::Run(lastResult, Imports.GdipRotateMatrix, nativeMatrix, AAngle, AOrder);
}

Status TGPMatrix::RotateAt(Single AAngle, const TGPPointF& ACenter, MatrixOrder AOrder) {
  // Move the centre to the origin, rotate, move it back: in the order the matrix applies them.
  const Single sign = AOrder == MatrixOrderAppend ? 1.0f : -1.0f;
  Translate(-sign * ACenter.X, -sign * ACenter.Y, AOrder);
  Rotate(AAngle, AOrder);
  return Translate(sign * ACenter.X, sign * ACenter.Y, AOrder);
}

Status TGPMatrix::Shear(Single AShearX, Single AShearY, MatrixOrder AOrder) {
  return TProtocol::Run(lastResult, Imports.GdipShearMatrix, nativeMatrix, AShearX, AShearY, AOrder);
}

Status TGPMatrix::Invert() { return TProtocol::Run(lastResult, Imports.GdipInvertMatrix, nativeMatrix); }

Status TGPMatrix::TransformPoints(TGPPointF* APoints, Integer ACount) {
  return TProtocol::Run(lastResult, Imports.GdipTransformMatrixPoints, nativeMatrix, APoints, ACount);
}

Status TGPMatrix::TransformPoints(TGPPoint* APoints, Integer ACount) {
  return TProtocol::Run(lastResult, Imports.GdipTransformMatrixPointsI, nativeMatrix, APoints, ACount);
}

Status TGPMatrix::TransformVectors(TGPPointF* APoints, Integer ACount) {
  return TProtocol::Run(lastResult, Imports.GdipVectorTransformMatrixPoints, nativeMatrix, APoints, ACount);
}

Status TGPMatrix::TransformVectors(TGPPoint* APoints, Integer ACount) {
  return TProtocol::Run(lastResult, Imports.GdipVectorTransformMatrixPointsI, nativeMatrix, APoints, ACount);
}

bool TGPMatrix::IsInvertible() {
  return TProtocol::Get<gdip::BOOL>(lastResult, 0, Imports.GdipIsMatrixInvertible, nativeMatrix) != 0;
}

bool TGPMatrix::IsIdentity() {
  return TProtocol::Get<gdip::BOOL>(lastResult, 0, Imports.GdipIsMatrixIdentity, nativeMatrix) != 0;
}

// ---- TGPStringFormat ----

TGPStringFormat::TGPStringFormat(Integer AFormatFlags, gdip::LANGID ALanguage) {
  TProtocol::Create(nativeFormat, lastError, Imports.GdipCreateStringFormat, AFormatFlags, ALanguage);
}

TGPStringFormat::TGPStringFormat(TGPStringFormat* AFormat) {
  TProtocol::Create(nativeFormat, lastError, Imports.GdipCloneStringFormat, NativeOf(AFormat));
}

TGPStringFormat::TGPStringFormat(gdip::GpStringFormat* AClonedStringFormat, Status AStatus)
    : nativeFormat(AClonedStringFormat), lastError(AStatus) {}

TGPStringFormat::~TGPStringFormat() { TProtocol::Call(Imports.GdipDeleteStringFormat, nativeFormat); }

Status TGPStringFormat::SetAlignment(StringAlignment AAlign) {
  return TProtocol::Run(lastError, Imports.GdipSetStringFormatAlign, nativeFormat, AAlign);
}

StringAlignment TGPStringFormat::GetAlignment() {
  return TProtocol::Get(lastError, StringAlignmentNear, Imports.GdipGetStringFormatAlign, nativeFormat);
}

Status TGPStringFormat::SetLineAlignment(StringAlignment AAlign) {
  return TProtocol::Run(lastError, Imports.GdipSetStringFormatLineAlign, nativeFormat, AAlign);
}

StringAlignment TGPStringFormat::GetLineAlignment() {
  return TProtocol::Get(lastError, StringAlignmentNear, Imports.GdipGetStringFormatLineAlign, nativeFormat);
}

Status TGPStringFormat::SetFormatFlags(Integer AFlags) {
  return TProtocol::Run(lastError, Imports.GdipSetStringFormatFlags, nativeFormat, AFlags);
}

Integer TGPStringFormat::GetFormatFlags() {
  return TProtocol::Get<gdip::INT>(lastError, 0, Imports.GdipGetStringFormatFlags, nativeFormat);
}

Status TGPStringFormat::SetTrimming(StringTrimming ATrimming) {
  return TProtocol::Run(lastError, Imports.GdipSetStringFormatTrimming, nativeFormat, ATrimming);
}

StringTrimming TGPStringFormat::GetTrimming() {
  return TProtocol::Get(lastError, StringTrimmingNone, Imports.GdipGetStringFormatTrimming, nativeFormat);
}

Status TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix AHotkeyPrefix) {
  return TProtocol::Run(lastError, Imports.GdipSetStringFormatHotkeyPrefix, nativeFormat,
                        static_cast<gdip::INT>(AHotkeyPrefix));
}

HotkeyPrefix TGPStringFormat::GetHotkeyPrefix() {
  return static_cast<HotkeyPrefix>(
      TProtocol::Get<gdip::INT>(lastError, HotkeyPrefixNone, Imports.GdipGetStringFormatHotkeyPrefix, nativeFormat));
}

// ---- TGPBrush and its kinds ----

TGPBrush::TGPBrush() : lastResult(NotImplemented) {}

TGPBrush::TGPBrush(gdip::GpBrush* ANativeBrush, Status AStatus) : nativeBrush(ANativeBrush), lastResult(AStatus) {}

TGPBrush::~TGPBrush() { TProtocol::Call(Imports.GdipDeleteBrush, nativeBrush); }

TGPSolidBrush::TGPSolidBrush() : TGPBrush(nullptr, Ok) {}

TGPSolidBrush::TGPSolidBrush(ARGB AColor) {
  CreateAs<gdip::GpSolidFill>(nativeBrush, lastResult, Imports.GdipCreateSolidFill, AColor);
}

TGPHatchBrush::TGPHatchBrush() : TGPBrush(nullptr, Ok) {}

TGPHatchBrush::TGPHatchBrush(HatchStyle AHatchStyle, ARGB AForeColor, ARGB ABackColor) {
  CreateAs<gdip::GpHatch>(nativeBrush, lastResult, Imports.GdipCreateHatchBrush, AHatchStyle, AForeColor, ABackColor);
}

HatchStyle TGPHatchBrush::GetHatchStyle() {
  return TProtocol::Get(lastResult, HatchStyleHorizontal, Imports.GdipGetHatchStyle, Native());
}

Status TGPHatchBrush::GetForegroundColor(ARGB& AColor) {
  return TProtocol::Run(lastResult, Imports.GdipGetHatchForegroundColor, Native(), &AColor);
}

Status TGPHatchBrush::GetBackgroundColor(ARGB& AColor) {
  return TProtocol::Run(lastResult, Imports.GdipGetHatchBackgroundColor, Native(), &AColor);
}

TGPTextureBrush::TGPTextureBrush() : TGPBrush(nullptr, Ok) {}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode) {
  CreateAs<gdip::GpTexture>(nativeBrush, lastResult, Imports.GdipCreateTexture, NativeOf(AImage), AWrapMode);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, const TGPRectF& ADstRect)
    : TGPTextureBrush(AImage, AWrapMode, ADstRect.X, ADstRect.Y, ADstRect.Width, ADstRect.Height) {}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, Single ADstX, Single ADstY, Single ADstWidth,
                                 Single ADstHeight) {
  CreateAs<gdip::GpTexture>(nativeBrush, lastResult, Imports.GdipCreateTexture2, NativeOf(AImage), AWrapMode, ADstX,
                            ADstY, ADstWidth, ADstHeight);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, const TGPRect& ADstRect)
    : TGPTextureBrush(AImage, AWrapMode, ADstRect.X, ADstRect.Y, ADstRect.Width, ADstRect.Height) {}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, Integer ADstX, Integer ADstY,
                                 Integer ADstWidth, Integer ADstHeight) {
  CreateAs<gdip::GpTexture>(nativeBrush, lastResult, Imports.GdipCreateTexture2I, NativeOf(AImage), AWrapMode, ADstX,
                            ADstY, ADstWidth, ADstHeight);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, const TGPRectF& ADstRect, TGPImageAttributes* AImageAttributes) {
  CreateAs<gdip::GpTexture>(nativeBrush, lastResult, Imports.GdipCreateTextureIA, NativeOf(AImage),
                            NativeOf(AImageAttributes), ADstRect.X, ADstRect.Y, ADstRect.Width, ADstRect.Height);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, const TGPRect& ADstRect, TGPImageAttributes* AImageAttributes) {
  CreateAs<gdip::GpTexture>(nativeBrush, lastResult, Imports.GdipCreateTextureIAI, NativeOf(AImage),
                            NativeOf(AImageAttributes), ADstRect.X, ADstRect.Y, ADstRect.Width, ADstRect.Height);
}

Status TGPTextureBrush::ResetTransform() {
  return TProtocol::Run(lastResult, Imports.GdipResetTextureTransform, Native());
}

Status TGPTextureBrush::TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder) {
  return TProtocol::Run(lastResult, Imports.GdipTranslateTextureTransform, Native(), ADx, ADy, AOrder);
}

Status TGPTextureBrush::ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder) {
  return TProtocol::Run(lastResult, Imports.GdipScaleTextureTransform, Native(), ASx, ASy, AOrder);
}

Status TGPTextureBrush::RotateTransform(Single AAngle, MatrixOrder AOrder) {
  return TProtocol::Run(lastResult, Imports.GdipRotateTextureTransform, Native(), AAngle, AOrder);
}

Status TGPTextureBrush::SetWrapMode(WrapMode AWrapMode) {
  return TProtocol::Run(lastResult, Imports.GdipSetTextureWrapMode, Native(), AWrapMode);
}

WrapMode TGPTextureBrush::GetWrapMode() {
  return TProtocol::Get(lastResult, WrapModeTile, Imports.GdipGetTextureWrapMode, Native());
}

TGPImage* TGPTextureBrush::GetImage() {
  gdip::GpImage* image = nullptr;
  TProtocol::Run(lastResult, Imports.GdipGetTextureImage, Native(), &image);
  return Wrap<TGPImage>(image, Imports.GdipDisposeImage, lastResult);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& APoint1, const TGPPointF& APoint2, ARGB AColor1,
                                               ARGB AColor2) {
  CreateAs<gdip::GpLineGradient>(nativeBrush, lastResult, Imports.GdipCreateLineBrush, &APoint1, &APoint2, AColor1,
                                 AColor2, WrapModeTile);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPoint& APoint1, const TGPPoint& APoint2, ARGB AColor1,
                                               ARGB AColor2) {
  CreateAs<gdip::GpLineGradient>(nativeBrush, lastResult, Imports.GdipCreateLineBrushI, &APoint1, &APoint2, AColor1,
                                 AColor2, WrapModeTile);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& ARect, ARGB AColor1, ARGB AColor2,
                                               LinearGradientMode AMode) {
  CreateAs<gdip::GpLineGradient>(nativeBrush, lastResult, Imports.GdipCreateLineBrushFromRect, &ARect, AColor1,
                                 AColor2, AMode, WrapModeTile);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& ARect, ARGB AColor1, ARGB AColor2,
                                               LinearGradientMode AMode) {
  CreateAs<gdip::GpLineGradient>(nativeBrush, lastResult, Imports.GdipCreateLineBrushFromRectI, &ARect, AColor1,
                                 AColor2, AMode, WrapModeTile);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& ARect, ARGB AColor1, ARGB AColor2, Single AAngle,
                                               bool AIsAngleScalable) {
  CreateAs<gdip::GpLineGradient>(nativeBrush, lastResult, Imports.GdipCreateLineBrushFromRectWithAngle, &ARect,
                                 AColor1, AColor2, AAngle, static_cast<gdip::BOOL>(AIsAngleScalable), WrapModeTile);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& ARect, ARGB AColor1, ARGB AColor2, Single AAngle,
                                               bool AIsAngleScalable) {
  CreateAs<gdip::GpLineGradient>(nativeBrush, lastResult, Imports.GdipCreateLineBrushFromRectWithAngleI, &ARect,
                                 AColor1, AColor2, AAngle, static_cast<gdip::BOOL>(AIsAngleScalable), WrapModeTile);
}

Status TGPLinearGradientBrush::SetGammaCorrection(bool AUseGammaCorrection) {
  return TProtocol::Run(lastResult, Imports.GdipSetLineGammaCorrection, Native(),
                        static_cast<gdip::BOOL>(AUseGammaCorrection));
}

Status TGPLinearGradientBrush::SetInterpolationColors(const ARGB* APresetColors, const Single* ABlendPositions,
                                                      Integer ACount) {
  if (ACount <= 0) return TProtocol::SetStatus(lastResult, InvalidParameter);
  return TProtocol::Run(lastResult, Imports.GdipSetLinePresetBlend, Native(), APresetColors, ABlendPositions, ACount);
}

TGPPathGradientBrush::TGPPathGradientBrush(TGPGraphicsPath* APath) {
  CreateAs<gdip::GpPathGradient>(nativeBrush, lastResult, Imports.GdipCreatePathGradientFromPath, NativeOf(APath));
}

Status TGPPathGradientBrush::SetInterpolationColors(const ARGB* APresetColors, const Single* ABlendPositions,
                                                    Integer ACount) {
  if (!APresetColors || ACount <= 0) return TProtocol::SetStatus(lastResult, InvalidParameter);
  return TProtocol::Run(lastResult, Imports.GdipSetPathGradientPresetBlend, Native(), APresetColors, ABlendPositions,
                        ACount);
}

Status TGPPathGradientBrush::SetGammaCorrection(bool AUseGammaCorrection) {
  return TProtocol::Run(lastResult, Imports.GdipSetPathGradientGammaCorrection, Native(),
                        static_cast<gdip::BOOL>(AUseGammaCorrection));
}

Status TGPPathGradientBrush::SetWrapMode(WrapMode AWrapMode) {
  return TProtocol::Run(lastResult, Imports.GdipSetPathGradientWrapMode, Native(), AWrapMode);
}

Status TGPPathGradientBrush::GetCenterColor(ARGB& AColor) {
  TProtocol::Run(lastResult, Imports.GdipGetPathGradientCenterColor, Native(), &AColor);
  return lastResult;
}

Status TGPPathGradientBrush::SetCenterColor(ARGB AColor) {
  TProtocol::Run(lastResult, Imports.GdipSetPathGradientCenterColor, Native(), AColor);
  return lastResult;
}

Integer TGPPathGradientBrush::GetPointCount() {
  return TProtocol::Get<gdip::INT>(lastResult, 0, Imports.GdipGetPathGradientPointCount, Native());
}

Status TGPPathGradientBrush::GetSurroundColors(ARGB* AColors, Integer& ACount) {
  if (!AColors) return TProtocol::SetStatus(lastResult, InvalidParameter);
  gdip::INT count = 0;
  TProtocol::Run(lastResult, Imports.GdipGetPathGradientSurroundColorCount, Native(), &count);
  if (lastResult != Ok) return lastResult;
  if (ACount < count || count <= 0) return TProtocol::SetStatus(lastResult, InsufficientBuffer);
  TProtocol::Run(lastResult, Imports.GdipGetPathGradientSurroundColorsWithCount, Native(), AColors, &count);
  if (lastResult == Ok) ACount = count;
  return lastResult;
}

Status TGPPathGradientBrush::SetSurroundColors(const ARGB* AColors, Integer& ACount) {
  const Integer points = AColors ? GetPointCount() : 0;
  if (!AColors || points < ACount || points <= 0) return TProtocol::SetStatus(lastResult, InvalidParameter);
  gdip::INT count = ACount;
  TProtocol::Run(lastResult, Imports.GdipSetPathGradientSurroundColorsWithCount, Native(), AColors, &count);
  if (lastResult == Ok) ACount = count;
  return lastResult;
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPointF& APoint) {
  return TProtocol::Run(lastResult, Imports.GdipGetPathGradientCenterPoint, Native(), &APoint);
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPoint& APoint) {
  return TProtocol::Run(lastResult, Imports.GdipGetPathGradientCenterPointI, Native(), &APoint);
}

Status TGPPathGradientBrush::SetCenterPoint(const TGPPointF& APoint) {
  return TProtocol::Run(lastResult, Imports.GdipSetPathGradientCenterPoint, Native(), &APoint);
}

Status TGPPathGradientBrush::SetCenterPoint(const TGPPoint& APoint) {
  return TProtocol::Run(lastResult, Imports.GdipSetPathGradientCenterPointI, Native(), &APoint);
}

// ---- TGPPen ----

TGPPen::TGPPen(ARGB AColor, Single AWidth) {
  TProtocol::Create(nativePen, lastResult, Imports.GdipCreatePen1, AColor, AWidth, UnitWorld);
}

TGPPen::TGPPen(TGPBrush* ABrush, Single AWidth) {
  TProtocol::Create(nativePen, lastResult, Imports.GdipCreatePen2, NativeOf(ABrush), AWidth, UnitWorld);
}

TGPPen::~TGPPen() { TProtocol::Call(Imports.GdipDeletePen, nativePen); }

Integer TGPPen::GetPenType() {
  return TProtocol::Get(lastResult, gdip::PenTypeUnknown, Imports.GdipGetPenFillType, nativePen);
}

TGPBrush* TGPPen::GetBrush() {
  TGPBrush* brush = nullptr;
  switch (GetPenType()) {
    case gdip::PenTypeSolidColor: brush = new TGPSolidBrush(); break;
    case gdip::PenTypeHatchFill: brush = new TGPHatchBrush(); break;
    case gdip::PenTypeTextureFill: brush = new TGPTextureBrush(); break;
    case gdip::PenTypePathGradient: brush = new TGPBrush(); break;
    case gdip::PenTypeLinearGradient: brush = new TGPLinearGradientBrush(); break;
    default: return nullptr;
  }
  TProtocol::Run(lastResult, Imports.GdipGetPenBrushFill, nativePen, &brush->nativeBrush);
  return brush;
}

Status TGPPen::SetBrush(TGPBrush* ABrush) {
  return TProtocol::Run(lastResult, Imports.GdipSetPenBrushFill, nativePen, NativeOf(ABrush));
}

Status TGPPen::SetDashStyle(DashStyle ADashStyle) {
  return TProtocol::Run(lastResult, Imports.GdipSetPenDashStyle, nativePen, ADashStyle);
}

DashStyle TGPPen::GetDashStyle() {
  return TProtocol::Get(lastResult, DashStyleSolid, Imports.GdipGetPenDashStyle, nativePen);
}

Status TGPPen::SetEndCap(gdip::LineCap AEndCap) {
  return TProtocol::Run(lastResult, Imports.GdipSetPenEndCap, nativePen, AEndCap);
}

}  // namespace NeoGDIP
