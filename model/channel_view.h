// The channel display as data: everything the main window shows for one
// channel, decoded from the image in the order the display runs its steps.
// The editor writes a view into its controls; the command-line tool prints
// it. Both therefore show exactly the same decoding.
#pragma once

#include <cstddef>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/cw_messages.h"
#include "model/display_steps.h"
#include "model/image.h"
#include "model/layout.h"
#include "model/synthesizer.h"
#include "model/tones.h"
#include "model/values.h"

namespace quarnel {

// A message box the display raises (OK button only), with the step raising it.
struct ViewNotice {
    DisplayStep step;
    std::string text;
};

struct ChannelViewRequest {
    int channel = 1;
    Band rxBand = Band::Uhf;  // reads the receive word
    Band txBand = Band::Uhf;  // reads the transmit and idle words
};

// The header part of the display: the channel count, version and CW message
// count texts, the four header drop-downs and the CW message list.
struct HeaderView {
    int modes = 0;
    std::string channelCountText;  // "Total Number of Channels:  15" (Modes - 1)
    std::string versionText;       // "Codeplug Version byte:  3"
    CwState cw;                    // the CW area as counted: kept for the CW editor
    std::string cwCountText;       // "CW Messages:  2"
    std::vector<std::string> cwMessages;  // the items of the CW message list
    // The selections of the header's drop-downs, by value (the ID timer, the
    // CW speed, the re-key and tone start delays); none where the stored count
    // matches no item.
    std::array<std::optional<int>, kValueCount> items{};
};

// One frequency display and its reference label.
struct FrequencyView {
    std::uint32_t synthesizerHz = 0;  // F as the word decodes
    std::uint32_t hz = 0;             // as shown: F, plus the IF offset on receive
    std::string text;                 // "448.8500", "443.85000", "Disabled"
    int reference = 0;                // reference code 0..3
    std::string_view referenceText;   // "RX Reference 6.250 KHz", "oops": one of the
                                      // fixed texts of referenceText(), never freed
    int swallow = 0;
    int mainCount = 0;
};

// A direction's code-type options, tone or code drop-down and "Invert DPL".
struct CodeView {
    CodeType type = CodeType::Carrier;  // the option checked, and the code type kept
    bool listEnabled = false;     // the drop-down is enabled and filled
    std::optional<int> item;      // its selection (table index - 1); none when not found
    bool invertEnabled = false;   // "Invert DPL" enabled (DPL only)
    bool inverted = false;        // "Invert DPL" checked
    bool noteShown = false;       // receive PL only: the PL filter note
};

// The transmit priority options and the conflict highlight of their labels.
struct PriorityView {
    int repeater = 0;  // 0 Disabled, 1 Highest, 2 Middle, 3 Lowest
    int local = 0;
    int wireline = 0;
    bool repeaterConflict = false;  // the path's label is highlighted
    bool wirelineConflict = false;
    bool localConflict = false;
    std::uint8_t byte = 0;          // TX Priority as the priority update writes it

    int level(PriorityPath path) const;
    bool conflict(PriorityPath path) const;
};

// The priority update for a set of levels: a path whose row (Highest, Middle
// or Lowest) holds another path too is highlighted; the byte is
// repeater | local << 2 | wireline << 4, so bits 6-7 are 0.
PriorityView priorityUpdate(int repeater, int local, int wireline);

struct ChannelView {
    int channel = 0;
    // Set when the record cannot be reached; then only `header` and `problem`
    // are filled and the rest keeps its neutral values.
    LayoutError error = LayoutError::None;
    std::string problem;
    std::size_t base = 0;  // the channel base kept for the edits

    HeaderView header;
    std::string title;         // "Channel  5", or "Tune Channel"
    bool tuneChannel = false;  // the title is drawn in red

    // The check boxes by value, as the display checks them: each Bit value's
    // bit, and "Invert DPL" only with the code type DPL ("Wireline Audio" has
    // no value and is never checked).
    std::array<bool, kValueCount> checks{};
    // The selections of the record's drop-downs by value: the time-outs and
    // the drop-out delay, and the CW message list's (CW ID Select bits 0-3,
    // none when the index is at or beyond the message count).
    std::array<std::optional<int>, kValueCount> items{};

    PriorityView priority;

    FrequencyView rx, tx, idle;
    CodeView rxCode, txCode;

    // In the order the display raises them: "CW address error" (the CW
    // message step), then the receive and the transmit code not found.
    std::vector<ViewNotice> notices;

    bool priorityRewritten = false;  // displayChannel changed TX Priority

    bool ok() const { return error == LayoutError::None; }
    bool checked(Value box) const { return checks[valueIndex(box)]; }
    // A drop-down's selection: the header's for header values, else the record's.
    std::optional<int> item(Value list) const {
        return valueSpec(list).header() ? header.items[valueIndex(list)] : items[valueIndex(list)];
    }
    const FrequencyView& frequency(Direction direction) const;
    const CodeView& code(Direction direction) const;
};

// The header part of the display: the count and version labels, the header
// drop-downs and the CW message list. "CW address error" goes to `notices`.
HeaderView headerView(const Image& image, NoticeSink& notices);

// Decodes channel `request.channel` into a view, touching nothing. The view's
// priority.byte is what the display's last step writes into TX Priority.
ChannelView channelView(const Image& image, const ChannelViewRequest& request);

// The channel display: channelView, then the priority update's rewrite of TX
// Priority (record byte 7) applied to the image, as every display of a
// channel does. priorityRewritten says whether the byte changed (only bits
// 6-7 can); the caller's modified flag stays as it was.
ChannelView displayChannel(Image& image, const ChannelViewRequest& request);

}  // namespace quarnel
