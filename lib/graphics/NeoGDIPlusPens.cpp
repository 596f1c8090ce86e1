// Pens, brushes and custom line caps over the bound GDI+ table.
#include "lib/graphics/NeoGDIPlusPens.h"

#include <memory>
#include <new>

#include "lib/graphics/NeoGDIPlusClassesInternal.h"

namespace NeoGDIPlusClasses {

namespace {

// A creating constructor of a brush class: the handle of the derived native type stored as the
// brush's handle, the status assigned.
template <class H, class... P, class... A>
void CreateBrush(TGPBrush& ABrush, Status (*AEntry)(P...), A&&... AArgs) {
  H* native = nullptr;
  TP::Create(native, ABrush.lastResult, AEntry, std::forward<A>(AArgs)...);
  ABrush.nativeBrush = native;
}

}  // namespace

// ---- TGPBrush ----

TGPBrush::TGPBrush() : nativeBrush(nullptr), lastResult(NotImplemented) {}

TGPBrush::TGPBrush(gdip::GpBrush* ANativeBrush, Status AStatus) : nativeBrush(ANativeBrush), lastResult(AStatus) {}

TGPBrush::~TGPBrush() { TP::Call(Gdip().GdipDeleteBrush, nativeBrush); }

TGPBrush* TGPBrush::Clone() {
  gdip::GpBrush* copy = nullptr;
  TP::Run(lastResult, Gdip().GdipCloneBrush, nativeBrush, &copy);
  return new TGPBrush(copy, lastResult);
}

BrushType TGPBrush::GetType() {
  return TP::Get(lastResult, static_cast<BrushType>(-1), Gdip().GdipGetBrushType, nativeBrush);
}

// ---- TGPSolidBrush ----

TGPSolidBrush::TGPSolidBrush(ARGB AColor) : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpSolidFill>(*this, Gdip().GdipCreateSolidFill, AColor);
}

Status TGPSolidBrush::GetColor(ARGB& AColor) {
  TP::Run(lastResult, Gdip().GdipGetSolidFillColor, Native(), &AColor);
  return lastResult;
}

Status TGPSolidBrush::SetColor(ARGB AColor) {
  return TP::Run(lastResult, Gdip().GdipSetSolidFillColor, Native(), AColor);
}

// ---- TGPTextureBrush ----

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode) : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpTexture>(*this, Gdip().GdipCreateTexture, AImage->nativeImage, AWrapMode);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, const TGPRectF& ADstRect)
    : TGPTextureBrush(AImage, AWrapMode, ADstRect.X, ADstRect.Y, ADstRect.Width, ADstRect.Height) {}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, const TGPRect& ADstRect)
    : TGPTextureBrush(AImage, AWrapMode, ADstRect.X, ADstRect.Y, ADstRect.Width, ADstRect.Height) {}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, Single ADstX, Single ADstY, Single ADstWidth,
                                 Single ADstHeight)
    : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpTexture>(*this, Gdip().GdipCreateTexture2, AImage->nativeImage, AWrapMode, ADstX, ADstY,
                               ADstWidth, ADstHeight);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, Integer ADstX, Integer ADstY,
                                 Integer ADstWidth, Integer ADstHeight)
    : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpTexture>(*this, Gdip().GdipCreateTexture2I, AImage->nativeImage, AWrapMode, ADstX, ADstY,
                               ADstWidth, ADstHeight);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, const TGPRectF& ADstRect, TGPImageAttributes* AImageAttributes)
    : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpTexture>(*this, Gdip().GdipCreateTextureIA, AImage->nativeImage, Handle(AImageAttributes),
                               ADstRect.X, ADstRect.Y, ADstRect.Width, ADstRect.Height);
}

TGPTextureBrush::TGPTextureBrush(TGPImage* AImage, const TGPRect& ADstRect, TGPImageAttributes* AImageAttributes)
    : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpTexture>(*this, Gdip().GdipCreateTextureIAI, AImage->nativeImage, Handle(AImageAttributes),
                               ADstRect.X, ADstRect.Y, ADstRect.Width, ADstRect.Height);
}

Status TGPTextureBrush::SetTransform(TGPMatrix* AMatrix) {
  return TP::Run(lastResult, Gdip().GdipSetTextureTransform, Native(), AMatrix->nativeMatrix);
}

Status TGPTextureBrush::GetTransform(TGPMatrix* AMatrix) {
  return TP::Run(lastResult, Gdip().GdipGetTextureTransform, Native(), AMatrix->nativeMatrix);
}

