// The grid's fixed-cell, form-control and rich-text editors and the option objects beside them.
#include "lib/grid/core/NeoGridEditors.h"

#include <algorithm>

#include "platform/rtl/ScopeGuard.h"
#include "platform/win/RichEdit.h"

namespace {

// The grid's invalid-entry balloon on a window.
void ShowInvalidEntryBalloon(TNeoStringGrid* Grid, HWND Window) {
  const String& title = Grid->GetInvalidEntryTitle();
  const String& text = Grid->GetInvalidEntryText();
  EDITBALLOONTIP tip;
  tip.cbStruct = sizeof(EDITBALLOONTIP);
  tip.pszTitle = title.c_str();
  tip.pszText = text.c_str();
  tip.ttiIcon = static_cast<int>(Grid->GetInvalidEntryIcon());
  SendMessage(Window, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
}

// Steps 1 and the refusal of step 2 shared by both fixed-cell editors: OnCellValidate with the
// editor's text; on a refusal the current cell returns to the edited one and the editor keeps the
// focus. Value takes what the handler left.
bool ValidateFixedCell(TNeoStringGrid* Grid, TWinControl* Editor, Integer ACol, Integer ARow, String& Value,
                       bool ShowBalloon, HWND BalloonWindow) {
  bool valid = true;
  if (Grid->OnCellValidate) Grid->OnCellValidate(Grid, ACol, ARow, Value, valid);
  if (valid) return true;
  if (ShowBalloon) ShowInvalidEntryBalloon(Grid, BalloonWindow);
  Grid->SetCol(ACol);
  Grid->SetRowEx(ARow);
  Editor->SetFocus();
  return false;
}

// Writes an accepted value: OnEditingDone, then the cell (a merged block's base cell).
void WriteFixedCell(TNeoStringGrid* Grid, Integer ACol, Integer ARow, const String& Value) {
  if (Grid->OnEditingDone) Grid->OnEditingDone(Grid);
  Grid->SetCellEx(ACol, ARow, Value);
}

// Enter and Tab of the form-control editors: the value goes to the grid (the editor's exit),
// then the grid takes the focus, or Tab advances or moves to the next form control.
template <class E>
bool FormControlKey(E* Editor, Char& Key, void (E::*Exit)()) {
  auto* grid = dynamic_cast<TNeoStringGrid*>(Editor->GetParent());
  if (!grid || (Key != VK_RETURN && Key != VK_TAB)) return false;
  const bool tab = Key == VK_TAB;
  Key = 0;
  (Editor->*Exit)();
  if (!tab) {
    grid->SetFocus();
  } else if (grid->GetNavigation()->GetAdvanceAuto()) {
    grid->AdvanceOnEnterKey(grid->GetCol(), grid->GetRowEx(), false, false, true, false, false);
  } else {
    grid->FocusNextFormControl(grid->GetCtrlXY().x, grid->GetCtrlXY().y, grid->GetCtrlID());
  }
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TGridTransEdit
// ---------------------------------------------------------------------------------------------
TGridTransEdit::TGridTransEdit(TComponent* AOwner)
    : TCustomEdit(AOwner), FGrid(dynamic_cast<TNeoStringGrid*>(AOwner)) {
  SetVisible(false);
}

bool TGridTransEdit::StopEdit() {
  if (!FGrid || !GetVisible()) {
    SetVisible(false);
    return true;
  }
  String value = GetText();
  const bool balloon = !FGrid->GetInvalidEntryText().empty() || !FGrid->GetInvalidEntryTitle().empty();
  if (!ValidateFixedCell(FGrid, this, FCol, FRow, value, balloon, GetHandle())) return false;
  WriteFixedCell(FGrid, FCol, FRow, value);
  if (FFilterEdit) {
    SetVisible(false);
    FGrid->ApplyFilterEdit(FCol);
  } else if (FGrid->OnEditCellDone) {
    FGrid->OnEditCellDone(this, FCol, FRow);
  }
  SetVisible(false);
  return true;
}

void TGridTransEdit::DoExit() {
  TCustomEdit::DoExit();
  StopEdit();
}

void TGridTransEdit::KeyPress(Char& Key) {
  if (Key == VK_RETURN) {
    Key = 0;
    StopEdit();
  }
  TCustomEdit::KeyPress(Key);
}

// ---------------------------------------------------------------------------------------------
// TGridTransCombo
// ---------------------------------------------------------------------------------------------
TGridTransCombo::TGridTransCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), FGrid(dynamic_cast<TNeoStringGrid*>(AOwner)) {
  SetVisible(false);
}

bool TGridTransCombo::StopEdit() {
  if (!FGrid) return true;
  String value = GetText();
  const bool balloon = !FGrid->GetInvalidEntryText().empty() ||
                       (!FGrid->GetInvalidEntryTitle().empty() && GetStyle() != csDropDownList);
  TCustomEdit* editPart = GetEditControl();
  HWND target = editPart && editPart->HandleAllocated() ? editPart->GetHandle() : GetHandle();
  if (!ValidateFixedCell(FGrid, this, FCol, FRow, value, balloon, target)) return false;
  WriteFixedCell(FGrid, FCol, FRow, value);
  SetVisible(false);
  return true;
}

Integer TGridTransCombo::GetDropWidth() { return static_cast<Integer>(Perform(CB_GETDROPPEDWIDTH, 0, 0)); }

void TGridTransCombo::SetDropWidth(Integer Value) { Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value), 0); }

