#include "ui/editor_notices.h"

#include "ui/dialog_seam.h"
#include "ui/main_window.h"
#include "ui/program_state.h"
#include "ui/text.h"

namespace quarnel::ui {

void EditorNotices::notice(NoticeKind kind, const std::string& text) {
    switch (kind) {
    case NoticeKind::Box:
        showMessageBox(nullptr, widen(text), nullptr, kModelBoxStyle);
        break;
    case NoticeKind::StatusNotice:
        setStatusText(state_, 0, widen(text));
        break;
    case NoticeKind::LengthLine:
        if (lengthLine_) SetWindowTextW(lengthLine_, widen(text).c_str());
        break;
    }
}

}  // namespace quarnel::ui
