#pragma once
// TNeoGraphicsContext: the abstract drawing back end behind the graphics facade. The facade owns
// one context and forwards every state change and primitive to it; a context turns them into
// calls of one drawing technology (GDI+, or a plain canvas). The facade decides what is drawn at
// all; a context draws what it is asked to.
//
// Angles are in degrees and turn clockwise on the screen (y grows downwards). The modify modes of
// points and rectangles are accepted by every drawing operation and leave the geometry as it is.
#include <memory>

#include "lib/base/NeoObjectJSON.h"
#include "lib/graphics/NeoGraphicsTypes.h"
#include "lib/graphics/NeoTypes.h"
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

// ---------------------------------------------------------------------------------------------
// TNeoGraphics: the device-independent drawing object of the library. Created over a canvas (or
// over a bitmap it owns), it keeps the current fill, stroke and font, decides what is drawn at
// all, handles texture fills and picture placement itself and forwards primitives to its context.
//
// Fill rule: a shape is filled when (Fill colour <> gcNull and kind <> gfkNone) or the kind is
// gfkTexture; a texture fill paints the shape's bounding rectangle with the texture, unclipped.
// Stroke rule: the outline is drawn when Stroke colour <> gcNull and kind <> gskNone. Fill first.
// Shapes with NaN coordinates, negative sizes or no points draw nothing.
// ---------------------------------------------------------------------------------------------
class TCustomImageList;
class TPictureContainer;

// Text extents of markup runs, by font and text (the engine defines them).
struct TGraphicsHtmlExtents;

// Every input and output of one run of the facade's markup engine, under the names the engine
// takes. Colours -1 mean none.
struct TGraphicsHtmlDrawParams {
  TNeoGraphics* AGraphics = nullptr;
  String AText;
  TRectF ARect;
  Integer AX = -1;
  Integer AY = -1;
  Integer AFocusLink = -1;
  Integer AHoverLink = -1;
  Integer AShadowOffset = 1;
  bool ACheckHotSpot = false;
  bool ACheckHeight = false;   // measure only
  bool APrint = false;
  bool AFixedColors = false;
  bool ABlink = false;
  bool AHoverOnly = false;
  bool AWordWrap = false;
  bool ADown = false;
  String ADownID;
  Double AResFactor = 1.0;
  TColor AURLColor = clBlue;
  TColor AHoverColor = -1;
  TColor AHoverFontColor = -1;
  TColor AShadowColor = -1;
  // Outputs.
  String AAnchor;
  String AStripped;
  String AFocusAnchor;
  Single AXSize = 0;
  Single AYSize = 0;
  Integer AHyperLinks = 0;
  Integer AMouseLink = -1;
  TRectF AHoverRect;
  TRectF AControlRect;
  String AControlID;   // in/out
  String AControlValue;
  String AControlType;
  Integer ALineCount = 0;
  // Inputs after the outputs.
  Integer ALineSpacing = 0;
  TPictureContainer* APictureContainer = nullptr;
  Single AScale = 1.0f;
  bool AURLUnderline = true;
  TCustomImageList* AImages = nullptr;
  TColor AHighlightColor = 0;
  TColor AHighlightTextColor = 0;
  TFontStyles AHighlightFontStyles;
  // In and out: the text extents a run of the engine learnt, made by the engine when none is
  // given. A drawing run handed those of the measuring run of the same text on the same graphics
  // measures nothing again.
  std::shared_ptr<TGraphicsHtmlExtents> AExtents;
};

