#pragma once

// What the benchmark programs measure besides Google Benchmark's own timings, and how they hand
// a figure to bench/run: a line "FIGURE name value unit target".
#include <chrono>
#include <ctime>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <limits>
#include <optional>
#include <string>

namespace quorvel::bench {

// The CPU time the calling thread has used, which other programs on the machine do not inflate.
inline std::chrono::nanoseconds threadCpuTime()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// VmRSS of /proc/self/status (or of another process's status file) in kB; none where the system
// has no such file.
inline std::optional<long> residentKilobytes(const std::string& statusFile = "/proc/self/status")
{
    std::ifstream status(statusFile);
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kilobytes = 0;
            if (status >> kilobytes)
                return kilobytes;
            return std::nullopt;
        }
        status.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return std::nullopt;
}

// The mean CPU time of one call of `step` in milliseconds, over `rounds` calls.
template <typename Step> double meanCpuMilliseconds(int rounds, Step step)
{
    const std::chrono::nanoseconds start = threadCpuTime();
    for (int i = 0; i < rounds; ++i)
        step();
    return std::chrono::duration<double, std::milli>(threadCpuTime() - start).count() / rounds;
}

inline void printFigure(const char* name, double value, const char* unit, const char* target, int decimals = 3)
{
    std::cout << "FIGURE " << name << ' ' << std::fixed << std::setprecision(decimals) << value << ' ' << unit << ' '
              << target << std::endl;
}

} // namespace quorvel::bench
