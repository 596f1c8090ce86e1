// The themed parts: their colours by state, their sizes and their painting with the drawing
// library on a DC's surface. The look is flat: square faces with a one-pixel border (scaled with
// the theme's resolution), anti-aliased glyphs.
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "platform/win/GdiInternal.h"
#include "platform/win/ThemeLibraryInternal.h"

namespace uxtheme {

namespace {

// State colours shared by the parts: normal, hot, pressed, disabled.
enum TStateKind { skNormal, skHot, skPressed, skDisabled };

constexpr COLORREF FaceFill[] = {RGB(225, 225, 225), RGB(229, 241, 251), RGB(204, 228, 247), RGB(204, 204, 204)};
constexpr COLORREF FaceBorder[] = {RGB(173, 173, 173), RGB(0, 120, 215), RGB(0, 84, 153), RGB(191, 191, 191)};
constexpr COLORREF FaceText[] = {RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(131, 131, 131)};
constexpr COLORREF ArrowGlyph[] = {RGB(96, 96, 96), RGB(0, 0, 0), RGB(0, 0, 0), RGB(191, 191, 191)};
constexpr COLORREF BoxFill[] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(204, 228, 247), RGB(255, 255, 255)};
constexpr COLORREF BoxBorder[] = {RGB(51, 51, 51), RGB(0, 120, 215), RGB(0, 84, 153), RGB(204, 204, 204)};
constexpr COLORREF BoxText[] = {RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(109, 109, 109)};
constexpr COLORREF HeaderFill[] = {RGB(255, 255, 255), RGB(217, 235, 249), RGB(188, 220, 244)};
constexpr COLORREF HeaderDivider = RGB(229, 229, 229);
constexpr COLORREF ProgressFill = RGB(230, 230, 230);
constexpr COLORREF ProgressBorder = RGB(188, 188, 188);
constexpr COLORREF ProgressChunk = RGB(6, 176, 37);
constexpr COLORREF TrackFill = RGB(231, 234, 234);
constexpr COLORREF TrackBorder = RGB(214, 214, 214);
constexpr COLORREF ThumbFill[] = {RGB(0, 122, 215), RGB(23, 23, 23), RGB(204, 204, 204), RGB(0, 122, 215),
                                  RGB(204, 204, 204)};
constexpr COLORREF TicColor = RGB(196, 196, 196);

// The check and radio states: kind and mark (0 none, 1 checked, 2 mixed); false when out of range.
bool MarkState(int AState, int AMaxState, TStateKind& AKind, int& AMark) {
  if (AState < 1 || AState > AMaxState) return false;
  AKind = static_cast<TStateKind>((AState - 1) % 4);
  AMark = (AState - 1) / 4;
  return true;
}

bool FourStates(int AState, TStateKind& AKind) {
  if (AState < 1 || AState > 4) return false;
  AKind = static_cast<TStateKind>(AState - 1);
  return true;
}

TPartLook Face(TStateKind K) { return TPartLook{FaceFill[K], FaceBorder[K], ArrowGlyph[K], FaceText[K]}; }

std::optional<TPartLook> ButtonLook(int APart, int AState) {
  TStateKind k;
  int mark;
  switch (APart) {
    case BP_PUSHBUTTON:
      if (AState == PBS_DEFAULTED) return TPartLook{FaceFill[skNormal], FaceBorder[skHot], 0, FaceText[skNormal]};
      if (!FourStates(AState, k)) return std::nullopt;
      return Face(k);
    case BP_RADIOBUTTON:
    case BP_CHECKBOX:
      if (!MarkState(AState, APart == BP_CHECKBOX ? 12 : 8, k, mark)) return std::nullopt;
      return TPartLook{BoxFill[k], BoxBorder[k], BoxBorder[k], BoxText[k]};
    default: return std::nullopt;
  }
}

std::optional<TPartLook> ComboLook(int APart, int AState) {
  TStateKind k;
  if ((APart != CP_DROPDOWNBUTTON && APart != CP_DROPDOWNBUTTONRIGHT) || !FourStates(AState, k)) return std::nullopt;
  TPartLook look = Face(k);
  // The button at the right of a combo box is part of the box: no frame, a face only when touched.
  if (APart == CP_DROPDOWNBUTTONRIGHT) {
    look.Border.reset();
    if (k == skNormal || k == skDisabled) look.Fill.reset();
  }
  return look;
}

std::optional<TPartLook> SpinLook(int APart, int AState) {
  TStateKind k;
  if (APart < SPNP_UP || APart > SPNP_DOWNHORZ || !FourStates(AState, k)) return std::nullopt;
  return Face(k);
}

std::optional<TPartLook> HeaderLook(int APart, int AState) {
  if ((APart != HP_HEADERITEM && APart != HP_HEADERITEMRIGHT) || AState < HIS_NORMAL || AState > HIS_PRESSED)
    return std::nullopt;
  return TPartLook{HeaderFill[AState - 1], HeaderDivider, 0, RGB(0, 0, 0)};
}

std::optional<TPartLook> ProgressLook(int APart, int AState) {
  (void)AState;
  switch (APart) {
    case PP_BAR:
    case PP_BARVERT: return TPartLook{ProgressFill, ProgressBorder, 0, RGB(0, 0, 0)};
    case PP_CHUNK:
    case PP_CHUNKVERT: return TPartLook{ProgressChunk, std::nullopt, 0, RGB(0, 0, 0)};
    default: return std::nullopt;
  }
}

std::optional<TPartLook> TrackBarLook(int APart, int AState) {
  switch (APart) {
    case TKP_TRACK:
    case TKP_TRACKVERT:
      if (AState != TRS_NORMAL) return std::nullopt;
      return TPartLook{TrackFill, TrackBorder, 0, RGB(0, 0, 0)};
    case TKP_THUMB: case TKP_THUMBBOTTOM: case TKP_THUMBTOP: case TKP_THUMBVERT: case TKP_THUMBLEFT:
    case TKP_THUMBRIGHT:
      if (AState < TUS_NORMAL || AState > TUS_DISABLED) return std::nullopt;
      return TPartLook{ThumbFill[AState - 1], std::nullopt, 0, RGB(0, 0, 0)};
    case TKP_TICS:
    case TKP_TICSVERT:
      if (AState != TSS_NORMAL) return std::nullopt;
      return TPartLook{TicColor, std::nullopt, 0, RGB(0, 0, 0)};
    default: return std::nullopt;
  }
}

// ---- Painting in surface pixels ----

struct TPainter {
  cairo_t* Cr;
  double Scale;   // theme pixels per 96-dpi pixel
  void Color(COLORREF C) { cairo_set_source_rgb(Cr, GetRValue(C) / 255.0, GetGValue(C) / 255.0, GetBValue(C) / 255.0); }
  void FillRect(double L, double T, double R, double B, COLORREF C) {
    if (R <= L || B <= T) return;
    Color(C);
    cairo_rectangle(Cr, L, T, R - L, B - T);
    cairo_fill(Cr);
  }
  // Border of width W in ABorder, the inside in AFill (either may be absent).
  void Box(const RECT& R, const TPartLook& ALook) {
    double w = std::max(1.0, std::round(Scale));
    if (ALook.Border) FillRect(R.left, R.top, R.right, R.bottom, *ALook.Border);
    if (ALook.Fill) {
      double in = ALook.Border ? w : 0;
      FillRect(R.left + in, R.top + in, R.right - in, R.bottom - in, *ALook.Fill);
    }
  }
  // A filled triangle pointing in a direction (0 up, 1 down, 2 right, 3 left), centred in R.
  void Arrow(const RECT& R, int ADirection, COLORREF C) {
    double cx = (R.left + R.right) / 2.0, cy = (R.top + R.bottom) / 2.0;
    double avail = std::min(R.right - R.left, R.bottom - R.top);
    double half = std::max(2.0, std::min(4.0 * Scale, avail / 3.0));
    double depth = half, b = depth / 2;   // a triangle twice as wide as it is deep
    Color(C);
    switch (ADirection) {
      case 0:
        cairo_move_to(Cr, cx - half, cy + b);
        cairo_line_to(Cr, cx + half, cy + b);
        cairo_line_to(Cr, cx, cy - b);
        break;
      case 1:
        cairo_move_to(Cr, cx - half, cy - b);
        cairo_line_to(Cr, cx + half, cy - b);
        cairo_line_to(Cr, cx, cy + b);
        break;
      case 2:
        cairo_move_to(Cr, cx - b, cy - half);
        cairo_line_to(Cr, cx - b, cy + half);
        cairo_line_to(Cr, cx + b, cy);
        break;
      default:
        cairo_move_to(Cr, cx + b, cy - half);
        cairo_line_to(Cr, cx + b, cy + half);
        cairo_line_to(Cr, cx - b, cy);
        break;
    }
    cairo_close_path(Cr);
    cairo_fill(Cr);
  }
};

// The square of the part's true size centred in R.
RECT CenteredSquare(const RECT& R, int ASize) {
  int x = R.left + (R.right - R.left - ASize) / 2, y = R.top + (R.bottom - R.top - ASize) / 2;
  return RECT{x, y, x + ASize, y + ASize};
}

int GlyphSize(double AScale) { return static_cast<int>(std::lround(13 * AScale)); }

void PaintCheckBox(TPainter& P, const RECT& R, const TPartLook& L, int AMark) {
  RECT box = CenteredSquare(R, GlyphSize(P.Scale));
  P.Box(box, L);
  double s = box.right - box.left;
  if (AMark == 1) {
    P.Color(L.Glyph);
    cairo_set_line_width(P.Cr, std::max(1.5, 1.6 * P.Scale));
    cairo_set_line_cap(P.Cr, CAIRO_LINE_CAP_SQUARE);
    cairo_move_to(P.Cr, box.left + s * 0.22, box.top + s * 0.52);
    cairo_line_to(P.Cr, box.left + s * 0.42, box.top + s * 0.72);
    cairo_line_to(P.Cr, box.left + s * 0.78, box.top + s * 0.30);
    cairo_stroke(P.Cr);
  } else if (AMark == 2) {
    double in = std::round(s * 0.23);
    P.FillRect(box.left + in, box.top + in, box.right - in, box.bottom - in, L.Glyph);
  }
}

void PaintRadio(TPainter& P, const RECT& R, const TPartLook& L, int AMark) {
  RECT box = CenteredSquare(R, GlyphSize(P.Scale));
  double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0, r = (box.right - box.left) / 2.0;
  double w = std::max(1.0, std::round(P.Scale));
  P.Color(*L.Border);
  cairo_arc(P.Cr, cx, cy, r, 0, 2 * M_PI);
  cairo_fill(P.Cr);
  P.Color(*L.Fill);
  cairo_arc(P.Cr, cx, cy, r - w, 0, 2 * M_PI);
  cairo_fill(P.Cr);
  if (AMark) {
    P.Color(L.Glyph);
    cairo_arc(P.Cr, cx, cy, r * 0.45, 0, 2 * M_PI);
    cairo_fill(P.Cr);
  }
}

// A track bar's thumb: a plain face, or one pointing to a side (the part's number tells which).
void PaintThumb(TPainter& P, const RECT& R, const TPartLook& L, int APart) {
  double l = R.left, t = R.top, r = R.right, b = R.bottom;
  double w = r - l, h = b - t;
  P.Color(*L.Fill);
  switch (APart) {
    case TKP_THUMBBOTTOM:
      cairo_move_to(P.Cr, l, t); cairo_line_to(P.Cr, r, t); cairo_line_to(P.Cr, r, b - w / 2);
      cairo_line_to(P.Cr, l + w / 2, b); cairo_line_to(P.Cr, l, b - w / 2);
      break;
    case TKP_THUMBTOP:
      cairo_move_to(P.Cr, l, b); cairo_line_to(P.Cr, r, b); cairo_line_to(P.Cr, r, t + w / 2);
      cairo_line_to(P.Cr, l + w / 2, t); cairo_line_to(P.Cr, l, t + w / 2);
      break;
    case TKP_THUMBRIGHT:
      cairo_move_to(P.Cr, l, t); cairo_line_to(P.Cr, r - h / 2, t); cairo_line_to(P.Cr, r, t + h / 2);
      cairo_line_to(P.Cr, r - h / 2, b); cairo_line_to(P.Cr, l, b);
      break;
    case TKP_THUMBLEFT:
      cairo_move_to(P.Cr, r, t); cairo_line_to(P.Cr, l + h / 2, t); cairo_line_to(P.Cr, l, t + h / 2);
      cairo_line_to(P.Cr, l + h / 2, b); cairo_line_to(P.Cr, r, b);
      break;
    default: cairo_rectangle(P.Cr, l, t, w, h); break;
  }
  cairo_close_path(P.Cr);
  cairo_fill(P.Cr);
}

void PaintHeader(TPainter& P, const RECT& R, const TPartLook& L, int APart) {
  P.FillRect(R.left, R.top, R.right, R.bottom, *L.Fill);
  double w = std::max(1.0, std::round(P.Scale));
  if (APart == HP_HEADERITEM) P.FillRect(R.right - w, R.top, R.right, R.bottom, *L.Border);
  P.FillRect(R.left, R.bottom - w, R.right, R.bottom, *L.Border);
}

HRESULT Paint(TPainter& P, const TTheme& T, int APart, int AState, const RECT& R) {
  std::optional<TPartLook> look = LookOf(T.Class, APart, AState);
  if (!look) return E_INVALIDARG;
  switch (T.Class) {
    case tcButton: {
      if (APart == BP_PUSHBUTTON) {
        P.Box(R, *look);
        if (AState == PBS_DEFAULTED) {   // a second ring inside the border
          double w = std::max(1.0, std::round(P.Scale));
          TPartLook ring{*look->Border, std::nullopt, 0, 0};
          P.Box(RECT{R.left + static_cast<LONG>(w), R.top + static_cast<LONG>(w), R.right - static_cast<LONG>(w),
                     R.bottom - static_cast<LONG>(w)},
                ring);
          P.FillRect(R.left + 2 * w, R.top + 2 * w, R.right - 2 * w, R.bottom - 2 * w, *look->Fill);
        }
        return S_OK;
      }
      TStateKind k;
      int mark;
      if (!MarkState(AState, 12, k, mark)) return E_INVALIDARG;
      if (APart == BP_CHECKBOX) PaintCheckBox(P, R, *look, mark);
      else PaintRadio(P, R, *look, mark);
      return S_OK;
    }
    case tcComboBox:
      P.Box(R, *look);
      P.Arrow(R, 1, look->Glyph);
      return S_OK;
    case tcSpin: {
      static constexpr int directions[] = {0, 1, 2, 3};   // up, down, right ("up" across), left
      P.Box(R, *look);
      P.Arrow(R, directions[APart - SPNP_UP], look->Glyph);
      return S_OK;
    }
    case tcHeader: PaintHeader(P, R, *look, APart); return S_OK;
    case tcProgress: P.Box(R, *look); return S_OK;
    case tcTrackBar:
      if (APart == TKP_TRACK || APart == TKP_TRACKVERT) P.Box(R, *look);
      else if (APart == TKP_TICS || APart == TKP_TICSVERT) P.FillRect(R.left, R.top, R.right, R.bottom, *look->Fill);
      else PaintThumb(P, R, *look, APart);
      return S_OK;
  }
  return E_INVALIDARG;
}

}  // namespace

