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

// EnableWindow.
void setEnabled(HWND control, bool enabled);

// ShowWindow with SW_SHOW or SW_HIDE.
void setShown(HWND control, bool shown);

}  // namespace quarnel::ui
