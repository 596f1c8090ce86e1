// TCustomLabel: a caption drawn on its parent, sized to its text when AutoSize is set.
#include <algorithm>

#include "platform/ui/StdCtrls.h"

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle = FControlStyle + csOpaque + csReplicatable;
  FWidth = 65;
  FHeight = 17;
  FAutoSize = true;
  FParentColor = true;
  FColor = clBtnFace;
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustSize();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  if (Value) FControlStyle.Exclude(csOpaque);
  else FControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  AdjustSize();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::SetAutoSize(bool Value) { TGraphicControl::SetAutoSize(Value); }

UINT TCustomLabel::DrawTextFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  else flags |= DT_SINGLELINE;
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  else if (FAlignment == taCenter) flags |= DT_CENTER;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::DoDrawText(HDC DC, TRect& Rect, UINT Flags) {
  String text = GetText();
  // An empty caption still has the height of a line.
  if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == u"&"))) text += u' ';
  ControlPaint::DrawCaption(DC, GetFont(), text, Rect, Flags, GetEnabled());
}

void TCustomLabel::Paint() {
  HDC dc = GetCanvas()->GetHandle();
  TRect r = GetClientRect();
  if (!FTransparent) ControlPaint::FillColor(dc, r, GetColor());
  UINT flags = DrawTextFlags();
  if (FLayout != tlTop) {
    TRect calc = r;
    DoDrawText(dc, calc, flags | DT_CALCRECT);
    Integer h = calc.bottom - calc.top;
    r.top = FLayout == tlBottom ? r.bottom - h : (r.bottom - h) / 2;
    r.bottom = r.top + h;
  }
  DoDrawText(dc, r, flags);
}

bool TCustomLabel::CanAutoSize(Integer& NewWidth, Integer& NewHeight) {
  HDC dc = GetDC(nullptr);
  TRect r{0, 0, FWordWrap ? std::max<Integer>(FWidth, 1) : 0x3FFF, 0};
  DoDrawText(dc, r, DrawTextFlags() | DT_CALCRECT);
  ReleaseDC(nullptr, dc);
  if (!FWordWrap) NewWidth = r.right - r.left;
  NewHeight = r.bottom - r.top;
  return true;
}

void TCustomLabel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGCHAR && FFocusControl && GetEnabled() && FShowAccelChar &&
      IsAccel(static_cast<Word>(Message.WParam), GetCaption()) && FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}
