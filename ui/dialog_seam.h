// The one way the program shows message boxes and the common file dialogs.
// The program calls these functions and nothing else for them; they run the
// real MessageBoxW, GetOpenFileNameW and GetSaveFileNameW. An observer, when
// one is set, sees each request first (the tests record the exact style this
// way, which the box on the screen does not show).
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace quarnel::ui {

// Shows a message box and returns the button chosen (IDOK, ...). `caption`
// nullptr: the box has no caption of its own and shows the system's.
int showMessageBox(HWND owner, const std::wstring& text, const wchar_t* caption, UINT style);

struct FileDialogRequest {
    HWND owner = nullptr;
    std::wstring title;
    std::vector<std::pair<std::wstring, std::wstring>> fileTypes;  // {name, patterns}
    std::wstring initialFolder;     // empty: the system's choice
    std::wstring defaultExtension;  // added to a name typed without one; empty: none
    DWORD flags = 0;                // OFN_...
    std::size_t maxPathLength = MAX_PATH - 1;  // the longest path taken, in characters
};

// Run the common dialog; return the chosen path, or an empty string when the
// user cancelled (or the dialog could not give a path that fits).
std::wstring showOpenFileDialog(const FileDialogRequest& request);
std::wstring showSaveFileDialog(const FileDialogRequest& request);

enum class FileDialogKind { Open, Save };

class DialogSeamObserver {
public:
    virtual ~DialogSeamObserver() = default;
    virtual void messageBoxRequested(HWND owner, const std::wstring& text, const wchar_t* caption,
                                     UINT style) = 0;
    virtual void fileDialogRequested(FileDialogKind kind, const FileDialogRequest& request) = 0;
};

// Sets the observer of every later request (nullptr: none). Not owned.
void setDialogSeamObserver(DialogSeamObserver* observer);

}  // namespace quarnel::ui
