#include "lib/dropdown/NeoMemoDropDown.h"

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/StringLists.h"
#include "platform/ui/Menus.h"

TNeoMemoDropDown::TNeoMemoDropDown(TComponent* AOwner)
    : TNeoCustomDropDown(AOwner), FMemoText(std::make_unique<TStringList>()),
      FOpenedText(std::make_unique<TStringList>()) {
  FMemoText->OnChange = [this](TObject* Sender) { UpdateEditFromMemo(Sender); };
  FMemoScrollBars = ssNone;
  FMemoReadOnly = FInternalUpdate = FAutoDrop = false;
  // The base constructor built the popup before this class existed: add the memo now.
  if (!GetComponentState().Contains(csDesigning)) CreateDropDownForm();
  RegisterNeoMemoDropDownRtti();
}

TNeoMemoDropDown::~TNeoMemoDropDown() {
  FMemoText->OnChange = nullptr;
  if (FMemo) FMemo->OnChange = nullptr;
}

void TNeoMemoDropDown::CreateDropDownForm() {
  inherited::CreateDropDownForm();
  if (!GetDropDownForm() || FMemo) return;
  FMemo = new TMemo(this);
  FMemo->SetParent(GetDropDownForm());
  FMemo->SetHeight(100);
  FMemo->OnChange = [this](TObject* Sender) { MemoChange(Sender); };
  FMemo->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) { MemoKeyDown(Sender, Key, Shift); };
  FMemo->SetBorderStyle(bsNone);
  FMemo->SetWantTabs(true);
  FMemo->SetTabStop(true);
  SetControl(FMemo);
}

void TNeoMemoDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FMemoPopup) FMemoPopup = nullptr;
  if (Operation == opRemove && AComponent == FMemo) FMemo = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The value

TStrings* TNeoMemoDropDown::GetMemoText() const {
  if (FMemo) return FMemo->GetLines();
  return FMemoText.get();
}

void TNeoMemoDropDown::SetMemoText(TStrings* Value) {
  FMemoText->Assign(Value);
  if (FMemo) FMemo->GetLines()->Assign(Value);
}

void TNeoMemoDropDown::SetMemoReadOnly(bool Value) {
  FMemoReadOnly = Value;
  if (FMemo && GetDroppedDown()) FMemo->SetReadOnly(Value);
}

bool TNeoMemoDropDown::PopupVisible() const { return GetDropDownForm() && GetDropDownForm()->GetVisible(); }

// ---------------------------------------------------------------------------------------------
// What the edit shows

String TNeoMemoDropDown::FittedFirstLine(const String& First, bool MoreLines) {
  HWND wnd = GetHandle();
  HDC dc = GetDC(wnd);
  TCanvas canvas;
  canvas.SetHandle(dc);
  auto release = ScopeExit([&] {
    canvas.SetHandle(nullptr);
    ReleaseDC(wnd, dc);
  });
  canvas.GetFont()->Assign(GetFont());
  const TRect r = GetEditRect();
  const Integer width = r.right - r.left;
  if (canvas.TextWidth(First) <= width) return MoreLines ? First + u"..." : First;
  String fitted;
  FitTextEllipsis(&canvas, First, width, fitted, true);
  return fitted;
}

void TNeoMemoDropDown::UpdateEditFromMemo(TObject*) {
  const Integer count = FMemoText->GetCount();
  String text = count > 0 ? FMemoText->GetStrings(0) : String();
  if (!GetEditorEnabled() && (HandleAllocated() || GetParent())) text = FittedFirstLine(text, count > 1);
  const bool was = FInternalUpdate;
  FInternalUpdate = true;
  auto restore = ScopeExit([this, was] { FInternalUpdate = was; });
  SetEditText(text);
}

// Typed (or written) text becomes the whole memo text; the edit's own updates from the memo and
// a cancel's restoring of the shown line do not.
void TNeoMemoDropDown::Change() {
  if (!FInternalUpdate) {
    FMemoText->OnChange = nullptr;
    auto rebind = ScopeExit([this] { FMemoText->OnChange = [this](TObject* Sender) { UpdateEditFromMemo(Sender); }; });
    const String text = GetText();
    GetMemoText()->SetText(text);
    FMemoText->SetText(text);
  }
  inherited::Change();
}

// ---------------------------------------------------------------------------------------------
// The popup

void TNeoMemoDropDown::DoBeforeDropDown() {
  inherited::DoBeforeDropDown();
  GetDropDownForm()->SetCancelOnDeActivate(false);
  FOpenedText->Assign(FMemoText.get());
  if (!FMemo) return;
  FMemo->SetPopupMenu(FMemoPopup);
  FMemo->SetMaxLength(GetMaxLength());
  FMemo->SetScrollBars(FMemoScrollBars);
  FMemo->SetReadOnly(FMemoReadOnly);
  FMemo->GetFont()->Assign(GetFont());
}

void TNeoMemoDropDown::MemoChange(TObject*) {
  FMemoText->Assign(FMemo->GetLines());
  if (OnMemoChange) OnMemoChange(this);
}

// A cancel puts back the lines the popup opened with, in the memo and in the stored text; the
// base close then writes back the line shown at the opening, which is no typing.
void TNeoMemoDropDown::DoHideDropDown(bool Cancel) {
  if (!PopupVisible()) {
    inherited::DoHideDropDown(Cancel);
    return;
  }
  const bool autoDrop = FAutoDrop;
  FAutoDrop = false;
  auto restoreAutoDrop = ScopeExit([this, autoDrop] { FAutoDrop = autoDrop; });
  if (!Cancel) {
    inherited::DoHideDropDown(false);
    return;
  }
  if (FMemo) FMemo->GetLines()->Assign(FOpenedText.get());
  FMemoText->Assign(FOpenedText.get());
  const bool was = FInternalUpdate;
  FInternalUpdate = true;
  auto restore = ScopeExit([this, was] { FInternalUpdate = was; });
  inherited::DoHideDropDown(true);
}

void TNeoMemoDropDown::DropDownFormHide() {
  inherited::DropDownFormHide();
  if (FMemo) FMemoText->Assign(FMemo->GetLines());
  UpdateEditFromMemo(this);
  SetSelStart(0);
  SetSelLength(0);
}

void TNeoMemoDropDown::DoEnter() {
  inherited::DoEnter();
  if (FAutoDrop) ShowDropDown();
}

// ---------------------------------------------------------------------------------------------
// Keys of the memo

void TNeoMemoDropDown::MemoKeyDown(TObject*, Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) {
    DoHideDropDown(true);
    Key = 0;
  } else if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
    if (GetDroppedDown()) DoHideDropDown(true);
    else ShowDropDown();
    Key = 0;
  }
}

void TNeoMemoDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_TAB) {
    Key = 0;
    HideDropDown(false);
    SelectAll();
    return;
  }
  if (Key == u'A' && Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
    if (FMemo) FMemo->SelectAll();
    Key = 0;
    return;
  }
  // Esc and Alt+Up/Down close with cancel here rather than through the edit, whose keys would
  // keep the working copy.
  MemoKeyDown(FMemo, Key, Shift);
  if (Key != 0 && (Shift.Contains(ssAlt) || Key == VK_F4)) inherited::ControlKeyDown(Key, Shift);
}

void TNeoMemoDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4) inherited::ControlKeyUp(Key, Shift);
}

void TNeoMemoDropDown::ControlKeyPress(Char& Key) {
  if (Key == u'\t') {
    Key = 0;
    SelectAll();
    return;
  }
  if (GetKeyState(VK_MENU) < 0 || Key == u'\x1b') inherited::ControlKeyPress(Key);
}