Status TGPTextureBrush::ResetTransform() { return TP::Run(lastResult, Gdip().GdipResetTextureTransform, Native()); }

Status TGPTextureBrush::MultiplyTransform(TGPMatrix* AMatrix, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipMultiplyTextureTransform, Native(), AMatrix->nativeMatrix, AOrder);
}

Status TGPTextureBrush::TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipTranslateTextureTransform, Native(), ADx, ADy, AOrder);
}

Status TGPTextureBrush::ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipScaleTextureTransform, Native(), ASx, ASy, AOrder);
}

Status TGPTextureBrush::RotateTransform(Single AAngle, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipRotateTextureTransform, Native(), AAngle, AOrder);
}

Status TGPTextureBrush::SetWrapMode(WrapMode AWrapMode) {
  return TP::Run(lastResult, Gdip().GdipSetTextureWrapMode, Native(), AWrapMode);
}

WrapMode TGPTextureBrush::GetWrapMode() {
  return TP::Get(lastResult, WrapModeTile, Gdip().GdipGetTextureWrapMode, Native());
}

TGPImage* TGPTextureBrush::GetImage() {
  gdip::GpImage* image = nullptr;
  TP::Run(lastResult, Gdip().GdipGetTextureImage, Native(), &image);
  return new TGPImage(image, lastResult);
}

// ---- TGPLinearGradientBrush ----

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& APoint1, const TGPPointF& APoint2, ARGB AColor1,
                                               ARGB AColor2)
    : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpLineGradient>(*this, Gdip().GdipCreateLineBrush, &APoint1, &APoint2, AColor1, AColor2,
                                    WrapModeTile);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPoint& APoint1, const TGPPoint& APoint2, ARGB AColor1,
                                               ARGB AColor2)
    : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpLineGradient>(*this, Gdip().GdipCreateLineBrushI, &APoint1, &APoint2, AColor1, AColor2,
                                    WrapModeTile);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& ARect, ARGB AColor1, ARGB AColor2,
                                               LinearGradientMode AMode)
    : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpLineGradient>(*this, Gdip().GdipCreateLineBrushFromRect, &ARect, AColor1, AColor2, AMode,
                                    WrapModeTile);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& ARect, ARGB AColor1, ARGB AColor2,
                                               LinearGradientMode AMode)
    : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpLineGradient>(*this, Gdip().GdipCreateLineBrushFromRectI, &ARect, AColor1, AColor2, AMode,
                                    WrapModeTile);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& ARect, ARGB AColor1, ARGB AColor2, Single AAngle,
                                               bool AIsAngleScalable)
    : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpLineGradient>(*this, Gdip().GdipCreateLineBrushFromRectWithAngle, &ARect, AColor1, AColor2,
                                    AAngle, AIsAngleScalable ? 1 : 0, WrapModeTile);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& ARect, ARGB AColor1, ARGB AColor2, Single AAngle,
                                               bool AIsAngleScalable)
    : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpLineGradient>(*this, Gdip().GdipCreateLineBrushFromRectWithAngleI, &ARect, AColor1, AColor2,
                                    AAngle, AIsAngleScalable ? 1 : 0, WrapModeTile);
}

Status TGPLinearGradientBrush::SetLinearColors(ARGB AColor1, ARGB AColor2) {
  return TP::Run(lastResult, Gdip().GdipSetLineColors, Native(), AColor1, AColor2);
}

Status TGPLinearGradientBrush::GetLinearColors(ARGB& AColor1, ARGB& AColor2) {
  ARGB colors[2] = {};
  TP::Run(lastResult, Gdip().GdipGetLineColors, Native(), colors);
  if (lastResult == Ok) {
    AColor1 = colors[0];
    AColor2 = colors[1];
  }
  return lastResult;
}

Status TGPLinearGradientBrush::GetRectangle(TGPRectF& ARect) {
  return TP::Run(lastResult, Gdip().GdipGetLineRect, Native(), &ARect);
}

Status TGPLinearGradientBrush::GetRectangle(TGPRect& ARect) {
  return TP::Run(lastResult, Gdip().GdipGetLineRectI, Native(), &ARect);
}

Status TGPLinearGradientBrush::SetGammaCorrection(bool AUseGammaCorrection) {
  return TP::Run(lastResult, Gdip().GdipSetLineGammaCorrection, Native(), AUseGammaCorrection ? 1 : 0);
}

bool TGPLinearGradientBrush::GetGammaCorrection() {
  return GetBool(lastResult, Gdip().GdipGetLineGammaCorrection, Native());
}

