// Colours, fonts, pens and brushes.
#include <algorithm>
#include <cstring>

#include "platform/rtl/Math.h"
#include "platform/ui/Graphics.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

// ---------------------------------------------------------------------------------------------
// Colours
// ---------------------------------------------------------------------------------------------

COLORREF ColorToRGB(TColor Color) {
  if (Color < 0) return GetSysColor(Color & 0xFF);
  return static_cast<COLORREF>(Color);
}

namespace {

struct TColorName {
  TColor Color;
  const Char* Name;
};

// Names in the order identifiers are looked up; clLtGray and clDkGray follow their twins.
constexpr TColorName ColorNames[] = {
    {clBlack, u"clBlack"},
    {clMaroon, u"clMaroon"},
    {clGreen, u"clGreen"},
    {clOlive, u"clOlive"},
    {clNavy, u"clNavy"},
    {clPurple, u"clPurple"},
    {clTeal, u"clTeal"},
    {clGray, u"clGray"},
    {clSilver, u"clSilver"},
    {clRed, u"clRed"},
    {clLime, u"clLime"},
    {clYellow, u"clYellow"},
    {clBlue, u"clBlue"},
    {clFuchsia, u"clFuchsia"},
    {clAqua, u"clAqua"},
    {clWhite, u"clWhite"},
    {clMoneyGreen, u"clMoneyGreen"},
    {clSkyBlue, u"clSkyBlue"},
    {clCream, u"clCream"},
    {clMedGray, u"clMedGray"},
    {clActiveBorder, u"clActiveBorder"},
    {clActiveCaption, u"clActiveCaption"},
    {clAppWorkSpace, u"clAppWorkSpace"},
    {clBackground, u"clBackground"},
    {clBtnFace, u"clBtnFace"},
    {clBtnHighlight, u"clBtnHighlight"},
    {clBtnShadow, u"clBtnShadow"},
    {clBtnText, u"clBtnText"},
    {clCaptionText, u"clCaptionText"},
    {clDefault, u"clDefault"},
    {clGradientActiveCaption, u"clGradientActiveCaption"},
    {clGradientInactiveCaption, u"clGradientInactiveCaption"},
    {clGrayText, u"clGrayText"},
    {clHighlight, u"clHighlight"},
    {clHighlightText, u"clHighlightText"},
    {clHotLight, u"clHotLight"},
    {clInactiveBorder, u"clInactiveBorder"},
    {clInactiveCaption, u"clInactiveCaption"},
    {clInactiveCaptionText, u"clInactiveCaptionText"},
    {clInfoBk, u"clInfoBk"},
    {clInfoText, u"clInfoText"},
    {clMenu, u"clMenu"},
    {clMenuBar, u"clMenuBar"},
    {clMenuHighlight, u"clMenuHighlight"},
    {clMenuText, u"clMenuText"},
    {clNone, u"clNone"},
    {clScrollBar, u"clScrollBar"},
    {cl3DDkShadow, u"cl3DDkShadow"},
    {cl3DLight, u"cl3DLight"},
    {clWindow, u"clWindow"},
    {clWindowFrame, u"clWindowFrame"},
    {clWindowText, u"clWindowText"},
    {clLtGray, u"clLtGray"},
    {clDkGray, u"clDkGray"},
};

}  // namespace

