// Answers the dialogs that the timed actions bring up, from inside their own
// modal loops, the way a quick user would: a thread WH_CBT hook sees each
// dialog window activated, and a zero-delay timer (which runs inside the
// dialog's loop, once what was pending there is drawn) acts on it.
//
// - A message box is answered with its first button and its text is kept.
// - A common file dialog goes to the action given with onFileDialog.
// - A modal window of the program goes to the action given for its caption.
// - Windows that are not modal (the main window, the reference windows) are
//   left alone.
// Anything else modal is closed with IDCANCEL and counted as unexpected.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quarnel::bench {

class DialogAnswers {
public:
    using Action = std::function<void(HWND dialog)>;

    DialogAnswers();
    ~DialogAnswers();
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    // The next file dialog (and only the next one) goes to `action`.
    void onFileDialog(Action action) { fileAction_ = std::move(action); }
    // Every modal window captioned `caption` goes to `action`; an empty
    // action forgets it.
    void onWindow(const std::wstring& caption, Action action);

    // The texts of the message boxes answered since the last call.
    std::vector<std::wstring> takeMessageBoxes();
    // The captions of dialogs nobody expected, closed since the last call.
    std::vector<std::wstring> takeUnexpected();

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD);
    void look(HWND dialog);
    void later(HWND dialog, UINT milliseconds);

    HHOOK hook_ = nullptr;
    std::vector<HWND> pending_;
    std::map<HWND, int> retries_;
    Action fileAction_;
    std::map<std::wstring, Action> windowActions_;
    std::vector<std::wstring> boxes_;
    std::vector<std::wstring> unexpected_;
};

// Types `path` into a file dialog's name field and confirms it.
void chooseFile(HWND dialog, const std::wstring& path);

// The text of a window.
std::wstring textOf(HWND window);

}  // namespace quarnel::bench
