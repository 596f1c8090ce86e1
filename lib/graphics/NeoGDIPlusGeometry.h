#pragma once
// NeoGDIPlusClasses geometry: paths (figures of lines, curves, shapes and text), regions (areas
// combined from rectangles, paths and regions) and matrices (2-D affine transforms), each a
// wrapper of one GDI+ object called through the bound table under the wrapper protocol.
#include "lib/graphics/NeoGDIPlusApi.h"

namespace NeoGDIPlusClasses {

using namespace NeoGDIPlusApi;

class TGPGraphics;
class TGPPen;
class TGPFontFamily;
class TGPStringFormat;

// A matrix's six elements: m11, m12, m21, m22, dx, dy.
using TMatrixArray = Single[6];

class TGPMatrix : public TGdiplusBase {
  ZELK_CLASS(TGPMatrix, TGdiplusBase)
public:
  TGPMatrix();
  TGPMatrix(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy);
  TGPMatrix(const TGPRectF& ARect, const TGPPointF* ADstPlg);
  TGPMatrix(const TGPRect& ARect, const TGPPoint* ADstPlg);
  explicit TGPMatrix(gdip::GpMatrix* ANativeMatrix);
  ~TGPMatrix() override;
  TGPMatrix(const TGPMatrix&) = delete;
  TGPMatrix& operator=(const TGPMatrix&) = delete;

  // Nil when the status field then holds a failure (an earlier unread one included); the copy
  // GDI+ made is deleted then.
  TGPMatrix* Clone();
  Status GetElements(TMatrixArray& AM);
  Status SetElements(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy);
  Single OffsetX();
  Single OffsetY();
  Status Reset();
  Status Multiply(TGPMatrix* AMatrix, MatrixOrder AOrder = MatrixOrderPrepend);
  Status Translate(Single AOffsetX, Single AOffsetY, MatrixOrder AOrder = MatrixOrderPrepend);
  Status Scale(Single AScaleX, Single AScaleY, MatrixOrder AOrder = MatrixOrderPrepend);
  Status Rotate(Single AAngle, MatrixOrder AOrder = MatrixOrderPrepend);
  Status RotateAt(Single AAngle, const TGPPointF& ACenter, MatrixOrder AOrder = MatrixOrderPrepend);
  Status Shear(Single AShearX, Single AShearY, MatrixOrder AOrder = MatrixOrderPrepend);
  Status Invert();
  Status TransformPoints(PGPPointF APts, Integer ACount = 1);
  Status TransformPoints(PGPPoint APts, Integer ACount = 1);
  Status TransformVectors(PGPPointF APts, Integer ACount = 1);
  Status TransformVectors(PGPPoint APts, Integer ACount = 1);
  bool IsInvertible();
  bool IsIdentity();
  bool IsEqual(TGPMatrix* AMatrix);
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpMatrix* nativeMatrix = nullptr;
  Status lastResult = Ok;
};

class TGPGraphicsPath : public TGdiplusBase {
  ZELK_CLASS(TGPGraphicsPath, TGdiplusBase)
public:
  explicit TGPGraphicsPath(FillMode AFillMode = FillModeAlternate);
  TGPGraphicsPath(const TGPPointF* APoints, const Byte* ATypes, Integer ACount, FillMode AFillMode = FillModeAlternate);
  TGPGraphicsPath(const TGPPoint* APoints, const Byte* ATypes, Integer ACount, FillMode AFillMode = FillModeAlternate);
  // A copy of APath (a live wrapper); the copy's status is recorded by the protocol.
  explicit TGPGraphicsPath(TGPGraphicsPath* APath);
  ~TGPGraphicsPath() override;
  TGPGraphicsPath(const TGPGraphicsPath&) = delete;
  TGPGraphicsPath& operator=(const TGPGraphicsPath&) = delete;

