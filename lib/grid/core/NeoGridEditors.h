#pragma once
// The grid's small editors: TGridTransEdit and TGridTransCombo over a fixed cell or a cell of the
// filter-edit row, TControlEdit and TControlCombo over a markup cell's EDIT and COMBO controls,
// TNeoRichEdit (the hidden rich-text converter and the rich-text inplace editor); and the option
// objects they read or that the grid keeps beside them: TSizeWhileTyping and TDragScrollOptions.
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/grid/editing/NsgCombo.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Mask.h"

// ---------------------------------------------------------------------------------------------
// TGridTransEdit: the edit over a fixed cell (or over the filter-edit row in filter mode).
// ---------------------------------------------------------------------------------------------
class TGridTransEdit : public TCustomEdit {
  ZELK_CLASS(TGridTransEdit, TCustomEdit)
public:
  // AOwner must be the grid.
  explicit TGridTransEdit(TComponent* AOwner);
  // Validates the text (OnCellValidate). Refused: a balloon with the grid's invalid-entry title,
  // text and icon when either is set, the current cell back on the edited one, the focus kept, and
  // False. Accepted: OnEditingDone, the text into the cell (a merged block's base cell); in filter
  // mode the column's filter applied, else OnEditCellDone with the editor as Sender; hidden; True.
  // Without the grid or while hidden it only hides itself.
  bool StopEdit();
  void SetCell(Integer ACol, Integer ARow) {
    FCol = ACol;
    FRow = ARow;
  }
  Integer GetCol() const { return FCol; }
  Integer GetRow() const { return FRow; }
  bool GetFilterEdit() const { return FFilterEdit; }
  void SetFilterEdit(bool Value) { FFilterEdit = Value; }

protected:
  void DoExit() override;
  void KeyPress(Char& Key) override;

private:
  Integer FRow = -1;
  Integer FCol = -1;
  bool FFilterEdit = false;
  TNeoStringGrid* FGrid;
};

// ---------------------------------------------------------------------------------------------
// TGridTransCombo: the combo box over a fixed cell.
// ---------------------------------------------------------------------------------------------
class TGridTransCombo : public TCustomComboBox {
  ZELK_CLASS(TGridTransCombo, TCustomComboBox)
public:
  // AOwner must be the grid.
  explicit TGridTransCombo(TComponent* AOwner);
  // As TGridTransEdit::StopEdit, visible or not, without filter mode (no OnEditCellDone). The
  // balloon shows in the edit part, only with an invalid-entry text, or with a title when the
  // style is not csDropDownList.
  bool StopEdit();
  // Widens the drop-down list to its items' texts on the grid's canvas: + 25 pixels when the list
  // scrolls (more items than DropDownCount), else + 8.
  void SizeDropDownWidth();
  Integer GetDropWidth();
  void SetDropWidth(Integer Value);
  void SetCell(Integer ACol, Integer ARow) {
    FCol = ACol;
    FRow = ARow;
  }
  Integer GetCol() const { return FCol; }
  Integer GetRow() const { return FRow; }

protected:
  void DoExit() override;
  void KeyPress(Char& Key) override;

private:
  Integer FRow = -1;
  Integer FCol = -1;
  TNeoStringGrid* FGrid;
};

// ---------------------------------------------------------------------------------------------
// TControlEdit, TControlCombo: the editors over a markup cell's form controls. Enter hands the
// value to the grid and gives it the focus; Tab also advances (Navigation.AdvanceAuto) or moves to
// the cell's next form control.
// ---------------------------------------------------------------------------------------------
class TControlEdit : public TMaskEdit {
  ZELK_CLASS(TControlEdit, TMaskEdit)
public:
  explicit TControlEdit(TComponent* AOwner) : TMaskEdit(AOwner) {}
  void Dispatch(TMessage& Message) override;

protected:
  void KeyPress(Char& Key) override;
};

class TControlCombo : public TNsgComboBox {
  ZELK_CLASS(TControlCombo, TNsgComboBox)
public:
  explicit TControlCombo(TComponent* AOwner) : TNsgComboBox(AOwner) {}
  void Dispatch(TMessage& Message) override;

protected:
  void KeyPress(Char& Key) override;
};

