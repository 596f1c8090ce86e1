// The edit with a button, the unit edit, the button container and the two speed buttons.
#include "lib/grid/editing/NsgEditBtn.h"

#include <algorithm>
#include <mutex>

#include "lib/base/NeoXPVS.h"
#include "lib/grid/editing/NsgGdiScopeInternal.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/GraphicsRtti.h"
#include "platform/ui/Menus.h"
#include "platform/win/Messages.h"
#include "platform/win/UxTheme.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

ZELK_ENUM_INFO(TButtonAlign, btnLeft, btnRight)

namespace {

// A command notification the unit edit ignores (the code WM_CUT's number happens to have).
constexpr WORD IgnoredCommandCode = 0x300;

bool MouseButtonsUp() { return GetKeyState(VK_LBUTTON) >= 0; }

void RegisterNsgEditBtnRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using B = TNsgEditButton;
    Publish<B>()
        .Property(u"ButtonCaption", &B::GetButtonCaption, &B::SetButtonCaption)
        .Property(u"ButtonBorderColor", &B::GetButtonBorderColor, &B::SetButtonBorderColor).Type(u"TColor").Default(clNone)
        .Property(u"ButtonColor", &B::GetButtonColor, &B::SetButtonColor).Type(u"TColor").Default(clNone)
        .Property(u"ButtonColorDown", &B::GetButtonColorDown, &B::SetButtonColorDown).Type(u"TColor").Default(clNone)
        .Property(u"ButtonColorHot", &B::GetButtonColorHot, &B::SetButtonColorHot).Type(u"TColor").Default(clNone)
        .Property(u"ButtonTextColor", &B::GetButtonTextColor, &B::SetButtonTextColor).Type(u"TColor").Default(clNone)
        .Property(u"ButtonTextColorDown", &B::GetButtonTextColorDown, &B::SetButtonTextColorDown).Type(u"TColor").Default(clNone)
        .Property(u"ButtonTextColorHot", &B::GetButtonTextColorHot, &B::SetButtonTextColorHot).Type(u"TColor").Default(clNone)
        .Property(u"Flat", &B::GetFlat, &B::SetFlat).Default(false)
        .Property(u"FocusControl", &B::GetFocusControl, &B::SetFocusControl)
        .Property(u"Glyph", &B::GetGlyph, &B::SetGlyph)
        .Property(u"NumGlyphs", &B::GetNumGlyphs, &B::SetNumGlyphs).Default(1);
    using E = TNsgEditBtn;
    Publish<E>()
        .Property(u"ButtonAlign", &E::GetButtonAlign, &E::SetButtonAlign).Default(btnRight)
        .Property(u"ButtonCaption", &E::GetButtonCaption, &E::SetButtonCaption)
        .Property(u"ButtonWidth", &E::GetButtonWidth, &E::SetButtonWidth)
        .Property(u"EditorEnabled", &E::GetEditorEnabled, &E::SetEditorEnabled).Default(true)
        .Property(u"Glyph", &E::GetGlyph, &E::SetGlyph)
        .Property(u"IsWinXP", &E::GetIsWinXP, &E::SetIsWinXP).Default(false)
        .Property(u"RightAlign", &E::GetRightAlign, &E::SetRightAlign).Default(false);
    using U = TNsgUnitEditBtn;
    Publish<U>()
        .Property(u"UnitID", &U::GetUnitID, &U::SetUnitID)
        .Property(u"Units", &U::GetUnits, &U::SetUnits)
        .Property(u"UnitSpace", &U::GetUnitSpace, &U::SetUnitSpace);
    using S = TNsgSpeedButton;
    Publish<S>()
        .Property(u"ImageIndex", &S::GetImageIndex, &S::SetImageIndex).Default(-1)
        .Property(u"Images", &S::GetImages, &S::SetImages)
        .Property(u"Picture", &S::GetPicture, &S::SetPicture);
    RegisterClasses({TNsgEditButton::StaticClass(), TNsgEditBtn::StaticClass(), TNsgUnitEditBtn::StaticClass(),
                     TNsgSpeedButton::StaticClass(), TNeoSpeedButton::StaticClass()});
  });
}

// The colour for a button state: the hot or down colour when that state holds and the colour is
// set, the normal one otherwise.
TColor StateColor(TColor Normal, TColor Hot, TColor Down, bool IsHot, bool IsDown) {
  if (IsDown && Down != clNone) return Down;
  if (IsHot && Hot != clNone) return Hot;
  return Normal;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TNeoSpeedButton

TNeoSpeedButton::TNeoSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TNeoSpeedButton::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  Invalidate();
}

void TNeoSpeedButton::SetFlat(bool Value) {
  FFlat = Value;
  Invalidate();
}