  TGPGraphicsPath* Clone();
  Status Reset();
  FillMode GetFillMode();
  Status SetFillMode(FillMode AFillMode);
  // Fills APathData, reusing its buffers when they hold at least the path's points.
  Status GetPathData(TPathData* APathData);
  Status StartFigure();
  Status CloseFigure();
  Status CloseAllFigures();
  Status SetMarker();
  Status ClearMarkers();
  Status Reverse();
  Status GetLastPoint(TGPPointF& ALastPoint);

  Status AddLine(const TGPPointF& APt1, const TGPPointF& APt2);
  Status AddLine(Single x1, Single y1, Single x2, Single y2);
  Status AddLines(const TGPPointF* APoints, Integer ACount);
  Status AddLine(const TGPPoint& APt1, const TGPPoint& APt2);
  Status AddLine(Integer x1, Integer y1, Integer x2, Integer y2);
  Status AddLines(const TGPPoint* APoints, Integer ACount);
  Status AddArc(const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle);
  Status AddArc(Single x, Single y, Single AWidth, Single AHeight, Single AStartAngle, Single ASweepAngle);
  Status AddArc(const TGPRect& ARect, Single AStartAngle, Single ASweepAngle);
  Status AddArc(Integer x, Integer y, Integer AWidth, Integer AHeight, Single AStartAngle, Single ASweepAngle);
  Status AddBezier(const TGPPointF& APt1, const TGPPointF& APt2, const TGPPointF& APt3, const TGPPointF& APt4);
  Status AddBezier(Single x1, Single y1, Single x2, Single y2, Single x3, Single y3, Single x4, Single y4);
  Status AddBeziers(const TGPPointF* APoints, Integer ACount);
  Status AddBezier(const TGPPoint& APt1, const TGPPoint& APt2, const TGPPoint& APt3, const TGPPoint& APt4);
  Status AddBezier(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4, Integer y4);
  Status AddBeziers(const TGPPoint* APoints, Integer ACount);
  Status AddCurve(const TGPPointF* APoints, Integer ACount);
  Status AddCurve(const TGPPointF* APoints, Integer ACount, Single ATension);
  Status AddCurve(const TGPPointF* APoints, Integer ACount, Integer AOffset, Integer ANumberOfSegments, Single ATension);
  Status AddCurve(const TGPPoint* APoints, Integer ACount);
  Status AddCurve(const TGPPoint* APoints, Integer ACount, Single ATension);
  Status AddCurve(const TGPPoint* APoints, Integer ACount, Integer AOffset, Integer ANumberOfSegments, Single ATension);
  Status AddClosedCurve(const TGPPointF* APoints, Integer ACount);
  Status AddClosedCurve(const TGPPointF* APoints, Integer ACount, Single ATension);
  Status AddClosedCurve(const TGPPoint* APoints, Integer ACount);
  Status AddClosedCurve(const TGPPoint* APoints, Integer ACount, Single ATension);
  Status AddRectangle(const TGPRectF& ARect);
  Status AddRectangles(const TGPRectF* ARects, Integer ACount);
  Status AddRectangle(const TGPRect& ARect);
  Status AddRectangles(const TGPRect* ARects, Integer ACount);
  Status AddEllipse(const TGPRectF& ARect);
  Status AddEllipse(Single x, Single y, Single AWidth, Single AHeight);
  Status AddEllipse(const TGPRect& ARect);
  Status AddEllipse(Integer x, Integer y, Integer AWidth, Integer AHeight);
  Status AddPie(const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle);
  Status AddPie(Single x, Single y, Single AWidth, Single AHeight, Single AStartAngle, Single ASweepAngle);
  Status AddPie(const TGPRect& ARect, Single AStartAngle, Single ASweepAngle);
  Status AddPie(Integer x, Integer y, Integer AWidth, Integer AHeight, Single AStartAngle, Single ASweepAngle);
  Status AddPolygon(const TGPPointF* APoints, Integer ACount);
  Status AddPolygon(const TGPPoint* APoints, Integer ACount);
  Status AddPath(TGPGraphicsPath* AAddingPath, bool AConnect);
  Status AddString(const Char* AString, Integer ALength, TGPFontFamily* AFamily, Integer AStyle, Single AEmSize,
                   const TGPPointF& AOrigin, TGPStringFormat* AFormat);
  Status AddString(const Char* AString, Integer ALength, TGPFontFamily* AFamily, Integer AStyle, Single AEmSize,
                   const TGPRectF& ALayoutRect, TGPStringFormat* AFormat);
  Status AddString(const Char* AString, Integer ALength, TGPFontFamily* AFamily, Integer AStyle, Single AEmSize,
                   const TGPPoint& AOrigin, TGPStringFormat* AFormat);
  Status AddString(const Char* AString, Integer ALength, TGPFontFamily* AFamily, Integer AStyle, Single AEmSize,
                   const TGPRect& ALayoutRect, TGPStringFormat* AFormat);

