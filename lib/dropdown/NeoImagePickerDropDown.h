#pragma once
// The image picker: a pick-only drop-down for choosing an image. The edit shows the chosen item's
// picture or image-list image centred instead of text; the popup shows every item in an item
// selector of Columns columns. Items come from the designer, from an image list or from the
// picture files of a folder.
#include <memory>

#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoItemSelector.h"
#include "lib/dropdown/NeoPickerSupport.h"

class TImageItem : public TCollectionItem {
  ZELK_CLASS(TImageItem, TCollectionItem)
public:
  explicit TImageItem(TCollection* ACollection);
  ~TImageItem() override;

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TPicture* GetImage() const { return FImage.get(); }
  void SetImage(TPicture* Value) { FImage->Assign(Value); }
  const String& GetHint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  TRect GetRect() const { return FRect; }
  void SetRect(TRect Value) { FRect = Value; }

  // From another image item: Caption, ImageIndex, the picture, Enabled and Hint.
  void Assign(TPersistent* Source) override;

protected:
  void Changed();

private:
  String FCaption;
  Integer FImageIndex = -1;
  bool FEnabled = true;
  std::unique_ptr<TPicture> FImage;
  TRect FRect{};
  String FHint;
};

class TImageItems : public TOwnedCollection {
  ZELK_CLASS(TImageItems, TOwnedCollection)
public:
  explicit TImageItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TImageItem::StaticClass()) {}
  TImageItem* Add() { return static_cast<TImageItem*>(TCollection::Add()); }
  TImageItem* Insert(Integer Index) { return static_cast<TImageItem*>(TCollection::Insert(Index)); }
  TImageItem* GetItems(Integer Index) const { return static_cast<TImageItem*>(GetItem(Index)); }
  void SetItems(Integer Index, TImageItem* Value) { SetItem(Index, Value); }

  TNotifyEvent OnChange;
  void DoChange() {
    if (OnChange) OnChange(this);
  }
};

class TNeoImagePickerDropDown : public TNeoCustomDropDown {
  ZELK_CLASS(TNeoImagePickerDropDown, TNeoCustomDropDown)
public:
  explicit TNeoImagePickerDropDown(TComponent* AOwner);
  ~TNeoImagePickerDropDown() override;

  Integer GetColumns() const { return FColumns; }
  // Reaches the popup when it opens.
  void SetColumns(Integer Value) { FColumns = Value; }
  TItemLayout GetLayout() const { return FLayout; }
  void SetLayout(TItemLayout Value) { FLayout = Value; }
  TImageItems* GetItems() const { return FItems.get(); }
  void SetItems(TImageItems* Value) { FItems->Assign(Value); }
  TItemAppearance* GetItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  Integer GetItemIndex() const { return FItemIndex; }
  // Selects the item (any negative value: none), repaints, fires OnChange and OnSelect. The index
  // already selected and values at or beyond Count are ignored.
  void SetItemIndex(Integer Value);
  // The selected item's ImageIndex; -1 without a selection.
  Integer GetImageIndex() const;
  // Selects the first item showing list image Value; none when no item shows it.
  void SetImageIndex(Integer Value);
  // The popup's item grid (nullptr at design time).
  TNeoCustomItemSelector* GetItemSelector() const { return FItemSelector; }
  const String& GetSearchText() const { return FSearch.GetText(); }

  // One item per image of Images (none without), after the items there are.
  void AddImagesFromImageList();
  // One item per entry matching AFolder ("dir/*.png"), folders included, each loaded from its
  // file; a file that cannot be loaded leaves an item without picture and caption. With
  // SetImageCaption a loaded item's caption is its file name.
  void AddImagesFromFolder(const String& AFolder, bool SetImageCaption);
  // Appends an item with the picture of FileName (see AddImagesFromFolder).
  void AddImageFile(const String& FileName, bool SetImageCaption);

  void SelectFirst() { SelectStep(TSelectStep::First); }
  void SelectLast() { SelectStep(TSelectStep::Last); }
  void SelectNext() { SelectStep(TSelectStep::Next); }
  void SelectPrevious() { SelectStep(TSelectStep::Previous); }

  void SetComponentStyle(TNeoStyle AStyle) override;
  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnSelect;
  TOnDrawSelectedItem OnDrawSelectedImage;
  // Draws each item of the popup instead of the selector (Sender is the drop-down).
  NeoItemSelector::TDrawItemEvent OnDrawItem;

protected:
  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool Cancel) override;
  void DoDropDownWheelDown() override { WheelStep(true); }
  void DoDropDownWheelUp() override { WheelStep(false); }
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  // Forgets the list when the popup frees it with its children.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The chosen image centred in the edit's text area (run after each paint of the edit).
  virtual void PaintSelectedImage();

private:
  void PrepareSelector();
  void FillSelector();
  void SelectorItemSelect();
  void SelectStep(TSelectStep Step);
  void WheelStep(bool Down);
  // Step 1 of the keys: Enter takes the open popup's hot item; true when it did.
  bool TakeHotItem(Word Key);
  // Step 3: the navigation and type-ahead after the edit's own handling.
  void NavigationKey(Word Key, bool Handled);
  bool PopupOpen() const;

  TNeoCustomItemSelector* FItemSelector = nullptr;
  Integer FColumns = 1;
  TItemLayout FLayout = ilCaptionRight;
  std::unique_ptr<TImageItems> FItems;
  Integer FItemIndex = -1;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  bool FInternalCall = false;
  TTypeAheadSearch FSearch;
  Integer FOldItemIndex = -1;
};

// Publishes the image items and the image picker's own properties (once).
void RegisterNeoImagePickerDropDownRtti();
