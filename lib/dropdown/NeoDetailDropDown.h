#pragma once
// The detail drop-down: an editable drop-down whose popup lists detail items, each an image (a
// picture or an image-list entry), a caption and optional notes in markup, in one column of an
// item selector that the drop-down paints itself. Typed text completes to the first caption that
// begins with it; arrows, page keys, Home and End move the selection of the open popup; choosing
// an item puts its caption into the edit.
#include <memory>

#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoItemSelector.h"
#include "lib/dropdown/NeoPickerSupport.h"

class TDetailItem : public TCollectionItem {
  ZELK_CLASS(TDetailItem, TCollectionItem)
public:
  explicit TDetailItem(TCollection* ACollection);
  ~TDetailItem() override;

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TPicture* GetImage() const { return FImage.get(); }
  void SetImage(TPicture* Value) { FImage->Assign(Value); }
  const String& GetNotes() const { return FNotes; }
  void SetNotes(const String& Value) { FNotes = Value; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  Integer GetTag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  // The application's object; not owned.
  TObject* GetItemObject() const { return FItemObject; }
  void SetItemObject(TObject* Value) { FItemObject = Value; }
  TRect GetRect() const { return FRect; }
  void SetRect(TRect Value) { FRect = Value; }

  // From another detail item: Caption, ImageIndex, the picture, Enabled, Tag and ItemObject (the
  // notes stay).
  void Assign(TPersistent* Source) override;

protected:
  // The collection's OnChange.
  void Changed();

private:
  String FCaption;
  Integer FImageIndex = -1;
  bool FEnabled = true;
  std::unique_ptr<TPicture> FImage;
  TRect FRect{};
  String FNotes;
  TObject* FItemObject = nullptr;
  Integer FTag = 0;
};

class TDetailItems : public TOwnedCollection {
  ZELK_CLASS(TDetailItems, TOwnedCollection)
public:
  explicit TDetailItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TDetailItem::StaticClass()) {}
  TDetailItem* Add() { return static_cast<TDetailItem*>(TCollection::Add()); }
  TDetailItem* Insert(Integer Index) { return static_cast<TDetailItem*>(TCollection::Insert(Index)); }
  TDetailItem* GetItems(Integer Index) const { return static_cast<TDetailItem*>(GetItem(Index)); }
  void SetItems(Integer Index, TDetailItem* Value) { SetItem(Index, Value); }
  // The first item whose caption equals Value exactly (case counts); -1 when none does.
  Integer IndexOf(const String& Value) const;

  TNotifyEvent OnChange;
  void DoChange() {
    if (OnChange) OnChange(this);
  }
};

class TNeoDetailDropDown : public TNeoCustomDropDown {
  ZELK_CLASS(TNeoDetailDropDown, TNeoCustomDropDown)
public:
  explicit TNeoDetailDropDown(TComponent* AOwner);
  ~TNeoDetailDropDown() override;

  TDetailItems* GetItems() const { return FItems.get(); }
  void SetItems(TDetailItems* Value) { FItems->Assign(Value); }
  Integer GetItemIndex() const { return FItemIndex; }
  // An index of an item selects it: its caption becomes the text, wholly selected, and OnSelect
  // fires. -1 clears the text (no event). Other values, and the index already selected, are
  // ignored.
  void SetItemIndex(Integer Value);
  Integer GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer Value) { FItemHeight = Value; }
  TItemLayout GetLayout() const { return FLayout; }
  // Reaches the popup when it opens.
  void SetLayout(TItemLayout Value) { FLayout = Value; }
  TItemAppearance* GetItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  TFont* GetCaptionFont() const { return FCaptionFont.get(); }
  void SetCaptionFont(TFont* Value) { FCaptionFont->Assign(Value); }
  TFont* GetNotesFont() const { return FNotesFont.get(); }
  void SetNotesFont(TFont* Value) { FNotesFont->Assign(Value); }
  TVerticalAlignment GetImageVAlign() const { return FImageVAlign; }
  void SetImageVAlign(TVerticalAlignment Value) { FImageVAlign = Value; }
  bool GetMatchCase() const { return FMatchCase; }
  void SetMatchCase(bool Value) { FMatchCase = Value; }
  bool GetMatchStart() const { return FMatchStart; }
  void SetMatchStart(bool Value) { FMatchStart = Value; }
  // The popup's item list (nullptr at design time).
  TNeoCustomItemSelector* GetItemSelector() const { return FItemSelector; }
  // The type-ahead text collected so far.
  const String& GetSearchText() const { return FSearch.GetText(); }

  void SelectFirst() { SelectStep(TSelectStep::First); }
  void SelectLast() { SelectStep(TSelectStep::Last); }
  void SelectNext() { SelectStep(TSelectStep::Next); }
  void SelectPrevious() { SelectStep(TSelectStep::Previous); }

  void SetComponentStyle(TNeoStyle AStyle) override;
  void Dispatch(TMessage& Message) override;

  // The edit's change notification: completes the typed text with the first caption beginning
  // with it.
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;

  TNotifyEvent OnSelect;
  TOnDrawSelectedItem OnDrawSelectedImage;

protected:
  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void DoShowDropDown() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool Cancel) override;
  void DoDropDownWheelDown() override { WheelStep(true); }
  void DoDropDownWheelUp() override { WheelStep(false); }
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  // Forgets the list when the popup frees it with its children.
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  // The selector refilled from the items, set to the drop-down's index and layout.
  void PrepareSelector();
  void FillSelector();
  void DrawDetailItem(TCanvas* Canvas, TRect R, Integer Index);
  void GetDetailItemSize(TSize& Size);
  void SelectorItemSelect();
  // The navigation and type-ahead of a key on the edit; true when the key is consumed.
  bool NavigationKey(Word Key);
  void SelectStep(TSelectStep Step);
  // Moves the open selector's selection by one, or steps the drop-down's own while closed.
  void WheelStep(bool Down);
  void SelectorStep(Integer Delta);
  bool PopupOpen() const;

  TNeoCustomItemSelector* FItemSelector = nullptr;
  TItemLayout FLayout = ilCaptionRight;
  std::unique_ptr<TDetailItems> FItems;
  Integer FItemIndex = -1;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  bool FInternalCall = false;
  TTypeAheadSearch FSearch;
  Integer FOldItemIndex = -1;
  Integer FItemHeight = 22;
  std::unique_ptr<TFont> FCaptionFont;
  std::unique_ptr<TFont> FNotesFont;
  bool FWorkMode = true;
  bool FItemChange = false;
  Integer FItemIdx = -1;
  Integer FItemSel = 0;
  String FOldValue;
  bool FMatchCase = false;
  bool FMatchStart = true;
  TVerticalAlignment FImageVAlign = taVerticalCenter;
};

// Publishes the detail items and the detail drop-down's own properties (once).
void RegisterNeoDetailDropDownRtti();
