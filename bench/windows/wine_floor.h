// What Wine itself costs, measured on windows that hold no editor: a dialog
// made the way the editor makes its windows (same template, same dialog
// font, same common controls), filled with plain controls. These figures are
// the floor under the editor's: one round trip to the Wine server, drawing
// one label again, the whole of a window of 110 controls drawn again (what
// the channel display ends with), a click on an automatic option button
// among them, and a window of 560 labels drawn again (the EPROM map's
// refresh).
#pragma once

#include "bench/windows/figures.h"

namespace quarnel::bench {

// Adds the "wine/..." figures; `repetitions(n)` gives how many of n to make.
void measureWineFloor(Figures& figures, int (*repetitions)(int n));

}  // namespace quarnel::bench
