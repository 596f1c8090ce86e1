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
