#include "lib/grid/core/NeoGridUnits.h"

#include "lib/graphics/NeoGDIP.h"
#include "lib/graphics/NeoGDIPlusApi.h"
#include "lib/graphics/NeoTypes.h"
#include "lib/grid/core/NeoGridLists.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/gridutil/NeoGridUtilUnit.h"
#include "lib/render/NeoHTMLGraphics.h"
#include "lib/render/NeoSVGBitmap.h"
#include "lib/render/PictureContainer.h"

void RegisterNeoGridUnits() {
  RegisterGridUtilUnits();        // visual styles, natural-order comparison, then the library base
  RegisterNeoGDIPlusApiUnits();   // GDI+ bound by name and started
  RegisterNeoGDIPUnit();          // GDI+ imported (the program stops here without it) and started again
  RegisterNeoTypesUnit();         // the graphics types with the named colours
  RegisterNeoSVGUnit();           // the "SVG" picture format
  RegisterPictureContainerUnit(); // markup pictures and the facade's container lookup
  RegisterNeoHTMLGraphicsUnit();  // markup text drawn through the graphics facade
  RegisterNeoGridListsUnit();
  RegisterNeoStringGridUnit();   // the window hook of the grids' focus windows
}
