// Paths, regions and matrices over the bound GDI+ table.
#include "lib/graphics/NeoGDIPlusGeometry.h"

#include <cstdlib>

#include "lib/graphics/NeoGDIPlusClassesInternal.h"

namespace NeoGDIPlusClasses {

// ---- TGPMatrix ----

TGPMatrix::TGPMatrix() { TP::Create(nativeMatrix, lastResult, Gdip().GdipCreateMatrix); }

TGPMatrix::TGPMatrix(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy) {
  TP::Create(nativeMatrix, lastResult, Gdip().GdipCreateMatrix2, m11, m12, m21, m22, dx, dy);
}

TGPMatrix::TGPMatrix(const TGPRectF& ARect, const TGPPointF* ADstPlg) {
  TP::Create(nativeMatrix, lastResult, Gdip().GdipCreateMatrix3, &ARect, ADstPlg);
}

TGPMatrix::TGPMatrix(const TGPRect& ARect, const TGPPoint* ADstPlg) {
  TP::Create(nativeMatrix, lastResult, Gdip().GdipCreateMatrix3I, &ARect, ADstPlg);
}

TGPMatrix::TGPMatrix(gdip::GpMatrix* ANativeMatrix) : nativeMatrix(ANativeMatrix), lastResult(Ok) {}

TGPMatrix::~TGPMatrix() { TP::Call(Gdip().GdipDeleteMatrix, nativeMatrix); }

TGPMatrix* TGPMatrix::Clone() {
  gdip::GpMatrix* copy = nullptr;
  TP::Run(lastResult, Gdip().GdipCloneMatrix, nativeMatrix, &copy);
  if (lastResult != Ok) {
    TP::Call(Gdip().GdipDeleteMatrix, copy);
    return nullptr;
  }
  return new TGPMatrix(copy);
}

Status TGPMatrix::GetElements(TMatrixArray& AM) { return TP::Run(lastResult, Gdip().GdipGetMatrixElements, nativeMatrix, AM); }

Status TGPMatrix::SetElements(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy) {
  return TP::Run(lastResult, Gdip().GdipSetMatrixElements, nativeMatrix, m11, m12, m21, m22, dx, dy);
}

Single TGPMatrix::OffsetX() {
  TMatrixArray m{};
  return GetElements(m) == Ok ? m[4] : 0.0f;
}

Single TGPMatrix::OffsetY() {
  TMatrixArray m{};
  return GetElements(m) == Ok ? m[5] : 0.0f;
}

Status TGPMatrix::Reset() { return SetElements(1, 0, 0, 1, 0, 0); }

Status TGPMatrix::Multiply(TGPMatrix* AMatrix, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipMultiplyMatrix, nativeMatrix, AMatrix->nativeMatrix, AOrder);
}

Status TGPMatrix::Translate(Single AOffsetX, Single AOffsetY, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipTranslateMatrix, nativeMatrix, AOffsetX, AOffsetY, AOrder);
}

Status TGPMatrix::Scale(Single AScaleX, Single AScaleY, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipScaleMatrix, nativeMatrix, AScaleX, AScaleY, AOrder);
}

Status TGPMatrix::Rotate(Single AAngle, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipRotateMatrix, nativeMatrix, AAngle, AOrder);
}

Status TGPMatrix::RotateAt(Single AAngle, const TGPPointF& ACenter, MatrixOrder AOrder) {
  // Prepend: the last translation applies first, so the centre goes to the origin, turns and
  // comes back; append runs the same three steps in the other order.
  const Single sign = AOrder == MatrixOrderPrepend ? 1.0f : -1.0f;
  Translate(sign * ACenter.X, sign * ACenter.Y, AOrder);
  Rotate(AAngle, AOrder);
  return Translate(-sign * ACenter.X, -sign * ACenter.Y, AOrder);
}

Status TGPMatrix::Shear(Single AShearX, Single AShearY, MatrixOrder AOrder) {
  return TP::Run(lastResult, Gdip().GdipShearMatrix, nativeMatrix, AShearX, AShearY, AOrder);
}

Status TGPMatrix::Invert() { return TP::Run(lastResult, Gdip().GdipInvertMatrix, nativeMatrix); }

