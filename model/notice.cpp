#include "model/notice.h"

namespace quarnel {

std::vector<std::string> RecordedNotices::texts(NoticeKind kind) const {
    std::vector<std::string> out;
    for (const auto& e : entries)
        if (e.kind == kind) out.push_back(e.text);
    return out;
}

}  // namespace quarnel
