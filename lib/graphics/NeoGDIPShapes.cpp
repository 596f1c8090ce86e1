// NeoGDIP regions, fonts and their families, paths and image attributes.
#include <array>
#include <memory>

#include "lib/graphics/NeoGDIPInternal.h"

namespace NeoGDIP {

// ---- TGPRegion ----

TGPRegion::TGPRegion(const TGPRectF& ARect) {
  TProtocol::Create(nativeRegion, lastResult, Imports.GdipCreateRegionRect, &ARect);
}

TGPRegion::TGPRegion(TGPGraphicsPath* APath) {
  TProtocol::Create(nativeRegion, lastResult, Imports.GdipCreateRegionPath, NativeOf(APath));
}

TGPRegion::~TGPRegion() { TProtocol::Call(Imports.GdipDeleteRegion, nativeRegion); }

Status TGPRegion::Exclude(TGPGraphicsPath* APath) {
  return TProtocol::Run(lastResult, Imports.GdipCombineRegionPath, nativeRegion, NativeOf(APath), CombineModeExclude);
}

Status TGPRegion::Union(TGPRegion* ARegion) {
  return TProtocol::Run(lastResult, Imports.GdipCombineRegionRegion, nativeRegion, NativeOf(ARegion),
                        CombineModeUnion);
}

// ---- TGPFontFamily ----

namespace {

// The generic families: sans-serif, serif, monospace.
std::array<TGPFontFamily*, 3> gGenericFamilies{};

template <class... P>
TGPFontFamily* GenericFamily(int AIndex, Status (*AEntry)(P...)) {
  TGPFontFamily*& family = gGenericFamilies[AIndex];
  if (!family) {
    family = new TGPFontFamily(nullptr, Ok);
    TProtocol::Call(AEntry, &family->nativeFamily);
  }
  return family;
}

}  // namespace

void FreeGenericFontFamilies() {
  for (TGPFontFamily*& family : gGenericFamilies) {
    delete family;
    family = nullptr;
  }
}

TGPFontFamily::TGPFontFamily(const String& AName, TGPFontCollection* AFontCollection) {
  TProtocol::Create(nativeFamily, lastResult, Imports.GdipCreateFontFamilyFromName, AName.c_str(),
                    AFontCollection ? AFontCollection->nativeFontCollection : nullptr);
}

TGPFontFamily::TGPFontFamily(gdip::GpFontFamily* ANativeOrig, Status AStatus)
    : nativeFamily(ANativeOrig), lastResult(AStatus) {}

TGPFontFamily::~TGPFontFamily() { TProtocol::Call(Imports.GdipDeleteFontFamily, nativeFamily); }

TGPFontFamily* TGPFontFamily::GenericSansSerif() {
  return GenericFamily(0, Imports.GdipGetGenericFontFamilySansSerif);
}

TGPFontFamily* TGPFontFamily::GenericSerif() { return GenericFamily(1, Imports.GdipGetGenericFontFamilySerif); }

TGPFontFamily* TGPFontFamily::GenericMonospace() {
  return GenericFamily(2, Imports.GdipGetGenericFontFamilyMonospace);
}

// ---- TGPFont ----

TGPFont::TGPFont(TGPFontFamily* AFamily, Single AEmSize, Integer AStyle, gdip::Unit AUnit) {
  TProtocol::Create(nativeFont, lastResult, Imports.GdipCreateFont, NativeOf(AFamily), AEmSize, AStyle,
                    static_cast<gdip::INT>(AUnit));
}

TGPFont::TGPFont(const String& AFamilyName, Single AEmSize, Integer AStyle, gdip::Unit AUnit,
                 TGPFontCollection* AFontCollection) {
  const std::unique_ptr<TGPFontFamily> family(new TGPFontFamily(AFamilyName, AFontCollection));
  const auto unit = static_cast<gdip::INT>(AUnit);
  if (TProtocol::Call(Imports.GdipCreateFont, family->nativeFamily, AEmSize, AStyle, unit, &nativeFont) != Ok)
    TProtocol::Create(nativeFont, lastResult, Imports.GdipCreateFont, TGPFontFamily::GenericSansSerif()->nativeFamily,
                      AEmSize, AStyle, unit);
}

TGPFont::TGPFont(gdip::GpFont* AFont, Status AStatus) : nativeFont(AFont), lastResult(AStatus) {}

TGPFont::~TGPFont() { TProtocol::Call(Imports.GdipDeleteFont, nativeFont); }

// ---- TGPGraphicsPath ----

TGPGraphicsPath::TGPGraphicsPath(FillMode AFillMode) {
  TProtocol::Create(nativePath, lastResult, Imports.GdipCreatePath, AFillMode);
}

TGPGraphicsPath::TGPGraphicsPath(const TGPPointF* APoints, const Byte* ATypes, Integer ACount, FillMode AFillMode) {
  TProtocol::Create(nativePath, lastResult, Imports.GdipCreatePath2, APoints, ATypes, ACount, AFillMode);
}

TGPGraphicsPath::TGPGraphicsPath(gdip::GpPath* ANativePath) : nativePath(ANativePath) {}

TGPGraphicsPath::~TGPGraphicsPath() { TProtocol::Call(Imports.GdipDeletePath, nativePath); }

Integer TGPGraphicsPath::GetPointCount() {
  return TProtocol::Get<gdip::INT>(lastResult, 0, Imports.GdipGetPointCount, nativePath);
}

Status TGPGraphicsPath::GetPathPoints(TGPPointF* APoints, Integer ACount) {
  return TProtocol::Run(lastResult, Imports.GdipGetPathPoints, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::GetPathTypes(Byte* ATypes, Integer ACount) {
  return TProtocol::Run(lastResult, Imports.GdipGetPathTypes, nativePath, ATypes, ACount);
}

Status TGPGraphicsPath::GetBounds(TGPRectF& ABounds, TGPMatrix* AMatrix, TGPPen* APen) {
  return TProtocol::Run(lastResult, Imports.GdipGetPathWorldBounds, nativePath, &ABounds, NativeOf(AMatrix),
                        NativeOf(APen));
}

Status TGPGraphicsPath::Reset() { return TProtocol::Run(lastResult, Imports.GdipResetPath, nativePath); }

Status TGPGraphicsPath::CloseFigure() { return TProtocol::Run(lastResult, Imports.GdipClosePathFigure, nativePath); }

Status TGPGraphicsPath::AddLine(const TGPPointF& APoint1, const TGPPointF& APoint2) {
  return AddLine(APoint1.X, APoint1.Y, APoint2.X, APoint2.Y);
}

Status TGPGraphicsPath::AddLine(Single X1, Single Y1, Single X2, Single Y2) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathLine, nativePath, X1, Y1, X2, Y2);
}

Status TGPGraphicsPath::AddLines(const TGPPoint* APoints, Integer ACount) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathLine2I, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddRectangle(const TGPRectF& ARect) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathRectangle, nativePath, ARect.X, ARect.Y, ARect.Width,
                        ARect.Height);
}