  // A nil matrix changes nothing and answers Ok.
  Status Transform(TGPMatrix* AMatrix);
  Status GetBounds(TGPRectF& ABounds, TGPMatrix* AMatrix = nullptr, TGPPen* APen = nullptr);
  Status GetBounds(TGPRect& ABounds, TGPMatrix* AMatrix = nullptr, TGPPen* APen = nullptr);
  Status Flatten(TGPMatrix* AMatrix = nullptr, Single AFlatness = FlatnessDefault);
  Status Widen(TGPPen* APen, TGPMatrix* AMatrix = nullptr, Single AFlatness = FlatnessDefault);
  Status Outline(TGPMatrix* AMatrix = nullptr, Single AFlatness = FlatnessDefault);
  Status Warp(const TGPPointF* ADestPoints, Integer ACount, const TGPRectF& ASrcRect, TGPMatrix* AMatrix = nullptr,
              WarpMode AWarpMode = WarpModePerspective, Single AFlatness = FlatnessDefault);
  Integer GetPointCount();
  Status GetPathTypes(Byte* ATypes, Integer ACount);
  Status GetPathPoints(PGPPointF APoints, Integer ACount);
  Status GetPathPoints(PGPPoint APoints, Integer ACount);
  bool IsVisible(const TGPPointF& APoint, TGPGraphics* AG = nullptr);
  bool IsVisible(Single x, Single y, TGPGraphics* AG = nullptr);
  bool IsVisible(const TGPPoint& APoint, TGPGraphics* AG = nullptr);
  bool IsVisible(Integer x, Integer y, TGPGraphics* AG = nullptr);
  bool IsOutlineVisible(const TGPPointF& APoint, TGPPen* APen, TGPGraphics* AG = nullptr);
  bool IsOutlineVisible(Single x, Single y, TGPPen* APen, TGPGraphics* AG = nullptr);
  bool IsOutlineVisible(const TGPPoint& APoint, TGPPen* APen, TGPGraphics* AG = nullptr);
  bool IsOutlineVisible(Integer x, Integer y, TGPPen* APen, TGPGraphics* AG = nullptr);
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  static constexpr Single FlatnessDefault = 0.25f;

  gdip::GpPath* nativePath = nullptr;
  Status lastResult = Ok;

protected:
  TGPGraphicsPath(gdip::GpPath* ANativePath, Status AStatus) : nativePath(ANativePath), lastResult(AStatus) {}
};

class TGPRegion : public TGdiplusBase {
  ZELK_CLASS(TGPRegion, TGdiplusBase)
public:
  TGPRegion();
  explicit TGPRegion(TGPRectF ARect);
  explicit TGPRegion(const TGPRect& ARect);
  explicit TGPRegion(TGPGraphicsPath* APath);
  TGPRegion(const Byte* ARegionData, Integer ASize);
  // The two integers only tell this overload from the others.
  TGPRegion(HRGN AHRgn, Integer ADummy1, Integer ADummy2);
  explicit TGPRegion(gdip::GpRegion* ANativeRegion);
  ~TGPRegion() override;
  TGPRegion(const TGPRegion&) = delete;
  TGPRegion& operator=(const TGPRegion&) = delete;

