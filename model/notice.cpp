#include "model/notice.h"

namespace quarnel {

std::vector<std::string> RecordedNotices::texts(NoticeKind kind) const {
    std::vector<std::string> out;
    for (const auto& e : entries)
        if (e.kind == kind) out.push_back(e.text);
    return out;
}

std::string signedDecimal(long long value) {
    if (value < 0) return "-" + std::to_string(-(value + 1) + 1ULL);
    return " " + std::to_string(value);
}

}  // namespace quarnel
