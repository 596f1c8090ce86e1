#pragma once
// Run-time type information of published properties and methods.
//
// A class publishes its properties once, in one registration block, usually in a "...Rtti.cpp"
// file beside the class and run from an explicit registration function:
//
//   ZELK_ENUM_INFO(TFontPitch, fpDefault, fpVariable, fpFixed)
//   Publish<TFont>()
//       .Property(u"Color", &TFont::GetColor, &TFont::SetColor).Type(u"TColor")
//       .Property(u"Pitch", &TFont::GetPitch, &TFont::SetPitch).Default(fpDefault)
//       .Property(u"Size", &TFont::GetSize, &TFont::SetSize).Stored(false);
//   Publish<TForm1>().Method(u"ButtonClick", &TForm1::ButtonClick);
//
// The kind and type name follow from the C++ type of the getter (Type and Kind override them where
// one C++ type stands for several, such as TColor or TDateTime). Getters and setters are member
// functions, fields (&T::FField) or callables taking T*; nullptr leaves a property without one.
// The information hangs in the class reference's Rtti slot; enumerating a class's properties
// includes its ancestors' (ancestors first, a redeclared property in its ancestor's place).
// Registration is meant for start-up; lookups are safe from any thread afterwards.
#include <cstddef>
#include <functional>
#include <limits>
#include <memory>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "platform/rtl/Generics.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

ZELK_DECLARE_EXCEPTION(EPropertyError, Exception)

enum TTypeKind {
  tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod, tkWChar,
  tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray, tkUString,
  tkClassRef, tkPointer, tkProcedure
};
using TTypeKinds = TSet<TTypeKind>;

// The names of an enumeration's members (ordinals 0, 1, 2 ...), in declaration order.
struct TEnumInfo {
  String TypeName;
  std::vector<String> Names;

  TEnumInfo(String ATypeName, std::vector<String> ANames);
  // From the member list as the preprocessor spells it: "fsBold, fsItalic".
  TEnumInfo(String ATypeName, const char* ACommaList);
  Integer MinValue() const { return 0; }
  Integer MaxValue() const { return static_cast<Integer>(Names.size()) - 1; }
};

// The enumeration information of E: ZELK_ENUM_INFO defines it (once, in one .cpp), and
// ZELK_DECLARE_ENUM_INFO declares it in a header for other files that publish properties of E.
template <class E> const TEnumInfo* EnumTypeInfo();

namespace TypInfoDetail {
template <class E, std::size_t N>
constexpr bool Consecutive(const E (&Values)[N]) {
  for (std::size_t i = 0; i < N; ++i)
    if (static_cast<std::size_t>(Values[i]) != i) return false;
  return true;
}
}  // namespace TypInfoDetail

