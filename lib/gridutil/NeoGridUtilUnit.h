#pragma once
// Start-up of the grid utilities' unit, and the unit routines that depend on the platform's
// modules: the natural text comparison and the file-version reader.
#include "platform/rtl/SysUtils.h"

// The shell's natural order (StrCmpLogicalW: digit runs by value, case ignored): negative, 0 or
// positive.
Integer CompareTextNatural(StringView A, StringView B);
// The file's version as major << 16 | minor, from its fixed version information; -1 when it has
// none, the query fails or the block's signature is wrong. The name is cut to 259 characters.
Integer GetFileVersion(StringView FileName);

// StrCmpLogicalW of "shlwapi.dll" as the unit's start-up found it: looked up only when the module
// was loaded already (the unit does not load it); nullptr otherwise and outside the unit's life.
using TStrCmpLogicalWFunc = int (*)(const Char*, const Char*);
TStrCmpLogicalWFunc GridUtilStrCmpLogicalW();

// Adds the unit "NeoGridUtil" to the program's units (its place: after the visual-styles binding,
// before the library utilities' clipboard formats), then the library base's units.
void RegisterGridUtilUnits();
void InitializeGridUtilUnit();
void FinalizeGridUtilUnit();
