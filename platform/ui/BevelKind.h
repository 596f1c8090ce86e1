#pragma once
// How a window control's bevel is drawn around it: none, or a tiled, soft or flat bevel. Controls
// that offer a BevelKind keep it as their own property.
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
