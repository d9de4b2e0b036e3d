// Driving the editor's real windows in one process: a main window made and
// destroyed per test, modal windows, message boxes and file dialogs answered
// from inside their own modal loops, and readers of control state.
//
// Every test runs under a watchdog: a test still running after
// kWatchdogSeconds ends the process with a message, so a window nobody
// answers cannot hang the run.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/dialog_seam.h"
#include "ui/program_state.h"

namespace quarnel::test {

constexpr int kWatchdogSeconds = 60;

// ---- Messages ----------------------------------------------------------------

// Dispatches every message waiting for this thread.
void pumpMessages();

// ---- Dialogs -----------------------------------------------------------------

struct SeenMessageBox {
    std::wstring text;      // as the box shows it
    std::wstring caption;   // as the box shows it
    bool fromSeam = false;  // requested through the program's dialog seam:
    UINT style = 0;         //   the style it was asked for,
    HWND owner = nullptr;   //   its owner,
    bool ownCaption = false;  // and whether a caption was given
    int answer = 0;         // the button the driver chose
};

struct SeenFileDialog {
    ui::FileDialogKind kind;
    ui::FileDialogRequest request;
};

// Watches this thread for dialog windows (WH_CBT hook) while it exists and
// answers them from a zero-delay timer, which runs inside their modal loops:
// - a message box is recorded (text and caption from the box, style and
//   owner from the seam request) and answered with the chosen button;
// - a modal window or file dialog goes to the next handler queued with
//   expectDialog; with none queued it is closed and counted as unexpected,
//   which fails the test when the driver goes.
// Modeless windows are left alone. One driver at a time.
class DialogDriver final : public ui::DialogSeamObserver {
public:
    using Handler = std::function<void(HWND dialog)>;

    DialogDriver();
    ~DialogDriver() override;
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    void expectDialog(Handler handler);
    // The button every later message box is answered with (IDOK at first;
    // a Yes/No box, such as the file dialog's overwrite prompt, needs IDYES
    // or IDNO).
    void answerMessageBoxesWith(int button) { answer_ = button; }
    // Called for every message box once it is recorded, inside its modal
    // loop, before it is answered: a test can look at the windows meanwhile.
    void whileMessageBoxShown(std::function<void(const SeenMessageBox&)> watcher) {
        watcher_ = std::move(watcher);
    }

    const std::vector<SeenMessageBox>& messageBoxes() const { return boxes_; }
    std::vector<std::wstring> messageBoxTexts() const;
    const std::vector<SeenFileDialog>& fileDialogs() const { return fileDialogs_; }
    int unexpectedDialogs() const { return static_cast<int>(unexpected_.size()); }
    std::size_t handlersLeft() const { return handlers_.size(); }
    void forget();  // clears what was seen

    void messageBoxRequested(HWND owner, const std::wstring& text, const wchar_t* caption,
                             UINT style) override;
    void fileDialogRequested(ui::FileDialogKind kind, const ui::FileDialogRequest& request) override;

private:
    static LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD);
    void handlePending();
    void handle(HWND dialog);

    HHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
    int answer_ = IDOK;
    std::function<void(const SeenMessageBox&)> watcher_;
    std::vector<HWND> pending_;
    std::vector<HWND> handled_;
    std::vector<Handler> handlers_;
    std::vector<SeenMessageBox> requests_;  // seam requests not yet matched with a box
    int fileDialogsPending_ = 0;
    std::vector<SeenMessageBox> boxes_;
    std::vector<SeenFileDialog> fileDialogs_;
    std::vector<std::wstring> unexpected_;  // captions of dialogs nobody expected
};

// Handlers for expectDialog.
DialogDriver::Handler chooseFile(const std::wstring& path);  // file dialog: type it, OK
DialogDriver::Handler cancelDialog();                        // IDCANCEL

// ---- The editor --------------------------------------------------------------

