#pragma once
// Scope codes of the JSON reader's and writer's scope stacks.
#include "platform/rtl/System.h"

namespace NeoJSONScope {

enum : Byte {
  scEmptyDocument = 0,
  scEmptyArray = 1,
  scEmptyObject = 2,
  scNonEmptyDocument = 3,
  scNonEmptyArray = 4,
  scNonEmptyObject = 5,
  scDanglingName = 6   // a name is taken and its value is still due
};

}  // namespace NeoJSONScope
