// TNeoUtils: component copies and the JSON forwarders.
#include <memory>

#include "lib/base/NeoObjectJSON.h"
#include "lib/base/NeoPersistence.h"
#include "lib/base/NeoUtils.h"

TComponent* TNeoUtils::Clone(TComponent* Component) {
  if (!Component) return nullptr;
  TMemoryStream stream;
  {
    // The copy gets no name; the original keeps its own.
    const String name = Component->GetName();
    Component->SetName(String());
    struct TRestoreName {
      TComponent* C;
      const String& N;
      ~TRestoreName() { C->SetName(N); }
    } restore{Component, name};
    TNeoPersistence::SaveSettingsToStream(Component, &stream);
  }
  std::unique_ptr<TComponent> copy(Component->ClassType()->Create(static_cast<TComponent*>(nullptr)));
  TNeoPersistence::LoadSettingsFromStream(copy.get(), &stream);
  return copy.release();
}

String TNeoUtils::ToJSON(TObject* AObject) { return TObjectJSONHelper::ToJSON(AObject); }
String TNeoUtils::ToJSON(TObject* AObject, const std::vector<String>& AExcludedProperties) {
  return TObjectJSONHelper::ToJSON(AObject, AExcludedProperties);
}
void TNeoUtils::FromJSON(TObject* AObject, const String& Value) { TObjectJSONHelper::FromJSON(AObject, Value); }
void TNeoUtils::Log(TObject* AObject) { TObjectJSONHelper::Log(AObject); }
void TNeoUtils::SaveToJSONFile(TObject* AObject, const String& AFileName) {
  TObjectJSONHelper::SaveToJSONFile(AObject, AFileName);
}
void TNeoUtils::LoadFromJSONFile(TObject* AObject, const String& AFileName) {
  TObjectJSONHelper::LoadFromJSONFile(AObject, AFileName);
}
void TNeoUtils::SaveToJSONStream(TObject* AObject, TStream* AStream) {
  TObjectJSONHelper::SaveToJSONStream(AObject, AStream);
}
void TNeoUtils::LoadFromJSONStream(TObject* AObject, TStream* AStream) {
  TObjectJSONHelper::LoadFromJSONStream(AObject, AStream);
}
