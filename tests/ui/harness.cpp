#include "tests/ui/harness.h"

#include "tests/support/dialog_windows.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "ui/main_window.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"

namespace quarnel::test {

// ---- Watchdog --------------------------------------------------------------------

namespace {

// Ends the process when one test runs longer than kWatchdogSeconds: a modal
// loop nobody answers would otherwise wait forever.
class Watchdog final : public ::testing::EmptyTestEventListener {
public:
    Watchdog() {
        std::thread([this] { watch(); }).detach();
    }

    void OnTestStart(const ::testing::TestInfo& info) override {
        name_ = std::string(info.test_suite_name()) + "." + info.name();
        deadline_ = GetTickCount64() + kWatchdogSeconds * 1000ULL;
    }
    void OnTestEnd(const ::testing::TestInfo&) override { deadline_ = 0; }

private:
    void watch() {
        for (;;) {
            Sleep(250);
            const unsigned long long deadline = deadline_;
            if (deadline == 0 || GetTickCount64() < deadline) continue;
            std::fprintf(stderr, "watchdog: %s still running after %d seconds; ending the run\n",
                         name_.c_str(), kWatchdogSeconds);
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }

    std::atomic<unsigned long long> deadline_{0};
    std::string name_;
};

const bool kWatchdogInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
    return true;
}();

DialogDriver* g_driver = nullptr;

constexpr UINT kRetryMilliseconds = 10;

using testing::isFileDialog;
using testing::isMessageBox;
using testing::kFileNameField;
using testing::kMessageBoxTextId;
using testing::otherWindowDisabled;

bool ownerDisabled(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    return owner && !IsWindowEnabled(owner);
}

}  // namespace

// ---- Messages ----------------------------------------------------------------------

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// ---- DialogDriver --------------------------------------------------------------------

DialogDriver::DialogDriver() {
    EXPECT_EQ(g_driver, nullptr) << "one DialogDriver at a time";
    g_driver = this;
    hook_ = SetWindowsHookExW(WH_CBT, cbtHook, nullptr, GetCurrentThreadId());
    EXPECT_NE(hook_, nullptr);
    ui::setDialogSeamObserver(this);
}

DialogDriver::~DialogDriver() {
    ui::setDialogSeamObserver(nullptr);
    if (hook_) UnhookWindowsHookEx(hook_);
    if (timer_) KillTimer(nullptr, timer_);
    g_driver = nullptr;
    for (const std::wstring& caption : unexpected_)
        ADD_FAILURE() << "a dialog nobody expected was closed: \"" << ui::narrow(caption) << "\"";
    if (!handlers_.empty())
        ADD_FAILURE() << handlers_.size() << " expected dialog(s) never appeared";
}

void DialogDriver::expectDialog(Handler handler) { handlers_.push_back(std::move(handler)); }

std::vector<std::wstring> DialogDriver::messageBoxTexts() const {
    std::vector<std::wstring> texts;
    for (const SeenMessageBox& box : boxes_) texts.push_back(box.text);
    return texts;
}

void DialogDriver::forget() {
    boxes_.clear();
    fileDialogs_.clear();
}

void DialogDriver::messageBoxRequested(HWND owner, const std::wstring& text,
                                       const wchar_t* caption, UINT style) {
    SeenMessageBox request;
    request.text = text;
    request.caption = caption ? caption : L"";
    request.fromSeam = true;
    request.style = style;
    request.owner = owner;
    request.ownCaption = caption != nullptr;
    requests_.push_back(request);
}

void DialogDriver::fileDialogRequested(ui::FileDialogKind kind,
                                       const ui::FileDialogRequest& request) {
    fileDialogs_.push_back({kind, request});
    ++fileDialogsPending_;
}

LRESULT CALLBACK DialogDriver::cbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_driver) {
        HWND window = reinterpret_cast<HWND>(wParam);
        DialogDriver& d = *g_driver;
        const bool known = std::find(d.handled_.begin(), d.handled_.end(), window) != d.handled_.end() ||
                           std::find(d.pending_.begin(), d.pending_.end(), window) != d.pending_.end();
        if (!known && classOf(window) == L"#32770") {
            // The box's text is not set yet at activation: read it from the
            // timer, inside the box's own loop.
            d.pending_.push_back(window);
            if (!d.timer_) d.timer_ = SetTimer(nullptr, 0, 0, onTimer);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogDriver::onTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!g_driver) return;
    g_driver->timer_ = 0;
    g_driver->handlePending();
}

