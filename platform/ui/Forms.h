#pragma once
// Forms, frames, the application object with its message loop, the screen, monitors and the hint
// window. `Application` and `Screen` are the process's two global objects.
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/Controls.h"

// ---------------------------------------------------------------------------------------------
// Forms
// ---------------------------------------------------------------------------------------------
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
  poOwnerFormCenter
};
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TMonitor;

class TCustomForm : public TWinControl {
  ZELK_CLASS(TCustomForm, TWinControl)
public:
  // A form joins Screen.Forms; OnCreate runs at the end of construction (DoCreate).
  explicit TCustomForm(TComponent* AOwner);
  // A form without a stored description (the same here: forms are built in code).
  static TCustomForm* CreateNew(TComponent* AOwner) { return new TCustomForm(AOwner); }
  ~TCustomForm() override;

  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons GetBorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TFormStyle GetFormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TWindowState GetWindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  // AlphaBlend: the form is a layered window that the screen shows at AlphaBlendValue (0 to 255)
  // over what lies beneath.
  bool GetAlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value);
  Byte GetAlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(Byte Value);
  // Scaled: a form designed at PixelsPerInch is scaled to the screen's when its window is made.
  bool GetScaled() const { return FScaled; }
  void SetScaled(bool Value) { FScaled = Value; }
  Integer GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(Integer Value) { FPixelsPerInch = Value; }
  TMonitor* GetMonitor();
  TFormState GetFormState() const { return FFormState; }

  // The control with the focus on this form (or the one to get it when the form is activated).
  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  // Moves the focus to Control (the form's window activated first).
  void FocusControl(TWinControl* Control);
  // A control that is hidden, disabled or removed gives up the focus and the active control.
  void DefocusControl(TWinControl* Control);
  // Called by a control that received the focus; sends CM_EXIT / CM_ENTER down the chain.
  bool SetFocusedControl(TWinControl* Control);
  TWinControl* GetFocusedControl() const { return FFocusedControl; }
  bool GetActive() const { return FActive; }

  void SetVisible(bool Value) override;
  bool GetShowing() const override;
  void Show();
  void Hide() { SetVisible(false); }
  void Close();
  // Asks OnCloseQuery (and the forms it owns).
  virtual bool CloseQuery();
  void Release();   // frees the form once pending messages are handled
  // Runs a modal loop until ModalResult is set (or the application ends); the other windows of
  // the application are disabled meanwhile.
  virtual Integer ShowModal();
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  void SetFocus() override;
  bool CanFocus() override { return GetVisible() && GetEnabled(); }
  // Fires OnCreate once: CreateForm calls it after construction; a form made with new has it
  // called before its window is first made.
  void AfterConstruction();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DoClose(TCloseAction& Action);
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();
  void ApplyPosition();
  void Resize() override;

  void WMActivate(TMessage& Message);
  void WMClose(TMessage& Message);
  void WMSysCommand(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMRelease(TMessage& Message);
  // WM_NEXTDLGCTL: LOWORD(LParam) set: focus the window WParam; else the next control in tab order
  // (WParam 0) or the previous one.
  void WMNextDlgCtl(TMessage& Message);

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDesigned;
  TFormStyle FFormStyle = fsNormal;
  TWindowState FWindowState = wsNormal;
  TFormState FFormState;
  bool FKeyPreview = false;
  bool FAlphaBlend = false;
  Byte FAlphaBlendValue = 255;
  bool FScaled = true;
  Integer FPixelsPerInch = 96;
  bool FActive = false;
  bool FPositioned = false;
  bool FCreated = false;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TModalResult FModalResult = mrNone;

  friend class TApplication;
  friend class TScreen;
};

