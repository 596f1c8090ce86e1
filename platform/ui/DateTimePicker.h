#pragma once
// The date-time picker: a standard control of window class "SysDateTimePick32", drawn by the class
// library. It shows a date or a time as fields of its format (see DateTimeFields.h), one of them
// focused; keys and the mouse step and type into the fields; an optional check box says whether
// there is a value at all; a drop button (dmComboBox) or a spin part (dmUpDown, and always for
// times) sits at the right. It answers the DTM_* messages and, being its own edit window,
// EM_SHOWBALLOONTIP and EM_HIDEBALLOONTIP; it notifies its parent with WM_NOTIFY
// (DTN_DATETIMECHANGE, DTN_USERSTRINGW, DTN_DROPDOWN, DTN_CLOSEUP), which the parent reflects back
// as CN_NOTIFY, where the class library fires the events.
#include <functional>

#include "platform/ui/Controls.h"
#include "platform/ui/DateTimeFields.h"
#include "platform/win/DateTimeCtrl.h"

class TMonthCalendar;
class TCalendarDropDown;
class TEditBalloon;
class TThemePainter;

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTCalAlignment { dtaLeft, dtaRight };

// Free text the user typed (ParseInput): DateAndTime comes parsed with the locale (AllowChange
// true when that succeeded); the handler may change both.
using TDTParseInputEvent =
    std::function<void(TObject* Sender, const String& UserString, TDateTime& DateAndTime, bool& AllowChange)>;

class TDateTimePicker : public TWinControl {
  ZELK_CLASS(TDateTimePicker, TWinControl)
public:
  explicit TDateTimePicker(TComponent* AOwner);

