#pragma once
// "comctl32.dll": the common controls library as a built-in module of the module table, loaded in
// every process from its registration on. It exports the flat scroll-bar functions by name
// (InitializeFlatSB, UninitializeFlatSB, FlatSB_SetScrollInfo, FlatSB_SetScrollProp,
// FlatSB_ShowScrollBar), which act on the window's own bars (WinScroll.h). Single exports can be
// hidden with ZELK_MISSING_EXPORTS ("comctl32.dll:InitializeFlatSB") or SetExportMissing, so that
// callers' "function missing" paths can run.

// Registers the module (once; later calls do nothing).
void RegisterComCtl32Module();
