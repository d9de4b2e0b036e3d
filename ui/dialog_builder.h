// Building windows from dialog templates held in memory, and filling them
// with controls described by tables in dialog units.
//
// Every window of the program is a dialog whose template names the dialog
// font (Arial 10), so its dialog units are measured in that font. The
// templates carry no controls: each window creates its controls from a table
// of ControlSpec rows, in table order (which is also the tab order), at
// positions converted with MapDialogRect.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/fonts.h"

namespace quarnel::ui {

// The frame of a dialog: style bits (DS_SETFONT is always added), size in
// dialog units, caption, and where the client area's top-left corner goes
// (dialog units; on the screen for a window without owner).
struct DialogFrame {
    DWORD style;
    DWORD exStyle;
    short width;
    short height;
    const wchar_t* caption;
    short x = 0;
    short y = 0;
};

// A DLGTEMPLATE with no controls and the dialog font; DWORD-aligned storage.
std::vector<WORD> dialogTemplate(const DialogFrame& frame);

// Creates the dialog without showing it and without a loop of its own.
HWND createModelessDialog(HINSTANCE instance, const DialogFrame& frame, HWND owner,
                          DLGPROC procedure, LPARAM param);

// Runs the dialog modally over `owner` and returns its result.
INT_PTR runModalDialog(HINSTANCE instance, const DialogFrame& frame, HWND owner,
                       DLGPROC procedure, LPARAM param);

// A rectangle in dialog units of `dialog`, converted to pixels.
RECT dialogUnitsToPixels(HWND dialog, int x, int y, int width, int height);

enum class ControlKind {
    Label,     // static text
    Picture,   // static bitmap, shown at the bitmap's own size
    Button,    // push button
    Option,    // automatic radio button
    CheckBox,  // automatic check box
    Frame,     // group box, caption centred on the top edge
    DropDown,  // drop-down list without edit field, vertical scroll bar
    EntryBox,  // single-line edit field, digits only, no border
    Rule,      // etched line (an etched frame one unit high or wide)
    TextBox,   // single-line edit field, capitals only, no border, no horizontal
               // scrolling (it takes only as much text as fits its width)
};

// Looks and states of a control; combine with |.
enum ControlFlag : unsigned {
    kRightAligned = 1u << 0,
    kCentred = 1u << 1,
    kVerticallyCentred = 1u << 2,
    kSunken = 1u << 3,
    kReportsClicks = 1u << 4,  // a label that sends STN_CLICKED
    kHidden = 1u << 5,
    kDisabled = 1u << 6,
    kGroup = 1u << 7,          // first control of a keyboard group
    kNoTabStop = 1u << 8,      // for the kinds that are tab stops otherwise
    kMayWrap = 1u << 9,        // a button caption that may take two lines
    kThinBorder = 1u << 10,    // a flat push button
    kDefaultButton = 1u << 11, // the push button Enter presses
};

// One control of a window's table. For a drop-down, `h` is the height of the
// open list. `resource` names the bitmap of a picture or the string resource
// a label's text is loaded from (then `text` is ignored).
struct ControlSpec {
    int id;
    ControlKind kind;
    const wchar_t* text;
    short x, y, w, h;
    unsigned flags = 0;
    Font font = Font::Dialog;
    int resource = 0;
};

const wchar_t* controlClass(ControlKind kind);
DWORD controlStyle(const ControlSpec& def);

// Creates one control of `dialog` at its converted position, with its text
// (`text` when given, else def.text) and `font`.
HWND createControl(HWND dialog, const ControlSpec& def, HFONT font,
                   const wchar_t* text = nullptr);

// Gives `window` the program's icon (resource "#111") in both sizes.
void setProgramIcon(HWND window, HINSTANCE instance);

// Returns `TRUE` from a dialog procedure with `result` as the message's
// result (a dialog procedure's own return value only says "handled").
INT_PTR dialogResult(HWND dialog, LRESULT result);

}  // namespace quarnel::ui
