#pragma once
// The GDI+ flat API as "gdiplus.dll" exports it: the published enumerations, records and opaque
// object types, and one function-pointer type per flat name, in the binary layout of the library
// that stands behind the module (BOOL is a 32-bit int, WCHAR a UTF-16 unit, LONG 32 bits).
//
// ZELK_GDIPLUS_FLAT(X) lists every flat function as X(Result, Name, (Parameters)) in the order of
// the binding table that the graphics layer fills; T<Name> is the function-pointer type of each.
#include <cstddef>
#include <cstdint>

#include "platform/rtl/Guid.h"
#include "platform/win/ObjIdl.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinTypes.h"

namespace gdip {

using REAL = float;
using INT = std::int32_t;
using UINT = std::uint32_t;
using UINT16 = std::uint16_t;
using UINT32 = std::uint32_t;
using BOOL = std::int32_t;
using BYTE = std::uint8_t;
using WCHAR = char16_t;
using LANGID = std::uint16_t;
using ULONG_PTR = std::uintptr_t;
using PROPID = std::uint32_t;
using ARGB = std::uint32_t;
using PixelFormat = std::int32_t;
using GraphicsState = UINT;
using GraphicsContainer = UINT;

static_assert(sizeof(BOOL) == 4 && sizeof(WCHAR) == 2 && sizeof(LONG) == 4);

// ---- Enumerations ----
enum Status : std::int32_t {
  Ok = 0, GenericError = 1, InvalidParameter = 2, OutOfMemory = 3, ObjectBusy = 4, InsufficientBuffer = 5,
  NotImplemented = 6, Win32Error = 7, WrongState = 8, Aborted = 9, FileNotFound = 10, ValueOverflow = 11,
  AccessDenied = 12, UnknownImageFormat = 13, FontFamilyNotFound = 14, FontStyleNotFound = 15,
  NotTrueTypeFont = 16, UnsupportedGdiplusVersion = 17, GdiplusNotInitialized = 18, PropertyNotFound = 19,
  PropertyNotSupported = 20
};
using GpStatus = Status;

enum FillMode : std::int32_t { FillModeAlternate = 0, FillModeWinding = 1 };
enum CompositingMode : std::int32_t { CompositingModeSourceOver = 0, CompositingModeSourceCopy = 1 };
enum QualityMode : std::int32_t { QualityModeInvalid = -1, QualityModeDefault = 0, QualityModeLow = 1, QualityModeHigh = 2 };
enum CompositingQuality : std::int32_t {
  CompositingQualityInvalid = -1, CompositingQualityDefault = 0, CompositingQualityHighSpeed = 1,
  CompositingQualityHighQuality = 2, CompositingQualityGammaCorrected = 3, CompositingQualityAssumeLinear = 4
};
enum Unit : std::int32_t {
  UnitWorld = 0, UnitDisplay = 1, UnitPixel = 2, UnitPoint = 3, UnitInch = 4, UnitDocument = 5, UnitMillimeter = 6
};
using GpUnit = Unit;
enum MetafileFrameUnit : std::int32_t {
  MetafileFrameUnitPixel = 2, MetafileFrameUnitPoint = 3, MetafileFrameUnitInch = 4, MetafileFrameUnitDocument = 5,
  MetafileFrameUnitMillimeter = 6, MetafileFrameUnitGdi = 7
};
enum CoordinateSpace : std::int32_t { CoordinateSpaceWorld = 0, CoordinateSpacePage = 1, CoordinateSpaceDevice = 2 };
enum WrapMode : std::int32_t {
  WrapModeTile = 0, WrapModeTileFlipX = 1, WrapModeTileFlipY = 2, WrapModeTileFlipXY = 3, WrapModeClamp = 4
};
enum HatchStyle : std::int32_t {
  HatchStyleHorizontal, HatchStyleVertical, HatchStyleForwardDiagonal, HatchStyleBackwardDiagonal,
  HatchStyleCross, HatchStyleDiagonalCross, HatchStyle05Percent, HatchStyle10Percent, HatchStyle20Percent,
  HatchStyle25Percent, HatchStyle30Percent, HatchStyle40Percent, HatchStyle50Percent, HatchStyle60Percent,
  HatchStyle70Percent, HatchStyle75Percent, HatchStyle80Percent, HatchStyle90Percent,
  HatchStyleLightDownwardDiagonal, HatchStyleLightUpwardDiagonal, HatchStyleDarkDownwardDiagonal,
  HatchStyleDarkUpwardDiagonal, HatchStyleWideDownwardDiagonal, HatchStyleWideUpwardDiagonal,
  HatchStyleLightVertical, HatchStyleLightHorizontal, HatchStyleNarrowVertical, HatchStyleNarrowHorizontal,
  HatchStyleDarkVertical, HatchStyleDarkHorizontal, HatchStyleDashedDownwardDiagonal,
  HatchStyleDashedUpwardDiagonal, HatchStyleDashedHorizontal, HatchStyleDashedVertical, HatchStyleSmallConfetti,
  HatchStyleLargeConfetti, HatchStyleZigZag, HatchStyleWave, HatchStyleDiagonalBrick, HatchStyleHorizontalBrick,
  HatchStyleWeave, HatchStylePlaid, HatchStyleDivot, HatchStyleDottedGrid, HatchStyleDottedDiamond,
  HatchStyleShingle, HatchStyleTrellis, HatchStyleSphere, HatchStyleSmallGrid, HatchStyleSmallCheckerBoard,
  HatchStyleLargeCheckerBoard, HatchStyleOutlinedDiamond, HatchStyleSolidDiamond, HatchStyleTotal,
  HatchStyleLargeGrid = HatchStyleCross, HatchStyleMin = HatchStyleHorizontal, HatchStyleMax = HatchStyleTotal - 1
};
enum DashStyle : std::int32_t {
  DashStyleSolid = 0, DashStyleDash = 1, DashStyleDot = 2, DashStyleDashDot = 3, DashStyleDashDotDot = 4,
  DashStyleCustom = 5
};
enum DashCap : std::int32_t { DashCapFlat = 0, DashCapRound = 2, DashCapTriangle = 3 };
enum LineCap : std::int32_t {
  LineCapFlat = 0, LineCapSquare = 1, LineCapRound = 2, LineCapTriangle = 3, LineCapNoAnchor = 0x10,
  LineCapSquareAnchor = 0x11, LineCapRoundAnchor = 0x12, LineCapDiamondAnchor = 0x13, LineCapArrowAnchor = 0x14,
  LineCapCustom = 0xFF, LineCapAnchorMask = 0xF0
};
enum CustomLineCapType : std::int32_t { CustomLineCapTypeDefault = 0, CustomLineCapTypeAdjustableArrow = 1 };
enum LineJoin : std::int32_t { LineJoinMiter = 0, LineJoinBevel = 1, LineJoinRound = 2, LineJoinMiterClipped = 3 };
enum PathPointType : std::int32_t {
  PathPointTypeStart = 0, PathPointTypeLine = 1, PathPointTypeBezier = 3, PathPointTypePathTypeMask = 7,
  PathPointTypeDashMode = 0x10, PathPointTypePathMarker = 0x20, PathPointTypeCloseSubpath = 0x80,
  PathPointTypeBezier3 = 3
};
enum WarpMode : std::int32_t { WarpModePerspective = 0, WarpModeBilinear = 1 };
enum LinearGradientMode : std::int32_t {
  LinearGradientModeHorizontal = 0, LinearGradientModeVertical = 1, LinearGradientModeForwardDiagonal = 2,
  LinearGradientModeBackwardDiagonal = 3
};
enum CombineMode : std::int32_t {
  CombineModeReplace = 0, CombineModeIntersect = 1, CombineModeUnion = 2, CombineModeXor = 3,
  CombineModeExclude = 4, CombineModeComplement = 5
};
enum ImageType : std::int32_t { ImageTypeUnknown = 0, ImageTypeBitmap = 1, ImageTypeMetafile = 2 };
enum InterpolationMode : std::int32_t {
  InterpolationModeInvalid = -1, InterpolationModeDefault = 0, InterpolationModeLowQuality = 1,
  InterpolationModeHighQuality = 2, InterpolationModeBilinear = 3, InterpolationModeBicubic = 4,
  InterpolationModeNearestNeighbor = 5, InterpolationModeHighQualityBilinear = 6,
  InterpolationModeHighQualityBicubic = 7
};
enum PenAlignment : std::int32_t { PenAlignmentCenter = 0, PenAlignmentInset = 1 };
enum BrushType : std::int32_t {
  BrushTypeSolidColor = 0, BrushTypeHatchFill = 1, BrushTypeTextureFill = 2, BrushTypePathGradient = 3,
  BrushTypeLinearGradient = 4
};
enum PenType : std::int32_t {
  PenTypeSolidColor = 0, PenTypeHatchFill = 1, PenTypeTextureFill = 2, PenTypePathGradient = 3,
  PenTypeLinearGradient = 4, PenTypeUnknown = -1
};
enum MatrixOrder : std::int32_t { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };
enum GenericFontFamily : std::int32_t {
  GenericFontFamilySerif = 0, GenericFontFamilySansSerif = 1, GenericFontFamilyMonospace = 2
};
enum FontStyle : std::int32_t {
  FontStyleRegular = 0, FontStyleBold = 1, FontStyleItalic = 2, FontStyleBoldItalic = 3, FontStyleUnderline = 4,
  FontStyleStrikeout = 8
};
enum SmoothingMode : std::int32_t {
  SmoothingModeInvalid = -1, SmoothingModeDefault = 0, SmoothingModeHighSpeed = 1, SmoothingModeHighQuality = 2,
  SmoothingModeNone = 3, SmoothingModeAntiAlias = 4
};
enum PixelOffsetMode : std::int32_t {
  PixelOffsetModeInvalid = -1, PixelOffsetModeDefault = 0, PixelOffsetModeHighSpeed = 1,
  PixelOffsetModeHighQuality = 2, PixelOffsetModeNone = 3, PixelOffsetModeHalf = 4
};
enum TextRenderingHint : std::int32_t {
  TextRenderingHintSystemDefault = 0, TextRenderingHintSingleBitPerPixelGridFit = 1,
  TextRenderingHintSingleBitPerPixel = 2, TextRenderingHintAntiAliasGridFit = 3, TextRenderingHintAntiAlias = 4,
  TextRenderingHintClearTypeGridFit = 5
};
enum EmfType : std::int32_t { EmfTypeEmfOnly = 3, EmfTypeEmfPlusOnly = 4, EmfTypeEmfPlusDual = 5 };
enum StringFormatFlags : std::int32_t {
  StringFormatFlagsDirectionRightToLeft = 0x0001, StringFormatFlagsDirectionVertical = 0x0002,
  StringFormatFlagsNoFitBlackBox = 0x0004, StringFormatFlagsDisplayFormatControl = 0x0020,
  StringFormatFlagsNoFontFallback = 0x0400, StringFormatFlagsMeasureTrailingSpaces = 0x0800,
  StringFormatFlagsNoWrap = 0x1000, StringFormatFlagsLineLimit = 0x2000, StringFormatFlagsNoClip = 0x4000
};
enum StringTrimming : std::int32_t {
  StringTrimmingNone = 0, StringTrimmingCharacter = 1, StringTrimmingWord = 2, StringTrimmingEllipsisCharacter = 3,
  StringTrimmingEllipsisWord = 4, StringTrimmingEllipsisPath = 5
};
enum StringDigitSubstitute : std::int32_t {
  StringDigitSubstituteUser = 0, StringDigitSubstituteNone = 1, StringDigitSubstituteNational = 2,
  StringDigitSubstituteTraditional = 3
};
enum HotkeyPrefix : std::int32_t { HotkeyPrefixNone = 0, HotkeyPrefixShow = 1, HotkeyPrefixHide = 2 };
enum StringAlignment : std::int32_t { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };
enum DriverStringOptions : std::int32_t {
  DriverStringOptionsCmapLookup = 1, DriverStringOptionsVertical = 2, DriverStringOptionsRealizedAdvance = 4,
  DriverStringOptionsLimitSubpixel = 8
};
enum FlushIntention : std::int32_t { FlushIntentionFlush = 0, FlushIntentionSync = 1 };
enum EncoderParameterValueType : std::int32_t {
  EncoderParameterValueTypeByte = 1, EncoderParameterValueTypeASCII = 2, EncoderParameterValueTypeShort = 3,
  EncoderParameterValueTypeLong = 4, EncoderParameterValueTypeRational = 5, EncoderParameterValueTypeLongRange = 6,
  EncoderParameterValueTypeUndefined = 7, EncoderParameterValueTypeRationalRange = 8
};
enum ColorChannelFlags : std::int32_t {
  ColorChannelFlagsC = 0, ColorChannelFlagsM = 1, ColorChannelFlagsY = 2, ColorChannelFlagsK = 3,
  ColorChannelFlagsLast = 4
};
enum RotateFlipType : std::int32_t {
  RotateNoneFlipNone = 0, Rotate90FlipNone = 1, Rotate180FlipNone = 2, Rotate270FlipNone = 3,
  RotateNoneFlipX = 4, Rotate90FlipX = 5, Rotate180FlipX = 6, Rotate270FlipX = 7,
  RotateNoneFlipY = Rotate180FlipX, Rotate90FlipY = Rotate270FlipX, Rotate180FlipY = RotateNoneFlipX,
  Rotate270FlipY = Rotate90FlipX, RotateNoneFlipXY = Rotate180FlipNone, Rotate90FlipXY = Rotate270FlipNone,
  Rotate180FlipXY = RotateNoneFlipNone, Rotate270FlipXY = Rotate90FlipNone
};
enum ColorMatrixFlags : std::int32_t {
  ColorMatrixFlagsDefault = 0, ColorMatrixFlagsSkipGrays = 1, ColorMatrixFlagsAltGray = 2
};
enum ColorAdjustType : std::int32_t {
  ColorAdjustTypeDefault = 0, ColorAdjustTypeBitmap = 1, ColorAdjustTypeBrush = 2, ColorAdjustTypePen = 3,
  ColorAdjustTypeText = 4, ColorAdjustTypeCount = 5, ColorAdjustTypeAny = 6
};
enum ImageLockMode : std::int32_t {
  ImageLockModeRead = 1, ImageLockModeWrite = 2, ImageLockModeUserInputBuf = 4
};
enum ImageFlags : std::int32_t {
  ImageFlagsNone = 0, ImageFlagsScalable = 0x1, ImageFlagsHasAlpha = 0x2, ImageFlagsHasTranslucent = 0x4,
  ImageFlagsPartiallyScalable = 0x8, ImageFlagsColorSpaceRGB = 0x10, ImageFlagsColorSpaceCMYK = 0x20,
  ImageFlagsColorSpaceGRAY = 0x40, ImageFlagsColorSpaceYCBCR = 0x80, ImageFlagsColorSpaceYCCK = 0x100,
  ImageFlagsHasRealDPI = 0x1000, ImageFlagsHasRealPixelSize = 0x2000, ImageFlagsReadOnly = 0x10000,
  ImageFlagsCaching = 0x20000
};
enum DebugEventLevel : std::int32_t { DebugEventLevelFatal = 0, DebugEventLevelWarning = 1 };

// Pixel formats: bits 8-15 the depth, 16 indexed, 17 GDI-compatible, 18 alpha, 19 premultiplied.
constexpr PixelFormat PixelFormatIndexed = 0x00010000, PixelFormatGDI = 0x00020000,
                      PixelFormatAlpha = 0x00040000, PixelFormatPAlpha = 0x00080000,
                      PixelFormatExtended = 0x00100000, PixelFormatCanonical = 0x00200000,
                      PixelFormatUndefined = 0, PixelFormatDontCare = 0,
                      PixelFormat1bppIndexed = 0x00030101, PixelFormat4bppIndexed = 0x00030402,
                      PixelFormat8bppIndexed = 0x00030803, PixelFormat16bppGrayScale = 0x00101004,
                      PixelFormat16bppRGB555 = 0x00021005, PixelFormat16bppRGB565 = 0x00021006,
                      PixelFormat16bppARGB1555 = 0x00061007, PixelFormat24bppRGB = 0x00021808,
                      PixelFormat32bppRGB = 0x00022009, PixelFormat32bppARGB = 0x0026200A,
                      PixelFormat32bppPARGB = 0x000E200B, PixelFormat48bppRGB = 0x0010300C,
                      PixelFormat64bppARGB = 0x0034400D, PixelFormat64bppPARGB = 0x001A400E,
                      PixelFormat32bppCMYK = 0x0000200F, PixelFormatMax = 16;

// ---- Records ----
struct PointF { REAL X = 0, Y = 0; };
struct Point { INT X = 0, Y = 0; };
struct SizeF { REAL Width = 0, Height = 0; };
struct Size { INT Width = 0, Height = 0; };
struct RectF { REAL X = 0, Y = 0, Width = 0, Height = 0; };
struct Rect { INT X = 0, Y = 0, Width = 0, Height = 0; };
using GpPointF = PointF;
using GpPoint = Point;
using GpRectF = RectF;
using GpRect = Rect;
using GpSizeF = SizeF;

struct PathData {
  INT Count = 0;
  PointF* Points = nullptr;
  BYTE* Types = nullptr;
};
using GpPathData = PathData;

struct CharacterRange { INT First = 0, Length = 0; };

struct ColorPalette {
  UINT Flags;
  UINT Count;
  ARGB Entries[1];
};

struct BitmapData {
  UINT Width;
  UINT Height;
  INT Stride;
  gdip::PixelFormat PixelFormat;
  void* Scan0;
  ULONG_PTR Reserved;
  // libgdiplus keeps its lock state in the caller's record, behind the published fields (it
  // writes 84 bytes in all).
  std::uint8_t LibraryState[64];
};

struct EncoderParameter {
  GUID Guid;
  ULONG NumberOfValues;
  ULONG Type;
  void* Value;
};
struct EncoderParameters {
  UINT Count;
  EncoderParameter Parameter[1];
};

struct PropertyItem {
  PROPID id;
  ULONG length;
  WORD type;
  void* value;
};

struct ColorMatrix { REAL m[5][5]; };
struct ColorMap { ARGB oldColor, newColor; };

struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName;
  const WCHAR* DllName;
  const WCHAR* FormatDescription;
  const WCHAR* FilenameExtension;
  const WCHAR* MimeType;
  DWORD Flags;
  DWORD Version;
  DWORD SigCount;
  DWORD SigSize;
  const BYTE* SigPattern;
  const BYTE* SigMask;
};

