#pragma once
// Basic types of the runtime. Text is UTF-16 (String); it becomes UTF-8 only at the edges.
#include <bit>
#include <cstdint>
#include <functional>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>

using Char = char16_t;
using String = std::u16string;
using StringView = std::u16string_view;
using UTF8String = std::string;
using AnsiString = std::string;   // bytes in Windows-1252

using Boolean = bool;
using Byte = std::uint8_t;
using ShortInt = std::int8_t;
using Word = std::uint16_t;
using SmallInt = std::int16_t;
using Integer = std::int32_t;
using LongInt = std::int32_t;
using Cardinal = std::uint32_t;
using LongWord = std::uint32_t;
using DWORD = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using NativeInt = std::intptr_t;
using NativeUInt = std::uintptr_t;
using Single = float;
using Double = double;
using Extended = double;
using Currency = double;
using TDateTime = double;   // days since 1899-12-30, time as the fraction
using Pointer = void*;

// UTF-8 <-> UTF-16. Invalid UTF-8 bytes become U+FFFD; lone surrogates become U+FFFD in UTF-8.
UTF8String UTF8Encode(StringView s);
String UTF8ToString(std::string_view s);

// ---------------------------------------------------------------------------------------------
// Classes and class references
// ---------------------------------------------------------------------------------------------
class TObject;
class TComponent;
struct TClassInfo;
struct TClassRtti;   // published properties of a class; defined by the RTTI unit

// A class reference: one immutable record per class, reached by TFoo::StaticClass() or
// Obj->ClassType(). Two references are the same class exactly when the pointers are equal.
using TClass = const TClassInfo*;

struct TClassInfo {
  String Name;                          // the class's own name, e.g. u"TStringList"
  TClass Parent;                        // nullptr for TObject
  TObject* (*NewInstance)();            // plain constructor; nullptr when there is none
  TObject* (*NewWith)(void* Arg);       // constructor taking the hierarchy's TCreateArg
  const std::type_info* TypeId;         // the C++ class
  mutable const TClassRtti* Rtti = nullptr;   // attached by the RTTI unit when a class publishes

  const String& ClassName() const noexcept { return Name; }
  TClass ClassParent() const noexcept { return Parent; }
  bool InheritsFrom(TClass AClass) const noexcept;

  // Creates an instance with the plain constructor (EAbstractError when the class has none).
  TObject* Create() const;
  // Creates a component of this class owned by AOwner (EInvalidCast unless it is a TComponent).
  TComponent* Create(TComponent* AOwner) const;
  // Creates an instance with the constructor taking the hierarchy's TCreateArg (the owner of a
  // component, the collection of a collection item); Arg must point to an object of that type.
  TObject* CreateWith(void* Arg) const;
};

// Declares a class's class reference. Use once, first in the class body:
//   class TFoo : public TBar { ZELK_CLASS(TFoo, TBar) public: ... };
// It provides TFoo::StaticClass(), the ClassType() override and `inherited`. A class that can
// be constructed without arguments, or (for hierarchies that declare TCreateArg, such as
// components and collection items) from that argument, can be created through its reference.
#define ZELK_CLASS(Cls, ParentCls) ZELK_CLASS_NAMED(Cls, ParentCls, u## #Cls)

