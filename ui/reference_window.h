// What the reference windows (EPROM map, channel bytes map, CTCSS table)
// have in common: each is a modeless dialog without owner, served by the
// program's one message loop, closed by its close box, and destroyed with
// the main window. Each window's procedure hands the messages it does not
// treat itself to OnReferenceWindowMessage.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/control_colours.h"
#include "ui/dialog_builder.h"
#include "ui/program_state.h"

namespace quarnel::ui {

// What a reference window keeps while it exists; each kind adds its own.
struct ReferenceWindow {
    explicit ReferenceWindow(ProgramState& programState) : state(programState) {}
    virtual ~ReferenceWindow() = default;
    ReferenceWindow(const ReferenceWindow&) = delete;
    ReferenceWindow& operator=(const ReferenceWindow&) = delete;

    ProgramState& state;
    ControlColours colours;  // of its controls, answered to WM_CTLCOLORSTATIC
    bool ownedByWindow = false;
};

// Creates the window from `frame` (no owner) with `procedure`, which gets
// `data` as the parameter of WM_INITDIALOG and hands it to
// attachReferenceWindow. The window owns `data` from then on. The window is
// registered with the program's message loop and shown. Returns nullptr
// when it cannot be made.
HWND openReferenceWindow(std::unique_ptr<ReferenceWindow> data, const DialogFrame& frame,
                         DLGPROC procedure);

// For WM_INITDIALOG: keeps `param` (the data) with the window and gives the
// window the program's icon.
void attachReferenceWindow(HWND window, LPARAM param);

// The data of a reference window, whatever its kind.
ReferenceWindow* referenceWindowData(HWND window);

// The data of reference window `window` when it is of kind T; nullptr
// before WM_INITDIALOG, once the window is gone, or for another kind.
template <class T>
T* referenceWindowOf(HWND window) {
    return dynamic_cast<T*>(referenceWindowData(window));
}

// The messages every reference window answers alike: the close box destroys
// it (without sending a cancel command first), WM_CTLCOLORSTATIC is answered
// from its colours, WM_DESTROY takes it off the loop's list, WM_NCDESTROY
// deletes its data. Returns the dialog procedure's result (FALSE for any
// other message).
INT_PTR OnReferenceWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Brings an open window to the front, restoring it when it is minimised.
void bringForward(HWND window);

}  // namespace quarnel::ui
