// The field table, channel records, areas and the header codings.
#include <gtest/gtest.h>

#include <set>

#include "model/layout.h"
#include "tests/support/sample_image.h"

using namespace quarnel;
using quarnel::testing::SampleLayout;
using quarnel::testing::sampleImage;

TEST(FieldTable, IsIndexedByFieldAndLiesInsideItsArea) {
    const auto& table = fieldTable();
    ASSERT_EQ(table.size(), static_cast<std::size_t>(Field::Count));
    std::set<std::string> keys;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const FieldSpec& f = table[i];
        EXPECT_EQ(static_cast<std::size_t>(f.field), i) << f.key;
        EXPECT_TRUE(keys.insert(f.key).second) << "duplicate key " << f.key;
        EXPECT_LE(f.shift + f.bits, f.bytes * 8) << f.key;
        if (f.area == Area::Record) EXPECT_LE(f.offset + f.bytes, kRecordFieldBytes) << f.key;
        else EXPECT_LE(f.offset + f.bytes, 0x21u) << f.key;
    }
}

TEST(FieldAccess, WritesOnlyTheFieldsOwnBits) {
    // Each single-bit and multi-bit field of a record byte, written into a
    // byte full of other bits, changes exactly its own bits.
    const std::size_t base = 0x100;
    for (const FieldSpec& f : fieldTable()) {
        if (f.area != Area::Record || f.bytes != 1 || f.bits == 8) continue;
        for (std::uint8_t background : {std::uint8_t{0x00}, std::uint8_t{0xFF}, std::uint8_t{0xA5}}) {
            Image image;
            image.bytes.fill(background);
            const std::uint32_t max = (1u << f.bits) - 1;
            for (std::uint32_t v : {0u, max, max / 2}) {
                ASSERT_TRUE(writeField(image, f.field, v, base));
                EXPECT_EQ(readField(image, f.field, base), v) << f.key;
                const std::uint8_t ownBits = static_cast<std::uint8_t>(max << f.shift);
                EXPECT_EQ(image[base + f.offset] & ~ownBits, background & ~ownBits) << f.key;
            }
            // Neighbouring bytes never change.
            EXPECT_EQ(image[base + f.offset - 1], background) << f.key;
            EXPECT_EQ(image[base + f.offset + 1], background) << f.key;
        }
    }
}

TEST(FieldAccess, RefusesValuesTooWideAndPlacesOutsideTheImage) {
    Image image;
    EXPECT_FALSE(writeField(image, Field::Dropout, 8, 0x100));
    EXPECT_FALSE(writeField(image, Field::CwIdSelect, 16, 0x100));
    // A record base near the end of the image: the field would pass 4095.
    const Image before = image;
    EXPECT_FALSE(writeField(image, Field::IdleFrequency, 0x123456, 4080));
    EXPECT_FALSE(writeField(image, Field::TxCode, 1, 4085));
    EXPECT_EQ(readField(image, Field::IdleFrequency, 4080), 0u);
    EXPECT_EQ(readField(image, Field::CodeCtrl, static_cast<std::size_t>(-1)), 0u);
    EXPECT_EQ(image.bytes, before.bytes);
    image[4096] = 0x99;  // the overflow slot is never part of a field
    EXPECT_EQ(readField(image, Field::RxFrequency, 4094), 0u);
}

TEST(FieldAccess, BigEndianWords) {
    Image image;
    writeField(image, Field::RfAddress, 0x2030);
    EXPECT_EQ(image[0x17], 0x20);
    EXPECT_EQ(image[0x18], 0x30);
    writeField(image, Field::Speed, 341);
    EXPECT_EQ(image[0x1F], 0x01);
    EXPECT_EQ(image[0x20], 0x55);
}

TEST(Channels, BaseOfEachRecord) {
    SampleLayout l;
    l.rfAddress = 0x2030;
    l.cwIdAddr = l.cwEnd = 0x2030;
    l.size = 22;
    l.modes = 3;
    const Image image = sampleImage(l);
    EXPECT_EQ(channelBase(image, 1).base, 0x030u);
    EXPECT_EQ(channelBase(image, 3).base, 0x05Cu);
    const AreaBounds rf = rfArea(image);
    EXPECT_EQ(rf.begin, 0x030u);
    EXPECT_EQ(rf.end - 1, 0x071u);
    EXPECT_TRUE(rf.inside);
}

