#pragma once
// Painting routines for cell decorations: stepped gradients, faced areas and the tab-shaped outline
// of the selection styles. Colours are BGR TColor values; clNone means no colour; system colours
// are resolved before blending.
#include "platform/ui/Graphics.h"

// A stepped gradient over Rect from ColorFrom to ColorTo (left to right when Horizontal, else top
// to bottom). Either colour clNone: the rectangle plainly in the other one.
void PaintGradientRect(TCanvas* Canvas, TColor ColorFrom, TColor ColorTo, bool Horizontal, TRect Rect, Integer Steps);

// Fills Rect (when Fill and Color is set) plainly, with a 128-step gradient Color -> ColorTo, or,
// with a mirror colour, Color -> ColorTo over the first half and MirrorFrom -> MirrorTo over the
// second; then the border: none for clNone, the left and right lines only, or a frame.
void PaintFacedRect(TCanvas* Canvas, TRect Rect, TColor Color, bool Fill, bool VerticalLinesOnly, TColor BorderColor,
                    bool Horizontal, TColor MirrorFrom, TColor MirrorTo, TColor ColorTo);

// The outline of a tab or of a selected cell with curved corners. Kind: 0 both sides curved,
// 1 the left only, 2 the right only, 3 neither. The inside is filled with Color, a 16-step gradient
// to ColorTo, or that gradient over the upper half and MirrorFrom -> MirrorTo over the lower half.
void PaintTabShape(TCanvas* Canvas, TColor Color, TColor ColorTo, Integer Kind, TRect Rect, TColor InnerLowerColor,
                   TColor CornerColor, TColor OuterColor, TColor InnerUpperColor, TColor BorderColor, TColor MirrorTo,
                   TColor MirrorFrom);
