#pragma once
// The spin button: a pair of arrow buttons that repeat their click while held down (400 ms to the
// first repeat, then every 100 ms), stacked or side by side, with keyboard and focus handling and
// four looks (high contrast, flat in the button colours, visual styles, classic); and the spin
// edit, an edit with such a button that steps an integer, a float, a date or a time.
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Mask.h"

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

// ---------------------------------------------------------------------------------------------
// The spin edit: an edit with a spin button at its right edge that steps an integer, a
// floating-point number, a date or a time. The live value is the text; every conversion uses
// FormatSettings as it is at the time.
// ---------------------------------------------------------------------------------------------
enum TNsgSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TEditAlign { eaLeft, eaRight, eaCenter };

class TNsgSpinEdit : public TCustomMaskEdit {
  ZELK_CLASS(TNsgSpinEdit, TCustomMaskEdit)
public:
  explicit TNsgSpinEdit(TComponent* AOwner);
  ~TNsgSpinEdit() override;

  TNsgSpinButton* GetButton() const { return FButton; }

  // Values read from the text (a text that does not convert reads as the type's failure value)
  // and written as text after clamping to the type's range.
  Integer GetValue();
  void SetValue(Integer Value);
  Double GetFloatValue();
  void SetFloatValue(Double Value);
  TDateTime GetDateValue();
  void SetDateValue(TDateTime Value);
  TDateTime GetTimeValue();
  void SetTimeValue(TDateTime Value);

  Integer GetMinValue() const { return FMinValue; }
  void SetMinValue(Integer Value) { FMinValue = Value; }
  Integer GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(Integer Value) { FMaxValue = Value; }
  Double GetMinFloatValue() const { return FMinFloatValue; }
  void SetMinFloatValue(Double Value) { FMinFloatValue = Value; }
  Double GetMaxFloatValue() const { return FMaxFloatValue; }
  void SetMaxFloatValue(Double Value) { FMaxFloatValue = Value; }
  // The date range also bounds times; equal bounds (the default) mean no limit.
  TDateTime GetMinDateValue() const { return FMinDateValue; }
  void SetMinDateValue(TDateTime Value) { FMinDateValue = Value; }
  TDateTime GetMaxDateValue() const { return FMaxDateValue; }
  void SetMaxDateValue(TDateTime Value) { FMaxDateValue = Value; }

  Integer GetIncrement() const { return FIncrement; }
  void SetIncrement(Integer Value) { FIncrement = Value; }
  Double GetIncrementFloat() const { return FIncrementFloat; }
  void SetIncrementFloat(Double Value) { FIncrementFloat = Value; }
  Double GetIncrementFloatPage() const { return FIncrementFloatPage; }
  void SetIncrementFloatPage(Double Value) { FIncrementFloatPage = Value; }
  // A step of a time field is a time of day: hours below 24, minutes and seconds below 60, or
  // the step raises EConvertError and the value stays.
  Integer GetIncrementHours() const { return FIncrementHours; }
  void SetIncrementHours(Integer Value) { FIncrementHours = Value; }
  Integer GetIncrementMinutes() const { return FIncrementMinutes; }
  void SetIncrementMinutes(Integer Value) { FIncrementMinutes = Value; }
  Integer GetIncrementSeconds() const { return FIncrementSeconds; }
  void SetIncrementSeconds(Integer Value) { FIncrementSeconds = Value; }

  bool GetEditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  TSpinDirection GetDirection() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  TNsgSpinType GetSpinType() const { return FSpinType; }
  void SetSpinType(TNsgSpinType Value);
  Integer GetPrecision() const { return FPrecision; }
  void SetPrecision(Integer Value);
  bool GetReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  bool GetIsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  bool GetExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
  // Whether the last date step found the month before the day in the short date format.
  bool GetUsDates() const { return FUsDates; }
  bool GetShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool Value) { FShowSeconds = Value; }
  TEditAlign GetEditAlign() const { return FEditAlign; }
  void SetEditAlign(TEditAlign Value);
  bool GetSpinFlat() const { return FSpinFlat; }
  void SetSpinFlat(bool Value);
  bool GetSpinTransparent() const { return FSpinTransparent; }
  void SetSpinTransparent(bool Value);
  // Read by the grid when it writes an edited value back; the edit itself ignores it.
  bool GetAllowEmptyValue() const { return FAllowEmptyValue; }
  void SetAllowEmptyValue(bool Value) { FAllowEmptyValue = Value; }

  // One step up or down for the spin type; Page takes IncrementFloatPage for floats.
  virtual void SpinUp(bool Page);
  virtual void SpinDown(bool Page);
  // The key filter of KeyPress.
  virtual bool IsValidChar(Char& Key);
  // The spin button's clicks.
  virtual void UpClick(TObject* Sender);
  virtual void DownClick(TObject* Sender);

  // The smallest height that shows the font: see SetBounds.
  Integer GetMinHeight();

  void Dispatch(TMessage& Message) override;

protected:
  void Loaded() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;

private:
  void Step(bool Up, bool Page);
  // The date stepped by the field under the caret.
  TDateTime StepDate(TDateTime Value, Integer Sign);
  // The time stepped by the field under the caret (Up adds, Down subtracts and wraps at midnight).
  TDateTime StepTime(TDateTime Value, bool Up);
  // Reads the text as the spin type and writes it back through the type's setter.
  void ReshowValue();
  // The date or time text shown for a value (the caret where it was).
  void ShowKeepingCaret(const String& AText);
  String TimeText(TDateTime Value) const;
  Integer CheckValue(Integer Value) const;
  Double CheckFloatValue(Double Value) const;
  TDateTime CheckDateValue(TDateTime Value) const;
  // Clamps the value on leaving; the text is rewritten only when clamping changed it.
  void ClampOnExit();
  void SetEditRect();
  void WMSize(TMessage& Message);
  // Changes the width by one and back so that the button is placed again.
  void Relayout();
  bool Loading() const { return GetComponentState().Contains(csLoading); }

  Integer FMinValue = 0;
  Integer FMaxValue = 100;
  Double FMinFloatValue = 0.0;
  Double FMaxFloatValue = 100.0;
  TDateTime FMinDateValue = 0;
  TDateTime FMaxDateValue = 0;
  TDateTime FDateValue = 0;
  TDateTime FTimeValue = 0;
  Integer FIncrement = 1;
  Double FIncrementFloat = 0.1;
  TNsgSpinButton* FButton = nullptr;
  bool FEditorEnabled = true;
  TSpinDirection FDirection = spVertical;
  TNsgSpinType FSpinType = sptNormal;
  Integer FPrecision = 0;
  bool FReturnIsTab = false;
  bool FIsWinXP = false;
  bool FExcelStyleDecimalSeparator = false;
  bool FUsDates = false;
  bool FShowSeconds = true;
  Integer FIncrementSeconds = 1;
  Integer FIncrementMinutes = 1;
  Integer FIncrementHours = 1;
  TEditAlign FEditAlign = eaLeft;
  bool FSpinFlat = false;
  bool FSpinTransparent = false;
  bool FAllowEmptyValue = false;
  Double FIncrementFloatPage = 1.0;
};

// Publishes TNsgSpinEdit's properties (once; later calls do nothing).
void RegisterNsgSpinRtti();