Integer TGPLinearGradientBrush::GetBlendCount() {
  return TP::Get<gdip::INT>(lastResult, 0, Gdip().GdipGetLineBlendCount, Native());
}

Status TGPLinearGradientBrush::SetBlend(const Single* ABlendFactors, const Single* ABlendPositions, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipSetLineBlend, Native(), ABlendFactors, ABlendPositions, ACount);
}

Status TGPLinearGradientBrush::GetBlend(Single* ABlendFactors, Single* ABlendPositions, Integer ACount) {
  if (ACount <= 0 || !ABlendFactors || !ABlendPositions) return TP::SetStatus(lastResult, InvalidParameter);
  return TP::Run(lastResult, Gdip().GdipGetLineBlend, Native(), ABlendFactors, ABlendPositions, ACount);
}

Integer TGPLinearGradientBrush::GetInterpolationColorCount() {
  return TP::Get<gdip::INT>(lastResult, 0, Gdip().GdipGetLinePresetBlendCount, Native());
}

Status TGPLinearGradientBrush::SetInterpolationColors(const ARGB* APresetColors, const Single* ABlendPositions,
                                                      Integer ACount) {
  if (ACount <= 0) return TP::SetStatus(lastResult, InvalidParameter);
  return TP::Run(lastResult, Gdip().GdipSetLinePresetBlend, Native(), APresetColors, ABlendPositions, ACount);
}

Status TGPLinearGradientBrush::GetInterpolationColors(ARGB* APresetColors, Single* ABlendPositions, Integer ACount) {
  if (ACount <= 0) return TP::SetStatus(lastResult, InvalidParameter);
  return TP::Run(lastResult, Gdip().GdipGetLinePresetBlend, Native(), APresetColors, ABlendPositions, ACount);
}

Status TGPLinearGradientBrush::SetBlendBellShape(Single AFocus, Single AScale) {
  return TP::Run(lastResult, Gdip().GdipSetLineSigmaBlend, Native(), AFocus, AScale);
}

Status TGPLinearGradientBrush::SetBlendTriangularShape(Single AFocus, Single AScale) {
  return TP::Run(lastResult, Gdip().GdipSetLineLinearBlend, Native(), AFocus, AScale);
}

Status TGPLinearGradientBrush::SetTransform(TGPMatrix* AMatrix) {
  return TP::Run(lastResult, Gdip().GdipSetLineTransform, Native(), AMatrix->nativeMatrix);
}

Status TGPLinearGradientBrush::GetTransform(TGPMatrix* AMatrix) {
  return TP::Run(lastResult, Gdip().GdipGetLineTransform, Native(), AMatrix->nativeMatrix);
}

Status TGPLinearGradientBrush::ResetTransform() { return TP::Run(lastResult, Gdip().GdipResetLineTransform, Native()); }

Status TGPLinearGradientBrush::MultiplyTransform(TGPMatrix* AMatrix, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipMultiplyLineTransform, Native(), AMatrix->nativeMatrix, AOrder);
}

Status TGPLinearGradientBrush::TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipTranslateLineTransform, Native(), ADx, ADy, AOrder);
}

Status TGPLinearGradientBrush::ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipScaleLineTransform, Native(), ASx, ASy, AOrder);
}

Status TGPLinearGradientBrush::RotateTransform(Single AAngle, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipRotateLineTransform, Native(), AAngle, AOrder);
}

Status TGPLinearGradientBrush::SetWrapMode(WrapMode AWrapMode) {
  return TP::Run(lastResult, Gdip().GdipSetLineWrapMode, Native(), AWrapMode);
}

WrapMode TGPLinearGradientBrush::GetWrapMode() {
  return TP::Get(lastResult, WrapModeTile, Gdip().GdipGetLineWrapMode, Native());
}

// ---- TGPHatchBrush ----

TGPHatchBrush::TGPHatchBrush(HatchStyle AHatchStyle, ARGB AForeColor, ARGB ABackColor) : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpHatch>(*this, Gdip().GdipCreateHatchBrush, AHatchStyle, AForeColor, ABackColor);
}

HatchStyle TGPHatchBrush::GetHatchStyle() {
  return TP::Get(lastResult, HatchStyleHorizontal, Gdip().GdipGetHatchStyle, Native());
}

Status TGPHatchBrush::GetForegroundColor(ARGB& AColor) {
  return TP::Run(lastResult, Gdip().GdipGetHatchForegroundColor, Native(), &AColor);
}

