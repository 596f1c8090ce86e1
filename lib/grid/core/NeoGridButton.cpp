#include "lib/grid/core/NeoGridButton.h"

#include "lib/base/NeoStyleIF.h"
#include "lib/base/NeoXPVS.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Themes.h"
#include "platform/win/UxTheme.h"

namespace {

constexpr Integer GradientSteps = 16;
constexpr Integer DropDownWidth = 12;
constexpr UINT WM_THEMECHANGED_ = 0x031A;

void SetPenColor(TCanvas* C, TColor Color) {
  C->GetPen()->SetWidth(1);
  if (Color == clNone) {
    C->GetPen()->SetStyle(psClear);
    return;
  }
  C->GetPen()->SetStyle(psSolid);
  C->GetPen()->SetColor(Color);
}

void FillWith(TCanvas* C, const TRect& R, TColor Color) {
  C->GetBrush()->SetStyle(bsSolid);
  C->GetBrush()->SetColor(Color);
  C->FillRect(R);
}

// The colours of one look: Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, the down
// and hot borders.
struct TLook {
  TColor Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, BorderDown, BorderHot;
};
constexpr TLook Looks[7] = {
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE},
    {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31},
    {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080}};

// The text format of DrawText flags for right-to-left reading and alignment.
TTextFormat BiDiFormat(UINT Flags) {
  TTextFormat f;
  if (Flags & DT_RIGHT) f.Include(tfRight);
  if (Flags & DT_RTLREADING) f.Include(tfRtlReading);
  return f;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Unit routines

Integer DetectXPColorScheme() {
  if (!IsWindowsXPOrNewer()) return 0;
  if (!NeoXPVS::IsThemeActive || !NeoXPVS::IsThemeActive() || !NeoXPVS::GetCurrentThemeName) return 0;
  Char file[256] = {}, color[256] = {}, size[256] = {};
  NeoXPVS::GetCurrentThemeName(file, 255, color, 255, size, 255);
  String name(color);
  if (name == u"NormalColor") return 1;
  if (name == u"HomeStead") return 2;
  if (name == u"Metallic") return 3;
  return 0;
}

void PaintGradientBands(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor BorderColor, Integer Steps,
                        TRect Rect, bool Horizontal) {
  if (!Canvas) return;
  if (Steps == 0) Steps = 1;
  COLORREF from = ColorToRGB(FromColor), to = ColorToRGB(ToColor);
  auto part = [](COLORREF c, int Shift) { return static_cast<Integer>((c >> Shift) & 0xFF); };
  double stepR = (part(to, 0) - part(from, 0)) / static_cast<double>(Steps);
  double stepG = (part(to, 8) - part(from, 8)) / static_cast<double>(Steps);
  double stepB = (part(to, 16) - part(from, 16)) / static_cast<double>(Steps);
  Integer extent = Horizontal ? Rect.right - Rect.left : Rect.bottom - Rect.top;
  double band = extent / static_cast<double>(Steps);
  Integer length = Round(band) + 1;
  Canvas->GetBrush()->SetStyle(bsSolid);
  for (Integer i = 0; i < Steps; ++i) {
    Integer r = part(from, 0) + Round(i * stepR), g = part(from, 8) + Round(i * stepG),
            b = part(from, 16) + Round(i * stepB);
    TColor c = (b << 16) + (g << 8) + r;
    SetPenColor(Canvas, c);
    Canvas->GetBrush()->SetColor(c);
    Integer offset = Round(i * band);
    if (Horizontal) Canvas->Rectangle(Rect.left + offset, Rect.top, Rect.left + offset + length, Rect.bottom);
    else Canvas->Rectangle(Rect.left, Rect.top + offset, Rect.right, Rect.top + offset + length);
  }
  if (BorderColor != clNone) {
    SetPenColor(Canvas, BorderColor);
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->Rectangle(Rect);
  }
}

// ---------------------------------------------------------------------------------------------
// Life cycle and properties

TNeoGridButton::TNeoGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()), FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>()) {
  FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
  SetBounds(0, 0, 23, 22);
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  SetParentFont(true);
  SetColor(clBtnFace);
  FIsComCtl6 = ComCtlV6Available();
}

TNeoGridButton::~TNeoGridButton() = default;

void TNeoGridButton::GlyphChanged(TObject*) { Invalidate(); }

void TNeoGridButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  NotifyGroup();
}

void TNeoGridButton::SetAutoThemeAdapt(bool Value) {
  FAutoThemeAdapt = Value;
  if (Value) AdaptToTheme();
}

