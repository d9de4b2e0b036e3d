// Timing for the Windows benchmarks: a clock on QueryPerformanceCounter and
// the figures a run collects, written out as one JSON object
// {"name": {"median_s": ..., "p95_s": ...}} like the model benchmarks'.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace quarnel::bench {

// Seconds from an arbitrary start, from the performance counter.
double seconds();

// The value below which the fraction `p` (0..1) of `values` lies,
// interpolated between neighbours; 0 for no values.
double percentile(std::vector<double> values, double p);

class Figures {
public:
    void add(const std::string& name, double value);
    // Writes the JSON file and, when `print`, prints each figure (median and
    // 95th percentile in milliseconds, and how many samples); false when the
    // file cannot be written.
    bool write(const std::wstring& path, bool print = true) const;

private:
    std::map<std::string, std::vector<double>> samples_;
};

}  // namespace quarnel::bench