TEST(Channels, BadHeadersGiveAClearResultNeverAnOffsetOutside) {
    struct Case {
        const char* what;
        std::uint8_t size, modes;
        std::uint16_t rf;
        int channel;
        LayoutError error;
    };
    const Case cases[] = {
        {"no channels", 22, 0, 0x2100, 1, LayoutError::NoChannels},
        {"channel 0", 22, 4, 0x2100, 0, LayoutError::BadChannelNumber},
        {"past the tune channel", 22, 4, 0x2100, 5, LayoutError::BadChannelNumber},
        {"size 0", 0, 4, 0x2100, 1, LayoutError::ZeroSize},
        {"record past 4095", 255, 255, 0x2F00, 2, LayoutError::RecordOutside},
        {"last field byte past 4095", 22, 1, 0x2FF0, 1, LayoutError::RecordOutside},
        {"size bytes past 4095", 40, 1, 0x2FE0, 1, LayoutError::RecordOutside},
        {"last fitting record", 22, 1, 0x2FEA, 1, LayoutError::None},
        // A record over the header would have the display rewrite header bytes.
        {"record 1 at the checksum", 22, 4, 0x2000, 1, LayoutError::RecordInHeader},
        {"record 1 at the speed word's last byte", 22, 4, 0x2020, 1, LayoutError::RecordInHeader},
        {"record 1 right behind the header", 22, 4, 0x2021, 1, LayoutError::None},
        {"record 2 behind the header", 22, 4, 0x2010, 2, LayoutError::None},
    };
    for (const auto& c : cases) {
        Image image;
        image[7] = c.size;
        image[8] = c.modes;
        writeWord(image, 0x17, c.rf);
        const ChannelLocation loc = channelBase(image, c.channel);
        EXPECT_EQ(loc.error, c.error) << c.what;
        if (loc.ok()) EXPECT_LE(loc.base + kRecordFieldBytes, kEpromSize) << c.what;
        else EXPECT_FALSE(layoutErrorText(loc.error, c.channel).empty()) << c.what;
    }
}

TEST(Layout, ProblemsNameWhatCannotBeDecoded) {
    SampleLayout l;
    EXPECT_TRUE(layoutProblems(sampleImage(l)).empty());
    EXPECT_TRUE(structuralProblems(sampleImage(l)).empty());

    Image erased;
    erased.bytes.fill(0xFF);
    const auto problems = layoutProblems(erased);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0], "Channels 1 to 255 lie outside the image");

    Image partly = sampleImage(l);
    writeWord(partly, 0x17, 0x2FB0);  // 80 bytes left: channels 1..3 fit, 4 does not
    EXPECT_EQ(layoutProblems(partly).at(0), "Channel 4 lies outside the image");

    Image negative = sampleImage(l);
    writeWord(negative, 0x13, 0x2010);  // CW end before CW ID addr
    const auto s = structuralProblems(negative);
    EXPECT_NE(std::find(s.begin(), s.end(), "CW address error"), s.end());

    Image overHeader = sampleImage(l);
    writeWord(overHeader, 0x17, 0x2000);  // records 1 and 2 start before 0x21
    EXPECT_EQ(layoutProblems(overHeader).at(0), "Channels 1 to 2 lie over the header");
    writeWord(overHeader, 0x17, 0x200B);
    EXPECT_EQ(layoutProblems(overHeader).at(0), "Channel 1 lies over the header");

    Image outside = sampleImage(l);
    writeWord(outside, 0x17, 0x1000);
    EXPECT_EQ(structuralProblems(outside).at(0),
              "RF address 1000 lies outside the codeplug window 2000-27FF");
}

