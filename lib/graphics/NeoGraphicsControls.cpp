// The facade's control drawings: check box, radio button, push button, the glyph buttons (close,
// expander, compact, dropdown), the progress bar and the sample. Each sets the fill, stroke and
// font it needs and leaves them so; the markup engine's CONTROL elements are drawn with them.
//
// Glyphs: without AAdaptToStyle a button shows a picture of the program's resources (PNG with
// alpha); with it the glyph is generated in DefaultGlyphColor on a bitmap whose white is its
// transparent colour.
#include <cmath>
#include <memory>

#include "lib/graphics/NeoGraphics.h"
#include "lib/graphics/NeoTypes.h"

namespace {

constexpr TColor ButtonStrokeColor = 0xA9A9A9;
constexpr TColor ButtonFillColor = 0xE1E1E1;
constexpr TColor ButtonFocusedStrokeColor = 0xB17F3C;
constexpr TColor ButtonFocusedFillColor = 0xFBF1E5;
constexpr TColor ButtonDisabledStrokeColor = 0xA9A9A9;
constexpr TColor ButtonDisabledFillColor = 0xD3D3D3;
constexpr TColor CheckFocusedColor = 0xB48246;
constexpr TColor CheckDisabledColor = 0xA9A9A9;
constexpr TColor ControlFaceColor = 0xD3D3D3;
constexpr TColor ProgressFrameColor = 0xA9A9A9;

struct TGlyphLine {
  TPointF From;
  TPointF To;
};

// One glyph: its resource name, the size and line width of the generated picture and its lines.
struct TGlyph {
  const Char* ResourceName;
  Integer Size;
  Single LineWidth;
  Integer LineCount;
  TGlyphLine Lines[5];
};

enum TGlyphIndex { giClose, giDown, giUp, giRight, giLeft, giExpand };

const TGlyph Glyphs[] = {
    {u"NeoGRAPHICSCLOSE", 16, 2, 2, {{{3, 3}, {12, 12}}, {{3, 12}, {12, 3}}}},
    {u"NeoGRAPHICSDOWN", 16, 2, 2, {{{5, 6}, {8, 9}}, {{8, 9}, {11, 6}}}},
    {u"NeoGRAPHICSUP", 16, 2, 2, {{{5, 9}, {8, 6}}, {{8, 6}, {11, 9}}}},
    {u"NeoGRAPHICSRIGHT", 16, 2, 2, {{{6, 5}, {9, 8}}, {{9, 8}, {6, 11}}}},
    {u"NeoGRAPHICSLEFT", 16, 2, 2, {{{9, 5}, {6, 8}}, {{6, 8}, {9, 11}}}},
    {u"NeoGRAPHICSEXPAND", 7, 1, 5,
     {{{0, 1}, {6, 1}}, {{0, 2}, {6, 2}}, {{1, 3}, {5, 3}}, {{2, 4}, {4, 4}}, {{3, 5}, {3, 5}}}},
};

// The generated glyph: white ground (the bitmap's transparent colour), lines in the default glyph
// colour, drawn through a facade on the bitmap's canvas.
std::unique_ptr<TNeoBitmap> GenerateGlyph(const TGlyph& AGlyph) {
  auto picture = std::make_unique<TNeoBitmap>();
  TBitmap* bitmap = picture->GetBitmap();
  bitmap->SetSize(AGlyph.Size, AGlyph.Size);
  bitmap->SetTransparentMode(tmFixed);
  bitmap->SetTransparentColor(0xFFFFFF);
  bitmap->SetTransparent(true);
  TNeoGraphics g(bitmap->GetCanvas());
  g.BeginScene();
  g.SetFillKind(gfkSolid);
  g.SetFillColor(0xFFFFFF);
  g.SetStrokeKind(gskSolid);
  g.SetStrokeColor(0xFFFFFF);
  g.DrawRectangle(0, 0, AGlyph.Size, AGlyph.Size, gcrmShrinkAll);
  g.SetStrokeColor(TNeoGraphics::DefaultGlyphColor);
  g.SetStrokeWidth(AGlyph.LineWidth);
  for (Integer i = 0; i < AGlyph.LineCount; ++i) g.DrawLine(AGlyph.Lines[i].From, AGlyph.Lines[i].To);
  g.EndScene();
  return picture;
}

TRectF Shrunk(const TRectF& ARect, Single AD) { return RectFInflate(ARect, -AD, -AD); }

}  // namespace