// The three routines of the rendering layer the facade calls. Each is nullptr until that layer
// registers it at its start-up; a registration with nullptr withdraws it.
namespace NeoGraphicsRegistry {
// Draws an SVG picture into the rectangle through the facade; false when ABitmap is not one.
using TDrawSVGPictureProc = bool (*)(TNeoGraphics* AGraphics, TPicture* ABitmap, const TRectF& ARect);
// The container's picture of that name (owned by the container); nullptr when there is none.
using TFindContainerPictureProc = TPicture* (*)(TPictureContainer* AContainer, const String& AName);
// Runs the markup engine; true when the test point hit an anchor or a control.
using TDrawGraphicsHtmlTextProc = bool (*)(TGraphicsHtmlDrawParams& AParams);
// The markup with every match of ASearch in its plain text wrapped in the tag ATag.
using TApplyHilightProc = String (*)(const String& AText, const String& ASearch, const String& ATag,
                                     bool ACaseSensitive);

void RegisterDrawSVGPicture(TDrawSVGPictureProc AProc);
void RegisterFindContainerPicture(TFindContainerPictureProc AProc);
void RegisterDrawGraphicsHtmlText(TDrawGraphicsHtmlTextProc AProc);
void RegisterApplyHilight(TApplyHilightProc AProc);
TDrawSVGPictureProc DrawSVGPictureProc();
TFindContainerPictureProc FindContainerPictureProc();
TDrawGraphicsHtmlTextProc DrawGraphicsHtmlTextProc();
TApplyHilightProc ApplyHilightProc();
}  // namespace NeoGraphicsRegistry

// The class of the GDI+ context; nullptr while the program has none.
TNeoGraphicsContextClass GetNativeContextClass();

class TNeoGraphics : public TObject, public TNeoJSONMethods<TNeoGraphics> {
  ZELK_CLASS(TNeoGraphics, TObject)
public:
  // The canvas back end, or with ANative the GDI+ one (EInvalidOperation "No GDI+ graphics
  // context" while there is none). Highlight colours $FF0000 and $FFFFFF.
  explicit TNeoGraphics(TCanvas* ACanvas, bool ANative = false);
  static std::unique_ptr<TNeoGraphics> CreateNative(TCanvas* ACanvas);
  // Over a bitmap of its own of AWidth x AHeight; highlight colours 0. AHighDPI has no effect.
  static std::unique_ptr<TNeoGraphics> CreateBitmapCanvas(Integer AWidth, Integer AHeight, bool ANative = false,
                                                          bool AHighDPI = false);
  static std::unique_ptr<TNeoGraphics> CreateNativeBitmapCanvas(Integer AWidth, Integer AHeight);
  ~TNeoGraphics() override;
  TNeoGraphics(const TNeoGraphics&) = delete;
  TNeoGraphics& operator=(const TNeoGraphics&) = delete;

  // ---- Properties ----
  TNeoGraphicsFill* GetFill() const { return FFill.get(); }
  TNeoGraphicsStroke* GetStroke() const { return FStroke.get(); }
  TNeoGraphicsFont* GetFont() const { return FFont.get(); }
  TBitmap* GetBitmap() const { return FBitmap.get(); }
  TCanvas* GetCanvas() const { return FActiveCanvas; }
  TNeoGraphicsContext* GetContext() const { return FNative ? FContextNative.get() : FContextGeneral.get(); }
  bool GetOptimizedHTMLDrawing() const { return FOptimizedHTMLDrawing; }
  void SetOptimizedHTMLDrawing(bool Value) { FOptimizedHTMLDrawing = Value; }
  TColor GetHighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(TColor Value) { FHighlightColor = Value; }
  TColor GetHighlightTextColor() const { return FHighlightTextColor; }
  void SetHighlightTextColor(TColor Value) { FHighlightTextColor = Value; }
  TFontStyles GetHighlightFontStyle() const { return FHighlightFontStyles; }
  void SetHighlightFontStyle(TFontStyles Value) { FHighlightFontStyles = Value; }
  TCustomImageList* GetImageList() const { return FImageList; }
  void SetImageList(TCustomImageList* Value) { FImageList = Value; }
  TPictureContainer* GetPictureContainer() const { return FPictureContainer; }
  void SetPictureContainer(TPictureContainer* Value) { FPictureContainer = Value; }
  TColor GetURLColor() const { return FURLColor; }
  void SetURLColor(TColor Value) { FURLColor = Value; }
  bool GetURLUnderline() const { return FURLUnderline; }
  void SetURLUnderline(bool Value) { FURLUnderline = Value; }

