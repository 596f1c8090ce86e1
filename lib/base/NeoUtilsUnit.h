#pragma once
// Start-up of the utilities' unit "NeoUtils": registers the library's clipboard formats
// ("RichEditorText", "TNeoClipBoard.StreamFormat", "Rich Text Format", "HTML Format") and sets
// CF_NEOBITMAP to the standard bitmap format, unless the program runs as a console program
// (IsConsole). Its finalisation sets the identifiers back to 0.

// Adds the unit to the program's unit registry at its place in the start-up order.
void RegisterNeoUtilsUnit();

// The unit's own start-up and finalisation (what the registry runs).
void InitializeNeoUtilsUnit();
void FinalizeNeoUtilsUnit();
