#pragma once
// Graphics objects of the class library: colours, fonts, pens, brushes, the canvas over a device
// context, and the picture classes (TGraphic, TBitmap, TIcon, TPicture with its format registry).
// PNG and JPEG pictures are in PngImage.h and Jpeg.h.
#include <memory>
#include <mutex>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinTypes.h"

// ---------------------------------------------------------------------------------------------
// Colours: 0x00BBGGRR; system colours are 0xFF000000 + the GetSysColor index (negative values).
// ---------------------------------------------------------------------------------------------
using TColor = Integer;

constexpr TColor SysColor(int Index) { return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(Index)); }

constexpr TColor clSystemColor = SysColor(0);
constexpr TColor clScrollBar = SysColor(0);
constexpr TColor clBackground = SysColor(1);
constexpr TColor clActiveCaption = SysColor(2);
constexpr TColor clInactiveCaption = SysColor(3);
constexpr TColor clMenu = SysColor(4);
constexpr TColor clWindow = SysColor(5);
constexpr TColor clWindowFrame = SysColor(6);
constexpr TColor clMenuText = SysColor(7);
constexpr TColor clWindowText = SysColor(8);
constexpr TColor clCaptionText = SysColor(9);
constexpr TColor clActiveBorder = SysColor(10);
constexpr TColor clInactiveBorder = SysColor(11);
constexpr TColor clAppWorkSpace = SysColor(12);
constexpr TColor clHighlight = SysColor(13);
constexpr TColor clHighlightText = SysColor(14);
constexpr TColor clBtnFace = SysColor(15);
constexpr TColor clBtnShadow = SysColor(16);
constexpr TColor clGrayText = SysColor(17);
constexpr TColor clBtnText = SysColor(18);
constexpr TColor clInactiveCaptionText = SysColor(19);
constexpr TColor clBtnHighlight = SysColor(20);
constexpr TColor cl3DDkShadow = SysColor(21);
constexpr TColor cl3DLight = SysColor(22);
constexpr TColor clInfoText = SysColor(23);
constexpr TColor clInfoBk = SysColor(24);
constexpr TColor clHotLight = SysColor(26);
constexpr TColor clGradientActiveCaption = SysColor(27);
constexpr TColor clGradientInactiveCaption = SysColor(28);
constexpr TColor clMenuHighlight = SysColor(29);
constexpr TColor clMenuBar = SysColor(30);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// A system colour (negative) becomes GetSysColor of its low byte (0 for an unknown index); every
// other value, clNone and clDefault included, passes unchanged.
COLORREF ColorToRGB(TColor Color);
// "clRed" for named colours, else "$00BBGGRR".
String ColorToString(TColor Color);
// A colour name ("clBtnFace", case-insensitive) or a number ("$0000FF", "255"); EConvertError else.
TColor StringToColor(const String& S);
bool ColorToIdent(Integer Color, String& Ident);
bool IdentToColor(const String& Ident, Integer& Color);

// ---------------------------------------------------------------------------------------------
// Fonts, pens, brushes
// ---------------------------------------------------------------------------------------------
class TBitmap;
class TCanvas;

// Base of fonts, pens and brushes: a GDI object made on demand from the properties and made
// again after a change; OnChange follows every change.
class TGraphicsObject : public TPersistent {
  ZELK_CLASS(TGraphicsObject, TPersistent)
public:
  TGraphicsObject() = default;
  ~TGraphicsObject() override;
  TNotifyEvent OnChange;
  bool HandleAllocated() const { return FHandle != nullptr; }

protected:
  // Drops the GDI object (a DC that still has it selected keeps it until it lets go), then fires
  // OnChange.
  virtual void Changed();
  HGDIOBJ GetHandleObject();
  void SetHandleObject(HGDIOBJ Value);   // takes ownership
  void FreeHandle();
  virtual HGDIOBJ CreateHandleObject() = 0;

private:
  HGDIOBJ FHandle = nullptr;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural };
using TFontCharset = Byte;
using TFontName = String;

class TFont : public TGraphicsObject {
  ZELK_CLASS(TFont, TGraphicsObject)
public:
  // Resolution new fonts convert sizes with: fonts made before any window exists use 96 dpi.
  static constexpr Integer DefaultPixelsPerInch = 96;

