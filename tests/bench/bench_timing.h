// Timing helpers of the benchmark programs: the performance counter in seconds and the
// median of a set of measurements.
#ifndef QIV_BENCH_TIMING_H
#define QIV_BENCH_TIMING_H

#include <windows.h>

#include <algorithm>
#include <vector>

// Seconds since an arbitrary start, from the performance counter.
static inline double benchSeconds() {
    static LARGE_INTEGER f = {};
    if (f.QuadPart == 0) QueryPerformanceFrequency(&f);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)f.QuadPart;
}

// The median; of an even count, the mean of the middle two.
static inline double benchMedian(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

#endif
