#include "lib/grid/editing/NsgSpin.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "lib/base/NeoXPVS.h"
#include "platform/rtl/Streams.h"
#include "platform/win/Messages.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

namespace {

constexpr Integer GlyphWidth = 9, GlyphHeight = 6;
constexpr TColor GlyphBackground = clOlive;   // the bottom-left pixel: the transparent colour

// A black triangle pointing up or down, rows 1 to 4 of the 9 x 6 glyph.
std::vector<Byte> DrawArrowGlyph(bool AUp) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(GlyphWidth, GlyphHeight);
  TCanvas* c = bmp.GetCanvas();
  c->GetBrush()->SetColor(GlyphBackground);
  c->FillRect(TRect{0, 0, GlyphWidth, GlyphHeight});
  for (Integer row = 0; row < 4; ++row) {
    const Integer y = AUp ? 1 + row : 4 - row;
    for (Integer x = 4 - row; x <= 4 + row; ++x) c->SetPixels(x, y, clBlack);
  }
  TMemoryStream stream;
  bmp.SaveToStream(&stream);
  const auto* data = static_cast<const Byte*>(stream.GetMemory());
  return std::vector<Byte>(data, data + stream.GetSize());
}

bool HighContrastOn() {
  HIGHCONTRAST hc;
  return SystemParametersInfo(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void Triangle(TCanvas* C, TPoint A, TPoint B, TPoint D) { C->Polygon({A, B, D}); }

}  // namespace

void RegisterNsgSpinGlyphResources() {
  static std::once_flag once;
  static std::vector<Byte> up, down;   // the resource table keeps pointers into these
  std::call_once(once, [] {
    up = DrawArrowGlyph(true);
    down = DrawArrowGlyph(false);
    RegisterResource(NsgSpinUpGlyph, RT_BITMAP, up);
    RegisterResource(NsgSpinDownGlyph, RT_BITMAP, down);
  });
}

// ---------------------------------------------------------------------------------------------
// TNeoTimerSpeedButton

TNeoTimerSpeedButton::TNeoTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TNeoTimerSpeedButton::~TNeoTimerSpeedButton() = default;

void TNeoTimerSpeedButton::SetButtonDirection(TButtonDirection Value) {
  if (FButtonDirection == Value) return;
  FButtonDirection = Value;
  Invalidate();
}

TNsgSpinButton* TNeoTimerSpeedButton::SpinParent() const { return dynamic_cast<TNsgSpinButton*>(GetParent()); }

void TNeoTimerSpeedButton::InvalidateParent() {
  if (GetParent() && GetParent()->HandleAllocated()) InvalidateRect(GetParent()->GetHandle(), nullptr, TRUE);
}

void TNeoTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (FTimeBtnState.Contains(tbAllowTimer)) {
    if (!FRepeatTimer) {
      FRepeatTimer = std::make_unique<TTimer>(nullptr);
      FRepeatTimer->SetOnTimer([this](TObject* Sender) { TimerExpired(Sender); });
    }
    FRepeatTimer->SetInterval(400);
    FRepeatTimer->SetEnabled(true);
  }
  InvalidateParent();
}

void TNeoTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
  InvalidateParent();
}

void TNeoTimerSpeedButton::TimerExpired(TObject*) {
  FRepeatTimer->SetInterval(100);
  if (GetState() != bsDown || !GetMouseCapture()) return;
  try {
    Click();
  } catch (...) {
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TNeoTimerSpeedButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
    FHasMouse = Message.Msg == CM_MOUSEENTER;
    Invalidate();
  }
  inherited::Dispatch(Message);
}

void TNeoTimerSpeedButton::Paint() {
  const TRect r = GetClientRect();
  TNsgSpinButton* spin = SpinParent();
  if (HighContrastOn())
    PaintHighContrast(r);
  else if (spin && spin->GetButtonColor() != clNone)
    PaintColored(r, *spin);
  else if (!FIsWinXP || !PaintThemed(r))
    PaintClassic(r);
  if (FTimeBtnState.Contains(tbFocusRect)) {
    RECT focus = r;
    InflateRect(&focus, -3, -3);
    GetCanvas()->GetPen()->SetColor(clBlack);
    DrawFocusRect(GetCanvas()->GetHandle(), &focus);
  }
}

