// The program's state: everything the windows share, made once at start-up
// and alive until the program ends. The tone, PL code and DPL tables are
// constant data of the model (model/tones.h). One ProgramState exists per run of the
// program (the tests make one per case); the main window and every window
// opened from it reach it through the main window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/channel_view.h"
#include "model/image.h"
#include "model/synthesizer.h"
#include "ui/control_colours.h"
#include "ui/editor_notices.h"
#include "ui/fonts.h"

namespace quarnel::ui {

// Modified flag values.
constexpr std::int16_t kModifiedAtStartUp = 4;  // no edit, no notice, no save yet
constexpr std::int16_t kModified = 1;           // edited since the last save
constexpr std::int16_t kSaved = 0;              // saved, no edit since

// The texts of the drop-down boxes with fixed choices. A box made from a
// list takes the entries from index 0 up to the first empty one.
struct ChoiceLists {
    std::array<std::wstring, 33> timer;    // "None", 15 .. 465 seconds
    std::array<std::wstring, 33> idTimer;  // "ALL TX", 1 .. 31 minutes
    std::array<std::wstring, 65> cwSpeed;  // "<1", 1 .. 32 words per minute, ">32"
    std::array<std::wstring, 65> delay;    // 240 .. 15360 milliseconds
};

// The lists filled, numbers written with their sign blank (" 15").
ChoiceLists buildChoiceLists();

// Modeless windows the program's message loop serves besides the main
// window. Unowned reference windows register here; the main window destroys
// those still open when it ends.
class ModelessWindows {
public:
    void add(HWND window);
    void remove(HWND window);
    // IsDialogMessage for the registered window `message` belongs to.
    bool dialogMessage(MSG& message) const;
    void destroyAll();
    const std::vector<HWND>& all() const { return windows_; }

private:
    std::vector<HWND> windows_;
};

struct WindowHandles {
    HWND main = nullptr;
    HWND statusBar = nullptr;
    HWND progressBar = nullptr;
    HWND toolbar = nullptr;
    HIMAGELIST toolbarImages = nullptr;
    HWND epromMap = nullptr;  // the EPROM map while it is open (only one is kept)
    ModelessWindows modeless;
    // The main window's controls by id, kept as they are made: GetDlgItem
    // asks the window system every time (under Wine, a round trip to the
    // Wine server), and a channel display looks at some seventy of them.
    std::unordered_map<int, HWND> mainControls;
};

struct ProgramState {
    explicit ProgramState(HINSTANCE instance);
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

    HINSTANCE instance;
    Image image;                                  // all zero until a file is opened
    std::int16_t modified = kModifiedAtStartUp;
    std::int16_t currentChannel = 0;              // 0: no image opened yet
    Band rxBand = Band::Uhf;                      // receive band selection
    Band txBand = Band::Uhf;                      // transmit band selection (also idle)
    ChoiceLists choices;                          // filled when the main window is built
    SharedFonts fonts;
    WindowHandles windows;
    ControlColours mainColours;                   // colours of the main window's controls
    ChannelView displayed;                        // the last channel display, kept for the
                                                  // edits, the CW editor and the maps
    EditorNotices notices{windows.statusBar};     // the model's notices, shown by the editor
    bool quitWhenMainEnds = false;                // set by the program's message loop
    int mainResult = 0;                           // what the main window ended with

    // Whether the edits may write into the record at displayed.base. False
    // when the last channel display found no record for the current channel
    // (Modes 0, Size 0, the record outside the image, a channel number out of
    // range): then nothing may be written into a record and displayed.base
    // means nothing. True before any image is opened, when the base is 0 of
    // the zero-filled buffer.
    bool recordReachable() const { return displayed.ok(); }
    // An edit since the image last matched a file (Open, Save As): the close
    // box asks before it ends the program. Kept apart from the modified flag,
    // which starts at 4 and is not cleared by Open.
    bool unsavedEdits = false;

    // An edit of the image: the modified flag becomes 1 and the close box asks.
    void noteEdit() {
        modified = kModified;
        unsavedEdits = true;
    }
    // The image holds what a file holds: after Open and Save As.
    void noteImageMatchesFile() { unsavedEdits = false; }
};

}  // namespace quarnel::ui
