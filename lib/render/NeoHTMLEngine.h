#pragma once
// The canvas markup engine: lays out, draws, measures and hit-tests a markup text inside a rectangle
// of a canvas, line by line. The line loop itself is NeoHTMLLayout.h, shared by every drawing target.
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Controls.h"   // TBiDiMode
#include "platform/ui/Graphics.h"

class TCustomImageList;
class THTMLPictureCache;
class TPictureContainer;


// Every input and output of one DrawHtmlText call, under the names the function takes.
struct THtmlDrawParams {
  TCanvas* ACanvas = nullptr;
  String AText;
  TRect ARect{};
  TCustomImageList* AImages = nullptr;
  Integer AX = -1;
  Integer AY = -1;
  Integer AFocusLink = -1;
  Integer AHoverLink = -1;
  Integer AShadowOffset = 1;
  bool ACheckHotSpot = false;
  bool ACheckHeight = false;
  bool APrint = false;
  bool AFixedColors = false;
  bool ABlink = true;
  bool AHoverOnly = false;
  bool AWordWrap = true;
  bool ADown = false;
  String ADownID;
  Double AResFactor = 1.0;
  TColor AURLColor = clBlue;
  TColor AHoverColor = clNone;
  TColor AHoverFontColor = clNone;
  TColor AShadowColor = clGray;
  // Outputs.
  String AAnchor;
  String AStripped;
  String AFocusAnchor;
  String ATitle;
  Integer AXSize = 0;
  Integer AYSize = 0;
  Integer AHyperLinks = 0;
  Integer AMouseLink = -1;
  TRect AHoverRect{};
  TRect AControlRect{};
  String AControlID;   // in/out
  String AControlValue;
  String AControlType;
  THTMLPictureCache* APictureCache = nullptr;
  TPictureContainer* APictureContainer = nullptr;
  HWND AWinHandle = nullptr;
  TBiDiMode ARightToLeft = bdLeftToRight;
};

// Runs the engine over AParams; the result is true when the point lies on a text run of an anchor,
// on a picture inside an anchor, or on a control.
bool DrawHtmlText(THtmlDrawParams& AParams);

bool DrawHtmlText(TCanvas* ACanvas, const String& AText, const TRect& ARect, TCustomImageList* AImages,
                  Integer AX, Integer AY, Integer AFocusLink, Integer AHoverLink, Integer AShadowOffset,
                  bool ACheckHotSpot, bool ACheckHeight, bool APrint, bool AFixedColors, bool ABlink,
                  bool AHoverOnly, bool AWordWrap, bool ADown, const String& ADownID, Double AResFactor,
                  TColor AURLColor, TColor AHoverColor, TColor AHoverFontColor, TColor AShadowColor,
                  String& AAnchor, String& AStripped, String& AFocusAnchor, String& ATitle, Integer& AXSize,
                  Integer& AYSize, Integer& AHyperLinks, Integer& AMouseLink, TRect& AHoverRect,
                  TRect& AControlRect, String& AControlID, String& AControlValue, String& AControlType,
                  THTMLPictureCache* APictureCache, TPictureContainer* APictureContainer, HWND AWinHandle,
                  TBiDiMode ARightToLeft);

// DrawText flags for a bidirectional mode: only under a right-to-left system locale, right-to-left
// mode clears a right alignment and other modes set it unless centred; every right-to-left mode adds
// right-to-left reading.
UINT AdjustDrawTextBiDi(UINT AFlags, TBiDiMode AMode);

// As many "*" as the text has characters.
String MaskPasswordText(StringView AText);

// A copy of the canvas font rotated by ADegrees selected into the DC; RestoreRotatedFont selects
// the remembered font back and deletes the rotated one.
void SelectRotatedFont(TCanvas* ACanvas, Integer ADegrees);
void RestoreRotatedFont(TCanvas* ACanvas);

// Draws (unless AMeasureOnly) the characters as colour emoji at (AX, AY - 2) at AFontSize points
// (x 96 / 72 pixels); returns the advance: the canvas font's text height.
Integer DrawEmojiText(TCanvas* ACanvas, Integer AX, Integer AY, bool AMeasureOnly, StringView AChars,
                      Integer AFontSize);

// The shell icon AName ("SSYS:"/"LSYS:" pictures): an integer is the icon's index, anything else
// the file or folder of that name (by its name alone when there is no such file or folder), from
// the small or (ALarge) large system image list, whose icon size becomes ASize. Unless only
// measuring (ADraw false) it is drawn transparent at (X, Y), or when printing through a bitmap
// stretched to ASize x AScale. False when the shell gives no icon.
bool DrawShellIcon(TCanvas* ACanvas, Integer X, Integer Y, Integer& ASize, Double AScale, bool APrint, bool ADraw,
                   bool ALarge, const String& AName);

// Copies the bitmap's pixels stretched into the rectangle (the print path of pictures).
void StretchBitmapToCanvas(TCanvas* ACanvas, const TRect& ARect, TBitmap* ABitmap);

// True when the platform version is above 5.0 (decided once).
bool IsWindowsXPOrLater();
