#pragma once
// Free routines of the dropdown unit shared by the dropdown edit, its popup, its header and footer
// and the pickers: the display scale of a control, the Windows version tests, the stepped gradient
// painter, colour blending, small text drawing routines, the number-text classifier and
// hexadecimal parsing. Colours given as system colours are resolved to RGB before they are mixed;
// clNone ($1FFFFFFF) means "not set" where a routine says so.
#include "lib/gridutil/NeoGridUtilNumbers.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"

class TCustomImageList;

// Whether Alt, Ctrl or Shift is held, from the keyboard state of the message being handled.
inline bool AltDown() { return GetKeyState(VK_MENU) < 0; }
inline bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0; }
inline bool ShiftDown() { return GetKeyState(VK_SHIFT) < 0; }

// The locale's separators, LocaleThousandSeparator and LocaleDecimalSeparator, are the grid
// utilities' (read from FormatSettings at each call).

// The height of "0" in a font of PointSize points at PixelsPerInch.
Integer TextHeightAtDpi(Integer PixelsPerInch, Integer PointSize);
// The scale of a control's text: exactly 1 at 96 pixels per inch (the monitor's of a scaled form,
// else the screen's), otherwise the ratio of the heights of "0" in a 9-point font at that
// resolution and at 96.
Single DropDownDPIScale(TControl* Control);

// The true Windows version from ntdll's RtlGetVersion (0.0 when it is missing or fails).
void GetWindowsVersion(Integer& Major, Integer& Minor);
bool IsWindows10();
bool IsWindows6x();   // Vista, 7, 8 and 8.1

// Steps strips from FromColor to ToColor across R (left to right when Horizontal); Steps 0 counts
// as 1. Each strip is Round(D) + 1 wide at Round(I * D) with D = (R width - 1) / Steps, so that
// neighbours overlap by a pixel.
void PaintDropDownGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, TRect R,
                           Integer Steps);
// Percent of ColorA and the rest of ColorB (>= 100: ColorA, <= 0: ColorB).
TColor BlendColor(TColor ColorA, TColor ColorB, Integer Percent);
// Each channel darkened by a negative delta in per cent (a positive one leaves it); a channel of 0
// becomes the delta when it is positive.
TColor ShadeColorChannels(TColor Color, Integer DeltaR, Integer DeltaG, Integer DeltaB);
// R as a gradient from Color to ColorTo (80 steps, top to bottom when Vertical) or filled with
// Color, then framed BorderWidth wide in BorderColor; clNone leaves each part out.
void DrawGradientRect(TCanvas* Canvas, TRect R, TColor Color, bool Vertical, Integer BorderWidth, TColor BorderColor,
                      TColor ColorTo);

// An image of Images (when ImageIndex >= 0) 4 pixels in from R's left, centred in its height, and
// Text on one line after it (centred in R when no image was drawn), cut with an ellipsis.
void DrawImageText(TCanvas* Canvas, TRect R, const String& Text, Integer ImageIndex, TCustomImageList* Images);
// Bitmap with the colour of its top-left pixel replaced by BackColor, its part of R's size copied
// to R.
void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor BackColor, TRect R);
// Lays out the markup Text in R (painting it only when Draw); Size receives the laid-out width and
// height ((0, 0) for an empty text). Anchors in $FF0000, shadows in $808080.
void DrawHTMLItemText(TCanvas* Canvas, const String& Text, TRect R, TPoint& Size, HWND WindowHandle, bool Draw,
                      TCustomImageList* Images);
// The size of Text on one line (0 x 0 for an empty text).
TSize GetTextSize(TCanvas* Canvas, const String& Text);
// Text when it fits MaxWidth; otherwise its longest beginning (with "..." when AddEllipsis) that is
// narrower than MaxWidth; Text again when none is.
void FitTextEllipsis(TCanvas* Canvas, const String& Text, Integer MaxWidth, String& Result, bool AddEllipsis);

// ',', '-' or ';'.
bool IsRangeSeparator(Char C);
// 0 integer, 1 float, 5 hexadecimal, 2 other text. A '-' is a sign only as the first character;
// the separators are the locale's.
Byte NumberTextKind(const String& S);
String StripThousandSeparators(const String& S);
// '0'..'9', 'A'..'F', 'a'..'f' as 0..15; anything else 0.
Integer HexDigitValue(Char C);
// A hexadecimal text with an optional leading '-'; 0 when the value is outside the 32-bit range.
Integer HexTextToInt(const String& S);
// S, or its locale upper case when not CaseSensitive.
String CaseFold(const String& S, bool CaseSensitive);

// Paints a window control's graphic children onto a device context from the outside.
class TWinCtrl : public TWinControl {
  ZELK_CLASS(TWinCtrl, TWinControl)
public:
  explicit TWinCtrl(TComponent* AOwner) : TWinControl(AOwner) {}
  static void PaintCtrls(TWinControl* Control, HDC DC, TControl* First);
  // The control's own painting into DC, over the areas of its child windows too (which a WM_PAINT
  // with a DC leaves out), so that a child can show its parent's background.
  static void PaintWnd(TWinControl* Control, HDC DC);
};
