#pragma once
// The web colour names: the 140 colour names of HTML and CSS with their values.
#include "platform/ui/Graphics.h"

// The name of the web colour equal to Color (system colours resolved first), the first in
// alphabetical order where two names share a value ("Aqua" before "Cyan"); else the colour as
// "#RRGGBB" with upper-case hexadecimal digits.
String ColorToWebColorName(TColor Color);
// The web colour of a name (any case); false when there is none.
bool WebColorNameToColor(const String& Name, TColor& Color);