#define ZELK_DECLARE_ENUM_INFO(E) template <> const TEnumInfo* EnumTypeInfo<E>();
#define ZELK_ENUM_INFO(E, ...)                                                                    \
  template <> const TEnumInfo* EnumTypeInfo<E>() {                                               \
    static constexpr E zelkMembers[] = {__VA_ARGS__};                                            \
    static_assert(TypInfoDetail::Consecutive(zelkMembers), "members of " #E " must run 0, 1, 2 ..."); \
    static const TEnumInfo zelkInfo(u## #E, #__VA_ARGS__);                                       \
    return &zelkInfo;                                                                             \
  }

// Boolean as an enumeration: False, True.
const TEnumInfo* BooleanTypeInfo();

// ---------------------------------------------------------------------------------------------
// Method pointers. An event property holds a std::function and, when it was bound to a published
// method, that method's name and instance, so that it can be written as text and bound again
// after loading. TMethodEvent<Sig> is such a holder; assigning any other callable forgets the
// binding. A property of plain std::function type works too, without the name.
// ---------------------------------------------------------------------------------------------
template <class Sig> class TMethodEvent;

template <class R, class... A>
class TMethodEvent<R(A...)> : public std::function<R(A...)> {
  template <class F>
  static constexpr bool IsCallable =
      !std::is_same_v<std::remove_cvref_t<F>, TMethodEvent> && std::is_constructible_v<std::function<R(A...)>, F>;

public:
  using TFunction = std::function<R(A...)>;

  TMethodEvent() = default;
  TMethodEvent(std::nullptr_t) {}
  template <class F> requires IsCallable<F>
  TMethodEvent(F&& Fn) : TFunction(std::forward<F>(Fn)) {}

  template <class F> requires IsCallable<F>
  TMethodEvent& operator=(F&& Fn) {
    TFunction::operator=(std::forward<F>(Fn));
    Unbind();
    return *this;
  }
  TMethodEvent& operator=(std::nullptr_t) {
    TFunction::operator=(nullptr);
    Unbind();
    return *this;
  }

  // Holds Fn as the published method AName of AInstance.
  void Bind(const String& AName, TObject* AInstance, TFunction Fn) {
    TFunction::operator=(std::move(Fn));
    FMethodName = AName;
    FMethodData = AInstance;
  }
  const String& GetMethodName() const { return FMethodName; }
  TObject* GetMethodData() const { return FMethodData; }

private:
  void Unbind() {
    FMethodName.clear();
    FMethodData = nullptr;
  }
  String FMethodName;
  TObject* FMethodData = nullptr;
};

// A method property's value: whether a handler is set and, for a handler bound to a published
// method, that method's name and instance.
struct TMethod {
  String Name;
  TObject* Data = nullptr;
  bool Assigned = false;
};

// A published method: its name, its signature (typeid of the function type, e.g. void(TObject*))
// and how to make a handler calling it on an instance.
struct TMethodInfo {
  String Name;
  TClass Owner = nullptr;
  const std::type_info* Signature = nullptr;
  // Stores into *Out (a std::function of the signature) a handler calling the method on Instance.
  std::function<void(TObject* Instance, void* Out)> Bind;
};

// ---------------------------------------------------------------------------------------------
// Type-erased access to generic lists and dictionaries (attached to their classes when a property
// of their type is published, or by RegisterGenericListAccess / RegisterGenericDictionaryAccess).
// ---------------------------------------------------------------------------------------------
enum TListItemKind { likString, likInteger, likFloat, likObject };

class TListAccess {
public:
  virtual ~TListAccess() = default;
  virtual TListItemKind ItemKind() const = 0;
  virtual TClass ItemClass() const = 0;   // for likObject
  virtual Integer Count(TObject* List) const = 0;
  virtual void Clear(TObject* List) const = 0;
  virtual String GetString(TObject* List, Integer Index) const = 0;
  virtual Int64 GetInteger(TObject* List, Integer Index) const = 0;
  virtual Double GetFloat(TObject* List, Integer Index) const = 0;
  virtual TObject* GetObject(TObject* List, Integer Index) const = 0;
  virtual void AddString(TObject* List, const String& Value) const = 0;
  virtual void AddInteger(TObject* List, Int64 Value) const = 0;
  virtual void AddFloat(TObject* List, Double Value) const = 0;
  // Raises EInvalidCast when Item is not of the item class (the caller keeps Item then).
  virtual void AddObject(TObject* List, TObject* Item) const = 0;
};

class TDictionaryAccess {
public:
  virtual ~TDictionaryAccess() = default;
  virtual TClass ValueClass() const = 0;
  virtual void Clear(TObject* Dictionary) const = 0;
  // Each pair in the order the dictionary enumerates its keys.
  virtual void ForEach(TObject* Dictionary, const std::function<void(const String& Key, TObject* Value)>& Fn) const = 0;
  // Raises EInvalidCast when Value is not of the value class (the caller keeps Value then).
  virtual void Add(TObject* Dictionary, const String& Key, TObject* Value) const = 0;
};

// ---------------------------------------------------------------------------------------------
// Property information
// ---------------------------------------------------------------------------------------------
struct TPropInfo {
  String Name;
  TTypeKind Kind = tkUnknown;
  String TypeName;                          // "Integer", "TColor", "TFontStyles", a class name ...
  const TEnumInfo* EnumType = nullptr;      // enumeration, or a set's element enumeration
  TClass PropClass = nullptr;               // class of a tkClass property
  const std::type_info* MethodSignature = nullptr;   // of a tkMethod property
  TClass Owner = nullptr;                   // the class that published it
  bool HasGetter = false;
  bool HasSetter = false;
  bool HasDefault = false;
  Int64 Default = 0;                        // for ordinal properties, when HasDefault
  // The values an ordinal property holds: its C++ type's range, an enumeration's ordinals.
  // SetOrdProp refuses others (ERangeError).
  Int64 MinValue = std::numeric_limits<Int64>::min();
  Int64 MaxValue = std::numeric_limits<Int64>::max();
  bool StoredConst = true;
  std::function<bool(TObject*)> StoredFn;   // overrides StoredConst when set

  // Access by category; the routines below choose by Kind and check the instance's class.
  std::function<Int64(TObject*)> GetOrd;             // integer, char, enumeration, set, Int64
  std::function<void(TObject*, Int64)> SetOrd;
  std::function<Double(TObject*)> GetFloat;
  std::function<void(TObject*, Double)> SetFloat;
  std::function<String(TObject*)> GetStr;
  std::function<void(TObject*, const String&)> SetStr;
  std::function<TObject*(TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj;
  std::function<TMethod(TObject*)> GetMeth;
  std::function<void(TObject*, const TMethod&)> SetMeth;
};
using PPropInfo = const TPropInfo*;
using TPropList = std::vector<PPropInfo>;

// What a class publishes itself (its ancestors' information hangs in their own classes).
struct TClassRtti {
  TClass ClassType = nullptr;
  std::vector<std::unique_ptr<TPropInfo>> Properties;
  std::vector<std::unique_ptr<TMethodInfo>> Methods;
  std::unique_ptr<TListAccess> ListAccess;
  std::unique_ptr<TDictionaryAccess> DictionaryAccess;
  // The flattened list (ancestors first), recomputed after any registration.
  TPropList AllProperties;
  UInt64 AllGeneration = 0;
};

// The class's own RTTI record, made and attached to its Rtti slot on first use.
TClassRtti& ClassRttiOf(TClass AClass);

// The published properties of the class and its ancestors, ancestors first.
TPropList GetPropList(TClass AClass);
TPropList GetPropList(const TObject* AObject);
// Only the properties of the given kinds.
TPropList GetPropList(TClass AClass, TTypeKinds AKinds);
// By name, ignoring case; nullptr when the class publishes no such property.
PPropInfo GetPropInfo(TClass AClass, StringView APropName);
PPropInfo GetPropInfo(const TObject* AObject, StringView APropName);
PPropInfo GetPropInfo(TClass AClass, StringView APropName, TTypeKinds AKinds);
bool IsPublishedProp(TClass AClass, StringView APropName);
bool IsPublishedProp(const TObject* AObject, StringView APropName);
// The class's published property that currently holds AValue; empty when none does.
String FindPropNameOf(TObject* AInstance, const TObject* AValue);

bool IsStoredProp(TObject* Instance, PPropInfo PropInfo);
bool IsStoredProp(TObject* Instance, StringView PropName);

// Ordinal properties: integers, chars, enumerations (ordinal), sets (members 0..63 as bits),
// Int64. The setters raise EPropertyError for a property without a setter, ERangeError for a
// value outside the property's MinValue .. MaxValue.
Int64 GetOrdProp(TObject* Instance, PPropInfo PropInfo);
Int64 GetOrdProp(TObject* Instance, StringView PropName);
void SetOrdProp(TObject* Instance, PPropInfo PropInfo, Int64 Value);
void SetOrdProp(TObject* Instance, StringView PropName, Int64 Value);
Int64 GetInt64Prop(TObject* Instance, PPropInfo PropInfo);
Int64 GetInt64Prop(TObject* Instance, StringView PropName);
void SetInt64Prop(TObject* Instance, PPropInfo PropInfo, Int64 Value);
void SetInt64Prop(TObject* Instance, StringView PropName, Int64 Value);
// String kinds; chars read and write as one-character text.
String GetStrProp(TObject* Instance, PPropInfo PropInfo);
String GetStrProp(TObject* Instance, StringView PropName);
void SetStrProp(TObject* Instance, PPropInfo PropInfo, const String& Value);
void SetStrProp(TObject* Instance, StringView PropName, const String& Value);
Double GetFloatProp(TObject* Instance, PPropInfo PropInfo);
Double GetFloatProp(TObject* Instance, StringView PropName);
void SetFloatProp(TObject* Instance, PPropInfo PropInfo, Double Value);
void SetFloatProp(TObject* Instance, StringView PropName, Double Value);
// Object properties; SetObjectProp raises EInvalidCast for an object not of the property's class.
TObject* GetObjectProp(TObject* Instance, PPropInfo PropInfo);
TObject* GetObjectProp(TObject* Instance, StringView PropName);
void SetObjectProp(TObject* Instance, PPropInfo PropInfo, TObject* Value);
void SetObjectProp(TObject* Instance, StringView PropName, TObject* Value);
TClass GetObjectPropClass(PPropInfo PropInfo);
// Method properties. Setting binds the published method Value.Name of Value.Data (EPropertyError
// when that class publishes no such method or its signature differs); an unassigned value, or
// one without instance or name, clears the handler.
TMethod GetMethodProp(TObject* Instance, PPropInfo PropInfo);
TMethod GetMethodProp(TObject* Instance, StringView PropName);
void SetMethodProp(TObject* Instance, PPropInfo PropInfo, const TMethod& Value);
void SetMethodProp(TObject* Instance, StringView PropName, const TMethod& Value);
// Enumerations by member name; EPropertyError for a name the enumeration lacks.
String GetEnumProp(TObject* Instance, PPropInfo PropInfo);
String GetEnumProp(TObject* Instance, StringView PropName);
void SetEnumProp(TObject* Instance, PPropInfo PropInfo, StringView Value);
void SetEnumProp(TObject* Instance, StringView PropName, StringView Value);
// Sets as text: "[fsBold,fsItalic]" ("fsBold,fsItalic" without brackets); the setters accept
// either form, blanks around names, and raise EPropertyError for an unknown member.
String GetSetProp(TObject* Instance, PPropInfo PropInfo, bool Brackets = true);
String GetSetProp(TObject* Instance, StringView PropName, bool Brackets = true);
void SetSetProp(TObject* Instance, PPropInfo PropInfo, StringView Value);
void SetSetProp(TObject* Instance, StringView PropName, StringView Value);
String SetToString(const TEnumInfo* ElementType, UInt64 Value, bool Brackets = true);
UInt64 StringToSet(const TEnumInfo* ElementType, StringView Value);

// The member name of an ordinal ("" when out of range); the ordinal of a name, ignoring case
// (-1 when absent).
String GetEnumName(const TEnumInfo* TypeInfo, Integer Value);
Integer GetEnumValue(const TEnumInfo* TypeInfo, StringView Name);

// Published methods of the class and its ancestors, by name ignoring case; nullptr when absent.
const TMethodInfo* MethodAddress(TClass AClass, StringView AName);
// The name of the published method of AClass (or an ancestor) a handler is bound to; "" when it
// is bound to none of them.
String MethodName(TClass AClass, const TMethod& AMethod);

// Generic container access of a class or its nearest ancestor that has one; nullptr when none.
const TListAccess* FindListAccess(TClass AClass);
const TDictionaryAccess* FindDictionaryAccess(TClass AClass);

// ---------------------------------------------------------------------------------------------
// Implementation details of the registration templates
// ---------------------------------------------------------------------------------------------
namespace TypInfoDetail {

template <class T> struct IsTSet : std::false_type {};
template <class E> struct IsTSet<TSet<E>> : std::true_type { using Element = E; };

template <class T> struct FunctionSig {};
template <class R, class... A> struct FunctionSig<std::function<R(A...)>> { using Sig = R(A...); static constexpr bool Bound = false; };
template <class R, class... A> struct FunctionSig<TMethodEvent<R(A...)>> { using Sig = R(A...); static constexpr bool Bound = true; };
template <class T> concept EventType = requires { typename FunctionSig<T>::Sig; };

template <class T> struct IsStdVector : std::false_type {};
template <class T, class Al> struct IsStdVector<std::vector<T, Al>> : std::true_type {};

template <class X> X GenericListItem(const Generics::Collections::TList<X>*);
template <class K, class V, class H, class E>
Generics::Collections::TDictionary<K, V, H, E>* GenericDictionaryBase(const Generics::Collections::TDictionary<K, V, H, E>*);

template <class C> concept GenericList = requires(C* c) { GenericListItem(c); };
template <class C> concept GenericDictionary = requires(C* c) { GenericDictionaryBase(c); };

template <class V> concept ObjectPointer =
    std::is_pointer_v<V> && std::is_base_of_v<TObject, std::remove_cv_t<std::remove_pointer_t<V>>>;

template <class V>
constexpr TTypeKind KindOf() {
  if constexpr (std::is_same_v<V, bool>) return tkEnumeration;
  else if constexpr (std::is_same_v<V, char>) return tkChar;
  else if constexpr (std::is_same_v<V, Char> || std::is_same_v<V, wchar_t>) return tkWChar;
  else if constexpr (std::is_enum_v<V>) return tkEnumeration;
  else if constexpr (std::is_integral_v<V>) return sizeof(V) > 4 ? tkInt64 : tkInteger;
  else if constexpr (std::is_floating_point_v<V>) return tkFloat;
  else if constexpr (std::is_same_v<V, String>) return tkUString;
  else if constexpr (std::is_same_v<V, AnsiString>) return tkLString;
  else if constexpr (IsTSet<V>::value) return tkSet;
  else if constexpr (EventType<V>) return tkMethod;
  else if constexpr (std::is_same_v<V, TClass>) return tkClassRef;
  else if constexpr (ObjectPointer<V>) return tkClass;
  else if constexpr (std::is_pointer_v<V> && std::is_function_v<std::remove_pointer_t<V>>) return tkProcedure;
  else if constexpr (std::is_pointer_v<V> && std::is_polymorphic_v<std::remove_pointer_t<V>>) return tkInterface;
  else if constexpr (std::is_pointer_v<V>) return tkPointer;
  else if constexpr (IsStdVector<V>::value) return tkDynArray;
  else if constexpr (std::is_array_v<V> || requires { std::tuple_size<V>::value; }) return tkArray;
  else return tkRecord;
}

template <class V>
String TypeNameOf() {
  if constexpr (std::is_same_v<V, bool>) return u"Boolean";
  else if constexpr (std::is_same_v<V, char>) return u"AnsiChar";
  else if constexpr (std::is_same_v<V, Char>) return u"Char";
  else if constexpr (std::is_enum_v<V>) return EnumTypeInfo<V>()->TypeName;
  else if constexpr (std::is_same_v<V, Byte>) return u"Byte";
  else if constexpr (std::is_same_v<V, ShortInt>) return u"ShortInt";
  else if constexpr (std::is_same_v<V, Word>) return u"Word";
  else if constexpr (std::is_same_v<V, SmallInt>) return u"SmallInt";
  else if constexpr (std::is_same_v<V, Integer>) return u"Integer";
  else if constexpr (std::is_same_v<V, Cardinal>) return u"Cardinal";
  else if constexpr (std::is_same_v<V, Int64>) return u"Int64";
  else if constexpr (std::is_same_v<V, UInt64>) return u"UInt64";
  else if constexpr (std::is_same_v<V, Double>) return u"Double";
  else if constexpr (std::is_same_v<V, Single>) return u"Single";
  else if constexpr (std::is_same_v<V, String>) return u"string";
  else if constexpr (std::is_same_v<V, AnsiString>) return u"AnsiString";
  else if constexpr (IsTSet<V>::value) return u"set of " + EnumTypeInfo<typename IsTSet<V>::Element>()->TypeName;
  else if constexpr (EventType<V>) {
    return std::is_same_v<typename FunctionSig<V>::Sig, void(TObject*)> ? u"TNotifyEvent" : u"TMethod";
  } else if constexpr (std::is_same_v<V, TClass>) return u"TClass";
  else if constexpr (ObjectPointer<V>) return std::remove_cv_t<std::remove_pointer_t<V>>::StaticClass()->Name;
  else return TypeInfoName(typeid(V));
}

// Generic list access for TList<X>.
template <class X>
class TGenericListAccess final : public TListAccess {
  using TListType = Generics::Collections::TList<X>;
  static TListType* L(TObject* List) { return static_cast<TListType*>(List); }

public:
  TListItemKind ItemKind() const override {
    if constexpr (std::is_same_v<X, String>) return likString;
    else if constexpr (std::is_floating_point_v<X>) return likFloat;
    else if constexpr (std::is_integral_v<X>) return likInteger;
    else return likObject;
  }
  TClass ItemClass() const override {
    if constexpr (ObjectPointer<X>) return std::remove_cv_t<std::remove_pointer_t<X>>::StaticClass();
    else return nullptr;
  }
  Integer Count(TObject* List) const override { return L(List)->GetCount(); }
  void Clear(TObject* List) const override { L(List)->Clear(); }
  String GetString(TObject* List, Integer Index) const override {
    if constexpr (std::is_same_v<X, String>) return L(List)->GetItem(Index);
    else Wrong();
  }
  Int64 GetInteger(TObject* List, Integer Index) const override {
    if constexpr (std::is_integral_v<X>) return static_cast<Int64>(L(List)->GetItem(Index));
    else Wrong();
  }
  Double GetFloat(TObject* List, Integer Index) const override {
    if constexpr (std::is_arithmetic_v<X>) return static_cast<Double>(L(List)->GetItem(Index));
    else Wrong();
  }
  TObject* GetObject(TObject* List, Integer Index) const override {
    if constexpr (ObjectPointer<X>) return const_cast<TObject*>(static_cast<const TObject*>(L(List)->GetItem(Index)));
    else Wrong();
  }
  void AddString(TObject* List, const String& Value) const override {
    if constexpr (std::is_same_v<X, String>) L(List)->Add(Value);
    else Wrong();
  }
  void AddInteger(TObject* List, Int64 Value) const override {
    if constexpr (std::is_arithmetic_v<X>) L(List)->Add(static_cast<X>(Value));
    else Wrong();
  }
  void AddFloat(TObject* List, Double Value) const override {
    if constexpr (std::is_arithmetic_v<X>) L(List)->Add(static_cast<X>(Value));
    else Wrong();
  }
  void AddObject(TObject* List, TObject* Item) const override {
    if constexpr (ObjectPointer<X>) {
      using C = std::remove_cv_t<std::remove_pointer_t<X>>;
      C* item = dynamic_cast<C*>(Item);
      if (Item && !item) RaiseInvalidCast();
      L(List)->Add(item);
    } else {
      Wrong();
    }
  }

private:
  [[noreturn]] static void Wrong() { throw EPropertyError(u"Invalid list item type"); }
};

template <class K, class V, class H, class E>
class TGenericDictionaryAccess final : public TDictionaryAccess {
  using TDictType = Generics::Collections::TDictionary<K, V, H, E>;
  using C = std::remove_cv_t<std::remove_pointer_t<V>>;
  static TDictType* D(TObject* Dict) { return static_cast<TDictType*>(Dict); }

public:
  TClass ValueClass() const override { return C::StaticClass(); }
  void Clear(TObject* Dictionary) const override { D(Dictionary)->Clear(); }
  void ForEach(TObject* Dictionary, const std::function<void(const String&, TObject*)>& Fn) const override {
    for (const auto& [key, value] : *D(Dictionary)) {
      if constexpr (std::is_same_v<K, String>) Fn(key, value);
      else Fn(IntToStr(static_cast<Int64>(key)), value);
    }
  }
  void Add(TObject* Dictionary, const String& Key, TObject* Value) const override {
    C* value = dynamic_cast<C*>(Value);
    if (Value && !value) RaiseInvalidCast();
    if constexpr (std::is_same_v<K, String>) D(Dictionary)->AddOrSetValue(Key, value);
    else D(Dictionary)->AddOrSetValue(static_cast<K>(StrToInt64(Key)), value);
  }
};

// Registration steps, under the registry's lock.
void AddProperty(TClassRtti& Rtti, std::unique_ptr<TPropInfo> Info);
void AddMethod(TClassRtti& Rtti, std::unique_ptr<TMethodInfo> Info);
void AttachListAccess(TClass AClass, std::unique_ptr<TListAccess> Access);
void AttachDictionaryAccess(TClass AClass, std::unique_ptr<TDictionaryAccess> Access);
// Fills *Out (a std::function of signature Sig) with a handler calling the published method
// m.Name of m.Data; EPropertyError when there is none of that signature.
void BindPublishedMethod(const TMethod& m, const std::type_info& Sig, void* Out);
}  // namespace TypInfoDetail

// Attaches generic container access to the class of a list or dictionary type.
template <class TListType>
void RegisterGenericListAccess() {
  using X = decltype(TypInfoDetail::GenericListItem(static_cast<TListType*>(nullptr)));
  using TBase = Generics::Collections::TList<X>;
  if constexpr (std::is_same_v<X, String> || std::is_arithmetic_v<X> || TypInfoDetail::ObjectPointer<X>)
    TypInfoDetail::AttachListAccess(TBase::StaticClass(), std::make_unique<TypInfoDetail::TGenericListAccess<X>>());
}

template <class TDictType>
void RegisterGenericDictionaryAccess() {
  using TBase = std::remove_pointer_t<decltype(TypInfoDetail::GenericDictionaryBase(static_cast<TDictType*>(nullptr)))>;
  [[maybe_unused]] auto attach = []<class K, class V, class H, class E>(Generics::Collections::TDictionary<K, V, H, E>*) {
    if constexpr ((std::is_same_v<K, String> || std::is_integral_v<K>) && TypInfoDetail::ObjectPointer<V>)
      TypInfoDetail::AttachDictionaryAccess(Generics::Collections::TDictionary<K, V, H, E>::StaticClass(),
                                            std::make_unique<TypInfoDetail::TGenericDictionaryAccess<K, V, H, E>>());
  };
  attach(static_cast<TBase*>(nullptr));
}

// ---------------------------------------------------------------------------------------------
// The registration block of a class
// ---------------------------------------------------------------------------------------------
template <class T>
class TPublisher {
public:
  explicit TPublisher(TClassRtti& ARtti) : FRtti(ARtti) {}

  // A property read by Getter and written by Setter (either may be nullptr).
  template <class G, class S>
  TPublisher& Property(StringView AName, G Getter, S Setter) {
    using V = typename ValueOf<G, S>::Type;
    auto info = std::make_unique<TPropInfo>();
    info->Name = String(AName);
    info->Kind = TypInfoDetail::KindOf<V>();
    info->TypeName = TypInfoDetail::TypeNameOf<V>();
    info->Owner = T::StaticClass();
    info->HasGetter = !std::is_null_pointer_v<G>;
    info->HasSetter = !std::is_null_pointer_v<S>;
    Describe<V>(*info);
    if constexpr (!std::is_null_pointer_v<G>) MakeGetter<V>(*info, Getter);
    if constexpr (!std::is_null_pointer_v<S>) MakeSetter<V>(*info, Setter);
    Add(std::move(info));
    return *this;
  }
  // A property read and written straight from a field.
  template <class F> requires std::is_member_object_pointer_v<F>
  TPublisher& Property(StringView AName, F Field) {
    return Property(AName, Field, Field);
  }

  // Modifiers of the property added last.
  TPublisher& Type(StringView ATypeName) {
    Last().TypeName = String(ATypeName);
    return *this;
  }
  // Another kind for the same C++ type: tkLString, tkWString or tkString for text, tkVariant ...
  TPublisher& Kind(TTypeKind AKind) {
    Last().Kind = AKind;
    return *this;
  }
  template <class V>
  TPublisher& Default(V AValue) {
    Last().HasDefault = true;
    if constexpr (TypInfoDetail::IsTSet<V>::value) Last().Default = static_cast<Int64>(AValue.ToBits());
    else Last().Default = static_cast<Int64>(AValue);
    return *this;
  }
  TPublisher& Stored(bool AStored) {
    Last().StoredConst = AStored;
    return *this;
  }
  template <class F> requires std::is_invocable_r_v<bool, F, T*>
  TPublisher& Stored(F AIsStored) {
    Last().StoredFn = [AIsStored](TObject* o) { return static_cast<bool>(std::invoke(AIsStored, static_cast<T*>(o))); };
    return *this;
  }

  // A published method, callable by name and bindable to method properties of its signature.
  template <class M>
  TPublisher& Method(StringView AName, M AMethod) {
    TypInfoDetail::AddMethod(FRtti, MethodBinder<M>::Make(AName, AMethod));
    return *this;
  }

private:
  template <class G, class S> struct ValueOf {
    using Type = std::remove_cvref_t<std::invoke_result_t<G, T*>>;
  };
  template <class S> struct ValueOf<std::nullptr_t, S> {
    template <class U, class R, class A> static A Arg(R (U::*)(A));
    using Type = std::remove_cvref_t<decltype(Arg(std::declval<S>()))>;
  };

  template <class V>
  static void Describe(TPropInfo& Info) {
    if constexpr (std::is_same_v<V, bool>) {
      Info.EnumType = BooleanTypeInfo();
    } else if constexpr (std::is_enum_v<V>) {
      Info.EnumType = EnumTypeInfo<V>();
      Info.MinValue = Info.EnumType->MinValue();
      Info.MaxValue = Info.EnumType->MaxValue();
    } else if constexpr (std::is_integral_v<V> && sizeof(V) < sizeof(Int64)) {
      Info.MinValue = std::numeric_limits<V>::min();
      Info.MaxValue = std::numeric_limits<V>::max();
    } else if constexpr (TypInfoDetail::IsTSet<V>::value) {
      Info.EnumType = EnumTypeInfo<typename TypInfoDetail::IsTSet<V>::Element>();
    } else if constexpr (TypInfoDetail::EventType<V>) {
      Info.MethodSignature = &typeid(typename TypInfoDetail::FunctionSig<V>::Sig);
    } else if constexpr (TypInfoDetail::ObjectPointer<V>) {
      using C = std::remove_cv_t<std::remove_pointer_t<V>>;
      Info.PropClass = C::StaticClass();
      if constexpr (TypInfoDetail::GenericList<C>) RegisterGenericListAccess<C>();
      if constexpr (TypInfoDetail::GenericDictionary<C>) RegisterGenericDictionaryAccess<C>();
    }
  }

  static T* Self(TObject* o) { return static_cast<T*>(o); }

  template <class V, class G>
  static void MakeGetter(TPropInfo& Info, G Getter) {
    if constexpr (std::is_same_v<V, bool> || std::is_enum_v<V> || std::is_integral_v<V>) {
      Info.GetOrd = [Getter](TObject* o) { return static_cast<Int64>(std::invoke(Getter, Self(o))); };
      if constexpr (std::is_same_v<V, Char> || std::is_same_v<V, char>)
        Info.GetStr = [Getter](TObject* o) { return String(1, static_cast<Char>(std::invoke(Getter, Self(o)))); };
    } else if constexpr (TypInfoDetail::IsTSet<V>::value) {
      Info.GetOrd = [Getter](TObject* o) { return static_cast<Int64>(std::invoke(Getter, Self(o)).ToBits()); };
    } else if constexpr (std::is_floating_point_v<V>) {
      Info.GetFloat = [Getter](TObject* o) { return static_cast<Double>(std::invoke(Getter, Self(o))); };
    } else if constexpr (std::is_same_v<V, String>) {
      Info.GetStr = [Getter](TObject* o) { return String(std::invoke(Getter, Self(o))); };
    } else if constexpr (std::is_same_v<V, AnsiString>) {
      Info.GetStr = [Getter](TObject* o) { return AnsiToString(std::invoke(Getter, Self(o))); };
    } else if constexpr (TypInfoDetail::ObjectPointer<V>) {
      Info.GetObj = [Getter](TObject* o) {
        return const_cast<TObject*>(static_cast<const TObject*>(std::invoke(Getter, Self(o))));
      };
    } else if constexpr (TypInfoDetail::EventType<V>) {
      Info.GetMeth = [Getter](TObject* o) {
        decltype(auto) fn = std::invoke(Getter, Self(o));
        TMethod m;
        m.Assigned = static_cast<bool>(fn);
        if constexpr (TypInfoDetail::FunctionSig<V>::Bound) {
          m.Name = fn.GetMethodName();
          m.Data = fn.GetMethodData();
        }
        return m;
      };
    } else {
      (void)Info;
      (void)Getter;   // other kinds publish their presence, kind and type name only
    }
  }

  template <class V, class S>
  static void Assign(S Setter, TObject* o, V Value) {
    if constexpr (std::is_member_object_pointer_v<S>) std::invoke(Setter, Self(o)) = std::move(Value);
    else std::invoke(Setter, Self(o), std::move(Value));
  }

  template <class V, class S>
  static void MakeSetter(TPropInfo& Info, S Setter) {
    if constexpr (std::is_same_v<V, bool>) {
      Info.SetOrd = [Setter](TObject* o, Int64 v) { Assign<V>(Setter, o, v != 0); };
    } else if constexpr (std::is_enum_v<V> || std::is_integral_v<V>) {
      Info.SetOrd = [Setter](TObject* o, Int64 v) { Assign<V>(Setter, o, static_cast<V>(v)); };
      if constexpr (std::is_same_v<V, Char> || std::is_same_v<V, char>)
        Info.SetStr = [Setter](TObject* o, const String& v) { Assign<V>(Setter, o, static_cast<V>(v.empty() ? 0 : v[0])); };
    } else if constexpr (TypInfoDetail::IsTSet<V>::value) {
      Info.SetOrd = [Setter](TObject* o, Int64 v) { Assign<V>(Setter, o, V::FromBits(static_cast<UInt64>(v))); };
    } else if constexpr (std::is_floating_point_v<V>) {
      Info.SetFloat = [Setter](TObject* o, Double v) { Assign<V>(Setter, o, static_cast<V>(v)); };
    } else if constexpr (std::is_same_v<V, String>) {
      Info.SetStr = [Setter](TObject* o, const String& v) { Assign<V>(Setter, o, v); };
    } else if constexpr (std::is_same_v<V, AnsiString>) {
      Info.SetStr = [Setter](TObject* o, const String& v) { Assign<V>(Setter, o, StringToAnsi(v)); };
    } else if constexpr (TypInfoDetail::ObjectPointer<V>) {
      using C = std::remove_pointer_t<V>;
      Info.SetObj = [Setter](TObject* o, TObject* v) {
        C* value = dynamic_cast<C*>(v);
        if (v && !value) RaiseInvalidCast();
        Assign<V>(Setter, o, value);
      };
    } else if constexpr (TypInfoDetail::EventType<V>) {
      using Sig = typename TypInfoDetail::FunctionSig<V>::Sig;
      Info.SetMeth = [Setter](TObject* o, const TMethod& m) {
        V value;
        if (m.Assigned && m.Data && !m.Name.empty()) {
          std::function<Sig> fn;
          TypInfoDetail::BindPublishedMethod(m, typeid(Sig), &fn);
          if constexpr (TypInfoDetail::FunctionSig<V>::Bound) value.Bind(m.Name, m.Data, std::move(fn));
          else value = std::move(fn);
        }
        Assign<V>(Setter, o, std::move(value));
      };
    } else {
      (void)Info;
      (void)Setter;
    }
  }

  template <class M> struct MethodBinder;
  template <class U, class R, class... A> struct MethodBinder<R (U::*)(A...)> {
    static std::unique_ptr<TMethodInfo> Make(StringView AName, R (U::*Fn)(A...)) {
      auto info = std::make_unique<TMethodInfo>();
      info->Name = String(AName);
      info->Owner = T::StaticClass();
      info->Signature = &typeid(R(A...));
      info->Bind = [Fn](TObject* Instance, void* Out) {
        T* self = static_cast<T*>(Instance);
        *static_cast<std::function<R(A...)>*>(Out) = [self, Fn](A... Args) -> R {
          return (self->*Fn)(std::forward<A>(Args)...);
        };
      };
      return info;
    }
  };

  TPropInfo& Last() {
    if (FRtti.Properties.empty()) throw EPropertyError(u"No property to modify");
    return *FRtti.Properties.back();
  }
  void Add(std::unique_ptr<TPropInfo> Info) { TypInfoDetail::AddProperty(FRtti, std::move(Info)); }

  TClassRtti& FRtti;
};

// Starts (or continues) the registration block of T.
// T must declare its own class reference (ZELK_CLASS), else its properties would land on an
// ancestor: EPropertyError.
template <class T>
TPublisher<T> Publish() {
  if (*T::StaticClass()->TypeId != typeid(T))
    throw EPropertyError(TypeInfoName(typeid(T)) + u" has no class reference of its own");
  return TPublisher<T>(ClassRttiOf(T::StaticClass()));
}