Status TGPMatrix::TransformPoints(PGPPointF APts, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipTransformMatrixPoints, nativeMatrix, APts, ACount);
}

Status TGPMatrix::TransformPoints(PGPPoint APts, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipTransformMatrixPointsI, nativeMatrix, APts, ACount);
}

Status TGPMatrix::TransformVectors(PGPPointF APts, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipVectorTransformMatrixPoints, nativeMatrix, APts, ACount);
}

Status TGPMatrix::TransformVectors(PGPPoint APts, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipVectorTransformMatrixPointsI, nativeMatrix, APts, ACount);
}

bool TGPMatrix::IsInvertible() { return GetBool(lastResult, Gdip().GdipIsMatrixInvertible, nativeMatrix); }

bool TGPMatrix::IsIdentity() { return GetBool(lastResult, Gdip().GdipIsMatrixIdentity, nativeMatrix); }

bool TGPMatrix::IsEqual(TGPMatrix* AMatrix) {
  return GetBool(lastResult, Gdip().GdipIsMatrixEqual, nativeMatrix, AMatrix->nativeMatrix);
}

// ---- TGPRegion ----

TGPRegion::TGPRegion() { TP::Create(nativeRegion, lastResult, Gdip().GdipCreateRegion); }

TGPRegion::TGPRegion(TGPRectF ARect) { TP::Create(nativeRegion, lastResult, Gdip().GdipCreateRegionRect, &ARect); }

TGPRegion::TGPRegion(const TGPRect& ARect) {
  TP::Create(nativeRegion, lastResult, Gdip().GdipCreateRegionRectI, &ARect);
}

TGPRegion::TGPRegion(TGPGraphicsPath* APath) {
  TP::Create(nativeRegion, lastResult, Gdip().GdipCreateRegionPath, APath->nativePath);
}

TGPRegion::TGPRegion(const Byte* ARegionData, Integer ASize) {
  TP::Create(nativeRegion, lastResult, Gdip().GdipCreateRegionRgnData, ARegionData, ASize);
}

TGPRegion::TGPRegion(HRGN AHRgn, Integer, Integer) {
  TP::Create(nativeRegion, lastResult, Gdip().GdipCreateRegionHrgn, AHRgn);
}

TGPRegion::TGPRegion(gdip::GpRegion* ANativeRegion) : nativeRegion(ANativeRegion), lastResult(Ok) {}

TGPRegion::~TGPRegion() { TP::Call(Gdip().GdipDeleteRegion, nativeRegion); }

TGPRegion* TGPRegion::FromHRGN(HRGN AHRgn) {
  gdip::GpRegion* region = nullptr;
  if (TP::Call(Gdip().GdipCreateRegionHrgn, AHRgn, &region) != Ok) return nullptr;
  return new TGPRegion(region);
}

TGPRegion* TGPRegion::Clone() {
  gdip::GpRegion* copy = nullptr;
  TP::Run(lastResult, Gdip().GdipCloneRegion, nativeRegion, &copy);
  return new TGPRegion(copy);
}

Status TGPRegion::MakeInfinite() { return TP::Run(lastResult, Gdip().GdipSetInfinite, nativeRegion); }

Status TGPRegion::MakeEmpty() { return TP::Run(lastResult, Gdip().GdipSetEmpty, nativeRegion); }

UINT TGPRegion::GetDataSize() { return TP::Get<UINT>(lastResult, 0, Gdip().GdipGetRegionDataSize, nativeRegion); }

Status TGPRegion::GetData(Byte* ABuffer, UINT ABufferSize, UINT* ASizeFilled) {
  return TP::Run(lastResult, Gdip().GdipGetRegionData, nativeRegion, ABuffer, ABufferSize, ASizeFilled);
}

Status TGPRegion::Combine(const TGPRect& ARect, CombineMode AMode) {
  return TP::Run(lastResult, Gdip().GdipCombineRegionRectI, nativeRegion, &ARect, AMode);
}

Status TGPRegion::Combine(const TGPRectF& ARect, CombineMode AMode) {
  return TP::Run(lastResult, Gdip().GdipCombineRegionRect, nativeRegion, &ARect, AMode);
}

