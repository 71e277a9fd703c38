#pragma once
// CPU time and medians for the benchmarks. The machine is shared and noisy: every figure is
// the median of several rounds, and a ratio is the median of the per-round ratios of two
// contenders measured back to back in the same round.

#include <algorithm>
#include <ctime>
#include <sys/resource.h>
#include <vector>

namespace qd::bench {

// CPU seconds (user + system) this process has used so far.
inline double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// CPU seconds (user + system) of the children that have ended and been waited for.
inline double ChildrenCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(u.ru_utime) + seconds(u.ru_stime);
}

template <class Work> double CpuSecondsOf(Work&& work) {
    const double start = ProcessCpuSeconds();
    work();
    return ProcessCpuSeconds() - start;
}

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Medians of a contender's and its baseline's times over the rounds, and of their ratios.
struct Paired {
    std::vector<double> times, baselines;
    void add(double time, double baseline) {
        times.push_back(time);
        baselines.push_back(baseline);
    }
    double time() const { return Median(times); }
    double baseline() const { return Median(baselines); }
    double ratio() const {
        std::vector<double> ratios;
        for (size_t i = 0; i < times.size(); ++i)
            ratios.push_back(baselines[i] > 0 ? times[i] / baselines[i] : 0);
        return Median(ratios);
    }
};

} // namespace qd::bench