  TFont();
  void Assign(TPersistent* Source) override;

  const TFontName& GetName() const { return FName; }
  void SetName(const TFontName& Value);
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer Value);
  // Points through this font's own PixelsPerInch: Size = -MulDiv(Height, 72, PixelsPerInch).
  Integer GetSize() const;
  void SetSize(Integer Value);
  TFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TFontCharset GetCharset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  // Tenths of a degree, counter-clockwise.
  Integer GetOrientation() const { return FOrientation; }
  void SetOrientation(Integer Value);
  TFontPitch GetPitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  TFontQuality GetQuality() const { return FQuality; }
  void SetQuality(TFontQuality Value);
  // Changing the resolution keeps Height; Size follows.
  Integer GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(Integer Value);

  HFONT GetHandle() { return static_cast<HFONT>(GetHandleObject()); }
  // Takes the font over (and its ownership); the properties are read back from it.
  void SetHandle(HFONT Value);
  // The LOGFONTW the handle is made from.
  void GetLogFont(LOGFONTW& Log) const;

protected:
  HGDIOBJ CreateHandleObject() override;

private:
  TFontName FName = u"Tahoma";
  Integer FHeight = -11;   // 8 points at 96 dpi
  Integer FPixelsPerInch = DefaultPixelsPerInch;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = 1;   // DEFAULT_CHARSET
  Integer FOrientation = 0;
  TFontPitch FPitch = fpDefault;
  TFontQuality FQuality = fqDefault;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate };
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
  pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
// The SetROP2 code of a pen mode.
int PenModeToRop2(TPenMode Mode);

class TPen : public TGraphicsObject {
  ZELK_CLASS(TPen, TGraphicsObject)
public:
  TPen() = default;
  void Assign(TPersistent* Source) override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value);
  TPenStyle GetStyle() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  // Applied by the canvas (SetROP2), not part of the pen object.
  TPenMode GetMode() const { return FMode; }
  void SetMode(TPenMode Value);
  HPEN GetHandle() { return static_cast<HPEN>(GetHandleObject()); }
  void SetHandle(HPEN Value);   // takes ownership; properties read back

protected:
  HGDIOBJ CreateHandleObject() override;

private:
  TColor FColor = clBlack;
  Integer FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
  ZELK_CLASS(TBrush, TGraphicsObject)
public:
  TBrush() = default;
  ~TBrush() override;
  void Assign(TPersistent* Source) override;

  TColor GetColor() const { return FColor; }
  // A colour on a clear brush makes it solid.
  void SetColor(TColor Value);
  TBrushStyle GetStyle() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // A pattern brush from the bitmap (whatever the style, until the style becomes bsClear); the
  // brush keeps a copy of it.
  TBitmap* GetBitmap() const { return FBitmap.get(); }
  void SetBitmap(TBitmap* Value);
  HBRUSH GetHandle() { return static_cast<HBRUSH>(GetHandleObject()); }
  void SetHandle(HBRUSH Value);   // takes ownership; properties read back

protected:
  HGDIOBJ CreateHandleObject() override;

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  std::unique_ptr<TBitmap> FBitmap;
};

// ---------------------------------------------------------------------------------------------
// Canvas
// ---------------------------------------------------------------------------------------------
enum TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStates>;
enum TCanvasOrientation { coLeftToRight, coRightToLeft };
enum TFillStyle { fsSurface, fsBorder };
using TCopyMode = LONG;
constexpr TCopyMode cmBlackness = 0x00000042, cmDstInvert = 0x00550009, cmMergeCopy = 0x00C000CA,
                    cmMergePaint = 0x00BB0226, cmNotSrcCopy = 0x00330008, cmNotSrcErase = 0x001100A6,
                    cmPatCopy = 0x00F00021, cmPatInvert = 0x005A0049, cmPatPaint = 0x00FB0A09,
                    cmSrcAnd = 0x008800C6, cmSrcCopy = 0x00CC0020, cmSrcErase = 0x00440328,
                    cmSrcInvert = 0x00660046, cmSrcPaint = 0x00EE0086, cmWhiteness = 0x00FF0062;

