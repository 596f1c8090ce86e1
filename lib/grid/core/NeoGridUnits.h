#pragma once
// The start-up of the grid's units, registered in the program's link order after the layers the
// grid builds on.

// Registers the grid utilities' units (and with them the library base's), then the grid lists'
// unit, whose tag counter starts last. The program calls it before the units start.
void RegisterNeoGridUnits();
