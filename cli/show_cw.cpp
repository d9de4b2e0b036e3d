#include "cli/show_cw.h"

#include "model/cw_messages.h"

namespace quarnel::cli {

namespace {

// The count as the display computes it. "CW address error" is not passed on
// as a notice: it is reported once, as the area's error.
CwState countQuietly(const Image& image) {
    NullNotices quiet;
    return countMessages(image, quiet);
}

}  // namespace

void addCwJson(nlohmann::ordered_json& doc, const Image& image) {
    const CwState state = countQuietly(image);
    doc["cw"] = {{"span", state.span},
                 {"count", state.count},
                 {"error", state.addressError ? nlohmann::ordered_json("CW address error")
                                              : nlohmann::ordered_json(nullptr)}};
    doc["messages"] = decodeMessages(image, state);
}

void showCwText(const Image& image, std::ostream& out) {
    const CwState state = countQuietly(image);
    out << "CW span    " << signedDecimal(state.span) << ", messages" << signedDecimal(state.count)
        << (state.addressError ? "  CW address error" : "") << "\n";
    const auto messages = decodeMessages(image, state);
    for (std::size_t k = 0; k < messages.size(); ++k)
        out << "Message    " << signedDecimal(static_cast<long long>(k)) << "  " << messages[k]
            << "\n";
}

}  // namespace quarnel::cli