bool ColorToIdent(Integer Color, String& Ident) {
  for (const auto& c : ColorNames)
    if (c.Color == Color) {
      Ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToColor(const String& Ident, Integer& Color) {
  for (const auto& c : ColorNames)
    if (SameText(Ident, c.Name)) {
      Color = c.Color;
      return true;
    }
  return false;
}

String ColorToString(TColor Color) {
  String name;
  if (ColorToIdent(Color, name)) return name;
  return u"$" + IntToHex(static_cast<Cardinal>(Color), 8);
}

TColor StringToColor(const String& S) {
  Integer color;
  if (IdentToColor(S, color)) return color;
  return StrToInt(S);
}

// ---------------------------------------------------------------------------------------------
// TGraphicsObject
// ---------------------------------------------------------------------------------------------

TGraphicsObject::~TGraphicsObject() { FreeHandle(); }

void TGraphicsObject::FreeHandle() {
  // A DC that has the object selected keeps it alive until it selects another one.
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}

void TGraphicsObject::Changed() {
  FreeHandle();
  if (OnChange) OnChange(this);
}

HGDIOBJ TGraphicsObject::GetHandleObject() {
  if (!FHandle) FHandle = CreateHandleObject();
  return FHandle;
}

void TGraphicsObject::SetHandleObject(HGDIOBJ Value) {
  if (Value == FHandle) return;
  FreeHandle();
  FHandle = Value;
}

// ---------------------------------------------------------------------------------------------
// TFont
// ---------------------------------------------------------------------------------------------

TFont::TFont() = default;


Integer TFont::GetSize() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(Integer Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

#define ZELK_FONT_SETTER(Setter, Field, Type) \
  void TFont::Setter(Type Value) {            \
    if (Field == Value) return;               \
    Field = Value;                            \
    Changed();                                \
  }
ZELK_FONT_SETTER(SetName, FName, const TFontName&)
ZELK_FONT_SETTER(SetHeight, FHeight, Integer)
ZELK_FONT_SETTER(SetStyle, FStyle, TFontStyles)
ZELK_FONT_SETTER(SetColor, FColor, TColor)
ZELK_FONT_SETTER(SetCharset, FCharset, TFontCharset)
ZELK_FONT_SETTER(SetOrientation, FOrientation, Integer)
ZELK_FONT_SETTER(SetPitch, FPitch, TFontPitch)
ZELK_FONT_SETTER(SetQuality, FQuality, TFontQuality)
#undef ZELK_FONT_SETTER

void TFont::SetPixelsPerInch(Integer Value) {
  if (Value > 0) FPixelsPerInch = Value;
}

void TFont::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFont*>(Source);
  if (!src) {
    inherited::Assign(Source);
    return;
  }
  FName = src->FName;
  FStyle = src->FStyle;
  FColor = src->FColor;
  FCharset = src->FCharset;
  FOrientation = src->FOrientation;
  FPitch = src->FPitch;
  FQuality = src->FQuality;
  // The point size carries over between resolutions; the pixel height is this font's own.
  FHeight = FPixelsPerInch == src->FPixelsPerInch ? src->FHeight : -MulDiv(src->GetSize(), FPixelsPerInch, 72);
  Changed();
}

void TFont::GetLogFont(LOGFONTW& Log) const {
  Log = LOGFONTW();
  Log.lfHeight = FHeight;
  Log.lfEscapement = FOrientation;
  Log.lfOrientation = FOrientation;
  Log.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  Log.lfItalic = FStyle.Contains(fsItalic);
  Log.lfUnderline = FStyle.Contains(fsUnderline);
  Log.lfStrikeOut = FStyle.Contains(fsStrikeOut);
  Log.lfCharSet = FCharset;
  static constexpr BYTE qualities[] = {DEFAULT_QUALITY, DRAFT_QUALITY, PROOF_QUALITY, NONANTIALIASED_QUALITY,
                                       ANTIALIASED_QUALITY, CLEARTYPE_QUALITY, 6 /* CLEARTYPE_NATURAL_QUALITY */};
  Log.lfQuality = qualities[FQuality];
  Log.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  const std::size_t n = std::min<std::size_t>(FName.size(), LF_FACESIZE - 1);
  std::copy_n(FName.data(), n, Log.lfFaceName);
  Log.lfFaceName[n] = 0;
}

HGDIOBJ TFont::CreateHandleObject() {
  LOGFONTW log;
  GetLogFont(log);
  return CreateFontIndirect(&log);
}

void TFont::SetHandle(HFONT Value) {
  LOGFONTW log;
  if (!Value || GetObject(Value, sizeof log, &log) != static_cast<int>(sizeof log)) {
    Changed();
    SetHandleObject(Value);
    return;
  }
  FName = String(log.lfFaceName, std::find(log.lfFaceName, log.lfFaceName + LF_FACESIZE, Char(0)));
  FHeight = log.lfHeight;
  FOrientation = log.lfOrientation;
  FStyle.Clear();
  if (log.lfWeight >= FW_BOLD) FStyle.Include(fsBold);
  if (log.lfItalic) FStyle.Include(fsItalic);
  if (log.lfUnderline) FStyle.Include(fsUnderline);
  if (log.lfStrikeOut) FStyle.Include(fsStrikeOut);
  FCharset = log.lfCharSet;
  const BYTE pitch = log.lfPitchAndFamily & 3;
  FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  FQuality = log.lfQuality <= 6 ? static_cast<TFontQuality>(log.lfQuality) : fqDefault;
  // Listeners let go of the old object first; then the new one is kept.
  Changed();
  SetHandleObject(Value);
}

// ---------------------------------------------------------------------------------------------
// TPen
// ---------------------------------------------------------------------------------------------

int PenModeToRop2(TPenMode Mode) {
  static constexpr int rops[] = {R2_BLACK, R2_WHITE, R2_NOP, R2_NOT, R2_COPYPEN, R2_NOTCOPYPEN,
                                 R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,
                                 R2_NOTMERGEPEN, R2_MASKPEN, R2_NOTMASKPEN, R2_XORPEN, R2_NOTXORPEN};
  return rops[Mode];
}

void TPen::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed();
}

void TPen::SetWidth(Integer Value) {
  if (Value < 0 || FWidth == Value) return;
  FWidth = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (FMode == Value) return;
  FMode = Value;
  Changed();
}

void TPen::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TPen*>(Source);
  if (!src) {
    inherited::Assign(Source);
    return;
  }
  FColor = src->FColor;
  FWidth = src->FWidth;
  FStyle = src->FStyle;
  FMode = src->FMode;
  Changed();
}