void TGridTransCombo::SizeDropDownWidth() {
  if (!FGrid) return;
  Integer width = GetWidth();
  const bool scrolls = GetItems()->GetCount() > GetDropDownCount();
  HDC dc = FGrid->GetCanvas()->GetHandle();
  for (Integer i = 0; i < GetItems()->GetCount(); ++i) {
    const String& s = GetItems()->GetStrings(i);
    SIZE size{0, 0};
    GetTextExtentPoint32(dc, s.c_str(), static_cast<int>(s.size()), &size);
    if (scrolls && size.cx > width - 25) width = size.cx + 25;
    else if (!scrolls && size.cx > width - 5) width = size.cx + 8;
  }
  SetDropWidth(width);
}

void TGridTransCombo::DoExit() {
  TCustomComboBox::DoExit();
  StopEdit();
}

void TGridTransCombo::KeyPress(Char& Key) {
  if (Key == VK_RETURN) Key = 0;
  TCustomComboBox::KeyPress(Key);
}

// ---------------------------------------------------------------------------------------------
// TControlEdit, TControlCombo
// ---------------------------------------------------------------------------------------------
void TControlEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY && (Message.WParam == VK_RETURN || Message.WParam == VK_TAB)) {
    Message.Result = Message.WParam == VK_TAB ? 1 : 0;
    return;
  }
  TMaskEdit::Dispatch(Message);
}

void TControlEdit::KeyPress(Char& Key) {
  if (FormControlKey<TControlEdit>(this, Key, &TControlEdit::DoExit)) return;
  TMaskEdit::KeyPress(Key);
}

void TControlCombo::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY && Message.WParam == VK_TAB) {
    Message.Result = 1;
    return;
  }
  TNsgComboBox::Dispatch(Message);
}

void TControlCombo::KeyPress(Char& Key) {
  if (FormControlKey<TControlCombo>(this, Key, &TControlCombo::DoExit)) return;
  TNsgComboBox::KeyPress(Key);
}

// ---------------------------------------------------------------------------------------------
// TNeoRichEdit
// ---------------------------------------------------------------------------------------------
TNeoRichEdit::TNeoRichEdit(TComponent* AOwner) : TRichEdit(AOwner), FGrid(dynamic_cast<TNeoStringGrid*>(AOwner)) {}

