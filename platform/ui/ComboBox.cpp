// TCustomComboBox: the edit child (csDropDown) or the shown item (csDropDownList), the button,
// and the list dropping down in a popup window that takes neither the focus nor activation.
#include <algorithm>

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

// The edit part of a csDropDown combo box: its keys reach the combo box first.
class TComboEdit : public TCustomEdit {
  ZELK_CLASS(TComboEdit, TCustomEdit)
public:
  TComboEdit(TCustomComboBox* ACombo) : TCustomEdit(ACombo), FCombo(ACombo) {
    FBorderStyle = bsNone;
    FTabStop = false;
    FAutoSelect = true;
  }

protected:
  void KeyDown(Word& Key, TShiftState Shift) override {
    FCombo->KeyDown(Key, Shift);
    if (Key == 0) return;
    bool handled = false;
    FCombo->ComboKeyDown(Key, Shift, handled);
    if (handled) Key = 0;
  }
  void KeyPress(Char& Key) override {
    FCombo->KeyPress(Key);
    // Enter and Esc of a dropped list close it; the edit types neither.
    if (Key == u'\r' || Key == 0x1B) Key = 0;
  }
  void KeyUp(Word& Key, TShiftState Shift) override { FCombo->KeyUp(Key, Shift); }
  void Change() override { FCombo->EditTextChanged(); }
  void DoEnter() override {
    TCustomEdit::DoEnter();
    FCombo->Invalidate();
  }
  void DefaultHandler(TMessage& Message) override {
    TCustomEdit::DefaultHandler(Message);
    // While the list is down, Enter and Esc belong to the combo box, not the form's buttons.
    if (Message.Msg == WM_GETDLGCODE && FCombo->FDropped) Message.Result |= DLGC_WANTALLKEYS;
    if (Message.Msg == WM_KILLFOCUS) FCombo->CloseList(false);
  }

private:
  TCustomComboBox* FCombo;
};

// The dropped-down list: a top-most popup; the mouse chooses, the keys stay with the combo box.
class TComboListWindow : public TCustomListBox {
  ZELK_CLASS(TComboListWindow, TCustomListBox)
public:
  TComboListWindow(TCustomComboBox* ACombo) : TCustomListBox(ACombo), FCombo(ACombo) {
    FVisible = false;
    FTabStop = false;
    FBorderStyle = bsNone;
  }

protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomListBox::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER | WS_CLIPSIBLINGS;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
  }
  void DefaultHandler(TMessage& Message) override {
    TPoint p = MessagePos(Message);
    TRect client = GetClientRect();
    bool inside = PtInRect(&client, p) != 0;
    switch (Message.Msg) {
      case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
      case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
        if (!inside) {
          // A press outside the list closes it; on the combo's button it does not open it again.
          POINT sp = p;
          ::ClientToScreen(FHandle, &sp);
          FCombo->CloseList(false);
          FCombo->FButtonDown = false;
          TRect button = FCombo->ButtonRect();
          POINT cp = sp;
          ::ScreenToClient(FCombo->GetHandle(), &cp);
          FCombo->FIgnoreNextPress = PtInRect(&button, cp) != 0;
          return;
        }
        UpdateScrollBar();
        if (ListRect().right < client.right && FScrollBar.MouseDown(FHandle, p)) {
          Invalidate();
          return;
        }
        FPressedInList = true;
        return;
      case WM_MOUSEMOVE:
        if (FScrollBar.Tracking()) {
          FScrollBar.MouseMove(p);
          Invalidate();
          return;
        }
        if (inside) {
          Integer i = ItemAtPos(p, true);
          if (i >= 0 && i != FItemIndex) SetItemIndex(i);
        }
        return;
      case WM_LBUTTONUP:
        if (FScrollBar.Tracking()) {
          FScrollBar.MouseUp(p);
          SetCapture(FHandle);
          Invalidate();
          return;
        }
        if (inside && FPressedInList && ItemAtPos(p, true) >= 0) {
          FPressedInList = false;
          SetItemIndex(ItemAtPos(p, true));
          FCombo->CloseList(true);
          return;
        }
        FPressedInList = false;
        return;
      case WM_CAPTURECHANGED:
        return;
      default: break;
    }
    TCustomListBox::DefaultHandler(Message);
  }

public:
  bool FPressedInList = false;

private:
  TCustomComboBox* FCombo;
};