HGDIOBJ TPen::CreateHandleObject() {
  const COLORREF color = ColorToRGB(FColor);
  if (FStyle == psAlternate) {
    LOGBRUSH lb;
    lb.lbStyle = BS_SOLID;
    lb.lbColor = color;
    return ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr);
  }
  // A user style without dashes of its own draws solid.
  const int style = FStyle == psUserStyle ? PS_SOLID : static_cast<int>(FStyle);
  return CreatePen(style, FWidth, color);
}

void TPen::SetHandle(HPEN Value) {
  LOGPEN log;
  if (Value && GetObject(Value, sizeof log, &log) == static_cast<int>(sizeof log)) {
    const UINT style = log.lopnStyle & PS_STYLE_MASK;
    FStyle = style <= PS_ALTERNATE ? static_cast<TPenStyle>(style) : psSolid;
    FWidth = log.lopnWidth.x;
    FColor = static_cast<TColor>(log.lopnColor);
  }
  Changed();
  SetHandleObject(Value);
}

// ---------------------------------------------------------------------------------------------
// TBrush
// ---------------------------------------------------------------------------------------------

TBrush::~TBrush() = default;

void TBrush::SetColor(TColor Value) {
  if (FColor == Value && FStyle != bsClear) return;
  FColor = Value;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  if (Value == bsClear) FBitmap.reset();
  Changed();
}

void TBrush::SetBitmap(TBitmap* Value) {
  if (Value && !Value->GetEmpty()) {
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    FBitmap->Assign(Value);
  } else {
    FBitmap.reset();
  }
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TBrush*>(Source);
  if (!src) {
    inherited::Assign(Source);
    return;
  }
  FColor = src->FColor;
  FStyle = src->FStyle;
  if (src->FBitmap) {
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    FBitmap->Assign(src->FBitmap.get());
  } else {
    FBitmap.reset();
  }
  Changed();
}

HGDIOBJ TBrush::CreateHandleObject() {
  if (FBitmap) return CreatePatternBrush(FBitmap->GetHandle());
  LOGBRUSH lb;
  lb.lbColor = ColorToRGB(FColor);
  switch (FStyle) {
    case bsSolid: lb.lbStyle = BS_SOLID; break;
    case bsClear: lb.lbStyle = BS_NULL; break;
    default:
      lb.lbStyle = BS_HATCHED;
      lb.lbHatch = static_cast<std::uintptr_t>(FStyle - bsHorizontal);   // HS_HORIZONTAL ...
      break;
  }
  return CreateBrushIndirect(&lb);
}

void TBrush::SetHandle(HBRUSH Value) {
  LOGBRUSH log;
  FBitmap.reset();
  if (Value && GetObject(Value, sizeof log, &log) == static_cast<int>(sizeof log)) {
    FColor = static_cast<TColor>(log.lbColor);
    if (log.lbStyle == BS_NULL) FStyle = bsClear;
    else if (log.lbStyle == BS_HATCHED && log.lbHatch <= HS_DIAGCROSS)
      FStyle = static_cast<TBrushStyle>(bsHorizontal + log.lbHatch);
    else FStyle = bsSolid;
  }
  Changed();
  SetHandleObject(Value);
}