Status TGPRegion::Combine(TGPGraphicsPath* APath, CombineMode AMode) {
  return TP::Run(lastResult, Gdip().GdipCombineRegionPath, nativeRegion, APath->nativePath, AMode);
}

Status TGPRegion::Combine(TGPRegion* ARegion, CombineMode AMode) {
  return TP::Run(lastResult, Gdip().GdipCombineRegionRegion, nativeRegion, ARegion->nativeRegion, AMode);
}

Status TGPRegion::Intersect(const TGPRect& ARect) { return Combine(ARect, CombineModeIntersect); }
Status TGPRegion::Intersect(const TGPRectF& ARect) { return Combine(ARect, CombineModeIntersect); }
Status TGPRegion::Intersect(TGPGraphicsPath* APath) { return Combine(APath, CombineModeIntersect); }
Status TGPRegion::Intersect(TGPRegion* ARegion) { return Combine(ARegion, CombineModeIntersect); }
Status TGPRegion::Union(const TGPRect& ARect) { return Combine(ARect, CombineModeUnion); }
Status TGPRegion::Union(const TGPRectF& ARect) { return Combine(ARect, CombineModeUnion); }
Status TGPRegion::Union(TGPGraphicsPath* APath) { return Combine(APath, CombineModeUnion); }
Status TGPRegion::Union(TGPRegion* ARegion) { return Combine(ARegion, CombineModeUnion); }
Status TGPRegion::Xor_(const TGPRect& ARect) { return Combine(ARect, CombineModeXor); }
Status TGPRegion::Xor_(const TGPRectF& ARect) { return Combine(ARect, CombineModeXor); }
Status TGPRegion::Xor_(TGPGraphicsPath* APath) { return Combine(APath, CombineModeXor); }
Status TGPRegion::Xor_(TGPRegion* ARegion) { return Combine(ARegion, CombineModeXor); }
Status TGPRegion::Exclude(const TGPRect& ARect) { return Combine(ARect, CombineModeExclude); }
Status TGPRegion::Exclude(const TGPRectF& ARect) { return Combine(ARect, CombineModeExclude); }
Status TGPRegion::Exclude(TGPGraphicsPath* APath) { return Combine(APath, CombineModeExclude); }
Status TGPRegion::Exclude(TGPRegion* ARegion) { return Combine(ARegion, CombineModeExclude); }
Status TGPRegion::Complement(const TGPRect& ARect) { return Combine(ARect, CombineModeComplement); }
Status TGPRegion::Complement(const TGPRectF& ARect) { return Combine(ARect, CombineModeComplement); }
Status TGPRegion::Complement(TGPGraphicsPath* APath) { return Combine(APath, CombineModeComplement); }
Status TGPRegion::Complement(TGPRegion* ARegion) { return Combine(ARegion, CombineModeComplement); }

Status TGPRegion::Translate(Single ADx, Single ADy) {
  return TP::Run(lastResult, Gdip().GdipTranslateRegion, nativeRegion, ADx, ADy);
}

Status TGPRegion::Translate(Integer ADx, Integer ADy) {
  return TP::Run(lastResult, Gdip().GdipTranslateRegionI, nativeRegion, ADx, ADy);
}

Status TGPRegion::Transform(TGPMatrix* AMatrix) {
  return TP::Run(lastResult, Gdip().GdipTransformRegion, nativeRegion, AMatrix->nativeMatrix);
}

Status TGPRegion::GetBounds(TGPRect& ARect, TGPGraphics* AG) {
  return TP::Run(lastResult, Gdip().GdipGetRegionBoundsI, nativeRegion, AG->nativeGraphics, &ARect);
}

Status TGPRegion::GetBounds(TGPRectF& ARect, TGPGraphics* AG) {
  return TP::Run(lastResult, Gdip().GdipGetRegionBounds, nativeRegion, AG->nativeGraphics, &ARect);
}

HRGN TGPRegion::GetHRGN(TGPGraphics* AG) {
  return TP::Get<HRGN>(lastResult, nullptr, Gdip().GdipGetRegionHRgn, nativeRegion, AG->nativeGraphics);
}

bool TGPRegion::IsEmpty(TGPGraphics* AG) {
  return GetBool(lastResult, Gdip().GdipIsEmptyRegion, nativeRegion, AG->nativeGraphics);
}