void TNeoTimerSpeedButton::PaintHighContrast(const TRect& R) {
  TCanvas* c = GetCanvas();
  c->GetBrush()->SetColor(clBlack);
  c->GetPen()->SetColor(clBlack);
  c->FillRect(R);
  c->GetBrush()->SetColor(clWhite);
  c->GetPen()->SetColor(clWhite);
  const Integer t = R.top, rt = R.right;
  switch (FButtonDirection) {
    case bdLeft: Triangle(c, {rt - 3, t + 5}, {rt - 6, t + 7}, {rt - 3, t + 9}); break;
    case bdRight: Triangle(c, {rt - 6, t + 5}, {rt - 3, t + 7}, {rt - 6, t + 9}); break;
    case bdUp: Triangle(c, {rt - 10, t + 6}, {rt - 4, t + 6}, {rt - 7, t + 3}); break;
    case bdDown: Triangle(c, {rt - 10, t + 3}, {rt - 4, t + 3}, {rt - 7, t + 6}); break;
  }
}

void TNeoTimerSpeedButton::PaintColored(const TRect& R, const TNsgSpinButton& ASpin) {
  TCanvas* c = GetCanvas();
  const TColor fill = GetState() == bsDown ? ASpin.GetButtonColorDown()
                      : FHasMouse          ? ASpin.GetButtonColorHot()
                                           : ASpin.GetButtonColor();
  c->GetBrush()->SetColor(fill);
  c->GetPen()->SetColor(fill);
  c->FillRect(R);
  c->GetBrush()->SetColor(clBlack);
  c->GetPen()->SetColor(clBlack);
  const Integer l = R.left, t = R.top;
  switch (FButtonDirection) {
    case bdLeft: Triangle(c, {l + 5, t + 5}, {l + 3, t + 7}, {l + 5, t + 9}); break;
    case bdRight: Triangle(c, {l + 3, t + 5}, {l + 5, t + 7}, {l + 3, t + 9}); break;
    case bdUp: Triangle(c, {l + 4, t + 4}, {l + 8, t + 4}, {l + 6, t + 2}); break;
    case bdDown: Triangle(c, {l + 4, t + 2}, {l + 8, t + 2}, {l + 6, t + 4}); break;
  }
}

bool TNeoTimerSpeedButton::PaintThemed(const TRect& R) {
  if (!NeoXPVS::OpenThemeData || !GetParent() || !GetParent()->HandleAllocated()) return false;
  HTHEME theme = NeoXPVS::OpenThemeData(GetParent()->GetHandle(), u"spin");
  if (!theme) return false;
  static constexpr int Parts[] = {SPNP_DOWNHORZ, SPNP_UPHORZ, SPNP_UP, SPNP_DOWN};   // by TButtonDirection
  const int state = GetState() == bsDown ? UPS_PRESSED : FHasMouse ? UPS_HOT : UPS_NORMAL;
  RECT r = R;
  NeoXPVS::DrawThemeBackground(theme, GetCanvas()->GetHandle(), Parts[FButtonDirection], state, &r, nullptr);
  NeoXPVS::CloseThemeData(theme);
  return true;
}

void TNeoTimerSpeedButton::PaintClassic(const TRect& R) {
  if (FButtonDirection == bdUp || FButtonDirection == bdDown) {
    inherited::Paint();
    return;
  }
  UINT state = FButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
  if (GetState() == bsDown) state |= DFCS_PUSHED;
  if (GetFlat()) state |= DFCS_FLAT;
  RECT r = R;
  DrawFrameControl(GetCanvas()->GetHandle(), &r, DFC_SCROLL, state);
}

// ---------------------------------------------------------------------------------------------
// TNsgSpinButton

TNsgSpinButton::TNsgSpinButton(TComponent* AOwner) : TWinControl(AOwner) {
  TControlStyle style = GetControlStyle();
  style.Exclude(csAcceptsControls);
  style.Exclude(csSetCaption);
  style.Include(csOpaque);
  SetControlStyle(style);
  SetTabStop(false);
  RegisterNsgSpinGlyphResources();
  FUpButton = CreateButton(bdUp, NsgSpinUpGlyph);
  FDownButton = CreateButton(bdDown, NsgSpinDownGlyph);
  SetBounds(0, 0, 15, 25);
  FFocusedButton = FUpButton;
}

TNsgSpinButton::~TNsgSpinButton() = default;

TNeoTimerSpeedButton* TNsgSpinButton::CreateButton(TButtonDirection ADirection, const Char* AGlyph) {
  auto* b = new TNeoTimerSpeedButton(this);
  b->SetParent(this);
  b->SetVisible(true);
  b->SetEnabled(true);
  b->SetTimeBtnState(TTimeBtnState{tbAllowTimer});
  b->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
  b->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    BtnMouseDown(Sender, Button, Shift, X, Y);
  };
  SetButtonGlyph(b, nullptr, AGlyph);
  b->SetButtonDirection(ADirection);
  return b;
}

