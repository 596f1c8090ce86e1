#pragma once
// NeoGDIP: the GDI+ wrapper set over functions imported from "gdiplus.dll" when the program
// registers the unit (the picture container, pictures, pickers and tooltips draw with it). It
// shares only the GDI+ types with NeoGDIPlusClasses: its own imports, start-up token and objects.
//
// RegisterNeoGDIPUnit imports every function at once, before any unit initialises; a library that
// cannot be loaded or lacks one of the functions stops the program there with an exception naming
// the library or the function and the loader's message. The unit's initialisation starts GDI+
// with its own token; its finalisation (skipped in a dynamic library) shuts it down.
#include <array>
#include <cstddef>

#include "lib/graphics/NeoGDIPlusApi.h"   // the shared GDI+ types and makers
#include "platform/rtl/System.h"
#include "platform/ui/Graphics.h"

namespace NeoGDIP {

using namespace NeoGDIPlusApi;

// The imported functions, in the order they are resolved.
#define ZELK_NEOGDIP_IMPORTS(X)                                                                     \
  X(GdiplusStartup) X(GdiplusShutdown) X(GdipAlloc) X(GdipFree)                                     \
  /* drawing surface */                                                                             \
  X(GdipCreateFromHDC) X(GdipGetImageGraphicsContext) X(GdipDeleteGraphics) X(GdipFlush)            \
  X(GdipGraphicsClear) X(GdipGetDC) X(GdipReleaseDC) X(GdipSetTextRenderingHint)                    \
  X(GdipGetTextRenderingHint) X(GdipSetSmoothingMode) X(GdipGetSmoothingMode)                       \
  X(GdipSetCompositingQuality) X(GdipGetCompositingQuality) X(GdipSetWorldTransform)                \
  X(GdipMultiplyWorldTransform) X(GdipTranslateWorldTransform) X(GdipRotateWorldTransform)          \
  X(GdipScaleWorldTransform) X(GdipResetWorldTransform) X(GdipSetClipRegion) X(GdipSetClipPath)     \
  X(GdipResetClip) X(GdipSetClipRect) X(GdipDrawLine) X(GdipDrawRectangle) X(GdipDrawEllipse)       \
  X(GdipDrawEllipseI) X(GdipDrawArc) X(GdipDrawBezier) X(GdipDrawBeziers) X(GdipDrawPath)           \
  X(GdipFillRectangle) X(GdipFillEllipse) X(GdipFillEllipseI) X(GdipFillPolygon)                    \
  X(GdipFillPolygonI) X(GdipFillPath) X(GdipDrawImageI) X(GdipDrawImageRect)                        \
  X(GdipDrawImageRectRect) X(GdipMeasureString) X(GdipDrawString)                                   \
  /* images and bitmaps */                                                                          \
  X(GdipLoadImageFromFile) X(GdipLoadImageFromFileICM) X(GdipLoadImageFromStream)                   \
  X(GdipLoadImageFromStreamICM) X(GdipDisposeImage) X(GdipGetImageWidth) X(GdipGetImageHeight)      \
  X(GdipGetImagePixelFormat) X(GdipGetImageRawFormat) X(GdipGetImageThumbnail)                      \
  X(GdipSaveImageToFile) X(GdipSaveImageToStream) X(GdipSaveAddImage) X(GdipImageRotateFlip)        \
  X(GdipCreateBitmapFromStream) X(GdipCreateBitmapFromStreamICM) X(GdipCreateBitmapFromScan0)       \
  X(GdipCreateHBITMAPFromBitmap) X(GdipBitmapGetPixel) X(GdipBitmapSetPixel)                        \
  /* matrix */                                                                                      \
  X(GdipCreateMatrix) X(GdipCreateMatrix2) X(GdipCreateMatrix3) X(GdipCreateMatrix3I)               \
  X(GdipDeleteMatrix) X(GdipCloneMatrix) X(GdipGetMatrixElements) X(GdipSetMatrixElements)          \
  X(GdipMultiplyMatrix) X(GdipTranslateMatrix) X(GdipScaleMatrix) X(GdipRotateMatrix)               \
  X(GdipShearMatrix) X(GdipInvertMatrix) X(GdipTransformMatrixPoints) X(GdipTransformMatrixPointsI) \
  X(GdipVectorTransformMatrixPoints) X(GdipVectorTransformMatrixPointsI) X(GdipIsMatrixInvertible)  \
  X(GdipIsMatrixIdentity)                                                                           \
  /* string format */                                                                               \
  X(GdipCreateStringFormat) X(GdipCloneStringFormat) X(GdipDeleteStringFormat)                      \
  X(GdipSetStringFormatAlign) X(GdipGetStringFormatAlign) X(GdipSetStringFormatLineAlign)           \
  X(GdipGetStringFormatLineAlign) X(GdipSetStringFormatFlags) X(GdipGetStringFormatFlags)           \
  X(GdipSetStringFormatTrimming) X(GdipGetStringFormatTrimming) X(GdipSetStringFormatHotkeyPrefix)  \
  X(GdipGetStringFormatHotkeyPrefix)                                                                \
  /* pen */                                                                                         \
  X(GdipCreatePen1) X(GdipCreatePen2) X(GdipDeletePen) X(GdipGetPenFillType) X(GdipGetPenBrushFill) \
  X(GdipSetPenBrushFill) X(GdipSetPenDashStyle) X(GdipGetPenDashStyle) X(GdipSetPenEndCap)          \
  /* brushes */                                                                                     \
  X(GdipDeleteBrush) X(GdipCreateSolidFill) X(GdipCreateHatchBrush) X(GdipGetHatchStyle)            \
  X(GdipGetHatchForegroundColor) X(GdipGetHatchBackgroundColor) X(GdipCreateTexture)                \
  X(GdipCreateTexture2) X(GdipCreateTexture2I) X(GdipCreateTextureIA) X(GdipCreateTextureIAI)       \
  X(GdipResetTextureTransform) X(GdipTranslateTextureTransform) X(GdipScaleTextureTransform)        \
  X(GdipRotateTextureTransform) X(GdipSetTextureWrapMode) X(GdipGetTextureWrapMode)                 \
  X(GdipGetTextureImage) X(GdipCreateLineBrush) X(GdipCreateLineBrushI) X(GdipCreateLineBrushFromRect) \
  X(GdipCreateLineBrushFromRectI) X(GdipCreateLineBrushFromRectWithAngle)                           \
  X(GdipCreateLineBrushFromRectWithAngleI) X(GdipSetLineGammaCorrection) X(GdipSetLinePresetBlend)  \
  X(GdipCreatePathGradientFromPath) X(GdipSetPathGradientPresetBlend)                               \
  X(GdipSetPathGradientGammaCorrection) X(GdipSetPathGradientWrapMode)                              \
  X(GdipGetPathGradientCenterColor) X(GdipSetPathGradientCenterColor)                               \
  X(GdipGetPathGradientPointCount) X(GdipGetPathGradientSurroundColorCount)                         \
  X(GdipGetPathGradientSurroundColorsWithCount) X(GdipSetPathGradientSurroundColorsWithCount)       \
  X(GdipGetPathGradientCenterPoint) X(GdipGetPathGradientCenterPointI)                              \
  X(GdipSetPathGradientCenterPoint) X(GdipSetPathGradientCenterPointI)                              \
  /* region */                                                                                      \
  X(GdipCreateRegionRect) X(GdipCreateRegionPath) X(GdipDeleteRegion) X(GdipCombineRegionPath)      \
  X(GdipCombineRegionRegion)                                                                        \
  /* fonts */                                                                                       \
  X(GdipCreateFontFamilyFromName) X(GdipDeleteFontFamily) X(GdipGetGenericFontFamilySansSerif)      \
  X(GdipGetGenericFontFamilySerif) X(GdipGetGenericFontFamilyMonospace) X(GdipCreateFont)           \
  X(GdipDeleteFont)                                                                                 \
  /* path */                                                                                        \
  X(GdipCreatePath) X(GdipCreatePath2) X(GdipDeletePath) X(GdipGetPointCount) X(GdipGetPathPoints)  \
  X(GdipGetPathTypes) X(GdipGetPathWorldBounds) X(GdipResetPath) X(GdipClosePathFigure)             \
  X(GdipAddPathLine) X(GdipAddPathLine2I) X(GdipAddPathRectangle) X(GdipAddPathRectangleI)          \
  X(GdipAddPathArc) X(GdipAddPathEllipse) X(GdipAddPathPie) X(GdipAddPathPolygon)                   \
  X(GdipAddPathPolygonI) X(GdipAddPathCurve) X(GdipAddPathCurveI) X(GdipAddPathCurve2I)             \
  X(GdipAddPathBezier) X(GdipAddPathString)                                                         \
  /* image attributes */                                                                            \
  X(GdipCreateImageAttributes) X(GdipDisposeImageAttributes) X(GdipCloneImageAttributes)            \
  X(GdipSetImageAttributesToIdentity) X(GdipResetImageAttributes)                                   \
  X(GdipSetImageAttributesColorMatrix) X(GdipSetImageAttributesThreshold)                           \
  X(GdipSetImageAttributesGamma) X(GdipSetImageAttributesNoOp) X(GdipSetImageAttributesColorKeys)   \
  X(GdipSetImageAttributesOutputChannel) X(GdipSetImageAttributesOutputChannelColorProfile)         \
  X(GdipSetImageAttributesRemapTable) X(GdipSetImageAttributesWrapMode)                             \
  X(GdipGetImageAttributesAdjustedPalette)

struct TGdipImports {
#define ZELK_NEOGDIP_ENTRY(Name) gdip::T##Name Name = nullptr;
  ZELK_NEOGDIP_IMPORTS(ZELK_NEOGDIP_ENTRY)
#undef ZELK_NEOGDIP_ENTRY
};
static_assert(sizeof(TGdipImports) == 198 * sizeof(void*), "the unit imports 198 functions");
extern TGdipImports Imports;

// The imports are resolved for the life of the process once the unit is registered.
struct TImportBinding {
  static bool Loaded();
};
using TProtocol = TGPProtocol<TImportBinding>;

// Module state of the start-up.
extern gdip::GdiplusStartupInput StartupInput;
extern gdip::GdiplusStartupOutput StartupOutput;
extern gdip::ULONG_PTR GdiplusToken;
extern gdip::ULONG_PTR NotificationHookToken;

// True when the operating system's major version is 6 or more.
bool IsWindows6OrLater();

// Allocation base: storage from GdipAlloc (after one more start-up of GDI+ when it fails once),
// zero-filled; when GDI+ still gives none, zero-filled storage from ::operator new. Each block is
// tagged so that it goes back where it came from.
class TGdiplusBase : public TObject {
  ZELK_CLASS(TGdiplusBase, TObject)
public:
  static void* operator new(std::size_t ASize);
  static void operator delete(void* AStorage);
};

// ---- Colour and geometry conversions ----
ARGB ColorToARGB(Byte AAlpha, TColor AColor);
ARGB ColorToOpaqueARGB(TColor AColor);
constexpr ARGB RGBToOpaqueARGB(Byte R, Byte G, Byte B) { return PackARGB(255, R, G, B); }
constexpr Byte ARGBRed(ARGB AColor) { return static_cast<Byte>(AColor >> 16); }
constexpr Byte ARGBGreen(ARGB AColor) { return static_cast<Byte>(AColor >> 8); }
constexpr Byte ARGBBlue(ARGB AColor) { return static_cast<Byte>(AColor); }
inline TGPPoint GPPointOf(Integer X, Integer Y) { return TGPPoint{X, Y}; }

class TGPImage;
class TGPGraphicsPath;
class TGPImageAttributes;
class TGPPen;

// ---- Matrix ----

// The six elements m11, m12, m21, m22, dx, dy.
using TMatrixArray = std::array<Single, 6>;

class TGPMatrix : public TGdiplusBase {
  ZELK_CLASS(TGPMatrix, TGdiplusBase)
public:
  TGPMatrix();
  TGPMatrix(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy);
  // The matrix that takes the rectangle to the parallelogram of three points.
  TGPMatrix(const TGPRectF& ARect, const TGPPointF* ADstPlg);
  TGPMatrix(const TGPRect& ARect, const TGPPoint* ADstPlg);
  explicit TGPMatrix(gdip::GpMatrix* ANativeMatrix);
  ~TGPMatrix() override;
  TGPMatrix(const TGPMatrix&) = delete;
  TGPMatrix& operator=(const TGPMatrix&) = delete;

