#pragma once
// TNeoGraphicsContextWin: the drawing back end over GDI+ (the NeoGDIPlusClasses wrappers). Shapes
// are anti-aliasable, fills take gradients with stops, text turns with the transform. The surface
// is a GDI+ graphics over the device context of the facade's canvas; it lives from SetSize to the
// first EndScene, and every drawing operation does nothing without it.
#include <memory>

#include "lib/graphics/NeoGDIPlusClasses.h"
#include "lib/graphics/NeoGraphics.h"

// ---- Converters ----
// ARGB with alpha Round(AOpacity * 255) (clamped to 0..255) and the colour's bytes after system
// colours are resolved.
NeoGDIPlusClasses::ARGB ToGPColor(TColor AColor, Single AOpacity);
// A solid brush of the font's colour, opaque.
std::unique_ptr<NeoGDIPlusClasses::TGPBrush> ToGPTextBrush(TNeoGraphicsFont* AFont);
// Family "Arial" for an empty name or "DEFAULT" (any case); size 8 for 0; points.
std::unique_ptr<NeoGDIPlusClasses::TGPFont> ToGPFont(TNeoGraphicsFont* AFont);
// Colour, width and dash style of the stroke (gskNone leaves the pen solid).
std::unique_ptr<NeoGDIPlusClasses::TGPPen> ToGPPen(TNeoGraphicsStroke* AStroke);
// Alignments, no-clip flags ($4000 with wrapping, $5000 without), trimming and hot-key prefix.
std::unique_ptr<NeoGDIPlusClasses::TGPStringFormat> ToGPStringFormat(TNeoGraphicsTextAlign AHorizontalAlign,
                                                                     TNeoGraphicsTextAlign AVerticalAlign,
                                                                     bool AWordWrapping, bool AShowAcceleratorChar,
                                                                     TNeoGraphicsTextTrimming ATrimming);
// The brush of the fill over the path (its bounds; empty without a path): solid, linear or path
// gradient with stops and the fill's gradient matrix; fully transparent for none and texture.
std::unique_ptr<NeoGDIPlusClasses::TGPBrush> ToGPBrush(TNeoGraphicsFill* AFill,
                                                       NeoGDIPlusClasses::TGPGraphicsPath* APath);

// The gradient stops of a fill, before a radial brush reverses them: the default pair (or the
// mirror quadruple), or one per collection item with the first colour added at 0 and the last at
// 1 when no item lies exactly there. An empty collection gives the default stops.
struct TGPGradientStops {
  std::vector<NeoGDIPlusClasses::ARGB> Colors;
  std::vector<Single> Positions;
};
TGPGradientStops GradientStops(TNeoGraphicsFill* AFill);

class TNeoGraphicsContextWin : public TNeoGraphicsContext {
  ZELK_CLASS(TNeoGraphicsContextWin, TNeoGraphicsContext)
public:
  explicit TNeoGraphicsContextWin(TNeoGraphics* AGraphics);
  ~TNeoGraphicsContextWin() override;
  TNeoGraphicsContextWin(const TNeoGraphicsContextWin&) = delete;
  TNeoGraphicsContextWin& operator=(const TNeoGraphicsContextWin&) = delete;

