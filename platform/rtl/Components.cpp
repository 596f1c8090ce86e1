// TComponent ownership and notification, TCollection and its items.
#include <algorithm>

#include "platform/rtl/Classes.h"
#include "platform/rtl/RtlInternal.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/TypInfo.h"

namespace {

bool IsIdentStart(Char c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }

bool IsValidComponentName(StringView Name) {
  if (Name.empty() || !IsIdentStart(Name[0])) return false;
  return std::all_of(Name.begin() + 1, Name.end(),
                     [](Char c) { return IsIdentStart(c) || (c >= u'0' && c <= u'9'); });
}

template <class T> void EraseOne(std::vector<T*>& List, T* Item) {
  auto it = std::find(List.begin(), List.end(), Item);
  if (it != List.end()) List.erase(it);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TComponent
// ---------------------------------------------------------------------------------------------
TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  RemoveFreeNotifications();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::GetComponents(Integer Index) const {
  if (Index < 0 || Index >= GetComponentCount()) TList::Error(u"List index out of bounds (%d)", Index);
  return FComponents[Index];
}

Integer TComponent::GetComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  return static_cast<Integer>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(Integer Value) {
  if (!FOwner) return;
  auto& list = FOwner->FComponents;
  const Integer count = static_cast<Integer>(list.size());
  Integer cur = GetComponentIndex();
  if (Value < 0) Value = 0;
  if (Value >= count) Value = count - 1;
  if (cur == Value) return;
  list.erase(list.begin() + cur);
  list.insert(list.begin() + Value, this);
}

void TComponent::SetName(const String& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidComponentName(NewName))
    throw EComponentError(u"'" + NewName + u"' is not a valid component name");
  if (FOwner) FOwner->ValidateRename(this, FName, NewName);
  else ValidateRename(nullptr, FName, NewName);
  ChangeName(NewName);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (!AComponent || NewName.empty() || SameText(CurName, NewName)) return;
  TComponent* found = FindComponent(NewName);
  if (found && found != AComponent)
    throw EComponentError(u"A component named " + NewName + u" already exists");
}

TComponent* TComponent::FindComponent(StringView AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  AComponent->FOwner = nullptr;
  EraseOne(FComponents, AComponent);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  AComponent->ValidateContainer(this);
  ValidateRename(AComponent, String(), AComponent->FName);
  ValidateInsert(AComponent);
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  ValidateContainer(AComponent);
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::DestroyComponents() {
  // Last first; each child is detached before it is freed so that it does not call back.
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    Remove(c);
    delete c;
  }
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // Last first, by index: a handler may free components of this owner, so the index is clamped
  // to the shrinking list after every call.
  Integer i = GetComponentCount() - 1;
  while (i >= 0) {
    FComponents[i]->Notification(AComponent, Operation);
    --i;
    if (i >= GetComponentCount()) i = GetComponentCount() - 1;
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (!FOwner || AComponent->FOwner != FOwner) {
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
      FFreeNotifies.push_back(AComponent);
      AComponent->FreeNotification(this);
    }
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveNotification(TComponent* AComponent) { EraseOne(FFreeNotifies, AComponent); }

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::RemoveFreeNotifications() {
  // Each partner is unlinked before it hears of the removal, so an override of Notification
  // that does not call the inherited one cannot loop.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    other->RemoveNotification(this);
    other->Notification(this, opRemove);
  }
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  if (Value) FComponentState.Include(csDesigning);
  else FComponentState.Exclude(csDesigning);
  if (SetChildren)
    for (TComponent* c : FComponents) c->SetDesigning(Value);
}

void TComponent::SetInline(bool Value) {
  if (Value) FComponentState.Include(csInline);
  else FComponentState.Exclude(csInline);
}

// ---------------------------------------------------------------------------------------------
// TCollectionItem
// ---------------------------------------------------------------------------------------------
TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

Integer TCollectionItem::GetIndex() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  return static_cast<Integer>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(Integer Value) {
  const Integer cur = GetIndex();
  if (cur < 0 || cur == Value) return;
  auto& items = FCollection->FItems;
  if (Value < 0 || Value >= static_cast<Integer>(items.size()))
    TList::Error(u"List index out of bounds (%d)", Value);
  items.erase(items.begin() + cur);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

String TCollectionItem::GetDisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const String& Value) {
  (void)Value;
  Changed(false);
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

String TCollectionItem::GetNamePath() const {
  if (!FCollection) return ClassName();
  return FCollection->GetNamePath() + u"[" + IntToStr(GetIndex()) + u"]";
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

// ---------------------------------------------------------------------------------------------
// TCollection
// ---------------------------------------------------------------------------------------------
TCollection::TCollection(TClass ItemClass) : FItemClass(ItemClass) {
  if (!FItemClass || !FItemClass->InheritsFrom(TCollectionItem::StaticClass())) RaiseInvalidCast();
}

TCollection::~TCollection() {
  FUpdateCount = 1;   // no Update calls while the items go
  while (!FItems.empty()) delete FItems.back();
}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  // Items made by Add are announced once their constructors have finished (see Add).
  if (FAdding == 0) Added(Item);
}

void TCollection::Added(TCollectionItem* Item) {
  SetItemName(Item);
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  if (!FItems.empty() && FItems.back() == Item) FItems.pop_back();
  else EraseOne(FItems, Item);
  Item->FCollection = nullptr;
  Changed();
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item;
  {
    ++FAdding;
    const auto undo = ScopeExit([&] { --FAdding; });
    item = static_cast<TCollectionItem*>(FItemClass->CreateWith(static_cast<TCollection*>(this)));
  }
  if (item->FCollection == this) Added(item);
  return item;
}

TCollectionItem* TCollection::Insert(Integer Index) {
  if (Index < 0 || Index > GetCount()) TList::Error(u"List index out of bounds (%d)", Index);
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(Integer Index) {
  TCollectionItem* item = GetItem(Index);
  Notify(item, cnDeleting);
  delete item;
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  WithUpdate(*this, [&] {
    while (!FItems.empty()) delete FItems.back();
  });
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

TCollectionItem* TCollection::FindItemID(Integer ID) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == ID) return item;
  return nullptr;
}

void TCollection::Exchange(Integer Index1, Integer Index2) {
  GetItem(Index1);
  GetItem(Index2);
  std::swap(FItems[Index1], FItems[Index2]);
  Changed();
}

TCollectionItem* TCollection::GetItem(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) TList::Error(u"List index out of bounds (%d)", Index);
  return FItems[Index];
}

void TCollection::SetItem(Integer Index, TCollectionItem* Value) { GetItem(Index)->Assign(Value); }

void TCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  WithUpdate(*this, [&] {
    Clear();
    for (TCollectionItem* item : source->FItems) Add()->Assign(item);
  });
}

String TCollection::GetNamePath() const {
  TPersistent* owner = GetOwner();
  if (!owner) return ClassName();
  String path = owner->GetNamePath();
  if (path.empty()) return ClassName();
  // Without a name set, the owner's published property that holds this collection names it.
  String prop = FPropName.empty() ? FindPropNameOf(owner, this) : FPropName;
  return path + u"." + (prop.empty() ? ClassName() : prop);
}