// ---- Class variables ----

void TNeoGraphics::SetDefaultGraphicColors() {
  DefaultGlyphColor = 0;
  DefaultButtonStrokeColor = ButtonStrokeColor;
  DefaultButtonFillColor = ButtonFillColor;
  DefaultButtonFocusedStrokeColor = ButtonFocusedStrokeColor;
  DefaultButtonFocusedFillColor = ButtonFocusedFillColor;
  DefaultButtonDisabledStrokeColor = ButtonDisabledStrokeColor;
  DefaultButtonDisabledFillColor = ButtonDisabledFillColor;
}

// ---- Check box and radio button ----

template <class F>
TRectF TNeoGraphics::DrawCheckFrame(const TRectF& ARect, bool AFocused, bool AEnabled, F&& AOuter) {
  TRectF r = Shrunk(ARect, 1);
  const TColor lineColor = AEnabled ? (AFocused ? CheckFocusedColor : TColor(0)) : CheckDisabledColor;
  SetFillKind(gfkSolid);
  SetFillColor(AEnabled ? LightenColor(ControlFaceColor, 85) : ControlFaceColor);
  SetStrokeKind(gskSolid);
  SetStrokeWidth(1);
  SetStrokeColor(lineColor);
  AOuter(r);
  const Single dx = RectFWidth(r) / 5;
  const Single dy = RectFHeight(r) / 5;
  r = {r.Left + dx, r.Top + dy, r.Right - dx, r.Bottom - dy};
  SetStrokeWidth(2);
  SetStrokeColor(lineColor);
  return r;
}

void TNeoGraphics::DrawCheckBox(const TRectF& ARect, bool AChecked, bool AFocused, bool AEnabled) {
  const TRectF r = DrawCheckFrame(ARect, AFocused, AEnabled,
                                  [this](const TRectF& AOuter) { DrawRectangle(AOuter, gcrmShrinkAll); });
  if (!AChecked) return;
  DrawLine(TPointF{r.Left, r.Top}, TPointF{r.Right - 1, r.Bottom - 1});
  DrawLine(TPointF{r.Right - 1, r.Top}, TPointF{r.Left, r.Bottom - 1});
}

void TNeoGraphics::DrawRadioButton(const TRectF& ARect, bool AChecked, bool AFocused, bool AEnabled) {
  const TRectF r = DrawCheckFrame(ARect, AFocused, AEnabled,
                                  [this](const TRectF& AOuter) { DrawEllipse(AOuter); });
  SetFillColor(FStroke->GetColor());
  if (AChecked) DrawEllipse(r);
}

// ---- Buttons ----

