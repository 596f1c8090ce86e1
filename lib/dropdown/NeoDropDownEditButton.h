#pragma once
// The drop button of the dropdown edit: a windowed holder at the edit's right end and the speed
// button painted inside it. The holder keeps its width at FBWidth (set by the edit from its
// DropDownButtonWidth and display scale) and lays the speed button over its whole client area.
// A left mouse-up on the speed button first focuses the edit, then clicks the holder.
#include "platform/ui/Buttons.h"
#include "platform/ui/Controls.h"
#include "platform/win/UxTheme.h"

enum TButtonStyle { bsButton, bsDropDown };

class TNeoDropDownSpeedButton : public TSpeedButton {
  ZELK_CLASS(TNeoDropDownSpeedButton, TSpeedButton)
public:
  explicit TNeoDropDownSpeedButton(TComponent* AOwner);

  TButtonStyle GetButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TButtonStyle Value);
  bool GetEtched() const { return FEtched; }
  void SetEtched(bool Value);
  bool GetFocused() const { return FFocused; }
  void SetFocused(bool Value);
  bool GetHot() const { return FHot; }
  // While set, a pressed state is not shown as pressed.
  void SetUp(bool Value) { FUp = Value; }
  bool GetUp() const { return FUp; }

  void Dispatch(TMessage& Message) override;
  // The display scale the last explicit-colour arrow was drawn at.
  Single GetDPIScale() const { return FDPIScale; }

protected:
  void Paint() override;

private:
  // The combo drop button: a glyph, the visual-styles part, the classic look, or the chevron in
  // the holder's explicit colours.
  void PaintDropDownButton();
  void PaintColoredDropDownButton(class TDropDownEditButton* Holder);
  // The push button: the visual-styles part, the flat look with a raised or etched edge, or the
  // speed button's own look; glyph and caption in the edit's font.
  void PaintPushButton();
  // The glyph and caption over the visual-styles push button, inside Inner (the client rectangle
  // less 2 pixels).
  void PaintThemedPushContent(TRect Inner, bool Down);
  // Common controls 6 and an active theme.
  bool DoVisualStyles() const;
  // The theme class for the holder's window (nullptr without one).
  HTHEME OpenTheme(const Char* ClassName) const;
  // The holder and the dropdown edit that owns it (either may be nullptr).
  class TDropDownEditButton* Holder() const;
  class TNeoCustomDropDown* Edit() const;
  // The state is down or exclusive and not held up.
  bool Pressed() const;

  Single FDPIScale = 1.0F;
  bool FEtched = false;
  bool FFocused = false;
  bool FHot = false;
  bool FUp = false;
  bool FIsWinXP = false;
  TButtonStyle FButtonStyle = bsButton;
};

class TDropDownEditButton : public TWinControl {
  ZELK_CLASS(TDropDownEditButton, TWinControl)
public:
  // AOwner is the dropdown edit whose ButtonClick the click runs (bound by the edit).
  explicit TDropDownEditButton(TComponent* AOwner);

  TNeoDropDownSpeedButton* GetButton() const { return FButton; }
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  Integer GetBWidth() const { return FBWidth; }
  void SetBWidth(Integer Value) { FBWidth = Value; }

  TBitmap* GetGlyph() const;
  void SetGlyph(TBitmap* Value);
  TNumGlyphs GetNumGlyphs() const;
  void SetNumGlyphs(TNumGlyphs Value);
  String GetButtonCaption() const;
  void SetButtonCaption(const String& Value);

  TColor GetButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value) { FButtonColor = Value; }
  TColor GetButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor Value) { FButtonColorHot = Value; }
  TColor GetButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor Value) { FButtonColorDown = Value; }
  TColor GetButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor Value) { FButtonTextColor = Value; }
  TColor GetButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }
  TColor GetButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor Value) { FButtonTextColorDown = Value; }
  TColor GetButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor Value) { FButtonBorderColor = Value; }

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnClick;

protected:
  void CreateButton();
  // Width forced to FBWidth; the speed button covers the client area.
  void AdjustWinSize(Integer& W, Integer& H);
  void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TNeoDropDownSpeedButton* FButton = nullptr;
  TWinControl* FFocusControl = nullptr;
  Integer FBWidth = 16;
  TColor FButtonColorDown = clNone;
  TColor FButtonBorderColor = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonTextColorDown = clNone;
};
