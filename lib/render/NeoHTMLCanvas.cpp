// The canvas drawing target of the markup engine and DrawHtmlText with its helpers.
#include <cmath>

#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/NeoHTMLLayout.h"
#include "platform/rtl/SysInfo.h"
#include "platform/win/WinGdi.h"

namespace {

// Draws on a TCanvas with integer device coordinates; fonts go through the canvas font.
class TCanvasHtmlTarget {
public:
  using Coord = Integer;

  explicit TCanvasHtmlTarget(TCanvas* ACanvas) : FCanvas(ACanvas) {}

  static Coord Scaled(Double AValue) { return static_cast<Integer>(std::lround(AValue)); }
  static Coord Half(Coord AValue) { return AValue / 2; }
  TColor NoColor() const { return clNone; }

  void MeasureRun(const THtmlFont& AFont, StringView AText, UINT AFlags, Coord& W, Coord& H) {
    SelectFont(AFont);
    FCanvas->GetBrush()->SetStyle(bsClear);
    TRect r{0, 0, 0, 0};
    String text(AText);
    DrawText(FCanvas->GetHandle(), text.data(), static_cast<int>(text.size()), &r,
             (AFlags | DT_CALCRECT) & ~UINT(DT_END_ELLIPSIS));
    W = r.right - r.left;
    H = r.bottom - r.top;
  }

  void DrawRun(const THtmlFont& AFont, TColor ABrush, StringView AText, Coord L, Coord T, Coord R, Coord B,
               UINT AFlags) {
    SelectFont(AFont);
    TBrush* brush = FCanvas->GetBrush();
    if (ABrush == clNone) brush->SetStyle(bsClear);
    else brush->SetColor(ABrush);
    TRect r{L, T, R, B};
    String text(AText);
    FCanvas->TextRect(r, text, DrawTextFlagsToFormat(AFlags));
    brush->SetStyle(bsClear);
  }

  void FillRect(Coord L, Coord T, Coord R, Coord B, TColor AColor) {
    if (AColor == clNone) return;
    TBrush* brush = FCanvas->GetBrush();
    brush->SetColor(AColor);
    FCanvas->FillRect(TRect{L, T, R, B});
    brush->SetStyle(bsClear);
  }

  void Line(Coord X1, Coord Y1, Coord X2, Coord Y2, TColor AColor) {
    FCanvas->GetPen()->SetColor(AColor);
    FCanvas->GetPen()->SetWidth(1);
    FCanvas->MoveTo(X1, Y1);
    FCanvas->LineTo(X2, Y2);
  }

  void Ellipse(Coord L, Coord T, Coord R, Coord B, TColor AColor) {
    FCanvas->GetPen()->SetColor(AColor);
    FCanvas->GetBrush()->SetColor(AColor);
    FCanvas->Ellipse(L, T, R, B);
    FCanvas->GetBrush()->SetStyle(bsClear);
  }

  void FocusRect(Coord L, Coord T, Coord R, Coord B) { FCanvas->DrawFocusRect(TRect{L, T, R, B}); }

  Coord Emoji(Coord X, Coord Y, bool AMeasureOnly, StringView AChars, Integer AFontSize) {
    return DrawEmojiText(FCanvas, X, Y, AMeasureOnly, AChars, AFontSize);
  }

  // Pictures come from the image list, the container and the URL cache; none is bound yet.
  bool PictureSize(StringView, Coord&, Coord&) { return false; }
  void DrawPicture(StringView, Coord, Coord, Coord, Coord) {}