Status TGPGraphicsPath::AddRectangle(const TGPRect& ARect) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathRectangleI, nativePath, ARect.X, ARect.Y, ARect.Width,
                        ARect.Height);
}

Status TGPGraphicsPath::AddArc(const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle) {
  return AddArc(ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphicsPath::AddArc(Single X, Single Y, Single AWidth, Single AHeight, Single AStartAngle,
                               Single ASweepAngle) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathArc, nativePath, X, Y, AWidth, AHeight, AStartAngle,
                        ASweepAngle);
}

Status TGPGraphicsPath::AddEllipse(const TGPRectF& ARect) {
  return AddEllipse(ARect.X, ARect.Y, ARect.Width, ARect.Height);
}

Status TGPGraphicsPath::AddEllipse(Single X, Single Y, Single AWidth, Single AHeight) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathEllipse, nativePath, X, Y, AWidth, AHeight);
}

Status TGPGraphicsPath::AddPie(const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle) {
  return AddPie(ARect.X, ARect.Y, ARect.Width, ARect.Height, AStartAngle, ASweepAngle);
}

Status TGPGraphicsPath::AddPie(Single X, Single Y, Single AWidth, Single AHeight, Single AStartAngle,
                               Single ASweepAngle) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathPie, nativePath, X, Y, AWidth, AHeight, AStartAngle,
                        ASweepAngle);
}

