// Spreading items over threads; see the header.
#include "Workers.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace qm {

unsigned Workers::available() { return std::max(1u, std::thread::hardware_concurrency()); }

void Workers::forEach(size_t count, unsigned threads, const std::function<void(size_t)>& work) {
    std::atomic<size_t> next{0};
    auto drain = [&] {
        for (size_t i; (i = next++) < count;) work(i);
    };
    std::vector<std::thread> helpers;
    size_t wanted = std::min<size_t>(std::max(1u, threads), count);
    for (size_t t = 1; t < wanted; ++t) helpers.emplace_back(drain);
    drain();
    for (std::thread& helper : helpers) helper.join();
}

}  // namespace qm