using DebugEventProc = void (*)(DebugEventLevel Level, char* Message);
using NotificationHookProc = Status (*)(ULONG_PTR* Token);
using NotificationUnhookProc = void (*)(ULONG_PTR Token);

struct GdiplusStartupInput {
  UINT32 GdiplusVersion = 1;
  DebugEventProc DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = 0;
  BOOL SuppressExternalCodecs = 0;
};
struct GdiplusStartupOutput {
  NotificationHookProc NotificationHook = nullptr;
  NotificationUnhookProc NotificationUnhook = nullptr;
};

// Abort callbacks: called with their data pointer, a nonzero answer stops the operation.
using ImageAbort = BOOL (*)(void* CallbackData);
using DrawImageAbort = ImageAbort;
using GetThumbnailImageAbort = ImageAbort;

static_assert(sizeof(PointF) == 8 && sizeof(RectF) == 16 && sizeof(Rect) == 16);
static_assert(sizeof(PathData) == 24 && offsetof(PathData, Points) == 8);
static_assert(offsetof(BitmapData, LibraryState) == 32 && sizeof(BitmapData) >= 84 && sizeof(ColorMatrix) == 100 && sizeof(EncoderParameter) == 32);
static_assert(sizeof(GdiplusStartupInput) == 24 && sizeof(ImageCodecInfo) == 104);
static_assert(sizeof(LOGFONTA) == 60 && sizeof(LOGFONTW) == 92);

// ---- Opaque objects (only ever handled through pointers) ----
struct GpGraphics {};
struct GpBrush {};
struct GpSolidFill : GpBrush {};
struct GpHatch : GpBrush {};
struct GpTexture : GpBrush {};
struct GpLineGradient : GpBrush {};
struct GpPathGradient : GpBrush {};
struct GpPen {};
struct GpCustomLineCap {};
struct GpAdjustableArrowCap : GpCustomLineCap {};
struct GpImage {};
struct GpBitmap : GpImage {};
struct GpMetafile : GpImage {};
struct GpCachedBitmap {};
struct GpImageAttributes {};
struct GpPath {};
struct GpPathIterator {};
struct GpMatrix {};
struct GpRegion {};
struct GpFontFamily {};
struct GpFont {};
struct GpFontCollection {};
struct GpStringFormat {};
struct MetafileHeader;
struct WmfPlaceableFileHeader;
struct HMETAFILE__;
struct HENHMETAFILE__;
using HMETAFILE = HMETAFILE__*;
using HENHMETAFILE = HENHMETAFILE__*;

}  // namespace gdip