TNsgEditButton* TNeoSpeedButton::Container() const { return dynamic_cast<TNsgEditButton*>(GetOwner()); }

bool TNeoSpeedButton::Pressed() const { return GetState() == bsDown || GetState() == bsExclusive; }

void TNeoSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      inherited::Dispatch(Message);
      if (Message.LParam) return;   // a child's notification
      FHot = Message.Msg == CM_MOUSEENTER;
      Invalidate();
      return;
    default: inherited::Dispatch(Message); return;
  }
}

bool TNeoSpeedButton::PaintThemed(const TRect& R) {
  if (!NeoXPVS::IsThemeActive || !NeoXPVS::IsThemeActive() || !NeoXPVS::OpenThemeData || !GetParent()) return false;
  HTHEME theme = NeoXPVS::OpenThemeData(GetParent()->GetHandle(), u"button");
  if (!theme) return false;
  const int state = Pressed() ? PBS_PRESSED : FHot ? PBS_HOT : PBS_NORMAL;
  NeoXPVS::DrawThemeBackground(theme, GetCanvas()->GetHandle(), BP_PUSHBUTTON, state, &R, nullptr);
  NeoXPVS::CloseThemeData(theme);
  return true;
}

TRect TNeoSpeedButton::PaintFace() {
  HDC dc = GetCanvas()->GetHandle();
  TRect r{0, 0, GetWidth(), GetHeight()};
  TNsgEditButton* owner = Container();
  if (owner && owner->GetButtonColor() != clNone) {
    FFlat = true;
    const TColor fill = StateColor(owner->GetButtonColor(), owner->GetButtonColorHot(), owner->GetButtonColorDown(),
                                   FHot, Pressed());
    {
      TSolidFill face(dc, fill);
      Rectangle(dc, r.left, r.top, r.right, r.bottom);
    }
    const TColor text = StateColor(owner->GetButtonTextColor(), owner->GetButtonTextColorHot(),
                                   owner->GetButtonTextColorDown(), FHot, Pressed());
    if (text != clNone) {
      GetCanvas()->GetBrush()->SetColor(text);
      GetCanvas()->GetPen()->SetColor(text);
    }
  } else if (FIsWinXP && PaintThemed(r)) {
  } else if (!FFlat) {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pressed() ? DFCS_PUSHED : 0));
  } else {
    DrawEdge(dc, &r, Pressed() ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
    InflateRect(&r, -1, -1);
  }
  return r;
}

void TNeoSpeedButton::Paint() {
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  PaintFace();
  const Integer shift = GetState() == bsDown ? 1 : 0;
  TBitmap* glyph = GetGlyph();
  if (glyph && !glyph->GetEmpty()) {
    glyph->SetTransparent(true);
    const Integer x = glyph->GetWidth() < GetWidth() ? (GetWidth() - glyph->GetWidth()) >> 1 : 0;
    const Integer y = glyph->GetHeight() < GetHeight() ? (GetHeight() - glyph->GetHeight()) >> 1 : 0;
    canvas->Draw(x + shift, y + shift, glyph);
  }
  const String caption = GetCaption();
  if (caption.empty()) return;
  HDC dc = canvas->GetHandle();
  ControlPaint::TSelectFont font(dc, GetFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TRect t{shift, shift, GetWidth() + shift, GetHeight() + shift};
  DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ---------------------------------------------------------------------------------------------
// TNsgEditButton

TNsgEditButton::TNsgEditButton(TComponent* AOwner) : TWinControl(AOwner) {
  RegisterNsgEditBtnRtti();
  TControlStyle style = GetControlStyle();
  style.Exclude(csAcceptsControls);
  style.Exclude(csSetCaption);
  style.Include(csOpaque);
  SetControlStyle(style);
  FWidth = 20;
  FHeight = 25;
  FButton = new TNeoSpeedButton(this);
  FButton->SetParent(this);
  FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    ButtonMouseUp(Sender, Button, Shift, X, Y);
  };
  FillWithButton();
}

void TNsgEditButton::SetColorAndRepaint(TColor& AField, TColor Value) {
  AField = Value;
  FButton->Invalidate();
}

void TNsgEditButton::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TNsgEditButton::SetFlat(bool Value) {
  FFlat = Value;
  FButton->SetFlat(Value);
}

void TNsgEditButton::FillWithButton() {
  if (FButton && !GetComponentState().Contains(csLoading)) FButton->SetBounds(0, 0, GetWidth(), GetHeight());
}

void TNsgEditButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  FillWithButton();
}

void TNsgEditButton::Loaded() {
  TWinControl::Loaded();
  FillWithButton();
}

