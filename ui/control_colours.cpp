#include "ui/control_colours.h"

#include <algorithm>

namespace quarnel::ui {

ControlColours::~ControlColours() {
    for (auto& entry : brushes_) DeleteObject(entry.second);
}

void ControlColours::set(int id, COLORREF text, COLORREF background) {
    clear(id);
    entries_.push_back({id, text, background});
}

void ControlColours::clear(int id) {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [id](const Entry& e) { return e.id == id; }),
                   entries_.end());
}

HBRUSH ControlColours::brush(COLORREF colour) {
    for (auto& entry : brushes_)
        if (entry.first == colour) return entry.second;
    HBRUSH made = CreateSolidBrush(colour);
    brushes_.emplace_back(colour, made);
    return made;
}

HBRUSH ControlColours::apply(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [id](const Entry& e) { return e.id == id; });
    if (it == entries_.end()) return nullptr;
    const COLORREF text = it->text == kDefaultColour ? GetSysColor(COLOR_WINDOWTEXT) : it->text;
    SetTextColor(dc, text);
    if (it->background == kDefaultColour) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return GetSysColorBrush(COLOR_BTNFACE);
    }
    SetBkColor(dc, it->background);
    return brush(it->background);
}

}  // namespace quarnel::ui
