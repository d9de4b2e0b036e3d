// The CTCSS table: a reference window listing the 42 PL tones beside their
// PL code names, tones 1 to 21 on the left and 22 to 42 on the right. It
// shows only the model's fixed tables, so it looks the same with or without
// an image. Unlike the other windows it is laid out in pixels, near the
// right edge of the screen.
#pragma once

#include <windows.h>

#include "ui/program_state.h"

namespace quarnel::ui {

// Opens another CTCSS table window and returns it; each call opens one more,
// at the same place.
HWND openCtcssTable(ProgramState& state);

}  // namespace quarnel::ui