// As ZELK_CLASS, with the class name given as a String expression (templates, nested names).
// The factories are lambdas in the class's own scope, so protected constructors serve too.
#define ZELK_CLASS_NAMED(Cls, ParentCls, NameExpr)                                               \
 public:                                                                                        \
  using inherited [[maybe_unused]] = ParentCls;                                                \
  static TClass StaticClass() {                                                                 \
    static constexpr auto zelkCanNew = [](auto zelkType) {                                     \
      using ZelkT = typename decltype(zelkType)::type;                                          \
      return requires { new ZelkT(); };                                                         \
    };                                                                                          \
    static constexpr auto zelkCanNewWith = [](auto zelkType) {                                 \
      using ZelkT = typename decltype(zelkType)::type;                                          \
      return requires { new ZelkT(std::declval<typename ZelkT::TCreateArg>()); };               \
    };                                                                                          \
    static constexpr auto zelkNew = [](auto zelkType) -> TObject* {                             \
      using ZelkT = typename decltype(zelkType)::type;                                          \
      if constexpr (zelkCanNew(zelkType)) return new ZelkT();                                   \
      else return nullptr;                                                                      \
    };                                                                                          \
    static constexpr auto zelkNewWith = [](auto zelkType, void* zelkArg) -> TObject* {          \
      using ZelkT = typename decltype(zelkType)::type;                                          \
      if constexpr (zelkCanNewWith(zelkType))                                                   \
        return new ZelkT(static_cast<typename ZelkT::TCreateArg>(zelkArg));                     \
      else return (void)zelkArg, nullptr;                                                       \
    };                                                                                          \
    using ZelkSelf = std::type_identity<Cls>;                                                   \
    static const TClassInfo info{                                                               \
        NameExpr, ParentCls::StaticClass(),                                                     \
        zelkCanNew(ZelkSelf{}) ? +[]() -> TObject* { return zelkNew(ZelkSelf{}); } : nullptr,   \
        zelkCanNewWith(ZelkSelf{})                                                              \
            ? +[](void* zelkArg) -> TObject* { return zelkNewWith(ZelkSelf{}, zelkArg); }       \
            : nullptr,                                                                          \
        &typeid(Cls)};                                                                          \
    return &info;                                                                               \
  }                                                                                             \
  TClass ClassType() const override { return Cls::StaticClass(); }                              \
                                                                                                \
 private:

// Root of every class.
class TObject {
public:
  TObject() = default;
  virtual ~TObject() = default;

  static TClass StaticClass();
  virtual TClass ClassType() const { return StaticClass(); }
  // The class's own name (as the class declared it); comparisons of ClassName text rely on it.
  // A class without ZELK_CLASS still answers its own C++ class name (without namespaces).
  virtual String ClassName() const;
  TClass ClassParent() const { return ClassType()->Parent; }
  bool InheritsFrom(TClass AClass) const { return ClassType()->InheritsFrom(AClass); }
  bool ClassNameIs(StringView AName) const;   // case-insensitive, as class names are
};

// The C++ class name of a type without its namespaces ("TFoo" for ns::TFoo).
String TypeInfoName(const std::type_info& Type);

// `Obj is TFoo` and `Obj as TFoo`: As raises EInvalidCast "Invalid class typecast" on a
// mismatch and passes nullptr through.
template <class T> bool Is(const TObject* Obj) { return Obj && dynamic_cast<const T*>(Obj); }
[[noreturn]] void RaiseInvalidCast();
template <class T> T* As(TObject* Obj) {
  if (!Obj) return nullptr;
  if (auto* p = dynamic_cast<T*>(Obj)) return p;
  RaiseInvalidCast();
}

// The class registry by name (names compare case-insensitively). RegisterClass accepts the same
// class twice and raises EFilerError "A class named %s already exists" for another class of that
// name. GetClass answers nullptr for an unknown name, FindClass raises EClassNotFound
// "Class %s not found". Lookups are safe from any thread.
void RegisterClass(TClass AClass);
void RegisterClasses(std::initializer_list<TClass> AClasses);
void UnRegisterClass(TClass AClass);
TClass GetClass(StringView AClassName);
TClass FindClass(StringView AClassName);

// ---------------------------------------------------------------------------------------------
// Sets of enumerations: TSet<TFontStyle>{fsBold, fsItalic}. For unscoped enums whose members lie
// in 0..255.
// ---------------------------------------------------------------------------------------------
template <class E>
class TSet {
  static_assert(std::is_enum_v<E>, "TSet holds members of an enumeration");
  static constexpr int Words = 4;
  UInt64 FBits[Words] = {0, 0, 0, 0};