  TDateTimeKind GetKind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  TDTDateMode GetDateMode() const { return FDateMode; }
  void SetDateMode(TDTDateMode Value);
  // Reading the value applies digits still being typed.
  TDateTime GetDateTime();
  void SetDateTime(TDateTime Value);
  // The date with the time of day kept, and the time of day with the date kept.
  TDateTime GetDate();
  void SetDate(TDateTime Value);
  TDateTime GetTime();
  void SetTime(TDateTime Value);
  // Custom format in the picker's language; empty: the locale's short date (dtkDate) or long time
  // (dtkTime) from FormatSettings, read again at each change of the value.
  String GetFormat() const { return FFormat; }
  void SetFormat(const String& Value);
  bool GetShowCheckbox() const { return FShowCheckbox; }
  void SetShowCheckbox(bool Value);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool Value);
  // Limits by date; 0: none. A value outside is clamped to the bound. A MinDate above MaxDate
  // moves MaxDate to it (and the other way round): the bound set last wins.
  TDateTime GetMinDate() const { return FMinDate; }
  void SetMinDate(TDateTime Value);
  TDateTime GetMaxDate() const { return FMaxDate; }
  void SetMaxDate(TDateTime Value);
  // F2 or a key no field takes starts free text, which is sent as DTN_USERSTRINGW.
  bool GetParseInput() const { return FParseInput; }
  void SetParseInput(bool Value);
  TDTCalAlignment GetCalAlignment() const { return FCalAlignment; }
  void SetCalAlignment(TDTCalAlignment Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // With bsSingle: a sunken client edge (Ctl3D) or a flat one-pixel border.
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  // The calendar is down (F4, Alt+Down or a click on the drop button open it in combo mode).
  bool GetDroppedDown() const { return FDropDown != nullptr; }
  // The dropped calendar (nullptr while closed).
  TMonthCalendar* GetCalendar() const;

  TNotifyEvent OnChange;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnDropDown;
  TDTParseInputEvent OnUserInput;

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  // The parts in client coordinates (empty when not shown).
  TRect CheckRect();
  TRect ButtonRect();
  // The client rectangle of a field (the whole text height), empty for fields not shown.
  TRect FieldRect(Integer Index);
  const TDateTimeFieldEditor& Fields() const { return FEditor; }
  // Free text being typed (ParseInput).
  bool GetTypingUserString() const { return FUserStringActive; }
  // The balloon tip EM_SHOWBALLOONTIP shows (nullptr while hidden) and the text it was given.
  HWND BalloonWindow() const;
  String BalloonText() const;

protected:
  void CreateParams(TCreateParams& Params) override;
  void PaintWindow(HDC DC) override;
  virtual void Change();
  virtual void DropDown();
  virtual void CloseUp();
  void CNNotify(TMessage& Message);
  void UserString(TMessage& Message, const String& Text);

  // ---- the control's own behaviour
  void PickerKeyDown(TMessage& Message);
  void PickerChar(Char C);
  void PickerMouseDown(TPoint P);
  void PickerMouseUp();
  void PickerMouseMove(TPoint P);
  // After a user's change: repaint and DTN_DATETIMECHANGE.
  void UserChanged();
  void ToggleChecked();
  void SendNotifyCode(NMHDR& Header, UINT Code);
  void BeginUserString(const String& Text, bool Selected);
  void EndUserString(bool Accept);
  // Applies typed digits not applied yet (reading the value does this); repaints on a change.
  void CommitTyping(bool EndEntry);
  // The picker's format in effect and the text shown.
  void ApplyFormat();
  String ShownText();
  bool UpDownMode() const { return FKind == dtkTime || FDateMode == dmUpDown; }
  TRect FieldsArea();
  LRESULT GetSystemTime(SYSTEMTIME* ST);
  LRESULT SetSystemTime(WPARAM Flag, const SYSTEMTIME* ST);
  LRESULT GetRange(SYSTEMTIME* Range);
  LRESULT SetRange(WPARAM Flags, const SYSTEMTIME* Range);
  LRESULT GetPickerInfo(DATETIMEPICKERINFO* Info);
  void ParseText(const String& Text, TMessage& Message);
  // EM_SHOWBALLOONTIP (FALSE for a missing record or one of another size) and its hiding: a key,
  // the focus leaving, EM_HIDEBALLOONTIP or a click on it; true when it was showing.
  LRESULT ShowBalloon(const EDITBALLOONTIP* Tip);
  bool HideBalloon();

  void DrawCheck(HDC DC, const TThemePainter& Theme);
  void DrawButton(HDC DC, const TThemePainter& Theme);
  void DrawFields(HDC DC);

  // The calendar drop-down: DTN_DROPDOWN first (the handler may restyle and size the calendar),
  // then the popup under the picker; every close sends DTN_CLOSEUP.
  void OpenCalendar();
  void CloseCalendar();
  void CalendarNotify(UINT Code, const NMSELCHANGE& Selection);

  TDateTimeFieldEditor FEditor;
  String FAppliedFormat;          // the format the editor has (FFormat or the locale's)
  bool FHasAppliedFormat = false;
  TDateTimeKind FKind = dtkDate;
  TDTDateMode FDateMode = dmComboBox;
  String FFormat;
  bool FShowCheckbox = false;
  bool FChecked = true;
  TDateTime FMinDate = 0;
  TDateTime FMaxDate = 0;
  bool FParseInput = false;
  TDTCalAlignment FCalAlignment = dtaLeft;
  TBorderStyle FBorderStyle = bsSingle;
  bool FCtl3D = true;
  // Mouse on the drop button or the spin part: 0 none, 1 drop button / spin up, 2 spin down.
  Integer FPressedPart = 0;
  Integer FHotPart = 0;
  bool FUserStringActive = false;
  bool FUserStringSelected = false;
  String FUserString;
  TCalendarDropDown* FDropDown = nullptr;      // owned; while the calendar is down
  TCalendarDropDown* FOldDropDown = nullptr;   // owned; the last one, freed at the next drop
  TEditBalloon* FBalloon = nullptr;            // owned; made at the first EM_SHOWBALLOONTIP

  friend class TCalendarDropDown;
};
