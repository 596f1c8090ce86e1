#pragma once
// The time picker drop-down: a drop-down edit for a time of day. The edit shows two-digit hours
// and minutes, and seconds when ShowSeconds is set, joined by the time separator of the global
// format settings, through an edit mask. Up and Down step the part under the caret; the popup
// holds the analog clock and, with ShowTimePicker, the platform time picker below it, both kept
// in step with the edit while it is open.
//
// The text is parsed at each change with blanks counting as zeros ("12:3 :  " reads 12:30:00); a
// text that is no time of day (25:00:00) stays as typed and leaves Time unchanged. The drop-down
// keeps its own copies of the clock's appearance and settings and gives them to the clock each
// time the popup opens.
#include <memory>

#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoWatchAppearance.h"

class TNeoWatch;
class TDateTimePicker;
class TPanel;

// The time separator of the global format settings.
Char TimeSeparatorChar();
// V in decimal, with a leading "0" when that has one digit.
String TwoDigits(Integer V);
// True for an empty text, else when its first character, and its second when there is one, are
// digits.
bool IsNumericPart(const String& S);
// S with every blank made a "0".
String SpacesToZeros(const String& S);

class TNeoTimePickerDropDown : public TNeoCustomDropDown {
  ZELK_CLASS(TNeoTimePickerDropDown, TNeoCustomDropDown)
public:
  explicit TNeoTimePickerDropDown(TComponent* AOwner);
  ~TNeoTimePickerDropDown() override;

  TDateTime GetTime() const { return FTime; }
  // A different time is stored and written into the edit (and into the clock and the time picker
  // while the popup is open); no event.
  void SetTime(TDateTime X);
  bool GetShowSeconds() const { return FShowSeconds; }
  // Rewrites the text in the new form; the time is kept.
  void SetShowSeconds(bool Value);
  bool GetShowTimePicker() const { return FShowTimePicker; }
  void SetShowTimePicker(bool Value) { FShowTimePicker = Value; }
  bool GetAnimation() const { return FAnimation; }
  void SetAnimation(bool Value) { FAnimation = Value; }
  Integer GetAnimationFactor() const { return FAnimationFactor; }
  void SetAnimationFactor(Integer Value) { FAnimationFactor = Value; }
  bool GetShowWatchAMPM() const { return FShowWatchAMPM; }
  void SetShowWatchAMPM(bool Value) { FShowWatchAMPM = Value; }
  bool GetShowWatchNumbers() const { return FShowWatchNumbers; }
  void SetShowWatchNumbers(bool Value) { FShowWatchNumbers = Value; }
  Integer GetResolution() const { return FResolution; }
  // Values above 30 are ignored.
  void SetResolution(Integer Value);
  TWatchAppearance* GetWatchAppearance() const { return FWatchAppearance.get(); }
  void SetWatchAppearance(TWatchAppearance* Value) { FWatchAppearance->Assign(Value); }
  TWatchSettings* GetWatchSettings() const { return FWatchSettings.get(); }
  void SetWatchSettings(TWatchSettings* Value) { FWatchSettings->Assign(Value); }

  // The popup's content: the panel, the clock on it and the time picker (nullptr until the first
  // opening with ShowTimePicker).
  TPanel* GetPanel() const { return FPanelCtrl; }
  TNeoWatch* GetWatch() const { return FNeoWatch; }
  TDateTimePicker* GetTimePicker() const { return FDateTimePicker; }

  // The time as the edit shows it: hours, minutes and, with ShowSeconds, seconds.
  String FormatTime(Word H, Word M, Word S) const;

  // With the internal-call flag set, a non-empty value first sets the mask and an empty one
  // clears it.
  void SetText(const String& Value) override;
  void SetComponentStyle(TNeoStyle AStyle) override;
  // Run when the focus leaves: a text that is no time becomes the current time. Never raises
  // (at design time the mask's own validation applies).
  void ValidateEdit() override;

  // The edit's handlers the grid's time editor calls.
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoExit() override;

  // The time was changed by keys, the clock or the time picker.
  TNotifyEvent OnTimeChange;

protected:
  void CreateWnd() override;
  // The clock, the panel and the picker may go before the edit (with the popup that holds them).
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void DoShowDropDown() override;
  void DoHideDropDown(bool Cancel) override;
  void DropDownFormHide() override;
  void DropDownFormKeyDown(Word& Key, TShiftState Shift) override;
  void DropDownFormKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(Char& Key) override;

  // Set while the control writes its own text or mask: Change does not parse the text then, and
  // SetText sets the mask first (an empty text clears it).
  bool FInternalCall = false;

private:
  // "!90" sep "00" (sep "00") ";1; ".
  void UpdateEditMask();
  // Writes the edit's text with the internal-call flag set.
  void WriteText(const String& Value);
  // Whether the text has the separators the current form asks for.
  bool IsTimeShaped(const String& Text) const;
  // Hour, minute and second of the text, blanks counting as zeros; false when it holds none.
  bool ParseParts(const String& Text, Word& H, Word& M, Word& S) const;
  // The text as a time, blanks counting as zeros; false when it is none.
  bool TryTextToTime(TDateTime& Value);
  void SetHourPart(Integer V);
  void SetMinutePart(Integer V);
  void SetSecondPart(Integer V);
  void SetPart(Integer Index, Integer V, Integer Limit);
  void WatchChange(TObject* Sender);
  void TimePickerChange(TObject* Sender);
  void CreateTimePicker();
  bool ClockPopupVisible() const;

  bool FShowTimePicker = false;
  TNeoWatch* FNeoWatch = nullptr;
  TDateTimePicker* FDateTimePicker = nullptr;
  TPanel* FPanelCtrl = nullptr;
  std::unique_ptr<TWatchAppearance> FWatchAppearance;
  bool FShowWatchAMPM = true;
  bool FShowWatchNumbers = true;
  bool FAnimation = true;
  Integer FAnimationFactor = 10;
  TDateTime FTime = 0;
  std::unique_ptr<TWatchSettings> FWatchSettings;
  bool FShowSeconds = true;
  Integer FResolution = 0;
};

// Publishes the time picker's own properties with their stored defaults (once).
void RegisterNeoTimePickerDropDownRtti();
