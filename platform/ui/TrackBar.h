#pragma once
// The track bar: a thumb moved along a channel between Min and Max, by keys, by dragging it and by
// pressing beside it. Every move is told to the parent with WM_HSCROLL (WM_VSCROLL when vertical)
// and a TB_* code, lParam the track bar's window; the parent reflects it back as CN_HSCROLL /
// CN_VSCROLL. The thumb is drawn by the active style when styled drawing is on, otherwise in the
// classic look.
#include <vector>

#include "platform/ui/Controls.h"

// Notification codes of WM_HSCROLL / WM_VSCROLL from a track bar.
constexpr WORD TB_LINEUP = 0, TB_LINEDOWN = 1, TB_PAGEUP = 2, TB_PAGEDOWN = 3, TB_THUMBPOSITION = 4,
               TB_THUMBTRACK = 5, TB_TOP = 6, TB_BOTTOM = 7, TB_ENDTRACK = 8;

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
  ZELK_CLASS(TTrackBar, TWinControl)
public:
  explicit TTrackBar(TComponent* AOwner);

  // Min and Max bound Position; a Min above Max (or a Max below Min) is refused. Position is
  // clamped into [Min, Max] on every set, a narrowed range included. OnChange follows every change
  // of Position.
  Integer GetMin() const { return FMin; }
  void SetMin(Integer Value);
  Integer GetMax() const { return FMax; }
  void SetMax(Integer Value);
  Integer GetPosition() const { return FPosition; }
  void SetPosition(Integer Value);
  // Positions between two ticks (tsAuto); less than 1 is refused.
  Integer GetFrequency() const { return FFrequency; }
  void SetFrequency(Integer Value);
  // The step of PageUp / PageDown and of a press beside the thumb, and of the arrow keys; negative
  // values are refused (0: those do not move).
  Integer GetPageSize() const { return FPageSize; }
  void SetPageSize(Integer Value);
  Integer GetLineSize() const { return FLineSize; }
  void SetLineSize(Integer Value);
  TTrackBarOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation Value);
  TTickMark GetTickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMark Value);
  // tsAuto: a tick every Frequency positions; tsManual: Min, Max and the ticks set with SetTick.
  TTickStyle GetTickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle Value);
  void SetTick(Integer Value);
  // The thumb's extent across the channel (pixels).
  Integer GetThumbLength() const { return FThumbLength; }
  void SetThumbLength(Integer Value);
  bool GetSliderVisible() const { return FSliderVisible; }
  void SetSliderVisible(bool Value);

  // The channel and the thumb in client coordinates.
  TRect ChannelRect();
  TRect ThumbRect();

  TNotifyEvent OnChange;

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  virtual void Changed();
  void PaintWindow(HDC DC) override;

private:
  bool Vertical() const { return FOrientation == trVertical; }
  // Turns a rectangle laid out along a horizontal bar into the bar's own orientation.
  TRect Oriented(const TRect& R) const;
  Integer Along(TPoint P) const { return Vertical() ? P.y : P.x; }
  Integer Length();   // of the client area along the bar
  Integer Across();   // and across it
  // The thumb's middle along the bar for a position, and the position nearest a point along it.
  Integer OffsetOf(Integer Pos);
  Integer PositionAt(Integer Offset);
  std::vector<Integer> Ticks() const;
  // A move asked for by the user: the new position, then the notification.
  void UserMove(Integer Pos, WORD Code);
  void Notify(WORD Code, Integer Pos);
  void TrackMouse(TMessage& Message);
  void TrackKey(UINT Key);
  void PaintClassicThumb(HDC DC, const TRect& R);
  void PaintTicks(HDC DC);

  Integer FMin = 0;
  Integer FMax = 10;
  Integer FPosition = 0;
  Integer FFrequency = 1;
  Integer FPageSize = 2;
  Integer FLineSize = 1;
  Integer FThumbLength = 20;
  TTrackBarOrientation FOrientation = trHorizontal;
  TTickMark FTickMarks = tmBottomRight;
  TTickStyle FTickStyle = tsAuto;
  bool FSliderVisible = true;
  std::vector<Integer> FManualTicks;
  bool FDragging = false;
  Integer FDragOffset = 0;   // from the thumb's middle to the point that took it
  bool FKeyMoved = false;
};
