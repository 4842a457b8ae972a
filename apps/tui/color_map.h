// The grid's colours (0x00BBGGRR) on a terminal's palette: the 240 fixed colours of a
// 256-colour terminal (the colour cube and the grey ramp, not the 16 the user may have
// re-themed), or the 8 basic colours.
#pragma once

#include "zelsheet/types.h"

namespace zel::tui {

// The palette index nearest to `color` on a terminal of `colors` colours (256 or more: 16 to
// 255; fewer: 0 to 7 in curses order black, red, green, yellow, blue, magenta, cyan, white).
int NearestColor(Color color, int colors);

}  // namespace zel::tui
