#include "lib/grid/core/NeoGridUnits.h"

#include "lib/grid/core/NeoGridLists.h"
#include "lib/gridutil/NeoGridUtilUnit.h"

void RegisterNeoGridUnits() {
  RegisterGridUtilUnits();
  RegisterNeoGridListsUnit();
}