std::optional<TPartLook> LookOf(TThemeClass AClass, int APart, int AState) {
  switch (AClass) {
    case tcButton: return ButtonLook(APart, AState);
    case tcComboBox: return ComboLook(APart, AState);
    case tcSpin: return SpinLook(APart, AState);
    case tcHeader: return HeaderLook(APart, AState);
    case tcProgress: return ProgressLook(APart, AState);
    case tcTrackBar: return TrackBarLook(APart, AState);
  }
  return std::nullopt;
}

bool PartSize(const TTheme& ATheme, int APart, THEMESIZE ASize, const RECT* ARect, SIZE& AOut) {
  if (!LookOf(ATheme.Class, APart, 1)) return false;
  auto scaled = [&](int V) { return static_cast<LONG>(std::lround(V * ATheme.Scale())); };
  bool glyph = ATheme.Class == tcButton && APart != BP_PUSHBUTTON;
  if (glyph) {
    AOut = SIZE{scaled(13), scaled(13)};
    return true;
  }
  if (ASize == TS_DRAW && ARect) {
    AOut = SIZE{ARect->right - ARect->left, ARect->bottom - ARect->top};
    return true;
  }
  switch (ATheme.Class) {
    case tcComboBox:
      AOut = SIZE{GetSystemMetricsForDpi(SM_CXVSCROLL, ATheme.Dpi), GetSystemMetricsForDpi(SM_CYVSCROLL, ATheme.Dpi)};
      break;
    case tcSpin:
      AOut = APart <= SPNP_DOWN ? SIZE{scaled(15), scaled(9)} : SIZE{scaled(9), scaled(15)};
      break;
    case tcTrackBar:
      if (APart >= TKP_THUMB && APart <= TKP_THUMBRIGHT) {
        bool across = APart == TKP_THUMBVERT || APart == TKP_THUMBLEFT || APart == TKP_THUMBRIGHT;
        AOut = across ? SIZE{scaled(21), scaled(11)} : SIZE{scaled(11), scaled(21)};
        break;
      }
      AOut = SIZE{scaled(2), scaled(2)};
      break;
    default:   // faces without a size of their own: the border on both sides
      AOut = SIZE{scaled(2), scaled(2)};
      break;
  }
  return true;
}

HRESULT PaintPart(const TTheme& ATheme, HDC ADC, int APart, int AState, const RECT& ARect, const RECT* AClip) {
  using namespace gdi;
  std::unique_lock<std::recursive_mutex> guard(gdi::Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return E_HANDLE;
  if (!LookOf(ATheme.Class, APart, AState)) return E_INVALIDARG;
  TDrawScope scope(d);
  TSurface* s = scope.Surface();
  if (!s) return S_OK;
  TRgnSet clip = EffectiveClip(d);
  if (AClip) clip = clip.Intersect(LogRectToSurf(d, *AClip));
  RECT r = LogRectToSurf(d, ARect);
  clip = clip.Intersect(r);
  if (clip.Empty()) return S_OK;
  cairo_t* cr = CairoFor(d, *s);
  if (!cr) return E_FAIL;
  s->MarkDirty();
  cairo_save(cr);
  SetCairoClip(cr, clip);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
  TPainter painter{cr, ATheme.Scale()};
  HRESULT hr = Paint(painter, ATheme, APart, AState, r);
  cairo_restore(cr);
  cairo_surface_flush(cairo_get_target(cr));
  return hr;
}

}  // namespace uxtheme