void TNsgEditButton::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TNsgEditButton::Dispatch(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Msg == WM_SIZE) FillWithButton();
}

void TNsgEditButton::ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState, Integer, Integer) {
  if (Button != mbLeft) return;
  if (Sender == FButton && OnClick) OnClick(this);
  if (FFocusControl && FFocusControl->GetTabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (GetTabStop() && CanFocus() && !Focused())
    SetFocus();
}

// ---------------------------------------------------------------------------------------------
// TNsgEditBtn

TNsgEditBtn::TNsgEditBtn(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  RegisterNsgEditBtnRtti();
  TControlStyle style = GetControlStyle();
  style.Exclude(csSetCaption);
  SetControlStyle(style);
  FButton = new TNsgEditButton(this);
  FButton->SetBounds(0, 0, 18, 18);
  FButton->SetVisible(true);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  // Virtual, so that a descendant's ClickButton receives the click.
  FButton->OnClick = [this](TObject*) { ClickButton(); };
  SetText(u"0");
}

TNsgEditBtn::~TNsgEditBtn() {
  // The container is an owned component and goes with the others.
  FButton = nullptr;
}

void TNsgEditBtn::ClickButton() {
  if (OnClickBtn) OnClickBtn(FButton);
}

void TNsgEditBtn::SetRightAlign(bool Value) {
  if (FRightAlign == Value) return;
  FRightAlign = Value;
  // The class library's edit lays its text out by Alignment, which also gives ES_RIGHT.
  SetAlignment(Value ? taRightJustify : taLeftJustify);
  RecreateWnd();
}

void TNsgEditBtn::SetButtonWidth(Integer Value) {
  FButtonWidth = Value;
  FButton->SetWidth(Value);
  ResizeButton();
}

void TNsgEditBtn::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FButton->GetButton()->SetIsWinXP(Value);
}

void TNsgEditBtn::SetButtonAlign(TButtonAlign Value) {
  if (FButtonAlign == Value) return;
  FButtonAlign = Value;
  ResizeButton();
}

void TNsgEditBtn::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  // Multi-line only so that the formatting rectangle can be set; the edit stays one line.
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  if (FRightAlign) Params.Style |= ES_RIGHT;
}

void TNsgEditBtn::CreateWnd() {
  inherited::CreateWnd();
  SetEditRect();
}

