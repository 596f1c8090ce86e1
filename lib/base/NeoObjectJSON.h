#pragma once
// JSON operations on every object: ToJSON, FromJSON, Log, and saving and loading to files and
// streams, all through the object persistence (TNeoPersistence). Library classes carry them as
// members by deriving from TNeoJSONMethods<TheClass>.
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/System.h"

using TNeoObjectExcludePropertyListArray = std::vector<String>;

class TObjectJSONHelper {
public:
  TObjectJSONHelper() = delete;

  // The object as JSON text, with the type member when TNeoPersistence::TypeKey is set.
  static String ToJSON(TObject* AObject);
  // Makes the names TNeoPersistence::ExcludeProperties, which stays in force for later writes
  // and reads, then as ToJSON.
  static String ToJSON(TObject* AObject, const TNeoObjectExcludePropertyListArray& AExcludedProperties);
  // Reads Value (any text, also characters beyond Windows-1252) into the object without expecting
  // a type member, with the object itself as the IO reference; a list item whose first member is
  // the type key in force (as ToJSON writes it) is created of the class it names. The type key and
  // the IO reference are restored afterwards, also on failure.
  static void FromJSON(TObject* AObject, const String& Value);
  // ToJSON to the debug output.
  static void Log(TObject* AObject);
  static void SaveToJSONFile(TObject* AObject, const String& AFileName);
  static void LoadFromJSONFile(TObject* AObject, const String& AFileName);
  static void SaveToJSONStream(TObject* AObject, TStream* AStream);
  static void LoadFromJSONStream(TObject* AObject, TStream* AStream);
  // The JSON property: read by ToJSON, written by FromJSON.
  static String GetJSON(TObject* AObject) { return ToJSON(AObject); }
  static void SetJSON(TObject* AObject, const String& Value) { FromJSON(AObject, Value); }
};

// The eight forwarders as members of a class T derived from TObject and from this.
template <class T>
class TNeoJSONMethods {
public:
  String ToJSON() { return TObjectJSONHelper::ToJSON(Self()); }
  String ToJSON(const TNeoObjectExcludePropertyListArray& AExcludedProperties) {
    return TObjectJSONHelper::ToJSON(Self(), AExcludedProperties);
  }
  void FromJSON(const String& Value) { TObjectJSONHelper::FromJSON(Self(), Value); }
  void Log() { TObjectJSONHelper::Log(Self()); }
  void SaveToJSONFile(const String& AFileName) { TObjectJSONHelper::SaveToJSONFile(Self(), AFileName); }
  void LoadFromJSONFile(const String& AFileName) { TObjectJSONHelper::LoadFromJSONFile(Self(), AFileName); }
  void SaveToJSONStream(TStream* AStream) { TObjectJSONHelper::SaveToJSONStream(Self(), AStream); }
  void LoadFromJSONStream(TStream* AStream) { TObjectJSONHelper::LoadFromJSONStream(Self(), AStream); }
  String GetJSON() { return ToJSON(); }
  void SetJSON(const String& Value) { FromJSON(Value); }

protected:
  ~TNeoJSONMethods() = default;

private:
  TObject* Self() { return static_cast<T*>(this); }
};
