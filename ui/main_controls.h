// The main window's controls as data, and what the modules below the main
// window need of them: the control table, the controls by id, the status bar
// texts, the channel title, the texts the controls start with, the tone and
// code lists, and the frequency displays with their entry boxes. The main
// window (ui/main_window.h) builds itself from this table; the handlers, the
// channel display, the file commands and the reference windows use it
// without knowing the main window.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "model/synthesizer.h"
#include "model/tones.h"
#include "model/values.h"
#include "ui/dialog_builder.h"
#include "ui/program_state.h"

namespace quarnel::ui {

// One control of the main window: its layout row and the value of the value
// table it belongs to (Value::Count: none). A label naming a value is its
// caption or its display; a check box or a drop-down naming one edits it.
// A null text is the value's caption (for the channel title, the title of
// channel 0).
struct MainControlSpec {
    ControlSpec spec;
    Value value = Value::Count;
};

// Every control below the toolbar, in creation order, which is also the tab
// order.
struct MainControlRows {
    const MainControlSpec* first;
    std::size_t count;
    const MainControlSpec* begin() const { return first; }
    const MainControlSpec* end() const { return first + count; }
};
MainControlRows mainControlRows();

// The text control `row` is created with.
std::wstring creationText(const MainControlSpec& row, int channel);

// The value the check box or drop-down `id` edits; nullptr for any other
// control.
const ValueSpec* editedValue(int id);

// The check box or drop-down that edits `value`; 0 when the value has none
// (frequencies and priorities are edited through their own controls).
int valueControl(Value value);

// Control `id` of the main window (from the handles kept as the controls
// were made); nullptr when it has none.
HWND mainControl(const ProgramState& state, int id);

// Writes `text` into part 0 or 1 of the status bar.
void setStatusText(const ProgramState& state, int part, const std::wstring& text);
// The text of part 0 or 1 of the status bar.
std::wstring statusText(const ProgramState& state, int part);

// "Channel " followed by `channel` with its sign blank ("Channel  5").
std::wstring channelTitle(int channel);

// The text control `id` of the main window is created with ("000.0000",
// "Receive Reference", ...); empty for an id it does not know.
std::wstring initialText(int id);

// Appends `text` to drop-down `box`.
void addListItem(HWND box, const std::wstring& text);

// Empties the tone or code drop-down `box` and fills it for `type` from the
// model's tables in table order: the 42 tones as their five-character texts
// for PL, the 83 DPL codes for DPL, nothing for Carrier. Item p is table
// index p + 1; no item is selected.
void fillCodeList(HWND box, CodeType type);

// The same list as fillCodeList, left as it is when fillCodeList filled
// `box` for `type` last and it still holds as many items, the last one the
// same (no selection is changed then): the channel display shows the tones
// or codes again at every step, and refilling 83 items is 84 messages to
// the box. A list filled or emptied by other means is filled again.
void showCodeItems(HWND box, CodeType type);

// A direction's squelch controls: its code-type options ("Carrier", "PL",
// "DPL", ids in that order), its tone or code drop-down, its "Invert DPL" box
// and the PL filter note (receive only).
struct CodeControls {
    Direction direction;
    int carrier, pl, dpl;
    int list;
    int invert;
    int note;  // 0: none
};
const CodeControls& codeControlsOf(Direction direction);
// The direction whose code-type option `id` is, or nullptr.
const CodeControls* codeControlsOfOption(int id);
// The code type option `id` of `controls` stands for.
CodeType optionCodeType(const CodeControls& controls, int id);
// The option that stands for `type`.
int codeTypeOption(const CodeControls& controls, CodeType type);

// Ends the main window with `result`; the program's loop then returns it.
void endMainWindow(ProgramState& state, int result);

// A frequency display, its "MHz" label and the entry box that replaces both
// while a frequency is typed.
struct FrequencyTrio {
    int display;
    int mhz;
    int entry;
};
// Receive, idle and transmit, in that order.
const FrequencyTrio (&frequencyTrios())[3];
// The trio `id` belongs to (display, label or entry box), or nullptr.
const FrequencyTrio* frequencyTrioOf(int id);

}  // namespace quarnel::ui