TEST(HeaderCodings, CwSpeed) {
    struct Case {
        std::uint16_t word;
        int item;
        const char* text;
    };
    const Case read[] = {{0x0000, 33, ">32"}, {31, 33, ">32"},   {32, 32, " 32"}, {0x0401, 0, "<1"},
                         {0x0400, 1, " 1"},   {0x0033, 20, " 20"}, {341, 3, " 3"}};
    for (const auto& c : read) {
        Image image;
        writeWord(image, 0x1F, c.word);
        EXPECT_EQ(cwSpeedItem(image), c.item) << c.word;
        EXPECT_EQ(cwSpeedItemText(cwSpeedItem(image)), c.text) << c.word;
    }
    const std::pair<int, std::uint16_t> write[] = {{0, 1024}, {1, 1024}, {3, 341}, {20, 51}, {32, 32}, {33, 32}};
    for (auto [item, word] : write) {
        Image image;
        setCwSpeedItem(image, item);
        EXPECT_EQ(readWord(image, 0x1F), word) << item;
    }
}

TEST(HeaderCodings, Delays) {
    struct Case {
        std::uint8_t stored;
        int rekeyItem;  // IDDly read as a re-key delay item
        int toneItem;   // CWDly read as a tone start delay item
    };
    const Case cases[] = {
        {0, 0, 0}, {1, 0, 0}, {2, 0, 1}, {3, 1, 2}, {5, 3, 4}, {64, 62, 63}, {65, 63, -1}, {66, -1, -1}, {255, -1, -1},
    };
    for (const auto& c : cases) {
        Image image;
        image[0x1D] = c.stored;
        image[0x1E] = c.stored;
        EXPECT_EQ(rekeyDelayItem(image), c.rekeyItem) << int(c.stored);
        EXPECT_EQ(toneStartDelayItem(image), c.toneItem) << int(c.stored);
    }
    Image image;
    setRekeyDelayItem(image, 3);  // 960 ms
    EXPECT_EQ(image[0x1D], 5);
    EXPECT_EQ(delayItemMilliseconds(rekeyDelayItem(image)), 960);
    setToneStartDelayItem(image, 2);  // 720 ms
    EXPECT_EQ(image[0x1E], 3);
    EXPECT_EQ(delayItemMilliseconds(toneStartDelayItem(image)), 720);
}

TEST(HeaderCodings, IdTimerIgnoresTopBitsAndWritesTheWholeByte) {
    Image image;
    image[0x1C] = 0xE5;
    EXPECT_EQ(idTimerItem(image), 5);
    setIdTimerItem(image, 0);
    EXPECT_EQ(image[0x1C], 0x00);
    setIdTimerItem(image, 31);
    EXPECT_EQ(image[0x1C], 31);
}

TEST(RecordCodings, TimersDropoutPriorityAndMessage) {
    const std::size_t base = 0x200;
    Image image;
    image[base + 8] = 0xE5;
    EXPECT_EQ(lineTimeoutItem(image, base), 5);  // 75 s
    setLineTimeoutItem(image, base, 5);
    EXPECT_EQ(image[base + 8], 0x05);
    image[base + 9] = 0xFF;
    setLocalTimeoutItem(image, base, 2);
    EXPECT_EQ(image[base + 9], 0x02);

    image[base + 10] = 0x63;
    EXPECT_EQ(repeaterTimeoutItem(image, base), 3);  // 45 s
    EXPECT_EQ(dropoutItem(image, base), 3);          // 3 s
    setDropoutItem(image, base, 7);
    EXPECT_EQ(image[base + 10], 0xE3);
    setRepeaterTimeoutItem(image, base, 31);
    EXPECT_EQ(image[base + 10], 0xFF);

    image[base + 7] = 0x1B;
    EXPECT_EQ(priorityLevel(image, base, PriorityPath::Repeater), 3);
    EXPECT_EQ(priorityLevel(image, base, PriorityPath::Local), 2);
    EXPECT_EQ(priorityLevel(image, base, PriorityPath::Wireline), 1);
    image[base + 7] = 0xDB;  // bits 6-7 are dropped by any priority write
    setPriorityLevel(image, base, PriorityPath::Local, 0);
    EXPECT_EQ(image[base + 7], 0x13);

    image[base + 18] = 0xF3;
    EXPECT_EQ(cwMessageItem(image, base), 3);
    setCwMessageItem(image, base, 1);
    EXPECT_EQ(image[base + 18], 0x01);
}

TEST(Layout, HeaderEndsAfterTheSpeedWord) {
    // The areas the header points to may start at 0x21 at the earliest.
    EXPECT_EQ(headerEnd(), 0x21u);
}
