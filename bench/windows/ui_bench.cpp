// The editor's user actions timed on its real windows: one process builds the
// program's state and main window as the program does, opens a realistic
// 32-channel image through the real Open command, and repeats each action the
// way a user makes it (a click or a key posted to the control, handled by
// the same message loop body as the program's), timing it with
// QueryPerformanceCounter until every window it changed is drawn again.
// Dialogs are answered at once from inside their own loops (DialogAnswers).
//
// Last, with the main window and the three reference windows open, the
// program's own message loop runs idle while the CPU time of this process
// (and of the Wine server and X server, when named) is read; then again with
// each modal window open over them.
//
//   ui_bench.exe OUT.json [--quick] [SCENARIO...]
//
// Writes {"name": {"median_s", "p95_s"}} to OUT.json (idle figures are CPU
// seconds per second of waiting). --quick takes a tenth of the repetitions;
// naming scenarios (startup, wine_floor, open, channel_step, band_change,
// frequency_commit, cw_editor, save_as, file_dialog, eprom_map, idle) runs
// only those. After each scenario a line tells where its time went: CPU time
// of this program, the Wine server and the X server per timed action.
// Exits 1 when an action did not do what it should, or a dialog came that
// nobody expected: such a figure would time something else.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/windows/cpu_meter.h"
#include "bench/windows/dialog_answers.h"
#include "bench/windows/figures.h"
#include "bench/windows/wine_floor.h"
#include "model/cw_messages.h"
#include "tests/support/files.h"
#include "tests/support/realistic_image.h"
#include "tests/support/sample_image.h"
#include "ui/cw_editor_ids.h"
#include "ui/dialog_builder.h"
#include "ui/dialog_seam.h"
#include "ui/eprom_map.h"
#include "ui/main_window.h"
#include "ui/main_window_ids.h"
#include "ui/program_state.h"
#include "ui/text.h"

