#include "ui/file_commands.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdint>
#include <cwchar>
#include <filesystem>

#include "model/image.h"
#include "model/notice.h"
#include "ui/channel_display.h"
#include "ui/dialog_seam.h"
#include "ui/main_controls.h"
#include "ui/text.h"
#include "model/text_forms.h"

namespace quarnel::ui {

namespace {

constexpr std::size_t kWholeNameLength = 40;  // longer names are abbreviated
constexpr std::size_t kNameHead = 16;
constexpr std::size_t kNameTail = 24;
constexpr std::size_t kOpenPathLength = 254;  // the longest path Open takes

constexpr wchar_t kCaptionPrefix[] = L"MSF5000 Image - ";
constexpr wchar_t kFileClosed[] = L"File Closed.  ";

// A file that cannot be read or written: OK only, over the main window.
constexpr UINT kFileErrorStyle = MB_OK | MB_ICONERROR;

std::wstring currentDirectory() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    if (length == 0) return {};
    std::wstring folder(length, L'\0');
    folder.resize(GetCurrentDirectoryW(length, folder.data()));
    return folder;
}

std::wstring number(std::size_t value) {
    return widen(signedDecimal(static_cast<long long>(value)));
}

FileDialogRequest openRequest(const ProgramState& state) {
    FileDialogRequest request;
    request.owner = state.windows.main;
    request.title = L"EPROM file to edit";
    request.fileTypes = {{L"Binary images (*.bin *.rom)", L"*.bin;*rom"}, {L"All Files (*.*)", L"*.*"}};
    request.initialFolder = currentDirectory();
    request.flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    request.maxPathLength = kOpenPathLength;
    return request;
}

FileDialogRequest saveRequest(const ProgramState& state) {
    FileDialogRequest request;
    request.owner = state.windows.main;
    request.title = L"EPROM file to Save";
    request.fileTypes = {{L"Binary image (*.bin)", L"*.bin"}, {L"All Files (*.*)", L"*.*"}};
    request.initialFolder = currentDirectory();
    request.defaultExtension = L"bin";
    request.flags = OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    return request;
}

// The progress bar shown at position 0, as both commands start.
void startProgress(const ProgramState& state) {
    ShowWindow(state.windows.progressBar, SW_SHOW);
    SendMessageW(state.windows.progressBar, PBM_SETPOS, 0, 0);
}

void endProgress(const ProgramState& state) { ShowWindow(state.windows.progressBar, SW_HIDE); }

// Steps the progress bar once per byte stored or written. The bar draws
// itself at once on every step, which would make reading or writing an
// image take many seconds on some systems; it is drawn every kDrawEvery
// steps, from the last EPROM byte on, and when the stepping ends.
class ProgressSteps {
public:
    explicit ProgressSteps(HWND bar) : bar_(bar) {}
    ~ProgressSteps() {
        if (!drawing_) draw();
    }
    ProgressSteps(const ProgressSteps&) = delete;
    ProgressSteps& operator=(const ProgressSteps&) = delete;

    Progress callback() {
        return [this](std::size_t done) { step(done); };
    }

private:
    static constexpr std::size_t kDrawEvery = 256;

    void step(std::size_t done) {
        if (drawing_) {
            SendMessageW(bar_, WM_SETREDRAW, FALSE, 0);
            drawing_ = false;
        }
        SendMessageW(bar_, PBM_STEPIT, 0, 0);
        if (done % kDrawEvery == 0 || done >= kEpromSize) draw();
    }

    void draw() {
        SendMessageW(bar_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(bar_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        drawing_ = true;
    }

    HWND bar_;
    bool drawing_ = true;
};

void setCaption(const ProgramState& state, const std::wstring& path) {
    SetWindowTextW(state.windows.main, (kCaptionPrefix + path).c_str());
}

void reportFileError(const ProgramState& state, const std::wstring& text) {
    showMessageBox(state.windows.main, text, nullptr, kFileErrorStyle);
}

}  // namespace

std::wstring abbreviatedName(const std::wstring& path) {
    if (path.size() <= kWholeNameLength) return path;
    return path.substr(0, kNameHead) + L"..." + path.substr(path.size() - kNameTail);
}

void openImageFile(ProgramState& state) {
    startProgress(state);
    const std::wstring path = showOpenFileDialog(openRequest(state));
    if (path.empty()) return;

    const std::wstring statusBefore[] = {statusText(state, 0), statusText(state, 1)};
    setStatusText(state, 0, L"Reading: " + abbreviatedName(path));
    setStatusText(state, 1, L"");
    LoadOutcome loaded;
    {
        ProgressSteps steps(state.windows.progressBar);
        loaded = loadImageFile(state.image, std::filesystem::path(path), state.notices, steps.callback());
    }
    if (!loaded.ok) {
        // The image is untouched: everything goes back to how it was.
        endProgress(state);
        setStatusText(state, 0, statusBefore[0]);
        setStatusText(state, 1, statusBefore[1]);
        reportFileError(state, L"Cannot read " + path + L": " + widen(loaded.error));
        return;
    }

    setCaption(state, path);
    setStatusText(state, 0, kFileClosed + number(loaded.bytesRead) + L" bytes read");
    endProgress(state);
    setStatusText(state, 1,
                  loaded.checksumOk ? L"Checksum is 0x" + widen(hex4(loaded.computed)) : L"Checksum Failed!");
    state.noteImageMatchesFile();
    state.currentChannel = 1;
    displayCurrentChannel(state);
}

void saveImageFileAs(ProgramState& state) {
    startProgress(state);
    const std::wstring path = showSaveFileDialog(saveRequest(state));
    if (path.empty()) return;

    // The save stores the fresh checksum in the image before anything is
    // written.
    setStatusText(state, 0, L"Writing: " + abbreviatedName(path));
    SaveOutcome saved;
    {
        ProgressSteps steps(state.windows.progressBar);
        saved = saveImageFile(state.image, std::filesystem::path(path), steps.callback());
    }
    if (!saved.ok) {
        endProgress(state);
        setStatusText(state, 0, L"Save failed: " + abbreviatedName(path));
        reportFileError(state, L"Cannot save " + path + L": " + widen(saved.error) +
                                   L".\nAny earlier file of that name is unchanged.");
        return;
    }

    state.modified = kSaved;
    state.noteImageMatchesFile();
    setCaption(state, path);
    setStatusText(state, 0, kFileClosed + number(saved.bytesWritten) + L" bytes Written");
    setStatusText(state, 1, L"New Checksum is 0x" + widen(hex4(saved.checksum)));
    endProgress(state);
}

}  // namespace quarnel::ui
