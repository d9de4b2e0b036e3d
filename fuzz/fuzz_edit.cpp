// Fuzz target: an image is opened and edited by a script of the edits the
// editor's handlers make (frequencies, squelch codes and code types, check
// boxes, time-outs and the other drop-downs, priorities, CW messages stored,
// added and grown), then saved and loaded again. After every step:
//   - the bytes that changed lie inside what the edit names, bit for bit,
//     and a refused edit changes nothing;
//   - the edit reads back as it was made (a frequency decodes to what was
//     entered, a tone to the tone chosen, a message to its text);
//   - growing the CW area moves the data behind it intact;
//   - the overflow slot and everything outside the image stay untouched
//     (the image sits alone on the heap, inside the sanitizer's red zones);
//   - the saved image is 4096 bytes whose checksum verifies when loaded.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "fuzz/edit_script.h"
#include "fuzz/fuzz_check.h"
#include "model/channel_view.h"
#include "model/cw_growth.h"
#include "model/cw_messages.h"
#include "model/edits.h"
#include "model/image.h"
#include "model/layout.h"
#include "model/notice.h"
#include "model/synthesizer.h"
#include "model/tones.h"
#include "model/values.h"
#include "tests/support/decode_check.h"

namespace fs = std::filesystem;
using namespace quarnel;
using quarnel::fuzz::Op;
using quarnel::fuzz::ScriptReader;

namespace {

// The bits an edit may change, per image offset.
class Footprint {
public:
    void allow(std::size_t offset, std::uint8_t bits = 0xFF) {
        if (offset < kImageSize) mask_[offset] |= bits;
    }
    void allowRange(std::size_t from, std::size_t to) {
        for (std::size_t a = from; a < to; ++a) allow(a);
    }
    void allowField(Field field, std::size_t base) {
        const FieldSpec& def = fieldSpec(field);
        const std::size_t start = def.area == Area::Header ? def.offset : base + def.offset;
        const std::uint32_t bits = (def.bits >= 32 ? 0xFFFFFFFFu : (1u << def.bits) - 1u) << def.shift;
        for (std::size_t i = 0; i < def.bytes; ++i)
            allow(start + i, static_cast<std::uint8_t>(bits >> (8 * (def.bytes - 1 - i))));
    }
    void add(const Footprint& other) {
        for (std::size_t a = 0; a < kImageSize; ++a) mask_[a] |= other.mask_[a];
    }
    std::uint8_t operator[](std::size_t offset) const { return mask_[offset]; }

private:
    std::array<std::uint8_t, kImageSize> mask_{};
};

// What the editor keeps between events.
struct Session {
    std::unique_ptr<Image> image = std::make_unique<Image>();
    std::unique_ptr<Image> opened = std::make_unique<Image>();  // as loaded
    Band rxBand = Band::Uhf;
    Band txBand = Band::Uhf;
    int channel = 1;
    bool haveChannel = false;
    std::size_t base = 0;
    CodeType rxType = CodeType::Carrier;
    CodeType txType = CodeType::Carrier;
    CwState kept;
    Footprint everChanged;
    std::vector<std::string> trail;

