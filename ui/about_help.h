// The About and Help windows: small fixed modal windows over the main
// window, each with the program's picture, a column of texts and an "OK"
// button. Neither reads or changes the codeplug or any program state.
#pragma once

#include "ui/program_state.h"

namespace quarnel::ui {

// Run the window modally over the main window (which is disabled meanwhile)
// and return once it is closed.
void showAboutWindow(ProgramState& state);
void showHelpWindow(ProgramState& state);

}  // namespace quarnel::ui
