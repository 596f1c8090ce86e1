#pragma once
// Generic containers: TList<T>, TObjectList<T>, TDictionary<K, V>, TObjectDictionary<K, V>.
// They live in namespace Generics::Collections (the pointer list TList is the class library's).
// Class names follow the generic's type arguments: TList<String> is "TList<System.string>",
// TObjectList<TFoo> is "TObjectList<TFoo>".
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

namespace Generics::Collections {

// The type name a generic class shows for its type argument. Specialise for further types.
template <class T> struct TTypeName {
  static String Get() {
    if constexpr (std::is_pointer_v<T>) {
      using C = std::remove_cv_t<std::remove_pointer_t<T>>;
      if constexpr (requires { C::StaticClass(); }) return C::StaticClass()->Name;
      else return TypeInfoName(typeid(C));
    } else {
      return TypeInfoName(typeid(T));
    }
  }
};
template <> struct TTypeName<String> { static String Get() { return u"System.string"; } };
template <> struct TTypeName<Integer> { static String Get() { return u"System.Integer"; } };
template <> struct TTypeName<Cardinal> { static String Get() { return u"System.Cardinal"; } };
template <> struct TTypeName<Int64> { static String Get() { return u"System.Int64"; } };
template <> struct TTypeName<UInt64> { static String Get() { return u"System.UInt64"; } };
template <> struct TTypeName<Double> { static String Get() { return u"System.Double"; } };
template <> struct TTypeName<Single> { static String Get() { return u"System.Single"; } };
template <> struct TTypeName<bool> { static String Get() { return u"System.Boolean"; } };
template <> struct TTypeName<Byte> { static String Get() { return u"System.Byte"; } };
template <> struct TTypeName<Word> { static String Get() { return u"System.Word"; } };
template <> struct TTypeName<Char> { static String Get() { return u"System.Char"; } };
template <> struct TTypeName<Pointer> { static String Get() { return u"System.Pointer"; } };
template <class T> String TypeName() { return TTypeName<T>::Get(); }

enum TCollectionNotification { cnAdded, cnRemoved, cnExtracted };

[[noreturn]] inline void RaiseOutOfRange() {
  throw EArgumentOutOfRangeException(u"Argument out of range");
}

// A list of values. Index errors raise EArgumentOutOfRangeException "Argument out of range".
template <class T>
class TList : public TObject {
  ZELK_CLASS_NAMED(TList, TObject, u"TList<" + TypeName<T>() + u">")
public:
  using TCompare = std::function<Integer(const T& Left, const T& Right)>;
  using TNotifyItem = std::function<void(TObject* Sender, const T& Item, TCollectionNotification Action)>;

  TList() = default;
  TList(std::initializer_list<T> Items) { AddRange(Items); }
  ~TList() override = default;

