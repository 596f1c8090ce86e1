// Forms: border and window styles, showing and positioning, activation and the focus chain,
// closing, modal loops; frames.
#include "platform/ui/Forms.h"

#include <algorithm>

namespace {

TDialogObserver& DialogObserver() {
  static TDialogObserver observer;
  return observer;
}

// Focus moves made while a focus message is handled; a handler that moves the focus elsewhere
// ends the chain of CM_EXIT / CM_ENTER messages in progress.
Integer gFocusCount = 0;

bool SendFocusMessage(TWinControl* Control, UINT Msg) {
  Integer count = gFocusCount;
  Control->Perform(Msg, 0, 0);
  return gFocusCount == count;
}

}  // namespace

Integer gRecreatingWindows = 0;

void SetDialogObserver(TDialogObserver Observer) { DialogObserver() = std::move(Observer); }

// ---------------------------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FVisible = false;
  FParentFont = false;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
  FWidth = 320;
  FHeight = 240;
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
  DestroyHandle();
  if (Screen) Screen->RemoveForm(this);
}

void TCustomForm::AfterConstruction() {
  if (FCreated) return;
  FCreated = true;
  if (OnCreate) OnCreate(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  FFormStyle = Value;
  if (FHandle)
    SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (FHandle && GetShowing())
    ShowWindow(FHandle, Value == wsMaximized ? SW_SHOWMAXIMIZED : Value == wsMinimized ? SW_SHOWMINIMIZED : SW_RESTORE);
}

namespace {

// A top-level form with AlphaBlend is a layered window shown at AlphaBlendValue; without, it is
// not layered.
void ApplyAlphaBlend(HWND Handle, bool AlphaBlend, Byte Value) {
  LONG ex = GetWindowLong(Handle, GWL_EXSTYLE);
  if (AlphaBlend) {
    SetWindowLong(Handle, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(Handle, 0, Value, LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLong(Handle, GWL_EXSTYLE, ex & ~static_cast<LONG>(WS_EX_LAYERED));
  }
}

}  // namespace

void TCustomForm::SetAlphaBlend(bool Value) {
  if (FAlphaBlend == Value) return;
  FAlphaBlend = Value;
  if (FHandle && !FParent) ApplyAlphaBlend(FHandle, FAlphaBlend, FAlphaBlendValue);
}

void TCustomForm::SetAlphaBlendValue(Byte Value) {
  if (FAlphaBlendValue == Value) return;
  FAlphaBlendValue = Value;
  if (FHandle && !FParent && FAlphaBlend) ApplyAlphaBlend(FHandle, FAlphaBlend, FAlphaBlendValue);
}

TMonitor* TCustomForm::GetMonitor() {
  if (!Screen) return nullptr;
  if (FHandle) return Screen->MonitorFromWindow(FHandle);
  return Screen->MonitorFromRect(GetBoundsRect());
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (FParent) return;   // a form inside another control is a child window
  Params.Style &= ~(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED);
  Params.Style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  Params.ExStyle &= ~WS_EX_CONTROLPARENT;
  if (!FEnabled) Params.Style |= WS_DISABLED;
  switch (FBorderStyle) {
    case bsNone: Params.Style |= WS_POPUP; break;
    case bsSingle: Params.Style |= WS_CAPTION; break;
    case bsSizeable: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      Params.Style |= WS_CAPTION;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
    Params.Style |= WS_SYSMENU;
    bool small = FBorderStyle == bsDialog || FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin;
    if (!small && FBorderIcons.Contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
    if (!small && FBorderIcons.Contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
  }
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  // Secondary forms are owned by the main form (they stay above it), modal ones by the active one.
  Params.WndParent = FParentWindow;
  if (!Params.WndParent && Application && Application->FMainForm && Application->FMainForm != this &&
      Application->FMainForm->HandleAllocated())
    Params.WndParent = Application->FMainForm->FHandle;
}

void TCustomForm::CreateWnd() {
  AfterConstruction();
  if (FScaled && Screen && !FParent) {
    Integer ppi = Screen->GetPixelsPerInch();
    if (ppi != FPixelsPerInch) {
      ScaleBy(ppi, FPixelsPerInch);
      FPixelsPerInch = ppi;
    }
  }
  TWinControl::CreateWnd();
  if (FAlphaBlend && !FParent) ApplyAlphaBlend(FHandle, FAlphaBlend, FAlphaBlendValue);
}

bool TCustomForm::GetShowing() const {
  if (FParent) return TWinControl::GetShowing();
  return FHandle && IsWindowVisible(FHandle);
}

void TCustomForm::ApplyPosition() {
  if (FPositioned || FParent) return;
  FPositioned = true;
  TRect area;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      area = Screen ? Screen->GetWorkAreaRect() : TRect{0, 0, 1024, 768};
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* center = FPosition == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(GetOwner()) : nullptr;
      if (!center && Application) center = Application->FMainForm;
      if (center && center != this && center->GetVisible()) area = center->GetBoundsRect();
      else area = Screen ? Screen->GetWorkAreaRect() : TRect{0, 0, 1024, 768};
      break;
    }
    default:
      return;
  }
  Integer l = area.left + (area.right - area.left - FWidth) / 2;
  Integer t = area.top + (area.bottom - area.top - FHeight) / 2;
  SetBounds(std::max<Integer>(l, area.left), std::max<Integer>(t, area.top), FWidth, FHeight);
}

void TCustomForm::SetVisible(bool Value) {
  if (FParent) {
    TWinControl::SetVisible(Value);
    return;
  }
  if (FVisible == Value) return;
  FVisible = Value;
  if (Value) {
    ApplyPosition();
    HandleNeeded();
    DoShow();
    if (!FVisible) return;
    ShowWindow(FHandle, FWindowState == wsMaximized ? SW_SHOWMAXIMIZED
                        : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                                      : SW_SHOWNORMAL);
    if (FHandle && !FActive && IsWindowEnabled(FHandle)) SetActiveWindow(FHandle);
  } else {
    if (FHandle) ShowWindow(FHandle, SW_HIDE);
    DoHide();
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  if (FHandle && !FParent) SetForegroundWindow(FHandle);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Resize() { TWinControl::Resize(); }

void TCustomForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
  HWND h = GetHandle();
  if (FParent) {
    ::SetFocus(h);
    return;
  }
  if (GetActiveWindow() != h) SetActiveWindow(h);
  else if (FActiveControl && FActiveControl->FHandle) ::SetFocus(FActiveControl->FHandle);
  else ::SetFocus(h);
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  if (Control && (Control == this || !ContainsControl(Control) || (GetVisible() && !Control->CanFocus())))
    throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (FActive && Control && GetVisible()) ::SetFocus(Control->GetHandle());
}

void TCustomForm::FocusControl(TWinControl* Control) {
  bool wasActive = FActive;
  // A new active control was given the focus by SetActiveControl; a control that refused to
  // let it go (its exit failed) keeps it.
  bool focusGiven = FActiveControl != Control && FActive && Control && GetVisible();
  SetActiveControl(Control);
  if (!wasActive && GetVisible()) SetFocus();
  else if (!focusGiven && Control && Control->FHandle && GetFocus() != Control->FHandle && FActive)
    ::SetFocus(Control->FHandle);
}

void TCustomForm::DefocusControl(TWinControl* Control) {
  if (Control == this) return;
  if (FFocusedControl && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->GetParent();
  if (FActiveControl && Control->ContainsControl(FActiveControl)) {
    FActiveControl = nullptr;
    HWND focus = GetFocus();
    TWinControl* f = FindControl(focus);
    if (f && Control->ContainsControl(f) && FHandle) ::SetFocus(FHandle);
  }
  if (Screen && Screen->FActiveControl && Control->ContainsControl(Screen->FActiveControl)) Screen->FActiveControl = nullptr;
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  ++gFocusCount;
  if (FComponentState.Contains(csDestroying)) return false;
  // A control making a new window keeps its place in the focus chain: no exit, no enter.
  if (gRecreatingWindows > 0) return true;
  FActiveControl = Control != this ? Control : nullptr;
  if (Screen) {
    Screen->SetActiveControl(Control);
    Screen->SetActiveForm(this);
  }
  if (Control->FControlState.Contains(csFocusing)) return false;
  Control->FControlState.Include(csFocusing);
  struct TGuard {
    TWinControl* C;
    ~TGuard() { C->FControlState.Exclude(csFocusing); }
  } guard{Control};
  if (!FFocusedControl) FFocusedControl = this;
  if (FFocusedControl != Control) {
    while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
      TWinControl* leaving = FFocusedControl;
      FFocusedControl = FFocusedControl->GetParent();
      if (!SendFocusMessage(leaving, CM_EXIT)) return false;
    }
    while (FFocusedControl != Control) {
      TWinControl* entering = Control;
      while (entering->GetParent() != FFocusedControl) entering = entering->GetParent();
      FFocusedControl = entering;
      if (!SendFocusMessage(entering, CM_ENTER)) return false;
    }
    TMessage m{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control), 0};
    WindowProc(m);
  }
  return true;
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->FMainForm == this) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::Release() {
  if (FHandle) PostMessage(FHandle, CM_RELEASE, 0, 0);
  else delete this;
}

void TCustomForm::CMRelease(TMessage&) { delete this; }

Integer TCustomForm::ShowModal() {
  if (GetVisible() || !GetEnabled() || FFormState.Contains(fsModal) || FParent)
    throw EInvalidOperation(u"Cannot make a visible window modal");
  if (HWND capture = GetCapture()) {
    SendMessage(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
  }
  FFormState.Include(fsModal);
  HWND activeBefore = GetActiveWindow();
  // Owned by the active window, so that it stays above it.
  if (!FParentWindow && activeBefore && !FHandle) FParentWindow = activeBefore;
  std::vector<HWND> disabled;
  if (Screen)
    for (TCustomForm* f : Screen->FForms)
      if (f != this && f->FHandle && !f->FParent && IsWindowVisible(f->FHandle) && IsWindowEnabled(f->FHandle)) {
        EnableWindow(f->FHandle, FALSE);
        disabled.push_back(f->FHandle);
      }
  auto restore = [&] {
    if (FHandle) {
      ShowWindow(FHandle, SW_HIDE);
      FVisible = false;
      DoHide();
    }
    for (HWND h : disabled)
      if (IsWindow(h)) EnableWindow(h, TRUE);
    if (activeBefore && IsWindow(activeBefore) && IsWindowVisible(activeBefore)) SetActiveWindow(activeBefore);
    FFormState.Exclude(fsModal);
    if (Application) --Application->FModalLevel;
  };
  if (Application) ++Application->FModalLevel;
  Integer result = mrNone;
  try {
    Show();
    FModalResult = mrNone;
    // A copy: the observer may replace itself while it runs.
    if (TDialogObserver observer = DialogObserver()) observer(this);
    while (true) {
      if (FModalResult == mrNone) Application->HandleMessage();
      if (Application->GetTerminated()) FModalResult = mrCancel;
      else if (FModalResult != mrNone) {
        // The form may refuse to close, or be freed on closing.
        TCloseAction action = caNone;
        if (CloseQuery()) {
          action = caHide;
          DoClose(action);
        }
        if (action == caNone) FModalResult = mrNone;
      }
      if (FModalResult != mrNone) break;
    }
    result = FModalResult;
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return result;
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_CLOSE: WMClose(Message); return;
    case WM_SYSCOMMAND: WMSysCommand(Message); return;
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_RELEASE: CMRelease(Message); return;
    case WM_NEXTDLGCTL: WMNextDlgCtl(Message); return;
    case WM_MOUSEACTIVATE:
      DefaultHandler(Message);
      return;
    default: inherited::Dispatch(Message); return;
  }
}

void TCustomForm::WMActivate(TMessage& Message) {
  bool active = LOWORD(Message.WParam) != WA_INACTIVE;
  if (FParent) {
    DefaultHandler(Message);
    return;
  }
  FActive = active;
  if (!active) {
    Deactivate();
    Message.Result = 0;
    return;
  }
  if (Screen) Screen->SetActiveForm(this);
  Activate();
  if (!FHandle || !FActive) return;
  TWinControl* target = FActiveControl;
  if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true, false);
  if (target && target->CanFocus()) ::SetFocus(target->GetHandle());
  else ::SetFocus(FHandle);
  Message.Result = 0;
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMNextDlgCtl(TMessage& Message) {
  Message.Result = 0;
  if (LOWORD(Message.LParam) != 0) {
    TWinControl* target = FindControl(reinterpret_cast<HWND>(Message.WParam));
    if (target && target->CanFocus()) target->SetFocus();
    return;
  }
  SelectNext(FActiveControl, Message.WParam == 0, true);
}

void TCustomForm::WMSysCommand(TMessage& Message) {
  if ((Message.WParam & 0xFFF0) == SC_MINIMIZE) FWindowState = wsMinimized;
  else if ((Message.WParam & 0xFFF0) == SC_MAXIMIZE) FWindowState = wsMaximized;
  else if ((Message.WParam & 0xFFF0) == SC_RESTORE) FWindowState = wsNormal;
  DefaultHandler(Message);
}

void TCustomForm::CMDialogKey(TMessage& Message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (Message.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        if (FActiveControl && FActiveControl->GetParent()) {
          FActiveControl->GetParent()->SelectNext(FActiveControl, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN,
                                                  false);
          Message.Result = 1;
        }
        return;
    }
  }
  inherited::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TFrame

TFrame::TFrame(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FWidth = 320;
  FHeight = 240;
  FColor = clBtnFace;
  FParentColor = true;
  FBrush->SetColor(FColor);
}
