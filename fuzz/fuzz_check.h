// A failed property in a fuzz target: print what failed and abort, which
// libFuzzer reports as a crash and saves the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace quarnel::fuzz {

[[noreturn]] inline void fail(const std::string& what, const std::vector<std::string>& trail = {}) {
    std::fprintf(stderr, "\nPROPERTY FAILED: %s\n", what.c_str());
    if (!trail.empty()) {
        std::fprintf(stderr, "after these steps:\n");
        for (const auto& step : trail) std::fprintf(stderr, "  %s\n", step.c_str());
    }
    std::fflush(stderr);
    std::abort();
}

}  // namespace quarnel::fuzz

// Checks a property; the message (any expression giving a std::string) is
// only built when the property fails, so that a passing check costs nothing.
#define FUZZ_REQUIRE(condition, message)                               \
    do {                                                               \
        if (!(condition)) ::quarnel::fuzz::fail(std::string(message)); \
    } while (false)

namespace quarnel::fuzz {

// The text a stored message decodes to: the characters the encoder knows,
// with blanks collapsed to one and none before the first character.
inline std::string storedText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == ' ') {
            if (!out.empty() && out.back() != ' ') out.push_back(' ');
        } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/') {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace quarnel::fuzz
