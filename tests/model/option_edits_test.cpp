// The check boxes, fixed-choice drop-downs and priority options as model
// edits: exactly the named bits change, every other byte of the image stays.
#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "model/channel_view.h"
#include "model/edits.h"
#include "model/layout.h"
#include "tests/support/sample_image.h"

using namespace quarnel;
using quarnel::testing::sampleImage;

namespace {

struct Fixture {
    Image image = sampleImage();
    std::size_t base = channelBase(image, 2).base;

    // Fills channel 2's record with `fill`, so that a cleared or a set bit
    // shows against every background.
    explicit Fixture(std::uint8_t fill = 0x00) {
        for (std::size_t i = 0; i < kRecordFieldBytes; ++i) image[base + i] = fill;
    }
};

// The offsets at which two images differ.
std::vector<std::size_t> changedOffsets(const Image& a, const Image& b) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < kImageSize; ++i)
        if (a[i] != b[i]) out.push_back(i);
    return out;
}

}  // namespace

TEST(CheckBoxes, EachSetsOrClearsItsOwnBitOnly) {
    // Record byte and bit of each box, as the main window's check-box table
    // gives them; `inverted` marks the transmit "Invert DPL", cleared when checked.
    const struct {
        Value box;
        std::size_t byte;
        int bit;
        bool inverted;
    } boxes[] = {
        {Value::RxInvertDpl, 14, 0, false},       {Value::TxInvertDpl, 12, 0, true},
        {Value::CwIdEnable, 17, 7, false},        {Value::PlDplWithId, 17, 5, false},
        {Value::IdDuringActivity, 17, 6, false},  {Value::RxControlCarrier, 6, 4, false},
        {Value::RxControlCode, 6, 6, false},      {Value::RxControlAuxiliary, 6, 5, false},
        {Value::ActivateCarrier, 16, 0, false},   {Value::ActivateCode, 16, 2, false},
        {Value::ActivateAuxiliary, 16, 1, false},  {Value::HoldCarrier, 16, 4, false},
        {Value::HoldCode, 16, 6, false},          {Value::HoldAuxiliary, 16, 5, false},
        {Value::AlarmMuteOnWireline, 17, 1, false}, {Value::AlarmEnableOverAir, 17, 2, false},
        {Value::RepeaterAudio, 6, 0, false},      {Value::LocalMicAudio, 6, 1, false},
    };
    std::size_t bitValues = 0;
    for (const ValueSpec& row : valueTable()) bitValues += row.kind == ValueKind::Bit;
    ASSERT_EQ(bitValues, std::size(boxes));
    for (const auto& c : boxes) {
        for (const std::uint8_t fill : {0x00, 0xFF}) {
            for (const bool checked : {true, false}) {
                SCOPED_TRACE(::testing::Message() << "byte " << c.byte << " bit " << c.bit << " fill "
                                                  << int(fill) << " checked " << checked);
                Fixture f(fill);
                const Image before = f.image;
                const EditOutcome out = setCheckBox(f.image, f.base, c.box, checked);
                EXPECT_TRUE(out.done());
                EXPECT_TRUE(out.modified);
                EXPECT_FALSE(out.redisplay);
                EXPECT_TRUE(checkBoxState(f.image, f.base, c.box) == checked);
                const bool bitSet = checked != c.inverted;
                const std::uint8_t mask = static_cast<std::uint8_t>(1u << c.bit);
                const std::uint8_t expected = bitSet ? (fill | mask) : (fill & ~mask);
                EXPECT_EQ(f.image[f.base + c.byte], expected);
                // Nothing else changes anywhere in the image.
                Image rest = f.image;
                rest[f.base + c.byte] = before[f.base + c.byte];
                EXPECT_TRUE(changedOffsets(rest, before).empty());
            }
        }
    }
}

TEST(CheckBoxes, InvertDplGoesThroughTheSameBits) {
    Fixture f(0x00);
    setInvertDpl(f.image, f.base, Direction::Transmit, false);
    EXPECT_EQ(f.image[f.base + 12], 0x01);
    EXPECT_FALSE(checkBoxState(f.image, f.base, Value::TxInvertDpl));
    setInvertDpl(f.image, f.base, Direction::Receive, true);
    EXPECT_EQ(f.image[f.base + 14], 0x01);
    EXPECT_TRUE(checkBoxState(f.image, f.base, Value::RxInvertDpl));
}

