#include "ui/about_help.h"

#include <iterator>

#include "ui/about_help_ids.h"
#include "ui/dialog_builder.h"
#include "ui/resource_ids.h"
#include "ui/text.h"

namespace quarnel::ui {

namespace {

using K = ControlKind;

// ---- About -----------------------------------------------------------------

constexpr DialogFrame kAboutFrame{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
                                  0, 350, 150, L"About Quarnel"};

const ControlSpec kAboutControls[] = {
    {ids::about::kPicture, K::Picture, nullptr, 3, 3, 60, 60, 0, Font::Dialog, QUARNEL_BITMAP},
    {ids::about::kVersionLine, K::Label, nullptr, 50, 6, 145, 10, 0, Font::Arial10,
     QUARNEL_VERSION_STRING},
    {ids::about::kCredit, K::Label, L"Written by the Quarnel authors", 196, 6, 150, 12,
     kRightAligned, Font::Arial11},
    {ids::about::kDerivation, K::Label,
     L"Codeplug information was derived through experimentation"
     L" with help of code plug image files provided by fellow hams. "
     L"I could use some VHF and 800/900 samples.",
     50, 25, 230, 35, 0, Font::Arial10},
    {ids::about::kPleaseTest, K::Label,
     L"Please test the code plug,"
     L" errors may exist.",
     50, 55, 250, 15},
    {ids::about::kFreeSoftware, K::Label, L"This is free software with no implied warranties.", 50,
     72, 250, 15, 0, Font::Arial12},
    {ids::about::kFeedback, K::Label, L"Feedback can be sent to quarnel@example.org", 90, 130, 235,
     10, kRightAligned, Font::Arial10},
    {ids::about::kThanks, K::Label, L"Thanks for code plug samples and testing go to:", 16, 90,
     110, 25, kCentred, Font::Arial11},
    // Two columns of three, the first four filled column by column.
    {ids::about::kFirstContributor + 0, K::Label, L"Tester A", 16, 115, 35, 10, kCentred},
    {ids::about::kFirstContributor + 1, K::Label, L"Tester B", 16, 125, 35, 10, kCentred},
    {ids::about::kFirstContributor + 2, K::Label, L"Tester C", 75, 115, 35, 10, kCentred},
    {ids::about::kFirstContributor + 3, K::Label, L"Tester D", 75, 125, 35, 10, kCentred},
    {ids::about::kFirstContributor + 4, K::Label, L"Tester E", 16, 135, 35, 10, kCentred},
    {ids::about::kFirstContributor + 5, K::Label, L"Tester F", 75, 135, 35, 10, kCentred},
    {IDOK, K::Button, L"OK", 150, 95, 50, 20, kThinBorder | kNoTabStop, Font::Arial14Bold},
};

// ---- Help ------------------------------------------------------------------

constexpr DialogFrame kHelpFrame{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
                                 0, 380, 250, L"Quarnel Help"};

const ControlSpec kHelpControls[] = {
    {ids::help::kPicture, K::Picture, nullptr, 3, 3, 60, 60, 0, Font::Dialog, QUARNEL_BITMAP},
    {ids::help::kNoScratch, K::Label,
     L"This program will not create a code plug from scratch."
     L" There are many hardware options which have not been identified in the code plug."
     L" You should open a copy of your existing code plug to modify. Using a codeplug from"
     L" another radio will have unknown results.",
     50, 15, 315, 35, kSunken, Font::Arial11},
    {ids::help::kNoChannels, K::Label,
     L"This program will not add or delete channels at this time."
     L" It does add some functions not normally available when using the suitecase"
     L" programmer.",
     50, 55, 315, 25, kSunken},
    {ids::help::kVhfUntested, K::Label, L"VHF synthesizer values are not tested.", 50, 85, 315, 15,
     kSunken},
    {ids::help::kFrequencies, K::Label,
     L"Click in the frequency fields to change frequencies."
     L" Enter frequency without decimal point. For example, enter 4488500 for 448.850."
     L" Press Enter to commit new value.",
     50, 100, 315, 25, kSunken},
    {ids::help::kControlOptions, K::Label, L"Control options are 'AND'ed together.", 50, 130, 315,
     70, kSunken},
    {ids::help::kRxControl, K::Label, L"RX Control options operate receiver audio.", 85, 142, 280,
     10},
    {ids::help::kActivate, K::Label, L"Repeater Activate options control initial keyup.", 85, 154,
     280, 10},
    {ids::help::kHold, K::Label, L"Repeater Hold options control how repeater stays keyed.", 85,
     166, 280, 10},
    {ids::help::kNoAudio, K::Label,
     L"** If RX Control options are cleared and Repeater"
     L" options are set, the transmitter will key with no audio.",
     90, 178, 235, 20, kCentred},
    {IDOK, K::Button, L"OK", 165, 215, 50, 20, kThinBorder | kNoTabStop, Font::Arial14Bold},
};

// ---- The window ------------------------------------------------------------

struct InfoWindow {
    const DialogFrame& frame;
    const ControlSpec* controls;
    std::size_t count;
    ProgramState& state;
    HBITMAP picture = nullptr;  // loaded when the window opens, deleted when it is gone
};

void createInfoControl(HWND window, InfoWindow& info, const ControlSpec& def) {
    HINSTANCE instance = info.state.instance;
    const HFONT font = fontFor(window, info.state.fonts, def.font);
    if (def.kind == K::Picture) {
        HWND control = createControl(window, def, font);
        if (!info.picture)
            info.picture = static_cast<HBITMAP>(LoadImageW(
                instance, MAKEINTRESOURCEW(def.resource), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
        SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(info.picture));
        return;
    }
    if (def.resource) {
        // Fetched again each time the window opens.
        const std::wstring text = resourceString(instance, static_cast<UINT>(def.resource));
        createControl(window, def, font, text.c_str());
        return;
    }
    createControl(window, def, font);
}

INT_PTR OnInitDialog(HWND window, InfoWindow& info) {
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(&info));
    setProgramIcon(window, info.state.instance);
    for (std::size_t i = 0; i < info.count; ++i) createInfoControl(window, info, info.controls[i]);
    // "OK" is no tab stop, but Enter and Escape need a focus inside the window.
    SetFocus(GetDlgItem(window, IDOK));
    return FALSE;
}

// "OK", Enter and Escape (the OK and cancel commands) and the close box
// (which the dialog turns into the cancel command) all end the window.
INT_PTR OnCommand(HWND window, int code) {
    if (code != 0) return FALSE;
    EndDialog(window, 0);
    return TRUE;
}

INT_PTR CALLBACK InfoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(window, *reinterpret_cast<InfoWindow*>(lParam));
    case WM_COMMAND:
        return OnCommand(window, HIWORD(wParam));
    }
    return FALSE;
}

void runInfoWindow(ProgramState& state, const DialogFrame& frame, const ControlSpec* controls,
                   std::size_t count) {
    InfoWindow info{frame, controls, count, state};
    runModalDialog(state.instance, frame, state.windows.main, InfoWindowProc,
                   reinterpret_cast<LPARAM>(&info));
    if (info.picture) DeleteObject(info.picture);
}

}  // namespace

void showAboutWindow(ProgramState& state) {
    runInfoWindow(state, kAboutFrame, kAboutControls, std::size(kAboutControls));
}

void showHelpWindow(ProgramState& state) {
    runInfoWindow(state, kHelpFrame, kHelpControls, std::size(kHelpControls));
}

}  // namespace quarnel::ui
