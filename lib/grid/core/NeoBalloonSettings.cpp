#include "lib/grid/core/NeoBalloonSettings.h"

void TBalloonSettings::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TBalloonSettings*>(Source);
  if (!s) return;
  FBackgroundColor = s->FBackgroundColor;
  FTextColor = s->FTextColor;
  FReshowDelay = s->FReshowDelay;
  FInitialDelay = s->FInitialDelay;
  FAutoHideDelay = s->FAutoHideDelay;
  FTransparency = s->FTransparency;
  SetEnable(s->FEnable);
  FShowCell = s->FShowCell;
}

void TBalloonSettings::SetEnable(bool Value) {
  if (FEnable == Value) return;
  FEnable = Value;
  if (OnEnableChange) OnEnableChange(this);
}
