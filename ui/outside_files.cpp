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

// shell32 brings further libraries with it, whose loading under Wine was a
// noticeable part of a cold start; it is loaded when a command line with
// arguments or a drop first needs it. Nothing when it cannot be loaded.
template <typename Function>
Function shellFunction(const char* name) {
    static const HMODULE library = LoadLibraryW(L"shell32.dll");
    if (!library) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

using CommandLineToArgv = LPWSTR*(WINAPI*)(LPCWSTR, int*);
using DragQueryFile = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
using DragFinishFunction = void(WINAPI*)(HDROP);

// Whether anything follows the program's own name, which the command line
// splitter takes up to the closing quote when it starts with one and up to
// the first blank or tab otherwise.
bool hasArguments(const wchar_t* commandLine) {
    const wchar_t* p = commandLine;
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t') ++p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return *p != L'\0';
}

}  // namespace

std::wstring imageArgument(const wchar_t* commandLine) {
    if (!commandLine || !hasArguments(commandLine)) return {};
    const auto split = shellFunction<CommandLineToArgv>("CommandLineToArgvW");
    if (!split) return {};
    int count = 0;
    wchar_t** arguments = split(commandLine, &count);
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

// What DragAcceptFiles does, without loading shell32 for it.
void acceptDroppedFiles(const ProgramState& state) {
    HWND main = state.windows.main;
    const LONG_PTR style = GetWindowLongPtrW(main, GWL_EXSTYLE);
    SetWindowLongPtrW(main, GWL_EXSTYLE, style | WS_EX_ACCEPTFILES);
}

void OnDropFiles(ProgramState& state, HDROP drop) {
    const auto query = shellFunction<DragQueryFile>("DragQueryFileW");
    const auto finish = shellFunction<DragFinishFunction>("DragFinish");
    std::wstring path;
    if (query && query(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        const UINT length = query(drop, 0, nullptr, 0);
        path.resize(length + 1u);
        path.resize(query(drop, 0, path.data(), length + 1u));
    }
    if (finish) finish(drop);
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
