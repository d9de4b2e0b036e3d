// The channel edits of the main window's frequency entries, code-type options,
// tone and code drop-downs and "Invert DPL" check boxes, as operations on the
// image. The editor's handlers and the command-line tool's `set` both call
// these, so an edit changes the same bytes whichever way it is made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/image.h"
#include "model/synthesizer.h"
#include "model/tones.h"

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

// "Invert DPL" checked or cleared.
EditOutcome setInvertDpl(Image& image, std::size_t base, Direction direction, bool checked);

}  // namespace quarnel
