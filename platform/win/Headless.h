#pragma once
// Test API of the headless back end: a virtual clock, injected device input, simulated activation,
// the pixels of every window and what would have reached the outside (beeps, shell requests).
#include "platform/win/Surface.h"
#include "platform/win/WinUser.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Headless {

// Selects the headless back end for this process (before or instead of ZELK_BACKEND) and resets it:
// every window destroyed, queues, timers, input state, clipboard, recorded beeps and system values
// back to their defaults; the clock keeps running forward.
void Use();
void Reset();

// The virtual clock behind timers, message times, GetTickCount and Now. Advancing it expires timers
// (each expired timer has one WM_TIMER pending, however long the step) and wakes waiting threads.
void AdvanceClock(std::uint64_t AMilliseconds);
std::uint64_t ClockMs();

// Handles every pending message of the calling thread (sent, posted, input, paints, expired timers)
// through PeekMessage, TranslateMessage and DispatchMessage until none is left; the number handled.
// Raises EWindowSystem when messages keep coming after AMaxMessages (a handler re-posting forever).
int RunUntilIdle(int AMaxMessages = 100000);

// Keyboard, as a keyboard would deliver it. Virtual keys take their scan codes from the PC layout
// (VK_DECIMAL is the keypad's 0x53, VK_DELETE the extended 0x53). Keysyms go through the same
// translation as X11 key events (XK_KP_Decimal 0xFFAE, XK_period 0x2E ...).
void KeyDown(UINT AVk);
void KeyUp(UINT AVk);
void KeyPress(UINT AVk);                  // down and up
void KeysymDown(std::uint32_t AKeysym);
void KeysymUp(std::uint32_t AKeysym);
void KeysymPress(std::uint32_t AKeysym);
// Types text: keys of the US layout where a character has one (with Shift as needed), otherwise a
// VK_PACKET key carrying the character.
void TypeText(StringView AText);
// The layout by which virtual keys type characters (ToAscii, ToUnicode, TranslateMessage):
// "00000409" US, the default, or "00000407" German (its dead keys type nothing). False for others.
bool SetKeyboardLayout(const char* AKlid);

// Mouse at screen points. Buttons are numbered as X numbers them: 1 left, 2 middle, 3 right,
// 4/5 wheel up/down, 6/7 wheel left/right, 8/9 the X buttons.
void MouseMove(int X, int Y);
void ButtonDown(int AButton, int X, int Y);
void ButtonUp(int AButton, int X, int Y);
void Click(int X, int Y, int AButton = 1);   // down and up
void Wheel(int X, int Y, int ANotches, bool AHorizontal = false);   // positive: away from the user / right

// What the window manager would do: activate a top-level window, or hand activation to another
// program (WM_ACTIVATE with WA_INACTIVE and no window taking over).
void Activate(HWND AWnd);
void DeactivateApp();

// Pixels. A top-level window's surface holds the whole window, frame included.
TSurface* WindowSurface(HWND AWnd);                 // the top-level window's backing store
// What the screen shows: the visible top-level windows composed over the desktop (each clipped to
// its window region, layered ones blended), as a screen-sized surface.
void ScreenPixels(TSurface& AOut);
COLORREF ClientPixel(HWND AWnd, int X, int Y);      // client coordinates of AWnd; CLR_INVALID outside
bool SaveWindowPng(HWND AWnd, const std::string& AFileName);   // the window's own area of its surface

// Recorded requests to the outside: beeps, and the programs the shell would have started
// (ShellOpen's argument vectors; nothing is started in a headless run).
std::vector<UINT> Beeps();
void ClearBeeps();
std::vector<std::vector<std::string>> ShellRequests();
void ClearShellRequests();

// Screen configuration (defaults 1920 x 1080, work area without a 40-pixel task bar at the bottom,
// 96 dpi). Changing the DPI sends nothing; controls read it when they scale.
void SetScreenSize(int AWidth, int AHeight);
void SetWorkArea(const RECT& AArea);
// Monitors on the virtual screen, the primary one first, each with its work area (reset: none set,
// one monitor that is the screen and its work area). MonitorFromPoint, GetMonitorInfo and the
// virtual-screen metrics follow the list; the screen size stays the primary one's business.
struct TMonitorArea {
  RECT Monitor;
  RECT Work;
};
void SetMonitors(const std::vector<TMonitorArea>& AMonitors);
void SetDpi(int ADpi);
void SetHighContrast(bool AOn);   // what SPI_GETHIGHCONTRAST reports

}  // namespace Headless
