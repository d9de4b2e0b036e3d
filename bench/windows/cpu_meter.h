// CPU time of processes, for the idle figures and for telling where an
// action's time goes. Under Wine, GetProcessTimes counts in 10 ms ticks (too
// coarse for figures below 1 ms per second) and reports the caller's own
// times for any other process. So where the Linux process ids are known (the
// environment variables below, set by scripts/run-bench), the CPU time is
// read in nanoseconds from /proc/PID/task/*/schedstat through Wine's drive
// Z:, for this program and for the Wine server and the X server it works
// with. The files are opened once: opening one costs a round trip to the
// Wine server, reading an open one does not.
//
//   QUARNEL_BENCH_UNIX_PID   the Linux process id of this program
//   QUARNEL_BENCH_WATCH      more processes: "name=pid name=pid ..."
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quarnel::bench {

class CpuMeter {
public:
    // This program ("editor") first, then those named in QUARNEL_BENCH_WATCH.
    CpuMeter();
    ~CpuMeter();
    CpuMeter(const CpuMeter&) = delete;
    CpuMeter& operator=(const CpuMeter&) = delete;

    // Whether the times come from /proc (nanoseconds) or from GetProcessTimes.
    bool precise() const { return precise_; }
    std::size_t count() const { return processes_.size(); }
    const std::string& name(std::size_t process) const { return processes_[process].name; }

    // CPU seconds each process has used so far (all its threads, as they
    // were when the meter was made); negative when it cannot be read.
    std::vector<double> read() const;

private:
    struct Process {
        std::string name;
        long pid = 0;                // 0: this program, through GetProcessTimes
        std::vector<HANDLE> threads; // its schedstat files
    };
    std::vector<Process> processes_;
    bool precise_ = false;
};

}  // namespace quarnel::bench
