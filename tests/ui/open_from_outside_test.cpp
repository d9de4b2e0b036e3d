// Opening from outside the file dialog (the command line, a dropped file),
// the question Open asks before it drops changes not saved, and the toolbar
// pictures found beside the program.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/sample_image.h"
#include "tests/ui/harness.h"
#include "ui/edit_history.h"
#include "ui/main_controls.h"
#include "ui/main_window.h"
#include "ui/main_window_ids.h"
#include "ui/outside_files.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

using ui::narrow;
namespace ids = ui::ids;

// Drops `paths` on `window` as the shell does.
void dropFiles(HWND window, const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    const std::size_t size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// What an opened file leaves on the window: caption, status bar, channel.
std::vector<std::string> openedState(const ui::ProgramState& state) {
    return {narrow(ui::windowText(state.windows.main)), narrow(ui::statusText(state, 0)),
            narrow(ui::statusText(state, 1)).substr(0, 14), std::to_string(state.currentChannel)};
}

std::vector<std::string> openedAs(const std::wstring& path) {
    return {"MSF5000 Image - " + narrow(path), "File Closed.   4096 bytes read", "Checksum is 0x", "1"};
}

class OpenFromOutside : public EditorTest {
protected:
    std::wstring writeImage(const std::wstring& name) {
        const std::wstring path = folder_.file(name);
        writeFile(path, testing::eprom(testing::repeaterImage()));
        return path;
    }
    void edit() { SendMessageW(item(ids::kHoldCode), BM_CLICK, 0, 0); }

    TempFolder folder_;
    WorkingDirectory here_{folder_.path()};
};

TEST_F(OpenFromOutside, CommandLineAndDroppedFilesOpenAsOpenDoes) {
    const std::wstring first = writeImage(L"first site.bin");
    const std::wstring second = writeImage(L"second.bin");
    struct Case {
        std::wstring commandLine;
        std::wstring image;
    } cases[] = {
        {L"quarnel.exe", L""},
        {L"quarnel.exe \t ", L""},
        {L"\"C:\\Program Files\\quarnel.exe\"  ", L""},
        {L"\"C:\\Program Files\\quarnel.exe\" \"\"", L""},
        {L"\"quarnel.exe\"second.bin", second},
        {L"\"C:\\Program Files\\quarnel.exe\" \"" + first + L"\" ignored", first},
        {L"quarnel.exe second.bin", second},  // taken from the current folder
    };
    for (const Case& c : cases) EXPECT_EQ(narrow(ui::imageArgument(c.commandLine.c_str())), narrow(c.image));

    {
        // Started with a file: no first-step notice, the file opened.
        ui::ProgramState started(GetModuleHandleW(nullptr));
        ASSERT_NE(ui::createMainWindow(started), nullptr);
        ui::openAtStartUp(started, first);
        pumpMessages();
        EXPECT_EQ(openedState(started), openedAs(first));
        EXPECT_TRUE(IsWindowVisible(started.windows.main));
        EXPECT_EQ(started.modified, ui::kModified);
        DestroyWindow(started.windows.main);
        pumpMessages();
    }
    EXPECT_TRUE(dialogs.messageBoxes().empty());

    // Dropped: the window takes drops; the first file opens, with no file dialog.
    EXPECT_NE(GetWindowLongPtrW(window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    dropFiles(window(), {second, first});
    EXPECT_EQ(openedState(state()), openedAs(second));
    EXPECT_TRUE(dialogs.fileDialogs().empty());
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

// With changes not saved, Open asks from the menu and for a drop; No leaves
// everything, Yes goes on. With none it asks nothing.
TEST_F(OpenFromOutside, OpenAsksBeforeDroppingChangesNotSaved) {
    const std::wstring first = writeImage(L"first.bin");
    const std::wstring second = writeImage(L"second.bin");
    openFile(first);
    dialogs.forget();
    openFile(second);  // nothing to lose: no question
    EXPECT_TRUE(dialogs.messageBoxes().empty());
    openFile(first);
    edit();
    const std::vector<std::uint8_t> edited = testing::eprom(state().image);
    const std::wstring shownBefore = shownState(item(ids::kHoldCode));

    dialogs.answerMessageBoxesWith(IDNO);
    editor_->menuCommand(ids::kOpen);
    dropFiles(window(), {second});
    ASSERT_EQ(dialogs.messageBoxes().size(), 2u);
    for (const SeenMessageBox& box : dialogs.messageBoxes()) {
        EXPECT_EQ(narrow(box.text).rfind("File not saved\n\n", 0), 0u) << narrow(box.text);
        EXPECT_NE(narrow(box.text).find("will be lost"), std::string::npos);
        EXPECT_EQ(box.style, UINT{MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2});
        EXPECT_EQ(box.owner, window());
    }
    EXPECT_EQ(dialogs.fileDialogs().size(), 2u) << "no file dialog after No";
    EXPECT_EQ(testing::eprom(state().image), edited);
    EXPECT_EQ(openedState(state())[0], openedAs(first)[0]);
    EXPECT_EQ(shownState(item(ids::kHoldCode)), shownBefore);
    EXPECT_FALSE(IsWindowVisible(item(ids::kProgressBar)));

    dialogs.answerMessageBoxesWith(IDYES);
    dropFiles(window(), {second});
    EXPECT_EQ(openedState(state()), openedAs(second));
    EXPECT_FALSE(state().unsavedEdits());
    EXPECT_EQ(state().history.undoSteps(), 0u) << "Open starts a new history";
}

TEST(PictureFiles, FromTheCurrentFolderElseBesideTheProgram) {
    TempFolder folder;
    WorkingDirectory here(folder.path());
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring name = std::wcsrchr(program, L'\\') + 1;
    EXPECT_EQ(_wcsicmp(ui::pictureFile(name.c_str()).c_str(), program), 0);
    writeFile(folder.file(name), {1});
    EXPECT_EQ(ui::pictureFile(name.c_str()), name);
    EXPECT_EQ(ui::pictureFile(L"absent.bmp"), L"absent.bmp");
}

}  // namespace
}  // namespace quarnel::test