bool TGPRegion::IsInfinite(TGPGraphics* AG) {
  return GetBool(lastResult, Gdip().GdipIsInfiniteRegion, nativeRegion, AG->nativeGraphics);
}

bool TGPRegion::IsEqual(TGPRegion* ARegion, TGPGraphics* AG) {
  return GetBool(lastResult, Gdip().GdipIsEqualRegion, nativeRegion, ARegion->nativeRegion, AG->nativeGraphics);
}

bool TGPRegion::IsVisible(Integer x, Integer y, TGPGraphics* AG) {
  return GetBool(lastResult, Gdip().GdipIsVisibleRegionPointI, nativeRegion, x, y, Handle(AG));
}

bool TGPRegion::IsVisible(const TGPPoint& APoint, TGPGraphics* AG) { return IsVisible(APoint.X, APoint.Y, AG); }

bool TGPRegion::IsVisible(Single x, Single y, TGPGraphics* AG) {
  return GetBool(lastResult, Gdip().GdipIsVisibleRegionPoint, nativeRegion, x, y, Handle(AG));
}

bool TGPRegion::IsVisible(const TGPPointF& APoint, TGPGraphics* AG) { return IsVisible(APoint.X, APoint.Y, AG); }

bool TGPRegion::IsVisible(Integer x, Integer y, Integer AWidth, Integer AHeight, TGPGraphics* AG) {
  return GetBool(lastResult, Gdip().GdipIsVisibleRegionRectI, nativeRegion, x, y, AWidth, AHeight, Handle(AG));
}

bool TGPRegion::IsVisible(const TGPRect& ARect, TGPGraphics* AG) {
  return IsVisible(ARect.X, ARect.Y, ARect.Width, ARect.Height, AG);
}

bool TGPRegion::IsVisible(Single x, Single y, Single AWidth, Single AHeight, TGPGraphics* AG) {
  return GetBool(lastResult, Gdip().GdipIsVisibleRegionRect, nativeRegion, x, y, AWidth, AHeight, Handle(AG));
}

bool TGPRegion::IsVisible(const TGPRectF& ARect, TGPGraphics* AG) {
  return IsVisible(ARect.X, ARect.Y, ARect.Width, ARect.Height, AG);
}

UINT TGPRegion::GetRegionScansCount(TGPMatrix* AMatrix) {
  UINT count = 0;
  TP::Run(lastResult, Gdip().GdipGetRegionScansCount, nativeRegion, &count, AMatrix->nativeMatrix);
  return count;
}

Status TGPRegion::GetRegionScans(TGPMatrix* AMatrix, PGPRectF ARects, Integer& ACount) {
  return TP::Run(lastResult, Gdip().GdipGetRegionScans, nativeRegion, ARects, &ACount, AMatrix->nativeMatrix);
}

Status TGPRegion::GetRegionScans(TGPMatrix* AMatrix, PGPRect ARects, Integer& ACount) {
  return TP::Run(lastResult, Gdip().GdipGetRegionScansI, nativeRegion, ARects, &ACount, AMatrix->nativeMatrix);
}

// ---- TGPGraphicsPath ----

TGPGraphicsPath::TGPGraphicsPath(FillMode AFillMode) {
  TP::Create(nativePath, lastResult, Gdip().GdipCreatePath, AFillMode);
}

TGPGraphicsPath::TGPGraphicsPath(const TGPPointF* APoints, const Byte* ATypes, Integer ACount, FillMode AFillMode) {
  TP::Create(nativePath, lastResult, Gdip().GdipCreatePath2, APoints, ATypes, ACount, AFillMode);
}

TGPGraphicsPath::TGPGraphicsPath(const TGPPoint* APoints, const Byte* ATypes, Integer ACount, FillMode AFillMode) {
  TP::Create(nativePath, lastResult, Gdip().GdipCreatePath2I, APoints, ATypes, ACount, AFillMode);
}

TGPGraphicsPath::TGPGraphicsPath(TGPGraphicsPath* APath) {
  gdip::GpPath* copy = nullptr;
  TP::Run(lastResult, Gdip().GdipClonePath, APath->nativePath, &copy);
  nativePath = copy;
}