    Image& img() { return *image; }
};

// Checks a property; the message is only built when it fails.
#define REQUIRE(session, condition, message)                          \
    do {                                                              \
        if (!(condition)) quarnel::fuzz::fail((message), (session).trail); \
    } while (false)

std::string hex(std::size_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%zX", v);
    return buf;
}

const char* directionName(Direction d) {
    return d == Direction::Receive ? "rx" : d == Direction::Transmit ? "tx" : "idle";
}

Direction directionOf(std::uint8_t b) {
    static const Direction kDirections[] = {Direction::Receive, Direction::Transmit, Direction::Idle};
    return kDirections[b % 3];
}

Band bandOf(unsigned v) { return static_cast<Band>(1 + v % 3); }

// Every changed bit must be allowed by `fp`; the allowed bits join the
// session's record of everything edited.
void checkChanges(Session& s, const Image& before, const Footprint& fp, const std::string& what) {
    const Image& after = *s.image;
    for (std::size_t a = 0; a < kImageSize; ++a) {
        const std::uint8_t changed = before[a] ^ after[a];
        if (changed & ~fp[a])
            fuzz::fail(what + " changed byte " + hex(a) + " from " + hex(before[a]) + " to " + hex(after[a]) +
                           " outside the bits it names",
                       s.trail);
    }
    s.everChanged.add(fp);
}

void checkUnchanged(Session& s, const Image& before, const std::string& what) {
    checkChanges(s, before, Footprint{}, what);
}

// The channel display, as every step, band change and redisplay runs it.
void display(Session& s) {
    const Image before = s.img();
    const ChannelView v = displayChannel(s.img(), {s.channel, s.rxBand, s.txBand});
    Footprint fp;
    if (v.ok()) fp.allow(v.base + 7, 0xC0);  // the priority update clears bits 6-7
    checkChanges(s, before, fp, "the display");
    const auto problems = testing::viewProblems(before, v);
    REQUIRE(s, problems.empty(), "display of channel " + std::to_string(s.channel) + ": " +
                                    (problems.empty() ? "" : problems.front()));
    s.kept = v.header.cw;
    s.haveChannel = v.ok();
    s.base = v.base;
    s.rxType = v.rxCode.type;
    s.txType = v.txCode.type;
}

// ---- Frequencies ---------------------------------------------------------

std::size_t wordOffset(Direction d) { return d == Direction::Receive ? 0 : d == Direction::Transmit ? 3 : 19; }

Footprint wordFootprint(const Session& s, Direction d) {
    Footprint fp;
    const std::size_t at = s.base + wordOffset(d);
    fp.allow(at);
    fp.allow(at + 1);
    // Bits 2, 3 and 6 of the third byte belong to others; bit 7 is a
    // receive word's flag only.
    fp.allow(at + 2, d == Direction::Receive ? 0xB3 : 0x33);
    return fp;
}

void checkFrequencyEdit(Session& s, const Image& before, const EditOutcome& out, Direction d,
                        std::uint32_t hz, const std::string& what) {
    if (!out.done()) {
        REQUIRE(s, out.status == EditStatus::Abandoned || !out.refusal.empty(), what + ": refused without a reason");
        checkUnchanged(s, before, what);
        return;
    }
    checkChanges(s, before, wordFootprint(s, d), what);
    const Band band = d == Direction::Receive ? s.rxBand : s.txBand;
    const SynthesizerReading r = decodeFrequency(s.img(), s.base, d, band);
    REQUIRE(s, shownFrequency(r.hz, d) == hz, what + ": reads back as " + std::to_string(shownFrequency(r.hz, d)));
    REQUIRE(s, out.modified && out.redisplay, what + ": a stored frequency redisplays");
    display(s);
}

void entryOp(Session& s, ScriptReader& r) {
    const Direction d = directionOf(r.byte());
    std::string typed;
    const std::size_t length = r.byte() % 10;
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t b = r.byte();
        typed.push_back(b < 240 ? static_cast<char>('0' + b % 10) : static_cast<char>(b));
    }
    const std::string what = std::string("entry ") + directionName(d) + " \"" + typed + "\"";
    s.trail.push_back(what);
    if (!s.haveChannel) return;
    const Image before = s.img();
    const Band band = d == Direction::Receive ? s.rxBand : s.txBand;
    const EditOutcome out = commitFrequencyEntry(s.img(), s.base, d, band, typed);
    const EntryCompletion entry = completeEntry(typed);
    REQUIRE(s, (out.status == EditStatus::Abandoned) == (typed.size() < 5), what + ": abandoned wrongly");
    if (out.done()) REQUIRE(s, entry.completed() && out.shownText == entry.text, what + ": shown text");
    checkFrequencyEdit(s, before, out, d, entry.hz, what);
}