void TNeoGridButton::SetBorderColor(TColor Value) {
  FBorderColor = Value;
  Invalidate();
}

void TNeoGridButton::SetColorTo(TColor Value) {
  FColorTo = Value;
  Invalidate();
}

void TNeoGridButton::SetColorChecked(TColor Value) {
  FColorChecked = Value;
  Invalidate();
}

void TNeoGridButton::SetColorCheckedTo(TColor Value) {
  FColorCheckedTo = Value;
  Invalidate();
}

void TNeoGridButton::SetGroupIndex(Integer Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  NotifyGroup();
}

void TNeoGridButton::SetDropDownButton(bool Value) {
  FDropDownButton = Value;
  Invalidate();
}

void TNeoGridButton::SetDropDownMenu(TPopupMenu* Value) {
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TNeoGridButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  Invalidate();
}

void TNeoGridButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  if (FGlyphDisabled->GetEmpty() && !FGlyph->GetEmpty()) {
    FGlyphDisabled->Assign(FGlyph.get());
    TCanvas* c = FGlyphDisabled->GetCanvas();
    for (Integer x = 0; x < FGlyphDisabled->GetWidth(); ++x)
      for (Integer y = 0; y < FGlyphDisabled->GetHeight(); ++y) {
        COLORREF rgb = ColorToRGB(c->GetPixels(x, y));
        Integer g = static_cast<Integer>(((rgb >> 16) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF)) / 3);
        g = g / 2 + 96;
        c->SetPixels(x, y, g | (g << 8) | (g << 16));
      }
  }
  Invalidate();
}

void TNeoGridButton::SetLayout(TButtonLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TNeoGridButton::SetMargin(Integer Value) {
  if (FMargin == Value || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TNeoGridButton::SetRounded(bool Value) {
  FRounded = Value;
  Invalidate();
}

void TNeoGridButton::SetShaded(bool Value) {
  FShaded = Value;
  if (Value && !GetComponentState().Contains(csLoading)) BuildShadeGlyph();
}

void TNeoGridButton::SetShowCaption(bool Value) {
  if (FShowCaption == Value) return;
  FShowCaption = Value;
  Invalidate();
}

void TNeoGridButton::SetSpacing(Integer Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  Invalidate();
}

void TNeoGridButton::SetStyle(TNeoGridButtonStyle Value) {
  FStyle = Value;
  Invalidate();
}

void TNeoGridButton::SetLook(Integer Value) {
  if (Value < 0 || Value > 6) return;
  const TLook& l = Looks[Value];
  SetColor(l.Color);
  FColorTo = l.ColorTo;
  FColorHot = l.Hot;
  FColorHotTo = l.HotTo;
  FColorDown = l.Down;
  FColorDownTo = l.DownTo;
  FColorChecked = l.Checked;
  FColorCheckedTo = l.CheckedTo;
  FBorderDownColor = l.BorderDown;
  FBorderHotColor = l.BorderHot;
  FBorderColor = clNone;
  FFlat = true;
  FRounded = Value == 0;
  FLook = Value;
  Invalidate();
}

void TNeoGridButton::AdaptToTheme() {
  static constexpr Integer lookOfScheme[4] = {1, 2, 3, 4};
  SetLook(lookOfScheme[DetectXPColorScheme()]);
}

void TNeoGridButton::BuildShadeGlyph() {
  if (FGlyph->GetEmpty()) return;
  Integer w = FGlyph->GetWidth(), h = FGlyph->GetHeight();
  TRect r{0, 0, w, h};
  FGlyphShade->SetSize(w, h);
  TCanvas* shade = FGlyphShade->GetCanvas();
  shade->GetBrush()->SetStyle(bsSolid);
  shade->GetBrush()->SetColor(clBlack);
  shade->BrushCopy(r, FGlyph.get(), r, FGlyph->GetCanvas()->GetPixels(0, h - 1));
  BitBlt(shade->GetHandle(), 0, 0, w, h, FGlyph->GetCanvas()->GetHandle(), 0, 0, SRCINVERT);
  TBitmap temp;
  temp.SetSize(w, h);
  TCanvas* t = temp.GetCanvas();
  t->GetBrush()->SetStyle(bsSolid);
  t->GetBrush()->SetColor(0x808080);
  t->BrushCopy(r, FGlyphShade.get(), r, clBlack);
  BitBlt(shade->GetHandle(), 0, 0, w, h, t->GetHandle(), 0, 0, SRCCOPY);
}

void TNeoGridButton::Loaded() {
  TGraphicControl::Loaded();
  if (FShaded) BuildShadeGlyph();
  if (FAutoThemeAdapt) AdaptToTheme();
}

void TNeoGridButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

TControlActionLink* TNeoGridButton::CreateActionLink() { return new TNeoGridButtonActionLink(); }

// ---------------------------------------------------------------------------------------------
// Down state and groups

void TNeoGridButton::SetDown(bool Value) {
  if (FStyle == tasButton && FGroupIndex == 0) Value = false;
  if (FStyle == tasCheck) {
    FDown = Value;
    Repaint();
    return;
  }
  if (Value == FDown || (FDown && !FAllowAllUp)) return;
  FDown = Value;
  if (Value) {
    if (FState == bsUp) Invalidate();
    FState = bsExclusive;
    NotifyGroup();
  } else {
    FState = bsUp;
    Repaint();
  }
}

void TNeoGridButton::NotifyGroup() {
  if (FGroupIndex == 0 || !FParent) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  FParent->Broadcast(m);
}

void TNeoGridButton::CMButtonPressed(TMessage& Message) {
  if (Message.WParam != static_cast<WPARAM>(FGroupIndex)) return;
  auto* sender = dynamic_cast<TNeoGridButton*>(reinterpret_cast<TControl*>(Message.LParam));
  if (!sender || sender == this) return;
  if (sender->FDown && FDown) {
    FDown = false;
    FState = bsUp;
    if (auto* action = dynamic_cast<TCustomAction*>(GetAction())) action->SetChecked(false);
    Invalidate();
  }
  FAllowAllUp = sender->FAllowAllUp;
}

// ---------------------------------------------------------------------------------------------
// Mouse, keys and messages

void TNeoGridButton::Click() { TGraphicControl::Click(); }

void TNeoGridButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled()) return;
  if (FDropDownButton && X > GetClientWidth() - DropDownWidth) {
    FState = bsUp;
    if (OnDropDown) OnDropDown(this);
    if (FDropDownMenu) {
      TPoint p{FLeft, FTop + FHeight};
      if (FParent) p = FParent->ClientToScreen(p);
      FDropDownMenu->Popup(p.x, p.y);
    }
    return;
  }
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  if (FStyle == tasCheck) {
    FState = bsDown;
    Repaint();
  }
  FDragging = true;
}

void TNeoGridButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FDragging) {
    TButtonState state = FDown ? bsExclusive : bsUp;
    if (Inside(X, Y)) state = FDown ? bsExclusive : bsDown;
    if (FStyle == tasCheck && FDown) state = bsDown;
    if (state != FState) {
      FState = state;
      Invalidate();
    }
  } else if (!Hovering()) {
    RefreshHover();
  }
}

void TNeoGridButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  bool inside = Inside(X, Y);
  if (FGroupIndex == 0) {
    FState = bsUp;
    if (FStyle == tasCheck) {
      SetDown(!FDown);
      FState = bsUp;
    }
    if (inside) Invalidate();
  } else if (inside) {
    SetDown(!FDown);
    if (FDown) Repaint();
  } else {
    if (FDown) FState = bsExclusive;
    Repaint();
  }
  if (inside) Click();
  RefreshHover();
}

void TNeoGridButton::RefreshHover() {
  if (!FFlat || !GetEnabled()) return;
  POINT p{};
  GetCursorPos(&p);
  bool under = FindDragTarget(TPoint{p.x, p.y}, true) == this;
  // Set to the opposite on purpose: the enter or leave handling below flips it and repaints.
  FMouseInControl = !under;
  Perform(under ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

void TNeoGridButton::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);   // fires OnMouseEnter
  if (!Hovering() && GetEnabled() && GetCapture() == nullptr) {
    FMouseInControl = true;
    Repaint();
  }
}

void TNeoGridButton::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);   // fires OnMouseLeave
  if (Hovering() && !FDragging) {
    FMouseInControl = false;
    Invalidate();
  }
}

void TNeoGridButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), GetCaption()) && GetEnabled() && GetVisible() && FParent &&
      FParent->GetShowing()) {
    Click();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TNeoGridButton::WndProc(TMessage& Message) {
  if ((Message.Msg == WM_THEMECHANGED_ || Message.Msg == CM_SYSFONTCHANGED) && FAutoThemeAdapt) AdaptToTheme();
  TGraphicControl::WndProc(Message);
}

void TNeoGridButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
      inherited::Dispatch(Message);
      if (FDown) DblClick();
      return;
    case CM_ENABLEDCHANGED:
      inherited::Dispatch(Message);
      RefreshHover();
      Repaint();
      return;
    case CM_BUTTONPRESSED: CMButtonPressed(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE:
      inherited::Dispatch(Message);
      Invalidate();
      return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    default: inherited::Dispatch(Message); return;
  }
}

