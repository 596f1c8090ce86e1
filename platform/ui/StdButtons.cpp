// Push buttons, check boxes, radio buttons and group boxes.
#include <algorithm>

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

namespace {

constexpr int kCheckSize = 13;

TRect ClientOf(TWinControl* C) { return C->GetClientRect(); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TButtonControl: pressing with the mouse and with Space

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FTabStop = true;
}

void TButtonControl::PaintWindow(HDC DC) { PaintButton(DC); }

void TButtonControl::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == BN_CLICKED) Click();
}

void TButtonControl::ButtonMouse(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
      if (CanFocus() && FHandle && GetFocus() != FHandle) SetFocus();
      FTracking = true;
      FPressed = true;
      SetCapture(FHandle);
      Invalidate();
      break;
    case WM_MOUSEMOVE:
      if (FTracking) {
        TRect r = ClientOf(this);
        bool inside = PtInRect(&r, MessagePos(Message)) != 0;
        if (inside != FPressed) {
          FPressed = inside;
          Invalidate();
        }
      }
      break;
    case WM_LBUTTONUP:
      if (FTracking) {
        FTracking = false;
        bool click = FPressed;
        FPressed = false;
        if (GetCapture() == FHandle) ReleaseCapture();
        Invalidate();
        if (click) SendNotify(BN_CLICKED);
      }
      break;
  }
}

void TButtonControl::ButtonKey(TMessage& Message) {
  if (Message.WParam != VK_SPACE) return;
  if (Message.Msg == WM_KEYDOWN) {
    if (!FSpaceDown) {
      FSpaceDown = true;
      FPressed = true;
      Invalidate();
    }
  } else if (FSpaceDown) {
    FSpaceDown = false;
    FPressed = false;
    Invalidate();
    SendNotify(BN_CLICKED);
  }
}

void TButtonControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_MOUSEMOVE: case WM_LBUTTONUP:
      inherited::Dispatch(Message);
      return;
    case WM_KILLFOCUS: case WM_CANCELMODE: case CM_CANCELMODE:
      if (FTracking && GetCapture() == FHandle) ReleaseCapture();
      FTracking = FSpaceDown = FPressed = false;
      Invalidate();
      inherited::Dispatch(Message);
      return;
    case WM_SETFOCUS: Invalidate(); inherited::Dispatch(Message); return;
    case BM_CLICK: SendNotify(BN_CLICKED); return;
    case BM_GETSTATE: Message.Result = FPressed ? 0x0004 : 0; return;
    case BM_SETSTATE:
      FPressed = Message.WParam != 0;
      Invalidate();
      return;
    default: inherited::Dispatch(Message); return;
  }
}

// ---------------------------------------------------------------------------------------------
// TButton

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 75;
  FHeight = 25;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
}

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  FDefault = Value;
  if (TCustomForm* form = GetParentForm(this)) {
    TMessage m{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->GetActiveControl()), 0};
    CMFocusChanged(m);
  } else {
    FActive = Value;
  }
  Invalidate();
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::CMFocusChanged(TMessage& Message) {
  auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
  bool active = dynamic_cast<TButton*>(focused) ? focused == this : FDefault;
  if (active != FActive) {
    FActive = active;
    Invalidate();
  }
}

void TButton::CMDialogKey(TMessage& Message) {
  bool plain = !KeyDataToShiftState(Message.LParam).Contains(ssAlt) && GetKeyState(VK_CONTROL) >= 0 &&
               GetKeyState(VK_SHIFT) >= 0;
  if (((Message.WParam == VK_RETURN && FActive) || (Message.WParam == VK_ESCAPE && FCancel)) && plain && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), GetCaption()) && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); return;
    default: inherited::Dispatch(Message); return;
  }
}

void TButton::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_BUTTON | (FActive ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON); return;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_MOUSEMOVE: case WM_LBUTTONUP:
      ButtonMouse(Message);
      return;
    case WM_KEYDOWN: case WM_KEYUP: ButtonKey(Message); return;
    default: inherited::DefaultHandler(Message); return;
  }
}

