#pragma once
// Object persistence to JSON: TNeoWriter walks an object's published properties (the runtime's
// RTTI) and writes them through TNeoJSONWriter; TNeoReader reads such a document back into an
// object through TNeoJSONReader; TNeoPersistence holds the process-wide settings, the property
// kind tests and the entry points that save and load with the JSON number format in force.
#include <functional>
#include <memory>
#include <vector>

#include "lib/base/NeoJSONReader.h"
#include "lib/base/NeoJSONWriter.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"

class TFont;

ZELK_DECLARE_EXCEPTION(ENeoReaderException, Exception)

using TNeoExcludePropertyListArray = std::vector<String>;
using TNeoObjectArray = std::vector<TObject*>;

// ---------------------------------------------------------------------------------------------
// Interfaces an object may implement; the layer asks for them with Supports<I>(Object).
// ---------------------------------------------------------------------------------------------
template <class I> I* Supports(TObject* AObject) { return dynamic_cast<I*>(AObject); }

// Implemented by a persisted object: decides which of its properties are written and read.
class IPersistPropertyFilter {
public:
  static constexpr const char16_t* IID = u"{363F04AF-B8A7-4C47-A2D6-8ED9C44CEFF6}";
  virtual bool CanWriteProperty(TObject* AObject, const String& APropertyName, TTypeKind APropertyKind) = 0;
  virtual bool CanReadProperty(TObject* AObject, const String& APropertyName, TTypeKind APropertyKind) = 0;

protected:
  ~IPersistPropertyFilter() = default;
};

// Implemented by the IO reference object: objects of some classes are written as a reference
// text and found again by it after loading; it may create the objects read into lists.
class IPersistObjectReference {
public:
  static constexpr const char16_t* IID = u"{11B625F8-447A-4AE5-BB88-5ECDEA979AF7}";
  virtual TObject* CreateObject(const String& AClassName, TClass ABaseClass) = 0;
  virtual bool IsReference(TClass AClass) = 0;
  virtual String GetReference(TObject* AObject) = 0;
  virtual TObject* FindReference(const String& AId) = 0;
  // Told of every object read into a list (before it is added).
  virtual void ItemAdded(TObject* AItem, TObject* AList) = 0;

protected:
  ~IPersistObjectReference() = default;
};

// Implemented by the IO reference object: creates the objects the reader needs.
class IPersistObjectFactory {
public:
  static constexpr const char16_t* IID = u"{91DEAFC3-8932-45F4-A3ED-5AAA0C0E9250}";
  virtual TObject* CreateObject(const String& AClassName, TClass ABaseClass) = 0;

protected:
  ~IPersistObjectFactory() = default;
};

// Implemented by a list, dictionary or collection: the class of the items to create.
class IPersistItemClass {
public:
  static constexpr const char16_t* IID = u"{FAB1D21E-D798-4CE0-B17B-9D75E4456AB4}";
  virtual TClass GetItemClass() = 0;

protected:
  ~IPersistItemClass() = default;
};

// ---------------------------------------------------------------------------------------------
// Events
// ---------------------------------------------------------------------------------------------
// May clear ACanWrite; may write the member (name and value) itself through AWriter.
using TNeoWriterCustomWritePropertyEvent = std::function<void(
    TObject* AObject, const String& APropertyName, TTypeKind APropertyKind, TNeoJSONWriter* AWriter, bool& ACanWrite)>;
using TNeoWriterCustomIsAssignablePropertyEvent =
    std::function<void(TObject* AObject, const String& APropertyName, bool& AIsAssignable)>;
// May clear ACanRead: the value is then skipped.
using TNeoReaderCustomReadPropertyEvent = std::function<void(
    TObject* AObject, const String& APropertyName, TTypeKind APropertyKind, TNeoJSONReader* AReader, bool& ACanRead)>;
using TNeoReaderCustomIsAssignablePropertyEvent = TNeoWriterCustomIsAssignablePropertyEvent;

// ---------------------------------------------------------------------------------------------
// TNeoWriter
// ---------------------------------------------------------------------------------------------
class TNeoWriter : public TObject {
  ZELK_CLASS(TNeoWriter, TObject)
public:
  // The exclude list starts as TNeoPersistence::ExcludeProperties.
  explicit TNeoWriter(TStream* AStream);
  ~TNeoWriter() override;

  // The object with its type member and published properties; the whole text goes into the
  // stream at its current position once it is complete (nothing when writing fails).
  void Write(TObject* AObject);
  // An object with one member AName holding an array of the objects; written as Write.
  void WriteArray(const String& AName, const TNeoObjectArray& AArray);

