#pragma once
// TNeoGraphicsContext: the abstract drawing back end behind the graphics facade. The facade owns
// one context and forwards every state change and primitive to it; a context turns them into
// calls of one drawing technology (GDI+, or a plain canvas). The facade decides what is drawn at
// all; a context draws what it is asked to.
//
// Angles are in degrees and turn clockwise on the screen (y grows downwards). The modify modes of
// points and rectangles are accepted by every drawing operation and leave the geometry as it is.
#include "lib/base/NeoObjectJSON.h"
#include "lib/graphics/NeoGraphicsTypes.h"
#include "platform/ui/Graphics.h"

class TNeoGraphics;

class TNeoGraphicsContext : public TObject, public TNeoJSONMethods<TNeoGraphicsContext> {
  ZELK_CLASS(TNeoGraphicsContext, TObject)
public:
  // The argument of the constructor a class reference calls: the owning facade.
  using TCreateArg = TNeoGraphics*;

  explicit TNeoGraphicsContext(TNeoGraphics* AGraphics) : FGraphics(AGraphics) {}

  TNeoGraphics* GetGraphics() const { return FGraphics; }
  // The facade's active canvas; nullptr without a facade.
  TCanvas* GetCanvas() const;
  // The native drawing object: the GDI+ graphics of the GDI+ back end, the TCanvas of the canvas
  // back end.
  Pointer NativeCanvas() { return GetNativeCanvas(); }

