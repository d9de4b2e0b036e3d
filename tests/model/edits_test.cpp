// The channel edits the editor's handlers and `set` share: what each writes,
// whether it redisplays, and that a refusal writes nothing.
#include <gtest/gtest.h>

#include "model/edits.h"
#include "model/layout.h"
#include "tests/support/sample_image.h"

using namespace quarnel;
using quarnel::testing::sampleImage;

namespace {

struct Fixture {
    Image image = sampleImage();
    std::size_t base = channelBase(image, 1).base;
};

}  // namespace

TEST(Edits, FrequencyCommit) {
    Fixture f;
    const EditOutcome out = commitFrequencyEntry(f.image, f.base, Direction::Receive, Band::Uhf, "448850");
    ASSERT_TRUE(out.done()) << out.refusal;
    EXPECT_TRUE(out.modified);
    EXPECT_TRUE(out.redisplay);
    EXPECT_EQ(out.shownText, "448.8500");
    EXPECT_EQ(f.image[f.base + 0], 0x83);
    EXPECT_EQ(f.image[f.base + 1], 0xE4);
    EXPECT_EQ(f.image[f.base + 2], 0xA1);
}

TEST(Edits, FrequencyCommitsThatChangeNothing) {
    const struct {
        Direction d;
        Band band;
        const char* typed;
        EditStatus status;
        const char* reason;
    } cases[] = {
        {Direction::Transmit, Band::Uhf, "4488", EditStatus::Abandoned, ""},
        {Direction::Transmit, Band::Uhf, "44884", EditStatus::Refused, "must not end in 4 or 9"},
        {Direction::Receive, Band::Uhf, "4488030", EditStatus::Refused, "448.8030 MHz cannot be stored"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Fixture f;
        const Image before = f.image;
        const EditOutcome out = commitFrequencyEntry(f.image, f.base, c.d, c.band, c.typed);
        EXPECT_EQ(out.status, c.status);
        EXPECT_FALSE(out.modified);
        EXPECT_FALSE(out.redisplay);
        EXPECT_TRUE(out.shownText.empty());
        EXPECT_NE(out.refusal.find(c.reason), std::string::npos) << out.refusal;
        EXPECT_EQ(out.refusal.empty(), c.status != EditStatus::Refused);
        EXPECT_EQ(f.image.bytes, before.bytes);
    }
}

TEST(Edits, StoreFrequencyInHertz) {
    Fixture f;
    // 448.80625 MHz cannot be typed in 100 Hz digits but is a 6.25 kHz channel.
    const EditOutcome out = storeFrequency(f.image, f.base, Direction::Transmit, Band::Uhf, 448'806'250);
    ASSERT_TRUE(out.done()) << out.refusal;
    EXPECT_TRUE(out.redisplay);
    EXPECT_EQ(decodeFrequency(f.image, f.base, Direction::Transmit, Band::Uhf).hz, 448'806'250u);
}

TEST(Edits, CodeTypeOptions) {
    const struct {
        Direction d;
        CodeType type;
        bool redisplay;
    } cases[] = {
        {Direction::Receive, CodeType::Carrier, true},  {Direction::Receive, CodeType::Pl, false},
        {Direction::Receive, CodeType::Dpl, false},     {Direction::Transmit, CodeType::Carrier, false},
        {Direction::Transmit, CodeType::Pl, false},     {Direction::Transmit, CodeType::Dpl, false},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.image[f.base + 13] = 0x12;  // a code to reset
        f.image[f.base + 11] = 0x12;
        const EditOutcome out = chooseCodeType(f.image, f.base, c.d, c.type);
        EXPECT_TRUE(out.done());
        EXPECT_TRUE(out.modified);
        EXPECT_EQ(out.redisplay, c.redisplay);
        EXPECT_EQ(codeType(f.image, f.base, c.d), c.type);
    }
}

TEST(Edits, CodeItems) {
    Fixture f;
    chooseCodeType(f.image, f.base, Direction::Receive, CodeType::Pl);
    EditOutcome out = chooseCodeItem(f.image, f.base, Direction::Receive, CodeType::Pl, 12);  // 100.0
    EXPECT_TRUE(out.done());
    EXPECT_TRUE(out.modified);
    EXPECT_FALSE(out.redisplay);
    EXPECT_EQ(readField(f.image, Field::RxCode, f.base), 0x17CBu);

    chooseCodeType(f.image, f.base, Direction::Transmit, CodeType::Dpl);
    out = chooseCodeItem(f.image, f.base, Direction::Transmit, CodeType::Dpl, 82);  // 754
    EXPECT_TRUE(out.done());
    EXPECT_EQ(decodeDpl(f.image, f.base, Direction::Transmit).index, 83);

    const Image before = f.image;
    for (int item : {-1, kToneCount}) {
        out = chooseCodeItem(f.image, f.base, Direction::Receive, CodeType::Pl, item);
        EXPECT_EQ(out.status, EditStatus::Refused);
        EXPECT_FALSE(out.modified);
    }
    out = chooseCodeItem(f.image, f.base, Direction::Transmit, CodeType::Dpl, kDplCount);
    EXPECT_EQ(out.status, EditStatus::Refused);
    // Carrier: the choice stores nothing but still counts as an edit.
    out = chooseCodeItem(f.image, f.base, Direction::Receive, CodeType::Carrier, 3);
    EXPECT_TRUE(out.done());
    EXPECT_TRUE(out.modified);
    EXPECT_EQ(f.image.bytes, before.bytes);
}

TEST(Edits, InvertDpl) {
    Fixture f;
    EXPECT_TRUE(setInvertDpl(f.image, f.base, Direction::Transmit, true).modified);
    EXPECT_EQ(f.image[f.base + 12] & 1, 0);
    setInvertDpl(f.image, f.base, Direction::Transmit, false);
    EXPECT_EQ(f.image[f.base + 12] & 1, 1);
    setInvertDpl(f.image, f.base, Direction::Receive, true);
    EXPECT_EQ(f.image[f.base + 14] & 1, 1);
}

TEST(Edits, IdleHasNoSquelchCode) {
    Fixture f;
    const Image before = f.image;
    EXPECT_EQ(chooseCodeType(f.image, f.base, Direction::Idle, CodeType::Pl).status, EditStatus::Refused);
    EXPECT_EQ(chooseCodeItem(f.image, f.base, Direction::Idle, CodeType::Pl, 0).status, EditStatus::Refused);
    EXPECT_EQ(setInvertDpl(f.image, f.base, Direction::Idle, true).status, EditStatus::Refused);
    EXPECT_EQ(f.image.bytes, before.bytes);
}