void TButton::PaintButton(HDC DC) {
  TRect r = GetClientRect();
  ControlPaint::FillColor(DC, r, GetColor());
  if (FActive) {
    // The default button: a black frame around the raised one.
    HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME));
    FrameRect(DC, &r, frame);
    DeleteObject(frame);
    InflateRect(&r, -1, -1);
  }
  UINT state = DFCS_BUTTONPUSH | (FPressed ? DFCS_PUSHED : 0) | (GetEnabled() ? 0 : DFCS_INACTIVE);
  if (FPressed && FActive) {
    // Pressed default buttons show a flat shadow frame.
    HBRUSH shadow = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
    FrameRect(DC, &r, shadow);
    DeleteObject(shadow);
    TRect inner = r;
    InflateRect(&inner, -1, -1);
    ControlPaint::FillColor(DC, inner, GetColor());
  } else {
    DrawFrameControl(DC, &r, DFC_BUTTON, state);
  }
  TRect text = r;
  if (FPressed) OffsetRect(&text, 1, 1);
  ControlPaint::DrawCaption(DC, GetFont(), GetText(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, GetEnabled());
  if (Focused()) {
    TRect focus = GetClientRect();
    InflateRect(&focus, -4, -4);
    DrawFocusRect(DC, &focus);
  }
}

// ---------------------------------------------------------------------------------------------
// TCustomCheckBox, TRadioButton

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 97;
  FHeight = 17;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
  FParentColor = true;
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= FAllowGrayed ? BS_3STATE : BS_CHECKBOX;
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  Invalidate();
  StateChanged();
  if (!FClicksDisabled) Click();
}

void TCustomCheckBox::SetAlignment(TLeftRight Value) {
  FAlignment = Value;
  Invalidate();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::Click() { TButtonControl::Click(); }

void TCustomCheckBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), GetCaption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TCustomCheckBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == BN_CLICKED) Toggle();
      return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case BM_GETCHECK:
      Message.Result = FState == cbChecked ? BST_CHECKED : FState == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED;
      return;
    case BM_SETCHECK:
      FState = Message.WParam == BST_CHECKED ? cbChecked : Message.WParam == BST_INDETERMINATE ? cbGrayed : cbUnchecked;
      Invalidate();
      StateChanged();
      return;
    default: inherited::Dispatch(Message); return;
  }
}

void TCustomCheckBox::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_BUTTON; return;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_MOUSEMOVE: case WM_LBUTTONUP:
      ButtonMouse(Message);
      return;
    case WM_KEYDOWN: case WM_KEYUP: ButtonKey(Message); return;
    default: inherited::DefaultHandler(Message); return;
  }
}

void TCustomCheckBox::PaintCheck(HDC DC, bool Radio, bool Checked, bool Grayed) {
  TRect r = GetClientRect();
  ControlPaint::FillColor(DC, r, GetColor());
  Integer top = (r.bottom - kCheckSize) / 2;
  bool left = FAlignment == taRightOfButton;
  TRect box = left ? TRect{0, top, kCheckSize, top + kCheckSize} : TRect{r.right - kCheckSize, top, r.right, top + kCheckSize};
  UINT state = (Radio ? DFCS_BUTTONRADIO : (Grayed ? DFCS_BUTTON3STATE : DFCS_BUTTONCHECK)) |
               (Checked || Grayed ? DFCS_CHECKED : 0) | (FPressed ? DFCS_PUSHED : 0) | (GetEnabled() ? 0 : DFCS_INACTIVE);
  DrawFrameControl(DC, &box, DFC_BUTTON, state);
  String caption = GetText();
  TRect text = left ? TRect{kCheckSize + 4, 0, r.right, r.bottom} : TRect{0, 0, r.right - kCheckSize - 4, r.bottom};
  TRect measured = text;
  {
    ControlPaint::TSelectFont sel(DC, GetFont());
    DrawText(DC, caption.c_str(), static_cast<int>(caption.size()), &measured, DT_CALCRECT | DT_SINGLELINE);
  }
  Integer h = measured.bottom - measured.top, w = measured.right - measured.left;
  text.top = (r.bottom - h) / 2;
  text.bottom = text.top + h;
  ControlPaint::DrawCaption(DC, GetFont(), caption, text, DT_LEFT | DT_SINGLELINE, GetEnabled());
  if (Focused() && !caption.empty()) {
    TRect focus{text.left - 1, text.top, std::min<LONG>(text.left + w + 1, r.right), text.bottom};
    DrawFocusRect(DC, &focus);
  }
}

