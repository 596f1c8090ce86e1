#pragma once
// The control classes of the class library: TControl (a rectangle in a parent, drawn by the
// parent when it has no window), TWinControl (a control with a window of its own, created lazily),
// TCustomControl (a window with a canvas and Paint) and TGraphicControl (a windowless control with
// a canvas). Messages reach a control through WindowProc (by default WndProc), which hands them to
// Dispatch: each class's Dispatch picks the handlers it declares by message number and passes the
// rest to its parent class's Dispatch, ending in DefaultHandler. A handler chains to the parent
// class's handler of the same message by calling `inherited::Dispatch(Message)`.
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/ui/Graphics.h"
#include "platform/win/Messages.h"
#include "platform/win/WinUser.h"

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TBasicAction;
class TControlActionLink;

// ---------------------------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------------------------
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// Parts of mouse and key messages.
inline SmallInt MessageXPos(const TMessage& M) { return GET_X_LPARAM(M.LParam); }
inline SmallInt MessageYPos(const TMessage& M) { return GET_Y_LPARAM(M.LParam); }
inline TPoint MessagePos(const TMessage& M) { return TPoint{MessageXPos(M), MessageYPos(M)}; }
inline LPARAM PointToLParam(TPoint P) { return MAKELPARAM(static_cast<WORD>(P.x), static_cast<WORD>(P.y)); }

// ---------------------------------------------------------------------------------------------
// Enumerations and event types
// ---------------------------------------------------------------------------------------------
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state of the MK_* flags of a mouse message, of a key message's key data, and of the
// keyboard as the last message left it.
TShiftState KeysToShiftState(WORD Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);
TShiftState KeyboardStateToShiftState();

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;   // controls use bsNone and bsSingle
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

enum TControlStyleItem {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
  csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
  csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint, csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;
enum TControlStateItem {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
  csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csDesignerHide, csRecreating, csAligning
};
using TControlState = TSet<TControlStateItem>;

using TCaption = String;
using TCursor = SmallInt;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16,
                  crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                  crSizeAll = -22, crSize = -22;

// Results of modal forms and message boxes.
using TModalResult = Integer;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrClose = 8, mrHelp = 9, mrTryAgain = 10,
                       mrContinue = 11, mrAll = 12, mrNoToAll = 13, mrYesToAll = 14;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// What CM_HINTSHOW passes (LParam points at it): the control may change or cancel the hint.
class THintWindow;
using THintWindowClass = TClass;
struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass = nullptr;
  TPoint HintPos;            // screen
  Integer HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;
  TPoint CursorPos;
  Integer ReshowTimeout = 0;
  Integer HideTimeout = 0;
  String HintStr;
  void* HintData = nullptr;
};