void hertzOp(Session& s, ScriptReader& r) {
    const Direction d = directionOf(r.byte());
    const std::uint32_t hz = r.word32();
    const std::string what = std::string("frequency ") + directionName(d) + " " + std::to_string(hz) + " Hz";
    s.trail.push_back(what);
    if (!s.haveChannel) return;
    const Image before = s.img();
    const Band band = d == Direction::Receive ? s.rxBand : s.txBand;
    const EditOutcome out = storeFrequency(s.img(), s.base, d, band, hz);
    checkFrequencyEdit(s, before, out, d, hz, what);
}

// ---- Squelch codes -------------------------------------------------------

Footprint codeTypeFootprint(std::size_t base, Direction d, CodeType type) {
    Footprint fp;
    if (d == Direction::Receive) {
        if (type == CodeType::Carrier) {
            fp.allow(base + 6, 0x50);   // Receiver Ctrl: Code off, Carrier on
            fp.allow(base + 15, 0x34);  // Code Ctrl AND 0xCB
            fp.allow(base + 16, 0x44);  // Rpt Ctrl: activate and hold lose Code
        } else {
            fp.allow(base + 2, 0x40);   // the PL flag
            fp.allow(base + 15, 0x3F);  // all but the transmit type
        }
        fp.allow(base + 13);
        fp.allow(base + 14);
    } else {
        if (type == CodeType::Carrier) {
            fp.allow(base + 15, 0xC4);  // Code Ctrl AND 0x3B
        } else {
            fp.allow(base + 5, 0x40);
            fp.allow(base + 15, 0xCF);  // all but the receive type
        }
        fp.allow(base + 11);
        fp.allow(base + 12);
    }
    return fp;
}

const char* typeName(CodeType t) { return t == CodeType::Carrier ? "carrier" : t == CodeType::Pl ? "PL" : "DPL"; }

void codeTypeOp(Session& s, ScriptReader& r) {
    const Direction d = directionOf(r.byte());
    static const CodeType kTypes[] = {CodeType::Carrier, CodeType::Dpl, CodeType::Pl};
    const CodeType type = kTypes[r.byte() % 3];
    const std::string what = std::string("code type ") + directionName(d) + " " + typeName(type);
    s.trail.push_back(what);
    if (!s.haveChannel) return;
    const Image before = s.img();
    const EditOutcome out = chooseCodeType(s.img(), s.base, d, type);
    if (d == Direction::Idle) {
        REQUIRE(s, out.status == EditStatus::Refused, what + ": the idle frequency has no code");
        checkUnchanged(s, before, what);
        return;
    }
    REQUIRE(s, out.done() && out.modified, what + ": not done");
    checkChanges(s, before, codeTypeFootprint(s.base, d, type), what);
    REQUIRE(s, codeType(s.img(), s.base, d) == type, what + ": reads back as another type");
    (d == Direction::Receive ? s.rxType : s.txType) = type;
    REQUIRE(s, out.redisplay == (d == Direction::Receive && type == CodeType::Carrier), what + ": redisplay");
    if (out.redisplay) display(s);
}

