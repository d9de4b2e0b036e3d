#include "ui/editor_notices.h"

#include <commctrl.h>

#include "ui/dialog_seam.h"
#include "ui/text.h"

namespace quarnel::ui {

void EditorNotices::notice(NoticeKind kind, const std::string& text) {
    switch (kind) {
    case NoticeKind::Box:
        showMessageBox(nullptr, widen(text), nullptr, kModelBoxStyle);
        break;
    case NoticeKind::StatusNotice:
        if (statusBar_) SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
        break;
    case NoticeKind::LengthLine:
        if (lengthLine_) SetWindowTextW(lengthLine_, widen(text).c_str());
        break;
    }
}

}  // namespace quarnel::ui