class TForm : public TCustomForm {
  ZELK_CLASS(TForm, TCustomForm)
public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// A reusable group of controls placed on a form or another container.
class TFrame : public TWinControl {
  ZELK_CLASS(TFrame, TWinControl)
public:
  explicit TFrame(TComponent* AOwner);
};

// ---------------------------------------------------------------------------------------------
// Hint window
// ---------------------------------------------------------------------------------------------
class THintWindow : public TCustomControl {
  ZELK_CLASS(THintWindow, TCustomControl)
public:
  explicit THintWindow(TComponent* AOwner);
  // Shows the hint text in Rect (screen coordinates).
  virtual void ActivateHint(TRect Rect, const String& AHint);
  virtual void ActivateHintData(TRect Rect, const String& AHint, void* AData);
  // The rectangle (at 0, 0) the text needs, wrapped at MaxWidth.
  virtual TRect CalcHintRect(Integer MaxWidth, const String& AHint, void* AData);
  void ReleaseHandle();
  bool IsHintShown() { return HandleAllocated() && IsWindowVisible(FHandle); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;
};

// ---------------------------------------------------------------------------------------------
// Monitors and the screen
// ---------------------------------------------------------------------------------------------
class TMonitor : public TObject {
  ZELK_CLASS(TMonitor, TObject)
public:
  TMonitor() = default;
  explicit TMonitor(HMONITOR AHandle, Integer ANum) : FHandle(AHandle), FMonitorNum(ANum) {}
  HMONITOR GetHandle() const { return FHandle; }
  Integer GetMonitorNum() const { return FMonitorNum; }
  TRect GetBoundsRect() const;
  TRect GetWorkareaRect() const;
  Integer GetLeft() const { return GetBoundsRect().left; }
  Integer GetTop() const { return GetBoundsRect().top; }
  Integer GetWidth() const;
  Integer GetHeight() const;
  bool GetPrimary() const;
  Integer GetPixelsPerInch() const;

private:
  HMONITOR FHandle = nullptr;
  Integer FMonitorNum = 0;
  friend class TScreen;
};

enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

class TScreen : public TComponent {
  ZELK_CLASS(TScreen, TComponent)
public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  // Other than crDefault it overrides every control's cursor.
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  HCURSOR GetCursors(TCursor Index);
  void SetCursors(TCursor Index, HCURSOR Value);

  Integer GetFormCount() const { return static_cast<Integer>(FForms.size()); }
  TCustomForm* GetForms(Integer Index) const { return FForms.at(static_cast<std::size_t>(Index)); }
  TCustomForm* GetActiveForm() const { return FActiveForm; }
  TWinControl* GetActiveControl() const { return FActiveControl; }

  Integer GetWidth() const;
  Integer GetHeight() const;
  Integer GetPixelsPerInch() const;
  TRect GetWorkAreaRect() const;
  Integer GetWorkAreaWidth() const { return GetWorkAreaRect().right - GetWorkAreaRect().left; }
  Integer GetWorkAreaHeight() const { return GetWorkAreaRect().bottom - GetWorkAreaRect().top; }
  Integer GetMonitorCount();
  TMonitor* GetMonitors(Integer Index);
  TMonitor* MonitorFromPoint(TPoint Point, TMonitorDefaultTo MonitorDefault = mdNearest);
  TMonitor* MonitorFromWindow(HWND Handle, TMonitorDefaultTo MonitorDefault = mdNearest);
  TMonitor* MonitorFromRect(const TRect& Rect, TMonitorDefaultTo MonitorDefault = mdNearest);
  // The installed font families, sorted.
  TStrings* GetFonts();

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

private:
  void AddForm(TCustomForm* AForm);
  void RemoveForm(TCustomForm* AForm);
  void SetActiveForm(TCustomForm* AForm);
  void SetActiveControl(TWinControl* AControl);
  TMonitor* MonitorOf(HMONITOR Handle);

  TCursor FCursor = crDefault;
  std::vector<std::pair<TCursor, HCURSOR>> FCursors;
  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  TWinControl* FActiveControl = nullptr;
  std::vector<std::unique_ptr<TMonitor>> FMonitors;
  std::unique_ptr<TStringList> FFonts;

