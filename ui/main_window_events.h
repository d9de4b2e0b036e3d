// What the main window does with its commands and notifications: the exit
// check, Escape, the band options, the channel step, the frequency entry
// boxes, and every edit of a control, written at once into the image at the
// current channel record (or the header) through the model's edit
// operations, the same ones the command-line tool's `set` calls.
//
// The command handlers have the shape of the main window's command routes:
// they get the control id and the notification code and return whether they
// took the command. A command nobody takes ends in the unknown-command notice.
#pragma once

#include <windows.h>

#include "ui/program_state.h"

namespace quarnel::ui {

// "E&xit": ends the main window when the image was saved with no edit since;
// otherwise "File not saved" and the window stays.
bool OnExit(ProgramState& state, int id, int code);

// Escape (IDCANCEL): "File Not Saved" while the modified flag is 1. Taken
// in every case, so Escape never ends the window.
bool OnCancel(ProgramState& state, int id, int code);

// Enter (IDOK): commits the frequency entry box that has the focus. Not
// taken when none has it.
bool OnEnter(ProgramState& state, int id, int code);

// A frequency entry box losing the focus gives up what was typed and brings
// its display back; its other notifications have no effect.
bool OnFrequencyEntry(ProgramState& state, int id, int code);

// "<" and ">": the previous or next channel, wrapping around at the ends.
bool OnChannelStep(ProgramState& state, int id, int code);

// The receive and transmit band options: a new band selection and the
// channel shown again with it. The image does not change.
bool OnBandOption(ProgramState& state, int id, int code);

// The twelve transmit priority options: the priority update, an edit.
bool OnPriorityOption(ProgramState& state, int id, int code);

// A check box or a drop-down with fixed choices that edits a value of the
// value table (its control row names the value): a check box sets or clears
// its one bit, a drop-down stores the position chosen. Not taken for any
// other control.
bool OnValueControl(ProgramState& state, int id, int code);

// The receive and transmit code-type options ("Carrier", "PL", "DPL").
bool OnCodeTypeOption(ProgramState& state, int id, int code);

// The receive and transmit tone or code drop-downs.
bool OnCodeList(ProgramState& state, int id, int code);

// A command no handler took: "command from main() from control " with the
// id and the second parameter.
void showUnknownCommandNotice(int id, LPARAM param);

// A notification from a common control of the main window: the first one
// while the modified flag still holds its start-up value shows the
// first-step notice.
void OnFirstNotification(ProgramState& state);

// The close box: asks first when there are edits not saved since the last
// Open or Save As. Returns whether the window may end.
bool closeConfirmed(ProgramState& state);

}  // namespace quarnel::ui
