#pragma once
// The spin button: a pair of arrow buttons that repeat their click while held down (400 ms to the
// first repeat, then every 100 ms), stacked or side by side, with keyboard and focus handling and
// four looks (high contrast, flat in the button colours, visual styles, classic).
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Graphics.h"

enum TSpinDirection { spVertical, spHorizontal };
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateItem { tbFocusRect, tbAllowTimer };
using TTimeBtnState = TSet<TTimeBtnStateItem>;

// The resource names of the two built-in arrow glyphs (9 x 6, black on a transparent colour).
inline constexpr const Char* NsgSpinUpGlyph = u"NsgSpinUp";
inline constexpr const Char* NsgSpinDownGlyph = u"NsgSpinDown";
// Puts the two glyphs into the program's resource table (once; later calls do nothing).
void RegisterNsgSpinGlyphResources();

class TNsgSpinButton;

// A speed button that, with tbAllowTimer, repeats its click while it is down and holds the mouse.
class TNeoTimerSpeedButton : public TSpeedButton {
  ZELK_CLASS(TNeoTimerSpeedButton, TSpeedButton)
public:
  explicit TNeoTimerSpeedButton(TComponent* AOwner);
  ~TNeoTimerSpeedButton() override;

  TTimeBtnState GetTimeBtnState() const { return FTimeBtnState; }
  void SetTimeBtnState(TTimeBtnState Value) { FTimeBtnState = Value; }
  TButtonDirection GetButtonDirection() const { return FButtonDirection; }
  void SetButtonDirection(TButtonDirection Value);
  void SetIsWinXP(bool Value) { FIsWinXP = Value; }
  bool GetHasMouse() const { return FHasMouse; }
  // The repeat timer; nil until the first press.
  TTimer* GetRepeatTimer() const { return FRepeatTimer.get(); }

  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
  void TimerExpired(TObject* Sender);
  void InvalidateParent();
  // The owning spin button, when the parent is one.
  TNsgSpinButton* SpinParent() const;
  void PaintHighContrast(const TRect& R);
  void PaintColored(const TRect& R, const TNsgSpinButton& ASpin);
  bool PaintThemed(const TRect& R);
  void PaintClassic(const TRect& R);

  std::unique_ptr<TTimer> FRepeatTimer;
  TTimeBtnState FTimeBtnState;
  TButtonDirection FButtonDirection = bdUp;
  bool FIsWinXP = false;
  bool FHasMouse = false;
};

class TNsgSpinButton : public TWinControl {
  ZELK_CLASS(TNsgSpinButton, TWinControl)
public:
  explicit TNsgSpinButton(TComponent* AOwner);
  ~TNsgSpinButton() override;

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Dispatch(TMessage& Message) override;
  void SetIsWinXP(bool Value);
  bool GetIsWinXP() const { return FIsWinXP; }

  TNeoTimerSpeedButton* GetUpButton() const { return FUpButton; }
  TNeoTimerSpeedButton* GetDownButton() const { return FDownButton; }
  TNeoTimerSpeedButton* GetFocusedButton() const { return FFocusedButton; }

  TSpinDirection GetDirection() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  TBitmap* GetUpGlyph() const { return FUpButton->GetGlyph(); }
  void SetUpGlyph(TBitmap* Value) { SetButtonGlyph(FUpButton, Value, NsgSpinUpGlyph); }
  TBitmap* GetDownGlyph() const { return FDownButton->GetGlyph(); }
  void SetDownGlyph(TBitmap* Value) { SetButtonGlyph(FDownButton, Value, NsgSpinDownGlyph); }
  TNumGlyphs GetUpNumGlyphs() const { return FUpButton->GetNumGlyphs(); }
  void SetUpNumGlyphs(TNumGlyphs Value) { FUpButton->SetNumGlyphs(Value); }
  TNumGlyphs GetDownNumGlyphs() const { return FDownButton->GetNumGlyphs(); }
  void SetDownNumGlyphs(TNumGlyphs Value) { FDownButton->SetNumGlyphs(Value); }
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  TColor GetButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value) { SetColorAndRepaint(FButtonColor, Value); }
  TColor GetButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor Value) { SetColorAndRepaint(FButtonColorHot, Value); }
  TColor GetButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor Value) { SetColorAndRepaint(FButtonColorDown, Value); }
  // Stored only: the painting does not read them.
  TColor GetButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor Value) { FButtonTextColor = Value; }
  TColor GetButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }
  TColor GetButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor Value) { FButtonTextColorDown = Value; }
  TColor GetButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor Value) { FButtonBorderColor = Value; }

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void KeyDown(Word& Key, TShiftState Shift) override;

private:
  TNeoTimerSpeedButton* CreateButton(TButtonDirection ADirection, const Char* AGlyph);
  void SetButtonGlyph(TNeoTimerSpeedButton* AButton, TBitmap* Value, const Char* AResource);
  void SetColorAndRepaint(TColor& AField, TColor Value);
  Integer MinWidth() const { return FDirection == spHorizontal ? 20 : 15; }
  void LayoutButtons();
  void BtnClick(TObject* Sender);
  void BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void FocusBtn(TNeoTimerSpeedButton* AButton);
  void MarkFocus(bool AOn);

  TNeoTimerSpeedButton* FUpButton = nullptr;
  TNeoTimerSpeedButton* FDownButton = nullptr;
  TNeoTimerSpeedButton* FFocusedButton = nullptr;
  TWinControl* FFocusControl = nullptr;
  TSpinDirection FDirection = spVertical;
  bool FIsWinXP = false;
  TColor FButtonColorDown = clNone;
  TColor FButtonBorderColor = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonTextColorDown = clNone;
};
