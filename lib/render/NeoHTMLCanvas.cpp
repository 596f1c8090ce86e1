// The canvas drawing target of the markup engine and DrawHtmlText with its helpers.
#include <cmath>
#include <cstdint>
#include <vector>

#include "lib/base/NeoXPVS.h"
#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/NeoHTMLLayout.h"
#include "lib/render/PictureContainer.h"
#include "platform/rtl/SysInfo.h"
#include "platform/ui/ImgList.h"
#include "platform/win/ShellApi.h"
#include "platform/win/WinGdi.h"

namespace {

// Draws on a TCanvas with integer device coordinates; fonts go through the canvas font.
class TCanvasHtmlTarget {
public:
  using Coord = Integer;

  TCanvasHtmlTarget(TCanvas* ACanvas, TCustomImageList* AImages, HWND AWindow, const THtmlDrawParams& AParams,
                    TColor ACallBrush)
      : FCanvas(ACanvas), FImages(AImages), FWindow(AWindow), FContainer(AParams.APictureContainer),
        FCache(AParams.APictureCache), FCallBrush(ACallBrush), FPrint(AParams.APrint), FResFactor(AParams.AResFactor) {}

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
    String text(AText);
    if (AFont.Angle != 0) {
      // A rotated run starts at the run's bottom left and turns about it.
      FCanvas->TextOut(L, B, text);
    } else {
      DrawTextIn(TRect{L, T, R, B}, text, AFlags);
    }
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

  bool ImageSize(Integer AIndex, Coord& W, Coord& H) {
    if (!FImages || AIndex < 0 || AIndex >= FImages->GetCount()) return false;
    W = FImages->GetWidth();
    H = FImages->GetHeight();
    return true;
  }

  // On screen at its own size, enabled; printed (or sized by the markup) through a bitmap of the
  // picture on white, stretched into the box.
  void DrawImage(Integer AIndex, Coord L, Coord T, Coord R, Coord B, bool APrint) {
    const Integer w = FImages->GetWidth(), h = FImages->GetHeight();
    if (!APrint && R - L == w && B - T == h) {
      FImages->Draw(FCanvas, L, T, AIndex, true);
      return;
    }
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(w, h);
    bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
    bitmap.GetCanvas()->FillRect(TRect{0, 0, w, h});
    FImages->Draw(bitmap.GetCanvas(), 0, 0, AIndex, true);
    StretchBitmapToCanvas(FCanvas, TRect{L, T, R, B}, &bitmap);
  }

  // Shell icons ("SSYS:" small, "LSYS:" large), container pictures by name, cache pictures by URL.
  bool PictureSize(StringView ASource, Coord& W, Coord& H) {
    bool large = false;
    if (IsShellIconSource(ASource, large)) {
      const bool found = DrawShellIcon(FCanvas, 0, 0, W, FResFactor, FPrint, false, large, String(ASource.substr(5)));
      H = W;
      return found;
    }
    return MarkupPictureSize(FindMarkupPicture(ASource, FContainer, FCache), W, H);
  }
  void DrawPicture(StringView ASource, Coord L, Coord T, Coord R, Coord B) {
    bool large = false;
    Integer size = 0;
    if (IsShellIconSource(ASource, large)) DrawShellIcon(FCanvas, L, T, size, FResFactor, FPrint, true, large, String(ASource.substr(5)));
    else DrawMarkupPicture(FCanvas, FindMarkupPicture(ASource, FContainer, FCache), TRect{L, T, R, B}, FCallBrush);
  }

  // Rows and columns of the picture at its own size from the box's top left, clipped to the box.
  void TileBackground(StringView ASource, Coord L, Coord T, Coord R, Coord B) {
    TGraphic* picture = FindMarkupPicture(ASource, FContainer, FCache);
    Integer w = 0, h = 0;
    if (!MarkupPictureSize(picture, w, h) || R <= L || B <= T) return;
    HDC dc = FCanvas->GetHandle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, L, T, R, B);
    for (Integer y = T; y < B; y += h)
      for (Integer x = L; x < R; x += w) picture->Draw(FCanvas, TRect{x, y, x + w, y + h});
    RestoreDC(dc, saved);
  }

