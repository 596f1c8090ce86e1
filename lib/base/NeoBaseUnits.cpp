#include "lib/base/NeoBaseUnits.h"

#include "lib/base/ATXPVS.h"
#include "lib/base/NeoPersistence.h"
#include "lib/base/NeoStyleIF.h"
#include "lib/base/NeoUtilsUnit.h"
#include "lib/base/NeoXPVS.h"

void RegisterNeoBaseUnits() {
  RegisterNeoXPVSUnit();
  RegisterATXPVSUnit();
  RegisterNeoStyleIFUnit();
  RegisterNeoUtilsUnit();
  RegisterNeoPersistenceUnit();
}
