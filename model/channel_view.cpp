#include "model/channel_view.h"

#include "model/notice.h"
#include "model/text_forms.h"

namespace quarnel {

namespace {

// The message boxes of the header's decoding, kept as notices of the CW
// message step (the only step of the header that raises one).
class CwStepNotices final : public NoticeSink {
public:
    explicit CwStepNotices(std::vector<ViewNotice>& notices) : notices_(notices) {}
    void notice(NoticeKind kind, const std::string& text) override {
        if (kind == NoticeKind::Box) notices_.push_back({DisplayStep::CwMessages, text});
    }

private:
    std::vector<ViewNotice>& notices_;
};

// `label` followed by `value` in the number-to-text form, made in one piece.
std::string labelled(std::string_view label, long long value) {
    const std::string number = signedDecimal(value);
    std::string text;
    text.reserve(label.size() + number.size());
    return text.append(label).append(number);
}

FrequencyView frequencyView(const Image& image, std::size_t base, Direction direction, Band band) {
    const SynthesizerReading r = decodeFrequency(image, base, direction, band);
    return {r.hz,
            shownFrequency(r.hz, direction),
            frequencyText(r.hz, direction, r.swallow, r.mainCount),
            r.reference,
            referenceText(direction, r.reference),
            r.swallow,
            r.mainCount};
}

CodeView codeView(const Image& image, std::size_t base, Direction direction,
                  std::vector<ViewNotice>& notices) {
    const DisplayStep step =
        direction == Direction::Receive ? DisplayStep::ReceiveCode : DisplayStep::TransmitCode;
    CodeView v;
    v.type = codeType(image, base, direction);
    if (v.type == CodeType::Carrier) return v;
    v.listEnabled = true;
    const CodeLookup lookup = v.type == CodeType::Pl ? decodePl(image, base, direction)
                                                     : decodeDpl(image, base, direction);
    if (lookup.found())
        v.item = lookup.index - 1;
    else
        notices.push_back({step, lookup.notFound});
    if (v.type == CodeType::Pl) {
        v.noteShown = direction == Direction::Receive;
    } else {
        v.invertEnabled = true;
        v.inverted = isInverted(image, base, direction);
    }
    return v;
}

}  // namespace

int PriorityView::level(PriorityPath path) const {
    switch (path) {
    case PriorityPath::Repeater: return repeater;
    case PriorityPath::Local: return local;
    case PriorityPath::Wireline: return wireline;
    }
    return 0;
}

bool PriorityView::conflict(PriorityPath path) const {
    switch (path) {
    case PriorityPath::Repeater: return repeaterConflict;
    case PriorityPath::Local: return localConflict;
    case PriorityPath::Wireline: return wirelineConflict;
    }
    return false;
}

const FrequencyView& ChannelView::frequency(Direction direction) const {
    return direction == Direction::Receive ? rx : direction == Direction::Transmit ? tx : idle;
}

const CodeView& ChannelView::code(Direction direction) const {
    return direction == Direction::Receive ? rxCode : txCode;
}

PriorityView priorityUpdate(int repeater, int local, int wireline) {
    PriorityView p;
    p.repeater = repeater;
    p.local = local;
    p.wireline = wireline;
    // Rows Highest, Middle, Lowest: two or more paths in one row conflict.
    for (int level = 1; level <= 3; ++level) {
        const int inRow = (repeater == level) + (local == level) + (wireline == level);
        if (inRow < 2) continue;
        p.repeaterConflict = p.repeaterConflict || repeater == level;
        p.localConflict = p.localConflict || local == level;
        p.wirelineConflict = p.wirelineConflict || wireline == level;
    }
    // A level outside 1..3 is an unchecked row: stored as 0.
    auto stored = [](int level) { return level >= 1 && level <= 3 ? level : 0; };
    p.byte = static_cast<std::uint8_t>(stored(repeater) | stored(local) << 2 | stored(wireline) << 4);
    return p;
}

HeaderView headerView(const Image& image, NoticeSink& notices) {
    HeaderView h;
    // The channel count and version labels.
    h.modes = static_cast<int>(readField(image, Field::Modes));
    h.channelCountText = labelled("Total Number of Channels: ", h.modes - 1);
    h.versionText = labelled("Codeplug Version byte: ", readField(image, Field::VersionByte));
    // The header drop-downs; a count that matches no item selects none.
    for (const ValueSpec& row : valueTable()) {
        if (!row.dropDown() || !row.header()) continue;
        const int item = row.item(image, 0);
        if (item >= 0) h.items[valueIndex(row.value)] = item;
    }
    // The CW messages; a negative span raises "CW address error".
    h.cw = countMessages(image, notices);
    h.cwCountText = labelled("CW Messages: ", h.cw.count);
    h.cwMessages = decodeMessages(image, h.cw);
    return h;
}

ChannelView channelView(const Image& image, const ChannelViewRequest& request) {
    ChannelView v;
    const int n = request.channel;
    v.channel = n;

    // The channel base.
    const ChannelLocation location = channelBase(image, n);
    CwStepNotices headerNotices(v.notices);
    v.header = headerView(image, headerNotices);
    const HeaderView& h = v.header;

    // The title; the tune channel is the last one.
    v.tuneChannel = n == h.modes;
    v.title = v.tuneChannel ? "Tune Channel" : labelled("Channel ", n);

    if (!location.ok()) {
        v.error = location.error;
        v.problem = layoutErrorText(location.error, n);
        return v;
    }
    const std::size_t base = location.base;
    v.base = base;

    // The check boxes (Receiver Ctrl, Rpt Ctrl, ID/Alarm Ctrl, alarms and
    // audio) and the record's drop-downs (the transmit timers and CW ID
    // Select, which selects nothing at or beyond the message count).
    for (const ValueSpec& row : valueTable()) {
        if (row.header()) continue;
        const std::size_t i = valueIndex(row.value);
        if (row.kind == ValueKind::Bit) v.checks[i] = checkBoxState(image, base, row.value);
        if (!row.dropDown()) continue;
        const int item = row.item(image, base);
        if (row.list != ChoiceList::CwMessage || item < h.cw.count) v.items[i] = item;
    }

    // Transmit priority (the highlight is the priority update's).
    const int repeater = priorityLevel(image, base, PriorityPath::Repeater);
    const int local = priorityLevel(image, base, PriorityPath::Local);
    const int wireline = priorityLevel(image, base, PriorityPath::Wireline);

    // The three frequencies and their references.
    v.rx = frequencyView(image, base, Direction::Receive, request.rxBand);
    v.tx = frequencyView(image, base, Direction::Transmit, request.txBand);
    v.idle = frequencyView(image, base, Direction::Idle, request.txBand);

    // Receive code first, then transmit, each raising its own notice.
    v.rxCode = codeView(image, base, Direction::Receive, v.notices);
    v.txCode = codeView(image, base, Direction::Transmit, v.notices);
    // "Invert DPL" is checked only where the code type is DPL.
    for (const ValueSpec& row : valueTable())
        if (row.invertsDpl()) v.checks[valueIndex(row.value)] = v.code(row.direction).inverted;

    // The priority update.
    v.priority = priorityUpdate(repeater, local, wireline);
    return v;
}

ChannelView displayChannel(Image& image, const ChannelViewRequest& request) {
    ChannelView v = channelView(image, request);
    if (!v.ok()) return v;
    v.priorityRewritten = readField(image, Field::TxPriority, v.base) != v.priority.byte;
    writeField(image, Field::TxPriority, v.priority.byte, v.base);
    return v;
}

}  // namespace quarnel
