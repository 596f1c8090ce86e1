// The drawing surface over the bound GDI+ table.
#include "lib/graphics/NeoGDIPlusGraphics.h"

#include <memory>
#include <vector>

#include "lib/graphics/NeoGDIPlusClassesInternal.h"

namespace NeoGDIPlusClasses {

// ---- Construction ----

TGPGraphics::TGPGraphics(HDC ADC, Integer, Integer) {
  TP::Create(nativeGraphics, lastResult, Gdip().GdipCreateFromHDC, ADC);
}

TGPGraphics::TGPGraphics(HDC ADC, HANDLE AHDevice) {
  TP::Create(nativeGraphics, lastResult, Gdip().GdipCreateFromHDC2, ADC, AHDevice);
}

TGPGraphics::TGPGraphics(HWND AHwnd, bool AIcm) {
  TP::Create(nativeGraphics, lastResult, AIcm ? Gdip().GdipCreateFromHWNDICM : Gdip().GdipCreateFromHWND, AHwnd);
}

TGPGraphics::TGPGraphics(TGPImage* AImage) {
  nativeGraphics = nullptr;
  lastResult = Ok;
  if (AImage) TP::Create(nativeGraphics, lastResult, Gdip().GdipGetImageGraphicsContext, AImage->nativeImage);
}

TGPGraphics::~TGPGraphics() { TP::Call(Gdip().GdipDeleteGraphics, nativeGraphics); }

TGPGraphics* TGPGraphics::FromHDC(HDC ADC) { return new TGPGraphics(ADC, 0, 0); }

TGPGraphics* TGPGraphics::FromHDC(HDC ADC, HANDLE AHDevice) { return new TGPGraphics(ADC, AHDevice); }

TGPGraphics* TGPGraphics::FromHWND(HWND AHwnd, bool AIcm) { return new TGPGraphics(AHwnd, AIcm); }

TGPGraphics* TGPGraphics::FromImage(TGPImage* AImage) { return new TGPGraphics(AImage); }

// ---- Device context and state ----

void TGPGraphics::Flush(FlushIntention AIntention) { TP::Call(Gdip().GdipFlush, nativeGraphics, AIntention); }

HDC TGPGraphics::GetHDC() { return TP::Get<HDC>(lastResult, nullptr, Gdip().GdipGetDC, nativeGraphics); }

void TGPGraphics::ReleaseHDC(HDC ADC) { TP::Run(lastResult, Gdip().GdipReleaseDC, nativeGraphics, ADC); }

Status TGPGraphics::SetRenderingOrigin(Integer x, Integer y) {
  return TP::Run(lastResult, Gdip().GdipSetRenderingOrigin, nativeGraphics, x, y);
}

Status TGPGraphics::GetRenderingOrigin(Integer& x, Integer& y) {
  x = 0;
  y = 0;
  return TP::Run(lastResult, Gdip().GdipGetRenderingOrigin, nativeGraphics, &x, &y);
}

Status TGPGraphics::SetCompositingMode(CompositingMode ACompositingMode) {
  return TP::Run(lastResult, Gdip().GdipSetCompositingMode, nativeGraphics, ACompositingMode);
}

CompositingMode TGPGraphics::GetCompositingMode() {
  return TP::Get(lastResult, CompositingModeSourceOver, Gdip().GdipGetCompositingMode, nativeGraphics);
}

Status TGPGraphics::SetCompositingQuality(Integer ACompositingQuality) {
  return TP::Run(lastResult, Gdip().GdipSetCompositingQuality, nativeGraphics,
                 static_cast<gdip::CompositingQuality>(ACompositingQuality));
}

Integer TGPGraphics::GetCompositingQuality() {
  return TP::Get(lastResult, gdip::CompositingQualityDefault, Gdip().GdipGetCompositingQuality, nativeGraphics);
}

Status TGPGraphics::SetTextRenderingHint(TextRenderingHint ANewMode) {
  return TP::Run(lastResult, Gdip().GdipSetTextRenderingHint, nativeGraphics, ANewMode);
}

TextRenderingHint TGPGraphics::GetTextRenderingHint() {
  return TP::Get(lastResult, TextRenderingHintSystemDefault, Gdip().GdipGetTextRenderingHint, nativeGraphics);
}

Status TGPGraphics::SetTextContrast(UINT AContrast) {
  return TP::Run(lastResult, Gdip().GdipSetTextContrast, nativeGraphics, AContrast);
}

UINT TGPGraphics::GetTextContrast() { return TP::Get<UINT>(lastResult, 0, Gdip().GdipGetTextContrast, nativeGraphics); }

Status TGPGraphics::SetInterpolationMode(Integer AInterpolationMode) {
  return TP::Run(lastResult, Gdip().GdipSetInterpolationMode, nativeGraphics,
                 static_cast<gdip::InterpolationMode>(AInterpolationMode));
}

Integer TGPGraphics::GetInterpolationMode() {
  return TP::Get(lastResult, gdip::InterpolationModeInvalid, Gdip().GdipGetInterpolationMode, nativeGraphics);
}

Status TGPGraphics::SetSmoothingMode(Integer ASmoothingMode) {
  return TP::Run(lastResult, Gdip().GdipSetSmoothingMode, nativeGraphics,
                 static_cast<gdip::SmoothingMode>(ASmoothingMode));
}

Integer TGPGraphics::GetSmoothingMode() {
  return TP::Get(lastResult, gdip::SmoothingModeInvalid, Gdip().GdipGetSmoothingMode, nativeGraphics);
}

Status TGPGraphics::SetPixelOffsetMode(Integer APixelOffsetMode) {
  return TP::Run(lastResult, Gdip().GdipSetPixelOffsetMode, nativeGraphics,
                 static_cast<gdip::PixelOffsetMode>(APixelOffsetMode));
}

Integer TGPGraphics::GetPixelOffsetMode() {
  return TP::Get(lastResult, gdip::PixelOffsetModeInvalid, Gdip().GdipGetPixelOffsetMode, nativeGraphics);
}

// ---- World transform, page and resolution ----

Status TGPGraphics::SetTransform(TGPMatrix* AMatrix) {
  return TP::Run(lastResult, Gdip().GdipSetWorldTransform, nativeGraphics, AMatrix->nativeMatrix);
}

Status TGPGraphics::ResetTransform() { return TP::Run(lastResult, Gdip().GdipResetWorldTransform, nativeGraphics); }

Status TGPGraphics::MultiplyTransform(TGPMatrix* AMatrix, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipMultiplyWorldTransform, nativeGraphics, AMatrix->nativeMatrix, AOrder);
}

