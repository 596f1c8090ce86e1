#pragma once
// The date-time picker control and its base.
//
// TCustomDateTimePicker: the platform picker with the flat look (a second implementation beside
// the inplace picker's, with a black one-pixel frame by default), automatic advance to the next
// field or control while digits are typed (auto tab), and Tab handling for the grid. Used
// directly it is the inner time picker of TNeoDateTimePicker, which it paints and focuses as a
// part of its parent.
//
// TNeoDateTimePicker: a date, a time or both; for both an inner time picker sits in its right
// part. It adds a caption label around the control, a null date shown with its own format, time
// limits, auto tab across date fields into the time part, check-box coupling between the two
// parts and a validation balloon.
#include "lib/grid/editing/NsgDateTimePicker.h"
#include "platform/ui/StdCtrls.h"

class TNeoToolTip;
class TNeoToolTipWindow;

namespace NeoDateTimePicker {
// The message every picker posts to itself after a typed digit (registered once by name).
UINT DTPShiftFocusMessage();
// The height of "0" in a 9-point font on a screen canvas whose font uses PixelsPerInch.
Integer TextHeightAtPpi(Integer PixelsPerInch);
// Two digits, a leading "0" for one digit.
String TwoDigitText(Word Value);

// Where the label sits around the control (this unit's own 15 positions; the spelling
// lpRighBottom is the published name).
enum TLabelPosition {
  lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
  lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom, lpTopRight,
  lpBottomRight
};
// The label's top-left corner for a control at Bounds, a label of LW x LH whose caption measures TW,
// the margin A and B (2 for a single border). Centring: T + (H - B - LH) div 2 when LH < H, else
// T - (LH - H + B) div 2, truncating toward zero.
TPoint LabelOrigin(TLabelPosition Position, const TRect& Bounds, Integer LW, Integer LH, Integer TW, Integer A,
                   Integer B);

// The platform states that place the inner time picker.
enum TPlatformState { psThemedMetro, psThemed, psStylesInactive, psNoComCtl6, psBeforeVista };
// The state the platform is in now, for a control with (Metro) or without the Metro look.
TPlatformState CurrentPlatformState(bool Metro);
// The inner picker's bounds in a control of W x H: Width its width (text + C + 10), C the scaled
// 21 pixels, B the bevel allowance.
TRect InnerPickerBounds(TPlatformState State, Integer W, Integer H, Integer Width, Integer C, Integer B);
}  // namespace NeoDateTimePicker

class TCustomDateTimePicker : public TMetroDateTimePicker {
  ZELK_CLASS(TCustomDateTimePicker, TMetroDateTimePicker)
public:
  explicit TCustomDateTimePicker(TComponent* AOwner);

  bool GetAutoTab() const { return FAutoTab; }
  virtual void SetAutoTab(bool Value);
  bool GetAutoTabToNext() const { return FAutoTabToNext; }
  virtual void SetAutoTabToNext(bool Value);
  // Set by the owning control: this is its inner time picker.
  bool GetIsTimePicker() const { return FIsTimePicker; }
  void SetIsTimePicker(bool Value) { FIsTimePicker = Value; }
  // Set by the grid: Tab is the grid's (see WM_GETDLGCODE).
  bool GetGridTabhandling() const { return FGridTabhandling; }
  void SetGridTabhandling(bool Value) { FGridTabhandling = Value; }
  const String& GetLast2Keys() const { return FLast2Keys; }
  const String& GetLast4Keys() const { return FLast4Keys; }

  // Answers FIsTimePicker: a picker standing alone draws its own borders.
  virtual bool IsInnerPicker() const { return FIsTimePicker; }
  // The monitor's pixels per inch of a scaled parent form, else the screen's, as a factor of 96
  // measured through the height of "0".
  double GetDpiScale();
  // Width and height of Text as one line in AFont (a 1000 x 200 box on the window's DC).
  TSize MeasureText(const String& Text, TFont* AFont);
  // The next control in tab order gets the focus (when this window is visible).
  void FocusNextControl();

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

protected:
  // After a typed digit: the time part of auto tab.
  virtual void ShiftFocus();
  void KeyPress(Char& Key) override;
  bool IsMetro() const override { return FMetroStyle && !IsInnerPicker(); }
  bool TracksMouseWhileDesigning() const override { return true; }
  Integer CoverCut() const override { return 4; }
  void PaintOverNative(HDC DC) override;
  bool FlatBorderWanted() const override { return true; }
  void NCPaintTail() override { DrawBorders(); }
  // On the picker's window DC, or its parent's for the inner picker.
  void DrawBorders() override;
  void DrawBorder(HDC DC);
  void PostRightArrow();

  bool FAutoTab = false;
  bool FAutoTabToNext = true;
  Word Fh = 0, Fm = 0, Fs = 0, Fms = 0;
  bool FIsTimePicker = false;
  bool FGridTabhandling = false;
  String FLast2Keys;
  String FLast4Keys;
};

enum TNeoDateTimeKind { dkDate, dkTime, dkDateTime };

class TNeoDateTimePicker : public TCustomDateTimePicker {
  ZELK_CLASS(TNeoDateTimePicker, TCustomDateTimePicker)
public:
  using TLabelPosition = NeoDateTimePicker::TLabelPosition;

  explicit TNeoDateTimePicker(TComponent* AOwner);
  ~TNeoDateTimePicker() override;

  static Cardinal GetVersionNr() { return 0x01030600; }
  String GetVersion() const;
  void SetVersion(const String&) {}