  Integer Add(const T& Item) {
    FItems.push_back(Item);
    Notify(FItems.back(), cnAdded);
    return GetCount() - 1;
  }
  void AddRange(std::initializer_list<T> Items) {
    for (const T& x : Items) Add(x);
  }
  void AddRange(const std::vector<T>& Items) {
    for (const T& x : Items) Add(x);
  }
  void AddRange(const TList& Items) {
    for (const T& x : Items.FItems) Add(x);
  }
  void Insert(Integer Index, const T& Item) {
    if (Index < 0 || Index > GetCount()) RaiseOutOfRange();
    FItems.insert(FItems.begin() + Index, Item);
    Notify(FItems[Index], cnAdded);
  }
  void Delete(Integer Index) {
    Check(Index);
    T item = std::move(FItems[Index]);
    FItems.erase(FItems.begin() + Index);
    Notify(item, cnRemoved);
  }
  void DeleteRange(Integer Index, Integer Count) {
    if (Index < 0 || Count < 0 || Index + Count > GetCount()) RaiseOutOfRange();
    std::vector<T> gone(std::make_move_iterator(FItems.begin() + Index),
                        std::make_move_iterator(FItems.begin() + Index + Count));
    FItems.erase(FItems.begin() + Index, FItems.begin() + Index + Count);
    for (const T& x : gone) Notify(x, cnRemoved);
  }
  // Removes the first equal item; returns its former index or -1.
  Integer Remove(const T& Item) {
    Integer i = IndexOf(Item);
    if (i >= 0) Delete(i);
    return i;
  }
  // Removes the first equal item without disposing of it; returns it, or T() when absent.
  T Extract(const T& Item) {
    Integer i = IndexOf(Item);
    if (i < 0) return T();
    T item = std::move(FItems[i]);
    FItems.erase(FItems.begin() + i);
    Notify(item, cnExtracted);
    return item;
  }
  void Exchange(Integer Index1, Integer Index2) {
    Check(Index1);
    Check(Index2);
    std::swap(FItems[Index1], FItems[Index2]);
  }
  void Move(Integer CurIndex, Integer NewIndex) {
    Check(CurIndex);
    Check(NewIndex);
    if (CurIndex < NewIndex)
      std::rotate(FItems.begin() + CurIndex, FItems.begin() + CurIndex + 1, FItems.begin() + NewIndex + 1);
    else if (CurIndex > NewIndex)
      std::rotate(FItems.begin() + NewIndex, FItems.begin() + CurIndex, FItems.begin() + CurIndex + 1);
  }
  void Clear() {
    std::vector<T> gone;
    gone.swap(FItems);
    for (const T& x : gone) Notify(x, cnRemoved);
  }
  void Reverse() { std::reverse(FItems.begin(), FItems.end()); }

  Integer IndexOf(const T& Item) const {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
  }
  Integer LastIndexOf(const T& Item) const {
    for (Integer i = GetCount() - 1; i >= 0; --i)
      if (FItems[i] == Item) return i;
    return -1;
  }
  bool Contains(const T& Item) const { return IndexOf(Item) >= 0; }

  // O(n log n), stable; by operator< or a compare function (< 0, 0, > 0).
  void Sort() { std::stable_sort(FItems.begin(), FItems.end()); }
  void Sort(const TCompare& Compare) {
    std::stable_sort(FItems.begin(), FItems.end(),
                     [&](const T& a, const T& b) { return Compare(a, b) < 0; });
  }
  // On a sorted list: true when found (Index of the first equal item), else the insertion point.
  bool BinarySearch(const T& Item, Integer& Index) const {
    auto it = std::lower_bound(FItems.begin(), FItems.end(), Item);
    Index = static_cast<Integer>(it - FItems.begin());
    return it != FItems.end() && !(Item < *it);
  }
  bool BinarySearch(const T& Item, Integer& Index, const TCompare& Compare) const {
    auto it = std::lower_bound(FItems.begin(), FItems.end(), Item,
                               [&](const T& a, const T& b) { return Compare(a, b) < 0; });
    Index = static_cast<Integer>(it - FItems.begin());
    return it != FItems.end() && Compare(*it, Item) == 0;
  }

  Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  void SetCount(Integer Value) {
    if (Value < 0) RaiseOutOfRange();
    if (Value < GetCount()) DeleteRange(Value, GetCount() - Value);
    else FItems.resize(Value);
  }
  Integer GetCapacity() const { return static_cast<Integer>(FItems.capacity()); }
  void SetCapacity(Integer Value) { FItems.reserve(Value < 0 ? 0 : Value); }
  void TrimExcess() { FItems.shrink_to_fit(); }
  const T& GetItem(Integer Index) const {
    Check(Index);
    return FItems[Index];
  }
  // Replaces an item: the old one is removed (cnRemoved), the new one added (cnAdded).
  void SetItem(Integer Index, const T& Value) {
    Check(Index);
    T old = std::move(FItems[Index]);
    FItems[Index] = Value;
    Notify(old, cnRemoved);
    Notify(FItems[Index], cnAdded);
  }
  const T& GetItems(Integer Index) const { return GetItem(Index); }
  void SetItems(Integer Index, const T& Value) { SetItem(Index, Value); }
  const T& operator[](Integer Index) const { return GetItem(Index); }
  const T& First() const { return GetItem(0); }
  const T& Last() const { return GetItem(GetCount() - 1); }
  std::vector<T> ToArray() const { return FItems; }

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