void codeItemOp(Session& s, ScriptReader& r) {
    const Direction d = directionOf(r.byte());
    const int item = r.signedWord();
    const CodeType type = d == Direction::Receive ? s.rxType : s.txType;
    const std::string what = std::string("code item ") + directionName(d) + " " + typeName(type) + " " +
                             std::to_string(item);
    s.trail.push_back(what);
    if (!s.haveChannel) return;
    const Image before = s.img();
    const bool invertedBefore = isInverted(before, s.base, d);
    const EditOutcome out = chooseCodeItem(s.img(), s.base, d, type, item);
    const int listSize = type == CodeType::Pl ? kToneCount : type == CodeType::Dpl ? kDplCount : 0;
    if (d == Direction::Idle || (type != CodeType::Carrier && (item < 0 || item >= listSize))) {
        REQUIRE(s, out.status == EditStatus::Refused && !out.refusal.empty(), what + ": not refused");
        checkUnchanged(s, before, what);
        return;
    }
    REQUIRE(s, out.done(), what + ": not done");
    if (type == CodeType::Carrier) {
        checkUnchanged(s, before, what);
        return;
    }
    const std::size_t high = s.base + (d == Direction::Receive ? 13 : 11);
    Footprint fp;
    if (type == CodeType::Pl) {
        fp.allow(high);
        fp.allow(high + 1);
    } else {
        fp.allow(high, 0x0F);      // the upper nibble stays
        fp.allow(high + 1, 0xFE);  // and so does the inversion bit
    }
    checkChanges(s, before, fp, what);
    const CodeLookup back = type == CodeType::Pl ? decodePl(s.img(), s.base, d) : decodeDpl(s.img(), s.base, d);
    REQUIRE(s, back.index == item + 1, what + ": reads back as index " + std::to_string(back.index));
    if (type == CodeType::Dpl)
        REQUIRE(s, isInverted(s.img(), s.base, d) == invertedBefore, what + ": changed the inversion");
}

void invertOp(Session& s, ScriptReader& r) {
    const Direction d = directionOf(r.byte());
    const bool checked = r.byte() & 1;
    const std::string what = std::string("invert ") + directionName(d) + (checked ? " on" : " off");
    s.trail.push_back(what);
    if (!s.haveChannel) return;
    const Image before = s.img();
    const EditOutcome out = setInvertDpl(s.img(), s.base, d, checked);
    if (d == Direction::Idle) {
        REQUIRE(s, out.status == EditStatus::Refused, what + ": not refused");
        checkUnchanged(s, before, what);
        return;
    }
    Footprint fp;
    fp.allow(s.base + (d == Direction::Receive ? 14 : 12), 0x01);
    checkChanges(s, before, fp, what);
    REQUIRE(s, out.done() && isInverted(s.img(), s.base, d) == checked, what + ": reads back wrongly");
}

// ---- Check boxes, lists, priorities ---------------------------------------

// The rows of one kind of value, in table order: what the script's operand
// picks from.
std::vector<const ValueSpec*> rowsWhere(bool (*keep)(const ValueSpec&)) {
    std::vector<const ValueSpec*> rows;
    for (const ValueSpec& row : valueTable())
        if (keep(row)) rows.push_back(&row);
    return rows;
}

void checkBoxOp(Session& s, ScriptReader& r) {
    static const std::vector<const ValueSpec*> boxes =
        rowsWhere([](const ValueSpec& row) { return row.kind == ValueKind::Bit; });
    const ValueSpec& box = *boxes[r.byte() % boxes.size()];
    const bool checked = r.byte() & 1;
    const std::string what = std::string("check box ") + box.key + (checked ? " on" : " off");
    s.trail.push_back(what);
    if (!s.haveChannel) return;
    const Image before = s.img();
    const EditOutcome out = setCheckBox(s.img(), s.base, box.value, checked);
    REQUIRE(s, out.done() && out.modified && !out.redisplay, what + ": a displayed record refused the box");
    Footprint fp;
    fp.allowField(box.written, s.base);
    checkChanges(s, before, fp, what);
    REQUIRE(s, fieldSpec(box.written).bits == 1, what + ": owns more than one bit");
    REQUIRE(s, checkBoxState(s.img(), s.base, box.value) == checked, what + ": reads back wrongly");
}