  friend class TCustomForm;
  friend class TApplication;
};

// ---------------------------------------------------------------------------------------------
// Application
// ---------------------------------------------------------------------------------------------
using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using TMessageEvent = std::function<void(TMsg& Msg, bool& Handled)>;

class TApplication : public TComponent {
  ZELK_CLASS(TApplication, TComponent)
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Starts the window system (a missing display ends the program with a message).
  void Initialize();
  // The title set, or the program's file name without extension while none is set.
  String GetTitle() const;
  void SetTitle(const String& Value) { FTitle = Value; }

  // Creates a form of the class (owned by the application) and stores it in Reference; the first
  // form becomes the main form. An exception while creating the main form is reported and ends
  // the program with exit code 1.
  void CreateForm(TClass InstanceClass, const std::function<void(TComponent*)>& Reference);
  template <class T> void CreateForm(T*& Reference) {
    CreateForm(T::StaticClass(), [&Reference](TComponent* C) { Reference = static_cast<T*>(C); });
  }
  TCustomForm* GetMainForm() const { return FMainForm; }
  bool GetShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }

  // The message loop: shows the main form and handles messages until it closes or Terminate.
  void Run();
  void Terminate();
  bool GetTerminated() const { return FTerminated; }
  // Handles every pending message once (paints included); handlers may run inside it.
  void ProcessMessages();
  // Handles one message, or waits for one when none is pending.
  void HandleMessage();
  // An exception that left a handler: OnException, or else ShowException; EAbort is silent.
  void HandleException(TObject* Sender);
  void HandleException(TObject* Sender, Exception& E);
  // The error box: the message (with a full stop added) titled with Title.
  void ShowException(Exception& E);
  // A modal box with the text, caption and MB_* flags; answers ID*.
  Integer MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);

  const String& GetHint() const { return FHint; }
  void SetHint(const String& Value);
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  void CancelHint();
  void ActivateHint(TPoint CursorPos);
  THintWindowClass GetHintWindowClass() const { return FHintWindowClass; }
  void SetHintWindowClass(THintWindowClass Value);
  Integer GetHintPause() const { return FHintPause; }
  void SetHintPause(Integer Value) { FHintPause = Value; }
  Integer GetHintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(Integer Value) { FHintHidePause = Value; }
  TColor GetHintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  THintWindow* GetHintWindow() const { return FHintWindow; }

  TExceptionEvent OnException;
  TMessageEvent OnMessage;
  TNotifyEvent OnHint;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool ProcessMessage(TMsg& Msg);
  void Idle();
  bool IsKeyMsg(TMsg& Msg);
  void DoMouseIdle();
  void HintTimerExpired();
  void StartHintTimer(UINT Interval);
  void StopHintTimer();

  String FTitle;
  TCustomForm* FMainForm = nullptr;
  bool FShowMainForm = true;
  bool FTerminated = false;
  bool FRunning = false;
  String FHint;
  bool FShowHint = true;
  THintWindowClass FHintWindowClass;
  THintWindow* FHintWindow = nullptr;   // owned through the component list
  TControl* FMouseControl = nullptr;
  TControl* FHintControl = nullptr;
  UINT_PTR FHintTimer = 0;
  bool FHintShown = false;
  Integer FHintPause = 500;
  Integer FHintHidePause = 2500;
  TColor FHintColor = clInfoBk;
  Integer FModalLevel = 0;

  friend class TCustomForm;
  friend class TControl;
  friend LRESULT ControlWndProc(HWND, UINT, WPARAM, LPARAM);
};

extern TApplication* Application;
extern TScreen* Screen;

// Called with every form whose modal loop starts (ShowModal, message boxes, file dialogs), once it
// is shown and before the loop waits: a test looks at the form and answers it with input through
// the message queue. An empty function removes the observer.
using TDialogObserver = std::function<void(TCustomForm* Dialog)>;
void SetDialogObserver(TDialogObserver Observer);
