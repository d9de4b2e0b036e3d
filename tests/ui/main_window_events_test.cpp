// The main window's event handling: every edit of a control lands in exactly
// its bytes of the image, the frequency entries commit, refuse or give up,
// the channel steps wrap, and the exit check, Escape, the close box, the
// unknown-command notice and the first-step notice say what they must.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/edits.h"
#include "tests/support/sample_image.h"
#include "tests/ui/harness.h"
#include "ui/channel_display.h"
#include "ui/main_window.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

using ui::narrow;
using ui::widen;
namespace ids = ui::ids;
using Bytes = std::vector<std::uint8_t>;

constexpr UINT kTaskBoxStyle = MB_TASKMODAL | MB_SETFOREGROUND;  // 0x12000

// The offsets at which two images differ, for failure messages.
std::string differences(const Bytes& got, const Bytes& want) {
    std::ostringstream out;
    out << std::hex;
    for (std::size_t i = 0; i < got.size() && i < want.size(); ++i)
        if (got[i] != want[i])
            out << " [0x" << i << "] 0x" << int{got[i]} << " (want 0x" << int{want[i]} << ")";
    return out.str();
}

#define EXPECT_IMAGE(got, want) EXPECT_TRUE((got) == (want)) << differences(got, want)

bool shown(HWND control) { return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

// The main window with the sample image (four channels, two CW messages)
// open at channel 1 and saved: the modified flag is 0 and nothing is edited
// since, so every change of either is the event's own.
class Events : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        open(testing::sampleImage());
    }

    // What Open leaves behind, without the file dialog.
    void open(const Image& image) {
        state().image = image;
        state().currentChannel = 1;
        ui::displayCurrentChannel(state());
        state().noteImageMatchesFile();
        state().modified = ui::kSaved;
        dialogs.forget();
    }

    std::size_t base() { return state().displayed.base; }
    Bytes image() { return testing::eprom(state().image); }
    void fillRecord(std::uint8_t value) {
        for (std::size_t i = 0; i < kRecordFieldBytes; ++i) state().image[base() + i] = value;
    }

    LRESULT command(int id, int code = BN_CLICKED) {
        return SendMessageW(window(), WM_COMMAND, MAKEWPARAM(id, code),
                            reinterpret_cast<LPARAM>(item(id)));
    }
    void setCheck(int id, bool checked) {
        CheckDlgButton(window(), id, checked ? BST_CHECKED : BST_UNCHECKED);
        command(id);
    }
    void choose(int id, int position) {
        SendMessageW(item(id), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        command(id, CBN_SELENDOK);
    }
    void clickOption(int id) { SendMessageW(item(id), BM_CLICK, 0, 0); }
    // A click on the display, the digits typed, Enter.
    void enterFrequency(const ui::FrequencyTrio& trio, const wchar_t* digits) {
        click(item(trio.display));
        ASSERT_EQ(GetFocus(), item(trio.entry));
        SetWindowTextW(item(trio.entry), digits);
        SendMessageW(window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    void expectDisplayRestored(const ui::FrequencyTrio& trio) {
        EXPECT_FALSE(shown(item(trio.entry)));
        EXPECT_FALSE(IsWindowEnabled(item(trio.entry)));
        EXPECT_TRUE(shown(item(trio.display)));
        EXPECT_TRUE(IsWindowEnabled(item(trio.display)));
        EXPECT_TRUE(shown(item(trio.mhz)));
    }
};

const ui::FrequencyTrio kRx{ids::kRxFrequencyDisplay, ids::kRxMhz, ids::kRxFrequencyEntry};
const ui::FrequencyTrio kTx{ids::kTxFrequencyDisplay, ids::kTxMhz, ids::kTxFrequencyEntry};
const ui::FrequencyTrio kIdle{ids::kIdleFrequencyDisplay, ids::kIdleMhz, ids::kIdleFrequencyEntry};

// ---- Check boxes ---------------------------------------------------------------------

struct CheckBoxCase {
    int id;
    const char* name;
    std::size_t byte;
    int bit;
    bool checkedSets;  // false: checking clears the bit
};

const CheckBoxCase kCheckBoxes[] = {
    {1109, "receive Invert DPL", 14, 0, true},
    {1208, "transmit Invert DPL", 12, 0, false},
    {1213, "CW ID Enable", 17, 7, true},
    {1214, "PL/DPL with ID", 17, 5, true},
    {1215, "ID During Acitvity", 17, 6, true},
    {1301, "RX Control Carrier", 6, 4, true},
    {1302, "RX Control Code", 6, 6, true},
    {1303, "RX Control Auxilary", 6, 5, true},
    {1401, "Repeater Activate Carrier", 16, 0, true},
    {1402, "Repeater Activate Code", 16, 2, true},
    {1403, "Repeater Activate Auxilary", 16, 1, true},
    {1501, "Repeater Hold Carrier", 16, 4, true},
    {1502, "Repeater Hold Code", 16, 6, true},
    {1503, "Repeater Hold Auxilary", 16, 5, true},
    {1801, "Mute on Wireline", 17, 1, true},
    {1802, "Enable Over Air", 17, 2, true},
    {1922, "Repeater Audio", 6, 0, true},
    {1924, "Local Mic Audio", 6, 1, true},
};

TEST_F(Events, EachCheckBoxSetsAndClearsExactlyItsBit) {
    for (const CheckBoxCase& c : kCheckBoxes) {
        for (std::uint8_t background : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
            fillRecord(background);
            for (bool checked : {true, false, true}) {
                SCOPED_TRACE(std::string(c.name) + (checked ? " checked" : " cleared") +
                             " over " + std::to_string(background));
                state().modified = ui::kSaved;
                Bytes want = image();
                const bool set = checked == c.checkedSets;
                std::uint8_t& byte = want[base() + c.byte];
                byte = static_cast<std::uint8_t>(set ? byte | (1 << c.bit) : byte & ~(1 << c.bit));
                setCheck(c.id, checked);
                EXPECT_IMAGE(image(), want);
                EXPECT_EQ(state().modified, ui::kModified);
            }
        }
    }
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

// ---- Drop-downs with fixed choices -------------------------------------------------------

struct Write {
    bool header;  // header offset, else record offset
    std::size_t offset;
    std::uint8_t value;
};

struct FixedChoiceCase {
    int id;
    const char* name;
    int position;
    std::uint8_t background;  // of the record
    std::vector<Write> writes;
};

const FixedChoiceCase kFixedChoices[] = {
    {1910, "CW ID message", 1, 0xFF, {{false, 18, 0x01}}},
    {1602, "wireline timer", 31, 0xFF, {{false, 8, 0x1F}}},
    {1602, "wireline timer", 0, 0xFF, {{false, 8, 0x00}}},
    {1604, "repeater timer keeps bits 7-5", 2, 0xFF, {{false, 10, 0xE2}}},
    {1604, "repeater timer", 31, 0x00, {{false, 10, 0x1F}}},
    {1606, "local mic timer", 17, 0xFF, {{false, 9, 0x11}}},
    {1608, "drop-out delay keeps bits 4-0", 2, 0xFF, {{false, 10, 0x5F}}},
    {1608, "drop-out delay", 7, 0x00, {{false, 10, 0xE0}}},
    {1902, "CW speed <1", 0, 0x00, {{true, 0x1F, 0x04}, {true, 0x20, 0x00}}},
    {1902, "CW speed 3", 3, 0x00, {{true, 0x1F, 0x01}, {true, 0x20, 0x55}}},  // 341
    {1902, "CW speed >32", 33, 0x00, {{true, 0x1F, 0x00}, {true, 0x20, 0x20}}},
    {1904, "ID timer", 5, 0x00, {{true, 0x1C, 0x05}}},
    {1906, "re-key delay", 0, 0x00, {{true, 0x1D, 0x02}}},
    {1906, "re-key delay", 63, 0x00, {{true, 0x1D, 0x41}}},
    {1908, "tone start delay", 63, 0x00, {{true, 0x1E, 0x40}}},
};

TEST_F(Events, EachFixedDropDownWritesExactlyItsBytes) {
    for (const FixedChoiceCase& c : kFixedChoices) {
        SCOPED_TRACE(std::string(c.name) + " position " + std::to_string(c.position));
        open(testing::sampleImage());
        fillRecord(c.background);
        Bytes want = image();
        for (const Write& w : c.writes) want[(w.header ? 0 : base()) + w.offset] = w.value;
        choose(c.id, c.position);
        EXPECT_IMAGE(image(), want);
        EXPECT_EQ(state().modified, ui::kModified);
    }
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

TEST_F(Events, DropDownNotificationsOtherThanAChoiceStoreNothing) {
    const Bytes before = image();
    for (int id : {1602, 1604, 1606, 1608, 1902, 1904, 1906, 1908, 1910, 1107, 1207}) {
        SendMessageW(item(id), CB_SETCURSEL, 1, 0);
        for (int code : {CBN_SELCHANGE, CBN_DROPDOWN, CBN_CLOSEUP, CBN_SETFOCUS, CBN_KILLFOCUS,
                         CBN_SELENDCANCEL})
            command(id, code);
    }
    EXPECT_IMAGE(image(), before);
    EXPECT_EQ(state().modified, ui::kSaved);
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

// ---- Frequency entries ---------------------------------------------------------------

struct FrequencyCase {
    const char* name;
    ui::FrequencyTrio trio;
    int bandOption;
    const wchar_t* digits;
    std::size_t word;  // record offset of the word
    std::uint8_t bytes[3];
};

// The worked examples of the synthesizer encoding; the UHF transmit and idle
// words and the 800/900 idle word follow the same steps by hand:
// 448.85 MHz / 6250 = 71816, residue 2, N = 23938: swallow 61, main 318.
const FrequencyCase kCommits[] = {
    {"receive VHF", kRx, ids::kRxBandVhf, L"1465200", 0, {0xA4, 0x96, 0x03}},
    {"receive UHF", kRx, ids::kRxBandUhf, L"4488500", 0, {0x83, 0xE4, 0xA1}},
    {"receive 800/900", kRx, ids::kRxBand800, L"9350000", 0, {0x94, 0x02, 0x01}},
    {"transmit VHF", kTx, ids::kTxBandVhf, L"1465200", 3, {0x90, 0x27, 0x13}},
    {"transmit UHF", kTx, ids::kTxBandUhf, L"4488500", 3, {0xCF, 0xF4, 0x31}},
    {"transmit 800/900", kTx, ids::kTxBand800, L"8060000", 3, {0xE5, 0x8F, 0x11}},
    {"idle VHF", kIdle, ids::kTxBandVhf, L"1465200", 19, {0x90, 0x27, 0x13}},
    {"idle UHF", kIdle, ids::kTxBandUhf, L"4488500", 19, {0xCF, 0xF4, 0x31}},
    {"idle 800/900", kIdle, ids::kTxBand800, L"8060000", 19, {0xE5, 0x8F, 0x11}},
};

TEST_F(Events, EnterCommitsEachDirectionOnEachBand) {
    for (const FrequencyCase& c : kCommits) {
        SCOPED_TRACE(c.name);
        open(testing::sampleImage());
        clickOption(c.bandOption);
        Bytes want = image();
        for (std::size_t i = 0; i < 3; ++i) want[base() + c.word + i] = c.bytes[i];
        enterFrequency(c.trio, c.digits);
        EXPECT_IMAGE(image(), want);
        EXPECT_EQ(state().modified, ui::kModified);
        EXPECT_TRUE(state().unsavedEdits());
        expectDisplayRestored(c.trio);
    }
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

struct RefusedCase {
    const char* name;
    ui::FrequencyTrio trio;
    Direction direction;
    int bandOption;
    Band band;
    const wchar_t* digits;
};

const RefusedCase kRefusals[] = {
    {"six digits ending in 4: no completion rule", kRx, Direction::Receive, ids::kRxBandUhf,
     Band::Uhf, L"448854"},
    {"a multiple of neither 5 nor 6.25 kHz", kTx, Direction::Transmit, ids::kTxBandUhf, Band::Uhf,
     L"4488510"},
    {"receive below the IF", kRx, Direction::Receive, ids::kRxBandVhf, Band::Vhf, L"0050000"},
    {"main count beyond 10 bits", kIdle, Direction::Idle, ids::kTxBandVhf, Band::Vhf, L"4488500"},
};

TEST_F(Events, RefusedFrequencyIsShownWritesNothingAndKeepsTheFlag) {
    for (const RefusedCase& c : kRefusals) {
        SCOPED_TRACE(c.name);
        clickOption(c.bandOption);
        dialogs.forget();
        const Bytes before = image();
        const std::wstring shownBefore = text(c.trio.display);
        Image copy = state().image;
        const EditOutcome model =
            commitFrequencyEntry(copy, base(), c.direction, c.band, narrow(c.digits));
        ASSERT_EQ(model.status, EditStatus::Refused);

        enterFrequency(c.trio, c.digits);
        EXPECT_IMAGE(image(), before);
        EXPECT_EQ(state().modified, ui::kSaved);
        EXPECT_FALSE(state().unsavedEdits());
        expectDisplayRestored(c.trio);
        EXPECT_EQ(text(c.trio.display), shownBefore);
        ASSERT_EQ(dialogs.messageBoxes().size(), 1u);
        const SeenMessageBox& box = dialogs.messageBoxes()[0];
        EXPECT_EQ(narrow(box.text), model.refusal);
        EXPECT_EQ(box.style, UINT{MB_OK | MB_TASKMODAL | MB_SETFOREGROUND});
        EXPECT_EQ(box.owner, nullptr);
    }
}

TEST_F(Events, ShortEntryAndLosingTheFocusGiveUpQuietly) {
    const Bytes before = image();
    for (const ui::FrequencyTrio& trio : {kRx, kTx, kIdle}) {
        const std::wstring shownBefore = text(trio.display);
        enterFrequency(trio, L"4488");
        expectDisplayRestored(trio);

        click(item(trio.display));
        SetWindowTextW(item(trio.entry), L"4488500");
        SetFocus(item(ids::kNextChannel));  // the entry box loses the focus
        expectDisplayRestored(trio);
        EXPECT_EQ(text(trio.display), shownBefore);
    }
    EXPECT_IMAGE(image(), before);
    EXPECT_EQ(state().modified, ui::kSaved);
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

// ---- Unknown commands ----------------------------------------------------------------

TEST_F(Events, EnterWithNoEntryBoxFocusedIsAnUnknownCommand) {
    const Bytes before = image();
    SetFocus(item(ids::kCwIdEnable));
    SendMessageW(window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_EQ(dialogs.messageBoxes().size(), 1u);
    const SeenMessageBox& box = dialogs.messageBoxes()[0];
    EXPECT_EQ(narrow(box.text), "command from main() from control  1  0");
    EXPECT_FALSE(box.ownCaption);
    EXPECT_EQ(box.style, kTaskBoxStyle);
    EXPECT_IMAGE(image(), before);
}

TEST_F(Events, UnknownCommandNoticeNamesTheIdAndTheSecondParameter) {
    const struct {
        int id;
        LPARAM param;
        const char* text;
    } cases[] = {
        {4321, 77, "command from main() from control  4321  77"},
        {4321, -5, "command from main() from control  4321 -5"},
        {ids::kWirelineAudio, 0, "command from main() from control  1923  0"},
    };
    for (const auto& c : cases)
        SendMessageW(window(), WM_COMMAND, MAKEWPARAM(c.id, BN_CLICKED), c.param);
    ASSERT_EQ(dialogs.messageBoxes().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(narrow(dialogs.messageBoxes()[i].text), cases[i].text);
}

// ---- Channel step, bands -------------------------------------------------------------

TEST_F(Events, ChannelStepWrapsAroundBothWays) {
    const struct {
        int from;
        int button;
        int to;
    } cases[] = {
        {1, ids::kPreviousChannel, 4}, {4, ids::kNextChannel, 1},
        {2, ids::kNextChannel, 3},     {2, ids::kPreviousChannel, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " -> " + std::to_string(c.to));
        state().currentChannel = static_cast<std::int16_t>(c.from);
        command(c.button);
        EXPECT_EQ(state().currentChannel, c.to);
        EXPECT_EQ(state().displayed.channel, c.to) << "the channel is shown";
    }
    EXPECT_EQ(state().modified, ui::kSaved);
    EXPECT_FALSE(state().unsavedEdits());
}

TEST_F(Events, BandOptionsChangeTheSelectionAndTheDisplayButNotTheImage) {
    const struct {
        int id;
        Band ui::ProgramState::*selection;
        Band band;
        const char* notice;  // nullptr: the status bar keeps its text
    } cases[] = {
        {ids::kRxBandVhf, &ui::ProgramState::rxBand, Band::Vhf, "VHF"},
        {ids::kRxBand800, &ui::ProgramState::rxBand, Band::Band800, "800/900 presuming 21.4 IF"},
        {ids::kRxBandUhf, &ui::ProgramState::rxBand, Band::Uhf, "UHF"},
        {ids::kTxBandVhf, &ui::ProgramState::txBand, Band::Vhf, nullptr},
        {ids::kTxBand800, &ui::ProgramState::txBand, Band::Band800,
         "800/900 Functions partially tested!"},
        {ids::kTxBandUhf, &ui::ProgramState::txBand, Band::Uhf, nullptr},
    };
    testing::setRecord(state().image, {}, 1, {0x83, 0xE4, 0xA1, 0x90, 0x27, 0x13});
    const Bytes before = image();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        ui::setStatusText(state(), 0, L"before");
        clickOption(c.id);
        EXPECT_EQ(state().*c.selection, c.band);
        EXPECT_EQ(narrow(statusText(item(ids::kStatusBar), 0)), c.notice ? c.notice : "before");
        ChannelViewRequest request{1, state().rxBand, state().txBand};
        EXPECT_EQ(state().displayed.rx.text, channelView(state().image, request).rx.text);
        EXPECT_EQ(state().displayed.tx.text, channelView(state().image, request).tx.text);
    }
    EXPECT_IMAGE(image(), before);
    EXPECT_EQ(state().modified, ui::kSaved);
}

// ---- Squelch codes ---------------------------------------------------------------------

struct CodeTypeCase {
    int option;
    Direction direction;
    CodeType type;
    int list;
    int invert;
    std::size_t items;
};

const CodeTypeCase kCodeTypes[] = {
    {ids::kRxPl, Direction::Receive, CodeType::Pl, ids::kRxCodeList, ids::kRxInvertDpl, 42},
    {ids::kRxDpl, Direction::Receive, CodeType::Dpl, ids::kRxCodeList, ids::kRxInvertDpl, 83},
    {ids::kRxCarrier, Direction::Receive, CodeType::Carrier, ids::kRxCodeList, ids::kRxInvertDpl, 0},
    {ids::kTxPl, Direction::Transmit, CodeType::Pl, ids::kTxCodeList, ids::kTxInvertDpl, 42},
    {ids::kTxDpl, Direction::Transmit, CodeType::Dpl, ids::kTxCodeList, ids::kTxInvertDpl, 83},
    {ids::kTxCarrier, Direction::Transmit, CodeType::Carrier, ids::kTxCodeList, ids::kTxInvertDpl, 0},
};

TEST_F(Events, CodeTypeOptionsSetUpTheControlsAndApplyTheChange) {
    for (const CodeTypeCase& c : kCodeTypes) {
        SCOPED_TRACE(c.option);
        state().modified = ui::kSaved;
        Image want = state().image;
        chooseCodeType(want, base(), c.direction, c.type);
        clickOption(c.option);
        EXPECT_IMAGE(image(), testing::eprom(want));
        EXPECT_EQ(state().modified, ui::kModified);
        const CodeView& kept = c.direction == Direction::Receive ? state().displayed.rxCode
                                                                  : state().displayed.txCode;
        EXPECT_EQ(kept.type, c.type);
        EXPECT_EQ(IsWindowEnabled(item(c.list)) != FALSE, c.type != CodeType::Carrier);
        EXPECT_EQ(IsWindowEnabled(item(c.invert)) != FALSE, c.type == CodeType::Dpl);
        if (c.type != CodeType::Carrier) {
            EXPECT_EQ(comboItems(item(c.list)).size(), c.items);
            EXPECT_EQ(SendMessageW(item(c.list), CB_GETCURSEL, 0, 0), CB_ERR);
        }
        if (c.direction == Direction::Receive) {
            EXPECT_EQ(shown(item(ids::kPlNote)), c.type == CodeType::Pl);
        }
    }
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

TEST_F(Events, PlChosenAgainAppliesTheChangeAgain) {
    clickOption(ids::kRxPl);
    choose(ids::kRxCodeList, 11);
    ASSERT_NE(state().image[base() + 13] | state().image[base() + 14], 0) << "a tone is stored";
    state().modified = ui::kSaved;

    clickOption(ids::kRxPl);  // already checked
    EXPECT_EQ(state().image[base() + 13], 0x00);
    EXPECT_EQ(state().image[base() + 14], 0x00);
    EXPECT_EQ(comboItems(item(ids::kRxCodeList)).size(), 42u);
    EXPECT_EQ(SendMessageW(item(ids::kRxCodeList), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(state().modified, ui::kModified);
}

TEST_F(Events, AnOptionCommandWhileUncheckedDoesNothing) {
    const Bytes before = image();
    CheckDlgButton(window(), ids::kTxDpl, BST_UNCHECKED);
    command(ids::kTxDpl);
    EXPECT_IMAGE(image(), before);
    EXPECT_EQ(state().modified, ui::kSaved);
    EXPECT_TRUE(comboItems(item(ids::kTxCodeList)).empty()) << "no codes filled in";
}

TEST_F(Events, ToneOrCodeChoiceStoresTheTableEntryOfTheKeptCodeType) {
    const struct {
        int option;
        int list;
        Direction direction;
        CodeType type;
        int position;
    } cases[] = {
        {ids::kRxPl, ids::kRxCodeList, Direction::Receive, CodeType::Pl, 0},
        {ids::kRxDpl, ids::kRxCodeList, Direction::Receive, CodeType::Dpl, 82},
        {ids::kTxPl, ids::kTxCodeList, Direction::Transmit, CodeType::Pl, 41},
        {ids::kTxDpl, ids::kTxCodeList, Direction::Transmit, CodeType::Dpl, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.option) + " position " + std::to_string(c.position));
        clickOption(c.option);
        state().modified = ui::kSaved;
        Image want = state().image;
        ASSERT_TRUE(chooseCodeItem(want, base(), c.direction, c.type, c.position).done());
        ASSERT_NE(testing::eprom(want), image()) << "the choice changes the code";
        choose(c.list, c.position);
        EXPECT_IMAGE(image(), testing::eprom(want));
        EXPECT_EQ(state().modified, ui::kModified);
    }
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

// ---- Transmit priority -------------------------------------------------------------------

TEST_F(Events, PriorityOptionsRewriteTheByteAndMarkConflicts) {
    const COLORREF conflict = RGB(255, 153, 153);
    auto highlighted = [this](int label) {
        const Colours colours = controlColours(item(label), WM_CTLCOLORSTATIC);
        return colours.brush && colours.background == conflict && colours.text == RGB(0, 0, 0);
    };
    clickOption(ids::kRepeaterHighest);
    clickOption(ids::kWirelineHighest);
    clickOption(ids::kLocalDisabled);
    EXPECT_EQ(state().image[base() + 7], 0x11);
    EXPECT_TRUE(highlighted(ids::kRepeaterPathLabel));
    EXPECT_TRUE(highlighted(ids::kWirelinePathLabel));
    EXPECT_FALSE(highlighted(ids::kLocalPathLabel));
    EXPECT_EQ(state().modified, ui::kModified);

    clickOption(ids::kWirelineMiddle);
    clickOption(ids::kLocalLowest);
    EXPECT_EQ(state().image[base() + 7], 0x01 | (3 << 2) | (2 << 4));
    for (int label : {ids::kRepeaterPathLabel, ids::kWirelinePathLabel, ids::kLocalPathLabel})
        EXPECT_FALSE(highlighted(label)) << label;
}

// ---- The modified flag ---------------------------------------------------------------------

TEST_F(Events, OnlyEditsSetTheModifiedFlag) {
    struct Action {
        const char* name;
        std::function<void()> run;
        bool edit;
    };
    const Action actions[] = {
        {"receive band", [&] { clickOption(ids::kRxBandVhf); }, false},
        {"transmit band", [&] { clickOption(ids::kTxBand800); }, false},
        {"next channel", [&] { command(ids::kNextChannel); }, false},
        {"previous channel", [&] { command(ids::kPreviousChannel); }, false},
        {"short entry", [&] { enterFrequency(kRx, L"4488"); }, false},
        {"refused entry", [&] { enterFrequency(kRx, L"448854"); }, false},
        {"Escape", [&] { command(IDCANCEL); }, false},
        {"check box", [&] { setCheck(ids::kHoldCode, true); }, true},
        {"timer", [&] { choose(ids::kLocalMicTimer, 3); }, true},
        {"header list", [&] { choose(ids::kIdTimer, 3); }, true},
        {"priority", [&] { clickOption(ids::kLocalMiddle); }, true},
        {"code type", [&] { clickOption(ids::kTxDpl); }, true},
        {"frequency", [&] { enterFrequency(kIdle, L"44885"); }, true},
    };
    for (const Action& action : actions) {
        SCOPED_TRACE(action.name);
        state().modified = ui::kSaved;
        state().noteImageMatchesFile();
        action.run();
        EXPECT_EQ(state().modified, action.edit ? ui::kModified : ui::kSaved);
        EXPECT_EQ(state().unsavedEdits(), action.edit);
    }
}

TEST_F(Events, FirstStepNoticeOnceAtTheFirstNotificationWhileTheFlagIsFour) {
    // Showing the window brings the first notifications of its common controls.
    ASSERT_EQ(editor_->startUpBoxes().size(), 1u);
    EXPECT_EQ(narrow(editor_->startUpBoxes()[0].caption), "MSF5000 First Step");

    auto notify = [this] {
        NMHDR header{item(ids::kToolbar), ids::kToolbar, NM_CLICK};
        SendMessageW(window(), WM_NOTIFY, ids::kToolbar, reinterpret_cast<LPARAM>(&header));
    };
    const std::wstring text = L"You must start by opening an existing binary image file to edit";
    for (std::int16_t flag : {ui::kSaved, ui::kModified}) {
        state().modified = flag;
        notify();
        EXPECT_EQ(state().modified, flag);
    }
    EXPECT_TRUE(dialogs.messageBoxes().empty());

    state().modified = ui::kModifiedAtStartUp;
    notify();
    notify();
    ASSERT_EQ(dialogs.messageBoxes().size(), 1u);
    const SeenMessageBox& box = dialogs.messageBoxes()[0];
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(narrow(box.caption), "MSF5000 First Step");
    EXPECT_EQ(box.style, UINT{MB_TASKMODAL | MB_ICONINFORMATION});
    EXPECT_EQ(state().modified, ui::kModified);
}

// ---- Leaving ---------------------------------------------------------------------------

TEST(ExitCheck, ExitEndsTheProgramOnlyAfterASaveWithNoEditSince) {
    DialogDriver dialogs;
    Editor editor;
    ui::ProgramState& state = editor.state();
    auto exitCommand = [&] { editor.menuCommand(ids::kExit); };
    dialogs.forget();  // the first-step notice, when the start-up brought it

    exitCommand();  // at once after start-up
    ASSERT_TRUE(IsWindow(editor.window()));
    state.image = testing::sampleImage();  // opened, not edited
    state.currentChannel = 1;
    ui::displayCurrentChannel(state);
    exitCommand();
    ASSERT_TRUE(IsWindow(editor.window()));
    ASSERT_EQ(dialogs.messageBoxes().size(), 2u);
    for (const SeenMessageBox& box : dialogs.messageBoxes()) {
        EXPECT_EQ(narrow(box.text), "File not saved");
        EXPECT_EQ(narrow(box.caption), "Program Exit");
        EXPECT_EQ(box.style, UINT{MB_ICONEXCLAMATION});
        EXPECT_EQ(box.owner, editor.window());
    }

    state.modified = ui::kSaved;  // as Save As leaves it
    exitCommand();
    EXPECT_FALSE(IsWindow(editor.window()));
    EXPECT_EQ(state.mainResult, 0);
    EXPECT_EQ(dialogs.messageBoxes().size(), 2u);
}

TEST_F(Events, EscapeWarnsWhileEditedAndNeverEndsTheWindow) {
    for (std::int16_t flag : {ui::kModifiedAtStartUp, ui::kSaved, ui::kModified}) {
        state().modified = flag;
        command(IDCANCEL);
        EXPECT_TRUE(IsWindow(window()));
    }
    ASSERT_EQ(dialogs.messageBoxes().size(), 1u);
    const SeenMessageBox& box = dialogs.messageBoxes()[0];
    EXPECT_EQ(narrow(box.text), "File Not Saved");
    EXPECT_FALSE(box.ownCaption);
    EXPECT_EQ(box.style, kTaskBoxStyle);
    EXPECT_EQ(box.owner, nullptr);
}

TEST(CloseBox, AsksOnlyWhenEditsAreNotSaved) {
    enum class After { Nothing, SaveAs, Open };
    const struct {
        const char* name;
        bool edit;
        After after;  // what follows the edit
        int answer;
        bool asked;
        bool closes;
    } cases[] = {
        {"nothing edited since Open", false, After::Nothing, IDNO, false, true},
        {"edited, answered No", true, After::Nothing, IDNO, true, false},
        {"edited, answered Yes", true, After::Nothing, IDYES, true, true},
        {"edited, then saved", true, After::SaveAs, IDNO, false, true},
        {"edited, then another file opened", true, After::Open, IDNO, false, true},
    };
    TempFolder folder;
    const std::wstring file = folder.file(L"sample.bin");
    writeFile(file, testing::eprom(testing::sampleImage()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialogDriver dialogs;
        Editor editor;
        dialogs.expectDialog(chooseFile(file));
        editor.menuCommand(ids::kOpen);
        ASSERT_EQ(editor.state().currentChannel, 1);
        if (c.edit) {
            CheckDlgButton(editor.window(), ids::kCwIdEnable, BST_CHECKED);
            editor.menuCommand(ids::kCwIdEnable);
        }
        if (c.after != After::Nothing) {
            dialogs.answerMessageBoxesWith(IDYES);  // Open asks before dropping the edit
            dialogs.expectDialog(chooseFile(c.after == After::Open ? file : folder.file(L"saved.bin")));
            editor.menuCommand(c.after == After::Open ? ids::kOpen : ids::kSaveAs);
        }
        dialogs.forget();
        dialogs.answerMessageBoxesWith(c.answer);
        SendMessageW(editor.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(!IsWindow(editor.window()), c.closes);
        ASSERT_EQ(dialogs.messageBoxes().size(), c.asked ? 1u : 0u);
        if (c.asked) {
            const SeenMessageBox& box = dialogs.messageBoxes()[0];
            EXPECT_EQ(narrow(box.text).rfind("File not saved", 0), 0u) << narrow(box.text);
            EXPECT_NE(box.text.find(L'?'), std::wstring::npos) << "it asks";
            EXPECT_EQ(box.style & MB_TYPEMASK, UINT{MB_YESNO});
            EXPECT_EQ(box.owner, editor.window());
        }
    }
}

}  // namespace
}  // namespace quarnel::test