  TNeoJSONWriter* GetJSONWriter() const { return FWriter.get(); }
  TObject* GetIOReference() const { return FIOReference; }
  // Sets TNeoPersistence::IOReference too.
  void SetIOReference(TObject* Value);
  TObject* GetRootObject() const { return FRootObject; }
  // Sets TNeoPersistence::RootObject too.
  void SetRootObject(TObject* Value);
  const TNeoExcludePropertyListArray& GetExcludeProperties() const { return FExcludeProperties; }
  // Replaces TNeoPersistence::ExcludeProperties too (it stays in force for later writers).
  void SetExcludeProperties(const TNeoExcludePropertyListArray& Value);

  TNeoWriterCustomWritePropertyEvent OnCustomWriteProperty;
  TNeoWriterCustomIsAssignablePropertyEvent OnCustomIsAssignableProperty;

private:
  void WriteValue(TObject* AValue);
  void WriteObject(TObject* AObject);
  void WriteProperties(TObject* AObject);
  void WriteProperty(TObject* AObject, PPropInfo AProp);
  void WriteColor(Integer AColor);
  void WriteObjectItem(TObject* AItem);
  bool WriteContainer(TObject* AValue);

  std::unique_ptr<TNeoJSONWriter> FWriter;
  TObject* FIOReference = nullptr;
  TObject* FRootObject = nullptr;
  TNeoExcludePropertyListArray FExcludeProperties;
};

// ---------------------------------------------------------------------------------------------
// TNeoReader
// ---------------------------------------------------------------------------------------------
class TNeoReader : public TObject {
  ZELK_CLASS(TNeoReader, TObject)
public:
  // A property waiting for the object its reference text names.
  class TNeoObjectReference : public TObject {
    ZELK_CLASS(TNeoObjectReference, TObject)
  public:
    TNeoObjectReference(TObject* AInstance, const String& AId, PPropInfo AProp)
        : Instance(AInstance), Prop(AProp), Id(AId) {}
    TObject* Instance;
    PPropInfo Prop;
    String Id;
  };

  // The exclude list starts as TNeoPersistence::ExcludeProperties.
  explicit TNeoReader(TStream* AStream);
  ~TNeoReader() override;

  // Reads the document into an existing object.
  void Read(TObject* AObject);
  // Reads the document as a new object (of the class the type member names, else AClass); the
  // caller owns it. nullptr when the IO reference offers no way to create it.
  TObject* Read(TClass AClass);
  // Reads an object and, of its members, the array named AName as new objects (the caller owns
  // them); other members are skipped.
  TNeoObjectArray ReadArray(const String& AName);
  // Sets each recorded reference to what the IO reference finds for its text, when that is nil
  // or of the property's class.
  void SolveReferences();

  TNeoJSONReader* GetJSONReader() const { return FReader.get(); }
  TObject* GetIOReference() const { return FIOReference; }
  void SetIOReference(TObject* Value);
  TObject* GetRootObject() const { return FRootObject; }
  void SetRootObject(TObject* Value);
  const TNeoExcludePropertyListArray& GetExcludeProperties() const { return FExcludeProperties; }
  // Replaces TNeoPersistence::ExcludeProperties too.
  void SetExcludeProperties(const TNeoExcludePropertyListArray& Value);
  Integer GetReferenceCount() const { return static_cast<Integer>(FReferences.size()); }
  // With no type key in force: the member that, first in a new object (a list item), names the
  // object's class, as a document written with that type key has it. Empty: none.
  const String& GetOptionalTypeKey() const { return FOptionalTypeKey; }
  void SetOptionalTypeKey(const String& Value) { FOptionalTypeKey = Value; }

  TNeoReaderCustomReadPropertyEvent OnCustomReadProperty;
  TNeoReaderCustomIsAssignablePropertyEvent OnCustomIsAssignableProperty;

private:
  void ReadTypeKey(String* AClassName);
  void ReadProperties(TObject* AObject);
  void ReadProperty(TObject* AObject, PPropInfo AProp);
  void ReadOrdinal(TObject* AObject, PPropInfo AProp);
  void ReadClassProperty(TObject* AObject, PPropInfo AProp);
  void ReadComponentName(TObject* AObject, PPropInfo AProp);
  bool ReadContainer(TObject* AObject, TClass ADeclared);
  void ReadGenericList(TObject* AList, const TListAccess& AAccess);
  void ReadDictionary(TObject* ADictionary, const TDictionaryAccess& AAccess);
  void ReadList(TList* AList);
  static void ClearObjects(TList* AList);
  void ReadCollection(TCollection* ACollection);
  void ReadStrings(TStrings* AStrings);
  void ReadPicture(TObject* APicture);
  void ReadMethod(TObject* AObject, PPropInfo AProp);
  void ReadFontPixels(TObject* AObject, PPropInfo AProp);
  void ReadFontSize(TFont* AFont, PPropInfo AProp);
  TObject* ReadNewObject(TClass ABaseClass);
  TObject* CreateItem(const String& AClassName, TClass ABaseClass);
  TClass ItemClassOf(TObject* AContainer, TClass ADefault);
  void TellItemAdded(TObject* AItem, TObject* AList);

