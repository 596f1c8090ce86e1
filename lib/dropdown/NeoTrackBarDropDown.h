#pragma once
// The track-bar dropdown: a pick-only numeric edit whose value is the Position of a track bar in
// the popup. The edit shows the position; the arrow keys and a mouse drag over the closed edit move
// it too. The popup keeps what the user picked when it loses the activation.
//
// Position always lies in [Min, Max] once the track bar exists (from construction at run time):
// every setter goes through the track bar and reads back what it kept. Text that is written or
// typed moves the position when it is an integer; an empty text gives Min, any other text leaves
// the position where it is.
#include "lib/dropdown/NeoDropDown.h"
#include "platform/ui/TrackBar.h"

class TNeoTrackBarDropDown : public TNeoCustomDropDown {
  ZELK_CLASS(TNeoTrackBarDropDown, TNeoCustomDropDown)
public:
  explicit TNeoTrackBarDropDown(TComponent* AOwner);

  Integer GetMin() const { return FMin; }
  void SetMin(Integer Value);
  Integer GetMax() const { return FMax; }
  void SetMax(Integer Value);
  Integer GetPosition() const { return FPosition; }
  void SetPosition(Integer Value);
  // The tick frequency and the step of the arrow keys.
  Integer GetFrequency() const { return FFrequency; }
  void SetFrequency(Integer Value);
  // The track bar's page size and the pixels of a mouse drag per position (below 1 counts as 1).
  Integer GetPageSize() const { return FPageSize; }
  void SetPageSize(Integer Value);
  // The popup's track bar (nullptr at design time).
  TTrackBar* GetTrackBar() const { return FTrackBar; }

  // Fired when the track bar moves.
  TNotifyEvent OnTrackChange;

  void Dispatch(TMessage& Message) override;

protected:
  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  Integer GetMinValue() override { return FMin; }
  void Change() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  // The track bar's OnChange: the position into the edit, then OnTrackChange.
  void TrackBarChange(TObject* Sender);

private:
  // Min, Max and Position onto the track bar, in an order that it accepts, and read back.
  void ApplyRange();

  TTrackBar* FTrackBar = nullptr;
  Integer FMin = 0;
  Integer FFrequency = 1;
  Integer FPageSize = 2;
  Integer FMax = 10;
  Integer FPosition = 0;
  bool FMouseDraging = false;
  Integer FMouseX = 0;
};

// Publishes Min, Max, Frequency, Position, PageSize, EditorEnabled (default off), UIStyle and
// DisabledBorder beside the dropdown edit's properties (once).
void RegisterNeoTrackBarDropDownRtti();
