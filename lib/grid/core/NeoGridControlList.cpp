#include "lib/grid/core/NeoGridLists.h"

TNeoControlList::~TNeoControlList() { ClearControls(); }

void TNeoControlList::Notify(Pointer Ptr, TListNotification Action) {
  TList::Notify(Ptr, Action);
  if (Action == lnDeleted) delete static_cast<TControlItem*>(Ptr);
}

void TNeoControlList::AddControl(Integer X, Integer Y, TControl* AControl) { Add(new TControlItem(X, Y, AControl)); }

Integer TNeoControlList::ControlIndex(Integer X, Integer Y) const {
  for (Integer i = 0; i < GetCount(); ++i) {
    const TControlItem* item = GetControl(i);
    if (item->GetX() == X && item->GetY() == Y) return i;
  }
  return -1;
}

TControlItem* TNeoControlList::GetControl(Integer Index) const { return static_cast<TControlItem*>(GetItems(Index)); }

void TNeoControlList::RemoveControl(Integer Index) { Delete(Index); }

void TNeoControlList::ClearControls() { Clear(); }

bool TNeoControlList::HasHandle(HWND Handle) const {
  for (Integer i = 0; i < GetCount(); ++i) {
    auto* windowed = dynamic_cast<TWinControl*>(GetControl(i)->GetControl());
    if (windowed && windowed->HandleAllocated() && windowed->GetHandle() == Handle) return true;
  }
  return false;
}