// A fresh program state and its main window, shown; destroyed when it goes.
// Showing the window brings the first-step notice: the dialog driver answers
// it, and the Editor keeps the boxes seen while it was made apart from those
// the test causes later.
class Editor {
public:
    Editor();
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    ui::ProgramState& state() { return *state_; }
    HWND window() const { return window_; }
    HWND item(int id) const { return GetDlgItem(window_, id); }
    std::wstring text(int id) const;
    // Sends the command a menu item sends.
    void menuCommand(int id, int code = 0);
    // The message boxes shown while the window was made and shown.
    const std::vector<SeenMessageBox>& startUpBoxes() const { return startUpBoxes_; }

private:
    std::unique_ptr<ui::ProgramState> state_;
    HWND window_ = nullptr;
    std::vector<SeenMessageBox> startUpBoxes_;
};

// Base of the tests of one editor: a dialog driver and an Editor per test.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    ui::ProgramState& state() { return editor_->state(); }
    HWND window() const { return editor_->window(); }
    HWND item(int id) const { return editor_->item(id); }
    std::wstring text(int id) const { return editor_->text(id); }

    // Opens `path` through the Open command, the real dialog answered with it.
    void openFile(const std::wstring& path);

    DialogDriver dialogs;
    std::unique_ptr<Editor> editor_;
};

// ---- Files ---------------------------------------------------------------------

// The folder of the toolbar pictures in the source tree.
std::wstring picturesFolder();

// An empty folder of its own, removed with everything in it when it goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// Writes `bytes` as the whole file; reads a whole file (empty when it cannot).
void writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> readFile(const std::wstring& path);

// Makes `folder` the working directory for its lifetime.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::wstring& folder);
    ~WorkingDirectory();

private:
    std::wstring previous_;
};

// ---- Reading controls ------------------------------------------------------------

std::wstring classOf(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT rectInParent(HWND window);
// Dialog units of `dialog` converted with MapDialogRect.
RECT dialogRect(HWND dialog, int x, int y, int w, int h);

// Expects `control` at x, y, w, h dialog units of `dialog`.
void expectPlace(HWND dialog, HWND control, int x, int y, int w, int h);
// Expects a fixed window: caption and system menu, no sizing border or
// minimize/maximize box, the program's icon, a client area of width x height
// dialog units, centred in the work area.
void expectFixedWindowFrame(HWND dialog, int width, int height);

struct FontInfo {
    std::wstring face;
    int points = 0;  // from the height, at the screen's resolution
    bool bold = false;
};
FontInfo fontOf(HWND control);

struct Colours {
    HBRUSH brush = nullptr;  // what the window answered; nullptr: default handling
    COLORREF text = 0;
    COLORREF background = 0;
    COLORREF brushColour = 0;
};
// Sends `message` (WM_CTLCOLOREDIT, ...) for `control` to its parent with a
// memory DC and reads what the parent set.
Colours controlColours(HWND control, UINT message);

std::vector<std::wstring> comboItems(HWND combo);

// What a user sees of a control, as one text: a check box or option
// "[x]" or "[ ]"; a drop-down its selected item ("-" for none) and "/" with
// its item count; a label its text. " disabled" and " hidden" are added when
// so.
std::wstring shownState(HWND control);

// The text of part `part` of a status bar.
std::wstring statusText(HWND statusBar, int part);

// A key pressed and released in `window`'s focused control (or in the window
// when the focus is elsewhere); posted, so a modal loop or the program's loop
// handles it as a user's key.
void pressKey(HWND window, WPARAM key);

// A left click in the middle of `control` (button down and up).
void click(HWND control);
// A left click at `point` in the client area of `window`.
void clickAt(HWND window, POINT point);

// Counts the messages `message` reaching `window` (before its own handling).
class MessageCounter {
public:
    MessageCounter(HWND window, UINT message);
    ~MessageCounter();
    int count = 0;

private:
    static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND window_;
    UINT message_;
};

// Records the WM_COMMAND messages reaching `window` (before its own handling).
class CommandLog {
public:
    explicit CommandLog(HWND window);
    ~CommandLog();
    struct Entry {
        int id;
        int code;
    };
    std::vector<Entry> entries;

private:
    static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND window_;
};

}  // namespace quarnel::test
