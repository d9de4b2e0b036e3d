#include "model/values.h"

#include <string>

namespace quarnel {

const ValueSpec* valueOfKey(std::string_view key) {
    // The keys keep the editor's spelling "auxilary"; the usual one is taken too.
    constexpr std::string_view usual = "auxiliary";
    std::string name(key);
    const auto at = name.find(usual);
    if (at != std::string::npos) name.replace(at, usual.size(), "auxilary");
    for (const ValueSpec& row : valueTable())
        if (name == row.key) return &row;
    return nullptr;
}

bool checkBoxState(const Image& image, std::size_t base, Value value) {
    const ValueSpec& row = valueSpec(value);
    return (readField(image, row.written, base) != 0) != row.storedInverted;
}

}  // namespace quarnel
