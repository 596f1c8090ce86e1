#pragma once
// Painting routines for cell decorations: stepped gradients, faced areas and the tab-shaped outline
// of the selection styles. Colours are BGR TColor values; clNone means no colour; system colours
// are resolved before blending.
#include "platform/ui/Graphics.h"

class TControl;
class TWinControl;
struct BLENDFUNCTION;

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

// The figures PaintCellShape draws.
enum TCellShape {
  csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond, csLineVert,
  csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp, csArrowDown, csArrowLeft,
  csArrowRight, csHalfStar
};

// The colour at Value between First and Last: each component From + N((To - From) / (Last - First) x
// Value). ColorTo clNone, or First equal to Last, gives ColorFrom.
TColor BlendStepColor(TColor ColorFrom, TColor ColorTo, Integer First, Integer Value, Integer Last);

// Each RGB component halved.
TColor HalveColor(TColor Color);

// Each RGB component c becomes N(c x Percent / 100 + c), kept within 0..255.
TColor ShiftColorPercent(TColor Color, Integer Percent);

// Rect filled with Color (nothing for clNone or an empty rect).
void FillRectColor(TCanvas* Canvas, TRect Rect, TColor Color);

// A filled triangle pointing down, 6 pixels wide and 3 high, its top-left corner at X, Y.
void PaintDropTriangle(TCanvas* Canvas, Integer X, Integer Y, TColor Color);

// Inside Rect shrunk by 2: a bar from the horizontal centre, N(half width x Value / Maximum) wide,
// rightwards in PositiveColor or leftwards in NegativeColor, Value limited to +-Maximum; with
// ShowText the value centred on a transparent background. A Maximum of 0 or less paints nothing.
void PaintBalanceBar(TCanvas* Canvas, TRect Rect, Integer Value, TColor PositiveColor, TColor NegativeColor,
                     bool ShowText, Integer Maximum);

// A grey circle in Rect, a radius straight up and one Percentage x 2 pi from it (clockwise when
// FloodUp, else anticlockwise), and the sector between them flood-filled in Color.
void PaintPieChart(TCanvas* Canvas, TRect Rect, TColor Color, bool FloodUp, Integer Percentage);

// One figure of Width x Height centred in Rect; circles and squares use the smaller of the two for
// both; stars have ten points at steps of pi / 5.
void PaintCellShape(TCanvas* Canvas, TRect Rect, TColor PenColor, TColor BrushColor, TCellShape Shape, Integer Width,
                    Integer Height);

// The scale of a control's pixels: the pixels per inch of the monitor of the control's form divided
// by 96 when that form is scaled, else 1 (also for a control on no form).
Single ControlDpiScale(TControl* Control);

// A progress bar with its text inside Rect less the margins: the part (Value - Minimum) x 100 /
// (Maximum - Minimum) per cent (limited to 0..100; 0 for an empty range) filled with Color from the
// left, the rest with BackgroundColor, framed in BorderColor unless clNone. The text, centred, is
// the percentage with "%" when Format is empty, else Format applied to Value / Divisor (as an
// integer when Format has a d or u conversion, else as a float; a Divisor of 0 divides by 1); it
// is drawn in TextColor over the filled part and in TextColorBack over the rest. ShowAsFraction is
// kept for callers and changes nothing.
void PaintProgressCell(TCanvas* Canvas, TRect Rect, TColor Color, bool ShowAsFraction, TColor BorderColor,
                       const String& Format, Double Divisor, Double Minimum, Double Maximum, Double Value,
                       Integer MarginX, Integer MarginY, TColor TextColor, TColor TextColorBack, TColor BackgroundColor);

// What a level progress bar looks like: a colour pair (colour, lighter gradient colour) per level,
// the two percentages where the level changes, and the bar's options.
struct TLevelProgressSettings {
  TColor Level0Color = clLime;
  TColor Level0ColorTo = 0xE1FFE1;
  TColor Level1Color = clYellow;
  TColor Level1ColorTo = 0xCAFFFF;
  TColor Level2Color = 0x53A9FF;
  TColor Level2ColorTo = 0xA8D3FF;
  TColor Level3Color = clRed;
  TColor Level3ColorTo = 0xCACAFF;
  Integer Level1Perc = 70;
  Integer Level2Perc = 90;
  bool ShowBorder = false;
  TColor BorderColor = clBlack;
  bool Stacked = false;
  bool ShowPercentage = true;
  bool CompletionSmooth = true;
  bool ShowGradient = true;
  TFont* Font = nullptr;  // the canvas font when none
  TColor CompleteFontColor = clBlue;
  Integer Steps = 11;
  TColor UnCompleteColor = clWindow;
};