  // A copy, or nil while the status field holds a failure (the copy GDI+ made is then freed).
  TGPMatrix* Clone();
  Status GetElements(TMatrixArray& AElements);
  Status SetElements(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy);
  Single OffsetX();
  Single OffsetY();
  Status Reset();
  Status Multiply(TGPMatrix* AMatrix, MatrixOrder AOrder = MatrixOrderPrepend);
  Status Translate(Single AOffsetX, Single AOffsetY, MatrixOrder AOrder = MatrixOrderPrepend);
  Status Scale(Single AScaleX, Single AScaleY, MatrixOrder AOrder = MatrixOrderPrepend);
  Status Rotate(Single AAngle, MatrixOrder AOrder = MatrixOrderPrepend);
  // A rotation about ACenter; the status of the last of its three steps.
  Status RotateAt(Single AAngle, const TGPPointF& ACenter, MatrixOrder AOrder = MatrixOrderPrepend);
  Status Shear(Single AShearX, Single AShearY, MatrixOrder AOrder = MatrixOrderPrepend);
  Status Invert();
  Status TransformPoints(TGPPointF* APoints, Integer ACount = 1);
  Status TransformPoints(TGPPoint* APoints, Integer ACount = 1);
  Status TransformVectors(TGPPointF* APoints, Integer ACount = 1);
  Status TransformVectors(TGPPoint* APoints, Integer ACount = 1);
  bool IsInvertible();
  bool IsIdentity();
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpMatrix* nativeMatrix = nullptr;
  Status lastResult = Ok;

private:
  Single Element(int AIndex);
};

// ---- String format ----

class TGPStringFormat : public TGdiplusBase {
  ZELK_CLASS(TGPStringFormat, TGdiplusBase)
public:
  explicit TGPStringFormat(Integer AFormatFlags = 0, gdip::LANGID ALanguage = 0);
  explicit TGPStringFormat(TGPStringFormat* AFormat);
  TGPStringFormat(gdip::GpStringFormat* AClonedStringFormat, Status AStatus);
  ~TGPStringFormat() override;
  TGPStringFormat(const TGPStringFormat&) = delete;
  TGPStringFormat& operator=(const TGPStringFormat&) = delete;