Status TGPGraphicsPath::AddPolygon(const TGPPointF* APoints, Integer ACount) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathPolygon, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddPolygon(const TGPPoint* APoints, Integer ACount) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathPolygonI, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddCurve(const TGPPointF* APoints, Integer ACount) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathCurve, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* APoints, Integer ACount) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathCurveI, nativePath, APoints, ACount);
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* APoints, Integer ACount, Single ATension) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathCurve2I, nativePath, APoints, ACount, ATension);
}

Status TGPGraphicsPath::AddBezier(const TGPPointF& APt1, const TGPPointF& APt2, const TGPPointF& APt3,
                                  const TGPPointF& APt4) {
  return AddBezier(APt1.X, APt1.Y, APt2.X, APt2.Y, APt3.X, APt3.Y, APt4.X, APt4.Y);
}

Status TGPGraphicsPath::AddBezier(const TGPPoint& APt1, const TGPPoint& APt2, const TGPPoint& APt3,
                                  const TGPPoint& APt4) {
  const auto f = [](Integer AValue) { return static_cast<Single>(AValue); };
  return AddBezier(f(APt1.X), f(APt1.Y), f(APt2.X), f(APt2.Y), f(APt3.X), f(APt3.Y), f(APt4.X), f(APt4.Y));
}

Status TGPGraphicsPath::AddBezier(Single X1, Single Y1, Single X2, Single Y2, Single X3, Single Y3, Single X4,
                                  Single Y4) {
  return TProtocol::Run(lastResult, Imports.GdipAddPathBezier, nativePath, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

Status TGPGraphicsPath::AddString(const String& AString, Integer ALength, TGPFontFamily* AFamily, Integer AStyle,
                                  Single AEmSize, const TGPPointF& AOrigin, TGPStringFormat* AFormat) {
  return AddString(AString, ALength, AFamily, AStyle, AEmSize, TGPRectF{AOrigin.X, AOrigin.Y, 0, 0}, AFormat);
}

Status TGPGraphicsPath::AddString(const String& AString, Integer ALength, TGPFontFamily* AFamily, Integer AStyle,
                                  Single AEmSize, const TGPRectF& ALayoutRect, TGPStringFormat* AFormat) {
  const auto size = static_cast<Integer>(AString.size());
  return TProtocol::Run(lastResult, Imports.GdipAddPathString, nativePath, AString.c_str(),
                        ALength > size ? size : ALength, NativeOf(AFamily), AStyle, AEmSize, &ALayoutRect,
                        NativeOf(AFormat));
}

// ---- TGPImageAttributes ----

TGPImageAttributes::TGPImageAttributes() {
  TProtocol::Create(nativeImageAttr, lastResult, Imports.GdipCreateImageAttributes);
}

TGPImageAttributes::TGPImageAttributes(gdip::GpImageAttributes* AImageAttr, Status AStatus)
    : nativeImageAttr(AImageAttr), lastResult(AStatus) {}

TGPImageAttributes::~TGPImageAttributes() { TProtocol::Call(Imports.GdipDisposeImageAttributes, nativeImageAttr); }

TGPImageAttributes* TGPImageAttributes::Clone() {
  gdip::GpImageAttributes* copy = nullptr;
  TProtocol::Run(lastResult, Imports.GdipCloneImageAttributes, nativeImageAttr, &copy);
  return Wrap<TGPImageAttributes>(copy, Imports.GdipDisposeImageAttributes, lastResult);
}

Status TGPImageAttributes::SetToIdentity(ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesToIdentity, nativeImageAttr, AType);
}

Status TGPImageAttributes::Reset(ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipResetImageAttributes, nativeImageAttr, AType);
}

