#pragma once
// Starting the window system and choosing its back end. ZELK_BACKEND=headless|x11 selects one;
// programs default to x11, tests select headless in code (Headless::Use).
#include "platform/rtl/SysUtils.h"

#include <string>

// Raised when the window system cannot start, e.g. "cannot open display" without an X server.
ZELK_DECLARE_EXCEPTION(EWindowSystem, Exception)

// Starts the back end now (it starts on first use otherwise) so that a program can report a
// missing display and exit before building windows. Raises EWindowSystem.
void InitWindowSystem();
// "headless" or "x11": the back end in use, starting it when needed.
const char* WindowSystemBackendName();

// Saves what the screen shows as a PNG file (x11: the display's root window; headless: the
// top-level windows over one another). False when it cannot be read or written.
bool SaveScreenshot(const std::string& AFileName);