  // ---- Scene and state ----
  virtual TNeoGraphicsMatrix GetMatrix();
  virtual void SetMatrix(const TNeoGraphicsMatrix& AMatrix);
  virtual void BeginScene();
  virtual void EndScene();
  void StartSpecialPen();
  void StopSpecialPen();
  void ClipRect(const TRectF& ARect);
  void ClipRect(const TRect& ARect);
  // A new state (owned by the caller until it is given to RestoreState): unless ACanvasOnly,
  // copies of fill, stroke and font; then the context's state.
  TNeoGraphicsSaveState* SaveState(bool ACanvasOnly = false);
  // Restores the state and frees it.
  virtual void RestoreState(TNeoGraphicsSaveState* AState, bool ACanvasOnly = false);
  // Copies of the source's fill, stroke and font; nil does nothing.
  virtual void Assign(TNeoGraphics* Source);

  // Setters: the value reaches the context and the own fill, stroke or font.
  virtual void SetFill(TNeoGraphicsFill* AFill);
  virtual void SetFillKind(TNeoGraphicsFillKind AKind);
  virtual void SetFillColor(TColor AColor);
  virtual void SetStroke(TNeoGraphicsStroke* AStroke);
  virtual void SetStrokeKind(TNeoGraphicsStrokeKind AKind);
  virtual void SetStrokeColor(TColor AColor);
  virtual void SetStrokeWidth(Single AWidth);
  virtual void SetFont(TNeoGraphicsFont* AFont);
  virtual void SetFontColor(TColor AColor);
  virtual void SetFontName(const String& AName);
  virtual void SetFontSize(Integer ASize);
  virtual void SetFontStyles(TFontStyles AStyles);