Status TGPImageAttributes::SetColorMatrix(const ColorMatrix& AColorMatrix, ColorMatrixFlags AMode,
                                          ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesColorMatrix, nativeImageAttr, AType, 1,
                        &AColorMatrix, nullptr, AMode);
}

Status TGPImageAttributes::ClearColorMatrix(ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesColorMatrix, nativeImageAttr, AType, 0, nullptr,
                        nullptr, ColorMatrixFlagsDefault);
}

Status TGPImageAttributes::SetColorMatrices(const ColorMatrix& AColorMatrix, const ColorMatrix& AGrayMatrix,
                                            ColorMatrixFlags AMode, ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesColorMatrix, nativeImageAttr, AType, 1,
                        &AColorMatrix, &AGrayMatrix, AMode);
}

Status TGPImageAttributes::ClearColorMatrices(ColorAdjustType AType) { return ClearColorMatrix(AType); }

Status TGPImageAttributes::SetThreshold(Single AThreshold, ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesThreshold, nativeImageAttr, AType, 1, AThreshold);
}

Status TGPImageAttributes::ClearThreshold(ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesThreshold, nativeImageAttr, AType, 0, 0.0f);
}

Status TGPImageAttributes::SetGamma(Single AGamma, ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesGamma, nativeImageAttr, AType, 1, AGamma);
}

Status TGPImageAttributes::ClearGamma(ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesGamma, nativeImageAttr, AType, 0, 0.0f);
}

Status TGPImageAttributes::SetNoOp(ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesNoOp, nativeImageAttr, AType, 1);
}

Status TGPImageAttributes::ClearNoOp(ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesNoOp, nativeImageAttr, AType, 0);
}

Status TGPImageAttributes::SetColorKey(ARGB AColorLow, ARGB AColorHigh, ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesColorKeys, nativeImageAttr, AType, 1, AColorLow,
                        AColorHigh);
}

Status TGPImageAttributes::ClearColorKey(ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesColorKeys, nativeImageAttr, AType, 0, 0u, 0u);
}

Status TGPImageAttributes::SetOutputChannel(ColorChannelFlags AChannelFlags, ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesOutputChannel, nativeImageAttr, AType, 1,
                        AChannelFlags);
}

Status TGPImageAttributes::ClearOutputChannel(ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesOutputChannel, nativeImageAttr, AType, 0,
                        ColorChannelFlagsLast);
}

Status TGPImageAttributes::SetOutputChannelColorProfile(const String& AColorProfileFilename, ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesOutputChannelColorProfile, nativeImageAttr, AType,
                        1, AColorProfileFilename.c_str());
}

Status TGPImageAttributes::ClearOutputChannelColorProfile(ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesOutputChannelColorProfile, nativeImageAttr, AType,
                        0, nullptr);
}

Status TGPImageAttributes::SetRemapTable(UINT AMapSize, const ColorMap* AMap, ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesRemapTable, nativeImageAttr, AType, 1, AMapSize,
                        AMap);
}

Status TGPImageAttributes::ClearRemapTable(ColorAdjustType AType) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesRemapTable, nativeImageAttr, AType, 0, 0u, nullptr);
}

Status TGPImageAttributes::SetBrushRemapTable(UINT AMapSize, const ColorMap* AMap) {
  return SetRemapTable(AMapSize, AMap, ColorAdjustTypeBrush);
}

Status TGPImageAttributes::ClearBrushRemapTable() { return ClearRemapTable(ColorAdjustTypeBrush); }

Status TGPImageAttributes::SetWrapMode(WrapMode AWrap, ARGB AColor, bool AClamp) {
  return TProtocol::Run(lastResult, Imports.GdipSetImageAttributesWrapMode, nativeImageAttr, AWrap, AColor,
                        static_cast<gdip::BOOL>(AClamp));
}

Status TGPImageAttributes::GetAdjustedPalette(ColorPalette* AColorPalette, ColorAdjustType AColorAdjustType) {
  return TProtocol::Run(lastResult, Imports.GdipGetImageAttributesAdjustedPalette, nativeImageAttr, AColorPalette,
                        AColorAdjustType);
}

}  // namespace NeoGDIP
