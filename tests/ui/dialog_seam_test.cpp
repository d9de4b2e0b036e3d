// The dialog seam runs the real message boxes and file dialogs; the editor's
// notice sink turns the model's notices into boxes, the status bar and the
// CW editor's length line.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <fstream>

#include <gtest/gtest.h>

#include "tests/ui/harness.h"
#include "ui/dialog_seam.h"
#include "ui/editor_notices.h"
#include "ui/main_window.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

using ui::narrow;

TEST(DialogSeam, MessageBoxShowsTextAndCaptionAndReturnsTheAnswer) {
    struct Case {
        const wchar_t* caption;
        UINT style;
        int answer;
    } cases[] = {
        {L"Program Exit", MB_ICONEXCLAMATION, IDOK},
        {nullptr, MB_TASKMODAL | MB_SETFOREGROUND, IDOK},
        {L"Question", MB_YESNO, IDNO},
        {L"Question", MB_YESNO, IDYES},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        DialogDriver dialogs;
        dialogs.answerMessageBoxesWith(c.answer);
        const int chosen = ui::showMessageBox(nullptr, L"File not saved", c.caption, c.style);
        EXPECT_EQ(chosen, c.answer);
        ASSERT_EQ(dialogs.messageBoxes().size(), 1u);
        const SeenMessageBox& box = dialogs.messageBoxes()[0];
        EXPECT_EQ(narrow(box.text), "File not saved");
        EXPECT_TRUE(box.fromSeam);
        EXPECT_EQ(box.style, c.style);
        EXPECT_EQ(box.ownCaption, c.caption != nullptr);
        if (c.caption)
            EXPECT_EQ(box.caption, c.caption);
        else
            EXPECT_FALSE(box.caption.empty()) << "the system's caption is shown";
    }
}

TEST(DialogSeam, BoxesAreRecordedInOrder) {
    DialogDriver dialogs;
    ui::showMessageBox(nullptr, L"first", nullptr, MB_OK);
    ui::showMessageBox(nullptr, L"second", L"Two", MB_OK | MB_ICONINFORMATION);
    ASSERT_EQ(dialogs.messageBoxTexts(), (std::vector<std::wstring>{L"first", L"second"}));
    EXPECT_EQ(dialogs.messageBoxes()[1].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

ui::FileDialogRequest binaryImageRequest(const std::wstring& folder) {
    ui::FileDialogRequest request;
    request.title = L"EPROM file to edit";
    request.fileTypes = {{L"Binary images (*.bin *.rom)", L"*.bin;*rom"}, {L"All Files (*.*)", L"*.*"}};
    request.initialFolder = folder;
    request.flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    request.maxPathLength = 254;
    return request;
}

TEST(DialogSeam, OpenDialogReturnsTheChosenFile) {
    TempFolder folder;
    const std::wstring path = folder.file(L"image.bin");
    std::ofstream(narrow(path), std::ios::binary) << "x";

    DialogDriver dialogs;
    dialogs.expectDialog(chooseFile(path));
    const std::wstring chosen = ui::showOpenFileDialog(binaryImageRequest(folder.path()));
    EXPECT_EQ(_wcsicmp(chosen.c_str(), path.c_str()), 0) << narrow(chosen);
    ASSERT_EQ(dialogs.fileDialogs().size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs()[0].kind, ui::FileDialogKind::Open);
    EXPECT_EQ(dialogs.fileDialogs()[0].request.title, L"EPROM file to edit");
}

TEST(DialogSeam, CancelledDialogsGiveAnEmptyPath) {
    TempFolder folder;
    DialogDriver dialogs;
    dialogs.expectDialog(cancelDialog());
    EXPECT_EQ(ui::showOpenFileDialog(binaryImageRequest(folder.path())), L"");
    dialogs.expectDialog(cancelDialog());
    EXPECT_EQ(ui::showSaveFileDialog(binaryImageRequest(folder.path())), L"");
}

TEST(DialogSeam, SaveDialogAddsTheDefaultExtension) {
    TempFolder folder;
    ui::FileDialogRequest request;
    request.title = L"EPROM file to Save";
    request.fileTypes = {{L"Binary image (*.bin)", L"*.bin"}, {L"All Files (*.*)", L"*.*"}};
    request.initialFolder = folder.path();
    request.defaultExtension = L"bin";
    request.flags = OFN_OVERWRITEPROMPT | OFN_EXPLORER;

    DialogDriver dialogs;
    dialogs.expectDialog(chooseFile(folder.file(L"copy")));
    const std::wstring chosen = ui::showSaveFileDialog(request);
    EXPECT_EQ(_wcsicmp(chosen.c_str(), folder.file(L"copy.bin").c_str()), 0) << narrow(chosen);
    EXPECT_EQ(dialogs.fileDialogs().at(0).kind, ui::FileDialogKind::Save);
}

// ---- The editor's notices ------------------------------------------------------------

class EditorNoticesTest : public EditorTest {};

TEST_F(EditorNoticesTest, BoxIsTaskModalWithoutOwnerOrCaption) {
    state().notices.messageBox("File larger than 4096 bytes");
    ASSERT_EQ(dialogs.messageBoxes().size(), 1u);
    const SeenMessageBox& box = dialogs.messageBoxes()[0];
    EXPECT_EQ(narrow(box.text), "File larger than 4096 bytes");
    EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_TASKMODAL | MB_SETFOREGROUND));
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_FALSE(box.ownCaption);
    EXPECT_TRUE(IsWindowEnabled(window())) << "the main window is usable again after the box";
}

TEST_F(EditorNoticesTest, StatusNoticeGoesToTheFirstPartOfTheStatusBar) {
    HWND statusBar = item(ui::ids::kStatusBar);
    ui::setStatusText(state(), 1, L"Checksum is 0x0A5F");
    state().notices.statusNotice("Unknown characters ignored!");
    EXPECT_EQ(narrow(statusText(statusBar, 0)), "Unknown characters ignored!");
    EXPECT_EQ(narrow(statusText(statusBar, 1)), "Checksum is 0x0A5F");
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

TEST_F(EditorNoticesTest, LengthLineNeedsAnOpenEditor) {
    HWND label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 50, 10, window(), nullptr,
                                 nullptr, nullptr);
    state().notices.lengthLine("ID is 5 bytes long");  // no editor open: dropped
    EXPECT_EQ(ui::windowText(label), L"");
    state().notices.setLengthLineLabel(label);
    state().notices.lengthLine("ID is 5 bytes long");
    EXPECT_EQ(narrow(ui::windowText(label)), "ID is 5 bytes long");
    state().notices.setLengthLineLabel(nullptr);
    DestroyWindow(label);
}

}  // namespace
}  // namespace quarnel::test