void TCustomCheckBox::PaintButton(HDC DC) { PaintCheck(DC, false, FState == cbChecked, FState == cbGrayed); }

TRadioButton::TRadioButton(TComponent* AOwner) : TCustomCheckBox(AOwner) {
  FWidth = 113;
  FTabStop = false;
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TCustomCheckBox::CreateParams(Params);
  Params.Style = (Params.Style & ~0x0FUL) | BS_RADIOBUTTON;
}

void TRadioButton::Toggle() {
  if (FState != cbChecked) SetState(cbChecked);
}

void TRadioButton::StateChanged() {
  SetTabStop(FState == cbChecked);
  if (FState != cbChecked || !FParent) return;
  for (Integer i = 0; i < FParent->GetControlCount(); ++i)
    if (auto* other = dynamic_cast<TRadioButton*>(FParent->GetControls(i)); other && other != this && other->FState == cbChecked) {
      other->FClicksDisabled = true;
      other->SetState(cbUnchecked);
      other->FClicksDisabled = false;
    }
}

void TRadioButton::Dispatch(TMessage& Message) { inherited::Dispatch(Message); }

void TRadioButton::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_BUTTON | DLGC_RADIOBUTTON;
    return;
  }
  // Focus moved onto a radio button by the arrow keys checks it.
  if (Message.Msg == WM_SETFOCUS && FState != cbChecked && GetKeyState(VK_LBUTTON) >= 0 &&
      (GetKeyState(VK_UP) < 0 || GetKeyState(VK_DOWN) < 0 || GetKeyState(VK_LEFT) < 0 || GetKeyState(VK_RIGHT) < 0)) {
    inherited::DefaultHandler(Message);
    Toggle();
    return;
  }
  inherited::DefaultHandler(Message);
}

void TRadioButton::PaintButton(HDC DC) { PaintCheck(DC, true, FState == cbChecked, false); }

// ---------------------------------------------------------------------------------------------
// TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FWidth = 185;
  FHeight = 105;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
  FParentColor = true;
}

void TCustomGroupBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
  HDC dc = GetDC(nullptr);
  TEXTMETRICW tm;
  {
    ControlPaint::TSelectFont sel(dc, GetFont());
    GetTextMetrics(dc, &tm);
  }
  ReleaseDC(nullptr, dc);
  Rect.top += tm.tmHeight;
  InflateRect(&Rect, -2, -2);
}

void TCustomGroupBox::Paint() {
  HDC dc = GetCanvas()->GetHandle();
  TRect r = GetClientRect();
  ControlPaint::FillColor(dc, r, GetColor());
  TEXTMETRICW tm;
  {
    ControlPaint::TSelectFont sel(dc, GetFont());
    GetTextMetrics(dc, &tm);
  }
  String caption = GetText();
  TRect frame{0, caption.empty() ? 0 : tm.tmHeight / 2, r.right, r.bottom};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  TRect text{8, 0, r.right - 8, tm.tmHeight};
  TRect measured = text;
  {
    ControlPaint::TSelectFont sel(dc, GetFont());
    DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, DT_CALCRECT | DT_SINGLELINE);
  }
  TRect back{text.left - 2, 0, std::min<LONG>(measured.right + 2, r.right), tm.tmHeight};
  ControlPaint::FillColor(dc, back, GetColor());
  ControlPaint::DrawCaption(dc, GetFont(), caption, text, DT_LEFT | DT_SINGLELINE, GetEnabled());
}

void TCustomGroupBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGCHAR && IsAccel(static_cast<Word>(Message.WParam), GetCaption()) && CanFocus()) {
    SelectNext(nullptr, true, true);
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}