void TNeoGraphics::DrawButton(const TRectF& ARect, bool ADown, bool AFocused, bool AEnabled, bool AAdaptToStyle) {
  SetStrokeKind(gskSolid);
  SetStrokeWidth(1);
  SetFillKind(gfkSolid);
  TColor stroke, fill;
  if (!AEnabled) {
    stroke = AAdaptToStyle ? DefaultButtonDisabledStrokeColor : ButtonDisabledStrokeColor;
    fill = AAdaptToStyle ? DefaultButtonDisabledFillColor : ButtonDisabledFillColor;
  } else if (AFocused) {
    stroke = AAdaptToStyle ? DefaultButtonFocusedStrokeColor : ButtonFocusedStrokeColor;
    fill = AAdaptToStyle ? DefaultButtonFocusedFillColor : ButtonFocusedFillColor;
  } else {
    stroke = AAdaptToStyle ? DefaultButtonStrokeColor : ButtonStrokeColor;
    fill = AAdaptToStyle ? DefaultButtonFillColor : ButtonFillColor;
  }
  SetStrokeColor(stroke);
  SetFillColor(fill);
  DrawRectangle(ARect, gcrmShrinkAll);
  // The face inside the frame; a pressed button shows it in the lightened frame colour.
  SetStrokeKind(gskNone);
  if (ADown) {
    SetStrokeColor(LightenColor(stroke, 40));
    SetFillColor(FStroke->GetColor());
  } else {
    SetStrokeColor(fill);
  }
  DrawRectangle(Shrunk(ARect, 1), gcrmShrinkAll);
}

void TNeoGraphics::DrawGlyphButton(const TRectF& ARect, Integer AGlyph, bool ADown, bool AFocused, bool AEnabled,
                                   bool ACenter, bool AAdaptToStyle) {
  DrawButton(ARect, ADown, AFocused, AEnabled, AAdaptToStyle);
  const TGlyph& glyph = Glyphs[AGlyph];
  const std::unique_ptr<TNeoBitmap> picture =
      AAdaptToStyle ? GenerateGlyph(glyph) : BitmapFromResource(glyph.ResourceName);
  TRectF target = ARect;
  if (AGlyph == giExpand) {
    const Single glyphWidth = static_cast<Single>(picture->GetWidth());
    if (!ACenter && !(ARect.Left >= ARect.Right - glyphWidth - 10))
      target = {ARect.Right - glyphWidth - 10, ARect.Top, ARect.Right, ARect.Bottom};
  }
  DrawBitmap(target, picture.get(), true, false, true, false);
}

void TNeoGraphics::DrawCloseButton(const TRectF& ARect, bool ADown, bool AFocused, bool AEnabled,
                                   bool AAdaptToStyle) {
  DrawGlyphButton(ARect, giClose, ADown, AFocused, AEnabled, false, AAdaptToStyle);
}

void TNeoGraphics::DrawExpanderButton(const TRectF& ARect, TNeoGraphicsExpanderState AState, bool ADown,
                                      bool AFocused, bool AEnabled, bool AAdaptToStyle) {
  DrawGlyphButton(ARect, AState == gesCollapsed ? giDown : giUp, ADown, AFocused, AEnabled, false, AAdaptToStyle);
}

void TNeoGraphics::DrawCompactButton(const TRectF& ARect, TNeoGraphicsCompactState AState, bool ADown,
                                     bool AFocused, bool AEnabled, bool AAdaptToStyle) {
  DrawGlyphButton(ARect, AState == gcsCollapsed ? giRight : giLeft, ADown, AFocused, AEnabled, false,
                  AAdaptToStyle);
}

void TNeoGraphics::DrawDropDownButton(const TRectF& ARect, bool ADown, bool AFocused, bool AEnabled, bool ACenter,
                                      bool AAdaptToStyle) {
  DrawGlyphButton(ARect, giExpand, ADown, AFocused, AEnabled, ACenter, AAdaptToStyle);
}

// ---- Progress bar ----

