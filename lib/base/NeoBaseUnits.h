#pragma once
// The start-up of the library base's units, registered in the program's link order.

// Registers, in order: the two visual-styles bindings (NeoXPVS, ATXPVS), the style interfaces,
// the utilities (clipboard formats) and the persistence (type key). The program calls it before
// the units start.
void RegisterNeoBaseUnits();
