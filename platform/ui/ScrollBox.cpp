// TControlScrollBar, TScrollingWinControl and TScrollBox.
#include "platform/ui/ScrollBox.h"

#include <algorithm>

#include "platform/rtl/ScopeGuard.h"
#include "platform/win/WinScroll.h"

// ---------------------------------------------------------------------------------------------
// TControlScrollBar

void TControlScrollBar::SetIncrement(Integer Value) { FIncrement = std::max(1, Value); }

void TControlScrollBar::SetMargin(Integer Value) {
  FMargin = std::max(0, Value);
  FControl->CalcAutoRange();
}

void TControlScrollBar::SetRange(Integer Value) {
  FControl->FAutoScroll = false;
  DoSetRange(Value);
  FControl->UpdateScrollBars();
}

void TControlScrollBar::DoSetRange(Integer Value) { FRange = std::max(0, Value); }

void TControlScrollBar::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  FControl->UpdateScrollBars();
}

Integer TControlScrollBar::ControlSize() {
  TRect r = FControl->GetClientRect();
  return FKind == sbHorizontal ? r.right - r.left : r.bottom - r.top;
}

bool TControlScrollBar::IsScrollBarVisible() { return FVisible && FRange > ControlSize(); }

void TControlScrollBar::SetPosition(Integer Value) {
  Value = std::clamp(Value, 0, FCalcRange);
  if (Value != FPosition) {
    Integer old = FPosition;
    FPosition = Value;
    if (FKind == sbHorizontal) FControl->ScrollBy(old - Value, 0);
    else FControl->ScrollBy(0, old - Value);
  }
  if (FControl->HandleAllocated() && GetScrollPos(FControl->GetHandle(), BarCode()) != FPosition)
    SetScrollPos(FControl->GetHandle(), BarCode(), FPosition, TRUE);
}

void TControlScrollBar::Update() {
  Integer size = ControlSize();
  FCalcRange = FVisible ? std::max(0, FRange - size) : 0;
  if (FControl->HandleAllocated()) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = FCalcRange > 0 ? FRange - 1 : 0;
    si.nPage = static_cast<UINT>(std::max(0, size));
    si.nPos = std::min(FPosition, FCalcRange);
    SetScrollInfo(FControl->GetHandle(), BarCode(), &si, TRUE);
  }
  SetPosition(FPosition);
}

void TControlScrollBar::ScrollMessage(WORD Code, Integer Pos) {
  // The message carries 16 bits of the thumb's place; a longer range reads the bar's own.
  if ((Code == SB_THUMBTRACK || Code == SB_THUMBPOSITION) && FCalcRange > 0x7FFF && FControl->HandleAllocated()) {
    SCROLLINFO si;
    si.fMask = SIF_TRACKPOS;
    if (GetScrollInfo(FControl->GetHandle(), BarCode(), &si)) Pos = si.nTrackPos;
  }
  switch (Code) {
    case SB_LINEUP: SetPosition(FPosition - FIncrement); break;
    case SB_LINEDOWN: SetPosition(FPosition + FIncrement); break;
    case SB_PAGEUP: SetPosition(FPosition - ControlSize()); break;
    case SB_PAGEDOWN: SetPosition(FPosition + ControlSize()); break;
    case SB_THUMBTRACK:
      if (FTracking) SetPosition(Pos);
      break;
    case SB_THUMBPOSITION: SetPosition(Pos); break;
    case SB_TOP: SetPosition(0); break;
    case SB_BOTTOM: SetPosition(FCalcRange); break;
    default: break;
  }
}

void TControlScrollBar::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TControlScrollBar*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FVisible = s->FVisible;
  FIncrement = s->FIncrement;
  FMargin = s->FMargin;
  FTracking = s->FTracking;
  if (!FControl->FAutoScroll || !s->FControl->FAutoScroll) SetRange(s->FRange);
  SetPosition(s->FPosition);
}