void dropDownOp(Session& s, ScriptReader& r) {
    static const std::vector<const ValueSpec*> lists =
        rowsWhere([](const ValueSpec& row) { return row.dropDown(); });
    const ValueSpec& d = *lists[r.byte() % lists.size()];
    const int item = r.byte() % 70 - 2;  // every list's items and a few beyond
    const std::string what = std::string(d.key) + " item " + std::to_string(item);
    s.trail.push_back(what);
    const bool header = d.header();
    if (!header && !s.haveChannel) return;
    const Image before = s.img();
    const int count = dropDownItemCount(before, d.value);
    const bool messages = d.list == ChoiceList::CwMessage;
    const EditOutcome out = chooseDropDownItem(s.img(), s.base, d.value, item);
    const bool offered = item >= 0 && item < count && (!messages || item <= 15);
    if (!offered) {
        REQUIRE(s, out.status == EditStatus::Refused && !out.refusal.empty(), what + ": not refused");
        checkUnchanged(s, before, what);
        return;
    }
    REQUIRE(s, out.done() && out.modified && !out.redisplay, what + ": not done");
    Footprint fp;
    fp.allowField(d.written, s.base);
    checkChanges(s, before, fp, what);
    // "<1" is stored as 1 word per minute and ">32" as 32.
    const bool speed = d.list == ChoiceList::CwSpeed;
    const int expected = !speed ? item : item == 0 ? 1 : item == kSpeedItems - 1 ? 32 : item;
    const int back = dropDownItem(s.img(), s.base, d.value);
    REQUIRE(s, back == expected, what + ": reads back as " + std::to_string(back));
    const FieldSpec& written = fieldSpec(d.written);
    if (written.bits == 8) {
        // A whole byte holds the item, or the delay count: re-key item + 2, tone start item + 1.
        const std::size_t at = header ? written.offset : s.base + written.offset;
        const int stored = item + (d.value == Value::RekeyDelay ? 2 : d.value == Value::ToneStartDelay ? 1 : 0);
        REQUIRE(s, s.img()[at] == stored, what + ": the whole byte holds the item");
    }
}

void priorityOp(Session& s, ScriptReader& r) {
    static const PriorityPath kPaths[] = {PriorityPath::Repeater, PriorityPath::Local, PriorityPath::Wireline};
    const int index = r.byte() % 3;
    const int level = r.byte() % 6 - 1;  // -1 and 4 are none of the options
    const std::string what = "priority " + std::to_string(index) + " = " + std::to_string(level);
    s.trail.push_back(what);
    if (!s.haveChannel) return;
    const Image before = s.img();
    const EditOutcome out = choosePriority(s.img(), s.base, kPaths[index], level);
    if (level < 0 || level > 3) {
        REQUIRE(s, out.status == EditStatus::Refused, what + ": not refused");
        checkUnchanged(s, before, what);
        return;
    }
    REQUIRE(s, out.done() && out.modified && !out.redisplay, what + ": not done");
    Footprint fp;
    fp.allow(s.base + 7);
    checkChanges(s, before, fp, what);
    for (int p = 0; p < 3; ++p) {
        const int expected = p == index ? level : priorityLevel(before, s.base, kPaths[p]);
        REQUIRE(s, priorityLevel(s.img(), s.base, kPaths[p]) == expected, what + ": path " + std::to_string(p));
    }
    REQUIRE(s, (s.img()[s.base + 7] & 0xC0) == 0, what + ": bits 6-7 stayed");
}

// ---- CW messages and growth -----------------------------------------------

// The text a stored message decodes to: the characters the encoder knows,
// with blanks collapsed to one and none before the first character.
std::string storedText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == ' ') {
            if (!out.empty() && out.back() != ' ') out.push_back(' ');
        } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/') {
            out.push_back(c);
        }
    }
    return out;
}