// ---------------------------------------------------------------------------------------------
// TControl
// ---------------------------------------------------------------------------------------------
class TControl : public TComponent {
  ZELK_CLASS(TControl, TComponent)
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // Parent: the window control this control lies in (coordinates are the parent's client ones).
  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  Integer GetLeft() const { return FLeft; }
  Integer GetTop() const { return FTop; }
  Integer GetWidth() const { return FWidth; }
  Integer GetHeight() const { return FHeight; }
  void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
  TRect GetBoundsRect() const { return TRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  void SetBoundsRect(const TRect& R) { SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top); }
  // (0, 0, client width, client height).
  virtual TRect GetClientRect();
  Integer GetClientWidth() { return GetClientRect().right; }
  Integer GetClientHeight() { return GetClientRect().bottom; }
  void SetClientWidth(Integer Value) { SetClientSize(Value, GetClientHeight()); }
  void SetClientHeight(Integer Value) { SetClientSize(GetClientWidth(), Value); }
  // The screen position of the client area's top-left corner.
  virtual TPoint GetClientOrigin();
  TPoint ClientToScreen(TPoint P);
  TPoint ScreenToClient(TPoint P);
  TPoint ClientToParent(TPoint P, TWinControl* AParent = nullptr);

  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);

  bool GetVisible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent visible (a form: its window shown).
  virtual bool GetShowing() const;
  virtual bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);

  // The window text: Caption and Text are the same text (WM_GETTEXT / WM_SETTEXT).
  String GetText();
  void SetText(const String& Value);
  String GetCaption() { return GetText(); }
  void SetCaption(const String& Value) { SetText(Value); }

  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  const String& GetHint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  // The action the control follows (caption, enabled state) and runs on Click when it has no
  // OnClick; nullptr when none. The link is made by CreateActionLink.
  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* Value);
  TControlActionLink* GetActionLink() const { return FActionLink.get(); }

  TControlStyle GetControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState GetControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }

  bool GetMouseCapture();
  void SetMouseCapture(bool Value);

  // Repainting: Invalidate marks the control's area for the next paint; Update paints what is
  // marked now; Repaint and Refresh do both.
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // Sends a message to the control through WindowProc and answers its result.
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
  // The message entry: WindowProc (replaceable; WndProc by default).
  std::function<void(TMessage&)> WindowProc;
  virtual void WndProc(TMessage& Message);
  // Picks the handler of the message (see the top of this file).
  virtual void Dispatch(TMessage& Message);
  // What happens to a message no handler took.
  virtual void DefaultHandler(TMessage& Message);

  // Scaling: positions, sizes and the font multiplied by M / D.
  void ScaleBy(Integer M, Integer D);
  virtual void ChangeScale(Integer M, Integer D);

  bool GetAutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool Value);

  // Right to left: bdRightToLeft mirrors the layout of controls that support it.
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;

