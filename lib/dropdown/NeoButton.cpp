#include "lib/dropdown/NeoButton.h"

#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"

// ---------------------------------------------------------------------------------------------
// TDbgList

Pointer TDbgList::GetItemsEx(Integer Index) const {
  if (Index >= GetCount()) throw Exception(u"Index out of bounds in list read access");
  return GetItems(Index);
}

void TDbgList::SetItemsEx(Integer Index, Pointer Value) {
  if (Index >= GetCount()) throw Exception(u"Index out of bounds in list write access");
  SetItems(Index, Value);
}

void TDbgList::AssignList(const TList* List) {
  Clear();
  for (Pointer p : *List) Add(p);
}

// ---------------------------------------------------------------------------------------------
// TNeoButton

namespace {
bool IsClosingResult(TModalResult R) { return (R >= mrOk && R <= mrAbort) || (R >= mrIgnore && R <= mrNo) || (R >= mrAll && R <= mrYesToAll); }
bool IsCancelResult(TModalResult R) {
  return R == mrCancel || R == mrAbort || R == mrIgnore || R == mrNo || R == mrNoToAll;
}
}  // namespace

TNeoButton::TNeoButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 23, 22);
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks});
  SetParentFont(true);
  GetFont()->SetName(u"Tahoma");
  SetShowHint(false);
  SetDoubleBuffered(true);
  FUnHotTimer = new TTimer(this);
  FUnHotTimer->SetInterval(1);
  FUnHotTimer->SetEnabled(false);
  FUnHotTimer->SetOnTimer([this](TObject* Sender) { UnHotTimerTick(Sender); });
}

TNeoButton::~TNeoButton() = default;

void TNeoButton::SetAppearance(TNeoButtonAppearance* Value) {
  FAppearance = Value;
  Invalidate();
}

void TNeoButton::SetImages(TCustomImageList* Value) {
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TNeoButton::SetImageIndex(Integer Value) {
  FImageIndex = Value;
  Invalidate();
}

void TNeoButton::SetNeoDropDown(TNeoCustomDropDown* Value) {
  FNeoDropDown = Value;
  if (Value) Value->FreeNotification(this);
}

void TNeoButton::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove || GetComponentState().Contains(csDestroying)) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FNeoDropDown) FNeoDropDown = nullptr;
}

void TNeoButton::AdjustToContent() {
  if (!FAppearance) return;
  TCanvas* canvas = GetCanvas();
  canvas->GetFont()->Assign(FAppearance->GetFont());
  TSize size = GetTextSize(canvas, GetCaption());
  if (FImages && FImageIndex >= 0) {
    size.cx = std::max<LONG>(size.cx, FImages->GetWidth());
    size.cy = std::max<LONG>(size.cy, FImages->GetHeight());
  }
  SetHeight(size.cy + 4);
  SetWidth(size.cx + 8);
}

void TNeoButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  const bool cancel = IsCancelResult(FModalResult);
  if (FNeoDropDown && IsClosingResult(FModalResult)) FNeoDropDown->DoHideDropDown(cancel);
  if (!FInternalClick) inherited::Click();
}

void TNeoButton::SetDown(bool Value) {
  if (GetComponentState().Contains(csLoading)) FInitialDown = Value;
  if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
  if (FStyle == tasCheck) {
    FDown = Value;
    FState = Value ? absDown : absUp;
    Repaint();
    return;
  }
  if (Value == FDown || (FDown && !FAllowAllUp)) return;
  FDown = Value;
  if (Value) {
    if (FState == absUp) Invalidate();
    FState = absExclusive;
    NotifyGroup();
  } else {
    FState = absUp;
    Repaint();
  }
}

void TNeoButton::Loaded() {
  inherited::Loaded();
  if (FInitialDown != FDown) SetDown(FInitialDown);
}

void TNeoButton::NotifyGroup() {
  if (FGroupIndex == 0 || !GetParent()) return;
  TMessage message{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
  GetParent()->Broadcast(message);
}

void TNeoButton::Paint() {
  if (!GetEnabled()) {
    FState = absDisabled;
    FDragging = false;
  } else if (FState == absDisabled) {
    FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
  }
  if (FStyle == tasCheck && FDown) FState = absDown;
  DrawButton();
}

void TNeoButton::PaintParentBackground(HDC DC) {
  TWinControl* parent = GetParent();
  if (!parent) return;
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, 0, 0, GetClientWidth(), GetClientHeight());
  SetWindowOrgEx(DC, GetLeft(), GetTop(), nullptr);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
  // The parent's painting proper, as its WM_PAINT would do it, but not clipped around this
  // button's window; then its graphic controls.
  const int inner = SaveDC(DC);
  TWinCtrl::PaintWnd(parent, DC);
  RestoreDC(DC, inner);
  TWinCtrl::PaintCtrls(parent, DC, nullptr);
  RestoreDC(DC, saved);
}

