#pragma once
// TObjectList: a TList of objects that, with OwnsObjects (the default), frees an object when it
// is deleted from the list, replaced, or the list is cleared or freed. Extract and Remove with
// OwnsObjects false hand the object back untouched.
#include "platform/rtl/Classes.h"

class TObjectList : public TList {
  ZELK_CLASS(TObjectList, TList)
public:
  TObjectList() = default;
  explicit TObjectList(bool AOwnsObjects) : FOwnsObjects(AOwnsObjects) {}
  ~TObjectList() override { Clear(); }

  Integer Add(TObject* AObject) { return TList::Add(AObject); }
  void Insert(Integer Index, TObject* AObject) { TList::Insert(Index, AObject); }
  Integer Remove(TObject* AObject) { return TList::Remove(AObject); }
  Integer IndexOf(TObject* AObject) const { return TList::IndexOf(AObject); }
  TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
  TObject* GetItems(Integer Index) const { return static_cast<TObject*>(TList::GetItems(Index)); }
  void SetItems(Integer Index, TObject* AObject) { TList::SetItems(Index, AObject); }
  TObject* operator[](Integer Index) const { return GetItems(Index); }
  TObject* First() const { return static_cast<TObject*>(TList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
  // Index of the first object of exactly AClass (or of a descendant unless AExact), from AStartAt.
  Integer FindInstanceOf(TClass AClass, bool AExact = true, Integer AStartAt = 0) const;

  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

protected:
  void Notify(Pointer Ptr, TListNotification Action) override {
    if (FOwnsObjects && Action == lnDeleted) delete static_cast<TObject*>(Ptr);
    TList::Notify(Ptr, Action);
  }

private:
  bool FOwnsObjects = true;
};

inline Integer TObjectList::FindInstanceOf(TClass AClass, bool AExact, Integer AStartAt) const {
  for (Integer i = AStartAt < 0 ? 0 : AStartAt; i < GetCount(); ++i) {
    TObject* o = GetItems(i);
    if (o && (AExact ? o->ClassType() == AClass : o->InheritsFrom(AClass))) return i;
  }
  return -1;
}