protected:
  // OnClick, or else the action.
  virtual void Click();
  virtual void DblClick();
  // The link class of the control: a new link (its client not yet assigned).
  virtual TControlActionLink* CreateActionLink();
  // The control takes the action's caption and enabled state (with CheckDefaults, only those
  // still at their defaults).
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  // The wheel: OnMouseWheel first; unhandled, DoMouseWheelDown / DoMouseWheelUp once per notch
  // (120) turned, by the sign of the delta (partial notches add up). MousePos is on the screen.
  // True when handled.
  virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);
  // OnMouseWheelDown / OnMouseWheelUp; true when handled.
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void Resize();
  virtual void SetClientSize(Integer AWidth, Integer AHeight);
  // Tells the parent to place aligned and anchored controls again.
  virtual void RequestAlign();
  // AutoSize: the size the content wants; false keeps the size.
  virtual bool CanAutoSize(Integer& NewWidth, Integer& NewHeight);
  void AdjustSize();
  virtual void VisibleChanging() {}
  // Paints the area of a windowless control (in its parent) or of a window.
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  void SendCancelMode(TControl* Sender);
  bool IsParentOf(const TControl* AControl) const;
  // The font and colour of the parent when ParentFont / ParentColor.
  void FontChanged(TObject* Sender);
  void UpdateAnchorRules();
  void Notification(TComponent* AComponent, TOperation Operation) override;

  void WMLButtonDown(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void WMRButtonUp(TMessage& Message);
  void WMMButtonDown(TMessage& Message);
  void WMMButtonUp(TMessage& Message);
  void OtherButtonDown(TMessage& Message, TMouseButton Button);
  void OtherButtonUp(TMessage& Message, TMouseButton Button);
  void WMMouseMove(TMessage& Message);
  void CMMouseWheel(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentShowHintChanged(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMHintShow(TMessage& Message);

  TWinControl* FParent = nullptr;
  Integer FLeft = 0;
  Integer FTop = 0;
  Integer FWidth = 0;
  Integer FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  // Distances kept by right and bottom anchors (from the parent's client size at anchoring).
  TPoint FAnchorOrigin;
  TRect FExplicit;               // the bounds last set by code, which anchors work from
  TPoint FOriginalParentSize;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  bool FParentColor = false;
  bool FParentShowHint = true;
  bool FShowHint = false;
  bool FAutoSize = false;
  bool FMouseInControl = false;
  TColor FColor = clWindow;
  TCursor FCursor = crDefault;
  String FHint;
  String FText;
  TPopupMenu* FPopupMenu = nullptr;
  std::unique_ptr<TControlActionLink> FActionLink;
  TControlStyle FControlStyle;
  TControlState FControlState;
  std::unique_ptr<TFont> FFont;
  Integer FUpdatingFont = 0;
  Integer FWheelAccumulator = 0;
  TBiDiMode FBiDiMode = bdLeftToRight;

  friend class TWinControl;
  friend class TCustomForm;
  friend class TApplication;
};

// ---------------------------------------------------------------------------------------------
// TWinControl
// ---------------------------------------------------------------------------------------------
struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  Integer X = 0;
  Integer Y = 0;
  Integer Width = 0;
  Integer Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  UINT WindowClassStyle = 0;   // CS_* of the registered class
  TCursor ClassCursor = crArrow;
  String WinClassName;         // the class's name by default
};

class TWinControl : public TControl {
  ZELK_CLASS(TWinControl, TControl)
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window, created on first use (the parent's first).
  HWND GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // A top-level window to parent to when the control has no parent control.
  HWND GetParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value);

  Integer GetControlCount() const { return static_cast<Integer>(FControls.size()); }
  TControl* GetControls(Integer Index) const { return FControls.at(static_cast<std::size_t>(Index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* Control) const;
  // The visible (and, unless AllowDisabled, enabled) child control at a client point, the last
  // placed on top first; windowless controls only unless AllowWinControls.
  TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false);
  // Sends the message to every child until one answers non-zero.
  void Broadcast(TMessage& Message);
  void NotifyControls(UINT Msg);

  Integer GetTabOrder() const;
  void SetTabOrder(Integer Value);
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  // Focus: CanFocus when this control and its parents are visible and enabled.
  virtual bool CanFocus();
  virtual bool Focused();
  virtual void SetFocus();
  // Child windows in tab order (recursing into containers).
  void GetTabOrderList(std::vector<TWinControl*>& List);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  TBrush* GetBrush() const { return FBrush.get(); }
  bool GetDoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value);
  bool GetShowing() const override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  TRect GetClientRect() override;
  TPoint GetClientOrigin() override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;

  // Placing aligned and anchored children.
  void DisableAlign();
  void EnableAlign();
  void Realign();
  void ScaleControls(Integer M, Integer D);
  void SetClientSize(Integer AWidth, Integer AHeight) override;
  void ChangeScale(Integer M, Integer D) override;

  // Paints the control and its children into a DC at (X, Y).
  void PaintTo(HDC DC, Integer X, Integer Y);

  void DefaultHandler(TMessage& Message) override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  // Makes a new window (state carried over) when one exists.
  void RecreateWnd();

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  virtual void CreateHandle();
  void DestroyHandle();
  // Every child placed: first the anchored ones follow the client size, then the aligned ones
  // take the sides in the order top, bottom, left, right, client.
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect);
  void AlignChildren();
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void KeyPress(Char& Key);
  // True when the key was eaten (the form's KeyPreview first, then KeyDown / OnKeyDown).
  bool DoKeyDown(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  // DoKeyDown and DoKeyUp: the form's FormHandler first, then this control's Handler.
  bool DoKeyEvent(TMessage& Message, bool (TWinControl::*FormHandler)(TMessage&),
                  void (TWinControl::*Handler)(Word&, TShiftState));
  bool DoKeyPress(TMessage& Message);
  virtual void DoEnter();
  virtual void DoExit();
  // The window's own painting with a DC (the default window procedure, or Paint for custom
  // controls), and the windowless children over it.
  virtual void PaintWindow(HDC DC);
  void PaintControls(HDC DC, TControl* First);
  void PaintHandler(TMessage& Message);
  void UpdateBounds();
  void UpdateShowing();
  void SetZOrderPosition(Integer Position);
  // Reflects a notification to the control whose window sent it (CN_BASE + message).
  bool DoControlMsg(HWND ControlHandle, TMessage& Message);
  // The form's key processing asks: the key the control wants to have itself.
  LRESULT DialogCode();
  void SendNotify(WORD Code);   // WM_COMMAND with this control's handle to the parent window

  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMCommand(TMessage& Message);
  void WMNotify(TMessage& Message);
  void WMScroll(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMSysKeyDown(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMMove(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMNCDestroy(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNKeyUp(TMessage& Message);
  void CNChar(TMessage& Message);
  void CMChildKey(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMShowHintChanged(TMessage& Message);
  void CMFocusChanged(TMessage& Message);

  HWND FHandle = nullptr;
  HWND FParentWindow = nullptr;
  std::vector<TControl*> FControls;     // windowless and window children, in z-order (bottom first)
  std::vector<TWinControl*> FTabList;   // window children in tab order
  std::unique_ptr<TBrush> FBrush;
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  Integer FAlignLevel = 0;
  bool FUpdatingBounds = false;

  friend class TControl;
  friend class TCustomForm;
  friend class TApplication;
  friend LRESULT ControlWndProc(HWND, UINT, WPARAM, LPARAM);
};

// A window control with a canvas: descendants draw in Paint.
class TControlCanvas : public TCanvas {
  ZELK_CLASS(TControlCanvas, TCanvas)
public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* AControl);

protected:
  // A DC of the control's window (or of its parent's at the control's place) when none was given.
  void CreateHandle() override;

private:
  void FreeDC();
  TControl* FControl = nullptr;
  HWND FWindow = nullptr;
  HDC FOwnDC = nullptr;
};

class TCustomControl : public TWinControl {
  ZELK_CLASS(TCustomControl, TWinControl)
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

class TGraphicControl : public TControl {
  ZELK_CLASS(TGraphicControl, TControl)
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  void Dispatch(TMessage& Message) override;

protected:
  virtual void Paint() {}

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// ---------------------------------------------------------------------------------------------
// Utilities
// ---------------------------------------------------------------------------------------------
// The control whose window this is (nullptr for foreign windows).
TWinControl* FindControl(HWND Handle);
// The form a control lies on (nullptr when none).
TCustomForm* GetParentForm(TControl* Control);
// As GetParentForm; raises EInvalidOperation "Control '%s' has no parent window" when none.
TCustomForm* ValidParentForm(TControl* Control);
// The control under a screen point (windowless ones included).
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled);
// The windowless control holding the mouse (its parent's window has the capture).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The text after the first '|' of a hint, and before it.
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);
// Whether a key is the accelerator ("&x") of a caption.
bool IsAccel(Word VK, const String& Str);

// A hidden window whose messages go to the given procedure: timers and other helpers use it.
HWND AllocateHWnd(std::function<void(TMessage&)> Method);
void DeallocateHWnd(HWND Wnd);

// The text colour of disabled controls, the standard 3D colours, and drawing helpers every
// standard control uses for its classic look.
namespace ControlPaint {
// Text drawn the classic disabled way: an offset highlight copy, then grey text.
void DrawDisabledText(HDC DC, const String& Text, TRect& Rect, UINT Flags);
// DrawText with the control's font and colour (grey when disabled).
void DrawCaption(HDC DC, TFont* Font, const String& Text, TRect& Rect, UINT Flags, bool Enabled);
void FillColor(HDC DC, const TRect& Rect, TColor Color);
// Selects a font into a DC for the scope of the object.
class TSelectFont {
public:
  TSelectFont(HDC DC, TFont* Font);
  ~TSelectFont();
  TSelectFont(const TSelectFont&) = delete;
  TSelectFont& operator=(const TSelectFont&) = delete;

private:
  HDC FDC;
  HGDIOBJ FOld;
};
}  // namespace ControlPaint
