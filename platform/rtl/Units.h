#pragma once
// Start-up and finalisation of the program's units, in an order the program states explicitly.
//
// Each library layer offers a `RegisterXUnits()` that adds its units (and first calls the
// registration of the layers it builds on); the program's start calls the top ones, then
// InitializeUnits, and FinalizeUnits at exit. C++ static initialisation plays no part: nothing
// is added by a static constructor. A unit added twice keeps its first place, so layers may
// register a shared dependency each.
//
// InitializeUnits runs every initialisation in the order added. When one raises, the units
// initialised so far are finalised in reverse and the exception is raised again. FinalizeUnits
// runs the finalisations of the initialised units in reverse; it finishes all of them even when
// one raises, then raises the first exception.
#include <functional>
#include <vector>

#include "platform/rtl/SysUtils.h"

using TUnitProc = std::function<void()>;

ZELK_DECLARE_EXCEPTION(EUnitError, Exception)

class TUnitRegistry : public TObject {
  ZELK_CLASS(TUnitRegistry, TObject)
public:
  // Adds a unit; either procedure may be empty. Raises EUnitError while units are initialised
  // (the order would no longer be the one stated).
  void Add(const String& Name, TUnitProc Initialization, TUnitProc Finalization = nullptr);
  void Initialize();
  void Finalize();

  bool Contains(const String& Name) const;
  Integer Count() const { return static_cast<Integer>(FUnits.size()); }
  String Names(Integer Index) const { return FUnits.at(static_cast<std::size_t>(Index)).Name; }
  bool Initialized() const { return FInitialized || FInitializing; }
  // Removes all units (they must not be initialised).
  void Clear();

private:
  struct TUnit {
    String Name;
    TUnitProc Initialization;
    TUnitProc Finalization;
  };
  // Finalises units [0, count) in reverse; returns the first exception raised.
  std::exception_ptr FinalizeFirst(std::size_t Count);

  std::vector<TUnit> FUnits;
  std::size_t FInitializedCount = 0;
  bool FInitialized = false;
  bool FInitializing = false;
};

// The program's unit registry.
TUnitRegistry& Units();
inline void RegisterUnit(const String& Name, TUnitProc Initialization, TUnitProc Finalization = nullptr) {
  Units().Add(Name, std::move(Initialization), std::move(Finalization));
}
inline void InitializeUnits() { Units().Initialize(); }
inline void FinalizeUnits() { Units().Finalize(); }

// Initialises the program's units for its lifetime: `TUnitsScope units;` first in main.
class TUnitsScope {
public:
  TUnitsScope() { InitializeUnits(); }
  ~TUnitsScope() {
    try {
      FinalizeUnits();
    } catch (...) {
      // A finalisation error at exit has no one left to report to.
    }
  }
  TUnitsScope(const TUnitsScope&) = delete;
  TUnitsScope& operator=(const TUnitsScope&) = delete;
};
