// The editor's keyboard shortcuts: one accelerator table, translated in the
// program's one message loop for every window it serves (the main window and
// the reference windows), each key sending the main window the command its
// menu item, toolbar button or push button sends.
//   Ctrl+O     "&Open" (902)
//   Ctrl+S     "&Save As" (903), the only save the editor has
//   Ctrl+Z     undo the last change to the image
//   Ctrl+Y     redo the change last undone
//   Page Up    "<", the previous channel (944)
//   Page Down  ">", the next channel (945)
// Modal windows (message boxes, the file dialogs, the CW message editor) run
// loops of their own and take no shortcut.
#pragma once

#include <windows.h>

#include "ui/program_state.h"

namespace quarnel::ui {

namespace ids {
constexpr int kUndo = 907;  // Ctrl+Z; no menu item
constexpr int kRedo = 908;  // Ctrl+Y; no menu item
}  // namespace ids

class KeyboardShortcuts {
public:
    KeyboardShortcuts();
    ~KeyboardShortcuts();
    KeyboardShortcuts(const KeyboardShortcuts&) = delete;
    KeyboardShortcuts& operator=(const KeyboardShortcuts&) = delete;

    // Sends the main window the command of the shortcut `message` is, and
    // says whether it was one; the loop then neither translates nor
    // dispatches it. Page Up and Page Down stay with a drop-down whose list
    // is open, which pages through its items.
    bool translate(const ProgramState& state, MSG& message) const;

private:
    HACCEL table_;
};

}  // namespace quarnel::ui
