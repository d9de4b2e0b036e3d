// Open and Save As through the real common dialogs: what they ask, what they
// report on the progress bar, the status bar and the caption, cancelling, and
// files that cannot be read or written.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/image.h"
#include "model/layout.h"
#include "tests/support/sample_image.h"
#include "tests/ui/harness.h"
#include "ui/file_commands.h"
#include "ui/main_window.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"
#include "model/text_forms.h"

namespace quarnel::test {
namespace {

using ui::narrow;
namespace ids = ui::ids;

std::wstring currentFolder() {
    wchar_t folder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

// Everything Open and Save As may change, to compare before and after.
struct Everything {
    std::map<int, std::wstring> controls;
    std::wstring caption;
    std::wstring status0, status1;
    std::vector<std::uint8_t> image;
    int modified;
    int channel;
    bool operator==(const Everything& o) const {
        return controls == o.controls && caption == o.caption && status0 == o.status0 &&
               status1 == o.status1 && image == o.image && modified == o.modified &&
               channel == o.channel;
    }
};

class FileCommands : public EditorTest {
protected:
    std::wstring writeRepeaterImage(const std::wstring& name = L"repeater.bin") {
        const std::wstring path = folder_.file(name);
        writeFile(path, testing::eprom(testing::repeaterImage()));
        return path;
    }

    HWND progress() const { return item(ids::kProgressBar); }
    int progressPosition() const { return static_cast<int>(SendMessageW(progress(), PBM_GETPOS, 0, 0)); }
    std::string status(int part) const { return narrow(statusText(item(ids::kStatusBar), part)); }

    Everything everything() {
        Everything e;
        for (HWND c = GetWindow(window(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            const int id = GetDlgCtrlID(c);
            if (id != ids::kProgressBar && id != ids::kStatusBar && id != ids::kToolbar)
                e.controls[id] = shownState(c);
        }
        e.caption = ui::windowText(window());
        e.status0 = statusText(item(ids::kStatusBar), 0);
        e.status1 = statusText(item(ids::kStatusBar), 1);
        e.image.assign(state().image.bytes.begin(), state().image.bytes.end());
        e.modified = state().modified;
        e.channel = state().currentChannel;
        return e;
    }

    // What a file dialog is to be asked with; its owner is the main window
    // and it starts in the current folder.
    struct AskedFor {
        ui::FileDialogKind kind;
        const char* title;
        std::vector<std::pair<std::string, std::string>> fileTypes;
        const char* defaultExtension;
        DWORD flags;
        std::size_t maxPathLength;
    };

    void expectAsked(const SeenFileDialog& asked, const AskedFor& expected) {
        const ui::FileDialogRequest& r = asked.request;
        EXPECT_EQ(asked.kind, expected.kind);
        EXPECT_EQ(r.owner, window());
        EXPECT_EQ(narrow(r.title), expected.title);
        std::vector<std::pair<std::string, std::string>> types;
        for (const auto& [name, patterns] : r.fileTypes) types.emplace_back(narrow(name), narrow(patterns));
        EXPECT_EQ(types, expected.fileTypes);
        EXPECT_EQ(_wcsicmp(r.initialFolder.c_str(), currentFolder().c_str()), 0) << narrow(r.initialFolder);
        EXPECT_EQ(narrow(r.defaultExtension), expected.defaultExtension);
        EXPECT_EQ(r.flags, expected.flags);
        EXPECT_EQ(r.maxPathLength, expected.maxPathLength);
    }

    // The message boxes the program asked for (not the file dialog's own).
    std::vector<SeenMessageBox> programBoxes() const {
        std::vector<SeenMessageBox> boxes;
        for (const SeenMessageBox& box : dialogs.messageBoxes())
            if (box.fromSeam) boxes.push_back(box);
        return boxes;
    }

    TempFolder folder_;
    WorkingDirectory here_{folder_.path()};
};

TEST(FileNames, AbbreviatedAfterFortyCharacters) {
    struct Case {
        std::wstring path;
        std::wstring shown;
    } cases[] = {
        {L"C:\\a.bin", L"C:\\a.bin"},
        {L"C:\\Repeaters\\Hilltop\\Site 4\\msf5000a.bin", L"C:\\Repeaters\\Hilltop\\Site 4\\msf5000a.bin"},
        {L"C:\\Repeaters\\Hilltop\\Site 4\\msf5000ab.bin", L"C:\\Repeaters\\Hil...top\\Site 4\\msf5000ab.bin"},
        {L"", L""},
    };
    ASSERT_EQ(cases[0].path.size(), 8u);
    ASSERT_EQ(cases[1].path.size(), 40u);
    ASSERT_EQ(cases[2].path.size(), 41u);
    for (const Case& c : cases) EXPECT_EQ(narrow(ui::abbreviatedName(c.path)), narrow(c.shown));
}

TEST_F(FileCommands, OpenAsksForAnImageAndShowsChannelOne) {
    const std::wstring path = writeRepeaterImage();
    state().modified = ui::kModified;
    MessageCounter steps(progress(), PBM_STEPIT);
    openFile(path);

    ASSERT_EQ(dialogs.fileDialogs().size(), 1u);
    expectAsked(dialogs.fileDialogs()[0],
                {ui::FileDialogKind::Open,
                 "EPROM file to edit",
                 {{"Binary images (*.bin *.rom)", "*.bin;*rom"}, {"All Files (*.*)", "*.*"}},
                 "",
                 OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER,
                 254});

    const std::string caption = narrow(ui::windowText(window()));
    EXPECT_EQ(caption.rfind("MSF5000 Image - ", 0), 0u) << caption;
    EXPECT_EQ(_wcsicmp(ui::widen(caption.substr(16)).c_str(), path.c_str()), 0) << caption;
    EXPECT_EQ(status(0), "File Closed.   4096 bytes read");
    EXPECT_EQ(status(1), "Checksum is 0x" + hex4(storedChecksum(testing::repeaterImage())));
    EXPECT_FALSE(IsWindowVisible(progress()));
    EXPECT_EQ(steps.count, 4096) << "one step per byte";
    EXPECT_EQ(state().currentChannel, 1);
    EXPECT_EQ(narrow(text(ids::kChannelTitle)), "Channel  1");
    EXPECT_EQ(narrow(text(ids::kRxFrequencyDisplay)), "449.9250");
    EXPECT_EQ(state().modified, ui::kModified) << "opening leaves the flag alone";
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

// What the load reports for files of several kinds. The long file's box
// comes while the load runs: the status bar then says what is read.
TEST_F(FileCommands, OpenReportsTheBytesReadAndTheChecksum) {
    Image matching = testing::repeaterImage();
    // A spare header word set so that the sum comes out as 0x0A5F.
    const std::size_t spare = 0x2E;
    writeWord(matching, spare, static_cast<std::uint16_t>(readWord(matching, spare) + 0x0A5F -
                                                          computeChecksum(matching)));
    writeWord(matching, 0, computeChecksum(matching));
    ASSERT_EQ(computeChecksum(matching), 0x0A5F);

    std::vector<std::uint8_t> corrupted = testing::eprom(testing::repeaterImage());
    corrupted[0x100] ^= 0x01;
    std::vector<std::uint8_t> tooLong = testing::eprom(testing::repeaterImage());
    tooLong.resize(5000, 0x55);
    std::vector<std::uint8_t> half = testing::eprom(testing::repeaterImage());
    half.resize(2048);

    // The first 4096 bytes of the long file are the repeater image.
    const std::string repeaterSum = "Checksum is 0x" + hex4(storedChecksum(testing::repeaterImage()));

    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* read;
        std::string checksum;
        int steps;
        std::vector<std::wstring> boxes;
    } cases[] = {
        {"checksum 0A5F", testing::eprom(matching), "File Closed.   4096 bytes read",
         "Checksum is 0x0A5F", 4096, {}},
        {"one bit wrong", corrupted, "File Closed.   4096 bytes read", "Checksum Failed!", 4096, {}},
        {"5000 bytes", tooLong, "File Closed.   4097 bytes read", repeaterSum, 4097,
         {L"File larger than 4096 bytes"}},
        // Last Word lies in the first half: a 2 KB image verifies.
        {"2048 bytes", half, "File Closed.   2048 bytes read", repeaterSum, 2048, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring path = folder_.file(L"image.bin");
        writeFile(path, c.bytes);
        std::vector<std::string> whileShown;
        dialogs.whileMessageBoxShown([&](const SeenMessageBox&) {
            whileShown = {status(0), status(1), IsWindowVisible(progress()) ? "progress shown" : ""};
        });
        dialogs.forget();
        MessageCounter steps(progress(), PBM_STEPIT);
        openFile(path);
        EXPECT_EQ(dialogs.messageBoxTexts(), c.boxes);
        EXPECT_EQ(status(0), c.read);
        EXPECT_EQ(status(1), c.checksum);
        EXPECT_EQ(steps.count, c.steps);
        EXPECT_FALSE(IsWindowVisible(progress()));
        EXPECT_EQ(narrow(text(ids::kChannelTitle)), "Channel  1") << "shown whatever the checksum";
        if (!c.boxes.empty()) {
            const std::string reading = "Reading: " + narrow(ui::abbreviatedName(path));
            EXPECT_EQ(whileShown, (std::vector<std::string>{reading, "", "progress shown"}));
        }
    }
}

TEST_F(FileCommands, CancellingEitherDialogChangesNothing) {
    openFile(writeRepeaterImage());
    ui::setStatusText(state(), 1, L"Checksum is 0x1234");
    const Everything before = everything();
    for (int command : {ids::kOpen, ids::kSaveAs}) {
        SCOPED_TRACE(command);
        dialogs.expectDialog(cancelDialog());
        editor_->menuCommand(command);
        EXPECT_EQ(dialogs.handlersLeft(), 0u);
        EXPECT_TRUE(everything() == before);
        // The progress bar stays, empty: position 0 is taken as the range's start.
        EXPECT_TRUE(IsWindowVisible(progress()));
        EXPECT_EQ(progressPosition(), SendMessageW(progress(), PBM_GETRANGE, TRUE, 0));
    }
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

TEST_F(FileCommands, SaveAsWritesTheImageWithAFreshChecksum) {
    const std::wstring original = writeRepeaterImage();
    openFile(original);
    // An edit: channel 1's wireline time-out becomes 60 s.
    writeField(state().image, Field::LineToT, 4, state().displayed.base);
    state().modified = ui::kModified;
    SetDlgItemTextW(window(), ids::kWirelineTimerCaption, L"marker");

    MessageCounter steps(progress(), PBM_STEPIT);
    dialogs.expectDialog(chooseFile(folder_.file(L"edited")));
    editor_->menuCommand(ids::kSaveAs);

    ASSERT_EQ(dialogs.fileDialogs().size(), 2u);
    expectAsked(dialogs.fileDialogs()[1],
                {ui::FileDialogKind::Save,
                 "EPROM file to Save",
                 {{"Binary image (*.bin)", "*.bin"}, {"All Files (*.*)", "*.*"}},
                 "bin",
                 OFN_OVERWRITEPROMPT | OFN_EXPLORER,
                 MAX_PATH - 1});

    const std::wstring saved = folder_.file(L"edited.bin");
    const std::vector<std::uint8_t> bytes = readFile(saved);
    ASSERT_EQ(bytes.size(), 4096u);
    Image written;
    std::copy(bytes.begin(), bytes.end(), written.bytes.begin());
    EXPECT_EQ(computeChecksum(written), storedChecksum(written));
    EXPECT_EQ(readField(written, Field::LineToT, channelBase(written, 1).base), 4u);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), state().image.bytes.begin()));

    EXPECT_EQ(state().modified, ui::kSaved);
    EXPECT_EQ(_wcsicmp(ui::windowText(window()).c_str(), (L"MSF5000 Image - " + saved).c_str()), 0);
    EXPECT_EQ(status(0), "File Closed.   4096 bytes Written");
    EXPECT_EQ(status(1), "New Checksum is 0x" + hex4(storedChecksum(written)));
    EXPECT_FALSE(IsWindowVisible(progress()));
    EXPECT_EQ(steps.count, 4096);
    EXPECT_EQ(narrow(text(ids::kWirelineTimerCaption)), "marker") << "no new display";
    EXPECT_TRUE(programBoxes().empty());
}

TEST_F(FileCommands, SavingAnUneditedImageOverItselfGivesTheSameFile) {
    const std::wstring path = writeRepeaterImage();
    const std::vector<std::uint8_t> before = readFile(path);
    openFile(path);
    dialogs.answerMessageBoxesWith(IDYES);  // the dialog asks before replacing
    dialogs.expectDialog(chooseFile(path));
    editor_->menuCommand(ids::kSaveAs);
    EXPECT_EQ(dialogs.messageBoxes().size(), 1u) << "the replace question";
    EXPECT_TRUE(programBoxes().empty());
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(state().modified, ui::kSaved);
}

// A save that fails says so and leaves the earlier file, the caption and the
// modified flag as they were.
TEST_F(FileCommands, FailedSaveIsReportedAndKeepsTheOldFile) {
    const std::wstring original = writeRepeaterImage();
    openFile(original);
    const std::wstring protectedFile = folder_.file(L"protected.bin");
    const std::vector<std::uint8_t> old(4096, 0x5A);
    writeFile(protectedFile, old);
    ASSERT_TRUE(SetFileAttributesW(protectedFile.c_str(), FILE_ATTRIBUTE_READONLY));
    state().modified = ui::kModified;
    const std::wstring caption = ui::windowText(window());

    dialogs.answerMessageBoxesWith(IDYES);
    dialogs.expectDialog(chooseFile(protectedFile));
    editor_->menuCommand(ids::kSaveAs);

    const std::vector<SeenMessageBox> boxes = programBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    const std::string message = narrow(boxes[0].text);
    EXPECT_NE(message.find(narrow(protectedFile)), std::string::npos) << message;
    EXPECT_NE(message.find("read-only"), std::string::npos) << message;
    EXPECT_EQ(boxes[0].owner, window());
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_FALSE(boxes[0].ownCaption);
    EXPECT_EQ(status(0), "Save failed: " + narrow(ui::abbreviatedName(protectedFile)));
    EXPECT_EQ(state().modified, ui::kModified);
    EXPECT_EQ(ui::windowText(window()), caption);
    EXPECT_FALSE(IsWindowVisible(progress()));
    SetFileAttributesW(protectedFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFile(protectedFile), old);
}

// A file another program holds open without sharing cannot be read: the
// box names it, and everything stays as it was.
TEST_F(FileCommands, UnreadableFileIsReportedAndChangesNothing) {
    openFile(writeRepeaterImage());
    ui::setStatusText(state(), 0, L"before");
    const Everything before = everything();
    const std::wstring locked = writeRepeaterImage(L"locked.bin");
    HANDLE held = CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    openFile(locked);
    CloseHandle(held);

    const std::vector<SeenMessageBox> boxes = programBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    const std::string message = narrow(boxes[0].text);
    const std::string start = "Cannot read " + narrow(locked) + ": ";
    EXPECT_EQ(message.rfind(start, 0), 0u) << message;
    EXPECT_GT(message.size(), start.size()) << "the reason is given";
    EXPECT_EQ(boxes[0].owner, window());
    EXPECT_TRUE(everything() == before);
    EXPECT_FALSE(IsWindowVisible(progress()));
}

TEST_F(FileCommands, ToolbarButtonsRunOpenAndSaveAs) {
    const std::wstring path = writeRepeaterImage();
    HWND toolbar = item(ids::kToolbar);
    RECT place{};
    SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&place));
    dialogs.expectDialog(chooseFile(path));
    clickAt(toolbar, POINT{(place.left + place.right) / 2, (place.top + place.bottom) / 2});
    EXPECT_EQ(state().currentChannel, 1);

    SendMessageW(toolbar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&place));
    dialogs.expectDialog(chooseFile(folder_.file(L"copy.bin")));
    clickAt(toolbar, POINT{(place.left + place.right) / 2, (place.top + place.bottom) / 2});
    EXPECT_EQ(readFile(folder_.file(L"copy.bin")), readFile(path));
    ASSERT_EQ(dialogs.fileDialogs().size(), 2u);
    EXPECT_EQ(dialogs.fileDialogs()[1].kind, ui::FileDialogKind::Save);
}

}  // namespace
}  // namespace quarnel::test