// ---------------------------------------------------------------------------------------------
// Painting

void TNeoGridButton::Paint() {
  TCanvas* c = GetCanvas();
  TRect r{0, 0, FWidth, FHeight};
  if (!GetEnabled()) {
    FState = bsDisabled;
    FDragging = false;
  } else if (FState == bsDisabled) {
    FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
  }
  if (FStyle == tasCheck && FDown) FState = bsDown;
  c->SetFont(GetFont());
  bool emboss = true;
  if (FFlat) PaintFlatFace(r);
  else PaintStyledFace(r, emboss);

  Integer d = 0;
  if (PressedOrHeld()) {
    if (FState == bsExclusive && (!FFlat || !FMouseInControl)) PaintHeldFace(r);
    if (!FFlat && !Designing()) d = 1;
  } else if (FFlat && FMouseInControl && GetEnabled() && FShaded && !Designing()) {
    d = -1;
  }
  if (FDropDownButton) PaintDropDownArrow(r);
  UINT bidi = UseRightToLeftAlignment() ? DT_RIGHT | DT_RTLREADING : 0;
  PaintContent(r, FDown && FGroupIndex != 0 ? bsDown : FState, bidi, emboss, d);
}

void TNeoGridButton::PaintFlatFace(TRect& R) {
  TCanvas* c = GetCanvas();
  if (FBorderDownColor == clNone || FRounded) InflateRect(&R, -1, -1);
  if (Hovering()) {
    bool down = FState == bsDown;
    TColor brush = down ? FColorDown : FColorHot, end = down ? FColorDownTo : FColorHotTo;
    TColor border = down ? FBorderDownColor : FBorderHotColor;
    TColor pen = FRounded ? clNone : border;
    if (end != clNone) {
      PaintGradientBands(c, brush, end, pen, GradientSteps, R, false);
    } else {
      SetPenColor(c, pen == clNone ? brush : pen);
      c->GetBrush()->SetStyle(bsSolid);
      c->GetBrush()->SetColor(brush);
      c->Rectangle(R);
    }
    if (FRounded) {
      InflateRect(&R, 1, 1);
      SetPenColor(c, border);
      c->GetBrush()->SetStyle(bsClear);
      c->RoundRect(R, 8, 8);
    }
    if (FDropDownButton) {
      SetPenColor(c, border);
      c->MoveTo(R.right - DropDownWidth, R.top);
      c->LineTo(R.right - DropDownWidth, R.bottom);
    }
  } else {
    if (FStyle == tasCheck && FDown) {
      if (FColorCheckedTo != clNone) {
        PaintGradientBands(c, FColorChecked, FColorCheckedTo, FBorderDownColor, GradientSteps, R, false);
      } else {
        SetPenColor(c, FBorderDownColor == clNone ? FColorChecked : FBorderDownColor);
        c->GetBrush()->SetStyle(bsSolid);
        c->GetBrush()->SetColor(FColorChecked);
        c->Rectangle(R);
      }
    } else if (FColorTo != clNone) {
      TColor pen = FRounded ? clNone : FDown ? FBorderDownColor : FBorderColor;
      PaintGradientBands(c, GetColor(), FColorTo, pen, GradientSteps, R, false);
    } else {
      FillWith(c, R, static_cast<TColor>(ColorToRGB(GetColor())));
    }
    if (FBorderColor != clNone) {
      if (FRounded) InflateRect(&R, 1, 1);
      SetPenColor(c, FBorderColor);
      c->GetBrush()->SetStyle(bsClear);
      if (FRounded) c->RoundRect(R, 8, 8);
      else c->Rectangle(R);
    }
  }
  InflateRect(&R, -1, -1);
}