void TNsgSpinButton::SetButtonGlyph(TNeoTimerSpeedButton* AButton, TBitmap* Value, const Char* AResource) {
  if (Value) {
    AButton->SetGlyph(Value);
    return;
  }
  TBitmap glyph;
  glyph.LoadFromResourceName(nullptr, AResource);
  AButton->SetGlyph(&glyph);
  AButton->SetNumGlyphs(1);
  AButton->Invalidate();
}

void TNsgSpinButton::SetColorAndRepaint(TColor& AField, TColor Value) {
  if (AField == Value) return;
  AField = Value;
  FUpButton->Invalidate();
  FDownButton->Invalidate();
}

void TNsgSpinButton::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FUpButton->SetIsWinXP(Value);
  FDownButton->SetIsWinXP(Value);
  Invalidate();
}

void TNsgSpinButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  inherited::SetBounds(ALeft, ATop, std::max(AWidth, MinWidth()), AHeight);
  LayoutButtons();
}

void TNsgSpinButton::LayoutButtons() {
  if (GetComponentState().Contains(csLoading) || !FUpButton || !FDownButton) return;
  const Integer w = GetWidth(), h = GetHeight();
  if (FDirection == spVertical) {
    const Integer upHeight = h / 2;
    FUpButton->SetBounds(0, 0, w, upHeight);
    FDownButton->SetBounds(0, upHeight - 1, w, h - upHeight + 1);
  } else {
    FDownButton->SetBounds(0, 0, w / 2, h);
    FUpButton->SetBounds(w / 2 + 1, 0, w / 2, h);
  }
}

void TNsgSpinButton::Loaded() {
  inherited::Loaded();
  if (GetWidth() < MinWidth())
    SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
  else
    LayoutButtons();
}

void TNsgSpinButton::SetDirection(TSpinDirection Value) {
  if (FDirection == Value) return;
  FDirection = Value;
  if (HandleAllocated()) RecreateWnd();
  const bool horizontal = Value == spHorizontal;
  FUpButton->SetButtonDirection(horizontal ? bdRight : bdUp);
  FDownButton->SetButtonDirection(horizontal ? bdLeft : bdDown);
  SetBounds(GetLeft(), GetTop(), horizontal ? 20 : 15, GetHeight());
}

void TNsgSpinButton::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TNsgSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TNsgSpinButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case WM_SETFOCUS: MarkFocus(true); break;
    case WM_KILLFOCUS: MarkFocus(false); break;
    default: break;
  }
  inherited::Dispatch(Message);
}

void TNsgSpinButton::MarkFocus(bool AOn) {
  TTimeBtnState state = FFocusedButton->GetTimeBtnState();
  if (AOn)
    state.Include(tbFocusRect);
  else
    state.Exclude(tbFocusRect);
  FFocusedButton->SetTimeBtnState(state);
  FFocusedButton->Invalidate();
}

void TNsgSpinButton::KeyDown(Word& Key, TShiftState Shift) {
  switch (Key) {
    case VK_SPACE: FFocusedButton->Click(); break;
    case VK_UP:
      FocusBtn(FUpButton);
      FUpButton->Click();
      break;
    case VK_DOWN:
      FocusBtn(FDownButton);
      FDownButton->Click();
      break;
    default: break;
  }
  inherited::KeyDown(Key, Shift);
}

void TNsgSpinButton::BtnClick(TObject* Sender) {
  const TNotifyEvent& handler = Sender == FUpButton ? OnUpClick : OnDownClick;
  if (handler) handler(this);
}

void TNsgSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState, Integer, Integer) {
  if (Button != mbLeft) return;
  FocusBtn(static_cast<TNeoTimerSpeedButton*>(Sender));
  if (FFocusControl && FFocusControl->GetTabStop() && FFocusControl->CanFocus() &&
      GetFocus() != FFocusControl->GetHandle()) {
    FFocusControl->SetFocus();
    return;
  }
  if (GetTabStop() && !Focused() && CanFocus()) SetFocus();
}

void TNsgSpinButton::FocusBtn(TNeoTimerSpeedButton* AButton) {
  if (!GetTabStop() || !CanFocus() || AButton == FFocusedButton) return;
  TTimeBtnState old = FFocusedButton->GetTimeBtnState();
  old.Exclude(tbFocusRect);
  FFocusedButton->SetTimeBtnState(old);
  FFocusedButton = AButton;
  if (Focused()) {
    MarkFocus(true);
    Invalidate();
  }
}
