// Opening the reference windows from the main window's menu, with the
// editor's state set up as a channel display leaves it, and reading their
// controls back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/image.h"
#include "tests/ui/harness.h"

namespace quarnel::test {

// Menu commands of the "&References" menu.
constexpr int kCtcssCommand = 911;
constexpr int kEpromMapCommand = 912;
constexpr int kChannelBytesCommand = 915;

// Puts `image` in `state` and displays channel `channel` as the main window
// does: the image as the display leaves it, the kept view and the current
// channel.
void showChannel(ui::ProgramState& state, const Image& image, int channel);

class ReferenceTest : public EditorTest {
protected:
    void showChannel(const Image& image, int channel) { test::showChannel(state(), image, channel); }

    // The window the menu command opened: the one that joined the loop's
    // list of modeless windows. nullptr (and a failure) when none did.
    HWND open(int command, int code = 0);

    std::vector<HWND> modeless() { return state().windows.modeless.all(); }
};

// The text of control `id` of `window`.
std::wstring textOf(HWND window, int id);

// Whether the control has the visible style (its parent may be hidden).
bool shown(HWND control);

// What WM_CTLCOLORSTATIC gives control `id` of `window`.
Colours staticColours(HWND window, int id);

// Whether the control keeps the default colours of its dialog.
bool defaultColours(const Colours& colours);

// Expects `window`'s client area (with its vertical scroll bar, when it has
// one) to start at x, y and be w x h, all in its dialog units.
void expectClientPlace(HWND window, int x, int y, int w, int h);

// Expects control `id` of `window` at x, y, w x h dialog units.
void expectControlPlace(HWND window, int id, int x, int y, int w, int h);

}  // namespace quarnel::test
