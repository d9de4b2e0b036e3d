// The channel display: the current channel of the image, decoded by the
// model's channel display, written into the main window's controls.
#pragma once

#include "model/channel_view.h"
#include "ui/program_state.h"

namespace quarnel::ui {

// Shows channel state.currentChannel of state.image, read with the band
// selections, in the main window. Runs the model's channel display (which
// also rewrites TX Priority from the priority levels, leaving the modified
// flag alone), keeps its view in state.displayed (channel count, channel
// base, CW area and message count, code types: what the edits, the channel
// step and the CW editor work with until the next display), then writes the
// controls step by step. A message box the decoding raises ("CW address
// error", a code not found) is shown once the controls of the steps before
// it are filled, and the display goes on after it.
//
// When the record cannot be reached (Modes 0, Size 0, the record outside the
// image) the header values and the title are shown, the record's controls go
// back to their neutral start-up state, the reason is written into the first
// part of the status bar, and state.recordReachable() is false. A reason
// left there by an earlier display is cleared when a record is shown again.
//
// Runs after Open, a channel step, a band choice, a frequency commit, the
// receive "Carrier" option and a change of the CW area.
void displayCurrentChannel(ProgramState& state);

// The priority update of a click on one of the twelve priority options: reads
// the options, highlights the labels of the paths that share a row (black on
// red 255, green 153, blue 153), and writes TX Priority of the shown record
// when it is reachable. Keeps the result in state.displayed.priority and
// returns it; the caller sets the modified flag.
PriorityView updatePriorityFromOptions(ProgramState& state);

}  // namespace quarnel::ui