Status TGPHatchBrush::GetBackgroundColor(ARGB& AColor) {
  return TP::Run(lastResult, Gdip().GdipGetHatchBackgroundColor, Native(), &AColor);
}

// ---- TGPPathGradientBrush ----

TGPPathGradientBrush::TGPPathGradientBrush(const TGPPointF* APoints, Integer ACount, WrapMode AWrapMode)
    : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpPathGradient>(*this, Gdip().GdipCreatePathGradient, APoints, ACount, AWrapMode);
}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPPoint* APoints, Integer ACount, WrapMode AWrapMode)
    : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpPathGradient>(*this, Gdip().GdipCreatePathGradientI, APoints, ACount, AWrapMode);
}

TGPPathGradientBrush::TGPPathGradientBrush(TGPGraphicsPath* APath) : TGPBrush(TEmpty{}) {
  CreateBrush<gdip::GpPathGradient>(*this, Gdip().GdipCreatePathGradientFromPath, APath->nativePath);
}

Status TGPPathGradientBrush::GetCenterColor(ARGB& AColor) {
  TP::Run(lastResult, Gdip().GdipGetPathGradientCenterColor, Native(), &AColor);
  return lastResult;
}

Status TGPPathGradientBrush::SetCenterColor(ARGB AColor) {
  TP::Run(lastResult, Gdip().GdipSetPathGradientCenterColor, Native(), AColor);
  return lastResult;
}

Integer TGPPathGradientBrush::GetPointCount() {
  return TP::Get<gdip::INT>(lastResult, 0, Gdip().GdipGetPathGradientPointCount, Native());
}

Integer TGPPathGradientBrush::GetSurroundColorCount() {
  return TP::Get<gdip::INT>(lastResult, 0, Gdip().GdipGetPathGradientSurroundColorCount, Native());
}

Status TGPPathGradientBrush::GetSurroundColors(ARGB* AColors, Integer& ACount) {
  if (!AColors) return TP::SetStatus(lastResult, InvalidParameter);
  gdip::INT n = 0;
  TP::Run(lastResult, Gdip().GdipGetPathGradientSurroundColorCount, Native(), &n);
  if (lastResult != Ok) return lastResult;
  if (ACount < n || n <= 0) return TP::SetStatus(lastResult, InsufficientBuffer);
  TP::Run(lastResult, Gdip().GdipGetPathGradientSurroundColorsWithCount, Native(), AColors, &n);
  if (lastResult == Ok) ACount = n;
  return lastResult;
}

Status TGPPathGradientBrush::SetSurroundColors(const ARGB* AColors, Integer& ACount) {
  if (!AColors) return TP::SetStatus(lastResult, InvalidParameter);
  const Integer points = GetPointCount();
  if (ACount > points || points <= 0) return TP::SetStatus(lastResult, InvalidParameter);
  gdip::INT n = ACount;
  TP::Run(lastResult, Gdip().GdipSetPathGradientSurroundColorsWithCount, Native(), AColors, &n);
  if (lastResult == Ok) ACount = n;
  return lastResult;
}

Status TGPPathGradientBrush::GetGraphicsPath(TGPGraphicsPath* APath) {
  if (!APath) return TP::SetStatus(lastResult, InvalidParameter);
  return TP::Run(lastResult, Gdip().GdipGetPathGradientPath, Native(), APath->nativePath);
}

Status TGPPathGradientBrush::SetGraphicsPath(TGPGraphicsPath* APath) {
  if (!APath) return TP::SetStatus(lastResult, InvalidParameter);
  return TP::Run(lastResult, Gdip().GdipSetPathGradientPath, Native(), APath->nativePath);
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPointF& APoint) {
  return TP::Run(lastResult, Gdip().GdipGetPathGradientCenterPoint, Native(), &APoint);
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPoint& APoint) {
  return TP::Run(lastResult, Gdip().GdipGetPathGradientCenterPointI, Native(), &APoint);
}

Status TGPPathGradientBrush::SetCenterPoint(TGPPointF APoint) {
  return TP::Run(lastResult, Gdip().GdipSetPathGradientCenterPoint, Native(), &APoint);
}

Status TGPPathGradientBrush::SetCenterPoint(TGPPoint APoint) {
  return TP::Run(lastResult, Gdip().GdipSetPathGradientCenterPointI, Native(), &APoint);
}

Status TGPPathGradientBrush::GetRectangle(TGPRectF& ARect) {
  return TP::Run(lastResult, Gdip().GdipGetPathGradientRect, Native(), &ARect);
}

