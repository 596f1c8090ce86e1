#pragma once
// NeoGDIPlusClasses drawing tools: pens, the brush family (solid, texture, linear gradient,
// hatch, path gradient) and custom line caps, each a wrapper of one GDI+ object called through
// the bound table under the wrapper protocol.
#include "lib/graphics/NeoGDIPlusGeometry.h"

namespace NeoGDIPlusClasses {

class TGPImage;
class TGPImageAttributes;

class TGPBrush : public TGdiplusBase {
  ZELK_CLASS(TGPBrush, TGdiplusBase)
public:
  // An empty wrapper carrying NotImplemented.
  TGPBrush();
  TGPBrush(gdip::GpBrush* ANativeBrush, Status AStatus);
  ~TGPBrush() override;
  TGPBrush(const TGPBrush&) = delete;
  TGPBrush& operator=(const TGPBrush&) = delete;

  // A plain TGPBrush over a copy of the native brush, whatever the class of this one.
  virtual TGPBrush* Clone();
  BrushType GetType();
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpBrush* nativeBrush = nullptr;
  Status lastResult = Ok;

protected:
  // An empty wrapper of a derived class: nil handle, status Ok.
  struct TEmpty {};
  explicit TGPBrush(TEmpty) {}
};

class TGPSolidBrush : public TGPBrush {
  ZELK_CLASS(TGPSolidBrush, TGPBrush)
public:
  explicit TGPSolidBrush(ARGB AColor);
  TGPSolidBrush() : TGPBrush(TEmpty{}) {}

  Status GetColor(ARGB& AColor);
  Status SetColor(ARGB AColor);

private:
  gdip::GpSolidFill* Native() { return static_cast<gdip::GpSolidFill*>(nativeBrush); }
};

class TGPTextureBrush : public TGPBrush {
  ZELK_CLASS(TGPTextureBrush, TGPBrush)
public:
  TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode = WrapModeTile);
  TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, const TGPRectF& ADstRect);
  TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, const TGPRect& ADstRect);
  TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, Single ADstX, Single ADstY, Single ADstWidth, Single ADstHeight);
  TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, Integer ADstX, Integer ADstY, Integer ADstWidth,
                  Integer ADstHeight);
  TGPTextureBrush(TGPImage* AImage, const TGPRectF& ADstRect, TGPImageAttributes* AImageAttributes = nullptr);
  TGPTextureBrush(TGPImage* AImage, const TGPRect& ADstRect, TGPImageAttributes* AImageAttributes = nullptr);
  TGPTextureBrush() : TGPBrush(TEmpty{}) {}

  Status SetTransform(TGPMatrix* AMatrix);
  Status GetTransform(TGPMatrix* AMatrix);
  Status ResetTransform();
  Status MultiplyTransform(TGPMatrix* AMatrix, MatrixOrder AOrder = MatrixOrderPrepend);
  Status TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status RotateTransform(Single AAngle, MatrixOrder AOrder = MatrixOrderPrepend);
  Status SetWrapMode(WrapMode AWrapMode);
  WrapMode GetWrapMode();
  // A new image (the caller's) over the brush's image, with the brush's status field.
  TGPImage* GetImage();

private:
  gdip::GpTexture* Native() { return static_cast<gdip::GpTexture*>(nativeBrush); }
};

class TGPLinearGradientBrush : public TGPBrush {
  ZELK_CLASS(TGPLinearGradientBrush, TGPBrush)
public:
  TGPLinearGradientBrush(const TGPPointF& APoint1, const TGPPointF& APoint2, ARGB AColor1, ARGB AColor2);
  TGPLinearGradientBrush(const TGPPoint& APoint1, const TGPPoint& APoint2, ARGB AColor1, ARGB AColor2);
  TGPLinearGradientBrush(const TGPRectF& ARect, ARGB AColor1, ARGB AColor2, LinearGradientMode AMode);
  TGPLinearGradientBrush(const TGPRect& ARect, ARGB AColor1, ARGB AColor2, LinearGradientMode AMode);
  TGPLinearGradientBrush(const TGPRectF& ARect, ARGB AColor1, ARGB AColor2, Single AAngle,
                         bool AIsAngleScalable = false);
  TGPLinearGradientBrush(const TGPRect& ARect, ARGB AColor1, ARGB AColor2, Single AAngle,
                         bool AIsAngleScalable = false);
  TGPLinearGradientBrush() : TGPBrush(TEmpty{}) {}