  Status SetAlignment(StringAlignment AAlign);
  StringAlignment GetAlignment();
  Status SetLineAlignment(StringAlignment AAlign);
  StringAlignment GetLineAlignment();
  Status SetFormatFlags(Integer AFlags);
  Integer GetFormatFlags();
  Status SetTrimming(StringTrimming ATrimming);
  StringTrimming GetTrimming();
  Status SetHotkeyPrefix(HotkeyPrefix AHotkeyPrefix);
  HotkeyPrefix GetHotkeyPrefix();

  gdip::GpStringFormat* nativeFormat = nullptr;
  Status lastError = Ok;
};

// ---- Brushes ----

class TGPBrush : public TGdiplusBase {
  ZELK_CLASS(TGPBrush, TGdiplusBase)
public:
  // No brush: the status NotImplemented.
  TGPBrush();
  TGPBrush(gdip::GpBrush* ANativeBrush, Status AStatus);
  ~TGPBrush() override;
  TGPBrush(const TGPBrush&) = delete;
  TGPBrush& operator=(const TGPBrush&) = delete;

  gdip::GpBrush* nativeBrush = nullptr;
  Status lastResult = Ok;
};

class TGPSolidBrush : public TGPBrush {
  ZELK_CLASS(TGPSolidBrush, TGPBrush)
public:
  // Without a colour: an empty wrapper (nil brush, Ok) for a pen's brush to fill.
  TGPSolidBrush();
  explicit TGPSolidBrush(ARGB AColor);
};

class TGPHatchBrush : public TGPBrush {
  ZELK_CLASS(TGPHatchBrush, TGPBrush)
public:
  TGPHatchBrush();
  TGPHatchBrush(HatchStyle AHatchStyle, ARGB AForeColor, ARGB ABackColor = 0xFF000000);
  HatchStyle GetHatchStyle();
  Status GetForegroundColor(ARGB& AColor);
  Status GetBackgroundColor(ARGB& AColor);

private:
  gdip::GpHatch* Native() { return static_cast<gdip::GpHatch*>(nativeBrush); }
};

class TGPTextureBrush : public TGPBrush {
  ZELK_CLASS(TGPTextureBrush, TGPBrush)
public:
  TGPTextureBrush();
  explicit TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode = WrapModeTile);
  TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, const TGPRectF& ADstRect);
  TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, Single ADstX, Single ADstY, Single ADstWidth,
                  Single ADstHeight);
  TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, const TGPRect& ADstRect);
  TGPTextureBrush(TGPImage* AImage, WrapMode AWrapMode, Integer ADstX, Integer ADstY, Integer ADstWidth,
                  Integer ADstHeight);
  TGPTextureBrush(TGPImage* AImage, const TGPRectF& ADstRect, TGPImageAttributes* AImageAttributes = nullptr);
  TGPTextureBrush(TGPImage* AImage, const TGPRect& ADstRect, TGPImageAttributes* AImageAttributes = nullptr);

  Status ResetTransform();
  Status TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status RotateTransform(Single AAngle, MatrixOrder AOrder = MatrixOrderPrepend);
  Status SetWrapMode(WrapMode AWrapMode);
  WrapMode GetWrapMode();
  // The brush's image, the caller's to free (nil when GDI+ gives none a wrapper).
  TGPImage* GetImage();

