#pragma once
// The grid's HoverButtons option: a strip of speed buttons shown beside the row under the mouse.
// THoverButtons holds the placement settings and the button collection; any change of a button or
// of the collection marks the strip for rebuilding (GetUpdated), which the grid clears when it
// builds the strip.
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/ui/Graphics.h"

enum THoverButtonPosition { hbLeftFromColumnLeft, hbRightFromColumnLeft, hbLeftFromColumnRight, hbRightFromColumnRight };
enum THoverRows { hrAll, hrNormal };

class THoverButtonsCollectionItem : public TCollectionItem {
  ZELK_CLASS(THoverButtonsCollectionItem, TCollectionItem)
public:
  explicit THoverButtonsCollectionItem(TCollection* ACollection);
  ~THoverButtonsCollectionItem() override;

  // Copies Tag, Flat, Enabled, Caption, Hint, Picture and Width from another item (ImageIndex
  // stays); any other source is ignored.
  void Assign(TPersistent* Source) override;

  // Caption, Hint, Enabled, Flat and ImageIndex notify the collection only when they change.
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { SetAndNotify(FEnabled, Value); }
  const String& GetHint() const { return FHint; }
  void SetHint(const String& Value) { SetAndNotify(FHint, Value); }
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value) { SetAndNotify(FCaption, Value); }
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value) { SetAndNotify(FFlat, Value); }
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { SetAndNotify(FImageIndex, Value); }
  // Always assigns and notifies.
  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value);
  Integer GetTag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  // Pixels at 96 DPI; 0 keeps the button's default width.
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value) { FWidth = Value; }

private:
  template <class V>
  void SetAndNotify(V& Field, const V& Value) {
    if (Field == Value) return;
    Field = Value;
    Changed(false);
  }

  bool FEnabled = true;
  String FHint;
  std::unique_ptr<TPicture> FPicture;
  String FCaption;
  Integer FTag = 0;
  Integer FImageIndex = -1;
  bool FFlat = false;
  Integer FWidth = 0;
};

class THoverButtonsCollection : public TOwnedCollection {
  ZELK_CLASS(THoverButtonsCollection, TOwnedCollection)
public:
  explicit THoverButtonsCollection(TPersistent* AOwner)
      : TOwnedCollection(AOwner, THoverButtonsCollectionItem::StaticClass()) {}
  THoverButtonsCollectionItem* Add() { return static_cast<THoverButtonsCollectionItem*>(TCollection::Add()); }
  THoverButtonsCollectionItem* Insert(Integer Index) {
    return static_cast<THoverButtonsCollectionItem*>(TCollection::Insert(Index));
  }
  THoverButtonsCollectionItem* GetItems(Integer Index) const {
    return static_cast<THoverButtonsCollectionItem*>(GetItem(Index));
  }
  void SetItems(Integer Index, THoverButtonsCollectionItem* Value) { SetItem(Index, Value); }
  bool GetUpdated() const { return FUpdated; }
  void SetUpdated(bool Value) { FUpdated = Value; }

protected:
  void Update(TCollectionItem* Item) override;

private:
  bool FUpdated = false;
};

class THoverButtons : public TPersistent {
  ZELK_CLASS(THoverButtons, TPersistent)
public:
  explicit THoverButtons(TPersistent* AOwner);
  ~THoverButtons() override;

  // Copies Enabled, Buttons, Column, Position, Rows and MoveActiveRow from other hover buttons;
  // any other source is ignored.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }

  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  Integer GetColumn() const { return FColumn; }
  void SetColumn(Integer Value) { FColumn = Value; }
  THoverButtonPosition GetPosition() const { return FPosition; }
  void SetPosition(THoverButtonPosition Value) { FPosition = Value; }
  THoverButtonsCollection* GetButtons() const { return FButtons.get(); }
  void SetButtons(THoverButtonsCollection* Value) { FButtons->Assign(Value); }
  THoverRows GetRows() const { return FRows; }
  void SetRows(THoverRows Value) { FRows = Value; }
  bool GetMoveActiveRow() const { return FMoveActiveRow; }
  void SetMoveActiveRow(bool Value) { FMoveActiveRow = Value; }

private:
  TPersistent* FOwner;
  bool FEnabled = false;
  Integer FColumn = 0;
  THoverButtonPosition FPosition = hbLeftFromColumnLeft;
  std::unique_ptr<THoverButtonsCollection> FButtons;
  THoverRows FRows = hrNormal;
  bool FMoveActiveRow = true;
};
