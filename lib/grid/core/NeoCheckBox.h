#pragma once
// TNeoCheckBox: a self-drawn check box window with its own caption. Each paint picks the first way
// that applies: the active custom style of the class library, the visual-styles library, or the
// classic frame control. The transparent mode paints the parent's image behind the box, optionally
// from a cached copy.
#include <memory>

#include "platform/ui/Controls.h"
#include "platform/ui/StdCtrls.h"

class TNeoCheckBox : public TCustomControl {
  ZELK_CLASS(TNeoCheckBox, TCustomControl)
public:
  explicit TNeoCheckBox(TComponent* AOwner);
  ~TNeoCheckBox() override;

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  // Flips Checked unless ReadOnly (a grayed box becomes checked).
  virtual void Toggle();

  // taLeftJustify: the box at the left, the caption to its right; taRightJustify: the box at the
  // right edge.
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout GetButtonVertAlign() const { return FBtnVAlign; }
  void SetButtonVertAlign(TTextLayout Value);
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool GetChecked() const { return FState == cbChecked; }
  void SetChecked(bool Value);
  bool GetEllipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool GetReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  TCheckBoxState GetState() const { return FState; }
  // A change repaints only the 20-pixel strip of the box.
  void SetState(TCheckBoxState Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  // The cache of the parent's image in transparent mode (the name is the published one).
  bool GetTransparentChaching() const { return FTransparentCaching; }
  void SetTransparentChaching(bool Value) { FTransparentCaching = Value; }

  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  void DoEnter() override;
  void DoExit() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;

private:
  void WMEraseBkgnd(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMMouseEnterLeave(TMessage& Message, bool Hot);
  // The fixed square (0, 0)-(16, 16) that hover and press changes repaint.
  void InvalidateHotSquare(bool Erase);
  void PaintBackground();
  // The box in client pixels for the styled and themed ways (S wide).
  TRect StyledBoxRect(Integer S);
  TRect ClassicBoxRect(Integer S);
  void PaintCaption(TColor Color);
  bool InsideClient(Integer X, Integer Y) { return X >= 0 && X <= GetWidth() && Y >= 0 && Y <= GetHeight(); }

  bool FDown = false;
  TCheckBoxState FState = cbUnchecked;
  bool FFocused = false;
  bool FReturnIsTab = false;
  TTextLayout FBtnVAlign = tlTop;
  TAlignment FAlignment = taLeftJustify;
  bool FEllipsis = false;
  String FCaption;
  bool FIsWinXP = false;
  bool FHot = false;
  bool FClicksDisabled = false;
  bool FReadOnly = false;
  bool FMouseDown = false;
  std::unique_ptr<TBitmap> FBkgBmp;
  bool FBkgCache = false;
  bool FTransparentCaching = false;
  bool FTransparent = false;
  Single FDPIScale = 1.0F;
};

// Whether check boxes draw through the visual-styles library: Windows 5.1 or later with themes
// active, and a COMCTL32.DLL version above 5 (an unreadable version passes).
bool IsThemedWinXP();
// Paints the parent of Control into Canvas as it lies behind Control (nothing without a parent).
void DrawParentImage(TControl* Control, TCanvas* Canvas);
