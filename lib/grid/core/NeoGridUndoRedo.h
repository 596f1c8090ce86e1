#pragma once
// Undo and redo of cell text changes for one grid: single changes and sequences bracketed by
// start and stop markers (items with Col = Row = -1).
#include <functional>

#include "platform/rtl/Classes.h"

class TBaseGrid;

class TUndoRedoItem : public TCollectionItem {
  ZELK_CLASS(TUndoRedoItem, TCollectionItem)
public:
  explicit TUndoRedoItem(TCollection* Collection) : TCollectionItem(Collection) {}

  Integer GetRow() const { return FRow; }
  void SetRow(Integer Value) { FRow = Value; }
  Integer GetCol() const { return FCol; }
  void SetCol(Integer Value) { FCol = Value; }
  const String& GetValue() const { return FValue; }
  void SetValue(const String& Value) { FValue = Value; }
  const String& GetOrigValue() const { return FOrigValue; }
  void SetOrigValue(const String& Value) { FOrigValue = Value; }
  bool GetSequenceStart() const { return FSequenceStart; }
  void SetSequenceStart(bool Value) { FSequenceStart = Value; }
  bool GetSequenceStop() const { return FSequenceStop; }
  void SetSequenceStop(bool Value) { FSequenceStop = Value; }

private:
  Integer FRow = 0;
  Integer FCol = 0;
  String FValue;
  String FOrigValue;
  bool FSequenceStart = false;
  bool FSequenceStop = false;
};

class TUndoRedoCollection : public TCollection {
  ZELK_CLASS(TUndoRedoCollection, TCollection)
public:
  TUndoRedoCollection() : TCollection(TUndoRedoItem::StaticClass()) {}
  TUndoRedoItem* Item(Integer Index) const { return static_cast<TUndoRedoItem*>(GetItem(Index)); }
};

using TNeoGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, Integer Col, Integer Row,
                                                 const String& OrigValue, const String& NewValue)>;

class TNeoGridUndoRedo : public TComponent {
  ZELK_CLASS(TNeoGridUndoRedo, TComponent)
public:
  explicit TNeoGridUndoRedo(TComponent* AOwner);
  ~TNeoGridUndoRedo() override;

  virtual void RegisterChange(Integer ACol, Integer ARow, const String& OldValue, const String& NewValue);
  virtual void StartSequence();
  virtual void StopSequence();

  void Undo();
  void Redo();
  void Reset();
  bool CanUndo() const { return FLevel > 0; }
  bool CanRedo() const { return FLevel < FItems->GetCount(); }

  Integer GetLevel() const { return FLevel; }
  TUndoRedoCollection* GetItems() const { return FItems.get(); }
  TBaseGrid* GetGrid() const { return FGrid; }
  void SetGrid(TBaseGrid* Value);
  Integer GetMaxLevel() const { return FMaxLevel; }
  void SetMaxLevel(Integer Value) { FMaxLevel = Value; }

  TNeoGridUndoRedoEvent OnUndo;
  TNeoGridUndoRedoEvent OnRedo;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TUndoRedoItem* Append();
  TUndoRedoItem* At(Integer Index) const { return FItems->Item(Index); }
  // Fires the event, writes the text and moves the grid's current cell there.
  void Apply(const TNeoGridUndoRedoEvent& Event, const TUndoRedoItem* Item, const String& Text, bool CheckBoxes);

  std::unique_ptr<TUndoRedoCollection> FItems;
  TBaseGrid* FGrid = nullptr;
  Integer FLevel = 0;
  Integer FMaxLevel = 0;
};

void RegisterNeoGridUndoRedoRtti();
