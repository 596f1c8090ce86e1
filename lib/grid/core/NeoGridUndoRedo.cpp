#include "lib/grid/core/NeoGridUndoRedo.h"

#include <mutex>

#include "lib/grid/core/NeoBaseGrid.h"
#include "platform/rtl/TypInfo.h"

namespace {
bool IsStart(const TUndoRedoItem* I) { return I->GetSequenceStart(); }
bool IsStop(const TUndoRedoItem* I) { return I->GetSequenceStop(); }
}  // namespace

TNeoGridUndoRedo::TNeoGridUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TUndoRedoCollection>()) {}

// The component's own destructor tells the linked grid (free notification both ways).
TNeoGridUndoRedo::~TNeoGridUndoRedo() = default;

void TNeoGridUndoRedo::SetGrid(TBaseGrid* Value) {
  if (Value == FGrid) return;
  if (FGrid) FGrid->RemoveFreeNotification(this);
  FGrid = Value;
  if (FGrid) FGrid->FreeNotification(this);
}

void TNeoGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FGrid) FGrid = nullptr;
}

TUndoRedoItem* TNeoGridUndoRedo::Append() {
  auto* item = static_cast<TUndoRedoItem*>(FItems->Add());
  FLevel = FItems->GetCount();
  return item;
}

void TNeoGridUndoRedo::RegisterChange(Integer ACol, Integer ARow, const String& OldValue, const String& NewValue) {
  if (FMaxLevel > 0 && FItems->GetCount() >= FMaxLevel) FItems->Delete(0);
  TUndoRedoItem* item = Append();
  item->SetCol(ACol);
  item->SetRow(ARow);
  item->SetValue(NewValue);
  item->SetOrigValue(OldValue);
}

void TNeoGridUndoRedo::StartSequence() {
  TUndoRedoItem* item = Append();
  item->SetCol(-1);
  item->SetRow(-1);
  item->SetSequenceStart(true);
}

void TNeoGridUndoRedo::StopSequence() {
  TUndoRedoItem* item = Append();
  item->SetCol(-1);
  item->SetRow(-1);
  item->SetSequenceStop(true);
}

void TNeoGridUndoRedo::Reset() {
  FItems->Clear();
  FLevel = 0;
}

void TNeoGridUndoRedo::Apply(const TNeoGridUndoRedoEvent& Event, const TUndoRedoItem* Item, const String& Text,
                             bool CheckBoxes) {
  Integer col = Item->GetCol(), row = Item->GetRow();
  if (Event) Event(this, FGrid, col, row, FGrid->GetCellEx(col, row), Text);
  if (CheckBoxes && FGrid->CellHasCheckBox(col, row)) FGrid->SetCheckBoxFromText(col, row, Text);
  else FGrid->SetCellEx(col, row, Text);
  FGrid->SetCol(FGrid->DisplColIndex(col));
  FGrid->SetRow(row);
}

void TNeoGridUndoRedo::Undo() {
  if (!FGrid || FLevel <= 0 || FLevel > FItems->GetCount()) return;
  if (IsStop(At(FLevel - 1))) {
    --FLevel;
    while (FLevel > 0 && !IsStart(At(FLevel - 1))) {
      const TUndoRedoItem* item = At(FLevel - 1);
      // A marker of another sequence inside (its start dropped) changes no cell.
      if (item->GetCol() >= 0) Apply(OnUndo, item, item->GetOrigValue(), false);
      --FLevel;
    }
    // Steps over the start marker; without one the walk ended at the first item.
    FLevel = std::max(0, FLevel - 1);
    FGrid->Invalidate();
    return;
  }
  const TUndoRedoItem* item = At(FLevel - 1);
  if (item->GetCol() >= 0) {
    Apply(OnUndo, item, item->GetOrigValue(), true);
    FGrid->RepaintCell(FGrid->GetCol(), item->GetRow());
  }
  --FLevel;
}

void TNeoGridUndoRedo::Redo() {
  if (!FGrid || FLevel >= FItems->GetCount() || FLevel < 0) return;
  ++FLevel;
  const TUndoRedoItem* item = At(FLevel - 1);
  if (IsStart(item)) {
    // To just after the stop marker, or to the end of an unclosed sequence.
    while (FLevel < FItems->GetCount()) {
      const TUndoRedoItem* change = At(FLevel++);
      if (IsStop(change)) break;
      if (change->GetCol() >= 0) Apply(OnRedo, change, change->GetValue(), false);
    }
    FGrid->Invalidate();
    return;
  }
  if (item->GetCol() < 0) return;
  Apply(OnRedo, item, item->GetValue(), false);
  FGrid->RepaintCell(FGrid->GetCol(), FGrid->GetRow());
}

void RegisterNeoGridUndoRedoRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using I = TUndoRedoItem;
    Publish<I>()
        .Property(u"Value", &I::GetValue, &I::SetValue)
        .Property(u"OrigValue", &I::GetOrigValue, &I::SetOrigValue)
        .Property(u"Col", &I::GetCol, &I::SetCol)
        .Property(u"Row", &I::GetRow, &I::SetRow)
        .Property(u"SequenceStart", &I::GetSequenceStart, &I::SetSequenceStart)
        .Property(u"SequenceStop", &I::GetSequenceStop, &I::SetSequenceStop);
    using U = TNeoGridUndoRedo;
    Publish<U>().Property(u"MaxLevel", &U::GetMaxLevel, &U::SetMaxLevel);
    RegisterClass(U::StaticClass());
  });
}
