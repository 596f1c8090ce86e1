#include "platform/rtl/ClassesRtti.h"

#include <mutex>

#include "platform/rtl/Classes.h"
#include "platform/rtl/TypInfo.h"

void RegisterClassesRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    Publish<TComponent>()
        .Property(u"Name", &TComponent::GetName, &TComponent::SetName).Type(u"TComponentName").Stored(false)
        .Property(u"Tag", &TComponent::GetTag, &TComponent::SetTag).Type(u"NativeInt").Default(0);
    RegisterClasses({TPersistent::StaticClass(), TComponent::StaticClass(), TStringList::StaticClass()});
  });
}
