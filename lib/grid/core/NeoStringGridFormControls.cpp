// TNeoStringGrid: form controls in markup cells. A press on an EDIT, PASSWORD, MASK or COMBO
// control of an editable cell places the grid's one control edit or control combo over the drawn
// control; when the edit loses the focus or the combo closes up, the value goes back into the
// control's VALUE in the cell's markup. The cell text holds the only copy of every value.
#include "lib/grid/core/NeoGridEditors.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/render/NeoHTMLControls.h"

namespace {

bool IsTextControl(const String& CtrlType) {
  return CtrlType == u"EDIT" || CtrlType == u"PASSWORD" || CtrlType == u"MASK";
}

}  // namespace

void TNeoStringGrid::StartCellControlEdit(const String& Text, const String& CtrlType, Integer ARow, Integer RealCol,
                                          Integer ACol, TRect R, const String& CtrlVal, const String& CtrlID) {
  bool combo = CtrlType == u"COMBO";
  if (!IsTextControl(CtrlType) && !combo) return;
  FCtrlXY = TPoint{RealCol, ARow};
  FCtrlID = CtrlID;
  FCtrlType = CtrlType;
  FCtrlEditing = true;
  Integer maxLen = GetHtmlControlMaxLen(Text, CtrlID);
  if (!combo) {
    TControlEdit* edit = GetControlEdit();
    edit->SetWidth(0);
    edit->SetPasswordChar(CtrlType == u"PASSWORD" ? u'*' : Char(0));
    String mask;
    if (CtrlType == u"MASK") GetHtmlControlProp(Text, CtrlID, mask);
    edit->SetEditMask(mask);
    edit->OnExit = [this](TObject* Sender) { HideCellControlEditor(Sender); };
    edit->SetText(CtrlVal);
    edit->SetBorderStyle(bsNone);
    edit->SetBounds(R.left + 1, R.top + 8, R.right - R.left - 4, 14);
    edit->SetMaxLength(maxLen);
    edit->SetParent(this);
    edit->SetVisible(true);
    edit->BringToFront();
    edit->SetFocus();
    return;
  }
  TControlCombo* box = GetControlCombo();
  box->SetIsWinXP(FIsWinXP);
  box->SetWidth(0);
  box->SetFlat(false);
  box->SetBounds(R.left - 1, R.top + 4, R.right - R.left, box->GetHeight());
  box->OnSelect = [this](TObject* Sender) { DoControlComboSelect(Sender); };
  box->SetParent(this);
  bool edit = true;
  Integer dropCount = 8;
  // The one combo serves every COMBO control: the list is the one the handler gives now.
  box->GetItems()->Clear();
  if (OnControlComboList)
    OnControlComboList(this, ARow, ACol, CtrlID, CtrlType, CtrlVal, box->GetItems(), edit, dropCount);
  box->SetStyle(edit ? csDropDown : csDropDownList);
  box->SetItemIndex(box->GetItems()->IndexOf(CtrlVal));
  box->SetText(CtrlVal);
  box->SetDropDownCount(dropCount);
  box->OnCloseUp = [this](TObject* Sender) { HideCellControlEditor(Sender); };
  box->SetHeight(box->GetItemHeight() * (dropCount + 2));
  box->SetMaxLength(maxLen);
  box->SetVisible(true);
  box->SetDroppedDown(true);
  box->SetFocus();
}

void TNeoStringGrid::HideCellControlEditor(TObject* Sender) {
  (void)Sender;
  if (!FCtrlEditing) return;
  FCtrlEditing = false;
  String markup = GetCells(FCtrlXY.x, FCtrlXY.y);
  String value;
  if (IsTextControl(FCtrlType)) {
    TControlEdit* edit = GetControlEdit();
    value = edit->GetText();
    SetHtmlControlValue(markup, FCtrlID, value);
    SetCells(FCtrlXY.x, FCtrlXY.y, markup);
    edit->SetVisible(false);
  } else if (FCtrlType == u"COMBO") {
    TControlCombo* box = GetControlCombo();
    value = box->GetText();
    SetHtmlControlValue(markup, FCtrlID, value);
    SetCells(FCtrlXY.x, FCtrlXY.y, markup);
    box->SetVisible(false);
  }
  if (OnControlEditDone) OnControlEditDone(this, FCtrlXY.y, FCtrlXY.x, FCtrlID, FCtrlType, value);
  FCtrlType.clear();
}

void TNeoStringGrid::DoControlComboSelect(TObject* Sender) {
  (void)Sender;
  if (!OnControlComboSelect) return;
  TControlCombo* box = GetControlCombo();
  Integer index = box->GetItemIndex();
  String item = index >= 0 && index < box->GetItems()->GetCount() ? box->GetItems()->GetStrings(index) : String();
  OnControlComboSelect(this, FCtrlXY.y, FCtrlXY.x, index, FCtrlID, item);
}
