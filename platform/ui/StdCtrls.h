#pragma once
// The standard controls, drawn by the class library in one classic look: labels, the single-line
// edit, buttons, check boxes, radio buttons, group boxes, list boxes, combo boxes and scroll bars.
// They answer the standard controls' messages (EM_*, BM_*, LB_*, CB_*) and notify their parent
// with WM_COMMAND, which the parent reflects back to them as CN_COMMAND.
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/win/ScrollBarParts.h"

// ---------------------------------------------------------------------------------------------
// Labels
// ---------------------------------------------------------------------------------------------
class TCustomLabel : public TGraphicControl {
  ZELK_CLASS(TCustomLabel, TGraphicControl)
public:
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // Transparent: the parent shows through; otherwise the label fills its rectangle with Color.
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  // The control the label's accelerator ("&x") focuses.
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  void SetAutoSize(bool Value) override;
  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  bool CanAutoSize(Integer& NewWidth, Integer& NewHeight) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  UINT DrawTextFlags() const;
  // Measures (DT_CALCRECT) or draws the caption in Rect.
  void DoDrawText(HDC DC, TRect& Rect, UINT Flags);

private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  ZELK_CLASS(TLabel, TCustomLabel)
public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Edit
// ---------------------------------------------------------------------------------------------
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A single-line edit: caret, selection by mouse and keys, clipboard, and the EM_* messages.
// Every change of the text (typing, clipboard, Text := ...) sends EN_CHANGE to the parent at
// once, which reaches Change and OnChange.
class TEditBalloon;

class TCustomEdit : public TWinControl {
  ZELK_CLASS(TCustomEdit, TWinControl)
public:
  explicit TCustomEdit(TComponent* AOwner);
  // The balloon tip's window while one shows (EM_SHOWBALLOONTIP), else nullptr.
  HWND BalloonWindow() const;

  // Selection: SelStart is the position (0-based) where it begins, SelLength its length.
  Integer GetSelStart();
  void SetSelStart(Integer Value);
  Integer GetSelLength();
  void SetSelLength(Integer Value);
  String GetSelText();
  void SetSelText(const String& Value);
  void SelectAll();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Clear() { SetText(String()); }

  Integer GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  Char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(Char Value);
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool GetModified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  TNotifyEvent OnChange;

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change();
  void DoEnter() override;
  void PaintWindow(HDC DC) override;
  void CNCommand(TMessage& Message);

  // The edit's own behaviour (what the default window procedure of an edit does).
  void EditKeyDown(UINT Key);
  void EditChar(Char Key);
  void EditMouse(TMessage& Message);
  // Replaces the selection by Text (limited by MaxLength, cased by CharCase); true when the text
  // changed. Notify sends EN_CHANGE.
  bool ReplaceSelection(const String& Text, bool Notify);
  // A user's edit: the selection replaced by Text (ReadOnly refuses it), undo kept.
  bool UserReplace(const String& Text);
  void Undo();
  void SetContent(const String& Text);   // the text as stored and shown
  void SetSelection(Integer Anchor, Integer Caret);
  void MoveCaret(Integer Pos, bool Extend);
  void NotifyChange();
  Integer WordStart(Integer Pos) const;
  Integer WordEnd(Integer Pos) const;
  Integer NextWordPos(Integer Pos) const;
  Integer PrevWordPos(Integer Pos) const;

  // Layout: x offsets of every caret position of the shown text (the password characters when
  // PasswordChar is set), the text origin and scrolling.
  String DisplayText() const;
  void Measure();
  TRect TextRect();
  // The formatting rectangle: the area (client coordinates) that holds the text, caret and
  // selection. By default the client area less a margin left and right, the line centred in its
  // height; EM_SETRECT / EM_SETRECTNP set it, a null rectangle restores the default. It survives
  // RecreateWnd.
  virtual TRect FormatRect();
  Integer XOfPos(Integer Pos);
  Integer PosOfX(Integer X);
  virtual void ScrollToCaret();
  String CaseText(const String& Text) const;
  // Text as the edit takes it in: cased by CharCase; a single-line edit keeps what comes before
  // the first line break, a multi-line one has CR LF for every line break.
  String AcceptedText(const String& Text) const;

