#include "model/notice.h"

namespace quarnel {

std::vector<std::string> RecordedNotices::texts(NoticeKind kind) const {
    std::vector<std::string> out;
    for (const auto& e : entries)
        if (e.kind == kind) out.push_back(e.text);
    return out;
}

std::string signedDecimal(long long value) {
    // The magnitude without overflow for the most negative value.
    unsigned long long magnitude =
        value < 0 ? static_cast<unsigned long long>(-(value + 1)) + 1 : static_cast<unsigned long long>(value);
    char text[24];
    char* p = text + sizeof text;
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    *--p = value < 0 ? '-' : ' ';
    return std::string(p, text + sizeof text);
}

}  // namespace quarnel