// clang-format off
#define ZELK_GDIPLUS_FLAT(X) \
  X(void*, GdipAlloc, (std::size_t size)) \
  X(void, GdipFree, (void* ptr)) \
  X(Status, GdiplusStartup, (ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output)) \
  X(void, GdiplusShutdown, (ULONG_PTR token)) \
  X(Status, GdipCreatePath, (FillMode brushMode, GpPath** path)) \
  X(Status, GdipCreatePath2, (const GpPointF* points, const BYTE* types, INT count, FillMode fillMode, GpPath** path)) \
  X(Status, GdipCreatePath2I, (const GpPoint* points, const BYTE* types, INT count, FillMode fillMode, GpPath** path)) \
  X(Status, GdipClonePath, (GpPath* path, GpPath** clonePath)) \
  X(Status, GdipDeletePath, (GpPath* path)) \
  X(Status, GdipResetPath, (GpPath* path)) \
  X(Status, GdipGetPointCount, (GpPath* path, INT* count)) \
  X(Status, GdipGetPathTypes, (GpPath* path, BYTE* types, INT count)) \
  X(Status, GdipGetPathPoints, (GpPath* path, GpPointF* points, INT count)) \
  X(Status, GdipGetPathPointsI, (GpPath* path, GpPoint* points, INT count)) \
  X(Status, GdipGetPathFillMode, (GpPath* path, FillMode* fillmode)) \
  X(Status, GdipSetPathFillMode, (GpPath* path, FillMode fillmode)) \
  X(Status, GdipGetPathData, (GpPath* path, GpPathData* pathData)) \
  X(Status, GdipStartPathFigure, (GpPath* path)) \
  X(Status, GdipClosePathFigure, (GpPath* path)) \
  X(Status, GdipClosePathFigures, (GpPath* path)) \
  X(Status, GdipSetPathMarker, (GpPath* path)) \
  X(Status, GdipClearPathMarkers, (GpPath* path)) \
  X(Status, GdipReversePath, (GpPath* path)) \
  X(Status, GdipGetPathLastPoint, (GpPath* path, GpPointF* lastPoint)) \
  X(Status, GdipAddPathLine, (GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2)) \
  X(Status, GdipAddPathLine2, (GpPath* path, const GpPointF* points, INT count)) \
  X(Status, GdipAddPathArc, (GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle)) \
  X(Status, GdipAddPathBezier, (GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4)) \
  X(Status, GdipAddPathBeziers, (GpPath* path, const GpPointF* points, INT count)) \
  X(Status, GdipAddPathCurve, (GpPath* path, const GpPointF* points, INT count)) \
  X(Status, GdipAddPathCurve2, (GpPath* path, const GpPointF* points, INT count, REAL tension)) \
  X(Status, GdipAddPathCurve3, (GpPath* path, const GpPointF* points, INT count, INT offset, INT numberOfSegments, REAL tension)) \
  X(Status, GdipAddPathClosedCurve, (GpPath* path, const GpPointF* points, INT count)) \
  X(Status, GdipAddPathClosedCurve2, (GpPath* path, const GpPointF* points, INT count, REAL tension)) \
  X(Status, GdipAddPathRectangle, (GpPath* path, REAL x, REAL y, REAL width, REAL height)) \
  X(Status, GdipAddPathRectangles, (GpPath* path, const GpRectF* rects, INT count)) \
  X(Status, GdipAddPathEllipse, (GpPath* path, REAL x, REAL y, REAL width, REAL height)) \
  X(Status, GdipAddPathPie, (GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle)) \
  X(Status, GdipAddPathPolygon, (GpPath* path, const GpPointF* points, INT count)) \
  X(Status, GdipAddPathPath, (GpPath* path, const GpPath* addingPath, BOOL connect)) \
  X(Status, GdipAddPathString, (GpPath* path, const WCHAR* string, INT length, const GpFontFamily* family, INT style, REAL emSize, const RectF* layoutRect, const GpStringFormat* format)) \
  X(Status, GdipAddPathStringI, (GpPath* path, const WCHAR* string, INT length, const GpFontFamily* family, INT style, REAL emSize, const Rect* layoutRect, const GpStringFormat* format)) \
  X(Status, GdipAddPathLineI, (GpPath* path, INT x1, INT y1, INT x2, INT y2)) \
  X(Status, GdipAddPathLine2I, (GpPath* path, const GpPoint* points, INT count)) \
  X(Status, GdipAddPathArcI, (GpPath* path, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle)) \
  X(Status, GdipAddPathBezierI, (GpPath* path, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4)) \
  X(Status, GdipAddPathBeziersI, (GpPath* path, const GpPoint* points, INT count)) \
  X(Status, GdipAddPathCurveI, (GpPath* path, const GpPoint* points, INT count)) \
  X(Status, GdipAddPathCurve2I, (GpPath* path, const GpPoint* points, INT count, REAL tension)) \
  X(Status, GdipAddPathCurve3I, (GpPath* path, const GpPoint* points, INT count, INT offset, INT numberOfSegments, REAL tension)) \
  X(Status, GdipAddPathClosedCurveI, (GpPath* path, const GpPoint* points, INT count)) \
  X(Status, GdipAddPathClosedCurve2I, (GpPath* path, const GpPoint* points, INT count, REAL tension)) \
  X(Status, GdipAddPathRectangleI, (GpPath* path, INT x, INT y, INT width, INT height)) \
  X(Status, GdipAddPathRectanglesI, (GpPath* path, const GpRect* rects, INT count)) \
  X(Status, GdipAddPathEllipseI, (GpPath* path, INT x, INT y, INT width, INT height)) \
  X(Status, GdipAddPathPieI, (GpPath* path, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle)) \
  X(Status, GdipAddPathPolygonI, (GpPath* path, const GpPoint* points, INT count)) \
  X(Status, GdipFlattenPath, (GpPath* path, GpMatrix* matrix, REAL flatness)) \
  X(Status, GdipWindingModeOutline, (GpPath* path, GpMatrix* matrix, REAL flatness)) \
  X(Status, GdipWidenPath, (GpPath* nativePath, GpPen* pen, GpMatrix* matrix, REAL flatness)) \
  X(Status, GdipWarpPath, (GpPath* path, GpMatrix* matrix, const GpPointF* points, INT count, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, WarpMode warpMode, REAL flatness)) \
  X(Status, GdipTransformPath, (GpPath* path, GpMatrix* matrix)) \
  X(Status, GdipGetPathWorldBounds, (GpPath* path, GpRectF* bounds, const GpMatrix* matrix, const GpPen* pen)) \
  X(Status, GdipGetPathWorldBoundsI, (GpPath* path, GpRect* bounds, const GpMatrix* matrix, const GpPen* pen)) \
  X(Status, GdipIsVisiblePathPoint, (GpPath* path, REAL x, REAL y, GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipIsVisiblePathPointI, (GpPath* path, INT x, INT y, GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipIsOutlineVisiblePathPoint, (GpPath* path, REAL x, REAL y, GpPen* pen, GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipIsOutlineVisiblePathPointI, (GpPath* path, INT x, INT y, GpPen* pen, GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipCreatePathIter, (GpPathIterator** iterator, GpPath* path)) \
  X(Status, GdipDeletePathIter, (GpPathIterator* iterator)) \
  X(Status, GdipPathIterNextSubpath, (GpPathIterator* iterator, INT* resultCount, INT* startIndex, INT* endIndex, BOOL* isClosed)) \
  X(Status, GdipPathIterNextSubpathPath, (GpPathIterator* iterator, INT* resultCount, GpPath* path, BOOL* isClosed)) \
  X(Status, GdipPathIterNextPathType, (GpPathIterator* iterator, INT* resultCount, BYTE* pathType, INT* startIndex, INT* endIndex)) \
  X(Status, GdipPathIterNextMarker, (GpPathIterator* iterator, INT* resultCount, INT* startIndex, INT* endIndex)) \
  X(Status, GdipPathIterNextMarkerPath, (GpPathIterator* iterator, INT* resultCount, GpPath* path)) \
  X(Status, GdipPathIterGetCount, (GpPathIterator* iterator, INT* count)) \
  X(Status, GdipPathIterGetSubpathCount, (GpPathIterator* iterator, INT* count)) \
  X(Status, GdipPathIterIsValid, (GpPathIterator* iterator, BOOL* valid)) \
  X(Status, GdipPathIterHasCurve, (GpPathIterator* iterator, BOOL* hasCurve)) \
  X(Status, GdipPathIterRewind, (GpPathIterator* iterator)) \
  X(Status, GdipPathIterEnumerate, (GpPathIterator* iterator, INT* resultCount, GpPointF* points, BYTE* types, INT count)) \
  X(Status, GdipPathIterCopyData, (GpPathIterator* iterator, INT* resultCount, GpPointF* points, BYTE* types, INT startIndex, INT endIndex)) \
  X(Status, GdipCreateMatrix, (GpMatrix** matrix)) \
  X(Status, GdipCreateMatrix2, (REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy, GpMatrix** matrix)) \
  X(Status, GdipCreateMatrix3, (const GpRectF* rect, const GpPointF* dstplg, GpMatrix** matrix)) \
  X(Status, GdipCreateMatrix3I, (const GpRect* rect, const GpPoint* dstplg, GpMatrix** matrix)) \
  X(Status, GdipCloneMatrix, (GpMatrix* matrix, GpMatrix** cloneMatrix)) \
  X(Status, GdipDeleteMatrix, (GpMatrix* matrix)) \
  X(Status, GdipSetMatrixElements, (GpMatrix* matrix, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy)) \
  X(Status, GdipMultiplyMatrix, (GpMatrix* matrix, GpMatrix* matrix2, MatrixOrder order)) \
  X(Status, GdipTranslateMatrix, (GpMatrix* matrix, REAL offsetX, REAL offsetY, MatrixOrder order)) \
  X(Status, GdipScaleMatrix, (GpMatrix* matrix, REAL scaleX, REAL scaleY, MatrixOrder order)) \
  X(Status, GdipRotateMatrix, (GpMatrix* matrix, REAL angle, MatrixOrder order)) \
  X(Status, GdipShearMatrix, (GpMatrix* matrix, REAL shearX, REAL shearY, MatrixOrder order)) \
  X(Status, GdipInvertMatrix, (GpMatrix* matrix)) \
  X(Status, GdipTransformMatrixPoints, (GpMatrix* matrix, GpPointF* pts, INT count)) \
  X(Status, GdipTransformMatrixPointsI, (GpMatrix* matrix, GpPoint* pts, INT count)) \
  X(Status, GdipVectorTransformMatrixPoints, (GpMatrix* matrix, GpPointF* pts, INT count)) \
  X(Status, GdipVectorTransformMatrixPointsI, (GpMatrix* matrix, GpPoint* pts, INT count)) \
  X(Status, GdipGetMatrixElements, (const GpMatrix* matrix, REAL* matrixOut)) \
  X(Status, GdipIsMatrixInvertible, (const GpMatrix* matrix, BOOL* result)) \
  X(Status, GdipIsMatrixIdentity, (const GpMatrix* matrix, BOOL* result)) \
  X(Status, GdipIsMatrixEqual, (const GpMatrix* matrix, const GpMatrix* matrix2, BOOL* result)) \
  X(Status, GdipCreateRegion, (GpRegion** region)) \
  X(Status, GdipCreateRegionRect, (const GpRectF* rect, GpRegion** region)) \
  X(Status, GdipCreateRegionRectI, (const GpRect* rect, GpRegion** region)) \
  X(Status, GdipCreateRegionPath, (GpPath* path, GpRegion** region)) \
  X(Status, GdipCreateRegionRgnData, (const BYTE* regionData, INT size, GpRegion** region)) \
  X(Status, GdipCreateRegionHrgn, (HRGN hRgn, GpRegion** region)) \
  X(Status, GdipCloneRegion, (GpRegion* region, GpRegion** cloneRegion)) \
  X(Status, GdipDeleteRegion, (GpRegion* region)) \
  X(Status, GdipSetInfinite, (GpRegion* region)) \
  X(Status, GdipSetEmpty, (GpRegion* region)) \
  X(Status, GdipCombineRegionRect, (GpRegion* region, const GpRectF* rect, CombineMode combineMode)) \
  X(Status, GdipCombineRegionRectI, (GpRegion* region, const GpRect* rect, CombineMode combineMode)) \
  X(Status, GdipCombineRegionPath, (GpRegion* region, GpPath* path, CombineMode combineMode)) \
  X(Status, GdipCombineRegionRegion, (GpRegion* region, GpRegion* region2, CombineMode combineMode)) \
  X(Status, GdipTranslateRegion, (GpRegion* region, REAL dx, REAL dy)) \
  X(Status, GdipTranslateRegionI, (GpRegion* region, INT dx, INT dy)) \
  X(Status, GdipTransformRegion, (GpRegion* region, GpMatrix* matrix)) \
  X(Status, GdipGetRegionBounds, (GpRegion* region, GpGraphics* graphics, GpRectF* rect)) \
  X(Status, GdipGetRegionBoundsI, (GpRegion* region, GpGraphics* graphics, GpRect* rect)) \
  X(Status, GdipGetRegionHRgn, (GpRegion* region, GpGraphics* graphics, HRGN* hRgn)) \
  X(Status, GdipIsEmptyRegion, (GpRegion* region, GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipIsInfiniteRegion, (GpRegion* region, GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipIsEqualRegion, (GpRegion* region, GpRegion* region2, GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipGetRegionDataSize, (GpRegion* region, UINT* bufferSize)) \
  X(Status, GdipGetRegionData, (GpRegion* region, BYTE* buffer, UINT bufferSize, UINT* sizeFilled)) \
  X(Status, GdipIsVisibleRegionPoint, (GpRegion* region, REAL x, REAL y, GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipIsVisibleRegionPointI, (GpRegion* region, INT x, INT y, GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipIsVisibleRegionRect, (GpRegion* region, REAL x, REAL y, REAL width, REAL height, GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipIsVisibleRegionRectI, (GpRegion* region, INT x, INT y, INT width, INT height, GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipGetRegionScansCount, (GpRegion* region, UINT* count, GpMatrix* matrix)) \
  X(Status, GdipGetRegionScans, (GpRegion* region, GpRectF* rects, INT* count, GpMatrix* matrix)) \
  X(Status, GdipGetRegionScansI, (GpRegion* region, GpRect* rects, INT* count, GpMatrix* matrix)) \
  X(Status, GdipCloneBrush, (GpBrush* brush, GpBrush** cloneBrush)) \
  X(Status, GdipDeleteBrush, (GpBrush* brush)) \
  X(Status, GdipGetBrushType, (GpBrush* brush, BrushType* type)) \
  X(Status, GdipCreateHatchBrush, (HatchStyle hatchstyle, ARGB forecol, ARGB backcol, GpHatch** brush)) \
  X(Status, GdipGetHatchStyle, (GpHatch* brush, HatchStyle* hatchstyle)) \
  X(Status, GdipGetHatchForegroundColor, (GpHatch* brush, ARGB* forecol)) \
  X(Status, GdipGetHatchBackgroundColor, (GpHatch* brush, ARGB* backcol)) \
  X(Status, GdipCreateTexture, (GpImage* image, WrapMode wrapmode, GpTexture** texture)) \
  X(Status, GdipCreateTexture2, (GpImage* image, WrapMode wrapmode, REAL x, REAL y, REAL width, REAL height, GpTexture** texture)) \
  X(Status, GdipCreateTextureIA, (GpImage* image, const GpImageAttributes* imageAttributes, REAL x, REAL y, REAL width, REAL height, GpTexture** texture)) \
  X(Status, GdipCreateTexture2I, (GpImage* image, WrapMode wrapmode, INT x, INT y, INT width, INT height, GpTexture** texture)) \
  X(Status, GdipCreateTextureIAI, (GpImage* image, const GpImageAttributes* imageAttributes, INT x, INT y, INT width, INT height, GpTexture** texture)) \
  X(Status, GdipGetTextureTransform, (GpTexture* brush, GpMatrix* matrix)) \
  X(Status, GdipSetTextureTransform, (GpTexture* brush, const GpMatrix* matrix)) \
  X(Status, GdipResetTextureTransform, (GpTexture* brush)) \
  X(Status, GdipMultiplyTextureTransform, (GpTexture* brush, const GpMatrix* matrix, MatrixOrder order)) \
  X(Status, GdipTranslateTextureTransform, (GpTexture* brush, REAL dx, REAL dy, MatrixOrder order)) \
  X(Status, GdipScaleTextureTransform, (GpTexture* brush, REAL sx, REAL sy, MatrixOrder order)) \
  X(Status, GdipRotateTextureTransform, (GpTexture* brush, REAL angle, MatrixOrder order)) \
  X(Status, GdipSetTextureWrapMode, (GpTexture* brush, WrapMode wrapmode)) \
  X(Status, GdipGetTextureWrapMode, (GpTexture* brush, WrapMode* wrapmode)) \
  X(Status, GdipGetTextureImage, (GpTexture* brush, GpImage** image)) \
  X(Status, GdipCreateSolidFill, (ARGB color, GpSolidFill** brush)) \
  X(Status, GdipSetSolidFillColor, (GpSolidFill* brush, ARGB color)) \
  X(Status, GdipGetSolidFillColor, (GpSolidFill* brush, ARGB* color)) \
  X(Status, GdipCreateLineBrush, (const GpPointF* point1, const GpPointF* point2, ARGB color1, ARGB color2, WrapMode wrapMode, GpLineGradient** lineGradient)) \
  X(Status, GdipCreateLineBrushI, (const GpPoint* point1, const GpPoint* point2, ARGB color1, ARGB color2, WrapMode wrapMode, GpLineGradient** lineGradient)) \
  X(Status, GdipCreateLineBrushFromRect, (const GpRectF* rect, ARGB color1, ARGB color2, LinearGradientMode mode, WrapMode wrapMode, GpLineGradient** lineGradient)) \
  X(Status, GdipCreateLineBrushFromRectI, (const GpRect* rect, ARGB color1, ARGB color2, LinearGradientMode mode, WrapMode wrapMode, GpLineGradient** lineGradient)) \
  X(Status, GdipCreateLineBrushFromRectWithAngle, (const GpRectF* rect, ARGB color1, ARGB color2, REAL angle, BOOL isAngleScalable, WrapMode wrapMode, GpLineGradient** lineGradient)) \
  X(Status, GdipCreateLineBrushFromRectWithAngleI, (const GpRect* rect, ARGB color1, ARGB color2, REAL angle, BOOL isAngleScalable, WrapMode wrapMode, GpLineGradient** lineGradient)) \
  X(Status, GdipSetLineColors, (GpLineGradient* brush, ARGB color1, ARGB color2)) \
  X(Status, GdipGetLineColors, (GpLineGradient* brush, ARGB* colors)) \
  X(Status, GdipGetLineRect, (GpLineGradient* brush, GpRectF* rect)) \
  X(Status, GdipGetLineRectI, (GpLineGradient* brush, GpRect* rect)) \
  X(Status, GdipSetLineGammaCorrection, (GpLineGradient* brush, BOOL useGammaCorrection)) \
  X(Status, GdipGetLineGammaCorrection, (GpLineGradient* brush, BOOL* useGammaCorrection)) \
  X(Status, GdipGetLineBlendCount, (GpLineGradient* brush, INT* count)) \
  X(Status, GdipGetLineBlend, (GpLineGradient* brush, REAL* blend, REAL* positions, INT count)) \
  X(Status, GdipSetLineBlend, (GpLineGradient* brush, const REAL* blend, const REAL* positions, INT count)) \
  X(Status, GdipGetLinePresetBlendCount, (GpLineGradient* brush, INT* count)) \
  X(Status, GdipGetLinePresetBlend, (GpLineGradient* brush, ARGB* blend, REAL* positions, INT count)) \
  X(Status, GdipSetLinePresetBlend, (GpLineGradient* brush, const ARGB* blend, const REAL* positions, INT count)) \
  X(Status, GdipSetLineSigmaBlend, (GpLineGradient* brush, REAL focus, REAL scale)) \
  X(Status, GdipSetLineLinearBlend, (GpLineGradient* brush, REAL focus, REAL scale)) \
  X(Status, GdipSetLineWrapMode, (GpLineGradient* brush, WrapMode wrapmode)) \
  X(Status, GdipGetLineWrapMode, (GpLineGradient* brush, WrapMode* wrapmode)) \
  X(Status, GdipGetLineTransform, (GpLineGradient* brush, GpMatrix* matrix)) \
  X(Status, GdipSetLineTransform, (GpLineGradient* brush, const GpMatrix* matrix)) \
  X(Status, GdipResetLineTransform, (GpLineGradient* brush)) \
  X(Status, GdipMultiplyLineTransform, (GpLineGradient* brush, const GpMatrix* matrix, MatrixOrder order)) \
  X(Status, GdipTranslateLineTransform, (GpLineGradient* brush, REAL dx, REAL dy, MatrixOrder order)) \
  X(Status, GdipScaleLineTransform, (GpLineGradient* brush, REAL sx, REAL sy, MatrixOrder order)) \
  X(Status, GdipRotateLineTransform, (GpLineGradient* brush, REAL angle, MatrixOrder order)) \
  X(Status, GdipCreatePathGradient, (const GpPointF* points, INT count, WrapMode wrapMode, GpPathGradient** polyGradient)) \
  X(Status, GdipCreatePathGradientI, (const GpPoint* points, INT count, WrapMode wrapMode, GpPathGradient** polyGradient)) \
  X(Status, GdipCreatePathGradientFromPath, (const GpPath* path, GpPathGradient** polyGradient)) \
  X(Status, GdipGetPathGradientCenterColor, (GpPathGradient* brush, ARGB* colors)) \
  X(Status, GdipSetPathGradientCenterColor, (GpPathGradient* brush, ARGB colors)) \
  X(Status, GdipGetPathGradientSurroundColorsWithCount, (GpPathGradient* brush, ARGB* color, INT* count)) \
  X(Status, GdipSetPathGradientSurroundColorsWithCount, (GpPathGradient* brush, const ARGB* color, INT* count)) \
  X(Status, GdipGetPathGradientPath, (GpPathGradient* brush, GpPath* path)) \
  X(Status, GdipSetPathGradientPath, (GpPathGradient* brush, const GpPath* path)) \
  X(Status, GdipGetPathGradientCenterPoint, (GpPathGradient* brush, GpPointF* points)) \
  X(Status, GdipGetPathGradientCenterPointI, (GpPathGradient* brush, GpPoint* points)) \
  X(Status, GdipSetPathGradientCenterPoint, (GpPathGradient* brush, const GpPointF* points)) \
  X(Status, GdipSetPathGradientCenterPointI, (GpPathGradient* brush, const GpPoint* points)) \
  X(Status, GdipGetPathGradientRect, (GpPathGradient* brush, GpRectF* rect)) \
  X(Status, GdipGetPathGradientRectI, (GpPathGradient* brush, GpRect* rect)) \
  X(Status, GdipGetPathGradientPointCount, (GpPathGradient* brush, INT* count)) \
  X(Status, GdipGetPathGradientSurroundColorCount, (GpPathGradient* brush, INT* count)) \
  X(Status, GdipSetPathGradientGammaCorrection, (GpPathGradient* brush, BOOL useGammaCorrection)) \
  X(Status, GdipGetPathGradientGammaCorrection, (GpPathGradient* brush, BOOL* useGammaCorrection)) \
  X(Status, GdipGetPathGradientBlendCount, (GpPathGradient* brush, INT* count)) \
  X(Status, GdipGetPathGradientBlend, (GpPathGradient* brush, REAL* blend, REAL* positions, INT count)) \
  X(Status, GdipSetPathGradientBlend, (GpPathGradient* brush, const REAL* blend, const REAL* positions, INT count)) \
  X(Status, GdipGetPathGradientPresetBlendCount, (GpPathGradient* brush, INT* count)) \
  X(Status, GdipGetPathGradientPresetBlend, (GpPathGradient* brush, ARGB* blend, REAL* positions, INT count)) \
  X(Status, GdipSetPathGradientPresetBlend, (GpPathGradient* brush, const ARGB* blend, const REAL* positions, INT count)) \
  X(Status, GdipSetPathGradientSigmaBlend, (GpPathGradient* brush, REAL focus, REAL scale)) \
  X(Status, GdipSetPathGradientLinearBlend, (GpPathGradient* brush, REAL focus, REAL scale)) \
  X(Status, GdipGetPathGradientWrapMode, (GpPathGradient* brush, WrapMode* wrapmode)) \
  X(Status, GdipSetPathGradientWrapMode, (GpPathGradient* brush, WrapMode wrapmode)) \
  X(Status, GdipGetPathGradientTransform, (GpPathGradient* brush, GpMatrix* matrix)) \
  X(Status, GdipSetPathGradientTransform, (GpPathGradient* brush, GpMatrix* matrix)) \
  X(Status, GdipResetPathGradientTransform, (GpPathGradient* brush)) \
  X(Status, GdipMultiplyPathGradientTransform, (GpPathGradient* brush, const GpMatrix* matrix, MatrixOrder order)) \
  X(Status, GdipTranslatePathGradientTransform, (GpPathGradient* brush, REAL dx, REAL dy, MatrixOrder order)) \
  X(Status, GdipScalePathGradientTransform, (GpPathGradient* brush, REAL sx, REAL sy, MatrixOrder order)) \
  X(Status, GdipRotatePathGradientTransform, (GpPathGradient* brush, REAL angle, MatrixOrder order)) \
  X(Status, GdipGetPathGradientFocusScales, (GpPathGradient* brush, REAL* xScale, REAL* yScale)) \
  X(Status, GdipSetPathGradientFocusScales, (GpPathGradient* brush, REAL xScale, REAL yScale)) \
  X(Status, GdipCreatePen1, (ARGB color, REAL width, GpUnit unit, GpPen** pen)) \
  X(Status, GdipCreatePen2, (GpBrush* brush, REAL width, GpUnit unit, GpPen** pen)) \
  X(Status, GdipClonePen, (GpPen* pen, GpPen** clonepen)) \
  X(Status, GdipDeletePen, (GpPen* pen)) \
  X(Status, GdipSetPenWidth, (GpPen* pen, REAL width)) \
  X(Status, GdipGetPenWidth, (GpPen* pen, REAL* width)) \
  X(Status, GdipSetPenUnit, (GpPen* pen, GpUnit unit)) \
  X(Status, GdipGetPenUnit, (GpPen* pen, GpUnit* unit)) \
  X(Status, GdipSetPenLineCap197819, (GpPen* pen, LineCap startCap, LineCap endCap, DashCap dashCap)) \
  X(Status, GdipSetPenStartCap, (GpPen* pen, LineCap startCap)) \
  X(Status, GdipSetPenEndCap, (GpPen* pen, LineCap endCap)) \
  X(Status, GdipSetPenDashCap197819, (GpPen* pen, DashCap dashCap)) \
  X(Status, GdipGetPenStartCap, (GpPen* pen, LineCap* startCap)) \
  X(Status, GdipGetPenEndCap, (GpPen* pen, LineCap* endCap)) \
  X(Status, GdipGetPenDashCap197819, (GpPen* pen, DashCap* dashCap)) \
  X(Status, GdipSetPenLineJoin, (GpPen* pen, LineJoin lineJoin)) \
  X(Status, GdipGetPenLineJoin, (GpPen* pen, LineJoin* lineJoin)) \
  X(Status, GdipSetPenCustomStartCap, (GpPen* pen, GpCustomLineCap* customCap)) \
  X(Status, GdipGetPenCustomStartCap, (GpPen* pen, GpCustomLineCap** customCap)) \
  X(Status, GdipSetPenCustomEndCap, (GpPen* pen, GpCustomLineCap* customCap)) \
  X(Status, GdipGetPenCustomEndCap, (GpPen* pen, GpCustomLineCap** customCap)) \
  X(Status, GdipSetPenMiterLimit, (GpPen* pen, REAL miterLimit)) \
  X(Status, GdipGetPenMiterLimit, (GpPen* pen, REAL* miterLimit)) \
  X(Status, GdipSetPenMode, (GpPen* pen, PenAlignment penMode)) \
  X(Status, GdipGetPenMode, (GpPen* pen, PenAlignment* penMode)) \
  X(Status, GdipSetPenTransform, (GpPen* pen, GpMatrix* matrix)) \
  X(Status, GdipGetPenTransform, (GpPen* pen, GpMatrix* matrix)) \
  X(Status, GdipResetPenTransform, (GpPen* pen)) \
  X(Status, GdipMultiplyPenTransform, (GpPen* pen, const GpMatrix* matrix, MatrixOrder order)) \
  X(Status, GdipTranslatePenTransform, (GpPen* pen, REAL dx, REAL dy, MatrixOrder order)) \
  X(Status, GdipScalePenTransform, (GpPen* pen, REAL sx, REAL sy, MatrixOrder order)) \
  X(Status, GdipRotatePenTransform, (GpPen* pen, REAL angle, MatrixOrder order)) \
  X(Status, GdipSetPenColor, (GpPen* pen, ARGB argb)) \
  X(Status, GdipGetPenColor, (GpPen* pen, ARGB* argb)) \
  X(Status, GdipSetPenBrushFill, (GpPen* pen, GpBrush* brush)) \
  X(Status, GdipGetPenBrushFill, (GpPen* pen, GpBrush** brush)) \
  X(Status, GdipGetPenFillType, (GpPen* pen, PenType* type)) \
  X(Status, GdipGetPenDashStyle, (GpPen* pen, DashStyle* dashstyle)) \
  X(Status, GdipSetPenDashStyle, (GpPen* pen, DashStyle dashstyle)) \
  X(Status, GdipGetPenDashOffset, (GpPen* pen, REAL* offset)) \
  X(Status, GdipSetPenDashOffset, (GpPen* pen, REAL offset)) \
  X(Status, GdipGetPenDashCount, (GpPen* pen, INT* count)) \
  X(Status, GdipSetPenDashArray, (GpPen* pen, const REAL* dash, INT count)) \
  X(Status, GdipGetPenDashArray, (GpPen* pen, REAL* dash, INT count)) \
  X(Status, GdipGetPenCompoundCount, (GpPen* pen, INT* count)) \
  X(Status, GdipSetPenCompoundArray, (GpPen* pen, const REAL* dash, INT count)) \
  X(Status, GdipGetPenCompoundArray, (GpPen* pen, REAL* dash, INT count)) \
  X(Status, GdipCreateCustomLineCap, (GpPath* fillPath, GpPath* strokePath, LineCap baseCap, REAL baseInset, GpCustomLineCap** customCap)) \
  X(Status, GdipDeleteCustomLineCap, (GpCustomLineCap* customCap)) \
  X(Status, GdipCloneCustomLineCap, (GpCustomLineCap* customCap, GpCustomLineCap** clonedCap)) \
  X(Status, GdipGetCustomLineCapType, (GpCustomLineCap* customCap, CustomLineCapType* capType)) \
  X(Status, GdipSetCustomLineCapStrokeCaps, (GpCustomLineCap* customCap, LineCap startCap, LineCap endCap)) \
  X(Status, GdipGetCustomLineCapStrokeCaps, (GpCustomLineCap* customCap, LineCap* startCap, LineCap* endCap)) \
  X(Status, GdipSetCustomLineCapStrokeJoin, (GpCustomLineCap* customCap, LineJoin lineJoin)) \
  X(Status, GdipGetCustomLineCapStrokeJoin, (GpCustomLineCap* customCap, LineJoin* lineJoin)) \
  X(Status, GdipSetCustomLineCapBaseCap, (GpCustomLineCap* customCap, LineCap baseCap)) \
  X(Status, GdipGetCustomLineCapBaseCap, (GpCustomLineCap* customCap, LineCap* baseCap)) \
  X(Status, GdipSetCustomLineCapBaseInset, (GpCustomLineCap* customCap, REAL inset)) \
  X(Status, GdipGetCustomLineCapBaseInset, (GpCustomLineCap* customCap, REAL* inset)) \
  X(Status, GdipSetCustomLineCapWidthScale, (GpCustomLineCap* customCap, REAL widthScale)) \
  X(Status, GdipGetCustomLineCapWidthScale, (GpCustomLineCap* customCap, REAL* widthScale)) \
  X(Status, GdipCreateAdjustableArrowCap, (REAL height, REAL width, BOOL isFilled, GpAdjustableArrowCap** cap)) \
  X(Status, GdipSetAdjustableArrowCapHeight, (GpAdjustableArrowCap* cap, REAL height)) \
  X(Status, GdipGetAdjustableArrowCapHeight, (GpAdjustableArrowCap* cap, REAL* height)) \
  X(Status, GdipSetAdjustableArrowCapWidth, (GpAdjustableArrowCap* cap, REAL width)) \
  X(Status, GdipGetAdjustableArrowCapWidth, (GpAdjustableArrowCap* cap, REAL* width)) \
  X(Status, GdipSetAdjustableArrowCapMiddleInset, (GpAdjustableArrowCap* cap, REAL middleInset)) \
  X(Status, GdipGetAdjustableArrowCapMiddleInset, (GpAdjustableArrowCap* cap, REAL* middleInset)) \
  X(Status, GdipSetAdjustableArrowCapFillState, (GpAdjustableArrowCap* cap, BOOL fillState)) \
  X(Status, GdipGetAdjustableArrowCapFillState, (GpAdjustableArrowCap* cap, BOOL* fillState)) \
  X(Status, GdipLoadImageFromStream, (IStream* stream, GpImage** image)) \
  X(Status, GdipLoadImageFromFile, (const WCHAR* filename, GpImage** image)) \
  X(Status, GdipLoadImageFromStreamICM, (IStream* stream, GpImage** image)) \
  X(Status, GdipLoadImageFromFileICM, (const WCHAR* filename, GpImage** image)) \
  X(Status, GdipCloneImage, (GpImage* image, GpImage** cloneImage)) \
  X(Status, GdipDisposeImage, (GpImage* image)) \
  X(Status, GdipSaveImageToFile, (GpImage* image, const WCHAR* filename, const CLSID* clsidEncoder, const EncoderParameters* encoderParams)) \
  X(Status, GdipSaveImageToStream, (GpImage* image, IStream* stream, const CLSID* clsidEncoder, const EncoderParameters* encoderParams)) \
  X(Status, GdipSaveAdd, (GpImage* image, const EncoderParameters* encoderParams)) \
  X(Status, GdipSaveAddImage, (GpImage* image, GpImage* newImage, const EncoderParameters* encoderParams)) \
  X(Status, GdipGetImageGraphicsContext, (GpImage* image, GpGraphics** graphics)) \
  X(Status, GdipGetImageBounds, (GpImage* image, GpRectF* srcRect, GpUnit* srcUnit)) \
  X(Status, GdipGetImageDimension, (GpImage* image, REAL* width, REAL* height)) \
  X(Status, GdipGetImageType, (GpImage* image, ImageType* type)) \
  X(Status, GdipGetImageWidth, (GpImage* image, UINT* width)) \
  X(Status, GdipGetImageHeight, (GpImage* image, UINT* height)) \
  X(Status, GdipGetImageHorizontalResolution, (GpImage* image, REAL* resolution)) \
  X(Status, GdipGetImageVerticalResolution, (GpImage* image, REAL* resolution)) \
  X(Status, GdipGetImageFlags, (GpImage* image, UINT* flags)) \
  X(Status, GdipGetImageRawFormat, (GpImage* image, GUID* format)) \
  X(Status, GdipGetImagePixelFormat, (GpImage* image, PixelFormat* format)) \
  X(Status, GdipGetImageThumbnail, (GpImage* image, UINT thumbWidth, UINT thumbHeight, GpImage** thumbImage, GetThumbnailImageAbort callback, void* callbackData)) \
  X(Status, GdipGetEncoderParameterListSize, (GpImage* image, const CLSID* clsidEncoder, UINT* size)) \
  X(Status, GdipGetEncoderParameterList, (GpImage* image, const CLSID* clsidEncoder, UINT size, EncoderParameters* buffer)) \
  X(Status, GdipImageGetFrameDimensionsCount, (GpImage* image, UINT* count)) \
  X(Status, GdipImageGetFrameDimensionsList, (GpImage* image, GUID* dimensionIDs, UINT count)) \
  X(Status, GdipImageGetFrameCount, (GpImage* image, const GUID* dimensionID, UINT* count)) \
  X(Status, GdipImageSelectActiveFrame, (GpImage* image, const GUID* dimensionID, UINT frameIndex)) \
  X(Status, GdipImageRotateFlip, (GpImage* image, RotateFlipType rfType)) \
  X(Status, GdipGetImagePalette, (GpImage* image, ColorPalette* palette, INT size)) \
  X(Status, GdipSetImagePalette, (GpImage* image, const ColorPalette* palette)) \
  X(Status, GdipGetImagePaletteSize, (GpImage* image, INT* size)) \
  X(Status, GdipGetPropertyCount, (GpImage* image, UINT* numOfProperty)) \
  X(Status, GdipGetPropertyIdList, (GpImage* image, UINT numOfProperty, PROPID* list)) \
  X(Status, GdipGetPropertyItemSize, (GpImage* image, PROPID propId, UINT* size)) \
  X(Status, GdipGetPropertyItem, (GpImage* image, PROPID propId, UINT propSize, PropertyItem* buffer)) \
  X(Status, GdipGetPropertySize, (GpImage* image, UINT* totalBufferSize, UINT* numProperties)) \
  X(Status, GdipGetAllPropertyItems, (GpImage* image, UINT totalBufferSize, UINT numProperties, PropertyItem* allItems)) \
  X(Status, GdipRemovePropertyItem, (GpImage* image, PROPID propId)) \
  X(Status, GdipSetPropertyItem, (GpImage* image, const PropertyItem* item)) \
  X(Status, GdipImageForceValidation, (GpImage* image)) \
  X(Status, GdipCreateBitmapFromStream, (IStream* stream, GpBitmap** bitmap)) \
  X(Status, GdipCreateBitmapFromFile, (const WCHAR* filename, GpBitmap** bitmap)) \
  X(Status, GdipCreateBitmapFromStreamICM, (IStream* stream, GpBitmap** bitmap)) \
  X(Status, GdipCreateBitmapFromFileICM, (const WCHAR* filename, GpBitmap** bitmap)) \
  X(Status, GdipCreateBitmapFromScan0, (INT width, INT height, INT stride, PixelFormat format, BYTE* scan0, GpBitmap** bitmap)) \
  X(Status, GdipCreateBitmapFromGraphics, (INT width, INT height, GpGraphics* target, GpBitmap** bitmap)) \
  X(Status, GdipCreateBitmapFromGdiDib, (const BITMAPINFO* gdiBitmapInfo, void* gdiBitmapData, GpBitmap** bitmap)) \
  X(Status, GdipCreateBitmapFromHBITMAP, (HBITMAP hbm, HPALETTE hpal, GpBitmap** bitmap)) \
  X(Status, GdipCreateHBITMAPFromBitmap, (GpBitmap* bitmap, HBITMAP* hbmReturn, ARGB background)) \
  X(Status, GdipCreateBitmapFromHICON, (HICON hicon, GpBitmap** bitmap)) \
  X(Status, GdipCreateHICONFromBitmap, (GpBitmap* bitmap, HICON* hbmReturn)) \
  X(Status, GdipCreateBitmapFromResource, (HINSTANCE hInstance, const WCHAR* lpBitmapName, GpBitmap** bitmap)) \
  X(Status, GdipCloneBitmapArea, (REAL x, REAL y, REAL width, REAL height, PixelFormat format, GpBitmap* srcBitmap, GpBitmap** dstBitmap)) \
  X(Status, GdipCloneBitmapAreaI, (INT x, INT y, INT width, INT height, PixelFormat format, GpBitmap* srcBitmap, GpBitmap** dstBitmap)) \
  X(Status, GdipBitmapLockBits, (GpBitmap* bitmap, const GpRect* rect, UINT flags, PixelFormat format, BitmapData* lockedBitmapData)) \
  X(Status, GdipBitmapUnlockBits, (GpBitmap* bitmap, BitmapData* lockedBitmapData)) \
  X(Status, GdipBitmapGetPixel, (GpBitmap* bitmap, INT x, INT y, ARGB* color)) \
  X(Status, GdipBitmapSetPixel, (GpBitmap* bitmap, INT x, INT y, ARGB color)) \
  X(Status, GdipBitmapSetResolution, (GpBitmap* bitmap, REAL xdpi, REAL ydpi)) \
  X(Status, GdipCreateImageAttributes, (GpImageAttributes** imageattr)) \
  X(Status, GdipCloneImageAttributes, (const GpImageAttributes* imageattr, GpImageAttributes** cloneImageattr)) \
  X(Status, GdipDisposeImageAttributes, (GpImageAttributes* imageattr)) \
  X(Status, GdipSetImageAttributesToIdentity, (GpImageAttributes* imageattr, ColorAdjustType type)) \
  X(Status, GdipResetImageAttributes, (GpImageAttributes* imageattr, ColorAdjustType type)) \
  X(Status, GdipSetImageAttributesColorMatrix, (GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag, const ColorMatrix* colorMatrix, const ColorMatrix* grayMatrix, ColorMatrixFlags flags)) \
  X(Status, GdipSetImageAttributesThreshold, (GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag, REAL threshold)) \
  X(Status, GdipSetImageAttributesGamma, (GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag, REAL gamma)) \
  X(Status, GdipSetImageAttributesNoOp, (GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag)) \
  X(Status, GdipSetImageAttributesColorKeys, (GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag, ARGB colorLow, ARGB colorHigh)) \
  X(Status, GdipSetImageAttributesOutputChannel, (GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag, ColorChannelFlags channelFlags)) \
  X(Status, GdipSetImageAttributesOutputChannelColorProfile, (GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag, const WCHAR* colorProfileFilename)) \
  X(Status, GdipSetImageAttributesRemapTable, (GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag, UINT mapSize, const ColorMap* map)) \
  X(Status, GdipSetImageAttributesWrapMode, (GpImageAttributes* imageAttr, WrapMode wrap, ARGB argb, BOOL clamp)) \
  X(Status, GdipSetImageAttributesICMMode, (GpImageAttributes* imageAttr, BOOL on)) \
  X(Status, GdipGetImageAttributesAdjustedPalette, (GpImageAttributes* imageAttr, ColorPalette* colorPalette, ColorAdjustType colorAdjustType)) \
  X(Status, GdipFlush, (GpGraphics* graphics, FlushIntention intention)) \
  X(Status, GdipCreateFromHDC, (HDC hdc, GpGraphics** graphics)) \
  X(Status, GdipCreateFromHDC2, (HDC hdc, HANDLE hDevice, GpGraphics** graphics)) \
  X(Status, GdipCreateFromHWND, (HWND hwnd, GpGraphics** graphics)) \
  X(Status, GdipCreateFromHWNDICM, (HWND hwnd, GpGraphics** graphics)) \
  X(Status, GdipDeleteGraphics, (GpGraphics* graphics)) \
  X(Status, GdipGetDC, (GpGraphics* graphics, HDC* hdc)) \
  X(Status, GdipReleaseDC, (GpGraphics* graphics, HDC hdc)) \
  X(Status, GdipSetCompositingMode, (GpGraphics* graphics, CompositingMode compositingMode)) \
  X(Status, GdipGetCompositingMode, (GpGraphics* graphics, CompositingMode* compositingMode)) \
  X(Status, GdipSetRenderingOrigin, (GpGraphics* graphics, INT x, INT y)) \
  X(Status, GdipGetRenderingOrigin, (GpGraphics* graphics, INT* x, INT* y)) \
  X(Status, GdipSetCompositingQuality, (GpGraphics* graphics, CompositingQuality compositingQuality)) \
  X(Status, GdipGetCompositingQuality, (GpGraphics* graphics, CompositingQuality* compositingQuality)) \
  X(Status, GdipSetSmoothingMode, (GpGraphics* graphics, SmoothingMode smoothingMode)) \
  X(Status, GdipGetSmoothingMode, (GpGraphics* graphics, SmoothingMode* smoothingMode)) \
  X(Status, GdipSetPixelOffsetMode, (GpGraphics* graphics, PixelOffsetMode pixelOffsetMode)) \
  X(Status, GdipGetPixelOffsetMode, (GpGraphics* graphics, PixelOffsetMode* pixelOffsetMode)) \
  X(Status, GdipSetTextRenderingHint, (GpGraphics* graphics, TextRenderingHint mode)) \
  X(Status, GdipGetTextRenderingHint, (GpGraphics* graphics, TextRenderingHint* mode)) \
  X(Status, GdipSetTextContrast, (GpGraphics* graphics, UINT contrast)) \
  X(Status, GdipGetTextContrast, (GpGraphics* graphics, UINT* contrast)) \
  X(Status, GdipSetInterpolationMode, (GpGraphics* graphics, InterpolationMode interpolationMode)) \
  X(Status, GdipGetInterpolationMode, (GpGraphics* graphics, InterpolationMode* interpolationMode)) \
  X(Status, GdipSetWorldTransform, (GpGraphics* graphics, GpMatrix* matrix)) \
  X(Status, GdipResetWorldTransform, (GpGraphics* graphics)) \
  X(Status, GdipMultiplyWorldTransform, (GpGraphics* graphics, const GpMatrix* matrix, MatrixOrder order)) \
  X(Status, GdipTranslateWorldTransform, (GpGraphics* graphics, REAL dx, REAL dy, MatrixOrder order)) \
  X(Status, GdipScaleWorldTransform, (GpGraphics* graphics, REAL sx, REAL sy, MatrixOrder order)) \
  X(Status, GdipRotateWorldTransform, (GpGraphics* graphics, REAL angle, MatrixOrder order)) \
  X(Status, GdipGetWorldTransform, (GpGraphics* graphics, GpMatrix* matrix)) \
  X(Status, GdipResetPageTransform, (GpGraphics* graphics)) \
  X(Status, GdipGetPageUnit, (GpGraphics* graphics, GpUnit* unit)) \
  X(Status, GdipGetPageScale, (GpGraphics* graphics, REAL* scale)) \
  X(Status, GdipSetPageUnit, (GpGraphics* graphics, GpUnit unit)) \
  X(Status, GdipSetPageScale, (GpGraphics* graphics, REAL scale)) \
  X(Status, GdipGetDpiX, (GpGraphics* graphics, REAL* dpi)) \
  X(Status, GdipGetDpiY, (GpGraphics* graphics, REAL* dpi)) \
  X(Status, GdipTransformPoints, (GpGraphics* graphics, CoordinateSpace destSpace, CoordinateSpace srcSpace, GpPointF* points, INT count)) \
  X(Status, GdipTransformPointsI, (GpGraphics* graphics, CoordinateSpace destSpace, CoordinateSpace srcSpace, GpPoint* points, INT count)) \
  X(Status, GdipGetNearestColor, (GpGraphics* graphics, ARGB* argb)) \
  X(HPALETTE, GdipCreateHalftonePalette, ()) \
  X(Status, GdipDrawLine, (GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2)) \
  X(Status, GdipDrawLineI, (GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2)) \
  X(Status, GdipDrawLines, (GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count)) \
  X(Status, GdipDrawLinesI, (GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count)) \
  X(Status, GdipDrawArc, (GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle)) \
  X(Status, GdipDrawArcI, (GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle)) \
  X(Status, GdipDrawBezier, (GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4, REAL y4)) \
  X(Status, GdipDrawBezierI, (GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4, INT y4)) \
  X(Status, GdipDrawBeziers, (GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count)) \
  X(Status, GdipDrawBeziersI, (GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count)) \
  X(Status, GdipDrawRectangle, (GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height)) \
  X(Status, GdipDrawRectangleI, (GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height)) \
  X(Status, GdipDrawRectangles, (GpGraphics* graphics, GpPen* pen, const GpRectF* rects, INT count)) \
  X(Status, GdipDrawRectanglesI, (GpGraphics* graphics, GpPen* pen, const GpRect* rects, INT count)) \
  X(Status, GdipDrawEllipse, (GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height)) \
  X(Status, GdipDrawEllipseI, (GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height)) \
  X(Status, GdipDrawPie, (GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle)) \
  X(Status, GdipDrawPieI, (GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle)) \
  X(Status, GdipDrawPolygon, (GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count)) \
  X(Status, GdipDrawPolygonI, (GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count)) \
  X(Status, GdipDrawPath, (GpGraphics* graphics, GpPen* pen, GpPath* path)) \
  X(Status, GdipDrawCurve, (GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count)) \
  X(Status, GdipDrawCurveI, (GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count)) \
  X(Status, GdipDrawCurve2, (GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count, REAL tension)) \
  X(Status, GdipDrawCurve2I, (GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count, REAL tension)) \
  X(Status, GdipDrawCurve3, (GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count, INT offset, INT numberOfSegments, REAL tension)) \
  X(Status, GdipDrawCurve3I, (GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count, INT offset, INT numberOfSegments, REAL tension)) \
  X(Status, GdipDrawClosedCurve, (GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count)) \
  X(Status, GdipDrawClosedCurveI, (GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count)) \
  X(Status, GdipDrawClosedCurve2, (GpGraphics* graphics, GpPen* pen, const GpPointF* points, INT count, REAL tension)) \
  X(Status, GdipDrawClosedCurve2I, (GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count, REAL tension)) \
  X(Status, GdipGraphicsClear, (GpGraphics* graphics, ARGB color)) \
  X(Status, GdipFillRectangle, (GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height)) \
  X(Status, GdipFillRectangleI, (GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height)) \
  X(Status, GdipFillRectangles, (GpGraphics* graphics, GpBrush* brush, const GpRectF* rects, INT count)) \
  X(Status, GdipFillRectanglesI, (GpGraphics* graphics, GpBrush* brush, const GpRect* rects, INT count)) \
  X(Status, GdipFillPolygon, (GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count, FillMode fillMode)) \
  X(Status, GdipFillPolygonI, (GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count, FillMode fillMode)) \
  X(Status, GdipFillPolygon2, (GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count)) \
  X(Status, GdipFillPolygon2I, (GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count)) \
  X(Status, GdipFillEllipse, (GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height)) \
  X(Status, GdipFillEllipseI, (GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height)) \
  X(Status, GdipFillPie, (GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle)) \
  X(Status, GdipFillPieI, (GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height, REAL startAngle, REAL sweepAngle)) \
  X(Status, GdipFillPath, (GpGraphics* graphics, GpBrush* brush, GpPath* path)) \
  X(Status, GdipFillClosedCurve, (GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count)) \
  X(Status, GdipFillClosedCurveI, (GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count)) \
  X(Status, GdipFillClosedCurve2, (GpGraphics* graphics, GpBrush* brush, const GpPointF* points, INT count, REAL tension, FillMode fillMode)) \
  X(Status, GdipFillClosedCurve2I, (GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count, REAL tension, FillMode fillMode)) \
  X(Status, GdipFillRegion, (GpGraphics* graphics, GpBrush* brush, GpRegion* region)) \
  X(Status, GdipDrawImage, (GpGraphics* graphics, GpImage* image, REAL x, REAL y)) \
  X(Status, GdipDrawImageI, (GpGraphics* graphics, GpImage* image, INT x, INT y)) \
  X(Status, GdipDrawImageRect, (GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height)) \
  X(Status, GdipDrawImageRectI, (GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height)) \
  X(Status, GdipDrawImagePoints, (GpGraphics* graphics, GpImage* image, const GpPointF* dstpoints, INT count)) \
  X(Status, GdipDrawImagePointsI, (GpGraphics* graphics, GpImage* image, const GpPoint* dstpoints, INT count)) \
  X(Status, GdipDrawImagePointRect, (GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, GpUnit srcUnit)) \
  X(Status, GdipDrawImagePointRectI, (GpGraphics* graphics, GpImage* image, INT x, INT y, INT srcx, INT srcy, INT srcwidth, INT srcheight, GpUnit srcUnit)) \
  X(Status, GdipDrawImageRectRect, (GpGraphics* graphics, GpImage* image, REAL dstx, REAL dsty, REAL dstwidth, REAL dstheight, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, GpUnit srcUnit, const GpImageAttributes* imageAttributes, DrawImageAbort callback, void* callbackData)) \
  X(Status, GdipDrawImageRectRectI, (GpGraphics* graphics, GpImage* image, INT dstx, INT dsty, INT dstwidth, INT dstheight, INT srcx, INT srcy, INT srcwidth, INT srcheight, GpUnit srcUnit, const GpImageAttributes* imageAttributes, DrawImageAbort callback, void* callbackData)) \
  X(Status, GdipDrawImagePointsRect, (GpGraphics* graphics, GpImage* image, const GpPointF* points, INT count, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, GpUnit srcUnit, const GpImageAttributes* imageAttributes, DrawImageAbort callback, void* callbackData)) \
  X(Status, GdipDrawImagePointsRectI, (GpGraphics* graphics, GpImage* image, const GpPoint* points, INT count, INT srcx, INT srcy, INT srcwidth, INT srcheight, GpUnit srcUnit, const GpImageAttributes* imageAttributes, DrawImageAbort callback, void* callbackData)) \
  X(Status, GdipSetClipGraphics, (GpGraphics* graphics, GpGraphics* srcgraphics, CombineMode combineMode)) \
  X(Status, GdipSetClipRect, (GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, CombineMode combineMode)) \
  X(Status, GdipSetClipRectI, (GpGraphics* graphics, INT x, INT y, INT width, INT height, CombineMode combineMode)) \
  X(Status, GdipSetClipPath, (GpGraphics* graphics, GpPath* path, CombineMode combineMode)) \
  X(Status, GdipSetClipRegion, (GpGraphics* graphics, GpRegion* region, CombineMode combineMode)) \
  X(Status, GdipSetClipHrgn, (GpGraphics* graphics, HRGN hRgn, CombineMode combineMode)) \
  X(Status, GdipResetClip, (GpGraphics* graphics)) \
  X(Status, GdipTranslateClip, (GpGraphics* graphics, REAL dx, REAL dy)) \
  X(Status, GdipTranslateClipI, (GpGraphics* graphics, INT dx, INT dy)) \
  X(Status, GdipGetClip, (GpGraphics* graphics, GpRegion* region)) \
  X(Status, GdipGetClipBounds, (GpGraphics* graphics, GpRectF* rect)) \
  X(Status, GdipGetClipBoundsI, (GpGraphics* graphics, GpRect* rect)) \
  X(Status, GdipIsClipEmpty, (GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipGetVisibleClipBounds, (GpGraphics* graphics, GpRectF* rect)) \
  X(Status, GdipGetVisibleClipBoundsI, (GpGraphics* graphics, GpRect* rect)) \
  X(Status, GdipIsVisibleClipEmpty, (GpGraphics* graphics, BOOL* result)) \
  X(Status, GdipIsVisiblePoint, (GpGraphics* graphics, REAL x, REAL y, BOOL* result)) \
  X(Status, GdipIsVisiblePointI, (GpGraphics* graphics, INT x, INT y, BOOL* result)) \
  X(Status, GdipIsVisibleRect, (GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, BOOL* result)) \
  X(Status, GdipIsVisibleRectI, (GpGraphics* graphics, INT x, INT y, INT width, INT height, BOOL* result)) \
  X(Status, GdipSaveGraphics, (GpGraphics* graphics, GraphicsState* state)) \
  X(Status, GdipRestoreGraphics, (GpGraphics* graphics, GraphicsState state)) \
  X(Status, GdipBeginContainer, (GpGraphics* graphics, const GpRectF* dstrect, const GpRectF* srcrect, GpUnit unit, GraphicsContainer* state)) \
  X(Status, GdipBeginContainerI, (GpGraphics* graphics, const GpRect* dstrect, const GpRect* srcrect, GpUnit unit, GraphicsContainer* state)) \
  X(Status, GdipBeginContainer2, (GpGraphics* graphics, GraphicsContainer* state)) \
  X(Status, GdipEndContainer, (GpGraphics* graphics, GraphicsContainer state)) \
  X(Status, GdipGetMetafileHeaderFromWmf, (HMETAFILE hWmf, const WmfPlaceableFileHeader* wmfPlaceableFileHeader, MetafileHeader* header)) \
  X(Status, GdipGetMetafileHeaderFromEmf, (HENHMETAFILE hEmf, MetafileHeader* header)) \
  X(Status, GdipGetMetafileHeaderFromFile, (const WCHAR* filename, MetafileHeader* header)) \
  X(Status, GdipGetMetafileHeaderFromStream, (IStream* stream, MetafileHeader* header)) \
  X(Status, GdipGetMetafileHeaderFromMetafile, (GpMetafile* metafile, MetafileHeader* header)) \
  X(Status, GdipGetHemfFromMetafile, (GpMetafile* metafile, HENHMETAFILE* hEmf)) \
  X(Status, GdipCreateStreamOnFile, (const WCHAR* filename, UINT access, IStream** stream)) \
  X(Status, GdipCreateMetafileFromWmf, (HMETAFILE hWmf, BOOL deleteWmf, const WmfPlaceableFileHeader* wmfPlaceableFileHeader, GpMetafile** metafile)) \
  X(Status, GdipCreateMetafileFromEmf, (HENHMETAFILE hEmf, BOOL deleteEmf, GpMetafile** metafile)) \
  X(Status, GdipCreateMetafileFromFile, (const WCHAR* file, GpMetafile** metafile)) \
  X(Status, GdipCreateMetafileFromWmfFile, (const WCHAR* file, const WmfPlaceableFileHeader* wmfPlaceableFileHeader, GpMetafile** metafile)) \
  X(Status, GdipCreateMetafileFromStream, (IStream* stream, GpMetafile** metafile)) \
  X(Status, GdipRecordMetafile, (HDC referenceHdc, EmfType type, const GpRectF* frameRect, MetafileFrameUnit frameUnit, const WCHAR* description, GpMetafile** metafile)) \
  X(Status, GdipRecordMetafileI, (HDC referenceHdc, EmfType type, const GpRect* frameRect, MetafileFrameUnit frameUnit, const WCHAR* description, GpMetafile** metafile)) \
  X(Status, GdipRecordMetafileFileName, (const WCHAR* fileName, HDC referenceHdc, EmfType type, const GpRectF* frameRect, MetafileFrameUnit frameUnit, const WCHAR* description, GpMetafile** metafile)) \
  X(Status, GdipRecordMetafileFileNameI, (const WCHAR* fileName, HDC referenceHdc, EmfType type, const GpRect* frameRect, MetafileFrameUnit frameUnit, const WCHAR* description, GpMetafile** metafile)) \
  X(Status, GdipRecordMetafileStream, (IStream* stream, HDC referenceHdc, EmfType type, const GpRectF* frameRect, MetafileFrameUnit frameUnit, const WCHAR* description, GpMetafile** metafile)) \
  X(Status, GdipRecordMetafileStreamI, (IStream* stream, HDC referenceHdc, EmfType type, const GpRect* frameRect, MetafileFrameUnit frameUnit, const WCHAR* description, GpMetafile** metafile)) \
  X(Status, GdipSetMetafileDownLevelRasterizationLimit, (GpMetafile* metafile, UINT metafileRasterizationLimitDpi)) \
  X(Status, GdipGetMetafileDownLevelRasterizationLimit, (const GpMetafile* metafile, UINT* metafileRasterizationLimitDpi)) \
  X(Status, GdipGetImageDecodersSize, (UINT* numDecoders, UINT* size)) \
  X(Status, GdipGetImageDecoders, (UINT numDecoders, UINT size, ImageCodecInfo* decoders)) \
  X(Status, GdipGetImageEncodersSize, (UINT* numEncoders, UINT* size)) \
  X(Status, GdipGetImageEncoders, (UINT numEncoders, UINT size, ImageCodecInfo* encoders)) \
  X(Status, GdipComment, (GpGraphics* graphics, UINT sizeData, const BYTE* data)) \
  X(Status, GdipCreateFontFamilyFromName, (const WCHAR* name, GpFontCollection* fontCollection, GpFontFamily** fontFamily)) \
  X(Status, GdipDeleteFontFamily, (GpFontFamily* fontFamily)) \
  X(Status, GdipCloneFontFamily, (GpFontFamily* fontFamily, GpFontFamily** clonedFontFamily)) \
  X(Status, GdipGetGenericFontFamilySansSerif, (GpFontFamily** nativeFamily)) \
  X(Status, GdipGetGenericFontFamilySerif, (GpFontFamily** nativeFamily)) \
  X(Status, GdipGetGenericFontFamilyMonospace, (GpFontFamily** nativeFamily)) \
  X(Status, GdipGetFamilyName, (const GpFontFamily* family, WCHAR* name, LANGID language)) \
  X(Status, GdipIsStyleAvailable, (const GpFontFamily* family, INT style, BOOL* isStyleAvailable)) \
  X(Status, GdipFontCollectionEnumerable, (GpFontCollection* fontCollection, GpGraphics* graphics, INT* numFound)) \
  X(Status, GdipFontCollectionEnumerate, (GpFontCollection* fontCollection, INT numSought, GpFontFamily** gpfamilies, INT* numFound, GpGraphics* graphics)) \
  X(Status, GdipGetEmHeight, (const GpFontFamily* family, INT style, UINT16* EmHeight)) \
  X(Status, GdipGetCellAscent, (const GpFontFamily* family, INT style, UINT16* CellAscent)) \
  X(Status, GdipGetCellDescent, (const GpFontFamily* family, INT style, UINT16* CellDescent)) \
  X(Status, GdipGetLineSpacing, (const GpFontFamily* family, INT style, UINT16* LineSpacing)) \
  X(Status, GdipCreateFontFromDC, (HDC hdc, GpFont** font)) \
  X(Status, GdipCreateFontFromLogfontA, (HDC hdc, const LOGFONTA* logfont, GpFont** font)) \
  X(Status, GdipCreateFontFromLogfontW, (HDC hdc, const LOGFONTW* logfont, GpFont** font)) \
  X(Status, GdipCreateFont, (const GpFontFamily* fontFamily, REAL emSize, INT style, INT unit, GpFont** font)) \
  X(Status, GdipCloneFont, (GpFont* font, GpFont** cloneFont)) \
  X(Status, GdipDeleteFont, (GpFont* font)) \
  X(Status, GdipGetFamily, (GpFont* font, GpFontFamily** family)) \
  X(Status, GdipGetFontStyle, (GpFont* font, INT* style)) \
  X(Status, GdipGetFontSize, (GpFont* font, REAL* size)) \
  X(Status, GdipGetFontUnit, (GpFont* font, GpUnit* unit)) \
  X(Status, GdipGetFontHeight, (const GpFont* font, const GpGraphics* graphics, REAL* height)) \
  X(Status, GdipGetFontHeightGivenDPI, (const GpFont* font, REAL dpi, REAL* height)) \
  X(Status, GdipGetLogFontA, (GpFont* font, GpGraphics* graphics, LOGFONTA* logfontA)) \
  X(Status, GdipGetLogFontW, (GpFont* font, GpGraphics* graphics, LOGFONTW* logfontW)) \
  X(Status, GdipNewInstalledFontCollection, (GpFontCollection** fontCollection)) \
  X(Status, GdipNewPrivateFontCollection, (GpFontCollection** fontCollection)) \
  X(Status, GdipDeletePrivateFontCollection, (GpFontCollection** fontCollection)) \
  X(Status, GdipGetFontCollectionFamilyCount, (GpFontCollection* fontCollection, INT* numFound)) \
  X(Status, GdipGetFontCollectionFamilyList, (GpFontCollection* fontCollection, INT numSought, GpFontFamily** gpfamilies, INT* numFound)) \
  X(Status, GdipPrivateAddFontFile, (GpFontCollection* fontCollection, const WCHAR* filename)) \
  X(Status, GdipPrivateAddMemoryFont, (GpFontCollection* fontCollection, const void* memory, INT length)) \
  X(Status, GdipDrawString, (GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font, const RectF* layoutRect, const GpStringFormat* stringFormat, const GpBrush* brush)) \
  X(Status, GdipMeasureString, (GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font, const RectF* layoutRect, const GpStringFormat* stringFormat, RectF* boundingBox, INT* codepointsFitted, INT* linesFilled)) \
  X(Status, GdipMeasureCharacterRanges, (GpGraphics* graphics, const WCHAR* string, INT length, const GpFont* font, const RectF* layoutRect, const GpStringFormat* stringFormat, INT regionCount, GpRegion** regions)) \
  X(Status, GdipDrawDriverString, (GpGraphics* graphics, const UINT16* text, INT length, const GpFont* font, const GpBrush* brush, const PointF* positions, INT flags, const GpMatrix* matrix)) \
  X(Status, GdipMeasureDriverString, (GpGraphics* graphics, const UINT16* text, INT length, const GpFont* font, const PointF* positions, INT flags, const GpMatrix* matrix, RectF* boundingBox)) \
  X(Status, GdipCreateStringFormat, (INT formatAttributes, LANGID language, GpStringFormat** format)) \
  X(Status, GdipStringFormatGetGenericDefault, (GpStringFormat** format)) \
  X(Status, GdipStringFormatGetGenericTypographic, (GpStringFormat** format)) \
  X(Status, GdipDeleteStringFormat, (GpStringFormat* format)) \
  X(Status, GdipCloneStringFormat, (const GpStringFormat* format, GpStringFormat** newFormat)) \
  X(Status, GdipSetStringFormatFlags, (GpStringFormat* format, INT flags)) \
  X(Status, GdipGetStringFormatFlags, (const GpStringFormat* format, INT* flags)) \
  X(Status, GdipSetStringFormatAlign, (GpStringFormat* format, StringAlignment align)) \
  X(Status, GdipGetStringFormatAlign, (const GpStringFormat* format, StringAlignment* align)) \
  X(Status, GdipSetStringFormatLineAlign, (GpStringFormat* format, StringAlignment align)) \
  X(Status, GdipGetStringFormatLineAlign, (const GpStringFormat* format, StringAlignment* align)) \
  X(Status, GdipSetStringFormatTrimming, (GpStringFormat* format, StringTrimming trimming)) \
  X(Status, GdipGetStringFormatTrimming, (const GpStringFormat* format, StringTrimming* trimming)) \
  X(Status, GdipSetStringFormatHotkeyPrefix, (GpStringFormat* format, INT hotkeyPrefix)) \
  X(Status, GdipGetStringFormatHotkeyPrefix, (const GpStringFormat* format, INT* hotkeyPrefix)) \
  X(Status, GdipSetStringFormatTabStops, (GpStringFormat* format, REAL firstTabOffset, INT count, const REAL* tabStops)) \
  X(Status, GdipGetStringFormatTabStops, (const GpStringFormat* format, INT count, REAL* firstTabOffset, REAL* tabStops)) \
  X(Status, GdipGetStringFormatTabStopCount, (const GpStringFormat* format, INT* count)) \
  X(Status, GdipSetStringFormatDigitSubstitution, (GpStringFormat* format, LANGID language, StringDigitSubstitute substitute)) \
  X(Status, GdipGetStringFormatDigitSubstitution, (const GpStringFormat* format, LANGID* language, StringDigitSubstitute* substitute)) \
  X(Status, GdipGetStringFormatMeasurableCharacterRangeCount, (const GpStringFormat* format, INT* count)) \
  X(Status, GdipSetStringFormatMeasurableCharacterRanges, (GpStringFormat* format, INT rangeCount, const CharacterRange* ranges)) \
  X(Status, GdipCreateCachedBitmap, (GpBitmap* bitmap, GpGraphics* graphics, GpCachedBitmap** cachedBitmap)) \
  X(Status, GdipDeleteCachedBitmap, (GpCachedBitmap* cachedBitmap)) \
  X(Status, GdipDrawCachedBitmap, (GpGraphics* graphics, GpCachedBitmap* cachedBitmap, INT x, INT y)) \
  X(UINT, GdipEmfToWmfBits, (HENHMETAFILE hemf, UINT cbData16, BYTE* pData16, INT iMapMode, INT eFlags))
// clang-format on

namespace gdip {

#define ZELK_GDIPLUS_POINTER_TYPE(Result, Name, Params) using T##Name = Result(*) Params;
ZELK_GDIPLUS_FLAT(ZELK_GDIPLUS_POINTER_TYPE)
#undef ZELK_GDIPLUS_POINTER_TYPE

#define ZELK_GDIPLUS_COUNT_ONE(Result, Name, Params) +1
// Number of flat functions in the list.
constexpr int FlatFunctionCount = 0 ZELK_GDIPLUS_FLAT(ZELK_GDIPLUS_COUNT_ONE);
#undef ZELK_GDIPLUS_COUNT_ONE
static_assert(FlatFunctionCount == 594);

}  // namespace gdip
