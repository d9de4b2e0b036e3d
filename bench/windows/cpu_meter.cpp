#include "bench/windows/cpu_meter.h"

#include <cstdlib>
#include <sstream>

namespace quarnel::bench {

namespace {

long environmentPid(const char* name) {
    const char* text = std::getenv(name);
    return text ? std::atol(text) : 0;
}

double filetimeSeconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) * 1e-7;
}

double processTimes() {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) return -1;
    return filetimeSeconds(kernel) + filetimeSeconds(user);
}

// The schedstat file of every thread of Linux process `pid`, opened.
std::vector<HANDLE> openThreads(long pid) {
    const std::string tasks = "Z:\\proc\\" + std::to_string(pid) + "\\task\\";
    std::vector<HANDLE> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((tasks + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (found.cFileName[0] == '.') continue;
        const std::string path = tasks + found.cFileName + "\\schedstat";
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) files.push_back(file);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

// The first field of a schedstat file, read again from its start:
// nanoseconds spent running.
double runningSeconds(HANDLE file) {
    char text[128];
    OVERLAPPED from{};  // offset 0
    DWORD got = 0;
    if (!ReadFile(file, text, sizeof text - 1, &got, &from) || got == 0) return -1;
    text[got] = '\0';
    return static_cast<double>(std::strtoull(text, nullptr, 10)) * 1e-9;
}

}  // namespace

CpuMeter::CpuMeter() {
    const long own = environmentPid("QUARNEL_BENCH_UNIX_PID");
    processes_.push_back({"editor", own, {}});
    if (const char* more = std::getenv("QUARNEL_BENCH_WATCH")) {
        std::istringstream words(more);
        std::string word;
        while (words >> word) {
            const auto equals = word.find('=');
            const long pid = equals == std::string::npos ? 0 : std::atol(word.c_str() + equals + 1);
            if (pid > 0) processes_.push_back({word.substr(0, equals), pid, {}});
        }
    }
    for (Process& process : processes_)
        if (process.pid > 0) process.threads = openThreads(process.pid);
    precise_ = own > 0 && !processes_.front().threads.empty();
}

CpuMeter::~CpuMeter() {
    for (Process& process : processes_)
        for (HANDLE file : process.threads) CloseHandle(file);
}

std::vector<double> CpuMeter::read() const {
    std::vector<double> values;
    for (const Process& process : processes_) {
        if (process.pid <= 0 || process.threads.empty()) {
            values.push_back(process.pid <= 0 ? processTimes() : -1);
            continue;
        }
        double total = 0;
        for (HANDLE file : process.threads) {
            const double thread = runningSeconds(file);
            if (thread < 0) {
                total = -1;
                break;
            }
            total += thread;
        }
        values.push_back(total);
    }
    return values;
}

}  // namespace quarnel::bench
