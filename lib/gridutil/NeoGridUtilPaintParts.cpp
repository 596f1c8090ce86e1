// The progress bar of cells and the drop-down, push and spin buttons of editors.
#include <algorithm>
#include <cmath>
#include <cctype>

#include "lib/base/NeoXPVS.h"
#include "lib/gridutil/NeoGridUtilInternal.h"
#include "lib/gridutil/NeoGridUtilPaint.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Controls.h"
#include "platform/win/UxTheme.h"

namespace {

// Whether the first conversion of a format is an integer one (d or u).
bool IntegerConversion(const String& Format) {
  for (std::size_t i = 0; i < Format.size(); ++i) {
    if (Format[i] != u'%') continue;
    std::size_t j = i + 1;
    if (j < Format.size() && Format[j] == u'%') {
      i = j;
      continue;
    }
    while (j < Format.size() && (Format[j] == u'-' || Format[j] == u'.' || Format[j] == u':' || Format[j] == u'*' ||
                                 (Format[j] >= u'0' && Format[j] <= u'9')))
      ++j;
    if (j >= Format.size()) return false;
    Char c = static_cast<Char>(std::tolower(static_cast<int>(Format[j])));
    return c == u'd' || c == u'u';
  }
  return false;
}

bool IsEmpty(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

// Draws Text centred in Text area, limited to Clip, in Color.
void ClippedText(TCanvas* Canvas, const TRect& Area, const TRect& Clip, const String& Text, TColor Color) {
  if (Clip.right <= Clip.left) return;
  GridUtilInternal::TClipTo clip(Canvas, Clip);
  Canvas->GetFont()->SetColor(Color);
  TRect r = Area;
  Canvas->TextRect(r, Text, TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine, tfNoClip});
}

// The strip of Width pixels (scaled) at the right edge of Rect, never reaching left of it.
TRect RightStrip(const TRect& Rect, Single Scale, Integer Width) {
  const Double wide = std::clamp<Double>(Round(Double(Scale) * Width), 0, Int64(Rect.right) - Rect.left);
  return TRect{Rect.right - static_cast<Integer>(wide), Rect.top, Rect.right, Rect.bottom};
}

// A small filled triangle, 5 wide and 3 high, centred on (CX, CY), pointing up or down.
void Triangle(TCanvas* Canvas, Integer CX, Integer CY, bool Up, TColor Color) {
  for (Integer row = 0; row < 3; ++row) {
    Integer half = Up ? row : 2 - row;
    FillRectColor(Canvas, TRect{CX - half, CY - 1 + row, CX + half + 1, CY + row}, Color);
  }
}

void CustomFace(TCanvas* Canvas, const TRect& R, const TButtonLookColors& Colors) {
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->GetBrush()->SetColor(Colors.Brush);
  Canvas->GetPen()->SetStyle(psSolid);
  Canvas->GetPen()->SetWidth(1);
  Canvas->GetPen()->SetColor(Colors.Pen);
  Canvas->Rectangle(R);
}

UINT ClassicFlags(Integer State, Integer Mode) {
  UINT flags = 0;
  if (State == 1) flags |= DFCS_HOT;
  if (State == 2) flags |= DFCS_PUSHED;
  if (State == 3) flags |= DFCS_INACTIVE;
  if (Mode == bpmFlat) flags |= DFCS_FLAT;
  return flags;
}

// Draws the themed part; false when no theme could be opened (the caller draws the classic look).
bool ThemedPart(TCanvas* Canvas, TWinControl* Owner, const Char* ThemeClass, Integer Part, Integer PartState,
                const TRect& R) {
  if (!NeoXPVS::OpenThemeData || !NeoXPVS::DrawThemeBackground || !NeoXPVS::CloseThemeData) return false;
  HTHEME theme = NeoXPVS::OpenThemeData(Owner && Owner->HandleAllocated() ? Owner->GetHandle() : nullptr, ThemeClass);
  if (!theme) return false;
  RECT r = R;
  NeoXPVS::DrawThemeBackground(theme, Canvas->GetHandle(), Part, PartState, &r, nullptr);
  NeoXPVS::CloseThemeData(theme);
  return true;
}

const TButtonLookColors& LookOf(const TButtonLook& Look, Integer State) {
  return Look.States[std::clamp(State, 0, 3)];
}

}  // namespace

void PaintProgressCell(TCanvas* Canvas, TRect Rect, TColor Color, bool, TColor BorderColor, const String& Format,
                       Double Divisor, Double Minimum, Double Maximum, Double Value, Integer MarginX, Integer MarginY,
                       TColor TextColor, TColor TextColorBack, TColor BackgroundColor) {
  if (!Canvas) return;
  // The margins taken off in 64 bits: nothing is left when they meet.
  const Int64 left = Int64(Rect.left) + MarginX, right = Int64(Rect.right) - MarginX;
  const Int64 top = Int64(Rect.top) + MarginY, bottom = Int64(Rect.bottom) - MarginY;
  if (right <= left || bottom <= top) return;
  TRect r{static_cast<Integer>(left), static_cast<Integer>(top), static_cast<Integer>(right),
          static_cast<Integer>(bottom)};
  Double range = Maximum - Minimum;
  Double share = (Value - Minimum) * 100 / range;
  Double percent = range == 0 || std::isnan(share) ? 0 : std::clamp(share, 0.0, 100.0);
  if (BorderColor != clNone) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(BorderColor);
    Canvas->FrameRect(r);
    r = TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
  Integer split = r.left + static_cast<Integer>(Round(percent * (Int64(r.right) - r.left) / 100));
  TRect filled{r.left, r.top, split, r.bottom}, rest{split, r.top, r.right, r.bottom};
  FillRectColor(Canvas, filled, Color);
  FillRectColor(Canvas, rest, BackgroundColor);
  String text;
  Double divisor = Divisor == 0 ? 1 : Divisor;
  if (Format.empty()) text = IntToStr(static_cast<Integer>(Round(percent))) + u"%";
  else if (IntegerConversion(Format)) text = ::Format(Format, {static_cast<Int64>(Round(Value / divisor))});
  else text = ::Format(Format, {Value / divisor});
  Canvas->GetBrush()->SetStyle(bsClear);
  ClippedText(Canvas, r, filled, text, TextColor);
  ClippedText(Canvas, r, rest, text, TextColorBack);
  Canvas->GetBrush()->SetStyle(bsSolid);
}

