#pragma once
// Unit routines of the clock painter: text with a font fallback and pictures drawn through GDI+,
// and the rectangle paths of the face shapes.
#include "lib/graphics/NeoGDIP.h"
#include "platform/ui/Graphics.h"

// The closed rectangle R.
void CreateRectPath(NeoGDIP::TGPGraphicsPath* Path, const NeoGDIP::TGPRectF& R);
// R with corners rounded by Radius: four edges joined by 90-degree arcs of a 2 Radius ellipse.
void CreateRoundRectPath(NeoGDIP::TGPGraphicsPath* Path, const NeoGDIP::TGPRectF& R, Single Radius);
void DrawRoundRectPath(NeoGDIP::TGPGraphics* Graphics, NeoGDIP::TGPPen* Pen, const NeoGDIP::TGPRectF& R, Single Radius);
void FillRoundRectPath(NeoGDIP::TGPGraphics* Graphics, NeoGDIP::TGPBrush* Brush, const NeoGDIP::TGPRectF& R,
                       Single Radius);

// Measures Text laid out in R with Font (a family GDI+ does not know, or a style it lacks, falls
// back to "Arial") into Bounds, and draws it when Draw: aligned near (0), far (1) or centred (2),
// at the top, hot-key prefixes shown, not trimmed; in the font's colour when UseFontColor, else
// $808080. Rendering 1 asks for ClearType grid fitting, 2 for anti-aliasing. Nothing without a
// graphics object or a canvas (a graphics object is then made over the canvas) or for an empty text.
void DrawWatchText(TCanvas* Canvas, NeoGDIP::TGPGraphics* Graphics, Integer Alignment, const TRect& R,
                   const String& Text, TFont* Font, bool UseFontColor, bool Draw, Integer Rendering, TRect& Bounds);
// Picture into R: an SVG picture draws itself there; any other is decoded by the class library
// into a GDI+ bitmap. With ColorKey (not for PNG) its top-left pixel's colour is transparent and
// Stretch fills R, else it lies at R's top-left at its own size, as PNG pictures always do.
void DrawWatchPicture(NeoGDIP::TGPGraphics* Graphics, TCanvas* Canvas, const TRect& R, TPicture* Picture,
                      bool ColorKey, bool Stretch);