private:
  gdip::GpTexture* Native() { return static_cast<gdip::GpTexture*>(nativeBrush); }
  void Take(Status AStatus, gdip::GpTexture* ATexture);
};

class TGPLinearGradientBrush : public TGPBrush {
  ZELK_CLASS(TGPLinearGradientBrush, TGPBrush)
  friend class TGPPen;
public:
  TGPLinearGradientBrush(const TGPPointF& APoint1, const TGPPointF& APoint2, ARGB AColor1, ARGB AColor2);
  TGPLinearGradientBrush(const TGPPoint& APoint1, const TGPPoint& APoint2, ARGB AColor1, ARGB AColor2);
  TGPLinearGradientBrush(const TGPRectF& ARect, ARGB AColor1, ARGB AColor2, LinearGradientMode AMode);
  TGPLinearGradientBrush(const TGPRect& ARect, ARGB AColor1, ARGB AColor2, LinearGradientMode AMode);
  TGPLinearGradientBrush(const TGPRectF& ARect, ARGB AColor1, ARGB AColor2, Single AAngle,
                         bool AIsAngleScalable = false);
  TGPLinearGradientBrush(const TGPRect& ARect, ARGB AColor1, ARGB AColor2, Single AAngle,
                         bool AIsAngleScalable = false);

  Status SetGammaCorrection(bool AUseGammaCorrection);
  // ACount colours at ACount positions; a count of 0 or less is InvalidParameter.
  Status SetInterpolationColors(const ARGB* APresetColors, const Single* ABlendPositions, Integer ACount);

private:
  // The base's parameterless construction (NotImplemented), for a pen's brush to fill.
  TGPLinearGradientBrush() = default;
  gdip::GpLineGradient* Native() { return static_cast<gdip::GpLineGradient*>(nativeBrush); }
  void Take(Status AStatus, gdip::GpLineGradient* ABrush);
};

class TGPPathGradientBrush : public TGPBrush {
  ZELK_CLASS(TGPPathGradientBrush, TGPBrush)
public:
  explicit TGPPathGradientBrush(TGPGraphicsPath* APath);

