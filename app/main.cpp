// The editor's entry point: builds the program's state and its main window,
// opens the image named on the command line, if any, runs the main window
// until the user ends it, then lets everything go.
#include <windows.h>

#include <memory>
#include <string>

#include "ui/main_window.h"
#include "ui/outside_files.h"
#include "ui/program_state.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The image buffer (zero-filled), the modified flag, the current channel
    // and the shared fonts come with the state; the tone and code tables are
    // constant data of the model.
    auto state = std::make_unique<quarnel::ui::ProgramState>(instance);
    if (!quarnel::ui::createMainWindow(*state)) return 1;
    const std::wstring image = quarnel::ui::imageArgument(GetCommandLineW());
    if (!image.empty()) quarnel::ui::openAtStartUp(*state, image);
    const int result = quarnel::ui::runMainWindow(*state);
    // The fonts are deleted with the state.
    state.reset();
    return result;
}
