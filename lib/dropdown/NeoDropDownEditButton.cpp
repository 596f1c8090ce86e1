#include "lib/dropdown/NeoDropDownEditButton.h"

#include "lib/base/ATXPVS.h"
#include "lib/base/NeoStyleIF.h"
#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "platform/rtl/Math.h"

// ---------------------------------------------------------------------------------------------
// TNeoDropDownSpeedButton

TNeoDropDownSpeedButton::TNeoDropDownSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {
  FIsWinXP = ComCtlV6Available();
}

void TNeoDropDownSpeedButton::SetButtonStyle(TButtonStyle Value) {
  FButtonStyle = Value;
  Invalidate();
}

void TNeoDropDownSpeedButton::SetEtched(bool Value) {
  if (FEtched == Value) return;
  FEtched = Value;
  Invalidate();
}

void TNeoDropDownSpeedButton::SetFocused(bool Value) {
  if (FFocused == Value) return;
  FFocused = Value;
  Invalidate();
}

void TNeoDropDownSpeedButton::Dispatch(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
    FHot = Message.Msg == CM_MOUSEENTER;
    Invalidate();
  }
}

bool TNeoDropDownSpeedButton::Pressed() const {
  return (GetState() == bsDown || GetState() == bsExclusive) && !FUp;
}

void TNeoDropDownSpeedButton::Paint() {
  if (FButtonStyle == bsDropDown) PaintDropDownButton();
  else PaintPushButton();
}

TDropDownEditButton* TNeoDropDownSpeedButton::Holder() const { return dynamic_cast<TDropDownEditButton*>(GetParent()); }

TNeoCustomDropDown* TNeoDropDownSpeedButton::Edit() const {
  TDropDownEditButton* holder = Holder();
  return holder ? dynamic_cast<TNeoCustomDropDown*>(holder->GetOwner()) : nullptr;
}

bool TNeoDropDownSpeedButton::DoVisualStyles() const {
  return FIsWinXP && ATXPVS::IsThemeActive && ATXPVS::IsThemeActive() && ATXPVS::OpenThemeData &&
         ATXPVS::DrawThemeBackground && ATXPVS::CloseThemeData;
}

HTHEME TNeoDropDownSpeedButton::OpenTheme(const Char* ClassName) const {
  TWinControl* parent = GetParent();
  if (!parent || !parent->HandleAllocated()) return nullptr;
  return ATXPVS::OpenThemeData(parent->GetHandle(), ClassName);
}

void TNeoDropDownSpeedButton::PaintDropDownButton() {
  TDropDownEditButton* holder = Holder();
  if (holder && holder->GetButtonColor() != clNone) {
    PaintColoredDropDownButton(holder);
    return;
  }
  TCanvas* canvas = GetCanvas();
  const TRect client = GetClientRect();
  const Integer w = GetWidth(), h = GetHeight();
  TBitmap* glyph = GetGlyph();
  if (glyph && !glyph->GetEmpty()) {
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->GetPen()->SetColor(static_cast<TColor>(0x808080));
    canvas->Rectangle(client);
    glyph->SetTransparent(true);
    const Integer x = glyph->GetWidth() < w ? (w - glyph->GetWidth()) / 2 : 0;
    const Integer y = glyph->GetHeight() < h ? (h - glyph->GetHeight()) / 2 : 0;
    canvas->Draw(x, y, glyph);
    return;
  }
  TNeoCustomDropDown* edit = Edit();
  const bool enabled = (!holder || holder->GetEnabled()) && (!edit || (edit->GetEnabled() && !edit->GetReadOnly()));
  const bool dropped = edit && edit->GetDroppedDown();
  if (DoVisualStyles() && holder && holder->HandleAllocated()) {
    TRect r = client;
    if (HasLocaleInfoEx()) {
      r.left += 1;
    } else {
      InflateRect(&r, 1, 1);
      r.left += 2;
    }
    int part = CP_DROPDOWNBUTTON;
    if (IsWindows10() || IsWindows6x()) {
      canvas->GetBrush()->SetColor(clWindow);
      canvas->GetPen()->SetColor(clWindow);
      canvas->Rectangle(r);
      r.right += 1;
      r.top -= 1;
      r.bottom += 1;
      part = CP_DROPDOWNBUTTONRIGHT;
    }
    int state = CBXS_DISABLED;
    if (enabled) state = Pressed() || dropped ? CBXS_PRESSED : FHot ? CBXS_HOT : CBXS_NORMAL;
    if (HTHEME theme = OpenTheme(u"combobox")) {
      ATXPVS::DrawThemeBackground(theme, canvas->GetHandle(), part, state, &r, nullptr);
      ATXPVS::CloseThemeData(theme);
    }
    return;
  }
  inherited::Paint();
  canvas->GetPen()->SetWidth(1);
  canvas->GetPen()->SetColor(clBtnFace);
  canvas->Polyline({TPoint{w - 2, 0}, TPoint{0, 0}, TPoint{0, h - 1}});
  canvas->GetPen()->SetColor(clWhite);
  canvas->Polyline({TPoint{w - 3, 1}, TPoint{1, 1}, TPoint{1, h - 2}});
  canvas->GetBrush()->SetColor(clBlack);
  canvas->GetPen()->SetColor(clBlack);
  canvas->Polygon({TPoint{5, 7}, TPoint{11, 7}, TPoint{8, 10}});
}