TEST(DropDowns, EachWritesItsBytesAsTheEditorDoes) {
    // `offset` is a record offset, or a header offset for header lists;
    // `before` is what the byte holds first, `after` what the choice leaves.
    const struct {
        Value list;
        int item;
        std::size_t offset;
        std::vector<std::uint8_t> before, after;
    } cases[] = {
        {Value::WirelineTimer, 5, 8, {0xE0}, {0x05}},     // whole byte
        {Value::LocalTimer, 31, 9, {0xFF}, {0x1F}},       // whole byte
        {Value::RepeaterTimer, 3, 10, {0xE0}, {0xE3}},    // bits 7-5 kept
        {Value::RepeaterTimer, 0, 10, {0xFF}, {0xE0}},
        {Value::Dropout, 3, 10, {0x1F}, {0x7F}},          // bits 4-0 kept
        {Value::Dropout, 0, 10, {0xFF}, {0x1F}},
        {Value::CwMessage, 1, 18, {0xF0}, {0x01}},        // whole byte
        {Value::CwSpeed, 33, 0x1F, {0x00, 0x33}, {0x00, 0x20}},  // ">32": 32 wpm
        {Value::CwSpeed, 0, 0x1F, {0x00, 0x33}, {0x04, 0x00}},   // "<1": 1 wpm
        {Value::CwSpeed, 3, 0x1F, {0x00, 0x33}, {0x01, 0x55}},   // 1024 / 3 = 341
        {Value::IdTimer, 5, 0x1C, {0xE0}, {0x05}},        // whole byte
        {Value::RekeyDelay, 3, 0x1D, {0x00}, {0x05}},     // 960 ms: item + 2
        {Value::ToneStartDelay, 2, 0x1E, {0x00}, {0x03}}, // 720 ms: item + 1
        {Value::ToneStartDelay, 63, 0x1E, {0x00}, {0x40}},  // 15360 ms
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "list " << static_cast<int>(c.list) << " item " << c.item);
        Fixture f;
        const std::size_t at = valueSpec(c.list).header() ? c.offset : f.base + c.offset;
        for (std::size_t i = 0; i < c.before.size(); ++i) f.image[at + i] = c.before[i];
        const Image before = f.image;
        const EditOutcome out = chooseDropDownItem(f.image, f.base, c.list, c.item);
        ASSERT_TRUE(out.done()) << out.refusal;
        EXPECT_TRUE(out.modified);
        EXPECT_FALSE(out.redisplay);
        for (std::size_t i = 0; i < c.after.size(); ++i) EXPECT_EQ(f.image[at + i], c.after[i]) << i;
        for (std::size_t i : changedOffsets(f.image, before)) EXPECT_TRUE(i >= at && i < at + c.after.size()) << i;
        // "<1" and ">32" are stored as 1 and 32 words per minute and read back so.
        const bool speed = c.list == Value::CwSpeed;
        const int shown = speed && c.item == 0 ? 1 : speed && c.item == 33 ? 32 : c.item;
        EXPECT_EQ(dropDownItem(f.image, f.base, c.list), shown);
    }
}

TEST(DropDowns, EveryItemReadsBackAsChosen) {
    const Value lists[] = {Value::CwMessage, Value::WirelineTimer, Value::RepeaterTimer,
                              Value::LocalTimer, Value::Dropout, Value::CwSpeed,
                              Value::IdTimer, Value::RekeyDelay, Value::ToneStartDelay};
    for (Value list : lists) {
        Fixture f(0xFF);
        const int count = dropDownItemCount(f.image, list);
        EXPECT_GT(count, 0);
        // The CW speed's "<1" and ">32" read back as 1 and 32 (above).
        const bool speed = list == Value::CwSpeed;
        for (int item = speed ? 1 : 0; item < count - (speed ? 1 : 0); ++item) {
            ASSERT_TRUE(chooseDropDownItem(f.image, f.base, list, item).done());
            EXPECT_EQ(dropDownItem(f.image, f.base, list), item) << static_cast<int>(list);
        }
    }
    Fixture f;
    EXPECT_EQ(dropDownItemCount(f.image, Value::CwMessage), 2);  // the sample's CW area
    EXPECT_EQ(dropDownItemCount(f.image, Value::CwSpeed), 34);
    EXPECT_EQ(dropDownItemCount(f.image, Value::Dropout), 8);
    EXPECT_EQ(dropDownItemCount(f.image, Value::RekeyDelay), 64);
    EXPECT_EQ(dropDownItemCount(f.image, Value::IdTimer), 32);
}

