#pragma once
// The class library's base classes: the pointer list, persistent objects, components and their
// ownership, collections. Streams (Streams.h) and string lists (StringLists.h) are included too, so
// that one include brings the whole unit.
#include <functional>
#include <vector>

#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

ZELK_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
ZELK_DECLARE_EXCEPTION(EComponentError, Exception)

constexpr Integer MaxListSize = 0x7FFFFFFF / 16;

// ---------------------------------------------------------------------------------------------
// TList: a list of untyped pointers. Index errors raise EListError "List index out of bounds (%d)".
// Descendants watch additions and removals through Notify.
// ---------------------------------------------------------------------------------------------
enum TListNotification { lnAdded, lnExtracted, lnDeleted };
using TListSortCompare = std::function<Integer(Pointer Item1, Pointer Item2)>;

class TList : public TObject {
  ZELK_CLASS(TList, TObject)
public:
  TList() = default;
  ~TList() override;

  Integer Add(Pointer Item);
  void Insert(Integer Index, Pointer Item);
  void Delete(Integer Index);
  Integer Remove(Pointer Item);            // first equal entry; its former index or -1
  Integer IndexOf(Pointer Item) const;
  Pointer Extract(Pointer Item);           // removes without lnDeleted; nullptr when absent
  void Exchange(Integer Index1, Integer Index2);
  void Move(Integer CurIndex, Integer NewIndex);
  // Stable merge sort: O(n log n), and safe even with an inconsistent compare function.
  void Sort(const TListSortCompare& Compare);
  void Clear();
  void Pack();                             // removes nil entries
  Pointer First() const;
  Pointer Last() const;
  TList* Expand() { return this; }

  Integer GetCount() const { return static_cast<Integer>(FList.size()); }
  void SetCount(Integer NewCount);         // shrinking deletes, growing adds nil entries
  Integer GetCapacity() const { return static_cast<Integer>(FList.capacity()); }
  void SetCapacity(Integer NewCapacity);
  Pointer GetItems(Integer Index) const;
  void SetItems(Integer Index, Pointer Item);
  Pointer Get(Integer Index) const { return GetItems(Index); }
  void Put(Integer Index, Pointer Item) { SetItems(Index, Item); }
  Pointer operator[](Integer Index) const { return GetItems(Index); }
  // The items as an array (Delphi's List property).
  Pointer* List() { return FList.data(); }

  auto begin() const { return FList.begin(); }
  auto end() const { return FList.end(); }

  [[noreturn]] static void Error(const String& Fmt, Integer Data);   // raises EListError

protected:
  virtual void Notify(Pointer Ptr, TListNotification Action);
  void CheckIndex(Integer Index) const;

private:
  std::vector<Pointer> FList;
};

// ---------------------------------------------------------------------------------------------
// TPersistent: objects that can be assigned to one another and streamed.
// ---------------------------------------------------------------------------------------------
class TFiler;
class TReader;
class TWriter;

class TPersistent : public TObject {
  ZELK_CLASS(TPersistent, TObject)
public:
  TPersistent() = default;
  // Copies Source into this object: Source->AssignTo(this); raises EConvertError
  // "Cannot assign a <source class> to a <this class>" ("nil" for no source) when neither side
  // knows the other.
  virtual void Assign(TPersistent* Source);
  // The object that owns this one for naming and streaming (nullptr by default).
  virtual TPersistent* GetOwner() const { return nullptr; }
  // "Owner.Path.ClassName" by default; components answer their Name.
  virtual String GetNamePath() const;

protected:
  virtual void AssignTo(TPersistent* Dest);
  // Extra data written beside the published properties by the streaming system.
  virtual void DefineProperties(TFiler* Filer) { (void)Filer; }
  [[noreturn]] void AssignError(TPersistent* Source);

  friend class TFiler;
  friend class TReader;
  friend class TWriter;
};

// ---------------------------------------------------------------------------------------------
// TComponent: owns the components created with it as owner and frees them in its destructor.
// ---------------------------------------------------------------------------------------------
enum TComponentStateItem {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups,
  csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

enum TComponentStyleItem { csInheritable, csCheckPropAvail, csSubComponent, csTransient };
using TComponentStyle = TSet<TComponentStyleItem>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  ZELK_CLASS(TComponent, TPersistent)
public:
  // The argument of the constructor a class reference calls: TClass::Create(AOwner).
  using TCreateArg = TComponent*;

  // Inserts the new component into AOwner's list (AOwner->InsertComponent).
  explicit TComponent(TComponent* AOwner);
  // Marks itself and its components csDestroying, tells every component that asked for free
  // notification, frees the owned components (last first) and leaves its owner, which tells its
  // remaining components (Notification opRemove).
  ~TComponent() override;

  TComponent* GetOwner() const override { return FOwner; }
  Integer GetComponentCount() const { return static_cast<Integer>(FComponents.size()); }
  TComponent* GetComponents(Integer Index) const;
  Integer GetComponentIndex() const;
  void SetComponentIndex(Integer Value);

  const String& GetName() const { return FName; }
  // Raises EComponentError "'<name>' is not a valid component name" for a name that is not an
  // identifier and "A component named <name> already exists" for a duplicate under one owner.
  virtual void SetName(const String& NewName);
  NativeInt GetTag() const { return FTag; }
  void SetTag(NativeInt Value) { FTag = Value; }
  TComponentState GetComponentState() const { return FComponentState; }
  TComponentStyle GetComponentStyle() const { return FComponentStyle; }

