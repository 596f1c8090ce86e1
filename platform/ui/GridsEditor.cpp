// The grid's inplace editor: TInplaceEdit, and the grid's side (showing, hiding, Enter, F2, Esc,
// typing into a cell).
#include <algorithm>

#include "platform/ui/Grids.h"

// ---------------------------------------------------------------------------------------------
// TInplaceEdit

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  FGrid = dynamic_cast<TCustomGrid*>(AOwner);
  FVisible = false;
  FTabStop = false;
  SetBorderStyle(bsNone);
  SetParentColor(false);
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
  TCustomMaskEdit::CreateParams(Params);
  Params.Style &= ~WS_TABSTOP;
}

void TInplaceEdit::Move(const TRect& Loc) {
  SetBounds(Loc.left, Loc.top, Loc.right - Loc.left, Loc.bottom - Loc.top);
  SetVisible(true);
  HandleNeeded();
  ShowWindow(GetHandle(), SW_SHOWNOACTIVATE);
}

void TInplaceEdit::HideEdit() {
  if (!GetVisible()) return;
  SetVisible(false);
}

void TInplaceEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    // Enter, Esc and arrows stay with the editor (it hands them to the grid); Tab with goTabs.
    Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTALLKEYS | DLGC_HASSETSEL;
    if (FGrid && FGrid->GetOptions().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
    return;
  }
  // Edits that change the text need the grid's leave (CanEditModify), whatever key or menu asks.
  switch (Message.Msg) {
    case WM_CUT: case WM_PASTE: case WM_CLEAR: case WM_UNDO: case EM_UNDO:
      if (FGrid && !FGrid->CanEditModify()) return;
      break;
    default: break;
  }
  inherited::Dispatch(Message);
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_DELETE && !Shift.Contains(ssShift) && FGrid && !FGrid->CanEditModify()) Key = 0;
  TCustomMaskEdit::KeyDown(Key, Shift);
  if (!FGrid || Key == 0) return;
  Integer length = static_cast<Integer>(TControl::GetText().size());
  bool atStart = GetSelStart() == 0 && GetSelLength() == 0;
  bool atEnd = GetSelStart() == length && GetSelLength() == 0;
  bool toGrid = false;
  switch (Key) {
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: toGrid = true; break;
    case VK_LEFT: case VK_HOME: toGrid = atStart && !Shift.Contains(ssShift); break;
    case VK_RIGHT: case VK_END: toGrid = atEnd && !Shift.Contains(ssShift); break;
    case VK_TAB: toGrid = !Shift.Contains(ssAlt); break;
    case VK_ESCAPE:
      FGrid->CancelEdit();
      Key = 0;
      return;
    case VK_RETURN:
      FGrid->HideEditor();
      Key = 0;
      return;
    default: break;
  }
  if (toGrid) {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
  }
}

void TInplaceEdit::KeyPress(Char& Key) {
  TCustomMaskEdit::KeyPress(Key);
  if (!FGrid || Key == 0) return;
  if (Key == u'\r' || Key == 27 || Key == u'\t') {
    Key = 0;   // handled on the key's way down
    return;
  }
  if ((Key >= 32 || Key == 8) && (!FGrid->CanEditAcceptKey(Key) || !FGrid->CanEditModify())) Key = 0;
}

void TInplaceEdit::Change() {
  TCustomMaskEdit::Change();
  if (FGrid && FGrid->FEditorMode && GetVisible()) FGrid->SetEditText(FGrid->GetCol(), FGrid->GetRow(), GetText());
}

// ---------------------------------------------------------------------------------------------
// The grid's side

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::CanEditShow() {
  return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && HandleAllocated() &&
         FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows && FCurrent.X < GetColCount() &&
         FCurrent.Y < GetRowCount();
}

String TCustomGrid::GetEditText(Integer, Integer) { return String(); }
void TCustomGrid::SetEditText(Integer, Integer, const String&) {}
String TCustomGrid::GetEditMask(Integer, Integer) { return String(); }
Integer TCustomGrid::GetEditLimit() { return 0; }
bool TCustomGrid::CanEditAcceptKey(Char) { return true; }
bool TCustomGrid::CanEditModify() { return true; }

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value)
    ShowEditor();
  else
    HideEditor();
}

void TCustomGrid::ShowEditor() {
  if (!CanEditShow()) return;
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->FGrid = this;
    FInplaceEdit->SetParent(this);
  }
  bool editorFocused = FInplaceEdit->Focused();
  FEditorMode = true;
  FEditText = GetEditText(FCurrent.X, FCurrent.Y);
  // Loaded quietly: the text it starts with is no change.
  bool mode = FEditorMode;
  FEditorMode = false;
  FInplaceEdit->SetEditMask(GetEditMask(FCurrent.X, FCurrent.Y));
  FInplaceEdit->SetMaxLength(GetEditLimit());
  FInplaceEdit->SetText(FEditText);
  FEditorMode = mode;
  UpdateEdit();
  if (FInplaceEdit->GetVisible() && (Focused() || editorFocused)) {
    FInplaceEdit->SetFocus();
    FInplaceEdit->SelectAll();
  }
}

void TCustomGrid::HideEditor() {
  ValidateEditor();
  FEditorMode = false;
  if (!FInplaceEdit || !FInplaceEdit->GetVisible()) return;
  bool hadFocus = FInplaceEdit->Focused();
  FInplaceEdit->HideEdit();
  if (hadFocus && CanFocus()) SetFocus();
  InvalidateCell(FCurrent.X, FCurrent.Y);
}

// Esc: the text the editor started with goes back, and the editor closes.
void TCustomGrid::CancelEdit() {
  if (!FInplaceEdit || !FEditorMode) return;
  if (FInplaceEdit->GetText() != FEditText) {
    FInplaceEdit->SetText(FEditText);
    SetEditText(FCurrent.X, FCurrent.Y, FEditText);
  }
  FInplaceEdit->Perform(EM_SETMODIFY, 0, 0);   // the text it started with needs no validation
  HideEditor();
}

// An open editor whose masked text misses required characters keeps its cell: ValidateEdit raises
// EDBEditError with the caret on what is missing, before anything has moved or closed.
void TCustomGrid::ValidateEditor() {
  if (FEditorMode && FInplaceEdit && FInplaceEdit->GetVisible()) FInplaceEdit->ValidateEdit();
}

void TCustomGrid::UpdateEdit() {
  if (!FInplaceEdit || !FEditorMode) return;
  TRect r = CellRect(FCurrent.X, FCurrent.Y);
  if (r.right <= r.left || r.bottom <= r.top) {
    bool hadFocus = FInplaceEdit->Focused();
    FInplaceEdit->HideEdit();
    if (hadFocus && CanFocus()) SetFocus();
    return;
  }
  FInplaceEdit->Move(r);
}

void TCustomGrid::KeyPress(Char& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == u'\r' && FOptions.Contains(goEditing) && !FOptions.Contains(goAlwaysShowEditor)) {
    SetEditorMode(!FEditorMode);
    Key = 0;
  }
}
