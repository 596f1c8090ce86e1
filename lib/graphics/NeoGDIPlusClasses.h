#pragma once
// NeoGDIPlusClasses: the GDI+ wrapper set over the bound table of NeoGDIPlusApi. Every method is
// one flat call: the wrapper's own handle first, then its arguments (a wrapper passed as its
// handle); a failure is kept in the status field until GetLastStatus reads it; a getter answers
// its pre-set value when the call fails; constructors never fail (a nil handle and the failure
// then); a wrapper owns its native object and deletes it through the table.
#include "lib/graphics/NeoGDIPlusGeometry.h"
#include "lib/graphics/NeoGDIPlusGraphics.h"
#include "lib/graphics/NeoGDIPlusImages.h"
#include "lib/graphics/NeoGDIPlusPens.h"
#include "lib/graphics/NeoGDIPlusText.h"
