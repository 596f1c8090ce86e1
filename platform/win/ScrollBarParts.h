#pragma once
// One scroll bar drawn into a rectangle of a window: arrows, track and thumb in the classic look,
// hit-testing and the mouse (arrows and track repeat while held, the thumb is dragged). The scroll
// bar control, the list box's own bar and the window scroll bars of the non-client area use it;
// the owner turns the SB_* codes it reports into scrolling.
#include <functional>

#include "platform/rtl/System.h"
#include "platform/win/WinUser.h"

enum TScrollPart { spNone, spLineUp, spPageUp, spThumb, spPageDown, spLineDown };

class TScrollBarParts {
public:
  static constexpr UINT_PTR RepeatTimerId = 0x5C01;

  bool Vertical = true;
  bool Enabled = true;
  bool Flat = false;   // flat arrows and thumb (the flat scroll bar styles)
  RECT Bounds{};      // in the owner window's client coordinates
  int Min = 0;
  int Max = 100;
  int Page = 0;       // 0: a square thumb, the range Min .. Max
  int Position = 0;
  // SB_* code and the thumb's position (for SB_THUMBTRACK / SB_THUMBPOSITION).
  std::function<void(WORD Code, int Pos)> OnScroll;
  // The repeat timer's procedure; none sends WM_TIMER with RepeatTimerId to the owner.
  TIMERPROC TimerProc = nullptr;

  void Paint(HDC DC);
  TScrollPart HitTest(POINT P) const;
  RECT PartRect(TScrollPart Part) const;
  // The highest position the thumb reaches.
  int MaxPosition() const;

  // Mouse in the owner's client coordinates. MouseDown answers whether the bar took the press
  // (it then captures the mouse for Owner and repeats with a timer of RepeatTimerId).
  bool MouseDown(HWND Owner, POINT P);
  void MouseMove(POINT P);
  void MouseUp(POINT P);
  // WM_TIMER with RepeatTimerId: repeats the held arrow or page.
  void TimerTick();
  bool Tracking() const { return FPressed != spNone; }
  // Where the dragged thumb is (the position while it is not dragged).
  int TrackPosition() const { return FPressed == spThumb ? FTrackPos : Position; }
  TScrollPart Pressed() const { return FHot ? FPressed : spNone; }

private:
  int ArrowSize() const;
  int TrackLength() const;
  int ThumbLength() const;
  int ThumbOffset() const;   // from the track's start, at TrackPosition
  int PositionAt(int Offset) const;
  void Step();

  HWND FOwner = nullptr;
  TScrollPart FPressed = spNone;
  bool FHot = false;
  int FDragOffset = 0;   // where in the thumb it was grabbed
  int FTrackPos = 0;
  bool FFirstRepeat = true;
};