// A progress bar over Rect (framed in BorderColor with ShowBorder) filled Percent (0..100) from the
// left on UnCompleteColor: in level 0's colours below Level1Perc, level 1's below Level2Perc, level
// 2's below 100 and level 3's at 100; Stacked shows each level's share in its own colours instead.
// ShowGradient shades each part from its ColorTo at the top to its colour at the bottom; without
// CompletionSmooth the bar grows in Steps whole blocks with a one-pixel gap after each; with
// ShowPercentage the value and "%" are centred in CompleteFontColor.
void PaintLevelProgressBar(TCanvas* Canvas, TRect Rect, Integer Percent, const TLevelProgressSettings& Settings);

// A red zig-zag line (pen width 2, 3-pixel steps) under the characters Start .. Start + Length - 1
// (from 0) of Text drawn in Rect, placed where a hidden word-wrapping edit of Rect's size on Owner
// with the canvas font puts them, Offset (the line height) below the top of their row. Nothing
// without an owner or for characters outside the text.
void PaintSpellErrorWave(TWinControl* Owner, TCanvas* Canvas, const String& Text, Integer Length, Integer Start,
                         Integer Offset, TRect Rect);

// Bitmap at Rect's top-left scaled by Factor (sides N(side x Factor)); at Factor 1 drawn with its
// top-left pixel's colour transparent, else first laid on Background with that colour transparent
// and then stretched. The caller's bitmap is left as it was.
void DrawBitmapScaled(TCanvas* Canvas, TBitmap* Bitmap, TColor Background, Single Factor, TRect Rect);
// The program's bitmap resource ResourceName drawn with DrawBitmapScaled; nothing when it is missing.
void DrawResourceBitmap(TCanvas* Canvas, TColor Background, TRect Rect, Single Factor, const String& ResourceName);
// A 32-bit premultiplied bitmap blended by its alpha at X, Y (constant alpha 255); any other bitmap
// drawn plainly.
void DrawBitmapAlpha(TCanvas* Canvas, Integer X, Integer Y, TBitmap* Bitmap);

// The brush and pen colours of a custom-coloured button in one state.
struct TButtonLookColors {
  TColor Brush = clBtnFace;
  TColor Pen = clBtnShadow;
};
// The colours of a custom-coloured button per state (normal, hot, down, disabled).
struct TButtonLook {
  TButtonLookColors States[4];
};
// How the button routines draw: 0 themed, 1 classic frame control, 2 flat frame control, 3 the
// colours of the look. States: 0 normal, 1 hot, 2 down, 3 disabled. Themed drawing opens the
// theme on ThemeOwner's window; without an active theme the classic look is drawn.
enum TButtonPaintMode { bpmThemed, bpmClassic, bpmFlat, bpmCustom };

// The drop-down button at the right edge of Rect, N(Scale x 16) wide.
void PaintComboButtonPart(TCanvas* Canvas, TWinControl* ThemeOwner, TRect Rect, Single Scale, const TButtonLook& Look,
                          Integer State, Integer Mode);
// A push button over Rect with Caption centred in one line in Rect less 4 pixels at the top and 3
// at the bottom; Prefix shows "&x" as an underlined x, else ampersands are plain text.
void PaintThemedButton(TCanvas* Canvas, TWinControl* ThemeOwner, TRect Rect, const String& Caption, bool Prefix,
                       const TButtonLook& Look, Integer State, Integer Mode);
// Up and down buttons at the right edge of Rect, N(Scale x 15) wide, split at the vertical middle.
void PaintSpinButtonPart(TCanvas* Canvas, TWinControl* ThemeOwner, TRect Rect, Single Scale, const TButtonLook& Look,
                         Integer State, Integer Mode);

// UpdateLayeredWindow and SetLayeredWindowAttributes looked up in "user32.dll" at each call:
// their answer, or false when the module or the function is missing (nothing is drawn then).
bool DynUpdateLayeredWindow(HWND Handle, HDC DestDC, POINT* DestPoint, SIZE* Size, HDC SourceDC, POINT* SourcePoint,
                            COLORREF Key, BLENDFUNCTION* Blend, DWORD Flags);
bool DynSetLayeredWindowAttributes(HWND Handle, COLORREF Key, BYTE Alpha, DWORD Flags);
