#include "ui/fonts.h"

#include <cwchar>

namespace quarnel::ui {

const std::array<FontSpec, 6>& sharedFontSpecs() {
    static const std::array<FontSpec, 6> fonts{{
        {Font::Arial8, L"Arial", 8, false},
        {Font::Arial10, L"Arial", 10, false},
        {Font::Arial11, L"Arial", 11, false},
        {Font::Arial12, L"Arial", 12, false},
        {Font::Arial14Bold, L"Arial", 14, true},
        {Font::Courier12, L"Courier", 12, false},
    }};
    return fonts;
}

namespace {

// Position of a shared font in sharedFontSpecs(); Font::Dialog has none.
int slotOf(Font font) { return static_cast<int>(font) - 1; }

HFONT createPointFont(const FontSpec& def) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(def.points, dpi, 72);
    lf.lfWeight = def.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    wcsncpy(lf.lfFaceName, def.face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

}  // namespace

SharedFonts::SharedFonts() {
    for (const FontSpec& def : sharedFontSpecs())
        fonts_[static_cast<std::size_t>(slotOf(def.font))] = createPointFont(def);
}

SharedFonts::~SharedFonts() {
    for (HFONT font : fonts_)
        if (font) DeleteObject(font);
}

HFONT SharedFonts::get(Font font) const {
    const int slot = slotOf(font);
    return slot < 0 ? nullptr : fonts_[static_cast<std::size_t>(slot)];
}

HFONT fontFor(HWND dialog, const SharedFonts& fonts, Font font) {
    if (HFONT shared = fonts.get(font)) return shared;
    return reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
}

}  // namespace quarnel::ui
