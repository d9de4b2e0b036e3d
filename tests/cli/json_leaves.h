// A JSON document as its leaves in document order, nested keys joined by
// ".": the form in which the CLI tests compare documents field by field.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace quarnel::testing {

using Leaves = std::vector<std::pair<std::string, nlohmann::ordered_json>>;

inline void addLeaves(const nlohmann::ordered_json& j, const std::string& prefix, Leaves& out) {
    if (j.is_object() || j.is_array()) {
        if (j.empty()) out.emplace_back(prefix, j);
        std::size_t index = 0;
        for (const auto& [key, value] : j.items()) {
            const std::string name = j.is_array() ? "[" + std::to_string(index++) + "]" : key;
            addLeaves(value, prefix.empty() ? name : prefix + (j.is_array() ? "" : ".") + name, out);
        }
        return;
    }
    out.emplace_back(prefix, j);
}

// `j` without the "*_text" keys that stand beside "*_item" keys: the
// document in the form it had before those texts were added, which every
// older key and value must still match.
inline nlohmann::ordered_json withoutItemTexts(const nlohmann::ordered_json& j) {
    if (j.is_array()) {
        nlohmann::ordered_json out = nlohmann::ordered_json::array();
        for (const auto& v : j) out.push_back(withoutItemTexts(v));
        return out;
    }
    if (!j.is_object()) return j;
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    for (const auto& [key, value] : j.items()) {
        const bool text = key.size() > 5 && key.compare(key.size() - 5, 5, "_text") == 0 &&
                          j.contains(key.substr(0, key.size() - 5) + "_item");
        if (!text) out[key] = withoutItemTexts(value);
    }
    return out;
}

inline Leaves leavesOf(const nlohmann::ordered_json& j) {
    Leaves out;
    addLeaves(j, "", out);
    return out;
}

// The paths whose values differ between two documents of the same shape.
inline std::vector<std::string> changedPaths(const Leaves& a, const Leaves& b) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i]) out.push_back(a[i].first == b[i].first ? a[i].first : a[i].first + "|" + b[i].first);
    for (std::size_t i = b.size(); i < a.size(); ++i) out.push_back(a[i].first);
    for (std::size_t i = a.size(); i < b.size(); ++i) out.push_back(b[i].first);
    return out;
}

}  // namespace quarnel::testing
