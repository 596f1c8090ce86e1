// TNeoStringGrid: the fixed-cell editors (opening and closing), the companion editors and option
// objects made on first use, and the fixed-cell editors' change relays.
#include "lib/grid/core/NeoGridEditors.h"
#include "lib/grid/core/NeoHoverButtons.h"

void TNeoStringGrid::StartFixedCellEdit(Integer ACol, Integer ARow, bool AFilter) {
  StopFixedCellEdit();
  if (FMouseActions->GetHotmailRowSelect() && ACol == 0) return;
  bool canEdit = true;
  DoCanEditCell(ACol, ARow, canEdit);
  if (!canEdit) return;

  FFixedColEdit = ACol;
  FFixedRowEdit = ARow;
  TGridFixedCellEditor kind = ACol == 0 ? FMouseActions->GetFixedColsEditor() : FMouseActions->GetFixedRowsEditor();
  TGridTransCombo* combo = GetComboTrans();
  combo->GetItems()->Assign(FMouseActions->GetFixedComboValues());
  // The handler may fill the items; the kind stays the grid's.
  DoFixedEdit(ACol, ARow, kind, combo->GetItems());

  const String text = GetCells(DisplToRealCol(ACol), ARow);
  TRect r = CellRect(ACol, ARow);
  InflateRect(&r, -1, -1);
  r.top += 2;
  if (AFilter) {
    r.left += 19;
    kind = fceEdit;
  }
  if (kind == fceComboEdit || kind == fceComboList) {
    combo->SetParent(this);
    combo->SetBounds(r.left - 1, r.top - 1, r.right - r.left + 1, r.bottom - r.top);
    combo->SetStyle(kind == fceComboEdit ? csDropDown : csDropDownList);
    combo->OnChange = [this](TObject* Sender) { FixedEditChange(Sender); };
    combo->OnSelect = [this](TObject* Sender) { FixedComboSelect(Sender); };
    combo->SetText(text);
    if (kind == fceComboList) combo->SetItemIndex(combo->GetItems()->IndexOf(text));
    if (FNavigation->GetAutoComboDropSize()) combo->SizeDropDownWidth();
    combo->SetCell(ACol, ARow);
    combo->SetVisible(true);
    combo->SetFocus();
    return;
  }
  TGridTransEdit* edit = GetEditTrans();
  edit->SetParent(this);
  edit->SetBoundsRect(r);
  edit->OnChange = [this](TObject* Sender) { FixedEditChange(Sender); };
  edit->SetText(text);
  edit->SetCell(ACol, ARow);
  edit->SetFilterEdit(AFilter);
  edit->SetVisible(true);
  edit->SetFocus();
}

void TNeoStringGrid::StopFixedCellEdit() {
  bool closed = true;
  if (FEditTrans && FEditTrans->GetVisible()) closed = FEditTrans->StopEdit();
  if (closed && FComboTrans && FComboTrans->GetVisible()) FComboTrans->StopEdit();
}

void TNeoStringGrid::FixedEditChange(TObject*) {
  if (!OnEditChange) return;
  String value = FEditTrans ? FEditTrans->GetText() : String();
  OnEditChange(this, FFixedColEdit, FFixedRowEdit, value);
}

void TNeoStringGrid::FixedComboSelect(TObject*) {
  if (!OnComboChange || !FComboTrans) return;
  const Integer index = FComboTrans->GetItemIndex();
  const String selection = index >= 0 ? FComboTrans->GetItems()->GetStrings(index) : String();
  OnComboChange(this, FFixedColEdit, FFixedRowEdit, index, selection);
}

TGridTransEdit* TNeoStringGrid::GetEditTrans() {
  if (!FEditTrans) {
    FEditTrans = new TGridTransEdit(this);
    FEditTrans->SetBorderStyle(bsNone);
  }
  return FEditTrans;
}

TGridTransCombo* TNeoStringGrid::GetComboTrans() {
  if (!FComboTrans) FComboTrans = new TGridTransCombo(this);
  return FComboTrans;
}

TControlEdit* TNeoStringGrid::GetControlEdit() {
  if (!FControlEdit) {
    FControlEdit = new TControlEdit(this);
    FControlEdit->SetVisible(false);
    FControlEdit->SetParent(this);
  }
  return FControlEdit;
}

TControlCombo* TNeoStringGrid::GetControlCombo() {
  if (!FControlCombo) {
    FControlCombo = new TControlCombo(this);
    FControlCombo->SetVisible(false);
    FControlCombo->SetParent(this);
  }
  return FControlCombo;
}

TNeoRichEdit* TNeoStringGrid::GetRichEdit() {
  if (!FRichEdit) {
    FRichEdit = new TNeoRichEdit(this);
    FRichEdit->SetBorderStyle(bsNone);
    FRichEdit->SetBounds(0, 0, 0, 0);
    FRichEdit->SetParent(this);
    if (HandleAllocated()) SetWindowTransparentStyle(FRichEdit->GetHandle());
  }
  return FRichEdit;
}

TNeoRichEdit* TNeoStringGrid::GetInplaceRichEdit() {
  if (!FInplaceRichEdit) FInplaceRichEdit = new TNeoRichEdit(this);
  return FInplaceRichEdit;
}

TSizeWhileTyping* TNeoStringGrid::GetSizeWhileTyping() {
  if (!FSizeWhileTyping) FSizeWhileTyping = std::make_shared<TSizeWhileTyping>();
  return FSizeWhileTyping.get();
}

THoverButtons* TNeoStringGrid::GetHoverButtons() {
  if (!FHoverButtons) FHoverButtons = std::make_shared<THoverButtons>(this);
  return FHoverButtons.get();
}

void TNeoStringGrid::SetHoverButtons(THoverButtons* Value) { GetHoverButtons()->Assign(Value); }

TDragScrollOptions* TNeoStringGrid::GetDragScrollOptions() {
  if (!FDragScrollOptions) FDragScrollOptions = std::make_shared<TDragScrollOptions>();
  return FDragScrollOptions.get();
}

void TNeoStringGrid::SetDragScrollOptions(TDragScrollOptions* Value) { GetDragScrollOptions()->Assign(Value); }