namespace quarnel::bench {

namespace {

namespace ids = ui::ids;

constexpr int kStationChannels = 32;
constexpr DWORD kWatchdogMilliseconds = 20 * 60 * 1000;
constexpr const wchar_t* kFirstStepNotice =
    L"You must start by opening an existing binary image file to edit";

// Idle: how long the windows are left to settle, then the slices read.
constexpr double kIdleSettleSeconds = 1.0;
constexpr int kIdleSlices = 5;
constexpr double kIdleSliceSeconds = 2.0;

int g_scale = 1;  // divides the repetitions (--quick)
int reps(int n) { return std::max(3, n / g_scale); }

bool g_failed = false;

void expect(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "ui_bench: %s\n", what);
    g_failed = true;
}

// A 32-channel UHF station with three CW messages, as read out of a radio.
Image station() {
    testing::RealisticPlan plan;
    plan.modes = kStationChannels;
    plan.messages = {"DE WB6XYZ/R", "WB6XYZ", "WB6XYZ/R"};
    plan.lastSlotBytes = kCwSlotBytes;
    return testing::realisticImage(plan);
}

// ---- Messages ------------------------------------------------------------

// Handles every message waiting for this thread as the program's loop does
// (dialog keys for the main window and the reference windows), which also
// draws every window left invalid. A posted quit is kept for the next loop.
void settle(ui::ProgramState& state) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        HWND main = state.windows.main;
        if (main && IsDialogMessageW(main, &message)) continue;
        if (state.windows.modeless.dialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// settle, and once more after what Wine delivers a moment later (events
// from the X server): outside the timings, so that one action's leftovers
// are not counted in the next.
void quiesce(ui::ProgramState& state) {
    settle(state);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    settle(state);
}

// A left click in the middle of `control`, posted as the mouse posts it.
void click(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(control, WM_LBUTTONUP, 0, at);
}

void pressEnter(HWND control) {
    PostMessageW(control, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(control, WM_KEYUP, VK_RETURN, 0xC0000001);
}

// Seconds from `action` until everything it brought is handled and drawn.
double timed(ui::ProgramState& state, const std::function<void()>& action) {
    quiesce(state);
    const double start = seconds();
    action();
    settle(state);
    return seconds() - start;
}

// ---- The editor ------------------------------------------------------------------

// The program's state and main window, made and shown as the program makes
// them; the first-step notice is answered.
class Editor {
public:
    Editor() : state_(std::make_unique<ui::ProgramState>(GetModuleHandleW(nullptr))) {
        main_ = ui::createMainWindow(*state_);
        if (!main_) return;
        ShowWindow(main_, SW_SHOW);
        UpdateWindow(main_);
        settle(*state_);
    }
    ~Editor() {
        if (main_ && IsWindow(main_)) DestroyWindow(main_);
        settle(*state_);
    }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    ui::ProgramState& state() { return *state_; }
    HWND main() const { return main_; }
    HWND item(int id) const { return GetDlgItem(main_, id); }
    void command(int id) { SendMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

private:
    std::unique_ptr<ui::ProgramState> state_;
    HWND main_ = nullptr;
};

struct Bench {
    Figures figures;
    DialogAnswers answers;
    std::filesystem::path folder;
    std::wstring imagePath;

    // The message boxes since the last look: exactly `expected`.
    void expectBoxes(const std::vector<std::wstring>& expected, const char* when) {
        const std::vector<std::wstring> boxes = answers.takeMessageBoxes();
        if (boxes != expected) {
            std::fprintf(stderr, "ui_bench: %s: %zu message box(es) instead of %zu\n", when,
                         boxes.size(), expected.size());
            for (const std::wstring& text : boxes)
                std::fprintf(stderr, "  \"%s\"\n", ui::narrow(text).c_str());
            g_failed = true;
        }
        for (const std::wstring& caption : answers.takeUnexpected()) {
            std::fprintf(stderr, "ui_bench: %s: unexpected window \"%s\"\n", when,
                         ui::narrow(caption).c_str());
            g_failed = true;
        }
    }
};

// ---- The actions ---------------------------------------------------------------

// From nothing to the main window shown and drawn with the first-step notice
// answered: the program's own part of start-up, without the process start.
void startUp(Bench& bench) {
    for (int i = 0; i < reps(20); ++i) {
        const double start = seconds();
        double shown = 0;
        {
            Editor editor;
            shown = seconds();
            expect(editor.main() != nullptr, "the main window was not made");
        }
        bench.figures.add("ui/startup_in_process", shown - start);
        bench.expectBoxes({kFirstStepNotice}, "start-up");
    }
}

// Open through the menu command and the real file dialog: the figure after
// the dialog's OK is what the user waits for once the file is chosen.
void open(Bench& bench, Editor& editor) {
    ui::ProgramState& state = editor.state();
    for (int i = 0; i < reps(30); ++i) {
        double ok = 0;
        bench.answers.onFileDialog([&](HWND dialog) {
            ok = seconds();
            chooseFile(dialog, bench.imagePath);
        });
        state.currentChannel = 5;
        const double whole = timed(state, [&] { editor.command(ids::kOpen); });
        const double end = seconds();
        expect(state.currentChannel == 1 && ok > 0, "Open did not open the image");
        bench.figures.add("ui/open_with_dialog", whole);
        bench.figures.add("ui/open_after_dialog", end - ok);
    }
    bench.expectBoxes({}, "Open");
}

// Open without timing it, for the scenarios that follow.
void openOnce(Bench& bench, Editor& editor) {
    bench.answers.onFileDialog([&](HWND dialog) { chooseFile(dialog, bench.imagePath); });
    editor.command(ids::kOpen);
    settle(editor.state());
    expect(editor.state().currentChannel == 1, "Open did not open the image");
}

void channelStep(Bench& bench, Editor& editor) {
    ui::ProgramState& state = editor.state();
    HWND next = editor.item(ids::kNextChannel);
    for (int i = 0; i < reps(200); ++i) {
        const int before = state.currentChannel;
        bench.figures.add("ui/channel_step", timed(state, [&] { click(next); }));
        expect(state.currentChannel == before % kStationChannels + 1, "the channel step did not step");
    }
    // The editor's own part: the command handled, the window not yet drawn.
    for (int i = 0; i < reps(100); ++i) {
        quiesce(state);
        const double start = seconds();
        SendMessageW(editor.main(), WM_COMMAND, MAKEWPARAM(ids::kNextChannel, BN_CLICKED),
                     reinterpret_cast<LPARAM>(next));
        bench.figures.add("ui/channel_step_handler_only", seconds() - start);
    }
    bench.expectBoxes({}, "channel step");
}

void bandChange(Bench& bench, Editor& editor) {
    ui::ProgramState& state = editor.state();
    const int options[] = {ids::kRxBandVhf, ids::kRxBandUhf};
    const Band bands[] = {Band::Vhf, Band::Uhf};
    for (int i = 0; i < reps(100) * 2; ++i) {
        HWND option = editor.item(options[i % 2]);
        bench.figures.add("ui/band_change", timed(state, [&] { click(option); }));
        expect(state.rxBand == bands[i % 2], "the band option did not change the band");
    }
    // The editor's own part: the option's command handled, nothing drawn yet
    // (and without the button's own handling of the click).
    for (int i = 0; i < reps(100) * 2; ++i) {
        quiesce(state);
        const double start = seconds();
        SendMessageW(editor.main(), WM_COMMAND, MAKEWPARAM(options[i % 2], BN_CLICKED),
                     reinterpret_cast<LPARAM>(editor.item(options[i % 2])));
        bench.figures.add("ui/band_change_handler_only", seconds() - start);
    }
    if (state.rxBand != Band::Uhf) {
        click(editor.item(ids::kRxBandUhf));
        settle(state);
    }
    bench.expectBoxes({}, "band change");
}

// Enter in the receive entry box, two frequencies in turn.
void frequencyCommit(Bench& bench, Editor& editor) {
    ui::ProgramState& state = editor.state();
    HWND display = editor.item(ids::kRxFrequencyDisplay);
    HWND entry = editor.item(ids::kRxFrequencyEntry);
    const wchar_t* typed[] = {L"4488625", L"4488500"};
    const wchar_t* shown[] = {L"448.8625", L"448.8500"};
    for (int i = 0; i < reps(100) * 2; ++i) {
        SendMessageW(editor.main(), WM_COMMAND,
                     MAKEWPARAM(ids::kRxFrequencyDisplay, STN_CLICKED),
                     reinterpret_cast<LPARAM>(display));
        SetWindowTextW(entry, typed[i % 2]);
        expect(GetFocus() == entry, "the entry box did not take the focus");
        bench.figures.add("ui/frequency_commit", timed(state, [&] { pressEnter(entry); }));
        expect(textOf(display) == shown[i % 2], "the frequency was not committed");
    }
    // The editor's own part: Enter's command handled, nothing drawn yet.
    for (int i = 0; i < reps(100) * 2; ++i) {
        SendMessageW(editor.main(), WM_COMMAND,
                     MAKEWPARAM(ids::kRxFrequencyDisplay, STN_CLICKED),
                     reinterpret_cast<LPARAM>(display));
        SetWindowTextW(entry, typed[i % 2]);
        quiesce(state);
        const double start = seconds();
        SendMessageW(editor.main(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        bench.figures.add("ui/frequency_commit_handler_only", seconds() - start);
        expect(textOf(display) == shown[i % 2], "the frequency was not committed");
    }
    bench.expectBoxes({}, "frequency commit");
}

// "Edit Messages" until the editor is drawn; then its Save (all three
// messages stored, the main window shown again) until the editor is gone
// and the main window drawn.
void cwEditor(Bench& bench, Editor& editor) {
    ui::ProgramState& state = editor.state();
    HWND button = editor.item(ids::kEditMessages);
    double shown = 0;
    bench.answers.onWindow(L"CW Messages", [&](HWND dialog) {
        shown = seconds();
        SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    for (int i = 0; i < reps(30); ++i) {
        shown = 0;
        state.modified = ui::kSaved;
        quiesce(state);
        const double start = seconds();
        click(button);
        settle(state);
        const double end = seconds();
        expect(shown > 0 && state.modified == ui::kModified, "the CW editor did not open and save");
        if (shown <= 0) continue;
        bench.figures.add("ui/cw_editor_open", shown - start);
        bench.figures.add("ui/cw_editor_save", end - shown);
    }
    bench.answers.onWindow(L"CW Messages", {});
    bench.expectBoxes({}, "CW editor");
}

void saveAs(Bench& bench, Editor& editor) {
    ui::ProgramState& state = editor.state();
    const std::filesystem::path target = bench.folder / "saved.bin";
    for (int i = 0; i < reps(30); ++i) {
        std::filesystem::remove(target);
        double ok = 0;
        bench.answers.onFileDialog([&](HWND dialog) {
            ok = seconds();
            chooseFile(dialog, target.wstring());
        });
        state.modified = ui::kModified;
        const double whole = timed(state, [&] { editor.command(ids::kSaveAs); });
        const double end = seconds();
        std::error_code error;
        expect(ok > 0 && state.modified == ui::kSaved &&
                   std::filesystem::file_size(target, error) == kEpromSize,
               "Save As did not save");
        bench.figures.add("ui/save_as_with_dialog", whole);
        bench.figures.add("ui/save_as_after_dialog", end - ok);
    }
    bench.expectBoxes({}, "Save As");
}

// Wine's open dialog alone, asked as Open asks it and answered the same way.
void fileDialogAlone(Bench& bench, Editor& editor) {
    ui::FileDialogRequest request;
    request.owner = editor.main();
    request.title = L"EPROM file to edit";
    request.fileTypes = {{L"Binary images (*.bin *.rom)", L"*.bin;*rom"}, {L"All Files (*.*)", L"*.*"}};
    request.initialFolder = bench.folder.wstring();
    request.flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    for (int i = 0; i < reps(20); ++i) {
        quiesce(editor.state());
        double ok = 0;
        bench.answers.onFileDialog([&](HWND dialog) {
            ok = seconds();
            chooseFile(dialog, bench.imagePath);
        });
        const double start = seconds();
        const std::wstring chosen = ui::showOpenFileDialog(request);
        settle(editor.state());
        const double end = seconds();
        expect(!chosen.empty() && ok > 0, "the file dialog gave no file");
        bench.figures.add("wine/open_file_dialog", end - start);
        bench.figures.add("wine/open_file_dialog_after_ok", end - ok);
    }
    bench.expectBoxes({}, "file dialog");
}

// The EPROM map opened (and closed again), then paged down to page 7 and up
// to page 0 again and again.
void epromMap(Bench& bench, Editor& editor) {
    ui::ProgramState& state = editor.state();
    for (int i = 0; i < reps(20); ++i) {
        bench.figures.add("ui/eprom_map_open", timed(state, [&] { editor.command(ids::kEpromMap); }));
        HWND map = state.windows.epromMap;
        expect(map && IsWindowVisible(map), "the EPROM map did not open");
        if (map) SendMessageW(map, WM_CLOSE, 0, 0);
        settle(state);
    }
    editor.command(ids::kEpromMap);
    HWND map = state.windows.epromMap;
    int page = 0;
    for (int i = 0; i < reps(280); ++i) {
        // Down from page 0, up from page 7, on the way back keep going.
        const bool down = (i / (ui::kEpromMapPages - 1)) % 2 == 0;
        const WPARAM code = down ? SB_LINEDOWN : SB_LINEUP;
        bench.figures.add("ui/eprom_map_page_change", timed(state, [&] {
                              PostMessageW(map, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
                              PostMessageW(map, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
                          }));
        page += down ? 1 : -1;
        expect(ui::epromMapPage(map) == page, "the EPROM map did not change page");
    }
    bench.expectBoxes({}, "EPROM map");
}

// ---- Idle ----------------------------------------------------------------------------

// Reads the CPU time of the watched processes on a thread of its own, which
// waits (costing nothing) between readings: kIdleSlices slices after
// kIdleSettleSeconds. Then calls `done` on that thread.
class IdleMeter {
public:
    explicit IdleMeter(std::function<void()> done) : used_(meter_.count()) {
        thread_ = std::thread([this, done = std::move(done)] {
            Sleep(static_cast<DWORD>(kIdleSettleSeconds * 1000));
            std::vector<double> before = meter_.read();
            double from = seconds();
            for (int slice = 0; slice < kIdleSlices; ++slice) {
                Sleep(static_cast<DWORD>(kIdleSliceSeconds * 1000));
                const std::vector<double> after = meter_.read();
                const double to = seconds();
                for (std::size_t p = 0; p < meter_.count(); ++p)
                    if (before[p] >= 0 && after[p] >= 0)
                        used_[p].push_back((after[p] - before[p]) / (to - from));
                before = after;
                from = to;
            }
            done();
        });
    }
    ~IdleMeter() {
        if (thread_.joinable()) thread_.join();
    }
    IdleMeter(const IdleMeter&) = delete;
    IdleMeter& operator=(const IdleMeter&) = delete;

    // Waits for the meter and adds "idle/PROCESS_cpu_s_per_s/WINDOWS" figures.
    void report(Figures& figures, const std::string& windows) {
        thread_.join();
        for (std::size_t p = 0; p < meter_.count(); ++p)
            for (double value : used_[p])
                figures.add("idle/" + meter_.name(p) + "_cpu_s_per_s/" + windows, value);
    }

private:
    CpuMeter meter_;
    std::vector<std::vector<double>> used_;
    std::thread thread_;
};

// The program's own loop, idle with the main window and the three
// reference windows open, until the meter is done.
void idleInLoop(Bench& bench, Editor& editor) {
    ui::ProgramState& state = editor.state();
    const DWORD mainThread = GetCurrentThreadId();
    IdleMeter meter([mainThread] { PostThreadMessageW(mainThread, WM_QUIT, 0, 0); });
    ui::runMainWindow(state);
    meter.report(bench.figures, "main_and_reference_windows");
}

// The same with a modal window over them, opened by `command` and ended with
// `close` once the meter is done.
void idleInModal(Bench& bench, Editor& editor, int command, const std::wstring& caption,
                 WPARAM close, const std::string& name) {
    std::unique_ptr<IdleMeter> meter;
    bench.answers.onWindow(caption, [&](HWND dialog) {
        meter = std::make_unique<IdleMeter>(
            [dialog, close] { PostMessageW(dialog, WM_COMMAND, close, 0); });
    });
    editor.command(command);
    bench.answers.onWindow(caption, {});
    expect(meter != nullptr, "the modal window did not open");
    if (meter) meter->report(bench.figures, name);
    settle(editor.state());
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Wine's own share of a waiting window with a text box: a dialog with
// nothing but a focused edit box, whose caret blinks (as it does in the CW
// editor), waiting in a plain message loop.
void idleWithCaret(Bench& bench) {
    const ui::DialogFrame frame{WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 150, 40, L"Caret", 30, 30};
    HWND dialog = ui::createModelessDialog(GetModuleHandleW(nullptr), frame, nullptr, PlainDialogProc, 0);
    const ui::ControlSpec box{100, ui::ControlKind::TextBox, L"DE WB6XYZ", 10, 10, 100, 10};
    HWND edit = ui::createControl(dialog, box, nullptr);
    ShowWindow(dialog, SW_SHOW);
    SetFocus(edit);
    const DWORD thread = GetCurrentThreadId();
    IdleMeter meter([thread] { PostThreadMessageW(thread, WM_QUIT, 0, 0); });
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    meter.report(bench.figures, "wine_plain_dialog_with_caret");
    DestroyWindow(dialog);
}

void idle(Bench& bench, Editor& editor) {
    {
        CpuMeter meter;
        if (!meter.precise())
            std::printf("idle: no /proc times (QUARNEL_BENCH_UNIX_PID unset?): GetProcessTimes "
                        "only, in 10 ms steps under Wine\n");
        const double first = meter.read().front();
        const double second = meter.read().front();
        std::printf("idle: one reading of the CPU times costs this program %.1f us\n",
                    (second - first) * 1e6);
    }
    editor.command(ids::kEpromMap);
    editor.command(ids::kChannelBytesMap);
    editor.command(ids::kCtcssTable);
    settle(editor.state());
    expect(editor.state().windows.modeless.all().size() == 3, "the reference windows did not open");
    idleInLoop(bench, editor);
    idleInModal(bench, editor, ids::kEditMessages, L"CW Messages",
                MAKEWPARAM(ui::ids::cw::kCancel, BN_CLICKED), "cw_editor");
    idleInModal(bench, editor, ids::kAbout, L"About Quarnel", MAKEWPARAM(IDOK, 0), "about");
    idleInModal(bench, editor, ids::kHelp, L"Quarnel Help", MAKEWPARAM(IDOK, 0), "help");
    idleWithCaret(bench);
    bench.expectBoxes({}, "idle");
}

// Ends the process when the run hangs (an unanswered window); it waits on
// an event and costs nothing meanwhile.
class Watchdog {
public:
    Watchdog() : done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        thread_ = std::thread([this] {
            if (WaitForSingleObject(done_, kWatchdogMilliseconds) == WAIT_OBJECT_0) return;
            std::fprintf(stderr, "ui_bench: still running after %lu minutes; ending it\n",
                         kWatchdogMilliseconds / 60000);
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        });
    }
    ~Watchdog() {
        SetEvent(done_);
        thread_.join();
        CloseHandle(done_);
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    HANDLE done_;
    std::thread thread_;
};

std::filesystem::path scratchFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::filesystem::path folder =
        std::filesystem::path(base) / ("quarnel-bench-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    return folder;
}

// Where the time of a scenario went: CPU time of this program, the Wine
// server and the X server per timed action (untimed set-up included),
// beside the wall-clock time.
void printCpuSplit(const char* name, const CpuMeter& meter, const std::vector<double>& before,
                   double wall, int repetitions) {
    const std::vector<double> after = meter.read();
    std::printf("%-22s per action: wall %8.3f ms; CPU", name, wall * 1e3 / repetitions);
    for (std::size_t p = 0; p < meter.count(); ++p) {
        if (before[p] < 0 || after[p] < 0)
            std::printf(" %s n/a", meter.name(p).c_str());
        else
            std::printf(" %s %.3f ms", meter.name(p).c_str(),
                        (after[p] - before[p]) * 1e3 / repetitions);
    }
    std::printf("\n");
    std::fflush(stdout);
}

struct Scenario {
    const char* name;
    void (*run)(Bench& bench, Editor& editor);
    int repetitions;  // timed actions, for the CPU split
};

const Scenario kScenarios[] = {
    {"open", open, 30},
    {"channel_step", channelStep, 300},
    {"band_change", bandChange, 400},
    {"frequency_commit", frequencyCommit, 400},
    {"cw_editor", cwEditor, 30},
    {"save_as", saveAs, 30},
    {"file_dialog", fileDialogAlone, 20},
    {"eprom_map", epromMap, 300},
    {"idle", idle, 1},
};

bool chosen(const std::vector<std::wstring>& only, const char* name) {
    if (only.empty()) return true;
    const std::wstring wide = ui::widen(name);
    return std::find(only.begin(), only.end(), wide) != only.end();
}

bool writeFigures(const Bench& bench, const std::wstring& out, bool print) {
    if (bench.figures.write(out, print)) return true;
    std::fprintf(stderr, "ui_bench: cannot write %s\n", ui::narrow(out).c_str());
    return false;
}

int run(const std::wstring& out, const std::vector<std::wstring>& only) {
    Watchdog watchdog;
    std::string failedScenarios;
    Bench bench;
    bench.folder = scratchFolder();
    const std::filesystem::path image = bench.folder / "station.bin";
    testing::writeFile(image, testing::eprom(station()));
    bench.imagePath = image.wstring();
    // Toolbar pictures are read from the working directory, as `make run` does.
    SetCurrentDirectoryW(bench.folder.c_str());

    if (chosen(only, "startup")) startUp(bench);
    if (chosen(only, "wine_floor")) {
        const double start = seconds();
        measureWineFloor(bench.figures, reps);
        std::printf("%-22s %8.3f s\n", "wine_floor", seconds() - start);
    }
    {
        Editor editor;
        bench.expectBoxes({kFirstStepNotice}, "the editor's start");
        // Everything after Open works on the opened image.
        if (!chosen(only, "open")) openOnce(bench, editor);
        for (const Scenario& scenario : kScenarios) {
            if (!chosen(only, scenario.name)) continue;
            const CpuMeter meter;
            const std::vector<double> before = meter.read();
            const double start = seconds();
            const bool failedBefore = g_failed;
            scenario.run(bench, editor);
            printCpuSplit(scenario.name, meter, before, seconds() - start,
                          std::max(1, reps(scenario.repetitions)));
            if (g_failed && !failedBefore) failedScenarios += std::string(" ") + scenario.name;
            // Written after every scenario, so a later one that hangs (and is
            // ended by the watchdog) or crashes keeps the figures taken so far.
            if (!writeFigures(bench, out, false)) return 1;
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(bench.folder, ignored);
    if (!writeFigures(bench, out, true)) return 1;
    if (g_failed)
        std::fprintf(stderr, "ui_bench: failed scenarios:%s\n",
                     failedScenarios.empty() ? " start-up" : failedScenarios.c_str());
    return g_failed ? 1 : 0;
}

}  // namespace

}  // namespace quarnel::bench

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ui_bench OUT.json [--quick] [SCENARIO...]\n");
        return 2;
    }
    std::vector<std::wstring> only;
    for (int i = 2; i < argc; ++i) {
        if (std::wstring(argv[i]) == L"--quick")
            quarnel::bench::g_scale = 10;
        else
            only.push_back(argv[i]);
    }
    return quarnel::bench::run(argv[1], only);
}
