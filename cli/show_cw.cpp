#include "cli/show_cw.h"

#include "model/channel_view.h"
#include "model/text_forms.h"

namespace quarnel::cli {

HeaderView displayedHeader(const Image& image) {
    NullNotices quiet;
    return headerView(image, quiet);
}

void addCwJson(nlohmann::ordered_json& doc, const Image& image) {
    const HeaderView header = displayedHeader(image);
    const CwState& state = header.cw;
    doc["cw"] = {{"span", state.span},
                 {"count", state.count},
                 {"error", state.addressError ? nlohmann::ordered_json("CW address error")
                                              : nlohmann::ordered_json(nullptr)}};
    doc["messages"] = header.cwMessages;
}

void showCwText(const Image& image, std::ostream& out) {
    const HeaderView header = displayedHeader(image);
    const CwState& state = header.cw;
    out << "CW span    " << signedDecimal(state.span) << ", messages" << signedDecimal(state.count)
        << (state.addressError ? "  CW address error" : "") << "\n";
    for (std::size_t k = 0; k < header.cwMessages.size(); ++k)
        out << "Message    " << signedDecimal(static_cast<long long>(k)) << "  "
            << header.cwMessages[k] << "\n";
}

}  // namespace quarnel::cli