void TNeoGridButton::PaintStyledFace(TRect& R, bool& Emboss) {
  TCanvas* c = GetCanvas();
  TCustomStyleServices* style = StyleServices();
  if (IsCustomVclStyleActive(style, Designing())) {
    HDC dc = c->GetHandle();
    int saved = SaveDC(dc);
    TThemedButton element = !GetEnabled()     ? tbPushButtonDisabled
                            : PressedOrHeld() ? tbPushButtonPressed
                            : FMouseInControl ? tbPushButtonHot
                                              : tbPushButtonNormal;
    TThemedElementDetails details = style->GetElementDetails(element);
    style->DrawElement(dc, details, R);
    TColor text = clNone;
    if (style->GetElementColor(details, ecTextColor, text) && text != clNone) c->GetFont()->SetColor(text);
    Emboss = false;
    RestoreDC(dc, saved);
    c->Refresh();
    return;
  }
  if (IsWindowsXPOrNewer() && FAutoXPStyle && FIsComCtl6 && NeoXPVS::IsThemeActive && NeoXPVS::IsThemeActive()) {
    HTHEME theme = NeoXPVS::OpenThemeData(FParent ? FParent->GetHandle() : nullptr, u"button");
    if (theme) {
      Integer state = PressedOrHeld() ? PBS_PRESSED : FMouseInControl ? PBS_HOT : PBS_NORMAL;
      RECT r = R;
      NeoXPVS::DrawThemeBackground(theme, c->GetHandle(), BP_PUSHBUTTON, state, &r, nullptr);
      NeoXPVS::CloseThemeData(theme);
    }
    return;
  }
  RECT r = R;
  DrawFrameControl(c->GetHandle(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (PressedOrHeld() ? DFCS_PUSHED : 0));
  R = r;
}

void TNeoGridButton::PaintHeldFace(TRect& R) {
  TCanvas* c = GetCanvas();
  TColor pen = FDown ? FBorderDownColor : FBorderColor;
  InflateRect(&R, 1, 1);
  if (FColorCheckedTo != clNone) PaintGradientBands(c, FColorChecked, FColorCheckedTo, pen, GradientSteps, R, false);
  else FillWith(c, R, FColorChecked);
}

void TNeoGridButton::PaintDropDownArrow(TRect& R) {
  TCanvas* c = GetCanvas();
  Integer mid = R.top + (R.bottom - R.top) / 2;
  TColor color = c->GetFont()->GetColor();
  c->GetBrush()->SetStyle(bsSolid);
  c->GetBrush()->SetColor(color);
  SetPenColor(c, color);
  c->Polygon({TPoint{R.right - 8, mid - 1}, TPoint{R.right - 4, mid - 1}, TPoint{R.right - 6, mid + 1}});
  R.right -= DropDownWidth;
}

void TNeoGridButton::LayoutContent(const TRect& Client, UINT BiDiFlags, Integer Offset, TPoint& GlyphPos,
                                   TRect& TextBounds) {
  TButtonLayout layout = FLayout;
  if (BiDiFlags & DT_RIGHT) {
    if (layout == blGlyphLeft) layout = blGlyphRight;
    else if (layout == blGlyphRight) layout = blGlyphLeft;
  }
  bool across = layout == blGlyphLeft || layout == blGlyphRight;
  Integer w = Client.right - Client.left, h = Client.bottom - Client.top;
  Integer gw = FGlyph->GetEmpty() ? 0 : FGlyph->GetWidth(), gh = FGlyph->GetEmpty() ? 0 : FGlyph->GetHeight();
  Integer tw = 0, th = 0;
  String caption = GetCaption();
  if (!caption.empty()) {
    TRect measure{0, 0, w, 0};
    TTextFormat f = BiDiFormat(BiDiFlags);
    f.Include(tfCalcRect);
    GetCanvas()->TextRect(measure, caption, f);
    tw = measure.right - measure.left;
    th = measure.bottom - measure.top;
  }
  Integer gx = 0, gy = 0, tx = 0, ty = 0;
  if (across) {
    gy = (h - gh + 1) / 2;
    ty = (h - th + 1) / 2;
  } else {
    gx = (w - gw + 1) / 2;
    tx = (w - tw + 1) / 2;
  }
  Integer spacing = FSpacing, margin = FMargin;
  if (tw == 0 || gw == 0) spacing = 0;
  Integer room = across ? w : h, glyph = across ? gw : gh, text = across ? tw : th;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (room - (glyph + text)) / 3;
      spacing = margin;
    } else {
      margin = (room - (glyph + spacing + text) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (room - (margin + glyph) - text) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      gx = margin;
      tx = gx + gw + spacing;
      break;
    case blGlyphRight:
      gx = w - margin - gw;
      tx = gx - spacing - tw;
      break;
    case blGlyphTop:
      gy = margin;
      ty = gy + gh + spacing;
      break;
    case blGlyphBottom:
      gy = h - margin - gh;
      ty = gy - spacing - th;
      break;
  }
  Integer dx = Client.left + Offset, dy = Client.top + Offset;
  GlyphPos = TPoint{gx + dx, gy + dy};
  TextBounds = TRect{tx + dx, ty + dy, tx + dx + tw, ty + dy + th};
}

void TNeoGridButton::PaintContent(const TRect& R, TButtonState State, UINT BiDiFlags, bool Emboss, Integer Offset) {
  TPoint glyphPos;
  TRect textBounds;
  LayoutContent(R, BiDiFlags, Offset, glyphPos, textBounds);
  if (GetCaption().empty())
    glyphPos = TPoint{(R.right - R.left - FGlyph->GetWidth()) / 2, (R.bottom - R.top - FGlyph->GetHeight()) / 2};
  PaintGlyph(glyphPos);
  bool pressed = State == bsDown || State == bsExclusive;
  if (!pressed && FMouseInControl && FShaded && GetEnabled() && FFlat && !Designing()) OffsetRect(&textBounds, 1, 1);
  if (FShowCaption) PaintCaption(textBounds, State, BiDiFlags, Emboss);
}

void TNeoGridButton::PaintGlyph(TPoint Pos) {
  TBitmap* glyph = FGlyph.get();
  if (PressedOrHeld()) {
    if (!FGlyphDown->GetEmpty()) glyph = FGlyphDown.get();
  } else if (FMouseInControl && !FGlyphHot->GetEmpty() && !Designing()) {
    glyph = FGlyphHot.get();
  }
  if (!GetEnabled()) glyph = FGlyphDisabled->GetEmpty() ? FGlyph.get() : FGlyphDisabled.get();
  if (glyph->GetEmpty()) return;
  TCanvas* c = GetCanvas();
  if (FMouseInControl && FShaded && GetEnabled() && FState != bsDown && !FGlyphShade->GetEmpty()) {
    Integer shift = GetCaption().empty() ? 0 : 2;
    FGlyphShade->SetTransparentMode(tmAuto);
    FGlyphShade->SetTransparent(true);
    c->Draw(Pos.x + shift, Pos.y + shift, FGlyphShade.get());
  }
  glyph->SetTransparentMode(tmAuto);
  glyph->SetTransparent(true);
  c->Draw(Pos.x, Pos.y, glyph);
}

void TNeoGridButton::PaintCaption(TRect TextBounds, TButtonState State, UINT BiDiFlags, bool Emboss) {
  TCanvas* c = GetCanvas();
  String caption = GetCaption();
  c->GetBrush()->SetStyle(bsClear);
  TTextFormat f = BiDiFormat(BiDiFlags);
  f.Include(tfCenter);
  f.Include(tfVerticalCenter);
  if (State == bsDisabled && Emboss) {
    TRect shifted = TextBounds;
    OffsetRect(&shifted, 1, 1);
    c->GetFont()->SetColor(clBtnHighlight);
    c->TextRect(shifted, caption, f);
    c->GetFont()->SetColor(clBtnShadow);
  }
  c->TextRect(TextBounds, caption, f);
}

// ---------------------------------------------------------------------------------------------
// Action link

void TNeoGridButtonActionLink::AssignClient(TObject* AClient) {
  TControlActionLink::AssignClient(AClient);
  FClient = dynamic_cast<TNeoGridButton*>(AClient);
  if (!FClient) throw EInvalidCast(u"Invalid class typecast");
}

bool TNeoGridButtonActionLink::IsCaptionLinked() {
  auto* action = dynamic_cast<TCustomAction*>(FAction);
  return TActionLink::IsCaptionLinked() && FClient->GetCaption() == action->GetCaption();
}

bool TNeoGridButtonActionLink::IsCheckedLinked() {
  auto* action = dynamic_cast<TCustomAction*>(FAction);
  return TActionLink::IsCheckedLinked() && FClient->GetGroupIndex() != 0 && FClient->GetAllowAllUp() &&
         action->GetChecked() == FClient->GetDown();
}

bool TNeoGridButtonActionLink::IsGroupIndexLinked() {
  auto* action = dynamic_cast<TCustomAction*>(FAction);
  return FClient && action && action->GetGroupIndex() == FClient->GetGroupIndex();
}

void TNeoGridButtonActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}

void TNeoGridButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FClient->SetDown(Value);
}

void TNeoGridButtonActionLink::SetGroupIndex(Integer Value) {
  if (IsGroupIndexLinked()) FClient->SetGroupIndex(Value);
}