  Status SetLinearColors(ARGB AColor1, ARGB AColor2);
  Status GetLinearColors(ARGB& AColor1, ARGB& AColor2);
  Status GetRectangle(TGPRectF& ARect);
  Status GetRectangle(TGPRect& ARect);
  Status SetGammaCorrection(bool AUseGammaCorrection);
  bool GetGammaCorrection();
  Integer GetBlendCount();
  Status SetBlend(const Single* ABlendFactors, const Single* ABlendPositions, Integer ACount);
  Status GetBlend(Single* ABlendFactors, Single* ABlendPositions, Integer ACount);
  Integer GetInterpolationColorCount();
  Status SetInterpolationColors(const ARGB* APresetColors, const Single* ABlendPositions, Integer ACount);
  Status GetInterpolationColors(ARGB* APresetColors, Single* ABlendPositions, Integer ACount);
  Status SetBlendBellShape(Single AFocus, Single AScale = 1.0f);
  Status SetBlendTriangularShape(Single AFocus, Single AScale = 1.0f);
  Status SetTransform(TGPMatrix* AMatrix);
  Status GetTransform(TGPMatrix* AMatrix);
  Status ResetTransform();
  Status MultiplyTransform(TGPMatrix* AMatrix, MatrixOrder AOrder = MatrixOrderPrepend);
  Status TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status RotateTransform(Single AAngle, MatrixOrder AOrder = MatrixOrderPrepend);
  Status SetWrapMode(WrapMode AWrapMode);
  WrapMode GetWrapMode();

private:
  gdip::GpLineGradient* Native() { return static_cast<gdip::GpLineGradient*>(nativeBrush); }
};

class TGPHatchBrush : public TGPBrush {
  ZELK_CLASS(TGPHatchBrush, TGPBrush)
public:
  TGPHatchBrush(HatchStyle AHatchStyle, ARGB AForeColor, ARGB ABackColor = PackARGB(255, 0, 0, 0));
  TGPHatchBrush() : TGPBrush(TEmpty{}) {}

  HatchStyle GetHatchStyle();
  Status GetForegroundColor(ARGB& AColor);
  Status GetBackgroundColor(ARGB& AColor);

private:
  gdip::GpHatch* Native() { return static_cast<gdip::GpHatch*>(nativeBrush); }
};

class TGPPathGradientBrush : public TGPBrush {
  ZELK_CLASS(TGPPathGradientBrush, TGPBrush)
public:
  TGPPathGradientBrush(const TGPPointF* APoints, Integer ACount, WrapMode AWrapMode = WrapModeClamp);
  TGPPathGradientBrush(const TGPPoint* APoints, Integer ACount, WrapMode AWrapMode = WrapModeClamp);
  explicit TGPPathGradientBrush(TGPGraphicsPath* APath);
  TGPPathGradientBrush() : TGPBrush(TEmpty{}) {}

  Status GetCenterColor(ARGB& AColor);
  Status SetCenterColor(ARGB AColor);
  Integer GetPointCount();
  Integer GetSurroundColorCount();
  Status GetSurroundColors(ARGB* AColors, Integer& ACount);
  Status SetSurroundColors(const ARGB* AColors, Integer& ACount);
  Status GetGraphicsPath(TGPGraphicsPath* APath);
  Status SetGraphicsPath(TGPGraphicsPath* APath);
  Status GetCenterPoint(TGPPointF& APoint);
  Status GetCenterPoint(TGPPoint& APoint);
  Status SetCenterPoint(TGPPointF APoint);
  Status SetCenterPoint(TGPPoint APoint);
  Status GetRectangle(TGPRectF& ARect);
  Status GetRectangle(TGPRect& ARect);
  Status SetGammaCorrection(bool AUseGammaCorrection);
  bool GetGammaCorrection();
  Integer GetBlendCount();
  Status GetBlend(Single* ABlendFactors, Single* ABlendPositions, Integer ACount);
  Status SetBlend(const Single* ABlendFactors, const Single* ABlendPositions, Integer ACount);
  Integer GetInterpolationColorCount();
  Status SetInterpolationColors(const ARGB* APresetColors, const Single* ABlendPositions, Integer ACount);
  // The colours are copied out only when the call succeeds.
  Status GetInterpolationColors(ARGB* APresetColors, Single* ABlendPositions, Integer ACount);
  Status SetBlendBellShape(Single AFocus, Single AScale = 1.0f);
  Status SetBlendTriangularShape(Single AFocus, Single AScale = 1.0f);
  Status GetTransform(TGPMatrix* AMatrix);
  Status SetTransform(TGPMatrix* AMatrix);
  Status ResetTransform();
  Status MultiplyTransform(TGPMatrix* AMatrix, MatrixOrder AOrder = MatrixOrderPrepend);
  Status TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status RotateTransform(Single AAngle, MatrixOrder AOrder = MatrixOrderPrepend);
  Status GetFocusScales(Single& AXScale, Single& AYScale);
  Status SetFocusScales(Single AXScale, Single AYScale);
  WrapMode GetWrapMode();
  Status SetWrapMode(WrapMode AWrapMode);

private:
  gdip::GpPathGradient* Native() { return static_cast<gdip::GpPathGradient*>(nativeBrush); }
};