enum TTextFormats {
  tfBottom, tfCalcRect, tfCenter, tfEditControl, tfEndEllipsis, tfPathEllipsis, tfExpandTabs,
  tfExternalLeading, tfLeft, tfModifyString, tfNoClip, tfNoPrefix, tfRight, tfRtlReading,
  tfSingleLine, tfTop, tfVerticalCenter, tfWordBreak, tfHidePrefix, tfNoFullWidthCharBreak,
  tfPrefixOnly, tfTabStop, tfWordEllipsis, tfComposited
};
using TTextFormat = TSet<TTextFormats>;
// The DrawText flags of a text format.
UINT TextFormatToDrawTextFlags(TTextFormat Format);

class TGraphic;

class TCanvas : public TPersistent {
  ZELK_CLASS(TCanvas, TPersistent)
public:
  TCanvas();
  ~TCanvas() override;

  // The DC; asking for it makes one (CreateHandle) and selects pen, brush and font. A canvas
  // without a DC raises EInvalidOperation "Canvas does not allow drawing".
  HDC GetHandle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPen* GetPen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* GetBrush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  TPoint GetPenPos();
  void SetPenPos(TPoint Value);
  TRect GetClipRect();
  TCopyMode GetCopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  TColor GetPixels(Integer X, Integer Y);
  void SetPixels(Integer X, Integer Y, TColor Value);
  Integer GetTextFlags() const { return FTextFlags; }
  void SetTextFlags(Integer Value) { FTextFlags = Value; }
  TCanvasOrientation GetCanvasOrientation();

  void MoveTo(Integer X, Integer Y);
  void LineTo(Integer X, Integer Y);
  void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.left, Rect.top, Rect.right, Rect.bottom); }
  void FillRect(const TRect& Rect);
  void FrameRect(const TRect& Rect);
  void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
  void RoundRect(const TRect& Rect, Integer CX, Integer CY) { RoundRect(Rect.left, Rect.top, Rect.right, Rect.bottom, CX, CY); }
  void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
  void Ellipse(const TRect& Rect) { Ellipse(Rect.left, Rect.top, Rect.right, Rect.bottom); }
  void Polygon(const std::vector<TPoint>& Points);
  void Polyline(const std::vector<TPoint>& Points);
  void PolyBezier(const std::vector<TPoint>& Points);
  void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
  void FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle);
  void DrawFocusRect(const TRect& Rect);

  // Text at (X, Y) in the font; the pen position moves to its end.
  void TextOut(Integer X, Integer Y, const String& Text);
  // Text at (X, Y) clipped to Rect, the rectangle filled with the brush unless it is clear.
  void TextRect(const TRect& Rect, Integer X, Integer Y, const String& Text);
  // DrawText with the format's flags: tfCalcRect measures into Rect and draws nothing;
  // tfModifyString puts the shortened text into Text.
  void TextRect(TRect& Rect, String& Text, TTextFormat TextFormat = TTextFormat());
  void TextRect(TRect& Rect, const String& Text, TTextFormat TextFormat = TTextFormat());
  TSize TextExtent(const String& Text);
  Integer TextWidth(const String& Text) { return TextExtent(Text).cx; }
  Integer TextHeight(const String& Text) { return TextExtent(Text).cy; }

  // Pictures at their own size, or stretched into Rect; Opacity blends the whole picture.
  void Draw(Integer X, Integer Y, TGraphic* Graphic);
  void Draw(Integer X, Integer Y, TGraphic* Graphic, Byte Opacity);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  // Source of Canvas stretched into Dest with CopyMode.
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  // Source of Bitmap into Dest with the pixels of Color replaced by this canvas's brush.
  void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

  // Selects pen, brush and font again (after raw GDI calls on the handle changed the DC).
  void Refresh();
  void Lock();
  void Unlock();
  bool TryLock();
  Integer GetLockCount() const { return FLockCount; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  virtual void Changing();
  virtual void Changed();
  // Makes the DC when the canvas has none (controls and bitmaps override it).
  virtual void CreateHandle() {}
  // Called before every use of the DC, reading ones included (bitmaps bring their pixels up to
  // date there).
  virtual void Accessing() {}
  void RequiredState(TCanvasState ReqState);
  void DeselectHandles();
  TCanvasState State() const { return FState; }

private:
  void FontChanged(TObject* Sender);
  void PenChanged(TObject* Sender);
  void BrushChanged(TObject* Sender);
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void DrawGraphic(const TRect& Rect, TGraphic* Graphic, int Opacity);
  template <class F> void Paint(TCanvasState Req, F&& Op);

  HDC FHandle = nullptr;
  TCanvasState FState;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TPoint FPenPos;
  TCopyMode FCopyMode = cmSrcCopy;
  Integer FTextFlags = 0;
  std::recursive_mutex FLock;
  Integer FLockCount = 0;
};