  // Nil when GDI+ cannot make the region.
  static TGPRegion* FromHRGN(HRGN AHRgn);
  TGPRegion* Clone();
  Status MakeInfinite();
  Status MakeEmpty();
  UINT GetDataSize();
  Status GetData(Byte* ABuffer, UINT ABufferSize, UINT* ASizeFilled = nullptr);
  Status Intersect(const TGPRect& ARect);
  Status Intersect(const TGPRectF& ARect);
  Status Intersect(TGPGraphicsPath* APath);
  Status Intersect(TGPRegion* ARegion);
  Status Union(const TGPRect& ARect);
  Status Union(const TGPRectF& ARect);
  Status Union(TGPGraphicsPath* APath);
  Status Union(TGPRegion* ARegion);
  Status Xor_(const TGPRect& ARect);
  Status Xor_(const TGPRectF& ARect);
  Status Xor_(TGPGraphicsPath* APath);
  Status Xor_(TGPRegion* ARegion);
  Status Exclude(const TGPRect& ARect);
  Status Exclude(const TGPRectF& ARect);
  Status Exclude(TGPGraphicsPath* APath);
  Status Exclude(TGPRegion* ARegion);
  Status Complement(const TGPRect& ARect);
  Status Complement(const TGPRectF& ARect);
  Status Complement(TGPGraphicsPath* APath);
  Status Complement(TGPRegion* ARegion);
  Status Translate(Single ADx, Single ADy);
  Status Translate(Integer ADx, Integer ADy);
  Status Transform(TGPMatrix* AMatrix);
  Status GetBounds(TGPRect& ARect, TGPGraphics* AG);
  Status GetBounds(TGPRectF& ARect, TGPGraphics* AG);
  // Nil when the call fails.
  HRGN GetHRGN(TGPGraphics* AG);
  bool IsEmpty(TGPGraphics* AG);
  bool IsInfinite(TGPGraphics* AG);
  bool IsEqual(TGPRegion* ARegion, TGPGraphics* AG);
  bool IsVisible(Integer x, Integer y, TGPGraphics* AG = nullptr);
  bool IsVisible(const TGPPoint& APoint, TGPGraphics* AG = nullptr);
  bool IsVisible(Single x, Single y, TGPGraphics* AG = nullptr);
  bool IsVisible(const TGPPointF& APoint, TGPGraphics* AG = nullptr);
  bool IsVisible(Integer x, Integer y, Integer AWidth, Integer AHeight, TGPGraphics* AG);
  bool IsVisible(const TGPRect& ARect, TGPGraphics* AG = nullptr);
  bool IsVisible(Single x, Single y, Single AWidth, Single AHeight, TGPGraphics* AG);
  bool IsVisible(const TGPRectF& ARect, TGPGraphics* AG = nullptr);
  UINT GetRegionScansCount(TGPMatrix* AMatrix);
  Status GetRegionScans(TGPMatrix* AMatrix, PGPRectF ARects, Integer& ACount);
  Status GetRegionScans(TGPMatrix* AMatrix, PGPRect ARects, Integer& ACount);
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpRegion* nativeRegion = nullptr;
  Status lastResult = Ok;

protected:
  TGPRegion(gdip::GpRegion* ANativeRegion, Status AStatus) : nativeRegion(ANativeRegion), lastResult(AStatus) {}

private:
  Status Combine(const TGPRect& ARect, CombineMode AMode);
  Status Combine(const TGPRectF& ARect, CombineMode AMode);
  Status Combine(TGPGraphicsPath* APath, CombineMode AMode);
  Status Combine(TGPRegion* ARegion, CombineMode AMode);
};

}  // namespace NeoGDIPlusClasses