void PaintComboButtonPart(TCanvas* Canvas, TWinControl* ThemeOwner, TRect Rect, Single Scale, const TButtonLook& Look,
                          Integer State, Integer Mode) {
  if (!Canvas || IsEmpty(Rect)) return;
  TRect r = RightStrip(Rect, Scale, 16);
  if (IsEmpty(r)) return;
  GridUtilInternal::TClipTo clip(Canvas, r);
  if (Mode == bpmThemed && ThemedPart(Canvas, ThemeOwner, u"combobox", CP_DROPDOWNBUTTON, CBXS_NORMAL + State, r))
    return;
  if (Mode == bpmCustom) {
    const TButtonLookColors& c = LookOf(Look, State);
    CustomFace(Canvas, r, c);
    Triangle(Canvas, GridUtilInternal::Middle(r.left, r.right), GridUtilInternal::Middle(r.top, r.bottom), false, c.Pen);
    return;
  }
  RECT fr = r;
  DrawFrameControl(Canvas->GetHandle(), &fr, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | ClassicFlags(State, Mode));
}

void PaintThemedButton(TCanvas* Canvas, TWinControl* ThemeOwner, TRect Rect, const String& Caption, bool Prefix,
                       const TButtonLook& Look, Integer State, Integer Mode) {
  if (!Canvas || IsEmpty(Rect)) return;
  GridUtilInternal::TClipTo clip(Canvas, Rect);
  TColor text = State == 3 ? clGrayText : Canvas->GetFont()->GetColor();
  if (Mode == bpmCustom) {
    CustomFace(Canvas, Rect, LookOf(Look, State));
  } else if (Mode != bpmThemed || !ThemedPart(Canvas, ThemeOwner, u"button", BP_PUSHBUTTON, PBS_NORMAL + State, Rect)) {
    RECT fr = Rect;
    DrawFrameControl(Canvas->GetHandle(), &fr, DFC_BUTTON, DFCS_BUTTONPUSH | ClassicFlags(State, Mode));
  }
  if (Caption.empty()) return;
  TRect r{Rect.left, Rect.top + 4, Rect.right, Rect.bottom - 3};
  TTextFormat format{tfCenter, tfVerticalCenter, tfSingleLine};
  if (!Prefix) format.Include(tfNoPrefix);
  Canvas->GetBrush()->SetStyle(bsClear);
  TColor saved = Canvas->GetFont()->GetColor();
  Canvas->GetFont()->SetColor(text);
  Canvas->TextRect(r, Caption, format);
  Canvas->GetFont()->SetColor(saved);
  Canvas->GetBrush()->SetStyle(bsSolid);
}

void PaintSpinButtonPart(TCanvas* Canvas, TWinControl* ThemeOwner, TRect Rect, Single Scale, const TButtonLook& Look,
                         Integer State, Integer Mode) {
  if (!Canvas || IsEmpty(Rect)) return;
  const TRect strip = RightStrip(Rect, Scale, 15);
  if (IsEmpty(strip)) return;
  GridUtilInternal::TClipTo clip(Canvas, strip);
  Integer left = strip.left, mid = GridUtilInternal::Middle(Rect.top, Rect.bottom);
  TRect up{left, Rect.top, Rect.right, mid}, down{left, mid, Rect.right, Rect.bottom};
  Integer themeState = State == 3 ? UPS_DISABLED : UPS_NORMAL;
  if (Mode == bpmThemed && ThemedPart(Canvas, ThemeOwner, u"spin", SPNP_UP, themeState, up) &&
      ThemedPart(Canvas, ThemeOwner, u"spin", SPNP_DOWN, themeState, down))
    return;
  if (Mode == bpmCustom) {
    const TButtonLookColors& c = LookOf(Look, State);
    CustomFace(Canvas, up, c);
    CustomFace(Canvas, down, c);
    Triangle(Canvas, GridUtilInternal::Middle(left, Rect.right), GridUtilInternal::Middle(up.top, up.bottom), true, c.Pen);
    Triangle(Canvas, GridUtilInternal::Middle(left, Rect.right), GridUtilInternal::Middle(down.top, down.bottom), false,
             c.Pen);
    return;
  }
  UINT flags = State == 3 ? DFCS_INACTIVE : 0;
  if (Mode == bpmFlat) flags |= DFCS_FLAT;
  RECT ur = up, dr = down;
  DrawFrameControl(Canvas->GetHandle(), &ur, DFC_SCROLL, DFCS_SCROLLUP | flags);
  DrawFrameControl(Canvas->GetHandle(), &dr, DFC_SCROLL, DFCS_SCROLLDOWN | flags);
}