TGPGraphicsPath::~TGPGraphicsPath() { TP::Call(Gdip().GdipDeletePath, nativePath); }

TGPGraphicsPath* TGPGraphicsPath::Clone() {
  gdip::GpPath* copy = nullptr;
  TP::Run(lastResult, Gdip().GdipClonePath, nativePath, &copy);
  return new TGPGraphicsPath(copy, Ok);
}

Status TGPGraphicsPath::Reset() { return TP::Run(lastResult, Gdip().GdipResetPath, nativePath); }

FillMode TGPGraphicsPath::GetFillMode() {
  return TP::Get(lastResult, FillModeAlternate, Gdip().GdipGetPathFillMode, nativePath);
}

Status TGPGraphicsPath::SetFillMode(FillMode AFillMode) {
  return TP::Run(lastResult, Gdip().GdipSetPathFillMode, nativePath, AFillMode);
}

Status TGPGraphicsPath::GetPathData(TPathData* APathData) {
  const Integer count = GetPointCount();
  auto release = [APathData] {
    APathData->Count = 0;
    std::free(APathData->Points);
    APathData->Points = nullptr;
    std::free(APathData->Types);
    APathData->Types = nullptr;
  };
  if (count <= 0 || (APathData->Count > 0 && APathData->Count < count)) {
    release();
    if (count <= 0) return lastResult;
  }
  if (APathData->Count == 0) {
    APathData->Points = static_cast<PGPPointF>(std::malloc(sizeof(TGPPointF) * count));
    APathData->Types = static_cast<Byte*>(std::malloc(count));
    if (!APathData->Points || !APathData->Types) {
      release();
      return TP::SetStatus(lastResult, OutOfMemory);
    }
    APathData->Count = count;
  }
  return TP::Run(lastResult, Gdip().GdipGetPathData, nativePath, APathData->Record());
}

Status TGPGraphicsPath::StartFigure() { return TP::Run(lastResult, Gdip().GdipStartPathFigure, nativePath); }
Status TGPGraphicsPath::CloseFigure() { return TP::Run(lastResult, Gdip().GdipClosePathFigure, nativePath); }
Status TGPGraphicsPath::CloseAllFigures() { return TP::Run(lastResult, Gdip().GdipClosePathFigures, nativePath); }
Status TGPGraphicsPath::SetMarker() { return TP::Run(lastResult, Gdip().GdipSetPathMarker, nativePath); }
Status TGPGraphicsPath::ClearMarkers() { return TP::Run(lastResult, Gdip().GdipClearPathMarkers, nativePath); }
Status TGPGraphicsPath::Reverse() { return TP::Run(lastResult, Gdip().GdipReversePath, nativePath); }

Status TGPGraphicsPath::GetLastPoint(TGPPointF& ALastPoint) {
  return TP::Run(lastResult, Gdip().GdipGetPathLastPoint, nativePath, &ALastPoint);
}

Status TGPGraphicsPath::AddLine(const TGPPointF& APt1, const TGPPointF& APt2) {
  return AddLine(APt1.X, APt1.Y, APt2.X, APt2.Y);
}

Status TGPGraphicsPath::AddLine(Single x1, Single y1, Single x2, Single y2) {
  return TP::Run(lastResult, Gdip().GdipAddPathLine, nativePath, x1, y1, x2, y2);
}

