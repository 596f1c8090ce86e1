#pragma once
// Scrolling containers: a window control whose children lie on an area larger than its client
// area, scrolled by the window's own scroll bars (WS_HSCROLL / WS_VSCROLL).
//
// Each direction has a TControlScrollBar. Its Range is the extent of the scrolled area in pixels:
// with AutoScroll it follows the children (the farthest right / bottom edge of the children that
// are not aligned to the opposite side, plus Margin); setting Range turns AutoScroll off. Position
// runs from 0 to Range less the client size; moving it moves every child by the difference.
#include <memory>

#include "platform/ui/StdCtrls.h"

class TScrollingWinControl;

class TControlScrollBar : public TPersistent {
  ZELK_CLASS(TControlScrollBar, TPersistent)
public:
  TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind) : FControl(AControl), FKind(AKind) {}

  TScrollBarKind GetKind() const { return FKind; }
  // Pixels per line (the bar's arrows, the wheel); at least 1.
  Integer GetIncrement() const { return FIncrement; }
  void SetIncrement(Integer Value);
  // Room kept beyond the farthest child by the automatic range, and around a control that
  // ScrollInView brings into view.
  Integer GetMargin() const { return FMargin; }
  void SetMargin(Integer Value);
  Integer GetPosition() const { return FPosition; }
  // Clamped into 0 .. Range less the client size.
  void SetPosition(Integer Value);
  Integer GetRange() const { return FRange; }
  // A set range stays: it turns the control's AutoScroll off.
  void SetRange(Integer Value);
  // Tracking: the children follow the thumb while it is dragged; otherwise they move when it is
  // let go.
  bool GetTracking() const { return FTracking; }
  void SetTracking(bool Value) { FTracking = Value; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  // The bar shows: visible and a range larger than the client size.
  bool IsScrollBarVisible();
  // The greatest position (Range less the client size, at least 0).
  Integer GetMaxPosition() const { return FCalcRange; }

  void Assign(TPersistent* Source) override;

private:
  friend class TScrollingWinControl;
  Integer ControlSize();
  int BarCode() const { return FKind == sbHorizontal ? SB_HORZ : SB_VERT; }
  // The automatic range (without the control's AutoScroll check).
  void DoSetRange(Integer Value);
  // Range, page and position to the window's bar.
  void Update();
  void ScrollMessage(WORD Code, Integer Pos);

  TScrollingWinControl* FControl;
  TScrollBarKind FKind;
  Integer FIncrement = 8;
  Integer FMargin = 0;
  Integer FPosition = 0;
  Integer FRange = 0;
  Integer FCalcRange = 0;
  bool FTracking = false;
  bool FVisible = true;
};

class TScrollingWinControl : public TWinControl {
  ZELK_CLASS(TScrollingWinControl, TWinControl)
public:
  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;

  TControlScrollBar* GetHorzScrollBar() const { return FHorzScrollBar.get(); }
  void SetHorzScrollBar(TControlScrollBar* Value) { FHorzScrollBar->Assign(Value); }
  TControlScrollBar* GetVertScrollBar() const { return FVertScrollBar.get(); }
  void SetVertScrollBar(TControlScrollBar* Value) { FVertScrollBar->Assign(Value); }
  // The ranges follow the children.
  bool GetAutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  // Scrolls so that the control (a child at any depth), with the bars' margins around it, is in
  // view; a control larger than the client area shows its top-left part.
  void ScrollInView(TControl* AControl);
  // Moves every child that is not aligned by (DeltaX, DeltaY) and repaints.
  void ScrollBy(Integer DeltaX, Integer DeltaY);
  // The automatic range is worked out once, at the last EnableAutoRange.
  void DisableAutoRange() { ++FAutoRangeCount; }
  void EnableAutoRange();

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  // The children are aligned on the whole scrolled area, at its scrolled place.
  void AdjustClientRect(TRect& Rect) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void CalcAutoRange();
  void UpdateScrollBars();
  // One turn of the wheel: the system's wheel lines, each an increment of the bar.
  bool WheelScroll(Integer Direction);

private:
  friend class TControlScrollBar;
  std::unique_ptr<TControlScrollBar> FHorzScrollBar;
  std::unique_ptr<TControlScrollBar> FVertScrollBar;
  bool FAutoScroll = true;
  Integer FAutoRangeCount = 0;
  bool FUpdatingScrollBars = false;
  bool FScrolling = false;
};

class TScrollBox : public TScrollingWinControl {
  ZELK_CLASS(TScrollBox, TScrollingWinControl)
public:
  explicit TScrollBox(TComponent* AOwner);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  TBorderStyle FBorderStyle = bsSingle;
};
