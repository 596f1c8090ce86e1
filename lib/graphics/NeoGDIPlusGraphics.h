#pragma once
// NeoGDIPlusClasses drawing surface: a GDI+ graphics object over a device context, a window or
// an image, called through the bound table under the wrapper protocol.
#include "lib/graphics/NeoGDIPlusImages.h"
#include "lib/graphics/NeoGDIPlusPens.h"
#include "lib/graphics/NeoGDIPlusText.h"

namespace NeoGDIPlusClasses {

class TGPGraphics : public TGdiplusBase {
  ZELK_CLASS(TGPGraphics, TGdiplusBase)
public:
  // The two integers only tell this overload from the window overload.
  TGPGraphics(HDC ADC, Integer ADummy1, Integer ADummy2);
  TGPGraphics(HDC ADC, HANDLE AHDevice);
  TGPGraphics(HWND AHwnd, bool AIcm);
  // A nil image makes no call: nil handle, status Ok.
  explicit TGPGraphics(TGPImage* AImage);
  ~TGPGraphics() override;
  TGPGraphics(const TGPGraphics&) = delete;
  TGPGraphics& operator=(const TGPGraphics&) = delete;

  static TGPGraphics* FromHDC(HDC ADC);
  static TGPGraphics* FromHDC(HDC ADC, HANDLE AHDevice);
  static TGPGraphics* FromHWND(HWND AHwnd, bool AIcm = false);
  static TGPGraphics* FromImage(TGPImage* AImage);

  // Records nothing.
  void Flush(FlushIntention AIntention = FlushIntentionFlush);
  HDC GetHDC();
  void ReleaseHDC(HDC ADC);
  Status SetRenderingOrigin(Integer x, Integer y);
  Status GetRenderingOrigin(Integer& x, Integer& y);
  Status SetCompositingMode(CompositingMode ACompositingMode);
  CompositingMode GetCompositingMode();
  Status SetCompositingQuality(Integer ACompositingQuality);
  Integer GetCompositingQuality();
  Status SetTextRenderingHint(TextRenderingHint ANewMode);
  TextRenderingHint GetTextRenderingHint();
  Status SetTextContrast(UINT AContrast);
  UINT GetTextContrast();
  Status SetInterpolationMode(Integer AInterpolationMode);
  Integer GetInterpolationMode();
  Status SetSmoothingMode(Integer ASmoothingMode);
  Integer GetSmoothingMode();
  Status SetPixelOffsetMode(Integer APixelOffsetMode);
  Integer GetPixelOffsetMode();