  // ---- Shapes ----
  virtual void DrawLine(TPoint AFromPoint, TPoint AToPoint, TNeoGraphicsModifyPointMode AModifyPointModeFrom = gcpmNone,
                        TNeoGraphicsModifyPointMode AModifyPointModeTo = gcpmNone);
  virtual void DrawLine(TPointF AFromPoint, TPointF AToPoint, TNeoGraphicsModifyPointMode AModifyPointModeFrom = gcpmNone,
                        TNeoGraphicsModifyPointMode AModifyPointModeTo = gcpmNone);
  virtual void DrawFocusRectangle(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, TColor AColor = clBlack,
                                  TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawFocusRectangle(const TRect& ARect, TColor AColor = clBlack, TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawFocusRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom, TColor AColor = clBlack,
                                  TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawFocusRectangle(const TRectF& ARect, TColor AColor = clBlack, TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawFocusPath(TNeoGraphicsPath* APath, TColor AColor = clBlack);
  virtual void DrawPolygon(const TNeoGraphicsPathPolygon& APolygon);
  virtual void DrawPolyline(const TNeoGraphicsPathPolygon& APolyline);
  virtual void DrawPath(TNeoGraphicsPath* APath, TNeoGraphicsPathDrawMode APathMode = pdmPath);
  // Angles in degrees, clockwise on screen.
  virtual void DrawArc(TPointF ACenter, TPointF ARadius, Single AStartAngle, Single ASweepAngle);
  virtual void DrawArc(TPoint ACenter, TPoint ARadius, Integer AStartAngle, Integer ASweepAngle);
  virtual void DrawRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom,
                             TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom, TNeoGraphicsSides ASides,
                             TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawRectangle(const TRectF& ARect, TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawRectangle(const TRectF& ARect, TNeoGraphicsSides ASides, TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawRectangle(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom,
                             TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawRectangle(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, TNeoGraphicsSides ASides,
                             TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawRectangle(const TRect& ARect, TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawRectangle(const TRect& ARect, TNeoGraphicsSides ASides, TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawRoundRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom, Single ARounding = 10,
                                  TNeoGraphicsCorners ACorners = AllCorners(),
                                  TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawRoundRectangle(const TRectF& ARect, Single ARounding = 10, TNeoGraphicsCorners ACorners = AllCorners(),
                                  TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawRoundRectangle(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, Integer ARounding = 10,
                                  TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawRoundRectangle(const TRect& ARect, Integer ARounding = 10,
                                  TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawEllipse(Double ALeft, Double ATop, Double ARight, Double ABottom,
                           TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawEllipse(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom,
                           TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawEllipse(const TRectF& ARect, TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);
  virtual void DrawEllipse(const TRect& ARect, TNeoGraphicsModifyRectMode AModifyRectMode = gcrmNone);

  // ---- Pictures ----
  // The picture placed in the rectangle (see GetBitmapDrawRectangle); an SVG picture is drawn by
  // the rendering layer.
  virtual void DrawBitmap(Double ALeft, Double ATop, Double ARight, Double ABottom, TPicture* ABitmap,
                          bool AAspectRatio = true, bool AStretch = false, bool ACenter = true, bool ACropping = false);
  virtual void DrawBitmap(const TRectF& ARect, TPicture* ABitmap, bool AAspectRatio = true, bool AStretch = false,
                          bool ACenter = true, bool ACropping = false);
  virtual void DrawBitmap(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, TPicture* ABitmap,
                          bool AAspectRatio = true, bool AStretch = false, bool ACenter = true, bool ACropping = false);
  virtual void DrawBitmap(const TRect& ARect, TPicture* ABitmap, bool AAspectRatio = true, bool AStretch = false,
                          bool ACenter = true, bool ACropping = false);
  // At its own size from (ALeft, ATop).
  virtual void DrawBitmap(Integer ALeft, Integer ATop, TPicture* ABitmap);
  virtual void DrawBitmap(Single ALeft, Single ATop, TPicture* ABitmap);
  // ---- Control drawings (see NeoGraphicsControls.cpp) ----
  // They set the fill, stroke and font they need and leave them so.
  virtual void DrawCheckBox(const TRectF& ARect, bool AChecked, bool AFocused, bool AEnabled);
  virtual void DrawButton(const TRectF& ARect, bool ADown, bool AFocused, bool AEnabled, bool AAdaptToStyle);
  virtual void DrawCloseButton(const TRectF& ARect, bool ADown, bool AFocused, bool AEnabled, bool AAdaptToStyle);
  virtual void DrawExpanderButton(const TRectF& ARect, TNeoGraphicsExpanderState AState, bool ADown, bool AFocused,
                                  bool AEnabled, bool AAdaptToStyle);
  virtual void DrawCompactButton(const TRectF& ARect, TNeoGraphicsCompactState AState, bool ADown, bool AFocused,
                                 bool AEnabled, bool AAdaptToStyle);
  // The glyph goes to the right end of the rectangle unless ACenter or the rectangle is narrow.
  virtual void DrawDropDownButton(const TRectF& ARect, bool ADown, bool AFocused, bool AEnabled, bool ACenter,
                                  bool AAdaptToStyle);
  virtual void DrawRadioButton(const TRectF& ARect, bool AChecked, bool AFocused, bool AEnabled);
  // A bar of AValue out of AMax (AValue limited to 0..AMax) with the text AFormat formatted with
  // the percentage; nothing but the frame when AMax is not above 0.
  virtual void DrawProgressBar(const TRectF& ARect, Single AValue, const String& AFormat, Single AMax, TColor AColor,
                               TColor ATextColor, bool AShowText, bool AEnabled);
  virtual void DrawCheckBox(const TRect& ARect, bool AChecked, bool AFocused, bool AEnabled);
  virtual void DrawButton(const TRect& ARect, bool ADown, bool AFocused, bool AEnabled, bool AAdaptToStyle);
  virtual void DrawCloseButton(const TRect& ARect, bool ADown, bool AFocused, bool AEnabled, bool AAdaptToStyle);
  virtual void DrawExpanderButton(const TRect& ARect, TNeoGraphicsExpanderState AState, bool ADown, bool AFocused,
                                  bool AEnabled, bool AAdaptToStyle);
  virtual void DrawCompactButton(const TRect& ARect, TNeoGraphicsCompactState AState, bool ADown, bool AFocused,
                                 bool AEnabled, bool AAdaptToStyle);
  virtual void DrawDropDownButton(const TRect& ARect, bool ADown, bool AFocused, bool AEnabled, bool ACenter,
                                  bool AAdaptToStyle);
  virtual void DrawRadioButton(const TRect& ARect, bool AChecked, bool AFocused, bool AEnabled);
  virtual void DrawProgressBar(const TRect& ARect, Single AValue, const String& AFormat, Single AMax, TColor AColor,
                               TColor ATextColor, bool AShowText, bool AEnabled);

  // The source part of the picture into the destination; nothing when either is empty.
  virtual void DrawBitmapPart(Double ASourceLeft, Double ASourceTop, Double ASourceRight, Double ASourceBottom,
                              Double ADestinationLeft, Double ADestinationTop, Double ADestinationRight,
                              Double ADestinationBottom, TPicture* ABitmap, bool AAspectRatio = true,
                              bool AStretch = false, bool ACenter = true, bool ACropping = false);
  virtual void DrawBitmapPart(const TRectF& ASourceRect, const TRectF& ADestinationRect, TPicture* ABitmap,
                              bool AAspectRatio = true, bool AStretch = false, bool ACenter = true, bool ACropping = false);
  virtual void DrawBitmapPart(Integer ASourceLeft, Integer ASourceTop, Integer ASourceRight, Integer ASourceBottom,
                              Integer ADestinationLeft, Integer ADestinationTop, Integer ADestinationRight,
                              Integer ADestinationBottom, TPicture* ABitmap, bool AAspectRatio = true,
                              bool AStretch = false, bool ACenter = true, bool ACropping = false);
  virtual void DrawBitmapPart(const TRect& ASourceRect, const TRect& ADestinationRect, TPicture* ABitmap,
                              bool AAspectRatio = true, bool AStretch = false, bool ACenter = true, bool ACropping = false);
  // The picture container's picture of that name (with the scale suffix first when AApplyScale).
  virtual void DrawBitmapWithName(Double ALeft, Double ATop, Double ARight, Double ABottom, const String& ABitmapName,
                                  bool AApplyScale = false, Single AScale = 0, bool AAspectRatio = true,
                                  bool AStretch = false, bool ACenter = true, bool ACropping = false);
  virtual void DrawBitmapWithName(const TRectF& ARect, const String& ABitmapName, bool AApplyScale = false,
                                  Single AScale = 0, bool AAspectRatio = true, bool AStretch = false, bool ACenter = true,
                                  bool ACropping = false);
  virtual void DrawBitmapWithName(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, const String& ABitmapName,
                                  bool AApplyScale = false, Single AScale = 0, bool AAspectRatio = true,
                                  bool AStretch = false, bool ACenter = true, bool ACropping = false);
  virtual void DrawBitmapWithName(const TRect& ARect, const String& ABitmapName, bool AApplyScale = false,
                                  Single AScale = 0, bool AAspectRatio = true, bool AStretch = false, bool ACenter = true,
                                  bool ACropping = false);
  // The picture of the scaled bitmaps for the scale (the DPI scale when not above 0).
  virtual void DrawScaledBitmap(const TRectF& ARect, TNeoScaledBitmaps* ABitmaps, Single AScale = 0,
                                bool AAspectRatio = true, bool AStretch = false, bool ACenter = true, bool ACropping = false);
  virtual void DrawScaledBitmap(Double ALeft, Double ATop, Double ARight, Double ABottom, TNeoScaledBitmaps* ABitmaps,
                                Single AScale = 0, bool AAspectRatio = true, bool AStretch = false, bool ACenter = true,
                                bool ACropping = false);
  virtual void DrawScaledBitmap(const TRect& ARect, TNeoScaledBitmaps* ABitmaps, Single AScale = 0,
                                bool AAspectRatio = true, bool AStretch = false, bool ACenter = true, bool ACropping = false);
  virtual void DrawScaledBitmap(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, TNeoScaledBitmaps* ABitmaps,
                                Single AScale = 0, bool AAspectRatio = true, bool AStretch = false, bool ACenter = true,
                                bool ACropping = false);
  // Where DrawBitmap puts the picture; (0, 0, 0, 0) for nil.
  virtual TRectF GetBitmapDrawRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom, TPicture* ABitmap,
                                        bool AAspectRatio = true, bool AStretch = false, bool ACenter = true,
                                        bool ACropping = false);
  virtual TRectF GetBitmapDrawRectangle(const TRectF& ARect, TPicture* ABitmap, bool AAspectRatio = true,
                                        bool AStretch = false, bool ACenter = true, bool ACropping = false);
  virtual TRect GetBitmapDrawRectangle(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, TPicture* ABitmap,
                                       bool AAspectRatio = true, bool AStretch = false, bool ACenter = true,
                                       bool ACropping = false);
  virtual TRect GetBitmapDrawRectangle(const TRect& ARect, TPicture* ABitmap, bool AAspectRatio = true,
                                       bool AStretch = false, bool ACenter = true, bool ACropping = false);
  // The picture of the scaled bitmaps for the scale: the item's own, else the container's by the
  // item's name with and then without the scale suffix; nullptr when there is none.
  TPicture* GetScaledBitmap(TNeoScaledBitmaps* ABitmaps, Single AScale = 0, TPictureContainer* APictureContainer = nullptr);
  // Through the rendering layer: false when it did not draw (not an SVG picture, or no layer).
  bool DrawSVGPicture(TPicture* ABitmap, const TRectF& ARect);

  // ---- Text (see the algorithms in NeoGraphicsText.cpp) ----
  String DrawText(const TRectF& ARect, const String& AText, String& AControlID, String& AControlValue,
                  String& AControlType, bool AWordWrapping = false, TNeoGraphicsTextAlign AHorizontalAlign = gtaCenter,
                  TNeoGraphicsTextAlign AVerticalAlign = gtaCenter, TNeoGraphicsTextTrimming ATrimming = gttNone,
                  Single AAngle = 0, Single AMinWidth = -1, Single AMinHeight = -1, bool ASupportHTML = true,
                  bool ATestAnchor = false, Single AX = -1, Single AY = -1);
  String DrawText(const TRectF& ARect, const String& AText, bool AWordWrapping = false,
                  TNeoGraphicsTextAlign AHorizontalAlign = gtaCenter, TNeoGraphicsTextAlign AVerticalAlign = gtaCenter,
                  TNeoGraphicsTextTrimming ATrimming = gttNone, Single AAngle = 0, Single AMinWidth = -1,
                  Single AMinHeight = -1, bool ASupportHTML = true, bool ATestAnchor = false, Single AX = -1,
                  Single AY = -1);
  String DrawText(const TRect& ARect, const String& AText, bool AWordWrapping = false,
                  TNeoGraphicsTextAlign AHorizontalAlign = gtaCenter, TNeoGraphicsTextAlign AVerticalAlign = gtaCenter,
                  TNeoGraphicsTextTrimming ATrimming = gttNone, Single AAngle = 0, Single AMinWidth = -1,
                  Single AMinHeight = -1, bool ASupportHTML = true, bool ATestAnchor = false, Single AX = -1,
                  Single AY = -1);
  String DrawText(Double ALeft, Double ATop, Double ARight, Double ABottom, const String& AText,
                  bool AWordWrapping = false, TNeoGraphicsTextAlign AHorizontalAlign = gtaCenter,
                  TNeoGraphicsTextAlign AVerticalAlign = gtaCenter, TNeoGraphicsTextTrimming ATrimming = gttNone,
                  Single AAngle = 0, Single AMinWidth = -1, Single AMinHeight = -1, bool ASupportHTML = true,
                  bool ATestAnchor = false, Single AX = -1, Single AY = -1);
  String DrawText(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, const String& AText,
                  bool AWordWrapping = false, TNeoGraphicsTextAlign AHorizontalAlign = gtaCenter,
                  TNeoGraphicsTextAlign AVerticalAlign = gtaCenter, TNeoGraphicsTextTrimming ATrimming = gttNone,
                  Single AAngle = 0, Single AMinWidth = -1, Single AMinHeight = -1, bool ASupportHTML = true,
                  bool ATestAnchor = false, Single AX = -1, Single AY = -1);
  // From the point, unwrapped, leading alignments, in a 10000 x 10000 box.
  String DrawText(TPointF APoint, const String& AText, Single AAngle = 0, bool ASupportHTML = true,
                  bool ATestAnchor = false, Single AX = -1, Single AY = -1);

  TRectF CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping = false, bool ASupportHTML = true);
  // The markup with every match of AHilight in its plain text wrapped in the highlight tag HI (drawn
  // in the highlight colours and font styles); the text unchanged while no markup engine is there.
  String ApplyHilight(const String& AText, const String& AHilight, bool ACaseSensitive = false) const;
  // In (0, 0, 10000, 10000), unwrapped.
  TRectF CalculateText(const String& AText);
  TRect CalculateTextInt(const String& AText, const TRect& ARect, bool AWordWrapping = false, bool ASupportHTML = true);
  TRect CalculateTextInt(const String& AText);
  TSizeF CalculateTextSize(const String& AText, const TRectF& ARect, bool AWordWrapping = false, bool ASupportHTML = true);
  TSizeF CalculateTextSize(const String& AText);
  TSize CalculateTextSizeInt(const String& AText, const TRect& ARect, bool AWordWrapping = false, bool ASupportHTML = true);
  TSize CalculateTextSizeInt(const String& AText);
  Single CalculateTextWidth(const String& AText, const TRectF& ARect, bool AWordWrapping = false, bool ASupportHTML = true);
  Single CalculateTextWidth(const String& AText);
  Integer CalculateTextWidthInt(const String& AText, const TRect& ARect, bool AWordWrapping = false, bool ASupportHTML = true);
  Integer CalculateTextWidthInt(const String& AText);
  Single CalculateTextHeight(const String& AText, const TRectF& ARect, bool AWordWrapping = false, bool ASupportHTML = true);
  Single CalculateTextHeight(const String& AText);
  Integer CalculateTextHeightInt(const String& AText, const TRect& ARect, bool AWordWrapping = false, bool ASupportHTML = true);
  Integer CalculateTextHeightInt(const String& AText);

  // ---- Class operations ----
  // The container's picture AName (first AName + "_" + scale when AApplyScale); nullptr for a nil
  // container, an empty name or no such picture.
  static TPicture* GetBitmapFromPictureContainer(TPictureContainer* APictureContainer, const String& AName,
                                                 bool AApplyScale = false, Single AScale = 0);
  static void GetAspectSize(Single& AWidth, Single& AHeight, Single AOriginalWidth, Single AOriginalHeight,
                            Single ANewWidth, Single ANewHeight, bool AAspectRatio, bool AStretch, bool ACropping);
  static bool PointInPath(TPointF APoint, TNeoGraphicsPath* APath);
  static bool PointInPath(TPoint APoint, TNeoGraphicsPath* APath);
  static bool PointInPolygon(TPointF APoint, const TNeoGraphicsPathPolygon& APolygon);
  static bool PointInPolygon(TPoint APoint, const TNeoGraphicsPathPolygon& APolygon);
  static bool PointInRect(TPointF APoint, const TRectF& ARect);
  static bool PointInRect(TPoint APoint, const TRect& ARect);
  static Byte GetColorRed(TColor AColor);
  static Byte GetColorGreen(TColor AColor);
  static Byte GetColorBlue(TColor AColor);
  // "#RRGGBB", upper-case digits.
  static String ColorToHTML(TColor AColor);
  static TColor HTMLToColor(const String& AHTML) { return ::HTMLToColor(AHTML); }
  static TColor TextToColor(const String& AText) { return ::TextToColor(AText); }

  // A gradient rectangle with "Sample" in its middle, through a facade of its own on ACanvas.
  static void DrawSample(TCanvas* ACanvas, const TRectF& ARect);
  // Sets the default colours below to the light button look.
  static void SetDefaultGraphicColors();

  // The colours of the buttons drawn with AAdaptToStyle; all 0 until SetDefaultGraphicColors.
  static inline TColor DefaultGlyphColor = 0;
  static inline TColor DefaultButtonStrokeColor = 0;
  static inline TColor DefaultButtonFillColor = 0;
  static inline TColor DefaultButtonFocusedStrokeColor = 0;
  static inline TColor DefaultButtonFocusedFillColor = 0;
  static inline TColor DefaultButtonDisabledStrokeColor = 0;
  static inline TColor DefaultButtonDisabledFillColor = 0;

  static TNeoGraphicsCorners AllCorners() { return {gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight}; }
  static TNeoGraphicsSides AllSides() { return {gsLeft, gsTop, gsRight, gsBottom}; }

protected:
  virtual TRectF InternalCalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping, bool ASupportHTML);
  virtual String InternalDrawText(const TRectF& ARect, const String& AText, String& AControlID, String& AControlValue,
                                  String& AControlType, bool AWordWrapping, TNeoGraphicsTextAlign AHorizontalAlign,
                                  TNeoGraphicsTextAlign AVerticalAlign, TNeoGraphicsTextTrimming ATrimming,
                                  Single AAngle, Single AMinWidth, Single AMinHeight, bool ASupportHTML,
                                  bool ATestAnchor, Single AX, Single AY);

private:
  struct TBitmapCanvasTag {};
  // Over an own bitmap; ATransparent makes it a 32-bit picture whose pixels start transparent.
  TNeoGraphics(TBitmapCanvasTag, Integer AWidth, Integer AHeight, bool ANative, bool ATransparent);
  // The context of the kind, the paint descriptions connected to their handlers.
  void CreateContext(Single AWidth, Single AHeight);
  void InitializeDefaults();
  // Calls AForward when no setter is running.
  template <class F> void Forward(F&& AForward);
  bool FillRuleHolds() const;
  bool ArcFillRuleHolds() const;
  bool StrokeRuleHolds() const;
  // The fill of a shape with the bounding rectangle ABounds: a texture, or AContextFill.
  template <class F> void FillShape(const TRectF& ABounds, F&& AContextFill);
  void DrawTexture(const TRectF& ARect, TNeoBitmap* ATexture, TNeoGraphicsTextureMode ATextureMode);
  // The markup engine's run with this object's highlight, picture and URL settings.
  TGraphicsHtmlDrawParams HtmlParams(const String& AText, const TRectF& ARect, bool AWordWrapping) const;
  // The outer shape of a check box or radio button, then the mark's rectangle with the stroke
  // set for it; AOuter draws a shape of the facade.
  template <class F> TRectF DrawCheckFrame(const TRectF& ARect, bool AFocused, bool AEnabled, F&& AOuter);
  // The button, then the glyph picture (an index of the glyph table) placed in ARect.
  void DrawGlyphButton(const TRectF& ARect, Integer AGlyph, bool ADown, bool AFocused, bool AEnabled, bool ACenter,
                       bool AAdaptToStyle);
  // The separator of the split mode ("<BR>" or "<BR/>" as it stands in the text); empty when the
  // mode does not apply.
  String SplitSeparator(const String& AText) const;

  TCanvas* FActiveCanvas = nullptr;
  Integer FBlockUpdate = 0;
  bool FNative = false;
  std::unique_ptr<TNeoGraphicsContext> FContextNative;
  std::unique_ptr<TNeoGraphicsContext> FContextGeneral;
  std::unique_ptr<TBitmap> FBitmap;
  std::unique_ptr<TNeoGraphicsFill> FFill;
  std::unique_ptr<TNeoGraphicsStroke> FStroke;
  std::unique_ptr<TNeoGraphicsFont> FFont;
  TColor FHighlightColor = 0;
  bool FOptimizedHTMLDrawing = false;
  TColor FHighlightTextColor = 0;
  TFontStyles FHighlightFontStyles;
  bool FURLUnderline = true;
  TColor FURLColor = 0xFF0000;
  TPictureContainer* FPictureContainer = nullptr;
  TCustomImageList* FImageList = nullptr;
};