// ---------------------------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TControlItems>([this](Integer Kind, Integer Index) { ItemsChanged(Kind, Index); })) {
  FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight};
  FWidth = 145;
  FHeight = 21;
  FTabStop = true;
  FColor = clWindow;
  FBrush->SetColor(FColor);
  FEdit = new TComboEdit(this);
  FEdit->SetParent(this);
  FList = new TComboListWindow(this);
  PlaceEdit();
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomComboBox::CreateWnd() {
  TCustomControl::CreateWnd();
  PlaceEdit();
}

TCustomEdit* TCustomComboBox::GetEditControl() const { return FStyle == csDropDown ? FEdit : nullptr; }
TWinControl* TCustomComboBox::GetListWindow() const { return FList; }

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  FEdit->SetVisible(Value == csDropDown || Value == csSimple);
  PlaceEdit();
  Invalidate();
}

TRect TCustomComboBox::ButtonRect() {
  TRect r = GetClientRect();
  return TRect{std::max<LONG>(0, r.right - GetSystemMetrics(SM_CXVSCROLL)), 0, r.right, r.bottom};
}

void TCustomComboBox::PlaceEdit() {
  if (!FEdit) return;
  FEdit->SetVisible(FStyle == csDropDown || FStyle == csSimple);
  TRect r = GetClientRect();
  TRect b = ButtonRect();
  FEdit->SetBounds(1, 1, std::max<LONG>(0, b.left - 2), std::max<LONG>(0, r.bottom - 2));
}

void TCustomComboBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlaceEdit();
}

void TCustomComboBox::SetItemHeight(Integer Value) {
  if (Value > 0) FItemHeight = Value;
}

// Index -1 is the selection field: the box takes its height plus the frame around it. Any other
// index is the height of the list's items. Heights of 1 .. 255 pixels are taken.
void TCustomComboBox::SetItemHeightMessage(TMessage& Message) {
  auto index = static_cast<Integer>(Message.WParam);
  auto height = static_cast<Integer>(Message.LParam);
  if (index < -1 || height < 1 || height > 255) {
    Message.Result = CB_ERR;
    return;
  }
  if (index == -1)
    SetHeight(height + SelectionFieldFrame);
  else
    SetItemHeight(height);
  Message.Result = 0;
}

void TCustomComboBox::SetMaxLength(Integer Value) {
  FMaxLength = std::max(0, Value);
  FEdit->SetMaxLength(FMaxLength);
}

Integer TCustomComboBox::GetSelStart() { return FStyle == csDropDown ? FEdit->GetSelStart() : 0; }
void TCustomComboBox::SetSelStart(Integer Value) {
  if (FStyle == csDropDown) FEdit->SetSelStart(Value);
}
Integer TCustomComboBox::GetSelLength() { return FStyle == csDropDown ? FEdit->GetSelLength() : 0; }
void TCustomComboBox::SetSelLength(Integer Value) {
  if (FStyle == csDropDown) FEdit->SetSelLength(Value);
}
void TCustomComboBox::SelectAll() {
  if (FStyle == csDropDown) FEdit->SelectAll();
}

void TCustomComboBox::Clear() {
  FItems->Clear();
  SetDisplayText(String());
}

bool TCustomComboBox::Focused() {
  HWND f = GetFocus();
  return f && ((FHandle && f == FHandle) || (FEdit->HandleAllocated() && f == FEdit->GetHandle()));
}

void TCustomComboBox::SetFocus() {
  if (FStyle == csDropDown && FEdit->GetVisible()) {
    FEdit->SetFocus();
    return;
  }
  TCustomControl::SetFocus();
}

// ---- items and text

void TCustomComboBox::ItemsChanged(Integer Kind, Integer Index) {
  switch (Kind) {
    case TControlItems::icInserted:
      if (FItemIndex >= Index) ++FItemIndex;
      break;
    case TControlItems::icDeleted:
      if (FItemIndex == Index) FItemIndex = -1;
      else if (FItemIndex > Index) --FItemIndex;
      break;
    case TControlItems::icCleared: FItemIndex = -1; break;
    default: break;
  }
  if (FItemIndex >= FItems->GetCount()) FItemIndex = -1;
  Invalidate();
}

void TCustomComboBox::SetDisplayText(const String& Value) {
  FText = Value;
  if (FStyle == csDropDown) {
    FSettingText = true;
    FEdit->SetText(Value);
    FSettingText = false;
    if (FEdit->Focused()) FEdit->SelectAll();
  }
  Invalidate();
}