Status TGPPathGradientBrush::GetRectangle(TGPRect& ARect) {
  return TP::Run(lastResult, Gdip().GdipGetPathGradientRectI, Native(), &ARect);
}

Status TGPPathGradientBrush::SetGammaCorrection(bool AUseGammaCorrection) {
  return TP::Run(lastResult, Gdip().GdipSetPathGradientGammaCorrection, Native(), AUseGammaCorrection ? 1 : 0);
}

bool TGPPathGradientBrush::GetGammaCorrection() {
  return GetBool(lastResult, Gdip().GdipGetPathGradientGammaCorrection, Native());
}

Integer TGPPathGradientBrush::GetBlendCount() {
  return TP::Get<gdip::INT>(lastResult, 0, Gdip().GdipGetPathGradientBlendCount, Native());
}

Status TGPPathGradientBrush::GetBlend(Single* ABlendFactors, Single* ABlendPositions, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipGetPathGradientBlend, Native(), ABlendFactors, ABlendPositions, ACount);
}

Status TGPPathGradientBrush::SetBlend(const Single* ABlendFactors, const Single* ABlendPositions, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipSetPathGradientBlend, Native(), ABlendFactors, ABlendPositions, ACount);
}

Integer TGPPathGradientBrush::GetInterpolationColorCount() {
  return TP::Get<gdip::INT>(lastResult, 0, Gdip().GdipGetPathGradientPresetBlendCount, Native());
}

Status TGPPathGradientBrush::SetInterpolationColors(const ARGB* APresetColors, const Single* ABlendPositions,
                                                    Integer ACount) {
  if (ACount <= 0 || !APresetColors) return TP::SetStatus(lastResult, InvalidParameter);
  return TP::Run(lastResult, Gdip().GdipSetPathGradientPresetBlend, Native(), APresetColors, ABlendPositions, ACount);
}

Status TGPPathGradientBrush::GetInterpolationColors(ARGB* APresetColors, Single* ABlendPositions, Integer ACount) {
  if (ACount <= 0 || !APresetColors) return TP::SetStatus(lastResult, InvalidParameter);
  std::unique_ptr<ARGB[]> buffer(new (std::nothrow) ARGB[ACount]);
  if (!buffer) return TP::SetStatus(lastResult, OutOfMemory);
  const Status status =
      TP::Run(lastResult, Gdip().GdipGetPathGradientPresetBlend, Native(), buffer.get(), ABlendPositions, ACount);
  // On failure the buffer holds nothing of GDI+'s: the caller's colours stay as they were.
  if (status == Ok) std::copy(buffer.get(), buffer.get() + ACount, APresetColors);
  return status;
}

Status TGPPathGradientBrush::SetBlendBellShape(Single AFocus, Single AScale) {
  return TP::Run(lastResult, Gdip().GdipSetPathGradientSigmaBlend, Native(), AFocus, AScale);
}

Status TGPPathGradientBrush::SetBlendTriangularShape(Single AFocus, Single AScale) {
  return TP::Run(lastResult, Gdip().GdipSetPathGradientLinearBlend, Native(), AFocus, AScale);
}

Status TGPPathGradientBrush::GetTransform(TGPMatrix* AMatrix) {
  return TP::Run(lastResult, Gdip().GdipGetPathGradientTransform, Native(), AMatrix->nativeMatrix);
}

Status TGPPathGradientBrush::SetTransform(TGPMatrix* AMatrix) {
  return TP::Run(lastResult, Gdip().GdipSetPathGradientTransform, Native(), AMatrix->nativeMatrix);
}

Status TGPPathGradientBrush::ResetTransform() {
  return TP::Run(lastResult, Gdip().GdipResetPathGradientTransform, Native());
}

Status TGPPathGradientBrush::MultiplyTransform(TGPMatrix* AMatrix, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipMultiplyPathGradientTransform, Native(), AMatrix->nativeMatrix, AOrder);
}

Status TGPPathGradientBrush::TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipTranslatePathGradientTransform, Native(), ADx, ADy, AOrder);
}

Status TGPPathGradientBrush::ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipScalePathGradientTransform, Native(), ASx, ASy, AOrder);
}

Status TGPPathGradientBrush::RotateTransform(Single AAngle, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipRotatePathGradientTransform, Native(), AAngle, AOrder);
}

Status TGPPathGradientBrush::GetFocusScales(Single& AXScale, Single& AYScale) {
  AXScale = 0;
  AYScale = 0;
  return TP::Run(lastResult, Gdip().GdipGetPathGradientFocusScales, Native(), &AXScale, &AYScale);
}