  Integer FAnchor = 0;   // selection: from FAnchor to FCaret
  Integer FCaret = 0;
  Integer FScroll = 0;   // pixels of the text scrolled out at the left
  Integer FMaxLength = 0;
  bool FReadOnly = false;
  Char FPasswordChar = 0;
  TEditCharCase FCharCase = ecNormal;
  bool FModified = false;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  bool FSelecting = false;   // mouse selection in progress
  bool FCreating = false;
  TBorderStyle FBorderStyle = bsSingle;
  TAlignment FAlignment = taLeftJustify;
  String FUndoText;   // one step of undo: the text and selection before the last change
  Integer FUndoAnchor = 0;
  Integer FUndoCaret = 0;
  bool FCanUndo = false;
  std::vector<Integer> FOffsets;   // FOffsets[i]: x of caret position i (0 at position 0)
  TEditBalloon* FBalloon = nullptr;   // owned as a component; made at the first EM_SHOWBALLOONTIP
  bool FMeasured = false;
  Integer FLineHeight = 0;
  TRect FEditRect;           // the formatting rectangle when FEditRectSet
  bool FEditRectSet = false;
  bool FMultiLine = false;   // the memo's text engine: line breaks are text
};

class TEdit : public TCustomEdit {
  ZELK_CLASS(TEdit, TCustomEdit)
public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Buttons, check boxes, radio buttons
// ---------------------------------------------------------------------------------------------
class TButtonControl : public TWinControl {
  ZELK_CLASS(TButtonControl, TWinControl)
public:
  explicit TButtonControl(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

protected:
  // Mouse and Space press the control; releasing over it clicks (BN_CLICKED to the parent).
  void ButtonMouse(TMessage& Message);
  void ButtonKey(TMessage& Message);
  virtual void PaintButton(HDC DC) = 0;
  void PaintWindow(HDC DC) override;
  void CNCommand(TMessage& Message);
  bool FPressed = false;   // drawn pushed
  bool FTracking = false;  // mouse held down on the control
  bool FSpaceDown = false;
};

class TButton : public TButtonControl {
  ZELK_CLASS(TButton, TButtonControl)
public:
  explicit TButton(TComponent* AOwner);

