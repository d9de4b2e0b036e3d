// The main window: its frame, menu bar, toolbar, status bar, progress bar and
// every channel control in the neutral state they start in; its one dialog
// procedure, which hands each command to a small handler; and the program's
// message loop.
#pragma once

#include <windows.h>

#include <string>

#include "model/tones.h"
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

// Ends the main window with `result`; the program's loop then returns it.
void endMainWindow(ProgramState& state, int result);

// Control `id` of the main window (from the handles kept as the controls
// were made); nullptr when it has none.
HWND mainControl(const ProgramState& state, int id);

// The state the main window `window` was made with; nullptr for any other.
ProgramState* programStateOf(HWND window);

// Writes `text` into part 0 or 1 of the status bar.
void setStatusText(const ProgramState& state, int part, const std::wstring& text);
// The text of part 0 or 1 of the status bar.
std::wstring statusText(const ProgramState& state, int part);

// "Channel " followed by `channel` with its sign blank ("Channel  5").
std::wstring channelTitle(int channel);

// The text control `id` of the main window is created with ("000.0000",
// "Receive Reference", ...); empty for an id it does not know.
std::wstring initialText(int id);

// Empties the tone or code drop-down `box` and fills it for `type` from the
// model's tables in table order: the 42 tones as their five-character texts
// for PL, the 83 DPL codes for DPL, nothing for Carrier. Item p is table
// index p + 1; no item is selected.
void fillCodeList(HWND box, CodeType type);

// The same list as fillCodeList, left as it is when `box` holds exactly
// those items already (no selection is changed then): the channel display
// shows the tones or codes again at every step, and refilling 83 items is
// 84 messages to the box.
void showCodeItems(HWND box, CodeType type);

// A frequency display, its "MHz" label and the entry box that replaces both
// while a frequency is typed.
struct FrequencyTrio {
    int display;
    int mhz;
    int entry;
};
// Receive, idle and transmit, in that order.
const FrequencyTrio (&frequencyTrios())[3];
// The trio `id` belongs to (display, label or entry box), or nullptr.
const FrequencyTrio* frequencyTrioOf(int id);

}  // namespace quarnel::ui