// ---------------------------------------------------------------------------------------------
// Pictures
// ---------------------------------------------------------------------------------------------

// A picture class reference: the class and its class operation CanLoadFromStream.
// Made with GraphicClassOf<TPngImage>().
class TGraphicClass {
public:
  TGraphicClass() = default;
  TGraphicClass(std::nullptr_t) {}
  TGraphicClass(TClass AClass, bool (*ACanLoad)(TStream*)) : FClass(AClass), FCanLoad(ACanLoad) {}

  TClass ClassType() const { return FClass; }
  String ClassName() const { return FClass ? FClass->Name : String(); }
  bool InheritsFrom(TGraphicClass Other) const { return FClass && Other.FClass && FClass->InheritsFrom(Other.FClass); }
  // Whether the stream (from its position) holds data of this class; the position may move.
  bool CanLoadFromStream(TStream* Stream) const { return FCanLoad && FCanLoad(Stream); }
  // A new, empty picture of the class.
  TGraphic* Create() const;
  explicit operator bool() const { return FClass != nullptr; }
  bool operator==(const TGraphicClass& O) const { return FClass == O.FClass; }

private:
  TClass FClass = nullptr;
  bool (*FCanLoad)(TStream*) = nullptr;
};

template <class T> TGraphicClass GraphicClassOf() { return TGraphicClass(T::StaticClass(), &T::CanLoadFromStream); }

// Abstract picture: draws itself on a canvas, loads and saves its file format.
class TGraphic : public TPersistent {
  ZELK_CLASS(TGraphic, TPersistent)
public:
  TGraphic() = default;

  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
  // Draws with the whole picture blended at Opacity (255 opaque).
  virtual void DrawTransparent(TCanvas* ACanvas, const TRect& Rect, Byte Opacity);

  virtual bool GetEmpty() = 0;
  virtual Integer GetWidth() = 0;
  virtual Integer GetHeight() = 0;
  virtual void SetWidth(Integer Value) = 0;
  virtual void SetHeight(Integer Value) = 0;
  virtual void SetSize(Integer AWidth, Integer AHeight);
  virtual bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool GetModified() const { return FModified; }
  void SetModified(bool Value);

  // Whether the stream holds data this class loads (base: never).
  static bool CanLoadFromStream(TStream* Stream) { (void)Stream; return false; }
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  virtual void LoadFromFile(const String& FileName);
  virtual void SaveToFile(const String& FileName);
  // The form-data form: by default the same as the stream form.
  virtual void ReadData(TStream* Stream) { LoadFromStream(Stream); }
  virtual void WriteData(TStream* Stream) { SaveToStream(Stream); }

  TNotifyEvent OnChange;

protected:
  // Marks the picture modified and fires OnChange.
  virtual void Changed(TObject* Sender);
  // A bitmap destination gets the picture drawn on it (pf32bit with alpha, the picture's size).
  void AssignTo(TPersistent* Dest) override;

private:
  bool FTransparent = false;
  bool FModified = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };
enum TBitmapHandleType { bmDIB, bmDDB };

namespace ImageCodecs {
struct TDibImage;
struct TRawImage;
}

// A device-independent bitmap. ScanLine exposes the bitmap's own format (rows top-down, padded
// to 4 bytes: pf24bit B, G, R; pf32bit and pfDevice (the default) B, G, R, A; pf1bit..pf8bit
// palette indexes; pf15bit and pf16bit 5-5-5 and 5-6-5 words); its canvas draws into the same
// pixels.
class TBitmap : public TGraphic {
  ZELK_CLASS(TBitmap, TGraphic)
public:
  TBitmap();
  TBitmap(Integer AWidth, Integer AHeight);
  ~TBitmap() override;
  void Assign(TPersistent* Source) override;

  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool GetEmpty() override { return FWidth <= 0 || FHeight <= 0; }
  Integer GetWidth() override { return FWidth; }
  Integer GetHeight() override { return FHeight; }
  void SetWidth(Integer Value) override { SetSize(Value, GetHeight()); }
  void SetHeight(Integer Value) override { SetSize(GetWidth(), Value); }
  // New size; the overlapping part keeps its content, new pixels are white (transparent black in
  // a pf32bit bitmap whose AlphaFormat is not afIgnored).
  void SetSize(Integer AWidth, Integer AHeight) override;