  // Default: Enter presses it (unless another button has the focus); drawn with a thicker frame.
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  // Cancel: Esc presses it.
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  // Set on the parent form when the button is clicked.
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  void Click() override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void PaintButton(HDC DC) override;
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMFocusChanged(TMessage& Message);

private:
  bool FDefault = false;
  bool FCancel = false;
  bool FActive = false;   // Enter presses this button now
  TModalResult FModalResult = mrNone;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TLeftRight { taLeftOfButton, taRightOfButton };

class TCustomCheckBox : public TButtonControl {
  ZELK_CLASS(TCustomCheckBox, TButtonControl)
public:
  explicit TCustomCheckBox(TComponent* AOwner);
  bool GetChecked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState GetState() const { return FState; }
  // A change clicks (OnClick), as a user's would.
  void SetState(TCheckBoxState Value);
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  TLeftRight GetAlignment() const { return FAlignment; }
  void SetAlignment(TLeftRight Value);
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  // The next state of a user's click: unchecked, checked, grayed (when allowed), unchecked.
  virtual void Toggle();
  // After every change of State (radio buttons uncheck their siblings here).
  virtual void StateChanged() {}
  void Click() override;
  void PaintButton(HDC DC) override;
  void CreateParams(TCreateParams& Params) override;
  void CMDialogChar(TMessage& Message);
  // Box and caption; Radio draws a round mark.
  void PaintCheck(HDC DC, bool Radio, bool Checked, bool Grayed);

  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TLeftRight FAlignment = taRightOfButton;
  bool FClicksDisabled = false;
};

class TCheckBox : public TCustomCheckBox {
  ZELK_CLASS(TCheckBox, TCustomCheckBox)
public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

// Checking a radio button unchecks the other radio buttons of its parent.
class TRadioButton : public TCustomCheckBox {
  ZELK_CLASS(TRadioButton, TCustomCheckBox)
public:
  explicit TRadioButton(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

protected:
  void Toggle() override;
  void PaintButton(HDC DC) override;
  void CreateParams(TCreateParams& Params) override;
  void StateChanged() override;
  void DefaultHandler(TMessage& Message) override;
};

// ---------------------------------------------------------------------------------------------
// Group box
// ---------------------------------------------------------------------------------------------
class TCustomGroupBox : public TCustomControl {
  ZELK_CLASS(TCustomGroupBox, TCustomControl)
public:
  explicit TCustomGroupBox(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;

protected:
  void AdjustClientRect(TRect& Rect) override;
  void Paint() override;
  void CreateParams(TCreateParams& Params) override;
};

class TGroupBox : public TCustomGroupBox {
  ZELK_CLASS(TGroupBox, TCustomGroupBox)
public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// List box
// ---------------------------------------------------------------------------------------------
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
using TDrawItemEvent = std::function<void(TWinControl* Control, Integer Index, TRect Rect, TOwnerDrawState State)>;

class TCustomListBox;
class TCustomComboBox;

// The items of a list or combo box: a string list whose every change reaches its control.
class TControlItems : public TStringList {
  ZELK_CLASS(TControlItems, TStringList)
public:
  // Items of the list control Owner (notified through ItemsChanged / ItemInserted / ItemDeleted).
  using TChangeSink = std::function<void(Integer Kind, Integer Index)>;
  enum { icChanged, icInserted, icDeleted, icCleared };
  explicit TControlItems(TChangeSink Sink) : FSink(std::move(Sink)) {}
  void Clear() override;
  void Delete(Integer Index) override;

protected:
  void InsertItem(Integer Index, const String& S, TObject* AObject) override;
  void Changed() override;

private:
  TChangeSink FSink;
  bool FStructural = false;
};

class TCustomListBox : public TCustomControl {
  ZELK_CLASS(TCustomListBox, TCustomControl)
public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  Integer GetCount() const { return FItems->GetCount(); }
  // -1 when no item is current; setting it selects that item (alone unless MultiSelect).
  Integer GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer Value);
  // Standard lists take the height of a line of their font; owner-drawn ones ItemHeight.
  Integer GetItemHeight() const;
  void SetItemHeight(Integer Value);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool GetSelected(Integer Index) const;
  void SetSelected(Integer Index, bool Value);
  Integer GetSelCount() const;
  bool GetSorted() const { return FItems->GetSorted(); }
  void SetSorted(bool Value);
  TListBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  Integer GetTopIndex() const { return FTopIndex; }
  void SetTopIndex(Integer Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  void Clear() { FItems->Clear(); }
  void ClearSelection();
  void SelectAll();
  // The item at a client point; -1 outside the items unless Existing is false (then the
  // position an item there would have).
  Integer ItemAtPos(TPoint Pos, bool Existing);
  TRect ItemRect(Integer Index);
  // The number of items the client area shows whole.
  Integer VisibleCount();

  TDrawItemEvent OnDrawItem;

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  // Draws one item: OnDrawItem for owner-drawn lists, else the text.
  virtual void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State);
  void ItemsChanged(Integer Kind, Integer Index);
  // The user moved the current item: selection as the keys and mouse decide, LBN_SELCHANGE.
  void UserSelect(Integer Index, TShiftState Shift, bool Notify);
  void MakeVisible(Integer Index);
  void ScrollBy(Integer Lines);
  void ListKeyDown(UINT Key);
  void ListMouse(TMessage& Message);
  void UpdateScrollBar();
  TRect ListRect();   // the client area without the scroll bar
  void CNCommand(TMessage& Message);

  std::unique_ptr<TControlItems> FItems;
  std::vector<bool> FSelection;
  Integer FItemIndex = -1;
  Integer FItemHeight = 16;
  Integer FTopIndex = 0;
  Integer FAnchorIndex = -1;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  TListBoxStyle FStyle = lbStandard;
  TBorderStyle FBorderStyle = bsSingle;
  TScrollBarParts FScrollBar;
  bool FMouseSelecting = false;

