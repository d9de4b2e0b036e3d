// The edits of the main window as operations on the image: frequency entries,
// code-type options, tone and code drop-downs, check boxes, drop-downs with
// fixed choices and the transmit priority options. The editor's handlers and
// the command-line tool's `set` both call these, so an edit changes the same
// bytes whichever way it is made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/image.h"
#include "model/layout.h"
#include "model/synthesizer.h"
#include "model/tones.h"
#include "model/values.h"

namespace quarnel {

enum class EditStatus {
    Done,       // the image holds the edit
    Abandoned,  // nothing to do and nothing to say (an entry of fewer than 5 digits)
    Refused,    // nothing written; `refusal` is the message-box text
};

struct EditOutcome {
    EditStatus status = EditStatus::Done;
    std::string refusal;
    // The edit counts as a change: the caller sets the modified flag.
    bool modified = false;
    // The channel display runs next (frequency commits, receive Carrier);
    // other edits leave the controls as the user set them.
    bool redisplay = false;
    // A frequency commit: the text the display shows at once ("448.8125").
    std::string shownText;

    bool done() const { return status == EditStatus::Done; }
};

// Enter in a frequency entry box: completes the typed digits and stores the
// frequency into the direction's word with the direction's band. Fewer than 5
// characters abandon the entry; text with no completion rule and frequencies
// the synthesizer cannot hold are refused with nothing written.
EditOutcome commitFrequencyEntry(Image& image, std::size_t base, Direction direction, Band band,
                                 const std::string& typed);

// Stores a frequency given in hertz (the channel frequency as displayed),
// refusing as commitFrequencyEntry does. Runs the channel display afterwards
// like a commit.
EditOutcome storeFrequency(Image& image, std::size_t base, Direction direction, Band band,
                           std::uint32_t hz);

// A code-type option clicked into the checked state: the code-type change of
// the direction. Receive Carrier redisplays the channel; the others do not
// (the handler refills the direction's drop-down with no selection).
EditOutcome chooseCodeType(Image& image, std::size_t base, Direction direction, CodeType type);

// A tone or code chosen in the direction's drop-down at position `item`
// (0 = first): with code type PL the tone of table index item + 1, with DPL
// the DPL code of index item + 1; Carrier writes nothing. `type` is the code
// type the editor keeps for the direction. An item outside the list is refused.
EditOutcome chooseCodeItem(Image& image, std::size_t base, Direction direction, CodeType type,
                           int item);

// "Invert DPL" checked or cleared: setCheckBox with the direction's box.
EditOutcome setInvertDpl(Image& image, std::size_t base, Direction direction, bool checked);

// ---- Check boxes -------------------------------------------------------------

// A check box (a Bit value: "Wireline Audio" is never enabled and has none)
// clicked into the state `checked`: sets or clears its one bit, every other
// bit stays. No channel display follows. Refused when the record lies
// outside the image.
EditOutcome setCheckBox(Image& image, std::size_t base, Value box, bool checked);

// ---- Drop-downs with fixed choices ---------------------------------------------

// How many items the drop-down of Choice or Timer value `list` offers: 32 for
// the time-outs and the ID timer, 8 for the drop-out delay, 34 for the CW
// speed, 64 for the delays, and for the CW ID message the image's message count.
int dropDownItemCount(const Image& image, Value list);

// The item the channel display selects (0 = first), or -1 for none.
int dropDownItem(const Image& image, std::size_t base, Value list);

// Item `item` (0 = first) chosen in the drop-down: writes the value's field
// (a whole byte where its row says so); header values ignore `base`. No
// channel display follows. An item the drop-down does not offer is refused,
// as is a CW message index that CW ID Select cannot hold (above 15).
EditOutcome chooseDropDownItem(Image& image, std::size_t base, Value list, int item);

// ---- Transmit priority -------------------------------------------------------------

// A priority option clicked: the levels of the three paths as the options
// now stand (1 Highest, 2 Middle, 3 Lowest, 0 when none of those three is
// checked). The priority update writes TX Priority whole, bits 6-7 becoming
// 0; the caller highlights the labels from priorityUpdate(). No channel
// display follows. A level outside 0..3 is refused.
EditOutcome applyPriorityOptions(Image& image, std::size_t base, int repeater, int local,
                                 int wireline);

// One path set to `level`, the other two keeping the levels stored in TX
// Priority: applyPriorityOptions with those levels.
EditOutcome choosePriority(Image& image, std::size_t base, PriorityPath path, int level);

}  // namespace quarnel
