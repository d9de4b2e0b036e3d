#include "model/text_forms.h"

namespace quarnel {

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

std::string hexDigits(unsigned value, int digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    char text[8];
    char* p = text + sizeof text;
    do {
        *--p = kDigits[value & 0xF];
        value >>= 4;
    } while ((value != 0 || text + sizeof text - p < digits) && p != text);
    return std::string(p, text + sizeof text);
}

std::string hex4(unsigned value) { return hexDigits(value & 0xFFFF, 4); }

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace quarnel
