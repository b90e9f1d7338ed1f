// The clocks the benchmarks read. CPU time of the calling thread is what they
// quote on a shared machine, where the wall clock also counts the time other
// programs held the processor.
#pragma once
#include <chrono>
#include <ctime>

namespace qm::bench {

inline double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

inline double wallMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace qm::bench