void TNsgEditBtn::SetEditRect() {
  if (!HandleAllocated() || !FButton) return;
  RECT r{};
  SendMessage(GetHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  const TRect client = GetClientRect();
  const Integer edge = GetBorderStyle() == bsSingle ? 1 : 3;
  const Integer button = FButton->GetWidth();
  r.bottom = client.bottom + 1;
  r.top = edge;
  if (FButtonAlign == btnRight) {
    r.left = edge;
    r.right = client.right - button - FUnitSize - 5 - (FUnitSize ? 3 : 0);
  } else {
    r.left = button + edge;
    r.right = client.right - FUnitSize - (FUnitSize ? 6 : 3);
  }
  SendMessage(GetHandle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
  SendMessage(GetHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

Integer TNsgEditBtn::GetMinHeight() {
  const TFontHeights heights = MeasureFontHeights(GetFont());
  return heights.Font + std::min(heights.Font, heights.System) / 4;
}

void TNsgEditBtn::ResizeButton() {
  if (!FButton) return;
  const Integer minHeight = GetMinHeight();
  if (GetHeight() < minHeight) {
    // The resulting WM_SIZE places the button.
    SetBounds(GetLeft(), GetTop(), GetWidth(), minHeight);
    return;
  }
  // The class library's edits are new-style and sunken (Ctl3D) here.
  const Integer a = GetBorderStyle() == bsSingle ? 5 : 1;
  const Integer w = FButton->GetWidth();
  if (FButtonAlign == btnRight)
    FButton->SetBounds(GetWidth() - w - a, 0, w, GetHeight() - a);
  else
    // One pixel in from the client edge, as on the right: the text rectangle starts just after it.
    FButton->SetBounds(1, 0, w, GetHeight() - a);
  SetEditRect();
}

void TNsgEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (Key == VK_F4 && !Shift.Contains(ssCtrl) && GetKeyState(VK_LMENU) >= 0 && GetKeyState(VK_RMENU) >= 0)
    ClickButton();
}

void TNsgEditBtn::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CHAR:
      if (!FEditorEnabled) return;
      break;
    case WM_PASTE:
    case WM_CUT:
      if (!FEditorEnabled || GetReadOnly()) return;
      break;
    case CM_ENTER:
      // A click keeps the caret where it lands.
      if (GetAutoSelect() && MouseButtonsUp()) SelectAll();
      break;
    case WM_SIZE:
      inherited::Dispatch(Message);
      ResizeButton();
      return;
    default: break;
  }
  inherited::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TNsgUnitEditBtn

TNsgUnitEditBtn::TNsgUnitEditBtn(TComponent* AOwner) : TNsgEditBtn(AOwner), FUnits(std::make_unique<TStringList>()) {
  FUnitSize = 20;
  SetRightAlign(true);
}

TNsgUnitEditBtn::~TNsgUnitEditBtn() = default;

void TNsgUnitEditBtn::SetUnitID(const String& Value) {
  FUnitID = Value;
  Invalidate();
}

void TNsgUnitEditBtn::SetUnits(TStrings* Value) {
  if (Value) FUnits->Assign(Value);
}

void TNsgUnitEditBtn::SetUnitSpace(Integer Value) {
  FUnitSize = Value;
  SetEditRect();
  Invalidate();
}

String TNsgUnitEditBtn::GetTextAndUnit() { return GetText() + FUnitID; }

void TNsgUnitEditBtn::SetTextAndUnit(const String& Value) {
  const Integer length = static_cast<Integer>(Value.size());
  for (Integer i = 0; i < FUnits->GetCount(); ++i) {
    const String unit = FUnits->GetStrings(i);
    const Integer p = Pos(unit, Value);
    if (p > 0 && p == length - static_cast<Integer>(unit.size()) + 1) {
      SetText(Copy(Value, 1, p - 1));
      SetUnitID(Copy(Value, p, length));
      return;
    }
  }
}

void TNsgUnitEditBtn::ClickButton() {
  if (OnClickBtn) OnClickBtn(this);
  HMENU menu = CreatePopupMenu();
  for (Integer i = 0; i < FUnits->GetCount(); ++i)
    AppendMenu(menu, MF_STRING, static_cast<WPARAM>(i + 1), FUnits->GetStrings(i).c_str());
  const TPoint origin = GetClientOrigin();
  TrackPopupMenu(menu, TPM_LEFTBUTTON, origin.x + GetClientWidth() - 15, origin.y + GetClientHeight(), 0, GetHandle(),
                 nullptr);
  DestroyMenu(menu);
}

void TNsgUnitEditBtn::PaintUnit() {
  if (!HandleAllocated() || FUnitID.empty()) return;
  HDC dc = GetDC(GetHandle());
  {
    ControlPaint::TSelectFont font(dc, GetFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(GetFont()->GetColor()));
    const Integer cw = GetClientWidth(), right = cw - GetButton()->GetWidth() - 3;
    TRect r{right - FUnitSize, 2, right, GetClientHeight()};
    DrawText(dc, FUnitID.c_str(), static_cast<int>(FUnitID.size()), &r, DT_EDITCONTROL);
  }
  ReleaseDC(GetHandle(), dc);
}

void TNsgUnitEditBtn::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      inherited::Dispatch(Message);
      PaintUnit();
      return;
    case WM_COMMAND: {
      const Integer id = LOWORD(Message.WParam);
      if (HIWORD(Message.WParam) != IgnoredCommandCode && id >= 1 && id <= FUnits->GetCount()) {
        const String previous = FUnitID;
        SetUnitID(FUnits->GetStrings(id - 1));
        if (FUnitID != previous && OnUnitChanged) OnUnitChanged(this, FUnitID);
        return;
      }
      break;
    }
    default: break;
  }
  inherited::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TNsgSpeedButton

TNsgSpeedButton::TNsgSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner), FPicture(std::make_unique<TPicture>()) {
  RegisterNsgEditBtnRtti();
}

TNsgSpeedButton::~TNsgSpeedButton() = default;

void TNsgSpeedButton::SetPicture(TPicture* Value) {
  FPicture->Assign(Value);
  Invalidate();
}

void TNsgSpeedButton::SetImages(TCustomImageList* Value) {
  FImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TNsgSpeedButton::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Invalidate();
}

void TNsgSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
  TSpeedButton::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TNsgSpeedButton::Paint() {
  TSpeedButton::Paint();
  TCanvas* canvas = GetCanvas();
  if (FImages && FImageIndex >= 0 && FImageIndex < FImages->GetCount())
    FImages->Draw(canvas, (GetWidth() - FImages->GetWidth()) / 2, (GetHeight() - FImages->GetHeight()) / 2,
                  FImageIndex, true);
  TGraphic* graphic = FPicture->GetGraphic();
  if (graphic && !graphic->GetEmpty())
    canvas->Draw((GetWidth() - graphic->GetWidth()) / 2, (GetHeight() - graphic->GetHeight()) / 2, graphic);
}
