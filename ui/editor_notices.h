// The editor's NoticeSink: what the model has to tell the user becomes a
// task-modal message box (through the dialog seam), the first part of the
// main window's status bar, or the CW message editor's length line.
#pragma once

#include <windows.h>

#include <string>

#include "model/notice.h"

namespace quarnel::ui {

// Style of the model's message boxes: OK only, task-modal, brought to the
// foreground; they have no owner and no caption of their own.
constexpr UINT kModelBoxStyle = MB_OK | MB_TASKMODAL | MB_SETFOREGROUND;

class EditorNotices final : public NoticeSink {
public:
    // `statusBar` is the main window's status bar handle as the program's
    // state keeps it (null while there is no main window).
    explicit EditorNotices(const HWND& statusBar) : statusBar_(statusBar) {}

    void notice(NoticeKind kind, const std::string& text) override;

    // The label that shows the length line while the CW message editor is
    // open; nullptr when it is closed (length lines are then dropped).
    void setLengthLineLabel(HWND label) { lengthLine_ = label; }

private:
    const HWND& statusBar_;
    HWND lengthLine_ = nullptr;
};

}  // namespace quarnel::ui