  // The GDI+ graphics; nullptr outside a scene.
  Pointer GetNativeCanvas() override { return FGPGraphics.get(); }
  // A NeoGDIPlusClasses::TGPGraphicsPath, alternate fill mode.
  Pointer CreatePath() override;
  TColor GetFillColor() override;
  TRectF CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping) override;
  TRectF SetTextAngle(const TRectF& ARect, Single AAngle) override;
  TNeoGraphicsMatrix GetMatrix() override;
  void Render() override;
  void PathOpen(Pointer APath) override;
  void PathMoveTo(Pointer APath, TPointF APoint) override;
  void PathLineTo(Pointer APath, TPointF APoint) override;
  void SetScale(Single AScale) override { FScale = AScale; }
  void PathClose(Pointer APath) override;
  void ResetClip() override;
  // Back to the base state: clip, transform and later saved levels are dropped.
  void ResetTransform() override;
  void ScaleTransform(Single AX, Single AY) override;
  void RotateTransform(Single AAngle) override;
  void TranslateTransform(Single AX, Single AY) override;
  // Part of the base state (see ResetTransform).
  void SetTextQuality(TNeoGraphicsTextQuality ATextQuality) override;
  void SetAntiAliasing(bool AAntiAliasing) override;
  void SetShowAcceleratorChar(bool AShowAcceleratorChar) override { FShowAcceleratorChar = AShowAcceleratorChar; }
  void SetSize(Single AWidth, Single AHeight) override;
  void ResetTextAngle(Single AAngle) override;
  void BeginScene() override {}
  void EndScene() override;
  void StartSpecialPen() override {}
  void StopSpecialPen() override {}
  void RestoreState(TNeoGraphicsSaveState* AState) override;
  void SaveState(TNeoGraphicsSaveState* AState) override;
  void SetFontSize(Integer ASize) override;
  void SetFontColor(TColor AColor) override;
  void SetFontName(const String& AName) override;
  void SetFont(TNeoGraphicsFont* AFont) override;
  void SetFontStyles(TFontStyles AStyle) override;
  void SetMatrix(const TNeoGraphicsMatrix& AMatrix) override;
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
  void FillArc(TNeoGraphicsFill* AFill, TPointF ACenter, TPointF ARadius, Single AStartAngle, Single ASweepAngle) override;
  void DrawArc(TNeoGraphicsStroke* AStroke, TPointF ACenter, TPointF ARadius, Single AStartAngle, Single ASweepAngle) override;
  void FillRect(TNeoGraphicsFill* AFill, const TRectF& ARect, TNeoGraphicsModifyRectMode AModifyRectMode) override;
  // Sides top, left, bottom, right, ending at Right - 1 and Bottom - 1.
  void DrawRect(TNeoGraphicsStroke* AStroke, const TRectF& ARect, TNeoGraphicsSides ASides,
                TNeoGraphicsModifyRectMode AModifyRectMode) override;
  void FillRoundRect(TNeoGraphicsFill* AFill, const TRectF& ARect, Single ARounding, TNeoGraphicsCorners ACorners,
                     TNeoGraphicsModifyRectMode AModifyRectMode) override;
  void DrawRoundRect(TNeoGraphicsStroke* AStroke, const TRectF& ARect, Single ARounding, TNeoGraphicsCorners ACorners,
                     TNeoGraphicsModifyRectMode AModifyRectMode) override;
  void FillEllipse(TNeoGraphicsFill* AFill, const TRectF& ARect, TNeoGraphicsModifyRectMode AModifyRectMode) override;
  void DrawEllipse(TNeoGraphicsStroke* AStroke, const TRectF& ARect, TNeoGraphicsModifyRectMode AModifyRectMode) override;
  // The whole graphic into the destination; source rectangle and opacity are not applied.
  // EOutOfMemory "Could not allocate memory for image" when its bytes find no memory block.
  void DrawBitmap(TGraphic* ABitmap, const TRectF& ASrcRect, const TRectF& ADstRect, Single AOpacity) override;
  // Replaces the clip.
  void ClipRect(const TRectF& ARect) override;
  void ClipPath(TNeoGraphicsPath* APath) override;
  void DrawFocusPath(TNeoGraphicsStroke* AStroke, TNeoGraphicsPath* APath, TColor AColor) override;
  void DrawFocusRectangle(TNeoGraphicsStroke* AStroke, const TRectF& ARect, TColor AColor,
                          TNeoGraphicsModifyRectMode AModifyRectMode) override;
  void DrawText(const String& AText, const TRectF& ARect, bool AWordWrapping, TNeoGraphicsTextAlign AHorizontalAlign,
                TNeoGraphicsTextAlign AVerticalAlign, TNeoGraphicsTextTrimming ATrimming, Single AAngle) override;
  void DrawPath(TNeoGraphicsStroke* AStroke, TNeoGraphicsPath* APath, TNeoGraphicsPathDrawMode APathMode) override;
  void FillPath(TNeoGraphicsFill* AFill, TNeoGraphicsPath* APath, TNeoGraphicsPathDrawMode APathMode) override;

  Single GetScale() const { return FScale; }
  NeoGDIPlusClasses::TGPGraphics* GPGraphics() const { return FGPGraphics.get(); }
  NeoGDIPlusClasses::TGPPen* GPPen() const { return FGPPen.get(); }

private:
  class TSmoothingSuspension;
  void ReleaseGraphics();
  // The base state saved again after a change of it.
  void RenewBaseState();
  void UpdateFont();
  void UpdatePen();
  void FillChanged();
  // Rebuilds the brush for the path and fills it.
  void FillGPPath(NeoGDIPlusClasses::TGPGraphicsPath& APath);
  void StrokeGPPath(NeoGDIPlusClasses::TGPGraphicsPath& APath);
  // The image of the graphic, decoded from its saved bytes; nullptr when it does not decode.
  std::unique_ptr<NeoGDIPlusClasses::TGPImage> CreateGPImage(TGraphic* AGraphic);
  // The pixels of the colour become fully transparent.
  static void ClearTransparentColor(NeoGDIPlusClasses::TGPBitmap* ABitmap, TColor AColor);

  bool FShowAcceleratorChar = false;
  std::unique_ptr<NeoGDIPlusClasses::TGPMatrix> FTextMatrix;
  Integer FSmoothingMode = 0;
  gdip::GraphicsState FSaveGP = 0;
  Single FScale = 1;
  TPointF FMovePoint;
  bool FNeedsRendering = true;
  std::unique_ptr<TNeoGraphicsFont> FFont;
  std::unique_ptr<TNeoGraphicsFill> FFill;
  std::unique_ptr<TNeoGraphicsStroke> FStroke;
  std::unique_ptr<NeoGDIPlusClasses::TGPFont> FGPFont;
  struct TGPFontKey {   // what FGPFont was made of
    String Name;
    Integer Size = 0;
    TFontStyles Style;
    bool operator==(const TGPFontKey&) const = default;
  };
  TGPFontKey FGPFontKey;
  TSizeF FContextSize;
  std::unique_ptr<NeoGDIPlusClasses::TGPBrush> FGPBrush;
  std::unique_ptr<NeoGDIPlusClasses::TGPPen> FGPPen;
  std::unique_ptr<NeoGDIPlusClasses::TGPGraphics> FGPGraphics;
  std::unique_ptr<NeoGDIPlusClasses::TGPBitmap> FGPBitmap;
};
