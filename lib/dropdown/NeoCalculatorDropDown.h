#pragma once
// The calculator drop-down: a numeric drop-down whose popup is the calculator keypad and whose
// edit text is the calculator's display. It executes immediately, without operator precedence:
// each operator first applies the pending operation to the running value and the displayed
// number, shows the result, then becomes the pending operation. One memory register, square root,
// reciprocal, percent and sign change. The grid's calculator editor calls the edit's KeyPress and
// CalcResult.
//
// The display is the edit's text; "Error" is an ordinary text whose number reads as 0. Arithmetic
// runs in long double; a result that is not finite, or does not fit a double when shown, shows
// "Error" and resets the running value to 0. A display that is no number (a lone "-") reads as 0
// wherever the calculator converts it.
#include <memory>

#include "lib/dropdown/NeoButtonPanel.h"
#include "lib/dropdown/NeoDropDown.h"

class TNeoCalculatorDropdown : public TNeoCustomDropDown {
  ZELK_CLASS(TNeoCalculatorDropdown, TNeoCustomDropDown)
public:
  explicit TNeoCalculatorDropdown(TComponent* AOwner);
  ~TNeoCalculatorDropdown() override;

  // Finishes the pending operation and shows the result.
  void CalcResult() { DoEquals(); }
  // An empty display first becomes "0"; a display that is no number reads as 0.
  long double GetValue();
  // The display := the value in the general format.
  void SetValue(long double Value);
  bool GetShowThousandSeparator() const { return FShowThousandSeparator; }
  // Switches the edit to etMoney (on) or etFloat (off) and shows the number again.
  void SetShowThousandSeparator(bool Value);
  TButtonAppearance* GetCalcButtonAppearance() const { return FCalcButtonAppearance.get(); }
  void SetCalcButtonAppearance(TButtonAppearance* Value) { FCalcButtonAppearance->Assign(Value); }
  // The keypad of the popup.
  TCustomButtonPanel* GetButtonPanel() const { return FNeoButtonPanel; }

  void SetComponentStyle(TNeoStyle AStyle) override;

  // The keypad's OnButtonClick: the key's Tag says what it does.
  using TNeoCustomDropDown::ButtonClick;
  void ButtonClick(TObject* Sender, Integer Index);
  // A key typed while the popup has the focus, after it was forwarded to the edit.
  void CalcKey(Char& Key);

  // The edit's key press (after the character filter of the edit).
  void KeyPress(Char& Key) override;

protected:
  // Runs before every keypad key and popup key.
  virtual void CalcInputHook() {}

  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void DoHideDropDown(bool Cancel) override;
  void DropDownFormKeyDown(Word& Key, TShiftState Shift) override;
  void DropDownFormKeyPress(Char& Key) override;
  void DoEnter() override;

public:
  // After the edit's own handling, Delete on an empty or "Error" display leaves "0".
  void WndProc(TMessage& Message) override;

protected:

  void Calculate();
  void DoAdd();
  void DoSubtract();
  void DoMultiply();
  void DoDivide();
  void DoEquals();
  void DoPercent();

private:
  // The display (the edit's text) and its conversions.
  String Display() { return GetText(); }
  void SetDisplay(const String& Value) { SetText(Value); }
  // An empty or "Error" display becomes "0".
  void ResetErrorDisplay();
  // The number the display shows: 0 for an empty text, "Error", "-" or no number.
  long double DisplayedNumber();
  // The display without thousand separators, converted; 0 when it is no number.
  long double PlainNumber();
  // The value with Precision decimals (Precision < 0: the general format); "Error" when it does
  // not fit a double.
  void ShowValue(long double Value);
  void ShowGeneral(long double Value);
  void Modified();
  // Calculate, then NextOp becomes the pending operation.
  void Operate(Integer NextOp);
  void Digit(Integer D);
  void ClearAll();

  TCustomButtonPanel* FNeoButtonPanel = nullptr;
  Integer FDecim = 0;
  bool FNewval = false;
  bool FKeyPressReached = false;   // the forwarded character reached KeyPress
  long double FPrevval = 0;
  Integer FPrevop = -1;
  std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
  long double FMVal = 0;
  bool FShowThousandSeparator = false;
};