  TNotifyItem OnNotify;

protected:
  virtual void Notify(const T& Item, TCollectionNotification Action) {
    if (OnNotify) OnNotify(this, Item, Action);
  }
  void Check(Integer Index) const {
    if (Index < 0 || Index >= GetCount()) RaiseOutOfRange();
  }

private:
  std::vector<T> FItems;
};

// A list of objects of class T (held as T*) that frees an object when it is removed, replaced or
// the list is cleared or freed, unless OwnsObjects is false. Extract hands it back untouched.
template <class T>
class TObjectList : public TList<T*> {
  ZELK_CLASS_NAMED(TObjectList, TList<T*>, u"TObjectList<" + TypeName<T*>() + u">")
public:
  explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
  ~TObjectList() override { this->Clear(); }
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

protected:
  void Notify(T* const& Item, TCollectionNotification Action) override {
    TList<T*>::Notify(Item, Action);
    if (FOwnsObjects && Action == cnRemoved) delete Item;
  }

private:
  bool FOwnsObjects;
};

template <class K, class V>
struct TPair {
  K Key;
  V Value;
};

// A hash map. Add raises EListError "Duplicates not allowed" for a key already present; reading
// or replacing the item of an absent key raises EListError "Item not found". Enumeration order is
// the hash order.
template <class K, class V, class Hash = std::hash<K>, class KeyEqual = std::equal_to<K>>
class TDictionary : public TObject {
  ZELK_CLASS_NAMED(TDictionary, TObject,
                   u"TDictionary<" + TypeName<K>() + u"," + TypeName<V>() + u">")
  using TMap = std::unordered_map<K, V, Hash, KeyEqual>;

public:
  TDictionary() = default;
  ~TDictionary() override = default;

  void Add(const K& Key, const V& Value) {
    auto [it, added] = FMap.try_emplace(Key, Value);
    if (!added) throw EListError(u"Duplicates not allowed");
    KeyNotify(it->first, cnAdded);
    ValueNotify(it->second, cnAdded);
  }
  void AddOrSetValue(const K& Key, const V& Value) {
    auto it = FMap.find(Key);
    if (it == FMap.end()) {
      Add(Key, Value);
    } else {
      V old = std::move(it->second);
      it->second = Value;
      ValueNotify(old, cnRemoved);
      ValueNotify(it->second, cnAdded);
    }
  }
  void Remove(const K& Key) {
    auto it = FMap.find(Key);
    if (it == FMap.end()) return;
    K key = it->first;
    V value = std::move(it->second);
    FMap.erase(it);
    KeyNotify(key, cnRemoved);
    ValueNotify(value, cnRemoved);
  }
  // Removes the pair without disposing of key or value and returns it (default pair if absent).
  TPair<K, V> ExtractPair(const K& Key) {
    auto it = FMap.find(Key);
    if (it == FMap.end()) return TPair<K, V>{K(), V()};
    TPair<K, V> pair{it->first, std::move(it->second)};
    FMap.erase(it);
    KeyNotify(pair.Key, cnExtracted);
    ValueNotify(pair.Value, cnExtracted);
    return pair;
  }
  void Clear() {
    TMap gone;
    gone.swap(FMap);
    for (auto& [k, v] : gone) {
      KeyNotify(k, cnRemoved);
      ValueNotify(v, cnRemoved);
    }
  }
  bool TryGetValue(const K& Key, V& Value) const {
    auto it = FMap.find(Key);
    if (it == FMap.end()) return false;
    Value = it->second;
    return true;
  }
  bool ContainsKey(const K& Key) const { return FMap.find(Key) != FMap.end(); }
  bool ContainsValue(const V& Value) const {
    for (const auto& [k, v] : FMap)
      if (v == Value) return true;
    return false;
  }
  Integer GetCount() const { return static_cast<Integer>(FMap.size()); }
  const V& GetItem(const K& Key) const {
    auto it = FMap.find(Key);
    if (it == FMap.end()) throw EListError(u"Item not found");
    return it->second;
  }
  void SetItem(const K& Key, const V& Value) {
    auto it = FMap.find(Key);
    if (it == FMap.end()) throw EListError(u"Item not found");
    V old = std::move(it->second);
    it->second = Value;
    ValueNotify(old, cnRemoved);
    ValueNotify(it->second, cnAdded);
  }
  const V& GetItems(const K& Key) const { return GetItem(Key); }
  void SetItems(const K& Key, const V& Value) { SetItem(Key, Value); }
  const V& operator[](const K& Key) const { return GetItem(Key); }

