// Text and background colours of single controls of one window, answered
// from the window's WM_CTLCOLOR... messages. One solid brush is made per
// background colour and kept until the object goes.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace quarnel::ui {

// Stands for "the window's default" in place of a colour.
constexpr COLORREF kDefaultColour = CLR_INVALID;

class ControlColours {
public:
    ControlColours() = default;
    ~ControlColours();
    ControlColours(const ControlColours&) = delete;
    ControlColours& operator=(const ControlColours&) = delete;

    // Gives control `id` its colours (either may be kDefaultColour).
    void set(int id, COLORREF text, COLORREF background);
    // Back to the default colours.
    void clear(int id);

    // For WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC and WM_CTLCOLORBTN: prepares
    // `dc` and returns the background brush, or nullptr when `control` keeps
    // the default colours.
    HBRUSH apply(HDC dc, HWND control);

private:
    struct Entry {
        int id;
        COLORREF text;
        COLORREF background;
    };
    HBRUSH brush(COLORREF colour);

    std::vector<Entry> entries_;
    std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
};

}  // namespace quarnel::ui
