// The grid's option groups of looks and the grid's getters that make them on first use.
#include "lib/grid/core/NeoGridLookSettings.h"

void TGridLookGroup::Changed() {
  if (FGrid) FGrid->Invalidate();
}

void TControlLook::SetCheckSize(Integer Value) {
  if (FCheckSize == Value) return;
  FCheckSize = Value;
  Changed();
}

void TControlLook::SetFixedGradientFrom(TColor Value) {
  FFixedGradientFrom = Value;
  if (Value != clNone && FGrid) FGrid->SetNeoGradientFrom(Value);
}

void TControlLook::SetFixedGradientTo(TColor Value) {
  FFixedGradientTo = Value;
  if (Value != clNone && FGrid) FGrid->SetNeoGradientTo(Value);
}

void TControlLook::SetFixedGradientMirrorFrom(TColor Value) {
  FFixedGradientMirrorFrom = Value;
  if (FGrid) FGrid->SetNeoGradientMirrorFrom(Value);
}

void TControlLook::SetFixedGradientMirrorTo(TColor Value) {
  FFixedGradientMirrorTo = Value;
  if (FGrid) FGrid->SetNeoGradientMirrorTo(Value);
}

namespace {
template <class T>
T* MadeOnFirstUse(std::shared_ptr<T>& Field, TNeoStringGrid* Grid) {
  if (!Field) Field = std::make_shared<T>(Grid);
  return Field.get();
}
}  // namespace

TFloatingFooter* TNeoStringGrid::GetFloatingFooter() { return MadeOnFirstUse(FFloatingFooter, this); }
TControlLook* TNeoStringGrid::GetControlLook() { return MadeOnFirstUse(FControlLook, this); }
TBackGround* TNeoStringGrid::GetBackGround() { return MadeOnFirstUse(FBackGround, this); }
TGrouping* TNeoStringGrid::GetGrouping() { return MadeOnFirstUse(FGrouping, this); }
