#include "tests/ui/reference_fixture.h"

#include <algorithm>

#include "model/channel_view.h"
#include "ui/text.h"

namespace quarnel::test {

void showChannel(ui::ProgramState& s, const Image& image, int channel) {
    s.image = image;
    s.currentChannel = static_cast<std::int16_t>(channel);
    s.displayed = displayChannel(s.image, {channel, s.rxBand, s.txBand});
}

HWND ReferenceTest::open(int command, int code) {
    const std::vector<HWND> before = modeless();
    editor_->menuCommand(command, code);
    pumpMessages();
    for (HWND window : modeless())
        if (std::find(before.begin(), before.end(), window) == before.end()) return window;
    ADD_FAILURE() << "command " << command << " opened no window";
    return nullptr;
}

std::wstring textOf(HWND window, int id) { return ui::windowText(GetDlgItem(window, id)); }

bool shown(HWND control) { return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

Colours staticColours(HWND window, int id) {
    return controlColours(GetDlgItem(window, id), WM_CTLCOLORSTATIC);
}

bool defaultColours(const Colours& colours) {
    return colours.text == GetSysColor(COLOR_WINDOWTEXT) &&
           colours.brushColour == GetSysColor(COLOR_3DFACE);
}

void expectClientPlace(HWND window, int x, int y, int w, int h) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const RECT place = dialogRect(window, x, y, 0, 0);
    const RECT size = dialogRect(window, 0, 0, w, h);
    const bool scrollBar = (GetWindowLongPtrW(window, GWL_STYLE) & WS_VSCROLL) != 0;
    EXPECT_EQ(origin.x, place.left);
    EXPECT_EQ(origin.y, place.top);
    EXPECT_EQ(client.right + (scrollBar ? GetSystemMetrics(SM_CXVSCROLL) : 0), size.right);
    EXPECT_EQ(client.bottom, size.bottom);
}

void expectControlPlace(HWND window, int id, int x, int y, int w, int h) {
    HWND control = GetDlgItem(window, id);
    ASSERT_NE(control, nullptr) << id;
    const RECT r = rectInParent(control);
    const RECT want = dialogRect(window, x, y, w, h);
    EXPECT_EQ(r.left, want.left) << id;
    EXPECT_EQ(r.top, want.top) << id;
    EXPECT_EQ(r.right, want.right) << id;
    EXPECT_EQ(r.bottom, want.bottom) << id;
}

}  // namespace quarnel::test