  virtual Pointer GetNativeCanvas() = 0;
  // A new native path owned by the caller; nullptr when the back end draws paths on its device
  // context directly.
  virtual Pointer CreatePath() = 0;
  virtual TColor GetFillColor() = 0;
  // The bounding rectangle of the plain text laid out in ARect with the current font.
  virtual TRectF CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping) = 0;
  // Prepares rotated text and answers the rectangle the text is laid out in.
  virtual TRectF SetTextAngle(const TRectF& ARect, Single AAngle) = 0;
  virtual TNeoGraphicsMatrix GetMatrix() = 0;
  virtual void Render() = 0;
  virtual void PathOpen(Pointer APath) = 0;
  virtual void PathMoveTo(Pointer APath, TPointF APoint) = 0;
  virtual void PathLineTo(Pointer APath, TPointF APoint) = 0;
  virtual void SetScale(Single AScale) = 0;
  virtual void PathClose(Pointer APath) = 0;
  virtual void ResetClip() = 0;
  virtual void ResetTransform() = 0;
  virtual void ScaleTransform(Single AX, Single AY) = 0;
  virtual void RotateTransform(Single AAngle) = 0;
  virtual void TranslateTransform(Single AX, Single AY) = 0;
  virtual void SetTextQuality(TNeoGraphicsTextQuality ATextQuality) = 0;
  virtual void SetAntiAliasing(bool AAntiAliasing) = 0;
  virtual void SetShowAcceleratorChar(bool AShowAcceleratorChar) = 0;
  virtual void SetSize(Single AWidth, Single AHeight) = 0;
  virtual void ResetTextAngle(Single AAngle) = 0;
  virtual void BeginScene() = 0;
  virtual void EndScene() = 0;
  virtual void StartSpecialPen() = 0;
  virtual void StopSpecialPen() = 0;
  virtual void RestoreState(TNeoGraphicsSaveState* AState) = 0;
  virtual void SaveState(TNeoGraphicsSaveState* AState) = 0;
  virtual void SetFontSize(Integer ASize) = 0;
  virtual void SetFontColor(TColor AColor) = 0;
  virtual void SetFontName(const String& AName) = 0;
  virtual void SetFont(TNeoGraphicsFont* AFont) = 0;
  virtual void SetFontStyles(TFontStyles AStyle) = 0;
  virtual void SetMatrix(const TNeoGraphicsMatrix& AMatrix) = 0;
  virtual void SetFill(TNeoGraphicsFill* AFill) = 0;
  virtual void SetFillKind(TNeoGraphicsFillKind AKind) = 0;
  virtual void SetFillColor(TColor AColor) = 0;
  virtual void SetStroke(TNeoGraphicsStroke* AStroke) = 0;
  virtual void SetStrokeKind(TNeoGraphicsStrokeKind AKind) = 0;
  virtual void SetStrokeColor(TColor AColor) = 0;
  virtual void SetStrokeWidth(Single AWidth) = 0;
  virtual void DrawLine(TNeoGraphicsStroke* AStroke, TPointF AFromPoint, TPointF AToPoint,
                        TNeoGraphicsModifyPointMode AModifyPointModeFrom,
                        TNeoGraphicsModifyPointMode AModifyPointModeTo) = 0;
  virtual void DrawPolygon(TNeoGraphicsStroke* AStroke, const TNeoGraphicsPathPolygon& APolygon) = 0;
  virtual void FillPolygon(TNeoGraphicsFill* AFill, const TNeoGraphicsPathPolygon& APolygon) = 0;
  virtual void DrawPolyline(TNeoGraphicsStroke* AStroke, const TNeoGraphicsPathPolygon& APolyline) = 0;
  virtual void FillPolyline(TNeoGraphicsFill* AFill, const TNeoGraphicsPathPolygon& APolyline) = 0;
  virtual void FillArc(TNeoGraphicsFill* AFill, TPointF ACenter, TPointF ARadius, Single AStartAngle,
                       Single ASweepAngle) = 0;
  virtual void DrawArc(TNeoGraphicsStroke* AStroke, TPointF ACenter, TPointF ARadius, Single AStartAngle,
                       Single ASweepAngle) = 0;
  virtual void FillRect(TNeoGraphicsFill* AFill, const TRectF& ARect, TNeoGraphicsModifyRectMode AModifyRectMode) = 0;
  // Only the listed sides.
  virtual void DrawRect(TNeoGraphicsStroke* AStroke, const TRectF& ARect, TNeoGraphicsSides ASides,
                        TNeoGraphicsModifyRectMode AModifyRectMode) = 0;
  virtual void FillRoundRect(TNeoGraphicsFill* AFill, const TRectF& ARect, Single ARounding,
                             TNeoGraphicsCorners ACorners, TNeoGraphicsModifyRectMode AModifyRectMode) = 0;
  virtual void DrawRoundRect(TNeoGraphicsStroke* AStroke, const TRectF& ARect, Single ARounding,
                             TNeoGraphicsCorners ACorners, TNeoGraphicsModifyRectMode AModifyRectMode) = 0;
  virtual void FillEllipse(TNeoGraphicsFill* AFill, const TRectF& ARect, TNeoGraphicsModifyRectMode AModifyRectMode) = 0;
  virtual void DrawEllipse(TNeoGraphicsStroke* AStroke, const TRectF& ARect,
                           TNeoGraphicsModifyRectMode AModifyRectMode) = 0;
  // The whole graphic into ADstRect.
  virtual void DrawBitmap(TGraphic* ABitmap, const TRectF& ASrcRect, const TRectF& ADstRect, Single AOpacity) = 0;
  virtual void ClipRect(const TRectF& ARect) = 0;
  virtual void ClipPath(TNeoGraphicsPath* APath) = 0;
  // A dotted 1-pixel outline.
  virtual void DrawFocusPath(TNeoGraphicsStroke* AStroke, TNeoGraphicsPath* APath, TColor AColor) = 0;
  virtual void DrawFocusRectangle(TNeoGraphicsStroke* AStroke, const TRectF& ARect, TColor AColor,
                                  TNeoGraphicsModifyRectMode AModifyRectMode) = 0;
  virtual void DrawText(const String& AText, const TRectF& ARect, bool AWordWrapping,
                        TNeoGraphicsTextAlign AHorizontalAlign, TNeoGraphicsTextAlign AVerticalAlign,
                        TNeoGraphicsTextTrimming ATrimming, Single AAngle) = 0;
  virtual void DrawPath(TNeoGraphicsStroke* AStroke, TNeoGraphicsPath* APath, TNeoGraphicsPathDrawMode APathMode) = 0;
  virtual void FillPath(TNeoGraphicsFill* AFill, TNeoGraphicsPath* APath, TNeoGraphicsPathDrawMode APathMode) = 0;

  // Builds a native path from APath through this context's path operations (curves flattened
  // with at least two samples each, flatness at least 0.05) and returns it; the caller owns it.
  Pointer ConvertToPath(const TNeoGraphicsPath* APath, Single Flatness);

private:
  TNeoGraphics* FGraphics;
};

// A class reference for the contexts: the facade creates its context through it.
using TNeoGraphicsContextClass = TClass;
