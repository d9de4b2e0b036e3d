#include "model/values.h"

#include <string>

namespace quarnel {

namespace value_rows {

int headerIdTimerItem(const Image& image, std::size_t) { return idTimerItem(image); }
void setHeaderIdTimerItem(Image& image, std::size_t, int item) { setIdTimerItem(image, item); }
int headerCwSpeedItem(const Image& image, std::size_t) { return cwSpeedItem(image); }
void setHeaderCwSpeedItem(Image& image, std::size_t, int item) { setCwSpeedItem(image, item); }
int headerRekeyDelayItem(const Image& image, std::size_t) { return rekeyDelayItem(image); }
void setHeaderRekeyDelayItem(Image& image, std::size_t, int item) { setRekeyDelayItem(image, item); }
int headerToneStartDelayItem(const Image& image, std::size_t) { return toneStartDelayItem(image); }
void setHeaderToneStartDelayItem(Image& image, std::size_t, int item) {
    setToneStartDelayItem(image, item);
}

}  // namespace value_rows

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
