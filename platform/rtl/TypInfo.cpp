#include "platform/rtl/TypInfo.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "platform/rtl/ClassesRtti.h"

namespace {

// The records of every class that publishes or was looked up, and the generation of the
// registrations: a flattened list made before the latest registration is made again.
struct TRttiRegistry {
  std::recursive_mutex Lock;
  std::vector<std::unique_ptr<TClassRtti>> Records;
  std::vector<std::unique_ptr<TPropInfo>> Retired;
  UInt64 Generation = 1;
};

TRttiRegistry& Registry() {
  static TRttiRegistry registry;
  return registry;
}

// The class library's own publications are in place before the first lookup.
void EnsureLibrary() { RegisterClassesRtti(); }

TClassRtti& RecordOf(TClass AClass) {
  if (AClass->Rtti) return const_cast<TClassRtti&>(*AClass->Rtti);
  auto record = std::make_unique<TClassRtti>();
  record->ClassType = AClass;
  TClassRtti& result = *record;
  Registry().Records.push_back(std::move(record));
  AClass->Rtti = &result;
  return result;
}

// The class's properties and its ancestors' (ancestors first); the caller holds the lock.
const TPropList& AllProperties(TClass AClass) {
  TClassRtti& rtti = RecordOf(AClass);
  const UInt64 generation = Registry().Generation;
  if (rtti.AllGeneration == generation) return rtti.AllProperties;
  TPropList list;
  if (AClass->Parent) list = AllProperties(AClass->Parent);
  for (const auto& own : rtti.Properties) {
    auto same = std::find_if(list.begin(), list.end(), [&](PPropInfo p) { return SameText(p->Name, own->Name); });
    if (same != list.end()) *same = own.get();
    else list.push_back(own.get());
  }
  rtti.AllProperties = std::move(list);
  rtti.AllGeneration = generation;
  return rtti.AllProperties;
}

[[noreturn]] void UnknownProperty(StringView Name) {
  throw EPropertyError(u"Property %s does not exist", {Name});
}
[[noreturn]] void InvalidType(PPropInfo Prop) {
  throw EPropertyError(u"Invalid property type: %s", {Prop->TypeName});
}
[[noreturn]] void InvalidElement(StringView Name) {
  throw EPropertyError(u"Invalid property element: %s", {Name});
}

PPropInfo Find(TObject* Instance, StringView Name) {
  if (!Instance) throw EPropertyError(u"Property %s of a nil object", {Name});
  PPropInfo p = GetPropInfo(Instance->ClassType(), Name);
  if (!p) UnknownProperty(Name);
  return p;
}

// Checks that the property belongs to the instance's class and has the accessor needed.
template <class F>
const F& Accessor(TObject* Instance, PPropInfo Prop, const F& Fn, bool Writing) {
  if (!Instance || !Prop) throw EPropertyError(u"Property access without object or property");
  if (!Instance->InheritsFrom(Prop->Owner))
    throw EPropertyError(u"Property %s is not a property of %s", {Prop->Name, Instance->ClassName()});
  if (!Fn) {
    if (Writing && !Prop->HasSetter) throw EPropertyError(u"Property %s is read-only", {Prop->Name});
    if (!Writing && !Prop->HasGetter) throw EPropertyError(u"Property %s is write-only", {Prop->Name});
    InvalidType(Prop);
  }
  return Fn;
}

String Ascii(std::string_view S) { return String(S.begin(), S.end()); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Enumerations
// ---------------------------------------------------------------------------------------------
TEnumInfo::TEnumInfo(String ATypeName, std::vector<String> ANames)
    : TypeName(std::move(ATypeName)), Names(std::move(ANames)) {}

TEnumInfo::TEnumInfo(String ATypeName, const char* ACommaList) : TypeName(std::move(ATypeName)) {
  std::string_view rest(ACommaList);
  while (!rest.empty()) {
    const std::size_t comma = std::min(rest.find(','), rest.size());
    std::string_view name = rest.substr(0, comma);
    while (!name.empty() && name.front() <= ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() <= ' ') name.remove_suffix(1);
    if (!name.empty()) Names.push_back(Ascii(name));
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
}

const TEnumInfo* BooleanTypeInfo() {
  static const TEnumInfo info(u"Boolean", std::vector<String>{u"False", u"True"});
  return &info;
}

String GetEnumName(const TEnumInfo* TypeInfo, Integer Value) {
  if (!TypeInfo || Value < 0 || Value > TypeInfo->MaxValue()) return String();
  return TypeInfo->Names[static_cast<std::size_t>(Value)];
}

Integer GetEnumValue(const TEnumInfo* TypeInfo, StringView Name) {
  if (!TypeInfo) return -1;
  for (std::size_t i = 0; i < TypeInfo->Names.size(); ++i)
    if (SameText(TypeInfo->Names[i], Name)) return static_cast<Integer>(i);
  return -1;
}

String SetToString(const TEnumInfo* ElementType, UInt64 Value, bool Brackets) {
  String result;
  for (Integer i = 0; i < 64; ++i) {
    if (!((Value >> i) & 1)) continue;
    if (!result.empty()) result += u',';
    String name = GetEnumName(ElementType, i);
    result += name.empty() ? IntToStr(i) : name;
  }
  return Brackets ? u"[" + result + u"]" : result;
}

UInt64 StringToSet(const TEnumInfo* ElementType, StringView Value) {
  String text = Trim(Value);
  if (!text.empty() && text.front() == u'[') text.erase(0, 1);
  if (!text.empty() && text.back() == u']') text.pop_back();
  UInt64 result = 0;
  StringView rest(text);
  while (!rest.empty()) {
    const std::size_t comma = std::min(rest.find(u','), rest.size());
    const String name = Trim(rest.substr(0, comma));
    rest.remove_prefix(std::min(comma + 1, rest.size()));
    if (name.empty()) continue;
    const Integer ordinal = GetEnumValue(ElementType, name);
    if (ordinal < 0 || ordinal > 63) InvalidElement(name);
    result |= UInt64(1) << ordinal;
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// Registration
// ---------------------------------------------------------------------------------------------
TClassRtti& ClassRttiOf(TClass AClass) {
  if (!AClass) throw EPropertyError(u"No class");
  std::lock_guard guard(Registry().Lock);
  return RecordOf(AClass);
}

namespace TypInfoDetail {

void AddProperty(TClassRtti& Rtti, std::unique_ptr<TPropInfo> Info) {
  auto& reg = Registry();
  std::lock_guard guard(reg.Lock);
  auto same = std::find_if(Rtti.Properties.begin(), Rtti.Properties.end(),
                           [&](const auto& p) { return SameText(p->Name, Info->Name); });
  if (same != Rtti.Properties.end()) {
    // A redeclaration keeps its place; the old record stays alive for lists handed out before.
    reg.Retired.push_back(std::move(*same));
    *same = std::move(Info);
  } else {
    Rtti.Properties.push_back(std::move(Info));
  }
  ++reg.Generation;
}

void AddMethod(TClassRtti& Rtti, std::unique_ptr<TMethodInfo> Info) {
  std::lock_guard guard(Registry().Lock);
  auto same = std::find_if(Rtti.Methods.begin(), Rtti.Methods.end(),
                           [&](const auto& m) { return SameText(m->Name, Info->Name); });
  if (same != Rtti.Methods.end()) *same = std::move(Info);
  else Rtti.Methods.push_back(std::move(Info));
}

void AttachListAccess(TClass AClass, std::unique_ptr<TListAccess> Access) {
  std::lock_guard guard(Registry().Lock);
  TClassRtti& rtti = RecordOf(AClass);
  if (!rtti.ListAccess) rtti.ListAccess = std::move(Access);
}

void AttachDictionaryAccess(TClass AClass, std::unique_ptr<TDictionaryAccess> Access) {
  std::lock_guard guard(Registry().Lock);
  TClassRtti& rtti = RecordOf(AClass);
  if (!rtti.DictionaryAccess) rtti.DictionaryAccess = std::move(Access);
}

void BindPublishedMethod(const TMethod& m, const std::type_info& Sig, void* Out) {
  const TMethodInfo* info = MethodAddress(m.Data->ClassType(), m.Name);
  if (!info) throw EPropertyError(u"Method %s not found in %s", {m.Name, m.Data->ClassName()});
  if (*info->Signature != Sig) throw EPropertyError(u"Method %s does not match the event's parameters", {m.Name});
  info->Bind(m.Data, Out);
}

}  // namespace TypInfoDetail

// ---------------------------------------------------------------------------------------------
// Lookups
// ---------------------------------------------------------------------------------------------
TPropList GetPropList(TClass AClass) {
  if (!AClass) return {};
  EnsureLibrary();
  std::lock_guard guard(Registry().Lock);
  return AllProperties(AClass);
}

TPropList GetPropList(const TObject* AObject) { return AObject ? GetPropList(AObject->ClassType()) : TPropList(); }

TPropList GetPropList(TClass AClass, TTypeKinds AKinds) {
  TPropList all = GetPropList(AClass);
  std::erase_if(all, [&](PPropInfo p) { return !AKinds.Contains(p->Kind); });
  return all;
}

PPropInfo GetPropInfo(TClass AClass, StringView APropName) {
  if (!AClass) return nullptr;
  EnsureLibrary();
  std::lock_guard guard(Registry().Lock);
  for (PPropInfo p : AllProperties(AClass))
    if (SameText(p->Name, APropName)) return p;
  return nullptr;
}

PPropInfo GetPropInfo(const TObject* AObject, StringView APropName) {
  return AObject ? GetPropInfo(AObject->ClassType(), APropName) : nullptr;
}

PPropInfo GetPropInfo(TClass AClass, StringView APropName, TTypeKinds AKinds) {
  PPropInfo p = GetPropInfo(AClass, APropName);
  return p && AKinds.Contains(p->Kind) ? p : nullptr;
}

bool IsPublishedProp(TClass AClass, StringView APropName) { return GetPropInfo(AClass, APropName) != nullptr; }
bool IsPublishedProp(const TObject* AObject, StringView APropName) { return GetPropInfo(AObject, APropName) != nullptr; }

String FindPropNameOf(TObject* AInstance, const TObject* AValue) {
  if (!AInstance || !AValue) return String();
  for (PPropInfo p : GetPropList(AInstance->ClassType()))
    if (p->Kind == tkClass && p->GetObj && p->GetObj(AInstance) == AValue) return p->Name;
  return String();
}

bool IsStoredProp(TObject* Instance, PPropInfo PropInfo) {
  Accessor(Instance, PropInfo, PropInfo, false);
  return PropInfo->StoredFn ? PropInfo->StoredFn(Instance) : PropInfo->StoredConst;
}
bool IsStoredProp(TObject* Instance, StringView PropName) { return IsStoredProp(Instance, Find(Instance, PropName)); }

// ---------------------------------------------------------------------------------------------
// Access
// ---------------------------------------------------------------------------------------------
Int64 GetOrdProp(TObject* Instance, PPropInfo PropInfo) { return Accessor(Instance, PropInfo, PropInfo->GetOrd, false)(Instance); }
Int64 GetOrdProp(TObject* Instance, StringView PropName) { return GetOrdProp(Instance, Find(Instance, PropName)); }
void SetOrdProp(TObject* Instance, PPropInfo PropInfo, Int64 Value) {
  const auto& setter = Accessor(Instance, PropInfo, PropInfo->SetOrd, true);
  if (Value < PropInfo->MinValue || Value > PropInfo->MaxValue)
    throw ERangeError(u"Value %s out of range for property %s", {IntToStr(Value), PropInfo->Name});
  setter(Instance, Value);
}
void SetOrdProp(TObject* Instance, StringView PropName, Int64 Value) { SetOrdProp(Instance, Find(Instance, PropName), Value); }

Int64 GetInt64Prop(TObject* Instance, PPropInfo PropInfo) { return GetOrdProp(Instance, PropInfo); }
Int64 GetInt64Prop(TObject* Instance, StringView PropName) { return GetOrdProp(Instance, PropName); }
void SetInt64Prop(TObject* Instance, PPropInfo PropInfo, Int64 Value) { SetOrdProp(Instance, PropInfo, Value); }
void SetInt64Prop(TObject* Instance, StringView PropName, Int64 Value) { SetOrdProp(Instance, PropName, Value); }

String GetStrProp(TObject* Instance, PPropInfo PropInfo) { return Accessor(Instance, PropInfo, PropInfo->GetStr, false)(Instance); }
String GetStrProp(TObject* Instance, StringView PropName) { return GetStrProp(Instance, Find(Instance, PropName)); }
void SetStrProp(TObject* Instance, PPropInfo PropInfo, const String& Value) {
  Accessor(Instance, PropInfo, PropInfo->SetStr, true)(Instance, Value);
}
void SetStrProp(TObject* Instance, StringView PropName, const String& Value) {
  SetStrProp(Instance, Find(Instance, PropName), Value);
}

Double GetFloatProp(TObject* Instance, PPropInfo PropInfo) { return Accessor(Instance, PropInfo, PropInfo->GetFloat, false)(Instance); }
Double GetFloatProp(TObject* Instance, StringView PropName) { return GetFloatProp(Instance, Find(Instance, PropName)); }
void SetFloatProp(TObject* Instance, PPropInfo PropInfo, Double Value) {
  Accessor(Instance, PropInfo, PropInfo->SetFloat, true)(Instance, Value);
}
void SetFloatProp(TObject* Instance, StringView PropName, Double Value) { SetFloatProp(Instance, Find(Instance, PropName), Value); }

TObject* GetObjectProp(TObject* Instance, PPropInfo PropInfo) { return Accessor(Instance, PropInfo, PropInfo->GetObj, false)(Instance); }
TObject* GetObjectProp(TObject* Instance, StringView PropName) { return GetObjectProp(Instance, Find(Instance, PropName)); }
void SetObjectProp(TObject* Instance, PPropInfo PropInfo, TObject* Value) {
  Accessor(Instance, PropInfo, PropInfo->SetObj, true)(Instance, Value);
}
void SetObjectProp(TObject* Instance, StringView PropName, TObject* Value) {
  SetObjectProp(Instance, Find(Instance, PropName), Value);
}
TClass GetObjectPropClass(PPropInfo PropInfo) { return PropInfo ? PropInfo->PropClass : nullptr; }

TMethod GetMethodProp(TObject* Instance, PPropInfo PropInfo) { return Accessor(Instance, PropInfo, PropInfo->GetMeth, false)(Instance); }
TMethod GetMethodProp(TObject* Instance, StringView PropName) { return GetMethodProp(Instance, Find(Instance, PropName)); }
void SetMethodProp(TObject* Instance, PPropInfo PropInfo, const TMethod& Value) {
  Accessor(Instance, PropInfo, PropInfo->SetMeth, true)(Instance, Value);
}
void SetMethodProp(TObject* Instance, StringView PropName, const TMethod& Value) {
  SetMethodProp(Instance, Find(Instance, PropName), Value);
}

String GetEnumProp(TObject* Instance, PPropInfo PropInfo) {
  if (PropInfo && PropInfo->Kind != tkEnumeration) InvalidType(PropInfo);
  return GetEnumName(PropInfo->EnumType, static_cast<Integer>(GetOrdProp(Instance, PropInfo)));
}
String GetEnumProp(TObject* Instance, StringView PropName) { return GetEnumProp(Instance, Find(Instance, PropName)); }
void SetEnumProp(TObject* Instance, PPropInfo PropInfo, StringView Value) {
  if (PropInfo && PropInfo->Kind != tkEnumeration) InvalidType(PropInfo);
  const Integer ordinal = GetEnumValue(PropInfo->EnumType, Trim(Value));
  if (ordinal < 0) InvalidElement(Value);
  SetOrdProp(Instance, PropInfo, ordinal);
}
void SetEnumProp(TObject* Instance, StringView PropName, StringView Value) {
  SetEnumProp(Instance, Find(Instance, PropName), Value);
}

String GetSetProp(TObject* Instance, PPropInfo PropInfo, bool Brackets) {
  if (PropInfo && PropInfo->Kind != tkSet) InvalidType(PropInfo);
  return SetToString(PropInfo->EnumType, static_cast<UInt64>(GetOrdProp(Instance, PropInfo)), Brackets);
}
String GetSetProp(TObject* Instance, StringView PropName, bool Brackets) {
  return GetSetProp(Instance, Find(Instance, PropName), Brackets);
}
void SetSetProp(TObject* Instance, PPropInfo PropInfo, StringView Value) {
  if (PropInfo && PropInfo->Kind != tkSet) InvalidType(PropInfo);
  SetOrdProp(Instance, PropInfo, static_cast<Int64>(StringToSet(PropInfo->EnumType, Value)));
}
void SetSetProp(TObject* Instance, StringView PropName, StringView Value) {
  SetSetProp(Instance, Find(Instance, PropName), Value);
}

// ---------------------------------------------------------------------------------------------
// Methods and containers
// ---------------------------------------------------------------------------------------------
const TMethodInfo* MethodAddress(TClass AClass, StringView AName) {
  if (AName.empty()) return nullptr;
  EnsureLibrary();
  std::lock_guard guard(Registry().Lock);
  for (TClass c = AClass; c; c = c->Parent) {
    if (!c->Rtti) continue;
    for (const auto& m : c->Rtti->Methods)
      if (SameText(m->Name, AName)) return m.get();
  }
  return nullptr;
}

String MethodName(TClass AClass, const TMethod& AMethod) {
  if (!AMethod.Assigned) return String();
  const TMethodInfo* info = MethodAddress(AClass, AMethod.Name);
  return info ? info->Name : String();
}

const TListAccess* FindListAccess(TClass AClass) {
  std::lock_guard guard(Registry().Lock);
  for (TClass c = AClass; c; c = c->Parent)
    if (c->Rtti && c->Rtti->ListAccess) return c->Rtti->ListAccess.get();
  return nullptr;
}

const TDictionaryAccess* FindDictionaryAccess(TClass AClass) {
  std::lock_guard guard(Registry().Lock);
  for (TClass c = AClass; c; c = c->Parent)
    if (c->Rtti && c->Rtti->DictionaryAccess) return c->Rtti->DictionaryAccess.get();
  return nullptr;
}
