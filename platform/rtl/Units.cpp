#include "platform/rtl/Units.h"

void TUnitRegistry::Add(const String& Name, TUnitProc Initialization, TUnitProc Finalization) {
  if (Initialized()) throw EUnitError(u"Unit " + Name + u" added after the units were initialised");
  if (Contains(Name)) return;
  FUnits.push_back(TUnit{Name, std::move(Initialization), std::move(Finalization)});
}

bool TUnitRegistry::Contains(const String& Name) const {
  for (const auto& u : FUnits)
    if (SameText(u.Name, Name)) return true;
  return false;
}

void TUnitRegistry::Initialize() {
  if (Initialized()) throw EUnitError(u"Units are initialised already");
  FInitializing = true;
  for (std::size_t i = 0; i < FUnits.size(); ++i) {
    try {
      if (FUnits[i].Initialization) FUnits[i].Initialization();
    } catch (...) {
      auto error = std::current_exception();
      FInitializing = false;
      FInitializedCount = 0;
      FinalizeFirst(i);   // the start-up error is the one to report
      std::rethrow_exception(error);
    }
    FInitializedCount = i + 1;
  }
  FInitializing = false;
  FInitialized = true;
}

void TUnitRegistry::Finalize() {
  const std::size_t count = FInitializedCount;
  FInitializedCount = 0;
  FInitialized = false;
  if (auto error = FinalizeFirst(count)) std::rethrow_exception(error);
}

std::exception_ptr TUnitRegistry::FinalizeFirst(std::size_t Count) {
  std::exception_ptr first;
  for (std::size_t i = Count; i-- > 0;) {
    try {
      if (FUnits[i].Finalization) FUnits[i].Finalization();
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  return first;
}

void TUnitRegistry::Clear() {
  if (Initialized()) throw EUnitError(u"Units cannot be removed while initialised");
  FUnits.clear();
}

TUnitRegistry& Units() {
  static TUnitRegistry registry;
  return registry;
}