void TNeoRichEdit::SetSelOffset(LONG Offset) {
  CHARFORMAT2W cf;
  cf.dwMask = CFM_OFFSET;
  cf.yOffset = Offset;
  Perform(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

LONG TNeoRichEdit::SelOffset() {
  CHARFORMAT2W cf;
  Perform(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  return cf.yOffset;
}

void TNeoRichEdit::KeyDown(Word& Key, TShiftState Shift) {
  TRichEdit::KeyDown(Key, Shift);
  if (!FGrid) return;
  const bool tab = Key == VK_TAB && FGrid->GetOptions().Contains(goTabs);
  const bool upDown = (Key == VK_UP || Key == VK_DOWN) && !FGrid->GetWordWrap() && !FGrid->GetMultilineCells();
  if (!tab && !upDown) return;
  const Word key = Key;
  FGrid->SetFocus();
  FGrid->Perform(WM_KEYDOWN, key, 0);
  if (tab) FGrid->ShowInplaceEdit();
}

bool TNeoRichEdit::ResizeRequest(const TRect& Requested) {
  if (!FGrid) return true;
  const Integer w = Requested.right - Requested.left, h = Requested.bottom - Requested.top;
  if (FGrid->GetRichEdit() == this) {
    FReqWidth = w;
    FReqHeight = h;
  }
  TNeoRichEdit* inplace = FGrid->GetInplaceRichEdit();
  if (!inplace->HandleAllocated()) return false;
  if (FGrid->GetSizeWhileTyping()->GetHeight() && inplace == this && !FLocked && !FGrowing) {
    const Integer row = FGrid->GetRow();
    const TRect cell = FGrid->CellRect(FGrid->GetCol(), row);
    if (FGrid->GetRowHeights(row) < h + 5 && cell.top + h + 5 < FGrid->GetHeight()) {
      FGrowing = true;
      const auto done = ScopeExit([&] { FGrowing = false; });
      SetHeight(h + 9);
      FGrid->SetRowHeights(row, h + 10);
      if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, row);
    }
  }
  return true;
}

void TNeoRichEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      TRichEdit::Dispatch(Message);
      Message.Result |= DLGC_WANTTAB;
      return;
    case WM_KILLFOCUS:
      if (FGrid && FGrid->GetInvokedFocusChange()) return;
      if (FGrid && FGrid->HandleAllocated() && reinterpret_cast<HWND>(Message.WParam) == FGrid->GetHandle())
        FGrid->HideInplaceEdit();
      break;
    case CN_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
      if (hdr && hdr->code == EN_REQUESTRESIZE && !GetComponentState().Contains(csDesigning) &&
          !ResizeRequest(reinterpret_cast<REQRESIZE*>(Message.LParam)->rc))
        return;
      break;
    }
    default:
      break;
  }
  TRichEdit::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// Option objects
// ---------------------------------------------------------------------------------------------
void TSizeWhileTyping::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSizeWhileTyping*>(Source);
  if (!s) return;
  FHeight = s->FHeight;
  FWidth = s->FWidth;
}

void TDragScrollDelays::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TDragScrollDelays*>(Source);
  if (!s) return;
  FInitialDelay = s->FInitialDelay;
  FRepeatDelay = s->FRepeatDelay;
}

void TDragScrollMargins::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TDragScrollMargins*>(Source);
  if (!s) return;
  FTopMargin = s->FTopMargin;
  FBottomMargin = s->FBottomMargin;
  FLeftMargin = s->FLeftMargin;
  FRightMargin = s->FRightMargin;
}

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>()), FMargins(std::make_unique<TDragScrollMargins>()) {}

TDragScrollOptions::~TDragScrollOptions() = default;

void TDragScrollOptions::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TDragScrollOptions*>(Source);
  if (!s) return;
  FMargins->Assign(s->FMargins.get());
  FDelays->Assign(s->FDelays.get());
  FActive = s->FActive;
}