// ---------------------------------------------------------------------------------------------
// TScrollingWinControl

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorzScrollBar(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TScrollingWinControl::CreateWnd() {
  TWinControl::CreateWnd();
  CalcAutoRange();
}

void TScrollingWinControl::SetAutoScroll(bool Value) {
  if (FAutoScroll == Value) return;
  FAutoScroll = Value;
  if (Value) {
    CalcAutoRange();
  } else {
    FHorzScrollBar->DoSetRange(0);
    FVertScrollBar->DoSetRange(0);
    UpdateScrollBars();
  }
}

void TScrollingWinControl::EnableAutoRange() {
  if (FAutoRangeCount > 0 && --FAutoRangeCount == 0) CalcAutoRange();
}

void TScrollingWinControl::CalcAutoRange() {
  if (FAutoRangeCount > 0 || FComponentState.Contains(csDestroying)) return;
  if (FAutoScroll) {
    Integer hpos = FHorzScrollBar->FPosition, vpos = FVertScrollBar->FPosition;
    Integer hRange = 0, vRange = 0, hAligned = 0, vAligned = 0;
    for (Integer i = 0; i < GetControlCount(); ++i) {
      TControl* c = GetControls(i);
      if (!c->GetVisible()) continue;
      TAnchors a = c->GetAnchors();
      switch (c->GetAlign()) {
        case alNone:
          if (a.Contains(akLeft) && !a.Contains(akRight)) hRange = std::max(hRange, hpos + c->GetLeft() + c->GetWidth());
          if (a.Contains(akTop) && !a.Contains(akBottom)) vRange = std::max(vRange, vpos + c->GetTop() + c->GetHeight());
          break;
        case alLeft: hRange = std::max(hRange, hpos + c->GetLeft() + c->GetWidth()); break;
        case alTop: vRange = std::max(vRange, vpos + c->GetTop() + c->GetHeight()); break;
        case alRight: hAligned += c->GetWidth(); break;
        case alBottom: vAligned += c->GetHeight(); break;
        default: break;
      }
    }
    FHorzScrollBar->DoSetRange(hRange + hAligned + FHorzScrollBar->FMargin);
    FVertScrollBar->DoSetRange(vRange + vAligned + FVertScrollBar->FMargin);
  }
  UpdateScrollBars();
}

void TScrollingWinControl::UpdateScrollBars() {
  if (FUpdatingScrollBars) return;
  FUpdatingScrollBars = true;
  const auto undo = ScopeExit([&] { FUpdatingScrollBars = false; });
  // A bar that appears narrows the client area and may call for the other: settle in two rounds.
  for (int round = 0; round < 2; ++round) {
    FVertScrollBar->Update();
    FHorzScrollBar->Update();
  }
}

void TScrollingWinControl::AdjustClientRect(TRect& Rect) {
  Integer w = std::max(FHorzScrollBar->FRange, Rect.right - Rect.left);
  Integer h = std::max(FVertScrollBar->FRange, Rect.bottom - Rect.top);
  Rect = TRect{-FHorzScrollBar->FPosition, -FVertScrollBar->FPosition, -FHorzScrollBar->FPosition + w,
               -FVertScrollBar->FPosition + h};
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  if (!FScrolling) CalcAutoRange();
}

void TScrollingWinControl::ScrollBy(Integer DeltaX, Integer DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  // Children moved here keep their new place as the one set by code, also during an alignment.
  bool aligning = FControlState.Contains(csAligning);
  FControlState.Exclude(csAligning);
  {
    FScrolling = true;
    DisableAlign();
    const auto undo = ScopeExit([&] {
      FScrolling = false;
      if (aligning) FControlState.Include(csAligning);
    });
    for (Integer i = 0; i < GetControlCount(); ++i) {
      TControl* c = GetControls(i);
      if (c->GetAlign() == alNone) c->SetBounds(c->GetLeft() + DeltaX, c->GetTop() + DeltaY, c->GetWidth(), c->GetHeight());
    }
    EnableAlign();
    Realign();
  }
  Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (!AControl || !ContainsControl(AControl)) return;
  TRect r = AControl->GetClientRect();
  r.left -= FHorzScrollBar->FMargin;
  r.right += FHorzScrollBar->FMargin;
  r.top -= FVertScrollBar->FMargin;
  r.bottom += FVertScrollBar->FMargin;
  TPoint tl = ScreenToClient(AControl->ClientToScreen(TPoint{r.left, r.top}));
  TPoint br = ScreenToClient(AControl->ClientToScreen(TPoint{r.right, r.bottom}));
  TRect client = GetClientRect();
  auto bring = [](TControlScrollBar* Bar, Integer Low, Integer High, Integer Size) {
    if (Low < 0) Bar->SetPosition(Bar->GetPosition() + Low);
    else if (High > Size) Bar->SetPosition(Bar->GetPosition() + std::min(High - Size, Low));
  };
  bring(FHorzScrollBar.get(), tl.x, br.x, client.right);
  bring(FVertScrollBar.get(), tl.y, br.y, client.bottom);
}

bool TScrollingWinControl::WheelScroll(Integer Direction) {
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  TControlScrollBar* bar = FVertScrollBar->IsScrollBarVisible() ? FVertScrollBar.get()
                           : FHorzScrollBar->IsScrollBarVisible() ? FHorzScrollBar.get()
                                                                  : nullptr;
  if (!bar) return false;
  bar->SetPosition(bar->GetPosition() + Direction * static_cast<Integer>(lines) * bar->GetIncrement());
  return true;
}

bool TScrollingWinControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  return TWinControl::DoMouseWheelDown(Shift, MousePos) || WheelScroll(1);
}

bool TScrollingWinControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  return TWinControl::DoMouseWheelUp(Shift, MousePos) || WheelScroll(-1);
}

void TScrollingWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      // The window's own bars send lParam 0; a scroll bar control's message goes on to it.
      if (Message.LParam == 0) {
        TControlScrollBar* bar = Message.Msg == WM_HSCROLL ? FHorzScrollBar.get() : FVertScrollBar.get();
        bar->ScrollMessage(LOWORD(Message.WParam), static_cast<SmallInt>(HIWORD(Message.WParam)));
        return;
      }
      break;
    case WM_SIZE:
      inherited::Dispatch(Message);
      UpdateScrollBars();
      return;
    default: break;
  }
  inherited::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TScrollBox

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FWidth = 185;
  FHeight = 41;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
}

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TScrollingWinControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}