  Status SetTransform(TGPMatrix* AMatrix);
  Status ResetTransform();
  Status MultiplyTransform(TGPMatrix* AMatrix, MatrixOrder AOrder = MatrixOrderPrepend);
  Status TranslateTransform(Single ADx, Single ADy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status ScaleTransform(Single ASx, Single ASy, MatrixOrder AOrder = MatrixOrderPrepend);
  Status RotateTransform(Single AAngle, MatrixOrder AOrder = MatrixOrderPrepend);
  Status GetTransform(TGPMatrix* AMatrix);
  Status SetPageUnit(Unit_ AUnit);
  Status SetPageScale(Single AScale);
  Unit_ GetPageUnit();
  Single GetPageScale();
  Single GetDpiX();
  Single GetDpiY();
  Status TransformPoints(CoordinateSpace ADestSpace, CoordinateSpace ASrcSpace, PGPPointF APts, Integer ACount);
  Status TransformPoints(CoordinateSpace ADestSpace, CoordinateSpace ASrcSpace, PGPPoint APts, Integer ACount);
  Status GetNearestColor(ARGB& AColor);

  Status DrawLine(TGPPen* APen, Single x1, Single y1, Single x2, Single y2);
  Status DrawLine(TGPPen* APen, const TGPPointF& APt1, const TGPPointF& APt2);
  Status DrawLines(TGPPen* APen, const TGPPointF* APoints, Integer ACount);
  Status DrawLine(TGPPen* APen, Integer x1, Integer y1, Integer x2, Integer y2);
  Status DrawLine(TGPPen* APen, const TGPPoint& APt1, const TGPPoint& APt2);
  Status DrawLines(TGPPen* APen, const TGPPoint* APoints, Integer ACount);
  Status DrawArc(TGPPen* APen, Single x, Single y, Single AWidth, Single AHeight, Single AStartAngle, Single ASweepAngle);
  Status DrawArc(TGPPen* APen, const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle);
  Status DrawArc(TGPPen* APen, Integer x, Integer y, Integer AWidth, Integer AHeight, Single AStartAngle,
                 Single ASweepAngle);
  Status DrawArc(TGPPen* APen, const TGPRect& ARect, Single AStartAngle, Single ASweepAngle);
  Status DrawBezier(TGPPen* APen, Single x1, Single y1, Single x2, Single y2, Single x3, Single y3, Single x4, Single y4);
  Status DrawBezier(TGPPen* APen, const TGPPointF& APt1, const TGPPointF& APt2, const TGPPointF& APt3,
                    const TGPPointF& APt4);
  Status DrawBeziers(TGPPen* APen, const TGPPointF* APoints, Integer ACount);
  Status DrawBezier(TGPPen* APen, Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4,
                    Integer y4);
  Status DrawBezier(TGPPen* APen, const TGPPoint& APt1, const TGPPoint& APt2, const TGPPoint& APt3,
                    const TGPPoint& APt4);
  Status DrawBeziers(TGPPen* APen, const TGPPoint* APoints, Integer ACount);
  Status DrawRectangle(TGPPen* APen, const TGPRectF& ARect);
  Status DrawRectangle(TGPPen* APen, Single x, Single y, Single AWidth, Single AHeight);
  Status DrawRectangles(TGPPen* APen, const TGPRectF* ARects, Integer ACount);
  Status DrawRectangle(TGPPen* APen, const TGPRect& ARect);
  Status DrawRectangle(TGPPen* APen, Integer x, Integer y, Integer AWidth, Integer AHeight);
  Status DrawRectangles(TGPPen* APen, const TGPRect* ARects, Integer ACount);
  Status DrawEllipse(TGPPen* APen, const TGPRectF& ARect);
  Status DrawEllipse(TGPPen* APen, Single x, Single y, Single AWidth, Single AHeight);
  Status DrawEllipse(TGPPen* APen, const TGPRect& ARect);
  Status DrawEllipse(TGPPen* APen, Integer x, Integer y, Integer AWidth, Integer AHeight);
  Status DrawPie(TGPPen* APen, const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle);
  Status DrawPie(TGPPen* APen, Single x, Single y, Single AWidth, Single AHeight, Single AStartAngle, Single ASweepAngle);
  Status DrawPie(TGPPen* APen, const TGPRect& ARect, Single AStartAngle, Single ASweepAngle);
  Status DrawPie(TGPPen* APen, Integer x, Integer y, Integer AWidth, Integer AHeight, Single AStartAngle,
                 Single ASweepAngle);
  Status DrawPolygon(TGPPen* APen, const TGPPointF* APoints, Integer ACount);
  Status DrawPolygon(TGPPen* APen, const TGPPoint* APoints, Integer ACount);
  Status DrawPath(TGPPen* APen, TGPGraphicsPath* APath);
  Status DrawCurve(TGPPen* APen, const TGPPointF* APoints, Integer ACount);
  Status DrawCurve(TGPPen* APen, const TGPPointF* APoints, Integer ACount, Single ATension);
  Status DrawCurve(TGPPen* APen, const TGPPointF* APoints, Integer ACount, Integer AOffset, Integer ANumberOfSegments,
                   Single ATension = 0.5f);
  Status DrawCurve(TGPPen* APen, const TGPPoint* APoints, Integer ACount);
  Status DrawCurve(TGPPen* APen, const TGPPoint* APoints, Integer ACount, Single ATension);
  Status DrawCurve(TGPPen* APen, const TGPPoint* APoints, Integer ACount, Integer AOffset, Integer ANumberOfSegments,
                   Single ATension = 0.5f);
  Status DrawClosedCurve(TGPPen* APen, const TGPPointF* APoints, Integer ACount);
  Status DrawClosedCurve(TGPPen* APen, const TGPPointF* APoints, Integer ACount, Single ATension);
  Status DrawClosedCurve(TGPPen* APen, const TGPPoint* APoints, Integer ACount);
  Status DrawClosedCurve(TGPPen* APen, const TGPPoint* APoints, Integer ACount, Single ATension);

  Status Clear(ARGB AColor);
  Status FillRectangle(TGPBrush* ABrush, const TGPRectF& ARect);
  Status FillRectangle(TGPBrush* ABrush, Single x, Single y, Single AWidth, Single AHeight);
  Status FillRectangles(TGPBrush* ABrush, const TGPRectF* ARects, Integer ACount);
  Status FillRectangle(TGPBrush* ABrush, const TGPRect& ARect);
  Status FillRectangle(TGPBrush* ABrush, Integer x, Integer y, Integer AWidth, Integer AHeight);
  Status FillRectangles(TGPBrush* ABrush, const TGPRect* ARects, Integer ACount);
  Status FillPolygon(TGPBrush* ABrush, const TGPPointF* APoints, Integer ACount);
  Status FillPolygon(TGPBrush* ABrush, const TGPPointF* APoints, Integer ACount, FillMode AFillMode);
  Status FillPolygon(TGPBrush* ABrush, const TGPPoint* APoints, Integer ACount);
  Status FillPolygon(TGPBrush* ABrush, const TGPPoint* APoints, Integer ACount, FillMode AFillMode);
  Status FillEllipse(TGPBrush* ABrush, const TGPRectF& ARect);
  Status FillEllipse(TGPBrush* ABrush, Single x, Single y, Single AWidth, Single AHeight);
  Status FillEllipse(TGPBrush* ABrush, const TGPRect& ARect);
  Status FillEllipse(TGPBrush* ABrush, Integer x, Integer y, Integer AWidth, Integer AHeight);
  Status FillPie(TGPBrush* ABrush, const TGPRectF& ARect, Single AStartAngle, Single ASweepAngle);
  Status FillPie(TGPBrush* ABrush, Single x, Single y, Single AWidth, Single AHeight, Single AStartAngle,
                 Single ASweepAngle);
  Status FillPie(TGPBrush* ABrush, const TGPRect& ARect, Single AStartAngle, Single ASweepAngle);
  Status FillPie(TGPBrush* ABrush, Integer x, Integer y, Integer AWidth, Integer AHeight, Single AStartAngle,
                 Single ASweepAngle);
  Status FillPath(TGPBrush* ABrush, TGPGraphicsPath* APath);
  Status FillClosedCurve(TGPBrush* ABrush, const TGPPointF* APoints, Integer ACount);
  // The flat function takes the tension before the fill mode.
  Status FillClosedCurve(TGPBrush* ABrush, const TGPPointF* APoints, Integer ACount, FillMode AFillMode,
                         Single ATension = 0.5f);
  Status FillClosedCurve(TGPBrush* ABrush, const TGPPoint* APoints, Integer ACount);
  Status FillClosedCurve(TGPBrush* ABrush, const TGPPoint* APoints, Integer ACount, FillMode AFillMode,
                         Single ATension = 0.5f);
  Status FillRegion(TGPBrush* ABrush, TGPRegion* ARegion);

  // A copy of the text, terminated, with its own length.
  Status DrawString(const String& AString, TGPFont* AFont, const TGPRectF& ALayoutRect,
                    TGPStringFormat* AStringFormat, TGPBrush* ABrush);
  Status DrawString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPRectF& ALayoutRect,
                    TGPStringFormat* AStringFormat, TGPBrush* ABrush);
  Status DrawString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin, TGPBrush* ABrush);
  Status DrawString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin,
                    TGPStringFormat* AStringFormat, TGPBrush* ABrush);
  Status MeasureString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPRectF& ALayoutRect,
                       TGPStringFormat* AStringFormat, TGPRectF& ABoundingBox, Integer* ACodepointsFitted = nullptr,
                       Integer* ALinesFilled = nullptr);
  // ASize is left as it was when the call fails.
  Status MeasureString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPSizeF& ALayoutRectSize,
                       TGPStringFormat* AStringFormat, TGPSizeF& ASize, Integer* ACodepointsFitted = nullptr,
                       Integer* ALinesFilled = nullptr);
  Status MeasureString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin,
                       TGPStringFormat* AStringFormat, TGPRectF& ABoundingBox);
  Status MeasureString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPRectF& ALayoutRect,
                       TGPRectF& ABoundingBox);
  Status MeasureString(const Char* AString, Integer ALength, TGPFont* AFont, const TGPPointF& AOrigin,
                       TGPRectF& ABoundingBox);
  // InvalidParameter, unrecorded, for a region count below 1.
  Status MeasureCharacterRanges(const Char* AString, Integer ALength, TGPFont* AFont, const TGPRectF& ALayoutRect,
                                TGPStringFormat* AStringFormat, Integer ARegionCount, TGPRegion* const* ARegions);
  Status DrawDriverString(const UINT16* AText, Integer ALength, TGPFont* AFont, TGPBrush* ABrush,
                          const TGPPointF* APositions, Integer AFlags, TGPMatrix* AMatrix);
  Status MeasureDriverString(const UINT16* AText, Integer ALength, TGPFont* AFont, const TGPPointF* APositions,
                             Integer AFlags, TGPMatrix* AMatrix, TGPRectF& ABoundingBox);

  Status DrawCachedBitmap(TGPCachedBitmap* ACb, Integer x, Integer y);
  Status DrawImage(TGPImage* AImage, const TGPPointF& APoint);
  Status DrawImage(TGPImage* AImage, Single x, Single y);
  Status DrawImage(TGPImage* AImage, const TGPRectF& ARect);
  Status DrawImage(TGPImage* AImage, Single x, Single y, Single AWidth, Single AHeight);
  Status DrawImage(TGPImage* AImage, const TGPPoint& APoint);
  Status DrawImage(TGPImage* AImage, Integer x, Integer y);
  Status DrawImage(TGPImage* AImage, const TGPRect& ARect);
  Status DrawImage(TGPImage* AImage, Integer x, Integer y, Integer AWidth, Integer AHeight);
  // Only 3 or 4 destination points; otherwise InvalidParameter is recorded.
  Status DrawImage(TGPImage* AImage, const TGPPointF* ADestPoints, Integer ACount);
  Status DrawImage(TGPImage* AImage, const TGPPoint* ADestPoints, Integer ACount);
  Status DrawImage(TGPImage* AImage, Single x, Single y, Single ASrcX, Single ASrcY, Single ASrcWidth,
                   Single ASrcHeight, Unit_ ASrcUnit);
  Status DrawImage(TGPImage* AImage, Integer x, Integer y, Integer ASrcX, Integer ASrcY, Integer ASrcWidth,
                   Integer ASrcHeight, Unit_ ASrcUnit);
  Status DrawImage(TGPImage* AImage, const TGPRectF& ADestRect, Single ASrcX, Single ASrcY, Single ASrcWidth,
                   Single ASrcHeight, Unit_ ASrcUnit, TGPImageAttributes* AImageAttributes = nullptr,
                   ImageAbort ACallback = nullptr, void* ACallbackData = nullptr);
  Status DrawImage(TGPImage* AImage, const TGPRect& ADestRect, Integer ASrcX, Integer ASrcY, Integer ASrcWidth,
                   Integer ASrcHeight, Unit_ ASrcUnit, TGPImageAttributes* AImageAttributes = nullptr,
                   ImageAbort ACallback = nullptr, void* ACallbackData = nullptr);
  Status DrawImage(TGPImage* AImage, const TGPPointF* ADestPoints, Integer ACount, Single ASrcX, Single ASrcY,
                   Single ASrcWidth, Single ASrcHeight, Unit_ ASrcUnit, TGPImageAttributes* AImageAttributes = nullptr,
                   ImageAbort ACallback = nullptr, void* ACallbackData = nullptr);
  Status DrawImage(TGPImage* AImage, const TGPPoint* ADestPoints, Integer ACount, Integer ASrcX, Integer ASrcY,
                   Integer ASrcWidth, Integer ASrcHeight, Unit_ ASrcUnit,
                   TGPImageAttributes* AImageAttributes = nullptr, ImageAbort ACallback = nullptr,
                   void* ACallbackData = nullptr);

  Status SetClip(TGPGraphics* AG, CombineMode ACombineMode = CombineModeReplace);
  Status SetClip(const TGPRectF& ARect, CombineMode ACombineMode = CombineModeReplace);
  Status SetClip(const TGPRect& ARect, CombineMode ACombineMode = CombineModeReplace);
  Status SetClip(TGPGraphicsPath* APath, CombineMode ACombineMode = CombineModeReplace);
  Status SetClip(TGPRegion* ARegion, CombineMode ACombineMode = CombineModeReplace);
  Status SetClip(HRGN AHRgn, CombineMode ACombineMode = CombineModeReplace);
  Status IntersectClip(const TGPRectF& ARect);
  Status IntersectClip(const TGPRect& ARect);
  Status IntersectClip(TGPRegion* ARegion);
  Status ExcludeClip(const TGPRectF& ARect);
  Status ExcludeClip(const TGPRect& ARect);
  Status ExcludeClip(TGPRegion* ARegion);
  Status ResetClip();
  Status TranslateClip(Single ADx, Single ADy);
  Status TranslateClip(Integer ADx, Integer ADy);
  Status GetClip(TGPRegion* ARegion);
  Status GetClipBounds(TGPRectF& ARect);
  Status GetClipBounds(TGPRect& ARect);
  bool IsClipEmpty();
  Status GetVisibleClipBounds(TGPRectF& ARect);
  Status GetVisibleClipBounds(TGPRect& ARect);
  bool IsVisibleClipEmpty();
  bool IsVisible(Integer x, Integer y);
  bool IsVisible(const TGPPoint& APoint);
  bool IsVisible(Integer x, Integer y, Integer AWidth, Integer AHeight);
  bool IsVisible(const TGPRect& ARect);
  bool IsVisible(Single x, Single y);
  bool IsVisible(const TGPPointF& APoint);
  bool IsVisible(Single x, Single y, Single AWidth, Single AHeight);
  bool IsVisible(const TGPRectF& ARect);
  gdip::GraphicsState Save();
  Status Restore(gdip::GraphicsState AGState);
  gdip::GraphicsContainer BeginContainer(const TGPRectF& ADstRect, const TGPRectF& ASrcRect, Unit_ AUnit);
  gdip::GraphicsContainer BeginContainer(const TGPRect& ADstRect, const TGPRect& ASrcRect, Unit_ AUnit);
  gdip::GraphicsContainer BeginContainer();
  Status EndContainer(gdip::GraphicsContainer AState);
  // The flat function takes the size before the data.
  Status AddMetafileComment(const Byte* AData, UINT ASizeData);
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpGraphics* nativeGraphics = nullptr;
  Status lastResult = Ok;
};

}  // namespace NeoGDIPlusClasses
