// Setting the state of a control only where it changes. Under Wine every
// change of a control is a round trip to the Wine server and makes the
// control draw itself again, so the windows that show many values at once
// (the channel display, the EPROM map) leave alone what already shows the
// value. Each function does exactly what its plain Win32 call does when the
// state differs, and nothing when it does not.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quarnel::ui {

// SetWindowTextW.
void setControlText(HWND control, const std::wstring& text);

// The text of a label, stored without drawing the label, for a window that
// is drawn whole right after: Wine's label draws itself at once when its
// text is set, and the whole-window redraw would draw it a second time.
// Labels (static controls) only: they read their text when they draw.
void setLabelTextUndrawn(HWND label, const std::wstring& text);

// BM_SETCHECK with BST_CHECKED or BST_UNCHECKED. For an option button that
// includes its tab stop, which BM_SETCHECK gives a checked option and takes
// from an unchecked one. An automatic option button is checked as a plain
// option button for that moment: checking an automatic one makes it clear
// the other options of its group, and Wine finds them by walking every
// control of the window, one round trip to the Wine server per control
// (about 110 in the main window). The callers set every option of a group
// themselves.
void setButtonCheck(HWND button, bool checked);

// CB_SETCURSEL: `item`, or no selection.
void selectItem(HWND box, std::optional<int> item);

// Whether drop-down `box` holds exactly `items`, in that order.
bool holdsItems(HWND box, const std::vector<std::wstring>& items);

// Whether item `index` of drop-down `box` reads `text`.
bool itemReads(HWND box, std::size_t index, const std::wstring& text);

// EnableWindow.
void setEnabled(HWND control, bool enabled);

// ShowWindow with SW_SHOW or SW_HIDE.
void setShown(HWND control, bool shown);

// Holds off the drawing of a shown window and its controls (WM_SETREDRAW)
// while many of its controls change, for a caller that draws the whole
// window anew once they are set: a changed label, an enabled drop-down or a
// newly selected item otherwise draws itself at once, and is drawn a second
// time by the whole-window redraw. Does nothing when `hold` is false or the
// window is not shown (turning drawing on again would mark a hidden window
// shown). Drawing comes back with release() or at the end of the scope.
class DrawingHeld {
public:
    DrawingHeld(HWND window, bool hold);
    ~DrawingHeld() { release(); }
    DrawingHeld(const DrawingHeld&) = delete;
    DrawingHeld& operator=(const DrawingHeld&) = delete;
    void release();

private:
    HWND window_ = nullptr;
};

}  // namespace quarnel::ui
