// The CW message editor: a small modal window over the main window with one
// text box per CW message, "Add ID", "&Cancel" and "&Save". It works from the
// message count and CW area bounds the last channel display kept
// (state.displayed), stores through the model's storeMessage and addMessage
// (the same path quarnel-cli message takes), and redisplays the main window
// after each store path.
#pragma once

#include "ui/program_state.h"

namespace quarnel::ui {

// Runs the editor modally over the main window and returns once it is closed.
void showCwEditor(ProgramState& state);

// The main window's "Edit Messages" command: opens the editor for a plain
// click (notification 0) and leaves every other notification untaken.
bool editMessagesCommand(ProgramState& state, int id, int code);

}  // namespace quarnel::ui
