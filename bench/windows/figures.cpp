#include "bench/windows/figures.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace quarnel::bench {

double seconds() {
    static const double tick = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return 1.0 / static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * tick;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const double k = static_cast<double>(values.size() - 1) * p;
    const auto lo = static_cast<std::size_t>(k);
    const std::size_t hi = std::min(lo + 1, values.size() - 1);
    return values[lo] + (values[hi] - values[lo]) * (k - static_cast<double>(lo));
}

void Figures::add(const std::string& name, double value) { samples_[name].push_back(value); }

bool Figures::write(const std::wstring& path, bool print) const {
    // Written beside the target and moved over it, so a run ended part-way
    // never leaves half a file.
    const std::wstring part = path + L".part";
    FILE* out = _wfopen(part.c_str(), L"w");
    if (!out) return false;
    std::fprintf(out, "{\n");
    std::size_t written = 0;
    for (const auto& [name, values] : samples_) {
        const double median = percentile(values, 0.5);
        const double p95 = percentile(values, 0.95);
        if (print)
            std::printf("%-48s median %10.3f ms   p95 %10.3f ms   (%zu samples)\n", name.c_str(),
                        median * 1e3, p95 * 1e3, values.size());
        std::fprintf(out, "  \"%s\": {\"median_s\": %.9g, \"p95_s\": %.9g}%s\n", name.c_str(), median,
                     p95, ++written < samples_.size() ? "," : "");
    }
    std::fprintf(out, "}\n");
    std::fflush(stdout);
    if (std::fclose(out) != 0) return false;
    return MoveFileExW(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace quarnel::bench
