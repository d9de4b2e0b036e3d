#include "ui/dialog_seam.h"

#include <commdlg.h>

namespace quarnel::ui {

namespace {

DialogSeamObserver* g_observer = nullptr;

// "name\0patterns\0...\0\0", the form OPENFILENAMEW wants.
std::wstring filterText(const FileDialogRequest& request) {
    std::wstring filter;
    for (const auto& type : request.fileTypes) {
        filter += type.first;
        filter.push_back(L'\0');
        filter += type.second;
        filter.push_back(L'\0');
    }
    filter.push_back(L'\0');
    return filter;
}

// The common dialog library is loaded on first use, not with the program:
// it brings the shell and OLE libraries with it, and under Wine loading
// them at start-up delays the main window by a few hundred milliseconds.
using FileDialogFunction = BOOL(WINAPI*)(OPENFILENAMEW*);

FileDialogFunction fileDialogFunction(FileDialogKind kind) {
    static const HMODULE library = LoadLibraryW(L"comdlg32.dll");
    if (!library) return nullptr;
    const char* name = kind == FileDialogKind::Open ? "GetOpenFileNameW" : "GetSaveFileNameW";
    return reinterpret_cast<FileDialogFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::wstring runFileDialog(FileDialogKind kind, const FileDialogRequest& request) {
    if (g_observer) g_observer->fileDialogRequested(kind, request);
    // Without the library there is no dialog to show: as if cancelled.
    const FileDialogFunction dialog = fileDialogFunction(kind);
    if (!dialog) return {};

    const std::wstring filter = filterText(request);
    std::wstring path(request.maxPathLength + 1, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = request.fileTypes.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    ofn.Flags = request.flags;

    if (!dialog(&ofn)) return {};
    path.resize(path.find(L'\0'));
    return path;
}

}  // namespace

int showMessageBox(HWND owner, const std::wstring& text, const wchar_t* caption, UINT style) {
    if (g_observer) g_observer->messageBoxRequested(owner, text, caption, style);
    return MessageBoxW(owner, text.c_str(), caption, style);
}

std::wstring showOpenFileDialog(const FileDialogRequest& request) {
    return runFileDialog(FileDialogKind::Open, request);
}

std::wstring showSaveFileDialog(const FileDialogRequest& request) {
    return runFileDialog(FileDialogKind::Save, request);
}

void setDialogSeamObserver(DialogSeamObserver* observer) { g_observer = observer; }

}  // namespace quarnel::ui
