#include "platform/rtl/Classes.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// Class references that create components
// ---------------------------------------------------------------------------------------------
TComponent* TClassInfo::Create(TComponent* AOwner) const {
  if (!InheritsFrom(TComponent::StaticClass())) RaiseInvalidCast();
  return static_cast<TComponent*>(CreateWith(AOwner));
}

// ---------------------------------------------------------------------------------------------
// TList
// ---------------------------------------------------------------------------------------------
TList::~TList() { Clear(); }

void TList::Error(const String& Fmt, Integer Data) { throw EListError(Format(Fmt, {Data})); }

void TList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) Error(u"List index out of bounds (%d)", Index);
}

Integer TList::Add(Pointer Item) {
  FList.push_back(Item);
  if (Item) Notify(Item, lnAdded);
  return GetCount() - 1;
}

void TList::Insert(Integer Index, Pointer Item) {
  if (Index < 0 || Index > GetCount()) Error(u"List index out of bounds (%d)", Index);
  FList.insert(FList.begin() + Index, Item);
  if (Item) Notify(Item, lnAdded);
}

void TList::Delete(Integer Index) {
  CheckIndex(Index);
  Pointer p = FList[Index];
  FList.erase(FList.begin() + Index);
  if (p) Notify(p, lnDeleted);
}

Integer TList::Remove(Pointer Item) {
  Integer i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

Integer TList::IndexOf(Pointer Item) const {
  auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : static_cast<Integer>(it - FList.begin());
}

Pointer TList::Extract(Pointer Item) {
  Integer i = IndexOf(Item);
  if (i < 0) return nullptr;
  FList.erase(FList.begin() + i);
  Notify(Item, lnExtracted);
  return Item;
}

void TList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[Index1], FList[Index2]);
}

void TList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  auto b = FList.begin();
  if (CurIndex < NewIndex) std::rotate(b + CurIndex, b + CurIndex + 1, b + NewIndex + 1);
  else std::rotate(b + NewIndex, b + CurIndex, b + CurIndex + 1);
}

void TList::Sort(const TListSortCompare& Compare) {
  std::stable_sort(FList.begin(), FList.end(), [&](Pointer a, Pointer b) { return Compare(a, b) < 0; });
}

void TList::Clear() {
  // Notify may free objects that look at the list: detach the items first.
  std::vector<Pointer> gone;
  gone.swap(FList);
  for (Pointer p : gone)
    if (p) Notify(p, lnDeleted);
}

void TList::Pack() { FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end()); }

Pointer TList::First() const { return GetItems(0); }
Pointer TList::Last() const { return GetItems(GetCount() - 1); }

void TList::SetCount(Integer NewCount) {
  if (NewCount < 0 || NewCount > MaxListSize) Error(u"List count out of bounds (%d)", NewCount);
  while (GetCount() > NewCount) Delete(GetCount() - 1);
  FList.resize(NewCount, nullptr);
}

void TList::SetCapacity(Integer NewCapacity) {
  if (NewCapacity < GetCount() || NewCapacity > MaxListSize)
    Error(u"List capacity out of bounds (%d)", NewCapacity);
  if (NewCapacity > GetCapacity()) FList.reserve(NewCapacity);
}

Pointer TList::GetItems(Integer Index) const {
  CheckIndex(Index);
  return FList[Index];
}

void TList::SetItems(Integer Index, Pointer Item) {
  CheckIndex(Index);
  Pointer old = FList[Index];
  if (old == Item) return;
  FList[Index] = Item;
  if (old) Notify(old, lnDeleted);
  if (Item) Notify(Item, lnAdded);
}

void TList::Notify(Pointer Ptr, TListNotification Action) {
  (void)Ptr;
  (void)Action;
}

// ---------------------------------------------------------------------------------------------
// TPersistent
// ---------------------------------------------------------------------------------------------
void TPersistent::Assign(TPersistent* Source) {
  if (Source) Source->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  const String source = Source ? Source->ClassName() : String(u"nil");
  throw EConvertError(u"Cannot assign a " + source + u" to a " + ClassName());
}

String TPersistent::GetNamePath() const {
  String result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    String path = owner->GetNamePath();
    if (!path.empty()) result = path + u"." + result;
  }
  return result;
}