  // for (const auto& [Key, Value] : Dict), for (const K& Key : Dict.Keys()), Dict.Values().
  auto begin() const { return FMap.begin(); }
  auto end() const { return FMap.end(); }

  template <bool IsKey>
  class TView {
    const TMap* FMap;

  public:
    class iterator {
      typename TMap::const_iterator FIt;

    public:
      explicit iterator(typename TMap::const_iterator It) : FIt(It) {}
      const auto& operator*() const {
        if constexpr (IsKey) return FIt->first;
        else return FIt->second;
      }
      iterator& operator++() {
        ++FIt;
        return *this;
      }
      bool operator==(const iterator& o) const { return FIt == o.FIt; }
    };
    explicit TView(const TMap* M) : FMap(M) {}
    iterator begin() const { return iterator(FMap->begin()); }
    iterator end() const { return iterator(FMap->end()); }
    Integer GetCount() const { return static_cast<Integer>(FMap->size()); }
    auto ToArray() const {
      std::vector<std::remove_cvref_t<decltype(*begin())>> out;
      for (const auto& x : *this) out.push_back(x);
      return out;
    }
  };
  TView<true> Keys() const { return TView<true>(&FMap); }
  TView<false> Values() const { return TView<false>(&FMap); }

  std::function<void(TObject* Sender, const K& Item, TCollectionNotification Action)> OnKeyNotify;
  std::function<void(TObject* Sender, const V& Item, TCollectionNotification Action)> OnValueNotify;

protected:
  virtual void KeyNotify(const K& Key, TCollectionNotification Action) {
    if (OnKeyNotify) OnKeyNotify(this, Key, Action);
  }
  virtual void ValueNotify(const V& Value, TCollectionNotification Action) {
    if (OnValueNotify) OnValueNotify(this, Value, Action);
  }

private:
  TMap FMap;
};

enum TDictionaryOwnership { doOwnsKeys, doOwnsValues };
using TDictionaryOwnerships = TSet<TDictionaryOwnership>;

// A dictionary that frees its object keys and/or values (pointers) when they are removed.
template <class K, class V, class Hash = std::hash<K>, class KeyEqual = std::equal_to<K>>
class TObjectDictionary : public TDictionary<K, V, Hash, KeyEqual> {
  using TBase = TDictionary<K, V, Hash, KeyEqual>;
  ZELK_CLASS_NAMED(TObjectDictionary, TBase,
                   u"TObjectDictionary<" + TypeName<K>() + u"," + TypeName<V>() + u">")
public:
  explicit TObjectDictionary(TDictionaryOwnerships Ownerships) : FOwnerships(Ownerships) {}
  TObjectDictionary(std::initializer_list<TDictionaryOwnership> Ownerships) : FOwnerships(Ownerships) {}
  ~TObjectDictionary() override { this->Clear(); }

protected:
  void KeyNotify(const K& Key, TCollectionNotification Action) override {
    TBase::KeyNotify(Key, Action);
    if constexpr (std::is_pointer_v<K>)
      if (Action == cnRemoved && FOwnerships.Contains(doOwnsKeys)) delete Key;
  }
  void ValueNotify(const V& Value, TCollectionNotification Action) override {
    TBase::ValueNotify(Value, Action);
    if constexpr (std::is_pointer_v<V>)
      if (Action == cnRemoved && FOwnerships.Contains(doOwnsValues)) delete Value;
  }

private:
  TDictionaryOwnerships FOwnerships;
};

}  // namespace Generics::Collections