Status TGPGraphics::TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipTranslateWorldTransform, nativeGraphics, ADx, ADy, AOrder);
}

Status TGPGraphics::ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipScaleWorldTransform, nativeGraphics, ASx, ASy, AOrder);
}

Status TGPGraphics::RotateTransform(Single AAngle, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipRotateWorldTransform, nativeGraphics, AAngle, AOrder);
}

Status TGPGraphics::GetTransform(TGPMatrix* AMatrix) {
  return TP::Run(lastResult, Gdip().GdipGetWorldTransform, nativeGraphics, AMatrix->nativeMatrix);
}

Status TGPGraphics::SetPageUnit(Unit_ AUnit) {
  return TP::Run(lastResult, Gdip().GdipSetPageUnit, nativeGraphics, AUnit);
}

Status TGPGraphics::SetPageScale(Single AScale) {
  return TP::Run(lastResult, Gdip().GdipSetPageScale, nativeGraphics, AScale);
}

Unit_ TGPGraphics::GetPageUnit() { return TP::Get(lastResult, UnitWorld, Gdip().GdipGetPageUnit, nativeGraphics); }

Single TGPGraphics::GetPageScale() {
  return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetPageScale, nativeGraphics);
}

Single TGPGraphics::GetDpiX() { return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetDpiX, nativeGraphics); }

Single TGPGraphics::GetDpiY() { return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetDpiY, nativeGraphics); }

Status TGPGraphics::TransformPoints(CoordinateSpace ADestSpace, CoordinateSpace ASrcSpace, PGPPointF APts,
                                    Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipTransformPoints, nativeGraphics, ADestSpace, ASrcSpace, APts, ACount);
}

Status TGPGraphics::TransformPoints(CoordinateSpace ADestSpace, CoordinateSpace ASrcSpace, PGPPoint APts,
                                    Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipTransformPointsI, nativeGraphics, ADestSpace, ASrcSpace, APts, ACount);
}

Status TGPGraphics::GetNearestColor(ARGB& AColor) {
  return TP::Run(lastResult, Gdip().GdipGetNearestColor, nativeGraphics, &AColor);
}

// ---- Stroking ----

Status TGPGraphics::DrawLine(TGPPen* APen, Single x1, Single y1, Single x2, Single y2) {
  return TP::Run(lastResult, Gdip().GdipDrawLine, nativeGraphics, APen->nativePen, x1, y1, x2, y2);
}

Status TGPGraphics::DrawLine(TGPPen* APen, const TGPPointF& APt1, const TGPPointF& APt2) {
  return DrawLine(APen, APt1.X, APt1.Y, APt2.X, APt2.Y);
}

Status TGPGraphics::DrawLines(TGPPen* APen, const TGPPointF* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipDrawLines, nativeGraphics, APen->nativePen, APoints, ACount);
}

Status TGPGraphics::DrawLine(TGPPen* APen, Integer x1, Integer y1, Integer x2, Integer y2) {
  return TP::Run(lastResult, Gdip().GdipDrawLineI, nativeGraphics, APen->nativePen, x1, y1, x2, y2);
}

Status TGPGraphics::DrawLine(TGPPen* APen, const TGPPoint& APt1, const TGPPoint& APt2) {
  return DrawLine(APen, APt1.X, APt1.Y, APt2.X, APt2.Y);
}

Status TGPGraphics::DrawLines(TGPPen* APen, const TGPPoint* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipDrawLinesI, nativeGraphics, APen->nativePen, APoints, ACount);
}

Status TGPGraphics::DrawArc(TGPPen* APen, Single x, Single y, Single AWidth, Single AHeight, Single AStartAngle,
                            Single ASweepAngle) {
  return TP::Run(lastResult, Gdip().GdipDrawArc, nativeGraphics, APen->nativePen, x, y, AWidth, AHeight, AStartAngle,
                 ASweepAngle);
}