  void DrawControl(const THtmlControlFace& AFace) {
    HDC dc = FCanvas->GetHandle();
    TPen* pen = FCanvas->GetPen();
    TBrush* brush = FCanvas->GetBrush();
    switch (AFace.Kind) {
      case hcEdit:
      case hcCombo: {
        pen->SetColor(AFace.FrameColor);
        brush->SetColor(clWhite);
        FCanvas->Rectangle(AFace.Box);
        brush->SetStyle(bsClear);
        DrawCaption(AFace, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (AFace.Kind == hcCombo) {
          RECT b = AFace.ButtonBox;
          DrawFrameControl(dc, &b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (AFace.State == hsHot ? DFCS_HOT : 0));
        }
        break;
      }
      case hcCheck:
      case hcRadio: {
        RECT b = AFace.Box;
        const UINT kind = AFace.Kind == hcCheck ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO;
        DrawFrameControl(dc, &b, DFC_BUTTON, kind | DFCS_FLAT | (AFace.Checked ? DFCS_CHECKED : 0));
        break;
      }
      case hcButton: {
        RECT b = AFace.Box;
        DrawFrameControl(dc, &b, DFC_BUTTON, DFCS_BUTTONPUSH | (AFace.State == hsPressed ? DFCS_PUSHED : 0));
        DrawCaption(AFace, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        break;
      }
    }
  }

private:
  void DrawCaption(const THtmlControlFace& AFace, UINT AFlags) {
    THtmlFont f = AFace.Font;
    SelectFont(f);
    FCanvas->GetBrush()->SetStyle(bsClear);
    TRect r = AFace.TextBox;
    String text = AFace.Text;
    FCanvas->TextRect(r, text, DrawTextFlagsToFormat(AFlags));
  }

  void SelectFont(const THtmlFont& AFont) {
    TFont* font = FCanvas->GetFont();
    if (font->GetName() != AFont.Name) font->SetName(AFont.Name);
    if (font->GetSize() != AFont.Size) font->SetSize(AFont.Size);
    if (font->GetStyle() != AFont.Style) font->SetStyle(AFont.Style);
    if (font->GetColor() != AFont.Color) font->SetColor(AFont.Color);
    if (font->GetOrientation() != AFont.Angle * 10) font->SetOrientation(AFont.Angle * 10);
  }

  static TTextFormat DrawTextFlagsToFormat(UINT AFlags) {
    static constexpr std::pair<UINT, TTextFormats> map[] = {
        {DT_BOTTOM, tfBottom}, {DT_CENTER, tfCenter}, {DT_END_ELLIPSIS, tfEndEllipsis},
        {DT_EXPANDTABS, tfExpandTabs}, {DT_EXTERNALLEADING, tfExternalLeading}, {DT_RIGHT, tfRight},
        {DT_RTLREADING, tfRtlReading}, {DT_SINGLELINE, tfSingleLine}, {DT_VCENTER, tfVerticalCenter},
        {DT_NOPREFIX, tfNoPrefix}};
    TTextFormat f;
    for (const auto& [flag, format] : map)
      if (AFlags & flag) f.Include(format);
    return f;
  }

  TCanvas* FCanvas;
};

// Puts pen, brush and font of a canvas back as they were, on every path out.
class TCanvasStateGuard {
public:
  explicit TCanvasStateGuard(TCanvas* ACanvas) : FCanvas(ACanvas) {
    FPenColor = ACanvas->GetPen()->GetColor();
    FPenWidth = ACanvas->GetPen()->GetWidth();
    FBrushColor = ACanvas->GetBrush()->GetColor();
    FBrushStyle = ACanvas->GetBrush()->GetStyle();
    FFont.Assign(ACanvas->GetFont());
  }
  ~TCanvasStateGuard() {
    FCanvas->GetPen()->SetColor(FPenColor);
    FCanvas->GetPen()->SetWidth(FPenWidth);
    FCanvas->GetBrush()->SetColor(FBrushColor);
    FCanvas->GetBrush()->SetStyle(FBrushStyle);
    FCanvas->GetFont()->Assign(&FFont);
  }
  TCanvasStateGuard(const TCanvasStateGuard&) = delete;
  TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

private:
  TCanvas* FCanvas;
  TColor FPenColor;
  Integer FPenWidth;
  TColor FBrushColor;
  TBrushStyle FBrushStyle;
  TFont FFont;
};

}  // namespace

UINT AdjustDrawTextBiDi(UINT AFlags, TBiDiMode AMode) {
  if (!SysLocale.MiddleEast) return AFlags;
  if (AMode == bdRightToLeft) AFlags &= ~UINT(DT_RIGHT);
  else if (!(AFlags & DT_CENTER)) AFlags |= DT_RIGHT;
  if (AMode != bdLeftToRight) AFlags |= DT_RTLREADING;
  return AFlags;
}

String MaskPasswordText(StringView AText) { return String(AText.size(), u'*'); }

namespace {
HFONT RememberedFont = nullptr;
HFONT RotatedFont = nullptr;
}  // namespace

void SelectRotatedFont(TCanvas* ACanvas, Integer ADegrees) {
  LOGFONTW log{};
  ACanvas->GetFont()->GetLogFont(log);
  log.lfEscapement = ADegrees * 10;
  log.lfOrientation = ADegrees * 10;
  RotatedFont = CreateFontIndirect(&log);
  RememberedFont = static_cast<HFONT>(SelectObject(ACanvas->GetHandle(), RotatedFont));
}

void RestoreRotatedFont(TCanvas* ACanvas) {
  if (!RotatedFont) return;
  SelectObject(ACanvas->GetHandle(), RememberedFont);
  DeleteObject(RotatedFont);
  RotatedFont = RememberedFont = nullptr;
}

Integer DrawEmojiText(TCanvas* ACanvas, Integer AX, Integer AY, bool AMeasureOnly, StringView AChars,
                      Integer AFontSize) {
  const Integer advance = ACanvas->TextHeight(u"gh");
  if (AMeasureOnly || AChars.empty()) return advance;
  TFont saved;
  saved.Assign(ACanvas->GetFont());
  TFont* font = ACanvas->GetFont();
  font->SetName(u"Segoe UI Emoji");
  font->SetHeight(-AFontSize * 96 / 72);
  font->SetStyle(TFontStyles{});
  font->SetColor(clBlack);
  ACanvas->GetBrush()->SetStyle(bsClear);
  TRect r{AX, AY - 2, AX + 100, AY + 100};
  String text(AChars);
  ACanvas->TextRect(r, text, TTextFormat{tfNoPrefix, tfSingleLine});
  font->Assign(&saved);
  return advance;
}

void StretchBitmapToCanvas(TCanvas* ACanvas, const TRect& ARect, TBitmap* ABitmap) {
  if (ABitmap && !ABitmap->GetEmpty()) ACanvas->StretchDraw(ARect, ABitmap);
}

bool IsWindowsXPOrLater() {
  static const bool later = [] {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info)) return false;
    return info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion > 0);
  }();
  return later;
}

