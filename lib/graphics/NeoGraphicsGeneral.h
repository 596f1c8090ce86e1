#pragma once
// TNeoGraphicsContextGeneral: the drawing back end over the facade's plain TCanvas and GDI calls on
// its device context. Integer coordinates (every float rounded, halves to even), no transforms,
// no anti-aliasing; opacity and gradient stops only in path fills. The canvas's pen and brush
// carry the stroke and fill state.
#include "lib/graphics/NeoGraphics.h"

class TNeoGraphicsContextGeneral : public TNeoGraphicsContext {
  ZELK_CLASS(TNeoGraphicsContextGeneral, TNeoGraphicsContext)
public:
  explicit TNeoGraphicsContextGeneral(TNeoGraphics* AGraphics) : TNeoGraphicsContext(AGraphics) {}
  ~TNeoGraphicsContextGeneral() override;

  Pointer GetNativeCanvas() override { return GetCanvas(); }
  Pointer CreatePath() override { return nullptr; }
  TColor GetFillColor() override;
  TRectF CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping) override;
  TRectF SetTextAngle(const TRectF& ARect, Single) override { return ARect; }
  TNeoGraphicsMatrix GetMatrix() override { return TNeoGraphicsMatrix::Identity(); }
  void Render() override {}
  void PathOpen(Pointer) override {}
  void PathMoveTo(Pointer APath, TPointF APoint) override;
  void PathLineTo(Pointer APath, TPointF APoint) override;
  void SetScale(Single) override {}
  void PathClose(Pointer APath) override;
  // Clips end with RestoreState.
  void ResetClip() override {}
  void ResetTransform() override {}
  void ScaleTransform(Single, Single) override {}
  void RotateTransform(Single) override {}
  void TranslateTransform(Single, Single) override {}
  void SetTextQuality(TNeoGraphicsTextQuality) override {}
  void SetAntiAliasing(bool) override {}
  void SetShowAcceleratorChar(bool AShowAcceleratorChar) override { FShowAcceleratorChar = AShowAcceleratorChar; }
  void SetSize(Single, Single) override {}
  void ResetTextAngle(Single) override {}
  void BeginScene() override {}
  void EndScene() override {}
  void StartSpecialPen() override;
  void StopSpecialPen() override;
  void RestoreState(TNeoGraphicsSaveState* AState) override;
  void SaveState(TNeoGraphicsSaveState* AState) override;
  void SetFontSize(Integer ASize) override;
  void SetFontColor(TColor AColor) override;
  void SetFontName(const String& AName) override;
  void SetFont(TNeoGraphicsFont* AFont) override;
  void SetFontStyles(TFontStyles AStyle) override;
  void SetMatrix(const TNeoGraphicsMatrix&) override {}
  void SetFill(TNeoGraphicsFill* AFill) override;
  void SetFillKind(TNeoGraphicsFillKind AKind) override;
  void SetFillColor(TColor AColor) override;
  void SetStroke(TNeoGraphicsStroke* AStroke) override;
  void SetStrokeKind(TNeoGraphicsStrokeKind AKind) override;
  void SetStrokeColor(TColor AColor) override;
  void SetStrokeWidth(Single AWidth) override;
  void DrawLine(TNeoGraphicsStroke* AStroke, TPointF AFromPoint, TPointF AToPoint,
                TNeoGraphicsModifyPointMode AModifyPointModeFrom, TNeoGraphicsModifyPointMode AModifyPointModeTo) override;
  void DrawPolygon(TNeoGraphicsStroke* AStroke, const TNeoGraphicsPathPolygon& APolygon) override;
  void FillPolygon(TNeoGraphicsFill* AFill, const TNeoGraphicsPathPolygon& APolygon) override;
  void DrawPolyline(TNeoGraphicsStroke* AStroke, const TNeoGraphicsPathPolygon& APolyline) override;
  void FillPolyline(TNeoGraphicsFill* AFill, const TNeoGraphicsPathPolygon& APolyline) override;
  // The chord of the arc, painted with the brush and no outline.
  void FillArc(TNeoGraphicsFill* AFill, TPointF ACenter, TPointF ARadius, Single AStartAngle, Single ASweepAngle) override;
  void DrawArc(TNeoGraphicsStroke* AStroke, TPointF ACenter, TPointF ARadius, Single AStartAngle, Single ASweepAngle) override;
  void FillRect(TNeoGraphicsFill* AFill, const TRectF& ARect, TNeoGraphicsModifyRectMode AModifyRectMode) override;
  // Sides in the order top, left, bottom, right, each ending on the last pixel inside the rectangle.
  void DrawRect(TNeoGraphicsStroke* AStroke, const TRectF& ARect, TNeoGraphicsSides ASides,
                TNeoGraphicsModifyRectMode AModifyRectMode) override;
  void FillRoundRect(TNeoGraphicsFill* AFill, const TRectF& ARect, Single ARounding, TNeoGraphicsCorners ACorners,
                     TNeoGraphicsModifyRectMode AModifyRectMode) override;
  void DrawRoundRect(TNeoGraphicsStroke* AStroke, const TRectF& ARect, Single ARounding, TNeoGraphicsCorners ACorners,
                     TNeoGraphicsModifyRectMode AModifyRectMode) override;
  void FillEllipse(TNeoGraphicsFill* AFill, const TRectF& ARect, TNeoGraphicsModifyRectMode AModifyRectMode) override;
  void DrawEllipse(TNeoGraphicsStroke* AStroke, const TRectF& ARect, TNeoGraphicsModifyRectMode AModifyRectMode) override;
  // The whole graphic stretched into the destination; source rectangle and opacity are not applied.
  void DrawBitmap(TGraphic* ABitmap, const TRectF& ASrcRect, const TRectF& ADstRect, Single AOpacity) override;
  void ClipRect(const TRectF& ARect) override;
  // The path's bounds.
  void ClipPath(TNeoGraphicsPath* APath) override;
  void DrawFocusPath(TNeoGraphicsStroke* AStroke, TNeoGraphicsPath* APath, TColor AColor) override;
  void DrawFocusRectangle(TNeoGraphicsStroke* AStroke, const TRectF& ARect, TColor AColor,
                          TNeoGraphicsModifyRectMode AModifyRectMode) override;
  void DrawText(const String& AText, const TRectF& ARect, bool AWordWrapping, TNeoGraphicsTextAlign AHorizontalAlign,
                TNeoGraphicsTextAlign AVerticalAlign, TNeoGraphicsTextTrimming ATrimming, Single AAngle) override;
  void DrawPath(TNeoGraphicsStroke* AStroke, TNeoGraphicsPath* APath, TNeoGraphicsPathDrawMode APathMode) override;
  void FillPath(TNeoGraphicsFill* AFill, TNeoGraphicsPath* APath, TNeoGraphicsPathDrawMode APathMode) override;

