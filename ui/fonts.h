// The six fonts the windows share, created once at start-up and deleted when
// the program ends, and the program's dialog font (Arial 10), in which every
// window is laid out.
#pragma once

#include <windows.h>

#include <array>

namespace quarnel::ui {

// Which font a control uses. Dialog is the font of the window the control
// sits on (Arial 10, the dialog font); the others are the shared fonts.
enum class Font { Dialog, Arial8, Arial10, Arial11, Arial12, Arial14Bold, Courier12 };

// The face and size every dialog template names.
constexpr wchar_t kDialogFontFace[] = L"Arial";
constexpr WORD kDialogFontPoints = 10;

struct FontSpec {
    Font font;
    const wchar_t* face;
    int points;
    bool bold;
};

// The shared fonts in creation order: Arial 8, 10, 11, 12, 14 bold, Courier 12.
const std::array<FontSpec, 6>& sharedFontSpecs();

// Owns the six shared fonts for the life of the program.
class SharedFonts {
public:
    SharedFonts();   // creates them in the order of sharedFontSpecs()
    ~SharedFonts();  // deletes them
    SharedFonts(const SharedFonts&) = delete;
    SharedFonts& operator=(const SharedFonts&) = delete;

    // The shared font, or nullptr for Font::Dialog (use the window's own).
    HFONT get(Font font) const;

private:
    std::array<HFONT, 6> fonts_{};
};

// The font a control of `dialog` uses: the shared font, or the dialog's own.
HFONT fontFor(HWND dialog, const SharedFonts& fonts, Font font);

}  // namespace quarnel::ui