Status TGPPathGradientBrush::SetFocusScales(Single AXScale, Single AYScale) {
  return TP::Run(lastResult, Gdip().GdipSetPathGradientFocusScales, Native(), AXScale, AYScale);
}

WrapMode TGPPathGradientBrush::GetWrapMode() {
  return TP::Get(lastResult, WrapModeTile, Gdip().GdipGetPathGradientWrapMode, Native());
}

Status TGPPathGradientBrush::SetWrapMode(WrapMode AWrapMode) {
  return TP::Run(lastResult, Gdip().GdipSetPathGradientWrapMode, Native(), AWrapMode);
}

// ---- TGPCustomLineCap ----

TGPCustomLineCap::TGPCustomLineCap(TGPGraphicsPath* AFillPath, TGPGraphicsPath* AStrokePath, Integer ABaseCap,
                                   Single ABaseInset) {
  TP::Create(nativeCap, lastResult, Gdip().GdipCreateCustomLineCap, Handle(AFillPath), Handle(AStrokePath),
             static_cast<gdip::LineCap>(ABaseCap), ABaseInset);
}

TGPCustomLineCap::TGPCustomLineCap(gdip::GpCustomLineCap* ANativeCap, Status AStatus)
    : nativeCap(ANativeCap), lastResult(AStatus) {}

TGPCustomLineCap::~TGPCustomLineCap() { TP::Call(Gdip().GdipDeleteCustomLineCap, nativeCap); }

TGPCustomLineCap* TGPCustomLineCap::Clone() {
  gdip::GpCustomLineCap* copy = nullptr;
  TP::Run(lastResult, Gdip().GdipCloneCustomLineCap, nativeCap, &copy);
  if (lastResult != Ok) {
    TP::Call(Gdip().GdipDeleteCustomLineCap, copy);
    return nullptr;
  }
  return new TGPCustomLineCap(copy, Ok);
}

Status TGPCustomLineCap::SetStrokeCap(Integer AStrokeCap) { return SetStrokeCaps(AStrokeCap, AStrokeCap); }

Status TGPCustomLineCap::SetStrokeCaps(Integer AStartCap, Integer AEndCap) {
  return TP::Run(lastResult, Gdip().GdipSetCustomLineCapStrokeCaps, nativeCap, static_cast<gdip::LineCap>(AStartCap),
                 static_cast<gdip::LineCap>(AEndCap));
}

Status TGPCustomLineCap::GetStrokeCaps(Integer& AStartCap, Integer& AEndCap) {
  gdip::LineCap start = gdip::LineCapFlat, end = gdip::LineCapFlat;
  const Status status = TP::Run(lastResult, Gdip().GdipGetCustomLineCapStrokeCaps, nativeCap, &start, &end);
  AStartCap = status == Ok ? start : 0;
  AEndCap = status == Ok ? end : 0;
  return status;
}

Status TGPCustomLineCap::SetStrokeJoin(LineJoin ALineJoin) {
  return TP::Run(lastResult, Gdip().GdipSetCustomLineCapStrokeJoin, nativeCap, ALineJoin);
}

LineJoin TGPCustomLineCap::GetStrokeJoin() {
  return TP::Get(lastResult, LineJoinMiter, Gdip().GdipGetCustomLineCapStrokeJoin, nativeCap);
}

Status TGPCustomLineCap::SetBaseCap(Integer ABaseCap) {
  return TP::Run(lastResult, Gdip().GdipSetCustomLineCapBaseCap, nativeCap, static_cast<gdip::LineCap>(ABaseCap));
}

Integer TGPCustomLineCap::GetBaseCap() {
  return TP::Get(lastResult, gdip::LineCapFlat, Gdip().GdipGetCustomLineCapBaseCap, nativeCap);
}

Status TGPCustomLineCap::SetBaseInset(Single AInset) {
  return TP::Run(lastResult, Gdip().GdipSetCustomLineCapBaseInset, nativeCap, AInset);
}

Single TGPCustomLineCap::GetBaseInset() {
  return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetCustomLineCapBaseInset, nativeCap);
}

Status TGPCustomLineCap::SetWidthScale(Single AWidthScale) {
  return TP::Run(lastResult, Gdip().GdipSetCustomLineCapWidthScale, nativeCap, AWidthScale);
}

Single TGPCustomLineCap::GetWidthScale() {
  return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetCustomLineCapWidthScale, nativeCap);
}

// ---- TGPPen ----