  Status SetInterpolationColors(const ARGB* APresetColors, const Single* ABlendPositions, Integer ACount);
  Status SetGammaCorrection(bool AUseGammaCorrection);
  Status SetWrapMode(WrapMode AWrapMode);
  // Both answer the status field after the call, an earlier unread failure included.
  Status GetCenterColor(ARGB& AColor);
  Status SetCenterColor(ARGB AColor);
  Integer GetPointCount();
  // AColors must hold ACount colours; ACount becomes the number read or taken.
  Status GetSurroundColors(ARGB* AColors, Integer& ACount);
  Status SetSurroundColors(const ARGB* AColors, Integer& ACount);
  Status GetCenterPoint(TGPPointF& APoint);
  Status GetCenterPoint(TGPPoint& APoint);
  Status SetCenterPoint(const TGPPointF& APoint);
  Status SetCenterPoint(const TGPPoint& APoint);

private:
  gdip::GpPathGradient* Native() { return static_cast<gdip::GpPathGradient*>(nativeBrush); }
};

// ---- Pen ----

class TGPPen : public TGdiplusBase {
  ZELK_CLASS(TGPPen, TGdiplusBase)
public:
  explicit TGPPen(ARGB AColor, Single AWidth = 1.0f);
  explicit TGPPen(TGPBrush* ABrush, Single AWidth = 1.0f);
  ~TGPPen() override;
  TGPPen(const TGPPen&) = delete;
  TGPPen& operator=(const TGPPen&) = delete;

  // The fill type (gdip::PenType), -1 when the call fails.
  Integer GetPenType();
  // A new brush of the class of the pen's fill, the caller's to free; nil for an unknown fill.
  TGPBrush* GetBrush();
  Status SetBrush(TGPBrush* ABrush);
  Status SetDashStyle(DashStyle ADashStyle);
  DashStyle GetDashStyle();
  Status SetEndCap(gdip::LineCap AEndCap);

  gdip::GpPen* nativePen = nullptr;
  Status lastResult = Ok;
};

// ---- Region ----

class TGPRegion : public TGdiplusBase {
  ZELK_CLASS(TGPRegion, TGdiplusBase)
public:
  explicit TGPRegion(const TGPRectF& ARect);
  explicit TGPRegion(TGPGraphicsPath* APath);
  ~TGPRegion() override;
  TGPRegion(const TGPRegion&) = delete;
  TGPRegion& operator=(const TGPRegion&) = delete;

  Status Exclude(TGPGraphicsPath* APath);
  Status Union(TGPRegion* ARegion);

  gdip::GpRegion* nativeRegion = nullptr;
  Status lastResult = Ok;
};

// ---- Fonts ----

// Holds no GDI+ collection: nativeFontCollection stays nil (the installed fonts).
class TGPFontCollection : public TGdiplusBase {
  ZELK_CLASS(TGPFontCollection, TGdiplusBase)
public:
  TGPFontCollection() = default;

  gdip::GpFontCollection* nativeFontCollection = nullptr;
  Status lastResult = Ok;
};

class TGPFontFamily : public TGdiplusBase {
  ZELK_CLASS(TGPFontFamily, TGdiplusBase)
public:
  explicit TGPFontFamily(const String& AName, TGPFontCollection* AFontCollection = nullptr);
  TGPFontFamily(gdip::GpFontFamily* ANativeOrig, Status AStatus);
  ~TGPFontFamily() override;
  TGPFontFamily(const TGPFontFamily&) = delete;
  TGPFontFamily& operator=(const TGPFontFamily&) = delete;

  // The unit's generic families, made on first request; they belong to the unit (never free them).
  static TGPFontFamily* GenericSansSerif();
  static TGPFontFamily* GenericSerif();
  static TGPFontFamily* GenericMonospace();

  gdip::GpFontFamily* nativeFamily = nullptr;
  Status lastResult = Ok;
};

class TGPFont : public TGdiplusBase {
  ZELK_CLASS(TGPFont, TGdiplusBase)
public:
  TGPFont(TGPFontFamily* AFamily, Single AEmSize, Integer AStyle = gdip::FontStyleRegular,
          gdip::Unit AUnit = UnitPoint);
  // A font of the named family; of the generic sans-serif family when that gives none.
  TGPFont(const String& AFamilyName, Single AEmSize, Integer AStyle = gdip::FontStyleRegular,
          gdip::Unit AUnit = UnitPoint, TGPFontCollection* AFontCollection = nullptr);
  TGPFont(gdip::GpFont* AFont, Status AStatus);
  ~TGPFont() override;
  TGPFont(const TGPFont&) = delete;
  TGPFont& operator=(const TGPFont&) = delete;

  gdip::GpFont* nativeFont = nullptr;
  Status lastResult = Ok;
};

// ---- Path ----

class TGPGraphicsPath : public TGdiplusBase {
  ZELK_CLASS(TGPGraphicsPath, TGdiplusBase)
public:
  explicit TGPGraphicsPath(FillMode AFillMode = FillModeAlternate);
  TGPGraphicsPath(const TGPPointF* APoints, const Byte* ATypes, Integer ACount, FillMode AFillMode = FillModeAlternate);
  explicit TGPGraphicsPath(gdip::GpPath* ANativePath);
  ~TGPGraphicsPath() override;
  TGPGraphicsPath(const TGPGraphicsPath&) = delete;
  TGPGraphicsPath& operator=(const TGPGraphicsPath&) = delete;

