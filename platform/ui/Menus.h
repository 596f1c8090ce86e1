#pragma once
// Menus: TMenuItem (a caption with a check mark, shown or hidden, enabled or greyed, its own
// OnClick) and TPopupMenu, whose Popup shows its visible items at a screen point as a top-most
// window that does not take the activation: the mouse and the keys Up, Down, Enter and Escape
// work it, a click elsewhere closes it, and a click on an enabled item closes it and fires the
// item's OnClick.
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/ui/Graphics.h"

class TMenuItem : public TComponent {
  ZELK_CLASS(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool Value) { FChecked = Value; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }

  // The sub-items (a menu's Items is the root item).
  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TMenuItem* GetItems(Integer Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
  // Takes Item into this item's list (out of another item's list first).
  void Add(TMenuItem* Item);
  void Remove(TMenuItem* Item);
  TMenuItem* GetParent() const { return FParent; }

  // Fires OnClick.
  virtual void Click();
  TNotifyEvent OnClick;

private:
  String FCaption;
  bool FChecked = false;
  bool FVisible = true;
  bool FEnabled = true;
  Integer FImageIndex = -1;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
};

class TPopupMenu : public TComponent {
  ZELK_CLASS(TPopupMenu, TComponent)
public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  TMenuItem* GetItems() const { return FItems.get(); }
  // Shows the visible items with their top-left corner at the screen point (moved onto the work
  // area where it would leave it) and returns at once; nothing without a visible item. OnPopup
  // fires first.
  virtual void Popup(Integer X, Integer Y);
  // The window of the menu while it is shown (nullptr otherwise).
  HWND GetPopupWindow() const;
  // Closes the shown menu without a choice.
  void CloseMenu();
  TNotifyEvent OnPopup;

private:
  class TPopupList;
  std::unique_ptr<TMenuItem> FItems;
  std::unique_ptr<TPopupList> FList;
};

// ---------------------------------------------------------------------------------------------
// Menu handles: a popup menu made by CreatePopupMenu holds string items with command
// identifiers. TrackPopupMenu shows it with its top-left corner at a screen point and returns
// once an item is chosen or the menu closes (Esc, a click elsewhere); a choice posts WM_COMMAND
// (identifier, notification code 0) to the owner window. The menu works as TPopupMenu's does.
// ---------------------------------------------------------------------------------------------
constexpr UINT MF_STRING = 0x0000;
constexpr UINT TPM_LEFTBUTTON = 0x0000;

HMENU CreatePopupMenu();
// Adds an MF_STRING item; FALSE for a handle that is not a live menu or another kind of item.
BOOL AppendMenu(HMENU hMenu, UINT uFlags, WPARAM uIDNewItem, const Char* lpNewItem);
// TRUE when an item was chosen; FALSE when the menu closed without a choice, has no item or the
// handle is not a live menu.
BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd, const RECT* prcRect);
// The popup menu TrackPopupMenu shows at the moment (nullptr when none): its items and window.
TPopupMenu* TrackedPopupMenu();
BOOL DestroyMenu(HMENU hMenu);
