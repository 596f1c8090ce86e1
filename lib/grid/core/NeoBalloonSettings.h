#pragma once
// The grid's balloon tooltips: their colours, delays, transparency and whether they are on.
#include "lib/grid/core/NeoGridOptions.h"
#include "platform/ui/Graphics.h"

class TNeoStringGrid;

class TBalloonSettings : public TPersistent {
  ZELK_CLASS(TBalloonSettings, TPersistent)
public:
  // Copies the settings of another balloon settings object; other sources are ignored.
  void Assign(TPersistent* Source) override;

  NEO_PLAIN_PROPERTY(TColor, BackgroundColor, clNone)   // clNone: the system's
  NEO_PLAIN_PROPERTY(TColor, TextColor, clNone)
  NEO_PLAIN_PROPERTY(Integer, ReshowDelay, -1)          // milliseconds; -1: the system's
  NEO_PLAIN_PROPERTY(Integer, InitialDelay, -1)
  NEO_PLAIN_PROPERTY(Integer, AutoHideDelay, -1)
  NEO_PLAIN_PROPERTY(Byte, Transparency, 0)             // the balloon's alpha is 255 - Transparency
  NEO_PLAIN_PROPERTY(bool, ShowCell, true)              // cell texts show in balloons

public:
  bool GetEnable() const { return FEnable; }
  // Fires OnEnableChange when the value changes.
  void SetEnable(bool Value);
  TNotifyEvent OnEnableChange;

private:
  friend class TNeoStringGrid;
  bool FEnable = false;
  bool FInit = false;   // the tooltip window has been made
};
