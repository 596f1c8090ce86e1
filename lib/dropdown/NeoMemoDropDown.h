#pragma once
// The memo dropdown: multi-line text edited in a memo in the popup; the edit shows the first line.
// A pick-only edit shows it with "..." appended when more lines follow, or cut with an ellipsis
// when it is wider than the edit; an editable edit shows the first line as it is, and what is
// typed into it becomes the whole memo text.
//
// MemoText is the value. While the popup is open the memo's lines are a working copy (each change
// shows at once in the edit): closing keeps them, cancelling (Esc, Alt+Up/Down in the memo)
// restores the lines the popup opened with. Losing the activation is no cancel. In the memo only
// Esc, F4, Tab and Alt combinations act on the dropdown; every other key edits the memo.
#include <memory>

#include "lib/dropdown/NeoDropDown.h"
#include "platform/ui/Memo.h"

class TNeoMemoDropDown : public TNeoCustomDropDown {
  ZELK_CLASS(TNeoMemoDropDown, TNeoCustomDropDown)
public:
  explicit TNeoMemoDropDown(TComponent* AOwner);
  ~TNeoMemoDropDown() override;

  // The memo's lines while the memo exists, else the stored lines.
  TStrings* GetMemoText() const;
  void SetMemoText(TStrings* Value);
  // The memo's context menu, scroll bars and read-only state (menu and bars apply at the next
  // opening, read-only at once while open).
  TPopupMenu* GetMemoPopup() const { return FMemoPopup; }
  void SetMemoPopup(TPopupMenu* Value) { FMemoPopup = Value; }
  TScrollStyle GetMemoScrollBars() const { return FMemoScrollBars; }
  void SetMemoScrollBars(TScrollStyle Value) { FMemoScrollBars = Value; }
  bool GetMemoReadOnly() const { return FMemoReadOnly; }
  void SetMemoReadOnly(bool Value);
  // The popup opens when the edit is entered.
  bool GetAutoDrop() const { return FAutoDrop; }
  void SetAutoDrop(bool Value) { FAutoDrop = Value; }
  // The popup's memo (nullptr at design time).
  TMemo* GetMemo() const { return FMemo; }

  // Fired on every change of the memo's text.
  TNotifyEvent OnMemoChange;

protected:
  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void DoHideDropDown(bool Cancel) override;
  void DropDownFormHide() override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(Char& Key) override;
  void DoEnter() override;
  void Change() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  void MemoChange(TObject* Sender);
  // Esc closes with cancel; Alt+Up or Alt+Down closes with cancel when open, else opens.
  void MemoKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  // The edit shows the first stored line (see the class comment).
  void UpdateEditFromMemo(TObject* Sender);

private:
  bool PopupVisible() const;
  // The first line fitted to the edit's formatting rectangle (pick-only edits).
  String FittedFirstLine(const String& First, bool MoreLines);

  TPopupMenu* FMemoPopup = nullptr;
  std::unique_ptr<TStringList> FMemoText;
  // The lines the popup opened with: what a cancel restores.
  std::unique_ptr<TStringList> FOpenedText;
  TMemo* FMemo = nullptr;
  TScrollStyle FMemoScrollBars = ssNone;
  bool FMemoReadOnly = false;
  bool FInternalUpdate = false;
  bool FAutoDrop = false;
};

// Publishes AutoDrop, MemoText, MemoPopup, MemoScrollBars, MemoReadOnly, ReturnIsTab, UIStyle and
// DisabledBorder beside the dropdown edit's properties (once).
void RegisterNeoMemoDropDownRtti();
