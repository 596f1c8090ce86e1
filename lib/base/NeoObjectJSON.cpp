#include "lib/base/NeoObjectJSON.h"

#include "lib/base/NeoPersistence.h"
#include "lib/base/NeoUtils.h"

namespace {

// Puts a process-wide setting back when the scope ends, also by an exception.
template <class T>
class TRestore {
public:
  explicit TRestore(T& AVariable) : FVariable(AVariable), FSaved(AVariable) {}
  ~TRestore() { FVariable = std::move(FSaved); }
  TRestore(const TRestore&) = delete;
  TRestore& operator=(const TRestore&) = delete;

private:
  T& FVariable;
  T FSaved;
};

}  // namespace

String TObjectJSONHelper::ToJSON(TObject* AObject) {
  TStringStream stream(String(), TEncoding::ANSI());
  TNeoPersistence::SaveSettingsToStream(AObject, &stream);
  return stream.DataString();
}

String TObjectJSONHelper::ToJSON(TObject* AObject, const TNeoObjectExcludePropertyListArray& AExcludedProperties) {
  TNeoPersistence::ExcludeProperties = TNeoExcludePropertyListArray(AExcludedProperties.begin(), AExcludedProperties.end());
  return ToJSON(AObject);
}

void TObjectJSONHelper::FromJSON(TObject* AObject, const String& Value) {
  // UTF-8, as the reader decodes it: every character of Value arrives as it is.
  TStringStream stream(Value, TEncoding::UTF8());
  TRestore keepTypeKey(TNeoPersistence::TypeKey);
  TRestore keepIOReference(TNeoPersistence::IOReference);
  // The type key ToJSON writes still names the class of each new list item.
  const String itemTypeKey = TNeoPersistence::TypeKey;
  TNeoPersistence::TypeKey.clear();
  TNeoPersistence::IOReference = AObject;
  TNeoPersistence::LoadSettingsFromStream(AObject, &stream, itemTypeKey);
}

void TObjectJSONHelper::Log(TObject* AObject) { TNeoUtils::Log(ToJSON(AObject)); }

void TObjectJSONHelper::SaveToJSONFile(TObject* AObject, const String& AFileName) {
  TNeoPersistence::SaveSettingsToFile(AObject, AFileName);
}

void TObjectJSONHelper::LoadFromJSONFile(TObject* AObject, const String& AFileName) {
  TNeoPersistence::LoadSettingsFromFile(AObject, AFileName);
}

void TObjectJSONHelper::SaveToJSONStream(TObject* AObject, TStream* AStream) {
  TNeoPersistence::SaveSettingsToStream(AObject, AStream);
}

void TObjectJSONHelper::LoadFromJSONStream(TObject* AObject, TStream* AStream) {
  TNeoPersistence::LoadSettingsFromStream(AObject, AStream);
}