  TCanvas* GetCanvas();
  HBITMAP GetHandle();
  // Takes the bitmap over (and its ownership): its pixels become this bitmap's, as pf32bit.
  void SetHandle(HBITMAP Value);
  bool HandleAllocated() const { return FHandle != nullptr; }
  TBitmapHandleType GetHandleType() const { return bmDIB; }

  TPixelFormat GetPixelFormat() const { return FPixelFormat; }
  // Converts the pixels (indexed formats take the nearest colour of the standard palette);
  // pfCustom raises EInvalidGraphic.
  void SetPixelFormat(TPixelFormat Value);
  bool GetMonochrome() const { return FPixelFormat == pf1bit; }
  void SetMonochrome(bool Value) { SetPixelFormat(Value ? pf1bit : pf24bit); }
  // Switching from afIgnored to afDefined premultiplies the colours by alpha; from afDefined to
  // afIgnored undoes it. afPremultiplied declares the bytes premultiplied already.
  TAlphaFormat GetAlphaFormat() const { return FAlphaFormat; }
  void SetAlphaFormat(TAlphaFormat Value);
  // Row Row (top-down) in the bitmap's own format; stays valid until the size or format changes.
  // Writes show in the canvas and in drawing; EInvalidGraphic "Scan line index out of range".
  void* GetScanLine(Integer Row);
  // Palette of indexed formats as 0x00RRGGBB entries.
  std::vector<Cardinal> GetPalette() const;
  void SetPalette(const std::vector<Cardinal>& Value);

  // tmAuto: the colour of the bottom-left pixel; tmFixed: the colour set.
  TColor GetTransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode GetTransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  static bool CanLoadFromStream(TStream* Stream);
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // A bitmap resource (RT_BITMAP: a BMP without its file header, or a whole BMP file).
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
  void LoadFromResourceID(HINSTANCE Instance, Integer ResID);
  // Form data: the BMP's size as 32 bits, then the BMP.
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

  // Replaces the content: straight-alpha BGRA pixels; with alpha the bitmap becomes pf32bit
  // afDefined, without it pf24bit.
  void LoadFromRaw(const ImageCodecs::TRawImage& Raw, bool UseAlpha);
  // The pixels as straight-alpha BGRA (alpha from pf32bit bitmaps unless afIgnored).
  void SaveToRaw(ImageCodecs::TRawImage& Raw);

private:
  friend class TBitmapCanvas;
  enum TSync { syInSync, syBitsNewer, sySurfaceNewer };
  // 32-bit bitmaps keep their pixels in the DIB section itself; other formats keep their own
  // bits and copy them to and from the DIB section when the other side is used.
  bool Direct() const { return FPixelFormat == pf32bit || FPixelFormat == pfDevice; }
  bool HasPixels() const { return FWidth > 0 && FHeight > 0; }
  void NewImage(Integer AWidth, Integer AHeight, TPixelFormat Format, bool Keep);
  void ReadRow(Integer Y, Byte* Bgra);   // current pixels, colours as stored, 4 bytes a pixel
  Byte* SurfaceRow(Integer Y) { return FSurfaceBits + static_cast<std::size_t>(Y) * FWidth * 4; }
  void AllocateSurface();
  void FreeSurface();
  void ReleaseDC();
  HDC DCNeeded(bool Writing);
  // Before the DIB section is read (drawing from it) or may be written (canvas, handle).
  void SurfaceNeeded(bool Writing);
  // Before the own-format bits are read (saving, scan lines) or may be written (scan lines).
  void BitsNeeded(bool Writing);
  void AssignDib(ImageCodecs::TDibImage& Dib);
  void CopyFrom(TBitmap& Source);
  bool AllOpaque();