// Checks a growth by `n` bytes between `before` and the session's image and
// returns its footprint. Bytes in [skipFrom, skipTo) are left to the caller
// (a message stored into the grown area).
Footprint checkGrowth(Session& s, const Image& before, int n, std::size_t skipFrom, std::size_t skipTo,
                      const std::string& what) {
    const Image& after = s.img();
    const std::size_t grow = static_cast<std::size_t>(n);
    const std::size_t e = readField(before, Field::CwEnd) & kOffsetMask11;
    const std::size_t f = readField(before, Field::NextArea) & kOffsetMask11;
    const std::size_t rf = readField(before, Field::RfAddress) & kOffsetMask11;
    const std::size_t rfBytes = std::size_t{readField(before, Field::Modes)} * readField(before, Field::Size);
    const std::size_t top = rf + rfBytes + 1;
    REQUIRE(s, top + grow <= kEpromSize - 1, what + ": the growth passes the last EPROM byte");
    REQUIRE(s, readField(after, Field::CwIdAddr) == readField(before, Field::CwIdAddr), what + ": CW ID addr moved");
    REQUIRE(s, readField(after, Field::CwEnd) == ((e + grow) | kEpromWindowBit), what + ": CW end pointer");
    REQUIRE(s, readField(after, Field::NextArea) == (((f + grow) | kEpromWindowBit) & 0xFFFF), what + ": pointer at 15");
    REQUIRE(s, readField(after, Field::RfAddress) == ((rf + grow) | kEpromWindowBit), what + ": RF address");
    std::size_t last = rf + grow + rfBytes - 1;
    if (last % 2) ++last;
    REQUIRE(s, readField(after, Field::LastWord) == (kEpromWindowBit | last), what + ": Last Word");

    auto skipped = [&](std::size_t a) { return a >= skipFrom && a < skipTo; };
    for (std::size_t a = e; a <= top; ++a) {
        if (skipped(a + grow)) continue;
        const std::uint8_t expected = a + grow == last + 1 && before[a] == 0xFF ? 0x00 : before[a];
        if (after[a + grow] != expected)
            fuzz::fail(what + ": byte " + hex(a) + " did not move intact to " + hex(a + grow), s.trail);
    }
    for (std::size_t a = e; a < e + grow; ++a)
        if (!skipped(a) && after[a] != 0x00) fuzz::fail(what + ": the gap at " + hex(a) + " is not cleared", s.trail);

    Footprint fp;
    fp.allowField(Field::LastWord, 0);
    fp.allowField(Field::CwEnd, 0);
    fp.allowField(Field::NextArea, 0);
    fp.allowField(Field::RfAddress, 0);
    fp.allowRange(e, top + grow + 1);
    return fp;
}

void checkNotices(Session& s, const RecordedNotices& notices, const std::string& what) {
    for (const auto& n : notices.entries) REQUIRE(s, !n.text.empty(), what + ": an empty notice");
}

// Stores one message with the kept values and checks it; the caller redisplays.
void storeOne(Session& s, const CwState& kept, int k, const std::string& text) {
    const std::string what = "store message " + std::to_string(k) + " \"" + text + "\"";
    s.trail.push_back(what);
    const Image before = s.img();
    RecordedNotices notices;
    const StoreOutcome out = storeMessage(s.img(), kept, k, text, notices);
    checkNotices(s, notices, what);
    if (!out.stored) {
        REQUIRE(s, !out.refusal.empty(), what + ": refused without a reason");
        checkUnchanged(s, before, what);
        return;
    }
    const std::size_t w = (readField(before, Field::CwIdAddr) & kOffsetMask11) +
                          static_cast<std::size_t>(k) * kCwSlotBytes;
    REQUIRE(s, out.written >= 1 && w + out.written <= kEpromSize, what + ": written outside the image");
    REQUIRE(s, s.img()[w + out.written - 1] == 0x00, what + ": no terminating 0x00");
    // Cut: less than the whole text was stored, whether the slot or the
    // encoder's 40-byte limit cut it.
    NullNotices quiet;
    const std::size_t needed = encodeMessage(text, quiet).needed;
    REQUIRE(s, out.cut == (out.written < needed),
            what + ": cut flag " + std::to_string(out.cut) + ", " + std::to_string(out.written) + " of " +
                std::to_string(needed) + " bytes written");
    if (k < kept.count - 1) {
        REQUIRE(s, out.written <= static_cast<std::size_t>(kCwSlotBytes), what + ": spilled into the next slot");
    } else {
        const std::size_t areaEnd = readField(s.img(), Field::CwEnd) & kOffsetMask12;
        REQUIRE(s, w + out.written <= areaEnd, what + ": the last message passes the CW area's end");
    }
    Footprint fp;
    if (out.grownBy > 0) fp = checkGrowth(s, before, out.grownBy, w, w + out.written, what);
    fp.allowRange(w, w + out.written);
    checkChanges(s, before, fp, what);
    if (!out.cut && out.written <= static_cast<std::size_t>(kCwSlotBytes)) {
        const std::string back = decodeMessage(s.img(), k);
        REQUIRE(s, back == storedText(text), what + ": decodes as \"" + back + "\"");
    }
}