  Integer GetPointCount();
  Status GetPathPoints(TGPPointF* APoints, Integer ACount);
  Status GetPathTypes(Byte* ATypes, Integer ACount);
  Status GetBounds(TGPRectF& ABounds, TGPMatrix* AMatrix = nullptr, TGPPen* APen = nullptr);
  Status Reset();
  Status CloseFigure();
  Status AddLine(const TGPPointF& APoint1, const TGPPointF& APoint2);
  Status AddLine(Single X1, Single Y1, Single X2, Single Y2);
  Status AddLines(const TGPPoint* APoints, Integer ACount);
  Status AddRectangle(const TGPRectF& ARect);
  Status AddRectangle(const TGPRect& ARect);
  Status AddArc(const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle);
  Status AddArc(Single X, Single Y, Single AWidth, Single AHeight, Single AStartAngle, Single ASweepAngle);
  Status AddEllipse(const TGPRectF& ARect);
  Status AddEllipse(Single X, Single Y, Single AWidth, Single AHeight);
  Status AddPie(const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle);
  Status AddPie(Single X, Single Y, Single AWidth, Single AHeight, Single AStartAngle, Single ASweepAngle);
  Status AddPolygon(const TGPPointF* APoints, Integer ACount);
  Status AddPolygon(const TGPPoint* APoints, Integer ACount);
  Status AddCurve(const TGPPointF* APoints, Integer ACount);
  Status AddCurve(const TGPPoint* APoints, Integer ACount);
  Status AddCurve(const TGPPoint* APoints, Integer ACount, Single ATension);
  Status AddBezier(const TGPPointF& APt1, const TGPPointF& APt2, const TGPPointF& APt3, const TGPPointF& APt4);
  Status AddBezier(const TGPPoint& APt1, const TGPPoint& APt2, const TGPPoint& APt3, const TGPPoint& APt4);
  Status AddBezier(Single X1, Single Y1, Single X2, Single Y2, Single X3, Single Y3, Single X4, Single Y4);
  Status AddString(const String& AString, Integer ALength, TGPFontFamily* AFamily, Integer AStyle, Single AEmSize,
                   const TGPPointF& AOrigin, TGPStringFormat* AFormat);
  Status AddString(const String& AString, Integer ALength, TGPFontFamily* AFamily, Integer AStyle, Single AEmSize,
                   const TGPRectF& ALayoutRect, TGPStringFormat* AFormat);

  gdip::GpPath* nativePath = nullptr;
  Status lastResult = Ok;
};

// ---- Image attributes ----

class TGPImageAttributes : public TGdiplusBase {
  ZELK_CLASS(TGPImageAttributes, TGdiplusBase)
public:
  TGPImageAttributes();
  TGPImageAttributes(gdip::GpImageAttributes* AImageAttr, Status AStatus);
  ~TGPImageAttributes() override;
  TGPImageAttributes(const TGPImageAttributes&) = delete;
  TGPImageAttributes& operator=(const TGPImageAttributes&) = delete;

