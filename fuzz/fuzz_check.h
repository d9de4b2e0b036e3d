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

inline void require(bool ok, const std::string& what, const std::vector<std::string>& trail = {}) {
    if (!ok) fail(what, trail);
}

}  // namespace quarnel::fuzz