Status TGPGraphicsPath::AddLines(const TGPPointF* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipAddPathLine2, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddLine(const TGPPoint& APt1, const TGPPoint& APt2) {
  return AddLine(APt1.X, APt1.Y, APt2.X, APt2.Y);
}

Status TGPGraphicsPath::AddLine(Integer x1, Integer y1, Integer x2, Integer y2) {
  return TP::Run(lastResult, Gdip().GdipAddPathLineI, nativePath, x1, y1, x2, y2);
}

Status TGPGraphicsPath::AddLines(const TGPPoint* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipAddPathLine2I, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddArc(const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle) {
  return AddArc(ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphicsPath::AddArc(Single x, Single y, Single AWidth, Single AHeight, Single AStartAngle,
                               Single ASweepAngle) {
  return TP::Run(lastResult, Gdip().GdipAddPathArc, nativePath, x, y, AWidth, AHeight, AStartAngle, ASweepAngle);
}

Status TGPGraphicsPath::AddArc(const TGPRect& ARect, Single AStartAngle, Single ASweepAngle) {
  return AddArc(ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphicsPath::AddArc(Integer x, Integer y, Integer AWidth, Integer AHeight, Single AStartAngle,
                               Single ASweepAngle) {
  return TP::Run(lastResult, Gdip().GdipAddPathArcI, nativePath, x, y, AWidth, AHeight, AStartAngle, ASweepAngle);
}

Status TGPGraphicsPath::AddBezier(const TGPPointF& APt1, const TGPPointF& APt2, const TGPPointF& APt3,
                                  const TGPPointF& APt4) {
  return AddBezier(APt1.X, APt1.Y, APt2.X, APt2.Y, APt3.X, APt3.Y, APt4.X, APt4.Y);
}

Status TGPGraphicsPath::AddBezier(Single x1, Single y1, Single x2, Single y2, Single x3, Single y3, Single x4,
                                  Single y4) {
  return TP::Run(lastResult, Gdip().GdipAddPathBezier, nativePath, x1, y1, x2, y2, x3, y3, x4, y4);
}

Status TGPGraphicsPath::AddBeziers(const TGPPointF* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipAddPathBeziers, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddBezier(const TGPPoint& APt1, const TGPPoint& APt2, const TGPPoint& APt3,
                                  const TGPPoint& APt4) {
  return AddBezier(APt1.X, APt1.Y, APt2.X, APt2.Y, APt3.X, APt3.Y, APt4.X, APt4.Y);
}

Status TGPGraphicsPath::AddBezier(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4,
                                  Integer y4) {
  return TP::Run(lastResult, Gdip().GdipAddPathBezierI, nativePath, x1, y1, x2, y2, x3, y3, x4, y4);
}

Status TGPGraphicsPath::AddBeziers(const TGPPoint* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipAddPathBeziersI, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddCurve(const TGPPointF* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipAddPathCurve, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddCurve(const TGPPointF* APoints, Integer ACount, Single ATension) {
  return TP::Run(lastResult, Gdip().GdipAddPathCurve2, nativePath, APoints, ACount, ATension);
}

Status TGPGraphicsPath::AddCurve(const TGPPointF* APoints, Integer ACount, Integer AOffset, Integer ANumberOfSegments,
                                 Single ATension) {
  return TP::Run(lastResult, Gdip().GdipAddPathCurve3, nativePath, APoints, ACount, AOffset, ANumberOfSegments,
                 ATension);
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipAddPathCurveI, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* APoints, Integer ACount, Single ATension) {
  return TP::Run(lastResult, Gdip().GdipAddPathCurve2I, nativePath, APoints, ACount, ATension);
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* APoints, Integer ACount, Integer AOffset, Integer ANumberOfSegments,
                                 Single ATension) {
  return TP::Run(lastResult, Gdip().GdipAddPathCurve3I, nativePath, APoints, ACount, AOffset, ANumberOfSegments,
                 ATension);
}

Status TGPGraphicsPath::AddClosedCurve(const TGPPointF* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipAddPathClosedCurve, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddClosedCurve(const TGPPointF* APoints, Integer ACount, Single ATension) {
  return TP::Run(lastResult, Gdip().GdipAddPathClosedCurve2, nativePath, APoints, ACount, ATension);
}

Status TGPGraphicsPath::AddClosedCurve(const TGPPoint* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipAddPathClosedCurveI, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddClosedCurve(const TGPPoint* APoints, Integer ACount, Single ATension) {
  return TP::Run(lastResult, Gdip().GdipAddPathClosedCurve2I, nativePath, APoints, ACount, ATension);
}

Status TGPGraphicsPath::AddRectangle(const TGPRectF& ARect) {
  return TP::Run(lastResult, Gdip().GdipAddPathRectangle, nativePath, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphicsPath::AddRectangles(const TGPRectF* ARects, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipAddPathRectangles, nativePath, ARects, ACount);
}

Status TGPGraphicsPath::AddRectangle(const TGPRect& ARect) {
  return TP::Run(lastResult, Gdip().GdipAddPathRectangleI, nativePath, ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphicsPath::AddRectangles(const TGPRect* ARects, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipAddPathRectanglesI, nativePath, ARects, ACount);
}

Status TGPGraphicsPath::AddEllipse(const TGPRectF& ARect) {
  return AddEllipse(ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphicsPath::AddEllipse(Single x, Single y, Single AWidth, Single AHeight) {
  return TP::Run(lastResult, Gdip().GdipAddPathEllipse, nativePath, x, y, AWidth, AHeight);
}

Status TGPGraphicsPath::AddEllipse(const TGPRect& ARect) {
  return AddEllipse(ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphicsPath::AddEllipse(Integer x, Integer y, Integer AWidth, Integer AHeight) {
  return TP::Run(lastResult, Gdip().GdipAddPathEllipseI, nativePath, x, y, AWidth, AHeight);
}

Status TGPGraphicsPath::AddPie(const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle) {
  return AddPie(ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphicsPath::AddPie(Single x, Single y, Single AWidth, Single AHeight, Single AStartAngle,
                               Single ASweepAngle) {
  return TP::Run(lastResult, Gdip().GdipAddPathPie, nativePath, x, y, AWidth, AHeight, AStartAngle, ASweepAngle);
}

Status TGPGraphicsPath::AddPie(const TGPRect& ARect, Single AStartAngle, Single ASweepAngle) {
  return AddPie(ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphicsPath::AddPie(Integer x, Integer y, Integer AWidth, Integer AHeight, Single AStartAngle,
                               Single ASweepAngle) {
  return TP::Run(lastResult, Gdip().GdipAddPathPieI, nativePath, x, y, AWidth, AHeight, AStartAngle, ASweepAngle);
}

Status TGPGraphicsPath::AddPolygon(const TGPPointF* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipAddPathPolygon, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddPolygon(const TGPPoint* APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipAddPathPolygonI, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddPath(TGPGraphicsPath* AAddingPath, bool AConnect) {
  return TP::Run(lastResult, Gdip().GdipAddPathPath, nativePath, Handle(AAddingPath), AConnect ? 1 : 0);
}

Status TGPGraphicsPath::AddString(const Char* AString, Integer ALength, TGPFontFamily* AFamily, Integer AStyle,
                                  Single AEmSize, const TGPPointF& AOrigin, TGPStringFormat* AFormat) {
  return AddString(AString, ALength, AFamily, AStyle, AEmSize, TGPRectF{AOrigin.X, AOrigin.Y, 0, 0}, AFormat);
}

Status TGPGraphicsPath::AddString(const Char* AString, Integer ALength, TGPFontFamily* AFamily, Integer AStyle,
                                  Single AEmSize, const TGPRectF& ALayoutRect, TGPStringFormat* AFormat) {
  return TP::Run(lastResult, Gdip().GdipAddPathString, nativePath, AString, ALength, Handle(AFamily), AStyle, AEmSize,
                 &ALayoutRect, Handle(AFormat));
}

Status TGPGraphicsPath::AddString(const Char* AString, Integer ALength, TGPFontFamily* AFamily, Integer AStyle,
                                  Single AEmSize, const TGPPoint& AOrigin, TGPStringFormat* AFormat) {
  return AddString(AString, ALength, AFamily, AStyle, AEmSize, TGPRect{AOrigin.X, AOrigin.Y, 0, 0}, AFormat);
}

Status TGPGraphicsPath::AddString(const Char* AString, Integer ALength, TGPFontFamily* AFamily, Integer AStyle,
                                  Single AEmSize, const TGPRect& ALayoutRect, TGPStringFormat* AFormat) {
  return TP::Run(lastResult, Gdip().GdipAddPathStringI, nativePath, AString, ALength, Handle(AFamily), AStyle, AEmSize,
                 &ALayoutRect, Handle(AFormat));
}

Status TGPGraphicsPath::Transform(TGPMatrix* AMatrix) {
  if (!AMatrix) return Ok;
  return TP::Run(lastResult, Gdip().GdipTransformPath, nativePath, AMatrix->nativeMatrix);
}

Status TGPGraphicsPath::GetBounds(TGPRectF& ABounds, TGPMatrix* AMatrix, TGPPen* APen) {
  return TP::Run(lastResult, Gdip().GdipGetPathWorldBounds, nativePath, &ABounds, Handle(AMatrix), Handle(APen));
}

Status TGPGraphicsPath::GetBounds(TGPRect& ABounds, TGPMatrix* AMatrix, TGPPen* APen) {
  return TP::Run(lastResult, Gdip().GdipGetPathWorldBoundsI, nativePath, &ABounds, Handle(AMatrix), Handle(APen));
}

Status TGPGraphicsPath::Flatten(TGPMatrix* AMatrix, Single AFlatness) {
  return TP::Run(lastResult, Gdip().GdipFlattenPath, nativePath, Handle(AMatrix), AFlatness);
}

Status TGPGraphicsPath::Widen(TGPPen* APen, TGPMatrix* AMatrix, Single AFlatness) {
  return TP::Run(lastResult, Gdip().GdipWidenPath, nativePath, APen->nativePen, Handle(AMatrix), AFlatness);
}

Status TGPGraphicsPath::Outline(TGPMatrix* AMatrix, Single AFlatness) {
  return TP::Run(lastResult, Gdip().GdipWindingModeOutline, nativePath, Handle(AMatrix), AFlatness);
}

Status TGPGraphicsPath::Warp(const TGPPointF* ADestPoints, Integer ACount, const TGPRectF& ASrcRect,
                             TGPMatrix* AMatrix, WarpMode AWarpMode, Single AFlatness) {
  return TP::Run(lastResult, Gdip().GdipWarpPath, nativePath, Handle(AMatrix), ADestPoints, ACount, ASrcRect.X,
                 ASrcRect.Y, ASrcRect.Width, ASrcRect.Height, AWarpMode, AFlatness);
}

Integer TGPGraphicsPath::GetPointCount() {
  return TP::Get<gdip::INT>(lastResult, 0, Gdip().GdipGetPointCount, nativePath);
}

Status TGPGraphicsPath::GetPathTypes(Byte* ATypes, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipGetPathTypes, nativePath, ATypes, ACount);
}

Status TGPGraphicsPath::GetPathPoints(PGPPointF APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipGetPathPoints, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::GetPathPoints(PGPPoint APoints, Integer ACount) {
  return TP::Run(lastResult, Gdip().GdipGetPathPointsI, nativePath, APoints, ACount);
}

bool TGPGraphicsPath::IsVisible(const TGPPointF& APoint, TGPGraphics* AG) { return IsVisible(APoint.X, APoint.Y, AG); }

bool TGPGraphicsPath::IsVisible(Single x, Single y, TGPGraphics* AG) {
  return GetBool(lastResult, Gdip().GdipIsVisiblePathPoint, nativePath, x, y, Handle(AG));
}

bool TGPGraphicsPath::IsVisible(const TGPPoint& APoint, TGPGraphics* AG) { return IsVisible(APoint.X, APoint.Y, AG); }

bool TGPGraphicsPath::IsVisible(Integer x, Integer y, TGPGraphics* AG) {
  return GetBool(lastResult, Gdip().GdipIsVisiblePathPointI, nativePath, x, y, Handle(AG));
}

bool TGPGraphicsPath::IsOutlineVisible(const TGPPointF& APoint, TGPPen* APen, TGPGraphics* AG) {
  return IsOutlineVisible(APoint.X, APoint.Y, APen, AG);
}

bool TGPGraphicsPath::IsOutlineVisible(Single x, Single y, TGPPen* APen, TGPGraphics* AG) {
  return GetBool(lastResult, Gdip().GdipIsOutlineVisiblePathPoint, nativePath, x, y, Handle(APen), Handle(AG));
}

bool TGPGraphicsPath::IsOutlineVisible(const TGPPoint& APoint, TGPPen* APen, TGPGraphics* AG) {
  return IsOutlineVisible(APoint.X, APoint.Y, APen, AG);
}

bool TGPGraphicsPath::IsOutlineVisible(Integer x, Integer y, TGPPen* APen, TGPGraphics* AG) {
  return GetBool(lastResult, Gdip().GdipIsOutlineVisiblePathPointI, nativePath, x, y, Handle(APen), Handle(AG));
}

}  // namespace NeoGDIPlusClasses
