// The channel bytes map: a read-only window with the bytes of the channel
// the main window shows, each in hexadecimal and as a bit pattern, under the
// names of the fields they hold. It is a snapshot: it keeps what it showed
// when it opened.
#pragma once

#include <windows.h>

#include "ui/program_state.h"

namespace quarnel::ui {

// Opens a new map of the current channel's record (as the last channel
// display found it) and returns it; every call opens another window.
HWND openChannelBytesMap(ProgramState& state);

}  // namespace quarnel::ui
