// The editor with an image opened, for pictures of it: builds the real main
// window, opens an image through the real Open command (the file dialog
// answered as the UI tests answer it), then runs the program's message loop
// until the window is closed or the process is ended.
//
// The image is the file named by QUARNEL_SHOT_IMAGE, or, without it, the
// realistic repeater image of the tests, written to the temporary folder.
// scripts/screenshot runs this; it is no part of the product.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/sample_image.h"
#include "tests/ui/harness.h"
#include "ui/main_window.h"
#include "ui/main_window_ids.h"
#include "ui/program_state.h"
#include "ui/text.h"

namespace test = quarnel::test;
namespace ui = quarnel::ui;
using quarnel::testing::eprom;
using quarnel::testing::repeaterImage;

int main() {
    const wchar_t* named = _wgetenv(L"QUARNEL_SHOT_IMAGE");
    std::wstring image = named ? named : L"";
    if (image.empty()) {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        image = std::wstring(folder) + L"hilltop-repeater.bin";
        test::writeFile(image, eprom(repeaterImage()));
    }

    ui::ProgramState state(GetModuleHandleW(nullptr));
    HWND main = ui::createMainWindow(state);
    if (!main) {
        std::fprintf(stderr, "editor_shot: the main window was not created\n");
        return 1;
    }
    {
        test::DialogDriver dialogs;
        dialogs.expectDialog(test::chooseFile(image));
        SendMessageW(main, WM_COMMAND, MAKEWPARAM(ui::ids::kOpen, 0), 0);
        if (state.currentChannel != 1) {
            std::fprintf(stderr, "editor_shot: %s was not opened\n", ui::narrow(image).c_str());
            return 1;
        }
    }
    return ui::runMainWindow(state);
}
