// TSpeedButton: a windowless button with a glyph; flat buttons rise under the mouse; grouped
// buttons stay down one at a time.
#include <algorithm>

#include "platform/ui/Buttons.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks, csSetCaption, csOpaque};
  FWidth = 23;
  FHeight = 22;
  FParentColor = true;
  FColor = clBtnFace;
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  // A glyph made of equal square images holds that many of them.
  Integer w = FGlyph->GetWidth(), h = FGlyph->GetHeight();
  if (h > 0 && w % h == 0 && w / h >= 1 && w / h <= 4) FNumGlyphs = w / h;
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TSpeedButton::SetFlat(bool Value) {
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(Integer Value) {
  FGroupIndex = Value;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(Integer Value) {
  FSpacing = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(Integer Value) {
  FMargin = Value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
  FTransparent = Value;
  Invalidate();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !Value && !FAllowAllUp) return;
  FDown = Value;
  FState = Value ? bsExclusive : bsUp;
  Invalidate();
  if (Value) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !FParent) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  FParent->Broadcast(m);
}

void TSpeedButton::CMButtonPressed(TMessage& Message) {
  auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
  if (static_cast<Integer>(Message.WParam) != FGroupIndex || sender == this) return;
  if (sender->FDown && FDown) {
    FDown = false;
    FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = sender->FAllowAllUp;
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
  FMouseInside = true;
  if (FFlat && GetEnabled()) Invalidate();
  Message.Result = 0;
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
  FMouseInside = false;
  if (FFlat && GetEnabled()) Invalidate();
  Message.Result = 0;
}

void TSpeedButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), GetCaption()) && GetEnabled() && GetVisible() && FParent &&
      FParent->GetShowing()) {
    Click();
    Message.Result = 1;
  }
}

void TSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_BUTTONPRESSED: CMButtonPressed(Message); return;
    case CM_MOUSEENTER: CMMouseEnter(Message); inherited::Dispatch(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); inherited::Dispatch(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_ENABLEDCHANGED:
      FState = GetEnabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
      inherited::Dispatch(Message);
      return;
    default: inherited::Dispatch(Message); return;
  }
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  bool inside = X >= 0 && X < FWidth && Y >= 0 && Y < FHeight;
  TButtonState state = inside ? bsDown : (FDown ? bsExclusive : bsUp);
  if (FDown && inside) state = bsExclusive;
  if (state != FState) {
    FState = state;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  bool inside = X >= 0 && X < FWidth && Y >= 0 && Y < FHeight;
  if (FGroupIndex == 0) {
    FState = bsUp;
    Invalidate();
  } else if (inside) {
    SetDown(!FDown);
    if (FDown) FState = bsExclusive;
    else FState = bsUp;
    Invalidate();
  } else {
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  }
  if (inside) Click();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::DrawGlyph(TCanvas* ACanvas, Integer X, Integer Y, TButtonState State) {
  if (FGlyph->GetEmpty()) return;
  Integer w = FGlyph->GetWidth() / std::max(1, FNumGlyphs), h = FGlyph->GetHeight();
  Integer index = 0;
  switch (State) {
    case bsDisabled: index = FNumGlyphs > 1 ? 1 : 0; break;
    case bsDown: index = FNumGlyphs > 2 ? 2 : 0; break;
    case bsExclusive: index = FNumGlyphs > 3 ? 3 : 0; break;
    default: break;
  }
  TBitmap part;
  part.SetPixelFormat(pf24bit);
  part.SetSize(w, h);
  TRect src{index * w, 0, index * w + w, h};
  part.GetCanvas()->CopyRect(TRect{0, 0, w, h}, FGlyph->GetCanvas(), src);
  part.SetTransparentMode(tmAuto);
  part.SetTransparent(true);
  if (State == bsDisabled && FNumGlyphs < 2) {
    // Without an image of its own the disabled glyph is drawn greyed: shadow pixels only.
    TColor transparent = part.GetTransparentColor();
    for (Integer y = 0; y < h; ++y)
      for (Integer x = 0; x < w; ++x) {
        TColor c = part.GetCanvas()->GetPixels(x, y);
        if (c == transparent) continue;
        COLORREF rgb = ColorToRGB(c);
        int lum = (GetRValue(rgb) * 30 + GetGValue(rgb) * 59 + GetBValue(rgb) * 11) / 100;
        part.GetCanvas()->SetPixels(x, y, lum < 160 ? clBtnShadow : transparent);
      }
  }
  ACanvas->Draw(X, Y, &part);
}

void TSpeedButton::Paint() {
  TCanvas* c = GetCanvas();
  HDC dc = c->GetHandle();
  TRect r = GetClientRect();
  TButtonState state = GetEnabled() ? FState : bsDisabled;
  bool down = state == bsDown || state == bsExclusive;
  if (!FFlat || !FTransparent || down) ControlPaint::FillColor(dc, r, GetColor());
  if (FFlat) {
    if (down) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (FMouseInside && GetEnabled()) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  } else {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
  }
  if (state == bsExclusive && !FFlat) {
    // A button that stays down shows a lighter face.
    TRect inner = r;
    InflateRect(&inner, -2, -2);
    ControlPaint::FillColor(dc, inner, cl3DLight);
  }
  // Glyph and caption centred side by side (or above each other).
  String caption = GetText();
  Integer gw = FGlyph->GetEmpty() ? 0 : FGlyph->GetWidth() / std::max(1, FNumGlyphs);
  Integer gh = FGlyph->GetEmpty() ? 0 : FGlyph->GetHeight();
  TRect tr{0, 0, 0x3FFF, 0};
  if (!caption.empty()) {
    ControlPaint::TSelectFont sel(dc, GetFont());
    DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &tr, DT_CALCRECT | DT_SINGLELINE);
  }
  Integer tw = caption.empty() ? 0 : tr.right, th = caption.empty() ? 0 : tr.bottom;
  Integer spacing = (gw > 0 && tw > 0) ? FSpacing : 0;
  bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  Integer totalW = horizontal ? gw + spacing + tw : std::max(gw, tw);
  Integer totalH = horizontal ? std::max(gh, th) : gh + spacing + th;
  Integer x = FMargin >= 0 && FLayout == blGlyphLeft ? FMargin : (r.right - totalW) / 2;
  Integer y = FMargin >= 0 && FLayout == blGlyphTop ? FMargin : (r.bottom - totalH) / 2;
  Integer offset = down ? 1 : 0;
  Integer gx, gy, txx, txy;
  switch (FLayout) {
    case blGlyphRight: txx = x; gx = x + tw + spacing; gy = (r.bottom - gh) / 2; txy = (r.bottom - th) / 2; break;
    case blGlyphTop: gx = (r.right - gw) / 2; gy = y; txx = (r.right - tw) / 2; txy = y + gh + spacing; break;
    case blGlyphBottom: txx = (r.right - tw) / 2; txy = y; gx = (r.right - gw) / 2; gy = y + th + spacing; break;
    default: gx = x; txx = x + gw + spacing; gy = (r.bottom - gh) / 2; txy = (r.bottom - th) / 2; break;
  }
  DrawGlyph(c, gx + offset, gy + offset, state);
  if (!caption.empty()) {
    TRect text{txx + offset, txy + offset, txx + offset + tw, txy + offset + th};
    ControlPaint::DrawCaption(dc, GetFont(), caption, text, DT_SINGLELINE | DT_LEFT, GetEnabled());
  }
}
