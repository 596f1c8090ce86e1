#pragma once
// Published properties of the graphics objects (TFont, TPen, TBrush) and the registration of the
// picture classes for streaming. Call RegisterGraphicsRtti once before the graphics classes are
// streamed (the persistence layer and the graphics unit's start-up do); later calls do nothing.
#include "platform/rtl/TypInfo.h"
#include "platform/ui/Graphics.h"

ZELK_DECLARE_ENUM_INFO(TFontStyle)
ZELK_DECLARE_ENUM_INFO(TFontPitch)
ZELK_DECLARE_ENUM_INFO(TFontQuality)
ZELK_DECLARE_ENUM_INFO(TPenStyle)
ZELK_DECLARE_ENUM_INFO(TPenMode)
ZELK_DECLARE_ENUM_INFO(TBrushStyle)

void RegisterGraphicsRtti();