void TNeoButton::DrawButton() {
  TCanvas* canvas = GetCanvas();
  PaintParentBackground(canvas->GetHandle());
  if (!FAppearance) return;
  const TNeoButtonAppearance& a = *FAppearance;
  TColor fill = a.GetColor(), fillTo = a.GetColorTo(), border = a.GetBorderColor();
  if (!GetEnabled()) {
    fill = a.GetColorDisabled();
    fillTo = a.GetColorDisabledTo();
    border = a.GetBorderColorDisabled();
  } else if (FMouseDownInControl && FMouseInControl) {
    fill = fillTo = a.GetColorDown();
    border = a.GetBorderColorDown();
  } else if (FDown) {
    fill = fillTo = a.GetColorChecked();
    border = a.GetBorderColorChecked();
  } else if (FMouseInControl || Focused()) {
    fill = fillTo = a.GetColorHot();
    border = a.GetBorderColorHot();
  }
  const TRect r = GetClientRect();
  DrawGradientRect(canvas, r, fill, a.GetGradient() == gdVertical, 1, border, fillTo);
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->GetFont()->Assign(a.GetFont());
  DrawImageText(canvas, r, GetCaption(), FImageIndex, FImages);
}

void TNeoButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled() || GetComponentState().Contains(csDesigning)) return;
  FMouseDownInControl = true;
  if (!FDown) {
    FState = absDown;
    Invalidate();
  }
  if (FStyle == tasCheck) {
    FState = absDown;
    Repaint();
  }
  FDragging = true;
}

void TNeoButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  if (FDragging) {
    TNeoButtonState state = FDown ? absExclusive : absUp;
    if (X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight()) state = FDown ? absExclusive : absDown;
    if (FStyle == tasCheck && FDown) state = absDown;
    if (state != FState) {
      FState = state;
      Invalidate();
    }
  } else if (!FMouseInControl) {
    UpdateTracking();
  }
}

void TNeoButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (GetComponentState().Contains(csDesigning)) return;
  FMouseDownInControl = false;
  Invalidate();
  if (FDragging) {
    FDragging = false;
    const bool inside = X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight();
    if (FGroupIndex != 0) {
      if (inside) {
        SetDown(!FDown);
        if (FDown) Invalidate();
      } else {
        if (FDown) FState = absExclusive;
        Invalidate();
      }
    } else {
      FState = absUp;
      FMouseInControl = false;
      FHot = false;
      if (FStyle == tasCheck) {
        SetDown(!FDown);
        FState = absUp;
      }
      if (inside && FState != absDown && FState != absExclusive) Invalidate();
    }
  }
  UpdateTracking();
}

void TNeoButton::UpdateTracking() {
  if (!GetEnabled()) return;
  TPoint p;
  GetCursorPos(&p);
  if (FindDragTarget(p, true) == this) Perform(CM_MOUSEENTER, 0, 0);
  else Perform(CM_MOUSELEAVE, 0, 0);
}

void TNeoButton::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN || Key == VK_SPACE) {
    if (!FDown) {
      FState = absDown;
      if (FStyle == tasCheck) Repaint();
      else Invalidate();
    }
    FInternalClick = true;
    try {
      Click();
    } catch (...) {
      FInternalClick = false;
      throw;
    }
    FInternalClick = false;
  }
  inherited::KeyDown(Key, Shift);
}

void TNeoButton::Unhot() {
  FUnHotTimer->SetEnabled(false);
  FMouseInControl = false;
  FHot = false;
  if (GetEnabled()) Invalidate();
}

void TNeoButton::UnHotTimerTick(TObject*) {
  TPoint p;
  GetCursorPos(&p);
  TPoint local = ScreenToClient(p);
  const TRect r = GetClientRect();
  if (local.x < r.left || local.x >= r.right || local.y < r.top || local.y >= r.bottom) Unhot();
}

void TNeoButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      if (GetComponentState().Contains(csDesigning)) break;
      inherited::Dispatch(Message);
      FHot = true;
      if (GetEnabled()) Invalidate();
      FUnHotTimer->SetEnabled(true);
      return;
    case CM_MOUSELEAVE:
      if (GetComponentState().Contains(csDesigning)) break;
      inherited::Dispatch(Message);
      Unhot();
      return;
    case CM_BUTTONPRESSED: {
      auto* sender = reinterpret_cast<TNeoButton*>(Message.LParam);
      if (static_cast<Integer>(Message.WParam) == FGroupIndex && sender != this && sender) {
        if (sender->FDown && FDown) {
          FDown = false;
          FState = absUp;
          Invalidate();
        }
        FAllowAllUp = sender->FAllowAllUp;
      }
      return;
    }
    case CM_DIALOGCHAR:
      if (GetEnabled() && IsAccel(static_cast<Word>(Message.WParam), GetCaption())) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    case WM_ERASEBKGND:
      Message.Result = 1;
      break;
    case CM_ENABLEDCHANGED:
    case CM_FOCUSCHANGED:
      inherited::Dispatch(Message);
      Invalidate();
      return;
    default: break;
  }
  inherited::Dispatch(Message);
}
