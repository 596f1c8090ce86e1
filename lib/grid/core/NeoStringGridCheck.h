#pragma once
// TNeoStringGridCheck: the base of cell checkers (spell checkers, validators) that a grid links as
// its cell checker. The grid calls StartCheck before a range of cells, then per cell Correct and
// MarkError and writes the returned text back, stops as soon as LastResult is not mrOk, and calls
// StopCheck at the end. The base changes nothing; descendants override the four operations.
#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"

class TNeoStringGridCheck : public TComponent {
  ZELK_CLASS(TNeoStringGridCheck, TComponent)
public:
  explicit TNeoStringGridCheck(TComponent* AOwner);
  ~TNeoStringGridCheck() override;

  // Value unchanged; LastResult := mrOk.
  virtual String MarkError(Integer ACol, Integer ARow, const String& Value);
  virtual String Correct(Integer ACol, Integer ARow, const String& Value);
  virtual void StartCheck() {}
  virtual void StopCheck() {}

  bool GetGotoCell() const { return FGotoCell; }
  void SetGotoCell(bool Value) { FGotoCell = Value; }
  bool GetAutoCorrect() const { return FAutoCorrect; }
  void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
  bool GetAutoMarkError() const { return FAutoMarkError; }
  void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
  bool GetUseCorrect() const { return FUseCorrect; }
  void SetUseCorrect(bool Value) { FUseCorrect = Value; }
  bool GetUseMarkError() const { return FUseMarkError; }
  void SetUseMarkError(bool Value) { FUseMarkError = Value; }

  // The grid that linked this checker; forgotten when the grid is freed.
  TComponent* GetGrid() const { return FGrid; }
  void SetGrid(TComponent* Value);
  TModalResult GetLastResult() const { return FLastResult; }
  void SetLastResult(TModalResult Value) { FLastResult = Value; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool FGotoCell = false;
  bool FAutoCorrect = false;
  bool FAutoMarkError = false;
  bool FUseCorrect = false;
  bool FUseMarkError = false;
  TComponent* FGrid = nullptr;
  TModalResult FLastResult = mrOk;
};

// Publishes GotoCell, AutoCorrect, AutoMarkError, UseCorrect and UseMarkError (once).
void RegisterNeoStringGridCheckRtti();