  static constexpr int Ord(E e) { return static_cast<int>(e); }
  // By ordinal, so that scanning never makes an enumeration value beyond the type's range.
  constexpr bool Has(int i) const { return i >= 0 && i < MaxMembers && (FBits[i >> 6] >> (i & 63)) & 1; }

public:
  static constexpr int MaxMembers = 64 * Words;

  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> Items) {
    for (E e : Items) Include(e);
  }
  constexpr TSet(E Item) { Include(Item); }   // lets `Set + fsBold` read like Set + [fsBold]

  // The members from Lo to Hi inclusive: [Lo..Hi].
  static constexpr TSet Range(E Lo, E Hi) {
    TSet s;
    for (int i = Ord(Lo); i <= Ord(Hi); ++i) s.Include(static_cast<E>(i));
    return s;
  }

  constexpr TSet& Include(E e) {
    const int i = Ord(e);
    if (i >= 0 && i < MaxMembers) FBits[i >> 6] |= UInt64(1) << (i & 63);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    const int i = Ord(e);
    if (i >= 0 && i < MaxMembers) FBits[i >> 6] &= ~(UInt64(1) << (i & 63));
    return *this;
  }
  constexpr bool Contains(E e) const { return Has(Ord(e)); }
  constexpr bool Empty() const {
    for (UInt64 w : FBits)
      if (w) return false;
    return true;
  }
  constexpr int Count() const {
    int n = 0;
    for (UInt64 w : FBits) n += std::popcount(w);
    return n;
  }
  constexpr void Clear() { *this = TSet(); }

  // The members 0..63 as bits, as small sets are stored and streamed.
  constexpr UInt64 ToBits() const { return FBits[0]; }
  static constexpr TSet FromBits(UInt64 Bits) {
    TSet s;
    s.FBits[0] = Bits;
    return s;
  }

  constexpr TSet operator+(const TSet& o) const {
    TSet r;
    for (int i = 0; i < Words; ++i) r.FBits[i] = FBits[i] | o.FBits[i];
    return r;
  }
  constexpr TSet operator-(const TSet& o) const {
    TSet r;
    for (int i = 0; i < Words; ++i) r.FBits[i] = FBits[i] & ~o.FBits[i];
    return r;
  }
  constexpr TSet operator*(const TSet& o) const {
    TSet r;
    for (int i = 0; i < Words; ++i) r.FBits[i] = FBits[i] & o.FBits[i];
    return r;
  }
  constexpr TSet& operator+=(const TSet& o) { return *this = *this + o; }
  constexpr TSet& operator-=(const TSet& o) { return *this = *this - o; }
  constexpr TSet& operator*=(const TSet& o) { return *this = *this * o; }
  constexpr bool operator==(const TSet& o) const {
    for (int i = 0; i < Words; ++i)
      if (FBits[i] != o.FBits[i]) return false;
    return true;
  }
  // Subset and superset: A <= B when every member of A is in B.
  constexpr bool operator<=(const TSet& o) const { return (*this - o).Empty(); }
  constexpr bool operator>=(const TSet& o) const { return (o - *this).Empty(); }

  // Members in ascending order: for (TFontStyle s : Styles) ...
  class iterator {
    const TSet* FSet = nullptr;
    int FIndex = 0;
    // To the first member at or after FIndex, a word at a time.
    constexpr void Skip() {
      while (FIndex < MaxMembers) {
        UInt64 rest = FSet->FBits[FIndex >> 6] >> (FIndex & 63);
        if (rest != 0) {
          FIndex += std::countr_zero(rest);
          return;
        }
        FIndex = (FIndex | 63) + 1;
      }
    }

  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = E;
    using difference_type = std::ptrdiff_t;
    using pointer = const E*;
    using reference = E;
    constexpr iterator() = default;
    constexpr iterator(const TSet* s, int i) : FSet(s), FIndex(i) { Skip(); }
    constexpr iterator operator++(int) {
      iterator old = *this;
      ++*this;
      return old;
    }
    constexpr E operator*() const { return static_cast<E>(FIndex); }
    constexpr iterator& operator++() {
      ++FIndex;
      Skip();
      return *this;
    }
    constexpr bool operator==(const iterator& o) const { return FIndex == o.FIndex; }
  };
  constexpr iterator begin() const { return iterator(this, 0); }
  constexpr iterator end() const { return iterator(this, MaxMembers); }
};

// ---------------------------------------------------------------------------------------------
// Events
// ---------------------------------------------------------------------------------------------
using TNotifyEvent = std::function<void(TObject* Sender)>;