TGPPen::TGPPen(ARGB AColor, Single AWidth) {
  TP::Create(nativePen, lastResult, Gdip().GdipCreatePen1, AColor, AWidth, UnitWorld);
}

TGPPen::TGPPen(TGPBrush* ABrush, Single AWidth) {
  TP::Create(nativePen, lastResult, Gdip().GdipCreatePen2, ABrush->nativeBrush, AWidth, UnitWorld);
}

TGPPen::TGPPen(gdip::GpPen* ANativePen, Status AStatus) : nativePen(ANativePen), lastResult(AStatus) {}

TGPPen::~TGPPen() { TP::Call(Gdip().GdipDeletePen, nativePen); }

TGPPen* TGPPen::Clone() {
  gdip::GpPen* copy = nullptr;
  lastResult = TP::Call(Gdip().GdipClonePen, nativePen, &copy);
  return new TGPPen(copy, lastResult);
}

Status TGPPen::SetWidth(Single AWidth) { return TP::Run(lastResult, Gdip().GdipSetPenWidth, nativePen, AWidth); }

Single TGPPen::GetWidth() { return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetPenWidth, nativePen); }

Status TGPPen::SetLineCap(Integer AStartCap, Integer AEndCap, Integer ADashCap) {
  return TP::Run(lastResult, Gdip().GdipSetPenLineCap197819, nativePen, static_cast<gdip::LineCap>(AStartCap),
                 static_cast<gdip::LineCap>(AEndCap), static_cast<gdip::DashCap>(ADashCap));
}

Status TGPPen::SetStartCap(Integer AStartCap) {
  return TP::Run(lastResult, Gdip().GdipSetPenStartCap, nativePen, static_cast<gdip::LineCap>(AStartCap));
}

Status TGPPen::SetEndCap(Integer AEndCap) {
  return TP::Run(lastResult, Gdip().GdipSetPenEndCap, nativePen, static_cast<gdip::LineCap>(AEndCap));
}

Status TGPPen::SetDashCap(Integer ADashCap) {
  return TP::Run(lastResult, Gdip().GdipSetPenDashCap197819, nativePen, static_cast<gdip::DashCap>(ADashCap));
}

Integer TGPPen::GetStartCap() { return TP::Get(lastResult, gdip::LineCapFlat, Gdip().GdipGetPenStartCap, nativePen); }

Integer TGPPen::GetEndCap() { return TP::Get(lastResult, gdip::LineCapFlat, Gdip().GdipGetPenEndCap, nativePen); }

Integer TGPPen::GetDashCap() {
  return TP::Get(lastResult, gdip::DashCapFlat, Gdip().GdipGetPenDashCap197819, nativePen);
}

Status TGPPen::SetLineJoin(LineJoin ALineJoin) {
  return TP::Run(lastResult, Gdip().GdipSetPenLineJoin, nativePen, ALineJoin);
}

LineJoin TGPPen::GetLineJoin() { return TP::Get(lastResult, LineJoinMiter, Gdip().GdipGetPenLineJoin, nativePen); }

Status TGPPen::SetCustomStartCap(TGPCustomLineCap* ACustomCap) {
  return TP::Run(lastResult, Gdip().GdipSetPenCustomStartCap, nativePen, Handle(ACustomCap));
}

Status TGPPen::SetCustomEndCap(TGPCustomLineCap* ACustomCap) {
  return TP::Run(lastResult, Gdip().GdipSetPenCustomEndCap, nativePen, Handle(ACustomCap));
}

Status TGPPen::GetCustomCap(gdip::TGdipGetPenCustomStartCap AEntry, TGPCustomLineCap* ACustomCap) {
  if (!ACustomCap) return TP::SetStatus(lastResult, InvalidParameter);
  gdip::GpCustomLineCap* cap = nullptr;
  const Status status = TP::Run(lastResult, AEntry, nativePen, &cap);
  // The cap GDI+ hands out is a copy the wrapper now owns; the one it held goes.
  if (status == Ok) {
    TP::Call(Gdip().GdipDeleteCustomLineCap, ACustomCap->nativeCap);
    ACustomCap->nativeCap = cap;
  }
  return status;
}

Status TGPPen::GetCustomStartCap(TGPCustomLineCap* ACustomCap) {
  return GetCustomCap(Gdip().GdipGetPenCustomStartCap, ACustomCap);
}

Status TGPPen::GetCustomEndCap(TGPCustomLineCap* ACustomCap) {
  return GetCustomCap(Gdip().GdipGetPenCustomEndCap, ACustomCap);
}

