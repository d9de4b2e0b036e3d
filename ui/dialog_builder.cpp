#include "ui/dialog_builder.h"

#include <cwchar>

#include "ui/resource_ids.h"

namespace quarnel::ui {

namespace {

void appendText(std::vector<WORD>& words, const wchar_t* text) {
    for (; text && *text; ++text) words.push_back(static_cast<WORD>(*text));
    words.push_back(0);
}

void appendDword(std::vector<WORD>& words, DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
}

}  // namespace

std::vector<WORD> dialogTemplate(const DialogFrame& frame) {
    std::vector<WORD> words;
    appendDword(words, frame.style | DS_SETFONT);
    appendDword(words, frame.exStyle);
    words.push_back(0);  // no controls in the template
    words.push_back(static_cast<WORD>(frame.x));
    words.push_back(static_cast<WORD>(frame.y));
    words.push_back(static_cast<WORD>(frame.width));
    words.push_back(static_cast<WORD>(frame.height));
    words.push_back(0);  // no menu
    words.push_back(0);  // the dialog window class
    appendText(words, frame.caption);
    words.push_back(kDialogFontPoints);
    appendText(words, kDialogFontFace);
    return words;
}

HWND createModelessDialog(HINSTANCE instance, const DialogFrame& frame, HWND owner,
                          DLGPROC procedure, LPARAM param) {
    const std::vector<WORD> words = dialogTemplate(frame);
    return CreateDialogIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(words.data()),
                                      owner, procedure, param);
}

INT_PTR runModalDialog(HINSTANCE instance, const DialogFrame& frame, HWND owner,
                       DLGPROC procedure, LPARAM param) {
    const std::vector<WORD> words = dialogTemplate(frame);
    return DialogBoxIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(words.data()),
                                   owner, procedure, param);
}

RECT dialogUnitsToPixels(HWND dialog, int x, int y, int width, int height) {
    RECT rect{x, y, x + width, y + height};
    MapDialogRect(dialog, &rect);
    return rect;
}

const wchar_t* controlClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
    case ControlKind::Picture:
    case ControlKind::Rule: return L"STATIC";
    case ControlKind::Button:
    case ControlKind::Option:
    case ControlKind::CheckBox:
    case ControlKind::Frame: return L"BUTTON";
    case ControlKind::DropDown: return L"COMBOBOX";
    case ControlKind::EntryBox:
    case ControlKind::TextBox: return L"EDIT";
    }
    return L"STATIC";
}

DWORD controlStyle(const ControlSpec& def) {
    const unsigned f = def.flags;
    DWORD style = WS_CHILD;
    if (!(f & kHidden)) style |= WS_VISIBLE;
    if (f & kDisabled) style |= WS_DISABLED;
    if (f & kGroup) style |= WS_GROUP;
    const DWORD tabStop = (f & kNoTabStop) ? 0 : WS_TABSTOP;

    switch (def.kind) {
    case ControlKind::Label:
        style |= (f & kRightAligned) ? SS_RIGHT : (f & kCentred) ? SS_CENTER : SS_LEFT;
        if (f & kVerticallyCentred) style |= SS_CENTERIMAGE;
        if (f & kSunken) style |= SS_SUNKEN;
        if (f & kReportsClicks) style |= SS_NOTIFY;
        break;
    case ControlKind::Picture:
        style |= SS_BITMAP;
        break;
    case ControlKind::Button:
        style |= ((f & kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | tabStop;
        if (f & kThinBorder) style |= BS_FLAT;
        break;
    case ControlKind::Option:
        style |= BS_AUTORADIOBUTTON | tabStop;
        break;
    case ControlKind::CheckBox:
        style |= BS_AUTOCHECKBOX | tabStop;
        break;
    case ControlKind::Frame:
        style |= BS_GROUPBOX | BS_CENTER;
        break;
    case ControlKind::DropDown:
        style |= CBS_DROPDOWNLIST | WS_VSCROLL | tabStop;
        break;
    case ControlKind::EntryBox:
        style |= ES_LEFT | ES_NUMBER | tabStop;
        break;
    case ControlKind::Rule:
        style |= SS_ETCHEDFRAME;
        break;
    case ControlKind::TextBox:
        style |= ES_LEFT | ES_UPPERCASE | tabStop;
        break;
    }
    if ((f & kMayWrap) && (def.kind == ControlKind::Option || def.kind == ControlKind::CheckBox ||
                           def.kind == ControlKind::Button))
        style |= BS_MULTILINE;
    return style;
}

HWND createControl(HWND dialog, const ControlSpec& def, HFONT font, const wchar_t* text) {
    const RECT r = dialogUnitsToPixels(dialog, def.x, def.y, def.w, def.h);
    const wchar_t* caption = text ? text : (def.kind == ControlKind::Picture ? L"" : def.text);
    HWND control = CreateWindowExW(
        0, controlClass(def.kind), caption, controlStyle(def), r.left, r.top,
        r.right - r.left, r.bottom - r.top, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void setProgramIcon(HWND window, HINSTANCE instance) {
    const int sizes[2][2] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
    for (const auto& size : sizes) {
        const int pixels = GetSystemMetrics(size[1]);
        // Shared icons stay loaded for the life of the program and are not destroyed.
        HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(QUARNEL_ICON), IMAGE_ICON, pixels,
                                 pixels, LR_SHARED);
        if (icon) SendMessageW(window, WM_SETICON, static_cast<WPARAM>(size[0]),
                               reinterpret_cast<LPARAM>(icon));
    }
}

INT_PTR dialogResult(HWND dialog, LRESULT result) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace quarnel::ui
