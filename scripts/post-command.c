/* Sends menu commands to the running editor, as choosing them in its menu
   does:  post-command.exe CAPTION ID...  (for example 912 for "EPROM Map"),
   to the top-level window whose caption starts with CAPTION.
   Built and run by scripts/screenshot under the editor's Wine prefix. */
#include <windows.h>
#include <stdlib.h>
#include <wchar.h>

struct Search {
    const wchar_t* caption;
    HWND found;
};

static BOOL CALLBACK match(HWND window, LPARAM param) {
    struct Search* search = (struct Search*)param;
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    if (wcsncmp(text, search->caption, wcslen(search->caption)) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    struct Search search = {argv[1], NULL};
    EnumWindows(match, (LPARAM)&search);
    if (!search.found) return 1;
    for (int i = 2; i < argc; ++i) {
        /* Sent, not posted: each window is open before the next command. */
        SendMessageW(search.found, WM_COMMAND, MAKEWPARAM(_wtoi(argv[i]), 0), 0);
    }
    return 0;
}
