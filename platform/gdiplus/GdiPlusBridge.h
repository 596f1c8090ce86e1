#pragma once
// The "gdiplus.dll" module: the GDI+ flat API of libgdiplus behind the module loader.
//
// Loading "gdiplus.dll" (LoadLibraryW) opens libgdiplus with dlopen(RTLD_LOCAL) and hands out its
// flat functions by GetProcAddress, except where libgdiplus cannot take the platform's objects as
// they are: graphics over the platform's device contexts and windows, streams, bitmap, icon and
// region handles, fonts of a DC, counted start-up and shutdown, save numbers, and the functions
// libgdiplus lacks. Nothing links libgdiplus, and no flat name is a symbol of the program.
#include <string>

// Registers the module (once is enough; again replaces the library to open, for tests).
void RegisterGdiplusModule(const std::string& ALibrary = "libgdiplus.so.0");