  std::vector<std::unique_ptr<TNeoObjectReference>> FReferences;
  std::unique_ptr<TNeoJSONReader> FReader;
  TObject* FIOReference = nullptr;
  TObject* FRootObject = nullptr;
  TNeoExcludePropertyListArray FExcludeProperties;
  String FOptionalTypeKey;
};

// ---------------------------------------------------------------------------------------------
// TNeoPersistence
// ---------------------------------------------------------------------------------------------
class TNeoPersistence : public TObject {
  ZELK_CLASS(TNeoPersistence, TObject)
public:
  TNeoPersistence() = delete;

  // Process-wide settings, shared by all writers and readers.
  // The member carrying an object's class name: "$type" from the unit's start-up (empty: objects
  // are written without it and read without expecting it).
  static inline String TypeKey;
  // Property names every new writer and reader leaves out (empty at start-up). Setting the list
  // of a writer or reader, and ToJSON with excluded names, replace it; it stays in force.
  static inline TNeoExcludePropertyListArray ExcludeProperties;
  static inline TObject* IOReference = nullptr;   // not owned
  static inline TObject* RootObject = nullptr;    // not owned
  static inline TNeoWriterCustomWritePropertyEvent OnCustomWriteProperty;
  static inline TNeoReaderCustomReadPropertyEvent OnCustomReadProperty;

  // The usual control layout and focus properties, for callers to pass as an exclude list.
  static const TNeoExcludePropertyListArray& ControlProperties();

  // Property information.
  static TTypeKind GetPropInfoType(PPropInfo AProp) { return AProp->Kind; }
  static const String& GetPropInfoName(PPropInfo AProp) { return AProp->Name; }
  static bool IsWriteOnly(PPropInfo AProp) { return !AProp->HasGetter; }
  static bool IsReadOnly(PPropInfo AProp) { return !AProp->HasSetter; }
  // A class-kind property whose current value is nil or a component.
  static bool IsAssignableProperty(TObject* AObject, PPropInfo AProp);

  // Type name tests.
  static bool IsColor(StringView ATypeName);
  static bool IsStrokeKind(StringView ATypeName);
  static bool IsFillKind(StringView ATypeName);
  static bool IsDate(StringView ATypeName);
  static bool IsDateTime(StringView ATypeName);
  static bool IsTime(StringView ATypeName);

  // Class tests: the class or an ancestor is named as stated (exact case).
  static bool IsDescendingClass(TClass AClass, std::initializer_list<StringView> AClassNames);
  // "TList<..." or "TObjectList<...", and, when AItemType is given, its lower-cased name holds
  // AItemType lower-cased.
  static bool IsGenericList(TClass AClass, StringView AItemType = StringView());
  static bool IsGenericDictionary(TClass AClass);
  static bool IsCollection(TClass AClass);
  static bool IsComponent(TClass AClass);
  static bool IsControl(TClass AClass);
  static bool IsList(TClass AClass);
  static bool IsBitmap(TClass AClass);
  static bool IsStrings(TClass AClass);

  // Adds the member names of the property's enumeration (or of a set's element enumeration).
  static void GetEnumValues(TStrings* AValues, PPropInfo AProp);
  static TClass GetPropInfoDataTypeInfoClassType(PPropInfo AProp) { return AProp->PropClass; }
  static const TEnumInfo* GetPropInfoDataTypeInfo(PPropInfo AProp) { return AProp->EnumType; }
  static String GetEnumName(PPropInfo AProp, Integer AValue);
  static const String& GetPropInfoTypeName(PPropInfo AProp) { return AProp->TypeName; }

  // The class registered as AClassName, created: components with no owner, collection items with
  // no collection, other persistent classes with the plain constructor. ENeoReaderException
  // "Type "X" not found", "Type "X" does not inherit from B", "Type "X" not supported".
  static TObject* CreateObject(const String& AClassName, TClass ABaseClass);

  // The entry points: the writer or reader gets IOReference, RootObject and a forwarder to the
  // class-level handler; the decimal and thousand separators are "." and "," meanwhile and are
  // restored afterwards, also on failure. A stream that refuses the text raises EWriteError.
  static void SaveSettingsToStream(TObject* AObject, TStream* AStream);
  // From position 0 into the existing object; references are not solved. AOptionalTypeKey goes
  // to the reader's optional type key.
  static void LoadSettingsFromStream(TObject* AObject, TStream* AStream, const String& AOptionalTypeKey = String());
  // Replaces the file as one step (a temporary file renamed over it); when the text cannot be
  // written, EWriteError and the old file stays as it was.
  static void SaveSettingsToFile(TObject* AObject, const String& AFileName);
  static void LoadSettingsFromFile(TObject* AObject, const String& AFileName);
};

// Registers the persistence unit's start-up (TypeKey "$type", the graphics classes' published
// properties) and finalisation (TypeKey cleared) with the program's units.
void RegisterNeoPersistenceUnit();
