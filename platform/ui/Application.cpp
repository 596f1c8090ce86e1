// TApplication: the message loop, key routing before dispatch, exceptions, hints and the mouse
// tracking that sends CM_MOUSEENTER / CM_MOUSELEAVE.
#include <cstdio>
#include <cstdlib>

#include "platform/rtl/SysInfo.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/win/WinSystem.h"

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

namespace {

String ProgramTitle() {
  String path = ParamStr(0);
  if (path.empty()) return u"Application";
  std::size_t slash = path.find_last_of(u"/\\");
  String name = slash == String::npos ? path : path.substr(slash + 1);
  std::size_t dot = name.find_last_of(u'.');
  return dot == String::npos || dot == 0 ? name : name.substr(0, dot);
}

// The hint text of a control: its own, or its nearest parent's.
String ControlHint(TControl* Control) {
  for (; Control; Control = Control->GetParent())
    if (!Control->GetHint().empty()) return Control->GetHint();
  return String();
}

}  // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FHintWindowClass(THintWindow::StaticClass()) {}

TApplication::~TApplication() { StopHintTimer(); }

String TApplication::GetTitle() const { return FTitle.empty() ? ProgramTitle() : FTitle; }

void TApplication::Initialize() {
  try {
    InitWindowSystem();
  } catch (const EWindowSystem& E) {
    std::fprintf(stderr, "%s: %s\n", UTF8Encode(GetTitle()).c_str(), UTF8Encode(E.Message).c_str());
    std::exit(1);
  }
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FMainForm) FMainForm = nullptr;
  if (AComponent == FHintWindow) FHintWindow = nullptr;
}

void TApplication::CreateForm(TClass InstanceClass, const std::function<void(TComponent*)>& Reference) {
  bool mainForm = FMainForm == nullptr;
  try {
    TComponent* instance = InstanceClass->Create(this);
    Reference(instance);
    if (auto* form = dynamic_cast<TCustomForm*>(instance)) {
      form->AfterConstruction();
      if (!FMainForm) {
        form->HandleNeeded();
        FMainForm = form;
      }
    }
  } catch (Exception& E) {
    if (!mainForm) throw;
    // Without its main window the program cannot run.
    std::fprintf(stderr, "%s: %s: %s\n", UTF8Encode(GetTitle()).c_str(), UTF8Encode(E.ClassName()).c_str(),
                 UTF8Encode(E.Message).c_str());
    std::fflush(stderr);
    std::exit(1);
  }
}

void TApplication::Run() {
  FRunning = true;
  if (FMainForm && FShowMainForm) FMainForm->SetVisible(true);
  while (!FTerminated) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
  FRunning = false;
}

void TApplication::Terminate() { PostQuitMessage(0); }