void cwStoreOp(Session& s, ScriptReader& r) {
    const int k = r.byte() % 20 - 1;
    const std::string text = r.text(48);
    storeOne(s, s.kept, k, text);
    display(s);
}

// The editor's Save: every kept message in turn, with the values kept at
// the last display, then one redisplay. The editor has at most 17 boxes.
void cwSaveAllOp(Session& s, ScriptReader& r) {
    const CwState kept = s.kept;
    const int count = kept.count < 17 ? kept.count : 17;
    for (int k = 0; k < count; ++k) storeOne(s, kept, k, r.text(48));
    display(s);
}

void cwAddOp(Session& s, ScriptReader&) {
    const std::string what = "add message to " + std::to_string(s.kept.count);
    s.trail.push_back(what);
    const Image before = s.img();
    const CwState kept = s.kept;
    RecordedNotices notices;
    const AddOutcome out = addMessage(s.img(), kept, notices);
    checkNotices(s, notices, what);
    if (!out.added) {
        REQUIRE(s, !out.refusal.empty() && out.full == (kept.count >= kMaxCwMessages), what + ": refusal");
        checkUnchanged(s, before, what);
        return;
    }
    REQUIRE(s, out.grownBy == (kept.count == 0 ? 2 : kCwSlotBytes), what + ": grew by " + std::to_string(out.grownBy));
    checkChanges(s, before, checkGrowth(s, before, out.grownBy, 0, 0, what), what);
    display(s);
    REQUIRE(s, s.kept.count >= kept.count, what + ": messages were lost");
}

void growOp(Session& s, ScriptReader& r) {
    const int n = r.signedWord();
    const std::string what = "grow the CW area by " + std::to_string(n);
    s.trail.push_back(what);
    const Image before = s.img();
    RecordedNotices notices;
    const GrowOutcome out = growCwArea(s.img(), n, notices);
    checkNotices(s, notices, what);
    REQUIRE(s, notices.entries.size() <= 1, what + ": more than one warning");
    if (!out.grown) {
        REQUIRE(s, !out.refusal.empty(), what + ": refused without a reason");
        checkUnchanged(s, before, what);
        return;
    }
    checkChanges(s, before, checkGrowth(s, before, n, 0, 0, what), what);
    display(s);
}

// ---- Saving ----------------------------------------------------------------

Footprint saveFootprint() {
    Footprint fp;
    fp.allowField(Field::Checksum, 0);
    fp.allow(2, 0x20);  // the EPROM-window bit of Last Word
    return fp;
}

// Loads saved bytes as Open does: 4096 bytes read, the checksum verifies.
void checkSavedBytes(Session& s, const std::vector<std::uint8_t>& bytes, const std::string& what) {
    REQUIRE(s, bytes.size() == kEpromSize, what + ": saved " + std::to_string(bytes.size()) + " bytes");
    auto reloaded = std::make_unique<Image>();
    NullNotices quiet;
    const LoadOutcome load = loadImageBytes(*reloaded, bytes.data(), bytes.size(), quiet);
    REQUIRE(s, load.bytesRead == kEpromSize && !load.tooLarge, what + ": reload byte count");
    REQUIRE(s, load.checksumOk, what + ": the saved checksum does not verify");
    for (std::size_t a = 0; a < kEpromSize; ++a)
        REQUIRE(s, (*reloaded)[a] == s.img()[a], what + ": the file differs from the image at " + hex(a));
}

