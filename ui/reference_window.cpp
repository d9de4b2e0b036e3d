#include "ui/reference_window.h"

namespace quarnel::ui {

HWND openReferenceWindow(std::unique_ptr<ReferenceWindow> data, const DialogFrame& frame,
                         DLGPROC procedure) {
    ProgramState& state = data->state;
    HWND window = createModelessDialog(state.instance, frame, nullptr, procedure,
                                       reinterpret_cast<LPARAM>(data.get()));
    // A window that could not be made has not taken the data: it goes here.
    if (!window) return nullptr;
    data.release()->ownedByWindow = true;
    state.windows.modeless.add(window);
    ShowWindow(window, SW_SHOW);
    return window;
}

void attachReferenceWindow(HWND window, LPARAM param) {
    SetWindowLongPtrW(window, DWLP_USER, param);
    setProgramIcon(window, reinterpret_cast<ReferenceWindow*>(param)->state.instance);
}

ReferenceWindow* referenceWindowData(HWND window) {
    return reinterpret_cast<ReferenceWindow*>(GetWindowLongPtrW(window, DWLP_USER));
}

INT_PTR OnReferenceWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ReferenceWindow* data = referenceWindowData(window);
    if (!data) return FALSE;
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(
            data->colours.apply(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_DESTROY:
        data->state.windows.modeless.remove(window);
        if (data->state.windows.epromMap == window) data->state.windows.epromMap = nullptr;
        return FALSE;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, DWLP_USER, 0);
        if (data->ownedByWindow) delete data;
        return FALSE;
    }
    return FALSE;
}

void bringForward(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window);
}

}  // namespace quarnel::ui
