// Text conversions between the model (UTF-8 std::string) and the windows
// (UTF-16), and small readers of window texts.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quarnel::ui {

std::wstring widen(std::string_view text);
std::string narrow(std::wstring_view text);

// `value` in upper-case hexadecimal, zero-padded to `digits` digits.
std::wstring hexText(unsigned value, int digits);

// The whole text of a window (any length).
std::wstring windowText(HWND window);

// A string resource of `module`; empty when there is none.
std::wstring resourceString(HINSTANCE module, UINT id);

}  // namespace quarnel::ui