void DialogDriver::handlePending() {
    const std::vector<HWND> pending = std::move(pending_);
    pending_.clear();
    for (HWND dialog : pending)
        if (IsWindow(dialog)) handle(dialog);
}

void DialogDriver::handle(HWND dialog) {
    if (isMessageBox(dialog)) {
        handled_.push_back(dialog);
        SeenMessageBox box;
        if (!requests_.empty()) {
            box = requests_.front();
            requests_.erase(requests_.begin());
        }
        box.text = ui::windowText(GetDlgItem(dialog, kMessageBoxTextId));
        box.caption = ui::windowText(dialog);
        box.answer = answer_;
        boxes_.push_back(box);
        if (watcher_) watcher_(box);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer_)));
        return;
    }
    const bool modal = otherWindowDisabled(dialog);
    const bool fileDialog = fileDialogsPending_ > 0 && isFileDialog(dialog);
    if (fileDialogsPending_ > 0 && !fileDialog) {
        // Not the file dialog that was asked for: another window activated
        // meanwhile (the main window), or the dialog before its controls
        // exist, which is looked at again shortly.
        if (modal) {
            pending_.push_back(dialog);
            if (!timer_) timer_ = SetTimer(nullptr, 0, kRetryMilliseconds, onTimer);
        }
        return;
    }
    // A modal dialog disables its owner. Unowned windows (main windows,
    // reference windows) are the test's business, even when they are
    // activated while a task-modal box disables every window.
    if (!fileDialog && !ownerDisabled(dialog)) return;
    if (fileDialog) --fileDialogsPending_;
    handled_.push_back(dialog);
    if (handlers_.empty()) {
        unexpected_.push_back(ui::windowText(dialog));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    Handler handler = std::move(handlers_.front());
    handlers_.erase(handlers_.begin());
    handler(dialog);
}

DialogDriver::Handler chooseFile(const std::wstring& path) {
    return [path](HWND dialog) {
        // The file name field is a ComboBoxEx whose combo box and edit field
        // share its id; the dialog reads the edit field.
        HWND field = GetDlgItem(dialog, kFileNameField);
        ASSERT_NE(field, nullptr) << "no file name field in the file dialog";
        SetWindowTextW(field, path.c_str());
        for (HWND child = FindWindowExW(field, nullptr, nullptr, nullptr); child;
             child = FindWindowExW(child, nullptr, nullptr, nullptr))
            SetWindowTextW(child, path.c_str());
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
}

DialogDriver::Handler cancelDialog() {
    return [](HWND dialog) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
}

// ---- Editor ----------------------------------------------------------------------------

Editor::Editor() : state_(std::make_unique<ui::ProgramState>(GetModuleHandleW(nullptr))) {
    window_ = ui::createMainWindow(*state_);
    if (!window_) {
        ADD_FAILURE() << "the main window was not created";
        return;
    }
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    pumpMessages();
    if (g_driver) {
        startUpBoxes_ = g_driver->messageBoxes();
        g_driver->forget();
    }
}

Editor::~Editor() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    pumpMessages();
}

std::wstring Editor::text(int id) const { return ui::windowText(item(id)); }

void Editor::menuCommand(int id, int code) {
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, code), 0);
}

void EditorTest::SetUp() {
    editor_ = std::make_unique<Editor>();
    ASSERT_NE(editor_->window(), nullptr);
}

void EditorTest::openFile(const std::wstring& path) {
    dialogs.expectDialog(chooseFile(path));
    editor_->menuCommand(ui::ids::kOpen);
}

void EditorTest::TearDown() {
    editor_.reset();
    pumpMessages();
}

// ---- Files -----------------------------------------------------------------------------

std::wstring picturesFolder() { return QUARNEL_PICTURES_DIR; }

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int serial = 0;
    for (;;) {
        path_ = std::wstring(base) + L"quarnel-ui-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++serial);
        if (CreateDirectoryW(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot make a temporary folder";
            break;
        }
    }
}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") DeleteFileW(file(name).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
}

void writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << "cannot write " << ui::narrow(path);
}

std::vector<std::uint8_t> readFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

WorkingDirectory::WorkingDirectory(const std::wstring& folder) {
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    previous_ = current;
    EXPECT_TRUE(SetCurrentDirectoryW(folder.c_str()));
}

WorkingDirectory::~WorkingDirectory() { SetCurrentDirectoryW(previous_.c_str()); }

// ---- Reading controls ------------------------------------------------------------------