// ---------------------------------------------------------------------------------------------
// TNeoRichEdit
// ---------------------------------------------------------------------------------------------
class TNeoRichEdit : public TRichEdit {
  ZELK_CLASS(TNeoRichEdit, TRichEdit)
public:
  // AOwner must be the grid.
  explicit TNeoRichEdit(TComponent* AOwner);
  // The selection's vertical offset: 0, -40 (subscript) or +40 (superscript) twips.
  void SelNormal() { SetSelOffset(0); }
  void SelSubscript() { SetSelOffset(-SubSuperOffset); }
  void SelSuperscript() { SetSelOffset(SubSuperOffset); }
  bool IsSelNormal() { return SelOffset() == 0; }
  bool IsSelSubscript() { return SelOffset() == -SubSuperOffset; }
  bool IsSelSuperscript() { return SelOffset() == SubSuperOffset; }
  // While locked, typing does not grow the grid's row.
  void Lock() { FLocked = true; }
  void Unlock() { FLocked = false; }
  bool GetLocked() const { return FLocked; }
  void ReCreate() { RecreateWnd(); }
  // The size the control last asked for (as the grid's RichEdit).
  Integer GetReqHeight() const { return FReqHeight; }
  Integer GetReqWidth() const { return FReqWidth; }
  void Dispatch(TMessage& Message) override;

  static constexpr LONG SubSuperOffset = 40;

protected:
  void KeyDown(Word& Key, TShiftState Shift) override;

private:
  void SetSelOffset(LONG Offset);
  LONG SelOffset();
  // EN_REQUESTRESIZE: false when the notification is dropped.
  bool ResizeRequest(const TRect& Requested);

  TNeoStringGrid* FGrid;
  Integer FReqHeight = 0;
  Integer FReqWidth = 0;
  bool FLocked = false;
  // Set while a growth is applied: resizing the editor asks again, which must not grow twice.
  bool FGrowing = false;
};

// ---------------------------------------------------------------------------------------------
// Option objects
// ---------------------------------------------------------------------------------------------
// Grow the row (Height) or the column (Width) while typing.
class TSizeWhileTyping : public TPersistent {
  ZELK_CLASS(TSizeWhileTyping, TPersistent)
public:
  void Assign(TPersistent* Source) override;
  bool GetHeight() const { return FHeight; }
  void SetHeight(bool Value) { FHeight = Value; }
  bool GetWidth() const { return FWidth; }
  void SetWidth(bool Value) { FWidth = Value; }

private:
  bool FHeight = false;
  bool FWidth = false;
};

// Milliseconds before the first scroll step and between further steps while dragging.
class TDragScrollDelays : public TPersistent {
  ZELK_CLASS(TDragScrollDelays, TPersistent)
public:
  void Assign(TPersistent* Source) override;
  Integer GetInitialDelay() const { return FInitialDelay; }
  void SetInitialDelay(Integer Value) { FInitialDelay = Value; }
  Integer GetRepeatDelay() const { return FRepeatDelay; }
  void SetRepeatDelay(Integer Value) { FRepeatDelay = Value; }

private:
  Integer FInitialDelay = 1000;
  Integer FRepeatDelay = 250;
};

// How close (pixels) to each edge the pointer must be to scroll towards it.
class TDragScrollMargins : public TPersistent {
  ZELK_CLASS(TDragScrollMargins, TPersistent)
public:
  void Assign(TPersistent* Source) override;
  Integer GetTopMargin() const { return FTopMargin; }
  void SetTopMargin(Integer Value) { FTopMargin = Value; }
  Integer GetBottomMargin() const { return FBottomMargin; }
  void SetBottomMargin(Integer Value) { FBottomMargin = Value; }
  Integer GetLeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(Integer Value) { FLeftMargin = Value; }
  Integer GetRightMargin() const { return FRightMargin; }
  void SetRightMargin(Integer Value) { FRightMargin = Value; }

private:
  Integer FTopMargin = 50;
  Integer FBottomMargin = 50;
  Integer FLeftMargin = 50;
  Integer FRightMargin = 50;
};

class TDragScrollOptions : public TPersistent {
  ZELK_CLASS(TDragScrollOptions, TPersistent)
public:
  TDragScrollOptions();
  ~TDragScrollOptions() override;
  // Margins, then Delays, then Active, from options of the same class; other sources are ignored.
  void Assign(TPersistent* Source) override;
  bool GetActive() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  TDragScrollDelays* GetDelays() const { return FDelays.get(); }
  void SetDelays(TDragScrollDelays* Value) { FDelays->Assign(Value); }
  TDragScrollMargins* GetMargins() const { return FMargins.get(); }
  void SetMargins(TDragScrollMargins* Value) { FMargins->Assign(Value); }

private:
  bool FActive = false;
  std::unique_ptr<TDragScrollDelays> FDelays;
  std::unique_ptr<TDragScrollMargins> FMargins;
};