void TNeoDropDownSpeedButton::PaintPushButton() {
  TCanvas* canvas = GetCanvas();
  if (TNeoCustomDropDown* edit = Edit()) canvas->GetFont()->Assign(edit->GetFont());
  const TRect bounds{0, 0, GetWidth(), GetHeight()};
  const TRect client = GetClientRect();
  const bool down = Pressed();
  if (DoVisualStyles()) {
    canvas->FillRect(bounds);
    TRect r{0, 0, GetWidth() + 1, GetHeight() + 1};
    int state = PBS_NORMAL;
    if (FHot) state = PBS_HOT;
    if (down) state = PBS_PRESSED;
    if (!GetEnabled()) state = PBS_DISABLED;
    if (HTHEME theme = OpenTheme(u"button")) {
      ATXPVS::DrawThemeBackground(theme, canvas->GetHandle(), BP_PUSHBUTTON, state, &r, nullptr);
      ATXPVS::CloseThemeData(theme);
    }
    TRect inner = client;
    InflateRect(&inner, -2, -2);
    PaintThemedPushContent(inner, down);
    return;
  }
  if (!GetFlat()) {
    inherited::Paint();
    return;
  }
  canvas->FillRect(bounds);
  canvas->GetBrush()->SetColor(clBtnFace);
  canvas->FillRect(bounds);
  TRect edge = client;
  edge.right += 1;
  edge.bottom += 1;
  DrawEdge(canvas->GetHandle(), &edge, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (down ? BF_FLAT : 0));
  const Integer shift = down ? 1 : 0;
  TBitmap* glyph = GetGlyph();
  if (glyph && !glyph->GetEmpty()) {
    TRect r = client;
    InflateRect(&r, -3, -3);
    OffsetRect(&r, shift, shift);
    DrawTransparentBitmap(canvas, glyph, clBtnFace, r);
  }
  const String caption = GetCaption();
  if (!caption.empty()) {
    TRect r = client;
    InflateRect(&r, -3, -1);
    OffsetRect(&r, shift, shift);
    canvas->GetBrush()->SetStyle(bsClear);
    DrawTextW(canvas->GetHandle(), caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void TNeoDropDownSpeedButton::PaintThemedPushContent(TRect Inner, bool Down) {
  TCanvas* canvas = GetCanvas();
  const String caption = GetCaption();
  const Integer shift = Down ? 1 : 0;
  TBitmap* glyph = GetGlyph();
  const bool hasGlyph = glyph && !glyph->GetEmpty();
  Integer glyphWidth = 0;
  if (hasGlyph) {
    glyphWidth = glyph->GetWidth();
    const Integer iw = Inner.right - Inner.left, ih = Inner.bottom - Inner.top;
    Integer x = Inner.left, y = Inner.top;
    if (!caption.empty()) x = Inner.left + 2;
    else if (glyphWidth < iw) x = Inner.left + (iw - glyphWidth) / 2;
    if (glyph->GetHeight() < ih) y = Inner.top + (ih - glyph->GetHeight()) / 2;
    glyph->SetTransparent(true);
    canvas->Draw(x + shift, y + shift, glyph);
  }
  if (caption.empty()) return;
  canvas->GetBrush()->SetStyle(bsClear);
  TRect r;
  UINT format = DT_VCENTER | DT_SINGLELINE;
  if (hasGlyph) {
    r = TRect{Inner.left + glyphWidth + 2, Inner.top - 1, Inner.right, Inner.bottom - 1};
    format |= DT_LEFT;
  } else {
    r = GetClientRect();
    InflateRect(&r, -3, -1);
    OffsetRect(&r, shift, shift);
    format |= DT_CENTER;
  }
  DrawTextW(canvas->GetHandle(), caption.c_str(), static_cast<int>(caption.size()), &r, format);
}

void TNeoDropDownSpeedButton::PaintColoredDropDownButton(TDropDownEditButton* Holder) {
  TCanvas* canvas = GetCanvas();
  FDPIScale = ControlScaleFactor(this, canvas);
  const Double s = FDPIScale;
  const TRect r = GetClientRect();
  const bool pressed = Pressed();
  TColor fill = Holder->GetButtonColor();
  if (FHot) fill = Holder->GetButtonColorHot();
  if (pressed) fill = Holder->GetButtonColorDown();
  canvas->GetBrush()->SetColor(fill);
  canvas->GetPen()->SetColor(fill);
  canvas->FillRect(r);
  auto* edit = dynamic_cast<TNeoCustomDropDown*>(Holder->GetOwner());
  if (edit && edit->GetBorderColor() != clNone) {
    canvas->GetPen()->SetColor(edit->GetBorderColor());
    canvas->MoveTo(r.left, r.top);
    canvas->LineTo(r.left, r.bottom);
  }
  TColor arrow = Holder->GetButtonTextColor();
  if (FHot) arrow = Holder->GetButtonTextColorHot();
  if (pressed) arrow = Holder->GetButtonTextColorDown();
  canvas->GetPen()->SetColor(arrow);
  canvas->GetPen()->SetWidth(static_cast<Integer>(Trunc(s)));
  const Integer cx = r.left + (r.right - r.left) / 2, cy = r.top + (r.bottom - r.top) / 2;
  auto scaled = [s](Integer X) { return static_cast<Integer>(Round(s * X)); };
  if (static_cast<Integer>(Round(s)) % 2 == 0)
    canvas->Polyline({TPoint{cx - scaled(4), cy - scaled(2)}, TPoint{cx, cy + scaled(1) + 1},
                      TPoint{cx + scaled(4) + 1, cy - scaled(2) - 1}});
  else
    canvas->Polyline({TPoint{cx - scaled(3), cy - scaled(1)}, TPoint{cx, cy + scaled(2)},
                      TPoint{cx + scaled(3) + 1, cy - scaled(1) - 1}});
  canvas->GetPen()->SetWidth(1);
}

// ---------------------------------------------------------------------------------------------
// TDropDownEditButton

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TWinControl(AOwner) {
  TControlStyle style = GetControlStyle();
  style.Exclude(csAcceptsControls);
  style.Exclude(csSetCaption);
  style.Include(csOpaque);
  SetControlStyle(style);
  CreateButton();
  FButton->SetButtonStyle(bsDropDown);
  FFocusControl = dynamic_cast<TWinControl*>(AOwner);
  SetBounds(GetLeft(), GetTop(), 16, 25);
}

void TDropDownEditButton::CreateButton() {
  FButton = new TNeoDropDownSpeedButton(this);
  FButton->OnClick = [](TObject*) {};
  FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    ButtonMouseUp(Sender, Button, Shift, X, Y);
  };
  FButton->SetVisible(true);
  FButton->SetEnabled(GetEnabled());
  FButton->SetParent(this);
  FButton->SetCaption(String());
}

void TDropDownEditButton::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

TBitmap* TDropDownEditButton::GetGlyph() const { return FButton->GetGlyph(); }
void TDropDownEditButton::SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
TNumGlyphs TDropDownEditButton::GetNumGlyphs() const { return FButton->GetNumGlyphs(); }
void TDropDownEditButton::SetNumGlyphs(TNumGlyphs Value) { FButton->SetNumGlyphs(Value); }
String TDropDownEditButton::GetButtonCaption() const { return FButton->GetCaption(); }
void TDropDownEditButton::SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }

void TDropDownEditButton::AdjustWinSize(Integer& W, Integer& H) {
  if (!FButton) return;
  if (GetComponentState().Contains(csLoading) && !GetComponentState().Contains(csDesigning)) return;
  W = FBWidth;
  FButton->SetBounds(0, 0, W, H);
}

void TDropDownEditButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  Integer w = AWidth, h = AHeight;
  AdjustWinSize(w, h);
  inherited::SetBounds(ALeft, ATop, w, h);
}

void TDropDownEditButton::Loaded() {
  inherited::Loaded();
  Integer w = GetWidth(), h = GetHeight();
  AdjustWinSize(w, h);
  if (w != GetWidth() || h != GetHeight()) inherited::SetBounds(GetLeft(), GetTop(), w, h);
}

void TDropDownEditButton::ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState, Integer, Integer) {
  if (Button != mbLeft) return;
  if (FFocusControl && FFocusControl->GetTabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (GetTabStop() && !Focused() && CanFocus())
    SetFocus();
  if (Sender == FButton && OnClick) OnClick(this);
}

void TDropDownEditButton::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TDropDownEditButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE: {
      Integer w = GetWidth(), h = GetHeight();
      AdjustWinSize(w, h);
      if (w != GetWidth() || h != GetHeight()) inherited::SetBounds(GetLeft(), GetTop(), w, h);
      Message.Result = 0;
      return;
    }
    case CM_ENABLEDCHANGED:
      inherited::Dispatch(Message);
      if (FButton && !GetComponentState().Contains(csDesigning)) FButton->SetEnabled(GetEnabled());
      return;
    default: inherited::Dispatch(Message);
  }
}
