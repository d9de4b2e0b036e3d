// Open and Save As: the common file dialogs, loading and saving the image
// file, and what the two commands report on the main window's progress bar,
// status bar and caption.
#pragma once

#include <string>

#include "ui/program_state.h"

namespace quarnel::ui {

// Open: when the image differs from the file last opened or saved, asks
// first whether to drop those changes ("File not saved", No by default; No
// changes nothing). Then asks for an image file ("EPROM file to edit") and
// loads it, stepping
// the progress bar once per byte; the caption then names the file, the status
// bar gives the bytes read and the checksum, and channel 1 is displayed. The
// modified flag stays as it was. A file that cannot be read is reported in a
// message box naming it and the reason, and the image, the caption and the
// status bar stay as they were. Cancelling changes nothing (the progress bar
// stays shown at 0). A file opened starts a new undo history.
void openImageFile(ProgramState& state);

// Open of a file named from outside the dialog (the command line, a file
// dropped on the main window): the progress bar shown at 0, then all that
// Open does once a file is chosen. Asks nothing.
void openImagePath(ProgramState& state, const std::wstring& path);

// Save As: asks for a file name ("EPROM file to Save"), stores a fresh
// checksum and writes the 4096 bytes through the safe save, stepping the
// progress bar once per byte; then the modified flag is 0, the caption names
// the file and the status bar gives the bytes written and the new checksum.
// The display is not rerun. A file replaced is kept first as NAME.bak (one
// generation); when that backup cannot be kept nothing is saved and the
// failure says why. A save that fails is reported in a message box
// naming the file and the reason and on the status bar; the modified flag and
// the caption stay as they were, and any earlier file of that name is intact.
void saveImageFileAs(ProgramState& state);

// A file name as the status bar shows it: whole up to 40 characters, else its
// first 16 characters, "..." and its last 24.
std::wstring abbreviatedName(const std::wstring& path);

}  // namespace quarnel::ui
