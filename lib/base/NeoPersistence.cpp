#include "lib/base/NeoPersistence.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "lib/base/NeoUtils.h"
#include "platform/rtl/Contnrs.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/Units.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/GraphicsRtti.h"

namespace {

// Texts of the colour values that are no RGB colour.
constexpr StringView NullColorText = u"gcNull";
constexpr StringView NoColorText = u"clNone";
constexpr StringView DefaultColorText = u"clDefault";

// The JSON number format (decimal ".", thousands ",") while a document is written or read.
class TJSONFormatScope {
public:
  TJSONFormatScope()
      : FDecimal(FormatSettings.DecimalSeparator), FThousand(FormatSettings.ThousandSeparator) {
    FormatSettings.DecimalSeparator = u'.';
    FormatSettings.ThousandSeparator = u',';
  }
  ~TJSONFormatScope() {
    FormatSettings.DecimalSeparator = FDecimal;
    FormatSettings.ThousandSeparator = FThousand;
  }
  TJSONFormatScope(const TJSONFormatScope&) = delete;
  TJSONFormatScope& operator=(const TJSONFormatScope&) = delete;

private:
  Char FDecimal;
  Char FThousand;
};

bool IsBoolean(PPropInfo AProp) { return AProp->EnumType == BooleanTypeInfo(); }

bool IsExcluded(const TNeoExcludePropertyListArray& AList, const String& AName) {
  return !AList.empty() && TNeoUtils::IndexOfTextInArray(AName, AList) >= 0;
}

// Whether the property may be written (read): the object's filter decides alone, else the
// exclude list.
bool PassesFilter(TObject* AObject, PPropInfo AProp, const TNeoExcludePropertyListArray& AExclude, bool AWriting) {
  if (auto* filter = Supports<IPersistPropertyFilter>(AObject))
    return AWriting ? filter->CanWriteProperty(AObject, AProp->Name, AProp->Kind)
                    : filter->CanReadProperty(AObject, AProp->Name, AProp->Kind);
  return !IsExcluded(AExclude, AProp->Name);
}

bool IsFontSize(TObject* AObject, PPropInfo AProp) { return AProp->Name == u"Size" && Is<TFont>(AObject); }

bool StartsWith(StringView S, StringView Prefix) { return S.substr(0, Prefix.size()) == Prefix; }

Integer HexDigit(Char C) {
  if (C >= u'0' && C <= u'9') return C - u'0';
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  if (C >= u'a' && C <= u'f') return C - u'a' + 10;
  return -1;
}

// "#RRGGBB" (either letter case), "gcNull", "clNone" or "clDefault"; anything else raises.
Integer ParseColor(const String& AText) {
  if (AText == NullColorText) return -1;
  if (AText == NoColorText) return clNone;
  if (AText == DefaultColorText) return clDefault;
  if (AText.size() == 7 && AText[0] == u'#') {
    Integer channels[3];
    bool valid = true;
    for (int i = 0; i < 3; ++i) {
      const Integer hi = HexDigit(AText[1 + 2 * i]);
      const Integer lo = HexDigit(AText[2 + 2 * i]);
      valid = valid && hi >= 0 && lo >= 0;
      channels[i] = hi * 16 + lo;
    }
    if (valid) return channels[0] | (channels[1] << 8) | (channels[2] << 16);
  }
  throw ENeoReaderException(u"Invalid color value \"%s\"", {AText});
}

String ColorText(Integer AColor) {
  if (AColor == -1) return String(NullColorText);
  if (AColor == clNone) return String(NoColorText);
  if (AColor == clDefault) return String(DefaultColorText);
  const COLORREF rgb = ColorToRGB(AColor);
  return u"#" + IntToHex(static_cast<Integer>(rgb & 0xFF), 2) + IntToHex(static_cast<Integer>((rgb >> 8) & 0xFF), 2) +
         IntToHex(static_cast<Integer>((rgb >> 16) & 0xFF), 2);
}

// The picture's content as hexadecimal text; "" when it has none.
String PictureText(TObject* AValue) {
  TMemoryStream stream;
  if (auto* picture = dynamic_cast<TPicture*>(AValue)) {
    if (!picture->GetGraphic() || picture->GetGraphic()->GetEmpty()) return String();
    picture->SaveToStream(&stream);
  } else if (auto* graphic = dynamic_cast<TGraphic*>(AValue)) {
    if (graphic->GetEmpty()) return String();
    graphic->SaveToStream(&stream);
  } else {
    return String();
  }
  return TNeoUtils::SaveStreamToHexStr(&stream);
}

// A property's published name sorts case-insensitively.
TPropList SortedProperties(TClass AClass) {
  TPropList list = GetPropList(AClass);
  std::stable_sort(list.begin(), list.end(), [](PPropInfo a, PPropInfo b) { return CompareText(a->Name, b->Name) < 0; });
  return list;
}

[[noreturn]] void TypeKeyMissing() {
  throw ENeoReaderException(u"\"" + TNeoPersistence::TypeKey + u"\" property not found in Object descriptor.");
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TNeoWriter
// ---------------------------------------------------------------------------------------------
TNeoWriter::TNeoWriter(TStream* AStream)
    : FWriter(std::make_unique<TNeoJSONWriter>(AStream)), FExcludeProperties(TNeoPersistence::ExcludeProperties) {
  RegisterGraphicsRtti();
}

TNeoWriter::~TNeoWriter() = default;

void TNeoWriter::SetIOReference(TObject* Value) {
  FIOReference = Value;
  TNeoPersistence::IOReference = Value;
}

void TNeoWriter::SetRootObject(TObject* Value) {
  FRootObject = Value;
  TNeoPersistence::RootObject = Value;
}

void TNeoWriter::SetExcludeProperties(const TNeoExcludePropertyListArray& Value) {
  FExcludeProperties = Value;
  TNeoPersistence::ExcludeProperties = Value;
}

void TNeoWriter::Write(TObject* AObject) {
  WriteObject(AObject);
  FWriter->Flush();
}

void TNeoWriter::WriteArray(const String& AName, const TNeoObjectArray& AArray) {
  FWriter->WriteBeginObject();
  FWriter->WriteName(AName);
  FWriter->WriteBeginArray();
  for (TObject* item : AArray) WriteObjectItem(item);
  FWriter->WriteEndArray();
  FWriter->WriteEndObject();
  FWriter->Flush();
}

void TNeoWriter::WriteObjectItem(TObject* AItem) {
  if (AItem) WriteObject(AItem);
  else FWriter->WriteNull();
}

void TNeoWriter::WriteObject(TObject* AObject) {
  FWriter->WriteBeginObject();
  if (!TNeoPersistence::TypeKey.empty()) {
    FWriter->WriteName(TNeoPersistence::TypeKey);
    FWriter->WriteString(AObject->ClassName());
  }
  WriteProperties(AObject);
  FWriter->WriteEndObject();
}

void TNeoWriter::WriteProperties(TObject* AObject) {
  for (PPropInfo prop : SortedProperties(AObject->ClassType())) {
    if (!PassesFilter(AObject, prop, FExcludeProperties, true)) continue;
    bool canWrite = true;
    if (OnCustomWriteProperty) OnCustomWriteProperty(AObject, prop->Name, prop->Kind, FWriter.get(), canWrite);
    if (!canWrite) continue;
    WriteProperty(AObject, prop);
    if (IsFontSize(AObject, prop)) {
      FWriter->WriteName(u"IsPixels");
      FWriter->WriteBoolean(false);
    }
  }
}

void TNeoWriter::WriteProperty(TObject* AObject, PPropInfo AProp) {
  FWriter->WriteName(AProp->Name);
  if (!AProp->HasGetter) {
    FWriter->WriteNull();
    return;
  }
  switch (AProp->Kind) {
    case tkClass: {
      bool assignable = TNeoPersistence::IsAssignableProperty(AObject, AProp);
      if (OnCustomIsAssignableProperty) OnCustomIsAssignableProperty(AObject, AProp->Name, assignable);
      TObject* value = GetObjectProp(AObject, AProp);
      if (assignable) {
        auto* component = dynamic_cast<TComponent*>(value);
        FWriter->WriteString(component ? component->GetName() : String());
      } else {
        WriteValue(value);
      }
      break;
    }
    case tkInteger:
      if (TNeoPersistence::IsColor(AProp->TypeName)) WriteColor(static_cast<Integer>(GetOrdProp(AObject, AProp)));
      else FWriter->WriteInteger(GetOrdProp(AObject, AProp));
      break;
    case tkEnumeration:
      if (IsBoolean(AProp)) FWriter->WriteBoolean(GetOrdProp(AObject, AProp) != 0);
      else FWriter->WriteInteger(GetOrdProp(AObject, AProp));
      break;
    case tkSet:
    case tkInt64:
      FWriter->WriteInteger(GetOrdProp(AObject, AProp));
      break;
    case tkFloat:
      FWriter->WriteDouble(GetFloatProp(AObject, AProp));
      break;
    case tkChar:
    case tkWChar:
    case tkString:
    case tkLString:
    case tkUString:
      FWriter->WriteString(GetStrProp(AObject, AProp));
      break;
    case tkMethod: {
      const TMethod method = GetMethodProp(AObject, AProp);
      if (method.Assigned && FRootObject) FWriter->WriteString(MethodName(FRootObject->ClassType(), method));
      else FWriter->WriteNull();
      break;
    }
    default:
      FWriter->WriteNull();
      break;
  }
}

void TNeoWriter::WriteColor(Integer AColor) { FWriter->WriteString(ColorText(AColor)); }

void TNeoWriter::WriteValue(TObject* AValue) {
  if (!AValue) {
    FWriter->WriteNull();
    return;
  }
  if (WriteContainer(AValue)) return;
  const TClass cls = AValue->ClassType();
  if (TNeoPersistence::IsBitmap(cls)) {
    FWriter->WriteString(PictureText(AValue));
    return;
  }
  if (auto* strings = TNeoPersistence::IsStrings(cls) ? dynamic_cast<TStrings*>(AValue) : nullptr) {
    FWriter->WriteBeginArray();
    for (Integer i = 0; i < strings->GetCount(); ++i) FWriter->WriteString(strings->GetStrings(i));
    FWriter->WriteEndArray();
    return;
  }
  if (auto* ref = Supports<IPersistObjectReference>(FIOReference); ref && ref->IsReference(cls)) {
    FWriter->WriteString(ref->GetReference(AValue));
    return;
  }
  WriteObject(AValue);
}

// Generic lists and dictionaries, pointer lists and collections as arrays; false for others.
bool TNeoWriter::WriteContainer(TObject* AValue) {
  const TClass cls = AValue->ClassType();
  if (TNeoPersistence::IsGenericList(cls)) {
    const TListAccess* access = FindListAccess(cls);
    if (!access) {
      FWriter->WriteNull();
      return true;
    }
    FWriter->WriteBeginArray();
    const Integer count = access->Count(AValue);
    for (Integer i = 0; i < count; ++i) {
      switch (access->ItemKind()) {
        case likString: FWriter->WriteString(access->GetString(AValue, i)); break;
        case likInteger: FWriter->WriteInteger(access->GetInteger(AValue, i)); break;
        case likFloat: FWriter->WriteDouble(access->GetFloat(AValue, i)); break;
        case likObject: WriteObjectItem(access->GetObject(AValue, i)); break;
      }
    }
    FWriter->WriteEndArray();
    return true;
  }
  if (TNeoPersistence::IsGenericDictionary(cls)) {
    const TDictionaryAccess* access = FindDictionaryAccess(cls);
    if (!access) {
      FWriter->WriteNull();
      return true;
    }
    FWriter->WriteBeginArray();
    access->ForEach(AValue, [&](const String& key, TObject* value) {
      FWriter->WriteBeginObject();
      FWriter->WriteName(key);
      WriteObjectItem(value);
      FWriter->WriteEndObject();
    });
    FWriter->WriteEndArray();
    return true;
  }
  if (auto* list = TNeoPersistence::IsList(cls) ? dynamic_cast<TList*>(AValue) : nullptr) {
    FWriter->WriteBeginArray();
    for (Pointer item : *list) WriteObjectItem(static_cast<TObject*>(item));
    FWriter->WriteEndArray();
    return true;
  }
  if (auto* collection = TNeoPersistence::IsCollection(cls) ? dynamic_cast<TCollection*>(AValue) : nullptr) {
    FWriter->WriteBeginArray();
    for (TCollectionItem* item : *collection) WriteObjectItem(item);
    FWriter->WriteEndArray();
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// TNeoReader
// ---------------------------------------------------------------------------------------------
TNeoReader::TNeoReader(TStream* AStream)
    : FReader(std::make_unique<TNeoJSONReader>(AStream)), FExcludeProperties(TNeoPersistence::ExcludeProperties) {
  RegisterGraphicsRtti();
}

TNeoReader::~TNeoReader() = default;

void TNeoReader::SetIOReference(TObject* Value) {
  FIOReference = Value;
  TNeoPersistence::IOReference = Value;
}

void TNeoReader::SetRootObject(TObject* Value) {
  FRootObject = Value;
  TNeoPersistence::RootObject = Value;
}

void TNeoReader::SetExcludeProperties(const TNeoExcludePropertyListArray& Value) {
  FExcludeProperties = Value;
  TNeoPersistence::ExcludeProperties = Value;
}

void TNeoReader::Read(TObject* AObject) {
  FReader->ReadBeginObject();
  ReadTypeKey(nullptr);
  ReadProperties(AObject);
  FReader->ReadEndObject();
}

TObject* TNeoReader::Read(TClass AClass) { return ReadNewObject(AClass); }

// With a type key in force the first member must be it; its text names the class.
// Without a type key, a new object whose first member is the optional type key takes its class
// from it; an existing object skips that member as one it has no property for.
void TNeoReader::ReadTypeKey(String* AClassName) {
  if (TNeoPersistence::TypeKey.empty()) {
    if (AClassName && !FOptionalTypeKey.empty() && FReader->Peek() == jstoName &&
        FReader->PeekName() == FOptionalTypeKey) {
      FReader->ReadName();
      *AClassName = FReader->ReadString();
    }
    return;
  }
  if (FReader->Peek() != jstoName || FReader->ReadName() != TNeoPersistence::TypeKey) TypeKeyMissing();
  String name = FReader->ReadString();
  if (AClassName) *AClassName = std::move(name);
}

void TNeoReader::ReadProperties(TObject* AObject) {
  while (FReader->HasNext()) {
    const String name = FReader->ReadName();
    PPropInfo prop = GetPropInfo(AObject->ClassType(), name);
    bool canRead = prop && PassesFilter(AObject, prop, FExcludeProperties, false);
    if (canRead && OnCustomReadProperty) OnCustomReadProperty(AObject, prop->Name, prop->Kind, FReader.get(), canRead);
    if (!canRead) {
      FReader->SkipValue();
      continue;
    }
    if (IsFontSize(AObject, prop)) {
      ReadFontSize(static_cast<TFont*>(AObject), prop);
      continue;
    }
    ReadProperty(AObject, prop);
  }
}

// A font's whole-point Size, with "IsPixels" after it. When it is the size the font's height
// already gives, the height stays as it is: a height between two point sizes survives a round trip.
void TNeoReader::ReadFontSize(TFont* AFont, PPropInfo AProp) {
  const Integer height = AFont->GetHeight(), size = AFont->GetSize();
  ReadProperty(AFont, AProp);
  ReadFontPixels(AFont, AProp);
  if (AFont->GetSize() == size) AFont->SetHeight(height);
}

// "IsPixels" right after a font's Size: a true value means the size was given in 96-dpi pixels.
void TNeoReader::ReadFontPixels(TObject* AObject, PPropInfo AProp) {
  if (FReader->Peek() != jstoName || FReader->PeekName() != u"IsPixels") return;
  FReader->ReadName();
  if (FReader->ReadBoolean() && AProp->HasGetter && AProp->HasSetter) {
    const Double pixels = static_cast<Double>(GetOrdProp(AObject, AProp));
    SetOrdProp(AObject, AProp, Round(pixels / 96 * 72));
  }
}

void TNeoReader::ReadProperty(TObject* AObject, PPropInfo AProp) {
  const bool set = AProp->HasSetter;
  switch (AProp->Kind) {
    case tkClass:
      ReadClassProperty(AObject, AProp);
      break;
    case tkInteger:
      if (TNeoPersistence::IsColor(AProp->TypeName)) {
        const Integer color = ParseColor(FReader->ReadString());
        if (set) SetOrdProp(AObject, AProp, color);
      } else {
        ReadOrdinal(AObject, AProp);
      }
      break;
    case tkEnumeration:
      if (IsBoolean(AProp)) {
        const bool value = FReader->ReadBoolean();
        if (set) SetOrdProp(AObject, AProp, value);
      } else {
        ReadOrdinal(AObject, AProp);
      }
      break;
    case tkSet:
    case tkInt64:
      ReadOrdinal(AObject, AProp);
      break;
    case tkFloat: {
      const Double value = FReader->ReadDouble();
      if (set) SetFloatProp(AObject, AProp, value);
      break;
    }
    case tkChar:
    case tkWChar:
    case tkString:
    case tkLString:
    case tkUString: {
      const String value = FReader->ReadString();
      if (set) SetStrProp(AObject, AProp, value);
      break;
    }
    case tkMethod:
      ReadMethod(AObject, AProp);
      break;
    default:
      FReader->ReadNull();
      break;
  }
}

// A whole number, 64 bits wide so that unsigned 32-bit values come back as they were written; a
// value the property's type cannot hold (an enumeration's ordinals, an integer's width and sign)
// raises the reader's state error and leaves the property as it was.
void TNeoReader::ReadOrdinal(TObject* AObject, PPropInfo AProp) {
  const Int64 value = FReader->ReadInt64();
  if (value < AProp->MinValue || value > AProp->MaxValue)
    throw TNeoJSONReader::EInvalidStateException(TNeoJSONReader::jstInt64);
  if (AProp->HasSetter) SetOrdProp(AObject, AProp, value);
}

// A handler's name names a published method of the root object's class.
void TNeoReader::ReadMethod(TObject* AObject, PPropInfo AProp) {
  TMethod method;
  if (FReader->IsNull() || !FRootObject) {
    FReader->ReadNull();
  } else {
    const String name = FReader->ReadString();
    const TMethodInfo* info = MethodAddress(FRootObject->ClassType(), name);
    if (info && AProp->MethodSignature && *info->Signature == *AProp->MethodSignature)
      method = TMethod{info->Name, FRootObject, true};
  }
  if (AProp->HasSetter) SetMethodProp(AObject, AProp, method);
}

void TNeoReader::ReadClassProperty(TObject* AObject, PPropInfo AProp) {
  const TClass declared = AProp->PropClass;
  TObject* current = AProp->HasGetter ? GetObjectProp(AObject, AProp) : nullptr;
  if (ReadContainer(current, declared)) return;
  if (auto* ref = Supports<IPersistObjectReference>(FIOReference); ref && ref->IsReference(declared)) {
    if (FReader->IsNull()) {
      FReader->ReadNull();
      if (AProp->HasSetter) SetObjectProp(AObject, AProp, nullptr);
    } else {
      FReferences.push_back(std::make_unique<TNeoObjectReference>(AObject, FReader->ReadString(), AProp));
    }
    return;
  }
  bool assignable = TNeoPersistence::IsAssignableProperty(AObject, AProp);
  if (OnCustomIsAssignableProperty) OnCustomIsAssignableProperty(AObject, AProp->Name, assignable);
  if (assignable) {
    ReadComponentName(AObject, AProp);
  } else if (!current || FReader->IsNull()) {
    FReader->SkipValue();
  } else {
    Read(current);
  }
}

// A component named among the root component's components; an empty name, or one not found (or
// not of the property's class), sets nil. Without a root component nothing is set.
void TNeoReader::ReadComponentName(TObject* AObject, PPropInfo AProp) {
  String name;
  if (FReader->IsNull()) FReader->ReadNull();
  else name = FReader->ReadString();
  auto* root = dynamic_cast<TComponent*>(FRootObject);
  if (!root || !AProp->HasSetter) return;
  TComponent* found = name.empty() ? nullptr : root->FindComponent(name);
  if (found && !found->InheritsFrom(AProp->PropClass)) found = nullptr;
  SetObjectProp(AObject, AProp, found);
}

// Containers are read into the object the property holds, by the declared class; false when the
// declared class is no container.
bool TNeoReader::ReadContainer(TObject* AObject, TClass ADeclared) {
  const bool container = TNeoPersistence::IsGenericList(ADeclared) || TNeoPersistence::IsGenericDictionary(ADeclared) ||
                         TNeoPersistence::IsList(ADeclared) || TNeoPersistence::IsCollection(ADeclared) ||
                         TNeoPersistence::IsBitmap(ADeclared) || TNeoPersistence::IsStrings(ADeclared);
  if (!container) return false;
  if (!AObject || FReader->IsNull()) {
    FReader->SkipValue();
    return true;
  }
  const TClass cls = AObject->ClassType();
  if (const TListAccess* list = TNeoPersistence::IsGenericList(cls) ? FindListAccess(cls) : nullptr)
    ReadGenericList(AObject, *list);
  else if (const TDictionaryAccess* dict = TNeoPersistence::IsGenericDictionary(cls) ? FindDictionaryAccess(cls) : nullptr)
    ReadDictionary(AObject, *dict);
  else if (auto* plain = dynamic_cast<TList*>(AObject))
    ReadList(plain);
  else if (auto* collection = dynamic_cast<TCollection*>(AObject))
    ReadCollection(collection);
  else if (TNeoPersistence::IsBitmap(cls))
    ReadPicture(AObject);
  else if (auto* strings = dynamic_cast<TStrings*>(AObject))
    ReadStrings(strings);
  else
    FReader->SkipValue();
  return true;
}

void TNeoReader::ReadGenericList(TObject* AList, const TListAccess& AAccess) {
  FReader->ReadBeginArray();
  AAccess.Clear(AList);
  const TClass itemClass = AAccess.ItemKind() == likObject ? ItemClassOf(AList, AAccess.ItemClass()) : nullptr;
  while (FReader->HasNext()) {
    if (FReader->IsNull()) {
      FReader->ReadNull();
      continue;
    }
    switch (AAccess.ItemKind()) {
      case likString: AAccess.AddString(AList, FReader->ReadString()); break;
      case likInteger: AAccess.AddInteger(AList, FReader->ReadInt64()); break;
      case likFloat: AAccess.AddFloat(AList, FReader->ReadDouble()); break;
      case likObject: {
        std::unique_ptr<TObject> item(ReadNewObject(itemClass));
        if (!item) break;
        TellItemAdded(item.get(), AList);
        AAccess.AddObject(AList, item.get());
        item.release();
        break;
      }
    }
  }
  FReader->ReadEndArray();
}

void TNeoReader::ReadDictionary(TObject* ADictionary, const TDictionaryAccess& AAccess) {
  FReader->ReadBeginArray();
  AAccess.Clear(ADictionary);
  const TClass valueClass = ItemClassOf(ADictionary, AAccess.ValueClass());
  while (FReader->HasNext()) {
    if (FReader->IsNull()) {
      FReader->ReadNull();
      continue;
    }
    FReader->ReadBeginObject();
    while (FReader->HasNext()) {
      const String key = FReader->ReadName();
      // The writer cannot write an empty name: such an entry would make the object unsavable.
      if (key.empty()) throw ENeoReaderException(u"Empty dictionary key");
      if (FReader->IsNull()) {
        FReader->ReadNull();
        continue;
      }
      std::unique_ptr<TObject> value(ReadNewObject(valueClass));
      if (!value) continue;
      AAccess.Add(ADictionary, key, value.get());
      value.release();
    }
    FReader->ReadEndObject();
  }
  FReader->ReadEndArray();
}

// The objects of a pointer list are the list's: a list filled by an earlier read (or by its owner)
// gives them up when it is read again. Each is freed once, unless the list frees them itself.
void TNeoReader::ClearObjects(TList* AList) {
  if (auto* owning = dynamic_cast<TObjectList*>(AList); owning && owning->GetOwnsObjects()) {
    AList->Clear();
    return;
  }
  std::vector<Pointer> items(AList->begin(), AList->end());
  AList->Clear();
  std::sort(items.begin(), items.end());
  items.erase(std::unique(items.begin(), items.end()), items.end());
  for (Pointer item : items) delete static_cast<TObject*>(item);
}

void TNeoReader::ReadList(TList* AList) {
  FReader->ReadBeginArray();
  ClearObjects(AList);
  const TClass itemClass = ItemClassOf(AList, TObject::StaticClass());
  while (FReader->HasNext()) {
    if (FReader->IsNull()) {
      FReader->ReadNull();
      continue;
    }
    std::unique_ptr<TObject> item(ReadNewObject(itemClass));
    if (!item) continue;
    TellItemAdded(item.get(), AList);
    AList->Add(item.get());
    item.release();
  }
  FReader->ReadEndArray();
}

// Each document object is read straight into a new item of the collection, so that every
// published property of the item class arrives without an Assign of its own.
void TNeoReader::ReadCollection(TCollection* ACollection) {
  FReader->ReadBeginArray();
  ACollection->BeginUpdate();
  struct TEndUpdate {
    TCollection* C;
    ~TEndUpdate() { C->EndUpdate(); }
  } endUpdate{ACollection};
  ACollection->Clear();
  while (FReader->HasNext()) {
    if (FReader->IsNull()) {
      FReader->ReadNull();
      continue;
    }
    std::unique_ptr<TCollectionItem> item(ACollection->Add());
    Read(item.get());
    item.release();
  }
  FReader->ReadEndArray();
}

void TNeoReader::ReadStrings(TStrings* AStrings) {
  FReader->ReadBeginArray();
  AStrings->BeginUpdate();
  struct TEndUpdate {
    TStrings* S;
    ~TEndUpdate() { S->EndUpdate(); }
  } endUpdate{AStrings};
  AStrings->Clear();
  while (FReader->HasNext()) {
    if (FReader->IsNull()) FReader->ReadNull();
    else AStrings->Add(FReader->ReadString());
  }
  FReader->ReadEndArray();
}

// Hexadecimal picture data; an empty text empties a picture.
void TNeoReader::ReadPicture(TObject* APicture) {
  const String hex = FReader->ReadString();
  auto* picture = dynamic_cast<TPicture*>(APicture);
  if (hex.empty()) {
    if (picture) picture->SetGraphic(nullptr);
    return;
  }
  TMemoryStream stream;
  TNeoUtils::LoadStreamFromHexStr(hex, &stream);
  stream.SetPosition(0);
  if (picture) picture->LoadFromStream(&stream);
  else if (auto* graphic = dynamic_cast<TGraphic*>(APicture)) graphic->LoadFromStream(&stream);
}

TObject* TNeoReader::ReadNewObject(TClass ABaseClass) {
  FReader->ReadBeginObject();
  String className = ABaseClass->Name;
  ReadTypeKey(&className);
  std::unique_ptr<TObject> object(CreateItem(className, ABaseClass));
  if (!object) {
    while (FReader->HasNext()) {
      FReader->ReadName();
      FReader->SkipValue();
    }
  } else {
    ReadProperties(object.get());
  }
  FReader->ReadEndObject();
  return object.release();
}

TObject* TNeoReader::CreateItem(const String& AClassName, TClass ABaseClass) {
  if (!FIOReference) return TNeoPersistence::CreateObject(AClassName, ABaseClass);
  if (auto* factory = Supports<IPersistObjectFactory>(FIOReference)) return factory->CreateObject(AClassName, ABaseClass);
  if (auto* ref = Supports<IPersistObjectReference>(FIOReference)) return ref->CreateObject(AClassName, ABaseClass);
  return nullptr;
}

// The container's own item class, else the class its C++ type holds.
TClass TNeoReader::ItemClassOf(TObject* AContainer, TClass ADefault) {
  if (auto* itemClass = Supports<IPersistItemClass>(AContainer))
    if (TClass cls = itemClass->GetItemClass()) return cls;
  return ADefault ? ADefault : TObject::StaticClass();
}

void TNeoReader::TellItemAdded(TObject* AItem, TObject* AList) {
  if (auto* ref = Supports<IPersistObjectReference>(FIOReference)) ref->ItemAdded(AItem, AList);
}

TNeoObjectArray TNeoReader::ReadArray(const String& AName) {
  TNeoObjectArray result;
  try {
    FReader->ReadBeginObject();
    while (FReader->HasNext()) {
      if (FReader->ReadName() != AName) {
        FReader->SkipValue();
        continue;
      }
      FReader->ReadBeginArray();
      while (FReader->HasNext()) {
        if (FReader->IsNull()) {
          FReader->ReadNull();
          continue;
        }
        if (TObject* item = ReadNewObject(TObject::StaticClass())) result.push_back(item);
      }
      FReader->ReadEndArray();
    }
    FReader->ReadEndObject();
  } catch (...) {
    for (TObject* item : result) delete item;
    throw;
  }
  return result;
}

void TNeoReader::SolveReferences() {
  auto* ref = Supports<IPersistObjectReference>(FIOReference);
  if (!ref) return;
  for (const auto& pending : FReferences) {
    TObject* target = ref->FindReference(pending->Id);
    if (target && !target->InheritsFrom(pending->Prop->PropClass)) continue;
    if (pending->Prop->HasSetter) SetObjectProp(pending->Instance, pending->Prop, target);
  }
}

// ---------------------------------------------------------------------------------------------
// TNeoPersistence
// ---------------------------------------------------------------------------------------------
const TNeoExcludePropertyListArray& TNeoPersistence::ControlProperties() {
  static const TNeoExcludePropertyListArray names{
      u"Align", u"AllowFocus", u"Anchors", u"BevelEdges", u"BevelInner", u"BevelKind", u"BevelOuter",
      u"BevelWidth", u"BiDiMode", u"PictureContainer", u"BorderSpacing", u"CanParentFocus", u"ClipChildren",
      u"ClipParent", u"Constraints", u"Ctl3D", u"DisableFocusEffect", u"DoubleBuffered", u"DragCursor",
      u"DragKind", u"DragMode", u"Enabled", u"EnableDragHighLight", u"Height", u"Hint", u"HitTest", u"Locked",
      u"Margins", u"Name", u"Opacity", u"Padding", u"ParentBiDiMode", u"ParentColor", u"ParentCtl3D",
      u"ParentDoubleBuffered", u"ParentFont", u"ParentShowHint", u"PopupMenu", u"Position", u"RotationAngle",
      u"RotationCenter", u"Scale", u"ShowHint", u"Size", u"StyleElements", u"StyleName", u"TabOrder",
      u"TabStop", u"Tag", u"Touch", u"TouchTargetExpansion", u"Visible", u"Width"};
  return names;
}

bool TNeoPersistence::IsAssignableProperty(TObject* AObject, PPropInfo AProp) {
  if (AProp->Kind != tkClass) return false;
  TObject* value = AProp->HasGetter ? GetObjectProp(AObject, AProp) : nullptr;
  return !value || IsComponent(value->ClassType());
}

bool TNeoPersistence::IsColor(StringView ATypeName) {
  return ATypeName == u"TAlphaColor" || ATypeName == u"TColor" || ATypeName == u"TGraphicsColor";
}
bool TNeoPersistence::IsStrokeKind(StringView ATypeName) { return ATypeName == u"TNeoGraphicsStrokeKind"; }
bool TNeoPersistence::IsFillKind(StringView ATypeName) { return ATypeName == u"TNeoGraphicsFillKind"; }
bool TNeoPersistence::IsDate(StringView ATypeName) { return ATypeName == u"TDate"; }
bool TNeoPersistence::IsDateTime(StringView ATypeName) { return ATypeName == u"TDateTime"; }
bool TNeoPersistence::IsTime(StringView ATypeName) { return ATypeName == u"TTime"; }

bool TNeoPersistence::IsDescendingClass(TClass AClass, std::initializer_list<StringView> AClassNames) {
  for (TClass c = AClass; c; c = c->Parent)
    for (StringView name : AClassNames)
      if (c->Name == name) return true;
  return false;
}

bool TNeoPersistence::IsGenericList(TClass AClass, StringView AItemType) {
  const String itemType = LowerCase(AItemType);
  for (TClass c = AClass; c; c = c->Parent) {
    if (!StartsWith(c->Name, u"TList<") && !StartsWith(c->Name, u"TObjectList<")) continue;
    if (itemType.empty() || LowerCase(c->Name).find(itemType) != String::npos) return true;
  }
  return false;
}

bool TNeoPersistence::IsGenericDictionary(TClass AClass) {
  for (TClass c = AClass; c; c = c->Parent)
    if (StartsWith(c->Name, u"TDictionary<") || StartsWith(c->Name, u"TObjectDictionary<")) return true;
  return false;
}

bool TNeoPersistence::IsCollection(TClass AClass) { return IsDescendingClass(AClass, {u"TCollection"}); }
bool TNeoPersistence::IsComponent(TClass AClass) { return IsDescendingClass(AClass, {u"TComponent", u"TNeoCustomComponent"}); }
bool TNeoPersistence::IsControl(TClass AClass) { return IsDescendingClass(AClass, {u"TControl"}); }
bool TNeoPersistence::IsList(TClass AClass) { return IsDescendingClass(AClass, {u"TList"}); }
bool TNeoPersistence::IsBitmap(TClass AClass) { return IsDescendingClass(AClass, {u"TBitmap", u"TPicture", u"TNeoBitmap"}); }
bool TNeoPersistence::IsStrings(TClass AClass) { return IsDescendingClass(AClass, {u"TStrings"}); }

void TNeoPersistence::GetEnumValues(TStrings* AValues, PPropInfo AProp) {
  if (!AProp->EnumType) return;
  for (const String& name : AProp->EnumType->Names) AValues->Add(name);
}

String TNeoPersistence::GetEnumName(PPropInfo AProp, Integer AValue) { return ::GetEnumName(AProp->EnumType, AValue); }

TObject* TNeoPersistence::CreateObject(const String& AClassName, TClass ABaseClass) {
  const TClass cls = GetClass(AClassName);
  if (!cls) throw ENeoReaderException(u"Type \"%s\" not found", {AClassName});
  if (ABaseClass && !cls->InheritsFrom(ABaseClass))
    throw ENeoReaderException(u"Type \"%s\" does not inherit from %s", {cls->Name, ABaseClass->Name});
  if (cls->InheritsFrom(TComponent::StaticClass())) return cls->Create(static_cast<TComponent*>(nullptr));
  if (cls->InheritsFrom(TCollectionItem::StaticClass())) return cls->CreateWith(nullptr);
  if (cls->InheritsFrom(TPersistent::StaticClass())) return cls->Create();
  throw ENeoReaderException(u"Type \"%s\" not supported", {cls->Name});
}

void TNeoPersistence::SaveSettingsToStream(TObject* AObject, TStream* AStream) {
  TJSONFormatScope format;
  TNeoWriter writer(AStream);
  writer.SetIOReference(IOReference);
  writer.SetRootObject(RootObject);
  writer.OnCustomWriteProperty = [](TObject* AObj, const String& AName, TTypeKind AKind, TNeoJSONWriter* AWriter,
                                    bool& ACanWrite) {
    if (OnCustomWriteProperty) OnCustomWriteProperty(AObj, AName, AKind, AWriter, ACanWrite);
  };
  writer.Write(AObject);
}

void TNeoPersistence::LoadSettingsFromStream(TObject* AObject, TStream* AStream, const String& AOptionalTypeKey) {
  AStream->SetPosition(0);
  TJSONFormatScope format;
  TNeoReader reader(AStream);
  reader.SetOptionalTypeKey(AOptionalTypeKey);
  reader.SetIOReference(IOReference);
  reader.SetRootObject(RootObject);
  reader.OnCustomReadProperty = [](TObject* AObj, const String& AName, TTypeKind AKind, TNeoJSONReader* AReader,
                                   bool& ACanRead) {
    if (OnCustomReadProperty) OnCustomReadProperty(AObj, AName, AKind, AReader, ACanRead);
  };
  reader.Read(AObject);
}

void TNeoPersistence::SaveSettingsToFile(TObject* AObject, const String& AFileName) {
  TMemoryStream stream;
  SaveSettingsToStream(AObject, &stream);
  // Through a temporary file renamed over the target: a failed save leaves the old file whole.
  const std::string_view bytes(static_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.GetSize()));
  if (!WriteFileAtomically(AFileName, bytes))
    throw EWriteError(u"Cannot write file \"%s\". %s", {AFileName, UTF8ToString(std::strerror(errno))});
}

void TNeoPersistence::LoadSettingsFromFile(TObject* AObject, const String& AFileName) {
  TMemoryStream stream;
  stream.LoadFromFile(AFileName);
  LoadSettingsFromStream(AObject, &stream);
}

void RegisterNeoPersistenceUnit() {
  RegisterUnit(
      u"NeoPersistence",
      [] {
        RegisterGraphicsRtti();
        TNeoPersistence::TypeKey = u"$type";
      },
      [] { TNeoPersistence::TypeKey.clear(); });
}