  Integer FWidth = 0;
  Integer FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  TAlphaFormat FAlphaFormat = afIgnored;
  TTransparentMode FTransparentMode = tmAuto;
  TColor FTransparentColor = clDefault;
  std::unique_ptr<ImageCodecs::TDibImage> FDib;   // own-format bits (formats other than pf32bit)
  HBITMAP FHandle = nullptr;                      // 32-bit top-down DIB section
  Byte* FSurfaceBits = nullptr;
  HDC FDC = nullptr;                              // memory DC of the canvas
  HGDIOBJ FOldBitmap = nullptr;                   // set while FHandle is selected into FDC
  TSync FSync = syInSync;
  std::unique_ptr<TCanvas> FCanvas;
};

// Icons: ICO files with BMP and PNG entries; the entry nearest to 32 x 32 pixels (or the size set
// with SetSize before loading) is shown. Saving writes the file as loaded.
class TIcon : public TGraphic {
  ZELK_CLASS(TIcon, TGraphic)
public:
  TIcon();
  ~TIcon() override;
  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool GetEmpty() override { return FData.empty(); }
  Integer GetWidth() override;
  Integer GetHeight() override;
  void SetWidth(Integer Value) override { SetSize(Value, FRequestedHeight); }
  void SetHeight(Integer Value) override { SetSize(FRequestedWidth, Value); }
  // The size to pick an entry by; reloads the current icon at that size.
  void SetSize(Integer AWidth, Integer AHeight) override;
  bool GetTransparent() const override { return true; }

  static bool CanLoadFromStream(TStream* Stream);
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);

protected:
  void AssignTo(TPersistent* Dest) override;

private:
  void Decode();
  std::vector<Byte> FData;   // the ICO file as loaded
  Integer FRequestedWidth = 32;
  Integer FRequestedHeight = 32;
  std::unique_ptr<TBitmap> FImage;   // the chosen entry, pf32bit with alpha
};

// A picture of any registered class, with the registry of file formats by extension.
class TPicture : public TPersistent {
  ZELK_CLASS(TPicture, TPersistent)
public:
  TPicture();
  ~TPicture() override;
  void Assign(TPersistent* Source) override;

  TGraphic* GetGraphic() const { return FGraphic.get(); }
  // A copy of Value (of its class) becomes the picture's graphic; nullptr empties the picture.
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap: a picture of another class is replaced by an empty bitmap.
  TBitmap* GetBitmap();
  void SetBitmap(TBitmap* Value) { SetGraphic(static_cast<TGraphic*>(Value)); }
  TIcon* GetIcon();
  void SetIcon(TIcon* Value) { SetGraphic(static_cast<TGraphic*>(Value)); }
  Integer GetWidth() const;
  Integer GetHeight() const;

  // By the file's extension; when the extension names no class, or the content does not suit
  // the class it names while another class's does, by content. EInvalidGraphic
  // "Unknown picture file extension (.xyz)" when neither finds a class.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);
  // By content: each registered class (latest first) is asked from the stream's position.
  // EInvalidGraphic "Unsupported stream format" when none accepts it.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  // Form data: the graphic's class name (a length byte and the name), then its data.
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);

  static void RegisterFileFormat(const String& Extension, const String& Description, TGraphicClass GraphicClass);
  // Removes every format whose class is GraphicClass or derives from it.
  static void UnregisterGraphicClass(TGraphicClass GraphicClass);
  // The class registered for an extension (with or without its dot, any case); nil when none.
  static TGraphicClass FindGraphicClass(const String& Extension);
  // The class whose CanLoadFromStream accepts the stream (rewound to its position before each
  // question and after the search); nil when none.
  static TGraphicClass FindGraphicClassForStream(TStream* Stream);

  TNotifyEvent OnChange;

protected:
  virtual void Changed(TObject* Sender);

private:
  void SetOwnedGraphic(TGraphic* Value);
  void LoadWithClass(TGraphicClass Class, TStream* Stream);
  std::unique_ptr<TGraphic> FGraphic;
};

// File dialog helpers from the registry: "Bitmaps (*.bmp)|*.bmp|...", the default extension
// and "*.bmp;*.png" of a class (all classes for nil).
String GraphicFilter(TGraphicClass GraphicClass);
String GraphicExtension(TGraphicClass GraphicClass);
String GraphicFileMask(TGraphicClass GraphicClass);