std::wstring classOf(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

RECT rectInParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT dialogRect(HWND dialog, int x, int y, int w, int h) {
    RECT r{x, y, x + w, y + h};
    MapDialogRect(dialog, &r);
    return r;
}

void expectPlace(HWND dialog, HWND control, int x, int y, int w, int h) {
    const RECT want = dialogRect(dialog, x, y, w, h);
    const RECT got = rectInParent(control);
    EXPECT_TRUE(EqualRect(&want, &got))
        << "at " << got.left << "," << got.top << "-" << got.right << "," << got.bottom
        << " want " << want.left << "," << want.top << "-" << want.right << "," << want.bottom;
}

void expectFixedWindowFrame(HWND dialog, int width, int height) {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u) << "no sizing border";
    EXPECT_NE(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0), 0);

    RECT client;
    GetClientRect(dialog, &client);
    const RECT size = dialogRect(dialog, 0, 0, width, height);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    RECT frame, work;
    GetWindowRect(dialog, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((frame.left - work.left) - (work.right - frame.right)), 1) << "centred";
    EXPECT_LE(std::abs((frame.top - work.top) - (work.bottom - frame.bottom)), 1) << "centred";
}

FontInfo fontOf(HWND control) {
    FontInfo info;
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    if (!font || !GetObjectW(font, sizeof lf, &lf)) return info;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    info.face = lf.lfFaceName;
    info.points = MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 72, dpi);
    info.bold = lf.lfWeight >= FW_BOLD;
    return info;
}

Colours controlColours(HWND control, UINT message) {
    Colours colours;
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    colours.brush = reinterpret_cast<HBRUSH>(SendMessageW(
        GetParent(control), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    colours.text = GetTextColor(dc);
    colours.background = GetBkColor(dc);
    LOGBRUSH lb{};
    if (colours.brush && GetObjectW(colours.brush, sizeof lb, &lb)) colours.brushColour = lb.lbColor;
    DeleteDC(dc);
    return colours;
}

std::vector<std::wstring> comboItems(HWND combo) {
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<std::size_t>(length));
        items.push_back(item);
    }
    return items;
}

std::wstring shownState(HWND control) {
    const std::wstring kind = classOf(control);
    std::wstring shown;
    if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        shown = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? L"[x]" : L"[ ]";
    } else if (_wcsicmp(kind.c_str(), L"ComboBox") == 0) {
        const auto selected = SendMessageW(control, CB_GETCURSEL, 0, 0);
        const std::vector<std::wstring> items = comboItems(control);
        shown = selected == CB_ERR ? L"-" : items.at(static_cast<std::size_t>(selected));
        shown += L"/" + std::to_wstring(items.size());
    } else {
        shown = ui::windowText(control);
    }
    if (!IsWindowEnabled(control)) shown += L" disabled";
    if (!(GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE)) shown += L" hidden";
    return shown;
}

std::wstring statusText(HWND statusBar, int part) {
    const auto length = LOWORD(SendMessageW(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    std::wstring text(length + 1u, L'\0');
    SendMessageW(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void pressKey(HWND window, WPARAM key) {
    HWND focus = GetFocus();
    HWND target = focus && (focus == window || IsChild(window, focus)) ? focus : window;
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

void clickAt(HWND window, POINT point) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(window, WM_LBUTTONUP, 0, where);
}

void click(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    clickAt(control, POINT{r.right / 2, r.bottom / 2});
}

MessageCounter::MessageCounter(HWND window, UINT message) : window_(window), message_(message) {
    SetWindowSubclass(window_, proc, 2, reinterpret_cast<DWORD_PTR>(this));
}

MessageCounter::~MessageCounter() {
    if (IsWindow(window_)) RemoveWindowSubclass(window_, proc, 2);
}

LRESULT CALLBACK MessageCounter::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR data) {
    auto* counter = reinterpret_cast<MessageCounter*>(data);
    if (message == counter->message_) ++counter->count;
    return DefSubclassProc(window, message, wParam, lParam);
}

CommandLog::CommandLog(HWND window) : window_(window) {
    SetWindowSubclass(window_, proc, 1, reinterpret_cast<DWORD_PTR>(this));
}

CommandLog::~CommandLog() {
    if (IsWindow(window_)) RemoveWindowSubclass(window_, proc, 1);
}

LRESULT CALLBACK CommandLog::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR, DWORD_PTR data) {
    if (message == WM_COMMAND)
        reinterpret_cast<CommandLog*>(data)->entries.push_back({LOWORD(wParam), HIWORD(wParam)});
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace quarnel::test
