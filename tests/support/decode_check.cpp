#include "tests/support/decode_check.h"

#include <cstring>

#include "model/layout.h"
#include "model/notice.h"

namespace quarnel::testing {

namespace {

// Characters the Morse decoder can produce.
bool decodable(char c) {
    return c == ' ' || c == '/' || c == ',' || c == '.' || c == '?' || (c >= 'A' && c <= 'Z') ||
           (c >= '0' && c <= '9');
}

// "448.8500", " 45.6500", "1000.0000": integer part right-aligned in at
// least three positions, then exactly `decimals` digits.
bool frequencyShape(const std::string& text, int decimals) {
    const std::size_t point = text.find('.');
    if (point == std::string::npos || point < 3) return false;
    if (text.size() - point - 1 != static_cast<std::size_t>(decimals)) return false;
    bool digitSeen = false;
    for (std::size_t i = 0; i < point; ++i) {
        const char c = text[i];
        if (c == ' ' && !digitSeen) continue;
        if (c < '0' || c > '9') return false;
        digitSeen = true;
    }
    for (std::size_t i = point + 1; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return digitSeen;
}

void checkFrequency(std::vector<std::string>& out, const char* name, const FrequencyView& f,
                    Direction direction) {
    const int decimals = direction == Direction::Transmit ? 5 : 4;
    const bool disabled = direction == Direction::Receive && f.text == "Disabled";
    if (!disabled && !frequencyShape(f.text, decimals))
        out.push_back(std::string(name) + " frequency text \"" + f.text + "\" is not a frequency");
    if (f.reference < 0 || f.reference > 3 || f.referenceText.empty())
        out.push_back(std::string(name) + " reference " + std::to_string(f.reference) + " has no label");
    if (f.swallow < 0 || f.swallow > 63 || f.mainCount < 0 || f.mainCount > 1023)
        out.push_back(std::string(name) + " counts outside their fields");
}

void checkCode(std::vector<std::string>& out, const ChannelView& v, const CodeView& c,
               Direction direction) {
    const bool rx = direction == Direction::Receive;
    const char* name = rx ? "receive code" : "transmit code";
    const DisplayStep step = rx ? DisplayStep::ReceiveCode : DisplayStep::TransmitCode;
    if (c.listEnabled != (c.type != CodeType::Carrier))
        out.push_back(std::string(name) + ": list enabled does not follow the code type");
    if (c.type == CodeType::Carrier) return;
    const int size = c.type == CodeType::Pl ? 42 : 83;
    int notices = 0;
    for (const auto& n : v.notices) {
        if (n.step != step) continue;
        ++notices;
        const std::string prefix = std::string(rx ? "RX " : "TX ") +
                                   (c.type == CodeType::Pl ? "PL" : "DPL") + " not found:";
        if (n.text.compare(0, prefix.size(), prefix) != 0 || n.text.size() <= prefix.size())
            out.push_back(std::string(name) + ": unclear notice \"" + n.text + "\"");
    }
    if (c.item) {
        if (*c.item < 0 || *c.item >= size)
            out.push_back(std::string(name) + ": item " + std::to_string(*c.item) + " outside its list");
        if (notices != 0) out.push_back(std::string(name) + ": found and reported as not found");
    } else if (notices != 1) {
        out.push_back(std::string(name) + ": no selection and " + std::to_string(notices) + " notices");
    }
    if (c.invertEnabled != (c.type == CodeType::Dpl))
        out.push_back(std::string(name) + ": Invert DPL enabled does not follow the code type");
}

void checkHeader(std::vector<std::string>& out, const ChannelView& v) {
    const HeaderView& h = v.header;
    if (h.cw.count < 0) out.push_back("negative CW message count");
    if (h.cw.addressError != (h.cw.span < 0))
        out.push_back("CW address error does not follow the span " + std::to_string(h.cw.span));
    int errors = 0;
    for (const auto& n : v.notices)
        if (n.step == DisplayStep::CwMessages) errors += n.text == "CW address error" ? 1 : 100;
    if (errors != (h.cw.addressError ? 1 : 0)) out.push_back("CW address error reported wrongly");
    if (h.cwMessages.size() != static_cast<std::size_t>(h.cw.count))
        out.push_back("CW message list holds " + std::to_string(h.cwMessages.size()) + " texts for " +
                      std::to_string(h.cw.count) + " messages");
    for (const auto& text : h.cwMessages) {
        if (text.size() > 4 * kCwSlotBytes) out.push_back("CW message longer than a slot can hold");
        for (char c : text)
            if (!decodable(c)) out.push_back("CW message holds a character Morse cannot give");
    }
    const auto item = [&h](Value list) { return h.items[valueIndex(list)]; };
    const auto rekey = item(Value::RekeyDelay), toneStart = item(Value::ToneStartDelay);
    if (rekey && (*rekey < 0 || *rekey >= kDelayItems)) out.push_back("re-key delay item outside its list");
    if (toneStart && (*toneStart < 0 || *toneStart >= kDelayItems))
        out.push_back("tone start delay item outside its list");
    const int speed = item(Value::CwSpeed).value_or(-1), idTimer = item(Value::IdTimer).value_or(-1);
    if (speed < 0 || speed >= kSpeedItems) out.push_back("CW speed item outside its list");
    if (idTimer < 0 || idTimer > 31) out.push_back("ID timer item outside its list");
}

}  // namespace

const std::vector<BandPair>& allBandPairs() {
    static const std::vector<BandPair> pairs = [] {
        std::vector<BandPair> p;
        for (Band rx : {Band::Vhf, Band::Uhf, Band::Band800})
            for (Band tx : {Band::Vhf, Band::Uhf, Band::Band800}) p.emplace_back(rx, tx);
        return p;
    }();
    return pairs;
}

std::vector<std::string> viewProblems(const Image& image, const ChannelView& v) {
    std::vector<std::string> out;
    checkHeader(out, v);
    if (!v.ok()) {
        if (v.problem.empty() || v.problem != layoutErrorText(v.error, v.channel))
            out.push_back("channel " + std::to_string(v.channel) + " fails without saying why");
        return out;
    }
    const std::size_t size = readField(image, Field::Size);
    const std::size_t span = size > kRecordFieldBytes ? size : kRecordFieldBytes;
    if (v.base + span > kEpromSize) out.push_back("a record past the image decodes");
    checkFrequency(out, "receive", v.rx, Direction::Receive);
    checkFrequency(out, "transmit", v.tx, Direction::Transmit);
    checkFrequency(out, "idle", v.idle, Direction::Idle);
    checkCode(out, v, v.rxCode, Direction::Receive);
    checkCode(out, v, v.txCode, Direction::Transmit);
    const std::optional<int> message = v.item(Value::CwMessage);
    if (message && (*message < 0 || *message >= v.header.cw.count))
        out.push_back("CW ID selection outside the message list");
    if (v.priority.byte & 0xC0) out.push_back("priority update keeps bits 6-7");
    for (const auto& n : v.notices)
        if (n.text.empty()) out.push_back("an empty message box");
    return out;
}

namespace {

// The channels a sweep decodes, in ascending order.
std::vector<int> sweptChannels(const Image& image, int leading) {
    const int modes = static_cast<int>(readField(image, Field::Modes));
    std::vector<int> out;
    for (int n = 1; n <= modes && n <= leading; ++n) out.push_back(n);
    if (modes <= leading) return out;
    int lastInside = 0;  // records lie at ascending offsets
    while (lastInside < modes && channelBase(image, lastInside + 1).ok()) ++lastInside;
    for (int n : {lastInside - 1, lastInside, lastInside + 1, modes - 1, modes})
        if (n > leading && n <= modes && (out.empty() || n > out.back())) out.push_back(n);
    return out;
}

}  // namespace

std::vector<std::string> decodeProblems(const Image& image, const DecodeSweep& sweep) {
    std::vector<std::string> out;
    auto add = [&](const std::vector<std::string>& found, int channel) {
        for (const auto& p : found) out.push_back("channel " + std::to_string(channel) + ": " + p);
    };
    for (const auto& text : layoutProblems(image))
        if (text.empty()) out.push_back("an empty layout problem");
    for (const auto& text : structuralProblems(image))
        if (text.empty()) out.push_back("an empty structural problem");

    const int modes = static_cast<int>(readField(image, Field::Modes));
    for (int n : {0, modes + 1, -1}) {
        const ChannelView v = channelView(image, {n, Band::Uhf, Band::Uhf});
        if (v.ok()) out.push_back("channel " + std::to_string(n) + " of " + std::to_string(modes) + " decodes");
        add(viewProblems(image, v), n);
    }
    for (int n : sweptChannels(image, sweep.leading)) {
        for (const auto& [rx, tx] : sweep.bands) {
            const ChannelView v = channelView(image, {n, rx, tx});
            add(viewProblems(image, v), n);
        }
        // The display itself: only the priority update's bits 6-7 of TX
        // Priority may change.
        Image shown = image;
        const ChannelView v = displayChannel(shown, {n, Band::Uhf, Band::Uhf});
        const std::size_t priority = v.ok() ? v.base + 7 : kImageSize;
        auto same = [&](std::size_t from, std::size_t to) {
            return from >= to || std::memcmp(&shown.bytes[from], &image.bytes[from], to - from) == 0;
        };
        const bool priorityOnly = priority < kImageSize && ((shown[priority] ^ image[priority]) & 0x3F) == 0;
        if (!same(0, kImageSize) && !(priorityOnly && same(0, priority) && same(priority + 1, kImageSize)))
            out.push_back("channel " + std::to_string(n) + ": the display changed more than TX Priority bits 6-7");
        if (v.ok() && v.priorityRewritten == (shown[v.base + 7] == image[v.base + 7]))
            out.push_back("channel " + std::to_string(n) + ": priorityRewritten is wrong");
    }
    return out;
}

}  // namespace quarnel::testing