void saveReloadOp(Session& s, ScriptReader&) {
    s.trail.push_back("save and reload");
    const Image before = s.img();
    const std::vector<std::uint8_t> bytes = saveImageBytes(s.img());
    checkChanges(s, before, saveFootprint(), "save");
    checkSavedBytes(s, bytes, "save");
}

// A folder for the files the target saves, in memory when the system has one.
class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code ec;
        const fs::path root = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        path_ = root / ("quarnel-fuzz-" + std::to_string(getpid()));
        fs::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    fs::path file() const { return path_ / "image.bin"; }

private:
    fs::path path_;
};

// The end of every run: Save As into a real file, then Open it again.
void saveToFile(Session& s) {
    static ScratchFolder folder;
    s.trail.push_back("save as, open");
    const Image before = s.img();
    const SaveOutcome saved = saveImageFile(s.img(), folder.file());
    REQUIRE(s, saved.ok && saved.bytesWritten == kEpromSize, "save as: " + saved.error);
    checkChanges(s, before, saveFootprint(), "save as");
    REQUIRE(s, fs::file_size(folder.file()) == kEpromSize, "save as: the file is not 4096 bytes");
    auto reopened = std::make_unique<Image>();
    NullNotices quiet;
    const LoadOutcome load = loadImageFile(*reopened, folder.file(), quiet);
    REQUIRE(s, load.ok && load.bytesRead == kEpromSize && load.checksumOk, "open: the saved file does not verify");
    // Whatever was not edited is exactly as it was opened.
    const Footprint& edited = s.everChanged;
    for (std::size_t a = 0; a < kEpromSize; ++a) {
        const std::uint8_t changed = (*reopened)[a] ^ (*s.opened)[a];
        REQUIRE(s, (changed & ~edited[a]) == 0, "save as: byte " + hex(a) + " changed but was never edited");
        REQUIRE(s, (*reopened)[a] == s.img()[a], "open: the file differs from the image at " + hex(a));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScriptReader header(data, size);
    std::size_t length = static_cast<std::size_t>(header.byte()) << 8;
    length |= header.byte();
    const std::size_t start = size < 2 ? size : 2;
    if (length > size - start) length = size - start;

    Session s;
    NullNotices quiet;
    loadImageBytes(s.img(), data + start, length, quiet);
    *s.opened = s.img();
    s.trail.push_back("open " + std::to_string(length) + " bytes");
    display(s);  // Open shows channel 1 with both bands on UHF

    using Handler = void (*)(Session&, ScriptReader&);
    static const Handler kHandlers[] = {
        nullptr,  // Display reads its own operands below
        entryOp, hertzOp, codeTypeOp, codeItemOp, invertOp, checkBoxOp, dropDownOp, priorityOp,
        cwStoreOp, cwSaveAllOp, cwAddOp, growOp, saveReloadOp,
    };
    static_assert(sizeof kHandlers / sizeof kHandlers[0] == static_cast<std::size_t>(Op::Count));

    ScriptReader script(data + start + length, size - start - length);
    for (int steps = 0; !script.done() && steps < 200; ++steps) {
        const auto op = static_cast<Op>(script.byte() % static_cast<std::uint8_t>(Op::Count));
        if (op == Op::Display) {
            const int modes = static_cast<int>(readField(s.img(), Field::Modes));
            const std::uint8_t n = script.byte();
            const std::uint8_t bands = script.byte();
            s.channel = modes > 0 ? 1 + n % modes : 1;
            s.rxBand = bandOf(bands);
            s.txBand = bandOf(bands / 3u);
            s.trail.push_back("display channel " + std::to_string(s.channel) + " bands " +
                              bandName(s.rxBand) + "/" + bandName(s.txBand));
            display(s);
        } else {
            kHandlers[static_cast<std::size_t>(op)](s, script);
        }
        REQUIRE(s, s.img()[kEpromSize] == (*s.opened)[kEpromSize], "the overflow slot was written");
    }
    saveToFile(s);
    return 0;
}