  TGPImageAttributes* Clone();
  Status SetToIdentity(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status Reset(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetColorMatrix(const ColorMatrix& AColorMatrix, ColorMatrixFlags AMode = ColorMatrixFlagsDefault,
                        ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearColorMatrix(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetColorMatrices(const ColorMatrix& AColorMatrix, const ColorMatrix& AGrayMatrix,
                          ColorMatrixFlags AMode = ColorMatrixFlagsDefault,
                          ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearColorMatrices(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetThreshold(Single AThreshold, ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearThreshold(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetGamma(Single AGamma, ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearGamma(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetNoOp(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearNoOp(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetColorKey(ARGB AColorLow, ARGB AColorHigh, ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearColorKey(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetOutputChannel(ColorChannelFlags AChannelFlags, ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearOutputChannel(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetOutputChannelColorProfile(const String& AColorProfileFilename,
                                      ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearOutputChannelColorProfile(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetRemapTable(UINT AMapSize, const ColorMap* AMap, ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearRemapTable(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetBrushRemapTable(UINT AMapSize, const ColorMap* AMap);
  Status ClearBrushRemapTable();
  Status SetWrapMode(WrapMode AWrap, ARGB AColor = 0xFF000000, bool AClamp = false);
  Status GetAdjustedPalette(ColorPalette* AColorPalette, ColorAdjustType AColorAdjustType);
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpImageAttributes* nativeImageAttr = nullptr;
  Status lastResult = Ok;
};

// ---- Images ----

enum TGPImageFormat {
  ifUndefined, ifMemoryBMP, ifBMP, ifEMF, ifWMF, ifJPEG, ifPNG, ifGIF, ifTIFF, ifEXIF, ifIcon
};

class TGPImage : public TGdiplusBase {
  ZELK_CLASS(TGPImage, TGdiplusBase)
public:
  explicit TGPImage(const String& AFileName, bool AUseEmbeddedColorManagement = false);
  explicit TGPImage(IStream* AStream, bool AUseEmbeddedColorManagement = false);
  TGPImage(gdip::GpImage* ANativeImage, Status AStatus);
  ~TGPImage() override;
  TGPImage(const TGPImage&) = delete;
  TGPImage& operator=(const TGPImage&) = delete;

  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }
  UINT GetWidth();
  UINT GetHeight();
  UINT Width() { return GetWidth(); }
  UINT Height() { return GetHeight(); }
  gdip::PixelFormat GetPixelFormat();
  UINT GetPixelDepth() { return (static_cast<UINT>(GetPixelFormat()) >> 8) & 0xFF; }
  bool HasPalette() { return (GetPixelFormat() & 0x10000) != 0; }
  bool HasAlphaChannel() { return (GetPixelFormat() & 0x40000) != 0; }
  TGPImageFormat GetFormat();
  // A new image, the caller's to free, carrying this image's status.
  TGPImage* GetThumbnailImage(UINT AThumbWidth, UINT AThumbHeight, ImageAbort ACallback = nullptr,
                              void* ACallbackData = nullptr);
  Status Save(const String& AFileName, const CLSID& AClsidEncoder, const EncoderParameters* AEncoderParams = nullptr);
  Status Save(IStream* AStream, const CLSID& AClsidEncoder, const EncoderParameters* AEncoderParams = nullptr);
  Status SaveAdd(TGPImage* ANewImage, const EncoderParameters* AEncoderParams);
  Status RotateFlip(RotateFlipType ARotateFlipType);

  gdip::GpImage* nativeImage = nullptr;
  Status lastResult = Ok;
  Status loadStatus;

protected:
  TGPImage() = default;
};

class TGPBitmap : public TGPImage {
  ZELK_CLASS(TGPBitmap, TGPImage)
public:
  explicit TGPBitmap(IStream* AStream, bool AUseEmbeddedColorManagement = false);
  TGPBitmap(Integer AWidth, Integer AHeight, gdip::PixelFormat AFormat = gdip::PixelFormat32bppARGB);
  explicit TGPBitmap(gdip::GpBitmap* ANativeBitmap);
  static TGPBitmap* FromStream(IStream* AStream, bool AUseEmbeddedColorManagement = false);

  // A device-independent bitmap of the pixels over AColorBackground, the caller's to delete.
  Status GetHBITMAP(ARGB AColorBackground, HBITMAP& AHbmReturn);
  Status GetPixel(Integer X, Integer Y, ARGB& AColor);
  Status SetPixel(Integer X, Integer Y, ARGB AColor);

private:
  gdip::GpBitmap* Native() { return static_cast<gdip::GpBitmap*>(nativeImage); }
};

// ---- Drawing surface ----

class TGPGraphics : public TGdiplusBase {
  ZELK_CLASS(TGPGraphics, TGdiplusBase)
public:
  explicit TGPGraphics(HDC ADC);
  explicit TGPGraphics(TGPImage* AImage);
  static TGPGraphics* FromImage(TGPImage* AImage);
  ~TGPGraphics() override;
  TGPGraphics(const TGPGraphics&) = delete;
  TGPGraphics& operator=(const TGPGraphics&) = delete;

  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }
  // The status is neither recorded nor returned.
  void Flush(FlushIntention AIntention = FlushIntentionFlush);
  Status Clear(ARGB AColor);
  HDC GetHDC();
  Status ReleaseHDC(HDC ADC);
  Status SetTextRenderingHint(TextRenderingHint ANewMode);
  TextRenderingHint GetTextRenderingHint();
  Status SetSmoothingMode(gdip::SmoothingMode ASmoothingMode);
  // -1 (SmoothingModeInvalid) when the call fails.
  gdip::SmoothingMode GetSmoothingMode();
  Status SetCompositingQuality(gdip::CompositingQuality ACompositingQuality);
  gdip::CompositingQuality GetCompositingQuality();

  Status SetTransform(TGPMatrix* AMatrix);
  Status MultiplyTransform(TGPMatrix* AMatrix, MatrixOrder AOrder = MatrixOrderPrepend);
  Status TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status RotateTransform(Single AAngle, MatrixOrder AOrder = MatrixOrderPrepend);
  Status ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status ResetTransform();

  Status SetClip(TGPRegion* ARegion, CombineMode ACombineMode = CombineModeReplace);
  Status SetClip(TGPGraphicsPath* APath, CombineMode ACombineMode = CombineModeReplace);
  Status ResetClip();
  Status ExcludeClip(const TGPRectF& ARect);
  Status ExcludeClip(TGPRegion* ARegion);

  Status DrawLine(TGPPen* APen, Single X1, Single Y1, Single X2, Single Y2);
  Status DrawRectangle(TGPPen* APen, const TGPRectF& ARect);
  Status DrawRectangle(TGPPen* APen, Single X, Single Y, Single AWidth, Single AHeight);
  Status DrawEllipse(TGPPen* APen, const TGPRectF& ARect);
  Status DrawEllipse(TGPPen* APen, Single X, Single Y, Single AWidth, Single AHeight);
  Status DrawEllipse(TGPPen* APen, const TGPRect& ARect);
  Status DrawEllipse(TGPPen* APen, Integer X, Integer Y, Integer AWidth, Integer AHeight);
  Status DrawArc(TGPPen* APen, const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle);
  Status DrawArc(TGPPen* APen, Single X, Single Y, Single AWidth, Single AHeight, Single AStartAngle,
                 Single ASweepAngle);
  Status DrawBezier(TGPPen* APen, const TGPPointF& APt1, const TGPPointF& APt2, const TGPPointF& APt3,
                    const TGPPointF& APt4);
  Status DrawBezier(TGPPen* APen, Single X1, Single Y1, Single X2, Single Y2, Single X3, Single Y3, Single X4,
                    Single Y4);
  Status DrawBeziers(TGPPen* APen, const TGPPointF* APoints, Integer ACount);
  Status DrawPath(TGPPen* APen, TGPGraphicsPath* APath);

  Status FillRectangle(TGPBrush* ABrush, const TGPRectF& ARect);
  Status FillRectangle(TGPBrush* ABrush, Single X, Single Y, Single AWidth, Single AHeight);
  Status FillEllipse(TGPBrush* ABrush, const TGPRectF& ARect);
  Status FillEllipse(TGPBrush* ABrush, Single X, Single Y, Single AWidth, Single AHeight);
  Status FillEllipse(TGPBrush* ABrush, const TGPRect& ARect);
  Status FillEllipse(TGPBrush* ABrush, Integer X, Integer Y, Integer AWidth, Integer AHeight);
  Status FillPolygon(TGPBrush* ABrush, const TGPPointF* APoints, Integer ACount, FillMode AFillMode = FillModeAlternate);
  Status FillPolygon(TGPBrush* ABrush, const TGPPoint* APoints, Integer ACount, FillMode AFillMode = FillModeAlternate);
  Status FillPath(TGPBrush* ABrush, TGPGraphicsPath* APath);

  Status DrawImage(TGPImage* AImage, Integer X, Integer Y);
  Status DrawImage(TGPImage* AImage, const TGPRectF& ARect);
  Status DrawImage(TGPImage* AImage, Single X, Single Y, Single AWidth, Single AHeight);
  Status DrawImageRect(TGPImage* AImage, Integer X, Integer Y, Integer AWidth, Integer AHeight);
  // Each float taken to the nearest integer, halves to even.
  Status DrawImageRect(TGPImage* AImage, const TGPRectF& ARect);
  Status DrawImage(TGPImage* AImage, const TGPRectF& ADestRect, Single ASrcX, Single ASrcY, Single ASrcWidth,
                   Single ASrcHeight, gdip::Unit ASrcUnit, TGPImageAttributes* AImageAttributes = nullptr,
                   ImageAbort ACallback = nullptr, void* ACallbackData = nullptr);

  // Lengths beyond the text are taken as the text's own (-1: up to its end).
  Status MeasureString(const String& AString, Integer ALength, TGPFont* AFont, const TGPRectF& ALayoutRect,
                       TGPStringFormat* AStringFormat, TGPRectF& ABoundingBox, Integer& ACodepointsFitted,
                       Integer& ALinesFilled);
  Status MeasureString(const String& AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin,
                       TGPStringFormat* AStringFormat, TGPRectF& ABoundingBox);
  Status MeasureString(const String& AString, Integer ALength, TGPFont* AFont, const TGPRectF& ALayoutRect,
                       TGPRectF& ABoundingBox);
  // The whole text is drawn: ALength is not consulted.
  Status DrawString(const String& AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin, TGPBrush* ABrush);
  Status DrawString(const String& AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin,
                    TGPStringFormat* AStringFormat, TGPBrush* ABrush);
  Status DrawString(const String& AString, Integer ALength, TGPFont* AFont, const TGPRectF& ALayoutRect,
                    TGPStringFormat* AStringFormat, TGPBrush* ABrush);

  // A GDI+ font (the caller's to free) of the font's family, "Arial" when that is not installed,
  // its style (bold, italic, underline, strike-out) and its point size or ASize points.
  TGPFont* MakeFont(TFont* AFont);
  TGPFont* MakeFont(TFont* AFont, Single ASize);
  // The measured width and height of the whole text in AFont, to the nearest pixel.
  Integer TextWidth(const String& AString, TFont* AFont);
  Integer TextHeight(const String& AString, TFont* AFont);
  // One line of AString's first ALength characters (-1: all) at ARect's top left in AFont's
  // colour. With DT_CALCRECT in AStyle, or a background colour other than clNone, ARect's right and
  // bottom become the measured text's (a trailing space counted) and the background fills it;
  // DT_CALCRECT measures only. The answer is ARect's height.
  Integer DrawText(const String& AString, Integer ALength, TRect& ARect, TFont* AFont, UINT AStyle,
                   TColor ABkColor = clNone);

  gdip::GpGraphics* nativeGraphics = nullptr;
  Status lastResult = Ok;
};

}  // namespace NeoGDIP

// Imports the unit's functions from the registered "gdiplus.dll" module (raising Exception when
// that fails) and adds the unit NeoGDIP to the program's units.
void RegisterNeoGDIPUnit();
