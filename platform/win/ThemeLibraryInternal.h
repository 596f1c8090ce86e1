#pragma once
// Internals of the visual-styles library shared by its files: theme handles, the look of each part
// and state, part sizes and the part painter. Not for use outside platform/win.
#include "platform/win/UxTheme.h"

#include <optional>

namespace uxtheme {

enum TThemeClass { tcButton, tcComboBox, tcSpin, tcHeader, tcProgress, tcTrackBar };

// What stands behind an HTHEME: the class it was opened for and the resolution it draws at.
struct TTheme {
  TThemeClass Class = tcButton;
  UINT Dpi = 96;
  double Scale() const { return Dpi / 96.0; }
};

// The live theme for a handle (nullptr for stale or foreign handles).
TTheme* ThemeOf(HTHEME AHandle);

// The colours of a part in a state. Fill or Border may be absent (the part leaves those pixels).
struct TPartLook {
  std::optional<COLORREF> Fill;
  std::optional<COLORREF> Border;
  COLORREF Glyph = 0;   // check mark, bullet, arrow
  COLORREF Text = 0;
};
// The look of a part and state of the class; nothing for parts and states the class lacks.
std::optional<TPartLook> LookOf(TThemeClass AClass, int APart, int AState);

// The part's size (device pixels at the theme's resolution); false for parts without one.
bool PartSize(const TTheme& ATheme, int APart, THEMESIZE ASize, const RECT* ARect, SIZE& AOut);

// Paints the part into ADC over ARect (logical), limited to AClip (logical; nullptr: no limit).
HRESULT PaintPart(const TTheme& ATheme, HDC ADC, int APart, int AState, const RECT& ARect, const RECT* AClip);

}  // namespace uxtheme