class TGPCustomLineCap : public TGdiplusBase {
  ZELK_CLASS(TGPCustomLineCap, TGdiplusBase)
public:
  TGPCustomLineCap() = default;
  TGPCustomLineCap(TGPGraphicsPath* AFillPath, TGPGraphicsPath* AStrokePath, Integer ABaseCap = gdip::LineCapFlat,
                   Single ABaseInset = 0);
  TGPCustomLineCap(gdip::GpCustomLineCap* ANativeCap, Status AStatus);
  ~TGPCustomLineCap() override;
  TGPCustomLineCap(const TGPCustomLineCap&) = delete;
  TGPCustomLineCap& operator=(const TGPCustomLineCap&) = delete;

  // Nil when the status field then holds a failure.
  TGPCustomLineCap* Clone();
  Status SetStrokeCap(Integer AStrokeCap);
  Status SetStrokeCaps(Integer AStartCap, Integer AEndCap);
  Status GetStrokeCaps(Integer& AStartCap, Integer& AEndCap);
  Status SetStrokeJoin(LineJoin ALineJoin);
  LineJoin GetStrokeJoin();
  Status SetBaseCap(Integer ABaseCap);
  Integer GetBaseCap();
  Status SetBaseInset(Single AInset);
  Single GetBaseInset();
  Status SetWidthScale(Single AWidthScale);
  Single GetWidthScale();
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpCustomLineCap* nativeCap = nullptr;
  Status lastResult = Ok;
};

class TGPPen : public TGdiplusBase {
  ZELK_CLASS(TGPPen, TGdiplusBase)
public:
  explicit TGPPen(ARGB AColor, Single AWidth = 1.0f);
  TGPPen(TGPBrush* ABrush, Single AWidth = 1.0f);
  TGPPen(gdip::GpPen* ANativePen, Status AStatus);
  ~TGPPen() override;
  TGPPen(const TGPPen&) = delete;
  TGPPen& operator=(const TGPPen&) = delete;

  // The status is assigned to this pen's field, Ok included.
  TGPPen* Clone();
  Status SetWidth(Single AWidth);
  Single GetWidth();
  Status SetLineCap(Integer AStartCap, Integer AEndCap, Integer ADashCap);
  Status SetStartCap(Integer AStartCap);
  Status SetEndCap(Integer AEndCap);
  Status SetDashCap(Integer ADashCap);
  Integer GetStartCap();
  Integer GetEndCap();
  Integer GetDashCap();
  Status SetLineJoin(LineJoin ALineJoin);
  LineJoin GetLineJoin();
  Status SetCustomStartCap(TGPCustomLineCap* ACustomCap);
  // Replaces ACustomCap's handle (deleting the one it held) by a copy of the pen's cap.
  Status GetCustomStartCap(TGPCustomLineCap* ACustomCap);
  Status SetCustomEndCap(TGPCustomLineCap* ACustomCap);
  Status GetCustomEndCap(TGPCustomLineCap* ACustomCap);
  Status SetMiterLimit(Single AMiterLimit);
  Single GetMiterLimit();
  Status SetAlignment(PenAlignment APenAlignment);
  PenAlignment GetAlignment();
  Status SetTransform(TGPMatrix* AMatrix);
  Status GetTransform(TGPMatrix* AMatrix);
  Status ResetTransform();
  Status MultiplyTransform(TGPMatrix* AMatrix, MatrixOrder AOrder = MatrixOrderPrepend);
  Status TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status RotateTransform(Single AAngle, MatrixOrder AOrder = MatrixOrderPrepend);
  // 0 solid colour, 1 hatch, 2 texture, 3 path gradient, 4 linear gradient.
  Integer GetPenType();
  Status SetColor(ARGB AColor);
  Status SetBrush(TGPBrush* ABrush);
  // WrongState, unrecorded and AColor untouched, for a pen that is not a solid colour.
  Status GetColor(ARGB& AColor);
  // A new brush (the caller's) of the class that matches the pen type.
  TGPBrush* GetBrush();
  DashStyle GetDashStyle();
  Status SetDashStyle(DashStyle ADashStyle);
  Single GetDashOffset();
  Status SetDashOffset(Single ADashOffset);
  Status SetDashPattern(const Single* ADashArray, Integer ACount);
  Integer GetDashPatternCount();
  Status GetDashPattern(Single* ADashArray, Integer ACount);
  Status SetCompoundArray(const Single* ACompoundArray, Integer ACount);
  Integer GetCompoundArrayCount();
  Status GetCompoundArray(Single* ACompoundArray, Integer ACount);
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpPen* nativePen = nullptr;
  Status lastResult = Ok;

private:
  Status GetCustomCap(gdip::TGdipGetPenCustomStartCap AEntry, TGPCustomLineCap* ACustomCap);
};

}  // namespace NeoGDIPlusClasses
