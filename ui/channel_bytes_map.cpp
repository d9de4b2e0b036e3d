#include "ui/channel_bytes_map.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "model/layout.h"
#include "ui/channel_bytes_map_ids.h"
#include "ui/dialog_builder.h"
#include "ui/main_controls.h"
#include "ui/reference_window.h"
#include "ui/text.h"

namespace quarnel::ui {

namespace {

namespace bytes = ids::bytes;
using K = ControlKind;

// ---- The layout --------------------------------------------------------

constexpr DialogFrame kFrame{WS_OVERLAPPEDWINDOW, 0, 410, 300, L"Channel Bytes Map", 100, 60};

// Byte n sits in column n % 6, row n / 6 of the grid.
constexpr short kColumnStep = 60;
constexpr short kRowStep = 60;
constexpr ControlSpec kFirstBits{bytes::kFirstBits, K::Label, L"", 21, 30, 57, 10, kCentred,
                                 Font::Courier12};
constexpr ControlSpec kFirstHex{bytes::kFirstHex, K::Label, L"", 36, 20, 25, 10, kCentred,
                                Font::Courier12};

// A field caption over the bytes of its field (offset and length from the
// field table), sharing its background with the labels of those bytes.
struct Caption {
    int id;
    Field field;
    short x, y, w;
    Font font;
    COLORREF background;
};

constexpr short kCaptionHeight = 10;
constexpr COLORREF kGreen = RGB(204, 255, 204);
constexpr COLORREF kPink = RGB(255, 204, 255);
constexpr COLORREF kYellow = RGB(255, 255, 204);
constexpr COLORREF kViolet = RGB(204, 153, 255);
constexpr COLORREF kOrange = RGB(255, 204, 153);

const Caption kCaptions[] = {
    {bytes::kRxFrequency, Field::RxFrequency, 21, 10, 177, Font::Arial10, kGreen},
    {bytes::kTxFrequency, Field::TxFrequency, 201, 10, 177, Font::Arial10, kPink},
    {bytes::kReceiverCtrl, Field::ReceiverCtrl, 21, 70, 57, Font::Arial10, kGreen},
    {bytes::kTxPriority, Field::TxPriority, 81, 70, 57, Font::Arial10, kYellow},
    {bytes::kLineToT, Field::LineToTByte, 141, 70, 57, Font::Arial10, kYellow},
    {bytes::kLocalToT, Field::LocalToTByte, 201, 70, 57, Font::Arial10, kYellow},
    {bytes::kTailRptToT, Field::TailRptToT, 261, 70, 57, Font::Arial8, kYellow},
    {bytes::kTxCodeHigh, Field::TxCodeHigh, 321, 70, 57, Font::Arial10, kPink},
    {bytes::kTxCodeLow, Field::TxCodeLow, 21, 130, 57, Font::Arial10, kPink},
    {bytes::kRxCodeHigh, Field::RxCodeHigh, 81, 130, 57, Font::Arial10, kGreen},
    {bytes::kRxCodeLow, Field::RxCodeLow, 141, 130, 57, Font::Arial10, kGreen},
    {bytes::kCodeCtrl, Field::CodeCtrl, 201, 130, 57, Font::Arial10, kViolet},
    {bytes::kRptCtrl, Field::RptCtrl, 261, 130, 57, Font::Arial10, kViolet},
    {bytes::kIdAlarmCtrl, Field::IdAlarmCtrl, 321, 130, 57, Font::Arial8, kViolet},
    {bytes::kCwIdSelect, Field::CwIdSelectByte, 21, 190, 57, Font::Arial8, kGreen},
    {bytes::kIdleFrequency, Field::IdleFrequency, 81, 190, 177, Font::Arial10, kOrange},
};

const ControlSpec kLines[] = {
    {bytes::kChannelLine, K::Label, L"", 45, 260, 130, 12, 0, Font::Arial12},
    {bytes::kAddressLine, K::Label, L"", 205, 260, 130, 12, 0, Font::Arial12},
    // Says why the grid shows fewer bytes than the record has, or none.
    {bytes::kNote, K::Label, L"", 21, 235, 357, 10, kHidden},
};

// ---- What the map shows ------------------------------------------------------

// The record bytes the grid shows, and a note when that is not all of them.
struct RecordSnapshot {
    bool reachable = false;  // the current channel has a record in the image
    std::size_t base = 0;
    int shown = 0;           // bytes 0 .. shown - 1 fill the grid
    std::wstring note;
};

RecordSnapshot snapshotOf(const ProgramState& state) {
    RecordSnapshot s;
    const ChannelView& view = state.displayed;
    if (state.currentChannel < 1 || view.channel != state.currentChannel) {
        s.note = L"No channel is displayed";
        return s;
    }
    if (!state.recordReachable()) {
        s.note = widen(view.problem);
        return s;
    }
    s.reachable = true;
    s.base = view.base;
    const int size = static_cast<int>(readField(state.image, Field::Size));
    const int inside = static_cast<int>(kEpromSize - std::min(view.base, kEpromSize));
    s.shown = std::min({size, bytes::kPositions, inside});
    if (size > bytes::kPositions)
        s.note = L"Records are " + widen(std::to_string(size)) + L" bytes long; the first " +
                 widen(std::to_string(bytes::kPositions)) + L" are shown";
    return s;
}

std::wstring bitPattern(std::uint8_t value) {
    std::wstring text;
    for (int bit = 7; bit >= 0; --bit) {
        text += (value >> bit) & 1 ? L'1' : L'0';
        if (bit == 4) text += L' ';
    }
    return text;
}

// ---- Building ----------------------------------------------------------------

ControlSpec atPosition(const ControlSpec& first, int n) {
    ControlSpec control = first;
    control.id = first.id + n;
    control.x = static_cast<short>(first.x + kColumnStep * (n % bytes::kPerRow));
    control.y = static_cast<short>(first.y + kRowStep * (n / bytes::kPerRow));
    return control;
}

void createByteLabels(HWND window, const ReferenceWindow& map) {
    for (const ControlSpec* first : {&kFirstBits, &kFirstHex}) {
        const HFONT font = fontFor(window, map.state.fonts, first->font);
        for (int n = 0; n < bytes::kPositions; ++n) createControl(window, atPosition(*first, n), font);
    }
}

void createCaptions(HWND window, ReferenceWindow& map) {
    for (const Caption& caption : kCaptions) {
        const FieldSpec& field = fieldSpec(caption.field);
        const ControlSpec control{caption.id, K::Label, L"", caption.x, caption.y,
                                  caption.w, kCaptionHeight, kCentred, caption.font};
        createControl(window, control, fontFor(window, map.state.fonts, caption.font),
                      widen(field.name).c_str());
        map.colours.set(caption.id, kDefaultColour, caption.background);
        for (int n = field.offset; n < field.offset + field.bytes; ++n) {
            map.colours.set(bytes::kFirstBits + n, kDefaultColour, caption.background);
            map.colours.set(bytes::kFirstHex + n, kDefaultColour, caption.background);
        }
    }
}

void createLines(HWND window, const ReferenceWindow& map) {
    for (const ControlSpec& control : kLines)
        createControl(window, control, fontFor(window, map.state.fonts, control.font));
}

void showRecord(HWND window, const ProgramState& state) {
    const RecordSnapshot s = snapshotOf(state);
    for (int n = 0; n < s.shown; ++n) {
        const std::uint8_t value = state.image[s.base + static_cast<std::size_t>(n)];
        SetDlgItemTextW(window, bytes::kFirstBits + n, bitPattern(value).c_str());
        SetDlgItemTextW(window, bytes::kFirstHex + n, hexText(value, 2).c_str());
    }
    SetDlgItemTextW(window, bytes::kChannelLine, channelTitle(state.currentChannel).c_str());
    const std::wstring address =
        s.reachable ? L"Address 0x" + hexText(static_cast<unsigned>(s.base), 3) : L"";
    SetDlgItemTextW(window, bytes::kAddressLine, address.c_str());
    SetDlgItemTextW(window, bytes::kNote, s.note.c_str());
    ShowWindow(GetDlgItem(window, bytes::kNote), s.note.empty() ? SW_HIDE : SW_SHOW);
}

// ---- Handlers ------------------------------------------------------------------

INT_PTR OnInitDialog(HWND window, LPARAM param) {
    attachReferenceWindow(window, param);
    ReferenceWindow& map = *reinterpret_cast<ReferenceWindow*>(param);
    createByteLabels(window, map);
    createCaptions(window, map);
    createLines(window, map);
    showRecord(window, map.state);
    return FALSE;
}

// The map answers nothing of its own: no commands, no scrolling.
INT_PTR CALLBACK ChannelBytesMapProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog(window, lParam);
    return OnReferenceWindowMessage(window, message, wParam, lParam);
}

}  // namespace

HWND openChannelBytesMap(ProgramState& state) {
    return openReferenceWindow(std::make_unique<ReferenceWindow>(state), kFrame, ChannelBytesMapProc);
}

}  // namespace quarnel::ui
