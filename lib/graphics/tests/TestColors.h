#pragma once
// Opaque colours the GDI+ tests paint and read back.
#include "lib/graphics/NeoGDIPlusApi.h"

inline constexpr NeoGDIPlusApi::ARGB White = 0xFFFFFFFFu, Black = 0xFF000000u, Red = 0xFFFF0000u,
                                     Lime = 0xFF00FF00u, Blue = 0xFF0000FFu;
