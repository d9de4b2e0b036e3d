// Files that come to the editor from outside its dialogs: an image named on
// the command line or dropped on the main window, both opened through the
// Open command's own path, and the toolbar pictures, found beside the
// program when the current folder does not hold them.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "ui/program_state.h"

namespace quarnel::ui {

// The image named on `commandLine` (the whole command line, the program's
// own name first, as GetCommandLineW gives it): the first argument, made a
// full path against the current folder. Empty when there is none; further
// arguments are ignored.
std::wstring imageArgument(const wchar_t* commandLine);

// Start-up with an image named: the main window is shown and the image
// opened as Open opens it once a file is chosen. The first-step notice is
// not shown, since the user has started by opening a file: the modified
// flag becomes 1 as that notice leaves it.
void openAtStartUp(ProgramState& state, const std::wstring& path);

// Lets the main window take files dropped on it.
void acceptDroppedFiles(const ProgramState& state);

// WM_DROPFILES: the first file dropped is opened as Open opens it, asking
// first, as Open does, when the image differs from the file last opened or
// saved. The drop handle is released.
void OnDropFiles(ProgramState& state, HDROP drop);

// Where the picture file `name` is read from: the current folder when it
// holds it, else the folder of the program.
std::wstring pictureFile(const wchar_t* name);

}  // namespace quarnel::ui