TEST(DropDowns, ItemsTheListDoesNotOfferAreRefused) {
    const struct {
        Value list;
        int item;
        const char* reason;
    } cases[] = {
        {Value::WirelineTimer, 32, "The wireline timer list has no item 32 (it offers 32)"},
        {Value::Dropout, 8, "drop-out delay list has no item 8"},
        {Value::CwSpeed, -1, "The CW speed list has no item"},
        {Value::RekeyDelay, 64, "re-key delay list has no item 64"},
        {Value::CwMessage, 2, "There is no CW message 2: the image holds 2"},
    };
    for (const auto& c : cases) {
        Fixture f;
        const Image before = f.image;
        const EditOutcome out = chooseDropDownItem(f.image, f.base, c.list, c.item);
        EXPECT_EQ(out.status, EditStatus::Refused);
        EXPECT_FALSE(out.modified);
        EXPECT_NE(out.refusal.find(c.reason), std::string::npos) << out.refusal;
        EXPECT_EQ(f.image.bytes, before.bytes);
    }
}

TEST(DropDowns, MessageIndexesBeyondTheSelectBitsAreRefused) {
    // A CW area of 20 slots lists 20 messages, but CW ID Select keeps only
    // bits 0-3: index 16 stored whole would read back as message 0.
    quarnel::testing::SampleLayout layout;
    layout.cwEnd = static_cast<std::uint16_t>(layout.cwIdAddr + 20 * 21 + 1);
    layout.rfAddress = layout.cwEnd;
    Image image = sampleImage(layout);
    const std::size_t base = channelBase(image, 1).base;
    ASSERT_EQ(dropDownItemCount(image, Value::CwMessage), 20);
    EXPECT_TRUE(chooseDropDownItem(image, base, Value::CwMessage, 15).done());
    const Image before = image;
    const EditOutcome out = chooseDropDownItem(image, base, Value::CwMessage, 16);
    EXPECT_EQ(out.status, EditStatus::Refused);
    EXPECT_NE(out.refusal.find("0 to 15"), std::string::npos) << out.refusal;
    EXPECT_EQ(image.bytes, before.bytes);
}

TEST(RecordEdits, ARecordOutsideTheImageIsRefused) {
    Image image = sampleImage();
    const Image before = image;
    const std::size_t outside = kEpromSize - 5;  // bytes 5.. of the record lie past the EPROM
    EXPECT_EQ(setCheckBox(image, outside, Value::CwIdEnable, true).status, EditStatus::Refused);
    EXPECT_EQ(chooseDropDownItem(image, outside, Value::WirelineTimer, 1).status, EditStatus::Refused);
    EXPECT_EQ(choosePriority(image, outside, PriorityPath::Local, 1).status, EditStatus::Refused);
    EXPECT_EQ(image.bytes, before.bytes);
    // Header lists ignore the record.
    EXPECT_TRUE(chooseDropDownItem(image, outside, Value::IdTimer, 4).done());
}

TEST(Priority, TheUpdateRewritesTheWholeByte) {
    const struct {
        std::uint8_t before;
        PriorityPath path;
        int level;
        std::uint8_t after;
    } cases[] = {
        {0xC0, PriorityPath::Repeater, 1, 0x01},  // bits 6-7 become 0
        {0x01, PriorityPath::Wireline, 1, 0x11},  // Repeater and Wireline Highest
        {0x1B, PriorityPath::Local, 0, 0x13},     // the other two paths keep their levels
        {0x1B, PriorityPath::Repeater, 2, 0x1A},
        {0xFF, PriorityPath::Wireline, 0, 0x0F},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.image[f.base + 7] = c.before;
        const Image before = f.image;
        const EditOutcome out = choosePriority(f.image, f.base, c.path, c.level);
        EXPECT_TRUE(out.done());
        EXPECT_TRUE(out.modified);
        EXPECT_FALSE(out.redisplay);
        EXPECT_EQ(f.image[f.base + 7], c.after) << int(c.before);
        EXPECT_EQ(changedOffsets(f.image, before).size(), c.before == c.after ? 0u : 1u);
    }
}

TEST(Priority, OptionsAsTheyStand) {
    Fixture f;
    f.image[f.base + 7] = 0xC0;
    EXPECT_TRUE(applyPriorityOptions(f.image, f.base, 1, 0, 1).done());
    EXPECT_EQ(f.image[f.base + 7], 0x11);
    // Two paths in the Highest row: the labels the editor highlights.
    const PriorityView view = priorityUpdate(1, 0, 1);
    EXPECT_TRUE(view.repeaterConflict && view.wirelineConflict && !view.localConflict);

    const Image before = f.image;
    for (int bad : {-1, 4}) {
        EXPECT_EQ(applyPriorityOptions(f.image, f.base, 0, bad, 0).status, EditStatus::Refused);
        EXPECT_EQ(choosePriority(f.image, f.base, PriorityPath::Wireline, bad).status, EditStatus::Refused);
    }
    EXPECT_EQ(f.image.bytes, before.bytes);
}