Status TGPPen::SetMiterLimit(Single AMiterLimit) {
  return TP::Run(lastResult, Gdip().GdipSetPenMiterLimit, nativePen, AMiterLimit);
}

Single TGPPen::GetMiterLimit() { return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetPenMiterLimit, nativePen); }

Status TGPPen::SetAlignment(PenAlignment APenAlignment) {
  return TP::Run(lastResult, Gdip().GdipSetPenMode, nativePen, APenAlignment);
}

PenAlignment TGPPen::GetAlignment() {
  return TP::Get(lastResult, PenAlignmentCenter, Gdip().GdipGetPenMode, nativePen);
}

Status TGPPen::SetTransform(TGPMatrix* AMatrix) {
  return TP::Run(lastResult, Gdip().GdipSetPenTransform, nativePen, AMatrix->nativeMatrix);
}

Status TGPPen::GetTransform(TGPMatrix* AMatrix) {
  return TP::Run(lastResult, Gdip().GdipGetPenTransform, nativePen, AMatrix->nativeMatrix);
}

Status TGPPen::ResetTransform() { return TP::Run(lastResult, Gdip().GdipResetPenTransform, nativePen); }

Status TGPPen::MultiplyTransform(TGPMatrix* AMatrix, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipMultiplyPenTransform, nativePen, AMatrix->nativeMatrix, AOrder);
}

Status TGPPen::TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipTranslatePenTransform, nativePen, ADx, ADy, AOrder);
}

Status TGPPen::ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipScalePenTransform, nativePen, ASx, ASy, AOrder);
}

Status TGPPen::RotateTransform(Single AAngle, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipRotatePenTransform, nativePen, AAngle, AOrder);
}

Integer TGPPen::GetPenType() {
  return TP::Get(lastResult, gdip::PenTypeUnknown, Gdip().GdipGetPenFillType, nativePen);
}

Status TGPPen::SetColor(ARGB AColor) { return TP::Run(lastResult, Gdip().GdipSetPenColor, nativePen, AColor); }

Status TGPPen::SetBrush(TGPBrush* ABrush) {
  return TP::Run(lastResult, Gdip().GdipSetPenBrushFill, nativePen, ABrush->nativeBrush);
}

Status TGPPen::GetColor(ARGB& AColor) {
  if (GetPenType() != gdip::PenTypeSolidColor) return WrongState;
  ARGB color = 0;
  TP::Run(lastResult, Gdip().GdipGetPenColor, nativePen, &color);
  if (lastResult == Ok) AColor = color;
  return lastResult;
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
  gdip::GpBrush* native = nullptr;
  TP::Run(lastResult, Gdip().GdipGetPenBrushFill, nativePen, &native);
  brush->nativeBrush = native;
  return brush;
}

DashStyle TGPPen::GetDashStyle() {
  return TP::Get(lastResult, DashStyleSolid, Gdip().GdipGetPenDashStyle, nativePen);
}

Status TGPPen::SetDashStyle(DashStyle ADashStyle) {
  return TP::Run(lastResult, Gdip().GdipSetPenDashStyle, nativePen, ADashStyle);
}

Single TGPPen::GetDashOffset() { return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetPenDashOffset, nativePen); }

Status TGPPen::SetDashOffset(Single ADashOffset) {
  return TP::Run(lastResult, Gdip().GdipSetPenDashOffset, nativePen, ADashOffset);
}

Status TGPPen::SetDashPattern(const Single* ADashArray, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipSetPenDashArray, nativePen, ADashArray, ACount);
}

Integer TGPPen::GetDashPatternCount() {
  return TP::Get<gdip::INT>(lastResult, 0, Gdip().GdipGetPenDashCount, nativePen);
}

Status TGPPen::GetDashPattern(Single* ADashArray, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipGetPenDashArray, nativePen, ADashArray, ACount);
}

Status TGPPen::SetCompoundArray(const Single* ACompoundArray, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipSetPenCompoundArray, nativePen, ACompoundArray, ACount);
}

Integer TGPPen::GetCompoundArrayCount() {
  return TP::Get<gdip::INT>(lastResult, 0, Gdip().GdipGetPenCompoundCount, nativePen);
}

Status TGPPen::GetCompoundArray(Single* ACompoundArray, Integer ACount) {
  if (ACount <= 0) return TP::SetStatus(lastResult, InvalidParameter);
  return TP::Run(lastResult, Gdip().GdipGetPenCompoundArray, nativePen, ACompoundArray, ACount);
}

}  // namespace NeoGDIPlusClasses