bool DrawHtmlText(THtmlDrawParams& P) {
  TCanvas* canvas = P.ACanvas;
  TCanvasStateGuard guard(canvas);
  const TColor callBrush = canvas->GetBrush()->GetColor();
  THtmlLayoutInput in;
  in.Scale = static_cast<Single>(GetDeviceCaps(canvas->GetHandle(), LOGPIXELSY)) / 96.0f;
  in.Themed = false;   // themed control faces need the visual-styles binding
  canvas->GetBrush()->SetStyle(bsClear);
  P.AControlRect = TRect{};
  P.AControlValue.clear();
  P.AControlType.clear();
  P.AStripped.clear();
  P.AFocusAnchor.clear();
  P.ATitle.clear();
  if (!P.ACheckHotSpot) P.AControlID.clear();
  P.AXSize = P.AYSize = P.AHyperLinks = 0;
  P.AMouseLink = -1;
  if (P.AResFactor < 1.0) P.AResFactor = 1.0;
  SetBkMode(canvas->GetHandle(), TRANSPARENT);
  in.Flags = AdjustDrawTextBiDi(DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING, P.ARightToLeft);
  if (!P.AWordWrap) in.Flags |= DT_END_ELLIPSIS;
  const String text = PrepareHtmlText(P.AText);
  TFont* f = canvas->GetFont();
  THtmlFont base{f->GetName(), f->GetSize(), f->GetStyle(), f->GetColor(), 0};
  TCanvasHtmlTarget target(canvas);
  THtmlLayout<TCanvasHtmlTarget> layout(target, P, in, base);
  layout.FCallBrush = callBrush;
  return layout.Run(text);
}

bool DrawHtmlText(TCanvas* ACanvas, const String& AText, const TRect& ARect, TCustomImageList* AImages,
                  Integer AX, Integer AY, Integer AFocusLink, Integer AHoverLink, Integer AShadowOffset,
                  bool ACheckHotSpot, bool ACheckHeight, bool APrint, bool AFixedColors, bool ABlink,
                  bool AHoverOnly, bool AWordWrap, bool ADown, const String& ADownID, Double AResFactor,
                  TColor AURLColor, TColor AHoverColor, TColor AHoverFontColor, TColor AShadowColor,
                  String& AAnchor, String& AStripped, String& AFocusAnchor, String& ATitle, Integer& AXSize,
                  Integer& AYSize, Integer& AHyperLinks, Integer& AMouseLink, TRect& AHoverRect,
                  TRect& AControlRect, String& AControlID, String& AControlValue, String& AControlType,
                  THTMLPictureCache* APictureCache, TPictureContainer* APictureContainer, HWND AWinHandle,
                  TBiDiMode ARightToLeft) {
  THtmlDrawParams p;
  p.ACanvas = ACanvas;
  p.AText = AText;
  p.ARect = ARect;
  p.AImages = AImages;
  p.AX = AX;
  p.AY = AY;
  p.AFocusLink = AFocusLink;
  p.AHoverLink = AHoverLink;
  p.AShadowOffset = AShadowOffset;
  p.ACheckHotSpot = ACheckHotSpot;
  p.ACheckHeight = ACheckHeight;
  p.APrint = APrint;
  p.AFixedColors = AFixedColors;
  p.ABlink = ABlink;
  p.AHoverOnly = AHoverOnly;
  p.AWordWrap = AWordWrap;
  p.ADown = ADown;
  p.ADownID = ADownID;
  p.AResFactor = AResFactor;
  p.AURLColor = AURLColor;
  p.AHoverColor = AHoverColor;
  p.AHoverFontColor = AHoverFontColor;
  p.AShadowColor = AShadowColor;
  p.AAnchor = AAnchor;
  p.AHoverRect = AHoverRect;
  p.AControlID = AControlID;
  p.APictureCache = APictureCache;
  p.APictureContainer = APictureContainer;
  p.AWinHandle = AWinHandle;
  p.ARightToLeft = ARightToLeft;
  const bool result = DrawHtmlText(p);
  AAnchor = p.AAnchor;
  AStripped = p.AStripped;
  AFocusAnchor = p.AFocusAnchor;
  ATitle = p.ATitle;
  AXSize = p.AXSize;
  AYSize = p.AYSize;
  AHyperLinks = p.AHyperLinks;
  AMouseLink = p.AMouseLink;
  AHoverRect = p.AHoverRect;
  AControlRect = p.AControlRect;
  AControlID = p.AControlID;
  AControlValue = p.AControlValue;
  AControlType = p.AControlType;
  return result;
}
