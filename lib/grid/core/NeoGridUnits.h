#pragma once
// The start-up of the library's units, in the program's link order: the grid's units come after
// every layer the grid builds on.

// Registers the grid utilities' units (and with them the library base's), GDI+ (bound, then
// imported: raises when "gdiplus.dll" or one of its functions is missing), the graphics types, the
// SVG picture format, then the grid lists' unit, whose tag counter starts, and last the grid unit
// with its window hook. The program calls it before the units start.
void RegisterNeoGridUnits();