  friend class TCustomComboBox;
};

class TListBox : public TCustomListBox {
  ZELK_CLASS(TListBox, TCustomListBox)
public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Combo box
// ---------------------------------------------------------------------------------------------
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboEdit;
class TComboListWindow;

// A combo box: csDropDown has an edit as its first child window, csDropDownList shows the
// selected item. The list drops down in a separate popup window that never takes the focus.
class TCustomComboBox : public TCustomControl {
  ZELK_CLASS(TCustomComboBox, TCustomControl)
public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TComboBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  Integer GetItemIndex() const { return FItemIndex; }
  // Selects an item (its text becomes Text) without OnChange / OnSelect.
  void SetItemIndex(Integer Value);
  Integer GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer Value) { FDropDownCount = Value; }
  bool GetDroppedDown() const;
  void SetDroppedDown(bool Value);
  Integer GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer Value);
  bool GetSorted() const { return FItems->GetSorted(); }
  void SetSorted(bool Value) { FItems->SetSorted(Value); }
  Integer GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value);
  // The edit part's selection (csDropDown).
  Integer GetSelStart();
  void SetSelStart(Integer Value);
  Integer GetSelLength();
  void SetSelLength(Integer Value);
  void SelectAll();
  void Clear();
  bool Focused() override;
  void SetFocus() override;
  // The edit child of csDropDown (nullptr otherwise).
  TCustomEdit* GetEditControl() const;
  TWinControl* GetListWindow() const;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  void CNCommand(TMessage& Message);
  void ItemsChanged(Integer Kind, Integer Index);
  // A user's choice of an item: text, CBN_SELCHANGE (OnChange, OnSelect).
  void UserSelect(Integer Index);
  void ComboKeyDown(UINT Key, TShiftState Shift, bool& Handled);
  void ComboChar(Char Key);
  void ComboMouse(TMessage& Message);
  void CloseList(bool Accept);
  TRect ButtonRect();
  void PlaceEdit();
  // CB_SETITEMHEIGHT: index -1 sizes the selection field, which the box surrounds with
  // SelectionFieldFrame pixels of frame in all.
  void SetItemHeightMessage(TMessage& Message);
  static constexpr Integer SelectionFieldFrame = 6;
  void EditTextChanged();
  void SetDisplayText(const String& Value);

  TComboBoxStyle FStyle = csDropDown;
  std::unique_ptr<TControlItems> FItems;
  Integer FItemIndex = -1;
  Integer FDropDownCount = 8;
  Integer FItemHeight = 16;
  Integer FMaxLength = 0;
  Integer FDroppedWidth = 0;              // CB_SETDROPPEDWIDTH: the list's least width
  TComboEdit* FEdit = nullptr;            // owned (a child control)
  TComboListWindow* FList = nullptr;      // owned
  bool FDropped = false;
  bool FButtonDown = false;
  bool FIgnoreNextPress = false;   // the press that closed the list lands on the button
  bool FSettingText = false;

  friend class TComboEdit;
  friend class TComboListWindow;
};

class TComboBox : public TCustomComboBox {
  ZELK_CLASS(TComboBox, TCustomComboBox)
public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// Scroll bar
// ---------------------------------------------------------------------------------------------
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, Integer& ScrollPos)>;

// Sends WM_HSCROLL / WM_VSCROLL with its handle to the parent, which reflects them back.
class TScrollBar : public TCustomControl {
  ZELK_CLASS(TScrollBar, TCustomControl)
public:
  explicit TScrollBar(TComponent* AOwner);

  TScrollBarKind GetKind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  Integer GetMin() const { return FMin; }
  void SetMin(Integer Value) { SetParams(FPosition, Value, FMax); }
  Integer GetMax() const { return FMax; }
  void SetMax(Integer Value) { SetParams(FPosition, FMin, Value); }
  Integer GetPosition() const { return FPosition; }
  void SetPosition(Integer Value) { SetParams(Value, FMin, FMax); }
  Integer GetPageSize() const { return FPageSize; }
  void SetPageSize(Integer Value);
  Integer GetSmallChange() const { return FSmallChange; }
  void SetSmallChange(Integer Value) { FSmallChange = Value; }
  Integer GetLargeChange() const { return FLargeChange; }
  void SetLargeChange(Integer Value) { FLargeChange = Value; }
  // Position clamped into Min .. Max - PageSize + 1 (PageSize 0: Max); OnChange after a change.
  void SetParams(Integer APosition, Integer AMin, Integer AMax);

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  virtual void Change();
  virtual void Scroll(TScrollCode ScrollCode, Integer& ScrollPos);
  void DoScroll(TMessage& Message);
  void SyncParts();

private:
  TScrollBarKind FKind = sbHorizontal;
  Integer FMin = 0;
  Integer FMax = 100;
  Integer FPosition = 0;
  Integer FPageSize = 0;
  Integer FSmallChange = 1;
  Integer FLargeChange = 1;
  TScrollBarParts FParts;
};