  // The owned component of that name (case-insensitive), nullptr if none.
  TComponent* FindComponent(StringView AName) const;
  // Takes AComponent from its former owner; raises EComponentError when this owner already has a
  // component of its name (checked before anything changes).
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();
  void Destroying();

  // AComponent is told (Notification opRemove) when this component is freed, and the other way
  // round; components with the same owner hear of each other through the owner anyway.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  String GetNamePath() const override { return FName; }

  // csUpdating while the streaming system updates an inherited component.
  void Updating() { FComponentState.Include(csUpdating); }
  void Updated() { FComponentState.Exclude(csUpdating); }

protected:
  // Called once after the component has been read; ends csLoading.
  virtual void Loaded();
  // A component was inserted into or is being removed from the owner, or a component this one
  // watches is being freed. The base forwards it to every owned component.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  virtual void ValidateInsert(TComponent* AComponent) { (void)AComponent; }
  virtual void ValidateContainer(TComponent* AComponent) { (void)AComponent; }
  void SetDesigning(bool Value, bool SetChildren = true);
  void SetInline(bool Value);
  void ChangeName(const String& NewName) { FName = NewName; }

  TComponentState FComponentState;
  TComponentStyle FComponentStyle;

private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);
  void RemoveFreeNotifications();

  TComponent* FOwner = nullptr;
  String FName;
  NativeInt FTag = 0;
  std::vector<TComponent*> FComponents;     // owned
  std::vector<TComponent*> FFreeNotifies;   // not owned

  friend class TReader;
  friend class TWriter;
};

// ---------------------------------------------------------------------------------------------
// Collections: a list of items of one class, owned by the collection. Every change of an item or
// of the list reaches the virtual Update (nullptr: the whole collection), batched by
// BeginUpdate/EndUpdate into one Update(nullptr) at the end.
// ---------------------------------------------------------------------------------------------
class TCollection;

class TCollectionItem : public TPersistent {
  ZELK_CLASS(TCollectionItem, TPersistent)
public:
  // The argument of the constructor a class reference calls: ItemClass->CreateWith(collection).
  using TCreateArg = TCollection*;

  // Joins Collection (when not nullptr) as its last item.
  explicit TCollectionItem(TCollection* Collection);
  // Leaves the collection.
  ~TCollectionItem() override;

  TCollection* GetCollection() const { return FCollection; }
  virtual void SetCollection(TCollection* Value);
  Integer GetIndex() const;
  // Moves the item to Value within its collection.
  virtual void SetIndex(Integer Value);
  Integer GetID() const { return FID; }
  virtual String GetDisplayName() const;
  virtual void SetDisplayName(const String& Value);
  TPersistent* GetOwner() const override;
  String GetNamePath() const override;   // "<collection path>[<index>]"

protected:
  // Reports a change of this item (or, with AllItems, of every item) to the collection.
  void Changed(bool AllItems);

private:
  TCollection* FCollection = nullptr;
  Integer FID = 0;
  friend class TCollection;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollection : public TPersistent {
  ZELK_CLASS(TCollection, TPersistent)
public:
  // ItemClass must descend from TCollectionItem. Add creates an item through the class reference
  // (constructor taking the collection); the collection hears of it (Notify cnAdded, Update) once
  // the item's constructor has finished, so Update never sees a half-built item.
  explicit TCollection(TClass ItemClass);
  ~TCollection() override;   // frees the items

  TCollectionItem* Add();
  TCollectionItem* Insert(Integer Index);
  void Delete(Integer Index);
  void Clear();
  void BeginUpdate();
  virtual void EndUpdate();
  TCollectionItem* FindItemID(Integer ID) const;
  void Exchange(Integer Index1, Integer Index2);
  void Assign(TPersistent* Source) override;

  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  TClass GetItemClass() const { return FItemClass; }
  TCollectionItem* GetItem(Integer Index) const;
  void SetItem(Integer Index, TCollectionItem* Value);   // assigns Value to the item at Index
  TCollectionItem* GetItems(Integer Index) const { return GetItem(Index); }
  Integer GetUpdateCount() const { return FUpdateCount; }
  String GetNamePath() const override;
  // The name of the owner's property that holds this collection, for GetNamePath.
  const String& GetPropName() const { return FPropName; }
  void SetPropName(const String& Value) { FPropName = Value; }

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

protected:
  // A change of Item, or of the whole collection when Item is nullptr. Owners override it to
  // repaint; it is not called while an update is open.
  virtual void Update(TCollectionItem* Item) { (void)Item; }
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) { (void)Item; (void)Action; }
  virtual void SetItemName(TCollectionItem* Item) { (void)Item; }
  // Update(nullptr) unless an update is open.
  void Changed();

private:
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void Added(TCollectionItem* Item);

  TClass FItemClass;
  std::vector<TCollectionItem*> FItems;   // owned
  Integer FUpdateCount = 0;
  Integer FNextID = 0;
  Integer FAdding = 0;   // Add is constructing an item
  String FPropName;
  friend class TCollectionItem;
};

// A collection with an owner (for GetNamePath and streaming).
class TOwnedCollection : public TCollection {
  ZELK_CLASS(TOwnedCollection, TCollection)
public:
  TOwnedCollection(TPersistent* AOwner, TClass ItemClass) : TCollection(ItemClass), FOwner(AOwner) {}
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TPersistent* FOwner;
};

#include "platform/rtl/StringLists.h"