void TCustomComboBox::SetItemIndex(Integer Value) {
  if (Value < -1 || Value >= FItems->GetCount()) Value = -1;
  FItemIndex = Value;
  SetDisplayText(Value >= 0 ? FItems->GetStrings(Value) : String());
}

void TCustomComboBox::EditTextChanged() {
  if (FSettingText) return;
  FText = FEdit->GetText();
  FItemIndex = FItems->IndexOf(FText);
  SendNotify(CBN_EDITCHANGE);
  if (!FHandle) Change();
}

void TCustomComboBox::UserSelect(Integer Index) {
  if (FItems->GetCount() == 0) return;
  Index = std::clamp(Index, 0, FItems->GetCount() - 1);
  if (Index == FItemIndex && GetText() == FItems->GetStrings(Index)) return;
  SetItemIndex(Index);
  if (FHandle) SendNotify(CBN_SELCHANGE);
  else {
    Click();
    Select();
  }
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case CBN_SELCHANGE:
      Click();
      Select();
      break;
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN: DropDown(); break;
    case CBN_CLOSEUP: CloseUp(); break;
  }
}

// ---- the list

bool TCustomComboBox::GetDroppedDown() const { return FDropped; }

void TCustomComboBox::SetDroppedDown(bool Value) {
  if (Value == FDropped) return;
  if (!Value) {
    CloseList(false);
    return;
  }
  if (!GetShowing()) return;
  if (FHandle) SendNotify(CBN_DROPDOWN);
  else DropDown();
  FList->GetItems()->Assign(FItems.get());
  FList->GetFont()->Assign(GetFont());
  FList->SetItemIndex(FItemIndex);
  Integer h = FList->GetItemHeight();
  Integer rows = std::clamp(FItems->GetCount(), 1, std::max(1, FDropDownCount));
  Integer height = rows * h + 2 * GetSystemMetrics(SM_CYBORDER);
  TRect bounds;
  GetWindowRect(GetHandle(), &bounds);
  Integer top = bounds.bottom;
  RECT work{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  if (top + height > work.bottom && bounds.top - height >= work.top) top = bounds.top - height;
  Integer width = std::max<Integer>(bounds.right - bounds.left, FDroppedWidth);
  FList->SetBounds(bounds.left, top, width, height);
  FList->HandleNeeded();
  SetWindowPos(FList->GetHandle(), HWND_TOPMOST, bounds.left, top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FList->SetVisible(true);
  FList->SetItemIndex(FItemIndex);
  FDropped = true;
  FList->FPressedInList = false;
  SetCapture(FList->GetHandle());
  Invalidate();
}

void TCustomComboBox::CloseList(bool Accept) {
  if (!FDropped) return;
  FDropped = false;
  Integer chosen = FList->GetItemIndex();
  if (FList->HandleAllocated()) {
    if (GetCapture() == FList->GetHandle()) ReleaseCapture();
    ShowWindow(FList->GetHandle(), SW_HIDE);
  }
  FList->SetVisible(false);
  Invalidate();
  if (Accept && chosen >= 0) UserSelect(chosen);
  if (FHandle) SendNotify(CBN_CLOSEUP);
  else CloseUp();
}

// ---- keys and mouse

void TCustomComboBox::ComboKeyDown(UINT Key, TShiftState Shift, bool& Handled) {
  Handled = true;
  bool alt = Shift.Contains(ssAlt);
  if (Key == VK_F4 || (alt && (Key == VK_DOWN || Key == VK_UP))) {
    SetDroppedDown(!FDropped);
    return;
  }
  Integer count = FItems->GetCount();
  Integer page = std::max(1, FDropDownCount - 1);
  if (FDropped) {
    Integer cur = FList->GetItemIndex();
    switch (Key) {
      case VK_UP: FList->SetItemIndex(std::max(0, cur - 1)); return;
      case VK_DOWN: FList->SetItemIndex(std::min(count - 1, cur + 1)); return;
      case VK_PRIOR: FList->SetItemIndex(std::max(0, cur - page)); return;
      case VK_NEXT: FList->SetItemIndex(std::min(count - 1, cur + page)); return;
      case VK_HOME: if (FStyle == csDropDownList) { FList->SetItemIndex(0); return; } break;
      case VK_END: if (FStyle == csDropDownList) { FList->SetItemIndex(count - 1); return; } break;
      case VK_RETURN: CloseList(true); return;
      case VK_ESCAPE: CloseList(false); return;
      default: break;
    }
    Handled = false;
    return;
  }
  if (count == 0) {
    Handled = false;
    return;
  }
  switch (Key) {
    case VK_UP: UserSelect(FItemIndex < 0 ? 0 : FItemIndex - 1); return;
    case VK_DOWN: UserSelect(FItemIndex + 1); return;
    case VK_PRIOR: UserSelect(FItemIndex - page); return;
    case VK_NEXT: UserSelect(FItemIndex + page); return;
    case VK_HOME: if (FStyle == csDropDownList) { UserSelect(0); return; } break;
    case VK_END: if (FStyle == csDropDownList) { UserSelect(count - 1); return; } break;
    default: break;
  }
  Handled = false;
}

void TCustomComboBox::ComboChar(Char Key) {
  if (FStyle != csDropDownList || Key <= u' ') return;
  Integer n = FItems->GetCount();
  Integer cur = FDropped ? FList->GetItemIndex() : FItemIndex;
  for (Integer k = 1; k <= n; ++k) {
    Integer i = (std::max(cur, -1) + k) % n;
    String s = FItems->GetStrings(i);
    if (!s.empty() && CharUpper(s[0]) == CharUpper(Key)) {
      if (FDropped) FList->SetItemIndex(i);
      else UserSelect(i);
      return;
    }
  }
}

void TCustomComboBox::ComboMouse(TMessage& Message) {
  if (Message.Msg != WM_LBUTTONDOWN && Message.Msg != WM_LBUTTONDBLCLK) return;
  if (FIgnoreNextPress) {
    FIgnoreNextPress = false;
    return;
  }
  if (CanFocus() && !Focused()) SetFocus();
  TRect button = ButtonRect();
  if (FStyle == csDropDownList || PtInRect(&button, MessagePos(Message))) SetDroppedDown(!FDropped);
}

void TCustomComboBox::Paint() {
  HDC dc = GetCanvas()->GetHandle();
  TRect r = GetClientRect();
  TRect button = ButtonRect();
  ControlPaint::FillColor(dc, TRect{0, 0, button.left, r.bottom}, GetEnabled() ? GetColor() : clBtnFace);
  DrawFrameControl(dc, &button, DFC_SCROLL,
                   DFCS_SCROLLCOMBOBOX | (FDropped ? DFCS_PUSHED | DFCS_FLAT : 0) | (GetEnabled() ? 0 : DFCS_INACTIVE));
  if (FStyle != csDropDownList) return;
  TRect text{1, 1, button.left - 1, r.bottom - 1};
  bool focused = Focused() && !FDropped;
  if (focused) ControlPaint::FillColor(dc, text, clHighlight);
  String shown = FItemIndex >= 0 ? FItems->GetStrings(FItemIndex) : FText;
  if (OnDrawItem && FStyle == csOwnerDrawFixed && FItemIndex >= 0) {
    TOwnerDrawState state{odComboBoxEdit};
    if (focused) state += TOwnerDrawState{odSelected, odFocused};
    OnDrawItem(this, FItemIndex, text, state);
  } else {
    TRect tr{text.left + 2, text.top, text.right, text.bottom};
    ControlPaint::TSelectFont sel(dc, GetFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, !GetEnabled() ? GetSysColor(COLOR_GRAYTEXT) : focused ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                                            : ColorToRGB(GetFont()->GetColor()));
    DrawText(dc, shown.c_str(), static_cast<int>(shown.size()), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if (focused) DrawFocusRect(dc, &text);
}

void TCustomComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    case CM_CANCELMODE: case WM_CANCELMODE:
      // A press on the combo box itself or in its list is its own business.
      if (auto* sender = reinterpret_cast<TControl*>(Message.LParam);
          Message.Msg == WM_CANCELMODE || (sender != this && sender != FList && sender != FEdit))
        CloseList(false);
      inherited::Dispatch(Message);
      return;
    case CM_ENABLEDCHANGED:
      FEdit->SetEnabled(GetEnabled());
      inherited::Dispatch(Message);
      return;
    case CM_COLORCHANGED:
      // The edit part shows the combo box's colour, as the combo box paints its edit.
      FEdit->SetColor(GetColor());
      inherited::Dispatch(Message);
      return;
    case WM_SIZE:
      inherited::Dispatch(Message);
      PlaceEdit();
      return;
    default: inherited::Dispatch(Message); return;
  }
}

void TCustomComboBox::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (FDropped ? DLGC_WANTALLKEYS : 0);
      return;
    case WM_GETTEXT: case WM_GETTEXTLENGTH:
      if (FStyle == csDropDown) {
        Message.Result = FEdit->Perform(Message.Msg, Message.WParam, Message.LParam);
        return;
      }
      TControl::DefaultHandler(Message);
      return;
    case WM_SETTEXT: {
      auto* s = reinterpret_cast<const Char*>(Message.LParam);
      String text = s ? String(s) : String();
      if (FStyle == csDropDownList) {
        Integer i = FItems->IndexOf(text);
        FItemIndex = i;
        FText = i >= 0 ? FItems->GetStrings(i) : String();
      } else {
        FItemIndex = FItems->IndexOf(text);
        SetDisplayText(text);
      }
      Invalidate();
      Message.Result = TRUE;
      return;
    }
    case WM_KEYDOWN: {
      bool handled = false;
      ComboKeyDown(static_cast<UINT>(Message.WParam), KeyDataToShiftState(Message.LParam), handled);
      return;
    }
    case WM_SYSKEYDOWN: {
      bool handled = false;
      ComboKeyDown(static_cast<UINT>(Message.WParam), KeyDataToShiftState(Message.LParam) + ssAlt, handled);
      if (!handled) inherited::DefaultHandler(Message);
      return;
    }
    case WM_CHAR: ComboChar(static_cast<Char>(Message.WParam)); return;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: ComboMouse(Message); return;
    case WM_SETFOCUS:
      if (FStyle == csDropDown && FEdit->GetVisible() && FEdit->HandleAllocated()) ::SetFocus(FEdit->GetHandle());
      Invalidate();
      return;
    case WM_KILLFOCUS:
      CloseList(false);
      Invalidate();
      return;
    case CB_GETCOUNT: Message.Result = FItems->GetCount(); return;
    case CB_GETCURSEL: Message.Result = FItemIndex; return;
    case CB_SETCURSEL:
      SetItemIndex(static_cast<Integer>(Message.WParam));
      Message.Result = FItemIndex;
      return;
    case CB_SHOWDROPDOWN: SetDroppedDown(Message.WParam != 0); Message.Result = TRUE; return;
    case CB_GETDROPPEDSTATE: Message.Result = FDropped ? 1 : 0; return;
    case CB_GETLBTEXTLEN: case CB_GETLBTEXT: {
      auto i = static_cast<Integer>(Message.WParam);
      if (i < 0 || i >= FItems->GetCount()) {
        Message.Result = CB_ERR;
        return;
      }
      String s = FItems->GetStrings(i);
      if (Message.Msg == CB_GETLBTEXT && Message.LParam)
        std::copy(s.c_str(), s.c_str() + s.size() + 1, reinterpret_cast<Char*>(Message.LParam));
      Message.Result = static_cast<LRESULT>(s.size());
      return;
    }
    case CB_SETITEMHEIGHT: SetItemHeightMessage(Message); return;
    case CB_GETITEMHEIGHT:
      Message.Result = static_cast<Integer>(Message.WParam) == -1 ? GetHeight() - SelectionFieldFrame
                                                                 : FList->GetItemHeight();
      return;
    case CB_SETDROPPEDWIDTH: case CB_GETDROPPEDWIDTH:
      if (Message.Msg == CB_SETDROPPEDWIDTH) FDroppedWidth = std::max(0, static_cast<Integer>(Message.WParam));
      Message.Result = std::max(GetWidth(), FDroppedWidth);
      return;
    case CB_GETEDITSEL:
      Message.Result = FStyle == csDropDown ? FEdit->Perform(EM_GETSEL, Message.WParam, Message.LParam) : 0;
      return;
    case CB_SETEDITSEL:
      if (FStyle == csDropDown)
        FEdit->Perform(EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(Message.LParam))),
                       static_cast<SHORT>(HIWORD(Message.LParam)));
      Message.Result = TRUE;
      return;
    case CB_LIMITTEXT: SetMaxLength(static_cast<Integer>(Message.WParam)); Message.Result = TRUE; return;
    default: break;
  }
  inherited::DefaultHandler(Message);
}