private:
  TCanvas* Canvas() const;
  // Fills the rectangle with a two-colour gradient (mirror halves included); the listed corners
  // rounded with ARadius.
  void FillGradient(TNeoGraphicsFill* AFill, const TRect& ARect, TNeoGraphicsCorners ACorners, Integer ARadius);
  // The rectangle of the arc's ellipse and its start and end points (see DrawArc).
  void CanvasArcShape(bool AChord, TPointF ACenter, TPointF ARadius, Single AStartAngle, Single ASweepAngle);
  TTextFormat BaseTextFormat(bool AWordWrapping) const;
  // The path's figures into the device context's path: converted for pdmPath, else as the one
  // flattened polygon.
  void AddDCFigures(TNeoGraphicsPath* APath, TNeoGraphicsPathDrawMode APathMode);
  // A gradient or translucent path fill: the fill's colours computed per pixel, blended through
  // the path within the current clip.
  void FillShaded(TNeoGraphicsFill* AFill, TNeoGraphicsPath* APath, TNeoGraphicsPathDrawMode APathMode);

  bool FShowAcceleratorChar = false;
  HGDIOBJ FOldPenHandle = nullptr;
  HPEN FSpecialPen = nullptr;
};

// Text at the angle (degrees, clockwise on screen) placed in ARect by the alignments: along the
// text's direction by AHorizontalAlign, across it by AVerticalAlign.
void TextOutRotated(TCanvas* ACanvas, const TRect& ARect, TNeoGraphicsTextAlign AHorizontalAlign,
                    TNeoGraphicsTextAlign AVerticalAlign, Single AAngle, const String& AText);
// A quarter of the circle of centre ACenter and radius ARadius, starting at AStartAngle (degrees:
// 0 right, 90 bottom, clockwise on screen) and turning 90 degrees clockwise.
void CanvasArc(TCanvas* ACanvas, TPoint ACenter, Integer ARadius, Integer AStartAngle);
