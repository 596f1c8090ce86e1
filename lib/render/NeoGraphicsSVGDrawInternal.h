#pragma once
// The drawing surface the SVG renderer draws its element tree on: the part of the graphics
// facade's interface the renderer uses (state, fill, stroke, font, clip, outlines, pictures and
// text under a matrix). Each surface adapts one kind of graphics object.
//
// The fill and stroke are the surface's current ones: the renderer changes them in place and
// the surface applies them to what it draws next. SaveState and RestoreState nest; a restore
// brings back fill, stroke, font, clip and matrix of its save.
#include <memory>

#include "lib/graphics/NeoGraphicsTypes.h"
#include "platform/ui/Graphics.h"

class TNeoSVGDrawSurface {
public:
  TNeoSVGDrawSurface() = default;
  TNeoSVGDrawSurface(const TNeoSVGDrawSurface&) = delete;
  TNeoSVGDrawSurface& operator=(const TNeoSVGDrawSurface&) = delete;
  virtual ~TNeoSVGDrawSurface() = default;

  virtual TNeoGraphicsFill& Fill() = 0;
  virtual TNeoGraphicsStroke& Stroke() = 0;
  virtual void SaveState() = 0;
  virtual void RestoreState() = 0;
  // The size goes through TNeoUtils::SetFontSize.
  virtual void SetFont(const String& AName, Single ASize, TFontStyles AStyle, TColor AColor) = 0;
  // Intersects the clip with the outline (in drawing coordinates).
  virtual void ClipPath(const TNeoGraphicsPath& APath) = 0;
  // Fills the outline with the fill, then outlines it with the stroke (drawing coordinates).
  virtual void DrawPath(const TNeoGraphicsPath& APath) = 0;
  // The matrix pictures and text are drawn with.
  virtual TNeoGraphicsMatrix GetMatrix() = 0;
  virtual void SetMatrix(const TNeoGraphicsMatrix& AMatrix) = 0;
  virtual void DrawBitmap(const TRectF& ARect, TNeoBitmap* ABitmap, bool AAspectRatio, bool AStretch, bool ACenter,
                          bool ACropping) = 0;
  virtual Single CalculateTextHeight(const String& AText) = 0;
  // One line of text with its top-left corner at APoint.
  virtual void DrawText(TPointF APoint, const String& AText) = 0;
};

class TNeoGraphics;

// A surface over a graphics object: its fill, stroke, font, state, matrix and drawing; clips
// through its context.
std::unique_ptr<TNeoSVGDrawSurface> CreateSVGGraphicsSurface(TNeoGraphics& AGraphics);

// The graphics layer's SVG picture drawing (registered at the unit's start-up): a TNeoBitmap
// holding a TNeoSVGBitmap whose importer has elements is drawn into ARect natively; false for
// any other picture.
bool DrawSVGPictureOnGraphics(TNeoGraphics* AGraphics, TPicture* ABitmap, const TRectF& ARect);