  TNeoDateTimeKind GetKind() const { return FKind; }
  void SetKind(TNeoDateTimeKind Value);
  // The inner picker's time is pulled into the value first.
  TDateTime GetDateTime();
  virtual void SetDateTime(TDateTime Value);
  TDateTime GetDate();
  // The whole days of Value with the hour, minute and second of the present value.
  void SetDate(TDateTime Value);
  TDateTime GetTime();
  // The time of day of Value; the day stays.
  void SetTime(TDateTime Value);
  String GetFormat() const { return TDateTimePicker::GetFormat(); }
  void SetFormat(const String& Value);
  const String& GetTimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(const String& Value);

  const String& GetNullDateFormat() const { return FNullDateFormat; }
  void SetNullDateFormat(const String& Value);
  TDateTime GetNullDateDate() const { return FNullDateDate; }
  void SetNullDateDate(TDateTime Value);
  bool GetNullDateIsToday() const { return FNullDateIsToday; }
  void SetNullDateIsToday(bool Value) { FNullDateIsToday = Value; }
  TDateTime GetMinTime() const { return FMinTime; }
  void SetMinTime(TDateTime Value) { FMinTime = Value; }
  TDateTime GetMaxTime() const { return FMaxTime; }
  void SetMaxTime(TDateTime Value) { FMaxTime = Value; }

  void SetBorderStyle(TBorderStyle Value) override;
  void SetAutoTab(bool Value) override;
  void SetAutoTabToNext(bool Value) override;
  bool IsInnerPicker() const override { return false; }

  TCustomDateTimePicker* GetTimePicker() const { return FTimePicker; }

  // ---- label
  TLabel* GetPickerLabel() const { return FLabel; }
  String GetLabelCaption() const;
  void SetLabelCaption(const String& Value);
  TFont* GetLabelFont() const { return FLabelFont.get(); }
  void SetLabelFont(TFont* Value) { FLabelFont->Assign(Value); }
  TLabelPosition GetLabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  Integer GetLabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(Integer Value);
  bool GetLabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool Value);
  bool GetFocusLabel() const { return FFocusLabel; }
  void SetFocusLabel(bool Value) { FFocusLabel = Value; }
  bool GetLabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool Value);

  // ---- validation balloon
  TNeoToolTip* GetToolTip() const { return FToolTip; }
  void SetToolTip(TNeoToolTip* Value);
  // Shows Text in a balloon at the control (made on first use, then reused).
  void ShowValidation(const String& Text);
  // Frees the balloon; nothing without one.
  void HideValidation();
  TNeoToolTipWindow* GetValidationWindow() const { return FToolTipWindow; }

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void ChangeScale(Integer M, Integer D) override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnTimeChange;
  TNotifyEvent OnCheckClick;
  TNotifyEvent OnLabelClick;
  TNotifyEvent OnLabelDblClick;

protected:
  virtual void DoCheckClick();
  virtual void DoChange();
  virtual void DoClick();
  // The inner picker's key presses (nothing here).
  virtual void TimePickerKeyPress(TObject* Sender, Char& Key);

  void ShiftFocus() override;
  void KeyPress(Char& Key) override;
  void Change() override;
  void Loaded() override;
  void CreateWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DoEnter() override;
  void DoExit() override;
  void NCPaintTail() override;

  void InternalSetDateTime(TDateTime Value);
  // The platform picker's value, with the inner picker's check-box coupling.
  void NativeSetDateTime(TDateTime Value);
  void CoupleInnerPickerToCheck();
  void ApplyNullDateFormat();
  void RestoreFormats();
  // Limits the time of day of Value to those of MinTime and MaxTime; true when it did.
  bool LimitTime(TDateTime Value, TDateTime& Limited) const;

  void CreateTimePicker();
  void UpdateTimePicker();
  void LayoutTimePicker();
  void TimePickerChange(TObject* Sender);
  void TimePickerKeyDown(TObject* Sender, Word& Key, TShiftState Shift);

  void CNNotify(TMessage& Message);
  void CreateLabel();
  void UpdateLabel();
  void UpdateLabelPos();
  void LabelFontChanged(TObject* Sender);
  void SetLabelBold(bool Value);
  void LabelDestroying() { FLabel = nullptr; }
  friend class TNeoPickerLabel;

  TNeoDateTimeKind FKind = dkDateTime;
  String FTimeFormat;
  Word Fy = 0, Fm = 0, Fd = 0;
  TLabel* FLabel = nullptr;   // owned as a component; forgets itself when freed
  std::unique_ptr<TFont> FLabelFont;
  TLabelPosition FLabelPosition = NeoDateTimePicker::lpLeftTop;
  Integer FLabelMargin = 4;
  bool FLabelTransparent = false;
  bool FFocusLabel = false;
  bool FLabelAlwaysEnabled = false;
  bool FParentFnt = false;
  bool FIgnoreTimePickerCheck = false;
  bool FFirstRun = true;
  bool FNullDateIsToday = false;
  bool FLblUpdate = false;
  Integer FLblFntHeight = 0;
  String FNullDateFormat;
  TDateTime FNullDateDate = 0;
  String FOriginalFormat;
  String FOriginalTimeFormat;
  bool FInternalChangedFlag = false;
  bool FOldCheck = true;
  TDateTime FMaxTime = 0;
  TDateTime FMinTime = 0;
  TNeoToolTip* FToolTip = nullptr;
  TNeoToolTipWindow* FToolTipWindow = nullptr;   // owned; while the balloon is shown
  TCustomDateTimePicker* FTimePicker = nullptr;  // owned as a component
};

void RegisterNeoDateTimePickerRtti();