  void DrawControl(const THtmlControlFace& AFace) {
    TPen* pen = FCanvas->GetPen();
    TBrush* brush = FCanvas->GetBrush();
    switch (AFace.Kind) {
      case hcEdit:
      case hcCombo:
        pen->SetColor(AFace.FrameColor);
        brush->SetColor(clWhite);
        FCanvas->Rectangle(AFace.Box);
        brush->SetStyle(bsClear);
        DrawCaption(AFace, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (AFace.Kind == hcCombo) DrawFace(AFace, AFace.ButtonBox);
        break;
      case hcCheck:
      case hcRadio:
        DrawFace(AFace, AFace.Box);
        break;
      case hcButton:
        DrawFace(AFace, AFace.Box);
        DrawCaption(AFace, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        break;
    }
  }

private:
  // The face of a combo box's button, a check box, a radio button or a push button: through the
  // visual styles when themed and the theme opens, else the classic frame control.
  void DrawFace(const THtmlControlFace& AFace, const TRect& ABox) {
    RECT box = ABox;
    if (AFace.Themed && DrawThemedFace(AFace, box)) return;
    HDC dc = FCanvas->GetHandle();
    switch (AFace.Kind) {
      case hcCombo:
        DrawFrameControl(dc, &box, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (AFace.State == hsHot ? DFCS_HOT : 0));
        break;
      case hcCheck:
      case hcRadio: {
        const UINT kind = AFace.Kind == hcCheck ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO;
        DrawFrameControl(dc, &box, DFC_BUTTON, kind | DFCS_FLAT | (AFace.Checked ? DFCS_CHECKED : 0));
        break;
      }
      case hcButton:
        DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (AFace.State == hsPressed ? DFCS_PUSHED : 0));
        break;
      case hcEdit: break;
    }
  }

  bool DrawThemedFace(const THtmlControlFace& AFace, const RECT& ABox) {
    if (!NeoXPVS::OpenThemeData || !NeoXPVS::DrawThemeBackground || !NeoXPVS::CloseThemeData) return false;
    int part = 0, state = 0;
    switch (AFace.Kind) {
      case hcCombo:
        part = CP_DROPDOWNBUTTON;
        state = AFace.State == hsHot ? CBXS_HOT : CBXS_NORMAL;
        break;
      case hcCheck:
        part = BP_CHECKBOX;
        state = AFace.Checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL;
        break;
      case hcRadio:
        part = BP_RADIOBUTTON;
        state = AFace.Checked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL;
        break;
      case hcButton:
        part = BP_PUSHBUTTON;
        state = AFace.State == hsPressed ? PBS_PRESSED : AFace.State == hsHot ? PBS_HOT : PBS_NORMAL;
        break;
      case hcEdit: return false;
    }
    HTHEME theme = NeoXPVS::OpenThemeData(FWindow, AFace.Kind == hcCombo ? u"combobox" : u"button");
    if (!theme) return false;
    NeoXPVS::DrawThemeBackground(theme, FCanvas->GetHandle(), part, state, &ABox, nullptr);
    NeoXPVS::CloseThemeData(theme);
    return true;
  }

  void DrawCaption(const THtmlControlFace& AFace, UINT AFlags) {
    THtmlFont f = AFace.Font;
    SelectFont(f);
    FCanvas->GetBrush()->SetStyle(bsClear);
    DrawTextIn(AFace.TextBox, AFace.Text, AFlags);
  }

  // DrawText with the canvas's font and brush realised in its DC.
  void DrawTextIn(TRect ARect, const String& AText, UINT AFlags) {
    DrawText(FCanvas->GetHandle(), AText.data(), static_cast<int>(AText.size()), &ARect, AFlags);
  }

  void SelectFont(const THtmlFont& AFont) {
    TFont* font = FCanvas->GetFont();
    if (font->GetName() != AFont.Name) font->SetName(AFont.Name);
    if (font->GetSize() != AFont.Size) font->SetSize(AFont.Size);
    if (font->GetStyle() != AFont.Style) font->SetStyle(AFont.Style);
    if (font->GetColor() != AFont.Color) font->SetColor(AFont.Color);
    if (font->GetOrientation() != AFont.Angle * 10) font->SetOrientation(AFont.Angle * 10);
  }


  TCanvas* FCanvas;
  TCustomImageList* FImages;
  HWND FWindow;
  TPictureContainer* FContainer;
  THTMLPictureCache* FCache;
  TColor FCallBrush;   // an animated picture's box is filled with it first
  bool FPrint;
  Double FResFactor;
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
  RECT r{AX, AY - 2, AX + 100, AY + 100};
  DrawText(ACanvas->GetHandle(), AChars.data(), static_cast<int>(AChars.size()), &r, DT_NOPREFIX | DT_SINGLELINE);
  font->Assign(&saved);
  return advance;
}

bool DrawShellIcon(TCanvas* ACanvas, Integer X, Integer Y, Integer& ASize, Double AScale, bool APrint, bool ADraw,
                   bool ALarge, const String& AName) {
  const UINT sizeFlag = ALarge ? SHGFI_LARGEICON : SHGFI_SMALLICON;
  Integer index = 0;
  SHFILEINFOW info;
  HIMAGELIST list = nullptr;
  if (TryStrToInt(AName, index)) {
    // Any name gives the list; the index is the one asked for.
    list = reinterpret_cast<HIMAGELIST>(SHGetFileInfo(u"file", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                                      SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | sizeFlag));
  } else {
    list = reinterpret_cast<HIMAGELIST>(SHGetFileInfo(AName.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | sizeFlag));
    if (!list)
      list = reinterpret_cast<HIMAGELIST>(SHGetFileInfo(AName.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                                                        SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | sizeFlag));
    index = info.iIcon;
  }
  int w = 0, h = 0;
  if (!list || !ImageList_GetIconSize(list, &w, &h) || index < 0 || index >= ImageList_GetImageCount(list)) return false;
  ASize = w;
  if (!ADraw) return true;
  if (!APrint) return ImageList_Draw(list, index, ACanvas->GetHandle(), X, Y, ILD_TRANSPARENT) != FALSE;
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(w, h);
  bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
  bitmap.GetCanvas()->FillRect(TRect{0, 0, w, h});
  ImageList_Draw(list, index, bitmap.GetCanvas()->GetHandle(), 0, 0, ILD_TRANSPARENT);
  const auto scaled = [&](Integer v) { return static_cast<Integer>(std::nearbyint(v * AScale)); };
  StretchBitmapToCanvas(ACanvas, TRect{X, Y, X + scaled(w), Y + scaled(h)}, &bitmap);
  return true;
}

void StretchBitmapToCanvas(TCanvas* ACanvas, const TRect& ARect, TBitmap* ABitmap) {
  if (!ABitmap || ABitmap->GetEmpty()) return;
  const Integer w = ABitmap->GetWidth(), h = ABitmap->GetHeight();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;   // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> bits(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  HDC dc = ACanvas->GetHandle();
  if (GetDIBits(dc, ABitmap->GetHandle(), 0, static_cast<UINT>(h), bits.data(), &info, DIB_RGB_COLORS) == 0) return;
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, ARect.left, ARect.top, ARect.right - ARect.left, ARect.bottom - ARect.top, 0, 0, w, h, bits.data(),
                &info, DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, oldMode);
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
  in.Themed = IsWindowsXPOrLater() && NeoXPVS::IsThemeActive && NeoXPVS::IsThemeActive();
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
  TCanvasHtmlTarget target(canvas, P.AImages, P.AWinHandle, P, callBrush);
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
