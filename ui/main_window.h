// The main window, the top of the editor: its frame, menu bar, toolbar,
// status bar, progress bar and every channel control (from the control table
// of ui/main_controls.h) in the neutral state they start in; its one dialog
// procedure, which hands each command to a small handler; and the program's
// message loop. Only the program's entry includes this header; the modules
// below the main window use ui/main_controls.h.
#pragma once

#include <windows.h>

#include "ui/main_controls.h"
#include "ui/program_state.h"

namespace quarnel::ui {

// The start-up steps that build the main window, in order: the window itself
// (hidden) with the program's icon, the choice lists, the menu bar, the
// status bar with the hidden progress bar, the toolbar, the controls and the
// drop-out delay choices. The window is also in state.windows.main. Returns
// nullptr when the window cannot be made. Runs no message loop, so the tests
// can make a main window, drive it and destroy it.
HWND createMainWindow(ProgramState& state);

// Shows the main window and serves it and every modeless window with one
// message loop (IsDialogMessage, waiting in GetMessage while idle) until the
// main window ends; returns the result it ended with.
int runMainWindow(ProgramState& state);

// The state the main window `window` was made with; nullptr for any other.
ProgramState* programStateOf(HWND window);

}  // namespace quarnel::ui