Status TGPGraphics::DrawArc(TGPPen* APen, const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle) {
  return DrawArc(APen, ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphics::DrawArc(TGPPen* APen, Integer x, Integer y, Integer AWidth, Integer AHeight, Single AStartAngle,
                            Single ASweepAngle) {
  return TP::Run(lastResult, Gdip().GdipDrawArcI, nativeGraphics, APen->nativePen, x, y, AWidth, AHeight, AStartAngle,
                 ASweepAngle);
}

Status TGPGraphics::DrawArc(TGPPen* APen, const TGPRect& ARect, Single AStartAngle, Single ASweepAngle) {
  return DrawArc(APen, ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphics::DrawBezier(TGPPen* APen, Single x1, Single y1, Single x2, Single y2, Single x3, Single y3,
                               Single x4, Single y4) {
  return TP::Run(lastResult, Gdip().GdipDrawBezier, nativeGraphics, APen->nativePen, x1, y1, x2, y2, x3, y3, x4, y4);
}

Status TGPGraphics::DrawBezier(TGPPen* APen, const TGPPointF& APt1, const TGPPointF& APt2, const TGPPointF& APt3,
                               const TGPPointF& APt4) {
  return DrawBezier(APen, APt1.X, APt1.Y, APt2.X, APt2.Y, APt3.X, APt3.Y, APt4.X, APt4.Y);
}

Status TGPGraphics::DrawBeziers(TGPPen* APen, const TGPPointF* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipDrawBeziers, nativeGraphics, APen->nativePen, APoints, ACount);
}

Status TGPGraphics::DrawBezier(TGPPen* APen, Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3,
                               Integer x4, Integer y4) {
  return TP::Run(lastResult, Gdip().GdipDrawBezierI, nativeGraphics, APen->nativePen, x1, y1, x2, y2, x3, y3, x4, y4);
}

Status TGPGraphics::DrawBezier(TGPPen* APen, const TGPPoint& APt1, const TGPPoint& APt2, const TGPPoint& APt3,
                               const TGPPoint& APt4) {
  return DrawBezier(APen, APt1.X, APt1.Y, APt2.X, APt2.Y, APt3.X, APt3.Y, APt4.X, APt4.Y);
}

Status TGPGraphics::DrawBeziers(TGPPen* APen, const TGPPoint* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipDrawBeziersI, nativeGraphics, APen->nativePen, APoints, ACount);
}

Status TGPGraphics::DrawRectangle(TGPPen* APen, const TGPRectF& ARect) {
  return DrawRectangle(APen, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::DrawRectangle(TGPPen* APen, Single x, Single y, Single AWidth, Single AHeight) {
  return TP::Run(lastResult, Gdip().GdipDrawRectangle, nativeGraphics, APen->nativePen, x, y, AWidth, AHeight);
}

Status TGPGraphics::DrawRectangles(TGPPen* APen, const TGPRectF* ARects, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipDrawRectangles, nativeGraphics, APen->nativePen, ARects, ACount);
}

Status TGPGraphics::DrawRectangle(TGPPen* APen, const TGPRect& ARect) {
  return DrawRectangle(APen, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::DrawRectangle(TGPPen* APen, Integer x, Integer y, Integer AWidth, Integer AHeight) {
  return TP::Run(lastResult, Gdip().GdipDrawRectangleI, nativeGraphics, APen->nativePen, x, y, AWidth, AHeight);
}

Status TGPGraphics::DrawRectangles(TGPPen* APen, const TGPRect* ARects, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipDrawRectanglesI, nativeGraphics, APen->nativePen, ARects, ACount);
}

Status TGPGraphics::DrawEllipse(TGPPen* APen, const TGPRectF& ARect) {
  return DrawEllipse(APen, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::DrawEllipse(TGPPen* APen, Single x, Single y, Single AWidth, Single AHeight) {
  return TP::Run(lastResult, Gdip().GdipDrawEllipse, nativeGraphics, APen->nativePen, x, y, AWidth, AHeight);
}

Status TGPGraphics::DrawEllipse(TGPPen* APen, const TGPRect& ARect) {
  return DrawEllipse(APen, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::DrawEllipse(TGPPen* APen, Integer x, Integer y, Integer AWidth, Integer AHeight) {
  return TP::Run(lastResult, Gdip().GdipDrawEllipseI, nativeGraphics, APen->nativePen, x, y, AWidth, AHeight);
}

Status TGPGraphics::DrawPie(TGPPen* APen, const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle) {
  return DrawPie(APen, ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphics::DrawPie(TGPPen* APen, Single x, Single y, Single AWidth, Single AHeight, Single AStartAngle,
                            Single ASweepAngle) {
  return TP::Run(lastResult, Gdip().GdipDrawPie, nativeGraphics, APen->nativePen, x, y, AWidth, AHeight, AStartAngle,
                 ASweepAngle);
}

Status TGPGraphics::DrawPie(TGPPen* APen, const TGPRect& ARect, Single AStartAngle, Single ASweepAngle) {
  return DrawPie(APen, ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphics::DrawPie(TGPPen* APen, Integer x, Integer y, Integer AWidth, Integer AHeight, Single AStartAngle,
                            Single ASweepAngle) {
  return TP::Run(lastResult, Gdip().GdipDrawPieI, nativeGraphics, APen->nativePen, x, y, AWidth, AHeight, AStartAngle,
                 ASweepAngle);
}

Status TGPGraphics::DrawPolygon(TGPPen* APen, const TGPPointF* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipDrawPolygon, nativeGraphics, APen->nativePen, APoints, ACount);
}

Status TGPGraphics::DrawPolygon(TGPPen* APen, const TGPPoint* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipDrawPolygonI, nativeGraphics, APen->nativePen, APoints, ACount);
}

Status TGPGraphics::DrawPath(TGPPen* APen, TGPGraphicsPath* APath) {
  return TP::Run(lastResult, Gdip().GdipDrawPath, nativeGraphics, Handle(APen), Handle(APath));
}

Status TGPGraphics::DrawCurve(TGPPen* APen, const TGPPointF* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipDrawCurve, nativeGraphics, APen->nativePen, APoints, ACount);
}

Status TGPGraphics::DrawCurve(TGPPen* APen, const TGPPointF* APoints, Integer ACount, Single ATension) {
  return TP::Run(lastResult, Gdip().GdipDrawCurve2, nativeGraphics, APen->nativePen, APoints, ACount, ATension);
}

Status TGPGraphics::DrawCurve(TGPPen* APen, const TGPPointF* APoints, Integer ACount, Integer AOffset,
                              Integer ANumberOfSegments, Single ATension) {
  return TP::Run(lastResult, Gdip().GdipDrawCurve3, nativeGraphics, APen->nativePen, APoints, ACount, AOffset,
                 ANumberOfSegments, ATension);
}

Status TGPGraphics::DrawCurve(TGPPen* APen, const TGPPoint* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipDrawCurveI, nativeGraphics, APen->nativePen, APoints, ACount);
}

Status TGPGraphics::DrawCurve(TGPPen* APen, const TGPPoint* APoints, Integer ACount, Single ATension) {
  return TP::Run(lastResult, Gdip().GdipDrawCurve2I, nativeGraphics, APen->nativePen, APoints, ACount, ATension);
}

Status TGPGraphics::DrawCurve(TGPPen* APen, const TGPPoint* APoints, Integer ACount, Integer AOffset,
                              Integer ANumberOfSegments, Single ATension) {
  return TP::Run(lastResult, Gdip().GdipDrawCurve3I, nativeGraphics, APen->nativePen, APoints, ACount, AOffset,
                 ANumberOfSegments, ATension);
}

Status TGPGraphics::DrawClosedCurve(TGPPen* APen, const TGPPointF* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipDrawClosedCurve, nativeGraphics, APen->nativePen, APoints, ACount);
}

Status TGPGraphics::DrawClosedCurve(TGPPen* APen, const TGPPointF* APoints, Integer ACount, Single ATension) {
  return TP::Run(lastResult, Gdip().GdipDrawClosedCurve2, nativeGraphics, APen->nativePen, APoints, ACount, ATension);
}

Status TGPGraphics::DrawClosedCurve(TGPPen* APen, const TGPPoint* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipDrawClosedCurveI, nativeGraphics, APen->nativePen, APoints, ACount);
}

Status TGPGraphics::DrawClosedCurve(TGPPen* APen, const TGPPoint* APoints, Integer ACount, Single ATension) {
  return TP::Run(lastResult, Gdip().GdipDrawClosedCurve2I, nativeGraphics, APen->nativePen, APoints, ACount, ATension);
}

// ---- Filling ----

Status TGPGraphics::Clear(ARGB AColor) { return TP::Run(lastResult, Gdip().GdipGraphicsClear, nativeGraphics, AColor); }

Status TGPGraphics::FillRectangle(TGPBrush* ABrush, const TGPRectF& ARect) {
  return FillRectangle(ABrush, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::FillRectangle(TGPBrush* ABrush, Single x, Single y, Single AWidth, Single AHeight) {
  return TP::Run(lastResult, Gdip().GdipFillRectangle, nativeGraphics, ABrush->nativeBrush, x, y, AWidth, AHeight);
}

Status TGPGraphics::FillRectangles(TGPBrush* ABrush, const TGPRectF* ARects, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipFillRectangles, nativeGraphics, ABrush->nativeBrush, ARects, ACount);
}

Status TGPGraphics::FillRectangle(TGPBrush* ABrush, const TGPRect& ARect) {
  return FillRectangle(ABrush, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::FillRectangle(TGPBrush* ABrush, Integer x, Integer y, Integer AWidth, Integer AHeight) {
  return TP::Run(lastResult, Gdip().GdipFillRectangleI, nativeGraphics, ABrush->nativeBrush, x, y, AWidth, AHeight);
}

Status TGPGraphics::FillRectangles(TGPBrush* ABrush, const TGPRect* ARects, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipFillRectanglesI, nativeGraphics, ABrush->nativeBrush, ARects, ACount);
}

Status TGPGraphics::FillPolygon(TGPBrush* ABrush, const TGPPointF* APoints, Integer ACount) {
  return FillPolygon(ABrush, APoints, ACount, FillModeAlternate);
}

Status TGPGraphics::FillPolygon(TGPBrush* ABrush, const TGPPointF* APoints, Integer ACount, FillMode AFillMode) {
  return TP::Run(lastResult, Gdip().GdipFillPolygon, nativeGraphics, ABrush->nativeBrush, APoints, ACount, AFillMode);
}

Status TGPGraphics::FillPolygon(TGPBrush* ABrush, const TGPPoint* APoints, Integer ACount) {
  return FillPolygon(ABrush, APoints, ACount, FillModeAlternate);
}

Status TGPGraphics::FillPolygon(TGPBrush* ABrush, const TGPPoint* APoints, Integer ACount, FillMode AFillMode) {
  return TP::Run(lastResult, Gdip().GdipFillPolygonI, nativeGraphics, ABrush->nativeBrush, APoints, ACount, AFillMode);
}

Status TGPGraphics::FillEllipse(TGPBrush* ABrush, const TGPRectF& ARect) {
  return FillEllipse(ABrush, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::FillEllipse(TGPBrush* ABrush, Single x, Single y, Single AWidth, Single AHeight) {
  return TP::Run(lastResult, Gdip().GdipFillEllipse, nativeGraphics, ABrush->nativeBrush, x, y, AWidth, AHeight);
}

Status TGPGraphics::FillEllipse(TGPBrush* ABrush, const TGPRect& ARect) {
  return FillEllipse(ABrush, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::FillEllipse(TGPBrush* ABrush, Integer x, Integer y, Integer AWidth, Integer AHeight) {
  return TP::Run(lastResult, Gdip().GdipFillEllipseI, nativeGraphics, ABrush->nativeBrush, x, y, AWidth, AHeight);
}

Status TGPGraphics::FillPie(TGPBrush* ABrush, const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle) {
  return FillPie(ABrush, ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphics::FillPie(TGPBrush* ABrush, Single x, Single y, Single AWidth, Single AHeight, Single AStartAngle,
                            Single ASweepAngle) {
  return TP::Run(lastResult, Gdip().GdipFillPie, nativeGraphics, ABrush->nativeBrush, x, y, AWidth, AHeight,
                 AStartAngle, ASweepAngle);
}

Status TGPGraphics::FillPie(TGPBrush* ABrush, const TGPRect& ARect, Single AStartAngle, Single ASweepAngle) {
  return FillPie(ABrush, ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphics::FillPie(TGPBrush* ABrush, Integer x, Integer y, Integer AWidth, Integer AHeight,
                            Single AStartAngle, Single ASweepAngle) {
  return TP::Run(lastResult, Gdip().GdipFillPieI, nativeGraphics, ABrush->nativeBrush, x, y, AWidth, AHeight,
                 AStartAngle, ASweepAngle);
}

Status TGPGraphics::FillPath(TGPBrush* ABrush, TGPGraphicsPath* APath) {
  return TP::Run(lastResult, Gdip().GdipFillPath, nativeGraphics, ABrush->nativeBrush, APath->nativePath);
}

Status TGPGraphics::FillClosedCurve(TGPBrush* ABrush, const TGPPointF* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipFillClosedCurve, nativeGraphics, ABrush->nativeBrush, APoints, ACount);
}

Status TGPGraphics::FillClosedCurve(TGPBrush* ABrush, const TGPPointF* APoints, Integer ACount, FillMode AFillMode,
                                    Single ATension) {
  return TP::Run(lastResult, Gdip().GdipFillClosedCurve2, nativeGraphics, ABrush->nativeBrush, APoints, ACount,
                 ATension, AFillMode);
}

Status TGPGraphics::FillClosedCurve(TGPBrush* ABrush, const TGPPoint* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipFillClosedCurveI, nativeGraphics, ABrush->nativeBrush, APoints, ACount);
}

Status TGPGraphics::FillClosedCurve(TGPBrush* ABrush, const TGPPoint* APoints, Integer ACount, FillMode AFillMode,
                                    Single ATension) {
  return TP::Run(lastResult, Gdip().GdipFillClosedCurve2I, nativeGraphics, ABrush->nativeBrush, APoints, ACount,
                 ATension, AFillMode);
}

Status TGPGraphics::FillRegion(TGPBrush* ABrush, TGPRegion* ARegion) {
  return TP::Run(lastResult, Gdip().GdipFillRegion, nativeGraphics, ABrush->nativeBrush, ARegion->nativeRegion);
}

// ---- Text ----

Status TGPGraphics::DrawString(const String& AString, TGPFont* AFont, const TGPRectF& ALayoutRect,
                               TGPStringFormat* AStringFormat, TGPBrush* ABrush) {
  const Integer length = static_cast<Integer>(AString.size());
  std::vector<Char> buffer(static_cast<std::size_t>(length) + 1, 0);
  AString.copy(buffer.data(), AString.size());
  return TP::Run(lastResult, Gdip().GdipDrawString, nativeGraphics, buffer.data(), length, Handle(AFont),
                 &ALayoutRect, Handle(AStringFormat), Handle(ABrush));
}

Status TGPGraphics::DrawString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPRectF& ALayoutRect,
                               TGPStringFormat* AStringFormat, TGPBrush* ABrush) {
  return TP::Run(lastResult, Gdip().GdipDrawString, nativeGraphics, AString, ALength, Handle(AFont), &ALayoutRect,
                 Handle(AStringFormat), Handle(ABrush));
}

Status TGPGraphics::DrawString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin,
                               TGPBrush* ABrush) {
  return DrawString(AString, ALength, AFont, TGPRectF{AOrigin.X, AOrigin.Y, 0, 0}, nullptr, ABrush);
}

Status TGPGraphics::DrawString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin,
                               TGPStringFormat* AStringFormat, TGPBrush* ABrush) {
  return DrawString(AString, ALength, AFont, TGPRectF{AOrigin.X, AOrigin.Y, 0, 0}, AStringFormat, ABrush);
}

Status TGPGraphics::MeasureString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPRectF& ALayoutRect,
                                  TGPStringFormat* AStringFormat, TGPRectF& ABoundingBox, Integer* ACodepointsFitted,
                                  Integer* ALinesFilled) {
  return TP::Run(lastResult, Gdip().GdipMeasureString, nativeGraphics, AString, ALength, Handle(AFont), &ALayoutRect,
                 Handle(AStringFormat), &ABoundingBox, ACodepointsFitted, ALinesFilled);
}

Status TGPGraphics::MeasureString(const Char* AString, Integer ALength, TGPFont* AFont,
                                  const TGPSizeF& ALayoutRectSize, TGPStringFormat* AStringFormat, TGPSizeF& ASize,
                                  Integer* ACodepointsFitted, Integer* ALinesFilled) {
  TGPRectF box{};
  const Status status =
      MeasureString(AString, ALength, AFont, TGPRectF{0, 0, ALayoutRectSize.Width, ALayoutRectSize.Height},
                    AStringFormat, box, ACodepointsFitted, ALinesFilled);
  if (status == Ok) ASize = TGPSizeF{box.Width, box.Height};
  return status;
}

Status TGPGraphics::MeasureString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin,
                                  TGPStringFormat* AStringFormat, TGPRectF& ABoundingBox) {
  return MeasureString(AString, ALength, AFont, TGPRectF{AOrigin.X, AOrigin.Y, 0, 0}, AStringFormat, ABoundingBox);
}

Status TGPGraphics::MeasureString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPRectF& ALayoutRect,
                                  TGPRectF& ABoundingBox) {
  return MeasureString(AString, ALength, AFont, ALayoutRect, nullptr, ABoundingBox);
}

Status TGPGraphics::MeasureString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin,
                                  TGPRectF& ABoundingBox) {
  return MeasureString(AString, ALength, AFont, TGPRectF{AOrigin.X, AOrigin.Y, 0, 0}, nullptr, ABoundingBox);
}

Status TGPGraphics::MeasureCharacterRanges(const Char* AString, Integer ALength, TGPFont* AFont,
                                           const TGPRectF& ALayoutRect, TGPStringFormat* AStringFormat,
                                           Integer ARegionCount, TGPRegion* const* ARegions) {
  if (ARegionCount <= 0) return InvalidParameter;
  std::vector<gdip::GpRegion*> natives(static_cast<std::size_t>(ARegionCount));
  for (Integer i = 0; i < ARegionCount; ++i) natives[i] = ARegions[i]->nativeRegion;
  return TP::Run(lastResult, Gdip().GdipMeasureCharacterRanges, nativeGraphics, AString, ALength, Handle(AFont),
                 &ALayoutRect, Handle(AStringFormat), ARegionCount, natives.data());
}

Status TGPGraphics::DrawDriverString(const UINT16* AText, Integer ALength, TGPFont* AFont, TGPBrush* ABrush,
                                     const TGPPointF* APositions, Integer AFlags, TGPMatrix* AMatrix) {
  return TP::Run(lastResult, Gdip().GdipDrawDriverString, nativeGraphics, AText, ALength, Handle(AFont),
                 Handle(ABrush), APositions, AFlags, Handle(AMatrix));
}

Status TGPGraphics::MeasureDriverString(const UINT16* AText, Integer ALength, TGPFont* AFont,
                                        const TGPPointF* APositions, Integer AFlags, TGPMatrix* AMatrix,
                                        TGPRectF& ABoundingBox) {
  return TP::Run(lastResult, Gdip().GdipMeasureDriverString, nativeGraphics, AText, ALength, Handle(AFont),
                 APositions, AFlags, Handle(AMatrix), &ABoundingBox);
}

// ---- Images ----

Status TGPGraphics::DrawCachedBitmap(TGPCachedBitmap* ACb, Integer x, Integer y) {
  return TP::Run(lastResult, Gdip().GdipDrawCachedBitmap, nativeGraphics, ACb->nativeCachedBitmap, x, y);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, const TGPPointF& APoint) { return DrawImage(AImage, APoint.X, APoint.Y); }

Status TGPGraphics::DrawImage(TGPImage* AImage, Single x, Single y) {
  return TP::Run(lastResult, Gdip().GdipDrawImage, nativeGraphics, Handle(AImage), x, y);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, const TGPRectF& ARect) {
  return DrawImage(AImage, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, Single x, Single y, Single AWidth, Single AHeight) {
  return TP::Run(lastResult, Gdip().GdipDrawImageRect, nativeGraphics, Handle(AImage), x, y, AWidth, AHeight);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, const TGPPoint& APoint) { return DrawImage(AImage, APoint.X, APoint.Y); }

Status TGPGraphics::DrawImage(TGPImage* AImage, Integer x, Integer y) {
  return TP::Run(lastResult, Gdip().GdipDrawImageI, nativeGraphics, Handle(AImage), x, y);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, const TGPRect& ARect) {
  return DrawImage(AImage, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, Integer x, Integer y, Integer AWidth, Integer AHeight) {
  return TP::Run(lastResult, Gdip().GdipDrawImageRectI, nativeGraphics, Handle(AImage), x, y, AWidth, AHeight);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, const TGPPointF* ADestPoints, Integer ACount) {
  if ((ACount != 3 && ACount != 4) || !ADestPoints) return TP::SetStatus(lastResult, InvalidParameter);
  return TP::Run(lastResult, Gdip().GdipDrawImagePoints, nativeGraphics, Handle(AImage), ADestPoints, ACount);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, const TGPPoint* ADestPoints, Integer ACount) {
  if ((ACount != 3 && ACount != 4) || !ADestPoints) return TP::SetStatus(lastResult, InvalidParameter);
  return TP::Run(lastResult, Gdip().GdipDrawImagePointsI, nativeGraphics, Handle(AImage), ADestPoints, ACount);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, Single x, Single y, Single ASrcX, Single ASrcY, Single ASrcWidth,
                              Single ASrcHeight, Unit_ ASrcUnit) {
  return TP::Run(lastResult, Gdip().GdipDrawImagePointRect, nativeGraphics, Handle(AImage), x, y, ASrcX, ASrcY,
                 ASrcWidth, ASrcHeight, ASrcUnit);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, Integer x, Integer y, Integer ASrcX, Integer ASrcY, Integer ASrcWidth,
                              Integer ASrcHeight, Unit_ ASrcUnit) {
  return TP::Run(lastResult, Gdip().GdipDrawImagePointRectI, nativeGraphics, Handle(AImage), x, y, ASrcX, ASrcY,
                 ASrcWidth, ASrcHeight, ASrcUnit);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, const TGPRectF& ADestRect, Single ASrcX, Single ASrcY,
                              Single ASrcWidth, Single ASrcHeight, Unit_ ASrcUnit,
                              TGPImageAttributes* AImageAttributes, ImageAbort ACallback, void* ACallbackData) {
  return TP::Run(lastResult, Gdip().GdipDrawImageRectRect, nativeGraphics, Handle(AImage), ADestRect.X, ADestRect.Y,
                 ADestRect.Width, ADestRect.Height, ASrcX, ASrcY, ASrcWidth, ASrcHeight, ASrcUnit,
                 Handle(AImageAttributes), ACallback, ACallbackData);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, const TGPRect& ADestRect, Integer ASrcX, Integer ASrcY,
                              Integer ASrcWidth, Integer ASrcHeight, Unit_ ASrcUnit,
                              TGPImageAttributes* AImageAttributes, ImageAbort ACallback, void* ACallbackData) {
  return TP::Run(lastResult, Gdip().GdipDrawImageRectRectI, nativeGraphics, Handle(AImage), ADestRect.X, ADestRect.Y,
                 ADestRect.Width, ADestRect.Height, ASrcX, ASrcY, ASrcWidth, ASrcHeight, ASrcUnit,
                 Handle(AImageAttributes), ACallback, ACallbackData);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, const TGPPointF* ADestPoints, Integer ACount, Single ASrcX,
                              Single ASrcY, Single ASrcWidth, Single ASrcHeight, Unit_ ASrcUnit,
                              TGPImageAttributes* AImageAttributes, ImageAbort ACallback, void* ACallbackData) {
  return TP::Run(lastResult, Gdip().GdipDrawImagePointsRect, nativeGraphics, Handle(AImage), ADestPoints, ACount,
                 ASrcX, ASrcY, ASrcWidth, ASrcHeight, ASrcUnit, Handle(AImageAttributes), ACallback, ACallbackData);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, const TGPPoint* ADestPoints, Integer ACount, Integer ASrcX,
                              Integer ASrcY, Integer ASrcWidth, Integer ASrcHeight, Unit_ ASrcUnit,
                              TGPImageAttributes* AImageAttributes, ImageAbort ACallback, void* ACallbackData) {
  return TP::Run(lastResult, Gdip().GdipDrawImagePointsRectI, nativeGraphics, Handle(AImage), ADestPoints, ACount,
                 ASrcX, ASrcY, ASrcWidth, ASrcHeight, ASrcUnit, Handle(AImageAttributes), ACallback, ACallbackData);
}

// ---- Clipping ----

Status TGPGraphics::SetClip(TGPGraphics* AG, CombineMode ACombineMode) {
  return TP::Run(lastResult, Gdip().GdipSetClipGraphics, nativeGraphics, AG->nativeGraphics, ACombineMode);
}

Status TGPGraphics::SetClip(const TGPRectF& ARect, CombineMode ACombineMode) {
  return TP::Run(lastResult, Gdip().GdipSetClipRect, nativeGraphics, ARect.X, ARect.Y, ARect.Width, ARect.Height,
                 ACombineMode);
}

Status TGPGraphics::SetClip(const TGPRect& ARect, CombineMode ACombineMode) {
  return TP::Run(lastResult, Gdip().GdipSetClipRectI, nativeGraphics, ARect.X, ARect.Y, ARect.Width, ARect.Height,
                 ACombineMode);
}

Status TGPGraphics::SetClip(TGPGraphicsPath* APath, CombineMode ACombineMode) {
  return TP::Run(lastResult, Gdip().GdipSetClipPath, nativeGraphics, APath->nativePath, ACombineMode);
}

Status TGPGraphics::SetClip(TGPRegion* ARegion, CombineMode ACombineMode) {
  return TP::Run(lastResult, Gdip().GdipSetClipRegion, nativeGraphics, ARegion->nativeRegion, ACombineMode);
}

Status TGPGraphics::SetClip(HRGN AHRgn, CombineMode ACombineMode) {
  return TP::Run(lastResult, Gdip().GdipSetClipHrgn, nativeGraphics, AHRgn, ACombineMode);
}

Status TGPGraphics::IntersectClip(const TGPRectF& ARect) { return SetClip(ARect, CombineModeIntersect); }
Status TGPGraphics::IntersectClip(const TGPRect& ARect) { return SetClip(ARect, CombineModeIntersect); }
Status TGPGraphics::IntersectClip(TGPRegion* ARegion) { return SetClip(ARegion, CombineModeIntersect); }
Status TGPGraphics::ExcludeClip(const TGPRectF& ARect) { return SetClip(ARect, CombineModeExclude); }
Status TGPGraphics::ExcludeClip(const TGPRect& ARect) { return SetClip(ARect, CombineModeExclude); }
Status TGPGraphics::ExcludeClip(TGPRegion* ARegion) { return SetClip(ARegion, CombineModeExclude); }

Status TGPGraphics::ResetClip() { return TP::Run(lastResult, Gdip().GdipResetClip, nativeGraphics); }

Status TGPGraphics::TranslateClip(Single ADx, Single ADy) {
  return TP::Run(lastResult, Gdip().GdipTranslateClip, nativeGraphics, ADx, ADy);
}

Status TGPGraphics::TranslateClip(Integer ADx, Integer ADy) {
  return TP::Run(lastResult, Gdip().GdipTranslateClipI, nativeGraphics, ADx, ADy);
}

Status TGPGraphics::GetClip(TGPRegion* ARegion) {
  return TP::Run(lastResult, Gdip().GdipGetClip, nativeGraphics, ARegion->nativeRegion);
}

Status TGPGraphics::GetClipBounds(TGPRectF& ARect) {
  return TP::Run(lastResult, Gdip().GdipGetClipBounds, nativeGraphics, &ARect);
}

Status TGPGraphics::GetClipBounds(TGPRect& ARect) {
  return TP::Run(lastResult, Gdip().GdipGetClipBoundsI, nativeGraphics, &ARect);
}

bool TGPGraphics::IsClipEmpty() { return GetBool(lastResult, Gdip().GdipIsClipEmpty, nativeGraphics); }

Status TGPGraphics::GetVisibleClipBounds(TGPRectF& ARect) {
  return TP::Run(lastResult, Gdip().GdipGetVisibleClipBounds, nativeGraphics, &ARect);
}

Status TGPGraphics::GetVisibleClipBounds(TGPRect& ARect) {
  return TP::Run(lastResult, Gdip().GdipGetVisibleClipBoundsI, nativeGraphics, &ARect);
}

bool TGPGraphics::IsVisibleClipEmpty() { return GetBool(lastResult, Gdip().GdipIsVisibleClipEmpty, nativeGraphics); }

bool TGPGraphics::IsVisible(Integer x, Integer y) { return IsVisible(TGPPoint{x, y}); }

bool TGPGraphics::IsVisible(const TGPPoint& APoint) {
  return GetBool(lastResult, Gdip().GdipIsVisiblePointI, nativeGraphics, APoint.X, APoint.Y);
}

bool TGPGraphics::IsVisible(Integer x, Integer y, Integer AWidth, Integer AHeight) {
  return TP::Get<gdip::BOOL>(lastResult, 1, Gdip().GdipIsVisibleRectI, nativeGraphics, x, y, AWidth, AHeight) != 0;
}

bool TGPGraphics::IsVisible(const TGPRect& ARect) { return IsVisible(ARect.X, ARect.Y, ARect.Width, ARect.Height); }

bool TGPGraphics::IsVisible(Single x, Single y) {
  return GetBool(lastResult, Gdip().GdipIsVisiblePoint, nativeGraphics, x, y);
}

bool TGPGraphics::IsVisible(const TGPPointF& APoint) { return IsVisible(APoint.X, APoint.Y); }

bool TGPGraphics::IsVisible(Single x, Single y, Single AWidth, Single AHeight) {
  return TP::Get<gdip::BOOL>(lastResult, 1, Gdip().GdipIsVisibleRect, nativeGraphics, x, y, AWidth, AHeight) != 0;
}

bool TGPGraphics::IsVisible(const TGPRectF& ARect) { return IsVisible(ARect.X, ARect.Y, ARect.Width, ARect.Height); }

// ---- Saved states and containers ----

gdip::GraphicsState TGPGraphics::Save() {
  return TP::Get<gdip::GraphicsState>(lastResult, 0, Gdip().GdipSaveGraphics, nativeGraphics);
}

Status TGPGraphics::Restore(gdip::GraphicsState AGState) {
  return TP::Run(lastResult, Gdip().GdipRestoreGraphics, nativeGraphics, AGState);
}

gdip::GraphicsContainer TGPGraphics::BeginContainer(const TGPRectF& ADstRect, const TGPRectF& ASrcRect, Unit_ AUnit) {
  return TP::Get<gdip::GraphicsContainer>(lastResult, 0, Gdip().GdipBeginContainer, nativeGraphics, &ADstRect,
                                          &ASrcRect, AUnit);
}

gdip::GraphicsContainer TGPGraphics::BeginContainer(const TGPRect& ADstRect, const TGPRect& ASrcRect, Unit_ AUnit) {
  return TP::Get<gdip::GraphicsContainer>(lastResult, 0, Gdip().GdipBeginContainerI, nativeGraphics, &ADstRect,
                                          &ASrcRect, AUnit);
}

gdip::GraphicsContainer TGPGraphics::BeginContainer() {
  return TP::Get<gdip::GraphicsContainer>(lastResult, 0, Gdip().GdipBeginContainer2, nativeGraphics);
}

Status TGPGraphics::EndContainer(gdip::GraphicsContainer AState) {
  return TP::Run(lastResult, Gdip().GdipEndContainer, nativeGraphics, AState);
}

Status TGPGraphics::AddMetafileComment(const Byte* AData, UINT ASizeData) {
  return TP::Run(lastResult, Gdip().GdipComment, nativeGraphics, ASizeData, AData);
}

}  // namespace NeoGDIPlusClasses