bool TApplication::IsKeyMsg(TMsg& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  HWND wnd = GetCapture();
  if (!wnd) {
    wnd = Msg.hwnd;
    // The nearest window of ours: the control that handles the key.
    while (wnd && !FindControl(wnd)) wnd = GetParent(wnd);
    if (!wnd) return false;
  } else if (!FindControl(wnd)) {
    return false;
  }
  return SendMessage(wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::ProcessMessage(TMsg& Msg) {
  if (!PeekMessage(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (Msg.message == WM_TIMER && !Msg.hwnd && FHintTimer && Msg.wParam == FHintTimer) {
    HintTimerExpired();
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(Msg, handled);
  if (handled) return true;
  // A key or a mouse press ends the hint shown.
  switch (Msg.message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN:
      CancelHint();
      break;
  }
  if (!IsKeyMsg(Msg)) {
    TranslateMessage(&Msg);
    DispatchMessage(&Msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  TMsg msg;
  while (ProcessMessage(msg)) {
  }
  DoMouseIdle();
}

void TApplication::HandleMessage() {
  TMsg msg;
  if (!ProcessMessage(msg)) Idle();
}

void TApplication::Idle() {
  DoMouseIdle();
  TMsg msg;
  if (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) WaitMessage();
}

void TApplication::HandleException(TObject* Sender) {
  try {
    throw;
  } catch (Exception& E) {
    HandleException(Sender, E);
  } catch (std::exception& e) {
    Exception E(UTF8ToString(e.what()));
    HandleException(Sender, E);
  }
}

void TApplication::HandleException(TObject* Sender, Exception& E) {
  if (dynamic_cast<EAbort*>(&E)) return;
  if (OnException) OnException(Sender, E);
  else ShowException(E);
}

void TApplication::ShowException(Exception& E) {
  String msg = E.Message;
  if (!msg.empty() && msg.back() > u'.') msg += u'.';
  MessageBox(msg, GetTitle(), MB_OK | MB_ICONSTOP);
}

Integer TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
  TMsgDlgButtons buttons;
  switch (Flags & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = mbOKCancel; break;
    case MB_ABORTRETRYIGNORE: buttons = mbAbortRetryIgnore; break;
    case MB_YESNOCANCEL: buttons = mbYesNoCancel; break;
    case MB_YESNO: buttons = mbYesNo; break;
    case MB_RETRYCANCEL: buttons = TMsgDlgButtons{mbRetry, mbCancel}; break;
    default: buttons = TMsgDlgButtons{mbOK}; break;
  }
  TMsgDlgType type = mtCustom;
  switch (Flags & MB_ICONMASK) {
    case MB_ICONSTOP: type = mtError; break;
    case MB_ICONQUESTION: type = mtConfirmation; break;
    case MB_ICONWARNING: type = mtWarning; break;
    case MB_ICONINFORMATION: type = mtInformation; break;
  }
  std::vector<TMsgDlgBtn> order;
  for (TMsgDlgBtn b : buttons) order.push_back(b);
  std::size_t def = (Flags & MB_DEFMASK) >> 8;
  TMsgDlgBtn defButton = order[std::min(def, order.size() - 1)];
  std::unique_ptr<TForm> box(CreateMessageDialog(Text, type, buttons, defButton));
  box->SetCaption(Caption);
  Integer result = box->ShowModal();
  return result == mrNone ? IDCANCEL : result;
}

// ---------------------------------------------------------------------------------------------
// Hints and the control under the mouse

void TApplication::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  if (OnHint) OnHint(this);
}

void TApplication::SetShowHint(bool Value) {
  FShowHint = Value;
  if (!Value) CancelHint();
}

void TApplication::SetHintWindowClass(THintWindowClass Value) {
  if (FHintWindowClass == Value) return;
  CancelHint();
  delete FHintWindow;
  FHintWindow = nullptr;
  FHintWindowClass = Value ? Value : THintWindow::StaticClass();
}

void TApplication::StartHintTimer(UINT Interval) {
  StopHintTimer();
  FHintTimer = SetTimer(nullptr, 0, Interval, nullptr);
}

void TApplication::StopHintTimer() {
  if (FHintTimer) KillTimer(nullptr, FHintTimer);
  FHintTimer = 0;
}

void TApplication::CancelHint() {
  StopHintTimer();
  if (FHintWindow && FHintShown) FHintWindow->ReleaseHandle();
  FHintShown = false;
}

void TApplication::DoMouseIdle() {
  POINT p;
  GetCursorPos(&p);
  TControl* c = FindDragTarget(p, true);
  if (GetCaptureControl()) c = GetCaptureControl();
  if (c == FMouseControl) return;
  TControl* old = FMouseControl;
  FMouseControl = c;
  if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
  if (c && FMouseControl == c) c->Perform(CM_MOUSEENTER, 0, 0);
  if (FMouseControl != c) return;
  SetHint(GetLongHint(ControlHint(c)));
  // The hint of the control now under the pointer, after a pause (shorter when one shows).
  bool wasShown = FHintShown;
  CancelHint();
  FHintControl = nullptr;
  if (c && FShowHint && c->GetShowHint() && !ControlHint(c).empty()) {
    FHintControl = c;
    StartHintTimer(wasShown ? 50 : static_cast<UINT>(FHintPause));
  }
}

void TApplication::HintTimerExpired() {
  StopHintTimer();
  if (FHintShown) {
    CancelHint();
    return;
  }
  POINT p;
  GetCursorPos(&p);
  ActivateHint(p);
  if (FHintShown && FHintHidePause > 0) StartHintTimer(static_cast<UINT>(FHintHidePause));
}

void TApplication::ActivateHint(TPoint CursorPos) {
  TControl* c = FHintControl;
  if (!c || !FShowHint) return;
  THintInfo info;
  info.HintControl = c;
  info.HintWindowClass = FHintWindowClass;
  info.HintPos = TPoint{CursorPos.x, CursorPos.y + 20};
  info.HintMaxWidth = Screen ? Screen->GetWidth() : 800;
  info.HintColor = FHintColor;
  info.CursorPos = c->ScreenToClient(CursorPos);
  info.CursorRect = c->GetClientRect();
  info.HideTimeout = FHintHidePause;
  info.HintStr = GetShortHint(ControlHint(c));
  if (c->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0 || info.HintStr.empty()) return;
  if (info.HintWindowClass && info.HintWindowClass != FHintWindowClass) SetHintWindowClass(info.HintWindowClass);
  if (!FHintWindow) {
    FHintWindow = dynamic_cast<THintWindow*>(FHintWindowClass->Create(this));
    if (!FHintWindow) return;
  }
  FHintWindow->SetColor(info.HintColor);
  TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  OffsetRect(&r, info.HintPos.x, info.HintPos.y);
  FHintWindow->ActivateHintData(r, info.HintStr, info.HintData);
  FHintShown = true;
}
