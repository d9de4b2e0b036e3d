// Control identifier of the CTCSS table window.
#pragma once

namespace quarnel::ui::ids::ctcss {

constexpr int kList = 931;  // the list view of tones and PL code names

}  // namespace quarnel::ui::ids::ctcss