void TNeoGraphics::DrawProgressBar(const TRectF& ARect, Single AValue, const String& AFormat, Single AMax,
                                   TColor AColor, TColor ATextColor, bool AShowText, bool AEnabled) {
  SetFillKind(gfkSolid);
  SetFillColor(AEnabled ? LightenColor(ControlFaceColor, 75) : ControlFaceColor);
  SetStrokeKind(gskSolid);
  SetStrokeColor(ProgressFrameColor);
  DrawRectangle(ARect, gcrmShrinkAll);
  Single v = AValue;
  if (v >= AMax) v = AMax;
  if (v < 0) v = 0;
  // Without a maximum there is no share to show, neither as a bar nor as a percentage.
  if (!(AMax > 0)) return;
  SetFillColor(AColor);
  SetStrokeColor(AColor);
  // An empty bar is not drawn: its outline would cover the frame's left side.
  if (v > 0) {
    TRectF r = Shrunk(ARect, 1);
    r.Right = r.Left + (r.Right - ARect.Left) * v / AMax;
    DrawRectangle(r, gcrmShrinkAll);
  }
  if (!AShowText) return;
  SetFontColor(ATextColor);
  DrawText(ARect, Format(AFormat, {static_cast<Double>(v / AMax * 100)}), false, gtaCenter, gtaCenter);
}

// ---- Integer rectangles ----

void TNeoGraphics::DrawCheckBox(const TRect& ARect, bool AChecked, bool AFocused, bool AEnabled) {
  DrawCheckBox(RectToRectF(ARect), AChecked, AFocused, AEnabled);
}

void TNeoGraphics::DrawButton(const TRect& ARect, bool ADown, bool AFocused, bool AEnabled, bool AAdaptToStyle) {
  DrawButton(RectToRectF(ARect), ADown, AFocused, AEnabled, AAdaptToStyle);
}

void TNeoGraphics::DrawCloseButton(const TRect& ARect, bool ADown, bool AFocused, bool AEnabled, bool AAdaptToStyle) {
  DrawCloseButton(RectToRectF(ARect), ADown, AFocused, AEnabled, AAdaptToStyle);
}

void TNeoGraphics::DrawExpanderButton(const TRect& ARect, TNeoGraphicsExpanderState AState, bool ADown, bool AFocused,
                                      bool AEnabled, bool AAdaptToStyle) {
  DrawExpanderButton(RectToRectF(ARect), AState, ADown, AFocused, AEnabled, AAdaptToStyle);
}

void TNeoGraphics::DrawCompactButton(const TRect& ARect, TNeoGraphicsCompactState AState, bool ADown, bool AFocused,
                                     bool AEnabled, bool AAdaptToStyle) {
  DrawCompactButton(RectToRectF(ARect), AState, ADown, AFocused, AEnabled, AAdaptToStyle);
}

void TNeoGraphics::DrawDropDownButton(const TRect& ARect, bool ADown, bool AFocused, bool AEnabled, bool ACenter,
                                      bool AAdaptToStyle) {
  DrawDropDownButton(RectToRectF(ARect), ADown, AFocused, AEnabled, ACenter, AAdaptToStyle);
}

void TNeoGraphics::DrawRadioButton(const TRect& ARect, bool AChecked, bool AFocused, bool AEnabled) {
  DrawRadioButton(RectToRectF(ARect), AChecked, AFocused, AEnabled);
}

void TNeoGraphics::DrawProgressBar(const TRect& ARect, Single AValue, const String& AFormat, Single AMax,
                                   TColor AColor, TColor ATextColor, bool AShowText, bool AEnabled) {
  DrawProgressBar(RectToRectF(ARect), AValue, AFormat, AMax, AColor, ATextColor, AShowText, AEnabled);
}

// ---- Sample ----

void TNeoGraphics::DrawSample(TCanvas* ACanvas, const TRectF& ARect) {
  if (!ACanvas) return;
  TNeoGraphics g(ACanvas);
  g.BeginScene();
  g.SetFontName(u"Courier New");
  g.SetFontSize(20);
  g.SetFontColor(0xFFFFFF);
  TNeoGraphicsFill* fill = g.GetFill();
  fill->BeginUpdate();
  fill->SetKind(gfkGradient);
  fill->SetColor(0x008CFF);
  fill->SetColorTo(0xB48246);
  fill->EndUpdate();
  g.SetStrokeColor(0x8B0000);
  g.DrawRectangle(ARect, gcrmShrinkAll);
  g.DrawText(ARect, u"Sample");
  g.EndScene();
}
