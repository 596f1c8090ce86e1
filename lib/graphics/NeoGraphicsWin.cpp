// The GDI+ drawing back end's class reference.
#include "lib/graphics/NeoGraphics.h"

// The library has no GDI+ drawing back end yet: facades asked for one raise "No GDI+ graphics
// context".
TNeoGraphicsContextClass GetNativeContextClass() { return nullptr; }
