#include "ui/outside_files.h"

#include <vector>

#include "ui/edit_history.h"
#include "ui/file_commands.h"

namespace quarnel::ui {

namespace {

std::wstring fullPath(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) return path;
    full.resize(written);
    return full;
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

std::wstring imageArgument(const wchar_t* commandLine) {
    if (!commandLine || !*commandLine) return {};
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(commandLine, &count);
    if (!arguments) return {};
    std::wstring path = count > 1 ? arguments[1] : L"";
    LocalFree(arguments);
    return path.empty() ? path : fullPath(path);
}

void openAtStartUp(ProgramState& state, const std::wstring& path) {
    if (state.modified == kModifiedAtStartUp) state.modified = kModified;
    ShowWindow(state.windows.main, SW_SHOW);
    UpdateWindow(state.windows.main);
    openImagePath(state, path);
}

void acceptDroppedFiles(const ProgramState& state) { DragAcceptFiles(state.windows.main, TRUE); }

void OnDropFiles(ProgramState& state, HDROP drop) {
    std::wstring path;
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
        path.resize(length + 1u);
        path.resize(DragQueryFileW(drop, 0, path.data(), length + 1u));
    }
    DragFinish(drop);
    if (path.empty()) return;
    // The drop came from another program: the questions and the opened image
    // are for the user to see now.
    SetForegroundWindow(state.windows.main);
    if (!confirmOpenOverEdits(state)) return;
    openImagePath(state, path);
}

std::wstring pictureFile(const wchar_t* name) {
    if (isFile(name)) return name;
    const std::wstring beside = programFolder() + name;
    return isFile(beside) ? beside : name;
}

}  // namespace quarnel::ui
